#pragma once

#include "app/gui/iv_app.h"
#include "tests/support/gui_test_support.h"

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
