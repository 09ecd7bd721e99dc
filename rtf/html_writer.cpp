#include "rtf/html_writer.h"

#include "rtf/code_page.h"
#include "rtf/writer_util.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <span>

namespace rtf {

namespace {

// The one escape table of HTML output. The apostrophe is escaped too, so that the text is
// safe in attribute values in either quote; the numeric reference is the one that HTML 4
// (and so the older help viewers) knows as well.
constexpr AsciiEscapes kHtmlEscapes = [] {
    AsciiEscapes t{};
    t['&'] = "&amp;";
    t['<'] = "&lt;";
    t['>'] = "&gt;";
    t['"'] = "&quot;";
    t['\''] = "&#39;";
    return t;
}();

// Escapes text content; a space after a space (or at the start) becomes a no-break space so
// that runs of spaces survive as the document has them. A tab has no HTML equivalent; an
// em space keeps the gap visible.
void AppendText(std::string& out, std::string_view text, bool& afterSpace) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != ' ' && c != '\t') {
            continue;
        }
        if (i > start) {
            AppendHtmlEscaped(out, text.substr(start, i - start));
            afterSpace = false;
        }
        if (c == '\t') {
            out += "&emsp;";
            afterSpace = false;
        } else {
            out += afterSpace ? "&nbsp;" : " ";
            afterSpace = true;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        AppendHtmlEscaped(out, text.substr(start));
        afterSpace = false;
    }
}

// Lengths and colours are written for every paragraph and cell; they are formatted by hand,
// as printf would take a good part of the writer's time.
std::string Points(int twips) {
    if (twips % 20 == 0) {
        return std::to_string(twips / 20) + "pt";
    }
    // A twip is five hundredths of a point: two decimals are exact.
    const int64_t hundredths = std::abs(int64_t{twips} * 5);
    std::string text = twips < 0 ? "-" : "";
    text += std::to_string(hundredths / 100);
    text += '.';
    text += static_cast<char>('0' + hundredths / 10 % 10);
    text += static_cast<char>('0' + hundredths % 10);
    text += "pt";
    return text;
}

std::string HalfPoints(int halfPoints) {
    return std::to_string(halfPoints / 2) + (halfPoints % 2 == 0 ? "pt" : ".5pt");
}

std::string CssColor(uint32_t rgb) {
    static const char digits[] = "0123456789abcdef";
    std::string text(7, '#');
    for (int i = 0; i < 6; ++i) {
        text[static_cast<size_t>(6 - i)] = digits[(rgb >> (4 * i)) & 15];
    }
    return text;
}

// A multiple of single line spacing, in 240ths, as a CSS number with at most two decimals.
std::string LineMultiple(int twoHundredFortieths) {
    const int64_t hundredths = (int64_t{twoHundredFortieths} * 100 + 120) / 240;
    std::string text = std::to_string(hundredths / 100);
    const int fraction = static_cast<int>(hundredths % 100);
    if (fraction != 0) {
        text += '.';
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) {
            text += static_cast<char>('0' + fraction % 10);
        }
    }
    return text;
}

// A border side as CSS: "1px solid #000000"; empty for none.
std::string CssBorder(const Border& b) {
    const char* style = "solid";
    switch (b.style) {
        case BorderStyle::None:
            return {};
        case BorderStyle::Double:
        case BorderStyle::Triple:
            style = "double";
            break;
        case BorderStyle::Dotted:
            style = "dotted";
            break;
        case BorderStyle::Dashed:
            style = "dashed";
            break;
        case BorderStyle::Inset:
            style = "inset";
            break;
        case BorderStyle::Outset:
            style = "outset";
            break;
        case BorderStyle::Emboss:
            style = "ridge";
            break;
        case BorderStyle::Engrave:
            style = "groove";
            break;
        default:
            break;
    }
    // Twips to CSS pixels (15 a pixel); a double line needs three pixels to show.
    int pixels = std::max(1, (b.width + 7) / 15);
    if (b.style == BorderStyle::Thick) {
        pixels = std::max(pixels, 2);
    }
    if (std::string_view(style) == "double") {
        pixels = std::max(pixels, 3);
    }
    return std::to_string(pixels) + "px " + style + " " +
           CssColor(b.color == kNoColor ? 0 : b.color);
}

