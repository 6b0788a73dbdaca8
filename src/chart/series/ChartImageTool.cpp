// Chart image tool.
#include "ChartImageTool.h"

#include "PlotAxis.h"
#include "PlotAxisPanel.h"
#include "PlotView3D.h"
#include "Plotproco.h"

TChartImageTool::TChartImageTool(TComponent* owner)
    : TPlotCustomToolSeries(owner), picture_(new TPicture) {
    picture_->OnChange = [this](TObject*) { Repaint(); };
}

TChartImageTool::~TChartImageTool() { TObject::Free(picture_); }

AnsiString TChartImageTool::Description() const { return Plotproco::PlotMsg_ImageTool; }

void TChartImageTool::SetSeries(TChartSeries* series) {
    TPlotCustomToolSeries::SetSeries(series);
    Repaint();
}

TRect TChartImageTool::TargetRect() {
    if (TChartSeries* series = Series())
        return TRect(series->CalcXPosValue(series->MinXValue()),
                     series->CalcYPosValue(series->MaxYValue()),
                     series->CalcXPosValue(series->MaxXValue()),
                     series->CalcYPosValue(series->MinYValue()));
    TChartAxis* horizontal = GetHorizAxis();
    TChartAxis* vertical = GetVertAxis();
    return TRect(horizontal->CalcPosValue(horizontal->Minimum()),
                 vertical->CalcPosValue(vertical->Maximum()),
                 horizontal->CalcPosValue(horizontal->Maximum()),
                 vertical->CalcPosValue(vertical->Minimum()));
}

void TChartImageTool::ChartEvent(TChartToolEvent event) {
    TCustomAxisPanel* chart = ParentChart();
    TGraphic* graphic = picture_->Graphic();
    if (event != cteBeforeDrawSeries || !chart || !graphic || graphic->Empty()) return;
    if (Series() && Series()->Count() == 0) return;
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const TRect rect = TargetRect();
    const int depth = chart->DepthWidth;
    const bool clip = chart->CanClip();
    if (clip) canvas->ClipCube(chart->ChartRect, 0, depth);
    if (!chart->View3D() || chart->View3DOptions()->Orthogonal())
        canvas->StretchDraw(canvas->CalcRect3D(rect, depth), graphic);
    else
        canvas->StretchDraw(rect, graphic, depth);
    if (clip) canvas->UnClipRectangle();
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool chartImagePropertiesRegistered = [] {
    using T = TChartImageTool;
    RegisterProperty(T::StaticClass(), ComponentProperty<T, TChartSeries>("Series", &T::Series,
                                                                          &T::SetSeries));
    return true;
}();

}  // namespace
