#pragma once

#include "core/messages.h"

#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// A fresh folder removed with everything in it when the object goes; path ends in "/".
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

// Gives the test its own settings file, configuration folder ("/ConfPath") and temporary
// folder ("/TempPath"), and restores the global store afterwards.
class IsolatedSettings {
public:
    IsolatedSettings();
    ~IsolatedSettings();
    const TempDir& dir() const { return m_dir; }
    std::string ConfDir() const { return m_dir.path() + "conf/"; }

private:
    TempDir m_dir;
};

// Records every message and question instead of printing them; answers questions with
// a set answer.
class MessageRecorder {
public:
    explicit MessageRecorder(int answer = kAnswerNo);
    ~MessageRecorder();
    const std::vector<std::string>& Messages() const;
    std::vector<unsigned> Flags() const;

    struct State;

private:
    std::shared_ptr<State> m_state;
    std::unique_ptr<MessagePresenter> m_previous;
};

// Makes every write beyond a file size fail (as on a full disk) while the object lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();

private:
    unsigned long m_soft = 0;
    void (*m_previousHandler)(int) = nullptr;
};

// Runs a shell command; its standard output and exit status (-1 when it did not exit).
struct CommandResult {
    int status = -1;
    std::string out;
};
CommandResult RunShell(const std::string& command);

// Whether LibreOffice's soffice is installed.
bool HaveLibreOffice();

// Runs LibreOffice's headless converter in dir (ending in "/") with arguments (shell words,
// relative to dir), with a profile of its own there. It is tried twice: a first start with a
// fresh profile now and then ends in an error on a loaded machine. Returns the exit status
// of the last try; log, when given, receives its output.
int RunLibreOffice(const std::string& dir, const std::string& arguments,
                   std::string* log = nullptr);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// Compares actual with the golden file at path, byte for byte. With QV_REFRESH_GOLDEN=1 in
// the environment the golden file is written instead: after a deliberate change of output,
// refresh, then review the golden files' diff.
void ExpectGolden(const std::string& path, const std::string& actual);

}  // namespace testing_support
