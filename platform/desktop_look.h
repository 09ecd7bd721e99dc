#pragma once

#include <string>

class wxMenu;
class wxWindow;

namespace platform {

// Menus and buttons show their images: command images are part of a command's look, while
// the desktop's own default hides them in menus.
void ShowImagesInMenus();

// A menu that is open and has changed (entries added while it is shown) takes the size of
// its entries again.
void RefitOpenMenu(wxMenu& menu);

// Paints what waits to be painted in window's top-level window now, while the program is
// busy in a command: only painting is done meanwhile, the user's input waits. Gives up after
// at most milliseconds.
void PaintNow(wxWindow& window, int milliseconds);

// Whether two UTF-8 texts are the same when case is ignored, by the Unicode rules whatever
// the program's locale ("Übersicht" and "üBERSICHT" are).
bool SameIgnoringCase(const std::string& a, const std::string& b);

}  // namespace platform
