#include "app/gui/command_table.h"
#include "core/localisation.h"
#include "core/settings.h"
#include "framework/command_images.h"
#include "framework/frame.h"
#include "framework/frame_services.h"
#include "framework/menu_view.h"
#include "framework/status_bar.h"
#include "framework/task_panel.h"
#include "platform/registry_store.h"
#include "tests/app/main_frame_fixture.h"

#include <wx/aui/auibar.h>
#include <wx/combobox.h>
#include <wx/gauge.h>
// The generic link needs the common declarations first.
#include <wx/hyperlink.h>

#include <wx/generic/hyperlink.h>
#include <wx/menu.h>
#include <wx/propgrid/propgrid.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/page.h>
#include <wx/ribbon/panel.h>
#include <wx/statbmp.h>

#include <set>

namespace {

using namespace command_id;

class CommandBars : public MainFrameTest {};

std::vector<std::string> MenuLabels(wxMenuBar* bar) {
    std::vector<std::string> labels;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) {
        labels.push_back(bar->GetMenuLabel(i).utf8_string());
    }
    return labels;
}

bool MenuHolds(wxMenu* menu, int id) {
    return menu->FindChildItem(id) != nullptr;
}

TEST_F(CommandBars, ClassicMenuBarHoldsTheSevenMenusAndNoPlaceholder) {
    Start();
    wxMenuBar* bar = m_frame->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(MenuLabels(bar), (std::vector<std::string>{"&File", "&Edit", "&View", "&Insert",
                                                         "Forma&t", "&Tools", "&Help"}));
    EXPECT_EQ(Bars().GetFirst()->title, "Menu Bar");
    Bars().GetFirst()->ForEach([](ivCommandControl& control) {
        EXPECT_NE(control.caption, "|") << "a placeholder is left";
    });
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) {
        for (wxMenuItem* item : bar->GetMenu(i)->GetMenuItems()) {
            EXPECT_NE(item->GetItemLabelText(), "|");
        }
    }
    // Entries carry their shortcut, images where the command has one, and the separators
    // of their groups.
    wxMenu* file = bar->GetMenu(0);
    EXPECT_EQ(file->GetLabel(kFileNew).utf8_string(), "&New...\tCtrl+N");
    EXPECT_TRUE(file->FindChildItem(kFileNew)->GetBitmap().IsOk());
    // Every command in the menus shows an image; only the recent files (or the disabled
    // line saying there are none) go without.
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) {
        for (wxMenuItem* item : bar->GetMenu(i)->GetMenuItems()) {
            const int id = item->GetId();
            if (item->IsSeparator() || item->IsSubMenu() ||
                (id >= kFileMruFirst && id <= kFileMruLast) || !item->IsEnabled()) {
                continue;
            }
            EXPECT_TRUE(item->GetBitmap().IsOk()) << item->GetItemLabelText().utf8_string();
        }
    }
    EXPECT_TRUE(file->FindItemByPosition(2)->IsSeparator()) << "Save begins a group";
    EXPECT_EQ(bar->GetMenu(3)->GetLabel(kInsertSectionAbove).utf8_string(),
              "Section above\tAlt+Ctrl+Shift+Enter");
}

