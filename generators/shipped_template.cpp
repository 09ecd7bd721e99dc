#include "generators/shipped_template.h"

#include "core/directories.h"
#include "platform/paths.h"

std::string FindShippedTemplate(const std::string& moduleDirectory) {
    for (const char* relative :
         {"templates/default.htm", "../../share/quorvane-editor/templates/default.htm"}) {
        const std::string candidate = moduleDirectory + relative;
        if (platform::FileExists(candidate)) {
            return candidate;
        }
    }
    return {};
}

std::string ResolveTemplatePath(const std::string& setting) {
    if (setting != kShippedTemplateName) {
        return setting;
    }
    const std::string shipped = FindShippedTemplate(GetModuleDirectory());
    return shipped.empty() ? setting : shipped;
}
