#include "app/cli/cli.h"

#include "core/identity.h"

#include <cstdio>

namespace {

void PrintHelp(std::FILE* out) {
    std::fprintf(out,
                 "Usage: quorvane-cli COMMAND [ARGUMENTS]\n"
                 "Works with Quorvane Editor documents (.etf) without opening a window.\n\n"
                 "Commands:\n");
    for (const CliCommand& c : CliCommands()) {
        const std::string line = c.name + (c.usage.empty() ? "" : " " + c.usage);
        std::fprintf(out, "  %-36s %s\n", line.c_str(), c.summary.c_str());
    }
    std::fprintf(out,
                 "\nOptions:\n"
                 "  %-36s %s\n  %-36s %s\n",
                 "--help", "show this help and exit", "--version", "show the version and exit");
}

}  // namespace

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> commands = [] {
        std::vector<CliCommand> all;
        AddDocumentCommands(all);
        AddRtfCommands(all);
        AddGenerateCommands(all);
        AddImportCommands(all);
        return all;
    }();
    return commands;
}

int RunCli(const std::vector<std::string>& args) {
    if (args.empty()) {
        PrintHelp(stderr);
        return 2;
    }
    const std::string& first = args.front();
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp(stdout);
        return 0;
    }
    if (first == "--version") {
        std::printf("%s\n", identity::kVersion);
        return 0;
    }
    for (const CliCommand& c : CliCommands()) {
        if (c.name == first) {
            return c.run(std::vector<std::string>(args.begin() + 1, args.end()));
        }
    }
    std::fprintf(stderr, "quorvane-cli: unknown command \"%s\" (see --help)\n", first.c_str());
    return 2;
}
