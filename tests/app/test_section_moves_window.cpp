// Moving sections and taking edits back in the document window, by the keys, the Edit menu
// and the mouse, as a person does.
#include "core/localisation.h"
#include "core/settings.h"
#include "core/translate.h"
#include "framework/report_ctrl.h"
#include "framework/report_record.h"
#include "tests/app/main_frame_fixture.h"
#include "views/section_list_view.h"
#include "views/splitter_frame.h"

#include <wx/menu.h>
#include <wx/timer.h>

#include <algorithm>

namespace {

using namespace command_id;

const char* const kDocument =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Document>"
    "<Section ID=\"{A}\" Title=\"Intro\" Text=\"{\\rtf1 Hello\\par}\"/>"
    "<Section ID=\"{B}\" Title=\"Usage\"><Section ID=\"{B1}\" Title=\"Install\"/></Section>"
    "<Section ID=\"{C}\" Title=\"Reference\"/></Document>";

class SectionMovesWindow : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        testing_support::WriteFile(m_settings.dir().File("Moves.etf"), kDocument);
    }
    myReportView* Open() {
        wxDocument* doc = m_manager->OpenDocumentFile(m_settings.dir().File("Moves.etf"));
        if (doc == nullptr) {
            ADD_FAILURE() << "not opened";
            return nullptr;
        }
        PumpEvents(300);
        return dynamic_cast<myReportView*>(doc->GetFirstView());
    }
    // "numbering title" of the rows below the document row.
    std::vector<std::string> Rows(myReportView& view) {
        std::vector<std::string> rows;
        view.Model().ForEachRecord([&](CXTPReportRecordEx& record) {
            if (record.GetParent() != nullptr) {
                const auto text = [&](const char* column) {
                    return record.GetItem(view.FindColumn(column))->GetText();
                };
                rows.push_back(text("Numbering") + " " + text("Title"));
            }
            return true;
        });
        return rows;
    }
    // Clicks a row of the list as a person does, which gives the list the keyboard focus.
    void ClickRow(myReportView& view, CXTPReportRecordEx* record, bool right = false) {
        ivReportCtrl* list = view.GetControl();
        const wxPoint point = PointOf(view, record);
        m_frame->Raise();
        PumpEvents();
        ClickAt(*list->GetMainWindow(), point, right);
        PumpEvents(150);
    }
    // The middle of a row's title, in the list's main window.
    wxPoint PointOf(myReportView& view, CXTPReportRecordEx* record) {
        ivReportCtrl* list = view.GetControl();
        const wxRect rect = list->GetItemRect(ivReportCtrl::ItemOf(record),
                                              list->ColumnOfItemIndex(view.FindColumn("Title")));
        // The title column is wider than the pane: the point stays in what is shown.
        const int visible = list->GetMainWindow()->GetClientSize().x - 10;
        return wxPoint(std::min(rect.x + 70, visible), rect.y + rect.height / 2);
    }
    std::string MenuLabel(int id) {
        wxMenuBar* bar = m_frame->GetMenuBar();
        m_frame->DoMenuUpdates(bar->GetMenu(bar->FindMenu(wxString::FromUTF8(Translate("&Edit")))));
        return bar->FindItem(id)->GetItemLabelText().utf8_string();
    }
    using Rows_ = std::vector<std::string>;
};

