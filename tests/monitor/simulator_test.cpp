// The monitor simulator itself, driven through a plain test-side port: it must answer exactly
// as the protocol says before it can judge the program.
#include "monitor_simulator.h"

#include <gtest/gtest.h>

namespace {

using testsupport::Fault;
using testsupport::FaultKind;
using testsupport::MonitorSimulator;
using testsupport::SerialPort;
using testsupport::SimMonitor;
using Bytes = std::vector<uint8_t>;

TEST(MonitorSimulator, AnswersReadsRecordsRequestsAndAppliesWrites) {
    SerialPort program(5);
    SimMonitor config;
    MonitorSimulator sim(6, config);
    sim.Start();

    program.Write({0xAA, 0x08, 0x00, 0x46, 0x99, 0, 0, 0, 0, 0x91, 0x01});
    EXPECT_EQ(program.Read(13, 3000), MonitorSimulator::Packet(70, 0x99, {213, 0}));

    program.Write({0xAA, 0x0A, 0x00, 0x50, 0x00, 0, 0, 0, 0, 0x01, 0x00, 0x05, 0x01});
    EXPECT_EQ(program.Read(13, 3000), MonitorSimulator::Packet(80, 0x00, {1, 0}));
    program.Write(MonitorSimulator::Packet(80, 0x00, {0, 0}));
    program.Read(13, 3000);

    ASSERT_EQ(sim.Requests().size(), 3u);
    EXPECT_EQ(sim.Requests()[0].command, 70);
    EXPECT_EQ(sim.Requests()[2].payload, (Bytes{0, 0}));
    EXPECT_EQ(sim.Monitor().unitsIndex, 0);
}

TEST(MonitorSimulator, InjectsFaultsForTheChosenCommandAndTimes) {
    SerialPort program(5);
    MonitorSimulator sim(6, SimMonitor{});
    sim.AddFault({FaultKind::StrayBytes, 70, 1, {0x55, 0x01}});
    sim.AddFault({FaultKind::BadChecksum, 64, 1});
    sim.Start();

    const Bytes reply = MonitorSimulator::Packet(70, 0x99, {213, 0});
    program.Write(MonitorSimulator::Packet(70, 0x99, {}));
    Bytes expected{0x55, 0x01};
    expected.insert(expected.end(), reply.begin(), reply.end());
    EXPECT_EQ(program.Read(expected.size(), 3000), expected);
    program.Write(MonitorSimulator::Packet(70, 0x99, {}));
    EXPECT_EQ(program.Read(reply.size(), 3000), reply);

    program.Write(MonitorSimulator::Packet(64, 0x99, {}));
    Bytes bad = MonitorSimulator::Packet(64, 0x99, {0x01, 0x00, 0x80, 0x00});
    ++bad[bad.size() - 2];
    EXPECT_EQ(program.Read(bad.size(), 3000), bad);
}

}  // namespace
