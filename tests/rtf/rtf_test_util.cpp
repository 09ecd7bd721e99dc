#include "tests/rtf/rtf_test_util.h"

#include "rtf/code_page.h"
#include "rtf/text_writer.h"

#include <locale.h>
#include <wctype.h>
#include <algorithm>
#include <clocale>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace rtf_test {

std::string FixturePath(const std::string& name) {
    return std::string(QV_RTF_FIXTURES) + "/" + name;
}

std::string CorpusPath(const std::string& relative) {
    return std::string(QV_RTF_CORPUS) + "/" + relative;
}

bool CorpusAvailable() {
    return std::filesystem::is_directory(CorpusPath("public"));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& extension) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file() &&
            (extension.empty() || entry.path().extension() == extension)) {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> Words(const std::string& utf8) {
    // Character classes of Unicode, whatever the process's locale.
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    std::vector<std::string> words;
    std::string current;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = rtf::NextUtf8(utf8, pos);
        const bool privateUse = c >= 0xE000 && c <= 0xF8FF;
        const bool letter = !privateUse && c != 0xFEFF && c != 0xFFFD &&
                            iswalnum_l(static_cast<wint_t>(c), unicode) != 0;
        if (letter) {
            rtf::AppendUtf8(current,
                            static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), unicode)));
        } else if (!current.empty()) {
            words.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty()) {
        words.push_back(std::move(current));
    }
    return words;
}

std::string PlainText(const rtf::Document& document) {
    return rtf::WriteText(document);
}

std::vector<const rtf::Paragraph*> Paragraphs(const rtf::Document& document) {
    std::vector<const rtf::Paragraph*> all;
    rtf::ForEachParagraph(document.blocks, [&](const rtf::Paragraph& p) { all.push_back(&p); });
    return all;
}

std::string ParagraphText(const rtf::Paragraph& p) {
    std::string text;
    for (const rtf::Run& run : p.runs) {
        if (run.kind == rtf::RunKind::Text) {
            text += run.text;
        } else if (run.kind == rtf::RunKind::LineBreak) {
            text += '\n';
        }
    }
    return text;
}

}  // namespace rtf_test
