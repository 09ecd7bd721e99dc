#include "bench/bench_support.h"

#include "core/settings.h"
#include "document/domain.h"
#include "document/domain_store.h"
#include "platform/guid.h"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace bench {

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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

std::vector<std::string> WriteDocument(const std::string& path, int sections,
                                       const std::function<std::string(int, std::mt19937&)>& body) {
    std::vector<std::string> ids;
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
        tree->AddAttribute("Text", body(made, random));
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
    store.Save(path);
    return ids;
}

BenchFolder::BenchFolder()
    : m_path(
          (std::filesystem::temp_directory_path() / ("quorvane-bench-" + std::to_string(getpid())))
              .string()) {
    std::filesystem::create_directories(m_path + "/conf");
    InstallSettingsStore(m_path + "/settings.conf");
    SetSetting("/ConfPath", m_path + "/conf");
}

BenchFolder::~BenchFolder() {
    ReleaseSettingsStore();
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string BenchFolder::File(const std::string& name) const {
    return m_path + "/" + name;
}

size_t HeapInUse() {
    return mallinfo2().uordblks;
}

}  // namespace bench
