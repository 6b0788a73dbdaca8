// Area series.
#include "AreaSeries.h"

#include "PlotAxisPanel.h"
#include "PlotMarks.h"
#include "Plotconst.h"

using namespace Plotconst;

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

void TAreaSeries::CreateSubGallery(const TChartSubGalleryProc& addSubChart) const {
    TCustomSeries::CreateSubGallery(addSubChart);
    for (const AnsiString* name : {&PlotMsg_Stairs, &PlotMsg_Marks, &PlotMsg_Colors,
                                   &PlotMsg_Hollow, &PlotMsg_NoLines, &PlotMsg_Stack,
                                   &PlotMsg_Stack100, &PlotMsg_Points, &PlotMsg_Gradient})
        addSubChart(*name);
}

void TAreaSeries::SetSubGallery(int index) {
    switch (index) {
        case 1: SetStairs(true); break;
        case 2: Marks()->SetVisible(true); break;
        case 3: SetColorEachPoint(true); break;
        case 4: SetAreaBrush(bsClear); break;
        case 5: AreaLinesPen()->SetVisible(false); break;
        case 6: SetMultiArea(maStacked); break;
        case 7: SetMultiArea(maStacked100); break;
        case 8: Pointer()->SetVisible(true); break;
        case 9: Gradient()->SetVisible(true); break;
        default: TCustomSeries::SetSubGallery(index);
    }
}

void TAreaSeries::PrepareForGallery(bool enabled) {
    TCustomSeries::PrepareForGallery(enabled);
    Gradient()->SetVisible(true);
    Gradient()->SetEndColor(GetSeriesColor());
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

namespace {

// The area series' published properties, for the component streams.
const bool areaSeriesPropertiesRegistered = [] {
    using A = TAreaSeries;
    const TMetaClass* area = A::StaticClass();
    PublishSeriesSettings(area, {"AreaBrush", "AreaChartBrush", "AreaColor", "AreaLinesPen",
                                 "ClickableLine", "ColorEachLine", "Dark3D", "DrawArea",
                                 "Gradient", "InvertedStairs", "LinePen", "Pointer", "Stairs",
                                 "Transparency"});
    RegisterProperty(area, EnumProperty<A>("MultiArea", &A::MultiArea, &A::SetMultiArea,
                                           {"maNone", "maStacked", "maStacked100"}, maNone));
    RegisterProperty(area, OrdinalProperty<A>("UseYOrigin", pkBool, &A::UseYOrigin,
                                              &A::SetUseOrigin, 0));
    RegisterProperty(area, FloatProperty<A>("YOrigin", &A::YOrigin, &A::SetOrigin));
    return true;
}();

}  // namespace
