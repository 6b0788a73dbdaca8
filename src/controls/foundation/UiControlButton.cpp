#include "UiControlButton.h"

#include "UiButton.h"
#include "UiDrawing.h"
#include "UiGrafx.h"
#include "UiThemeSrv.h"
#include "UiUtils.h"

namespace {

// Theme element state offsets: normal, hot, pressed, disabled.
int ElementStep(bool active, bool pressed, bool flat, bool enabled) {
    if (active) return pressed ? 2 : 1;
    return !flat && !enabled ? 3 : 0;
}

// Draws the element with its left border and top two rows outside the rectangle.
void DrawElementClipped(TCanvas* canvas, const TThemedElementDetails& details, const TRect& rect) {
    TBitmap work;
    work.SetSize(rect.Width() + 3, rect.Height() + 4);
    ThemeServices()->DrawElement(work.Canvas()->Handle(), details,
                                 TRect(-1, -2, work.Width() - 1, work.Height() - 2));
    canvas->Draw(rect.Left, rect.Top, &work);
}

const bool controlButtonPropertiesRegistered = [] {
    using C = TUiControlButton;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, EnumProperty<C>("Style", &C::Style, &C::SetStyle,
                                           {"cbsNone", "cbsLeft", "cbsUp", "cbsRight", "cbsDown",
                                            "cbsDropDown"},
                                           cbsNone));
    RegisterProperty(meta, OrdinalProperty<C>("Flat", pkBool, &C::Flat, &C::SetFlat, 0));
    // The glyph before its cell count, which a new glyph resets.
    RegisterProperty(meta, SubObjectProperty<C>("Glyph", &C::Glyph));
    RegisterProperty(meta, SubrangeProperty<TIntSubrange<1, 4>, C>("NumGlyphs", &C::NumGlyphs,
                                                                   &C::SetNumGlyphs, 1));
    RegisterProperty(meta, OrdinalProperty<C>("RepeatClicks", pkBool, &C::RepeatClicks,
                                              &C::SetRepeatClicks, 0));
    RegisterProperty(meta, SubrangeProperty<TIntSubrange<0, 65535>, C>(
                               "InitialDelay", &C::InitialDelay, &C::SetInitialDelay, 400));
    RegisterProperty(meta, SubrangeProperty<TIntSubrange<0, 65535>, C>("Delay", &C::Delay,
                                                                       &C::SetDelay, 100));
    return true;
}();

}  // namespace

TUiControlButton::TUiControlButton(TComponent* owner)
    : TGraphicControl(owner), glyph_(new TBitmap()) {
    ControlStyle = {csCaptureMouse};
    SetBounds(0, 0, 17, 21);
    SetColor(clBtnFace);
    SetDragMode(dmManual);
    glyph_->OnChange = [this](TObject* sender) { GlyphChanged(sender); };
}

TUiControlButton::~TUiControlButton() {
    glyph_->Free();
    if (repeatTimer_) repeatTimer_->Free();
}

void TUiControlButton::SetStyle(TUiControlButtonStyle value) {
    if (value == style_) return;
    style_ = value;
    Invalidate();
}

void TUiControlButton::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    Repaint();
}

void TUiControlButton::SetGlyph(TBitmap* value) { glyph_->Assign(value); }

void TUiControlButton::GlyphChanged(TObject*) {
    const int w = glyph_->Width(), h = glyph_->Height();
    if (h > 0 && w % h == 0) numGlyphs_ = w / h >= 5 ? 1 : std::max(1, w / h);
    Invalidate();
}

void TUiControlButton::SetNumGlyphs(int value) {
    value = std::max(1, std::min(4, value));
    if (value == numGlyphs_) return;
    numGlyphs_ = value;
    Invalidate();
}

TSize TUiControlButton::GetImageSize() { return {glyph_->Width() / numGlyphs_, glyph_->Height()}; }

HPALETTE TUiControlButton::GetPalette() { return glyph_->Palette(); }

bool TUiControlButton::ThemesEnabled() const { return ThemeServices()->GetThemesEnabled(); }

bool TUiControlButton::Active() const {
    return pressed_ || (mouseInControl_ && Enabled()) || InState(csDesigning);
}

void TUiControlButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == mbLeft && Enabled()) {
        if (!pressed_) {
            pressed_ = true;
            Invalidate();
        }
        mouseTracking_ = true;
    }
    if (!repeatClicks_) return;
    if (!repeatTimer_) {
        repeatTimer_ = new TTimer(nullptr);
        repeatTimer_->SetOnTimer([this](TObject* sender) { RepeatTimerFired(sender); });
    }
    repeatTimer_->SetInterval(initialDelay_);
    repeatTimer_->SetEnabled(true);
}

void TUiControlButton::RepeatTimerFired(TObject*) {
    repeatTimer_->SetInterval(delay_);
    if (!pressed_ || !MouseCapture()) return;
    try {
        Click();
    } catch (...) {
        repeatTimer_->SetEnabled(false);
        throw;
    }
}

void TUiControlButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (mouseTracking_) {
        mouseTracking_ = false;
        pressed_ = false;
        mouseInControl_ = false;
        Repaint();
        if (x >= 0 && x < Width() && y >= 0 && y < Height()) Click();
        UpdateTracking();
    }
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
}

