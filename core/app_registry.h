#pragma once

#include <string>

namespace platform {
class RegistryStore;
}

// The per-user store of what the program remembers beside its settings: recent files
// ("Recent File List"), the news position ("Tip"/"LastID"), bar and pane layouts. It lies in
// the user's configuration folder and is opened on first use.
platform::RegistryStore& AppRegistry();

// Opens the store over another file (tests); the previous one is written back first.
void SetAppRegistryPath(const std::string& path);

// Writes the store back and closes it.
void ReleaseAppRegistry();
