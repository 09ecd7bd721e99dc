#include "framework/frame_services.h"

#include "core/app_registry.h"
#include "core/translate.h"
#include "framework/command_bars.h"
#include "framework/command_builder.h"
#include "framework/command_site.h"
#include "framework/customize_dialog.h"
#include "framework/frame_host.h"
#include "framework/paint_theme.h"
#include "framework/ribbon_view.h"
#include "framework/status_bar.h"
#include "platform/desktop_look.h"
#include "platform/registry_store.h"

#include <wx/aui/framemanager.h>
#include <wx/display.h>
#include <wx/docview.h>
#include <wx/filehistory.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/ribbon/bar.h>
#include <wx/tooltip.h>

#include <algorithm>

namespace {

using frame_layers::kRibbonPaneName;
constexpr int kRibbonLayer = frame_layers::kRibbon;
constexpr int kRibbonPane = 1;

// The toolkit's bar flags of the menu bar, kept with it.
constexpr uint32_t kMenuBarFlags = 0x1700;

// The first menu bar holds three placeholder popups captioned "|", each with one entry "|";
// the first BeginMenu of the command table removes them.
void AddPlaceholderMenus(ivCommandBar& menuBar) {
    for (int i = 0; i < 3; ++i) {
        auto popup = std::make_unique<ivCommandControl>();
        popup->kind = ivControlKind::Popup;
        popup->caption = "|";
        popup->dropDown = std::make_unique<ivCommandBar>(ivBarType::Popup, "|");
        auto entry = std::make_unique<ivCommandControl>();
        entry->caption = "|";
        popup->dropDown->Add(std::move(entry));
        menuBar.Add(std::move(popup));
    }
}

// A floating pane that a saved layout put outside every display comes back onto the frame's.
void KeepFloatingPanesVisible(wxAuiManager& aui, wxFrame& frame) {
    wxAuiPaneInfoArray& all = aui.GetAllPanes();
    for (size_t i = 0; i < all.GetCount(); ++i) {
        wxAuiPaneInfo& pane = all.Item(i);
        if (pane.IsFloating() && wxDisplay::GetFromPoint(pane.floating_pos) == wxNOT_FOUND) {
            pane.FloatingPosition(frame.GetScreenPosition() + frame.FromDIP(wxPoint(80, 80)));
        }
    }
}

}  // namespace

std::vector<std::string> RecentFilesOf(wxDocManager* manager) {
    std::vector<std::string> files;
    wxFileHistory* history = manager != nullptr ? manager->GetFileHistory() : nullptr;
    if (history == nullptr) {
        return files;
    }
    for (size_t i = 0; i < history->GetCount(); ++i) {
        files.push_back(history->GetHistoryFile(i).utf8_string());
    }
    return files;
}

ivFrameServices::ivFrameServices(bool childFrame) : m_childFrame(childFrame) {}

ivFrameServices::~ivFrameServices() = default;

ivMainFrameHost* ivFrameServices::HostOf(wxFrame* frame) const {
    return dynamic_cast<ivMainFrameHost*>(frame);
}

std::string ivFrameServices::RunningVersion() const {
    ivApplicationHooks* hooks = GetApplicationHooks();
    return hooks != nullptr ? hooks->GetVersionString(4) : std::string();
}

bool ivFrameServices::InitBars(wxFrame* frame, bool) {
    if (frame == nullptr) {
        return false;
    }
    const bool loadPanes = layout_store::CheckLayoutVersion(
        AppRegistry(), layout_store::kPaneSection, RunningVersion());
    if (m_childFrame) {
        return true;
    }
    ivMainFrameHost* host = HostOf(frame);
    if (host == nullptr) {
        return false;
    }
    m_bars = std::make_unique<ivCommandBars>();
    platform::ShowImagesInMenus();
    const int theme = paint_theme::Ensure();
    wxAuiManager& aui = host->GetAuiManager();
    if (theme == paint_theme::kRibbon) {
        ivCommandBar* ribbon = m_bars->Add(
            std::make_unique<ivCommandBar>(ivBarType::RibbonBar, Translate("Ribbon Bar")));
        ribbon->barId = kRibbonPane;
        wxDocManager* manager = host->GetDocManager();
        ribbon->ribbon =
            ribbon_view::CreateRibbonBar(*frame, [manager] { return RecentFilesOf(manager); });
        if (wxMenuBar* menu = frame->GetMenuBar()) {
            frame->SetMenuBar(nullptr);
            delete menu;
        }
        aui.AddPane(ribbon->ribbon, wxAuiPaneInfo()
                                        .Name(kRibbonPaneName)
                                        .Caption(wxString::FromUTF8(ribbon->title))
                                        .Top()
                                        .Layer(kRibbonLayer)
                                        .CaptionVisible(false)
                                        .PaneBorder(false)
                                        .Gripper(false)
                                        .Dockable(false)
                                        .Floatable(false)
                                        .Movable(false)
                                        .CloseButton(false)
                                        .Resizable(false));
    } else {
        ivCommandBar* menuBar =
            m_bars->Add(std::make_unique<ivCommandBar>(ivBarType::MenuBar, Translate("Menu Bar")));
        menuBar->barId = 1;
        menuBar->containerFlags = kMenuBarFlags;
        AddPlaceholderMenus(*menuBar);
        host->GetBuilder().RebuildMenus();
    }
    // Tooltips come up after a moment, as they do in the toolkit's bars.
    wxToolTip::SetDelay(900);

    m_statusBar = new ivStatusBar(
        frame, {ivStatusBar::kMessagePane, ivStatusBar::kCapsLockPane, ivStatusBar::kNumLockPane});
    frame->SetStatusBar(m_statusBar);

    paint_theme::ApplyToDocking(aui, theme);
    if (loadPanes) {
        m_savedPanes = layout_store::Parse(
            AppRegistry().GetString(layout_store::kPaneSection, layout_store::kPaneLayoutEntry));
        m_panesLoaded = !m_savedPanes.panes.empty();
    }
    return true;
}

