#include "rtf/docx_writer.h"

#include "rtf/code_page.h"
#include "rtf/picture_renderer.h"
#include "rtf/writer_util.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <span>

namespace rtf {

namespace {

std::string Hex6(uint32_t rgb) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%06X", rgb & 0xFFFFFF);
    return buffer;
}

std::string Attribute(const char* name, const std::string& value) {
    std::string out = " ";
    out += name;
    out += "=\"";
    AppendXmlEscaped(out, value);
    out += '"';
    return out;
}

const char* BorderValue(BorderStyle style) {
    switch (style) {
        case BorderStyle::None:
            return "nil";
        case BorderStyle::Thick:
            return "thick";
        case BorderStyle::Double:
            return "double";
        case BorderStyle::Dotted:
            return "dotted";
        case BorderStyle::Dashed:
            return "dashed";
        case BorderStyle::Triple:
            return "triple";
        case BorderStyle::Inset:
            return "inset";
        case BorderStyle::Outset:
            return "outset";
        case BorderStyle::Emboss:
            return "threeDEmboss";
        case BorderStyle::Engrave:
            return "threeDEngrave";
        case BorderStyle::Wavy:
            return "wave";
        case BorderStyle::Single:
        case BorderStyle::Hairline:
            break;
    }
    return "single";
}

// The sides of a border set as w:top, w:left, ... elements (eighths of a point); empty when
// none is present.
std::string BorderElements(const Borders& borders, bool withSpace) {
    std::string xml;
    const std::pair<const char*, const Border*> sides[] = {{"top", &borders.top},
                                                           {"left", &borders.left},
                                                           {"bottom", &borders.bottom},
                                                           {"right", &borders.right}};
    for (const auto& [name, b] : sides) {
        if (!b->Present()) {
            continue;
        }
        const int eighths = b->style == BorderStyle::Hairline
                                ? 2
                                : std::clamp((std::max(b->width, 10) * 2 + 2) / 5, 2, 96);
        xml += std::string("<w:") + name + " w:val=\"" + BorderValue(b->style) + "\" w:sz=\"" +
               std::to_string(eighths) + "\" w:space=\"" +
               std::to_string(withSpace ? std::min(b->space / 20, 31) : 0) + "\" w:color=\"" +
               (b->color == kNoColor ? std::string("auto") : Hex6(b->color)) + "\"/>";
    }
    return xml;
}

// Whether a link target names a place in this document: "#name", or a local page or file
// with a fragment ("intro.htm#name", "file:///x/manual.rtf#name"); its bookmark name then.
bool InternalTarget(const std::string& target, std::string& bookmark) {
    const size_t hash = target.find('#');
    if (hash == std::string::npos || hash + 1 >= target.size()) {
        return false;
    }
    const std::string before = target.substr(0, hash);
    const size_t colon = before.find(':');
    const size_t slash = before.find('/');
    const bool scheme = colon != std::string::npos && (slash == std::string::npos || colon < slash);
    if (scheme && before.compare(0, 5, "file:") != 0) {
        return false;
    }
    bookmark = target.substr(hash + 1);
    return true;
}

class DocxWriter {
public:
    DocxWriter(const Document& document, DocxContext& context)
        : m_doc(document), m_context(context) {}

    std::string Write() {
        Blocks(m_doc.blocks);
        for (const int id : m_context.TakeOpenBookmarks()) {
            m_out += "<w:bookmarkEnd w:id=\"" + std::to_string(id) + "\"/>\n";
        }
        return std::move(m_out);
    }

private:
    // The bookmarks of a paragraph that is not shown, at block level.
    void BookmarksOnly(const Paragraph& p) {
        for (const Run& run : p.runs) {
            if (run.kind == RunKind::BookmarkStart || run.kind == RunKind::BookmarkEnd) {
                RunXml(run);
                m_out += '\n';
            }
        }
    }

    void Blocks(std::span<const Block> blocks) {
        for (const Block& block : blocks) {
            if (const Paragraph* p = block.AsParagraph()) {
                ParagraphXml(*p, 0, 0);
            } else if (const List* list = block.AsList()) {
                ListXml(*list, 0);
            } else if (const Table* table = block.AsTable()) {
                TableXml(*table);
            }
        }
    }

