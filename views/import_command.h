#pragma once

#include <string>
#include <vector>

class myReportView;

// "Import Files..." and "Import Folder..." of a document window: the files (or the folder,
// with its files and folders) become sections under the focused section, or at the end of the
// document when the document row is focused, as one step of the document's undo. The list
// shows the first new section; files left out are reported.
void BindImportCommands(myReportView& list);

// Imports paths as the commands do, without asking for them; false when nothing was imported.
bool ImportIntoDocument(myReportView& list, const std::vector<std::string>& paths);
