// The framed box of titles, legends, marks and axis items (frame, fill or gradient, bevel,
// shadow, transparency), drawn optionally rotated and in depth; subclasses draw the texts.
#pragma once

#include "PlotFont.h"
#include "PlotGradient.h"
#include "PlotPens.h"
#include "PlotShadow.h"

class TCustomPlotPanel;
class TPlotCustomShape;
class TPlotCanvas3D;

enum TChartObjectShapeStyle { fosRectangle, fosRoundRectangle };
enum TTextFormat { ttfNormal, ttfHtml };

using TChartBrushClass = TChartBrush* (*)(const TNotifyEvent& onChange);
using TPlotShapeClass = TPlotCustomShape* (*)(TCustomPlotPanel* parent);

// The four corners of the rectangle turned counter-clockwise by `angle` degrees about its
// centre, in the order left-top, right-top, right-bottom, left-bottom.
void RectToFourPoints(const TRect& rect, double angle, TFourPoints& points);

// The smallest drawable chart element: brush, frame pen and visibility, repainting its panel.
class TPlotCustomShapeBrushPen : public TPersistent {
    CL_CLASS(TPlotCustomShapeBrushPen, TPersistent)

    explicit TPlotCustomShapeBrushPen(TCustomPlotPanel* parent);
    ~TPlotCustomShapeBrushPen() override;
    void Assign(TPersistent* source) override;

    virtual void SetParent(TCustomPlotPanel* parent) { parent_ = parent; }
    TCustomPlotPanel* Parent() const { return parent_; }
    // Made on first use, of the class GetBrushClass gives.
    TChartBrush* Brush();
    void SetBrush(TChartBrush* brush) { Brush()->Assign(brush); }
    TChartPen* Pen() const { return pen_; }
    void SetPen(TChartPen* pen) { pen_->Assign(pen); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // The parent panel's invalidation; nothing without a parent.
    void Repaint();
    void CanvasChanged(TObject* sender);

protected:
    virtual TChartBrushClass GetBrushClass() const;
    TNotifyEvent ChangeHandler();

private:
    TCustomPlotPanel* parent_ = nullptr;
    TChartBrush* brush_ = nullptr;
    TChartPen* pen_ = nullptr;
    bool visible_ = true;
};

class TPlotCustomShape : public TPlotCustomShapeBrushPen {
    CL_CLASS(TPlotCustomShape, TPlotCustomShapeBrushPen)

    explicit TPlotCustomShape(TCustomPlotPanel* parent);
    static TPlotCustomShape* Create(TCustomPlotPanel* parent) {
        return new TPlotCustomShape(parent);
    }
    ~TPlotCustomShape() override;
    void Assign(TPersistent* source) override;
    // The legacy "ShadowColor" and "ShadowSize", read into Shadow.
    void DefineProperties(TFiler* filer) override;

    void Draw() { DrawRectRotated(ShapeBounds, 0, 0); }
    void DrawRectRotated(const TRect& rect, double angle, int z);

    TBevelCut Bevel() const { return bevel_; }
    void SetBevel(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TPlotFont* Font() const { return font_; }
    void SetFont(TPlotFont* font) { font_->Assign(font); }
    // Null after SetShadow(nullptr).
    TPlotShadow* Shadow() const { return shadow_; }
    void SetShadow(TPlotShadow* shadow);
    TChartObjectShapeStyle ShapeStyle() const { return shapeStyle_; }
    void SetShapeStyle(TChartObjectShapeStyle value);
    TTextFormat TextFormat() const { return textFormat_; }
    void SetTextFormat(TTextFormat value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool TransparentDefault = false;
    bool IsTranspStored() const { return transparent_ != TransparentDefault; }
    // Made on first use, of the class GetGradientClass gives.
    TCustomPlotGradient* GetGradient();
    TCustomPlotGradient* GradientIfAny() const { return gradient_; }
    void SetGradient(TCustomPlotGradient* gradient);
    int Transparency() const { return transparency_; }
    void SetTransparency(int value);

    // Legacy forms of the shadow's colour and size.
    TColor GetShadowColor() const { return shadow_ ? shadow_->Color() : clNone; }
    void SetShadowColor(TColor value);
    int GetShadowSize() const { return shadow_ ? shadow_->GetSize() : 0; }
    void SetShadowSize(int value);

    // Inclusive edges.
    int GetWidth() const { return ShapeBounds.Right - ShapeBounds.Left + 1; }
    int GetHeight() const { return ShapeBounds.Bottom - ShapeBounds.Top + 1; }
    void SetWidth(int value) { ShapeBounds.Right = ShapeBounds.Left + value - 1; }
    void SetHeight(int value) { ShapeBounds.Bottom = ShapeBounds.Top + value - 1; }

    TRect ShapeBounds;

protected:
    virtual TPlotGradientClass GetGradientClass() const;
    // Colour black, size 3, both recorded as the stored defaults. Subclasses with other
    // defaults call their own form from their constructor.
    virtual void InitShadow(TPlotShadow* shadow);

private:
    void DrawOutline(TPlotCanvas3D* canvas, const TRect& rect, double angle, int z);

    TBevelCut bevel_ = bvNone;
    int bevelWidth_ = 2;
    TColor color_ = clWhite;
    TPlotFont* font_ = nullptr;
    TPlotShadow* shadow_ = nullptr;
    TChartObjectShapeStyle shapeStyle_ = fosRectangle;
    TTextFormat textFormat_ = ttfNormal;
    bool transparent_ = false;
    TCustomPlotGradient* gradient_ = nullptr;
    int transparency_ = 0;
};

// The framed box with its appearance published (axis label format, legend title).
class TPlotShape : public TPlotCustomShape {
    CL_CLASS(TPlotShape, TPlotCustomShape)

    explicit TPlotShape(TCustomPlotPanel* parent) : TPlotCustomShape(parent) {}
    static TPlotCustomShape* Create(TCustomPlotPanel* parent) { return new TPlotShape(parent); }
};
