#include "app/gui/stand_in_menu.h"

#include "core/command_ids.h"
#include "core/translate.h"
#include "framework/command_images.h"
#include "framework/doc_manager.h"
#include "framework/mdi_frames.h"

#include <wx/menu.h>

namespace {

wxString Caption(const char* text, const char* shortcut = nullptr) {
    wxString caption = wxString::FromUTF8(Translate(text));
    if (shortcut != nullptr) {
        caption << "\t" << shortcut;
    }
    return caption;
}

// An entry with the command's image, when it has one.
void Add(wxMenu& menu, int id, const char* text, const char* shortcut = nullptr) {
    auto* item = new wxMenuItem(&menu, id, Caption(text, shortcut));
    if (HasCommandImage(id)) {
        item->SetBitmap(GetCommandImage(id));
    }
    menu.Append(item);
}

}  // namespace

void BuildStandInMenu(ivMDIParentFrame& frame, ivDocManager& docManager) {
    using namespace command_id;
    auto* file = new wxMenu;
    Add(*file, kFileNew, "&New...", "Ctrl+N");
    Add(*file, kFileOpen, "&Open...", "Ctrl+O");
    Add(*file, kFileSave, "&Save", "Ctrl+S");
    Add(*file, kFileSaveAs, "Save &As...");
    file->AppendSeparator();
    Add(*file, kFilePrintPreview, "Print Pre&view");
    Add(*file, kFilePrint, "&Print...", "Ctrl+P");
    auto* recent = new wxMenu;
    file->AppendSeparator();
    file->AppendSubMenu(recent, Caption("Recent Files"));
    docManager.FileHistoryUseMenu(recent);
    docManager.FileHistoryAddFilesToMenu(recent);
    file->AppendSeparator();
    Add(*file, kAppExit, "E&xit");

    auto* edit = new wxMenu;
    Add(*edit, kEditCut, "C&ut", "Ctrl+X");
    Add(*edit, kEditCopy, "&Copy", "Ctrl+C");
    Add(*edit, kEditPaste, "&Paste", "Ctrl+V");
    edit->AppendSeparator();
    Add(*edit, kEditDelete, "Delete", "Del");

    auto* view = new wxMenu;
    Add(*view, kViewExpand, "Expand");
    Add(*view, kViewExpandAll, "Expand All");
    Add(*view, kViewCollapse, "Collapse");
    Add(*view, kViewCollapseAll, "Collapse All");
    view->AppendSeparator();
    Add(*view, kViewRefresh, "Refresh", "F5");

    auto* insert = new wxMenu;
    Add(*insert, kInsertSection, "Section", "Ctrl+Enter");
    insert->AppendSeparator();
    Add(*insert, kInsertSectionAbove, "Section above", "Ctrl+Shift+Alt+Enter");
    Add(*insert, kInsertSectionUnder, "Section under", "Ctrl+Alt+Enter");

    auto* help = new wxMenu;
    Add(*help, kHelp, "Help", "F1");
    Add(*help, kHelpIndex, "Index");
    Add(*help, kContextHelp, "Contexthelp", "Shift+F1");
    help->AppendSeparator();
    Add(*help, kAppTips, "Tips and Tricks...");
    help->AppendSeparator();
    Add(*help, kAppOnline, "Visit on web...");
    Add(*help, kAppUpdate, "Check for updates...");
    help->AppendSeparator();
    Add(*help, kAppAbout, "Info about...");

    auto* bar = new wxMenuBar;
    bar->Append(file, Caption("&File"));
    bar->Append(edit, Caption("&Edit"));
    bar->Append(view, Caption("&View"));
    bar->Append(insert, Caption("&Insert"));
    bar->Append(help, Caption("&Help"));
    frame.SetMenuBar(bar);

    // The keypad's Enter inserts as the main Enter does.
    wxAcceleratorEntry keypad[] = {
        {wxACCEL_CTRL, WXK_NUMPAD_ENTER, kInsertSection},
        {wxACCEL_CTRL | wxACCEL_ALT, WXK_NUMPAD_ENTER, kInsertSectionUnder},
        {wxACCEL_CTRL | wxACCEL_ALT | wxACCEL_SHIFT, WXK_NUMPAD_ENTER, kInsertSectionAbove},
    };
    frame.SetAcceleratorTable(wxAcceleratorTable(3, keypad));
}
