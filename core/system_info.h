#pragma once

#include <string>

// "%s %s %lu.%lu" of processor, system family ("Linux", "?" for any other) and the system's
// major and minor version, e.g. "x86_64 Linux 6.1". The update check splits it at blanks.
std::string SystemDescription();

// Every tab, line feed, carriage return and form feed becomes a blank; trailing white space
// is removed. Used for error texts that are shown or stored on one line.
std::string NormaliseMessage(std::string text);
