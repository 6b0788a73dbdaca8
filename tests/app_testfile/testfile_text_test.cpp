// The test data file and the raw-data text as pure text: byte-exact files of a 6915 and a 6916
// test, reading them back, damaged files, round trips and the raw-data examples, each in the
// English formats and again with a comma decimal separator and other date and time separators.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

#include "FixedFormText.h"
#include "RawDataText.h"
#include "cl_locale.h"
#include "sample_tests.h"

namespace {

using ::testing::HasSubstr;

// The locale formats of the process for one test, put back afterwards.
class LocaleFormats : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (!GetParam()) return;
        DecimalSeparator = ',';
        ThousandSeparator = '.';
        DateSeparator = '.';
        TimeSeparator = '.';
        ShortDateFormat = "dd/mm/yyyy";
    }
    void TearDown() override {
        DecimalSeparator = decimal_;
        ThousandSeparator = thousand_;
        DateSeparator = date_;
        TimeSeparator = time_;
        ShortDateFormat = shortDate_;
    }

private:
    char decimal_ = DecimalSeparator, thousand_ = ThousandSeparator, date_ = DateSeparator,
         time_ = TimeSeparator;
    AnsiString shortDate_ = ShortDateFormat;
};

std::string FileOf(const SampleTest& test) {
    return TestDataFileText(*test.Record, test.Window, "1.2.0.0").str();
}

std::unique_ptr<TLoadedTest> Read(const std::string& text) {
    auto loaded = std::make_unique<TLoadedTest>();
    TStringStream stream(text);
    ReadTestDataFile(stream, *loaded);
    return loaded;
}

// The message of reading `text`, empty when it reads without failing.
std::string ReadFailure(const std::string& text) {
    try {
        Read(text);
    } catch (const ETestFileError& e) {
        return e.Message().str();
    }
    return "";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    return text;
}

// The file with line `number` (1-based) replaced.
std::string WithLine(const std::string& text, int number, const std::string& line) {
    std::vector<std::string> lines = Lines(text);
    lines.at(number - 1) = line;
    return Joined(lines);
}

std::string FirstLines(const std::string& text, int count) {
    std::vector<std::string> lines = Lines(text);
    lines.resize(count);
    return Joined(lines);
}

using TestDataFileTest = LocaleFormats;

TEST_P(TestDataFileTest, SavedFilesMatchTheFixturesByteForByte) {
    EXPECT_EQ(FileOf(Sample6915()), Fixture("test6915.txt"));
    EXPECT_EQ(FileOf(Sample6916()), Fixture("test6916.txt"));
}

TEST_P(TestDataFileTest, The6915FixtureOpensWithEveryField) {
    const auto loaded = Read(Fixture("test6915.txt"));
    const TDeviceRecord& r = loaded->Record;
    EXPECT_EQ(r.ModelNumber, "6915");
    EXPECT_EQ(r.SerialNumber, "15001");
    EXPECT_EQ(r.CF1, 2.7f);
    EXPECT_EQ(r.CF2, 2.65f);
    EXPECT_EQ(r.CalibrationDate, "03/15/2026");
    EXPECT_EQ(r.CompanyName, "Acme Radon Testing");
    EXPECT_EQ(r.Address2, "");
    EXPECT_EQ(r.LicenseNumber, "IL-4411");
    EXPECT_EQ(r.BatteryVoltage, 3.3f);
    EXPECT_EQ(r.IntervalIndex, 0u);
    EXPECT_EQ(r.DurationIndex, 2u);
    EXPECT_EQ(r.UnitsIndex, 1u);
    EXPECT_EQ(r.DelayIndex, 0u);
    EXPECT_EQ(r.NumMeasurements, 6);
    EXPECT_EQ(Stamp(r.StartTime), "2026-03-14 21:30:00");
    const uint16_t counts[] = {0, 247, 0, 1234, 65535, 12};
    const uint8_t flags[] = {0, 0, 0x10, 0, 0, 0};
    for (int i = 1; i < 6; ++i) {
        EXPECT_EQ(r.Measurements[i].Alpha0Counts, counts[i]) << i;
        EXPECT_EQ(r.Measurements[i].Flags, flags[i]) << i;
    }
    EXPECT_EQ(r.Measurements[0].Alpha0Counts, 0);
    const TTestFileWindow& w = loaded->Window;
    EXPECT_TRUE(w.MitigationInstalled);
    EXPECT_EQ(w.MitigationWorking, 0);
    EXPECT_EQ(w.InspectorName, "Pat Inspector");
    EXPECT_EQ(w.Billing[6], "309-555-0111");
    EXPECT_EQ(w.Site[1], "99 Lake Dr");
    EXPECT_EQ(w.Site[6], "");
}

