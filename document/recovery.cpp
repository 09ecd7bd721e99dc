#include "document/recovery.h"

#include "core/identity.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/time_stamp.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr const char* kInfoExtension = ".info";
// An info file is a few lines; anything larger is not one of ours.
constexpr uint64_t kMaxInfoBytes = 64 * 1024;

// Values are kept one per line: line breaks and backslashes are escaped.
std::string Escape(const std::string& value) {
    std::string out;
    for (char c : value) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out;
}

std::string Unescape(const std::string& value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::string NewStem() {
    static std::atomic<int> counter{0};
    const long pid = platform::CurrentProcessId();
    return std::to_string(pid) + "-" + platform::ProcessIdentity(pid) + "-" +
           std::to_string(++counter);
}

}  // namespace

std::string RecoveryDirectory() {
    const std::string dir =
        platform::UserStateDirectory(identity::kRegistryKey, identity::kAppName) + "recovery/";
    platform::MakeDirectories(dir);
    return dir;
}

myRecoveryWriter::myRecoveryWriter(std::string folder)
    : m_folder(platform::WithTrailingSeparator(std::move(folder))), m_stem(NewStem()) {
    m_thread = std::thread([this] { Run(); });
}

myRecoveryWriter::~myRecoveryWriter() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void myRecoveryWriter::Write(std::string bytes, const std::string& originalPath,
                             const std::string& title) {
    auto shared = std::make_shared<std::string>(std::move(bytes));
    Write([shared] { return std::move(*shared); }, originalPath, title);
}

void myRecoveryWriter::Write(std::function<std::string()> produce, const std::string& originalPath,
                             const std::string& title) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending = Snapshot{std::move(produce), originalPath, title};
    }
    m_wake.notify_all();
}

void myRecoveryWriter::Flush() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_pending && !m_busy; });
}

void myRecoveryWriter::Remove() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_pending.reset();
    m_idle.wait(lock, [this] { return !m_busy; });
    if (m_written) {
        platform::RemoveFile(InfoPath());
        platform::RemoveFile(DocumentPath());
        m_written = false;
    }
}

bool myRecoveryWriter::HasCopy() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_written || m_pending.has_value() || m_busy;
}

void myRecoveryWriter::Run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_pending.has_value(); });
        if (!m_pending) {
            return;  // stopped with nothing left to write
        }
        Snapshot snapshot = std::move(*m_pending);
        m_pending.reset();
        m_busy = true;
        lock.unlock();
        WriteNow(snapshot);
        // What the snapshot held goes here, off the caller's thread.
        snapshot.produce = nullptr;
        lock.lock();
        m_busy = false;
        m_idle.notify_all();
    }
}

void myRecoveryWriter::WriteNow(const Snapshot& snapshot) {
    platform::MakeDirectories(m_folder);
    // The document first: an info file always stands beside a whole copy.
    const std::string bytes = snapshot.produce ? snapshot.produce() : std::string();
    if (bytes.empty() || !platform::WriteFileAtomically(DocumentPath(), bytes)) {
        return;
    }
    const long pid = platform::CurrentProcessId();
    const std::string info =
        "pid=" + std::to_string(pid) + "\n" + "identity=" + platform::ProcessIdentity(pid) + "\n" +
        "path=" + Escape(snapshot.originalPath) + "\n" + "title=" + Escape(snapshot.title) + "\n" +
        "written=" + Escape(platform::NowTimeStamp()) + "\n";
    if (platform::WriteFileAtomically(InfoPath(), info)) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_written = true;
    }
}

std::vector<myRecoveryCopy> FindOrphanedCopies(const std::string& folder) {
    namespace fs = std::filesystem;
    struct Found {
        fs::file_time_type time;
        myRecoveryCopy copy;
    };
    std::vector<Found> found;
    std::error_code ec;
    const std::string dir = platform::WithTrailingSeparator(folder);
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (entry.path().extension() != kInfoExtension || !entry.is_regular_file(ec)) {
            continue;
        }
        std::string text;
        if (!platform::ReadWholeFileBytes(entry.path().string(), text, nullptr, kMaxInfoBytes)) {
            continue;
        }
        myRecoveryCopy copy;
        copy.infoPath = entry.path().string();
        copy.documentPath = dir + entry.path().stem().string() + ".etf";
        std::string identity;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) {
                end = text.size();
            }
            const std::string line = text.substr(start, end - start);
            start = end + 1;
            const size_t equals = line.find('=');
            if (equals == std::string::npos) {
                continue;
            }
            const std::string key = line.substr(0, equals);
            const std::string value = Unescape(line.substr(equals + 1));
            if (key == "pid") {
                copy.pid = std::strtol(value.c_str(), nullptr, 10);
            } else if (key == "identity") {
                identity = value;
            } else if (key == "path") {
                copy.originalPath = value;
            } else if (key == "title") {
                copy.title = value;
            } else if (key == "written") {
                copy.written = value;
            }
        }
        // The same id with the same start time is the same editor, still running.
        const std::string running = platform::ProcessIdentity(copy.pid);
        const bool ownerRuns = copy.pid > 0 && !running.empty() && running == identity;
        if (copy.pid <= 0 || ownerRuns || !platform::FileExists(copy.documentPath)) {
            continue;
        }
        found.push_back({entry.last_write_time(ec), std::move(copy)});
    }
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.time < b.time; });
    std::vector<myRecoveryCopy> copies;
    for (Found& f : found) {
        copies.push_back(std::move(f.copy));
    }
    return copies;
}

void DiscardCopy(const myRecoveryCopy& copy) {
    platform::RemoveFile(copy.infoPath);
    platform::RemoveFile(copy.documentPath);
}
