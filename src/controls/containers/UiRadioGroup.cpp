#include "UiRadioGroup.h"

#include "UiUtils.h"
#include "cl_stdctrls.h"

namespace {
constexpr int GlyphWidth = 13;
constexpr int MaxColumns = 16;
}  // namespace

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
    columns = Max(1, Min(columns, MaxColumns));
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
        buttons_.push_back(button);
    }
    for (int i = 0; i < ButtonCount(); ++i) buttons_[i]->SetCaption(items_->Get(i));
    CheckOnly(itemIndex_);
    ArrangeButtons();
    Invalidate();
}

// Items fill the columns top to bottom; columns are equal with SpaceEvenly, else fitted.
void TUiCustomRadioGroup::ArrangeButtons() {
    if (buttons_.empty() || InState(csLoading)) return;
    const int count = ButtonCount();
    const int rows = (count + columns_ - 1) / columns_;
    const int evenWidth = (Width() - startXPos_ - 2 * BorderWidth() - 10) / columns_;
    std::vector<int> columnWidths(columns_, 0);
    if (!spaceEvenly_) {
        ScreenDC screen;
        HGDIOBJ previous = SelectObject(screen, Font()->Handle());
        for (int i = 0; i < count; ++i) {
            const AnsiString text = RemovePrefixChars(items_->Get(i));
            SIZE size{};
            GetTextExtentPoint32A(screen, text.c_str(), text.Length(), &size);
            int& width = columnWidths[i / rows];
            width = Max(width, static_cast<int>(size.cx) + GlyphWidth + 12);
        }
        SelectObject(screen, previous);
    }
    TRect area = ClientRect();
    AdjustClientRect(area);
    const int top = area.Top + startYPos_;
    for (int i = 0; i < count; ++i) {
        const int column = i / rows, row = i % rows;
        const int y = row * (itemHeight_ + verticalSpacing_) + top;
        if (spaceEvenly_) {
            buttons_[i]->SetBounds(column * evenWidth + startXPos_, y, evenWidth, itemHeight_);
        } else {
            int x = 0;
            for (int c = 0; c < column; ++c) x += columnWidths[c];
            buttons_[i]->SetBounds(x + startXPos_, y, columnWidths[column] - 4, itemHeight_);
        }
        buttons_[i]->SetFont(Font());
        buttons_[i]->SetVisible(true);
    }
}

void TUiCustomRadioGroup::Resize() {
    TUiCustomGroupBox::Resize();
    ArrangeButtons();
}
