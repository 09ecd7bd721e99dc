#include "rtf/reader.h"

#include "rtf/reader_impl.h"

#include <algorithm>

namespace rtf {

namespace detail {

namespace {
// List definitions a document may declare; real ones have a few dozen.
constexpr size_t kMaxLists = 32768;
}  // namespace

Reader::Reader(std::string_view input, const ReadLimits& limits, ReadResult& result)
    : m_limits(limits),
      m_result(result),
      m_doc(result.document),
      m_tok(input),
      m_builder(result.document) {
    m_states.emplace_back();
    m_docPage = PageFor(1252);
}

void Reader::Run() {
    for (;;) {
        const Token t = m_tok.Next();
        if (t.kind != TokenKind::Text && t.kind != TokenKind::Hex) {
            m_lead = 0;  // a lead byte without its trail byte is dropped
            // A high surrogate not followed by its low half stands alone.
            if (m_skip == 0 && !(t.kind == TokenKind::Word && t.text == "u")) {
                FlushSurrogate();
            }
        }
        switch (t.kind) {
            case TokenKind::End:
                Finish();
                return;
            case TokenKind::GroupStart:
                BeginGroup();
                break;
            case TokenKind::GroupEnd:
                EndGroup();
                break;
            case TokenKind::Word:
                OnWord(t);
                break;
            case TokenKind::Symbol:
                OnSymbol(t.byte);
                break;
            case TokenKind::Text:
                OnText(t.text);
                break;
            case TokenKind::Hex:
                OnHex(t.byte);
                break;
            case TokenKind::Binary:
                OnBinary(t.text);
                break;
        }
        if (m_builder.TextBytes() > m_limits.maxModelBytes) {
            m_result.truncated = true;
            m_stop = true;
        }
        if (m_stop) {
            Finish();
            return;
        }
    }
}

void Reader::BeginGroup() {
    m_skip = 0;
    m_ignorableNext = false;
    // Beyond the depth limit groups are only counted: their content is read with the state
    // of the deepest group, so that memory stays bounded however deep the nesting.
    if (m_states.size() > m_limits.maxGroupDepth) {
        ++m_overflowDepth;
        return;
    }
    State copy = S();
    copy.opened = Kw::Unknown;
    m_states.push_back(copy);
}

void Reader::EndGroup() {
    m_skip = 0;
    m_ignorableNext = false;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_states.size() <= 1) {
        return;  // an unbalanced closing brace
    }
    const State popped = m_states.back();
    m_states.pop_back();
    switch (popped.dest) {
        case Dest::FontTable:
            CommitFont();
            if (S().dest != Dest::FontTable) {
                // The default font is known now; groups opened before the table use it.
                auto found = m_fonts.find(m_deff);
                if (found != m_fonts.end()) {
                    m_doc.defaultFont = found->second.modelIndex;
                    for (State& s : m_states) {
                        if (s.chp.font < 0) {
                            s.chp.font = found->second.modelIndex;
                            s.page = found->second.page;
                            s.symbol = found->second.symbol;
                        }
                    }
                }
            }
            break;
        case Dest::StyleSheet:
            CommitStyle();
            break;
        case Dest::ListTable:
            if (popped.opened == Kw::ListLevel) {
                if (m_listLevels.size() < 9) {
                    m_listLevels.push_back(m_listLevel);
                }
            } else if (popped.opened == Kw::ListDef) {
                if (m_listDefs.size() < kMaxLists) {
                    m_listDefs[m_listId] = std::move(m_listLevels);
                }
                m_listLevels.clear();
            }
            break;
        case Dest::ListOverrideTable:
            if (popped.opened == Kw::ListOverride && m_listOverrides.size() < kMaxLists) {
                m_listOverrides[m_overrideNumber] = m_overrideListId;
            }
            break;
        case Dest::Pn:
            if (popped.opened == Kw::Pn && S().dest == Dest::Body) {
                S().pn = m_pn;
            }
            break;
        case Dest::Picture:
            if (popped.opened == Kw::Pict) {
                CommitPicture(popped);
            }
            break;
        default:
            break;
    }
    if (popped.opened == Kw::Footnote) {
        m_builder.EndFootnote();
    }
    while (!m_fields.empty() && m_fields.back().depth > m_states.size()) {
        m_fields.pop_back();
    }
    if (m_states.size() == 1 && m_started) {
        m_stop = true;  // the end of the document's group; anything after it is no RTF
    }
}

void Reader::SkipGroup() {
    m_tok.SkipGroup();
    if (m_overflowDepth == 0) {
        S().dest = Dest::Skipped;
        S().opened = Kw::Unknown;
    }
    EndGroup();
}

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
        case Dest::Body:
            if (s.hidden) {
                return;
            }
            break;
        case Dest::ShapeInst:
        case Dest::Upr:
        case Dest::Pn:
        case Dest::ListTable:
        case Dest::ListOverrideTable:
            return;
        default:
            break;
    }
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        if (m_lead == 0 && s.symbol == SymbolEncoding::None) {
            size_t j = i;
            while (j < n && static_cast<unsigned char>(bytes[j]) < 0x80) {
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
    if (s.dest == Dest::Body && s.hidden) {
        return;
    }
    DecodeByte(byte);
}

void Reader::OnBinary(std::string_view data) {
    m_skip = 0;
    if (S().dest != Dest::Picture || m_pict.tooBig) {
        return;
    }
    if (m_pict.data.size() + data.size() > m_limits.maxPictureBytes) {
        m_pict.tooBig = true;
        m_pict.data.clear();
        return;
    }
    m_pict.data.append(data);
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
    if (c < 0x20 && c != '\t') {
        return;
    }
    m_scratch.clear();
    AppendUtf8(m_scratch, c);
    Deliver(m_scratch);
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
            if (!s.hidden) {
                m_builder.AppendText(utf8, s.chp);
            }
            break;
        case Dest::FieldInst:
            if (!m_fields.empty() && m_fields.back().instruction.size() < 4096) {
                m_fields.back().instruction.append(utf8);
            }
            break;
        case Dest::FontTable:
        case Dest::StyleSheet:
        case Dest::ColorTable:
            // Entries end with a semicolon.
            while (!utf8.empty()) {
                const size_t semicolon = utf8.find(';');
                const std::string_view part = utf8.substr(0, semicolon);
                if (s.dest == Dest::FontTable && m_fontEntry.name.size() < 256) {
                    m_fontEntry.name.append(part);
                } else if (s.dest == Dest::StyleSheet && m_styleEntry.name.size() < 256) {
                    m_styleEntry.name.append(part);
                }
                if (semicolon == std::string_view::npos) {
                    break;
                }
                if (s.dest == Dest::FontTable) {
                    CommitFont();
                } else if (s.dest == Dest::StyleSheet) {
                    CommitStyle();
                } else {
                    CommitColor();
                }
                utf8.remove_prefix(semicolon + 1);
            }
            break;
        default:
            break;
    }
}

