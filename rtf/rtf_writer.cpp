#include "rtf/rtf_writer.h"

#include "rtf/code_page.h"
#include "rtf/writer_util.h"

#include <algorithm>
#include <map>
#include <span>

namespace rtf {

namespace {

const char* BorderStyleWord(BorderStyle style) {
    switch (style) {
        case BorderStyle::Thick:
            return "\\brdrth";
        case BorderStyle::Double:
            return "\\brdrdb";
        case BorderStyle::Dotted:
            return "\\brdrdot";
        case BorderStyle::Dashed:
            return "\\brdrdash";
        case BorderStyle::Hairline:
            return "\\brdrhair";
        case BorderStyle::Triple:
            return "\\brdrtriple";
        case BorderStyle::Inset:
            return "\\brdrinset";
        case BorderStyle::Outset:
            return "\\brdroutset";
        case BorderStyle::Emboss:
            return "\\brdremboss";
        case BorderStyle::Engrave:
            return "\\brdrengrave";
        case BorderStyle::Wavy:
            return "\\brdrwavy";
        case BorderStyle::None:
        case BorderStyle::Single:
            break;
    }
    return "\\brdrs";
}

const char* FamilyWord(FontFamily family) {
    switch (family) {
        case FontFamily::Roman:
            return "\\froman";
        case FontFamily::Swiss:
            return "\\fswiss";
        case FontFamily::Modern:
            return "\\fmodern";
        case FontFamily::Script:
            return "\\fscript";
        case FontFamily::Decor:
            return "\\fdecor";
        case FontFamily::Tech:
            return "\\ftech";
        case FontFamily::Bidi:
            return "\\fbidi";
        case FontFamily::Nil:
            break;
    }
    return "\\fnil";
}

int NumberFormat(ListStyle style) {
    switch (style) {
        case ListStyle::Decimal:
            return 0;
        case ListStyle::UpperRoman:
            return 1;
        case ListStyle::LowerRoman:
            return 2;
        case ListStyle::UpperAlpha:
            return 3;
        case ListStyle::LowerAlpha:
            return 4;
        case ListStyle::Bullet:
            break;
    }
    return 23;
}

void AppendHex(std::string& out, std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    out.reserve(out.size() + bytes.size() * 2 + bytes.size() / 64 + 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 64 == 0) {
            out += '\n';
        }
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
}

class RtfWriter {
public:
    explicit RtfWriter(const Document& document) : m_doc(document) {}

    std::string Write() {
        CollectColors();
        m_out += "{\\rtf1\\ansi\\ansicpg1252";
        if (m_doc.defaultFont >= 0) {
            m_out += "\\deff" + std::to_string(m_doc.defaultFont);
        }
        m_out += "\\uc1\n";
        FontTable();
        ColorTable();
        if (m_doc.defaultSize > 0) {
            m_out += "{\\*\\defchp\\fs" + std::to_string(m_doc.defaultSize) + "}\n";
        }
        StyleSheet();
        ListTables();
        Blocks(m_doc.blocks, 0, 0);
        m_out += "}\n";
        return std::move(m_out);
    }

private:
    // Every colour that runs use gets an entry; entry 0 is "automatic".
    void CollectColors() {
        const auto add = [&](uint32_t color) {
            if (color != kNoColor && !m_colors.contains(color)) {
                const int index = static_cast<int>(m_colors.size()) + 1;
                m_colors.emplace(color, index);
                m_colorOrder.push_back(color);
            }
        };
        const auto borders = [&](const Borders& b) {
            for (const Border* side : {&b.top, &b.left, &b.bottom, &b.right}) {
                if (side->Present()) {
                    add(side->color);
                }
            }
        };
        const auto paragraphs = [&](const std::vector<Block>& blocks) {
            ForEachParagraph(blocks, [&](const Paragraph& p) {
                for (const Run& run : p.runs) {
                    add(run.format.color);
                    add(run.format.background);
                }
                add(p.format.shading);
                borders(p.format.borders);
                m_maxHeading = std::max(m_maxHeading, p.format.heading);
            });
            ForEachTable(blocks, [&](const Table& table) {
                for (const TableRow& row : table.rows) {
                    for (const TableCell& cell : row.cells) {
                        add(cell.shading);
                        borders(cell.borders);
                    }
                }
            });
        };
        paragraphs(m_doc.blocks);
        for (const auto& footnote : m_doc.footnotes) {
            paragraphs(footnote);
        }
    }

