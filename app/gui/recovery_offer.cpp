#include "app/gui/recovery_offer.h"

#include "core/translate.h"
#include "document/recovery.h"
#include "views/domain_file.h"

#include <wx/docview.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

namespace {

std::string Fill(std::string text, const std::string& first, const std::string& second) {
    size_t from = 0;
    for (const std::string* value : {&first, &second}) {
        const size_t at = text.find("%s", from);
        if (at == std::string::npos) {
            break;
        }
        text.replace(at, 2, *value);
        from = at + value->size();
    }
    return text;
}

// Opens the copy as the document it was made from: at that path, modified, so that a save
// writes it there. False leaves the copy where it is.
bool Restore(const myRecoveryCopy& copy) {
    wxDocManager* documents = wxDocManager::GetDocumentManager();
    wxDocument* opened =
        documents != nullptr
            ? documents->CreateDocument(wxString::FromUTF8(copy.documentPath), wxDOC_SILENT)
            : nullptr;
    auto* document = dynamic_cast<myDomainFile*>(opened);
    if (document == nullptr) {
        return false;
    }
    if (copy.originalPath.empty()) {
        document->SetFilename(wxString(), true);
        document->SetTitle(
            wxString::FromUTF8(copy.title.empty() ? Translate("Untitled") : copy.title));
        document->SetDocumentSaved(false);
    } else {
        document->SetFilename(wxString::FromUTF8(copy.originalPath), true);
        document->SetTitle(wxFileName(wxString::FromUTF8(copy.originalPath)).GetName());
    }
    document->Modify(true);
    // Its own copy first, so that nothing is lost between dropping the old and the next tick.
    document->WriteRecoveryCopy(true);
    if (myRecoveryWriter* own = document->Recovery()) {
        own->Flush();
    }
    return true;
}

}  // namespace

void OfferRecoveryCopies(wxWindow* parent) {
    for (const myRecoveryCopy& copy : FindOrphanedCopies()) {
        const std::string name = !copy.originalPath.empty() ? copy.originalPath
                                 : !copy.title.empty()      ? copy.title
                                                            : Translate("Untitled");
        wxMessageDialog dialog(
            parent,
            wxString::FromUTF8(Fill(Translate("The editor ended without closing \"%s\". A copy "
                                              "of its last changes (%s) was kept."),
                                    name, copy.written)),
            wxString::FromUTF8(Translate("Recover Documents")),
            wxYES_NO | wxCANCEL | wxICON_QUESTION);
        dialog.SetYesNoCancelLabels(wxString::FromUTF8(Translate("Restore")),
                                    wxString::FromUTF8(Translate("Discard")),
                                    wxString::FromUTF8(Translate("Later")));
        switch (dialog.ShowModal()) {
            case wxID_YES:
                if (Restore(copy)) {
                    DiscardCopy(copy);
                }
                break;
            case wxID_NO:
                DiscardCopy(copy);
                break;
            default:
                break;  // offered again at the next start
        }
    }
}
