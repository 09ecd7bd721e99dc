// Entry point of the window tests: wxWidgets with its windows is started once, under the
// virtual display the tests run in, with the application object of the program.
#include "core/app_registry.h"
#include "tests/support/gui_test_support.h"
#include "tests/support/screen_grab.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/display.h>
#include <wx/docview.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdlib>

namespace {

class PlainGuiTestApp : public wxApp {
public:
    bool OnInit() override {
        delete wxLog::SetActiveTarget(new wxLogStderr);
        wxInitAllImageHandlers();
        return true;
    }
};

}  // namespace

wxApp* CreatePlainGuiTestApp() {
    return new PlainGuiTestApp;
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

void ClickAt(wxWindow& window, const wxPoint& point, bool right) {
    wxUIActionSimulator person;
    person.MouseMove(window.ClientToScreen(point));
    PumpEvents(50);
    person.MouseClick(right ? wxMOUSE_BTN_RIGHT : wxMOUSE_BTN_LEFT);
    PumpEvents(100);
}

std::string SaveScreenshot(const std::string& name) {
    // Read back from the display server: a screen device context can miss what native
    // widgets painted last.
    const wxImage shot = GrabScreen(wxDisplay(0u).GetGeometry());
    const std::string path = std::string(QV_SCREENSHOT_DIR) + "/" + name + ".png";
    wxFileName::Mkdir(QV_SCREENSHOT_DIR, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    shot.SaveFile(path, wxBITMAP_TYPE_PNG);
    return path;
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
    wxApp::SetInstance(CreateGuiTestApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        return 1;
    }
    wxSetAssertHandler(FailOnAssert);
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
