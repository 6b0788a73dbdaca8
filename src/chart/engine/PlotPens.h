// The chart pen family and the chart brush: the persistent pen and brush objects that chart
// elements own, each reporting every real change through the handler given at construction.
#pragma once

#include "PlotGeometry.h"
#include "cl_graphics.h"

// The pen of every chart element: the class-library pen plus line caps, small dots and a
// visibility switch. An invisible pen draws nothing.
class TChartPen : public TPen {
    CL_CLASS(TChartPen, TPen)

    explicit TChartPen(const TNotifyEvent& onChange = TNotifyEvent());
    void Assign(TPersistent* source) override;

    TPenEndStyle EndStyle() const { return endStyle_; }
    void SetEndStyle(TPenEndStyle value);
    bool SmallDots() const { return smallDots_; }
    void SetSmallDots(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    // The values that are not streamed; owners whose own default differs set them.
    TPenEndStyle DefaultEndStyle = esRound;
    bool DefaultVisible = true;
    bool IsVisibleStored() const { return visible_ != DefaultVisible; }
    bool IsEndStored() const { return endStyle_ != DefaultEndStyle; }

protected:
    // For subclasses whose defaults differ: sets the field without firing.
    void InitVisible(bool value) { visible_ = value; }

private:
    TPenEndStyle endStyle_ = esRound;
    bool smallDots_ = false;
    bool visible_ = true;
};

// A pen that starts invisible.
class TChartHiddenPen : public TChartPen {
    CL_CLASS(TChartHiddenPen, TChartPen)

    explicit TChartHiddenPen(const TNotifyEvent& onChange = TNotifyEvent());
};

// Grey dotted lines (grids).
class TDottedGrayPen : public TChartPen {
    CL_CLASS(TDottedGrayPen, TChartPen)

    explicit TDottedGrayPen(const TNotifyEvent& onChange = TNotifyEvent());
};

class TDarkGrayPen : public TChartPen {
    CL_CLASS(TDarkGrayPen, TChartPen)

    explicit TDarkGrayPen(const TNotifyEvent& onChange = TNotifyEvent());
};

class TWhitePen : public TChartPen {
    CL_CLASS(TWhitePen, TChartPen)

    explicit TWhitePen(const TNotifyEvent& onChange = TNotifyEvent());
};

// The brush of chart elements. Its colour starts as clDefault, which tells the owner to use its
// own colour; `Image` is a pattern picture made on first read and owned by the brush.
class TChartBrush : public TBrush {
    CL_CLASS(TChartBrush, TBrush)

    explicit TChartBrush(const TNotifyEvent& onChange = TNotifyEvent());
    ~TChartBrush() override;
    void Assign(TPersistent* source) override;

    TPicture* GetImage();
    // Null when no image was read or set yet.
    TPicture* ImageIfAny() const { return image_; }
    // Copies the picture into the image; null frees the image.
    void SetImage(TPicture* picture);
    // Clear style and no image.
    void Clear();
    // The image as a bitmap for a pattern brush (pictures of other kinds drawn into a bitmap
    // the brush keeps); null without an image.
    TBitmap* ImageBitmap();

private:
    void ImageChanged(TObject* sender);
    TPicture* image_ = nullptr;
    TBitmap* pattern_ = nullptr;
};
