#include "generators/generate_document.h"

#include "core/settings_keys.h"
#include "document/domain.h"
#include "document/domain_store.h"
#include "generators/generator.h"

#include <filesystem>

namespace {

// Relative folders are taken from the current folder now, since the help compiler runs in
// the target folder and would otherwise look for the project in a folder below it.
std::string AbsoluteFolder(const std::string& folder) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
    return ec ? folder : absolute.string();
}

}  // namespace

std::string GetGenerateTargetPath() {
    return ReadSetting(settings::kTargetPath);
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
        WriteSetting(settings::kTargetPath, folder);
    }
    std::unique_ptr<myGenerator> generator = CreateGenerator(generatorName);
    if (!generator) {
        return false;
    }
    generator->SetTargetPath(folder.empty() ? folder : AbsoluteFolder(folder));
    generator->SetProjectName(projectName);
    generator->ApplyOptions(options);
    const bool ok = generator->Run(store.GetTree(ivDomain::kDocumentTree));
    if (options.missingLinks != nullptr) {
        *options.missingLinks = generator->GetMissingLinks();
    }
    if (ok && options.outputPath != nullptr) {
        *options.outputPath = generator->GetOutputPath();
    }
    if (!ok && options.error != nullptr) {
        *options.error = generator->GetError();
    }
    return ok;
}
