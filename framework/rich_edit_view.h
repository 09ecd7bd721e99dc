#pragma once

#include "framework/rich_text_adapter.h"

#include <wx/richtext/richtextctrl.h>

#include <string>

// A rich text view whose whole content is loaded and saved as RTF through the program's own
// RTF reader and writer. Content the control cannot show travels through it unchanged, and a
// body that was not edited comes back exactly as it was given.
class ivRichEditView : public wxRichTextCtrl {
public:
    ivRichEditView(wxWindow* parent, wxWindowID id);

    // Replaces the whole content; the caret goes to the start, undo history and modified flag
    // are cleared.
    virtual void SetRTF(const std::string& rtf);
    // The whole content as RTF: the text last given while nothing was changed since.
    virtual std::string GetRTF();

    // The RTF of a range of the content (for the clipboard).
    std::string GetRangeRTF(const wxRichTextRange& range);
    // Inserts RTF at the caret, replacing the selection, as one undoable step.
    void InsertRTF(const std::string& rtf);

    // Whether "/ForceOldRichEdit" chose the plainer control (no selection margin).
    bool IsOldControl() const { return m_oldControl; }

private:
    // Adds what fragment's placeholders and pictures refer to in carry to this view's own
    // carry, so that they can live in this buffer.
    void AdoptCarry(wxRichTextParagraphLayoutBox& fragment, const ivRichTextCarry& carry);

    ivRichTextCarry m_carry;
    std::string m_rtf;
    bool m_oldControl = false;
};
