#pragma once

#include "framework/command_row.h"
#include "framework/shortcuts.h"
#include "generators/status_indicators.h"

#include <wx/aui/framemanager.h>
#include <wx/object.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class ivCommandBar;
class ivCommandBars;
class ivCommandSite;
class ivMainFrameHost;
class ivMenuView;
class ivStatusBar;
class ivTaskPanel;
class wxFrame;
class wxPropertyGrid;
class wxPGProperty;
struct ivCommandControl;

// A window class that CreatePaneView can make: made with its default constructor, then
// created here as a child of the frame. Other wxWindow classes are created as plain windows.
class ivPaneWindow {
public:
    virtual ~ivPaneWindow() = default;
    virtual bool CreatePaneWindow(wxWindow* parent, const wxString& name) = 0;
};

// Builds the command bars of a main window from the rows of a command table, in one pass while
// the window is created: menus (or ribbon tabs and groups under the ribbon theme), toolbars,
// the status bar indicators, task panels and property grids in docking panes, the keyboard
// shortcuts and the rarely used commands. Owned by the main frame, it lives as long as it;
// it also shows the generators' status indicators ("MODE", "PROGRESS").
class ivCommandBuilder : public wxObject, public ivStatusIndicators {
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(ivCommandBuilder);

public:
    ivCommandBuilder();
    ~ivCommandBuilder() override;

    // The operations in their order. All report success; a failure changes nothing.
    //
    // Remembers the site's frame when it is a frame window.
    virtual bool AttachFrame(ivCommandSite* site);
    // Opens a menu popup (or a ribbon tab) captioned caption; an existing popup of the same
    // caption (ignoring case) is reopened.
    virtual bool BeginMenu(const std::string& name, const std::string& caption, uint32_t flags);
    // Closes the container opened last, whatever its kind.
    virtual bool EndContainer();
    // Opens the toolbar titled title (ignoring case), made when there is none.
    virtual bool BeginToolBar(const std::string& name, const std::string& title, uint32_t flags);
    // Adds the MODE and PROGRESS panes to the status bar.
    virtual bool CreateStatusBar(const std::string& name, const std::string& title, uint32_t flags);
    virtual bool EndStatusBar() { return true; }
    // Adds a control for row to the open container.
    virtual bool AddCommand(const ivCommandRow& row);
    // Adds a copy of the menu (or ribbon) control with id to the open container.
    virtual bool AddCopy(int id, int unused);
    virtual bool ReservedOperation1() { return false; }
    virtual bool ReservedOperation2() { return false; }
    virtual std::string ReservedText() { return {}; }
    virtual bool SetCommandCaption(int id, const std::string& caption);
    // The caption of a named task-panel or property-grid item, while no container is open.
    virtual bool SetItemCaption(const std::string& name, const std::string& caption);
    virtual bool SelectListItem(int id, int index);
    // ivStatusIndicators: MODE shows the image of a command identifier (0 hides it), PROGRESS
    // the position 0 to 100. The bar is repainted at once, as generation keeps the program busy.
    void SetIndicator(const std::string& name, int value) override;
    // A combo box: an empty display text empties it, another one is appended.
    virtual bool AddListItem(int id, const std::string& value, const std::string& display);
    virtual void ReservedLookup() {}
    virtual bool ReservedOperation3() { return false; }
    virtual bool ReservedOperation4() { return false; }
    virtual bool ReservedOperation5() { return false; }
    // A task panel in a new docking pane, opened as the container.
    virtual bool BeginTaskPanel(const std::string& name, const std::string& title, uint32_t flags);
    // A property grid in a new docking pane, opened as the container.
    virtual bool BeginPropertyGrid(const std::string& name, const std::string& title,
                                   uint32_t flags);
    // A window of windowClass (a wxWindow class with a default constructor) in a new docking
    // pane; null when it cannot be made.
    virtual wxWindow* CreatePaneView(const std::string& name, const std::string& title,
                                     wxClassInfo* windowClass, uint32_t flags);
    // Reopens the task panel or property grid entered under name; an empty name closes the
    // open container.
    virtual bool SelectContainer(const std::string& name);
    // Hides the rarely used commands and builds the shortcut table.
    virtual bool FinishCommands();

