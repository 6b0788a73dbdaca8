// The control library's status bar: a panel docked at the bottom of its form that holds
// status panes as aligned children and paints a plain or gradient background.
#pragma once

#include "UiPanel.h"

class TUiStatusBar : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiStatusBar, TUiCustomPanel)

    explicit TUiStatusBar(TComponent* owner);

protected:
    void GetGradientColors(TColor& start, TColor& stop) override;
};
