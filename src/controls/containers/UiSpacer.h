// The gap between groups of tool buttons: empty, or a groove across its middle that runs
// along the toolbar's rows or columns.
#pragma once

#include "UiCommon.h"
#include "cl_controls.h"

class TUiSpacer : public TGraphicControl {
    CL_COMPONENT_CLASS(TUiSpacer, TGraphicControl)

    explicit TUiSpacer(TComponent* owner);

    bool Grooved() const { return grooved_; }
    virtual void SetGrooved(bool value);
    TOrientation Orientation() const { return orientation_; }
    // Swaps width and height for a changed orientation.
    virtual void SetOrientation(TOrientation orientation);

protected:
    void Paint() override;

private:
    bool grooved_ = false;
    TOrientation orientation_ = orHorizontal;
};
