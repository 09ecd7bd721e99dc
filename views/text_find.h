#pragma once

#include <wx/string.h>

#include <utility>

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
