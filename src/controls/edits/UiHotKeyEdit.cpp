#include "UiHotKeyEdit.h"

namespace {

const bool hotKeyEditPropertiesRegistered = [] {
    RegisterFramedProperties<TUiHotKeyEdit>(fpubNotifications);
    return true;
}();

}  // namespace

TUiHotKeyEdit::TUiHotKeyEdit(TComponent* owner) : TUiFramedControl<THotKey>(owner) {
    SetHeight(21);
}

void TUiHotKeyEdit::UpdateFrame(bool byMouse, bool value) {
    if (byMouse) overControl_ = value;
    if (FrameHotTrack()) RepaintFrame();
    UpdateColors();
}
