#include "document/text_fold.h"

namespace {

// Decodes the code point at text[i]; length receives its bytes (1 for an invalid byte, which
// is returned as itself).
char32_t Decode(std::string_view text, size_t i, size_t& length) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    length = 1;
    if (lead < 0x80) {
        return lead;
    }
    size_t count = 0;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        count = 1;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        count = 2;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        count = 3;
        c = lead & 0x07;
    } else {
        return lead;
    }
    for (size_t k = 1; k <= count; ++k) {
        if (i + k >= text.size() || (byte(i + k) & 0xC0) != 0x80) {
            return lead;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    length = count + 1;
    return c;
}

void Encode(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The small letter of a capital in the scripts European documentation is written in.
char32_t Lower(char32_t c) {
    if (c >= 'A' && c <= 'Z') {
        return c + 0x20;
    }
    if (c < 0xC0) {
        return c;
    }
    if (c <= 0xDE) {
        return c == 0xD7 ? c : c + 0x20;
    }
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x178) {
            return 0xFF;
        }
        const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddCapitals) {
            return (c & 1) != 0 ? c + 1 : c;
        }
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) {
            return c == 0x130 ? 'i' : c;
        }
        return (c & 1) == 0 ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) {
        return c + 0x20;
    }
    if (c == 0x3C2) {
        return 0x3C3;  // final sigma
    }
    if (c >= 0x410 && c <= 0x42F) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    return c;
}

}  // namespace

ivFoldedText::ivFoldedText(std::string_view text) {
    m_folded.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            m_folded.push_back(static_cast<char>(lead >= 'A' && lead <= 'Z' ? lead + 0x20 : lead));
            ++i;
            continue;
        }
        size_t length = 0;
        const char32_t c = Decode(text, i, length);
        const size_t before = m_folded.size();
        if (length == 1) {
            m_folded.push_back(static_cast<char>(lead));
        } else if (c == 0xDF || c == 0x1E9E) {
            m_folded += "ss";
        } else {
            Encode(m_folded, Lower(c));
        }
        i += length;
        if (m_folded.size() - before != length) {
            m_checkpoints.push_back({before, i - length, m_folded.size(), i});
        }
    }
}

size_t ivFoldedText::OriginalOffset(size_t folded) const {
    // The last differing character that starts at or before the offset.
    size_t low = 0;
    size_t high = m_checkpoints.size();
    while (low < high) {
        const size_t mid = (low + high) / 2;
        if (m_checkpoints[mid].foldedStart <= folded) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    if (low == 0) {
        return folded;
    }
    const Checkpoint& at = m_checkpoints[low - 1];
    if (folded < at.foldedEnd) {
        return at.originalStart;
    }
    return at.originalEnd + (folded - at.foldedEnd);
}

std::string FoldCase(std::string_view text) {
    return ivFoldedText(text).Folded();
}

bool IsWordCodePoint(char32_t c) {
    if (c < 0x80) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               c == '_';
    }
    if (c < 0xC0) {
        return c == 0xAA || c == 0xB5 || c == 0xBA;
    }
    if (c == 0xD7 || c == 0xF7) {
        return false;
    }
    // General punctuation, symbols and spaces of the higher planes are no letters.
    if ((c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) || c == 0xFEFF ||
        (c >= 0xFE30 && c <= 0xFE6F) || (c >= 0xFF00 && c <= 0xFF0F)) {
        return false;
    }
    return true;
}

char32_t CodePointAt(std::string_view text, size_t offset) {
    if (offset >= text.size()) {
        return 0;
    }
    size_t length = 0;
    return Decode(text, offset, length);
}

char32_t CodePointBefore(std::string_view text, size_t offset) {
    if (offset == 0 || offset > text.size()) {
        return 0;
    }
    size_t start = offset - 1;
    // Back over continuation bytes to the lead byte, at most three.
    for (int k = 0; k < 3 && start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80;
         ++k) {
        --start;
    }
    size_t length = 0;
    const char32_t c = Decode(text, start, length);
    if (start + length != offset) {
        return static_cast<unsigned char>(text[offset - 1]);
    }
    return c;
}
