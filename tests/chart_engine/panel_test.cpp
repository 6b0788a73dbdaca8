// The chart panel: its chart rectangle, drawing that survives a failing body, printing into a
// rectangle of another canvas, listeners, change-only setters, the background with shadow and
// back image, the XOR zoom rectangle and the anti-aliased picture.
#include <gtest/gtest.h>

#include "PlotProcs.h"
#include "cl_forms.h"
#include "chart_test_support.h"

namespace {

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel = MakePanel();
        panel->SetColor(clWhite);
    }
    // Draws the panel into a new white bitmap of the panel's size.
    std::unique_ptr<TBitmap> Render() {
        auto bitmap = FilledBitmap(panel->Width(), panel->Height(), clWhite);
        panel->Draw(bitmap->Canvas(), Rect(0, 0, panel->Width(), panel->Height()));
        return bitmap;
    }
    PanelPtr panel;
};

TEST_F(PanelTest, ChartRectangleOfTheDefaultPanel) {
    Render();
    EXPECT_EQ(panel->Width(), 400);
    EXPECT_EQ(panel->Height(), 250);
    EXPECT_EQ(panel->DrawBounds, Rect(0, 0, 400, 250));
    EXPECT_EQ(panel->ChartRect, Rect(13, 11, 387, 239));
    EXPECT_EQ(panel->ChartRectWidth, 374);
    EXPECT_EQ(panel->ChartRectHeight, 228);
    EXPECT_EQ(panel->ChartRectCenterX, 200);
    EXPECT_EQ(panel->ChartRectCenterY, 125);
}

TEST_F(PanelTest, ChartRectangleMarginsFramesAndCrossedEdges) {
    const struct {
        TPlotUnits units;
        int left, right;
        int borderWidth;
        TRect expected;
    } cases[] = {
        {muPixels, 10, 20, 0, Rect(11, 11, 379, 239)},
        {muPixels, 10, 20, 2, Rect(13, 13, 377, 237)},
        {muPixels, 300, 150, 0, Rect(301, 11, 302, 239)},  // crossed: one pixel wide
        {muPixels, 200, 198, 0, Rect(201, 11, 601, 239)},  // equal: the panel's width
        {muPercent, 0, 0, 0, Rect(1, 11, 399, 239)},
    };
    for (const auto& c : cases) {
        panel->SetMarginUnits(c.units);
        panel->SetMargin(0, c.left);
        panel->SetMargin(2, c.right);
        panel->SetBorderWidth(c.borderWidth);
        panel->SetMargin(1, c.units == muPixels ? 10 : 4);
        panel->SetMargin(3, c.units == muPixels ? 10 : 4);
        Render();
        EXPECT_EQ(panel->ChartRect, c.expected) << c.left << " " << c.right;
    }
}

TEST_F(PanelTest, UnchangedPropertiesNeverRepaint) {
    panel->Invalidations = 0;
    panel->SetMargin(0, 3);
    panel->SetMarginUnits(muPercent);
    panel->SetView3D(true);
    panel->Shadow()->SetSize(0);
    panel->Border()->SetVisible(false);
    EXPECT_EQ(panel->Invalidations, 0);
    panel->SetMargin(0, 5);
    panel->SetView3D(false);
    panel->Shadow()->SetColor(clRed);
    panel->Border()->Show();
    EXPECT_EQ(panel->Invalidations, 4);
    panel->RepaintEnabled = false;
    panel->SetMargin(0, 6);
    EXPECT_EQ(panel->Invalidations, 4);
}

TEST_F(PanelTest, AFailingBodyLeavesThePanelUsable) {
    panel->Body = [this](const TRect&) {
        panel->RepaintEnabled = false;
        throw Exception("drawing failed");
    };
    auto bitmap = FilledBitmap(400, 250, clWhite);
    EXPECT_THROW(panel->Draw(bitmap->Canvas(), Rect(0, 0, 400, 250)), Exception);
    EXPECT_TRUE(panel->RepaintEnabled);
    EXPECT_EQ(panel->InternalCanvas->TargetCanvas(), panel->ControlCanvas);
}

