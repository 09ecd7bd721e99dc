#include "framework/report_item.h"

#include "framework/report_column.h"
#include "platform/time_stamp.h"

#include <strings.h>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string Trimmed(const std::string& text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) {
        return {};
    }
    const size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

// The whole text as a number, with "." or "," as the decimal mark; false for anything else.
bool ParseWholeNumber(const std::string& typed, double& value) {
    std::string text = Trimmed(typed);
    for (char& c : text) {
        if (c == ',') {
            c = '.';
        }
    }
    if (text.empty()) {
        value = 0;
        return true;
    }
    const char* first = text.c_str();
    if (*first == '+') {
        ++first;
    }
    const char* last = text.c_str() + text.size();
    double parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed, std::chars_format::fixed);
    if (error != std::errc() || end != last || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

// The shortest text that reads back as value, with the user's decimal mark.
std::string ShortNumber(double value) {
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    if (error != std::errc()) {
        return FormatReportNumber(value);
    }
    std::string result(text, end);
    const char* point = std::localeconv()->decimal_point;
    if (point != nullptr && std::strcmp(point, ".") != 0) {
        const size_t dot = result.find('.');
        if (dot != std::string::npos) {
            result.replace(dot, 1, point);
        }
    }
    return result;
}

// A format with exactly one floating-point conversion and nothing printf could misread.
bool IsNumberFormat(const std::string& format) {
    int conversions = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < format.size() && std::strchr("-+ #0123456789.", format[j]) != nullptr) {
            ++j;
        }
        if (j >= format.size() || std::strchr("fFeEgG", format[j]) == nullptr || j - i > 8) {
            return false;
        }
        ++conversions;
        i = j;
    }
    return conversions == 1;
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    return strcasecmp(a.c_str(), b) == 0;
}

}  // namespace

std::string FormatReportNumber(double value) {
    if (!std::isfinite(value)) {
        value = 0;
    }
    char text[400];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return error == std::errc() ? std::string(text, end) : std::string("0.000000");
}

