// The document window: the section list and the text pane side by side in the tabbed main
// window, and the list's commands reaching it from the real command bars.
#include "core/localisation.h"
#include "core/settings.h"
#include "framework/report_ctrl.h"
#include "framework/report_record.h"
#include "tests/app/main_frame_fixture.h"
#include "views/splitter_frame.h"
#include "views/text_view.h"

#include <wx/aui/tabmdi.h>
#include <wx/menu.h>

namespace {

using namespace command_id;

const char* const kDocument =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Document>"
    "<Section ID=\"{11111111-2222-3333-4444-555555555555}\" Title=\"Intro\""
    " Text=\"{\\rtf1 Hello {\\b there}\\par}\"/>"
    "<Section ID=\"{11111111-2222-3333-4444-777777777777}\" Title=\"Usage\"/></Document>";

int CountRows(CXTPReportRecordEx* record) {
    int count = 1;
    for (int i = 0; i < record->GetChildCount(); ++i) {
        count += CountRows(record->GetChild(i));
    }
    return count;
}

class DocumentWindow : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        for (const char* name : {"Alpha.etf", "Beta.etf"}) {
            testing_support::WriteFile(m_settings.dir().File(name), kDocument);
        }
    }

    mySplitterFrame* Open(const char* name) {
        wxDocument* doc = m_manager->OpenDocumentFile(m_settings.dir().File(name));
        if (doc == nullptr) {
            ADD_FAILURE() << "not opened";
            return nullptr;
        }
        PumpEvents(200);
        return dynamic_cast<mySplitterFrame*>(doc->GetFirstView()->GetFrame());
    }
};

TEST_F(DocumentWindow, ListOnTheLeftAtTwoHundredPixelsAndTheTextPaneDisabled) {
    Start();
    mySplitterFrame* window = Open("Alpha.etf");
    ASSERT_NE(window, nullptr);
    mySplitter* splitter = window->GetSplitter();
    ASSERT_TRUE(splitter->IsSplit());
    EXPECT_EQ(splitter->GetSplitMode(), wxSPLIT_VERTICAL);
    EXPECT_EQ(splitter->GetId(), mySplitterFrame::SplitterId());
    EXPECT_EQ(splitter->GetSashPosition(), window->FromDIP(200));
    EXPECT_EQ(splitter->GetMinimumPaneSize(), 0);
    auto* list = dynamic_cast<ivReportCtrl*>(splitter->GetWindow1());
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->HasFlag(wxBORDER_NONE)) << "flat";
    myTextView* text = window->GetTextPane();
    EXPECT_EQ(splitter->GetWindow2(), text);
    EXPECT_EQ(text->GetId(), mySplitterFrame::TextPaneId());
    EXPECT_FALSE(text->IsEnabled());
    auto* view = dynamic_cast<myReportView*>(m_manager->GetCurrentDocument()->GetFirstView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetTextView(), text);
}

TEST_F(DocumentWindow, TheBarCanBeDraggedToTheFarLeftAndBack) {
    Start();
    mySplitterFrame* window = Open("Alpha.etf");
    ASSERT_NE(window, nullptr);
    mySplitter* splitter = window->GetSplitter();
    const int y = splitter->GetSize().y / 2;
    const int sash = splitter->GetSashPosition() + splitter->GetSashSize() / 2;
    m_frame->Raise();
    m_sim.MouseMove(splitter->ClientToScreen(wxPoint(sash, y)));
    PumpEvents();
    m_sim.MouseDown();
    for (int x = sash; x >= -20; x -= 20) {
        m_sim.MouseMove(splitter->ClientToScreen(wxPoint(x, y)));
        PumpEvents(20);
    }
    m_sim.MouseUp();
    PumpEvents(200);
    EXPECT_TRUE(splitter->IsSplit()) << "the list stays, however narrow";
    EXPECT_LE(splitter->GetSashPosition(), 1);
    m_sim.MouseMove(splitter->ClientToScreen(wxPoint(splitter->GetSashSize() / 2, y)));
    PumpEvents();
    m_sim.MouseDown();
    m_sim.MouseMove(splitter->ClientToScreen(wxPoint(150, y)));
    PumpEvents(50);
    m_sim.MouseUp();
    PumpEvents(200);
    EXPECT_GT(splitter->GetSashPosition(), 100);
}

