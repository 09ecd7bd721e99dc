#include "generators/markup.h"

#include "rtf/code_page.h"
#include "rtf/html_writer.h"

#include <algorithm>
#include <cctype>

std::string ToLatin1WithReferences(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const char32_t code = rtf::NextUtf8(utf8, i);
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

std::string TitlePage(const std::string& title) {
    const std::string escaped = rtf::EscapeHtml(title);
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + escaped +
           "</title>\n</head>\n<body>\n<h1>" + escaped + "</h1>\n</body>\n</html>\n";
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
