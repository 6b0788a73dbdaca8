#include "UiRapidFireButton.h"

namespace {

// The part of a 17 by 17 scroll-arrow face that each style keeps as the glyph.
struct TArrowCut {
    UINT state;
    TRect part;
};
const TArrowCut ArrowCuts[] = {
    {0, TRect()},
    {DFCS_SCROLLLEFT, Bounds(4, 4, 9, 9)},
    {DFCS_SCROLLUP, Bounds(4, 5, 9, 6)},
    {DFCS_SCROLLRIGHT, Bounds(6, 4, 9, 9)},
    {DFCS_SCROLLDOWN, Bounds(4, 6, 9, 6)},
};

const bool rapidFirePropertiesRegistered = [] {
    using C = TUiRapidFireButton;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, OrdinalProperty<C>("InitialDelay", pkInteger, &C::InitialDelay,
                                              &C::SetInitialDelay, 400));
    RegisterProperty(meta, OrdinalProperty<C>("Delay", pkInteger, &C::Delay, &C::SetDelay, 100));
    RegisterProperty(meta, EnumProperty<C>("ScrollStyle", &C::ScrollStyle, &C::SetScrollStyle,
                                           {"scsNone", "scsLeft", "scsUp", "scsRight", "scsDown"},
                                           scsNone));
    return true;
}();

}  // namespace

void TUiRapidFireButton::SetScrollStyle(TUiScrollStyle value) {
    if (value == scrollStyle_) return;
    scrollStyle_ = value;
    TBitmap empty;
    SetGlyph(&empty);
    if (value != scsNone) BuildArrowGlyph();
    Invalidate();
}

void TUiRapidFireButton::BuildArrowGlyph() {
    const TArrowCut& cut = ArrowCuts[scrollStyle_];
    TBitmap face;
    face.SetSize(17, 17);
    UINT state = cut.state;
    if (Down()) state |= DFCS_PUSHED;
    if (!Enabled()) state |= DFCS_INACTIVE;
    RECT r{0, 0, 17, 17};
    DrawFrameControl(face.Canvas()->Handle(), &r, DFC_SCROLL, state);
    TBitmap glyph;
    glyph.SetSize(cut.part.Width(), cut.part.Height());
    BitBlt(glyph.Canvas()->Handle(), 0, 0, cut.part.Width(), cut.part.Height(),
           face.Canvas()->Handle(), cut.part.Left, cut.part.Top, SRCCOPY);
    SetGlyph(&glyph);
}

void TUiRapidFireButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TSpeedButton::MouseDown(button, shift, x, y);
    if (!timer_) {
        timer_ = new TTimer(this);
        timer_->SetOnTimer([this](TObject* sender) { TimerExpired(sender); });
    }
    timer_->SetInterval(initialDelay_);
    timer_->SetEnabled(true);
}

void TUiRapidFireButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TSpeedButton::MouseUp(button, shift, x, y);
    if (timer_) timer_->SetEnabled(false);
}

void TUiRapidFireButton::TimerExpired(TObject*) {
    timer_->SetInterval(delay_);
    if (State() != bsDown || !MouseCapture()) return;
    try {
        Click();
    } catch (...) {
        timer_->SetEnabled(false);
        throw;
    }
}
