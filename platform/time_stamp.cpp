#include "platform/time_stamp.h"

#include <locale.h>
#include <time.h>
#include <clocale>
#include <cstring>
#include <initializer_list>

namespace platform {
namespace {

// The user's LC_TIME locale, made once; "C" when the environment names one that is not
// installed. Used through uselocale so that the process-wide locale is never touched.
locale_t UserTimeLocale() {
    static const locale_t loc = [] {
        locale_t l = newlocale(LC_TIME_MASK, "", locale_t(0));
        if (l == locale_t(0)) {
            l = newlocale(LC_TIME_MASK, "C", locale_t(0));
        }
        return l;
    }();
    return loc;
}

class ScopedTimeLocale {
public:
    ScopedTimeLocale() : m_previous(uselocale(UserTimeLocale())) {}
    ~ScopedTimeLocale() { uselocale(m_previous); }
    ScopedTimeLocale(const ScopedTimeLocale&) = delete;
    ScopedTimeLocale& operator=(const ScopedTimeLocale&) = delete;

private:
    locale_t m_previous;
};

}  // namespace

std::string FormatTimeStamp(std::time_t when) {
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr) {
        return kInvalidTimeStamp;
    }
    const bool midnight = local.tm_hour == 0 && local.tm_min == 0 && local.tm_sec == 0;
    ScopedTimeLocale scope;
    char text[256];
    const size_t n = strftime(text, sizeof text, midnight ? "%x" : "%x %X", &local);
    if (n == 0) {
        return kInvalidTimeStamp;
    }
    return std::string(text, n);
}

std::string FormatLocalTime(std::time_t when, const char* format) {
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr || format == nullptr || *format == '\0') {
        return {};
    }
    ScopedTimeLocale scope;
    char text[256];
    const size_t n = strftime(text, sizeof text, format, &local);
    return std::string(text, n);
}

std::string NowTimeStamp() {
    return FormatTimeStamp(std::time(nullptr));
}

namespace {

// mktime turns the 31st of February into the 3rd of March; such a day was never a date.
bool MakeLocalTime(std::tm local, std::time_t& when) {
    const std::tm asked = local;
    local.tm_isdst = -1;
    const std::time_t t = mktime(&local);
    if (t == std::time_t(-1) || local.tm_mday != asked.tm_mday || local.tm_mon != asked.tm_mon ||
        local.tm_year != asked.tm_year) {
        return false;
    }
    when = t;
    return true;
}

// Parses the whole of text with one of the formats; trailing blanks are allowed.
bool ParseWith(const std::string& text, std::initializer_list<const char*> formats,
               std::time_t& when) {
    for (const char* format : formats) {
        std::tm local{};
        const char* end = strptime(text.c_str(), format, &local);
        if (end == nullptr) {
            continue;
        }
        while (*end == ' ') {
            ++end;
        }
        if (*end != '\0') {
            continue;
        }
        return MakeLocalTime(local, when);
    }
    return false;
}

}  // namespace

bool ParseTimeStamp(const std::string& text, std::time_t& when) {
    ScopedTimeLocale scope;
    return ParseWith(text, {"%x %X", "%x"}, when);
}

bool ParseDateText(const std::string& text, std::time_t& when) {
    if (ParseTimeStamp(text, when)) {
        return true;
    }
    ScopedTimeLocale scope;
    return ParseWith(text, {"%d.%m.%Y %H:%M:%S", "%d.%m.%Y %H:%M", "%d.%m.%Y"}, when);
}

}  // namespace platform
