#include "generators/file_util.h"

#include "platform/file_io.h"
#include "platform/guid.h"

std::string ReadWholeFile(const std::string& path) {
    std::string bytes;
    if (!platform::ReadWholeFileBytes(path, bytes)) {
        bytes.clear();
    }
    return bytes;
}

// Generated files can be made again, so they are not flushed to disk one by one.
bool WriteWholeFile(const std::string& path, std::string_view text, platform::FileError* error) {
    return platform::WriteFileAtomically(path, text, error,
                                         {.durable = false, .followLinks = false});
}

std::string NewGuidString() {
    return platform::NewGuidString();
}
