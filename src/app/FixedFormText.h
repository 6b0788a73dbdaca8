// Numbers, dates and times in the one form the program's text files use ('.' decimal point,
// "mm/dd/yyyy", "hh:nn"), written and read the same whatever the system's locale.
#pragma once

#include "cl_datetime.h"
#include "cl_number.h"

// FloatToStrF with '.' as the decimal point.
AnsiString FixedFloatText(Extended value, TFloatFormat format, int precision, int digits);
// A C++ stream's default float output: up to six significant digits ("2.7", "0.125").
AnsiString StreamFloatText(double value);
// A finite number with '.' as the decimal point and an optional exponent; blanks and control
// characters around it are ignored. Raises EConvertError "'%s' is not a valid floating point
// value" for anything else.
double FixedTextToFloat(const AnsiString& text);
// FixedTextToFloat, and besides the forms in which FloatToStrF and a C++ stream write a value
// that is no number or infinite: NAN, INF and -INF in either letter case, and a signed NAN.
double FixedTextToAnyFloat(const AnsiString& text);

AnsiString FixedDateText(TDateTime value);
AnsiString FixedTimeText(TDateTime value);
// The time of day of an "hour:minute" text, whatever the system's time separator. Raises
// EConvertError "'%s' is not a valid time" for a text that is no time of day.
TDateTime FixedTextToTime(const AnsiString& text);
