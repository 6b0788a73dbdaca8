// The library's check box and radio button: a windowed button that paints its own box or circle
// (custom strip, visual style, hot-track or classic drawing) and caption, off screen.
#pragma once

#include "UiButton.h"
#include "UiDrawing.h"
#include "cl_actions.h"

class TUiFrameController;
class TUiCustomGlyphButton;

// Links an action's Checked to the button without running the button's OnClick.
class TUiCheckedActionLink : public TControlActionLink {
    CL_CLASS(TUiCheckedActionLink, TControlActionLink)

    explicit TUiCheckedActionLink(TControl* client);
    void AssignClient(TControl* client) override;
    bool IsCheckedLinked() const override;
    void SetChecked(bool checked) override;

private:
    TUiCustomGlyphButton* button_ = nullptr;
};

class TUiCustomGlyphButton : public TUiCustomButton, public IUiCustomFramingNotification {
    CL_CLASS(TUiCustomGlyphButton, TUiCustomButton)

    explicit TUiCustomGlyphButton(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment value);
    virtual bool GetChecked() const { return false; }
    virtual void SetChecked(bool) {}
    TBitmap* CustomGlyphs() const { return customGlyphs_; }
    virtual void SetCustomGlyphs(TBitmap* value);
    bool UseCustomGlyphs() const { return useCustomGlyphs_; }
    virtual void SetUseCustomGlyphs(bool value);
    TColor FillColor() const { return fillColor_; }
    virtual void SetFillColor(TColor value);
    TColor FocusColor() const { return focusColor_; }
    virtual void SetFocusColor(TColor value);
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value);
    TColor DisabledColor() const { return disabledColor_; }
    virtual void SetDisabledColor(TColor value);
    bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool value);
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    virtual void SetReadOnlyColor(TColor value);
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    void SetReadOnlyColorOnFocus(bool value);
    TUiButtonHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
    void SetHotTrackStyle(TUiButtonHotTrackStyle value);
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
    TColor TransparentColor() const { return transparentColor_; }
    virtual void SetTransparentColor(TColor value);
    TColor WinMaskColor() const { return winMaskColor_; }
    virtual void SetWinMaskColor(TColor value);
    TUiFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TUiFrameController* value);
    TUiFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TUiFrameControllerNotifications value) {
        notifications_ = value;
    }
    void SetTransparent(bool value) override;

    // Where the glyph sits in the client area.
    TRect GlyphRect();
    int GlyphWidth() const { return glyphWidth_; }
    int GlyphHeight() const { return glyphHeight_; }
    bool ClicksSuppressed() const { return clicksSuppressed_; }
    void SetClicksSuppressed(bool value) { clicksSuppressed_ = value; }

    void CustomFramingChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    // Reads the older "Flat" into HotTrack.
    void DefineProperties(TFiler* filer) override;
    void Dispatch(TMessage& message) override;
    void ActionChange(TObject* sender, bool checkDefaults) override;
    TControlActionLinkClass GetActionLinkClass() override;
    TAlignment GetControlsAlignment() const override;

protected:
    ~TUiCustomGlyphButton() override;
    // Draws the current glyph into the bitmap of the glyph's size.
    virtual void SelectGlyph(TBitmap* glyph) = 0;
    virtual void BlendButtonFrame(TBitmap*) {}
    virtual void DrawGlyph(TCanvas* canvas);
    void ExtractGlyph(int index, TBitmap* destination, TBitmap* source, int width, int height);
    void Paint() override;
    void UpdateDisplay() override { Repaint(); }
    void RepaintDisplay() override { Repaint(); }
    TRect GetHotTrackRect() override { return GlyphRect(); }
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    TUiButtonDisplayState DisplayState() const;
    TUiGlyphColors GlyphColors() const;

    int glyphStateCount_ = 2;
    bool mouseDriven_ = false;

private:
    void CustomGlyphsChanged(TObject* sender);
    void ComposeGlyph(TCanvas* canvas, TBitmap* glyph, TBitmap* work, const TRect& place);

    TAlignment alignment_ = taRightJustify;
    TBitmap* customGlyphs_;
    TBitmap* background_;
    bool backgroundStale_ = true;
    bool useCustomGlyphs_ = false;
    int glyphWidth_ = 13;
    int glyphHeight_ = 13;
    TColor fillColor_ = clWindow;
    TColor focusColor_ = clWindow;
    TColor frameColor_ = clBtnShadow;
    TColor disabledColor_ = clBtnFace;
    bool readOnly_ = false;
    TColor readOnlyColor_ = clInfoBk;
    bool readOnlyColorOnFocus_ = false;
    TUiButtonHotTrackStyle hotTrackStyle_ = htsInterior;
    bool tabOnEnter_ = false;
    TColor transparentColor_ = 0x008080;
    TColor winMaskColor_ = 0x00FF00;
    TUiFrameController* frameController_ = nullptr;
    TUiFrameControllerNotifications notifications_ = AllFrameControllerNotifications;
    bool clicksSuppressed_ = false;
};

class TUiRadioButton : public TUiCustomGlyphButton {
    CL_COMPONENT_CLASS(TUiRadioButton, TUiCustomGlyphButton)

    explicit TUiRadioButton(TComponent* owner);

    bool GetChecked() const override { return checked_; }
    // Checking unchecks the other radio buttons of the parent, then runs OnClick.
    void SetChecked(bool value) override;
    // The parent's radio buttons are read-only together.
    void SetReadOnly(bool value) override;
    TNotifyEvent OnDblClick;

    void Dispatch(TMessage& message) override;

protected:
    ~TUiRadioButton() override = default;
    void ChangeState() override;
    void SelectGlyph(TBitmap* glyph) override;
    void BlendButtonFrame(TBitmap* glyph) override;

private:
    bool checked_ = false;
};

class TUiCustomCheckBox : public TUiCustomGlyphButton {
    CL_COMPONENT_CLASS(TUiCustomCheckBox, TUiCustomGlyphButton)

    explicit TUiCustomCheckBox(TComponent* owner);

    TCheckBoxState State() const { return state_; }
    // Stores, paints and runs OnClick when the state changes.
    virtual void SetState(TCheckBoxState value);
    // Stores and paints without OnClick.
    void InitState(TCheckBoxState value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    bool GetChecked() const override { return state_ == cbChecked; }
    void SetChecked(bool value) override;

    void Dispatch(TMessage& message) override;

protected:
    ~TUiCustomCheckBox() override = default;
    void ChangeState() override;
    void SelectGlyph(TBitmap* glyph) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    void DoExit() override;

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    bool spaceArmed_ = false;
};

class TUiCheckBox : public TUiCustomCheckBox {
    CL_COMPONENT_CLASS(TUiCheckBox, TUiCustomCheckBox)

    explicit TUiCheckBox(TComponent* owner) : TUiCustomCheckBox(owner) {}

protected:
    ~TUiCheckBox() override = default;
};
