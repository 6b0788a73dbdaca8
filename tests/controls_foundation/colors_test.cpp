// The colour model: HSL conversions, shades, blends and complements by the numbers, the
// gradient colour sources with visual styles off, and the custom colours' normalising and store.
#include <gtest/gtest.h>

#include "UiColors.h"
#include "UiRegIniFile.h"
#include "cl_graphics.h"
#include "cl_lists.h"
#include "cl_settings.h"

namespace {

struct HslCase {
    TColor color;
    int h, s, l;
};

TEST(ColorModel, ColorToHslFollowsTheTwoFortyScale) {
    const HslCase cases[] = {{clWhite, 0, 0, 240},   {clBlack, 0, 0, 0},
                             {0x0000FF, 0, 240, 120}, {0xFF0000, 160, 240, 120},
                             {0x00FF00, 80, 240, 120}, {0x808080, 0, 0, 120}};
    for (const HslCase& c : cases) {
        uint8_t h, s, l;
        ColorToHSL(c.color, h, s, l);
        EXPECT_EQ(h, c.h) << std::hex << c.color;
        EXPECT_EQ(s, c.s) << std::hex << c.color;
        EXPECT_EQ(l, c.l) << std::hex << c.color;
    }
}

TEST(ColorModel, HslToColorDividesHueBy239) {
    EXPECT_EQ(HSLtoColor(0, 0, 120), 0x808080);
    EXPECT_EQ(HSLtoColor(0, 240, 120), 0x0000FF);
    EXPECT_EQ(HSLtoColor(0, 0, 0), 0);
    // Cyan at 120 lands just short of the sextant's start because of the 239.
    EXPECT_EQ(HSLtoColor(120, 240, 120), 0xFFFC00);
    // 239 is red again; 240 runs past the last sextant into the red-to-yellow formula.
    EXPECT_EQ(HSLtoColor(239, 240, 120), 0x0000FF);
    EXPECT_EQ(HSLtoColor(240, 240, 120), 0x0006FF);
}

TEST(ColorModel, ShadesClampTowardBlackAndWhite) {
    for (TColor c : {TColor(0x123456), TColor(clRed), TColor(clBtnFace), TColor(clBlack)}) {
        EXPECT_EQ(LighterColor(c, 255), 0xFFFFFF) << std::hex << c;
        EXPECT_EQ(DarkerColor(c, 255), 0) << std::hex << c;
    }
    EXPECT_EQ(AdjustColor(clBtnFace, 0), clBtnFace);
    EXPECT_EQ(AdjustColor(0x808080, -20), DarkerColor(0x808080, 20));
    EXPECT_EQ(AdjustColor(0x808080, 20), LighterColor(0x808080, 20));
    EXPECT_EQ(DarkerColor(0x808080, 60), HSLtoColor(0, 0, 60));
}

TEST(ColorModel, BlendsWeighTheFirstColour) {
    EXPECT_EQ(BlendColors(clBlack, clWhite, 128), 0x7F7F7F);
    EXPECT_EQ(BlendColors(0x123456, 0xABCDEF, 255), 0x123456);
    EXPECT_EQ(BlendColors(0x123456, 0xABCDEF, 0), 0xABCDEF);
    EXPECT_EQ(BlendColors(clBtnFace, clBtnFace, 77), ColorToRGB(clBtnFace));
}

TEST(ColorModel, ComplementsAndClosenessUseHueAndLuminance) {
    EXPECT_EQ(ComplementaryColor(0x808080), HSLtoColor(120, 240, 120));
    EXPECT_EQ(ComplementaryColor(0xFF0000, 140), HSLtoColor(40, 240, 140));
    EXPECT_TRUE(ColorsTooClose(0x808080, 0x909090));
    EXPECT_FALSE(ColorsTooClose(clBlack, clWhite));
    EXPECT_FALSE(ColorsTooClose(0x0000FF, 0xFF0000));
}

TEST(GradientColors, WithStylesOffTheSystemColumnApplies) {
    const bool saved = FullColorSupported;
    FullColorSupported = true;
    TColor frame, start, stop;
    GetGradientSelectionColors(gcsMSOffice, frame, start, stop);
    const TColor blend = BlendColors(clHighlight, clWindow, 77);
    EXPECT_EQ(frame, clHighlight);
    EXPECT_EQ(start, LighterColor(blend, 20));
    EXPECT_EQ(stop, blend);
    FullColorSupported = false;
    GetGradientSelectionColors(gcsMSOffice, frame, start, stop);
    EXPECT_EQ(start, stop);
    FullColorSupported = saved;

    GetGradientPanelColors(gcsMSOffice, start, stop);
    EXPECT_EQ(start, clWindow);
    EXPECT_EQ(stop, DarkerColor(clBtnFace, 10));
    EXPECT_EQ(GetGradientPanelFrameColor(gcsSystem), LighterColor(clBtnShadow, 30));
    TColor a, b, c;
    GetGradientStatusBarColors(gcsSystem, a, b, c);
    EXPECT_EQ(a, DarkerColor(clBtnFace, 20));
    EXPECT_EQ(b, clWindow);
    EXPECT_EQ(c, DarkerColor(clBtnFace, 40));
    GetGradientGroupBarColors(gcsCustom, start, stop);
    EXPECT_EQ(start, BlendColors(clBlack, clBtnFace, 40));
    EXPECT_EQ(stop, BlendColors(clBlack, clBtnFace, 80));
    EXPECT_EQ(GetXPThemeColor(xptcGroupBoxFont), clBtnFace);
}

TEST(GradientColors, SchemeTablesHoldTheirValues) {
    EXPECT_EQ(xpOfficeBlue.Selection_FrameColor, 0x800000);
    EXPECT_EQ(xpOfficeGreen.Panel_ColorStop, 0x92C7B8);
    EXPECT_EQ(xpOfficeSilver.GroupBar_ColorStop, 0xC8B3B1);
}

class CustomColorsTest : public ::testing::Test {
protected:
    void SetUp() override { colors = new TUiCustomColors(nullptr); }
    void TearDown() override { colors->Free(); }
    TUiCustomColors* colors = nullptr;
};

TEST_F(CustomColorsTest, StartsWithSixteenWhiteLines) {
    ASSERT_EQ(colors->Colors()->Count(), 16);
    EXPECT_EQ(colors->Colors()->Strings(0), "ColorA=FFFFFF");
    EXPECT_EQ(colors->Colors()->Strings(15), "ColorP=FFFFFF");
    EXPECT_EQ(colors->GetColorName(1), "ColorB");
}

TEST_F(CustomColorsTest, ValuesAreNormalisedToSixHexDigits) {
    TStringList lines;
    lines.Add("ColorB=abc");
    lines.Add("ColorC=1FFFFFF");
    colors->SetColors(&lines);
    EXPECT_EQ(colors->Colors()->Strings(0), "ColorB=000ABC");
    EXPECT_EQ(colors->Colors()->Strings(1), "ColorC=FFFFFF");
    lines.Clear();
    lines.Add("ColorA=xyz");
    EXPECT_THROW(colors->SetColors(&lines), EConvertError);
}

TEST_F(CustomColorsTest, LoadAndSaveNeedAStore) {
    try {
        colors->Load("Colors");
        FAIL();
    } catch (const ENoRegIniFile& e) {
        EXPECT_STREQ(e.what(), "Cannot load Custom Colors--No TUiRegIniFile component specified");
    }
    try {
        colors->Save("Colors");
        FAIL();
    } catch (const ENoRegIniFile& e) {
        EXPECT_STREQ(e.what(), "Cannot save Custom Colors--No TUiRegIniFile component specified");
    }
}

TEST_F(CustomColorsTest, RegistryLoadReplacesTheDefaults) {
    TUiRegIniFile* store = new TUiRegIniFile(nullptr);
    store->SetPathType(ptRegistry);
    store->SetPath("\\Software\\RadonTests\\CustomColors");
    store->EraseSection("Colors");
    colors->SetRegIniFile(store);
    TStringList lines;
    lines.Add("ColorA=0000FF");
    lines.Add("ColorB=00FF00");
    colors->SetColors(&lines);
    colors->Save("Colors");

    TUiCustomColors* loaded = new TUiCustomColors(nullptr);
    loaded->SetRegIniFile(store);
    loaded->Load("Colors");
    ASSERT_EQ(loaded->Colors()->Count(), 2);
    EXPECT_EQ(loaded->Colors()->Strings(0), "ColorA=0000FF");
    EXPECT_EQ(loaded->Colors()->Strings(1), "ColorB=00FF00");
    store->Free();
    EXPECT_EQ(loaded->RegIniFile(), nullptr);
    EXPECT_EQ(colors->RegIniFile(), nullptr);
    loaded->Free();
}

}  // namespace
