// Circled and pie series.
#include "PieSeries.h"

#include <algorithm>
#include <cmath>

#include "Chart.h"
#include "ChartLegend.h"
#include "PlotAxisPanel.h"
#include "PlotMarks.h"
#include "PlotPointer.h"
#include "PlotProcs.h"
#include "PlotPublished.h"
#include "Plotconst.h"

using namespace Plotconst;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kPiDegree = 0.017453292519943295;
// The X value marking the "other" point, and the one marking a grouped point.
constexpr double kOtherPointX = 2147483647.0;
constexpr double kGroupedX = -1.0;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Circled series

TCircledSeries::TCircledSeries(TComponent* owner)
    : TChartSeries(owner), gradient_(new TPlotGradient([this](TObject*) { Repaint(); })) {
    ClipToVisibleRange = false;
    XValues->SetName(PlotMsg_ValuesAngle);
}

TCircledSeries::~TCircledSeries() { TObject::Free(gradient_); }

void TCircledSeries::BeforeDestruction() {
    Restore3DOptions();
    TChartSeries::BeforeDestruction();
}

void TCircledSeries::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCircledSeries*>(source)) {
        circled_ = other->circled_;
        rotationAngle_ = other->rotationAngle_;
        RotationRadians = rotationAngle_ * kPiDegree;
        customXRadius_ = other->customXRadius_;
        customYRadius_ = other->customYRadius_;
        circleBackColor_ = other->circleBackColor_;
        gradient_->Assign(other->gradient_);
    }
    TChartSeries::Assign(source);
}

void TCircledSeries::SetParentChart(TCustomAxisPanel* chart) {
    if (chart != ParentChart()) Restore3DOptions();
    TChartSeries::SetParentChart(chart);
    if (chart && Active()) Backup3DOptions();
}

void TCircledSeries::SetActive(bool value) {
    TChartSeries::SetActive(value);
    if (value)
        Backup3DOptions();
    else
        Restore3DOptions();
}

void TCircledSeries::Backup3DOptions() {
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !chart->View3DOptions() || backup3D_) return;
    backup3D_ = std::make_unique<TView3DOptions>(nullptr);
    backup3D_->Assign(chart->View3DOptions());
    backupChart_ = chart;
    InitCustom3DOptions(chart->View3DOptions());
}

void TCircledSeries::Restore3DOptions() {
    if (!backup3D_) return;
    if (backupChart_ == ParentChart() && backupChart_->View3DOptions())
        backupChart_->View3DOptions()->Assign(backup3D_.get());
    backup3D_.reset();
    backupChart_ = nullptr;
}

bool TCircledSeries::IsSibling(TChartSeries* series) const {
    return dynamic_cast<TCircledSeries*>(series) && InheritsFrom(series->ClassType());
}

void TCircledSeries::SetCircled(bool value) {
    const bool reading = InState(csReading);
    auto apply = [&](TCircledSeries* series) {
        series->circled_ = value;
        if (!reading) series->customXRadius_ = series->customYRadius_ = 0;
    };
    apply(this);
    if (TCustomAxisPanel* chart = ParentChart())
        for (int i = 0; i < chart->SeriesCount(); ++i)
            if (IsSibling(chart->GetSeries(i)))
                apply(static_cast<TCircledSeries*>(chart->GetSeries(i)));
    Repaint();
}

void TCircledSeries::SetCustomRadii(int x, int y) {
    customXRadius_ = x;
    customYRadius_ = y;
    if (TCustomAxisPanel* chart = ParentChart())
        for (int i = 0; i < chart->SeriesCount(); ++i)
            if (IsSibling(chart->GetSeries(i))) {
                auto* series = static_cast<TCircledSeries*>(chart->GetSeries(i));
                series->customXRadius_ = x;
                series->customYRadius_ = y;
            }
    Repaint();
}

void TCircledSeries::SetCustomXRadius(int value) {
    if (value != customXRadius_) SetCustomRadii(value, customYRadius_);
}

void TCircledSeries::SetCustomYRadius(int value) {
    if (value != customYRadius_) SetCustomRadii(customXRadius_, value);
}

void TCircledSeries::SetRotationAngle(int value) {
    SetIntegerProperty(rotationAngle_, value % 360);
    RotationRadians = rotationAngle_ * kPiDegree;
}

void TCircledSeries::AdjustCircleRect() {
    TRect& r = CircleRect;
    if ((r.Right - r.Left) % 2 != 0) --r.Right;
    if ((r.Bottom - r.Top) % 2 != 0) --r.Bottom;
    if (r.Right - r.Left < 4) r.Right = r.Left + 4;
    if (r.Bottom - r.Top < 4) r.Bottom = r.Top + 4;
    CircleWidth = r.Right - r.Left;
    CircleHeight = r.Bottom - r.Top;
    CircleXCenter = (r.Left + r.Right) / 2;
    CircleYCenter = (r.Top + r.Bottom) / 2;
}

