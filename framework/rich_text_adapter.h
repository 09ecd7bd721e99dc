#pragma once

// Between the RTF engine's model and a wxRichTextBuffer, both ways. What the buffer can hold
// (paragraphs, character formats, links, lists, tables, pictures, line breaks, tabs) becomes
// its own objects; what it cannot (footnotes, other fields, bookmarks, hidden text, pictures
// it cannot draw) becomes a placeholder object that shows what it stands for and gives the
// original content back on the way out, so that editing around it loses nothing.

#include "rtf/model.h"

#include <wx/gdicmn.h>

#include <span>
#include <string>
#include <vector>

class wxRichTextParagraphLayoutBox;
class wxRichTextImageBlock;

// What a load keeps for the way back: the document's tables (fonts, links, fields, pictures,
// footnotes) that carried runs refer to, the carried runs themselves, and the original
// formats of paragraphs and table cells for what the buffer has no place for (borders,
// shading, exact spacing). Buffer objects refer to it by index through their properties.
struct ivRichTextCarry {
    rtf::Document base;  // without blocks
    std::vector<std::vector<rtf::Run>> pieces;
    std::vector<rtf::ParagraphFormat> paragraphs;
    std::vector<rtf::Table> tables;  // with their cells' formats, without the cells' blocks

    void Clear() { *this = ivRichTextCarry{}; }
};

// Names of the buffer objects' properties that refer to the carry, and the field type of
// placeholders.
namespace rich_text_prop {
inline constexpr const char* kPiece = "qv-piece";          // placeholder: index into pieces
inline constexpr const char* kLabel = "qv-label";          // placeholder: what it shows
inline constexpr const char* kParagraph = "qv-paragraph";  // index into paragraphs
inline constexpr const char* kListItem = "qv-item";        // a list item's further paragraph: level
inline constexpr const char* kPicture = "qv-picture";      // image: index into base.pictures
inline constexpr const char* kTable = "qv-table";          // table: index into tables
inline constexpr const char* kDrawing = "qv-drawing";      // image: drawing still to come
}  // namespace rich_text_prop

inline constexpr const char* kCarriedFieldType = "qv-carried";

// The buffer's list indentation: one step per level, in tenths of a millimetre (about a
// quarter inch); a list paragraph of level n starts its bullet at (n + 1) steps.
inline constexpr int kListIndentStep = 63;

// Draws the pictures the buffer cannot show by itself (metafiles).
class ivPictureDrawer {
public:
    virtual ~ivPictureDrawer() = default;
    // What to show for picture at width by height pixels, as PNG: its drawing when that is
    // done (true), or else a frame standing in for it (false), with key naming the drawing to
    // come; key stays empty when the picture cannot be drawn at all.
    virtual bool Draw(const rtf::Picture& picture, int width, int height, std::string& png,
                      std::string& key) = 0;
};

// Replaces the content of box by document; carry is filled for DocumentFromBuffer. Without a
// drawer, metafile pictures become placeholders.
void FillRichTextBuffer(const rtf::Document& document, wxRichTextParagraphLayoutBox& box,
                        ivRichTextCarry& carry, ivPictureDrawer* drawer = nullptr);

// The content of box as a document, with carried pieces put back where their placeholders
// are.
rtf::Document DocumentFromBuffer(const wxRichTextParagraphLayoutBox& box,
                                 const ivRichTextCarry& carry);
// The paragraphs of several boxes that share one carry, one after the other, as one document.
rtf::Document DocumentFromBoxes(std::span<const wxRichTextParagraphLayoutBox* const> boxes,
                                const ivRichTextCarry& carry);

// The grid column each cell of row starts in: cells may span several columns, and a row may
// start further right than others. At most kMaxTableColumns columns.
inline constexpr int kMaxTableColumns = 256;
std::vector<int> CellColumns(const rtf::TableRow& row);

// An image block holding a copy of data, a picture file of type.
wxRichTextImageBlock ImageBlockOf(const std::string& data, wxBitmapType type);

// Length conversions between twips and the buffer's tenths of a millimetre.
int TwipsToTenthsMm(int twips);
int TenthsMmToTwips(int tenths);
