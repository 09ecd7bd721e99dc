#include "framework/report_model.h"

#include <algorithm>

ivReportModel::ivReportModel() : m_images([](int image) { return image > 0; }) {}

ivReportModel::~ivReportModel() {
    Notify([](ivReportModelListener& l) { l.OnModelDestroyed(); });
}

template <typename Call>
void ivReportModel::Notify(Call call) {
    // A listener may remove itself (or another) while being told.
    const std::vector<ivReportModelListener*> listeners = m_listeners;
    for (ivReportModelListener* listener : listeners) {
        if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end()) {
            call(*listener);
        }
    }
}

void ivReportModel::AddListener(ivReportModelListener* listener) {
    if (listener != nullptr &&
        std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end()) {
        m_listeners.push_back(listener);
    }
}

void ivReportModel::RemoveListener(ivReportModelListener* listener) {
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener),
                      m_listeners.end());
}

CXTPReportColumnEx* ivReportModel::GetColumnAt(int position) const {
    return position >= 0 && position < GetColumnCount()
               ? m_columns[static_cast<size_t>(position)].get()
               : nullptr;
}

CXTPReportColumnEx* ivReportModel::FindColumnByItemIndex(int itemIndex) const {
    for (const auto& column : m_columns) {
        if (column->GetItemIndex() == itemIndex) {
            return column.get();
        }
    }
    return nullptr;
}

CXTPReportColumnEx* ivReportModel::FindColumnByName(const std::string& name) const {
    for (const auto& column : m_columns) {
        if (column->GetName() == name) {
            return column.get();
        }
    }
    return nullptr;
}

int ivReportModel::GetColumnPosition(const CXTPReportColumnEx* column) const {
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].get() == column) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

CXTPReportColumnEx& ivReportModel::AppendColumn(std::unique_ptr<CXTPReportColumnEx> column) {
    m_columns.push_back(std::move(column));
    NotifyColumnsChanged();
    return *m_columns.back();
}

void ivReportModel::ClearColumns() {
    m_columns.clear();
    m_sortOrder.clear();
    m_groupOrder.clear();
    m_focusedColumn = -1;
    NotifyColumnsChanged();
}

void ivReportModel::MoveColumn(CXTPReportColumnEx* column, int position) {
    const int from = GetColumnPosition(column);
    if (from < 0) {
        return;
    }
    position = std::clamp(position, 0, GetColumnCount() - 1);
    if (from == position) {
        return;
    }
    std::unique_ptr<CXTPReportColumnEx> moving = std::move(m_columns[static_cast<size_t>(from)]);
    m_columns.erase(m_columns.begin() + from);
    m_columns.insert(m_columns.begin() + position, std::move(moving));
}

void ivReportModel::SetColumnVisible(CXTPReportColumnEx* column, bool visible) {
    if (column != nullptr && column->IsVisible() != visible) {
        column->SetVisible(visible);
        NotifyColumnsChanged();
    }
}

void ivReportModel::SetColumnWidth(CXTPReportColumnEx* column, int width) {
    if (column != nullptr) {
        column->SetWidth(width);
    }
}

CXTPReportColumnEx* ivReportModel::GetTreeColumn() const {
    for (const auto& column : m_columns) {
        if (column->IsTree()) {
            return column.get();
        }
    }
    return nullptr;
}

void ivReportModel::NotifyColumnsChanged() {
    Notify([](ivReportModelListener& l) { l.OnColumnsChanged(); });
}

void ivReportModel::SetSortColumn(int itemIndex, bool ascending) {
    m_sortOrder.clear();
    if (FindColumnByItemIndex(itemIndex) != nullptr) {
        m_sortOrder.push_back({itemIndex, ascending});
    }
}

CXTPReportRecordEx* ivReportModel::GetShownRoot() const {
    return m_rebuilding ? m_previous.get() : m_root.get();
}

void ivReportModel::SetRootShown(bool shown) {
    if (m_rootShown != shown) {
        m_rootShown = shown;
        if (!m_rebuilding) {
            Notify([](ivReportModelListener& l) { l.OnRecordsReset(); });
        }
    }
}

CXTPReportRecordEx& ivReportModel::CreateRoot(const std::string& name) {
    ClearRecords();
    m_root = std::make_unique<CXTPReportRecordEx>(name, nullptr);
    return *m_root;
}

CXTPReportRecordEx& ivReportModel::AddRecord(CXTPReportRecordEx& parent, const std::string& name) {
    CXTPReportRecordEx& record =
        parent.AddChild(std::make_unique<CXTPReportRecordEx>(name, &parent));
    if (!m_rebuilding) {
        Notify([&](ivReportModelListener& l) { l.OnRecordAdded(record); });
    }
    return record;
}

