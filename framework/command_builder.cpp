#include "framework/command_builder.h"

#include "core/command_ids.h"
#include "core/translate.h"
#include "framework/bar_controls.h"
#include "framework/command_bars.h"
#include "framework/command_images.h"
#include "framework/command_site.h"
#include "framework/doc_manager.h"
#include "framework/frame_host.h"
#include "framework/frame_services.h"
#include "framework/menu_view.h"
#include "framework/ribbon_view.h"
#include "framework/status_bar.h"

#include <wx/aui/auibar.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/ribbon/buttonbar.h>

#include <algorithm>

wxIMPLEMENT_DYNAMIC_CLASS(ivCommandBuilder, wxObject);

namespace {

constexpr int kTearOffWidth = 400;
// The context menu of the bars numbers its entries from here.
constexpr int kBarsMenuFirst = command_id::FromTableNumber(0xF200);

ivControlKind KindOf(const ivCommandRow& row, bool* dropDownList) {
    *dropDownList = false;
    switch (row.flags & command_flags::kKindMask) {
        case command_flags::kEditBox:
            return ivControlKind::EditBox;
        case command_flags::kComboBox:
            return ivControlKind::ComboBox;
        case command_flags::kDropDownList:
            *dropDownList = true;
            return ivControlKind::ComboBox;
        case command_flags::kFontNameBox:
            *dropDownList = true;
            return ivControlKind::FontNameBox;
        case command_flags::kFontSizeBox:
            *dropDownList = true;
            return ivControlKind::FontSizeBox;
        case command_flags::kColourPicker:
            return ivControlKind::ColourPicker;
        default:
            return row.id == command_id::kFileMruFirst ? ivControlKind::RecentFileList
                                                       : ivControlKind::Button;
    }
}

}  // namespace

int ivCommandBuilder::DockDirection(uint32_t flags) {
    switch (flags & container_flags::kDockMask) {
        case container_flags::kDockBottom:
            return wxAUI_DOCK_BOTTOM;
        case container_flags::kDockLeft:
            return wxAUI_DOCK_LEFT;
        case container_flags::kDockRight:
            return wxAUI_DOCK_RIGHT;
        default:
            return wxAUI_DOCK_TOP;
    }
}

ivCommandBuilder::ivCommandBuilder() = default;

ivCommandBuilder::~ivCommandBuilder() {
    if (GetStatusIndicators() == this) {
        SetStatusIndicators(nullptr);
    }
    // The bars, panels and grids are windows of the frame and go with it.
}

ivMainFrameHost* ivCommandBuilder::Host() const {
    return dynamic_cast<ivMainFrameHost*>(m_frame);
}

wxAuiManager* ivCommandBuilder::GetAuiManager() const {
    ivMainFrameHost* host = Host();
    return host != nullptr ? &host->GetAuiManager() : nullptr;
}

ivCommandBars* ivCommandBuilder::GetCommandBars() const {
    ivMainFrameHost* host = Host();
    return host != nullptr ? host->GetServices().GetCommandBars() : nullptr;
}

ivStatusBar* ivCommandBuilder::GetStatusBar() const {
    ivMainFrameHost* host = Host();
    return host != nullptr ? host->GetServices().GetStatusBar() : nullptr;
}

bool ivCommandBuilder::IsRibbonBar() const {
    ivCommandBars* bars = GetCommandBars();
    return bars != nullptr && bars->GetFirst() != nullptr &&
           bars->GetFirst()->type == ivBarType::RibbonBar;
}

bool ivCommandBuilder::AttachFrame(ivCommandSite* site) {
    wxClassInfo* frameClass = site != nullptr ? site->GetFrameClass() : nullptr;
    if (frameClass == nullptr || !frameClass->IsKindOf(wxCLASSINFO(wxFrame))) {
        return false;
    }
    m_frame = site->GetFrame();
    return m_frame != nullptr;
}

