// The colour table.

#include "rtf/reader_impl.h"

#include <algorithm>

namespace rtf::detail {

namespace {

// Colours a document may declare; real documents stay far below.
constexpr size_t kMaxColors = 32768;

}  // namespace

void Reader::OnColorWord(const KeywordInfo& info, const Token& t) {
    switch (info.id) {
        case Kw::ColorTable:
            S().dest = Dest::ColorTable;
            return;
        case Kw::Red:
            m_red = std::clamp(t.param, 0, 255);
            break;
        case Kw::Green:
            m_green = std::clamp(t.param, 0, 255);
            break;
        case Kw::Blue:
            m_blue = std::clamp(t.param, 0, 255);
            break;
        default:
            return;
    }
    m_colorSet = true;
}

void Reader::CommitColor() {
    if (m_colors.size() < kMaxColors) {
        m_colors.push_back(m_colorSet ? (static_cast<uint32_t>(m_red) << 16) |
                                            (static_cast<uint32_t>(m_green) << 8) |
                                            static_cast<uint32_t>(m_blue)
                                      : kNoColor);
    }
    m_red = m_green = m_blue = 0;
    m_colorSet = false;
}

uint32_t Reader::ColorAt(int index) const {
    return index >= 0 && static_cast<size_t>(index) < m_colors.size() ? m_colors[index] : kNoColor;
}

}  // namespace rtf::detail
