#include "views/section_link_command.h"

#include "core/command_ids.h"
#include "core/translate.h"
#include "document/iv_xml.h"
#include "document/section_link.h"
#include "framework/command_images.h"
#include "views/section_link_dialog.h"
#include "views/section_list_view.h"
#include "views/status_text.h"
#include "views/text_view.h"

#include <wx/menu.h>
#include <wx/utils.h>

namespace {

std::vector<OutlineRow> SectionsOf(myReportView& list) {
    auto* document = dynamic_cast<myDomainFile*>(list.GetDocument());
    ivXML* tree = document != nullptr ? document->GetTree(ivDomain::kDocumentTree) : nullptr;
    if (tree == nullptr || !tree->GoRoot()) {
        return {};
    }
    return BuildOutline(*tree);
}

void PickAndInsert(myReportView& list, myTextView& text) {
    if (!text.IsEnabled() || !text.IsEditable()) {
        return;
    }
    // The body being edited counts: a section made a moment ago is offered too.
    mySectionLinkDialog dialog(wxGetTopLevelParent(&text), SectionsOf(list));
    if (dialog.ShowModal() != wxID_OK || dialog.GetChosen() == nullptr) {
        return;
    }
    const OutlineRow& chosen = *dialog.GetChosen();
    const std::string name = chosen.title.empty() ? chosen.numbering : chosen.title;
    text.SetFocus();
    InsertSectionLink(text, chosen.id, name);
}

void AddToContextMenu(myTextView& text) {
    wxMenu* menu = text.GetContextMenu();
    if (menu == nullptr || menu->FindItem(command_id::kInsertSectionLink) != nullptr) {
        return;
    }
    auto* item = new wxMenuItem(menu, command_id::kInsertSectionLink,
                                wxString::FromUTF8(Translate("Insert link to section...")));
    item->SetBitmap(GetCommandImage(command_id::kInsertSectionLink));
    // With the editing commands, before "Select All" (at the end when there is none).
    size_t at = menu->GetMenuItemCount();
    for (size_t i = 0; i < menu->GetMenuItemCount(); ++i) {
        if (menu->FindItemByPosition(i)->GetId() == wxID_SELECTALL) {
            at = i;
            break;
        }
    }
    menu->Insert(at, item);
    menu->InsertSeparator(at + 1);
}

}  // namespace

void InsertSectionLink(myTextView& text, const std::string& id, const std::string& name) {
    wxRichTextAttr link;
    link.SetURL(wxString::FromUTF8(section_link::Target(id)));
    link.SetTextColour(wxColour(0x00, 0x00, 0xFF));
    link.SetFontUnderlined(true);
    const int flags = wxRICHTEXT_SETSTYLE_WITH_UNDO | wxRICHTEXT_SETSTYLE_CHARACTERS_ONLY;
    if (text.HasSelection()) {
        text.SetStyleEx(text.GetSelectionRange(), link, flags);
        return;
    }
    const wxString shown = wxString::FromUTF8(name);
    if (shown.empty()) {
        return;
    }
    wxRichTextAttr before = text.GetDefaultStyleEx();
    text.BeginBatchUndo(wxString::FromUTF8(Translate("Insert link to section...")));
    const long start = text.GetInsertionPoint();
    text.WriteText(shown);
    text.SetStyleEx(wxRichTextRange(start, start + static_cast<long>(shown.length())), link, flags);
    text.EndBatchUndo();
    // What is typed after the link is no part of it.
    before.SetFlags(before.GetFlags() & ~wxTEXT_ATTR_URL);
    text.SetAndShowDefaultStyle(before);
}

void BindSectionLinkCommands(myReportView& list, myTextView& text) {
    using command_id::kInsertSectionLink;
    AddToContextMenu(text);
    // From the Insert menu the command reaches the list, whichever pane has the focus; from
    // the context menu it comes up from the text view.
    const auto insert = [&list, &text](wxCommandEvent&) { PickAndInsert(list, text); };
    const auto state = [&text](wxUpdateUIEvent& event) {
        event.Enable(text.IsEnabled() && text.IsEditable());
    };
    text.Bind(wxEVT_MENU, insert, kInsertSectionLink);
    text.Bind(wxEVT_UPDATE_UI, state, kInsertSectionLink);
    list.Bind(wxEVT_MENU, insert, kInsertSectionLink);
    list.Bind(wxEVT_UPDATE_UI, state, kInsertSectionLink);

    // Bound after the view's own handler, so it is asked first.
    text.Bind(wxEVT_TEXT_URL, [&list](wxTextUrlEvent& event) {
        const std::string id = section_link::IdOf(event.GetString().utf8_string());
        const bool control = event.GetMouseEvent().ControlDown() || wxGetKeyState(WXK_CONTROL);
        if (id.empty() || !control) {
            event.Skip();
            return;
        }
        // Once the control is done with the click: selecting loads another body into it.
        list.CallAfter([&list, id] {
            if (!list.List().SelectSection(id)) {
                ShowStatusText(Translate("The linked section no longer exists."));
            }
        });
    });
}