bool ivCommandBuilder::BeginMenu(const std::string& name, const std::string& caption,
                                 uint32_t flags) {
    ivCommandBars* bars = GetCommandBars();
    if (m_frame == nullptr || name.empty() || bars == nullptr || bars->GetFirst() == nullptr) {
        return false;
    }
    ivCommandBar& first = *bars->GetFirst();
    if (first.type == ivBarType::RibbonBar) {
        if (m_containers.empty()) {
            if (caption.empty()) {
                return false;
            }
            auto tab = std::make_unique<ivCommandControl>();
            tab->kind = ivControlKind::Popup;
            tab->caption = caption;
            tab->parameter = name;
            tab->dropDown = std::make_unique<ivCommandBar>(ivBarType::RibbonTab, caption);
            tab->dropDown->name = name;
            ivCommandControl* added = first.Add(std::move(tab));
            ribbon_view::AddTab(first, *added->dropDown);
            m_containers.push_back(Container{ContainerKind::RibbonTab, added->dropDown.get()});
            return true;
        }
        // Inside a tab a menu adds nothing: the tab itself is opened once more.
        if (Current()->kind == ContainerKind::RibbonTab) {
            m_containers.push_back(*Current());
            return true;
        }
        return false;
    }
    if (!m_containers.empty() && Current()->kind != ContainerKind::MenuPopup) {
        return false;
    }
    ivCommandBar& target = m_containers.empty() ? first : *Current()->bar;
    // The placeholders of the first menu bar go once real menus come.
    std::erase_if(target.controls, [](const auto& control) { return control->caption == "|"; });
    ivCommandControl* popup = nullptr;
    for (const auto& control : target.controls) {
        if (control->kind == ivControlKind::Popup &&
            EqualsIgnoringCase(control->caption, caption)) {
            popup = control.get();
            break;
        }
    }
    if (popup == nullptr) {
        auto made = std::make_unique<ivCommandControl>();
        made->kind = ivControlKind::Popup;
        made->parameter = name;
        made->dropDown = std::make_unique<ivCommandBar>(ivBarType::Popup, caption);
        made->dropDown->name = name;
        if (flags & container_flags::kTearOff) {
            made->dropDown->tearOffId = m_tearOffCounter--;
            made->dropDown->tearOffWidth = kTearOffWidth;
            made->dropDown->title = caption;
        }
        popup = target.Add(std::move(made));
    }
    popup->caption = caption;
    popup->description = caption;
    popup->beginGroup = (flags & container_flags::kSeparatorBefore) != 0;
    m_containers.push_back(Container{ContainerKind::MenuPopup, popup->dropDown.get()});
    return true;
}

bool ivCommandBuilder::EndContainer() {
    if (m_frame == nullptr || m_containers.empty()) {
        return false;
    }
    const Container closed = m_containers.back();
    m_containers.pop_back();
    switch (closed.kind) {
        case ContainerKind::ToolBar:
            RealiseToolBar(*closed.bar);
            break;
        case ContainerKind::MenuPopup:
            if (m_containers.empty()) {
                RebuildMenus();
            }
            break;
        case ContainerKind::RibbonTab:
            if (m_containers.empty() && GetCommandBars() != nullptr) {
                ribbon_view::Realise(*GetCommandBars()->GetFirst());
                if (wxAuiManager* aui = GetAuiManager()) {
                    wxAuiPaneInfo& pane = aui->GetPane(frame_layers::kRibbonPaneName);
                    if (pane.IsOk()) {
                        pane.BestSize(pane.window->GetBestSize())
                            .MinSize(pane.window->GetBestSize());
                        aui->Update();
                    }
                }
            }
            break;
        case ContainerKind::TaskPanel:
        case ContainerKind::PropertyGrid:
            closed.window->Layout();
            FitPane(closed.window);
            break;
    }
    return true;
}

