// What the drawing pipeline and the legend ask of a series: the loop over its visible points,
// mark layout and texts, legend texts, colours and symbols.
#include <cmath>

#include "PlotAxisPanel.h"
#include "PlotMarks.h"
#include "PlotProcs.h"
#include "Plotconst.h"
#include "cl_datetime.h"
#include "cl_number.h"

using namespace Plotconst;

// ---------------------------------------------------------------------------------------------
// Points

void TChartSeries::DrawAllValues() {
    if (DrawValuesForward()) {
        for (int i = FirstValueIndex; i <= LastValueIndex; ++i) DrawValue(i);
    } else {
        for (int i = LastValueIndex; i >= FirstValueIndex; --i) DrawValue(i);
    }
}

bool TChartSeries::DrawValuesForward() {
    if (!YIsMandatory) return !ActiveVertAxis->Inverted();
    const bool forward = !ActiveHorizAxis->Inverted();
    return ParentChart()->InvertedRotation ? !forward : forward;
}

bool TChartSeries::DrawSeriesForward(int) { return !ParentChart()->InvertedRotation; }

void TChartSeries::DoBeforeDrawValues() {
    if (BeforeDrawValues) BeforeDrawValues(this);
}

void TChartSeries::DoAfterDrawValues() {
    if (AfterDrawValues) AfterDrawValues(this);
}

// ---------------------------------------------------------------------------------------------
// Marks

void TChartSeries::DrawMarks() {
    TCustomAxisPanel* chart = ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    TSeriesMarkPosition position;
    for (int i = FirstValueIndex; i <= LastValueIndex; ++i) {
        if (i % marks_->DrawEvery() != 0 || IsNull(i)) continue;
        const AnsiString text = GetMarkText(i);
        if (text.IsEmpty()) continue;
        TPlotCustomShape* item = marks_->MarkItem(i);
        if (!item->Visible()) continue;
        canvas->AssignFont(item->Font());
        TView3DOptions* view = chart->View3DOptions();
        if (chart->View3D() && !canvas->GetSupports3DText() && view->ZoomText() &&
            view->Zoom() != 100)
            canvas->Font()->SetSize(
                Max(1, PlotRound(canvas->Font()->Size() * view->Zoom() * 0.01)));
        int width, height;
        if (marks_->TextFormat() == ttfHtml && TPlotCanvas::HtmlTextExtent) {
            const TSize size = TPlotCanvas::HtmlTextExtent(canvas, text);
            width = size.cx;
            height = size.cy;
        } else {
            int lines = 0;
            width = chart->MultiLineTextWidth(text, lines);
            height = lines * canvas->FontHeight();
        }
        width += canvas->TextWidth("W");
        TSeriesMarksSymbol* symbol = marks_->SymbolIfAny();
        if (symbol && symbol->ShouldDraw()) width += canvas->FontHeight() - 4;
        TChartPen* frame = item->Pen();
        canvas->AssignVisiblePen(frame);
        if (frame->Visible()) {
            width += 2 * frame->Width();
            height += 2 * frame->Width();
        } else {
            ++width;
            ++height;
        }
        position.BoxWidth = width;
        position.BoxHeight = height;
        position.MarkPoint = {CalcXPos(i), CalcYPos(i)};
        position.DataPoint = position.MarkPoint;
        position.BoxOrigin = {position.MarkPoint.X - width / 2, position.MarkPoint.Y - height + 1};
        if (symbol) {
            const int left = position.BoxOrigin.X + 2, top = position.BoxOrigin.Y + 2;
            const int fontHeight = canvas->FontHeight();
            symbol->ShapeBounds = {left, top, left + fontHeight, top + fontHeight};
        }
        DrawMark(i, text, &position);
    }
}

void TChartSeries::DrawMark(int valueIndex, const AnsiString& text, TSeriesMarkPosition* position) {
    marks_->InternalDraw(valueIndex, GetValueColor(valueIndex), text, *position);
}

AnsiString TChartSeries::MarkPercent(int index, bool addTotal) {
    const double total = MandatoryList->GetTotalABS();
    const double percent = total == 0 ? 100 : std::fabs(GetMarkValue(index)) * 100 / total;
    const AnsiString text = FormatFloat(percentFormat_, percent);
    if (!addTotal) return text;
    return Format(marks_->MultiLine() ? PlotMsg_DefaultPercentOf2 : PlotMsg_DefaultPercentOf, text,
                  FormatFloat(valueFormat_, total));
}

