#include "app/cli/cli.h"
#include "core/messages.h"
#include "core/translate.h"
#include "document/domain_store.h"
#include "generators/generate_document.h"
#include "generators/generator.h"
#include "generators/status_indicators.h"
#include "platform/paths.h"
#include "platform/process.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

// "HTML|CHM|DOC FILE.etf TARGET [--template FILE] [--no-compile]"
std::string Arguments() {
    std::string kinds;
    for (const std::string& name : GeneratorNames()) {
        kinds += (kinds.empty() ? "" : "|") + name;
    }
    return kinds + " FILE.etf TARGET [--template FILE] [--no-compile]";
}

// A progress bar on standard error, redrawn in place; only drawn on a terminal, so that logs
// and pipes get no control characters.
class TerminalProgress : public ivStatusIndicators {
public:
    TerminalProgress() : m_enabled(isatty(STDERR_FILENO) == 1) {}
    ~TerminalProgress() override { Clear(); }

    void SetIndicator(const std::string& name, int value) override {
        if (!m_enabled) {
            return;
        }
        if (name == kMode) {
            m_mode = value;
            if (value == 0) {
                Clear();
            }
            return;
        }
        // Progress counts only while a mode is shown; the reset after a run draws nothing.
        if (name == kProgress && m_mode != 0 && value != m_progress) {
            m_progress = value;
            Draw();
        }
    }

private:
    void Draw() {
        constexpr int kWidth = 40;
        const int filled = m_progress * kWidth / 100;
        std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(filled, '#').c_str(),
                     std::string(kWidth - filled, ' ').c_str(), m_progress);
        std::fflush(stderr);
        m_drawn = true;
    }
    void Clear() {
        if (m_drawn) {
            std::fprintf(stderr, "\r%*s\r", 48, "");
            std::fflush(stderr);
            m_drawn = false;
        }
        m_progress = -1;
    }

    bool m_enabled;
    bool m_drawn = false;
    int m_mode = 0;
    int m_progress = -1;
};

void Report(const std::string& text) {
    ShowMessage(text, {}, 0, kMessageError);
}

int Generate(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::optional<std::string> templatePath;
    // A help project is what a viewer that reads projects shows; the build of this program's
    // own manual needs no compiler.
    bool compile = true;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--template" && i + 1 < args.size()) {
            templatePath = args[++i];
        } else if (args[i] == "--no-compile") {
            compile = false;
        } else {
            positional.push_back(args[i]);
        }
    }
    const std::vector<std::string>& names = GeneratorNames();
    const bool known =
        !positional.empty() && std::find(names.begin(), names.end(), positional[0]) != names.end();
    if (positional.size() != 3 || !known) {
        std::fprintf(stderr, "Usage: quorvane-cli generate %s\n", Arguments().c_str());
        return 2;
    }
    const std::string& kind = positional[0];
    const std::string& file = positional[1];
    const std::string& target = positional[2];

    myDomainStore store;
    if (!store.Open(file)) {
        return 1;
    }
    if (!platform::MakeDirectories(target)) {
        Report(Translate("Creating the target folder failed."));
        return 1;
    }

    TerminalProgress progress;
    ivGenerateOptions options;
    options.templatePath = templatePath;
    options.indicators = &progress;
    // A batch tool needs the result: it waits for the help compiler and does not open the
    // Word document.
    bool compilerStarted = false;
    int compilerStatus = 0;
    options.startCompiler = [&](const std::vector<std::string>& argv, const std::string& folder) {
        compilerStarted = !compile || platform::RunAndWait(argv, folder, compilerStatus);
        return compilerStarted;
    };
    options.openResult = false;
    options.rememberFolder = false;
    std::string output;
    options.outputPath = &output;
    std::string error;
    options.error = &error;
    std::vector<section_link::Missing> missing;
    options.missingLinks = &missing;

    const bool generated =
        GenerateDocument(store, kind, target, DocumentTitleFromPath(file), options);
    // The output is usable all the same; the links written as text are worth knowing.
    for (const section_link::Missing& link : missing) {
        std::fprintf(stderr, "%s\n",
                     TranslateFormat("\"%s\" links to a section that does not exist: %s",
                                     link.fromTitle.c_str(), link.targetId.c_str())
                         .c_str());
    }
    if (!generated) {
        Report(Translate("Generating output failed.") + (error.empty() ? "" : "\n" + error));
        return 1;
    }
    if (kind == "CHM" && compile) {
        if (!compilerStarted) {
            Report(Translate("The help compiler could not be started."));
            return 1;
        }
        if (compilerStatus != 0) {
            Report(
                TranslateFormat("The help compiler failed with exit status %d.", compilerStatus));
            return 1;
        }
    }
    if (kind == "DOC") {
        std::printf("%s\n", output.c_str());
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

void AddGenerateCommands(std::vector<CliCommand>& commands) {
    commands.push_back({"generate", Arguments(),
                        "generate HTML pages, a compiled help file or a Word document into TARGET",
                        Generate});
}
