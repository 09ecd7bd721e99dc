#include "core/translate.h"

#include <wx/translation.h>

std::string Translate(const std::string& text) {
    const wxTranslations* translations = wxTranslations::Get();
    if (translations == nullptr || text.empty()) {
        return text;
    }
    const wxString* translated = translations->GetTranslatedString(wxString::FromUTF8(text));
    return translated != nullptr ? translated->utf8_string() : text;
}