TEST_F(CommandBars, RarelyUsedCommandsWaitUntilTheMenuIsExpanded) {
    Start();
    wxMenu* file = m_frame->GetMenuBar()->GetMenu(0);
    EXPECT_FALSE(MenuHolds(file, kFileSaveAs));
    EXPECT_FALSE(MenuHolds(file, kFileSendMail));
    EXPECT_TRUE(MenuHolds(file, kFileSave));
    EXPECT_TRUE(MenuHolds(file, ivMenuView::ExpandId(0)));
    EXPECT_EQ(Bars().HiddenCommands(), (std::vector<int>{kFileSaveAs, kFileSendMail}));
    EXPECT_FALSE(Bars().Options().fullMenus);
    // Other menus have nothing to hide and nothing to expand.
    EXPECT_FALSE(MenuHolds(m_frame->GetMenuBar()->GetMenu(1), ivMenuView::ExpandId(1)));

    // The expand entry, chosen, shows them in their places.
    wxCommandEvent expand(wxEVT_MENU, ivMenuView::ExpandId(0));
    m_frame->GetEventHandler()->ProcessEvent(expand);
    file = m_frame->GetMenuBar()->GetMenu(0);
    ASSERT_TRUE(MenuHolds(file, kFileSaveAs));
    EXPECT_EQ(file->FindItemByPosition(4)->GetId(), kFileSaveAs) << "right after Save";
    EXPECT_TRUE(MenuHolds(file, kFileSendMail));
    EXPECT_FALSE(MenuHolds(file, ivMenuView::ExpandId(0)));

    // With the full-menus option everything shows at once.
    Builder().GetMenuView()->SetExpanded(*Bars().GetFirst()->controls[0]->dropDown, false);
    EXPECT_FALSE(MenuHolds(m_frame->GetMenuBar()->GetMenu(0), kFileSaveAs));
    Bars().Options().fullMenus = true;
    Builder().ApplyOptions();
    EXPECT_TRUE(MenuHolds(m_frame->GetMenuBar()->GetMenu(0), kFileSaveAs));
    EXPECT_FALSE(MenuHolds(m_frame->GetMenuBar()->GetMenu(0), ivMenuView::ExpandId(0)));
}

