// A pair of auto-repeating arrow buttons in one windowed control, stacked or side by side; used
// by the spin edit and usable on its own.
#pragma once

#include "UiControlButton.h"
#include "cl_controls.h"

enum TSpinDirection { sdUpDown, sdLeftRight };

class TUiSpinButtons : public TWinControl {
    CL_COMPONENT_CLASS(TUiSpinButtons, TWinControl)

    explicit TUiSpinButtons(TComponent* owner);

    TSpinDirection Direction() const { return direction_; }
    virtual void SetDirection(TSpinDirection value);
    TOrientation Orientation() const { return orientation_; }
    virtual void SetOrientation(TOrientation value);
    bool Flat() const { return upRight_->Flat(); }
    virtual void SetFlat(bool value);
    virtual TColor GetColor() const { return Color(); }
    virtual void SetColor(TColor value);
    virtual bool GetAllEnabled() const { return Enabled(); }
    virtual void SetAllEnabled(bool value);
    uint16_t Delay() const { return upRight_->Delay(); }
    void SetDelay(uint16_t value);
    uint16_t InitialDelay() const { return upRight_->InitialDelay(); }
    void SetInitialDelay(uint16_t value);
    virtual TBitmap* GetUpRightGlyph() const { return upRight_->Glyph(); }
    virtual void SetUpRightGlyph(TBitmap* value);
    virtual TBitmap* GetDownLeftGlyph() const { return downLeft_->Glyph(); }
    virtual void SetDownLeftGlyph(TBitmap* value);
    virtual int GetUpRightNumGlyphs() const { return upRight_->NumGlyphs(); }
    virtual void SetUpRightNumGlyphs(int value) { upRight_->SetNumGlyphs(value); }
    virtual int GetDownLeftNumGlyphs() const { return downLeft_->NumGlyphs(); }
    virtual void SetDownLeftNumGlyphs(int value) { downLeft_->SetNumGlyphs(value); }
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value);
    TUiControlButton* UpRightButton() const { return upRight_; }
    TUiControlButton* DownLeftButton() const { return downLeft_; }

    void SetBounds(int left, int top, int width, int height) override;

    TNotifyEvent OnUpRightClick;
    TNotifyEvent OnDownLeftClick;

protected:
    ~TUiSpinButtons() override = default;

    virtual TUiControlButton* CreateButton();
    virtual void BtnClickHandler(TObject* sender);
    virtual void BtnMouseDownHandler(TObject* sender, TMouseButton button, TShiftState shift,
                                     int x, int y);
    virtual void BtnGlyphChangeHandler(TObject* sender);
    virtual void AdjustDimensions(int width, int height);
    virtual void UpRightClick();
    virtual void DownLeftClick();
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void Dispatch(TMessage& message) override;

private:
    void UpdateStyles();

    TUiControlButton* upRight_;
    TUiControlButton* downLeft_;
    bool upRightCustom_ = false;
    bool downLeftCustom_ = false;
    TSpinDirection direction_ = sdUpDown;
    TOrientation orientation_ = orVertical;
    TWinControl* focusControl_ = nullptr;
};