TEST_F(PanelTest, PrintingIntoARectangleScalesThePanelsLayout) {
    const struct {
        int shrink;
        TRect target;
        TRect logical;
    } cases[] = {
        {0, Rect(40, 20, 2040, 1270), Rect(8, 4, 408, 254)},
        {20, Rect(0, 0, 2000, 1250), Rect(0, 0, 320, 200)},
        {0, Rect(2040, 1270, 40, 20), Rect(8, 4, 408, 254)},  // given the other way round
    };
    for (const auto& c : cases) {
        auto page = FilledBitmap(2100, 1300, clWhite);
        panel->PrintShrinkPercent = c.shrink;
        TRect beforePrint;
        panel->OnBeforePrint = [&](TObject*, TCanvas*, const TRect& r) { beforePrint = r; };
        bool printing = false;
        panel->PaintBackground = false;
        panel->Body = [&](const TRect& bounds) {
            printing = panel->IsPrinting;
            panel->InternalCanvas->Brush()->SetColor(clRed);
            panel->InternalCanvas->FillRect(bounds);
        };
        panel->PrintPartialCanvas(page->Canvas(), c.target);
        EXPECT_TRUE(printing);
        EXPECT_FALSE(panel->IsPrinting);
        EXPECT_EQ(beforePrint, c.logical);
        EXPECT_EQ(panel->DrawBounds, c.logical);
        const TRect device = OrientRectangle(c.target);
        EXPECT_EQ(PixelOf(page.get(), device.Left, device.Top), clRed);
        EXPECT_EQ(PixelOf(page.get(), device.Right - 1, device.Bottom - 1), clRed);
        EXPECT_EQ(PixelOf(page.get(), device.Right, device.Bottom), clWhite);
        HDC dc = page->Canvas()->Handle();
        EXPECT_EQ(GetMapMode(dc), MM_TEXT);
        // Nothing stays clipped.
        page->Canvas()->Brush()->SetColor(clBlue);
        page->Canvas()->FillRect(Rect(0, 0, 2100, 1300));
        EXPECT_EQ(PixelOf(page.get(), 2099, 1299), clBlue);
    }
}

// A canvas with a mapping of its own (as a PDF page maps its page dots onto its reference
// device): the target is in the canvas's units, and the chart lands on the device where the
// canvas would draw that rectangle.
TEST_F(PanelTest, PrintingOntoAMappedCanvasLandsWhereItsTargetIs) {
    auto page = FilledBitmap(500, 400, clWhite);
    HDC dc = page->Canvas()->Handle();
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 600, 600, nullptr);
    SetViewportExtEx(dc, 100, 100, nullptr);
    panel->PaintBackground = false;
    panel->Body = [this](const TRect& bounds) {
        panel->InternalCanvas->Brush()->SetColor(clRed);
        panel->InternalCanvas->FillRect(bounds);
    };
    panel->PrintPartialCanvas(page->Canvas(), Rect(600, 300, 2400, 1800));
    SIZE window;
    GetWindowExtEx(dc, &window);
    EXPECT_EQ(window.cx, 600);
    SetMapMode(dc, MM_TEXT);
    EXPECT_EQ(PixelOf(page.get(), 100, 50), clRed);
    EXPECT_EQ(PixelOf(page.get(), 399, 299), clRed);
    EXPECT_EQ(PixelOf(page.get(), 400, 300), clWhite);
    EXPECT_EQ(PixelOf(page.get(), 99, 49), clWhite);
}

TEST_F(PanelTest, PrintingRestoresTheTargetWhenDrawingFails) {
    auto page = FilledBitmap(500, 400, clWhite);
    HDC dc = page->Canvas()->Handle();
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 100, 100, nullptr);
    SetViewportExtEx(dc, 200, 200, nullptr);
    panel->Body = [](const TRect&) { throw Exception("no chart"); };
    EXPECT_THROW(panel->PrintPartialCanvas(page->Canvas(), Rect(10, 10, 210, 135)), Exception);
    EXPECT_FALSE(panel->IsPrinting);
    EXPECT_FALSE(panel->InternalCanvas->Metafiling);
    EXPECT_TRUE(panel->GetBufferedDisplay());
    EXPECT_EQ(GetMapMode(dc), MM_ANISOTROPIC);
    SIZE window, viewport;
    GetWindowExtEx(dc, &window);
    GetViewportExtEx(dc, &viewport);
    EXPECT_EQ(window.cx, 100);
    EXPECT_EQ(viewport.cx, 200);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, clip), 0);
    DeleteObject(clip);
}