bool ivCommandBuilder::BeginToolBar(const std::string& name, const std::string& title,
                                    uint32_t flags) {
    ivCommandBars* bars = GetCommandBars();
    wxAuiManager* aui = GetAuiManager();
    if (m_frame == nullptr || !m_containers.empty() || bars == nullptr || aui == nullptr) {
        return false;
    }
    if (ivCommandBar* found = bars->FindByTitle(title)) {
        if (found->type != ivBarType::ToolBar) {
            return false;
        }
        m_containers.push_back(Container{ContainerKind::ToolBar, found});
        return true;
    }
    auto made = std::make_unique<ivCommandBar>(ivBarType::ToolBar, title);
    made->name = name;
    made->containerFlags = flags;
    ivCommandBar* bar = bars->Add(std::move(made));
    bar->barId = bars->GetCount();
    bar->toolbar = new wxAuiToolBar(m_frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                    wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_PLAIN_BACKGROUND);
    bar->toolbar->SetName(wxString::FromUTF8(name));
    bar->toolbar->Bind(wxEVT_AUITOOLBAR_RIGHT_CLICK,
                       [this, bar](wxAuiToolBarEvent&) { ShowBarsMenu(bar->toolbar); });
    PlaceToolBar(*bar);
    m_containers.push_back(Container{ContainerKind::ToolBar, bar});
    return true;
}

void ivCommandBuilder::PlaceToolBar(ivCommandBar& bar) {
    wxAuiManager& aui = *GetAuiManager();
    int direction = DockDirection(bar.containerFlags);
    // A toolbar starts a row of its own, after the rows of the toolbars before it.
    int row = 0;
    const wxAuiPaneInfoArray& all = aui.GetAllPanes();
    for (size_t i = 0; i < all.GetCount(); ++i) {
        const wxAuiPaneInfo& pane = all.Item(i);
        if (pane.IsToolbar() && pane.dock_direction == direction &&
            pane.dock_layer == frame_layers::kBars) {
            row = std::max(row, pane.dock_row + 1);
        }
    }
    int position = 0;
    ivCommandBars* bars = GetCommandBars();
    if ((bar.containerFlags & container_flags::kDockNext) && bars->GetCount() > 2) {
        ivCommandBar* previous = bars->FindByBarId(bar.barId - 1);
        if (previous != nullptr && previous->toolbar != nullptr) {
            const wxAuiPaneInfo& left = aui.GetPane(previous->toolbar);
            direction = left.dock_direction;
            row = left.dock_row;
            position = left.dock_pos + 1;
        }
    }
    wxAuiPaneInfo info;
    info.Name(wxString::FromUTF8(bar.name))
        .Caption(wxString::FromUTF8(bar.title))
        .ToolbarPane()
        .Direction(direction)
        .Layer(frame_layers::kBars)
        .Row(row)
        .Position(position);
    if (bar.containerFlags & container_flags::kStretched) {
        info.Resizable(true);
    }
    aui.AddPane(bar.toolbar, info);
}

void ivCommandBuilder::RealiseToolBar(ivCommandBar& bar) {
    wxAuiToolBar* toolbar = bar.toolbar;
    if (toolbar == nullptr) {
        return;
    }
    const bool captions = std::any_of(bar.controls.begin(), bar.controls.end(),
                                      [](const auto& c) { return ToolShowsCaption(*c); });
    if (captions) {
        toolbar->SetWindowStyleFlag(toolbar->GetWindowStyleFlag() | wxAUI_TB_TEXT |
                                    wxAUI_TB_HORZ_LAYOUT);
    }
    toolbar->Realize();
    wxAuiManager& aui = *GetAuiManager();
    wxAuiPaneInfo& pane = aui.GetPane(toolbar);
    pane.BestSize(toolbar->GetBestSize());
    // A bar with boxes in it is too wide to stand upright.
    if (std::any_of(bar.controls.begin(), bar.controls.end(),
                    [](const auto& c) { return c->IsBox(); })) {
        pane.LeftDockable(false).RightDockable(false);
    }
    aui.Update();
}

