#include "core/version.h"

#include "core/identity.h"
#include "core/settings.h"

namespace {

uint16_t ToPart(const std::string& text) {
    return static_cast<uint16_t>(AtoiSetting(text));
}

}  // namespace

std::string FormatVersion(const ivVersion& v, int parts) {
    switch (parts) {
        case 1:
            return std::to_string(v.major);
        case 2:
            return std::to_string(v.major) + "." + std::to_string(v.minor);
        case 3:
            return std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
                   std::to_string(v.revision);
        default:
            return std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
                   std::to_string(v.revision) + "." + std::to_string(v.build);
    }
}

std::string FormatVersion(unsigned major, unsigned minor, unsigned revision, unsigned build,
                          int parts) {
    return FormatVersion(ivVersion{static_cast<uint16_t>(major), static_cast<uint16_t>(minor),
                                   static_cast<uint16_t>(revision), static_cast<uint16_t>(build)},
                         parts);
}

ivVersion ParseVersion(const std::string& text, char separator) {
    uint16_t parts[4] = {0, 0, 0, 0};
    int count = 0;
    size_t start = 0;
    while (start < text.size() && count < 4) {
        const size_t end = text.find(separator, start);
        const size_t length = (end == std::string::npos ? text.size() : end) - start;
        if (length > 0) {
            parts[count++] = ToPart(text.substr(start, length));
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return ivVersion{parts[0], parts[1], parts[2], parts[3]};
}

int CompareVersion(const ivVersion& first, const ivVersion& second) {
    if (first.major != second.major) {
        return second.major - first.major;
    }
    if (first.minor != second.minor) {
        return second.minor - first.minor;
    }
    if (first.revision != second.revision) {
        return second.revision - first.revision;
    }
    return second.build - first.build;
}

int CompareVersion(unsigned major1, unsigned minor1, unsigned revision1, unsigned build1,
                   unsigned major2, unsigned minor2, unsigned revision2, unsigned build2) {
    return CompareVersion(
        ivVersion{static_cast<uint16_t>(major1), static_cast<uint16_t>(minor1),
                  static_cast<uint16_t>(revision1), static_cast<uint16_t>(build1)},
        ivVersion{static_cast<uint16_t>(major2), static_cast<uint16_t>(minor2),
                  static_cast<uint16_t>(revision2), static_cast<uint16_t>(build2)});
}

int CompareVersion(const std::string& first, const std::string& second) {
    return CompareVersion(ParseVersion(first), ParseVersion(second));
}

ivVersion ApplicationVersion() {
    return ivVersion{static_cast<uint16_t>(identity::kVersionParts[0]),
                     static_cast<uint16_t>(identity::kVersionParts[1]),
                     static_cast<uint16_t>(identity::kVersionParts[2]),
                     static_cast<uint16_t>(identity::kVersionParts[3])};
}

std::string GetUserAgent() {
    return std::string(identity::kRegistryKey) + " " + identity::kAppName + "/" +
           FormatVersion(ApplicationVersion(), 2);
}
