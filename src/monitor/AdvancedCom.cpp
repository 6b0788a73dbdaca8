#include "AdvancedCom.h"

#include <windows.h>
#include <dbt.h>

#include <algorithm>
#include <cstddef>
#include <deque>
#include <mutex>
#include <utility>

#include "cl_controls.h"
#include "cl_dialogs.h"
#include "cl_forms.h"
#include "cl_number.h"
#include "comthread.h"
#include "portselect.h"

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

[[noreturn]] void Raise(const char* text) { throw Exception(text); }

constexpr uint32_t HighestListedPort = 9;
constexpr uint32_t AdapterSettleMs = 4000;
// How long a cancelled write may take to end after its time-out.
constexpr DWORD CancelledWriteBoundMs = 500;

// The name after a port broadcast's header, `bytes` long at most. The system may hand even an
// ANSI window the wide form; a port name never starts with a NUL, so a zero second byte marks
// it. Wide characters give their low bytes.
AnsiString BroadcastPortName(const char* name, size_t bytes) {
    const size_t step = bytes >= 2 && name[0] != 0 && name[1] == 0 ? 2 : 1;
    AnsiString result;
    for (size_t i = 0; i + step <= bytes && name[i] != 0; i += step) result += name[i];
    return result;
}

// The number after the three letters of "Com" (or of the name's start when it has no "Com"),
// as many digits as follow; EConvertError when none does.
int PortNumberOfName(const AnsiString& name) {
    const int digitsStart = std::max(name.Pos("Com"), 1) + 3;
    int digitsEnd = digitsStart;
    while (digitsEnd <= name.Length() && name[digitsEnd] >= '0' && name[digitsEnd] <= '9')
        ++digitsEnd;
    return StrToInt(name.SubString(digitsStart, digitsEnd - digitsStart));
}

// Frees the port dialog and clears the component's pointer to it on every way out.
struct TPortDialogScope {
    TSelectPortDlg*& Dialog;
    ~TPortDialogScope() { FreeAndNil(Dialog); }
};

}  // namespace

TModemLineCalls& ModemLineCalls() {
    static TModemLineCalls calls{
        [](void* port, unsigned long function) {
            return EscapeCommFunction(port, function) != FALSE;
        },
        [](void* port, unsigned long& status) {
            DWORD lines = 0;
            const bool ok = GetCommModemStatus(port, &lines) != FALSE;
            status = lines;
            return ok;
        }};
    return calls;
}

struct TAdvancedCom::TOverlappedRecord {
    OVERLAPPED Overlapped{};
    TOverlappedRecord() { Overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr); }
    ~TOverlappedRecord() { CloseHandle(Overlapped.hEvent); }
    TOverlappedRecord(const TOverlappedRecord&) = delete;
    TOverlappedRecord& operator=(const TOverlappedRecord&) = delete;
};

