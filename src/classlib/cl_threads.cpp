#include "cl_threads.h"

#include <windows.h>
#include <process.h>

#include <deque>
#include <mutex>

#include "cl_sys.h"

unsigned long MainThreadID = GetCurrentThreadId();
TWakeMainThreadHook WakeMainThread;

namespace {

class EventHandle {
public:
    explicit EventHandle(bool manualReset)
        : handle_(CreateEventA(nullptr, manualReset, FALSE, nullptr)) {
        if (!handle_) RaiseLastOSError();
    }
    ~EventHandle() { CloseHandle(handle_); }
    EventHandle(const EventHandle&) = delete;
    EventHandle& operator=(const EventHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

struct SyncRequest {
    std::function<void()> method;
    EventHandle done{true};
    std::exception_ptr error;
};

struct SyncQueue {
    std::mutex lock;
    std::deque<std::shared_ptr<SyncRequest>> requests;
    EventHandle pending{true};
    bool enabled = true;
    std::function<void()> wake;
};

SyncQueue& Queue() {
    static SyncQueue queue;
    return queue;
}

bool OnMainThread() { return GetCurrentThreadId() == MainThreadID; }

std::shared_ptr<SyncRequest> NextRequest() {
    SyncQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    if (queue.requests.empty()) {
        ResetEvent(queue.pending.Get());
        return nullptr;
    }
    auto request = queue.requests.front();
    queue.requests.pop_front();
    return request;
}

TWaitResult ToWaitResult(DWORD result) {
    switch (result) {
    case WAIT_OBJECT_0: return wrSignaled;
    case WAIT_TIMEOUT: return wrTimeout;
    case WAIT_ABANDONED_0: return wrAbandoned;
    default: return wrError;
    }
}

DWORD Remaining(unsigned long timeoutMs, DWORD start) {
    if (timeoutMs == INFINITE) return INFINITE;
    const DWORD elapsed = GetTickCount() - start;
    return elapsed >= timeoutMs ? 0 : static_cast<DWORD>(timeoutMs - elapsed);
}

constexpr int kPriorities[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,
                               THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
                               THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                               THREAD_PRIORITY_TIME_CRITICAL};

}  // namespace

TWakeMainThreadHook& TWakeMainThreadHook::operator=(std::function<void()> hook) {
    SyncQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    queue.wake = std::move(hook);
    return *this;
}

bool CheckSynchronize() {
    if (!OnMainThread()) return false;
    bool ran = false;
    while (auto request = NextRequest()) {
        try {
            request->method();
        } catch (...) {
            request->error = std::current_exception();
        }
        ::SetEvent(request->done.Get());
        ran = true;
    }
    return ran;
}

void EnableSynchronize(bool enabled) {
    SyncQueue& queue = Queue();
    std::deque<std::shared_ptr<SyncRequest>> dropped;
    {
        std::lock_guard<std::mutex> guard(queue.lock);
        queue.enabled = enabled;
        if (!enabled) {
            dropped.swap(queue.requests);
            ::ResetEvent(queue.pending.Get());
        }
    }
    for (auto& request : dropped) ::SetEvent(request->done.Get());
}

TWaitResult WaitForHandle(void* handle, unsigned long timeoutMs) {
    if (!OnMainThread()) return ToWaitResult(WaitForSingleObject(handle, timeoutMs));
    const HANDLE handles[] = {handle, Queue().pending.Get()};
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD result =
            MsgWaitForMultipleObjects(2, handles, FALSE, Remaining(timeoutMs, start), QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0 + 1) {
            CheckSynchronize();
        } else if (result == WAIT_OBJECT_0 + 2) {
            MSG message;
            PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        } else {
            return ToWaitResult(result);
        }
    }
}

// ---- TThread ----

TThread::TThread(bool createSuspended) : suspended_(createSuspended) {
    handle_ = reinterpret_cast<void*>(
        _beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &threadID_));
    if (!handle_) throw EThread("Thread creation error: " + SysErrorMessage(GetLastError()));
    if (!createSuspended) ResumeThread(handle_);
}

