// A dot-matrix text display with a 5 x 7 character set on a border: green dots on black by
// default, its text aligned or scrolled across by a timer.
#pragma once

#include <cstdint>

#include "UiBorder.h"

class TTimer;

class TUiLEDDisplay : public TUiBorder {
    CL_COMPONENT_CLASS(TUiLEDDisplay, TUiBorder)

    explicit TUiLEDDisplay(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { Change(alignment_, value); }
    TColor BackColor() const { return backColor_; }
    virtual void SetBackColor(TColor value) { Change(backColor_, value); }
    TColor SegOnColor() const { return segOnColor_; }
    virtual void SetSegOnColor(TColor value) { Change(segOnColor_, value); }
    TColor SegOffColor() const { return segOffColor_; }
    virtual void SetSegOffColor(TColor value) { Change(segOffColor_, value); }
    TUiScrollType ScrollType() const { return scrollType_; }
    void SetScrollType(TUiScrollType value);
    bool Scrolling() const { return scrolling_; }
    virtual void SetScrolling(bool value);
    uint16_t ScrollDelay() const { return scrollDelay_; }
    void SetScrollDelay(uint16_t value);

    // Run-time geometry: a dot's side, the gap between dots, the scroll steps of one pass and
    // the scroll offset reached, in pixels.
    int DotSize() const { return dotSize_; }
    int DotGap() const { return dotGap_; }
    int CellWidth() const { return 6 * (dotSize_ + dotGap_); }
    int CellHeight() const { return 7 * dotSize_ + 6 * dotGap_; }
    int ScrollSteps() const { return steps_; }
    int ScrollOffset() const { return offset_; }

    void SetBevelWidth(int value) override;
    void SetBorderWidth(int value) override;
    void SetBorderInner(TFrameStyleEx value) override;
    void SetBorderOuter(TFrameStyleEx value) override;
    void SetBorderSides(TSides value) override;
    void SetBounds(int left, int top, int width, int height) override;
    void Loaded() override;
    void Dispatch(TMessage& message) override;
    void DefineProperties(TFiler* filer) override;

    TNotifyEvent OnScrollComplete;

protected:
    ~TUiLEDDisplay() override = default;
    void Paint() override;
    TColor InteriorColor() const override { return backColor_; }
    // Draws one character's 6 x 7 dots with the cell's top-left at `origin`.
    virtual void DrawCell(TCanvas* canvas, TPoint origin, uint8_t code);
    virtual void ScrollComplete();

private:
    template <class T>
    void Change(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    void UpdateDotDimensions();
    void UpdateSteps();
    void UpdateTimer();
    bool ScrollingNow() const;
    int TextStart(int clientWidth, int textWidth) const;
    void PaintBackgroundCells(TCanvas* canvas, int clientWidth, int textWidth, int top);
    void TimerEventHandler(TObject* sender);

    TAlignment alignment_ = taLeftJustify;
    TColor backColor_ = clBlack;
    TColor segOnColor_ = 0x00FF00;
    TColor segOffColor_ = 0x003300;
    TUiScrollType scrollType_ = TUiScrollType::stRightToLeft;
    bool scrolling_ = false;
    uint16_t scrollDelay_ = 100;
    int dotSize_ = 1;
    int dotGap_ = 0;
    int steps_ = 0;
    int offset_ = 0;
    TTimer* timer_;
};

// The five column bytes of a character of the display's set (bit 7 the top row).
uint8_t LEDColumnByte(uint8_t code, int column);
