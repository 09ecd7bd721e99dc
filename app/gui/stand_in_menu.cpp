#include "app/gui/stand_in_menu.h"

#include "core/command_ids.h"
#include "core/translate.h"
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

}  // namespace

void BuildStandInMenu(ivMDIParentFrame& frame, ivDocManager& docManager) {
    using namespace command_id;
    auto* file = new wxMenu;
    file->Append(kFileNew, Caption("&New...", "Ctrl+N"));
    file->Append(kFileOpen, Caption("&Open...", "Ctrl+O"));
    file->Append(kFileSave, Caption("&Save", "Ctrl+S"));
    file->Append(kFileSaveAs, Caption("Save &As..."));
    auto* recent = new wxMenu;
    file->AppendSubMenu(recent, Caption("Recent Files"));
    docManager.FileHistoryUseMenu(recent);
    docManager.FileHistoryAddFilesToMenu(recent);
    file->AppendSeparator();
    file->Append(kAppExit, Caption("E&xit"));

    auto* help = new wxMenu;
    help->Append(kHelp, Caption("Help", "F1"));
    help->Append(kHelpIndex, Caption("Index"));
    help->Append(kContextHelp, Caption("Contexthelp", "Shift+F1"));
    help->AppendSeparator();
    help->Append(kAppTips, Caption("Tips and Tricks..."));
    help->AppendSeparator();
    help->Append(kAppOnline, Caption("Visit on web..."));
    help->Append(kAppUpdate, Caption("Check for updates..."));
    help->AppendSeparator();
    help->Append(kAppAbout, Caption("Info about..."));

    auto* bar = new wxMenuBar;
    bar->Append(file, Caption("&File"));
    bar->Append(help, Caption("&Help"));
    frame.SetMenuBar(bar);
}
