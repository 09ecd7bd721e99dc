#pragma once

#include "framework/rich_text_adapter.h"

#include <wx/richtext/richtextctrl.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

class ivPictureDrawings;

// A rich text view whose whole content is loaded and saved as RTF through the program's own
// RTF reader and writer. Content the control cannot show travels through it unchanged, and a
// body that was not edited comes back exactly as it was given.
class ivRichEditView : public wxRichTextCtrl, private ivPictureDrawer {
public:
    ivRichEditView(wxWindow* parent, wxWindowID id);
    ~ivRichEditView() override;

    // Replaces the whole content; the caret goes to the start, undo history and modified flag
    // are cleared. A large body shows its first screens at once and takes in the rest while
    // the program is idle.
    virtual void SetRTF(const std::string& rtf);
    // The whole content as RTF: the text last given while nothing was changed since.
    virtual std::string GetRTF();

    // The RTF of a range of the content (for the clipboard).
    std::string GetRangeRTF(const wxRichTextRange& range);
    // Inserts RTF, or a document read from elsewhere, at the caret, replacing the selection,
    // as one undoable step.
    void InsertRTF(const std::string& rtf);
    void InsertDocument(const rtf::Document& document);

    // Whether part of the body given last is still waiting to be taken into the control, and
    // taking all of it in now (before what needs the whole text: select all, find, print).
    bool IsLoading() const { return m_pending != nullptr; }
    void FinishLoading();

    // Whether "/ForceOldRichEdit" chose the plainer control (no selection margin).
    bool IsOldControl() const { return m_oldControl; }

    // Selecting beyond what is loaded (or everything) takes the rest of the body in first.
    void SetSelection(long from, long to) override;

protected:
    // Lays the buffer out on a measuring device that knows the screen resolution up front.
    void DoLayoutBuffer(wxRichTextBuffer& buffer, wxDC& dc, wxRichTextDrawingContext& context,
                        const wxRect& rect, const wxRect& parentRect, int flags) override;

private:
    // Moves paragraphs worth about weight characters from the waiting part into the control
    // and lays out only those.
    void LoadMore(long weight);
    // Moves paragraphs worth about weight characters from the waiting part to the buffer.
    void MovePending(long weight);
    void OnIdle(wxIdleEvent& event);
    // Keys that move towards the end of what is loaded bring the rest closer.
    void OnKeyDown(wxKeyEvent& event);

    // Adds what fragment's placeholders and pictures refer to in carry to this view's own
    // carry, so that they can live in this buffer.
    void AdoptCarry(wxRichTextParagraphLayoutBox& fragment, const ivRichTextCarry& carry);

    // Metafile pictures show a frame until their drawing comes in (see picture_drawings.h).
    bool Draw(const rtf::Picture& picture, int width, int height, std::string& png,
              std::string& key) override;
    const std::string& Frame(int width, int height);
    void ShowDrawings();

    ivRichTextCarry m_carry;
    std::shared_ptr<ivPictureDrawings> m_drawings;
    int m_drawingsListener = 0;
    std::map<std::pair<int, int>, std::string> m_frames;
    // The paragraphs of the body not yet in the control, sharing m_carry with it.
    std::unique_ptr<wxRichTextBuffer> m_pending;
    std::string m_rtf;
    bool m_oldControl = false;
};
