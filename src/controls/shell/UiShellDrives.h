// Drive changes for the shell controls: flushing the shell's cached drive information, one
// hidden window that passes device arrivals and removals on to registered controls, and
// whether a mapped network drive is connected.
#pragma once

#include <vector>

#include "cl_component.h"
#include "cl_controls.h"

// Makes the shell refresh what it knows about the drives, unless a flush lock is held.
// Raises EOleSysError when the drives folder cannot be had.
void FlushDriveInfoCache();
// Locks nest; flushes asked for while one is held are skipped.
void LockFlushDriveInfoCache();
void UnlockFlushDriveInfoCache();
extern int gFlushDriveInfoSem;

// A registered handler: an object and the code that calls one of its methods; two are the
// same registration when both match.
struct TUiDeviceChangeEvent {
    void* Object = nullptr;
    void (*Code)(void* object, TObject* sender, TMessage& message) = nullptr;
    void operator()(TObject* sender, TMessage& message) const { Code(Object, sender, message); }
    friend bool operator==(const TUiDeviceChangeEvent& a, const TUiDeviceChangeEvent& b) {
        return a.Object == b.Object && a.Code == b.Code;
    }
};

template <class T, void (T::*Method)(TObject*, TMessage&)>
void CallDeviceChangeMethod(void* object, TObject* sender, TMessage& message) {
    (static_cast<T*>(object)->*Method)(sender, message);
}

// The registration of the object's method: DeviceChangeMethod<&TMyTree::DriveChanged>(this).
template <auto Method, class T> TUiDeviceChangeEvent DeviceChangeMethod(T* object) {
    return {object, &CallDeviceChangeMethod<T, Method>};
}

// The message a device broadcast is passed on with, after the broadcast has returned; the
// first parameter is the device event (DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE ...), the
// second no longer points at valid data.
constexpr UINT CM_UIDEVICECHANGE = WM_USER + 100;

class TUiDeviceChangeHandler : public TObject {
    CL_CLASS(TUiDeviceChangeHandler, TObject)

    TUiDeviceChangeHandler();
    ~TUiDeviceChangeHandler() override;

    // The same method may be registered more than once.
    void Add(const TUiDeviceChangeEvent& handler);
    // Drops the first matching registration; nothing when none matches.
    void Remove(const TUiDeviceChangeEvent& handler);
    void DeleteItem(int index);
    int Count() const { return static_cast<int>(handlers_.size()); }
    // Calls every registered handler, in registration order, while active.
    void BroadcastToList(TMessage& message);
    void WndProc(TMessage& message);
    HWND Handle() const { return window_; }
    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }

private:
    std::vector<TUiDeviceChangeEvent> handlers_;
    HWND window_ = nullptr;
    bool active_ = true;
};

// The process's handler, made at the first call and freed when the program ends.
TUiDeviceChangeHandler* UiDeviceChangeHandler();

// Whether the drive's network connection is up; true when the network library is missing.
bool IsNetworkDriveConnected(char driveLetter);
