#include "tests/support/test_support.h"

#include "core/settings.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace testing_support {

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quorvane-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot create a temporary folder";
    }
    m_path = pattern + "/";
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

IsolatedSettings::IsolatedSettings() {
    std::filesystem::create_directories(ConfDir());
    std::filesystem::create_directories(m_dir.path() + "temp");
    InstallSettingsStore(m_dir.File("settings.conf"));
    SetSetting("/ConfPath", ConfDir());
    SetSetting("/TempPath", m_dir.path() + "temp/");
}

IsolatedSettings::~IsolatedSettings() {
    ReleaseSettingsStore();
}

struct MessageRecorder::State {
    std::vector<std::string> messages;
    std::vector<unsigned> flags;
    int answer = kAnswerNo;
};

namespace {
class RecordingPresenter : public MessagePresenter {
public:
    explicit RecordingPresenter(std::shared_ptr<MessageRecorder::State> s)
        : m_state(std::move(s)) {}
    bool Show(const std::string& text, const std::string&, int, unsigned flags) override;
    int Ask(const std::string& text, bool) override;

private:
    std::shared_ptr<MessageRecorder::State> m_state;
};
}  // namespace

bool RecordingPresenter::Show(const std::string& text, const std::string&, int, unsigned flags) {
    m_state->messages.push_back(text);
    m_state->flags.push_back(flags);
    return m_state->answer == kAnswerOk;
}

int RecordingPresenter::Ask(const std::string& text, bool) {
    m_state->messages.push_back(text);
    m_state->flags.push_back(0);
    return m_state->answer;
}

MessageRecorder::MessageRecorder(int answer) : m_state(std::make_shared<State>()) {
    m_state->answer = answer;
    m_previous = SetMessagePresenter(std::make_unique<RecordingPresenter>(m_state));
}

MessageRecorder::~MessageRecorder() {
    SetMessagePresenter(std::move(m_previous));
}

const std::vector<std::string>& MessageRecorder::Messages() const {
    return m_state->messages;
}
std::vector<unsigned> MessageRecorder::Flags() const {
    return m_state->flags;
}

FileSizeLimit::FileSizeLimit(unsigned long bytes) {
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_soft = limit.rlim_cur;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = m_soft;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_previousHandler);
}

CommandResult RunShell(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, n);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool HaveLibreOffice() {
    return std::system("command -v soffice >/dev/null 2>&1") == 0;
}

int RunLibreOffice(const std::string& dir, const std::string& arguments, std::string* log) {
    const std::string command =
        "cd '" + dir + "' && HOME='" + dir + "' soffice -env:UserInstallation=file://" + dir +
        "lo-profile --headless --norestore " + arguments + " >'" + dir + "soffice.log' 2>&1";
    int status = -1;
    for (int attempt = 0; attempt < 2 && status != 0; ++attempt) {
        status = std::system(command.c_str());
    }
    if (log != nullptr) {
        *log = ReadFile(dir + "soffice.log");
    }
    return status;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void ExpectGolden(const std::string& path, const std::string& actual) {
    const char* refresh = std::getenv("QV_REFRESH_GOLDEN");
    if (refresh != nullptr && std::string(refresh) == "1") {
        WriteFile(path, actual);
        return;
    }
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        ADD_FAILURE() << "no golden file " << path << " (QV_REFRESH_GOLDEN=1 writes it)";
        return;
    }
    EXPECT_EQ(actual, ReadFile(path)) << "differs from " << path;
}

}  // namespace testing_support
