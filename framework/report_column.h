#pragma once

#include <string>
#include <vector>

// Column type codes of the report control.
namespace report_type {
inline constexpr int kText = 1;  // also every code not listed
inline constexpr int kNumber = 2;
inline constexpr int kDate = 5;
inline constexpr int kCheckBox = 6;
}  // namespace report_type

// The flag word of AddColumn.
namespace column_flag {
inline constexpr unsigned kHidden = 0x1;
inline constexpr unsigned kNotSortable = 0x2;
inline constexpr unsigned kEditable = 0x80;
inline constexpr unsigned kFixedWidth = 0x8000;
inline constexpr unsigned kSort = 0x20000;
inline constexpr unsigned kGroup = 0x40000;
inline constexpr unsigned kDescending = 0x80000;
inline constexpr unsigned kComboEdit = 0x4000000;
inline constexpr unsigned kTree = 0x40000000;
inline constexpr unsigned kPreview = 0x80000000;
}  // namespace column_flag

// A value a number column offers by its caption: typing the caption sets the value.
struct ivReportConstraint {
    std::string caption;
    long value = 0;
};

// A column of the report control: its name (the key by which records find it; the caption is
// separate), caption, default format, type and the way it is shown. Its item index is its
// position at creation and stays when the column is moved or hidden.
class CXTPReportColumnEx {
public:
    CXTPReportColumnEx(int itemIndex, const std::string& name, const std::string& caption,
                       int type);

    int GetItemIndex() const { return m_itemIndex; }
    const std::string& GetName() const { return m_name; }
    const std::string& GetCaption() const { return m_caption; }
    // The type code; codes other than the four known ones are text.
    int GetType() const { return m_type; }
    int GetKind() const;

    const std::string& GetDefaultFormat() const { return m_defaultFormat; }
    void SetDefaultFormat(const std::string& format) { m_defaultFormat = format; }

    bool IsPreview() const { return m_preview; }
    void SetPreview(bool preview) { m_preview = preview; }
    bool IsTree() const { return m_tree; }
    void SetTree(bool tree) { m_tree = tree; }
    bool IsVisible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    bool IsSortable() const { return m_sortable; }
    void SetSortable(bool sortable) { m_sortable = sortable; }
    bool IsEditable() const { return m_editable; }
    void SetEditable(bool editable) { m_editable = editable; }
    // Edits through a drop-down list of the constraints.
    bool IsComboEdit() const { return m_combo; }
    void SetComboEdit(bool combo) { m_combo = combo; }
    bool IsAutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool IsRightAligned() const { return m_rightAligned; }
    void SetRightAligned(bool right) { m_rightAligned = right; }
    // Width in pixels.
    int GetWidth() const { return m_width; }
    void SetWidth(int width);

    void AddConstraint(const std::string& caption, long value);
    const std::vector<ivReportConstraint>& GetConstraints() const { return m_constraints; }
    // The constraint with this caption, or null.
    const ivReportConstraint* FindConstraint(const std::string& caption) const;
    const ivReportConstraint* FindConstraint(long value) const;

    // Widths a layout may set: a column is never narrower than this or wider than the maximum.
    static constexpr int kMinWidth = 8;
    static constexpr int kMaxWidth = 20000;

private:
    int m_itemIndex;
    std::string m_name;
    std::string m_caption;
    int m_type;
    std::string m_defaultFormat;
    bool m_preview = false;
    bool m_tree = false;
    bool m_visible = true;
    bool m_sortable = true;
    bool m_editable = false;
    bool m_combo = false;
    bool m_autoSize = true;
    bool m_rightAligned = false;
    int m_width = 100;
    std::vector<ivReportConstraint> m_constraints;
};
