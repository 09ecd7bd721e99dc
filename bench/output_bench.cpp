// Measures what readers get from generated output, on the shared RTF corpus, the RTF
// fixtures and a generated manual whose sections refer to each other's bookmarks:
//
// - links: of the links in the generated pages that point into the output (not to the web),
//   the share that resolve: to a page that exists and, with a fragment, to an anchor in it;
// - merged cells: cells the RTF merges into others (across with \clmrg, down with \clvmrg)
//   against the cells the pages' colspan and rowspan attributes cover;
// - pictures: pictures read from the bodies against pictures the pages show, and the
//   placeholders shown where nothing could draw one; the same for the .docx's media.
//
//   build-bench/bin/output_bench [sections of the generated manual, default 300]
//
// Each input is one section of one document, generated with the HTML and Word generators as
// the editor runs them (librtftohtml.so and quorvane-picture beside this program).

#include "core/settings.h"
#include "document/iv_xml.h"
#include "generators/docx_document.h"
#include "generators/generator_html.h"
#include "generators/generator_word.h"
#include "rtf/reader.h"

#include <wx/init.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A manual of sections that link to each other: bookmarks in every body, links to them as
// HYPERLINK \l, REF \h and through another file's name, a table with merged cells, untitled
// sections now and then.
std::string ManualBody(int n, int sections, std::mt19937& random) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n"
        "\\pard\\f0\\fs20 ";
    for (int b = 0; b < 3; ++b) {
        const std::string name = "_Ref" + std::to_string(n) + "_" + std::to_string(b);
        rtf += "{\\*\\bkmkstart " + name + "}Topic " + std::to_string(n) + "." + std::to_string(b) +
               "{\\*\\bkmkend " + name + "}\\par\n";
    }
    for (int l = 0; l < 4; ++l) {
        const int to = static_cast<int>(random() % static_cast<unsigned>(sections));
        const std::string name = "_Ref" + std::to_string(to) + "_" + std::to_string(l % 3);
        switch (l) {
            case 0:
                rtf += "See {\\field{\\*\\fldinst HYPERLINK \\\\l \"" + name +
                       "\"}{\\fldrslt topic}}. ";
                break;
            case 1:
                rtf += "See {\\field{\\*\\fldinst REF " + name + " \\\\h}{\\fldrslt figure}}. ";
                break;
            case 2:
                rtf += "See {\\field{\\*\\fldinst HYPERLINK \"manual.doc#" + name +
                       "\"}{\\fldrslt the manual}}. ";
                break;
            default:
                rtf += "See {\\field{\\*\\fldinst HYPERLINK \"https://example.org/" +
                       std::to_string(to) + "\"}{\\fldrslt the web}}.";
                break;
        }
    }
    rtf +=
        "\\par\n\\trowd\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl x\\cell y\\cell "
        "z\\cell\\row\n"
        "\\trowd\\cellx2000\\clmgf\\cellx4000\\clmrg\\cellx6000\\pard\\intbl a\\cell "
        "b\\cell\\cell\\row\n\\trowd\\clvmgf\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl c\\cell "
        "d\\cell e\\cell\\row\n\\trowd\\clvmrg\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl\\cell "
        "f\\cell g\\cell\\row\n\\pard end\\par}";
    return rtf;
}

struct Input {
    std::string title;
    std::string rtf;
};

struct Figures {
    size_t internalLinks = 0;
    size_t resolvedLinks = 0;
    size_t crossPageLinks = 0;  // internal links whose target is another page's anchor
    size_t webLinks = 0;
    size_t colSpanned = 0;  // cells covered by colspan beyond the first
    size_t rowSpanned = 0;  // cells covered by rowspan beyond the first
    size_t images = 0;
    size_t placeholders = 0;
};

std::set<std::string> Anchors(const std::string& html) {
    std::set<std::string> anchors;
    static const std::regex kAnchor(R"re(\b(?:id|name)="([^"]*)")re");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), kAnchor);
         it != std::sregex_iterator(); ++it) {
        anchors.insert((*it)[1]);
    }
    return anchors;
}

std::string Unescape(std::string text) {
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"&quot;", "\""}, {"&#39;", "'"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
            text.replace(at, from.size(), to);
            at += to.size();
        }
    }
    return text;
}

