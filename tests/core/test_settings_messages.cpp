#include "core/directories.h"
#include "core/messages.h"
#include "core/settings.h"
#include "core/translate.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

using testing_support::IsolatedSettings;
using testing_support::MessageRecorder;
using testing_support::TempDir;

TEST(Settings, ReadWriteAndDefaultsSurviveReopening) {
    TempDir dir;
    const std::string file = dir.File("settings.conf");
    InstallSettingsStore(file);
    EXPECT_EQ(GetSetting("/MaxMRU", "5"), "5");
    EXPECT_EQ(GetSetting("/Theme"), "");
    EXPECT_TRUE(SetSetting("/Generators/HTML/Template", "/home/u/tmpl=1.htm"));
    EXPECT_TRUE(SetSetting("/AutoSave", "1"));
    ReleaseSettingsStore();  // writes the file back

    InstallSettingsStore(file);
    EXPECT_EQ(GetSetting("/Generators/HTML/Template"), "/home/u/tmpl=1.htm");
    EXPECT_EQ(GetSettingNumber("/AutoSave"), 1);
    ReleaseSettingsStore();
    EXPECT_NE(testing_support::ReadFile(file).find("[Generators/HTML]"), std::string::npos);
}

TEST(Settings, NumbersAreReadTheWayAtoiReadsThem) {
    EXPECT_EQ(AtoiSetting("12"), 12);
    EXPECT_EQ(AtoiSetting("  -3x"), -3);
    EXPECT_EQ(AtoiSetting("+7"), 7);
    EXPECT_EQ(AtoiSetting("abc"), 0);
    EXPECT_EQ(AtoiSetting(""), 0);
    EXPECT_EQ(AtoiSetting("99999999999999999999"), 2147483647);
    EXPECT_EQ(AtoiSetting("-99999999999999999999"), -2147483647 - 1);
    IsolatedSettings settings;
    SetSetting("/MaxMRU", "many");
    EXPECT_EQ(GetSettingNumber("/MaxMRU", "5"), 0);
    EXPECT_EQ(GetSettingNumber("/ForceDialog", "2"), 2);
}

TEST(Settings, PathsGetATrailingSeparator) {
    IsolatedSettings settings;
    SetSetting("/TargetPath", "/srv/out");
    EXPECT_EQ(GetSettingPath("/TargetPath"), "/srv/out/");
    SetSetting("/TargetPath", "/srv/out/");
    EXPECT_EQ(GetSettingPath("/TargetPath"), "/srv/out/");
    EXPECT_EQ(GetSettingPath("/Unset"), "");
}

TEST(Directories, ConfigurationAndTemporaryFolders) {
    IsolatedSettings settings;
    EXPECT_EQ(GetConfDirectory(), settings.ConfDir());
    SetSetting("/TempPath", "/var/tmp/q");
    EXPECT_EQ(GetTempDirectory(), "/var/tmp/q/");

    // Without settings: the per-user folder (created), and $TEMP, $TMPDIR, /tmp/ in turn.
    SetSetting("/ConfPath", "");
    SetSetting("/TempPath", "");
    TempDir home;
    setenv("XDG_CONFIG_HOME", (home.path() + "cfg").c_str(), 1);
    EXPECT_EQ(GetConfDirectory(), home.path() + "cfg/Quorvane/Editor/");
    EXPECT_TRUE(std::filesystem::is_directory(home.path() + "cfg/Quorvane/Editor"));
    unsetenv("XDG_CONFIG_HOME");

    const char* temp = std::getenv("TEMP");
    const char* tmpdir = std::getenv("TMPDIR");
    const std::string savedTemp = temp ? temp : "", savedTmpdir = tmpdir ? tmpdir : "";
    setenv("TEMP", "/t1", 1);
    setenv("TMPDIR", "/t2", 1);
    EXPECT_EQ(GetTempDirectory(), "/t1/");
    unsetenv("TEMP");
    EXPECT_EQ(GetTempDirectory(), "/t2/");
    unsetenv("TMPDIR");
    EXPECT_EQ(GetTempDirectory(), "/tmp/");
    if (temp)
        setenv("TEMP", savedTemp.c_str(), 1);
    if (tmpdir)
        setenv("TMPDIR", savedTmpdir.c_str(), 1);

    EXPECT_EQ(GetModuleDirectory().back(), '/');
}

TEST(Messages, GoToStandardErrorWithoutAWindow) {
    testing::internal::CaptureStderr();
    ShowMessage("Saving document failed.", {}, 0, kMessageError);
    ShowMessageBox("Done.", kMessageInformation);
    EXPECT_EQ(AskQuestion("Really remove the current section?"), kAnswerNo);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Saving document failed.\nDone.\nReally remove the current section?\n");
}

TEST(Messages, PresenterReceivesTextAndSeverity) {
    MessageRecorder recorder(kAnswerYes);
    ShowMessageBox("Loading document failed.", kMessageError);
    ShowMessage("Note", "Title", 0, kMessageInformation);
    EXPECT_EQ(AskQuestion("Sure?", true), kAnswerYes);
    ASSERT_EQ(recorder.Messages().size(), 3u);
    EXPECT_EQ(recorder.Flags()[0], kMessageError | kMessagePreferDialog);
    EXPECT_EQ(SeverityOf(recorder.Flags()[0]), MessageSeverity::Error);
    EXPECT_EQ(SeverityOf(kMessageWarning), MessageSeverity::Warning);
    EXPECT_EQ(SeverityOf(0x01000000), MessageSeverity::Information);
}

TEST(Translate, PassesTextThroughWithoutACatalog) {
    EXPECT_EQ(Translate("Document"), "Document");
    EXPECT_EQ(Translate("Gr\xc3\xbc\xc3\x9f"), "Gr\xc3\xbc\xc3\x9f");
}

}  // namespace
