#include "views/import_command.h"

#include "core/command_ids.h"
#include "core/messages.h"
#include "core/translate.h"
#include "document/file_import.h"
#include "framework/report_ctrl.h"
#include "views/section_list_view.h"
#include "views/status_text.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>

namespace {

// What the list of skipped files may show before it is cut short.
constexpr size_t kMaxSkippedShown = 12;

std::vector<std::string> AskForFiles(wxWindow* parent) {
    const std::string filter =
        Translate("Documents") + " (*.rtf;*.htm;*.html;*.md;*.markdown;*.txt)|" +
        "*.rtf;*.RTF;*.htm;*.HTM;*.html;*.HTML;*.md;*.MD;*.markdown;*.txt;*.TXT|" +
        Translate("All files") + " (*)|*";
    wxFileDialog dialog(parent, wxString::FromUTF8(Translate("Import Files")), {}, {},
                        wxString::FromUTF8(filter),
                        wxFD_OPEN | wxFD_MULTIPLE | wxFD_FILE_MUST_EXIST);
    std::vector<std::string> paths;
    if (dialog.ShowModal() != wxID_OK) {
        return paths;
    }
    wxArrayString chosen;
    dialog.GetPaths(chosen);
    for (const wxString& path : chosen) {
        paths.push_back(path.utf8_string());
    }
    return paths;
}

std::vector<std::string> AskForFolder(wxWindow* parent) {
    wxDirDialog dialog(parent, wxString::FromUTF8(Translate("Import Folder")), {},
                       wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) {
        return {};
    }
    return {dialog.GetPath().utf8_string()};
}

void ReportSkipped(const std::vector<std::string>& skipped) {
    if (skipped.empty()) {
        return;
    }
    std::string text = Translate("These files were not imported:");
    for (size_t i = 0; i < skipped.size() && i < kMaxSkippedShown; ++i) {
        text += "\n" + skipped[i];
    }
    if (skipped.size() > kMaxSkippedShown) {
        text += "\n" + TranslateFormat("... and %d more",
                                       static_cast<int>(skipped.size() - kMaxSkippedShown));
    }
    ShowMessageBox(text, kMessageWarning);
}

void AskAndImport(myReportView& list, bool folder) {
    wxWindow* parent =
        list.GetControl() != nullptr ? wxGetTopLevelParent(list.GetControl()) : nullptr;
    const std::vector<std::string> paths = folder ? AskForFolder(parent) : AskForFiles(parent);
    if (!paths.empty()) {
        ImportIntoDocument(list, paths);
    }
}

}  // namespace

bool ImportIntoDocument(myReportView& list, const std::vector<std::string>& paths) {
    auto* document = dynamic_cast<myDomainFile*>(list.GetDocument());
    if (document == nullptr || document->GetTreeEditor() == nullptr) {
        return false;
    }
    mySectionList& sections = list.List();
    // The body being typed is stored first, so that taking the import back leaves it.
    sections.SyncText();
    const std::string parentId =
        sections.IsSectionFocused() ? sections.GetCurrentSectionId() : std::string();
    ivImportResult result;
    bool ok = false;
    {
        wxBusyCursor busy;
        myEditHistory& history = document->History();
        history.BeginStep("Undo Import Files", "Redo Import Files");
        ok = ivFileImporter(*document->GetTreeEditor()).Import(paths, parentId, result);
        history.EndStep();
    }
    if (!result.sectionIds.empty()) {
        document->Refresh();
        sections.SelectSection(result.sectionIds.front());
        ShowStatusText(
            TranslateFormat("%d sections imported.", static_cast<int>(result.sectionIds.size())));
    }
    ReportSkipped(result.skipped);
    if (!ok && result.skipped.empty()) {
        ShowMessageBox(Translate("Importing the files failed."), kMessageError);
    }
    return !result.sectionIds.empty();
}

void BindImportCommands(myReportView& list) {
    using namespace command_id;
    list.Bind(
        wxEVT_MENU, [&list](wxCommandEvent&) { AskAndImport(list, false); }, kFileImport);
    list.Bind(
        wxEVT_MENU, [&list](wxCommandEvent&) { AskAndImport(list, true); }, kFileImportFolder);
    for (int id : {kFileImport, kFileImportFolder}) {
        list.Bind(
            wxEVT_UPDATE_UI,
            [&list](wxUpdateUIEvent& event) {
                auto* document = dynamic_cast<myDomainFile*>(list.GetDocument());
                event.Enable(document != nullptr && document->GetTreeEditor() != nullptr);
            },
            id);
    }
}
