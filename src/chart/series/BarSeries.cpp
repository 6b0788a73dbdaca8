// Bar series.
#include "BarSeries.h"

#include <algorithm>
#include <vector>

#include "ChartRegistry.h"
#include "PlotAxisPanel.h"
#include "PlotBlend.h"
#include "PlotGeometry.h"
#include "PlotMarks.h"
#include "PlotPointer.h"
#include "PlotProcs.h"
#include "PlotView3D.h"
#include "Plotconst.h"

using namespace Plotconst;

TBarSeriesGradient::TBarSeriesGradient(const TNotifyEvent& onChange)
    : TCustomPlotGradient(onChange) {}

void TBarSeriesGradient::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TBarSeriesGradient*>(source)) relative_ = other->relative_;
    TCustomPlotGradient::Assign(source);
}

void TBarSeriesGradient::SetRelative(bool value) {
    if (relative_ == value) return;
    relative_ = value;
    DoChanged();
}

// ---------------------------------------------------------------------------------------------
// Settings

TCustomBarSeries::TCustomBarSeries(TComponent* owner)
    : TChartSeries(owner),
      gradient_(new TBarSeriesGradient([this](TObject*) { Repaint(); })),
      tickLines_(new TChartHiddenPen([this](TObject*) { Repaint(); })) {
    gradient_->SetVisible(true);
    Marks()->SetVisible(true);
    Marks()->GetCallout()->SetLength(20);
    Marks()->GetCallout()->LengthDefault = 20;
}

TCustomBarSeries::~TCustomBarSeries() {
    TObject::Free(gradient_);
    TObject::Free(tickLines_);
}

void TCustomBarSeries::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomBarSeries*>(source)) {
        autoMarkPosition_ = other->autoMarkPosition_;
        barWidthPercent_ = other->barWidthPercent_;
        barStyle_ = other->barStyle_;
        bevelSize_ = other->bevelSize_;
        customBarSize_ = other->customBarSize_;
        dark3D_ = other->dark3D_;
        depthPercent_ = other->depthPercent_;
        gradient_->Assign(other->gradient_);
        multiBar_ = other->multiBar_;
        offsetPercent_ = other->offsetPercent_;
        yOrigin_ = other->yOrigin_;
        sideMargins_ = other->sideMargins_;
        stackGroup_ = other->stackGroup_;
        tickLines_->Assign(other->tickLines_);
        transparency_ = other->transparency_;
        useYOrigin_ = other->useYOrigin_;
    }
    TChartSeries::Assign(source);
}

void TCustomBarSeries::SetBarStyle(TBarStyle value) {
    if (barStyle_ == value) return;
    barStyle_ = value;
    Repaint();
}

void TCustomBarSeries::SetMultiBar(TMultiBar value) {
    if (multiBar_ == value) return;
    multiBar_ = value;
    SpreadSharedSettings();
    Repaint();
}

void TCustomBarSeries::SetSideMargins(bool value) {
    if (sideMargins_ == value) return;
    sideMargins_ = value;
    SpreadSharedSettings();
    Repaint();
}

void TCustomBarSeries::SpreadSharedSettings() {
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* series = chart->GetSeries(i);
        if (series->ClassType() != ClassType()) continue;
        auto* bar = static_cast<TCustomBarSeries*>(series);
        bar->multiBar_ = multiBar_;
        bar->sideMargins_ = sideMargins_;
        bar->ClipToVisibleRange = multiBar_ != mbSelfStack;
    }
}

void TCustomBarSeries::SetParentChart(TCustomAxisPanel* chart) {
    TChartSeries::SetParentChart(chart);
    if (!chart) return;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* series = chart->GetSeries(i);
        if (series->ClassType() != ClassType()) continue;
        auto* first = static_cast<TCustomBarSeries*>(series);
        multiBar_ = first->multiBar_;
        sideMargins_ = first->sideMargins_;
        return;
    }
}

int TCustomBarSeries::AddBar(double value, const AnsiString& label, TColor color) {
    return Add(value, label, color);
}

TBarStyle TCustomBarSeries::GetBarStyle(int index) {
    TBarStyle style = barStyle_;
    if (OnGetBarStyle) OnGetBarStyle(this, index, style);
    return style;
}

// ---------------------------------------------------------------------------------------------
// Layout

