// The date and time text parsers: separators, widths, and what a failure leaves behind.
#include "Radonmath.h"

#include <gtest/gtest.h>

#include "cl_except.h"

namespace {

TEST(String2Date, ReadsMonthDayAndYearWithEitherSeparator) {
    struct Case { const char* text; int month, day, year; };
    const Case cases[] = {
        {"07/31/1970", 7, 31, 1970}, {"07-31-1970", 7, 31, 1970}, {"07/31-1970", 7, 31, 1970},
        {"7-4-2009", 7, 4, 2009},    {"12/05/09", 12, 5, 9},       {"12345678", 12345678, 12, 1234},
        {"13/45/2009", 13, 45, 2009},
    };
    for (const Case& c : cases) {
        TDateTimeFields fields;
        fields.Hour = 8;
        fields.Minute = 9;
        String2Date(&fields, c.text);
        EXPECT_EQ(fields.Month, c.month) << c.text;
        EXPECT_EQ(fields.Day, c.day) << c.text;
        EXPECT_EQ(fields.Year, c.year) << c.text;
        EXPECT_EQ(fields.Hour, 8) << c.text;
        EXPECT_EQ(fields.Minute, 9) << c.text;
    }
}

TEST(String2Time, ReadsHourAndMinute) {
    struct Case { const char* text; int hour, minute; };
    for (const Case& c : {Case{"13:05", 13, 5}, Case{"9:5", 9, 5}, Case{"00:00", 0, 0}}) {
        TDateTimeFields fields;
        fields.Year = 1999;
        String2Time(&fields, c.text);
        EXPECT_EQ(fields.Hour, c.hour) << c.text;
        EXPECT_EQ(fields.Minute, c.minute) << c.text;
        EXPECT_EQ(fields.Year, 1999) << c.text;
    }
}

AnsiString ConversionError(void (*parse)(TDateTimeFields*, AnsiString), const char* text,
                           TDateTimeFields& fields) {
    try {
        parse(&fields, text);
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

TEST(DateAndTimeParsers, FailuresNameThePartAndKeepWhatWasStoredBefore) {
    TDateTimeFields fields;
    fields.Month = 1;
    EXPECT_EQ(ConversionError(String2Date, "07/31/1970 12:00", fields),
              AnsiString("'07 12:00' is not a valid integer value"));
    fields = TDateTimeFields{};
    fields.Month = 1;
    EXPECT_EQ(ConversionError(String2Date, "07/x1/1970", fields),
              AnsiString("'x1' is not a valid integer value"));
    EXPECT_EQ(fields.Year, 1970);
    EXPECT_EQ(fields.Month, 1);

    fields = TDateTimeFields{};
    EXPECT_EQ(ConversionError(String2Time, "13:05:30", fields),
              AnsiString("'13:05' is not a valid integer value"));
    EXPECT_EQ(fields.Minute, 30);

    fields = TDateTimeFields{5, 6, 7, 8, 9};
    EXPECT_EQ(ConversionError(String2Date, "", fields), AnsiString("'' is not a valid integer value"));
    EXPECT_EQ(fields.Day, 5);
    EXPECT_EQ(fields.Year, 7);
}

// The parsers cut their text apart; the caller's own (not const, so that a parser taking it by
// reference could reach it) keeps every character.
TEST(DateAndTimeParsers, CallersTextIsUnchanged) {
    AnsiString date = "07/31/1970", time = "13:05";
    TDateTimeFields fields;
    String2Date(&fields, date);
    String2Time(&fields, time);
    EXPECT_EQ(date, AnsiString("07/31/1970"));
    EXPECT_EQ(time, AnsiString("13:05"));
}

}  // namespace
