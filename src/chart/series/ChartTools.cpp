// The annotation and rectangle tools.
#include "ChartTools.h"

#include <cmath>
#include <cstdlib>
#include <iterator>

#include "AxisArrowTool.h"
#include "AxisScrollTool.h"
#include "ChartImageTool.h"
#include "ChartRegistry.h"
#include "ClipSeriesTool.h"
#include "ColorBandTool.h"
#include "ColorLineTool.h"
#include "CursorTool.h"
#include "DragMarksTool.h"
#include "DrawLineTool.h"
#include "GridBandTool.h"
#include "MarksTipTool.h"
#include "NearestTool.h"
#include "PlotBlend.h"
#include "PlotProcs.h"
#include "PlotPublished.h"
#include "RotateTool.h"
#include "SeriesAnimationTool.h"

AnsiString PlotMsg_AnnotationTool = "Annotation";
AnsiString PlotMsg_RectangleTool = "Rectangle";

// ---------------------------------------------------------------------------------------------
// TAnnotationCallout

TAnnotationCallout::TAnnotationCallout() : TCallout(nullptr) {
    Arrow()->SetVisible(false);
    Arrow()->DefaultVisible = false;
    SetVisible(false);
}

void TAnnotationCallout::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TAnnotationCallout*>(source)) {
        xPosition_ = other->xPosition_;
        yPosition_ = other->yPosition_;
        zPosition_ = other->zPosition_;
    }
    TCallout::Assign(source);
}

TPoint TAnnotationCallout::CloserPoint(const TRect& r, const TPoint& p) {
    const int x = p.X < r.Left ? r.Left : p.X > r.Right ? r.Right : (r.Left + r.Right) / 2;
    const int y = p.Y < r.Top ? r.Top : p.Y > r.Bottom ? r.Bottom : (r.Top + r.Bottom) / 2;
    return {x, y};
}

// ---------------------------------------------------------------------------------------------
// TAnnotationTool

TAnnotationTool::TAnnotationTool(TComponent* owner)
    : TPlotCustomTool(owner), callout_(new TAnnotationCallout), shape_(new TPlotShapePosition(nullptr)) {}

TAnnotationTool::~TAnnotationTool() {
    TObject::Free(callout_);
    TObject::Free(shape_);
}

void TAnnotationTool::SetParentChart(TCustomAxisPanel* chart) {
    TPlotCustomTool::SetParentChart(chart);
    if (InState(csDestroying)) return;
    shape_->SetParent(chart);
    callout_->SetParent(chart);
    Repaint();
}

void TAnnotationTool::SetPosition(TAnnotationPosition value) {
    position_ = value;
    shape_->SetCustomPosition(false);
    Repaint();
}

void TAnnotationTool::SetPositionUnits(TPlotUnits value) {
    if (positionUnits_ == value) return;
    positionUnits_ = value;
    Repaint();
}

void TAnnotationTool::SetTextAlignment(TAlignment value) {
    if (textAlignment_ == value) return;
    textAlignment_ = value;
    Repaint();
}

void TAnnotationTool::SetWidth(int value) {
    if (value == Width()) return;
    autoSize_ = false;
    shape_->SetWidth(value);
    Repaint();
}

void TAnnotationTool::SetHeight(int value) {
    if (value == Height()) return;
    autoSize_ = false;
    shape_->SetHeight(value);
    Repaint();
}

void TAnnotationTool::SetLeft(int value) {
    const int width = Width();
    shape_->SetLeft(value);
    shape_->SetWidth(width);
}

void TAnnotationTool::SetTop(int value) {
    const int height = Height();
    shape_->SetTop(value);
    shape_->SetHeight(height);
}

