// The controls of the toolbars as a person uses them: colour pickers, tooltips, large icons,
// the bars' context menu, and the customisation dialog's keyboard page.
#include "framework/bar_controls.h"
#include "framework/colour_popup.h"
#include "framework/customize_dialog.h"
#include "tests/app/main_frame_fixture.h"

#include <wx/aui/auibar.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

namespace {

using namespace command_id;

class BarControls : public MainFrameTest {};

// The drop-down is a child of the toolbar it opens from.
ivColourPopup* OpenPopup(wxWindow* owner) {
    for (wxWindow* window : owner->GetChildren()) {
        if (auto* popup = dynamic_cast<ivColourPopup*>(window); popup && popup->IsShown()) {
            return popup;
        }
    }
    return nullptr;
}

TEST_F(BarControls, AColourPickedFromTheDropDownIsPostedAndThenApplied) {
    Start();
    wxAuiToolBar* format = Bars().FindByBarId(4)->toolbar;
    std::vector<int> colours;
    m_frame->Bind(
        wxEVT_MENU,
        [&](wxCommandEvent& event) {
            m_commands.push_back(event.GetId());
            colours.push_back(event.GetInt());
        },
        kFormatFontColor, kFormatFontColor + 2);
    // A window that takes the colour commands, as the text view does.
    m_frame->Bind(
        wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(true); }, kFormatFontColor,
        kFormatFontColor + 2);
    m_frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    PumpEvents(100);
    const wxRect tool = format->GetToolRect(kFormatFontColor);
    m_frame->Raise();
    // The arrow at the right of the button opens the colours.
    Click(format, wxPoint(tool.GetRight() - 3, tool.y + tool.height / 2));
    ivColourPopup* popup = OpenPopup(format);
    ASSERT_NE(popup, nullptr) << "no colours came up";
    // The third row starts with red.
    std::vector<wxWindow*> swatches;
    for (wxWindow* child : popup->GetChildren().front()->GetChildren()) {
        if (dynamic_cast<wxButton*>(child) == nullptr) {
            swatches.push_back(child);
        }
    }
    ASSERT_EQ(swatches.size(), 40u);
    Click(swatches[16], wxPoint(8, 8));
    PumpEvents(100);
    EXPECT_EQ(OpenPopup(format), nullptr) << "the drop-down closes";
    ASSERT_EQ(m_commands, (std::vector<int>{kFormatFontColor + 2}));
    EXPECT_EQ(colours.back(), 0x0000FF) << "red as 0x00BBGGRR";
    EXPECT_EQ(GetPickerColour(*format, kFormatFontColor), *wxRED);

    // The button itself applies the colour last picked.
    Click(format, wxPoint(tool.x + 6, tool.y + tool.height / 2));
    ASSERT_EQ(m_commands.back(), kFormatFontColor);
    EXPECT_EQ(colours.back(), 0x0000FF);

    // The automatic colour.
    Click(format, wxPoint(tool.GetRight() - 3, tool.y + tool.height / 2));
    ASSERT_NE(OpenPopup(format), nullptr);
    wxWindow* automatic = OpenPopup(format)->FindWindow(kFormatFontColor + 1);
    ASSERT_NE(automatic, nullptr);
    Click(automatic, wxPoint(10, 10));
    PumpEvents(100);
    EXPECT_EQ(m_commands.back(), kFormatFontColor + 1);
    EXPECT_EQ(colours.back(), -1);
    EXPECT_FALSE(GetPickerColour(*format, kFormatFontColor).IsOk());
    EXPECT_EQ(ivColourPopup::FromColourRef(0x00FF8040), wxColour(0x40, 0x80, 0xFF));
}

TEST_F(BarControls, TooltipsAndIconSizesFollowTheOptions) {
    Start();
    ivCommandBar& standard = *Bars().FindByBarId(2);
    const ivCommandControl& copyOfNew = *standard.controls.front();
    EXPECT_EQ(Builder().TooltipOf(copyOfNew), "New (Ctrl+N)");
    EXPECT_EQ(standard.toolbar->GetToolShortHelp(kFileNew), "New (Ctrl+N)");
    EXPECT_EQ(Builder().TooltipOf(*Bars().FindControl(kFileSendMail)), "Send");

    Bars().Options().shortcutsInTooltips = false;
    Bars().Options().largeIcons = true;
    Builder().ApplyOptions();
    EXPECT_EQ(standard.toolbar->GetToolShortHelp(kFileNew), "New");
    const wxBitmap large = standard.toolbar->FindTool(kFileNew)->GetBitmapFor(standard.toolbar);
    EXPECT_EQ(large.GetLogicalWidth(), 24.0);
    EXPECT_GT(m_frame->GetAuiManager().GetPane("STANDARD").best_size.y, 24);
    Bars().Options().showTooltips = false;
    Builder().ApplyOptions();
    EXPECT_EQ(standard.toolbar->GetToolShortHelp(kFileNew), "");
}

TEST_F(BarControls, TheBarsMenuHidesAToolbarAndOffersCustomise) {
    Start();
    wxAuiToolBar* find = Bars().FindByBarId(3)->toolbar;
    ASSERT_TRUE(m_frame->GetAuiManager().GetPane("FIND").IsShown());
    // The context menu of a toolbar: Standard, Find, ... ; the second entry is Find.
    wxTimer choose;
    choose.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        m_sim.Char(WXK_DOWN);
        m_sim.Char(WXK_DOWN);
        m_sim.Char(WXK_RETURN);
    });
    choose.StartOnce(500);
    m_frame->Raise();
    Click(Bars().FindByBarId(2)->toolbar, wxPoint(150, 10));
    m_sim.MouseClick(wxMOUSE_BTN_RIGHT);
    PumpEvents(1200);
    EXPECT_FALSE(m_frame->GetAuiManager().GetPane("FIND").IsShown());
    EXPECT_FALSE(find->IsShown());
}

TEST_F(BarControls, KeysAreRemovedAndResetInTheKeyboardPage) {
    Start();
    auto* dialog = new ivCustomizeDialog(m_frame, Builder());
    dialog->Show();
    PumpEvents(200);
    wxListBox* commands = dialog->GetKeyboardCommands();
    ASSERT_EQ(commands->GetString(0), "New...");
    commands->SetSelection(0);
    wxCommandEvent chosen(wxEVT_LISTBOX, commands->GetId());
    chosen.SetInt(0);
    commands->GetEventHandler()->ProcessEvent(chosen);
    // Ctrl+S moves from Save to New: one key, one command.
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = 'S';
    key.SetControlDown(true);
    dialog->GetShortcutEntry()->GetEventHandler()->ProcessEvent(key);
    EXPECT_EQ(dialog->GetShortcutEntry()->GetValue(), "Ctrl+S");
    dialog->AssignShortcut();
    int forNew = 0;
    int forSave = 0;
    for (const ivShortcut& shortcut : dialog->GetShortcuts()) {
        forNew += shortcut.id == kFileNew;
        forSave += shortcut.id == kFileSave;
    }
    EXPECT_EQ(forNew, 2);
    EXPECT_EQ(forSave, 0);
    EXPECT_EQ(dialog->GetShortcuts().size(), 27u);
    // The Cancel button changes nothing of the window.
    EXPECT_EQ(Builder().GetShortcuts().size(), 27u);
    EXPECT_EQ(Builder().GetShortcuts()[2].id, kFileSave);
    dialog->Destroy();
    PumpEvents();
}

}  // namespace
