#include "platform/file_io.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
        std::string error;
        EXPECT_FALSE(platform::WriteFileAtomically(path, std::string(64 * 1024, 'x'), &error));
        EXPECT_FALSE(error.empty());
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

TEST(AtomicWrite, GeneratedOutputReplacesLinksInsteadOfWritingThroughThem) {
    TempDir dir;
    WriteFile(dir.File("outside.txt"), "keep");
    const std::string link = dir.File("page.htm");
    ASSERT_EQ(symlink(dir.File("outside.txt").c_str(), link.c_str()), 0);
    ASSERT_TRUE(platform::WriteFileAtomically(link, "page", nullptr,
                                              {.durable = false, .followLinks = false}));
    EXPECT_FALSE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(link), "page");
    EXPECT_EQ(ReadFile(dir.File("outside.txt")), "keep");
    EXPECT_FALSE(platform::WriteFileAtomically(dir.path(), "x")) << "a folder is no file name";
}

TEST(ReadWholeFile, NeverWaitsOnPipes) {
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
    std::string bytes = "old";
    EXPECT_FALSE(platform::ReadWholeFileBytes(dir.File("fifo"), bytes));
    EXPECT_FALSE(platform::ReadWholeFileBytes(dir.path(), bytes));
}

TEST(ReadWholeFile, ReadsBytesAndReportsMissingFiles) {
    TempDir dir;
    std::string bytes;
    EXPECT_FALSE(platform::ReadWholeFileBytes(dir.File("none"), bytes));
    WriteFile(dir.File("a"), std::string("a\0b", 3));
    ASSERT_TRUE(platform::ReadWholeFileBytes(dir.File("a"), bytes));
    EXPECT_EQ(bytes, std::string("a\0b", 3));
    EXPECT_TRUE(platform::RemoveFile(dir.File("a")));
    EXPECT_FALSE(platform::RemoveFile(dir.File("a")));
}

}  // namespace
