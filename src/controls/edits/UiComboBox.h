// The control library's combo box: the framed combo box published, with a Values list beside
// Items whose entries stand for the items in Value.
#pragma once

#include "UiCustomComboBox.h"

class TUiComboBox : public TUiCustomComboBox {
    CL_COMPONENT_CLASS(TUiComboBox, TUiCustomComboBox)

    explicit TUiComboBox(TComponent* owner);
    void BeforeDestruction() override;

    TStrings* Values() const { return values_; }
    virtual void SetValues(TStrings* values) { values_->Assign(values); }
    void ClearItemsValues();
    void AddItemValue(const AnsiString& item, const AnsiString& value);
    void InsertItemValue(int index, const AnsiString& item, const AnsiString& value);
    // The value standing for item `index`: its own value, else its text.
    virtual AnsiString GetItemValue(int index);
    virtual AnsiString GetValue();
    virtual void SetValue(const AnsiString& value);
    AnsiString Value() { return GetValue(); }

protected:
    ~TUiComboBox() override = default;
    void Change() override;
    void Click() override;

private:
    void ValuesChangedHandler(TObject* sender);
    void TakeSelectedValue();

    TStringList* values_;
    AnsiString value_;
    bool settingValue_ = false;
    bool valuesChanging_ = false;
};
