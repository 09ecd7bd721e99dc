#pragma once

#include "document/domain.h"

#include <wx/docview.h>

// The framework's document: a wxDocument that offers the ivDomain storage interface and
// saves itself on every change when auto-save is on.
class ivDocumentExRTF : public wxDocument, public ivDomain {
    wxDECLARE_ABSTRACT_CLASS(ivDocumentExRTF);

public:
    ivDocumentExRTF();

    virtual void SetAutoSave(int autoSave) { m_autoSave = autoSave; }
    virtual int GetAutoSave() const { return m_autoSave; }

    // Sets the document's own modified flag; with auto-save on and a file behind the
    // document, saves it at once (never while a save is under way).
    virtual void SetModifiedFlag(bool modified);
    // Stores what the views hold into the document (before a save or a generation).
    virtual void UpdateModifiedFlag() {}

    bool IsSaving() const { return m_saving; }

    using ivDomain::Save;
    using wxDocument::Save;

    // ivDomain
    void UpdateViews(wxObject* hint) override;

    // wxDocument
    bool OnNewDocument() override;
    bool OnOpenDocument(const wxString& path) override;
    bool OnSaveDocument(const wxString& path) override;
    bool OnCloseDocument() override;
    // Closing a modified document asks whether to save it (Yes, No, Cancel) through the
    // program's questions, like every other question it asks.
    bool OnSaveModified() override;
    void Modify(bool modified) override;

private:
    int m_autoSave = 0;
    bool m_saving = false;
};
