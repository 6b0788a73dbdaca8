// The control library's radio group: a captioned frame holding one radio button per item, in
// columns; ItemIndex is the checked item, -1 for none.
#pragma once

#include <vector>

#include "UiPanel.h"
#include "cl_lists.h"

class TRadioButton;

class TUiCustomRadioGroup : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiCustomRadioGroup, TUiCustomPanel)

    explicit TUiCustomRadioGroup(TComponent* owner);
    void BeforeDestruction() override;

    TStrings* Items() const { return items_; }
    void SetItems(TStrings* items) { items_->Assign(items); }
    int ItemIndex() const { return itemIndex_; }
    // Clamped to -1 .. item count - 1; nothing happens when that is the current index.
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TRadioButton* Buttons(int index) const { return buttons_.at(index); }

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void Resize() override;

private:
    void ItemsChanged(TObject* sender);
    void RebuildButtons();
    void ArrangeButtons();
    void ButtonClicked(TObject* sender);

    TStringList* items_;
    std::vector<TRadioButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};

class TUiRadioGroup : public TUiCustomRadioGroup {
    CL_COMPONENT_CLASS(TUiRadioGroup, TUiCustomRadioGroup)

    explicit TUiRadioGroup(TComponent* owner) : TUiCustomRadioGroup(owner) {}
};