void Reader::PictureBytes(std::string_view hex) {
    if (m_pict.tooBig) {
        return;
    }
    std::string& data = m_pict.data;
    int nibble = m_pict.nibble;
    for (const char ch : hex) {
        int v;
        if (ch >= '0' && ch <= '9') {
            v = ch - '0';
        } else if (ch >= 'a' && ch <= 'f') {
            v = ch - 'a' + 10;
        } else if (ch >= 'A' && ch <= 'F') {
            v = ch - 'A' + 10;
        } else {
            continue;  // white space and stray characters
        }
        if (nibble < 0) {
            nibble = v;
        } else {
            data.push_back(static_cast<char>(nibble * 16 + v));
            nibble = -1;
        }
    }
    m_pict.nibble = nibble;
    // Pictures larger than the limit are dropped rather than held.
    if (data.size() > m_limits.maxPictureBytes) {
        m_pict.tooBig = true;
        data.clear();
        data.shrink_to_fit();
    }
}

void Reader::CommitPicture(const State& popped) {
    std::string data = std::move(m_pict.data);
    m_pict.data.clear();
    const State& s = S();
    if (data.empty() || m_pict.tooBig || popped.hidden ||
        (s.dest != Dest::Body && s.dest != Dest::ShapeInst)) {
        return;
    }
    if (m_pictureBytes + data.size() > m_limits.maxPicturesBytes) {
        return;
    }
    m_pictureBytes += data.size();
    Picture picture;
    picture.format = m_pict.format;
    const bool metafile = picture.format == PictureFormat::Emf ||
                          picture.format == PictureFormat::Wmf ||
                          picture.format == PictureFormat::MacPict;
    // \picw and \pich are pixels for bitmaps, hundredths of a millimetre for metafiles.
    const auto natural = [&](int size) {
        const int64_t twips = metafile ? int64_t{size} * 1440 / 2540 : int64_t{size} * 15;
        return static_cast<int>(std::clamp<int64_t>(twips, 0, 1 << 24));
    };
    const auto scaled = [](int twips, int scale) {
        const int64_t value = int64_t{twips} * (scale > 0 ? scale : 100) / 100;
        return static_cast<int>(std::clamp<int64_t>(value, 0, 1 << 24));
    };
    picture.width = scaled(m_pict.goalw > 0 ? m_pict.goalw : natural(m_pict.picw), m_pict.scalex);
    picture.height = scaled(m_pict.goalh > 0 ? m_pict.goalh : natural(m_pict.pich), m_pict.scaley);
    picture.data = std::move(data);
    m_doc.pictures.push_back(std::move(picture));
    m_builder.AppendRun(RunKind::Picture, s.chp, static_cast<int>(m_doc.pictures.size()) - 1);
}

