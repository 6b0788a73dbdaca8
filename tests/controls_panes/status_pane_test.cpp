// Status pane base and progress pane: auto-size, caption placement, frames and dividers as
// painted, blinking, the size grip seen through a pane, frame controller, hints, glyphs, and
// the progress bar counted in parts and drawn in its styles.
#include <string>

#include "UiFrameController.h"
#include "UiProgressStatus.h"
#include "cl_actions.h"
#include "cl_imagelist.h"
#include "pane_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

TEST_F(PaneTest, AutoSizeMeasuresTheWholeCaption) {
    auto* pane = AddPane<TUiStatusPane>();
    pane->SetAutoSize(true);
    for (TFrameStyle style : {fsNone, fsFlat, fsFlatBold}) {
        pane->SetFrameStyle(style);
        pane->SetCaption("");
        EXPECT_EQ(pane->Width(), 40) << style;
    }
    pane->SetCaption("Ready");
    EXPECT_EQ(pane->Width(), TextWidth(pane->Font(), "Ready") + 10);
    const AnsiString longCaption = AnsiString(std::string(290, 'x').c_str()) + "WWWWWWWWWW";
    pane->SetCaption(longCaption);
    EXPECT_EQ(pane->Width(), TextWidth(pane->Font(), longCaption) + 10);
    pane->SetCaptionOffset(5);
    EXPECT_EQ(pane->Width(), TextWidth(pane->Font(), longCaption) + 13);
    pane->Font()->SetSize(20);
    EXPECT_EQ(pane->Width(), TextWidth(pane->Font(), longCaption) + 13);
}

TEST_F(PaneTest, CaptionRectangleShrinksByBorderAndFrame) {
    auto* pane = AddPane<TUiStatusPane>();
    const struct {
        TFrameStyle style;
        int border, inset;
    } cases[] = {{fsNone, 1, 1}, {fsFlat, 1, 2}, {fsStatus, 0, 1}, {fsFlatBold, 1, 3},
                 {fsLowered, 2, 4}, {fsButtonUp, 0, 2}};
    for (const auto& c : cases) {
        pane->SetFrameStyle(c.style);
        pane->SetBorderWidth(c.border);
        const TRect r = pane->GetCaptionRect();
        EXPECT_EQ(r.Left, c.inset) << c.style;
        EXPECT_EQ(r.Top, c.inset) << c.style;
        EXPECT_EQ(r.Right, pane->Width() - c.inset) << c.style;
        EXPECT_EQ(r.Bottom, pane->Height() - c.inset) << c.style;
    }
}

TEST_F(PaneTest, OpaquePaneDrawsFillFlatFrameWithOpenCornersAndCaption) {
    auto* pane = AddPane<TUiStatusPane>(120);
    pane->SetParentColor(false);
    pane->SetColor(clYellow);
    pane->SetTransparent(false);
    pane->SetFlatColor(clRed);
    pane->SetFlatColorAdjustment(0);
    pane->Font()->SetColor(clBlue);
    pane->SetCaption("MMMM");
    Application->ProcessMessages();
    Snapshot shot(form);
    const int h = pane->Height();
    EXPECT_EQ(shot.At(At(pane, 1, h / 2).X, At(pane, 1, h / 2).Y), ColorToRGB(clRed)) << "left";
    EXPECT_EQ(shot.At(At(pane, 118, h / 2).X, At(pane, 118, h / 2).Y), ColorToRGB(clRed));
    EXPECT_EQ(shot.At(At(pane, 1, 1).X, At(pane, 1, 1).Y), ColorToRGB(clYellow)) << "corner";
    EXPECT_EQ(shot.At(At(pane, 0, h / 2).X, At(pane, 0, h / 2).Y), ColorToRGB(clYellow));
    EXPECT_GT(shot.Count(Area(pane), clBlue), 10) << "caption";
    EXPECT_GT(shot.Count(Area(pane), clYellow), 100) << "fill";

    pane->SetFillColor(clLime);
    EXPECT_FALSE(pane->ParentFillColor());
    pane->SetEnabled(false);
    Application->ProcessMessages();
    Snapshot disabled(form);
    EXPECT_EQ(disabled.Count(Area(pane), clBlue), 0);
    EXPECT_GT(disabled.Count(Area(pane), clBtnShadow), 10);
    EXPECT_GT(disabled.Count(Area(pane), clLime), 100) << "caption background";
}

