// Times the document core on a 10,000-section document of about 50 MB: open, find by ID,
// outline, save; and xmllint --noout on the same file as a yardstick.
//
//   build-release/bin/document_bench [sections]

#include "core/settings.h"
#include "document/domain.h"
#include "document/domain_store.h"
#include "document/outline.h"
#include "platform/guid.h"

#include <wx/init.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MedianOf(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        times.push_back(Seconds(work));
    }
    return Median(times);
}

// A section body as a word processor writes it: header tables, styled paragraphs, code-page
// escapes, Unicode escapes and a hyperlink field; about 5 KB.
std::string RealisticBody(int n, std::mt19937& random) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1031{\\fonttbl{"
        "\\f0\\fswiss\\fcharset0 "
        "Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}{\\f2\\fmodern\\fcharset0 Courier "
        "New;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue255;\\red192\\green0\\blue0;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n";
    const char* words[] = {
        "section",      "help",           "topic",  "\\'e4nderung",    "Gr\\'f6\\'dfe",
        "index",        "\\u8364?",       "window", "context",         "reference",
        "\\b bold\\b0", "\\i italic\\i0", "table",  "\\cf1 blue\\cf0", "alias",
        "output"};
    int paragraph = 0;
    while (rtf.size() < 4800) {
        rtf += "\\pard\\sa200\\sl276\\slmult1\\f" + std::to_string(paragraph % 3) + "\\fs" +
               std::to_string(20 + 2 * (paragraph % 4)) + " ";
        if (paragraph == 2) {
            rtf += "{\\field{\\*\\fldinst{HYPERLINK \"https://example.org/s" + std::to_string(n) +
                   "\"}}{\\fldrslt{\\ul\\cf1 link " + std::to_string(n) + "}}}\\f0 ";
        }
        for (int w = 0; w < 40; ++w) {
            rtf += words[random() % (sizeof words / sizeof *words)];
            rtf += ' ';
        }
        rtf += "\\par\r\n";
        ++paragraph;
    }
    return rtf + "}\r\n";
}

}  // namespace

int main(int argc, char** argv) {
    wxInitializer wx;
    const int sections = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("quorvane-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "conf");
    InstallSettingsStore((dir / "settings.conf").string());
    SetSetting("/ConfPath", (dir / "conf").string());
    const std::string file = (dir / "big.etf").string();

    // 100 chapters of 9 sections of 10 subsections each make 10,000 sections.
    std::vector<std::string> ids;
    {
        std::mt19937 random(42);
        myDomainStore store;
        store.New();
        ivXML* tree = store.GetTree(ivDomain::kDocumentTree);
        tree->GoRoot();
        int made = 0;
        std::function<void(int)> add = [&](int level) {
            ids.push_back(platform::NewGuidString());
            tree->AddNode("Section");
            tree->AddAttribute("ID", ids.back());
            tree->AddAttribute("Title", "Section " + std::to_string(made));
            tree->AddAttribute("Created", "12/07/2026 10:00:00");
            tree->AddAttribute("Text", RealisticBody(made, random));
            ++made;
            const int children = level == 0 ? 9 : level == 1 ? 10 : 0;
            for (int c = 0; c < children && made < sections; ++c) {
                add(level + 1);
            }
            tree->EndNode();
        };
        while (made < sections) {
            add(0);
        }
        store.Save(file);
    }
    const double megabytes = std::filesystem::file_size(file) / 1e6;
    std::printf("document: %zu sections, %.1f MB\n", ids.size(), megabytes);

    // Opening and xmllint take turns, so that both see the same load on the machine.
    const bool haveXmllint = std::system("command -v xmllint >/dev/null 2>&1") == 0;
    const std::string xmllintCommand = "xmllint --noout --huge '" + file + "'";
    std::vector<double> opens, lints;
    for (int run = 0; run < 7; ++run) {
        opens.push_back(Seconds([&] {
            myDomainStore store;
            if (!store.Open(file)) {
                std::fprintf(stderr, "open failed\n");
                std::exit(1);
            }
        }));
        if (haveXmllint) {
            lints.push_back(Seconds([&] {
                if (std::system(xmllintCommand.c_str()) != 0) {
                    std::fprintf(stderr, "xmllint failed\n");
                }
            }));
        }
    }
    const double open = Median(opens);
    const double xmllint = haveXmllint ? Median(lints) : -1;

    myDomainStore store;
    store.Open(file);
    ivXML* tree = store.GetTree(ivDomain::kDocumentTree);
    std::mt19937 random(7);
    const int lookups = 1000;
    int found = 0;
    const double find =
        Seconds([&] {
            for (int i = 0; i < lookups; ++i) {
                tree->GoRoot();
                found += tree->SelectWhere("Section", "ID", ids[random() % ids.size()],
                                           ivData::SELECT_ANYWHERE | ivData::SELECT_ATTRIBUTE);
            }
        }) /
        lookups;
    const double outline = MedianOf(5, [&] {
        tree->GoRoot();
        if (BuildOutline(*tree).size() != ids.size() + 1) {
            std::fprintf(stderr, "outline incomplete\n");
            std::exit(1);
        }
    });
    const std::string saved = (dir / "saved.etf").string();
    const double save = MedianOf(5, [&] { store.Save(saved); });

    std::printf("open:          %8.1f ms\n", open * 1e3);
    std::printf("find by ID:    %8.3f ms (mean of %d, %d found)\n", find * 1e3, lookups, found);
    std::printf("outline rows:  %8.1f ms\n", outline * 1e3);
    std::printf("save:          %8.1f ms\n", save * 1e3);
    if (xmllint > 0) {
        std::printf("xmllint:       %8.1f ms (--noout, whole process)\n", xmllint * 1e3);
        std::printf("open / xmllint %.2f (goal <= 1.5), save / xmllint %.2f (goal <= 2)\n",
                    open / xmllint, save / xmllint);
    }
    ReleaseSettingsStore();
    std::filesystem::remove_all(dir);
    return 0;
}