TThread::~TThread() {
    Shutdown();
    if (handle_) CloseHandle(handle_);
}

void TThread::BeforeDestruction() { Shutdown(); }

void TThread::Shutdown() {
    if (finished_ || GetCurrentThreadId() == threadID_) return;
    freeOnTerminate_ = false;  // this caller frees the object now
    Terminate();
    while (suspended_) Resume();
    WaitFor();
}

unsigned __stdcall TThread::ThreadProc(void* self) {
    auto* thread = static_cast<TThread*>(self);
    try {
        if (!thread->Terminated()) thread->Execute();
    } catch (...) {
        thread->fatalException_ = std::current_exception();
    }
    try {
        thread->DoTerminate();
    } catch (...) {
        // OnTerminate's failure must not leave the thread.
    }
    const unsigned exitCode = static_cast<unsigned>(thread->returnValue_.load());
    const bool freeThread = thread->freeOnTerminate_.exchange(false);
    thread->finished_ = true;
    if (freeThread) thread->Free();
    return exitCode;
}

void TThread::DoTerminate() {
    if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Resume() {
    const DWORD previous = ResumeThread(handle_);
    if (previous == static_cast<DWORD>(-1)) RaiseLastOSError();
    if (previous <= 1) suspended_ = false;
}

void TThread::Suspend() {
    suspended_ = true;
    if (SuspendThread(handle_) == static_cast<DWORD>(-1)) RaiseLastOSError();
}

unsigned long TThread::WaitFor() {
    if (WaitForHandle(handle_, INFINITE) != wrSignaled) RaiseLastOSError();
    DWORD exitCode = 0;
    GetExitCodeThread(handle_, &exitCode);
    return exitCode;
}

TThreadPriority TThread::Priority() const {
    const int priority = GetThreadPriority(handle_);
    for (int i = tpIdle; i <= tpTimeCritical; ++i)
        if (kPriorities[i] == priority) return static_cast<TThreadPriority>(i);
    return tpNormal;
}

void TThread::SetPriority(TThreadPriority priority) {
    if (!SetThreadPriority(handle_, kPriorities[priority])) RaiseLastOSError();
}

void TThread::SynchronizeCall(const std::function<void()>& method) {
    if (OnMainThread()) {
        method();
        return;
    }
    auto request = std::make_shared<SyncRequest>();
    request->method = method;
    SyncQueue& queue = Queue();
    std::function<void()> wake;
    {
        std::lock_guard<std::mutex> guard(queue.lock);
        if (!queue.enabled) return;
        queue.requests.push_back(request);
        ::SetEvent(queue.pending.Get());
        wake = queue.wake;
    }
    if (wake) wake();
    WaitForSingleObject(request->done.Get(), INFINITE);
    if (request->error) std::rethrow_exception(request->error);
}

// ---- events and critical sections ----

THandleObject::~THandleObject() {
    if (handle_) CloseHandle(handle_);
}

TWaitResult THandleObject::WaitFor(unsigned long timeoutMs) {
    return WaitForHandle(handle_, timeoutMs);
}

TEvent::TEvent(_SECURITY_ATTRIBUTES* attributes, bool manualReset, bool initialState,
               const AnsiString& name) {
    handle_ = CreateEventA(attributes, manualReset, initialState,
                           name.IsEmpty() ? nullptr : name.c_str());
    if (!handle_) RaiseLastOSError();
}

void TEvent::SetEvent() { ::SetEvent(handle_); }

void TEvent::ResetEvent() { ::ResetEvent(handle_); }

struct TCriticalSection::Impl {
    CRITICAL_SECTION section;
};

TCriticalSection::TCriticalSection() : impl_(new Impl) {
    InitializeCriticalSection(&impl_->section);
}

TCriticalSection::~TCriticalSection() { DeleteCriticalSection(&impl_->section); }

void TCriticalSection::Acquire() { EnterCriticalSection(&impl_->section); }

void TCriticalSection::Release() { LeaveCriticalSection(&impl_->section); }

bool TCriticalSection::TryEnter() { return TryEnterCriticalSection(&impl_->section) != 0; }