TEST_P(TestDataFileTest, The6916FixtureOpensWithTheDetectorSums) {
    const auto loaded = Read(Fixture("test6916.txt"));
    const TDeviceRecord& r = loaded->Record;
    EXPECT_EQ(r.ModelNumber, "6916");
    EXPECT_EQ(r.CF2, 1.3f);
    EXPECT_EQ(r.BatteryVoltage, 8.9f);
    EXPECT_EQ(r.IntervalIndex, 8u);
    EXPECT_EQ(r.DelayIndex, 1u);
    EXPECT_EQ(Stamp(r.StartTime), "2026-06-01 08:15:00");
    EXPECT_EQ(r.Measurements[1].Alpha0Counts, 220);
    EXPECT_EQ(r.Measurements[1].Alpha1Counts, 0);
    EXPECT_EQ(r.Measurements[2].Alpha0Counts, 201);
    EXPECT_EQ(r.Measurements[4].Alpha0Counts, 10001);
    EXPECT_EQ(r.Measurements[2].Flags, 0x10);
    EXPECT_EQ(r.Measurements[4].Flags, 0);
    EXPECT_EQ(r.Measurements[3].Temperature, -3.3f);
    EXPECT_EQ(r.Measurements[2].Pressure, 29.9f);
    EXPECT_EQ(r.Measurements[4].Humidity, 99.9f);
    EXPECT_FALSE(loaded->Window.MitigationInstalled);
    EXPECT_EQ(loaded->Window.MitigationWorking, -1);
    EXPECT_EQ(loaded->Window.InspectorName, "");
}

TEST_P(TestDataFileTest, FilesWithLfLineEndsOtherModelsAndOtherFlagsOpen) {
    std::string text = Fixture("test6916.txt");
    text = WithLine(text, 6, "Continuous Radon Monitor:\t6917");
    text = WithLine(text, 56, "09:15\t100.5\t21.5\t29.9\t50.0\tX\t");
    std::string lf;
    for (char c : text)
        if (c != '\r') lf += c;
    const auto loaded = Read(lf);
    EXPECT_EQ(loaded->Record.ModelNumber, "6917");
    EXPECT_EQ(loaded->Record.Measurements[2].Alpha0Counts, 201);
    EXPECT_EQ(loaded->Record.Measurements[2].Flags, 0);
    EXPECT_EQ(loaded->Record.Measurements[4].Alpha0Counts, 10001);
}

struct Damage {
    const char* name;
    int line;            // 0: the file cut after `cutAfter` lines instead
    const char* text;
    int cutAfter;
    const char* message;
};

