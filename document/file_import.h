#pragma once

#include <string>
#include <vector>

class ivTreeEditor;

// What an import made and what it passed over.
struct ivImportResult {
    std::vector<std::string> sectionIds;  // the new sections in document order
    // Files left out, each with why ("name: reason"), for the user.
    std::vector<std::string> skipped;
};

// Imports files as sections: one section per RTF, HTML, Markdown or plain-text file, its
// title from the file's own title or first heading, else the file's name; a folder becomes a
// section with its files and folders below it, in name order. Links between the imported
// files become links between their sections; pictures that HTML and Markdown refer to are
// embedded when they are PNG or JPEG files inside the folder imported (or, for a file given
// alone, inside the file's folder): nothing outside it is read, whether named with "../", an
// absolute path or a symbolic link.
class ivFileImporter {
public:
    explicit ivFileImporter(ivTreeEditor& editor) : m_editor(editor) {}

    // Imports paths below the section parentId (empty: at the end of the document). False
    // when parentId names no section or a path cannot be read; what was imported before stays.
    bool Import(const std::vector<std::string>& paths, const std::string& parentId,
                ivImportResult& result);

    // Limits that keep a hostile folder from exhausting the machine.
    static constexpr int kMaxDepth = 32;
    static constexpr size_t kMaxFiles = 20000;
    static constexpr unsigned long long kMaxFileBytes = 64ull << 20;
    static constexpr unsigned long long kMaxPictureBytes = 16ull << 20;

private:
    ivTreeEditor& m_editor;
};
