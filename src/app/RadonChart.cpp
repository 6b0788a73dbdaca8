// The test chart of the Chart sheet: its six series as the form designs them, the feeding of
// a test's readings into them, the marker line of a reading with motion and Copy Chart.
#include "RadonMainForm.h"

#include <algorithm>

#include "Chart.h"
#include "LineSeries.h"
#include "PlotPageNumTool.h"
#include "Preferences.h"
#include "Radon.h"
#include "RadonAverages.h"
#include "UiPageControl.h"
#include "cl_lists.h"

namespace {

constexpr double MotionMarkValue = 15.0;
constexpr double PressureKilopascalPerInch = 3.385;

TLineSeries* AddLineSeries(TRadonMainForm& form, const char* name, const char* title,
                           TVertAxis axis, TColor color, TPenStyle style, int width) {
    auto* series = new TLineSeries(&form);
    series->SetName(name);
    series->SetTitle(title);
    series->SetSeriesColor(color);
    series->SetVertAxis(axis);
    series->XValues->SetDateTime(true);
    series->LinePen()->SetStyle(style);
    series->LinePen()->SetWidth(width);
    form.RadonChart->AddSeries(series);
    return series;
}

void DesignAxes(TChart& chart) {
    chart.LeftAxis->Title()->SetCaption("Radon");
    TChartAxis* right = chart.RightAxis;
    right->Title()->SetCaption("Temperature, Pressure, % Humidity");
    right->SetAutomatic(false);
    right->SetAutomaticMaximum(true);
    right->SetDesiredIncrement(10);
    chart.BottomAxis->SetDesiredIncrement(1);
    chart.BottomAxis->SetLabelsSeparation(50);
}

void DesignSeries(TRadonMainForm& form) {
    form.RadonSeries =
        AddLineSeries(form, "RadonSeries", "Radon pC/l", aBothVertAxis, clBlack, psSolid, 2);
    form.RadonSeries->Pointer()->SetVisible(true);
    form.RadonSeries->Pointer()->SetStyle(psDiamond);
    form.RadonSeries->SetValueFormat("#,##0.00;(#,##0.00)");

    auto* motion = new TPointSeries(&form);
    motion->SetName("MotionErrorSeries");
    motion->SetTitle("Motion Errors");
    motion->SetVertAxis(aRightAxis);
    motion->XValues->SetDateTime(true);
    motion->Pointer()->SetStyle(psCircle);
    form.RadonChart->AddSeries(motion);
    form.MotionErrorSeries = motion;

    form.ActionLevelSeries =
        AddLineSeries(form, "ActionLevelSeries", "Action Level", aLeftAxis, clRed, psSolid, 3);
    form.TemperatureSeries =
        AddLineSeries(form, "TemperatureSeries", "Temp F", aRightAxis, clRed, psDash, 2);
    form.PressureSeries = AddLineSeries(form, "PressureSeries", "Pressure inHg", aRightAxis,
                                        clLime, psDashDot, 2);
    form.HumiditySeries = AddLineSeries(form, "HumiditySeries", "Rel % Humidity", aRightAxis,
                                        clBlue, psDashDot, 2);
}

void SetOneLineTitle(TChart& chart, const AnsiString& text) {
    TStringList lines;
    lines.Add(text);
    chart.Title()->SetText(&lines);
}

// The unit table: series titles of the display unit.
void SetUnitTitles(TRadonMainForm& form, bool picocuries) {
    form.RadonSeries->SetTitle(picocuries ? "Radon pCi/l" : "Radon Bq/m3");
    form.TemperatureSeries->SetTitle(picocuries ? "Temp F" : "Temp C");
    form.PressureSeries->SetTitle(picocuries ? "Press inHg" : "Press kPa");
}

// The reading's concentration in pCi/l: the mean of both chambers for a 6916.
double ReadingConcentration(const TRadon& record, const TMeasurement& m, double hours) {
    const double c0 = m.Alpha0Counts / hours * (1.0 / record.CF1);
    if (!IsModel6916(record)) return c0;
    const double c1 = m.Alpha1Counts / hours * (1.0 / record.CF2);
    return (c0 + c1) * 0.5;
}

double LeftAxisMaximum(double peak, double actionLevel) {
    return peak * 1.05 > actionLevel ? peak * 1.05 : actionLevel + 1;
}

}  // namespace

