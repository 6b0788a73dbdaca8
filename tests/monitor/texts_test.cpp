// Index and flag texts, padding, notice texts and the day-of-year conversion.
#include "RadonTexts.h"

#include <gtest/gtest.h>

namespace {

TEST(IndexTexts, TablesAndTheirEnds) {
    struct Case { uint32_t index; const char* duration; const char* interval; const char* delay; };
    const Case cases[] = {
        {0, "1.0", "1.0", "0.0"},     {1, "12.0", "2.0", "12.0"},  {2, "24.0", "4.0", "24.0"},
        {3, "36.0", "8.0", "48.0"},   {7, "84.0", "24.0", "48.0"}, {8, "96.0", "0.5", "48.0"},
        {9, "100.0", "Unknown", "48.0"}, {10, "999.0", "Unknown", "48.0"},
        {11, "Unknown", "Unknown", "48.0"}, {65535, "Unknown", "Unknown", "48.0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DurationIndexText(c.index), AnsiString(c.duration)) << c.index;
        EXPECT_EQ(IntervalIndexText(c.index), AnsiString(c.interval)) << c.index;
        EXPECT_EQ(DelayIndexText(c.index), AnsiString(c.delay)) << c.index;
    }
}

TEST(IndexTexts, UnitsAndFlags) {
    EXPECT_EQ(UnitsIndexText(0), AnsiString("Bq/m3"));
    EXPECT_EQ(UnitsIndexText(1), AnsiString("pCi/l"));
    EXPECT_EQ(UnitsIndexText(7), AnsiString("pCi/l"));
    EXPECT_EQ(FlagsText(0x10), AnsiString("M"));
    EXPECT_EQ(FlagsText(0x11), AnsiString(" "));
    EXPECT_EQ(FlagsText(0x01), AnsiString(" "));
}

TEST(PaddedText, PadsOrCutsToTheWidth) {
    EXPECT_EQ(PaddedText("abc", 10), AnsiString("abc       "));
    EXPECT_EQ(PaddedText("abcdefghijklmnopqrstuvwxy", 20), AnsiString("abcdefghijklmnopqrst"));
    EXPECT_EQ(PaddedText("", 4), AnsiString("    "));
}

TEST(NoticeTexts, FirstAndLastBits) {
    EXPECT_STREQ(NoticeText(0), "Reset Error: Monitor has reset. Data recording stopped at reset. "
                                "Monitor date and time has been cleared.");
    EXPECT_STREQ(NoticeText(12), "Hour Interval Notice: The hour interval counter overflowed");
    EXPECT_STREQ(NoticeText(31), "Test Delay Notice: Test delay timer overflowed.");
}

TEST(DayOfYear, CommonAndLeapYears) {
    struct Case { int year, dayOfYear, month, day; };
    const Case cases[] = {
        {2009, 1, 1, 1},   {2009, 31, 1, 31},  {2009, 59, 2, 28},  {2009, 60, 3, 1},
        {2008, 60, 2, 29}, {2008, 61, 3, 1},   {2009, 365, 12, 31}, {2008, 366, 12, 31},
        {1900, 60, 2, 29},  // every fourth year is a leap year, centuries too
    };
    for (const Case& c : cases) {
        int month = -1, day = -1;
        EXPECT_TRUE(DayOfYearToDate(c.year, c.dayOfYear, month, day)) << c.year << " " << c.dayOfYear;
        EXPECT_EQ(month, c.month) << c.year << " " << c.dayOfYear;
        EXPECT_EQ(day, c.day) << c.year << " " << c.dayOfYear;
    }
}

TEST(DayOfYear, DaysOutsideTheYearLeaveMonthAndDayUnchanged) {
    for (auto [year, dayOfYear] : {std::pair{2009, 366}, {2008, 367}, {2009, 0}, {2009, -3}}) {
        int month = 4, day = 5;
        EXPECT_FALSE(DayOfYearToDate(year, dayOfYear, month, day));
        EXPECT_EQ(month, 4);
        EXPECT_EQ(day, 5);
    }
}

}  // namespace
