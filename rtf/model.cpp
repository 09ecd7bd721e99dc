#include "rtf/model.h"

namespace rtf {

bool Paragraph::Shown() const {
    if (!format.hiddenMark) {
        return true;
    }
    for (const Run& run : runs) {
        if (!run.format.hidden && run.kind != RunKind::BookmarkStart &&
            run.kind != RunKind::BookmarkEnd) {
            return true;
        }
    }
    return false;
}

// Defaulted out of line: Block is incomplete where these types are declared.
bool ListItem::operator==(const ListItem&) const = default;
bool List::operator==(const List&) const = default;
bool TableCell::operator==(const TableCell&) const = default;
bool TableRow::operator==(const TableRow&) const = default;
bool Table::operator==(const Table&) const = default;
// Written out: clang 14 crashes on a defaulted comparison of a type holding a vector of itself.
bool Picture::operator==(const Picture& other) const {
    return format == other.format && data == other.data && width == other.width &&
           height == other.height && alternatives == other.alternatives;
}
bool Block::operator==(const Block&) const = default;
bool Document::operator==(const Document&) const = default;

}  // namespace rtf
