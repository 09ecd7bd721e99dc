// The section list in the editor's window, driven as a person drives it: the mouse on rows,
// check boxes and the header, the shortcuts of the Edit, View and Insert menus, typing titles.
#include "core/app_registry.h"
#include "core/command_ids.h"
#include "core/localisation.h"
#include "core/settings.h"
#include "document/iv_xml.h"
#include "framework/doc_manager.h"
#include "framework/mdi_frames.h"
#include "framework/report_ctrl.h"
#include "platform/guid.h"
#include "tests/app/gui_test_app.h"
#include "tests/framework/report_test_util.h"
#include "tests/support/test_support.h"
#include "views/domain_file.h"
#include "views/section_list_view.h"

#include <gtest/gtest.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <chrono>

namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

class SectionListWindow : public ::testing::Test {
protected:
    void SetUp() override { SetAppRegistryPath(settings.dir().File("registry.conf")); }
    void TearDown() override { Stop(); }

    // Starts the editor's main window, with its command bars in the language of "/Language".
    void Start(const char* language = "en") {
        ReleaseLocalisation();
        SetSetting("/Language", language);
        InitLocalisation(ChooseLanguage());
        manager = new ivDocManager(4);
        new ivDocTemplate(manager, "File", "*.etf", "", "etf", "Editor.File", "Editor File",
                          wxCLASSINFO(myDomainFile), wxCLASSINFO(myReportView),
                          wxCLASSINFO(ivMDIChildFrame));
        frame = new ivMDIParentFrame;
        ASSERT_TRUE(frame->Create(manager, nullptr, wxID_ANY, "Quorvane Editor", wxPoint(0, 0),
                                  wxSize(1200, 700)));
        wxTheApp->SetTopWindow(frame);
        frame->Show();
        frame->Raise();
        PumpEvents(200);
    }
    // Ends it as the program does; the next Start is a new run of the program.
    void Stop() {
        if (manager == nullptr) {
            return;
        }
        manager->CloseDocuments(true);
        DestroyMainWindow(frame, manager);
        manager = nullptr;
        frame = nullptr;
        ReleaseLocalisation();
    }
    // The list of the document opened from path (a new document when empty), with its rows.
    myReportView* Show(const std::string& path = {}) {
        doc = path.empty() ? manager->NewDocumentOfType(1)
                           : manager->OpenDocumentFile(wxString::FromUTF8(path));
        if (doc == nullptr) {
            ADD_FAILURE() << "no document";
            return nullptr;
        }
        view = dynamic_cast<myReportView*>(doc->GetFirstView());
        PumpEvents(300);
        control = view->GetControl();
        control->SetFocus();
        PumpEvents(100);
        return view;
    }
    // A (with A1 below it) and B.
    myReportView* ShowSmallOutline() {
        WriteFile(settings.dir().File("a.etf"),
                  "<Document><Section ID=\"{A}\" Title=\"A\"><Section ID=\"{A1}\" "
                  "Title=\"A1\"/></Section><Section ID=\"{B}\" Title=\"B\"/></Document>");
        return Show(settings.dir().File("a.etf"));
    }
    CXTPReportRecordEx* Root() { return view->Model().GetRoot(); }
    CXTPReportRecordEx* Row(std::initializer_list<int> path) { return RowAt(view->Model(), path); }
    std::string Cell(CXTPReportRecordEx* record, const char* column) {
        return CellText(*view, *record, column);
    }
    void ClickCell(CXTPReportRecordEx* record, const char* column) {
        const wxRect rect = control->GetItemRect(
            ivReportCtrl::ItemOf(record), control->ColumnOfItemIndex(view->FindColumn(column)));
        ASSERT_GT(rect.height, 0) << column << " is not shown";
        ClickAt(*control->GetMainWindow(),
                wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2));
    }
    void Press(int key, int modifiers = wxMOD_NONE) {
        person.Char(key, modifiers);
        PumpEvents(200);
    }
    void Type(const std::string& text) {
        person.Text(text.c_str());
        PumpEvents(150);
    }
    // Right-clicks the header and picks the entry at this position of the column chooser.
    void ChooseColumn(int position) {
        wxTimer pick;
        pick.Bind(wxEVT_TIMER, [this, position](wxTimerEvent&) {
            for (int i = 0; i <= position; ++i) {
                person.Char(WXK_DOWN);
                wxMilliSleep(30);
            }
            person.Char(WXK_RETURN);
        });
        auto opened = [&pick](wxMenuEvent& event) {
            event.Skip();
            pick.StartOnce(300);
        };
        control->Bind(wxEVT_MENU_OPEN, opened);
        ClickAt(*control->GetMainWindow(), wxPoint(30, 5), true);
        PumpEvents(400);
        control->Unbind(wxEVT_MENU_OPEN, opened);
    }
    ivXML& Tree() { return *static_cast<myDomainFile*>(doc)->GetTree(ivDomain::kDocumentTree); }
    std::string Attribute(const std::string& id, const char* name) {
        ivTreeEditor* editor = static_cast<myDomainFile*>(doc)->GetTreeEditor();
        return editor->SelectSection(id) ? editor->GetTree()->GetAttribute(name) : "(none)";
    }

    testing_support::IsolatedSettings settings;
    ivDocManager* manager = nullptr;
    ivMDIParentFrame* frame = nullptr;
    wxDocument* doc = nullptr;
    myReportView* view = nullptr;
    ivReportCtrl* control = nullptr;
    wxUIActionSimulator person;
};

