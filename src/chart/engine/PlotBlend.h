// Bitmap services of the chart canvas: translucent drawing over a saved background, bitmap
// blending, grey-scaling and smooth resampling, and two small geometry helpers.
#pragma once

#include "PlotGeometry.h"
#include "cl_graphics.h"

class TPlotCanvas;

// Saves the image under a rectangle of a canvas; DoBlend later mixes it back over what was
// drawn there since, so that `transparency` percent of the saved image shows through.
class TPlotBlend : public TObject {
    CL_CLASS(TPlotBlend, TObject)

    TPlotBlend(TPlotCanvas* canvas, const TRect& rect);
    ~TPlotBlend() override;
    void SetRectangle(const TRect& rect);
    void DoBlend(int transparency);
    const TRect& Rectangle() const { return rect_; }

private:
    TPlotCanvas* canvas_;
    TRect rect_;
    TBitmap* saved_ = nullptr;
    bool validSize_ = false;
};

// Mixes `bitmap` over `background` at `position`: `percent` of the background stays.
void PlotBlendBitmaps(double percent, TBitmap* bitmap, TBitmap* background, TPoint position);
// Grey from the average of the channels (method 0) or from the luminance weights (others).
void PlotGrayScale(TBitmap* bitmap, bool inverted, int method);

enum TSmoothStretchOption { ssBestQuality, ssBestPerformance };
// Resamples `source` into the size of `destination` (Lanczos3 or a triangle filter). Raises
// Exception "SmoothStretch: Source bitmap too small" or "... Destination bitmap too small".
void SmoothStretch(TBitmap* source, TBitmap* destination,
                   TSmoothStretchOption option = ssBestQuality);

// The point `distance` back from `to` towards `from`.
TPoint PointAtDistance(const TPoint& from, const TPoint& to, int distance);
double PlotDistance(double x, double y);