void TCustomBarSeries::DoBeforeDrawChart() {
    TChartSeries::DoBeforeDrawChart();
    orderPos_ = 1;
    previousCount_ = 0;
    barCount_ = 0;
    maxBarPoints_ = -1;
    std::vector<int> stackGroups;
    TCustomAxisPanel* chart = ParentChart();
    bool reached = false;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* series = chart->GetSeries(i);
        if (!series->Active() || series->ClassType() != ClassType()) continue;
        auto* bar = static_cast<TCustomBarSeries*>(series);
        if (bar == this) reached = true;
        if (maxBarPoints_ == -1 || maxBarPoints_ < bar->Count())
            maxBarPoints_ = bar->Count() + (sideMargins_ ? 1 : 0);
        switch (multiBar_) {
            case mbNone:
            case mbSelfStack:
                barCount_ = 1;
                break;
            case mbSide:
            case mbSideAll:
                ++barCount_;
                if (!reached) ++orderPos_;
                break;
            case mbStacked:
            case mbStacked100:
                if (std::find(stackGroups.begin(), stackGroups.end(), bar->stackGroup_) ==
                    stackGroups.end()) {
                    stackGroups.push_back(bar->stackGroup_);
                    ++barCount_;
                    if (!reached) ++orderPos_;
                }
                break;
        }
        if (!reached) previousCount_ += bar->Count();
    }
    const auto group = std::find(stackGroups.begin(), stackGroups.end(), stackGroup_);
    if (group != stackGroups.end()) orderPos_ = static_cast<int>(group - stackGroups.begin()) + 1;
    if (chart->MaxPointsPerPage() > 0) maxBarPoints_ = chart->MaxPointsPerPage();
}

void TCustomBarSeries::CalcBarSize() {
    if (customBarSize_ != 0) {
        barSize_ = customBarSize_;
        return;
    }
    // No bars drawn (or none counted yet): no size, and no division by an empty count.
    if (maxBarPoints_ <= 0 || barCount_ <= 0) {
        barSize_ = 0;
        return;
    }
    TChartAxis* axis = CategoryAxis();
    int slot;
    if (autoBarSize_) {
        const double span = axis->Maximum() + 2 - axis->Minimum();
        slot = span > 0 ? PlotRound(axis->AxisPixels / span) : 0;
    } else {
        slot = axis->AxisPixels / maxBarPoints_;
    }
    barSize_ = PlotRound(barWidthPercent_ * 0.01 * slot) / barCount_;
    if (barSize_ > 0 && barSize_ % 2 == 1) ++barSize_;
}

int TCustomBarSeries::BarMargin() const {
    const int margin = multiBar_ == mbSideAll ? barSize_ : barSize_ * barCount_;
    return sideMargins_ ? margin : margin / 2;
}

int TCustomBarSeries::ApplyBarOffset(int position) const {
    return offsetPercent_ == 0 ? position
                               : position + PlotRound(offsetPercent_ * barSize_ * 0.01);
}

int TCustomBarSeries::IndexInChart() const {
    return ParentChart() ? ParentChart()->SeriesList->IndexOf(const_cast<TCustomBarSeries*>(this))
                         : 0;
}

int TCustomBarSeries::CategoryPos(int index) {
    TChartAxis* axis = CategoryAxis();
    int result;
    switch (multiBar_) {
        case mbSideAll:
            result = axis->CalcPosValue(index + previousCount_) - barSize_ / 2;
            break;
        case mbSelfStack:
            result = axis->CalcPosValue(IndexInChart()) - barSize_ / 2;
            break;
        case mbNone:
            result = axis->CalcPosValue(NotMandatoryList->GetValue(index)) - barSize_ / 2;
            break;
        default:
            result = axis->CalcPosValue(NotMandatoryList->GetValue(index)) +
                     PlotRound((orderPos_ - barCount_ * 0.5 - 1) * barSize_);
    }
    return ApplyBarOffset(result);
}

int TCustomBarSeries::ValuePos(int index) {
    TChartAxis* axis = MandatoryAxis();
    const double value = MandatoryList->GetValue(index);
    switch (multiBar_) {
        case mbStacked:
        case mbSelfStack:
            return axis->CalcPosValue(PointOrigin(index, false) + value);
        case mbStacked100: {
            const double total = PointOrigin(index, true);
            return total == 0 ? 0 : axis->CalcPosValue((PointOrigin(index, false) + value) * 100 / total);
        }
        default:
            return axis->CalcPosValue(value);
    }
}

double TCustomBarSeries::PointOrigin(int index, bool sumAll) {
    if (multiBar_ == mbSelfStack) {
        double sum = 0;
        for (int i = 0; i < index; ++i) sum += MandatoryList->GetValue(i);
        return sum;
    }
    if (multiBar_ != mbStacked && multiBar_ != mbStacked100) return yOrigin_;
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return 0;
    const bool positive = MandatoryList->GetValue(index) >= 0;
    double sum = 0;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* series = chart->GetSeries(i);
        if (!sumAll && series == this) break;
        if (!series->Active() || series->ClassType() != ClassType() || series->Count() <= index ||
            static_cast<TCustomBarSeries*>(series)->stackGroup_ != stackGroup_)
            continue;
        const double value = series->GetOriginValue(index);
        if (positive ? value >= 0 : value < 0) sum += value;
    }
    return sum;
}

