// The program's monitor object against the simulator through Wine's serial driver: packets on
// the wire, the request exchange and its failure paths, and the write operations.
#include "monitor_link.h"

#include <windows.h>

#include <cstring>

#include "cl_hooks.h"
#include "comthread.h"
#include "ui_pump.h"

namespace {

using testsupport::Fault;
using testsupport::FaultKind;
using testsupport::SimMonitor;
using Bytes = std::vector<uint8_t>;

constexpr uint8_t StatusRequest = 0x42;

TEST_F(MonitorLink, RequestsGoOutAsTheExamplePackets) {
    Connect(SimMonitor{});
    radon->SendMessageA(0, 70, 0x99, nullptr);
    const uint8_t units[2] = {0x01, 0x00};
    radon->SendMessageA(2, 80, 0x00, units);
    const auto requests = sim->Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].raw, (Bytes{0xAA, 0x08, 0x00, 0x46, 0x99, 0, 0, 0, 0, 0x91, 0x01}));
    EXPECT_EQ(requests[1].raw,
              (Bytes{0xAA, 0x0A, 0x00, 0x50, 0x00, 0, 0, 0, 0, 0x01, 0x00, 0x05, 0x01}));
    EXPECT_EQ(radon->FirmwareVersion, 213);
    EXPECT_EQ(radon->UnitsIndex, 1u);
}

TEST_F(MonitorLink, ReaderResynchronisesOnJunkAndSkipsRepliesOfOtherCommands) {
    Connect(SimMonitor{});
    sim->AddFault({FaultKind::StrayBytes, 70, 1, {0x55, 0xAA, 0xC8, 0x00}});
    sim->AddFault({FaultKind::StrayBytes, 128, 1, {0xAA}});
    sim->AddFault({FaultKind::OtherCommandFirst, 112, 1, {}, 70});
    const DWORD start = GetTickCount();
    radon->SendMessageA(0, 70, 0x99, nullptr);
    radon->SendMessageA(0, 128, 0x99, nullptr);
    radon->SendMessageA(0, 112, 0x99, nullptr);
    EXPECT_LT(GetTickCount() - start, 2000u) << "no exchange may run into its time-out";
    EXPECT_EQ(radon->FirmwareVersion, 213) << "the other command's reply is not taken";
    EXPECT_EQ(radon->BatteryVoltage, 8.75f);
    EXPECT_EQ(radon->Command112Value, 0x5A);
    EXPECT_EQ(RequestedCommands(), (Bytes{70, 128, 112}));
}

TEST_F(MonitorLink, StrayStartByteBetweenRepliesIsForgottenByTheNextRequest) {
    Connect(SimMonitor{});
    sim->SendRaw({0xAA, 0x0C});
    Sleep(100);
    radon->SendMessageA(0, 70, 0x99, nullptr);
    EXPECT_EQ(radon->FirmwareVersion, 213);
}

TEST_F(MonitorLink, UnsolicitedStatusMessagesRaiseTheirTexts) {
    SimMonitor config;
    config.status[0] = 3;
    Connect(config);
    sim->AddFault({FaultKind::UnsolicitedStatus, 70, 1, {}, 66});
    sim->AddFault({FaultKind::UnsolicitedStatus, 70, 1, {}, 113});
    EXPECT_EQ(ErrorOf([&] { radon->SendMessageA(0, 70, 0x99, nullptr); }),
              AnsiString("Device sent a STATUS message. Device may not be ready."));
    EXPECT_EQ(radon->Status[0], 3);
    EXPECT_EQ(ErrorOf([&] { radon->SendMessageA(0, 70, 0x99, nullptr); }),
              AnsiString("Device sent an STATUS message. Check Errors."));
    EXPECT_FALSE(radon->AwaitingStatus);
}

TEST_F(MonitorLink, ShortReplyNamesTheCommandAndStoresNothing) {
    Connect(SimMonitor{});
    sim->AddFault({FaultKind::ShortPayload, 128, 1, {}, 0, 2});
    const AnsiString text = ErrorOf([&] { radon->SendMessageA(0, 128, 0x99, nullptr); });
    EXPECT_NE(text.Pos("command 128"), 0) << text.c_str();
    EXPECT_EQ(radon->BatteryVoltage, 0.0f);
}

