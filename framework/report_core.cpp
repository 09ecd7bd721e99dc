#include "framework/report_core.h"

#include "core/app_registry.h"
#include "core/settings_keys.h"
#include "framework/report_layout.h"
#include "platform/registry_store.h"

#include <cstdlib>

namespace {

constexpr const char* kLayoutEntry = "Layout";
constexpr const char* kTypeEntry = "Type";

}  // namespace

ivReportCore::ivReportCore() {
    m_model.AddListener(this);
}

ivReportCore::~ivReportCore() {
    m_data.reset();
    m_model.RemoveListener(this);
}

void ivReportCore::SetHooks(ivReportHooks* hooks) {
    m_hooks = hooks != nullptr ? hooks : &m_defaultHooks;
}

bool ivReportCore::AddColumn(const std::string& name, const std::string& caption, int type,
                             unsigned flags, int width, const std::string& defaultFormat) {
    using namespace column_flag;
    const int pixels = 10 * (width <= 0 ? 10 : width);
    bool visible = (flags & kHidden) == 0;
    bool sort = (flags & kSort) != 0;
    bool group = (flags & kGroup) != 0;
    bool combo = (flags & kComboEdit) != 0;
    bool tree = (flags & kTree) != 0;
    const bool preview = (flags & kPreview) != 0;
    if (preview) {
        tree = group = combo = sort = false;
        visible = false;
    } else if (group && !tree) {
        sort = false;
        visible = false;
    }
    auto column =
        std::make_unique<CXTPReportColumnEx>(m_model.GetColumnCount(), name, caption, type);
    column->SetWidth(pixels);
    column->SetAutoSize((flags & kFixedWidth) == 0);
    column->SetSortable((flags & kNotSortable) == 0);
    column->SetVisible(visible);
    column->SetDefaultFormat(defaultFormat);
    column->SetRightAligned(column->GetKind() == report_type::kNumber && !combo);
    if ((flags & kEditable) != 0) {
        column->SetEditable(true);
        column->SetComboEdit(combo);
        m_model.Options().editing = true;
    }
    const bool ascending = (flags & kDescending) == 0;
    const int itemIndex = column->GetItemIndex();
    if (sort) {
        m_model.SortOrder().push_back({itemIndex, ascending});
    }
    if (group) {
        m_model.GroupOrder().push_back({itemIndex, ascending});
    }
    column->SetTree(tree);
    if (preview) {
        column->SetPreview(true);
        m_model.Options().previewMode = true;
    }
    m_model.AppendColumn(std::move(column));
    return true;
}

bool ivReportCore::AddConstraint(int column, const std::string& value, const std::string& caption) {
    CXTPReportColumnEx* found = m_model.FindColumnByItemIndex(column);
    if (found == nullptr || found->GetKind() != report_type::kNumber) {
        return false;
    }
    found->AddConstraint(caption, std::strtol(value.c_str(), nullptr, 10));
    return true;
}

std::string ivReportCore::GetColumnName(int column) {
    const CXTPReportColumnEx* found = m_model.FindColumnByItemIndex(column);
    return found != nullptr ? found->GetName() : std::string();
}

int ivReportCore::FindColumn(const std::string& name) {
    const CXTPReportColumnEx* found = m_model.FindColumnByName(name);
    return found != nullptr ? found->GetItemIndex() : -1;
}

int ivReportCore::GetColumnCount() {
    return m_model.GetColumnCount();
}

void ivReportCore::ClearColumns() {
    if (m_data) {
        m_data->Close();
    }
    m_model.EndEdit();
    m_model.ClearColumns();
    m_model.Options().editing = false;
    m_model.Options().previewMode = false;
}

std::string ivReportCore::GetFocusedItemText(int column) {
    const CXTPReportRecordEx* record = m_model.GetFocusedRecord();
    const CXTPReportColumnEx* found = m_model.FindColumnByItemIndex(column);
    const ivReportItem* item = record != nullptr ? record->GetItem(column) : nullptr;
    return item != nullptr && found != nullptr ? item->GetDisplayText(*found) : std::string();
}

int ivReportCore::GetRecordCount() {
    const CXTPReportRecordEx* root = m_model.GetRoot();
    return root != nullptr ? root->GetChildCount() : 0;
}