int TCustomBarSeries::OriginPos(int index, int fallback) {
    TChartAxis* axis = MandatoryAxis();
    double origin = PointOrigin(index, false);
    if (multiBar_ == mbStacked100) {
        const double total = PointOrigin(index, true);
        if (total == 0) return 0;
        origin = origin * 100 / total;
    }
    const bool stacked =
        multiBar_ == mbStacked || multiBar_ == mbStacked100 || multiBar_ == mbSelfStack;
    return stacked || useYOrigin_ ? axis->CalcPosValue(origin) : fallback;
}

double TCustomBarSeries::MaxMandatoryValue(double value) {
    double result = value;
    if (multiBar_ == mbStacked100) {
        result = 100;
    } else if (multiBar_ == mbSelfStack) {
        result = 0;
        for (int i = 0; i < Count(); ++i) result += MandatoryList->GetValue(i);
    } else if (multiBar_ == mbStacked) {
        for (int i = 0; i < Count(); ++i)
            result = Max(result, PointOrigin(i, false) + MandatoryList->GetValue(i));
    }
    return useYOrigin_ ? Max(result, yOrigin_) : result;
}

double TCustomBarSeries::MinMandatoryValue(double value) {
    double result = value;
    if (multiBar_ == mbStacked100) {
        result = 0;
    } else if (multiBar_ == mbStacked || multiBar_ == mbSelfStack) {
        for (int i = 0; i < Count(); ++i)
            result = Min(result, PointOrigin(i, false) + MandatoryList->GetValue(i));
    }
    return useYOrigin_ ? Min(result, yOrigin_) : result;
}

void TCustomBarSeries::CalcZOrder() {
    if (multiBar_ != mbNone) {
        TCustomAxisPanel* chart = ParentChart();
        for (int i = 0; i < chart->SeriesCount(); ++i) {
            TChartSeries* series = chart->GetSeries(i);
            if (series == this) break;
            if (series->Active() && series->ClassType() == ClassType()) {
                ComputedZOrder = series->ComputedZOrder;
                return;
            }
        }
    }
    TChartSeries::CalcZOrder();
}

void TCustomBarSeries::CalcDepthPositions() {
    TChartSeries::CalcDepthPositions();
    if (depthPercent_ == 0) return;
    const int inset = PlotRound((100 - depthPercent_) * (EndZ - StartZ) * 0.005);
    StartZ += inset;
    EndZ -= inset;
}

void TCustomBarSeries::CalcFirstLastVisibleIndex() {
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || chart->MaxPointsPerPage() != 1) {
        TChartSeries::CalcFirstLastVisibleIndex();
        return;
    }
    const int index = chart->Page() - 1;
    FirstValueIndex = LastValueIndex = index < Count() ? index : -1;
}

int TCustomBarSeries::NumSampleValues() {
    TCustomAxisPanel* chart = ParentChart();
    if (chart)
        for (int i = 0; i < chart->SeriesCount(); ++i) {
            TChartSeries* series = chart->GetSeries(i);
            if (series != this && dynamic_cast<TCustomBarSeries*>(series) && series->Count() > 0)
                return series->Count();
        }
    return 6;
}

void TCustomBarSeries::AddSampleValues(int numValues, bool onlyMandatory) {
    TCustomAxisPanel* chart = ParentChart();
    bool explicitX = false;
    for (int i = 0; chart && i < chart->SeriesCount() && !explicitX; ++i) {
        TChartSeries* series = chart->GetSeries(i);
        explicitX = series != this && series->ClassType() == ClassType() &&
                    series->HasNoMandatoryValues();
    }
    if (explicitX) TChartSeries::AddSampleValues(numValues, onlyMandatory);
    TChartSeries::AddSampleValues(numValues, true);
}

void TCustomBarSeries::PrepareForGallery(bool enabled) {
    TChartSeries::PrepareForGallery(enabled);
    SetBarWidthPercent(85);
    SetBarStyle(bsRectGradient);
    gradient_->SetVisible(true);
    SetMultiBar(mbNone);
}

void TCustomBarSeries::CreateSubGallery(const TChartSubGalleryProc& addSubChart) const {
    TChartSeries::CreateSubGallery(addSubChart);
    for (const AnsiString* name : {&PlotMsg_Colors, &PlotMsg_Pyramid, &PlotMsg_Ellipse,
                                   &PlotMsg_InvPyramid, &PlotMsg_Gradient})
        addSubChart(*name);
    if (SubGalleryStack())
        for (const AnsiString* name : {&PlotMsg_Stack, &PlotMsg_Stack100, &PlotMsg_SelfStack})
            addSubChart(*name);
    addSubChart(PlotMsg_Sides);
    addSubChart(PlotMsg_SideAll);
}