const Damage Damages6915[] = {
    {"EmptyFile", 0, "", 0, "Line 1: the file ends before this line"},
    {"CutInTheHeader", 0, "", 30, "Line 31: the file ends before this line"},
    {"CutBeforeTheLastReading", 0, "", 62, "Line 63: the file ends before this line"},
    {"CommaInACalibrationFactor", 9, "Calibration Factor 1:\t2,7", 0,
     "Line 9: '2,7' is not a valid floating point value"},
    {"LettersInTheBattery", 45, "Battery:\t3.3V", 0,
     "Line 45: '3.3V' is not a valid floating point value"},
    {"LettersInAnIndex", 47, "Duration Interval Index:\ttwo", 0,
     "Line 47: 'two' is not a valid integer value"},
    {"IntervalWithoutHours", 46, "Measurement Interval Index:\t9", 0,
     "Line 46: 'Unknown' is not a valid floating point value"},
    {"NegativeDelay", 49, "Delay Index:\t-1", 0,
     "Line 49: the delay index -1 is out of range (0 to 2147483647)"},
    {"MoreReadingsThanATestHolds", 50, "Number of Measurements:\t721", 0,
     "Line 50: the number of measurements 721 is out of range (0 to 720)"},
    {"MoreReadingsThanTheFileHolds", 50, "Number of Measurements:\t720", 0,
     "Line 64: the file ends before this line"},
    {"ImpossibleDate", 52, "Date:\t 02/30/2026", 0, "Line 52: "},
    {"EmptyDate", 52, "Date:\t ", 0, "Line 52: '' is not a valid integer value"},
    {"ImpossibleTime", 55, "25:30\t247.0\t \t", 0, "Line 55: "},
    {"TimeLongerThanItsField", 55, "0000022:30\t247.0\t \t", 0,
     "Line 55: '0000022:30' is longer than its field of 9 characters"},
    {"CountsLongerThanTheirField", 56, "23:30\t0000000000.0\tM\t", 0,
     "Line 56: '0000000000.0' is longer than its field of 9 characters"},
    {"FlagLongerThanItsField", 56, "23:30\t0.0\tM   \t", 0,
     "Line 56: 'M   \t' is longer than its field of 4 characters"},
    {"CountsNotANumber", 61, "00:30\t12x4.0\t \t", 0,
     "Line 61: '12x4.0' is not a valid floating point value"},
    {"CountsOutOfRange", 62, "01:30\t65536.0\t \t", 0,
     "Line 62: the counts '65536.0' are out of range"},
    {"ReadingWithoutFlag", 63, "02:30\t12.0", 0, "Line 63: the reading has too few fields"},
};

class DamagedFileTest : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedFileTest, IsRefusedNamingTheLine) {
    const Damage& d = GetParam();
    const std::string good = Fixture("test6915.txt");
    const std::string text = d.line ? WithLine(good, d.line, d.text) : FirstLines(good, d.cutAfter);
    const std::string message = ReadFailure(text);
    EXPECT_THAT(message, ::testing::StartsWith(d.message));
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedFileTest, ::testing::ValuesIn(Damages6915),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DamagedFileLayoutTest, The6916LayoutChecksEveryField) {
    const std::string good = Fixture("test6916.txt");
    EXPECT_EQ(ReadFailure(WithLine(good, 55, "08:45\t110.0\t20.0\t30.0\t4x.5\t \t")),
              "Line 55: '4x.5' is not a valid floating point value");
    EXPECT_EQ(ReadFailure(WithLine(good, 56, "09:15\t100.5\t21.5\t1e39\t50.0\tM\t")),
              "Line 56: '1e39' is out of range");
    EXPECT_EQ(ReadFailure(WithLine(good, 57, "09:45\t0.0\t-3.3\t28.5")),
              "Line 57: the reading has too few fields");
    EXPECT_EQ(ReadFailure(WithLine(good, 58, "10:15\t65535.5\t20.0\t30.0\t99.9\t \t")),
              "Line 58: the counts '65535.5' are out of range");
    EXPECT_EQ(ReadFailure(WithLine(good, 58, "10:15\t1.0\t-3.4028E+380\t30.0\t99.9\t \t")),
              "Line 58: '-3.4028E+380' is longer than its field of 11 characters");
}

TEST(DamagedFileLayoutTest, AFileWithoutReadingsCannotBeOpened) {
    SampleTest test = Sample6915();
    test.Record->NumMeasurements = 1;
    EXPECT_EQ(ReadFailure(FileOf(test)), "Line 51: the file ends before this line");
}

struct RoundTrip {
    bool model6916;
    uint32_t units;
    uint32_t delay;
};

