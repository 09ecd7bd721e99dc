#pragma once

#include <string>
#include <vector>

// The program's command line: a document to open (or print), or a request to register or
// unregister the program with the desktop. Switches are recognised in any case and with "/",
// "-" or "--" in front; the first other argument is the document.
enum class ShellCommand {
    Nothing = -1,
    FileNew = 0,  // no document named
    FileOpen = 1,
    FilePrint = 2,
    Register = 5,
    Unregister = 6,
};

struct CommandLine {
    ShellCommand command = ShellCommand::FileNew;
    std::string path;
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);
