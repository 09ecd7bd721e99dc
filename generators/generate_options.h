#pragma once

#include "document/section_link.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class ivStatusIndicators;

// What a caller may change about one run of the generate command. The editor leaves all of
// it alone; quorvane-cli uses it for its options and its batch needs.
struct ivGenerateOptions {
    // Replaces "/Generators/HTML/Template" for this run (HTML and CHM).
    std::optional<std::string> templatePath;
    // CHM: starts the help compiler (argv, folder); empty starts it detached, without waiting.
    std::function<bool(const std::vector<std::string>& argv, const std::string& folder)>
        startCompiler;
    // DOC: open the finished document with the desktop's default application.
    bool openResult = true;
    // Where progress is shown; null uses the installed status indicators.
    ivStatusIndicators* indicators = nullptr;
    // Store the folder in "/TargetPath" for the next run (a batch tool leaves the editor's
    // choice alone).
    bool rememberFolder = true;
    // Receives the path of the file a run made when it makes one (DOC: the .docx).
    std::string* outputPath = nullptr;
    // Receives why a failed run failed, naming the file concerned; empty when it gave no
    // reason.
    std::string* error = nullptr;
    // Receives the links to sections that do not exist, which the run wrote as plain text.
    std::vector<section_link::Missing>* missingLinks = nullptr;
};