void AppendBorders(std::string& style, const Borders& borders) {
    if (borders.top == borders.left && borders.top == borders.bottom &&
        borders.top == borders.right) {
        const std::string css = CssBorder(borders.top);
        if (!css.empty()) {
            style += "border:" + css + ";";
        }
        return;
    }
    const std::pair<const char*, const Border*> sides[] = {{"border-top:", &borders.top},
                                                           {"border-right:", &borders.right},
                                                           {"border-bottom:", &borders.bottom},
                                                           {"border-left:", &borders.left}};
    for (const auto& [name, border] : sides) {
        const std::string css = CssBorder(*border);
        if (!css.empty()) {
            style += name + css + ";";
        }
    }
}

const char* GenericFamily(FontFamily family) {
    switch (family) {
        case FontFamily::Roman:
            return "serif";
        case FontFamily::Swiss:
            return "sans-serif";
        case FontFamily::Modern:
            return "monospace";
        case FontFamily::Script:
            return "cursive";
        case FontFamily::Decor:
            return "fantasy";
        default:
            return nullptr;
    }
}

class HtmlWriter {
public:
    HtmlWriter(const Document& document, const HtmlOptions& options, std::vector<HtmlFile>* files)
        : m_doc(document), m_options(options), m_files(files) {}

    std::string Write();

private:
    void Blocks(std::span<const Block> blocks);
    void ParagraphBlock(const Paragraph& p, const char* tag);
    void ParagraphContent(const Paragraph& p, const CharFormat* common);
    void Anchors(const Paragraph& p);
    void ListBlock(const List& list, int outerIndent);
    void TableBlock(const Table& table);
    void CellContent(const TableCell& cell);
    void RunContent(const Run& run, const CharFormat* common, bool inLink);
    void PictureContent(const Picture& picture, int index);
    bool ShowablePicture(const Picture& picture, int width, int height, std::string& mime,
                         std::string& extension, std::string& bytes) const;
    std::string DocumentFont() const;
    void Footnotes();
    std::string ParagraphStyle(const ParagraphFormat& f, const CharFormat* common) const;
    std::string FontStyle(const CharFormat& f, const CharFormat* common) const;
    static const CharFormat* CommonFont(const Paragraph& p, CharFormat& scratch);
    std::string HeadingTag(int level) const;

    const Document& m_doc;
    const HtmlOptions& m_options;
    std::vector<HtmlFile>* m_files;
    std::string m_out;
    bool m_afterSpace = false;
    int m_listIndent = 0;  // where the text of the list being written starts, in twips
};

// The font the document states for text without a font or size of its own, as CSS; the
// caller's default where the document states none.
std::string HtmlWriter::DocumentFont() const {
    std::string style;
    std::string family;
    if (m_doc.defaultFont >= 0 && static_cast<size_t>(m_doc.defaultFont) < m_doc.fonts.size()) {
        const Font& font = m_doc.fonts[m_doc.defaultFont];
        family = CssFontName(font.name);
        if (!family.empty()) {
            if (const char* generic = GenericFamily(font.family)) {
                family += ",";
                family += generic;
            }
        }
    }
    if (family.empty()) {
        family = CssFontName(m_options.defaultFontFamily);
    }
    if (!family.empty()) {
        style += "font-family:" + family + ";";
    }
    std::string size;
    if (m_doc.defaultSize > 0) {
        size = HalfPoints(m_doc.defaultSize);
    } else {
        for (const char c : m_options.defaultFontSize) {
            if (std::isalnum(static_cast<unsigned char>(c)) || c == '.') {
                size += c;
            }
        }
        if (!size.empty() && size.find_first_not_of("0123456789.") == std::string::npos) {
            size += "pt";
        }
    }
    if (!size.empty()) {
        style += "font-size:" + size + ";";
    }
    return style;
}

