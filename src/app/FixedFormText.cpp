#include "FixedFormText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

#include "Radonmath.h"
#include "cl_except.h"
#include "cl_locale.h"

AnsiString FixedFloatText(Extended value, TFloatFormat format, int precision, int digits) {
    AnsiString text = FloatToStrF(value, format, precision, digits);
    for (char& c : text.str())
        if (c == DecimalSeparator) c = '.';
    return text;
}

AnsiString StreamFloatText(double value) {
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream << value;
    return stream.str();
}

double FixedTextToFloat(const AnsiString& text) {
    const std::string trimmed = Trim(text).str();
    const char* const end = trimmed.data() + trimmed.size();
    double value = 0;
    const auto result = std::from_chars(trimmed.data(), end, value);
    if (trimmed.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        throw EConvertError("'%s' is not a valid floating point value", text);
    return value;
}

double FixedTextToAnyFloat(const AnsiString& text) {
    const AnsiString word = UpperCase(Trim(text));
    if (word == "NAN" || word == "-NAN" || word == "+NAN")
        return std::numeric_limits<double>::quiet_NaN();
    if (word == "INF" || word == "+INF") return std::numeric_limits<double>::infinity();
    if (word == "-INF") return -std::numeric_limits<double>::infinity();
    return FixedTextToFloat(text);
}

AnsiString FixedDateText(TDateTime value) { return FormatDateTime("mm'/'dd'/'yyyy", value); }

AnsiString FixedTimeText(TDateTime value) { return FormatDateTime("hh':'nn", value); }

TDateTime FixedTextToTime(const AnsiString& text) {
    TDateTimeFields fields;
    TDateTime time = 0;
    try {
        String2Time(&fields, text);
    } catch (const EConvertError&) {
        throw EConvertError(SInvalidTime, text);
    }
    if (!TryEncodeTime(fields.Hour, fields.Minute, 0, 0, time))
        throw EConvertError(SInvalidTime, text);
    return time;
}
