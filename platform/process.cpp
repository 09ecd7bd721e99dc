#include "platform/process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

// The program's path, searched in PATH unless it holds a "/"; empty when there is none.
// Done before forking, since the child of a threaded program may only make async-safe calls.
std::string FindInPath(const std::string& program) {
    if (program.empty()) {
        return {};
    }
    if (program.find('/') != std::string::npos) {
        return access(program.c_str(), X_OK) == 0 ? program : std::string();
    }
    const char* path = std::getenv("PATH");
    const std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    for (;;) {
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
            return {};
        }
        start = end + 1;
    }
}

void WaitFor(pid_t child, int& status) {
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            status = -1;
            return;
        }
    }
}

// Forks and runs argv in workingDirectory. Detached, it runs in a grandchild, so that init
// adopts it and no zombie is left. Returns the forked child (-1 when it could not be
// forked); started tells whether the program itself could be run: a pipe that closes on
// exec carries a byte back when it could not.
pid_t Launch(const std::vector<std::string>& argv, const std::string& workingDirectory, bool detach,
             bool& started) {
    started = false;
    const std::string program = argv.empty() ? std::string() : FindInPath(argv[0]);
    if (program.empty()) {
        return -1;
    }
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    int statusPipe[2];
    if (pipe2(statusPipe, O_CLOEXEC) != 0) {
        return -1;
    }
    const pid_t child = fork();
    if (child < 0) {
        close(statusPipe[0]);
        close(statusPipe[1]);
        return -1;
    }
    if (child == 0) {
        if (detach) {
            setsid();
            const pid_t grandchild = fork();
            if (grandchild != 0) {
                _exit(grandchild < 0 ? 1 : 0);
            }
        }
        if (workingDirectory.empty() || chdir(workingDirectory.c_str()) == 0) {
            execv(program.c_str(), args.data());
        }
        const char fail = 1;
        (void)!write(statusPipe[1], &fail, 1);
        _exit(127);
    }
    close(statusPipe[1]);
    char failed = 0;
    ssize_t n;
    while ((n = read(statusPipe[0], &failed, 1)) < 0 && errno == EINTR) {
    }
    close(statusPipe[0]);
    started = n == 0;
    return child;
}

}  // namespace

bool RunAndWait(const std::vector<std::string>& argv, const std::string& workingDirectory,
                int& exitStatus) {
    bool started = false;
    const pid_t child = Launch(argv, workingDirectory, false, started);
    if (child < 0) {
        return false;
    }
    int status = 0;
    WaitFor(child, status);
    if (!started || status == -1) {
        return false;
    }
    exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

bool SpawnDetached(const std::vector<std::string>& argv, const std::string& workingDirectory) {
    bool started = false;
    const pid_t child = Launch(argv, workingDirectory, true, started);
    if (child < 0) {
        return false;
    }
    int status = 0;
    WaitFor(child, status);
    return started && status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string ProcessIdentity(long pid) {
    if (pid <= 0) {
        return {};
    }
    std::FILE* file = std::fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r");
    if (file == nullptr) {
        return {};
    }
    char buffer[1024];
    const size_t read = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    const std::string stat(buffer, read);
    // The program's name is in parentheses and may hold spaces; the fields count after it.
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return {};
    }
    size_t at = close + 2;
    // Field 22 (start time) is the 20th after the name.
    for (int field = 3; field < 22 && at < stat.size(); ++field) {
        at = stat.find(' ', at);
        if (at == std::string::npos) {
            return {};
        }
        ++at;
    }
    const size_t end = stat.find(' ', at);
    return stat.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

long CurrentProcessId() {
    return static_cast<long>(::getpid());
}

}  // namespace platform