void TCircledSeries::CalcRadius() {
    if (customXRadius_ != 0) {
        XRadius = customXRadius_;
        CircleWidth = 2 * XRadius;
    } else {
        XRadius = CircleWidth / 2;
    }
    if (customYRadius_ != 0) {
        YRadius = customYRadius_;
        CircleHeight = 2 * YRadius;
    } else {
        YRadius = CircleHeight / 2;
    }
    CircleRect = TRect(CircleXCenter - XRadius, CircleYCenter - YRadius, CircleXCenter + XRadius,
                       CircleYCenter + YRadius);
}

void TCircledSeries::FitMarks() {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    int length = Marks()->GetCallout()->Length();
    if (Marks()->Frame()->Visible()) length += 2 * Marks()->Frame()->Width();
    canvas->AssignFont(Marks()->Font());
    const int vertical = length + canvas->FontHeight();
    const int horizontal = canvas->TextWidth("W") + ParentChart()->MaxMarkWidth() + length;
    CircleRect = TRect(CircleRect.Left + horizontal, CircleRect.Top + vertical,
                       CircleRect.Right - horizontal, CircleRect.Bottom - vertical);
    AdjustCircleRect();
}

void TCircledSeries::CheckOtherSeriesMarks() {
    TCustomAxisPanel* chart = ParentChart();
    bool later = false;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* series = chart->GetSeries(i);
        if (series == this) {
            later = true;
            continue;
        }
        if (!series->Active() || series->ClassType() != ClassType() || !series->Marks()->Visible())
            continue;
        auto* other = static_cast<TCircledSeries*>(series);
        if (later) other->DoBeforeDrawValues();
        CircleRect = other->CircleRect;
        AdjustCircleRect();
        return;
    }
}

void TCircledSeries::MakeRound() {
    const HDC dc = ParentChart()->InternalCanvas->GetHandle();
    const int width = GetDeviceCaps(dc, HORZSIZE), height = GetDeviceCaps(dc, VERTSIZE);
    double ratio = static_cast<double>(GetSystemMetrics(SM_CXSCREEN)) /
                   Max(1, GetSystemMetrics(SM_CYSCREEN));
    if (width != 0 && height != 0) ratio /= static_cast<double>(width) / height;
    const int xRadius = CircleWidth / 2, yRadius = CircleHeight / 2;
    const int a = PlotRound(yRadius * ratio);
    if (a < xRadius) {
        CircleRect.Left += xRadius - a;
        CircleRect.Right -= xRadius - a;
    } else {
        const int d = yRadius - PlotRound(xRadius / ratio);
        CircleRect.Top += d;
        CircleRect.Bottom -= d;
    }
    AdjustCircleRect();
}

void TCircledSeries::DoBeforeDrawValues() {
    TChartSeries::DoBeforeDrawValues();
    CircleRect = ParentChart()->ChartRect;
    AdjustCircleRect();
    if (Marks()->Visible())
        FitMarks();
    else
        CheckOtherSeriesMarks();
    if (circled_) MakeRound();
    CalcRadius();
}

void TCircledSeries::DrawCircleGradient() {
    TCustomAxisPanel* chart = ParentChart();
    if (chart->View3D() && !chart->View3DOptions()->Orthogonal()) return;
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const TRect r = chart->View3D() ? canvas->CalcRect3D(CircleRect, EndZ) : CircleRect;
    canvas->ClipEllipse(r);
    gradient_->Draw(canvas, r);
    canvas->UnClipRectangle();
}

TPoint TCircledSeries::AngleToPos(double angle, double xRadius, double yRadius) const {
    return TPoint(CircleXCenter + PlotRound(std::cos(angle + RotationRadians) * xRadius),
                  CircleYCenter - PlotRound(std::sin(angle + RotationRadians) * yRadius));
}

double TCircledSeries::PointToAngle(int x, int y) const {
    double angle;
    if (x == CircleXCenter)
        angle = y > CircleYCenter ? -kPi / 2 : kPi / 2;
    else if (XRadius == 0 || YRadius == 0)
        angle = 0;
    else
        angle = std::atan2(static_cast<double>(CircleYCenter - y) / YRadius,
                           static_cast<double>(x - CircleXCenter) / XRadius);
    if (angle < 0) angle += 2 * kPi;
    angle -= RotationRadians;
    if (angle < 0) angle += 2 * kPi;
    return angle;
}

double TCircledSeries::PointToRadius(int x, int y) {
    TChartAxis* axis = ActiveVertAxis;
    const double range = axis->Maximum() - axis->Minimum();
    if (range == 0 || XRadius == 0 || YRadius == 0) return 0;
    const double dx = static_cast<double>(x - CircleXCenter) / XRadius * range;
    const double dy = static_cast<double>(y - CircleYCenter) / YRadius * range;
    return axis->Minimum() + std::sqrt(dx * dx + dy * dy);
}

