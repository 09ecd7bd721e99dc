#pragma once

#include "rtf/model.h"

#include <variant>
#include <vector>

// Calls visit(paragraph) for every paragraph of blocks that may be changed, in lists and table
// cells too, in document order.
template <typename Visit>
void ForEachParagraphToChange(std::vector<rtf::Block>& blocks, Visit&& visit) {
    for (rtf::Block& block : blocks) {
        if (auto* p = std::get_if<rtf::Paragraph>(&block.content)) {
            visit(*p);
        } else if (auto* list = std::get_if<rtf::List>(&block.content)) {
            for (rtf::ListItem& item : list->items) {
                ForEachParagraphToChange(item.blocks, visit);
            }
        } else if (auto* table = std::get_if<rtf::Table>(&block.content)) {
            for (rtf::TableRow& row : table->rows) {
                for (rtf::TableCell& cell : row.cells) {
                    ForEachParagraphToChange(cell.blocks, visit);
                }
            }
        }
    }
}

// The same over the body and the footnotes of a document.
template <typename Visit>
void ForEachParagraphToChange(rtf::Document& document, Visit&& visit) {
    ForEachParagraphToChange(document.blocks, visit);
    for (auto& footnote : document.footnotes) {
        ForEachParagraphToChange(footnote, visit);
    }
}