std::string HtmlWriter::Write() {
    m_out.reserve(4096);
    if (!m_options.fragment) {
        m_out += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
        AppendHtmlEscaped(m_out, m_options.title);
        m_out += "</title>\n<style>\n";
        const std::string body = DocumentFont();
        if (!body.empty()) {
            m_out += "body{" + body + "}\n";
        }
        m_out += "p,h1,h2,h3,h4,h5,h6{margin:0}\n</style>\n</head>\n<body>\n";
    }
    // In a template's placeholder the template's style applies, unless the document says
    // which font its text is in.
    std::string wrapper;
    if (m_options.fragment && (m_doc.defaultFont >= 0 || m_doc.defaultSize > 0)) {
        wrapper = DocumentFont();
        if (!wrapper.empty()) {
            m_out += "<div style=\"";
            AppendHtmlEscaped(m_out, wrapper);
            m_out += "\">\n";
        }
    }
    Blocks(m_doc.blocks);
    Footnotes();
    if (!wrapper.empty()) {
        m_out += "</div>\n";
    }
    if (!m_options.fragment) {
        m_out += "</body>\n</html>\n";
    }
    return std::move(m_out);
}

void HtmlWriter::Blocks(std::span<const Block> blocks) {
    for (const Block& block : blocks) {
        if (const Paragraph* p = block.AsParagraph()) {
            ParagraphBlock(*p, nullptr);
        } else if (const List* list = block.AsList()) {
            ListBlock(*list, m_listIndent);
        } else if (const Table* table = block.AsTable()) {
            const int saved = m_listIndent;
            m_listIndent = 0;
            TableBlock(*table);
            m_listIndent = saved;
        }
    }
}

std::string HtmlWriter::HeadingTag(int level) const {
    std::string tag(1, 'h');
    tag += std::to_string(std::clamp(level, 1, 6));
    return tag;
}

const CharFormat* HtmlWriter::CommonFont(const Paragraph& p, CharFormat& scratch) {
    bool first = true;
    for (const Run& run : p.runs) {
        if (run.kind != RunKind::Text || run.format.hidden) {
            continue;
        }
        if (first) {
            scratch = run.format;
            first = false;
        } else if (run.format.font != scratch.font || run.format.size != scratch.size) {
            return nullptr;
        }
    }
    return first ? nullptr : &scratch;
}

// The bookmarks of a paragraph that is not shown.
void HtmlWriter::Anchors(const Paragraph& p) {
    for (const Run& run : p.runs) {
        if (run.kind == RunKind::BookmarkStart) {
            RunContent(run, nullptr, false);
        }
    }
}

void HtmlWriter::ParagraphBlock(const Paragraph& p, const char* tag) {
    if (!p.Shown()) {
        Anchors(p);
        return;
    }
    const std::string name = tag != nullptr         ? tag
                             : p.format.heading > 0 ? HeadingTag(p.format.heading)
                                                    : "p";
    CharFormat scratch;
    const CharFormat* common = CommonFont(p, scratch);
    m_out += '<';
    m_out += name;
    const std::string style = ParagraphStyle(p.format, common);
    if (!style.empty()) {
        m_out += " style=\"";
        AppendHtmlEscaped(m_out, style);
        m_out += '"';
    }
    m_out += '>';
    ParagraphContent(p, common);
    m_out += "</";
    m_out += name;
    m_out += ">\n";
}

std::string HtmlWriter::ParagraphStyle(const ParagraphFormat& f, const CharFormat* common) const {
    std::string style;
    switch (f.align) {
        case Alignment::Center:
            style += "text-align:center;";
            break;
        case Alignment::Right:
            style += "text-align:right;";
            break;
        case Alignment::Justify:
            style += "text-align:justify;";
            break;
        default:
            break;
    }
    if (f.spaceBefore != 0 || f.spaceAfter != 0 || f.leftIndent != 0 || f.rightIndent != 0) {
        style += "margin:" + Points(f.spaceBefore) + " " + Points(f.rightIndent) + " " +
                 Points(f.spaceAfter) + " " + Points(f.leftIndent) + ";";
    }
    if (f.firstIndent != 0) {
        style += "text-indent:" + Points(f.firstIndent) + ";";
    }
    if (f.lineMultiple && f.lineSpacing > 0) {
        style += "line-height:" + LineMultiple(f.lineSpacing) + ";";
    } else if (f.lineSpacing != 0 && !f.lineMultiple) {
        // "At least" and "exactly" both become the line's height.
        style += "line-height:" + Points(std::abs(f.lineSpacing)) + ";";
    }
    if (f.shading != kNoColor) {
        style += "background-color:" + CssColor(f.shading) + ";";
    }
    if (f.borders.Any()) {
        AppendBorders(style, f.borders);
        const Border* sides[4] = {&f.borders.top, &f.borders.right, &f.borders.bottom,
                                  &f.borders.left};
        style += "padding:";
        for (int i = 0; i < 4; ++i) {
            style += Points(sides[i]->Present() ? sides[i]->space : 0);
            style += i < 3 ? " " : ";";
        }
    }
    if (common != nullptr) {
        style += FontStyle(*common, nullptr);
    }
    return style;
}

