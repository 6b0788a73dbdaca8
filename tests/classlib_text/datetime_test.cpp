#include <gtest/gtest.h>

#include <vector>

#include "cl_datetime.h"
#include "cl_except.h"
#include "locale_settings.h"

TEST(EncodeDate, CountsDaysFrom1899_12_30) {
    const struct { int y, m, d; double value; } cases[] = {
        {1899, 12, 30, 0},      {1899, 12, 29, -1},    {1900, 1, 1, 2},
        {1970, 1, 1, 25569},    {2000, 2, 29, 36585},  {2005, 7, 4, 38537},
        {1, 1, 1, -693593},     {9999, 12, 31, 2958465},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.value) << c.y << "-" << c.m << "-" << c.d;
        int y = 0, m = 0, d = 0;
        DecodeDate(c.value, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
    }
}

TEST(EncodeDate, RejectsInvalidFields) {
    const int bad[][3] = {{0, 0, 0}, {0, 1, 1},   {10000, 1, 1}, {2001, 2, 29}, {1900, 2, 29},
                          {2000, 13, 1}, {2000, 4, 31}, {2000, 1, 0}, {-1, 1, 1}};
    for (const auto& b : bad) {
        TDateTime date = 123;
        EXPECT_FALSE(TryEncodeDate(b[0], b[1], b[2], date));
        EXPECT_EQ(date, 123);
        EXPECT_THROW(EncodeDate(b[0], b[1], b[2]), EConvertError);
    }
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(MonthDays[0][2], 28);
}

TEST(EncodeTime, RangesAndRoundTrip) {
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
    int h, n, s, ms;
    DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 235959999);
}

TEST(DecodeTime, NegativeValuesUseTheAbsoluteFraction) {
    int y, m, d, h, n, s, ms;
    DecodeDateTime(-1.25, y, m, d, h, n, s, ms);
    EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
    EXPECT_EQ(h, 6);
    DecodeDateTime(-0.75, y, m, d, h, n, s, ms);
    EXPECT_EQ(d, 30);
    EXPECT_EQ(h, 18);
    // A value a hair before midnight rounds to the next day, not to 24:00.
    DecodeDateTime(EncodeDate(2005, 7, 4) + 0.99999999999, y, m, d, h, n, s, ms);
    EXPECT_EQ(d * 100 + h, 500);
}

TEST(EncodeDateTime, RoundTripsBeforeAndAfter1899) {
    int y, m, d, h, n, s, ms;
    for (int year : {987, 1899, 2005}) {
        DecodeDateTime(EncodeDateTime(year, 11, 12, 13, 14, 15, 16), y, m, d, h, n, s, ms);
        EXPECT_EQ(std::vector<int>({y, m, d, h, n, s, ms}),
                  std::vector<int>({year, 11, 12, 13, 14, 15, 16}));
    }
}

TEST(Calendar, DayOfWeekWeekNumberAndIncMonth) {
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2005, 7, 3)), 1);    // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 29) - 0.5), 6);
    EXPECT_EQ(WeekOfTheYear(EncodeDate(2021, 1, 3)), 53);
    EXPECT_EQ(WeekOfTheYear(EncodeDate(2021, 1, 4)), 1);
    EXPECT_EQ(WeekOfTheYear(EncodeDate(2024, 12, 30)), 1);
    EXPECT_EQ(IncMonth(EncodeDate(2021, 3, 31), -1), EncodeDate(2021, 2, 28));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 11, 15), 14), EncodeDate(2026, 1, 15));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 15) + 0.25, -13), EncodeDate(2022, 12, 15) + 0.25);
}

