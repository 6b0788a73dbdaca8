// The words shown and printed for the monitor's indexes and flags, the notice texts, text
// padding and the conversion of a day of the year into month and day.
#pragma once

#include <cstdint>

#include "cl_string.h"

AnsiString DurationIndexText(uint32_t index);
AnsiString IntervalIndexText(uint32_t index);
// The interval of `index` in hours, whatever the locale's decimal separator; an index beyond the
// table raises EConvertError, as its text is no number.
double IntervalIndexHours(uint32_t index);
AnsiString DelayIndexText(uint32_t index);
AnsiString UnitsIndexText(uint32_t index);
// "M" for motion (exactly 0x10), otherwise one space.
AnsiString FlagsText(uint8_t flags);
// The text cut or padded on the right with spaces to exactly `width` characters.
AnsiString PaddedText(const AnsiString& text, int width);
// The notice text of bit 0..31.
const char* NoticeText(int bit);

// Month and day of `dayOfYear` (1 = 1 January); false, leaving both unchanged, for a day
// outside the year. Every year divisible by 4 is a leap year.
bool DayOfYearToDate(int year, int dayOfYear, int& month, int& day);
