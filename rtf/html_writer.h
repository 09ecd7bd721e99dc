#pragma once

#include "rtf/model.h"
#include "rtf/picture_renderer.h"

#include <string>
#include <vector>

namespace rtf {

enum class PictureMode : uint8_t {
    DataUri,  // pictures inside the page as data: URIs
    Files,    // pictures as files beside the page (returned to the caller to write)
};

struct HtmlOptions {
    bool fragment = false;  // only the content, for a template's placeholder
    std::string title;      // the page's <title>
    // The page's font where the document states none, e.g. "Tahoma" and "10" (points, or
    // with a CSS unit); empty for none.
    std::string defaultFontFamily;
    std::string defaultFontSize;
    PictureMode pictures = PictureMode::DataUri;
    std::string pictureBaseName;  // Files: pictures are named <base>_<n>.<png|jpg|bmp>
    // Draws metafiles; without one they are shown as placeholders of their size.
    const PictureRenderer* renderer = nullptr;
};

struct HtmlFile {
    std::string name;  // a plain file name, no folder
    std::string bytes;
};

// Writes a document as HTML5: a whole page declaring UTF-8, or a fragment. Links other than
// web, mail, file and in-page ones are written as plain text; bookmarks become anchors
// ("id"); hidden text is left out. With PictureMode::Files the picture files the page refers
// to are appended to files (which may then not be null).
std::string WriteHtml(const Document& document, const HtmlOptions& options,
                      std::vector<HtmlFile>* files = nullptr);

// Appends UTF-8 text with "&", "<", ">", '"' and "'" written as references, fit for element
// content and for attribute values in either quote; everything else, tabs included, is
// kept. Bytes that are not UTF-8 (overlong forms and surrogates included) each become
// U+FFFD, so that the page stays valid UTF-8. The one HTML escaper of the program.
void AppendHtmlEscaped(std::string& out, std::string_view text);
std::string EscapeHtml(std::string_view text);

}  // namespace rtf