bool ivReportModel::RemoveRecord(CXTPReportRecordEx& record) {
    CXTPReportRecordEx* parent = record.GetParent();
    if (parent == nullptr || !Holds(&record)) {
        return false;
    }
    const bool focusInside = record.Contains(m_focused);
    CXTPReportRecordEx* nextFocus = nullptr;
    if (focusInside) {
        const int index = record.GetIndex();
        nextFocus = parent->GetChild(index + 1);
        if (nextFocus == nullptr) {
            nextFocus = parent->GetChild(index - 1);
        }
        if (nextFocus == nullptr && (parent != m_root.get() || m_rootShown)) {
            nextFocus = parent;
        }
    }
    m_changed.erase(std::remove_if(m_changed.begin(), m_changed.end(),
                                   [&](CXTPReportRecordEx* r) { return record.Contains(r); }),
                    m_changed.end());
    Notify([&](ivReportModelListener& l) { l.OnRecordsDropped(record); });
    std::unique_ptr<CXTPReportRecordEx> taken = parent->TakeChild(&record);
    if (!taken) {
        return false;
    }
    if (!m_rebuilding) {
        Notify([&](ivReportModelListener& l) { l.OnRecordRemoved(*parent, *taken); });
    }
    if (focusInside) {
        m_focused = nullptr;
        SetFocusedRecord(nextFocus);
    }
    return true;
}

bool ivReportModel::MoveRecord(CXTPReportRecordEx& record, CXTPReportRecordEx& parent, int index) {
    CXTPReportRecordEx* from = record.GetParent();
    if (from == nullptr || !Holds(&record) || !Holds(&parent) || record.Contains(&parent)) {
        return false;
    }
    if (from == &parent) {
        const int last = parent.GetChildCount() - 1;
        const int to = index < 0 || index > last ? last : index;
        if (to == record.GetIndex()) {
            return true;
        }
    }
    std::unique_ptr<CXTPReportRecordEx> taken = from->TakeChild(&record);
    if (!taken) {
        return false;
    }
    // The window is told while the record still names its old parent, so that it finds the
    // row to take away.
    if (!m_rebuilding) {
        Notify([&](ivReportModelListener& l) { l.OnRecordRemoved(*from, record); });
    }
    parent.InsertChild(std::move(taken), index);
    if (!m_rebuilding) {
        Notify([&](ivReportModelListener& l) { l.OnRecordAdded(record); });
    }
    return true;
}

void ivReportModel::ClearRecords() {
    if (m_root) {
        Notify([&](ivReportModelListener& l) { l.OnRecordsDropped(*m_root); });
    }
    if (!m_rebuilding) {
        m_previous = std::move(m_root);
        m_rebuilding = true;
    }
    m_root.reset();
    m_changed.clear();
    if (m_focused != nullptr) {
        m_focused = nullptr;
        Notify([](ivReportModelListener& l) { l.OnFocusChanged(); });
    }
}

void ivReportModel::Populate() {
    if (!m_rebuilding) {
        return;
    }
    m_rebuilding = false;
    Notify([](ivReportModelListener& l) { l.OnRecordsReset(); });
    m_previous.reset();
}

bool ivReportModel::Holds(const CXTPReportRecordEx* record) const {
    if (record == nullptr || !m_root) {
        return false;
    }
    while (record->GetParent() != nullptr) {
        record = record->GetParent();
    }
    return record == m_root.get();
}

void ivReportModel::NotifyRecordChanged(CXTPReportRecordEx& record) {
    if (m_rebuilding) {
        return;
    }
    if (m_batchDepth > 0) {
        if (m_changed.empty() || m_changed.back() != &record) {
            m_changed.push_back(&record);
        }
        return;
    }
    const std::vector<CXTPReportRecordEx*> one{&record};
    Notify([&](ivReportModelListener& l) { l.OnRecordsChanged(one); });
}

void ivReportModel::BeginBatch() {
    ++m_batchDepth;
}

void ivReportModel::EndBatch() {
    if (m_batchDepth == 0 || --m_batchDepth > 0) {
        return;
    }
    std::vector<CXTPReportRecordEx*> changed;
    changed.swap(m_changed);
    std::sort(changed.begin(), changed.end());
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
    if (!changed.empty() && !m_rebuilding) {
        Notify([&](ivReportModelListener& l) { l.OnRecordsChanged(changed); });
    }
}

