#pragma once

#include <ctime>
#include <string>

namespace platform {

// Time stamps are local date and time in the user's LC_TIME locale: the locale's short date,
// a space and its long time ("%x %X"); the time is left out at exactly midnight. They are
// stored as shown to the user and parsed back with the same locale.
std::string FormatTimeStamp(std::time_t when);

// when as local time formatted with strftime's format in the user's LC_TIME locale; empty
// when nothing could be formatted.
std::string FormatLocalTime(std::time_t when, const char* format);

// The current local time as a time stamp.
std::string NowTimeStamp();

// Parses a time stamp written by FormatTimeStamp in the same locale; false when the text
// is not one, or names a day that does not exist (the 31st of February).
bool ParseTimeStamp(const std::string& text, std::time_t& when);

// Parses a date a person typed: a time stamp as above, or day, month and year separated by
// dots ("31.12.2026"), each optionally followed by a time ("15:09" or "15:09:26"). False for
// anything else, and for days that do not exist.
bool ParseDateText(const std::string& text, std::time_t& when);

// Text of a failed conversion.
inline constexpr const char* kInvalidTimeStamp = "Invalid DateTime";

}  // namespace platform
