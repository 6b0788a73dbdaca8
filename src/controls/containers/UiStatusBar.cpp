#include "UiStatusBar.h"

TUiStatusBar::TUiStatusBar(TComponent* owner) : TUiCustomPanel(owner) {
    SetBorderOuter(fsNone);
    SetAlign(alBottom);
    SetBounds(0, 0, 200, 19);
    ControlStyle.insert(csAcceptsControls);
}

void TUiStatusBar::GetGradientColors(TColor& start, TColor& stop) {
    if (GradientColorStyle() == gcsCustom) {
        start = GradientColorStop();
        stop = GradientColorStart();
        return;
    }
    TColor shade;
    GetGradientStatusBarColors(GradientColorStyle(), start, stop, shade);
}