TColor TCircledSeries::CalcCircleBackColor() {
    TColor color = circleBackColor_;
    TCustomAxisPanel* chart = ParentChart();
    if (color == clDefault) {
        if (chart->IsPrinting)
            color = clWhite;
        else if (auto* full = dynamic_cast<TCustomChart*>(chart); full && !full->BackWall()->Transparent())
            color = full->BackWall()->Color();
    }
    return color == clDefault ? chart->Color() : color;
}

// ---------------------------------------------------------------------------------------------
// Slice value lists

int TPieSliceValues::Value(int index) const {
    return index >= 0 && index < Count() ? values_[index] : 0;
}

void TPieSliceValues::SetValue(int index, int value) {
    if (index < 0) return;
    if (index >= Count()) values_.resize(index + 1, 0);
    if (values_[index] == value) return;
    values_[index] = value;
    if (onChange_) onChange_();
}

void TPieSliceValues::Delete(int index) {
    if (index >= 0 && index < Count()) values_.erase(values_.begin() + index);
}

void TPieSliceValues::Exchange(int index1, int index2, int count) {
    if (values_.empty()) return;
    if (Count() < count) values_.resize(count, 0);
    if (Max(index1, index2) < Count()) std::swap(values_[index1], values_[index2]);
}

// ---------------------------------------------------------------------------------------------
// Other slice and shadow

TPieOtherSlice::~TPieOtherSlice() { FreeLegend(); }

void TPieOtherSlice::FreeLegend() {
    TObject::Free(legend_);
    legend_ = nullptr;
}

void TPieOtherSlice::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TPieOtherSlice*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    color_ = other->color_;
    SetLegend(other->legend_);
    style_ = other->style_;
    text_ = other->text_;
    value_ = other->value_;
    Changed();
}

void TPieOtherSlice::Changed() { owner_->Repaint(); }

void TPieOtherSlice::SetColor(TColor value) {
    if (color_ == value) return;
    color_ = value;
    Changed();
}

void TPieOtherSlice::SetStyle(TPieOtherStyle value) {
    if (style_ == value) return;
    style_ = value;
    Changed();
}

AnsiString TPieOtherSlice::Text() const { return text_.IsEmpty() ? PlotMsg_PieOther : text_; }

void TPieOtherSlice::SetText(const AnsiString& value) {
    if (text_ == value) return;
    text_ = value;
    Changed();
}

void TPieOtherSlice::SetValue(double value) {
    if (value_ == value) return;
    value_ = value;
    Changed();
}

TChartLegend* TPieOtherSlice::Legend() {
    if (!legend_) {
        auto* chart = dynamic_cast<TCustomChart*>(owner_->ParentChart());
        if (!chart) return nullptr;
        legend_ = new TChartLegend(chart);
        legend_->SetVisible(false);
        legend_->SetSeries(owner_);
    }
    return legend_;
}

void TPieOtherSlice::SetLegend(TChartLegend* legend) {
    if (!legend) {
        FreeLegend();
        return;
    }
    if (TChartLegend* own = Legend()) {
        own->Assign(legend);
        own->SetSeries(owner_);
    }
}

void TPieOtherSlice::ChartChanged() {
    if (!legend_) return;
    auto* chart = dynamic_cast<TCustomChart*>(owner_->ParentChart());
    if (!chart) {
        FreeLegend();
        return;
    }
    TChartLegend* moved = new TChartLegend(chart);
    moved->Assign(legend_);
    moved->SetSeries(owner_);
    FreeLegend();
    legend_ = moved;
}

TPieShadow::TPieShadow(const TNotifyEvent& onChange) : TPlotShadow(onChange) {
    ColorDefault = static_cast<TColor>(0xA0A0A0);
    SetColor(ColorDefault);
}

// ---------------------------------------------------------------------------------------------
// Pie series: settings

TPieSeries::TPieSeries(TComponent* owner)
    : TCircledSeries(owner),
      ExplodedSlice([this] { Repaint(); }),
      SliceHeights([this] { Repaint(); }),
      otherSlice_(new TPieOtherSlice(this)),
      shadow_(new TPieShadow([this](TObject*) { Repaint(); })) {
    XValues->SetName(AnsiString());
    YValues->SetName(PlotMsg_ValuesPie);
    Marks()->SetVisible(true);
    Marks()->GetCallout()->SetLength(8);
    Marks()->GetCallout()->LengthDefault = 8;
    SetColorEachPoint(true);
    UsesNotMandatory = false;
    Gradient()->SetStartColor(clWhite);
    Gradient()->SetDirection(gdRadial);
}

TPieSeries::~TPieSeries() {
    TObject::Free(otherSlice_);
    TObject::Free(shadow_);
}

