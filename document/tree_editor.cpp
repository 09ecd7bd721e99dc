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
    if (edit.childIndex < 0) {
        return false;
    }
    // Kept rather than freed, so that the remove can be taken back exactly.
    edit.detached = m_tree->DetachNode();
    if (edit.detached == nullptr) {
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

int ivTreeEditor::PositionOf(const std::string& id, std::string& parentId) {
    return SelectSection(id) ? PositionInParent(id, parentId) : -1;
}

bool ivTreeEditor::SelectParent(const std::string& parentId) {
    return parentId.empty() ? m_tree != nullptr && m_tree->GoRoot() : SelectSection(parentId);
}

bool ivTreeEditor::Place(const std::string& id, const std::string& parentId, int index) {
    // Refused before anything is taken out: a section cannot go under itself.
    if (!SelectParent(parentId) || m_tree->IsWithin(kId, id) || !SelectSection(id)) {
        return false;
    }
    std::string fromParent;
    const int from = PositionInParent(id, fromParent);
    if (from < 0) {
        return false;
    }
    std::shared_ptr<ivXMLFragment> section = m_tree->DetachNode();
    if (section == nullptr) {
        return false;
    }
    if (SelectParent(parentId) && m_tree->AttachNode(section, index)) {
        return true;
    }
    // Too deep there: it goes back where it was.
    SelectParent(fromParent);
    m_tree->AttachNode(section, from);
    return false;
}

bool ivTreeEditor::MoveSection(const std::string& id, const std::string& parentId, int index,
                               ivTreeEdit* done) {
    if (!SelectSection(id)) {
        return false;
    }
    ivTreeEdit edit;
    edit.kind = ivTreeEdit::Kind::MoveSection;
    edit.sectionId = id;
    edit.childIndex = PositionInParent(id, edit.parentId);
    // The parent must be found again by that key: a section below an element that is not a
    // section (and so has no place of its own) is not moved.
    if (edit.childIndex < 0 || !SelectParent(edit.parentId) || !m_tree->GoChild(edit.childIndex) ||
        m_tree->GetAttribute(kId) != id || !SelectParent(parentId)) {
        return false;
    }
    const int count = m_tree->GetChildCount() - (parentId == edit.parentId ? 1 : 0);
    edit.newParentId = parentId;
    edit.newChildIndex = index < 0 || index > count ? count : index;
    if (edit.newParentId == edit.parentId && edit.newChildIndex == edit.childIndex) {
        return false;
    }
    if (!Place(id, edit.newParentId, edit.newChildIndex)) {
        return false;
    }
    Report(edit, done);
    return true;
}

bool ivTreeEditor::FindMoveTarget(const std::string& id, Direction direction, std::string& parentId,
                                  int& index) {
    if (!SelectSection(id)) {
        return false;
    }
    std::string from;
    const int at = PositionInParent(id, from);
    if (at < 0 || !SelectParent(from)) {
        return false;
    }
    // The nearest sibling that has a row (an element), before or after the section.
    const auto sibling = [&](int step) {
        const int count = m_tree->GetChildCount();
        for (int i = at + step; i >= 0 && i < count; i += step) {
            if (!m_tree->GoChild(i)) {
                break;
            }
            if (!m_tree->GetName().empty()) {
                return i;
            }
            m_tree->GoParent();
        }
        return -1;
    };
    switch (direction) {
        case Direction::Up:
        case Direction::Down: {
            const int other = sibling(direction == Direction::Up ? -1 : 1);
            parentId = from;
            index = other;
            return other >= 0;
        }
        case Direction::In: {
            if (sibling(-1) < 0 || m_tree->GetName() != kSection ||
                m_tree->GetAttribute(kId).empty()) {
                return false;
            }
            parentId = m_tree->GetAttribute(kId);
            index = -1;
            return true;
        }
        case Direction::Out: {
            if (from.empty() || !SelectSection(from)) {
                return false;
            }
            const int parentAt = PositionInParent(from, parentId);
            index = parentAt + 1;
            // The grandparent is found again by its key (the root, or a section).
            return parentAt >= 0 && SelectParent(parentId) && m_tree->GoChild(parentAt) &&
                   m_tree->GetAttribute(kId) == from;
        }
    }
    return false;
}

bool ivTreeEditor::MoveSection(const std::string& id, Direction direction, ivTreeEdit* done) {
    std::string parentId;
    int index = -1;
    return FindMoveTarget(id, direction, parentId, index) && MoveSection(id, parentId, index, done);
}

bool ivTreeEditor::Detach(const std::string& id, ivTreeEdit& edit) {
    if (!SelectSection(id)) {
        return false;
    }
    edit.detached = m_tree->DetachNode();
    return edit.detached != nullptr;
}

bool ivTreeEditor::Attach(const std::string& parentId, int index, ivTreeEdit& edit) {
    if (!SelectParent(parentId) || !m_tree->AttachNode(edit.detached, index)) {
        return false;
    }
    edit.detached.reset();
    return true;
}

bool ivTreeEditor::ApplyChanges(const ivTreeEdit& edit, bool forward) {
    if (!SelectSection(edit.sectionId)) {
        return false;
    }
    if (forward) {
        for (const auto& change : edit.changes) {
            m_tree->SetAttribute(change.name, change.after);
        }
        return true;
    }
    // Backwards, so that an attribute set twice in one edit ends as it first was.
    for (auto change = edit.changes.rbegin(); change != edit.changes.rend(); ++change) {
        if (change->existed) {
            m_tree->SetAttribute(change->name, change->before);
        } else {
            m_tree->RemoveAttribute(change->name);
        }
    }
    return true;
}

void ivTreeEditor::Replayed(ivTreeEdit& edit) {
    if (m_listener) {
        ivTreeEdit told = edit;
        told.replayed = true;
        m_listener(told);
    }
}

bool ivTreeEditor::Undo(ivTreeEdit& edit) {
    bool undone = false;
    switch (edit.kind) {
        case ivTreeEdit::Kind::InsertSection:
            undone = Detach(edit.sectionId, edit);
            break;
        case ivTreeEdit::Kind::RemoveSection:
            undone = Attach(edit.parentId, edit.childIndex, edit);
            break;
        case ivTreeEdit::Kind::SetAttributes:
        case ivTreeEdit::Kind::StoreBody:
            undone = ApplyChanges(edit, false);
            break;
        case ivTreeEdit::Kind::MoveSection:
            undone = Place(edit.sectionId, edit.parentId, edit.childIndex);
            break;
    }
    if (undone) {
        Replayed(edit);
    }
    return undone;
}

bool ivTreeEditor::Redo(ivTreeEdit& edit) {
    bool redone = false;
    switch (edit.kind) {
        case ivTreeEdit::Kind::InsertSection:
        case ivTreeEdit::Kind::RemoveSection:
            redone = edit.kind == ivTreeEdit::Kind::InsertSection
                         ? Attach(edit.parentId, edit.childIndex, edit)
                         : Detach(edit.sectionId, edit);
            break;
        case ivTreeEdit::Kind::SetAttributes:
        case ivTreeEdit::Kind::StoreBody:
            redone = ApplyChanges(edit, true);
            break;
        case ivTreeEdit::Kind::MoveSection:
            redone = Place(edit.sectionId, edit.newParentId, edit.newChildIndex);
            break;
    }
    if (redone) {
        Replayed(edit);
    }
    return redone;
}