bool ivCommandBuilder::AddCommand(const ivCommandRow& row) {
    Container* current = Current();
    if (current == nullptr) {
        return false;
    }
    switch (current->kind) {
        case ContainerKind::MenuPopup:
        case ContainerKind::ToolBar:
        case ContainerKind::RibbonTab:
            return AddBarControl(row);
        case ContainerKind::TaskPanel:
            return AddTaskItem(row);
        case ContainerKind::PropertyGrid:
            return AddGridItem(row);
    }
    return false;
}

std::unique_ptr<ivCommandControl> ivCommandBuilder::MakeControl(const ivCommandRow& row) const {
    auto control = std::make_unique<ivCommandControl>();
    control->kind = KindOf(row, &control->dropDownList);
    control->id = row.id;
    control->hasImage = HasCommandImage(row.id) && GetCommandImage(row.id).IsOk();
    if (control->kind == ivControlKind::ColourPicker) {
        control->dropDown = std::make_unique<ivCommandBar>(ivBarType::Popup, row.caption);
        control->dropDown->customisable = false;
        auto automatic = std::make_unique<ivCommandControl>();
        automatic->kind = ivControlKind::AutomaticColour;
        automatic->id = row.id + 1;
        automatic->caption = Translate("Automatic");
        control->dropDown->Add(std::move(automatic));
        auto selector = std::make_unique<ivCommandControl>();
        selector->kind = ivControlKind::ColourSelector;
        selector->id = row.id + 2;
        control->dropDown->Add(std::move(selector));
    }
    control->buttonStyle = row.flags & command_flags::kButtonStyleMask;
    control->category = row.category;
    control->description = row.caption;
    control->caption = row.caption;
    control->parameter = row.name;
    control->tooltip = row.caption;
    control->beginGroup = (row.flags & command_flags::kBeginGroup) != 0;
    const uint32_t kind = row.flags & command_flags::kKindMask;
    if (kind == command_flags::kEditBox || kind == command_flags::kComboBox ||
        kind == command_flags::kDropDownList) {
        control->width = 10 * (row.width > 0 ? row.width : 10);
        control->flags |= ivCommandControl::kStretchBox;
    }
    return control;
}

bool ivCommandBuilder::AddBarControl(const ivCommandRow& row) {
    if (row.name.empty()) {
        return false;
    }
    if (row.flags & command_flags::kRarelyUsed) {
        m_rarelyUsed.push_back(row.id);
    }
    if (row.shortcut != 0) {
        m_shortcuts.push_back(ivShortcut{static_cast<uint8_t>((row.shortcut >> 16) & 0xFF),
                                         static_cast<uint16_t>(row.shortcut & 0xFFFF), row.id});
    }
    ShowControl(*Current()->bar, *Current()->bar->Add(MakeControl(row)));
    return true;
}

void ivCommandBuilder::ShowControl(ivCommandBar& bar, ivCommandControl& control) {
    if (bar.type == ivBarType::RibbonTab) {
        // Under the ribbon a tab's controls go into the group named by their category.
        std::unique_ptr<ivCommandControl> moved;
        auto at = std::find_if(bar.controls.begin(), bar.controls.end(),
                               [&](const auto& c) { return c.get() == &control; });
        if (at == bar.controls.end()) {
            return;
        }
        moved = std::move(*at);
        bar.controls.erase(at);
        ivCommandControl* group = nullptr;
        for (const auto& each : bar.controls) {
            if (each->kind == ivControlKind::RibbonGroup && each->caption == moved->category) {
                group = each.get();
            }
        }
        if (group == nullptr) {
            auto made = std::make_unique<ivCommandControl>();
            made->kind = ivControlKind::RibbonGroup;
            made->caption = moved->category;
            made->dropDown = std::make_unique<ivCommandBar>(ivBarType::Popup, moved->category);
            group = bar.Add(std::move(made));
            ribbon_view::AddGroup(bar, *group);
        }
        ivCommandControl* placed = group->dropDown->Add(std::move(moved));
        ribbon_view::AddButton(*group, *placed, TooltipOf(*placed));
        return;
    }
    if (bar.type == ivBarType::ToolBar && bar.toolbar != nullptr) {
        ivCommandBars& bars = *GetCommandBars();
        AddToolBarControl(*bar.toolbar, control, bars.Options(), TooltipOf(control));
        if (control.kind == ivControlKind::ColourPicker) {
            BindColourPicker(*bar.toolbar, control, bars.Options());
        }
    }
    // Menus are made whole once their popup is complete.
}

