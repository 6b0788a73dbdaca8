// Date and time text parsers: "mm/dd/yyyy" and "HH:MM" texts of the monitor and the test file
// turned into numbers, for the caller to encode as a date-time.
#pragma once

#include <cstdint>

#include "cl_string.h"

struct TDateTimeFields {
    int32_t Day = 0;
    int32_t Month = 0;
    int32_t Year = 0;
    int32_t Hour = 0;
    int32_t Minute = 0;
};

// Sets Year, Day and Month from a date with '/' or '-' separators; raises EConvertError for a
// part that is not an integer, after storing the parts before it.
void String2Date(TDateTimeFields* fields, AnsiString text);
// Sets Minute and Hour from an "HH:MM" text, with the same failure rule.
void String2Time(TDateTimeFields* fields, AnsiString text);
