#include "UiRankListBox.h"

namespace {

const bool rankListPropertiesRegistered = [] {
    using C = TUiRankListBox;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, EnumProperty<C>("ModifierKey", &C::ModifierKey, &C::SetModifierKey,
                                           {"mkShift", "mkNone"}, mkShift));
    RegisterProperty(meta, OrdinalProperty<C>("MoveOnDrag", pkBool, &C::MoveOnDrag,
                                              &C::SetMoveOnDrag, true));
    // Fixed for this list: shown, never stored or changed through the form.
    auto fixed = [&](const char* name, TPropertyKind kind, std::function<int(C*)> get) {
        TPropertyInfo info;
        info.Name = name;
        info.Kind = kind;
        info.GetOrd = [get](TObject* o) { return get(static_cast<C*>(o)); };
        info.SetOrd = [](TObject*, int) {};
        info.IsStored = [](TObject*) { return false; };
        RegisterProperty(meta, info);
    };
    fixed("Columns", pkInteger, [](C* c) { return c->Columns(); });
    fixed("ExtendedSelect", pkBool, [](C* c) { return c->ExtendedSelect() ? 1 : 0; });
    fixed("MultiSelect", pkBool, [](C* c) { return c->MultiSelect() ? 1 : 0; });
    fixed("Sorted", pkBool, [](C* c) { return c->Sorted() ? 1 : 0; });
    return true;
}();

}  // namespace

TUiRankListBox::TUiRankListBox(TComponent* owner) : TUiListBox(owner) {
    SetExtendedSelect(false);
}

void TUiRankListBox::SetMoveOnDrag(bool value) {
    if (moving_) throw Exception("MoveOnDrag property cannot be changed while moving an item");
    moveOnDrag_ = value;
}

void TUiRankListBox::MoveItem(int from, int to) {
    Items()->Move(from, to);
    SetItemIndex(to);
    if (OnMoveItem) OnMoveItem(this, from, to);
}

int TUiRankListBox::DropTarget(TPoint point, bool above) {
    const int index = ItemAtPos(point, true);
    if (index >= 0) return index;
    return above ? 0 : Items()->Count() - 1;
}

void TUiRankListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const bool modifierHeld = modifierKey_ == mkNone || shift.count(ssShift);
    const int index = ItemAtPos(TPoint(x, y), true);
    if (button == mbLeft && modifierHeld && index >= 0) {
        oldIndex_ = index;
        savedCursor_ = Screen->Cursor();
        Screen->SetCursor(crDrag);
        moving_ = true;
    }
    TUiListBox::MouseDown(button, shift, x, y);
}

void TUiRankListBox::MouseMove(TShiftState shift, int x, int y) {
    TUiListBox::MouseMove(shift, x, y);
    if (!moving_) return;
    const TRect client = ClientRect();
    const bool above = y < client.Top;
    const TPoint inside(Max(client.Left, Min(x, client.Right - 1)),
                        Max(client.Top, Min(y, client.Bottom - 1)));
    if (inside.X != x || inside.Y != y) {
        const TPoint screen = ClientToScreen(inside);
        SetCursorPos(screen.X, screen.Y);
    }
    if (!moveOnDrag_) return;
    const int target = DropTarget(inside, above);
    if (target >= 0 && target != oldIndex_) {
        MoveItem(oldIndex_, target);
        oldIndex_ = ItemIndex();
    }
}

void TUiRankListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (moving_) {
        if (!moveOnDrag_) {
            const int target = DropTarget(TPoint(x, y), y < ClientRect().Top);
            if (target >= 0 && target != oldIndex_) MoveItem(oldIndex_, target);
        }
        Screen->SetCursor(savedCursor_);
        moving_ = false;
    }
    TUiListBox::MouseUp(button, shift, x, y);
}

void TUiRankListBox::KeyDown(uint16_t& key, TShiftState shift) {
    if (shift.count(ssShift) && !moving_) {
        oldIndex_ = ItemIndex();
        const int last = Items()->Count() - 1;
        const bool some = oldIndex_ >= 0;
        switch (key) {
        case VK_END:
            if (some && oldIndex_ < last) MoveItem(oldIndex_, last);
            key = 0;
            break;
        case VK_HOME:
            if (some && oldIndex_ > 0) MoveItem(oldIndex_, 0);
            key = 0;
            break;
        case VK_UP:
            if (some && oldIndex_ > 0) MoveItem(oldIndex_, oldIndex_ - 1);
            key = 0;
            break;
        case VK_DOWN:
            if (some && oldIndex_ < last) MoveItem(oldIndex_, oldIndex_ + 1);
            key = 0;
            break;
        default:
            break;
        }
    }
    TUiListBox::KeyDown(key, shift);
}