void TUiControlButton::UpdateTracking() {
    if (!(flat_ || ThemesEnabled()) || !Enabled()) return;
    const bool over = FindDragTarget(Mouse->CursorPos(), true) == this;
    Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

void TUiControlButton::MouseEnterLeave(TMessage& message, bool inside) {
    mouseInControl_ = inside;
    TGraphicControl::Dispatch(message);
    const TNotifyEvent& handler = inside ? OnMouseEnter : OnMouseLeave;
    if (handler) handler(this);
    if (flat_ || ThemesEnabled()) Repaint();
}

void TUiControlButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
        return MouseEnterLeave(message, true);
    case CM_MOUSELEAVE:
        return MouseEnterLeave(message, false);
    default:
        TGraphicControl::Dispatch(message);
    }
}

void TUiControlButton::DrawBtnFace(TRect& rect) {
    TCanvas* canvas = Canvas();
    if (ThemesEnabled()) {
        if (!Active() && flat_) {
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(rect);
        } else {
            const int step = ElementStep(Active(), pressed_, flat_, Enabled());
            DrawElementClipped(canvas,
                               TThemeServices::GetElementDetails(
                                   static_cast<TThemedScrollBar>(tsThumbBtnHorzNormal + step)),
                               rect);
        }
        rect = InflatedRect(rect, -2, -2);
        return;
    }
    if (flat_) {
        if (Active()) rect = DrawBorder(canvas, rect, pressed_ ? fsStatus : fsPopup);
        canvas->Brush()->SetColor(Color());
    } else {
        rect = pressed_ ? DrawBox(canvas, rect, clBtnShadow) : DrawBorder(canvas, rect, fsRaised);
        canvas->Brush()->SetColor(clBtnFace);
    }
    canvas->FillRect(rect);
}

void TUiControlButton::DrawSpinButton(TRect& rect) {
    static const TDirection directions[] = {dirLeft, dirLeft, dirUp, dirRight, dirDown};
    static const TThemedSpin bases[] = {tsDownHorzNormal, tsDownHorzNormal, tsUpNormal,
                                        tsUpHorzNormal, tsDownNormal};
    TCanvas* canvas = Canvas();
    const TDirection direction = directions[style_];
    if (ThemesEnabled()) {
        if (flat_ && !Active()) {
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(rect);
            DrawSpinArrow(canvas, rect, uiWindowsXP, direction, pressed_, Enabled());
        } else {
            const int step = ElementStep(Active(), pressed_, flat_, Enabled());
            ThemeServices()->DrawElement(
                canvas->Handle(),
                TThemeServices::GetElementDetails(static_cast<TThemedSpin>(bases[style_] + step)),
                rect);
        }
        rect = InflatedRect(rect, -2, -2);
        return;
    }
    if (flat_) {
        if (Active()) rect = DrawBorder(canvas, rect, pressed_ ? fsStatus : fsPopup);
        canvas->Brush()->SetColor(Color());
    } else {
        rect = pressed_ ? DrawBox(canvas, rect, clBtnShadow)
                        : DrawBorder(canvas, rect, fsButtonUp);
        canvas->Brush()->SetColor(Color());
    }
    canvas->FillRect(rect);
    DrawSpinArrow(canvas, rect, uiWindows95, direction, pressed_, Enabled());
}

void TUiControlButton::DrawDropDownButton(TRect& rect) {
    TCanvas* canvas = Canvas();
    if (ThemesEnabled()) {
        rect = InflatedRect(rect, 1, 1);
        if (flat_ && !Active()) {
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(rect);
            DrawDropDownArrow(canvas, rect, uiWindowsXP, pressed_, Enabled());
        } else {
            const int step = ElementStep(Active(), pressed_, flat_, Enabled());
            ThemeServices()->DrawElement(
                canvas->Handle(),
                TThemeServices::GetElementDetails(
                    static_cast<TThemedComboBox>(tcDropDownButtonNormal + step)),
                rect);
        }
        rect = InflatedRect(rect, -2, -2);
        return;
    }
    if (flat_) {
        if (Active()) rect = DrawBorder(canvas, rect, pressed_ ? fsStatus : fsPopup);
        canvas->Brush()->SetColor(Color());
    } else {
        rect = pressed_ ? DrawBox(canvas, rect, clBtnShadow)
                        : DrawBorder(canvas, rect, fsButtonUp);
        canvas->Brush()->SetColor(clBtnFace);
    }
    canvas->FillRect(rect);
    DrawDropDownArrow(canvas, rect, uiWindows95, pressed_, Enabled());
}

void TUiControlButton::DrawGlyph(const TRect& rect) {
    const int w = rect.Width(), h = rect.Height();
    if (w <= 0 || h <= 0) return;
    int cell = 0;
    if (numGlyphs_ > 2 && pressed_) cell = 2;
    else if (numGlyphs_ >= 2 && !Enabled()) cell = 1;
    TBitmap work;
    work.SetSize(w, h);
    work.Canvas()->Brush()->SetColor(Color());
    work.Canvas()->CopyRect(TRect(0, 0, w, h), Canvas(), rect);
    DrawFullTransparentBitmap(work.Canvas(), glyph_, TRect(0, 0, w, h),
                              TRect(cell * w, 0, cell * w + w, h), glyph_->TransparentColor());
    Canvas()->Draw(rect.Left, rect.Top, &work);
}

void TUiControlButton::Paint() {
    TRect r(0, 0, Width(), Height());
    switch (style_) {
    case cbsNone: {
        DrawBtnFace(r);
        if (glyph_->Empty()) return;
        const TSize size = GetImageSize();
        TRect place = CenterRect(InflatedRect(r, -1, -1), size.cx, size.cy);
        if (pressed_) place = MovedRect(place, 1, ThemesEnabled() ? 0 : 1);
        DrawGlyph(place);
        return;
    }
    case cbsDropDown:
        return DrawDropDownButton(r);
    default:
        return DrawSpinButton(r);
    }
}