TEST_F(PaneTest, GradientStatusBarDrawsDividersExceptAtTheLeftEnd) {
    bar->SetVisualStyle(vsGradient);
    auto* first = AddPane<TUiStatusPane>(100);
    auto* second = AddPane<TUiStatusPane>(100);
    Application->ProcessMessages();
    TColor light, dark, divider;
    GetGradientStatusBarColors(bar->GradientColorStyle(), light, dark, divider);
    Snapshot shot(form);
    const int y = first->Height() / 2;
    const TPoint firstEdge = At(first, 1, y), secondEdge = At(second, 1, y);
    EXPECT_NE(shot.At(firstEdge.X, firstEdge.Y), ColorToRGB(divider));
    EXPECT_EQ(shot.At(secondEdge.X, secondEdge.Y), ColorToRGB(divider));
    const TPoint inside = At(second, 50, y);
    EXPECT_NE(shot.At(inside.X, inside.Y), ColorToRGB(divider)) << "no frame";
}

TEST_F(PaneTest, PaneLoadedWithOwnColourPaintsOpaque) {
    BeginLoading(form);
    auto* pane = new TUiStatusPane(form);
    pane->SetParent(bar);
    pane->SetParentColor(false);
    pane->SetColor(clAqua);
    pane->SetAutoSize(true);
    pane->Font()->SetColor(clMaroon);
    EndLoading(form);
    EXPECT_FALSE(pane->Transparent());
    EXPECT_EQ(pane->CaptionColor(), clMaroon);
    EXPECT_EQ(pane->Width(), 40);
    EXPECT_EQ(pane->FillColor(), clAqua);
}

TEST_F(PaneTest, BlinkingPanesShareThePhaseAndTheIntervals) {
    auto* a = AddPane<TUiStatusPane>();
    auto* b = AddPane<TUiStatusPane>();
    for (auto* pane : {a, b}) {
        pane->SetCaption("Busy");
        pane->SetBlinkColor(clRed);
        pane->SetBlinking(true);
    }
    a->SetBlinkIntervalOn(120);
    EXPECT_EQ(b->GetBlinkIntervalOn(), 120);
    a->SetBlinkIntervalOff(80);
    EXPECT_EQ(b->GetBlinkIntervalOff(), 80);
    ASSERT_TRUE(PumpUntil([&] { return a->CaptionColor() == clRed; }, 3000));
    EXPECT_EQ(b->CaptionColor(), clRed);
    ASSERT_TRUE(PumpUntil([&] { return a->CaptionColor() != clRed; }, 3000));
    EXPECT_EQ(b->CaptionColor(), b->Font()->Color());
    ASSERT_TRUE(PumpUntil([&] { return a->CaptionColor() == clRed; }, 3000));
    a->SetBlinking(false);
    EXPECT_EQ(a->CaptionColor(), a->Font()->Color()) << "restored at once";
    EXPECT_EQ(a->Perform(CM_GETBLINKING), 0);
    EXPECT_EQ(b->Perform(CM_GETBLINKING), 1);
    a->Perform(CM_BLINK, bsOff);
    EXPECT_EQ(a->CaptionColor(), a->Font()->Color()) << "not blinking";
    a->SetBlinkIntervalOn(500);
    a->SetBlinkIntervalOff(500);
}

