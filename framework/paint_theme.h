#pragma once

class wxAuiManager;

// The look of the command bars, docking panes and task panels, as the application chose it
// at start-up (the theme numbers of "/Theme": 0 "Office2000" to 6 "Ribbon"). One value for
// the whole program, as a look is.
namespace paint_theme {

inline constexpr int kNone = -1;
inline constexpr int kOffice2000 = 0;
inline constexpr int kOfficeXP = 1;
inline constexpr int kOffice2003 = 2;
inline constexpr int kNative = 3;
inline constexpr int kWhidbey = 4;
inline constexpr int kOffice2007 = 5;
inline constexpr int kRibbon = 6;

void Set(int theme);
// kNone until a theme is set.
int Get();
// Sets kOffice2000 when no theme was chosen; returns the theme.
int Ensure();
bool IsRibbon();

// The theme numbers of the docking panes, task panels and property grids for a paint theme;
// a paint theme above 6 leaves current as it is.
int PaneTheme(int paintTheme, int current);
int TaskPanelTheme(int paintTheme, int current);
int PropertyGridTheme(int paintTheme, int current);

// Gives the panes and toolbars of manager the look of the theme.
void ApplyToDocking(wxAuiManager& manager, int paintTheme);

}  // namespace paint_theme
