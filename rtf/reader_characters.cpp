// Character formatting.

#include "rtf/reader_impl.h"

#include <algorithm>

namespace rtf::detail {

void Reader::OnCharacterWord(const KeywordInfo& info, const Token& t) {
    State& s = S();
    CharFormat& chp = s.chp;
    const int param = t.param;
    const bool on = !t.hasParam || param != 0;
    switch (info.id) {
        case Kw::Plain: {
            const int link = chp.link;
            const int field = chp.field;
            chp = CharFormat{};
            chp.link = link;
            chp.field = field;
            s.page = nullptr;
            s.symbol = SymbolEncoding::None;
            SelectFont(m_deff);
            break;
        }
        case Kw::Bold:
            chp.bold = on;
            break;
        case Kw::Italic:
            chp.italic = on;
            break;
        case Kw::Strike:
            chp.strike = on;
            break;
        case Kw::Caps:
            chp.caps = on;
            break;
        case Kw::Hidden:
            chp.hidden = on;
            break;
        case Kw::DefaultChars:
            s.dest = Dest::DefaultChars;
            s.opened = Kw::DefaultChars;
            break;
        case Kw::UnderlineWord:
            chp.underline = on ? static_cast<Underline>(info.variant) : Underline::None;
            break;
        case Kw::UnderlineNone:
            chp.underline = Underline::None;
            break;
        case Kw::FontSize:
            chp.size = t.hasParam ? std::clamp(param, 0, 3276) : 24;
            break;
        case Kw::ColorFore:
            chp.color = ColorAt(param);
            break;
        case Kw::ColorBack:
        case Kw::Highlight:
            chp.background = ColorAt(param);
            break;
        case Kw::Super:
            chp.valign = VerticalAlign::Superscript;
            break;
        case Kw::Sub:
            chp.valign = VerticalAlign::Subscript;
            break;
        case Kw::NoSuperSub:
            chp.valign = VerticalAlign::Baseline;
            break;
        case Kw::Up:
            chp.valign = on ? VerticalAlign::Superscript : VerticalAlign::Baseline;
            break;
        case Kw::Dn:
            chp.valign = on ? VerticalAlign::Subscript : VerticalAlign::Baseline;
            break;
        default:
            break;
    }
}

}  // namespace rtf::detail
