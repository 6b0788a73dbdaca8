// The serial port component: one COM port opened for overlapped transfers, its line settings,
// its reader thread, the port selection dialog and the adapter plug and unplug events.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "cl_component.h"

class TComThread;
class TSelectPortDlg;
struct _OVERLAPPED;
struct _DEV_BROADCAST_HDR;
struct HWND__;

enum TParity { none, odd, even, mark, space };
enum TStopBits { s1, s1_5, s2 };
enum TDtrControl { dtrDisable, dtrEnable, dtrHandshake };
enum TRtsControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };

// The modem-line calls of the serial component: the system's EscapeCommFunction and
// GetCommModemStatus in the program. A pseudo-terminal can neither drive DTR and RTS nor report
// CTS, DSR, RING and RLSD, so tests put stand-ins here (only while no port is open).
struct TModemLineCalls {
    std::function<bool(void* port, unsigned long function)> Escape;
    std::function<bool(void* port, unsigned long& status)> GetModemStatus;
};
TModemLineCalls& ModemLineCalls();

using TPacketReceivedEvent = std::function<void(TObject* sender, const AnsiString& buffer)>;
using TStatusChangedEvent =
    std::function<void(TObject* sender, bool ctsOn, bool dsrOn, bool ringOn, bool rlsdOn)>;

class TAdvancedCom : public TComponent {
    CL_COMPONENT_CLASS(TAdvancedCom, TComponent)

    explicit TAdvancedCom(TComponent* owner);

    virtual void SetBufSize(uint32_t value);
    virtual void SetBaud(uint32_t value);
    virtual void SetDataBits(uint32_t value);
    virtual void SetParity(TParity value);
    virtual void SetStopBits(TStopBits value);
    virtual void SetPortA(uint32_t value);
    virtual void SetTimeout(uint32_t value);
    virtual void SetupThread();
    virtual void SetupState();
    virtual void SetDtrControl(TDtrControl value);
    virtual void SetRtsControl(TRtsControl value);
    virtual void SetDtr(bool value);
    virtual void SetRts(bool value);
    // Opens the port with the current settings and starts the reader; never raises here.
    virtual void ComInit();
    virtual void SetPacketSize(uint32_t value);
    // The reader's expected packet length while open; all bits set while closed.
    virtual uint32_t GetPacketSize();
    virtual void DataRecieved(uint8_t* data);

    void ComClose();
    void InitPort();
    void Write(const void* buffer, int count);
    void Write(const AnsiString& text);
    bool Purge();
    bool TryPort(uint32_t port);
    bool TryPort(const AnsiString& name);
    void SetPacketNotify(bool value);
    // Blocks the calling thread without dispatching messages.
    void WaitFor(uint32_t milliseconds);

    // Closes the port, lets the user pick one of the ports that can be opened now (the
    // preselected one when it is among them) and reopens the port, chosen or old, whatever
    // the answer. Returns the dialog's modal result.
    int GetComPortDlg(TComponent* owner, uint32_t preselect, int helpContext);
    // The port number of a port broadcast (its name narrow or wide, one digit or more);
    // -1 for a broadcast of any other device type. A name without a number raises
    // EConvertError.
    int HandleDeviceInterfaceChange(HWND__* window, uint32_t event, uint32_t deviceType,
                                    const _DEV_BROADCAST_HDR* broadcast);
    // After the adapter has settled, offers to switch to the arrived port when it opens.
    void HandleDeviceInsertion(uint32_t port);
    // Closes the port and tells the user when the removed adapter is the one in use.
    void HandleDeviceRemoval(uint32_t port);
    // Safe from the reader thread: the application's message box shows `text` under
    // `caption` on the GUI thread later; the caller does not wait for it.
    void PostReaderNotice(const AnsiString& text, const AnsiString& caption);
    // Safe from the reader thread: the application's exception handling shows `error` on the
    // GUI thread later.
    void PostReaderException(std::exception_ptr error);

    bool Open() const { return ComThread != nullptr; }
    bool Initialized() const { return initialized_; }
    const AnsiString& ErrorText() const { return errorText_; }
    uint32_t BufSize() const { return bufSize_; }
    uint32_t Baud() const { return baud_; }
    uint32_t DataBits() const { return dataBits_; }
    TParity Parity() const { return parity_; }
    TStopBits StopBits() const { return stopBits_; }
    uint32_t Port() const { return port_; }
    uint32_t Timeout() const { return timeout_; }
    TDtrControl DtrControl() const { return dtrControl_; }
    TRtsControl RtsControl() const { return rtsControl_; }
    bool Dtr() const { return dtr_; }
    bool Rts() const { return rts_; }
    void* PortHandle() const { return portHandle_; }

    TComThread* ComThread = nullptr;
    TSelectPortDlg* PortDialog = nullptr;
    TNotifyEvent OnFindPort;
    TPacketReceivedEvent OnPacketReceived;
    TStatusChangedEvent OnStatusChanged;

protected:
    ~TAdvancedCom() override;
    // The port closes while the whole object still stands: closing waits for the reader and
    // services messages, which must not reach a half-destroyed monitor.
    void BeforeDestruction() override;
    _OVERLAPPED* ReadOverlapped() const;
    _OVERLAPPED* WriteOverlapped() const;

private:
    struct TOverlappedRecord;
    struct TNoticeQueue;
    [[noreturn]] void AbandonWrite();
    void RefuseWhileOpen(const char* text) const;
    void CheckStopBits(uint32_t dataBits, TStopBits stopBits) const;
    void ApplyTimeouts();
    void ClosePortHandle();
    void FreeOverlappedRecords();
    void PostToGuiThread(std::function<void()> show);
    void ShowPendingNotices();
    void ShowReaderException(const std::exception_ptr& error);
    void FillPortDialog(uint32_t preselect, int helpContext);
    void ApplySelectedPort();

    bool initialized_ = false;
    AnsiString errorText_;
    void* portHandle_;
    std::unique_ptr<TOverlappedRecord> readOverlapped_;
    std::unique_ptr<TOverlappedRecord> writeOverlapped_;
    // Records of writes that did not end when cancelled; kept until the port is closed.
    std::vector<std::unique_ptr<TOverlappedRecord>> abandonedWrites_;
    uint32_t packetSize_ = 80;
    uint32_t baud_ = 9600;
    uint32_t dataBits_ = 8;
    TParity parity_ = none;
    TStopBits stopBits_ = s1;
    uint32_t bufSize_ = 254;
    uint32_t port_ = 1;
    uint32_t timeout_ = 100;
    TDtrControl dtrControl_ = dtrEnable;
    TRtsControl rtsControl_ = rtsEnable;
    bool dtr_ = false;
    bool rts_ = false;
    HWND__* noticeWindow_ = nullptr;
    std::unique_ptr<TNoticeQueue> notices_;
};