TEST_F(SectionListWindow, APersonBuildsAnOutlineAndFindsTheColumnsAgainAfterARestart) {
    Start();
    ASSERT_NE(Show(), nullptr);
    ASSERT_NE(Root(), nullptr);
    EXPECT_EQ(Cell(Root(), "Title"), "Document");
    ClickCell(Root(), "Title");
    EXPECT_EQ(view->Model().GetFocusedRecord(), Root());

    // Ctrl+Enter inserts a section and opens its title; Enter ends the typing.
    Press(WXK_RETURN, wxMOD_CONTROL);
    ASSERT_NE(Row({0}), nullptr);
    Type("Introduction");
    Press(WXK_RETURN);
    EXPECT_EQ(Cell(Row({0}), "Title"), "Introduction");
    const std::string intro = Cell(Row({0}), "ID");
    EXPECT_EQ(Attribute(intro, "Title"), "Introduction");
    EXPECT_TRUE(doc->IsModified());

    Press(WXK_RETURN, wxMOD_CONTROL);
    Type("Usage");
    Press(WXK_RETURN);
    Press(WXK_RETURN, wxMOD_CONTROL | wxMOD_ALT);
    Type("Examples");
    Press(WXK_RETURN);
    ASSERT_NE(Row({1, 0}), nullptr);
    EXPECT_EQ(Cell(Row({1}), "Title"), "Usage");
    EXPECT_EQ(Cell(Row({1, 0}), "Title"), "Examples");
    EXPECT_EQ(Cell(Row({1, 0}), "Numbering"), "2.1");

    // F2 opens the title again; Escape leaves it.
    Press(WXK_F2);
    Type("Mistake");
    Press(WXK_ESCAPE);
    EXPECT_EQ(Cell(Row({1, 0}), "Title"), "Examples");

    // The hidden "Auto" column is shown through the header, and its check box clicked.
    ChooseColumn(8);
    ASSERT_NE(control->ColumnOfItemIndex(view->FindColumn("Auto")), nullptr);

    ClickCell(Row({0}), "Auto");
    EXPECT_EQ(view->Model().GetFocusedRecord(), Row({0}));
    EXPECT_EQ(Attribute(intro, "Auto"), "1");
    SaveScreenshot("section_list_en");

    // Delete asks, then removes the focused section.
    {
        testing_support::MessageRecorder yes(kAnswerYes);
        ClickCell(Row({1, 0}), "Title");
        Press(WXK_DELETE);
        EXPECT_EQ(yes.Messages(), (std::vector<std::string>{"Really remove the current section?"}));
    }
    EXPECT_EQ(Row({1})->GetChildCount(), 0);
    EXPECT_EQ(view->Model().GetFocusedRecord(), Row({1}));
    // F5 rebuilds; the focus stays where it was.
    Press(WXK_F5);
    EXPECT_EQ(Cell(view->Model().GetFocusedRecord(), "Title"), "Usage");
    EXPECT_EQ(Cell(Row({1}), "Numbering"), "2");

    const std::string path = settings.dir().File("Outline.etf");
    ASSERT_TRUE(doc->OnSaveDocument(wxString::FromUTF8(path)));
    EXPECT_NE(ReadFile(path).find("Title=\"Introduction\""), std::string::npos);
    EXPECT_NE(ReadFile(settings.ConfDir() + "Editor.xml").find("Count=\"10\""), std::string::npos);
    Stop();

    // The next run shows the column the person chose.
    Start();
    ASSERT_NE(Show(path), nullptr);
    EXPECT_NE(control->ColumnOfItemIndex(view->FindColumn("Auto")), nullptr);
    EXPECT_EQ(Cell(Row({0}), "Auto"), "0") << "check boxes are shown cleared after a rebuild";
}

