// Clip series tool.
#include "ClipSeriesTool.h"

#include "PlotAxis.h"
#include "PlotAxisPanel.h"
#include "Plotproco.h"

AnsiString TClipSeriesTool::Description() const { return Plotproco::PlotMsg_ClipSeries; }

void TClipSeriesTool::Unbind(TChartSeries* series) {
    if (!series) return;
    series->BeforeDrawValues = nullptr;
    series->AfterDrawValues = nullptr;
}

void TClipSeriesTool::SetSeries(TChartSeries* series) {
    if (series == Series()) return;
    Unbind(Series());
    TPlotCustomToolSeries::SetSeries(series);
    if (!series) return;
    series->BeforeDrawValues = [this](TObject* sender) { AddClip(sender); };
    series->AfterDrawValues = [this](TObject* sender) { RemoveClip(sender); };
}

// A freed tool leaves nothing behind in the series' events.
void TClipSeriesTool::BeforeDestruction() {
    SetSeries(nullptr);
    TPlotCustomToolSeries::BeforeDestruction();
}

void TClipSeriesTool::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == Series()) Unbind(Series());
    TPlotCustomToolSeries::Notification(component, operation);
}

void TClipSeriesTool::AddClip(TObject*) {
    TChartSeries* series = Series();
    TCustomAxisPanel* chart = series ? series->ParentChart() : nullptr;
    if (!chart || !chart->CanClip()) return;
    TChartAxis* horizontal = series->GetHorizAxis();
    TChartAxis* vertical = series->GetVertAxis();
    chart->InternalCanvas->ClipRectangle(TRect(horizontal->StartPixel, vertical->StartPixel,
                                               horizontal->EndPixel, vertical->EndPixel));
    clipped_ = true;
}

void TClipSeriesTool::RemoveClip(TObject*) {
    if (!clipped_) return;
    clipped_ = false;
    TChartSeries* series = Series();
    if (series && series->ParentChart()) series->ParentChart()->InternalCanvas->UnClipRectangle();
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool clipSeriesPropertiesRegistered = [] {
    using T = TClipSeriesTool;
    RegisterProperty(T::StaticClass(), ComponentProperty<T, TChartSeries>("Series", &T::Series,
                                                                          &T::SetSeries));
    return true;
}();

}  // namespace
