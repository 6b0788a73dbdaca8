#include <gtest/gtest.h>

#include <windows.h>

#include "cl_datetime.h"
#include "cl_locale.h"
#include "cl_number.h"
#include "locale_settings.h"

TEST(LocalePicture, ConvertsSystemPicturesToPatternSyntax) {
    const struct { const char* picture; const char* format; } cases[] = {
        {"M/d/yyyy", "m/d/yyyy"},
        {"dd.MM.yyyy", "dd.mm.yyyy"},
        {"dddd, MMMM d, yyyy", "dddd, mmmm d, yyyy"},
        {"dddd, d. MMMM yyyy", "dddd, d. mmmm yyyy"},
        {"yyyy-MM-dd", "yyyy-mm-dd"},
        {"d/M/yy", "d/m/yy"},
        {"h:mm:ss tt", "h:nn:ss ampm"},
        {"HH:mm:ss", "hh:nn:ss"},
        {"H:mm", "h:nn"},
        {"hh:mm t", "hh:nn A/P"},
        {"d 'de' MMMM 'de' yyyy", "d 'de' mmmm 'de' yyyy"},
        {"gg yyyy/M/d", " yyyy/m/d"},
        {"mm:ss", "nn:ss"},
        {"d x", "d \"x\""},
        {"Day d", "\"D\"\"a\"yy d"},
    };
    for (const auto& c : cases) EXPECT_EQ(LocalePictureToFormat(c.picture), c.format) << c.picture;
}

TEST(LocaleStartUp, GlobalsAreReadBeforeMainRuns) {
    char buffer[80];
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer);
    EXPECT_EQ(DecimalSeparator, buffer[0]);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1, buffer, sizeof buffer);
    EXPECT_EQ(LongMonthNames[1], buffer);
    EXPECT_FALSE(ShortDateFormat.IsEmpty());
    EXPECT_FALSE(LongTimeFormat.IsEmpty());
}

using LocaleDefaults = LocaleTest;

TEST_F(LocaleDefaults, EnglishDefaultsFormatLikeTheSystemsUsEnglish) {
    SetDefaultLocaleFormats();
    EXPECT_EQ(ShortMonthNames[1], "Jan");
    EXPECT_EQ(LongMonthNames[12], "December");
    EXPECT_EQ(ShortDayNames[1], "Sun");
    EXPECT_EQ(LongDayNames[7], "Saturday");
    EXPECT_EQ(FormatDateTime("c", EncodeDateTime(2005, 7, 4, 0, 5, 0, 0)), "7/4/2005 12:05:00 AM");
}

// The test runner's locale decides what the system reports: English (United States) by
// default, or any other one given to the runner. Either way the globals must be the
// system's own texts, and dates written with them must read back.
TEST_F(LocaleDefaults, InitReadsTheSystemLocale) {
    SetGermanFormats();
    InitLocaleFormats();
    char buffer[80];
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer);
    EXPECT_EQ(DecimalSeparator, buffer[0]);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, buffer, sizeof buffer);
    EXPECT_EQ(DateSeparator, buffer[0]);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME7, buffer, sizeof buffer);
    EXPECT_EQ(LongMonthNames[7], buffer);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME7, buffer, sizeof buffer);
    EXPECT_EQ(LongDayNames[1], buffer) << "Sunday first";

    const TDateTime value = EncodeDateTime(2005, 7, 4, 13, 5, 9, 0);
    EXPECT_EQ(StrToDateTime(DateTimeToStr(value)), value) << DateTimeToStr(value).c_str();
    EXPECT_EQ(StrToFloat(FloatToStr(1234.5)), 1234.5L);

    if (GetUserDefaultLCID() == 0x409) {
        EXPECT_EQ(ShortDateFormat, "m/d/yyyy");
        EXPECT_EQ(LongDateFormat, "dddd, mmmm d, yyyy");
        EXPECT_EQ(LongTimeFormat, "h:nn:ss ampm");
        EXPECT_EQ(ShortTimeFormat, "h:nn ampm");
        EXPECT_EQ(ThousandSeparator, ',');
        EXPECT_EQ(TimeAMString, "AM");
        EXPECT_EQ(DateTimeToStr(value), "7/4/2005 1:05:09 PM");
    }
    if (PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) == LANG_GERMAN) {
        EXPECT_EQ(DecimalSeparator, ',');
        EXPECT_EQ(FloatToStr(1234.5), "1234,5");
        EXPECT_EQ(FloatToStrF(1234567.891, ffNumber, 15, 2), "1.234.567,89");
        EXPECT_EQ(StrToDate("31.07.1970"), EncodeDate(1970, 7, 31));
        EXPECT_EQ(LongMonthNames[3], "M\xE4rz");
    }
}
