#pragma once

// Small helpers the writers share.

#include "rtf/code_page.h"
#include "rtf/model.h"

#include <array>
#include <string>
#include <string_view>

namespace rtf {

// A writer's escape table for ASCII: for each byte its replacement, null to keep the byte,
// "" to drop it.
using AsciiEscapes = std::array<const char*, 128>;

// Appends UTF-8 text escaped the way one writer needs: every ASCII byte through its table,
// every other character handed to other(out, c, bytes) with the bytes that stand for it (a
// malformed byte comes alone, as U+FFFD). Unescaped ASCII is copied in runs.
template <typename Other>
void AppendEscaped(std::string& out, std::string_view text, const AsciiEscapes& table,
                   Other other) {
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (const char* escaped = table[c]) {
                out.append(text.data() + start, i - start);
                out.append(escaped);
                start = i + 1;
            }
            ++i;
            continue;
        }
        const size_t at = i;
        const char32_t code = NextUtf8(text, i);
        out.append(text.data() + start, at - start);
        other(out, code, text.substr(at, i - at));
        start = i;
    }
    out.append(text.data() + start, text.size() - start);
}

// For AppendEscaped: a character as its own bytes, a malformed byte as U+FFFD, so that the
// output stays valid UTF-8.
inline void AppendValidUtf8(std::string& out, char32_t code, std::string_view bytes) {
    if (code == 0xFFFD && bytes.size() == 1) {
        out += "\xEF\xBF\xBD";
    } else {
        out.append(bytes);
    }
}

// A font name made safe inside a CSS declaration (characters that could end or escape it
// are dropped), quoted when it has spaces; empty when nothing is left.
std::string CssFontName(std::string_view name);

// Whether a link target may become a link in generated output: web, mail, file, FTP and
// news addresses, in-page anchors and relative paths; not script or data URLs.
bool IsSafeLink(std::string_view target);

// "png", "jpeg", "emf", ...
const char* PictureFormatName(PictureFormat format);

// What a placeholder of a picture says: "WMF picture", "PICT picture", ...
std::string PictureLabel(PictureFormat format);

void AppendBase64(std::string& out, std::string_view bytes);

// The cell of a row that begins at a grid column (counting column spans); null if none.
const TableCell* CellAtColumn(const TableRow& row, int column);

}  // namespace rtf
