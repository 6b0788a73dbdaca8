// Border, LED display and meter: the interior a border leaves, the display's dot geometry,
// drawn characters and scrolling, the meter's bounds, percent and lit segments.
#include "UiLedDisplay.h"
#include "UiMeter.h"
#include "form_fixture.h"
#include "ui_pump.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class BorderTest : public FormTest {};

TEST_F(BorderTest, ClientRectangleIsInsideTheBordersDrawn) {
    const struct {
        TFrameStyleEx outer, inner;
        int borderWidth, bevelWidth;
        TSides sides;
        TRect client;
    } cases[] = {
        {fsGroove, fsNone, 3, 1, SideBit(sdLeft) | SideBit(sdTop), TRect(5, 5, 47, 47)},
        {fsStatus, fsFlat, 0, 3, AllSides, TRect(4, 4, 46, 46)},
        {fsNone, fsNone, 0, 1, AllSides, TRect(0, 0, 50, 50)},
        {fsFlatBold, fsPopup, 20, 4, AllSides, TRect(0, 0, 0, 0)},
    };
    auto* border = Add<TUiBorder>(10, 10, 50, 50);
    for (const auto& c : cases) {
        border->SetBorderOuter(c.outer);
        border->SetBorderInner(c.inner);
        border->SetBorderWidth(c.borderWidth);
        border->SetBevelWidth(c.bevelWidth);
        border->SetBorderSides(c.sides);
        const TRect r = border->ClientRect();
        EXPECT_EQ(r.Left, c.client.Left);
        EXPECT_EQ(r.Top, c.client.Top);
        EXPECT_EQ(r.Right, c.client.Right);
        EXPECT_EQ(r.Bottom, c.client.Bottom);
    }
}

class LEDDisplayTest : public FormTest {
protected:
    // The colour of dot (column, row) of the first cell of a left-aligned display at (10, 10).
    TColor Dot(const Snapshot& shot, TUiLEDDisplay* led, int column, int row) {
        const TRect client = led->ClientRect();
        const int pitch = led->DotSize() + led->DotGap();
        const int top = (client.Height() - led->CellHeight()) / 2;
        return shot.At(10 + client.Left + column * pitch + 1,
                       10 + client.Top + top + row * pitch + 1);
    }
};

TEST_F(LEDDisplayTest, DotGeometryFollowsTheClientHeight) {
    const struct {
        int height, borderWidth, dot, gap, cellWidth, cellHeight;
    } cases[] = {{30, 0, 3, 0, 18, 21}, {100, 0, 12, 1, 78, 90}, {12, 2, 1, 0, 6, 7}};
    auto* led = Add<TUiLEDDisplay>(10, 10, 100, 30);
    for (const auto& c : cases) {
        led->SetBorderWidth(c.borderWidth);
        led->SetBounds(10, 10, 100, c.height);
        EXPECT_EQ(led->DotSize(), c.dot) << c.height;
        EXPECT_EQ(led->DotGap(), c.gap) << c.height;
        EXPECT_EQ(led->CellWidth(), c.cellWidth) << c.height;
        EXPECT_EQ(led->CellHeight(), c.cellHeight) << c.height;
    }
}

TEST_F(LEDDisplayTest, CharactersAreDrawnFromTheirColumnBytes) {
    auto* led = Add<TUiLEDDisplay>(10, 10, 100, 30);
    const TColor on = ColorToRGB(led->SegOnColor()), off = ColorToRGB(led->SegOffColor());
    // "A" is 7E 90 90 90 7E: its first column is lit below the top row.
    led->SetCaption("A");
    Snapshot letter(form);
    EXPECT_EQ(Dot(letter, led, 0, 0), off);
    EXPECT_EQ(Dot(letter, led, 0, 1), on);
    EXPECT_EQ(Dot(letter, led, 1, 0), on);
    EXPECT_EQ(Dot(letter, led, 1, 6), off);
    EXPECT_EQ(Dot(letter, led, 5, 3), off) << "the sixth column spaces the cells";
    // A control character shows the block of code 127 (00 7C 7C 7C 00).
    led->SetCaption(AnsiString("\x01"));
    Snapshot control(form);
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 6; ++column) {
            const bool lit = column >= 1 && column <= 3 && row >= 1 && row <= 5;
            EXPECT_EQ(Dot(control, led, column, row), lit ? on : off) << column << "," << row;
        }
}

