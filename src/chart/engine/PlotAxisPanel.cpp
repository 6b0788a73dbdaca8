#include "PlotAxisPanel.h"

#include "PlotMarks.h"
#include "PlotProcs.h"
#include "PlotPublished.h"
#include "Plotconst.h"
#include "cl_printer.h"

using namespace Plotconst;

namespace {

bool Intersection(const TRect& a, const TRect& b, TRect& result) {
    result = {Max(a.Left, b.Left), Max(a.Top, b.Top), Min(a.Right, b.Right),
              Min(a.Bottom, b.Bottom)};
    return result.Left < result.Right && result.Top < result.Bottom;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Life

TCustomAxisPanel::TCustomAxisPanel(TComponent* owner) : TCustomPlotPanelExtended(owner) {
    RepaintEnabled = false;
    Axes = new TChartAxes(this);
    CustomAxes = new TChartCustomAxes(this);
    SeriesList = new TChartSeriesList(this);
    Tools = new TChartTools(this);

    BottomAxis = new TChartAxis(CustomAxes);
    BottomAxis->SetHorizontal(true);

    TopAxis = new TChartAxis(CustomAxes);
    TopAxis->SetHorizontal(true);
    TopAxis->SetOtherSide(true);
    TopAxis->SetZPosition(100);
    TopAxis->Grid()->InitZPosition(100);

    LeftAxis = new TChartAxis(CustomAxes);
    LeftAxis->Title()->InitAngle(90);

    RightAxis = new TChartAxis(CustomAxes);
    RightAxis->Title()->InitAngle(270);
    RightAxis->SetOtherSide(true);
    RightAxis->SetZPosition(100);
    RightAxis->Grid()->InitZPosition(100);

    DepthAxis = new TChartDepthAxis(CustomAxes);
    DepthAxis->SetOtherSide(true);
    DepthTopAxis = new TChartDepthAxis(CustomAxes);
    RepaintEnabled = true;
}

TCustomAxisPanel::~TCustomAxisPanel() = default;

void TCustomAxisPanel::BeforeDestruction() {
    Destroying();
    RepaintEnabled = false;
    FreeAllSeries();
    // Tools go before the axes that axis tools point at.
    Tools->Clear();
    FreeAndNil(Tools);
    Axes->Clear();
    FreeAndNil(Axes);
    FreeAndNil(CustomAxes);
    FreeAndNil(SeriesList);
    FreeAndNil(Designer);
    TCustomPlotPanelExtended::BeforeDestruction();
}

void TCustomAxisPanel::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomAxisPanel*>(source)) {
        chart3DPercent_ = other->chart3DPercent_;
        axisBehind_ = other->axisBehind_;
        axisVisible_ = other->axisVisible_;
        BottomAxis->Assign(other->BottomAxis);
        clipPoints_ = other->clipPoints_;
        SeriesPalette = other->SeriesPalette;
        CustomAxes->Assign(other->CustomAxes);
        LeftAxis->Assign(other->LeftAxis);
        DepthAxis->Assign(other->DepthAxis);
        DepthTopAxis->Assign(other->DepthTopAxis);
        maxPointsPerPage_ = other->maxPointsPerPage_;
        page_ = other->page_;
        RightAxis->Assign(other->RightAxis);
        scaleLastPage_ = other->scaleLastPage_;
        TopAxis->Assign(other->TopAxis);
        view3DWalls_ = other->view3DWalls_;
    }
    TCustomPlotPanelExtended::Assign(source);
}

void TCustomAxisPanel::GetChildren(const TGetChildProc& proc, TComponent* root) {
    TCustomPlotPanelExtended::GetChildren(proc, root);
    for (int i = 0; i < SeriesCount(); ++i)
        if (!GetSeries(i)->ExcludedFromLists) proc(GetSeries(i));
}

