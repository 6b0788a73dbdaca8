#include "UiShellChangeThread.h"

#include <vector>

namespace {

constexpr DWORD kCommandTimeoutMs = 2000;
constexpr DWORD kStopTimeoutMs = 30000;

void CloseWatch(HANDLE& handle) {
    if (handle != INVALID_HANDLE_VALUE) FindCloseChangeNotification(handle);
    handle = INVALID_HANDLE_VALUE;
}

}  // namespace

TChangeHandlerThread::TChangeHandlerThread(HWND window, UINT message)
    : TThread(true), window_(window), message_(message) {
    for (HANDLE& slot : slots_) slot = INVALID_HANDLE_VALUE;
    SetFreeOnTerminate(false);
    Start();
}

TChangeHandlerThread::~TChangeHandlerThread() {
    for (HANDLE& slot : slots_) CloseWatch(slot);
    CloseWatch(pendingHandle_);
}

void TChangeHandlerThread::BeforeDestruction() {
    if (!Finished()) {
        command_ = cmdStop;
        commandEvent_.SetEvent();
        WaitForSingleObject(Handle(), kStopTimeoutMs);
    }
    TThread::BeforeDestruction();
}

bool TChangeHandlerThread::AddWatch(const AnsiString& directory, DWORD notifyFilter, int& slot,
                                    bool watchSubtree) {
    slot = -1;
    if (directory.IsEmpty()) return false;
    HANDLE handle = FindFirstChangeNotificationA(directory.c_str(), watchSubtree, notifyFilter);
    if (handle == INVALID_HANDLE_VALUE) return false;
    pendingHandle_ = handle;
    if (!RunCommand(cmdAdd, kCommandTimeoutMs)) return false;
    slot = resultSlot_;
    // A watch that found no free slot is not kept waiting: the next one would lose it.
    if (slot == -1) CloseWatch(pendingHandle_);
    return slot != -1;
}

void TChangeHandlerThread::RemoveAllWatches() { RunCommand(cmdRemoveAll, kCommandTimeoutMs); }

bool TChangeHandlerThread::RunCommand(TCommand command, DWORD timeoutMs) {
    command_ = command;
    doneEvent_.ResetEvent();
    commandEvent_.SetEvent();
    return WaitForSingleObject(doneEvent_.Handle(), timeoutMs) == WAIT_OBJECT_0;
}

void TChangeHandlerThread::Execute() {
    for (;;) {
        std::vector<HANDLE> handles{commandEvent_.Handle()};
        std::vector<int> slotAt{-1};
        for (int i = 0; i < kSlotCount; ++i) {
            if (slots_[i] == INVALID_HANDLE_VALUE) continue;
            handles.push_back(slots_[i]);
            slotAt.push_back(i);
        }
        const DWORD count = static_cast<DWORD>(handles.size());
        const DWORD result = WaitForMultipleObjects(count, handles.data(), FALSE, INFINITE);
        if (result == WAIT_OBJECT_0) {
            if (!DoCommand()) return;
        } else if (result > WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + count) {
            const int slot = slotAt[result - WAIT_OBJECT_0];
            if (window_) PostMessageA(window_, message_, static_cast<WPARAM>(slot), 0);
            if (!FindNextChangeNotification(slots_[slot])) FreeSlot(slot);
        } else if (result > WAIT_ABANDONED_0 && result < WAIT_ABANDONED_0 + count) {
            FreeSlot(slotAt[result - WAIT_ABANDONED_0]);
        }
    }
}

bool TChangeHandlerThread::DoCommand() {
    switch (command_) {
        case cmdAdd:
            resultSlot_ = -1;
            for (int i = 0; i < kSlotCount && resultSlot_ < 0; ++i) {
                if (slots_[i] != INVALID_HANDLE_VALUE) continue;
                slots_[i] = pendingHandle_;
                pendingHandle_ = INVALID_HANDLE_VALUE;
                resultSlot_ = i;
            }
            break;
        case cmdRemoveAll:
            for (int i = 0; i < kSlotCount; ++i) FreeSlot(i);
            break;
        case cmdStop: return false;
    }
    doneEvent_.SetEvent();
    return true;
}

void TChangeHandlerThread::FreeSlot(int slot) { CloseWatch(slots_[slot]); }
