#pragma once

#include <map>
#include <string>
#include <vector>

namespace testing_support {

// A program of the build started by a test, with an environment of the test's choosing; its
// standard output and error go to files. Ended (SIGKILL) when the object goes while it runs.
class ProgramRun {
public:
    ProgramRun(const std::string& program, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& environment,
               const std::string& outputPath);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Started() const { return m_pid > 0; }
    int Pid() const { return m_pid; }
    // The exit status, or -1 when it has not ended within the time.
    int Wait(int seconds);
    void Signal(int signal);

private:
    int m_pid = -1;
    int m_status = -1;
};

// The environment of this process with the given variables replaced.
std::map<std::string, std::string> EnvironmentWith(
    const std::map<std::string, std::string>& changes);

// Names of the windows of a process whose name contains text, through xdotool; tests that run
// side by side on one display see only their own program's windows so.
std::vector<std::string> WindowNamesOf(int pid, const std::string& text);

// Waits until the process has a window of exactly this name.
bool WaitForWindow(int pid, const std::string& name, int seconds);

}  // namespace testing_support