// The font part of a run's style; nothing when the paragraph states the font already
// (common is its shared font).
std::string HtmlWriter::FontStyle(const CharFormat& f, const CharFormat* common) const {
    std::string style;
    if (common != nullptr) {
        return style;
    }
    if (f.font >= 0 && static_cast<size_t>(f.font) < m_doc.fonts.size()) {
        const Font& font = m_doc.fonts[f.font];
        const std::string name = CssFontName(font.name);
        if (!name.empty()) {
            style += "font-family:" + name;
            if (const char* generic = GenericFamily(font.family)) {
                style += ",";
                style += generic;
            }
            style += ";";
        }
    }
    if (f.size > 0) {
        style += "font-size:" + HalfPoints(f.size) + ";";
    }
    return style;
}

void HtmlWriter::ParagraphContent(const Paragraph& p, const CharFormat* common) {
    m_afterSpace = true;
    if (p.runs.empty()) {
        m_out += "<br>";
        return;
    }
    int openLink = -1;
    bool shown = false;
    for (const Run& run : p.runs) {
        if (run.format.hidden && run.kind != RunKind::BookmarkStart) {
            continue;
        }
        if (run.kind == RunKind::BookmarkStart || run.kind == RunKind::BookmarkEnd) {
            RunContent(run, common, openLink >= 0);  // an anchor neither opens nor ends a link
            continue;
        }
        shown = true;
        int link = run.format.link;
        if (link >= 0 &&
            (static_cast<size_t>(link) >= m_doc.links.size() || !IsSafeLink(m_doc.links[link]))) {
            link = -1;
        }
        if (link != openLink) {
            if (openLink >= 0) {
                m_out += "</a>";
            }
            if (link >= 0) {
                m_out += "<a href=\"";
                AppendHtmlEscaped(m_out, m_doc.links[link]);
                m_out += "\">";
            }
            openLink = link;
        }
        RunContent(run, common, openLink >= 0);
    }
    if (openLink >= 0) {
        m_out += "</a>";
    }
    // A paragraph without visible content keeps its line; one that ends in a line break
    // needs something after it to keep the last line.
    const Run* last = nullptr;
    for (const Run& run : p.runs) {
        if (!run.format.hidden && run.kind != RunKind::BookmarkStart &&
            run.kind != RunKind::BookmarkEnd) {
            last = &run;
        }
    }
    if (!shown || (last != nullptr && last->kind == RunKind::LineBreak)) {
        m_out += "<br>";
    }
}

