#pragma once

#include <string>

// Folders the program works with; each ends in "/".

// Folder of the program file.
std::string GetModuleDirectory();

// "/ConfPath", else the per-user configuration folder (created when missing).
std::string GetConfDirectory();

// "/TempPath", else $TEMP, else $TMPDIR, else "/tmp/".
std::string GetTempDirectory();
