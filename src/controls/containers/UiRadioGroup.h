// The control library's radio group: a group box holding one radio button per line of Items,
// laid out in columns; ItemIndex is the selected item, -1 for none, and OnChanging may refuse.
#pragma once

#include <functional>

#include "UiGroupItems.h"

class TUiCustomRadioGroup;

using TUiIndexChangingEvent = std::function<void(TObject* sender, int newIndex, bool& allowChange)>;

// One item button of a radio group.
class TUiGroupButton : public TUiGroupItem<TUiRadioButton> {
    CL_CLASS(TUiGroupButton, TUiRadioButton)

    explicit TUiGroupButton(TUiCustomRadioGroup* group);

protected:
    ~TUiGroupButton() override = default;
};

class TUiCustomRadioGroup : public TUiCustomItemGroup {
    CL_COMPONENT_CLASS(TUiCustomRadioGroup, TUiCustomItemGroup)

    explicit TUiCustomRadioGroup(TComponent* owner);

    int ItemIndex() const { return itemIndex_; }
    // Clamped to -1 .. item count - 1. A new selection is offered to OnChanging first; a
    // refused one keeps the old selection, an accepted one runs OnClick.
    virtual void SetItemIndex(int index);
    TUiGroupButton* GetButtons(int index) const;

    // Reads the older "Flat" into ItemHotTrack.
    void DefineProperties(TFiler* filer) override;

    TUiIndexChangingEvent OnChanging;

protected:
    ~TUiCustomRadioGroup() override = default;
    virtual bool CanChange(int newIndex);
    TUiCustomGlyphButton* CreateItem() override;
    int GlyphCells() const override { return 6; }
    // The selected button, or the first one that can take the focus.
    TUiCustomGlyphButton* AcceleratorTarget() override;
    void ItemsChanged() override;
    void MarkItems() override;

private:
    void ButtonClicked(TObject* sender);
    // Marks `index` (none for -1) without reporting clicks.
    void CheckOnly(int index);

    int itemIndex_ = -1;
    bool inClick_ = false;
};

class TUiRadioGroup : public TUiCustomRadioGroup {
    CL_COMPONENT_CLASS(TUiRadioGroup, TUiCustomRadioGroup)

    explicit TUiRadioGroup(TComponent* owner) : TUiCustomRadioGroup(owner) {}

protected:
    ~TUiRadioGroup() override = default;
};