void TPieSeries::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPieSeries*>(source)) {
        angleSize_ = other->angleSize_;
        autoMarkPosition_ = other->autoMarkPosition_;
        dark3D_ = other->dark3D_;
        darkPen_ = other->darkPen_;
        explodeBiggest_ = other->explodeBiggest_;
        ExplodedSlice.Assign(other->ExplodedSlice);
        SliceHeights.Assign(other->SliceHeights);
        usePatterns_ = other->usePatterns_;
        otherSlice_->Assign(other->otherSlice_);
        shadow_->Assign(other->shadow_);
    }
    TCircledSeries::Assign(source);
    SetColorEachPoint(true);
}

void TPieSeries::SetParentChart(TCustomAxisPanel* chart) {
    const bool moved = chart != ParentChart();
    TCircledSeries::SetParentChart(chart);
    if (moved) otherSlice_->ChartChanged();
}

void TPieSeries::SetMultiPie(TMultiPie value) {
    if (multiPie_ == value) return;
    multiPie_ = value;
    Repaint();
}

void TPieSeries::InitCustom3DOptions(TView3DOptions* options) {
    options->SetOrthogonal(false);
    options->SetRotation(360);
    options->SetElevation(315);
    options->SetPerspective(0);
    options->SetTilt(0);
}

int TPieSeries::AddPie(double value, const AnsiString& label, TColor color) {
    return Add(value, label, color);
}

int TPieSeries::PieCount() {
    TCustomAxisPanel* chart = ParentChart();
    int count = 0;
    for (int i = 0; chart && i < chart->SeriesCount(); ++i)
        if (chart->GetSeries(i)->Active() && chart->GetSeries(i)->ClassType() == ClassType())
            ++count;
    return count;
}

void TPieSeries::CalcExplodedRadius(int index, int& xRadius, int& yRadius) {
    const double factor = 1 + ExplodedSlice.Value(index) / 100.0;
    xRadius = PlotRound(XRadius * factor);
    yRadius = PlotRound(YRadius * factor);
}

void TPieSeries::CalcExplodedOffset(int index, int& dx, int& dy) {
    dx = dy = 0;
    const int percent = ExplodedSlice.Value(index);
    if (!exploded_ || percent <= 0 || index < 0 || index >= static_cast<int>(Angles.size())) return;
    const double angle = Angles[index].MidAngle + RotationRadians;
    dx = PlotRound(std::cos(angle) * XRadius * percent / 100);
    dy = PlotRound(std::sin(angle) * percent / 100 * YRadius);
}

int TPieSeries::SliceEndZ(int index) {
    if (index < 0 || index >= SliceHeights.Count()) return EndZ;
    return StartZ + PlotRound(SliceHeights.Value(index) * (EndZ - StartZ) * 0.01);
}

double TPieSeries::MaxXValue() { return ActiveHorizAxis->Maximum(); }
double TPieSeries::MinXValue() { return ActiveHorizAxis->Minimum(); }
double TPieSeries::MaxYValue() { return ActiveVertAxis->Maximum(); }
double TPieSeries::MinYValue() { return ActiveVertAxis->Minimum(); }

// ---------------------------------------------------------------------------------------------
// Grouping small slices

void TPieSeries::DeleteOtherPoint() {
    for (int i = Count() - 1; i >= 0; --i)
        if (XValues->GetValue(i) == kOtherPointX) TChartSeries::Delete(i);
}

void TPieSeries::GroupSmallSlices() {
    const double total = YValues->GetTotalABS();
    if (!GroupingActive() || total <= 0) return;
    double sum = 0;
    bool grouped = false;
    for (int i = 0; i < Count(); ++i) {
        const double value = std::fabs(YValues->GetValue(i));
        const double measure = otherSlice_->Style() == poBelowPercent ? value * 100 / total : value;
        if (measure >= otherSlice_->Value()) continue;
        XValues->SetValue(i, kGroupedX);
        sum += value;
        grouped = true;
    }
    if (!grouped) return;
    AddXY(kOtherPointX, sum, otherSlice_->Text(), otherSlice_->Color());
    YValues->SetTotalABS(YValues->GetTotalABS() - sum);
}

void TPieSeries::DoBeforeDrawChart() {
    TCircledSeries::DoBeforeDrawChart();
    if (YValues->Order() != loNone) YValues->Sort();
    DeleteOtherPoint();
    XValues->FillSequence();
    GroupSmallSlices();
}

void TPieSeries::WriteData(TStream* stream) {
    DeleteOtherPoint();
    TCircledSeries::WriteData(stream);
}

void TPieSeries::CalcFirstLastVisibleIndex() {
    if (!GroupingActive()) {
        CalcFirstLastPage(FirstValueIndex, LastValueIndex);
        if (FirstValueIndex >= 0) return;
    }
    TCircledSeries::CalcFirstLastVisibleIndex();
}

