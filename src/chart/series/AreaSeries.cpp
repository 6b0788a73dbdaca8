// Area series.
#include "AreaSeries.h"

#include "PlotAxisPanel.h"
#include "PlotMarks.h"

TAreaSeries::TAreaSeries(TComponent* owner) : TCustomSeries(owner) {
    SetDrawArea(true);
    SinglePointResult = false;
    Pointer()->SetVisible(false);
}

void TAreaSeries::Assign(TPersistent* source) {
    TCustomSeries::Assign(source);
    SetDrawArea(true);
    SetDrawLine(true);
    if (auto* other = dynamic_cast<TAreaSeries*>(source)) {
        useYOrigin_ = other->useYOrigin_;
        yOrigin_ = other->yOrigin_;
    } else {
        Pointer()->SetVisible(false);
    }
}

TMultiArea TAreaSeries::MultiArea() const {
    switch (Stacked()) {
        case cssStack:
            return maStacked;
        case cssStack100:
            return maStacked100;
        default:
            return maNone;
    }
}

void TAreaSeries::SetMultiArea(TMultiArea value) {
    if (value == MultiArea()) return;
    SetStacked(value == maStacked ? cssStack : value == maStacked100 ? cssStack100 : cssNone);
}

int TAreaSeries::GetOriginPos(int index) {
    return useYOrigin_ ? CalcPosValue(yOrigin_) : TCustomSeries::GetOriginPos(index);
}

double TAreaSeries::MaxYValue() {
    const double value = TCustomSeries::MaxYValue();
    return useYOrigin_ && YIsMandatory ? Max(value, yOrigin_) : value;
}

double TAreaSeries::MinYValue() {
    const double value = TCustomSeries::MinYValue();
    return useYOrigin_ && YIsMandatory ? Min(value, yOrigin_) : value;
}

double TAreaSeries::MaxXValue() {
    const double value = TCustomSeries::MaxXValue();
    return useYOrigin_ && !YIsMandatory ? Max(value, yOrigin_) : value;
}

double TAreaSeries::MinXValue() {
    const double value = TCustomSeries::MinXValue();
    return useYOrigin_ && !YIsMandatory ? Min(value, yOrigin_) : value;
}

bool TAreaSeries::DrawSeriesForward(int valueIndex) {
    if (MultiArea() == maNone) return TCustomSeries::DrawSeriesForward(valueIndex);
    return !MandatoryAxis()->Inverted();
}

void TAreaSeries::PrepareLegendCanvas(int, TColor&, TBrushStyle& brushStyle) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    canvas->Brush()->SetColor(GetAreaBrushColor(canvas->Brush()->Color()));
    canvas->AssignVisiblePen(AreaLinesPen());
    brushStyle = AreaBrush();
}

void TAreaSeries::DrawLegendShape(int valueIndex, const TRect& rect) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    if (Gradient()->Visible()) {
        Gradient()->Draw(canvas, rect);
        return;
    }
    if (AreaChartBrush()->ImageBitmap()) {
        const TColor fore = AreaChartBrush()->Color() == clDefault ? LegendItemColor(valueIndex)
                                                                   : AreaChartBrush()->Color();
        TColor back = GetAreaBrushColor(canvas->Brush()->Color());
        if (back == fore) back = clWhite;
        canvas->AssignBrushColor(AreaChartBrush(), fore, back);
    }
    TCustomSeries::DrawLegendShape(valueIndex, rect);
}

THorizAreaSeries::THorizAreaSeries(TComponent* owner) : TAreaSeries(owner) {
    SetHorizontal();
    XValues->SetOrder(loNone);
    YValues->SetOrder(loAscending);
    Gradient()->SetDirection(gdRightLeft);
}

void THorizAreaSeries::DrawMark(int valueIndex, const AnsiString& text,
                                TSeriesMarkPosition* position) {
    TMarksCallout* callout = Marks()->GetCallout();
    const int length = callout->Length(), distance = callout->Distance();
    position->BoxOrigin.Y = position->MarkPoint.Y - position->BoxHeight / 2;
    position->BoxOrigin.X += length + distance + position->BoxWidth / 2;
    position->MarkPoint.X += length + distance;
    position->DataPoint.Y = position->MarkPoint.Y;
    position->DataPoint.X += distance;
    TCustomSeries::DrawMark(valueIndex, text, position);
}
