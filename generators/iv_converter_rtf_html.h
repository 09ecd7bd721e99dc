#pragma once

#include "document/iv_object.h"

#include <cstdint>
#include <string>

// Turns the RTF body of a section into HTML through the conversion library librtftohtml.so:
// the RTF goes into a temporary file in a private working folder, the library writes the
// HTML beside it, and the folder is removed with everything in it once the HTML is read.
class ivConverter_RTF_HTML : public ivObject {
    wxDECLARE_DYNAMIC_CLASS(ivConverter_RTF_HTML);

public:
    // Conversion flags: bits 0 and 1 go to the library as they are; bit 4 asks for the
    // content of a page template's placeholder instead of a whole page.
    static constexpr uint32_t kTemplateContent = 0x10;

    ivConverter_RTF_HTML() = default;

    // Converts rtf; the temporary files are "<work><name>.rtf" and "<work><name>.htm", work
    // being a new folder "<folder>quorvane-XXXXXX/" that only the user may enter (folder
    // empty: the temporary folder; name empty or no plain file name: a new GUID). Returns the
    // HTML as the library wrote it, or the empty string when the conversion could not be
    // done; either way nothing is left behind.
    virtual std::string Convert(const std::string& rtf, const std::string& folder,
                                const std::string& name, const std::string& title, uint32_t flags);

    // The library's file name, looked up next to the program first, then by the system's
    // rules. A path with a '/' is taken as it is.
    void SetLibraryName(const std::string& name) { m_libraryName = name; }
    const std::string& LibraryName() const { return m_libraryName; }

private:
    std::string m_libraryName = "librtftohtml.so";
};