// ---------------------------------------------------------------------------------------------
// Geometry

void TPieSeries::DoBeforeDrawValues() {
    TCustomAxisPanel* chart = ParentChart();
    savedChartRect_ = chart->ChartRect;
    const int count = PieCount();
    if (multiPie_ == mpAutomatic && count >= 2) {
        int before = 0;
        for (int i = 0; i < chart->SeriesCount() && chart->GetSeries(i) != this; ++i)
            if (chart->GetSeries(i)->Active() && chart->GetSeries(i)->ClassType() == ClassType())
                ++before;
        const int columns = PlotRound(std::sqrt(static_cast<double>(count)));
        const int rows = PlotRound(std::sqrt(static_cast<double>(count)) + 0.5);
        const TRect& r = savedChartRect_;
        const int width = (r.Right - r.Left) / columns, height = (r.Bottom - r.Top) / rows;
        const int left = r.Left + (before % columns) * width;
        const int top = r.Top + (before / columns) * height;
        chart->ChartRect = chart->InternalCanvas->CalcRect3D(
            TRect(left, top, left + width, top + height), 0);
    }
    TCircledSeries::DoBeforeDrawValues();
}

void TPieSeries::DoAfterDrawValues() {
    ParentChart()->ChartRect = savedChartRect_;
    TCircledSeries::DoAfterDrawValues();
}

void TPieSeries::CalcAngles() {
    const double full = angleSize_ * kPi / 180;
    Angles.assign(Count(), TPieAngle());
    double total = 0;
    if (GroupingActive() || FirstValueIndex < 0)
        total = YValues->GetTotalABS();
    else
        for (int i = FirstValueIndex; i <= LastValueIndex; ++i) total += std::fabs(YValues->GetValue(i));
    double running = 0, previousEnd = 0;
    for (int i = FirstValueIndex; i >= 0 && i <= LastValueIndex; ++i) {
        TPieAngle& a = Angles[i];
        a.StartAngle = i == FirstValueIndex ? 0 : previousEnd;
        if (!BelongsToOtherSlice(i)) running += std::fabs(YValues->GetValue(i));
        a.EndAngle = running == total || total == 0 ? full : running * full / total;
        if (a.EndAngle - a.StartAngle > full) a.EndAngle = a.StartAngle + full;
        a.MidAngle = (a.StartAngle + a.EndAngle) / 2;
        previousEnd = a.EndAngle;
    }
}

int TPieSeries::MostExplodedSlice() {
    int most = -1;
    for (int i = FirstValueIndex; i >= 0 && i <= LastValueIndex; ++i)
        if (ExplodedSlice.Value(i) > 0 && (most < 0 || ExplodedSlice.Value(i) > ExplodedSlice.Value(most)))
            most = i;
    return most;
}

void TPieSeries::FitExplodedSlice(int index) {
    int dx, dy;
    CalcExplodedOffset(index, dx, dy);
    const int h = std::abs(dx) / 2, v = std::abs(dy) / 2;
    CircleRect = TRect(CircleRect.Left + h, CircleRect.Top + v, CircleRect.Right - h,
                       CircleRect.Bottom - v);
    AdjustCircleRect();
    CalcRadius();
}

