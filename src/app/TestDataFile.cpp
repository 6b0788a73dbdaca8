#include "TestDataFile.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>

#include "CompanyTexts.h"
#include "FixedFormText.h"
#include "RawDataText.h"

namespace {

const char* const CompanyLabels[CompanyTextCount] = {
    "Company Name:\t", "Address 1:\t", "Address 2:\t", "City:\t",
    "State:\t",        "Zip:\t",       "Phone:\t",     "License Number:\t"};
const char* const CustomerLabels[CustomerFieldCount] = {
    "Name:\t", "Address 1:\t", "Address 2:\t", "City:\t", "State:\t", "Zip:\t", "Phone :\t"};

constexpr int TokenLimit = 9;
constexpr int FlagLimit6915 = 4;
// A sensor value in the exponent form of the largest float, "-3.4028E+38".
constexpr int SensorTokenLimit = 11;
// A 6916 reading keeps the sum of its two detectors; what detector 0 cannot hold goes to 1.
constexpr double MaxCountsSum = 2.0 * UINT16_MAX;

AnsiString AddressLines(const AnsiString (&fields)[CustomerFieldCount]) {
    AnsiString text;
    for (int i = 0; i < CustomerFieldCount; ++i)
        text += CustomerLabels[i] + Trim(fields[i]) + "\n";
    return text + "\n";
}

// The file's lines, counted from 1; every failure names the line last taken.
class TFileLines {
public:
    explicit TFileLines(TStream& stream) : stream_(stream) {}

    AnsiString Next() {
        ++number_;
        AnsiString line;
        if (!ReadLine(line)) Fail("the file ends before this line");
        return line;
    }
    void Skip(int count) {
        for (int i = 0; i < count; ++i) Next();
    }
    AnsiString Value() { return FieldValue(Next()); }

    [[noreturn]] void Fail(const AnsiString& what) const {
        throw ETestFileError("Line %d: %s", number_, what);
    }
    // Runs a conversion of the current line's text, naming the line when it fails.
    template <class F> auto OnLine(F convert) const {
        try {
            return convert();
        } catch (const EConvertError& e) {
            Fail(e.Message());
        }
    }

private:
    bool ReadLine(AnsiString& line) {
        char c;
        bool any = false;
        while (stream_.Read(&c, 1) == 1) {
            any = true;
            if (c == '\n') break;
            line += c;
        }
        if (line.Length() > 0 && line[line.Length()] == '\r') line.SetLength(line.Length() - 1);
        return any;
    }