    void ListXml(const List& list, int level) {
        const int numId = m_context.AddList(list.style, list.start);
        for (const ListItem& item : list.items) {
            for (const Block& block : item.blocks) {
                if (const Paragraph* p = block.AsParagraph()) {
                    ParagraphXml(*p, numId, std::min(level, 8));
                } else if (const List* nested = block.AsList()) {
                    ListXml(*nested, level + 1);
                } else if (const Table* table = block.AsTable()) {
                    TableXml(*table);
                }
            }
        }
    }

    void ParagraphXml(const Paragraph& p, int numId, int level, const char* leading = nullptr) {
        if (!p.Shown() && leading == nullptr) {
            BookmarksOnly(p);
            return;
        }
        const ParagraphFormat& f = p.format;
        std::string pPr;
        if (f.heading > 0) {
            const int heading = std::min(f.heading, 9);
            m_context.UseHeading(heading);
            pPr += "<w:pStyle w:val=\"Heading" + std::to_string(heading) + "\"/>";
        }
        if (numId > 0) {
            pPr += "<w:numPr><w:ilvl w:val=\"" + std::to_string(level) + "\"/><w:numId w:val=\"" +
                   std::to_string(numId) + "\"/></w:numPr>";
        }
        const std::string borders = BorderElements(f.borders, true);
        if (!borders.empty()) {
            pPr += "<w:pBdr>" + borders + "</w:pBdr>";
        }
        if (f.shading != kNoColor) {
            pPr += "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"" + Hex6(f.shading) + "\"/>";
        }
        // Stated always: RTF paragraphs without spacing have none, whatever the document's
        // default (code blocks would otherwise be spread out).
        pPr += "<w:spacing w:before=\"" + std::to_string(f.spaceBefore) + "\" w:after=\"" +
               std::to_string(f.spaceAfter) + "\"";
        if (f.lineSpacing != 0) {
            const char* rule = f.lineMultiple ? "auto" : f.lineSpacing > 0 ? "atLeast" : "exact";
            pPr += " w:line=\"" + std::to_string(std::abs(f.lineSpacing)) + "\" w:lineRule=\"" +
                   rule + "\"";
        }
        pPr += "/>";
        // A list item's own indents win over its numbering's, as in the RTF.
        if (f.leftIndent != 0 || f.rightIndent != 0 || f.firstIndent != 0) {
            pPr += "<w:ind w:left=\"" + std::to_string(f.leftIndent) + "\" w:right=\"" +
                   std::to_string(f.rightIndent) + "\"";
            if (f.firstIndent < 0) {
                pPr += " w:hanging=\"" + std::to_string(-f.firstIndent) + "\"";
            } else if (f.firstIndent > 0) {
                pPr += " w:firstLine=\"" + std::to_string(f.firstIndent) + "\"";
            }
            pPr += "/>";
        }
        switch (f.align) {
            case Alignment::Center:
                pPr += "<w:jc w:val=\"center\"/>";
                break;
            case Alignment::Right:
                pPr += "<w:jc w:val=\"right\"/>";
                break;
            case Alignment::Justify:
                pPr += "<w:jc w:val=\"both\"/>";
                break;
            case Alignment::Left:
                break;
        }
        if (f.heading > 0) {
            pPr += "<w:outlineLvl w:val=\"" + std::to_string(std::min(f.heading, 9) - 1) + "\"/>";
        }
        m_out += "<w:p>";
        if (!pPr.empty()) {
            m_out += "<w:pPr>" + pPr + "</w:pPr>";
        }
        if (leading != nullptr) {
            m_out += leading;
        }
        Runs(p.runs);
        m_out += "</w:p>\n";
    }

