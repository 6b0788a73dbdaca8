// The control button (repeated clicks, glyph cells, flat border), the shape button (bevel rings,
// clicks on the shape only) and the speed-button classes (hot glyph, hidden caption).
#include "UiControlButton.h"
#include "UiShapeButton.h"
#include "UiToolbarButton.h"
#include "form_fixture.h"

namespace {

class OtherButtonsTest : public FormTest {
protected:
    void Wait(int ms) { PumpUntil([] { return false; }, ms); }
    void Post(UINT msg, WPARAM keys, int x, int y) {
        PostMessageA(form->WindowHandle(), msg, keys, MAKELPARAM(x, y));
    }
};

TEST_F(OtherButtonsTest, HeldControlButtonRepeatsItsClick) {
    auto* button = Add<TUiControlButton>(10, 10, 17, 21);
    button->SetStyle(cbsUp);
    button->SetRepeatClicks(true);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    Post(WM_LBUTTONDOWN, MK_LBUTTON, 15, 15);
    Wait(650);
    EXPECT_TRUE(button->Pressed());
    EXPECT_GE(clicks, 2) << "after 400 and 500 ms";
    EXPECT_LE(clicks, 3);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 200, 15);
    const int beforeRelease = clicks;
    Post(WM_LBUTTONUP, 0, 200, 15);
    Wait(100);
    EXPECT_EQ(clicks, beforeRelease + 0) << "no final click outside";
    EXPECT_FALSE(button->Pressed());
    Wait(300);
    EXPECT_EQ(clicks, beforeRelease) << "the timer stopped";

    clicks = 0;
    Post(WM_RBUTTONDOWN, MK_RBUTTON, 15, 15);
    Wait(550);
    Post(WM_RBUTTONUP, 0, 15, 15);
    Wait(50);
    EXPECT_EQ(clicks, 0) << "a right press is no press";
    Post(WM_LBUTTONDOWN, MK_LBUTTON, 15, 15);
    Post(WM_LBUTTONUP, 0, 15, 15);
    Wait(100);
    EXPECT_EQ(clicks, 1);
}

TEST_F(OtherButtonsTest, ControlButtonGlyphCellsAndFlatBorder) {
    auto* button = Add<TUiControlButton>(10, 10, 24, 24);
    TBitmap strip;
    strip.SetSize(32, 16);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(TRect(0, 0, 16, 16));
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(TRect(16, 0, 32, 16));
    button->SetGlyph(&strip);
    EXPECT_EQ(button->NumGlyphs(), 2);
    strip.SetSize(40, 16);
    button->SetGlyph(&strip);
    EXPECT_EQ(button->NumGlyphs(), 2) << "40 x 16 does not divide";
    strip.SetSize(32, 16);
    button->SetGlyph(&strip);
    button->SetEnabled(false);
    Application->ProcessMessages();
    EXPECT_EQ(Snapshot(form).At(22, 22), ColorToRGB(clBlue)) << "the disabled cell";

    auto* spin = Add<TUiControlButton>(50, 10, 17, 21);
    spin->SetStyle(cbsDown);
    spin->SetFlat(true);
    Application->ProcessMessages();
    EXPECT_EQ(Snapshot(form).At(50, 10), ColorToRGB(clBtnFace)) << "no border at rest";
    spin->Perform(CM_MOUSEENTER);
    EXPECT_NE(Snapshot(form).At(50, 10), ColorToRGB(clBtnFace)) << "a border under the mouse";
}

// A 60 x 40 olive bitmap with a red disc from (4, 4) to (56, 36).
void DrawDisc(TBitmap& bitmap) {
    bitmap.SetSize(60, 40);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(clOlive);
    canvas->FillRect(TRect(0, 0, 60, 40));
    canvas->Brush()->SetColor(clRed);
    canvas->Pen()->SetColor(clRed);
    canvas->Ellipse(4, 4, 57, 37);
}

TEST_F(OtherButtonsTest, ShapeButtonBuildsBevelRingsAroundTheShape) {
    auto* button = Add<TUiShapeButton>(10, 10, 80, 80);
    TBitmap disc;
    DrawDisc(disc);
    button->SetBitmap(&disc);
    EXPECT_EQ(button->Width(), 64);
    EXPECT_EQ(button->Height(), 44);
    const int y = 20;
    const struct {
        TBitmap* image;
        int x;
        TColor color;
    } cases[] = {
        {button->BitmapUp(), 3, clBtnHighlight}, {button->BitmapUp(), 2, clBtnHighlight},
        {button->BitmapUp(), 1, cl3DDkShadow},   {button->BitmapUp(), 57, clBtnShadow},
        {button->BitmapUp(), 58, clBtnShadow},   {button->BitmapUp(), 59, cl3DDkShadow},
        {button->BitmapDown(), 3, clBtnShadow},  {button->BitmapDown(), 1, cl3DDkShadow},
        {button->BitmapDown(), 57, clBtnHighlight}, {button->BitmapDown(), 59, clOlive},
        {button->BitmapUp(), 30, clRed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.image->Canvas()->Pixels(c.x, y), ColorToRGB(c.color))
            << (c.image == button->BitmapUp() ? "up " : "down ") << c.x;

    button->SetBevelWidth(5);
    EXPECT_EQ(button->BevelWidth(), 2);
    button->SetCaptionX(5);
    EXPECT_EQ(button->CaptionPosition(), cpXY);
}

TEST_F(OtherButtonsTest, ShapeButtonClicksOnlyOnTheShape) {
    auto* button = Add<TUiShapeButton>(10, 10, 80, 80);
    TBitmap disc;
    DrawDisc(disc);
    button->SetBitmap(&disc);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_FALSE(button->PtInMask(0, 0));
    EXPECT_TRUE(button->PtInMask(30, 20));
    PostClick(form->WindowHandle(), 10 + 1, 10 + 1);
    Wait(100);
    EXPECT_EQ(clicks, 0);
    PostClick(form->WindowHandle(), 10 + 30, 10 + 20);
    Wait(100);
    EXPECT_EQ(clicks, 1);
}

TEST_F(OtherButtonsTest, ToolbarButtonSwapsInItsHotGlyphAndHidesItsCaption) {
    auto* button = Add<TUiToolbarButton>(10, 10, 40, 30);
    TBitmap normal, hot;
    normal.SetSize(16, 16);
    hot.SetSize(48, 16);
    button->SetGlyph(&normal);
    button->SetHotGlyph(&hot);
    EXPECT_TRUE(button->UseHotGlyph());
    EXPECT_EQ(button->HotNumGlyphs(), 3);
    button->Perform(CM_MOUSEENTER);
    EXPECT_EQ(button->Glyph()->Width(), 48);
    EXPECT_EQ(button->NumGlyphs(), 3);
    button->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(button->Glyph()->Width(), 16);
    EXPECT_EQ(button->NumGlyphs(), 1);

    button->SetCaption("Print");
    button->SetShowCaption(false);
    EXPECT_EQ(button->Caption(), "");
    button->SetCaption("Preview");
    EXPECT_EQ(button->Caption(), "");
    button->SetShowCaption(true);
    EXPECT_EQ(button->Caption(), "Preview");
}

}  // namespace
