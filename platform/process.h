#pragma once

#include <string>
#include <vector>

namespace platform {

// Runs a program with arguments (argv[0] searched in PATH) in workingDirectory (empty: the
// current one) and waits for it to end. False when it cannot be started; otherwise
// exitStatus receives its exit status, or 128 plus the signal that ended it.
bool RunAndWait(const std::vector<std::string>& argv, const std::string& workingDirectory,
                int& exitStatus);

}  // namespace platform