    void TableXml(const Table& table) {
        // The grid: the table's columns, extended with one-inch columns for rows that hold
        // more cells than it has.
        size_t columns = table.grid.size();
        for (const TableRow& row : table.rows) {
            size_t n = static_cast<size_t>(std::max(0, row.gridBefore));
            for (const TableCell& cell : row.cells) {
                n += static_cast<size_t>(std::max(1, cell.colSpan));
            }
            columns = std::max(columns, n);
        }
        if (columns == 0) {
            return;
        }
        m_out += "<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/>";
        if (table.align == Alignment::Center) {
            m_out += "<w:jc w:val=\"center\"/>";
        } else if (table.align == Alignment::Right) {
            m_out += "<w:jc w:val=\"right\"/>";
        } else if (!table.rows.empty() && table.rows[0].left != 0) {
            m_out +=
                "<w:tblInd w:w=\"" + std::to_string(table.rows[0].left) + "\" w:type=\"dxa\"/>";
        }
        m_out += "<w:tblLayout w:type=\"fixed\"/></w:tblPr><w:tblGrid>";
        for (size_t i = 0; i < columns; ++i) {
            const int w = i < table.grid.size() ? table.grid[i] : kDefaultCellWidth;
            m_out += "<w:gridCol w:w=\"" + std::to_string(w > 0 ? w : 1) + "\"/>";
        }
        m_out += "</w:tblGrid>\n";
        for (const TableRow& row : table.rows) {
            m_out += "<w:tr>";
            if (row.gridBefore > 0) {
                m_out += "<w:trPr><w:gridBefore w:val=\"" + std::to_string(row.gridBefore) +
                         "\"/></w:trPr>";
            }
            for (const TableCell& cell : row.cells) {
                m_out += "<w:tc><w:tcPr>";
                if (cell.width > 0) {
                    m_out += "<w:tcW w:w=\"" + std::to_string(cell.width) + "\" w:type=\"dxa\"/>";
                }
                if (cell.colSpan > 1) {
                    m_out += "<w:gridSpan w:val=\"" + std::to_string(cell.colSpan) + "\"/>";
                }
                if (cell.vmerge == VerticalMerge::First) {
                    m_out += "<w:vMerge w:val=\"restart\"/>";
                } else if (cell.vmerge == VerticalMerge::Continue) {
                    m_out += "<w:vMerge/>";
                }
                const std::string borders = BorderElements(cell.borders, false);
                if (!borders.empty()) {
                    m_out += "<w:tcBorders>" + borders + "</w:tcBorders>";
                }
                if (cell.shading != kNoColor) {
                    m_out += "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"" +
                             Hex6(cell.shading) + "\"/>";
                }
                const Padding& pad = cell.padding;
                if (pad != Padding{}) {
                    m_out += "<w:tcMar>";
                    const std::pair<const char*, int> sides[] = {{"top", pad.top},
                                                                 {"left", pad.left},
                                                                 {"bottom", pad.bottom},
                                                                 {"right", pad.right}};
                    for (const auto& [name, value] : sides) {
                        m_out += std::string("<w:") + name + " w:w=\"" + std::to_string(value) +
                                 "\" w:type=\"dxa\"/>";
                    }
                    m_out += "</w:tcMar>";
                }
                if (cell.valign == CellAlign::Center) {
                    m_out += "<w:vAlign w:val=\"center\"/>";
                } else if (cell.valign == CellAlign::Bottom) {
                    m_out += "<w:vAlign w:val=\"bottom\"/>";
                }
                m_out += "</w:tcPr>";
                const size_t before = m_out.size();
                Blocks(cell.blocks);
                // A cell must end with a paragraph.
                if (m_out.size() == before || cell.blocks.empty() ||
                    cell.blocks.back().AsParagraph() == nullptr ||
                    !cell.blocks.back().AsParagraph()->Shown()) {
                    m_out += "<w:p/>";
                }
                m_out += "</w:tc>";
            }
            m_out += "</w:tr>\n";
        }
        m_out += "</w:tbl>\n";
    }

    static std::string RunProperties(const CharFormat& f, const Document& doc) {
        std::string r;
        if (f.font >= 0 && static_cast<size_t>(f.font) < doc.fonts.size()) {
            const std::string& name = doc.fonts[f.font].name;
            r += "<w:rFonts" + Attribute("w:ascii", name) + Attribute("w:hAnsi", name) +
                 Attribute("w:eastAsia", name) + Attribute("w:cs", name) + "/>";
        }
        if (f.bold) {
            r += "<w:b/>";
        }
        if (f.italic) {
            r += "<w:i/>";
        }
        if (f.caps) {
            r += "<w:caps/>";
        }
        if (f.strike) {
            r += "<w:strike/>";
        }
        if (f.color != kNoColor) {
            r += "<w:color w:val=\"" + Hex6(f.color) + "\"/>";
        }
        if (f.size > 0) {
            r += "<w:sz w:val=\"" + std::to_string(f.size) + "\"/>";
        }
        switch (f.underline) {
            case Underline::None:
                break;
            case Underline::Single:
                r += "<w:u w:val=\"single\"/>";
                break;
            case Underline::Double:
                r += "<w:u w:val=\"double\"/>";
                break;
            case Underline::Dotted:
                r += "<w:u w:val=\"dotted\"/>";
                break;
            case Underline::Dashed:
                r += "<w:u w:val=\"dash\"/>";
                break;
            case Underline::Wavy:
                r += "<w:u w:val=\"wave\"/>";
                break;
        }
        if (f.background != kNoColor) {
            r += "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"" + Hex6(f.background) + "\"/>";
        }
        if (f.valign == VerticalAlign::Superscript) {
            r += "<w:vertAlign w:val=\"superscript\"/>";
        } else if (f.valign == VerticalAlign::Subscript) {
            r += "<w:vertAlign w:val=\"subscript\"/>";
        }
        return r.empty() ? r : "<w:rPr>" + r + "</w:rPr>";
    }

