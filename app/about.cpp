#include "app/about.h"

std::string AboutText(const std::string& registryKey, const std::string& appName,
                      const ivVersion& version) {
    const ivVersion release{version.major, version.minor, 0, 0};
    return registryKey + " " + appName + " " + kEditionName + "\n" + "Release " +
           FormatVersion(release, 2) + " (" + FormatVersion(version, 4) + ")\n" + "\n" +
           "Copyright (C) 2024 " + registryKey + ". All rights reserved.\n" + registryKey +
           " and " + registryKey + " " + appName + " are trademarks of " + registryKey + ".";
}
