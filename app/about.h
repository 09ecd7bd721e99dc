#pragma once

#include "core/version.h"

#include <string>

// The edition this build is.
inline constexpr const char* kEditionName = "Community Edition";

// The about text: maker, application and edition; "Release" with the two- and four-part
// version; an empty line; the copyright and trademark lines.
std::string AboutText(const std::string& registryKey, const std::string& appName,
                      const ivVersion& version);
