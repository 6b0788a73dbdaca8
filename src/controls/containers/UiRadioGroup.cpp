#include "UiRadioGroup.h"

#include "cl_filer.h"

namespace {
const bool radioGroupPropertiesRegistered = [] {
    using C = TUiCustomRadioGroup;
    RegisterProperty(C::StaticClass(), OrdinalProperty<C>("ItemIndex", pkInteger, &C::ItemIndex,
                                                          &C::SetItemIndex, -1));
    return true;
}();
}  // namespace

TUiGroupButton::TUiGroupButton(TUiCustomRadioGroup* group) : TUiGroupItem(group) {}

TUiCustomRadioGroup::TUiCustomRadioGroup(TComponent* owner) : TUiCustomItemGroup(owner) {}

TUiGroupButton* TUiCustomRadioGroup::GetButtons(int index) const {
    return static_cast<TUiGroupButton*>(Item(index));
}

TUiCustomGlyphButton* TUiCustomRadioGroup::CreateItem() {
    auto* button = new TUiGroupButton(this);
    button->OnClick = [this](TObject* sender) { ButtonClicked(sender); };
    return button;
}

bool TUiCustomRadioGroup::CanChange(int newIndex) {
    bool allow = true;
    if (OnChanging) OnChanging(this, newIndex, allow);
    return allow;
}

void TUiCustomRadioGroup::CheckOnly(int index) {
    const bool wasInClick = inClick_;
    inClick_ = true;
    for (int i = 0; i < ItemCount(); ++i) GetButtons(i)->SetChecked(i == index);
    inClick_ = wasInClick;
}

void TUiCustomRadioGroup::SetItemIndex(int index) {
    if (Reading()) {
        itemIndex_ = index;
        return;
    }
    index = Max(-1, Min(index, ItemCount() - 1));
    if (index == itemIndex_ || (index >= 0 && !CanChange(index))) return;
    itemIndex_ = index;
    CheckOnly(index);
    if (index >= 0) Click();
}

// A button checked by the mouse, a key or the focus.
void TUiCustomRadioGroup::ButtonClicked(TObject* sender) {
    if (inClick_) return;
    const int index = IndexOfItem(sender);
    if (index < 0 || index == itemIndex_ || !GetButtons(index)->GetChecked()) return;
    if (CanChange(index)) {
        itemIndex_ = index;
        Click();
        return;
    }
    CheckOnly(itemIndex_);
    if (itemIndex_ < 0) return;
    TUiGroupButton* selected = GetButtons(itemIndex_);
    if (selected->CanFocus()) {
        inClick_ = true;
        selected->SetFocus();
        inClick_ = false;
    }
}

void TUiCustomRadioGroup::ItemsChanged() {
    itemIndex_ = Min(itemIndex_, Items()->Count() - 1);
    TUiCustomItemGroup::ItemsChanged();
}

void TUiCustomRadioGroup::MarkItems() {
    itemIndex_ = Max(-1, Min(itemIndex_, ItemCount() - 1));
    CheckOnly(itemIndex_);
}

TUiCustomGlyphButton* TUiCustomRadioGroup::AcceleratorTarget() {
    if (itemIndex_ >= 0 && GetButtons(itemIndex_)->CanFocus()) return GetButtons(itemIndex_);
    return TUiCustomItemGroup::AcceleratorTarget();
}

void TUiCustomRadioGroup::DefineProperties(TFiler* filer) {
    TUiCustomItemGroup::DefineProperties(filer);
    filer->DefineProperty(
        "Flat", [this](TReader* reader) { SetItemHotTrack(reader->ReadBoolean()); }, nullptr,
        false);
}
