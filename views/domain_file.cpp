#include "views/domain_file.h"

#include "core/command_ids.h"
#include "views/generate_command.h"

wxIMPLEMENT_DYNAMIC_CLASS(myDomainFile, ivDocumentExRTF);

myDomainFile::myDomainFile()
    : m_history(m_store.Editor(), [this] { SetModifiedFlag(!m_history.IsAtSavePoint()); }) {
    m_store.SetFlushHook([this] { UpdateModifiedFlag(); });
    // Every edit of the tree can be taken back, and marks the document modified (and saves it
    // under auto-save). An edit taken back or done again marks it once the history has moved:
    // back at the last save, the document is no longer modified.
    m_store.Editor().SetListener([this](const ivTreeEdit& edit) {
        if (!edit.replayed) {
            m_history.Record(edit);
            SetModifiedFlag(true);
        }
    });
    BindCommands();
    BindGenerateCommand(*this);
}

void myDomainFile::BindCommands() {
    using namespace command_id;
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { Refresh(); }, kViewRefresh);
}

ivXML* myDomainFile::GetTree(int kind) {
    return m_store.GetTree(kind);
}

ivTreeEditor* myDomainFile::GetTreeEditor() {
    return m_store.GetTree(kDocumentTree) != nullptr ? &m_store.Editor() : nullptr;
}

bool myDomainFile::New() {
    return m_store.New();
}

bool myDomainFile::Open(const std::string& path) {
    return m_store.Open(path);
}

void myDomainFile::Refresh() {
    if (ivXML* tree = m_store.GetTree(kDocumentTree)) {
        UpdateViews(tree);
    }
}

bool myDomainFile::Save(const std::string& path) {
    if (!m_store.Save(path)) {
        return false;
    }
    m_history.MarkSaved();
    return true;
}

void myDomainFile::UpdateModifiedFlag() {
    ivDocumentExRTF::UpdateModifiedFlag();
    for (wxView* view : GetViewsVector()) {
        if (auto* holder = dynamic_cast<ivViewStateStore*>(view)) {
            holder->SaveViewState();
        }
    }
}
