// The small buttons a tab control creates on demand: the two-way scroller of a single row that
// does not fit, the button that closes the active tab, and the button listing every tab.
#pragma once

#include <functional>

#include "UiOrientation.h"
#include "cl_controls.h"
#include "cl_extctrls.h"
#include "cl_menus.h"

class TUiCustomTabControl;

// A button pressed with the mouse: pressed while the pointer stays inside its pressed part.
class TUiTabButton : public TCustomControl {
    CL_COMPONENT_CLASS(TUiTabButton, TCustomControl)

    explicit TUiTabButton(TComponent* owner);
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value);
    bool MouseHeld() const { return held_; }
    bool PressedInside() const { return inside_; }
    void Dispatch(TMessage& message) override;

protected:
    TUiCustomTabControl* TabControl() const;
    // The tab control's flat button face, drawn pressed when `down`.
    void DrawFace(const TRect& rect, bool down);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // Whether the point lies in the part pressed.
    virtual bool InPressedPart(int x, int y) { return x >= 0 && y >= 0 && x < Width() && y < Height(); }
    // The press ended over the part pressed.
    virtual void Released() {}

    bool held_ = false;
    bool inside_ = false;

private:
    TColor frameColor_ = clBtnShadow;
};

class TUiTabScroller : public TUiTabButton {
    CL_COMPONENT_CLASS(TUiTabScroller, TUiTabButton)

    explicit TUiTabScroller(TComponent* owner);
    void BeforeDestruction() override;
    TOrientation Orientation() const { return orientation_; }
    virtual void SetOrientation(TOrientation value);
    // The half held down is the up/right one.
    bool UpRightPressed() const { return upRight_; }

    TNotifyEvent OnUpRightClick;
    TNotifyEvent OnDownLeftClick;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool InPressedPart(int x, int y) override;
    void Released() override;
    virtual void DownLeftClick();
    virtual void UpRightClick();

private:
    void RepeatTimerExpired(TObject* sender);
    void PaintHalf(const TRect& rect, bool upRight);
    void PaintThemedHalf(const TRect& rect, bool upRight);

    TOrientation orientation_ = orHorizontal;
    bool upRight_ = false;
    TTimer* repeatTimer_ = nullptr;
};

class TUiTabCloseButton : public TUiTabButton {
    CL_COMPONENT_CLASS(TUiTabCloseButton, TUiTabButton)

    explicit TUiTabCloseButton(TComponent* owner) : TUiTabButton(owner) {}
    TNotifyEvent OnClose;

protected:
    void Paint() override;
    void Released() override { DoClose(); }
    virtual void DoClose();
};

class TUiTabMenuButton : public TUiTabButton {
    CL_COMPONENT_CLASS(TUiTabMenuButton, TUiTabButton)

    explicit TUiTabMenuButton(TComponent* owner);
    TPopupMenu* Menu() const { return menu_; }
    // Fills the menu with one item per visible tab, the active one checked.
    void BuildMenu();

protected:
    void Paint() override;
    void Released() override { DisplayMenu(); }
    // Builds the menu and pops it up at the corner of the button facing the card.
    virtual void DisplayMenu();

private:
    void TabSelectedHandler(TObject* sender);

    TPopupMenu* menu_;
};
