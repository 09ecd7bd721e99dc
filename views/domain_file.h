#pragma once

#include "document/domain_store.h"
#include "framework/document_ex_rtf.h"
#include "views/edit_commands.h"

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

    virtual void ForgetTrees() { m_store.ForgetTrees(); }
    virtual void DeleteTrees() { m_store.DeleteTrees(); }
    virtual bool LoadViews() { return m_store.LoadViews(); }

    // The generator chosen for this document ("HTML", "CHM", "DOC"); empty until one is.
    const std::string& GetGeneratorName() const { return m_generatorName; }
    void SetGeneratorName(const std::string& name) { m_generatorName = name; }

    myDomainStore& Store() { return m_store; }
    myEditHistory& History() { return m_history; }

private:
    void BindCommands();

    myDomainStore m_store;
    myEditHistory m_history;
    std::string m_generatorName;
};
