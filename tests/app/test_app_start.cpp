#include "core/app_registry.h"
#include "core/command_ids.h"
#include "core/localisation.h"
#include "core/settings.h"
#include "core/translate.h"
#include "framework/doc_manager.h"
#include "framework/mdi_frames.h"
#include "platform/registry_store.h"
#include "tests/app/gui_test_app.h"
#include "tests/support/test_support.h"
#include "views/domain_file.h"
#include "views/section_list_view.h"

#include <gtest/gtest.h>
#include <wx/menu.h>

namespace {

// The start-up steps of the application object, in their order, on settings of the test's own.
// The application keeps what they build until the test program ends.
TEST(AppStart, GermanStartWithTwoDocumentTypes) {
    testing_support::IsolatedSettings settings;
    SetAppRegistryPath(settings.dir().File("registry.conf"));
    SetSetting("/Language", "de");
    SetSetting("/Theme", "office2003");
    SetSetting("/MaxMRU", "3");
    testing_support::WriteFile(settings.dir().File("Alpha.etf"),
                               "<?xml version=\"1.0\"?><Document/>");
    TestApp& app = GetTestApp();

    ASSERT_TRUE(app.InitSettingsAndLanguage());
    EXPECT_EQ("de", app.GetLanguage());
    EXPECT_EQ(app.GetModuleDirectory() + "de/Editor.chm", app.GetHelpFile());
    EXPECT_EQ(2, app.GetTheme());

    app.SetChildFrameClass(wxCLASSINFO(ivMDIChildFrame));
    EXPECT_FALSE(app.AddDocType("etf", "x", "", nullptr, wxCLASSINFO(myReportView)));
    ASSERT_TRUE(app.AddDocType("etf", Translate("File"), "", wxCLASSINFO(myDomainFile),
                               wxCLASSINFO(myReportView)));
    ASSERT_TRUE(app.AddDocType("etx", "Notes", "plain", wxCLASSINFO(myDomainFile),
                               wxCLASSINFO(myReportView)));
    ivDocManager* manager = app.GetDocManager();
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(3, manager->GetMaxRecentFiles());
    auto* first = static_cast<wxDocTemplate*>(manager->GetTemplates().Item(0)->GetData());
    auto* second = static_cast<wxDocTemplate*>(manager->GetTemplates().Item(1)->GetData());
    EXPECT_EQ("Datei", first->GetDescription().utf8_string());
    EXPECT_EQ("Notes (plain)", second->GetDescription().utf8_string());
    EXPECT_EQ("Editor.Datei", first->GetDocumentName().utf8_string());

    app.LoadRecentFiles();
    ASSERT_TRUE(app.CreateMainFrame());
    ivMDIParentFrame* frame = app.GetMainFrame();
    ASSERT_NE(nullptr, frame);
    frame->Show();
    EXPECT_EQ("Quorvane Editor", frame->GetTitle().utf8_string());
    EXPECT_EQ("Datei", frame->GetMenuBar()->GetMenuLabelText(0).utf8_string());

    // A start without a document opens none; one with a path opens it.
    EXPECT_TRUE(app.ProcessShellCommand(CommandLine{ShellCommand::Nothing, {}}));
    EXPECT_TRUE(manager->GetDocuments().IsEmpty());
    EXPECT_TRUE(app.ProcessShellCommand(
        CommandLine{ShellCommand::FileOpen, settings.dir().File("Alpha.etf")}));
    PumpEvents();
    EXPECT_EQ("Quorvane Editor - Alpha", frame->GetTitle().utf8_string());

    // New documents by the number of their type: 57600 and 57599 the first, 57598 the second.
    app.SendCommand(command_id::kFileNew, true);
    EXPECT_EQ(first, manager->GetCurrentDocument()->GetDocumentTemplate());
    EXPECT_EQ("Datei1", manager->GetCurrentDocument()->GetTitle().utf8_string());
    app.SendCommand(command_id::FromTableNumber(57598), true);
    EXPECT_EQ(second, manager->GetCurrentDocument()->GetDocumentTemplate());
    app.SendCommand(command_id::FromTableNumber(57599), true);
    EXPECT_EQ(first, manager->GetCurrentDocument()->GetDocumentTemplate());
    EXPECT_EQ(4u, manager->GetDocuments().GetCount());
    EXPECT_EQ(nullptr, manager->NewDocumentOfType(9)) << "57591 asks for the ninth type";
    PumpEvents();
    EXPECT_EQ("Quorvane Editor - Datei3", frame->GetTitle().utf8_string());

    manager->CloseDocuments(true);
    PumpEvents();
    manager->SaveRecentFiles(AppRegistry());
    EXPECT_EQ(settings.dir().File("Alpha.etf"),
              AppRegistry().GetString("Recent File List", "File1"));
    ReleaseAppRegistry();
    ReleaseLocalisation();
    frame->Destroy();
    PumpEvents();
}

}  // namespace
