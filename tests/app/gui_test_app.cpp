#include "tests/app/gui_test_app.h"

#include "app/gui/command_table.h"
#include "app/gui/template_dialog.h"
#include "core/identity.h"

#include <wx/log.h>

TestApp::TestApp() {
    SetAppName(identity::kAppName);
    SetVersion(1, 0, 1, 23);
    SetRegistryKey(identity::kRegistryKey);
    BindEditorCommandStates(*this);
    BindTemplateCommand(*this);
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

wxApp* CreateGuiTestApp() {
    return new TestApp;
}
