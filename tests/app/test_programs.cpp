#include "platform/registry_store.h"
#include "tests/app/local_http_server.h"
#include "tests/app/program_runner.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

using testing_support::ProgramRun;
using testing_support::WaitForWindow;

namespace {

const char* const kDocument =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Document>"
    "<Section ID=\"{11111111-2222-3333-4444-555555555555}\" Title=\"Intro\"/></Document>";

// The programs of the build, started as a user would, each with a home of its own: no
// settings, recent files or lock of the user's are touched, and the news and update checks
// are off.
class Programs : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.File(".config"));
        testing_support::WriteFile(dir.File(".Editor"), "UpdateCheck=0\nShowTips=0\n");
        testing_support::WriteFile(dir.File("Alpha.etf"), kDocument);
        testing_support::WriteFile(dir.File("Beta.etf"), kDocument);
        testing_support::WriteFile(dir.File("broken.etf"), "this is no XML");
    }

    std::map<std::string, std::string> Environment(
        std::map<std::string, std::string> more = {}) const {
        more.emplace("HOME", dir.path());
        more.emplace("XDG_CONFIG_HOME", dir.File(".config"));
        more.emplace("XDG_DATA_HOME", dir.File(".local/share"));
        more.emplace("QUORVANE_NO_STARTUP_CHECKS", "1");
        more.emplace("LANG", "C.UTF-8");
        return testing_support::EnvironmentWith(more);
    }

    bool HasDisplay() const { return std::getenv("DISPLAY") != nullptr; }

    testing_support::TempDir dir;
};

TEST_F(Programs, CommandLineToolReportsInTheUsersLanguage) {
    ProgramRun german(QV_CLI_PATH, {"outline", dir.File("broken.etf")},
                      Environment({{"LANG", "de_DE.UTF-8"}}), dir.File("de.txt"));
    EXPECT_EQ(1, german.Wait(60));
    EXPECT_NE(
        std::string::npos,
        testing_support::ReadFile(dir.File("de.txt")).find("Laden des Dokuments fehlgeschlagen."));
    ProgramRun english(QV_CLI_PATH, {"outline", dir.File("broken.etf")}, Environment(),
                       dir.File("en.txt"));
    EXPECT_EQ(1, english.Wait(60));
    EXPECT_NE(std::string::npos,
              testing_support::ReadFile(dir.File("en.txt")).find("Loading document failed."));
}

TEST_F(Programs, EditorOpensTheDocumentAndLaterStartsHandTheirsOver) {
    if (!HasDisplay()) {
        GTEST_SKIP() << "needs a display";
    }
    ProgramRun editor(QV_EDITOR_PATH, {dir.File("Alpha.etf")}, Environment(),
                      dir.File("editor.txt"));
    ASSERT_TRUE(editor.Started());
    ASSERT_TRUE(WaitForWindow(editor.Pid(), "Quorvane Editor - Alpha", 60))
        << testing_support::ReadFile(dir.File("editor.txt"));

    ProgramRun second(QV_EDITOR_PATH, {dir.File("Beta.etf")}, Environment(),
                      dir.File("second.txt"));
    EXPECT_EQ(0, second.Wait(60)) << testing_support::ReadFile(dir.File("second.txt"));
    EXPECT_TRUE(WaitForWindow(editor.Pid(), "Quorvane Editor - Beta", 30));

    // A path that is open already brings its window to the front.
    ProgramRun third(QV_EDITOR_PATH, {dir.File("Alpha.etf")}, Environment(), dir.File("third.txt"));
    EXPECT_EQ(0, third.Wait(60));
    EXPECT_TRUE(WaitForWindow(editor.Pid(), "Quorvane Editor - Alpha", 30));
    ProgramRun bare(QV_EDITOR_PATH, {}, Environment(), dir.File("bare.txt"));
    EXPECT_EQ(0, bare.Wait(60));

    // Closing the session ends the editor cleanly; it writes back what it keeps.
    editor.Signal(SIGTERM);
    EXPECT_EQ(0, editor.Wait(60)) << testing_support::ReadFile(dir.File("editor.txt"));
    // The most recently opened first; bringing an open document forward does not count.
    platform::RegistryStore registry(dir.File(".config/Quorvane/Editor/registry.conf"));
    EXPECT_EQ(dir.File("Beta.etf"), registry.GetString("Recent File List", "File1"));
    EXPECT_EQ(dir.File("Alpha.etf"), registry.GetString("Recent File List", "File2"));
}

