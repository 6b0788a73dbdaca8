// Polling panes: the one shared timer and its list (also when a pane goes away inside its own
// refresh), the clock's text over time, key panes following the keyboard's toggle state, and
// the resource pane's reading, hint and display.
#include "UiPollingStatus.h"
#include "cl_extctrls.h"
#include "cl_filer.h"
#include "cl_number.h"
#include "cl_streams.h"
#include "pane_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

// Sets the toggle bit of `key` in this thread's keyboard state.
void SetToggle(BYTE key, bool on) {
    BYTE state[256];
    GetKeyboardState(state);
    state[key] = on ? (state[key] | 1) : (state[key] & ~1);
    SetKeyboardState(state);
}

class PollingTest : public PaneTest {
protected:
    void TearDown() override {
        TUiResourceStatus::ReadMemory = nullptr;
        for (BYTE key : {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL, VK_INSERT}) SetToggle(key, false);
        PaneTest::TearDown();
        ASSERT_EQ(PollingList(), nullptr) << "the last polling pane frees the list";
    }
};

TEST_F(PollingTest, AllPollingPanesShareOneTimer) {
    auto* clock1 = AddPane<TUiClockStatus>();
    auto* clock2 = AddPane<TUiClockStatus>();
    auto* key = AddPane<TUiKeyStatus>();
    ASSERT_NE(PollingList(), nullptr);
    EXPECT_EQ(PollingList()->GetCount(), 3);
    EXPECT_EQ(clock1->Interval(), 500);
    EXPECT_TRUE(clock2->Active());
    key->SetInterval(1000);
    EXPECT_EQ(clock1->Interval(), 1000);
    EXPECT_EQ(clock2->Interval(), 1000);
    key->SetInterval(50);
    int first = 0, second = 0, keys = 0;
    clock1->OnTimerExpired = [&](TObject*) { ++first; };
    clock2->OnTimerExpired = [&](TObject*) { ++second; };
    key->OnTimerExpired = [&](TObject*) { ++keys; };
    ASSERT_TRUE(PumpUntil([&] { return first >= 2 && second >= 2 && keys >= 2; }, 3000));
    clock2->SetVisible(false);
    const int hidden = second;
    const int target = first + 3;
    ASSERT_TRUE(PumpUntil([&] { return first >= target; }, 3000));
    EXPECT_EQ(second, hidden) << "hidden panes are skipped";
    key->SetActive(false);
    EXPECT_FALSE(clock1->Active());
    const int stopped = first;
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(first, stopped);
    for (auto* pane : std::initializer_list<TUiPollingStatus*>{clock1, clock2, key}) pane->Free();
    EXPECT_EQ(PollingList(), nullptr);
    auto* fresh = AddPane<TUiKeyStatus>();
    EXPECT_EQ(fresh->Interval(), 500);
    EXPECT_TRUE(fresh->Active());
}

TEST_F(PollingTest, PanesFreedInsideARefreshLeaveTheListWhole) {
    std::vector<TUiClockStatus*> panes;
    for (int i = 0; i < 4; ++i) panes.push_back(AddPane<TUiClockStatus>());
    panes[0]->SetInterval(30);
    int laterTicks = 0;
    // The first pane frees itself and the third one during the same round.
    panes[0]->OnTimerExpired = [&](TObject* sender) {
        panes[2]->Free();
        static_cast<TUiClockStatus*>(sender)->Free();
    };
    panes[2]->OnTimerExpired = [&](TObject*) { ADD_FAILURE() << "freed pane refreshed"; };
    panes[3]->OnTimerExpired = [&](TObject*) { ++laterTicks; };
    ASSERT_TRUE(PumpUntil([&] { return laterTicks >= 2; }, 3000));
    EXPECT_EQ(PollingList()->GetCount(), 2);
    // The last panes free themselves inside one tick: the list goes with them.
    panes[1]->OnTimerExpired = [&](TObject* sender) { static_cast<TUiClockStatus*>(sender)->Free(); };
    bool gone = false;
    panes[3]->OnTimerExpired = [&](TObject* sender) {
        static_cast<TUiClockStatus*>(sender)->Free();
        gone = true;
    };
    ASSERT_TRUE(PumpUntil([&] { return gone; }, 3000));
    EXPECT_EQ(PollingList(), nullptr);
    PumpUntil([] { return false; }, 100);
    auto* fresh = AddPane<TUiClockStatus>();
    EXPECT_EQ(PollingList()->GetCount(), 1);
    EXPECT_EQ(fresh->Interval(), 500);
}

