// Adapter plug and unplug: the device-change broadcast (narrow or wide port names, one or two
// digits) turns into a posted arrival or removal; the arrival offers the new port after the
// adapter settles, the removal of the port in use closes it.
#include <windows.h>
#include <dbt.h>

#include <cstddef>
#include <string>
#include <vector>

#include "ports_fixture.h"

namespace {

constexpr UINT WM_PORT_ARRIVED = 0x9F40;
constexpr UINT WM_PORT_REMOVED = 0x9F41;

// A broadcast record of `deviceType` followed by `name`, in 8- or 16-bit characters.
std::vector<char> Broadcast(const std::string& name, bool wide,
                            DWORD deviceType = DBT_DEVTYP_PORT) {
    const size_t offset = offsetof(DEV_BROADCAST_PORT_A, dbcp_name);
    const size_t unit = wide ? 2 : 1;
    std::vector<char> record(offset + (name.size() + 1) * unit, 0);
    for (size_t i = 0; i < name.size(); ++i) record[offset + i * unit] = name[i];
    auto* header = reinterpret_cast<DEV_BROADCAST_HDR*>(record.data());
    header->dbch_size = static_cast<DWORD>(record.size());
    header->dbch_devicetype = deviceType;
    return record;
}

LRESULT SendDeviceChange(WPARAM event, const void* record) {
    return SendMessageA(RadonMainForm->WindowHandle(), WM_DEVICECHANGE, event,
                        reinterpret_cast<LPARAM>(record));
}

// The port number of a posted message `id` taken off the queue; -1 when none was posted.
int TakePosted(UINT id) {
    MSG msg;
    if (!PeekMessageA(&msg, RadonMainForm->WindowHandle(), id, id, PM_REMOVE)) return -1;
    return static_cast<int>(msg.wParam);
}

// Processor time of this thread in milliseconds.
ULONGLONG ThreadCpuMs() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return ((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000;
    };
    return ms(kernel) + ms(user);
}

struct NameCase {
    const char* name;
    bool wide;
    int port;
};

TEST_F(PortsTest, ArrivalAndRemovalBroadcastsPostThePortNumber) {
    const NameCase cases[] = {
        {"COM5", false, 5},  {"COM5", true, 5},    {"COM12", false, 12},
        {"COM12", true, 12}, {"COM123", true, 123}, {"\\\\.\\Com7", false, 7},
        {"Modem Com3", true, 3},
    };
    for (const NameCase& c : cases) {
        const auto record = Broadcast(c.name, c.wide);
        EXPECT_EQ(SendDeviceChange(DBT_DEVICEARRIVAL, record.data()), TRUE);
        EXPECT_EQ(TakePosted(WM_PORT_ARRIVED), c.port) << c.name << (c.wide ? " wide" : "");
        EXPECT_EQ(SendDeviceChange(DBT_DEVICEREMOVECOMPLETE, record.data()), TRUE);
        EXPECT_EQ(TakePosted(WM_PORT_REMOVED), c.port) << c.name << (c.wide ? " wide" : "");
    }
}

TEST_F(PortsTest, OtherBroadcastsPostNothing) {
    const auto port = Broadcast("COM5", false);
    const auto volume = Broadcast("COM5", false, DBT_DEVTYP_VOLUME);
    const std::vector<std::pair<WPARAM, const void*>> broadcasts = {
        {DBT_DEVICEQUERYREMOVE, port.data()},     // same family, another event
        {DBT_DEVNODES_CHANGED, port.data()},      // outside the arrival family
        {DBT_DEVICEARRIVAL, volume.data()},       // not a port
        {DBT_DEVICEARRIVAL, nullptr},             // no record
    };
    for (const auto& [event, record] : broadcasts) {
        EXPECT_EQ(SendDeviceChange(event, record), TRUE) << event;
        EXPECT_EQ(TakePosted(WM_PORT_ARRIVED), -1) << event;
        EXPECT_EQ(TakePosted(WM_PORT_REMOVED), -1) << event;
    }
    EXPECT_EQ(Monitor->HandleDeviceInterfaceChange(
                  nullptr, DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME,
                  reinterpret_cast<const DEV_BROADCAST_HDR*>(volume.data())),
              -1);
}

TEST_F(PortsTest, APortNameWithoutNumberRaisesTheConversionErrorAndPostsNothing) {
    for (bool wide : {false, true}) {
        const auto record = Broadcast("COMX", wide);
        EXPECT_THROW(Monitor->HandleDeviceInterfaceChange(
                         nullptr, DBT_DEVICEARRIVAL, DBT_DEVTYP_PORT,
                         reinterpret_cast<const DEV_BROADCAST_HDR*>(record.data())),
                     EConvertError);
    }
    // Through the window the error is shown like any other, and nothing is posted.
    const auto record = Broadcast("COMX", false);
    SendDeviceChange(DBT_DEVICEARRIVAL, record.data());
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(TakePosted(WM_PORT_ARRIVED), -1);
}

TEST_F(PortsTest, RemovalOfThePortInUseClosesItAndTellsTheUser) {
    PostMessageA(RadonMainForm->WindowHandle(), WM_PORT_REMOVED, 7, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(Monitor->Open());
    EXPECT_EQ(Monitor->Port(), 5u);
    EXPECT_TRUE(Boxes().empty());

    PostMessageA(RadonMainForm->WindowHandle(), WM_PORT_REMOVED, 5, 0);
    ASSERT_TRUE(PumpUntil([] { return !Boxes().empty(); }));
    EXPECT_FALSE(Monitor->Open());
    EXPECT_EQ(Monitor->Port(), 0u);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Com5 is disconnected. Port is no longer available.");
    EXPECT_EQ(Boxes()[0].caption, "Information");
    EXPECT_EQ(Boxes()[0].flags & MB_TYPEMASK, static_cast<unsigned>(MB_OK));
    EXPECT_EQ(StoredPort(), 3);
}

TEST_F(PortsTest, ArrivalDeclinedAfterTheAdapterSettledKeepsThePortAndStoresNothing) {
    Answer() = IDNO;
    PostMessageA(RadonMainForm->WindowHandle(), WM_PORT_ARRIVED, 7, 0);
    const DWORD start = GetTickCount();
    const ULONGLONG cpuStart = ThreadCpuMs();
    Application->ProcessMessages();
    // The settle wait sleeps: four seconds pass without spending them on the processor.
    EXPECT_GE(GetTickCount() - start, 4000u);
    EXPECT_LT(ThreadCpuMs() - cpuStart, 1000u);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Com7 is connected would you like to connect to this port?");
    EXPECT_EQ(Boxes()[0].caption, "Confirmation");
    EXPECT_EQ(Boxes()[0].flags & MB_TYPEMASK, static_cast<unsigned>(MB_YESNO));
    EXPECT_EQ(Monitor->Port(), 5u);
    EXPECT_TRUE(Monitor->Open());
    EXPECT_EQ(StoredPort(), 3);
    EXPECT_TRUE(ReachesPeer(6));
}

TEST_F(PortsTest, ArrivalAcceptedSwitchesToTheNewPortAndStoresIt) {
    Answer() = IDYES;
    PostMessageA(RadonMainForm->WindowHandle(), WM_PORT_ARRIVED, 7, 0);
    Application->ProcessMessages();
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Monitor->Port(), 7u);
    EXPECT_TRUE(Monitor->Open());
    EXPECT_EQ(StoredPort(), 7);
    EXPECT_TRUE(ReachesPeer(8));
}

TEST_F(PortsTest, ArrivalOfAPortThatDoesNotOpenAsksNothing) {
    PostMessageA(RadonMainForm->WindowHandle(), WM_PORT_ARRIVED, 9, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Monitor->Port(), 5u);
    EXPECT_TRUE(Monitor->Open());
    EXPECT_EQ(StoredPort(), 3);
}

}  // namespace
