// The device record: everything known about the connected monitor and its last test, filled
// reply by reply during a retrieval or from a test file, and read by every window.
#pragma once

#include <cstdint>

#include "Radonmath.h"
#include "cl_string.h"

constexpr int MaxMeasurements = 720;
// One hour as a fraction of a day, as the program stores it.
constexpr double OneHour = 0.0416666666642414;
constexpr int NoticeCount = 32;

struct TMeasurement {
    uint16_t RecordNumber = 0;
    uint16_t Alpha0Counts = 0;
    uint16_t Alpha1Counts = 0;
    float Temperature = 0;
    float Pressure = 0;
    float Humidity = 0;
    uint8_t Flags = 0;
    double Time = 0;
};

struct TDeviceRecord {
    AnsiString Pin;
    uint8_t Status[6] = {};
    uint8_t Command149Value = 0;
    uint8_t Command69Values[7] = {};
    uint16_t NumMeasurements = 0;
    uint16_t StartYear = 0;
    uint16_t StartDayOfYear = 0;
    uint16_t StartHour = 0;
    uint16_t StartSeconds = 0;
    double StartTime = 0;
    uint16_t SystemTime[5] = {};  // year, month, day, hour, minute
    uint32_t HeaderWord1 = 0;
    uint32_t HeaderWord2 = 0;
    uint8_t Command112Value = 0;
    uint8_t ErrorCodes[4] = {};
    AnsiString Errors[NoticeCount];
    AnsiString ModelNumber;
    AnsiString SerialNumber;
    AnsiString CalibrationDate;
    float CF1 = 0;  // 0 = no test loaded
    float CF2 = 0;
    float HumiditySlope = 0;
    float HumidityF0 = 0;
    uint8_t Command39Value[4] = {};
    uint16_t FirmwareVersion = 0;
    AnsiString CompanyName;
    AnsiString Address1;
    AnsiString Address2;
    AnsiString City;
    AnsiString State;
    AnsiString Zip;
    AnsiString PhoneNumber;
    AnsiString LicenseNumber;
    uint32_t UnitsIndex = 0;
    uint32_t DelayIndex = 0;
    uint32_t IntervalIndex = 0;
    uint32_t DurationIndex = 0;
    uint8_t Command117Value[4] = {};
    float BatteryVoltage = 0;
    TMeasurement Measurements[MaxMeasurements];
    uint8_t Command96Value[4] = {};
    uint8_t Command97Value[4] = {};
    uint8_t Command98Value[4] = {};
    TDateTimeFields DefaultTestDate;
};