TEST_F(Programs, EditorWithoutDocumentOpensNone) {
    if (!HasDisplay()) {
        GTEST_SKIP() << "needs a display";
    }
    ProgramRun editor(QV_EDITOR_PATH, {}, Environment(), dir.File("editor.txt"));
    ASSERT_TRUE(WaitForWindow(editor.Pid(), "Quorvane Editor", 60))
        << testing_support::ReadFile(dir.File("editor.txt"));
    // The search can come back empty while the toolkit makes or drops a short-lived window of
    // its own; the window was found above, so only an answer with names counts.
    std::vector<std::string> names;
    for (int attempt = 0; attempt < 20 && names.empty(); ++attempt) {
        names = testing_support::WindowNamesOf(editor.Pid(), "Quorvane Editor");
        if (names.empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    EXPECT_EQ(std::vector<std::string>{"Quorvane Editor"}, names);
    editor.Signal(SIGTERM);
    EXPECT_EQ(0, editor.Wait(60));
}

TEST_F(Programs, StartUpChecksAskTheServerOnceAndSessionEndClosesTheTip) {
    if (!HasDisplay()) {
        GTEST_SKIP() << "needs a display";
    }
    testing_support::LocalHttpServer server;
    server.Serve("/downloads/media/en.editor.rss", "text/xml",
                 "<rss><channel><title>News</title><item><title>New</title><description>d"
                 "</description><link>http://n.test/?A=5</link></item></channel></rss>");
    server.Serve("/downloads/media/editor.osd", "text/xml",
                 "<SOFTPKG NAME=\"x\" VERSION=\"1,0,1,23\"/>");
    testing_support::WriteFile(dir.File(".Editor"), "WebHost=" + server.HostAndPort() + "\n");
    auto environment = Environment({{"LANG", "en_US.UTF-8"}});
    environment.erase("QUORVANE_NO_STARTUP_CHECKS");
    for (const char* proxy : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) {
        environment.erase(proxy);
    }
    ProgramRun editor(QV_EDITOR_PATH, {}, environment, dir.File("editor.txt"));
    ASSERT_TRUE(WaitForWindow(editor.Pid(), "Tips and Tricks", 60))
        << testing_support::ReadFile(dir.File("editor.txt"));
    EXPECT_EQ(1, server.HitCount("/downloads/media/en.editor.rss"));

    editor.Signal(SIGTERM);
    EXPECT_EQ(0, editor.Wait(60)) << testing_support::ReadFile(dir.File("editor.txt"));
    // A session that ends starts nothing more: the update check that follows the tip is left
    // out. The item shown is remembered.
    EXPECT_EQ(0, server.HitCount("/downloads/media/editor.osd"));
    platform::RegistryStore registry(dir.File(".config/Quorvane/Editor/registry.conf"));
    EXPECT_EQ(5, registry.GetInt("Tip", "LastID", 0));
}

TEST_F(Programs, RegisterAndUnregisterOpenNoWindow) {
    if (!HasDisplay()) {
        GTEST_SKIP() << "needs a display";
    }
    const auto environment = Environment();
    ProgramRun registering(QV_EDITOR_PATH, {"/Register"}, environment, dir.File("reg.txt"));
    EXPECT_EQ(0, registering.Wait(60)) << testing_support::ReadFile(dir.File("reg.txt"));
    const std::string entry = dir.File(".local/share/applications/quorvane-editor.desktop");
    EXPECT_NE(std::string::npos,
              testing_support::ReadFile(entry).find(std::string("\nExec=") + QV_EDITOR_PATH))
        << testing_support::ReadFile(entry);
    // Started from the build folder, the icons come along into the user's theme.
    const std::string icon =
        dir.File(".local/share/icons/hicolor/scalable/apps/quorvane-editor.svg");
    EXPECT_TRUE(std::filesystem::exists(icon));
    ProgramRun unregistering(QV_EDITOR_PATH, {"/Unregister"}, environment, dir.File("unreg.txt"));
    EXPECT_EQ(0, unregistering.Wait(60));
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_FALSE(std::filesystem::exists(icon));
}

}  // namespace

namespace {

// Keys and text typed into the window of this name of a process, as a person types them.
void TypeInto(int pid, const std::string& window, const std::string& keys,
              const std::string& text = {}) {
    // The window of exactly that name gets the focus (there is no window manager to ask);
    // the keys then go to whatever has it, as they would from the keyboard.
    const std::string focus = "xdotool search --pid " + std::to_string(pid) + " --name '^" +
                              window + "$' windowfocus --sync %1 >/dev/null 2>&1";
    std::system(focus.c_str());
    std::string command = keys.empty() ? "xdotool" : "xdotool key --clearmodifiers " + keys;
    if (!text.empty()) {
        command += " type --delay 20 '" + text + "'";
    }
    EXPECT_EQ(0, std::system((command + " >/dev/null 2>&1").c_str())) << command;
}

std::vector<std::filesystem::path> CopiesIn(const std::string& folder, const char* extension) {
    std::vector<std::filesystem::path> copies;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.path().extension() == extension) {
            copies.push_back(entry.path());
        }
    }
    return copies;
}

}  // namespace