void TRadonMainForm::CreateChartSheet() {
    RadonChart = new TChart(this);
    RadonChart->SetName("RadonChart");
    RadonChart->SetParent(ChartSheet);
    RadonChart->SetAlign(alClient);
    RadonChart->SetView3D(false);
    RadonChart->SetColor(clWhite);
    SetOneLineTitle(*RadonChart, "Continuous Radon Monitor");
    RadonChart->Legend()->SetAlignment(laBottom);
    RadonChart->Legend()->SetLegendStyle(lsSeries);
    RadonChart->Legend()->SetCheckBoxes(true);
    DesignAxes(*RadonChart);
    DesignSeries(*this);
    ChartPageNumTool = new TPageNumTool(this);
    ChartPageNumTool->SetName("ChartPageNumTool");
    ChartPageNumTool->SetText("Page %d of %d");
    ChartPageNumTool->SetActive(false);
    RadonChart->Tools->Add(ChartPageNumTool);
    RadonChart->OnAfterDraw = Bind(this, &TRadonMainForm::RadonChartAfterDraw);
    RadonChart->OnClickLegend = [this](TCustomChart* sender, TMouseButton button,
                                       TShiftState shift, int x, int y) {
        RadonChartClickLegend(sender, button, shift, x, y);
    };
}

void TRadonMainForm::FeedChart(bool retrievalView) {
    const TRadon& record = *Monitor;
    // The scales of a zoom into the earlier test go with it; they could hide the new one. Undone
    // before the series are cleared, as clearing a line series forgets the saved scales.
    if (RadonChart->ScalesSaved) RadonChart->UndoZoom();
    RadonChart->ClearSavedScales();
    for (TChartSeries* series :
         {static_cast<TChartSeries*>(RadonSeries), static_cast<TChartSeries*>(TemperatureSeries),
          static_cast<TChartSeries*>(HumiditySeries), static_cast<TChartSeries*>(PressureSeries),
          static_cast<TChartSeries*>(MotionErrorSeries)})
        series->Clear();
    const bool picocuries = record.UnitsIndex != 0;
    SetUnitTitles(*this, picocuries);
    const double toDisplay = picocuries ? 1.0 : BecquerelPerPicocurie;
    const bool model6916 = IsModel6916(record);
    const double step = IntervalHours * OneHour;
    double x = record.StartTime + step;
    double peak = 0;
    const int readings = ReadingCount(record);
    for (int i = 1; i <= readings; ++i) {
        const TMeasurement& m = record.Measurements[i];
        const double c = ReadingConcentration(record, m, IntervalHours);
        peak = std::max(peak, c);
        RadonSeries->AddXY(x, c * toDisplay);
        if (model6916) {
            TemperatureSeries->AddXY(x, picocuries ? m.Temperature * 1.8 + 32 : m.Temperature);
            HumiditySeries->AddXY(x, m.Humidity);
            PressureSeries->AddXY(x, picocuries ? m.Pressure
                                                : m.Pressure * PressureKilopascalPerInch);
        }
        if (m.Flags != 0) {
            MotionErrorSeries->AddXY(x, MotionMarkValue);
            MotionDetected = true;
            DrawMotionLine(x);
        }
        x += step;
    }
    if (retrievalView) {
        const TSensorAverages sensors = ComputeSensorAverages(record);
        AvgHumidity = sensors.Humidity;
        AvgPressure = sensors.Pressure;
        AvgTemperature = sensors.Temperature;
    }
    SetOneLineTitle(*RadonChart, AnsiString(model6916 ? "Continuous Radon Monitor Model 6916 S/N: "
                                                      : "Continuous Radon Monitor Model 6915 S/N: ") +
                                     record.SerialNumber);
    // From 0, as designed: a minimum left from automatic scaling of the earlier test could lie
    // above the new maximum.
    RadonChart->LeftAxis->SetMinMax(0, LeftAxisMaximum(peak * toDisplay, frmPreferences->ActionLevel));
}

void TRadonMainForm::DrawMotionLine(double x) {
    TPlotCanvas3D* canvas = RadonChart->InternalCanvas;
    const TRect& r = RadonChart->ChartRect;
    const int column = RadonChart->BottomAxis->CalcPosValue(x);
    canvas->Pen()->SetColor(clMaroon);
    canvas->Pen()->SetWidth(1);
    canvas->Line(column, r.Top, column, r.Bottom);
}

void TRadonMainForm::ShowSensorSeries(bool model6916) {
    TChartAxis* right = RadonChart->RightAxis;
    right->Title()->SetCaption(model6916 ? "Temperature, Pressure, % Humidity" : "");
    right->SetLabels(model6916);
    for (TLineSeries* series : {TemperatureSeries, HumiditySeries, PressureSeries}) {
        series->SetActive(model6916);
        series->SetShowInLegend(model6916);
    }
}

void TRadonMainForm::submnuCopyChartClick(TObject*) { RadonChart->CopyToClipboardBitmap(); }
