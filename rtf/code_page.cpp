#include "rtf/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>

namespace rtf {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

const char* IconvName(int number, std::string& scratch) {
    switch (number) {
        case 10000:
            return "MACINTOSH";
        case 10001:
            return "CP932";  // Mac Japanese: Shift-JIS with Apple additions
        case 10002:
            return "BIG5";
        case 10003:
            return "CP949";
        case 10006:
            return "ISO-8859-7";
        case 10007:
            return "MAC-CYRILLIC";
        case 10008:
            return "CP936";
        case 10029:
            return "MAC-CENTRALEUROPE";
        case 10079:
            return "MAC-IS";
        case 1361:
            return "JOHAB";
        case 20127:
            return "ASCII";
        case 20866:
            return "KOI8-R";
        case 21866:
            return "KOI8-U";
        default:
            break;
    }
    if (number >= 28591 && number <= 28606) {
        scratch = "ISO-8859-" + std::to_string(number - 28590);
    } else {
        scratch = "CP" + std::to_string(number);
    }
    return scratch.c_str();
}

// Converts bytes to one code point; 0 with incomplete set when the bytes begin but do not
// finish a character.
char32_t ConvertOne(iconv_t cd, const char* bytes, size_t length, bool& incomplete) {
    incomplete = false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* in = const_cast<char*>(bytes);
    size_t inLeft = length;
    char* outPtr = out;
    size_t outLeft = sizeof out;
    const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    if (r == static_cast<size_t>(-1)) {
        incomplete = errno == EINVAL;
        return 0;
    }
    if (outLeft != sizeof out - 4 || inLeft != 0) {
        return 0;  // no character, or more than one
    }
    uint32_t c;
    std::memcpy(&c, out, 4);
    return c;
}

}  // namespace

bool CodePage::Build(const char* iconvName) {
    iconv_t cd = iconv_open("UTF-32LE", iconvName);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        bool incomplete = false;
        const char32_t c = ConvertOne(cd, &byte, 1, incomplete);
        m_single[b] = c != 0 || b == 0 ? c : kReplacement;
        m_lead[b] = incomplete;
    }
    int leads = 0;
    for (int b = 0; b < 256; ++b) {
        if (m_lead[b]) {
            m_leadIndex[b] = static_cast<uint8_t>(leads++);
        }
    }
    m_double.assign(static_cast<size_t>(leads) * 256, kReplacement);
    for (int lead = 0; lead < 256; ++lead) {
        if (!m_lead[lead]) {
            continue;
        }
        for (int trail = 0x21; trail < 256; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            bool incomplete = false;
            const char32_t c = ConvertOne(cd, pair, 2, incomplete);
            if (c != 0) {
                m_double[m_leadIndex[lead] * 256 + trail] = c;
            }
        }
    }
    iconv_close(cd);
    return true;
}

char32_t CodePage::Decode(uint8_t lead, uint8_t trail) const {
    if (!m_lead[lead]) {
        return kReplacement;
    }
    return m_double[m_leadIndex[lead] * 256 + trail];
}

const CodePage* CodePage::ForNumber(int number) {
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<CodePage>> cache;
    std::lock_guard<std::mutex> lock(mutex);
    auto found = cache.find(number);
    if (found != cache.end()) {
        return found->second.get();
    }
    std::unique_ptr<CodePage> page;
    std::string scratch;
    // Code page numbers outside this range name nothing we could convert; refusing them
    // also keeps the cache small whatever numbers a document claims.
    if (number > 0 && number <= 65000) {
        page.reset(new CodePage(number));
        if (!page->Build(IconvName(number, scratch))) {
            page.reset();
        }
    }
    const CodePage* result = page.get();
    if (result != nullptr || cache.size() < 64) {
        cache.emplace(number, std::move(page));
    }
    return result;
}

int CodePageOfCharset(int charset) {
    switch (charset) {
        case 77:
            return 10000;
        case 78:
            return 10001;
        case 79:
            return 10003;
        case 80:
            return 10008;
        case 81:
            return 10002;
        case 83:
            return 10005;
        case 84:
            return 10004;
        case 85:
            return 10006;
        case 86:
            return 10081;
        case 87:
            return 10021;
        case 88:
            return 10029;
        case 89:
            return 10007;
        case 128:
            return 932;
        case 129:
            return 949;
        case 130:
            return 1361;
        case 134:
            return 936;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        case 254:
            return 437;
        case 255:
            return 850;
        default:
            return 0;
    }
}

SymbolEncoding SymbolEncodingOfFont(const std::string& name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "symbol") {
        return SymbolEncoding::Symbol;
    }
    if (lower.rfind("wingdings", 0) == 0) {
        return SymbolEncoding::Wingdings;
    }
    return SymbolEncoding::None;
}

