#include "framework/document_ex_rtf.h"

#include "core/messages.h"
#include "core/settings_keys.h"
#include "core/translate.h"

wxIMPLEMENT_ABSTRACT_CLASS(ivDocumentExRTF, wxDocument);

ivDocumentExRTF::ivDocumentExRTF() : m_autoSave(ReadSettingNumber(settings::kAutoSave)) {}

void ivDocumentExRTF::UpdateViews(wxObject* hint) {
    UpdateAllViews(nullptr, hint);
}

void ivDocumentExRTF::Modify(bool modified) {
    SetModifiedFlag(modified);
}

void ivDocumentExRTF::SetModifiedFlag(bool modified) {
    wxDocument::Modify(modified);
    if (modified && m_autoSave != 0 && !m_saving && GetDocumentSaved() && !GetFilename().empty()) {
        OnSaveDocument(GetFilename());
    }
}

bool ivDocumentExRTF::OnNewDocument() {
    DeleteContents();
    SetModifiedFlag(true);
    SetFilename(wxEmptyString, false);
    SetDocumentSaved(false);
    if (!New()) {
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool ivDocumentExRTF::OnOpenDocument(const wxString& path) {
    DeleteContents();
    SetModifiedFlag(true);
    if (!Open(path.utf8_string())) {
        return false;
    }
    SetFilename(path, true);
    SetDocumentSaved(true);
    SetModifiedFlag(false);
    return true;
}

bool ivDocumentExRTF::OnSaveDocument(const wxString& path) {
    if (path.empty() || m_saving) {
        return false;
    }
    // A save stores the views' state first, which may mark the document modified again; the
    // flag keeps that from starting a second save inside this one.
    m_saving = true;
    const bool saved = Save(path.utf8_string());
    m_saving = false;
    if (!saved) {
        return false;
    }
    SetFilename(path, true);
    SetDocumentSaved(true);
    SetModifiedFlag(false);
    return true;
}

bool ivDocumentExRTF::OnCloseDocument() {
    CloseDomain();
    return wxDocument::OnCloseDocument();
}

bool ivDocumentExRTF::OnSaveModified() {
    if (!IsModified()) {
        return true;
    }
    const std::string question = Translate("Do you want to save the changes to %s?");
    const std::string name = GetUserReadableName().utf8_string();
    std::string text = question;
    const size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, name);
    }
    switch (AskQuestion(text, true)) {
        case kAnswerYes:
            return Save();
        case kAnswerNo:
            Modify(false);
            return true;
        default:
            return false;
    }
}
