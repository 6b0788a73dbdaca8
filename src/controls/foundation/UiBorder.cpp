#include "UiBorder.h"

#include "UiColors.h"
#include "UiDrawing.h"
#include "UiFrameController.h"
#include "UiLabel.h"

TUiBorder::TUiBorder(TComponent* owner) : TGraphicControl(owner) {
    SetCaption("");
    SetBounds(Left(), Top(), 50, 50);
}

void TUiBorder::BeforeDestruction() {
    SetFrameController(nullptr);
    TGraphicControl::BeforeDestruction();
}

void TUiBorder::SetFrameController(TUiFrameController* value) {
    TUiFrameController::Relink(this, frameController_, value);
}

void TUiBorder::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == frameController_) frameController_ = nullptr;
}

void TUiBorder::AdjustClientRect(TRect& rect) {
    InflateRect(reinterpret_cast<RECT*>(&rect), -borderWidth_, -borderWidth_);
    for (TFrameStyleEx style : {borderOuter_, borderInner_}) {
        const int pixels = BorderStylePixels(style, bevelWidth_);
        if (HasSide(borderSides_, sdLeft)) rect.Left += pixels;
        if (HasSide(borderSides_, sdTop)) rect.Top += pixels;
        if (HasSide(borderSides_, sdRight)) rect.Right -= pixels;
        if (HasSide(borderSides_, sdBottom)) rect.Bottom -= pixels;
    }
    if (rect.Right < rect.Left || rect.Bottom < rect.Top) rect = TRect(0, 0, 0, 0);
}

TRect TUiBorder::GetClientRect() {
    TRect rect = TGraphicControl::GetClientRect();
    AdjustClientRect(rect);
    return rect;
}

void TUiBorder::CustomFramingChanged() {
    if (!frameController_ || !frameController_->FrameVisible()) return;
    auto admitted = [this](TUiFrameControllerProperty p) { return (notifications_ >> p) & 1; };
    if (admitted(fcpFrameStyle)) borderOuter_ = frameController_->FrameStyle();
    if (admitted(fcpFrameSides)) borderSides_ = frameController_->FrameSides();
    if (admitted(fcpFrameColor)) {
        flatColor_ = frameController_->FrameColor();
        flatColorAdjustment_ = 0;
    }
    if (admitted(fcpColor)) SetColor(frameController_->Color());
    if (admitted(fcpParentColor)) SetParentColor(frameController_->ParentColor());
    if (admitted(fcpColor)) {
        borderHighlight_ = LighterColor(Color(), 100);
        borderShadow_ = DarkerColor(Color(), 50);
    }
    Invalidate();
}

void TUiBorder::Dispatch(TMessage& message) {
    TGraphicControl::Dispatch(message);
    if (message.Msg == CM_MOUSEENTER && OnMouseEnter) OnMouseEnter(this);
    if (message.Msg == CM_MOUSELEAVE && OnMouseLeave) OnMouseLeave(this);
}

void TUiBorder::Paint() {
    TRect rect(0, 0, Width(), Height());
    TCanvas* canvas = Canvas();
    if (InState(csDesigning) && borderOuter_ == fsNone && borderWidth_ != 0) {
        canvas->Pen()->SetStyle(psDot);
        canvas->Pen()->SetColor(clBlack);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
        InflateRect(reinterpret_cast<RECT*>(&rect), -1, -1);
    }
    const TColor parentColor = Parent() ? Parent()->Color() : Color();
    const bool opaque = ControlStyle.count(csOpaque) != 0;
    DrawInnerOuterBorders(canvas, rect, borderOuter_, borderInner_, borderWidth_, borderSides_,
                          bevelWidth_, borderColor_, borderHighlight_, borderShadow_, flatColor_,
                          flatColorAdjustment_, InteriorColor(), parentColor, !opaque, false);
}
