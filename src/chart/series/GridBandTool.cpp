// Grid band tool.
#include "GridBandTool.h"

#include "Chart.h"
#include "PlotAxis.h"
#include "PlotBlend.h"
#include "Plotproco.h"

// ---------------------------------------------------------------------------------------------
// TGridBandBrush

TGridBandBrush::TGridBandBrush(const TNotifyEvent& onChange) : TChartBrush(onChange) {}

void TGridBandBrush::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGridBandBrush*>(source)) {
        backColor_ = other->backColor_;
        transparency_ = other->transparency_;
    }
    TChartBrush::Assign(source);
}

void TGridBandBrush::SetBackColor(TColor value) {
    if (backColor_ == value) return;
    backColor_ = value;
    Changed();
}

void TGridBandBrush::SetTransparency(int value) {
    if (transparency_ == value) return;
    transparency_ = static_cast<TPlotTransparency>(value);
    Changed();
}

// ---------------------------------------------------------------------------------------------
// TGridBandTool

TGridBandTool::TGridBandTool(TComponent* owner)
    : TPlotCustomToolAxis(owner),
      band1_(new TGridBandBrush([this](TObject*) { Repaint(); })),
      band2_(new TGridBandBrush([this](TObject*) { Repaint(); })) {}

TGridBandTool::~TGridBandTool() {
    TObject::Free(band1_);
    TObject::Free(band2_);
}

void TGridBandTool::BeforeDestruction() {
    if (Axis()) Axis()->GridsHook = nullptr;
    TPlotCustomToolAxis::BeforeDestruction();
}

AnsiString TGridBandTool::Description() const { return Plotproco::PlotMsg_GridBandTool; }

void TGridBandTool::SetAxis(TChartAxis* axis) {
    if (Axis()) Axis()->GridsHook = nullptr;
    TPlotCustomToolAxis::SetAxis(axis);
    if (axis) axis->GridsHook = [this](TChartAxis* sender) { DrawGrids(sender); };
}

TColor TGridBandTool::BandBackColor(TGridBandBrush* band) const {
    if (band->BackColor() != clNone) return band->BackColor();
    if (auto* chart = dynamic_cast<TCustomChart*>(ParentChart())) return chart->BackWall()->Color();
    return clNone;
}

void TGridBandTool::DrawGrids(TChartAxis* axis) {
    const std::vector<int>& ticks = axis->TickPixels;
    const int h = static_cast<int>(ticks.size()) - 1;
    if (!Active() || !ParentChart() || h < 1) return;
    if (band1_->Style() == bsClear && band2_->Style() == bsClear) return;
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    TOwnedPtr<TPlotBlend> blend(new TPlotBlend(canvas, TRect()));
    canvas->Pen()->SetStyle(psClear);
    TGridBandBrush* band = band1_;
    auto stripe = [&](int a, int b) {
        DrawStripe(axis, band, blend.get(), a, b);
        band = band == band1_ ? band2_ : band1_;
    };
    if (axis->Horizontal()) {
        if (ticks[0] < axis->EndPixel) stripe(axis->EndPixel - 1, ticks[0]);
    } else if (ticks[0] > axis->StartPixel) {
        stripe(axis->StartPixel + 1, ticks[0]);
    }
    if (h == 1) return;
    for (int i = 1; i <= h; ++i) stripe(ticks[i - 1], ticks[i]);
    if (axis->Horizontal()) {
        if (ticks[h] > axis->StartPixel) stripe(ticks[h], axis->StartPixel);
    } else if (ticks[h] < axis->EndPixel) {
        stripe(ticks[h], axis->EndPixel);
    }
}

void TGridBandTool::DrawStripe(TChartAxis* axis, TGridBandBrush* band, TPlotBlend* blend, int a,
                               int b) {
    if (band->Style() == bsClear) return;
    if (a > b) std::swap(a, b);
    TCustomAxisPanel* chart = ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    canvas->AssignBrushColor(band, band->Color(), BandBackColor(band));
    const TRect& plot = chart->ChartRect;
    const TRect r = axis->Horizontal() ? TRect(a, plot.Top + 1, b, plot.Bottom)
                                       : TRect(plot.Left + 1, a, plot.Right, b + 1);
    const bool is3D = chart->View3D();
    const int z = chart->DepthWidth;
    if (band->Transparency() > 0) blend->SetRectangle(is3D ? canvas->RectFromRectZ(r, z) : r);
    if (is3D)
        canvas->RectangleWithZ(r, z);
    else
        canvas->Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom);
    if (band->Transparency() > 0) blend->DoBlend(band->Transparency());
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool gridBandPropertiesRegistered = [] {
    using B = TGridBandBrush;
    RegisterProperty(B::StaticClass(), OrdinalProperty<B>("BackColor", pkColor, &B::BackColor,
                                                          &B::SetBackColor, clNone));
    RegisterProperty(B::StaticClass(), OrdinalProperty<B>("Transparency", pkInteger,
                                                          &B::Transparency, &B::SetTransparency,
                                                          0));
    using T = TGridBandTool;
    RegisterProperty(T::StaticClass(), SubObjectProperty<T>("Band1", &T::Band1));
    RegisterProperty(T::StaticClass(), SubObjectProperty<T>("Band2", &T::Band2));
    return true;
}();

}  // namespace