Figures Inspect(const fs::path& folder) {
    Figures f;
    std::map<std::string, std::set<std::string>> anchors;
    std::map<std::string, std::string> pages;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".htm") {
            const std::string name = entry.path().filename().string();
            pages[name] = ReadAll(entry.path());
            anchors[name] = Anchors(pages[name]);
        }
    }
    static const std::regex kHref(R"re(<a href="([^"]*)")re");
    static const std::regex kSpan(
        R"re(<td[^>]*?(colspan|rowspan)="(\d+)"(?: (colspan|rowspan)="(\d+)")?)re");
    for (const auto& [name, html] : pages) {
        for (auto it = std::sregex_iterator(html.begin(), html.end(), kHref);
             it != std::sregex_iterator(); ++it) {
            const std::string target = Unescape((*it)[1]);
            const size_t colon = target.find(':');
            if (colon != std::string::npos && target.find_first_of("/#") > colon) {
                ++f.webLinks;
                continue;
            }
            ++f.internalLinks;
            const size_t hash = target.find('#');
            const std::string page = hash == 0 ? name : target.substr(0, hash);
            const auto found = anchors.find(page);
            if (found == anchors.end()) {
                if (std::getenv("QV_BENCH_VERBOSE") != nullptr) {
                    std::printf("    no page for a link on %s: %s\n", name.c_str(), target.c_str());
                }
                continue;
            }
            if (page != name) {
                ++f.crossPageLinks;
            }
            if (hash == std::string::npos || found->second.count(target.substr(hash + 1)) != 0) {
                ++f.resolvedLinks;
            } else if (std::getenv("QV_BENCH_VERBOSE") != nullptr) {
                std::printf("    unresolved on %s: %s\n", name.c_str(), target.c_str());
            }
        }
        for (auto it = std::sregex_iterator(html.begin(), html.end(), kSpan);
             it != std::sregex_iterator(); ++it) {
            int cols = 1;
            int rows = 1;
            for (int g = 1; g <= 3; g += 2) {
                if ((*it)[g].matched) {
                    ((*it)[g] == "colspan" ? cols : rows) = std::atoi((*it)[g + 1].str().c_str());
                }
            }
            f.colSpanned += static_cast<size_t>(cols - 1);
            f.rowSpanned += static_cast<size_t>(rows - 1);
        }
        size_t images = 0;
        size_t placeholders = 0;
        for (size_t at = html.find("<img "); at != std::string::npos;
             at = html.find("<img ", at + 1)) {
            ++images;
        }
        for (size_t at = html.find("picture-missing"); at != std::string::npos;
             at = html.find("picture-missing", at + 1)) {
            ++placeholders;
        }
        if (std::getenv("QV_BENCH_VERBOSE") != nullptr && images + placeholders > 0) {
            std::printf("    %s: %zu pictures, %zu placeholders\n", name.c_str(), images,
                        placeholders);
        }
        f.images += images;
        f.placeholders += placeholders;
    }
    return f;
}

double Percent(size_t part, size_t whole) {
    return whole == 0 ? 100.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

void Report(const char* label, const std::vector<Input>& inputs, const fs::path& dir) {
    ivXML tree;
    tree.Create();
    tree.AddNode("Document");
    size_t pictures = 0;
    size_t filePictures = 0;
    size_t mergedAcross = 0;
    size_t mergedDown = 0;
    int n = 0;
    for (const Input& input : inputs) {
        filePictures += rtf::ReadRtf(input.rtf).document.pictures.size();
        tree.AddNode("Section");
        tree.AddAttribute("ID", "{" + std::to_string(++n) + "}");
        tree.AddAttribute("Title", input.title);
        tree.AddAttribute("Text", input.rtf);
        // What the document holds: an attribute cannot hold every byte of a \bin picture.
        const rtf::ReadResult read = rtf::ReadRtf(tree.GetAttribute("Text"));
        pictures += read.document.pictures.size();
        mergedAcross += read.mergedAcross;
        mergedDown += read.mergedDown;
        tree.EndNode();
    }
    tree.EndNode();

    const fs::path html = dir / label;
    fs::create_directories(html);
    myGeneratorHTML generator;
    generator.SetTargetPath(html.string());
    generator.SetIndicators(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const bool ok = generator.Run(&tree);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const Figures f = Inspect(html);

    myGeneratorMicrosoftWord word;
    word.SetTargetPath(dir.string());
    word.SetProjectName(label);
    word.SetOpenResult(false);
    word.SetIndicators(nullptr);
    size_t media = 0;
    if (word.Run(&tree)) {
        for (const auto& [part, bytes] :
             ReadDocxParts((dir / (std::string(label) + ".docx")).string())) {
            media += part.starts_with("word/media/") ? 1 : 0;
        }
    }

    std::printf("%s: %zu sections, HTML generated%s in %.2f s\n", label, inputs.size(),
                ok ? "" : " (FAILED)", seconds);
    std::printf(
        "  links into the output: %zu, resolved %zu = %.1f %% (%zu to another page); "
        "web links %zu\n",
        f.internalLinks, f.resolvedLinks, Percent(f.resolvedLinks, f.internalLinks),
        f.crossPageLinks, f.webLinks);
    std::printf(
        "  merged cells in the RTF: %zu across, %zu down; covered by spans: %zu "
        "columns (grids included), %zu rows\n",
        mergedAcross, mergedDown, f.colSpanned, f.rowSpanned);
    std::printf(
        "  pictures read %zu, shown %zu = %.1f %%, placeholders %zu; .docx media %zu "
        "(the files hold %zu pictures)\n",
        pictures, f.images, Percent(f.images, pictures), f.placeholders, media, filePictures);
}

}  // namespace

int main(int argc, char** argv) {
    wxInitializer wx;
    const int sections = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    const fs::path dir =
        fs::temp_directory_path() / ("quorvane-outbench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    InstallSettingsStore((dir / "settings.conf").string());
    SetSetting("/TempPath", dir.string());
    SetSetting("/Generators/HTML/Template", "");

    const auto files = [](const fs::path& folder) {
        std::vector<Input> inputs;
        if (!fs::is_directory(folder)) {
            return inputs;
        }
        std::vector<fs::path> paths;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() == ".rtf") {
                paths.push_back(entry.path());
            }
        }
        std::sort(paths.begin(), paths.end());
        for (const fs::path& path : paths) {
            inputs.push_back({path.stem().string(), ReadAll(path)});
        }
        return inputs;
    };
    Report("corpus", files(fs::path(QV_RTF_CORPUS) / "public"), dir);
    Report("fixtures", files(QV_RTF_FIXTURES), dir);

    std::mt19937 random(7);
    std::vector<Input> manual;
    for (int i = 0; i < sections; ++i) {
        manual.push_back({i % 10 == 9 ? std::string() : "Topic " + std::to_string(i),
                          ManualBody(i, sections, random)});
    }
    Report("manual", manual, dir);
    ReleaseSettingsStore();
    fs::remove_all(dir);
    return 0;
}
