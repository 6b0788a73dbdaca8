// Threads: start, terminate and wait; Synchronize serviced by main-thread waits; events and
// critical sections.
#include "cl_threads.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

// Runs a closure as its Execute.
class TClosureThread : public TThread {
public:
    TClosureThread(std::function<void(TClosureThread&)> body, bool createSuspended = true)
        : TThread(true), body_(std::move(body)) {
        if (!createSuspended) Start();
    }
    using TThread::SetReturnValue;
    std::atomic<bool>* destroyed = nullptr;

protected:
    ~TClosureThread() override {
        if (destroyed) *destroyed = true;
    }
    void Execute() override { body_(*this); }

private:
    std::function<void(TClosureThread&)> body_;
};

TEST(Thread, RunsUntilTerminatedAndFreeWaits) {
    std::atomic<int> loops{0};
    std::atomic<bool> finished{false};
    auto* thread = new TClosureThread(
        [&](TClosureThread& self) {
            while (!self.Terminated()) {
                ++loops;
                Sleep(1);
            }
            finished = true;
        },
        false);
    while (loops < 3) Sleep(1);
    EXPECT_FALSE(thread->Finished());
    thread->Free();
    EXPECT_TRUE(finished);
}

TEST(Thread, CreatedSuspendedRunsOnlyWhenStarted) {
    std::atomic<bool> ran{false};
    TOwnedPtr<TClosureThread> thread(new TClosureThread([&](TClosureThread& self) {
        ran = true;
        self.SetReturnValue(42);
    }));
    Sleep(20);
    EXPECT_FALSE(ran);
    EXPECT_TRUE(thread->Suspended());
    thread->SetPriority(tpHigher);
    EXPECT_EQ(thread->Priority(), tpHigher);
    thread->Start();
    EXPECT_FALSE(thread->Suspended());
    EXPECT_EQ(thread->WaitFor(), 42ul);
    EXPECT_TRUE(ran);
    EXPECT_EQ(thread->ReturnValue(), 42);
}

TEST(Thread, FreeingANeverStartedThreadEndsIt) {
    std::atomic<bool> ran{false};
    auto* thread = new TClosureThread([&](TClosureThread&) { ran = true; });
    thread->Free();
    EXPECT_FALSE(ran);  // terminated before it could execute
}

TEST(Thread, EscapingExceptionIsKeptAsFatalException) {
    TOwnedPtr<TClosureThread> thread(
        new TClosureThread([](TClosureThread&) { throw Exception("reader failed"); }, false));
    thread->WaitFor();
    ASSERT_TRUE(thread->FatalException());
    try {
        std::rethrow_exception(thread->FatalException());
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "reader failed");
    }
}

TEST(Thread, SynchronizeRunsOnTheMainThreadDuringWaitFor) {
    std::atomic<unsigned long> ranOn{0};
    int onTerminateCalls = 0;
    unsigned long onTerminateThread = 0;
    TOwnedPtr<TClosureThread> thread(new TClosureThread([&](TClosureThread& self) {
        self.Synchronize([&] { ranOn = GetCurrentThreadId(); });
    }));
    thread->OnTerminate = [&](TObject*) {
        ++onTerminateCalls;
        onTerminateThread = GetCurrentThreadId();
    };
    thread->Start();
    thread->WaitFor();
    EXPECT_EQ(ranOn, MainThreadID);
    EXPECT_EQ(onTerminateCalls, 1);
    EXPECT_EQ(onTerminateThread, MainThreadID);
}

TEST(Thread, MainThreadWaitForDoesNotDeadlockWithAThreadInsideSynchronize) {
    std::atomic<int> calls{0};
    std::atomic<bool> inside{false};
    auto* thread = new TClosureThread(
        [&](TClosureThread& self) {
            while (!self.Terminated()) {
                inside = true;
                self.Synchronize([&] { ++calls; });
            }
        },
        false);
    while (!inside) Sleep(1);
    Sleep(10);  // the worker is now blocked in Synchronize: nobody services the queue
    thread->Terminate();
    thread->Free();  // waits on the main thread; must run the pending call
    EXPECT_GE(calls, 1);
}

TEST(Thread, SynchronizeRethrowsTheCallsExceptionInTheWorker) {
    std::string caught;
    TOwnedPtr<TClosureThread> thread(new TClosureThread(
        [&](TClosureThread& self) {
            try {
                self.Synchronize([] { throw EConvertError("'x' is not a valid integer value"); });
            } catch (const EConvertError& e) {
                caught = e.Message().str();
            }
        },
        false));
    thread->WaitFor();
    EXPECT_EQ(caught, "'x' is not a valid integer value");
    EXPECT_FALSE(thread->FatalException());
}