bool ivFrameServices::LoadCommandBarsLayout(wxFrame* frame) {
    if (frame == nullptr) {
        return false;
    }
    const bool load = layout_store::CheckLayoutVersion(AppRegistry(), layout_store::kBarsSection,
                                                       RunningVersion());
    if (m_childFrame || !load) {
        return true;
    }
    ivMainFrameHost* host = HostOf(frame);
    if (host == nullptr || !m_bars) {
        return false;
    }
    platform::RegistryStore& registry = AppRegistry();
    m_savedBars = layout_store::Parse(
        registry.GetString(layout_store::kBarsSection, layout_store::kBarsLayoutEntry));
    m_barsLoaded = !m_savedBars.panes.empty();
    const std::vector<ivShortcut> shortcuts = ParseShortcuts(
        registry.GetString(layout_store::kBarsSection, layout_store::kShortcutsEntry));
    if (!shortcuts.empty()) {
        host->GetBuilder().SetShortcuts(shortcuts);
    }
    m_bars->Options().Parse(
        registry.GetString(layout_store::kBarsSection, layout_store::kOptionsEntry));
    host->GetBuilder().ApplyOptions();
    return true;
}

bool ivFrameServices::SaveLayout(wxFrame* frame) {
    if (frame == nullptr) {
        return false;
    }
    if (m_childFrame) {
        return true;
    }
    ivMainFrameHost* host = HostOf(frame);
    if (host == nullptr || !m_bars) {
        return false;
    }
    ivCommandBuilder& builder = host->GetBuilder();
    const layout_store::Perspective current =
        layout_store::Parse(host->GetAuiManager().SavePerspective().utf8_string());
    // A layout loaded but never applied (the window was never shown) is kept as it was.
    const layout_store::Perspective bars =
        m_barsLoaded ? m_savedBars
                     : layout_store::Select(current, builder.GetBarPaneNames(),
                                            {frame_layers::kBars, kRibbonLayer});
    const layout_store::Perspective panes =
        m_panesLoaded
            ? m_savedPanes
            : layout_store::Select(current, builder.GetDockingPaneNames(), {frame_layers::kPanes});
    platform::RegistryStore& registry = AppRegistry();
    registry.SetString(layout_store::kBarsSection, layout_store::kBarsLayoutEntry,
                       layout_store::Format(bars));
    registry.SetString(layout_store::kBarsSection, layout_store::kShortcutsEntry,
                       FormatShortcuts(builder.GetShortcuts()));
    registry.SetString(layout_store::kBarsSection, layout_store::kOptionsEntry,
                       m_bars->Options().Format());
    registry.SetString(layout_store::kPaneSection, layout_store::kPaneLayoutEntry,
                       layout_store::Format(panes));
    return registry.Flush();
}

bool ivFrameServices::Customize(wxFrame* frame) {
    ivMainFrameHost* host = HostOf(frame);
    if (frame == nullptr || host == nullptr || !m_bars) {
        return false;
    }
    ivCustomizeDialog dialog(frame, host->GetBuilder());
    dialog.ShowModal();
    return true;
}

std::string ivFrameServices::SavedPaneEntry(const std::string& paneName) const {
    if (!m_panesLoaded) {
        return {};
    }
    for (const auto& [name, entry] : m_savedPanes.panes) {
        if (name == paneName) {
            return entry;
        }
    }
    return {};
}

void ivFrameServices::ApplyLoadedLayouts(wxFrame* frame) {
    ivMainFrameHost* host = HostOf(frame);
    if (host == nullptr || !HasLoadedLayouts()) {
        return;
    }
    wxAuiManager& aui = host->GetAuiManager();
    layout_store::Perspective saved;
    if (m_barsLoaded) {
        saved = m_savedBars;
    }
    if (m_panesLoaded) {
        saved.panes.insert(saved.panes.end(), m_savedPanes.panes.begin(), m_savedPanes.panes.end());
        saved.docks.insert(saved.docks.end(), m_savedPanes.docks.begin(), m_savedPanes.docks.end());
    }
    m_barsLoaded = false;
    m_panesLoaded = false;
    const layout_store::Perspective current =
        layout_store::Parse(aui.SavePerspective().utf8_string());
    layout_store::Perspective merged = layout_store::Merge(current, saved);
    // A pane keeps the width its texts need now (another language may need more than the
    // saved one had).
    for (layout_store::Perspective::Dock& dock : merged.docks) {
        for (const layout_store::Perspective::Dock& now : current.docks) {
            if (dock.layer == frame_layers::kPanes && now.layer == dock.layer &&
                now.direction == dock.direction && now.row == dock.row) {
                dock.size = std::max(dock.size, now.size);
            }
        }
    }
    aui.LoadPerspective(wxString::FromUTF8(layout_store::Format(merged)), false);
    KeepFloatingPanesVisible(aui, *frame);
    host->GetBuilder().ReapplyCaptions();
}
