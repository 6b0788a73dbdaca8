// The dock manager of a framed panel that is a docking site: 14-pixel grabbers that show the
// docked control's caption and a close glyph in caption colours.
#pragma once

#include "cl_docking.h"

class TUiCustomPanel;

class TUiPanelDockManager : public TDockTree {
    CL_CLASS(TUiPanelDockManager, TDockTree)

    // The site must be a framed panel; raises EInvalidCast otherwise.
    explicit TUiPanelDockManager(TWinControl* dockSite);
    ~TUiPanelDockManager() override;
    TUiPanelDockManager(const TUiPanelDockManager&) = delete;
    TUiPanelDockManager& operator=(const TUiPanelDockManager&) = delete;

    void AdjustDockRect(TControl* control, TRect& rect) override;
    void PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect) override;

    TFont* CaptionFont() const { return captionFont_; }

protected:
    // Repaints the site when a docked control is activated or sends a command, so the caption
    // colours follow the focus.
    void WindowProcHook(TMessage& message);
    void DrawVertTitle(TCanvas* canvas, const AnsiString& text, const TRect& rect);

private:
    bool SiteAlignedHorizontally() const;

    TUiCustomPanel* panel_;
    TFont* captionFont_;
    TFont* closeFont_;
    std::function<void(TMessage&)> previousWindowProc_;
    bool hooked_ = false;
};
