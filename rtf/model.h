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
    int link = -1;   // index into Document::links; -1: not part of a hyperlink
    int field = -1;  // index into Document::fields; -1: not part of a field's result
    Underline underline = Underline::None;
    VerticalAlign valign = VerticalAlign::Baseline;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool caps = false;
    bool hidden = false;  // \v: kept for RTF written back, left out of what readers see

    bool operator==(const CharFormat&) const = default;
};

enum class RunKind : uint8_t {
    Text,           // text: UTF-8, tabs as '\t'
    LineBreak,      // a line break inside the paragraph
    Picture,        // index: into Document::pictures
    FootnoteRef,    // index: into Document::footnotes
    BookmarkStart,  // text: the bookmark's name
    BookmarkEnd,    // text: the bookmark's name
};

struct Run {
    RunKind kind = RunKind::Text;
    CharFormat format;
    std::string text;
    int index = -1;

    bool operator==(const Run&) const = default;
};

enum class Alignment : uint8_t { Left, Center, Right, Justify };

enum class BorderStyle : uint8_t {
    None,
    Single,
    Thick,
    Double,
    Dotted,
    Dashed,
    Hairline,
    Triple,
    Inset,
    Outset,
    Emboss,
    Engrave,
    Wavy,
};

// One side of a paragraph or cell border.
struct Border {
    BorderStyle style = BorderStyle::None;
    int width = 0;  // twips; 0: the thinnest line
    uint32_t color = kNoColor;
    int space = 0;  // twips between the border and the text (paragraphs)

    bool Present() const { return style != BorderStyle::None; }
    bool operator==(const Border&) const = default;
};

struct Borders {
    Border top, left, bottom, right;

    bool Any() const {
        return top.Present() || left.Present() || bottom.Present() || right.Present();
    }
    bool operator==(const Borders&) const = default;
};

struct ParagraphFormat {
    Alignment align = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;  // relative to leftIndent; negative for a hanging indent
    int spaceBefore = 0;
    int spaceAfter = 0;
    // \sl: positive at least, negative exactly this many twips; 0: single. With
    // lineMultiple, a multiple of single spacing in 240ths (\slmult1).
    int lineSpacing = 0;
    bool lineMultiple = false;
    int heading = 0;  // outline level 1..9, 0 for body text
    uint32_t shading = kNoColor;
    Borders borders;
    bool hiddenMark = false;  // the paragraph mark is hidden text (\v before \par)

    bool operator==(const ParagraphFormat&) const = default;
};

struct Paragraph {
    ParagraphFormat format;
    std::vector<Run> runs;

    // Whether a reader sees the paragraph: not when its mark is hidden and it holds nothing
    // but hidden text and bookmarks.
    bool Shown() const;

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
enum class CellAlign : uint8_t { Top, Center, Bottom };

// Space between a cell's edge and its text, in twips.
struct Padding {
    int top = 0, left = 0, bottom = 0, right = 0;
    bool operator==(const Padding&) const = default;
};

// The width of a table cell that its row does not define: one inch.
inline constexpr int kDefaultCellWidth = 1440;

struct TableCell {
    std::vector<Block> blocks;  // never empty once read: an empty cell holds one empty paragraph
    int width = 0;              // 0: unknown
    int colSpan = 1;            // columns of the table's grid the cell covers
    VerticalMerge vmerge = VerticalMerge::None;
    Borders borders;
    uint32_t shading = kNoColor;
    Padding padding;
    CellAlign valign = CellAlign::Top;
    bool operator==(const TableCell&) const;
};

struct TableRow {
    std::vector<TableCell> cells;
    int left = 0;        // \trleft: the left edge of the first cell
    int gridBefore = 0;  // grid columns left empty before the first cell
    bool operator==(const TableRow&) const;
};

struct Table {
    std::vector<TableRow> rows;
    // Widths of the columns that the edges of all rows' cells make, in twips; a cell spans
    // colSpan of them.
    std::vector<int> grid;
    Alignment align = Alignment::Left;  // of the table between the margins
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

// Picture bytes as stored in the RTF. Browsers show PNG and JPEG as they are; the others
// are converted for them where that can be done, and kept as they are for RTF written back.
struct Picture {
    PictureFormat format = PictureFormat::Unknown;
    std::string data;
    int width = 0;  // display size in twips
    int height = 0;
    // The picture a writer put beside this one for programs that cannot read it
    // (\nonshppict next to \shppict), usually a WMF beside a PNG or EMF; at most one.
    std::vector<Picture> alternatives;

    bool Displayable() const {
        return format == PictureFormat::Png || format == PictureFormat::Jpeg;
    }
    bool operator==(const Picture&) const;
};

// A field (\field) as the document has it, so that RTF written back keeps it: readers see
// only its result, and a hyperlink's target in Document::links.
struct Field {
    std::string instruction;
    int parent = -1;  // the field whose result holds this one; always an earlier index

    bool operator==(const Field&) const = default;
};

struct Document {
    std::vector<Block> blocks;
    std::vector<Font> fonts;
    std::vector<std::string> links;  // hyperlink targets; "#name" for a bookmark
    std::vector<Field> fields;
    std::vector<Picture> pictures;
    std::vector<std::vector<Block>> footnotes;  // shown at the end, numbered from 1
    int defaultFont = -1;                       // index into fonts
    int defaultSize = 0;  // half-points the document states for text without \fs; 0: none

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

// Calls visit(table) for every table of blocks, nested ones included (not footnotes).
template <typename Visit>
void ForEachTable(const std::vector<Block>& blocks, Visit&& visit) {
    for (const Block& block : blocks) {
        if (const List* list = block.AsList()) {
            for (const ListItem& item : list->items) {
                ForEachTable(item.blocks, visit);
            }
        } else if (const Table* table = block.AsTable()) {
            visit(*table);
            for (const TableRow& row : table->rows) {
                for (const TableCell& cell : row.cells) {
                    ForEachTable(cell.blocks, visit);
                }
            }
        }
    }
}

}  // namespace rtf
