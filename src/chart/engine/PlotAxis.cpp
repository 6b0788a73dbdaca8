#include "PlotAxis.h"

#include <cmath>
#include <utility>

#include "PlotAxisPanel.h"
#include "PlotMarks.h"
#include "PlotPublished.h"
#include "Plotconst.h"
#include "cl_sys.h"

using namespace Plotconst;

const double MinAxisIncrement = 1e-12;
const double MinAxisRange = 1e-10;
int PlotAxisClickGap = 3;
int PlotGDICoordinateLimit = 0x3FFFFFF;

namespace {

// The unit's start and end: the coordinate limit of the system, and the streamed classes.
struct AxisUnit {
    AxisUnit() {
        PlotGDICoordinateLimit = IsWindowsNT() ? 0x3FFFFFF : 0x7FFF;
        RegisterClasses({TChartAxisTitle::StaticClass(), TChartAxis::StaticClass(),
                         TChartDepthAxis::StaticClass(), TSeriesMarks::StaticClass()});
    }
    ~AxisUnit() {
        UnRegisterClass(TChartAxisTitle::StaticClass());
        UnRegisterClass(TChartAxis::StaticClass());
        UnRegisterClass(TChartDepthAxis::StaticClass());
        UnRegisterClass(TSeriesMarks::StaticClass());
    }
} axisUnit;

TCustomAxisPanel* PanelOf(TCollection* collection) {
    return dynamic_cast<TCustomAxisPanel*>(collection->GetOwner());
}

// The six standard axes belong to no collection.
TCollection* CollectionToJoin(TCollection* collection) {
    return PanelOf(collection)->Axes->Count() >= 6 ? collection : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Pens and title

TChartAxisPen::TChartAxisPen(const TNotifyEvent& onChange) : TChartPen() {
    SetWidth(2);
    OnChange = onChange;
}

void TAxisGridPen::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TAxisGridPen*>(source)) {
        centered_ = other->centered_;
        zPosition_ = other->zPosition_;
    }
    TDottedGrayPen::Assign(source);
}

void TAxisGridPen::SetCentered(bool value) {
    if (value == centered_) return;
    centered_ = value;
    Changed();
}

void TAxisGridPen::SetZPosition(double value) {
    if (value == zPosition_) return;
    zPosition_ = value;
    Changed();
}

void TAxisGridPen::InitZPosition(double value) {
    zPosition_ = value;
    defaultZ_ = value;
}

TChartAxisTitle::TChartAxisTitle(TCustomPlotPanel* parent) : TPlotCustomShape(parent) {}

void TChartAxisTitle::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TChartAxisTitle*>(source)) {
        angle_ = other->angle_;
        caption_ = other->caption_;
    }
    TPlotCustomShape::Assign(source);
}

void TChartAxisTitle::SetAngle(int value) {
    value %= 360;
    if (Parent())
        Parent()->SetIntegerProperty(angle_, value);
    else
        angle_ = value;
}

void TChartAxisTitle::InitAngle(int value) {
    angle_ = value % 360;
    defaultAngle_ = angle_;
}

void TChartAxisTitle::SetCaption(const AnsiString& value) {
    if (Parent())
        Parent()->SetStringProperty(caption_, value);
    else
        caption_ = value;
}

// ---------------------------------------------------------------------------------------------
// Life

TChartAxis::TChartAxis(TCollection* collection)
    : TCollectionItem(CollectionToJoin(collection)), parentChart_(PanelOf(collection)) {
    Init();
}

TChartAxis::TChartAxis(TCustomAxisPanel* panel) : TChartAxis(panel->CustomAxes) {}

void TChartAxis::Init() {
    axisValuesFormat_ = PlotMsg_DefValueFormat;
    const TNotifyEvent changed = [this](TObject*) { Invalidate(); };
    axisPen_ = new TChartAxisPen(changed);
    ticks_ = new TDarkGrayPen(changed);
    minorTicks_ = new TDarkGrayPen(changed);
    ticksInner_ = new TDarkGrayPen(changed);
    grid_ = new TAxisGridPen(changed);
    minorGrid_ = new TChartHiddenPen(changed);
    title_ = new TChartAxisTitle(parentChart_);
    LabelItems = new TAxisItems(this);
    SetCalcPosValue();
    parentChart_->Axes->Add(this);
}

