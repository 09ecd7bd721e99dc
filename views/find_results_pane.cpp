#include "views/find_results_pane.h"

#include "core/translate.h"

#include <wx/artprov.h>
#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/dataview.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {

enum Column { kSectionColumn, kNumberingColumn, kLineColumn, kColumnCount };

// Code points of UTF-8 text, for cutting a line by characters.
wxString Wide(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

// Text as markup: the characters markup gives a meaning escaped.
wxString Escaped(const wxString& text) {
    wxString out;
    out.reserve(text.length());
    for (const wxUniChar c : text) {
        switch (c.GetValue()) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

wxString MarkedLine(const std::string& line, size_t start, size_t length, size_t width) {
    start = std::min(start, line.size());
    length = std::min(length, line.size() - start);
    wxString before = Wide(std::string_view(line).substr(0, start));
    const wxString match = Wide(std::string_view(line).substr(start, length));
    wxString after = Wide(std::string_view(line).substr(start + length));
    // Most of the room after the match, a little before it.
    const size_t lead = width / 4;
    if (before.length() > lead) {
        before = wxString::FromUTF8("\u2026") + before.Right(lead);
    }
    const size_t rest = width > lead + match.length() ? width - lead - match.length() : 0;
    if (after.length() > rest) {
        after = after.Left(rest) + wxString::FromUTF8("\u2026");
    }
    // Tabs and stray line ends would break the row.
    for (wxString* part : {&before, &after}) {
        part->Replace("\t", " ");
        part->Replace("\r", " ");
    }
    return Escaped(before) + "<b>" + Escaped(match) + "</b>" + Escaped(after);
}

// The rows of the pane, read from the hits as the control asks for them, so that ten
// thousand hits cost no more than ten.
class myHitsModel : public wxDataViewVirtualListModel {
public:
    void SetHits(const std::vector<ivSearchHit>* hits) {
        m_hits = hits;
        Reset(hits != nullptr ? static_cast<unsigned>(hits->size()) : 0);
    }

    unsigned GetColumnCount() const override { return kColumnCount; }
    wxString GetColumnType(unsigned) const override { return "string"; }

    void GetValueByRow(wxVariant& value, unsigned row, unsigned column) const override {
        if (m_hits == nullptr || row >= m_hits->size()) {
            value = wxString();
            return;
        }
        const ivSearchHit& hit = (*m_hits)[row];
        switch (column) {
            case kSectionColumn:
                value = wxString::FromUTF8(hit.title);
                break;
            case kNumberingColumn:
                value = wxString::FromUTF8(hit.numbering);
                break;
            default:
                value = MarkedLine(hit.lineText, hit.matchStart, hit.matchLength);
                break;
        }
    }

    bool SetValueByRow(const wxVariant&, unsigned, unsigned) override { return false; }

private:
    const std::vector<ivSearchHit>* m_hits = nullptr;
};

myFindResultsPane::myFindResultsPane(wxWindow* parent) : wxPanel(parent, wxID_ANY) {
    m_summary = new wxStaticText(this, wxID_ANY, wxString());
    m_wholeWords = new wxCheckBox(this, wxID_ANY, wxString::FromUTF8(Translate("&Whole words")));
    auto* close = new wxBitmapButton(this, wxID_ANY,
                                     wxArtProvider::GetBitmapBundle(wxART_CLOSE, wxART_BUTTON),
                                     wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    close->SetToolTip(wxString::FromUTF8(Translate("Close the find results")));

    m_list = new wxDataViewCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                wxDV_SINGLE | wxDV_ROW_LINES | wxBORDER_THEME);
    m_model = new myHitsModel;
    m_list->AssociateModel(m_model);
    m_model->DecRef();
    const auto text = [this](const char* title, unsigned column, int width, bool markup) {
        auto* renderer = new wxDataViewTextRenderer("string", wxDATAVIEW_CELL_INERT);
        if (markup) {
            renderer->EnableMarkup();
        }
        m_list->AppendColumn(new wxDataViewColumn(wxString::FromUTF8(Translate(title)), renderer,
                                                  column, FromDIP(width), wxALIGN_LEFT,
                                                  wxDATAVIEW_COL_RESIZABLE));
    };
    text("Section", kSectionColumn, 220, false);
    text("Numbering", kNumberingColumn, 120, false);
    text("Text", kLineColumn, 600, true);

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(m_summary, 1, wxALIGN_CENTER_VERTICAL | wxLEFT, FromDIP(6));
    top->Add(m_wholeWords, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, FromDIP(8));
    top->Add(close, 0, wxALIGN_CENTER_VERTICAL);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(top, 0, wxEXPAND | wxTOP | wxBOTTOM, FromDIP(2));
    sizer->Add(m_list, 1, wxEXPAND);
    SetSizer(sizer);

    m_list->Bind(wxEVT_DATAVIEW_SELECTION_CHANGED, [this](wxDataViewEvent&) {
        const int row = GetMarkedHit();
        if (!m_marking && row >= 0 && m_open) {
            m_open(row, false);
        }
    });
    m_list->Bind(wxEVT_DATAVIEW_ITEM_ACTIVATED, [this](wxDataViewEvent& event) {
        const int row =
            event.GetItem().IsOk() ? static_cast<int>(m_model->GetRow(event.GetItem())) : -1;
        if (row >= 0 && m_open) {
            m_open(row, true);
        }
    });
    m_wholeWords->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        if (m_options) {
            m_options();
        }
    });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (m_close) {
            m_close();
        }
    });
}

myFindResultsPane::~myFindResultsPane() {
    m_model->SetHits(nullptr);
}

void myFindResultsPane::ShowHits(const std::vector<ivSearchHit>& hits, const std::string& query,
                                 bool capped) {
    m_marking = true;
    m_model->SetHits(&hits);
    m_marking = false;
    std::string summary;
    const int count = static_cast<int>(hits.size());
    if (query.empty()) {
        summary.clear();
    } else if (hits.empty()) {
        summary = TranslateFormat("No hits for \"%s\"", query.c_str());
    } else if (capped) {
        summary = TranslateFormat("The first %d hits for \"%s\"", count, query.c_str());
    } else if (count == 1) {
        summary = TranslateFormat("1 hit for \"%s\"", query.c_str());
    } else {
        summary = TranslateFormat("%d hits for \"%s\"", count, query.c_str());
    }
    m_summary->SetLabel(wxString::FromUTF8(summary));
    Layout();
}

void myFindResultsPane::MarkHit(int index) {
    m_marking = true;
    if (const wxDataViewItem item = GetRowItem(index); item.IsOk()) {
        m_list->Select(item);
        m_list->EnsureVisible(item);
    } else {
        m_list->UnselectAll();
    }
    m_marking = false;
}

int myFindResultsPane::GetMarkedHit() const {
    const wxDataViewItem item = m_list->GetSelection();
    return item.IsOk() ? static_cast<int>(m_model->GetRow(item)) : -1;
}

bool myFindResultsPane::WholeWords() const {
    return m_wholeWords->GetValue();
}

unsigned myFindResultsPane::GetRowCount() const {
    return m_model->GetCount();
}

wxDataViewItem myFindResultsPane::GetRowItem(int index) const {
    return index >= 0 && static_cast<unsigned>(index) < m_model->GetCount()
               ? m_model->GetItem(static_cast<unsigned>(index))
               : wxDataViewItem();
}
