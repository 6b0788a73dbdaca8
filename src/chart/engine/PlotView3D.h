// The 3-D view options of a chart panel: elevation, rotation, tilt, perspective, the oblique
// ("orthogonal") projection, zoom and offsets; every real change repaints the owner control.
#pragma once

#include "PlotGeometry.h"
#include "cl_component.h"

class TWinControl;

class TView3DOptions : public TPersistent {
    CL_CLASS(TView3DOptions, TPersistent)

    // `ownerControl` is repainted on every change; it is not owned.
    explicit TView3DOptions(TWinControl* ownerControl);
    // Copies all eleven properties of another view without repainting or events.
    void Assign(TPersistent* source) override;
    void Repaint();
    // 1.0 unless orthogonal; then tan of the oblique angle folded into 0 .. 90 degrees.
    double CalcOrthoRatio() const;

    int Elevation() const { return elevation_; }
    void SetElevation(int value) { SetIntegerProperty(elevation_, value); }
    int FontZoom() const { return fontZoom_; }
    void SetFontZoom(int value) { SetIntegerProperty(fontZoom_, value); }
    int HorizOffset() const { return horizOffset_; }
    void SetHorizOffset(int value);
    bool Orthogonal() const { return orthogonal_; }
    void SetOrthogonal(bool value) { SetBooleanProperty(orthogonal_, value); }
    int OrthoAngle() const { return orthoAngle_; }
    void SetOrthoAngle(int value) { SetIntegerProperty(orthoAngle_, value); }
    int Perspective() const { return perspective_; }
    void SetPerspective(int value) { SetIntegerProperty(perspective_, value); }
    int Rotation() const { return rotation_; }
    void SetRotation(int value) { SetIntegerProperty(rotation_, value); }
    int Tilt() const { return tilt_; }
    void SetTilt(int value) { SetIntegerProperty(tilt_, value); }
    int VertOffset() const { return vertOffset_; }
    void SetVertOffset(int value);
    int Zoom() const { return zoom_; }
    void SetZoom(int value);
    bool ZoomText() const { return zoomText_; }
    void SetZoomText(bool value) { SetBooleanProperty(zoomText_, value); }
    TWinControl* OwnerControl() const { return ownerControl_; }

    // After an offset changed (true: horizontal).
    TPlotView3DScrolled OnScrolled;
    // Before a new zoom is stored.
    TPlotView3DChangedZoom OnChangedZoom;

private:
    bool SetIntegerProperty(int& field, int value);
    bool SetBooleanProperty(bool& field, bool value);

    int elevation_ = 345;
    int fontZoom_ = 100;
    int horizOffset_ = 0;
    bool orthogonal_ = true;
    int orthoAngle_ = 45;
    int perspective_ = 15;
    int rotation_ = 345;
    int tilt_ = 0;
    int vertOffset_ = 0;
    int zoom_ = 100;
    bool zoomText_ = true;
    TWinControl* ownerControl_;
};
