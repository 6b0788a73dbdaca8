// The axes a series draws against, value-to-pixel conversion, visible range, pages, depth
// positions and mouse tracking.
#include "PlotAxisPanel.h"
#include "PlotMarks.h"

// ---------------------------------------------------------------------------------------------
// Axis choice

void TChartSeries::RecalcGetAxis() {
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) {
        ActiveHorizAxis = ActiveVertAxis = nullptr;
        return;
    }
    if (horizAxis_ == aTopAxis)
        ActiveHorizAxis = chart->TopAxis;
    else if (horizAxis_ == aCustomHorizAxis && customHorizAxis_)
        ActiveHorizAxis = customHorizAxis_;
    else
        ActiveHorizAxis = chart->BottomAxis;
    if (vertAxis_ == aRightAxis)
        ActiveVertAxis = chart->RightAxis;
    else if (vertAxis_ == aCustomVertAxis && customVertAxis_)
        ActiveVertAxis = customVertAxis_;
    else
        ActiveVertAxis = chart->LeftAxis;
}

void TChartSeries::SetHorizAxis(THorizAxis value) {
    if (value == horizAxis_) return;
    horizAxis_ = value;
    if (value != aCustomHorizAxis && !InState(csLoading)) customHorizAxis_ = nullptr;
    RecalcGetAxis();
    Repaint();
}

void TChartSeries::SetVertAxis(TVertAxis value) {
    if (value == vertAxis_) return;
    vertAxis_ = value;
    if (value != aCustomVertAxis && !InState(csLoading)) customVertAxis_ = nullptr;
    RecalcGetAxis();
    Repaint();
}

void TChartSeries::SetCustomHorizAxis(TChartAxis* axis) {
    customHorizAxis_ = axis;
    horizAxis_ = axis ? aCustomHorizAxis : aBottomAxis;
    RecalcGetAxis();
    Repaint();
}

void TChartSeries::SetCustomVertAxis(TChartAxis* axis) {
    customVertAxis_ = axis;
    vertAxis_ = axis ? aCustomVertAxis : aLeftAxis;
    RecalcGetAxis();
    Repaint();
}

void TChartSeries::CustomAxisFreed(TChartAxis* axis) {
    if (customHorizAxis_ == axis) {
        customHorizAxis_ = nullptr;
        horizAxis_ = aBottomAxis;
    }
    if (customVertAxis_ == axis) {
        customVertAxis_ = nullptr;
        vertAxis_ = aLeftAxis;
    }
    RecalcGetAxis();
}

bool TChartSeries::AssociatedToAxis(TChartAxis* axis) {
    if (!UseAxis() || axis->IsDepthAxis) return false;
    if (axis->Horizontal()) return horizAxis_ == aBothHorizAxis || axis == ActiveHorizAxis;
    return vertAxis_ == aBothVertAxis || axis == ActiveVertAxis;
}

TChartValueList* TChartSeries::ValueListOfAxis(TChartAxis* axis) {
    if (!AssociatedToAxis(axis)) return nullptr;
    return axis->Horizontal() ? XValues : YValues;
}

void TChartSeries::SetHorizontal() {
    MandatoryList = XValues;
    NotMandatoryList = YValues;
    YIsMandatory = false;
}

int TChartSeries::CalcPosValue(double value) {
    return YIsMandatory ? CalcYPosValue(value) : CalcXPosValue(value);
}

// ---------------------------------------------------------------------------------------------
// Visible range and pages

