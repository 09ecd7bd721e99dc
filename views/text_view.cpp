#include "views/text_view.h"

#include "core/command_ids.h"
#include "core/translate.h"
#include "framework/colour_popup.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/fontdlg.h>
#include <wx/settings.h>
#include <wx/splitter.h>
#include <wx/utils.h>

#include <cctype>

namespace {

myTextView::UrlOpener& Opener() {
    static myTextView::UrlOpener opener = [](const std::string& url) {
        return wxLaunchDefaultBrowser(wxString::FromUTF8(url));
    };
    return opener;
}

// RTF on the clipboard: the name word processors on this desktop offer, and the older one.
const wxDataFormat& RtfFormat() {
    static const wxDataFormat format("text/rtf");
    return format;
}
const wxDataFormat& RtfFormatOld() {
    static const wxDataFormat format("text/richtext");
    return format;
}

// The link a word stands for, or nothing.
wxString LinkOf(const wxString& word) {
    static const char* const kSchemes[] = {"http://", "https://", "ftp://", "mailto:", "file://"};
    const wxString lower = word.Lower();
    for (const char* scheme : kSchemes) {
        if (lower.StartsWith(scheme) && lower.length() > strlen(scheme)) {
            return word;
        }
    }
    if (lower.StartsWith("www.") && lower.length() > 4) {
        return "http://" + word;
    }
    return {};
}

bool EndsWord(int key) {
    return key == WXK_SPACE || key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_TAB ||
           key == ',' || key == ';' || key == ')' || key == '!' || key == '?';
}

}  // namespace

void myTextView::SelectRange(long from, long to) {
    SetSelection(from, to);
    ShowPosition(to);
    ShowPosition(from);
}

myTextView::myTextView(wxWindow* parent, wxWindowID id) : ivRichEditView(parent, id) {
    m_printing = std::make_unique<wxRichTextPrinting>(wxString::FromUTF8(Translate("Print")), this);
    // 720 twips, half an inch, on every side.
    if (wxPageSetupDialogData* setup = m_printing->GetPageSetupData()) {
        setup->SetMarginTopLeft(wxPoint(13, 13));
        setup->SetMarginBottomRight(wxPoint(13, 13));
    }
    // The desktop's interface font for text that names none; colours stay automatic.
    const wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    wxRichTextAttr basic;
    basic.SetFontFaceName(font.GetFaceName());
    basic.SetFontPointSize(font.GetPointSize());
    basic.SetFontFamily(font.GetFamily());
    basic.SetFontWeight(wxFONTWEIGHT_NORMAL);
    basic.SetFontStyle(wxFONTSTYLE_NORMAL);
    basic.SetFontUnderlined(false);
    SetBasicStyle(basic);
    SetFont(font);
    BindCommands();
    Bind(wxEVT_TEXT_URL, &myTextView::OnUrl, this);
    Bind(wxEVT_CHAR, &myTextView::OnChar, this);
    auto changed = [this](wxRichTextEvent& event) {
        event.Skip();
        if (m_changed && IsModified()) {
            m_changed();
        }
    };
    Bind(wxEVT_RICHTEXT_CONTENT_INSERTED, changed);
    Bind(wxEVT_RICHTEXT_CONTENT_DELETED, changed);
    Bind(wxEVT_RICHTEXT_STYLE_CHANGED, changed);
    Disable();
}

myTextView::~myTextView() = default;

void myTextView::SetUrlOpener(UrlOpener opener) {
    Opener() = std::move(opener);
}

void myTextView::SetRTF(const std::string& rtf) {
    ivRichEditView::SetRTF(rtf);
}

void myTextView::SetModified(bool modified) {
    if (modified) {
        MarkDirty();
    } else {
        DiscardEdits();
    }
}

bool myTextView::TakesWithoutFocus(int id) {
    using namespace command_id;
    return (id >= kFormatFont && id <= kFormatHighlight + 2) ||
           (id >= kFormatBold && id <= kFormatParagraphBullets);
}

