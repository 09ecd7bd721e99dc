#pragma once

#include <string>

namespace platform {

// Appends "/" to a non-empty path that does not already end with one.
std::string WithTrailingSeparator(std::string path);

// Folder of the running program (from /proc/self/exe), ending in "/".
std::string ExecutableDirectory();

// The per-user configuration folder of vendor and application, following XDG
// ($XDG_CONFIG_HOME or ~/.config, then vendor/application), ending in "/". Created when
// missing.
std::string UserConfigDirectory(const std::string& vendor, const std::string& application);

// The per-user state folder of vendor and application ($XDG_STATE_HOME or ~/.local/state,
// then vendor/application), ending in "/". Created when missing.
std::string UserStateDirectory(const std::string& vendor, const std::string& application);

// The user's documents folder (XDG user dirs, else ~/Documents when it exists, else home),
// ending in "/".
std::string UserDocumentsDirectory();

// The temporary folder the environment names: $TEMP, else $TMPDIR, else "/tmp/"; ending in "/".
std::string EnvironmentTempDirectory();

// Creates a folder and its missing parents; true when it exists afterwards.
bool MakeDirectories(const std::string& path);

// Whether a regular file exists at path.
bool FileExists(const std::string& path);

}  // namespace platform
