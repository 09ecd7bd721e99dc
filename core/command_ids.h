#pragma once

// Identifiers of commands, and of the start-up timer.
//
// The command table numbers its commands from 32768 up (57600 is "new file"), but wxWidgets
// takes menu and tool identifiers only below 0x7FFF. Inside the program a command's identifier
// is therefore its table number minus 0x8000, the same shift for every command, so that the
// differences between numbers (the document-type range, the recent files) stay as they are.
// FromTableNumber is the only place where a table number becomes an identifier: menus,
// accelerators, status indicators, generators and tests all use the identifiers below.
namespace command_id {

constexpr int FromTableNumber(int number) {
    return number - 0x8000;
}
constexpr int ToTableNumber(int id) {
    return id + 0x8000;
}

inline constexpr int kFileNewByTypeFirst = FromTableNumber(57591);  // up to kFileNew
inline constexpr int kFileNew = FromTableNumber(57600);
inline constexpr int kFileOpen = FromTableNumber(57601);
inline constexpr int kFileClose = FromTableNumber(57602);
inline constexpr int kFileSave = FromTableNumber(57603);
inline constexpr int kFileSaveAs = FromTableNumber(57604);
inline constexpr int kFilePrintSetup = FromTableNumber(57606);
inline constexpr int kFilePrint = FromTableNumber(57607);
inline constexpr int kFilePrintDirect = FromTableNumber(57608);  // without the print dialog
inline constexpr int kFilePrintPreview = FromTableNumber(57609);
inline constexpr int kFileSendMail = FromTableNumber(57612);
inline constexpr int kFileMruFirst = FromTableNumber(57616);  // the recent files, up to
inline constexpr int kFileMruLast = FromTableNumber(57631);   // kFileMruLast
inline constexpr int kAppAbout = FromTableNumber(57664);
inline constexpr int kAppExit = FromTableNumber(57665);
inline constexpr int kHelpIndex = FromTableNumber(57666);
inline constexpr int kHelpFinder = FromTableNumber(57667);
inline constexpr int kHelpUsing = FromTableNumber(57668);
inline constexpr int kContextHelp = FromTableNumber(57669);
inline constexpr int kHelp = FromTableNumber(57670);
inline constexpr int kHelpNothing = FromTableNumber(57672);
inline constexpr int kAppUpdate = FromTableNumber(57673);
inline constexpr int kAppOnline = FromTableNumber(57674);
inline constexpr int kAppTips = FromTableNumber(57675);
inline constexpr int kEditDelete = FromTableNumber(57632);
inline constexpr int kEditCopy = FromTableNumber(57634);
inline constexpr int kEditCut = FromTableNumber(57635);
inline constexpr int kEditFind = FromTableNumber(57636);
inline constexpr int kEditPaste = FromTableNumber(57637);
inline constexpr int kEditFindNext = FromTableNumber(57640);
inline constexpr int kEditFindQuick = FromTableNumber(33060);
inline constexpr int kViewExpand = FromTableNumber(34844);
inline constexpr int kViewExpandAll = FromTableNumber(34845);
inline constexpr int kViewCollapse = FromTableNumber(34846);
inline constexpr int kViewCollapseAll = FromTableNumber(34847);
inline constexpr int kViewRefresh = FromTableNumber(59407);
inline constexpr int kInsertSection = FromTableNumber(32929);
inline constexpr int kInsertSectionAbove = FromTableNumber(32930);
inline constexpr int kInsertSectionUnder = FromTableNumber(32931);
inline constexpr int kFormatFont = FromTableNumber(57696);
inline constexpr int kFormatFontFace = FromTableNumber(57697);
inline constexpr int kFormatFontSize = FromTableNumber(57698);
// A colour picker's automatic button is its identifier + 1, its colour selector + 2.
inline constexpr int kFormatFontColor = FromTableNumber(57699);
inline constexpr int kFormatHighlight = FromTableNumber(57702);
inline constexpr int kFormatBold = FromTableNumber(57706);
inline constexpr int kFormatItalic = FromTableNumber(57707);
inline constexpr int kFormatUnderline = FromTableNumber(57708);
inline constexpr int kFormatParagraphLeft = FromTableNumber(57713);
inline constexpr int kFormatParagraphCenter = FromTableNumber(57714);
inline constexpr int kFormatParagraphRight = FromTableNumber(57715);
inline constexpr int kFormatParagraphBullets = FromTableNumber(57716);
// The entries of a report's column chooser: the first column, then one number per column.
inline constexpr int kColumnChooserFirst = FromTableNumber(60032);
inline constexpr int kToolsGeneratorBox = FromTableNumber(34576);  // "TOOLS_BLA"
inline constexpr int kToolsGenerate = FromTableNumber(34590);
// An image of the generator family without a command of its own.
inline constexpr int kToolsGenerateAlternate = FromTableNumber(34591);
// Taking tree edits back and moving sections: numbers of the editor's own, outside the ranges
// of the command table.
inline constexpr int kEditUndo = FromTableNumber(36864);
inline constexpr int kEditRedo = FromTableNumber(36865);
inline constexpr int kSectionMoveUp = FromTableNumber(36866);
inline constexpr int kSectionMoveDown = FromTableNumber(36867);
inline constexpr int kSectionMoveOut = FromTableNumber(36868);
inline constexpr int kSectionMoveIn = FromTableNumber(36869);
// Links between sections and files imported as sections.
inline constexpr int kInsertSectionLink = FromTableNumber(36875);
inline constexpr int kFileImport = FromTableNumber(36876);
inline constexpr int kFileImportFolder = FromTableNumber(36877);
// The page template of the generated pages.
inline constexpr int kToolsTemplate = FromTableNumber(36878);
// The main window's customisation dialog.
inline constexpr int kCustomize = FromTableNumber(35001);

// The timer that runs the start-up checks once the message loop is running (timer
// identifiers are not limited, so it keeps its number).
inline constexpr int kStartupTimer = 57673;

}  // namespace command_id
