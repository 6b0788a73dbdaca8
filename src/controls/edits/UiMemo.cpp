#include "UiMemo.h"

#include "cl_clipboard.h"

namespace {

const bool memoPropertiesRegistered = [] {
    using C = TUiMemo;
    RegisterFramedProperties<C>(fpubReadOnlyColors | fpubNotifications);
    RegisterProperty(C::StaticClass(), OrdinalProperty<C>("TabOnEnter", pkBool, &C::TabOnEnter,
                                                          &C::SetTabOnEnter, 0));
    RegisterProperty(C::StaticClass(), OrdinalProperty<C>("ReadOnly", pkBool, &C::GetReadOnly,
                                                          &C::SetReadOnly, 0));
    return true;
}();

}  // namespace

void TUiMemo::SetReadOnly(bool readOnly) {
    if (readOnly == ReadOnly()) return;
    TMemo::SetReadOnly(readOnly);
    UpdateColors();
}

void TUiMemo::UpdateFrame(bool byMouse, bool value) {
    if (byMouse) overControl_ = value;
    if (FrameHotTrack()) RepaintFrame();
    UpdateColors();
}

LRESULT TUiMemo::CaretCharPos() {
    POINT caret{};
    ::GetCaretPos(&caret);
    return Send(EM_CHARFROMPOS, 0, MAKELPARAM(caret.x, caret.y));
}

int TUiMemo::GetLine() {
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) return static_cast<int>(Send(EM_LINEFROMCHAR, start)) + 1;
    const LRESULT pos = CaretCharPos();
    return pos == -1 ? 1 : HIWORD(pos) + 1;
}

int TUiMemo::GetColumn() {
    const LRESULT pos = CaretCharPos();
    if (pos == -1) return 1;
    return LOWORD(pos) - static_cast<int>(Send(EM_LINEINDEX, HIWORD(pos))) + 1;
}

void TUiMemo::SetLine(int line) {
    const LRESULT index = Send(EM_LINEINDEX, line - 1);
    Send(EM_SETSEL, index, index);
    if (GetLine() != line) return;
    Send(EM_LINESCROLL, 0, line - 1 - Send(EM_GETFIRSTVISIBLELINE));
    LineColChange();
}

void TUiMemo::SetColumn(int column) {
    const int line = GetLine() - 1;
    const LRESULT lineStart = Send(EM_LINEINDEX, line);
    if (column > Send(EM_LINELENGTH, lineStart) + 1) return;
    const LRESULT index = lineStart + column - 1;
    Send(EM_SETSEL, index, index);
    LineColChange();
}

void TUiMemo::JumpTo(int line, int column) {
    SetLine(line);
    if (GetLine() == line) SetColumn(column);
}

void TUiMemo::LineColChange() {
    if (OnLineColChange) OnLineColChange(this, GetLine(), GetColumn());
    ClipboardChange();
}

void TUiMemo::ClipboardChange() {
    if (OnClipboardChange)
        OnClipboardChange(this, SelLength() != 0, IsClipboardFormatAvailable(CF_TEXT) != FALSE);
}

void TUiMemo::CreateWnd() {
    TUiFramedControl<TMemo>::CreateWnd();
    LineColChange();
}

void TUiMemo::Change() {
    TUiFramedControl<TMemo>::Change();
    LineColChange();
}

void TUiMemo::Click() {
    TUiFramedControl<TMemo>::Click();
    LineColChange();
}

void TUiMemo::KeyDown(uint16_t& key, TShiftState shift) {
    TUiFramedControl<TMemo>::KeyDown(key, shift);
    LineColChange();
}

void TUiMemo::KeyUp(uint16_t& key, TShiftState shift) {
    TUiFramedControl<TMemo>::KeyUp(key, shift);
    LineColChange();
}

void TUiMemo::KeyPress(char& key) {
    if (tabOnEnter_ && key == '\r') {
        key = 0;
        PostMessageA(WindowHandle(), WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    TUiFramedControl<TMemo>::KeyPress(key);
}

void TUiMemo::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TUiFramedControl<TMemo>::MouseUp(button, shift, x, y);
    ClipboardChange();
}

bool TUiMemo::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (OnMouseWheel) return TUiFramedControl<TMemo>::DoMouseWheel(shift, wheelDelta, mousePos);
    int notches = wheelDelta / WHEEL_DELTA;
    const bool pages = Mouse->IsWheelPageScroll();
    if (!pages) notches *= static_cast<int>(Mouse->WheelScrollLines());
    const WPARAM command = notches > 0 ? (pages ? SB_PAGEUP : SB_LINEUP)
                                       : (pages ? SB_PAGEDOWN : SB_LINEDOWN);
    for (int i = 0; i < std::abs(notches); ++i)
        if (HIWORD(Send(EM_SCROLL, command)) == 0) break;
    return true;
}
