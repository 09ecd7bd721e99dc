// Finding inside the body: the find dialog, find next, and what the document-wide find uses
// to show a hit.

#include "core/command_ids.h"
#include "core/messages.h"
#include "core/translate.h"
#include "views/text_view.h"

#include <algorithm>

void myTextView::SelectRange(long from, long to, wxRichTextParagraphLayoutBox* box) {
    if (box == nullptr) {
        box = &GetBuffer();
    }
    if (box != GetFocusObject()) {
        SetFocusObject(box, false);
    }
    SetSelection(from, to);
    SetInsertionPoint(to);
    SetSelection(from, to);
    ShowPosition(from);
}

bool myTextView::FindInText(const wxString& text, const myFindOptions& options) {
    FinishLoading();
    const wxRichTextRange selection = SelectionRange();
    const myBodyText body(GetBuffer());
    // Down from the selection's end, up from its start, so that finding again moves on.
    const long from = std::max(
        0L,
        body.IndexOf(GetFocusObject(), options.down ? selection.GetEnd() : selection.GetStart()));
    const auto [start, end] = FindInPositionText(body.Text(), text, from, options);
    const myBodyText::Place place = body.PlaceOf(start, end);
    if (start < 0 || place.box == nullptr) {
        return false;
    }
    SelectRange(place.from, place.to, const_cast<wxRichTextParagraphLayoutBox*>(place.box));
    return true;
}

void myTextView::BindFindCommands() {
    using namespace command_id;
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { ShowFindDialog(); }, kEditFind);
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            if (m_findData.GetFindString().empty()) {
                ShowFindDialog();
            } else {
                FindAgain();
            }
        },
        kEditFindNext);
    for (int id : {kEditFind, kEditFindNext}) {
        Bind(
            wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(IsEnabled()); }, id);
    }
}

void myTextView::ShowFindDialog() {
    if (m_findDialog == nullptr) {
        // What is selected, when it is a word or a few, is what one wants to find.
        const wxString selected = GetStringSelection();
        if (!selected.empty() && selected.length() < 100 && !selected.Contains("\n")) {
            m_findData.SetFindString(selected);
        }
        m_findDialog =
            new wxFindReplaceDialog(this, &m_findData, wxString::FromUTF8(Translate("Find")));
        // The dialog hands its events to the window it belongs to, which is the frame here.
        auto found = [this](wxFindDialogEvent& event) {
            m_findData.SetFindString(event.GetFindString());
            m_findData.SetFlags(event.GetFlags());
            FindAgain();
        };
        m_findDialog->Bind(wxEVT_FIND, found);
        m_findDialog->Bind(wxEVT_FIND_NEXT, found);
        m_findDialog->Bind(wxEVT_FIND_CLOSE, [this](wxFindDialogEvent&) {
            m_findDialog->Destroy();
            m_findDialog = nullptr;
        });
    }
    m_findDialog->Show();
    m_findDialog->Raise();
}

void myTextView::FindAgain() {
    const int flags = m_findData.GetFlags();
    myFindOptions options;
    options.down = (flags & wxFR_DOWN) != 0;
    options.matchCase = (flags & wxFR_MATCHCASE) != 0;
    options.wholeWord = (flags & wxFR_WHOLEWORD) != 0;
    const wxString text = m_findData.GetFindString();
    if (!FindInText(text, options)) {
        ShowMessageBox(wxString::Format(wxString::FromUTF8(Translate("Cannot find \"%s\".")), text)
                           .utf8_string(),
                       kMessageInformation);
    }
}
