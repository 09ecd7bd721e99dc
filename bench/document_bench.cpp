// Times the document core on a 10,000-section document of about 50 MB: open, find by ID,
// outline, save; and xmllint --noout on the same file as a yardstick.
//
//   build-release/bin/document_bench [sections]

#include "bench/bench_support.h"
#include "document/domain.h"
#include "document/domain_store.h"
#include "document/outline.h"

#include <wx/init.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using namespace bench;

int main(int argc, char** argv) {
    wxInitializer wx;
    const int sections = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const BenchFolder dir;
    const std::string file = dir.File("big.etf");

    // 100 chapters of 9 sections of 10 subsections each make 10,000 sections.
    const std::vector<std::string> ids = WriteDocument(file, sections, RealisticBody);
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
    const std::string saved = dir.File("saved.etf");
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
    return 0;
}
