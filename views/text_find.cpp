#include "views/text_find.h"

#include <wx/richtext/richtextbuffer.h>

#include <algorithm>

namespace {

constexpr wxChar kObjectChar = 0xFFFC;

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
