#include "platform/desktop.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

namespace platform {
namespace {

std::mutex g_mutex;
Launcher g_launcher;

std::string FindInPath(const std::string& program) {
    if (program.find('/') != std::string::npos) {
        return access(program.c_str(), X_OK) == 0 ? program : std::string();
    }
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = dirs.find(':', start);
        std::string dir =
            dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (dir.empty()) {
            dir.push_back('.');
        }
        const std::string candidate = dir + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return {};
}

// Forks twice so that the started program is adopted by init and never left as a zombie.
bool SpawnDetached(const std::vector<std::string>& argv, const std::string& workingDirectory) {
    if (argv.empty()) {
        return false;
    }
    const std::string program = FindInPath(argv[0]);
    if (program.empty()) {
        return false;
    }
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    int status_pipe[2];
    if (pipe2(status_pipe, O_CLOEXEC) != 0) {
        return false;
    }
    const pid_t child = fork();
    if (child < 0) {
        close(status_pipe[0]);
        close(status_pipe[1]);
        return false;
    }
    if (child == 0) {
        setsid();
        const pid_t grandchild = fork();
        if (grandchild != 0) {
            _exit(grandchild < 0 ? 1 : 0);
        }
        if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0) {
            const char fail = 1;
            (void)!write(status_pipe[1], &fail, 1);
            _exit(127);
        }
        execv(program.c_str(), args.data());
        const char fail = 1;
        (void)!write(status_pipe[1], &fail, 1);
        _exit(127);
    }
    close(status_pipe[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes on a successful exec; a byte means the program could not start.
    char failed = 0;
    ssize_t n;
    while ((n = read(status_pipe[0], &failed, 1)) < 0 && errno == EINTR) {
    }
    close(status_pipe[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
}

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
