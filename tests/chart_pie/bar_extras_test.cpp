// Bars: translucent bars mixed with what lies under them, and clicks on bars drawn in 3-D.
#include <gtest/gtest.h>

#include <cstdlib>

#include "BarSeries.h"
#include "PlotMarks.h"
#include "chart_fixture.h"

namespace {

class BarExtrasTest : public ::testing::Test {
protected:
    void SetUp() override {
        drawn.chart->Legend()->SetVisible(false);
        drawn.chart->Title()->SetVisible(false);
        drawn.chart->LeftAxis->Grid()->SetVisible(false);
        drawn.chart->BottomAxis->Grid()->SetVisible(false);
    }
    TBarSeries* Bars(std::initializer_list<double> values) {
        auto* bars = new TBarSeries(drawn.owner);
        for (double v : values) bars->Add(v);
        bars->SetSeriesColor(clRed);
        bars->Marks()->SetVisible(false);
        drawn.chart->AddSeries(bars);
        return bars;
    }
    COLORREF Pixel(int x, int y) { return GetPixel(drawn.bitmap->Canvas()->Handle(), x, y); }
    TPoint Project(int x, int y, int z) {
        return drawn.chart->InternalCanvas->Calculate3DPosition(x, y, z);
    }

    BitmapChart drawn{400, 300};
};

TEST_F(BarExtrasTest, TransparentBarsLetTheBackgroundShowThrough) {
    for (int transparency : {0, 25, 50, 100}) {
        SCOPED_TRACE(transparency);
        BitmapChart chart(400, 300);
        chart.chart->Legend()->SetVisible(false);
        chart.chart->LeftAxis->Grid()->SetVisible(false);
        auto* bars = new TBarSeries(chart.owner);
        bars->Add(8);
        bars->Add(5);
        bars->SetSeriesColor(clRed);
        bars->Marks()->SetVisible(false);
        bars->SetTransparency(transparency);
        chart.chart->AddSeries(bars);
        chart.Render();
        bars->CalcBarBounds(1);
        const TRect r = bars->BarBounds();
        const HDC dc = chart.bitmap->Canvas()->Handle();
        const int x = (r.Left + r.Right) / 2;
        const COLORREF back = GetPixel(dc, x, r.Top - 4);  // above the lower bar
        const COLORREF pixel = GetPixel(dc, x, (r.Top + r.Bottom) / 2);
        auto mixed = [&](int bar, int background) {
            return (bar * (100 - transparency) + background * transparency) / 100;
        };
        EXPECT_LE(std::abs(GetRValue(pixel) - mixed(255, GetRValue(back))), 2);
        EXPECT_LE(std::abs(GetGValue(pixel) - mixed(0, GetGValue(back))), 2);
        EXPECT_LE(std::abs(GetBValue(pixel) - mixed(0, GetBValue(back))), 2);
    }
}

TEST_F(BarExtrasTest, TransparentBarsIn3DMixTheirSideFacesToo) {
    drawn.chart->SetView3D(true);
    drawn.chart->View3DOptions()->SetOrthogonal(true);
    TBarSeries* bars = Bars({5, 8});
    bars->SetTransparency(50);
    drawn.Render();
    bars->CalcBarBounds(1);
    const TRect r = bars->BarBounds();
    // The top face lies between the front and the back depth above the bar's top edge.
    const TPoint top = Project((r.Left + r.Right) / 2, r.Top, (bars->StartZ + bars->EndZ) / 2);
    const COLORREF pixel = Pixel(top.X, top.Y + 1);
    EXPECT_GT(GetGValue(pixel), 60);  // not the opaque face colour
    EXPECT_GT(GetRValue(pixel), GetGValue(pixel));
}

TEST_F(BarExtrasTest, ThreeDClicksFindTheDrawnBar) {
    drawn.chart->SetView3D(true);
    drawn.chart->View3DOptions()->SetOrthogonal(true);
    TBarSeries* bars = Bars({5, 8, 3});
    bars->SetDepthPercent(40);  // the front face lies inside the depth, shifted on screen
    drawn.Render();
    ASSERT_GT(bars->StartZ, 0);
    bars->CalcBarBounds(1);
    const TRect r = bars->BarBounds();
    const int midY = (r.Top + r.Bottom) / 2;
    const TPoint frontShift = Project(r.Left, midY, bars->StartZ);
    ASSERT_GT(std::abs(frontShift.X - r.Left) + std::abs(frontShift.Y - midY), 3);
    struct Case {
        int x, y;
        int expected;
    };
    const Case cases[] = {
        {(r.Left + r.Right) / 2, midY, 1},
        {r.Right - 1, midY, 1},
        {r.Left + 1, r.Top + 1, 1},
        {r.Left + 1, r.Top - 3, -1},
        {(r.Left + r.Right) / 2, r.Top - 4, -1},
    };
    for (const Case& c : cases) {
        const TPoint p = Project(c.x, c.y, bars->StartZ);
        EXPECT_EQ(bars->Clicked(p.X, p.Y), c.expected) << c.x << "," << c.y;
    }
}

TEST_F(BarExtrasTest, ThreeDPyramidClicksTestTheProjectedTriangle) {
    drawn.chart->SetView3D(true);
    drawn.chart->View3DOptions()->SetOrthogonal(true);
    TBarSeries* bars = Bars({5, 8, 3});
    bars->SetBarStyle(bsPyramid);
    drawn.Render();
    bars->CalcBarBounds(1);
    const TRect r = bars->BarBounds();
    const int midX = (r.Left + r.Right) / 2;
    const TPoint nearTip = Project(midX, r.Top + 6, bars->MiddleZ);
    EXPECT_EQ(bars->Clicked(nearTip.X, nearTip.Y), 1);
    const TPoint nearBase = Project(midX, r.Bottom - 2, bars->StartZ);
    EXPECT_EQ(bars->Clicked(nearBase.X, nearBase.Y), 1);
    // Beside the tip, inside the bar's rectangle but outside the triangle.
    const TPoint besideTip = Project(r.Left + 1, r.Top + 2, bars->StartZ);
    EXPECT_EQ(bars->Clicked(besideTip.X, besideTip.Y), -1);
}

}  // namespace
