// The editor's command table: every command with its caption, category, flags, shortcut and
// width, issued to the main window's command builder in the order the bars are made.
#include "app/gui/command_table.h"

#include "app/gui/iv_app.h"
#include "core/command_ids.h"
#include "core/translate.h"
#include "framework/command_builder.h"
#include "framework/command_row.h"
#include "framework/command_site.h"

#include <wx/docview.h>

namespace {

using namespace command_flags;
using namespace shortcut_keys;
namespace id = command_id;

// Adds the rows of one category to the open container.
class Rows {
public:
    Rows(ivCommandBuilder& builder, const char* category)
        : m_builder(builder), m_category(Translate(category)) {}

    Rows& Add(const char* name, int commandId, const char* caption, uint32_t flags = 0,
              uint32_t shortcut = 0, int width = 0) {
        // The recent-file list has no caption of its own, and none is translated.
        const std::string text = caption[0] != '\0' ? Translate(caption) : std::string();
        m_builder.AddCommand(
            ivCommandRow{name, text, m_category, commandId, flags, shortcut, width});
        return *this;
    }

private:
    ivCommandBuilder& m_builder;
    std::string m_category;
};

void Menu(ivCommandBuilder& builder, const char* name, const char* caption) {
    builder.BeginMenu(name, Translate(caption), 0);
}

void FileMenu(ivCommandBuilder& b) {
    Menu(b, "FILE", "&File");
    Rows(b, "File")
        .Add("FILE_NEW", id::kFileNew, "&New...", 0, Ctrl('N'))
        .Add("FILE_OPEN", id::kFileOpen, "&Open...", 0, Ctrl('O'))
        .Add("FILE_SAVE", id::kFileSave, "&Save", kBeginGroup, Ctrl('S'))
        .Add("FILE_SAVE_AS", id::kFileSaveAs, "Save &As...", kRarelyUsed)
        .Add("FILE_IMPORT", id::kFileImport, "&Import Files...", kBeginGroup)
        .Add("FILE_IMPORT_FOLDER", id::kFileImportFolder, "Import F&older...")
        .Add("FILE_PRINT_SETUP", id::kFilePrintSetup, "Printer Set&up...", kBeginGroup)
        .Add("FILE_PRINT_PREVIEW", id::kFilePrintPreview, "Print Pre&view")
        .Add("FILE_PRINT", id::kFilePrint, "&Print...", 0, Ctrl('P'))
        .Add("FILE_SEND_MAIL", id::kFileSendMail, "Sen&d...", kBeginGroup | kRarelyUsed)
        .Add("FILE_MRU", id::kFileMruFirst, "", kBeginGroup)
        .Add("APP_EXIT", id::kAppExit, "E&xit", kBeginGroup);
    b.EndContainer();
}

void EditMenu(ivCommandBuilder& b) {
    Menu(b, "EDIT", "&Edit");
    Rows(b, "Edit")
        .Add("EDIT_UNDO", id::kEditUndo, "&Undo", kBeginGroup, Ctrl('Z'))
        .Add("EDIT_REDO", id::kEditRedo, "&Redo", 0, Ctrl('Y'))
        .Add("EDIT_CUT", id::kEditCut, "C&ut", kBeginGroup, Ctrl('X'))
        .Add("EDIT_COPY", id::kEditCopy, "&Copy", 0, Ctrl('C'))
        .Add("EDIT_PASTE", id::kEditPaste, "&Paste", 0, Ctrl('V'))
        .Add("EDIT_DELETE", id::kEditDelete, "Delete", kBeginGroup, kDelete)
        .Add("SECTION_MOVE_UP", id::kSectionMoveUp, "Move Section &Up", kBeginGroup,
             Make(kAlt | kShift, kUp))
        .Add("SECTION_MOVE_DOWN", id::kSectionMoveDown, "Move Section &Down", 0,
             Make(kAlt | kShift, kDown))
        .Add("SECTION_MOVE_OUT", id::kSectionMoveOut, "Move Section &Out", 0,
             Make(kAlt | kShift, kLeft))
        .Add("SECTION_MOVE_IN", id::kSectionMoveIn, "Move Section &In", 0,
             Make(kAlt | kShift, kRight))
        .Add("EDIT_FIND", id::kEditFind, "&Find", kBeginGroup, Ctrl('F'))
        .Add("EDIT_FIND_NEXT", id::kEditFindNext, "Find &Next", 0, kF3);
    b.EndContainer();
}

void ViewMenu(ivCommandBuilder& b) {
    Menu(b, "VIEW", "&View");
    Rows(b, "View")
        .Add("VIEW_EXPAND", id::kViewExpand, "Expand", kBeginGroup)
        .Add("VIEW_EXPANDALL", id::kViewExpandAll, "Expand All")
        .Add("VIEW_COLLAPSE", id::kViewCollapse, "Collapse")
        .Add("VIEW_COLLAPSEALL", id::kViewCollapseAll, "Collapse All")
        .Add("VIEW_REFRESH", id::kViewRefresh, "Refresh", kBeginGroup, kF5);
    b.EndContainer();
}

void InsertMenu(ivCommandBuilder& b) {
    Menu(b, "INSERT", "&Insert");
    Rows(b, "Insert")
        .Add("INSERT_SECTION", id::kInsertSection, "Section", kBeginGroup, Make(kCtrl, kReturn))
        .Add("INSERT_SECTION_ABOVE", id::kInsertSectionAbove, "Section above", kBeginGroup,
             Make(kCtrl | kShift | kAlt, kReturn))
        .Add("INSERT_SECTION_UNDER", id::kInsertSectionUnder, "Section under", 0,
             Make(kCtrl | kAlt, kReturn))
        .Add("INSERT_SECTION_LINK", id::kInsertSectionLink, "&Link to Section...", kBeginGroup);
    b.EndContainer();
}

void FormatAndToolsMenus(ivCommandBuilder& b) {
    Menu(b, "FORMAT", "Forma&t");
    Rows(b, "Format").Add("FORMAT_FONT", id::kFormatFont, "&Font...", kBeginGroup);
    b.EndContainer();
    Menu(b, "TOOLS", "&Tools");
    Rows(b, "Tools")
        .Add("TOOLS_GENERATE", id::kToolsGenerate, "Generate", kBeginGroup)
        .Add("TOOLS_TEMPLATE", id::kToolsTemplate, "Page &Template...", kBeginGroup);
    b.EndContainer();
}

void HelpMenu(ivCommandBuilder& b) {
    Menu(b, "HELP", "&Help");
    Rows(b, "Help")
        .Add("DEFAULT_HELP", id::kHelp, "Help", kBeginGroup, kHelp)
        .Add("HELP_INDEX", id::kHelpIndex, "Index", kBeginGroup)
        .Add("CONTEXT_HELP", id::kContextHelp, "Contexthelp", 0, Make(kShift, kHelp))
        .Add("APP_TIPS", id::kAppTips, "Tips and Tricks...", kBeginGroup)
        .Add("APP_ONLINE", id::kAppOnline, "Visit on web...", kBeginGroup)
        .Add("APP_UPDATE", id::kAppUpdate, "Check for updates...")
        .Add("APP_ABOUT", id::kAppAbout, "Info about...", kBeginGroup);
    b.EndContainer();
}

void ToolBars(ivCommandBuilder& b) {
    b.BeginToolBar("STANDARD", Translate("Standard"), 0);
    for (int copied : {id::kFileNew, id::kFileOpen, id::kFileSave, id::kFileSendMail,
                       id::kFilePrint, id::kFilePrintPreview, id::kEditCut, id::kEditCopy,
                       id::kEditPaste, id::kEditDelete, id::kEditFind, id::kHelp}) {
        b.AddCopy(copied, 0);
    }
    b.EndContainer();

    b.BeginToolBar("FIND", Translate("Find"), container_flags::kDockNext);
    Rows(b, "Edit").Add("EDIT_FIND_QUICK", id::kEditFindQuick, "Find", kEditBox | kBeginGroup, 0,
                        20);
    b.EndContainer();

    b.BeginToolBar("FORMAT", Translate("Format"), 0);
    Rows(b, "Format")
        .Add("FORMAT_FONTFACE", id::kFormatFontFace, "Font Face", kFontNameBox | kBeginGroup, 0, 20)
        .Add("FORMAT_FONTSIZE", id::kFormatFontSize, "Font Size", kFontSizeBox, 0, 20)
        .Add("FORMAT_BOLD", id::kFormatBold, "Bold", kBeginGroup, Ctrl('B'))
        .Add("FORMAT_ITALIC", id::kFormatItalic, "Italic", 0, Ctrl('I'))
        .Add("FORMAT_UNDERLINE", id::kFormatUnderline, "Underline", 0, Ctrl('U'))
        .Add("FORMAT_PARAGRAPH_LEFT", id::kFormatParagraphLeft, "Left", kBeginGroup)
        .Add("FORMAT_PARAGRAPH_CENTER", id::kFormatParagraphCenter, "Center")
        .Add("FORMAT_PARAGRAPH_RIGHT", id::kFormatParagraphRight, "Right")
        .Add("FORMAT_PARAGRAPH_BULLETS", id::kFormatParagraphBullets, "Bullets", kBeginGroup)
        .Add("FORMAT_HIGHLIGHT", id::kFormatHighlight, "Highlight", kColourPicker | kBeginGroup, 0,
             20)
        .Add("FORMAT_FONTCOLOR", id::kFormatFontColor, "Font Color", kColourPicker, 0, 20);
    b.EndContainer();

    b.BeginToolBar("TOOLS", Translate("Tools"), container_flags::kDockNext);
    b.AddCopy(id::kToolsGenerate, 0);
    Rows(b, "Tools").Add("TOOLS_BLA", id::kToolsGeneratorBox, "", kComboBox | kBeginGroup, 0, 20);
    b.EndContainer();
}

void TaskPanel(ivCommandBuilder& b) {
    b.BeginTaskPanel("TASKS", Translate("Tasks"), container_flags::kDockLeft);
    Rows(b, "File")
        .Add("FILE_NEW", id::kFileNew, "Create a new file.")
        .Add("FILE_OPEN", id::kFileOpen, "Open an existing file.")
        .Add("FILE_SAVE", id::kFileSave, "Save current loaded file.")
        .Add("FILE_PRINT", id::kFilePrint, "Print current loaded file.");
    b.EndContainer();
}

}  // namespace

