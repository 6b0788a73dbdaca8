// The library's expanding edit: a framed edit that widens itself while it is being edited, on
// receiving the focus or on a right click.
#pragma once

#include "UiEdit.h"

class TUiExpandEdit : public TUiEdit {
    CL_COMPONENT_CLASS(TUiExpandEdit, TUiEdit)

    explicit TUiExpandEdit(TComponent* owner) : TUiEdit(owner), restoreWidth_(Width()) {}

    // 0 or less: the edit never expands.
    int ExpandedWidth() const { return expandedWidth_; }
    virtual void SetExpandedWidth(int value);
    TExpandOnType ExpandOn() const { return expandOn_; }
    virtual void SetExpandOn(TExpandOnType value);
    bool Expanded() const { return expanded_; }

protected:
    ~TUiExpandEdit() override = default;

    void Dispatch(TMessage& message) override;

private:
    void Expand();
    void SelectWhole();
    // True when the right click was taken for expanding or shrinking.
    bool ToggleByRightClick();

    int expandedWidth_ = 0;
    TExpandOnType expandOn_ = etNone;
    bool expanded_ = false;
    int restoreWidth_;
};
