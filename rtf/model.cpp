#include "rtf/model.h"

namespace rtf {

// Defaulted out of line: Block is incomplete where these types are declared.
bool ListItem::operator==(const ListItem&) const = default;
bool List::operator==(const List&) const = default;
bool TableCell::operator==(const TableCell&) const = default;
bool TableRow::operator==(const TableRow&) const = default;
bool Table::operator==(const Table&) const = default;
bool Block::operator==(const Block&) const = default;
bool Document::operator==(const Document&) const = default;

}  // namespace rtf
