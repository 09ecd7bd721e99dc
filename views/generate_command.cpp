#include "views/generate_command.h"

#include "core/command_ids.h"
#include "core/messages.h"
#include "core/translate.h"
#include "generators/generate_document.h"
#include "generators/generator.h"
#include "views/domain_file.h"
#include "views/status_text.h"

#include <wx/app.h>
#include <wx/dirdlg.h>
#include <wx/utils.h>

namespace {

void Generate(myDomainFile& document) {
    // The body being edited belongs to the output too.
    document.UpdateModifiedFlag();
    const std::string name = document.GetGeneratorName();
    if (name.empty()) {
        return;
    }
    wxDirDialog dialog(
        wxTheApp->GetTopWindow(), wxString::FromUTF8(Translate("Choose the folder for the output")),
        wxString::FromUTF8(GetGenerateTargetPath()), wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) {
        return;
    }
    if (!CreateGenerator(name)) {
        return;
    }
    bool generated = false;
    std::vector<section_link::Missing> missing;
    {
        wxBusyCursor busy;
        ivGenerateOptions options;
        options.missingLinks = &missing;
        generated = GenerateDocument(document.Store(), name, dialog.GetPath().utf8_string(),
                                     document.GetTitle().utf8_string(), options);
    }
    // The output is whole all the same; links that lead nowhere were written as text.
    if (!missing.empty()) {
        ShowStatusText(missing.size() == 1
                           ? Translate("1 link points to a section that no longer exists.")
                           : TranslateFormat("%d links point to sections that no longer exist.",
                                             static_cast<int>(missing.size())));
    }
    // Without a word a failed run would look like one that worked.
    if (!generated) {
        ShowMessageBox(Translate("Generating output failed."), kMessageError);
    }
}

}  // namespace

void BindGenerateCommand(myDomainFile& document) {
    using namespace command_id;
    document.Bind(
        wxEVT_MENU, [&document](wxCommandEvent&) { Generate(document); }, kToolsGenerate);
    document.Bind(
        wxEVT_UPDATE_UI,
        [&document](wxUpdateUIEvent& event) { event.Enable(!document.GetGeneratorName().empty()); },
        kToolsGenerate);
    // The box shows this document's generator; a pick in it, or a name typed into it, becomes
    // it.
    document.Bind(
        wxEVT_UPDATE_UI,
        [&document](wxUpdateUIEvent& event) {
            event.SetText(wxString::FromUTF8(document.GetGeneratorName()));
        },
        kToolsGeneratorBox);
    auto pick = [&document](wxCommandEvent& event) {
        document.SetGeneratorName(event.GetString().utf8_string());
    };
    document.Bind(wxEVT_COMBOBOX, pick, kToolsGeneratorBox);
    document.Bind(wxEVT_TEXT, pick, kToolsGeneratorBox);
}