void ivReportCore::ApplyStyle() {
    using namespace report_style;
    ivReportOptions& options = m_model.Options();
    options.horizontalGrid = (m_style & kHorizontalGrid) != 0;
    options.verticalGrid = (m_style & kVerticalGrid) != 0;
    options.toolkitOptions = m_style & (kToolkitOption1 | kToolkitOption100 | kToolkitOption400000);
    options.previewMode = options.previewMode && (m_style & kPreview) != 0;
    options.shadeGroupHeadings = true;
    options.showGroupBy = (m_style & kGroupBy) != 0;
    options.editOnSingleClick = (m_style & kEditOnClick) != 0;
    options.headerShown = true;
    m_model.SetFocusedColumn(-1);
    m_model.NotifyStyleChanged();
    m_model.Populate();
}

ivReportViewData* ivReportCore::GetData() {
    if (!m_data) {
        m_data = std::make_unique<ivReportViewData>(&m_model);
    }
    return m_data.get();
}

void ivReportCore::TakeFocusedRecord() {
    GetData()->SetCurrentRecord(m_model.GetFocusedRecord());
}

void ivReportCore::ShowCurrentRecord() {
    CXTPReportRecordEx* record = GetData()->GetCurrentRecord();
    if (record == nullptr || !m_model.Holds(record)) {
        return;
    }
    for (CXTPReportRecordEx* above = record->GetParent(); above != nullptr;
         above = above->GetParent()) {
        m_model.SetExpanded(*above, true);
    }
    m_model.SetFocusedRecord(record);
}

void ivReportCore::FocusColumnByName(const std::string& name) {
    FocusColumn(FindColumn(name));
}

void ivReportCore::FocusColumn(int column) {
    if (m_model.FindColumnByItemIndex(column) != nullptr) {
        m_model.SetFocusedColumn(column);
    }
}

int ivReportCore::GetFocusedColumn() {
    return m_model.GetFocusedColumn();
}

void ivReportCore::ExpandAll() {
    m_model.SetAllExpanded(true);
}

void ivReportCore::ExpandFocused() {
    if (CXTPReportRecordEx* record = m_model.GetFocusedRecord()) {
        m_model.SetExpanded(*record, true);
    }
}

void ivReportCore::CollapseAll() {
    m_model.SetAllExpanded(false);
}

void ivReportCore::CollapseFocused() {
    if (CXTPReportRecordEx* record = m_model.GetFocusedRecord()) {
        m_model.SetExpanded(*record, false);
    }
}

std::string ivReportCore::GetLayoutXML() {
    m_model.NotifyLayoutRead();
    return GetReportLayoutXML(m_model);
}

void ivReportCore::SetLayoutXML(const std::string& text) {
    SetReportLayoutXML(m_model, text);
}

void ivReportCore::SaveReportLayout(const std::string& section) {
    platform::RegistryStore& store = AppRegistry();
    store.SetInt(section, kTypeEntry, 1);
    store.SetString(section, kLayoutEntry, GetLayoutXML());
    store.Flush();
}

void ivReportCore::LoadReportLayout(const std::string& section) {
    const platform::RegistryStore& store = AppRegistry();
    if (ReadSettingNumber(settings::kLoadLayout) == 0 ||
        store.GetInt(section, kTypeEntry, 0) == 0) {
        return;
    }
    SetLayoutXML(store.GetString(section, kLayoutEntry));
}

std::vector<ivColumnChoice> ivReportCore::GetColumnChoices() const {
    std::vector<ivColumnChoice> choices;
    for (int position = 0; position < m_model.GetColumnCount(); ++position) {
        const CXTPReportColumnEx* column = m_model.GetColumnAt(position);
        // A column without a caption (an image column) is offered by its name.
        const std::string& caption =
            column->GetCaption().empty() ? column->GetName() : column->GetCaption();
        choices.push_back({caption, column->IsVisible()});
    }
    return choices;
}

void ivReportCore::ToggleColumnAt(int position) {
    if (CXTPReportColumnEx* column = m_model.GetColumnAt(position)) {
        m_model.SetColumnVisible(column, !column->IsVisible());
    }
}

void ivReportCore::StartEditing(CXTPReportRecordEx& record, int column) {
    m_model.RequestEdit(record, column);
}

void ivReportCore::FocusQuietly(CXTPReportRecordEx* record) {
    m_quietFocus = true;
    m_model.SetFocusedRecord(record);
    m_quietFocus = false;
}

void ivReportCore::OnFocusChanged() {
    if (!m_quietFocus) {
        m_hooks->OnFocusHook(m_model.GetFocusedColumn());
    }
}

void ivReportCore::OnValueEdited(CXTPReportRecordEx&, int column) {
    m_hooks->OnValueChangedHook(column);
}
