// Nearest-point tool.
#include "NearestTool.h"

#include <cmath>

#include "PlotAxis.h"
#include "PlotAxisPanel.h"
#include "Plotproco.h"

TNearestTool::TNearestTool(TComponent* owner)
    : TPlotCustomToolSeries(owner), linePen_(CreateChartPen()) {
    Brush()->Clear();
    Pen()->SetStyle(psDot);
    Pen()->SetColor(clWhite);
}

TNearestTool::~TNearestTool() { TObject::Free(linePen_); }

AnsiString TNearestTool::Description() const { return Plotproco::PlotMsg_NearestTool; }

void TNearestTool::SetStyle(TNearestToolStyle value) {
    if (style_ == value) return;
    style_ = value;
    Repaint();
}

TCustomAxisPanel* TNearestTool::Chart() const {
    return ParentChart() ? ParentChart() : Series() ? Series()->ParentChart() : nullptr;
}

int TNearestTool::GetNearestPoint(TChartSeries* series, int x, int y, bool includeNulls) {
    const int count = series ? series->Count() : 0;
    if (count == 0 || !series->ParentChart()) return -1;
    const int first = Max(0, series->FirstValueIndex);
    const int last = series->LastValueIndex < 0 || series->LastValueIndex >= count
                         ? count - 1
                         : series->LastValueIndex;
    const TRect& plot = series->ParentChart()->ChartRect;
    int nearest = -1, nearestDistance = 10000;
    for (int i = first; i <= last; ++i) {
        if (!includeNulls && series->IsNull(i)) continue;
        const int px = series->CalcXPos(i), py = series->CalcYPos(i);
        if (!PointInRect(plot, px, py)) continue;
        const int distance = static_cast<int>(std::lround(std::hypot(px - x, py - y)));
        if (distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    return nearest;
}

int TNearestTool::ZAxisCalc(double value) const {
    TCustomAxisPanel* chart = Chart();
    return chart ? chart->DepthAxis->CalcPosValue(value) : 0;
}

void TNearestTool::PaintHint() {
    TChartSeries* series = Series();
    if (!series || point_ < 0 || point_ >= series->Count() || !series->ParentChart()) return;
    TCustomAxisPanel* chart = series->ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const bool is3D = chart->View3D();
    const int x = series->CalcXPos(point_), y = series->CalcYPos(point_), z = series->StartZ;
    canvas->AssignVisiblePen(Pen());
    if (!fullRepaint_) canvas->Pen()->SetMode(pmNotXor);
    canvas->AssignBrush(Brush(), Brush()->Color());
    DrawShape(canvas, x, y, z, is3D);
    if (DrawLine()) {
        canvas->AssignVisiblePen(linePen_);
        if (!fullRepaint_) canvas->Pen()->SetMode(pmNotXor);
        canvas->MoveTo(mouse_.X, mouse_.Y);
        if (is3D)
            canvas->LineTo3D(x, y, z);
        else
            canvas->LineTo(x, y);
    }
    if (!fullRepaint_) canvas->Pen()->SetMode(pmCopy);
}

void TNearestTool::DrawShape(TPlotCanvas3D* canvas, int x, int y, int z, bool is3D) {
    const TRect box(x - size_, y - size_, x + size_, y + size_);
    switch (style_) {
        case hsCircle:
            if (is3D)
                canvas->EllipseWithZ(box.Left, box.Top, box.Right, box.Bottom, z);
            else
                canvas->Ellipse(box);
            break;
        case hsRectangle:
            if (is3D)
                canvas->RectangleWithZ(box, z);
            else
                canvas->Rectangle(box);
            break;
        case hsDiamond: {
            const TPoint points[4] = {{x, y - size_}, {x + size_, y}, {x, y + size_}, {x - size_, y}};
            canvas->PolygonWithZ(points, 4, z);
            break;
        }
        case hsNone:
            break;
    }
}

void TNearestTool::ChartMouseEvent(TChartMouseEvent event, TMouseButton, TShiftState, int x,
                                   int y) {
    if (event != cmeMove || !Series()) return;
    if (!fullRepaint_) PaintHint();
    point_ = GetNearestPoint(Series(), x, y);
    mouse_ = TPoint(x, y);
    if (!fullRepaint_) PaintHint();
    if (OnChange) OnChange(this);
    if (fullRepaint_ && Chart()) Chart()->Invalidate();
}

void TNearestTool::ChartEvent(TChartToolEvent event) {
    if (event == cteAfterDraw) {
        PaintHint();
    } else if (event == cteMouseLeave) {
        if (!fullRepaint_) PaintHint();
        point_ = -1;
        if (fullRepaint_ && Chart()) Chart()->Invalidate();
    }
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool nearestPropertiesRegistered = [] {
    using T = TNearestTool;
    const TMetaClass* tool = T::StaticClass();
    RegisterProperty(tool, SubObjectProperty<T>("Brush", &T::Brush));
    RegisterProperty(tool, OrdinalProperty<T>("DrawLine", pkBool, &T::DrawLine, &T::SetDrawLine,
                                              1));
    RegisterProperty(tool, OrdinalProperty<T>("FullRepaint", pkBool, &T::FullRepaint,
                                              &T::SetFullRepaint, 1));
    RegisterProperty(tool, SubObjectProperty<T>("LinePen", &T::LinePen));
    RegisterProperty(tool, SubObjectProperty<T>("Pen", &T::Pen));
    RegisterProperty(tool, ComponentProperty<T, TChartSeries>("Series", &T::Series,
                                                              &T::SetSeries));
    RegisterProperty(tool, OrdinalProperty<T>("Size", pkInteger, &T::Size, &T::SetSize, 20));
    RegisterProperty(tool, EnumProperty<T>("Style", &T::Style, &T::SetStyle,
                                           {"hsNone", "hsCircle", "hsRectangle", "hsDiamond"},
                                           hsCircle));
    return true;
}();

}  // namespace