AnsiString TChartSeries::GetMarkText(int index) {
    const AnsiString separator = marks_->MultiLine() ? AnsiString(PlotLineSeparator) : " ";
    const AnsiString valueText = FormatFloat(valueFormat_, GetMarkValue(index));
    const AnsiString label = GetXLabel(index);
    const AnsiString labelOrValue = label.IsEmpty() ? valueText : label;
    auto xText = [&]() {
        const double x = NotMandatoryList->GetValue(index);
        return ActiveHorizAxis ? ActiveHorizAxis->LabelValue(x) : FormatFloat(valueFormat_, x);
    };
    AnsiString text;
    switch (marks_->Style()) {
        case smsValue:
            text = valueText;
            break;
        case smsPercent:
            text = MarkPercent(index, false);
            break;
        case smsLabel:
            text = labelOrValue;
            break;
        case smsLabelPercent:
            text = labelOrValue + separator + MarkPercent(index, false);
            break;
        case smsLabelValue:
            text = labelOrValue + separator + valueText;
            break;
        case smsLegend:
            if (ParentChart()) text = ParentChart()->FormattedValueLegend(this, index);
            if (!marks_->MultiLine()) text = ReplaceChar(text, PlotColumnSeparator, ' ');
            break;
        case smsPercentTotal:
            text = MarkPercent(index, true);
            break;
        case smsLabelPercentTotal:
            text = labelOrValue + separator + MarkPercent(index, true);
            break;
        case smsXValue:
            text = xText();
            break;
        case smsXY:
            text = xText() + separator + valueText;
            break;
    }
    if (OnGetMarkText) OnGetMarkText(this, index, text);
    return text;
}

int TChartSeries::MaxMarkWidth() {
    int widest = 0;
    for (int i = 0; i < Count(); ++i)
        if (marks_->MarkItem(i)->Visible()) widest = Max(widest, marks_->TextWidth(i));
    return widest;
}

// ---------------------------------------------------------------------------------------------
// Legend

AnsiString TChartSeries::LegendString(int legendIndex, TLegendTextStyle style) {
    const int index = LegendToValueIndex(legendIndex);
    const AnsiString label = GetXLabel(index);
    if (style == ltsPlain) return label;
    const double value = GetMarkValue(index);
    const AnsiString column(PlotColumnSeparator);
    auto valueText = [&]() {
        if (!MandatoryList->DateTime()) return FormatFloat(valueFormat_, value);
        AnsiString text;
        DateTimeToString(text, DateTimeDefaultFormat(value), value);
        return text;
    };
    auto percentText = [&]() {
        const double total = MandatoryList->GetTotalABS();
        return FormatFloat(percentFormat_, total == 0 ? 100 : value * 100 / total);
    };
    auto xText = [&]() {
        const double x = XValues->GetValue(index);
        return ActiveHorizAxis ? ActiveHorizAxis->LabelValue(x) : FormatFloat(valueFormat_, x);
    };
    const AnsiString labelBefore = label.IsEmpty() ? AnsiString() : label + column;
    const AnsiString labelAfter = label.IsEmpty() ? AnsiString() : column + label;
    switch (style) {
        case ltsLeftValue:
            return valueText() + labelAfter;
        case ltsRightValue:
            return labelBefore + valueText();
        case ltsLeftPercent:
            return percentText() + labelAfter;
        case ltsRightPercent:
            return labelBefore + percentText();
        case ltsXValue:
            return xText();
        case ltsValue:
            return valueText();
        case ltsPercent:
            return percentText();
        case ltsXAndValue:
            return xText() + column + valueText();
        case ltsXAndPercent:
            return xText() + column + percentText();
        default:
            return label;
    }
}

void TChartSeries::DrawLegend(int valueIndex, const TRect& rect) {
    if (valueIndex == -1 && colorEachPoint_) return;
    TCustomAxisPanel* chart = ParentChart();
    struct KeepRepaint {
        TCustomAxisPanel* chart;
        bool saved;
        ~KeepRepaint() { chart->RepaintEnabled = saved; }
    } keep{chart, chart->RepaintEnabled};
    chart->RepaintEnabled = false;
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const TColor color = valueIndex == -1 ? GetSeriesColor() : LegendItemColor(valueIndex);
    canvas->Brush()->SetColor(color);
    if (color == clNone) return;
    TColor backColor = chart->LegendBackColor;
    TBrushStyle brushStyle = Brush()->Style();
    canvas->AssignVisiblePen(Pen());
    PrepareLegendCanvas(valueIndex, backColor, brushStyle);
    if (chart->LegendSymbolPen) canvas->AssignVisiblePen(chart->LegendSymbolPen);
    if (backColor == clDefault) {
        backColor = chart->LegendBackColor;
        if (backColor == clDefault) backColor = chart->Color();
    }
    const TBrushStyle oldStyle = Brush()->Style();
    TPicture* image = Brush()->ImageIfAny();
    const bool noImage = !image || !image->Graphic() || image->Graphic()->Empty();
    const bool restyle = oldStyle != brushStyle && noImage;
    if (restyle) Brush()->SetStyle(brushStyle);
    chart->SetBrushCanvas(color, Brush(), backColor);
    DrawLegendShape(valueIndex, rect);
    if (restyle) Brush()->SetStyle(oldStyle);
}

void TChartSeries::DrawLegendShape(int, const TRect& rect) {
    TCustomAxisPanel* chart = ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    canvas->DoRectangle(rect);
    if (canvas->Brush()->Color() != chart->LegendBackColor) return;
    const TColor penColor = canvas->Pen()->Color();
    if (canvas->Brush()->Color() == clBlack) canvas->Pen()->SetColor(clWhite);
    canvas->Brush()->SetStyle(bsClear);
    canvas->DoRectangle(rect);
    canvas->Pen()->SetColor(penColor);
}

void TChartSeries::PrepareLegendCanvas(int, TColor&, TBrushStyle&) {}
