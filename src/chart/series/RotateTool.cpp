// Rotate tool.
#include "RotateTool.h"

#include <cmath>

#include "PlotAxisPanel.h"
#include "PlotView3D.h"
#include "Plotproco.h"

TRotateTool::TRotateTool(TComponent* owner) : TPlotCustomTool(owner) {
    Pen()->SetVisible(false);
    Pen()->SetColor(clWhite);
    Pen()->SetMode(pmXor);
}

void TRotateTool::BeforeDestruction() {
    EndDrag();
    TPlotCustomTool::BeforeDestruction();
}

void TRotateTool::SetActive(bool value) {
    if (!value) EndDrag();
    TPlotCustomTool::SetActive(value);
}

void TRotateTool::SetParentChart(TCustomAxisPanel* chart) {
    if (chart != ParentChart()) EndDrag();
    TPlotCustomTool::SetParentChart(chart);
}

AnsiString TRotateTool::Description() const { return Plotproco::PlotMsg_RotateTool; }

int TRotateTool::RotationChange(bool fullRotation, int value, int change) {
    if (change == 0) return value;
    int result = value + change;
    if (change > 0) {
        if (result > 360) result -= 360;
    } else if (fullRotation) {
        result = Max(0, result);
    } else if (result < 0) {
        result += 360;
    }
    return result;
}

int TRotateTool::ElevationChange(bool fullRotation, int value, int change) {
    if (change == 0) return value;
    const int result = value + change;
    if (change > 0) return Min(360, result);
    return Max(fullRotation ? 0 : 270, result);
}

void TRotateTool::ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift,
                                  int x, int y) {
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    static const TShiftStateItem held[] = {ssLeft, ssRight, ssMiddle};
    switch (event) {
        case cmeDown:
            if (button != button_) return;
            EndDrag();
            dragging_ = true;
            firstStep_ = true;
            last_ = TPoint(x, y);
            chart->MouseHandled = true;
            break;
        case cmeMove:
            if (!dragging_) return;
            // A release the chart never heard of (the capture was taken away) ends the drag.
            if (!shift.count(held[button_])) {
                EndDrag();
                return;
            }
            Rotate(x, y);
            break;
        case cmeUp:
            if (dragging_) EndDrag();
            break;
    }
}

void TRotateTool::Rotate(int x, int y) {
    TCustomAxisPanel* chart = ParentChart();
    // A chart of no size turns by nothing.
    const int width = chart->ChartRectWidth, height = chart->ChartRectHeight;
    int rotation = width > 0 ? static_cast<int>(std::lround((x - last_.X) * 90.0 / width)) : 0;
    int elevation =
        height > 0 ? static_cast<int>(std::lround((last_.Y - y) * 90.0 / height)) : 0;
    if (inverted_) {
        rotation = -rotation;
        elevation = -elevation;
    }
    const bool wireFrame = Pen()->Visible();
    if (wireFrame) {
        if (firstStep_) {
            frozenChart_ = chart;
            savedRepaint_ = chart->RepaintEnabled;
            chart->RepaintEnabled = false;
        } else {
            DrawWireFrame();
        }
    }
    firstStep_ = false;
    chart->SetView3D(true);
    TView3DOptions* view = chart->View3DOptions();
    view->SetOrthogonal(false);
    if (style_ != rsElevation) view->SetRotation(RotationChange(false, view->Rotation(), rotation));
    if (style_ != rsRotation)
        view->SetElevation(ElevationChange(false, view->Elevation(), elevation));
    last_ = TPoint(x, y);
    chart->MouseHandled = true;
    if (wireFrame) DrawWireFrame();
    if (OnRotate) OnRotate(this);
}

void TRotateTool::DrawWireFrame() {
    TCustomAxisPanel* chart = ParentChart();
    const TRect& r = chart->ChartRect;
    if (r.Width() <= 0 || r.Height() <= 0) return;
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    canvas->Is3DActive = true;
    canvas->OrthoActive = false;
    canvas->CalcTrigValues();
    canvas->Projection(chart->DepthWidth, chart->DrawBounds, r);
    canvas->Brush()->SetStyle(bsClear);
    canvas->AssignVisiblePen(Pen());
    const int depth = chart->DepthWidth;
    canvas->RectangleWithZ(r, 0);
    canvas->RectangleWithZ(r, depth);
    for (const TPoint& corner : {r.TopLeft(), TPoint(r.Right, r.Top), r.BottomRight(),
                                 TPoint(r.Left, r.Bottom)}) {
        canvas->MoveTo3D(corner.X, corner.Y, 0);
        canvas->LineTo3D(corner.X, corner.Y, depth);
    }
}

void TRotateTool::EndDrag() {
    dragging_ = false;
    if (!frozenChart_) return;
    TCustomAxisPanel* chart = frozenChart_;
    frozenChart_ = nullptr;
    // A chart being freed keeps its repaint switched off.
    if (chart->InState(csDestroying)) return;
    chart->RepaintEnabled = savedRepaint_;
    chart->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool rotatePropertiesRegistered = [] {
    using T = TRotateTool;
    const TMetaClass* tool = T::StaticClass();
    RegisterProperty(tool, EnumProperty<T>("Button", &T::Button, &T::SetButton,
                                           {"mbLeft", "mbRight", "mbMiddle"}, mbLeft));
    RegisterProperty(tool, OrdinalProperty<T>("Inverted", pkBool, &T::Inverted, &T::SetInverted,
                                              0));
    RegisterProperty(tool, SubObjectProperty<T>("Pen", &T::Pen));
    RegisterProperty(tool, EnumProperty<T>("Style", &T::Style, &T::SetStyle,
                                           {"rsAll", "rsRotation", "rsElevation"}, rsAll));
    return true;
}();

}  // namespace
