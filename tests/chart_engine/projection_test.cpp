// The GDI chart canvas's drawing cycle (buffer, showing, redrawing), its three projections and
// their inverse, and clip regions that nest.
#include <gtest/gtest.h>

#include "PlotView3D.h"
#include "chart_test_support.h"

namespace {

TEST(ChartBuffer, BufferedDrawingHappensAtTheOriginAndIsShownAtTheRectangle) {
    auto destination = FilledBitmap(120, 80, clWhite);
    TPlotCanvas3D canvas;
    const TRect drawn =
        canvas.InitWindow(destination->Canvas(), nullptr, clWhite, false, Rect(10, 20, 110, 70));
    EXPECT_EQ(drawn, Rect(0, 0, 100, 50));
    ASSERT_NE(canvas.Buffer(), nullptr);
    EXPECT_EQ(canvas.TargetCanvas(), canvas.Buffer()->Canvas());
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(drawn);
    canvas.ShowImage(destination->Canvas(), destination->Canvas(), Rect(10, 20, 110, 70));
    EXPECT_TRUE(AllPixels(destination.get(), Rect(10, 20, 110, 70), clRed));
    EXPECT_EQ(PixelOf(destination.get(), 9, 19), clWhite);
    EXPECT_EQ(PixelOf(destination.get(), 110, 70), clWhite);
    EXPECT_EQ(canvas.TargetCanvas(), destination->Canvas());

    // A valid buffer repaints without drawing; a stale one does not.
    auto window = FilledBitmap(120, 80, clWhite);
    canvas.SetCanvas(window->Canvas());
    EXPECT_TRUE(canvas.ReDrawBitmap());
    EXPECT_TRUE(AllPixels(window.get(), Rect(0, 0, 100, 50), clRed));
    canvas.Invalidate();
    auto other = FilledBitmap(120, 80, clWhite);
    canvas.SetCanvas(other->Canvas());
    EXPECT_FALSE(canvas.ReDrawBitmap());
    EXPECT_TRUE(AllPixels(other.get(), Rect(0, 0, 120, 80), clWhite));
}

TEST(ChartBuffer, UnbufferedDrawingGoesStraightToTheTarget) {
    auto destination = FilledBitmap(40, 40, clWhite);
    TPlotCanvas3D canvas;
    canvas.SetUseBuffer(false);
    EXPECT_EQ(canvas.InitWindow(destination->Canvas(), nullptr, clWhite, false, Rect(5, 5, 30, 30)),
              Rect(5, 5, 30, 30));
    EXPECT_EQ(canvas.TargetCanvas(), destination->Canvas());
    EXPECT_EQ(canvas.Buffer(), nullptr);
}

struct ObliqueCase {
    int angle;
    int zoom;
    TPoint3D point;
    TPoint expected;
};

TEST(ChartProjection, ObliqueDepthGoesOffAtTheAngle) {
    const ObliqueCase cases[] = {
        {45, 100, {20, 30, 10}, {30, 20}},
        {135, 100, {20, 30, 10}, {10, 20}},
        {45, 100, {20, 30, 0}, {20, 30}},
        {45, 200, {20, 30, 10}, {10, -10}},  // about the centre (50, 50)
        {90, 100, {20, 30, 10}, {30, 20}},   // the cosine is below 0.01: rise 1
    };
    auto bitmap = FilledBitmap(100, 100, clWhite);
    for (const ObliqueCase& c : cases) {
        TView3DOptions options(nullptr);
        options.SetOrthoAngle(c.angle);
        options.SetZoom(c.zoom);
        TPlotCanvas3D canvas;
        canvas.InitWindow(bitmap->Canvas(), &options, clWhite, true, Rect(0, 0, 100, 100));
        canvas.Projection(0, Rect(0, 0, 100, 100), Rect(0, 0, 100, 100));
        EXPECT_EQ(canvas.Calculate3DPosition(c.point), c.expected) << c.angle << " " << c.zoom;
        int x = c.expected.X, y = c.expected.Y;
        canvas.Calculate2DPosition(x, y, c.point.Z);
        EXPECT_EQ(Point(x, y), Point(c.point.X, c.point.Y)) << c.angle << " " << c.zoom;
    }
}

TEST(ChartProjection, FlatDrawingsIgnoreDepth) {
    auto bitmap = FilledBitmap(100, 100, clWhite);
    TView3DOptions options(nullptr);
    options.SetZoom(300);
    TPlotCanvas3D canvas;
    canvas.InitWindow(bitmap->Canvas(), &options, clWhite, false, Rect(0, 0, 100, 100));
    canvas.Projection(40, Rect(0, 0, 100, 100), Rect(0, 0, 100, 100));
    EXPECT_EQ(canvas.Calculate3DPosition(17, 83, 25), Point(17, 83));
    EXPECT_EQ(canvas.CalcRect3D(Rect(1, 2, 3, 4), 9), Rect(1, 2, 3, 4));
}

TEST(ChartProjection, RotationTurnsDepthIntoWidth) {
    auto bitmap = FilledBitmap(200, 200, clWhite);
    TView3DOptions options(nullptr);
    options.SetOrthogonal(false);
    options.SetElevation(0);
    options.SetRotation(270);
    options.SetPerspective(0);
    TPlotCanvas3D canvas;
    canvas.InitWindow(bitmap->Canvas(), &options, clWhite, true, Rect(0, 0, 200, 200));
    canvas.Projection(40, Rect(0, 0, 200, 200), Rect(0, 0, 200, 200));
    ASSERT_EQ(canvas.CenterZ, 20);
    // Turned a quarter about the vertical axis, a point's x comes from its depth.
    EXPECT_EQ(canvas.Calculate3DPosition(30, 70, 20), Point(100, 70));
    EXPECT_EQ(canvas.Calculate3DPosition(180, 70, 35), Point(115, 70));
    EXPECT_EQ(canvas.Calculate3DPosition(0, 10, 0), Point(80, 10));
}

TEST(ChartProjection, RotatedPointsComeBackThroughTheInverse) {
    auto bitmap = FilledBitmap(300, 300, clWhite);
    TView3DOptions options(nullptr);
    options.SetOrthogonal(false);
    options.SetPerspective(0);
    options.SetTilt(10);
    options.SetElevation(330);
    options.SetRotation(20);
    TPlotCanvas3D canvas;
    canvas.InitWindow(bitmap->Canvas(), &options, clWhite, true, Rect(0, 0, 300, 300));
    canvas.Projection(60, Rect(0, 0, 300, 300), Rect(20, 20, 280, 280));
    for (const TPoint3D& p :
         {TPoint3D{150, 150, 30}, TPoint3D{40, 200, 10}, TPoint3D{260, 30, 55}}) {
        const TPoint screen = canvas.Calculate3DPosition(p);
        int x = screen.X, y = screen.Y;
        canvas.Calculate2DPosition(x, y, p.Z);
        EXPECT_NEAR(x, p.X, 2) << p.X << "," << p.Y;
        EXPECT_NEAR(y, p.Y, 2) << p.X << "," << p.Y;
    }
}

TEST(ChartProjection, PerspectiveHoldsOnlyAfterProjection) {
    auto bitmap = FilledBitmap(100, 100, clWhite);
    TView3DOptions options(nullptr);
    options.SetOrthogonal(false);
    TPlotCanvas3D canvas;
    canvas.InitWindow(bitmap->Canvas(), &options, clWhite, true, Rect(0, 0, 100, 100));
    EXPECT_FALSE(canvas.PerspectiveOn);
    canvas.Projection(0, Rect(0, 0, 100, 100), Rect(0, 0, 150, 100));
    EXPECT_TRUE(canvas.PerspectiveOn);
    EXPECT_NEAR(canvas.PerspectiveFactor, 15 * 1.0 / 150 / 150, 1e-12);
}

TEST(ChartClipping, FlatClipCubeLeavesTheFrameEdgesOut) {
    BitmapCanvas target(110, 110);
    target.canvas->ClipCube(Rect(0, 0, 100, 100), 0, 10);
    target.canvas->Brush()->SetColor(clRed);
    target.canvas->FillRect(Rect(0, 0, 110, 110));
    target.canvas->UnClipRectangle();
    EXPECT_EQ(CountPixels(target.bitmap.get(), Rect(0, 0, 110, 110), clRed), 99 * 98);
    EXPECT_EQ(target.At(1, 1), clRed);
    EXPECT_EQ(target.At(99, 98), clRed);
    EXPECT_EQ(target.At(0, 0), clWhite);
    EXPECT_EQ(target.At(99, 99), clWhite);
}

TEST(ChartClipping, AnInnerUnclipKeepsTheOuterClip) {
    BitmapCanvas target(100, 100);
    TPlotCanvas3D& canvas = *target.canvas;
    ClipCanvas(canvas.TargetCanvas(), Rect(10, 10, 60, 60));  // e.g. a report's chart area
    canvas.ClipRectangle(Rect(30, 30, 90, 90));
    canvas.ClipEllipse(Rect(0, 0, 20, 20), true);
    canvas.UnClipRectangle();
    canvas.UnClipRectangle();
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 100, 100));
    EXPECT_EQ(CountPixels(target.bitmap.get(), Rect(0, 0, 100, 100), clRed), 50 * 50);
    UnClipCanvas(canvas.TargetCanvas());
    canvas.Brush()->SetColor(clBlue);
    canvas.FillRect(Rect(0, 0, 100, 100));
    EXPECT_TRUE(AllPixels(target.bitmap.get(), Rect(0, 0, 100, 100), clBlue));
}

