// Labels: rotation rules, auto-size with borders and turned text, the drawn text layers,
// blinking on the shared timer, the fly-by colour under real mouse moves and the URL label.
#include <cmath>

#include "UiCommon.h"
#include "UiLabel.h"
#include "UiUtils.h"
#include "form_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class LabelTest : public FormTest {
protected:
    TUiLabel* AddLabel(const char* caption) {
        auto* label = Add<TUiLabel>(10, 10, 10, 10);
        label->Font()->SetName("Arial");
        label->Font()->SetHeight(-16);
        label->SetCaption(caption);
        return label;
    }
    // The caption's size in the label's font.
    TSize TextSize(TUiLabel* label) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, label->Font()->Handle());
        RECT r = {0, 0, 0, 0};
        DrawTextA(dc, label->Caption().c_str(), -1, &r, DT_CALCRECT | DT_EXPANDTABS);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return {r.right, r.bottom};
    }
};

TEST_F(LabelTest, AngleAndRotationRules) {
    TUiLabel* label = AddLabel("Radon");
    const struct {
        int set, stored;
    } angles[] = {{-90, 270}, {450, 90}, {360, 0}, {45, 45}};
    for (const auto& c : angles) {
        label->SetAngle(c.set);
        EXPECT_EQ(label->Angle(), c.stored) << c.set;
    }
    EXPECT_EQ(label->Rotation(), roFlat) << "a non-zero angle turns the text";
    label->SetRotation(roCurve);
    label->SetCenterPoint(cpLowerLeft);
    label->SetAngle(45);
    label->SetRotation(roFlat);
    EXPECT_EQ(label->Angle(), 0);
    EXPECT_EQ(label->CenterPoint(), cpCenter);

    // Only where the system has a raster font to try with.
    TUiLabel* raster = AddLabel("Raster");
    for (const char* name : {"System", "Fixedsys", "Terminal", "Small Fonts", "Courier"}) {
        raster->Font()->SetName(name);
        if (IsTrueTypeFont(raster->Font())) continue;
        raster->SetAngle(90);
        EXPECT_EQ(raster->Font()->Name(), "Verdana");
        raster->Font()->SetName(name);
        EXPECT_EQ(raster->Angle(), 0) << "a raster font cannot be turned";
        break;
    }
}

TEST_F(LabelTest, AutoSizeAddsBordersAndTurnsTheBox) {
    TUiLabel* framed = AddLabel("Average Radon");
    const TSize text = TextSize(framed);
    framed->SetBorderOuter(fsRaised);
    framed->SetBorderWidth(3);
    EXPECT_EQ(framed->Width(), text.cx + 10);
    EXPECT_EQ(framed->Height(), text.cy + 10);
    framed->SetBorderSides(SideBit(sdLeft) | SideBit(sdTop));
    EXPECT_EQ(framed->Width(), text.cx + 5);

    TUiLabel* turned = AddLabel("Average Radon");
    turned->SetRotation(roFlat);
    turned->SetAngle(90);
    EXPECT_EQ(turned->Width(), text.cy);
    EXPECT_EQ(turned->Height(), text.cx);
    turned->SetAngle(45);
    const int diagonal = static_cast<int>(std::nearbyint((text.cx + text.cy) * std::sin(0.785398163)));
    EXPECT_NEAR(turned->Width(), diagonal, 1);
    EXPECT_NEAR(turned->Height(), diagonal, 1);

    turned->SetCondenseCaption(ccAtEnd);
    EXPECT_FALSE(turned->AutoSize());
}

TEST_F(LabelTest, TextLayersAreDrawnInTheirColours) {
    TUiLabel* label = AddLabel("WWWW");
    label->Font()->SetColor(clBlue);
    label->SetShadowColor(clRed);
    label->SetHighlightColor(clLime);
    const TRect area(label->Left(), label->Top(), label->Left() + label->Width(),
                     label->Top() + label->Height());
    const struct {
        TTextStyle style;
        bool light, enabled;
        bool red, lime, blue;
    } cases[] = {
        {tsNormal, false, true, false, false, true},
        {tsShadow, false, true, true, false, true},
        {tsRaised, false, true, true, true, true},
        {tsRaised, true, true, false, true, true},
        {tsRecessed, true, true, false, true, true},
        {tsRaised, false, false, false, false, false},
    };
    for (const auto& c : cases) {
        label->SetTextStyle(c.style);
        label->SetLightTextStyle(c.light);
        label->SetEnabled(c.enabled);
        const Snapshot shot(form);
        EXPECT_EQ(shot.Count(area, clRed) > 0, c.red) << c.style << c.light << c.enabled;
        EXPECT_EQ(shot.Count(area, clLime) > 0, c.lime) << c.style << c.light << c.enabled;
        EXPECT_EQ(shot.Count(area, clBlue) > 0, c.blue) << c.style << c.light << c.enabled;
        if (!c.enabled) {
            EXPECT_GT(shot.Count(area, clBtnShadow), 0);
        }
    }
}

