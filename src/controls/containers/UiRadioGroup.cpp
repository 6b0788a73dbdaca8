#include "UiRadioGroup.h"

#include "UiGroupItems.h"
#include "cl_stdctrls.h"

TUiCustomRadioGroup::TUiCustomRadioGroup(TComponent* owner)
    : TUiCustomGroupBox(owner), items_(new TStringList) {
    ControlStyle.erase(csReplicatable);
    SetBounds(0, 0, 185, 105);
    items_->OnChange = Bind(this, &TUiCustomRadioGroup::ItemsChanged);
}

void TUiCustomRadioGroup::BeforeDestruction() {
    items_->OnChange = nullptr;
    TUiCustomGroupBox::BeforeDestruction();
    delete items_;
    items_ = nullptr;
}

bool TUiCustomRadioGroup::CanChange(int newIndex) {
    bool allow = true;
    if (OnChanging) OnChanging(this, newIndex, allow);
    return allow;
}

// Marks `index` (none for -1) without reporting clicks.
void TUiCustomRadioGroup::CheckOnly(int index) {
    inClick_ = true;
    for (int i = 0; i < ButtonCount(); ++i) buttons_[i]->SetChecked(i == index);
    inClick_ = false;
}

void TUiCustomRadioGroup::SetItemIndex(int index) {
    const int clamped = Max(-1, Min(index, ButtonCount() - 1));
    if (clamped == itemIndex_ || !CanChange(clamped)) return;
    itemIndex_ = clamped;
    CheckOnly(itemIndex_);
    Click();
}

void TUiCustomRadioGroup::ButtonClicked(TObject* sender) {
    if (inClick_) return;
    for (int i = 0; i < ButtonCount(); ++i) {
        if (buttons_[i] != sender || !buttons_[i]->Checked() || i == itemIndex_) continue;
        if (!CanChange(i)) {
            CheckOnly(itemIndex_);
            if (itemIndex_ >= 0 && buttons_[itemIndex_]->CanFocus()) buttons_[itemIndex_]->SetFocus();
            return;
        }
        itemIndex_ = i;
        CheckOnly(i);
        Click();
    }
}

bool TUiCustomRadioGroup::ItemEnabled(int index) const { return buttons_.at(index)->Enabled(); }

void TUiCustomRadioGroup::SetItemEnabled(int index, bool value) {
    buttons_.at(index)->SetEnabled(value);
}

void TUiCustomRadioGroup::SetColumns(int columns) {
    columns = ClampGroupColumns(columns);
    if (columns == columns_) return;
    columns_ = columns;
    ArrangeButtons();
    Invalidate();
}

void TUiCustomRadioGroup::ItemsChanged(TObject*) {
    if (itemIndex_ >= items_->Count()) itemIndex_ = items_->Count() - 1;
    UpdateButtons();
}

void TUiCustomRadioGroup::UpdateButtons() {
    while (ButtonCount() > items_->Count()) {
        buttons_.back()->Free();
        buttons_.pop_back();
    }
    while (ButtonCount() < items_->Count()) {
        auto* button = new TRadioButton(this);
        button->SetVisible(false);
        button->SetEnabled(Enabled());
        button->SetParent(this);
        button->OnClick = Bind(this, &TUiCustomRadioGroup::ButtonClicked);
        button->OnKeyPress = [this](TObject*, char& key) { KeyPress(key); };
        buttons_.push_back(button);
    }
    for (int i = 0; i < ButtonCount(); ++i) buttons_[i]->SetCaption(items_->Get(i));
    CheckOnly(itemIndex_);
    ArrangeButtons();
    Invalidate();
}

void TUiCustomRadioGroup::ArrangeButtons() {
    TUiGroupItemLayout layout;
    layout.Columns = columns_;
    layout.SpaceEvenly = spaceEvenly_;
    layout.StartXPos = startXPos_;
    layout.StartYPos = startYPos_;
    layout.ItemHeight = itemHeight_;
    layout.VerticalSpacing = verticalSpacing_;
    ArrangeGroupItems(this, std::vector<TControl*>(buttons_.begin(), buttons_.end()), layout);
}

void TUiCustomRadioGroup::Resize() {
    TUiCustomGroupBox::Resize();
    ArrangeButtons();
}

void TUiCustomRadioGroup::KeyPress(char& key) {
    if (!TabOnEnterKey(this, tabOnEnter_, key)) TUiCustomGroupBox::KeyPress(key);
}

void TUiCustomRadioGroup::ChangeScale(int multiplier, int divider) {
    TUiCustomGroupBox::ChangeScale(multiplier, divider);
    verticalSpacing_ = MulDiv(verticalSpacing_, multiplier, divider);
    itemHeight_ = MulDiv(itemHeight_, multiplier, divider);
    startYPos_ = MulDiv(startYPos_, multiplier, divider);
    ArrangeButtons();
}
