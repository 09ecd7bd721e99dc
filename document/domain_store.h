#pragma once

#include "document/iv_xml.h"
#include "document/tree_editor.h"

#include <functional>
#include <memory>
#include <string>

// A document's content without any window: the document tree (root "Document", nested
// "Section" elements) and the view-state tree shared by all documents through one per-user
// file. The editor's document and the command-line tool both work through this class.
class myDomainStore {
public:
    static constexpr const char* kRootName = "Document";

    // The tree of a kind (ivDomain::kDocumentTree or kViewStateTree), or null.
    ivXML* GetTree(int kind) const;
    // Every edit of the document tree goes through this editor; its listener hears of each.
    ivTreeEditor& Editor() { return m_editor; }

    // A new, empty document tree; false when the store already has one.
    bool New();
    // Reads the document file at path; reports "Loading document failed." or "Identifying
    // document failed." and keeps no tree on failure.
    bool Open(const std::string& path);
    // Loads the view-state file, or builds a fresh view-state tree when it cannot be read.
    bool LoadViews();
    // Flushes the views, then writes the document tree to path and the view-state tree to its
    // file, each atomically. Reports "Saving document failed." or "Saving view state failed.".
    bool Save(const std::string& path);

    // "<configuration folder><application name>.xml".
    static std::string ViewStatePath();

    // Called at the start of every save so that views store what they hold into the trees.
    void SetFlushHook(std::function<void()> hook) { m_flush = std::move(hook); }
    void Flush();

    // Drops both trees without deleting them (their owner is elsewhere) or deletes them.
    void ForgetTrees();
    void DeleteTrees();

    bool HasDocumentTree() const { return m_tree != nullptr; }

private:
    // New and Open begin alike: refused while a tree is held, then the view-state tree.
    bool BeginLoad();
    std::unique_ptr<ivXML> m_views;
    std::unique_ptr<ivXML> m_tree;
    ivTreeEditor m_editor;
    std::string m_rootName;
    std::function<void()> m_flush;
};