    TStream& stream_;
    int number_ = 0;
};

// A number of the current line as the record's 32-bit float holds it.
float FloatOf(const TFileLines& lines, const AnsiString& token) {
    const double value = lines.OnLine([&] { return FixedTextToAnyFloat(token); });
    if (std::isfinite(value) && std::fabs(value) > FLT_MAX)
        lines.Fail("'" + token + "' is out of range");
    return static_cast<float>(value);
}

float ReadFloat(TFileLines& lines) { return FloatOf(lines, lines.Value()); }

int ReadInt(TFileLines& lines) {
    const AnsiString value = lines.Value();
    return lines.OnLine([&] { return StrToInt(value); });
}

int ReadRanged(TFileLines& lines, int low, int high, const char* what) {
    const int value = ReadInt(lines);
    if (value < low || value > high)
        lines.Fail(Format("the %s %d is out of range (%d to %d)", what, value, low, high));
    return value;
}

void ReadCustomer(TFileLines& lines, AnsiString (&fields)[CustomerFieldCount]) {
    for (AnsiString& field : fields) field = lines.Value();
}

void ReadHeader(TFileLines& lines, TLoadedTest& test) {
    TDeviceRecord& record = test.Record;
    TTestFileWindow& window = test.Window;
    lines.Skip(5);
    record.ModelNumber = lines.Value();
    lines.Skip(1);
    record.SerialNumber = lines.Value();
    record.CF1 = ReadFloat(lines);
    record.CF2 = ReadFloat(lines);
    record.CalibrationDate = lines.Value();
    lines.Skip(1);
    window.MitigationInstalled = ReadInt(lines) != 0;
    window.MitigationWorking = std::clamp(ReadInt(lines), -1, 1);
    lines.Skip(2);
    window.InspectorName = lines.Value();
    for (AnsiString* text : CompanyTexts(record)) *text = lines.Value();
    lines.Skip(2);
    ReadCustomer(lines, window.Billing);
    lines.Skip(2);
    ReadCustomer(lines, window.Site);
    lines.Skip(1);
    record.BatteryVoltage = ReadFloat(lines);
    record.IntervalIndex = ReadRanged(lines, 0, INT32_MAX, "interval index");
    // An index without hours of its own fails here, on its line.
    lines.OnLine([&] { return IntervalDays(record.IntervalIndex); });
    record.DurationIndex = ReadRanged(lines, 0, INT32_MAX, "duration index");
    record.UnitsIndex = ReadRanged(lines, 0, INT32_MAX, "unit index");
    record.DelayIndex = ReadRanged(lines, 0, INT32_MAX, "delay index");
    record.NumMeasurements =
        static_cast<uint16_t>(ReadRanged(lines, 0, MaxMeasurements, "number of measurements"));
}

// A reading's line cut at its TABs: the fields before the last one, each at most as long as
// its limit, and the rest of the line after them (the flag and its TAB).
struct TRowFields {
    AnsiString Tokens[5];
    AnsiString Rest;
};

void CheckLength(const TFileLines& lines, const AnsiString& token, int limit) {
    if (token.Length() > limit)
        lines.Fail(Format("'%s' is longer than its field of %d characters", token, limit));
}

// Time and counts, then for the 6916 layout the three sensor values.
int TokenLimitOf(int field) { return field < 2 ? TokenLimit : SensorTokenLimit; }

TRowFields CutRow(const TFileLines& lines, const AnsiString& row, int tokenCount, int restLimit) {
    TRowFields fields;
    int start = 1;
    for (int i = 0; i < tokenCount; ++i) {
        const int tab = row.SubString(start, row.Length()).Pos("\t");
        if (tab == 0) lines.Fail("the reading has too few fields");
        fields.Tokens[i] = row.SubString(start, tab - 1);
        CheckLength(lines, fields.Tokens[i], TokenLimitOf(i));
        start += tab;
    }
    fields.Rest = row.SubString(start, row.Length());
    CheckLength(lines, fields.Rest, restLimit);
    return fields;
}

double ReadCounts(const TFileLines& lines, const AnsiString& token, double scale, double most) {
    const double value = lines.OnLine([&] { return FixedTextToFloat(token); });
    const double counts = std::trunc(value * scale);
    if (counts < 0 || counts > most) lines.Fail("the counts '" + token + "' are out of range");
    return counts;
}

uint8_t FlagsOf(const AnsiString& rest) { return Trim(rest) == "M" ? 0x10 : 0; }

void ReadRow(const TFileLines& lines, const AnsiString& row, bool sensorColumns,
             TMeasurement& reading) {
    if (!sensorColumns) {
        const TRowFields fields = CutRow(lines, row, 2, FlagLimit6915);
        reading.Alpha0Counts =
            static_cast<uint16_t>(ReadCounts(lines, fields.Tokens[1], 1, UINT16_MAX));
        reading.Flags = FlagsOf(fields.Rest);
        return;
    }
    const TRowFields fields = CutRow(lines, row, 5, TokenLimit);
    const double sum = ReadCounts(lines, fields.Tokens[1], 2, MaxCountsSum);
    reading.Alpha0Counts = static_cast<uint16_t>(std::min<double>(sum, UINT16_MAX));
    reading.Alpha1Counts = static_cast<uint16_t>(sum - reading.Alpha0Counts);
    reading.Temperature = FloatOf(lines, fields.Tokens[2]);
    reading.Pressure = FloatOf(lines, fields.Tokens[3]);
    reading.Humidity = FloatOf(lines, fields.Tokens[4]);
    reading.Flags = FlagsOf(fields.Rest);
}

AnsiString FirstToken(const AnsiString& row) {
    const int tab = row.Pos("\t");
    return tab ? row.SubString(1, tab - 1) : row;
}

// The next reading's line, passing over empty lines and a new day's three header lines.
AnsiString NextRow(TFileLines& lines) {
    AnsiString row = lines.Next();
    while (Trim(row).IsEmpty()) row = lines.Next();
    if (Trim(FirstToken(row)) == "Date:") {
        lines.Skip(2);
        row = lines.Next();
    }
    return row;
}

TDateTime ReadStartDate(TFileLines& lines) {
    const AnsiString text = lines.Value();
    return lines.OnLine([&] {
        TDateTimeFields fields;
        String2Date(&fields, text);
        return EncodeDate(fields.Year, fields.Month, fields.Day);
    });
}

TDateTime StartTimeOf(const TFileLines& lines, const AnsiString& firstRow) {
    const AnsiString token = FirstToken(firstRow);
    CheckLength(lines, token, TokenLimit);
    return lines.OnLine([&] {
        TDateTimeFields fields;
        String2Time(&fields, token);
        return EncodeTime(fields.Hour, fields.Minute, 0, 0);
    });
}

void ReadReadings(TFileLines& lines, TDeviceRecord& record) {
    lines.Skip(1);
    const TDateTime date = ReadStartDate(lines);
    lines.Skip(2);
    AnsiString row = lines.Next();
    // Reading 1 lies one interval after the start, whatever the delay.
    record.StartTime = date + StartTimeOf(lines, row) - IntervalDays(record.IntervalIndex);
    const bool sensorColumns = HasSensorColumns(record);
    for (int i = 1; i < record.NumMeasurements; ++i) {
        if (i > 1) row = NextRow(lines);
        ReadRow(lines, row, sensorColumns, record.Measurements[i]);
    }
}

}  // namespace

