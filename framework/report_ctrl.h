#pragma once

#include "framework/report_model.h"

#include <wx/dataview.h>

#include <unordered_map>
#include <vector>

class ivReportCore;
class ivReportDataModel;

// The window of a report: a wxDataViewCtrl showing the report model through a wxDataViewModel
// adapter, a tree on the tree column. User actions (selection, edits, check boxes, expanding,
// sorting, the column chooser on a header right-click) go into the model; the model's changes
// come back as the adapter's notifications.
class ivReportCtrl : public wxDataViewCtrl, private ivReportModelListener {
public:
    ivReportCtrl(wxWindow* parent, wxWindowID id, ivReportCore& report);
    ~ivReportCtrl() override;

    ivReportCore& GetReport() { return m_report; }
    // The row of a record, and the record of a row.
    static wxDataViewItem ItemOf(const CXTPReportRecordEx* record);
    static CXTPReportRecordEx* RecordOf(const wxDataViewItem& item);
    // The column showing the item index, or null while it is hidden.
    wxDataViewColumn* ColumnOfItemIndex(int itemIndex) const;

    // Shows the column chooser at a point of this window (client coordinates) and toggles the
    // column chosen; returns its position, or -1 when the menu was dismissed.
    int ShowColumnChooser(const wxPoint& where);

    // Writes the widths and the order the user gave the columns into the model.
    void PullLayout();

private:
    // ivReportModelListener
    void OnRecordsReset() override;
    void OnRecordAdded(CXTPReportRecordEx& record) override;
    void OnRecordRemoved(CXTPReportRecordEx& parent, CXTPReportRecordEx& record) override;
    void OnRecordsChanged(const std::vector<CXTPReportRecordEx*>& records) override;
    void OnColumnsChanged() override;
    void OnFocusChanged() override;
    void OnExpansionChanged(CXTPReportRecordEx* record) override;
    void OnEditRequested(CXTPReportRecordEx& record, int itemIndex) override;
    void OnRecordsDropped(const CXTPReportRecordEx& top) override;
    void OnStyleChanged() override;
    void OnLayoutRead() override;
    void OnModelDestroyed() override;

    void RebuildColumns();
    // Expands in the window what is expanded in the model, below record.
    void ApplyExpansion(CXTPReportRecordEx& record);
    void ShowFocus();
    // Opens an editor on the item once the current events are over; unlessEditing: not when
    // an editor is open by then.
    void EditLater(CXTPReportRecordEx& record, int itemIndex, bool unlessEditing = false);
    void StartPendingEdit();

    void OnSelectionChanged(wxDataViewEvent& event);
    void OnStartEditing(wxDataViewEvent& event);
    void OnActivated(wxDataViewEvent& event);
    void OnExpandedOrCollapsed(wxDataViewEvent& event);
    void OnSorted(wxDataViewEvent& event);
    void OnHeaderRightClick(wxDataViewEvent& event);
    void OnRowClicked();
    void OnKeyDown(wxKeyEvent& event);

    ivReportCore& m_report;
    ivReportModel* m_model;
    ivReportDataModel* m_adapter;
    // What this window last set of each column (by item index), so that PullLayout takes
    // only what the user changed.
    std::unordered_map<int, int> m_pushedWidths;
    std::vector<int> m_pushedOrder;
    // Set while this window carries a change of the model into the control, so that the
    // control's events about it do not go back into the model.
    int m_applying = 0;
    // The item an editor opens on once the current events are over.
    CXTPReportRecordEx* m_pendingEdit = nullptr;
    int m_pendingColumn = -1;
    bool m_pendingUnlessEditing = false;
};