wxRichTextRange myTextView::SelectionRange() const {
    if (HasSelection()) {
        return GetSelectionRange();
    }
    const long caret = GetInsertionPoint();
    return wxRichTextRange(caret, caret);
}

void myTextView::BindCommands() {
    BindFormatCommands();
    BindColourCommands();
    BindEditCommands();
}

namespace {

// The character format where the caret is, or the one that the selection shares (what
// differs across the selection is left out).
wxRichTextAttr CurrentStyle(wxRichTextCtrl& control) {
    wxRichTextAttr attr;
    if (control.HasSelection()) {
        control.GetStyleForRange(control.GetSelectionRange(), attr);
        return attr;
    }
    control.GetStyle(control.GetAdjustedCaretPosition(control.GetCaretPosition()), attr);
    if (control.IsDefaultStyleShowing()) {
        attr.Apply(control.GetDefaultStyleEx());
    }
    return attr;
}

}  // namespace

void myTextView::BindFormatCommands() {
    using namespace command_id;
    auto on = [this](int id, auto action, auto checked) {
        Bind(
            wxEVT_MENU, [action](wxCommandEvent&) { action(); }, id);
        Bind(
            wxEVT_UPDATE_UI,
            [this, checked](wxUpdateUIEvent& event) {
                event.Enable(IsEnabled());
                event.Check(IsEnabled() && checked());
            },
            id);
    };
    on(
        kFormatBold, [this] { ApplyBoldToSelection(); }, [this] { return IsSelectionBold(); });
    on(
        kFormatItalic, [this] { ApplyItalicToSelection(); },
        [this] { return IsSelectionItalics(); });
    on(
        kFormatUnderline, [this] { ApplyUnderlineToSelection(); },
        [this] { return IsSelectionUnderlined(); });
    const std::pair<int, wxTextAttrAlignment> alignments[] = {
        {kFormatParagraphLeft, wxTEXT_ALIGNMENT_LEFT},
        {kFormatParagraphCenter, wxTEXT_ALIGNMENT_CENTRE},
        {kFormatParagraphRight, wxTEXT_ALIGNMENT_RIGHT}};
    for (const auto& [id, alignment] : alignments) {
        on(
            id, [this, a = alignment] { ApplyAlignmentToSelection(a); },
            [this, a = alignment] { return IsSelectionAligned(a); });
    }
    on(
        kFormatParagraphBullets, [this] { ToggleBullets(); },
        [this] {
            wxRichTextAttr attr;
            GetStyle(GetAdjustedCaretPosition(GetCaretPosition()), attr);
            return attr.HasBulletStyle() && attr.GetBulletStyle() != 0;
        });

    // The font boxes: a choice or a typed entry applies to the selection, and they show what
    // the selection has (an empty size box for mixed sizes).
    auto face = [this](wxCommandEvent& event) {
        if (event.GetString().empty()) {
            return;
        }
        wxRichTextAttr attr;
        attr.SetFontFaceName(event.GetString());
        ApplyCharacter(attr);
        SetFocus();
    };
    auto size = [this](wxCommandEvent& event) {
        long points = 0;
        if (!event.GetString().ToLong(&points) || points < 1 || points > 1638) {
            return;
        }
        wxRichTextAttr attr;
        attr.SetFontPointSize(static_cast<int>(points));
        ApplyCharacter(attr);
        SetFocus();
    };
    Bind(wxEVT_COMBOBOX, face, kFormatFontFace);
    Bind(wxEVT_TEXT_ENTER, face, kFormatFontFace);
    Bind(wxEVT_MENU, face, kFormatFontFace);
    Bind(wxEVT_COMBOBOX, size, kFormatFontSize);
    Bind(wxEVT_TEXT_ENTER, size, kFormatFontSize);
    Bind(wxEVT_MENU, size, kFormatFontSize);
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) {
            event.Enable(IsEnabled());
            const wxRichTextAttr attr = CurrentStyle(*this);
            event.SetText(attr.HasFontFaceName() ? attr.GetFontFaceName() : wxString());
        },
        kFormatFontFace);
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) {
            event.Enable(IsEnabled());
            const wxRichTextAttr attr = CurrentStyle(*this);
            event.SetText(attr.HasFontSize() ? wxString::Format("%d", attr.GetFontSize())
                                             : wxString());
        },
        kFormatFontSize);
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            wxFontData data;
            wxRichTextAttr current = CurrentStyle(*this);
            if (current.HasFont()) {
                data.SetInitialFont(current.GetFont());
            }
            wxFontDialog dialog(this, data);
            if (dialog.ShowModal() != wxID_OK) {
                return;
            }
            const wxFont font = dialog.GetFontData().GetChosenFont();
            wxRichTextAttr attr;
            attr.SetFontFaceName(font.GetFaceName());
            attr.SetFontPointSize(font.GetPointSize());
            attr.SetFontWeight(font.GetWeight());
            attr.SetFontStyle(font.GetStyle());
            attr.SetFontUnderlined(font.GetUnderlined());
            ApplyCharacter(attr);
        },
        kFormatFont);
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(IsEnabled()); },
        kFormatFont);
}

