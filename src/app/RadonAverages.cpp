#include "RadonAverages.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int EpaSkippedReadings = 4;

struct TCountSums {
    double All0 = 0, All1 = 0;      // readings 1 to N - 1
    double First0 = 0, First1 = 0;  // readings 1 to 4
};

TCountSums SumCounts(const TDeviceRecord& record) {
    TCountSums sums;
    const int readings = ReadingCount(record);
    for (int i = 1; i <= readings; ++i) {
        const TMeasurement& m = record.Measurements[i];
        sums.All0 += m.Alpha0Counts;
        sums.All1 += m.Alpha1Counts;
        if (i <= EpaSkippedReadings) {
            sums.First0 += m.Alpha0Counts;
            sums.First1 += m.Alpha1Counts;
        }
    }
    return sums;
}

bool HasFactors(const TDeviceRecord& record, double intervalHours) {
    if (!(intervalHours > 0) || !std::isfinite(intervalHours) || record.CF1 == 0) return false;
    return !IsModel6916(record) || record.CF2 != 0;
}

// Sets `average` when `value` is a number.
void Store(double value, double& average, bool& has) {
    has = std::isfinite(value);
    average = has ? value : 0;
}

}  // namespace

bool IsModel6916(const TDeviceRecord& record) { return record.ModelNumber == "6916"; }

int ReadingCount(const TDeviceRecord& record) {
    return std::max(0, std::min<int>(record.NumMeasurements, MaxMeasurements) - 1);
}

TRadonAverages ComputeRadonAverages(const TDeviceRecord& record, double intervalHours) {
    TRadonAverages averages;
    const int readings = ReadingCount(record);
    if (readings < 1 || !HasFactors(record, intervalHours)) return averages;
    const double k = record.UnitsIndex != 0 ? 1.0 : BecquerelPerPicocurie;
    const double f0 = k / record.CF1 / intervalHours;
    const TCountSums s = SumCounts(record);
    const bool epa = readings > EpaSkippedReadings;
    if (IsModel6916(record)) {
        const double f1 = k / record.CF2 / intervalHours;
        Store((s.All0 * f0 + s.All1 * f1) * 0.5 / readings, averages.Overall, averages.HasOverall);
        if (epa)
            Store(((s.All0 - s.First0) * f0 + (s.All1 - s.First1) * f1) * 0.5 /
                      (readings - EpaSkippedReadings),
                  averages.Epa, averages.HasEpa);
    } else {
        Store(s.All0 * f0 / readings, averages.Overall, averages.HasOverall);
        if (epa)
            Store((s.All0 - s.First0) * f0 / (readings - EpaSkippedReadings), averages.Epa,
                  averages.HasEpa);
    }
    return averages;
}

TSensorAverages ComputeSensorAverages(const TDeviceRecord& record) {
    return IsModel6916(record) ? AverageSensorReadings(record) : TSensorAverages{};
}

TSensorAverages AverageSensorReadings(const TDeviceRecord& record) {
    TSensorAverages averages;
    const int readings = ReadingCount(record);
    if (readings < 1) return averages;
    const bool imperial = record.UnitsIndex != 0;
    for (int i = 1; i <= readings; ++i) {
        const TMeasurement& m = record.Measurements[i];
        averages.Temperature += imperial ? m.Temperature * 1.8 + 32 : m.Temperature;
        averages.Pressure += imperial ? m.Pressure : m.Pressure * 3.385;
        averages.Humidity += m.Humidity;
    }
    for (double* average : {&averages.Temperature, &averages.Pressure, &averages.Humidity})
        *average = std::isfinite(*average) ? *average / readings : 0;
    return averages;
}

bool AnyReadingFlagged(const TDeviceRecord& record) {
    const int readings = ReadingCount(record);
    for (int i = 1; i <= readings; ++i)
        if (record.Measurements[i].Flags != 0) return true;
    return false;
}
