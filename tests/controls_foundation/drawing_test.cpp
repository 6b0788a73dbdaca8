// Borders, frames, bars and glyphs drawn into a DIB and checked pixel by pixel.
#include <gtest/gtest.h>

#include "UiColors.h"
#include "UiDrawing.h"

namespace {

constexpr TColor Paper = 0x123456;

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(20, 20); }
    void Reset(int w, int h) {
        bitmap.reset(new TBitmap);
        bitmap->SetPixelFormat(pf24bit);
        bitmap->SetSize(w, h);
        canvas = bitmap->Canvas();
        canvas->Brush()->SetColor(Paper);
        canvas->FillRect(TRect(0, 0, w, h));
    }
    TColor At(int x, int y) { return canvas->Pixels(x, y); }
    static TColor Rgb(TColor c) { return ColorToRGB(c); }

    TOwnedPtr<TBitmap> bitmap;
    TCanvas* canvas = nullptr;
};

TEST_F(DrawingTest, SidesDrawOnlyWhatTheyAreGiven) {
    EXPECT_EQ(DrawSides(canvas, TRect(0, 0, 10, 10), clRed, clBlue, 0), TRect(0, 0, 10, 10));
    EXPECT_EQ(At(0, 0), Paper);
    EXPECT_EQ(DrawSides(canvas, TRect(0, 0, 10, 10), clNone, clBlue, AllSides),
              TRect(1, 1, 9, 9));
    EXPECT_EQ(At(0, 5), Paper);
    EXPECT_EQ(At(5, 0), Paper);
    EXPECT_EQ(At(9, 5), clBlue);
    EXPECT_EQ(At(5, 9), clBlue);
    EXPECT_EQ(At(10, 9), Paper);
    EXPECT_EQ(DrawBevel(canvas, TRect(2, 2, 8, 8), clRed, clRed, 0, AllSides), TRect(2, 2, 8, 8));
    EXPECT_EQ(DrawSides(canvas, TRect(0, 0, 10, 10), clRed, clRed, SideBit(sdLeft)),
              TRect(1, 0, 10, 10));
}

TEST_F(DrawingTest, EveryStyleReturnsItsInside) {
    const struct {
        TFrameStyleEx style;
        int width;
    } cases[] = {{fsNone, 0},     {fsFlat, 1},   {fsGroove, 2},  {fsBump, 2},
                 {fsLowered, 2},  {fsButtonDown, 2}, {fsRaised, 2}, {fsButtonUp, 2},
                 {fsStatus, 1},   {fsPopup, 1},  {fsFlatBold, 2}, {fsFlatRounded, 2}};
    for (const auto& c : cases) {
        const int w = c.width;
        EXPECT_EQ(DrawBorderSides(canvas, TRect(0, 0, 10, 10), c.style, AllSides),
                  TRect(w, w, 10 - w, 10 - w)) << c.style;
        EXPECT_EQ(DrawColorBorderSides(canvas, TRect(0, 0, 10, 10), clTeal, c.style, AllSides),
                  TRect(w, w, 10 - w, 10 - w)) << c.style;
    }
}

