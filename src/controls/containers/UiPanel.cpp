#include "UiPanel.h"

TUiCustomPanel::TUiCustomPanel(TComponent* owner) : TCustomPanel(owner) {
    SetColor(clBtnFace);
}

void TUiCustomPanel::SetVisualStyle(TUiVisualStyle style) {
    if (style == visualStyle_) return;
    visualStyle_ = style;
    Invalidate();
}

void TUiCustomPanel::SetGradientColorStyle(TUiGradientColorStyle style) {
    if (style == gradientColorStyle_) return;
    gradientColorStyle_ = style;
    Invalidate();
}

void TUiCustomPanel::SetGradientColorStart(TColor color) {
    if (color == gradientColorStart_) return;
    gradientColorStart_ = color;
    Invalidate();
}

void TUiCustomPanel::SetGradientColorStop(TColor color) {
    if (color == gradientColorStop_) return;
    gradientColorStop_ = color;
    Invalidate();
}

void TUiCustomPanel::SetGradientDirection(TGradientDirection direction) {
    if (direction == gradientDirection_) return;
    gradientDirection_ = direction;
    Invalidate();
}

void TUiCustomPanel::GetGradientColors(TColor& start, TColor& stop) {
    if (gradientColorStyle_ == gcsCustom) {
        start = gradientColorStart_;
        stop = gradientColorStop_;
    } else {
        GetGradientPanelColors(gradientColorStyle_, start, stop);
    }
}

void TUiCustomPanel::PaintBevels(TRect& rect) {
    TColor top, bottom;
    if (BevelOuter() != bvNone) {
        BevelColors(BevelOuter(), top, bottom);
        Frame3D(Canvas(), rect, top, bottom, BevelWidth());
    }
    if (BevelInner() != bvNone) {
        BevelColors(BevelInner(), top, bottom);
        Frame3D(Canvas(), rect, top, bottom, BevelWidth());
    }
}

void TUiCustomPanel::PaintCaption(const TRect& rect) {
    const AnsiString caption = Caption();
    if (caption.IsEmpty()) return;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsClear);
    const TSize size = canvas->TextExtent(caption);
    int x = rect.Left + 2;
    if (Alignment() == taCenter) x = (rect.Left + rect.Right - size.cx) / 2;
    if (Alignment() == taRightJustify) x = rect.Right - size.cx - 2;
    canvas->TextRect(rect, x, (rect.Top + rect.Bottom - size.cy) / 2, caption);
}

void TUiCustomPanel::Paint() {
    if (visualStyle_ != vsGradient) {
        TCustomPanel::Paint();
        return;
    }
    TRect rect = ClientRect();
    TColor start, stop;
    GetGradientColors(start, stop);
    PaintGradient(Canvas(), rect, gradientDirection_, start, stop);
    PaintBevels(rect);
    PaintCaption(rect);
    if (OnPaint) OnPaint(this);
}