    void FontTable() {
        if (m_doc.fonts.empty()) {
            return;
        }
        m_out += "{\\fonttbl";
        for (size_t i = 0; i < m_doc.fonts.size(); ++i) {
            const Font& font = m_doc.fonts[i];
            m_out += "{\\f" + std::to_string(i) + FamilyWord(font.family) + "\\fcharset" +
                     std::to_string(font.charset) + " ";
            // A semicolon ends a font's name: one inside it (from a damaged table) would
            // turn the rest of the name into text.
            std::string name = font.name;
            std::erase(name, ';');
            AppendRtfText(m_out, name);
            m_out += ";}";
        }
        m_out += "}\n";
    }

    void ColorTable() {
        if (m_colorOrder.empty()) {
            return;
        }
        m_out += "{\\colortbl;";
        for (const uint32_t c : m_colorOrder) {
            m_out += "\\red" + std::to_string((c >> 16) & 255) + "\\green" +
                     std::to_string((c >> 8) & 255) + "\\blue" + std::to_string(c & 255) + ";";
        }
        m_out += "}\n";
    }

    // Heading paragraphs refer to the built-in heading styles, so that word processors
    // know them as headings.
    void StyleSheet() {
        if (m_maxHeading == 0) {
            return;
        }
        m_out += "{\\stylesheet{\\s0 Normal;}";
        for (int level = 1; level <= std::min(m_maxHeading, 9); ++level) {
            m_out += "{\\s" + std::to_string(level) + "\\outlinelevel" + std::to_string(level - 1) +
                     "\\b\\sbasedon0\\snext0 heading " + std::to_string(level) + ";}";
        }
        m_out += "}\n";
    }

    // One list definition per list block, its style on all nine levels; a nested list is
    // written at the level of its depth.
    void ListTables() {
        std::vector<const List*> lists;
        CollectLists(m_doc.blocks, lists);
        for (const auto& footnote : m_doc.footnotes) {
            CollectLists(footnote, lists);
        }
        if (lists.empty()) {
            return;
        }
        m_out += "{\\*\\listtable";
        for (size_t i = 0; i < lists.size(); ++i) {
            const List& list = *lists[i];
            const int id = static_cast<int>(i) + 1;
            m_listNumbers.emplace(&list, id);
            m_out += "\n{\\list\\listtemplateid" + std::to_string(id);
            for (int level = 0; level < 9; ++level) {
                m_out += "{\\listlevel\\levelnfc" + std::to_string(NumberFormat(list.style)) +
                         "\\levelstartat" + std::to_string(list.start) + "{\\leveltext";
                if (list.Ordered()) {
                    m_out += "\\'02\\'0" + std::to_string(level) + ".;}{\\levelnumbers\\'01;}";
                } else {
                    m_out += "\\'01\\u8226 ?;}{\\levelnumbers;}";
                }
                m_out += "\\fi-360\\li" + std::to_string(720 * (level + 1)) + "}";
            }
            m_out += "\\listid" + std::to_string(id) + "}";
        }
        m_out += "}\n{\\*\\listoverridetable";
        for (size_t i = 0; i < lists.size(); ++i) {
            const std::string id = std::to_string(i + 1);
            m_out += "{\\listoverride\\listid" + id + "\\listoverridecount0\\ls" + id + "}";
        }
        m_out += "}\n";
    }