TEST_F(PollingTest, ClockShowsItsFormatAndChangesOnlyWithTheText) {
    auto* clock = AddPane<TUiClockStatus>();
    TDateTime shown = EncodeDate(2026, 3, 7) + EncodeTime(14, 5, 0, 0);
    clock->OnGetDateTime = [&](TObject* sender, TDateTime& value) {
        EXPECT_EQ(sender, clock);
        value = shown;
    };
    clock->SetAutoSize(true);
    clock->SetFormat("yyyy-mm-dd hh:nn");
    EXPECT_EQ(clock->Caption(), "2026-03-07 14:05");
    EXPECT_EQ(clock->Width(), TextWidth(clock->Font(), "2026-03-07 14:05") + 10);
    int resized = 0;
    clock->OnResize = [&](TObject*) { ++resized; };
    clock->TimerExpired();
    EXPECT_EQ(resized, 0) << "same text";
    shown = EncodeDate(2026, 12, 17) + EncodeTime(9, 0, 0, 0);
    clock->TimerExpired();
    EXPECT_EQ(clock->Caption(), "2026-12-17 09:00");
    clock->SetVisible(false);
    clock->SetInterval(20);
    shown = EncodeDate(2027, 1, 1);
    PumpUntil([] { return false; }, 150);
    EXPECT_EQ(clock->Caption(), "2026-12-17 09:00") << "hidden keeps its text";
    clock->SetVisible(true);
    ASSERT_TRUE(PumpUntil([&] { return clock->Caption() == "2027-01-01 00:00"; }, 2000));
    clock->SetFormat("");
    EXPECT_EQ(clock->Caption(), DateTimeToStr(shown));
}

TEST_F(PollingTest, ClockMakesRoomForTheSizeGrip) {
    bar->SetShowSizeGrip(true);
    auto* left = AddPane<TUiClockStatus>();
    auto* right = AddPane<TUiClockStatus>(100, alClient);
    EXPECT_EQ(left->GetCaptionRect().Right, left->Width() - 2);
    EXPECT_EQ(right->GetCaptionRect().Right, right->Width() - 2 - 12);
}

TEST_F(PollingTest, KeyPanesFollowTheToggleState) {
    auto* caps = AddPane<TUiKeyStatus>(60);
    auto* num = AddPane<TUiKeyStatus>(60);
    num->SetKey(tkNumLock);
    num->SetKeyOffAppearance(koaDimmed);
    auto* scroll = AddPane<TUiKeyStatus>(60);
    scroll->SetKey(tkScrollLock);
    for (auto* pane : {caps, num, scroll}) pane->Font()->SetColor(clBlue);
    const struct {
        bool caps, num, scroll;
    } steps[] = {{true, false, false}, {false, true, true}, {true, true, false}, {false, false, false}};
    for (const auto& s : steps) {
        SetToggle(VK_CAPITAL, s.caps);
        SetToggle(VK_NUMLOCK, s.num);
        SetToggle(VK_SCROLL, s.scroll);
        for (auto* pane : {caps, num, scroll}) pane->TimerExpired();
        EXPECT_EQ(caps->State(), s.caps ? tsOn : tsOff);
        EXPECT_EQ(num->State(), s.num ? tsOn : tsOff);
        Application->ProcessMessages();
        Snapshot shot(form);
        EXPECT_EQ(caps->Caption(), s.caps ? "CAPS" : "");
        EXPECT_EQ(shot.Count(Area(caps), clBlue) > 0, s.caps);
        EXPECT_EQ(num->Caption(), "NUM") << "dimmed keeps its text";
        EXPECT_EQ(shot.Count(Area(num), clBlue) > 0, s.num);
        EXPECT_EQ(shot.Count(Area(num), clGrayText) > 0, !s.num);
        EXPECT_EQ(scroll->Caption(), s.scroll ? "SCR" : "");
    }
    caps->KeyStrings()->Set(tkCapsLock, "Caps");
    EXPECT_TRUE(caps->KeyStringsChanged());
    SetToggle(VK_CAPITAL, true);
    caps->TimerExpired();
    Application->ProcessMessages();
    EXPECT_EQ(caps->Caption(), "Caps");
}

TEST_F(PollingTest, InsertPaneSwitchesModeWithEachPress) {
    SetToggle(VK_INSERT, false);
    auto* insert = AddPane<TUiKeyStatus>(80);
    insert->SetKey(tkInsert);
    const char* const expected[] = {"Insert", "Overwrite", "Insert"};
    for (int press = 0; press < 3; ++press) {
        SetToggle(VK_INSERT, press % 2 == 1);
        insert->TimerExpired();
        Application->ProcessMessages();
        EXPECT_EQ(insert->Caption(), expected[press]) << press;
    }
    SetToggle(VK_INSERT, true);
    insert->SetInitInsertState(isOverwrite);
    insert->TimerExpired();
    Application->ProcessMessages();
    EXPECT_EQ(insert->Caption(), "Overwrite") << "the starting position is the given mode";
    SetToggle(VK_INSERT, false);
    insert->TimerExpired();
    Application->ProcessMessages();
    EXPECT_EQ(insert->Caption(), "Insert");
}

