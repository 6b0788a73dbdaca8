#include "UiSpinner.h"

#include "UiColors.h"
#include "UiDrawing.h"
#include "UiFrameController.h"
#include "UiThemeSrv.h"
#include "UiUtils.h"
#include "cl_filer.h"
#include "cl_forms.h"

namespace {

constexpr unsigned InitialRepeatDelay = 400;
constexpr unsigned RepeatDelay = 100;
constexpr int ThemeBorderColorProperty = 3801;

TColor ThemedBorderColor(const TThemedElementDetails& details) {
    auto getColor = UxTheme::Entry<UxTheme::GetThemeColorProc>(UxTheme::eGetThemeColor);
    COLORREF color = 0;
    if (!getColor || FAILED(getColor(ThemeServices()->GetTheme(details.Element), details.Part,
                                     details.State, ThemeBorderColorProperty, &color)))
        return clBtnShadow;
    return static_cast<TColor>(color);
}

const bool spinnerPropertiesRegistered = [] {
    using C = TUiSpinner;
    const TMetaClass* meta = C::StaticClass();
    const struct {
        const char* name;
        int (C::*get)() const;
        void (C::*set)(int);
        int def;
    } integers[] = {{"Value", &C::Value, &C::SetValue, 0},
                    {"Min", &C::Min, &C::SetMin, 0},
                    {"Max", &C::Max, &C::SetMax, 100},
                    {"Increment", &C::Increment, &C::SetIncrement, 1},
                    {"PageSize", &C::PageSize, &C::SetPageSize, 10},
                    {"ButtonWidth", &C::ButtonWidth, &C::SetButtonWidth, 18},
                    {"ImageIndexMinus", &C::ImageIndexMinus, &C::SetImageIndexMinus, -1},
                    {"ImageIndexPlus", &C::ImageIndexPlus, &C::SetImageIndexPlus, -1}};
    for (const auto& p : integers)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkInteger, p.get, p.set, p.def));
    const struct {
        const char* name;
        bool (C::*get)() const;
        void (C::*set)(bool);
        bool def;
    } flags[] = {{"CheckRange", &C::CheckRange, &C::SetCheckRange, false},
                 {"ShowFocusRect", &C::ShowFocusRect, &C::SetShowFocusRect, true},
                 {"ShowHexValue", &C::ShowHexValue, &C::SetShowHexValue, false},
                 {"TabOnEnter", &C::TabOnEnter, &C::SetTabOnEnter, false},
                 {"ThemeAware", &C::ThemeAware, &C::SetThemeAware, true}};
    for (const auto& p : flags)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkBool, p.get, p.set, p.def));
    RegisterProperty(meta, OrdinalProperty<C>("ButtonColor", pkColor, &C::ButtonColor,
                                              &C::SetButtonColor, clBtnFace));
    RegisterProperty(meta, OrdinalProperty<C>("FrameColor", pkColor, &C::FrameColor,
                                              &C::SetFrameColor, clBtnShadow));
    TPropertyInfo prefix = StringProperty<C>("HexValuePrefix", &C::HexValuePrefix,
                                             &C::SetHexValuePrefix);
    prefix.IsStored = [](TObject* o) { return static_cast<C*>(o)->HexValuePrefix() != "$"; };
    RegisterProperty(meta, prefix);
    RegisterProperty(meta, ComponentProperty<C, TCustomImageList>("Images", &C::Images,
                                                                  &C::SetImages));
    RegisterProperty(meta, ComponentProperty<C, TUiFrameController>(
                               "FrameController", &C::FrameController, &C::SetFrameController));
    return true;
}();

}  // namespace

TUiSpinner::TUiSpinner(TComponent* owner) : TCustomControl(owner), imageLink_(new TChangeLink) {
    imageLink_->OnChange = [this](TObject*) {
        EnforceImageSize();
        Invalidate();
    };
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    SetBounds(0, 0, 85, 21);
}

void TUiSpinner::BeforeDestruction() {
    SetFrameController(nullptr);
    TCustomControl::BeforeDestruction();
    delete imageLink_;
    imageLink_ = nullptr;
}