namespace {

struct DateFormatCase {
    const char* format;
    const char* english;
    const char* german;
};

// 2005-07-04 (a Monday) 13:05:09.007.
const DateFormatCase dateFormatCases[] = {
    {"mm/dd/yyyy hh:nn", "07/04/2005 13:05", "07.04.2005 13:05"},
    {"mm/dd/yyyy", "07/04/2005", "07.04.2005"},
    {"hh:nn", "13:05", "13:05"},
    {"mmmm dd, yyyy", "July 04, 2005", "Juli 04, 2005"},
    {"dddddd tt", "Monday, July 4, 2005 1:05:09 PM", "Montag, 4. Juli 2005 13:05:09"},
    {"mm/dd/yy hh:nn", "07/04/05 13:05", "07.04.05 13:05"},
    {"ddddd", "7/4/2005", "04.07.2005"},
    {"t", "1:05 PM", "13:05"},
    {"mmmm", "July", "Juli"},
    {"yyyy", "2005", "2005"},
    {"mmmm yyyy", "July 2005", "Juli 2005"},
    {"h:mm ampm", "1:05 PM", "1:05 "},
    {"c", "7/4/2005 1:05:09 PM", "04.07.2005 13:05:09"},
    {"", "7/4/2005 1:05:09 PM", "04.07.2005 13:05:09"},
    {"d-m-y", "4-7-05", "4-7-05"},
    {"ddd dddd", "Mon Monday", "Mo Montag"},
    {"mmm", "Jul", "Jul"},
    {"h:n:s z zzz", "13:5:9 7 007", "13:5:9 7 007"},
    {"hh:mm", "13:05", "13:05"},
    {"hh 'h' mm", "13 h 05", "13 h 05"},
    {"h\"m\"m", "13m5", "13m5"},
    {"mm/hh", "07/13", "07.13"},
    {"HH:NN:SS AM/PM", "01:05:09 PM", "01:05:09 PM"},
    {"h am/pm a/p A/P", "1 pm p P", "1 pm p P"},
    {"'mm/dd' yyyy", "mm/dd 2005", "mm/dd 2005"},
    {"DD.MM.YYYY", "04.07.2005", "04.07.2005"},
};

}  // namespace

using DateFormatTest = EnglishLocale;
using DateFormatGermanTest = GermanLocale;

TEST_F(DateFormatTest, PatternTable) {
    const TDateTime value = EncodeDateTime(2005, 7, 4, 13, 5, 9, 7);
    for (const auto& c : dateFormatCases) {
        EXPECT_EQ(FormatDateTime(c.format, value), c.english) << c.format;
    }
}

TEST_F(DateFormatGermanTest, PatternTable) {
    const TDateTime value = EncodeDateTime(2005, 7, 4, 13, 5, 9, 7);
    for (const auto& c : dateFormatCases) {
        EXPECT_EQ(FormatDateTime(c.format, value), c.german) << c.format;
    }
}

TEST_F(DateFormatTest, TwelveHourClockAndMidnight) {
    const struct { int hour; const char* text; } cases[] = {
        {0, "12:00 AM"}, {11, "11:00 AM"}, {12, "12:00 PM"}, {23, "11:00 PM"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDateTime("h:nn ampm", EncodeTime(c.hour, 0, 0, 0)), c.text);
    }
    EXPECT_EQ(DateTimeToStr(EncodeDate(2005, 7, 4)), "7/4/2005");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2005, 7, 4) + EncodeTime(0, 0, 1, 0)),
              "7/4/2005 12:00:01 AM");
    EXPECT_EQ(DateToStr(EncodeDate(1970, 1, 31)), "1/31/1970");
    EXPECT_EQ(TimeToStr(EncodeTime(9, 5, 0, 0)), "9:05:00 AM");
    AnsiString text;
    DateTimeToString(text, "yyyy", EncodeDate(1999, 1, 1));
    EXPECT_EQ(text, "1999");
}

TEST_F(DateFormatTest, SeparatorsComeFromTheLocale) {
    DateSeparator = '-';
    TimeSeparator = '.';
    EXPECT_EQ(FormatDateTime("mm/dd/yyyy hh:nn", EncodeDateTime(2005, 7, 4, 13, 5, 0, 0)),
              "07-04-2005 13.05");
}

namespace {

struct DateParseCase {
    const char* text;
    int y, m, d, h, n, s;
};

}  // namespace