void TCustomBarSeries::SetSubGallery(int index) {
    static const TBarStyle styles[] = {bsRectangle, bsPyramid, bsEllipse, bsInvPyramid,
                                       bsRectGradient};
    static const TMultiBar withStack[] = {mbStacked, mbStacked100, mbSelfStack, mbSide,
                                          mbSideAll};
    static const TMultiBar withoutStack[] = {mbSide, mbSideAll};
    const TMultiBar* modes = SubGalleryStack() ? withStack : withoutStack;
    const int modeCount = SubGalleryStack() ? 5 : 2;
    if (index == 1) {
        SetColorEachPoint(true);
    } else if (index >= 2 && index <= 5) {
        SetBarStyle(styles[index - 1]);
    } else if (index >= 6 && index < 6 + modeCount) {
        AddGallerySecondSeries();
        SetMultiBar(modes[index - 6]);
    } else {
        TChartSeries::SetSubGallery(index);
    }
}

void TCustomBarSeries::AddGallerySecondSeries() {
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || chart->SeriesCount() != 1) return;
    auto* second =
        static_cast<TCustomBarSeries*>(CreateNewSeries(Owner(), chart, ClassType()));
    second->SetTitle("");
    second->Marks()->SetVisible(false);
    Marks()->SetVisible(false);
    second->SetBarWidthPercent(barWidthPercent_);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TCustomBarSeries::DrawValue(int index) {
    barColor_ = GetValueColor(index);
    if (barColor_ == clNone) return;
    CalcBarBounds(index);
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    TPlotBlend* blend = transparency_ > 0 ? canvas->BeginBlending(BlendBounds(), transparency_) : nullptr;
    try {
        if (YIsMandatory)
            DrawBar(index, Min(barBounds_.Top, barBounds_.Bottom), Max(barBounds_.Top, barBounds_.Bottom));
        else
            DrawBar(index, Min(barBounds_.Left, barBounds_.Right), Max(barBounds_.Left, barBounds_.Right));
    } catch (...) {
        TObject::Free(blend);
        throw;
    }
    if (blend) canvas->EndBlending(blend);
}

TRect TCustomBarSeries::BlendBounds() {
    if (!ParentChart()->View3D()) return OrientRectangle(barBounds_);
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    const TRect front = OrientRectangle(canvas->CalcRect3D(barBounds_, StartZ));
    const TRect back = OrientRectangle(canvas->CalcRect3D(barBounds_, EndZ));
    return TRect(Min(front.Left, back.Left), Min(front.Top, back.Top),
                 Max(front.Right, back.Right), Max(front.Bottom, back.Bottom));
}

void TCustomBarSeries::SetPenBrushBar(TColor color) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    canvas->AssignVisiblePen(BarPen());
    canvas->AssignBrushColor(BarBrush(), color,
                             BarBrush()->Color() == clDefault ? ParentChart()->Color()
                                                              : BarBrush()->Color());
}

void TCustomBarSeries::BarRectangle(int left, int top, int right, int bottom) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    TPen* pen = canvas->Pen();
    const bool solidBrush = canvas->Brush()->Style() == bsSolid;
    const int width = right - left, height = bottom - top;
    if (solidBrush && (width == 0 || height == 0)) {
        canvas->AssignVisiblePenColor(pen, canvas->Brush()->Color());
        if (pen->Style() == psClear) pen->SetStyle(psSolid);
        canvas->Line(left, top, right, bottom);
    } else if (std::abs(width) < pen->Width() || std::abs(height) < pen->Width()) {
        pen->SetColor(canvas->Brush()->Color());
        if (pen->Style() == psClear) pen->SetStyle(psSolid);
        canvas->Brush()->SetStyle(bsClear);
    }
    canvas->Rectangle(left, top, right, bottom);
}

