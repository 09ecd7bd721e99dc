#pragma once

class myDomainFile;

// The generate command of a document: the generator box shows and sets the document's
// generator; "TOOLS_GENERATE", offered while a generator is chosen, asks for the target folder
// (starting at "/TargetPath") and runs the generator there, with its progress in the main
// window's status bar. A run that fails is reported; a name that names no generator does
// nothing.
void BindGenerateCommand(myDomainFile& document);