TEST_P(TestDataFileTest, RoundTripsInBothUnitsAndDelaysRestoreTheTest) {
    for (const RoundTrip trip : {RoundTrip{false, 0, 0}, RoundTrip{false, 1, 3},
                                 RoundTrip{true, 0, 3}, RoundTrip{true, 1, 0}}) {
        SCOPED_TRACE(testing::Message() << trip.model6916 << " units " << trip.units << " delay "
                                        << trip.delay);
        SampleTest test = trip.model6916 ? Sample6916() : Sample6915();
        test.Window.InspectorName = "Pat Inspector";
        TDeviceRecord& saved = *test.Record;
        saved.UnitsIndex = trip.units;
        saved.DelayIndex = trip.delay;
        // Past midnight at the third reading, on the last day of a year.
        saved.StartTime = EncodeDate(2025, 12, 31) + EncodeTime(23, 10, 0, 0);
        const auto loaded = Read(FileOf(test));
        const TDeviceRecord& read = loaded->Record;
        EXPECT_EQ(read.ModelNumber, saved.ModelNumber);
        EXPECT_EQ(read.SerialNumber, saved.SerialNumber);
        EXPECT_EQ(read.CF1, saved.CF1);
        EXPECT_EQ(read.CF2, saved.CF2);
        EXPECT_EQ(read.CompanyName, Trim(saved.CompanyName));
        EXPECT_EQ(read.UnitsIndex, trip.units);
        EXPECT_EQ(read.DelayIndex, trip.delay);
        EXPECT_EQ(read.IntervalIndex, saved.IntervalIndex);
        EXPECT_EQ(read.NumMeasurements, saved.NumMeasurements);
        EXPECT_NEAR(read.StartTime, saved.StartTime, 1e-9);
        for (int i = 1; i < saved.NumMeasurements; ++i) {
            const TMeasurement& s = saved.Measurements[i];
            const TMeasurement& r = read.Measurements[i];
            EXPECT_EQ(r.Alpha0Counts, s.Alpha0Counts + (trip.model6916 ? s.Alpha1Counts : 0));
            EXPECT_EQ(r.Alpha1Counts, 0);
            EXPECT_EQ(r.Flags, s.Flags == 0x10 ? 0x10 : 0);
            if (trip.model6916) {
                EXPECT_NEAR(r.Temperature, s.Temperature, 0.051);
                EXPECT_NEAR(r.Pressure, s.Pressure, 0.051);
                EXPECT_NEAR(r.Humidity, s.Humidity, 0.051);
            }
        }
        EXPECT_EQ(loaded->Window.MitigationInstalled, test.Window.MitigationInstalled);
        EXPECT_EQ(loaded->Window.MitigationWorking, test.Window.MitigationWorking);
        EXPECT_EQ(loaded->Window.Billing[0], test.Window.Billing[0]);
        EXPECT_EQ(loaded->Window.Site[5], test.Window.Site[5]);
        // The opened test, copied into a shown one, saves the same file again.
        SampleTest reopened;
        CopyTestFileFields(read, *reopened.Record);
        reopened.Window = loaded->Window;
        EXPECT_EQ(FileOf(reopened), FileOf(test));
    }
}

