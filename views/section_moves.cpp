// Moving sections in the section list, and taking tree edits back.
#include "document/domain.h"
#include "document/edit_history.h"
#include "document/iv_xml.h"
#include "views/section_list.h"
#include "views/text_view_interface.h"

namespace {

using namespace section_column;

std::string FocusedId(ivReportCore& report) {
    const CXTPReportRecordEx* record = report.Model().GetFocusedRecord();
    const ivReportItem* item =
        record != nullptr ? record->GetItem(report.FindColumn(kId)) : nullptr;
    return item != nullptr ? item->GetString() : std::string();
}

}  // namespace

ivEditHistory* mySectionList::History() {
    ivDomain* domain = m_report.GetDomain();
    return domain != nullptr ? domain->GetEditHistory() : nullptr;
}

void mySectionList::ShowSection(const std::string& id, const std::string& orParentId,
                                bool reloadBody) {
    LoadView(DocumentTree());
    CXTPReportRecordEx* record = FindRecord(id);
    if (record == nullptr) {
        record = FindRecord(orParentId);
    }
    if (record == nullptr) {
        record = m_report.Model().GetRoot();
    }
    if (reloadBody) {
        // The body shown may be one the tree no longer holds; the focus loads it afresh.
        m_currentId.clear();
    }
    ivReportViewData& rows = *m_report.GetData();
    rows.SetCurrentRecord(record);
    m_report.ShowCurrentRecord();
    if (reloadBody && m_currentId.empty()) {
        SyncText();
        if (m_currentId.empty() && m_textView != nullptr) {
            // The document row: no section's body is shown.
            m_textView->SetRTF({});
            m_textView->SetModified(false);
            m_textView->EnableView(false);
        }
    }
}

bool mySectionList::ShowMove(const std::string& id) {
    ivTreeEditor* editor = Editor();
    ivXML* tree = DocumentTree();
    CXTPReportRecordEx* record = FindRecord(id);
    std::string parentId;
    const int position = editor != nullptr ? editor->PositionOf(id, parentId) : -1;
    CXTPReportRecordEx* parent =
        parentId.empty() ? m_report.Model().GetRoot() : FindRecord(parentId);
    CXTPReportRecordEx* from = record != nullptr ? record->GetParent() : nullptr;
    if (tree == nullptr || record == nullptr || from == nullptr || parent == nullptr ||
        position < 0 || !(parentId.empty() ? tree->GoRoot() : editor->SelectSection(parentId))) {
        return false;
    }
    // Rows stand for the named child nodes only.
    int row = 0;
    for (int i = 0; i < position; ++i) {
        if (tree->GoChild(i)) {
            row += tree->GetName().empty() ? 0 : 1;
            tree->GoParent();
        }
    }
    if (!m_report.Model().MoveRecord(*record, *parent, row)) {
        return false;
    }
    RenumberChildren(*from);
    if (parent != from) {
        RenumberChildren(*parent);
    }
    m_report.GetData()->SetCurrentRecord(record);
    m_report.ShowCurrentRecord();
    return true;
}

void mySectionList::ShowMovedSection(const std::string& id) {
    // The rows follow the tree in place; should they not match it, they are built again.
    if (!ShowMove(id)) {
        ShowSection(id, {}, false);
    }
}

bool mySectionList::SelectSection(const std::string& id) {
    CXTPReportRecordEx* record = id.empty() ? nullptr : FindRecord(id);
    if (record == nullptr) {
        return false;
    }
    m_report.GetData()->SetCurrentRecord(record);
    m_report.ShowCurrentRecord();
    SyncText();
    return m_currentId == id;
}

void mySectionList::ShowEditedSections(const std::string& id) {
    ShowSection(id.empty() ? m_currentId : id, {}, true);
}

bool mySectionList::CanMoveSection(ivTreeEditor::Direction direction) {
    ivTreeEditor* editor = Editor();
    const std::string id = FocusedId(m_report);
    std::string parentId;
    int index = 0;
    return editor != nullptr && !id.empty() &&
           editor->FindMoveTarget(id, direction, parentId, index);
}

bool mySectionList::MoveSection(ivTreeEditor::Direction direction) {
    ivTreeEditor* editor = Editor();
    const std::string id = FocusedId(m_report);
    if (editor == nullptr || id.empty() || !editor->MoveSection(id, direction)) {
        return false;
    }
    ShowMovedSection(id);
    return true;
}

bool mySectionList::DropSection(const std::string& id, const std::string& targetId,
                                DropPlace place) {
    ivTreeEditor* editor = Editor();
    if (editor == nullptr || id.empty() || id == targetId) {
        return false;
    }
    std::string parentId = targetId;
    int index = -1;
    if (place != DropPlace::On) {
        // Beside the document row there is no place.
        if (targetId.empty()) {
            return false;
        }
        std::string fromParent;
        const int from = editor->PositionOf(id, fromParent);
        index = editor->PositionOf(targetId, parentId);
        if (from < 0 || index < 0) {
            return false;
        }
        // The target's place counts without the dragged section, which leaves it first.
        if (fromParent == parentId && from < index) {
            --index;
        }
        if (place == DropPlace::After) {
            ++index;
        }
    }
    if (!editor->MoveSection(id, parentId, index)) {
        return false;
    }
    ShowMovedSection(id);
    return true;
}

bool mySectionList::CanUndo() {
    ivEditHistory* history = History();
    // A body being typed is a change that undo would store and then take back.
    return history != nullptr &&
           (history->CanUndo() || (m_textView != nullptr && m_textView->IsModified()));
}

bool mySectionList::CanRedo() {
    ivEditHistory* history = History();
    return history != nullptr && history->CanRedo();
}

bool mySectionList::Replay(bool redo) {
    ivEditHistory* history = History();
    if (history == nullptr || Editor() == nullptr) {
        return false;
    }
    SyncText();
    ivTreeEdit edit;
    if (!(redo ? history->Redo(&edit) : history->Undo(&edit))) {
        return false;
    }
    if (edit.kind == ivTreeEdit::Kind::MoveSection) {
        // The body stays what it was: only the rows move.
        ShowMovedSection(edit.sectionId);
        return true;
    }
    // An insert taken back leaves its parent to show.
    ShowSection(edit.sectionId, edit.parentId, true);
    return true;
}

bool mySectionList::Undo() {
    return Replay(false);
}

bool mySectionList::Redo() {
    return Replay(true);
}

std::string mySectionList::GetUndoName() {
    ivEditHistory* history = History();
    if (history != nullptr && m_textView != nullptr && m_textView->IsModified()) {
        ivTreeEdit typing;
        typing.kind = ivTreeEdit::Kind::StoreBody;
        return EditMenuText(&typing, false);
    }
    return history != nullptr ? history->GetUndoName() : EditMenuText(nullptr, false);
}

std::string mySectionList::GetRedoName() {
    ivEditHistory* history = History();
    return history != nullptr ? history->GetRedoName() : EditMenuText(nullptr, true);
}
