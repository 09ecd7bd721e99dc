#pragma once

#include "generators/generate_options.h"

#include <string>

class myDomainStore;

// The folder the folder dialog starts in: "/TargetPath", else the user's documents folder.
std::string GetGenerateTargetPath();

// The document's title as a window caption shows it: the file name without its folder and
// extension.
std::string DocumentTitleFromPath(const std::string& path);

// The document's side of the generate command once the user has chosen folder: flushes the
// edits into the tree, stores folder in "/TargetPath", creates the generator named
// generatorName ("HTML", "CHM", "DOC"), runs it on the document tree with projectName and
// deletes it. False when the name names no generator, there is no document tree or the run
// fails; the caller tells the user.
bool GenerateDocument(myDomainStore& store, const std::string& generatorName,
                      const std::string& folder, const std::string& projectName,
                      const ivGenerateOptions& options = {});