// Whatever the monitor hands over is saved, so it must open again: values that are no number,
// sensor values written in exponent form, and 6916 counts whose sum no longer fits detector 0.
TEST_P(TestDataFileTest, EveryValueTheWriterWritesOpensAgain) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    SampleTest test = Sample6916();
    TDeviceRecord& saved = *test.Record;
    saved.CF2 = inf;
    saved.BatteryVoltage = nan;
    SetReading(saved, 1, 65535, 65535, nan, inf, -inf, 0);
    SetReading(saved, 2, 40000, 30000, -123456.0f, FLT_MAX, -FLT_MAX, 0x10);
    const std::string file = FileOf(test);
    EXPECT_THAT(file, HasSubstr("Calibration Factor 2:\tinf\r\n"));
    EXPECT_THAT(file, HasSubstr("Battery:\tNAN\r\n"));
    EXPECT_THAT(file, HasSubstr("\t65535.0\tNAN\tINF\t-INF\t \t\r\n"));
    EXPECT_THAT(file, HasSubstr("\t35000.0\t-1.2346E+05\t3.4028E+38\t-3.4028E+38\tM\t\r\n"));

    const auto loaded = Read(file);
    const TDeviceRecord& read = loaded->Record;
    EXPECT_EQ(read.CF2, inf);
    EXPECT_TRUE(std::isnan(read.BatteryVoltage));
    const TMeasurement& first = read.Measurements[1];
    EXPECT_EQ(first.Alpha0Counts + first.Alpha1Counts, 131070);
    EXPECT_TRUE(std::isnan(first.Temperature));
    EXPECT_EQ(first.Pressure, inf);
    EXPECT_EQ(first.Humidity, -inf);
    const TMeasurement& second = read.Measurements[2];
    EXPECT_EQ(second.Alpha0Counts, 65535) << "the sum stays in detector 0 as far as it fits";
    EXPECT_EQ(second.Alpha1Counts, 70000 - 65535);
    EXPECT_EQ(second.Temperature, -123460.0f);
    EXPECT_EQ(second.Pressure, 3.4028e38f);
    EXPECT_EQ(second.Flags, 0x10);

    SampleTest reopened;
    CopyTestFileFields(read, *reopened.Record);
    reopened.Window = loaded->Window;
    EXPECT_EQ(FileOf(reopened), file);
    SampleTest model6915 = Sample6915();
    model6915.Record->CF1 = nan;
    model6915.Record->BatteryVoltage = -inf;
    EXPECT_TRUE(std::isnan(Read(FileOf(model6915))->Record.CF1));
    EXPECT_EQ(Read(FileOf(model6915))->Record.BatteryVoltage, -inf);
}

TEST(TestFileRecordTest, TheReaderStaysInsideTheRecordForTheLargestTest) {
    SampleTest test = Sample6915();
    TDeviceRecord& r = *test.Record;
    r.NumMeasurements = MaxMeasurements;
    for (int i = 1; i < MaxMeasurements; ++i) SetReading(r, i, i, 0, 0, 0, 0, i % 2 ? 0x10 : 0);
    const auto loaded = Read(FileOf(test));
    EXPECT_EQ(loaded->Record.NumMeasurements, MaxMeasurements);
    EXPECT_EQ(loaded->Record.Measurements[MaxMeasurements - 1].Alpha0Counts, 719);
    EXPECT_EQ(loaded->Record.Measurements[MaxMeasurements - 1].Flags, 0x10);
}

TEST(TestFileRecordTest, CopyTakesOnlyWhatTheFileHolds) {
    const auto loaded = Read(Fixture("test6915.txt"));
    TDeviceRecord shown;
    shown.Pin = "1234";
    shown.FirmwareVersion = 9;
    shown.Measurements[0].Alpha0Counts = 77;
    shown.Measurements[2].Time = 5;
    CopyTestFileFields(loaded->Record, shown);
    EXPECT_EQ(shown.Pin, "1234");
    EXPECT_EQ(shown.FirmwareVersion, 9);
    EXPECT_EQ(shown.Measurements[0].Alpha0Counts, 77);
    EXPECT_EQ(shown.Measurements[2].Time, 5);
    EXPECT_EQ(shown.Measurements[2].Flags, 0x10);
    EXPECT_EQ(shown.SerialNumber, "15001");
    EXPECT_EQ(shown.StartTime, loaded->Record.StartTime);
}

TEST(TestFileRecordTest, TxtIsAppendedUnlessTheNameEndsInExactlyIt) {
    EXPECT_EQ(WithTxtExtension("report"), "report.txt");
    EXPECT_EQ(WithTxtExtension("report.txt"), "report.txt");
    EXPECT_EQ(WithTxtExtension("report.TXT"), "report.TXT.txt");
    EXPECT_EQ(WithTxtExtension("report.Txt"), "report.Txt.txt");
    EXPECT_EQ(WithTxtExtension(".txt"), ".txt");
    EXPECT_EQ(WithTxtExtension("report.csv"), "report.csv.txt");
    EXPECT_EQ(WithTxtExtension("txt"), "txt.txt");
    EXPECT_EQ(WithTxtExtension("C:\\a.txt\\b"), "C:\\a.txt\\b.txt");
}

