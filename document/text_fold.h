#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Case folding of UTF-8 text for searching without regard to case: ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic capitals become small letters, and "ß" and "ẞ" become "ss",
// so that "STRASSE" finds "Straße". Invalid bytes stay as they are.
class ivFoldedText {
public:
    ivFoldedText() = default;
    explicit ivFoldedText(std::string_view text);

    const std::string& Folded() const { return m_folded; }
    // The byte offset in the original text of a byte offset in the folded text (the start of
    // the character it belongs to).
    size_t OriginalOffset(size_t folded) const;

private:
    std::string m_folded;
    // Where folded and original offsets part: each character whose folded form has another
    // length, with its start and end in both texts. Empty for nearly every text.
    struct Checkpoint {
        size_t foldedStart;
        size_t originalStart;
        size_t foldedEnd;
        size_t originalEnd;
    };
    std::vector<Checkpoint> m_checkpoints;
};

// The folded form alone, for a query.
std::string FoldCase(std::string_view text);

// Whether the code point is part of a word (letters, digits, "_"), for whole-word matches.
bool IsWordCodePoint(char32_t c);

// The code point that starts at offset, or that ends just before it (invalid bytes are read
// as themselves); 0 at either end of the text.
char32_t CodePointAt(std::string_view text, size_t offset);
char32_t CodePointBefore(std::string_view text, size_t offset);
