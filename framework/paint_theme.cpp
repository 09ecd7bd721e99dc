#include "framework/paint_theme.h"

// The dock art needs the pane declarations first.
#include <wx/aui/framemanager.h>

#include <wx/aui/dockart.h>
#include <wx/font.h>
#include <wx/settings.h>

namespace paint_theme {

namespace {

int g_theme = kNone;

int Mapped(int paintTheme, int current, const int (&table)[7]) {
    return paintTheme >= 0 && paintTheme <= 6 ? table[paintTheme] : current;
}

}  // namespace

void Set(int theme) {
    g_theme = theme;
}

int Get() {
    return g_theme;
}

int Ensure() {
    if (g_theme == kNone) {
        g_theme = kOffice2000;
    }
    return g_theme;
}

bool IsRibbon() {
    return g_theme == kRibbon;
}

int PaneTheme(int paintTheme, int current) {
    return Mapped(paintTheme, current, {1, 1, 2, 3, 6, 10, 10});
}

int TaskPanelTheme(int paintTheme, int current) {
    return Mapped(paintTheme, current, {3, 4, 5, 2, 8, 5, 5});
}

int PropertyGridTheme(int paintTheme, int current) {
    return Mapped(paintTheme, current, {3, 7, 2, 1, 6, 2, 2});
}

void ApplyToDocking(wxAuiManager& manager, int paintTheme) {
    wxAuiDockArt* art = manager.GetArtProvider();
    if (art == nullptr) {
        return;
    }
    // The older looks are flat; the later ones shade captions and bars.
    const bool shaded = paintTheme == kOffice2003 || paintTheme == kWhidbey ||
                        paintTheme == kOffice2007 || paintTheme == kRibbon;
    art->SetMetric(wxAUI_DOCKART_GRADIENT_TYPE,
                   shaded ? wxAUI_GRADIENT_VERTICAL : wxAUI_GRADIENT_NONE);
    if (paintTheme == kOffice2007 || paintTheme == kRibbon) {
        art->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_COLOUR, wxColour(0x6F, 0x9F, 0xD8));
        art->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_GRADIENT_COLOUR, wxColour(0xC3, 0xDA, 0xF5));
        art->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_COLOUR, wxColour(0xD5, 0xE4, 0xF2));
        art->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_GRADIENT_COLOUR, wxColour(0xEA, 0xF2, 0xFB));
    }
    manager.Update();
}

}  // namespace paint_theme
