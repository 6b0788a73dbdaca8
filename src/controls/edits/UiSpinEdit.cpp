#include "UiSpinEdit.h"

#include "UiUtils.h"
#include "cl_filer.h"
#include "cl_locale.h"
#include "cl_number.h"

namespace {

bool IsSign(char c) { return c == '+' || c == '-'; }
bool HasSign(const AnsiString& text) { return text.Pos("+") > 0 || text.Pos("-") > 0; }

// A custom glyph and its cell count go with the form; the drawn arrows need neither.
bool UpGlyphIsCustom(TObject* o) {
    return !static_cast<TUiSpinEdit*>(o)->GetButtonUpGlyph()->Empty();
}
bool DownGlyphIsCustom(TObject* o) {
    return !static_cast<TUiSpinEdit*>(o)->GetButtonDownGlyph()->Empty();
}

const bool spinEditPropertiesRegistered = [] {
    using C = TUiSpinEdit;
    const TMetaClass* meta = C::StaticClass();
    RegisterFramedProperties<C>(fpubReadOnlyColors | fpubNotifications);
    // The text is the value's: it goes with the form as Value.
    TPropertyInfo caption = StringProperty<TControl>("Caption", &TControl::GetText,
                                                     &TControl::SetText);
    caption.IsStored = [](TObject*) { return false; };
    RegisterProperty(meta, caption);
    auto stored = [](TUiFrameControllerProperty p) {
        return [p](TObject* o) { return static_cast<C*>(o)->StoresFrameSetting(p); };
    };
    TPropertyInfo flat =
        OrdinalProperty<C>("FlatButtons", pkBool, &C::FlatButtons, &C::SetFlatButtons, 0);
    flat.IsStored = stored(fcpFlatButtons);
    RegisterProperty(meta, flat);
    TPropertyInfo flatColor = OrdinalProperty<C>("FlatButtonColor", pkColor, &C::FlatButtonColor,
                                                 &C::SetFlatButtonColor, clBtnFace);
    flatColor.IsStored = stored(fcpFlatButtonColor);
    RegisterProperty(meta, flatColor);
    const struct {
        const char* name;
        bool (C::*get)() const;
        void (C::*set)(bool);
        bool def;
    } flags[] = {{"ReadOnly", &C::GetReadOnly, &C::SetReadOnly, false},
                 {"TabOnEnter", &C::TabOnEnter, &C::SetTabOnEnter, false},
                 {"BeepOnInvalidKey", &C::BeepOnInvalidKey, &C::SetBeepOnInvalidKey, true},
                 {"CheckRange", &C::CheckRange, &C::SetCheckRange, false},
                 {"IntegersOnly", &C::IntegersOnly, &C::SetIntegersOnly, true},
                 {"AllowKeyEdit", &C::AllowKeyEdit, &C::SetAllowKeyEdit, false},
                 {"AllowBlank", &C::AllowBlank, &C::SetAllowBlank, false}};
    for (const auto& p : flags)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkBool, p.get, p.set, p.def));
    RegisterProperty(meta, SubrangeProperty<TIntSubrange<0, 255>, C>("Decimals", &C::Decimals,
                                                                     &C::SetDecimals, 0));
    RegisterProperty(meta, OrdinalProperty<C>("ButtonWidth", pkInteger, &C::ButtonWidth,
                                              &C::SetButtonWidth, 17));
    RegisterProperty(meta, EnumProperty<C>("Direction", &C::GetDirection, &C::SetDirection,
                                           {"sdUpDown", "sdLeftRight"}, sdUpDown));
    RegisterProperty(meta, EnumProperty<C>("Orientation", &C::GetOrientation,
                                           &C::SetOrientation, {"orHorizontal", "orVertical"},
                                           orVertical));
    TPropertyInfo upGlyph = SubObjectProperty<C>("ButtonUpGlyph", &C::GetButtonUpGlyph);
    TPropertyInfo upCells = SubrangeProperty<TIntSubrange<1, 4>, C>(
        "ButtonUpNumGlyphs", &C::GetButtonUpNumGlyphs, &C::SetButtonUpNumGlyphs, 2);
    upCells.IsStored = UpGlyphIsCustom;
    TPropertyInfo downGlyph = SubObjectProperty<C>("ButtonDownGlyph", &C::GetButtonDownGlyph);
    TPropertyInfo downCells = SubrangeProperty<TIntSubrange<1, 4>, C>(
        "ButtonDownNumGlyphs", &C::GetButtonDownNumGlyphs, &C::SetButtonDownNumGlyphs, 2);
    downCells.IsStored = DownGlyphIsCustom;
    for (const TPropertyInfo* info : {&upGlyph, &upCells, &downGlyph, &downCells})
        RegisterProperty(meta, *info);
    // The range and the format before the value, which they check and shape.
    const struct {
        const char* name;
        Extended (C::*get)() const;
        void (C::*set)(Extended);
        double def;
    } numbers[] = {{"Min", &C::Min, &C::SetMin, 0},
                   {"Max", &C::Max, &C::SetMax, 100},
                   {"Increment", &C::Increment, &C::SetIncrement, 1},
                   {"PageSize", &C::PageSize, &C::SetPageSize, 10},
                   {"BlankValue", &C::BlankValue, &C::SetBlankValue, 0}};
    for (const auto& p : numbers)
        RegisterProperty(meta, FloatProperty<C>(p.name, p.get, p.set, p.def));
    RegisterProperty(meta, FloatProperty<C>("Value", &C::GetValue, &C::SetValue, 0));
    return true;
}();

}  // namespace

