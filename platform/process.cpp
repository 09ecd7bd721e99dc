#include "platform/process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

bool RunAndWait(const std::vector<std::string>& argv, const std::string& workingDirectory,
                int& exitStatus) {
    if (argv.empty() || argv[0].empty()) {
        return false;
    }
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    // The pipe closes on a successful exec; a byte on it means the program did not start.
    int statusPipe[2];
    if (pipe2(statusPipe, O_CLOEXEC) != 0) {
        return false;
    }
    const pid_t child = fork();
    if (child < 0) {
        close(statusPipe[0]);
        close(statusPipe[1]);
        return false;
    }
    if (child == 0) {
        if (workingDirectory.empty() || chdir(workingDirectory.c_str()) == 0) {
            execvp(args[0], args.data());
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
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    if (n != 0) {
        return false;
    }
    exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

}  // namespace platform