TEST_F(PaneTest, SizeGripAnswersThroughThePaneUnderIt) {
    bar->SetShowSizeGrip(true);
    auto* left = AddPane<TUiStatusPane>(100);
    auto* right = AddPane<TUiStatusPane>(100, alClient);
    Application->ProcessMessages();
    const int edge = bar->GetClientRect().Right - right->Left();
    EXPECT_TRUE(right->UnderSizeGrip(right->ClientRect()));
    EXPECT_FALSE(left->UnderSizeGrip(left->ClientRect()));
    const struct {
        int x;
        bool grip;
    } cases[] = {{10, false}, {edge - 13, false}, {edge - 12, true}, {edge - 1, true}};
    for (const auto& c : cases) {
        const TPoint screen = right->ClientToScreen(TPoint(c.x, 5));
        const LRESULT expected =
            c.grip ? bar->Perform(WM_NCHITTEST, 0, MAKELPARAM(screen.X, screen.Y)) : HTCLIENT;
        EXPECT_EQ(right->Perform(CM_HITTEST, 0, MAKELPARAM(c.x, 5)), expected) << c.x;
    }
    bar->SetShowSizeGrip(false);
    EXPECT_EQ(right->Perform(CM_HITTEST, 0, MAKELPARAM(edge - 1, 5)), HTCLIENT);
}

TEST_F(PaneTest, FrameControllerSettingsAreTakenAsAdmitted) {
    auto* pane = AddPane<TUiStatusPane>();
    auto* controller = new TUiFrameController(form);
    controller->SetFrameStyle(fsLowered);
    controller->SetFrameColor(clRed);
    pane->SetFrameController(controller);
    EXPECT_EQ(pane->FrameStyle(), fsFlat) << "frame not visible";
    controller->SetFrameVisible(true);
    EXPECT_EQ(pane->FrameStyle(), fsLowered);
    EXPECT_EQ(pane->FlatColor(), clRed);
    EXPECT_EQ(pane->FlatColorAdjustment(), 0);
    auto* other = AddPane<TUiStatusPane>();
    other->SetFrameControllerNotifications(AllFrameControllerNotifications &
                                           ~(1u << fcpFrameStyle));
    other->SetFrameController(controller);
    EXPECT_EQ(other->FrameStyle(), fsFlat);
    EXPECT_EQ(other->FlatColor(), clRed);
    controller->Free();
    EXPECT_EQ(pane->FrameController(), nullptr);
    EXPECT_EQ(other->FrameController(), nullptr);
}

TEST_F(PaneTest, AutoHintTakesTheHintActionsText) {
    auto* pane = AddPane<TUiStatusPane>();
    auto* action = new THintAction(form);
    action->SetHint("Saving the report");
    EXPECT_FALSE(pane->ExecuteAction(action));
    EXPECT_EQ(pane->Caption(), "");
    pane->SetAutoHint(true);
    EXPECT_TRUE(pane->ExecuteAction(action));
    EXPECT_EQ(pane->Caption(), "Saving the report");
}

TEST_F(PaneTest, GlyphStripSetsItsCellCount) {
    auto* pane = AddPane<TUiGlyphStatus>();
    const struct {
        int width, height, before, after;
    } cases[] = {{48, 16, 1, 3}, {80, 16, 2, 1}, {20, 16, 2, 2}, {64, 16, 1, 4}};
    for (const auto& c : cases) {
        pane->SetNumGlyphs(c.before);
        TBitmap strip;
        strip.SetSize(c.width, c.height);
        pane->SetGlyph(&strip);
        EXPECT_EQ(pane->NumGlyphs(), c.after) << c.width;
    }
    pane->SetAutoSize(true);
    pane->SetCaption("Ok");
    EXPECT_EQ(pane->Width(), TextWidth(pane->Font(), "Ok") + 10 + 2 + 16);
}

