#include "locale_settings.h"

#include <algorithm>

struct LocaleTest::Saved {
    char decimal = DecimalSeparator, thousand = ThousandSeparator, date = DateSeparator,
         time = TimeSeparator;
    AnsiString shortDate = ShortDateFormat, longDate = LongDateFormat,
               shortTime = ShortTimeFormat, longTime = LongTimeFormat, am = TimeAMString,
               pm = TimePMString;
    AnsiString shortMonths[13], longMonths[13], shortDays[8], longDays[8];

    Saved() {
        std::copy(ShortMonthNames, ShortMonthNames + 13, shortMonths);
        std::copy(LongMonthNames, LongMonthNames + 13, longMonths);
        std::copy(ShortDayNames, ShortDayNames + 8, shortDays);
        std::copy(LongDayNames, LongDayNames + 8, longDays);
    }

    void Restore() const {
        DecimalSeparator = decimal;
        ThousandSeparator = thousand;
        DateSeparator = date;
        TimeSeparator = time;
        ShortDateFormat = shortDate;
        LongDateFormat = longDate;
        ShortTimeFormat = shortTime;
        LongTimeFormat = longTime;
        TimeAMString = am;
        TimePMString = pm;
        std::copy(shortMonths, shortMonths + 13, ShortMonthNames);
        std::copy(longMonths, longMonths + 13, LongMonthNames);
        std::copy(shortDays, shortDays + 8, ShortDayNames);
        std::copy(longDays, longDays + 8, LongDayNames);
    }
};

std::shared_ptr<LocaleTest::Saved> LocaleTest::Snapshot() { return std::make_shared<Saved>(); }

void LocaleTest::TearDown() { saved_->Restore(); }

void SetGermanFormats() {
    static const char* const months[] = {"Januar", "Februar", "Maerz",     "April",
                                         "Mai",    "Juni",    "Juli",     "August",
                                         "September", "Oktober", "November", "Dezember"};
    static const char* const days[] = {"Sonntag",  "Montag",  "Dienstag", "Mittwoch",
                                       "Donnerstag", "Freitag", "Samstag"};
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    DateSeparator = '.';
    TimeSeparator = ':';
    ShortDateFormat = "dd/mm/yyyy";
    LongDateFormat = "dddd, d. mmmm yyyy";
    ShortTimeFormat = "hh:nn";
    LongTimeFormat = "hh:nn:ss";
    TimeAMString = "";
    TimePMString = "";
    for (int m = 1; m <= 12; ++m) {
        LongMonthNames[m] = months[m - 1];
        ShortMonthNames[m] = LongMonthNames[m].SubString(1, 3);
    }
    for (int d = 1; d <= 7; ++d) {
        LongDayNames[d] = days[d - 1];
        ShortDayNames[d] = LongDayNames[d].SubString(1, 2);
    }
}

std::string SwapSeparators(std::string text) {
    for (char& c : text) {
        if (c == '.') c = ',';
        else if (c == ',') c = '.';
    }
    return text;
}
