#include "framework/command_images.h"

#include "core/command_ids.h"

#include <wx/artprov.h>

namespace {

// The image identifier of a section that has a body, as the report layer asks for it.
constexpr int kBodyImage = 137;

// The commands that have an image, and the images the report layer shows.
wxArtID ArtOf(int id) {
    using namespace command_id;
    switch (id) {
        case kFileNew:
            return wxART_NEW;
        case kFileOpen:
            return wxART_FILE_OPEN;
        case kFileSave:
            return wxART_FILE_SAVE;
        case kFilePrint:
            return wxART_PRINT;
        case kFilePrintPreview:
            return wxART_FIND;
        case kEditCut:
            return wxART_CUT;
        case kEditCopy:
            return wxART_COPY;
        case kEditPaste:
            return wxART_PASTE;
        case kEditDelete:
            return wxART_DELETE;
        case kInsertSection:
            return wxART_PLUS;
        case kHelp:
            return wxART_HELP;
        case kBodyImage:
            return wxART_EDIT;
        default:
            return {};
    }
}

}  // namespace

wxBitmapBundle GetCommandImage(int id, const wxSize& size) {
    const wxArtID art = ArtOf(id);
    return art.empty() ? wxBitmapBundle() : wxArtProvider::GetBitmapBundle(art, wxART_MENU, size);
}

bool HasCommandImage(int id) {
    return !ArtOf(id).empty();
}