void HtmlWriter::RunContent(const Run& run, const CharFormat* common, bool inLink) {
    const CharFormat& f = run.format;
    switch (run.kind) {
        case RunKind::LineBreak:
            m_out += "<br>";
            m_afterSpace = true;
            return;
        case RunKind::Picture:
            if (run.index >= 0 && static_cast<size_t>(run.index) < m_doc.pictures.size()) {
                PictureContent(m_doc.pictures[run.index], run.index);
            }
            m_afterSpace = false;
            return;
        case RunKind::FootnoteRef: {
            const std::string n = std::to_string(run.index + 1);
            if (inLink) {
                m_out += "<sup>" + n + "</sup>";
            } else {
                m_out += "<sup><a href=\"#fn" + n + "\" id=\"fnref" + n + "\">" + n + "</a></sup>";
            }
            m_afterSpace = false;
            return;
        }
        case RunKind::BookmarkStart:
            // Inside a link an anchor would end the link in older browsers; the id goes on
            // an empty element either way.
            if (inLink) {
                m_out += "<span id=\"";
                AppendHtmlEscaped(m_out, run.text);
                m_out += "\"></span>";
            } else {
                // The name is for help viewers that know no other anchors.
                m_out += "<a id=\"";
                AppendHtmlEscaped(m_out, run.text);
                m_out += "\" name=\"";
                AppendHtmlEscaped(m_out, run.text);
                m_out += "\"></a>";
            }
            return;
        case RunKind::BookmarkEnd:
            return;
        case RunKind::Text:
            break;
    }
    std::string style = FontStyle(f, common);
    if (f.color != kNoColor) {
        style += "color:" + CssColor(f.color) + ";";
    }
    if (f.background != kNoColor) {
        style += "background-color:" + CssColor(f.background) + ";";
    }
    if (f.caps) {
        style += "text-transform:uppercase;";
    }
    std::string closing;
    if (!style.empty()) {
        m_out += "<span style=\"";
        AppendHtmlEscaped(m_out, style);
        m_out += "\">";
        closing = "</span>";
    }
    const auto open = [&](const char* tag, const char* attributes = "") {
        m_out += '<';
        m_out += tag;
        m_out += attributes;
        m_out += '>';
        closing = std::string("</") + tag + ">" + closing;
    };
    if (f.bold) {
        open("strong");
    }
    if (f.italic) {
        open("em");
    }
    switch (f.underline) {
        case Underline::None:
            break;
        case Underline::Single:
            open("u");
            break;
        case Underline::Double:
            open("u", " style=\"text-decoration-style:double\"");
            break;
        case Underline::Dotted:
            open("u", " style=\"text-decoration-style:dotted\"");
            break;
        case Underline::Dashed:
            open("u", " style=\"text-decoration-style:dashed\"");
            break;
        case Underline::Wavy:
            open("u", " style=\"text-decoration-style:wavy\"");
            break;
    }
    if (f.strike) {
        open("s");
    }
    if (f.valign == VerticalAlign::Superscript) {
        open("sup");
    } else if (f.valign == VerticalAlign::Subscript) {
        open("sub");
    }
    AppendText(m_out, run.text, m_afterSpace);
    m_out += closing;
}

// The picture, or its stand-in, in a form a browser shows: PNG and JPEG as they are,
// device-independent bitmaps as .bmp, metafiles drawn by the renderer.
bool HtmlWriter::ShowablePicture(const Picture& picture, int width, int height, std::string& mime,
                                 std::string& extension, std::string& bytes) const {
    std::vector<const Picture*> candidates{&picture};
    for (const Picture& alternative : picture.alternatives) {
        candidates.push_back(&alternative);
    }
    for (const Picture* p : candidates) {
        if (p->Displayable()) {
            const bool png = p->format == PictureFormat::Png;
            mime = png ? "image/png" : "image/jpeg";
            extension = png ? "png" : "jpg";
            bytes = p->data;
            return true;
        }
    }
    for (const Picture* p : candidates) {
        if (p->format == PictureFormat::Bitmap) {
            bytes = DibToBmp(p->data);
            if (!bytes.empty()) {
                mime = "image/bmp";
                extension = "bmp";
                return true;
            }
        }
    }
    if (m_options.renderer == nullptr) {
        return false;
    }
    for (const Picture* p : candidates) {
        // Twice the display size, so that lines and text stay sharp when zoomed.
        if (m_options.renderer->RenderPng(*p, width * 2, height * 2, bytes)) {
            mime = "image/png";
            extension = "png";
            return true;
        }
    }
    return false;
}

