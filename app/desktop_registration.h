#pragma once

#include <string>

// Registering the editor with the desktop: a desktop entry that opens ".etf" documents and the
// MIME type for them, in the user's data folder ($XDG_DATA_HOME, else ~/.local/share). The
// desktop's caches are refreshed by their own tools, started without waiting. Run from the
// build folder, the icons beside the program go into the user's icon theme too.

inline constexpr const char* kEtfMimeType = "application/x-quorvane-etf";
inline constexpr const char* kDesktopEntryName = "quorvane-editor.desktop";
// Icon names in the desktop's icon theme: the application's and that of its documents.
inline constexpr const char* kApplicationIcon = "quorvane-editor";
inline constexpr const char* kEtfIcon = "application-x-quorvane-etf";

// The user's data folder, ending in "/".
std::string UserDataDirectory();

// The desktop entry for the program at executablePath; for "quorvane-editor" it is the entry
// the package installs.
std::string DesktopEntryText(const std::string& executablePath);

// The MIME type definition of ".etf" documents, the same as the package installs.
std::string MimePackageText();

bool RegisterWithDesktop(const std::string& executablePath);
bool UnregisterFromDesktop();