struct TAdvancedCom::TNoticeQueue {
    std::mutex Lock;
    std::deque<std::function<void()>> Notices;
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

void TAdvancedCom::BeforeDestruction() {
    ComClose();
    TComponent::BeforeDestruction();
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
        if (!GetCommState(portHandle_, &dcb)) Raise("Baud rate cannot be set!");
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
    ModemLineCalls().Escape(portHandle_, value ? SETDTR : CLRDTR);
    dtr_ = value;
}

void TAdvancedCom::SetRts(bool value) {
    if (!Open()) Raise("Set Serial port before Starting");
    if (rtsControl_ == rtsHandshake) Raise("Can't set RTS when RtsControl is rtsHandshake");
    ModemLineCalls().Escape(portHandle_, value ? SETRTS : CLRRTS);
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

// A port whose reader cannot be started is closed again, like one that cannot be opened.
void TAdvancedCom::ComInit() {
    ComClose();
    InitPort();
    if (!initialized_) return;
    readOverlapped_.reset(new TOverlappedRecord);
    writeOverlapped_.reset(new TOverlappedRecord);
    try {
        SetupThread();
    } catch (const Exception&) {
        ClosePortHandle();
        FreeOverlappedRecords();
        SetPortA(0);
        initialized_ = false;
    }
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

// The component counts as closed from the start: a handler run by the message pump below finds
// nothing to close, and one that opens a port gets its own handle, records and reader. The
// reader's pending read is cancelled and finished before the thread goes; the records go after
// the handle, which ends any write still pending.
void TAdvancedCom::ComClose() {
    if (!ComThread) return;
    TComThread* thread = std::exchange(ComThread, nullptr);
    const HANDLE port = std::exchange(portHandle_, INVALID_HANDLE_VALUE);
    const std::unique_ptr<TOverlappedRecord> read = std::move(readOverlapped_);
    const std::unique_ptr<TOverlappedRecord> write = std::move(writeOverlapped_);
    const std::vector<std::unique_ptr<TOverlappedRecord>> abandoned = std::move(abandonedWrites_);
    thread->Terminate();
    CancelIoEx(port, &read->Overlapped);
    SetEvent(read->Overlapped.hEvent);
    while (thread->Running()) Application->ProcessMessages();
    thread->Free();
    CloseHandle(port);
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
        if (WaitForSingleObject(overlapped->hEvent, timeoutMs) != WAIT_OBJECT_0) AbandonWrite();
        if (GetOverlappedResult(portHandle_, overlapped, &written, TRUE)) return;
        PurgeComm(portHandle_, PURGE_TXABORT | PURGE_TXCLEAR);
    }
    throw Exception("Send Error: " + UIntToStr(GetLastError()));
}

// Purging the output need not end a pending write, so it is cancelled as well. A write that
// has not ended even then keeps its record, which the system may still fill, until the port
// closes; the next write gets a fresh one.
void TAdvancedCom::AbandonWrite() {
    DWORD errors = 0;
    ClearCommError(portHandle_, &errors, nullptr);
    PurgeComm(portHandle_, PURGE_TXABORT | PURGE_TXCLEAR);
    CancelIoEx(portHandle_, WriteOverlapped());
    if (WaitForSingleObject(WriteOverlapped()->hEvent, CancelledWriteBoundMs) != WAIT_OBJECT_0) {
        abandonedWrites_.push_back(std::move(writeOverlapped_));
        writeOverlapped_.reset(new TOverlappedRecord);
    }
    Raise("Send Timeout");
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

void TAdvancedCom::WaitFor(uint32_t milliseconds) { Sleep(milliseconds); }

int TAdvancedCom::GetComPortDlg(TComponent* owner, uint32_t preselect, int helpContext) {
    ComClose();
    TPortDialogScope scope{PortDialog};
    PortDialog = new TSelectPortDlg(owner, true);
    FillPortDialog(preselect, helpContext);
    const int result = PortDialog->ShowModal();
    if (result == mrOk) ApplySelectedPort();
    ComInit();
    return result;
}

void TAdvancedCom::FillPortDialog(uint32_t preselect, int helpContext) {
    PortDialog->SetHelpContext(helpContext);
    PortDialog->FindButton->OnClick = OnFindPort;
    TStrings* ports = PortDialog->PortComboBox->Items();
    int selected = 0;
    for (uint32_t n = 1; n <= HighestListedPort; ++n) {
        if (!TryPort(n)) continue;
        ports->Add(PortName(n));
        if (n == preselect) selected = ports->Count() - 1;
    }
    PortDialog->PortComboBox->SetItemIndex(ports->Count() > 0 ? selected : -1);
    const bool findable = static_cast<bool>(OnFindPort);
    PortDialog->FindButton->SetVisible(findable);
    PortDialog->FindButton->SetEnabled(findable);
}

// An empty list saves nothing: the port stays as it was.
void TAdvancedCom::ApplySelectedPort() {
    const int port = PortDialog->SelectedPort();
    if (port >= 0) SetPortA(static_cast<uint32_t>(port));
}

int TAdvancedCom::HandleDeviceInterfaceChange(HWND__*, uint32_t, uint32_t deviceType,
                                              const _DEV_BROADCAST_HDR* broadcast) {
    if (deviceType != DBT_DEVTYP_PORT) return -1;
    const size_t nameOffset = offsetof(DEV_BROADCAST_PORT_A, dbcp_name);
    const size_t size = broadcast->dbch_size;
    const char* name = reinterpret_cast<const char*>(broadcast) + nameOffset;
    return PortNumberOfName(BroadcastPortName(name, size > nameOffset ? size - nameOffset : 0));
}

void TAdvancedCom::HandleDeviceInsertion(uint32_t port) {
    WaitFor(AdapterSettleMs);
    if (!TryPort(port)) return;
    const AnsiString question =
        "Com" + UIntToStr(port) + " is connected would you like to connect to this port?";
    if (MessageDlg(question, mtConfirmation, {mbYes, mbNo}, 0) != mrYes) return;
    ComClose();
    SetPortA(port);
    ComInit();
}

void TAdvancedCom::HandleDeviceRemoval(uint32_t port) {
    if (port != port_) return;
    ComClose();
    SetPortA(0);
    MessageDlg("Com" + UIntToStr(port) + " is disconnected. Port is no longer available.",
               mtInformation, {mbOK}, 0);
}

void TAdvancedCom::PostReaderNotice(const AnsiString& text, const AnsiString& caption) {
    PostToGuiThread([text, caption] { Application->MessageBox(text, caption, MB_OK); });
}

void TAdvancedCom::PostReaderException(std::exception_ptr error) {
    PostToGuiThread([this, error] { ShowReaderException(error); });
}

void TAdvancedCom::PostToGuiThread(std::function<void()> show) {
    {
        std::lock_guard<std::mutex> lock(notices_->Lock);
        notices_->Notices.push_back(std::move(show));
    }
    PostMessageA(noticeWindow_, WM_READER_NOTICE, 0, 0);
}

void TAdvancedCom::ShowPendingNotices() {
    for (;;) {
        std::function<void()> show;
        {
            std::lock_guard<std::mutex> lock(notices_->Lock);
            if (notices_->Notices.empty()) return;
            show = std::move(notices_->Notices.front());
            notices_->Notices.pop_front();
        }
        show();
    }
}

void TAdvancedCom::ShowReaderException(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (...) {
        Application->HandleException(this);
    }
}