    static void CollectLists(const std::vector<Block>& blocks, std::vector<const List*>& lists) {
        for (const Block& block : blocks) {
            if (const List* list = block.AsList()) {
                lists.push_back(list);
                for (const ListItem& item : list->items) {
                    CollectLists(item.blocks, lists);
                }
            } else if (const Table* table = block.AsTable()) {
                for (const TableRow& row : table->rows) {
                    for (const TableCell& cell : row.cells) {
                        CollectLists(cell.blocks, lists);
                    }
                }
            }
        }
    }

    struct ListContext {
        int number = 0;
        int level = 0;
    };

    // Writes blocks at a table depth; the last paragraph of a cell ends the cell.
    void Blocks(std::span<const Block> blocks, int depth, int listLevel,
                const char* lastEnd = nullptr) {
        for (size_t i = 0; i < blocks.size(); ++i) {
            const bool last = i + 1 == blocks.size();
            const Block& block = blocks[i];
            if (const Paragraph* p = block.AsParagraph()) {
                ParagraphBlock(*p, depth, nullptr, last && lastEnd ? lastEnd : "\\par");
            } else if (const List* list = block.AsList()) {
                ListBlock(*list, depth, listLevel, last ? lastEnd : nullptr);
            } else if (const Table* table = block.AsTable()) {
                TableBlock(*table, depth + 1);
                if (last && lastEnd != nullptr) {
                    // The mark that ends the enclosing cell.
                    m_out += "\\pard\\plain" + TableWords(depth) + lastEnd + "\n";
                }
            }
        }
    }

    static std::string TableWords(int depth) {
        if (depth <= 0) {
            return {};
        }
        return "\\intbl\\itap" + std::to_string(depth);
    }

    void ParagraphBlock(const Paragraph& p, int depth, const ListContext* list, const char* end) {
        const ParagraphFormat& f = p.format;
        m_out += "\\pard\\plain";
        if (f.heading > 0) {
            const int level = std::min(f.heading, 9);
            m_out += "\\s" + std::to_string(level) + "\\outlinelevel" + std::to_string(level - 1);
        }
        switch (f.align) {
            case Alignment::Center:
                m_out += "\\qc";
                break;
            case Alignment::Right:
                m_out += "\\qr";
                break;
            case Alignment::Justify:
                m_out += "\\qj";
                break;
            case Alignment::Left:
                break;
        }
        const auto number = [&](const char* word, int value) {
            if (value != 0) {
                m_out += word + std::to_string(value);
            }
        };
        number("\\li", f.leftIndent);
        number("\\ri", f.rightIndent);
        number("\\fi", f.firstIndent);
        number("\\sb", f.spaceBefore);
        number("\\sa", f.spaceAfter);
        if (f.lineSpacing != 0) {
            m_out += "\\sl" + std::to_string(f.lineSpacing) +
                     (f.lineMultiple ? "\\slmult1" : "\\slmult0");
        }
        if (f.shading != kNoColor) {
            m_out += "\\cbpat" + std::to_string(m_colors.at(f.shading));
        }
        BorderWords(f.borders, {"\\brdrt", "\\brdrl", "\\brdrb", "\\brdrr"}, true);
        if (list != nullptr) {
            m_out += "\\ls" + std::to_string(list->number) + "\\ilvl" + std::to_string(list->level);
        }
        m_out += TableWords(depth);
        m_out += ' ';
        Runs(p.runs);
        if (p.format.hiddenMark && std::string_view(end) == "\\par") {
            m_out += "{\\v\\par}\n";
            return;
        }
        m_out += end;
        m_out += '\n';
    }

    void BorderWords(const Borders& borders, std::initializer_list<const char*> sides,
                     bool withSpace, std::string* out = nullptr) {
        std::string& to = out != nullptr ? *out : m_out;
        const Border* values[4] = {&borders.top, &borders.left, &borders.bottom, &borders.right};
        size_t i = 0;
        for (const char* side : sides) {
            const Border& b = *values[i++];
            if (!b.Present()) {
                continue;
            }
            to += side;
            to += BorderStyleWord(b.style);
            to += "\\brdrw" + std::to_string(b.width);
            if (b.color != kNoColor) {
                to += "\\brdrcf" + std::to_string(m_colors.at(b.color));
            }
            if (withSpace && b.space > 0) {
                to += "\\brsp" + std::to_string(b.space);
            }
        }
    }

