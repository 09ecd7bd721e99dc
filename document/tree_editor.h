#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class ivXML;
class ivXMLFragment;

// What one edit of the document tree changed, with what is needed to take it back.
struct ivTreeEdit {
    enum class Kind { InsertSection, RemoveSection, SetAttributes, StoreBody, MoveSection };

    struct AttributeChange {
        std::string name;
        bool existed = false;  // whether the section had the attribute before
        std::string before;
        std::string after;
    };

    Kind kind = Kind::SetAttributes;
    std::string sectionId;
    // Insert and remove: the parent section's ID (empty for the root element) and the
    // section's position among all child nodes of the parent. Move: where it was.
    std::string parentId;
    int childIndex = -1;
    // Move: where it went, its position counted as above.
    std::string newParentId;
    int newChildIndex = -1;
    // Remove: the section with its subsections and bodies, as XML text.
    std::string removedXml;
    // The section while it is out of the tree (removed, or its insert taken back), so that it
    // comes back exactly as it was.
    std::shared_ptr<ivXMLFragment> detached;
    // Reported while an edit is taken back or done again, rather than made afresh.
    bool replayed = false;
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

    // Moves a section with its subsections, body and attributes to be the child at index of
    // parentId (the root element when empty), index counting the parent's child nodes with
    // the section taken out; a negative index or one past the end appends. Refused under the
    // section itself and when nothing would change. The cursor ends on the section.
    bool MoveSection(const std::string& id, const std::string& parentId, int index,
                     ivTreeEdit* done = nullptr);
    enum class Direction {
        Up,    // before the previous sibling
        Down,  // after the next sibling
        Out,   // after its parent, one level up
        In,    // last child of the previous sibling
    };
    // A move one step in a direction; false at an edge (first or last sibling, top level, no
    // previous sibling to go into).
    bool MoveSection(const std::string& id, Direction direction, ivTreeEdit* done = nullptr);
    // Where a move one step would put the section, without moving it.
    bool FindMoveTarget(const std::string& id, Direction direction, std::string& parentId,
                        int& index);

    // A section's position among its parent's child nodes, with the parent's ID (empty for the
    // root element); -1 when there is no such section.
    int PositionOf(const std::string& id, std::string& parentId);

    // Takes back an edit this editor reported (the latest not yet taken back), or does one
    // taken back again. The listener hears each with replayed set.
    bool Undo(ivTreeEdit& edit);
    bool Redo(ivTreeEdit& edit);

private:
    bool Change(ivTreeEdit::Kind kind, const std::string& id, const Attributes& values,
                ivTreeEdit* done);
    void Report(ivTreeEdit& edit, ivTreeEdit* done);
    // Position of the section the cursor stands on among its parent's child nodes, with the
    // parent's ID; the cursor ends on the section.
    int PositionInParent(const std::string& id, std::string& parentId);
    // Puts the cursor on a section's parent: the section parentId, or the root element.
    bool SelectParent(const std::string& parentId);
    bool Detach(const std::string& id, ivTreeEdit& edit);
    bool Attach(const std::string& parentId, int index, ivTreeEdit& edit);
    bool Place(const std::string& id, const std::string& parentId, int index);
    // Sets each attribute to its value after (forward) or before the change, or removes it
    // when it did not exist before.
    bool ApplyChanges(const ivTreeEdit& edit, bool forward);
    void Replayed(ivTreeEdit& edit);

    ivXML* m_tree = nullptr;
    Listener m_listener;
    std::vector<std::pair<int, Listener>> m_watchers;
    int m_nextWatcher = 1;
};