bool ivCommandBuilder::AddCopy(int id, int) {
    ivCommandBars* bars = GetCommandBars();
    Container* current = Current();
    if (current == nullptr || bars == nullptr || bars->GetFirst() == nullptr ||
        current->bar == nullptr) {
        return false;
    }
    const ivCommandControl* source = bars->GetFirst()->Find(id, true);
    if (source == nullptr) {
        return false;
    }
    ShowControl(*current->bar, *current->bar->Add(source->Clone()));
    return true;
}

ivCommandBar* ivCommandBuilder::BarOf(const ivCommandControl* control) const {
    ivCommandBars* bars = GetCommandBars();
    if (bars == nullptr) {
        return nullptr;
    }
    ivCommandBar* owner = nullptr;
    std::function<void(ivCommandBar&)> search = [&](ivCommandBar& bar) {
        for (const auto& each : bar.controls) {
            if (each.get() == control) {
                owner = &bar;
            } else if (each->dropDown && owner == nullptr) {
                search(*each->dropDown);
            }
        }
    };
    for (int i = 0; i < bars->GetCount() && owner == nullptr; ++i) {
        search(*bars->GetAt(i));
    }
    return owner;
}

ivCommandControl* ivCommandBuilder::FindListControl(int id) const {
    if (!m_containers.empty() && m_containers.back().bar != nullptr) {
        return m_containers.back().bar->Find(id, true);
    }
    ivCommandBars* bars = GetCommandBars();
    return bars != nullptr ? bars->FindControl(id) : nullptr;
}

void ivCommandBuilder::RefreshControl(ivCommandControl& control) {
    ivCommandBar* bar = BarOf(&control);
    if (bar == nullptr) {
        return;
    }
    if (bar->type == ivBarType::ToolBar && bar->toolbar != nullptr) {
        if (control.IsBox()) {
            bar->toolbar->SetToolLabel(control.id,
                                       wxString::FromUTF8(StripMnemonic(control.caption)));
        } else if (ToolShowsCaption(control)) {
            bar->toolbar->SetToolLabel(control.id,
                                       wxString::FromUTF8(StripMnemonic(control.caption)));
        }
        bar->toolbar->SetToolShortHelp(control.id, wxString::FromUTF8(TooltipOf(control)));
        RealiseToolBar(*bar);
    } else if (bar->panel != nullptr) {
        ivCommandBars* bars = GetCommandBars();
        bars->GetFirst()->ForEach([&](ivCommandControl& group) {
            if (group.dropDown.get() == bar) {
                ribbon_view::SetButtonLabel(group, control);
            }
        });
    } else if (!IsContainerOpen()) {
        RebuildMenus();
    }
}

bool ivCommandBuilder::SetCommandCaption(int id, const std::string& caption) {
    ivCommandControl* control = FindListControl(id);
    if (control == nullptr) {
        return false;
    }
    control->caption = caption;
    RefreshControl(*control);
    return true;
}

bool ivCommandBuilder::AddListItem(int id, const std::string&, const std::string& display) {
    ivCommandControl* control = FindListControl(id);
    if (control == nullptr ||
        (control->kind != ivControlKind::ComboBox && control->kind != ivControlKind::FontNameBox &&
         control->kind != ivControlKind::FontSizeBox)) {
        return false;
    }
    auto* combo = dynamic_cast<wxComboBox*>(control->window);
    if (display.empty()) {
        control->entries.clear();
        control->selection = -1;
        if (combo != nullptr) {
            combo->Clear();
        }
        return true;
    }
    control->entries.push_back(display);
    if (combo != nullptr) {
        combo->Append(wxString::FromUTF8(display));
    }
    return true;
}

