#include "framework/command_images.h"

#include "core/command_ids.h"
#include "framework/shipped_images.h"

#include <wx/artprov.h>

#include <cstring>
#include <string>

namespace {

// The image shown beside a section that has a body.
constexpr int kBodyImage = 137;

// Where an identifier's image comes from: the desktop theme's icon of that name when the
// theme has one, else the image shipped under that name, else wxWidgets' own art.
struct ImageSource {
    int id;
    const char* themeIcon;  // may be null
    const char* shipped;    // may be null
    const char* art;        // may be null
};

const ImageSource kSources[] = {
    {command_id::kFileNew, "document-new", nullptr, wxART_NEW},
    {command_id::kFileOpen, "document-open", nullptr, wxART_FILE_OPEN},
    {command_id::kFileSave, "document-save", nullptr, wxART_FILE_SAVE},
    {command_id::kFilePrint, "document-print", nullptr, wxART_PRINT},
    {command_id::kFilePrintPreview, "document-print-preview", "print_preview", nullptr},
    {command_id::kFileSendMail, "mail-send", "send", nullptr},
    {command_id::kEditDelete, "edit-delete", nullptr, wxART_DELETE},
    {command_id::kEditCopy, "edit-copy", nullptr, wxART_COPY},
    {command_id::kEditCut, "edit-cut", nullptr, wxART_CUT},
    {command_id::kEditFind, "edit-find", nullptr, wxART_FIND},
    {command_id::kEditPaste, "edit-paste", nullptr, wxART_PASTE},
    {command_id::kEditReplace, "edit-find-replace", nullptr, wxART_FIND_AND_REPLACE},
    {command_id::kEditFindPrevious, "go-up", nullptr, wxART_GO_UP},
    {command_id::kEditUndo, "edit-undo", nullptr, wxART_UNDO},
    {command_id::kEditRedo, "edit-redo", nullptr, wxART_REDO},
    {command_id::kHelp, "help-browser", nullptr, wxART_HELP},
    {command_id::kFormatBold, "format-text-bold", "bold", nullptr},
    {command_id::kFormatItalic, "format-text-italic", "italic", nullptr},
    {command_id::kFormatUnderline, "format-text-underline", "underline", nullptr},
    {command_id::kFormatParagraphLeft, "format-justify-left", "align_left", nullptr},
    {command_id::kFormatParagraphCenter, "format-justify-center", "align_center", nullptr},
    {command_id::kFormatParagraphRight, "format-justify-right", "align_right", nullptr},
    // The theme has nothing that says these; ours are drawn for them.
    {command_id::kSectionMoveUp, nullptr, "move_section_up", nullptr},
    {command_id::kSectionMoveDown, nullptr, "move_section_down", nullptr},
    {command_id::kSectionMoveOut, nullptr, "move_section_out", nullptr},
    {command_id::kSectionMoveIn, nullptr, "move_section_in", nullptr},
    {command_id::kFormatParagraphBullets, nullptr, "bullets", nullptr},
    {command_id::kFormatFontColor, nullptr, "font_color", nullptr},
    {command_id::kFormatHighlight, nullptr, "highlight", nullptr},
    {command_id::kInsertSection, nullptr, "insert_section", nullptr},
    {command_id::kInsertSectionAbove, nullptr, "insert_section_above", nullptr},
    {command_id::kInsertSectionUnder, nullptr, "insert_section_under", nullptr},
    {command_id::kFileSaveAs, "document-save-as", nullptr, wxART_FILE_SAVE_AS},
    {command_id::kFilePrintSetup, "document-page-setup", "page_setup", nullptr},
    {command_id::kAppExit, "application-exit", nullptr, wxART_QUIT},
    {command_id::kEditFindNext, nullptr, "find_next", nullptr},
    {command_id::kViewExpand, nullptr, "expand", nullptr},
    {command_id::kViewExpandAll, nullptr, "expand_all", nullptr},
    {command_id::kViewCollapse, nullptr, "collapse", nullptr},
    {command_id::kViewCollapseAll, nullptr, "collapse_all", nullptr},
    {command_id::kViewRefresh, "view-refresh", nullptr, wxART_REFRESH},
    {command_id::kFormatFont, nullptr, "font", nullptr},
    {command_id::kHelpIndex, nullptr, "help_index", nullptr},
    {command_id::kContextHelp, nullptr, "context_help", nullptr},
    {command_id::kAppTips, nullptr, "tips", nullptr},
    {command_id::kAppOnline, "web-browser", "web", nullptr},
    {command_id::kAppUpdate, "system-software-update", "update", nullptr},
    {command_id::kAppAbout, "help-about", nullptr, wxART_INFORMATION},
    {command_id::kInsertSectionLink, nullptr, "section_link", nullptr},
    {command_id::kFileImport, nullptr, "import_files", nullptr},
    {command_id::kFileImportFolder, nullptr, "import_folder", nullptr},
    {command_id::kToolsTemplate, nullptr, "page_template", nullptr},
    {command_id::kToolsGenerate, nullptr, "generate", nullptr},
    {command_id::kToolsGenerateAlternate, nullptr, "generate_alternate", nullptr},
    {kBodyImage, nullptr, nullptr, wxART_EDIT},
};

const ImageSource* SourceOf(int id) {
    for (const ImageSource& source : kSources) {
        if (source.id == id) {
            return &source;
        }
    }
    return nullptr;
}

const char* ShippedSvg(const char* name) {
    for (const ivShippedImage& image : ShippedImages()) {
        if (std::strcmp(image.name, name) == 0) {
            return image.svg;
        }
    }
    return nullptr;
}

wxBitmapBundle FromShipped(const char* name, const wxSize& size, const wxColour& colour) {
    const char* svg = name != nullptr ? ShippedSvg(name) : nullptr;
    if (svg == nullptr) {
        return {};
    }
    std::string text = svg;
    const std::string marker = "%COLOUR%";
    const std::string value = colour.GetAsString(wxC2S_HTML_SYNTAX).utf8_string();
    for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at)) {
        text.replace(at, marker.size(), value);
    }
    return wxBitmapBundle::FromSVG(text.c_str(), size);
}

