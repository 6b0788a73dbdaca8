#include "UiNumericEdit.h"

#include <cctype>

#include "cl_clipboard.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsExponent(char c) { return c == 'E' || c == 'e'; }
bool IsSign(char c) { return c == '+' || c == '-'; }
bool HasSign(const AnsiString& text) { return text.Pos("+") > 0 || text.Pos("-") > 0; }

// A minus before the first digit (and before any exponent) is the number's sign.
bool IsNegative(const AnsiString& text, char decimalSeparator) {
    if (text.Pos("(") > 0) return true;
    for (int i = 1; i <= text.Length(); ++i) {
        const char c = text[i];
        if (IsDigit(c) || c == decimalSeparator || IsExponent(c)) return false;
        if (c == '-') return true;
    }
    return false;
}

const bool numericEditPropertiesRegistered = [] {
    using C = TUiNumericEdit;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, OrdinalProperty<C>("AllowBlank", pkBool, &C::AllowBlank,
                                              &C::SetAllowBlank, 0));
    RegisterProperty(meta, FloatProperty<C>("BlankValue", &C::BlankValue, &C::SetBlankValue));
    RegisterProperty(meta, OrdinalProperty<C>("CheckRange", pkBool, &C::CheckRange,
                                              &C::SetCheckRange, 0));
    RegisterProperty(meta, OrdinalProperty<C>("IntegersOnly", pkBool, &C::IntegersOnly,
                                              &C::SetIntegersOnly, 1));
    RegisterProperty(meta, FloatProperty<C>("Min", &C::Min, &C::SetMin));
    RegisterProperty(meta, FloatProperty<C>("Max", &C::Max, &C::SetMax));
    RegisterProperty(meta, FloatProperty<C>("Value", &C::GetValue, &C::SetValue));
    TPropertyInfo format =
        StringProperty<C>("DisplayFormat", &C::DisplayFormat, &C::SetDisplayFormat);
    format.IsStored = [](TObject* o) {
        return static_cast<C*>(o)->DisplayFormat() != ",0;(,0)";
    };
    RegisterProperty(meta, format);
    RegisterProperty(meta, OrdinalProperty<C>("BeepOnInvalidKey", pkBool, &C::BeepOnInvalidKey,
                                              &C::SetBeepOnInvalidKey, 1));
    RegisterProperty(meta, EnumProperty<C>("Alignment", &C::Alignment, &C::SetAlignment,
                                           {"taLeftJustify", "taRightJustify", "taCenter"},
                                           taRightJustify));
    return true;
}();

}  // namespace

Extended EvaluateNumericText(const AnsiString& text, char decimalSeparator) {
    if (text.IsEmpty()) return 0;
    AnsiString digits;
    for (int i = 1; i <= text.Length(); ++i) {
        const char c = text[i];
        const bool exponentSign = c == '-' && i > 1 && IsExponent(text[i - 1]);
        if (IsDigit(c) || IsExponent(c) || exponentSign) digits += c;
        if (c == decimalSeparator) digits += DecimalSeparator;
    }
    if (digits.IsEmpty()) return 0;
    if (IsNegative(text, decimalSeparator)) digits = "-" + digits;
    return StrToFloatDef(digits, 0);
}

TUiNumericEdit::TUiNumericEdit(TComponent* owner) : TUiEdit(owner) {
    SetAlignment(taRightJustify);
    SetBounds(Left(), Top(), 65, 21);
    ControlStyle.erase(csSetCaption);
    SetText(FormatText(0));
}

void TUiNumericEdit::SetIntegersOnly(bool value) {
    if (value == integersOnly_) return;
    integersOnly_ = value;
    if (value) SetValue(Round(GetValue()));
}

void TUiNumericEdit::SetMin(Extended value) {
    if (value == min_) return;
    min_ = value;
    if (min_ > max_) max_ = min_;
    Invalidate();
}

void TUiNumericEdit::SetMax(Extended value) {
    if (value == max_) return;
    max_ = value;
    if (max_ < min_) min_ = max_;
    Invalidate();
}

Extended TUiNumericEdit::GetValue() {
    try {
        if (!GetText().IsEmpty()) return EvaluateText();
        return allowBlank_ ? blankValue_ : min_;
    } catch (const std::exception&) {
        return min_;
    }
}

