// The chart panel's surroundings: zoom and scroll settings with the drag state, the background
// (colour or gradient, shadow, back image) and the XOR-drawn zoom rectangle.
#pragma once

#include "PlotGradient.h"
#include "PlotPanel.h"

enum TPlotZoomDirection { tzdHorizontal, tzdVertical, tzdBoth };
enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };
enum TPlotBackImageMode { pbmStretch, pbmTile, pbmCenter, pbmCustom };

class TPlotZoomBrush : public TChartBrush {
    CL_CLASS(TPlotZoomBrush, TChartBrush)

    TPlotZoomBrush();
};

class TPlotZoomPen : public TChartPen {
    CL_CLASS(TPlotZoomPen, TChartPen)

    TPlotZoomPen();
};

// The mouse zoom settings and the zoom drag.
class TPlotZoom : public TZoomPanning {
    CL_CLASS(TPlotZoom, TZoomPanning)

    ~TPlotZoom() override;
    // Copies everything but MinimumPixels and UpLeftZooms.
    void Assign(TPersistent* source) override;

    // Made on first use.
    TPlotZoomBrush* GetBrush();
    TPlotZoomBrush* BrushIfAny() const { return brush_; }
    void SetBrush(TChartBrush* brush);
    TPlotZoomPen* GetPen();
    TPlotZoomPen* PenIfAny() const { return pen_; }
    void SetPen(TChartPen* pen);

    bool Allow = true;
    bool Animated = false;
    int AnimatedSteps = 8;
    TPlotZoomDirection Direction = tzdBoth;
    TShiftState KeyShift;
    int MinimumPixels = 16;
    TMouseButton MouseButton = mbLeft;
    bool UpLeftZooms = false;

private:
    TPlotZoomBrush* brush_ = nullptr;
    TPlotZoomPen* pen_ = nullptr;
};

// The panel's back image and where it goes.
class TBackImage : public TPicture {
    CL_CLASS(TBackImage, TPicture)

    void Assign(TPersistent* source) override;
    bool Inside() const { return inside_; }
    void SetInside(bool value);
    int Left() const { return left_; }
    void SetLeft(int value);
    int Top() const { return top_; }
    void SetTop(int value);
    TPlotBackImageMode Mode() const { return mode_; }
    void SetMode(TPlotBackImageMode value);

private:
    bool inside_ = false;
    int left_ = 0;
    int top_ = 0;
    TPlotBackImageMode mode_ = pbmStretch;
};

class TCustomPlotPanelExtended : public TCustomPlotPanel {
    CL_CLASS(TCustomPlotPanelExtended, TCustomPlotPanel)

    explicit TCustomPlotPanelExtended(TComponent* owner);
    void BeforeDestruction() override;
    void Assign(TPersistent* source) override;
    // The legacy zoom settings "AllowZoom", "AnimatedZoom" and "AnimatedZoomSteps", and
    // "PrintMargins" as four integers, written unless all are 15.
    void DefineProperties(TFiler* filer) override;

    // The background of every drawing: shadow margin, fill, back image and frame.
    virtual void FillPanelRect(const TRect& rect);
    virtual void PanelPaint(TRect rect);
    // The back image into the rectangle at depth z (0 for the panel background).
    void DrawBitmap(TRect rect, int z);
    // Drawn with XOR-ing colours: a second call with the same corners erases it.
    void DrawZoomRectangle();
    // Fires OnUndoZoom, repaints and clears IsZoomed.
    virtual void UndoZoom();
    HPALETTE GetPalette() override;

    bool HasBackImage() const;
    TBackImage* GetBackImage();
    TBackImage* BackImageIfAny() const { return backImage_; }
    void SetBackImage(TPicture* picture);
    bool BackImageInside() { return GetBackImage()->Inside(); }
    void SetBackImageInside(bool value) { GetBackImage()->SetInside(value); }
    TPlotBackImageMode BackImageMode() { return GetBackImage()->Mode(); }
    void SetBackImageMode(TPlotBackImageMode value) { GetBackImage()->SetMode(value); }
    bool BackImageTransp() const;
    void SetBackImageTransp(bool value);
    TPlotGradient* GetGradient();
    TPlotGradient* GradientIfAny() const { return gradient_; }
    void SetGradient(TCustomPlotGradient* gradient);
    TPlotZoom* Zoom() const { return zoom_; }
    void SetZoom(TPlotZoom* zoom) { zoom_->Assign(zoom); }
    TPanningMode AllowPanning() const { return allowPanning_; }
    void SetAllowPanning(TPanningMode value) { allowPanning_ = value; }

    // Legacy names of the zoom settings.
    bool GetAllowZoom() const { return zoom_->Allow; }
    void SetAllowZoom(bool value) { zoom_->Allow = value; }
    bool GetAnimatedZoom() const { return zoom_->Animated; }
    void SetAnimatedZoom(bool value) { zoom_->Animated = value; }
    int GetAnimatedZoomSteps() const { return zoom_->AnimatedSteps; }
    void SetAnimatedZoomSteps(int value) { zoom_->AnimatedSteps = value; }

    // (Zoomed for the chart types.)
    bool IsZoomed = false;
    TNotifyEvent OnAfterDraw;
    TNotifyEvent OnScroll;
    TNotifyEvent OnUndoZoom;
    TNotifyEvent OnZoom;

protected:
    ~TCustomPlotPanelExtended() override;

private:
    TPanningMode allowPanning_ = pmBoth;
    TPlotGradient* gradient_ = nullptr;
    TPlotZoom* zoom_ = nullptr;
    TBackImage* backImage_ = nullptr;
};