void TAnnotationTool::GetBounds(int& lines, int& x, int& y, TRect& rect) {
    TCustomAxisPanel* chart = ParentChart();
    AnsiString text = GetText();
    if (text.IsEmpty()) text = " ";
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const bool custom = shape_->CustomPosition();
    int textWidth = 0, textHeight = 0;
    canvas->AssignFont(shape_->Font());
    textWidth = chart->MultiLineTextWidth(text, lines);
    if (!custom || autoSize_) {
        textHeight = lines * canvas->FontHeight();
    } else {
        textWidth = 0;
    }
    const int width = chart->Width(), height = chart->Height();
    if (custom && positionUnits_ == muPixels) {
        x = shape_->GetLeft() + 4;
        y = shape_->GetTop() + 2;
    } else if (custom) {
        x = static_cast<int>(std::lround(shape_->GetLeft() * width * 0.01));
        y = static_cast<int>(std::lround(shape_->GetTop() * height * 0.01));
    } else {
        const bool right = position_ == ppRightTop || position_ == ppRightBottom;
        const bool bottom = position_ == ppLeftBottom || position_ == ppRightBottom;
        x = right ? width - textWidth - 8 : 10;
        y = bottom ? height - textHeight - 8 : 10;
    }
    const int boxWidth = autoSize_ ? textWidth + 6 : shape_->GetWidth();
    const int boxHeight = autoSize_ ? textHeight + 4 : shape_->GetHeight();
    rect.Left = x - 4;
    rect.Top = y - 2;
    rect.Right = rect.Left + boxWidth;
    rect.Bottom = rect.Top + boxHeight;
}

bool TAnnotationTool::Clicked(int x, int y) {
    if (!ParentChart()) return false;
    int lines, tx, ty;
    TRect r;
    GetBounds(lines, tx, ty, r);
    return PointInRect(r, x, y);
}

void TAnnotationTool::ChartEvent(TChartToolEvent event) {
    TPlotCustomTool::ChartEvent(event);
    if (event == cteAfterDraw && Active() && ParentChart()) DrawText();
}

void TAnnotationTool::DrawText() {
    TCustomAxisPanel* chart = ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const TRect remembered = shape_->ShapeBounds;
    int lines, x, y;
    TRect r;
    GetBounds(lines, x, y, r);
    shape_->ShapeBounds = r;
    if (shape_->Visible()) shape_->Draw();
    canvas->AssignFont(shape_->Font());
    canvas->SetBackMode(cbmTransparent);
    int textX = x;
    if (textAlignment_ == taCenter) {
        textX = (r.Left + r.Right) / 2 + 2;
        canvas->SetTextAlign(TA_CENTER);
    } else if (textAlignment_ == taRightJustify) {
        textX = r.Right - 2;
        canvas->SetTextAlign(TA_RIGHT);
    } else {
        canvas->SetTextAlign(TA_LEFT);
    }
    const AnsiString text = GetText();
    const int fontHeight = canvas->FontHeight();
    const AnsiString separator(PlotLineSeparator);
    for (int i = 1; i <= lines; ++i)
        canvas->TextOut(textX, y + (i - 1) * fontHeight, PlotExtractField(text, i, separator));
    canvas->SetTextAlign(TA_LEFT);
    if (callout_->Visible() || callout_->Arrow()->Visible()) {
        TPoint p{callout_->XPosition(), callout_->YPosition()};
        const TPoint q = TAnnotationCallout::CloserPoint(r, p);
        if (callout_->Distance() != 0) p = PointAtDistance(q, p, callout_->Distance());
        callout_->Draw(clNone, p, q, callout_->ZPosition());
    }
    if (autoSize_) {
        shape_->ShapeBounds = {remembered.Left, remembered.Top, remembered.Left + r.Width(),
                               remembered.Top + r.Height()};
    } else {
        shape_->ShapeBounds = remembered;
    }
}

void TAnnotationTool::ChartMouseEvent(TChartMouseEvent event, TMouseButton button,
                                      TShiftState shift, int x, int y) {
    if (!ParentChart()) return;
    if (event == cmeDown && OnClick && Clicked(x, y)) OnClick(this, button, shift, x, y);
    if (event == cmeMove && cursor_ != crDefault && Clicked(x, y)) {
        ParentChart()->SetCursor(cursor_);
        ParentChart()->MouseHandled = true;
    }
}

// ---------------------------------------------------------------------------------------------
// TRectangleTool

TRectangleTool::TRectangleTool(TComponent* owner) : TAnnotationTool(owner) {
    SetAutoSize(false);
    Shape()->SetCustomPosition(true);
    if (Shape()->Shadow()) Shape()->Shadow()->SetSize(0);
    Shape()->SetTransparency(75);
    Shape()->ShapeBounds = {10, 10, 10 + 50 - 1, 10 + 50 - 1};
    SetPositionUnits(muPixels);
    SetCursor(crHandPoint);
}

