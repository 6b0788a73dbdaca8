// A list box whose items the user reorders: dragged with the mouse, or moved by Shift with the
// arrow, Home and End keys.
#pragma once

#include "UiListBox.h"

enum TUiModifierKey { mkShift, mkNone };

using TUiMoveItemEvent = std::function<void(TObject* sender, int oldIndex, int newIndex)>;

class TUiRankListBox : public TUiListBox {
    CL_COMPONENT_CLASS(TUiRankListBox, TUiListBox)

    explicit TUiRankListBox(TComponent* owner);

    TUiModifierKey ModifierKey() const { return modifierKey_; }
    void SetModifierKey(TUiModifierKey value) { modifierKey_ = value; }
    bool MoveOnDrag() const { return moveOnDrag_; }
    // Raises while an item is being dragged.
    void SetMoveOnDrag(bool value);
    bool Moving() const { return moving_; }

    // Moves the row, selects it at its new place and reports the move.
    virtual void MoveItem(int from, int to);

    TUiMoveItemEvent OnMoveItem;

protected:
    ~TUiRankListBox() override = default;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;

private:
    // The item under a client point; without one the first item above the top, else the last.
    int DropTarget(TPoint point, bool above);

    TUiModifierKey modifierKey_ = mkShift;
    bool moveOnDrag_ = true;
    int oldIndex_ = -1;
    bool moving_ = false;
    TCursor savedCursor_ = crDefault;
};
