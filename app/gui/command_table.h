#pragma once

class ivCommandSite;

// The editor's command table, issued to the site's builder (myApp's OnCreateCommands), and
// the lists of its bars: the generator box with "HTML", "CHM" and "DOC"
// (OnFillCommandLists). Both always report success; a row that fails leaves its control out.
bool DefineEditorCommands(ivCommandSite* site);
bool FillEditorCommandLists(ivCommandSite* site);
