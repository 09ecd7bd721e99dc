#pragma once

#include <string>

// Shows text in the message pane of the main window's status bar, where menus show their
// help; nothing happens without a main window.
void ShowStatusText(const std::string& text);