TEST_F(SectionMovesWindow, TheKeysMoveTheFocusedSectionAndTakeMovesBack) {
    Start();
    myReportView* view = Open();
    ASSERT_NE(view, nullptr);
    CXTPReportRecordEx* root = view->Model().GetRoot();
    ClickRow(*view, root->GetChild(2));  // Reference
    ASSERT_EQ(view->List().GetCurrentSectionId(), "{C}");
    m_sim.Char(WXK_UP, wxMOD_ALT | wxMOD_SHIFT);
    PumpEvents(200);
    EXPECT_EQ(Rows(*view), (Rows_{"1 Intro", "2 Reference", "3 Usage", "3.1 Install"}));
    m_sim.Char(WXK_RIGHT, wxMOD_ALT | wxMOD_SHIFT);
    PumpEvents(200);
    EXPECT_EQ(Rows(*view), (Rows_{"1 Intro", "1.1 Reference", "2 Usage", "2.1 Install"}));
    EXPECT_EQ(MenuLabel(kEditUndo), "Undo Move Section");
    EXPECT_TRUE(m_manager->GetCurrentDocument()->IsModified());

    m_sim.Char('Z', wxMOD_CONTROL);
    PumpEvents(200);
    EXPECT_EQ(Rows(*view), (Rows_{"1 Intro", "2 Reference", "3 Usage", "3.1 Install"}));
    m_sim.Char('Z', wxMOD_CONTROL);
    PumpEvents(200);
    EXPECT_EQ(Rows(*view), (Rows_{"1 Intro", "2 Usage", "2.1 Install", "3 Reference"}));
    EXPECT_FALSE(m_manager->GetCurrentDocument()->IsModified()) << "back as opened";
    EXPECT_EQ(MenuLabel(kEditRedo), "Redo Move Section");
    m_sim.Char('Y', wxMOD_CONTROL);
    PumpEvents(200);
    m_sim.Char('Z', wxMOD_CONTROL | wxMOD_SHIFT);
    PumpEvents(200);
    EXPECT_EQ(Rows(*view), (Rows_{"1 Intro", "1.1 Reference", "2 Usage", "2.1 Install"}));
    EXPECT_EQ(view->Model().GetFocusedRecord()->GetItem(view->FindColumn("Title"))->GetText(),
              "Reference");
    // Alt+Shift+Left takes it out again, after its parent.
    m_sim.Char(WXK_LEFT, wxMOD_ALT | wxMOD_SHIFT);
    PumpEvents(200);
    EXPECT_EQ(Rows(*view), (Rows_{"1 Intro", "2 Reference", "3 Usage", "3.1 Install"}));
}

TEST_F(SectionMovesWindow, ARowDraggedOntoAnotherBecomesItsLastChild) {
    Start();
    myReportView* view = Open();
    ASSERT_NE(view, nullptr);
    ivReportCtrl* list = view->GetControl();
    CXTPReportRecordEx* root = view->Model().GetRoot();
    // Pressed on a row that is not selected: a press on the selected one opens its editor.
    view->Model().SetFocusedRecord(root->GetChild(1));
    m_frame->Raise();
    PumpEvents(100);
    const wxPoint start = list->GetMainWindow()->ClientToScreen(PointOf(*view, root->GetChild(0)));
    const wxPoint end = list->GetMainWindow()->ClientToScreen(PointOf(*view, root->GetChild(2)));
    m_sim.MouseMove(start);
    PumpEvents();
    m_sim.MouseDown();
    PumpEvents();
    // In small steps, as a hand moves, so that the toolkit sees a drag.
    for (int step = 1; step <= 10; ++step) {
        m_sim.MouseMove(start + (end - start) * step / 10);
        PumpEvents(30);
    }
    PumpEvents(200);
    SaveScreenshot("section_drag");
    m_sim.MouseUp();
    PumpEvents(300);
    EXPECT_EQ(Rows(*view), (Rows_{"1 Usage", "1.1 Install", "2 Reference", "2.1 Intro"}));
}

// The Edit menu with the commands and the list's context menu, in both languages, for a
// person to look at.
TEST_F(SectionMovesWindow, ScreenshotsOfTheEditMenuAndTheContextMenu) {
    for (const char* language : {"en", "de"}) {
        ReleaseLocalisation();
        SetSetting("/Language", language);
        InitLocalisation(ChooseLanguage());
        Start();
        myReportView* view = Open();
        ASSERT_NE(view, nullptr);
        ClickRow(*view, view->Model().GetRoot()->GetChild(1));
        m_sim.Char(WXK_DOWN, wxMOD_ALT | wxMOD_SHIFT);
        PumpEvents(200);
        // The rows after the move.
        CXTPReportRecordEx* root = view->Model().GetRoot();
        // The Edit menu, opened as a person opens it.
        m_frame->Raise();
        m_sim.MouseMove(m_frame->GetClientAreaOrigin() + m_frame->GetScreenPosition() +
                        wxPoint(60, -12));
        PumpEvents();
        m_sim.MouseClick();
        PumpEvents(400);
        SaveScreenshot(std::string("edit_menu_") + language);
        m_sim.Char(WXK_ESCAPE);
        PumpEvents(200);
        // The rows' context menu.
        // Opened after a moment, while this test waits in the menu's own loop.
        wxTimer shot;
        std::string name = std::string("section_context_menu_") + language;
        shot.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            SaveScreenshot(name);
            m_sim.Char(WXK_ESCAPE);
        });
        shot.StartOnce(600);
        ClickRow(*view, root->GetChild(2), true);
        PumpEvents(900);
        Quit();
    }
    ReleaseLocalisation();
}

}  // namespace
