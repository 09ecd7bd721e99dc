#include "app/gui/iv_app.h"

#include "app/desktop_registration.h"
#include "app/gui/instance_link.h"
#include "app/gui/message_dialogs.h"
#include "app/http/agent_fetcher.h"
#include "core/app_registry.h"
#include "core/command_ids.h"
#include "core/directories.h"
#include "core/localisation.h"
#include "core/messages.h"
#include "core/settings.h"
#include "core/settings_keys.h"
#include "core/translate.h"
#include "framework/doc_manager.h"
#include "framework/mdi_frames.h"
#include "framework/paint_theme.h"
#include "platform/guid.h"
#include "platform/paths.h"

#include <wx/config.h>
#include <wx/dialog.h>
#include <wx/dnd.h>
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include <csignal>
#include <exception>

namespace {

// Opens the files dropped on the main window.
class DocumentDropTarget : public wxFileDropTarget {
public:
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) override {
        for (const wxString& file : files) {
            GetApp().OpenFromOtherInstance(file.utf8_string());
        }
        return true;
    }
};

}  // namespace

ivApp& GetApp() {
    return *static_cast<ivApp*>(wxApp::GetInstance());
}

ivApp::ivApp() {
    BindCommands();
}

ivApp::~ivApp() {
    ExitInstance();
}

void ivApp::SetRegistryKey(const std::string& key) {
    m_registryKey = key;
    SetVendorName(wxString::FromUTF8(key));
}

void ivApp::SetAppName(const std::string& name) {
    m_appName = name;
    wxApp::SetAppName(wxString::FromUTF8(name));
}

void ivApp::SetVersion(unsigned major, unsigned minor, unsigned revision, unsigned build) {
    m_version = ivVersion{static_cast<uint16_t>(major), static_cast<uint16_t>(minor),
                          static_cast<uint16_t>(revision), static_cast<uint16_t>(build)};
}

std::string ivApp::GetUserAgent() const {
    return m_registryKey + " " + m_appName + "/" + GetVersionString(2);
}

int ivApp::CompareVersion(unsigned a, unsigned b, unsigned c, unsigned d) const {
    return ::CompareVersion(m_version.major, m_version.minor, m_version.revision, m_version.build,
                            a, b, c, d);
}

int ivApp::CompareVersion(const std::string& other) const {
    return ::CompareVersion(m_version, ::ParseVersion(other));
}

std::string ivApp::GetLanguage() const {
    return ::GetLanguage();
}

void ivApp::SetLanguage(const std::string&) {
    m_helpFile = HelpFilePath(GetModuleDirectory(), GetLanguage(), m_appName);
}

void ivApp::SetTheme(const std::string& name) {
    m_theme = ThemeNumberFromName(name);
    paint_theme::Set(m_theme);
}

std::string ivApp::GetModuleDirectory() const {
    return ::GetModuleDirectory();
}
std::string ivApp::GetConfDirectory() const {
    return ::GetConfDirectory();
}
std::string ivApp::GetTempDirectory() const {
    return ::GetTempDirectory();
}

bool ivApp::SetTypeLibGuid(const std::string& guid, int major, int minor) {
    if (!platform::IsGuidString(guid)) {
        return false;
    }
    m_typeLibGuid = guid;
    m_typeLibMajor = major;
    m_typeLibMinor = minor;
    return true;
}

bool ivApp::EnableBalloons(bool enable) {
    m_balloonsAllowed = enable;
    // Desktops here have no switch for balloon tips; notifications are always possible.
    m_systemBalloons = 1;
    return true;
}

bool ivApp::AddDocType(const std::string& extension, const std::string& typeName,
                       const std::string& description, wxClassInfo* documentClass,
                       wxClassInfo* viewClass) {
    if (documentClass == nullptr || viewClass == nullptr) {
        return false;
    }
    if (m_docManager == nullptr) {
        m_docManager = new ivDocManager(ReadSettingNumber(settings::kMaxMRU));
    }
    const std::string filterName =
        description.empty() ? typeName : typeName + " (" + description + ")";
    wxClassInfo* frameClass =
        m_childFrameClass != nullptr ? m_childFrameClass : wxCLASSINFO(ivMDIChildFrame);
    if (m_singleDocument) {
        m_docManager->SetMaxDocsOpen(1);
    } else {
        m_createMainFrame = true;
    }
    if (m_mainFrameClass == nullptr) {
        m_mainFrameClass = wxCLASSINFO(ivMDIParentFrame);
    }
    new ivDocTemplate(m_docManager, wxString::FromUTF8(filterName),
                      wxString::FromUTF8("*." + extension), wxEmptyString,
                      wxString::FromUTF8(extension), wxString::FromUTF8(m_appName + "." + typeName),
                      wxString::FromUTF8(m_appName + " " + typeName), documentClass, viewClass,
                      frameClass);
    return true;
}

