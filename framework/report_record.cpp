#include "framework/report_record.h"

#include <algorithm>

CXTPReportRecordEx::CXTPReportRecordEx(const std::string& name, CXTPReportRecordEx* parent)
    : m_name(name), m_parent(parent) {}

ivReportItem* CXTPReportRecordEx::GetItem(int index) {
    return index >= 0 && index < GetItemCount() ? &m_items[static_cast<size_t>(index)] : nullptr;
}

const ivReportItem* CXTPReportRecordEx::GetItem(int index) const {
    return index >= 0 && index < GetItemCount() ? &m_items[static_cast<size_t>(index)] : nullptr;
}

ivReportItem& CXTPReportRecordEx::AddItem(ivReportItem item) {
    m_items.push_back(std::move(item));
    return m_items.back();
}

const ivReportItem* CXTPReportRecordEx::GetPreviewItem() const {
    for (const ivReportItem& item : m_items) {
        if (item.IsPreview()) {
            return &item;
        }
    }
    return nullptr;
}

CXTPReportRecordEx* CXTPReportRecordEx::GetChild(int index) const {
    return index >= 0 && index < GetChildCount() ? m_children[static_cast<size_t>(index)].get()
                                                 : nullptr;
}

CXTPReportRecordEx& CXTPReportRecordEx::AddChild(std::unique_ptr<CXTPReportRecordEx> child) {
    child->m_index = static_cast<int>(m_children.size());
    m_children.push_back(std::move(child));
    return *m_children.back();
}

CXTPReportRecordEx& CXTPReportRecordEx::InsertChild(std::unique_ptr<CXTPReportRecordEx> child,
                                                    int index) {
    if (index < 0 || index > GetChildCount()) {
        index = GetChildCount();
    }
    child->m_parent = this;
    CXTPReportRecordEx& inserted =
        **m_children.insert(m_children.begin() + index, std::move(child));
    for (size_t i = static_cast<size_t>(index); i < m_children.size(); ++i) {
        m_children[i]->m_index = static_cast<int>(i);
    }
    return inserted;
}

std::unique_ptr<CXTPReportRecordEx> CXTPReportRecordEx::TakeChild(const CXTPReportRecordEx* child) {
    if (child == nullptr || child->m_parent != this || child->m_index < 0 ||
        child->m_index >= GetChildCount() ||
        m_children[static_cast<size_t>(child->m_index)].get() != child) {
        return nullptr;
    }
    const auto at = m_children.begin() + child->m_index;
    std::unique_ptr<CXTPReportRecordEx> taken = std::move(*at);
    m_children.erase(at);
    for (size_t i = static_cast<size_t>(taken->m_index); i < m_children.size(); ++i) {
        m_children[i]->m_index = static_cast<int>(i);
    }
    taken->m_index = -1;
    return taken;
}

bool CXTPReportRecordEx::Contains(const CXTPReportRecordEx* other) const {
    for (; other != nullptr; other = other->m_parent) {
        if (other == this) {
            return true;
        }
    }
    return false;
}
