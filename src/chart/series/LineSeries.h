// The line family of series: points joined by lines or steps, with point symbols, null-point
// gaps, an optional area below the line, outline and shadow passes, stacking and click tests.
#pragma once

#include <functional>
#include <vector>

#include "PlotGradient.h"
#include "PlotPointer.h"
#include "PlotSeries.h"
#include "PlotShadow.h"

enum TCustomSeriesStack { cssNone, cssOverlap, cssStack, cssStack100 };

class TCustomSeries;
using TOnGetPointerStyle = std::function<TSeriesPointerStyle(TChartSeries* sender, int valueIndex)>;
using TSeriesClickPointerEvent =
    std::function<void(TCustomSeries* sender, int valueIndex, int x, int y)>;

// A series with its line pen under the name LinePen.
class TCustomLineSeries : public TChartSeries {
    CL_COMPONENT_CLASS(TCustomLineSeries, TChartSeries)

    explicit TCustomLineSeries(TComponent* owner) : TChartSeries(owner) {}
    TChartPen* LinePen() const { return Pen(); }
    void SetLinePen(TChartPen* pen) { SetPen(pen); }
    // Clearing the points of a chart's series starts a new feed: saved zoom scales are dropped.
    void NotifyValue(TValueEvent event, int valueIndex) override;

protected:
    ~TCustomLineSeries() override = default;
};

class TCustomSeries : public TCustomLineSeries {
    CL_COMPONENT_CLASS(TCustomSeries, TCustomLineSeries)

    explicit TCustomSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    void SetParentChart(TCustomAxisPanel* chart) override;
    AnsiString GetEditorClass() const override { return "TCustomSeriesEditor"; }

    // ---- Settings ----
    TSeriesPointer* Pointer() const { return pointer_; }
    void SetPointer(TSeriesPointer* pointer) { pointer_->Assign(pointer); }
    bool ClickableLine() const { return clickableLine_; }
    void SetClickableLine(bool value) { clickableLine_ = value; }
    bool ColorEachLine() const { return colorEachLine_; }
    void SetColorEachLine(bool value) { SetBooleanProperty(colorEachLine_, value); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value) { SetBooleanProperty(dark3D_, value); }
    bool DrawArea() const { return drawArea_; }
    void SetDrawArea(bool value) { SetBooleanProperty(drawArea_, value); }
    bool DrawLine() const { return drawLine_; }
    void SetDrawLine(bool value) { SetBooleanProperty(drawLine_, value); }
    bool Stairs() const { return stairs_; }
    void SetStairs(bool value) { SetBooleanProperty(stairs_, value); }
    bool InvertedStairs() const { return invertedStairs_; }
    void SetInvertedStairs(bool value) { SetBooleanProperty(invertedStairs_, value); }
    int LineHeight() const { return lineHeight_; }
    void SetLineHeight(int value) { SetIntegerProperty(lineHeight_, value); }
    TBrushStyle LineBrush() const { return Brush()->Style(); }
    void SetLineBrush(TBrushStyle value) { Brush()->SetStyle(value); }
    TChartHiddenPen* OutLine() const { return outLine_; }
    void SetOutLine(TChartPen* pen) { outLine_->Assign(pen); }
    TPlotShadow* Shadow() const { return shadow_; }
    void SetShadow(TPlotShadow* shadow) { shadow_->Assign(shadow); }
    TCustomSeriesStack Stacked() const { return stacked_; }
    // Spreads to every series of the chart of this class or a base of it.
    void SetStacked(TCustomSeriesStack value);
    TChartBrush* AreaChartBrush() const { return areaBrush_; }
    void SetAreaChartBrush(TChartBrush* brush) { areaBrush_->Assign(brush); }
    TBrushStyle AreaBrush() const { return areaBrush_->Style(); }
    void SetAreaBrush(TBrushStyle value) { areaBrush_->SetStyle(value); }
    TColor AreaColor() const { return areaColor_; }
    void SetAreaColor(TColor value) { SetColorProperty(areaColor_, value); }
    TChartPen* AreaLinesPen() const { return areaLinesPen_; }
    void SetAreaLinesPen(TChartPen* pen) { areaLinesPen_->Assign(pen); }
    TPlotGradient* Gradient() const { return gradient_; }
    void SetGradient(TCustomPlotGradient* gradient) { gradient_->Assign(gradient); }
    virtual int GetTransparency() { return transparency_; }
    virtual void SetTransparency(int value) { SetIntegerProperty(transparency_, value); }

    TOnGetPointerStyle OnGetPointerStyle;
    TSeriesClickPointerEvent OnClickPointer;

    // ---- Geometry ----
    int CalcXPos(int index) override;
    int CalcYPos(int index) override;
    double PointOrigin(int index, bool sumAll);
    int CalcStackedPos(int index, double value);
    virtual int GetOriginPos(int index);
    double MaxXValue() override;
    double MinXValue() override;
    double MaxYValue() override;
    double MinYValue() override;
    void CalcZOrder() override;
    void CalcHorizMargins(int& left, int& right) override;
    void CalcVerticalMargins(int& top, int& bottom) override;
    virtual int CalcMarkLength();

