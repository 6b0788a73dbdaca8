// The control library's group box: a framed panel drawing a captioned group frame in one of six
// styles (etched, custom, top line, flat, banner heading, underline).
#pragma once

#include "UiPanel.h"

enum TUiGroupBoxStyle { gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline };

class TUiCustomGroupBox : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiCustomGroupBox, TUiCustomPanel)

    explicit TUiCustomGroupBox(TComponent* owner);

    TUiGroupBoxStyle GroupStyle() const { return groupStyle_; }
    virtual void SetGroupBoxStyle(TUiGroupBoxStyle style);
    // Where the caption goes in the current style; empty without a caption and for gsCustom.
    TRect CaptionRect();

    void AdjustClientRect(TRect& rect) override;
    void CustomFramingChanged() override;
    void Dispatch(TMessage& message) override;

protected:
    ~TUiCustomGroupBox() override = default;
    void Paint() override;

private:
    int TextHeight(const AnsiString& text);
    bool Themed();
    void PaintThemed(const TRect& captionRect, int frameTop);
    void PaintFrame(const TRect& captionRect, int frameTop);
    void PaintBanner(const TRect& captionRect);
    void PaintCaptionText(TRect captionRect);

    TUiGroupBoxStyle groupStyle_ = gsFlat;
};

class TUiGroupBox : public TUiCustomGroupBox {
    CL_COMPONENT_CLASS(TUiGroupBox, TUiCustomGroupBox)

    explicit TUiGroupBox(TComponent* owner) : TUiCustomGroupBox(owner) {}

protected:
    ~TUiGroupBox() override = default;
};
