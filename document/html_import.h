#pragma once

#include "rtf/model.h"

#include <functional>
#include <string>
#include <string_view>

// Reads HTML (and Markdown, through HTML) into the rich-text model, for importing files as
// sections. The parsers never touch the network nor load external entities or DTDs.
namespace html_import {

struct Hooks {
    // What a link's href becomes (a section link for an imported file); the href itself when
    // not set.
    std::function<std::string(const std::string& href)> link;
    // The picture an <img> src names, or false to leave it out (its alt text stays).
    std::function<bool(const std::string& src, rtf::Picture& picture)> picture;
};

struct Result {
    rtf::Document document;
    std::string title;  // <title>, else the first heading's text; empty when neither
};

// bytes: an HTML file as it is; its own charset declaration counts, else UTF-8 when the bytes
// are valid UTF-8, else Windows-1252.
Result ReadHtml(std::string_view bytes, const Hooks& hooks);

// Markdown (CommonMark with tables, strikethrough and autolinks) through its HTML.
Result ReadMarkdown(std::string_view text, const Hooks& hooks);

}  // namespace html_import
