// Chart tools that draw a framed text box over the finished chart: the annotation (at a corner
// or its own position, with an optional callout) and the rectangle the user moves and resizes.
#pragma once

#include <functional>

#include "ChartTitles.h"
#include "PlotPointer.h"
#include "PlotTools.h"

extern AnsiString PlotMsg_AnnotationTool;
extern AnsiString PlotMsg_RectangleTool;

enum TAnnotationPosition { ppLeftTop, ppLeftBottom, ppRightTop, ppRightBottom };
using TAnnotationClick =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;

// The box of an annotation.
class TPlotShapePosition : public TPlotCustomShapePosition {
    CL_CLASS(TPlotShapePosition, TPlotCustomShapePosition)

    explicit TPlotShapePosition(TCustomPlotPanel* parent) : TPlotCustomShapePosition(parent) {}
};

// The pointer from an annotation's box to a point of the chart.
class TAnnotationCallout : public TCallout {
    CL_CLASS(TAnnotationCallout, TCallout)

    TAnnotationCallout();
    void Assign(TPersistent* source) override;

    int XPosition() const { return xPosition_; }
    void SetXPosition(int value) { SetIntegerOption(xPosition_, value); }
    int YPosition() const { return yPosition_; }
    void SetYPosition(int value) { SetIntegerOption(yPosition_, value); }
    int ZPosition() const { return zPosition_; }
    void SetZPosition(int value) { SetIntegerOption(zPosition_, value); }
    // The point of the rectangle's outline nearest to p, per axis.
    static TPoint CloserPoint(const TRect& r, const TPoint& p);

private:
    int xPosition_ = 0;
    int yPosition_ = 0;
    int zPosition_ = 0;
};

class TAnnotationTool : public TPlotCustomTool {
    CL_COMPONENT_CLASS(TAnnotationTool, TPlotCustomTool)

    explicit TAnnotationTool(TComponent* owner);
    AnsiString GetEditorClass() const override { return "TAnnotationToolEdit"; }
    AnsiString Description() const override { return PlotMsg_AnnotationTool; }
    void SetParentChart(TCustomAxisPanel* chart) override;
    void ChartEvent(TChartToolEvent event) override;
    void ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift, int x,
                         int y) override;

    virtual AnsiString GetText() { return text_; }
    // The line count, the first line's text origin and the box rectangle as they are now.
    void GetBounds(int& lines, int& x, int& y, TRect& rect);
    bool Clicked(int x, int y);
    void DrawText();

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { SetBooleanProperty(autoSize_, value); }
    TAnnotationCallout* Callout() const { return callout_; }
    void SetCallout(TAnnotationCallout* callout) { callout_->Assign(callout); }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value) { cursor_ = value; }
    TAnnotationPosition Position() const { return position_; }
    void SetPosition(TAnnotationPosition value);
    TPlotUnits PositionUnits() const { return positionUnits_; }
    void SetPositionUnits(TPlotUnits value);
    TPlotShapePosition* Shape() const { return shape_; }
    void SetShape(TPlotShapePosition* shape) { shape_->Assign(shape); }
    const AnsiString& Text() const { return text_; }
    void SetText(const AnsiString& value) { SetStringProperty(text_, value); }
    TAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TAlignment value);
    int Width() const { return shape_->GetWidth(); }
    void SetWidth(int value);
    int Height() const { return shape_->GetHeight(); }
    void SetHeight(int value);
    int Left() const { return shape_->GetLeft(); }
    void SetLeft(int value);
    int Top() const { return shape_->GetTop(); }
    void SetTop(int value);

    TAnnotationClick OnClick;

protected:
    ~TAnnotationTool() override;

private:
    bool autoSize_ = true;
    TAnnotationCallout* callout_;
    TCursor cursor_ = crDefault;
    TAnnotationPosition position_ = ppLeftTop;
    TPlotUnits positionUnits_ = muPixels;
    TPlotShapePosition* shape_;
    AnsiString text_;
    TAlignment textAlignment_ = taLeftJustify;
};

class TRectangleTool : public TAnnotationTool {
    CL_COMPONENT_CLASS(TRectangleTool, TAnnotationTool)

    explicit TRectangleTool(TComponent* owner);
    AnsiString Description() const override { return PlotMsg_RectangleTool; }
    void ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift, int x,
                         int y) override;
    // -1 outside the box or off its edges; else 0 left, 1 top, 2 right, 3 bottom.
    int ClickedEdge(int x, int y);
    // The chart image under the box; the caller owns it.
    TBitmap* Bitmap(bool chartOnly);

    TNotifyEvent OnDragging;
    TNotifyEvent OnResizing;

protected:
    ~TRectangleTool() override = default;

private:
    void MoveBox(int x, int y);
    void ResizeBox(int x, int y);
    void HoverCursor(int x, int y);

    bool dragging_ = false;
    int edge_ = -1;
    int offsetX_ = 0;
    int offsetY_ = 0;
};

// The tool classes of the tool gallery that this library has, in gallery order.
void RegisterChartTools();
