#include "UiSpinButtons.h"

#include "cl_except.h"

namespace {

// A custom glyph and its cell count go with the form; the drawn arrows need neither.
bool UpRightIsCustom(TObject* o) {
    return !static_cast<TUiSpinButtons*>(o)->GetUpRightGlyph()->Empty();
}
bool DownLeftIsCustom(TObject* o) {
    return !static_cast<TUiSpinButtons*>(o)->GetDownLeftGlyph()->Empty();
}

const bool spinButtonsPropertiesRegistered = [] {
    using C = TUiSpinButtons;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, OrdinalProperty<C>("ParentColor", pkBool, &C::ParentColor,
                                              &C::SetParentColor, 1));
    TPropertyInfo color = OrdinalProperty<C>("Color", pkColor, &C::GetColor, &C::SetColor);
    color.IsStored = [](TObject* o) { return !static_cast<C*>(o)->ParentColor(); };
    RegisterProperty(meta, color);
    // The direction first: a new one drops custom glyphs.
    RegisterProperty(meta, EnumProperty<C>("Direction", &C::Direction, &C::SetDirection,
                                           {"sdUpDown", "sdLeftRight"}, sdUpDown));
    RegisterProperty(meta, EnumProperty<C>("Orientation", &C::Orientation, &C::SetOrientation,
                                           {"orHorizontal", "orVertical"}, orVertical));
    RegisterProperty(meta, OrdinalProperty<C>("Flat", pkBool, &C::Flat, &C::SetFlat, 0));
    RegisterProperty(meta, SubrangeProperty<TIntSubrange<0, 65535>, C>("Delay", &C::Delay,
                                                                       &C::SetDelay, 100));
    RegisterProperty(meta, SubrangeProperty<TIntSubrange<0, 65535>, C>(
                               "InitialDelay", &C::InitialDelay, &C::SetInitialDelay, 400));
    TPropertyInfo upGlyph = SubObjectProperty<C>("GlyphUpRight", &C::GetUpRightGlyph);
    TPropertyInfo upCells = SubrangeProperty<TIntSubrange<1, 4>, C>(
        "NumGlyphsUpRight", &C::GetUpRightNumGlyphs, &C::SetUpRightNumGlyphs, 2);
    upCells.IsStored = UpRightIsCustom;
    TPropertyInfo downGlyph = SubObjectProperty<C>("GlyphDownLeft", &C::GetDownLeftGlyph);
    TPropertyInfo downCells = SubrangeProperty<TIntSubrange<1, 4>, C>(
        "NumGlyphsDownLeft", &C::GetDownLeftNumGlyphs, &C::SetDownLeftNumGlyphs, 2);
    downCells.IsStored = DownLeftIsCustom;
    for (const TPropertyInfo* info : {&upGlyph, &upCells, &downGlyph, &downCells})
        RegisterProperty(meta, *info);
    RegisterProperty(meta, ComponentProperty<C, TWinControl>("FocusControl", &C::FocusControl,
                                                             &C::SetFocusControl));
    return true;
}();

}  // namespace

TUiSpinButtons::TUiSpinButtons(TComponent* owner) : TWinControl(owner) {
    ControlStyle.erase(csAcceptsControls);
    ControlStyle.erase(csSetCaption);
    SetTabStop(false);
    SetParentColor(true);
    upRight_ = CreateButton();
    downLeft_ = CreateButton();
    UpdateStyles();
    SetBounds(0, 0, 16, 25);
}

TUiControlButton* TUiSpinButtons::CreateButton() {
    auto* button = new TUiControlButton(this);
    button->SetParent(this);
    button->SetVisible(true);
    button->SetEnabled(true);
    button->SetRepeatClicks(true);
    button->SetNumGlyphs(2);
    button->OnClick = [this](TObject* sender) { BtnClickHandler(sender); };
    button->OnMouseDown = [this](TObject* sender, TMouseButton b, TShiftState shift, int x,
                                 int y) { BtnMouseDownHandler(sender, b, shift, x, y); };
    TBitmap* glyph = button->Glyph();
    TNotifyEvent repaint = glyph->OnChange;
    glyph->OnChange = [this, repaint](TObject* sender) {
        if (repaint) repaint(sender);
        BtnGlyphChangeHandler(sender);
    };
    return button;
}

void TUiSpinButtons::BtnClickHandler(TObject* sender) {
    if (sender == upRight_)
        UpRightClick();
    else
        DownLeftClick();
}