AnsiString CompanyBlockText(const AnsiString& inspectorName, const TDeviceRecord& record) {
    AnsiString text = "Name:\t" + inspectorName + "\n";
    const auto texts = CompanyTexts(record);
    for (size_t i = 0; i < texts.size(); ++i) text += CompanyLabels[i] + Trim(*texts[i]) + "\n";
    return text;
}

AnsiString CustomerBlockText(const TTestFileWindow& window) {
    return "Customer Billing Information:\n" + AddressLines(window.Billing) +
           "Customer Site Information\n" + AddressLines(window.Site);
}

AnsiString InspectorInfoText(const AnsiString& inspectorName, const TDeviceRecord& record) {
    AnsiString text;
    if (!Trim(inspectorName).IsEmpty()) text += inspectorName + "\r\n";
    auto add = [&](const AnsiString& value, const char* prefix, const char* ending) {
        const AnsiString trimmed = Trim(value);
        if (trimmed != "None") text += prefix + trimmed + ending;
    };
    add(record.CompanyName, "", "\r\n");
    add(record.Address1, "", "\r\n");
    if (!Trim(record.Address2).IsEmpty()) add(record.Address2, "", "\r\n");
    add(record.City, "", "\r\n");
    add(record.State, "", "-");
    add(record.Zip, "", "\r\n");
    add(record.PhoneNumber, "Phone: ", "\r\n");
    add(record.LicenseNumber, "License Number : ", "");
    return text;
}

