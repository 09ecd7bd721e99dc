#pragma once

#include <string>
#include <utility>
#include <vector>

namespace platform {
class RegistryStore;
}

// How the main window's layouts are kept in the registry store: the command bars (toolbar
// places, shortcuts, options) in section "CommandBars", the docking panes in section
// "DockingPaneLayouts", each with the program version that wrote it.
namespace layout_store {

inline constexpr const char* kBarsSection = "CommandBars";
inline constexpr const char* kPaneSection = "DockingPaneLayouts";
inline constexpr const char* kVersionEntry = "Version";
inline constexpr const char* kBarsLayoutEntry = "Layout";
inline constexpr const char* kShortcutsEntry = "Shortcuts";
inline constexpr const char* kOptionsEntry = "Options";
inline constexpr const char* kPaneLayoutEntry = "PaneLayout";

// Whether the layout kept in section may be applied: "/LoadLayout" is not 0 and the section's
// "Version" is runningVersion in all four parts. Unless "/LoadLayout" is 0, "Version" is
// rewritten with runningVersion whatever the comparison gave.
bool CheckLayoutVersion(platform::RegistryStore& registry, const std::string& section,
                        const std::string& runningVersion);

// A docking layout as wxAuiManager writes it ("layout2|name=...;...|dock_size(1,0,0)=180|"),
// split into its panes (by name) and its dock sizes (by dock).
struct Perspective {
    struct Dock {
        int direction = 0;
        int layer = 0;
        int row = 0;
        int size = 0;
    };
    std::vector<std::pair<std::string, std::string>> panes;  // name, the pane's whole entry
    std::vector<Dock> docks;
};

// A text that is no layout gives an empty one; entries that do not parse are left out.
Perspective Parse(const std::string& text);
std::string Format(const Perspective& perspective);

// The panes of perspective named in names, with the sizes of the docks whose layer is in
// layers.
Perspective Select(const Perspective& perspective, const std::vector<std::string>& names,
                   const std::vector<int>& layers);

// current, with the entries of saved's panes (those current has) and saved's dock sizes in
// place of its own.
Perspective Merge(const Perspective& current, const Perspective& saved);

}  // namespace layout_store
