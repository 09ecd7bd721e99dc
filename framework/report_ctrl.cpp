#include "framework/report_ctrl.h"

#include "core/command_ids.h"
#include "framework/command_images.h"
#include "framework/report_core.h"
#include "framework/report_data_model.h"

#include <wx/menu.h>
#include <wx/utils.h>

#include <algorithm>

namespace {

// Above this many changed rows a repaint of the whole window is cheaper than telling the
// control about each row (it looks every one up among its siblings).
constexpr size_t kMostSingleChanges = 200;

class Applying {
public:
    explicit Applying(int& depth) : m_depth(depth) { ++m_depth; }
    ~Applying() { --m_depth; }
    Applying(const Applying&) = delete;
    Applying& operator=(const Applying&) = delete;

private:
    int& m_depth;
};

}  // namespace

ivReportCtrl::ivReportCtrl(wxWindow* parent, wxWindowID id, ivReportCore& report)
    : wxDataViewCtrl(parent, id, wxDefaultPosition, wxDefaultSize, wxDV_SINGLE),
      m_report(report),
      m_model(&report.Model()),
      m_adapter(new ivReportDataModel(report.Model())) {
    AssociateModel(m_adapter);
    m_adapter->DecRef();
    m_model->SetImageCatalog([](int image) { return HasCommandImage(image); });
    m_model->AddListener(this);
    Bind(wxEVT_DATAVIEW_SELECTION_CHANGED, &ivReportCtrl::OnSelectionChanged, this);
    Bind(wxEVT_DATAVIEW_ITEM_START_EDITING, &ivReportCtrl::OnStartEditing, this);
    Bind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &ivReportCtrl::OnActivated, this);
    Bind(wxEVT_DATAVIEW_ITEM_EXPANDED, &ivReportCtrl::OnExpandedOrCollapsed, this);
    Bind(wxEVT_DATAVIEW_ITEM_COLLAPSED, &ivReportCtrl::OnExpandedOrCollapsed, this);
    Bind(wxEVT_DATAVIEW_COLUMN_SORTED, &ivReportCtrl::OnSorted, this);
    Bind(wxEVT_DATAVIEW_COLUMN_HEADER_RIGHT_CLICK, &ivReportCtrl::OnHeaderRightClick, this);
    Bind(wxEVT_KEY_DOWN, &ivReportCtrl::OnKeyDown, this);
    // The control takes the button's press for itself; its release comes here.
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
        event.Skip();
        OnRowClicked();
    });
    RebuildColumns();
    if (!m_model->IsRebuilding()) {
        OnRecordsReset();
    }
}

ivReportCtrl::~ivReportCtrl() {
    if (m_model != nullptr) {
        m_model->RemoveListener(this);
    }
    m_adapter->Detach();
}

void ivReportCtrl::OnModelDestroyed() {
    m_model = nullptr;
    m_adapter->Detach();
}

wxDataViewItem ivReportCtrl::ItemOf(const CXTPReportRecordEx* record) {
    return wxDataViewItem(const_cast<CXTPReportRecordEx*>(record));
}

CXTPReportRecordEx* ivReportCtrl::RecordOf(const wxDataViewItem& item) {
    return static_cast<CXTPReportRecordEx*>(item.GetID());
}

wxDataViewColumn* ivReportCtrl::ColumnOfItemIndex(int itemIndex) const {
    for (unsigned i = 0; i < GetColumnCount(); ++i) {
        wxDataViewColumn* column = GetColumn(i);
        if (static_cast<int>(column->GetModelColumn()) == itemIndex) {
            return column->IsHidden() ? nullptr : column;
        }
    }
    return nullptr;
}

