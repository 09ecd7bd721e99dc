#include "document/iv_data.h"

wxIMPLEMENT_ABSTRACT_CLASS(ivObject, wxObject);
wxIMPLEMENT_ABSTRACT_CLASS(ivData, ivObject);

bool ivData::AddNodeText(const std::string& name, const std::string& text) {
    AddNode(name);
    SetText(text);
    EndNode();
    return true;
}

bool ivData::AddNodeTextEx(const std::string& name, const std::string& text, const std::string&,
                           int, unsigned) {
    return AddNodeText(name, text);
}

bool ivData::Select(const std::string&) {
    return false;
}

bool ivData::SelectByAttribute(const std::string& element, const std::string& key,
                               const std::string& value, unsigned flags) {
    return SelectWhere(element, key, value, flags | SELECT_ATTRIBUTE);
}

bool ivData::SelectByChild(const std::string& element, const std::string& key,
                           const std::string& value, unsigned flags) {
    return SelectWhere(element, key, value, flags);
}

bool ivData::SelectWhere(const std::string& element, const std::string& key,
                         const std::string& value, unsigned flags) {
    if (element.empty() || (flags & (SELECT_KEEP | SELECT_ANYWHERE)) != 0) {
        return false;
    }
    const int count = GetChildCount();
    for (int i = 0; i < count; ++i) {
        if (!GoChild(i)) {
            continue;
        }
        if (element == "*" || GetName() == element) {
            const std::string found =
                (flags & SELECT_ATTRIBUTE) != 0 ? GetAttribute(key) : GetTextOf(key);
            if (found == value) {
                return true;
            }
        }
        GoParent();
    }
    return false;
}

void ivData::SetText(const std::string&) {}

std::string ivData::GetAttributeName(int) {
    return {};
}

void ivData::SetAttributeValueEx(int index, const std::string& value, const std::string&, int,
                                 unsigned) {
    SetAttributeValue(index, value);
}

std::string ivData::GetChildText(int index) {
    if (!GoChild(index)) {
        return {};
    }
    std::string text = GetText();
    GoParent();
    return text;
}

std::string ivData::GetTextOf(const std::string& path) {
    if (!Select(path)) {
        return {};
    }
    std::string text = GetText();
    GoParent();
    return text;
}

bool ivData::SetChildText(int index, const std::string& text) {
    if (!GoChild(index)) {
        return false;
    }
    SetText(text);
    GoParent();
    return true;
}

bool ivData::SetTextOf(const std::string& path, const std::string& text) {
    if (!Select(path)) {
        return false;
    }
    SetText(text);
    GoParent();
    return true;
}

bool ivData::SetChildTextEx(int index, const std::string& text, const std::string&, int, unsigned) {
    return SetChildText(index, text);
}

bool ivData::SetTextOfEx(const std::string& path, const std::string& text, const std::string&, int,
                         unsigned) {
    return SetTextOf(path, text);
}

bool ivData::Save(const std::string&) {
    return false;
}
bool ivData::Load(const std::string&) {
    return false;
}
bool ivData::Post(const std::string&, const std::string&, const std::string&) {
    return false;
}
bool ivData::LoadFromURL(const std::string&, const std::string&, const std::string&) {
    return false;
}
std::string ivData::GetError() {
    return {};
}
