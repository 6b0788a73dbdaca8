#include "UiSpacer.h"

#include "UiThemeSrv.h"

TUiSpacer::TUiSpacer(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 8, 25); }

void TUiSpacer::SetGrooved(bool value) {
    if (value == grooved_) return;
    grooved_ = value;
    Invalidate();
}

void TUiSpacer::SetOrientation(TOrientation orientation) {
    if (orientation == orientation_) return;
    orientation_ = orientation;
    if (!InState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TUiSpacer::Paint() {
    TCanvas* canvas = Canvas();
    const TRect r = ClientRect();
    const bool wide = r.Width() > r.Height();
    if (!grooved_) {
        if (!InState(csDesigning)) return;
        canvas->Pen()->SetStyle(psDot);
        canvas->Pen()->SetColor(clBlack);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(r);
        return;
    }
    if (ThemeServices()->GetThemesEnabled()) {
        const TThemedToolBar part = wide ? ttbSeparatorVertNormal : ttbSeparatorNormal;
        ThemeServices()->DrawElement(canvas->Handle(), TThemeServices::GetElementDetails(part), r);
        return;
    }
    canvas->Pen()->SetStyle(psSolid);
    if (wide) {
        const int y = (r.Bottom - r.Top) / 2 + r.Top - 1;
        canvas->Pen()->SetColor(clBtnShadow);
        canvas->MoveTo(r.Left + 1, y);
        canvas->LineTo(r.Right, y);
        canvas->Pen()->SetColor(clBtnHighlight);
        canvas->MoveTo(r.Left + 1, y + 1);
        canvas->LineTo(r.Right, y + 1);
    } else {
        const int x = (r.Right - r.Left) / 2 + r.Left - 1;
        canvas->Pen()->SetColor(clBtnShadow);
        canvas->MoveTo(x, r.Top + 1);
        canvas->LineTo(x, r.Bottom);
        canvas->Pen()->SetColor(clBtnHighlight);
        canvas->MoveTo(x + 1, r.Top + 1);
        canvas->LineTo(x + 1, r.Bottom);
    }
}
