#pragma once

class ivDocManager;
class ivMDIParentFrame;

// A plain menu bar for the main window (File with the recent files; the section list's Edit,
// View and Insert commands with their shortcuts; Help) until the command bars are built from
// the command table.
void BuildStandInMenu(ivMDIParentFrame& frame, ivDocManager& docManager);