TEST_F(PaneTest, DisabledGlyphPaneShowsTheSecondCell) {
    auto* pane = AddPane<TUiGlyphStatus>(80);
    TBitmap strip;
    strip.SetSize(32, 16);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(TRect(0, 0, 16, 16));
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(TRect(16, 0, 32, 16));
    strip.Canvas()->SetPixels(0, 15, clFuchsia);
    strip.Canvas()->SetPixels(16, 15, clFuchsia);
    strip.SetTransparentColor(clFuchsia);
    pane->SetGlyph(&strip);
    ASSERT_EQ(pane->NumGlyphs(), 2);
    Application->ProcessMessages();
    const TRect strip20(Area(pane).Left, Area(pane).Top, Area(pane).Left + 24, Area(pane).Bottom);
    Snapshot enabled(form);
    EXPECT_GT(enabled.Count(strip20, clRed), 100);
    EXPECT_EQ(enabled.Count(strip20, clBlue), 0);
    EXPECT_EQ(enabled.Count(strip20, clFuchsia), 0) << "transparent colour left out";
    pane->SetEnabled(false);
    Application->ProcessMessages();
    Snapshot disabled(form);
    EXPECT_GT(disabled.Count(strip20, clBlue), 100);
    EXPECT_EQ(disabled.Count(strip20, clRed), 0);
    pane->SetNumGlyphs(1);
    Application->ProcessMessages();
    Snapshot single(form);
    EXPECT_GT(single.Count(strip20, clRed), 100);
}

TEST_F(PaneTest, ImageListPictureReplacesTheGlyphAndFollowsTheList) {
    auto* pane = AddPane<TUiGlyphStatus>(80);
    auto* images = new TImageList(form, 12, 12);
    TBitmap cell;
    cell.SetSize(24, 12);
    cell.Canvas()->Brush()->SetColor(clRed);
    cell.Canvas()->FillRect(TRect(0, 0, 12, 12));
    cell.Canvas()->Brush()->SetColor(clBlue);
    cell.Canvas()->FillRect(TRect(12, 0, 24, 12));
    images->Add(&cell, nullptr);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(clLime);
    glyph.Canvas()->FillRect(TRect(0, 0, 16, 16));
    glyph.Canvas()->SetPixels(0, 15, clFuchsia);  // the transparent colour
    pane->SetGlyph(&glyph);
    pane->SetImages(images);
    const TRect picture(Area(pane).Left, Area(pane).Top, Area(pane).Left + 20, Area(pane).Bottom);
    auto shown = [&](TColor color) {
        Application->ProcessMessages();
        return Snapshot(form).Count(picture, color);
    };
    EXPECT_EQ(shown(clRed), 0) << "no image chosen: the glyph";
    EXPECT_GT(shown(clLime), 100);
    pane->SetImageIndex(0);
    EXPECT_GT(shown(clRed), 100);
    EXPECT_EQ(shown(clLime), 0);
    pane->SetDisabledIndex(1);
    pane->SetEnabled(false);
    EXPECT_GT(shown(clBlue), 100);
    EXPECT_EQ(shown(clRed), 0);
    images->Free();
    EXPECT_EQ(pane->Images(), nullptr);
    EXPECT_GT(shown(clLime), 0) << "back to the glyph";
}

TEST_F(PaneTest, ProgressCountsPartsRoundingHalvesToEven) {
    auto* pane = AddPane<TUiProgressStatus>();
    pane->SetTotalParts(8);
    const int expected[] = {12, 25, 38, 50, 62, 75, 88, 100};
    for (int percent : expected) {
        pane->IncPartsByOne();
        EXPECT_EQ(pane->Percent(), percent) << pane->PartsComplete();
    }
    pane->SetTotalParts(10);
    EXPECT_EQ(pane->PartsComplete(), 0u);
    EXPECT_EQ(pane->Percent(), 0);
    pane->SetPartsComplete(20);
    EXPECT_EQ(pane->PartsComplete(), 10u);
    EXPECT_EQ(pane->Percent(), 100);
    pane->SetTotalParts(0);
    EXPECT_EQ(pane->PartsComplete(), 0u);
    EXPECT_EQ(pane->Percent(), 0);
    pane->SetPercent(30);
    pane->SetPartsComplete(5);
    EXPECT_EQ(pane->Percent(), 30) << "parts not counted";
}

