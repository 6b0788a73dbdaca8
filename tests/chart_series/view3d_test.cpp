// The chart in 3-D: walls taking their depth from the chart rectangle and drawn as planes, line
// segments and area strips through the series' depth, and the line's legend symbol.
#include <gtest/gtest.h>

#include "AreaSeries.h"
#include "PlotGeometry.h"
#include "chart_fixture.h"
#include "chart_test_support.h"

namespace {

// Logs the 3-D planes too, each with the brush colour it is filled with.
class PlaneCanvas : public CallLogCanvas {
public:
    explicit PlaneCanvas(CallLog* log) : CallLogCanvas(log) {}
    void Plane3D(const TPoint& a, const TPoint& b, int z0, int z1) override {
        Note("Plane3D", {a.X, a.Y, b.X, b.Y, z0, z1});
        CallLogCanvas::Plane3D(a, b, z0, z1);
    }
    void PlaneFour3D(const TFourPoints& p, int z0, int z1) override {
        Note("PlaneFour3D", {p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y, p[3].X, p[3].Y, z0,
                             z1});
        CallLogCanvas::PlaneFour3D(p, z0, z1);
    }
    void RectangleZ(int x, int y0, int y1, int z0, int z1) override {
        Note("RectangleZ", {x, y0, y1, z0, z1});
        CallLogCanvas::RectangleZ(x, y0, y1, z0, z1);
    }
    void RectangleY(int x0, int y, int x1, int z0, int z1) override {
        Note("RectangleY", {x0, y, x1, z0, z1});
        CallLogCanvas::RectangleY(x0, y, x1, z0, z1);
    }
    // The brush colour of each noted plane, in order.
    std::vector<TColor> Brushes;

private:
    void Note(const char* name, std::initializer_list<int> values) {
        Log->push_back(CallText(name, values));
        Brushes.push_back(Brush()->Color());
    }
};

// Records the chart rectangle before and after the walls took their depth.
class WallProbe : public TChart {
public:
    explicit WallProbe(TComponent* owner) : TChart(owner) {}
    void CalcWallsRect() override {
        Before = ChartRect;
        TChart::CalcWallsRect();
        After = ChartRect;
    }
    TRect Before, After;
};

class View3DTest : public ::testing::Test {
protected:
    void SetUp() override {
        chart->SetBounds(0, 0, 400, 300);
        chart->SetBevelOuter(bvNone);
        chart->SetColor(clWhite);
        chart->Legend()->SetVisible(false);
        chart->SetView3D(true);
        chart->SetInternalCanvas(canvas);
    }
    void TearDown() override { TObject::Free(owner); }
    template <class T>
    T* Add(std::initializer_list<double> values) {
        auto* series = new T(owner);
        double x = 0;
        for (double v : values) series->AddXY(x++, v);
        chart->AddSeries(series);
        return series;
    }
    void Render() {
        log.clear();
        canvas->Brushes.clear();
        chart->Draw(bitmap->Canvas(), Rect(0, 0, 400, 300));
    }
    // The noted plane calls of one kind with their brush colours.
    std::vector<std::pair<std::string, TColor>> Planes(const std::string& prefix) {
        std::vector<std::pair<std::string, TColor>> planes;
        size_t noted = 0;
        for (const std::string& entry : log) {
            const bool isPlane = entry.rfind("Plane3D(", 0) == 0 ||
                                 entry.rfind("PlaneFour3D(", 0) == 0 ||
                                 entry.rfind("RectangleZ(", 0) == 0 ||
                                 entry.rfind("RectangleY(", 0) == 0;
            if (!isPlane) continue;
            if (entry.rfind(prefix, 0) == 0) planes.push_back({entry, canvas->Brushes[noted]});
            ++noted;
        }
        return planes;
    }