void TCustomAxisPanel::Dispatch(TMessage& message) {
    TCustomPlotPanelExtended::Dispatch(message);
    if (message.Msg == CM_MOUSELEAVE) BroadcastToolEvent(cteMouseLeave);
}

// ---------------------------------------------------------------------------------------------
// The drawing pipeline

void TCustomAxisPanel::InternalDraw(const TRect& bounds) {
    // Handlers may change properties while the chart draws; none of that invalidates, and the
    // switch comes back however the drawing ends.
    struct KeepRepaint {
        TCustomAxisPanel* panel;
        bool saved;
        ~KeepRepaint() { panel->RepaintEnabled = saved; }
    } keep{this, RepaintEnabled};
    RepaintEnabled = false;
    CalcInvertedRotation();
    const bool fullRotation = InternalCanvas->GetSupportsFullRotation();
    if (!fullRotation) PanelPaint(bounds);
    BroadcastToolEvent(cteBeforeDraw);
    DoOnBeforeDrawChart();
    for (int i = 0; i < SeriesCount(); ++i)
        if (GetSeries(i)->Active()) GetSeries(i)->DoBeforeDrawChart();
    if (!fullRotation) DrawTitlesAndLegend(true);

    const bool depthPerSeries = DepthPerSeries && View3D();
    MaxZOrder = 0;
    if (depthPerSeries) {
        MaxZOrder = -1;
        for (int i = 0; i < SeriesCount(); ++i)
            if (GetSeries(i)->Active()) GetSeries(i)->CalcZOrder();
    }
    if (!DepthAxis->Inverted())
        for (int i = 0; i < SeriesCount(); ++i) {
            TChartSeries* series = GetSeries(i);
            if (series->Active())
                series->ComputedZOrder = depthPerSeries ? MaxZOrder - series->GetZOrder() : 0;
        }

    CalcWallsRect();
    const TRect wallsRect = ChartRect;
    CalcAxisRects();
    for (int i = 0; i < SeriesCount(); ++i)
        if (GetSeries(i)->Active()) GetSeries(i)->CalcDepthPositions();
    CalcSeriesMargins();
    InternalCanvas->Projection(DepthWidth, DrawBounds, ChartRect);
    if (fullRotation) {
        const TRect axesRect = ChartRect;
        ChartRect = wallsRect;
        PanelPaint(bounds);
        DrawTitlesAndLegend(true);
        ChartRect = axesRect;
    }
    DrawWalls();
    if (axisBehind_) {
        BroadcastToolEvent(cteBeforeDrawAxes);
        DrawAxes();
    }
    BroadcastToolEvent(cteBeforeDrawSeries);
    DoOnBeforeDrawSeries();
    DrawAllSeries();
    BroadcastToolEvent(cteAfterDrawSeries);
    if (!axisBehind_) {
        BroadcastToolEvent(cteBeforeDrawAxes);
        DrawAxes();
    }
    DrawTitlesAndLegend(false);
    if (Zoom()->Active) DrawZoomRectangle();
    BroadcastToolEvent(cteAfterDraw);
    InternalCanvas->ResetState();
    DoOnAfterDraw();
}

void TCustomAxisPanel::CalcAxisRects() {
    for (int i = 0; i < Axes->Count(); ++i) {
        TChartAxis* axis = Axes->Get(i);
        axis->VisibleInDrawing = CalcIsAxisVisible(axis);
        axis->AdjustMaxMin();
    }
    for (int i = 0; i < Axes->Count(); ++i) Axes->Get(i)->InternalCalcPositions();
    TRect r = ChartRect;
    for (int i = 0; i < Axes->Count(); ++i) {
        TChartAxis* axis = Axes->Get(i);
        if (!axis->VisibleInDrawing) continue;
        TRect shrunk = r, common;
        axis->CalcRect(shrunk, i < 5);
        if (Intersection(r, shrunk, common)) r = common;
    }
    ChartRect = r;
    ReCalcWidthHeight();
    for (int i = 0; i < Axes->Count(); ++i) Axes->Get(i)->InternalCalcPositions();
}

