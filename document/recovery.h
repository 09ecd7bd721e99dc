#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// A recovery copy that an editor left behind when it ended without closing its document.
struct myRecoveryCopy {
    std::string infoPath;
    std::string documentPath;  // the document tree as it was last copied
    std::string originalPath;  // the document's own file; empty for one never saved
    std::string title;
    std::string written;  // when the copy was made, as a time stamp
    long pid = 0;
};

// "<the user's state folder>/recovery/", created when missing.
std::string RecoveryDirectory();

// The recovery copy of one open document. Copies are written atomically on a worker thread
// from a snapshot of the document's bytes; when snapshots come faster than the disk takes
// them, only the newest is written. Each copy names its owner by process id and start time,
// so that no other editor takes it for one left behind while this one runs.
class myRecoveryWriter {
public:
    explicit myRecoveryWriter(std::string folder = RecoveryDirectory());
    // Waits for a write under way; the copy stays (Remove takes it away).
    ~myRecoveryWriter();
    myRecoveryWriter(const myRecoveryWriter&) = delete;
    myRecoveryWriter& operator=(const myRecoveryWriter&) = delete;

    // Queues bytes as the copy of the document at originalPath.
    void Write(std::string bytes, const std::string& originalPath, const std::string& title);
    // Queues a copy whose bytes produce makes on the worker thread (from a snapshot it owns).
    void Write(std::function<std::string()> produce, const std::string& originalPath,
               const std::string& title);
    // Returns once every queued copy is on disk.
    void Flush();
    // Removes the copy (the document was saved, or closed without saving); a queued copy is
    // dropped.
    void Remove();
    // Whether a copy is on disk or on its way there.
    bool HasCopy();
    std::string DocumentPath() const { return m_folder + m_stem + ".etf"; }
    std::string InfoPath() const { return m_folder + m_stem + ".info"; }

private:
    struct Snapshot {
        std::function<std::string()> produce;
        std::string originalPath;
        std::string title;
    };
    void Run();
    void WriteNow(const Snapshot& snapshot);

    const std::string m_folder;
    const std::string m_stem;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<Snapshot> m_pending;
    bool m_busy = false;
    bool m_written = false;
    bool m_stop = false;
    std::thread m_thread;
};

// The copies in folder whose editor no longer runs, oldest first. Copies of an editor that
// runs (this one included) are never listed; unreadable or foreign files are passed over.
std::vector<myRecoveryCopy> FindOrphanedCopies(const std::string& folder = RecoveryDirectory());
// Removes both files of a copy.
void DiscardCopy(const myRecoveryCopy& copy);
