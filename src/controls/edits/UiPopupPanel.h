// A hidden panel whose children drop down, on demand, in a borderless window next to another
// control and keep the user there until a choice is made or the drop-down is cancelled.
#pragma once

#include "UiPanel.h"

// Posted to the drop-down window to end it.
constexpr UINT CM_POPUPCLOSEUP = 0x2423;

// The look shared by the panel and its drop-down window.
class TUiCustomPopup : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiCustomPopup, TUiCustomPanel)

    explicit TUiCustomPopup(TComponent* owner);

    void AdjustClientRect(TRect& rect) override;
    void AlignControls(TControl* control, TRect& rect) override;

protected:
    ~TUiCustomPopup() override = default;
    void Paint() override;

    // The control the drop-down hangs from while one is up.
    TControl* popupControl_ = nullptr;
};

class TUiPopup;

class TUiPopupPanel : public TUiCustomPopup {
    CL_COMPONENT_CLASS(TUiPopupPanel, TUiCustomPopup)

    explicit TUiPopupPanel(TComponent* owner);

    // Shows the children below (or above) `control` and returns when the drop-down has ended:
    // true when it ended through Close, false when cancelled or when one was already up.
    bool Popup(TControl* control);
    // Ends the drop-down as a choice; a notify-event signature so a child's click can end it.
    void Close(TObject* sender);
    bool Active() const { return popup_ != nullptr; }

    // The size that holds the visible children inside the border.
    bool CanAutoSize(int& newWidth, int& newHeight) override;

    TNotifyEvent OnClose;
    TNotifyEvent OnPopup;

protected:
    ~TUiPopupPanel() override = default;
    void DestroyWnd() override;
    virtual void DoClose();
    virtual void DoPopup();

private:
    TUiPopup* popup_ = nullptr;
};

// Puts a child into the panel inside its frame and makes it visible.
void PlaceInPopupPanel(TUiPopupPanel* panel, TControl* child);