ivMDIParentFrame* ivApp::GetMainFrame() const {
    auto* frame = dynamic_cast<ivMDIParentFrame*>(GetTopWindow());
    // A main window that is closing takes no more messages or commands.
    if (frame == nullptr || m_sessionEnding || frame->IsBeingDeleted() ||
        wxPendingDelete.Member(frame)) {
        return nullptr;
    }
    return frame;
}

void ivApp::EndSession() {
    // Closing the session ends the program as closing its window does. Open dialogs end
    // first, and nothing new is shown; the window closes once their loops are over.
    m_sessionEnding = true;
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* dialog = dynamic_cast<wxDialog*>(window);
            dialog != nullptr && dialog->IsModal()) {
            dialog->EndModal(wxID_CANCEL);
        }
    }
    CallAfter([this] {
        if (auto* frame = dynamic_cast<wxFrame*>(GetTopWindow())) {
            frame->Close(false);
        }
    });
}

ivCommandSite* ivApp::GetCommandBars() {
    ivMDIParentFrame* frame = GetMainFrame();
    return frame != nullptr ? frame->GetCommandSite() : nullptr;
}

bool ivApp::OnInit() {
    // Log output goes to standard error: a log window must never block the program.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    if (InitInstance()) {
        m_initialised = true;
        return true;
    }
    ExitInstance();
    return false;
}

bool ivApp::InitInstance() {
    wxInitAllImageHandlers();
    if (!InitSettingsAndLanguage()) {
        return false;
    }
    m_agent.SetUserAgent(GetUserAgent());
    m_fetcher = std::make_shared<ivAgentUrlFetcher>(m_agent);
    SetUrlFetcher(m_fetcher);
    SetMessagePresenter(std::make_unique<ivDialogPresenter>());

    if (!OnInitApp()) {
        return false;
    }
    LoadRecentFiles();
    if (m_docManager == nullptr || m_docManager->GetTemplates().IsEmpty()) {
        m_createMainFrame = true;
    }
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(argv[i].utf8_string());
    }
    m_commandLine = ParseCommandLine(args);
    const bool registering = m_commandLine.command == ShellCommand::Register ||
                             m_commandLine.command == ShellCommand::Unregister;
    if (registering) {
        m_createMainFrame = false;
    } else if (HandOverToRunningInstance()) {
        m_endCode = 0;
        return true;
    }
    if (m_createMainFrame && !CreateMainFrame()) {
        return false;
    }
    if (m_docManager != nullptr && !m_docManager->GetTemplates().IsEmpty()) {
        if (m_commandLine.command == ShellCommand::FileNew && !m_singleDocument) {
            m_commandLine.command = ShellCommand::Nothing;
        }
        if (!ProcessShellCommand(m_commandLine)) {
            return false;
        }
    }
    if (m_endCode.has_value()) {
        return true;
    }
    ShowMainWindow();
    return true;
}

bool ivApp::InitSettingsAndLanguage() {
    // A store installed beforehand (by a test) is kept.
    if (wxConfigBase::Get(false) == nullptr) {
        InstallSettingsStore();
    }
    InitLocalisation(ChooseLanguage());
    const std::string theme = ReadSetting(settings::kTheme);
    SetLanguage(GetLanguage());
    SetTheme(theme);
    return true;
}

void ivApp::LoadRecentFiles() {
    if (m_docManager != nullptr) {
        m_docManager->LoadRecentFiles(AppRegistry());
    }
}

bool ivApp::HandOverToRunningInstance() {
    m_instanceLink =
        std::make_unique<ivInstanceLink>(platform::UserConfigDirectory(m_registryKey, m_appName));
    if (m_instanceLink->Claim()) {
        return false;
    }
    std::string path;
    if (!m_commandLine.path.empty()) {
        wxFileName name(wxString::FromUTF8(m_commandLine.path));
        name.MakeAbsolute();
        path = name.GetFullPath().utf8_string();
    }
    if (m_instanceLink->Forward(path)) {
        return true;
    }
    // The running instance does not answer: this one starts on its own.
    return false;
}

bool ivApp::CreateMainFrame() {
    wxClassInfo* frameClass =
        m_mainFrameClass != nullptr ? m_mainFrameClass : wxCLASSINFO(ivMDIParentFrame);
    wxObject* object = frameClass->CreateObject();
    auto* frame = dynamic_cast<ivMDIParentFrame*>(object);
    if (frame == nullptr) {
        delete object;
        return false;
    }
    if (m_docManager == nullptr) {
        m_docManager = new ivDocManager(ReadSettingNumber(settings::kMaxMRU));
    }
    const wxString title = wxString::FromUTF8(m_registryKey + " " + m_appName);
    if (!frame->Create(m_docManager, nullptr, wxID_ANY, title, wxDefaultPosition,
                       wxSize(1000, 700))) {
        delete frame;
        return false;
    }
    SetTopWindow(frame);
    m_mainFrame = frame;
    frame->SetDropTarget(new DocumentDropTarget);
    if (m_instanceLink != nullptr) {
        m_instanceLink->Listen(
            [](const std::string& path) { GetApp().OpenFromOtherInstance(path); });
    }
    return true;
}

