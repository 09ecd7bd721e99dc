#pragma once

#include <ctime>
#include <string>

class CXTPReportColumnEx;

// The flag word of the cursor's Ex operations.
namespace item_flag {
inline constexpr unsigned kPlain = 0x1;  // no format text, no hyperlink, not editable
inline constexpr unsigned kReadOnly = 0x8;
inline constexpr unsigned kHyperlink = 0x100;
inline constexpr unsigned kRed = 0x200;
inline constexpr unsigned kBackground = 0x400;
inline constexpr unsigned kBold = 0x10000;
inline constexpr unsigned kCheckBox = 0x8000000;
inline constexpr unsigned kRecordState = 0x40000000;
}  // namespace item_flag

// One cell of a record: a value of its column's kind (text, number, date, check box, or the
// record's preview text) and how it is shown.
class ivReportItem {
public:
    // kind is a report_type code of the column; preview items hold the record's preview text.
    ivReportItem(int kind, bool preview);

    int GetKind() const { return m_kind; }
    bool IsPreview() const { return m_preview; }

    // Sets the value from text as a program writes it: numbers as the C library reads them
    // (anything after the number is ignored, no number is 0), dates in the forms a person may
    // type (a null date when the text is none), check boxes checked for a non-zero number.
    void SetFromText(const std::string& text);
    // The value as text: numbers with six decimals ("3.000000"), dates as local time stamps
    // (empty when null), check boxes "1" or "0".
    std::string GetText() const;
    // The text shown in the cell: the caption of a number's constraint, a number or date in its
    // format, a check box's nothing.
    std::string GetDisplayText(const CXTPReportColumnEx& column) const;

    // Applies what the user typed, by the editing rules of the kind; false when the text is
    // refused (a number that matches no constraint or is no number, an impossible date) or
    // changes nothing.
    bool ApplyEdit(const CXTPReportColumnEx& column, const std::string& typed);

    double GetNumber() const { return m_number; }
    bool HasDate() const { return m_hasDate; }
    std::time_t GetDate() const { return m_date; }
    bool IsChecked() const { return m_checked; }
    void SetChecked(bool checked) { m_checked = checked; }
    const std::string& GetString() const { return m_text; }

    // Appearance. Editable is the item's own part of the rule: an item is edited only when its
    // column is editable too.
    void ApplyFlags(unsigned flags, const std::string& format, bool checkBoxColumn);
    bool IsEditable() const { return m_editable; }
    bool IsBold() const { return m_bold; }
    bool IsRed() const { return m_red; }
    bool HasBackground() const { return m_background; }
    bool IsHyperlink() const { return m_hyperlink; }
    bool HasCheckBox() const { return m_checkBox; }
    const std::string& GetFormat() const { return m_format; }
    int GetImage() const { return m_image; }
    void SetImage(int image) { m_image = image; }

    // Orders two items of the same column: numbers and dates by value, check boxes unchecked
    // first, text without regard to case.
    static int Compare(const ivReportItem& a, const ivReportItem& b);

private:
    bool ApplyNumberEdit(const CXTPReportColumnEx& column, const std::string& typed);
    bool ApplyDateEdit(const std::string& typed);

    int m_kind;
    bool m_preview;
    std::string m_text;
    double m_number = 0;
    std::time_t m_date = 0;
    bool m_hasDate = false;
    bool m_checked = false;

    std::string m_format;
    int m_image = 0;
    bool m_editable = true;
    bool m_bold = false;
    bool m_red = false;
    bool m_background = false;
    bool m_hyperlink = false;
    bool m_checkBox = false;
};

// Numbers as the report exchanges them, independent of the user's locale: the C library's
// "%f" (six decimals, a dot), and the leading number of a text (0 when there is none).
std::string FormatReportNumber(double value);
double ParseLeadingNumber(const std::string& text);
