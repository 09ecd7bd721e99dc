// Fields: the instruction, which may name a hyperlink, and the result shown in its place.

#include "rtf/reader_impl.h"

#include <cctype>

namespace rtf::detail {

namespace {

// Links a document may hold; each costs its field instruction at most.
constexpr size_t kMaxLinks = 1u << 20;

// Reads one argument of a field instruction: a quoted text (where backslash escapes the
// next character) or a word.
std::string_view::size_type FieldArgument(std::string_view text, size_t pos, std::string& out) {
    out.clear();
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    if (pos < text.size() && text[pos] == '"') {
        ++pos;
        while (pos < text.size() && text[pos] != '"') {
            if (text[pos] == '\\' && pos + 1 < text.size()) {
                ++pos;
            }
            out += text[pos++];
        }
        return pos + 1;
    }
    while (pos < text.size() && text[pos] != ' ' && text[pos] != '\t') {
        out += text[pos++];
    }
    return pos;
}
}  // namespace

std::string HyperlinkTarget(std::string_view instruction) {
    std::string word;
    size_t pos = FieldArgument(instruction, 0, word);
    word = Lower(word);
    // A cross-reference inserted as a hyperlink (\h) leads to its bookmark.
    if (word == "ref" || word == "pageref" || word == "noteref") {
        std::string bookmark;
        bool link = false;
        std::string argument;
        while (pos < instruction.size()) {
            pos = FieldArgument(instruction, pos, argument);
            if (argument.size() == 2 && argument[0] == '\\') {
                link = link || argument[1] == 'h' || argument[1] == 'H';
            } else if (bookmark.empty()) {
                bookmark = argument;
            }
        }
        return link && !bookmark.empty() ? "#" + bookmark : std::string();
    }
    if (word != "hyperlink") {
        return {};
    }
    std::string url;
    std::string anchor;
    std::string argument;
    while (pos < instruction.size()) {
        pos = FieldArgument(instruction, pos, argument);
        if (argument.empty()) {
            continue;
        }
        if (argument.size() == 2 && argument[0] == '\\') {
            const char sw =
                static_cast<char>(std::tolower(static_cast<unsigned char>(argument[1])));
            if (sw == 'l') {
                pos = FieldArgument(instruction, pos, anchor);
            } else if (sw == 'o' || sw == 't') {
                pos = FieldArgument(instruction, pos, argument);  // tooltip or frame: not kept
            }
            continue;
        }
        if (url.empty()) {
            url = argument;
        }
    }
    if (!anchor.empty()) {
        return url + "#" + anchor;
    }
    return url;
}

void Reader::OnFieldWord(const KeywordInfo& info, const Token&) {
    State& s = S();
    switch (info.id) {
        case Kw::Field:
            if (s.dest == Dest::Body || s.dest == Dest::FieldInst) {
                m_fields.push_back(Field{m_states.size(), {}, -2});
                s.opened = Kw::Field;
            }
            break;
        case Kw::FldInst:
            if (m_fields.empty()) {
                SkipGroup();
                return;
            }
            s.dest = Dest::FieldInst;
            break;
        case Kw::FldRslt:
            BeginFieldResult();
            break;
        case Kw::BookmarkStart:
        case Kw::BookmarkEnd:
            if (s.dest != Dest::Body) {
                SkipGroup();
                return;
            }
            s.dest = Dest::BookmarkName;
            s.opened = info.id;
            m_bookmarkName.clear();
            break;
        default:
            break;
    }
}

void Reader::EndBookmark(const State& popped) {
    std::string name = Trim(std::move(m_bookmarkName));
    m_bookmarkName.clear();
    if (name.empty() || S().dest != Dest::Body) {
        return;
    }
    // A bookmark has no look of its own; it belongs to the link or field it stands in.
    CharFormat format;
    format.link = S().chp.link;
    format.field = S().chp.field;
    m_builder.AppendBookmark(
        popped.opened == Kw::BookmarkStart ? RunKind::BookmarkStart : RunKind::BookmarkEnd, format,
        std::move(name));
}

void Reader::BeginFieldResult() {
    State& s = S();
    if (m_fields.empty() || s.dest == Dest::FieldInst) {
        return;  // a result inside an instruction stays part of the instruction
    }
    Field& field = m_fields.back();
    if (field.link == -2) {
        field.link = -1;
        std::string target = HyperlinkTarget(field.instruction);
        if (!target.empty() && m_doc.links.size() < kMaxLinks) {
            m_doc.links.push_back(std::move(target));
            field.link = static_cast<int>(m_doc.links.size()) - 1;
        }
    }
    if (field.model == -2) {
        field.model = -1;
        if (m_doc.fields.size() < kMaxLinks) {
            // The state inside an enclosing field's result names that field.
            m_doc.fields.push_back(rtf::Field{field.instruction, s.chp.field});
            field.model = static_cast<int>(m_doc.fields.size()) - 1;
        }
    }
    s.dest = Dest::Body;
    if (field.link >= 0) {
        s.chp.link = field.link;
    }
    if (field.model >= 0) {
        s.chp.field = field.model;
    }
}

}  // namespace rtf::detail
