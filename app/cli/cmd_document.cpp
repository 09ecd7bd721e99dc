#include "app/cli/cli.h"
#include "document/domain.h"
#include "document/domain_store.h"
#include "document/outline.h"

#include <cstdio>

namespace {

bool WrongArguments(const std::vector<std::string>& args, size_t count, const char* usage) {
    if (args.size() == count) {
        return false;
    }
    std::fprintf(stderr, "Usage: quorvane-cli %s\n", usage);
    return true;
}

int Outline(const std::vector<std::string>& args) {
    if (WrongArguments(args, 1, "outline FILE")) {
        return 2;
    }
    myDomainStore store;
    if (!store.Open(args[0])) {
        return 1;
    }
    ivXML* tree = store.GetTree(ivDomain::kDocumentTree);
    tree->GoRoot();
    for (const OutlineRow& row : BuildOutline(*tree)) {
        std::printf("%s\t%s\t%s\n", row.numbering.c_str(), row.title.c_str(), row.id.c_str());
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int Resave(const std::vector<std::string>& args) {
    if (WrongArguments(args, 2, "resave IN OUT")) {
        return 2;
    }
    myDomainStore store;
    if (!store.Open(args[0])) {
        return 1;
    }
    return store.Save(args[1]) ? 0 : 1;
}

}  // namespace

void AddDocumentCommands(std::vector<CliCommand>& commands) {
    commands.push_back({"outline", "FILE",
                        "print the section list: numbering, title and ID, tab-separated", Outline});
    commands.push_back({"resave", "IN OUT", "open a document and save it again as OUT", Resave});
}
