#include "rtf/builder.h"

#include <algorithm>

namespace rtf {

namespace {
// What a paragraph, cell or run costs beyond its text, roughly, for the model size limit.
constexpr size_t kStructureBytes = 64;
}  // namespace

Builder::Builder(Document& document) : m_document(document) {
    m_flows.push_back(Flow{&document.blocks, {}, {}, {}});
}

std::vector<Block>& Builder::Container(Flow& flow) {
    return flow.tables.empty() ? *flow.blocks : flow.tables.back().cell.blocks;
}

void Builder::AppendText(std::string_view utf8, const CharFormat& format) {
    if (utf8.empty()) {
        return;
    }
    m_modelBytes += utf8.size();
    std::vector<Run>& runs = Current().paragraph.runs;
    if (!runs.empty() && runs.back().kind == RunKind::Text && runs.back().format == format) {
        runs.back().text.append(utf8);
        return;
    }
    m_modelBytes += kStructureBytes;
    runs.push_back(Run{RunKind::Text, format, std::string(utf8), -1});
}

void Builder::AppendRun(RunKind kind, const CharFormat& format, int index) {
    m_modelBytes += kStructureBytes;
    Current().paragraph.runs.push_back(Run{kind, format, {}, index});
}

void Builder::AppendBookmark(RunKind kind, const CharFormat& format, std::string name) {
    m_modelBytes += kStructureBytes + name.size();
    Current().paragraph.runs.push_back(Run{kind, format, std::move(name), -1});
}

void Builder::EndParagraph(const ParagraphFormat& format, const ParagraphPlacement& placement) {
    Flow& flow = Current();
    Paragraph paragraph = std::move(flow.paragraph);
    flow.paragraph = Paragraph{};
    paragraph.format = format;
    Place(std::move(paragraph), placement);
}

void Builder::Place(Paragraph paragraph, const ParagraphPlacement& placement) {
    m_modelBytes += kStructureBytes;
    Flow& flow = Current();
    SetTableDepth(flow, placement.tableDepth);
    if (placement.inList) {
        AddListItem(flow, std::move(paragraph), placement);
    } else {
        CloseLists(flow);
        Container(flow).push_back(std::move(paragraph));
    }
}

void Builder::SetTableDepth(Flow& flow, int depth) {
    depth = std::max(depth, 0);
    if (static_cast<int>(flow.tables.size()) == depth) {
        return;
    }
    CloseLists(flow);
    while (static_cast<int>(flow.tables.size()) > depth) {
        CloseTable(flow);
    }
    while (static_cast<int>(flow.tables.size()) < depth) {
        flow.tables.emplace_back();
    }
}

void Builder::CloseTable(Flow& flow) {
    OpenTable open = std::move(flow.tables.back());
    flow.tables.pop_back();
    // A row that never saw \row still holds what was typed into it.
    if (!open.cell.blocks.empty()) {
        open.row.cells.push_back(std::move(open.cell));
    }
    if (!open.row.cells.empty()) {
        ApplyRowDefinition(open, RowDefinition{});
        open.table.rows.push_back(std::move(open.row));
    }
    if (!open.table.rows.empty()) {
        // The last row's lower edge is the table's.
        TableRow& last = open.table.rows.back();
        for (size_t i = 0; i < last.cells.size() && i < open.ownBottom.size(); ++i) {
            if (!open.ownBottom[i]) {
                last.cells[i].borders.bottom = open.tableBottom;
            }
        }
        LayOutGrid(open.table);
        Container(flow).push_back(std::move(open.table));
    }
}

void Builder::CloseLists(Flow& flow, int downToLevel) {
    while (!flow.lists.empty() && flow.lists.back().level > downToLevel) {
        OpenList open = std::move(flow.lists.back());
        flow.lists.pop_back();
        if (!flow.lists.empty() && !flow.lists.back().list.items.empty()) {
            flow.lists.back().list.items.back().blocks.push_back(std::move(open.list));
        } else {
            Container(flow).push_back(std::move(open.list));
        }
    }
}

void Builder::AddListItem(Flow& flow, Paragraph paragraph, const ParagraphPlacement& placement) {
    const int level = std::clamp(placement.listLevel, 0, 8);
    CloseLists(flow, level);
    if (!flow.lists.empty() && flow.lists.back().level == level &&
        flow.lists.back().key != placement.listKey) {
        CloseLists(flow, level - 1);
    }
    if (flow.lists.empty() || flow.lists.back().level < level) {
        List list;
        list.style = placement.listStyle;
        list.start = placement.listStartAt;
        if (placement.listContinues) {
            auto next = m_nextNumber.find({placement.listKey, level});
            if (next != m_nextNumber.end()) {
                list.start = next->second;
            }
        }
        flow.lists.push_back(OpenList{placement.listKey, level, std::move(list)});
    }
    List& list = flow.lists.back().list;
    ListItem item;
    item.blocks.push_back(std::move(paragraph));
    list.items.push_back(std::move(item));
    if (placement.listContinues) {
        const int number = list.start + static_cast<int>(list.items.size());
        m_nextNumber[{placement.listKey, level}] = number;
        // A new item restarts the numbering of the levels below it.
        auto deeper = m_nextNumber.upper_bound({placement.listKey, level});
        while (deeper != m_nextNumber.end() && deeper->first.first == placement.listKey) {
            deeper = m_nextNumber.erase(deeper);
        }
    }
}

void Builder::EndCell(int depth, const ParagraphFormat& format,
                      const ParagraphPlacement& placement) {
    Flow& flow = Current();
    depth = std::max(depth, 1);
    ParagraphPlacement inCell = placement;
    inCell.tableDepth = depth;
    const bool hasText = !flow.paragraph.runs.empty();
    SetTableDepth(flow, depth);
    std::vector<Block>& cellBlocks = flow.tables.back().cell.blocks;
    // The mark that ends a cell after a nested table is no paragraph of its own.
    const bool afterTable =
        !cellBlocks.empty() && cellBlocks.back().AsTable() != nullptr && flow.lists.empty();
    if (hasText || !afterTable) {
        EndParagraph(format, inCell);
    } else {
        flow.paragraph = Paragraph{};
    }
    CloseLists(flow);
    OpenTable& open = flow.tables[depth - 1];
    m_modelBytes += kStructureBytes;
    open.row.cells.push_back(std::move(open.cell));
    open.cell = TableCell{};
}

void Builder::EndRow(int depth, const RowDefinition& definition) {
    Flow& flow = Current();
    depth = std::max(depth, 1);
    if (!flow.paragraph.runs.empty()) {
        ParagraphPlacement placement;
        placement.tableDepth = depth;
        EndParagraph(ParagraphFormat{}, placement);
    }
    SetTableDepth(flow, depth);
    CloseLists(flow);
    OpenTable& open = flow.tables.back();
    if (!open.cell.blocks.empty()) {
        open.row.cells.push_back(std::move(open.cell));
        open.cell = TableCell{};
    }
    if (open.row.cells.empty()) {
        return;
    }
    ApplyRowDefinition(open, definition);
    open.table.rows.push_back(std::move(open.row));
    open.row = TableRow{};
}

void Builder::ApplyRowDefinition(OpenTable& open, const RowDefinition& definition) {
    TableRow& row = open.row;
    const bool firstRow = open.table.rows.empty();
    if (firstRow) {
        open.table.align = definition.align;
    }
    row.left = definition.left;
    const Border* rowBorders = definition.borders;
    std::vector<TableCell> cells;
    std::vector<bool> ownBottom;
    int left = definition.left;
    for (size_t i = 0; i < row.cells.size(); ++i) {
        TableCell& cell = row.cells[i];
        const CellDefinition d =
            i < definition.cells.size() ? definition.cells[i] : CellDefinition{};
        // A cell the row does not define is given a default width, as the writers would.
        cell.width = kDefaultCellWidth;
        if (i < definition.cells.size()) {
            cell.width = std::max(0, d.right - left);
            left = d.right;
        }
        cell.vmerge = d.vmergeFirst ? VerticalMerge::First
                      : d.vmerge    ? VerticalMerge::Continue
                                    : VerticalMerge::None;
        // A side the cell leaves open takes the row's line: its outer edge or the one between
        // cells and rows.
        Borders b = d.borders;
        const bool last = i + 1 == row.cells.size();
        if ((d.bordersSet & 1) == 0) {
            b.top = rowBorders[firstRow ? kRowTop : kRowInsideH];
        }
        if ((d.bordersSet & 2) == 0) {
            b.left = rowBorders[cells.empty() ? kRowLeft : kRowInsideV];
        }
        if ((d.bordersSet & 4) == 0) {
            b.bottom = rowBorders[kRowInsideH];
        }
        if ((d.bordersSet & 8) == 0) {
            b.right = rowBorders[last ? kRowRight : kRowInsideV];
        }
        // Old-style horizontal merging: the merged cell widens the one before it.
        if (d.merge && !d.mergeFirst && !cells.empty()) {
            ++m_mergedAcross;
            TableCell& into = cells.back();
            into.width =
                static_cast<int>(std::min<int64_t>(int64_t{into.width} + cell.width, 1 << 26));
            into.borders.right = b.right;
            const bool emptyParagraph = cell.blocks.size() == 1 && cell.blocks[0].AsParagraph() &&
                                        cell.blocks[0].AsParagraph()->runs.empty();
            if (!emptyParagraph) {
                for (Block& block : cell.blocks) {
                    into.blocks.push_back(std::move(block));
                }
            }
            continue;
        }
        if (cell.vmerge == VerticalMerge::Continue) {
            ++m_mergedDown;
        }
        cell.borders = b;
        cell.shading = d.shading;
        cell.valign = d.valign;
        int* sides[4] = {&cell.padding.top, &cell.padding.left, &cell.padding.bottom,
                         &cell.padding.right};
        for (int k = 0; k < 4; ++k) {
            const bool horizontal = k == 1 || k == 3;
            *sides[k] = d.padding[k] >= 0                   ? d.padding[k]
                        : definition.padding[k] >= 0        ? definition.padding[k]
                        : horizontal && definition.gap >= 0 ? definition.gap
                                                            : 0;
        }
        ownBottom.push_back((d.bordersSet & 4) != 0);
        cells.push_back(std::move(cell));
    }
    row.cells = std::move(cells);
    open.ownBottom = std::move(ownBottom);
    open.tableBottom = rowBorders[kRowBottom];
}

// The grid: every left and right edge of every row's cells is a column boundary; edges
// closer than a point are one.
void Builder::LayOutGrid(Table& table) {
    constexpr int kSameEdge = 20;
    std::vector<int64_t> edges;
    for (const TableRow& row : table.rows) {
        int64_t x = row.left;
        edges.push_back(x);
        for (const TableCell& cell : row.cells) {
            x += cell.width;
            edges.push_back(x);
        }
    }
    std::sort(edges.begin(), edges.end());
    std::vector<int64_t> kept;
    for (const int64_t e : edges) {
        if (kept.empty() || e - kept.back() >= kSameEdge) {
            kept.push_back(e);
        }
    }
    const auto column = [&](int64_t x) {
        auto at = std::lower_bound(kept.begin(), kept.end(), x - kSameEdge + 1);
        return static_cast<int>(at - kept.begin());
    };
    table.grid.clear();
    for (size_t i = 1; i < kept.size(); ++i) {
        table.grid.push_back(static_cast<int>(std::min<int64_t>(kept[i] - kept[i - 1], 1 << 26)));
    }
    for (TableRow& row : table.rows) {
        int64_t x = row.left;
        row.gridBefore = column(x);
        for (TableCell& cell : row.cells) {
            const int start = column(x);
            x += cell.width;
            cell.colSpan = std::max(1, column(x) - start);
        }
    }
}

void Builder::BeginFootnote(const CharFormat& referenceFormat) {
    const int index = static_cast<int>(m_document.footnotes.size());
    AppendRun(RunKind::FootnoteRef, referenceFormat, index);
    m_document.footnotes.emplace_back();
    m_flows.push_back(Flow{&m_document.footnotes.back(), {}, {}, {}});
}

void Builder::EndFootnote() {
    if (m_flows.size() < 2) {
        return;
    }
    FinishFlow(Current());
    m_flows.pop_back();
}

void Builder::FinishFlow(Flow& flow) {
    if (!flow.paragraph.runs.empty()) {
        // Text after the last paragraph mark still forms a paragraph; its table depth is
        // whatever is open.
        ParagraphPlacement placement;
        placement.tableDepth = static_cast<int>(flow.tables.size());
        Paragraph paragraph = std::move(flow.paragraph);
        flow.paragraph = Paragraph{};
        CloseLists(flow);
        Container(flow).push_back(std::move(paragraph));
    }
    SetTableDepth(flow, 0);
    CloseLists(flow);
}

void Builder::Finish() {
    while (m_flows.size() > 1) {
        EndFootnote();
    }
    FinishFlow(m_flows.front());
}

}  // namespace rtf
