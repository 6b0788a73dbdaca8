// The library's numeric edit: a framed edit holding a number; it filters typed and pasted keys,
// reads its text as a number whatever formatting it carries and checks a range on leaving.
#pragma once

#include "UiEdit.h"
#include "cl_locale.h"
#include "cl_number.h"

using TUiRangeErrorEvent = std::function<void(TObject* sender, Extended enteredValue,
                                              Extended adjustedValue, bool& autoCorrect)>;

// The number a text stands for: thousands separators, currency signs, spaces and letters are
// dropped; parentheses or a leading minus make it negative ("5-3" is 53, not -53); a minus
// right after an exponent letter is the exponent's sign. Unconvertible text gives 0.
Extended EvaluateNumericText(const AnsiString& text, char decimalSeparator);

class TUiNumericEdit : public TUiEdit {
    CL_COMPONENT_CLASS(TUiNumericEdit, TUiEdit)

    explicit TUiNumericEdit(TComponent* owner);

    bool AllowBlank() const { return allowBlank_; }
    void SetAllowBlank(bool value) { allowBlank_ = value; }
    Extended BlankValue() const { return blankValue_; }
    void SetBlankValue(Extended value) { blankValue_ = value; }
    bool CheckRange() const { return checkRange_; }
    void SetCheckRange(bool value) { checkRange_ = value; }
    bool IntegersOnly() const { return integersOnly_; }
    virtual void SetIntegersOnly(bool value);
    Extended Min() const { return min_; }
    virtual void SetMin(Extended value);
    Extended Max() const { return max_; }
    virtual void SetMax(Extended value);
    // Reading never changes the text: an empty text reads as BlankValue or Min.
    virtual Extended GetValue();
    virtual void SetValue(Extended value);
    virtual int GetIntValue() { return static_cast<int>(Round(GetValue())); }
    virtual void SetIntValue(int value) { SetValue(value); }
    const AnsiString& DisplayFormat() const { return displayFormat_; }
    virtual void SetDisplayFormat(const AnsiString& value);

    virtual bool IsValidChar(char key);
    virtual AnsiString FormatText(Extended value) { return FormatFloat(displayFormat_, value); }
    virtual Extended EvaluateText() { return EvaluateNumericText(GetText(), DecimalSeparator); }
    // The value clamped to the range when the range applies; `rangeError` is set when an
    // OnRangeError handler kept the value as entered.
    virtual Extended CheckValue(Extended value, bool& rangeError);

    TUiRangeErrorEvent OnRangeError;

protected:
    ~TUiNumericEdit() override = default;

    virtual void RangeError(Extended entered, Extended adjusted, bool& autoCorrect);
    void Loaded() override;
    void Change() override;
    void KeyPress(char& key) override;
    void Dispatch(TMessage& message) override;

private:
    void Enter(TMessage& message);
    void Exit(TMessage& message);
    void PasteFiltered();

    bool allowBlank_ = false;
    Extended blankValue_ = 0;
    bool checkRange_ = false;
    bool integersOnly_ = true;
    Extended min_ = 0;
    Extended max_ = 0;
    AnsiString displayFormat_ = ",0;(,0)";
    Extended lastValue_ = 0;
    bool suppressChange_ = false;
};
