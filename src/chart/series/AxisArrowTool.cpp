// Axis arrow tool.
#include "AxisArrowTool.h"

#include <cstdlib>

#include "Chart.h"
#include "PlotPublished.h"
#include "Plotproco.h"

AnsiString TAxisArrowTool::Description() const { return Plotproco::PlotMsg_AxisArrowTool; }

void TAxisArrowTool::SetPosition(TAxisArrowToolPosition value) {
    position_ = value;
    Repaint();
}

int TAxisArrowTool::ClickedArrow(int x, int y) {
    TChartAxis* axis = Axis();
    const int across = axis->Horizontal() ? y : x;
    const int along = axis->Horizontal() ? x : y;
    if (std::abs(across - axis->AxisLinePos) >= 3) return -1;
    const int start = axis->StartPixel, end = axis->EndPixel;
    if (HasStart() && start < along && along < start + length_) return 0;
    if (HasEnd() && end - length_ < along && along < end) return 1;
    return -1;
}

void TAxisArrowTool::DrawArrow(int from, int to, int z) {
    TChartAxis* axis = Axis();
    const int line = axis->AxisLinePos;
    const TPoint tail = axis->Horizontal() ? TPoint(from, line) : TPoint(line, from);
    const TPoint tip = axis->Horizontal() ? TPoint(to, line) : TPoint(line, to);
    ParentChart()->InternalCanvas->Arrow(true, tail, tip, 8, 8, z);
}

void TAxisArrowTool::ChartEvent(TChartToolEvent event) {
    TChartAxis* axis = Axis();
    if (event != cteAfterDraw || !axis || !ParentChart()) return;
    TCustomAxisPanel* chart = ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    canvas->AssignBrush(Brush(), Brush()->Color());
    canvas->AssignVisiblePen(Pen());
    const int z = chart->View3D() && axis->OtherSide() ? chart->DepthWidth : 0;
    if (HasStart()) DrawArrow(axis->StartPixel + length_, axis->StartPixel, z);
    if (HasEnd()) DrawArrow(axis->EndPixel - length_, axis->EndPixel, z);
}

// The other axis of the top/bottom or left/right pair, when a series of this axis uses both.
TChartAxis* TAxisArrowTool::PairedAxis() {
    TCustomAxisPanel* chart = ParentChart();
    TChartAxis* axis = Axis();
    TChartAxis* other = axis == chart->TopAxis      ? chart->BottomAxis
                        : axis == chart->BottomAxis ? chart->TopAxis
                        : axis == chart->LeftAxis   ? chart->RightAxis
                        : axis == chart->RightAxis  ? chart->LeftAxis
                                                    : nullptr;
    if (!other) return nullptr;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* series = chart->GetSeries(i);
        if (!series->AssociatedToAxis(axis)) continue;
        if (axis->Horizontal() ? series->HorizAxis() == aBothHorizAxis
                               : series->VertAxis() == aBothVertAxis)
            return other;
    }
    return nullptr;
}

void TAxisArrowTool::ScrollBy(double step) {
    TCustomAxisPanel* chart = ParentChart();
    TChartAxis* axis = Axis();
    double minimum = axis->Minimum() + step, maximum = axis->Maximum() + step;
    bool allow = true;
    auto* fullChart = dynamic_cast<TCustomChart*>(chart);
    if (fullChart && fullChart->OnAllowScroll)
        fullChart->OnAllowScroll(axis, minimum, maximum, allow);
    if (!allow) return;
    axis->Scroll(step, false);
    if (TChartAxis* other = PairedAxis()) other->Scroll(step, false);
    if (chart->OnScroll) chart->OnScroll(chart);
}

void TAxisArrowTool::ChartMouseEvent(TChartMouseEvent event, TMouseButton, TShiftState, int x,
                                     int y) {
    TChartAxis* axis = Axis();
    TCustomAxisPanel* chart = ParentChart();
    if (!axis || !chart || !axis->Visible()) return;
    if (event == cmeMove && ClickedArrow(x, y) != -1) {
        chart->SetCursor(crHandPoint);
        chart->MouseHandled = true;
    }
    if (event != cmeDown || scrollPercent_ == 0) return;
    const int arrow = ClickedArrow(x, y);
    if (arrow == -1) return;
    double step = (axis->Maximum() - axis->Minimum()) * scrollPercent_ / 100;
    if (scrollInverted_) step = -step;
    ScrollBy(arrow == 0 ? step : -step);
    chart->MouseHandled = true;
    if (OnClick) OnClick(this, arrow == 0);
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool axisArrowToolPropertiesRegistered = [] {
    using A = TAxisArrowTool;
    const TMetaClass* tool = A::StaticClass();
    RegisterProperty(tool, SubObjectProperty<A>("Brush", &A::Brush));
    RegisterProperty(tool, OrdinalProperty<A>("Length", pkInteger, &A::Length, &A::SetLength, 16));
    RegisterProperty(tool, SubObjectProperty<A>("Pen", &A::Pen));
    RegisterProperty(tool, EnumProperty<A>("Position", &A::Position, &A::SetPosition,
                                           {"aaStart", "aaEnd", "aaBoth"}, aaBoth));
    RegisterProperty(tool, OrdinalProperty<A>("ScrollInverted", pkBool, &A::ScrollInverted,
                                              &A::SetScrollInverted, 0));
    RegisterProperty(tool, OrdinalProperty<A>("ScrollPercent", pkInteger, &A::ScrollPercent,
                                              &A::SetScrollPercent, 10));
    return true;
}();

}  // namespace
