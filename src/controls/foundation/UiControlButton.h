// A small window-less button for use inside other controls: a spin arrow, a drop-down arrow or a
// plain face with a glyph, optionally repeating its click while held.
#pragma once

#include <cstdint>

#include "UiCommon.h"
#include "cl_extctrls.h"

enum TUiControlButtonStyle { cbsNone, cbsLeft, cbsUp, cbsRight, cbsDown, cbsDropDown };

class TUiControlButton : public TGraphicControl {
    CL_COMPONENT_CLASS(TUiControlButton, TGraphicControl)

    explicit TUiControlButton(TComponent* owner);

    TUiControlButtonStyle Style() const { return style_; }
    virtual void SetStyle(TUiControlButtonStyle value);
    bool Flat() const { return flat_; }
    virtual void SetFlat(bool value);
    TBitmap* Glyph() const { return glyph_; }
    // Copies the bitmap.
    virtual void SetGlyph(TBitmap* value);
    int NumGlyphs() const { return numGlyphs_; }
    virtual void SetNumGlyphs(int value);
    bool RepeatClicks() const { return repeatClicks_; }
    void SetRepeatClicks(bool value) { repeatClicks_ = value; }
    uint16_t InitialDelay() const { return initialDelay_; }
    void SetInitialDelay(uint16_t value) { initialDelay_ = value; }
    uint16_t Delay() const { return delay_; }
    void SetDelay(uint16_t value) { delay_ = value; }
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    bool Pressed() const { return pressed_; }
    bool MouseInControl() const { return mouseInControl_; }
    virtual TSize GetImageSize();
    void Click() override { TGraphicControl::Click(); }
    void Dispatch(TMessage& message) override;
    HPALETTE GetPalette() override;

protected:
    ~TUiControlButton() override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    virtual void DrawBtnFace(TRect& rect);
    virtual void DrawSpinButton(TRect& rect);
    virtual void DrawDropDownButton(TRect& rect);
    virtual void DrawGlyph(const TRect& rect);

private:
    bool Active() const;
    bool ThemesEnabled() const;
    void RepeatTimerFired(TObject* sender);
    void GlyphChanged(TObject* sender);
    void UpdateTracking();
    void MouseEnterLeave(TMessage& message, bool inside);

    TUiControlButtonStyle style_ = cbsNone;
    bool flat_ = false;
    TBitmap* glyph_;
    int numGlyphs_ = 1;
    bool repeatClicks_ = false;
    uint16_t initialDelay_ = 400;
    uint16_t delay_ = 100;
    bool pressed_ = false;
    bool mouseTracking_ = false;
    bool mouseInControl_ = false;
    TTimer* repeatTimer_ = nullptr;
};
