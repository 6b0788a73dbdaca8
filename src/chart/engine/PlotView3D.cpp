#include "PlotView3D.h"

#include "PlotPublished.h"

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

namespace {

// The 3-D view's published properties, for the component streams.
const bool view3DPropertiesRegistered = [] {
    using V = TView3DOptions;
    const TMetaClass* view = V::StaticClass();
    RegisterProperty(view, OrdinalProperty<V>("Elevation", pkInteger, &V::Elevation,
                                              &V::SetElevation, 345));
    RegisterProperty(view, OrdinalProperty<V>("FontZoom", pkInteger, &V::FontZoom,
                                              &V::SetFontZoom, 100));
    RegisterProperty(view, OrdinalProperty<V>("HorizOffset", pkInteger, &V::HorizOffset,
                                              &V::SetHorizOffset, 0));
    RegisterProperty(view, OrdinalProperty<V>("Orthogonal", pkBool, &V::Orthogonal,
                                              &V::SetOrthogonal, 1));
    RegisterProperty(view, OrdinalProperty<V>("OrthoAngle", pkInteger, &V::OrthoAngle,
                                              &V::SetOrthoAngle, 45));
    RegisterProperty(view, OrdinalProperty<V>("Perspective", pkInteger, &V::Perspective,
                                              &V::SetPerspective, 15));
    RegisterProperty(view, OrdinalProperty<V>("Rotation", pkInteger, &V::Rotation,
                                              &V::SetRotation, 345));
    RegisterProperty(view, OrdinalProperty<V>("Tilt", pkInteger, &V::Tilt, &V::SetTilt, 0));
    RegisterProperty(view, OrdinalProperty<V>("VertOffset", pkInteger, &V::VertOffset,
                                              &V::SetVertOffset, 0));
    RegisterProperty(view, OrdinalProperty<V>("Zoom", pkInteger, &V::Zoom, &V::SetZoom, 100));
    RegisterProperty(view, OrdinalProperty<V>("ZoomText", pkBool, &V::ZoomText, &V::SetZoomText,
                                              1));
    return true;
}();

}  // namespace