TEST_F(MonitorLink, ClosedPortRaisesAndTheEventNameIsPrivateToTheProcess) {
    radon = new TRadon(nullptr);
    EXPECT_EQ(ErrorOf([&] { radon->SendMessageA(0, 70, 0x99, nullptr); }),
              AnsiString("Could not find the device on COM port.\nMake sure the device is "
                         "connected and COM port is selected"));
    TObject::Free(radon);

    Connect(SimMonitor{});
    ASSERT_NE(ReceiveDataEvent, nullptr);
    HANDLE shared = OpenEventA(SYNCHRONIZE, FALSE, "WAIT_FOR_RECIEVE_DATA");
    EXPECT_EQ(shared, nullptr);
    if (shared) CloseHandle(shared);
    const AnsiString own = "WAIT_FOR_RECIEVE_DATA_" + UIntToStr(GetCurrentProcessId());
    HANDLE mine = OpenEventA(SYNCHRONIZE, FALSE, own.c_str());
    EXPECT_NE(mine, nullptr);
    if (mine) CloseHandle(mine);
}

TEST_F(MonitorLink, ACorruptPacketRightAfterAGoodReplyNeverReachesTheRecord) {
    int boxes = 0;
    Hooks().ShowMessageBox = [&](const AnsiString&, const AnsiString&, unsigned) {
        ++boxes;
        return IDOK;
    };
    Connect(SimMonitor{});
    sim->AddFault({FaultKind::CorruptCopyAfter, 70});
    for (int i = 0; i < 20; ++i) {
        radon->FirmwareVersion = 0;
        radon->SendMessageA(0, 70, 0x99, nullptr);
        EXPECT_EQ(radon->FirmwareVersion, 213) << "request " << i;
    }
    EXPECT_TRUE(PumpUntil([&] { return boxes == 20; }, 3000)) << boxes << " checksum boxes";
    Hooks().ShowMessageBox = nullptr;
}

// ---- writes ----------------------------------------------------------------------------------

TEST_F(MonitorLink, SendAllWritesThePaddedCompanyBlockPinAndUnits) {
    Connect(SimMonitor{});
    radon->CompanyName = "Best Radon";
    radon->Address1 = "1 Elm";
    radon->Address2 = "";
    radon->City = "A city whose name is too long";
    radon->State = "OH";
    radon->Zip = "43004";
    radon->PhoneNumber = "614-555-0199";
    radon->Pin = "1234";
    radon->UnitsIndex = 0x10000 + 1;
    radon->LicenseNumber = "L-1";
    radon->SendAll();

    const auto requests = sim->Requests();
    EXPECT_EQ(RequestedCommands(), (Bytes{1, 2, 3, 4, 5, 6, 7, 9, 80, 8}));
    const auto text = [&](size_t i) { return std::string(requests[i].payload.begin(), requests[i].payload.end()); };
    EXPECT_EQ(text(0), "Best Radon                    ");
    EXPECT_EQ(text(2), std::string(30, ' '));
    EXPECT_EQ(text(3), "A city whose name is");
    EXPECT_EQ(text(4), "OH        ");
    EXPECT_EQ(text(7), "1234");
    EXPECT_EQ(requests[8].payload, (Bytes{0x01, 0x00}));
    EXPECT_EQ(text(9), "L-1       ");
    for (const auto& r : requests) EXPECT_EQ(r.subCode, 0x00);
    EXPECT_EQ(sim->Monitor().city, "A city whose name is");
}

TEST_F(MonitorLink, SendSystemTimeWritesTheClock) {
    Connect(SimMonitor{});
    const uint16_t clock[5] = {2010, 12, 31, 23, 59};
    std::copy(clock, clock + 5, radon->SystemTime);
    radon->SendSystemTime();
    const auto requests = sim->Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].command, 71);
    EXPECT_EQ(requests[0].subCode, 0x00);
    EXPECT_EQ(requests[0].payload, (Bytes{0xDA, 0x07, 12, 0, 31, 0, 23, 0, 59, 0}));
}

