// The blinking-controls list: which controls hear each tick, the phase and its intervals, the
// list's life with its controls, and a control destroyed while its tick runs.
#include <gtest/gtest.h>

#include <functional>

#include "UiCommon.h"
#include "cl_controls.h"
#include "cl_extctrls.h"
#include "cl_forms.h"
#include "ui_pump.h"

namespace {

// A control that registers itself like a label and logs the blink messages it gets.
class TBlinker : public TGraphicControl {
public:
    explicit TBlinker(TComponent* owner) : TGraphicControl(owner) { RegisterBlinkingControl(this); }
    void BeforeDestruction() override {
        UnregisterBlinkingControl(this);
        TGraphicControl::BeforeDestruction();
    }
    bool blinking = false;
    int asked = 0;
    std::vector<int> phases;
    std::function<void()> onBlink;

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == CM_GETBLINKING) {
            ++asked;
            message.Result = blinking ? 1 : 0;
        } else if (message.Msg == CM_BLINK) {
            phases.push_back(static_cast<int>(message.WParam));
            if (onBlink) onBlink();
        } else {
            TGraphicControl::WndProc(message);
        }
    }
};

TEST(BlinkList, OnlyBlinkingControlsGetThePhase) {
    TBlinker* a = new TBlinker(nullptr);
    TBlinker* b = new TBlinker(nullptr);
    ASSERT_NE(BlinkingControls, nullptr);
    EXPECT_EQ(BlinkingControls->GetCount(), 2);
    EXPECT_EQ(BlinkingControls->State(), bsOff);
    EXPECT_EQ(BlinkingControls->Timer()->Interval(), 500u);
    a->blinking = true;
    BlinkingControls->BlinkIntervalOn = 300;
    BlinkingControls->BlinkIntervalOff = 700;
    BlinkingControls->TimerFired(nullptr);
    EXPECT_EQ(BlinkingControls->Timer()->Interval(), 700u);  // bsOn lasts the "off" interval
    BlinkingControls->TimerFired(nullptr);
    EXPECT_EQ(BlinkingControls->Timer()->Interval(), 300u);
    EXPECT_EQ(a->asked, 2);
    EXPECT_EQ(b->asked, 2);
    EXPECT_EQ(a->phases, (std::vector<int>{bsOn, bsOff}));
    EXPECT_TRUE(b->phases.empty());
    a->Free();
    b->Free();
    EXPECT_EQ(BlinkingControls, nullptr);

    TBlinker* c = new TBlinker(nullptr);
    EXPECT_EQ(BlinkingControls->BlinkIntervalOn, 500);
    EXPECT_EQ(BlinkingControls->BlinkIntervalOff, 500);
    c->Free();
}

TEST(BlinkList, TheTimerTicksWhileAControlExists) {
    TBlinker* a = new TBlinker(nullptr);
    a->blinking = true;
    EXPECT_TRUE(PumpUntil([&] { return a->phases.size() >= 2; }, 3000));
    EXPECT_EQ(a->phases[0], bsOn);
    EXPECT_EQ(a->phases[1], bsOff);
    a->Free();
}

TEST(BlinkList, AControlDestroyedDuringItsTickIsSkipped) {
    TBlinker* a = new TBlinker(nullptr);
    TBlinker* b = new TBlinker(nullptr);
    a->blinking = b->blinking = true;
    a->onBlink = [&] {
        b->Free();
        b = nullptr;
    };
    BlinkingControls->TimerFired(nullptr);
    EXPECT_EQ(BlinkingControls->GetCount(), 1);
    // The last control goes during the tick: the list survives the tick and is gone after it.
    a->onBlink = [&] {
        a->Free();
        a = nullptr;
    };
    TUiBlinkingControlsList* list = BlinkingControls;
    list->TimerFired(nullptr);
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(BlinkingControls, nullptr);
    EXPECT_FALSE(list->Timer()->Active());
    TBlinker* c = new TBlinker(nullptr);  // frees the retired list
    EXPECT_NE(BlinkingControls, nullptr);
    c->Free();
}

}  // namespace
