#include "PlotTools.h"

#include "PlotAxisPanel.h"
#include "PlotProcs.h"
#include "cl_filer.h"

// ---------------------------------------------------------------------------------------------
// TPlotCustomTool

void TPlotCustomTool::SetParentChart(TCustomAxisPanel* chart) {
    TCustomAxisPanel* old = ParentChart();
    if (chart == old) return;
    if (old) {
        old->Tools->Remove(this);
        if (!chart) old->Invalidate();
    }
    TCustomChartElement::SetParentChart(chart);
    if (chart) chart->Tools->TList::Add(this);
}

// ---------------------------------------------------------------------------------------------
// TPlotCustomToolSeries

void TPlotCustomToolSeries::SetSeries(TChartSeries* series) {
    if (series == series_) return;
    if (series_) series_->RemoveFreeNotification(this);
    series_ = series;
    if (series_) series_->FreeNotification(this);
}

void TPlotCustomToolSeries::Notification(TComponent* component, TOperation operation) {
    TPlotCustomTool::Notification(component, operation);
    if (operation == opRemove && component == series_) SetSeries(nullptr);
}

TChartAxis* TPlotCustomToolSeries::GetHorizAxis() const {
    if (series_) return series_->GetHorizAxis();
    return ParentChart() ? ParentChart()->BottomAxis : nullptr;
}

TChartAxis* TPlotCustomToolSeries::GetVertAxis() const {
    if (series_) return series_->GetVertAxis();
    return ParentChart() ? ParentChart()->LeftAxis : nullptr;
}

// ---------------------------------------------------------------------------------------------
// TPlotCustomToolAxis

void TPlotCustomToolAxis::SetAxis(TChartAxis* axis) {
    if (axis == axis_) return;
    axis_ = axis;
    SetParentChart(axis ? axis->ParentChart() : nullptr);
    Repaint();
}

int TPlotCustomToolAxis::AxisID() const {
    if (!axis_ || !axis_->ParentChart()) return -1;
    return axis_->ParentChart()->Axes->IndexOf(axis_);
}

void TPlotCustomToolAxis::SetAxisID(int index) {
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || index < 0 || index >= chart->Axes->Count()) return;
    SetAxis(chart->Axes->Get(index));
}

// ---------------------------------------------------------------------------------------------
// TChartTools

TPlotCustomTool* TChartTools::Add(TPlotCustomTool* tool) {
    tool->SetParentChart(chart_);
    return tool;
}

void TChartTools::Clear() {
    while (Count() > 0) {
        TPlotCustomTool* tool = Get(0);
        tool->Free();
        if (Count() > 0 && Get(0) == tool) TList::Delete(0);
    }
    TList::Clear();
}

void TChartTools::SetActive(bool value) {
    for (int i = 0; i < Count(); ++i) Get(i)->SetActive(value);
}

// ---------------------------------------------------------------------------------------------

void PlotDrawBitmapEditor(TCanvas* canvas, TCustomChartElement* element, int left, int top) {
    TBitmap bitmap;
    PlotGetBitmapEditor(element, &bitmap);
    canvas->Draw(left, top, &bitmap);
}

void TPlotCustomToolAxis::DefineProperties(TFiler* filer) {
    TPlotCustomTool::DefineProperties(filer);
    filer->DefineProperty(
        "AxisID",
        [this](TReader* reader) {
            const int index = reader->ReadInteger();
            TCustomAxisPanel* chart = ParentChart();
            if (!chart || index < 0 || index >= chart->Axes->Count())
                throw EConvertError(Format("Axis index %d out of range", index));
            SetAxisID(index);
        },
        [this](TWriter* writer) { writer->WriteInteger(AxisID()); }, axis_ != nullptr);
}

bool MouseButtonHeld(TMouseButton button, const TShiftState& shift) {
    switch (button) {
        case mbLeft:
            return shift.count(ssLeft) > 0;
        case mbRight:
            return shift.count(ssRight) > 0;
        default:
            return shift.count(ssMiddle) > 0;
    }
}
