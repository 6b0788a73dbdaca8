// Drag-marks tool.
#include "DragMarksTool.h"

#include "PlotAxisPanel.h"
#include "PlotMarks.h"
#include "Plotproco.h"

AnsiString TDragMarksTool::Description() const { return Plotproco::PlotMsg_DragMarksTool; }

void TDragMarksTool::Notification(TComponent* component, TOperation operation) {
    TPlotCustomToolSeries::Notification(component, operation);
    if (operation == opRemove && component == dragSeries_) EndDrag();
}

TChartSeries* TDragMarksTool::MarkAt(int x, int y, bool visibleOnly, int& index) {
    auto hit = [&](TChartSeries* series) {
        if (!series->Active() || (visibleOnly && !series->Marks()->Visible())) return false;
        index = series->Marks()->Clicked(x, y);
        return index != -1;
    };
    index = -1;
    if (Series()) return hit(Series()) ? Series() : nullptr;
    TCustomAxisPanel* chart = ParentChart();
    for (int i = chart->SeriesCount() - 1; i >= 0; --i)
        if (hit(chart->GetSeries(i))) return chart->GetSeries(i);
    return nullptr;
}

void TDragMarksTool::StartDrag(TChartSeries* series, int index, int x, int y) {
    EndDrag();
    dragSeries_ = series;
    dragIndex_ = index;
    dragSeries_->FreeNotification(this);
    last_ = TPoint(x, y);
}

void TDragMarksTool::EndDrag() {
    if (dragSeries_ && dragSeries_ != Series()) dragSeries_->RemoveFreeNotification(this);
    dragSeries_ = nullptr;
    dragIndex_ = -1;
}

void TDragMarksTool::MoveMark(int x, int y) {
    // The points may have been replaced meanwhile: the record is looked up on every move.
    TSeriesMarkPosition* position = dragSeries_->Marks()->Positions().Get(dragIndex_);
    if (!position) {
        EndDrag();
        return;
    }
    const int dx = x - last_.X, dy = y - last_.Y;
    position->IsCustom = true;
    position->BoxOrigin.X += dx;
    position->BoxOrigin.Y += dy;
    position->MarkPoint.X += dx;
    position->MarkPoint.Y += dy;
    last_ = TPoint(x, y);
    ParentChart()->MouseHandled = true;
    Repaint();
}

void TDragMarksTool::ChartMouseEvent(TChartMouseEvent event, TMouseButton, TShiftState, int x,
                                     int y) {
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    int index = -1;
    switch (event) {
        case cmeDown:
            if (TChartSeries* series = MarkAt(x, y, false, index)) {
                StartDrag(series, index, x, y);
                chart->MouseHandled = true;
            }
            break;
        case cmeMove:
            if (Dragging()) {
                MoveMark(x, y);
            } else if (MarkAt(x, y, true, index)) {
                chart->SetCursor(crHandPoint);
                chart->MouseHandled = true;
            }
            break;
        case cmeUp:
            EndDrag();
            break;
    }
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool dragMarksPropertiesRegistered = [] {
    using T = TDragMarksTool;
    RegisterProperty(T::StaticClass(), ComponentProperty<T, TChartSeries>("Series", &T::Series,
                                                                          &T::SetSeries));
    return true;
}();

}  // namespace
