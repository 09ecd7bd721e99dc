#pragma once

#include "document/document_search.h"
#include "document/domain_store.h"
#include "document/recovery.h"
#include "framework/document_ex_rtf.h"
#include "views/edit_commands.h"

#include <wx/timer.h>

#include <memory>

// Views of a document that keep state of their own (the section list: the body being edited
// and its column layout) implement this; the document asks them to store it before a save.
class ivViewStateStore {
public:
    virtual ~ivViewStateStore() = default;
    virtual void SaveViewState() = 0;
};

// The editor's document: a tree of sections held in the document tree, with the section
// list's layout in the view-state tree. The trees and their algorithms live in
// myDomainStore; this class adds what belongs to the document/view framework.
class myDomainFile : public ivDocumentExRTF {
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(myDomainFile);

public:
    myDomainFile();
    ~myDomainFile() override;

    // ivDomain
    ivXML* GetTree(int kind) override;
    ivTreeEditor* GetTreeEditor() override;
    ivEditHistory* GetEditHistory() override { return &m_history; }
    bool New() override;
    bool Open(const std::string& path) override;
    void Refresh() override;
    bool Save(const std::string& path) override;
    using wxDocument::Save;

    void UpdateModifiedFlag() override;
    // The document closes: its recovery copy goes (it was saved, or the user let it go).
    void CloseDomain() override;

    // While the document has changes not yet copied, writes its recovery copy (the body being
    // edited stored first) into folder; the copy is written on a worker thread. It is also
    // written every "/RecoveryInterval" seconds and when the program loses the focus.
    // always: even when nothing changed since the last copy (a restored copy's first one).
    void WriteRecoveryCopy(bool always = false);
    // Where copies go; the user's state folder unless a test says otherwise.
    void SetRecoveryFolder(const std::string& folder) { m_recoveryFolder = folder; }
    myRecoveryWriter* Recovery() { return m_recovery.get(); }

    // The search lets go of a tree first: a new one may come at the same address.
    virtual void ForgetTrees() {
        m_search.SetTree(nullptr);
        m_store.ForgetTrees();
    }
    virtual void DeleteTrees() {
        m_search.SetTree(nullptr);
        m_store.DeleteTrees();
    }
    virtual bool LoadViews() { return m_store.LoadViews(); }

    // The generator chosen for this document ("HTML", "CHM", "DOC"); empty until one is.
    const std::string& GetGeneratorName() const { return m_generatorName; }
    void SetGeneratorName(const std::string& name) { m_generatorName = name; }

    myDomainStore& Store() { return m_store; }
    // The search across the document's titles and bodies, on its current tree. Its plain
    // texts are read on a worker thread once the document has opened.
    ivDocumentSearch& Search();
    myEditHistory& History() { return m_history; }

private:
    void BindCommands();
    void OnAppActivate(wxActivateEvent& event);

    myDomainStore m_store;
    myEditHistory m_history;
    std::string m_generatorName;
    std::string m_recoveryFolder;
    std::unique_ptr<myRecoveryWriter> m_recovery;
    // After m_store: it hears of the edits of the store's editor until it goes.
    ivDocumentSearch m_search;
    // An edit was made since the last copy (or the last save).
    bool m_copyStale = false;
    wxTimer m_recoveryTimer;
    // The application whose loss of focus writes the copy.
    wxEvtHandler* m_app = nullptr;
};