TChartAxis::~TChartAxis() {
    TObject::Free(axisPen_);
    TObject::Free(ticks_);
    TObject::Free(minorTicks_);
    TObject::Free(ticksInner_);
    TObject::Free(grid_);
    TObject::Free(minorGrid_);
    TObject::Free(title_);
    TObject::Free(LabelItems);
}

void TChartAxis::BeforeDestruction() {
    for (int i = 0; i < parentChart_->SeriesCount(); ++i)
        parentChart_->GetSeries(i)->CustomAxisFreed(this);
    TChartAxes* axes = parentChart_->Axes;
    for (int i = 0; i < axes->Count(); ++i)
        if (axes->Get(i)->MasterAxis == this) axes->Get(i)->MasterAxis = nullptr;
    LabelSeries.clear();
    axes->Remove(this);
    TickPixels.clear();
    TCollectionItem::BeforeDestruction();
}

void TChartAxis::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TChartAxis*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    axisPen_->Assign(other->axisPen_);
    LabelItems->CopyFrom(other->LabelItems);
    labelsAlign_ = other->labelsAlign_;
    labelsAlternate_ = other->labelsAlternate_;
    labelsAngle_ = other->labelsAngle_;
    labelsExponent_ = other->labelsExponent_;
    labelsMultiLine_ = other->labelsMultiLine_;
    labelsOnAxis_ = other->labelsOnAxis_;
    labelsSeparation_ = other->labelsSeparation_;
    labelsSize_ = other->labelsSize_;
    labelStyle_ = other->labelStyle_;
    ticks_->Assign(other->ticks_);
    ticksInner_->Assign(other->ticksInner_);
    titleSize_ = other->titleSize_;
    grid_->Assign(other->grid_);
    minorTicks_->Assign(other->minorTicks_);
    minorGrid_->Assign(other->minorGrid_);
    tickLength_ = other->tickLength_;
    tickInnerLength_ = other->tickInnerLength_;
    minorTickLength_ = other->minorTickLength_;
    minorTickCount_ = other->minorTickCount_;
    axisValuesFormat_ = other->axisValuesFormat_;
    increment_ = other->increment_;
    maximum_ = other->maximum_;
    maximumOffset_ = other->maximumOffset_;
    minimum_ = other->minimum_;
    minimumOffset_ = other->minimumOffset_;
    automatic_ = other->automatic_;
    automaticMaximum_ = other->automaticMaximum_;
    automaticMinimum_ = other->automaticMinimum_;
    title_->Assign(other->title_);
    dateTimeFormat_ = other->dateTimeFormat_;
    logarithmic_ = other->logarithmic_;
    logarithmicBase_ = other->logarithmicBase_;
    inverted_ = other->inverted_;
    exactDateTime_ = other->exactDateTime_;
    roundFirstLabel_ = other->roundFirstLabel_;
    tickOnLabelsOnly_ = other->tickOnLabelsOnly_;
    IsDepthAxis = other->IsDepthAxis;
    startPosition_ = other->startPosition_;
    endPosition_ = other->endPosition_;
    positionPercent_ = other->positionPercent_;
    positionUnits_ = other->positionUnits_;
    visible_ = other->visible_;
    horizontal_ = other->horizontal_;
    otherSide_ = other->otherSide_;
    SetCalcPosValue();
    Invalidate();
}

bool TChartAxis::IsCustom() const {
    return parentChart_->Axes->IndexOf(const_cast<TChartAxis*>(this)) > 5;
}

bool TChartAxis::IsLoading() const { return parentChart_->InState(csLoading); }

void TChartAxis::Invalidate() { parentChart_->Invalidate(); }

void TChartAxis::SetBooleanProperty(bool& field, bool value) {
    parentChart_->SetBooleanProperty(field, value);
}

void TChartAxis::SetIntegerProperty(int& field, int value) {
    parentChart_->SetIntegerProperty(field, value);
}

void TChartAxis::SetDoubleProperty(double& field, double value) {
    parentChart_->SetDoubleProperty(field, value);
}

void TChartAxis::SetStringProperty(AnsiString& field, const AnsiString& value) {
    parentChart_->SetStringProperty(field, value);
}

// ---------------------------------------------------------------------------------------------
// Range

