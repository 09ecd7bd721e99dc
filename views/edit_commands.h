#pragma once

#include "document/edit_history.h"
#include "document/tree_editor.h"

#include <wx/cmdproc.h>

#include <functional>
#include <string>
#include <vector>

// One edit of the document tree, or several taken back as one, as a command. It is stored
// once the edits have been made, so Do only ever does them again after an undo.
class myTreeCommand : public wxCommand {
public:
    myTreeCommand(ivTreeEditor& editor, ivTreeEdit edit);
    // Edits made together; kind names them in the menu ("Replace").
    myTreeCommand(ivTreeEditor& editor, std::vector<ivTreeEdit> edits, ivEditGroup kind);
    bool Do() override;
    bool Undo() override;
    // The first edit, whose section the views show after a replay.
    const ivTreeEdit& Edit() const { return m_edits.front(); }
    std::string MenuText(bool redo) const;

private:
    ivTreeEditor& m_editor;
    std::vector<ivTreeEdit> m_edits;
    ivEditGroup m_group = ivEditGroup::None;
};

// The tree edits of one document on a wxCommandProcessor, with the point of the last save.
class myEditHistory : public ivEditHistory {
public:
    // Enough to take back a long session; a stored body costs its text twice.
    static constexpr int kMaxEdits = 1000;

    // changed is called after every undo and redo, once the history has moved.
    myEditHistory(ivTreeEditor& editor, std::function<void()> changed);

    // An edit just made through the editor; the edits taken back before it are dropped.
    void Record(const ivTreeEdit& edit);
    // The edits recorded from BeginGroup to EndGroup are one step of the history, of kind.
    void BeginGroup(ivEditGroup kind);
    void EndGroup();
    // The document as it is now is the saved one.
    void MarkSaved() { m_savedAt = m_at; }
    // Whether undo or redo has brought the tree back to what was saved last.
    bool IsAtSavePoint() const { return m_savedAt == m_at; }
    void Clear();
    wxCommandProcessor& Processor() { return m_processor; }

    bool CanUndo() const override { return m_processor.CanUndo(); }
    bool CanRedo() const override { return m_processor.CanRedo(); }
    bool Undo(ivTreeEdit* done) override;
    bool Redo(ivTreeEdit* done) override;
    std::string GetUndoName() const override;
    std::string GetRedoName() const override;

private:
    const myTreeCommand* Current() const;
    const myTreeCommand* Next() const;
    void Store(myTreeCommand* command);

    ivTreeEditor& m_editor;
    std::function<void()> m_changed;
    wxCommandProcessor m_processor{kMaxEdits};
    // How many of the commands are done, and how many were when the document was saved; -1
    // once that state cannot come back (an edit replaced the ones taken back after it). Kept
    // here because the processor forgets where it was saved when a new edit drops them all.
    int m_at = 0;
    int m_savedAt = 0;
    // While a group is open: its kind and the edits recorded so far.
    ivEditGroup m_group = ivEditGroup::None;
    std::vector<ivTreeEdit> m_grouped;
};
