#include "platform/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace platform {
namespace {

using Kind = FileError::Kind;

bool g_namedTempFilesOnly = false;

// The part of a file's name that its temporary file repeats, so that the temporary name
// stays within the 255 bytes a name may have.
constexpr size_t kMaxNameInTempName = 200;
constexpr const char* kTempMarker = ".qvsave-";
constexpr size_t kRandomChars = 6;

bool Fail(FileError* error, Kind kind, const std::string& path, int code = 0) {
    if (error != nullptr) {
        *error = FileError{kind, code, 0, path};
    }
    return false;
}

bool FailWithErrno(FileError* error, const std::string& path) {
    return Fail(error, Kind::System, path, errno);
}

// The file a path finally names, following links; the path itself when it does not exist yet.
std::string ResolveTarget(const std::string& path) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

std::string RandomSuffix() {
    static constexpr char kChars[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char random[kRandomChars] = {};
    if (getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
        // Without the kernel's random numbers the names only need to differ.
        static unsigned counter = 0;
        const unsigned seed = static_cast<unsigned>(getpid()) * 7919u + ++counter;
        for (size_t i = 0; i < kRandomChars; ++i) {
            random[i] = static_cast<unsigned char>(seed >> (i * 5));
        }
    }
    std::string suffix;
    for (const unsigned char r : random) {
        suffix.push_back(kChars[r % (sizeof kChars - 1)]);
    }
    return suffix;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes the temporary files that killed saves of one file left in its folder. A save holds
// a lock on its temporary file while it runs, and the lock dies with the process, so a file
// that can be locked belongs to no living save.
void RemoveLeftovers(const std::string& folder, const std::string& folderPrefix,
                     const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() != prefix.size() + kRandomChars || !name.starts_with(prefix)) {
            continue;
        }
        const std::string path = folderPrefix + std::string(name);
        struct stat named {};
        // Only plain files are opened: opening a device may do something.
        if (::lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) {
            continue;
        }
        int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        }
        if (fd < 0) {
            continue;
        }
        struct stat held {};
        if (::fstat(fd, &held) == 0 && SameFile(held, named) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
            SameFile(held, named)) {
            ::unlink(path.c_str());
        }
        ::close(fd);
    }
    ::closedir(dir);
}

// A temporary file being written: unnamed (path empty) or named, locked either way.
struct TempFile {
    int fd = -1;
    std::string path;

    void Discard() {
        if (!path.empty()) {
            ::unlink(path.c_str());
            path.clear();
        }
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
};

bool OpenTemp(const std::string& folder, const std::string& namePrefix, bool unnamed,
              TempFile& temp) {
    if (unnamed) {
        temp.fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (temp.fd >= 0) {
            ::flock(temp.fd, LOCK_EX);
            return true;
        }
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = namePrefix + RandomSuffix();
        const int fd =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return false;
        }
        ::flock(fd, LOCK_EX);
        // Another save may have swept the file away between its creation and the lock.
        struct stat held {
        }, named{};
        if (::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 &&
            SameFile(held, named)) {
            temp.fd = fd;
            temp.path = path;
            return true;
        }
        ::close(fd);
    }
    errno = EEXIST;
    return false;
}