// Whether the command is enabled as the menu would show it (a command no one disables stays
// enabled).
bool Enabled(wxFrame& frame, int id) {
    wxUpdateUIEvent event(id);
    event.SetEventObject(&frame);
    frame.ProcessWindowEvent(event);
    return !event.GetSetEnabled() || event.GetEnabled();
}

TEST_F(SectionListWindow, CommandsAreEnabledForWhatIsFocusedAndPrintingShowsTheList) {
    Start();
    ASSERT_NE(ShowSmallOutline(), nullptr);
    using namespace command_id;
    ClickCell(Root(), "Title");
    EXPECT_FALSE(Enabled(*frame, kEditDelete)) << "the document row";
    EXPECT_FALSE(Enabled(*frame, kViewExpand));
    EXPECT_TRUE(Enabled(*frame, kViewExpandAll));
    EXPECT_TRUE(Enabled(*frame, kInsertSectionUnder));
    ClickCell(Row({0}), "Title");
    EXPECT_TRUE(Enabled(*frame, kEditDelete));
    EXPECT_TRUE(Enabled(*frame, kViewCollapse));
    for (int id : {kEditCut, kEditCopy, kEditPaste}) {
        EXPECT_FALSE(Enabled(*frame, id)) << "sections do not go through the clipboard";
    }
    // The View menu's commands, as a person picks them.
    auto run = [this](int id) {
        wxCommandEvent command(wxEVT_MENU, id);
        command.SetEventObject(frame);
        frame->ProcessWindowEvent(command);
        PumpEvents(100);
    };
    run(kViewCollapseAll);
    EXPECT_FALSE(control->IsExpanded(ivReportCtrl::ItemOf(Root())));
    run(kViewExpandAll);
    EXPECT_TRUE(control->IsExpanded(ivReportCtrl::ItemOf(Row({0}))));
    ClickCell(Row({0}), "Title");
    run(kViewCollapse);
    EXPECT_FALSE(control->IsExpanded(ivReportCtrl::ItemOf(Row({0}))));
    run(kViewExpand);
    EXPECT_TRUE(control->IsExpanded(ivReportCtrl::ItemOf(Row({0}))));

    run(kFilePrintPreview);
    PumpEvents(300);
    wxWindow* preview = nullptr;
    for (wxWindow* window : wxTopLevelWindows) {
        if (window != frame && window->IsShown()) {
            preview = window;
        }
    }
    ASSERT_NE(preview, nullptr) << "a preview of the list";
    preview->SetSize(wxRect(0, 0, 900, 700));
    PumpEvents(300);
    SaveScreenshot("section_list_print_preview");
    preview->Close(true);
    PumpEvents(200);
}