void TChartAxis::SetMinimum(double value) {
    if (!IsLoading() && value > maximum_) throw AxisException(PlotMsg_AxisMinMax);
    InternalSetMinimum(value);
}

void TChartAxis::SetMaximum(double value) {
    if (!IsLoading() && value < minimum_) throw AxisException(PlotMsg_AxisMaxMin);
    InternalSetMaximum(value);
}

void TChartAxis::InternalSetMinimum(double value) { SetDoubleProperty(minimum_, value); }

void TChartAxis::InternalSetMaximum(double value) { SetDoubleProperty(maximum_, value); }

void TChartAxis::SetMinMax(double low, double high) {
    SetBooleanProperty(automatic_, false);
    SetBooleanProperty(automaticMinimum_, false);
    SetBooleanProperty(automaticMaximum_, false);
    if (low > high) std::swap(low, high);
    InternalSetMinimum(low);
    InternalSetMaximum(high);
    if (maximum_ - minimum_ < MinAxisRange) InternalSetMaximum(minimum_ + MinAxisRange);
    parentChart_->CustomAxes->ResetScales(this);
}

void TChartAxis::SetAutomatic(bool value) {
    SetBooleanProperty(automatic_, value);
    if (IsLoading()) return;
    SetBooleanProperty(automaticMinimum_, value);
    SetBooleanProperty(automaticMaximum_, value);
}

void TChartAxis::SetAutomaticMinimum(bool value) {
    SetBooleanProperty(automaticMinimum_, value);
    if (!value)
        SetBooleanProperty(automatic_, false);
    else if (automaticMaximum_)
        SetBooleanProperty(automatic_, true);
}

void TChartAxis::SetAutomaticMaximum(bool value) {
    SetBooleanProperty(automaticMaximum_, value);
    if (!value)
        SetBooleanProperty(automatic_, false);
    else if (automaticMinimum_)
        SetBooleanProperty(automatic_, true);
}

double TChartAxis::InternalMinMax(bool isMinimum) {
    return parentChart_->InternalMinMax(this, isMinimum, horizontal_);
}

void TChartAxis::CalcMinMax(double& minimum, double& maximum) {
    if (automatic_ || automaticMaximum_) maximum = InternalMinMax(false);
    if (automatic_ || automaticMinimum_) minimum = InternalMinMax(true);
}

void TChartAxis::AdjustMaxMin() {
    CalcMinMax(minimum_, maximum_);
    ScaleMaximum = maximum_;
    ScaleMinimum = minimum_;
    InternalCalcRange();
}

void TChartAxis::AdjustMaxMinRect(const TRect& margins) {
    const int low = horizontal_ ? margins.Left : margins.Top;
    const int high = horizontal_ ? margins.Right : margins.Bottom;
    if (low == 0 && high == 0) return;
    const int oldStart = StartPixel, oldEnd = EndPixel;
    StartPixel += low;
    EndPixel -= high;
    AxisPixels = EndPixel - StartPixel;
    double a = CalcPosPoint(oldStart);
    double b = CalcPosPoint(oldEnd);
    InternalCalcPositions();
    if (a > b) std::swap(a, b);
    ScaleMinimum = a;
    ScaleMaximum = b;
    InternalCalcRange();
}

void TChartAxis::Scroll(double offset, bool checkLimits) {
    if (checkLimits) {
        const bool canMove = offset > 0   ? InternalMinMax(false) > maximum_
                             : offset < 0 ? InternalMinMax(true) < minimum_
                                          : false;
        if (!canMove) return;
    }
    automatic_ = automaticMinimum_ = automaticMaximum_ = false;
    maximum_ += offset;
    minimum_ += offset;
    Invalidate();
}

void TChartAxis::SetLogarithmic(bool value) {
    if (value && IsDateTime()) throw AxisException(PlotMsg_AxisLogDateTime);
    if (value) {
        const double minimum = minimum_, maximum = maximum_;
        const double scaleMinimum = ScaleMinimum, scaleMaximum = ScaleMaximum;
        AdjustMaxMin();
        if (ScaleMinimum < 0 || ScaleMaximum < 0) {
            minimum_ = minimum;
            maximum_ = maximum;
            ScaleMinimum = scaleMinimum;
            ScaleMaximum = scaleMaximum;
            InternalCalcRange();
            throw AxisException(PlotMsg_AxisLogNotPositive);
        }
    }
    SetBooleanProperty(logarithmic_, value);
    SetCalcPosValue();
}

