// Opening and closing the port under stress: a close while replies stream in, a close run again
// by a message its own pump services, a reader that cannot be started, and a write the line
// does not take.
#include "monitor_link.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "cl_controls.h"
#include "cl_except.h"
#include "cl_hooks.h"
#include "comthread.h"
#include "serial_port.h"

namespace {

using testsupport::MonitorSimulator;
using testsupport::SerialPort;
using testsupport::SimMonitor;
using Bytes = std::vector<uint8_t>;

template <class F> AnsiString ExceptionText(F operation) {
    try {
        operation();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

bool HeapsAreWhole() {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i)
        if (!HeapValidate(heaps[i], 0, nullptr)) return false;
    return true;
}

// Blocks of the sizes the reader's read record and buffer had, filled with a pattern; a read
// that ends after its memory was freed shows as a changed byte here.
class FreedMemoryWatch {
public:
    FreedMemoryWatch() {
        for (size_t size : {sizeof(OVERLAPPED), size_t{255}, size_t{256}})
            for (int i = 0; i < 32; ++i) {
                blocks_.emplace_back(new uint8_t[size], size);
                std::memset(blocks_.back().first, 0x5C, size);
            }
    }
    ~FreedMemoryWatch() {
        for (auto& block : blocks_) delete[] block.first;
    }
    bool Untouched() const {
        for (const auto& [bytes, size] : blocks_)
            for (size_t i = 0; i < size; ++i)
                if (bytes[i] != 0x5C) return false;
        return true;
    }

private:
    std::vector<std::pair<uint8_t*, size_t>> blocks_;
};

// The monitor side sends a packet about every millisecond, so that the reader often waits in
// a pending read when the close comes.
TEST(PortClose, WhileRepliesStreamInNoReadOutlivesItsMemory) {
    SerialPort monitorSide(6);
    const Bytes packet = MonitorSimulator::Packet(117, 0x99, {1, 2, 3, 4});
    std::atomic<bool> streaming{true};
    std::thread stream([&] {
        while (streaming) {
            try {
                monitorSide.Write(packet);
            } catch (const std::exception&) {
                // the program's side was closed for a moment and the line filled up
            }
            Sleep(1);
        }
    });

    TRadon* radon = new TRadon(nullptr);
    radon->SetBaud(57600);
    radon->SetDtrControl(dtrDisable);
    radon->SetRtsControl(rtsDisable);
    for (int round = 0; round < 300; ++round) {
        radon->SetPortA(5);
        radon->ComInit();
        if (!radon->Open() || ReceiveDataEvent->WaitFor(2000) != wrSignaled) {
            ADD_FAILURE() << "no packet came in round " << round;
            break;
        }
        Sleep(round % 3);
        radon->ComClose();
        const FreedMemoryWatch watch;
        Sleep(2);
        if (!watch.Untouched() || !HeapsAreWhole()) {
            ADD_FAILURE() << "memory freed at the close was written in round " << round;
            break;
        }
    }
    radon->SetPortA(5);
    radon->ComInit();
    streaming = false;
    stream.join();
    TObject::Free(radon);
    SerialPort(5).Drain(200);
}

// A removal message that arrives while a close waits for its reader runs the removal's own
// close; the first close then finds the work done.
TEST_F(MonitorLink, CloseRunAgainFromARemovalMessageIsHarmless) {
    std::vector<std::string> boxes;
    Hooks().ShowMessageBox = [&](const AnsiString& text, const AnsiString&, unsigned) {
        boxes.push_back(text.c_str());
        return IDOK;
    };
    constexpr UINT WM_PORT_REMOVED = WM_APP + 0x41;
    Connect(SimMonitor{});
    HWND window = nullptr;
    window = AllocateHWnd([&](TMessage& message) {
        if (message.Msg == WM_PORT_REMOVED)
            radon->HandleDeviceRemoval(static_cast<uint32_t>(message.WParam));
        else
            message.Result = DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
    });
    for (int round = 0; round < 5; ++round) {
        ASSERT_TRUE(radon->Open()) << "round " << round;
        PostMessageA(window, WM_PORT_REMOVED, 5, 0);
        radon->ComClose();
        PumpMessages();
        EXPECT_FALSE(radon->Open());
        EXPECT_EQ(radon->Port(), 0u) << "round " << round;
        radon->SetPortA(5);
        radon->ComInit();
    }
    DeallocateHWnd(window);
    Hooks().ShowMessageBox = nullptr;
    EXPECT_EQ(boxes, std::vector<std::string>(5, "Com5 is disconnected. Port is no longer available."));
    radon->SendMessageA(0, 70, 0x99, nullptr);
    EXPECT_EQ(radon->FirmwareVersion, 213) << "the port opens and works again";
}

// The reader's event cannot be made while another kind of object holds its name.
TEST(PortOpen, AReaderThatCannotStartLeavesThePortClosedAndFree) {
    const AnsiString eventName = "WAIT_FOR_RECIEVE_DATA_" + UIntToStr(GetCurrentProcessId());
    HANDLE squatter = CreateMutexA(nullptr, FALSE, eventName.c_str());
    ASSERT_NE(squatter, nullptr);
    TAdvancedCom* com = new TAdvancedCom(nullptr);
    com->SetPortA(5);
    com->ComInit();
    EXPECT_FALSE(com->Open());
    EXPECT_FALSE(com->Initialized());
    EXPECT_EQ(com->Port(), 0u);
    EXPECT_TRUE(com->TryPort(5)) << "the port is not held";
    CloseHandle(squatter);

    com->SetPortA(5);
    com->ComInit();
    EXPECT_TRUE(com->Open());
    TObject::Free(com);
}

// Nobody reads the far end, so the line fills up. The 11-byte write then times out after
// 11 x 9,600,000 / 57600 = 1833 ms, and its cancelled transfer ends within half a second.
TEST(SerialWrite, AWriteTheLineDoesNotTakeEndsWithSendTimeoutWithinItsBound) {
    TAdvancedCom* com = new TAdvancedCom(nullptr);
    com->SetPortA(5);
    com->SetBaud(57600);
    com->ComInit();
    ASSERT_TRUE(com->Open());
    const Bytes request{0xAA, 0x08, 0x00, 0x46, 0x99, 0, 0, 0, 0, 0x91, 0x01};
    AnsiString failure;
    DWORD elapsed = 0;
    int written = 0;
    for (; written < 20000 && failure.IsEmpty(); ++written) {
        const DWORD start = GetTickCount();
        failure = ExceptionText([&] { com->Write(request.data(), 11); });
        if (failure == "(nothing raised)") failure = "";
        elapsed = GetTickCount() - start;
    }
    EXPECT_GT(written, 100) << "the line took writes before it filled";
    EXPECT_EQ(failure, AnsiString("Send Timeout"));
    EXPECT_GE(elapsed, 1833u - 20u);
    EXPECT_LT(elapsed, 1833u + 500u + 300u);
    TObject::Free(com);
    SerialPort(6).Drain(300);
}

}  // namespace
