// Lines the user draws on a chart with the mouse, held in axis values so that they stay on the
// data: drawn, selected, moved whole or by either end, deleted, and streamed with the chart.
#pragma once

#include <functional>

#include "PlotGeometry.h"
#include "PlotTools.h"

enum TDrawLineStyle { dlLine, dlHorizParallel, dlVertParallel };
enum TDrawLineHandle { chNone, chStart, chEnd, chSeries };

class TDrawLineTool;

class TDrawLine : public TCollectionItem {
    CL_COLLECTION_ITEM_CLASS(TDrawLine, TCollectionItem)

    explicit TDrawLine(TCollection* collection) : TCollectionItem(collection) {}
    TDrawLine(TCollection* collection, double x0, double y0, double x1, double y1);
    // Leaves the tool's selection when it is the selected line.
    void BeforeDestruction() override;
    ~TDrawLine() override;
    // Start, end and style; the own pen copied, or freed when the source has none.
    void Assign(TPersistent* source) override;

    // The tool the line belongs to, through its collection.
    TDrawLineTool* GetParent() const;
    // The 7 x 7 pixel squares centred on the start and end pixels.
    TRect StartHandle() const;
    TRect EndHandle() const;
    void DrawHandles();
    // chStart or chEnd: whether the point is in that handle; else whether it is on one of the
    // line's drawn segments, within the tolerance + 1 pixel.
    bool Clicked(int x, int y, TDrawLineHandle handle, int tolerance) const;

    double X0() const { return start_.X; }
    void SetX0(double value) { SetCoordinate(start_.X, value); }
    double Y0() const { return start_.Y; }
    void SetY0(double value) { SetCoordinate(start_.Y, value); }
    double X1() const { return end_.X; }
    void SetX1(double value) { SetCoordinate(end_.X, value); }
    double Y1() const { return end_.Y; }
    void SetY1(double value) { SetCoordinate(end_.Y, value); }
    const TFloatPoint& StartPos() const { return start_; }
    const TFloatPoint& EndPos() const { return end_; }
    TDrawLineStyle Style() const { return style_; }
    void SetStyle(TDrawLineStyle value);
    // The line's own pen, made on first use as a copy of the tool's pen.
    TChartPen* Pen();
    // Null frees the own pen: the line draws with the tool's pen again.
    void SetPen(TChartPen* pen);
    TChartPen* PenIfAny() const { return pen_; }
    // The own pen, or the tool's pen without one.
    TChartPen* DrawingPen() const;

private:
    void SetCoordinate(double& field, double value);
    void RepaintTool() const;
    TPoint StartPixel() const;
    TPoint EndPixel() const;

    TFloatPoint start_;
    TFloatPoint end_;
    TDrawLineStyle style_ = dlLine;
    TChartPen* pen_ = nullptr;
};

class TDrawLines : public TOwnedCollection {
    CL_CLASS(TDrawLines, TOwnedCollection)

    explicit TDrawLines(TDrawLineTool* tool);
    TDrawLine* Get(int index) const { return static_cast<TDrawLine*>(Items(index)); }
    // Assigns `line` into the line at `index`.
    void Set(int index, TDrawLine* line) { SetItem(index, line); }
    // Null when there is no line.
    TDrawLine* Last() const { return Count() ? Get(Count() - 1) : nullptr; }
    TDrawLineTool* Tool() const { return tool_; }

private:
    TDrawLineTool* tool_;
};

// The class of the lines the tool adds.
extern const TMetaClass* PlotDrawLineClass;

using TDrawLineSelecting =
    std::function<void(TDrawLineTool* sender, TDrawLine* line, bool& allowSelect)>;

class TDrawLineTool : public TPlotCustomToolSeries {
    CL_COMPONENT_CLASS(TDrawLineTool, TPlotCustomToolSeries)

    explicit TDrawLineTool(TComponent* owner);
    AnsiString GetEditorClass() const override { return "TDrawLineEdit"; }
    AnsiString Description() const override;
    void ChartEvent(TChartToolEvent event) override;
    void ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift, int x,
                         int y) override;
    // Clips to the series' axes with a series, else to the chart's plot rectangle.
    virtual void ClipDrawingRegion();

    // Pixel point of a value pair, and value pair of a pixel point, through the tool's axes.
    TPoint AxisPoint(const TFloatPoint& value) const;
    TFloatPoint ScreenPoint(const TPoint& pixel) const;
    // The segments of the style between two pixel points.
    void DrawLine(const TPoint& start, const TPoint& end, TDrawLineStyle style);
    // Draws the line being drawn or dragged in XOR between the screen start and end.
    void RedrawLine(TDrawLine* line);
    // The selected line first, then every line in order: the first hit, else null.
    TDrawLine* InternalClicked(int x, int y, TDrawLineHandle handle);
    TDrawLine* InternalClicked(int x, int y, TDrawLineHandle handle, int tolerance);
    // The line hit by its body, else by its start handle, else by its end handle.
    TDrawLine* Clicked(int x, int y);
    TDrawLine* Clicked(int x, int y, int tolerance);
    void DeleteSelected();

    TMouseButton Button() const { return button_; }
    void SetButton(TMouseButton value) { button_ = value; }
    int ClickTolerance() const { return clickTolerance_; }
    void SetClickTolerance(int value) { clickTolerance_ = value; }
    bool EnableDraw() const { return enableDraw_; }
    void SetEnableDraw(bool value) { enableDraw_ = value; }
    bool EnableSelect() const { return enableSelect_; }
    void SetEnableSelect(bool value);
    TDrawLines* Lines() const { return lines_; }
    void SetLines(TDrawLines* lines) { lines_->Assign(lines); }
    TDrawLine* Selected() const { return selected_; }
    void SetSelected(TDrawLine* line);
    bool Drawing() const { return drawing_; }
    TDrawLineHandle DraggedHandle() const { return handle_; }

    TNotifyEvent OnDraggedLine;
    TNotifyEvent OnDragLine;
    TNotifyEvent OnNewLine;
    TNotifyEvent OnSelect;
    TDrawLineSelecting OnSelecting;

protected:
    ~TDrawLineTool() override;

private:
    friend class TDrawLine;
    TPoint ChartPoint(int x, int y) const;
    void Press(int x, int y);
    void PressLine(TDrawLine* line, int x, int y);
    void Move(int x, int y);
    void Release();
    void ShowHoverCursor(int x, int y);

    TMouseButton button_ = mbLeft;
    int clickTolerance_ = 0;
    bool enableDraw_ = true;
    bool enableSelect_ = true;
    TDrawLines* lines_;
    TDrawLine* selected_ = nullptr;
    bool drawing_ = false;
    TDrawLineHandle handle_ = chNone;
    bool dragged_ = false;
    TPoint fromPoint_;
    TPoint toPoint_;
    TPoint lastPoint_;
};
