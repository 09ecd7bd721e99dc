#pragma once

#include <functional>
#include <string>
#include <vector>

// The subcommands of quorvane-cli. Each takes its arguments (after the command name) and
// returns the process exit status.
struct CliCommand {
    std::string name;
    std::string usage;    // arguments, as shown by --help
    std::string summary;  // one line
    std::function<int(const std::vector<std::string>& args)> run;
};

// Every command the tool offers, in the order --help lists them.
const std::vector<CliCommand>& CliCommands();

// Runs the tool on argv (without the program name); the exit status.
int RunCli(const std::vector<std::string>& args);

// Commands of each area, gathered by CliCommands.
void AddDocumentCommands(std::vector<CliCommand>& commands);
void AddRtfCommands(std::vector<CliCommand>& commands);
void AddGenerateCommands(std::vector<CliCommand>& commands);
void AddImportCommands(std::vector<CliCommand>& commands);
