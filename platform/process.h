#pragma once

#include <string>
#include <vector>

namespace platform {

// Runs a program with arguments (argv[0] searched in PATH) in workingDirectory (empty: the
// current one) and waits for it to end. False when it cannot be started; otherwise
// exitStatus receives its exit status, or 128 plus the signal that ended it.
bool RunAndWait(const std::vector<std::string>& argv, const std::string& workingDirectory,
                int& exitStatus);

// Starts a program the same way without waiting for it; it is not left as a zombie when it
// ends. False when it cannot be started. Most callers want StartDetached (desktop.h), which
// tests can intercept.
bool SpawnDetached(const std::vector<std::string>& argv, const std::string& workingDirectory);

// Identifies a running process beyond its id, which the system gives out again: its start
// time in clock ticks after boot. Empty when no process has that id.
std::string ProcessIdentity(long pid);

// This process's id and identity.
long CurrentProcessId();

}  // namespace platform
