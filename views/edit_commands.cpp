#include "views/edit_commands.h"

#include "core/translate.h"

myTreeCommand::myTreeCommand(ivTreeEditor& editor, ivTreeEdit edit)
    : wxCommand(true, EditName(edit)), m_editor(editor) {
    m_edits.push_back(std::move(edit));
}

myTreeCommand::myTreeCommand(ivTreeEditor& editor, std::vector<ivTreeEdit> edits, const char* undo,
                             const char* redo)
    : wxCommand(true, undo),
      m_editor(editor),
      m_edits(std::move(edits)),
      m_undoText(undo),
      m_redoText(redo) {}

bool myTreeCommand::Do() {
    for (ivTreeEdit& edit : m_edits) {
        if (!m_editor.Redo(edit)) {
            return false;
        }
    }
    return true;
}

bool myTreeCommand::Undo() {
    // Later edits of a step build on earlier ones (a section inserted, then its body set).
    for (auto edit = m_edits.rbegin(); edit != m_edits.rend(); ++edit) {
        if (!m_editor.Undo(*edit)) {
            return false;
        }
    }
    return true;
}

std::string myTreeCommand::MenuText(bool redo) const {
    const char* text = redo ? m_redoText : m_undoText;
    return text != nullptr ? Translate(text) : std::string();
}

myEditHistory::myEditHistory(ivTreeEditor& editor, std::function<void()> changed)
    : m_editor(editor), m_changed(std::move(changed)) {}

void myEditHistory::BeginStep(const char* undo, const char* redo) {
    m_inStep = true;
    m_step.clear();
    m_stepUndo = undo;
    m_stepRedo = redo;
}

void myEditHistory::EndStep() {
    if (!m_inStep) {
        return;
    }
    m_inStep = false;
    if (m_step.size() == 1) {
        Store(new myTreeCommand(m_editor, std::move(m_step.front())));
    } else if (!m_step.empty()) {
        Store(new myTreeCommand(m_editor, std::move(m_step), m_stepUndo, m_stepRedo));
    }
    m_step.clear();
}

void myEditHistory::Record(const ivTreeEdit& edit) {
    if (m_inStep) {
        m_step.push_back(edit);
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
    if (command != nullptr && !command->MenuText(false).empty()) {
        return command->MenuText(false);
    }
    return EditMenuText(command != nullptr ? &command->Edit() : nullptr, false);
}

std::string myEditHistory::GetRedoName() const {
    const myTreeCommand* command = CanRedo() ? Next() : nullptr;
    if (command != nullptr && !command->MenuText(true).empty()) {
        return command->MenuText(true);
    }
    return EditMenuText(command != nullptr ? &command->Edit() : nullptr, true);
}
