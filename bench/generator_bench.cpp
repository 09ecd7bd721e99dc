// Times the HTML and compiled-help generators on documents of 500, 2,000 and 8,000 sections
// with bodies as a word processor writes them (about 3 KB of RTF each), and, as a yardstick,
// converting the same bodies with one `pandoc -f rtf -t html` call per section.
//
//   build-bench/bin/generator_bench [--no-navigation] [sections...]
//
// Each size runs without a template (the pages carry only their bodies, so the time should
// grow with the number of sections) and with a template holding "<%navigation%>" (every page
// then carries the links of all sections, which makes the output itself quadratic).

#include "core/settings.h"
#include "document/iv_xml.h"
#include "generators/generator_chm.h"
#include "generators/generator_html.h"
#include "platform/guid.h"

#include <wx/init.h>

#include <time.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time of this process: a run is single-threaded, and other programs on a busy
// machine then do not count.
double CpuSeconds(const std::function<void()>& work) {
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
    work();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
    return static_cast<double>(end.tv_sec - start.tv_sec) +
           static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e9;
}

std::string Body(int n, std::mt19937& random) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1031{\\fonttbl{\\f0\\fswiss"
        "\\fcharset0 Arial;}{\\f1\\fmodern\\fcharset0 Courier New;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue255;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n";
    const char* words[] = {"section",       "help",           "topic",           "\\'e4nderung",
                           "Gr\\'f6\\'dfe", "index",          "\\u8364?",        "window",
                           "\\b bold\\b0",  "\\i italic\\i0", "\\cf1 blue\\cf0", "alias",
                           "output",        "\\f1 code\\f0"};
    for (int paragraph = 0; rtf.size() < 2800; ++paragraph) {
        rtf += "\\pard\\sa200\\sl276\\slmult1\\f0\\fs20 ";
        if (paragraph == 1) {
            rtf += "{\\field{\\*\\fldinst{HYPERLINK \"https://example.org/s" + std::to_string(n) +
                   "\"}}{\\fldrslt{\\ul\\cf1 link}}}\\f0 ";
        }
        for (int w = 0; w < 30; ++w) {
            rtf += words[random() % (sizeof words / sizeof *words)];
            rtf += ' ';
        }
        rtf += "\\par\r\n";
    }
    return rtf + "}\r\n";
}

// Chapters of 4 sections of 4 subsections each (21 sections a chapter); every fifth chapter
// is called "Overview" so that aliases get numbered.
std::unique_ptr<ivXML> MakeDocument(int sections, std::vector<std::string>* bodies) {
    std::mt19937 random(7);
    auto tree = std::make_unique<ivXML>();
    tree->Create();
    tree->AddNode("Document");
    int made = 0;
    std::function<void(int)> add = [&](int level) {
        tree->AddNode("Section");
        tree->AddAttribute("ID", platform::NewGuidString());
        tree->AddAttribute("Title", level == 0 && made % 5 == 0
                                        ? std::string("Overview")
                                        : "Section " + std::to_string(made));
        tree->AddAttribute("Reference", std::to_string(1000 + made));
        std::string body = Body(made, random);
        if (bodies != nullptr) {
            bodies->push_back(body);
        }
        tree->AddAttribute("Text", body);
        ++made;
        for (int c = 0; c < (level < 2 ? 4 : 0) && made < sections; ++c) {
            add(level + 1);
        }
        tree->EndNode();
    };
    while (made < sections) {
        add(0);
    }
    tree->EndNode();
    return tree;
}

// The median processor time of three runs of fresh generators set up by setUp.
template <typename Generator>
double Run(const std::function<void(Generator&)>& setUp, ivXML& tree, const fs::path& out) {
    std::vector<double> times;
    for (int run = 0; run < 3; ++run) {
        fs::remove_all(out);
        fs::create_directories(out);
        Generator generator;
        setUp(generator);
        generator.SetTargetPath(out.string());
        generator.SetProjectName("Bench");
        times.push_back(CpuSeconds([&] {
            if (!generator.Run(&tree)) {
                std::fprintf(stderr, "generation failed\n");
                std::exit(1);
            }
        }));
    }
    fs::remove_all(out);
    std::sort(times.begin(), times.end());
    return times[1];
}

double Pandoc(const std::vector<std::string>& bodies, const fs::path& dir, size_t count) {
    fs::create_directories(dir);
    count = std::min(count, bodies.size());
    for (size_t i = 0; i < count; ++i) {
        std::ofstream(dir / (std::to_string(i) + ".rtf"), std::ios::binary) << bodies[i];
    }
    const double seconds = Seconds([&] {
        for (size_t i = 0; i < count; ++i) {
            const std::string name = (dir / std::to_string(i)).string();
            const std::string command =
                "pandoc -f rtf -t html '" + name + ".rtf' -o '" + name + ".htm'";
            if (std::system(command.c_str()) != 0) {
                std::fprintf(stderr, "pandoc failed\n");
                return;
            }
        }
    });
    fs::remove_all(dir);
    return seconds / static_cast<double>(count);
}

}  // namespace

