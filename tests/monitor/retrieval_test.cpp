// Whole retrievals against the simulated 6915 and 6916: request order, progress steps and every
// field of the device record; and the test headers a retrieval must refuse.
#include "monitor_link.h"

#include <cfloat>
#include <cmath>

#include "cl_datetime.h"

namespace {

using testsupport::FillTest;
using testsupport::SimMonitor;
using Bytes = std::vector<uint8_t>;

struct RetrievalCase {
    const char* model;
    uint16_t records;
    int readingSteps;  // progress steps of one percent while the readings come in
    uint16_t intervalIndex = 0;
};

std::ostream& operator<<(std::ostream& os, const RetrievalCase& c) {
    return os << c.model << " with " << c.records << " records, interval index "
              << c.intervalIndex;
}

const double IntervalHours[] = {1.0, 2.0, 4.0, 8.0, 12.0, 16.0, 20.0, 24.0, 0.5};

class Retrieval : public MonitorLink, public ::testing::WithParamInterface<RetrievalCase> {};

std::string Padded(const std::string& text, size_t width) {
    std::string s = text.substr(0, width);
    s.resize(width, ' ');
    return s;
}

struct ExpectedRequest {
    uint8_t command;
    int record;  // -1 when the request has no payload
};

std::vector<ExpectedRequest> ExpectedRequests(bool is6916, uint16_t records) {
    std::vector<ExpectedRequest> out;
    for (uint8_t c : {70, 32, 33, 8, 9, 34, 35}) out.push_back({c, -1});
    if (is6916)
        for (uint8_t c : {98, 97, 96, 36, 37, 39}) out.push_back({c, -1});
    for (uint8_t c : {32, 80, 81, 82, 83, 1, 2, 3, 4, 5, 6, 7, 128, 112, 64, 71, 48})
        out.push_back({c, -1});
    for (int k = 0; k < std::max<int>(records, 1); ++k) out.push_back({49, k});
    return out;
}

// The expected steps below hold when double is computed in its own precision, as SSE2 does in
// both builds; on the x87 unit the sum of eighteen 1/18 could come out exactly 1.
static_assert(FLT_EVAL_METHOD == 0, "double must be computed in SSE2 registers");

// Fixed steps of 35 percent, then a step each time the readings' share of 40/N per reading has
// gone past one percent: 50 readings step every second reading; 720 readings (1/18 each) every
// 18th, as eighteen doubles of 1/18 add up to just over 1.
std::vector<uint16_t> ExpectedProgress(int readingSteps) {
    std::vector<uint16_t> steps{2, 2, 2, 2, 2, 5, 5, 5, 5, 5};
    steps.insert(steps.end(), readingSteps, 1);
    return steps;
}

TEST_P(Retrieval, ReadsTheWholeTestInOrder) {
    const RetrievalCase c = GetParam();
    const bool is6916 = std::string(c.model) == "6916";
    SimMonitor config;
    config.model = c.model;
    config.intervalIndex = c.intervalIndex;
    FillTest(config, c.records);
    Connect(config);

    radon->RetrieveAll();

    const auto requests = sim->Requests();
    const auto expected = ExpectedRequests(is6916, c.records);
    ASSERT_EQ(requests.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(requests[i].command, expected[i].command) << "request " << i;
        EXPECT_EQ(requests[i].subCode, 0x99) << "request " << i;
        const Bytes payload = expected[i].record < 0
                                  ? Bytes{}
                                  : Bytes{uint8_t(expected[i].record & 0xFF), uint8_t(expected[i].record >> 8)};
        EXPECT_EQ(requests[i].payload, payload) << "request " << i;
    }
    EXPECT_EQ(progress, ExpectedProgress(c.readingSteps));
    EXPECT_EQ(RecordIndex, std::max<uint16_t>(c.records, 1));

    EXPECT_EQ(radon->FirmwareVersion, config.firmwareVersion);
    EXPECT_EQ(radon->ModelNumber, AnsiString(c.model));
    EXPECT_EQ(radon->SerialNumber, AnsiString(Padded(config.serialNumber, 10)));
    EXPECT_EQ(radon->CalibrationDate, AnsiString(config.calibrationDate));
    EXPECT_EQ(radon->Pin, AnsiString(config.pin));
    EXPECT_EQ(radon->CF1, config.cf1);
    EXPECT_EQ(radon->CF2, config.cf2);
    EXPECT_EQ(radon->HumiditySlope, is6916 ? config.humiditySlope : 0.0f);
    EXPECT_EQ(radon->HumidityF0, is6916 ? config.humidityF0 : 0.0f);
    EXPECT_EQ(radon->Command39Value[3], is6916 ? config.command39[3] : 0);
    EXPECT_EQ(radon->Command96Value[1], is6916 ? config.command96[1] : 0);
    EXPECT_EQ(radon->Command97Value[1], is6916 ? config.command97[1] : 0);
    EXPECT_EQ(radon->Command98Value[1], is6916 ? config.command98[1] : 0);
    EXPECT_EQ(radon->UnitsIndex, config.unitsIndex);
    EXPECT_EQ(radon->DelayIndex, config.delayIndex);
    EXPECT_EQ(radon->IntervalIndex, config.intervalIndex);
    EXPECT_EQ(radon->DurationIndex, config.durationIndex);
    EXPECT_EQ(radon->CompanyName, AnsiString(Padded(config.companyName, 30)));
    EXPECT_EQ(radon->Address1, AnsiString(Padded(config.address1, 30)));
    EXPECT_EQ(radon->Address2, AnsiString(Padded(config.address2, 30)));
    EXPECT_EQ(radon->City, AnsiString(Padded(config.city, 20)));
    EXPECT_EQ(radon->State, AnsiString(Padded(config.state, 10)));
    EXPECT_EQ(radon->Zip, AnsiString(Padded(config.zip, 10)));
    EXPECT_EQ(radon->PhoneNumber, AnsiString(Padded(config.phone, 20)));
    EXPECT_EQ(radon->LicenseNumber, AnsiString(Padded(config.license, 10)));
    EXPECT_EQ(radon->BatteryVoltage, config.battery);
    EXPECT_EQ(radon->Command112Value, config.command112);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(radon->ErrorCodes[i], config.notices[i]);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(radon->SystemTime[i], config.clock[i]);
    EXPECT_EQ(radon->NumMeasurements, c.records);
    EXPECT_EQ(radon->StartYear, config.startYear);
    EXPECT_EQ(radon->StartDayOfYear, config.startDayOfYear);
    EXPECT_EQ(radon->StartHour, config.startHour);
    EXPECT_EQ(radon->StartSeconds, config.startSeconds);
    EXPECT_EQ(radon->HeaderWord1, config.headerWord1);
    EXPECT_EQ(radon->HeaderWord2, config.headerWord2);

    // Day 60 of 2009 is 1 March; 125 seconds into hour 10 is 10:02:05.
    const double start = c.records ? EncodeDate(2009, 3, 1) + EncodeTime(10, 2, 5, 0)
                                   : EncodeDate(1970, 7, 31);
    EXPECT_DOUBLE_EQ(radon->StartTime, start);
    if (!c.records) {
        EXPECT_EQ(radon->DefaultTestDate.Month, 7);
        EXPECT_EQ(radon->DefaultTestDate.Day, 31);
        EXPECT_EQ(radon->DefaultTestDate.Year, 1970);
    }
    const double hour = 0.0416666666642414;
    const double interval = IntervalHours[c.intervalIndex] * hour;
    for (int k = 0; k < std::max<int>(c.records, 1); ++k) {
        const testsupport::SimRecord& r = config.records[k];
        const TMeasurement& m = radon->Measurements[k];
        ASSERT_EQ(m.RecordNumber, r.recordNumber) << "record " << k;
        EXPECT_EQ(m.Alpha0Counts, r.alpha0) << "record " << k;
        EXPECT_EQ(m.Alpha1Counts, r.alpha1) << "record " << k;
        EXPECT_EQ(m.Temperature, r.temperature) << "record " << k;
        EXPECT_EQ(m.Pressure, r.pressure) << "record " << k;
        EXPECT_EQ(m.Humidity, r.humidity) << "record " << k;
        EXPECT_EQ(m.Flags, r.flags) << "record " << k;
        const double time = k == 0 ? start - config.delayIndex * 12 * hour : start + (k - 1) * interval;
        EXPECT_NEAR(m.Time, time, 1e-9) << "record " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Models, Retrieval,
                         ::testing::Values(RetrievalCase{"6915", 0, 0}, RetrievalCase{"6915", 1, 0},
                                           RetrievalCase{"6915", 50, 24},
                                           RetrievalCase{"6915", 50, 24, 3},
                                           RetrievalCase{"6915", 720, 39},
                                           RetrievalCase{"6916", 0, 0}, RetrievalCase{"6916", 1, 0},
                                           RetrievalCase{"6916", 50, 24, 8},
                                           RetrievalCase{"6916", 720, 39},
                                           RetrievalCase{"6916", 720, 39, 7}));

TEST_F(MonitorLink, SecondRetrievalStartsAgainAtRecordZero) {
    SimMonitor config;
    FillTest(config, 3);
    Connect(config);
    radon->RetrieveAll();
    sim->ClearRequests();
    radon->RetrieveAll();
    const auto requests = sim->Requests();
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests[requests.size() - 3].payload, (Bytes{0, 0}));
}

struct BadHeader {
    const char* name;
    uint16_t records, year, dayOfYear, hour, seconds;
    const char* text;
};

TEST_F(MonitorLink, HeadersOutsideTheRecordOrTheCalendarEndTheRetrievalClearly) {
    const BadHeader cases[] = {
        {"too many records", 721, 2009, 60, 10, 0,
         "The monitor holds a test of 721 records, more than the 720 this program can read. "
         "The test was not retrieved."},
        {"day beyond a common year", 5, 2009, 366, 10, 0,
         "The test header's start day 366 lies outside the year 2009. The test was not retrieved."},
        {"day zero", 5, 2008, 0, 10, 0,
         "The test header's start day 0 lies outside the year 2008. The test was not retrieved."},
        {"hour 24", 5, 2009, 60, 24, 0,
         "The test header's start time (hour 24, second 0 of the hour) is out of range. The test "
         "was not retrieved."},
        {"seconds beyond the hour", 5, 2009, 60, 10, 3600,
         "The test header's start time (hour 10, second 3600 of the hour) is out of range. The "
         "test was not retrieved."},
    };
    for (const BadHeader& h : cases) {
        SimMonitor config;
        config.model = "6915";
        FillTest(config, 5);
        config.numMeasurements = h.records;
        config.startYear = h.year;
        config.startDayOfYear = h.dayOfYear;
        config.startHour = h.hour;
        config.startSeconds = h.seconds;
        Connect(config);
        EXPECT_EQ(ErrorOf([&] { radon->RetrieveAll(); }), AnsiString(h.text)) << h.name;
        EXPECT_EQ(RequestedCommands().back(), 48) << h.name << ": no record is read";
        TearDown();
    }
    radon = nullptr;
}

TEST_F(MonitorLink, LastSecondOfTheStartHour) {
    SimMonitor config;
    FillTest(config, 2);
    config.startSeconds = 3599;
    Connect(config);
    radon->RetrieveAll();
    EXPECT_DOUBLE_EQ(radon->StartTime, EncodeDate(2009, 3, 1) + EncodeTime(10, 59, 59, 0));
}

}  // namespace
