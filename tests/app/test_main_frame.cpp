#include "core/settings.h"
#include "framework/customize_dialog.h"
#include "framework/layout_store.h"
#include "framework/status_bar.h"
#include "platform/registry_store.h"
#include "tests/app/main_frame_fixture.h"
#include "tests/support/screen_grab.h"

#include <wx/aui/auibar.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/statbmp.h>
#include <wx/textctrl.h>

namespace {

using namespace command_id;
using namespace layout_store;

class MainFrame : public MainFrameTest {
protected:
    std::string Registry(const char* section, const char* entry) {
        return AppRegistry().GetString(section, entry);
    }
    wxAuiPaneInfo& Pane(const char* name) { return m_frame->GetAuiManager().GetPane(name); }

    // Puts the Standard bar at the bottom and the task pane on the right, as a user might.
    void MoveBarAndPane() {
        Pane("STANDARD").Bottom().Row(0).Position(0);
        Pane("pane1").Right();
        m_frame->GetAuiManager().Update();
    }
};

TEST_F(MainFrame, FirstStartWritesBothVersions) {
    EXPECT_EQ(Registry(kPaneSection, kVersionEntry), "");
    Start();
    EXPECT_EQ(Registry(kPaneSection, kVersionEntry), "1.0.1.23");
    EXPECT_EQ(Registry(kBarsSection, kVersionEntry), "1.0.1.23");
    EXPECT_EQ(m_frame->GetTitle(), "Quorvane Editor");
}

TEST_F(MainFrame, SecondStartRestoresAMovedToolbarAndPane) {
    Start();
    EXPECT_EQ(Pane("STANDARD").dock_direction, wxAUI_DOCK_TOP);
    MoveBarAndPane();
    Quit();
    EXPECT_NE(Registry(kBarsSection, kBarsLayoutEntry).find("name=STANDARD"), std::string::npos);
    EXPECT_NE(Registry(kPaneSection, kPaneLayoutEntry).find("name=pane1"), std::string::npos);

    Start();
    EXPECT_EQ(Pane("STANDARD").dock_direction, wxAUI_DOCK_BOTTOM);
    EXPECT_EQ(Pane("pane1").dock_direction, wxAUI_DOCK_RIGHT);
    EXPECT_EQ(Pane("FIND").dock_direction, wxAUI_DOCK_TOP) << "the rest as it was";
    EXPECT_EQ(Pane("STANDARD").caption, "Standard");
    EXPECT_TRUE(Pane("STANDARD").window->IsShown());
}

TEST_F(MainFrame, AVersionChangeIgnoresTheLayoutOnce) {
    Start();
    MoveBarAndPane();
    Quit();
    GetTestApp().SetVersion(1, 0, 1, 24);
    Start();
    EXPECT_EQ(Pane("STANDARD").dock_direction, wxAUI_DOCK_TOP);
    EXPECT_EQ(Pane("pane1").dock_direction, wxAUI_DOCK_LEFT);
    EXPECT_EQ(Registry(kPaneSection, kVersionEntry), "1.0.1.24");
    EXPECT_EQ(Registry(kBarsSection, kVersionEntry), "1.0.1.24");
    MoveBarAndPane();
    Quit();
    Start();
    EXPECT_EQ(Pane("STANDARD").dock_direction, wxAUI_DOCK_BOTTOM) << "the same version again";
    GetTestApp().SetVersion(1, 0, 1, 23);
}

TEST_F(MainFrame, LoadLayoutZeroShowsTheDefaultButStillSaves) {
    SetSetting("/LoadLayout", "0");
    Start();
    MoveBarAndPane();
    Quit();
    EXPECT_EQ(Registry(kPaneSection, kVersionEntry), "");
    EXPECT_EQ(Registry(kBarsSection, kVersionEntry), "");
    EXPECT_NE(Registry(kBarsSection, kBarsLayoutEntry).find("name=STANDARD"), std::string::npos);
    Start();
    EXPECT_EQ(Pane("STANDARD").dock_direction, wxAUI_DOCK_TOP);
    EXPECT_EQ(Pane("pane1").dock_direction, wxAUI_DOCK_LEFT);
}

TEST_F(MainFrame, ABrokenSavedLayoutLeavesTheDefault) {
    Start();
    Quit();
    AppRegistry().SetString(kBarsSection, kBarsLayoutEntry, "layout2|name=STANDARD;dir=99;row=-4|");
    AppRegistry().SetString(kBarsSection, kShortcutsEntry, "garbage");
    AppRegistry().SetString(kPaneSection, kPaneLayoutEntry, "not a layout");
    Start();
    EXPECT_TRUE(Pane("STANDARD").IsShown());
    EXPECT_EQ(Pane("pane1").dock_direction, wxAUI_DOCK_LEFT);
    EXPECT_EQ(Builder().GetShortcuts().size(), 25u);
}

TEST_F(MainFrame, ShortcutsIssueTheirCommandsOnce) {
    Start();
    Record({kInsertSection, kInsertSectionAbove, kInsertSectionUnder, kEditFindNext, kViewRefresh,
            kFileNew, kFormatBold});
    FocusMainWindow();
    const struct {
        int key;
        int modifiers;
    } presses[] = {{WXK_RETURN, wxMOD_CONTROL},
                   {WXK_RETURN, wxMOD_CONTROL | wxMOD_ALT},
                   {WXK_RETURN, wxMOD_CONTROL | wxMOD_ALT | wxMOD_SHIFT},
                   {WXK_F3, wxMOD_NONE},
                   {WXK_F5, wxMOD_NONE},
                   {'N', wxMOD_CONTROL},
                   {'B', wxMOD_CONTROL},
                   {WXK_NUMPAD_ENTER, wxMOD_CONTROL}};
    for (const auto& press : presses) {
        m_sim.Char(press.key, press.modifiers);
        PumpEvents(100);
    }
    EXPECT_EQ(m_commands, (std::vector<int>{kInsertSection, kInsertSectionUnder,
                                            kInsertSectionAbove, kEditFindNext, kViewRefresh,
                                            kFileNew, kFormatBold, kInsertSection}));
}

TEST_F(MainFrame, ShortcutsOfEditingKeysEditTheBoxTheyAreTypedInto) {
    Start();
    Record({kEditDelete, kEditCut});
    auto* find = dynamic_cast<wxTextCtrl*>(Bars().FindControl(kEditFindQuick)->window);
    ASSERT_NE(find, nullptr);
    m_frame->Raise();
    Click(find, wxPoint(10, find->GetSize().y / 2));
    m_sim.Text("abc");
    PumpEvents();
    m_sim.Char(WXK_HOME);
    m_sim.Char(WXK_DELETE);
    PumpEvents();
    EXPECT_EQ(find->GetValue(), "bc");
    find->SelectAll();
    m_sim.Char('X', wxMOD_CONTROL);
    PumpEvents();
    EXPECT_EQ(find->GetValue(), "");
    EXPECT_TRUE(m_commands.empty()) << "the document was not asked to delete or cut";
}

// Runs steps inside the next modal dialog once it is up; returns the dialog's result.
template <typename Steps>
void WithModalDialog(Steps steps) {
    wxTheApp->CallAfter([steps] {
        PumpEvents(200);
        for (wxWindow* window : wxTopLevelWindows) {
            if (auto* dialog = dynamic_cast<ivCustomizeDialog*>(window)) {
                steps(*dialog);
                return;
            }
        }
        ADD_FAILURE() << "no customisation dialog came up";
    });
}

wxButton* ButtonLabelled(wxWindow* root, const wxString& label) {
    for (wxWindow* child : root->GetChildren()) {
        if (auto* button = dynamic_cast<wxButton*>(child); button && button->GetLabel() == label) {
            return button;
        }
        if (wxButton* found = ButtonLabelled(child, label)) {
            return found;
        }
    }
    return nullptr;
}

TEST_F(MainFrame, AShortcutChangedInTheDialogSurvivesARestart) {
    Start();
    WithModalDialog([this](ivCustomizeDialog& dialog) {
        auto* book =
            dynamic_cast<wxNotebook*>(dialog.GetKeyboardCategories()->GetParent()->GetParent());
        ASSERT_NE(book, nullptr);
        book->SetSelection(2);
        PumpEvents();
        wxChoice* categories = dialog.GetKeyboardCategories();
        categories->SetSelection(categories->FindString("File"));
        wxCommandEvent chosen(wxEVT_CHOICE, categories->GetId());
        chosen.SetInt(categories->GetSelection());
        categories->GetEventHandler()->ProcessEvent(chosen);
        wxListBox* commands = dialog.GetKeyboardCommands();
        ASSERT_EQ(commands->GetString(0), "New...");
        Click(commands, wxPoint(20, 8));
        wxTextCtrl* entry = dialog.GetShortcutEntry();
        Click(entry, wxPoint(10, entry->GetSize().y / 2));
        m_sim.Char('Q', wxMOD_CONTROL);
        PumpEvents();
        EXPECT_EQ(entry->GetValue(), "Ctrl+Q");
        wxButton* assign = ButtonLabelled(&dialog, "&Assign");
        ASSERT_NE(assign, nullptr);
        Click(assign, wxPoint(10, 10));
        Click(dialog.FindWindow(wxID_OK), wxPoint(10, 10));
    });
    wxCommandEvent customise(wxEVT_MENU, kCustomize);
    m_frame->GetEventHandler()->ProcessEvent(customise);
    const std::vector<ivShortcut>& shortcuts = Builder().GetShortcuts();
    EXPECT_EQ(shortcuts.size(), 26u);
    EXPECT_EQ(shortcuts.back(), (ivShortcut{9, 'Q', kFileNew}));

    Quit();
    Start();
    Record({kFileNew});
    FocusMainWindow();
    m_sim.Char('Q', wxMOD_CONTROL);
    PumpEvents(100);
    EXPECT_EQ(m_commands, (std::vector<int>{kFileNew}));
    EXPECT_EQ(m_frame->GetMenuBar()->GetMenu(0)->GetLabel(kFileNew), "&New...\tCtrl+N");
}

TEST_F(MainFrame, TheFullMenusOptionIsKeptWithTheLayout) {
    Start();
    WithModalDialog([this](ivCustomizeDialog& dialog) {
        auto* book = dynamic_cast<wxNotebook*>(dialog.GetFullMenusBox()->GetParent()->GetParent());
        book->SetSelection(3);
        PumpEvents();
        Click(dialog.GetFullMenusBox(), wxPoint(8, dialog.GetFullMenusBox()->GetSize().y / 2));
        EXPECT_TRUE(dialog.GetFullMenusBox()->GetValue());
        Click(dialog.FindWindow(wxID_OK), wxPoint(10, 10));
    });
    wxCommandEvent customise(wxEVT_MENU, kCustomize);
    m_frame->GetEventHandler()->ProcessEvent(customise);
    EXPECT_NE(m_frame->GetMenuBar()->GetMenu(0)->FindChildItem(kFileSaveAs), nullptr);
    Quit();
    Start();
    EXPECT_TRUE(Bars().Options().fullMenus);
    EXPECT_NE(m_frame->GetMenuBar()->GetMenu(0)->FindChildItem(kFileSaveAs), nullptr);
}

TEST_F(MainFrame, CustomisationListsTheMenusCategoriesThenAllCommands) {
    Start();
    const std::vector<ivCommandCategory> categories = CollectCommandCategories(Bars());
    std::vector<std::string> names;
    for (const ivCommandCategory& category : categories) {
        names.push_back(category.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"File", "Edit", "View", "Insert", "Format", "Tools",
                                               "Help", "All Commands"}));
    // Bold lives on a toolbar only and can still get a key of its own.
    const auto& format = categories[4].commands;
    EXPECT_TRUE(std::any_of(format.begin(), format.end(),
                            [](const ivCommandControl* c) { return c->id == kFormatBold; }));
    EXPECT_EQ(categories.back().commands.size(), 54u);
}

