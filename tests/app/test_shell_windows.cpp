#include "core/app_registry.h"
#include "core/command_ids.h"
#include "core/localisation.h"
#include "core/settings.h"
#include "document/iv_data.h"
#include "framework/doc_manager.h"
#include "framework/mdi_frames.h"
#include "platform/desktop.h"
#include "platform/registry_store.h"
#include "tests/app/gui_test_app.h"
#include "tests/support/test_support.h"
#include "views/domain_file.h"
#include "views/section_list_view.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/filehistory.h>
#include <wx/menu.h>

#include <unistd.h>

namespace {

const char* const kDocument =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Document>"
    "<Section ID=\"{11111111-2222-3333-4444-555555555555}\" Title=\"Intro\">"
    "<Section ID=\"{11111111-2222-3333-4444-666666666666}\" Title=\"Scope\"/></Section>"
    "<Section ID=\"{11111111-2222-3333-4444-777777777777}\" Title=\"Usage\"/></Document>";

// A main window over a document manager of the test's own, with the "etf" type.
class ShellWindows : public ::testing::Test {
protected:
    void SetUp() override {
        SetAppRegistryPath(settings.dir().File("registry.conf"));
        manager = new ivDocManager(maxRecent);
        new ivDocTemplate(manager, "File", "*.etf", "", "etf", "Editor.File", "Editor File",
                          wxCLASSINFO(myDomainFile), wxCLASSINFO(myReportView),
                          wxCLASSINFO(ivMDIChildFrame));
        frame = new ivMDIParentFrame;
        ASSERT_TRUE(frame->Create(manager, nullptr, wxID_ANY, "Quorvane Editor", wxDefaultPosition,
                                  wxSize(800, 600)));
        wxTheApp->SetTopWindow(frame);
        frame->Show();
        PumpEvents();
        for (const char* name : {"Alpha.etf", "Beta.etf"}) {
            testing_support::WriteFile(settings.dir().File(name), kDocument);
        }
        testing_support::WriteFile(settings.dir().File("broken.etf"), "not xml at all");
    }

    void TearDown() override {
        manager->CloseDocuments(true);
        DestroyMainWindow(frame, manager);
    }

    wxString File(const char* name) const { return settings.dir().File(name); }
    std::string Title() {
        PumpEvents();
        return frame->GetTitle().utf8_string();
    }

