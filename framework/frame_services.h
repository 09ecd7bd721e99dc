#pragma once

#include "framework/layout_store.h"

#include <memory>
#include <string>
#include <vector>

// The AUI layers of a main frame: docking panes next to the documents, toolbars around them,
// the ribbon outermost.
namespace frame_layers {
inline constexpr int kPanes = 0;
inline constexpr int kBars = 1;
inline constexpr int kRibbon = 2;
inline constexpr const char* kRibbonPaneName = "RibbonBar";
}  // namespace frame_layers

class ivCommandBars;
class ivMainFrameHost;
class ivStatusBar;
class wxFrame;

// The services of a main frame: its command bars (menu bar or ribbon bar), status bar and
// docking panes, and the saving and loading of their layout, kept per program version. For a
// document window every step succeeds at once and builds nothing.
class ivFrameServices {
public:
    explicit ivFrameServices(bool childFrame = false);
    virtual ~ivFrameServices();
    ivFrameServices(const ivFrameServices&) = delete;
    ivFrameServices& operator=(const ivFrameServices&) = delete;

    // The command bars with the first menu bar (or the ribbon), the status bar and the pane
    // manager's look; reads the saved pane layout when its version allows.
    virtual bool InitBars(wxFrame* frame, bool unused);
    // Reads the saved command-bar layout when its version allows: shortcuts and options at
    // once, toolbar places once the frame is shown.
    virtual bool LoadCommandBarsLayout(wxFrame* frame);
    // Writes the command-bar and pane layouts, whatever "/LoadLayout" says.
    virtual bool SaveLayout(wxFrame* frame);
    // The customisation dialog.
    virtual bool Customize(wxFrame* frame);

    ivCommandBars* GetCommandBars() const { return m_bars.get(); }
    ivStatusBar* GetStatusBar() const { return m_statusBar; }
    bool IsChildFrame() const { return m_childFrame; }

    // The saved entry of a docking pane ("pane1", ...), or empty.
    std::string SavedPaneEntry(const std::string& paneName) const;
    // Places toolbars and panes as the loaded layouts say; the frame calls it once it is
    // shown, as docking sizes mean something only then.
    void ApplyLoadedLayouts(wxFrame* frame);
    bool HasLoadedLayouts() const { return m_barsLoaded || m_panesLoaded; }

private:
    ivMainFrameHost* HostOf(wxFrame* frame) const;
    std::string RunningVersion() const;

    bool m_childFrame;
    std::unique_ptr<ivCommandBars> m_bars;
    ivStatusBar* m_statusBar = nullptr;
    layout_store::Perspective m_savedBars;
    layout_store::Perspective m_savedPanes;
    bool m_barsLoaded = false;
    bool m_panesLoaded = false;
};

class wxDocManager;
// The files of the recent-file list of manager, newest first.
std::vector<std::string> RecentFilesOf(wxDocManager* manager);
