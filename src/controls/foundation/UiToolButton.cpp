#include "UiToolButton.h"

#include "cl_imagelist.h"

TUiToolButton::TUiToolButton(TComponent* owner) : TGraphicControl(owner) {
    ControlStyle.erase(csClickEvents);
    SetBounds(0, 0, 25, 25);
    SetColor(clBtnFace);
    SetParentColor(true);
}

void TUiToolButton::SetImages(TCustomImageList* images) {
    if (images == images_) return;
    images_ = images;
    if (images_) images_->FreeNotification(this);
    Invalidate();
}

void TUiToolButton::SetImageIndex(int index) {
    if (index == imageIndex_) return;
    imageIndex_ = index;
    Invalidate();
}

void TUiToolButton::SetLayout(TButtonLayout layout) {
    if (layout == layout_) return;
    layout_ = layout;
    Invalidate();
}

void TUiToolButton::SetShowCaption(bool value) {
    if (value == showCaption_) return;
    showCaption_ = value;
    Invalidate();
}

void TUiToolButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
}

void TUiToolButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
        SetHot(true);
        break;
    case CM_MOUSELEAVE:
        SetHot(false);
        break;
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
        Invalidate();
        break;
    }
    TGraphicControl::Dispatch(message);
}

void TUiToolButton::SetHot(bool hot) {
    if (hot == hot_) return;
    hot_ = hot;
    Invalidate();
}

void TUiToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    down_ = true;
    Repaint();
}

void TUiToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !down_) return;
    down_ = false;
    Repaint();
    if (Enabled() && x >= 0 && y >= 0 && x < Width() && y < Height()) Click();
}

void TUiToolButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect area(0, 0, Width(), Height());
    if (down_ || (hot_ && Enabled())) {
        const TColor light = down_ ? clBtnShadow : clBtnHighlight;
        const TColor dark = down_ ? clBtnHighlight : clBtnShadow;
        Frame3D(canvas, area, light, dark, 1);
    }
    PaintGlyph(area);
    if (showCaption_) PaintCaption(area);
}

void TUiToolButton::PaintGlyph(const TRect& area) {
    if (!images_ || imageIndex_ < 0 || imageIndex_ >= images_->Count()) return;
    const int w = images_->Width(), h = images_->Height();
    const bool onTop = layout_ == blGlyphTop;
    const int x = showCaption_ && !onTop ? area.Left + 3 : (area.Left + area.Right - w) / 2;
    const int y = showCaption_ && onTop ? area.Top + 3 : (area.Top + area.Bottom - h) / 2;
    images_->Draw(Canvas(), x, y, imageIndex_, Enabled());
}

namespace {

// The caption cut at the end with "..." so that it fits `width`; a caption that fits is kept.
AnsiString FittedCaption(TCanvas* canvas, const AnsiString& caption, int width) {
    if (canvas->TextWidth(caption) <= width) return caption;
    for (int length = caption.Length() - 1; length > 0; --length) {
        const AnsiString shortened = caption.SubString(1, length) + "...";
        if (canvas->TextWidth(shortened) <= width) return shortened;
    }
    return "";
}

}  // namespace

void TUiToolButton::PaintCaption(const TRect& area) {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Font()->SetColor(Enabled() ? clBtnText : clGrayText);
    canvas->Brush()->SetStyle(bsClear);
    const int glyphW = images_ ? images_->Width() : 0;
    const int room = area.Right - area.Left - 6 - (layout_ == blGlyphTop || !glyphW ? 0 : glyphW + 4);
    const AnsiString caption = FittedCaption(canvas, Caption(), room);
    const TSize size = canvas->TextExtent(caption);
    int x, y;
    if (layout_ == blGlyphTop) {
        x = (area.Left + area.Right - size.cx) / 2;
        y = area.Bottom - size.cy - 3;
    } else {
        x = area.Left + 3 + (glyphW ? glyphW + 4 : 0);
        y = (area.Top + area.Bottom - size.cy) / 2;
    }
    canvas->TextRect(area, x, y, caption);
}