bool DefineEditorCommands(ivCommandSite* site) {
    ivCommandBuilder* builder = site != nullptr ? site->GetBuilder() : nullptr;
    if (builder == nullptr) {
        return true;
    }
    // A row that fails only leaves its control out.
    FileMenu(*builder);
    EditMenu(*builder);
    ViewMenu(*builder);
    InsertMenu(*builder);
    FormatAndToolsMenus(*builder);
    HelpMenu(*builder);
    ToolBars(*builder);
    builder->CreateStatusBar("STATUS", Translate("Status"), 0);
    builder->EndStatusBar();
    builder->FinishCommands();
    TaskPanel(*builder);
    return true;
}

bool FillEditorCommandLists(ivCommandSite* site) {
    ivCommandBuilder* builder = site != nullptr ? site->GetBuilder() : nullptr;
    if (builder == nullptr) {
        return true;
    }
    // The generator names are no words: they stay as they are in every language.
    builder->AddListItem(id::kToolsGeneratorBox, "", "");
    for (const char* generator : {"HTML", "CHM", "DOC"}) {
        builder->AddListItem(id::kToolsGeneratorBox, generator, generator);
    }
    return true;
}

void BindEditorCommandStates(ivApp& app) {
    using namespace command_id;
    // These reach the application only when no document or view took their update: they are
    // the commands of documents, offered while one is open...
    const auto whileDocumentOpen = [](wxUpdateUIEvent& event) {
        wxDocManager* documents = wxDocManager::GetDocumentManager();
        event.Enable(documents != nullptr && documents->GetCurrentDocument() != nullptr);
    };
    for (int id : {kFileSave,        kFileSaveAs,     kFilePrint,          kFilePrintPreview,
                   kEditCut,         kEditCopy,       kEditPaste,          kEditDelete,
                   kViewExpand,      kViewExpandAll,  kViewCollapse,       kViewCollapseAll,
                   kViewRefresh,     kInsertSection,  kInsertSectionAbove, kInsertSectionUnder,
                   kToolsGenerate,   kEditUndo,       kEditRedo,           kSectionMoveUp,
                   kSectionMoveDown, kSectionMoveOut, kSectionMoveIn}) {
        app.Bind(wxEVT_UPDATE_UI, whileDocumentOpen, id);
    }
    for (int id : {kFileImport, kFileImportFolder, kInsertSectionLink}) {
        app.Bind(wxEVT_UPDATE_UI, whileDocumentOpen, id);
    }
    // ...and those that no window of this program takes yet: a button that does nothing
    // is not offered.
    for (int id : {kFileSendMail, kEditFind, kEditFindNext}) {
        app.Bind(
            wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(false); }, id);
    }
}
