#include "AdvancedCom.h"

#include <windows.h>

#include <deque>
#include <mutex>
#include <utility>

#include "cl_controls.h"
#include "cl_forms.h"
#include "comthread.h"

namespace {

constexpr UINT WM_READER_NOTICE = WM_APP + 0x51;

// Every port may be opened through the device namespace; ports above 9 only can.
AnsiString DeviceName(const AnsiString& name) {
    return name.SubString(1, 4) == "\\\\.\\" ? name : AnsiString("\\\\.\\") + name;
}

AnsiString PortName(uint32_t port) { return "COM" + UIntToStr(port); }

HANDLE OpenPort(const AnsiString& name, DWORD access) {
    return CreateFileA(DeviceName(name).c_str(), access, 0, nullptr, OPEN_EXISTING,
                       FILE_FLAG_OVERLAPPED, nullptr);
}

void Raise(const char* text) { throw Exception(text); }

}  // namespace

struct TAdvancedCom::TOverlappedRecord {
    OVERLAPPED Overlapped{};
    TOverlappedRecord() { Overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr); }
    ~TOverlappedRecord() { CloseHandle(Overlapped.hEvent); }
    TOverlappedRecord(const TOverlappedRecord&) = delete;
    TOverlappedRecord& operator=(const TOverlappedRecord&) = delete;
};

struct TAdvancedCom::TNoticeQueue {
    std::mutex Lock;
    std::deque<std::pair<AnsiString, AnsiString>> Notices;
};

TAdvancedCom::TAdvancedCom(TComponent* owner)
    : TComponent(owner), portHandle_(INVALID_HANDLE_VALUE), notices_(new TNoticeQueue) {
    noticeWindow_ = AllocateHWnd([this](TMessage& message) {
        if (message.Msg == WM_READER_NOTICE)
            ShowPendingNotices();
        else
            message.Result = DefWindowProcA(noticeWindow_, message.Msg, message.WParam,
                                            message.LParam);
    });
}

TAdvancedCom::~TAdvancedCom() {
    ComClose();
    DeallocateHWnd(noticeWindow_);
}

_OVERLAPPED* TAdvancedCom::ReadOverlapped() const {
    return readOverlapped_ ? &readOverlapped_->Overlapped : nullptr;
}

_OVERLAPPED* TAdvancedCom::WriteOverlapped() const {
    return writeOverlapped_ ? &writeOverlapped_->Overlapped : nullptr;
}

void TAdvancedCom::RefuseWhileOpen(const char* text) const {
    if (Open()) Raise(text);
}

void TAdvancedCom::CheckStopBits(uint32_t dataBits, TStopBits stopBits) const {
    if (stopBits == s1_5 && dataBits > 5)
        Raise("1.5 Stop Bits with 6,7, or 8 Data Bits is an invalid combination");
}

void TAdvancedCom::SetBufSize(uint32_t value) {
    RefuseWhileOpen("Buffer can only be resized before ComInit()!");
    bufSize_ = value;
}

void TAdvancedCom::SetBaud(uint32_t value) {
    if (Open()) {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        GetCommState(portHandle_, &dcb);
        dcb.BaudRate = value;
        if (!SetCommState(portHandle_, &dcb)) Raise("Baud rate cannot be set!");
    }
    baud_ = value;
}

void TAdvancedCom::SetDataBits(uint32_t value) {
    CheckStopBits(value, stopBits_);
    RefuseWhileOpen("Data bits can only be set before ComInit()!");
    dataBits_ = value;
}

void TAdvancedCom::SetParity(TParity value) {
    RefuseWhileOpen("Parity can only be set before ComInit()!");
    parity_ = value;
}

void TAdvancedCom::SetStopBits(TStopBits value) {
    CheckStopBits(dataBits_, value);
    RefuseWhileOpen("Stop bits can only be set before ComInit()!");
    stopBits_ = value;
}

void TAdvancedCom::SetPortA(uint32_t value) {
    RefuseWhileOpen("Port can only be set before ComInit()!");
    port_ = value;
}

void TAdvancedCom::SetTimeout(uint32_t value) {
    RefuseWhileOpen("Timeout can only be set before ComInit()!");
    timeout_ = value;
}

void TAdvancedCom::SetDtrControl(TDtrControl value) {
    RefuseWhileOpen("Dtr control can only be set before ComInit()!");
    dtrControl_ = value;
}

void TAdvancedCom::SetRtsControl(TRtsControl value) {
    RefuseWhileOpen("Rts control can only be set before ComInit()!");
    rtsControl_ = value;
}

void TAdvancedCom::SetDtr(bool value) {
    if (!Open()) Raise("Initialize port before setting DTR");
    if (dtrControl_ == dtrHandshake) Raise("Can't set DTR when DtrControl is dtrHandshake");
    EscapeCommFunction(portHandle_, value ? SETDTR : CLRDTR);
    dtr_ = value;
}

void TAdvancedCom::SetRts(bool value) {
    if (!Open()) Raise("Set Serial port before Starting");
    if (rtsControl_ == rtsHandshake) Raise("Can't set RTS when RtsControl is rtsHandshake");
    EscapeCommFunction(portHandle_, value ? SETRTS : CLRRTS);
    rts_ = value;
}

void TAdvancedCom::SetPacketSize(uint32_t value) {
    packetSize_ = value;
    if (ComThread) ComThread->SetPacketSize(value);
}

uint32_t TAdvancedCom::GetPacketSize() {
    return ComThread ? ComThread->GetPacketSize() : 0xFFFFFFFFu;
}

void TAdvancedCom::SetPacketNotify(bool value) {
    if (ComThread) ComThread->SetPacketNotify(value);
}

