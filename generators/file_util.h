#pragma once

#include "platform/file_io.h"

#include <string>
#include <string_view>

// Small file helpers shared by the generators and the converter.

// The whole content of a regular file; empty when it cannot be opened or read.
std::string ReadWholeFile(const std::string& path);

// Creates or replaces the file at path with text. The bytes go to a temporary file beside
// it that is then renamed over the path, so a reader never sees half a file. Only a plain
// file the user may write is replaced: a symbolic link (or a pipe, a device) is refused,
// never written through, so that output stays in its folder. False when the file could not
// be written (error, when given, says why); the previous file is then left as it was.
bool WriteWholeFile(const std::string& path, std::string_view text,
                    platform::FileError* error = nullptr);

// A new GUID in registry form, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; empty when none can
// be made. Names temporary files.
std::string NewGuidString();
