#include "document/edit_history.h"

#include "core/translate.h"

namespace {

struct EditTexts {
    ivTreeEdit::Kind kind;
    const char* name;
    const char* undo;
    const char* redo;
};

// Whole phrases, so that each language can order its words.
constexpr EditTexts kTexts[] = {
    {ivTreeEdit::Kind::InsertSection, "Insert Section", "Undo Insert Section",
     "Redo Insert Section"},
    {ivTreeEdit::Kind::RemoveSection, "Remove Section", "Undo Remove Section",
     "Redo Remove Section"},
    {ivTreeEdit::Kind::SetAttributes, "Edit Section", "Undo Edit Section", "Redo Edit Section"},
    {ivTreeEdit::Kind::StoreBody, "Text Change", "Undo Text Change", "Redo Text Change"},
    {ivTreeEdit::Kind::MoveSection, "Move Section", "Undo Move Section", "Redo Move Section"},
};

}  // namespace

const char* EditName(const ivTreeEdit& edit) {
    for (const EditTexts& texts : kTexts) {
        if (texts.kind == edit.kind) {
            return texts.name;
        }
    }
    return "";
}

std::string EditMenuText(const ivTreeEdit* edit, bool redo) {
    if (edit != nullptr) {
        for (const EditTexts& texts : kTexts) {
            if (texts.kind == edit->kind) {
                return Translate(redo ? texts.redo : texts.undo);
            }
        }
    }
    return Translate(redo ? "Redo" : "Undo");
}

const char* GroupName(ivEditGroup group) {
    switch (group) {
        case ivEditGroup::Replace:
            return "Replace";
        case ivEditGroup::Import:
            return "Import Files";
        case ivEditGroup::None:
            break;
    }
    return "";
}

std::string GroupMenuText(ivEditGroup group, bool redo) {
    if (group == ivEditGroup::Replace) {
        return Translate(redo ? "Redo Replace" : "Undo Replace");
    }
    if (group == ivEditGroup::Import) {
        return Translate(redo ? "Redo Import Files" : "Undo Import Files");
    }
    return EditMenuText(nullptr, redo);
}
