#pragma once

#include <string>

// The translation of an English source text in the user's language, looked up in every loaded
// catalog (the "Editor" catalog and wxWidgets' own); the text itself, byte for byte, when no
// catalog has it or no language was loaded (see localisation.h).
std::string Translate(const std::string& text);
