#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Why reading or writing a file failed: the system's error number, or a reason the system
// has no number for. Higher layers turn it into text for the user (DescribeFileError).
struct FileError {
    enum class Kind {
        None,
        System,          // code holds the errno value
        NotRegularFile,  // a folder, a pipe, a device
        SymbolicLink,    // a link where only a plain file may be replaced
        TooLarge,        // larger than the limit the caller set (limit)
    };
    Kind kind = Kind::None;
    int code = 0;
    uint64_t limit = 0;
    std::string path;  // the file it concerns
};

struct AtomicWriteOptions {
    // Flush the file and its folder to disk before reporting success. Files that can be
    // made again (generated pages) skip it: thousands of flushes would dominate a run.
    bool durable = true;
    // Replace the file a symbolic link points at (a user's document). Without it a link at
    // the path is refused, so that generated output can never leave its folder.
    bool followLinks = true;
};

// Replaces the file at path with bytes, atomically: the bytes go to a temporary file in the
// same folder, which is then renamed over the target. Only a regular file that the user may
// write is replaced; an existing file's permissions are kept. On any failure the previous
// file is left untouched and nothing is left behind; error, when given, receives the reason.
//
// The temporary file is unnamed while it is written where the file system allows it, and
// otherwise named ".<name>.qvsave-XXXXXX"; it is locked (flock) for as long as the save
// runs. A save that was killed may leave such a named file; every later save of the same
// file removes those that no living save holds.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         FileError* error = nullptr, AtomicWriteOptions options = {});

// Whether a writer may create or replace the file at path: nothing is there, or a plain file
// that the user may write (not a link, a pipe or a device). For writers that would otherwise
// write through whatever they find; false with the reason otherwise.
bool MayReplace(const std::string& path, FileError* error = nullptr);

// The name prefix of the temporary files that saves of the file called name use (tests).
std::string AtomicWriteTempPrefix(const std::string& name);

// Temporary files are always named, never unnamed, while this is set (tests of the path a
// file system without unnamed temporary files takes).
void SetNamedTempFilesOnly(bool named);

inline constexpr uint64_t kNoSizeLimit = UINT64_MAX;

// Reads a whole regular file (never waiting on a pipe or a device); false when it cannot be
// opened or read, or holds more than maxBytes.
bool ReadWholeFileBytes(const std::string& path, std::string& bytes, FileError* error = nullptr,
                        uint64_t maxBytes = kNoSizeLimit);

// Removes a file; false when it did not exist or could not be removed.
bool RemoveFile(const std::string& path);

// Creates a new folder that only the user may enter, named "<parent>quorvane-<pid>-XXXXXX";
// its path ending in "/", or empty when it cannot be made. Folders of this kind whose maker
// no longer runs (it was killed before it could remove its folder) are removed first.
std::string MakePrivateDirectory(const std::string& parent);

// Removes a folder and everything in it, never following a link out of it.
void RemoveDirectoryTree(const std::string& path);

}  // namespace platform
