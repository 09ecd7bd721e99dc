#pragma once

#include <string>

// Reads a whole file as bytes; empty when it cannot be opened.
std::string ReadWholeFile(const std::string& path);

// Creates (or truncates) a file and writes text into it; a file that cannot be created is
// skipped silently.
void WriteWholeFile(const std::string& path, const std::string& text);