TEST_F(PanelTest, AnEmptyTargetRectangleIsRefused) {
    bool drawn = false;
    panel->Body = [&drawn](const TRect&) { drawn = true; };
    auto page = FilledBitmap(100, 100, clWhite);
    panel->PrintPartialCanvas(page->Canvas(), Rect(10, 10, 10, 60));
    panel->PrintPartialCanvas(page->Canvas(), Rect(10, 10, 60, 10));
    EXPECT_FALSE(drawn);
    EXPECT_TRUE(AllPixels(page.get(), Rect(0, 0, 100, 100), clWhite));
}

TEST_F(PanelTest, PrintingLeavesTheBackgroundAndBevelsOut) {
    panel->SetColor(clRed);
    panel->SetBounds(0, 0, 100, 80);
    auto page = FilledBitmap(100, 80, clWhite);
    panel->PrintPartialCanvas(page->Canvas(), Rect(0, 0, 100, 80));
    EXPECT_TRUE(AllPixels(page.get(), Rect(0, 0, 100, 80), clWhite));
    panel->GetGradient()->SetVisible(true);
    panel->GetGradient()->SetStartColor(clLime);
    panel->GetGradient()->SetEndColor(clLime);
    panel->PrintPartialCanvas(page->Canvas(), Rect(0, 0, 100, 80));
    EXPECT_TRUE(AllPixels(page.get(), Rect(0, 0, 100, 80), clLime));
    // On screen the bevel and the colour show.
    panel->SetGradient(nullptr);
    auto screen = Render();
    EXPECT_EQ(PixelOf(screen.get(), 50, 40), clRed);
    EXPECT_EQ(PixelOf(screen.get(), 99, 79), ColorToRGB(clBtnShadow));
}

TEST_F(PanelTest, ShadowMarginAndBorderPen) {
    panel->SetColor(clRed);
    panel->SetBounds(0, 0, 100, 80);
    panel->Shadow()->SetColor(clBlack);
    panel->Shadow()->SetSmooth(false);
    panel->Shadow()->SetSize(3);
    panel->SetBevelOuter(bvNone);
    panel->Border()->Show();
    panel->Border()->SetColor(clBlue);
    auto bitmap = Render();
    EXPECT_EQ(PixelOf(bitmap.get(), 0, 0), clBlue);
    EXPECT_EQ(PixelOf(bitmap.get(), 96, 76), clBlue);
    EXPECT_EQ(PixelOf(bitmap.get(), 50, 40), clRed);
    EXPECT_EQ(PixelOf(bitmap.get(), 98, 40), clBlack);
    EXPECT_EQ(PixelOf(bitmap.get(), 50, 78), clBlack);
    EXPECT_EQ(PixelOf(bitmap.get(), 98, 1), clRed);  // the strip's top shows the panel colour
}

struct Listener : IPlotEventListener {
    std::function<void(TPlotEvent*)> handle;
    int calls = 0;
    void HandlePlotEvent(TPlotEvent* event) override {
        ++calls;
        if (handle) handle(event);
    }
};