TEST_F(DocumentWindow, TwoDocumentsAreTwoTabsFillingTheWindow) {
    Start();
    mySplitterFrame* alpha = Open("Alpha.etf");
    mySplitterFrame* beta = Open("Beta.etf");
    ASSERT_NE(alpha, nullptr);
    ASSERT_NE(beta, nullptr);
    wxAuiMDIClientWindow* tabs = m_frame->GetClientWindow();
    EXPECT_EQ(tabs->GetPageCount(), 2u);
    EXPECT_EQ(m_frame->GetTitle(), "Quorvane Editor - Beta");
    for (mySplitterFrame* window : {alpha, beta}) {
        EXPECT_GE(window->GetSize().x, tabs->GetSize().x - 4) << "always maximised";
    }
    tabs->SetSelection(0);
    PumpEvents(100);
    EXPECT_EQ(m_frame->GetTitle(), "Quorvane Editor - Alpha");
}

TEST_F(DocumentWindow, TheListsCommandsComeFromTheCommandBars) {
    Start();
    ASSERT_NE(Open("Alpha.etf"), nullptr);
    auto* view = dynamic_cast<myReportView*>(m_manager->GetCurrentDocument()->GetFirstView());
    ivReportCtrl* list = view->GetControl();
    CXTPReportRecordEx* root = view->Model().GetRoot();
    const int before = CountRows(root);
    view->Model().SetFocusedRecord(root);
    // The Insert menu's Section, chosen as a person chooses it: the menu entry...
    wxCommandEvent chosen(wxEVT_MENU, kInsertSection);
    chosen.SetEventObject(m_frame);
    m_frame->GetEventHandler()->ProcessEvent(chosen);
    PumpEvents(100);
    EXPECT_EQ(CountRows(root), before + 1);
    // ...and its shortcut, Ctrl+Enter, typed into the list.
    m_frame->Raise();
    PumpEvents();
    m_sim.Char(WXK_RETURN);  // ends the typing of the new title
    PumpEvents(100);
    list->SetFocus();
    PumpEvents();
    m_sim.Char(WXK_RETURN, wxMOD_CONTROL);
    PumpEvents(200);
    EXPECT_EQ(CountRows(root), before + 2);
    wxMenuBar* bar = m_frame->GetMenuBar();
    m_frame->DoMenuUpdates(bar->GetMenu(3));
    EXPECT_TRUE(bar->IsEnabled(kInsertSection));
}

// The editor in both looks and both shipped languages, with a document and the File menu
// (or the File tab) open, for a person to look at.
TEST_F(DocumentWindow, ScreenshotsOfBothLooksInBothLanguages) {
    for (const char* language : {"en", "de"}) {
        for (const int theme : {paint_theme::kNative, paint_theme::kRibbon}) {
            ReleaseLocalisation();
            SetSetting("/Language", language);
            InitLocalisation(ChooseLanguage());
            Start(theme);
            ASSERT_NE(Open("Alpha.etf"), nullptr);
            auto* view =
                dynamic_cast<myReportView*>(m_manager->GetCurrentDocument()->GetFirstView());
            view->Model().SetFocusedRecord(view->Model().GetRoot()->GetChild(0));
            PumpEvents(300);
            const std::string look = theme == paint_theme::kRibbon ? "ribbon" : "classic";
            if (theme == paint_theme::kNative) {
                // The File menu, opened as a person opens it.
                m_frame->Raise();
                m_sim.MouseMove(m_frame->GetClientAreaOrigin() + m_frame->GetScreenPosition() +
                                wxPoint(15, -12));
                PumpEvents();
                m_sim.MouseClick();
                PumpEvents(400);
            }
            SaveScreenshot("main_" + look + "_" + language);
            if (theme == paint_theme::kNative) {
                m_sim.Char(WXK_ESCAPE);
                PumpEvents(200);
            }
            Quit();
        }
    }
    ReleaseLocalisation();
}

}  // namespace
