#pragma once

#include <functional>
#include <string>
#include <vector>

class ivCommandBar;
struct ivCommandControl;
class wxFrame;
class wxRibbonBar;

// The ribbon bar of the ribbon theme on wxRibbonBar: one page per tab, one panel with a
// button bar per group. A click on a button is sent on to the frame as the menu command of
// its identifier, and the buttons follow the frame's update handlers.
namespace ribbon_view {

using RecentFiles = std::function<std::vector<std::string>()>;

wxRibbonBar* CreateRibbonBar(wxFrame& frame, RecentFiles recentFiles);
// A page for tab on the ribbon of ribbonBar.
void AddTab(ivCommandBar& ribbonBar, ivCommandBar& tab);
// A panel for group (a control of kind RibbonGroup) on tab's page.
void AddGroup(ivCommandBar& tab, ivCommandControl& group);
// A button for control in the group's button bar.
void AddButton(ivCommandControl& group, ivCommandControl& control, const std::string& tooltip);
// Shows the caption of control (a button of group) again.
void SetButtonLabel(ivCommandControl& group, const ivCommandControl& control);
// Lays the ribbon out once its pages are complete.
void Realise(ivCommandBar& ribbonBar);

}  // namespace ribbon_view
