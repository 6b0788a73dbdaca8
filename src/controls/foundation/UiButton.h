// The library's windowed push buttons: the shared base (hot tracking, 3-D caption, mouse and
// focus handling) and the push button with its framed, hot-track or themed face and groups.
#pragma once

#include "UiCommon.h"
#include "cl_extctrls.h"

// Broadcast to a button's siblings when a button of a group goes down: WParam the group,
// LParam the sending TUiButton.
constexpr UINT CM_UIBUTTONPRESSED = 0x2421;

inline TRect InflatedRect(const TRect& r, int dx, int dy) {
    return TRect(r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy);
}
inline TRect MovedRect(const TRect& r, int dx, int dy) {
    return TRect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
}

class TUiCustomButton : public TCustomControl {
    CL_CLASS(TUiCustomButton, TCustomControl)

    explicit TUiCustomButton(TComponent* owner);

    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    virtual void SetAlignmentVertical(TAlignmentVertical value);
    bool HotTrack() const { return hotTrack_; }
    virtual void SetHotTrack(bool value);
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor value);
    TUiHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(TUiHotTrackColorType value);
    TColor HighlightColor() const { return highlightColor_; }
    virtual void SetHighlightColor(TColor value);
    bool LightTextStyle() const { return lightTextStyle_; }
    virtual void SetLightTextStyle(bool value);
    TTextStyle TextStyle() const { return textStyle_; }
    virtual void SetTextStyle(TTextStyle value);
    TColor TextHighlightColor() const { return textHighlightColor_; }
    virtual void SetTextHighlightColor(TColor value);
    TColor TextShadowColor() const { return textShadowColor_; }
    virtual void SetTextShadowColor(TColor value);
    int TextShadowDepth() const { return textShadowDepth_; }
    virtual void SetTextShadowDepth(int value);
    bool ThemeAware() const { return themeAware_; }
    virtual void SetThemeAware(bool value);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    bool MouseInControl() const { return mouseInControl_; }
    bool ShowPressed() const { return showPressed_; }

    // Draws the caption into `rect` in the 3-D text style, placed by AlignmentVertical.
    void Draw3DText(TCanvas* canvas, const TRect& rect, UINT flags);

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    void Dispatch(TMessage& message) override;

protected:
    virtual void PaintBackground(HDC) {}
    virtual void UpdateDisplay() {}
    virtual void RepaintDisplay() { Repaint(); }
    virtual TRect GetHotTrackRect() { return GetClientRect(); }
    // A mouse click or Space completed on the button.
    virtual void ChangeState() = 0;
    // The visual style draws the face.
    bool Themed() const;
    // The hot colour pair: the light one first.
    void HotColors(TColor& light, TColor& hot) const;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    bool showPressed_ = false;
    bool mouseTracking_ = false;

private:
    void MouseEnterLeave(TMessage& message, bool inside);
    void EnabledChanged();
    bool InClient(int x, int y);

    TAlignmentVertical alignmentVertical_ = avCenter;
    bool hotTrack_ = false;
    TColor hotTrackColor_ = 0x149BF0;
    TUiHotTrackColorType hotTrackColorType_ = htctActual;
    TColor highlightColor_ = clHighlight;
    bool lightTextStyle_ = false;
    TTextStyle textStyle_ = tsNormal;
    TColor textHighlightColor_ = clBtnHighlight;
    TColor textShadowColor_ = clBtnShadow;
    int textShadowDepth_ = 2;
    bool themeAware_ = true;
    bool transparent_ = false;
    bool mouseInControl_ = false;

protected:
    ~TUiCustomButton() override = default;
};

class TUiButton : public TUiCustomButton {
    CL_COMPONENT_CLASS(TUiButton, TUiCustomButton)

    explicit TUiButton(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment value);
    bool AllowAllUp() const { return allowAllUp_; }
    virtual void SetAllowAllUp(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    bool Default() const { return default_; }
    virtual void SetDefault(bool value);
    bool DropDownOnEnter() const { return dropDownOnEnter_; }
    void SetDropDownOnEnter(bool value) { dropDownOnEnter_ = value; }
    bool Down() const { return down_; }
    virtual void SetDown(bool value);
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value);
    int GroupIndex() const { return groupIndex_; }
    virtual void SetGroupIndex(int value);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool ShowDownPattern() const { return showDownPattern_; }
    virtual void SetShowDownPattern(bool value);
    bool ShowFocusRect() const { return showFocusRect_; }
    virtual void SetShowFocusRect(bool value);
    void SetHotTrack(bool value) override;

    bool ActsAsDefault() const { return actsAsDefault_; }
    TButtonState State() const { return state_; }

    void Click() override;
    void Dispatch(TMessage& message) override;
    // Reads the older "FrameFlat" into HotTrack.
    void DefineProperties(TFiler* filer) override;

protected:
    virtual TRect GetCaptionRect();
    virtual void DrawButtonContent(TCanvas* canvas);
    // An 8 x 8 checker of Color and a grey that differs from it; the caller frees it.
    virtual TBitmap* CreateBrushPattern();
    void CreateWnd() override;
    void Paint() override;
    void PaintBackground(HDC dc) override;
    void UpdateDisplay() override { Invalidate(); }
    void ChangeState() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    void UpdateExclusive();
    bool Pressed() const;
    bool EnterClick() const { return enterClick_; }

private:
    void DialogKey(TMessage& message);
    void FocusChanged(TControl* focused);
    void ButtonPressed(TMessage& message);
    void PaintHotTrackFace(TCanvas* canvas, TRect& b);
    void PaintClassicFace(TCanvas* canvas, TRect& b);
    TColor DisabledRingColor() const;

    TAlignment alignment_ = taCenter;
    bool allowAllUp_ = false;
    bool cancel_ = false;
    bool default_ = false;
    bool dropDownOnEnter_ = true;
    bool down_ = false;
    TColor frameColor_ = cl3DDkShadow;
    int groupIndex_ = 0;
    TModalResult modalResult_ = mrNone;
    bool showDownPattern_ = true;
    bool showFocusRect_ = true;
    bool actsAsDefault_ = false;
    TButtonState state_ = bsUp;
    bool spaceArmed_ = false;
    bool inClick_ = false;
    bool enterClick_ = false;

protected:
    ~TUiButton() override = default;
};
