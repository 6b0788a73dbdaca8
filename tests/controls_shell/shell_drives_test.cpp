#include "UiShellDrives.h"
#include "shown_form.h"

#include <dbt.h>

namespace {

// Records the device events its two methods receive.
class TDriveWatcher {
public:
    void First(TObject* sender, TMessage& message) { Record("first", sender, message); }
    void Second(TObject* sender, TMessage& message) { Record("second", sender, message); }
    std::vector<std::string> calls;
    TObject* lastSender = nullptr;
    UINT lastMessage = 0;
    WPARAM lastEvent = 0;

private:
    void Record(const char* name, TObject* sender, TMessage& message) {
        calls.push_back(name);
        lastSender = sender;
        lastMessage = message.Msg;
        lastEvent = message.WParam;
    }
};

void Broadcast(TUiDeviceChangeHandler* handler, WPARAM event) {
    SendMessageA(handler->Handle(), WM_DEVICECHANGE, event, 0);
}

TEST(DeviceChangeHandler, PassesDeviceEventsOnAfterTheBroadcast) {
    TUiDeviceChangeHandler* handler = UiDeviceChangeHandler();
    EXPECT_EQ(handler, UiDeviceChangeHandler());
    TDriveWatcher watcher;
    const auto first = DeviceChangeMethod<&TDriveWatcher::First>(&watcher);
    const auto second = DeviceChangeMethod<&TDriveWatcher::Second>(&watcher);
    handler->Add(first);
    handler->Add(second);
    handler->Add(first);

    Broadcast(handler, DBT_DEVICEARRIVAL);
    EXPECT_TRUE(watcher.calls.empty());
    Application->ProcessMessages();
    EXPECT_EQ((std::vector<std::string>{"first", "second", "first"}), watcher.calls);
    EXPECT_EQ(handler, watcher.lastSender);
    EXPECT_EQ(CM_UIDEVICECHANGE, watcher.lastMessage);
    EXPECT_EQ(static_cast<WPARAM>(DBT_DEVICEARRIVAL), watcher.lastEvent);

    watcher.calls.clear();
    handler->Remove(first);
    TDriveWatcher other;
    handler->Remove(DeviceChangeMethod<&TDriveWatcher::Second>(&other));
    Broadcast(handler, DBT_DEVICEREMOVECOMPLETE);
    Application->ProcessMessages();
    EXPECT_EQ((std::vector<std::string>{"second", "first"}), watcher.calls);
    EXPECT_EQ(static_cast<WPARAM>(DBT_DEVICEREMOVECOMPLETE), watcher.lastEvent);

    watcher.calls.clear();
    handler->SetActive(false);
    Broadcast(handler, DBT_DEVICEARRIVAL);
    Application->ProcessMessages();
    EXPECT_TRUE(watcher.calls.empty());
    handler->SetActive(true);
    handler->Remove(second);
    handler->Remove(first);
    EXPECT_EQ(0, handler->Count());
}

TEST(FlushDriveInfoCache, FlushesUnlessLockedAndLocksNest) {
    EXPECT_NO_THROW(FlushDriveInfoCache());
    LockFlushDriveInfoCache();
    LockFlushDriveInfoCache();
    UnlockFlushDriveInfoCache();
    EXPECT_EQ(1, gFlushDriveInfoSem);
    EXPECT_NO_THROW(FlushDriveInfoCache());
    UnlockFlushDriveInfoCache();
    EXPECT_EQ(0, gFlushDriveInfoSem);
}

TEST(IsNetworkDriveConnected, LocalDrivesAreNoNetworkConnections) {
    EXPECT_FALSE(IsNetworkDriveConnected('C'));
}

}  // namespace