    // ---- Drawing ----
    void DrawAllValues() override;
    void DrawValue(int index) override;
    void DrawMark(int valueIndex, const AnsiString& text, TSeriesMarkPosition* position) override;
    void DrawLegendShape(int valueIndex, const TRect& rect) override;
    TSeriesPointerStyle DoGetPointerStyle(int index);
    virtual void PreparePointer(int) {}
    virtual void DrawPointer(int x, int y, TColor color, int index);
    TColor GetAreaBrushColor(TColor color);
    void LinePrepareCanvas(TCanvas3D* canvas, TColor color);

    // ---- Clicks ----
    virtual bool ClickedPointer(int index, int px, int py, int x, int y);
    int Clicked(int x, int y) override;

protected:
    ~TCustomSeries() override;
    void DrawAreaStrip(TPoint previous, int previousOrigin, TPoint point, int origin, bool last);
    // The strip's plane at the front (or, seen from behind, the back) and the closing face at
    // the last point.
    void DrawAreaStrip3D(const TPoint* quad, TPoint point, int origin, bool last);

private:
    void DrawAllValuesOnce();
    // Draws the joined 2-D segments gathered so far as one polyline.
    void FlushLine();
    void DrawShadowPass();
    void DrawOutlinePass();
    void StartFromOffscreen(int index, bool& drawSegment);
    void DrawSegment(int index, TColor color, int x, int y, bool last, bool symbols);
    void DrawSegment3D(TColor color, int x, int y, bool last);
    void DrawLine2D(TColor color, int x, int y);
    bool SegmentHit(int index, const TPoint& previous, const TPoint& point, const TPoint& p);

    TSeriesPointer* pointer_;
    bool clickableLine_ = true;
    bool colorEachLine_ = true;
    bool dark3D_ = true;
    bool drawArea_ = false;
    bool drawLine_ = false;
    bool stairs_ = false;
    bool invertedStairs_ = false;
    int lineHeight_ = 0;
    TChartHiddenPen* outLine_;
    TPlotShadow* shadow_;
    TCustomSeriesStack stacked_ = cssNone;
    TChartBrush* areaBrush_;
    TColor areaColor_ = clDefault;
    TChartPen* areaLinesPen_;
    TPlotGradient* gradient_;
    int transparency_ = 0;

    // Between the points of one drawing.
    int previousX_ = 0, previousY_ = 0;
    TColor previousColor_ = clNone;
    int previousOrigin_ = 0;
    int origin_ = 0;
    double slopeRatio_ = 1;
    // The colour the canvas pen was last prepared with for a 2-D line; clNone when the pen
    // was changed since.
    TColor linePenColor_ = clNone;
    // Consecutive 2-D segments, drawn together.
    std::vector<TPoint> pendingLine_;
};

class TLineSeries : public TCustomSeries {
    CL_COMPONENT_CLASS(TLineSeries, TCustomSeries)

    explicit TLineSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    void PrepareLegendCanvas(int valueIndex, TColor& backColor, TBrushStyle& brushStyle) override;
    void CreateSubGallery(const TChartSubGalleryProc& addSubChart) const override;
    void SetSubGallery(int index) override;

protected:
    ~TLineSeries() override = default;
};

class THorizLineSeries : public TLineSeries {
    CL_COMPONENT_CLASS(THorizLineSeries, TLineSeries)

    explicit THorizLineSeries(TComponent* owner);
    // The widest mark: marks stand beside the points.
    int CalcMarkLength() override { return MaxMarkWidth(); }
    // Puts the mark to the right of its point, or to the left when the point lies left of its
    // origin.
    void DrawMark(int valueIndex, const AnsiString& text, TSeriesMarkPosition* position) override;

protected:
    ~THorizLineSeries() override = default;
};

class TPointSeries : public TCustomSeries {
    CL_COMPONENT_CLASS(TPointSeries, TCustomSeries)

    explicit TPointSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    AnsiString GetEditorClass() const override { return "TSeriesPointerEditor"; }
    void SetColorEachPoint(bool value) override;
    int GetTransparency() override { return Pointer()->Transparency(); }
    void SetTransparency(int value) override { Pointer()->SetTransparency(value); }
    bool CanDoExtra() const { return true; }
    void CreateSubGallery(const TChartSubGalleryProc& addSubChart) const override;
    void SetSubGallery(int index) override;
    void PrepareForGallery(bool enabled) override;

protected:
    ~TPointSeries() override = default;

private:
    void ApplyPointSettings();
};

// Publishes the named settings of the line family ("AreaBrush", "AreaChartBrush", "AreaColor",
// "AreaLinesPen", "Brush", "ClickableLine", "ColorEachLine", "Dark3D", "DrawArea", "Gradient",
// "InvertedStairs", "LineBrush", "LineHeight", "LinePen", "OutLine", "Pointer", "Shadow",
// "Stacked", "Stairs", "Transparency") for a series class, in the order given.
void PublishSeriesSettings(const TMetaClass* seriesClass, std::initializer_list<const char*> names);

// Draws a series' point symbol as its legend symbol.
void PlotPointerDrawLegend(TSeriesPointer* pointer, TColor color, const TRect& rect, bool small);
