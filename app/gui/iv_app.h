#pragma once

#include "app/command_line.h"
#include "app/http/http_agent.h"
#include "core/version.h"
#include "framework/command_site.h"
#include "framework/mdi_frames.h"

#include <wx/app.h>
#include <wx/cmndata.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

class ivDocManager;
class ivInstanceLink;
class ivAgentUrlFetcher;
class wxHtmlHelpController;

// The application: start-up and shut-down, the settings store, language and theme, the
// document types and the recent-file list, the main window, timers, the user-message and
// shell services, the HTTP agent and the Help commands. A product derives from it, sets its
// identity in its constructor and fills in the hooks. There is one application object,
// reached with GetApp().
class ivApp : public wxApp, public ivApplicationHooks {
public:
    ivApp();
    ~ivApp() override;

    // Start-up (InitInstance), the message loop (Run) and shut-down (ExitInstance).
    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;

    // An exception that escapes an event handler ends that handler only: the user is told what
    // failed and the program goes on with every document as it was.
    bool OnExceptionInMainLoop() override;
    void OnUnhandledException() override;
    // Every handler runs here, so that an exception from a posted event or a timer is caught
    // as well as one from a window's own event.
    void CallEventHandler(wxEvtHandler* handler, wxEventFunctor& functor,
                          wxEvent& event) const override;

    // Product hooks.
    virtual bool OnInitApp() { return true; }
    // Runs before the message loop; non-zero ends the program with that code.
    virtual int OnRunApp() { return 0; }
    virtual int OnExitApp() { return 0; }
    // The command table and the lists of the command bars (ivApplicationHooks).
    bool OnCreateCommands(ivCommandSite*) override { return true; }
    bool OnFillCommandLists(ivCommandSite*) override { return true; }
    // A timer of StartTimer fired.
    virtual void OnAppTimer(int) {}
    // Whether a command was asked for by the user; false during the start-up checks.
    virtual bool IsInteractive() const { return true; }

    // Identity. These hide wxApp's names of the same meaning, which they keep in step.
    std::string GetRegistryKey() const { return m_registryKey; }
    std::string GetAppName() const { return m_appName; }
    void SetRegistryKey(const std::string& key);
    void SetAppName(const std::string& name);
    void SetVersion(unsigned major, unsigned minor, unsigned revision, unsigned build);
    const ivVersion& GetVersion() const { return m_version; }
    std::string GetVersionString(int parts) const override {
        return ::FormatVersion(m_version, parts);
    }
    // "Quorvane Editor/1.0"
    std::string GetUserAgent() const;

    // Versions (see core/version.h); the first three compare the application's version.
    static std::string FormatVersion(const ivVersion& v, int parts) {
        return ::FormatVersion(v, parts);
    }
    static std::string FormatVersion(unsigned a, unsigned b, unsigned c, unsigned d, int parts) {
        return ::FormatVersion(a, b, c, d, parts);
    }
    static ivVersion ParseVersion(const std::string& text) { return ::ParseVersion(text); }
    int CompareVersion(const ivVersion& other) const { return ::CompareVersion(m_version, other); }
    int CompareVersion(unsigned a, unsigned b, unsigned c, unsigned d) const;
    int CompareVersion(const std::string& other) const;
    static int CompareVersion(const ivVersion& first, const ivVersion& second) {
        return ::CompareVersion(first, second);
    }
    static int CompareVersion(unsigned a1, unsigned b1, unsigned c1, unsigned d1, unsigned a2,
                              unsigned b2, unsigned c2, unsigned d2) {
        return ::CompareVersion(a1, b1, c1, d1, a2, b2, c2, d2);
    }
    static int CompareVersion(const std::string& first, const std::string& second) {
        return ::CompareVersion(first, second);
    }

    // Language and theme, chosen at start-up.
    std::string GetLanguage() const;
    // Sets the help file of the active language (the argument is not used).
    void SetLanguage(const std::string& language);
    // An empty or unknown name selects the native theme; "Ribbon" the ribbon.
    void SetTheme(const std::string& name);
    int GetTheme() const { return m_theme; }
    const std::string& GetHelpFile() const { return m_helpFile; }
    // The help window's controller once a Help command has opened the manual, else null.
    wxHtmlHelpController* GetHelpController() const { return m_help.get(); }

    std::string GetModuleDirectory() const;
    std::string GetConfDirectory() const;
    std::string GetTempDirectory() const;

    // Stores a type library identifier "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" and version;
    // false when the text is not of that form.
    bool SetTypeLibGuid(const std::string& guid, int major, int minor);
    void SetSingleDocument(bool single) { m_singleDocument = single; }
    // Balloons (desktop notifications) for messages without the dialog bit; the product
    // allows none.
    bool EnableBalloons(bool enable);
    bool BalloonsAllowed() const { return m_balloonsAllowed; }
    int SystemBalloons() const { return m_systemBalloons; }
    void SetMainFrameClass(wxClassInfo* frameClass) { m_mainFrameClass = frameClass; }
    void SetChildFrameClass(wxClassInfo* frameClass) { m_childFrameClass = frameClass; }

