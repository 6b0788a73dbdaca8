#include "UiShellDrives.h"

#include <memory>

#include "UiShellUtils.h"
#include "cl_sys.h"

int gFlushDriveInfoSem = 0;

namespace {

// The network library, bound once per process.
class TNetworkLibrary {
public:
    using TNetUseGetInfo = DWORD(WINAPI*)(const wchar_t* server, const wchar_t* name,
                                          DWORD level, BYTE** buffer);
    using TNetApiBufferFree = DWORD(WINAPI*)(void* buffer);

    TNetworkLibrary() {
        library_ = static_cast<HMODULE>(SafeLoadLibrary("netapi32.dll"));
        if (!library_) return;
        netUseGetInfo_ = reinterpret_cast<TNetUseGetInfo>(
            reinterpret_cast<void*>(GetProcAddress(library_, "NetUseGetInfo")));
        netApiBufferFree_ = reinterpret_cast<TNetApiBufferFree>(
            reinterpret_cast<void*>(GetProcAddress(library_, "NetApiBufferFree")));
    }
    TNetworkLibrary(const TNetworkLibrary&) = delete;
    TNetworkLibrary& operator=(const TNetworkLibrary&) = delete;
    ~TNetworkLibrary() {
        if (library_) FreeLibrary(library_);
    }
    bool Available() const { return netUseGetInfo_ && netApiBufferFree_; }
    TNetUseGetInfo NetUseGetInfo() const { return netUseGetInfo_; }
    TNetApiBufferFree NetApiBufferFree() const { return netApiBufferFree_; }

private:
    HMODULE library_ = nullptr;
    TNetUseGetInfo netUseGetInfo_ = nullptr;
    TNetApiBufferFree netApiBufferFree_ = nullptr;
};

// The network use record of level 1.
struct TUseInfo1 {
    wchar_t* Local;
    wchar_t* Remote;
    wchar_t* Password;
    DWORD Status;
    DWORD AsgType;
    DWORD RefCount;
    DWORD UseCount;
};
constexpr DWORD kUseConnected = 0;

struct THandlerHolder {
    ~THandlerHolder() { TObject::Free(handler); }
    TUiDeviceChangeHandler* handler = nullptr;
};

THandlerHolder& DeviceChangeHolder() {
    static THandlerHolder holder;
    return holder;
}

}  // namespace

void FlushDriveInfoCache() {
    if (gFlushDriveInfoSem > 0) return;
    LPITEMIDLIST drives = nullptr;
    OleCheck(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives));
    IShellFolder_NRC* folder = nullptr;
    const HRESULT bound = ShellGetFolderFromIdList(drives, folder);
    ShellMemFree(drives);
    OleCheck(bound);
    ULONG attributes = SFGAO_VALIDATE;
    folder->GetAttributesOf(0, nullptr, &attributes);
    folder->Release();
}

void LockFlushDriveInfoCache() { ++gFlushDriveInfoSem; }

void UnlockFlushDriveInfoCache() { --gFlushDriveInfoSem; }

TUiDeviceChangeHandler::TUiDeviceChangeHandler() {
    window_ = AllocateHWnd([this](TMessage& message) { WndProc(message); });
}

TUiDeviceChangeHandler::~TUiDeviceChangeHandler() {
    if (window_) DeallocateHWnd(window_);
}

void TUiDeviceChangeHandler::Add(const TUiDeviceChangeEvent& handler) {
    handlers_.push_back(handler);
}

void TUiDeviceChangeHandler::Remove(const TUiDeviceChangeEvent& handler) {
    for (size_t i = 0; i < handlers_.size(); ++i) {
        if (handlers_[i] == handler) {
            DeleteItem(static_cast<int>(i));
            return;
        }
    }
}

void TUiDeviceChangeHandler::DeleteItem(int index) {
    handlers_.erase(handlers_.begin() + index);
}

void TUiDeviceChangeHandler::BroadcastToList(TMessage& message) {
    if (!active_) return;
    const std::vector<TUiDeviceChangeEvent> handlers = handlers_;
    for (const TUiDeviceChangeEvent& handler : handlers) handler(this, message);
}

void TUiDeviceChangeHandler::WndProc(TMessage& message) {
    if (message.Msg == CM_UIDEVICECHANGE) {
        BroadcastToList(message);
        return;
    }
    if (message.Msg == WM_DEVICECHANGE)
        PostMessageA(window_, CM_UIDEVICECHANGE, message.WParam, message.LParam);
    message.Result = DefWindowProcA(window_, message.Msg, message.WParam, message.LParam);
}

TUiDeviceChangeHandler* UiDeviceChangeHandler() {
    THandlerHolder& holder = DeviceChangeHolder();
    if (!holder.handler) holder.handler = new TUiDeviceChangeHandler;
    return holder.handler;
}

bool IsNetworkDriveConnected(char driveLetter) {
    static const TNetworkLibrary network;
    if (!network.Available()) return true;
    const wchar_t name[3] = {static_cast<wchar_t>(static_cast<BYTE>(driveLetter)), L':', 0};
    BYTE* buffer = nullptr;
    if (network.NetUseGetInfo()(nullptr, name, 1, &buffer) != 0) return false;
    const bool connected = reinterpret_cast<const TUseInfo1*>(buffer)->Status == kUseConnected;
    network.NetApiBufferFree()(buffer);
    return connected;
}
