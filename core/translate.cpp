#include "core/translate.h"

#include <wx/translation.h>

#include <cstdarg>
#include <cstdio>

std::string Translate(const std::string& text) {
    const wxTranslations* translations = wxTranslations::Get();
    if (translations == nullptr || text.empty()) {
        return text;
    }
    const wxString* translated = translations->GetTranslatedString(wxString::FromUTF8(text));
    return translated != nullptr ? translated->utf8_string() : text;
}

std::string TranslateFormat(const char* format, ...) {
    const std::string translated = Translate(format);
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, translated.c_str(), args);
    va_end(args);
    std::string text;
    if (size > 0) {
        text.resize(static_cast<size_t>(size) + 1);
        std::vsnprintf(text.data(), text.size(), translated.c_str(), again);
        text.resize(static_cast<size_t>(size));
    }
    va_end(again);
    return text;
}