TEST_F(DrawingTest, GrooveHasTwoRingsInTheTableColours) {
    DrawBorderSides(canvas, TRect(0, 0, 10, 10), fsGroove, AllSides);
    EXPECT_EQ(At(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(At(1, 1), Rgb(clBtnHighlight));
    EXPECT_EQ(At(8, 1), Rgb(clBtnShadow));
    EXPECT_EQ(At(9, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(At(9, 9), Rgb(clBtnHighlight));
    EXPECT_EQ(At(2, 2), Paper);
}

TEST_F(DrawingTest, ThreeDBordersUseOuterThenInnerRing) {
    DrawCtl3DBorder(canvas, TRect(0, 0, 10, 10), true);
    EXPECT_EQ(At(0, 5), Rgb(clBtnShadow));
    EXPECT_EQ(At(9, 5), Rgb(clBtnHighlight));
    EXPECT_EQ(At(1, 5), Rgb(cl3DDkShadow));
    EXPECT_EQ(At(8, 5), Rgb(cl3DLight));
    DrawColorButtonBorder(canvas, TRect(0, 0, 10, 10), 0x808080, false);
    EXPECT_EQ(At(0, 5), LighterColor(0x808080, 100));
    EXPECT_EQ(At(9, 5), DarkerColor(0x808080, 100));
    EXPECT_EQ(At(1, 5), LighterColor(0x808080, 40));
    EXPECT_EQ(At(8, 5), DarkerColor(0x808080, 50));
}

TEST_F(DrawingTest, RoundedAndFocusBordersCutTheirCorners) {
    EXPECT_EQ(DrawRoundedFlatBorder(canvas, TRect(0, 0, 10, 10), clRed, AllSides),
              TRect(2, 2, 8, 8));
    EXPECT_EQ(At(0, 0), Paper);
    EXPECT_EQ(At(0, 1), Paper);
    EXPECT_EQ(At(0, 2), clRed);
    EXPECT_EQ(At(1, 1), clRed);
    EXPECT_EQ(At(8, 8), clRed);
    Reset(10, 10);
    DrawFocusBorder(canvas, TRect(0, 0, 10, 10));
    EXPECT_EQ(At(0, 1), 0);
    EXPECT_EQ(At(0, 2), Paper);
    EXPECT_EQ(At(1, 0), 0);
    EXPECT_EQ(At(9, 9), 0);
}

TEST_F(DrawingTest, FrameOfAColouredControlIsShadedFromItsColour) {
    const TColor face = 0x80C0C0;
    DrawFrame(canvas, 20, 20, fsLowered, face, clBlack, AllSides, false);
    EXPECT_EQ(At(0, 5), DarkerColor(face, 50));
    EXPECT_EQ(At(19, 5), LighterColor(face, 100));
    EXPECT_EQ(At(1, 5), DarkerColor(face, 100));
    Reset(20, 20);
    DrawFrame(canvas, 20, 20, fsLowered, clWindow, clBlack, AllSides, false);
    EXPECT_EQ(At(0, 5), Rgb(clBtnShadow));
    Reset(20, 20);
    DrawFrame(canvas, 20, 20, fsFlat, clYellow, clBlue, AllSides, false);
    EXPECT_EQ(At(0, 5), clBlue);
    EXPECT_EQ(At(1, 5), clYellow);
    EXPECT_EQ(At(2, 5), Paper);
}

TEST_F(DrawingTest, InnerOuterBordersStackOuterBandInner) {
    const TRect inside = DrawInnerOuterBorders(
        canvas, TRect(0, 0, 20, 20), fsFlat, fsStatus, 2, AllSides, 1, clYellow, clWhite,
        clBlack, 0x808080, 0, clBlue, clRed, false, false);
    EXPECT_EQ(inside, TRect(4, 4, 16, 16));
    EXPECT_EQ(At(0, 5), 0x808080);
    EXPECT_EQ(At(1, 5), clYellow);
    EXPECT_EQ(At(2, 5), clYellow);
    EXPECT_EQ(At(3, 5), clBlack);
    EXPECT_EQ(At(16, 5), clWhite);
}

TEST_F(DrawingTest, LedBarSegmentsAndClamping) {
    struct Case {
        int length, segments, percent;
        int firstSegmentX, segmentWidth, lit, count;
    };
    const Case cases[] = {{60, 20, 50, 0, 6, 5, 10}, {65, 20, 100, 2, 6, 10, 10},
                          {60, 20, 150, 0, 6, 10, 10}, {60, 20, -5, 0, 6, 0, 10},
                          {120, 10, 30, 0, 12, 3, 10}};
    for (const Case& c : cases) {
        Reset(c.length + 2, 10);
        DrawLEDBar(canvas, TRect(0, 0, c.length, 10), orHorizontal, clLime, clBlack, c.segments,
                   c.percent, false, false);
        for (int i = 0; i < c.count; ++i) {
            const int inside = c.firstSegmentX + i * c.segmentWidth + 2;
            EXPECT_EQ(At(inside, 5), i < c.lit ? clLime : clBlack)
                << c.length << "/" << c.percent << " segment " << i;
        }
    }
}

TEST_F(DrawingTest, PercentBarFillsItsShare) {
    Reset(100, 10);
    DrawPercentBar(canvas, TRect(0, 0, 100, 10), orHorizontal, clBlue, clWhite, 25, false, false);
    EXPECT_EQ(At(24, 5), clBlue);
    EXPECT_EQ(At(25, 5), clWhite);
    DrawPercentBar(canvas, TRect(0, 0, 100, 10), orHorizontal, clBlue, clWhite, 100, false, false);
    EXPECT_EQ(At(99, 5), clBlue);
    DrawPercentBar(canvas, TRect(0, 0, 100, 10), orVertical, clRed, clWhite, 50, false, false);
    EXPECT_EQ(At(50, 5), clRed);
    EXPECT_EQ(At(50, 4), clWhite);
}

TEST_F(DrawingTest, CheckBoxGlyph) {
    TUiGlyphColors colors = {clBlack, clRed, clWhite, clYellow, clSilver, clWhite, clBlue, clAqua};
    DrawCheckBox(canvas, TRect(0, 0, 13, 13), cbGrayed, bdsDisabled, false, htsFrame, colors,
                 false, false);
    EXPECT_EQ(At(0, 0), clBlack);
    EXPECT_EQ(At(2, 2), clSilver);
    EXPECT_EQ(At(3, 3), Rgb(clBtnShadow));
    EXPECT_EQ(At(9, 9), Rgb(clBtnShadow));
    EXPECT_EQ(At(10, 10), clSilver);
    DrawCheckBox(canvas, TRect(0, 0, 13, 13), cbChecked, bdsNormal, false, htsFrame, colors,
                 true, false);
    EXPECT_EQ(At(3, 5), clRed);
    EXPECT_EQ(At(3, 8), clAqua);
    EXPECT_EQ(At(6, 8), clRed);
    EXPECT_EQ(At(9, 3), clRed);
    EXPECT_EQ(At(9, 6), clAqua);
}

TEST_F(DrawingTest, RadioGlyphWithoutFullColour) {
    const bool saved = FullColorSupported;
    FullColorSupported = false;
    TUiGlyphColors colors = {clBlack, clRed, clWhite, clYellow, clSilver, clWhite, clBlue, clAqua};
    DrawRadioButton(canvas, TRect(0, 0, 13, 13), true, bdsNormal, false, htsFrame, colors, clLime,
                    false, clFuchsia, false, false);
    FullColorSupported = saved;
    EXPECT_EQ(At(0, 0), clLime);      // outside corner
    EXPECT_EQ(At(6, 0), clBlack);     // ring
    EXPECT_EQ(At(5, 1), clSilver);    // inner shading
    EXPECT_EQ(At(6, 6), clRed);       // dot
    EXPECT_EQ(At(3, 3), clWhite);     // fill
}

}  // namespace