void TAdvancedCom::DataRecieved(uint8_t*) {}

void TAdvancedCom::ComInit() {
    ComClose();
    InitPort();
    if (!initialized_) return;
    readOverlapped_.reset(new TOverlappedRecord);
    writeOverlapped_.reset(new TOverlappedRecord);
    SetupThread();
}

void TAdvancedCom::InitPort() {
    try {
        portHandle_ = OpenPort(PortName(port_), GENERIC_READ | GENERIC_WRITE);
        if (portHandle_ == INVALID_HANDLE_VALUE) Raise("Comport Unavailable.");
        SetupState();
        ApplyTimeouts();
        if (!SetupComm(portHandle_, bufSize_, bufSize_))
            Raise("SetupComm Failed - try reducing buffer size.");
        initialized_ = true;
    } catch (const Exception&) {
        ClosePortHandle();
        SetPortA(0);
        initialized_ = false;
    }
}

void TAdvancedCom::SetupState() {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(portHandle_, &dcb)) Raise("GetCommState Failed.");
    dcb.BaudRate = baud_;
    dcb.ByteSize = static_cast<BYTE>(dataBits_);
    dcb.Parity = static_cast<BYTE>(parity_);
    dcb.StopBits = static_cast<BYTE>(stopBits_);
    dcb.fDtrControl = dtrControl_;
    dcb.fRtsControl = rtsControl_;
    dcb.fNull = FALSE;
    if (!SetCommState(portHandle_, &dcb)) Raise("SetCommState Failed.");
}

// A read returns after about 1 ms with whatever has arrived.
void TAdvancedCom::ApplyTimeouts() {
    COMMTIMEOUTS timeouts{};
    if (!GetCommTimeouts(portHandle_, &timeouts)) Raise("GetCommTimeouts Failed.");
    timeouts.ReadIntervalTimeout = 0;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 1;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 0;
    if (!SetCommTimeouts(portHandle_, &timeouts)) Raise("SetCommTimeouts Failed.");
}

void TAdvancedCom::SetupThread() {
    if (portHandle_ == INVALID_HANDLE_VALUE) return;
    ComThread = new TComThread(portHandle_, this, OnStatusChanged, OnPacketReceived,
                               ReadOverlapped(), bufSize_, true);
}

// The reader's pending read is cancelled and finished before the records and the handle go.
void TAdvancedCom::ComClose() {
    if (!ComThread) return;
    ComThread->Terminate();
    CancelIoEx(portHandle_, ReadOverlapped());
    SetEvent(ReadOverlapped()->hEvent);
    while (ComThread->Running()) Application->ProcessMessages();
    FreeAndNil(ComThread);
    ClosePortHandle();
    FreeOverlappedRecords();
}

void TAdvancedCom::ClosePortHandle() {
    if (portHandle_ != INVALID_HANDLE_VALUE) CloseHandle(portHandle_);
    portHandle_ = INVALID_HANDLE_VALUE;
}

void TAdvancedCom::FreeOverlappedRecords() {
    readOverlapped_.reset();
    writeOverlapped_.reset();
}

void TAdvancedCom::Write(const void* buffer, int count) {
    if (!Open()) {
        initialized_ = false;
        errorText_ = "Com not initialized.";
        return;
    }
    if (count < 1) return;
    const DWORD timeoutMs =
        static_cast<DWORD>(static_cast<uint64_t>(count) * 9600000u / baud_);
    OVERLAPPED* overlapped = WriteOverlapped();
    ResetEvent(overlapped->hEvent);
    DWORD written = 0;
    if (WriteFile(portHandle_, buffer, static_cast<DWORD>(count), &written, overlapped)) return;
    if (GetLastError() == ERROR_IO_PENDING) {
        if (WaitForSingleObject(overlapped->hEvent, timeoutMs) != WAIT_OBJECT_0) {
            DWORD errors = 0;
            ClearCommError(portHandle_, &errors, nullptr);
            PurgeComm(portHandle_, PURGE_TXABORT | PURGE_TXCLEAR);
            GetOverlappedResult(portHandle_, overlapped, &written, TRUE);
            Raise("Send Timeout");
        }
        if (GetOverlappedResult(portHandle_, overlapped, &written, TRUE)) return;
        PurgeComm(portHandle_, PURGE_TXABORT | PURGE_TXCLEAR);
    }
    throw Exception("Send Error: " + UIntToStr(GetLastError()));
}

void TAdvancedCom::Write(const AnsiString& text) { Write(text.c_str(), text.Length()); }

bool TAdvancedCom::Purge() {
    return PurgeComm(portHandle_, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR |
                                      PURGE_RXCLEAR) != FALSE;
}

bool TAdvancedCom::TryPort(uint32_t port) { return TryPort(PortName(port)); }

bool TAdvancedCom::TryPort(const AnsiString& name) {
    const HANDLE handle = OpenPort(name, 0);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

void TAdvancedCom::WaitFor(uint32_t milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() < start + milliseconds) {
    }
}

void TAdvancedCom::PostReaderNotice(const AnsiString& text, const AnsiString& caption) {
    {
        std::lock_guard<std::mutex> lock(notices_->Lock);
        notices_->Notices.emplace_back(text, caption);
    }
    PostMessageA(noticeWindow_, WM_READER_NOTICE, 0, 0);
}

void TAdvancedCom::ShowPendingNotices() {
    for (;;) {
        std::pair<AnsiString, AnsiString> notice;
        {
            std::lock_guard<std::mutex> lock(notices_->Lock);
            if (notices_->Notices.empty()) return;
            notice = std::move(notices_->Notices.front());
            notices_->Notices.pop_front();
        }
        Application->MessageBox(notice.first, notice.second, MB_OK);
    }
}
