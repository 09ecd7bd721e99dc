#pragma once

#include <string>

// The translation of an English source text in the user's language, from the "Editor"
// message catalog; the text itself when the catalog has none.
std::string Translate(const std::string& text);