    void Runs(const std::vector<Run>& runs) {
        size_t i = 0;
        while (i < runs.size()) {
            const int link = runs[i].format.link;
            size_t end = i + 1;
            while (end < runs.size() && runs[end].format.link == link) {
                ++end;
            }
            std::string open;
            std::string bookmark;
            if (!m_inFootnote && link >= 0 && static_cast<size_t>(link) < m_doc.links.size() &&
                IsSafeLink(m_doc.links[link])) {
                const std::string& target = m_doc.links[link];
                if (InternalTarget(target, bookmark)) {
                    open = "<w:hyperlink" + Attribute("w:anchor", bookmark) + " w:history=\"1\">";
                } else {
                    open = "<w:hyperlink r:id=\"" + m_context.AddHyperlink(target) +
                           "\" w:history=\"1\">";
                }
            }
            m_out += open;
            for (size_t k = i; k < end; ++k) {
                RunXml(runs[k]);
            }
            if (!open.empty()) {
                m_out += "</w:hyperlink>";
            }
            i = end;
        }
    }

    void RunXml(const Run& run) {
        if (run.kind == RunKind::BookmarkStart) {
            m_out += "<w:bookmarkStart w:id=\"" +
                     std::to_string(m_context.StartBookmark(run.text)) + "\"" +
                     Attribute("w:name", run.text) + "/>";
            return;
        }
        if (run.kind == RunKind::BookmarkEnd) {
            const int id = m_context.EndBookmark(run.text);
            if (id >= 0) {
                m_out += "<w:bookmarkEnd w:id=\"" + std::to_string(id) + "\"/>";
            }
            return;
        }
        if (run.format.hidden) {
            return;
        }
        const std::string rPr = RunProperties(run.format, m_doc);
        switch (run.kind) {
            case RunKind::Text: {
                m_out += "<w:r>" + rPr;
                size_t start = 0;
                while (start <= run.text.size()) {
                    size_t tab = run.text.find('\t', start);
                    const size_t stop = tab == std::string::npos ? run.text.size() : tab;
                    if (stop > start) {
                        m_out += "<w:t xml:space=\"preserve\">";
                        AppendXmlEscaped(m_out,
                                         std::string_view(run.text).substr(start, stop - start));
                        m_out += "</w:t>";
                    }
                    if (tab == std::string::npos) {
                        break;
                    }
                    m_out += "<w:tab/>";
                    start = tab + 1;
                }
                m_out += "</w:r>";
                break;
            }
            case RunKind::LineBreak:
                m_out += "<w:r>" + rPr + "<w:br/></w:r>";
                break;
            case RunKind::Picture:
                if (!m_inFootnote && run.index >= 0 &&
                    static_cast<size_t>(run.index) < m_doc.pictures.size()) {
                    m_out += "<w:r>" + rPr;
                    Drawing(m_doc.pictures[run.index]);
                    m_out += "</w:r>";
                }
                break;
            case RunKind::BookmarkStart:
            case RunKind::BookmarkEnd:
                break;
            case RunKind::FootnoteRef:
                if (!m_inFootnote && run.index >= 0 &&
                    static_cast<size_t>(run.index) < m_doc.footnotes.size()) {
                    const int id = Footnote(m_doc.footnotes[run.index]);
                    m_out +=
                        "<w:r><w:rPr><w:vertAlign w:val=\"superscript\"/></w:rPr>"
                        "<w:footnoteReference w:id=\"" +
                        std::to_string(id) + "\"/></w:r>";
                }
                break;
        }
    }

