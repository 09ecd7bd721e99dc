#include "views/edit_commands.h"

myTreeCommand::myTreeCommand(ivTreeEditor& editor, ivTreeEdit edit)
    : wxCommand(true, EditName(edit)), m_editor(editor) {
    m_edits.push_back(std::move(edit));
}

myTreeCommand::myTreeCommand(ivTreeEditor& editor, std::vector<ivTreeEdit> edits, ivEditGroup kind)
    : wxCommand(true, GroupName(kind)),
      m_editor(editor),
      m_edits(std::move(edits)),
      m_group(kind) {}

bool myTreeCommand::Do() {
    for (size_t i = 0; i < m_edits.size(); ++i) {
        if (!m_editor.Redo(m_edits[i])) {
            // Half a step is no state the history knows: what was done goes back.
            while (i-- > 0) {
                m_editor.Undo(m_edits[i]);
            }
            return false;
        }
    }
    return true;
}

bool myTreeCommand::Undo() {
    for (size_t i = m_edits.size(); i-- > 0;) {
        if (!m_editor.Undo(m_edits[i])) {
            for (size_t k = i + 1; k < m_edits.size(); ++k) {
                m_editor.Redo(m_edits[k]);
            }
            return false;
        }
    }
    return true;
}

std::string myTreeCommand::MenuText(bool redo) const {
    return m_group != ivEditGroup::None ? GroupMenuText(m_group, redo)
                                        : EditMenuText(&m_edits.front(), redo);
}

myEditHistory::myEditHistory(ivTreeEditor& editor, std::function<void()> changed)
    : m_editor(editor), m_changed(std::move(changed)) {}

void myEditHistory::Record(const ivTreeEdit& edit) {
    if (m_group != ivEditGroup::None) {
        m_grouped.push_back(edit);
        return;
    }
    Store(new myTreeCommand(m_editor, edit));
}

void myEditHistory::Store(myTreeCommand* command) {
    if (m_savedAt > m_at) {
        m_savedAt = -1;  // the saved state was among the edits this one drops
    }
    // At the limit the processor lets the oldest edit go, and with it the state before it.
    // (It drops the edits taken back first, so m_at edits are left when it counts them.)
    if (m_processor.GetMaxCommands() > 0 && m_at >= m_processor.GetMaxCommands()) {
        --m_at;
        m_savedAt = m_savedAt > 0 ? m_savedAt - 1 : -1;
    }
    m_processor.Store(command);
    ++m_at;
}

void myEditHistory::BeginGroup(ivEditGroup kind) {
    m_group = kind;
    m_grouped.clear();
}

void myEditHistory::EndGroup() {
    const ivEditGroup kind = m_group;
    m_group = ivEditGroup::None;
    if (!m_grouped.empty()) {
        Store(new myTreeCommand(m_editor, std::move(m_grouped), kind));
    }
    m_grouped.clear();
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
    return command != nullptr ? command->MenuText(false) : EditMenuText(nullptr, false);
}

std::string myEditHistory::GetRedoName() const {
    const myTreeCommand* command = CanRedo() ? Next() : nullptr;
    return command != nullptr ? command->MenuText(true) : EditMenuText(nullptr, true);
}
