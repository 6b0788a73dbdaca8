// Status panes: window-less controls on a status bar that show one short piece of state in a
// flat frame. The custom pane is the base of every pane; the plain pane shows a fixed caption.
#pragma once

#include "UiColors.h"
#include "UiCommon.h"
#include "UiGrafx.h"
#include "cl_controls.h"

class TUiCustomStatusPane : public TGraphicControl {
    CL_COMPONENT_CLASS(TUiCustomStatusPane, TGraphicControl)

    explicit TUiCustomStatusPane(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    // Fills the background (unless transparent) and draws the frame; `rect` shrinks to the
    // inside of the frame.
    void PaintFrame(TRect& rect);
    // The text that the pane shows; the caption by default.
    virtual AnsiString DisplayText();
    void PaintText(const TRect& rect, const AnsiString& text);
    // Separator colours: the bar's gradient shade on a gradient status bar, else the system's.
    void FrameColors(TColor& light, TColor& dark);

private:
    TAlignment alignment_ = taLeftJustify;
    int borderWidth_ = 1;
    bool transparent_ = true;
};

class TUiStatusPane : public TUiCustomStatusPane {
    CL_COMPONENT_CLASS(TUiStatusPane, TUiCustomStatusPane)

    explicit TUiStatusPane(TComponent* owner) : TUiCustomStatusPane(owner) {}
};