void ivReportCtrl::RebuildColumns() {
    if (m_model == nullptr) {
        return;
    }
    // What the user did to the columns survives their rebuild.
    PullLayout();
    Applying applying(m_applying);
    ClearColumns();
    m_pushedWidths.clear();
    m_pushedOrder.clear();
    const std::vector<ivReportOrder>& sort = m_model->SortOrder();
    for (int position = 0; position < m_model->GetColumnCount(); ++position) {
        const CXTPReportColumnEx& column = *m_model->GetColumnAt(position);
        if (column.IsPreview()) {
            continue;
        }
        const unsigned index = static_cast<unsigned>(column.GetItemIndex());
        wxDataViewRenderer* renderer = nullptr;
        switch (ivReportDataModel::CellOf(column)) {
            case ivReportDataModel::Cell::Toggle:
                renderer = new wxDataViewToggleRenderer("bool", column.IsEditable()
                                                                    ? wxDATAVIEW_CELL_ACTIVATABLE
                                                                    : wxDATAVIEW_CELL_INERT);
                break;
            case ivReportDataModel::Cell::Choice: {
                wxArrayString captions;
                for (const ivReportConstraint& c : column.GetConstraints()) {
                    captions.Add(wxString::FromUTF8(c.caption));
                }
                renderer = new wxDataViewChoiceRenderer(captions, wxDATAVIEW_CELL_EDITABLE);
                break;
            }
            case ivReportDataModel::Cell::Text:
                renderer = new wxDataViewTextRenderer("string", wxDATAVIEW_CELL_EDITABLE);
                break;
            case ivReportDataModel::Cell::IconText:
                renderer = new wxDataViewIconTextRenderer("wxDataViewIconText");
                break;
        }
        int flags = wxDATAVIEW_COL_REORDERABLE;
        if (column.IsAutoSize()) {
            flags |= wxDATAVIEW_COL_RESIZABLE;
        }
        if (column.IsSortable()) {
            flags |= wxDATAVIEW_COL_SORTABLE;
        }
        if (!column.IsVisible()) {
            flags |= wxDATAVIEW_COL_HIDDEN;
        }
        const wxAlignment align = column.IsRightAligned() ? wxALIGN_RIGHT : wxALIGN_LEFT;
        auto* shown = new wxDataViewColumn(wxString::FromUTF8(column.GetCaption()), renderer, index,
                                           column.GetWidth(), align, flags);
        AppendColumn(shown);
        if (column.IsTree()) {
            SetExpanderColumn(shown);
        }
        if (!sort.empty() && sort.front().itemIndex == column.GetItemIndex()) {
            shown->SetSortOrder(sort.front().ascending);
        }
        m_pushedWidths[column.GetItemIndex()] = column.GetWidth();
        m_pushedOrder.push_back(column.GetItemIndex());
    }
}

void ivReportCtrl::PullLayout() {
    if (m_model == nullptr || m_applying > 0) {
        return;
    }
    std::vector<std::pair<int, int>> shown;  // position in the window, item index
    for (unsigned i = 0; i < GetColumnCount(); ++i) {
        shown.emplace_back(GetColumnPosition(GetColumn(i)), i);
    }
    std::sort(shown.begin(), shown.end());
    // The control stretches the last column it shows over the free width; that width is the
    // window's, not one the user gave.
    int last = -1;
    for (const auto& entry : shown) {
        if (!GetColumn(static_cast<unsigned>(entry.second))->IsHidden()) {
            last = entry.second;
        }
    }
    for (auto& entry : shown) {
        const bool stretched = entry.second == last;
        wxDataViewColumn* column = GetColumn(static_cast<unsigned>(entry.second));
        const int index = static_cast<int>(column->GetModelColumn());
        entry.second = index;
        CXTPReportColumnEx* modelColumn = m_model->FindColumnByItemIndex(index);
        const int width = column->IsHidden() || stretched ? 0 : column->GetWidth();
        if (modelColumn != nullptr && width > 0 && width != m_pushedWidths[index]) {
            m_model->SetColumnWidth(modelColumn, width);
            m_pushedWidths[index] = modelColumn->GetWidth();
        }
    }
    std::vector<int> order;
    for (const auto& entry : shown) {
        order.push_back(entry.second);
    }
    if (order == m_pushedOrder) {
        return;
    }
    // The columns the window shows take the model's places of shown columns in their new
    // order; preview columns stay where they are.
    std::vector<CXTPReportColumnEx*> columns;
    std::vector<int> places;
    for (int position = 0; position < m_model->GetColumnCount(); ++position) {
        CXTPReportColumnEx* column = m_model->GetColumnAt(position);
        columns.push_back(column);
        if (!column->IsPreview()) {
            places.push_back(position);
        }
    }
    for (size_t i = 0; i < order.size() && i < places.size(); ++i) {
        columns[static_cast<size_t>(places[i])] = m_model->FindColumnByItemIndex(order[i]);
    }
    for (size_t position = 0; position < columns.size(); ++position) {
        m_model->MoveColumn(columns[position], static_cast<int>(position));
    }
    m_pushedOrder = order;
}

