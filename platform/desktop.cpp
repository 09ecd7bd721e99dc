#include "platform/desktop.h"

#include "platform/process.h"

#include <mutex>

namespace platform {
namespace {

std::mutex g_mutex;
Launcher g_launcher;

}  // namespace

bool StartDetached(const std::vector<std::string>& argv, const std::string& workingDirectory) {
    Launcher launcher;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        launcher = g_launcher;
    }
    return launcher ? launcher(argv, workingDirectory) : SpawnDetached(argv, workingDirectory);
}

void SetLauncher(Launcher launcher) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_launcher = std::move(launcher);
}

bool OpenWithDesktop(const std::string& fileOrUrl) {
    return !fileOrUrl.empty() && StartDetached({"xdg-open", fileOrUrl});
}

bool PrintWithDesktop(const std::string& file) {
    return !file.empty() && StartDetached({"lp", "--", file});
}

bool MailWithDesktop(const std::string& file) {
    return !file.empty() && StartDetached({"xdg-email", "--attach", file});
}

}  // namespace platform
