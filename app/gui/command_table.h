#pragma once

class ivApp;
class ivCommandSite;

// The editor's command table, issued to the site's builder (myApp's OnCreateCommands), and
// the lists of its bars: the generator box with "HTML", "CHM" and "DOC"
// (OnFillCommandLists). Both always report success; a row that fails leaves its control out.
bool DefineEditorCommands(ivCommandSite* site);
bool FillEditorCommandLists(ivCommandSite* site);

// What the commands of the table offer when no document or view takes their update: the
// document's commands while a document is open, those no window takes yet never.
void BindEditorCommandStates(ivApp& app);
