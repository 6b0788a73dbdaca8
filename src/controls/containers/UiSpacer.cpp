#include "UiSpacer.h"

TUiSpacer::TUiSpacer(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 8, 25); }

void TUiSpacer::SetGrooved(bool value) {
    if (value == grooved_) return;
    grooved_ = value;
    Invalidate();
}

void TUiSpacer::Paint() {
    if (!grooved_) return;
    TCanvas* canvas = Canvas();
    const int x = Width() / 2 - 1;
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->MoveTo(x, 2);
    canvas->LineTo(x, Height() - 2);
    canvas->Pen()->SetColor(clBtnHighlight);
    canvas->MoveTo(x + 1, 2);
    canvas->LineTo(x + 1, Height() - 2);
}
