#include "RadonTexts.h"

#include "cl_except.h"

namespace {

const char* const DurationTexts[] = {"1.0",  "12.0", "24.0", "36.0",  "48.0", "60.0",
                                     "72.0", "84.0", "96.0", "100.0", "999.0"};
const char* const IntervalTexts[] = {"1.0",  "2.0",  "4.0",  "8.0", "12.0",
                                     "16.0", "20.0", "24.0", "0.5"};
const double IntervalHours[] = {1.0, 2.0, 4.0, 8.0, 12.0, 16.0, 20.0, 24.0, 0.5};
static_assert(sizeof(IntervalHours) / sizeof(IntervalHours[0]) ==
              sizeof(IntervalTexts) / sizeof(IntervalTexts[0]));
const char* const DelayTexts[] = {"0.0", "12.0", "24.0"};

const char* const NoticeTexts[32] = {
    "Reset Error: Monitor has reset. Data recording stopped at reset. Monitor date and time has been cleared.",
    "Temperature Read Notice: The monitor was unable to read the temperature sensor.",
    "Pressure Read Notice: The monitor was unable to read the pressure sensor.",
    "Humidity Read Notice: The monitor was unable to read the humidity sensor.",
    "Memory Read Error: The monitor was unable to read the flash memory.",
    "Memory Write Error: The monitor was unable to write the flash memory.",
    "High Voltage Flyback Error: The monitor was unable to read the high voltage.",
    "High Voltage Charging Error: The monitor was not able to charge the high voltage",
    "3 Volt Shutdown Notice: 3 volt supply did not shutdown properly.",
    "5 Volt Shutdown Notice: 5 volt supply did not shutdown properly.",
    "9 Volt Battery Notice: Monitor could not read the 9 volt battery voltage.",
    "Alpha Interrupt Notice: The alpha interrupt did not function correctly.",
    "Hour Interval Notice: The hour interval counter overflowed",
    "Alpha 0 Self Test Error: Alpha 0 self test failed.",
    "Alpha 1 Self Test Error: Alpha 1 self test failed.",
    "Flash Self Test Error: Flash self test failed.",
    "3 Volt Turn On Notice: 3 Volt supply did not turn on properly.",
    "5 Volt Turn On Notice: 5 Volt supply did not turn on properly.",
    "Display Turn On Notice: Display did not turn on properly.",
    "9 Volt Out Of Range Notice: 9 volt battery reading is out of range.",
    "High Voltage Flyback Out Of Range Error: High voltage reading is out of range.",
    "Setup Array Out Of Range Notice: Setup array is out of range.",
    "Counter Overflow Notice: The alpha counter reached the max value.",
    "Environmental Sensor Out Of Range Notice: One of the environmental sensor readings is out of range.",
    "Seconds Out Of Range Notice: Seconds counter is out of range.",
    "Humidity Capture Notice: Humidity capture did not function properly.",
    "Mode Incorrect Notice: The monitor mode of operation is incorrect.",
    "High Voltage Overrun Notice: High voltage recharge timer Overflowed",
    "Alpha 0 Dead Error: Alpha 0 channel detector is not working.",
    "Alpha 1 Dead Error: Alpha 1 channel detector is not working.",
    "Month Calculation Notice: Month calculation incorrect.",
    "Test Delay Notice: Test delay timer overflowed.",
};

const int CommonYearFirstDays[12] = {1, 32, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};
const int LeapYearFirstDays[12] = {1, 32, 61, 92, 122, 153, 183, 214, 245, 275, 306, 336};

template <size_t N>
AnsiString TableText(const char* const (&table)[N], uint32_t index, const char* beyond) {
    return index < N ? table[index] : beyond;
}

}  // namespace

AnsiString DurationIndexText(uint32_t index) { return TableText(DurationTexts, index, "Unknown"); }
AnsiString IntervalIndexText(uint32_t index) { return TableText(IntervalTexts, index, "Unknown"); }
double IntervalIndexHours(uint32_t index) {
    if (index >= sizeof(IntervalHours) / sizeof(IntervalHours[0]))
        throw EConvertError("'%s' is not a valid floating point value", IntervalIndexText(index));
    return IntervalHours[index];
}
AnsiString DelayIndexText(uint32_t index) { return TableText(DelayTexts, index, "48.0"); }
AnsiString UnitsIndexText(uint32_t index) { return index ? "pCi/l" : "Bq/m3"; }
AnsiString FlagsText(uint8_t flags) { return flags == 0x10 ? "M" : " "; }

AnsiString PaddedText(const AnsiString& text, int width) {
    std::string padded = text.str().substr(0, static_cast<size_t>(width));
    padded.resize(static_cast<size_t>(width), ' ');
    return padded;
}

const char* NoticeText(int bit) { return NoticeTexts[bit]; }

bool DayOfYearToDate(int year, int dayOfYear, int& month, int& day) {
    const bool leap = year % 4 == 0;
    const int* firstDays = leap ? LeapYearFirstDays : CommonYearFirstDays;
    if (dayOfYear < 1 || dayOfYear > (leap ? 366 : 365)) return false;
    int m = 11;
    while (firstDays[m] > dayOfYear) --m;
    month = m + 1;
    day = dayOfYear - firstDays[m] + 1;
    return true;
}
