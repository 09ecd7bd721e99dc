#include "framework/layout_store.h"

#include "core/settings_keys.h"
#include "core/version.h"
#include "platform/registry_store.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace layout_store {

namespace {

// A saved layout is the user's file: it is read with bounds.
constexpr size_t kLongestLayout = 64 * 1024;
constexpr size_t kMostEntries = 256;

// The separators of a layout, escaped as wxAuiManager escapes them in names and captions.
constexpr char kEscapedBar = '\a';
constexpr char kEscapedSemicolon = '\b';

std::string Unescape(std::string text) {
    for (char& c : text) {
        if (c == kEscapedBar) {
            c = '|';
        } else if (c == kEscapedSemicolon) {
            c = ';';
        }
    }
    return text;
}

// The entry text with its escapes as they were ("\|" and "\;").
std::string Restore(const std::string& entry) {
    std::string text;
    for (char c : entry) {
        if (c == kEscapedBar) {
            text += "\\|";
        } else if (c == kEscapedSemicolon) {
            text += "\\;";
        } else {
            text += c;
        }
    }
    return text;
}

std::string PaneName(const std::string& entry) {
    // The name is the value of the "name" field; fields are separated by ";".
    size_t start = 0;
    while (start <= entry.size()) {
        const size_t end = std::min(entry.find(';', start), entry.size());
        const std::string field = entry.substr(start, end - start);
        if (field.compare(0, 5, "name=") == 0) {
            return Unescape(field.substr(5));
        }
        start = end + 1;
    }
    return {};
}

bool ParseNumber(const std::string& text, long low, long high) {
    if (text.empty() || text.size() > 12) {
        return false;
    }
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0' && value >= low && value <= high;
}

// Whether every field of a pane entry is one the docking manager knows, with a value it can
// take: it refuses anything else with an assertion, and a wild value (a dock side 99, a
// size of millions) makes a window nobody can use.
bool IsValidPaneEntry(const std::string& entry) {
    struct Range {
        const char* key;
        long low;
        long high;
    };
    static const Range kRanges[] = {
        {"state", 0, 0x7FFFFFFF},
        {"dir", 0, 5},
        {"layer", 0, 99},
        {"row", 0, 99},
        {"pos", 0, 100000},
        {"prop", 0, 10000000},
        {"bestw", -1, 10000},
        {"besth", -1, 10000},
        {"minw", -1, 10000},
        {"minh", -1, 10000},
        {"maxw", -1, 10000},
        {"maxh", -1, 10000},
        {"floatx", -100000, 100000},
        {"floaty", -100000, 100000},
        {"floatw", -1, 10000},
        {"floath", -1, 10000},
    };
    size_t start = 0;
    while (start < entry.size()) {
        const size_t end = std::min(entry.find(';', start), entry.size());
        const std::string field = entry.substr(start, end - start);
        start = end + 1;
        const size_t equals = field.find('=');
        if (equals == std::string::npos) {
            return false;
        }
        const std::string key = field.substr(0, equals);
        const std::string value = field.substr(equals + 1);
        if (key == "name" || key == "caption") {
            continue;
        }
        const auto range = std::find_if(std::begin(kRanges), std::end(kRanges),
                                        [&](const Range& r) { return key == r.key; });
        if (range == std::end(kRanges) || !ParseNumber(value, range->low, range->high)) {
            return false;
        }
    }
    return true;
}

bool ParseDock(const std::string& entry, Perspective::Dock& dock) {
    int consumed = 0;
    if (std::sscanf(entry.c_str(), "dock_size(%d,%d,%d)=%d%n", &dock.direction, &dock.layer,
                    &dock.row, &dock.size, &consumed) != 4 ||
        static_cast<size_t>(consumed) != entry.size()) {
        return false;
    }
    return dock.direction >= 0 && dock.direction <= 5 && dock.layer >= 0 && dock.layer < 100 &&
           dock.row >= 0 && dock.row < 100 && dock.size >= 0 && dock.size < 100000;
}

}  // namespace

bool CheckLayoutVersion(platform::RegistryStore& registry, const std::string& section,
                        const std::string& runningVersion) {
    if (ReadSettingNumber(settings::kLoadLayout) == 0) {
        return false;
    }
    const ivVersion saved = ParseVersion(registry.GetString(section, kVersionEntry));
    const ivVersion running = ParseVersion(runningVersion);
    registry.SetString(section, kVersionEntry, FormatVersion(running, 4));
    registry.Flush();
    return CompareVersion(saved, running) == 0;
}

Perspective Parse(const std::string& text) {
    Perspective perspective;
    if (text.size() > kLongestLayout) {
        return perspective;
    }
    std::string input;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '|' || text[i + 1] == ';')) {
            input += text[i + 1] == '|' ? kEscapedBar : kEscapedSemicolon;
            ++i;
        } else {
            input += text[i];
        }
    }
    size_t start = 0;
    bool first = true;
    while (start < input.size()) {
        const size_t end = std::min(input.find('|', start), input.size());
        const std::string entry = input.substr(start, end - start);
        start = end + 1;
        if (first) {
            first = false;
            if (entry != "layout2") {
                return {};
            }
            continue;
        }
        if (entry.empty() || perspective.panes.size() + perspective.docks.size() >= kMostEntries) {
            continue;
        }
        Perspective::Dock dock;
        if (entry.compare(0, 9, "dock_size") == 0) {
            if (ParseDock(entry, dock)) {
                perspective.docks.push_back(dock);
            }
            continue;
        }
        const std::string name = PaneName(entry);
        if (!name.empty() && IsValidPaneEntry(entry)) {
            perspective.panes.emplace_back(name, Restore(entry));
        }
    }
    return perspective;
}

std::string Format(const Perspective& perspective) {
    std::string text = "layout2|";
    for (const auto& [name, entry] : perspective.panes) {
        text += entry + "|";
    }
    for (const Perspective::Dock& dock : perspective.docks) {
        text += "dock_size(" + std::to_string(dock.direction) + "," + std::to_string(dock.layer) +
                "," + std::to_string(dock.row) + ")=" + std::to_string(dock.size) + "|";
    }
    return text;
}

Perspective Select(const Perspective& perspective, const std::vector<std::string>& names,
                   const std::vector<int>& layers) {
    Perspective selected;
    for (const auto& pane : perspective.panes) {
        if (std::find(names.begin(), names.end(), pane.first) != names.end()) {
            selected.panes.push_back(pane);
        }
    }
    for (const Perspective::Dock& dock : perspective.docks) {
        if (std::find(layers.begin(), layers.end(), dock.layer) != layers.end()) {
            selected.docks.push_back(dock);
        }
    }
    return selected;
}

Perspective Merge(const Perspective& current, const Perspective& saved) {
    Perspective merged = current;
    for (auto& [name, entry] : merged.panes) {
        for (const auto& [savedName, savedEntry] : saved.panes) {
            if (savedName == name) {
                entry = savedEntry;
            }
        }
    }
    auto sameDock = [](const Perspective::Dock& a, const Perspective::Dock& b) {
        return a.direction == b.direction && a.layer == b.layer && a.row == b.row;
    };
    for (const Perspective::Dock& dock : saved.docks) {
        auto found = std::find_if(merged.docks.begin(), merged.docks.end(),
                                  [&](const Perspective::Dock& d) { return sameDock(d, dock); });
        if (found != merged.docks.end()) {
            found->size = dock.size;
        } else {
            merged.docks.push_back(dock);
        }
    }
    return merged;
}

}  // namespace layout_store