TEST_F(SectionListWindow, ArrowsMoveAndLeftAndRightFold) {
    Start();
    ASSERT_NE(ShowSmallOutline(), nullptr);
    ClickCell(Row({0}), "Title");
    Press(WXK_DOWN);
    EXPECT_EQ(view->Model().GetFocusedRecord(), Row({0, 0}));
    Press(WXK_LEFT);
    EXPECT_EQ(view->Model().GetFocusedRecord(), Row({0}));
    Press(WXK_LEFT);
    EXPECT_FALSE(control->IsExpanded(ivReportCtrl::ItemOf(Row({0}))));
    Press(WXK_DOWN);
    EXPECT_EQ(view->Model().GetFocusedRecord(), Row({1})) << "the folded rows are passed over";
    Press(WXK_UP);
    Press(WXK_RIGHT);
    EXPECT_TRUE(control->IsExpanded(ivReportCtrl::ItemOf(Row({0}))));
}

TEST_F(SectionListWindow, ClosingAModifiedDocumentAsksToSave) {
    Start();
    ASSERT_NE(Show(), nullptr);
    ClickCell(Root(), "Title");
    Press(WXK_RETURN, wxMOD_CONTROL);
    Press(WXK_RETURN);
    ASSERT_TRUE(doc->IsModified());
    {
        testing_support::MessageRecorder cancel(kAnswerCancel);
        EXPECT_FALSE(manager->CloseDocuments(false));
        ASSERT_EQ(cancel.Messages().size(), 1u);
        EXPECT_NE(cancel.Messages()[0].find("save the changes"), std::string::npos);
    }
    EXPECT_EQ(manager->GetDocuments().GetCount(), 1u) << "Cancel keeps it open";
    testing_support::MessageRecorder no(kAnswerNo);
    EXPECT_TRUE(manager->CloseDocuments(false));
    EXPECT_EQ(manager->GetDocuments().GetCount(), 0u);
}

TEST_F(SectionListWindow, GermanCaptionsAndALargeDocument) {
    // 10,000 sections: a hundred chapters of a hundred sections each, with bodies.
    std::string xml = "<Document>";
    for (int chapter = 0; chapter < 100; ++chapter) {
        xml += "<Section ID=\"" + platform::NewGuidString() + "\" Title=\"Kapitel " +
               std::to_string(chapter + 1) + "\" Created=\"x\" Text=\"{\\rtf1 Text}\">";
        for (int section = 0; section < 99; ++section) {
            xml += "<Section ID=\"" + platform::NewGuidString() + "\" Title=\"Abschnitt " +
                   std::to_string(section + 1) + "\" Created=\"x\"/>";
        }
        xml += "</Section>";
    }
    xml += "</Document>";
    WriteFile(settings.dir().File("large.etf"), xml);
    Start("de");
    ASSERT_NE(Show(settings.dir().File("large.etf")), nullptr);
    EXPECT_EQ(Cell(Root(), "Title"), "Dokument");
    EXPECT_EQ(view->Model().FindColumnByName("Title")->GetCaption(), "Titel");
    ASSERT_EQ(Root()->GetChildCount(), 100);
    EXPECT_EQ(Cell(Row({99, 98}), "Numbering"), "100.99");

    ClickCell(Row({0}), "Title");
    Press(WXK_END);
    EXPECT_EQ(view->Model().GetFocusedRecord(), Row({99, 98}));
    Press(WXK_RETURN, wxMOD_CONTROL);
    Press(WXK_RETURN);
    EXPECT_EQ(Cell(Row({99, 99}), "Numbering"), "100.100");
    // Back to the top, one row down to the first chapter, and away with it.
    Press(WXK_HOME);
    Press(WXK_DOWN);
    EXPECT_EQ(view->Model().GetFocusedRecord(), Row({0}));
    {
        testing_support::MessageRecorder yes(kAnswerYes);
        Press(WXK_DELETE);
    }
    EXPECT_EQ(Cell(Row({0}), "Title"), "Kapitel 2");
    EXPECT_EQ(Cell(Row({0}), "Numbering"), "1");
    EXPECT_EQ(Cell(Row({98, 99}), "Numbering"), "99.100") << "all below renumbered";
    ClickCell(Row({0, 2}), "Title");
    EXPECT_EQ(view->Model().GetFocusedRecord(), Row({0, 2}));
    SaveScreenshot("section_list_de_10000");
}

}  // namespace
