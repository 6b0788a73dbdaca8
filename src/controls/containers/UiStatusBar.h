// The control library's status bar: a panel docked at the bottom of its form that holds
// status panes as aligned children, with a size grip, a simple-status mode and pane rescaling.
#pragma once

#include "UiPanel.h"

class TUiStatusBar : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiStatusBar, TUiCustomPanel)

    explicit TUiStatusBar(TComponent* owner);

    // Applies the classic status-bar style after loading; any border change clears it.
    bool AutoStyle() const { return autoStyle_; }
    void SetAutoStyle(bool value) { autoStyle_ = value; }
    bool AutoScalePanes() const { return autoScalePanes_; }
    void SetAutoScalePanes(bool value) { autoScalePanes_ = value; }
    bool ShowSizeGrip() const { return showSizeGrip_; }
    virtual void SetShowSizeGrip(bool value);
    const AnsiString& SimpleCaption() const { return simpleCaption_; }
    virtual void SetSimpleCaption(const AnsiString& caption);
    TFrameStyle SimpleFrameStyle() const { return simpleFrameStyle_; }
    virtual void SetSimpleFrameStyle(TFrameStyle style);
    bool SimpleStatus() const { return simpleStatus_; }
    virtual void SetSimpleStatus(bool value);

    void SetBorderInner(TFrameStyleEx value) override;
    void SetBorderOuter(TFrameStyleEx value) override;
    void SetBorderSides(TSides value) override;
    // No borders, all sides, height 19, no band; AutoStyle stays as it is.
    virtual void AdjustStyle();
    void Loaded() override;

    TRect GetClientRect() override;
    // The corner that resizes the form: (Width - 13, 0, Width, Height).
    TRect GripRect() { return TRect(Width() - GripWidth, 0, Width(), Height()); }
    // Whether the grip is drawn and answers the mouse now.
    bool InGrip(int x, int y);
    bool GripActive() const { return showSizeGrip_ && gripUsable_; }

    static constexpr int GripWidth = 13;

protected:
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Paint() override;
    void Resize() override;
    void GetGradientColors(TColor& start, TColor& stop) override;
    virtual void DrawSimpleStatusBorder(TRect rect);

private:
    // Sizeable, not maximized parent form.
    void UpdateGripUsable();
    void PaintSizeGrip(TCanvas* canvas);
    void PaintSimpleCaption(TRect rect);
    void RescalePanes(int change);

    bool autoStyle_ = false;
    bool autoScalePanes_ = false;
    bool showSizeGrip_ = true;
    AnsiString simpleCaption_;
    TFrameStyle simpleFrameStyle_ = fsFlat;
    bool simpleStatus_ = false;
    bool gripUsable_ = false;
    bool firstResize_ = true;
    int lastWidth_ = 0;
};