void TChartSeries::CalcFirstLastVisibleIndex() {
    FirstValueIndex = LastValueIndex = -1;
    const int last = Count() - 1;
    if (last < 0) return;
    TChartAxis* axis = YIsMandatory ? ActiveHorizAxis : ActiveVertAxis;
    if (!ClipToVisibleRange || NotMandatoryList->Order() == loNone || !axis) {
        FirstValueIndex = 0;
        LastValueIndex = last;
        return;
    }
    const TRect& r = ParentChart()->ChartRect;
    const bool inverted = axis->Inverted();
    int lowPixel, highPixel;
    if (YIsMandatory) {
        lowPixel = inverted ? r.Right : r.Left;
        highPixel = inverted ? r.Left : r.Right;
    } else {
        lowPixel = inverted ? r.Top : r.Bottom;
        highPixel = inverted ? r.Bottom : r.Top;
    }
    const double low = axis->CalcPosPoint(lowPixel);
    const double high = axis->CalcPosPoint(highPixel);
    TChartValueList* values = NotMandatoryList;
    int first = 0;
    while (first <= last && values->GetValue(first) < low) ++first;
    if (first > last) return;
    FirstValueIndex = first;
    if (values->GetValue(last) <= high) {
        LastValueIndex = last;
        return;
    }
    int end = first;
    while (end < last && values->GetValue(end) < high) ++end;
    if (!KeepOuterPoint && values->GetValue(end) > high) --end;
    LastValueIndex = end;
}

void TChartSeries::CalcFirstLastPage(int& first, int& last) {
    const int n = Count();
    const int perPage = ParentChart() ? ParentChart()->MaxPointsPerPage() : 0;
    if (n == 0) {
        first = last = -1;
        return;
    }
    if (perPage <= 0) {
        first = 0;
        last = n - 1;
        return;
    }
    first = (ParentChart()->Page() - 1) * perPage;
    if (first >= n) first = perPage * Max(0, n / perPage - 1);
    last = first + perPage - 1;
    if (last >= n) last = first + n % perPage - 1;
}

// ---------------------------------------------------------------------------------------------
// Depth

void TChartSeries::SetZOrder(int value) {
    SetIntegerProperty(ZOrder, value);
    ComputedZOrder = ZOrder == -1 ? 0 : ZOrder;
}

void TChartSeries::CalcZOrder() {
    TCustomAxisPanel* chart = ParentChart();
    if (ZOrder == -1) {
        if (chart->View3D())
            ComputedZOrder = ++chart->MaxZOrder;
        else
            ComputedZOrder = 0;
    } else {
        chart->MaxZOrder = Max(chart->MaxZOrder, GetZOrder());
    }
}

void TChartSeries::CalcDepthPositions() {
    const int seriesDepth = ParentChart()->SeriesDepthWidth;
    StartZ = ComputedZOrder * seriesDepth;
    EndZ = StartZ + (depth_ == -1 ? seriesDepth : depth_);
    MiddleZ = (StartZ + EndZ) / 2;
    marks_->ZPosition = MiddleZ;
}

bool TChartSeries::MoreSameZOrder() {
    TCustomAxisPanel* chart = ParentChart();
    if (!chart->DepthPerSeries) return false;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* other = chart->GetSeries(i);
        if (other != this && other->Active() && !other->OwnZValues &&
            other->GetZOrder() == GetZOrder())
            return true;
    }
    return false;
}

bool TChartSeries::FirstInZOrder() {
    if (!Active()) return false;
    TCustomAxisPanel* chart = ParentChart();
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* other = chart->GetSeries(i);
        if (other == this) break;
        if (other->Active() && other->GetZOrder() == GetZOrder()) return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Mouse

int TChartSeries::GetCursorValueIndex() { return Clicked(ParentChart()->GetCursorPos()); }

void TChartSeries::GetCursorValues(double& x, double& y) {
    const TPoint p = ParentChart()->GetCursorPos();
    x = ActiveHorizAxis->CalcPosPoint(p.X);
    y = ActiveVertAxis->CalcPosPoint(p.Y);
}

bool TChartSeries::CheckMouse(int x, int y) {
    if (Cursor == crDefault && !OnMouseEnter && !OnMouseLeave) return false;
    if (Clicked(x, y) == -1) {
        if (MouseInside) {
            MouseInside = false;
            if (OnMouseLeave) OnMouseLeave(this);
        }
        return false;
    }
    if (Cursor != crDefault) ParentChart()->SetCursor(Cursor);
    if (!MouseInside) {
        MouseInside = true;
        if (OnMouseEnter) OnMouseEnter(this);
    }
    return true;
}