void TChartAxis::SetLogarithmicBase(double value) {
    if (value == 1 || value <= 0) throw AxisException(PlotMsg_AxisLogBase);
    SetDoubleProperty(logarithmicBase_, value);
}

void TChartAxis::SetDesiredIncrement(double value) {
    if (value < 0) throw AxisException(PlotMsg_AxisIncrementNeg);
    SetDoubleProperty(increment_, value);
}

void TChartAxis::SetInverted(bool value) { SetBooleanProperty(inverted_, value); }

// ---------------------------------------------------------------------------------------------
// Positions and conversions

void TChartAxis::InternalCalcPositions() {
    int start, size;
    if (IsDepthAxis) {
        start = 0;
        size = parentChart_->DepthWidth;
    } else if (horizontal_) {
        start = parentChart_->ChartRect.Left;
        size = parentChart_->ChartRectWidth;
    } else {
        start = parentChart_->ChartRect.Top;
        size = parentChart_->ChartRectHeight;
    }
    StartPixel = start + PlotRound(size * 0.01 * startPosition_);
    EndPixel = start + PlotRound(size * 0.01 * endPosition_);
    RecalcSizeCenter();
}

void TChartAxis::RecalcSizeCenter() {
    AxisPixels = EndPixel - StartPixel;
    CenterPixel = (StartPixel + EndPixel) / 2;
    InternalCalcRange();
}

void TChartAxis::InternalCalcRange() {
    ScaleRange = ScaleMaximum - ScaleMinimum;
    RangeIsZero = ScaleRange == 0;
    PixelsPerValue = RangeIsZero ? 0 : AxisPixels / ScaleRange;
    if (logarithmic_) {
        LogMinimum = ScaleMinimum > 0 ? std::log(ScaleMinimum) : 0;
        LogMaximum = ScaleMaximum > 0 ? std::log(ScaleMaximum) : 0;
        LogRange = LogMaximum - LogMinimum;
        PixelsPerLogValue = LogRange == 0 ? 0 : AxisPixels / LogRange;
    }
    DepthOffset = CalcZPos();
}

int TChartAxis::CalcZPos() {
    const int size = IsDepthAxis ? parentChart_->ChartRectHeight : parentChart_->DepthWidth;
    return PlotRound(zPosition_ * size * 0.01);
}

void TChartAxis::SetCalcPosValue() {
    if (IsDepthAxis) {
        calcXPosValue_ = calcYPosValue_ = &TChartAxis::InternalCalcDepthPosValue;
    } else if (logarithmic_) {
        calcXPosValue_ = &TChartAxis::LogXPosValue;
        calcYPosValue_ = &TChartAxis::LogYPosValue;
    } else if (parentChart_->Axes->FastCalc()) {
        calcXPosValue_ = &TChartAxis::XPosValue;
        calcYPosValue_ = &TChartAxis::YPosValue;
    } else {
        calcXPosValue_ = &TChartAxis::XPosValueCheck;
        calcYPosValue_ = &TChartAxis::YPosValueCheck;
    }
    calcPosValue_ = horizontal_ ? calcXPosValue_ : calcYPosValue_;
}

int TChartAxis::LinearPixel(double value, bool vertical) {
    if (RangeIsZero) return CenterPixel;
    const int d = PlotRound((value - ScaleMinimum) * PixelsPerValue);
    return vertical == inverted_ ? StartPixel + d : EndPixel - d;
}

int TChartAxis::ClampedPixel(double value, bool vertical) {
    if (RangeIsZero) return CenterPixel;
    const double d = (value - ScaleMinimum) * PixelsPerValue;
    double pixel = vertical == inverted_ ? StartPixel + d : EndPixel - d;
    const double limit = PlotGDICoordinateLimit;
    if (!(pixel >= -limit)) pixel = -limit;
    if (pixel > limit) pixel = limit;
    return PlotRound(pixel);
}

int TChartAxis::XPosValue(double value) { return LinearPixel(value, false); }

int TChartAxis::YPosValue(double value) { return LinearPixel(value, true); }

int TChartAxis::XPosValueCheck(double value) { return ClampedPixel(value, false); }

