#include "app/gui/template_dialog.h"

#include "app/gui/iv_app.h"
#include "core/command_ids.h"
#include "core/settings_keys.h"
#include "core/translate.h"
#include "generators/shipped_template.h"

#include <wx/filepicker.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {

wxString Tr(const char* text) {
    return wxString::FromUTF8(Translate(text));
}

}  // namespace

myTemplateDialog::myTemplateDialog(wxWindow* parent, const std::string& setting)
    : wxDialog(parent, wxID_ANY, Tr("Page Template")) {
    const int gap = FromDIP(12);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY,
                                Tr("The HTML and help pages are poured into this template:")),
               0, wxLEFT | wxRIGHT | wxTOP, gap);
    m_none = new wxRadioButton(this, wxID_ANY, Tr("None: each page is the converted body alone"),
                               wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_shipped = new wxRadioButton(
        this, wxID_ANY,
        Tr("The template that comes with the program (contents tree, previous and next)"));
    m_own = new wxRadioButton(this, wxID_ANY, Tr("A template file of my own:"));
    m_file = new wxFilePickerCtrl(this, wxID_ANY, {}, Tr("Choose a page template"),
                                  Tr("HTML files") + " (*.htm;*.html)|*.htm;*.html;*.HTM;*.HTML|" +
                                      Tr("All files") + " (*)|*",
                                  wxDefaultPosition, FromDIP(wxSize(420, -1)),
                                  wxFLP_OPEN | wxFLP_FILE_MUST_EXIST | wxFLP_USE_TEXTCTRL);
    for (wxWindow* choice : {static_cast<wxWindow*>(m_none), static_cast<wxWindow*>(m_shipped),
                             static_cast<wxWindow*>(m_own)}) {
        sizer->Add(choice, 0, wxLEFT | wxRIGHT | wxTOP, gap);
    }
    // Under its choice, indented as far as the choice's text.
    auto* file = new wxBoxSizer(wxHORIZONTAL);
    file->AddSpacer(FromDIP(22));
    file->Add(m_file, 1);
    sizer->Add(file, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, gap);
    sizer->Add(CreateSeparatedButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, gap);
    SetSizerAndFit(sizer);

    if (setting.empty()) {
        m_none->SetValue(true);
    } else if (setting == kShippedTemplateName) {
        m_shipped->SetValue(true);
    } else {
        m_own->SetValue(true);
        m_file->SetPath(wxString::FromUTF8(setting));
    }
    m_file->Bind(wxEVT_FILEPICKER_CHANGED,
                 [this](wxFileDirPickerEvent&) { m_own->SetValue(true); });
    // A file of one's own needs a file.
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) {
            event.Enable(!m_own->GetValue() || !m_file->GetPath().empty());
        },
        wxID_OK);
    CentreOnParent();
}

std::string myTemplateDialog::GetSetting() const {
    if (m_shipped->GetValue()) {
        return kShippedTemplateName;
    }
    return m_own->GetValue() ? m_file->GetPath().utf8_string() : std::string();
}

void BindTemplateCommand(ivApp& app) {
    app.Bind(
        wxEVT_MENU,
        [&app](wxCommandEvent&) {
            myTemplateDialog dialog(app.GetTopWindow(), ReadSetting(settings::kHtmlTemplate));
            if (dialog.ShowModal() == wxID_OK) {
                WriteSetting(settings::kHtmlTemplate, dialog.GetSetting());
            }
        },
        command_id::kToolsTemplate);
}