void TCustomAxisPanel::CalcSeriesMargins() {
    for (int a = 0; a < Axes->Count(); ++a) {
        TChartAxis* axis = Axes->Get(a);
        TRect m(0, 0, 0, 0);
        for (int i = 0; i < SeriesCount(); ++i) {
            TChartSeries* series = GetSeries(i);
            if (!series->Active() || !series->AssociatedToAxis(axis)) continue;
            int low = 0, high = 0;
            if (axis->Horizontal()) {
                series->CalcHorizMargins(low, high);
                if (axis->AutomaticMinimum()) m.Left = Max(m.Left, low);
                if (axis->AutomaticMaximum()) m.Right = Max(m.Right, high);
            } else {
                series->CalcVerticalMargins(low, high);
                if (axis->AutomaticMaximum()) m.Top = Max(m.Top, low);
                if (axis->AutomaticMinimum()) m.Bottom = Max(m.Bottom, high);
            }
        }
        const bool inverted = axis->Inverted();
        if (axis->Horizontal()) {
            (inverted ? m.Right : m.Left) += axis->MinimumOffset();
            (inverted ? m.Left : m.Right) += axis->MaximumOffset();
        } else {
            (inverted ? m.Top : m.Bottom) += axis->MinimumOffset();
            (inverted ? m.Bottom : m.Top) += axis->MaximumOffset();
        }
        axis->AdjustMaxMinRect(m);
    }
}

void TCustomAxisPanel::DrawAxes() {
    if (!axisVisible_) return;
    DoOnBeforeDrawAxes();
    const bool bottomDrawnByWalls = DrawBackWallAfter(0);
    for (int i = 0; i < Axes->Count(); ++i) {
        TChartAxis* axis = Axes->Get(i);
        if (axis->VisibleInDrawing && !(axis == BottomAxis && bottomDrawnByWalls)) axis->Draw(true);
    }
}

bool TCustomAxisPanel::ClipChart() {
    if (!CanClip()) return false;
    TRect r = ChartRect;
    ++r.Bottom;
    InternalCanvas->ClipCube(r, 0, DepthWidth);
    return true;
}

void TCustomAxisPanel::DrawSeriesMarks(TChartSeries* series) {
    TSeriesMarks* marks = series->Marks();
    if (series->Count() == 0 || !marks->Visible()) return;
    const bool clipped = marks->Clip() && ClipChart();
    series->DrawMarks();
    if (clipped) InternalCanvas->UnClipRectangle();
}

void TCustomAxisPanel::DrawAllSeries() {
    const bool backwards = DepthAxis->Inverted() != DrawBackWallAfter(DepthWidth);
    const int count = SeriesCount();
    for (int k = 0; k < count; ++k) {
        TChartSeries* series = GetSeries(backwards ? count - 1 - k : k);
        if (series->Active()) DrawSeries(series);
    }
}

void TCustomAxisPanel::DrawSeries(TChartSeries* series) {
    if (View3D() && series->MoreSameZOrder()) {
        if (series->FirstInZOrder()) DrawSeriesGroup(series);
        return;
    }
    series->CalcFirstLastVisibleIndex();
    if (series->FirstValueIndex == -1) return;
    series->DoBeforeDrawValues();
    const bool clipped = series->UseAxis() && clipPoints_ && ClipChart();
    series->DrawAllValues();
    if (clipped) InternalCanvas->UnClipRectangle();
    DrawSeriesMarks(series);
    series->DoAfterDrawValues();
}

