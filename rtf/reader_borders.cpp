// Borders and shading of paragraphs, table cells and rows. A side word (\clbrdrt, \trbrdrh,
// \brdrb, \box, ...) chooses the border that the style, width, colour and spacing words
// after it describe.

#include "rtf/reader_impl.h"

#include <algorithm>

namespace rtf::detail {

namespace {

// The owners in the high half of a side word's variant; the side is in the low half.
constexpr int kOwnerCell = 1;
constexpr int kOwnerRow = 2;
constexpr int kOwnerParagraph = 3;
constexpr int kOwnerBox = 4;

// Thicker lines than this are no border any program draws; the value is a twip count.
constexpr int kMaxBorderWidth = 1440;

Border* Side(Borders& borders, int side) {
    switch (side) {
        case 0:
            return &borders.top;
        case 1:
            return &borders.left;
        case 2:
            return &borders.bottom;
        default:
            return &borders.right;
    }
}

uint32_t Mix(uint32_t a, uint32_t b, int percent) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 255);
        const int cb = static_cast<int>((b >> shift) & 255);
        const int c = (ca * (10000 - percent) + cb * percent + 5000) / 10000;
        out |= static_cast<uint32_t>(std::clamp(c, 0, 255)) << shift;
    }
    return out;
}

}  // namespace

uint32_t ShadingColor(uint32_t background, uint32_t foreground, int percent) {
    percent = std::clamp(percent, 0, 10000);
    if (percent == 0) {
        return background;
    }
    return Mix(background == kNoColor ? 0xFFFFFF : background,
               foreground == kNoColor ? 0x000000 : foreground, percent);
}

Border* Reader::CurrentBorder() {
    switch (m_borderOwner) {
        case BorderOwner::Cell:
            return Side(m_cellDef.borders, m_borderSide);
        case BorderOwner::Row:
            if (m_rowDefs.size() < m_rowDefDepth) {
                m_rowDefs.resize(m_rowDefDepth);
            }
            return &m_rowDefs[m_rowDefDepth - 1].borders[std::clamp(m_borderSide, 0, 5)];
        case BorderOwner::Paragraph:
            return Side(S().pap.borders, m_borderSide);
        case BorderOwner::ParagraphBox:
            return &S().pap.borders.top;  // the other sides are copied from it
        case BorderOwner::None:
            break;
    }
    return nullptr;
}

void Reader::OnBorderWord(const KeywordInfo& info, const Token& t) {
    State& s = S();
    const int param = t.param;
    const bool cell = info.variant == 1;
    switch (info.id) {
        case Kw::BorderSide: {
            const int owner = info.variant >> 4;
            m_borderSide = info.variant & 15;
            m_borderOwner = owner == kOwnerCell        ? BorderOwner::Cell
                            : owner == kOwnerRow       ? BorderOwner::Row
                            : owner == kOwnerParagraph ? BorderOwner::Paragraph
                            : owner == kOwnerBox       ? BorderOwner::ParagraphBox
                                                       : BorderOwner::None;
            if (m_borderOwner == BorderOwner::Cell) {
                m_cellDef.bordersSet |= static_cast<uint8_t>(1u << m_borderSide);
            }
            if (Border* b = CurrentBorder()) {
                *b = Border{};
            }
            break;
        }
        case Kw::BorderNone:
            if (Border* b = CurrentBorder()) {
                b->style = BorderStyle::None;
            }
            break;
        case Kw::BorderStyleWord:
            if (Border* b = CurrentBorder()) {
                b->style = static_cast<BorderStyle>(info.variant);
            }
            break;
        case Kw::BorderWidth:
            if (Border* b = CurrentBorder()) {
                b->width = std::clamp(param, 0, kMaxBorderWidth);
            }
            break;
        case Kw::BorderColor:
            if (Border* b = CurrentBorder()) {
                b->color = ColorAt(param);
            }
            break;
        case Kw::BorderSpace:
            if (Border* b = CurrentBorder()) {
                b->space = std::clamp(param, 0, kMaxBorderWidth);
            }
            break;
        case Kw::ShadeBackground:
            if (cell) {
                m_cellShade.background = ColorAt(param);
            } else {
                s.shadeBackground = ColorAt(param);
            }
            break;
        case Kw::ShadeForeground:
            if (cell) {
                m_cellShade.foreground = ColorAt(param);
            } else {
                s.shadeForeground = ColorAt(param);
            }
            break;
        case Kw::ShadePercent:
            if (cell) {
                m_cellShade.percent = std::clamp(param, 0, 10000);
            } else {
                s.shadePercent = std::clamp(param, 0, 10000);
            }
            break;
        default:
            break;
    }
    if (m_borderOwner == BorderOwner::ParagraphBox) {
        Borders& borders = s.pap.borders;
        borders.left = borders.bottom = borders.right = borders.top;
    }
}

// A \cellx ends the definition of its cell: the shading words before it are combined.
void Reader::EndRowDefinitionCell() {
    m_cellDef.shading =
        ShadingColor(m_cellShade.background, m_cellShade.foreground, m_cellShade.percent);
    m_cellShade = {};
    if (m_borderOwner == BorderOwner::Cell) {
        m_borderOwner = BorderOwner::None;
    }
}

}  // namespace rtf::detail
