#pragma once

#include <wx/print.h>

#include <vector>

class CXTPReportColumnEx;
class CXTPReportRecordEx;
class ivReportModel;

// The rows of a report on paper, as the window shows them: the shown columns in their order
// with their captions on every page, the rows of expanded parents indented on the tree column.
class ivReportPrintout : public wxPrintout {
public:
    ivReportPrintout(const ivReportModel& model, const wxString& title);

    void OnPreparePrinting() override;
    bool HasPage(int page) override;
    void GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) override;
    bool OnPrintPage(int page) override;

    int GetPageCount() const { return m_pages; }
    size_t GetRowCount() const { return m_rows.size(); }

private:
    struct Row {
        const CXTPReportRecordEx* record;
        int depth;
    };
    // Sets the scale and the fonts; returns the height of a row in logical units.
    int Prepare(wxDC& dc);
    // Where the table goes on the page, in logical units (set by Prepare).
    const wxRect& Area() const { return m_area; }

    const ivReportModel& m_model;
    std::vector<Row> m_rows;
    std::vector<const CXTPReportColumnEx*> m_columns;
    int m_totalWidth = 0;
    wxRect m_area;
    int m_rowsPerPage = 1;
    int m_pages = 1;
};
