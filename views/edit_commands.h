#pragma once

#include "document/edit_history.h"
#include "document/tree_editor.h"

#include <wx/cmdproc.h>

#include <functional>
#include <string>
#include <vector>

// One edit of the document tree as a command, or several made as one step (an import). It is
// stored once the edits have been made, so Do only ever does them again after an undo.
class myTreeCommand : public wxCommand {
public:
    myTreeCommand(ivTreeEditor& editor, ivTreeEdit edit);
    // A step of several edits, named for the menu by the untranslated texts undo and redo.
    myTreeCommand(ivTreeEditor& editor, std::vector<ivTreeEdit> edits, const char* undo,
                  const char* redo);
    bool Do() override;
    bool Undo() override;
    // The first edit: the one whose section the views show after an undo or redo.
    const ivTreeEdit& Edit() const { return m_edits.front(); }
    // "Undo Import Files" and the like for a step of several edits; empty for one edit.
    std::string MenuText(bool redo) const;

private:
    ivTreeEditor& m_editor;
    std::vector<ivTreeEdit> m_edits;
    const char* m_undoText = nullptr;
    const char* m_redoText = nullptr;
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
    // The edits recorded between BeginStep and EndStep are taken back and done again as one,
    // named by the untranslated menu texts undo and redo. A step without edits leaves nothing.
    void BeginStep(const char* undo, const char* redo);
    void EndStep();
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
    // The step being recorded, while one is.
    bool m_inStep = false;
    std::vector<ivTreeEdit> m_step;
    const char* m_stepUndo = nullptr;
    const char* m_stepRedo = nullptr;
    wxCommandProcessor m_processor{kMaxEdits};
    // How many of the commands are done, and how many were when the document was saved; -1
    // once that state cannot come back (an edit replaced the ones taken back after it). Kept
    // here because the processor forgets where it was saved when a new edit drops them all.
    int m_at = 0;
    int m_savedAt = 0;
};
