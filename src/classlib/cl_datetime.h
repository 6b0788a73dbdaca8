// Dates and times: TDateTime (days since 1899-12-30, the fraction is the time of day),
// calendar arithmetic, FormatDateTime patterns and reading dates and times from text.
#pragma once

#include "cl_string.h"

using TDateTime = double;

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = 24 * 60;
constexpr int SecsPerDay = MinsPerDay * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;
// Days from 0001-01-01 to 1899-12-30, and from 1899-12-30 to 1970-01-01.
constexpr int DateDelta = 693594;
constexpr int UnixDateDelta = 25569;

// Days of each month, [IsLeapYear(year)][month 1..12]; index 0 is unused.
extern const int MonthDays[2][13];
bool IsLeapYear(int year);  // Gregorian
int DaysInAMonth(int year, int month);

// Years 1..9999, months 1..12, days 1..the month's length; hours < 24, minutes and seconds
// < 60, milliseconds < 1000. The Encode* functions raise EConvertError on anything else.
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& time);
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                         int msec);
// For negative values the time of day comes from the absolute fraction. Values outside the
// years 1..9999 decode as zeros.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& msec);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);
// ISO 8601 week number (weeks start on Monday; week 1 holds the year's first Thursday).
int WeekOfTheYear(TDateTime value);
// Moves by whole months, clamping the day to the end of the target month; keeps the time.
TDateTime IncMonth(TDateTime value, int months = 1);

// Local time of the system clock.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Pattern letters (case-insensitive): d dd ddd dddd ddddd (short date) dddddd (long date),
// m mm mmm mmmm (minutes when directly after h/hh), yy yyyy, h hh n nn s ss z zzz,
// t (short time) tt (long time), am/pm a/p ampm (12-hour clock), c (short date and long time,
// no time at midnight), / (DateSeparator), : (TimeSeparator), '...' and "..." literals.
// An empty pattern means "c".
AnsiString FormatDateTime(const AnsiString& format, TDateTime value);
void DateTimeToString(AnsiString& result, const AnsiString& format, TDateTime value);
AnsiString DateTimeToStr(TDateTime value);
AnsiString DateToStr(TDateTime value);
AnsiString TimeToStr(TDateTime value);

// Dates are numbers separated by DateSeparator in the order of ShortDateFormat; years of one
// or two digits become 2000..2049 (00-49) or 1950..1999 (50-99). Times are h:n[:s[.z]] with
// TimeSeparator and an optional AM/PM marker. StrToDateTime takes a date, a time, or a date
// and a time separated by blanks; a time alone has date 0. Failures raise EConvertError.
bool TryStrToDate(const AnsiString& s, TDateTime& value);
bool TryStrToTime(const AnsiString& s, TDateTime& value);
bool TryStrToDateTime(const AnsiString& s, TDateTime& value);
TDateTime StrToDate(const AnsiString& s);
TDateTime StrToTime(const AnsiString& s);
TDateTime StrToDateTime(const AnsiString& s);