    void ListBlock(const List& list, int depth, int level, const char* lastEnd) {
        auto found = m_listNumbers.find(&list);
        const ListContext context{found != m_listNumbers.end() ? found->second : 0,
                                  std::min(level, 8)};
        for (size_t i = 0; i < list.items.size(); ++i) {
            const ListItem& item = list.items[i];
            const bool lastItem = i + 1 == list.items.size();
            for (size_t k = 0; k < item.blocks.size(); ++k) {
                const bool last = lastItem && k + 1 == item.blocks.size();
                const char* end = last && lastEnd ? lastEnd : "\\par";
                const Block& block = item.blocks[k];
                if (const Paragraph* p = block.AsParagraph()) {
                    ParagraphBlock(*p, depth, &context, end);
                } else {
                    Blocks(std::span<const Block>(&block, 1), depth, level + 1,
                           last ? lastEnd : nullptr);
                }
            }
        }
    }

    void TableBlock(const Table& table, int depth) {
        const bool nested = depth > 1;
        for (const TableRow& row : table.rows) {
            // Cell padding is stated per cell, so no row gap is given.
            std::string definition = "\\trowd\\trgaph0";
            if (row.left != 0) {
                definition += "\\trleft" + std::to_string(row.left);
            }
            if (table.align == Alignment::Center) {
                definition += "\\trqc";
            } else if (table.align == Alignment::Right) {
                definition += "\\trqr";
            }
            int64_t right = row.left;
            for (const TableCell& cell : row.cells) {
                const int width = cell.width > 0 ? cell.width : kDefaultCellWidth * cell.colSpan;
                BorderWords(cell.borders, {"\\clbrdrt", "\\clbrdrl", "\\clbrdrb", "\\clbrdrr"},
                            false, &definition);
                if (cell.shading != kNoColor) {
                    definition += "\\clcbpat" + std::to_string(m_colors.at(cell.shading));
                }
                if (cell.vmerge == VerticalMerge::First) {
                    definition += "\\clvmgf";
                } else if (cell.vmerge == VerticalMerge::Continue) {
                    definition += "\\clvmrg";
                }
                if (cell.valign == CellAlign::Center) {
                    definition += "\\clvertalc";
                } else if (cell.valign == CellAlign::Bottom) {
                    definition += "\\clvertalb";
                }
                const Padding& pad = cell.padding;
                definition += "\\clpadt" + std::to_string(pad.top) + "\\clpadft3\\clpadl" +
                              std::to_string(pad.left) + "\\clpadfl3\\clpadb" +
                              std::to_string(pad.bottom) + "\\clpadfb3\\clpadr" +
                              std::to_string(pad.right) + "\\clpadfr3";
                right += std::max(1, width);
                definition += "\\cellx" + std::to_string(right);
            }
            if (!nested) {
                m_out += definition + "\n";
            }
            const char* cellEnd = nested ? "\\nestcell" : "\\cell";
            for (const TableCell& cell : row.cells) {
                if (cell.blocks.empty()) {
                    m_out += "\\pard\\plain" + TableWords(depth) + cellEnd + "\n";
                } else {
                    Blocks(cell.blocks, depth, 0, cellEnd);
                }
            }
            if (nested) {
                m_out += "{\\*\\nesttableprops" + definition + "\\nestrow}{\\nonesttables\\par}\n";
            } else {
                m_out += "\\row\n";
            }
        }
    }

