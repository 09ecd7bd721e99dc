#include "app/desktop_registration.h"
#include "platform/desktop.h"
#include "platform/paths.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The package's desktop entry and MIME type are the ones /Register writes for a program on
// the path; an edit of one without the other would give two different entries.
TEST(DesktopFiles, PackageFilesAreWhatRegisterWrites) {
    EXPECT_EQ(testing_support::ReadFile(QV_SOURCE_DIR "/data/quorvane-editor.desktop"),
              DesktopEntryText("quorvane-editor"));
    EXPECT_EQ(testing_support::ReadFile(QV_SOURCE_DIR "/data/quorvane-editor-mime.xml"),
              MimePackageText());
    for (const char* icon : {kApplicationIcon, kEtfIcon}) {
        EXPECT_TRUE(platform::FileExists(std::string(QV_SOURCE_DIR "/data/icons/") + icon + ".svg"))
            << icon;
    }
}

TEST(DesktopFiles, ExecQuotesOnlyWhatNeedsIt) {
    EXPECT_NE(std::string::npos, DesktopEntryText("/usr/lib/quorvane-editor/quorvane-editor")
                                     .find("\nExec=/usr/lib/quorvane-editor/quorvane-editor %f\n"));
    EXPECT_NE(std::string::npos,
              DesktopEntryText("/home/a b/bin/qe").find("Exec=\"/home/a b/bin/qe\" %f"));
    // '%' starts a field code, '$' and '`' mean something to the shell that runs it.
    EXPECT_NE(std::string::npos,
              DesktopEntryText("/opt/100%/$x`y`").find("Exec=\"/opt/100%%/\\\\$x\\\\`y\\\\`\" %f"));
}

class Registration : public testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_DATA_HOME");
        m_had = old != nullptr;
        m_saved = m_had ? old : "";
        setenv("XDG_DATA_HOME", data.path().c_str(), 1);
        platform::SetLauncher([this](const std::vector<std::string>& argv, const std::string&) {
            started.push_back(argv);
            return true;
        });
    }
    void TearDown() override {
        platform::SetLauncher({});
        if (m_had) {
            setenv("XDG_DATA_HOME", m_saved.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }

    testing_support::TempDir data;
    testing_support::TempDir programs;
    std::vector<std::vector<std::string>> started;

private:
    bool m_had = false;
    std::string m_saved;
};

TEST_F(Registration, IconsBesideTheProgramGoIntoTheUsersThemeAndOutAgain) {
    std::filesystem::create_directories(programs.File("icons"));
    testing_support::WriteFile(programs.File("icons/quorvane-editor.svg"), "<svg id='app'/>");
    testing_support::WriteFile(programs.File("icons/application-x-quorvane-etf.svg"),
                               "<svg id='doc'/>");
    ASSERT_TRUE(RegisterWithDesktop(programs.File("quorvane-editor")));
    const std::string theme = data.File("icons/hicolor/scalable/");
    EXPECT_EQ("<svg id='app'/>", testing_support::ReadFile(theme + "apps/quorvane-editor.svg"));
    EXPECT_EQ("<svg id='doc'/>",
              testing_support::ReadFile(theme + "mimetypes/application-x-quorvane-etf.svg"));
    EXPECT_NE(std::string::npos,
              testing_support::ReadFile(data.File("mime/packages/quorvane-editor.xml"))
                  .find("<icon name=\"application-x-quorvane-etf\"/>"));

    ASSERT_TRUE(UnregisterFromDesktop());
    EXPECT_FALSE(platform::FileExists(theme + "apps/quorvane-editor.svg"));
    EXPECT_FALSE(platform::FileExists(theme + "mimetypes/application-x-quorvane-etf.svg"));
}

TEST_F(Registration, WithoutIconsBesideItTheThemesIconsAreUsed) {
    // An installed editor: its icons are in the system's theme, nothing is copied.
    ASSERT_TRUE(RegisterWithDesktop(programs.File("quorvane-editor")));
    EXPECT_FALSE(std::filesystem::exists(data.File("icons")));
    EXPECT_NE(std::string::npos,
              testing_support::ReadFile(data.File("applications/quorvane-editor.desktop"))
                  .find("\nIcon=quorvane-editor\n"));
    ASSERT_TRUE(UnregisterFromDesktop());
}

}  // namespace
