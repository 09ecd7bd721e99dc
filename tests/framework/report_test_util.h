#pragma once

#include "framework/report_core.h"

#include <initializer_list>
#include <string>
#include <vector>

// A report with one column of each kind, in this order: "Name" (text, editable, tree),
// "Count" (number, editable), "Due" (date, editable), "Done" (check box, editable), "Note"
// (text, read-only).
inline void AddTestColumns(ivReportCore& report) {
    report.AddColumn("Name", "Name", report_type::kText, 0x40000080, 20, {});
    report.AddColumn("Count", "Count", report_type::kNumber, 0x80, -1, {});
    report.AddColumn("Due", "Due", report_type::kDate, 0x80, -1, {});
    report.AddColumn("Done", "Done", report_type::kCheckBox, 0x80, -1, {});
    report.AddColumn("Note", "Note", report_type::kText, 0, -1, {});
}

// Adds a record below the cursor's current one with values in column order; the cursor stays
// on the new record.
inline void AddRow(ivReportViewData& rows, const std::string& name,
                   const std::vector<std::string>& values) {
    rows.AddNode(name);
    for (const std::string& value : values) {
        rows.AddAttribute("ignored", value);
    }
}

// The record at a path of child positions below the root; null when there is none.
inline CXTPReportRecordEx* RowAt(ivReportModel& model, std::initializer_list<int> path) {
    CXTPReportRecordEx* record = model.GetRoot();
    for (int i : path) {
        record = record != nullptr ? record->GetChild(i) : nullptr;
    }
    return record;
}

// The text of a record's item in the column of that name.
inline std::string CellText(ivReportCore& report, const CXTPReportRecordEx& record,
                            const char* column) {
    const ivReportItem* item = record.GetItem(report.FindColumn(column));
    return item != nullptr ? item->GetText() : std::string();
}

// Records the model's notifications.
class RecordingListener : public ivReportModelListener {
public:
    void OnRecordsReset() override { ++resets; }
    void OnRecordAdded(CXTPReportRecordEx&) override { ++added; }
    void OnRecordRemoved(CXTPReportRecordEx&, CXTPReportRecordEx&) override { ++removed; }
    void OnRecordsChanged(const std::vector<CXTPReportRecordEx*>& records) override {
        changed.push_back(records.size());
    }
    void OnFocusChanged() override { ++focus; }
    void OnValueEdited(CXTPReportRecordEx&, int column) override { edited.push_back(column); }
    void OnEditRequested(CXTPReportRecordEx&, int column) override {
        editRequests.push_back(column);
    }
    int resets = 0;
    int added = 0;
    int removed = 0;
    int focus = 0;
    std::vector<size_t> changed;
    std::vector<int> edited;
    std::vector<int> editRequests;
};