TEST_F(LabelTest, TurnedAndCurvedTextIsDrawnAndAFlatArcDrawsNothing) {
    TUiLabel* label = AddLabel("Radon");
    label->Font()->SetColor(clBlue);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 120, 120);
    const TRect area(10, 10, 130, 130);
    label->SetAngle(90);
    EXPECT_GT(Snapshot(form).Count(area, clBlue), 0);
    label->SetRotation(roCurve);
    EXPECT_GT(Snapshot(form).Count(area, clBlue), 0);
    label->SetBorderWidth(40);  // radius 60 - 80 < 0
    EXPECT_EQ(Snapshot(form).Count(area, clBlue), 0);
}

TEST_F(LabelTest, BlinkingLabelsChangeColourOnTheSameTick) {
    TUiLabel* first = AddLabel("One");
    TUiLabel* second = AddLabel("Two");
    TUiLabel* still = AddLabel("Three");
    first->SetBlinking(true);
    second->SetBlinking(true);
    second->SetBlinkColor(clRed);
    first->SetBlinkIntervalOn(120);
    EXPECT_EQ(second->GetBlinkIntervalOn(), 120);
    ASSERT_TRUE(PumpUntil([&] { return BlinkingControls->State() == bsOn; }, 3000));
    EXPECT_EQ(second->CurrentTextColor(), second->Font()->Color());
    ASSERT_TRUE(PumpUntil([&] { return BlinkingControls->State() == bsOff; }, 3000));
    EXPECT_EQ(first->CurrentTextColor(), clHighlight);
    EXPECT_EQ(second->CurrentTextColor(), clRed);
    EXPECT_EQ(still->CurrentTextColor(), still->Font()->Color());
    second->SetBlinking(false);
    EXPECT_EQ(second->CurrentTextColor(), second->Font()->Color());
}

TEST_F(LabelTest, FlyByColourFollowsTheMouse) {
    TUiLabel* label = AddLabel("Hover");
    label->Font()->SetColor(clGreen);
    int entered = 0, left = 0;
    label->OnMouseEnter = [&](TObject*) { ++entered; };
    label->OnMouseLeave = [&](TObject*) { ++left; };
    label->SetFlyByEnabled(true);
    label->SetFlyByColor(clRed);
    MoveMouse(label->Left() + 3, label->Top() + 3);
    EXPECT_EQ(label->Font()->Color(), clRed);
    EXPECT_EQ(label->CurrentTextColor(), clRed);
    MoveMouse(300, 250);
    EXPECT_EQ(label->Font()->Color(), clGreen);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);

    TUiLabel* untouched = AddLabel("Never entered");
    untouched->Font()->SetColor(clGreen);
    untouched->SetFlyByEnabled(true);
    untouched->SetFlyByEnabled(false);
    EXPECT_EQ(untouched->Font()->Color(), clGreen) << "no fly-by colour to take back";
}

TEST_F(LabelTest, UrlLabelColoursAndBlankTargets) {
    auto* link = Add<TUiURLLabel>(10, 10, 100, 20);
    EXPECT_EQ(link->Font()->Color(), clHighlight);
    EXPECT_TRUE(link->Font()->Style().count(fsUnderline));
    EXPECT_EQ(link->Cursor(), crUiHandPoint);
    link->SetVisited(true);
    EXPECT_EQ(link->Font()->Color(), clPurple);
    link->SetVisitedColor(clRed);
    EXPECT_EQ(link->Font()->Color(), clRed);
    link->SetVisited(false);

    int clicks = 0;
    link->OnClick = [&](TObject*) { ++clicks; };
    link->SetCaption("   ");
    link->SetURL("  ");
    PostClick(form->WindowHandle(), 15, 15);
    PumpUntil([&] { return clicks == 1; });
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(link->Visited()) << "a blank target opens nothing";
    link->SetURL("Z:\\no such folder\\no such file.xyz");
    PostClick(form->WindowHandle(), 15, 15);
    PumpUntil([&] { return clicks == 2; });
    EXPECT_FALSE(link->Visited()) << "a failed open leaves the link unvisited";
}

}  // namespace