int TChartAxis::YPosValueCheck(double value) { return ClampedPixel(value, true); }

int TChartAxis::LogXPosValue(double value) {
    if (LogRange == 0) return CenterPixel;
    if (value <= 0) return inverted_ ? EndPixel : StartPixel;
    const double d = inverted_ ? LogMaximum - std::log(value) : std::log(value) - LogMinimum;
    return StartPixel + PlotRound(PixelsPerLogValue * d);
}

int TChartAxis::LogYPosValue(double value) {
    if (LogRange == 0) return CenterPixel;
    if (value <= 0) return inverted_ ? StartPixel : EndPixel;
    const double d = inverted_ ? LogMaximum - std::log(value) : std::log(value) - LogMinimum;
    return EndPixel - PlotRound(PixelsPerLogValue * d);
}

int TChartAxis::InternalCalcDepthPosValue(double value) {
    if (RangeIsZero) return CenterPixel;
    return inverted_ ? PlotRound(PixelsPerValue * (ScaleMaximum - value))
                     : PlotRound((value - ScaleMinimum) * PixelsPerValue);
}

double TChartAxis::CalcPosPoint(int pixel) {
    const double offset = inverted_ ? EndPixel - pixel : pixel - StartPixel;
    if (!logarithmic_) {
        if (AxisPixels < 1) return 0;
        const double d = offset * ScaleRange / AxisPixels;
        return horizontal_ ? ScaleMinimum + d : ScaleMaximum - d;
    }
    const bool maximumFirst = horizontal_ == inverted_;
    if (pixel == StartPixel) return maximumFirst ? ScaleMaximum : ScaleMinimum;
    if (pixel == EndPixel) return maximumFirst ? ScaleMinimum : ScaleMaximum;
    if (LogRange == 0 || AxisPixels == 0) return ScaleMinimum;
    const double d = offset * LogRange / AxisPixels;
    return horizontal_ ? std::exp(LogMinimum + d) : std::exp(LogMaximum - d);
}

int TChartAxis::CalcSizeValue(double value) {
    if (value <= 0) return 0;
    if (logarithmic_) return LogRange != 0 ? PlotRound(std::log(value) * PixelsPerLogValue) : 0;
    return ScaleRange != 0 ? PlotRound(value * PixelsPerValue) : 0;
}

// ---------------------------------------------------------------------------------------------
// Properties

void TChartAxis::SetMaximumOffset(int value) { SetIntegerProperty(maximumOffset_, value); }

void TChartAxis::SetMinimumOffset(int value) { SetIntegerProperty(minimumOffset_, value); }

void TChartAxis::SetZPosition(double value) {
    SetDoubleProperty(zPosition_, value == 0 ? 0.01 : value);
}

void TChartAxis::SetTitleSize(int value) { SetIntegerProperty(titleSize_, value); }

void TChartAxis::SetLabelsAlign(TAxisLabelAlign value) {
    if (value == labelsAlign_) return;
    labelsAlign_ = value;
    Invalidate();
}

void TChartAxis::SetLabelsAlternate(bool value) { SetBooleanProperty(labelsAlternate_, value); }

void TChartAxis::SetLabelsAngle(int value) { SetIntegerProperty(labelsAngle_, value % 360); }

void TChartAxis::SetLabelsOnAxis(bool value) { SetBooleanProperty(labelsOnAxis_, value); }

void TChartAxis::SetLabelsSeparation(int value) {
    if (value < 0) throw AxisException(PlotMsg_AxisLabelSep);
    SetIntegerProperty(labelsSeparation_, value);
}

void TChartAxis::SetLabelsSize(int value) { SetIntegerProperty(labelsSize_, value); }

void TChartAxis::SetLabelStyle(TAxisLabelStyle value) {
    if (value == labelStyle_) return;
    labelStyle_ = value;
    Invalidate();
}

void TChartAxis::SetLabelsExponent(bool value) { SetBooleanProperty(labelsExponent_, value); }

void TChartAxis::SetLabelsMultiLine(bool value) { SetBooleanProperty(labelsMultiLine_, value); }

bool TChartAxis::Labels() const { return LabelItems->LabelFormat->Visible(); }

void TChartAxis::SetLabels(bool value) { LabelItems->LabelFormat->SetVisible(value); }

