#include "app/translate.h"

#include "app/identity.h"

#include <wx/translation.h>

std::string Translate(const std::string& text) {
    if (wxTranslations::Get() == nullptr) {
        return text;
    }
    return wxGetTranslation(wxString::FromUTF8(text), identity::kAppName).utf8_string();
}
