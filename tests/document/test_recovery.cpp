#include "document/iv_xml.h"
#include "document/recovery.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

// The pid of a process that has ended.
long DeadPid() {
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

void WriteInfo(const std::string& folder, const std::string& stem, long pid,
               const std::string& identity, const std::string& path) {
    WriteFile(folder + stem + ".etf", "<Document/>");
    WriteFile(folder + stem + ".info", "pid=" + std::to_string(pid) + "\nidentity=" + identity +
                                           "\npath=" + path + "\ntitle=t\nwritten=w\n");
}

TEST(Recovery, ACopyIsWrittenReplacedAndRemoved) {
    TempDir dir;
    const std::string folder = dir.File("recovery/");
    myRecoveryWriter writer(folder);
    EXPECT_FALSE(writer.HasCopy());
    writer.Write("<Document>one</Document>", "/docs/a\nb.etf", "a");
    writer.Write("<Document>two</Document>", "/docs/a\nb.etf", "a");
    writer.Flush();
    EXPECT_TRUE(writer.HasCopy());
    EXPECT_EQ(ReadFile(writer.DocumentPath()), "<Document>two</Document>") << "the newest wins";
    EXPECT_TRUE(FindOrphanedCopies(folder).empty()) << "this editor runs: its copy is its own";
    writer.Remove();
    EXPECT_FALSE(writer.HasCopy());
    EXPECT_FALSE(platform::FileExists(writer.DocumentPath()));
    EXPECT_FALSE(platform::FileExists(writer.InfoPath()));
}

TEST(Recovery, OnlyCopiesOfEditorsThatEndedAreOffered) {
    TempDir dir;
    const std::string folder = dir.File("");
    const long self = platform::CurrentProcessId();
    WriteInfo(folder, "live", self, platform::ProcessIdentity(self), "/docs/live.etf");
    WriteInfo(folder, "dead", DeadPid(), "123", "/docs/dead\\nline.etf");
    // The same id given to a new process: the start time tells them apart.
    WriteInfo(folder, "reused", self, "1", "/docs/reused.etf");
    WriteFile(folder + "alone.info", "pid=1\nidentity=x\n");  // its document is missing
    WriteFile(folder + "junk.info", std::string(100000, 'x'));
    const std::vector<myRecoveryCopy> copies = FindOrphanedCopies(folder);
    ASSERT_EQ(copies.size(), 2u);
    std::vector<std::string> paths{copies[0].originalPath, copies[1].originalPath};
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths[0], "/docs/dead\nline.etf") << "line breaks survive the info file";
    EXPECT_EQ(paths[1], "/docs/reused.etf");
    DiscardCopy(copies[0]);
    EXPECT_FALSE(platform::FileExists(copies[0].documentPath));
    EXPECT_EQ(FindOrphanedCopies(folder).size(), 1u);
}

TEST(Recovery, ASnapshotIsWrittenOnTheWorkerWhileTheTreeChanges) {
    ivXML tree;
    tree.LoadXml(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!-- kept --><Document>"
        "<Section ID=\"{A}\" Title=\"\xC3\xBC"
        "ber\" Text=\"{\\rtf1 a}\"/></Document>");
    const std::string before = tree.SaveToString();
    std::shared_ptr<ivXML> snapshot = tree.Snapshot();
    ASSERT_NE(snapshot, nullptr);
    ASSERT_TRUE(tree.GoRoot());
    tree.SetAttribute("Changed", "after the snapshot");
    TempDir dir;
    myRecoveryWriter writer(dir.path());
    writer.Write([snapshot] { return snapshot->SaveToString(); }, "/a.etf", "a");
    snapshot.reset();
    writer.Flush();
    EXPECT_EQ(ReadFile(writer.DocumentPath()), before) << "the copy is the tree as it was";
    EXPECT_NE(tree.SaveToString(), before);
}

TEST(Recovery, TheStateFolderFollowsXdg) {
    TempDir dir;
    const char* old = std::getenv("XDG_STATE_HOME");
    const std::string kept = old != nullptr ? old : "";
    setenv("XDG_STATE_HOME", dir.File("state").c_str(), 1);
    EXPECT_EQ(RecoveryDirectory(), dir.File("state") + "/Quorvane/Editor/recovery/");
    EXPECT_TRUE(std::filesystem::is_directory(RecoveryDirectory()));
    if (old != nullptr) {
        setenv("XDG_STATE_HOME", kept.c_str(), 1);
    } else {
        unsetenv("XDG_STATE_HOME");
    }
}

}  // namespace
