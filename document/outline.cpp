#include "document/outline.h"

#include "core/translate.h"
#include "document/iv_data.h"

namespace {

void AddRows(ivData& cursor, const std::string* numbering, int depth,
             std::vector<OutlineRow>& rows) {
    OutlineRow row;
    row.name = cursor.GetName();
    if (row.name.empty()) {
        return;
    }
    if (row.name == "Document") {
        row.title = Translate("Document");
    } else {
        row.numbering = numbering != nullptr ? *numbering : std::string();
        row.title = cursor.GetAttribute("Title");
        row.id = cursor.GetAttribute("ID");
    }
    row.depth = depth;
    const std::string own = row.numbering;
    rows.push_back(std::move(row));

    const int count = cursor.GetChildCount();
    for (int i = 0; i < count; ++i) {
        if (!cursor.GoChild(i)) {
            continue;
        }
        const std::string child =
            numbering != nullptr ? own + "." + std::to_string(i + 1) : std::to_string(i + 1);
        AddRows(cursor, &child, depth + 1, rows);
        cursor.GoParent();
    }
}

}  // namespace

std::vector<OutlineRow> BuildOutline(ivData& cursor) {
    std::vector<OutlineRow> rows;
    AddRows(cursor, nullptr, 0, rows);
    return rows;
}
