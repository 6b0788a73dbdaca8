#include <windows.h>

#include "cl_locale.h"

namespace {

AnsiString LocaleText(LCTYPE item, const AnsiString& fallback) {
    char buffer[256];
    const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer);
    return length > 1 ? AnsiString(buffer, length - 1) : fallback;
}

char LocaleChar(LCTYPE item, char fallback) {
    const AnsiString text = LocaleText(item, AnsiString(fallback));
    return text.IsEmpty() ? fallback : text[1];
}

// The long time picture without its seconds field, for systems without a short time picture.
AnsiString WithoutSeconds(const AnsiString& picture) {
    std::string s = picture.str();
    const size_t seconds = s.find_first_of('s');
    if (seconds == std::string::npos) return picture;
    size_t start = seconds;
    while (start > 0 && s[start - 1] != 'm') --start;
    size_t end = seconds;
    while (end < s.size() && s[end] == 's') ++end;
    s.erase(start, end - start);
    return s;
}

}  // namespace

void InitLocaleFormats() {
    SetDefaultLocaleFormats();
    DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, '.');
    const AnsiString thousands = LocaleText(LOCALE_STHOUSAND, "");
    ThousandSeparator = thousands.IsEmpty() ? '\0' : thousands[1];
    DateSeparator = LocaleChar(LOCALE_SDATE, '/');
    TimeSeparator = LocaleChar(LOCALE_STIME, ':');
    ShortDateFormat = LocalePictureToFormat(LocaleText(LOCALE_SSHORTDATE, "M/d/yyyy"));
    LongDateFormat = LocalePictureToFormat(LocaleText(LOCALE_SLONGDATE, "dddd, MMMM d, yyyy"));
    const AnsiString longTime = LocaleText(LOCALE_STIMEFORMAT, "h:mm:ss tt");
    LongTimeFormat = LocalePictureToFormat(longTime);
    ShortTimeFormat =
        LocalePictureToFormat(LocaleText(LOCALE_SSHORTTIME, WithoutSeconds(longTime)));
    TimeAMString = LocaleText(LOCALE_S1159, "AM");
    TimePMString = LocaleText(LOCALE_S2359, "PM");
    for (int m = 1; m <= 12; ++m) {
        LongMonthNames[m] = LocaleText(LOCALE_SMONTHNAME1 + m - 1, LongMonthNames[m]);
        ShortMonthNames[m] = LocaleText(LOCALE_SABBREVMONTHNAME1 + m - 1, ShortMonthNames[m]);
    }
    // The system numbers Monday as day 1 and Sunday as day 7.
    for (int d = 1; d <= 7; ++d) {
        const LCTYPE offset = (d + 5) % 7;
        LongDayNames[d] = LocaleText(LOCALE_SDAYNAME1 + offset, LongDayNames[d]);
        ShortDayNames[d] = LocaleText(LOCALE_SABBREVDAYNAME1 + offset, ShortDayNames[d]);
    }
}
