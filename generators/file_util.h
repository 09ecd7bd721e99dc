#pragma once

#include <string>
#include <string_view>

// Small file helpers shared by the generators and the converter.

// The whole content of a regular file; empty when it cannot be opened or read.
std::string ReadWholeFile(const std::string& path);

// Creates or replaces the file at path with text. The bytes go to a temporary file beside
// it that is then renamed over the path, so a reader never sees half a file and a symbolic
// link at path is replaced, not followed. False when the file could not be written; the
// previous file is then left as it was.
bool WriteWholeFile(const std::string& path, std::string_view text);

// A new GUID in registry form, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; empty when none can
// be made. Names temporary files.
std::string NewGuidString();
