#include "UiCheckGroup.h"

#include "UiFrameController.h"
#include "cl_filer.h"
#include "cl_forms.h"

TUiGroupCheck::TUiGroupCheck(TUiCustomCheckGroup* group) : TUiCustomCheckBox(group), group_(group) {}

void TUiGroupCheck::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (group_->CanModify()) TUiCustomCheckBox::MouseDown(button, shift, x, y);
}

void TUiGroupCheck::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (inMouseUp_ || !group_->CanModify()) return;
    inMouseUp_ = true;
    try {
        TUiCustomCheckBox::MouseUp(button, shift, x, y);
    } catch (...) {
        Application->HandleException(this);
    }
    inMouseUp_ = false;
}

void TUiGroupCheck::KeyDown(uint16_t& key, TShiftState shift) {
    if ((key == VK_SPACE || key == VK_BACK) && !group_->CanModify()) key = 0;
    TUiCustomCheckBox::KeyDown(key, shift);
    if (key) group_->KeyDown(key, shift);
}

void TUiGroupCheck::KeyPress(char& key) {
    if ((key == ' ' || key == '\b') && !group_->CanModify()) key = 0;
    TUiCustomCheckBox::KeyPress(key);
    if (key) group_->KeyPress(key);
}

TUiCustomCheckGroup::TUiCustomCheckGroup(TComponent* owner)
    : TUiCustomGroupBox(owner), items_(new TStringList), itemFont_(new TFont) {
    ControlStyle.erase(csReplicatable);
    SetBounds(0, 0, 185, 105);
    itemFont_->SetName("MS Sans Serif");
    itemFont_->SetSize(8);
    itemFont_->OnChange = [this](TObject*) { ArrangeChecks(); };
    layout_.ItemFont = itemFont_;
    items_->OnChange = Bind(this, &TUiCustomCheckGroup::ItemsChanged);
}

void TUiCustomCheckGroup::BeforeDestruction() {
    items_->OnChange = nullptr;
    itemFont_->OnChange = nullptr;
    TUiCustomGroupBox::BeforeDestruction();
    delete items_;
    items_ = nullptr;
    delete itemFont_;
    itemFont_ = nullptr;
}

void TUiCustomCheckGroup::SetItemFont(TFont* font) {
    itemFontSet_ = true;
    itemFont_->Assign(font);
}

void TUiCustomCheckGroup::SetItemFrameColor(TColor color) {
    if (color == itemFrameColor_) return;
    itemFrameColor_ = color;
    ArrangeChecks();
}

void TUiCustomCheckGroup::Dispatch(TMessage& message) {
    TUiCustomGroupBox::Dispatch(message);
    if (message.Msg == CM_FONTCHANGED && !itemFontSet_ && itemFont_) itemFont_->Assign(Font());
}

void TUiCustomCheckGroup::Change(int index, TCheckBoxState state) {
    if (OnChange) OnChange(this, index, state);
}

void TUiCustomCheckGroup::CheckClicked(TObject* sender) {
    for (int i = 0; i < CheckCount(); ++i)
        if (checks_[i] == sender) Change(i, checks_[i]->State());
}

bool TUiCustomCheckGroup::GetItemChecked(int index) const { return checks_.at(index)->GetChecked(); }

void TUiCustomCheckGroup::SetItemChecked(int index, bool value) {
    checks_.at(index)->SetChecked(value);
}

bool TUiCustomCheckGroup::GetItemEnabled(int index) const { return checks_.at(index)->Enabled(); }

void TUiCustomCheckGroup::SetItemEnabled(int index, bool value) {
    checks_.at(index)->SetEnabled(value);
}

TCheckBoxState TUiCustomCheckGroup::GetItemState(int index) const {
    return checks_.at(index)->State();
}

void TUiCustomCheckGroup::SetItemState(int index, TCheckBoxState state) {
    checks_.at(index)->SetState(state);
}

void TUiCustomCheckGroup::SetAllowGrayed(bool value) {
    if (value == allowGrayed_) return;
    allowGrayed_ = value;
    for (TUiGroupCheck* check : checks_) check->SetAllowGrayed(value);
}

