#include "views/replace_dialog.h"

#include "core/messages.h"
#include "core/translate.h"
#include "platform/time_stamp.h"
#include "views/domain_file.h"
#include "views/find_results_pane.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dataview.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>

namespace {

wxString Text(const char* english) {
    return wxString::FromUTF8(Translate(english));
}

// Typing in the boxes makes the preview again once this long has passed without a key.
constexpr int kPreviewDelay = 250;
// The preview lists no more matches; those beyond it are replaced all the same.
constexpr int kMaxPreviewRows = 2000;

enum PreviewColumn { kTakeColumn, kSectionColumn, kBeforeColumn, kAfterColumn };

}  // namespace

myReplaceDialog::myReplaceDialog(wxWindow* parent, myDomainFile& document, const std::string& query,
                                 std::function<void()> replaced)
    : wxDialog(parent, wxID_ANY, Text("Replace in Document"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_document(document),
      m_replaced(std::move(replaced)) {
    m_find = new wxTextCtrl(this, wxID_ANY, wxString::FromUTF8(query));
    m_with = new wxTextCtrl(this, wxID_ANY);
    m_wholeWords = new wxCheckBox(this, wxID_ANY, Text("&Whole words"));
    m_matchCase = new wxCheckBox(this, wxID_ANY, Text("Match &case"));
    m_preview = new wxDataViewListCtrl(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(760, 320)),
                                       wxDV_ROW_LINES | wxDV_SINGLE);
    m_preview->AppendToggleColumn(wxString(), wxDATAVIEW_CELL_ACTIVATABLE, FromDIP(30));
    m_preview->AppendTextColumn(Text("Section"), wxDATAVIEW_CELL_INERT, FromDIP(170), wxALIGN_LEFT,
                                wxDATAVIEW_COL_RESIZABLE);
    for (const char* title : {"Before", "After"}) {
        auto* renderer = new wxDataViewTextRenderer("string", wxDATAVIEW_CELL_INERT);
        renderer->EnableMarkup();
        m_preview->AppendColumn(new wxDataViewColumn(Text(title), renderer,
                                                     m_preview->GetColumnCount(), FromDIP(270),
                                                     wxALIGN_LEFT, wxDATAVIEW_COL_RESIZABLE));
    }
    m_summary = new wxStaticText(this, wxID_ANY, wxString());
    m_replace = new wxButton(this, wxID_REPLACE_ALL, Text("&Replace"));
    auto* close = new wxButton(this, wxID_CANCEL, Text("Close"));

    auto* fields = new wxFlexGridSizer(2, FromDIP(wxSize(8, 6)));
    fields->AddGrowableCol(1);
    fields->Add(new wxStaticText(this, wxID_ANY, Text("&Find:")), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(m_find, 1, wxEXPAND);
    fields->Add(new wxStaticText(this, wxID_ANY, Text("Replace &with:")), 0,
                wxALIGN_CENTER_VERTICAL);
    fields->Add(m_with, 1, wxEXPAND);
    auto* options = new wxBoxSizer(wxHORIZONTAL);
    options->Add(m_wholeWords, 0, wxRIGHT, FromDIP(16));
    options->Add(m_matchCase);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(m_summary, 1, wxALIGN_CENTER_VERTICAL);
    buttons->Add(m_replace, 0, wxLEFT, FromDIP(8));
    buttons->Add(close, 0, wxLEFT, FromDIP(8));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    const int border = FromDIP(10);
    sizer->Add(fields, 0, wxEXPAND | wxALL, border);
    sizer->Add(options, 0, wxLEFT | wxRIGHT | wxBOTTOM, border);
    sizer->Add(m_preview, 1, wxEXPAND | wxLEFT | wxRIGHT, border);
    sizer->Add(buttons, 0, wxEXPAND | wxALL, border);
    SetSizerAndFit(sizer);
    SetEscapeId(wxID_CANCEL);
    m_replace->SetDefault();

    m_timer.SetOwner(this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { UpdatePreview(); });
    for (wxTextCtrl* box : {m_find, m_with}) {
        box->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { SchedulePreview(); });
    }
    for (wxCheckBox* box : {m_wholeWords, m_matchCase}) {
        box->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdatePreview(); });
    }
    m_replace->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Replace(); });
    m_replace->Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) {
        event.Enable(!m_plan.empty() && !m_timer.IsRunning());
    });
    UpdatePreview();
    m_find->SetFocus();
    m_find->SelectAll();
}

