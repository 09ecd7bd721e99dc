// Times finding text across a 10,000-section document of about 50 MB: the first search,
// which reads every body's plain text, then a query typed key by key, then one edit and
// the search after it. Then as the editor does it: the bodies read on a worker thread once
// the document has opened, and the first keystroke while that runs or after it is done.
//
//   build-bench/bin/search_bench [sections]

#include "bench/bench_support.h"
#include "document/document_search.h"
#include "document/domain.h"
#include "document/domain_store.h"

#include <wx/init.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace bench;

int main(int argc, char** argv) {
    wxInitializer wx;
    const int sections = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const BenchFolder dir;
    const std::string file = dir.File("big.etf");
    const std::vector<std::string> ids = WriteDocument(file, sections, RealisticBody);
    std::printf("document: %zu sections, %.1f MB\n", ids.size(),
                std::filesystem::file_size(file) / 1e6);

    myDomainStore store;
    if (!store.Open(file)) {
        std::fprintf(stderr, "open failed\n");
        return 1;
    }
    ivDocumentSearch search;
    search.SetTree(store.GetTree(ivDomain::kDocumentTree));
    search.Attach(store.Editor());

    size_t hits = 0;
    const double first = Seconds([&] { hits = search.Find("c").size(); });
    std::printf("first search (reads every body):  %7.1f ms, %zu hits\n", first * 1e3, hits);

    // Each keystroke of a query, as the find box sends them.
    const std::string query = "context";
    std::vector<double> keys;
    for (size_t n = 2; n <= query.size(); ++n) {
        keys.push_back(Seconds([&] { hits = search.Find(query.substr(0, n)).size(); }));
    }
    std::printf("next keystrokes: median %7.1f ms, slowest %.1f ms (%zu hits for \"%s\")\n",
                Median(keys) * 1e3, *std::max_element(keys.begin(), keys.end()) * 1e3, hits,
                query.c_str());
    const double words =
        MedianOf(5, [&] { hits = search.Find("the", {.wholeWords = true}).size(); });
    std::printf("whole words \"the\": %7.1f ms, %zu hits (first 10,000 kept)\n", words * 1e3, hits);

    // F3 through the hits, from one to the next.
    std::optional<ivSearchHit> hit = search.FindNext(query, {}, nullptr);
    const double next = MedianOf(5, [&] {
        for (int i = 0; i < 100 && hit; ++i) {
            hit = search.FindNext(query, {}, &*hit);
        }
    });
    std::printf("next hit: %7.3f ms each\n", next * 1e3 / 100);

    std::mt19937 random(3);
    const double edited = MedianOf(5, [&] {
        store.Editor().StoreBody(ids[random() % ids.size()],
                                 RealisticBody(static_cast<int>(random() % 1000), random), "now");
        hits = search.Find(query).size();
    });
    std::printf("search after one body was edited: %7.1f ms\n", edited * 1e3);

    // Replacing the word searched for: the preview's plan, then the replacement of every match.
    std::vector<ivReplaceChange> plan;
    const double planned = Seconds([&] { plan = search.PlanReplace(query, "CONTEXT", {}); });
    size_t matches = 0;
    for (const ivReplaceChange& change : plan) {
        matches += change.matches.size();
    }
    std::printf("replace plan for \"%s\": %7.1f ms, %zu matches in %zu sections\n", query.c_str(),
                planned * 1e3, matches, plan.size());
    const double applied =
        Seconds([&] { ivDocumentSearch::ApplyReplace(plan, store.Editor(), "now", nullptr); });
    std::printf("replacing them: %7.1f ms\n", applied * 1e3);

    // The editor starts the reading when the document has opened. What that costs the
    // interface (the bodies copied for the worker), then a first keystroke at once, which
    // waits for what the worker has left, and one made once the worker is done.
    const auto reopened = [&](ivDocumentSearch& s, myDomainStore& st) {
        if (!st.Open(file)) {
            std::fprintf(stderr, "open failed\n");
            std::exit(1);
        }
        s.SetTree(st.GetTree(ivDomain::kDocumentTree));
        s.Attach(st.Editor());
        return Seconds([&] { s.PrepareInBackground(); });
    };
    {
        myDomainStore early;
        ivDocumentSearch searchEarly;
        const double start = reopened(searchEarly, early);
        const double at = Seconds([&] { hits = searchEarly.Find("c").size(); });
        std::printf("background: started in %7.1f ms; a keystroke at once: %7.1f ms\n", start * 1e3,
                    at * 1e3);
    }
    myDomainStore later;
    ivDocumentSearch searchLater;
    reopened(searchLater, later);
    const double prepared = Seconds([&] {
        while (searchLater.IsPreparing()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    const double firstKey = Seconds([&] { hits = searchLater.Find("c").size(); });
    std::vector<double> laterKeys;
    for (size_t n = 2; n <= query.size(); ++n) {
        laterKeys.push_back(Seconds([&] { hits = searchLater.Find(query.substr(0, n)).size(); }));
    }
    std::printf(
        "background read done %7.1f ms later; first keystroke then: %7.1f ms, next "
        "median %.1f ms, slowest %.1f ms\n",
        prepared * 1e3, firstKey * 1e3, Median(laterKeys) * 1e3,
        *std::max_element(laterKeys.begin(), laterKeys.end()) * 1e3);
    return 0;
}