    std::string Properties(const CharFormat& f) const {
        std::string p;
        if (f.font >= 0) {
            p += "\\f" + std::to_string(f.font);
        }
        if (f.size > 0) {
            p += "\\fs" + std::to_string(f.size);
        }
        if (f.bold) {
            p += "\\b";
        }
        if (f.italic) {
            p += "\\i";
        }
        switch (f.underline) {
            case Underline::None:
                break;
            case Underline::Single:
                p += "\\ul";
                break;
            case Underline::Double:
                p += "\\uldb";
                break;
            case Underline::Dotted:
                p += "\\uld";
                break;
            case Underline::Dashed:
                p += "\\uldash";
                break;
            case Underline::Wavy:
                p += "\\ulwave";
                break;
        }
        if (f.strike) {
            p += "\\strike";
        }
        if (f.caps) {
            p += "\\caps";
        }
        if (f.hidden) {
            p += "\\v";
        }
        if (f.valign == VerticalAlign::Superscript) {
            p += "\\super";
        } else if (f.valign == VerticalAlign::Subscript) {
            p += "\\sub";
        }
        if (f.color != kNoColor) {
            p += "\\cf" + std::to_string(m_colors.at(f.color));
        }
        if (f.background != kNoColor) {
            p += "\\chcbpat" + std::to_string(m_colors.at(f.background));
        }
        return p;
    }

    // The fields a run's text is the result of, outermost first: its field and the fields
    // around it, or for a link that names no field, a hyperlink field of its own (given as
    // -2 - link).
    std::vector<int> FieldChain(const CharFormat& f) const {
        std::vector<int> chain;
        const int count = static_cast<int>(m_doc.fields.size());
        if (f.field >= 0 && f.field < count) {
            for (int i = f.field; i >= 0 && i < count; i = m_doc.fields[i].parent) {
                chain.push_back(i);
                if (m_doc.fields[i].parent >= i) {
                    break;  // parents come first; anything else would loop
                }
            }
            std::reverse(chain.begin(), chain.end());
        } else if (f.link >= 0 && static_cast<size_t>(f.link) < m_doc.links.size()) {
            chain.push_back(-2 - f.link);
        }
        return chain;
    }

    void OpenField(int field) {
        m_out += "{\\field{\\*\\fldinst{";
        if (field >= 0) {
            AppendRtfText(m_out, m_doc.fields[field].instruction);
        } else {
            m_out += "HYPERLINK \"";
            FieldText(m_doc.links[-2 - field]);
            m_out += '"';
        }
        m_out += "}}{\\fldrslt{";
    }

    void Runs(const std::vector<Run>& runs) {
        std::vector<int> open;
        for (const Run& run : runs) {
            const std::vector<int> chain = FieldChain(run.format);
            size_t common = 0;
            while (common < open.size() && common < chain.size() && open[common] == chain[common]) {
                ++common;
            }
            while (open.size() > common) {
                m_out += "}}}";
                open.pop_back();
            }
            for (size_t k = common; k < chain.size(); ++k) {
                OpenField(chain[k]);
                open.push_back(chain[k]);
            }
            OneRun(run);
        }
        for (size_t k = 0; k < open.size(); ++k) {
            m_out += "}}}";
        }
    }

    // Text of a field instruction argument, where a backslash escapes the next character.
    void FieldText(const std::string& text) {
        std::string escaped;
        for (const char c : text) {
            if (c == '\\' || c == '"') {
                escaped += '\\';
            }
            escaped += c;
        }
        AppendRtfText(m_out, escaped);
    }