myReplaceDialog::~myReplaceDialog() {
    m_timer.Stop();
}

ivSearchOptions myReplaceDialog::Options() const {
    ivSearchOptions options;
    options.wholeWords = m_wholeWords->GetValue();
    options.matchCase = m_matchCase->GetValue();
    return options;
}

void myReplaceDialog::SchedulePreview() {
    m_timer.StartOnce(kPreviewDelay);
}

void myReplaceDialog::UpdatePreview() {
    m_timer.Stop();
    m_planQuery = m_find->GetValue().utf8_string();
    m_planReplacement = m_with->GetValue().utf8_string();
    m_planOptions = Options();
    {
        wxBusyCursor busy;
        m_plan = m_document.Search().PlanReplace(m_planQuery, m_planReplacement, m_planOptions);
    }
    m_preview->DeleteAllItems();
    int count = 0;
    int total = 0;
    for (const ivReplaceChange& change : m_plan) {
        total += static_cast<int>(change.matches.size());
        for (const ivReplaceMatch& match : change.matches) {
            if (count == kMaxPreviewRows) {
                break;
            }
            const size_t afterLength = m_planReplacement.size();
            wxVector<wxVariant> row;
            row.push_back(wxVariant(true));
            row.push_back(wxVariant(wxString::FromUTF8(change.numbering + " " + change.title)));
            row.push_back(wxVariant(MarkedLine(match.before, match.start, match.length, 90)));
            row.push_back(wxVariant(MarkedLine(match.after, match.start, afterLength, 90)));
            m_preview->AppendItem(row);
            ++count;
        }
    }
    std::string summary;
    if (m_planQuery.empty()) {
        summary.clear();
    } else if (count == 0) {
        summary = Translate("Nothing found.");
    } else if (count == 1) {
        summary = Translate("1 match in 1 section");
    } else if (m_plan.size() == 1) {
        summary = TranslateFormat("%d matches in 1 section", count);
    } else {
        summary =
            TranslateFormat("%d matches in %d sections", count, static_cast<int>(m_plan.size()));
    }
    m_summary->SetLabel(wxString::FromUTF8(summary));
}

bool myReplaceDialog::Replace() {
    if (m_timer.IsRunning()) {
        UpdatePreview();
    }
    // The check boxes, in the order of the rows, which is that of the plan's matches.
    std::vector<ivReplaceChange> chosen;
    int row = 0;
    for (ivReplaceChange& change : m_plan) {
        std::vector<bool> take;
        for (size_t i = 0; i < change.matches.size(); ++i, ++row) {
            take.push_back(row >= static_cast<int>(m_preview->GetItemCount()) ||
                           m_preview->GetToggleValue(static_cast<unsigned>(row), kTakeColumn));
        }
        ivReplaceChange c = change;
        if (std::find(take.begin(), take.end(), false) != take.end()) {
            ivDocumentSearch::ChooseMatches(c, take, m_planQuery, m_planReplacement, m_planOptions);
        }
        if (c.count > 0) {
            chosen.push_back(std::move(c));
        }
    }
    m_replacedCount = 0;
    for (const ivReplaceChange& c : chosen) {
        m_replacedCount += c.count;
    }
    if (chosen.empty()) {
        return false;
    }
    myEditHistory& history = m_document.History();
    history.BeginGroup(ivEditGroup::Replace);
    const bool applied = ivDocumentSearch::ApplyReplace(chosen, m_document.Store().Editor(),
                                                        platform::NowTimeStamp());
    history.EndGroup();
    if (!applied) {
        m_replacedCount = 0;
        ShowMessageBox(Translate("The document changed since the preview; nothing was replaced."),
                       kMessageWarning);
        UpdatePreview();
        return false;
    }
    if (m_replaced) {
        m_replaced();
    }
    if (IsModal()) {
        EndModal(wxID_OK);
    }
    return true;
}