TEST(ChartClipping, NestedClipsIntersect) {
    BitmapCanvas target(100, 100);
    TPlotCanvas3D& canvas = *target.canvas;
    canvas.ClipRectangle(Rect(10, 10, 60, 60));
    TPoint triangle[3] = {{0, 0}, {100, 0}, {0, 100}};
    canvas.ClipPolygon(triangle, 3);
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 100, 100));
    canvas.UnClipRectangle();
    canvas.UnClipRectangle();
    EXPECT_EQ(target.At(20, 20), clRed);
    EXPECT_EQ(target.At(55, 55), clWhite);  // inside the rectangle, outside the triangle
    EXPECT_EQ(target.At(5, 5), clWhite);    // inside the triangle, outside the rectangle
}

TEST(ChartDepthForms, FlatDrawingDrawsTheFlatShapes) {
    BitmapCanvas depth(60, 60), flat(60, 60);
    for (BitmapCanvas* target : {&depth, &flat}) {
        target->canvas->Brush()->SetColor(clBlue);
        target->canvas->Pen()->SetColor(clRed);
    }
    depth.canvas->EllipseWithZ(5, 5, 40, 30, 17);
    flat.canvas->Ellipse(5, 5, 41, 31);
    depth.canvas->RectangleWithZ(Rect(10, 40, 50, 55), 9);
    const TPoint quad[4] = {{10, 40}, {50, 40}, {50, 55}, {10, 55}};
    flat.canvas->Polygon(quad, 4);
    depth.canvas->LineWithZ(0, 58, 59, 58, 3);
    flat.canvas->Line(0, 58, 59, 58);
    EXPECT_TRUE(SameImage(depth.bitmap.get(), flat.bitmap.get()));
}