    TComponent* owner = new TComponent(nullptr);
    WallProbe* chart = new WallProbe(owner);
    std::unique_ptr<TBitmap> bitmap = FilledBitmap(400, 300, clWhite);
    CallLog log;
    PlaneCanvas* canvas = new PlaneCanvas(&log);
};

TEST_F(View3DTest, WallsTakeTheDepthFromTheChartRectangle) {
    struct Case {
        int orthoAngle, backSize, sideSize;
        bool sideVisible;
    };
    for (const Case& c : {Case{45, 0, 0, false}, Case{45, 6, 3, true}, Case{45, 6, 3, false},
                          Case{135, 4, 2, true}}) {
        chart->View3DOptions()->SetOrthoAngle(c.orthoAngle);
        chart->BackWall()->SetSize(c.backSize);
        chart->RightWall()->SetSize(c.sideSize);
        chart->RightWall()->SetVisible(c.sideVisible);
        chart->LeftWall()->SetSize(c.sideSize);
        chart->LeftWall()->SetVisible(c.sideVisible);
        if (chart->SeriesCount() == 0) Add<TLineSeries>({1, 3, 2});
        Render();
        const int width = std::abs(chart->DepthWidth), height = std::abs(chart->DepthHeight);
        ASSERT_GT(width, 0);
        const int side = c.sideVisible ? c.sideSize + 1 : 0;
        const TRect& before = chart->Before;
        const TRect& after = chart->After;
        const std::string at = "ortho angle " + std::to_string(c.orthoAngle);
        EXPECT_EQ(after.Top - before.Top, c.backSize + height) << at;
        EXPECT_EQ(after.Bottom, before.Bottom) << at;
        if (c.orthoAngle <= 90) {
            EXPECT_EQ(before.Right - after.Right, width + c.backSize + side) << at;
            EXPECT_EQ(after.Left, before.Left) << at;
        } else {
            EXPECT_EQ(after.Left - before.Left, width + c.backSize + side) << at;
            EXPECT_EQ(after.Right, before.Right) << at;
        }
    }
}

TEST_F(View3DTest, EachAxisTakesItsOwnWallsSize) {
    chart->LeftWall()->SetSize(2);
    chart->BottomWall()->SetSize(3);
    chart->RightWall()->SetSize(4);
    chart->RightWall()->SetVisible(true);
    chart->BackWall()->SetSize(5);
    const std::pair<TChartAxis*, int> sizes[] = {{chart->LeftAxis, 2}, {chart->BottomAxis, 3},
                                                 {chart->RightAxis, 4}, {chart->TopAxis, 5},
                                                 {chart->DepthAxis, 5}};
    for (const auto& [axis, size] : sizes) EXPECT_EQ(chart->CalcWallSize(axis), size);
    chart->RightWall()->SetVisible(false);
    EXPECT_EQ(chart->CalcWallSize(chart->RightAxis), 0);
    chart->SetView3DWalls(false);
    EXPECT_EQ(chart->CalcWallSize(chart->LeftAxis), 0);
    chart->SetView3DWalls(true);
    chart->SetView3D(false);
    EXPECT_EQ(chart->CalcWallSize(chart->BottomAxis), 0);
}

TEST_F(View3DTest, ThinWallsArePlanesAlongTheChartRectangle) {
    Add<TLineSeries>({1, 3, 2});
    Render();
    // The axes take their room after the walls did.
    const TRect r = chart->ChartRect;
    const int depth = chart->DepthWidth;
    EXPECT_EQ(CallsStartingWith(log, "RectangleWithZ("),
              CallLog{CallText("RectangleWithZ", {r.Left, r.Top, r.Right, r.Bottom, depth})});
    EXPECT_EQ(Planes("RectangleZ("),
              (std::vector<std::pair<std::string, TColor>>{
                  {CallText("RectangleZ", {r.Left, r.Top, r.Bottom, 0, depth}),
                   chart->LeftWall()->Color()}}));
    EXPECT_EQ(Planes("RectangleY("),
              (std::vector<std::pair<std::string, TColor>>{
                  {CallText("RectangleY", {r.Left, r.Bottom, r.Right, 0, depth}),
                   chart->BottomWall()->Color()}}));
}

TEST_F(View3DTest, LineSegmentsArePlanesThroughTheDepthAndSteepRisesDarker) {
    chart->LeftWall()->SetVisible(false);
    chart->BottomWall()->SetVisible(false);
    TLineSeries* line = Add<TLineSeries>({0, 100, 100, 50});
    line->SetSeriesColor(clRed);
    for (int height : {0, 5}) {
        line->SetLineHeight(height);
        Render();
        auto point = [&](int i) { return TPoint(line->CalcXPos(i), line->CalcYPos(i)); };
        const auto planes = Planes("Plane3D(");
        ASSERT_EQ(planes.size(), 3u) << height;
        for (int i = 1; i <= 3; ++i) {
            const bool steep = i == 1;
            const int lowered = steep ? height : 0;
            const TPoint a = point(i - 1), b = point(i);
            EXPECT_EQ(planes[i - 1].first,
                      CallText("Plane3D", {a.X, a.Y + lowered, b.X, b.Y + lowered, line->StartZ,
                                           line->EndZ}))
                << height << " " << i;
            EXPECT_EQ(planes[i - 1].second, steep ? ApplyDark(clRed, 64) : clRed)
                << height << " " << i;
        }
        const auto faces = Planes("PlaneFour3D(");
        const auto closing = Planes("RectangleZ(");
        if (height == 0) {
            EXPECT_TRUE(faces.empty());
            EXPECT_TRUE(closing.empty());
            continue;
        }
        ASSERT_EQ(faces.size(), 3u);
        const TPoint a = point(2), b = point(3);
        EXPECT_EQ(faces[2].first,
                  CallText("PlaneFour3D", {a.X, a.Y, b.X, b.Y, b.X, b.Y + 5, a.X, a.Y + 5,
                                           line->StartZ, line->StartZ}));
        ASSERT_EQ(closing.size(), 1u);
        EXPECT_EQ(closing[0].first,
                  CallText("RectangleZ", {b.X, b.Y, b.Y + 5, line->StartZ, line->EndZ}));
    }
}

TEST_F(View3DTest, AreaStripsLieOnTheVisibleFaceAndCloseAtTheLastPoint) {
    chart->LeftWall()->SetVisible(false);
    chart->BottomWall()->SetVisible(false);
    TAreaSeries* area = Add<TAreaSeries>({1, 3, 2});
    for (int rotation : {345, 180}) {
        chart->View3DOptions()->SetOrthogonal(false);
        chart->View3DOptions()->SetRotation(rotation);
        Render();
        const int z = rotation == 180 ? area->EndZ : area->StartZ;
        const CallLog strips = CallsStartingWith(log, "PolygonWithZ(");
        ASSERT_EQ(strips.size(), 2u) << rotation;
        for (const std::string& strip : strips)
            EXPECT_EQ(strip.substr(strip.rfind(',') + 1), std::to_string(z) + ")") << rotation;
        const auto closing = Planes("RectangleZ(");
        ASSERT_EQ(closing.size(), 1u) << rotation;
        EXPECT_EQ(closing[0].first,
                  CallText("RectangleZ", {area->CalcXPos(2), area->CalcYPos(2),
                                          area->GetOriginPos(2), area->StartZ, area->EndZ}));
    }
}

TEST_F(View3DTest, ALinesLegendSymbolIsARectangleIn3DAndALineIn2D) {
    TLineSeries* line = Add<TLineSeries>({1, 2});
    CallLog symbolCalls;
    chart->OnAfterDraw = [&](TObject*) {
        log.clear();
        line->DrawLegendShape(-1, Rect(10, 20, 30, 30));
        symbolCalls = log;
    };
    for (bool view3D : {true, false}) {
        chart->SetView3D(view3D);
        Render();
        EXPECT_EQ(symbolCalls, CallLog{view3D ? CallText("Rectangle", {10, 20, 30, 30})
                                              : CallText("DoHorizLine", {10, 30, 25})})
            << view3D;
    }
}

}  // namespace
