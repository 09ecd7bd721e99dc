#pragma once

#include <wx/string.h>

#include <utility>
#include <vector>

class wxRichTextParagraphLayoutBox;

// Finding text inside one section body.
struct myFindOptions {
    bool down = true;
    bool matchCase = false;
    bool wholeWord = false;
};

// The text of box with one character for every position of the buffer: what is no text (a
// picture, a placeholder, a table) stands as U+FFFC, and each paragraph ends with a line feed.
// An index into it is a position of the control.
wxString PositionText(const wxRichTextParagraphLayoutBox& box);

// The first match of needle in text after from (down) or the last one before it (up), going
// round the end to the other side once; {-1, -1} when there is none. The range is [from, to).
std::pair<long, long> FindInPositionText(const wxString& text, const wxString& needle, long from,
                                         const myFindOptions& options);

// The text of a body as a person reads it: the top level and, where a table stands, its cells
// row by row (tables inside cells likewise). Each piece is the PositionText of its box, so an
// index into Text is a position in one of the boxes.
class myBodyText {
public:
    explicit myBodyText(const wxRichTextParagraphLayoutBox& box);

    const wxString& Text() const { return m_text; }
    // The index into Text of position in box; -1 when box is none of the body's.
    long IndexOf(const wxRichTextParagraphLayoutBox* box, long position) const;

    // Where [from, to) of Text lies: a box and positions in it; box is null when the range
    // reaches over the end of a piece.
    struct Place {
        const wxRichTextParagraphLayoutBox* box = nullptr;
        long from = -1;
        long to = -1;
    };
    Place PlaceOf(long from, long to) const;

private:
    struct Span {
        const wxRichTextParagraphLayoutBox* box;
        long start;   // position in box
        long offset;  // index into m_text
        long length;
    };
    void Add(const wxRichTextParagraphLayoutBox& box, int depth);

    wxString m_text;
    std::vector<Span> m_spans;
};
