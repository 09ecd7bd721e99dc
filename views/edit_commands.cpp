#include "views/edit_commands.h"

myTreeCommand::myTreeCommand(ivTreeEditor& editor, ivTreeEdit edit)
    : wxCommand(true, EditName(edit)), m_editor(editor), m_edit(std::move(edit)) {}

myEditHistory::myEditHistory(ivTreeEditor& editor, std::function<void()> changed)
    : m_editor(editor), m_changed(std::move(changed)) {}

void myEditHistory::Record(const ivTreeEdit& edit) {
    if (m_savedAt > m_at) {
        m_savedAt = -1;  // the saved state was among the edits this one drops
    }
    // At the limit the processor lets the oldest edit go, and with it the state before it.
    // (It drops the edits taken back first, so m_at edits are left when it counts them.)
    if (m_processor.GetMaxCommands() > 0 && m_at >= m_processor.GetMaxCommands()) {
        --m_at;
        m_savedAt = m_savedAt > 0 ? m_savedAt - 1 : -1;
    }
    m_processor.Store(new myTreeCommand(m_editor, edit));
    ++m_at;
}

void myEditHistory::Clear() {
    m_processor.ClearCommands();
    m_savedAt = m_savedAt == m_at ? 0 : -1;
    m_at = 0;
}

const myTreeCommand* myEditHistory::Current() const {
    return dynamic_cast<const myTreeCommand*>(m_processor.GetCurrentCommand());
}

const myTreeCommand* myEditHistory::Next() const {
    const wxList& commands = m_processor.GetCommands();
    wxList::compatibility_iterator node = commands.GetFirst();
    if (const wxCommand* current = m_processor.GetCurrentCommand()) {
        node = commands.Find(const_cast<wxCommand*>(current));
        if (node) {
            node = node->GetNext();
        }
    }
    if (!node) {
        return nullptr;
    }
    return dynamic_cast<const myTreeCommand*>(static_cast<wxCommand*>(node->GetData()));
}

bool myEditHistory::Undo(ivTreeEdit* done) {
    const myTreeCommand* command = Current();
    if (command == nullptr || !m_processor.Undo()) {
        return false;
    }
    --m_at;
    if (done != nullptr) {
        *done = command->Edit();
    }
    if (m_changed) {
        m_changed();
    }
    return true;
}

bool myEditHistory::Redo(ivTreeEdit* done) {
    const myTreeCommand* command = Next();
    if (command == nullptr || !m_processor.Redo()) {
        return false;
    }
    ++m_at;
    if (done != nullptr) {
        *done = command->Edit();
    }
    if (m_changed) {
        m_changed();
    }
    return true;
}

std::string myEditHistory::GetUndoName() const {
    const myTreeCommand* command = CanUndo() ? Current() : nullptr;
    return EditMenuText(command != nullptr ? &command->Edit() : nullptr, false);
}

std::string myEditHistory::GetRedoName() const {
    const myTreeCommand* command = CanRedo() ? Next() : nullptr;
    return EditMenuText(command != nullptr ? &command->Edit() : nullptr, true);
}