void TCustomAxisPanel::DrawSeriesGroup(TChartSeries* leader) {
    const int start = SeriesList->IndexOf(leader);
    const int count = SeriesCount();
    const int zOrder = leader->GetZOrder();
    auto member = [&](int i) {
        TChartSeries* series = GetSeries(i);
        return series->Active() && series->GetZOrder() == zOrder ? series : nullptr;
    };
    int first = -1, last = -1;
    bool clipped = false;
    for (int i = start; i < count; ++i) {
        TChartSeries* series = member(i);
        if (!series) continue;
        series->CalcFirstLastVisibleIndex();
        if (series->FirstValueIndex == -1) continue;
        if (first == -1) {
            first = series->FirstValueIndex;
            last = series->LastValueIndex;
        } else {
            first = Max(first, series->FirstValueIndex);
            last = Max(last, series->LastValueIndex);
        }
        series->DoBeforeDrawValues();
        if (clipPoints_ && !clipped) clipped = ClipChart();
    }
    auto drawValue = [&](int index) {
        const bool backwards = index < leader->Count() && !leader->DrawSeriesForward(index);
        for (int k = 0; k < count - start; ++k) {
            TChartSeries* series = member(backwards ? count - 1 - k : start + k);
            if (series && series->Count() > index) series->DrawValue(index);
        }
    };
    if (first != -1) {
        if (leader->DrawValuesForward())
            for (int index = first; index <= last; ++index) drawValue(index);
        else
            for (int index = last; index >= first; --index) drawValue(index);
    }
    if (clipped) InternalCanvas->UnClipRectangle();
    for (int i = start; i < count; ++i) {
        TChartSeries* series = member(i);
        if (!series || series->FirstValueIndex == -1) continue;
        DrawSeriesMarks(series);
        series->DoAfterDrawValues();
    }
}

// ---------------------------------------------------------------------------------------------
// Pipeline hooks and 3-D sizes

void TCustomAxisPanel::DoOnAfterDraw() {
    if (OnAfterDraw) OnAfterDraw(this);
}

void TCustomAxisPanel::DoOnBeforeDrawAxes() {
    if (OnBeforeDrawAxes) OnBeforeDrawAxes(this);
}

void TCustomAxisPanel::DoOnBeforeDrawChart() {
    if (OnBeforeDrawChart) OnBeforeDrawChart(this);
}

void TCustomAxisPanel::DoOnBeforeDrawSeries() {
    if (OnBeforeDrawSeries) OnBeforeDrawSeries(this);
}

bool TCustomAxisPanel::DrawBackWallAfter(int z) {
    if (!View3D()) return false;
    const TFourPoints corners = InternalCanvas->FourPointsFromRect(ChartRect, z);
    return !PlotCull(corners.data());
}

AnsiString TCustomAxisPanel::FormattedValueLegend(TChartSeries*, int) { return AnsiString(); }

void TCustomAxisPanel::CalcSize3DWalls() {
    if (!View3D()) {
        SeriesDepthWidth = SeriesDepthHeight = DepthWidth = DepthHeight = 0;
        return;
    }
    double percent = chart3DPercent_ * 0.001;
    if (!View3DOptions()->Orthogonal()) percent *= 2;
    SeriesDepthWidth = PlotRound(ChartRectWidth * percent);
    const double ratio = View3DOptions()->CalcOrthoRatio();
    if (ratio > 1) SeriesDepthWidth = PlotRound(SeriesDepthWidth / ratio);
    SeriesDepthHeight = PlotRound(SeriesDepthWidth * ratio);
    const int positions = DepthPerSeries ? Max(1, MaxZOrder + 1) : 1;
    DepthHeight = SeriesDepthHeight * positions;
    DepthWidth = SeriesDepthWidth * positions;
}

void TCustomAxisPanel::CalcInvertedRotation() {
    TView3DOptions* view = View3DOptions();
    InvertedRotation =
        View3D() && (view->Orthogonal() ? view->OrthoAngle() > 90 : view->Rotation() < 180);
}

// ---------------------------------------------------------------------------------------------
// Series list

int TCustomAxisPanel::CountActiveSeries() const {
    int count = 0;
    for (int i = 0; i < SeriesCount(); ++i)
        if (GetSeries(i)->Active()) ++count;
    return count;
}