void TUiSpinEdit::DefineProperties(TFiler* filer) {
    TUiCustomEdit::DefineProperties(filer);
    filer->DefineProperty("FlatButtonParentColor", &TUiOldPropReader::ReadOldBooleanProp, nullptr,
                          false);
}

TUiSpinEdit::TUiSpinEdit(TComponent* owner) : TUiCustomEdit(owner) {
    buttons_ = new TUiSpinButtons(this);
    buttons_->SetBounds(0, 0, 17, 17);
    buttons_->SetVisible(true);
    buttons_->SetParent(this);
    buttons_->SetFocusControl(this);
    buttons_->OnUpRightClick = [this](TObject* sender) { UpRightClickHandler(sender); };
    buttons_->OnDownLeftClick = [this](TObject* sender) { DownLeftClickHandler(sender); };
    ControlStyle.erase(csSetCaption);
    SetWidth(47);
    SetAlignment(taRightJustify);
    SetValue(0);
}

Extended TUiSpinEdit::GetValue() {
    const AnsiString text = Text();
    if (text.IsEmpty()) return allowBlank_ ? blankValue_ : min_;
    try {
        return StrToFloat(text);
    } catch (const std::exception&) {
        return min_;
    }
}

Extended TUiSpinEdit::CheckValue(Extended value) {
    if (min_ == max_ && !checkRange_) return value;
    if (value < min_) return min_;
    if (value > max_) return max_;
    return value;
}

void TUiSpinEdit::SetValue(Extended value) {
    const AnsiString text = FloatToStrF(CheckValue(value), ffFixed, 18, decimals_);
    if (!Parent() || SelLength() != 0) return SetText(text);
    const int caret = SelStart(), oldLength = Text().Length();
    SetText(text);
    const int grown = text.Length() - oldLength;
    SetSelStart(std::max(0, caret + (grown > 0 ? 1 : grown < 0 ? -1 : 0)));
}

void TUiSpinEdit::SetMin(Extended value) {
    if (value == min_) return;
    min_ = value;
    if (min_ > max_) max_ = min_;
    SetValue(GetValue());
    Invalidate();
}

void TUiSpinEdit::SetMax(Extended value) {
    if (value == max_) return;
    max_ = value;
    if (max_ < min_) min_ = max_;
    SetValue(GetValue());
    Invalidate();
}

void TUiSpinEdit::SetCheckRange(bool value) {
    if (value == checkRange_) return;
    checkRange_ = value;
    SetValue(GetValue());
}

void TUiSpinEdit::SetDecimals(int value) {
    if (value == decimals_) return;
    decimals_ = value;
    SetValue(GetValue());
}