// The position of the entry with id in menu, or -1.
int PositionOf(wxMenu* menu, int id) {
    for (size_t i = 0; i < menu->GetMenuItemCount(); ++i) {
        if (menu->FindItemByPosition(i)->GetId() == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TEST_F(CommandBars, RecentFilesStandInTheFileMenu) {
    Start();
    wxMenu* file = m_frame->GetMenuBar()->GetMenu(0);
    const int empty = PositionOf(file, file->FindItem("No recent files"));
    ASSERT_GT(empty, 0);
    EXPECT_FALSE(file->FindItemByPosition(static_cast<size_t>(empty))->IsEnabled());
    EXPECT_TRUE(file->FindItemByPosition(static_cast<size_t>(empty - 1))->IsSeparator());
    EXPECT_EQ(PositionOf(file, kAppExit), empty + 2);

    m_manager->AddFileToHistory("/tmp/a & b.etf");
    m_manager->AddFileToHistory("/tmp/second.etf");
    file = m_frame->GetMenuBar()->GetMenu(0);
    ASSERT_TRUE(MenuHolds(file, kFileMruFirst));
    EXPECT_EQ(file->GetLabel(kFileMruFirst).utf8_string(), "&1 /tmp/second.etf");
    EXPECT_EQ(file->GetLabel(kFileMruFirst + 1).utf8_string(), "&2 /tmp/a && b.etf");
    EXPECT_EQ(PositionOf(file, kFileMruFirst), empty) << "in the control's place";
    EXPECT_EQ(PositionOf(file, kAppExit), empty + 3);
}

TEST_F(CommandBars, RibbonHasSevenTabsWithOneGroupEachAndTheToolbarsStill) {
    Start(paint_theme::kRibbon);
    EXPECT_EQ(m_frame->GetMenuBar(), nullptr);
    ivCommandBar* first = Bars().GetFirst();
    ASSERT_EQ(first->type, ivBarType::RibbonBar);
    EXPECT_EQ(first->title, "Ribbon Bar");
    wxRibbonBar* ribbon = first->ribbon;
    ASSERT_NE(ribbon, nullptr);
    ASSERT_EQ(ribbon->GetPageCount(), 7u);
    const std::vector<std::string> tabs = {"File",   "Edit",  "View", "Insert",
                                           "Format", "Tools", "Help"};
    for (size_t i = 0; i < 7; ++i) {
        wxRibbonPage* page = ribbon->GetPage(static_cast<int>(i));
        EXPECT_EQ(page->GetLabel().utf8_string(), tabs[i]);
        std::vector<wxRibbonPanel*> panels;
        for (wxWindow* child : page->GetChildren()) {
            if (auto* panel = dynamic_cast<wxRibbonPanel*>(child)) {
                panels.push_back(panel);
            }
        }
        ASSERT_EQ(panels.size(), 1u) << tabs[i];
        EXPECT_EQ(panels[0]->GetLabel().utf8_string(), tabs[i]) << "named by the category";
    }
    // Buttons are found, captioned and copied as in menus.
    ASSERT_NE(first->Find(kFileSave), nullptr);
    EXPECT_EQ(Bars().GetCount(), 5);
    for (int barId = 2; barId <= 5; ++barId) {
        ivCommandBar* toolbar = Bars().FindByBarId(barId);
        ASSERT_NE(toolbar, nullptr);
        EXPECT_EQ(toolbar->type, ivBarType::ToolBar);
        EXPECT_NE(toolbar->toolbar, nullptr);
    }
    EXPECT_EQ(Bars().FindByBarId(2)->controls.size(), 12u) << "the copies come from the ribbon";
    // A click on a ribbon button is the menu command.
    Record({kFileNew});
    wxRibbonButtonBarEvent click(wxEVT_RIBBONBUTTONBAR_CLICKED, kFileNew);
    ribbon->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(m_commands, (std::vector<int>{kFileNew}));
}

TEST_F(CommandBars, ToolbarsAreNumberedTitledAndDockedAsTheTableSays) {
    Start();
    wxAuiManager& aui = m_frame->GetAuiManager();
    const std::vector<std::string> titles = {"Standard", "Find", "Format", "Tools"};
    for (int barId = 2; barId <= 5; ++barId) {
        ivCommandBar* bar = Bars().FindByBarId(barId);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->title, titles[static_cast<size_t>(barId - 2)]);
        EXPECT_EQ(aui.GetPane(bar->toolbar).dock_direction, wxAUI_DOCK_TOP);
    }
    const wxAuiPaneInfo& standard = aui.GetPane("STANDARD");
    const wxAuiPaneInfo& find = aui.GetPane("FIND");
    const wxAuiPaneInfo& format = aui.GetPane("FORMAT");
    const wxAuiPaneInfo& tools = aui.GetPane("TOOLS");
    EXPECT_EQ(find.dock_row, standard.dock_row) << "right of the bar before it";
    EXPECT_GT(find.window->GetPosition().x, standard.window->GetPosition().x);
    EXPECT_NE(format.dock_row, standard.dock_row) << "a row of its own";
    EXPECT_EQ(tools.dock_row, format.dock_row);
    EXPECT_FALSE(format.IsLeftDockable()) << "a bar with boxes stays horizontal";
    EXPECT_TRUE(standard.IsLeftDockable());

    ivCommandBar& copies = *Bars().FindByBarId(2);
    std::vector<int> ids;
    for (const auto& control : copies.controls) {
        ids.push_back(control->id);
    }
    EXPECT_EQ(ids, (std::vector<int>{kFileNew, kFileOpen, kFileSave, kFileSendMail, kFilePrint,
                                     kFilePrintPreview, kEditCut, kEditCopy, kEditPaste,
                                     kEditDelete, kEditFind, kHelp}));
    EXPECT_EQ(copies.controls[2]->caption, "&Save") << "a copy looks like its menu entry";
    EXPECT_TRUE(copies.controls[2]->beginGroup);
    // Every tool with an image shows it; none is a blank square.
    for (int barId = 2; barId <= 5; ++barId) {
        ivCommandBar& bar = *Bars().FindByBarId(barId);
        for (const auto& control : bar.controls) {
            if (control->IsBox()) {
                continue;
            }
            wxAuiToolBarItem* tool = bar.toolbar->FindTool(control->id);
            ASSERT_NE(tool, nullptr);
            EXPECT_TRUE(tool->GetBitmapBundle().IsOk() || !tool->GetLabel().empty())
                << control->parameter;
            EXPECT_EQ(tool->GetBitmapBundle().IsOk(), HasCommandImage(control->id))
                << control->parameter;
        }
    }
}

TEST_F(CommandBars, BoxesHaveTheirWidthsAndTheGeneratorBoxItsThreeEntries) {
    Start();
    ivCommandControl* generators = Bars().FindControl(kToolsGeneratorBox);
    ASSERT_NE(generators, nullptr);
    EXPECT_EQ(generators->width, 200);
    auto* box = dynamic_cast<wxComboBox*>(generators->window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetSize().x, box->FromDIP(200));
    EXPECT_FALSE(box->HasFlag(wxCB_READONLY)) << "the user may type a name";
    ASSERT_EQ(box->GetCount(), 3u);
    EXPECT_EQ(box->GetString(0), "HTML");
    EXPECT_EQ(box->GetString(1), "CHM");
    EXPECT_EQ(box->GetString(2), "DOC");
    EXPECT_EQ(box->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(box->GetValue(), "");
    // A second filling starts with the empty entry and so empties the box first.
    FillEditorCommandLists(m_frame->GetCommandSite());
    EXPECT_EQ(box->GetCount(), 3u);
    EXPECT_TRUE(Builder().SelectListItem(kToolsGeneratorBox, 1));
    EXPECT_EQ(box->GetValue(), "CHM");
    EXPECT_FALSE(Builder().SelectListItem(kToolsGeneratorBox, 3));
    EXPECT_FALSE(Builder().AddListItem(kFileNew, "x", "x")) << "a button holds no list";

    EXPECT_EQ(Bars().FindControl(kEditFindQuick)->window->GetSize().x, box->FromDIP(200));
    EXPECT_TRUE(Bars().FindControl(kFormatFontFace)->dropDownList);
    EXPECT_EQ(Bars().FindControl(kFormatFontSize)->entries.front(), "8");
    // The size box is wide enough to show a size beside the theme's drop-down button.
    auto* sizes = dynamic_cast<wxComboBox*>(Bars().FindControl(kFormatFontSize)->window);
    ASSERT_NE(sizes, nullptr);
    sizes->InvalidateBestSize();
    EXPECT_GE(sizes->GetSize().x, sizes->GetBestSize().x);
    ivCommandControl* colour = Bars().FindControl(kFormatFontColor);
    ASSERT_EQ(colour->kind, ivControlKind::ColourPicker);
    ASSERT_EQ(colour->dropDown->controls.size(), 2u);
    EXPECT_EQ(colour->dropDown->controls[0]->id, kFormatFontColor + 1);
    EXPECT_EQ(colour->dropDown->controls[1]->id, kFormatFontColor + 2);

    // An edit box with no width of its own is 100 pixels wide.
    ASSERT_TRUE(Builder().BeginToolBar("EXTRA", "Extra", 0));
    EXPECT_TRUE(Builder().AddCommand(
        ivCommandRow{"EXTRA_BOX", "Box", "Edit", 30000, command_flags::kEditBox, 0, 0}));
    EXPECT_TRUE(Builder().EndContainer());
    EXPECT_EQ(Bars().FindControl(30000)->width, 100);
    EXPECT_EQ(Bars().FindByTitle("Extra")->barId, 6);
}

TEST_F(CommandBars, BuilderOperationsFailWhereTheyMustAndChangeNothing) {
    Start();
    ivCommandBuilder& builder = Builder();
    const int bars = Bars().GetCount();
    // A title differing only in case reopens the bar.
    ASSERT_TRUE(builder.BeginToolBar("S", "sTaNdArD", 0));
    EXPECT_EQ(Bars().GetCount(), bars);
    EXPECT_FALSE(builder.BeginToolBar("X", "Other", 0)) << "a container is open";
    const size_t controls = Bars().FindByBarId(2)->controls.size();
    EXPECT_FALSE(builder.AddCommand(ivCommandRow{
        "", "Nameless", "File", 30001, command_flags::kRarelyUsed, shortcut_keys::Ctrl('Q'), 0}));
    EXPECT_EQ(Bars().FindByBarId(2)->controls.size(), controls);
    EXPECT_FALSE(builder.AddCopy(30002, 0)) << "no such control in the menus";
    EXPECT_FALSE(builder.SetItemCaption("FILE_NEW", "x")) << "only with no container open";
    EXPECT_FALSE(builder.FinishCommands()) << "a container is open";
    EXPECT_TRUE(builder.EndContainer());
    EXPECT_FALSE(builder.EndContainer());
    EXPECT_FALSE(builder.AddCommand(ivCommandRow{"X", "x", "File", 30003, 0, 0, 0}));
    EXPECT_FALSE(builder.AddCopy(kFileNew, 0));
    EXPECT_FALSE(builder.BeginMenu("", "&Empty", 0));
    // The nameless row left no trace: no shortcut, nothing rarely used.
    EXPECT_TRUE(builder.FinishCommands());
    EXPECT_EQ(builder.GetShortcuts().size(), 27u);
    EXPECT_FALSE(Bars().IsHidden(30001));
    EXPECT_FALSE(builder.ReservedOperation1());
    EXPECT_EQ(builder.ReservedText(), "");
}

TEST_F(CommandBars, ShortcutTableHoldsTwentySevenVirtualKeyEntries) {
    Start();
    const std::vector<ivShortcut>& table = Builder().GetShortcuts();
    ASSERT_EQ(table.size(), 27u);
    std::set<int> ids;
    for (const ivShortcut& shortcut : table) {
        EXPECT_TRUE(shortcut.modifiers & shortcut_keys::kVirtualKey);
        ids.insert(shortcut.id);
    }
    EXPECT_EQ(ids.size(), 27u);
    EXPECT_EQ(table.front(), (ivShortcut{9, 'N', kFileNew}));
    // The Edit menu's Undo and Redo and the four moves (Shift+Alt with an arrow) come before.
    EXPECT_EQ(table[4], (ivShortcut{9, 'Z', kEditUndo}));
    EXPECT_EQ(table[10], (ivShortcut{0x15, 0x26, kSectionMoveUp}));
    EXPECT_EQ(table[13], (ivShortcut{0x15, 0x27, kSectionMoveIn}));
    // Shift+F3 and Ctrl+H after F3: the hits of a search backwards, replacing.
    EXPECT_EQ(table[16], (ivShortcut{0x05, 0x72, kEditFindPrevious}));
    EXPECT_EQ(table[17], (ivShortcut{9, 'H', kEditReplace}));
    EXPECT_EQ(table[19], (ivShortcut{9, 0x0D, kInsertSection}));
    EXPECT_EQ(table[20], (ivShortcut{0x1D, 0x0D, kInsertSectionAbove}));
    EXPECT_EQ(table.back(), (ivShortcut{9, 'U', kFormatUnderline}));
    // The window's table has the keypad's Enter beside each Enter: 3 more entries.
    EXPECT_EQ(m_frame->GetAcceleratorTable()->GetCommand([] {
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = WXK_NUMPAD_ENTER;
        key.SetControlDown(true);
        key.SetAltDown(true);
        return key;
    }()),
              kInsertSectionUnder);
}

TEST_F(CommandBars, StatusIndicatorsShowTheGenerateImageAndTheProgress) {
    Start();
    ivStatusBar* status = Builder().GetStatusBar();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->GetPaneCount(), 5);
    EXPECT_EQ(status->CommandToIndex(ivStatusBar::kModePane), 1);
    EXPECT_EQ(status->CommandToIndex(ivStatusBar::kProgressPane), 2);
    EXPECT_EQ(status->CommandToIndex(ivStatusBar::kNumLockPane), 4);
    EXPECT_EQ(GetStatusIndicators(), &Builder()) << "the generators report here";
    wxStaticBitmap* mode = status->GetModeImage();
    wxGauge* progress = status->GetProgressBar();
    EXPECT_FALSE(mode->IsShown());
    EXPECT_EQ(progress->GetRange(), 100);

    Builder().SetIndicator("MODE", kToolsGenerate);
    EXPECT_TRUE(mode->IsShown());
    EXPECT_TRUE(mode->GetBitmap().IsOk());
    Builder().SetIndicator("PROGRESS", 50);
    EXPECT_EQ(progress->GetValue(), 50);
    Builder().SetIndicator("NOTHING", 7);
    Builder().SetIndicator("PROGRESS", 250);
    EXPECT_EQ(progress->GetValue(), 100);
    Builder().SetIndicator("MODE", 0);
    EXPECT_FALSE(mode->IsShown());
    // Nothing happens while a container is open.
    ASSERT_TRUE(Builder().BeginToolBar("S", "Standard", 0));
    Builder().SetIndicator("PROGRESS", 10);
    EXPECT_EQ(progress->GetValue(), 100);
    Builder().EndContainer();
}

TEST_F(CommandBars, TaskPanelHasOneGroupOfFourLinksWhoseClicksArePosted) {
    Start();
    wxAuiPaneInfo& pane = m_frame->GetAuiManager().GetPane("pane1");
    ASSERT_TRUE(pane.IsOk());
    EXPECT_EQ(pane.caption, "Tasks");
    EXPECT_EQ(pane.dock_direction, wxAUI_DOCK_LEFT);
    EXPECT_GE(pane.window->GetSize().x, m_frame->FromDIP(180) - 2);
    EXPECT_EQ(Builder().GetPaneName("TASKS"), "pane1");
    auto* panel = dynamic_cast<ivTaskPanel*>(Builder().GetPaneWindow("TASKS"));
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->GetGroups().size(), 1u);
    const ivTaskPanel::Group& group = *panel->GetGroups().front();
    EXPECT_EQ(group.caption, "File");
    std::vector<std::string> captions;
    for (const auto& item : group.items) {
        captions.push_back(item->caption);
        EXPECT_NE(item->image, nullptr) << item->caption;
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Create a new file.", "Open an existing file.",
                                                  "Save current loaded file.",
                                                  "Print current loaded file."}));
    // The caption of every link shows whole.
    for (const auto& item : group.items) {
        EXPECT_LE(item->label->GetScreenRect().GetRight(), pane.window->GetScreenRect().GetRight());
    }

    Record({kFileNew});
    auto* link =
        dynamic_cast<wxGenericHyperlinkCtrl*>(panel->FindItem("Create a new file.")->label);
    ASSERT_NE(link, nullptr);
    wxHyperlinkEvent click(link, link->GetId(), wxEmptyString);
    link->GetEventHandler()->ProcessEvent(click);
    EXPECT_TRUE(m_commands.empty()) << "posted, not sent";
    PumpEvents();
    EXPECT_EQ(m_commands, (std::vector<int>{kFileNew}));

    // And as a person clicks it.
    m_commands.clear();
    Click(link, wxPoint(10, link->GetSize().y / 2));
    PumpEvents();
    EXPECT_EQ(m_commands, (std::vector<int>{kFileNew}));

    EXPECT_TRUE(Builder().SetItemCaption("FILE_SAVE", "Keep it"));
    EXPECT_EQ(panel->FindItem("Keep it")->id, kFileSave);
}

