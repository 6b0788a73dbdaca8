// Number <-> text conversions with exact rounding rules: integers (decimal and hexadecimal),
// floats in general, fixed, number and exponent formats, and FormatFloat patterns.
#pragma once

#include "cl_string.h"
#include "cl_types.h"

// Raise EConvertError "'%s' is not a valid integer value". Optional sign, then decimal digits,
// or hexadecimal digits after "$", "0x" or "0X" (up to 32 bits, read as two's complement).
// No blanks anywhere.
int StrToInt(const AnsiString& s);
int StrToIntDef(const AnsiString& s, int defaultValue);
bool TryStrToInt(const AnsiString& s, int& value);
long long StrToInt64(const AnsiString& s);
long long StrToInt64Def(const AnsiString& s, long long defaultValue);
bool TryStrToInt64(const AnsiString& s, long long& value);

// Raise EConvertError "'%s' is not a valid floating point value". Optional blanks around an
// optional sign, digits with at most one DecimalSeparator, and an optional exponent
// (e or E, optional sign, digits). No thousands separators.
Extended StrToFloat(const AnsiString& s);
Extended StrToFloatDef(const AnsiString& s, Extended defaultValue);
bool TryStrToFloat(const AnsiString& s, Extended& value);
bool TryStrToFloat(const AnsiString& s, double& value);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

// The value is first rounded to `precision` (1..18) significant digits of its exact decimal
// expansion, then to the places the format shows; both roundings go half away from zero.
// - ffGeneral: the shortest text of those digits; scientific ("1.5E20", "1E-6") when the
//   decimal exponent is >= precision or the value is below 1e-5, with at least `digits`
//   exponent digits.
// - ffExponent: "d.dddE+XX", `precision` mantissa digits, at least `digits` exponent digits.
// - ffFixed: exactly `digits` decimals; when the integer part has more digits than
//   `precision`, the ffExponent text with two exponent digits instead.
// - ffNumber: as ffFixed, with ThousandSeparator between groups of three integer digits.
// A result that rounds to zero carries no minus sign; infinities and NaN give "INF", "-INF"
// and "NAN".
AnsiString FloatToStrF(Extended value, TFloatFormat format, int precision, int digits);
// ffGeneral with 15 significant digits.
AnsiString FloatToStr(Extended value);

// Formats by a pattern of up to three sections "positive;negative;zero" of placeholders
// '0' (digit or zero) and '#' (digit or nothing), '.' (DecimalSeparator), ',' (grouping with
// ThousandSeparator), "E+0"/"E-0" exponents, quoted literals; any other character is literal.
// The value is taken to 15 significant digits first; an empty pattern gives FloatToStr.
AnsiString FormatFloat(const AnsiString& format, Extended value);
