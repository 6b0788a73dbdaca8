#include "UiCheckGroup.h"

#include "cl_filer.h"

namespace {
const bool checkGroupPropertiesRegistered = [] {
    using C = TUiCustomCheckGroup;
    RegisterProperty(C::StaticClass(), OrdinalProperty<C>("AllowGrayed", pkBool, &C::AllowGrayed,
                                                          &C::SetAllowGrayed, 0));
    return true;
}();
}  // namespace

TUiGroupCheck::TUiGroupCheck(TUiCustomCheckGroup* group) : TUiGroupItem(group) {}

TUiCustomCheckGroup::TUiCustomCheckGroup(TComponent* owner) : TUiCustomItemGroup(owner) {}

TUiGroupCheck* TUiCustomCheckGroup::GetChecks(int index) const {
    return static_cast<TUiGroupCheck*>(Item(index));
}

TUiCustomGlyphButton* TUiCustomCheckGroup::CreateItem() {
    auto* check = new TUiGroupCheck(this);
    check->SetAllowGrayed(allowGrayed_);
    check->OnClick = [this](TObject* sender) { CheckClicked(sender); };
    return check;
}

void TUiCustomCheckGroup::Change(int index, TCheckBoxState state) {
    if (OnChange) OnChange(this, index, state);
}

void TUiCustomCheckGroup::CheckClicked(TObject* sender) {
    const int index = IndexOfItem(sender);
    if (index >= 0) Change(index, GetChecks(index)->State());
}

bool TUiCustomCheckGroup::GetItemChecked(int index) const { return GetChecks(index)->GetChecked(); }

void TUiCustomCheckGroup::SetItemChecked(int index, bool value) {
    GetChecks(index)->SetChecked(value);
}

TCheckBoxState TUiCustomCheckGroup::GetItemState(int index) const {
    return GetChecks(index)->State();
}

void TUiCustomCheckGroup::SetItemState(int index, TCheckBoxState state) {
    GetChecks(index)->SetState(state);
}

void TUiCustomCheckGroup::SetAllowGrayed(bool value) {
    if (value == allowGrayed_) return;
    allowGrayed_ = value;
    for (int i = 0; i < ItemCount(); ++i) GetChecks(i)->SetAllowGrayed(value);
}

void TUiCustomCheckGroup::ReadCheckStates(TReader* reader) {
    storedStates_.clear();
    reader->ReadListBegin();
    while (!reader->EndOfList()) storedStates_.push_back(reader->ReadInteger());
    reader->ReadListEnd();
}

void TUiCustomCheckGroup::WriteCheckStates(TWriter* writer) {
    writer->WriteListBegin();
    for (int i = 0; i < ItemCount(); ++i) writer->WriteInteger(GetItemState(i));
    writer->WriteListEnd();
}

void TUiCustomCheckGroup::DefineProperties(TFiler* filer) {
    TUiCustomItemGroup::DefineProperties(filer);
    filer->DefineProperty(
        "CheckStates", [this](TReader* reader) { ReadCheckStates(reader); },
        [this](TWriter* writer) { WriteCheckStates(writer); }, ItemCount() > 0);
}

// States beyond the items or outside the state range are left out.
void TUiCustomCheckGroup::Loaded() {
    TUiCustomItemGroup::Loaded();
    const std::vector<int> states = std::move(storedStates_);
    storedStates_.clear();
    for (int i = 0; i < Min(ItemCount(), static_cast<int>(states.size())); ++i)
        if (states[i] >= cbUnchecked && states[i] <= cbGrayed)
            SetItemState(i, static_cast<TCheckBoxState>(states[i]));
}
