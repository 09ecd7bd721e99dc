#include "app/gui/tip_dialog.h"

#include "core/app_registry.h"
#include "core/settings.h"
#include "core/settings_keys.h"
#include "core/translate.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {
wxString Text(const std::string& text) {
    return wxString::FromUTF8(Translate(text));
}
}  // namespace

ivTipOfTheDay::ivTipOfTheDay(wxWindow* parent, platform::RegistryStore& registry)
    : wxDialog(parent, wxID_ANY, Text("Tips and Tricks"), wxDefaultPosition, wxSize(520, 380),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_feed(registry) {
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(
        new wxStaticBitmap(this, wxID_ANY, wxArtProvider::GetBitmap(wxART_TIP, wxART_MESSAGE_BOX)),
        0, wxALL, 10);
    auto* right = new wxBoxSizer(wxVERTICAL);
    m_heading = new wxStaticText(this, wxID_ANY, wxEmptyString);
    m_heading->SetFont(m_heading->GetFont().Bold().Larger());
    right->Add(m_heading, 0, wxEXPAND | wxBOTTOM, 8);
    m_tip = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                           wxTE_MULTILINE | wxTE_READONLY | wxTE_WORDWRAP | wxBORDER_NONE);
    m_tip->SetBackgroundColour(GetBackgroundColour());
    right->Add(m_tip, 1, wxEXPAND);
    top->Add(right, 1, wxEXPAND | wxTOP | wxRIGHT | wxBOTTOM, 10);

    auto* bottom = new wxBoxSizer(wxHORIZONTAL);
    m_showAtStartup = new wxCheckBox(this, wxID_ANY, Text("Show tips at start-up"));
    m_showAtStartup->SetValue(ReadSettingNumber(settings::kShowTips) != 0);
    bottom->Add(m_showAtStartup, 0, wxALIGN_CENTER_VERTICAL);
    bottom->AddStretchSpacer();
    m_next = new wxButton(this, wxID_FORWARD, Text("&Next Tip"));
    bottom->Add(m_next, 0, wxRIGHT, 8);
    // Not the stock close button: the toolkit would label that in the C library's language.
    auto* close = new wxButton(this, wxID_ANY, Text("&Close"));
    m_close = close;
    bottom->Add(close);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(top, 1, wxEXPAND);
    sizer->Add(bottom, 0, wxEXPAND | wxALL, 10);
    SetSizer(sizer);
    SetEscapeId(close->GetId());
    SetAffirmativeId(close->GetId());
    close->SetDefault();

    m_next->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ShowNextTip(); });
    UpdateControls();
}

bool ivTipOfTheDay::LoadFeed(const std::string& url) {
    const bool loaded = m_feed.LoadFeed(url);
    m_text = m_feed.Text();
    UpdateControls();
    return loaded;
}

void ivTipOfTheDay::ShowNextTip() {
    m_feed.NextNewsText(m_text);
    UpdateControls();
    // A disabled button keeps no focus; Close takes it, so that Escape and Enter still work.
    if (!m_next->IsEnabled()) {
        m_close->SetFocus();
    }
}

void ivTipOfTheDay::UpdateControls() {
    m_heading->SetLabel(wxString::FromUTF8(m_feed.Heading()));
    m_tip->ChangeValue(wxString::FromUTF8(m_text));
    m_next->Enable(m_feed.CanGoNext());
    Layout();
}

std::string ivTipOfTheDay::GetHeading() const {
    return m_heading->GetLabel().utf8_string();
}
std::string ivTipOfTheDay::GetTipText() const {
    return m_tip->GetValue().utf8_string();
}
bool ivTipOfTheDay::IsNextEnabled() const {
    return m_next->IsEnabled();
}

bool ivTipOfTheDay::WantsToShow() const {
    return m_showAtStartup->GetValue() || m_feed.IsForced();
}

void ivTipOfTheDay::StoreStartupOption() const {
    WriteSetting(settings::kShowTips, m_showAtStartup->GetValue() ? "1" : "0");
}

std::unique_ptr<ivTipOfTheDay> PrepareNews(wxWindow* parent, const std::string& feedUrl,
                                           bool forced) {
    auto dialog = std::make_unique<ivTipOfTheDay>(parent, AppRegistry());
    dialog->GetFeed().SetForced(forced);
    if (!dialog->WantsToShow()) {
        return nullptr;
    }
    dialog->LoadFeed(feedUrl);
    if (!dialog->HasContent()) {
        return nullptr;
    }
    return dialog;
}

void ShowNews(wxWindow* parent, const std::string& feedUrl, bool forced) {
    std::unique_ptr<ivTipOfTheDay> dialog = PrepareNews(parent, feedUrl, forced);
    if (dialog) {
        dialog->CentreOnParent();
        dialog->ShowModal();
        dialog->StoreStartupOption();
    }
}
