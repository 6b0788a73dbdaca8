// Axis scroll tool.
#include "AxisScrollTool.h"

#include "PlotAxisPanel.h"
#include "Plotproco.h"

AnsiString TAxisScrollTool::Description() const { return Plotproco::PlotMsg_AxisScrollTool; }

TChartAxis* TAxisScrollTool::AxisAt(int x, int y) {
    if (TChartAxis* axis = Axis()) return axis->Visible() && axis->Clicked(x, y) ? axis : nullptr;
    TChartAxes* axes = ParentChart()->Axes;
    for (int i = 0; i < axes->Count(); ++i) {
        TChartAxis* axis = axes->Get(i);
        if (axis->Visible() && axis->Clicked(x, y)) return axis;
    }
    return nullptr;
}

void TAxisScrollTool::ScrollPixels(TChartAxis* axis, int delta) {
    if (axis->AxisPixels == 0) return;
    axis->Scroll((axis->Maximum() - axis->Minimum()) * delta / axis->AxisPixels, false);
}

void TAxisScrollTool::Drag(int x, int y) {
    TCustomAxisPanel* chart = ParentChart();
    const bool horizontal = dragged_->Horizontal();
    int delta = horizontal ? last_.X - x : last_.Y - y;
    if (dragged_->Inverted()) delta = -delta;
    if (horizontal == scrollInverted_) delta = -delta;
    ScrollPixels(dragged_, delta);
    for (int i = 0; i < chart->Axes->Count(); ++i) {
        TChartAxis* other = chart->Axes->Get(i);
        if (other == dragged_ || other->Horizontal() != horizontal) continue;
        for (int s = 0; s < chart->SeriesCount(); ++s) {
            TChartSeries* series = chart->GetSeries(s);
            if (!series->AssociatedToAxis(dragged_) || !series->AssociatedToAxis(other)) continue;
            ScrollPixels(other, delta);
            break;
        }
    }
    last_ = TPoint(x, y);
    chart->MouseHandled = true;
}

void TAxisScrollTool::ChartMouseEvent(TChartMouseEvent event, TMouseButton button,
                                      TShiftState shift, int x, int y) {
    TCustomAxisPanel* chart = ParentChart();
    if (!Active() || !chart) return;
    switch (event) {
        case cmeDown:
            dragged_ = AxisAt(x, y);
            dragButton_ = button;
            last_ = TPoint(x, y);
            // The press is the tool's: the chart starts no zoom on the axis.
            if (dragged_) chart->MouseHandled = true;
            return;
        case cmeMove:
            if (dragged_ && !MouseButtonHeld(dragButton_, shift)) dragged_ = nullptr;
            if (dragged_) {
                Drag(x, y);
            } else if (AxisAt(x, y)) {
                chart->SetCursor(crHandPoint);
                chart->MouseHandled = true;
            }
            return;
        case cmeUp:
            dragged_ = nullptr;
            return;
    }
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool axisScrollToolPropertiesRegistered = [] {
    using A = TAxisScrollTool;
    RegisterProperty(A::StaticClass(), OrdinalProperty<A>("ScrollInverted", pkBool,
                                                          &A::ScrollInverted,
                                                          &A::SetScrollInverted, 0));
    return true;
}();

}  // namespace
