#pragma once

#include <string>
#include <string_view>

namespace platform {

struct AtomicWriteOptions {
    // Flush the file and its folder to disk before reporting success. Files that can be
    // made again (generated pages) skip it: thousands of flushes would dominate a run.
    bool durable = true;
    // Replace the file a symbolic link points at (a user's document), or the link itself
    // (generated output, which must stay inside its folder).
    bool followLinks = true;
};

// Replaces the file at path with bytes, atomically: the bytes go to a temporary file in the
// same folder, which is then renamed over the target. An existing file's permissions are
// kept. On any failure the previous file is left untouched and the temporary file is
// removed; error, when given, receives the reason.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr, AtomicWriteOptions options = {});

// Reads a whole regular file (never waiting on a pipe or a device); false when it cannot be
// opened or read.
bool ReadWholeFileBytes(const std::string& path, std::string& bytes);

// Removes a file; false when it did not exist or could not be removed.
bool RemoveFile(const std::string& path);

}  // namespace platform
