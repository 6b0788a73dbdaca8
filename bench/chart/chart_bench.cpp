// Times the application's test chart (2-D, six line series without symbols, a check-box legend,
// title and foot, a date-time bottom axis, 720 readings) painted into a 1024 x 600 DIB against
// the floor of bare GDI drawing the same polylines and the same label texts into that DIB.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "Chart.h"
#include "LineSeries.h"
#include "cl_datetime.h"
#include "cl_forms.h"

namespace {

constexpr int Width = 1024, Height = 600, Readings = 720, SeriesCount = 6;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

struct PlacedText {
    int x, y;
    std::string text;
};

// A chart canvas that notes the texts it is asked to draw.
class TextNotingCanvas : public TPlotCanvas3D {
public:
    using TPlotCanvas3D::TextOut;
    void TextOut(int x, int y, const AnsiString& text) override {
        Texts.push_back({x, y, text.str()});
        TPlotCanvas3D::TextOut(x, y, text);
    }
    std::vector<PlacedText> Texts;
};

TChart* MakeChart(TComponent* owner) {
    auto* chart = new TChart(owner);
    chart->SetBounds(0, 0, Width, Height);
    chart->SetView3D(false);
    chart->SetColor(clWhite);
    chart->SetBufferedDisplay(false);
    chart->Title()->SetCaption("Radon test 42");
    chart->Foot()->SetCaption("Monitor 6916");
    chart->Legend()->SetAlignment(laBottom);
    chart->Legend()->SetLegendStyle(lsSeries);
    chart->Legend()->SetCheckBoxes(true);
    chart->Legend()->SetTopPos(0);
    chart->Legend()->SetVertMargin(35);
    chart->BottomAxis->SetDateTimeFormat("dd.mm hh:nn");
    const double start = EncodeDate(2026, 12, 1);
    for (int s = 0; s < SeriesCount; ++s) {
        auto* series = new TLineSeries(owner);
        series->SetTitle(("Series " + std::to_string(s + 1)).c_str());
        series->XValues->SetDateTime(true);
        if (s > 0) series->SetVertAxis(aRightAxis);
        series->BeginUpdate();
        for (int i = 0; i < Readings; ++i)
            series->AddXY(start + i / 24.0, 100 + 40 * s + 30 * std::sin(i / 30.0 + s));
        series->EndUpdate();
        chart->AddSeries(series);
    }
    return chart;
}

// The series' pixel points and the texts of one drawing, for the floor.
struct GdiFloor {
    std::vector<std::vector<POINT>> lines;
    std::vector<PlacedText> texts;
};

GdiFloor CaptureFloor(TChart* chart, TBitmap* bitmap) {
    auto* noting = new TextNotingCanvas;
    noting->SetUseBuffer(false);
    chart->SetInternalCanvas(noting);
    chart->Draw(bitmap->Canvas(), Rect(0, 0, Width, Height));
    GdiFloor gdiFloor;
    gdiFloor.texts = noting->Texts;
    for (int s = 0; s < chart->SeriesCount(); ++s) {
        TChartSeries* series = chart->GetSeries(s);
        std::vector<POINT> points;
        for (int i = 0; i < series->Count(); ++i)
            points.push_back({series->CalcXPos(i), series->CalcYPos(i)});
        gdiFloor.lines.push_back(points);
    }
    auto* plain = new TPlotCanvas3D;
    plain->SetUseBuffer(false);
    chart->SetInternalCanvas(plain);
    return gdiFloor;
}

void DrawFloor(const GdiFloor& gdiFloor, HDC dc) {
    PatBlt(dc, 0, 0, Width, Height, WHITENESS);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(200, 0, 0));
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    for (const auto& line : gdiFloor.lines) Polyline(dc, line.data(), static_cast<int>(line.size()));
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    SetBkMode(dc, TRANSPARENT);
    for (const PlacedText& t : gdiFloor.texts)
        TextOutA(dc, t.x, t.y, t.text.c_str(), static_cast<int>(t.text.size()));
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int paints = 20;
    Application->Initialize();
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    TChart* chart = MakeChart(owner.get());
    TOwnedPtr<TBitmap> bitmap(new TBitmap);
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(Width, Height);
    const GdiFloor gdiFloor = CaptureFloor(chart, bitmap.get());
    std::printf("test chart, %d series of %d readings, %d texts, %d x %d DIB, %d paints per round\n",
                SeriesCount, Readings, static_cast<int>(gdiFloor.texts.size()), Width, Height, paints);
    std::vector<double> ratios;
    for (int r = 0; r < rounds; ++r) {
        LARGE_INTEGER a, b, c;
        QueryPerformanceCounter(&a);
        for (int p = 0; p < paints; ++p) chart->Draw(bitmap->Canvas(), Rect(0, 0, Width, Height));
        QueryPerformanceCounter(&b);
        HDC dc = bitmap->Canvas()->Handle();
        for (int p = 0; p < paints; ++p) DrawFloor(gdiFloor, dc);
        GdiFlush();
        QueryPerformanceCounter(&c);
        const double chartTime = Seconds(a, b) / paints, floorTime = Seconds(b, c) / paints;
        std::printf("  chart %.2f ms, floor %.2f ms, ratio %.2f\n", chartTime * 1000,
                    floorTime * 1000, chartTime / floorTime);
        ratios.push_back(chartTime / floorTime);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("ratio to the GDI floor: best %.2f, median %.2f (goal below 2)\n", ratios.front(),
                ratios[ratios.size() / 2]);
    return 0;
}