TPlotFont* TChartAxis::LabelsFont() const { return LabelItems->LabelFormat->Font(); }

void TChartAxis::SetLabelsFont(TPlotFont* font) { LabelItems->LabelFormat->SetFont(font); }

void TChartAxis::SetAxisValuesFormat(const AnsiString& value) {
    SetStringProperty(axisValuesFormat_, value);
}

void TChartAxis::SetDateTimeFormat(const AnsiString& value) {
    SetStringProperty(dateTimeFormat_, value);
}

void TChartAxis::SetExactDateTime(bool value) { SetBooleanProperty(exactDateTime_, value); }

void TChartAxis::SetRoundFirstLabel(bool value) { SetBooleanProperty(roundFirstLabel_, value); }

void TChartAxis::SetMinorTickCount(int value) { SetIntegerProperty(minorTickCount_, value); }

void TChartAxis::SetMinorTickLength(int value) { SetIntegerProperty(minorTickLength_, value); }

void TChartAxis::SetTickInnerLength(int value) { SetIntegerProperty(tickInnerLength_, value); }

void TChartAxis::SetTickLength(int value) { SetIntegerProperty(tickLength_, value); }

void TChartAxis::SetTickOnLabelsOnly(bool value) { SetBooleanProperty(tickOnLabelsOnly_, value); }

void TChartAxis::SetHorizontal(bool value) {
    SetBooleanProperty(horizontal_, value);
    SetCalcPosValue();
}

void TChartAxis::SetOtherSide(bool value) { SetBooleanProperty(otherSide_, value); }

void TChartAxis::SetVisible(bool value) { SetBooleanProperty(visible_, value); }

void TChartAxis::SetStartPosition(double value) { SetDoubleProperty(startPosition_, value); }

void TChartAxis::SetEndPosition(double value) { SetDoubleProperty(endPosition_, value); }

void TChartAxis::SetPositionPercent(double value) { SetDoubleProperty(positionPercent_, value); }

void TChartAxis::SetPositionUnits(TPlotUnits value) {
    if (value == positionUnits_) return;
    positionUnits_ = value;
    Invalidate();
}

bool TChartAxis::IsZStored() const {
    if (IsDepthAxis) return false;
    if (otherSide_) return zPosition_ != 100;
    return zPosition_ > 0.011;
}

bool TChartAxis::IsAxisValuesFormatStored() const {
    return axisValuesFormat_ != PlotMsg_DefValueFormat;
}

// ---------------------------------------------------------------------------------------------
// TChartDepthAxis

TChartDepthAxis::TChartDepthAxis(TCollection* collection) : TChartAxis(collection) {
    IsDepthAxis = true;
    SetVisible(false);
    SetCalcPosValue();
}

TAxisLabelStyle TChartDepthAxis::InternalCalcLabelStyle() {
    TCustomAxisPanel* chart = ParentChart();
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* series = chart->GetSeries(i);
        if (series->Active() && (series->OwnZValues || series->MinZValue() != series->MaxZValue()))
            return talValue;
    }
    return talText;
}

void TChartDepthAxis::SetInverted(bool value) {
    TChartAxis::SetInverted(value);
    TCustomAxisPanel* chart = ParentChart();
    TChartAxis* other = this == chart->DepthAxis ? chart->DepthTopAxis : chart->DepthAxis;
    if (other && other != this) other->InternalSetInverted(value);
}

