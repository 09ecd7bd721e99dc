#pragma once

#include "framework/report_column.h"
#include "framework/report_record.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class ivReportModel;

// Told about every change of a report model: the window that shows the model, and the report
// view that turns user actions into its hooks.
class ivReportModelListener {
public:
    virtual ~ivReportModelListener() = default;
    // The records were replaced as a whole (a rebuild is shown).
    virtual void OnRecordsReset() {}
    // A record was added below its parent (its items may still follow), or one moved there
    // with its descendants.
    virtual void OnRecordAdded(CXTPReportRecordEx&) {}
    // record was taken from below parent and is deleted when this returns; or, when it is
    // moving, it is added again at its new place right after this.
    virtual void OnRecordRemoved(CXTPReportRecordEx& /*parent*/, CXTPReportRecordEx& /*record*/) {}
    // top and its descendants leave the current tree (removed, or the records are cleared):
    // whoever holds them lets go. Told also during a rebuild, unlike the changes above.
    virtual void OnRecordsDropped(const CXTPReportRecordEx& /*top*/) {}
    // The model is going away.
    virtual void OnModelDestroyed() {}
    // Items of these records changed value or appearance.
    virtual void OnRecordsChanged(const std::vector<CXTPReportRecordEx*>&) {}
    // Columns were added, removed, moved, resized, shown or hidden, or sorted differently.
    virtual void OnColumnsChanged() {}
    virtual void OnFocusChanged() {}
    // A record was expanded or collapsed; null: possibly all of them.
    virtual void OnExpansionChanged(CXTPReportRecordEx*) {}
    // The user's edit of an item was applied (typed text, or a check box toggled).
    virtual void OnValueEdited(CXTPReportRecordEx&, int /*itemIndex*/) {}
    // In-place editing of an item should start, or end.
    virtual void OnEditRequested(CXTPReportRecordEx&, int /*itemIndex*/) {}
    virtual void OnEndEditRequested() {}
    virtual void OnStyleChanged() {}
    // The layout is about to be read: the window writes the widths and the order the user gave
    // the columns back into the model.
    virtual void OnLayoutRead() {}
};

// How the control shows its rows (set from the view style word).
struct ivReportOptions {
    bool editing = false;            // some column is editable
    bool previewMode = false;        // preview texts are shown below the rows
    bool editOnSingleClick = false;  // a click on an editable item starts editing
    bool horizontalGrid = false;
    bool verticalGrid = false;
    bool showGroupBy = false;
    bool shadeGroupHeadings = false;
    bool headerShown = true;
    unsigned toolkitOptions = 0;  // style bits the report passes on without giving them a meaning
};

// A column in the sort or group order.
struct ivReportOrder {
    int itemIndex = 0;
    bool ascending = true;
};

// The report control without a window: columns in display order, the record tree with its
// root, the focused record and column, expanded records, sort and group order, the options.
// Records added while a rebuild is under way (after ClearRecords, before Populate) are shown
// at once with Populate; any other change is told to the listeners as it happens.
class ivReportModel {
public:
    ivReportModel();
    ~ivReportModel();
    ivReportModel(const ivReportModel&) = delete;
    ivReportModel& operator=(const ivReportModel&) = delete;

    void AddListener(ivReportModelListener* listener);
    void RemoveListener(ivReportModelListener* listener);

    // Columns.
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    // The column at a display position, or null.
    CXTPReportColumnEx* GetColumnAt(int position) const;
    CXTPReportColumnEx* FindColumnByItemIndex(int itemIndex) const;
    // The first column in display order with exactly this name, or null.
    CXTPReportColumnEx* FindColumnByName(const std::string& name) const;
    int GetColumnPosition(const CXTPReportColumnEx* column) const;
    CXTPReportColumnEx& AppendColumn(std::unique_ptr<CXTPReportColumnEx> column);
    void ClearColumns();
    // Moves a column to a display position.
    void MoveColumn(CXTPReportColumnEx* column, int position);
    void SetColumnVisible(CXTPReportColumnEx* column, bool visible);
    void SetColumnWidth(CXTPReportColumnEx* column, int width);
    // The column that carries the tree, or null.
    CXTPReportColumnEx* GetTreeColumn() const;
    void NotifyColumnsChanged();

    std::vector<ivReportOrder>& SortOrder() { return m_sortOrder; }
    std::vector<ivReportOrder>& GroupOrder() { return m_groupOrder; }
    const std::vector<ivReportOrder>& SortOrder() const { return m_sortOrder; }
    const std::vector<ivReportOrder>& GroupOrder() const { return m_groupOrder; }
    // The user sorted by a column (the window's header was clicked); -1 sorts by nothing.
    void SetSortColumn(int itemIndex, bool ascending);

