// A popup menu that records where it would open instead of tracking, and right clicks on a
// window at a client point (the cursor moved there first, as the views read it).
#pragma once

#include "edit_fixture.h"
#include "cl_menus.h"

class TRecordingMenu : public TPopupMenu {
public:
    explicit TRecordingMenu(TComponent* owner) : TPopupMenu(owner) {}
    void Popup(int x, int y) override { shown.push_back(TPoint(x, y)); }
    std::vector<TPoint> shown;

protected:
    ~TRecordingMenu() override = default;
};

inline void MoveCursorTo(TWinControl* control, int x, int y) {
    const TPoint screen = control->ClientToScreen(TPoint(x, y));
    SetCursorPos(screen.X, screen.Y);
}

inline void RightClick(TWinControl* control, int x, int y) {
    MoveCursorTo(control, x, y);
    PostMessageA(control->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
    PostMessageA(control->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(x, y));
    Application->ProcessMessages();
}

inline void LeftPress(TWinControl* control, int x, int y) {
    MoveCursorTo(control, x, y);
    PostMessageA(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Application->ProcessMessages();
}

inline void LeftRelease(TWinControl* control, int x, int y) {
    PostMessageA(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Application->ProcessMessages();
}