TEST_F(PaneTest, ProgressBarFillsItsShareAndFullBeyondAHundred) {
    auto* pane = AddPane<TUiProgressStatus>(104);
    pane->SetBorderWidth(0);
    pane->SetFrameStyle(fsNone);
    pane->SetParentColor(false);
    pane->SetColor(clYellow);
    pane->SetTransparent(false);
    pane->SetBarColor(clRed);
    pane->SetBarColorStop(clRed);
    const TRect area = Area(pane);
    const int rows = pane->Height() - 2;
    const struct {
        TBarStyle style;
        int percent;
        int red;
    } cases[] = {
        {bsTraditional, 50, 52 * rows}, {bsTraditional, 100, 104 * rows},
        {bsTraditional, 250, 104 * rows}, {bsGradient, 25, 26 * rows},
        {bsGradient, 400, 104 * rows},
    };
    auto redShown = [&] {
        Application->ProcessMessages();
        return Snapshot(form).Count(area, clRed);
    };
    for (const auto& c : cases) {
        pane->SetBarStyle(c.style);
        pane->SetPercent(static_cast<uint16_t>(c.percent));
        EXPECT_EQ(pane->Percent(), c.percent) << "stored as given";
        EXPECT_EQ(redShown(), c.red) << c.style << " " << c.percent;
    }
    // The segments stop at the bar's end: beyond a hundred lights them all, no more.
    pane->SetBarStyle(bsLED);
    pane->SetPercent(0);
    EXPECT_EQ(redShown(), 0);
    pane->SetPercent(100);
    const int full = redShown();
    EXPECT_GT(full, 40 * (rows - 2));
    pane->SetPercent(50);
    EXPECT_LT(redShown(), full * 6 / 10);
    pane->SetPercent(300);
    EXPECT_EQ(redShown(), full);
}

TEST_F(PaneTest, ProgressTextShowsTheStoredNumberAndGoesWithAStyleChange) {
    auto* pane = AddPane<TUiProgressStatus>(120);
    pane->SetShowPercent(true);
    pane->SetPercent(150);
    pane->SetBackColor(clLime);
    pane->SetBarColor(clNavy);
    Application->ProcessMessages();
    Snapshot shot(form);
    EXPECT_GT(shot.Count(Area(pane), clLime), 5) << "150% drawn over the full bar";
    pane->SetBarStyle(bsGradient);
    EXPECT_FALSE(pane->ShowPercent());
}

TEST_F(PaneTest, MainWindowProgressPaneOnGradientBarShowsColourAndDivider) {
    bar->SetVisualStyle(vsGradient);
    bar->SetGradientColorStyle(gcsMSOffice);
    AddPane<TUiStatusPane>(60);
    auto* pane = AddPane<TUiProgressStatus>(150);
    pane->SetBarStyle(bsGradient);
    pane->SetBorderWidth(0);
    pane->SetTransparent(false);
    pane->SetParentColor(false);
    pane->SetColor(clBtnFace);
    pane->SetPercent(50);
    Application->ProcessMessages();
    TColor light, dark, divider;
    GetGradientStatusBarColors(gcsMSOffice, light, dark, divider);
    Snapshot shot(form);
    const TPoint edge = At(pane, 0, pane->Height() / 2);
    EXPECT_EQ(shot.At(edge.X, edge.Y), ColorToRGB(divider));
    const TPoint empty = At(pane, 140, pane->Height() / 2);
    EXPECT_EQ(shot.At(empty.X, empty.Y), ColorToRGB(clBtnFace));
    const TPoint top = At(pane, 140, 0);
    EXPECT_EQ(shot.At(top.X, top.Y), ColorToRGB(clBtnFace)) << "no frame";
}

}  // namespace