void TUiCustomCheckGroup::SetColumns(int columns) {
    columns = ClampGroupColumns(columns);
    if (columns == layout_.Columns) return;
    layout_.Columns = columns;
    ArrangeChecks();
    Invalidate();
}

void TUiCustomCheckGroup::ItemsChanged(TObject*) {
    if (!InState(csReading)) UpdateChecks();
}

void TUiCustomCheckGroup::UpdateChecks() {
    while (CheckCount() > items_->Count()) {
        checks_.back()->Free();
        checks_.pop_back();
    }
    while (CheckCount() < items_->Count()) {
        auto* check = new TUiGroupCheck(this);
        check->SetVisible(false);
        check->SetEnabled(Enabled());
        check->SetAllowGrayed(allowGrayed_);
        check->SetParent(this);
        check->OnClick = Bind(this, &TUiCustomCheckGroup::CheckClicked);
        checks_.push_back(check);
    }
    for (int i = 0; i < CheckCount(); ++i) checks_[i]->SetCaption(items_->Get(i));
    ArrangeChecks();
    Invalidate();
}

void TUiCustomCheckGroup::ArrangeChecks() {
    if (!itemFont_ || InState(csLoading)) return;
    ArrangeGroupItems(this, std::vector<TControl*>(checks_.begin(), checks_.end()), layout_);
    for (TUiGroupCheck* check : checks_) {
        check->SetAllowGrayed(allowGrayed_);
        check->SetFrameColor(itemFrameColor_);
    }
}

void TUiCustomCheckGroup::Resize() {
    TUiCustomGroupBox::Resize();
    ArrangeChecks();
}

void TUiCustomCheckGroup::KeyPress(char& key) {
    if (!TabOnEnterKey(this, tabOnEnter_, key)) TUiCustomGroupBox::KeyPress(key);
}

void TUiCustomCheckGroup::ReadCheckStates(TReader* reader) {
    storedStates_.clear();
    reader->ReadListBegin();
    while (!reader->EndOfList()) storedStates_.push_back(reader->ReadInteger());
    reader->ReadListEnd();
}

void TUiCustomCheckGroup::WriteCheckStates(TWriter* writer) {
    writer->WriteListBegin();
    for (TUiGroupCheck* check : checks_) writer->WriteInteger(check->State());
    writer->WriteListEnd();
}

void TUiCustomCheckGroup::DefineProperties(TFiler* filer) {
    TUiCustomGroupBox::DefineProperties(filer);
    filer->DefineProperty(
        "CheckStates", [this](TReader* reader) { ReadCheckStates(reader); },
        [this](TWriter* writer) { WriteCheckStates(writer); }, CheckCount() > 0);
}

// States beyond the items or outside the state range are left out.
void TUiCustomCheckGroup::Loaded() {
    TUiCustomGroupBox::Loaded();
    UpdateChecks();
    const std::vector<int> states = std::move(storedStates_);
    storedStates_.clear();
    for (int i = 0; i < Min(CheckCount(), static_cast<int>(states.size())); ++i)
        if (states[i] >= cbUnchecked && states[i] <= cbGrayed)
            SetItemState(i, static_cast<TCheckBoxState>(states[i]));
}

void TUiCustomCheckGroup::ChangeScale(int multiplier, int divider) {
    TUiCustomGroupBox::ChangeScale(multiplier, divider);
    if (itemFontSet_) itemFont_->SetHeight(MulDiv(itemFont_->Height(), multiplier, divider));
    layout_.VerticalSpacing = MulDiv(layout_.VerticalSpacing, multiplier, divider);
    layout_.ItemHeight = MulDiv(layout_.ItemHeight, multiplier, divider);
    layout_.StartYPos = MulDiv(layout_.StartYPos, multiplier, divider);
    ArrangeChecks();
}

void TUiCustomCheckGroup::CustomFramingChanged() {
    TUiFrameController* controller = FrameController();
    if (!controller || !controller->FrameVisible()) return;
    TUiCustomGroupBox::CustomFramingChanged();
    SetItemFrameColor(controller->FrameColor());
    for (TUiGroupCheck* check : checks_) check->SetDisabledColor(controller->DisabledColor());
}
