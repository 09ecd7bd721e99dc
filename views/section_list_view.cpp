#include "views/section_list_view.h"

#include "core/command_ids.h"
#include "core/translate.h"
#include "framework/command_images.h"
#include "framework/report_ctrl.h"
#include "views/document_find.h"
#include "views/replace_dialog.h"
#include "views/text_view.h"

#include <wx/dataobj.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/splitter.h>
#include <wx/utils.h>

#include <algorithm>

wxIMPLEMENT_DYNAMIC_CLASS(myReportView, ivReportView);

myReportView::myReportView() : m_list(*this, this) {
    BindCommands();
}

myReportView::~myReportView() = default;

void myReportView::BindCommands() {
    using namespace command_id;
    auto on = [this](int id, auto action) {
        Bind(
            wxEVT_MENU, [action](wxCommandEvent&) { action(); }, id);
    };
    on(kEditDelete, [this] { m_list.RemoveSection(false); });
    on(kViewExpand, [this] {
        if (m_list.IsSectionFocused()) {
            ExpandFocused();
        }
    });
    on(kViewCollapse, [this] {
        if (m_list.IsSectionFocused()) {
            CollapseFocused();
        }
    });
    on(kViewExpandAll, [this] { ExpandAll(); });
    on(kViewCollapseAll, [this] { CollapseAll(); });
    on(kInsertSection, [this] { m_list.InsertSection(mySectionList::kInsertBeside); });
    on(kInsertSectionAbove, [this] { m_list.InsertSection(mySectionList::kInsertAbove); });
    on(kInsertSectionUnder, [this] { m_list.InsertSection(mySectionList::kInsertUnder); });

    auto enable = [this](int id, auto when) {
        Bind(
            wxEVT_UPDATE_UI, [when](wxUpdateUIEvent& event) { event.Enable(when()); }, id);
    };
    auto onSection = [this] { return m_list.IsSectionFocused(); };
    enable(kEditDelete, onSection);
    enable(kViewExpand, onSection);
    enable(kViewCollapse, onSection);
    // The clipboard does not carry sections.
    for (int id : {kEditCut, kEditCopy, kEditPaste}) {
        enable(id, [] { return false; });
    }
    BindMoveAndUndoCommands();
    BindFindCommands();
}

void myReportView::BindFindCommands() {
    using namespace command_id;
    Bind(
        wxEVT_TEXT,
        [this](wxCommandEvent& event) {
            if (m_find) {
                m_find->Search(event.GetString().utf8_string());
            }
        },
        kEditFindQuick);
    // Enter in the box goes to the next hit.
    Bind(
        wxEVT_TEXT_ENTER,
        [this](wxCommandEvent&) {
            if (m_find) {
                m_find->Next(true);
            }
        },
        kEditFindQuick);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { ReplaceInDocument(); }, kEditReplace);
    Bind(
        wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(true); }, kEditReplace);
}

bool myReportView::TakeFindStep(wxEvent& event) {
    using namespace command_id;
    const int id = event.GetId();
    if ((id != kEditFindNext && id != kEditFindPrevious) || !m_find || !m_find->HasHits()) {
        return false;
    }
    if (event.GetEventType() == wxEVT_UPDATE_UI) {
        static_cast<wxUpdateUIEvent&>(event).Enable(true);
        return true;
    }
    if (event.GetEventType() == wxEVT_MENU) {
        m_find->Next(id == kEditFindNext);
        return true;
    }
    return false;
}

void myReportView::SetFindWindows(myTextView* text, myFindResultsPane* results,
                                  std::function<void(bool)> showResults) {
    if (m_find) {
        m_find->SetWindows(text, results, std::move(showResults));
    }
}

void myReportView::ReplaceInDocument() {
    auto* document = dynamic_cast<myDomainFile*>(GetDocument());
    ivReportCtrl* control = GetControl();
    if (document == nullptr || control == nullptr) {
        return;
    }
    // The body being typed is replaced in too.
    m_list.SyncText();
    myReplaceDialog dialog(wxGetTopLevelParent(control), *document,
                           m_find ? m_find->Query() : std::string(), [this] { AfterReplace(); });
    dialog.ShowModal();
}

