#include "framework/report_data_model.h"

#include "framework/command_images.h"
#include "framework/report_model.h"

#include <wx/settings.h>

namespace {

CXTPReportRecordEx* Record(const wxDataViewItem& item) {
    return static_cast<CXTPReportRecordEx*>(item.GetID());
}

wxDataViewItem Item(const CXTPReportRecordEx* record) {
    return wxDataViewItem(const_cast<CXTPReportRecordEx*>(record));
}

}  // namespace

ivReportDataModel::Cell ivReportDataModel::CellOf(const CXTPReportColumnEx& column) {
    if (column.GetKind() == report_type::kCheckBox) {
        return Cell::Toggle;
    }
    if (!column.IsEditable()) {
        return Cell::IconText;
    }
    return column.IsComboEdit() && !column.GetConstraints().empty() ? Cell::Choice : Cell::Text;
}

unsigned ivReportDataModel::GetColumnCount() const {
    return m_model != nullptr ? static_cast<unsigned>(m_model->GetColumnCount()) : 0;
}

wxString ivReportDataModel::GetColumnType(unsigned column) const {
    const CXTPReportColumnEx* found =
        m_model != nullptr ? m_model->FindColumnByItemIndex(static_cast<int>(column)) : nullptr;
    if (found == nullptr) {
        return "string";
    }
    switch (CellOf(*found)) {
        case Cell::Toggle:
            return "bool";
        case Cell::IconText:
            return "wxDataViewIconText";
        default:
            return "string";
    }
}

void ivReportDataModel::GetValue(wxVariant& value, const wxDataViewItem& item,
                                 unsigned column) const {
    const int index = static_cast<int>(column);
    const CXTPReportColumnEx* found =
        m_model != nullptr ? m_model->FindColumnByItemIndex(index) : nullptr;
    const CXTPReportRecordEx* record = Record(item);
    const ivReportItem* cell =
        found != nullptr && record != nullptr ? record->GetItem(index) : nullptr;
    const Cell kind = found != nullptr ? CellOf(*found) : Cell::Text;
    if (kind == Cell::Toggle) {
        value = cell != nullptr && cell->IsChecked();
        return;
    }
    wxString text;
    if (cell != nullptr) {
        text = wxString::FromUTF8(cell->GetDisplayText(*found));
        // Preview texts are shown below the text of the tree column.
        const ivReportItem* preview = record->GetPreviewItem();
        if (m_model->Options().previewMode && found->IsTree() && preview != nullptr &&
            !preview->GetString().empty()) {
            text << "\n" << wxString::FromUTF8(preview->GetString());
        }
    }
    if (kind == Cell::IconText) {
        wxBitmapBundle image;
        if (cell != nullptr && cell->GetImage() != 0) {
            image = GetCommandImage(cell->GetImage());
        }
        value << wxDataViewIconText(text, image);
        return;
    }
    value = text;
}

bool ivReportDataModel::SetValue(const wxVariant& value, const wxDataViewItem& item,
                                 unsigned column) {
    CXTPReportRecordEx* record = Record(item);
    const int index = static_cast<int>(column);
    if (m_model == nullptr || record == nullptr || !m_model->Holds(record) ||
        !m_model->IsItemEditable(*record, index)) {
        return false;
    }
    const ivReportItem* cell = record->GetItem(index);
    if (value.GetType() == "bool") {
        return cell->IsChecked() != value.GetBool() && m_model->ToggleCheck(*record, index);
    }
    return m_model->ApplyUserEdit(*record, index, value.GetString().utf8_string());
}

bool ivReportDataModel::GetAttr(const wxDataViewItem& item, unsigned column,
                                wxDataViewItemAttr& attr) const {
    const CXTPReportRecordEx* record = Record(item);
    const ivReportItem* cell = m_model != nullptr && record != nullptr
                                   ? record->GetItem(static_cast<int>(column))
                                   : nullptr;
    if (cell == nullptr) {
        return false;
    }
    bool any = false;
    if (cell->IsBold()) {
        attr.SetBold(true);
        any = true;
    }
    if (cell->IsRed()) {
        attr.SetColour(*wxRED);
        any = true;
    } else if (cell->IsHyperlink()) {
        attr.SetColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HOTLIGHT));
        any = true;
    }
    if (cell->HasBackground()) {
        attr.SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOBK));
        any = true;
    }
    return any;
}

bool ivReportDataModel::IsEnabled(const wxDataViewItem& item, unsigned column) const {
    const CXTPReportRecordEx* record = Record(item);
    const int index = static_cast<int>(column);
    const CXTPReportColumnEx* found =
        m_model != nullptr ? m_model->FindColumnByItemIndex(index) : nullptr;
    // Text cells that may not be edited are refused when editing starts; a check box that may
    // not be toggled is shown so.
    if (found == nullptr || record == nullptr || CellOf(*found) != Cell::Toggle) {
        return true;
    }
    return m_model->IsItemEditable(*record, index);
}

wxDataViewItem ivReportDataModel::ParentItemOf(const void* record) const {
    const auto* parent = static_cast<const CXTPReportRecordEx*>(record)->GetParent();
    if (parent == nullptr || m_model == nullptr ||
        (parent == m_model->GetShownRoot() && !m_model->IsRootShown())) {
        return wxDataViewItem();
    }
    return Item(parent);
}

wxDataViewItem ivReportDataModel::GetParent(const wxDataViewItem& item) const {
    const CXTPReportRecordEx* record = Record(item);
    return record != nullptr ? ParentItemOf(record) : wxDataViewItem();
}

unsigned ivReportDataModel::GetChildren(const wxDataViewItem& item,
                                        wxDataViewItemArray& children) const {
    if (m_model == nullptr) {
        return 0;
    }
    const CXTPReportRecordEx* parent = Record(item);
    if (parent == nullptr) {
        parent = m_model->GetShownRoot();
        if (parent == nullptr) {
            return 0;
        }
        if (m_model->IsRootShown()) {
            children.Add(Item(parent));
            return 1;
        }
    }
    children.reserve(children.size() + parent->GetChildren().size());
    for (const auto& child : parent->GetChildren()) {
        children.Add(Item(child.get()));
    }
    return static_cast<unsigned>(parent->GetChildCount());
}

int ivReportDataModel::Compare(const wxDataViewItem& first, const wxDataViewItem& second,
                               unsigned column, bool ascending) const {
    const CXTPReportRecordEx* a = Record(first);
    const CXTPReportRecordEx* b = Record(second);
    const ivReportItem* x = a != nullptr ? a->GetItem(static_cast<int>(column)) : nullptr;
    const ivReportItem* y = b != nullptr ? b->GetItem(static_cast<int>(column)) : nullptr;
    int order = x != nullptr && y != nullptr ? ivReportItem::Compare(*x, *y) : 0;
    if (order == 0 && a != nullptr && b != nullptr) {
        // Equal values keep the order of the records.
        order = a->GetIndex() < b->GetIndex() ? -1 : (a->GetIndex() > b->GetIndex() ? 1 : 0);
        return order;
    }
    return ascending ? order : -order;
}
