#include "framework/report_view_data.h"

#include "framework/report_model.h"

wxIMPLEMENT_DYNAMIC_CLASS(ivReportViewData, ivData);

ivReportViewData::~ivReportViewData() {
    Attach(nullptr);
}

void ivReportViewData::Attach(ivReportModel* model) {
    if (m_model != nullptr) {
        m_model->RemoveListener(this);
    }
    m_model = model;
    m_current = nullptr;
    if (m_model != nullptr) {
        m_model->AddListener(this);
    }
}

void ivReportViewData::OnRecordsDropped(const CXTPReportRecordEx& top) {
    // A record removed by other means than this cursor is no longer current.
    if (top.Contains(m_current)) {
        m_current = nullptr;
    }
}

void ivReportViewData::OnModelDestroyed() {
    m_model = nullptr;
    m_current = nullptr;
}

void ivReportViewData::Close() {
    if (m_model != nullptr) {
        m_model->ClearRecords();
    }
    m_current = nullptr;
}

bool ivReportViewData::Create() {
    return m_model != nullptr;
}

bool ivReportViewData::Reset() {
    return m_model != nullptr;
}

bool ivReportViewData::AddNode(const std::string& name) {
    if (m_model == nullptr) {
        return false;
    }
    if (m_model->GetRoot() == nullptr) {
        m_current = &m_model->CreateRoot(name);
        return true;
    }
    CXTPReportRecordEx* current = GetCurrentRecord();
    if (current == nullptr) {
        return false;
    }
    m_current = &m_model->AddRecord(*current, name);
    return true;
}

bool ivReportViewData::EndNode() {
    return GoParent();
}

bool ivReportViewData::AddAttribute(const std::string& name, const std::string& value) {
    return AddAttributeEx(name, value, {}, 0, 0);
}

bool ivReportViewData::AddAttributeEx(const std::string&, const std::string& value,
                                      const std::string& format, int image, unsigned flags) {
    return SetItem(-1, value, format, image, flags);
}

bool ivReportViewData::RemoveNode() {
    CXTPReportRecordEx* current = GetCurrentRecord();
    if (current == nullptr || current->GetParent() == nullptr) {
        return false;
    }
    CXTPReportRecordEx* parent = current->GetParent();
    if (!m_model->RemoveRecord(*current)) {
        return false;
    }
    m_current = parent;
    return true;
}

bool ivReportViewData::GoRoot() {
    if (m_model == nullptr || m_model->GetRoot() == nullptr) {
        return false;
    }
    m_current = m_model->GetRoot();
    return true;
}

bool ivReportViewData::GoParent() {
    CXTPReportRecordEx* current = GetCurrentRecord();
    if (current == nullptr) {
        return false;
    }
    m_current = current->GetParent();
    return true;
}

bool ivReportViewData::GoChild(int index) {
    CXTPReportRecordEx* current = GetCurrentRecord();
    CXTPReportRecordEx* child = current != nullptr ? current->GetChild(index) : nullptr;
    if (child == nullptr) {
        return false;
    }
    m_current = child;
    return true;
}

int ivReportViewData::GetAttributeCount() {
    CXTPReportRecordEx* current = GetCurrentRecord();
    return current != nullptr ? current->GetItemCount() : 0;
}

int ivReportViewData::GetChildCount() {
    CXTPReportRecordEx* current = GetCurrentRecord();
    return current != nullptr ? current->GetChildCount() : 0;
}

std::string ivReportViewData::GetName() {
    CXTPReportRecordEx* current = GetCurrentRecord();
    return current != nullptr ? current->GetName() : std::string();
}

std::string ivReportViewData::GetAttributeValue(int index) {
    CXTPReportRecordEx* current = GetCurrentRecord();
    const ivReportItem* item = current != nullptr ? current->GetItem(index) : nullptr;
    return item != nullptr ? item->GetText() : std::string();
}

std::string ivReportViewData::GetAttribute(const std::string& name) {
    if (m_model == nullptr) {
        return {};
    }
    const CXTPReportColumnEx* column = m_model->FindColumnByName(name);
    return column != nullptr ? GetAttributeValue(column->GetItemIndex()) : std::string();
}

void ivReportViewData::SetAttributeValue(int index, const std::string& value) {
    SetAttributeValueEx(index, value, {}, 0, 0);
}

void ivReportViewData::SetAttribute(const std::string& name, const std::string& value) {
    SetAttributeEx(name, value, {}, 0, 0);
}

void ivReportViewData::SetAttributeValueEx(int index, const std::string& value,
                                           const std::string& format, int image, unsigned flags) {
    SetItem(index, value, format, image, flags);
}

void ivReportViewData::SetAttributeEx(const std::string& name, const std::string& value,
                                      const std::string& format, int image, unsigned flags) {
    const CXTPReportColumnEx* column =
        m_model != nullptr ? m_model->FindColumnByName(name) : nullptr;
    SetAttributeValueEx(column != nullptr ? column->GetItemIndex() : -1, value, format, image,
                        flags);
}

bool ivReportViewData::SetItem(int index, const std::string& value, const std::string& format,
                               int image, unsigned flags) {
    CXTPReportRecordEx* record = GetCurrentRecord();
    if (record == nullptr) {
        return false;
    }
    const bool create = index == -1;
    if (create) {
        index = record->GetItemCount();
    } else if (record->GetItem(index) == nullptr) {
        return false;
    }
    const CXTPReportColumnEx* column = m_model->FindColumnByItemIndex(index);
    if (column == nullptr) {
        return false;
    }
    const std::string& shownFormat = format.empty() ? column->GetDefaultFormat() : format;
    ivReportItem* item = record->GetItem(index);
    if (create) {
        const bool preview = column->IsPreview() && record->GetPreviewItem() == nullptr;
        item = &record->AddItem(ivReportItem(column->GetKind(), preview));
    }
    item->SetFromText(value);
    if (flags != 0 || create) {
        item->ApplyFlags(flags, shownFormat, column->GetKind() == report_type::kCheckBox);
        record->SetState((flags & item_flag::kRecordState) != 0);
    }
    if (image == 0) {
        item->SetImage(0);
    } else if (m_model->IsImageAvailable(image)) {
        item->SetImage(image);
    }
    m_model->NotifyRecordChanged(*record);
    return true;
}
