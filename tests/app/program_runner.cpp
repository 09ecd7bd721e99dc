#include "tests/app/program_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

extern char** environ;

namespace testing_support {

ProgramRun::ProgramRun(const std::string& program, const std::vector<std::string>& args,
                       const std::map<std::string, std::string>& environment,
                       const std::string& outputPath) {
    std::vector<std::string> argvText{program};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvText) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> envText;
    for (const auto& [name, value] : environment) {
        envText.push_back(name + "=" + value);
    }
    std::vector<char*> envp;
    for (std::string& e : envText) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        m_pid = pid;
    }
    posix_spawn_file_actions_destroy(&actions);
}

ProgramRun::~ProgramRun() {
    if (m_pid > 0 && m_status < 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
}

int ProgramRun::Wait(int seconds) {
    if (m_pid <= 0) {
        return -1;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (m_status < 0) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (std::chrono::steady_clock::now() > end) {
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return m_status;
}

void ProgramRun::Signal(int signal) {
    if (m_pid > 0 && m_status < 0) {
        kill(m_pid, signal);
    }
}

std::map<std::string, std::string> EnvironmentWith(
    const std::map<std::string, std::string>& changes) {
    std::map<std::string, std::string> environment;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const size_t equals = entry.find('=');
        if (equals != std::string::npos) {
            environment[entry.substr(0, equals)] = entry.substr(equals + 1);
        }
    }
    for (const auto& [name, value] : changes) {
        environment[name] = value;
    }
    return environment;
}

std::vector<std::string> WindowNamesOf(int pid, const std::string& text) {
    std::vector<std::string> names;
    const std::string command = "xdotool search --all --pid " + std::to_string(pid) + " --name '" +
                                text + "' getwindowname %@ 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return names;
    }
    char line[512];
    while (fgets(line, sizeof(line), pipe) != nullptr) {
        std::string name = line;
        while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) {
            name.pop_back();
        }
        names.push_back(name);
    }
    pclose(pipe);
    return names;
}

bool WaitForWindow(int pid, const std::string& name, int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    do {
        const std::vector<std::string> names = WindowNamesOf(pid, name);
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    } while (std::chrono::steady_clock::now() < end);
    return false;
}

}  // namespace testing_support
