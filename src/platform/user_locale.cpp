#include "platform/user_locale.h"

#include <windows.h>

#include "platform/text.h"

namespace brontal::platform {
namespace {

std::string localeText(LCTYPE type, const char* fallback) {
    wchar_t buf[16];
    int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 16);
    return n > 1 ? narrow(std::wstring_view(buf, static_cast<size_t>(n - 1))) : std::string(fallback);
}

} // namespace

NumberFormat userNumberFormat() {
    NumberFormat f;
    f.decimalSep = localeText(LOCALE_SDECIMAL, ".");
    f.thousandSep = localeText(LOCALE_STHOUSAND, ",");
    f.grouping = localeText(LOCALE_SGROUPING, "3;0");
    f.leadingZero = localeText(LOCALE_ILZERO, "1") != "0";
    return f;
}

std::string userDateSeparator() { return localeText(LOCALE_SDATE, "/"); }
std::string userTimeSeparator() { return localeText(LOCALE_STIME, ":"); }

} // namespace brontal::platform
