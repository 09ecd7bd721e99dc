#pragma once

// Small helpers the writers share.

#include "rtf/model.h"

#include <string>
#include <string_view>

namespace rtf {

// A font name made safe inside a CSS declaration (characters that could end or escape it
// are dropped), quoted when it has spaces; empty when nothing is left.
std::string CssFontName(std::string_view name);

// Whether a link target may become a link in generated output: web, mail, file, FTP and
// news addresses, in-page anchors and relative paths; not script or data URLs.
bool IsSafeLink(std::string_view target);

// "png", "jpeg", "emf", ...
const char* PictureFormatName(PictureFormat format);

void AppendBase64(std::string& out, std::string_view bytes);

// The cell of a row that begins at a grid column (counting column spans); null if none.
const TableCell* CellAtColumn(const TableRow& row, int column);

}  // namespace rtf