AnsiString TestDataFileText(const TDeviceRecord& record, const TTestFileWindow& window,
                            const AnsiString& softwareVersion) {
    AnsiString text =
        "** WARNING! Editing this file can cause it to become unusable with the Radon "
        "software.\n\nSoftware Version:\t" +
        softwareVersion + "\nFile Revision:\tA\nQuillmoor Corporation\n";
    text += AnsiString("Continuous Radon Monitor:\t") +
            (record.ModelNumber == "6916" ? "6916" : "6915") + "\n\n";
    text += "Serial Number:\t" + record.SerialNumber + "\n";
    text += "Calibration Factor 1:\t" + StreamFloatText(record.CF1) + "\n";
    text += "Calibration Factor 2:\t" + StreamFloatText(record.CF2) + "\n";
    text += "Calibration Date:\t" + record.CalibrationDate + "\n\n";
    text += AnsiString("Mitigation System Installed:\t") + (window.MitigationInstalled ? "1" : "0");
    text += "\nMitigation System Working:\t" + IntToStr(window.MitigationWorking) + "\n\n";
    text += "Inspection Company:\n" + CompanyBlockText(window.InspectorName, record) + "\n";
    text += CustomerBlockText(window);
    text += "Battery:\t" + FixedFloatText(record.BatteryVoltage, ffGeneral, 2, 2) + "\n";
    text += "Measurement Interval Index:\t" + IntToStr(record.IntervalIndex) + "\n";
    text += "Duration Interval Index:\t" + IntToStr(record.DurationIndex) + "\n";
    text += "Unit Index:\t" + IntToStr(record.UnitsIndex) + "\n";
    text += "Delay Index:\t" + IntToStr(record.DelayIndex) + "\n";
    text += "Number of Measurements:\t" + IntToStr(record.NumMeasurements);
    text += RawDataText(record, false, AnsiString());
    return WithCrLf(text);
}

bool HasSensorColumns(const TDeviceRecord& record) { return record.ModelNumber != "6915"; }

AnsiString FieldValue(const AnsiString& line) {
    const int tab = line.Pos("\t");
    return tab ? Trim(line.SubString(tab, line.Length())) : line;
}

AnsiString ReadFieldValue(TStream& stream) {
    TFileLines lines(stream);
    return lines.Value();
}

void ReadTestDataFile(TStream& stream, TLoadedTest& test) {
    TFileLines lines(stream);
    ReadHeader(lines, test);
    ReadReadings(lines, test.Record);
}

void LoadTestDataFile(const AnsiString& fileName, TLoadedTest& test) {
    TMemoryStream contents;
    {
        TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
        if (file.Size() > MaxTestFileSize)
            throw ETestFileError(
                "The file \"%s\" is far larger than any test data file and is not read.",
                fileName);
        contents.LoadFromStream(&file);
    }
    ReadTestDataFile(contents, test);
}

void CopyTestFileFields(const TDeviceRecord& from, TDeviceRecord& to) {
    to.ModelNumber = from.ModelNumber;
    to.SerialNumber = from.SerialNumber;
    to.CF1 = from.CF1;
    to.CF2 = from.CF2;
    to.CalibrationDate = from.CalibrationDate;
    const auto fromTexts = CompanyTexts(from);
    const auto toTexts = CompanyTexts(to);
    for (int i = 0; i < CompanyTextCount; ++i) *toTexts[i] = *fromTexts[i];
    to.BatteryVoltage = from.BatteryVoltage;
    to.IntervalIndex = from.IntervalIndex;
    to.DurationIndex = from.DurationIndex;
    to.UnitsIndex = from.UnitsIndex;
    to.DelayIndex = from.DelayIndex;
    to.NumMeasurements = from.NumMeasurements;
    to.StartTime = from.StartTime;
    for (int i = 1; i < from.NumMeasurements; ++i) {
        const TMeasurement& source = from.Measurements[i];
        TMeasurement& target = to.Measurements[i];
        target.Alpha0Counts = source.Alpha0Counts;
        target.Alpha1Counts = source.Alpha1Counts;
        target.Temperature = source.Temperature;
        target.Pressure = source.Pressure;
        target.Humidity = source.Humidity;
        target.Flags = source.Flags;
    }
}

AnsiString WithTxtExtension(const AnsiString& fileName) {
    const AnsiString ending = fileName.SubString(fileName.Length() - 3, 4);
    return fileName.Length() >= 4 && ending == ".txt" ? fileName : fileName + ".txt";
}