void TUiSpinEdit::SetIntegersOnly(bool value) {
    if (value == integersOnly_) return;
    integersOnly_ = value;
    if (!value) return;
    SetValue(Round(GetValue()));
    SetDecimals(0);
}

void TUiSpinEdit::SetButtonWidth(int value) {
    value = std::max(0, value);
    if (value == buttonWidth_) return;
    buttonWidth_ = value;
    buttons_->SetWidth(GetOrientation() == orVertical ? value : value * 2);
    ResizeButtons();
    Invalidate();
}

void TUiSpinEdit::SetOrientation(TOrientation value) {
    buttons_->SetOrientation(value);
    ResizeButtons();
    Invalidate();
}

void TUiSpinEdit::SetFlatButtons(bool value) {
    TUiCustomEdit::SetFlatButtons(value);
    buttons_->SetFlat(value);
    ResizeButtons();
}

void TUiSpinEdit::SetFrameStyle(TFrameStyle value) {
    TUiCustomEdit::SetFrameStyle(value);
    ResizeButtons();
}

TUiControlButton* TUiSpinEdit::GetButton(TSpinButtonType type) const {
    return type == sbUp ? buttons_->UpRightButton() : buttons_->DownLeftButton();
}

TRect TUiSpinEdit::GetEditRect() {
    TRect r = ClientRect();
    if (!ReadOnly()) r.Right -= buttons_->Width() + 2;
    return r;
}

void TUiSpinEdit::ResizeButtons() {
    if (InState(csLoading)) return;
    const int minHeight = GetMinFontHeight(Font());
    if (Height() < minHeight) {
        SetHeight(minHeight);
        return;
    }
    const int w = buttons_->Width();
    if (UseRightToLeftAlignment())
        buttons_->SetBounds(0, 0, w, Height() - 4);
    else if (FrameVisible() || Ctl3D()) {
        if (VisualStylesEnabled())
            buttons_->SetBounds(Width() - w - 3, -1, w, Height() - 2);
        else
            buttons_->SetBounds(Width() - w - 4, 0, w, Height() - 4);
    } else {
        buttons_->SetBounds(Width() - w - 1, 1, w, Height() - 2);
    }
    SetEditRect();
}

void TUiSpinEdit::SetEditRect() {
    if (!HandleAllocated()) return;
    if (ReadOnly()) {
        SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
        return;
    }
    if (InState(csLoading)) return;
    const int margin = buttons_->Width() + 2;
    const LPARAM margins = UseRightToLeftAlignment() ? MAKELONG(margin, 0) : MAKELONG(0, margin);
    SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, margins);
}

bool TUiSpinEdit::IsValidChar(char key) {
    const unsigned char code = static_cast<unsigned char>(key);
    const bool control = code < 32 && key != '\r';
    const bool separator = !integersOnly_ && key == DecimalSeparator;
    if (!(control || IsSign(key) || (key >= '0' && key <= '9') || separator)) return false;
    const AnsiString text = Text();
    const int length = SelLength();
    if (separator) {
        const AnsiString sep(DecimalSeparator);
        if (text.Pos(sep) > 0 && !(length > 0 && SelText().Pos(sep) > 0)) return false;
    }
    if (IsSign(key) && !(SelStart() == 0 && !HasSign(text)) && length != text.Length())
        return false;
    if (!allowKeyEdit_ && (code == 8 || code >= 32)) return false;
    return true;
}

void TUiSpinEdit::UpRightClickHandler(TObject*) { IncValue(increment_); }
void TUiSpinEdit::DownLeftClickHandler(TObject*) { DecValue(increment_); }
void TUiSpinEdit::IncValue(Extended step) { Step(step, sbUp); }
void TUiSpinEdit::DecValue(Extended step) { Step(-step, sbDown); }

void TUiSpinEdit::Step(Extended delta, TSpinButtonType button) {
    if (ReadOnly()) {
        InvalidKeyPressed();
        return;
    }
    const Extended value = GetValue() + delta;
    if (!CanChange(value)) return;
    SetValue(value);
    DoButtonClick(button);
}

