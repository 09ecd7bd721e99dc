#pragma once

#include <string>
#include <string_view>

namespace platform {

// Replaces the file at path with bytes, atomically: the bytes go to a temporary file in the
// same folder, which is flushed to disk and then renamed over the target. A symbolic link
// is followed, so the file it points at is replaced; an existing file's permissions are kept.
// On any failure the previous file is left untouched and the temporary file is removed;
// error, when given, receives the reason.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFileBytes(const std::string& path, std::string& bytes);

// Removes a file; false when it did not exist or could not be removed.
bool RemoveFile(const std::string& path);

}  // namespace platform