TChartSeries* TCustomAxisPanel::AddSeries(TChartSeries* series) {
    series->SetParentChart(this);
    return series;
}

TChartSeries* TCustomAxisPanel::AddSeries(const TMetaClass* seriesClass) {
    TComponent* component = CreateComponent(seriesClass, Owner());
    auto* series = dynamic_cast<TChartSeries*>(component);
    if (!series) {
        component->Free();
        throw EInvalidCast(seriesClass->ClassName() + " is not a series class");
    }
    return AddSeries(series);
}

void TCustomAxisPanel::InternalAddSeries(TChartSeries* series) {
    if (SeriesList->IndexOf(series) >= 0) return;
    // The series' own setter moves it here and comes back.
    if (series->ParentChart() != this) {
        series->SetParentChart(this);
        return;
    }
    series->Added();
    SeriesList->Add(series);
    BroadcastSeriesEvent(series, seAdd);
    Invalidate();
}

void TCustomAxisPanel::RemoveSeries(int index) {
    if (index < 0) return;
    TChartSeries* series = GetSeries(index);
    BroadcastSeriesEvent(series, seRemove);
    series->Removed();
    SeriesList->Delete(index);
    Invalidate();
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* series) {
    RemoveSeries(SeriesList->IndexOf(series));
}

void TCustomAxisPanel::FreeAllSeries(const TMetaClass* seriesClass) {
    for (int i = SeriesCount() - 1; i >= 0; --i) {
        if (i >= SeriesCount()) continue;
        TChartSeries* series = GetSeries(i);
        if (seriesClass && !series->InheritsFrom(seriesClass)) continue;
        series->SetParentChart(nullptr);
        series->Free();
    }
}

void TCustomAxisPanel::ExchangeSeries(int index1, int index2) {
    SeriesList->Exchange(index1, index2);
    TChartSeries* first = GetSeries(index1);
    TChartSeries* second = GetSeries(index2);
    if (first->Owner() && first->Owner() == second->Owner()) {
        TChartSeries* earlier = first->ComponentIndex() < second->ComponentIndex() ? first : second;
        TChartSeries* later = earlier == first ? second : first;
        const int earlierIndex = earlier->ComponentIndex(), laterIndex = later->ComponentIndex();
        earlier->SetComponentIndex(laterIndex);
        later->SetComponentIndex(earlierIndex);
    }
    const int group = SeriesList->Groups()->Contains(first);
    if (group >= 0) {
        TCustomSeriesList* members = SeriesList->Groups()->Get(group)->Series();
        const int a = members->IndexOf(first), b = members->IndexOf(second);
        if (b >= 0) members->Exchange(a, b);
    }
    BroadcastSeriesEvent(nullptr, seSwap);
    Invalidate();
}

void TCustomAxisPanel::ExchangeSeries(TChartSeries* series1, TChartSeries* series2) {
    ExchangeSeries(SeriesList->IndexOf(series1), SeriesList->IndexOf(series2));
}

// ---------------------------------------------------------------------------------------------
// Legend queries and measures

TChartSeries* TCustomAxisPanel::SeriesLegend(int position, bool onlyActive) {
    int shown = 0;
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = GetSeries(i);
        if (!series->ShowInLegend() || (onlyActive && !series->Active())) continue;
        if (shown++ == position) return series;
    }
    return nullptr;
}

AnsiString TCustomAxisPanel::SeriesTitleLegend(int position, bool onlyActive) {
    TChartSeries* series = SeriesLegend(position, onlyActive);
    if (!series) return AnsiString();
    return series->Title().IsEmpty() ? series->Name() : series->Title();
}

int TCustomAxisPanel::MultiLineTextWidth(AnsiString text, int& lines) {
    const std::vector<AnsiString> parts = SplitMarkLines(text);
    lines = static_cast<int>(parts.size());
    int widest = 0;
    for (const AnsiString& part : parts) widest = Max(widest, InternalCanvas->TextWidth(part));
    return widest;
}