bool ivApp::ProcessShellCommand(const CommandLine& line) {
    switch (line.command) {
        case ShellCommand::Nothing:
            return true;
        case ShellCommand::FileNew:
            return m_docManager->NewDocumentOfType(1) != nullptr;
        case ShellCommand::FileOpen:
            return m_docManager->OpenDocumentFile(wxString::FromUTF8(line.path)) != nullptr;
        case ShellCommand::FilePrint: {
            wxDocument* doc = m_docManager->OpenDocumentFile(wxString::FromUTF8(line.path));
            if (doc == nullptr) {
                return false;
            }
            SendCommand(command_id::kFilePrintDirect, true);
            m_docManager->CloseDocuments(true);
            m_endCode = 0;
            return true;
        }
        case ShellCommand::Register:
            m_endCode =
                RegisterWithDesktop(wxStandardPaths::Get().GetExecutablePath().utf8_string()) ? 0
                                                                                              : 1;
            return true;
        case ShellCommand::Unregister:
            m_endCode = UnregisterFromDesktop() ? 0 : 1;
            return true;
    }
    return false;
}

void ivApp::ShowMainWindow() {
    wxFrame* frame = GetMainFrame();
    if (frame == nullptr) {
        return;
    }
    if (ReadSettingNumber(settings::kShowMaximized) != 0) {
        frame->Maximize(true);
    }
    frame->Show(true);
}

int ivApp::OnRun() {
    // A start that only handed its document over, or registered the program, ends here.
    if (m_endCode.has_value()) {
        return *m_endCode;
    }
    const int code = OnRunApp();
    if (code != 0) {
        return code;
    }
    SetSignalHandler(SIGTERM, [](int) { GetApp().EndSession(); });
    const int loop = wxApp::OnRun();
    m_exitAppCode = OnExitApp();
    return m_exitAppCode != 0 ? m_exitAppCode : loop;
}

namespace {

// The reason an exception gives, for the line after the message.
std::string CurrentExceptionReason() {
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return Translate("Unknown error.");
    }
}

}  // namespace

bool ivApp::OnExceptionInMainLoop() {
    const std::string reason = CurrentExceptionReason();
    ShowMessage(
        Translate("The last command failed; your documents are still open.") + "\n" + reason, {}, 0,
        kMessageError | kMessagePreferDialog);
    return true;
}

void ivApp::OnUnhandledException() {
    const std::string reason = CurrentExceptionReason();
    ShowMessage(Translate("The program failed and has to end.") + "\n" + reason, {}, 0,
                kMessageError | kMessagePreferDialog);
}

void ivApp::CallEventHandler(wxEvtHandler* handler, wxEventFunctor& functor, wxEvent& event) const {
    try {
        wxApp::CallEventHandler(handler, functor, event);
    } catch (...) {
        // const in wxWidgets' signature only; reporting changes nothing of the application.
        if (!const_cast<ivApp*>(this)->OnExceptionInMainLoop()) {
            throw;
        }
    }
}

int ivApp::OnExit() {
    ExitInstance();
    return wxApp::OnExit();
}

void ivApp::ExitInstance() {
    if (m_exited) {
        return;
    }
    m_exited = true;
    m_timers.clear();
    m_help.reset();
    // A start that ended early may leave its main window behind; it goes before the document
    // manager it refers to.
    if (ivMDIParentFrame* frame = m_mainFrame) {
        if (m_docManager != nullptr) {
            m_docManager->CloseDocuments(true);
        }
        // Closed document windows wait to be deleted; they must go before their main window.
        DeletePendingObjects();
        wxPendingDelete.DeleteObject(frame);
        delete frame;
    }
    if (m_docManager != nullptr) {
        m_docManager->SaveRecentFiles(AppRegistry());
        delete m_docManager;
        m_docManager = nullptr;
    }
    m_instanceLink.reset();
    SetMessagePresenter(nullptr);
    SetUrlFetcher(nullptr);
    m_fetcher.reset();
    ReleaseLocalisation();
    ReleaseSettingsStore();
    ReleaseAppRegistry();
}

void ivApp::OpenFromOtherInstance(const std::string& path) {
    if (!path.empty() && m_docManager != nullptr) {
        m_docManager->OpenDocumentFile(wxString::FromUTF8(path));
    }
    if (wxFrame* frame = GetMainFrame()) {
        if (frame->IsIconized()) {
            frame->Iconize(false);
        }
        frame->Raise();
    }
}
