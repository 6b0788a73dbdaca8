#include "UiRadioGroup.h"

#include "cl_stdctrls.h"

namespace {
constexpr int CaptionBand = 16;
constexpr int ButtonIndent = 8;
}  // namespace

TUiCustomRadioGroup::TUiCustomRadioGroup(TComponent* owner)
    : TUiCustomPanel(owner), items_(new TStringList) {
    SetBevelOuter(bvNone);
    SetBounds(0, 0, 185, 105);
    items_->OnChange = Bind(this, &TUiCustomRadioGroup::ItemsChanged);
}

void TUiCustomRadioGroup::BeforeDestruction() {
    items_->OnChange = nullptr;
    TUiCustomPanel::BeforeDestruction();
    delete items_;
    items_ = nullptr;
}

void TUiCustomRadioGroup::SetItemIndex(int index) {
    const int clamped = Max(-1, Min(index, items_->Count() - 1));
    if (clamped == itemIndex_) return;
    updating_ = true;
    if (itemIndex_ >= 0 && itemIndex_ < ButtonCount()) buttons_[itemIndex_]->SetChecked(false);
    itemIndex_ = clamped;
    if (itemIndex_ >= 0 && itemIndex_ < ButtonCount()) buttons_[itemIndex_]->SetChecked(true);
    updating_ = false;
}

void TUiCustomRadioGroup::SetColumns(int columns) {
    columns = Max(1, Min(columns, 16));
    if (columns == columns_) return;
    columns_ = columns;
    ArrangeButtons();
}

void TUiCustomRadioGroup::ItemsChanged(TObject*) {
    RebuildButtons();
    if (itemIndex_ >= items_->Count()) itemIndex_ = items_->Count() - 1;
}

void TUiCustomRadioGroup::RebuildButtons() {
    while (ButtonCount() > items_->Count()) {
        buttons_.back()->Free();
        buttons_.pop_back();
    }
    while (ButtonCount() < items_->Count()) {
        auto* button = new TRadioButton(this);
        button->SetParent(this);
        button->OnClick = Bind(this, &TUiCustomRadioGroup::ButtonClicked);
        buttons_.push_back(button);
    }
    updating_ = true;
    for (int i = 0; i < ButtonCount(); ++i) {
        buttons_[i]->SetCaption(items_->Get(i));
        buttons_[i]->SetChecked(i == itemIndex_);
    }
    updating_ = false;
    ArrangeButtons();
}

void TUiCustomRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    const int rows = (ButtonCount() + columns_ - 1) / columns_;
    const int columnWidth = (Width() - ButtonIndent) / columns_;
    const int rowHeight = Max(1, (Height() - CaptionBand - 4) / rows);
    for (int i = 0; i < ButtonCount(); ++i) {
        const int column = i / rows, row = i % rows;
        buttons_[i]->SetBounds(ButtonIndent + column * columnWidth,
                               CaptionBand + row * rowHeight + (rowHeight - 17) / 2,
                               columnWidth - 4, 17);
    }
}

void TUiCustomRadioGroup::ButtonClicked(TObject* sender) {
    if (updating_) return;
    for (int i = 0; i < ButtonCount(); ++i)
        if (buttons_[i] == sender && buttons_[i]->Checked()) {
            itemIndex_ = i;
            Click();
        }
}

void TUiCustomRadioGroup::Resize() {
    TUiCustomPanel::Resize();
    ArrangeButtons();
}

void TUiCustomRadioGroup::Dispatch(TMessage& message) {
    if (message.Msg == CM_ENABLEDCHANGED)
        for (TRadioButton* button : buttons_) button->SetEnabled(Enabled());
    TUiCustomPanel::Dispatch(message);
}

void TUiCustomRadioGroup::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    canvas->SetFont(Font());
    const int textHeight = canvas->TextHeight("0");
    TRect frame(0, textHeight / 2, Width(), Height());
    Frame3D(canvas, frame, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, frame, clBtnHighlight, clBtnShadow, 1);
    const AnsiString caption = Caption();
    if (caption.IsEmpty()) return;
    canvas->Brush()->SetColor(Color());
    canvas->TextOut(8, 0, " " + caption + " ");
}