int TUiSpinner::CheckValue(int value) const {
    if (min_ == max_ && !checkRange_) return value;
    return value < min_ ? min_ : value > max_ ? max_ : value;
}

void TUiSpinner::SetValue(int value) {
    value = CheckValue(value);
    if (value == value_ || !CanChange(value)) return;
    value_ = value;
    Invalidate();
    Change();
    if (InState(csDesigning)) UpdateObjectInspector(this);
}

void TUiSpinner::SetMin(int value) {
    if (value == min_) return;
    min_ = value;
    if (max_ < min_) max_ = min_;
    SetValue(value_);
    Invalidate();
}

void TUiSpinner::SetMax(int value) {
    if (value == max_) return;
    max_ = value;
    if (min_ > max_) min_ = max_;
    SetValue(value_);
    Invalidate();
}

void TUiSpinner::SetCheckRange(bool value) {
    if (value == checkRange_) return;
    checkRange_ = value;
    SetValue(value_);
}

void TUiSpinner::IncValue(int amount) {
    const int before = value_;
    SetValue(value_ + amount);
    if (value_ != before && OnIncrement) OnIncrement(this, amount);
}

void TUiSpinner::DecValue(int amount) {
    const int before = value_;
    SetValue(value_ - amount);
    if (value_ != before && OnDecrement) OnDecrement(this, amount);
}

void TUiSpinner::Change() {
    if (OnChange) OnChange(this);
}

bool TUiSpinner::CanChange(int newValue) {
    bool allow = true;
    if (OnChanging) OnChanging(this, newValue, allow);
    return allow;
}

void TUiSpinner::SetImages(TCustomImageList* value) {
    if (images_) images_->UnRegisterChanges(imageLink_);
    images_ = value;
    if (images_) {
        images_->RegisterChanges(imageLink_);
        images_->FreeNotification(this);
        EnforceImageSize();
    }
    Invalidate();
}

void TUiSpinner::EnforceImageSize() {
    if (!images_) return;
    if (buttonWidth_ < images_->Width()) buttonWidth_ = images_->Width() + 4;
    if (Height() < images_->Height()) SetHeight(images_->Height() + 4);
}

void TUiSpinner::SetFrameController(TUiFrameController* value) {
    TUiFrameController::Relink(this, controller_, value);
}

void TUiSpinner::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == images_) SetImages(nullptr);
    if (component == controller_) controller_ = nullptr;
}

void TUiSpinner::CustomFramingChanged() {
    if (!controller_ || !controller_->FrameVisible()) return;
    auto admitted = [this](TUiFrameControllerProperty p) { return (notifications_ >> p) & 1; };
    if (admitted(fcpFrameColor)) frameColor_ = controller_->FrameColor();
    if (admitted(fcpFlatButtonColor)) buttonColor_ = controller_->FlatButtonColor();
    if (admitted(fcpColor)) SetColor(controller_->Color());
    if (admitted(fcpParentColor)) SetParentColor(controller_->ParentColor());
    Invalidate();
}

void TUiSpinner::DefineProperties(TFiler* filer) {
    TCustomControl::DefineProperties(filer);
    filer->DefineProperty("NumGlyphsMinus", &TUiOldPropReader::ReadOldIntegerProp, nullptr, false);
    filer->DefineProperty("NumGlyphsPlus", &TUiOldPropReader::ReadOldIntegerProp, nullptr, false);
    filer->DefineProperty("Flat", &TUiOldPropReader::ReadOldBooleanProp, nullptr, false);
}

AnsiString TUiSpinner::ValueText() const {
    if (!showHexValue_) return IntToStr(value_);
    return hexValuePrefix_ + IntToHex(value_, 1);
}

TUiSpinnerArea TUiSpinner::HitTest(int x, int y) const {
    if (y < 0 || y >= Height()) return saValue;
    if (x >= 0 && x < buttonWidth_) return saMinusButton;
    if (x >= Width() - buttonWidth_ && x < Width()) return saPlusButton;
    return saValue;
}