void TUiNumericEdit::SetValue(Extended value) {
    if (value != EvaluateText()) SetText(FormatText(value));
}

void TUiNumericEdit::SetDisplayFormat(const AnsiString& value) {
    if (value == displayFormat_) return;
    displayFormat_ = value;
    SetValue(GetValue());
    if (!InState(csLoading)) SetText(FormatText(GetValue()));
}

bool TUiNumericEdit::IsValidChar(char key) {
    const AnsiString text = GetText();
    const int start = SelStart(), length = SelLength();
    const AnsiString selected = SelText();
    const unsigned char code = static_cast<unsigned char>(key);
    if (integersOnly_ && !(IsDigit(key) || key == '(' || key == ')' || IsSign(key) ||
                           (code < 32 && key != '\r')))
        return false;
    const AnsiString separator(DecimalSeparator);
    if (key == DecimalSeparator)
        return text.Pos(separator) == 0 || (length > 0 && selected.Pos(separator) > 0);
    if (!integersOnly_) return true;
    if (IsSign(key))
        return (start == 0 && !HasSign(text)) || length == text.Length() ||
               (start == 0 && length > 0 && HasSign(selected));
    return !(start == 0 && length == 0 && !text.IsEmpty() && IsSign(text[1]));
}

Extended TUiNumericEdit::CheckValue(Extended value, bool& rangeError) {
    Extended result = value;
    if (min_ != max_ || checkRange_) {
        bool autoCorrect = true;
        if (value < min_) {
            RangeError(value, min_, autoCorrect);
            if (autoCorrect) result = min_;
        } else if (value > max_) {
            RangeError(value, max_, autoCorrect);
            if (autoCorrect) result = max_;
        }
        if (!autoCorrect) rangeError = true;
    }
    lastValue_ = result;
    return result;
}

void TUiNumericEdit::RangeError(Extended entered, Extended adjusted, bool& autoCorrect) {
    if (OnRangeError) OnRangeError(this, entered, adjusted, autoCorrect);
}

void TUiNumericEdit::Loaded() {
    TUiEdit::Loaded();
    suppressChange_ = true;
    try {
        lastValue_ = EvaluateText();
        SetText(FormatText(lastValue_));
    } catch (...) {
        suppressChange_ = false;
        throw;
    }
    suppressChange_ = false;
}

void TUiNumericEdit::Change() {
    if (InState(csLoading) || suppressChange_) return;
    TUiEdit::Change();
}

void TUiNumericEdit::KeyPress(char& key) {
    TUiEdit::KeyPress(key);
    if (key != 0 && !IsValidChar(key)) {
        key = 0;
        InvalidKeyPressed();
    }
}

void TUiNumericEdit::PasteFiltered() {
    const AnsiString pasted = Clipboard()->AsText();
    bool refused = false;
    for (int i = 1; i <= pasted.Length(); ++i) {
        if (IsValidChar(pasted[i]) && static_cast<unsigned char>(pasted[i]) >= 32)
            SetSelText(AnsiString(pasted[i]));
        else
            refused = true;
    }
    if (refused) InvalidKeyPressed();
}

void TUiNumericEdit::Enter(TMessage& message) {
    lastValue_ = EvaluateText();
    if (!allowBlank_) SetText(FormatText(lastValue_));
    TUiEdit::Dispatch(message);
}

void TUiNumericEdit::Exit(TMessage& message) {
    if (!(allowBlank_ && GetText().IsEmpty())) {
        bool rangeError = false;
        Extended value;
        try {
            value = CheckValue(EvaluateText(), rangeError);
        } catch (const std::exception&) {
            value = min_;
            SetValue(min_);
        }
        if (rangeError) {
            SetFocus();
            return;
        }
        SetText(FormatText(value));
    }
    TUiEdit::Dispatch(message);
}

void TUiNumericEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_ENTER: return Enter(message);
    case CM_EXIT: return Exit(message);
    case WM_PASTE:
        if (!ReadOnly()) PasteFiltered();
        return;
    case WM_CUT:
        if (!ReadOnly()) TUiEdit::Dispatch(message);
        return;
    default:
        TUiEdit::Dispatch(message);
    }
}