void myReportView::BindMoveAndUndoCommands() {
    using namespace command_id;
    using Direction = ivTreeEditor::Direction;
    const std::pair<int, Direction> moves[] = {{kSectionMoveUp, Direction::Up},
                                               {kSectionMoveDown, Direction::Down},
                                               {kSectionMoveOut, Direction::Out},
                                               {kSectionMoveIn, Direction::In}};
    for (const auto& [id, direction] : moves) {
        Bind(
            wxEVT_MENU,
            [this, direction = direction](wxCommandEvent&) {
                m_list.MoveSection(direction);
                FocusList();
            },
            id);
        Bind(
            wxEVT_UPDATE_UI,
            [this, direction = direction](wxUpdateUIEvent& event) {
                event.Enable(m_list.CanMoveSection(direction));
            },
            id);
    }
    const auto replay = [this](bool redo) {
        return [this, redo](wxCommandEvent&) {
            if (!ListHasFocus()) {
                // The focused window's own undo, as its context menu would give it.
                if (wxWindow* focus = wxWindow::FindFocus()) {
                    wxCommandEvent own(wxEVT_MENU, redo ? wxID_REDO : wxID_UNDO);
                    own.SetEventObject(focus);
                    focus->GetEventHandler()->ProcessEvent(own);
                }
                return;
            }
            redo ? m_list.Redo() : m_list.Undo();
        };
    };
    Bind(wxEVT_MENU, replay(false), kEditUndo);
    Bind(wxEVT_MENU, replay(true), kEditRedo);
    const auto state = [this](bool redo) {
        return [this, redo](wxUpdateUIEvent& event) {
            event.Enable(!ListHasFocus() || (redo ? m_list.CanRedo() : m_list.CanUndo()));
        };
    };
    Bind(wxEVT_UPDATE_UI, state(false), kEditUndo);
    Bind(wxEVT_UPDATE_UI, state(true), kEditRedo);
}

bool myReportView::OnCreate(wxDocument* doc, long flags) {
    // Made first: the document window hands it its windows while the view is created.
    if (auto* document = dynamic_cast<myDomainFile*>(doc)) {
        m_find = std::make_unique<myDocumentFind>(*document, m_list);
    }
    if (!ivReportView::OnCreate(doc, flags)) {
        return false;
    }
    if (ivReportCtrl* control = GetControl()) {
        BindControl(*control);
    }
    return true;
}

void myReportView::AfterReplace() {
    // Titles and bodies changed past the list: its rows and the body shown come afresh, and
    // the list has the focus, so that Undo takes the whole replacement back.
    m_list.ShowEditedSections({});
    FocusList();
    if (m_find && !m_find->Query().empty()) {
        m_find->Search(m_find->Query());
    }
}

bool myReportView::ListHasFocus() const {
    const ivReportCtrl* control = GetControl();
    for (const wxWindow* focus = wxWindow::FindFocus(); focus != nullptr;
         focus = focus->GetParent()) {
        if (focus == control) {
            // A cell being edited keeps its own undo for what is typed in it.
            return dynamic_cast<const wxTextCtrl*>(wxWindow::FindFocus()) == nullptr;
        }
    }
    return false;
}

void myReportView::NameUndoEntries() {
    ivReportCtrl* control = GetControl();
    auto* frame =
        control != nullptr ? dynamic_cast<wxFrame*>(wxGetTopLevelParent(control)) : nullptr;
    wxMenuBar* bar = frame != nullptr ? frame->GetMenuBar() : nullptr;
    if (bar == nullptr) {
        return;
    }
    const bool list = ListHasFocus();
    for (const bool redo : {false, true}) {
        wxMenuItem* item = bar->FindItem(redo ? command_id::kEditRedo : command_id::kEditUndo);
        if (item == nullptr) {
            continue;
        }
        wxString label =
            wxString::FromUTF8(list ? (redo ? m_list.GetRedoName() : m_list.GetUndoName())
                                    : Translate(redo ? "&Redo" : "&Undo"));
        const wxString now = item->GetItemLabel();
        if (now.Contains('\t')) {
            label << '\t' << now.AfterFirst('\t');
        }
        if (label != now) {
            item->SetItemLabel(label);
        }
    }
}

