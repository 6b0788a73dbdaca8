// Cursor tool.
#include "CursorTool.h"

#include <cmath>
#include <cstdlib>

#include "PlotAxisPanel.h"
#include "PlotPublished.h"
#include "Plotproco.h"

AnsiString TCursorTool::Description() const { return Plotproco::PlotMsg_CursorTool; }

bool TCursorTool::HasAxes() const { return GetHorizAxis() && GetVertAxis(); }

void TCursorTool::SetSeries(TChartSeries* series) {
    TPlotCustomToolSeries::SetSeries(series);
    if (!series || ComponentState().count(csReading)) return;
    SnapToPoint();
    Repaint();
}

void TCursorTool::SetStyle(TCursorToolStyle value) {
    style_ = value;
    SnapToPoint();
    Repaint();
}

void TCursorTool::SetXValue(double value) {
    if (xValue_ == value) return;
    xValue_ = value;
    DoChange();
}

void TCursorTool::SetYValue(double value) {
    if (yValue_ == value) return;
    yValue_ = value;
    DoChange();
}

// The values were set by the program: the position follows them, even before the first
// drawing placed the cursor (which would otherwise put it back in the middle).
void TCursorTool::DoChange() {
    if (ParentChart() && HasAxes()) ScreenFromValues();
    Changed(-1);
    Repaint();
}

void TCursorTool::Changed(int valueIndex) {
    if (OnChange) OnChange(this, screenX_, screenY_, xValue_, yValue_, Series(), valueIndex);
}

TRect TCursorTool::GetAxisRect() {
    if (useChartRect_) return ParentChart()->ChartRect;
    TChartAxis* horizontal = GetHorizAxis();
    TChartAxis* vertical = GetVertAxis();
    TRect r(horizontal->StartPixel, vertical->StartPixel, horizontal->EndPixel,
            vertical->EndPixel);
    if (OnGetAxisRect) OnGetAxisRect(this, r);
    return r;
}

int TCursorTool::Z() const { return useSeriesZ_ && Series() ? Series()->StartZ : 0; }

bool TCursorTool::InAxisRectangle(int x, int y) {
    if (useSeriesZ_) ParentChart()->InternalCanvas->Calculate2DPosition(x, y, Z());
    return PointInRect(GetAxisRect(), x, y);
}

TCursorClicked TCursorTool::Clicked(int x, int y) {
    if (!InAxisRectangle(x, y)) return ccNone;
    if (useSeriesZ_) ParentChart()->InternalCanvas->Calculate2DPosition(x, y, Z());
    const bool onHorizontal = std::abs(y - screenY_) <= clickTolerance_;
    const bool onVertical = std::abs(x - screenX_) <= clickTolerance_;
    if (style_ == cssBoth && onHorizontal && onVertical) return ccBoth;
    if (style_ != cssVertical && onHorizontal) return ccHorizontal;
    if (style_ != cssHorizontal && onVertical) return ccVertical;
    return ccNone;
}

int TCursorTool::NearestPoint(TCursorToolStyle style, double& difference) {
    difference = -1;
    TChartSeries* series = Series();
    if (!series || series->Count() == 0) return -1;
    const int count = series->Count();
    const int first = Max(0, series->FirstValueIndex);
    const int last = series->LastValueIndex < 0 || series->LastValueIndex >= count
                         ? count - 1
                         : series->LastValueIndex;
    int nearest = -1;
    for (int i = first; i <= last; ++i) {
        const double dx = std::fabs(xValue_ - series->XValues->GetValue(i));
        const double dy = std::fabs(yValue_ - series->YValues->GetValue(i));
        const double distance = style == cssHorizontal ? dy
                                : style == cssVertical ? dx
                                                       : std::sqrt(dx * dx + dy * dy);
        if (nearest != -1 && distance >= difference) continue;
        nearest = i;
        difference = distance;
    }
    return nearest;
}

int TCursorTool::SnapToPoint() {
    if (!Series() || !snap_) return -1;
    double difference;
    const int index = NearestPoint(style_, difference);
    if (index == -1) return -1;
    if (style_ != cssVertical) yValue_ = Series()->YValues->GetValue(index);
    if (style_ != cssHorizontal) xValue_ = Series()->XValues->GetValue(index);
    return index;
}

void TCursorTool::CalcValuePositions(int x, int y) {
    if (useSeriesZ_) ParentChart()->InternalCanvas->Calculate2DPosition(x, y, Z());
    if (dragged_ != ccVertical) yValue_ = GetVertAxis()->CalcPosPoint(y);
    if (dragged_ != ccHorizontal) xValue_ = GetHorizAxis()->CalcPosPoint(x);
}