TEST(ChartDepthForms, PictureInDepthLeavesTheCallersBitmapAlone) {
    BitmapCanvas target(40, 40);
    TBitmap picture;
    picture.SetPixelFormat(pf32bit);
    picture.SetSize(2, 2);
    picture.Canvas()->Brush()->SetColor(clRed);
    picture.Canvas()->FillRect(Rect(0, 0, 2, 2));
    picture.Canvas()->SetPixels(1, 1, clBlue);
    target.canvas->StretchDraw(Rect(10, 10, 30, 30), &picture, 5);
    EXPECT_EQ(picture.PixelFormat(), pf32bit);
    EXPECT_EQ(target.At(12, 12), clRed);
    EXPECT_EQ(target.At(27, 27), clBlue);
    EXPECT_EQ(target.At(9, 9), clWhite);
    EXPECT_EQ(target.At(30, 30), clWhite);
}

TEST(ChartDepthForms, WidePixelsIgnoreTheColour) {
    BitmapCanvas target(20, 20);
    target.canvas->Pen()->SetColor(clBlue);
    target.canvas->SetPixel3D(5, 5, 0, clRed);
    EXPECT_EQ(target.At(5, 5), clRed);
    target.canvas->Pen()->SetWidth(3);
    target.canvas->SetPixel3D(12, 12, 0, clRed);
    EXPECT_EQ(CountPixels(target.bitmap.get(), Rect(0, 0, 20, 20), clRed), 1);
}

}  // namespace
