#include "platform/desktop.h"
#include "platform/dynamic_library.h"
#include "platform/paths.h"
#include "platform/registry_store.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

using testing_support::TempDir;

TEST(RegistryStore, KeepsValuesAcrossInstances) {
    TempDir dir;
    const std::string file = dir.File("registry.conf");
    {
        platform::RegistryStore store(file);
        EXPECT_EQ(store.GetString("Tip", "LastID", "none"), "none");
        EXPECT_EQ(store.GetInt("Tip", "LastID", 7), 7);
        EXPECT_TRUE(store.SetInt("Tip", "LastID", 41));
        EXPECT_TRUE(store.SetString("CommandBars/Layout", "Main", "a=b;c=\"d\" \xc3\xa4"));
        EXPECT_TRUE(store.SetString("Recent File List", "File1", "/home/u/Über.etf"));
    }
    platform::RegistryStore store(file);
    EXPECT_EQ(store.GetInt("Tip", "LastID", 0), 41);
    EXPECT_EQ(store.GetString("CommandBars/Layout", "Main"), "a=b;c=\"d\" \xc3\xa4");
    EXPECT_EQ(store.GetString("Recent File List", "File1"), "/home/u/Über.etf");
    EXPECT_TRUE(store.DeleteSection("CommandBars"));
    EXPECT_EQ(store.GetString("CommandBars/Layout", "Main", "gone"), "gone");
}

TEST(DynamicLibrary, LoadsSymbolsAndReportsMissingLibraries) {
    platform::DynamicLibrary lib;
    EXPECT_FALSE(lib.Load("libquorvane-does-not-exist.so"));
    EXPECT_FALSE(lib.Error().empty());
    EXPECT_EQ(lib.Symbol("strlen"), nullptr);
    ASSERT_TRUE(lib.Load("libc.so.6"));
    EXPECT_NE(lib.Symbol("strlen"), nullptr);
    EXPECT_EQ(lib.Symbol("no_such_symbol_here"), nullptr);
}

TEST(Paths, FoldersEndWithASeparator) {
    EXPECT_EQ(platform::WithTrailingSeparator(""), "");
    EXPECT_EQ(platform::WithTrailingSeparator("/a"), "/a/");
    EXPECT_EQ(platform::WithTrailingSeparator("/a/"), "/a/");
    const std::string exe = platform::ExecutableDirectory();
    EXPECT_EQ(exe.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(exe + "test_platform"));

    TempDir dir;
    setenv("XDG_CONFIG_HOME", (dir.path() + "config").c_str(), 1);
    const std::string conf = platform::UserConfigDirectory("Quorvane", "Editor");
    EXPECT_EQ(conf, dir.path() + "config/Quorvane/Editor/");
    EXPECT_TRUE(std::filesystem::is_directory(conf)) << "created when missing";
    unsetenv("XDG_CONFIG_HOME");
}

TEST(Desktop, HandsFilesToTheLauncher) {
    std::vector<std::vector<std::string>> calls;
    platform::SetLauncher([&](const std::vector<std::string>& argv, const std::string&) {
        calls.push_back(argv);
        return true;
    });
    EXPECT_TRUE(platform::OpenWithDesktop("/tmp/a b.docx"));
    EXPECT_TRUE(platform::PrintWithDesktop("-rf.htm"));
    EXPECT_FALSE(platform::OpenWithDesktop(""));
    platform::SetLauncher({});
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], (std::vector<std::string>{"xdg-open", "/tmp/a b.docx"}));
    // A file name starting with "-" is never taken for an option.
    EXPECT_EQ(calls[1], (std::vector<std::string>{"lp", "--", "-rf.htm"}));
}

TEST(Desktop, StartsProgramsDetachedInTheirFolder) {
    TempDir dir;
    EXPECT_TRUE(platform::StartDetached({"sh", "-c", "touch started"}, dir.path()));
    EXPECT_FALSE(platform::StartDetached({"quorvane-no-such-program"}));
    EXPECT_FALSE(platform::StartDetached({"true"}, dir.File("missing-folder")));
    EXPECT_FALSE(platform::StartDetached({}));
    for (int i = 0; i < 200 && !std::filesystem::exists(dir.File("started")); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(std::filesystem::exists(dir.File("started")));
}

}  // namespace
