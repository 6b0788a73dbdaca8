// The serial pairs the test runner links into the Wine prefix carry bytes both ways.
#include "serial_port.h"

#include <gtest/gtest.h>

using testsupport::SerialPort;

namespace {

std::vector<uint8_t> AllByteValues() {
    std::vector<uint8_t> bytes(256);
    for (int i = 0; i < 256; ++i) bytes[i] = static_cast<uint8_t>(i);
    return bytes;
}

TEST(SerialPair, CarriesEveryByteValueInBothDirections) {
    SerialPort program(5);
    SerialPort monitor(6);
    const auto bytes = AllByteValues();

    program.Write(bytes);
    EXPECT_EQ(monitor.Read(bytes.size(), 3000), bytes);

    monitor.Write(bytes);
    EXPECT_EQ(program.Read(bytes.size(), 3000), bytes);
}

TEST(SerialPair, ReadWithNothingSentTimesOutEmpty) {
    SerialPort program(5);
    SerialPort monitor(6);
    monitor.Drain();
    EXPECT_TRUE(monitor.Read(1, 50).empty());
}

TEST(SerialPair, MissingPortFailsToOpen) {
    EXPECT_THROW(SerialPort(42), std::runtime_error);
}

}  // namespace
