// The modem lines: DTR and RTS driven by the component and by the monitor's loader sequences,
// and the reader's reports of CTS, DSR, RING and RLSD. A pseudo-terminal neither drives nor
// reports lines, so stand-ins take the place of the two system calls.
#include "monitor_link.h"

#include <windows.h>

#include <atomic>

#include "cl_except.h"
#include "cl_hooks.h"
#include "comthread.h"
#include "ui_pump.h"

namespace {

using testsupport::MonitorSimulator;
using testsupport::SimMonitor;

struct Escape {
    unsigned long function;
    DWORD baud;  // the port's speed when the line changed
    bool operator==(const Escape& other) const {
        return function == other.function && baud == other.baud;
    }
};

std::ostream& operator<<(std::ostream& os, const Escape& e) {
    static const char* const names[] = {"", "SETXOFF", "SETXON", "SETRTS", "CLRRTS", "SETDTR", "CLRDTR"};
    return os << (e.function < 7 ? names[e.function] : "?") << "@" << e.baud;
}

DWORD PortBaud(void* port) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(port, &dcb);
    return dcb.BaudRate;
}

template <class F> AnsiString ExceptionText(F operation) {
    try {
        operation();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

// Records every line escape with the port's speed at that moment, and reports the modem lines
// held in `status`. The system's calls come back when the test ends.
class ModemLines : public MonitorLink {
protected:
    void SetUp() override {
        ModemLineCalls().Escape = [this](void* port, unsigned long function) {
            escapes.push_back({function, PortBaud(port)});
            if (onEscape) onEscape();
            return true;
        };
        ModemLineCalls().GetModemStatus = [this](void*, unsigned long& lines) {
            ++statusQueries;
            lines = status;
            return true;
        };
    }
    void TearDown() override {
        MonitorLink::TearDown();
        ModemLineCalls() = saved;
        Hooks().ShowMessageBox = nullptr;
    }
    std::vector<Escape> Escapes(std::initializer_list<unsigned long> functions, DWORD baud) {
        std::vector<Escape> out;
        for (unsigned long f : functions) out.push_back({f, baud});
        return out;
    }

    TModemLineCalls saved = ModemLineCalls();
    std::vector<Escape> escapes;
    std::function<void()> onEscape;
    std::atomic<unsigned long> status{0};
    std::atomic<int> statusQueries{0};
};

TEST_F(ModemLines, ComInitOfTheMonitorLeavesDtrAndRtsOff) {
    Connect(SimMonitor{});
    EXPECT_EQ(escapes, Escapes({CLRRTS, CLRDTR}, 57600));
    radon->SetDtr(true);
    radon->SetRts(true);
    EXPECT_TRUE(radon->Dtr());
    EXPECT_TRUE(radon->Rts());
    escapes.clear();
    radon->ComInit();
    EXPECT_EQ(escapes, Escapes({CLRRTS, CLRDTR}, 57600));
    EXPECT_FALSE(radon->Dtr());
    EXPECT_FALSE(radon->Rts());
}

TEST_F(ModemLines, SetDtrAndSetRtsDriveTheLinesUnlessHandshakeOwnsThem) {
    TAdvancedCom* com = new TAdvancedCom(nullptr);
    com->SetPortA(5);
    com->SetBaud(57600);
    com->ComInit();
    com->SetDtr(true);
    com->SetRts(true);
    com->SetDtr(false);
    EXPECT_EQ(escapes, Escapes({SETDTR, SETRTS, CLRDTR}, 57600));
    EXPECT_FALSE(com->Dtr());
    EXPECT_TRUE(com->Rts());
    com->ComClose();

    escapes.clear();
    com->SetDtrControl(dtrHandshake);
    com->SetRtsControl(rtsHandshake);
    com->ComInit();
    ASSERT_TRUE(com->Open());
    EXPECT_EQ(ExceptionText([&] { com->SetDtr(true); }),
              AnsiString("Can't set DTR when DtrControl is dtrHandshake"));
    EXPECT_EQ(ExceptionText([&] { com->SetRts(false); }),
              AnsiString("Can't set RTS when RtsControl is rtsHandshake"));
    EXPECT_TRUE(escapes.empty());
    EXPECT_FALSE(com->Dtr());
    EXPECT_TRUE(com->Rts()) << "a refused setting keeps the last value";
    TObject::Free(com);
}

TEST_F(ModemLines, LoaderEntryDrivesTheLinesAtItsSpeedAndEndsWhenTheMonitorAnswers) {
    Connect(SimMonitor{});
    escapes.clear();
    // The monitor's answer leaves as the last line change is made.
    onEscape = [&] {
        if (escapes.size() == 7) sim->SendRaw(MonitorSimulator::Packet(70, 0x99, {1, 0}));
    };
    const DWORD start = GetTickCount();
    radon->BSLEntrySequence();
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_EQ(escapes, Escapes({CLRDTR, CLRRTS, SETRTS, CLRRTS, SETRTS, SETDTR, CLRRTS}, 9600));
    EXPECT_EQ(PortBaud(radon->PortHandle()), 57600u);
    EXPECT_EQ(radon->Baud(), 57600u);
    EXPECT_TRUE(radon->Dtr());
    EXPECT_FALSE(radon->Rts());
    radon->SendMessageA(0, 70, 0x99, nullptr);
    EXPECT_EQ(radon->FirmwareVersion, 213) << "the link works at its own speed again";
}

TEST_F(ModemLines, LoaderEntryWaitsFiveSecondsForAMonitorThatStaysSilent) {
    Connect(SimMonitor{});
    sim->SendRaw(MonitorSimulator::Packet(70, 0x99, {1, 0}));
    Sleep(200);  // a packet from before the sequence does not end its wait
    const DWORD start = GetTickCount();
    radon->BSLEntrySequence();
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 4950u);
    EXPECT_LT(elapsed, 6500u);
    EXPECT_EQ(PortBaud(radon->PortHandle()), 57600u);
}

TEST_F(ModemLines, ResetSequenceDrivesItsThreeLineChangesAndRestoresTheSpeed) {
    Connect(SimMonitor{});
    escapes.clear();
    radon->StandardRESETSequence();
    EXPECT_EQ(escapes, Escapes({CLRDTR, CLRRTS, CLRDTR}, 9600));
    EXPECT_EQ(PortBaud(radon->PortHandle()), 57600u);
}

TEST_F(ModemLines, LoaderSequencesRefusedByAClosedPortOrHandshakeChangeNothing) {
    radon = new TRadon(nullptr);
    const AnsiString closed = "Initialize port before setting DTR";
    EXPECT_EQ(ExceptionText([&] { radon->BSLEntrySequence(); }), closed);
    EXPECT_EQ(ExceptionText([&] { radon->StandardRESETSequence(); }), closed);
    TObject::Free(radon);

    sim = std::make_unique<MonitorSimulator>(6, SimMonitor{});
    sim->Start();
    radon = new TRadon(nullptr);
    radon->SetPortA(5);
    radon->SetBaud(57600);
    radon->SetDtrControl(dtrHandshake);
    const AnsiString handshake = "Can't set DTR when DtrControl is dtrHandshake";
    EXPECT_EQ(ExceptionText([&] { radon->ComInit(); }), handshake);
    ASSERT_TRUE(radon->Open());
    escapes.clear();
    EXPECT_EQ(ExceptionText([&] { radon->StandardRESETSequence(); }), handshake);
    EXPECT_TRUE(escapes.empty());
    EXPECT_EQ(PortBaud(radon->PortHandle()), 57600u);
}

// ---- modem status ---------------------------------------------------------------------------

struct LineStates {
    bool cts, dsr, ring, rlsd;
    bool operator==(const LineStates& o) const {
        return cts == o.cts && dsr == o.dsr && ring == o.ring && rlsd == o.rlsd;
    }
};

std::ostream& operator<<(std::ostream& os, const LineStates& s) {
    return os << "cts " << s.cts << " dsr " << s.dsr << " ring " << s.ring << " rlsd " << s.rlsd;
}

// Runs the GUI thread's messages for `ms` (reports arrive through them).
void PumpFor(int ms) {
    PumpUntil([] { return false; }, ms);
}

TEST_F(ModemLines, SteadyLinesAreReportedOnceAtTheStartAndEachChangeOnce) {
    std::vector<LineStates> reports;
    DWORD reportThread = 0;
    status = MS_CTS_ON | MS_RLSD_ON;
    SimMonitor config;
    sim = std::make_unique<MonitorSimulator>(6, config);
    sim->Start();
    radon = new TRadon(nullptr);
    radon->OnStatusChanged = [&](TObject*, bool cts, bool dsr, bool ring, bool rlsd) {
        reports.push_back({cts, dsr, ring, rlsd});
        reportThread = GetCurrentThreadId();
    };
    radon->SetPortA(5);
    radon->SetBaud(57600);
    radon->ComInit();
    radon->SendMessageA(0, 70, 0x99, nullptr);
    PumpFor(300);
    EXPECT_GT(statusQueries, 50) << "the reader samples the lines as it reads";
    ASSERT_EQ(reports.size(), 1u) << "lines that stay as they are report nothing more";
    EXPECT_EQ(reports[0], (LineStates{true, false, false, true}));
    EXPECT_EQ(reportThread, GetCurrentThreadId());
    EXPECT_EQ(radon->FirmwareVersion, 213);

    status = MS_CTS_ON | MS_DSR_ON | MS_RLSD_ON;
    EXPECT_TRUE(PumpUntil([&] { return reports.size() >= 2; }, 3000));
    PumpFor(200);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1], (LineStates{true, true, false, true}));
}

