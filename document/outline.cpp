#include "document/outline.h"

#include "core/translate.h"
#include "document/iv_data.h"

namespace {

// A node whose children are being visited.
struct Level {
    int count;              // its child nodes
    int next;               // the index visited next
    std::string numbering;  // its own
    bool numbered;          // false for the start node, whose children count from "1"
};

}  // namespace

// Iterative, so that the depth of a document never costs stack.
std::vector<OutlineRow> BuildOutline(ivData& cursor,
                                     const std::function<void(const OutlineRow&, ivData&)>& visit) {
    std::vector<OutlineRow> rows;
    std::vector<Level> levels;
    // Adds the row of the node at the cursor and starts on its children; false for a node
    // without a name, which gets no row.
    const auto enter = [&](const std::string* numbering) {
        OutlineRow row;
        row.name = cursor.GetName();
        if (row.name.empty()) {
            return false;
        }
        if (row.name == "Document") {
            row.title = Translate("Document");
        } else {
            row.numbering = numbering != nullptr ? *numbering : std::string();
            row.title = cursor.GetAttribute("Title");
            row.id = cursor.GetAttribute("ID");
        }
        row.depth = static_cast<int>(levels.size());
        levels.push_back({cursor.GetChildCount(), 0, row.numbering, numbering != nullptr});
        if (visit) {
            visit(row, cursor);
        }
        rows.push_back(std::move(row));
        return true;
    };
    if (!enter(nullptr)) {
        return rows;
    }
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next >= level.count) {
            levels.pop_back();
            if (!levels.empty()) {
                cursor.GoParent();
            }
            continue;
        }
        const int i = level.next++;
        if (!cursor.GoChild(i)) {
            continue;
        }
        const std::string child =
            level.numbered ? level.numbering + "." + std::to_string(i + 1) : std::to_string(i + 1);
        if (!enter(&child)) {
            cursor.GoParent();
        }
    }
    return rows;
}