int TCustomAxisPanel::MaxTextWidth() {
    int widest = 0, lines = 0;
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = GetSeries(i);
        for (int j = 0; j < series->LabelList.Count(); ++j)
            widest = Max(widest, MultiLineTextWidth(series->LabelList.GetLabel(j), lines));
    }
    return widest;
}

int TCustomAxisPanel::MaxMarkWidth() {
    int widest = 0;
    for (int i = 0; i < SeriesCount(); ++i)
        if (GetSeries(i)->Active()) widest = Max(widest, GetSeries(i)->MaxMarkWidth());
    return widest;
}

int TCustomAxisPanel::GetMaxValuesCount() {
    int most = 0;
    for (int i = 0; i < SeriesCount(); ++i)
        if (GetSeries(i)->Active()) most = Max(most, GetSeries(i)->Count());
    return most;
}

// ---------------------------------------------------------------------------------------------
// Axis queries

bool TCustomAxisPanel::CalcIsAxisVisible(TChartAxis* axis) {
    if (!axisVisible_ || !axis->Visible()) return false;
    if (axis->IsDepthAxis) return View3D();
    bool anyActive = false;
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = GetSeries(i);
        if (!series->Active()) continue;
        anyActive = true;
        if (!series->UseAxis()) return false;
        if (series->AssociatedToAxis(axis)) return true;
    }
    return !anyActive;
}

bool TCustomAxisPanel::NoActiveSeries(TChartAxis* axis) {
    for (int i = 0; i < SeriesCount(); ++i)
        if (GetSeries(i)->Active() && GetSeries(i)->AssociatedToAxis(axis)) return false;
    return true;
}

TChartSeries* TCustomAxisPanel::GetAxisSeries(TChartAxis* axis) {
    const bool anySeries = NoActiveSeries(axis);
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = GetSeries(i);
        if ((series->Active() || anySeries) && series->AssociatedToAxis(axis)) return series;
    }
    return nullptr;
}

TChartSeries* TCustomAxisPanel::GetAxisSeriesMaxPoints(TChartAxis* axis) {
    const bool anySeries = NoActiveSeries(axis);
    TChartSeries* most = nullptr;
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = GetSeries(i);
        if (!(series->Active() || anySeries) || !series->AssociatedToAxis(axis)) continue;
        if (!most || series->Count() > most->Count()) most = series;
    }
    return most;
}

double TCustomAxisPanel::PagedMinMax(TChartAxis* axis, bool isMinimum, bool isX) {
    TChartSeries* series = GetAxisSeriesMaxPoints(axis);
    if (!series || series->Count() == 0) return 0;
    int first, last;
    series->CalcFirstLastPage(first, last);
    TChartValueList* values = isX ? series->XValues : series->YValues;
    if (isMinimum) return values->GetValue(first);
    const double firstValue = values->GetValue(first);
    const double lastValue = values->GetValue(last);
    const int n = last - first + 1;
    if (scaleLastPage_ || n >= maxPointsPerPage_) return lastValue;
    if (lastValue == firstValue) return firstValue + static_cast<double>(maxPointsPerPage_) / n;
    return firstValue + (lastValue - firstValue) * maxPointsPerPage_ / n;
}