void myReportView::BindControl(ivReportCtrl& control) {
    // The Edit menu names what Undo and Redo would do. Named while the menu is closed, since
    // an open menu keeps the width it opened with; the shortcut after the tab stays.
    control.Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
        event.Skip();
        NameUndoEntries();
    });
    control.Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        CallAfter([this] { NameUndoEntries(); });
    });
    control.EnableDragSource(wxDF_UNICODETEXT);
    control.EnableDropTarget(wxDF_UNICODETEXT);
    control.Bind(wxEVT_DATAVIEW_ITEM_BEGIN_DRAG, [this](wxDataViewEvent& event) {
        const CXTPReportRecordEx* record = ivReportCtrl::RecordOf(event.GetItem());
        const ivReportItem* idItem =
            record != nullptr ? record->GetItem(FindColumn(section_column::kId)) : nullptr;
        if (idItem == nullptr || idItem->GetString().empty()) {
            event.Veto();  // the document row stays where it is
            return;
        }
        event.SetDataObject(new wxTextDataObject(wxString::FromUTF8(idItem->GetString())));
        event.SetDragFlags(wxDrag_DefaultMove);
    });
    control.Bind(wxEVT_DATAVIEW_ITEM_DROP_POSSIBLE, [](wxDataViewEvent& event) {
        if (event.GetDataFormat() != wxDF_UNICODETEXT) {
            event.Veto();
        }
    });
    control.Bind(wxEVT_DATAVIEW_ITEM_DROP, &myReportView::OnDrop, this);
    control.Bind(wxEVT_DATAVIEW_ITEM_CONTEXT_MENU, [this, &control](wxDataViewEvent& event) {
        if (CXTPReportRecordEx* record = ivReportCtrl::RecordOf(event.GetItem())) {
            Model().SetFocusedRecord(record);
        }
        // Where the pointer is; from the keyboard's menu key that is beside the list.
        ShowContextMenu(control.ScreenToClient(wxGetMousePosition()));
    });
    // Ctrl+Shift+Z does again what Ctrl+Z took back, beside the table's Ctrl+Y.
    control.Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
        if (event.GetModifiers() == (wxMOD_CONTROL | wxMOD_SHIFT) &&
            (event.GetKeyCode() == 'Z' || event.GetKeyCode() == 'z')) {
            m_list.Redo();
            return;
        }
        event.Skip();
    });
}

void myReportView::OnDrop(wxDataViewEvent& event) {
    wxTextDataObject text;
    if (event.GetDataFormat() != wxDF_UNICODETEXT ||
        !text.SetData(wxDF_UNICODETEXT, event.GetDataSize(), event.GetDataBuffer())) {
        event.Veto();
        return;
    }
    const std::string id = text.GetText().utf8_string();
    const int idColumn = FindColumn(section_column::kId);
    const auto idOf = [idColumn](const CXTPReportRecordEx* record) {
        const ivReportItem* item = record != nullptr ? record->GetItem(idColumn) : nullptr;
        return item != nullptr ? item->GetString() : std::string();
    };
    // The row under the pointer decides, as the user sees it: its middle takes the section
    // as its last child, its upper or lower quarter puts it before or after. (The toolkit's
    // own drop row is off by the header's height on this platform.)
    ivReportCtrl* control = GetControl();
    wxWindow* rows = control != nullptr ? control->GetMainWindow() : nullptr;
    if (rows == nullptr) {
        event.Veto();
        return;
    }
    const wxPoint at = rows->ScreenToClient(wxGetMousePosition());
    wxDataViewItem item;
    wxDataViewColumn* column = nullptr;
    control->HitTest(at, item, column);
    CXTPReportRecordEx* target = ivReportCtrl::RecordOf(item);
    using Place = mySectionList::DropPlace;
    std::string targetId;
    Place place = Place::On;
    if (target != nullptr) {
        targetId = idOf(target);
        const wxRect rect = control->GetItemRect(item, column);
        const int quarter = std::max(1, rect.height / 4);
        place = at.y < rect.y + quarter                  ? Place::Before
                : at.y >= rect.y + rect.height - quarter ? Place::After
                                                         : Place::On;
    }
    // Below the last row (no target): the last section at the top level. The rows move once
    // the toolkit is done with the drop, which still holds on to them.
    control->CallAfter([this, id, targetId, place] {
        if (m_list.DropSection(id, targetId, place)) {
            FocusList();
        }
    });
}

