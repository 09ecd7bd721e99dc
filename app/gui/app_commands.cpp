#include "app/about.h"
#include "app/gui/iv_app.h"
#include "app/gui/tip_dialog.h"
#include "app/online/product_urls.h"
#include "app/online/update_check.h"
#include "core/command_ids.h"
#include "core/messages.h"
#include "core/settings_keys.h"
#include "core/translate.h"
#include "framework/doc_manager.h"

#include <wx/cshelp.h>
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/printdlg.h>

void ivApp::BindCommands() {
    using namespace command_id;
    Bind(wxEVT_TIMER, &ivApp::OnTimer, this);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnAppAbout(); }, kAppAbout);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnAppOnline(); }, kAppOnline);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnAppTips(); }, kAppTips);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnAppUpdate(); }, kAppUpdate);
    Bind(wxEVT_MENU, &ivApp::OnNewByType, this, kFileNewByTypeFirst, kFileNew);
    Bind(wxEVT_MENU, &ivApp::OnHelpCommand, this, kHelpIndex, kHelp);
    Bind(
        wxEVT_MENU, [](wxCommandEvent&) {}, kHelpNothing);
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            if (m_docManager != nullptr) {
                m_docManager->PromptAndOpen();
            }
        },
        kFileOpen);
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            wxPageSetupDialogData data(m_printData);
            wxPageSetupDialog dialog(GetMainFrame(), &data);
            if (dialog.ShowModal() == wxID_OK) {
                m_printData = dialog.GetPageSetupDialogData().GetPrintData();
            }
        },
        kFilePrintSetup);
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            if (wxFrame* frame = GetMainFrame()) {
                frame->Close(false);
            }
        },
        kAppExit);
}

void ivApp::OnNewByType(wxCommandEvent& event) {
    if (m_docManager == nullptr) {
        return;
    }
    int n = command_id::kFileNew - event.GetId();
    n = n < 1 ? 1 : (n > 9 ? 9 : n);
    if (m_docManager->NewDocumentOfType(n) == nullptr && m_docManager->CountTemplates() < n) {
        m_docManager->CreateNewDocument();
    }
}

void ivApp::OnHelpCommand(wxCommandEvent& event) {
    if (event.GetId() == command_id::kContextHelp) {
        wxContextHelp contextHelp(GetMainFrame());
        return;
    }
    // The help of the language is an HTML help book: the file named so, or a help project of
    // the same name beside it.
    wxString book = wxString::FromUTF8(m_helpFile);
    if (!wxFileName::FileExists(book)) {
        wxFileName project(book);
        project.SetExt("hhp");
        book = project.GetFullPath();
    }
    if (!m_help && wxFileName::FileExists(book)) {
        m_help = std::make_unique<wxHtmlHelpController>();
        if (!m_help->AddBook(wxFileName(book))) {
            m_help.reset();
        }
    }
    if (!m_help) {
        ShowMessageBox(Translate("The help file cannot be found."), kMessageError);
    } else if (event.GetId() == command_id::kHelpIndex) {
        m_help->DisplayIndex();
    } else {
        m_help->DisplayContents();
    }
}

void ivApp::OnAppAbout() {
    ShowMessageBox(AboutText(m_registryKey, m_appName, m_version), 0);
}

void ivApp::OnAppOnline() {
    OpenURL(ProductPageUrl(ReadSetting(settings::kWebHost), GetLanguage(), m_appName), true);
}

void ivApp::OnAppTips() {
    ShowNews(FeedUrl(ReadSetting(settings::kWebHost), GetLanguage(), m_appName), IsInteractive());
}

void ivApp::OnAppUpdate() {
    UpdateInputs inputs = CurrentUpdateInputs(GetLanguage());
    inputs.productName = m_appName;
    inputs.version = m_version;
    RunUpdateCheck(ManifestUrl(ReadSetting(settings::kWebHost), m_appName), inputs, IsInteractive(),
                   [this](const std::string& url) { return OpenURL(url, false); });
}

void ivApp::ShowNews(const std::string& feedUrl, bool forced) {
    ::ShowNews(GetMainFrame(), feedUrl, forced);
}