TEST_F(PanelTest, AHandledMouseEventStopsAtTheListenerThatTookIt) {
    Listener first, second;
    first.handle = [this](TPlotEvent* event) {
        EXPECT_EQ(event->Sender, panel.get());
        if (dynamic_cast<TPlotMouseEvent*>(event)) panel->MouseHandled = true;
    };
    EXPECT_EQ(panel->Listeners().Add(&first), 0);
    EXPECT_EQ(panel->Listeners().Add(&second), 1);
    EXPECT_EQ(panel->Listeners().Add(&first), 0);
    panel->BroadcastMouseEvent(meDown, mbLeft, {}, 5, 6);
    EXPECT_EQ(first.calls, 1);
    EXPECT_EQ(second.calls, 0);
    panel->SetView3D(false);
    EXPECT_EQ(first.calls, 2);
    EXPECT_EQ(second.calls, 1);
    EXPECT_EQ(panel->Listeners().Remove(&first), 0);
    EXPECT_EQ(panel->Listeners().Remove(&first), -1);
    panel->RemoveListener(&second);
    EXPECT_EQ(panel->Listeners().Count(), 0);
}

TEST_F(PanelTest, BackImageTilesAndCentres) {
    auto* recorder = new RecordingCanvas;
    panel->SetInternalCanvas(recorder);
    panel->SetBounds(0, 0, 100, 50);
    panel->SetBevelOuter(bvNone);
    panel->GetBackImage()->SetBitmap(FilledBitmap(30, 20, clRed).get());
    panel->SetBackImageMode(pbmTile);
    Render();
    std::vector<TPoint> expected;
    for (int y : {0, 20, 40})
        for (int x : {0, 30, 60, 90}) expected.push_back({x, y});
    EXPECT_EQ(recorder->Draws, expected);

    recorder->Draws.clear();
    panel->SetBounds(0, 0, 100, 80);
    panel->GetBackImage()->SetBitmap(FilledBitmap(50, 50, clRed).get());
    panel->SetBackImageMode(pbmCenter);
    auto bitmap = Render();
    EXPECT_EQ(recorder->Draws, std::vector<TPoint>{Point(25, 15)});
    EXPECT_EQ(PixelOf(bitmap.get(), 25, 15), clRed);
    EXPECT_EQ(PixelOf(bitmap.get(), 24, 15), clWhite);

    recorder->Draws.clear();
    panel->SetBackImageMode(pbmStretch);
    Render();
    EXPECT_TRUE(recorder->Draws.empty());
    EXPECT_EQ(recorder->Stretches, std::vector<TRect>{Rect(0, 0, 100, 80)});

    EXPECT_FALSE(panel->BackImageTransp());
    panel->SetBackImage(nullptr);
    EXPECT_FALSE(panel->HasBackImage());
    panel->SetBackImageTransp(true);
    EXPECT_FALSE(panel->BackImageTransp());
}

TEST_F(PanelTest, ZoomRectangleDrawnTwiceLeavesTheImage) {
    panel->SetColor(clSilver);
    auto bitmap = Render();
    auto before = FilledBitmap(400, 250, clWhite);
    before->Canvas()->Draw(0, 0, bitmap.get());
    panel->InternalCanvas->SetCanvas(bitmap->Canvas());
    TPlotZoom* zoom = panel->Zoom();
    zoom->Activate(20, 30);
    zoom->X1 = 150;
    zoom->Y1 = 120;
    panel->DrawZoomRectangle();
    EXPECT_FALSE(SameImage(bitmap.get(), before.get()));
    EXPECT_EQ(PixelOf(bitmap.get(), 80, 80), clSilver);  // a clear zoom brush fills nothing
    panel->DrawZoomRectangle();
    EXPECT_TRUE(SameImage(bitmap.get(), before.get()));

    zoom->GetBrush()->SetStyle(bsSolid);
    panel->DrawZoomRectangle();
    EXPECT_NE(PixelOf(bitmap.get(), 80, 80), clSilver);
    panel->DrawZoomRectangle();
    EXPECT_TRUE(SameImage(bitmap.get(), before.get()));
}