void TCustomBarSeries::BarGradient(int index, const TRect& rect) {
    TColor end = barColor_;
    if (gradient_->Relative()) {
        const double minimum = useYOrigin_ ? yOrigin_ : MandatoryList->GetMinValue();
        const double maximum = MandatoryList->GetMaxValue();
        // All values at the minimum: the bar takes its full colour.
        const double ratio = maximum == minimum
                                 ? 1
                                 : (MandatoryList->GetValue(index) - minimum) / (maximum - minimum);
        const TColor start = ColorToRGB(gradient_->StartColor());
        const TColor bar = ColorToRGB(barColor_);
        auto channel = [&](int shift) {
            const int s = (start >> shift) & 0xFF, b = (bar >> shift) & 0xFF;
            return std::clamp(s + PlotRound((b - s) * ratio), 0, 255) << shift;
        };
        end = static_cast<TColor>(channel(0) | channel(8) | channel(16));
    }
    gradient_->SetEndColor(end);
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    const int penWidth = BarPen()->Visible() ? BarPen()->Width() : 0;
    TRect r(rect.Left + 1, rect.Top + 1, rect.Right - penWidth, rect.Bottom - penWidth);
    if (ParentChart()->View3D()) r = canvas->CalcRect3D(r, StartZ);
    gradient_->Draw(canvas, r);
}

void TCustomBarSeries::DrawBevel() {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    TRect r = barBounds_;
    if (BarPen()->Visible()) {
        const int w = BarPen()->Width();
        r = TRect(r.Left + w, r.Top + w, r.Right - w, r.Bottom - w);
    }
    if (ParentChart()->View3D()) r = canvas->CalcRect3D(r, StartZ);
    canvas->Frame3D(r, ApplyBright(barColor_, DarkerColorQuantity),
                    ApplyDark(barColor_, DarkColorQuantity), bevelSize_);
}

void TCustomBarSeries::DrawTickLines(int startPos, int endPos, TBarStyle style) {
    if (!tickLines_->Visible()) return;
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    canvas->AssignVisiblePen(tickLines_);
    for (int position : MandatoryAxis()->TickPixels)
        if (position > startPos && position < endPos) DrawTickLine(position, style);
}

int TCustomBarSeries::CalcMarkLength(int) {
    if (Count() == 0 || !Marks()->Visible()) return 0;
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    canvas->AssignFont(Marks()->Font());
    int length = canvas->FontHeight() + Marks()->GetCallout()->Length();
    if (Marks()->Pen()->Visible()) length += 2 * Marks()->Pen()->Width();
    return length;
}

void TCustomBarSeries::PrepareLegendCanvas(int, TColor& backColor, TBrushStyle& brushStyle) {
    ParentChart()->InternalCanvas->AssignVisiblePen(BarPen());
    brushStyle = BarBrush()->Style();
    backColor = BarBrush()->Color() == clDefault ? ParentChart()->Color() : BarBrush()->Color();
}

void TCustomBarSeries::DrawLegendShape(int valueIndex, const TRect& rect) {
    if (TBitmap* image = BarBrush()->ImageBitmap())
        ParentChart()->InternalCanvas->Brush()->SetBitmap(image);
    TChartSeries::DrawLegendShape(valueIndex, rect);
}

// ---------------------------------------------------------------------------------------------
// Clicks

int TCustomBarSeries::Clicked(int x, int y) {
    if (FirstValueIndex < 0 || LastValueIndex < 0) return -1;
    const TPoint p(x, y);
    for (int i = FirstValueIndex; i <= Min(LastValueIndex, Count() - 1); ++i)
        if (InternalClicked(i, p)) return i;
    return -1;
}

bool TCustomBarSeries::InternalClickedBar(int index, const TPoint& point) {
    const int category = YIsMandatory ? CalcXPos(index) : CalcYPos(index);
    const int value = YIsMandatory ? CalcYPos(index) : CalcXPos(index);
    const int origin = GetOriginPos(index);
    const int low = Min(value, origin), high = Max(value, origin);
    const TBarStyle style = GetBarStyle(index);
    const bool pointed = style == bsPyramid || style == bsCone;
    const bool invPointed = style == bsInvPyramid || style == bsInvCone;
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    const bool is3D = ParentChart()->View3D();
    if ((pointed || invPointed) && is3D) {
        // Horizontal bars point right from their base at the smaller pixel.
        const bool baseHigh = YIsMandatory == pointed;
        const int base = baseHigh ? high : low, tip = baseHigh ? low : high;
        auto at = [&](int along, int across, int z) {
            return YIsMandatory ? canvas->Calculate3DPosition(along, across, z)
                                : canvas->Calculate3DPosition(across, along, z);
        };
        const TPoint triangle[] = {at(category, base, StartZ), at(category + barSize_, base, StartZ),
                                   at(category + barSize_ / 2, tip, MiddleZ)};
        return PointInPolygon(point, triangle, 2);
    }
    TPoint p = point;
    if (is3D) canvas->Calculate2DPosition(p.X, p.Y, StartZ);
    const int along = YIsMandatory ? p.X : p.Y, across = YIsMandatory ? p.Y : p.X;
    if (along < category || along > category + barSize_) return false;
    if (pointed)
        return YIsMandatory ? PointInTriangle(p, category, category + barSize_, high, low)
                            : PointInHorizTriangle(p, category, category + barSize_, low, high);
    if (invPointed)
        return YIsMandatory ? PointInTriangle(p, category, category + barSize_, low, high)
                            : PointInHorizTriangle(p, category, category + barSize_, high, low);
    if (barStyle_ == bsEllipse)
        return YIsMandatory ? PointInEllipse(p, category, low, category + barSize_, high)
                            : PointInEllipse(p, low, category, high, category + barSize_);
    return across >= low && across <= high;
}