TEST_F(LEDDisplayTest, ScrollingPassCoversTextAndControlWidth) {
    auto* led = Add<TUiLEDDisplay>(10, 10, 100, 30);
    led->SetCaption("AB");
    EXPECT_EQ(led->ScrollSteps(), 2 * 18 + 100);
    int passes = 0;
    std::vector<int> offsets;
    led->OnScrollComplete = [&](TObject*) { ++passes; };
    led->SetScrollDelay(1);
    led->SetScrolling(true);
    ASSERT_TRUE(PumpUntil([&] {
        if (offsets.empty() || offsets.back() != led->ScrollOffset())
            offsets.push_back(led->ScrollOffset());
        return passes == 2;
    }, 20000));
    for (int offset : offsets) EXPECT_EQ(offset % 3, 0) << "the text moves a dot at a time";
    EXPECT_LT(*std::max_element(offsets.begin(), offsets.end()), 136);
    led->SetScrolling(false);
    EXPECT_EQ(led->ScrollOffset(), 0);
}

class MeterTest : public FormTest {};

TEST_F(MeterTest, BoundsValueAndPercent) {
    auto* meter = Add<TUiMeter>(10, 10, 150, 30);
    meter->SetValue(50);
    EXPECT_EQ(meter->GetPercent(), 50);
    meter->SetValue(150);
    EXPECT_EQ(meter->Value(), 100);
    meter->AddValue(-130);
    EXPECT_EQ(meter->Value(), 0);
    meter->SetMax(0);
    EXPECT_EQ(meter->Max(), 1) << "Max equal to Min becomes Min + 1";
    meter->SetMax(100);
    meter->SetMin(100);
    EXPECT_EQ(meter->Min(), 99) << "Min equal to Max becomes Max - 1";
}

// Colours of the runs of one pixel row, background pixels skipped.
std::vector<TColor> Runs(const Snapshot& shot, int y, int left, int right, TColor background) {
    std::vector<TColor> runs;
    TColor previous = ColorToRGB(background);
    for (int x = left; x < right; ++x) {
        const TColor c = shot.At(x, y);
        if (c != previous && c != ColorToRGB(background)) runs.push_back(c);
        previous = c;
    }
    return runs;
}

TEST_F(MeterTest, LEDMeterLightsSegmentsByGroup) {
    auto* meter = Add<TUiMeter>(10, 10, 150, 30);
    meter->SetSegOffColor(clGray);
    meter->SetValue(70);
    Snapshot shot(form);
    const std::vector<TColor> runs = Runs(shot, 25, 12, 158, clBlack);
    const TColor green = 0x008000, yellow = 0x00FFFF, grey = ColorToRGB(clGray);
    EXPECT_EQ(runs, (std::vector<TColor>{green, green, green, green, green, yellow, yellow, grey,
                                         grey, grey}));
}

TEST_F(MeterTest, NormalBarFillsToTheValue) {
    auto* meter = Add<TUiMeter>(10, 10, 150, 30);
    meter->SetMeterType(mtNormal);
    meter->SetShowPercent(false);
    meter->SetBarColor(clBlue);
    meter->SetValue(50);
    Snapshot shot(form);
    EXPECT_EQ(shot.At(30, 25), ColorToRGB(clBlue));
    EXPECT_EQ(shot.At(140, 25), ColorToRGB(clBlack));
    meter->SetShowPercent(true);
    meter->Font()->SetColor(clWhite);
    Snapshot text(form);
    EXPECT_GT(text.Count(TRect(60, 12, 110, 38), clWhite), 10) << "the percent is written";
}

}  // namespace
