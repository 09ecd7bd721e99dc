#pragma once

#include "platform/file_io.h"

#include <string>

// "<path>: <reason>" for a failed file operation, in the user's language; for an error of
// the system, the reason is the system's own text for it.
std::string DescribeFileError(const platform::FileError& error);
