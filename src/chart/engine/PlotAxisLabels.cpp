// Label increments, the label style, the label value sequences, label texts and sizes.
#include <cmath>

#include "PlotAxes.h"
#include "PlotAxisPanel.h"
#include "PlotProcs.h"
#include "cl_datetime.h"
#include "cl_number.h"

namespace {

// Most values a label sequence steps through, against values that stop changing.
constexpr int kMaxLabelSteps = 100000;
constexpr int kMaxEventLabels = 2000;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Increments

double TChartAxis::CalcIncrement() {
    const int size = horizontal_ ? Max(LabelWidth(ScaleMaximum), LabelWidth(ScaleMinimum))
                                 : Max(LabelHeight(ScaleMaximum), LabelHeight(ScaleMinimum));
    double increment = CalcXYIncrement(size);
    if (labelsAlternate_) increment = logarithmic_ ? increment / logarithmicBase_ : increment * 0.5;
    return increment;
}

double TChartAxis::CalcXYIncrement(int labelSize) {
    int maxLabels = 1;
    if (labelSize > 0) {
        if (labelsSeparation_ > 0) labelSize += PlotRound(labelsSeparation_ * 0.01 * labelSize);
        maxLabels = PlotRound(static_cast<double>(AxisPixels) / labelSize);
    }
    return CalcLabelsIncrement(maxLabels);
}

bool TChartAxis::AnySeriesWithinLabels(int maxLabels) {
    for (int i = 0; i < parentChart_->SeriesCount(); ++i) {
        TChartSeries* series = parentChart_->GetSeries(i);
        if (series->Active() && series->AssociatedToAxis(this) &&
            series->YIsMandatory == horizontal_ && series->Count() <= maxLabels)
            return true;
    }
    return false;
}

double TChartAxis::CalcLabelsIncrement(int maxLabels) {
    if (maxLabels < 1) return IsDateTimeScale ? DateTimeStep[dtOneMicroSecond] : MinAxisIncrement;
    if (IsDateTimeScale) return CalcDateTimeIncrement(maxLabels);
    int count = maxLabels + 1;
    double increment;
    if (increment_ > 0) {
        increment = increment_;
    } else if (ScaleRange == 0) {
        increment = 1;
    } else {
        increment = std::fabs(ScaleRange) / count;
        if (logarithmic_) increment = RoundLogPower(increment);
        if (ScaleRange >= 1 && increment < 1 && AnySeriesWithinLabels(maxLabels)) increment = 1;
    }
    auto grow = [this](double value) {
        return logarithmic_ ? value * logarithmicBase_ : NextIncrementStep(value);
    };
    if (labelsSeparation_ > 0) {
        do {
            const double quotient = ScaleRange / increment;
            if (std::fabs(quotient) < 2147483647.0) {
                count = PlotRound(quotient);
                if (count > maxLabels) increment = grow(increment);
            } else {
                increment = grow(increment);
            }
        } while (count > maxLabels && increment <= ScaleRange && !std::isinf(increment));
    }
    if (std::isinf(increment)) return ScaleRange;
    return Max(MinAxisIncrement, increment);
}

double TChartAxis::NextIncrementStep(double value) {
    if (!(value > 0) || std::isinf(value)) return value;
    if (value >= 10) return NextIncrementStep(value * 0.1) * 10;
    if (value < 1) return NextIncrementStep(value * 10) * 0.1;
    if (value < 2) return 2;
    if (value < 5) return 5;
    return 10;
}

double TChartAxis::CalcDateTimeIncrement(int maxLabels) {
    const double smallest = DateTimeStep[dtOneMicroSecond];
    double increment = Max(smallest, increment_);
    if (increment > 0 && maxLabels > 0) {
        if (ScaleRange / increment > 1000000) increment = ScaleRange / 1000000;
        while (maxLabels < PlotRound(ScaleRange / increment)) {
            if (increment >= 365)
                increment *= 2;
            else if (increment >= DateTimeStep[dtOneSecond])
                increment = NextDateTimeStep(increment);
            else
                increment = NextIncrementStep(increment);
        }
    }
    return Max(smallest, increment);
}

double TChartAxis::RoundLogPower(double value) {
    return std::pow(logarithmicBase_, PlotRound(std::log(value) / std::log(logarithmicBase_)));
}

void TChartAxis::IncDecDateTime(bool increment, double& value, double stepLength,
                                TDateTimeStep step) {
    PlotDateTimeIncrement(exactDateTime_ && IsDateTimeScale && step >= dtHalfMonth, increment,
                          value, stepLength, step);
}

// ---------------------------------------------------------------------------------------------
// Style

bool TChartAxis::IsDateTime() {
    for (int i = 0; i < parentChart_->SeriesCount(); ++i) {
        TChartSeries* series = parentChart_->GetSeries(i);
        if (!series->Active()) continue;
        if (TChartValueList* list = series->ValueListOfAxis(this)) return list->DateTime();
    }
    return false;
}

TAxisLabelStyle TChartAxis::CalcLabelStyle() {
    return labelStyle_ == talAuto ? InternalCalcLabelStyle() : labelStyle_;
}

TAxisLabelStyle TChartAxis::InternalCalcLabelStyle() {
    TAxisLabelStyle result = talNone;
    for (int i = 0; i < parentChart_->SeriesCount(); ++i) {
        TChartSeries* series = parentChart_->GetSeries(i);
        if (!series->Active() || !series->AssociatedToAxis(this)) continue;
        result = talValue;
        if (!series->OwnZValues && series->YIsMandatory == horizontal_ &&
            series->LabelList.Count() > 0 && !series->LabelList.GetLabel(0).IsEmpty())
            return talText;
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// Texts and sizes

AnsiString TChartAxis::LabelValue(double value) {
    AnsiString text;
    if (IsDateTimeScale) {
        if (value >= 0) {
            const AnsiString format =
                dateTimeFormat_.IsEmpty() ? DateTimeDefaultFormat(ScaleRange) : dateTimeFormat_;
            DateTimeToString(text, format, value);
        }
    } else {
        text = FormatFloat(axisValuesFormat_, value);
    }
    if (parentChart_->OnGetAxisLabel) parentChart_->OnGetAxisLabel(this, nullptr, -1, text);
    if (labelsMultiLine_) text = ReplaceChar(text, ' ', PlotLineSeparator);
    return text;
}

int TChartAxis::InternalLabelSize(double value, bool isWidth) {
    int lines = 0;
    const int width = parentChart_->MultiLineTextWidth(LabelValue(value), lines);
    const bool upright = labelsAngle_ == 90 || labelsAngle_ == 270;
    const bool flat = labelsAngle_ == 0 || labelsAngle_ == 180;
    if (isWidth ? upright : flat) return parentChart_->InternalCanvas->FontHeight() * lines;
    return width;
}

int TChartAxis::MaxLabelsWidth() {
    TPlotCanvas3D* canvas = parentChart_->InternalCanvas;
    if (HasCustomLabels()) {
        int widest = 0;
        for (int i = 0; i < LabelItems->Count(); ++i) {
            TAxisItem* item = LabelItems->Get(i);
            canvas->AssignFont(item->Font());
            widest = Max(widest, canvas->TextWidth(item->Text()));
        }
        return widest;
    }
    switch (CalcLabelStyle()) {
        case talValue: {
            double low = ScaleMinimum, high = ScaleMaximum;
            if ((IsDateTimeScale && exactDateTime_) || roundFirstLabel_) {
                const double increment = CalcIncrement();
                if (increment != 0) {
                    low = std::trunc(low / increment) * increment;
                    high = std::trunc(high / increment) * increment;
                }
            }
            struct KeepEvent {
                TAxisOnGetLabel& event;
                TAxisOnGetLabel saved;
                ~KeepEvent() { event = saved; }
            } keep{parentChart_->OnGetAxisLabel, parentChart_->OnGetAxisLabel};
            parentChart_->OnGetAxisLabel = nullptr;
            int lines = 0;
            const int width = Max(parentChart_->MultiLineTextWidth(LabelValue(low), lines),
                                  parentChart_->MultiLineTextWidth(LabelValue(high), lines));
            return width + canvas->TextWidth(" ");
        }
        case talMark:
            return parentChart_->MaxMarkWidth();
        case talText:
            return parentChart_->MaxTextWidth();
        default:
            return 0;
    }
}

// ---------------------------------------------------------------------------------------------
// Label sequences

bool TChartAxis::HasCustomLabels() const { return LabelItems->Count() > 0; }

void TChartAxis::EmitLabel(double value) {
    const int pixel = CalcPosValue(value);
    if (!labelsOnAxis_ && !(pixel > StartPixel && pixel < EndPixel)) return;
    if (!tickOnLabelsOnly_) TickPixels.push_back(pixel);
    if (Labels()) PlaceLabel(pixel, LabelValue(value), nullptr);
}

void TChartAxis::DrawAxisLabels() {
    const TAxisLabelStyle style = CalcLabelStyle();
    if (style == talNone) return;
    parentChart_->InternalCanvas->AssignFont(LabelsFont());
    const double increment = CalcIncrement();
    TDateTimeStep step = dtNone;
    if (IsDateTimeScale && exactDateTime_ && increment_ != 0) {
        step = FindDateTimeStep(increment_);
        if (step != dtNone)
            while (increment > DateTimeStep[step] && step != dtOneYear)
                step = static_cast<TDateTimeStep>(step + 1);
    }
    const bool calendarStep = step >= dtHalfMonth && step <= dtOneYear;
    if (!(increment > 0 || calendarStep) || ScaleMaximum < ScaleMinimum) return;
    if (style == talValue) {
        if (parentChart_->OnGetNextAxisLabel)
            EventLabels(increment, step);
        else if (!logarithmic_ || increment_ != 0)
            LinearLabels(increment, step);
        else
            LogarithmicLabels();
    } else if (IsDepthAxis && style == talText) {
        DrawDepthTextLabels();
    } else {
        DrawSeriesLabels(style);
    }
}

void TChartAxis::LinearLabels(double increment, TDateTimeStep step) {
    if (std::fabs(ScaleRange / increment) >= 10000) return;
    double value;
    if (IsDateTimeScale && exactDateTime_ && step >= dtOneDay && step <= dtOneYear)
        value = PlotRoundDate(ScaleMaximum, step);
    else if (FloatToStr(ScaleMinimum) != FloatToStr(ScaleMaximum) && roundFirstLabel_)
        value = std::trunc(ScaleMaximum / increment) * increment;
    else
        value = ScaleMaximum;
    auto stepDown = [&]() {
        const double before = value;
        IncDecDateTime(false, value, increment, step);
        return value < before;
    };
    for (int i = 0; value > ScaleMaximum && i < kMaxLabelSteps; ++i)
        if (!stepDown()) return;
    if (RangeIsZero || std::fabs(ScaleMaximum - ScaleMinimum) < 1e-10 ||
        FloatToStr(value) == FloatToStr(value - increment)) {
        EmitLabel(value);
        return;
    }
    const double limit = ScaleMinimum >= 0
                             ? (ScaleMinimum - MinAxisIncrement) / (1 + MinAxisIncrement)
                             : ScaleMinimum;
    for (int i = 0; value >= limit && i < kMaxLabelSteps; ++i) {
        EmitLabel(value);
        if (!stepDown()) return;
    }
}

void TChartAxis::LogarithmicLabels() {
    if (ScaleMinimum == ScaleMaximum) return;
    double first;
    if (ScaleMinimum > 0) {
        first = RoundLogPower(ScaleMinimum);
    } else {
        ScaleMinimum = ScaleMinimum == 0 ? 0.1 : RoundLogPower(MinAxisRange);
        first = ScaleMinimum;
    }
    const bool minorGrid = minorGrid_->Visible();
    if (minorGrid) {
        const double below = first >= ScaleMinimum ? ScaleMinimum / logarithmicBase_ : first;
        if (below < ScaleMinimum) TickPixels.push_back(CalcPosValue(below));
    }
    if (logarithmicBase_ > 1) {
        bool emitted = false;
        for (double v = first; v <= ScaleMaximum; v *= logarithmicBase_)
            if (v >= ScaleMinimum) {
                EmitLabel(v);
                emitted = true;
            }
        if (!emitted) {
            const double step = first / logarithmicBase_;
            int i = 0;
            for (double v = first; v <= ScaleMaximum && i < kMaxLabelSteps; v += step, ++i)
                if (v >= ScaleMinimum) EmitLabel(v);
        }
    }
    if (minorGrid && first > ScaleMaximum) TickPixels.push_back(CalcPosValue(first));
}

void TChartAxis::EventLabels(double increment, TDateTimeStep step) {
    double value = ScaleMinimum;
    bool stop = true;
    for (int index = 0; index <= kMaxEventLabels; ++index) {
        parentChart_->OnGetNextAxisLabel(this, index, value, stop);
        if (stop) {
            if (index > 0) return;
            if (!logarithmic_ || increment_ != 0)
                LinearLabels(increment, step);
            else
                LogarithmicLabels();
            return;
        }
        if (value < ScaleMinimum - 1e-7 || value > ScaleMaximum + 1e-7) return;
        EmitLabel(value);
    }
}