// A window class for CreatePaneView.
class NotesWindow : public wxWindow {
    wxDECLARE_DYNAMIC_CLASS(NotesWindow);
};
wxIMPLEMENT_DYNAMIC_CLASS(NotesWindow, wxWindow);

TEST_F(CommandBars, PanesNumberThemselvesAndContainersAreReopenedByName) {
    Start();
    ivCommandBuilder& builder = Builder();
    ASSERT_TRUE(builder.BeginPropertyGrid("PROPS", "Properties", container_flags::kDockRight));
    EXPECT_TRUE(builder.AddCommand(ivCommandRow{"USER", "User", "Login", 30010, 0, 0, 0}));
    EXPECT_TRUE(
        builder.AddCommand(ivCommandRow{"PASSWORD", "Password", "Login", 30011,
                                        command_flags::kRarelyUsed | command_flags::kBold, 0, 0}));
    EXPECT_TRUE(builder.EndContainer());
    auto* grid = dynamic_cast<wxPropertyGrid*>(builder.GetPaneWindow("PROPS"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(builder.GetPaneName("PROPS"), "pane2");
    wxPGProperty* password = grid->GetPropertyByName("PASSWORD");
    ASSERT_NE(password, nullptr);
    EXPECT_EQ(password->GetLabel(), "Password");
    EXPECT_EQ(password->GetParent()->GetLabel(), "Login");
    EXPECT_TRUE(password->GetAttributeAsLong(wxPG_STRING_PASSWORD, 0) != 0);
    EXPECT_EQ(grid->GetSelection(), password);
    EXPECT_TRUE(builder.SetItemCaption("USER", "Name"));
    EXPECT_EQ(grid->GetPropertyByName("USER")->GetLabel(), "Name");

    wxWindow* notes = builder.CreatePaneView("NOTES", "Notes", wxCLASSINFO(NotesWindow),
                                             container_flags::kDockBottom);
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(notes->GetLabel(), "NOTES");
    EXPECT_EQ(builder.GetPaneName("NOTES"), "pane3");
    EXPECT_EQ(m_frame->GetAuiManager().GetPane(notes).dock_direction, wxAUI_DOCK_BOTTOM);
    EXPECT_EQ(builder.CreatePaneView("X", "X", wxCLASSINFO(wxObject), 0), nullptr);

    EXPECT_FALSE(builder.SelectContainer("NOTES")) << "a view pane is no container";
    EXPECT_FALSE(builder.SelectContainer("NONE"));
    EXPECT_FALSE(builder.SelectContainer("")) << "nothing to close";
    ASSERT_TRUE(builder.SelectContainer("TASKS"));
    EXPECT_FALSE(builder.SelectContainer("PROPS"));
    EXPECT_TRUE(builder.AddCommand(
        ivCommandRow{"NOTE", "A note.", "More", 0, command_flags::kSpecialGroup, 0, 0}));
    EXPECT_TRUE(builder.SelectContainer(""));
    auto* panel = dynamic_cast<ivTaskPanel*>(builder.GetPaneWindow("TASKS"));
    ASSERT_EQ(panel->GetGroups().size(), 2u);
    EXPECT_TRUE(panel->GetGroups()[1]->special);
    EXPECT_EQ(panel->GetGroups()[1]->items[0]->id, 0) << "a text item";
}

TEST_F(CommandBars, CaptionsChangeWhereTheControlIs) {
    Start();
    EXPECT_TRUE(Builder().SetCommandCaption(kAppExit, "&Quit"));
    EXPECT_EQ(m_frame->GetMenuBar()->GetMenu(0)->GetLabel(kAppExit), "&Quit");
    EXPECT_FALSE(Builder().SetCommandCaption(30099, "x"));
}

TEST_F(CommandBars, EverythingIsInTheUsersLanguage) {
    ReleaseLocalisation();
    SetSetting("/Language", "de");
    InitLocalisation(ChooseLanguage());
    Start(paint_theme::kRibbon);
    wxRibbonBar* ribbon = Bars().GetFirst()->ribbon;
    EXPECT_EQ(ribbon->GetPage(0)->GetLabel(), "Datei");
    EXPECT_EQ(ribbon->GetPage(5)->GetLabel(), "Extras");
    EXPECT_EQ(Bars().GetFirst()->title, "Menüband");
    EXPECT_EQ(Bars().FindByBarId(5)->title, "Extras");
    EXPECT_EQ(m_frame->GetAuiManager().GetPane("pane1").caption, "Aufgaben");
    EXPECT_EQ(Bars().FindControl(kFileSaveAs)->caption, "Speichern &unter...");
    EXPECT_EQ(Bars().FindControl(kToolsGeneratorBox)->entries,
              (std::vector<std::string>{"HTML", "CHM", "DOC"}))
        << "generator names are no words";
    Discard();
    Start();
    EXPECT_EQ(m_frame->GetMenuBar()->GetMenuLabel(0), "&Datei");
    EXPECT_EQ(m_frame->GetMenuBar()->GetMenu(0)->FindItem("Alle Befehle anzeigen"),
              ivMenuView::ExpandId(0));
    ReleaseLocalisation();
}

TEST_F(CommandBars, TheSingleDocumentFrameCarriesTheSameCompanions) {
    auto* single = new ivFrame;
    ASSERT_TRUE(single->Create(m_manager, nullptr, wxID_ANY, "Quorvane Editor", wxPoint(0, 0),
                               wxSize(900, 600)));
    single->Show();
    PumpEvents(150);
    ASSERT_NE(single->GetMenuBar(), nullptr);
    EXPECT_EQ(single->GetMenuBar()->GetMenuCount(), 7u);
    EXPECT_EQ(single->GetBuilder().GetShortcuts().size(), 27u);
    EXPECT_TRUE(single->GetAuiManager().GetPane("pane1").IsOk());
    EXPECT_NE(single->GetClientArea(), nullptr);
    single->GetAuiManager().GetPane("STANDARD").Bottom();
    single->GetAuiManager().Update();
    single->Close(true);
    PumpEvents(100);
    AddTemplate();
    EXPECT_NE(AppRegistry().GetString("CommandBars", "Layout").find("name=STANDARD"),
              std::string::npos)
        << "closing saved the layout";
}

}  // namespace
