#include "SampleTest.h"

#include <cmath>
#include <cstdio>

namespace {

using testsupport::SimMonitor;
using testsupport::SimRecord;

constexpr uint16_t kReadings = 48;               // one an hour, after record 0
constexpr uint16_t kHourlyInterval = 0;          // interval index of 1.0 hour
constexpr uint16_t kNoDelay = 0;                 // delay index of 0.0 hours
constexpr uint16_t kFortyEightHours = 4;         // duration index of 48.0 hours
constexpr int kDaysSinceCalibration = 120;
constexpr double kPi = 3.14159265358979323846;
constexpr int64_t kTicksPerHour = 36000000000LL;  // 100 ns ticks

int64_t Ticks(const SYSTEMTIME& time) {
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    return static_cast<int64_t>((static_cast<uint64_t>(file.dwHighDateTime) << 32) |
                                file.dwLowDateTime);
}

SYSTEMTIME HoursBefore(const SYSTEMTIME& time, int64_t hours) {
    const auto ticks = static_cast<uint64_t>(Ticks(time) - hours * kTicksPerHour);
    FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME result;
    FileTimeToSystemTime(&file, &result);
    return result;
}

uint16_t DayOfYear(const SYSTEMTIME& time) {
    SYSTEMTIME newYear{};
    newYear.wYear = time.wYear;
    newYear.wMonth = 1;
    newYear.wDay = 1;
    SYSTEMTIME midnight = time;
    midnight.wHour = midnight.wMinute = midnight.wSecond = midnight.wMilliseconds = 0;
    return static_cast<uint16_t>((Ticks(midnight) - Ticks(newYear)) / (24 * kTicksPerHour) + 1);
}

std::string DateText(const SYSTEMTIME& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u/%02u/%04u", time.wMonth, time.wDay, time.wYear);
    return text;
}

// Small deterministic jitter in [-1, 1], the same for every run.
double Jitter(unsigned k) {
    const unsigned mixed = (k * 2654435761u) ^ (k * 40503u + 0x9E37u);
    return static_cast<double>(mixed % 2001u) / 1000.0 - 1.0;
}

// Radon peaks in the early morning and is lowest in the afternoon; pCi/l.
double RadonAt(int hourOfDay, unsigned k) {
    return 3.4 + 1.3 * std::cos(2 * kPi * (hourOfDay - 5) / 24.0) + 0.35 * Jitter(k);
}

SimRecord Reading(const SimMonitor& m, unsigned k, int hourOfDay) {
    const double radon = RadonAt(hourOfDay, k);
    const double daySwing = std::sin(2 * kPi * (hourOfDay - 9) / 24.0);
    SimRecord r;
    r.recordNumber = static_cast<uint16_t>(k);
    r.alpha0 = static_cast<uint16_t>(std::lround(radon * m.cf1));
    r.alpha1 = static_cast<uint16_t>(std::lround(radon * m.cf2 * (1 + 0.04 * Jitter(k + 97))));
    r.temperature = static_cast<float>(21.0 + 1.2 * daySwing + 0.1 * Jitter(k + 7));
    r.pressure = static_cast<float>(29.92 - 0.004 * k + 0.01 * Jitter(k + 13));
    r.humidity = static_cast<float>(46.0 - 4.0 * daySwing + 0.8 * Jitter(k + 29));
    return r;
}

}  // namespace

SimMonitor SampleTest(const SYSTEMTIME& now) {
    SimMonitor m;
    m.model = "6916";
    m.calibrationDate = DateText(HoursBefore(now, 24 * kDaysSinceCalibration));
    m.clock[0] = now.wYear;
    m.clock[1] = now.wMonth;
    m.clock[2] = now.wDay;
    m.clock[3] = now.wHour;
    m.clock[4] = now.wMinute;
    for (uint8_t& bits : m.notices) bits = 0;
    m.unitsIndex = 1;
    m.delayIndex = kNoDelay;
    m.intervalIndex = kHourlyInterval;
    m.durationIndex = kFortyEightHours;

    const SYSTEMTIME start = HoursBefore(now, kReadings);
    m.startYear = start.wYear;
    m.startDayOfYear = DayOfYear(start);
    m.startHour = start.wHour;
    m.startSeconds = static_cast<uint16_t>(start.wMinute * 60 + start.wSecond);

    m.numMeasurements = kReadings + 1;
    m.records.clear();
    for (unsigned k = 0; k <= kReadings; ++k)
        m.records.push_back(Reading(m, k, (start.wHour + static_cast<int>(k) + 23) % 24));
    return m;
}