void TCursorTool::ScreenFromValues() {
    screenX_ = GetHorizAxis()->CalcPosValue(xValue_);
    screenY_ = GetVertAxis()->CalcPosValue(yValue_);
}

void TCursorTool::CalcScreenPositions() {
    if (screenX_ != -1 && screenY_ != -1) {
        ScreenFromValues();
        return;
    }
    TChartAxis* horizontal = GetHorizAxis();
    TChartAxis* vertical = GetVertAxis();
    CalcValuePositions((horizontal->StartPixel + horizontal->EndPixel) / 2,
                       (vertical->StartPixel + vertical->EndPixel) / 2);
    const int snapped = SnapToPoint();
    ScreenFromValues();
    Changed(snapped);
}

void TCursorTool::RedrawCursor() {
    TCustomAxisPanel* chart = ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const TColor back = chart->Color() == clDefault ? clBtnFace : chart->Color();
    canvas->AssignVisiblePenColor(Pen(), static_cast<TColor>(ColorToRGB(Pen()->Color()) ^
                                                             ColorToRGB(back)));
    canvas->Brush()->SetStyle(bsClear);
    {
        TPenModeScope xorMode(canvas->Pen(), pmXor);
        const TRect r = GetAxisRect();
        const int z = Z();
        if (style_ != cssVertical) canvas->HorizLine3D(r.Left, r.Right, screenY_, z);
        if (style_ != cssHorizontal) canvas->VertLine3D(screenX_, r.Top, r.Bottom, z);
    }
    canvas->Invalidate();
}

void TCursorTool::ChartEvent(TChartToolEvent event) {
    if (event != cteAfterDraw || !ParentChart() || !HasAxes()) return;
    CalcScreenPositions();
    RedrawCursor();
}

void TCursorTool::MoveTo(int x, int y) {
    RedrawCursor();
    CalcValuePositions(x, y);
    const int snapped = SnapToPoint();
    ScreenFromValues();
    RedrawCursor();
    Changed(snapped);
    if (OnSnapChange && snapped != lastSnap_)
        OnSnapChange(this, screenX_, screenY_, xValue_, yValue_, Series(), snapped);
    lastSnap_ = snapped;
}

void TCursorTool::ShowGrabCursor(int x, int y) {
    TCustomAxisPanel* chart = ParentChart();
    switch (Clicked(x, y)) {
        case ccHorizontal:
            chart->SetCursor(crVSplit);
            break;
        case ccVertical:
            chart->SetCursor(crHSplit);
            break;
        case ccBoth:
            chart->SetCursor(crSizeAll);
            break;
        case ccNone:
            chart->MouseHandled = false;
            return;
    }
    chart->MouseHandled = true;
}

void TCursorTool::ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift,
                                  int x, int y) {
    if (!ParentChart() || !HasAxes()) return;
    switch (event) {
        case cmeDown:
            if (followMouse_) return;
            dragged_ = Clicked(x, y);
            dragButton_ = button;
            if (dragged_ != ccNone) ParentChart()->MouseHandled = true;
            return;
        case cmeMove:
            if (dragged_ != ccNone && !MouseButtonHeld(dragButton_, shift)) dragged_ = ccNone;
            if ((dragged_ != ccNone || followMouse_) && InAxisRectangle(x, y))
                MoveTo(x, y);
            else
                ShowGrabCursor(x, y);
            return;
        case cmeUp:
            dragged_ = ccNone;
            return;
    }
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool cursorToolPropertiesRegistered = [] {
    using C = TCursorTool;
    const TMetaClass* tool = C::StaticClass();
    RegisterProperty(tool, OrdinalProperty<C>("ClickTolerance", pkInteger, &C::ClickTolerance,
                                              &C::SetClickTolerance, 2));
    RegisterProperty(tool, OrdinalProperty<C>("FollowMouse", pkBool, &C::FollowMouse,
                                              &C::SetFollowMouse, 0));
    RegisterProperty(tool, SubObjectProperty<C>("Pen", &C::Pen));
    RegisterProperty(tool, ComponentProperty<C, TChartSeries>("Series", &C::Series, &C::SetSeries));
    RegisterProperty(tool, OrdinalProperty<C>("Snap", pkBool, &C::Snap, &C::SetSnap, 0));
    RegisterProperty(tool, EnumProperty<C>("Style", &C::Style, &C::SetStyle,
                                           {"cssHorizontal", "cssVertical", "cssBoth"}, cssBoth));
    RegisterProperty(tool, OrdinalProperty<C>("UseSeriesZ", pkBool, &C::UseSeriesZ,
                                              &C::SetUseSeriesZ, 0));
    return true;
}();

}  // namespace
