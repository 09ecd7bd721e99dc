#include "rtf/reader.h"

#include "rtf/reader_impl.h"

#include <algorithm>

namespace rtf {

namespace detail {

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
            if (!m_utf8.empty()) {
                FlushUtf8();
            }
            // A high surrogate not followed by its low half stands alone; it is written out
            // before anything that ends a paragraph or a cell. Groups and formatting may come
            // between the halves: programs put each half in a group of its own.
            if (m_highSurrogate != 0 && m_skip == 0 && !SurrogateMayWait(t)) {
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
        if (m_builder.ModelBytes() > m_limits.maxModelBytes) {
            m_result.truncated = true;
            m_stop = true;
        }
        if (m_stop) {
            Finish();
            return;
        }
    }
}

bool Reader::SurrogateMayWait(const Token& t) const {
    if (t.kind == TokenKind::GroupStart || t.kind == TokenKind::GroupEnd) {
        return true;
    }
    if (t.kind != TokenKind::Word) {
        return false;
    }
    const Handler handler = LookupKeyword(t.text).handler;
    return t.text == "u" || handler == Handler::Character || handler == Handler::Font ||
           handler == Handler::Color || handler == Handler::None;
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
                EndFontTable();
            }
            break;
        case Dest::StyleSheet:
            CommitStyle();
            break;
        case Dest::ListTable:
        case Dest::ListOverrideTable:
        case Dest::Pn:
            EndListGroup(popped);
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
    if (popped.dest == Dest::BookmarkName) {
        EndBookmark(popped);
    }
    if (popped.opened == Kw::DefaultChars && popped.chp.size > 0) {
        m_doc.defaultSize = popped.chp.size;
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

void Reader::OnWord(const Token& t) {
    const KeywordInfo& info = LookupKeyword(t.text);
    const bool ignorable = m_ignorableNext;
    m_ignorableNext = false;
    if (m_skip > 0 && info.id != Kw::U) {
        --m_skip;  // a control word standing in as the fallback of \uN
        return;
    }
    m_skip = 0;
    State& s = S();
    if (s.dest == Dest::Upr) {
        if (info.id == Kw::Ud) {
            s.dest = s.uprOuter;
        } else if (info.destination) {
            SkipGroup();
        }
        return;
    }
    if (s.dest == Dest::ShapeInst) {
        if (info.id == Kw::Pict) {
            OnPictureWord(info, t);
        } else if (info.id == Kw::ShapeText) {
            s.dest = Dest::Body;
        } else if (info.destination || ignorable) {
            SkipGroup();
        }
        return;
    }
    if (!info.destination && ignorable) {
        SkipGroup();  // an ignorable destination we do not know
        return;
    }
    switch (info.handler) {
        case Handler::None:
            break;
        case Handler::Group:
            OnGroupWord(info, t);
            break;
        case Handler::Document:
            OnDocumentWord(info, t);
            break;
        case Handler::Font:
            OnFontWord(info, t);
            break;
        case Handler::Color:
            OnColorWord(info, t);
            break;
        case Handler::Character:
            OnCharacterWord(info, t);
            break;
        case Handler::Paragraph:
            OnParagraphWord(info, t);
            break;
        case Handler::List:
            OnListWord(info, t);
            break;
        case Handler::Table:
            OnTableWord(info, t);
            break;
        case Handler::Picture:
            OnPictureWord(info, t);
            break;
        case Handler::Field:
            OnFieldWord(info, t);
            break;
        case Handler::Border:
            OnBorderWord(info, t);
            break;
    }
}

void Reader::OnGroupWord(const KeywordInfo& info, const Token&) {
    State& s = S();
    switch (info.id) {
        case Kw::Rtf:
            m_started = true;
            break;
        case Kw::Upr:
            s.uprOuter = s.dest;
            s.dest = Dest::Upr;
            break;
        case Kw::SkipDestination:
            SkipGroup();
            break;
        case Kw::ShpPict:
            s.shpPict = true;
            break;
        default:
            // \shp, \object, \result, \ud: their content is read in place.
            break;
    }
}

void Reader::Finish() {
    m_builder.Finish();
    if (m_doc.defaultSize == 0) {
        m_doc.defaultSize = m_normalStyleSize;
    }
    m_result.mergedAcross = m_builder.MergedAcross();
    m_result.mergedDown = m_builder.MergedDown();
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
