#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rtf {

// Decoding of one Windows or Mac code page to Unicode, through tables built once with iconv.
// Double-byte code pages (932, 936, 949, 950, 1361) have lead bytes whose character needs
// the next byte too.
class CodePage {
public:
    // The shared decoder for a code page number, or null when the system has no converter.
    static const CodePage* ForNumber(int number);

    int Number() const { return m_number; }
    bool IsLeadByte(uint8_t b) const { return m_lead[b]; }

    // The character of a single byte; U+FFFD when the code page has none.
    char32_t Decode(uint8_t b) const { return m_single[b]; }
    char32_t Decode(uint8_t lead, uint8_t trail) const;

private:
    explicit CodePage(int number) : m_number(number) {}
    bool Build(const char* iconvName);

    int m_number;
    char32_t m_single[256] = {};
    bool m_lead[256] = {};
    std::vector<char32_t> m_double;  // 256 entries per lead byte, in lead byte order
    uint8_t m_leadIndex[256] = {};   // position of a lead byte's entries in m_double
};

// The code page an RTF \fcharset stands for; 0 for the ANSI and default sets, which follow
// the document's \ansicpg, and for the symbol set.
int CodePageOfCharset(int charset);

// Fonts with private encodings of their own.
enum class SymbolEncoding : uint8_t { None, Symbol, Wingdings };
SymbolEncoding SymbolEncodingOfFont(const std::string& name);

// The Unicode character for a byte of a symbol font (also reached through the private-use
// range U+F020..U+F0FF that Word gives such characters); 0 when the byte has none.
char32_t DecodeSymbolByte(SymbolEncoding encoding, uint8_t b);

// Appends a code point as UTF-8; invalid ones (surrogates, beyond U+10FFFF) become U+FFFD.
void AppendUtf8(std::string& out, char32_t c);

// Decodes one code point from UTF-8 at pos, advancing pos; malformed bytes yield U+FFFD
// one byte at a time.
char32_t NextUtf8(std::string_view text, size_t& pos);

}  // namespace rtf
