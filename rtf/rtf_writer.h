#pragma once

#include "rtf/model.h"

#include <string>
#include <string_view>

namespace rtf {

// Writes a document as standard RTF that this reader, word processors and rich edit controls
// read back: every character outside ASCII as \uN (surrogate pairs beyond the BMP) with a
// "?" fallback, Word 97 list tables, \field hyperlinks, nested tables through \itap, PNG and
// JPEG pictures as \pict blips, footnotes as \footnote groups.
std::string WriteRtf(const Document& document);

// Appends UTF-8 text as RTF text: the escape table of this writer.
void AppendRtfText(std::string& out, std::string_view utf8);

}  // namespace rtf
