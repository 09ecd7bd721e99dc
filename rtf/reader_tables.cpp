// Tables: row definitions (\trowd and the cell definitions after it), and the cells and
// rows of the body.

#include "rtf/reader_impl.h"

#include <algorithm>

namespace rtf::detail {

namespace {

// Cell boundaries and the row's left edge are clamped to this many twips (about 18 metres)
// either side of the margin, so that a width made from two of them stays far inside an int.
constexpr int kMaxTablePosition = 1 << 20;

int TablePosition(int twips) {
    return std::clamp(twips, -kMaxTablePosition, kMaxTablePosition);
}

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
            m_borderPending = false;
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
            if (def.cells.size() < m_limits.maxCellsPerRow) {
                m_cellDef.right = TablePosition(t.param);
                def.cells.push_back(m_cellDef);
            }
            m_cellDef = CellDefinition{};
            break;
        case Kw::RowLeft:
            def.left = TablePosition(t.param);
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
        case Kw::BorderSide:
            m_borderPending = info.variant == 1;
            break;
        case Kw::BorderNone:
            m_borderPending = false;
            break;
        case Kw::BorderStyle:
            if (m_borderPending) {
                def.borders = true;
                m_borderPending = false;
            }
            break;
        default:
            break;
    }
}

}  // namespace rtf::detail
