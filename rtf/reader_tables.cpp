// Tables: row definitions (\trowd and the cell definitions after it), and the cells and
// rows of the body.

#include "rtf/reader_impl.h"

#include <algorithm>

namespace rtf::detail {

namespace {

// Cell padding beyond this is no layout a word processor makes: two inches, in twips.
constexpr int kMaxPadding = 2880;
// Cell edges lie within about 22 metres either way, so that widths and sums stay in range.
constexpr int kMaxEdge = 1 << 24;

}  // namespace

void Reader::OnTableWord(const KeywordInfo& info, const Token& t) {
    State& s = S();
    switch (info.id) {
        case Kw::NestTableProps:
            s.nestTableProps = true;
            break;
        case Kw::InTable:
            s.inTable = true;
            break;
        case Kw::TableDepth:
            s.itap = std::clamp(t.param, 0, m_limits.maxTableDepth);
            break;
        case Kw::Cell:
        case Kw::NestCell: {
            if (s.dest != Dest::Body) {
                break;
            }
            const ParagraphPlacement placement = Placement();
            const int depth = info.id == Kw::Cell ? 1 : std::max(2, placement.tableDepth);
            m_builder.EndCell(depth, CurrentParagraphFormat(), placement);
            break;
        }
        case Kw::Row:
        case Kw::NestRow: {
            if (s.dest != Dest::Body) {
                break;
            }
            const int depth = info.id == Kw::Row ? 1 : std::max(2, Placement().tableDepth);
            const size_t index = static_cast<size_t>(depth) - 1;
            m_builder.EndRow(depth, index < m_rowDefs.size() ? m_rowDefs[index] : RowDefinition{});
            break;
        }
        default:
            OnRowDefinitionWord(info, t);
            break;
    }
}

void Reader::OnRowDefinitionWord(const KeywordInfo& info, const Token& t) {
    switch (info.id) {
        case Kw::RowDefaults: {
            const int depth = S().nestTableProps ? std::max(2, Placement().tableDepth) : 1;
            m_rowDefDepth = static_cast<size_t>(depth);
            if (m_rowDefs.size() < m_rowDefDepth) {
                m_rowDefs.resize(m_rowDefDepth);
            }
            m_rowDefs[m_rowDefDepth - 1] = RowDefinition{};
            m_cellDef = CellDefinition{};
            m_cellShade = {};
            m_borderOwner = BorderOwner::None;
            return;
        }
        default:
            break;
    }
    if (m_rowDefs.size() < m_rowDefDepth) {
        m_rowDefs.resize(m_rowDefDepth);
    }
    RowDefinition& def = m_rowDefs[m_rowDefDepth - 1];
    switch (info.id) {
        case Kw::CellX:
            EndRowDefinitionCell();
            if (def.cells.size() < m_limits.maxCellsPerRow) {
                m_cellDef.right = std::clamp(t.param, -kMaxEdge, kMaxEdge);
                def.cells.push_back(m_cellDef);
            }
            m_cellDef = CellDefinition{};
            break;
        case Kw::RowLeft:
            def.left = std::clamp(t.param, -kMaxEdge, kMaxEdge);
            break;
        case Kw::CellMergeFirst:
            m_cellDef.mergeFirst = true;
            break;
        case Kw::CellMerge:
            m_cellDef.merge = true;
            break;
        case Kw::CellVMergeFirst:
            m_cellDef.vmergeFirst = true;
            break;
        case Kw::CellVMerge:
            m_cellDef.vmerge = true;
            break;
        case Kw::CellAlignWord:
            m_cellDef.valign = static_cast<CellAlign>(info.variant);
            break;
        case Kw::CellPadding:
            m_cellDef.padding[info.variant & 3] = std::clamp(t.param, 0, kMaxPadding);
            break;
        case Kw::RowPadding:
            def.padding[info.variant & 3] = std::clamp(t.param, 0, kMaxPadding);
            break;
        case Kw::RowGap:
            def.gap = std::clamp(t.param, 0, kMaxPadding);
            break;
        case Kw::RowAlign:
            def.align = static_cast<Alignment>(info.variant);
            break;
        default:
            break;
    }
}

}  // namespace rtf::detail