    void OneRun(const Run& run) {
        const std::string props = Properties(run.format);
        switch (run.kind) {
            case RunKind::Text:
                if (props.empty()) {
                    AppendRtfText(m_out, run.text);
                } else {
                    m_out += "{" + props + " ";
                    AppendRtfText(m_out, run.text);
                    m_out += "}";
                }
                break;
            case RunKind::LineBreak:
                m_out += "{" + props + "\\line}";
                break;
            case RunKind::BookmarkStart:
            case RunKind::BookmarkEnd:
                m_out += run.kind == RunKind::BookmarkStart ? "{\\*\\bkmkstart " : "{\\*\\bkmkend ";
                AppendRtfText(m_out, run.text);
                m_out += "}";
                break;
            case RunKind::Picture:
                if (run.index >= 0 && static_cast<size_t>(run.index) < m_doc.pictures.size()) {
                    m_out += "{" + props;
                    PictureGroup(m_doc.pictures[run.index]);
                    m_out += "}";
                }
                break;
            case RunKind::FootnoteRef:
                if (run.index >= 0 && static_cast<size_t>(run.index) < m_doc.footnotes.size()) {
                    m_out +=
                        "{" + props + "{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn}";
                    Blocks(m_doc.footnotes[run.index], 0, 0);
                    m_out += "}}";
                }
                break;
        }
    }

    void PictureGroup(const Picture& picture) {
        if (!picture.alternatives.empty()) {
            // The stand-in for readers that do not know the picture's own format.
            m_out += "{\\*\\shppict";
            PictGroup(picture);
            m_out += "}{\\nonshppict";
            PictGroup(picture.alternatives.front());
            m_out += "}";
            return;
        }
        PictGroup(picture);
    }

    void PictGroup(const Picture& picture) {
        m_out += "{\\pict";
        switch (picture.format) {
            case PictureFormat::Png:
                m_out += "\\pngblip";
                break;
            case PictureFormat::Jpeg:
                m_out += "\\jpegblip";
                break;
            case PictureFormat::Emf:
                m_out += "\\emfblip";
                break;
            case PictureFormat::Wmf:
                m_out += "\\wmetafile8";
                break;
            case PictureFormat::MacPict:
                m_out += "\\macpict";
                break;
            case PictureFormat::Bitmap:
                m_out += "\\dibitmap0";
                break;
            case PictureFormat::Unknown:
                break;
        }
        // \picw and \pich are nominal here; the goal sizes carry the display size. A picture
        // of unknown size gets none, so that readers take the image's own.
        if (picture.width > 0) {
            m_out += "\\picw" + std::to_string(std::max(1, picture.width / 15)) + "\\picwgoal" +
                     std::to_string(picture.width);
        }
        if (picture.height > 0) {
            m_out += "\\pich" + std::to_string(std::max(1, picture.height / 15)) + "\\pichgoal" +
                     std::to_string(picture.height);
        }
        AppendHex(m_out, picture.data);
        m_out += "}";
    }

    const Document& m_doc;
    std::string m_out;
    std::map<uint32_t, int> m_colors;
    std::vector<uint32_t> m_colorOrder;
    std::map<const List*, int> m_listNumbers;
    int m_maxHeading = 0;
};

}  // namespace

void AppendRtfText(std::string& out, std::string_view utf8) {
    static constexpr AsciiEscapes kRtfEscapes = [] {
        AsciiEscapes t{};
        for (unsigned char c = 0; c < 0x20; ++c) {
            t[c] = "";  // control characters mean nothing in a document
        }
        t['\\'] = "\\\\";
        t['{'] = "\\{";
        t['}'] = "\\}";
        t['\t'] = "\\tab ";
        return t;
    }();
    AppendEscaped(out, utf8, kRtfEscapes, [](std::string& o, char32_t c, std::string_view) {
        // \uN takes a signed 16-bit number; characters beyond the BMP go as a surrogate pair.
        const auto unit = [&](uint32_t u) {
            o += "\\u" +
                 std::to_string(u > 32767 ? static_cast<int>(u) - 65536 : static_cast<int>(u)) +
                 "?";
        };
        if (c >= 0x10000) {
            const uint32_t v = c - 0x10000;
            unit(0xD800 + (v >> 10));
            unit(0xDC00 + (v & 0x3FF));
        } else {
            unit(c);
        }
    });
}

std::string WriteRtf(const Document& document) {
    return RtfWriter(document).Write();
}

}  // namespace rtf
