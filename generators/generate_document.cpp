#include "generators/generate_document.h"

#include "core/settings.h"
#include "document/domain.h"
#include "document/domain_store.h"
#include "generators/generator.h"
#include "generators/generator_chm.h"
#include "generators/generator_html.h"
#include "generators/generator_word.h"
#include "platform/paths.h"

#include <filesystem>

namespace {

constexpr const char* kTargetPathSetting = "/TargetPath";

// Relative folders are taken from the current folder now, since the help compiler runs in
// the target folder and would otherwise look for the project in a folder below it.
std::string AbsoluteFolder(const std::string& folder) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
    return ec ? folder : absolute.string();
}

void ApplyOptions(myGenerator& generator, const ivGenerateOptions& options) {
    if (options.indicators != nullptr) {
        generator.SetIndicators(options.indicators);
    }
    if (auto* html = dynamic_cast<myGeneratorHTML*>(&generator)) {
        if (options.templatePath) {
            html->SetTemplatePath(*options.templatePath);
        }
    }
    if (auto* chm = dynamic_cast<myGeneratorCHM*>(&generator)) {
        if (options.startCompiler) {
            chm->SetCompilerStarter(options.startCompiler);
        }
    }
    if (auto* word = dynamic_cast<myGeneratorMicrosoftWord*>(&generator)) {
        word->SetOpenResult(options.openResult);
    }
}

}  // namespace

std::string GetGenerateTargetPath() {
    return GetSetting(kTargetPathSetting, platform::UserDocumentsDirectory());
}

std::string DocumentTitleFromPath(const std::string& path) {
    std::string name = path.substr(path.rfind('/') + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

bool GenerateDocument(myDomainStore& store, const std::string& generatorName,
                      const std::string& folder, const std::string& projectName,
                      const ivGenerateOptions& options) {
    store.Flush();
    if (generatorName.empty()) {
        return false;
    }
    if (options.rememberFolder) {
        SetSetting(kTargetPathSetting, folder);
    }
    std::unique_ptr<myGenerator> generator = CreateGenerator(generatorName);
    if (!generator) {
        return false;
    }
    generator->SetTargetPath(folder.empty() ? folder : AbsoluteFolder(folder));
    generator->SetProjectName(projectName);
    ApplyOptions(*generator, options);
    const bool ok = generator->Run(store.GetTree(ivDomain::kDocumentTree));
    if (ok && options.outputPath != nullptr) {
        if (auto* word = dynamic_cast<myGeneratorMicrosoftWord*>(generator.get())) {
            *options.outputPath = word->GetOutputPath();
        }
    }
    return ok;
}
