#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
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

    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    int Number() const { return m_number; }
    bool IsLeadByte(uint8_t b) const { return m_lead[b]; }

    // The character of a single byte; U+FFFD when the code page has none.
    char32_t Decode(uint8_t b) const { return m_single[b]; }
    // The character of a lead and a trail byte. The characters of one lead byte are looked
    // up together the first time one of them is needed: a document uses a few dozen lead
    // bytes at most, and building all of them up front would cost milliseconds per page.
    char32_t Decode(uint8_t lead, uint8_t trail) const;

private:
    using Row = std::array<char32_t, 256>;

    explicit CodePage(int number) : m_number(number) {}
    bool Open(const char* iconvName);
    const Row& RowOf(uint8_t lead) const;

    int m_number;
    void* m_iconv = nullptr;  // an iconv_t, kept for the rows still to be built
    char32_t m_single[256] = {};
    bool m_lead[256] = {};
    mutable std::array<std::atomic<const Row*>, 256> m_rows{};
    mutable std::vector<std::unique_ptr<Row>> m_ownedRows;
    mutable std::mutex m_mutex;
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