void myTextView::BindColourCommands() {
    using namespace command_id;
    struct Picker {
        int id;
        wxColour myTextView::*colour;
        long flag;
    };
    const Picker pickers[] = {
        {kFormatFontColor, &myTextView::m_fontColour, wxTEXT_ATTR_TEXT_COLOUR},
        {kFormatHighlight, &myTextView::m_highlightColour, wxTEXT_ATTR_BACKGROUND_COLOUR}};
    for (const Picker& picker : pickers) {
        auto apply = [this, picker] {
            wxRichTextAttr attr;
            if (picker.flag == wxTEXT_ATTR_TEXT_COLOUR) {
                attr.SetTextColour(this->*picker.colour);
            } else {
                attr.SetBackgroundColour(this->*picker.colour);
            }
            ApplyCharacter(attr);
        };
        Bind(
            wxEVT_MENU, [apply](wxCommandEvent&) { apply(); }, picker.id);
        Bind(
            wxEVT_MENU, [this, picker](wxCommandEvent&) { RemoveCharacter(picker.flag); },
            picker.id + 1);
        Bind(
            wxEVT_MENU,
            [this, picker, apply](wxCommandEvent& event) {
                if (event.GetInt() == -1) {
                    RemoveCharacter(picker.flag);
                    return;
                }
                this->*picker.colour = ivColourPopup::FromColourRef(event.GetInt());
                apply();
            },
            picker.id + 2);
        for (int offset = 0; offset < 3; ++offset) {
            Bind(
                wxEVT_UPDATE_UI,
                [this, picker, offset](wxUpdateUIEvent& event) {
                    event.Enable(IsEnabled());
                    if (offset == 1) {
                        const wxRichTextAttr attr = CurrentStyle(*this);
                        event.Check((attr.GetFlags() & picker.flag) == 0);
                    }
                },
                picker.id + offset);
        }
    }
}

void myTextView::BindEditCommands() {
    using namespace command_id;
    auto on = [this](int id, auto action, auto enabled) {
        Bind(
            wxEVT_MENU, [action](wxCommandEvent&) { action(); }, id);
        Bind(
            wxEVT_UPDATE_UI,
            [this, enabled](wxUpdateUIEvent& event) { event.Enable(IsEnabled() && enabled()); },
            id);
    };
    auto always = [] { return true; };
    on(
        kEditDelete, [this] { DeleteForward(); }, always);
    on(
        kEditCut, [this] { CopyToClipboard(true); }, [this] { return CanCut(); });
    on(
        kEditCopy, [this] { CopyToClipboard(false); }, [this] { return CanCopy(); });
    on(
        kEditPaste, [this] { PasteFromClipboard(); }, [this] { return IsEditable(); });
    for (int id : {kInsertSection, kInsertSectionAbove, kInsertSectionUnder}) {
        on(
            id, [this, id] { HandOverToList(id); }, always);
    }
    on(
        kFilePrint, [this] { m_printing->PrintBuffer(GetBuffer(), true); }, always);
    on(
        kFilePrintDirect, [this] { m_printing->PrintBuffer(GetBuffer(), false); }, always);
    on(
        kFilePrintPreview, [this] { m_printing->PreviewBuffer(GetBuffer()); }, always);
}

