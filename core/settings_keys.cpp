#include "core/settings_keys.h"

#include "core/settings.h"
#include "platform/paths.h"

#include <cstring>

const std::vector<SettingKey>& AllSettingKeys() {
    using namespace settings;
    static const std::vector<SettingKey> keys = {
        kMaxMRU,       kShowMaximized, kForceDialog, kUseExternalBrowser, kConfPath,
        kTempPath,     kLanguage,      kTheme,       kAutoSave,           kTargetPath,
        kHtmlTemplate, kHelpCompiler,  kEditOnClick, kForceOldRichEdit,   kLoadLayout,
        kUpdateCheck,  kShowTips,      kWebHost,     kRecoveryInterval};
    return keys;
}

std::string DefaultSettingValue(const SettingKey& key) {
    if (key.defaultValue != nullptr) {
        return key.defaultValue;
    }
    if (std::strcmp(key.key, settings::kTempPath.key) == 0) {
        return platform::EnvironmentTempDirectory();
    }
    if (std::strcmp(key.key, settings::kTargetPath.key) == 0) {
        return platform::UserDocumentsDirectory();
    }
    return {};
}

std::string ReadSetting(const SettingKey& key) {
    return GetSetting(key.key, DefaultSettingValue(key));
}

int ReadSettingNumber(const SettingKey& key) {
    return AtoiSetting(ReadSetting(key));
}

std::string ReadSettingPath(const SettingKey& key) {
    return GetSettingPath(key.key, DefaultSettingValue(key));
}

bool WriteSetting(const SettingKey& key, const std::string& value) {
    return SetSetting(key.key, value);
}
