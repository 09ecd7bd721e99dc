#include "core/directories.h"

#include "core/identity.h"
#include "core/settings.h"
#include "platform/paths.h"

std::string GetModuleDirectory() {
    return platform::ExecutableDirectory();
}

std::string GetConfDirectory() {
    const std::string configured = GetSettingPath("/ConfPath");
    if (!configured.empty()) {
        return configured;
    }
    return platform::UserConfigDirectory(identity::kRegistryKey, identity::kAppName);
}

std::string GetTempDirectory() {
    const std::string configured = GetSettingPath("/TempPath");
    return configured.empty() ? platform::EnvironmentTempDirectory() : configured;
}