TEST_F(PanelTest, ZoomSettingsAndUndo) {
    TPlotZoom* zoom = panel->Zoom();
    EXPECT_TRUE(zoom->Allow);
    EXPECT_EQ(zoom->MinimumPixels, 16);
    EXPECT_EQ(zoom->Direction, tzdBoth);
    EXPECT_EQ(zoom->BrushIfAny(), nullptr);
    EXPECT_EQ(zoom->GetPen()->Color(), clWhite);
    EXPECT_EQ(zoom->GetBrush()->Style(), bsClear);
    zoom->X0 = 50;
    zoom->X1 = 10;
    zoom->Y0 = 5;
    zoom->Y1 = 20;
    zoom->Check();
    EXPECT_EQ(Rect(zoom->X0, zoom->Y0, zoom->X1, zoom->Y1), Rect(10, 5, 50, 20));
    TPlotZoom copy;
    zoom->MinimumPixels = 3;
    zoom->Animated = true;
    copy.Assign(zoom);
    EXPECT_TRUE(copy.Animated);
    EXPECT_EQ(copy.MinimumPixels, 16);
    int undos = 0;
    panel->OnUndoZoom = [&undos](TObject*) { ++undos; };
    panel->IsZoomed = true;
    panel->UndoZoom();
    EXPECT_EQ(undos, 1);
    EXPECT_FALSE(panel->IsZoomed);
    panel->SetAllowZoom(false);
    EXPECT_FALSE(zoom->Allow);
}

TEST_F(PanelTest, AntiAliasedPictureAveragesTheDoubleSizeDrawing) {
    panel->SetBounds(0, 0, 40, 30);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clBlue);
    panel->Body = [this](const TRect& bounds) {
        EXPECT_EQ(bounds, Rect(0, 0, 80, 60));
        EXPECT_FALSE(panel->RepaintEnabled);
        panel->InternalCanvas->Brush()->SetColor(clRed);
        panel->InternalCanvas->FillRect(Rect(0, 0, 41, 60));  // half a column past the middle
    };
    TOwnedPtr<TBitmap> picture(PlotAntiAlias(panel.get()));
    EXPECT_EQ(picture->Width(), 40);
    EXPECT_EQ(picture->Height(), 30);
    EXPECT_EQ(PixelOf(picture.get(), 5, 5), clRed);
    EXPECT_EQ(PixelOf(picture.get(), 20, 5), PlotRGB(127, 0, 127));
    EXPECT_EQ(PixelOf(picture.get(), 30, 5), clBlue);
    EXPECT_TRUE(panel->RepaintEnabled);
    EXPECT_TRUE(panel->GetBufferedDisplay());
    EXPECT_EQ(panel->View3DOptions()->FontZoom(), 100);
}

TEST_F(PanelTest, ReplacingTheCanvasKeepsItsSettings) {
    panel->SetMonochrome(true);
    auto* canvas = new TPlotCanvas3D;
    panel->SetInternalCanvas(canvas);
    EXPECT_EQ(panel->InternalCanvas, canvas);
    EXPECT_TRUE(panel->GetMonochrome());
    panel->SetInternalCanvas(nullptr);
    EXPECT_EQ(panel->InternalCanvas, canvas);
}

TEST(ChartPanelWindow, PaintsThroughItsBufferAndRepaintsFromIt) {
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    TForm* form = new TForm(owner.get());
    form->SetBounds(40, 40, 300, 200);
    auto* panel = new TestPanel(owner.get());
    panel->SetParent(form);
    panel->SetBounds(10, 10, 200, 120);
    panel->SetColor(clRed);
    int bodies = 0;
    panel->Body = [&bodies](const TRect&) { ++bodies; };
    form->Show();
    Application->ProcessMessages();
    UpdateWindow(panel->Handle());
    ASSERT_GE(bodies, 1);
    EXPECT_EQ(panel->GetRectangle(), panel->ClientRect());
    HDC dc = GetDC(panel->Handle());
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 100, 60)), clRed);
    ReleaseDC(panel->Handle(), dc);

    // A repaint of the window alone copies the still valid image.
    const int drawn = bodies;
    InvalidateRect(panel->Handle(), nullptr, FALSE);
    UpdateWindow(panel->Handle());
    EXPECT_EQ(bodies, drawn);
    // A change of the chart draws it afresh.
    panel->Invalidate();
    UpdateWindow(panel->Handle());
    EXPECT_EQ(bodies, drawn + 1);

    panel->SetBorderRound(20);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(panel->Handle(), region), ERROR);
    DeleteObject(region);
    form->Hide();
}

}  // namespace
