#include "document/domain_store.h"

#include "core/directories.h"
#include "core/identity.h"
#include "core/messages.h"
#include "core/translate.h"
#include "document/domain.h"

namespace {

// The message as it stands, and on the line below it why (the parser's or the system's
// reason), when there is one.
void ReportError(const char* text, const std::string& reason = {}) {
    ShowMessage(Translate(text) + (reason.empty() ? "" : "\n" + reason), {}, 0, kMessageError);
}

}  // namespace

ivXML* myDomainStore::GetTree(int kind) const {
    switch (kind) {
        case ivDomain::kDocumentTree:
            return m_tree.get();
        case ivDomain::kViewStateTree:
            return m_views.get();
        default:
            return nullptr;
    }
}

std::string myDomainStore::ViewStatePath() {
    return GetConfDirectory() + identity::kAppName + ".xml";
}

bool myDomainStore::BeginLoad() {
    if (m_tree) {
        return false;
    }
    m_rootName = kRootName;
    return LoadViews();
}

bool myDomainStore::New() {
    if (!BeginLoad()) {
        return false;
    }
    auto tree = std::make_unique<ivXML>();
    if (!tree->Create() || !tree->AddNode(kRootName) || !tree->EndNode() || !tree->Reset()) {
        return false;
    }
    m_tree = std::move(tree);
    m_editor.SetTree(m_tree.get());
    return true;
}

bool myDomainStore::Open(const std::string& path) {
    if (!BeginLoad()) {
        return false;
    }
    // Any extension is read: a file is a document when its content says so.
    auto tree = std::make_unique<ivXML>();
    if (!tree->Load(path)) {
        ReportError("Loading document failed.", tree->GetError());
        return false;
    }
    if (!tree->GoRoot()) {
        return false;
    }
    if (tree->GetName() != m_rootName) {
        ReportError("Identifying document failed.");
        return false;
    }
    m_tree = std::move(tree);
    m_editor.SetTree(m_tree.get());
    return true;
}

bool myDomainStore::LoadViews() {
    if (m_rootName.empty()) {
        m_rootName = kRootName;
    }
    auto views = std::make_unique<ivXML>();
    if (!views->Load(ViewStatePath())) {
        views->Create();
        views->AddNode(m_rootName);
        views->AddNode("Views");
        views->EndNode();
        views->EndNode();
        views->Reset();
    }
    if (!views->GoRoot()) {
        return false;
    }
    m_views = std::move(views);
    return true;
}

void myDomainStore::Flush() {
    if (m_flush) {
        m_flush();
    }
}

bool myDomainStore::Save(const std::string& path) {
    Flush();
    if (!m_tree) {
        return false;
    }
    if (!m_tree->Save(path)) {
        ReportError("Saving document failed.", m_tree->GetError());
        return false;
    }
    if (!m_views) {
        return false;
    }
    if (!m_views->Save(ViewStatePath())) {
        ReportError("Saving view state failed.", m_views->GetError());
        return false;
    }
    return true;
}

void myDomainStore::ForgetTrees() {
    m_editor.SetTree(nullptr);
    (void)m_views.release();
    (void)m_tree.release();
}

void myDomainStore::DeleteTrees() {
    m_editor.SetTree(nullptr);
    m_views.reset();
    m_tree.reset();
}
