#include "app/gui/command_table.h"
#include "core/app_registry.h"
#include "core/identity.h"
#include "tests/app/gui_test_app.h"

#include <gtest/gtest.h>
#include <wx/docview.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdlib>

TestApp::TestApp() {
    SetAppName(identity::kAppName);
    SetVersion(1, 0, 1, 23);
    SetRegistryKey(identity::kRegistryKey);
}

bool TestApp::OnInit() {
    // No log window may ever wait for a click in a test run.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxInitAllImageHandlers();
    return true;
}

bool TestApp::OnCreateCommands(ivCommandSite* site) {
    return !editorCommands || DefineEditorCommands(site);
}

bool TestApp::OnFillCommandLists(ivCommandSite* site) {
    return !editorCommands || FillEditorCommandLists(site);
}

TestApp& GetTestApp() {
    return static_cast<TestApp&>(GetApp());
}

void PumpEvents(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxMilliSleep(5);
    } while (std::chrono::steady_clock::now() < end);
}

void DestroyMainWindow(wxFrame* frame, wxDocManager* manager) {
    PumpEvents();
    wxTheApp->SetTopWindow(nullptr);
    if (frame != nullptr) {
        frame->Destroy();
        PumpEvents();
    }
    delete manager;
    ReleaseAppRegistry();
}

namespace {

// A failed wxWidgets assertion fails the test instead of opening a dialog.
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
    ADD_FAILURE() << "wxWidgets assertion " << cond.utf8_string() << " in " << func.utf8_string()
                  << " (" << file.utf8_string() << ":" << line << "): " << msg.utf8_string();
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (at build time, without a display) needs no windows.
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    // Dialogs of the desktop (the folder chooser) keep their settings in memory: no session
    // bus to write them to, and nothing of the user's to change.
    setenv("GSETTINGS_BACKEND", "memory", 0);
    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        return 1;
    }
    wxSetAssertHandler(FailOnAssert);
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
