#pragma once

#include "document/tree_editor.h"

#include <string>

// The edits of a document that can be taken back, the newest last.
class ivEditHistory {
public:
    virtual ~ivEditHistory() = default;
    virtual bool CanUndo() const = 0;
    virtual bool CanRedo() const = 0;
    // Takes back the newest edit, or does the one taken back last again; done receives what
    // was replayed, so that the views can show its section.
    virtual bool Undo(ivTreeEdit* done) = 0;
    virtual bool Redo(ivTreeEdit* done) = 0;
    // Menu texts naming what would be taken back or done again ("Undo Remove Section"),
    // translated; "Undo" or "Redo" alone when there is nothing.
    virtual std::string GetUndoName() const = 0;
    virtual std::string GetRedoName() const = 0;
};

// Several edits taken back as one step, named by what made them.
enum class ivEditGroup { None, Replace, Import };

// The translated menu text for taking back (or, with redo, doing again) an edit of this kind;
// none gives the bare word.
std::string EditMenuText(const ivTreeEdit* edit, bool redo);
// The untranslated name of an edit ("Remove Section").
const char* EditName(const ivTreeEdit& edit);
// The same for a group of edits ("Undo Replace").
std::string GroupMenuText(ivEditGroup group, bool redo);
const char* GroupName(ivEditGroup group);
