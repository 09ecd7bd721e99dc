#include "app/about.h"
#include "app/command_line.h"
#include "app/desktop_registration.h"
#include "core/directories.h"
#include "core/settings.h"
#include "core/settings_keys.h"
#include "core/system_info.h"
#include "core/version.h"
#include "platform/desktop.h"
#include "platform/paths.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

namespace {

TEST(Version, FormatsOneToFourParts) {
    const ivVersion v{1, 0, 1, 23};
    EXPECT_EQ("1", FormatVersion(v, 1));
    EXPECT_EQ("1.0", FormatVersion(v, 2));
    EXPECT_EQ("1.0.1", FormatVersion(v, 3));
    EXPECT_EQ("1.0.1.23", FormatVersion(v, 4));
    EXPECT_EQ("1.0.1.23", FormatVersion(v, 0)) << "any other count gives four parts";
    EXPECT_EQ("1.0.1.23", FormatVersion(v, 7));
    EXPECT_EQ("65535.2", FormatVersion(65535, 2, 3, 4, 2));
}

TEST(Version, ParsesLikeAtoiPerPart) {
    EXPECT_EQ((ivVersion{1, 0, 1, 23}), ParseVersion("1.0.1.23"));
    EXPECT_EQ((ivVersion{1, 2, 0, 0}), ParseVersion("1.2"));
    EXPECT_EQ((ivVersion{1, 2, 3, 0}), ParseVersion("1..2...3")) << "runs of dots are one";
    EXPECT_EQ((ivVersion{1, 2, 3, 4}), ParseVersion("1.2.3.4.5.6"));
    EXPECT_EQ((ivVersion{7, 0, 3, 0}), ParseVersion("7x.beta.3"));
    EXPECT_EQ((ivVersion{}), ParseVersion(""));
    EXPECT_EQ((ivVersion{1, 0, 1, 24}), ParseVersion("1,0,1,24", ','));
}

TEST(Version, ComparesPartByPartAsSecondMinusFirst) {
    EXPECT_EQ(0, CompareVersion(ivVersion{1, 0, 1, 23}, ivVersion{1, 0, 1, 23}));
    EXPECT_EQ(1, CompareVersion(ivVersion{1, 0, 1, 23}, ivVersion{1, 0, 1, 24}));
    EXPECT_EQ(-2, CompareVersion(ivVersion{3, 0, 0, 0}, ivVersion{1, 9, 9, 99}));
    EXPECT_EQ(5, CompareVersion(1, 0, 9, 9, 1, 5, 0, 0)) << "minor decides before revision";
    EXPECT_GT(CompareVersion("1.0.1.23", "1.0.2"), 0);
    EXPECT_LT(CompareVersion("", "0.0.0.0") + CompareVersion("2", "1.9"), 0);
    EXPECT_EQ("Quorvane Editor/1.0", GetUserAgent());
}

TEST(Settings, KeysHaveTheirDefaultsAndNumbersReadLikeAtoi) {
    testing_support::IsolatedSettings isolated;
    EXPECT_EQ(5, ReadSettingNumber(settings::kMaxMRU));
    EXPECT_EQ(2, ReadSettingNumber(settings::kForceDialog));
    EXPECT_EQ(1, ReadSettingNumber(settings::kLoadLayout));
    EXPECT_EQ(1, ReadSettingNumber(settings::kUpdateCheck));
    EXPECT_EQ(1, ReadSettingNumber(settings::kShowTips));
    EXPECT_EQ(0, ReadSettingNumber(settings::kShowMaximized));
    EXPECT_EQ("", ReadSetting(settings::kLanguage));
    EXPECT_EQ("chmcmd", ReadSetting(settings::kHelpCompiler));
    EXPECT_EQ(platform::UserDocumentsDirectory(), ReadSetting(settings::kTargetPath));
    for (const SettingKey& key : AllSettingKeys()) {
        EXPECT_EQ('/', key.key[0]) << key.key;
    }

    SetSetting("/MaxMRU", "many");
    EXPECT_EQ(0, ReadSettingNumber(settings::kMaxMRU)) << "a non-number counts as 0";
    SetSetting("/MaxMRU", "  12 files");
    EXPECT_EQ(12, ReadSettingNumber(settings::kMaxMRU));
    SetSetting("/UpdateCheck", "0");
    EXPECT_EQ(0, ReadSettingNumber(settings::kUpdateCheck));
}

TEST(Settings, TempPathGetsASeparatorAndFallsBackToTheEnvironment) {
    testing_support::IsolatedSettings isolated;
    SetSetting("/TempPath", "/var/tmp/quorvane");
    EXPECT_EQ("/var/tmp/quorvane/", GetTempDirectory());
    SetSetting("/TempPath", "");
    const char* oldTemp = std::getenv("TEMP");
    const std::string saved = oldTemp != nullptr ? oldTemp : "";
    setenv("TEMP", "/srv/scratch", 1);
    EXPECT_EQ("/srv/scratch/", GetTempDirectory());
    if (oldTemp != nullptr) {
        setenv("TEMP", saved.c_str(), 1);
    } else {
        unsetenv("TEMP");
    }
}

TEST(SystemInfo, DescribesProcessorFamilyAndVersion) {
    EXPECT_TRUE(std::regex_match(SystemDescription(), std::regex(R"(\S+ (Linux|\?) \d+\.\d+)")))
        << SystemDescription();
    EXPECT_EQ("a b   c", NormaliseMessage("a\tb\r\n\fc \n\t "));
    EXPECT_EQ("", NormaliseMessage(" \n"));
}

TEST(About, TextFollowsTheIdentity) {
    const std::string text = AboutText("Quorvane", "Editor", ivVersion{1, 0, 1, 23});
    EXPECT_EQ(0u, text.find("Quorvane Editor Community Edition\nRelease 1.0 (1.0.1.23)\n\n"));
    EXPECT_NE(std::string::npos, text.find("Copyright"));
    EXPECT_EQ(0u, AboutText("Acme", "Writer", ivVersion{2, 5, 0, 7})
                      .find("Acme Writer Community Edition\nRelease 2.5 (2.5.0.7)\n"));
}

TEST(CommandLine, PathOpensSwitchesRegisterNothingIsNew) {
    EXPECT_EQ(ShellCommand::FileNew, ParseCommandLine({}).command);
    const CommandLine open = ParseCommandLine({"/home/anna/Alpha.etf"});
    EXPECT_EQ(ShellCommand::FileOpen, open.command);
    EXPECT_EQ("/home/anna/Alpha.etf", open.path);
    EXPECT_EQ(ShellCommand::Register, ParseCommandLine({"/Register"}).command);
    EXPECT_EQ(ShellCommand::Register, ParseCommandLine({"-regserver"}).command);
    EXPECT_EQ(ShellCommand::Unregister, ParseCommandLine({"--UNREGISTER"}).command);
    const CommandLine print = ParseCommandLine({"/p", "doc.etf"});
    EXPECT_EQ(ShellCommand::FilePrint, print.command);
    EXPECT_EQ("doc.etf", print.path);
}

TEST(DesktopRegistration, WritesAndRemovesEntryAndMimeType) {
    testing_support::TempDir data;
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old != nullptr ? old : "";
    setenv("XDG_DATA_HOME", data.path().c_str(), 1);
    std::vector<std::vector<std::string>> started;
    platform::SetLauncher([&](const std::vector<std::string>& argv, const std::string&) {
        started.push_back(argv);
        return true;
    });

    ASSERT_TRUE(RegisterWithDesktop("/opt/My \"Tools\"/quorvane-editor"));
    const std::string entry =
        testing_support::ReadFile(data.File("applications/quorvane-editor.desktop"));
    EXPECT_NE(std::string::npos,
              entry.find("Exec=\"/opt/My \\\\\"Tools\\\\\"/quorvane-editor\" %f\n"));
    EXPECT_NE(std::string::npos, entry.find("MimeType=application/x-quorvane-etf;"));
    const std::string mime =
        testing_support::ReadFile(data.File("mime/packages/quorvane-editor.xml"));
    EXPECT_NE(std::string::npos, mime.find("<glob pattern=\"*.etf\"/>"));
    ASSERT_FALSE(started.empty());
    EXPECT_EQ("update-mime-database", started[0][0]);

    ASSERT_TRUE(UnregisterFromDesktop());
    EXPECT_FALSE(platform::FileExists(data.File("applications/quorvane-editor.desktop")));
    EXPECT_FALSE(platform::FileExists(data.File("mime/packages/quorvane-editor.xml")));

    platform::SetLauncher({});
    if (old != nullptr) {
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
}

}  // namespace
