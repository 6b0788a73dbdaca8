// The chevron a non-wrapping toolbar shows at its right edge when its controls do not fit
// (drawn pressed while the mouse holds it down over it), and the copies of the hidden tool
// buttons that stand in for them on the overflow toolbar.
#pragma once

#include "UiToolButton.h"
#include "cl_controls.h"

class TUiToolbar;

class TUiToolbarPopupButton : public TCustomControl {
    CL_COMPONENT_CLASS(TUiToolbarPopupButton, TCustomControl)

    // The owner is the toolbar whose style the chevron takes.
    explicit TUiToolbarPopupButton(TComponent* owner);

    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor color);
    bool IsDown() const { return down_; }
    TUiToolButton* ChosenButton = nullptr;

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DrawBackground(const TRect& rect, bool isDown);
    void DrawChevron(const TRect& rect);
    // Drops down a panel with copies of the tool buttons that do not fit on the toolbar and
    // clicks the one chosen there once the panel is gone.
    virtual void DisplayButtons();

private:
    TUiToolbar* CreateOverflowToolbar(TComponent* owner);
    void CopyHiddenButtons(TUiToolbar* overflow);

    void SetDown(bool down);

    TUiToolbar* toolbar_;
    TColor frameColor_ = clBtnShadow;
    bool pressed_ = false;
    bool down_ = false;
};

// A copy of one of a toolbar's tool buttons, placed on the chevron's overflow toolbar; its
// click chooses the button it copies and closes the drop-down.
class TUiPopupToolButton : public TUiToolButton {
    CL_COMPONENT_CLASS(TUiPopupToolButton, TUiToolButton)

    // The owner is the overflow toolbar; raises EInvalidCast for any other owner.
    explicit TUiPopupToolButton(TComponent* owner);

    TUiToolButton* SourceButton() const { return sourceButton_; }
    TUiToolbarPopupButton* Chevron() const { return chevron_; }
    void SetChevron(TUiToolbarPopupButton* chevron) { chevron_ = chevron; }

    // A tool button is copied and remembered as the source; anything else goes to the class
    // library's assignment.
    void Assign(TPersistent* source) override;
    // Chooses the source button and clicks the overflow toolbar; OnClick does not run.
    void Click() override;

protected:
    ~TUiPopupToolButton() override = default;

private:
    TUiToolbar* toolbar_;
    TUiToolButton* sourceButton_ = nullptr;
    TUiToolbarPopupButton* chevron_ = nullptr;
};