double TCustomAxisPanel::InternalMinMax(TChartAxis* axis, bool isMinimum, bool isX) {
    if (axis->IsDepthAxis) {
        if (axis->CalcLabelStyle() != talValue) return isMinimum ? -0.5 : MaxZOrder + 0.5;
        bool any = false;
        double result = 0;
        for (int i = 0; i < SeriesCount(); ++i) {
            TChartSeries* series = GetSeries(i);
            if (!series->Active()) continue;
            const double v = isMinimum ? series->MinZValue() : series->MaxZValue();
            if (!any || (isMinimum ? v < result : v > result)) result = v;
            any = true;
        }
        return result;
    }
    if (maxPointsPerPage_ > 0) {
        TChartSeries* first = GetAxisSeries(axis);
        const bool paged = isX ? (!first || first->YIsMandatory) : (first && !first->YIsMandatory);
        if (paged) return PagedMinMax(axis, isMinimum, isX);
    }
    const bool anySeries = NoActiveSeries(axis);
    bool any = false;
    double result = 0;
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = GetSeries(i);
        if (!(series->Active() || anySeries) || series->Count() == 0) continue;
        const bool onAxis =
            isX ? series->GetHorizAxis() == axis || series->HorizAxis() == aBothHorizAxis
                : series->GetVertAxis() == axis || series->VertAxis() == aBothVertAxis;
        if (!onAxis) continue;
        const double v = isX ? (isMinimum ? series->MinXValue() : series->MaxXValue())
                             : (isMinimum ? series->MinYValue() : series->MaxYValue());
        if (!any || (isMinimum ? v < result : v > result)) result = v;
        any = true;
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// Colours and events

TColor TCustomAxisPanel::GetDefaultColor(int index) const {
    if (SeriesPalette.empty()) return ::GetDefaultColor(index);
    return SeriesPalette[static_cast<size_t>(index) % SeriesPalette.size()];
}

TColor TCustomAxisPanel::GetFreeSeriesColor(bool checkBackground, TChartSeries* series) {
    const int last =
        static_cast<int>(SeriesPalette.empty() ? ColorPalette.size() : SeriesPalette.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        const TColor color = GetDefaultColor(i);
        if (IsFreeSeriesColor(color, checkBackground, series)) return color;
    }
    return GetDefaultColor(last);
}

void TCustomAxisPanel::ColorPaletteChanged() {
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = GetSeries(i);
        if (series->SeriesColor() == clDefault)
            series->ChangeInternalColor(GetFreeSeriesColor(true, series));
    }
}

void TCustomAxisPanel::BroadcastSeriesEvent(TChartSeries* series, TChartSeriesEvent event) {
    TPlotSeriesEvent notice;
    notice.Event = event;
    notice.Series = series;
    BroadcastPlotEvent(&notice);
}

void TCustomAxisPanel::BroadcastToolEvent(TChartToolEvent event) {
    for (int i = 0; i < Tools->Count(); ++i)
        if (Tools->Get(i)->Active()) Tools->Get(i)->ChartEvent(event);
}

bool TCustomAxisPanel::CheckMouseSeries(int x, int y) {
    bool changed = false;
    for (int i = SeriesCount() - 1; i >= 0; --i)
        if (GetSeries(i)->Active() && GetSeries(i)->CheckMouse(x, y)) changed = true;
    return changed;
}

// ---------------------------------------------------------------------------------------------
// Paging and other properties

int TCustomAxisPanel::AxisPageCount(TChartAxis* axis) {
    int most = 0;
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = GetSeries(i);
        if (series->Active() && series->AssociatedToAxis(axis)) most = Max(most, series->Count());
    }
    if (most <= 0) return 1;
    return most / maxPointsPerPage_ + (most % maxPointsPerPage_ != 0 ? 1 : 0);
}

int TCustomAxisPanel::NumPages() {
    if (maxPointsPerPage_ < 1 || SeriesCount() == 0) return 1;
    const bool yMandatory = GetSeries(0)->YIsMandatory;
    return Max(AxisPageCount(yMandatory ? BottomAxis : LeftAxis),
               AxisPageCount(yMandatory ? TopAxis : RightAxis));
}

void TCustomAxisPanel::SetPage(int value) {
    value = Min(value, NumPages());
    if (value <= 0) value = 1;
    if (value == page_) return;
    SetIntegerProperty(page_, value);
    TChartChangePage notice;
    BroadcastPlotEvent(&notice);
    if (OnPageChange) OnPageChange(this);
}