bool TUiSpinner::UseThemes() const { return themeAware_ && ThemeServices()->GetThemesEnabled(); }

void TUiSpinner::Paint() {
    DrawFrame();
    DrawValue();
    DrawButton(saMinusButton, minusPressed_, TRect(1, 1, buttonWidth_ - 1, Height() - 1));
    DrawButton(saPlusButton, plusPressed_,
               TRect(Width() - buttonWidth_ + 1, 1, Width() - 1, Height() - 1));
    if (Focused() && showFocusRect_) {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->DrawFocusRect(TRect(buttonWidth_ + 1, 2, Width() - buttonWidth_ - 1, Height() - 2));
    }
}

void TUiSpinner::DrawFrame() {
    TCanvas* canvas = Canvas();
    const TRect client(0, 0, Width(), Height());
    if (UseThemes()) {
        const TThemedElementDetails details =
            TThemeServices::GetElementDetails(Enabled() ? teEditTextNormal : teEditTextDisabled);
        ThemeServices()->DrawElement(canvas->Handle(), details, client);
        canvas->Pen()->SetColor(ThemedBorderColor(details));
    } else {
        canvas->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
        canvas->Pen()->SetColor(Enabled() ? frameColor_ : clBtnShadow);
        canvas->Rectangle(client);
    }
    for (int x : {buttonWidth_ - 1, Width() - buttonWidth_}) {
        canvas->MoveTo(x, 1);
        canvas->LineTo(x, Height() - 1);
    }
}

void TUiSpinner::DrawValue() {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    if (!Enabled()) canvas->Font()->SetColor(clBtnShadow);
    const AnsiString text = ValueText();
    const TRect r(buttonWidth_, 1, Width() - buttonWidth_, Height() - 1);
    canvas->Brush()->SetStyle(bsClear);
    SetTextAlign(canvas->Handle(), TA_CENTER);
    canvas->TextRect(r, Width() / 2, (Height() - canvas->TextHeight(text)) / 2, text);
    SetTextAlign(canvas->Handle(), TA_LEFT);
    canvas->Brush()->SetStyle(bsSolid);
}

void TUiSpinner::DrawButton(TUiSpinnerArea area, bool pressed, const TRect& rect) {
    TCanvas* canvas = Canvas();
    const bool minus = area == saMinusButton;
    const bool hot = minus ? overMinus_ : overPlus_;
    if (UseThemes()) {
        const TThemedSpin part =
            minus ? (pressed ? tsDownHorzPressed : !Enabled() ? tsDownHorzDisabled
                              : hot ? tsDownHorzHot : tsDownHorzNormal)
                  : (pressed ? tsUpHorzPressed : !Enabled() ? tsUpHorzDisabled
                              : hot ? tsUpHorzHot : tsUpHorzNormal);
        ThemeServices()->DrawElement(canvas->Handle(), TThemeServices::GetElementDetails(part),
                                     rect);
        canvas->Pen()->SetColor(clWindow);
        const int x = minus ? rect.Right - 1 : rect.Left;
        canvas->MoveTo(x, rect.Top);
        canvas->LineTo(x, rect.Bottom);
    } else {
        TRect inside = DrawBox(canvas, rect, clWindow);
        if (pressed)
            canvas->Brush()->SetColor(DarkerColor(buttonColor_, 20));
        else if (!Enabled())
            canvas->Brush()->SetColor(clBtnFace);
        else if (!hot)
            canvas->Brush()->SetColor(buttonColor_);
        else {
            inside = DrawBox(canvas, inside, DarkerColor(buttonColor_, 20));
            canvas->Brush()->SetColor(LighterColor(buttonColor_, 10));
        }
        canvas->FillRect(inside);
        const int index = imageIndex_[minus ? 0 : 1];
        if (images_ && index != -1) {
            const int cx = (rect.Left + rect.Right) / 2, cy = (rect.Top + rect.Bottom) / 2;
            images_->Draw(canvas, cx - images_->Width() / 2, cy - images_->Height() / 2, index,
                          Enabled());
        } else {
            DrawSpinArrow(canvas, rect, uiWindows95, minus ? dirLeft : dirRight, pressed,
                          Enabled());
        }
    }
    canvas->Pen()->SetColor(clWindowText);
    canvas->Brush()->SetColor(clWindow);
}