double ParseLeadingNumber(const std::string& text) {
    const char* first = text.c_str();
    while (*first == ' ' || *first == '\t' || *first == '\n' || *first == '\r') {
        ++first;
    }
    if (*first == '+') {
        ++first;
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(first, text.c_str() + text.size(), value, std::chars_format::general);
    (void)end;
    return error == std::errc() && std::isfinite(value) ? value : 0;
}

ivReportItem::ivReportItem(int kind, bool preview) : m_kind(kind), m_preview(preview) {
    m_checkBox = kind == report_type::kCheckBox;
}

void ivReportItem::SetFromText(const std::string& text) {
    if (m_preview) {
        m_text = text;
        return;
    }
    switch (m_kind) {
        case report_type::kNumber:
            m_number = ParseLeadingNumber(text);
            break;
        case report_type::kDate:
            m_hasDate = !text.empty() && platform::ParseDateText(text, m_date);
            break;
        case report_type::kCheckBox:
            m_checked = ParseLeadingNumber(text) != 0;
            break;
        default:
            m_text = text;
            break;
    }
}

std::string ivReportItem::GetText() const {
    if (m_preview) {
        return m_text;
    }
    switch (m_kind) {
        case report_type::kNumber:
            return FormatReportNumber(m_number);
        case report_type::kDate:
            return m_hasDate ? platform::FormatTimeStamp(m_date) : std::string();
        case report_type::kCheckBox:
            return m_checked ? "1" : "0";
        default:
            return m_text;
    }
}

std::string ivReportItem::GetDisplayText(const CXTPReportColumnEx& column) const {
    if (m_preview) {
        return m_text;
    }
    switch (m_kind) {
        case report_type::kNumber: {
            if (!column.GetConstraints().empty()) {
                const ivReportConstraint* c = column.FindConstraint(static_cast<long>(m_number));
                return c != nullptr ? c->caption : std::string();
            }
            if (IsNumberFormat(m_format)) {
                char text[400];
                std::snprintf(text, sizeof text, m_format.c_str(), m_number);
                return text;
            }
            return ShortNumber(m_number);
        }
        case report_type::kDate:
            return m_hasDate ? platform::FormatLocalTime(m_date,
                                                         m_format.empty() ? "%c" : m_format.c_str())
                             : std::string();
        case report_type::kCheckBox:
            return {};
        default:
            return m_text;
    }
}

bool ivReportItem::ApplyEdit(const CXTPReportColumnEx& column, const std::string& typed) {
    if (m_preview) {
        if (m_text == typed) {
            return false;
        }
        m_text = typed;
        return true;
    }
    switch (m_kind) {
        case report_type::kNumber:
            return ApplyNumberEdit(column, typed);
        case report_type::kDate:
            return ApplyDateEdit(typed);
        case report_type::kCheckBox: {
            const bool checked = ParseLeadingNumber(typed) != 0;
            if (checked == m_checked) {
                return false;
            }
            m_checked = checked;
            return true;
        }
        default:
            if (m_text == typed) {
                return false;
            }
            m_text = typed;
            return true;
    }
}

bool ivReportItem::ApplyNumberEdit(const CXTPReportColumnEx& column, const std::string& typed) {
    double value = 0;
    if (!column.GetConstraints().empty()) {
        const ivReportConstraint* c = column.FindConstraint(typed);
        if (c == nullptr) {
            return false;
        }
        value = static_cast<double>(c->value);
    } else if (!ParseWholeNumber(typed, value)) {
        return false;
    }
    if (value == m_number) {
        return false;
    }
    m_number = value;
    return true;
}

bool ivReportItem::ApplyDateEdit(const std::string& typed) {
    std::string text = Trimmed(typed);
    if (EqualsIgnoringCase(text, "NOW")) {
        text = platform::NowTimeStamp();
    } else if (text.find('.') == std::string::npos && std::atoi(text.c_str()) > 1900) {
        char year[32];
        std::snprintf(year, sizeof year, "%02d.%02d.%04d", 1, 1, std::atoi(text.c_str()));
        text = year;
    }
    if (text.empty()) {
        if (!m_hasDate) {
            return false;
        }
        m_hasDate = false;
        return true;
    }
    std::time_t when = 0;
    if (!platform::ParseDateText(text, when)) {
        return false;
    }
    if (m_hasDate && when == m_date) {
        return false;
    }
    m_hasDate = true;
    m_date = when;
    return true;
}

void ivReportItem::ApplyFlags(unsigned flags, const std::string& format, bool checkBoxColumn) {
    const bool plain = (flags & item_flag::kPlain) != 0;
    m_editable = (flags & (item_flag::kPlain | item_flag::kReadOnly)) == 0;
    m_bold = (flags & item_flag::kBold) != 0;
    m_hyperlink = !plain && (flags & item_flag::kHyperlink) != 0;
    if (plain) {
        m_format.clear();
    } else if (!format.empty()) {
        m_format = format;
    }
    m_red = (flags & item_flag::kRed) != 0;
    m_background = (flags & item_flag::kBackground) != 0;
    m_checkBox = (flags & item_flag::kCheckBox) != 0 || checkBoxColumn;
}

int ivReportItem::Compare(const ivReportItem& a, const ivReportItem& b) {
    auto order = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    if (a.m_preview || b.m_preview) {
        return order(a.m_text, b.m_text);
    }
    switch (a.m_kind) {
        case report_type::kNumber:
            return order(a.m_number, b.m_number);
        case report_type::kDate:
            if (a.m_hasDate != b.m_hasDate) {
                return a.m_hasDate ? 1 : -1;
            }
            return order(a.m_date, b.m_date);
        case report_type::kCheckBox:
            return order(a.m_checked, b.m_checked);
        default: {
            const int c = strcasecmp(a.m_text.c_str(), b.m_text.c_str());
            return c < 0 ? -1 : (c > 0 ? 1 : 0);
        }
    }
}
