#include "app/about.h"
#include "app/gui/iv_app.h"
#include "app/gui/tip_dialog.h"
#include "app/online/product_urls.h"
#include "app/online/update_check.h"
#include "core/command_ids.h"
#include "core/localisation.h"
#include "core/messages.h"
#include "core/settings_keys.h"
#include "core/translate.h"
#include "framework/doc_manager.h"
#include "platform/desktop.h"

#include <wx/aui/tabmdi.h>
#include <wx/cshelp.h>
#include <wx/dataview.h>
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/printdlg.h>
#include <wx/richtext/richtextctrl.h>
#include <wx/sysopt.h>

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
    Bind(wxEVT_HELP, &ivApp::OnHelpEvent, this);
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
        wxEVT_MENU, [this](wxCommandEvent&) { OnFileSendMail(); }, kFileSendMail);
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) {
            const wxDocManager* docs = wxDocManager::GetDocumentManager();
            event.Enable(docs != nullptr && docs->GetCurrentDocument() != nullptr);
        },
        kFileSendMail);
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
    if (!OpenHelp()) {
        ShowMessageBox(Translate("The help file cannot be found."), kMessageError);
    } else if (event.GetId() == command_id::kHelpIndex) {
        m_help->DisplayIndex();
    } else {
        ShowHelpPage(HelpPageOf(wxWindow::FindFocus()));
    }
}

void ivApp::ShowHelpPage(const std::string& page) {
    if (page.empty()) {
        m_help->DisplayContents();
    } else {
        m_help->Display(wxString::FromUTF8(page));
    }
}

bool ivApp::OpenHelp() {
    if (m_help) {
        return true;
    }
    const std::string book = FindHelpBook(GetModuleDirectory(), GetLanguage(), m_appName);
    if (book.empty()) {
        return false;
    }
    // The help viewer tells pages from plain text by their extension; the desktop's MIME
    // database may not know ".htm" (or call it something else), wxWidgets' own table does.
    wxSystemOptions::SetOption("filesys.no-mimetypesmanager", 1);
    m_help = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE, GetMainFrame());
    m_help->SetTitleFormat(wxString::FromUTF8(Translate("Help: %s")));
    if (!m_help->AddBook(wxFileName(wxString::FromUTF8(book)))) {
        m_help.reset();
        return false;
    }
    return true;
}

std::string HelpPageOf(const wxWindow* window) {
    // The manual has a page for each part of a document window; the nearest one around the
    // window decides, and anything else shows the contents.
    for (; window != nullptr; window = window->GetParent()) {
        if (window->IsKindOf(wxCLASSINFO(wxRichTextCtrl))) {
            return "text_view.htm";
        }
        if (window->IsKindOf(wxCLASSINFO(wxDataViewCtrl))) {
            return "section_list.htm";
        }
        if (window->IsKindOf(wxCLASSINFO(wxAuiMDIChildFrame))) {
            return "document_window.htm";
        }
    }
    return {};
}

void ivApp::OnHelpEvent(wxHelpEvent& event) {
    // Context help: the window the user pointed at.
    if (!OpenHelp()) {
        ShowMessageBox(Translate("The help file cannot be found."), kMessageError);
        return;
    }
    ShowHelpPage(HelpPageOf(wxDynamicCast(event.GetEventObject(), wxWindow)));
}

void ivApp::OnFileSendMail() {
    wxDocManager* docs = wxDocManager::GetDocumentManager();
    wxDocument* doc = docs != nullptr ? docs->GetCurrentDocument() : nullptr;
    if (doc == nullptr) {
        return;
    }
    // The mail carries the document as it is on disk: changes are saved first, and a document
    // never saved asks for its name.
    if ((doc->IsModified() || !doc->GetDocumentSaved()) && !doc->Save()) {
        return;
    }
    const std::string path = doc->GetFilename().utf8_string();
    if (path.empty() || !platform::StartDetached({"xdg-email", "--attach", path})) {
        ShowMessageBox(Translate("The mail program could not be started."), kMessageError);
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
