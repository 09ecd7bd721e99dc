#pragma once

#include <string>

// The translation of an English source text in the user's language, looked up in every loaded
// catalog (the "Editor" catalog and wxWidgets' own); the text itself, byte for byte, when no
// catalog has it or no language was loaded (see localisation.h).
std::string Translate(const std::string& text);

// Translate(format) with its printf conversions filled in from the arguments. The catalog's
// translation must keep the conversions of the English text ("c-format" entries, checked by
// msgfmt --check).
std::string TranslateFormat(const char* format, ...);