void ivReportCtrl::OnRecordsReset() {
    if (m_model == nullptr) {
        return;
    }
    Applying applying(m_applying);
    m_adapter->Cleared();
    if (CXTPReportRecordEx* root = m_model->GetRoot()) {
        ApplyExpansion(*root);
    }
    ShowFocus();
}

void ivReportCtrl::ApplyExpansion(CXTPReportRecordEx& top) {
    std::vector<CXTPReportRecordEx*> pending{&top};
    while (!pending.empty()) {
        CXTPReportRecordEx* record = pending.back();
        pending.pop_back();
        if (record->GetChildCount() == 0 || !record->IsExpanded()) {
            continue;
        }
        const bool hiddenRoot = record->GetParent() == nullptr && !m_model->IsRootShown();
        if (!hiddenRoot) {
            Expand(ItemOf(record));
        }
        for (const auto& child : record->GetChildren()) {
            pending.push_back(child.get());
        }
    }
}

// The selection the control changes while it is told of rows is the model's to set.
void ivReportCtrl::OnRecordAdded(CXTPReportRecordEx& record) {
    Applying applying(m_applying);
    CXTPReportRecordEx* parent = record.GetParent();
    m_adapter->ItemAdded(m_adapter->ParentItemOf(&record), ItemOf(&record));
    // A row that just got its first child shows it when the model has it expanded.
    if (parent != nullptr && parent->IsExpanded() && parent->GetChildCount() == 1 &&
        m_adapter->ParentItemOf(&record).IsOk()) {
        Expand(ItemOf(parent));
    }
    // A record moved here brings its rows with it. The control learns of them row by row,
    // each after its parent, so that it knows the record holds rows and can open it.
    if (record.GetChildCount() > 0) {
        std::vector<CXTPReportRecordEx*> pending{&record};
        while (!pending.empty()) {
            CXTPReportRecordEx* above = pending.back();
            pending.pop_back();
            const auto& children = above->GetChildren();
            for (const auto& child : children) {
                m_adapter->ItemAdded(ItemOf(above), ItemOf(child.get()));
            }
            for (auto it = children.rbegin(); it != children.rend(); ++it) {
                pending.push_back(it->get());
            }
        }
        ApplyExpansion(record);
    }
    if (m_model != nullptr && record.Contains(m_model->GetFocusedRecord())) {
        ShowFocus();
    }
}

void ivReportCtrl::OnRecordRemoved(CXTPReportRecordEx&, CXTPReportRecordEx& record) {
    Applying applying(m_applying);
    m_adapter->ItemDeleted(m_adapter->ParentItemOf(&record), ItemOf(&record));
}

void ivReportCtrl::OnRecordsChanged(const std::vector<CXTPReportRecordEx*>& records) {
    if (records.size() > kMostSingleChanges) {
        Refresh();
        return;
    }
    for (CXTPReportRecordEx* record : records) {
        m_adapter->ItemChanged(ItemOf(record));
    }
}

void ivReportCtrl::OnColumnsChanged() {
    RebuildColumns();
}

void ivReportCtrl::OnFocusChanged() {
    if (m_applying == 0) {
        ShowFocus();
    }
}

void ivReportCtrl::ShowFocus() {
    if (m_model == nullptr || m_model->IsRebuilding()) {
        return;
    }
    Applying applying(m_applying);
    CXTPReportRecordEx* record = m_model->GetFocusedRecord();
    if (record == nullptr) {
        UnselectAll();
        return;
    }
    const wxDataViewItem item = ItemOf(record);
    Select(item);
    SetCurrentItem(item);
    EnsureVisible(item);
}

void ivReportCtrl::OnExpansionChanged(CXTPReportRecordEx* record) {
    if (m_model == nullptr) {
        return;
    }
    Applying applying(m_applying);
    if (record == nullptr) {
        // Collapsing everything collapses the top rows; what is below them keeps its place.
        CXTPReportRecordEx* root = m_model->GetRoot();
        if (root == nullptr) {
            return;
        }
        for (const auto& child : root->GetChildren()) {
            if (!child->IsExpanded()) {
                Collapse(ItemOf(child.get()));
            }
        }
        if (!root->IsExpanded() && m_model->IsRootShown()) {
            Collapse(ItemOf(root));
        }
        ApplyExpansion(*root);
        return;
    }
    const bool hidden = record->GetParent() == nullptr && !m_model->IsRootShown();
    if (hidden) {
        return;
    }
    if (record->IsExpanded()) {
        ApplyExpansion(*record);
    } else {
        Collapse(ItemOf(record));
    }
}

