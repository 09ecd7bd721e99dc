#pragma once

class ivDocManager;
class ivMDIParentFrame;

// A plain menu bar for the main window (File with the recent files, Help) until the command
// bars are built from the command table.
void BuildStandInMenu(ivMDIParentFrame& frame, ivDocManager& docManager);