// Slices ordered by their distance from the front of the pie, farthest first.
std::vector<int> TPieSeries::SlicesBackToFront() {
    const double full = angleSize_ * kPi / 180, quarter = full / 4;
    std::vector<std::pair<double, int>> keys;
    for (int i = FirstValueIndex; i <= LastValueIndex; ++i) {
        double a = Angles[i].MidAngle + RotationRadians;
        if (a > full) a -= full;
        double d = a - quarter;
        if (d > kPi) d = full - d;
        keys.emplace_back(std::fabs(d), i);
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<int> order;
    for (const auto& key : keys) order.push_back(key.second);
    return order;
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TPieSeries::DrawAllValues() {
    if (FirstValueIndex < 0) return;
    if (explodeBiggest_ > 0) {
        int biggest = FirstValueIndex;
        for (int i = FirstValueIndex; i <= LastValueIndex; ++i)
            if (YValues->GetValue(i) > YValues->GetValue(biggest)) biggest = i;
        ExplodedSlice.SetValue(biggest, explodeBiggest_);
    }
    const int most = MostExplodedSlice();
    CalcAngles();
    exploded_ = most >= 0 || SliceHeights.Count() > 0;
    if (most >= 0) FitExplodedSlice(most);
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    previousEnd_ = AngleToPos(0, XRadius, YRadius);
    shadow_->DrawEllipse(canvas, CircleRect, EndZ - 10);
    if (!ParentChart()->View3D() || (!exploded_ && donutPercent_ == 0)) {
        for (int i = FirstValueIndex; i <= LastValueIndex; ++i) DrawValue(i);
    } else {
        for (int i : SlicesBackToFront()) DrawValue(i);
    }
    TChartLegend* legend = otherSlice_->LegendIfAny();
    if (legend && legend->Visible()) {
        drawingOtherLegend_ = true;
        try {
            legend->DrawLegend();
        } catch (...) {
            drawingOtherLegend_ = false;
            throw;
        }
        drawingOtherLegend_ = false;
    }
}

void TPieSeries::DrawValue(int index) {
    if (CircleWidth < 5 || CircleHeight < 5 || BelongsToOtherSlice(index)) return;
    TCustomAxisPanel* chart = ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    Brush()->SetStyle(SliceBrushStyle(index));
    const TColor color = chart->GetMonochrome() ? clBlack : GetValueColor(index);
    if (color == clNone) {
        canvas->Brush()->SetStyle(bsClear);
    } else {
        canvas->AssignBrushColor(Brush(), color, CalcCircleBackColor());
        if (Gradient()->Visible()) Gradient()->SetEndColor(color);
    }
    PreparePiePen(index);
    DrawPie(index);
}

void TPieSeries::DrawPie(int index) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    int dx, dy;
    CalcExplodedOffset(index, dx, dy);
    const TPieAngle& a = Angles[index];
    const int cx = CircleXCenter + dx, cy = CircleYCenter - dy;
    if (ParentChart()->View3D()) {
        // A partial donut shows the cut faces of its two end slices.
        const bool cutFaces = donutPercent_ > 0 && angleSize_ != 360 && !exploded_ &&
                              (index == FirstValueIndex || index == LastValueIndex);
        canvas->Pie3D(cx, cy, XRadius, YRadius, StartZ, SliceEndZ(index),
                      a.StartAngle + RotationRadians, a.EndAngle + RotationRadians, dark3D_,
                      exploded_ || cutFaces, donutPercent_,
                      Gradient()->Visible() ? Gradient() : nullptr);
    } else if (donutPercent_ > 0) {
        canvas->Donut(cx, cy, XRadius, YRadius, a.StartAngle + RotationRadians,
                      a.EndAngle + RotationRadians, donutPercent_);
    } else {
        const TPoint end = AngleToPos(a.EndAngle, XRadius, YRadius);
        if (end == previousEnd_ && Count() != 1 && a.EndAngle - a.StartAngle <= 1) return;
        canvas->Pie(CircleRect.Left + dx, CircleRect.Top - dy, CircleRect.Right + dx,
                    CircleRect.Bottom - dy, previousEnd_.X + dx, previousEnd_.Y - dy, end.X + dx,
                    end.Y - dy);
        previousEnd_ = end;
    }
}

TBrushStyle TPieSeries::SliceBrushStyle(int index) {
    static const TBrushStyle patterns[] = {bsHorizontal, bsVertical, bsFDiagonal,
                                           bsBDiagonal,  bsCross,    bsDiagCross};
    if (usePatterns_ || ParentChart()->GetMonochrome()) return patterns[std::abs(index) % 6];
    return bsSolid;
}

void TPieSeries::PreparePiePen(int index) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    const TColor color = index >= 0 ? GetValueColor(index) : clNone;
    if (darkPen_ <= 0 || color == clNone) {
        canvas->AssignVisiblePen(PiePen());
        return;
    }
    const int quantity = 255 - Min(darkPen_, 255);
    canvas->AssignVisiblePenColor(PiePen(), ApplyDark(color, static_cast<uint8_t>(quantity)));
}

void TPieSeries::DrawMark(int valueIndex, const AnsiString& text, TSeriesMarkPosition* position) {
    if (BelongsToOtherSlice(valueIndex) || valueIndex >= static_cast<int>(Angles.size())) return;
    int xRadius, yRadius;
    CalcExplodedRadius(valueIndex, xRadius, yRadius);
    Marks()->ZPosition = SliceEndZ(valueIndex);
    position->DataPointFixed = true;
    TMarksCallout* callout = Marks()->GetCallout();
    const int distance = callout->Distance();
    const int length = callout->Length() + distance;
    const double angle = Angles[valueIndex].MidAngle;
    position->MarkPoint = AngleToPos(angle, xRadius + length, yRadius + length);
    position->DataPoint = AngleToPos(angle, xRadius + distance, yRadius + distance);
    const TPoint& end = position->MarkPoint;
    position->BoxOrigin.X = end.X > CircleXCenter ? end.X : end.X - position->BoxWidth;
    position->BoxOrigin.Y = end.Y > CircleYCenter ? end.Y : end.Y - position->BoxHeight;
    if (autoMarkPosition_) Marks()->AntiOverlap(FirstValueIndex, valueIndex, *position);
    TCircledSeries::DrawMark(valueIndex, text, position);
}

// ---------------------------------------------------------------------------------------------
// Clicks