TEST(Thread, SynchronizeWakesTheMainThreadAndCheckSynchronizeRunsTheQueue) {
    std::atomic<int> wakes{0};
    WakeMainThread = [&] { ++wakes; };
    int ran = 0;
    TOwnedPtr<TClosureThread> thread(
        new TClosureThread([&](TClosureThread& self) { self.Synchronize([&] { ++ran; }); }, false));
    while (wakes == 0) Sleep(1);
    EXPECT_EQ(ran, 0);
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(CheckSynchronize());
    thread->WaitFor();
    WakeMainThread = nullptr;
}

TEST(Thread, SynchronizeOnTheMainThreadRunsAtOnce) {
    int ran = 0;
    TThread::SynchronizeCall([&] { ++ran; });
    EXPECT_EQ(ran, 1);
}

TEST(Thread, AfterShutdownSynchronizeRunsNothing) {
    std::atomic<bool> queued{false};
    std::atomic<int> ran{0};
    WakeMainThread = [&] { queued = true; };
    TOwnedPtr<TClosureThread> thread(new TClosureThread(
        [&](TClosureThread& self) {
            self.Synchronize([&] { ++ran; });  // queued, then dropped by the shutdown
            self.Synchronize([&] { ++ran; });  // refused at once
        },
        false));
    while (!queued) Sleep(1);
    EnableSynchronize(false);
    thread->WaitFor();
    EnableSynchronize(true);
    WakeMainThread = nullptr;
    EXPECT_EQ(ran, 0);
}

TEST(Thread, FreeOnTerminateFreesTheThreadItself) {
    std::atomic<bool> destroyed{false};
    auto* thread = new TClosureThread([](TClosureThread&) {});
    thread->destroyed = &destroyed;
    thread->SetFreeOnTerminate(true);
    thread->Start();
    for (int i = 0; i < 5000 && !destroyed; ++i) Sleep(1);
    EXPECT_TRUE(destroyed);
}

TEST(Event, NamedEventsAreSharedAndWaitsTimeOut) {
    TOwnedPtr<TEvent> a(new TEvent(nullptr, true, false, "WAIT_FOR_RECIEVE_DATA_TEST"));
    TOwnedPtr<TEvent> b(new TEvent(nullptr, true, false, "WAIT_FOR_RECIEVE_DATA_TEST"));
    EXPECT_EQ(b->WaitFor(10), wrTimeout);
    a->SetEvent();
    EXPECT_EQ(b->WaitFor(0), wrSignaled);
    EXPECT_EQ(b->WaitFor(0), wrSignaled);  // manual reset stays set
    b->ResetEvent();
    EXPECT_EQ(a->WaitFor(0), wrTimeout);

    TOwnedPtr<TEvent> automatic(new TEvent(nullptr, false, true, ""));
    EXPECT_EQ(automatic->WaitFor(0), wrSignaled);
    EXPECT_EQ(automatic->WaitFor(0), wrTimeout);
}

TEST(Event, MainThreadWaitServicesSynchronize) {
    TOwnedPtr<TSimpleEvent> reply(new TSimpleEvent);
    std::atomic<bool> statusShown{false};
    TOwnedPtr<TClosureThread> thread(new TClosureThread(
        [&](TClosureThread& self) {
            self.Synchronize([&] { statusShown = true; });
            reply->SetEvent();
        },
        false));
    EXPECT_EQ(reply->WaitFor(5000), wrSignaled);
    EXPECT_TRUE(statusShown);
}

TEST(CriticalSection, SerialisesUpdates) {
    TOwnedPtr<TCriticalSection> lock(new TCriticalSection);
    long counter = 0;
    auto body = [&](TClosureThread&) {
        for (int i = 0; i < 20000; ++i) {
            lock->Enter();
            counter = counter + 1;
            lock->Leave();
        }
    };
    TOwnedPtr<TClosureThread> t1(new TClosureThread(body, false));
    TOwnedPtr<TClosureThread> t2(new TClosureThread(body, false));
    t1->WaitFor();
    t2->WaitFor();
    EXPECT_EQ(counter, 40000);
    EXPECT_TRUE(lock->TryEnter());
    lock->Release();
}

}  // namespace
