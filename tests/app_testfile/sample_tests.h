// Two retrieved tests as the monitor leaves them in the device record, with the window fields
// that go into a test data file beside them, and the file helpers of the test data file tests.
#pragma once

#include <array>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>

#include "CompanyTexts.h"
#include "TestDataFile.h"
#include "cl_datetime.h"
#include "cl_locale.h"

struct SampleTest {
    std::unique_ptr<TDeviceRecord> Record = std::make_unique<TDeviceRecord>();
    TTestFileWindow Window;
};

inline void SetReading(TDeviceRecord& record, int i, uint16_t a0, uint16_t a1, float t, float p,
                       float h, uint8_t flags) {
    TMeasurement& m = record.Measurements[i];
    m.Alpha0Counts = a0;
    m.Alpha1Counts = a1;
    m.Temperature = t;
    m.Pressure = p;
    m.Humidity = h;
    m.Flags = flags;
}

inline void SetCompany(TDeviceRecord& record,
                       const std::array<const char*, CompanyTextCount>& texts) {
    const auto fields = CompanyTexts(record);
    for (int i = 0; i < CompanyTextCount; ++i) *fields[i] = texts[i];
}

inline void SetCustomer(TTestFileWindow& window) {
    const char* const billing[] = {"Jane Homeowner", "4 Elm Rd", "",          "Peoria",
                                   "IL",             "61602",    "309-555-0111"};
    const char* const site[] = {"Jane Homeowner", " 99 Lake Dr ", "Unit 2", "Peoria",
                                "IL",             "61603",        ""};
    for (int i = 0; i < CustomerFieldCount; ++i) {
        window.Billing[i] = billing[i];
        window.Site[i] = site[i];
    }
}

// A 6915 test in pCi/l, one-hour readings from 22:30 on 14 March 2026 past midnight.
inline SampleTest Sample6915() {
    SampleTest test;
    TDeviceRecord& r = *test.Record;
    r.ModelNumber = "6915";
    r.SerialNumber = "15001";
    r.CF1 = 2.7f;
    r.CF2 = 2.65f;
    r.CalibrationDate = "03/15/2026";
    SetCompany(r, {"  Acme Radon Testing  ", "12 Main St", "", "Springfield", "IL", "62701",
                   "217-555-0100", "IL-4411"});
    r.BatteryVoltage = 3.27f;
    r.IntervalIndex = 0;
    r.DurationIndex = 2;
    r.UnitsIndex = 1;
    r.DelayIndex = 0;
    r.NumMeasurements = 6;
    r.FirmwareVersion = 412;
    r.StartTime = EncodeDate(2026, 3, 14) + EncodeTime(21, 30, 0, 0);
    SetReading(r, 0, 999, 999, 0, 0, 0, 0);
    SetReading(r, 1, 247, 0, 0, 0, 0, 0);
    SetReading(r, 2, 0, 0, 0, 0, 0, 0x10);
    SetReading(r, 3, 1234, 0, 0, 0, 0, 0x11);
    SetReading(r, 4, 65535, 0, 0, 0, 0, 0);
    SetReading(r, 5, 12, 0, 0, 0, 0, 0x20);
    test.Window.MitigationInstalled = true;
    test.Window.MitigationWorking = 0;
    test.Window.InspectorName = "  Pat Inspector";
    SetCustomer(test.Window);
    return test;
}

// A 6916 test in Bq/m3, half-hour readings from 08:15 on 1 June 2026, delayed 12 hours.
inline SampleTest Sample6916() {
    SampleTest test;
    TDeviceRecord& r = *test.Record;
    r.ModelNumber = "6916";
    r.SerialNumber = "16042";
    r.CF1 = 1.25f;
    r.CF2 = 1.3f;
    r.CalibrationDate = "01/05/2026";
    SetCompany(r, {"None", "None", "None", "None", "None", "None", "None", "None"});
    r.BatteryVoltage = 8.94f;
    r.IntervalIndex = 8;
    r.DurationIndex = 0;
    r.UnitsIndex = 0;
    r.DelayIndex = 1;
    r.NumMeasurements = 5;
    r.FirmwareVersion = 7;
    r.StartTime = EncodeDate(2026, 6, 1) + EncodeTime(8, 15, 0, 0);
    SetReading(r, 1, 100, 120, 20.0f, 30.0f, 45.5f, 0);
    SetReading(r, 2, 101, 100, 21.5f, 29.92f, 50.04f, 0x10);
    SetReading(r, 3, 0, 0, -3.25f, 28.5f, 0.0f, 0);
    SetReading(r, 4, 5000, 5001, 19.96f, 30.01f, 99.9f, 0x01);
    test.Window.MitigationInstalled = false;
    test.Window.MitigationWorking = -1;
    test.Window.InspectorName = "";
    SetCustomer(test.Window);
    return test;
}

inline std::string FixtureDir() { return std::string("Z:") + TESTFILE_FIXTURE_DIR; }

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string Fixture(const char* name) { return ReadBytes(FixtureDir() + name); }

// A date and time to the second, the same in every locale.
inline std::string Stamp(TDateTime t) { return FormatDateTime("yyyy-mm-dd hh':'nn':'ss", t).str(); }

// The text with "{.}", "{/}" and "{:}" replaced by the system's decimal, date and time
// separators, as the raw-data text for the user writes its numbers, dates and times.
inline std::string Localized(std::string text) {
    const std::pair<std::string, char> marks[] = {
        {"{.}", DecimalSeparator}, {"{/}", DateSeparator}, {"{:}", TimeSeparator}};
    for (const auto& [mark, separator] : marks)
        for (size_t at; (at = text.find(mark)) != std::string::npos;)
            text.replace(at, mark.size(), 1, separator);
    return text;
}

// The raw-data text for the user of Sample6915, the product version `version`.
inline std::string ConvertedText6915(const std::string& version) {
    return Localized(
        "\n\nDate:\t 03{/}14{/}2026\nTime\tCounts\tFlags\n\tpCi/l"
        "\n22{:}30\t91{.}5\t \t\n23{:}30\t0{.}0\tM\t"
        "\n\nDate:\t 03{/}15{/}2026\nTime\tCounts\tFlags\n\tpCi/l"
        "\n00{:}30\t457{.}0\t \t\n01{:}30\t24272{.}2\t \t\n02{:}30\t4{.}4\t \t"
        "\n\nError Flags:\nM Motion:\n\n\nInspector Signature "
        "___________________________________________\n\nPC Software Version:\t") +
           version + "\nEmbedded Software Version:\t412";
}
