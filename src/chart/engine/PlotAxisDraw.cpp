// Axis layout in the chart rectangle and drawing: line, ticks, grids, labels, title, hit test.
#include <algorithm>
#include <cmath>

#include "PlotAxes.h"
#include "PlotAxisPanel.h"

namespace {

// Flat grid lines and ticks of a thin pen go straight into a DIB's pixels while this lives.
class DirectLines {
public:
    DirectLines(TPlotCanvas3D* canvas, bool flat) : canvas_(flat ? canvas : nullptr) {
        if (canvas_) canvas_->BeginDirectLines();
    }
    ~DirectLines() {
        if (canvas_) canvas_->EndDirectLines();
    }
    DirectLines(const DirectLines&) = delete;
    DirectLines& operator=(const DirectLines&) = delete;

private:
    TPlotCanvas3D* canvas_;
};

// The label alignment by direction and side.
int LabelAlignment(bool horizontal, bool otherSide) {
    if (horizontal) return otherSide ? kTextAlignCenter + kTextAlignBottom : kTextAlignCenter;
    return otherSide ? kTextAlignLeft : kTextAlignRight;
}

// Lines of a label: separators, plus one when text follows the last one.
int CountLines(const AnsiString& text) {
    int lines = 0;
    for (int i = 1; i <= text.Length(); ++i)
        if (text[i] == PlotLineSeparator) ++lines;
    if (!text.IsEmpty() && text[text.Length()] != PlotLineSeparator) ++lines;
    return lines;
}

// Cuts the first line (and its separator) off the text.
AnsiString TakeLine(AnsiString& text) {
    const int separator = text.Pos(AnsiString(PlotLineSeparator));
    if (separator == 0) {
        AnsiString line = text;
        text = AnsiString();
        return line;
    }
    AnsiString line = text.SubString(1, separator - 1);
    text.Delete(1, separator);
    return line;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Layout

// +1 when outward is down or right (bottom and right axes), -1 when up or left.
int TChartAxis::OutwardSign() const { return horizontal_ != otherSide_ ? 1 : -1; }

int TChartAxis::GetRectangleEdge(const TRect& rect) {
    if (horizontal_) return otherSide_ ? rect.Top : rect.Bottom;
    return otherSide_ ? rect.Right : rect.Left;
}

int TChartAxis::ApplyPosition(int position, const TRect& rect) {
    if (positionPercent_ == 0) return position;
    int offset =
        positionUnits_ == muPixels
            ? PlotRound(positionPercent_)
            : PlotRound(positionPercent_ * 0.01 * (horizontal_ ? rect.Height() : rect.Width()));
    if (otherSide_) offset = -offset;
    return horizontal_ ? position - offset : position + offset;
}

int TChartAxis::SizeTickAxis() {
    int size = 0;
    if (axisPen_->Visible()) size += axisPen_->Width() + 1;
    if (ticks_->Visible()) size += tickLength_;
    if (minorTicks_->Visible()) size = Max(size, minorTickLength_);
    return size;
}

int TChartAxis::SizeLabels() {
    const int size = InternalCalcSize(LabelsFont(), labelsAngle_, labelsSize_, AnsiString());
    return labelsAlternate_ ? size * 2 : size;
}

int TChartAxis::InternalCalcSize(TPlotFont* font, int angle, int fixedSize,
                                 const AnsiString& text) {
    if (fixedSize != 0) return fixedSize;
    TPlotCanvas3D* canvas = parentChart_->InternalCanvas;
    canvas->AssignFont(font);
    const bool alongAxis =
        horizontal_ ? (angle == 0 || angle == 180) : (angle == 90 || angle == 270);
    if (alongAxis) return canvas->FontHeight();
    return text.IsEmpty() ? MaxLabelsWidth() : canvas->TextWidth(text);
}

void TChartAxis::CalcRect(TRect& rect, bool shrink) {
    IsDateTimeScale = IsDateTime();
    const int sign = OutwardSign();
    if (!shrink) {
        AxisLinePos = ApplyPosition(GetRectangleEdge(rect), rect);
        LabelsPos = AxisLinePos + sign * SizeTickAxis();
        TitlePos = LabelsPos + sign * SizeLabels();
        return;
    }
    // Moves the rectangle's edge on the axis side inward.
    auto shrinkBy = [&](int amount) {
        if (horizontal_)
            (otherSide_ ? rect.Top : rect.Bottom) += amount * -sign;
        else
            (otherSide_ ? rect.Right : rect.Left) += amount * -sign;
    };
    if (IsDepthAxis) {
        TitlePos = otherSide_ ? rect.Right : rect.Left;
    } else if (title_->Visible() && !title_->Caption().IsEmpty()) {
        shrinkBy(InternalCalcSize(title_->Font(), title_->Angle(), titleSize_, title_->Caption()));
        TitlePos = GetRectangleEdge(rect);
    }
    if (Labels()) {
        shrinkBy(SizeLabels());
        LabelsPos = GetRectangleEdge(rect);
    }
    const int room = parentChart_->CalcWallSize(this) + SizeTickAxis();
    if (room > 0) shrinkBy(room);
    TitlePos = ApplyPosition(TitlePos, rect);
    LabelsPos = ApplyPosition(LabelsPos, rect);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TChartAxis::Draw(bool placeAxisLine) {
    IsDateTimeScale = IsDateTime();
    if (placeAxisLine)
        AxisLinePos =
            ApplyPosition(GetRectangleEdge(parentChart_->ChartRect), parentChart_->ChartRect);
    alternateToggle_ = horizontal_;
    if (title_->Visible() && !title_->Caption().IsEmpty()) {
        if (IsDepthAxis)
            DrawTitle(TitlePos, DepthAxisPos());
        else if (horizontal_)
            DrawTitle(CenterPixel, TitlePos);
        else
            DrawTitle(TitlePos, CenterPixel);
    }
    TickPixels.clear();
    if (HasCustomLabels())
        DrawCustomItems();
    else
        DrawAxisLabels();
    DrawTicksAndGrids();
}

void TChartAxis::DrawTitle(int x, int y) {
    TPlotCanvas3D* canvas = parentChart_->InternalCanvas;
    canvas->AssignFont(title_->Font());
    canvas->SetBackMode(cbmTransparent);
    if (IsDepthAxis) {
        canvas->SetTextAlign(DepthAxisAlign());
        canvas->TextOut3D(x, y, parentChart_->DepthWidth / 2, title_->Caption());
        canvas->SetTextAlign(kTextAlignLeft);
        return;
    }
    struct KeepExponent {
        bool& flag;
        bool saved;
        ~KeepExponent() { flag = saved; }
    } keep{labelsExponent_, labelsExponent_};
    labelsExponent_ = false;
    DrawAxisLabel(x, y, title_->Angle(), title_->Caption());
}

void TChartAxis::PlaceLabel(int pixel, const AnsiString& text, TPlotCustomShape* shape) {
    if (tickOnLabelsOnly_) TickPixels.push_back(pixel);
    TPlotCanvas3D* canvas = parentChart_->InternalCanvas;
    canvas->AssignFont(shape ? shape->Font() : LabelsFont());
    // A clear brush: the text goes on what lies below (the ticks of an axis drawn before leave
    // the background mode opaque).
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetBackMode(cbmTransparent);
    if (IsDepthAxis) {
        canvas->SetTextAlign(DepthAxisAlign());
        TView3DOptions* view = parentChart_->View3DOptions();
        if (view->Rotation() == 360 || view->Orthogonal()) pixel += canvas->FontHeight() / 2;
        const int x = otherSide_ ? LabelsPos : LabelsPos - canvas->TextWidth("W") / 2 - 2;
        canvas->TextOut3D(x, DepthAxisPos(), pixel, text);
        canvas->SetTextAlign(kTextAlignLeft);
        return;
    }
    int cross = LabelsPos;
    if (labelsAlternate_) {
        if (!alternateToggle_)
            cross += OutwardSign() * (horizontal_ ? canvas->FontHeight() : MaxLabelsWidth());
        alternateToggle_ = !alternateToggle_;
    }
    if (horizontal_)
        DrawAxisLabel(pixel, cross, labelsAngle_, text, shape);
    else
        DrawAxisLabel(cross, pixel, labelsAngle_, text, shape);
}

void TChartAxis::DrawAxisLabel(int x, int y, int angle, const AnsiString& label,
                               TPlotCustomShape* shape) {
    TPlotCanvas3D* canvas = parentChart_->InternalCanvas;
    const int halfHeight = canvas->FontHeight() / 2;
    int align = kTextAlignLeft;
    switch (angle) {
        case 0:
        case 360:
            if (horizontal_) {
                align = LabelAlignment(true, otherSide_);
            } else {
                if (labelsAlign_ == alDefault) {
                    align = LabelAlignment(false, otherSide_);
                } else if (otherSide_) {
                    align = kTextAlignRight;
                    x += SizeLabels();
                } else {
                    align = kTextAlignLeft;
                    x -= SizeLabels();
                }
                y -= halfHeight;
            }
            break;
        case 45:
            if (horizontal_ && otherSide_) {
                const int w = canvas->TextWidth("Wj");
                x -= w;
                y -= w;
            } else if (horizontal_) {
                const int s = PlotRound(canvas->TextWidth(label) * std::sin(45 * PlotPiStep));
                x -= s;
                y += s;
            }
            break;
        case 90:
            if (horizontal_) {
                align = LabelAlignment(false, otherSide_);
                x -= halfHeight;
            } else {
                align = LabelAlignment(true, !otherSide_);
            }
            break;
        case 180:
            align = LabelAlignment(horizontal_, !otherSide_);
            if (!horizontal_) y += halfHeight;
            break;
        case 270:
            if (horizontal_) {
                align = LabelAlignment(false, !otherSide_);
                x += halfHeight;
            } else {
                align = LabelAlignment(true, otherSide_);
            }
            break;
        default:
            break;
    }
    int z = DepthOffset;
    AnsiString text = label;
    int lines = CountLines(text);
    const int fontHeight = canvas->FontHeight();
    const int h = angle == 180 || angle == 270 ? -fontHeight : fontHeight;
    const int total = h * lines;
    const int centred = PlotRound(h * 0.5 * (lines + 1));
    if (horizontal_) {
        if (angle == 0)
            y -= otherSide_ ? total : h;
        else if (angle == 180)
            y -= otherSide_ ? h : total;
        else if (angle == 90 || angle == 270)
            x -= centred;
    } else {
        if (angle == 0 || angle == 180)
            y -= centred;
        else if (angle == 90)
            x -= otherSide_ ? h : total;
        else if (angle == 270)
            x -= otherSide_ ? total : h;
    }
    if (!shape) shape = LabelItems->LabelFormat;
    if (!shape->Transparent()) {
        int count = 0;
        const int width = parentChart_->MultiLineTextWidth(text, count);
        TRect r(x, y + h, x + width, y + h + fontHeight * lines);
        if (align & kTextAlignBottom) r = {r.Left, r.Top - fontHeight * lines, r.Right, r.Top};
        const int horizontalAlign = align & kTextAlignCenter;
        if (horizontalAlign == kTextAlignCenter)
            r = {x - width / 2, r.Top, x - width / 2 + width, r.Bottom};
        else if (horizontalAlign == kTextAlignRight)
            r = {x - width, r.Top, x, r.Bottom};
        const int widen = canvas->TextWidth("W") / 2;
        r = {r.Left - widen, r.Top, r.Right + widen, r.Bottom};
        if (z != 0) r = canvas->CalcRect3D(r, z);
        shape->DrawRectRotated(r, labelsAngle_, z);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetStyle(bsClear);
    }
    canvas->SetTextAlign(align);
    if (OnDrawLabel) {
        const AnsiString before = text;
        bool drawLabel = true;
        OnDrawLabel(this, x, y, z, text, drawLabel);
        if (!drawLabel) {
            canvas->SetTextAlign(kTextAlignLeft);
            return;
        }
        if (text != before) lines = CountLines(text);
    }
    DrawLabelLines(x, y, z, angle, align, text);
    canvas->SetTextAlign(kTextAlignLeft);
}

void TChartAxis::DrawLabelLines(int x, int y, int z, int angle, int align, AnsiString text) {
    TPlotCanvas3D* canvas = parentChart_->InternalCanvas;
    const int fontHeight = canvas->FontHeight();
    const int h = angle == 180 || angle == 270 ? -fontHeight : fontHeight;
    for (int i = CountLines(text); i > 0; --i) {
        const AnsiString line = TakeLine(text);
        if (angle == 0) {
            y += h;
            if (labelsExponent_)
                DrawExponentLabel(x, y, z, align, line);
            else
                canvas->TextOut3D(x, y, z, line);
            continue;
        }
        if (angle == 180)
            y += h;
        else if (angle == 90 || angle == 270)
            x += h;
        canvas->RotateLabel3D(x, y, z, line, angle);
    }
}

void TChartAxis::DrawExponentLabel(int x, int y, int z, int align, const AnsiString& text) {
    TPlotCanvas3D* canvas = parentChart_->InternalCanvas;
    const int e = text.UpperCase().Pos("E");
    if (e == 0) {
        canvas->TextOut3D(x, y, z, text);
        return;
    }
    const AnsiString mantissa = text.SubString(1, e - 1);
    const AnsiString exponent = text.SubString(e + 1, text.Length());
    const int fontHeight = canvas->FontHeight();
    const int size = canvas->Font()->Size();
    const int raised = y - (fontHeight - 1) / 2 + 2;
    if (align != kTextAlignLeft) {
        canvas->Font()->SetSize(size - size / 4);
        canvas->TextOut3D(x, raised, z, exponent);
        const int exponentWidth = canvas->TextWidth(exponent);
        canvas->Font()->SetSize(size);
        canvas->TextOut3D(x - exponentWidth - 1, y, z, mantissa);
    } else {
        canvas->TextOut3D(x, y, z, mantissa);
        const int mantissaWidth = canvas->TextWidth(mantissa);
        canvas->Font()->SetSize(size - size / 4);
        canvas->TextOut3D(x + mantissaWidth + 1, raised, z, exponent);
    }
    canvas->Font()->SetSize(size);
}

int TChartAxis::DepthAxisAlign() { return otherSide_ ? kTextAlignLeft : kTextAlignRight; }

int TChartAxis::DepthAxisPos() {
    const TRect& r = parentChart_->ChartRect;
    return otherSide_ ? r.Bottom - CalcZPos() : r.Top + CalcZPos();
}

// ---------------------------------------------------------------------------------------------
// Ticks and grids

void TChartAxis::DrawTicksAndGrids() {
    TPlotCanvas3D* canvas = parentChart_->InternalCanvas;
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetBackMode(cbmTransparent);
    const int wall = parentChart_->CalcWallSize(this);
    if (axisPen_->Visible()) {
        canvas->AssignVisiblePen(axisPen_);
        DrawAxisLine(wall);
    }
    const bool flat = !IsDepthAxis && !parentChart_->View3D();
    if (ticks_->Visible()) {
        canvas->AssignVisiblePen(ticks_);
        DirectLines direct(canvas, flat);
        for (int pixel : TickPixels) DrawTick(pixel, 1, tickLength_, wall);
    }
    DrawGrids(static_cast<int>(TickPixels.size()));
    if (ticksInner_->Visible()) {
        canvas->AssignVisiblePen(ticksInner_);
        DirectLines direct(canvas, flat);
        for (int pixel : TickPixels) DrawTick(pixel, -1, -tickInnerLength_, wall);
    }
    if (minorTicks_->Visible()) {
        canvas->AssignVisiblePen(minorTicks_);
        DirectLines direct(canvas, flat);
        DrawMinorMarks(true);
    }
    if (minorGrid_->Visible()) {
        canvas->AssignVisiblePen(minorGrid_);
        DirectLines direct(canvas, flat);
        DrawMinorMarks(false);
    }
    canvas->SetBackMode(cbmOpaque);
}

void TChartAxis::DrawAxisLine(int wall) {
    TPlotCanvas3D* canvas = parentChart_->InternalCanvas;
    const TRect& r = parentChart_->ChartRect;
    if (IsDepthAxis) {
        const int y = otherSide_ ? r.Bottom + parentChart_->CalcWallSize(parentChart_->BottomAxis) -
                                       DepthOffset
                                 : r.Top - DepthOffset;
        canvas->ZLine3D(AxisLinePos, y, StartPixel, EndPixel);
    } else if (horizontal_ && otherSide_) {
        canvas->HorizLine3D(StartPixel, EndPixel, AxisLinePos, DepthOffset);
    } else if (horizontal_) {
        canvas->HorizLine3D(StartPixel - parentChart_->CalcWallSize(parentChart_->LeftAxis),
                            EndPixel + parentChart_->CalcWallSize(parentChart_->RightAxis),
                            AxisLinePos + wall, DepthOffset);
    } else {
        const int x = otherSide_ ? AxisLinePos + wall : AxisLinePos - wall;
        canvas->VertLine3D(x, StartPixel,
                           EndPixel + parentChart_->CalcWallSize(parentChart_->BottomAxis),
                           DepthOffset);
    }
}

void TChartAxis::DrawTick(int pixel, int offset, int length, int wall) {
    TPlotCanvas3D* canvas = parentChart_->InternalCanvas;
    const bool in3D = parentChart_->View3D();
    if (IsDepthAxis) {
        const int x0 = otherSide_ ? AxisLinePos + offset : AxisLinePos - offset;
        const int x1 = otherSide_ ? x0 + length : x0 - length;
        canvas->HorizLine3D(x0, x1, DepthAxisPos(), pixel);
        return;
    }
    if (horizontal_) {
        const int y0 = otherSide_ ? AxisLinePos - offset : AxisLinePos + offset + wall;
        const int y1 = otherSide_ ? y0 - length : y0 + length;
        if (in3D)
            canvas->VertLine3D(pixel, y0, y1, DepthOffset);
        else
            canvas->DoVertLine(pixel, y0, y1);
        return;
    }
    const int x0 = otherSide_ ? AxisLinePos + offset + wall : AxisLinePos - offset - wall;
    const int x1 = otherSide_ ? x0 + length : x0 - length;
    if (in3D)
        canvas->HorizLine3D(x0, x1, pixel, DepthOffset);
    else
        canvas->DoHorizLine(x0, x1, pixel);
}

void TChartAxis::DrawGrids(int tickCount) {
    if (GridsHook) GridsHook(this);
    if (!grid_->Visible()) return;
    TPlotCanvas3D* canvas = parentChart_->InternalCanvas;
    canvas->SetBackMode(cbmTransparent);
    canvas->AssignVisiblePenColor(grid_, grid_->Color() == clDefault ? clGray : grid_->Color());
    const int n = Min(tickCount, static_cast<int>(TickPixels.size()));
    DirectLines direct(canvas, !IsDepthAxis && !parentChart_->View3D());
    if (grid_->Centered()) {
        for (int i = 1; i < n; ++i)
            DrawGridLine(PlotRound((TickPixels[i] + TickPixels[i - 1]) * 0.5));
    } else {
        for (int i = 0; i < n; ++i) DrawGridLine(TickPixels[i]);
    }
}

void TChartAxis::DrawGridLine(int pixel) {
    if (!(pixel > StartPixel && pixel < EndPixel)) return;
    TPlotCanvas3D* canvas = parentChart_->InternalCanvas;
    const TRect& r = parentChart_->ChartRect;
    if (IsDepthAxis) {
        canvas->VertLine3D(r.Left, r.Top, r.Bottom, pixel);
        canvas->HorizLine3D(r.Left, r.Right, r.Bottom, pixel);
        return;
    }
    if (parentChart_->View3D()) {
        const int depth = parentChart_->DepthWidth;
        auto backPart = [&](int z) {
            if (horizontal_)
                canvas->VertLine3D(pixel, r.Top, r.Bottom, z);
            else
                canvas->HorizLine3D(r.Left, r.Right, pixel, z);
        };
        if (!parentChart_->AxisBehind()) {
            backPart(0);
            return;
        }
        if (!SkipBackGrid) backPart(depth);
        if (!SkipSideGrid) {
            const int z = PlotRound(depth * grid_->ZPosition() * 0.01);
            if (z != depth) {
                if (horizontal_)
                    canvas->ZLine3D(pixel, AxisLinePos, z, depth);
                else
                    canvas->ZLine3D(AxisLinePos, pixel, z, depth);
            }
        }
        return;
    }
    if (horizontal_)
        canvas->DoVertLine(pixel, r.Top + 1, r.Bottom);
    else
        canvas->DoHorizLine(r.Left + 1, r.Right, pixel);
}

void TChartAxis::DrawMinorMarks(bool ticks) {
    const int wall = parentChart_->CalcWallSize(this);
    auto use = [&](int q) {
        if (!(q > StartPixel && q < EndPixel)) return;
        if (ticks)
            DrawTick(q, 1, minorTickLength_, wall);
        else
            DrawGridLine(q);
    };
    const int n = static_cast<int>(TickPixels.size());
    const int parts = minorTickCount_ + 1;
    if (!logarithmic_) {
        if (n < 2) return;
        double d = (TickPixels[1] - TickPixels[0]) / static_cast<double>(parts);
        for (int i = 1; i <= minorTickCount_; ++i) {
            use(TickPixels[0] - PlotRound(i * d));
            use(TickPixels[n - 1] + PlotRound(i * d));
        }
        for (int i = 1; i < n; ++i) {
            d = (TickPixels[i] - TickPixels[i - 1]) / static_cast<double>(parts);
            for (int j = 1; j <= minorTickCount_; ++j) use(TickPixels[i] - PlotRound(d * j));
        }
        return;
    }
    if (n == 0) return;
    std::vector<double> done;
    auto minorsOf = [&](double v) {
        for (double seen : done)
            if (std::fabs(seen - v) <= 1e-9 * std::fabs(v)) return;
        done.push_back(v);
        for (int j = 1; j <= minorTickCount_; ++j) {
            const double q = v + j * (v * logarithmicBase_ - v) / parts;
            if (q > ScaleMaximum || q < ScaleMinimum) continue;
            use(CalcPosValue(q));
        }
    };
    const double last = CalcPosPoint(TickPixels[n - 1]);
    minorsOf(last / logarithmicBase_);
    for (int pixel : TickPixels) minorsOf(CalcPosPoint(pixel));
    minorsOf(last * logarithmicBase_);
}

// ---------------------------------------------------------------------------------------------
// Labels that do not come from values

void TChartAxis::DrawSeriesLabels(TAxisLabelStyle style) {
    LabelSeries.clear();
    int first = -1, last = -1;
    for (int i = 0; i < parentChart_->SeriesCount(); ++i) {
        TChartSeries* series = parentChart_->GetSeries(i);
        if (!series->Active() || !series->AssociatedToAxis(this)) continue;
        LabelSeries.push_back(series);
        series->CalcFirstLastVisibleIndex();
        if (series->FirstValueIndex != -1 && (first == -1 || series->FirstValueIndex < first))
            first = series->FirstValueIndex;
        last = Max(last, series->LastValueIndex);
    }
    TPlotCanvas3D* canvas = parentChart_->InternalCanvas;
    bool anyDrawn = false;
    int previousPixel = 0, previousHalf = 0;
    for (int index = first; first != -1 && index <= last; ++index) {
        AnsiString text;
        double value = 0;
        for (TChartSeries* series : LabelSeries) {
            if (index < series->FirstValueIndex || index > series->LastValueIndex) continue;
            text = style == talMark ? series->GetMarkText(index) : series->GetXLabel(index);
            if (parentChart_->OnGetAxisLabel)
                parentChart_->OnGetAxisLabel(this, series, index, text);
            if (text.IsEmpty()) continue;
            value =
                horizontal_ ? series->XValues->GetValue(index) : series->YValues->GetValue(index);
            break;
        }
        if (text.IsEmpty() || value < ScaleMinimum || value > ScaleMaximum) continue;
        const int pixel = CalcPosValue(value);
        if (!tickOnLabelsOnly_) TickPixels.push_back(pixel);
        if (!Labels()) continue;
        canvas->AssignFont(LabelsFont());
        const bool upright = labelsAngle_ == 90 || labelsAngle_ == 270;
        int lines = 0;
        const int width = parentChart_->MultiLineTextWidth(text, lines);
        const int size = horizontal_ != upright ? width : canvas->FontHeight() * lines;
        int half = size / 2;
        if (labelsSeparation_ != 0 && anyDrawn) {
            half = (size + static_cast<int>(std::trunc(size * 0.02 * labelsSeparation_))) / 2;
            const bool fits = pixel < previousPixel ? previousPixel - previousHalf >= pixel + half
                                                    : pixel - half >= previousPixel + previousHalf;
            if (!fits) continue;
        }
        PlaceLabel(pixel, text, nullptr);
        previousPixel = pixel;
        previousHalf = half;
        anyDrawn = true;
    }
    LabelSeries.clear();
}

void TChartAxis::DrawDepthTextLabels() {
    if (parentChart_->CountActiveSeries() == 0) return;
    const int last = static_cast<int>(std::trunc(ScaleMaximum));
    for (int a = static_cast<int>(std::trunc(ScaleMinimum)); a <= last; ++a) {
        const int pixel = CalcYPosValue(ScaleMaximum - a - 0.5);
        if (!tickOnLabelsOnly_) TickPixels.push_back(pixel);
        AnsiString text = parentChart_->SeriesTitleLegend(a, true);
        if (parentChart_->OnGetAxisLabel) parentChart_->OnGetAxisLabel(this, nullptr, a, text);
        if (Labels()) PlaceLabel(pixel, text, nullptr);
    }
}

void TChartAxis::DrawCustomItems() {
    for (int i = 0; i < LabelItems->Count(); ++i) {
        TAxisItem* item = LabelItems->Get(i);
        const double value = item->Value();
        if (value < minimum_ || value > maximum_) continue;
        const int pixel = CalcPosValue(value);
        if (!tickOnLabelsOnly_) TickPixels.push_back(pixel);
        if (item->Visible())
            PlaceLabel(pixel, item->Text().IsEmpty() ? LabelValue(value) : item->Text(), item);
    }
}

// ---------------------------------------------------------------------------------------------
// Hit test and drawing at given positions

TRect TChartAxis::AxisRect() {
    const int a = Min(StartPixel, EndPixel), b = Max(StartPixel, EndPixel);
    int low, high;
    if (LabelsPos < AxisLinePos) {
        low = LabelsPos;
        high = AxisLinePos + PlotAxisClickGap;
    } else {
        low = AxisLinePos - PlotAxisClickGap;
        high = LabelsPos;
    }
    return horizontal_ ? TRect(a, low, b, high) : TRect(low, a, high, b);
}

bool TChartAxis::Clicked(int x, int y) {
    if (!parentChart_->IsAxisVisible(this)) return false;
    TRect r = AxisRect();
    if (parentChart_->View3D())
        r = parentChart_->InternalCanvas->CalcRect3D(r, otherSide_ ? parentChart_->DepthWidth : 0);
    return PointInRect(r, x, y);
}

void TChartAxis::CustomDraw(int labelsPos, int titlePos, int axisPos, bool gridVisible) {
    InternalCalcPositions();
    CustomDrawStartEnd(labelsPos, titlePos, axisPos, gridVisible, StartPixel, EndPixel);
}

void TChartAxis::CustomDrawStartEnd(int labelsPos, int titlePos, int axisPos, bool gridVisible,
                                    int startPixel, int endPixel) {
    LabelsPos = labelsPos;
    TitlePos = titlePos;
    AxisLinePos = axisPos;
    StartPixel = startPixel;
    EndPixel = endPixel;
    RecalcSizeCenter();
    struct KeepGrid {
        TAxisGridPen* grid;
        bool visible;
        TNotifyEvent onChange;
        ~KeepGrid() {
            grid->SetVisible(visible);
            grid->OnChange = onChange;
        }
    } keep{grid_, grid_->Visible(), grid_->OnChange};
    grid_->OnChange = nullptr;
    grid_->SetVisible(gridVisible);
    Draw(false);
}

void TChartAxis::CustomDrawMinMax(int labelsPos, int titlePos, int axisPos, bool gridVisible,
                                  double minimum, double maximum, double increment) {
    CustomDrawMinMaxStartEnd(labelsPos, titlePos, axisPos, gridVisible, minimum, maximum, increment,
                             StartPixel, EndPixel);
}

void TChartAxis::CustomDrawMinMaxStartEnd(int labelsPos, int titlePos, int axisPos,
                                          bool gridVisible, double minimum, double maximum,
                                          double increment, int startPixel, int endPixel) {
    struct KeepRange {
        TChartAxis* axis;
        double minimum, maximum, increment, scaleMinimum, scaleMaximum;
        bool automatic, automaticMinimum, automaticMaximum;
        ~KeepRange() {
            axis->minimum_ = minimum;
            axis->maximum_ = maximum;
            axis->increment_ = increment;
            axis->automatic_ = automatic;
            axis->automaticMinimum_ = automaticMinimum;
            axis->automaticMaximum_ = automaticMaximum;
            axis->ScaleMinimum = scaleMinimum;
            axis->ScaleMaximum = scaleMaximum;
            axis->InternalCalcRange();
        }
    } keep{this,         minimum_,   maximum_,          increment_,       ScaleMinimum,
           ScaleMaximum, automatic_, automaticMinimum_, automaticMaximum_};
    automatic_ = automaticMinimum_ = automaticMaximum_ = false;
    minimum_ = ScaleMinimum = minimum;
    maximum_ = ScaleMaximum = maximum;
    increment_ = increment;
    CustomDrawStartEnd(labelsPos, titlePos, axisPos, gridVisible, startPixel, endPixel);
}