    int Footnote(const std::vector<Block>& blocks) {
        static const char* const mark =
            "<w:r><w:rPr><w:vertAlign w:val=\"superscript\"/></w:rPr><w:footnoteRef/></w:r>"
            "<w:r><w:t xml:space=\"preserve\"> </w:t></w:r>";
        std::string saved = std::move(m_out);
        m_out.clear();
        m_inFootnote = true;
        const Paragraph* first = blocks.empty() ? nullptr : blocks[0].AsParagraph();
        if (first != nullptr) {
            ParagraphXml(*first, 0, 0, mark);
            Blocks(std::span<const Block>(blocks).subspan(1));
        } else {
            m_out += std::string("<w:p>") + mark + "</w:p>";
            Blocks(blocks);
        }
        m_inFootnote = false;
        std::string xml = std::move(m_out);
        m_out = std::move(saved);
        return m_context.AddFootnote(std::move(xml));
    }

    // The picture as a media part: PNG, JPEG and the metafiles as they are, bitmaps as .bmp;
    // the first of the picture and its stand-ins that a word processor reads.
    static bool Media(const Picture& picture, std::string& bytes, std::string& extension) {
        std::vector<const Picture*> candidates{&picture};
        for (const Picture& alternative : picture.alternatives) {
            candidates.push_back(&alternative);
        }
        for (const Picture* p : candidates) {
            switch (p->format) {
                case PictureFormat::Png:
                    bytes = p->data;
                    extension = "png";
                    return true;
                case PictureFormat::Jpeg:
                    bytes = p->data;
                    extension = "jpeg";
                    return true;
                case PictureFormat::Emf:
                    if (IsWholeMetafile(*p)) {
                        bytes = p->data;
                        extension = "emf";
                        return true;
                    }
                    break;
                case PictureFormat::Wmf:
                    if (IsWholeMetafile(*p)) {
                        bytes = PlaceableWmf(p->data, p->width, p->height);
                        extension = "wmf";
                        return true;
                    }
                    break;
                case PictureFormat::Bitmap:
                    bytes = DibToBmp(p->data);
                    if (!bytes.empty()) {
                        extension = "bmp";
                        return true;
                    }
                    break;
                default:
                    break;
            }
        }
        return false;
    }

    void Drawing(const Picture& picture) {
        std::string bytes, extension;
        if (!Media(picture, bytes, extension)) {
            // Kept visible: the reader sees that a picture was here.
            m_out += "<w:t xml:space=\"preserve\">[" + PictureLabel(picture.format) + "]</w:t>";
            return;
        }
        // Twips to EMU: 914400 per inch, 1440 twips per inch.
        const int64_t cx = picture.width > 0 ? int64_t{picture.width} * 635 : 914400;
        const int64_t cy = picture.height > 0 ? int64_t{picture.height} * 635 : 914400;
        const std::string rId = m_context.AddImage(std::move(bytes), extension);
        const std::string id = std::to_string(m_context.NextDrawingId());
        const std::string extent =
            "cx=\"" + std::to_string(cx) + "\" cy=\"" + std::to_string(cy) + "\"";
        m_out +=
            "<w:drawing><wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent " +
            extent + "/><wp:docPr id=\"" + id + "\" name=\"Picture " + id +
            "\"/><a:graphic xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
            "<a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
            "<pic:pic xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
            "<pic:nvPicPr><pic:cNvPr id=\"" +
            id + "\" name=\"Picture " + id +
            "\"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:embed=\"" + rId +
            "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm>"
            "<a:off x=\"0\" y=\"0\"/><a:ext " +
            extent +
            "/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr>"
            "</pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing>";
    }

    const Document& m_doc;
    DocxContext& m_context;
    std::string m_out;
    bool m_inFootnote = false;
};

}  // namespace

void AppendXmlEscaped(std::string& out, std::string_view text) {
    static constexpr AsciiEscapes kXmlEscapes = [] {
        AsciiEscapes t{};
        // XML 1.0 allows no control characters but tab and line ends.
        for (unsigned char c = 0; c < 0x20; ++c) {
            t[c] = c == '\t' || c == '\n' || c == '\r' ? nullptr : "";
        }
        t['&'] = "&amp;";
        t['<'] = "&lt;";
        t['>'] = "&gt;";
        t['"'] = "&quot;";
        return t;
    }();
    AppendEscaped(out, text, kXmlEscapes, [](std::string& o, char32_t c, std::string_view bytes) {
        // Malformed UTF-8 would make the whole part unreadable.
        if (c != 0xFFFE && c != 0xFFFF) {
            AppendValidUtf8(o, c, bytes);
        }
    });
}

std::string WriteWordprocessingML(const Document& document, DocxContext& context) {
    return DocxWriter(document, context).Write();
}

}  // namespace rtf
