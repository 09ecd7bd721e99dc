#include "app/cli/cli.h"
#include "core/messages.h"
#include "core/translate.h"
#include "document/domain_store.h"
#include "document/file_import.h"

#include <cstdio>

namespace {

constexpr const char* kUsage = "DOC.etf FILE... [--under ID]";

// Adds the files and folders to the document and saves it in place; a document that does not
// exist yet is made.
int ImportFiles(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::string under;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--under" && i + 1 < args.size()) {
            under = args[++i];
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() < 2) {
        std::fprintf(stderr, "Usage: quorvane-cli import %s\n", kUsage);
        return 2;
    }
    const std::string& file = positional[0];
    myDomainStore store;
    std::FILE* existing = std::fopen(file.c_str(), "rb");
    if (existing != nullptr) {
        std::fclose(existing);
    }
    if (existing != nullptr ? !store.Open(file) : !store.New()) {
        return 1;
    }
    ivFileImporter importer(store.Editor());
    ivImportResult result;
    const std::vector<std::string> paths(positional.begin() + 1, positional.end());
    const bool ok = importer.Import(paths, under, result);
    for (const std::string& skipped : result.skipped) {
        std::fprintf(stderr, "%s\n", skipped.c_str());
    }
    if (!ok && result.sectionIds.empty()) {
        ShowMessage(under.empty() || !result.skipped.empty()
                        ? Translate("Importing the files failed.")
                        : TranslateFormat("There is no section with the ID %s.", under.c_str()),
                    {}, 0, kMessageError);
        return 1;
    }
    // What was imported is kept even when some paths could not be read.
    if (!store.Save(file)) {
        return 1;
    }
    std::printf("%s\n",
                TranslateFormat("%d sections imported.", static_cast<int>(result.sectionIds.size()))
                    .c_str());
    return ok && std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

void AddImportCommands(std::vector<CliCommand>& commands) {
    commands.push_back({"import", kUsage,
                        "add files and folders as sections (RTF, HTML, Markdown, text), then save",
                        ImportFiles});
}
