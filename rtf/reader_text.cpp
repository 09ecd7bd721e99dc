// Text: decoding bytes through code pages, symbol fonts and \uN into the current destination,
// and the document-wide words that choose how text is decoded.

#include "rtf/reader_impl.h"

#include <algorithm>

namespace rtf::detail {

namespace {

constexpr int kUtf8CodePage = 65001;

// Word allows 40 characters; other programs write longer names, but not this long.
constexpr size_t kMaxBookmarkName = 256;
// Field instructions and the names of fonts and styles are cut beyond these many bytes.
constexpr size_t kMaxInstruction = 4096;
constexpr size_t kMaxTableName = 256;

// Appends text to a bounded text, cut at a character's start so that it stays UTF-8.
void AppendBounded(std::string& to, std::string_view text, size_t limit) {
    if (to.size() >= limit) {
        return;
    }
    if (text.size() > limit - to.size()) {
        size_t cut = limit - to.size();
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        text = text.substr(0, cut);
    }
    to.append(text);
}

}  // namespace

const CodePage* Reader::PageFor(int number) {
    auto found = m_pages.find(number);
    if (found != m_pages.end()) {
        return found->second;
    }
    const CodePage* page = CodePage::ForNumber(number);
    if (page == nullptr && number != 1252) {
        page = PageFor(1252);
    }
    if (m_pages.size() < 256) {
        m_pages.emplace(number, page);
    }
    return page;
}

const CodePage* Reader::CurrentPage() {
    const State& s = S();
    return s.page != nullptr ? s.page : m_docPage;
}

void Reader::OnDocumentWord(const KeywordInfo& info, const Token& t) {
    State& s = S();
    const int param = t.param;
    switch (info.id) {
        case Kw::Ansi:
            m_docPage = PageFor(1252);
            break;
        case Kw::Mac:
            m_docPage = PageFor(10000);
            break;
        case Kw::Pc:
            m_docPage = PageFor(437);
            break;
        case Kw::Pca:
            m_docPage = PageFor(850);
            break;
        case Kw::AnsiCpg:
            if (t.hasParam && param > 0) {
                m_docUtf8 = param == kUtf8CodePage;
                m_docPage = PageFor(m_docUtf8 ? 1252 : param);
            }
            break;
        case Kw::Uc:
            s.uc = static_cast<uint8_t>(std::clamp(param, 0, 255));
            break;
        case Kw::U: {
            const int32_t value = param < 0 ? param + 65536 : param;
            EmitCodePoint(value >= 0 && value <= 0xFFFF ? static_cast<char32_t>(value) : 0xFFFD);
            m_skip = s.uc;
            break;
        }
        case Kw::Character:
            if (s.dest == Dest::Body || s.dest == Dest::FieldInst) {
                EmitCodePoint(info.character);
            }
            break;
        default:
            break;
    }
}

void Reader::OnSymbol(uint8_t symbol) {
    if (symbol == '*') {
        m_ignorableNext = true;
        return;
    }
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    const State& s = S();
    if (s.dest != Dest::Body && s.dest != Dest::FieldInst) {
        return;
    }
    switch (symbol) {
        case '~':
            EmitCodePoint(0x00A0);
            break;
        case '-':
            EmitCodePoint(0x00AD);
            break;
        case '_':
            EmitCodePoint(0x2011);
            break;
        case '\t':
            EmitCodePoint('\t');
            break;
        default:
            break;  // \: (index entries), \| (formulas) and unknown symbols
    }
}

void Reader::OnText(std::string_view bytes) {
    if (m_skip > 0) {
        const size_t n = std::min(bytes.size(), static_cast<size_t>(m_skip));
        bytes.remove_prefix(n);
        m_skip -= static_cast<int>(n);
    }
    if (bytes.empty()) {
        return;
    }
    FlushSurrogate();
    const State& s = S();
    switch (s.dest) {
        case Dest::Picture:
            PictureBytes(bytes);
            return;
        case Dest::ShapeInst:
        case Dest::Upr:
        case Dest::Pn:
        case Dest::DefaultChars:
        case Dest::ListTable:
        case Dest::ListOverrideTable:
            return;
        default:
            break;
    }
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        if (m_lead == 0 && m_utf8.empty() && s.symbol == SymbolEncoding::None) {
            size_t j = i;
            // Printable ASCII goes through as it is; control characters take the slow path,
            // which drops them.
            while (j < n && static_cast<unsigned char>(bytes[j] - 0x20) < 0x5F) {
                ++j;
            }
            if (j > i) {
                Deliver(bytes.substr(i, j - i));
                i = j;
                continue;
            }
        }
        DecodeByte(static_cast<uint8_t>(bytes[i++]));
    }
}

void Reader::OnHex(uint8_t byte) {
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    const State& s = S();
    if (s.dest == Dest::Picture) {
        return;
    }
    DecodeByte(byte);
}

