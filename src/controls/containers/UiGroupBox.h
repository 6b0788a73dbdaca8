// The control library's group box: an etched frame with its caption in the top edge, holding
// related controls.
#pragma once

#include "UiPanel.h"

class TUiGroupBox : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiGroupBox, TUiCustomPanel)

    explicit TUiGroupBox(TComponent* owner);

    void AdjustClientRect(TRect& rect) override;

protected:
    void Paint() override;
};
