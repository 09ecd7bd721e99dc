#include "generators/markup.h"

#include <algorithm>
#include <cctype>

void AppendEscapedHtml(std::string& out, std::string_view text) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char* reference = nullptr;
        switch (text[i]) {
            case '&':
                reference = "&amp;";
                break;
            case '<':
                reference = "&lt;";
                break;
            case '>':
                reference = "&gt;";
                break;
            case '"':
                reference = "&quot;";
                break;
            case '\'':
                reference = "&#39;";
                break;
            default:
                continue;
        }
        out.append(text.substr(start, i - start));
        out.append(reference);
        start = i + 1;
    }
    out.append(text.substr(start));
}

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendEscapedHtml(out, text);
    return out;
}

char32_t NextCodePoint(std::string_view text, size_t& i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    char32_t code = 0;
    char32_t min = 0;
    if (c < 0x80) {
        ++i;
        return c;
    }
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        code = c & 0x1F;
        min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        code = c & 0x0F;
        min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        code = c & 0x07;
        min = 0x10000;
    }
    if (length == 0 || i + length > text.size()) {
        ++i;
        return 0xFFFD;
    }
    for (size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += length;
    return code;
}

std::string ToLatin1WithReferences(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const char32_t code = NextCodePoint(utf8, i);
        if (code <= 0xFF) {
            out.push_back(static_cast<char>(code));
        } else {
            out.append("&#")
                .append(std::to_string(static_cast<unsigned long>(code)))
                .push_back(';');
        }
    }
    return out;
}

void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view value) {
    if (placeholder.empty()) {
        return;
    }
    size_t found = text.find(placeholder);
    if (found == std::string::npos) {
        return;
    }
    std::string out;
    out.reserve(text.size() + value.size());
    size_t start = 0;
    for (; found != std::string::npos; found = text.find(placeholder, start)) {
        out.append(text, start, found - start);
        out.append(value);
        start = found + placeholder.size();
    }
    out.append(text, start, std::string::npos);
    text.swap(out);
}

namespace {

size_t FindNoCase(const std::string& text, std::string_view what, size_t from = 0) {
    const auto at = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                                what.begin(), what.end(), [](char a, char b) {
                                    return std::tolower(static_cast<unsigned char>(a)) ==
                                           std::tolower(static_cast<unsigned char>(b));
                                });
    return at == text.end() ? std::string::npos : static_cast<size_t>(at - text.begin());
}

}  // namespace

void DeclareUtf8(std::string& html) {
    if (FindNoCase(html, "charset") != std::string::npos) {
        return;
    }
    for (size_t head = FindNoCase(html, "<head"); head != std::string::npos;
         head = FindNoCase(html, "<head", head + 5)) {
        const size_t after = head + 5;
        // "<head>" or "<head lang=...>", not "<header>".
        if (after < html.size() &&
            (html[after] == '>' || std::isspace(static_cast<unsigned char>(html[after])))) {
            const size_t end = html.find('>', after);
            if (end != std::string::npos) {
                html.insert(end + 1, "<meta charset=\"utf-8\">");
            }
            return;
        }
    }
}
