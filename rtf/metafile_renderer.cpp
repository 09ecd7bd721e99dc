#include "rtf/metafile_renderer.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <vector>

extern char** environ;

namespace rtf {

namespace {

std::string ModuleFolder() {
    Dl_info info{};
    std::string path;
    if (dladdr(reinterpret_cast<void*>(&ModuleFolder), &info) != 0 && info.dli_fname != nullptr) {
        path = info.dli_fname;
    }
    if (path.empty() || path[0] != '/') {
        char buffer[PATH_MAX];
        const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        path = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
    }
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

void CloseIf(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

// Runs program with input on its standard input and collects its standard output, within a
// time limit; false when it cannot be started, fails, says too much or takes too long.
bool RunFilter(const std::vector<std::string>& argv, const std::string& input, int timeLimitMs,
               size_t maxOutput, std::string& output, bool& timedOut) {
    timedOut = false;
    int in[2] = {-1, -1};
    int out[2] = {-1, -1};
    if (pipe2(in, O_CLOEXEC) != 0) {
        return false;
    }
    if (pipe2(out, O_CLOEXEC) != 0) {
        CloseIf(in[0]);
        CloseIf(in[1]);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    pid_t child = -1;
    const int spawned =
        posix_spawn(&child, argv[0].c_str(), &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    CloseIf(in[0]);
    CloseIf(out[1]);
    if (spawned != 0) {
        CloseIf(in[1]);
        CloseIf(out[0]);
        return false;
    }
    fcntl(in[1], F_SETFL, O_NONBLOCK);
    fcntl(out[0], F_SETFL, O_NONBLOCK);
    // A broken pipe must not end the converting program: SIGPIPE is held back in this
    // thread while writing, and one raised meanwhile is taken before it is let through.
    sigset_t pipeSignal;
    sigset_t previousMask;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previousMask);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
    size_t written = 0;
    bool ok = true;
    char buffer[65536];
    while (out[0] >= 0) {
        if (written == input.size()) {
            CloseIf(in[1]);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            ok = false;
            timedOut = true;
            break;
        }
        pollfd fds[2] = {{out[0], POLLIN, 0}, {in[1], POLLOUT, 0}};
        const int ready = poll(fds, in[1] >= 0 ? 2 : 1, static_cast<int>(left));
        if (ready < 0 && errno != EINTR) {
            ok = false;
            break;
        }
        if (in[1] >= 0 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
            const ssize_t n = write(in[1], input.data() + written, input.size() - written);
            if (n > 0) {
                written += static_cast<size_t>(n);
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                CloseIf(in[1]);  // the program stopped reading; its output decides
                written = input.size();
            }
        }
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            const ssize_t n = read(out[0], buffer, sizeof buffer);
            if (n > 0) {
                output.append(buffer, static_cast<size_t>(n));
                if (output.size() > maxOutput) {
                    ok = false;
                    break;
                }
            } else if (n == 0) {
                CloseIf(out[0]);
            } else if (errno != EAGAIN && errno != EINTR) {
                ok = false;
                break;
            }
        }
    }
    CloseIf(in[1]);
    CloseIf(out[0]);
    if (!ok) {
        kill(child, SIGKILL);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    const timespec now{0, 0};
    while (sigtimedwait(&pipeSignal, nullptr, &now) == SIGPIPE) {
    }
    pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    return ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

MetafileRenderer::MetafileRenderer() : MetafileRenderer(ModuleFolder() + "quorvane-picture") {}

MetafileRenderer::MetafileRenderer(std::string programPath, int timeLimitMs)
    : m_program(std::move(programPath)), m_timeLimitMs(timeLimitMs) {}

bool MetafileRenderer::RenderPng(const Picture& picture, int width, int height,
                                 std::string& png) const {
    const char* format = picture.format == PictureFormat::Wmf   ? "wmf"
                         : picture.format == PictureFormat::Emf ? "emf"
                                                                : nullptr;
    if (format == nullptr || picture.data.empty() || width <= 0 || height <= 0) {
        return false;
    }
    // Too large a picture is drawn at a size within bounds, in its proportions.
    const int longer = std::max(width, height);
    if (longer > kMaxSide) {
        width = std::max(1, static_cast<int>(int64_t{width} * kMaxSide / longer));
        height = std::max(1, static_cast<int>(int64_t{height} * kMaxSide / longer));
    }
    // A document full of pictures that each take the whole time would take forever.
    if (m_timeouts >= kMaxTimeouts) {
        return false;
    }
    std::string output;
    bool timedOut = false;
    const bool drawn = RunFilter({m_program, format, std::to_string(width), std::to_string(height)},
                                 picture.data, m_timeLimitMs, kMaxPngBytes, output, timedOut);
    if (timedOut) {
        ++m_timeouts;
    }
    if (!drawn || output.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) {
        return false;
    }
    png = std::move(output);
    return true;
}

}  // namespace rtf