bool TUiSpinEdit::CanChange(Extended newValue) {
    bool allow = true;
    if (OnChanging) OnChanging(this, newValue, allow);
    return allow;
}

void TUiSpinEdit::DoButtonClick(TSpinButtonType button) {
    if (OnButtonClick) OnButtonClick(this, button);
}

void TUiSpinEdit::Loaded() {
    TUiCustomEdit::Loaded();
    ResizeButtons();
}

void TUiSpinEdit::CreateWnd() {
    TUiCustomEdit::CreateWnd();
    SetEditRect();
}

void TUiSpinEdit::ApplyButtonColors() {
    const bool hot = HasKeyboardFocus(this) || HotCondition();
    if (VisualStylesEnabled()) {
        buttons_->SetFlat(!hot);
        buttons_->SetColor(Color());
    } else {
        buttons_->SetColor(hot ? FlatButtonColor() : Color());
    }
}

void TUiSpinEdit::UpdateFrame(bool byMouse, bool value) {
    TUiCustomEdit::UpdateFrame(byMouse, value);
    if (FlatButtons()) ApplyButtonColors();
}

void TUiSpinEdit::ReadOnlyChanged() {
    TUiCustomEdit::ReadOnlyChanged();
    buttons_->SetVisible(!ReadOnly());
    ResizeButtons();
}

void TUiSpinEdit::KeyDown(uint16_t& key, TShiftState shift) {
    TUiCustomEdit::KeyDown(key, shift);
    switch (key) {
    case VK_DELETE:
        if (!allowKeyEdit_) {
            key = 0;
            InvalidKeyPressed();
        }
        return;
    case VK_PRIOR: IncValue(pageSize_); break;
    case VK_NEXT: DecValue(pageSize_); break;
    case VK_UP: IncValue(increment_); break;
    case VK_DOWN: DecValue(increment_); break;
    default: return;
    }
    key = 0;
}

void TUiSpinEdit::KeyPress(char& key) {
    TUiCustomEdit::KeyPress(key);
    if (key != 0 && !IsValidChar(key)) {
        key = 0;
        InvalidKeyPressed();
    }
}

bool TUiSpinEdit::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    TUiCustomEdit::DoMouseWheelDown(shift, mousePos);
    DecValue(shift.count(ssCtrl) ? pageSize_ : increment_);
    return true;
}

bool TUiSpinEdit::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    TUiCustomEdit::DoMouseWheelUp(shift, mousePos);
    IncValue(shift.count(ssCtrl) ? pageSize_ : increment_);
    return true;
}

void TUiSpinEdit::Enter(TMessage& message) {
    TUiCustomEdit::Dispatch(message);
    SetEditRect();
    if (AutoSelect() && !(GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
}

void TUiSpinEdit::Exit(TMessage& message) {
    TUiCustomEdit::Dispatch(message);
    SetEditRect();
    if (allowBlank_ && Text().IsEmpty()) return;
    Extended value;
    try {
        value = StrToFloat(Text());
    } catch (const std::exception&) {
        value = min_;
    }
    SetValue(value);
}

void TUiSpinEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_SIZE:
        TUiCustomEdit::Dispatch(message);
        ResizeButtons();
        return;
    case CM_ENTER: return Enter(message);
    case CM_EXIT: return Exit(message);
    case WM_PASTE:
    case WM_CUT:
        if (allowKeyEdit_ && !ReadOnly()) TUiCustomEdit::Dispatch(message);
        return;
    case CM_ENABLEDCHANGED:
        TUiCustomEdit::Dispatch(message);
        buttons_->SetAllEnabled(Enabled());
        if (FlatButtons()) buttons_->SetColor(Color());
        SetEditRect();
        return;
    case CM_FONTCHANGED:
        TUiCustomEdit::Dispatch(message);
        buttons_->SetAllEnabled(Enabled());
        SetEditRect();
        return;
    case CM_COLORCHANGED:
        TUiCustomEdit::Dispatch(message);
        buttons_->SetColor(Color());
        return;
    default: TUiCustomEdit::Dispatch(message);
    }
}