TEST_F(MainFrame, ADraggedToolbarComesBackAfterARestart) {
    Start();
    wxAuiToolBar* standard = Bars().FindByBarId(2)->toolbar;
    const wxPoint gripper = standard->ClientToScreen(wxPoint(3, standard->GetSize().y / 2));
    const wxRect client = m_frame->GetClientWindow()->GetScreenRect();
    m_frame->Raise();
    PumpEvents();
    m_sim.MouseMove(gripper);
    PumpEvents();
    m_sim.MouseDown();
    PumpEvents();
    // Down into the middle of the window, where it floats.
    for (int step = 1; step <= 10; ++step) {
        m_sim.MouseMove(gripper + (client.GetPosition() + wxPoint(300, 300) - gripper) * step / 10);
        PumpEvents(30);
    }
    m_sim.MouseUp();
    PumpEvents(300);
    const wxAuiPaneInfo moved = Pane("STANDARD");
    ASSERT_TRUE(moved.IsFloating() || moved.dock_direction != wxAUI_DOCK_TOP || moved.dock_row != 0)
        << "the drag did not move the bar";
    Quit();
    Start();
    const wxAuiPaneInfo& restored = Pane("STANDARD");
    EXPECT_EQ(restored.IsFloating(), moved.IsFloating());
    if (moved.IsFloating()) {
        EXPECT_EQ(restored.floating_pos, moved.floating_pos);
    } else {
        EXPECT_EQ(restored.dock_direction, moved.dock_direction);
        EXPECT_EQ(restored.dock_row, moved.dock_row);
    }
}

