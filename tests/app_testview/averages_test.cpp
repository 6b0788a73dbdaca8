// The averages of a test: the overall and EPA radon averages in both units, tests too short
// or without a calibration factor, the sensor averages and the reading flags.
#include <gtest/gtest.h>

#include <memory>

#include "RadonAverages.h"

namespace {

constexpr uint32_t Becquerel = 0, Picocurie = 1;

std::unique_ptr<TDeviceRecord> MakeRecord(const char* model, uint16_t n, float cf1, float cf2,
                                    uint32_t units) {
    auto record = std::make_unique<TDeviceRecord>();
    record->ModelNumber = model;
    record->NumMeasurements = n;
    record->CF1 = cf1;
    record->CF2 = cf2;
    record->UnitsIndex = units;
    return record;
}

void FillCounts(TDeviceRecord& record, uint16_t alpha0, uint16_t alpha1) {
    for (TMeasurement& m : record.Measurements) {
        m.Alpha0Counts = alpha0;
        m.Alpha1Counts = alpha1;
    }
}

struct AverageCase {
    const char* name;
    const char* model;
    uint16_t n;
    float cf1, cf2;
    uint32_t units;
    double hours;
    bool hasOverall, hasEpa;
    double overall, epa;
};

std::ostream& operator<<(std::ostream& os, const AverageCase& c) { return os << c.name; }

class RadonAverages : public ::testing::TestWithParam<AverageCase> {};

// Every reading counts 10 on detector 0 and 30 on detector 1.
TEST_P(RadonAverages, OfEvenCounts) {
    const AverageCase& c = GetParam();
    auto record = MakeRecord(c.model, c.n, c.cf1, c.cf2, c.units);
    FillCounts(*record, 10, 30);
    const TRadonAverages a = ComputeRadonAverages(*record, c.hours);
    EXPECT_EQ(a.HasOverall, c.hasOverall);
    EXPECT_EQ(a.HasEpa, c.hasEpa);
    EXPECT_NEAR(a.Overall, c.overall, 1e-9);
    EXPECT_NEAR(a.Epa, c.epa, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Tests, RadonAverages,
    ::testing::Values(
        AverageCase{"6915_49_readings_pCi", "6915", 49, 2.5f, 0, Picocurie, 1.0, true, true, 4.0, 4.0},
        AverageCase{"6915_49_readings_Bq", "6915", 49, 2.5f, 0, Becquerel, 1.0, true, true, 148.0, 148.0},
        AverageCase{"6916_two_hours", "6916", 10, 2.5f, 2.5f, Picocurie, 2.0, true, true, 4.0, 4.0},
        AverageCase{"6916_two_hours_Bq", "6916", 10, 2.5f, 2.5f, Becquerel, 2.0, true, true, 148.0, 148.0},
        AverageCase{"6915_ignores_CF2_of_0", "6915", 49, 2.5f, 0, Picocurie, 1.0, true, true, 4.0, 4.0},
        AverageCase{"N6_first_EPA", "6915", 6, 2.5f, 0, Picocurie, 1.0, true, true, 4.0, 4.0},
        AverageCase{"N5_no_EPA", "6915", 5, 2.5f, 0, Picocurie, 1.0, true, false, 4.0, 0},
        AverageCase{"N2_no_EPA", "6916", 2, 2.5f, 2.5f, Picocurie, 1.0, true, false, 8.0, 0},
        AverageCase{"N1_nothing", "6915", 1, 2.5f, 0, Picocurie, 1.0, false, false, 0, 0},
        AverageCase{"N0_nothing", "6916", 0, 2.5f, 2.5f, Picocurie, 1.0, false, false, 0, 0},
        AverageCase{"CF1_0", "6915", 49, 0, 2.5f, Picocurie, 1.0, false, false, 0, 0},
        AverageCase{"6916_CF2_0", "6916", 49, 2.5f, 0, Picocurie, 1.0, false, false, 0, 0},
        AverageCase{"no_interval", "6915", 49, 2.5f, 0, Picocurie, 0.0, false, false, 0, 0}),
    [](const ::testing::TestParamInfo<AverageCase>& info) { return info.param.name; });

TEST(RadonAveragesTest, EpaAverageLeavesOutTheFirstFourReadingsAndRecordZero) {
    auto record = MakeRecord("6916", 10, 2.0f, 4.0f, Picocurie);
    FillCounts(*record, 8, 16);  // 4.0 pCi/l on each detector
    record->Measurements[0].Alpha0Counts = 9999;
    for (int i = 1; i <= 4; ++i) record->Measurements[i].Alpha0Counts = 80;  // 40 pCi/l
    record->Measurements[10].Alpha0Counts = 9999;                            // beyond N - 1
    const TRadonAverages a = ComputeRadonAverages(*record, 1.0);
    EXPECT_DOUBLE_EQ(a.Epa, 4.0);
    EXPECT_DOUBLE_EQ(a.Overall, ((4 * 40.0 + 5 * 4.0) + 9 * 4.0) * 0.5 / 9);
}

TEST(RadonAveragesTest, ARecordCountBeyondTheArrayReadsOnlyTheArray) {
    auto record = MakeRecord("6915", 65535, 2.5f, 0, Picocurie);
    FillCounts(*record, 10, 0);
    EXPECT_EQ(ReadingCount(*record), MaxMeasurements - 1);
    EXPECT_DOUBLE_EQ(ComputeRadonAverages(*record, 1.0).Overall, 4.0);
}

TEST(SensorAveragesTest, InBothUnitsAndNoneForA6915OrATestWithoutReadings) {
    auto record = MakeRecord("6916", 3, 2.5f, 2.5f, Picocurie);
    const float temperatures[] = {99, 20, 30}, pressures[] = {99, 29, 30}, humidities[] = {99, 40, 50};
    for (int i = 0; i < 3; ++i) {
        record->Measurements[i].Temperature = temperatures[i];
        record->Measurements[i].Pressure = pressures[i];
        record->Measurements[i].Humidity = humidities[i];
    }
    TSensorAverages s = ComputeSensorAverages(*record);
    EXPECT_DOUBLE_EQ(s.Temperature, (68.0 + 86.0) / 2);
    EXPECT_DOUBLE_EQ(s.Pressure, 29.5);
    EXPECT_DOUBLE_EQ(s.Humidity, 45.0);

    record->UnitsIndex = Becquerel;
    s = ComputeSensorAverages(*record);
    EXPECT_DOUBLE_EQ(s.Temperature, 25.0);
    EXPECT_NEAR(s.Pressure, 29.5 * 3.385, 1e-9);
    EXPECT_DOUBLE_EQ(s.Humidity, 45.0);

    record->NumMeasurements = 1;
    s = ComputeSensorAverages(*record);
    EXPECT_EQ(s.Temperature, 0);
    EXPECT_EQ(s.Pressure, 0);
    EXPECT_EQ(s.Humidity, 0);

    record->NumMeasurements = 3;
    record->ModelNumber = "6915";
    s = ComputeSensorAverages(*record);
    EXPECT_EQ(s.Temperature, 0);
    EXPECT_EQ(s.Humidity, 0);
}

TEST(ReadingFlagsTest, OnlyTheReadingsCount) {
    auto record = MakeRecord("6915", 5, 2.5f, 0, Picocurie);
    record->Measurements[0].Flags = 0x10;
    record->Measurements[5].Flags = 0x10;
    EXPECT_FALSE(AnyReadingFlagged(*record));
    record->Measurements[4].Flags = 0x01;
    EXPECT_TRUE(AnyReadingFlagged(*record));
}

}  // namespace