char32_t DecodeSymbolByte(SymbolEncoding encoding, uint8_t b) {
    if (encoding == SymbolEncoding::Symbol) {
        // The Symbol font: Greek letters where Latin ones are, mathematical signs above.
        static const char32_t greekUpper[26] = {0x391, 0x392, 0x3A7, 0x394, 0x395, 0x3A6, 0x393,
                                                0x397, 0x399, 0x3D1, 0x39A, 0x39B, 0x39C, 0x39D,
                                                0x39F, 0x3A0, 0x398, 0x3A1, 0x3A3, 0x3A4, 0x3A5,
                                                0x3C2, 0x3A9, 0x39E, 0x3A8, 0x396};
        static const char32_t greekLower[26] = {0x3B1, 0x3B2, 0x3C7, 0x3B4, 0x3B5, 0x3C6, 0x3B3,
                                                0x3B7, 0x3B9, 0x3D5, 0x3BA, 0x3BB, 0x3BC, 0x3BD,
                                                0x3BF, 0x3C0, 0x3B8, 0x3C1, 0x3C3, 0x3C4, 0x3C5,
                                                0x3D6, 0x3C9, 0x3BE, 0x3C8, 0x3B6};
        static const char32_t high[96] = {
            0x20AC, 0x3D2,  0x2032, 0x2264, 0x2044, 0x221E, 0x192,  0x2663,  // A0
            0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
            0xB0,   0xB1,   0x2033, 0x2265, 0xD7,   0x221D, 0x2202, 0x2022,  // B0
            0xF7,   0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
            0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,  // C0
            0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
            0x2220, 0x2207, 0xAE,   0xA9,   0x2122, 0x220F, 0x221A, 0x22C5,  // D0
            0xAC,   0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
            0x25CA, 0x2329, 0xAE,   0xA9,   0x2122, 0x2211, 0x239B, 0x239C,  // E0
            0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
            0,      0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,  // F0
            0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0};
        if (b >= 'A' && b <= 'Z') {
            return greekUpper[b - 'A'];
        }
        if (b >= 'a' && b <= 'z') {
            return greekLower[b - 'a'];
        }
        if (b >= 0xA0) {
            return high[b - 0xA0];
        }
        switch (b) {
            case 0x22:
                return 0x2200;
            case 0x24:
                return 0x2203;
            case 0x27:
                return 0x220B;
            case 0x2A:
                return 0x2217;
            case 0x2D:
                return 0x2212;
            case 0x40:
                return 0x2245;
            case 0x5C:
                return 0x2234;
            case 0x5E:
                return 0x22A5;
            case 0x7E:
                return 0x223C;
            default:
                return b >= 0x20 && b < 0x7F ? b : 0;
        }
    }
    if (encoding == SymbolEncoding::Wingdings) {
        // Only the signs that documents use as bullets and check marks.
        switch (b) {
            case 0x6C:
                return 0x25CF;
            case 0x6E:
                return 0x25A0;
            case 0x6F:
                return 0x25A1;
            case 0x71:
                return 0x2751;
            case 0x75:
                return 0x25C6;
            case 0x76:
                return 0x2756;
            case 0x9F:
                return 0x2022;
            case 0xA7:
                return 0x25AA;
            case 0xA8:
                return 0x25FB;
            case 0xD8:
                return 0x27A2;
            case 0xE0:
                return 0x2192;
            case 0xE8:
                return 0x2794;
            case 0xFB:
                return 0x2717;
            case 0xFC:
                return 0x2714;
            case 0xFE:
                return 0x2611;
            default:
                return 0;
        }
    }
    return 0;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        c = kReplacement;
    }
    char buffer[4];
    size_t n;
    if (c < 0x800) {
        buffer[0] = static_cast<char>(0xC0 | (c >> 6));
        buffer[1] = static_cast<char>(0x80 | (c & 0x3F));
        n = 2;
    } else if (c < 0x10000) {
        buffer[0] = static_cast<char>(0xE0 | (c >> 12));
        buffer[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        buffer[2] = static_cast<char>(0x80 | (c & 0x3F));
        n = 3;
    } else {
        buffer[0] = static_cast<char>(0xF0 | (c >> 18));
        buffer[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        buffer[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        buffer[3] = static_cast<char>(0x80 | (c & 0x3F));
        n = 4;
    }
    out.append(buffer, n);
}

char32_t NextUtf8(std::string_view text, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(pos);
    if (first < 0x80) {
        ++pos;
        return first;
    }
    int length = 0;
    char32_t c = 0;
    if ((first & 0xE0) == 0xC0) {
        length = 2;
        c = first & 0x1F;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3;
        c = first & 0x0F;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4;
        c = first & 0x07;
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return kReplacement;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        c = (c << 6) | (b & 0x3F);
    }
    static const char32_t minimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < minimum[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += length;
    return c;
}

}  // namespace rtf
