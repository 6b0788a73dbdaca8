// The spinner: steps by keys, wheel and buttons within its range, the vetoing event, the click
// that steps only when pressed and released on one button, auto-repeat, its drawn box; and the
// rapid-fire button's repeat and arrow glyphs.
#include "UiRapidFireButton.h"
#include "UiSpinner.h"
#include "edit_fixture.h"

namespace {

class SpinnerTest : public EditFormTest {
protected:
    void SetUp() override {
        EditFormTest::SetUp();
        spinner = Add<TUiSpinner>(20, 20, 100, 24);
        spinner->SetThemeAware(false);
        spinner->OnChange = [this](TObject*) { ++changes; };
        spinner->OnIncrement = [this](TObject*, int amount) { steps.push_back(amount); };
        spinner->OnDecrement = [this](TObject*, int amount) { steps.push_back(-amount); };
        Focus(spinner);
    }
    void Press(int x) { PostMessageA(spinner->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10)); }
    void Release(int x) {
        PostMessageA(spinner->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
        Pump();
    }
    void PointAt(int x) {
        const TPoint p = spinner->ClientToScreen({x, 10});
        SetCursorPos(p.X, p.Y);
    }
    static constexpr int Minus = 5, Plus = 95, Middle = 50;
    TUiSpinner* spinner = nullptr;
    int changes = 0;
    std::vector<int> steps;
};

TEST_F(SpinnerTest, KeysStepWithinTheRange) {
    const struct {
        UINT key;
        int value;
    } cases[] = {{VK_UP, 1},    {VK_RIGHT, 2}, {VK_PRIOR, 12}, {VK_LEFT, 11}, {VK_NEXT, 1},
                 {VK_DOWN, 0},  {VK_DOWN, 0},  {VK_ADD, 1},    {VK_SUBTRACT, 0}};
    for (const auto& c : cases) {
        Key(spinner, c.key);
        EXPECT_EQ(spinner->Value(), c.value) << c.key;
    }
    EXPECT_EQ(steps, (std::vector<int>{1, 1, 10, -1, -10, -1, 1, -1}));
    spinner->SetValue(100);
    changes = 0;
    steps.clear();
    Key(spinner, VK_UP);
    EXPECT_EQ(spinner->Value(), 100);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(steps.empty());
}

TEST_F(SpinnerTest, RangeRules) {
    spinner->SetMin(0);
    spinner->SetMax(0);
    spinner->SetValue(-7);
    EXPECT_EQ(spinner->Value(), -7) << "equal bounds without CheckRange";
    spinner->SetCheckRange(true);
    EXPECT_EQ(spinner->Value(), 0);
    spinner->SetMin(20);
    EXPECT_EQ(spinner->Max(), 20);
    EXPECT_EQ(spinner->Value(), 20);
}

TEST_F(SpinnerTest, ChangingHandlerCanVetoAStep) {
    spinner->OnChanging = [](TObject*, int newValue, bool& allow) { allow = newValue != 2; };
    Key(spinner, VK_UP);
    Key(spinner, VK_UP);
    EXPECT_EQ(spinner->Value(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(steps, (std::vector<int>{1}));
}

TEST_F(SpinnerTest, WheelStepsByIncrementOrPageWithCtrl) {
    SendMessageA(spinner->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(spinner->Value(), 1);
    SetModifiers(false, true);
    SendMessageA(spinner->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 120), 0);
    SetModifiers(false, false);
    EXPECT_EQ(spinner->Value(), 11);
    SendMessageA(spinner->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    EXPECT_EQ(spinner->Value(), 10);
}

TEST_F(SpinnerTest, AClickStepsOnlyWhenPressedAndReleasedOnOneButton) {
    const struct {
        int pressAt, releaseAt, value;
    } cases[] = {{Plus, Plus, 1},     {Plus, Minus, 1},  {Minus, Minus, 0},
                 {Plus, Middle, 0},   {Middle, Plus, 0}, {Minus, Plus, 0}};
    for (const auto& c : cases) {
        PointAt(c.releaseAt);
        Press(c.pressAt);
        Release(c.releaseAt);
        EXPECT_EQ(spinner->Value(), c.value) << c.pressAt << " " << c.releaseAt;
    }
}

TEST_F(SpinnerTest, HoldingRepeatsFollowingTheButtonUnderTheCursor) {
    spinner->SetValue(50);
    PointAt(Plus);
    Press(Plus);
    EXPECT_TRUE(PumpUntil([&] { return spinner->Value() >= 53; }, 3000));
    PointAt(Minus);
    const int top = spinner->Value();
    EXPECT_TRUE(PumpUntil([&] { return spinner->Value() < top - 1; }, 3000));
    PointAt(Middle);
    Release(Middle);
    const int released = spinner->Value();
    Sleep(250);
    Pump();
    EXPECT_EQ(spinner->Value(), released) << "the repeat stops on release";
}

TEST_F(SpinnerTest, ShowsTheValueInHexWithItsPrefix) {
    spinner->SetMax(1000);
    spinner->SetValue(255);
    EXPECT_EQ(spinner->ValueText(), "255");
    spinner->SetShowHexValue(true);
    EXPECT_EQ(spinner->ValueText(), "$FF");
    spinner->SetHexValuePrefix("0x");
    EXPECT_EQ(spinner->ValueText(), "0xFF");
}

TEST_F(SpinnerTest, DrawsItsBoxButtonsAndSeparators) {
    spinner->SetFrameColor(clRed);
    spinner->SetButtonColor(clYellow);
    spinner->SetColor(clAqua);
    PointAt(Middle);
    WindowShot shot(spinner);
    EXPECT_EQ(shot.At(0, 12), clRed);
    EXPECT_EQ(shot.At(99, 12), clRed);
    EXPECT_EQ(shot.At(17, 12), clRed) << "separator at ButtonWidth - 1";
    EXPECT_EQ(shot.At(82, 12), clRed) << "separator at Width - ButtonWidth";
    EXPECT_EQ(shot.At(3, 3), clYellow);
    EXPECT_EQ(shot.At(2, 1), ColorToRGB(clWindow)) << "the button's outline";
    EXPECT_EQ(shot.At(30, 4), clAqua);
    spinner->SetEnabled(false);
    EXPECT_EQ(WindowShot(spinner).At(30, 4), ColorToRGB(clBtnFace));
}

}  // namespace

namespace {

class RapidFireTest : public EditFormTest {};

TEST_F(RapidFireTest, HoldingRepeatsTheClickUntilReleased) {
    auto* button = Add<TUiRapidFireButton>(20, 20, 23, 22);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    button->SetInitialDelay(50);
    button->SetDelay(20);
    PostMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    EXPECT_TRUE(PumpUntil([&] { return clicks >= 3; }, 3000));
    PostMessageA(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 30));
    Pump();
    const int released = clicks;
    Sleep(100);
    Pump();
    EXPECT_EQ(clicks, released);
}

TEST_F(RapidFireTest, ScrollStyleBuildsAnArrowGlyph) {
    auto* button = Add<TUiRapidFireButton>(20, 20, 23, 22);
    const struct {
        TUiScrollStyle style;
        int width, height;
    } cases[] = {{scsLeft, 9, 9}, {scsUp, 9, 6}, {scsRight, 9, 9}, {scsDown, 9, 6}, {scsNone, 0, 0}};
    for (const auto& c : cases) {
        button->SetScrollStyle(c.style);
        EXPECT_EQ(button->Glyph()->Width(), c.width) << c.style;
        EXPECT_EQ(button->Glyph()->Height(), c.height) << c.style;
    }
}

}  // namespace