// ---------------------------------------------------------------------------------------------
// Vertical bars

TBarSeries::TBarSeries(TComponent* owner) : TCustomBarSeries(owner) {
    Gradient()->SetDirection(gdTopBottom);
    YValues->SetName(PlotMsg_ValuesBar);
}

double TBarSeries::MaxXValue() {
    if (MultiBar() == mbSideAll) return Count() + PreviousCount() - 1;
    if (MultiBar() == mbSelfStack) return IndexInChart();
    return TCustomBarSeries::MaxXValue();
}

double TBarSeries::MinXValue() {
    if (MultiBar() == mbSelfStack) return IndexInChart();
    return TCustomBarSeries::MinXValue();
}

void TBarSeries::CalcHorizMargins(int& left, int& right) {
    TCustomBarSeries::CalcHorizMargins(left, right);
    CalcBarSize();
    left += BarMargin();
    right += BarMargin();
}

void TBarSeries::CalcVerticalMargins(int& top, int& bottom) {
    TCustomBarSeries::CalcVerticalMargins(top, bottom);
    const int length = CalcMarkLength(0);
    if (length <= 0) return;
    const bool inverted = ActiveVertAxis->Inverted();
    if (UseYOrigin() && YValues->GetMinValue() < YOrigin()) (inverted ? top : bottom) += length + 1;
    if (!UseYOrigin() || YValues->GetMaxValue() > YOrigin()) (inverted ? bottom : top) += length + 1;
}

bool TBarSeries::MoreSameZOrder() {
    return MultiBar() != mbSideAll && TCustomBarSeries::MoreSameZOrder();
}

bool TBarSeries::DrawSeriesForward(int valueIndex) {
    const bool inverted = ActiveVertAxis->Inverted();
    switch (MultiBar()) {
        case mbStacked:
        case mbSelfStack:
            return (YValues->GetValue(valueIndex) >= YOrigin()) != inverted;
        case mbStacked100:
            return !inverted;
        default:
            return TCustomBarSeries::DrawSeriesForward(valueIndex);
    }
}

void TBarSeries::DrawMark(int valueIndex, const AnsiString& text, TSeriesMarkPosition* position) {
    TMarksCallout* callout = Marks()->GetCallout();
    const int distance = callout->Distance();
    int length = callout->Length() + distance;
    if (GetOriginPos(valueIndex) < position->DataPoint.Y) {
        position->DataPoint.Y += distance;
        length = -length - position->BoxHeight;
    } else {
        position->DataPoint.Y -= distance;
    }
    const int half = BarSize() / 2;
    position->BoxOrigin.X += half;
    position->MarkPoint.X += half;
    position->DataPoint.X += half;
    position->BoxOrigin.Y -= length;
    position->MarkPoint.Y -= length;
    if (AutoMarkPosition()) Marks()->AntiOverlap(FirstValueIndex, valueIndex, *position);
    TCustomBarSeries::DrawMark(valueIndex, text, position);
}

void TBarSeries::CalcBarBounds(int index) {
    TRect& r = barBounds_;
    r.Left = CalcXPos(index);
    if (BarWidthPercent() != 100 || CustomBarSize() != 0) {
        r.Right = r.Left + BarSize() + 1;
    } else {
        const int next = ActiveHorizAxis->Inverted() ? index - 1 : index + 1;
        r.Right = next >= 0 && next < Count() ? CalcXPos(next) : r.Left + BarSize() + 1;
    }
    r.Top = CalcYPos(index);
    r.Bottom = GetOriginPos(index);
    if (!BarPen()->Visible()) {
        (r.Bottom > r.Top ? r.Bottom : r.Top) += 1;
        ++r.Right;
    }
}