void ivReportCtrl::OnEditRequested(CXTPReportRecordEx& record, int itemIndex) {
    // Asked for by a command (a new row's title): the editor opens at once, so that keys
    // typed straight after the command reach it instead of the list's type-ahead search.
    m_pendingEdit = &record;
    m_pendingColumn = itemIndex;
    m_pendingUnlessEditing = false;
    StartPendingEdit();
}

void ivReportCtrl::EditLater(CXTPReportRecordEx& record, int itemIndex, bool unlessEditing) {
    // The row must be shown before an editor can open on it: the editor opens once the
    // events of now are over.
    const bool scheduled = m_pendingEdit != nullptr;
    m_pendingEdit = &record;
    m_pendingColumn = itemIndex;
    m_pendingUnlessEditing = unlessEditing;
    if (!scheduled) {
        CallAfter(&ivReportCtrl::StartPendingEdit);
    }
}

void ivReportCtrl::StartPendingEdit() {
    CXTPReportRecordEx* target = m_pendingEdit;
    m_pendingEdit = nullptr;
    if (m_model == nullptr || target == nullptr || m_model->GetFocusedRecord() != target) {
        return;
    }
    // An open editor holds the keyboard focus, which then is nowhere in this window.
    if (m_pendingUnlessEditing && !HasFocus()) {
        return;
    }
    wxDataViewColumn* column = ColumnOfItemIndex(m_pendingColumn);
    if (column != nullptr) {
        SetFocus();
        EnsureVisible(ItemOf(target), column);
        EditItem(ItemOf(target), column);
    }
}

void ivReportCtrl::OnRecordsDropped(const CXTPReportRecordEx& top) {
    if (top.Contains(m_pendingEdit)) {
        m_pendingEdit = nullptr;
    }
}

void ivReportCtrl::OnStyleChanged() {
    if (m_model != nullptr) {
        Refresh();
    }
}

void ivReportCtrl::OnLayoutRead() {
    PullLayout();
}

void ivReportCtrl::OnSelectionChanged(wxDataViewEvent&) {
    if (m_model == nullptr || m_applying > 0) {
        return;
    }
    const wxDataViewColumn* column = GetCurrentColumn();
    m_model->SetFocusedColumn(column != nullptr ? static_cast<int>(column->GetModelColumn()) : -1);
    CXTPReportRecordEx* record = RecordOf(GetSelection());
    m_model->SetFocusedRecord(record != nullptr && m_model->Holds(record) ? record : nullptr);
}

void ivReportCtrl::OnStartEditing(wxDataViewEvent& event) {
    const wxDataViewColumn* column = event.GetDataViewColumn();
    CXTPReportRecordEx* record = RecordOf(event.GetItem());
    if (m_model == nullptr || column == nullptr || record == nullptr ||
        !m_model->IsItemEditable(*record, static_cast<int>(column->GetModelColumn()))) {
        event.Veto();
    }
}

void ivReportCtrl::OnActivated(wxDataViewEvent& event) {
    if (m_model == nullptr) {
        return;
    }
    const wxDataViewColumn* column = event.GetDataViewColumn();
    const int index = column != nullptr ? static_cast<int>(column->GetModelColumn()) : -1;
    m_report.Hooks().OnDoubleClickHook(index);
    CXTPReportRecordEx* record = RecordOf(event.GetItem());
    if (record != nullptr && m_model->Holds(record) && index >= 0 &&
        m_model->IsItemEditable(*record, index)) {
        EditLater(*record, index);
    }
}

void ivReportCtrl::OnExpandedOrCollapsed(wxDataViewEvent& event) {
    CXTPReportRecordEx* record = RecordOf(event.GetItem());
    if (m_model == nullptr || record == nullptr || !m_model->Holds(record)) {
        return;
    }
    m_model->SetExpanded(*record, event.GetEventType() == wxEVT_DATAVIEW_ITEM_EXPANDED);
}

