#include "core/directories.h"

#include "core/identity.h"
#include "core/settings_keys.h"
#include "platform/paths.h"

std::string GetModuleDirectory() {
    return platform::ExecutableDirectory();
}

std::string GetConfDirectory() {
    const std::string configured = ReadSettingPath(settings::kConfPath);
    if (!configured.empty()) {
        return configured;
    }
    return platform::UserConfigDirectory(identity::kRegistryKey, identity::kAppName);
}

std::string GetTempDirectory() {
    // Set but empty counts as not set.
    const std::string configured = ReadSettingPath(settings::kTempPath);
    return configured.empty() ? platform::EnvironmentTempDirectory() : configured;
}
