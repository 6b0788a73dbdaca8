// Free-form date and time text typed by a user: any separators, month names of the locale or
// English, digits typed without separators, a missing year, an AM/PM word.
#pragma once

#include "cl_datetime.h"

// Each gives true and the value, or false (the value untouched) when the text names no valid
// date or time: nothing usable, a part given twice, a part out of range, a number too long.
// Neither raises. A date missing its day, month or year takes today's; a two-digit year gets
// its century as the class library's date reading gives it.
bool StrToDateEx(const AnsiString& text, TDateTime& date);
bool StrToTimeEx(const AnsiString& text, TDateTime& time);

// The given letters in the order of their first use in the upper-cased format
// ("M/d/yyyy", "DMY" gives "MDY").
AnsiString GetFormatOrder(const AnsiString& format, const AnsiString& letters);
// 0 for a separator, -1 for a letter, 1 for a digit.
int CharKind(char c);
// Skips separators and cuts the next run of one kind off `text`; its kind, 0 when only
// separators were left (the token and the text are then empty).
int NextToken(AnsiString& text, AnsiString& token);
// The month's name as the locale writes it after a day number.
AnsiString LocaleMonthName(unsigned long locale, int month);
// 1..12 for an upper-case month name (short or long, the locale's or English), else -1.
int MonthFromName(const AnsiString& word);
// -1 for an AM word, 1 for a PM word, else 0; `word` is upper case.
int AmPmFromName(const AnsiString& word);