TEST_F(DateFormatTest, StrToDateTimeReadsMonthFirstDates) {
    const DateParseCase cases[] = {
        {"7/4/2005", 2005, 7, 4, 0, 0, 0},       {"07/04/2005 13:05", 2005, 7, 4, 13, 5, 0},
        {"7/4/05 1:05 PM", 2005, 7, 4, 13, 5, 0}, {"12/31/99", 1999, 12, 31, 0, 0, 0},
        {"1/1/49", 2049, 1, 1, 0, 0, 0},         {"1/1/50", 1950, 1, 1, 0, 0, 0},
        {" 2/29/2000  23:59:58 ", 2000, 2, 29, 23, 59, 58},
        {"12:00 am", 1899, 12, 30, 0, 0, 0},     {"12:30 PM", 1899, 12, 30, 12, 30, 0},
        {"9:5", 1899, 12, 30, 9, 5, 0},          {"7 pm", 1899, 12, 30, 19, 0, 0},
        {"7/4/0005", 5, 7, 4, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const TDateTime value = StrToDateTime(c.text);
        int y, m, d, h, n, s, ms;
        DecodeDateTime(value, y, m, d, h, n, s, ms);
        EXPECT_EQ((y * 10000 + m * 100 + d) * 1000000LL + h * 10000 + n * 100 + s,
                  (c.y * 10000 + c.m * 100 + c.d) * 1000000LL + c.h * 10000 + c.n * 100 + c.s)
            << c.text;
    }
    EXPECT_EQ(StrToDateTime("13:05"), EncodeTime(13, 5, 0, 0));
    EXPECT_EQ(StrToTime("1:02:03.5"), EncodeTime(1, 2, 3, 5));
    EXPECT_EQ(StrToDate("07/31/1970"), EncodeDate(1970, 7, 31));
}

TEST_F(DateFormatTest, StrToDateTimeRejectsBadTexts) {
    const char* const bad[] = {"", "7/4", "7/4/2005/1", "13/1/2005", "2/30/2005", "7-4-2005",
                               "24:00", "12:60", "13 PM", "0 AM", "12", "7/4/2005 13",
                               "7/4/200513:05", "abc", "12:00 XM", "1/1/10000"};
    for (const char* text : bad) {
        TDateTime value = 42;
        EXPECT_FALSE(TryStrToDateTime(text, value)) << text;
        EXPECT_EQ(value, 42);
    }
    try {
        StrToDateTime("7/4");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'7/4' is not a valid date and time");
    }
    EXPECT_THROW(StrToDate("12:00"), EConvertError);
    EXPECT_THROW(StrToTime("7/4/2005"), EConvertError);
}

TEST_F(DateFormatGermanTest, StrToDateTimeReadsDayFirstDates) {
    EXPECT_EQ(StrToDate("31.07.1970"), EncodeDate(1970, 7, 31));
    EXPECT_EQ(StrToDate("4.7.05"), EncodeDate(2005, 7, 4));
    EXPECT_EQ(StrToDateTime("04.07.2005 13:05"), EncodeDateTime(2005, 7, 4, 13, 5, 0, 0));
    EXPECT_EQ(StrToDateTime("13:05"), EncodeTime(13, 5, 0, 0));
    TDateTime value = 0;
    EXPECT_FALSE(TryStrToDate("07/31/1970", value));
    EXPECT_FALSE(TryStrToDate("31.13.1970", value));
}

TEST_F(DateFormatTest, StrToDateFollowsTheOrderOfTheShortDateFormat) {
    ShortDateFormat = "yyyy/mm/dd";
    EXPECT_EQ(StrToDate("2005/7/4"), EncodeDate(2005, 7, 4));
    ShortDateFormat = "'Day' d/m/yyyy";
    EXPECT_EQ(StrToDate("4/7/2005"), EncodeDate(2005, 7, 4));
}

TEST(Clock, NowIsDatePlusTime) {
    const TDateTime before = Date();
    const TDateTime now = Now();
    EXPECT_GE(now, before);
    EXPECT_LT(now - before, 1.0001);
    EXPECT_GE(Time(), 0);
    EXPECT_LT(Time(), 1);
    int y, m, d;
    DecodeDate(now, y, m, d);
    EXPECT_GE(y, 2020);
}
