#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rtf {

enum class TokenKind : uint8_t {
    End,
    GroupStart,
    GroupEnd,
    Word,    // control word: text is its name, param/hasParam its parameter
    Symbol,  // control symbol other than an escaped character: byte is the character
    Text,    // plain bytes (escaped \\ \{ \} come as one-byte text)
    Hex,     // \'hh: byte is the value
    Binary,  // data of \binN: text holds the bytes
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;
    int32_t param = 0;
    bool hasParam = false;
    uint8_t byte = 0;

    static Token Of(TokenKind kind) {
        Token t;
        t.kind = kind;
        return t;
    }
};

// Splits RTF into tokens. Every token views the input; nothing is copied, so an overlong
// control word costs no memory. Line ends in the input are not text and are dropped.
class Tokenizer {
public:
    explicit Tokenizer(std::string_view input) : m_input(input) {}

    Token Next();

    // Skips to the end of the group whose opening brace was the last token, consuming its
    // closing brace; escaped braces and \bin data are honoured.
    void SkipGroup();

    size_t Position() const { return m_pos; }

private:
    Token ControlWord();
    Token Binary(int32_t length);

    std::string_view m_input;
    size_t m_pos = 0;
};

}  // namespace rtf