bool ivCommandBuilder::SelectListItem(int id, int index) {
    ivCommandControl* control = FindListControl(id);
    if (control == nullptr ||
        (control->kind != ivControlKind::ComboBox && control->kind != ivControlKind::FontNameBox &&
         control->kind != ivControlKind::FontSizeBox)) {
        return false;
    }
    if (index < -1 || index >= static_cast<int>(control->entries.size())) {
        return false;
    }
    control->selection = index;
    if (auto* combo = dynamic_cast<wxComboBox*>(control->window)) {
        combo->SetSelection(index);
    }
    return true;
}

bool ivCommandBuilder::FinishCommands() {
    ivCommandBars* bars = GetCommandBars();
    if (m_frame == nullptr || !m_containers.empty() || bars == nullptr) {
        return false;
    }
    if (!m_rarelyUsed.empty()) {
        bars->HideCommands(m_rarelyUsed);
        m_rarelyUsed.clear();
        bars->Options().fullMenus = false;
    }
    if (!m_shortcuts.empty()) {
        std::vector<ivShortcut> table;
        for (const ivShortcut& shortcut : m_shortcuts) {
            table.push_back(
                ivShortcut{static_cast<uint8_t>(shortcut.modifiers | shortcut_keys::kVirtualKey),
                           shortcut.key, shortcut.id});
        }
        m_shortcuts.clear();
        m_defaultShortcuts = table;
        SetShortcuts(table);
    } else {
        ApplyOptions();
    }
    return true;
}

void ivCommandBuilder::SetShortcuts(const std::vector<ivShortcut>& shortcuts) {
    m_shortcutTable = shortcuts;
    for (ivShortcut& shortcut : m_shortcutTable) {
        shortcut.modifiers |= shortcut_keys::kVirtualKey;
    }
    if (m_frame != nullptr) {
        m_frame->SetAcceleratorTable(BuildAcceleratorTable(m_shortcutTable));
    }
    ApplyOptions();
}

std::string ivCommandBuilder::ShortcutTextOf(int id, bool translated) const {
    for (const ivShortcut& shortcut : m_shortcutTable) {
        if (shortcut.id == id) {
            return ShortcutText(shortcut, translated);
        }
    }
    return {};
}

std::string ivCommandBuilder::TooltipOf(const ivCommandControl& control) const {
    ivCommandBars* bars = GetCommandBars();
    if (bars != nullptr && !bars->Options().showTooltips) {
        return {};
    }
    std::string tip = StripMnemonic(control.tooltip);
    if (tip.size() > 3 && tip.compare(tip.size() - 3, 3, "...") == 0) {
        tip.erase(tip.size() - 3);
    }
    const std::string keys = ShortcutTextOf(control.id, true);
    if (!keys.empty() && (bars == nullptr || bars->Options().shortcutsInTooltips)) {
        tip += " (" + keys + ")";
    }
    return tip;
}

void ivCommandBuilder::ApplyOptions() {
    ivCommandBars* bars = GetCommandBars();
    if (bars == nullptr || m_frame == nullptr) {
        return;
    }
    RebuildMenus();
    wxAuiManager* aui = GetAuiManager();
    for (int i = 0; i < bars->GetCount(); ++i) {
        ivCommandBar& bar = *bars->GetAt(i);
        if (bar.type != ivBarType::ToolBar || bar.toolbar == nullptr) {
            continue;
        }
        RefreshToolBar(bar, bars->Options(),
                       [this](const ivCommandControl& control) { return TooltipOf(control); });
        if (aui != nullptr) {
            aui->GetPane(bar.toolbar).BestSize(bar.toolbar->GetBestSize());
        }
    }
    if (aui != nullptr) {
        aui->Update();
    }
}