unsigned Brightness(const wxImage& image, int x, int y) {
    return image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y);
}

TEST_F(MainFrame, ProgressIsPaintedWhileTheCommandStillRuns) {
    Start();
    wxGauge* progress = Builder().GetStatusBar()->GetProgressBar();
    wxImage before;
    wxImage during;
    m_frame->Bind(
        wxEVT_MENU,
        [&](wxCommandEvent&) {
            // As a generator does: no return to the event loop in between.
            const wxRect rect = progress->GetScreenRect();
            before = GrabScreen(rect);
            Builder().SetIndicator("MODE", kToolsGenerate);
            Builder().SetIndicator("PROGRESS", 10);
            wxMilliSleep(250);  // the first half of the work
            Builder().SetIndicator("PROGRESS", 50);
            during = GrabScreen(rect);
        },
        kToolsGenerate);
    wxCommandEvent run(wxEVT_MENU, kToolsGenerate);
    m_frame->GetEventHandler()->ProcessEvent(run);
    ASSERT_TRUE(during.IsOk());
    // The bar of the desktop's theme may be thinner than its window: the row that changed.
    int y = -1;
    for (int row = 0; row < during.GetHeight() && y < 0; ++row) {
        if (Brightness(during, during.GetWidth() / 4, row) !=
            Brightness(before, before.GetWidth() / 4, row)) {
            y = row;
        }
    }
    ASSERT_GE(y, 0) << "nothing of the bar was painted";
    const int quarter = during.GetWidth() / 4;
    EXPECT_NE(Brightness(during, quarter, y), Brightness(before, quarter, y))
        << "the first half is not filled";
    EXPECT_EQ(Brightness(during, 3 * quarter, y), Brightness(before, 3 * quarter, y))
        << "the second half is filled";
    EXPECT_TRUE(Builder().GetStatusBar()->GetModeImage()->IsShown());
}

}  // namespace
