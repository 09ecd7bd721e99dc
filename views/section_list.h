#pragma once

#include "document/tree_editor.h"
#include "framework/report_core.h"

#include <string>
#include <unordered_map>

class ivData;
class ivXML;
class ivEditHistory;
class myTextViewInterface;

// What the window around a section list does for it.
class mySectionListHost {
public:
    virtual ~mySectionListHost() = default;
    // Makes every view of the document rebuild from the document tree, once the current
    // event is over ("VIEW_REFRESH" posted to the list's window).
    virtual void RequestRefresh() = 0;
    // After a title was typed: the next pane of the document window (the text view) gets the
    // keyboard focus.
    virtual void ActivateNextPane() {}
    // The list gets the keyboard focus when it does not have it.
    virtual void FocusList() {}
};

// Column names of the section list, in column order (item indices 0 to 9).
namespace section_column {
inline constexpr const char* kId = "ID";
inline constexpr const char* kNumbering = "Numbering";
inline constexpr const char* kTitle = "Title";
inline constexpr const char* kReference = "Reference";
inline constexpr const char* kAlias = "Alias";
inline constexpr const char* kStatus = "Status";
inline constexpr const char* kCreated = "Created";
inline constexpr const char* kModified = "Modified";
inline constexpr const char* kAuto = "Auto";
inline constexpr const char* kLink = "Link";
inline constexpr int kCount = 10;
}  // namespace section_column

// The image of a section that has a body.
inline constexpr int kSectionBodyImage = 137;

// The section list without its window: one row per section of the document under one row for
// the document, the insert and remove operations with their outline numbers, cell edits and
// bodies written back into the document tree through its one edit path, the hand-over of
// bodies to the text view, and the list layout kept in the view-state tree. It fills the hooks
// of the report it works on.
class mySectionList : public ivReportHooks {
public:
    // Inserting a section: below the focused one, beside it, or one level above it.
    static constexpr int kInsertUnder = 1;
    static constexpr int kInsertBeside = 0;
    static constexpr int kInsertAbove = -1;

    mySectionList(ivReportCore& report, mySectionListHost* host);
    ~mySectionList() override;
    mySectionList(const mySectionList&) = delete;
    mySectionList& operator=(const mySectionList&) = delete;

    virtual void SetTextView(myTextViewInterface* view) { m_textView = view; }
    virtual myTextViewInterface* GetTextView() { return m_textView; }
    // A new section with the title "Section", focused with its title being edited.
    virtual bool InsertSection(int mode);
    // Writes the focused row's cell of column (or value, when not empty) into its section.
    virtual bool SetValue(const std::string& column, const std::string& value);
    // Removes the focused section with its subsections, asking first unless quiet.
    virtual bool RemoveSection(bool quiet);
    // Stores the body being edited into its section and loads the focused section's body.
    virtual void SyncText();
    virtual void SetupColumns();
    // Rows for the node the cursor stands on and everything below it; numbering is that of
    // the node (null for the document and the top level).
    virtual void AddRecords(ivData& cursor, const std::string* numbering);

    // Moves the focused section with its subsections one step; false at an edge.
    virtual bool MoveSection(ivTreeEditor::Direction direction);
    // Where a dragged section goes: under the target as its last child, or beside it.
    enum class DropPlace { On, Before, After };
    // Moves the section id to the row targetId (empty for the document row, which takes it
    // as its last child); refused under itself.
    bool DropSection(const std::string& id, const std::string& targetId, DropPlace place);
    // Whether the focused section can move one step that way (for the commands' states).
    bool CanMoveSection(ivTreeEditor::Direction direction);
    // Takes back the newest tree edit, or does the last one taken back again, and shows its
    // section. The body being typed is stored first, so that it is taken back first.
    bool Undo();
    bool Redo();
    bool CanUndo();
    bool CanRedo();
    // "Undo Remove Section" and the like, for the menu.
    std::string GetUndoName();
    std::string GetRedoName();

    // Rebuilds the rows from the tree in hint (an ivData), applying the stored layout once.
    void LoadView(wxObject* hint);
    // SyncText, then the layout into the view-state tree.
    void SaveViewState();

    const std::string& GetCurrentSectionId() const { return m_currentId; }
    // Focuses the row of the section id (the rows above it expanded) and shows its body; false
    // when there is no such row.
    bool SelectSection(const std::string& id);
    // After edits made past the list (a replacement across sections): the rows again from the
    // tree, and the section id (or the one shown before) focused with its body as it is now.
    void ShowEditedSections(const std::string& id);
    // Whether the focused row is a section (it has an ID); the commands that act on a section
    // are enabled only then.
    bool IsSectionFocused();

    // Report hooks.
    void OnInitialUpdateHook() override;
    void OnUpdateHook(wxObject* hint) override;
    void OnStoreStateHook() override;
    void OnFocusHook(int column) override;
    void OnValueChangedHook(int column) override;

    ivReportCore& Report() { return m_report; }

private:
    ivXML* DocumentTree();
    ivTreeEditor* Editor();
    // The row whose "ID" cell is id, or null.
    CXTPReportRecordEx* FindRecord(const std::string& id);
    // Numbers the rows below parent again from their places in the document tree.
    void RenumberChildren(CXTPReportRecordEx& parent);
    // The alias a value stands for, unique among the sections but the one with this ID.
    std::string UniqueAlias(const std::string& value, const std::string& id);
    // The stored layout when it fits the columns; looked up once.
    std::string StoredLayout();
    void ShowBody(const std::string& id);
    ivEditHistory* History();
    bool Replay(bool redo);
    // After a move or a replayed edit: the rows again from the tree, the section focused
    // (the rows above it expanded) and its body shown as the tree now holds it.
    void ShowSection(const std::string& id, const std::string& orParentId, bool reloadBody);
    // After a move in the tree: the section's row goes to its new place with the rows below
    // it, the numbers refreshed where they changed, and it is focused. False when the rows do
    // not match the tree.
    bool ShowMove(const std::string& id);
    // ShowMove, or the rows built again when it fails.
    void ShowMovedSection(const std::string& id);

    ivReportCore& m_report;
    mySectionListHost* m_host;
    myTextViewInterface* m_textView = nullptr;
    std::string m_currentId;
    bool m_viewStateLoaded = false;
    bool m_syncing = false;
};
