#pragma once

#include "framework/rich_edit_view.h"
#include "views/text_find.h"
#include "views/text_view_interface.h"

#include <wx/fdrepdlg.h>
#include <wx/richtext/richtextprint.h>
#include <wx/weakref.h>

#include <functional>
#include <memory>
#include <string>

// The section text view, the right pane of a document window: the body of the section that
// the section list loads into it, with the format, clipboard, print and link commands. It
// does not know sections.
class myTextView : public ivRichEditView, public myTextViewInterface {
public:
    myTextView(wxWindow* parent, wxWindowID id);
    ~myTextView() override;

    // myTextViewInterface
    std::string GetRTF() override { return ivRichEditView::GetRTF(); }
    void SetRTF(const std::string& rtf) override;
    bool IsModified() override { return ivRichEditView::IsModified(); }
    void SetModified(bool modified) override;
    void EnableView(bool enable) override { Enable(enable); }

    // What opens a link that was Ctrl+clicked; the program sets it to its own opener.
    using UrlOpener = std::function<bool(const std::string& url)>;
    static void SetUrlOpener(UrlOpener opener);

    // Called whenever the person changes the text, so that the document shows it is modified.
    void SetChangeListener(std::function<void()> listener) { m_changed = std::move(listener); }

    // The colours that the font colour and highlight buttons apply (0xRRGGBB).
    wxColour GetFontColour() const { return m_fontColour; }
    wxColour GetHighlightColour() const { return m_highlightColour; }

    // Whether a command of id is one this view takes while the section list has the focus.
    static bool TakesWithoutFocus(int id);

    wxRichTextPrinting& Printing() { return *m_printing; }

    // Selects the positions [from, to) of the body, or of a box inside it (a table cell), and
    // scrolls them into view.
    void SelectRange(long from, long to, wxRichTextParagraphLayoutBox* box = nullptr);
    // Finds text from the caret or the selection on, going round the end once, and selects
    // it; false when the body does not hold it. Shows nothing itself.
    bool FindInText(const wxString& text, const myFindOptions& options);

private:
    void BindCommands();
    void BindFormatCommands();
    void BindColourCommands();
    void BindEditCommands();
    void BindFindCommands();
    void ShowFindDialog();
    // Finds what the find dialog holds; tells the person when it is not there.
    void FindAgain();
    void ApplyCharacter(const wxRichTextAttr& attr);
    void RemoveCharacter(long flags);
    void ToggleBullets();
    void DeleteForward();
    void HandOverToList(int id);
    void OnUrl(wxTextUrlEvent& event);
    void OnChar(wxKeyEvent& event);
    void DetectUrlBeforeCaret();
    void CopyToClipboard(bool cut);
    void PasteFromClipboard();
    // The selection, or the caret position as an empty range.
    wxRichTextRange SelectionRange() const;

    wxColour m_fontColour{0xFF, 0x00, 0x00};
    wxColour m_highlightColour{0xFF, 0xFF, 0x00};
    std::unique_ptr<wxRichTextPrinting> m_printing;
    std::function<void()> m_changed;
    wxFindReplaceData m_findData{wxFR_DOWN};
    // Belongs to the frame: it may go before or after this view.
    wxWeakRef<wxFindReplaceDialog> m_findDialog;
};
