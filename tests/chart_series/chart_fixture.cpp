// Charts for the chart component's tests.
#include "chart_fixture.h"

#include <cmath>

#include "chart_test_support.h"
#include "cl_datetime.h"

AppChart::AppChart() {
    Application->Initialize();
    owner = new TComponent(nullptr);
    form = new TForm(owner);
    form->SetBounds(20, 20, 720, 480);
    chart = new ProbeChart(owner);
    chart->SetParent(form);
    chart->SetBounds(0, 0, 700, 440);
    chart->SetView3D(false);
    chart->SetBevelOuter(bvNone);
    chart->SetColor(clWhite);
    chart->Title()->SetCaption("Radon test 42");
    TChartLegend* legend = chart->Legend();
    legend->SetAlignment(laBottom);
    legend->SetLegendStyle(lsSeries);
    legend->SetCheckBoxes(true);
    legend->SetTopPos(0);
    legend->SetVertMargin(35);
    chart->BottomAxis->SetDateTimeFormat("dd.mm hh:nn");
    const char* titles[] = {"Radon", "Action level", "Temperature", "Pressure", "Humidity"};
    const TColor colors[] = {clRed, clFuchsia, clGreen, clBlue, clTeal};
    const double start = EncodeDate(2026, 12, 1);
    for (int s = 0; s < 5; ++s) {
        auto* series = new TLineSeries(owner);
        series->SetTitle(titles[s]);
        series->SetSeriesColor(colors[s]);
        series->XValues->SetDateTime(true);
        if (s > 0) series->SetVertAxis(aRightAxis);
        if (s == 0) {
            series->SetVertAxis(aBothVertAxis);
            series->Pointer()->SetVisible(true);
            series->Pointer()->SetStyle(psDiamond);
        } else {
            series->LinePen()->SetStyle(s % 2 ? psDash : psDashDot);
        }
        for (int i = 0; i < 48; ++i)
            series->AddXY(start + i / 24.0, 100 + 40 * s + 30 * std::sin(i / 6.0 + s));
        chart->AddSeries(series);
        lines.push_back(series);
    }
    points = new TPointSeries(owner);
    points->SetTitle("Motion");
    points->SetSeriesColor(clBlack);
    points->Pointer()->SetStyle(psCircle);
    points->XValues->SetDateTime(true);
    for (int i = 5; i < 48; i += 12) points->AddXY(start + i / 24.0, 60);
    chart->AddSeries(points);
    form->Show();
    Paint();
}

AppChart::~AppChart() { TObject::Free(owner); }

void AppChart::Paint() {
    chart->Invalidate();
    Application->ProcessMessages();
    UpdateWindow(chart->Handle());
}

void AppChart::Drag(TMouseButton button, TPoint from, TPoint to) {
    const UINT down = button == mbLeft ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
    const UINT up = button == mbLeft ? WM_LBUTTONUP : WM_RBUTTONUP;
    const WPARAM held = button == mbLeft ? MK_LBUTTON : MK_RBUTTON;
    SendMessageA(Window(), down, held, MAKELPARAM(from.X, from.Y));
    const int steps = 4;
    for (int i = 1; i <= steps; ++i) {
        const int x = from.X + (to.X - from.X) * i / steps;
        const int y = from.Y + (to.Y - from.Y) * i / steps;
        SendMessageA(Window(), WM_MOUSEMOVE, held, MAKELPARAM(x, y));
    }
    SendMessageA(Window(), up, 0, MAKELPARAM(to.X, to.Y));
}

void AppChart::Click(TPoint at) {
    SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.X, at.Y));
    SendMessageA(Window(), WM_LBUTTONUP, 0, MAKELPARAM(at.X, at.Y));
}

TPoint AppChart::CheckBoxCentre(int index) {
    TChartLegend* legend = chart->Legend();
    const TRect r = legend->ShapeBounds;
    for (int y = r.Top; y <= r.Bottom; ++y)
        for (int x = r.Left; x <= r.Right; ++x)
            if (legend->Clicked(x, y) == index) return {x + 4, y + 8};
    return {-1, -1};
}

BitmapChart::BitmapChart(int width, int height)
    : owner(new TComponent(nullptr)),
      chart(new ProbeChart(owner)),
      bitmap(FilledBitmap(width, height, clWhite)) {
    chart->SetBounds(0, 0, width, height);
    chart->SetView3D(false);
    chart->SetBevelOuter(bvNone);
    chart->SetColor(clWhite);
}

BitmapChart::~BitmapChart() { TObject::Free(owner); }

void BitmapChart::Render() {
    chart->Draw(bitmap->Canvas(), Rect(0, 0, bitmap->Width(), bitmap->Height()));
}