TEST_F(ModemLines, WithoutAHandlerTheLinesAreSampledOnlyAtTheStart) {
    status = MS_DSR_ON;
    Connect(SimMonitor{});
    radon->SendMessageA(0, 70, 0x99, nullptr);
    status = 0;
    PumpFor(200);
    EXPECT_EQ(statusQueries, 1);
}

TEST_F(ModemLines, AThrowingStatusHandlerIsShownOnTheGuiThreadAndReadingGoesOn) {
    std::vector<std::string> boxes;
    DWORD boxThread = 0;
    Hooks().ShowMessageBox = [&](const AnsiString& text, const AnsiString&, unsigned) {
        boxes.push_back(text.c_str());
        boxThread = GetCurrentThreadId();
        return IDOK;
    };
    int reports = 0;
    sim = std::make_unique<MonitorSimulator>(6, SimMonitor{});
    sim->Start();
    radon = new TRadon(nullptr);
    radon->OnStatusChanged = [&](TObject*, bool, bool dsr, bool, bool) {
        ++reports;
        if (dsr) throw Exception("The status handler failed");
    };
    radon->SetPortA(5);
    radon->SetBaud(57600);
    radon->ComInit();
    status = MS_DSR_ON;
    EXPECT_TRUE(PumpUntil([&] { return !boxes.empty(); }, 3000));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "The status handler failed");
    EXPECT_EQ(boxThread, GetCurrentThreadId());

    radon->SendMessageA(0, 70, 0x99, nullptr);
    EXPECT_EQ(radon->FirmwareVersion, 213);
    status = 0;
    EXPECT_TRUE(PumpUntil([&] { return reports == 2; }, 3000)) << "the reader still reports";
}

}  // namespace
