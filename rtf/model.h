#pragma once

// The rich-text model: what a section body holds once its RTF has been read, and what the
// writers (HTML, RTF, plain text, WordprocessingML) turn into their formats. It knows
// nothing of any toolkit. Lengths are in twips (1/20 point) unless said otherwise.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace rtf {

// A colour as 0xRRGGBB, or kNoColor for "automatic".
inline constexpr uint32_t kNoColor = 0xFFFFFFFFu;

enum class Underline : uint8_t { None, Single, Double, Dotted, Dashed, Wavy };
enum class VerticalAlign : uint8_t { Baseline, Superscript, Subscript };

// Formatting of a run of characters.
struct CharFormat {
    int font = -1;  // index into Document::fonts; -1: the page's default font
    int size = 0;   // in half-points; 0: the page's default size
    uint32_t color = kNoColor;
    uint32_t background = kNoColor;
    int link = -1;  // index into Document::links; -1: not part of a hyperlink
    Underline underline = Underline::None;
    VerticalAlign valign = VerticalAlign::Baseline;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool caps = false;

    bool operator==(const CharFormat&) const = default;
};

enum class RunKind : uint8_t {
    Text,         // text: UTF-8, tabs as '\t'
    LineBreak,    // a line break inside the paragraph
    Picture,      // index: into Document::pictures
    FootnoteRef,  // index: into Document::footnotes
};

struct Run {
    RunKind kind = RunKind::Text;
    CharFormat format;
    std::string text;
    int index = -1;

    bool operator==(const Run&) const = default;
};

enum class Alignment : uint8_t { Left, Center, Right, Justify };

struct ParagraphFormat {
    Alignment align = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;  // relative to leftIndent; negative for a hanging indent
    int spaceBefore = 0;
    int spaceAfter = 0;
    int heading = 0;  // outline level 1..9, 0 for body text

    bool operator==(const ParagraphFormat&) const = default;
};

struct Paragraph {
    ParagraphFormat format;
    std::vector<Run> runs;

    bool operator==(const Paragraph&) const = default;
};

struct Block;

enum class ListStyle : uint8_t { Bullet, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman };

// One list entry: its paragraph, followed by the lists nested under it.
struct ListItem {
    std::vector<Block> blocks;
    bool operator==(const ListItem&) const;
};

struct List {
    ListStyle style = ListStyle::Bullet;
    int start = 1;  // number of the first item (numbering continues across interruptions)
    std::vector<ListItem> items;

    bool Ordered() const { return style != ListStyle::Bullet; }
    bool operator==(const List&) const;
};

enum class VerticalMerge : uint8_t { None, First, Continue };

struct TableCell {
    std::vector<Block> blocks;  // never empty once read: an empty cell holds one empty paragraph
    int width = 0;              // 0: unknown
    int colSpan = 1;
    VerticalMerge vmerge = VerticalMerge::None;
    bool operator==(const TableCell&) const;
};

struct TableRow {
    std::vector<TableCell> cells;
    bool operator==(const TableRow&) const;
};

struct Table {
    std::vector<TableRow> rows;
    bool borders = false;
    bool operator==(const Table&) const;
};

struct Block {
    std::variant<Paragraph, List, Table> content;

    Block() = default;
    Block(Paragraph p) : content(std::move(p)) {}
    Block(List l) : content(std::move(l)) {}
    Block(Table t) : content(std::move(t)) {}

    const Paragraph* AsParagraph() const { return std::get_if<Paragraph>(&content); }
    const List* AsList() const { return std::get_if<List>(&content); }
    const Table* AsTable() const { return std::get_if<Table>(&content); }
    bool operator==(const Block&) const;
};

enum class FontFamily : uint8_t { Nil, Roman, Swiss, Modern, Script, Decor, Tech, Bidi };

struct Font {
    std::string name;
    FontFamily family = FontFamily::Nil;
    int charset = 0;  // RTF \fcharset, kept so that writers can give it back

    bool operator==(const Font&) const = default;
};

enum class PictureFormat : uint8_t { Png, Jpeg, Emf, Wmf, Bitmap, MacPict, Unknown };

// Picture bytes as stored in the RTF. Only PNG and JPEG are shown by the HTML writer; the
// others are kept so that an RTF round trip does not lose them.
struct Picture {
    PictureFormat format = PictureFormat::Unknown;
    std::string data;
    int width = 0;  // display size in twips
    int height = 0;

    bool Displayable() const {
        return format == PictureFormat::Png || format == PictureFormat::Jpeg;
    }
    bool operator==(const Picture&) const = default;
};

struct Document {
    std::vector<Block> blocks;
    std::vector<Font> fonts;
    std::vector<std::string> links;  // hyperlink targets; "#name" for a bookmark
    std::vector<Picture> pictures;
    std::vector<std::vector<Block>> footnotes;  // shown at the end, numbered from 1
    int defaultFont = -1;                       // index into fonts

    bool operator==(const Document&) const;
};

// Calls visit(paragraph) for every paragraph of blocks in document order, including those in
// lists and table cells (not footnotes).
template <typename Visit>
void ForEachParagraph(const std::vector<Block>& blocks, Visit&& visit) {
    for (const Block& block : blocks) {
        if (const Paragraph* p = block.AsParagraph()) {
            visit(*p);
        } else if (const List* list = block.AsList()) {
            for (const ListItem& item : list->items) {
                ForEachParagraph(item.blocks, visit);
            }
        } else if (const Table* table = block.AsTable()) {
            for (const TableRow& row : table->rows) {
                for (const TableCell& cell : row.cells) {
                    ForEachParagraph(cell.blocks, visit);
                }
            }
        }
    }
}

}  // namespace rtf