ParagraphFormat Reader::CurrentParagraphFormat() {
    const State& s = S();
    ParagraphFormat format = s.pap;
    format.heading =
        s.outlineLevel >= 0 && s.outlineLevel < 9 ? s.outlineLevel + 1 : s.styleHeading;
    return format;
}

ParagraphPlacement Reader::Placement() {
    const State& s = S();
    ParagraphPlacement p;
    p.tableDepth = std::min(s.itap > 0 ? s.itap : (s.inTable ? 1 : 0), m_limits.maxTableDepth);
    if (s.ls > 0) {
        auto override = m_listOverrides.find(s.ls);
        if (override != m_listOverrides.end()) {
            auto def = m_listDefs.find(override->second);
            const int level = std::clamp(s.ilvl, 0, 8);
            ListLevelDef levelDef;
            if (def != m_listDefs.end() && level < static_cast<int>(def->second.size())) {
                levelDef = def->second[level];
            }
            if (levelDef.nfc != 255) {  // 255: a level without a number or bullet
                p.inList = true;
                p.listKey = s.ls;
                p.listLevel = level;
                p.listContinues = true;
                p.listStartAt = levelDef.startAt;
                switch (levelDef.nfc) {
                    case 1:
                        p.listStyle = ListStyle::UpperRoman;
                        break;
                    case 2:
                        p.listStyle = ListStyle::LowerRoman;
                        break;
                    case 3:
                        p.listStyle = ListStyle::UpperAlpha;
                        break;
                    case 4:
                        p.listStyle = ListStyle::LowerAlpha;
                        break;
                    case 23:
                        p.listStyle = ListStyle::Bullet;
                        break;
                    default:
                        p.listStyle = ListStyle::Decimal;
                        break;
                }
                return p;
            }
        }
    }
    if (s.pn.active) {
        p.inList = true;
        p.listKey = -1 - static_cast<int>(s.pn.style);
        p.listLevel = s.pn.level;
        p.listStyle = s.pn.style;
        p.listStartAt = s.pn.start;
    }
    return p;
}

void Reader::Finish() {
    m_builder.Finish();
    if (m_doc.defaultFont < 0) {
        auto found = m_fonts.find(m_deff);
        if (found != m_fonts.end()) {
            m_doc.defaultFont = found->second.modelIndex;
        }
    }
}

}  // namespace detail

bool LooksLikeRtf(std::string_view input) {
    size_t i = 0;
    if (input.substr(0, 3) == "\xEF\xBB\xBF") {
        i = 3;
    }
    while (i < input.size() &&
           (input[i] == ' ' || input[i] == '\t' || input[i] == '\r' || input[i] == '\n')) {
        ++i;
    }
    return input.substr(i, 5) == "{\\rtf";
}

namespace {

bool IsValidUtf8(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t before = pos;
        if (NextUtf8(text, pos) == 0xFFFD && text.substr(before, 3) != "\xEF\xBF\xBD") {
            return false;
        }
    }
    return true;
}

void ReadPlainText(std::string_view input, Document& document) {
    std::string text;
    if (IsValidUtf8(input)) {
        text.assign(input);
    } else {
        const CodePage* page = CodePage::ForNumber(1252);
        for (const char c : input) {
            AppendUtf8(text, page != nullptr ? page->Decode(static_cast<uint8_t>(c))
                                             : static_cast<unsigned char>(c));
        }
    }
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (end < text.size() || !line.empty()) {
            Paragraph paragraph;
            if (!line.empty()) {
                paragraph.runs.push_back(Run{RunKind::Text, {}, std::move(line), -1});
            }
            document.blocks.push_back(std::move(paragraph));
        }
        start = end + 1;
    }
}

}  // namespace

ReadResult ReadRtf(std::string_view input, const ReadLimits& limits) {
    ReadResult result;
    if (!LooksLikeRtf(input)) {
        ReadPlainText(input, result.document);
        return result;
    }
    result.isRtf = true;
    detail::Reader reader(input, limits, result);
    reader.Run();
    return result;
}

}  // namespace rtf
