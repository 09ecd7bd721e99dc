#pragma once

#include <wx/dataview.h>

class CXTPReportColumnEx;
class ivReportModel;

// The wxDataViewModel over a report model: one model column per item index, a row per record.
// Every record is a container, so that a row can receive children at any time (the GTK control
// cannot turn a leaf into a container later).
class ivReportDataModel : public wxDataViewModel {
public:
    explicit ivReportDataModel(ivReportModel& model) : m_model(&model) {}
    // The report model is going away; the control gets nothing from here any more.
    void Detach() { m_model = nullptr; }

    // How a column's items are shown: check boxes as toggles, editable items as text to type
    // (or a list of the constraints), the others as text with their image.
    enum class Cell { Toggle, Text, Choice, IconText };
    static Cell CellOf(const CXTPReportColumnEx& column);

    unsigned GetColumnCount() const override;
    wxString GetColumnType(unsigned column) const override;
    void GetValue(wxVariant& value, const wxDataViewItem& item, unsigned column) const override;
    bool SetValue(const wxVariant& value, const wxDataViewItem& item, unsigned column) override;
    bool GetAttr(const wxDataViewItem& item, unsigned column,
                 wxDataViewItemAttr& attr) const override;
    bool IsEnabled(const wxDataViewItem& item, unsigned column) const override;
    wxDataViewItem GetParent(const wxDataViewItem& item) const override;
    bool IsContainer(const wxDataViewItem&) const override { return true; }
    bool HasContainerColumns(const wxDataViewItem&) const override { return true; }
    unsigned GetChildren(const wxDataViewItem& item, wxDataViewItemArray& children) const override;
    int Compare(const wxDataViewItem& first, const wxDataViewItem& second, unsigned column,
                bool ascending) const override;

    // The row of the report's record parent as the control knows it (the invisible root when
    // the report's root is not shown).
    wxDataViewItem ParentItemOf(const void* record) const;

private:
    ivReportModel* m_model;
};
