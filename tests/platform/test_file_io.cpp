#include "platform/file_io.h"
#include "tests/support/test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include <filesystem>

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

size_t FilesIn(const std::string& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) {
        ++n;
    }
    return n;
}

TEST(AtomicWrite, CreatesAndReplacesWholeFiles) {
    TempDir dir;
    const std::string path = dir.File("doc.etf");
    const std::string bytes("binary\0with nul\r\n\xff", 19);
    ASSERT_TRUE(platform::WriteFileAtomically(path, bytes));
    EXPECT_EQ(ReadFile(path), bytes);
    ASSERT_TRUE(platform::WriteFileAtomically(path, "short"));
    EXPECT_EQ(ReadFile(path), "short");
    ASSERT_TRUE(platform::WriteFileAtomically(path, ""));
    EXPECT_EQ(ReadFile(path), "");
    EXPECT_EQ(FilesIn(dir.path()), 1u) << "no temporary file is left behind";
}

TEST(AtomicWrite, KeepsPermissionsAndFollowsLinks) {
    TempDir dir;
    const std::string target = dir.File("real.etf");
    WriteFile(target, "old");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    const std::string link = dir.File("link.etf");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);

    ASSERT_TRUE(platform::WriteFileAtomically(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link)) << "the link itself stays a link";
    EXPECT_EQ(ReadFile(target), "new");
    struct stat st {};
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(AtomicWrite, FailureLeavesThePreviousFileIntact) {
    TempDir dir;
    const std::string path = dir.File("doc.etf");
    WriteFile(path, "precious text");
    {
        testing_support::FileSizeLimit limit(1024);
        platform::FileError error;
        EXPECT_FALSE(platform::WriteFileAtomically(path, std::string(64 * 1024, 'x'), &error));
        EXPECT_EQ(error.kind, platform::FileError::Kind::System);
        EXPECT_EQ(error.code, EFBIG);
        EXPECT_EQ(error.path, path);
    }
    EXPECT_EQ(ReadFile(path), "precious text");
    EXPECT_EQ(FilesIn(dir.path()), 1u) << "the temporary file is removed";

    EXPECT_FALSE(platform::WriteFileAtomically(dir.File("missing/doc.etf"), "x"));
    EXPECT_FALSE(platform::WriteFileAtomically("", "x"));
    // A folder in the way is not replaced.
    std::filesystem::create_directory(dir.File("folder"));
    EXPECT_FALSE(platform::WriteFileAtomically(dir.File("folder"), "x"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder")));
}

// Generated output is written with the options of generators/file_util.
constexpr platform::AtomicWriteOptions kOutput{.durable = false, .followLinks = false};

TEST(AtomicWrite, GeneratedOutputNeverWritesThroughOrReplacesALink) {
    TempDir dir;
    WriteFile(dir.File("outside.txt"), "keep");
    const std::string link = dir.File("page.htm");
    ASSERT_EQ(symlink(dir.File("outside.txt").c_str(), link.c_str()), 0);
    platform::FileError error;
    EXPECT_FALSE(platform::WriteFileAtomically(link, "page", &error, kOutput));
    EXPECT_EQ(error.kind, platform::FileError::Kind::SymbolicLink);
    EXPECT_EQ(error.path, link);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(dir.File("outside.txt")), "keep");

    // Nor is anything else that is no plain file replaced.
    ASSERT_EQ(mkfifo(dir.File("pipe.htm").c_str(), 0600), 0);
    EXPECT_FALSE(platform::WriteFileAtomically(dir.File("pipe.htm"), "page", &error, kOutput));
    EXPECT_EQ(error.kind, platform::FileError::Kind::NotRegularFile);
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("pipe.htm")));
    EXPECT_FALSE(platform::WriteFileAtomically(dir.path(), "x")) << "a folder is no file name";
    EXPECT_EQ(FilesIn(dir.path()), 3u) << "nothing is left behind";
}

TEST(AtomicWrite, ReadOnlyFileIsNotReplaced) {
    TempDir dir;
    const std::string path = dir.File("doc.etf");
    WriteFile(path, "old");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const std::string link = dir.File("link.etf");
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    for (const std::string& name : {path, link}) {
        platform::FileError error;
        EXPECT_FALSE(platform::WriteFileAtomically(name, "new", &error)) << name;
        EXPECT_EQ(error.kind, platform::FileError::Kind::System);
        EXPECT_EQ(error.code, EACCES);
        EXPECT_EQ(error.path, name);
    }
    EXPECT_EQ(ReadFile(path), "old");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_EQ(FilesIn(dir.path()), 2u);
}

// What a save killed after it named its temporary file leaves: a file that nobody holds.
std::string Leftover(const TempDir& dir, const std::string& name, const std::string& suffix) {
    const std::string path = dir.File(platform::AtomicWriteTempPrefix(name) + suffix);
    WriteFile(path, "half a document");
    return path;
}

