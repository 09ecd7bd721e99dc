#pragma once

class wxMenu;

namespace platform {

// Menus and buttons show their images: command images are part of a command's look, while
// the desktop's own default hides them in menus.
void ShowImagesInMenus();

// A menu that is open and has changed (entries added while it is shown) takes the size of
// its entries again.
void RefitOpenMenu(wxMenu& menu);

}  // namespace platform
