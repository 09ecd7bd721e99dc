#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

class ivXML;

// What one edit of the document tree changed, with what is needed to take it back.
struct ivTreeEdit {
    enum class Kind { InsertSection, RemoveSection, SetAttributes, StoreBody };

    struct AttributeChange {
        std::string name;
        bool existed = false;  // whether the section had the attribute before
        std::string before;
        std::string after;
    };

    Kind kind = Kind::SetAttributes;
    std::string sectionId;
    // Insert and remove: the parent section's ID (empty for the root element) and the
    // section's position among all child nodes of the parent.
    std::string parentId;
    int childIndex = -1;
    // Remove: the section with its subsections and bodies, as XML text.
    std::string removedXml;
    // The attributes set, in the order they were set (for an insert, those of the new section).
    std::vector<AttributeChange> changes;
};

// The one way the document tree is edited: every insert, remove, attribute edit and stored
// body is one operation that reports what it changed to the listener (the document, which
// marks itself modified). Sections are found by their "ID" anywhere in the tree, the first in
// document order when two share one.
class ivTreeEditor {
public:
    using Attributes = std::vector<std::pair<std::string, std::string>>;
    using Listener = std::function<void(const ivTreeEdit&)>;

    void SetTree(ivXML* tree) { m_tree = tree; }
    ivXML* GetTree() const { return m_tree; }
    void SetListener(Listener listener) { m_listener = std::move(listener); }
    // Further listeners beside the document (caches of what sections hold); the number to
    // remove one with.
    int AddWatcher(Listener watcher);
    void RemoveWatcher(int number);

    // Puts the tree's cursor on the section with this ID; false (cursor on the root) when there
    // is none or id is empty.
    bool SelectSection(const std::string& id);

    // Appends a "Section" with these attributes as the last child of the section parentId, or
    // of the root element when parentId is empty. The cursor ends on the new section.
    bool InsertSection(const std::string& parentId, const Attributes& attributes,
                       ivTreeEdit* done = nullptr);
    // Removes the section with its subsections; the cursor ends on its parent.
    bool RemoveSection(const std::string& id, ivTreeEdit* done = nullptr);
    // Sets attributes of a section, in this order; the cursor ends on the section.
    bool SetAttributes(const std::string& id, const Attributes& values, ivTreeEdit* done = nullptr);
    // Stores a section's body ("Text") with its time of change ("Modified").
    bool StoreBody(const std::string& id, const std::string& body, const std::string& modified,
                   ivTreeEdit* done = nullptr);

private:
    bool Change(ivTreeEdit::Kind kind, const std::string& id, const Attributes& values,
                ivTreeEdit* done);
    void Report(ivTreeEdit& edit, ivTreeEdit* done);
    // Position of the section the cursor stands on among its parent's child nodes, with the
    // parent's ID; the cursor ends on the section.
    int PositionInParent(const std::string& id, std::string& parentId);

    ivXML* m_tree = nullptr;
    Listener m_listener;
    std::vector<std::pair<int, Listener>> m_watchers;
    int m_nextWatcher = 1;
};