TEST(TextBlocksTest, FieldValueIsTheTrimmedTextAfterTheFirstTab) {
    EXPECT_EQ(FieldValue("Name:\t  Pat\tX  "), "Pat\tX");
    EXPECT_EQ(FieldValue("Customer Site Information"), "Customer Site Information");
    EXPECT_EQ(FieldValue("Zip:\t"), "");
    TStringStream stream("Serial Number:\t 15001 \r\nnext");
    EXPECT_EQ(ReadFieldValue(stream), "15001");
    EXPECT_EQ(ReadFieldValue(stream), "next");
}

TEST(TextBlocksTest, InspectorInfoLeavesOutNoneAndKeepsAnEmptyAddress) {
    SampleTest none = Sample6916();
    EXPECT_EQ(InspectorInfoText("   ", *none.Record), "");
    SampleTest acme = Sample6915();
    acme.Record->Address1 = "";
    acme.Record->PhoneNumber = "None";
    EXPECT_EQ(InspectorInfoText("  Pat", *acme.Record),
              "  Pat\r\nAcme Radon Testing\r\n\r\nSpringfield\r\nIL-62701\r\n"
              "License Number : IL-4411");
    acme.Record->Address2 = " Suite 5 ";
    acme.Record->PhoneNumber = "217";
    EXPECT_THAT(InspectorInfoText("", *acme.Record).str(),
                HasSubstr("\r\nSuite 5\r\nSpringfield\r\nIL-62701\r\nPhone: 217\r\nLicense"));
}

TEST(TextBlocksTest, CustomerBlockIsTrimmedWithTwoBreaksAfterEachPhone) {
    SampleTest test = Sample6915();
    test.Window.Billing[0] = "\t Jane  ";
    const std::string block = CustomerBlockText(test.Window).str();
    EXPECT_THAT(block, ::testing::StartsWith("Customer Billing Information:\nName:\tJane\n"));
    EXPECT_THAT(block, HasSubstr("Phone :\t309-555-0111\n\nCustomer Site Information\n"));
    EXPECT_THAT(block, ::testing::EndsWith("Zip:\t61603\nPhone :\t\n\n"));
}

// A test of 3 records with the values of the examples: reading 1 and reading 2.
TDeviceRecord& ExampleRecord(TDeviceRecord& r, const char* model, uint32_t units,
                             uint32_t interval) {
    r.ModelNumber = model;
    r.UnitsIndex = units;
    r.IntervalIndex = interval;
    r.NumMeasurements = 3;
    r.StartTime = EncodeDate(2009, 7, 4) + EncodeTime(10, 0, 0, 0);
    r.FirmwareVersion = 65535;
    return r;
}

using RawDataTextTest = LocaleFormats;

TEST_P(RawDataTextTest, The6915ExampleInBothVariants) {
    TDeviceRecord r;
    ExampleRecord(r, "6915", 0, 0);
    r.CF1 = 2.0f;
    r.CF2 = 0;
    SetReading(r, 1, 100, 0, 0, 0, 0, 0x10);
    SetReading(r, 2, 3, 0, 0, 0, 0, 0x11);
    EXPECT_EQ(RawDataText(r, false, "9.9"),
              "\n\nDate:\t 07/04/2009\nTime\tCounts\tFlags\n\tBq/m3"
              "\n11:00\t100.0\tM\t\n12:00\t3.0\t \t");
    EXPECT_EQ(RawDataText(r, true, "1.2.0.0"),
              Localized("\n\nDate:\t 07{/}04{/}2009\nTime\tCounts\tFlags\n\tBq/m3"
                        "\n11{:}00\t1850{.}0\tM\t\n12{:}00\t55{.}5\t \t"
                        "\n\nError Flags:\nM Motion:\n\n\nInspector Signature "
                        "___________________________________________\n\n"
                        "PC Software Version:\t1.2.0.0\nEmbedded Software Version:\t65535"));
}

