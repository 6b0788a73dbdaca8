// Charts drawn with their grids and ticks written straight into DIB pixels and their long polylines
// drawn with the clip lifted, against the same charts drawn by GDI as they stand: the images must
// be equal pixel for pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "chart_fixture.h"
#include "chart_test_support.h"

namespace {

// Every flat line and polyline drawn by GDI as it stands: the reference the direct lines
// and the polylines drawn with the clip lifted must match.
class GdiLinesCanvas : public TPlotCanvas3D {
public:
    using TPlotCanvas3D::Polyline;
    void DoHorizLine(int x0, int x1, int y) override { Line(x0, y, x1, y); }
    void DoVertLine(int x, int y0, int y1) override { Line(x, y0, x, y1); }
    void Polyline(const TPoint* points, int count) override {
        ::Polyline(GetHandle(), reinterpret_cast<const POINT*>(points), count);
    }
};

// The application's test chart: six line series over a month of readings, a date-time bottom
// axis, a second scale on the right, a legend with check boxes, title and foot.
void AddTestChartSeries(BitmapChart& drawn) {
    TChart* chart = drawn.chart;
    chart->Title()->SetCaption("Radon test 42");
    chart->Foot()->SetCaption("Monitor 6916");
    chart->Legend()->SetAlignment(laBottom);
    chart->Legend()->SetCheckBoxes(true);
    chart->BottomAxis->SetDateTimeFormat("dd.mm hh:nn");
    const double start = EncodeDate(2026, 12, 1);
    for (int s = 0; s < 6; ++s) {
        auto* series = new TLineSeries(drawn.owner);
        series->SetTitle(("Series " + std::to_string(s + 1)).c_str());
        series->XValues->SetDateTime(true);
        if (s > 0) series->SetVertAxis(aRightAxis);
        for (int i = 0; i < 240; ++i)
            series->AddXY(start + i / 8.0, 100 + 40 * s + 30 * std::sin(i / 10.0 + s));
        chart->AddSeries(series);
    }
}

struct GridCase {
    const char* name;
    std::function<void(TChart*)> setUp;
    TRect chartRect;  // in a 300 x 220 bitmap; partly outside clips the chart
    bool buffered;
    TPixelFormat format;
};

TEST(ChartDirectGrid, ChartsMatchTheirGdiDrawingPixelForPixel) {
    const GridCase cases[] = {
        {"test chart", [](TChart*) {}, Rect(0, 0, 300, 220), false, pf24bit},
        {"test chart, buffered", [](TChart*) {}, Rect(0, 0, 300, 220), true, pf32bit},
        {"clipped on all sides", [](TChart*) {}, Rect(-37, -23, 341, 251), false, pf32bit},
        {"shifted into the bitmap", [](TChart*) {}, Rect(13, 7, 290, 211), false, pf24bit},
        {"top and inverted axes, centred grids",
         [](TChart* chart) {
             chart->TopAxis->SetVisible(true);
             chart->GetSeries(0)->SetHorizAxis(aTopAxis);
             chart->LeftAxis->SetInverted(true);
             chart->BottomAxis->SetInverted(true);
             chart->LeftAxis->SetGridCentered(true);
             chart->RightAxis->SetGridCentered(true);
         },
         Rect(-5, 3, 305, 215), false, pf24bit},
        {"minor grids, inner ticks, coloured grid and ticks, axis moved inward",
         [](TChart* chart) {
             chart->LeftAxis->MinorGrid()->SetVisible(true);
             chart->LeftAxis->TicksInner()->SetVisible(true);
             chart->BottomAxis->Ticks()->SetColor(clRed);
             chart->BottomAxis->MinorGrid()->SetVisible(true);
             chart->BottomAxis->Grid()->SetColor(clBlue);
             chart->RightAxis->SetPositionPercent(20);
         },
         Rect(0, 0, 300, 220), false, pf32bit},
        {"series running out of the chart, a wide pen",
         [](TChart* chart) {
             chart->RightAxis->SetMinMax(150, 250);
             static_cast<TLineSeries*>(chart->GetSeries(0))->LinePen()->SetWidth(3);
         },
         Rect(0, 0, 300, 220), false, pf24bit},
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(c.name);
        BitmapChart direct(300, 220), byGdi(300, 220);
        for (BitmapChart* drawn : {&direct, &byGdi}) {
            drawn->bitmap->SetPixelFormat(c.format);
            drawn->bitmap->Canvas()->Brush()->SetColor(clYellow);
            drawn->bitmap->Canvas()->FillRect(Rect(0, 0, 300, 220));
            AddTestChartSeries(*drawn);
            c.setUp(drawn->chart);
            TPlotCanvas3D* canvas = drawn == &direct ? new TPlotCanvas3D : new GdiLinesCanvas;
            canvas->SetUseBuffer(c.buffered);
            drawn->chart->SetInternalCanvas(canvas);
            drawn->chart->Draw(drawn->bitmap->Canvas(), c.chartRect);
        }
        EXPECT_TRUE(SameImage(direct.bitmap.get(), byGdi.bitmap.get()));
    }
}

}  // namespace
