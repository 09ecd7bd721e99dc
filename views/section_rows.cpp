// The rows of the section list: building them from the document tree, their outline numbers,
// finding them by ID, and the layout in the view-state tree.
#include "core/translate.h"
#include "document/domain.h"
#include "document/iv_xml.h"
#include "document/tree_editor.h"
#include "views/section_list.h"

#include <cstdlib>
#include <unordered_set>
#include <vector>

namespace {

using namespace section_column;

constexpr const char* kDocument = "Document";

std::string ChildNumbering(const std::string* parent, int index) {
    const std::string n = std::to_string(index + 1);
    return parent != nullptr ? *parent + "." + n : n;
}

// One row for the node the cursor stands on (not the document), its items in column order.
bool AddSectionRow(ivData& cursor, ivReportViewData& rows, const std::string& name,
                   const std::string& numbering) {
    const bool hasBody = !cursor.GetAttribute("Text").empty();
    if (!rows.AddNode(name)) {
        return false;
    }
    rows.AddAttribute(kId, cursor.GetAttribute(kId));
    rows.AddAttribute(kNumbering, numbering);
    rows.AddAttribute(kTitle, cursor.GetAttribute(kTitle));
    rows.AddAttribute(kReference, cursor.GetAttribute(kReference));
    rows.AddAttribute(kAlias, cursor.GetAttribute(kAlias));
    rows.AddAttributeEx(kStatus, {}, {}, hasBody ? kSectionBodyImage : 0, 0);
    rows.AddAttribute(kCreated, cursor.GetAttribute(kCreated));
    rows.AddAttribute(kModified, cursor.GetAttribute(kModified));
    // The check box is shown cleared whatever the file holds.
    rows.AddAttribute(kAuto, {});
    rows.AddAttribute(kLink, cursor.GetAttribute(kLink));
    return true;
}

// The document row: every cell empty but the title. Its cells are not edited: they belong
// to no section, so nothing typed there could be kept.
void AddDocumentRow(ivReportViewData& rows) {
    rows.Close();
    rows.Create();
    rows.AddNode(kDocument);
    for (const char* column : {kId, kNumbering, kTitle, kReference, kAlias, kStatus, kCreated,
                               kModified, kAuto, kLink}) {
        const std::string value = column == kTitle ? Translate(kDocument) : std::string();
        rows.AddAttributeEx(column, value, {}, 0, item_flag::kReadOnly);
    }
}

std::string Cell(ivReportCore& report, const CXTPReportRecordEx& record, const char* column) {
    const ivReportItem* item = record.GetItem(report.FindColumn(column));
    return item != nullptr ? item->GetText() : std::string();
}

}  // namespace

void mySectionList::AddRecords(ivData& cursor, const std::string* numbering) {
    ivReportViewData& rows = *m_report.GetData();
    const std::string name = cursor.GetName();
    if (name.empty()) {
        return;
    }
    // Only the node the rows start from is the document; an element of that name further
    // down is an ordinary row and must not clear the rows already made.
    const bool document = name == kDocument;
    if (document) {
        AddDocumentRow(rows);
    } else if (!AddSectionRow(cursor, rows, name, numbering != nullptr ? *numbering : "")) {
        return;
    }
    // Walked with a stack of its own rather than by recursion, so that no depth of nesting in
    // a file can exhaust the program's stack.
    struct Level {
        int next;
        int count;
        bool numbered;
        std::string numbering;
    };
    std::vector<Level> levels;
    levels.push_back({0, cursor.GetChildCount(), numbering != nullptr && !document,
                      numbering != nullptr ? *numbering : std::string()});
    m_report.Model().BeginBatch();
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next >= level.count) {
            rows.EndNode();
            levels.pop_back();
            if (!levels.empty()) {
                cursor.GoParent();
            }
            continue;
        }
        const int index = level.next++;
        if (!cursor.GoChild(index)) {
            continue;
        }
        const std::string childName = cursor.GetName();
        const std::string child =
            ChildNumbering(level.numbered ? &level.numbering : nullptr, index);
        if (childName.empty() || !AddSectionRow(cursor, rows, childName, child)) {
            cursor.GoParent();
            continue;
        }
        levels.push_back({0, cursor.GetChildCount(), true, child});
    }
    m_report.Model().EndBatch();
    if (document) {
        rows.Reset();
    }
}

CXTPReportRecordEx* mySectionList::FindRecord(const std::string& id) {
    if (id.empty()) {
        return nullptr;
    }
    const int idIndex = m_report.FindColumn(kId);
    CXTPReportRecordEx* found = nullptr;
    m_report.Model().ForEachRecord([&](CXTPReportRecordEx& record) {
        const ivReportItem* item = record.GetItem(idIndex);
        if (item != nullptr && item->GetString() == id) {
            found = &record;
            return false;
        }
        return true;
    });
    return found;
}

