#pragma once

#include <string>

// Registering the editor with the desktop: a desktop entry that opens ".etf" documents and the
// MIME type for them, in the user's data folder ($XDG_DATA_HOME, else ~/.local/share). The
// desktop's caches are refreshed by their own tools, started without waiting.

inline constexpr const char* kEtfMimeType = "application/x-quorvane-etf";
inline constexpr const char* kDesktopEntryName = "quorvane-editor.desktop";

// The user's data folder, ending in "/".
std::string UserDataDirectory();

// The desktop entry for the program at executablePath.
std::string DesktopEntryText(const std::string& executablePath);

// The MIME type definition of ".etf" documents.
std::string MimePackageText();

bool RegisterWithDesktop(const std::string& executablePath);
bool UnregisterFromDesktop();