void TCustomAxisPanel::SetMaxPointsPerPage(int value) {
    if (value < 0) throw ChartException(PlotMsg_MaxPointsPerPage);
    SetIntegerProperty(maxPointsPerPage_, value);
    if (NumPages() < page_) SetPage(NumPages());
    TChartChangePage notice;
    BroadcastPlotEvent(&notice);
}

void TCustomAxisPanel::PrintPages(int fromPage, int toPage) {
    TPrinter* printer = ::Printer();
    if (!Name().IsEmpty()) printer->SetTitle(Name());
    const int savedPage = page_;
    struct KeepPage {
        TCustomAxisPanel* panel;
        int page;
        ~KeepPage() { panel->SetPage(page); }
    } keep{this, savedPage};
    printer->BeginDoc();
    try {
        if (toPage == 0) toPage = NumPages();
        if (fromPage == 0) fromPage = 1;
        const TRect r = ChartPrintRect();
        for (int p = fromPage; p <= toPage; ++p) {
            SetPage(p);
            PrintPartial(r);
            if (p != toPage) printer->NewPage();
        }
        printer->EndDoc();
    } catch (...) {
        printer->Abort();
        if (printer->Printing()) printer->EndDoc();
        throw;
    }
}

void TCustomAxisPanel::Set3DPercent(int value) {
    if (value < 1 || value > 100) throw Exception(PlotMsg_3dPercent, 1, 100);
    SetIntegerProperty(chart3DPercent_, value);
}

namespace {

template <class T> TPropertyInfo AxisField(const char* name, T* TCustomAxisPanel::*field) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkObject;
    info.GetSubObject = [field](TObject* o) -> TPersistent* {
        return static_cast<TCustomAxisPanel*>(o)->*field;
    };
    return info;
}

// The axis panel's published properties, for the component streams.
const bool axisPanelPropertiesRegistered = [] {
    using P = TCustomAxisPanel;
    const TMetaClass* panel = P::StaticClass();
    RegisterProperty(panel, OrdinalProperty<P>("AxisBehind", pkBool, &P::AxisBehind,
                                               &P::SetAxisBehind, 1));
    RegisterProperty(panel, OrdinalProperty<P>("AxisVisible", pkBool, &P::AxisVisible,
                                               &P::SetAxisVisible, 1));
    RegisterProperty(panel, AxisField("BottomAxis", &P::BottomAxis));
    RegisterProperty(panel, OrdinalProperty<P>("Chart3DPercent", pkInteger, &P::Chart3DPercent,
                                               &P::Set3DPercent, 15));
    RegisterProperty(panel, OrdinalProperty<P>("ClipPoints", pkBool, &P::ClipPoints,
                                               &P::SetClipPoints, 1));
    RegisterProperty(panel, AxisField("CustomAxes", &P::CustomAxes));
    RegisterProperty(panel, AxisField("DepthAxis", &P::DepthAxis));
    RegisterProperty(panel, AxisField("DepthTopAxis", &P::DepthTopAxis));
    RegisterProperty(panel, AxisField("LeftAxis", &P::LeftAxis));
    RegisterProperty(panel, OrdinalProperty<P>("MaxPointsPerPage", pkInteger,
                                               &P::MaxPointsPerPage, &P::SetMaxPointsPerPage,
                                               0));
    RegisterProperty(panel, OrdinalProperty<P>("Page", pkInteger, &P::Page, &P::SetPage, 1));
    RegisterProperty(panel, AxisField("RightAxis", &P::RightAxis));
    RegisterProperty(panel, OrdinalProperty<P>("ScaleLastPage", pkBool, &P::ScaleLastPage,
                                               &P::SetScaleLastPage, 1));
    RegisterProperty(panel, AxisField("TopAxis", &P::TopAxis));
    RegisterProperty(panel, OrdinalProperty<P>("View3DWalls", pkBool, &P::View3DWalls,
                                               &P::SetView3DWalls, 1));
    return true;
}();

}  // namespace