void TBarSeries::DrawBar(int index, int startPos, int endPos) {
    SetPenBrushBar(barColor_);
    const TBarStyle style = GetBarStyle(index);
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    const int left = barBounds_.Left, right = barBounds_.Right;
    const int middle = (left + right) / 2, width = right - left;
    const bool is3D = ParentChart()->View3D();
    const TPoint diamond[] = {{middle, startPos},
                              {right, (startPos + endPos) / 2},
                              {middle, endPos},
                              {left, (startPos + endPos) / 2}};
    switch (style) {
        case bsPyramid:
        case bsCone:
            if (!is3D) {
                const TPoint tri[] = {{left, endPos}, {middle, startPos}, {right, endPos}};
                canvas->Polygon(tri, 3);
            } else if (style == bsPyramid) {
                canvas->Pyramid(true, left, startPos, right, endPos, StartZ, EndZ, Dark3D());
            } else {
                canvas->Cone(true, left, startPos, right, endPos, StartZ, EndZ, Dark3D(), ConePercent());
            }
            break;
        case bsInvPyramid:
        case bsInvCone:
            if (!is3D) {
                const TPoint tri[] = {{left, startPos}, {middle, endPos}, {right, startPos}};
                canvas->Polygon(tri, 3);
            } else if (style == bsInvPyramid) {
                canvas->Pyramid(true, left, endPos, right, startPos, StartZ, EndZ, Dark3D());
            } else {
                canvas->Cone(true, left, endPos, right, startPos, StartZ, EndZ, Dark3D(), ConePercent());
            }
            break;
        case bsCilinder:
            if (is3D) canvas->Cylinder(true, left, startPos, right, endPos, StartZ, EndZ, Dark3D());
            else BarRectangle(left, startPos, right, endPos);
            break;
        case bsEllipse:
            if (is3D) canvas->EllipseWithZ(left, startPos, right, endPos, MiddleZ);
            else canvas->Ellipse(left, startPos, right, endPos);
            break;
        case bsArrow:
        case bsInvArrow: {
            const TPoint from(middle, style == bsArrow ? endPos : startPos);
            const TPoint to(middle, style == bsArrow ? startPos : endPos);
            canvas->Arrow(true, from, to, width, width / 2, is3D ? MiddleZ : 0);
            break;
        }
        case bsDiamond:
            if (is3D) canvas->PolygonWithZ(diamond, 4, MiddleZ);
            else canvas->Polygon(diamond, 4);
            break;
        case bsSlantCube:
            if (is3D) {
                canvas->Cylinder(true, left, startPos, right, endPos, StartZ, EndZ, Dark3D());
            } else {
                BarRectangle(left, startPos, right, endPos);
                canvas->Line(middle, barBounds_.Top, middle, barBounds_.Bottom);
            }
            break;
        default:
            if (is3D) canvas->Cube(left, right, startPos, endPos, StartZ, EndZ, Dark3D());
            else BarRectangle(left, startPos, right, endPos);
    }
    if (style == bsRectGradient) BarGradient(index, TRect(left, startPos, right, endPos));
    else if (style == bsBevel) DrawBevel();
    DrawTickLines(startPos, endPos, style);
}

void TBarSeries::DrawTickLine(int position, TBarStyle style) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    const int left = barBounds_.Left, right = barBounds_.Right;
    if (style == bsRectangle || style == bsRectGradient || style == bsBevel)
        canvas->HorizLine3D(left, right, position, StartZ);
    else if (style == bsArrow)
        canvas->HorizLine3D(left + (right - left) / 4, right - (right - left) / 4, position, MiddleZ);
}

// ---------------------------------------------------------------------------------------------
// Horizontal bars

THorizBarSeries::THorizBarSeries(TComponent* owner) : TCustomBarSeries(owner) {
    SetHorizontal();
    XValues->SetOrder(loNone);
    YValues->SetOrder(loAscending);
    Gradient()->SetDirection(gdLeftRight);
    XValues->SetName(PlotMsg_ValuesBar);
}

double THorizBarSeries::MaxYValue() {
    if (MultiBar() == mbSideAll) return Count() + PreviousCount() - 1;
    if (MultiBar() == mbSelfStack) return IndexInChart();
    return TCustomBarSeries::MaxYValue();
}

double THorizBarSeries::MinYValue() {
    if (MultiBar() == mbSelfStack) return IndexInChart();
    return TCustomBarSeries::MinYValue();
}

void THorizBarSeries::CalcVerticalMargins(int& top, int& bottom) {
    TCustomBarSeries::CalcVerticalMargins(top, bottom);
    CalcBarSize();
    top += BarMargin();
    bottom += BarMargin();
}

void THorizBarSeries::CalcHorizMargins(int& left, int& right) {
    TCustomBarSeries::CalcHorizMargins(left, right);
    int length = CalcMarkLength(0);
    if (length > 0) ++length;
    if (UseYOrigin() && XValues->GetMinValue() < YOrigin()) left += length;
    if (!UseYOrigin() || XValues->GetMaxValue() > YOrigin())
        (ActiveHorizAxis->Inverted() ? left : right) += length;
}

