// Locale format globals: separators, date/time patterns and names that the number and date
// units format and parse with. Read from the system locale once at start-up.
#pragma once

#include "cl_string.h"

extern char DecimalSeparator;
extern char ThousandSeparator;  // '\0' when the locale groups without a separator
extern char DateSeparator;
extern char TimeSeparator;
// Patterns in FormatDateTime syntax.
extern AnsiString ShortDateFormat;
extern AnsiString LongDateFormat;
extern AnsiString ShortTimeFormat;
extern AnsiString LongTimeFormat;
extern AnsiString TimeAMString;
extern AnsiString TimePMString;
// Index 1..12 (January first); index 0 is unused.
extern AnsiString ShortMonthNames[13];
extern AnsiString LongMonthNames[13];
// Index 1..7, Sunday first (DayOfWeek numbering); index 0 is unused.
extern AnsiString ShortDayNames[8];
extern AnsiString LongDayNames[8];

// Sets every global to the English (United States) formats.
void SetDefaultLocaleFormats();
// Reads every global from the user's system locale (runs once automatically at start-up).
void InitLocaleFormats();

// Converts a system date or time picture (M = month, m = minute, H = 24-hour clock,
// tt = AM/PM designator) to FormatDateTime syntax.
AnsiString LocalePictureToFormat(const AnsiString& picture);
