#include "PlotView3D.h"

#include <cmath>

#include "cl_controls.h"

TView3DOptions::TView3DOptions(TWinControl* ownerControl) : ownerControl_(ownerControl) {}

void TView3DOptions::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TView3DOptions*>(source);
    if (!other) return;
    elevation_ = other->elevation_;
    fontZoom_ = other->fontZoom_;
    horizOffset_ = other->horizOffset_;
    orthogonal_ = other->orthogonal_;
    orthoAngle_ = other->orthoAngle_;
    perspective_ = other->perspective_;
    rotation_ = other->rotation_;
    tilt_ = other->tilt_;
    vertOffset_ = other->vertOffset_;
    zoom_ = other->zoom_;
    zoomText_ = other->zoomText_;
}

void TView3DOptions::Repaint() {
    if (ownerControl_) ownerControl_->Invalidate();
}

double TView3DOptions::CalcOrthoRatio() const {
    if (!orthogonal_) return 1.0;
    int angle = orthoAngle_;
    if (angle > 90) angle = 180 - angle;
    const double radians = angle * PlotPiStep;
    return std::sin(radians) / std::cos(radians);
}

bool TView3DOptions::SetIntegerProperty(int& field, int value) {
    if (field == value) return false;
    field = value;
    Repaint();
    return true;
}

bool TView3DOptions::SetBooleanProperty(bool& field, bool value) {
    if (field == value) return false;
    field = value;
    Repaint();
    return true;
}

void TView3DOptions::SetHorizOffset(int value) {
    if (SetIntegerProperty(horizOffset_, value) && OnScrolled) OnScrolled(true);
}

void TView3DOptions::SetVertOffset(int value) {
    if (SetIntegerProperty(vertOffset_, value) && OnScrolled) OnScrolled(false);
}

void TView3DOptions::SetZoom(int value) {
    if (value == zoom_) return;
    if (OnChangedZoom) OnChangedZoom(value);
    SetIntegerProperty(zoom_, value);
}
