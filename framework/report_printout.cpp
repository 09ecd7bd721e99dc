#include "framework/report_printout.h"

#include "framework/report_model.h"

#include <wx/dc.h>

#include <algorithm>

namespace {

constexpr int kIndent = 16;
constexpr int kCellPadding = 4;
// Percent of the page's width left free on each side.
constexpr int kMargin = 6;
// A table narrower than this many screen pixels is not enlarged beyond it.
constexpr int kNarrowestPage = 700;

}  // namespace

ivReportPrintout::ivReportPrintout(const ivReportModel& model, const wxString& title)
    : wxPrintout(title), m_model(model) {}

void ivReportPrintout::OnPreparePrinting() {
    m_rows.clear();
    m_columns.clear();
    m_totalWidth = 0;
    for (int position = 0; position < m_model.GetColumnCount(); ++position) {
        const CXTPReportColumnEx* column = m_model.GetColumnAt(position);
        if (column->IsVisible() && !column->IsPreview()) {
            m_columns.push_back(column);
            m_totalWidth += column->GetWidth();
        }
    }
    if (const CXTPReportRecordEx* root = m_model.GetRoot()) {
        std::vector<Row> pending;
        if (m_model.IsRootShown()) {
            pending.push_back({root, 0});
        } else {
            for (auto it = root->GetChildren().rbegin(); it != root->GetChildren().rend(); ++it) {
                pending.push_back({it->get(), 0});
            }
        }
        while (!pending.empty()) {
            const Row row = pending.back();
            pending.pop_back();
            m_rows.push_back(row);
            if (row.record->IsExpanded()) {
                const auto& children = row.record->GetChildren();
                for (auto it = children.rbegin(); it != children.rend(); ++it) {
                    pending.push_back({it->get(), row.depth + 1});
                }
            }
        }
    }
    wxDC* dc = GetDC();
    if (dc == nullptr) {
        return;
    }
    const int rowHeight = Prepare(*dc);
    // A title line and the header take their rows of every page.
    m_rowsPerPage = std::max(1, Area().height / rowHeight - 3);
    m_pages = std::max(1, static_cast<int>((m_rows.size() + m_rowsPerPage - 1) / m_rowsPerPage));
}

int ivReportPrintout::Prepare(wxDC& dc) {
    // The table and a margin around it fill the width of the page; a narrow table is shown at
    // about the size it has on the screen.
    int width = 0;
    int height = 0;
    GetPageSizePixels(&width, &height);
    if (width <= 0 || height <= 0) {
        dc.GetSize(&width, &height);
    }
    const int logicalWidth = std::max(m_totalWidth, kNarrowestPage) * (100 + 2 * kMargin) / 100;
    const int logicalHeight =
        width > 0 ? static_cast<int>(static_cast<long long>(logicalWidth) * height / width)
                  : logicalWidth;
    FitThisSizeToPage(wxSize(logicalWidth, std::max(1, logicalHeight)));
    m_area = wxRect(logicalWidth * kMargin / (100 + 2 * kMargin),
                    logicalHeight * kMargin / (100 + 2 * kMargin), std::max(m_totalWidth, 1),
                    logicalHeight * 100 / (100 + 2 * kMargin));
    dc.SetFont(*wxNORMAL_FONT);
    dc.SetTextForeground(*wxBLACK);
    return dc.GetCharHeight() * 3 / 2;
}

bool ivReportPrintout::HasPage(int page) {
    return page >= 1 && page <= m_pages;
}

void ivReportPrintout::GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) {
    *minPage = 1;
    *maxPage = m_pages;
    *selFrom = 1;
    *selTo = m_pages;
}

bool ivReportPrintout::OnPrintPage(int page) {
    wxDC* dc = GetDC();
    if (dc == nullptr || !HasPage(page)) {
        return false;
    }
    const int rowHeight = Prepare(*dc);
    const wxRect area = Area();
    int y = area.y;
    dc->DrawText(GetTitle(), area.x, y);
    const wxString number = wxString::Format("%d / %d", page, m_pages);
    dc->DrawText(number, area.x + area.width - dc->GetTextExtent(number).x, y);
    y += rowHeight * 3 / 2;

    wxFont bold = dc->GetFont();
    bold.MakeBold();
    dc->SetFont(bold);
    int x = area.x;
    for (const CXTPReportColumnEx* column : m_columns) {
        wxDCClipper clip(*dc, wxRect(x, y, column->GetWidth(), rowHeight));
        dc->DrawText(wxString::FromUTF8(column->GetCaption()), x + kCellPadding, y);
        x += column->GetWidth();
    }
    y += rowHeight;
    dc->DrawLine(area.x, y - 2, area.x + m_totalWidth, y - 2);
    dc->SetFont(*wxNORMAL_FONT);

    const size_t first = static_cast<size_t>(page - 1) * static_cast<size_t>(m_rowsPerPage);
    const size_t last = std::min(m_rows.size(), first + static_cast<size_t>(m_rowsPerPage));
    for (size_t i = first; i < last; ++i) {
        const Row& row = m_rows[i];
        x = area.x;
        for (const CXTPReportColumnEx* column : m_columns) {
            const ivReportItem* item = row.record->GetItem(column->GetItemIndex());
            wxString text;
            if (item != nullptr) {
                text = item->HasCheckBox() && column->GetKind() == report_type::kCheckBox
                           ? wxString(item->IsChecked() ? "[x]" : "[ ]")
                           : wxString::FromUTF8(item->GetDisplayText(*column));
            }
            const int indent = column->IsTree() ? row.depth * kIndent : 0;
            wxDCClipper clip(*dc, wxRect(x, y, column->GetWidth(), rowHeight));
            dc->DrawText(text, x + kCellPadding + indent, y);
            x += column->GetWidth();
        }
        y += rowHeight;
    }
    return true;
}