ivMenuView* ivCommandBuilder::EnsureMenuView() {
    ivCommandBars* bars = GetCommandBars();
    ivMainFrameHost* host = Host();
    if (m_menuView || bars == nullptr || host == nullptr) {
        return m_menuView.get();
    }
    wxDocManager* manager = host->GetDocManager();
    m_menuView = std::make_unique<ivMenuView>(
        *m_frame, *bars, [this](int id) { return ShortcutTextOf(id, false); },
        [manager] { return RecentFilesOf(manager); });
    if (auto* documents = dynamic_cast<ivDocManager*>(manager)) {
        std::weak_ptr<bool> alive = m_alive;
        documents->SetHistoryObserver([this, alive] {
            if (alive.lock() && m_menuView) {
                m_menuView->RefreshRecentFiles();
            }
        });
    }
    return m_menuView.get();
}

void ivCommandBuilder::RebuildMenus() {
    ivCommandBars* bars = GetCommandBars();
    if (bars == nullptr || bars->GetFirst() == nullptr ||
        bars->GetFirst()->type != ivBarType::MenuBar) {
        return;
    }
    if (ivMenuView* view = EnsureMenuView()) {
        view->Rebuild();
    }
}

void ivCommandBuilder::ShowBarsMenu(wxWindow* window) {
    wxAuiManager* aui = GetAuiManager();
    if (aui == nullptr || window == nullptr) {
        return;
    }
    std::vector<std::string> names = GetBarPaneNames();
    const std::vector<std::string> panes = GetDockingPaneNames();
    names.insert(names.end(), panes.begin(), panes.end());
    std::erase(names, std::string(frame_layers::kRibbonPaneName));
    wxMenu menu;
    for (size_t i = 0; i < names.size(); ++i) {
        const wxAuiPaneInfo& pane = aui->GetPane(wxString::FromUTF8(names[i]));
        menu.AppendCheckItem(kBarsMenuFirst + static_cast<int>(i), pane.caption)
            ->Check(pane.IsShown());
    }
    menu.AppendSeparator();
    menu.Append(command_id::kCustomize, wxString::FromUTF8(Translate("Customize...")));
    const int chosen = window->GetPopupMenuSelectionFromUser(menu);
    if (chosen == command_id::kCustomize) {
        wxCommandEvent command(wxEVT_MENU, command_id::kCustomize);
        command.SetEventObject(m_frame);
        m_frame->GetEventHandler()->ProcessEvent(command);
    } else if (chosen >= kBarsMenuFirst &&
               chosen < kBarsMenuFirst + static_cast<int>(names.size())) {
        wxAuiPaneInfo& pane =
            aui->GetPane(wxString::FromUTF8(names[static_cast<size_t>(chosen - kBarsMenuFirst)]));
        pane.Show(!pane.IsShown());
        aui->Update();
    }
}

std::vector<std::string> ivCommandBuilder::GetBarPaneNames() const {
    std::vector<std::string> names;
    ivCommandBars* bars = GetCommandBars();
    if (bars == nullptr) {
        return names;
    }
    for (int i = 0; i < bars->GetCount(); ++i) {
        const ivCommandBar& bar = *bars->GetAt(i);
        if (bar.type == ivBarType::RibbonBar) {
            names.push_back(frame_layers::kRibbonPaneName);
        } else if (bar.type == ivBarType::ToolBar) {
            names.push_back(bar.name);
        }
    }
    return names;
}

void ivCommandBuilder::ReapplyCaptions() {
    wxAuiManager* aui = GetAuiManager();
    ivCommandBars* bars = GetCommandBars();
    if (aui == nullptr || bars == nullptr) {
        return;
    }
    for (int i = 0; i < bars->GetCount(); ++i) {
        const ivCommandBar& bar = *bars->GetAt(i);
        if (bar.toolbar == nullptr) {
            continue;
        }
        wxAuiPaneInfo& pane = aui->GetPane(bar.toolbar);
        // The saved size is that of the last run's captions; the bar knows its own.
        pane.Caption(wxString::FromUTF8(bar.title)).BestSize(bar.toolbar->GetBestSize());
    }
    for (const auto& [name, pane] : m_panes) {
        aui->GetPane(wxString::FromUTF8(pane.paneName)).Caption(wxString::FromUTF8(pane.title));
    }
    aui->Update();
}