int main(int argc, char** argv) {
    wxInitializer wx;
    std::vector<int> sizes;
    bool navigation = true;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--no-navigation") {
            navigation = false;
        } else {
            sizes.push_back(std::max(1, std::atoi(argv[i])));
        }
    }
    if (sizes.empty()) {
        sizes = {500, 2000, 8000};
    }
    // Memory-backed when the system has such a folder, so that the disk's moods do not blur
    // the figures.
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path dir = base / ("quorvane-genbench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    InstallSettingsStore((dir / "settings.conf").string());
    SetSetting("/TempPath", dir.string());
    std::ofstream(dir / "template.htm") << "<html><head><meta charset=\"utf-8\"><title><%title%>"
                                           "</title></head><body><nav><%navigation%></nav>"
                                           "<main><%content%></main></body></html>\n";

    std::printf("processor time of the generating process, median of 3 runs\n");
    std::printf("%8s %12s %10s %12s %10s %14s %10s\n", "sections", "HTML ms", "us/section",
                "CHM ms", "us/section", "HTML+nav ms", "us/section");
    std::vector<double> html;
    std::vector<double> chm;
    std::vector<std::string> bodies;
    for (const int size : sizes) {
        auto tree = MakeDocument(size, bodies.empty() ? &bodies : nullptr);
        SetSetting("/Generators/HTML/Template", "");
        const double h = Run<myGeneratorHTML>([](auto&) {}, *tree, dir / "html");
        const double c = Run<myGeneratorCHM>(
            [](myGeneratorCHM& g) {
                g.SetCompilerStarter([](const auto&, const auto&) { return true; });
            },
            *tree, dir / "chm");
        SetSetting("/Generators/HTML/Template", (dir / "template.htm").string());
        const double n = navigation ? Run<myGeneratorHTML>([](auto&) {}, *tree, dir / "nav") : 0;
        std::printf("%8d %12.1f %10.1f %12.1f %10.1f %14.1f %10.1f\n", size, h * 1e3,
                    h * 1e6 / size, c * 1e3, c * 1e6 / size, n * 1e3, n * 1e6 / size);
        html.push_back(h);
        chm.push_back(c);
    }
    for (size_t i = 1; i < sizes.size(); ++i) {
        std::printf("%d -> %d sections (x%.1f): HTML time x%.2f, CHM time x%.2f\n", sizes[i - 1],
                    sizes[i], static_cast<double>(sizes[i]) / sizes[i - 1], html[i] / html[i - 1],
                    chm[i] / chm[i - 1]);
    }
    if (std::system("command -v pandoc >/dev/null 2>&1") == 0) {
        const double p = Pandoc(bodies, dir / "pandoc", 200);
        std::printf("pandoc -f rtf -t html, one call per section (200 sections): %.1f us/section\n",
                    p * 1e6);
    } else {
        std::printf("pandoc is not installed: no comparison\n");
    }
    ReleaseSettingsStore();
    fs::remove_all(dir);
    return 0;
}