void HtmlWriter::PictureContent(const Picture& picture, int index) {
    // Twips to CSS pixels (96 per inch); a picture of unknown size is shown an inch square.
    const int width = picture.width > 0 ? std::max(1, (picture.width + 7) / 15) : 96;
    const int height = picture.height > 0 ? std::max(1, (picture.height + 7) / 15) : 96;
    std::string mime, extension, bytes;
    if (!ShowablePicture(picture, width, height, mime, extension, bytes)) {
        // Kept visible at its size, so that the reader sees that something is missing.
        const std::string label = PictureLabel(picture.format);
        m_out +=
            "<span class=\"picture-missing\" role=\"img\" title=\"" + label +
            "\" style=\"display:inline-block;box-sizing:border-box;width:" + std::to_string(width) +
            "px;height:" + std::to_string(height) +
            "px;border:1px dashed #888;background:#f2f2f2;color:#666;font-size:8pt;"
            "overflow:hidden\">[" +
            label + "]</span>";
        return;
    }
    m_out += "<img src=\"";
    if (m_options.pictures == PictureMode::Files && m_files != nullptr) {
        std::string name =
            m_options.pictureBaseName + "_" + std::to_string(index + 1) + "." + extension;
        AppendHtmlEscaped(m_out, name);
        m_files->push_back(HtmlFile{std::move(name), std::move(bytes)});
    } else {
        m_out += "data:";
        m_out += mime;
        m_out += ";base64,";
        AppendBase64(m_out, bytes);
    }
    m_out += "\" alt=\"\"";
    if (picture.width > 0 && picture.height > 0) {
        m_out += " width=\"" + std::to_string(width) + "\"";
        m_out += " height=\"" + std::to_string(height) + "\"";
    }
    m_out += '>';
}

void HtmlWriter::ListBlock(const List& list, int outerIndent) {
    const char* tag = list.Ordered() ? "ol" : "ul";
    // The list's text starts where the RTF indents its items; the markers stand in the space
    // before, as a hanging indent does.
    int indent = 0;
    if (!list.items.empty() && !list.items[0].blocks.empty()) {
        if (const Paragraph* p = list.items[0].blocks[0].AsParagraph()) {
            indent = p->format.leftIndent;
        }
    }
    m_out += '<';
    m_out += tag;
    if (indent > outerIndent) {
        m_out +=
            " style=\"margin-top:0;margin-bottom:0;padding-left:" + Points(indent - outerIndent) +
            "\"";
    }
    switch (list.style) {
        case ListStyle::LowerAlpha:
            m_out += " type=\"a\"";
            break;
        case ListStyle::UpperAlpha:
            m_out += " type=\"A\"";
            break;
        case ListStyle::LowerRoman:
            m_out += " type=\"i\"";
            break;
        case ListStyle::UpperRoman:
            m_out += " type=\"I\"";
            break;
        default:
            break;
    }
    if (list.Ordered() && list.start != 1) {
        m_out += " start=\"" + std::to_string(list.start) + "\"";
    }
    m_out += ">\n";
    for (const ListItem& item : list.items) {
        size_t i = 0;
        const Paragraph* first = item.blocks.empty() ? nullptr : item.blocks[0].AsParagraph();
        if (first != nullptr && first->format.heading == 0) {
            CharFormat scratch;
            const CharFormat* common = CommonFont(*first, scratch);
            ParagraphFormat format = first->format;
            format.leftIndent = 0;  // the list itself is indented
            format.firstIndent = 0;
            const std::string style = ParagraphStyle(format, common);
            m_out += "<li";
            if (!style.empty()) {
                m_out += " style=\"";
                AppendHtmlEscaped(m_out, style);
                m_out += '"';
            }
            m_out += '>';
            ParagraphContent(*first, common);
            i = 1;
        } else {
            m_out += "<li>";
        }
        if (i < item.blocks.size()) {
            m_out += '\n';
            const int saved = m_listIndent;
            m_listIndent = std::max(indent, outerIndent);
            Blocks(std::span<const Block>(item.blocks).subspan(i));
            m_listIndent = saved;
        }
        m_out += "</li>\n";
    }
    m_out += "</";
    m_out += tag;
    m_out += ">\n";
}

