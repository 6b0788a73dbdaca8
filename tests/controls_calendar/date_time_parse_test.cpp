// Free-form date and time texts: tables of typed texts with the value each gives or its refusal,
// under English formats and a fixed today (15 June 2010).
#include <gtest/gtest.h>

#include "UiDateTimeParse.h"
#include "cl_hooks.h"
#include "cl_locale.h"

namespace {

class DateTimeParseTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDefaultLocaleFormats();
        Hooks().Now = [] { return EncodeDate(2010, 6, 15) + EncodeTime(9, 41, 0, 0); };
    }
    void TearDown() override {
        Hooks().Now = nullptr;
        InitLocaleFormats();
    }
};

struct DateCase {
    const char* text;
    int year, month, day;  // year 0: refused
};

void ExpectDates(std::initializer_list<DateCase> cases) {
    for (const DateCase& c : cases) {
        TDateTime date = -1;
        const bool parsed = StrToDateEx(c.text, date);
        if (c.year == 0) {
            EXPECT_FALSE(parsed) << '"' << c.text << "\" gave " << DateToStr(date).c_str();
            EXPECT_EQ(-1, date) << c.text;
        } else {
            ASSERT_TRUE(parsed) << '"' << c.text << '"';
            EXPECT_EQ(EncodeDate(c.year, c.month, c.day), date) << '"' << c.text << '"';
        }
    }
}

TEST_F(DateTimeParseTest, DatesInMonthDayYearOrder) {
    ExpectDates({
        {"12/25/2005", 2005, 12, 25},
        {"25/12/2005", 2005, 12, 25},  // 25 cannot be a month
        {"12/25", 2010, 12, 25},       // the year stays today's
        {"12-25-2005", 2005, 12, 25},  // any separator
        {"2005 12 25", 2005, 12, 25},  // four digits are the year wherever they stand
        {"March 5 2004", 2004, 3, 5},
        {"5 MARCH 2004", 2004, 3, 5},  // the name takes the month, the numbers the rest
        {"Fri, Mar 5, 2004", 2004, 3, 5},
        {"june", 2010, 6, 15},
        {"120305", 2005, 12, 3},  // digits alone: month, day, two-digit year
        {"1225", 2010, 12, 25},
        {"12252005", 2005, 12, 25},
        {"12/25/99", 1999, 12, 25},
        {"12/25/49", 2049, 12, 25},
        {"2/29/2004", 2004, 2, 29},
    });
}

TEST_F(DateTimeParseTest, DatesThatNameNoValidDayAreRefused) {
    ExpectDates({
        {"", 0, 0, 0},
        {"   ", 0, 0, 0},
        {"hello world", 0, 0, 0},   // words only: not today
        {"13/14/2005", 0, 0, 0},    // two numbers that can only be days
        {"2005/12/2004", 0, 0, 0},  // two years
        {"March April 2004", 0, 0, 0},
        {"March 3 4 2004", 0, 0, 0},  // more numbers than parts
        {"12/25/2005/7", 0, 0, 0},
        {"2/30/2004", 0, 0, 0},
        {"2/29/2005", 0, 0, 0},
        {"12/32/2005", 0, 0, 0},
        {"12/25/10000", 0, 0, 0},
        {"65537/1/2005", 0, 0, 0},  // no 16-bit wrap to 1/1
        {"99999999999999999999/1/1", 0, 0, 0},
        {"12345678901", 0, 0, 0},
    });
}

TEST_F(DateTimeParseTest, DatesFollowTheLocaleOrder) {
    ShortDateFormat = "yyyy-mm-dd";
    DateSeparator = '-';
    ExpectDates({
        {"2005-12-25", 2005, 12, 25},
        {"20051225", 2005, 12, 25},  // the four-digit year where the order puts it
        {"051225", 2005, 12, 25},
        {"25 December 2005", 2005, 12, 25},
    });
    ShortDateFormat = "d.m.yyyy";
    DateSeparator = '.';
    ExpectDates({
        {"3.12.05", 2005, 12, 3},
        {"25122005", 2005, 12, 25},
        {"25.12.2005", 2005, 12, 25},
        {"12.25.2005", 0, 0, 0},  // the day came first, and 25 cannot be a month
        {"25.13.2005", 0, 0, 0},
    });
}

struct TimeCase {
    const char* text;
    int hour, minute, second;  // hour -1: refused
};

void ExpectTimes(std::initializer_list<TimeCase> cases) {
    for (const TimeCase& c : cases) {
        TDateTime time = -1;
        const bool parsed = StrToTimeEx(c.text, time);
        if (c.hour < 0) {
            EXPECT_FALSE(parsed) << '"' << c.text << "\" gave " << TimeToStr(time).c_str();
            EXPECT_EQ(-1, time) << c.text;
        } else {
            ASSERT_TRUE(parsed) << '"' << c.text << '"';
            EXPECT_EQ(EncodeTime(c.hour, c.minute, c.second, 0), time) << '"' << c.text << '"';
        }
    }
}

TEST_F(DateTimeParseTest, Times) {
    ExpectTimes({
        {"2:30 PM", 14, 30, 0},
        {"2:30pm", 14, 30, 0},
        {"12:15 am", 0, 15, 0},
        {"12:15 P", 12, 15, 0},
        {"1430", 14, 30, 0},  // digits alone: hour and minutes
        {"930", 9, 30, 0},
        {"14.30.15", 14, 30, 15},
        {"0:00", 0, 0, 0},  // midnight is a time, not a failure
        {"7", 7, 0, 0},
        {"14h30", 14, 30, 0},  // unknown words are skipped
    });
    ExpectTimes({
        {"", -1, 0, 0},
        {"PM", -1, 0, 0},
        {"25:70", -1, 0, 0},
        {"24:00", -1, 0, 0},
        {"23:60", -1, 0, 0},
        {"12:30:60", -1, 0, 0},
        {"14:30 PM", -1, 0, 0},  // a 24-hour clock hour with a half-day word
        {"0:30 PM", -1, 0, 0},
        {"2:30 PM AM", -1, 0, 0},
        {"1:02:03:04", -1, 0, 0},  // the long time format has no fourth part
        {"99999999999999:00", -1, 0, 0},
    });
}

TEST_F(DateTimeParseTest, SharedPieces) {
    EXPECT_EQ("MDY", GetFormatOrder("M/d/yyyy", "DMY"));
    EXPECT_EQ("DMY", GetFormatOrder("dd.MM.yy", "DMY"));
    EXPECT_EQ("HNSM", GetFormatOrder("h:nn:ss ampm", "HMNSZ"));

    AnsiString text = "  12/Mar..";
    AnsiString token;
    EXPECT_EQ(1, NextToken(text, token));
    EXPECT_EQ("12", token);
    EXPECT_EQ(-1, NextToken(text, token));
    EXPECT_EQ("Mar", token);
    EXPECT_EQ(0, NextToken(text, token));
    EXPECT_TRUE(token.IsEmpty());
    EXPECT_TRUE(text.IsEmpty());

    EXPECT_EQ(3, MonthFromName("MAR"));
    EXPECT_EQ(12, MonthFromName("DECEMBER"));
    EXPECT_EQ(-1, MonthFromName("MONDAY"));
    EXPECT_EQ("March", LocaleMonthName(0x409, 3));
    EXPECT_EQ(-1, AmPmFromName("A"));
    EXPECT_EQ(1, AmPmFromName("PM"));
    EXPECT_EQ(0, AmPmFromName("pm"));  // the caller upper-cases
}

}  // namespace
