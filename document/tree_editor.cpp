#include "document/tree_editor.h"

#include "document/iv_xml.h"

namespace {

constexpr const char* kSection = "Section";
constexpr const char* kId = "ID";

bool HasAttribute(ivXML& tree, const std::string& name) {
    const int count = tree.GetAttributeCount();
    for (int i = 0; i < count; ++i) {
        if (tree.GetAttributeName(i) == name) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool ivTreeEditor::SelectSection(const std::string& id) {
    if (m_tree == nullptr || !m_tree->GoRoot() || id.empty()) {
        return false;
    }
    return m_tree->SelectWhere(kSection, kId, id,
                               ivData::SELECT_ANYWHERE | ivData::SELECT_ATTRIBUTE);
}

int ivTreeEditor::AddWatcher(Listener watcher) {
    m_watchers.emplace_back(m_nextWatcher, std::move(watcher));
    return m_nextWatcher++;
}

void ivTreeEditor::RemoveWatcher(int number) {
    std::erase_if(m_watchers, [&](const auto& w) { return w.first == number; });
}

void ivTreeEditor::Report(ivTreeEdit& edit, ivTreeEdit* done) {
    for (const auto& [number, watcher] : m_watchers) {
        watcher(edit);
    }
    if (m_listener) {
        m_listener(edit);
    }
    if (done != nullptr) {
        *done = std::move(edit);
    }
}

int ivTreeEditor::PositionInParent(const std::string& id, std::string& parentId) {
    // The cursor stands on the section; the first child with its ID is the section itself,
    // since an earlier one would have been found first.
    if (!m_tree->GoParent()) {
        return -1;
    }
    parentId = m_tree->GetName() == kSection ? m_tree->GetAttribute(kId) : std::string();
    const int count = m_tree->GetChildCount();
    for (int i = 0; i < count; ++i) {
        if (!m_tree->GoChild(i)) {
            break;
        }
        if (m_tree->GetName() == kSection && m_tree->GetAttribute(kId) == id) {
            return i;
        }
        m_tree->GoParent();
    }
    return -1;
}

bool ivTreeEditor::InsertSection(const std::string& parentId, const Attributes& attributes,
                                 ivTreeEdit* done) {
    if (m_tree == nullptr) {
        return false;
    }
    const bool placed = parentId.empty() ? m_tree->GoRoot() : SelectSection(parentId);
    if (!placed || !m_tree->AddNode(kSection)) {
        return false;
    }
    ivTreeEdit edit;
    edit.kind = ivTreeEdit::Kind::InsertSection;
    edit.parentId = parentId;
    for (const auto& [name, value] : attributes) {
        if (!m_tree->AddAttribute(name, value)) {
            // Nothing half-made stays behind.
            m_tree->RemoveNode();
            return false;
        }
        if (name == kId) {
            edit.sectionId = value;
        }
        edit.changes.push_back({name, false, {}, value});
    }
    m_tree->GoParent();
    edit.childIndex = m_tree->GetChildCount() - 1;
    m_tree->GoChild(edit.childIndex);
    Report(edit, done);
    return true;
}

bool ivTreeEditor::RemoveSection(const std::string& id, ivTreeEdit* done) {
    if (!SelectSection(id)) {
        return false;
    }
    ivTreeEdit edit;
    edit.kind = ivTreeEdit::Kind::RemoveSection;
    edit.sectionId = id;
    edit.removedXml = m_tree->GetXml();
    edit.childIndex = PositionInParent(id, edit.parentId);
    if (edit.childIndex < 0 || !m_tree->RemoveNode()) {
        return false;
    }
    Report(edit, done);
    return true;
}

bool ivTreeEditor::SetAttributes(const std::string& id, const Attributes& values,
                                 ivTreeEdit* done) {
    return Change(ivTreeEdit::Kind::SetAttributes, id, values, done);
}

bool ivTreeEditor::StoreBody(const std::string& id, const std::string& body,
                             const std::string& modified, ivTreeEdit* done) {
    return Change(ivTreeEdit::Kind::StoreBody, id, {{"Modified", modified}, {"Text", body}}, done);
}

bool ivTreeEditor::Change(ivTreeEdit::Kind kind, const std::string& id, const Attributes& values,
                          ivTreeEdit* done) {
    if (!SelectSection(id)) {
        return false;
    }
    ivTreeEdit edit;
    edit.kind = kind;
    edit.sectionId = id;
    for (const auto& [name, value] : values) {
        ivTreeEdit::AttributeChange change{name, HasAttribute(*m_tree, name), {}, value};
        if (change.existed) {
            change.before = m_tree->GetAttribute(name);
        }
        m_tree->SetAttribute(name, value);
        edit.changes.push_back(std::move(change));
    }
    Report(edit, done);
    return true;
}