void myTextView::ApplyCharacter(const wxRichTextAttr& attr) {
    if (HasSelection()) {
        SetStyleEx(GetSelectionRange(), attr,
                   wxRICHTEXT_SETSTYLE_WITH_UNDO | wxRICHTEXT_SETSTYLE_OPTIMIZE |
                       wxRICHTEXT_SETSTYLE_CHARACTERS_ONLY);
        return;
    }
    // Without a selection the format is for what is typed next.
    wxRichTextAttr style = GetDefaultStyleEx();
    style.Apply(attr);
    SetAndShowDefaultStyle(style);
}

void myTextView::RemoveCharacter(long flags) {
    if (HasSelection()) {
        wxRichTextAttr attr;
        attr.SetFlags(flags);
        SetStyleEx(GetSelectionRange(), attr,
                   wxRICHTEXT_SETSTYLE_WITH_UNDO | wxRICHTEXT_SETSTYLE_REMOVE |
                       wxRICHTEXT_SETSTYLE_CHARACTERS_ONLY);
        return;
    }
    wxRichTextAttr style = GetDefaultStyleEx();
    style.SetFlags(style.GetFlags() & ~flags);
    SetAndShowDefaultStyle(style);
}

void myTextView::ToggleBullets() {
    wxRichTextRange range = SelectionRange();
    wxRichTextAttr current;
    GetStyle(range.GetStart(), current);
    const bool on = current.HasBulletStyle() && current.GetBulletStyle() != 0;
    if (!HasSelection()) {
        wxRichTextParagraph* para = GetFocusObject()->GetParagraphAtPosition(range.GetStart());
        if (para == nullptr) {
            return;
        }
        range = para->GetRange();
    }
    wxRichTextAttr attr;
    if (on) {
        attr.SetBulletStyle(wxTEXT_ATTR_BULLET_STYLE_NONE);
        attr.SetLeftIndent(0, 0);
    } else {
        attr.SetBulletStyle(wxTEXT_ATTR_BULLET_STYLE_STANDARD);
        attr.SetBulletName(wxT("standard/circle"));
        attr.SetLeftIndent(kListIndentStep, kListIndentStep);
    }
    SetStyleEx(range, attr, wxRICHTEXT_SETSTYLE_WITH_UNDO | wxRICHTEXT_SETSTYLE_PARAGRAPHS_ONLY);
}

void myTextView::DeleteForward() {
    if (!IsEditable()) {
        return;
    }
    if (HasSelection()) {
        DeleteSelection();
        return;
    }
    const long caret = GetInsertionPoint();
    if (caret < GetLastPosition()) {
        Remove(caret, caret + 1);
    }
}

void myTextView::HandOverToList(int id) {
    auto* splitter = dynamic_cast<wxSplitterWindow*>(GetParent());
    if (splitter == nullptr) {
        return;
    }
    wxWindow* list =
        splitter->GetWindow1() == this ? splitter->GetWindow2() : splitter->GetWindow1();
    if (list == nullptr) {
        return;
    }
    list->SetFocus();
    wxQueueEvent(list, new wxCommandEvent(wxEVT_MENU, id));
}

void myTextView::OnUrl(wxTextUrlEvent& event) {
    // A plain click on a link only places the caret; Ctrl+click opens it.
    if (!event.GetMouseEvent().ControlDown() && !wxGetKeyState(WXK_CONTROL)) {
        event.Skip();
        return;
    }
    const std::string url(event.GetString().utf8_str());
    if (!url.empty()) {
        Opener()(url);
    }
}