TEST_F(PollingTest, ResourcePaneReadsMemoryAndGuardsAnEmptyPageFile) {
    auto* pane = AddPane<TUiResourceStatus>(120);
    ASSERT_EQ(pane->ResourceType(), rtMemory) << "NT family";
    const struct {
        uint64_t available, total;
        int percent;
        const char* hint;
    } cases[] = {{1, 8, 12, "Memory: 12%"},
                 {3, 8, 38, "Memory: 38%"},
                 {2048, 2048, 100, "Memory: 100%"},
                 {500, 0, 0, "Memory: 0%"},
                 {0, 0, 0, "Memory: 0%"}};
    for (const auto& c : cases) {
        TUiResourceStatus::ReadMemory = [&] { return TUiMemoryReading{c.available, c.total}; };
        pane->TimerExpired();
        EXPECT_EQ(pane->FreePercent(), c.percent) << c.available << "/" << c.total;
        EXPECT_EQ(pane->FreeKB(), c.available);
        if (c.percent != 0) {
            EXPECT_EQ(pane->Hint(), c.hint);
        }
    }
    pane->ResourceStrings()->Set(1, "Page file");
    EXPECT_EQ(pane->Hint(), "Page file: 0%");
    TUiResourceStatus::ReadMemory = [] { return TUiMemoryReading{1234567, 2469134}; };
    pane->TimerExpired();
    EXPECT_EQ(pane->Hint(), "Page file: 50%");
    pane->SetDisplayStyle(dsText);
    Application->ProcessMessages();
    EXPECT_EQ(pane->Caption(), FloatToStrF(1234567, ffNumber, 10, 0) + " KB");
    TUiResourceStatus::ReadMemory = nullptr;
    pane->TimerExpired();
    EXPECT_GT(pane->FreePercent(), 0) << "the system's page file";
}

TEST_F(PollingTest, ResourceBarShowsTheFreeShare) {
    auto* pane = AddPane<TUiResourceStatus>(104);
    pane->SetBorderWidth(0);
    pane->SetFrameStyle(fsNone);
    pane->SetBarColor(clRed);
    TUiResourceStatus::ReadMemory = [] { return TUiMemoryReading{1, 4}; };
    pane->TimerExpired();
    Application->ProcessMessages();
    Snapshot shot(form);
    EXPECT_EQ(shot.Count(Area(pane), clRed), 26 * (pane->Height() - 2));
    pane->SetBarStyle(bsLED);
    EXPECT_FALSE(pane->ShowPercent());
}

}  // namespace

namespace {

// The pane written to a form stream and read back into a fresh one of its class.
template <class T> T* RoundTrip(T* pane, TComponent* owner, std::string* bytes = nullptr) {
    TMemoryStream stream;
    WriteComponentToStream(&stream, pane);
    if (bytes) bytes->assign(static_cast<const char*>(stream.Memory()), stream.Size());
    stream.SetPosition(0);
    auto* copy = new T(owner);
    ReadComponentFromStream(&stream, copy);
    return copy;
}

TEST_F(PollingTest, PaneSettingsSurviveAFormStream) {
    auto* clock = AddPane<TUiClockStatus>();
    clock->SetFormat("hh:nn");
    clock->SetFrameStyle(fsLowered);
    clock->SetFillColor(clAqua);
    EXPECT_EQ(RoundTrip(clock, form)->Format(), "hh:nn");
    auto* key = AddPane<TUiKeyStatus>();
    std::string bytes;
    RoundTrip(key, form, &bytes);
    EXPECT_EQ(bytes.find("KeyStrings"), std::string::npos) << "unchanged texts are not stored";
    key->SetKey(tkInsert);
    key->SetKeyOffAppearance(koaDimmed);
    key->KeyStrings()->Set(4, "OVR");
    auto* keyCopy = RoundTrip(key, form);
    EXPECT_EQ(keyCopy->Key(), tkInsert);
    EXPECT_EQ(keyCopy->KeyOffAppearance(), koaDimmed);
    EXPECT_EQ(keyCopy->KeyStrings()->Overwrite(), "OVR");
    EXPECT_EQ(keyCopy->KeyStrings()->CapsLock(), "CAPS");
    auto* progress = AddPane<TUiProgressStatus>();
    progress->SetTotalParts(8);
    progress->SetPartsComplete(3);
    progress->SetBarStyle(bsGradient);
    progress->SetGradientDirection(gdVerticalEnd);
    auto* progressCopy = RoundTrip(progress, form);
    EXPECT_EQ(progressCopy->TotalParts(), 8u);
    EXPECT_EQ(progressCopy->PartsComplete(), 3u);
    EXPECT_EQ(progressCopy->Percent(), 38);
    EXPECT_EQ(progressCopy->BarStyle(), bsGradient);
    EXPECT_EQ(progressCopy->GradientDirection(), gdVerticalEnd);
    auto* clockCopy = RoundTrip(clock, form);
    EXPECT_EQ(clockCopy->FrameStyle(), fsLowered);
    EXPECT_EQ(clockCopy->FillColor(), clAqua);
    EXPECT_FALSE(clockCopy->ParentFillColor());
}

}  // namespace