void HtmlWriter::TableBlock(const Table& table) {
    std::string tableStyle = "border-collapse:collapse;";
    if (table.align == Alignment::Center) {
        tableStyle += "margin-left:auto;margin-right:auto;";
    } else if (table.align == Alignment::Right) {
        tableStyle += "margin-left:auto;";
    } else if (!table.rows.empty() && table.rows[0].left != 0) {
        tableStyle += "margin-left:" + Points(table.rows[0].left) + ";";
    }
    m_out += "<table style=\"" + tableStyle + "\">\n";
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const TableRow& row = table.rows[r];
        m_out += "<tr>";
        if (row.gridBefore > 0) {
            // The row starts further right than others: an empty cell keeps its place.
            m_out += "<td";
            if (row.gridBefore > 1) {
                m_out += " colspan=\"" + std::to_string(row.gridBefore) + "\"";
            }
            m_out += "></td>";
        }
        int column = row.gridBefore;
        for (const TableCell& cell : row.cells) {
            const int cellColumn = column;
            column += std::max(1, cell.colSpan);
            if (cell.vmerge == VerticalMerge::Continue) {
                continue;  // covered by the cell above
            }
            int rowSpan = 1;
            if (cell.vmerge == VerticalMerge::First) {
                for (size_t below = r + 1; below < table.rows.size(); ++below) {
                    const TableCell* match = CellAtColumn(table.rows[below], cellColumn);
                    if (match == nullptr || match->vmerge != VerticalMerge::Continue) {
                        break;
                    }
                    ++rowSpan;
                }
            }
            m_out += "<td";
            if (cell.colSpan > 1) {
                m_out += " colspan=\"" + std::to_string(cell.colSpan) + "\"";
            }
            if (rowSpan > 1) {
                m_out += " rowspan=\"" + std::to_string(rowSpan) + "\"";
            }
            std::string style = cell.valign == CellAlign::Center   ? "vertical-align:middle;"
                                : cell.valign == CellAlign::Bottom ? "vertical-align:bottom;"
                                                                   : "vertical-align:top;";
            AppendBorders(style, cell.borders);
            if (cell.shading != kNoColor) {
                style += "background-color:" + CssColor(cell.shading) + ";";
            }
            const Padding& pad = cell.padding;
            if (pad != Padding{}) {
                style += "padding:" + Points(pad.top) + " " + Points(pad.right) + " " +
                         Points(pad.bottom) + " " + Points(pad.left) + ";";
            }
            if (cell.width > 0) {
                style += "width:" + Points(cell.width) + ";";
            }
            m_out += " style=\"" + style + "\">";
            CellContent(cell);
            m_out += "</td>";
        }
        m_out += "</tr>\n";
    }
    m_out += "</table>\n";
}

void HtmlWriter::CellContent(const TableCell& cell) {
    // A cell of one plain paragraph needs no paragraph element.
    if (cell.blocks.size() == 1) {
        if (const Paragraph* p = cell.blocks[0].AsParagraph()) {
            if (p->format == ParagraphFormat{} && p->Shown()) {
                CharFormat scratch;
                const CharFormat* common = CommonFont(*p, scratch);
                if (common != nullptr) {
                    const std::string style = FontStyle(*common, nullptr);
                    if (!style.empty()) {
                        m_out += "<span style=\"";
                        AppendHtmlEscaped(m_out, style);
                        m_out += "\">";
                        ParagraphContent(*p, common);
                        m_out += "</span>";
                        return;
                    }
                }
                ParagraphContent(*p, common);
                return;
            }
        }
    }
    m_out += '\n';
    Blocks(cell.blocks);
}

void HtmlWriter::Footnotes() {
    if (m_doc.footnotes.empty()) {
        return;
    }
    m_out += "<hr>\n<ol class=\"footnotes\">\n";
    for (size_t i = 0; i < m_doc.footnotes.size(); ++i) {
        m_out += "<li id=\"fn" + std::to_string(i + 1) + "\">\n";
        Blocks(m_doc.footnotes[i]);
        m_out += "</li>\n";
    }
    m_out += "</ol>\n";
}

}  // namespace

void AppendHtmlEscaped(std::string& out, std::string_view text) {
    AppendEscaped(out, text, kHtmlEscapes, AppendValidUtf8);
}

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendHtmlEscaped(out, text);
    return out;
}

std::string WriteHtml(const Document& document, const HtmlOptions& options,
                      std::vector<HtmlFile>* files) {
    return HtmlWriter(document, options, files).Write();
}

}  // namespace rtf
