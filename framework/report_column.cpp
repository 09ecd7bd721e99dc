#include "framework/report_column.h"

#include <algorithm>

CXTPReportColumnEx::CXTPReportColumnEx(int itemIndex, const std::string& name,
                                       const std::string& caption, int type)
    : m_itemIndex(itemIndex), m_name(name), m_caption(caption), m_type(type) {}

int CXTPReportColumnEx::GetKind() const {
    switch (m_type) {
        case report_type::kNumber:
        case report_type::kDate:
        case report_type::kCheckBox:
            return m_type;
        default:
            return report_type::kText;
    }
}

void CXTPReportColumnEx::SetWidth(int width) {
    m_width = std::clamp(width, kMinWidth, kMaxWidth);
}

void CXTPReportColumnEx::AddConstraint(const std::string& caption, long value) {
    m_constraints.push_back({caption, value});
}

const ivReportConstraint* CXTPReportColumnEx::FindConstraint(const std::string& caption) const {
    for (const ivReportConstraint& c : m_constraints) {
        if (c.caption == caption) {
            return &c;
        }
    }
    return nullptr;
}

const ivReportConstraint* CXTPReportColumnEx::FindConstraint(long value) const {
    for (const ivReportConstraint& c : m_constraints) {
        if (c.value == value) {
            return &c;
        }
    }
    return nullptr;
}