void myReportView::ShowContextMenu(const wxPoint& where) {
    using namespace command_id;
    ivReportCtrl* control = GetControl();
    if (control == nullptr) {
        return;
    }
    wxMenu menu;
    const auto add = [&](int id, const char* caption, bool enabled) {
        auto* item = new wxMenuItem(&menu, id, wxString::FromUTF8(Translate(caption)));
        item->SetBitmap(GetCommandImage(id));
        menu.Append(item);
        item->Enable(enabled);
    };
    using Direction = ivTreeEditor::Direction;
    const bool section = m_list.IsSectionFocused();
    add(kInsertSection, "Section", true);
    add(kInsertSectionUnder, "Section under", true);
    add(kEditDelete, "Delete", section);
    menu.AppendSeparator();
    add(kSectionMoveUp, "Move Section &Up", m_list.CanMoveSection(Direction::Up));
    add(kSectionMoveDown, "Move Section &Down", m_list.CanMoveSection(Direction::Down));
    add(kSectionMoveOut, "Move Section &Out", m_list.CanMoveSection(Direction::Out));
    add(kSectionMoveIn, "Move Section &In", m_list.CanMoveSection(Direction::In));
    menu.AppendSeparator();
    auto* undo = new wxMenuItem(&menu, kEditUndo, wxString::FromUTF8(m_list.GetUndoName()));
    undo->SetBitmap(GetCommandImage(kEditUndo));
    menu.Append(undo);
    undo->Enable(m_list.CanUndo());
    auto* redo = new wxMenuItem(&menu, kEditRedo, wxString::FromUTF8(m_list.GetRedoName()));
    redo->SetBitmap(GetCommandImage(kEditRedo));
    menu.Append(redo);
    redo->Enable(m_list.CanRedo());
    const int chosen = control->GetPopupMenuSelectionFromUser(menu, where);
    if (chosen == wxID_NONE) {
        return;
    }
    // The command goes the way a menu's would, so the list handles it as it does those.
    wxCommandEvent command(wxEVT_MENU, chosen);
    control->SetFocus();
    ProcessEvent(command);
}

bool myReportView::TryBefore(wxEvent& event) {
    if (TakeFindStep(event)) {
        return true;
    }
    const wxEventType type = event.GetEventType();
    if (m_textWindow != nullptr && event.GetEventObject() != m_textWindow &&
        (event.IsCommandEvent() || type == wxEVT_UPDATE_UI)) {
        const bool focused = m_textWindow->HasFocus();
        if ((focused || myTextView::TakesWithoutFocus(event.GetId())) &&
            m_textWindow->ProcessWindowEventLocally(event)) {
            return true;
        }
    }
    return ivReportView::TryBefore(event);
}

void myReportView::RequestRefresh() {
    if (ivReportCtrl* control = GetControl()) {
        wxQueueEvent(control, new wxCommandEvent(wxEVT_MENU, command_id::kViewRefresh));
    }
}

void myReportView::ActivateNextPane() {
    ivReportCtrl* control = GetControl();
    auto* splitter =
        control != nullptr ? dynamic_cast<wxSplitterWindow*>(control->GetParent()) : nullptr;
    if (splitter == nullptr) {
        return;
    }
    wxWindow* next =
        splitter->GetWindow1() == control ? splitter->GetWindow2() : splitter->GetWindow1();
    if (next != nullptr && next->IsEnabled()) {
        next->SetFocus();
    }
}

void myReportView::FocusList() {
    ivReportCtrl* control = GetControl();
    if (control != nullptr && !control->HasFocus()) {
        control->SetFocus();
    }
}
