#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class wxAuiToolBar;
class wxMenu;
class wxRibbonBar;
class wxRibbonButtonBar;
class wxRibbonPage;
class wxRibbonPanel;
class wxWindow;

class ivCommandBar;

enum class ivControlKind {
    Button,
    RecentFileList,  // the recent files, in place of the control
    EditBox,
    ComboBox,
    FontNameBox,
    FontSizeBox,
    ColourPicker,     // a split button; its drop-down holds the two below
    AutomaticColour,  // identifier of the picker + 1
    ColourSelector,   // identifier of the picker + 2
    Popup,            // a menu popup; its drop-down bar holds the entries
    RibbonGroup,      // a group of a ribbon tab; its drop-down bar holds the controls
};

// A control of a command bar: what the command table said of it, and the window showing it
// where it is a window of its own (an edit or combo box in a toolbar).
struct ivCommandControl {
    ivControlKind kind = ivControlKind::Button;
    int id = 0;
    std::string caption;
    std::string description;
    std::string tooltip;
    std::string category;
    std::string parameter;     // the command name
    uint32_t buttonStyle = 0;  // command_flags::kStyle...
    bool beginGroup = false;
    bool hasImage = false;
    int width = 0;  // pixels of an edit or combo box; 0 keeps the control's default
    bool dropDownList = false;
    uint32_t flags = 0;  // kStretchBox and the flags passed on unchanged
    std::unique_ptr<ivCommandBar> dropDown;

    // The entries and the selection of a combo box.
    std::vector<std::string> entries;
    int selection = -1;

    wxWindow* window = nullptr;

    // An edit or combo box stretches with a stretched bar.
    static constexpr uint32_t kStretchBox = 0x20;

    bool IsBox() const;
    // A deep copy, without the window.
    std::unique_ptr<ivCommandControl> Clone() const;
};

enum class ivBarType { MenuBar, RibbonBar, RibbonTab, ToolBar, Popup };

// A menu bar, popup, ribbon bar or tab, or toolbar with its controls, and the window that
// shows it once it is made.
class ivCommandBar {
public:
    ivCommandBar(ivBarType type, std::string title);
    ~ivCommandBar();

    ivBarType type;
    std::string name;
    std::string title;
    int barId = 0;
    uint32_t containerFlags = 0;
    bool customisable = true;
    int tearOffId = 0;  // below 0 for a tear-off popup
    int tearOffWidth = 0;

    std::vector<std::unique_ptr<ivCommandControl>> controls;

    wxMenu* menu = nullptr;           // popup
    wxAuiToolBar* toolbar = nullptr;  // toolbar
    wxRibbonBar* ribbon = nullptr;    // ribbon bar
    wxRibbonPage* page = nullptr;     // ribbon tab
    wxRibbonPanel* panel = nullptr;   // ribbon group
    wxRibbonButtonBar* buttons = nullptr;

    ivCommandControl* Add(std::unique_ptr<ivCommandControl> control);
    // The first control with id, in this bar or, with nested, also in the drop-downs below.
    ivCommandControl* Find(int id, bool nested = true) const;
    // Every control of this bar and of the drop-downs below it, parents first.
    void ForEach(const std::function<void(ivCommandControl&)>& visit) const;
};

// Options of the command bars that the user can change and that are kept with the layout.
struct ivCommandBarOptions {
    bool fullMenus = true;  // rarely used commands are shown at once
    bool largeIcons = false;
    bool showTooltips = true;
    bool shortcutsInTooltips = true;

    std::string Format() const;
    // Missing or unknown entries keep their current value.
    void Parse(const std::string& text);
    friend bool operator==(const ivCommandBarOptions&, const ivCommandBarOptions&) = default;
};

// The command bars of a main window: the menu bar or the ribbon bar first, then the
// toolbars; the rarely used commands; the options.
class ivCommandBars {
public:
    ivCommandBars();
    ~ivCommandBars();

    ivCommandBar* Add(std::unique_ptr<ivCommandBar> bar);
    int GetCount() const { return static_cast<int>(m_bars.size()); }
    ivCommandBar* GetAt(int index) const;
    ivCommandBar* GetFirst() const { return GetAt(0); }
    // The bar whose title equals title without regard to case.
    ivCommandBar* FindByTitle(const std::string& title) const;
    ivCommandBar* FindByBarId(int barId) const;
    // The first control with id in any bar.
    ivCommandControl* FindControl(int id) const;

    void HideCommands(const std::vector<int>& ids);
    bool IsHidden(int id) const;
    const std::vector<int>& HiddenCommands() const { return m_hidden; }

    ivCommandBarOptions& Options() { return m_options; }
    const ivCommandBarOptions& Options() const { return m_options; }

private:
    std::vector<std::unique_ptr<ivCommandBar>> m_bars;
    std::vector<int> m_hidden;
    ivCommandBarOptions m_options;
};

// Text compared without regard to the case of ASCII and other Latin letters.
bool EqualsIgnoringCase(const std::string& a, const std::string& b);
// The caption without "&" markers ("&&" stays one "&"), for buttons and lists.
std::string StripMnemonic(const std::string& caption);
