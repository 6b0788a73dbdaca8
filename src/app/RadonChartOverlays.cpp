// What the main window draws over the test chart after each paint (motion markers, the action
// level line, the summary row) and its answer to a click on the legend.
#include "RadonMainForm.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "Chart.h"
#include "LineSeries.h"
#include "Preferences.h"
#include "Radon.h"
#include "RadonTexts.h"
#include "cl_number.h"

namespace {

constexpr int ActionLevelPenWidth = 3;
constexpr int ActionTextOffset = 52;
constexpr int SummaryInset = 4;

// The test's interval in days; 0 when the interval text is no number (e.g. "Unknown").
double IntervalDays(const TRadon& record) {
    try {
        const double hours = IntervalIndexHours(record.IntervalIndex);
        return std::isfinite(hours) ? hours * OneHour : 0;
    } catch (const Exception&) {
        return 0;
    }
}

AnsiString Fixed(double value, int digits) { return FloatToStrF(value, ffFixed, 4, digits); }

void DrawActionLevel(TChart& chart, int y) {
    TPlotCanvas3D* canvas = chart.InternalCanvas;
    const TRect& r = chart.ChartRect;
    canvas->Pen()->SetColor(clRed);
    canvas->Pen()->SetWidth(ActionLevelPenWidth);
    canvas->Line(r.Left, y, r.Right, y);
    canvas->AssignFont(chart.LeftAxis->LabelsFont());
    canvas->TextOut(r.Left - ActionTextOffset, y - 8, "Action");
    canvas->TextOut(r.Left - ActionTextOffset, y + 2, "Level");
}

}  // namespace

void TRadonMainForm::RadonChartAfterDraw(TObject*) {
    const TRadon& record = *Monitor;
    const TRect& r = RadonChart->ChartRect;
    const double actionLevel = frmPreferences->ActionLevel;
    const int y = RadonChart->LeftAxis->CalcPosValue(actionLevel);
    const double interval = IntervalDays(record);
    if (TestShown && interval > 0) {
        double x = record.StartTime + interval;
        const int readings = std::min<int>(record.NumMeasurements, MaxMeasurements) - 1;
        for (int i = 1; i <= readings; ++i, x += interval)
            if (record.Measurements[i].Flags != 0) DrawMotionLine(x);
    }
    if (y >= r.Top && y <= r.Bottom && ActionLevelSeries->Active() && record.CF1 != 0)
        DrawActionLevel(*RadonChart, y);
    if (record.CF1 == 0 || !frmPreferences->DisplayDataOnChart) return;

    TChartLegend* legend = RadonChart->Legend();
    TPlotCanvas3D* canvas = RadonChart->InternalCanvas;
    // The legend's font at the resolution of the canvas drawn on (a printer's too), plain.
    canvas->AssignFont(legend->Font());
    canvas->Font()->SetStyle({});
    const int width = legend->GetWidth();
    int x = legend->GetLeft() + SummaryInset;
    const int top = legend->GetTop() - legend->GetHeight() + SummaryInset;
    canvas->TextOut(x, top, "Overall Avg: " + Fixed(OverallAverage, 1));
    x += record.ModelNumber == "6915" ? width / 3 : width / 6;
    canvas->TextOut(x, top, MotionDetected ? "Motion Detected" : "No Motion Detected");
    if (record.ModelNumber != "6916") return;
    const bool imperial = record.UnitsIndex != 0;
    x += 2 * (width / 6);
    canvas->TextOut(x, top, "Avg Temp: " + Fixed(AvgTemperature, 0) + (imperial ? " F" : " C"));
    x += width / 6;
    canvas->TextOut(x, top,
                    "Avg Press: " + Fixed(AvgPressure, 0) + (imperial ? " inHg" : " kPa"));
    x += width / 6;
    canvas->TextOut(x, top, "Avg Humd: " + Fixed(AvgHumidity, 0) + " %");
}

void TRadonMainForm::RadonChartClickLegend(TCustomChart*, TMouseButton, TShiftState, int, int) {
    if (frmPreferences->ModelNumber != "6915") return;
    TLineSeries* sensors[] = {TemperatureSeries, HumiditySeries, PressureSeries};
    if (!std::any_of(std::begin(sensors), std::end(sensors),
                     [](TLineSeries* s) { return s->Active(); }))
        return;
    for (TLineSeries* series : sensors) {
        series->SetShowInLegend(false);
        series->SetActive(false);
    }
    Application->MessageBox("This feature is available only for Model 6916.", "Message", MB_OK);
}