    // Registers a document type; false without a document or view class.
    bool AddDocType(const std::string& extension, const std::string& typeName,
                    const std::string& description, wxClassInfo* documentClass,
                    wxClassInfo* viewClass);

    ivCommandSite* GetCommandBars();
    ivHttpAgent& GetAgent() { return m_agent; }
    ivDocManager* GetDocManager() const { return m_docManager; }
    ivMDIParentFrame* GetMainFrame() const;
    wxPrintData& GetPrintData() { return m_printData; }

    // Window timers: OnAppTimer(id) every milliseconds; false without a main window.
    bool StartTimer(int id, int milliseconds);
    bool StopTimer(int id);
    // The command id to the main window: processed at once when synchronous, queued otherwise.
    void SendCommand(int commandId, bool synchronous);

    // URLs go to a browser pane of the main window when "/UseExternalBrowser" is 0 and there
    // is one, otherwise to the desktop's browser.
    bool OpenURL(const std::string& url, bool activate);
    // Writes html to "<temp folder><application name>.htm" and opens that.
    bool ShowHTML(const std::string& html, bool activate);
    // "open" and "print" through the desktop; other verbs fail.
    bool ShellExecuteVerb(const std::string& verb, const std::string& file);
    bool OpenFile(const std::string& file) { return ShellExecuteVerb("open", file); }
    bool PrintFile(const std::string& file) { return ShellExecuteVerb("print", file); }

    // Help commands.
    virtual void OnAppAbout();
    virtual void OnAppOnline();
    virtual void OnAppTips();
    virtual void OnAppUpdate();
    // The news feed in the tip dialog; forced when the user asked for it.
    virtual void ShowNews(const std::string& feedUrl, bool forced);

    // Opens a document as a second start of the program asks: activates it when open.
    void OpenFromOtherInstance(const std::string& path);

    // The desktop session ends (SIGTERM): dialogs close, then the main window as if the user
    // closed it; meanwhile there is no main window for messages and commands.
    void EndSession();

protected:
    // The steps of OnInit, in this order; tests run them one by one.
    bool InitSettingsAndLanguage();
    void LoadRecentFiles();
    bool CreateMainFrame();
    // Opens, prints or registers as the command line says; false ends the start.
    bool ProcessShellCommand(const CommandLine& line);
    void ShowMainWindow();

    // Writes back and releases what start-up set up; safe to call more than once.
    void ExitInstance();

    const CommandLine& GetCommandLine() const { return m_commandLine; }

private:
    bool InitInstance();
    bool HandOverToRunningInstance();
    void BindCommands();
    void OnTimer(wxTimerEvent& event);
    void OnNewByType(wxCommandEvent& event);
    void OnHelpCommand(wxCommandEvent& event);
    // Loads the help book of the language once; false when there is none.
    bool OpenHelp();
    void OnHelpEvent(wxHelpEvent& event);
    // The manual's page of that name, or its contents for an empty name; the help is open.
    void ShowHelpPage(const std::string& page);
    // Hands the active document, saved, to the desktop's mail program as an attachment.
    void OnFileSendMail();

    std::string m_registryKey;
    std::string m_appName;
    ivVersion m_version;
    std::string m_typeLibGuid;
    int m_typeLibMajor = 0;
    int m_typeLibMinor = 0;
    wxClassInfo* m_mainFrameClass = nullptr;
    wxClassInfo* m_childFrameClass = nullptr;
    bool m_createMainFrame = false;
    bool m_singleDocument = false;
    bool m_balloonsAllowed = false;
    int m_systemBalloons = 1;
    int m_theme = 3;
    std::string m_helpFile;
    ivHttpAgent m_agent;
    std::shared_ptr<ivAgentUrlFetcher> m_fetcher;
    ivDocManager* m_docManager = nullptr;
    wxWeakRef<ivMDIParentFrame> m_mainFrame;
    std::map<int, std::unique_ptr<wxTimer>> m_timers;
    std::unique_ptr<ivInstanceLink> m_instanceLink;
    CommandLine m_commandLine;
    wxPrintData m_printData;
    std::unique_ptr<wxHtmlHelpController> m_help;
    std::optional<int> m_endCode;  // set when the start ends without a message loop
    bool m_initialised = false;
    bool m_sessionEnding = false;
    bool m_exited = false;
    int m_exitAppCode = 0;
};

// The application object.
ivApp& GetApp();

// The page of the manual about a window (the section list, the text view, the document
// window around them), or empty when the manual has none and the contents fit.
std::string HelpPageOf(const wxWindow* window);