int TRectangleTool::ClickedEdge(int x, int y) {
    if (!Clicked(x, y)) return -1;
    const TRect& r = Shape()->ShapeBounds;
    if (std::abs(x - r.Left) < 4) return 0;
    if (std::abs(y - r.Top) < 4) return 1;
    if (std::abs(x - r.Right) < 4) return 2;
    if (std::abs(y - r.Bottom) < 4) return 3;
    return -1;
}

void TRectangleTool::ChartMouseEvent(TChartMouseEvent event, TMouseButton button,
                                     TShiftState shift, int x, int y) {
    TAnnotationTool::ChartMouseEvent(event, button, shift, x, y);
    if (!Active() || !ParentChart()) return;
    const TRect& r = Shape()->ShapeBounds;
    switch (event) {
        case cmeDown: {
            if (button != mbLeft) return;
            edge_ = ClickedEdge(x, y);
            if (edge_ == -1) {
                if (!Clicked(x, y)) return;
                dragging_ = true;
                offsetX_ = x - r.Left;
                offsetY_ = y - r.Top;
            } else {
                offsetX_ = edge_ == 2 ? x - r.Right : x - r.Left;
                offsetY_ = edge_ == 3 ? y - r.Bottom : y - r.Top;
            }
            ParentChart()->MouseHandled = true;
            return;
        }
        case cmeMove:
            if (dragging_)
                MoveBox(x, y);
            else if (edge_ != -1)
                ResizeBox(x, y);
            else
                HoverCursor(x, y);
            return;
        case cmeUp:
            dragging_ = false;
            edge_ = -1;
            return;
    }
}

void TRectangleTool::MoveBox(int x, int y) {
    const int width = Width(), height = Height();
    Shape()->ShapeBounds = {x - offsetX_, y - offsetY_, x - offsetX_ + width - 1,
                            y - offsetY_ + height - 1};
    Repaint();
    if (OnDragging) OnDragging(this);
}

void TRectangleTool::ResizeBox(int x, int y) {
    TRect& r = Shape()->ShapeBounds;
    switch (edge_) {
        case 0:
            r.Left = Min(r.Right - 3, x - offsetX_);
            break;
        case 1:
            r.Top = Min(r.Bottom - 3, y - offsetY_);
            break;
        case 2:
            r.Right = Max(r.Left + 3, x - offsetX_);
            break;
        default:
            r.Bottom = Max(r.Top + 3, y - offsetY_);
            break;
    }
    Repaint();
    if (OnResizing) OnResizing(this);
}

void TRectangleTool::HoverCursor(int x, int y) {
    TCustomAxisPanel* chart = ParentChart();
    const int edge = ClickedEdge(x, y);
    TCursor cursor = crDefault;
    if (edge == 0 || edge == 2)
        cursor = crSizeWE;
    else if (edge == 1 || edge == 3)
        cursor = crSizeNS;
    else if (Clicked(x, y) && Cursor() != crDefault)
        cursor = Cursor();
    chart->MouseHandled = cursor != crDefault;
    if (cursor != crDefault) chart->SetCursor(cursor);
}