namespace {

TPropertyInfo AxisFloat(const char* name, double (TChartAxis::*get)() const,
                        void (TChartAxis::*set)(double), bool (TChartAxis::*stored)() const) {
    return StoredWhen<TChartAxis>(FloatProperty<TChartAxis>(name, get, set),
                                  [stored](TChartAxis* axis) { return (axis->*stored)(); });
}

// The published properties of axes, their pens and titles, for the component streams.
const bool axisPropertiesRegistered = [] {
    PublishChartPen(TChartAxisPen::StaticClass(), clBlack, psSolid, 2);
    RegisterProperty(TAxisGridPen::StaticClass(),
                     StoredWhen<TAxisGridPen>(FloatProperty<TAxisGridPen>(
                                                  "ZPosition", &TAxisGridPen::ZPosition,
                                                  &TAxisGridPen::SetZPosition),
                                              [](TAxisGridPen* pen) { return pen->IsZStored(); }));

    using T = TChartAxisTitle;
    const TMetaClass* title = T::StaticClass();
    RegisterProperty(title, StoredWhen<T>(OrdinalProperty<T>("Angle", pkInteger, &T::Angle,
                                                             &T::SetAngle),
                                          [](T* t) { return t->IsAngleStored(); }));
    RegisterProperty(title, StringProperty<T>("Caption", &T::Caption, &T::SetCaption));
    PublishShape(title, {"Font", "Visible"});

    using A = TChartAxis;
    const TMetaClass* axis = A::StaticClass();
    const auto customOnly = [](A* a) { return a->IsCustom(); };
    RegisterProperty(axis, OrdinalProperty<A>("Automatic", pkBool, &A::Automatic,
                                              &A::SetAutomatic, 1));
    RegisterProperty(axis, OrdinalProperty<A>("AutomaticMaximum", pkBool, &A::AutomaticMaximum,
                                              &A::SetAutomaticMaximum, 1));
    RegisterProperty(axis, OrdinalProperty<A>("AutomaticMinimum", pkBool, &A::AutomaticMinimum,
                                              &A::SetAutomaticMinimum, 1));
    RegisterProperty(axis, SubObjectProperty<A>("Axis", &A::Axis));
    RegisterProperty(axis, StoredWhen<A>(StringProperty<A>("AxisValuesFormat",
                                                           &A::AxisValuesFormat,
                                                           &A::SetAxisValuesFormat),
                                         [](A* a) { return a->IsAxisValuesFormatStored(); }));
    RegisterProperty(axis, StringProperty<A>("DateTimeFormat", &A::DateTimeFormat,
                                             &A::SetDateTimeFormat));
    RegisterProperty(axis, AxisFloat("EndPosition", &A::EndPosition, &A::SetEndPosition,
                                     &A::IsEndStored));
    RegisterProperty(axis, OrdinalProperty<A>("ExactDateTime", pkBool, &A::ExactDateTime,
                                              &A::SetExactDateTime, 1));
    RegisterProperty(axis, SubObjectProperty<A>("Grid", &A::Grid));
    RegisterProperty(axis, OrdinalProperty<A>("GridCentered", pkBool, &A::GridCentered,
                                              &A::SetGridCentered, 0));
    RegisterProperty(axis, StoredWhen<A>(OrdinalProperty<A>("Horizontal", pkBool,
                                                            &A::Horizontal, &A::SetHorizontal),
                                         customOnly));
    RegisterProperty(axis, FloatProperty<A>("Increment", &A::Increment,
                                            &A::SetDesiredIncrement));
    RegisterProperty(axis, OrdinalProperty<A>("Inverted", pkBool, &A::Inverted, &A::SetInverted,
                                              0));
    RegisterProperty(axis, OrdinalProperty<A>("Labels", pkBool, &A::Labels, &A::SetLabels, 1));
    RegisterProperty(axis, EnumProperty<A>("LabelsAlign", &A::LabelsAlign, &A::SetLabelsAlign,
                                           {"alDefault", "alOpposite"}, alDefault));
    RegisterProperty(axis, OrdinalProperty<A>("LabelsAlternate", pkBool, &A::LabelsAlternate,
                                              &A::SetLabelsAlternate, 0));
    RegisterProperty(axis, OrdinalProperty<A>("LabelsAngle", pkInteger, &A::LabelsAngle,
                                              &A::SetLabelsAngle, 0));
    RegisterProperty(axis, OrdinalProperty<A>("LabelsExponent", pkBool, &A::LabelsExponent,
                                              &A::SetLabelsExponent, 0));
    RegisterProperty(axis, SubObjectProperty<A>("LabelsFont", &A::LabelsFont));
    RegisterProperty(axis, OrdinalProperty<A>("LabelsMultiLine", pkBool, &A::LabelsMultiLine,
                                              &A::SetLabelsMultiLine, 0));
    RegisterProperty(axis, OrdinalProperty<A>("LabelsOnAxis", pkBool, &A::LabelsOnAxis,
                                              &A::SetLabelsOnAxis, 1));
    RegisterProperty(axis, OrdinalProperty<A>("LabelsSeparation", pkInteger,
                                              &A::LabelsSeparation, &A::SetLabelsSeparation,
                                              10));
    RegisterProperty(axis, OrdinalProperty<A>("LabelsSize", pkInteger, &A::LabelsSize,
                                              &A::SetLabelsSize, 0));
    RegisterProperty(axis, EnumProperty<A>("LabelStyle", &A::LabelStyle, &A::SetLabelStyle,
                                           {"talAuto", "talNone", "talValue", "talMark",
                                            "talText"},
                                           talAuto));
    RegisterProperty(axis, OrdinalProperty<A>("Logarithmic", pkBool, &A::Logarithmic,
                                              &A::SetLogarithmic, 0));
    RegisterProperty(axis, AxisFloat("LogarithmicBase", &A::LogarithmicBase,
                                     &A::SetLogarithmicBase, &A::IsLogBaseStored));
    RegisterProperty(axis, AxisFloat("Maximum", &A::Maximum, &A::SetMaximum, &A::IsMaxStored));
    RegisterProperty(axis, OrdinalProperty<A>("MaximumOffset", pkInteger, &A::MaximumOffset,
                                              &A::SetMaximumOffset, 0));
    RegisterProperty(axis, AxisFloat("Minimum", &A::Minimum, &A::SetMinimum, &A::IsMinStored));
    RegisterProperty(axis, OrdinalProperty<A>("MinimumOffset", pkInteger, &A::MinimumOffset,
                                              &A::SetMinimumOffset, 0));
    RegisterProperty(axis, SubObjectProperty<A>("MinorGrid", &A::MinorGrid));
    RegisterProperty(axis, OrdinalProperty<A>("MinorTickCount", pkInteger, &A::MinorTickCount,
                                              &A::SetMinorTickCount, 3));
    RegisterProperty(axis, OrdinalProperty<A>("MinorTickLength", pkInteger,
                                              &A::MinorTickLength, &A::SetMinorTickLength, 2));
    RegisterProperty(axis, SubObjectProperty<A>("MinorTicks", &A::MinorTicks));
    RegisterProperty(axis, StoredWhen<A>(OrdinalProperty<A>("OtherSide", pkBool, &A::OtherSide,
                                                            &A::SetOtherSide),
                                         customOnly));
    RegisterProperty(axis, AxisFloat("PositionPercent", &A::PositionPercent,
                                     &A::SetPositionPercent, &A::IsPosStored));
    RegisterProperty(axis, EnumProperty<A>("PositionUnits", &A::PositionUnits,
                                           &A::SetPositionUnits, {"muPercent", "muPixels"},
                                           muPercent));
    RegisterProperty(axis, OrdinalProperty<A>("RoundFirstLabel", pkBool, &A::RoundFirstLabel,
                                              &A::SetRoundFirstLabel, 1));
    RegisterProperty(axis, AxisFloat("StartPosition", &A::StartPosition, &A::SetStartPosition,
                                     &A::IsStartStored));
    RegisterProperty(axis, OrdinalProperty<A>("TickInnerLength", pkInteger,
                                              &A::TickInnerLength, &A::SetTickInnerLength, 0));
    RegisterProperty(axis, OrdinalProperty<A>("TickLength", pkInteger, &A::TickLength,
                                              &A::SetTickLength, 4));
    RegisterProperty(axis, OrdinalProperty<A>("TickOnLabelsOnly", pkBool, &A::TickOnLabelsOnly,
                                              &A::SetTickOnLabelsOnly, 1));
    RegisterProperty(axis, SubObjectProperty<A>("Ticks", &A::Ticks));
    RegisterProperty(axis, SubObjectProperty<A>("TicksInner", &A::TicksInner));
    RegisterProperty(axis, SubObjectProperty<A>("Title", &A::Title));
    RegisterProperty(axis, OrdinalProperty<A>("TitleSize", pkInteger, &A::TitleSize,
                                              &A::SetTitleSize, 0));
    RegisterProperty(axis, OrdinalProperty<A>("Visible", pkBool, &A::Visible, &A::SetVisible,
                                              1));
    RegisterProperty(axis, AxisFloat("ZPosition", &A::ZPosition, &A::SetZPosition,
                                     &A::IsZStored));
    RegisterProperty(TChartDepthAxis::StaticClass(),
                     OrdinalProperty<A>("Visible", pkBool, &A::Visible, &A::SetVisible, 0));
    return true;
}();

}  // namespace