TEST_F(Programs, AKilledEditorsWorkIsOfferedAtTheNextStartAndRestored) {
    if (!HasDisplay()) {
        GTEST_SKIP() << "needs a display";
    }
    testing_support::WriteFile(dir.File(".Editor"),
                               "UpdateCheck=0\nShowTips=0\nRecoveryInterval=1\n");
    const auto environment = Environment({{"XDG_STATE_HOME", dir.File("state")}});
    const std::string folder = dir.File("state/Quorvane/Editor/recovery");
    const std::string original = testing_support::ReadFile(dir.File("Alpha.etf"));
    const auto holdsBoth = [](const std::string& text) {
        return text.find("Typed before the crash") != std::string::npos &&
               text.find("Its body typed too") != std::string::npos;
    };
    {
        ProgramRun editor(QV_EDITOR_PATH, {dir.File("Alpha.etf")}, environment,
                          dir.File("editor.txt"));
        ASSERT_TRUE(WaitForWindow(editor.Pid(), "Quorvane Editor - Alpha", 60))
            << testing_support::ReadFile(dir.File("editor.txt"));
        // The start-up is over (the window shows its document) before a person types.
        std::this_thread::sleep_for(std::chrono::seconds(2));
        // A new section, its title typed straight away.
        TypeInto(editor.Pid(), "Quorvane Editor - Alpha", "ctrl+Return");
        TypeInto(editor.Pid(), "Quorvane Editor - Alpha", "", "Typed before the crash");
        // Enter takes the title and the keyboard on to the section's body.
        TypeInto(editor.Pid(), "Quorvane Editor - Alpha", "Return");
        std::this_thread::sleep_for(std::chrono::seconds(1));
        TypeInto(editor.Pid(), "Quorvane Editor - Alpha", "", "Its body typed too");
        // The copy is written within the interval (a loaded machine may take longer), the
        // body being typed flushed into it.
        bool copied = false;
        for (int i = 0; i < 300 && !copied; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            for (const auto& copy : CopiesIn(folder, ".etf")) {
                copied = copied || holdsBoth(testing_support::ReadFile(copy.string()));
            }
        }
        std::string seen;
        for (const auto& copy : CopiesIn(folder, ".etf")) {
            seen += testing_support::ReadFile(copy.string());
        }
        ASSERT_TRUE(copied) << testing_support::ReadFile(dir.File("editor.txt")) << seen;
        editor.Signal(SIGKILL);
        editor.Wait(30);
    }
    EXPECT_EQ(testing_support::ReadFile(dir.File("Alpha.etf")), original) << "never saved";
    ASSERT_EQ(CopiesIn(folder, ".info").size(), 1u);
    const std::filesystem::path left = CopiesIn(folder, ".info")[0];

    ProgramRun next(QV_EDITOR_PATH, {}, environment, dir.File("next.txt"));
    ASSERT_TRUE(WaitForWindow(next.Pid(), "Recover Documents", 60))
        << testing_support::ReadFile(dir.File("next.txt"));
    TypeInto(next.Pid(), "Recover Documents", "Return");  // Restore, the default
    // Open at its own path, modified: the restored document keeps a copy of its own.
    bool shown = false;
    for (int i = 0; i < 300 && !shown; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        shown = !testing_support::WindowNamesOf(next.Pid(), "Quorvane Editor - Alpha").empty();
    }
    ASSERT_TRUE(shown) << testing_support::ReadFile(dir.File("next.txt"));
    bool restored = false;
    for (int i = 0; i < 300 && !restored; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const auto infos = CopiesIn(folder, ".info");
        restored = infos.size() == 1 && infos[0] != left;
    }
    EXPECT_TRUE(restored) << "the old copy gives way to the restored document's own";
    const auto copies = CopiesIn(folder, ".etf");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_TRUE(holdsBoth(testing_support::ReadFile(copies[0].string())))
        << testing_support::ReadFile(copies[0].string());
    EXPECT_NE(testing_support::ReadFile(CopiesIn(folder, ".info")[0].string())
                  .find("path=" + dir.File("Alpha.etf")),
              std::string::npos);
    next.Signal(SIGKILL);
}
