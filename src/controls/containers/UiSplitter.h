// A panel split into two panes by a bar the user drags; an optional hot spot on the bar
// collapses one pane with a click and restores it with a second one.
#pragma once

#include <climits>

#include "UiPanel.h"

enum TSplitterStyle { ssStandard, ssGroove, ssBump, ssGroupBar };
enum TFixedPane { fpUpperLeft, fpLowerRight };
enum TSelectedPane { spUpperLeft, spLowerRight };
enum THotSpotDirection { hsdMin, hsdMax, hsdBoth };

using TPositionChangingEvent = std::function<void(TObject* sender, int newPos, bool& allowChange)>;

// The 8 x 8 pattern of the drag feedback: white, black where x + y is odd.
HBITMAP CreateMaskBitmap();
// Inverts `rect` (screen coordinates) with the mask pattern; drawing it twice restores the screen.
void InvertMaskRect(HBITMAP mask, const TRect& rect);

// The colours and arrows of a bar's hot spot, shared by the splitter and the size panel.
struct THotSpotLook {
    TColor color = clBtnFace, highlight = clWindow, frameColor = clBtnShadow, dotColor = clHighlight;
};
// Draws the hot spot: frame, fill, an arrow near each end (pointing to the start when
// `towardStart`, `secondTowardStart` for the second arrow) and the dots between them.
void DrawBarHotSpot(TCanvas* canvas, const TRect& rect, bool horizontalBar, const THotSpotLook& look,
                    bool highlight, bool towardStart, bool secondTowardStart);

// Draws the two 3-pixel strips of a groove or bump bar along the middle of `rect`.
void DrawBarGrooves(TCanvas* canvas, const TRect& rect, TSplitterStyle style, bool horizontalBar);

class TUiSplitter;

class TUiSplitterPane : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiSplitterPane, TUiCustomPanel)

    explicit TUiSplitterPane(TComponent* owner);
    TUiSplitter* Splitter() const { return splitter_; }

protected:
    void Dispatch(TMessage& message) override;

private:
    TUiSplitter* splitter_;
};

class TUiSplitter : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiSplitter, TUiCustomPanel)

    explicit TUiSplitter(TComponent* owner);
    ~TUiSplitter() override;

    TUiSplitterPane* UpperLeft() const { return upperLeft_; }
    TUiSplitterPane* LowerRight() const { return lowerRight_; }

    TOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrientation value);
    int Position() const { return position_; }
    void SetPosition(int value);
    void SetLockedPosition(int value);
    int Percent() const { return percent_; }
    void SetPercent(int value);
    bool UsePercent() const { return usePercent_; }
    void SetUsePercent(bool value);
    int PercentMin() const { return percentMin_; }
    void SetPercentMin(int value);
    int PercentMax() const { return percentMax_; }
    void SetPercentMax(int value);
    int MarginMin() const { return marginMin_; }
    void SetMarginMin(int value);
    int MarginMax() const { return marginMax_; }
    void SetMarginMax(int value);
    TFixedPane FixedPane() const { return fixedPane_; }
    void SetFixedPane(TFixedPane value);
    int SplitterWidth() const { return splitterWidth_; }
    void SetSplitterWidth(int value);
    TSplitterStyle SplitterStyle() const { return splitterStyle_; }
    void SetSplitterStyle(TSplitterStyle value);
    bool LockBar() const { return lockBar_; }
    void SetLockBar(bool value) { lockBar_ = value; }
    bool RealTimeDrag() const { return realTimeDrag_; }
    void SetRealTimeDrag(bool value) { realTimeDrag_ = value; }
    TUiGroupBarGradientPath GradientPath() const { return gradientPath_; }
    void SetGradientPath(TUiGroupBarGradientPath value);
    bool HotSpotVisible() const { return hotSpotVisible_; }
    void SetHotSpotVisible(bool value);
    THotSpotDirection HotSpotDirection() const { return hotSpotDirection_; }
    void SetHotSpotDirection(THotSpotDirection value);
    int HotSpotSizePercent() const { return hotSpotSizePercent_; }
    void SetHotSpotSizePercent(int value);
    bool HotSpotIgnoreMargins() const { return hotSpotIgnoreMargins_; }
    void SetHotSpotIgnoreMargins(bool value) { hotSpotIgnoreMargins_ = value; }
    THotSpotLook& HotSpotLook() { return look_; }
    bool HotSpotClosed() const { return hotSpotClosed_; }
    bool HotSpotClosedToMin() const { return closedToMin_; }
    bool HotSpotClosedToMax() const { return closedToMax_; }

    void CloseHotSpot(bool toMin);
    void CloseHotSpot() { CloseHotSpot(hotSpotDirection_ == hsdMin); }
    void RestoreHotSpot();
    virtual void ResetHotSpot();
    virtual void ResizePanes();

    TRect BarRect() const { return barRect_; }
    TRect HotSpotRect() const { return hotSpotRect_; }
    bool Dragging() const { return dragging_; }

    TNotifyEvent OnChange;
    TPositionChangingEvent OnChanging;
    TNotifyEvent OnHotSpotClick;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void Dispatch(TMessage& message) override;

    virtual void UpdateFixedSize();
    virtual int GetBorderOffset();
    virtual void DrawMask(int position);
    virtual void UpdateHotSpotRect();
    virtual void DrawHotSpot(bool highlight, TPoint point);
    virtual void DrawSplitterBar();
    virtual void CheckPosition(int& position);
    virtual void UpdateManualPosition(int position);
    virtual void Change();
    virtual bool CanChange(int newPos);
    virtual void HotSpotClick();

private:
    int Extent() { return orientation_ == orHorizontal ? Width() : Height(); }
    int EffectiveExtent() { return Extent() - (splitterWidth_ >> 1); }
    int Along(int x, int y) const { return orientation_ == orHorizontal ? x : y; }
    bool BothPanesVisible() const { return upperLeft_->Visible() && lowerRight_->Visible(); }
    void ApplyPercentMargins();
    void ToggleHotSpot(TPoint point);
    void TrackHotSpot(TPoint point);
    void EndDrag();

    TUiSplitterPane* upperLeft_ = nullptr;
    TUiSplitterPane* lowerRight_ = nullptr;
    TOrientation orientation_ = orHorizontal;
    int position_ = 100;
    int percent_ = 50;
    bool usePercent_ = false;
    int percentMin_ = 0, percentMax_ = 100;
    int marginMin_ = 0, marginMax_ = 0;
    TFixedPane fixedPane_ = fpUpperLeft;
    int splitterWidth_ = 4;
    TSplitterStyle splitterStyle_ = ssStandard;
    TUiGroupBarGradientPath gradientPath_ = gpTopToBottom;
    bool lockBar_ = false, realTimeDrag_ = false;
    bool hotSpotVisible_ = false;
    THotSpotDirection hotSpotDirection_ = hsdMin;
    int hotSpotSizePercent_ = 40;
    bool hotSpotIgnoreMargins_ = true;
    THotSpotLook look_;
    TRect barRect_;
    TRect hotSpotRect_;
    bool hotSpotClosed_ = false, closedToMin_ = false, closedToMax_ = false;
    int hotSpotPosition_ = 100;
    int manualPosition_ = 100;
    int fixedSize_ = 100;
    bool dragging_ = false, hotSpotPressed_ = false;
    int dragStartPosition_ = 0, dragStartMouse_ = 0, lastDragPosition_ = 0;
    bool outsideHotSpot_ = true;
    bool resizing_ = false;
    HBITMAP mask_;
};