void TUiSpinButtons::BtnMouseDownHandler(TObject*, TMouseButton button, TShiftState, int, int) {
    if (button != mbLeft) return;
    TWinControl* focused = nullptr;
    if (focusControl_ && focusControl_->TabStop() && focusControl_->CanFocus() &&
        !focusControl_->Focused())
        focused = focusControl_;
    else if (TabStop() && !Focused() && CanFocus())
        focused = this;
    if (!focused) return;
    ::SetFocus(focused->Handle());
    if (!focused->Focused()) Abort();
}

void TUiSpinButtons::BtnGlyphChangeHandler(TObject* sender) {
    if (sender == upRight_->Glyph()) upRightCustom_ = !upRight_->Glyph()->Empty();
    if (sender == downLeft_->Glyph()) downLeftCustom_ = !downLeft_->Glyph()->Empty();
    UpdateStyles();
}

void TUiSpinButtons::UpdateStyles() {
    const bool upDown = direction_ == sdUpDown;
    upRight_->SetStyle(upRightCustom_ ? cbsNone : upDown ? cbsUp : cbsRight);
    downLeft_->SetStyle(downLeftCustom_ ? cbsNone : upDown ? cbsDown : cbsLeft);
}

void TUiSpinButtons::SetUpRightGlyph(TBitmap* value) {
    upRightCustom_ = value && !value->Empty();
    upRight_->SetGlyph(upRightCustom_ ? value : nullptr);
    UpdateStyles();
}

void TUiSpinButtons::SetDownLeftGlyph(TBitmap* value) {
    downLeftCustom_ = value && !value->Empty();
    downLeft_->SetGlyph(downLeftCustom_ ? value : nullptr);
    UpdateStyles();
}

void TUiSpinButtons::SetDirection(TSpinDirection value) {
    if (value == direction_) return;
    direction_ = value;
    SetUpRightGlyph(nullptr);
    SetDownLeftGlyph(nullptr);
    Invalidate();
}

void TUiSpinButtons::SetOrientation(TOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    if (!InState(csLoading))
        SetWidth(value == orVertical ? Width() / 2 : Width() * 2);
    Invalidate();
}

void TUiSpinButtons::SetFlat(bool value) {
    upRight_->SetFlat(value);
    downLeft_->SetFlat(value);
}

void TUiSpinButtons::SetColor(TColor value) {
    TWinControl::SetColor(value);
    upRight_->SetColor(value);
    downLeft_->SetColor(value);
}

void TUiSpinButtons::SetAllEnabled(bool value) {
    SetEnabled(value);
    upRight_->SetEnabled(value);
    downLeft_->SetEnabled(value);
}

void TUiSpinButtons::SetDelay(uint16_t value) {
    upRight_->SetDelay(value);
    downLeft_->SetDelay(value);
}

void TUiSpinButtons::SetInitialDelay(uint16_t value) {
    upRight_->SetInitialDelay(value);
    downLeft_->SetInitialDelay(value);
}

void TUiSpinButtons::SetFocusControl(TWinControl* value) {
    focusControl_ = value;
    if (value) value->FreeNotification(this);
}

void TUiSpinButtons::AdjustDimensions(int width, int height) {
    if (!upRight_ || !downLeft_ || InState(csLoading)) return;
    if (orientation_ == orVertical) {
        upRight_->SetBounds(0, 0, width, height / 2);
        downLeft_->SetBounds(0, height / 2, width, height - height / 2);
    } else {
        downLeft_->SetBounds(0, 0, width / 2, height);
        upRight_->SetBounds(width / 2, 0, width - width / 2, height);
    }
}

void TUiSpinButtons::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, height);
    AdjustDimensions(width, height);
}

void TUiSpinButtons::UpRightClick() {
    if (OnUpRightClick) OnUpRightClick(this);
}

void TUiSpinButtons::DownLeftClick() {
    if (OnDownLeftClick) OnDownLeftClick(this);
}

void TUiSpinButtons::Loaded() {
    TWinControl::Loaded();
    AdjustDimensions(Width(), Height());
}

void TUiSpinButtons::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TUiSpinButtons::KeyDown(uint16_t& key, TShiftState shift) {
    if (key == VK_UP) upRight_->Click();
    if (key == VK_DOWN) downLeft_->Click();
    TWinControl::KeyDown(key, shift);
}

void TUiSpinButtons::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_SIZE:
        TWinControl::Dispatch(message);
        AdjustDimensions(Width(), Height());
        return;
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
    default: TWinControl::Dispatch(message);
    }
}
