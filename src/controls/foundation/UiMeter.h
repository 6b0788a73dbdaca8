// A meter on a border: a plain, 3-D or segmented LED bar filled from one side to the value,
// in a rectangle or a trapezoid, with the percent written over it.
#pragma once

#include <cstdint>

#include "UiBorder.h"
#include "UiGrafx.h"
#include "cl_graphics.h"

enum TUiMeterType { mtNormal, mtBar3D, mtLED };
enum TUiMeterShape { msRectangular, msTrapezoidal };

class TUiMeter : public TUiBorder {
    CL_COMPONENT_CLASS(TUiMeter, TUiBorder)

    explicit TUiMeter(TComponent* owner);

    int Min() const { return min_; }
    // A bound equal to the other one moves one past it.
    virtual void SetMin(int value);
    int Max() const { return max_; }
    virtual void SetMax(int value);
    int Value() const { return value_; }
    // Clamped to Min .. Max.
    virtual void SetValue(int value);
    void AddValue(int amount) { SetValue(value_ + amount); }
    virtual int GetPercent() const;
    TDirection Direction() const { return direction_; }
    virtual void SetDirection(TDirection value) { Change(direction_, value); }
    TUiMeterType MeterType() const { return meterType_; }
    virtual void SetMeterType(TUiMeterType value) { Change(meterType_, value); }
    TUiMeterShape MeterShape() const { return meterShape_; }
    virtual void SetMeterShape(TUiMeterShape value) { Change(meterShape_, value); }
    TColor BarColor() const { return barColor_; }
    virtual void SetBarColor(TColor value) { Change(barColor_, value); }
    TColor BackColor() const { return backColor_; }
    virtual void SetBackColor(TColor value) { Change(backColor_, value); }
    TBitmap* Bitmap() const { return bitmap_; }
    virtual void SetBitmap(TBitmap* value);
    TBrushStyle BrushStyle() const { return brushStyle_; }
    virtual void SetBrush(TBrushStyle value) { Change(brushStyle_, value); }
    bool ShowPercent() const { return showPercent_; }
    virtual void SetShowPercent(bool value) { Change(showPercent_, value); }
    uint8_t SegSpacing() const { return segSpacing_; }
    virtual void SetSegSpacing(uint8_t value) { Change(segSpacing_, value); }
    TColor SegOffColor() const { return segOffColor_; }
    virtual void SetSegOffColor(TColor value) { Change(segOffColor_, value); }
    // Segment groups 1 to 3, lit in that order.
    virtual uint8_t GetSegCount(int index) const { return segCount_[index - 1]; }
    virtual void SetSegCount(int index, uint8_t value) { Change(segCount_[index - 1], value); }
    virtual TColor GetSegColor(int index) const { return segColor_[index - 1]; }
    virtual void SetSegColor(int index, TColor value) { Change(segColor_[index - 1], value); }
    TTrapDirect TrapezoidDir() const { return trapDirect_; }
    virtual void SetTrapDirect(TTrapDirect value) { Change(trapDirect_, value); }
    TTrapShape TrapezoidShape() const { return trapShape_; }
    virtual void SetTrapShape(TTrapShape value) { Change(trapShape_, value); }
    int TrapezoidMin() const { return trapMin_; }
    virtual void SetTrapMin(int value) { Change(trapMin_, value); }

    void BeforeDestruction() override;

protected:
    ~TUiMeter() override = default;
    void Paint() override;
    TColor InteriorColor() const override { return backColor_; }
    void DrawStandardBar(TCanvas* canvas, const TRect& area);
    void DrawLEDBar(TCanvas* canvas, const TRect& area);

private:
    template <class T>
    void Change(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    bool Trapezoidal() const { return meterShape_ == msTrapezoidal; }
    // The bar's rectangle: the area with its moving edge at the value.
    TRect BarRect(const TRect& area) const;
    TColor SegmentColor(int index, int lit) const;
    void FillTrapezoid(TCanvas* canvas, TTrap trap);
    void DrawPercent(TCanvas* canvas);

    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
    TDirection direction_ = dirRight;
    TUiMeterType meterType_ = mtLED;
    TUiMeterShape meterShape_ = msRectangular;
    TColor barColor_ = clRed;
    TColor backColor_ = clBlack;
    TBitmap* bitmap_;
    TBrushStyle brushStyle_ = bsSolid;
    bool showPercent_ = true;
    uint8_t segSpacing_ = 2;
    TColor segOffColor_ = clBlack;
    uint8_t segCount_[3] = {5, 3, 2};
    TColor segColor_[3] = {0x008000, 0x00FFFF, 0x0000FF};
    TTrapDirect trapDirect_ = tdLargeToSmall;
    TTrapShape trapShape_ = tsCenter;
    int trapMin_ = 6;
    int bevelInUse_ = 0;
    TTrap outer_ = {};
};
