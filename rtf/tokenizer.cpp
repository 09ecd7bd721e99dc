#include "rtf/tokenizer.h"

#include <algorithm>

namespace rtf {

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Bytes that end a run of plain text.
bool IsSpecial(unsigned char c) {
    return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n';
}

}  // namespace

Token Tokenizer::Next() {
    const size_t size = m_input.size();
    const char* data = m_input.data();
    while (m_pos < size) {
        const char c = data[m_pos];
        switch (c) {
            case '{':
                ++m_pos;
                return Token::Of(TokenKind::GroupStart);
            case '}':
                ++m_pos;
                return Token::Of(TokenKind::GroupEnd);
            case '\r':
            case '\n':
                ++m_pos;
                continue;
            case '\\':
                break;
            default: {
                const size_t start = m_pos;
                while (m_pos < size && !IsSpecial(static_cast<unsigned char>(data[m_pos]))) {
                    ++m_pos;
                }
                Token t = Token::Of(TokenKind::Text);
                t.text = m_input.substr(start, m_pos - start);
                return t;
            }
        }
        // A backslash.
        if (m_pos + 1 >= size) {
            m_pos = size;
            break;
        }
        const char next = data[m_pos + 1];
        if (IsLetter(next)) {
            ++m_pos;
            return ControlWord();
        }
        m_pos += 2;
        switch (next) {
            case '\\':
            case '{':
            case '}': {
                Token t = Token::Of(TokenKind::Text);
                t.text = m_input.substr(m_pos - 1, 1);
                return t;
            }
            case '\'': {
                // Up to two hex digits; a broken escape yields what was valid, or nothing.
                int value = 0;
                int digits = 0;
                while (digits < 2 && m_pos < size) {
                    const int v = HexValue(data[m_pos]);
                    if (v < 0) {
                        break;
                    }
                    value = value * 16 + v;
                    ++digits;
                    ++m_pos;
                }
                if (digits == 0) {
                    continue;
                }
                Token t = Token::Of(TokenKind::Hex);
                t.byte = static_cast<uint8_t>(value);
                return t;
            }
            case '\r':
            case '\n': {
                // A backslash before a line end is an old spelling of \par.
                Token t = Token::Of(TokenKind::Word);
                t.text = "par";
                return t;
            }
            default: {
                Token t = Token::Of(TokenKind::Symbol);
                t.byte = static_cast<uint8_t>(next);
                return t;
            }
        }
    }
    return Token::Of(TokenKind::End);
}

Token Tokenizer::ControlWord() {
    const size_t size = m_input.size();
    const char* data = m_input.data();
    const size_t start = m_pos;
    // The name is scanned whole however long it is; the reader rejects names longer than
    // any keyword, so a huge control word is one cheap token.
    while (m_pos < size && IsLetter(data[m_pos])) {
        ++m_pos;
    }
    Token t = Token::Of(TokenKind::Word);
    t.text = m_input.substr(start, m_pos - start);

    bool negative = false;
    if (m_pos + 1 < size && data[m_pos] == '-' && IsDigit(data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < size && IsDigit(data[m_pos])) {
        // Parameters saturate at the 32-bit range instead of overflowing; extra digits are
        // consumed so that they do not turn into text.
        int64_t value = 0;
        while (m_pos < size && IsDigit(data[m_pos])) {
            if (value <= INT32_MAX) {
                value = value * 10 + (data[m_pos] - '0');
            }
            ++m_pos;
        }
        if (value > INT32_MAX) {
            value = INT32_MAX;
        }
        t.param = static_cast<int32_t>(negative ? -value : value);
        t.hasParam = true;
    }
    if (m_pos < size && data[m_pos] == ' ') {
        ++m_pos;  // the delimiting space belongs to the control word
    }
    if (t.hasParam && t.text == "bin") {
        return Binary(t.param);
    }
    return t;
}

Token Tokenizer::Binary(int32_t length) {
    // \bin data is taken as is, but never beyond the end of the input, whatever the length
    // claims.
    const size_t available = m_input.size() - m_pos;
    const size_t n = length <= 0 ? 0 : std::min(available, static_cast<size_t>(length));
    Token t = Token::Of(TokenKind::Binary);
    t.text = m_input.substr(m_pos, n);
    m_pos += n;
    return t;
}

void Tokenizer::SkipGroup() {
    const size_t size = m_input.size();
    const char* data = m_input.data();
    size_t depth = 1;
    while (m_pos < size) {
        while (m_pos < size && data[m_pos] != '{' && data[m_pos] != '}' && data[m_pos] != '\\') {
            ++m_pos;
        }
        if (m_pos >= size) {
            return;
        }
        const char c = data[m_pos];
        if (c == '{') {
            ++depth;
            ++m_pos;
        } else if (c == '}') {
            ++m_pos;
            if (--depth == 0) {
                return;
            }
        } else if (m_pos + 1 < size && IsLetter(data[m_pos + 1])) {
            ++m_pos;
            ControlWord();  // also steps over \bin data
        } else {
            m_pos += 2;  // an escaped character, brace or backslash
        }
    }
    m_pos = size;
}

}  // namespace rtf
