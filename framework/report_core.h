#pragma once

#include "framework/report_model.h"
#include "framework/report_view_data.h"
#include "framework/view_hooks.h"

#include <memory>
#include <string>
#include <vector>

class ivDomain;
class wxObject;

// The hooks of a report view: the ten every framework view carries, then those the report
// calls on user actions. The defaults do nothing and report success; a derived view fills
// those it needs.
class ivReportHooks : public ivViewHooks {
public:
    // The focused row changed; the column is the focused column's item index (-1 for none).
    virtual void OnFocusHook(int /*column*/) {}
    virtual void OnClickHook(int /*column*/) {}
    virtual void OnDoubleClickHook(int /*column*/) {}
    // The user changed an item of that column (typed a value, or clicked a check box).
    virtual void OnValueChangedHook(int /*column*/) {}
};

// View style flags (ApplyStyle).
namespace report_style {
inline constexpr unsigned kToolkitOption1 = 0x1;
inline constexpr unsigned kEditOnClick = 0x80;
inline constexpr unsigned kToolkitOption100 = 0x100;
inline constexpr unsigned kGroupBy = 0x40000;
inline constexpr unsigned kPreview = 0x80000;
inline constexpr unsigned kHorizontalGrid = 0x100000;
inline constexpr unsigned kVerticalGrid = 0x200000;
inline constexpr unsigned kToolkitOption400000 = 0x400000;
}  // namespace report_style

// One entry of the column chooser: a column's caption and whether it is shown.
struct ivColumnChoice {
    std::string caption;
    bool visible = false;
};

// The report interface of a report view without its window: typed columns, records written
// through the record cursor, focus, expansion, layout text and the per-user layout store. The
// window that shows the model and the view that owns it sit on top; user actions reach the
// hooks through the model.
class ivReportCore : private ivReportModelListener {
public:
    ivReportCore();
    virtual ~ivReportCore();
    ivReportCore(const ivReportCore&) = delete;
    ivReportCore& operator=(const ivReportCore&) = delete;

    // The hooks the report calls; null restores the defaults.
    void SetHooks(ivReportHooks* hooks);
    ivReportHooks& Hooks() { return *m_hooks; }

    // The document of the view.
    virtual ivDomain* GetDomain() { return m_domain; }
    void SetDomain(ivDomain* domain) { m_domain = domain; }

    // Adds a column (flags of column_flag; width in units of ten pixels, 0 or less for 100
    // pixels); true.
    virtual bool AddColumn(const std::string& name, const std::string& caption, int type,
                           unsigned flags, int width, const std::string& defaultFormat);
    // A constraint of the number column with this item index; false for other columns.
    virtual bool AddConstraint(int column, const std::string& value, const std::string& caption);
    virtual std::string GetColumnName(int column);
    // Item index of the first column in display order with exactly this name; -1 when none.
    virtual int FindColumn(const std::string& name);
    virtual int GetColumnCount();
    // Closes the record cursor, ends editing, clears sort and group order, removes every
    // column, switches editing and preview mode off.
    virtual void ClearColumns();
    // What the focused row shows in that column; empty without a focused row or item.
    virtual std::string GetFocusedItemText(int column);
    // Records directly below the root.
    virtual int GetRecordCount();
    virtual void ApplyStyle();
    // The record cursor, made on first use.
    virtual ivReportViewData* GetData();
    // The cursor's current record becomes the focused row's record (none without one).
    virtual void TakeFocusedRecord();
    // Focuses the row of the cursor's current record, expanding the rows above it.
    virtual void ShowCurrentRecord();
    virtual void FocusColumnByName(const std::string& name);
    virtual void FocusColumn(int column);
    virtual int GetFocusedColumn();
    virtual void ExpandAll();
    virtual void ExpandFocused();
    virtual void CollapseAll();
    virtual void CollapseFocused();
    virtual std::string GetLayoutXML();
    virtual void SetLayoutXML(const std::string& text);
    // The layout in the per-user store, in the section of that name (with "Type" = 1).
    virtual void SaveReportLayout(const std::string& section);
    // Applies the stored layout unless "/LoadLayout" is 0 or the section was never saved.
    virtual void LoadReportLayout(const std::string& section);

    unsigned GetStyle() const { return m_style; }
    void SetStyle(unsigned style) { m_style = style; }

    // The column chooser: one entry per column in display order; toggling one shows or hides
    // that column.
    std::vector<ivColumnChoice> GetColumnChoices() const;
    void ToggleColumnAt(int position);

    // Starts editing an item of a record in place (when it is editable).
    void StartEditing(CXTPReportRecordEx& record, int column);
    // The focused record changes without the focus hook being called.
    void FocusQuietly(CXTPReportRecordEx* record);

    ivReportModel& Model() { return m_model; }
    const ivReportModel& Model() const { return m_model; }

private:
    void OnFocusChanged() override;
    void OnValueEdited(CXTPReportRecordEx& record, int column) override;

    ivReportModel m_model;
    std::unique_ptr<ivReportViewData> m_data;
    ivReportHooks m_defaultHooks;
    ivReportHooks* m_hooks = &m_defaultHooks;
    ivDomain* m_domain = nullptr;
    unsigned m_style = 0;
    bool m_quietFocus = false;
};
