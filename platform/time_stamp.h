#pragma once

#include <ctime>
#include <string>

namespace platform {

// Time stamps are local date and time in the user's LC_TIME locale: the locale's short date,
// a space and its long time ("%x %X"); the time is left out at exactly midnight. They are
// stored as shown to the user and parsed back with the same locale.
std::string FormatTimeStamp(std::time_t when);

// The current local time as a time stamp.
std::string NowTimeStamp();

// Parses a time stamp written by FormatTimeStamp in the same locale; false when the text
// is not one.
bool ParseTimeStamp(const std::string& text, std::time_t& when);

// Text of a failed conversion.
inline constexpr const char* kInvalidTimeStamp = "Invalid DateTime";

}  // namespace platform
