#include "UiExpandEdit.h"

namespace {

const bool expandEditPropertiesRegistered = [] {
    using C = TUiExpandEdit;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, OrdinalProperty<C>("ExpandedWidth", pkInteger, &C::ExpandedWidth,
                                              &C::SetExpandedWidth, 0));
    RegisterProperty(meta, EnumProperty<C>("ExpandOn", &C::ExpandOn, &C::SetExpandOn,
                                           {"etMouseButton2Click", "etFocus", "etNone"}, etNone));
    return true;
}();

}  // namespace

void TUiExpandEdit::SetExpandedWidth(int value) {
    if (value == expandedWidth_) return;
    expandedWidth_ = value;
    Invalidate();
}

void TUiExpandEdit::SetExpandOn(TExpandOnType value) {
    if (value == expandOn_) return;
    expandOn_ = value;
    Invalidate();
}

void TUiExpandEdit::Expand() {
    BringToFront();
    expanded_ = true;
    restoreWidth_ = Width();
    SetWidth(expandedWidth_);
}

void TUiExpandEdit::SelectWhole() {
    SetSelLength(0);
    SelectAll();
}

bool TUiExpandEdit::ToggleByRightClick() {
    if (expandOn_ != etMouseButton2Click || expandedWidth_ <= 0) return false;
    if (expanded_) {
        SetWidth(restoreWidth_);
        expanded_ = false;
        return true;
    }
    Expand();
    SetFocus();
    if (AutoSelect()) SelectWhole();
    return true;
}

void TUiExpandEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
        if (expandOn_ == etFocus && !expanded_ && expandedWidth_ > 0) Expand();
        if (AutoSelect()) SelectWhole();
        return TUiEdit::Dispatch(message);
    case WM_RBUTTONUP:
        if (!ToggleByRightClick()) TUiEdit::Dispatch(message);
        return;
    case WM_KILLFOCUS:
        if (expandOn_ != etNone && expandedWidth_ > 0 && expanded_) SetWidth(restoreWidth_);
        expanded_ = false;
        return TUiEdit::Dispatch(message);
    default:
        TUiEdit::Dispatch(message);
    }
}
