#include "UiStatusPane.h"

#include "UiStatusBar.h"

TUiCustomStatusPane::TUiCustomStatusPane(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 100, 19);
    SetAlign(alLeft);
    SetColor(clBtnFace);
    SetParentColor(true);
}

void TUiCustomStatusPane::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Invalidate();
}

void TUiCustomStatusPane::SetBorderWidth(int width) {
    width = Max(0, width);
    if (width == borderWidth_) return;
    borderWidth_ = width;
    Invalidate();
}

void TUiCustomStatusPane::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    if (value)
        ControlStyle.erase(csOpaque);
    else
        ControlStyle.insert(csOpaque);
    Invalidate();
}

void TUiCustomStatusPane::Dispatch(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) Invalidate();
    TGraphicControl::Dispatch(message);
}

AnsiString TUiCustomStatusPane::DisplayText() { return Caption(); }

void TUiCustomStatusPane::FrameColors(TColor& light, TColor& dark) {
    light = clBtnHighlight;
    dark = clBtnShadow;
    auto* bar = dynamic_cast<TUiStatusBar*>(Parent());
    if (!bar || bar->VisualStyle() != vsGradient) return;
    TColor top, bottom;
    GetGradientStatusBarColors(bar->GradientColorStyle(), top, bottom, dark);
}

void TUiCustomStatusPane::PaintFrame(TRect& rect) {
    TCanvas* canvas = Canvas();
    rect = TRect(0, 0, Width(), Height());
    if (!transparent_) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(rect);
    }
    TColor light, dark;
    FrameColors(light, dark);
    TRect frame(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
    Frame3D(canvas, frame, dark, light, 1);
    rect = TRect(rect.Left + 1 + borderWidth_, rect.Top + 1 + borderWidth_,
                 rect.Right - 1 - borderWidth_, rect.Bottom - 1 - borderWidth_);
}

void TUiCustomStatusPane::PaintText(const TRect& rect, const AnsiString& text) {
    if (text.IsEmpty()) return;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsClear);
    const TSize size = canvas->TextExtent(text);
    int x = rect.Left + 2;
    if (alignment_ == taCenter) x = (rect.Left + rect.Right - size.cx) / 2;
    if (alignment_ == taRightJustify) x = rect.Right - size.cx - 2;
    canvas->TextRect(rect, x, (rect.Top + rect.Bottom - size.cy) / 2, text);
}

void TUiCustomStatusPane::Paint() {
    TRect rect;
    PaintFrame(rect);
    PaintText(rect, DisplayText());
}
