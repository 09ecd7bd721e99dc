#include "views/section_link_dialog.h"

#include "core/translate.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace {

wxString Tr(const char* text) {
    return wxString::FromUTF8(Translate(text));
}

}  // namespace

// The sections the filter leaves, drawn on demand: a document may have thousands.
class mySectionLinkDialog::SectionList : public wxListCtrl {
public:
    SectionList(wxWindow* parent, const mySectionLinkDialog& dialog)
        : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                     wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL),
          m_dialog(dialog) {}

    wxString OnGetItemText(long item, long column) const override {
        if (item < 0 || static_cast<size_t>(item) >= m_dialog.m_shown.size()) {
            return {};
        }
        const OutlineRow& row = m_dialog.m_filter.Rows()[m_dialog.m_shown[item]];
        return wxString::FromUTF8(column == 0 ? row.numbering : row.title);
    }

private:
    const mySectionLinkDialog& m_dialog;
};

mySectionLinkDialog::mySectionLinkDialog(wxWindow* parent, std::vector<OutlineRow> rows)
    : wxDialog(parent, wxID_ANY, Tr("Insert Link to Section"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_filter(std::move(rows)) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, Tr("Find a section by its title or number:")), 0,
               wxLEFT | wxRIGHT | wxTOP, FromDIP(12));
    m_filterBox =
        new wxTextCtrl(this, wxID_ANY, {}, wxDefaultPosition, wxDefaultSize, wxTE_PROCESS_ENTER);
    m_filterBox->SetHint(Tr("Filter"));
    sizer->Add(m_filterBox, 0, wxEXPAND | wxALL, FromDIP(12));
    m_list = new SectionList(this, *this);
    m_list->AppendColumn(Tr("Numbering"), wxLIST_FORMAT_LEFT, FromDIP(90));
    m_list->AppendColumn(Tr("Title"), wxLIST_FORMAT_LEFT, FromDIP(330));
    m_list->SetMinSize(FromDIP(wxSize(440, 300)));
    sizer->Add(m_list, 1, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(12));
    sizer->Add(CreateSeparatedButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, FromDIP(12));
    SetSizerAndFit(sizer);

    m_filterBox->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { ApplyFilter(); });
    m_filterBox->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) {
        if (GetChosen() != nullptr) {
            EndModal(wxID_OK);
        }
    });
    m_filterBox->Bind(wxEVT_KEY_DOWN, &mySectionLinkDialog::OnFilterKey, this);
    m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { EndModal(wxID_OK); });
    // The titles take the width the numbers leave.
    m_list->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        const int rest = m_list->GetClientSize().x - m_list->GetColumnWidth(0);
        if (rest > FromDIP(80)) {
            m_list->SetColumnWidth(1, rest);
        }
    });
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(GetChosen() != nullptr); },
        wxID_OK);

    ApplyFilter();
    m_filterBox->SetFocus();
    CentreOnParent();
}

void mySectionLinkDialog::ApplyFilter() {
    m_shown = m_filter.Match(m_filterBox->GetValue().utf8_string());
    m_list->SetItemCount(static_cast<long>(m_shown.size()));
    m_list->Refresh();
    // What was typed narrows the list to what the person means: the first match is taken.
    Select(m_shown.empty() ? -1 : 0);
}

void mySectionLinkDialog::Select(long item) {
    const long selected = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (selected >= 0 && selected != item) {
        m_list->SetItemState(selected, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    }
    if (item >= 0 && item < m_list->GetItemCount()) {
        m_list->SetItemState(item, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                             wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        m_list->EnsureVisible(item);
    }
}

void mySectionLinkDialog::OnFilterKey(wxKeyEvent& event) {
    // The arrows move through the list while the caret stays in the filter.
    const int key = event.GetKeyCode();
    const long count = m_list->GetItemCount();
    if ((key == WXK_DOWN || key == WXK_UP) && count > 0) {
        const long selected = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
        const long next =
            key == WXK_DOWN ? std::min(count - 1, selected + 1) : std::max(0L, selected - 1);
        Select(next);
        return;
    }
    event.Skip();
}

const OutlineRow* mySectionLinkDialog::GetChosen() const {
    const long selected = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (selected < 0 || static_cast<size_t>(selected) >= m_shown.size()) {
        return nullptr;
    }
    return &m_filter.Rows()[m_shown[selected]];
}