TBitmap* TRectangleTool::Bitmap(bool chartOnly) {
    TCustomAxisPanel* chart = ParentChart();
    const TRect r = Shape()->ShapeBounds;
    TOwnedPtr<TBitmap> result(new TBitmap);
    result->SetSize(r.Width(), r.Height());
    if (!chart) return result.release();
    const TRect target(0, 0, r.Width(), r.Height());
    if (chartOnly) {
        struct KeepActive {
            TRectangleTool* tool;
            bool active;
            ~KeepActive() { tool->SetActive(active); }
        } keep{this, Active()};
        SetActive(false);
        TOwnedPtr<TBitmap> whole(chart->PlotCreateBitmap(chart->Color(), chart->GetRectangle()));
        result->Canvas()->CopyRect(target, whole->Canvas(), r);
        return result.release();
    }
    TBitmap* buffer = chart->InternalCanvas->Buffer();
    if (!buffer) {
        chart->Draw();
        buffer = chart->InternalCanvas->Buffer();
    }
    if (buffer) result->Canvas()->CopyRect(target, buffer->Canvas(), r);
    return result.release();
}

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterChartTools() {
    const TMetaClass* tools[] = {TCursorTool::StaticClass(),          TDragMarksTool::StaticClass(),
                                 TAxisArrowTool::StaticClass(),       TDrawLineTool::StaticClass(),
                                 TNearestTool::StaticClass(),         TColorBandTool::StaticClass(),
                                 TColorLineTool::StaticClass(),       TRotateTool::StaticClass(),
                                 TChartImageTool::StaticClass(),      TMarksTipTool::StaticClass(),
                                 TAnnotationTool::StaticClass(),      TSeriesAnimationTool::StaticClass(),
                                 TGridBandTool::StaticClass(),        TAxisScrollTool::StaticClass(),
                                 TRectangleTool::StaticClass(),       TClipSeriesTool::StaticClass()};
    RegisterPlotTools(tools, static_cast<int>(std::size(tools)) - 1);
}

namespace {
struct ToolsRegistration {
    ToolsRegistration() { RegisterChartTools(); }
} toolsRegistration;
}  // namespace

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

// The annotation's box, its callout and the annotation itself, for the component streams.
const bool annotationPropertiesRegistered = [] {
    const TMetaClass* shape = TPlotShapePosition::StaticClass();
    PublishShape(shape, {"Bevel", "BevelWidth", "Brush", "Color", "Font", "Frame", "Gradient",
                         "Shadow", "ShapeStyle", "Transparency", "Transparent", "Visible"});
    PublishShapePosition(shape);

    using C = TAnnotationCallout;
    const TMetaClass* callout = C::StaticClass();
    RegisterProperty(callout, OrdinalProperty<C>("XPosition", pkInteger, &C::XPosition,
                                                 &C::SetXPosition, 0));
    RegisterProperty(callout, OrdinalProperty<C>("YPosition", pkInteger, &C::YPosition,
                                                 &C::SetYPosition, 0));
    RegisterProperty(callout, OrdinalProperty<C>("ZPosition", pkInteger, &C::ZPosition,
                                                 &C::SetZPosition, 0));
    RegisterProperty(callout, OrdinalProperty<C>("Visible", pkBool, &C::Visible, &C::SetVisible,
                                                 0));

    using A = TAnnotationTool;
    const TMetaClass* tool = A::StaticClass();
    RegisterProperty(tool, OrdinalProperty<A>("AutoSize", pkBool, &A::AutoSize, &A::SetAutoSize,
                                              1));
    RegisterProperty(tool, SubObjectProperty<A>("Callout", &A::Callout));
    RegisterProperty(tool, OrdinalProperty<A>("Cursor", pkInteger, &A::Cursor, &A::SetCursor,
                                              crDefault));
    RegisterProperty(tool, EnumProperty<A>("Position", &A::Position, &A::SetPosition,
                                           {"ppLeftTop", "ppLeftBottom", "ppRightTop",
                                            "ppRightBottom"},
                                           ppLeftTop));
    RegisterProperty(tool, EnumProperty<A>("PositionUnits", &A::PositionUnits,
                                           &A::SetPositionUnits, {"muPercent", "muPixels"},
                                           muPixels));
    // Before the size: reading the box's position moves its left and top edges only.
    RegisterProperty(tool, SubObjectProperty<A>("Shape", &A::Shape));
    RegisterProperty(tool, StringProperty<A>("Text", &A::Text, &A::SetText));
    RegisterProperty(tool, EnumProperty<A>("TextAlignment", &A::TextAlignment,
                                           &A::SetTextAlignment,
                                           {"taLeftJustify", "taRightJustify", "taCenter"},
                                           taLeftJustify));
    const auto sized = [](A* annotation) { return !annotation->AutoSize(); };
    RegisterProperty(tool, StoredWhen<A>(OrdinalProperty<A>("Height", pkInteger, &A::Height,
                                                            &A::SetHeight),
                                         sized));
    RegisterProperty(tool, StoredWhen<A>(OrdinalProperty<A>("Width", pkInteger, &A::Width,
                                                            &A::SetWidth),
                                         sized));
    return true;
}();

}  // namespace