void mySectionList::RenumberChildren(CXTPReportRecordEx& parent) {
    ivXML* tree = DocumentTree();
    ivTreeEditor* editor = Editor();
    if (tree == nullptr || editor == nullptr) {
        return;
    }
    const bool top = parent.GetParent() == nullptr;
    if (!(top ? tree->GoRoot() : editor->SelectSection(Cell(m_report, parent, kId)))) {
        return;
    }
    ivReportViewData& rows = *m_report.GetData();
    CXTPReportRecordEx* const kept = rows.GetCurrentRecord();
    const int numberingIndex = m_report.FindColumn(kNumbering);
    // The tree and the rows are walked side by side: each named child node has the next row.
    struct Level {
        CXTPReportRecordEx* record;
        int next;
        int count;
        int row;
        bool numbered;
        std::string numbering;
    };
    std::vector<Level> levels;
    levels.push_back(
        {&parent, 0, tree->GetChildCount(), 0, !top, Cell(m_report, parent, kNumbering)});
    m_report.Model().BeginBatch();
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next >= level.count) {
            levels.pop_back();
            if (!levels.empty()) {
                tree->GoParent();
            }
            continue;
        }
        const int index = level.next++;
        if (!tree->GoChild(index)) {
            continue;
        }
        CXTPReportRecordEx* row =
            tree->GetName().empty() ? nullptr : level.record->GetChild(level.row++);
        const std::string expected =
            ChildNumbering(level.numbered ? &level.numbering : nullptr, index);
        const ivReportItem* item = row != nullptr ? row->GetItem(numberingIndex) : nullptr;
        if (item == nullptr || item->GetString() == expected) {
            // Rows whose number stands keep the numbers below them too.
            tree->GoParent();
            continue;
        }
        rows.SetCurrentRecord(row);
        rows.SetAttributeValue(numberingIndex, expected);
        levels.push_back({row, 0, tree->GetChildCount(), 0, true, expected});
    }
    m_report.Model().EndBatch();
    rows.SetCurrentRecord(kept);
}

std::string mySectionList::StoredLayout() {
    if (m_viewStateLoaded) {
        return m_report.GetLayoutXML();
    }
    m_viewStateLoaded = true;
    ivDomain* domain = m_report.GetDomain();
    ivXML* views = domain != nullptr ? domain->GetTree(ivDomain::kViewStateTree) : nullptr;
    if (views == nullptr || !views->GoRoot() || !views->Select("Views") ||
        !views->SelectByAttribute("View", "ID", "1", 0)) {
        return {};
    }
    const long count = std::strtol(views->GetAttribute("Count").c_str(), nullptr, 10);
    return count == m_report.GetColumnCount() ? views->GetText() : std::string();
}

void mySectionList::LoadView(wxObject* hint) {
    // A rebuild without a tree to show changes nothing, and leaves the stored layout for the
    // rebuild that has one.
    auto* tree = dynamic_cast<ivData*>(hint);
    if (tree == nullptr || !tree->GoRoot()) {
        return;
    }
    const std::string layout = StoredLayout();
    // The user's place in the list survives the rebuild: the focused row and the collapsed
    // ones are found again by ID.
    ivReportModel& model = m_report.Model();
    const CXTPReportRecordEx* focused = model.GetFocusedRecord();
    const std::string focusedId = focused != nullptr ? Cell(m_report, *focused, kId) : "";
    std::unordered_set<std::string> collapsed;
    bool documentCollapsed = false;
    model.ForEachRecord([&](CXTPReportRecordEx& record) {
        if (!record.IsExpanded() && record.GetChildCount() > 0) {
            if (record.GetParent() == nullptr) {
                documentCollapsed = true;
            } else {
                collapsed.insert(Cell(m_report, record, kId));
            }
        }
        return true;
    });

    AddRecords(*tree, nullptr);

    model.ForEachRecord([&](CXTPReportRecordEx& record) {
        const bool wasCollapsed = record.GetParent() == nullptr
                                      ? documentCollapsed
                                      : collapsed.count(Cell(m_report, record, kId)) != 0;
        if (wasCollapsed) {
            model.SetExpanded(record, false);
        }
        return true;
    });
    m_report.ApplyStyle();
    if (!layout.empty()) {
        m_report.SetLayoutXML(layout);
    }
    if (CXTPReportRecordEx* again = FindRecord(focusedId)) {
        model.SetFocusedRecord(again);
    }
}

void mySectionList::SaveViewState() {
    SyncText();
    ivDomain* domain = m_report.GetDomain();
    ivXML* views = domain != nullptr ? domain->GetTree(ivDomain::kViewStateTree) : nullptr;
    if (views == nullptr || !views->GoRoot() || !views->Select("Views")) {
        return;
    }
    const std::string layout = m_report.GetLayoutXML();
    const std::string count = std::to_string(m_report.GetColumnCount());
    if (views->SelectByAttribute("View", "ID", "1", 0)) {
        views->SetAttribute("Count", count);
        views->SetText(layout);
        views->GoParent();
    } else {
        views->AddNode("View");
        views->AddAttribute("ID", "1");
        views->AddAttribute("Count", count);
        views->SetText(layout);
        views->EndNode();
    }
}
