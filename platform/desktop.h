#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

// Hands a file or URL to the desktop's default application ("open"), prints a file, or
// starts a mail with a file attached. Each starts the helper program without waiting; false
// when it cannot be started.
bool OpenWithDesktop(const std::string& fileOrUrl);
bool PrintWithDesktop(const std::string& file);
bool MailWithDesktop(const std::string& file);

// Starts a program with arguments (argv[0] searched in PATH), detached, without a shell;
// workingDirectory empty keeps the current one.
bool StartDetached(const std::vector<std::string>& argv, const std::string& workingDirectory = {});

// Replaces how programs are started: tests install a recorder so that nothing is opened.
// An empty function restores the real launcher.
using Launcher =
    std::function<bool(const std::vector<std::string>& argv, const std::string& workingDirectory)>;
void SetLauncher(Launcher launcher);

}  // namespace platform
