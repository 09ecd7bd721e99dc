#pragma once

#include "app/gui/iv_app.h"

#include <vector>

// The application object of the window tests: an ivApp whose start-up the tests run step by
// step instead of OnInit doing all of it.
class TestApp : public ivApp {
public:
    TestApp();
    bool OnInit() override;
    void OnAppTimer(int id) override { timersFired.push_back(id); }
    // Main windows get the editor's command bars unless a test says otherwise.
    bool OnCreateCommands(ivCommandSite* site) override;
    bool OnFillCommandLists(ivCommandSite* site) override;

    using ivApp::CreateMainFrame;
    using ivApp::InitSettingsAndLanguage;
    using ivApp::LoadRecentFiles;
    using ivApp::ProcessShellCommand;

    std::vector<int> timersFired;
    bool editorCommands = true;
};

TestApp& GetTestApp();

// Lets pending events and idle work run for a while.
void PumpEvents(int milliseconds = 50);

class wxFrame;
class wxDocManager;

// Ends a test's main window and document manager in the order the program does: closed
// document windows go first (as at idle time), then the main window, then the manager and
// the per-user store.
void DestroyMainWindow(wxFrame* frame, wxDocManager* manager);