bool THorizBarSeries::DrawSeriesForward(int valueIndex) {
    const bool inverted = ActiveHorizAxis->Inverted();
    switch (MultiBar()) {
        case mbSide:
        case mbSideAll:
            return false;
        case mbStacked:
        case mbSelfStack:
            return (XValues->GetValue(valueIndex) >= 0) != inverted;
        case mbStacked100:
            return !inverted;
        default:
            return TCustomBarSeries::DrawSeriesForward(valueIndex);
    }
}

void THorizBarSeries::CalcBarBounds(int index) {
    TRect& r = barBounds_;
    r.Top = CalcYPos(index);
    if (BarWidthPercent() != 100 || CustomBarSize() != 0) {
        r.Bottom = r.Top + BarSize() + 1;
    } else {
        const int next = ActiveVertAxis->Inverted() ? index + 1 : index - 1;
        r.Bottom = next >= 0 && next < Count() ? CalcYPos(next) : r.Top + BarSize() + 1;
    }
    r.Right = CalcXPos(index);
    r.Left = GetOriginPos(index);
    if (!BarPen()->Visible()) {
        if (r.Left >= r.Right) {
            ++r.Left;
            --r.Right;
        } else {
            ++r.Right;
        }
        ++r.Bottom;
    }
}

void THorizBarSeries::DrawBar(int index, int startPos, int endPos) {
    SetPenBrushBar(barColor_);
    const TBarStyle style = GetBarStyle(index);
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    const int top = barBounds_.Top, bottom = barBounds_.Bottom;
    const int middle = (top + bottom) / 2, height = bottom - top;
    const bool is3D = ParentChart()->View3D();
    const TPoint diamond[] = {{startPos, middle},
                              {(startPos + endPos) / 2, top},
                              {endPos, middle},
                              {(startPos + endPos) / 2, bottom}};
    switch (style) {
        case bsPyramid:
        case bsCone:
            if (!is3D) {
                const TPoint tri[] = {{startPos, top}, {endPos, middle}, {startPos, bottom}};
                canvas->Polygon(tri, 3);
            } else if (style == bsPyramid) {
                canvas->Pyramid(false, startPos, top, endPos, bottom, StartZ, EndZ, Dark3D());
            } else {
                canvas->Cone(false, startPos, top, endPos, bottom, StartZ, EndZ, Dark3D(), ConePercent());
            }
            break;
        case bsInvPyramid:
        case bsInvCone:
            if (!is3D) {
                const TPoint tri[] = {{endPos, top}, {startPos, middle}, {endPos, bottom}};
                canvas->Polygon(tri, 3);
            } else if (style == bsInvPyramid) {
                canvas->Pyramid(false, endPos, top, startPos, bottom, StartZ, EndZ, Dark3D());
            } else {
                canvas->Cone(false, endPos, top, startPos, bottom, StartZ, EndZ, Dark3D(), ConePercent());
            }
            break;
        case bsCilinder:
        case bsSlantCube:
            if (is3D) {
                canvas->Cylinder(false, startPos, top, endPos, bottom, StartZ, EndZ, Dark3D());
            } else {
                BarRectangle(startPos, top, endPos, bottom);
                if (style == bsSlantCube) canvas->Line(barBounds_.Left, middle, barBounds_.Right, middle);
            }
            break;
        case bsEllipse:
            if (is3D) canvas->EllipseWithZ(startPos, top, endPos, bottom, MiddleZ);
            else canvas->Ellipse(startPos, top, endPos, bottom);
            break;
        case bsArrow:
        case bsInvArrow: {
            const TPoint from(style == bsArrow ? startPos : endPos, middle);
            const TPoint to(style == bsArrow ? endPos : startPos, middle);
            canvas->Arrow(true, from, to, height, height / 2, is3D ? MiddleZ : 0);
            break;
        }
        case bsDiamond:
            if (is3D) canvas->PolygonWithZ(diamond, 4, MiddleZ);
            else canvas->Polygon(diamond, 4);
            break;
        default:
            if (is3D) canvas->Cube(startPos, endPos, top, bottom, StartZ, EndZ, Dark3D());
            else BarRectangle(startPos, top, endPos, bottom);
    }
    if (style == bsRectGradient) BarGradient(index, TRect(startPos, top, endPos, bottom));
    else if (style == bsBevel) DrawBevel();
    DrawTickLines(startPos, endPos, style);
}

void THorizBarSeries::DrawTickLine(int position, TBarStyle style) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    const int top = barBounds_.Top, bottom = barBounds_.Bottom;
    if (style == bsRectangle || style == bsRectGradient || style == bsBevel)
        canvas->VertLine3D(position, top, bottom, StartZ);
    else if (style == bsArrow)
        canvas->VertLine3D(position, top + (bottom - top) / 4, bottom - (bottom - top) / 4, MiddleZ);
}