TEST_P(RawDataTextTest, The6916ExamplesOfCountsAndSensors) {
    TDeviceRecord r;
    ExampleRecord(r, "6916", 1, 1);
    r.CF1 = r.CF2 = 1.0f;
    SetReading(r, 1, 100, 120, 20.0f, 30.0f, 45.0f, 0x20);
    SetReading(r, 2, 7, 8, -40.0f, 29.5f, 100.0f, 0x10);
    const char* const header =
        "\n\nDate:\t 07/04/2009\nTime\tCounts\tTemp\tPressure\tHumidity\tFlags\n\t";
    EXPECT_THAT(RawDataText(r, true, "").str(),
                ::testing::StartsWith(Localized(
                    "\n\nDate:\t 07{/}04{/}2009\nTime\tCounts\tTemp\tPressure\tHumidity\tFlags"
                    "\n\tpCi/l\tF\tinHg\n12{:}00\t55{.}0\t68{.}0\t30{.}0\t45{.}0\t \t"
                    "\n14{:}00\t3{.}8\t-40{.}0\t29{.}5\t100{.}0\tM\t\n\nError Flags:")));
    EXPECT_EQ(RawDataText(r, false, ""),
              std::string(header) + "pCi/l\tF\tinHg\n12:00\t110.0\t20.0\t30.0\t45.0\t \t" +
                  "\n14:00\t7.5\t-40.0\t29.5\t100.0\tM\t");
    r.UnitsIndex = 0;
    EXPECT_THAT(RawDataText(r, true, "").str(),
                HasSubstr(Localized(
                    "Bq/M3\tC\tPa\n12{:}00\t2035{.}0\t20{.}0\t1015{.}5\t45{.}0\t \t")));
}

TEST_P(RawDataTextTest, ADayBlockStartsAtEachNewDate) {
    TDeviceRecord r;
    ExampleRecord(r, "6915", 1, 8);
    r.CF1 = 1.0f;
    r.NumMeasurements = 5;
    r.StartTime = EncodeDate(2009, 12, 31) + EncodeTime(22, 50, 0, 0);
    const std::string text = RawDataText(r, false, "").str();
    EXPECT_EQ(text,
              "\n\nDate:\t 12/31/2009\nTime\tCounts\tFlags\n\tpCi/l\n23:20\t0.0\t \t"
              "\n23:50\t0.0\t \t"
              "\n\nDate:\t 01/01/2010\nTime\tCounts\tFlags\n\tpCi/l\n00:20\t0.0\t \t"
              "\n00:50\t0.0\t \t");
    r.NumMeasurements = 1;
    EXPECT_EQ(RawDataText(r, false, ""), "");
    EXPECT_THAT(RawDataText(r, true, "").str(), ::testing::StartsWith("\n\nError Flags:"));
}

TEST_P(RawDataTextTest, AnIntervalWithoutHoursRaises) {
    TDeviceRecord r;
    ExampleRecord(r, "6915", 0, 9);
    r.CF1 = 1;
    EXPECT_THROW(RawDataText(r, true, ""), EConvertError);
    EXPECT_EQ(WithCrLf("a\nb\n\nc"), "a\r\nb\r\n\r\nc");
}

TEST_P(RawDataTextTest, FixedFormsIgnoreTheLocale) {
    EXPECT_EQ(FixedFloatText(1234.5, ffFixed, 6, 1), "1234.5");
    EXPECT_EQ(FixedFloatText(1234567.0, ffFixed, 6, 1), "1.23457E+06");
    EXPECT_EQ(StreamFloatText(2.7f), "2.7");
    EXPECT_EQ(StreamFloatText(0.1234567), "0.123457");
    EXPECT_EQ(FixedTextToFloat(" 1.23457E+06 "), 1234570.0);
    EXPECT_EQ(FixedTextToFloat("-3.5"), -3.5);
    for (const char* bad : {"", "1,5", "1.5.", "inf", "nan", "0x10", "1 5"})
        EXPECT_THROW(FixedTextToFloat(bad), EConvertError) << bad;
    const TDateTime t = EncodeDate(2026, 1, 2) + EncodeTime(3, 4, 0, 0);
    EXPECT_EQ(FixedDateText(t), "01/02/2026");
    EXPECT_EQ(FixedTimeText(t), "03:04");
}

INSTANTIATE_TEST_SUITE_P(Locales, TestDataFileTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Comma" : "English"; });
INSTANTIATE_TEST_SUITE_P(Locales, RawDataTextTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Comma" : "English"; });

}  // namespace
