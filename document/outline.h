#pragma once

#include <functional>
#include <string>
#include <vector>

class ivData;

// One row of the section list: the document row first, then one row per named node below it,
// nested as in the tree.
struct OutlineRow {
    std::string name;       // element name ("Document", "Section", ...)
    std::string numbering;  // "1", "2.1", ...; empty for the document row
    std::string title;
    std::string id;
    int depth = 0;  // 0 for the document row
};

// Rows from the node the cursor stands on, as the section list builds them. Children are
// counted over all child nodes, so comments and text take a place in the numbering without
// getting a row. The cursor ends where it started.
// visit, when given, is called for each row with the cursor on its node.
std::vector<OutlineRow> BuildOutline(
    ivData& cursor, const std::function<void(const OutlineRow&, ivData&)>& visit = nullptr);
