#include "UiComboBox.h"

TUiComboBox::TUiComboBox(TComponent* owner) : TUiCustomComboBox(owner), values_(new TStringList) {
    SetBounds(0, 0, 145, 21);
    values_->OnChange = [this](TObject* sender) { ValuesChangedHandler(sender); };
}

void TUiComboBox::BeforeDestruction() {
    values_->OnChange = nullptr;
    delete values_;
    values_ = nullptr;
    TUiCustomComboBox::BeforeDestruction();
}

void TUiComboBox::ClearItemsValues() {
    Items()->Clear();
    values_->Clear();
}

void TUiComboBox::AddItemValue(const AnsiString& item, const AnsiString& value) {
    Items()->Add(item);
    values_->Add(value);
}

void TUiComboBox::InsertItemValue(int index, const AnsiString& item, const AnsiString& value) {
    Items()->Insert(index, item);
    values_->Insert(index, value);
}

AnsiString TUiComboBox::GetItemValue(int index) {
    if (index >= 0 && index < values_->Count() && !values_->Get(index).IsEmpty())
        return values_->Get(index);
    if (index >= 0 && index < Items()->Count()) return Items()->Get(index);
    return "";
}

AnsiString TUiComboBox::GetValue() {
    const bool listStyle = Style() != csDropDown && Style() != csSimple;
    const AnsiString text = GetText();
    const int index = listStyle ? ItemIndex() : (text.IsEmpty() ? -1 : Items()->IndexOf(text));
    if (index >= 0 && index < values_->Count() && !values_->Get(index).IsEmpty())
        return values_->Get(index);
    return text;
}

void TUiComboBox::SetValue(const AnsiString& value) {
    if (value == value_ && !valuesChanging_) return;
    settingValue_ = true;
    try {
        int index = 0;
        while (index < Items()->Count() && GetItemValue(index) != value) ++index;
        SetItemIndex(index < Items()->Count() ? index : -1);
    } catch (...) {
        settingValue_ = false;
        throw;
    }
    settingValue_ = false;
    value_ = value;
}

void TUiComboBox::TakeSelectedValue() {
    if (ItemIndex() >= 0) SetValue(GetItemValue(ItemIndex()));
}

void TUiComboBox::Change() {
    if (settingValue_ || valuesChanging_) return;
    TUiCustomComboBox::Change();
    TakeSelectedValue();
}

void TUiComboBox::Click() {
    if (settingValue_) return;
    TUiCustomComboBox::Click();
    TakeSelectedValue();
}

void TUiComboBox::ValuesChangedHandler(TObject*) {
    valuesChanging_ = true;
    try {
        SetValue(GetValue());
    } catch (...) {
        valuesChanging_ = false;
        throw;
    }
    valuesChanging_ = false;
}
