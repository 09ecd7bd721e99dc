#pragma once

#include <cstdint>
#include <string>

// Four-part program versions (major, minor, revision, build) and their text forms.
struct ivVersion {
    uint16_t major = 0;
    uint16_t minor = 0;
    uint16_t revision = 0;
    uint16_t build = 0;

    friend bool operator==(const ivVersion&, const ivVersion&) = default;
};

// "%d", "%d.%d", "%d.%d.%d" for 1, 2 or 3 parts; all four parts for any other count.
std::string FormatVersion(const ivVersion& version, int parts);
std::string FormatVersion(unsigned major, unsigned minor, unsigned revision, unsigned build,
                          int parts);

// Splits text at separator (runs of separators count as one) and reads each part the way C's
// atoi does, into the four numbers in order; missing parts are 0, parts after the fourth are
// ignored.
ivVersion ParseVersion(const std::string& text, char separator = '.');

// Compares part by part from major to build; at the first difference returns second minus
// first (positive when second is newer), 0 when equal.
int CompareVersion(const ivVersion& first, const ivVersion& second);
int CompareVersion(unsigned major1, unsigned minor1, unsigned revision1, unsigned build1,
                   unsigned major2, unsigned minor2, unsigned revision2, unsigned build2);
int CompareVersion(const std::string& first, const std::string& second);

// The running program's version.
ivVersion ApplicationVersion();

// "%s %s/%s" of maker key, application name and the two-part version: the HTTP user agent.
std::string GetUserAgent();
