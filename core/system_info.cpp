#include "core/system_info.h"

#include <wx/platinfo.h>
#include <wx/utils.h>

std::string SystemDescription() {
    int major = 0;
    int minor = 0;
    const wxOperatingSystemId os = wxGetOsVersion(&major, &minor);
    const std::string family = (os & wxOS_UNIX_LINUX) != 0 ? "Linux" : "?";
    std::string processor = wxGetCpuArchitectureName().utf8_string();
    if (processor.empty()) {
        processor = "?";
    }
    return processor + " " + family + " " + std::to_string(major < 0 ? 0 : major) + "." +
           std::to_string(minor < 0 ? 0 : minor);
}

std::string NormaliseMessage(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r' || c == '\f') {
            c = ' ';
        }
    }
    const size_t end = text.find_last_not_of(" \t\n\r\f\v");
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}