int TPieSeries::Clicked(int x, int y) {
    const int index = TCircledSeries::Clicked(x, y);
    return index != -1 ? index : CalcClickedPie(x, y);
}

// The slice whose (moved) ellipse holds the point and whose angles hold its direction.
int TPieSeries::CalcClickedPie(int x, int y) {
    if (Angles.empty() || FirstValueIndex < 0 || XRadius <= 0 || YRadius <= 0) return -1;
    TCustomAxisPanel* chart = ParentChart();
    if (chart->View3D()) chart->InternalCanvas->Calculate2DPosition(x, y, chart->DepthWidth);
    const int last = Min(LastValueIndex, static_cast<int>(Angles.size()) - 1);
    for (int i = FirstValueIndex; i <= last; ++i) {
        if (BelongsToOtherSlice(i)) continue;
        int dx, dy;
        CalcExplodedOffset(i, dx, dy);
        const double ex = static_cast<double>(x - dx - CircleXCenter) / XRadius;
        const double ey = static_cast<double>(y + dy - CircleYCenter) / YRadius;
        const double distance = ex * ex + ey * ey;
        const double hole = donutPercent_ * 0.01;
        if (distance > 1 || distance < hole * hole) continue;
        const double angle = PointToAngle(x - dx, y + dy);
        if (Angles[i].StartAngle <= angle && angle <= Angles[i].EndAngle) return i;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------
// Legend

int TPieSeries::CountLegendItems() {
    int count = 0;
    for (int i = 0; i < Count(); ++i)
        if (BelongsToOtherSlice(i) == drawingOtherLegend_) ++count;
    return count;
}

int TPieSeries::LegendToValueIndex(int legendIndex) {
    int counted = -1;
    for (int i = 0; i < Count(); ++i)
        if (BelongsToOtherSlice(i) == drawingOtherLegend_ && ++counted == legendIndex) return i;
    return legendIndex;
}

void TPieSeries::PrepareLegendCanvas(int valueIndex, TColor& backColor, TBrushStyle& brushStyle) {
    backColor = CalcCircleBackColor();
    PreparePiePen(valueIndex);
    brushStyle = SliceBrushStyle(valueIndex);
}

void TPieSeries::DrawLegendShape(int valueIndex, const TRect& rect) {
    if (!Gradient()->Visible()) {
        TCircledSeries::DrawLegendShape(valueIndex, rect);
        return;
    }
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    const TColor color = ParentChart()->GetMonochrome() || valueIndex < 0 ? clBlack
                                                                          : GetValueColor(valueIndex);
    Gradient()->SetEndColor(color);
    Gradient()->Draw(canvas, rect);
    canvas->AssignVisiblePen(PiePen());
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(rect);
}

// ---------------------------------------------------------------------------------------------
// Editing and samples

void TPieSeries::Delete(int index) {
    TCircledSeries::Delete(index);
    ExplodedSlice.Delete(index);
    SliceHeights.Delete(index);
}

void TPieSeries::SwapValueIndex(int index1, int index2) {
    TCircledSeries::SwapValueIndex(index1, index2);
    ExplodedSlice.Exchange(index1, index2, Count());
    SliceHeights.Exchange(index1, index2, Count());
}

void TPieSeries::CheckOrder() {
    XValues->SetOrder(loAscending);
    Repaint();
}

void TPieSeries::AddSampleValues(int numValues, bool) {
    const AnsiString* labels[] = {&PlotMsg_PieSample1, &PlotMsg_PieSample2, &PlotMsg_PieSample3,
                                  &PlotMsg_PieSample4, &PlotMsg_PieSample5, &PlotMsg_PieSample6,
                                  &PlotMsg_PieSample7, &PlotMsg_PieSample8};
    for (int i = 0; i < numValues; ++i) Add(1 + RandomValue(1000), *labels[i % 8]);
}

void TPieSeries::DisableGalleryRotation() {
    TView3DOptions* view = ParentChart()->View3DOptions();
    view->SetOrthogonal(false);
    view->SetRotation(0);
    view->SetElevation(305);
}

void TPieSeries::PrepareForGallery(bool enabled) {
    FillSampleValues(8);
    if (TCustomAxisPanel* chart = ParentChart()) {
        chart->Set3DPercent(75);
        DisableGalleryRotation();
    }
    Marks()->GetCallout()->SetLength(0);
    Marks()->SetDrawEvery(1);
    Gradient()->SetVisible(true);
    SetColorEachPoint(enabled);
}

void TPieSeries::GalleryChanged3D(bool value) {
    TCircledSeries::GalleryChanged3D(value);
    if (!ParentChart()) return;
    DisableGalleryRotation();
    SetCircled(!ParentChart()->View3D());
}

void TPieSeries::CreateSubGallery(const TChartSubGalleryProc& addSubChart) const {
    TCircledSeries::CreateSubGallery(addSubChart);
    for (const AnsiString* name : {&PlotMsg_Patterns, &PlotMsg_Exploded, &PlotMsg_Shadow,
                                   &PlotMsg_Marks, &PlotMsg_SemiPie, &PlotMsg_NoBorder,
                                   &PlotMsg_DarkPen})
        addSubChart(*name);
}

void TPieSeries::SetSubGallery(int index) {
    switch (index) {
        case 1: SetUsePatterns(true); break;
        case 2: SetExplodeBiggest(30); break;
        case 3:
            Shadow()->SetHorizSize(10);
            Shadow()->SetVertSize(10);
            break;
        case 4:
            Marks()->SetVisible(true);
            Clear();
            Add(30, "A");
            Add(72, "B");
            break;
        case 5: SetAngleSize(180); break;
        case 6: PiePen()->SetVisible(false); break;
        case 7: SetDarkPen(32); break;
        default: TCircledSeries::SetSubGallery(index);
    }
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool piePropertiesRegistered = [] {
    using C = TCircledSeries;
    const TMetaClass* circled = C::StaticClass();
    RegisterProperty(circled, OrdinalProperty<C>("Circled", pkBool, &C::Circled, &C::SetCircled, 0));
    RegisterProperty(circled, OrdinalProperty<C>("CustomXRadius", pkInteger, &C::CustomXRadius,
                                                 &C::SetCustomXRadius, 0));
    RegisterProperty(circled, OrdinalProperty<C>("CustomYRadius", pkInteger, &C::CustomYRadius,
                                                 &C::SetCustomYRadius, 0));

    using O = TPieOtherSlice;
    const TMetaClass* other = O::StaticClass();
    RegisterProperty(other, OrdinalProperty<O>("Color", pkColor, &O::Color, &O::SetColor, clDefault));
    RegisterProperty(other, LazySubObjectProperty<O>(
                                "Legend", [](O* o) -> TPersistent* { return o->Legend(); },
                                [](O* o) { return o->LegendIfAny() != nullptr; }));
    RegisterProperty(other, EnumProperty<O>("Style", &O::Style, &O::SetStyle,
                                            {"poNone", "poBelowPercent", "poBelowValue"}, poNone));
    RegisterProperty(other, StoredWhen<O>(StringProperty<O>("Text", &O::StoredText, &O::SetText),
                                          [](O* o) { return !o->StoredText().IsEmpty(); }));
    RegisterProperty(other, StoredWhen<O>(FloatProperty<O>("Value", &O::Value, &O::SetValue),
                                          [](O* o) { return o->Value() != 0; }));

    using P = TPieSeries;
    const TMetaClass* pie = P::StaticClass();
    RegisterProperty(pie, OrdinalProperty<P>("AngleSize", pkInteger, &P::AngleSize,
                                             &P::SetAngleSize, 360));
    RegisterProperty(pie, OrdinalProperty<P>("AutoMarkPosition", pkBool, &P::AutoMarkPosition,
                                             &P::SetAutoMarkPosition, 1));
    RegisterProperty(pie, OrdinalProperty<P>("CircleBackColor", pkColor, &P::CircleBackColor,
                                             &P::SetCircleBackColor, clDefault));
    RegisterProperty(pie, OrdinalProperty<P>("ColorEachPoint", pkBool, &P::ColorEachPoint,
                                             &P::SetColorEachPoint, 1));
    RegisterProperty(pie, OrdinalProperty<P>("Dark3D", pkBool, &P::Dark3D, &P::SetDark3D, 1));
    RegisterProperty(pie, OrdinalProperty<P>("DarkPen", pkInteger, &P::DarkPen, &P::SetDarkPen, 0));
    RegisterProperty(pie, OrdinalProperty<P>("ExplodeBiggest", pkInteger, &P::ExplodeBiggest,
                                             &P::SetExplodeBiggest, 0));
    RegisterProperty(pie, SubObjectProperty<P>("Gradient", &P::Gradient));
    RegisterProperty(pie, EnumProperty<P>("MultiPie", &P::MultiPie, &P::SetMultiPie,
                                          {"mpAutomatic", "mpDisabled"}, mpAutomatic));
    RegisterProperty(pie, SubObjectProperty<P>("OtherSlice", &P::OtherSlice));
    RegisterProperty(pie, SubObjectProperty<P>("PiePen", &P::PiePen));
    RegisterProperty(pie, SubObjectProperty<P>("PieValues", &P::PieValues));
    RegisterProperty(pie, OrdinalProperty<P>("RotationAngle", pkInteger, &P::RotationAngle,
                                             &P::SetRotationAngle, 0));
    RegisterProperty(pie, SubObjectProperty<P>("Shadow", &P::Shadow));
    RegisterProperty(pie, OrdinalProperty<P>("UsePatterns", pkBool, &P::UsePatterns,
                                             &P::SetUsePatterns, 0));
    return true;
}();

}  // namespace