Bytes FloatBytes(float value) {
    Bytes bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

TEST_F(MonitorLink, DemonstrationRecordReachesTheMonitorAsWritten) {
    Connect(SimMonitor{});
    radon->Initialize();
    EXPECT_EQ(radon->ModelNumber, AnsiString("6916"));
    EXPECT_EQ(radon->Measurements[719].Alpha1Counts, 0xFFFF);
    EXPECT_EQ(radon->Measurements[719].Humidity, -1.0f);
    EXPECT_EQ(radon->IntervalIndex, 1u);
    const uint16_t date[3] = {2011, 5, 6};
    std::copy(date, date + 3, radon->SystemTime);
    radon->SetSystemTime(14, 30, 99);

    radon->SendCorrectionFactors();
    radon->SendSystemTime();
    radon->SendAll();

    EXPECT_EQ(RequestedCommands(), (Bytes{39, 36, 37, 34, 35, 71, 1, 2, 3, 4, 5, 6, 7, 9, 80, 8}));
    const auto requests = sim->Requests();
    for (const auto& r : requests) EXPECT_EQ(r.subCode, 0x00) << int(r.command);
    EXPECT_EQ(requests[0].payload, (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(requests[1].payload, FloatBytes(0.0377f));
    EXPECT_EQ(requests[2].payload, FloatBytes(15373.0f));
    Bytes factors = FloatBytes(2.7f);
    factors.insert(factors.end(), factors.begin(), factors.end());
    EXPECT_EQ(requests[4].payload, factors);
    EXPECT_EQ(requests[5].payload, (Bytes{0xDB, 0x07, 5, 0, 6, 0, 14, 0, 30, 0}));

    const SimMonitor got = sim->Monitor();
    EXPECT_EQ(got.cf1, 2.7f);
    EXPECT_EQ(got.cf2, 2.7f);
    EXPECT_EQ(got.humiditySlope, 0.0377f);
    EXPECT_EQ(got.humidityF0, 15373.0f);
    EXPECT_EQ(Bytes(got.command39, got.command39 + 4), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(got.calibrationDate, "07/31/1970");
    EXPECT_EQ(std::vector<uint16_t>(got.clock, got.clock + 5),
              (std::vector<uint16_t>{2011, 5, 6, 14, 30}));
    EXPECT_EQ(got.companyName, "Company Name" + std::string(18, ' '));
    EXPECT_EQ(got.address1, "None" + std::string(26, ' '));
    EXPECT_EQ(got.zip, "0000      ");
    EXPECT_EQ(got.pin, "3142");
    EXPECT_EQ(got.license, "None      ");
    EXPECT_EQ(got.unitsIndex, 0);
}

// The reply to a write is decoded like any other. Where its command's payload is stored
// whatever the sub-code (the indexes, the clock), the monitor must echo what was written, or
// the program would store nothing true; where it is stored only from a read reply (texts, PIN,
// calibration values), the write reply's payload is never read, and one without it is success.
TEST_F(MonitorLink, WriteRepliesWithoutEchoAreSuccessOnlyWhereNothingIsStoredFromThem) {
    struct Case { uint8_t command; size_t length; const char* error; };
    const Case cases[] = {
        {1, 30, ""}, {9, 4, ""}, {34, 10, ""}, {35, 8, ""}, {36, 4, ""}, {39, 4, ""},
        {80, 2, "The monitor's reply to command 80 was too short: 0 bytes where 2 are needed. "
                "Nothing was stored."},
        {83, 2, "The monitor's reply to command 83 was too short: 0 bytes where 2 are needed. "
                "Nothing was stored."},
        {71, 10, "The monitor's reply to command 71 was too short: 0 bytes where 10 are needed. "
                 "Nothing was stored."},
    };
    Connect(SimMonitor{});
    radon->UnitsIndex = 7;
    radon->CF1 = 1.5f;
    const Bytes payload(30, 0x01);
    for (const Case& c : cases) {
        sim->AddFault({FaultKind::NoEcho, c.command, 1});
        EXPECT_EQ(ErrorOf([&] {
                      radon->SendMessageA(static_cast<int>(c.length), c.command, 0x00, payload.data());
                  }),
                  AnsiString(c.error))
            << int(c.command);
    }
    EXPECT_EQ(radon->UnitsIndex, 7u);
    EXPECT_EQ(radon->CF1, 1.5f);
    EXPECT_EQ(RequestedCommands(), (Bytes{1, 9, 34, 35, 36, 39, 80, 83, 71})) << "nothing resent";
}

TEST_F(MonitorLink, SoftwareResetResetsTheSetUpAndClearsNotices) {
    Connect(SimMonitor{});
    radon->UnitsIndex = radon->DelayIndex = radon->IntervalIndex = 5;
    radon->SoftwareReset();
    const auto requests = sim->Requests();
    EXPECT_EQ(RequestedCommands(), (Bytes{64, 80, 81, 82, 83, 65}));
    EXPECT_EQ(requests[0].subCode, 0x99);
    for (size_t i = 1; i <= 3; ++i) EXPECT_EQ(requests[i].payload, (Bytes{0, 0}));
    EXPECT_EQ(requests[4].payload, (Bytes{2, 0}));
    EXPECT_EQ(requests[5].subCode, 0x99);
    EXPECT_TRUE(requests[5].payload.empty());
    EXPECT_EQ(radon->ErrorCodes[0], 0x01) << "notices read before the reset";
    EXPECT_EQ(radon->DurationIndex, 2u);
    EXPECT_EQ(sim->Monitor().notices[0], 0);
}

// ---- the slow paths: each runs into one or more 5000 ms waits --------------------------------

TEST_F(MonitorLink, SilentMonitorLosesTheLinkWithoutResending) {
    Connect(SimMonitor{});
    sim->AddFault({FaultKind::NoReply});
    const DWORD start = GetTickCount();
    EXPECT_EQ(ErrorOf([&] { radon->SendMessageA(0, 70, 0x99, nullptr); }),
              AnsiString("Communication lost. Is monitor on? Is correct port selected?"));
    EXPECT_GE(GetTickCount() - start, 9900u);
    EXPECT_EQ(RequestedCommands(), (Bytes{70, StatusRequest}));
    EXPECT_FALSE(radon->AwaitingStatus);
}

TEST_F(MonitorLink, StatusWithErrorsEndsTheRequestWithoutResend) {
    SimMonitor config;
    config.status[1] = 0x04;
    Connect(config);
    sim->AddFault({FaultKind::StatusOnly});
    EXPECT_EQ(ErrorOf([&] { radon->SendMessageA(0, 70, 0x99, nullptr); }),
              AnsiString("Missed last communication message, Status Message has Errors! Will Resend."));
    EXPECT_EQ(RequestedCommands(), (Bytes{70, StatusRequest}));
    EXPECT_EQ(sim->Requests()[1].raw, (Bytes{0xAA, 0x08, 0x00, 0x42, 0x00, 0, 0, 0, 0, 0xF4, 0x00}));
}

TEST_F(MonitorLink, CleanStatusResendsThreeTimesThenGivesUpAndTheNextRequestStartsAfresh) {
    Connect(SimMonitor{});
    sim->AddFault({FaultKind::StatusOnly, 70, -1});
    EXPECT_EQ(ErrorOf([&] { radon->SendMessageA(0, 70, 0x99, nullptr); }),
              AnsiString("Intermittent communication Problem. Message Not Resent."));
    EXPECT_EQ(RequestedCommands(), (Bytes{70, StatusRequest, 70, StatusRequest, 70, StatusRequest,
                                          70, StatusRequest}));
    sim->ClearFaults();
    sim->ClearRequests();
    sim->AddFault({FaultKind::NoReply, 128, 1});
    radon->SendMessageA(0, 128, 0x99, nullptr);
    EXPECT_EQ(RequestedCommands(), (Bytes{128, StatusRequest, 128}));
    EXPECT_EQ(radon->BatteryVoltage, 8.75f);
    EXPECT_EQ(radon->ResendCount, 0);
}

TEST_F(MonitorLink, ChecksumErrorIsShownOnTheGuiThreadWhileReadingGoesOn) {
    std::vector<std::pair<std::string, std::string>> boxes;
    DWORD boxThread = 0;
    Hooks().ShowMessageBox = [&](const AnsiString& text, const AnsiString& caption, unsigned) {
        boxes.emplace_back(text.c_str(), caption.c_str());
        boxThread = GetCurrentThreadId();
        return IDOK;
    };
    Connect(SimMonitor{});
    sim->AddFault({FaultKind::BadChecksum, 70, 1});
    radon->SendMessageA(0, 70, 0x99, nullptr);
    EXPECT_EQ(RequestedCommands(), (Bytes{70, StatusRequest, 70}));
    EXPECT_EQ(radon->FirmwareVersion, 213);
    PumpMessages();
    Hooks().ShowMessageBox = nullptr;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, "Missed last communication message, Message had Checksum error!");
    EXPECT_EQ(boxes[0].second, "Error");
    EXPECT_EQ(boxThread, GetCurrentThreadId());
}

}  // namespace