void Reader::DecodeByte(uint8_t byte) {
    if (m_lead != 0) {
        const char32_t c = m_leadPage->Decode(m_lead, byte);
        m_lead = 0;
        EmitCodePoint(c);
        return;
    }
    const SymbolEncoding symbol = S().symbol;
    if (symbol != SymbolEncoding::None) {
        if (const char32_t c = DecodeSymbolByte(symbol, byte)) {
            EmitCodePoint(c);
            return;
        }
    }
    if (m_docUtf8 && S().page == nullptr) {
        DecodeUtf8Byte(byte);
        return;
    }
    const CodePage* page = CurrentPage();
    if (page == nullptr) {
        EmitCodePoint(byte);  // no converter at all: take the byte as Latin-1
        return;
    }
    if (page->IsLeadByte(byte)) {
        m_lead = byte;
        m_leadPage = page;
        return;
    }
    EmitCodePoint(page->Decode(byte));
}

void Reader::EmitCodePoint(char32_t c) {
    if (m_highSurrogate != 0) {
        const char32_t high = m_highSurrogate;
        m_highSurrogate = 0;
        if (c >= 0xDC00 && c <= 0xDFFF) {
            c = 0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00);
        } else {
            EmitCodePoint(0xFFFD);
        }
    }
    if (c >= 0xD800 && c <= 0xDBFF) {
        m_highSurrogate = static_cast<char16_t>(c);
        return;
    }
    if (c >= 0xDC00 && c <= 0xDFFF) {
        c = 0xFFFD;
    }
    // Word gives symbol-font characters private-use code points; map them back.
    const SymbolEncoding symbol = S().symbol;
    if (symbol != SymbolEncoding::None && c >= 0xF020 && c <= 0xF0FF) {
        if (const char32_t mapped = DecodeSymbolByte(symbol, static_cast<uint8_t>(c - 0xF000))) {
            c = mapped;
        }
    }
    // Control characters other than tab mean nothing in a document.
    if ((c < 0x20 && c != '\t') || c == 0x7F) {
        return;
    }
    m_scratch.clear();
    AppendUtf8(m_scratch, c);
    Deliver(m_scratch);
}

// A byte of a UTF-8 document: characters are put together from their bytes; broken
// sequences become U+FFFD.
void Reader::DecodeUtf8Byte(uint8_t byte) {
    if (byte >= 0x80 && byte < 0xC0 && !m_utf8.empty()) {
        m_utf8.push_back(static_cast<char>(byte));
        if (m_utf8.size() == m_utf8Length) {
            size_t pos = 0;
            const std::string sequence = std::move(m_utf8);
            m_utf8.clear();
            EmitCodePoint(NextUtf8(sequence, pos));
        }
        return;
    }
    FlushUtf8();
    const size_t length = byte < 0x80                   ? 1
                          : byte >= 0xC2 && byte < 0xE0 ? 2
                          : byte >= 0xE0 && byte < 0xF0 ? 3
                          : byte >= 0xF0 && byte < 0xF5 ? 4
                                                        : 0;
    if (length == 1) {
        EmitCodePoint(byte);
    } else if (length == 0) {
        EmitCodePoint(0xFFFD);
    } else {
        m_utf8.assign(1, static_cast<char>(byte));
        m_utf8Length = length;
    }
}

void Reader::FlushUtf8() {
    if (!m_utf8.empty()) {
        m_utf8.clear();
        EmitCodePoint(0xFFFD);
    }
}

void Reader::FlushSurrogate() {
    if (m_highSurrogate != 0) {
        m_highSurrogate = 0;
        Deliver("\xEF\xBF\xBD");
    }
}

void Reader::Deliver(std::string_view utf8) {
    State& s = S();
    switch (s.dest) {
        case Dest::Body:
            m_builder.AppendText(utf8, s.chp);
            m_pairedPicture = -1;
            break;
        case Dest::BookmarkName:
            AppendBounded(m_bookmarkName, utf8, kMaxBookmarkName);
            break;
        case Dest::FieldInst:
            if (!m_fields.empty()) {
                AppendBounded(m_fields.back().instruction, utf8, kMaxInstruction);
            }
            break;
        case Dest::FontTable:
        case Dest::StyleSheet:
        case Dest::ColorTable:
            DeliverTableText(utf8);
            break;
        default:
            break;
    }
}

// The text of a font table, style sheet or colour table: names, and the semicolons that
// end entries.
void Reader::DeliverTableText(std::string_view utf8) {
    const Dest dest = S().dest;
    while (!utf8.empty()) {
        const size_t semicolon = utf8.find(';');
        const std::string_view part = utf8.substr(0, semicolon);
        if (dest == Dest::FontTable) {
            AppendBounded(m_fontEntry.name, part, kMaxTableName);
        } else if (dest == Dest::StyleSheet) {
            AppendBounded(m_styleEntry.name, part, kMaxTableName);
        }
        if (semicolon == std::string_view::npos) {
            break;
        }
        if (dest == Dest::FontTable) {
            CommitFont();
        } else if (dest == Dest::StyleSheet) {
            CommitStyle();
        } else {
            CommitColor();
        }
        utf8.remove_prefix(semicolon + 1);
    }
}

}  // namespace rtf::detail
