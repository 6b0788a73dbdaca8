// The control library's group box: a captioned frame holding related controls, drawn either as
// an etched frame with the caption in its top edge or as a shaded banner heading.
#pragma once

#include "UiPanel.h"

// gsStandard: etched frame, caption in its top edge. gsBanner: the caption on a shaded bar
// across the top, with the children below it.
enum TUiGroupBoxStyle { gsStandard, gsBanner };

class TUiGroupBox : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiGroupBox, TUiCustomPanel)

    explicit TUiGroupBox(TComponent* owner);

    TUiGroupBoxStyle GroupStyle() const { return groupStyle_; }
    void SetGroupBoxStyle(TUiGroupBoxStyle style);
    // The banner: the caption's height plus 6, across the whole width; empty without a caption.
    TRect BannerRect();

    void AdjustClientRect(TRect& rect) override;

protected:
    void Paint() override;

private:
    int TextHeight(const AnsiString& text);
    void PaintFrame();
    void PaintBanner();

    TUiGroupBoxStyle groupStyle_ = gsStandard;
};