bool ivReportModel::IsImageAvailable(int image) const {
    return m_images && m_images(image);
}

void ivReportModel::SetFocusedRecord(CXTPReportRecordEx* record) {
    if (record != nullptr && !Holds(record)) {
        record = nullptr;
    }
    if (record == m_focused) {
        return;
    }
    m_focused = record;
    Notify([](ivReportModelListener& l) { l.OnFocusChanged(); });
}

void ivReportModel::SetFocusedColumn(int itemIndex) {
    m_focusedColumn = FindColumnByItemIndex(itemIndex) != nullptr ? itemIndex : -1;
}

void ivReportModel::SetExpanded(CXTPReportRecordEx& record, bool expanded) {
    if (record.IsExpanded() == expanded) {
        return;
    }
    record.SetExpanded(expanded);
    if (!m_rebuilding) {
        Notify([&](ivReportModelListener& l) { l.OnExpansionChanged(&record); });
    }
}

void ivReportModel::SetAllExpanded(bool expanded) {
    ForEachRecord([&](CXTPReportRecordEx& record) {
        record.SetExpanded(expanded);
        return true;
    });
    if (!m_rebuilding) {
        Notify([](ivReportModelListener& l) { l.OnExpansionChanged(nullptr); });
    }
}

bool ivReportModel::IsItemEditable(const CXTPReportRecordEx& record, int itemIndex) const {
    const CXTPReportColumnEx* column = FindColumnByItemIndex(itemIndex);
    const ivReportItem* item = record.GetItem(itemIndex);
    return m_options.editing && column != nullptr && item != nullptr && column->IsEditable() &&
           item->IsEditable();
}

bool ivReportModel::FocusForEdit(CXTPReportRecordEx& record, int itemIndex) {
    if (!Holds(&record) || !IsItemEditable(record, itemIndex)) {
        return false;
    }
    // An edit is made on the focused row: a check box clicked in another row focuses it first.
    SetFocusedColumn(itemIndex);
    SetFocusedRecord(&record);
    return Holds(&record);
}

bool ivReportModel::ApplyUserEdit(CXTPReportRecordEx& record, int itemIndex,
                                  const std::string& typed) {
    if (!FocusForEdit(record, itemIndex)) {
        return false;
    }
    if (!record.GetItem(itemIndex)->ApplyEdit(*FindColumnByItemIndex(itemIndex), typed)) {
        return false;
    }
    NotifyRecordChanged(record);
    Notify([&](ivReportModelListener& l) { l.OnValueEdited(record, itemIndex); });
    return true;
}

bool ivReportModel::ToggleCheck(CXTPReportRecordEx& record, int itemIndex) {
    if (!IsItemEditable(record, itemIndex) || !record.GetItem(itemIndex)->HasCheckBox() ||
        !FocusForEdit(record, itemIndex)) {
        return false;
    }
    ivReportItem& item = *record.GetItem(itemIndex);
    item.SetChecked(!item.IsChecked());
    NotifyRecordChanged(record);
    const CXTPReportColumnEx* column = FindColumnByItemIndex(itemIndex);
    if (column != nullptr && column->GetKind() == report_type::kCheckBox) {
        Notify([&](ivReportModelListener& l) { l.OnValueEdited(record, itemIndex); });
    }
    return true;
}

void ivReportModel::RequestEdit(CXTPReportRecordEx& record, int itemIndex) {
    if (IsItemEditable(record, itemIndex)) {
        Notify([&](ivReportModelListener& l) { l.OnEditRequested(record, itemIndex); });
    }
}

void ivReportModel::EndEdit() {
    Notify([](ivReportModelListener& l) { l.OnEndEditRequested(); });
}

void ivReportModel::NotifyStyleChanged() {
    Notify([](ivReportModelListener& l) { l.OnStyleChanged(); });
}

void ivReportModel::NotifyLayoutRead() {
    Notify([](ivReportModelListener& l) { l.OnLayoutRead(); });
}

void ivReportModel::ForEachRecord(const std::function<bool(CXTPReportRecordEx&)>& visit) const {
    if (!m_root) {
        return;
    }
    // Iterative, so that no depth of nesting can exhaust the stack.
    std::vector<CXTPReportRecordEx*> pending{m_root.get()};
    while (!pending.empty()) {
        CXTPReportRecordEx* record = pending.back();
        pending.pop_back();
        if (!visit(*record)) {
            return;
        }
        const auto& children = record->GetChildren();
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            pending.push_back(it->get());
        }
    }
}
