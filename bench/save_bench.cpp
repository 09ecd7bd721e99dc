// Times saving a document whose one section has a very large body, at a size and at four
// times that size: saving must stay linear, so the larger save may take at most 4.5 times as
// long. The time to make the text alone is shown too: the whole save also writes the file and
// waits for the disk, which a busy machine makes vary.
//
//   build-bench/bin/save_bench [megabytes]     (default 25, so 25 MB and 100 MB)

#include "core/settings.h"
#include "document/domain.h"
#include "document/domain_store.h"

#include <wx/init.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// An RTF body of about megabytes MB as an editor streams it: paragraphs with line breaks,
// code-page escapes and characters that the file's encoding writes as references.
std::string Body(size_t megabytes) {
    const std::string paragraph =
        "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22 Gr\\'f6\\'dfe und \\'c4nderung, <tags> & "
        "\"quotes\" \\u8364? \xe2\x82\xac \xc3\xa4\\par\r\n";
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\r\n";
    const size_t size = megabytes << 20;
    rtf.reserve(size + paragraph.size());
    while (rtf.size() < size) {
        rtf += paragraph;
    }
    return rtf + "}";
}

struct Times {
    double text = 0;  // the document as text (SaveToString)
    double save = 0;  // the whole save: text, file written and flushed to disk, view state
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The medians of five saves of a document with a body of megabytes MB, in seconds.
Times SaveSeconds(const std::filesystem::path& dir, size_t megabytes, double& fileMegabytes) {
    myDomainStore store;
    store.New();
    ivXML* tree = store.GetTree(ivDomain::kDocumentTree);
    tree->GoRoot();
    tree->AddNode("Section");
    tree->AddAttribute("ID", "{00000000-0000-0000-0000-000000000001}");
    tree->AddAttribute("Title", "Large");
    tree->AddAttribute("Text", Body(megabytes));
    tree->EndNode();
    const std::string file = (dir / "large.etf").string();
    std::vector<double> texts;
    std::vector<double> saves;
    for (int run = 0; run < 5; ++run) {
        auto start = Clock::now();
        if (tree->SaveToString().empty()) {
            std::fprintf(stderr, "no text\n");
            std::exit(1);
        }
        texts.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        start = Clock::now();
        if (!store.Save(file)) {
            std::fprintf(stderr, "save failed\n");
            std::exit(1);
        }
        saves.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    fileMegabytes = static_cast<double>(std::filesystem::file_size(file)) / (1 << 20);
    return {Median(texts), Median(saves)};
}

}  // namespace

int main(int argc, char** argv) {
    wxInitializer wx;
    const size_t megabytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 25;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("quorvane-save-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "conf");
    InstallSettingsStore((dir / "settings.conf").string());
    SetSetting("/ConfPath", (dir / "conf").string());

    double smallFile = 0;
    double largeFile = 0;
    const Times small = SaveSeconds(dir, megabytes, smallFile);
    const Times large = SaveSeconds(dir, megabytes * 4, largeFile);
    for (const auto& [size, file, t] :
         {std::tuple{megabytes, smallFile, small}, std::tuple{megabytes * 4, largeFile, large}}) {
        std::printf("body %4zu MB (file %6.1f MB): as text %8.1f ms, save %8.1f ms\n", size, file,
                    t.text * 1e3, t.save * 1e3);
    }
    std::printf("4x the body: %.2fx the time as text, %.2fx to save (goal <= 4.5)\n",
                large.text / small.text, large.save / small.save);

    ReleaseSettingsStore();
    std::filesystem::remove_all(dir);
    return large.save / small.save <= 4.5 ? 0 : 1;
}
