// Threads and their meeting points: TThread with Synchronize (calls run on the main thread),
// the queue the main thread services, events and critical sections.
#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <memory>

#include "cl_component.h"

struct _SECURITY_ATTRIBUTES;

// The thread that started the program; Synchronize runs its calls there.
extern unsigned long MainThreadID;

// Called (from any thread) whenever a Synchronize request is queued. The application sets it
// to post a message to its window so that every message loop, modal ones included, runs
// CheckSynchronize. Setting it is safe while threads synchronise.
class TWakeMainThreadHook {
public:
    TWakeMainThreadHook& operator=(std::function<void()> hook);
};
extern TWakeMainThreadHook WakeMainThread;

// Runs the queued Synchronize requests; main thread only (elsewhere it does nothing). Returns
// true when it ran at least one.
bool CheckSynchronize();
// Switched off when the application shuts down (before its window goes): queued and later
// Synchronize calls then run nothing and return at once, so that late threads can neither
// hang nor reach freed forms. On again with true.
void EnableSynchronize(bool enabled);

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };
constexpr unsigned long INFINITE_WAIT = 0xFFFFFFFFul;

// Waits for a handle. On the main thread the wait also runs queued Synchronize requests and
// sent (not posted) messages, so a worker inside Synchronize can never deadlock it.
TWaitResult WaitForHandle(void* handle, unsigned long timeoutMs);

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A worker thread running Execute(). Free it with Free(): that terminates the thread, resumes
// it if suspended and waits for its end before the derived parts are destroyed. An exception
// escaping Execute is kept in FatalException. OnTerminate runs on the main thread.
class TThread : public TObject {
    CL_CLASS(TThread, TObject)

    // With createSuspended false the thread starts at once, before any subclass is built. A
    // subclass with fields of its own passes true and calls Start() at the end of its
    // constructor.
    explicit TThread(bool createSuspended);

    void Resume();
    void Start() { Resume(); }
    // Wraps SuspendThread: a thread suspended while it holds a lock (heap, GDI) can
    // deadlock the process.
    void Suspend();
    bool Suspended() const { return suspended_; }
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    bool Finished() const { return finished_; }
    // Waits for the end of the thread and returns its exit code (ReturnValue).
    unsigned long WaitFor();

    bool FreeOnTerminate() const { return freeOnTerminate_; }
    void SetFreeOnTerminate(bool value) { freeOnTerminate_ = value; }
    TThreadPriority Priority() const;
    void SetPriority(TThreadPriority priority);
    void* Handle() const { return handle_; }
    unsigned long ThreadID() const { return threadID_; }
    int ReturnValue() const { return returnValue_; }
    std::exception_ptr FatalException() const { return fatalException_; }

    TNotifyEvent OnTerminate;

    // Runs `method` on the main thread and waits for it; at once when called there. An
    // exception it raises is rethrown here.
    void Synchronize(const std::function<void()>& method) { SynchronizeCall(method); }
    static void SynchronizeCall(const std::function<void()>& method);

    void BeforeDestruction() override;

protected:
    ~TThread() override;
    virtual void Execute() = 0;
    // Runs OnTerminate through Synchronize.
    virtual void DoTerminate();
    void SetReturnValue(int value) { returnValue_ = value; }

private:
    static unsigned __stdcall ThreadProc(void* self);
    void Shutdown();

    void* handle_ = nullptr;
    unsigned threadID_ = 0;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> suspended_{false};
    std::atomic<bool> freeOnTerminate_{false};
    std::atomic<int> returnValue_{0};
    std::exception_ptr fatalException_;
};

// A kernel object that can be waited for.
class THandleObject : public TObject {
    CL_CLASS(THandleObject, TObject)

    ~THandleObject() override;
    void* Handle() const { return handle_; }
    // Main-thread waits service Synchronize (see WaitForHandle).
    TWaitResult WaitFor(unsigned long timeoutMs);

protected:
    THandleObject() = default;
    void* handle_ = nullptr;
};

// A Win32 event, optionally named (shared with other processes by the name).
class TEvent : public THandleObject {
    CL_CLASS(TEvent, THandleObject)

    TEvent(_SECURITY_ATTRIBUTES* attributes, bool manualReset, bool initialState,
           const AnsiString& name);
    void SetEvent();
    void ResetEvent();
};

// An unnamed, manual-reset event, unsignalled at first.
class TSimpleEvent : public TEvent {
    CL_CLASS(TSimpleEvent, TEvent)

    TSimpleEvent() : TEvent(nullptr, true, false, AnsiString()) {}
};

class TCriticalSection : public TObject {
    CL_CLASS(TCriticalSection, TObject)

    TCriticalSection();
    ~TCriticalSection() override;
    void Acquire();
    void Release();
    bool TryEnter();
    void Enter() { Acquire(); }
    void Leave() { Release(); }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
