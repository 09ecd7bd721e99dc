#pragma once

#include <string>
#include <vector>

// Every setting the program reads, with its default. Numbers are read with AtoiSetting, so a
// value that is not a number counts as 0.
struct SettingKey {
    const char* key;
    const char* defaultValue;  // null: computed, see DefaultSettingValue
};

namespace settings {

inline constexpr SettingKey kMaxMRU{"/MaxMRU", "5"};
inline constexpr SettingKey kShowMaximized{"/ShowMaximized", ""};
inline constexpr SettingKey kForceDialog{"/ForceDialog", "2"};
inline constexpr SettingKey kUseExternalBrowser{"/UseExternalBrowser", ""};
inline constexpr SettingKey kConfPath{"/ConfPath", ""};
inline constexpr SettingKey kTempPath{"/TempPath", nullptr};  // $TEMP, $TMPDIR or /tmp/
inline constexpr SettingKey kLanguage{"/Language", ""};
inline constexpr SettingKey kTheme{"/Theme", ""};
inline constexpr SettingKey kAutoSave{"/AutoSave", ""};
inline constexpr SettingKey kTargetPath{"/TargetPath", nullptr};  // the documents folder
inline constexpr SettingKey kHtmlTemplate{"/Generators/HTML/Template", ""};
inline constexpr SettingKey kHelpCompiler{"/Generators/HTML Help Workshop/Compiler", "chmcmd"};
inline constexpr SettingKey kEditOnClick{"/EditOnClick", ""};
inline constexpr SettingKey kForceOldRichEdit{"/ForceOldRichEdit", ""};
inline constexpr SettingKey kLoadLayout{"/LoadLayout", "1"};
// "0" skips the automatic update check at start-up; a user's request always runs.
inline constexpr SettingKey kUpdateCheck{"/UpdateCheck", "1"};
// The tip dialog's "Show tips at start-up" check box.
inline constexpr SettingKey kShowTips{"/ShowTips", "1"};
// Seconds between recovery copies of a modified document; "0" writes none.
inline constexpr SettingKey kRecoveryInterval{"/RecoveryInterval", "30"};
// Host of the product page, the update manifest and the news feed.
inline constexpr SettingKey kWebHost{"/WebHost", "www.quorvane.example"};

}  // namespace settings

// Every key above, in this order.
const std::vector<SettingKey>& AllSettingKeys();

// The default of a key, computing those that depend on the environment.
std::string DefaultSettingValue(const SettingKey& key);

// The setting, or its default.
std::string ReadSetting(const SettingKey& key);

// The setting read as a number (AtoiSetting), or its default read so.
int ReadSettingNumber(const SettingKey& key);

// As ReadSetting; a non-empty result gets a trailing "/" when it has none.
std::string ReadSettingPath(const SettingKey& key);

bool WriteSetting(const SettingKey& key, const std::string& value);