    // Beyond the table: what the frame, its services and the customisation dialog need.
    wxFrame* GetFrame() const { return m_frame; }
    wxAuiManager* GetAuiManager() const;
    ivCommandBars* GetCommandBars() const;
    bool IsContainerOpen() const { return !m_containers.empty(); }
    // The shortcut table in force (after FinishCommands), and a replacement for it.
    const std::vector<ivShortcut>& GetShortcuts() const { return m_shortcutTable; }
    void SetShortcuts(const std::vector<ivShortcut>& shortcuts);
    // The shortcuts the command table gave, before any change by the user.
    const std::vector<ivShortcut>& GetDefaultShortcuts() const { return m_defaultShortcuts; }
    // Makes the bars show the options (full menus, large icons, tooltips) again.
    void ApplyOptions();
    // The window of a pane entered in panes-by-name, or null.
    wxWindow* GetPaneWindow(const std::string& name) const;
    // The docking pane name ("pane1", ...) of a pane entered under name, or empty.
    std::string GetPaneName(const std::string& name) const;
    // The AUI pane names of the toolbars and of the ribbon, and of the docking panes.
    std::vector<std::string> GetBarPaneNames() const;
    std::vector<std::string> GetDockingPaneNames() const;
    // Gives the toolbars and panes their (translated) titles again, after a loaded layout.
    void ReapplyCaptions();
    ivMenuView* GetMenuView() const { return m_menuView.get(); }
    // Makes the menu bar anew from the command bars (classic themes).
    void RebuildMenus();
    // The tooltip of a control as the options want it: its caption, with its shortcut.
    std::string TooltipOf(const ivCommandControl& control) const;
    // The first shortcut of a command, as the menus show it; empty when it has none.
    std::string ShortcutTextOf(int id, bool translated) const;
    ivStatusBar* GetStatusBar() const;

protected:
    // The internal steps.
    virtual bool AddBarControl(const ivCommandRow& row);
    virtual bool AddTaskItem(const ivCommandRow& row);
    virtual bool AddGridItem(const ivCommandRow& row);
    // Where the next pane goes: its AUI name and placement (a saved place when the pane
    // layout holds one).
    virtual wxAuiPaneInfo CreatePane(const std::string& name, const std::string& title,
                                     uint32_t flags);

private:
    enum class ContainerKind { MenuPopup, RibbonTab, ToolBar, TaskPanel, PropertyGrid };
    struct Container {
        ContainerKind kind;
        ivCommandBar* bar = nullptr;  // popup, ribbon tab or toolbar
        wxWindow* window = nullptr;   // task panel or property grid
    };
    struct Pane {
        std::string paneName;  // "pane1", ...
        std::string title;
        wxWindow* window = nullptr;
        ContainerKind kind = ContainerKind::TaskPanel;
        bool isView = false;
    };
    struct NamedItem {
        wxWindow* window = nullptr;      // MODE image, PROGRESS bar
        ivTaskPanel* panel = nullptr;    // task item
        void* taskItem = nullptr;        // ivTaskPanel::Item
        wxPropertyGrid* grid = nullptr;  // grid item
        wxPGProperty* property = nullptr;
    };

    ivMainFrameHost* Host() const;
    // The AUI dock side of the dock bits of container flags.
    static int DockDirection(uint32_t flags);
    Container* Current() { return m_containers.empty() ? nullptr : &m_containers.back(); }
    bool IsRibbonBar() const;
    // A control for row (the command part of AddCommand), its image loaded.
    std::unique_ptr<ivCommandControl> MakeControl(const ivCommandRow& row) const;
    void ShowControl(ivCommandBar& bar, ivCommandControl& control);
    // Refreshes every window that shows control.
    void RefreshControl(ivCommandControl& control);
    ivCommandControl* FindListControl(int id) const;
    void RealiseToolBar(ivCommandBar& bar);
    void PlaceToolBar(ivCommandBar& bar);
    wxWindow* AddPaneWindow(const std::string& name, const std::string& title, uint32_t flags,
                            ContainerKind kind, const std::function<wxWindow*()>& make);
    // Paints the indicator now (urgent), or when it was not painted for a while.
    void RepaintIndicators(wxWindow* window, bool urgent);
    static constexpr int kRepaintInterval = 200;  // milliseconds
    static constexpr int kLongestRepaint = 60;
    // Gives a pane the width its window needs, at least the standard or saved one.
    void FitPane(wxWindow* window);
    ivMenuView* EnsureMenuView();
    // The context menu of the bars: the toolbars and panes to show, and "Customize...".
    void ShowBarsMenu(wxWindow* window);
    ivCommandBar* BarOf(const ivCommandControl* control) const;

    wxFrame* m_frame = nullptr;
    std::vector<Container> m_containers;
    std::vector<ivShortcut> m_shortcuts;  // collected until FinishCommands
    std::vector<ivShortcut> m_shortcutTable;
    std::vector<ivShortcut> m_defaultShortcuts;
    std::vector<int> m_rarelyUsed;
    std::map<std::string, Pane> m_panes;
    std::map<std::string, NamedItem> m_items;
    std::string m_lastPane;
    std::vector<std::string> m_paneOrder;
    int m_tearOffCounter = -1;
    std::chrono::steady_clock::time_point m_lastRepaint;
    std::unique_ptr<ivMenuView> m_menuView;
    // Lets the recent-file list's observer know whether this builder is still there.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
