// Draw-line tool.
#include "DrawLineTool.h"

#include <utility>
#include <vector>

#include "PlotAxisPanel.h"
#include "PlotProcs.h"
#include "PlotPublished.h"
#include "Plotproco.h"

const TMetaClass* PlotDrawLineClass = TDrawLine::StaticClass();

namespace {

using TSegment = std::pair<TPoint, TPoint>;

// The segments a style draws between two pixel points.
std::vector<TSegment> StyleSegments(const TPoint& s, const TPoint& e, TDrawLineStyle style) {
    switch (style) {
        case dlHorizParallel:
            return {{s, TPoint(e.X, s.Y)}, {TPoint(s.X, e.Y), e}};
        case dlVertParallel:
            return {{s, TPoint(s.X, e.Y)}, {TPoint(e.X, s.Y), e}};
        default:
            return {{s, e}};
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TDrawLine

TDrawLine::TDrawLine(TCollection* collection, double x0, double y0, double x1, double y1)
    : TCollectionItem(collection), start_{x0, y0}, end_{x1, y1} {
    RepaintTool();
}

void TDrawLine::BeforeDestruction() {
    TDrawLineTool* tool = GetParent();
    if (tool && tool->selected_ == this) tool->selected_ = nullptr;
    TCollectionItem::BeforeDestruction();
}

TDrawLine::~TDrawLine() { TObject::Free(pen_); }

void TDrawLine::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TDrawLine*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    start_ = other->start_;
    end_ = other->end_;
    style_ = other->style_;
    if (other->pen_) {
        Pen()->Assign(other->pen_);
    } else {
        TObject::Free(pen_);
        pen_ = nullptr;
    }
}

// Null while the collection is being torn down (it is then no longer the tool's).
TDrawLineTool* TDrawLine::GetParent() const {
    auto* lines = dynamic_cast<TDrawLines*>(Collection());
    return lines ? lines->Tool() : nullptr;
}

void TDrawLine::RepaintTool() const {
    if (TDrawLineTool* tool = GetParent()) tool->Repaint();
}

void TDrawLine::SetCoordinate(double& field, double value) {
    if (field == value) return;
    field = value;
    RepaintTool();
}

void TDrawLine::SetStyle(TDrawLineStyle value) {
    if (style_ == value) return;
    style_ = value;
    RepaintTool();
}

TChartPen* TDrawLine::Pen() {
    if (!pen_) {
        pen_ = new TChartPen([this](TObject*) { RepaintTool(); });
        if (TDrawLineTool* tool = GetParent()) pen_->Assign(tool->Pen());
    }
    return pen_;
}

void TDrawLine::SetPen(TChartPen* pen) {
    if (pen) {
        Pen()->Assign(pen);
        return;
    }
    TObject::Free(pen_);
    pen_ = nullptr;
    RepaintTool();
}

TChartPen* TDrawLine::DrawingPen() const { return pen_ ? pen_ : GetParent()->Pen(); }

TPoint TDrawLine::StartPixel() const { return GetParent()->AxisPoint(start_); }

TPoint TDrawLine::EndPixel() const { return GetParent()->AxisPoint(end_); }

TRect TDrawLine::StartHandle() const {
    const TPoint p = StartPixel();
    return TRect(p.X - 3, p.Y - 3, p.X + 3, p.Y + 3);
}

TRect TDrawLine::EndHandle() const {
    const TPoint p = EndPixel();
    return TRect(p.X - 3, p.Y - 3, p.X + 3, p.Y + 3);
}

void TDrawLine::DrawHandles() {
    TCustomAxisPanel* chart = GetParent()->ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(chart->Color() == clBlack ? clSilver : clBlack);
    canvas->Pen()->SetStyle(psClear);
    for (const TRect& r : {StartHandle(), EndHandle()})
        canvas->RectangleWithZ(TRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1), 0);
}

bool TDrawLine::Clicked(int x, int y, TDrawLineHandle handle, int tolerance) const {
    if (handle == chStart) return PointInRect(StartHandle(), x, y);
    if (handle == chEnd) return PointInRect(EndHandle(), x, y);
    for (const TSegment& segment : StyleSegments(StartPixel(), EndPixel(), style_))
        if (PointInLine(TPoint(x, y), segment.first, segment.second, tolerance)) return true;
    return false;
}

// ---------------------------------------------------------------------------------------------
// TDrawLines

TDrawLines::TDrawLines(TDrawLineTool* tool)
    : TOwnedCollection(tool, TDrawLine::StaticClass()), tool_(tool) {}

// ---------------------------------------------------------------------------------------------
// TDrawLineTool

TDrawLineTool::TDrawLineTool(TComponent* owner)
    : TPlotCustomToolSeries(owner), lines_(new TDrawLines(this)) {}

TDrawLineTool::~TDrawLineTool() {
    selected_ = nullptr;
    lines_->Clear();
    TObject::Free(lines_);
}

AnsiString TDrawLineTool::Description() const { return Plotproco::PlotMsg_DrawLineTool; }

void TDrawLineTool::SetEnableSelect(bool value) {
    if (enableSelect_ == value) return;
    enableSelect_ = value;
    if (value) return;
    selected_ = nullptr;
    Repaint();
}

void TDrawLineTool::SetSelected(TDrawLine* line) {
    selected_ = line;
    Repaint();
}

void TDrawLineTool::DeleteSelected() {
    if (!selected_) return;
    drawing_ = false;
    handle_ = chNone;
    selected_->Free();
    Repaint();
}

TPoint TDrawLineTool::AxisPoint(const TFloatPoint& value) const {
    return TPoint(GetHorizAxis()->CalcPosValue(value.X), GetVertAxis()->CalcPosValue(value.Y));
}

TFloatPoint TDrawLineTool::ScreenPoint(const TPoint& pixel) const {
    return {GetHorizAxis()->CalcPosPoint(pixel.X), GetVertAxis()->CalcPosPoint(pixel.Y)};
}

TPoint TDrawLineTool::ChartPoint(int x, int y) const {
    ParentChart()->InternalCanvas->Calculate2DPosition(x, y, 0);
    return TPoint(x, y);
}

void TDrawLineTool::DrawLine(const TPoint& start, const TPoint& end, TDrawLineStyle style) {
    TCustomAxisPanel* chart = ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    for (const TSegment& segment : StyleSegments(start, end, style)) {
        if (chart->View3D())
            canvas->LineWithZ(segment.first, segment.second, 0);
        else
            canvas->Line(segment.first, segment.second);
    }
}

void TDrawLineTool::RedrawLine(TDrawLine* line) {
    TCustomAxisPanel* chart = ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    TChartPen* pen = line && line->PenIfAny() ? line->PenIfAny() : Pen();
    const TColor back = ColorToRGB(chart->GetBackColor());
    canvas->AssignVisiblePenColor(pen, ColorToRGB(pen->Color()) ^ (0xFFFFFF - back));
    TPenModeScope notXor(canvas->Pen(), pmNotXor);
    DrawLine(fromPoint_, toPoint_, line ? line->Style() : dlLine);
}

void TDrawLineTool::ClipDrawingRegion() {
    TCustomAxisPanel* chart = ParentChart();
    const TRect r = Series() ? TRect(GetHorizAxis()->StartPixel, GetVertAxis()->StartPixel,
                                     GetHorizAxis()->EndPixel, GetVertAxis()->EndPixel)
                             : chart->ChartRect;
    if (chart->CanClip()) chart->InternalCanvas->ClipCube(r, 0, chart->DepthWidth);
}

void TDrawLineTool::ChartEvent(TChartToolEvent event) {
    TCustomAxisPanel* chart = ParentChart();
    if (event != cteAfterDraw || !chart || lines_->Count() == 0) return;
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    canvas->SetBackMode(cbmTransparent);
    ClipDrawingRegion();
    struct Unclip {
        TCustomAxisPanel* chart;
        ~Unclip() {
            if (chart->CanClip()) chart->InternalCanvas->UnClipRectangle();
        }
    } unclip{chart};
    for (int i = 0; i < lines_->Count(); ++i) {
        TDrawLine* line = lines_->Get(i);
        canvas->AssignVisiblePen(line->DrawingPen());
        DrawLine(AxisPoint(line->StartPos()), AxisPoint(line->EndPos()), line->Style());
    }
    if (selected_) selected_->DrawHandles();
}

TDrawLine* TDrawLineTool::InternalClicked(int x, int y, TDrawLineHandle handle) {
    return InternalClicked(x, y, handle, clickTolerance_);
}

TDrawLine* TDrawLineTool::InternalClicked(int x, int y, TDrawLineHandle handle, int tolerance) {
    const TPoint p = ChartPoint(x, y);
    if (selected_ && selected_->Clicked(p.X, p.Y, handle, tolerance)) return selected_;
    for (int i = 0; i < lines_->Count(); ++i)
        if (lines_->Get(i)->Clicked(p.X, p.Y, handle, tolerance)) return lines_->Get(i);
    return nullptr;
}

TDrawLine* TDrawLineTool::Clicked(int x, int y) { return Clicked(x, y, clickTolerance_); }

TDrawLine* TDrawLineTool::Clicked(int x, int y, int tolerance) {
    for (TDrawLineHandle handle : {chNone, chStart, chEnd})
        if (TDrawLine* line = InternalClicked(x, y, handle, tolerance)) return line;
    return nullptr;
}

void TDrawLineTool::Press(int x, int y) {
    dragged_ = false;
    if (TDrawLine* line = enableSelect_ ? Clicked(x, y) : nullptr) {
        PressLine(line, x, y);
        return;
    }
    selected_ = nullptr;
    if (!enableDraw_) return;
    drawing_ = true;
    fromPoint_ = toPoint_ = TPoint(x, y);
    RedrawLine(nullptr);
    ParentChart()->MouseHandled = true;
}

// A press on a line grabs it whole, or by an end handle when it is the selected line. A line
// whose selection OnSelecting refuses is not grabbed: only the selected line is ever moved.
void TDrawLineTool::PressLine(TDrawLine* line, int x, int y) {
    ParentChart()->MouseHandled = true;
    const bool wasSelected = line == selected_;
    if (!wasSelected) {
        bool allow = true;
        if (OnSelecting) OnSelecting(this, line, allow);
        if (!allow) return;
    }
    fromPoint_ = AxisPoint(line->StartPos());
    toPoint_ = AxisPoint(line->EndPos());
    handle_ = chSeries;
    lastPoint_ = TPoint(x, y);
    if (wasSelected) {
        const TPoint p = ChartPoint(x, y);
        if (line->Clicked(p.X, p.Y, chStart, clickTolerance_))
            handle_ = chStart;
        else if (line->Clicked(p.X, p.Y, chEnd, clickTolerance_))
            handle_ = chEnd;
        return;
    }
    const bool hadSelection = selected_ != nullptr;
    selected_ = line;
    if (hadSelection)
        Repaint();
    else
        line->DrawHandles();
    if (OnSelect) OnSelect(this);
}

void TDrawLineTool::Move(int x, int y) {
    RedrawLine(selected_);
    if (drawing_ || handle_ == chEnd) {
        toPoint_ = TPoint(x, y);
    } else if (handle_ == chStart) {
        fromPoint_ = TPoint(x, y);
    } else {
        const int dx = x - lastPoint_.X, dy = y - lastPoint_.Y;
        fromPoint_ = TPoint(fromPoint_.X + dx, fromPoint_.Y + dy);
        toPoint_ = TPoint(toPoint_.X + dx, toPoint_.Y + dy);
        lastPoint_ = TPoint(x, y);
    }
    RedrawLine(selected_);
    ParentChart()->MouseHandled = true;
    dragged_ = true;
    if (OnDragLine) OnDragLine(this);
}

// A line takes its new values only when the drag moved it: a click leaves its values alone.
void TDrawLineTool::Release() {
    if (handle_ != chNone && selected_) {
        const TDrawLineHandle handle = handle_;
        handle_ = chNone;
        if (dragged_ && (handle == chStart || handle == chSeries)) {
            const TFloatPoint start = ScreenPoint(fromPoint_);
            selected_->SetX0(start.X);
            selected_->SetY0(start.Y);
        }
        if (dragged_ && (handle == chEnd || handle == chSeries)) {
            const TFloatPoint end = ScreenPoint(toPoint_);
            selected_->SetX1(end.X);
            selected_->SetY1(end.Y);
        }
        Repaint();
        if (!dragged_) return;
        dragged_ = false;
        if (OnDraggedLine) OnDraggedLine(this);
        return;
    }
    handle_ = chNone;
    if (!drawing_) return;
    drawing_ = false;
    if (fromPoint_ == toPoint_) return;
    auto* line = CheckedCast<TDrawLine>(PlotDrawLineClass->Create(lines_));
    const TFloatPoint start = ScreenPoint(fromPoint_), end = ScreenPoint(toPoint_);
    line->SetX0(start.X);
    line->SetY0(start.Y);
    line->SetX1(end.X);
    line->SetY1(end.Y);
    Repaint();
    if (OnNewLine) OnNewLine(this);
}

void TDrawLineTool::ShowHoverCursor(int x, int y) {
    TCustomAxisPanel* chart = ParentChart();
    const TPoint p = ChartPoint(x, y);
    TCursor cursor = crDefault;
    if (selected_ && (selected_->Clicked(p.X, p.Y, chStart, clickTolerance_) ||
                      selected_->Clicked(p.X, p.Y, chEnd, clickTolerance_)))
        cursor = crCross;
    else if (Clicked(x, y))
        cursor = crHandPoint;
    chart->MouseHandled = cursor != crDefault;
    if (chart->MouseHandled) chart->SetCursor(cursor);
}

void TDrawLineTool::ChartMouseEvent(TChartMouseEvent event, TMouseButton button,
                                    TShiftState shift, int x, int y) {
    if (!ParentChart()) return;
    const bool busy = drawing_ || handle_ != chNone;
    switch (event) {
        case cmeDown:
            if (button == button_) Press(x, y);
            return;
        case cmeMove:
            if (busy && !MouseButtonHeld(button_, shift)) {
                Release();
            } else if (busy) {
                Move(x, y);
            } else if (enableSelect_) {
                ShowHoverCursor(x, y);
            }
            return;
        case cmeUp:
            if (button == button_) Release();
            return;
    }
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool drawLinePropertiesRegistered = [] {
    using L = TDrawLine;
    const TMetaClass* line = L::StaticClass();
    RegisterProperty(line, FloatProperty<L>("X0", &L::X0, &L::SetX0));
    RegisterProperty(line, FloatProperty<L>("Y0", &L::Y0, &L::SetY0));
    RegisterProperty(line, FloatProperty<L>("X1", &L::X1, &L::SetX1));
    RegisterProperty(line, FloatProperty<L>("Y1", &L::Y1, &L::SetY1));
    RegisterProperty(line, EnumProperty<L>("Style", &L::Style, &L::SetStyle,
                                           {"dlLine", "dlHorizParallel", "dlVertParallel"},
                                           dlLine));
    RegisterProperty(line, LazySubObjectProperty<L>(
                               "Pen", [](L* l) -> TPersistent* { return l->Pen(); },
                               [](L* l) { return l->PenIfAny() != nullptr; }));

    using T = TDrawLineTool;
    const TMetaClass* tool = T::StaticClass();
    RegisterProperty(tool, EnumProperty<T>("Button", &T::Button, &T::SetButton,
                                           {"mbLeft", "mbRight", "mbMiddle"}, mbLeft));
    RegisterProperty(tool, OrdinalProperty<T>("ClickTolerance", pkInteger, &T::ClickTolerance,
                                              &T::SetClickTolerance, 0));
    RegisterProperty(tool, OrdinalProperty<T>("EnableDraw", pkBool, &T::EnableDraw,
                                              &T::SetEnableDraw, 1));
    RegisterProperty(tool, OrdinalProperty<T>("EnableSelect", pkBool, &T::EnableSelect,
                                              &T::SetEnableSelect, 1));
    RegisterProperty(tool, SubObjectProperty<T>("Lines", &T::Lines));
    RegisterProperty(tool, SubObjectProperty<T>("Pen", &T::Pen));
    RegisterProperty(tool, ComponentProperty<T, TChartSeries>("Series", &T::Series, &T::SetSeries));
    return true;
}();

}  // namespace
