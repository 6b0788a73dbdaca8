#include "comthread.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

TEvent* ReceiveDataEvent = nullptr;

namespace {

AnsiString ReceiveDataEventName() {
    return "WAIT_FOR_RECIEVE_DATA_" + UIntToStr(GetCurrentProcessId());
}

}  // namespace

TComThread::TComThread(void* portHandle, TAdvancedCom* com, TStatusChangedEvent onStatusChanged,
                       TPacketReceivedEvent onPacketReceived, _OVERLAPPED* readOverlapped,
                       uint32_t bufSize, bool start)
    : TThread(true),
      portHandle_(portHandle),
      readByte_(bufSize + 1),
      bufSize_(bufSize),
      readOverlapped_(readOverlapped),
      onPacketReceived_(std::move(onPacketReceived)),
      onStatusChanged_(std::move(onStatusChanged)),
      com_(com) {
    SetPriority(tpNormal);
    SetFreeOnTerminate(false);
    assembler_.SetPacketSize(bufSize);
    receiveDataEvent_ = new TEvent(nullptr, true, false, ReceiveDataEventName());
    ReceiveDataEvent = receiveDataEvent_;
    if (start) Resume();
}

// A reader started while this one was being closed owns the global by now.
TComThread::~TComThread() {
    if (ReceiveDataEvent == receiveDataEvent_) ReceiveDataEvent = nullptr;
    TObject::Free(receiveDataEvent_);
}

void TComThread::SetPacketSize(uint32_t value) {
    std::lock_guard<std::mutex> lock(lock_);
    assembler_.SetPacketSize(value);
}

uint32_t TComThread::GetPacketSize() {
    std::lock_guard<std::mutex> lock(lock_);
    return assembler_.PacketSize();
}

void TComThread::SetPacketNotify(bool value) { packetNotify_ = value; }

void TComThread::SetDownloadMode(bool value) {
    std::lock_guard<std::mutex> lock(lock_);
    assembler_.DownloadMode = value;
}

void TComThread::ForgetPartialPacket() {
    std::lock_guard<std::mutex> lock(lock_);
    assembler_.Reset();
}

void TComThread::AppendBytes(const uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i) TakeByte(bytes[i]);
}

void TComThread::DoPacketReceived() {
    if (!onPacketReceived_ || Terminated()) return;
    AnsiString buffer;
    {
        std::lock_guard<std::mutex> lock(lock_);
        buffer = AnsiString(reinterpret_cast<const char*>(assembler_.Packet()),
                            static_cast<int>(assembler_.PacketLength()));
    }
    onPacketReceived_(this, buffer);
}

void TComThread::DoStatusChanged() {
    if (onStatusChanged_ && !Terminated())
        onStatusChanged_(this, ctsOn_, dsrOn_, ringOn_, rlsdOn_);
}

void TComThread::Execute() {
    struct LeaveLoop {
        std::atomic<bool>& running;
        ~LeaveLoop() { running = false; }
    } leaveLoop{running_};
    running_ = true;
    SampleModemStatus();
    if ((ctsOn_ || dsrOn_ || ringOn_ || rlsdOn_) && !Terminated()) ReportStatusChange();
    ReadPort();
}

void TComThread::ReadPort() {
    while (!Terminated()) {
        const int count = ReadWaitingBytes();
        if (count > 0) AppendBytes(readByte_.data(), count);
        if (onStatusChanged_ && SampleModemStatus() && !Terminated()) ReportStatusChange();
    }
}

void TComThread::ReportStatusChange() {
    Synchronize([this] {
        try {
            DoStatusChanged();
        } catch (...) {
            com_->PostReaderException(std::current_exception());
        }
    });
}

// The bytes already queued, or else the next one within the port's 1 ms read time-out.
unsigned long TComThread::BytesToRead() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(portHandle_, &errors, &status) || status.cbInQue == 0) return 1;
    return std::min<DWORD>(status.cbInQue, bufSize_);
}

// One overlapped read; it is finished, not pending, when this returns.
int TComThread::ReadWaitingBytes() {
    OVERLAPPED* overlapped = readOverlapped_;
    ResetEvent(overlapped->hEvent);
    DWORD got = 0;
    if (ReadFile(portHandle_, readByte_.data(), BytesToRead(), &got, overlapped))
        return static_cast<int>(got);
    if (GetLastError() != ERROR_IO_PENDING) return 0;
    WaitForSingleObject(overlapped->hEvent, INFINITE);
    // The closing side may set the event before the read ends: the read is then cancelled and
    // waited for, so that the system never writes its record or buffer after they are freed.
    if (!HasOverlappedIoCompleted(overlapped)) CancelIo(portHandle_);
    while (!HasOverlappedIoCompleted(overlapped)) Sleep(1);
    return GetOverlappedResult(portHandle_, overlapped, &got, FALSE) ? static_cast<int>(got) : 0;
}

// Only this thread writes the assembler's packet bytes, so a completed packet is read from
// them outside the guard.
void TComThread::TakeByte(uint8_t byte) {
    bool completed = false;
    {
        std::lock_guard<std::mutex> lock(lock_);
        completed = assembler_.Take(byte);
    }
    if (completed && !Terminated()) ValidatePacket(assembler_.Packet(), assembler_.PacketLength());
}

// A packet reaches the waiting request only once its checksum holds.
bool TComThread::ValidatePacket(const uint8_t* packet, size_t size) {
    if (!::ValidatePacket(packet, size)) {
        com_->PostReaderNotice("Missed last communication message, Message had Checksum error!",
                               "Error");
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(lock_);
        std::memcpy(lastPacket_, packet, size);
        lastPacketLength_ = size;
        ++lastPacketSequence_;
    }
    receiveDataEvent_->SetEvent();
    return true;
}

uint32_t TComThread::CopyLastPacket(uint8_t* target, size_t& length) {
    std::lock_guard<std::mutex> lock(lock_);
    std::memcpy(target, lastPacket_, lastPacketLength_);
    length = lastPacketLength_;
    return lastPacketSequence_;
}

void TComThread::SetLastPacketByte(uint8_t value) {
    std::lock_guard<std::mutex> lock(lock_);
    lastPacket_[0] = value;
}

// True when a line changed; a failed query changes nothing.
bool TComThread::SampleModemStatus() {
    unsigned long status = 0;
    if (!ModemLineCalls().GetModemStatus(portHandle_, status)) return false;
    const bool cts = status & MS_CTS_ON, dsr = status & MS_DSR_ON, ring = status & MS_RING_ON,
               rlsd = status & MS_RLSD_ON;
    const bool changed = cts != ctsOn_ || dsr != dsrOn_ || ring != ringOn_ || rlsd != rlsdOn_;
    ctsOn_ = cts;
    dsrOn_ = dsr;
    ringOn_ = ring;
    rlsdOn_ = rlsd;
    return changed;
}
