#include "views/text_find.h"

#include <wx/richtext/richtextbuffer.h>

#include <algorithm>

namespace {

constexpr wxChar kObjectChar = 0xFFFC;
// Tables nested deeper are not searched; the import flattens them before this.
constexpr int kMaxTableDepth = 32;

bool IsWordChar(wxUniChar c) {
    return wxIsalnum(c) || c == '_';
}

bool IsWholeWord(const wxString& text, size_t at, size_t length) {
    return (at == 0 || !IsWordChar(text[at - 1])) &&
           (at + length >= text.length() || !IsWordChar(text[at + length]));
}

// The match nearest to from in the direction asked within [begin, end) of text.
long Search(const wxString& text, const wxString& needle, size_t begin, size_t end,
            const myFindOptions& options) {
    if (end < begin + needle.length()) {
        return -1;
    }
    if (options.down) {
        for (size_t at = text.find(needle, begin);
             at != wxString::npos && at + needle.length() <= end; at = text.find(needle, at + 1)) {
            if (!options.wholeWord || IsWholeWord(text, at, needle.length())) {
                return static_cast<long>(at);
            }
        }
        return -1;
    }
    for (size_t at = text.rfind(needle, end - needle.length()); at != wxString::npos && at >= begin;
         at = at == 0 ? wxString::npos : text.rfind(needle, at - 1)) {
        if (!options.wholeWord || IsWholeWord(text, at, needle.length())) {
            return static_cast<long>(at);
        }
    }
    return -1;
}

}  // namespace

wxString PositionText(const wxRichTextParagraphLayoutBox& box) {
    wxString text;
    for (const wxRichTextObject* child : box.GetChildren()) {
        const auto* paragraph = dynamic_cast<const wxRichTextParagraph*>(child);
        if (paragraph == nullptr) {
            continue;
        }
        const long start = paragraph->GetRange().GetStart();
        if (static_cast<long>(text.length()) < start) {
            text.append(start - text.length(), kObjectChar);
        }
        for (const wxRichTextObject* object : paragraph->GetChildren()) {
            const long length = object->GetRange().GetLength();
            const auto* plain = dynamic_cast<const wxRichTextPlainText*>(object);
            if (plain != nullptr && static_cast<long>(plain->GetText().length()) == length) {
                text += plain->GetText();
            } else if (length > 0) {
                text.append(length, kObjectChar);
            }
        }
        // The paragraph's own end.
        const long end = paragraph->GetRange().GetEnd();
        if (static_cast<long>(text.length()) < end) {
            text.append(end - text.length(), kObjectChar);
        }
        text += '\n';
    }
    return text;
}

std::pair<long, long> FindInPositionText(const wxString& text, const wxString& needle, long from,
                                         const myFindOptions& options) {
    if (needle.empty() || needle.length() > text.length()) {
        return {-1, -1};
    }
    const wxString haystack = options.matchCase ? text : text.Lower();
    const wxString wanted = options.matchCase ? needle : needle.Lower();
    const size_t caret =
        static_cast<size_t>(std::clamp<long>(from, 0, static_cast<long>(text.length())));
    long at = options.down ? Search(haystack, wanted, caret, haystack.length(), options)
                           : Search(haystack, wanted, 0, caret, options);
    if (at < 0) {
        // Round the end to the other side.
        at = Search(haystack, wanted, 0, haystack.length(), options);
    }
    if (at < 0) {
        return {-1, -1};
    }
    return {at, at + static_cast<long>(needle.length())};
}

myBodyText::myBodyText(const wxRichTextParagraphLayoutBox& box) {
    Add(box, 0);
}

void myBodyText::Add(const wxRichTextParagraphLayoutBox& box, int depth) {
    const wxString text = PositionText(box);
    long done = 0;
    const auto span = [&](long end) {
        if (end > done) {
            m_spans.push_back(Span{&box, done, static_cast<long>(m_text.length()), end - done});
            m_text.append(text, done, end - done);
            done = end;
        }
    };
    for (const wxRichTextObject* child : box.GetChildren()) {
        const auto* paragraph = dynamic_cast<const wxRichTextParagraph*>(child);
        if (paragraph == nullptr || depth >= kMaxTableDepth) {
            continue;
        }
        for (const wxRichTextObject* object : paragraph->GetChildren()) {
            const auto* table = dynamic_cast<const wxRichTextTable*>(object);
            if (table == nullptr) {
                continue;
            }
            // The table's own position stays with the text before it, then come its cells.
            span(std::min<long>(object->GetRange().GetEnd() + 1, text.length()));
            for (int row = 0; row < table->GetRowCount(); ++row) {
                for (int column = 0; column < table->GetColumnCount(); ++column) {
                    const wxRichTextCell* cell = table->GetCell(row, column);
                    if (cell != nullptr && cell->IsShown()) {
                        Add(*cell, depth + 1);
                    }
                }
            }
        }
    }
    span(static_cast<long>(text.length()));
}

long myBodyText::IndexOf(const wxRichTextParagraphLayoutBox* box, long position) const {
    const Span* last = nullptr;
    for (const Span& span : m_spans) {
        if (span.box != box) {
            continue;
        }
        if (position >= span.start && position < span.start + span.length) {
            return span.offset + position - span.start;
        }
        last = &span;
    }
    // The very end of the box.
    if (last != nullptr && position == last->start + last->length) {
        return last->offset + last->length;
    }
    return -1;
}

myBodyText::Place myBodyText::PlaceOf(long from, long to) const {
    for (const Span& span : m_spans) {
        if (from >= span.offset && to <= span.offset + span.length) {
            return Place{span.box, span.start + from - span.offset, span.start + to - span.offset};
        }
    }
    return {};
}
