#include "RawDataText.h"

#include <algorithm>

#include "FixedFormText.h"
#include "RadonTexts.h"
#include "cl_datetime.h"
#include "cl_number.h"
#include "cl_types.h"

namespace {

// The converted text is the user's: its numbers, dates and times take the system's separators.
// The counts go into the test data file in the program's fixed forms.
struct TConversion {
    bool convert;
    bool bequerel;
    double k0, k1;

    AnsiString Number(double value, int precision) const {
        return convert ? FloatToStrF(value, ffFixed, precision, 1)
                       : FixedFloatText(value, ffFixed, precision, 1);
    }
    AnsiString Counts(double counts) const { return Number(counts, 6); }
    AnsiString Sensor(double value) const { return Number(value, 5); }
    AnsiString Date(TDateTime t) const {
        return convert ? FormatDateTime("mm/dd/yyyy", t) : FixedDateText(t);
    }
    AnsiString Time(TDateTime t) const {
        return convert ? FormatDateTime("hh:nn", t) : FixedTimeText(t);
    }
};

TConversion ConversionOf(const TDeviceRecord& record, bool convert, double hours) {
    const double perLitre = record.UnitsIndex == 0 ? 37 : 1;
    return {convert, record.UnitsIndex == 0, perLitre / record.CF1 / hours,
            perLitre / record.CF2 / hours};
}

AnsiString DayHeader(bool model6916, const TConversion& c, TDateTime day) {
    AnsiString header = "\n\nDate:\t " + c.Date(day);
    if (model6916)
        return header + "\nTime\tCounts\tTemp\tPressure\tHumidity\tFlags\n\t" +
               (c.bequerel ? "Bq/M3\tC\tPa" : "pCi/l\tF\tinHg");
    return header + "\nTime\tCounts\tFlags" + (c.bequerel ? "\n\tBq/m3" : "\n\tpCi/l");
}

AnsiString Fields6915(const TMeasurement& reading, const TConversion& c) {
    const double counts = c.convert ? reading.Alpha0Counts * c.k0 : reading.Alpha0Counts;
    return c.Counts(counts) + "\t" + FlagsText(reading.Flags) + "\t";
}

AnsiString Fields6916(const TMeasurement& reading, const TConversion& c) {
    const double c0 = c.convert ? reading.Alpha0Counts * c.k0 : reading.Alpha0Counts;
    const double c1 = c.convert ? reading.Alpha1Counts * c.k1 : reading.Alpha1Counts;
    const double temperature =
        c.convert && !c.bequerel ? reading.Temperature * 9 * 0.2 + 32 : reading.Temperature;
    const double pressure = c.convert && c.bequerel ? reading.Pressure * 33.85 : reading.Pressure;
    return c.Counts((c0 + c1) * 0.5) + "\t" + c.Sensor(temperature) + "\t" +
           c.Sensor(pressure) + "\t" + c.Sensor(reading.Humidity) + "\t" +
           FlagsText(reading.Flags) + "\t";
}

AnsiString Footer(const TDeviceRecord& record, const AnsiString& productVersion) {
    return "\n\nError Flags:\nM Motion:\n\n\nInspector Signature " + StringOfChar('_', 43) +
           "\n\nPC Software Version:\t" + productVersion + "\nEmbedded Software Version:\t" +
           UIntToStr(record.FirmwareVersion);
}

}  // namespace

double IntervalHours(uint32_t intervalIndex) { return IntervalIndexHours(intervalIndex); }

double IntervalDays(uint32_t intervalIndex) { return IntervalHours(intervalIndex) * OneHour; }

AnsiString RawDataText(const TDeviceRecord& record, bool convert,
                       const AnsiString& productVersion) {
    const double hours = IntervalHours(record.IntervalIndex);
    const double interval = hours * OneHour;
    const TConversion conversion = ConversionOf(record, convert, hours);
    const bool model6916 = record.ModelNumber == "6916";
    const int count = std::min<int>(record.NumMeasurements, MaxMeasurements);
    AnsiString text;
    double t = record.StartTime + interval;
    long long lastDay = 0;
    for (int i = 1; i < count; ++i, t += interval) {
        if (i == 1 || Trunc(t) != lastDay) {
            lastDay = Trunc(t);
            text += DayHeader(model6916, conversion, t);
        }
        const TMeasurement& reading = record.Measurements[i];
        text += "\n" + conversion.Time(t) + "\t" +
                (model6916 ? Fields6916(reading, conversion) : Fields6915(reading, conversion));
    }
    if (convert) text += Footer(record, productVersion);
    return text;
}

AnsiString WithCrLf(const AnsiString& text) {
    std::string result;
    result.reserve(text.str().size() + text.str().size() / 16);
    for (char c : text.str()) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
}
