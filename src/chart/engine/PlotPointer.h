// The point symbol of series (twelve styles, flat or in depth, with gradient and transparency),
// the callout line or arrow from a point to a target, and the callout of series marks.
#pragma once

#include "PlotGradient.h"
#include "PlotShape.h"

class TChartSeries;
class TCanvas3D;
class TPlotCanvas3D;
class TSeriesMarkPosition;

enum TSeriesPointerStyle {
    psRectangle,
    psCircle,
    psTriangle,
    psDownTriangle,
    psCross,
    psDiagCross,
    psStar,
    psDiamond,
    psSmallDot,
    psNothing,
    psLeftTriangle,
    psRightTriangle
};
enum TArrowHeadStyle { ahNone, ahLine, ahSolid };

// When set, a mark arrow of the point's or the panel's colour is drawn black or white instead.
extern bool PlotCheckMarkArrowColor;

class TSeriesPointer : public TPlotCustomShapeBrushPen {
    CL_CLASS(TSeriesPointer, TPlotCustomShapeBrushPen)

    // Takes the series' chart as its panel; the series gives the depths.
    explicit TSeriesPointer(TChartSeries* series);
    ~TSeriesPointer() override;
    void Assign(TPersistent* source) override;

    // ---- Sizes and options ----
    int HorizSize() const { return horizSize_; }
    // Raise ChartException for a size of 0 or less.
    void SetHorizSize(int value);
    int VertSize() const { return vertSize_; }
    void SetVertSize(int value);
    void SetSize(int value);
    int GetSize() const { return Max(horizSize_, vertSize_); }
    // Without check or repaint, for series that set up their symbol.
    void ChangeHorizSize(int value) { horizSize_ = value; }
    void ChangeVertSize(int value) { vertSize_ = value; }
    void ChangeStyle(TSeriesPointerStyle value) { style_ = value; }
    void Change3D(bool value) { draw3D_ = value; }
    TSeriesPointerStyle Style() const { return style_; }
    void SetStyle(TSeriesPointerStyle value);
    bool InflateMargins() const { return inflateMargins_; }
    void SetInflate(bool value);
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value);
    bool Draw3D() const { return draw3D_; }
    void SetDraw3D(bool value);
    int Transparency() const { return transparency_; }
    void SetTransparency(int value);
    TPlotGradient* Gradient() const { return gradient_; }
    void SetGradient(TCustomPlotGradient* gradient) { gradient_->Assign(gradient); }
    TColor GetColor() { return Brush()->Color(); }
    void SetColor(TColor value) { Brush()->SetColor(value); }
    TChartPen* Frame() const { return Pen(); }
    TChartSeries* OwnerSeries() const { return ownerSeries_; }
    bool SizeChangeable = true;
    bool KeepGradientColors = false;

    int GetStartZ() const;
    int GetMiddleZ() const;
    int GetEndZ() const;
    void CalcHorizMargins(int& left, int& right);
    void CalcVerticalMargins(int& top, int& bottom);

    // ---- Drawing ----
    // The canvas takes the symbol's pen and brush for a point of colour `color`.
    void Prepare();
    void PrepareCanvas(TCanvas3D* canvas, TColor color);
    void Draw(int x, int y, TColor color, TSeriesPointerStyle style);
    void Draw(int x, int y) { Draw(x, y, GetColor(), style_); }
    void Draw(const TPoint& p) { Draw(p.X, p.Y); }
    void DrawPointer(TCanvas3D* canvas, bool is3D, int x, int y, int horizSize, int vertSize,
                     TColor color, TSeriesPointerStyle style);

protected:
    void SetIntegerOption(int& field, int value);
    void SetBooleanOption(bool& field, bool value);

private:
    void DrawShape(TCanvas3D* canvas, bool is3D, int x, int y, int h, int v,
                   TSeriesPointerStyle style);
    void DrawGradient(TCanvas3D* canvas, bool is3D, int x, int y, int h, int v, TColor color,
                      TSeriesPointerStyle style);

    bool dark3D_ = true;
    bool draw3D_ = true;
    TPlotGradient* gradient_ = nullptr;
    int horizSize_ = 4;
    bool inflateMargins_ = true;
    TChartSeries* ownerSeries_ = nullptr;
    TSeriesPointerStyle style_ = psRectangle;
    int transparency_ = 0;
    int vertSize_ = 4;
};

// A point symbol with a line or arrow from the point to a target.
class TCallout : public TSeriesPointer {
    CL_CLASS(TCallout, TSeriesPointer)

    using TSeriesPointer::Draw;

    explicit TCallout(TChartSeries* series);
    ~TCallout() override;
    void Assign(TPersistent* source) override;
    // The arrow from `to` to `from` at depth z, then (without a head) the symbol at `from`.
    void Draw(TColor color, const TPoint& from, const TPoint& to, int z);

    TWhitePen* Arrow() const { return arrow_; }
    void SetArrow(TChartPen* pen) { arrow_->Assign(pen); }
    TArrowHeadStyle ArrowHead() const { return arrowHead_; }
    void SetArrowHead(TArrowHeadStyle value);
    int ArrowHeadSize() const { return arrowHeadSize_; }
    void SetArrowHeadSize(int value) { SetIntegerOption(arrowHeadSize_, value); }
    int Distance() const { return distance_; }
    void SetDistance(int value) { SetIntegerOption(distance_, value); }

private:
    TWhitePen* arrow_ = nullptr;
    TArrowHeadStyle arrowHead_ = ahNone;
    int distance_ = 0;
    int arrowHeadSize_ = 8;
};

// The callout of series marks: hidden symbol, white arrow of a given length.
class TMarksCallout : public TCallout {
    CL_CLASS(TMarksCallout, TCallout)

    explicit TMarksCallout(TChartSeries* series);
    void Assign(TPersistent* source) override;
    int Length() const { return length_; }
    void SetLength(int value);
    bool IsLengthStored() const { return length_ != LengthDefault; }
    // Moves the position up by the distance (data point) and by length + distance (mark).
    void ApplyArrowLength(TSeriesMarkPosition* position);

    int LengthDefault = 8;

private:
    int length_ = 8;
};