TEST(AtomicWrite, NextSaveRemovesWhatKilledSavesOfTheSameFileLeft) {
    TempDir dir;
    const std::string dead1 = Leftover(dir, "doc.etf", "a1B2c3");
    const std::string dead2 = Leftover(dir, "doc.etf", "ZZZZZZ");
    const std::string running = Leftover(dir, "doc.etf", "run123");
    const std::string otherFile = Leftover(dir, "other.etf", "a1B2c3");
    const std::string notOurs = Leftover(dir, "doc.etf", "backup.txt");
    WriteFile(dir.File(".doc.etf.backup"), "the user's own");
    // A save that is still running holds a lock on its file.
    const int held = open(running.c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    platform::SetNamedTempFilesOnly(true);
    const bool saved = platform::WriteFileAtomically(dir.File("doc.etf"), "whole");
    platform::SetNamedTempFilesOnly(false);
    ASSERT_TRUE(saved);
    EXPECT_EQ(ReadFile(dir.File("doc.etf")), "whole");
    EXPECT_FALSE(std::filesystem::exists(dead1));
    EXPECT_FALSE(std::filesystem::exists(dead2));
    EXPECT_TRUE(std::filesystem::exists(running)) << "a running save keeps its file";
    EXPECT_TRUE(std::filesystem::exists(otherFile)) << "only leftovers of the same file go";
    EXPECT_TRUE(std::filesystem::exists(notOurs));
    EXPECT_TRUE(std::filesystem::exists(dir.File(".doc.etf.backup")));
    close(held);
    ASSERT_TRUE(platform::WriteFileAtomically(dir.File("doc.etf"), "again"));
    EXPECT_FALSE(std::filesystem::exists(running)) << "once its save is gone, so is its file";
    EXPECT_EQ(FilesIn(dir.path()), 4u);
}

TEST(AtomicWrite, LongNamesAndBothKindsOfTemporaryFileLeaveOnlyTheTarget) {
    TempDir dir;
    const std::string name = std::string(250, 'n') + ".etf";
    for (const bool named : {false, true}) {
        platform::SetNamedTempFilesOnly(named);
        const bool saved = platform::WriteFileAtomically(dir.File(name), named ? "b" : "a");
        platform::SetNamedTempFilesOnly(false);
        ASSERT_TRUE(saved) << "named: " << named;
        EXPECT_EQ(ReadFile(dir.File(name)), named ? "b" : "a");
        EXPECT_EQ(FilesIn(dir.path()), 1u);
    }
}

TEST(PrivateDirectory, OnlyTheUserEntersAndRemovalStaysInside) {
    TempDir dir;
    const std::string a = platform::MakePrivateDirectory(dir.path());
    const std::string b = platform::MakePrivateDirectory(dir.path());
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
    EXPECT_EQ(a.back(), '/');
    struct stat st {};
    ASSERT_EQ(stat(a.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0700u);
    WriteFile(dir.File("outside.txt"), "keep");
    WriteFile(a + "page.htm", "x");
    ASSERT_EQ(symlink(dir.path().c_str(), (a + "up").c_str()), 0);
    platform::RemoveDirectoryTree(a);
    EXPECT_FALSE(std::filesystem::exists(a));
    EXPECT_EQ(ReadFile(dir.File("outside.txt")), "keep");
    EXPECT_TRUE(platform::MakePrivateDirectory(dir.File("missing/")).empty());
}

TEST(PrivateDirectory, FoldersOfKilledMakersAreRemovedByTheNextOne) {
    TempDir dir;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        _exit(0);
    }
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::string dead = dir.File("quorvane-" + std::to_string(child) + "-Ab3dE9");
    const std::string alive = dir.File("quorvane-" + std::to_string(getpid()) + "-Zz0000");
    const std::string foreign = dir.File("quorvane-notes");
    for (const std::string& path : {dead, alive, foreign}) {
        ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
        WriteFile(path + "/page.htm", "x");
    }
    const std::string made = platform::MakePrivateDirectory(dir.path());
    ASSERT_FALSE(made.empty());
    EXPECT_FALSE(std::filesystem::exists(dead)) << "its maker is gone";
    EXPECT_TRUE(std::filesystem::exists(alive + "/page.htm")) << "its maker still runs";
    EXPECT_TRUE(std::filesystem::exists(foreign + "/page.htm")) << "not one of ours";
}

TEST(ReadWholeFile, NeverWaitsOnPipes) {
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
    std::string bytes = "old";
    platform::FileError error;
    EXPECT_FALSE(platform::ReadWholeFileBytes(dir.File("fifo"), bytes, &error));
    EXPECT_EQ(error.kind, platform::FileError::Kind::NotRegularFile);
    EXPECT_FALSE(platform::ReadWholeFileBytes(dir.path(), bytes));
}

TEST(ReadWholeFile, StopsAtTheCallersLimit) {
    TempDir dir;
    WriteFile(dir.File("big"), std::string(5000, 'b'));
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFileBytes(dir.File("big"), bytes, nullptr, 5000));
    EXPECT_EQ(bytes.size(), 5000u);
    platform::FileError error;
    EXPECT_FALSE(platform::ReadWholeFileBytes(dir.File("big"), bytes, &error, 4999));
    EXPECT_EQ(error.kind, platform::FileError::Kind::TooLarge);
    EXPECT_EQ(error.limit, 4999u);
}

TEST(ReadWholeFile, ReadsBytesAndReportsMissingFiles) {
    TempDir dir;
    std::string bytes;
    platform::FileError error;
    EXPECT_FALSE(platform::ReadWholeFileBytes(dir.File("none"), bytes, &error));
    EXPECT_EQ(error.kind, platform::FileError::Kind::System);
    EXPECT_EQ(error.code, ENOENT);
    EXPECT_EQ(error.path, dir.File("none"));
    WriteFile(dir.File("a"), std::string("a\0b", 3));
    ASSERT_TRUE(platform::ReadWholeFileBytes(dir.File("a"), bytes));
    EXPECT_EQ(bytes, std::string("a\0b", 3));
    EXPECT_TRUE(platform::RemoveFile(dir.File("a")));
    EXPECT_FALSE(platform::RemoveFile(dir.File("a")));
}

}  // namespace
