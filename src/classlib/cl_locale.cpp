#include "cl_locale.h"

char DecimalSeparator = '.';
char ThousandSeparator = ',';
char DateSeparator = '/';
char TimeSeparator = ':';
AnsiString ShortDateFormat;
AnsiString LongDateFormat;
AnsiString ShortTimeFormat;
AnsiString LongTimeFormat;
AnsiString TimeAMString;
AnsiString TimePMString;
AnsiString ShortMonthNames[13];
AnsiString LongMonthNames[13];
AnsiString ShortDayNames[8];
AnsiString LongDayNames[8];

namespace {

// Defined after the globals above, so it runs after their construction.
const bool localeRead = (InitLocaleFormats(), true);

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Length of the run of `c` starting at `at`.
size_t RunLength(const std::string& s, size_t at) {
    size_t end = at;
    while (end < s.size() && s[end] == s[at]) ++end;
    return end - at;
}

std::string ConvertRun(char letter, size_t count) {
    switch (letter) {
    case 'M': return std::string(count, 'm');
    case 'm': return std::string(count, 'n');
    case 'H':
    case 'h': return std::string(count > 1 ? 2 : 1, 'h');
    case 'd':
    case 's': return std::string(count, letter);
    case 'y': return count <= 2 ? "yy" : "yyyy";
    case 't': return count > 1 ? "ampm" : "A/P";
    case 'g': return "";
    default: return "\"" + std::string(count, letter) + "\"";
    }
}

}  // namespace

void SetDefaultLocaleFormats() {
    static const char* const months[] = {"January", "February", "March",     "April",
                                         "May",     "June",     "July",      "August",
                                         "September", "October", "November", "December"};
    static const char* const days[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                       "Thursday", "Friday", "Saturday"};
    DecimalSeparator = '.';
    ThousandSeparator = ',';
    DateSeparator = '/';
    TimeSeparator = ':';
    ShortDateFormat = "m/d/yyyy";
    LongDateFormat = "dddd, mmmm d, yyyy";
    ShortTimeFormat = "h:nn ampm";
    LongTimeFormat = "h:nn:ss ampm";
    TimeAMString = "AM";
    TimePMString = "PM";
    for (int m = 1; m <= 12; ++m) {
        LongMonthNames[m] = months[m - 1];
        ShortMonthNames[m] = LongMonthNames[m].SubString(1, 3);
    }
    for (int d = 1; d <= 7; ++d) {
        LongDayNames[d] = days[d - 1];
        ShortDayNames[d] = LongDayNames[d].SubString(1, 3);
    }
}

AnsiString LocalePictureToFormat(const AnsiString& picture) {
    const std::string& s = picture.str();
    std::string out;
    size_t at = 0;
    while (at < s.size()) {
        if (s[at] == '\'') {
            const size_t close = s.find('\'', at + 1);
            const size_t end = close == std::string::npos ? s.size() : close + 1;
            out.append(s, at, end - at);
            at = end;
        } else if (IsLetter(s[at])) {
            const size_t count = RunLength(s, at);
            out += ConvertRun(s[at], count);
            at += count;
        } else {
            out += s[at++];
        }
    }
    return out;
}
