// Geometry and colour functions of the chart canvas, the convex hull, pie angles and the
// rotation of shape corners.
#include <gtest/gtest.h>

#include <algorithm>

#include "PlotCanvas3D.h"
#include "PlotShape.h"

namespace {

TEST(ChartGeometry, BoundsOfPointLists) {
    EXPECT_EQ(PolygonBounds(TPointArray{}), PlotZeroRect);
    EXPECT_EQ(PolygonBounds(TPointArray{{4, 7}}), Rect(4, 7, 4, 7));
    const TPoint one[1] = {{4, 7}};
    EXPECT_EQ(RectFromPolygon(one, 1), Rect(4, 7, 5, 8));
    const TPointArray points = {{5, 5}, {-2, 9}, {8, -1}, {3, 3}};
    EXPECT_EQ(PolygonBounds(points), Rect(-2, -1, 8, 9));
    EXPECT_EQ(RectFromPolygon(points.data(), 2), Rect(-2, 5, 6, 10));
    EXPECT_EQ(RectFromTriangle({0, 0}, {3, 1}, {1, 4}), Rect(0, 0, 4, 5));
}

TEST(ChartGeometry, CentresSizesAndEdges) {
    EXPECT_EQ(RectCenter(Rect(-3, -3, 0, 0)), Point(-1, -1));
    EXPECT_EQ(RectCenter(Rect(0, 0, 11, 5)), Point(5, 2));
    int w, h;
    RectSize(Rect(10, 20, 4, 30), w, h);
    EXPECT_EQ(w, -6);
    EXPECT_EQ(h, 10);
    EXPECT_EQ(OrientRectangle(Rect(10, 30, 4, 20)), Rect(4, 20, 10, 30));
    const TRect r(0, 0, 10, 10);
    for (const TPoint& p : {Point(0, 0), Point(10, 0), Point(10, 10), Point(0, 10), Point(5, 10)})
        EXPECT_TRUE(PointInRect(r, p)) << p.X << "," << p.Y;
    EXPECT_FALSE(PointInRect(r, 11, 5));
    EXPECT_FALSE(PointInRect(r, 5, -1));
}

TEST(ChartGeometry, CullingTellsTheTurnOfATriangle) {
    EXPECT_TRUE(PlotCull({0, 0}, {10, 0}, {10, 10}));
    EXPECT_FALSE(PlotCull({10, 10}, {10, 0}, {0, 0}));
    EXPECT_FALSE(PlotCull({0, 0}, {5, 5}, {10, 10}));  // a line has no turn
}

TEST(ChartGeometry, DarkAndBrightWorkPerChannelWithinTheByte) {
    EXPECT_EQ(ApplyDark(PlotRGB(200, 50, 64), 64), PlotRGB(136, 0, 0));
    EXPECT_EQ(ApplyBright(PlotRGB(200, 50, 250), 10), PlotRGB(210, 60, 255));
    EXPECT_EQ(ApplyBright(clSilver, 63), PlotRGB(255, 255, 255));
    const TRGBTriple triple = RGBValue(PlotRGB(1, 2, 3));
    EXPECT_EQ(triple.Red, 1);
    EXPECT_EQ(triple.Green, 2);
    EXPECT_EQ(triple.Blue, 3);
}

TEST(ChartGeometry, ConvexHullOfASquareWithItsCentreEndsWithThePivot) {
    TPointArray points = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}};
    ASSERT_TRUE(TPlotCanvas::ConvexHull(points));
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points.back(), Point(10, 0));
    for (const TPoint& corner : {Point(0, 0), Point(10, 10), Point(0, 10)})
        EXPECT_NE(std::find(points.begin(), points.end(), corner), points.end());
    TPointArray two = {{0, 0}, {1, 1}};
    EXPECT_FALSE(TPlotCanvas::ConvexHull(two));
    TPointArray three = {{0, 0}, {1, 1}, {2, 0}};
    EXPECT_TRUE(TPlotCanvas::ConvexHull(three));
    EXPECT_EQ(three.size(), 3u);
}

TEST(ChartGeometry, PieAnglesInDegreesWithAFullTurnForZeroEnd) {
    double start, end;
    TCanvas3D::CalcPieAngles(0, 0, 100, 100, 50, 0, 100, 50, start, end);
    EXPECT_NEAR(start, 90, 1e-9);
    EXPECT_NEAR(end, 360, 1e-9);
    TCanvas3D::CalcPieAngles(0, 0, 100, 100, 0, 50, 50, 100, start, end);
    EXPECT_NEAR(start, 180, 1e-9);
    EXPECT_NEAR(end, 270, 1e-9);
}

TEST(ChartGeometry, RotatedCornersTurnCounterClockwise) {
    const struct {
        TRect rect;
        double angle;
        TFourPoints expected;
    } cases[] = {
        {Rect(0, 0, 10, 10), 90, {TPoint(0, 10), TPoint(0, 0), TPoint(10, 0), TPoint(10, 10)}},
        {Rect(0, 0, 10, 10), 0, {TPoint(0, 0), TPoint(10, 0), TPoint(10, 10), TPoint(0, 10)}},
        {Rect(0, 0, 20, 10), 180, {TPoint(20, 10), TPoint(0, 10), TPoint(0, 0), TPoint(20, 0)}},
    };
    for (const auto& c : cases) {
        TFourPoints points;
        RectToFourPoints(c.rect, c.angle, points);
        EXPECT_EQ(points, c.expected) << c.angle;
    }
}

}  // namespace
