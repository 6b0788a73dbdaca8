// The worker thread that watches directories for changes and posts a message to a control's
// window for each change, so that the control refreshes on its own thread.
#pragma once

#include <windows.h>

#include "cl_threads.h"

// Watches up to 63 directories (with its command event, the 64 handles one wait takes). The
// owner adds and removes watches through commands that the worker runs; the worker only posts
// the message (the watch's slot number as first parameter) to the window.
class TChangeHandlerThread : public TThread {
    CL_CLASS(TChangeHandlerThread, TThread)

    static constexpr int kSlotCount = MAXIMUM_WAIT_OBJECTS - 1;

    // A null window watches without telling anyone.
    TChangeHandlerThread(HWND window, UINT message);

    // Starts watching the directory; false when it cannot (no such directory, all slots
    // taken, or no answer from the worker within two seconds).
    bool AddWatch(const AnsiString& directory, DWORD notifyFilter, int& slot, bool watchSubtree);
    void RemoveAllWatches();

    void BeforeDestruction() override;

protected:
    ~TChangeHandlerThread() override;
    void Execute() override;

private:
    enum TCommand { cmdAdd = 0, cmdRemoveAll = 2, cmdStop = 3 };

    // Hands the worker the command and waits up to the time for it to be done.
    bool RunCommand(TCommand command, DWORD timeoutMs);
    // Runs the command on the worker; false for the stop command.
    bool DoCommand();
    void FreeSlot(int slot);

    TEvent commandEvent_{nullptr, false, false, AnsiString()};
    TEvent doneEvent_{nullptr, false, false, AnsiString()};
    TCommand command_ = cmdAdd;
    HANDLE pendingHandle_ = INVALID_HANDLE_VALUE;
    int resultSlot_ = -1;
    HWND window_;
    UINT message_;
    HANDLE slots_[kSlotCount];
};
