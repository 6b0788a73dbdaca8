#include "RadonDump.h"

#include <algorithm>
#include <string>

#include "RadonTexts.h"
#include "cl_datetime.h"

namespace {

constexpr const char* ReadingTimeFormat = "mm/dd/yy hh:nn";

class TDump {
public:
    explicit TDump(const TDeviceRecord& record) : r_(record) {}

    AnsiString Text() {
        Header();
        const int count = std::min<int>(r_.NumMeasurements, MaxMeasurements);
        const double interval = count > 1 ? IntervalIndexHours(r_.IntervalIndex) * OneHour : 0;
        if (r_.ModelNumber == "6916") {
            Put("Time\tAlpha0 Counts\tAlpha1 Counts\tTemp C\tPressure\tHumidity\tFlags\n");
            for (int k = 1; k < count; ++k) SensorRow(r_.StartTime + (k - 1) * interval, k);
        } else {
            Put("Time\tAlpha0 Counts\tFlags\n");
            CountsRow(r_.StartTime - r_.DelayIndex * 12 * OneHour, 0);
            for (int k = 1; k < count; ++k) CountsRow(r_.StartTime + (k - 1) * interval, k);
        }
        return WithCrLf();
    }

private:
    template <class... Args> void Put(const char* format, Args... args) {
        out_ += AnsiString().sprintf(format, args...).str();
    }

    void Header() {
        Put("Continuous Radon Monitor\tProgram Version\t0.00\tFile Version 0.01\n");
        Put("Model Number\t%s\tSerial Number\t%s\n", r_.ModelNumber.c_str(),
            r_.SerialNumber.c_str());
        Put("Calibration Date\t%s\t", r_.CalibrationDate.c_str());
        Put("CF\t%f\t", r_.CF1);
        Put("CF\t%f\n\n", r_.CF2);
        Put("Humidity Slop\t%f\t", r_.HumiditySlope);
        Put("Humidity F0\t%f\n\n", r_.HumidityF0);
        Put("Beginning Year, day\t%i - %i\t", r_.StartYear, r_.StartDayOfYear);
        Put("Beginning hour, Seconds\t%i - %i\n", r_.StartHour, r_.StartSeconds);
        const uint16_t* clock = r_.SystemTime;
        Put("Monitor time \t%i/%i/%i %i:%i\n", clock[0], clock[1], clock[2], clock[3], clock[4]);
        Put("Company Name\t%s\n", r_.CompanyName.c_str());
        Put("Address1\t%s\n", r_.Address1.c_str());
        Put("Address2\t%s\n", r_.Address2.c_str());
        Put("City\t%s\nState\t%s\tZip\t%s\n", r_.City.c_str(), r_.State.c_str(), r_.Zip.c_str());
        Put("Phone Number\t%s\n", r_.PhoneNumber.c_str());
        Put("License Number\t%s\n\n", r_.LicenseNumber.c_str());
        Put("Test Summary\n");
    }

    void SensorRow(double time, int k) {
        const TMeasurement& m = r_.Measurements[k];
        Put("%s\t", FormatDateTime(ReadingTimeFormat, time).c_str());
        Put("%i\t", m.Alpha0Counts);
        Put("%i\t", m.Alpha1Counts);
        Put("%f\t", m.Temperature);
        Put("%f\t", m.Pressure);
        Put("%f\t", m.Humidity);
        Put("%s\n", FlagsText(m.Flags).c_str());
    }

    void CountsRow(double time, int k) {
        const TMeasurement& m = r_.Measurements[k];
        Put("%s\t", FormatDateTime(ReadingTimeFormat, time).c_str());
        Put("%i\t", m.Alpha0Counts);
        Put("%s\n", FlagsText(m.Flags).c_str());
    }

    // The file is text: every line ends in CR LF.
    AnsiString WithCrLf() const {
        std::string text;
        text.reserve(out_.size() + out_.size() / 16);
        for (char c : out_) {
            if (c == '\n') text += '\r';
            text += c;
        }
        return text;
    }

    const TDeviceRecord& r_;
    std::string out_;
};

}  // namespace

AnsiString MonitorDumpText(const TDeviceRecord& record) { return TDump(record).Text(); }
