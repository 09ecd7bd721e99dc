#pragma once

#include "bench/bench_support.h"
#include "document/domain.h"
#include "document/domain_store.h"
#include "document/tree_editor.h"
#include "platform/file_io.h"
#include "views/section_list.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

// What the section list benchmarks share.
namespace bench {

// A document without windows, as the editor's document offers it to the list.
class BenchDomain : public ivDomain, public mySectionListHost {
public:
    void UpdateViews(wxObject* hint) override {
        if (list != nullptr) {
            list->OnUpdateHook(hint);
        }
    }
    ivXML* GetTree(int kind) override { return store.GetTree(kind); }
    ivTreeEditor* GetTreeEditor() override { return &store.Editor(); }
    void Refresh() override { UpdateViews(store.GetTree(kDocumentTree)); }
    void RequestRefresh() override {}

    myDomainStore store;
    mySectionList* list = nullptr;
};

// Whether XML 1.0 can carry text: no control characters but tab, line feed and return.
inline bool FitsXml(const std::string& text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
    });
}

// Real RTF files of at most largest bytes from folder, in name order (those with binary
// picture data that XML cannot hold are left out).
inline std::vector<std::string> CorpusBodies(const std::string& folder, uintmax_t largest) {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.path().extension() == ".rtf" && entry.file_size() <= largest) {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> bodies;
    for (const std::string& file : files) {
        std::string text;
        if (platform::ReadWholeFileBytes(file, text) && !text.empty() && FitsXml(text)) {
            bodies.push_back(text);
        }
    }
    return bodies;
}

// Writes the manual: 2,000 sections whose bodies are the real RTF files of folder, about
// 30 MB; false when folder holds none.
inline bool WriteManual(const std::string& path, const std::string& folder) {
    const std::vector<std::string> bodies = CorpusBodies(folder, 60000);
    if (bodies.empty()) {
        return false;
    }
    WriteDocument(path, 2000, [&](int n, std::mt19937&) {
        return bodies[static_cast<size_t>(n) % bodies.size()];
    });
    return true;
}

}  // namespace bench
