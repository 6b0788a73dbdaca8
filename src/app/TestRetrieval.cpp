#include "TestRetrieval.h"

#include <memory>

#include "Radon.h"
#include "cl_number.h"

namespace {

constexpr uint8_t TestHeaderCommand = 48;

void ConfirmRecordCount(TRadon& monitor) {
    const uint16_t read = monitor.NumMeasurements;
    monitor.SendMessageA(0, TestHeaderCommand, ReadSubCode, nullptr);
    if (monitor.NumMeasurements == read) return;
    throw QMCRadonDataError("The monitor's test changed while it was read: " + IntToStr(read) +
                            " records were read, the monitor now holds " +
                            IntToStr(monitor.NumMeasurements) +
                            ".\nPlease retrieve the data again.");
}

}  // namespace

void RetrieveWholeTest(TRadon& monitor) {
    TDeviceRecord& record = monitor;
    const auto before = std::make_unique<TDeviceRecord>(record);
    try {
        monitor.RetrieveAll();
        ConfirmRecordCount(monitor);
    } catch (...) {
        record = *before;
        throw;
    }
}