wxBitmapBundle Load(const ImageSource& source, const wxSize& size, const wxColour& colour) {
    if (source.themeIcon != nullptr) {
        wxBitmapBundle theme =
            wxArtProvider::GetBitmapBundle(source.themeIcon, wxART_TOOLBAR, size);
        if (theme.IsOk()) {
            return theme;
        }
    }
    wxBitmapBundle shipped = FromShipped(source.shipped, size, colour);
    if (shipped.IsOk() || source.art == nullptr) {
        return shipped;
    }
    return wxArtProvider::GetBitmapBundle(source.art, wxART_TOOLBAR, size);
}

}  // namespace

wxBitmapBundle GetCommandImage(int id, const wxSize& size) {
    const ImageSource* source = SourceOf(id);
    return source != nullptr ? Load(*source, size, AutomaticPickerColour(id)) : wxBitmapBundle();
}

bool HasCommandImage(int id) {
    return SourceOf(id) != nullptr;
}

wxBitmapBundle GetColourPickerImage(int id, const wxColour& colour, const wxSize& size) {
    const ImageSource* source = SourceOf(id);
    if (source == nullptr) {
        return {};
    }
    return Load(*source, size, colour.IsOk() ? colour : AutomaticPickerColour(id));
}

wxBitmapBundle GetShippedImage(const char* name, const wxSize& size) {
    return FromShipped(name, size, wxColour(0, 0, 0));
}

wxColour AutomaticPickerColour(int id) {
    return id == command_id::kFormatHighlight ? wxColour(255, 255, 0) : wxColour(0, 0, 0);
}