// Gives an unnamed temporary file a name, so that it can be renamed over the target.
bool NameTemp(TempFile& temp, const std::string& namePrefix) {
    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", temp.fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = namePrefix + RandomSuffix();
        if (::linkat(AT_FDCWD, self, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temp.path = path;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

bool Fill(int fd, mode_t mode, std::string_view bytes, bool durable) {
    return (::fchmod(fd, mode) == 0 || errno == EPERM) && WriteAll(fd, bytes) &&
           (!durable || ::fsync(fd) == 0);
}

// Checks what is at target before it is replaced; existing receives its status when there
// is something. Only a plain file that the user may write is replaced, and a link only when
// links are followed (then it is one whose target does not exist yet).
bool CheckTarget(const std::string& target, const std::string& path, bool followLinks,
                 struct stat& existing, bool& exists, FileError* error) {
    exists = ::lstat(target.c_str(), &existing) == 0;
    if (!exists) {
        return true;
    }
    if (S_ISLNK(existing.st_mode)) {
        return followLinks || Fail(error, Kind::SymbolicLink, path);
    }
    if (!S_ISREG(existing.st_mode)) {
        return Fail(error, Kind::NotRegularFile, path);
    }
    // The rename would replace a file that the folder's permission lets go but the file's
    // own forbids; a file without any write permission is read-only even to the superuser.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return FailWithErrno(error, path);
    }
    if ((existing.st_mode & 0222) == 0) {
        errno = EACCES;
        return FailWithErrno(error, path);
    }
    return true;
}

}  // namespace

bool MayReplace(const std::string& path, FileError* error) {
    struct stat existing {};
    bool exists = false;
    return CheckTarget(path, path, false, existing, exists, error);
}

std::string AtomicWriteTempPrefix(const std::string& name) {
    return "." + name.substr(0, kMaxNameInTempName) + kTempMarker;
}

void SetNamedTempFilesOnly(bool named) {
    g_namedTempFilesOnly = named;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, FileError* error,
                         AtomicWriteOptions options) {
    if (path.empty() || path.back() == '/') {
        return Fail(error, Kind::NotRegularFile, path);
    }
    const std::string target = options.followLinks ? ResolveTarget(path) : path;
    const size_t slash = target.rfind('/');
    const std::string folderPrefix = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string folder = folderPrefix.empty() ? std::string(".") : folderPrefix;
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);

    struct stat existing {};
    bool exists = false;
    if (!CheckTarget(target, path, options.followLinks, existing, exists, error)) {
        return false;
    }
    mode_t mode = 0666;
    if (exists && S_ISREG(existing.st_mode)) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode &= ~mask;
    }

    const std::string namePrefix = folderPrefix + AtomicWriteTempPrefix(base);
    RemoveLeftovers(folder, folderPrefix, AtomicWriteTempPrefix(base));
    TempFile temp;
    bool unnamed = !g_namedTempFilesOnly;
    for (;;) {
        if (!OpenTemp(folder, namePrefix, unnamed, temp)) {
            return FailWithErrno(error, path);
        }
        if (!Fill(temp.fd, mode, bytes, options.durable)) {
            FailWithErrno(error, path);
            temp.Discard();
            return false;
        }
        if (!temp.path.empty() || NameTemp(temp, namePrefix)) {
            break;
        }
        // No way to name an unnamed file (no /proc): write it again under a name.
        temp.Discard();
        unnamed = false;
    }
    if (::rename(temp.path.c_str(), target.c_str()) != 0) {
        FailWithErrno(error, path);
        temp.Discard();
        return false;
    }
    ::close(temp.fd);
    // Make the rename itself durable.
    const int dirFd = options.durable ? ::open(folder.c_str(), O_RDONLY | O_DIRECTORY) : -1;
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool ReadWholeFileBytes(const std::string& path, std::string& bytes, FileError* error,
                        uint64_t maxBytes) {
    // Non-blocking, so that opening a named pipe does not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return FailWithErrno(error, path);
    }
    const auto fail = [&](Kind kind) {
        const int code = errno;
        ::close(fd);
        Fail(error, kind, path, code);
        if (error != nullptr) {
            error->limit = maxBytes;
        }
        return false;
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return fail(Kind::System);
    }
    if (!S_ISREG(st.st_mode)) {
        return fail(Kind::NotRegularFile);
    }
    if (static_cast<uint64_t>(st.st_size) > maxBytes) {
        return fail(Kind::TooLarge);
    }
    bytes.clear();
    bytes.reserve(static_cast<size_t>(st.st_size));
    // Read until the end rather than trusting the size: the file may grow meanwhile.
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(Kind::System);
        }
        if (n == 0) {
            break;
        }
        if (bytes.size() + static_cast<uint64_t>(n) > maxBytes) {
            return fail(Kind::TooLarge);
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

bool RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

namespace {

// Private folders carry the process id of their maker ("quorvane-<pid>-XXXXXX"), so that a
// folder whose maker was killed before it could remove it is recognised and removed later.
constexpr const char* kPrivatePrefix = "quorvane-";

void RemoveAbandonedPrivateDirectories(const std::string& parent) {
    DIR* dir = ::opendir(parent.empty() ? "." : parent.c_str());
    if (dir == nullptr) {
        return;
    }
    const size_t prefix = std::strlen(kPrivatePrefix);
    std::vector<std::string> abandoned;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix, kPrivatePrefix) != 0) {
            continue;
        }
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + prefix, &end, 10);
        // The maker's id, a dash and mkdtemp's six characters, nothing else.
        if (pid <= 0 || end == name.c_str() + prefix || *end != '-' || std::strlen(end) != 7) {
            continue;
        }
        const std::string path = parent + name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            info.st_uid != ::getuid()) {
            continue;
        }
        if (::kill(static_cast<pid_t>(pid), 0) == -1 && errno == ESRCH) {
            abandoned.push_back(path);
        }
    }
    ::closedir(dir);
    for (const std::string& path : abandoned) {
        RemoveDirectoryTree(path);
    }
}

}  // namespace

std::string MakePrivateDirectory(const std::string& parent) {
    RemoveAbandonedPrivateDirectories(parent);
    std::string path = parent + kPrivatePrefix + std::to_string(::getpid()) + "-XXXXXX";
    if (::mkdtemp(path.data()) == nullptr) {
        return {};
    }
    return path + "/";
}

void RemoveDirectoryTree(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

}  // namespace platform