    // Records. The root is the first record added; it is shown as a row of its own only when
    // SetRootShown(true) was called.
    CXTPReportRecordEx* GetRoot() const { return m_root.get(); }
    // The root of the records the window shows now: during a rebuild, the previous tree.
    CXTPReportRecordEx* GetShownRoot() const;
    bool IsRootShown() const { return m_rootShown; }
    void SetRootShown(bool shown);
    // Starts a new tree with its root record.
    CXTPReportRecordEx& CreateRoot(const std::string& name);
    CXTPReportRecordEx& AddRecord(CXTPReportRecordEx& parent, const std::string& name);
    // Removes record with its descendants (the root cannot be removed this way); the focus
    // moves to the next sibling, else the previous one, else the parent.
    bool RemoveRecord(CXTPReportRecordEx& record);
    // Moves record with its descendants to be the child at index of parent (the last one when
    // index is negative or past the end): told as its removal from the old place and its
    // addition at the new one, so that a window moves the rows of the block only. The focus
    // and the expanded state stay. Refused for the root and under the record itself.
    bool MoveRecord(CXTPReportRecordEx& record, CXTPReportRecordEx& parent, int index);
    // Removes every record, the root included, and starts a rebuild.
    void ClearRecords();
    // Shows the records: ends a rebuild, telling the window once.
    void Populate();
    bool IsRebuilding() const { return m_rebuilding; }
    // Whether record belongs to the current tree.
    bool Holds(const CXTPReportRecordEx* record) const;

    // Item changes: a record whose items changed is told to the window; inside a batch, all
    // changes are told together when the outermost batch ends.
    void NotifyRecordChanged(CXTPReportRecordEx& record);
    void BeginBatch();
    void EndBatch();

    // Whether the image with this identifier can be shown; by default every positive one.
    void SetImageCatalog(std::function<bool(int)> available) { m_images = std::move(available); }
    bool IsImageAvailable(int image) const;

    // Focus.
    CXTPReportRecordEx* GetFocusedRecord() const { return m_focused; }
    void SetFocusedRecord(CXTPReportRecordEx* record);
    int GetFocusedColumn() const { return m_focusedColumn; }
    void SetFocusedColumn(int itemIndex);

    // Expansion.
    void SetExpanded(CXTPReportRecordEx& record, bool expanded);
    void SetAllExpanded(bool expanded);

    // Editing by the user: the item's column and the item itself must be editable. The record
    // becomes the focused one; typed text is applied by the rules of the item's kind. True
    // when the value changed, and the listeners are told.
    bool IsItemEditable(const CXTPReportRecordEx& record, int itemIndex) const;
    bool ApplyUserEdit(CXTPReportRecordEx& record, int itemIndex, const std::string& typed);
    bool ToggleCheck(CXTPReportRecordEx& record, int itemIndex);
    void RequestEdit(CXTPReportRecordEx& record, int itemIndex);
    void EndEdit();

    ivReportOptions& Options() { return m_options; }
    const ivReportOptions& Options() const { return m_options; }
    void NotifyStyleChanged();
    void NotifyLayoutRead();

    // Calls visit for every record of the current tree in document order (a parent before
    // its children), the root first; stops when visit returns false.
    void ForEachRecord(const std::function<bool(CXTPReportRecordEx&)>& visit) const;

private:
    template <typename Call>
    void Notify(Call call);
    bool FocusForEdit(CXTPReportRecordEx& record, int itemIndex);

    std::vector<std::unique_ptr<CXTPReportColumnEx>> m_columns;
    std::vector<ivReportOrder> m_sortOrder;
    std::vector<ivReportOrder> m_groupOrder;
    std::unique_ptr<CXTPReportRecordEx> m_root;
    // The tree the window still shows while a rebuild is under way; deleted once it is told.
    std::unique_ptr<CXTPReportRecordEx> m_previous;
    bool m_rebuilding = true;
    bool m_rootShown = false;
    int m_batchDepth = 0;
    std::vector<CXTPReportRecordEx*> m_changed;
    CXTPReportRecordEx* m_focused = nullptr;
    int m_focusedColumn = -1;
    ivReportOptions m_options;
    std::function<bool(int)> m_images;
    std::vector<ivReportModelListener*> m_listeners;
};
