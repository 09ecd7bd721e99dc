#include "app/command_line.h"

#include <algorithm>
#include <cctype>

namespace {

// The switch name without its leading "/", "-" or "--", lower case; empty for no switch.
std::string SwitchName(const std::string& arg) {
    size_t start = 0;
    if (arg.rfind("--", 0) == 0) {
        start = 2;
    } else if (!arg.empty() && (arg[0] == '/' || arg[0] == '-')) {
        start = 1;
    }
    if (start == 0) {
        return {};
    }
    std::string name = arg.substr(start);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    bool print = false;
    for (const std::string& arg : args) {
        const std::string name = SwitchName(arg);
        if (name == "register" || name == "regserver") {
            line.command = ShellCommand::Register;
        } else if (name == "unregister" || name == "unregserver") {
            line.command = ShellCommand::Unregister;
        } else if (name == "p") {
            print = true;
        } else if (line.path.empty()) {
            // Anything else is the document, also a path that begins with "/".
            line.path = arg;
        }
    }
    if (line.command == ShellCommand::Register || line.command == ShellCommand::Unregister) {
        return line;
    }
    if (!line.path.empty()) {
        line.command = print ? ShellCommand::FilePrint : ShellCommand::FileOpen;
    }
    return line;
}
