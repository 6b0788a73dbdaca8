// The library's single-line framed edit: the masked edit with state colours, the non-client
// frame, hot tracking, an optional drop button in the non-client area, Enter as Tab.
#pragma once

#include "UiFramedControl.h"
#include "cl_extctrls.h"
#include "cl_stdctrls.h"

using TUiValidateErrorEvent = std::function<void(TObject* sender, AnsiString& errorMsg)>;

class TUiCustomEdit : public TUiFramedControl<TCustomMaskEdit> {
    CL_COMPONENT_CLASS(TUiCustomEdit, TCustomMaskEdit)

    explicit TUiCustomEdit(TComponent* owner);

    TAlignment Alignment() const { return TCustomMaskEdit::Alignment(); }
    virtual void SetAlignment(TAlignment value) { TCustomMaskEdit::SetAlignment(value); }
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
    bool BeepOnInvalidKey() const { return beepOnInvalidKey_; }
    void SetBeepOnInvalidKey(bool value) { beepOnInvalidKey_ = value; }
    bool DropButtonVisible() const { return dropButtonVisible_; }
    virtual void SetDropButtonVisible(bool value);
    bool FlatButtons() const { return flatButtons_; }
    virtual void SetFlatButtons(bool value);
    TColor FlatButtonColor() const { return flatButtonColor_; }
    void SetFlatButtonColor(TColor value) { flatButtonColor_ = value; }
    bool GetReadOnly() const { return ReadOnly(); }
    void SetReadOnly(bool readOnly) override;

    virtual TRect GetEditRect() { return ClientRect(); }
    virtual AnsiString GetRightJustifiedText() { return TCustomMaskEdit::Text(); }
    // Beeps when BeepOnInvalidKey; key filters call it for each key they refuse.
    void InvalidKeyPressed();
    TAlignment GetControlsAlignment() const override { return Alignment(); }
    bool DroppedDown() const { return droppedDown_; }
    TButtonState ButtonState() const { return buttonState_; }

    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TUiValidateErrorEvent OnValidateError;

protected:
    ~TUiCustomEdit() override = default;

    bool ReadOnlyValue() override { return ReadOnly(); }
    virtual void ReadOnlyChanged();
    void SetMouseOverButton(bool value) { mouseOverButton_ = value; }
    virtual void HideButton() {}
    virtual void ShowButton() {}
    virtual void DrawButton(TCanvas* canvas, const TRect& rect);
    virtual void SetButtonState(TButtonState state);
    virtual void DropDown();
    virtual void CloseUp();
    // The drop button's press: capture, DropDown, CloseUp, the button up again.
    void DoDropDown();
    void UpdateFrame(bool byMouse, bool value) override;
    void CreateParams(TCreateParams& params) override;
    void ValidateError() override;
    void KeyPress(char& key) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void Dispatch(TMessage& message) override;

private:
    void PaintDropButton();
    void RepaintButton();
    void MouseCancel();
    bool HandleButtonMouse(TMessage& message);
    // The drop button's column in window coordinates.
    TRect ButtonRect(const TRect& window) const;

    bool tabOnEnter_ = false;
    bool beepOnInvalidKey_ = true;
    bool dropButtonVisible_ = false;
    bool flatButtons_ = false;
    TColor flatButtonColor_ = clBtnFace;
    bool mouseOverButton_ = false;
    bool droppedDown_ = false;
    TButtonState buttonState_ = bsUp;
};

class TUiEdit : public TUiCustomEdit {
    CL_COMPONENT_CLASS(TUiEdit, TUiCustomEdit)

    explicit TUiEdit(TComponent* owner) : TUiCustomEdit(owner) {}

    AnsiString GetText() { return TCustomMaskEdit::Text(); }
    void SetText(const AnsiString& text) { TCustomMaskEdit::SetText(text); }

protected:
    ~TUiEdit() override = default;
};
