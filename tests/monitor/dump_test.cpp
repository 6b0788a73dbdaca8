// The raw-data dump of the device record: its text for both models, and the file it is written
// to or the message when the file cannot be written.
#include "RadonDump.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>

#include "Radon.h"
#include "cl_datetime.h"
#include "cl_except.h"
#include "cl_hooks.h"

namespace {

void FillRecord(TDeviceRecord& r, const char* model, uint16_t count) {
    r.ModelNumber = model;
    r.SerialNumber = "SN00012345";
    r.CalibrationDate = "03/15/2009";
    r.CF1 = 2.7f;
    r.CF2 = 2.9f;
    r.HumiditySlope = 0.0377f;
    r.HumidityF0 = 15373.0f;
    r.StartYear = 2009;
    r.StartDayOfYear = 60;
    r.StartHour = 10;
    r.StartSeconds = 125;
    const uint16_t clock[5] = {2009, 7, 4, 13, 45};
    std::copy(clock, clock + 5, r.SystemTime);
    r.CompanyName = "Radon Inc.";
    r.Address1 = "12 Main Street";
    r.Address2 = "";
    r.City = "Springfield";
    r.State = "IL";
    r.Zip = "62701";
    r.PhoneNumber = "217-555-0100";
    r.LicenseNumber = "LIC-7788";
    r.NumMeasurements = count;
    r.StartTime = EncodeDate(2009, 3, 1) + EncodeTime(10, 2, 5, 0);
    r.DelayIndex = 1;
    r.IntervalIndex = 1;  // two hours
    for (int k = 0; k < 3; ++k) {
        TMeasurement& m = r.Measurements[k];
        m.Alpha0Counts = static_cast<uint16_t>(10 + k);
        m.Alpha1Counts = static_cast<uint16_t>(65530 + k);
        m.Temperature = 20.5f + k;
        m.Pressure = 29.25f;
        m.Humidity = 40.0f - k;
        m.Flags = k == 2 ? 0x10 : 0x01;
    }
}

const char* const Header =
    "Continuous Radon Monitor\tProgram Version\t0.00\tFile Version 0.01\r\n"
    "Model Number\t%s\tSerial Number\tSN00012345\r\n"
    "Calibration Date\t03/15/2009\tCF\t2.700000\tCF\t2.900000\r\n\r\n"
    "Humidity Slop\t0.037700\tHumidity F0\t15373.000000\r\n\r\n"
    "Beginning Year, day\t2009 - 60\tBeginning hour, Seconds\t10 - 125\r\n"
    "Monitor time \t2009/7/4 13:45\r\n"
    "Company Name\tRadon Inc.\r\n"
    "Address1\t12 Main Street\r\n"
    "Address2\t\r\n"
    "City\tSpringfield\r\nState\tIL\tZip\t62701\r\n"
    "Phone Number\t217-555-0100\r\n"
    "License Number\tLIC-7788\r\n\r\n"
    "Test Summary\r\n";

std::string WithHeader(const char* model, const std::string& rows) {
    return AnsiString().sprintf(Header, model).str() + rows;
}

TEST(MonitorDumpText, SensorModelListsTheReadingsWithAllValues) {
    TDeviceRecord r;
    FillRecord(r, "6916", 3);
    EXPECT_EQ(MonitorDumpText(r).str(),
              WithHeader("6916",
                         "Time\tAlpha0 Counts\tAlpha1 Counts\tTemp C\tPressure\tHumidity\tFlags\r\n"
                         "03/01/09 10:02\t11\t65531\t21.500000\t29.250000\t39.000000\t \r\n"
                         "03/01/09 12:02\t12\t65532\t22.500000\t29.250000\t38.000000\tM\r\n"));
}

TEST(MonitorDumpText, CountsModelStartsWithTheRecordBeforeTheTest) {
    TDeviceRecord r;
    FillRecord(r, "6915", 3);
    EXPECT_EQ(MonitorDumpText(r).str(), WithHeader("6915",
                                               "Time\tAlpha0 Counts\tFlags\r\n"
                                               "02/28/09 22:02\t10\t \r\n"
                                               "03/01/09 10:02\t11\t \r\n"
                                               "03/01/09 12:02\t12\tM\r\n"));
}

TEST(MonitorDumpText, WithoutReadingsTheIntervalIsNotNeeded) {
    TDeviceRecord r;
    FillRecord(r, "6916", 1);
    r.IntervalIndex = 9;
    EXPECT_EQ(MonitorDumpText(r).str(),
              WithHeader("6916",
                         "Time\tAlpha0 Counts\tAlpha1 Counts\tTemp C\tPressure\tHumidity\tFlags\r\n"));
    r.NumMeasurements = 2;
    EXPECT_THROW(MonitorDumpText(r), EConvertError);
}

std::string FileText(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(WriteRawData, WritesTheDumpOrSaysWhyItCannot) {
    TRadon* radon = new TRadon(nullptr);
    FillRecord(*radon, "6915", 2);
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const AnsiString path = AnsiString(folder) + "raw_data_test.txt";
    radon->WriteRawData(path);
    EXPECT_EQ(FileText(path.c_str()), MonitorDumpText(*radon).str());
    DeleteFileA(path.c_str());

    std::vector<std::tuple<std::string, std::string, unsigned>> boxes;
    Hooks().ShowMessageBox = [&](const AnsiString& text, const AnsiString& caption, unsigned flags) {
        boxes.emplace_back(text.c_str(), caption.c_str(), flags);
        return IDOK;
    };
    const AnsiString missing = AnsiString(folder) + "no such folder\\raw.txt";
    radon->WriteRawData(missing);
    Hooks().ShowMessageBox = nullptr;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(std::get<0>(boxes[0]), "Unable to open output file " + missing.str());
    EXPECT_EQ(std::get<1>(boxes[0]), "RawDataWrite");
    EXPECT_EQ(std::get<2>(boxes[0]) & MB_ICONMASK, static_cast<unsigned>(MB_ICONWARNING));
    TObject::Free(radon);
}

}  // namespace
