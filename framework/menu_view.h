#pragma once

#include <wx/event.h>

#include <functional>
#include <string>
#include <vector>

class ivCommandBar;
class ivCommandBars;
struct ivCommandControl;
struct ivShortcut;
class wxFrame;
class wxMenu;
class wxMenuBar;

// Shows the menu bar of the command bars as the frame's wxMenuBar: one menu per popup, the
// entries with their images and shortcuts, separators for groups, the recent files in place
// of the recent-file control. Rarely used commands are left out of a menu until it is
// expanded (its last entry, or a pause on that entry); a menu folds again once closed.
class ivMenuView : public wxEvtHandler {
public:
    using ShortcutLookup = std::function<std::string(int id)>;
    using RecentFiles = std::function<std::vector<std::string>()>;

    ivMenuView(wxFrame& frame, ivCommandBars& bars, ShortcutLookup shortcuts,
               RecentFiles recentFiles);
    ~ivMenuView() override;

    // Makes the frame's menu bar anew from the first command bar.
    void Rebuild();
    // Refreshes the entries of the menu that holds the recent files.
    void RefreshRecentFiles();
    // Shows the rarely used commands of popup's menu (expanded) or hides them again.
    void SetExpanded(ivCommandBar& popup, bool expanded);
    bool IsExpanded(const ivCommandBar& popup) const;

    // The identifier of the entry that expands the menu of the n-th popup of the bar.
    static int ExpandId(int index);
    static constexpr int kMostPopups = 64;

private:
    wxMenu* BuildMenu(ivCommandBar& popup);
    void FillMenu(ivCommandBar& popup);
    void AppendRecentFiles(wxMenu& menu);
    void AppendControl(wxMenu& menu, ivCommandControl& control);
    bool HasHiddenEntries(const ivCommandBar& popup) const;
    ivCommandBar* PopupOfExpandId(int id) const;
    ivCommandBar* PopupOfMenu(const wxMenu* menu) const;
    void OnHighlight(wxMenuEvent& event);
    void OnExpandCommand(wxCommandEvent& event);
    void OnMenuClose(wxMenuEvent& event);

    wxFrame& m_frame;
    ivCommandBars& m_bars;
    ShortcutLookup m_shortcuts;
    RecentFiles m_recentFiles;
    std::vector<ivCommandBar*> m_popups;  // by the index of their expand entry
    std::vector<const ivCommandBar*> m_expanded;
    bool m_refitting = false;
};
