#include "framework/command_bars.h"

#include "platform/desktop_look.h"

#include <wx/string.h>

#include <algorithm>
#include <sstream>

bool ivCommandControl::IsBox() const {
    switch (kind) {
        case ivControlKind::EditBox:
        case ivControlKind::ComboBox:
        case ivControlKind::FontNameBox:
        case ivControlKind::FontSizeBox:
            return true;
        default:
            return false;
    }
}

std::unique_ptr<ivCommandControl> ivCommandControl::Clone() const {
    auto copy = std::make_unique<ivCommandControl>();
    copy->kind = kind;
    copy->id = id;
    copy->caption = caption;
    copy->description = description;
    copy->tooltip = tooltip;
    copy->category = category;
    copy->parameter = parameter;
    copy->buttonStyle = buttonStyle;
    copy->beginGroup = beginGroup;
    copy->hasImage = hasImage;
    copy->width = width;
    copy->dropDownList = dropDownList;
    copy->flags = flags;
    copy->entries = entries;
    copy->selection = selection;
    if (dropDown) {
        copy->dropDown = std::make_unique<ivCommandBar>(dropDown->type, dropDown->title);
        copy->dropDown->customisable = dropDown->customisable;
        for (const auto& control : dropDown->controls) {
            copy->dropDown->Add(control->Clone());
        }
    }
    return copy;
}

ivCommandBar::ivCommandBar(ivBarType barType, std::string barTitle)
    : type(barType), title(std::move(barTitle)) {}

ivCommandBar::~ivCommandBar() = default;

ivCommandControl* ivCommandBar::Add(std::unique_ptr<ivCommandControl> control) {
    controls.push_back(std::move(control));
    return controls.back().get();
}

ivCommandControl* ivCommandBar::Find(int id, bool nested) const {
    for (const auto& control : controls) {
        if (control->id == id && control->kind != ivControlKind::Popup &&
            control->kind != ivControlKind::RibbonGroup) {
            return control.get();
        }
        if (nested && control->dropDown) {
            if (ivCommandControl* found = control->dropDown->Find(id, true)) {
                return found;
            }
        }
    }
    return nullptr;
}

void ivCommandBar::ForEach(const std::function<void(ivCommandControl&)>& visit) const {
    for (const auto& control : controls) {
        visit(*control);
        if (control->dropDown) {
            control->dropDown->ForEach(visit);
        }
    }
}

std::string ivCommandBarOptions::Format() const {
    std::ostringstream text;
    text << "FullMenus=" << fullMenus << ";LargeIcons=" << largeIcons
         << ";ShowTooltips=" << showTooltips << ";ShortcutsInTooltips=" << shortcutsInTooltips;
    return text.str();
}

void ivCommandBarOptions::Parse(const std::string& text) {
    std::istringstream entries(text);
    std::string entry;
    while (std::getline(entries, entry, ';')) {
        const size_t equals = entry.find('=');
        if (equals == std::string::npos || equals + 2 != entry.size() ||
            (entry[equals + 1] != '0' && entry[equals + 1] != '1')) {
            continue;
        }
        const std::string key = entry.substr(0, equals);
        const bool value = entry[equals + 1] == '1';
        if (key == "FullMenus") {
            fullMenus = value;
        } else if (key == "LargeIcons") {
            largeIcons = value;
        } else if (key == "ShowTooltips") {
            showTooltips = value;
        } else if (key == "ShortcutsInTooltips") {
            shortcutsInTooltips = value;
        }
    }
}

ivCommandBars::ivCommandBars() = default;
ivCommandBars::~ivCommandBars() = default;

ivCommandBar* ivCommandBars::Add(std::unique_ptr<ivCommandBar> bar) {
    m_bars.push_back(std::move(bar));
    return m_bars.back().get();
}

ivCommandBar* ivCommandBars::GetAt(int index) const {
    return index >= 0 && index < GetCount() ? m_bars[static_cast<size_t>(index)].get() : nullptr;
}

ivCommandBar* ivCommandBars::FindByTitle(const std::string& title) const {
    for (const auto& bar : m_bars) {
        if (EqualsIgnoringCase(bar->title, title)) {
            return bar.get();
        }
    }
    return nullptr;
}

ivCommandBar* ivCommandBars::FindByBarId(int barId) const {
    for (const auto& bar : m_bars) {
        if (bar->barId == barId) {
            return bar.get();
        }
    }
    return nullptr;
}

ivCommandControl* ivCommandBars::FindControl(int id) const {
    for (const auto& bar : m_bars) {
        if (ivCommandControl* control = bar->Find(id)) {
            return control;
        }
    }
    return nullptr;
}

void ivCommandBars::HideCommands(const std::vector<int>& ids) {
    for (int id : ids) {
        if (!IsHidden(id)) {
            m_hidden.push_back(id);
        }
    }
}

bool ivCommandBars::IsHidden(int id) const {
    return std::find(m_hidden.begin(), m_hidden.end(), id) != m_hidden.end();
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return platform::SameIgnoringCase(a, b);
}

std::string StripMnemonic(const std::string& caption) {
    std::string text;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                text += '&';
                ++i;
            }
            continue;
        }
        text += caption[i];
    }
    return text;
}
