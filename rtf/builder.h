#pragma once

#include "rtf/model.h"

#include <map>
#include <string_view>
#include <utility>
#include <vector>

namespace rtf {

// Where a finished paragraph belongs: its table depth and list membership.
struct ParagraphPlacement {
    int tableDepth = 0;
    // List membership: key tells lists apart (different keys never share a list), level
    // counts from 0.
    bool inList = false;
    int listKey = 0;
    int listLevel = 0;
    ListStyle listStyle = ListStyle::Bullet;
    int listStartAt = 1;
    bool listContinues = false;  // numbering continues after an interruption
};

struct CellDefinition {
    int right = 0;  // right boundary (\cellx)
    bool mergeFirst = false;
    bool merge = false;
    bool vmergeFirst = false;
    bool vmerge = false;
    Borders borders;         // the cell's own (\clbrdrt, ...)
    uint8_t bordersSet = 0;  // which sides the cell states (1 top, 2 left, 4 bottom, 8 right)
    uint32_t shading = kNoColor;
    CellAlign valign = CellAlign::Top;
    int padding[4] = {-1, -1, -1, -1};  // top, left, bottom, right (\clpadt, ...); -1: the row's
};

// Sides of a row's borders (\trbrdrt, ...): the table's outer edges and the lines between
// rows and between cells.
enum RowBorderSide { kRowTop, kRowLeft, kRowBottom, kRowRight, kRowInsideH, kRowInsideV };

struct RowDefinition {
    int left = 0;
    Alignment align = Alignment::Left;
    int gap = -1;                       // \trgaph: half the space between cells
    int padding[4] = {-1, -1, -1, -1};  // \trpaddt, \trpaddl, \trpaddb, \trpaddr
    Border borders[6];                  // by RowBorderSide
    std::vector<CellDefinition> cells;
};

// Turns the reader's stream of runs, paragraph ends, cell and row ends into blocks: lists
// are nested by level, tables by depth. Footnotes are built in a flow of their own.
class Builder {
public:
    explicit Builder(Document& document);

    void AppendText(std::string_view utf8, const CharFormat& format);
    void AppendRun(RunKind kind, const CharFormat& format, int index);
    void AppendBookmark(RunKind kind, const CharFormat& format, std::string name);
    bool ParagraphEmpty() const { return Current().paragraph.runs.empty(); }

    void EndParagraph(const ParagraphFormat& format, const ParagraphPlacement& placement);
    // Ends the cell at a table depth (1 for \cell); the paragraph in progress goes into it.
    void EndCell(int depth, const ParagraphFormat& format, const ParagraphPlacement& placement);
    void EndRow(int depth, const RowDefinition& definition);

    // Text from BeginFootnote to EndFootnote goes into a new footnote, referenced from the
    // paragraph in progress.
    void BeginFootnote(const CharFormat& referenceFormat);
    void EndFootnote();
    int FootnoteDepth() const { return static_cast<int>(m_flows.size()) - 1; }

    // Closes what is still open; the builder takes no more input afterwards.
    void Finish();

    // About how many bytes the model holds so far, for the reader's size limit.
    size_t ModelBytes() const { return m_modelBytes; }
    // Cells the row definitions merged into others, across and down.
    size_t MergedAcross() const { return m_mergedAcross; }
    size_t MergedDown() const { return m_mergedDown; }

private:
    struct OpenList {
        int key;
        int level;
        List list;
    };
    struct OpenTable {
        Table table;
        TableRow row;
        TableCell cell;
        // Per cell of the last row: whether its bottom border is its own, not the row's
        // line between rows, which the table's bottom edge replaces in the last row.
        std::vector<bool> ownBottom;
        Border tableBottom;
    };
    struct Flow {
        std::vector<Block>* blocks;
        Paragraph paragraph;
        std::vector<OpenTable> tables;
        std::vector<OpenList> lists;
        bool formatDirty = true;
    };

    Flow& Current() { return m_flows.back(); }
    const Flow& Current() const { return m_flows.back(); }
    std::vector<Block>& Container(Flow& flow);

    void Place(Paragraph paragraph, const ParagraphPlacement& placement);
    void SetTableDepth(Flow& flow, int depth);
    void CloseTable(Flow& flow);
    void CloseLists(Flow& flow, int downToLevel = -1);
    void AddListItem(Flow& flow, Paragraph paragraph, const ParagraphPlacement& placement);
    void FinishFlow(Flow& flow);
    void ApplyRowDefinition(OpenTable& open, const RowDefinition& definition);
    static void LayOutGrid(Table& table);

    Document& m_document;
    std::vector<Flow> m_flows;
    // Next number per list key and level, so that numbering survives interruptions.
    std::map<std::pair<int, int>, int> m_nextNumber;
    size_t m_modelBytes = 0;
    size_t m_mergedAcross = 0;
    size_t m_mergedDown = 0;
};

}  // namespace rtf
