#pragma once

#include "rtf/model.h"

#include <string>

namespace rtf {

// Writes a document as UTF-8 plain text: one paragraph a line, list items with their
// bullet or number, table cells separated by tabs (one row a line), footnote references
// as "[n]" with the footnotes at the end.
std::string WriteText(const Document& document);

// The marker of list item number n ("1.", "b.", "iv.", "•").
std::string ListMarker(ListStyle style, int number);

}  // namespace rtf
