// The control library's radio group: a group box holding one radio button per line of Items,
// laid out in columns; ItemIndex is the selected item, -1 for none, and OnChanging may refuse.
#pragma once

#include <functional>
#include <vector>

#include "UiGroupBox.h"
#include "cl_lists.h"

class TRadioButton;

using TUiIndexChangingEvent = std::function<void(TObject* sender, int newIndex, bool& allowChange)>;

class TUiCustomRadioGroup : public TUiCustomGroupBox {
    CL_COMPONENT_CLASS(TUiCustomRadioGroup, TUiCustomGroupBox)

    explicit TUiCustomRadioGroup(TComponent* owner);
    void BeforeDestruction() override;

    TStrings* Items() const { return items_; }
    void SetItems(TStrings* items) { items_->Assign(items); }
    int ItemIndex() const { return itemIndex_; }
    // Clamped to -1 .. item count - 1; a change OnChanging refuses keeps the old selection.
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    // Kept within 1..16.
    void SetColumns(int columns);
    bool SpaceEvenly() const { return spaceEvenly_; }
    void SetSpaceEvenly(bool value) { ChangeLayout(spaceEvenly_, value); }
    int StartXPos() const { return startXPos_; }
    int StartYPos() const { return startYPos_; }
    // Which 1 sets StartXPos, anything else StartYPos.
    void SetStartPos(int which, int value) { ChangeLayout(which == 1 ? startXPos_ : startYPos_, value); }
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value) { ChangeLayout(itemHeight_, value); }
    int VerticalSpacing() const { return verticalSpacing_; }
    void SetVerticalSpacing(int value) { ChangeLayout(verticalSpacing_, value); }
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
    bool ItemEnabled(int index) const;
    void SetItemEnabled(int index, bool value);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TRadioButton* Buttons(int index) const { return buttons_.at(index); }

    // Scales the item height, row gap and first-row offset (not StartXPos).
    void ChangeScale(int multiplier, int divider) override;

    TUiIndexChangingEvent OnChanging;

protected:
    ~TUiCustomRadioGroup() override = default;
    virtual bool CanChange(int newIndex);
    void Resize() override;
    // With TabOnEnter, Enter moves on as Tab does.
    void KeyPress(char& key) override;

private:
    template <class T>
    void ChangeLayout(T& field, T value) {
        if (field == value) return;
        field = value;
        ArrangeButtons();
    }
    void ItemsChanged(TObject* sender);
    void UpdateButtons();
    void ArrangeButtons();
    void ButtonClicked(TObject* sender);
    void CheckOnly(int index);

    TStringList* items_;
    std::vector<TRadioButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool spaceEvenly_ = false;
    int startXPos_ = 8;
    int startYPos_ = 2;
    int itemHeight_ = 17;
    int verticalSpacing_ = 3;
    bool inClick_ = false;
    bool tabOnEnter_ = false;
};

class TUiRadioGroup : public TUiCustomRadioGroup {
    CL_COMPONENT_CLASS(TUiRadioGroup, TUiCustomRadioGroup)

    explicit TUiRadioGroup(TComponent* owner) : TUiCustomRadioGroup(owner) {}

protected:
    ~TUiRadioGroup() override = default;
};