void ivReportCtrl::OnSorted(wxDataViewEvent& event) {
    wxDataViewColumn* column = event.GetDataViewColumn();
    if (m_model == nullptr || column == nullptr) {
        return;
    }
    const int index = static_cast<int>(column->GetModelColumn());
    const std::vector<ivReportOrder>& before = m_model->SortOrder();
    const bool wasDescending =
        !before.empty() && before.front().itemIndex == index && !before.front().ascending;
    // The header turns ascending, descending, and then back to the records' own order (an
    // outline sorted by title for good would be lost).
    if (column->IsSortKey() && column->IsSortOrderAscending() && wasDescending) {
        Applying applying(m_applying);
        column->UnsetAsSortKey();
        m_model->SetSortColumn(-1, true);
        m_adapter->Resort();
        return;
    }
    m_model->SetSortColumn(column->IsSortKey() ? index : -1, column->IsSortOrderAscending());
}

void ivReportCtrl::OnHeaderRightClick(wxDataViewEvent&) {
    ShowColumnChooser(ScreenToClient(wxGetMousePosition()));
}

int ivReportCtrl::ShowColumnChooser(const wxPoint& where) {
    if (m_model == nullptr) {
        return -1;
    }
    wxMenu menu;
    const std::vector<ivColumnChoice> choices = m_report.GetColumnChoices();
    for (size_t i = 0; i < choices.size(); ++i) {
        wxMenuItem* entry =
            menu.AppendCheckItem(command_id::kColumnChooserFirst + static_cast<int>(i),
                                 wxString::FromUTF8(choices[i].caption));
        entry->Check(choices[i].visible);
    }
    // The chosen entry comes back here; no command goes out.
    const int chosen = GetPopupMenuSelectionFromUser(menu, where);
    const int position = chosen - command_id::kColumnChooserFirst;
    if (m_model == nullptr || chosen == wxID_NONE || position < 0 ||
        position >= static_cast<int>(choices.size())) {
        return -1;
    }
    m_report.ToggleColumnAt(position);
    return position;
}

void ivReportCtrl::OnRowClicked() {
    if (m_model == nullptr) {
        return;
    }
    wxDataViewItem item;
    wxDataViewColumn* column = nullptr;
    HitTest(ScreenToClient(wxGetMousePosition()), item, column);
    const int index = column != nullptr ? static_cast<int>(column->GetModelColumn()) : -1;
    m_report.Hooks().OnClickHook(index);
    CXTPReportRecordEx* record = RecordOf(item);
    if (record == nullptr || record != m_model->GetFocusedRecord() || index < 0 ||
        !m_model->Options().editOnSingleClick || !m_model->IsItemEditable(*record, index) ||
        m_model->FindColumnByItemIndex(index)->GetKind() == report_type::kCheckBox) {
        return;
    }
    // A click on a row that was selected already opens the control's own editor.
    EditLater(*record, index, true);
}

void ivReportCtrl::OnKeyDown(wxKeyEvent& event) {
    CXTPReportRecordEx* record = m_model != nullptr ? m_model->GetFocusedRecord() : nullptr;
    if (record == nullptr || event.HasAnyModifiers()) {
        event.Skip();
        return;
    }
    const bool shownParent =
        record->GetParent() != nullptr &&
        (record->GetParent()->GetParent() != nullptr || m_model->IsRootShown());
    switch (event.GetKeyCode()) {
        case WXK_LEFT:
        case WXK_NUMPAD_LEFT:
            // Left folds a row in, or goes up to the row above it in the tree.
            if (record->GetChildCount() > 0 && record->IsExpanded()) {
                m_model->SetExpanded(*record, false);
            } else if (shownParent) {
                m_model->SetFocusedRecord(record->GetParent());
            }
            return;
        case WXK_RIGHT:
        case WXK_NUMPAD_RIGHT:
            // Right unfolds a row, or goes down to its first child.
            if (record->GetChildCount() > 0 && !record->IsExpanded()) {
                m_model->SetExpanded(*record, true);
            } else if (record->GetChildCount() > 0) {
                m_model->SetFocusedRecord(record->GetChild(0));
            }
            return;
        case WXK_F2:
            if (const CXTPReportColumnEx* tree = m_model->GetTreeColumn()) {
                m_model->RequestEdit(*record, tree->GetItemIndex());
            }
            return;
        default:
            event.Skip();
    }
}
