// Averages of the test in a device record: the overall and EPA radon averages in the display
// unit, the sensor averages, and whether any reading carries a flag.
#pragma once

#include "RadonRecord.h"

// Bq/m3 per pCi/l.
constexpr double BecquerelPerPicocurie = 37.0;

struct TRadonAverages {
    double Overall = 0;
    double Epa = 0;
    // False when the test cannot give the average (too few readings, a calibration factor of 0,
    // no interval); the value is then 0.
    bool HasOverall = false;
    bool HasEpa = false;
};

// The sensor averages in the display unit (degrees F or C, inHg or kPa, percent); 0 for a
// 6915 or a test without readings.
struct TSensorAverages {
    double Temperature = 0;
    double Pressure = 0;
    double Humidity = 0;
};

bool IsModel6916(const TDeviceRecord& record);
// The readings 1 to N - 1 that the record holds.
int ReadingCount(const TDeviceRecord& record);

// Overall: the mean concentration of the readings; EPA: the same without the first four.
TRadonAverages ComputeRadonAverages(const TDeviceRecord& record, double intervalHours);
// The sensor averages of a 6916 test; 0 for any other model.
TSensorAverages ComputeSensorAverages(const TDeviceRecord& record);
// The sensor averages of the readings whatever the model text.
TSensorAverages AverageSensorReadings(const TDeviceRecord& record);
bool AnyReadingFlagged(const TDeviceRecord& record);
