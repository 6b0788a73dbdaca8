// The gap between groups of tool buttons: empty, or a grooved vertical line in its middle.
#pragma once

#include "cl_controls.h"

class TUiSpacer : public TGraphicControl {
    CL_COMPONENT_CLASS(TUiSpacer, TGraphicControl)

    explicit TUiSpacer(TComponent* owner);

    bool Grooved() const { return grooved_; }
    void SetGrooved(bool value);

protected:
    void Paint() override;

private:
    bool grooved_ = false;
};
