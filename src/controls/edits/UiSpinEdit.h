// The library's spin edit: a framed edit holding a number, stepped by spin buttons docked inside
// its right edge, the arrow and page keys and the mouse wheel, within a range.
#pragma once

#include "UiEdit.h"
#include "UiSpinButtons.h"

enum TSpinButtonType { sbUp, sbDown };

using TSpinChangingEvent =
    std::function<void(TObject* sender, Extended newValue, bool& allowChange)>;
using TSpinButtonEvent = std::function<void(TObject* sender, TSpinButtonType button)>;

class TUiSpinEdit : public TUiCustomEdit {
    CL_COMPONENT_CLASS(TUiSpinEdit, TUiCustomEdit)

    explicit TUiSpinEdit(TComponent* owner);

    // Reading never changes the text: an unreadable text reads as Min, an empty one as
    // BlankValue (with AllowBlank) or Min.
    virtual Extended GetValue();
    virtual void SetValue(Extended value);
    virtual int GetIntValue() { return static_cast<int>(Round(GetValue())); }
    virtual void SetIntValue(int value) { SetValue(value); }
    virtual Extended CheckValue(Extended value);
    Extended Min() const { return min_; }
    virtual void SetMin(Extended value);
    Extended Max() const { return max_; }
    virtual void SetMax(Extended value);
    bool CheckRange() const { return checkRange_; }
    virtual void SetCheckRange(bool value);
    Extended Increment() const { return increment_; }
    void SetIncrement(Extended value) { increment_ = value; }
    Extended PageSize() const { return pageSize_; }
    void SetPageSize(Extended value) { pageSize_ = value; }
    int Decimals() const { return decimals_; }
    virtual void SetDecimals(int value);
    bool IntegersOnly() const { return integersOnly_; }
    virtual void SetIntegersOnly(bool value);
    bool AllowKeyEdit() const { return allowKeyEdit_; }
    void SetAllowKeyEdit(bool value) { allowKeyEdit_ = value; }
    bool AllowBlank() const { return allowBlank_; }
    void SetAllowBlank(bool value) { allowBlank_ = value; }
    Extended BlankValue() const { return blankValue_; }
    void SetBlankValue(Extended value) { blankValue_ = value; }
    int ButtonWidth() const { return buttonWidth_; }
    virtual void SetButtonWidth(int value);
    virtual TSpinDirection GetDirection() const { return buttons_->Direction(); }
    virtual void SetDirection(TSpinDirection value) { buttons_->SetDirection(value); }
    virtual TOrientation GetOrientation() const { return buttons_->Orientation(); }
    virtual void SetOrientation(TOrientation value);
    virtual TBitmap* GetButtonUpGlyph() const { return buttons_->GetUpRightGlyph(); }
    virtual void SetButtonUpGlyph(TBitmap* value) { buttons_->SetUpRightGlyph(value); }
    virtual TBitmap* GetButtonDownGlyph() const { return buttons_->GetDownLeftGlyph(); }
    virtual void SetButtonDownGlyph(TBitmap* value) { buttons_->SetDownLeftGlyph(value); }
    virtual int GetButtonUpNumGlyphs() const { return buttons_->GetUpRightNumGlyphs(); }
    virtual void SetButtonUpNumGlyphs(int value) { buttons_->SetUpRightNumGlyphs(value); }
    virtual int GetButtonDownNumGlyphs() const { return buttons_->GetDownLeftNumGlyphs(); }
    virtual void SetButtonDownNumGlyphs(int value) { buttons_->SetDownLeftNumGlyphs(value); }
    void SetFlatButtons(bool value) override;
    void SetFrameStyle(TFrameStyle value) override;
    virtual TUiControlButton* GetButton(TSpinButtonType type) const;
    TUiSpinButtons* SpinButtons() const { return buttons_; }
    TRect GetEditRect() override;
    void GetChildren(const TGetChildProc&, TComponent*) override {}
    // Reads "FlatButtonParentColor" of older releases and drops it.
    void DefineProperties(TFiler* filer) override;

    TSpinChangingEvent OnChanging;
    TSpinButtonEvent OnButtonClick;

protected:
    ~TUiSpinEdit() override = default;

    virtual void ResizeButtons();
    virtual void SetEditRect();
    virtual bool IsValidChar(char key);
    virtual void UpRightClickHandler(TObject* sender);
    virtual void DownLeftClickHandler(TObject* sender);
    virtual void IncValue(Extended step);
    virtual void DecValue(Extended step);
    virtual bool CanChange(Extended newValue);
    virtual void DoButtonClick(TSpinButtonType button);
    void Loaded() override;
    void CreateWnd() override;
    void UpdateFrame(bool byMouse, bool value) override;
    void ReadOnlyChanged() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    void Dispatch(TMessage& message) override;

private:
    void Step(Extended delta, TSpinButtonType button);
    void Exit(TMessage& message);
    void Enter(TMessage& message);
    void ApplyButtonColors();

    TUiSpinButtons* buttons_;
    Extended min_ = 0;
    Extended max_ = 100;
    bool checkRange_ = false;
    Extended increment_ = 1;
    Extended pageSize_ = 10;
    int decimals_ = 0;
    bool integersOnly_ = true;
    bool allowKeyEdit_ = false;
    bool allowBlank_ = false;
    Extended blankValue_ = 0;
    int buttonWidth_ = 17;
};
