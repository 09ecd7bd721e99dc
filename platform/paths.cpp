#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace platform {
namespace fs = std::filesystem;

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string HomeDirectory() {
    std::string home = Environment("HOME");
    return home.empty() ? std::string("/") : home;
}

// Reads XDG_<name>_DIR from user-dirs.dirs, expanding "$HOME".
std::string XdgUserDirectory(const std::string& configHome, const std::string& name) {
    std::ifstream in(configHome + "/user-dirs.dirs");
    const std::string key = "XDG_" + name + "_DIR=";
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) != 0) {
            continue;
        }
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        if (value.compare(0, 5, "$HOME") == 0) {
            value = HomeDirectory() + value.substr(5);
        }
        return value;
    }
    return {};
}

std::string ConfigHome() {
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') {
        config = HomeDirectory() + "/.config";
    }
    return config;
}

}  // namespace

std::string WithTrailingSeparator(std::string path) {
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path;
}

std::string ExecutableDirectory() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) {
        return "./";
    }
    return WithTrailingSeparator(exe.parent_path().string());
}

std::string UserConfigDirectory(const std::string& vendor, const std::string& application) {
    const std::string dir = ConfigHome() + "/" + vendor + "/" + application;
    MakeDirectories(dir);
    return WithTrailingSeparator(dir);
}

std::string UserStateDirectory(const std::string& vendor, const std::string& application) {
    std::string state = Environment("XDG_STATE_HOME");
    if (state.empty() || state.front() != '/') {
        state = HomeDirectory() + "/.local/state";
    }
    const std::string dir = state + "/" + vendor + "/" + application;
    MakeDirectories(dir);
    return WithTrailingSeparator(dir);
}

std::string UserDocumentsDirectory() {
    std::string dir = XdgUserDirectory(ConfigHome(), "DOCUMENTS");
    std::error_code ec;
    if (dir.empty() || !fs::is_directory(dir, ec)) {
        dir = HomeDirectory() + "/Documents";
        if (!fs::is_directory(dir, ec)) {
            dir = HomeDirectory();
        }
    }
    return WithTrailingSeparator(dir);
}

std::string EnvironmentTempDirectory() {
    for (const char* name : {"TEMP", "TMPDIR"}) {
        const std::string value = Environment(name);
        if (!value.empty()) {
            return WithTrailingSeparator(value);
        }
    }
    return "/tmp/";
}

bool MakeDirectories(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    std::error_code ec;
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

}  // namespace platform
