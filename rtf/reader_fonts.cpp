// The font table and the selection of fonts in the text.

#include "rtf/reader_impl.h"

#include <algorithm>

namespace rtf::detail {

namespace {

// Fonts a document may declare; real documents stay far below.
constexpr size_t kMaxFonts = 32768;

}  // namespace

void Reader::OnFontWord(const KeywordInfo& info, const Token& t) {
    State& s = S();
    const int param = t.param;
    switch (info.id) {
        case Kw::FontTable:
            s.dest = Dest::FontTable;
            break;
        case Kw::Deff:
            m_deff = param;
            break;
        case Kw::FontFamilyWord:
            m_fontEntry.family = static_cast<FontFamily>(info.variant);
            break;
        // A font's name is written in the font's own code page.
        case Kw::FontCharset:
            m_fontEntry.charset = param;
            if (s.dest == Dest::FontTable) {
                const int page = param == 0 && !m_docUtf8 ? 1252 : CodePageOfCharset(param);
                s.page = page > 0 ? PageFor(page) : nullptr;
            }
            break;
        case Kw::CodePageWord:
            m_fontEntry.codePage = param;
            if (s.dest == Dest::FontTable && param > 0) {
                s.page = PageFor(param);
            }
            break;
        case Kw::Font:
            if (s.dest == Dest::FontTable) {
                CommitFont();
                m_fontEntry.number = param;
                s.page = nullptr;
            } else {
                SelectFont(param);
            }
            break;
        default:
            break;
    }
}

void Reader::SelectFont(int number) {
    auto found = m_fonts.find(number);
    if (found == m_fonts.end()) {
        return;
    }
    State& s = S();
    s.chp.font = found->second.modelIndex;
    s.page = found->second.page;
    s.symbol = found->second.symbol;
}

void Reader::CommitFont() {
    std::string name = Trim(std::move(m_fontEntry.name));
    const int number = m_fontEntry.number;
    const FontFamily family = m_fontEntry.family;
    const int charset = m_fontEntry.charset;
    const int codePage = m_fontEntry.codePage;
    m_fontEntry.number = -1;
    m_fontEntry.name.clear();
    m_fontEntry.family = FontFamily::Nil;
    m_fontEntry.charset = -1;
    m_fontEntry.codePage = 0;
    if (number < 0 || m_fonts.size() >= kMaxFonts) {
        return;
    }
    FontInfo info;
    // \fcharset0 names Windows-1252 itself, whatever the document's code page; a font
    // without a character set follows the document.
    // In a UTF-8 document such a font follows the document too.
    const int page = codePage > 0                 ? codePage
                     : charset == 0 && !m_docUtf8 ? 1252
                                                  : CodePageOfCharset(charset);
    info.page = page > 0 ? PageFor(page) : nullptr;
    info.symbol = SymbolEncodingOfFont(name);
    std::string key = name;
    key += '\0';
    key += std::to_string(static_cast<int>(family)) + "/" + std::to_string(std::max(charset, 0));
    auto existing = m_modelFonts.find(key);
    if (existing != m_modelFonts.end()) {
        info.modelIndex = existing->second;
    } else {
        m_doc.fonts.push_back(Font{std::move(name), family, std::max(charset, 0)});
        info.modelIndex = static_cast<int>(m_doc.fonts.size()) - 1;
        m_modelFonts.emplace(std::move(key), info.modelIndex);
    }
    m_fonts[number] = info;
}

// The default font is known once the table ends; groups opened before it use it.
void Reader::EndFontTable() {
    auto found = m_fonts.find(m_deff);
    if (found == m_fonts.end()) {
        return;
    }
    m_doc.defaultFont = found->second.modelIndex;
    for (State& s : m_states) {
        if (s.chp.font < 0) {
            s.chp.font = found->second.modelIndex;
            s.page = found->second.page;
            s.symbol = found->second.symbol;
        }
    }
}

}  // namespace rtf::detail