void TUiSpinner::TimerExpired(TObject*) {
    timer_->SetInterval(RepeatDelay);
    const TPoint cursor = ScreenToClient(Mouse->CursorPos());
    try {
        switch (HitTest(cursor.X, cursor.Y)) {
        case saPlusButton: IncValue(increment_); break;
        case saMinusButton: DecValue(increment_); break;
        default: break;
        }
    } catch (...) {
        timer_->SetEnabled(false);
        throw;
    }
}

void TUiSpinner::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (!InState(csDesigning) && CanFocus()) SetFocus();
    const TUiSpinnerArea area = HitTest(x, y);
    if (button != mbLeft || area == saValue) return;
    (area == saMinusButton ? minusPressed_ : plusPressed_) = true;
    if (!timer_) {
        timer_ = new TTimer(this);
        timer_->SetOnTimer([this](TObject* sender) { TimerExpired(sender); });
    }
    timer_->SetInterval(InitialRepeatDelay);
    timer_->SetEnabled(true);
    Repaint();
}

void TUiSpinner::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != mbLeft) return;
    // A press steps on release only over the button that was pressed.
    const TUiSpinnerArea area = HitTest(x, y);
    if (area == saPlusButton && plusPressed_) IncValue(increment_);
    if (area == saMinusButton && minusPressed_) DecValue(increment_);
    if (timer_) timer_->SetEnabled(false);
    minusPressed_ = plusPressed_ = false;
    Repaint();
}

void TUiSpinner::UpdateHotArea(TUiSpinnerArea area) {
    overMinus_ = area == saMinusButton;
    overPlus_ = area == saPlusButton;
    if (area == hotArea_) return;
    hotArea_ = area;
    Repaint();
}

void TUiSpinner::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    UpdateHotArea(HitTest(x, y));
}

void TUiSpinner::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    switch (key) {
    case VK_PRIOR: IncValue(pageSize_); break;
    case VK_NEXT: DecValue(pageSize_); break;
    case VK_LEFT:
    case VK_DOWN:
    case VK_SUBTRACT: DecValue(increment_); break;
    case VK_UP:
    case VK_RIGHT:
    case VK_ADD: IncValue(increment_); break;
    default: break;
    }
}

void TUiSpinner::KeyPress(char& key) {
    if (tabOnEnter_ && key == '\r') {
        key = 0;
        PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    TCustomControl::KeyPress(key);
}

bool TUiSpinner::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    TCustomControl::DoMouseWheelDown(shift, mousePos);
    DecValue(shift.count(ssCtrl) ? pageSize_ : increment_);
    return true;
}

bool TUiSpinner::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    TCustomControl::DoMouseWheelUp(shift, mousePos);
    IncValue(shift.count(ssCtrl) ? pageSize_ : increment_);
    return true;
}

void TUiSpinner::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        TCustomControl::Dispatch(message);
        message.Result |= DLGC_WANTARROWS;
        return;
    case CM_DESIGNHITTEST: {
        const TUiSpinnerArea area = HitTest(message.XPos(), message.YPos());
        const bool bothShifts = GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) < 0;
        message.Result = area != saValue && !bothShifts ? 1 : 0;
        return;
    }
    case CM_MOUSEENTER: {
        TCustomControl::Dispatch(message);
        const TPoint p = ScreenToClient(Mouse->CursorPos());
        return UpdateHotArea(HitTest(p.X, p.Y));
    }
    case CM_MOUSELEAVE: {
        TCustomControl::Dispatch(message);
        const bool wasButton = hotArea_ != saValue;
        overMinus_ = overPlus_ = false;
        hotArea_ = saValue;
        if (wasButton) Repaint();
        return;
    }
    case CM_ENTER:
    case CM_EXIT:
    case CM_ENABLEDCHANGED:
        TCustomControl::Dispatch(message);
        return Invalidate();
    default:
        TCustomControl::Dispatch(message);
    }
}