void myTextView::OnChar(wxKeyEvent& event) {
    if (event.ControlDown() && !event.AltDown()) {
        const int key = event.GetKeyCode();
        // Ctrl+Z arrives as its control character.
        if ((key == 26 || key == 'Z' || key == 'z') && !event.ShiftDown()) {
            Undo();
            return;
        }
        if (key == 25 || key == 'Y' || key == 'y' ||
            ((key == 26 || key == 'Z' || key == 'z') && event.ShiftDown())) {
            Redo();
            return;
        }
    }
    if (EndsWord(event.GetKeyCode()) && IsEditable()) {
        DetectUrlBeforeCaret();
    }
    event.Skip();
}

void myTextView::DetectUrlBeforeCaret() {
    const long caret = GetInsertionPoint();
    if (HasSelection() || caret <= 0) {
        return;
    }
    const long lineStart = std::max(0L, caret - 2048);
    const wxString before = GetRange(lineStart, caret);
    size_t start = before.length();
    while (start > 0 && !wxIsspace(before[start - 1]) && before[start - 1] != '(' &&
           before[start - 1] != wxRichTextLineBreakChar) {
        --start;
    }
    wxString word = before.Mid(start);
    while (!word.empty() && wxString(".:").Contains(word.Last())) {
        word.RemoveLast();  // sentence punctuation after the address
    }
    const wxString link = LinkOf(word);
    if (link.empty()) {
        return;
    }
    const long from = lineStart + static_cast<long>(start);
    wxRichTextAttr existing;
    if (GetStyle(from, existing) && existing.HasURL()) {
        return;
    }
    wxRichTextAttr previous = GetDefaultStyleEx();
    wxRichTextAttr attr;
    attr.SetURL(link);
    attr.SetTextColour(wxColour(0x00, 0x00, 0xFF));
    attr.SetFontUnderlined(true);
    SetStyleEx(wxRichTextRange(from, from + static_cast<long>(word.length())), attr,
               wxRICHTEXT_SETSTYLE_WITH_UNDO | wxRICHTEXT_SETSTYLE_CHARACTERS_ONLY);
    // What follows the address is typed as before it.
    previous.SetFlags(previous.GetFlags() & ~wxTEXT_ATTR_URL);
    SetAndShowDefaultStyle(previous);
}

void myTextView::CopyToClipboard(bool cut) {
    if (!HasSelection()) {
        return;
    }
    const std::string rtf = GetRangeRTF(GetSelectionRange());
    auto* data = new wxDataObjectComposite;
    data->Add(new wxTextDataObject(GetStringSelection()), true);
    for (const wxDataFormat* format : {&RtfFormat(), &RtfFormatOld()}) {
        auto* custom = new wxCustomDataObject(*format);
        custom->SetData(rtf.size(), rtf.data());
        data->Add(custom);
    }
    if (!wxTheClipboard->Open()) {
        delete data;
        return;
    }
    wxTheClipboard->SetData(data);
    wxTheClipboard->Close();
    if (cut && IsEditable()) {
        DeleteSelection();
    }
}

void myTextView::PasteFromClipboard() {
    if (!IsEditable() || !wxTheClipboard->Open()) {
        return;
    }
    std::string rtf;
    for (const wxDataFormat* format : {&RtfFormat(), &RtfFormatOld()}) {
        if (rtf.empty() && wxTheClipboard->IsSupported(*format)) {
            wxCustomDataObject custom(*format);
            if (wxTheClipboard->GetData(custom)) {
                rtf.assign(static_cast<const char*>(custom.GetData()), custom.GetSize());
            }
        }
    }
    wxTheClipboard->Close();
    if (!rtf.empty()) {
        InsertRTF(rtf);
        return;
    }
    Paste();  // the control's own formats and plain text
}