    int maxRecent = 4;
    testing_support::IsolatedSettings settings;
    ivDocManager* manager = nullptr;
    ivMDIParentFrame* frame = nullptr;
};

TEST_F(ShellWindows, TitleFollowsTheActiveDocument) {
    EXPECT_EQ("Quorvane Editor", Title());
    wxDocument* alpha = manager->OpenDocumentFile(File("Alpha.etf"));
    ASSERT_NE(nullptr, alpha);
    EXPECT_EQ("Alpha", alpha->GetTitle().utf8_string());
    EXPECT_EQ("Quorvane Editor - Alpha", Title());
    ASSERT_NE(nullptr, manager->OpenDocumentFile(File("Beta.etf")));
    EXPECT_EQ("Quorvane Editor - Beta", Title());

    // Opening a document that is open brings its window back instead of a second copy.
    EXPECT_EQ(alpha, manager->OpenDocumentFile(File("Alpha.etf")));
    EXPECT_EQ(2u, manager->GetDocuments().GetCount());
    EXPECT_EQ("Quorvane Editor - Alpha", Title());

    manager->CloseDocuments(true);
    EXPECT_EQ("Quorvane Editor", Title());
}

TEST_F(ShellWindows, SendSavesTheDocumentAndAttachesItToAMail) {
    std::vector<std::vector<std::string>> started;
    platform::SetLauncher([&](const std::vector<std::string>& argv, const std::string&) {
        started.push_back(argv);
        return true;
    });
    wxDocument* doc = manager->OpenDocumentFile(File("Alpha.etf"));
    ASSERT_NE(nullptr, doc);
    PumpEvents(100);
    doc->Modify(true);
    testing_support::WriteFile(settings.dir().File("Alpha.etf"), "changed behind the editor");
    GetTestApp().SendCommand(command_id::kFileSendMail, true);
    PumpEvents();
    ASSERT_EQ(1u, started.size());
    EXPECT_EQ((std::vector<std::string>{"xdg-email", "--attach", File("Alpha.etf").utf8_string()}),
              started[0]);
    EXPECT_FALSE(doc->IsModified()) << "the mail carries what the editor shows";
    EXPECT_NE(std::string::npos,
              testing_support::ReadFile(settings.dir().File("Alpha.etf")).find("<Document>"));

    // A desktop without a mail program: the user hears of it.
    platform::SetLauncher(
        [](const std::vector<std::string>&, const std::string&) { return false; });
    testing_support::MessageRecorder messages;
    GetTestApp().SendCommand(command_id::kFileSendMail, true);
    PumpEvents();
    ASSERT_EQ(1u, messages.Messages().size());
    EXPECT_EQ("The mail program could not be started.", messages.Messages()[0]);
    platform::SetLauncher({});
}

TEST_F(ShellWindows, SectionListShowsTheSections) {
    wxDocument* doc = manager->OpenDocumentFile(File("Alpha.etf"));
    ASSERT_NE(nullptr, doc);
    auto* view = dynamic_cast<myReportView*>(doc->GetFirstView());
    ASSERT_NE(nullptr, view);
    // The rows come with the refresh the list asks for once it is set up.
    PumpEvents(100);
    const CXTPReportRecordEx* documentRow = view->Model().GetRoot();
    ASSERT_NE(nullptr, documentRow);
    ivReportViewData& rows = *view->GetData();
    rows.SetCurrentRecord(const_cast<CXTPReportRecordEx*>(documentRow));
    EXPECT_EQ("Document", rows.GetAttribute("Title"));
    ASSERT_TRUE(rows.GoChild(0));
    EXPECT_EQ("1", rows.GetAttribute("Numbering"));
    EXPECT_EQ("Intro", rows.GetAttribute("Title"));
    ASSERT_TRUE(rows.GoChild(0));
    EXPECT_EQ("1.1", rows.GetAttribute("Numbering"));
    EXPECT_EQ(2, documentRow->GetChildCount());
}

TEST_F(ShellWindows, PathsAreFoundWithQuotesAndRelativeSpelling) {
    wxDocument* doc = manager->OpenDocumentFile("\"" + File("Alpha.etf") + "\"");
    ASSERT_NE(nullptr, doc);
    const std::string cwd = wxGetCwd().utf8_string();
    ASSERT_EQ(0, chdir(settings.dir().path().c_str()));
    EXPECT_EQ(doc, manager->OpenDocumentFile("./sub/../Alpha.etf"));
    ASSERT_EQ(0, chdir(cwd.c_str()));
    EXPECT_EQ(1u, manager->GetDocuments().GetCount());
}

TEST_F(ShellWindows, DocumentThatFailsToLoadIsDroppedWithOneMessage) {
    testing_support::MessageRecorder recorder;
    EXPECT_EQ(nullptr, manager->OpenDocumentFile(File("broken.etf")));
    EXPECT_EQ(std::vector<std::string>{"Loading document failed.\nLine 1, column 1: Start tag "
                                       "expected, '<' not found"},
              recorder.Messages())
        << "no question to save what never loaded";
    EXPECT_TRUE(manager->GetDocuments().IsEmpty());
    EXPECT_EQ(0u, manager->GetHistoryFilesCount());
    EXPECT_EQ(0u, frame->GetClientWindow()->GetPageCount());
}

// A document of sections nested a given number of levels below the document element.
std::string NestedDocument(int levels) {
    std::string xml = "<Document>";
    for (int i = 0; i < levels; ++i) {
        xml += "<Section ID=\"{" + std::to_string(i) + "}\" Title=\"s\">";
    }
    for (int i = 0; i < levels; ++i) {
        xml += "</Section>";
    }
    return xml + "</Document>";
}

// 20,000 levels overflowed the stack of the editor's row walk.
TEST_F(ShellWindows, DocumentNestedTooDeeplyIsRefusedWithTheReason) {
    testing_support::WriteFile(settings.dir().File("deep.etf"), NestedDocument(20000));
    testing_support::MessageRecorder recorder;
    EXPECT_EQ(nullptr, manager->OpenDocumentFile(File("deep.etf")));
    EXPECT_EQ(std::vector<std::string>{"Loading document failed.\nLine 1: the document nests "
                                       "deeper than 256 levels."},
              recorder.Messages());
    EXPECT_TRUE(manager->GetDocuments().IsEmpty());
}

TEST_F(ShellWindows, DocumentAsDeepAsAllowedIsShown) {
    const int levels = ivData::kMaxDepth - 1;
    testing_support::WriteFile(settings.dir().File("deepest.etf"), NestedDocument(levels));
    wxDocument* doc = manager->OpenDocumentFile(File("deepest.etf"));
    ASSERT_NE(nullptr, doc);
    auto* view = dynamic_cast<myReportView*>(doc->GetFirstView());
    ASSERT_NE(nullptr, view);
    PumpEvents(100);
    ASSERT_NE(nullptr, view->Model().GetRoot());
    ivReportViewData& rows = *view->GetData();
    rows.SetCurrentRecord(const_cast<CXTPReportRecordEx*>(view->Model().GetRoot()));
    int depth = 0;
    while (rows.GoChild(0)) {
        ++depth;
    }
    EXPECT_EQ(levels, depth);
    EXPECT_EQ(static_cast<size_t>(2 * levels - 1), rows.GetAttribute("Numbering").size());
    view->Model().SetAllExpanded(true);  // every level shown at once
    PumpEvents(100);
}

TEST_F(ShellWindows, NewDocumentsAreNumberedAfterTheirType) {
    wxDocument* first = manager->NewDocumentOfType(1);
    wxDocument* second = manager->NewDocumentOfType(1);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ("File1", first->GetTitle().utf8_string());
    EXPECT_EQ("File2", second->GetTitle().utf8_string());
    EXPECT_EQ("Quorvane Editor - File2", Title());
    EXPECT_EQ(nullptr, manager->NewDocumentOfType(2)) << "there is one type";
}

TEST_F(ShellWindows, RecentFilesAreKeptNewestFirstInTheRegistryStore) {
    for (const char* name : {"Alpha.etf", "Beta.etf"}) {
        ASSERT_NE(nullptr, manager->OpenDocumentFile(File(name)));
    }
    ASSERT_EQ(2u, manager->GetHistoryFilesCount());
    EXPECT_EQ(File("Beta.etf"), manager->GetHistoryFile(0));
    manager->SaveRecentFiles(AppRegistry());
    EXPECT_EQ(File("Beta.etf").utf8_string(), AppRegistry().GetString("Recent File List", "File1"));
    EXPECT_EQ(File("Alpha.etf").utf8_string(),
              AppRegistry().GetString("Recent File List", "File2"));

    ivDocManager restored(4);
    restored.LoadRecentFiles(AppRegistry());
    ASSERT_EQ(2u, restored.GetHistoryFilesCount());
    EXPECT_EQ(File("Beta.etf"), restored.GetHistoryFile(0));

    // "/MaxMRU" that is not a number keeps no recent files at all.
    ivDocManager none(AtoiSetting("many"));
    EXPECT_EQ(0, none.GetMaxRecentFiles());
    none.LoadRecentFiles(AppRegistry());
    none.AddFileToHistory(File("Alpha.etf"));
    EXPECT_EQ(0u, none.GetHistoryFilesCount());
}

TEST_F(ShellWindows, EventsFromTheActiveDocumentWindowArriveOnce) {
    wxDocument* doc = manager->OpenDocumentFile(File("Alpha.etf"));
    ASSERT_NE(nullptr, doc);
    auto* child = dynamic_cast<ivMDIChildFrame*>(doc->GetFirstView()->GetFrame());
    ASSERT_NE(nullptr, child);
    auto* button = new wxButton(child, wxID_ANY, "Go");
    int inChild = 0;
    int inMain = 0;
    child->Bind(wxEVT_BUTTON, [&](wxCommandEvent& event) {
        ++inChild;
        event.Skip();
    });
    frame->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { ++inMain; });

    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(1, inChild);
    EXPECT_EQ(1, inMain);

    // A menu command of the main window still reaches the active document window first.
    const int id = wxWindow::NewControlId();
    int menuInChild = 0;
    child->Bind(
        wxEVT_MENU, [&](wxCommandEvent&) { ++menuInChild; }, id);
    wxCommandEvent menu(wxEVT_MENU, id);
    menu.SetEventObject(frame);
    frame->GetEventHandler()->ProcessEvent(menu);
    EXPECT_EQ(1, menuInChild);
}

}  // namespace
