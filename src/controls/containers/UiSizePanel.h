// A panel at one edge of its parent that the user resizes by the size bar on its inner edge; the
// bar's hot spot collapses and restores it. As a dock site it keeps docked controls off the bar.
#pragma once

#include "UiSplitter.h"
#include "cl_docking.h"

class TUiCustomSizePanel : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiCustomSizePanel, TUiCustomPanel)

    explicit TUiCustomSizePanel(TComponent* owner);
    ~TUiCustomSizePanel() override;

    virtual TAlign GetAlign() const { return Align(); }
    virtual void SetAlign(TAlign value);
    TSide Side() const { return side_; }
    virtual void SetSide(TSide value);
    int SizeBarWidth() const { return sizeBarWidth_; }
    virtual void SetSizeBarWidth(int value);
    TSplitterStyle SizeBarStyle() const { return sizeBarStyle_; }
    virtual void SetSizeBarStyle(TSplitterStyle value);
    int MarginMin() const { return marginMin_; }
    virtual void SetMarginMin(int value);
    int MarginMax() const { return marginMax_; }
    virtual void SetMarginMax(int value);
    bool LockBar() const { return lockBar_; }
    void SetLockBar(bool value) { lockBar_ = value; }
    bool RealTimeDrag() const { return realTimeDrag_; }
    void SetRealTimeDrag(bool value) { realTimeDrag_ = value; }
    bool HotSpotVisible() const { return hotSpotVisible_; }
    virtual void SetHotSpotVisible(bool value);
    bool HotSpotIgnoreMargins() const { return hotSpotIgnoreMargins_; }
    void SetHotSpotIgnoreMargins(bool value) { hotSpotIgnoreMargins_ = value; }
    int HotSpotSizePercent() const { return hotSpotSizePercent_; }
    virtual void SetHotSpotSizePercent(int value);
    const THotSpotLook& HotSpotLook() const { return look_; }
    virtual void SetHotSpotHighlight(TColor value);
    void SetHotSpotColors(const THotSpotLook& look);
    int GradientColorAdjustment() const { return gradientColorAdjustment_; }
    virtual void SetGradientColorAdjustment(int value);
    TUiGroupBarGradientPath GradientPath() const { return gradientPath_; }
    virtual void SetGradientPath(TUiGroupBarGradientPath value);

    bool HotSpotClosed() const { return hotSpotClosed_; }
    int HotSpotPosition() const { return hotSpotPosition_; }
    void CloseHotSpot();
    void RestoreHotSpot();
    virtual void ResetHotSpot() { hotSpotClosed_ = false; }

    // The bar in client coordinates (empty for alClient); also places the hot spot on it.
    virtual TRect GetSizeBarRect();
    TRect HotSpotRect() const { return hotSpotRect_; }
    // The parent's client area less its edge-aligned children; raises without a parent.
    virtual TRect GetParentWorkingRect();
    virtual int GetMarginExtent(const TRect& workingRect);
    // Clamps a bar coordinate (the new size, or the bar's offset at the near edge).
    virtual void CheckPosition(int& position);
    // True when the bar lies horizontally (the panel resizes vertically).
    virtual bool HotSpotTopBottom();
    bool Dragging() const { return dragging_; }

    TRect GetClientRect() override;
    void SetBounds(int left, int top, int width, int height) override;

    TNotifyEvent OnHotSpotClick;

protected:
    void Paint() override;
    void FixClientRect(TRect& rect, bool includeBorderWidth) override;
    TRect GetControlRect() override;
    IDockManager* CreateDockManager() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void Dispatch(TMessage& message) override;
    void DefineProperties(TFiler* filer) override;

    virtual void DrawMask(int position);
    virtual void UpdateHotSpotRect(const TRect& barRect);
    virtual void DrawHotSpot(bool highlight);
    virtual void DrawSizeBar();
    virtual void HotSpotClick();

private:
    friend class TUiSizePanelDockManager;
    // The edge the panel stands at: the alignment, or Side when it is not aligned to an edge.
    bool HasBar();
    TSide Edge();
    bool FarEdge() { return Edge() == sdTop || Edge() == sdLeft; }
    int Extent() { return HotSpotTopBottom() ? Height() : Width(); }
    void SetExtent(int size);
    int ScreenAlong(int x, int y);
    void ToggleHotSpot();
    void PaintSizeBar(TCanvas* canvas);
    void PaintHotSpot(TCanvas* canvas, bool highlight);
    void TrackHotSpot(TPoint point);
    void EndDrag();
    // A resized aligned panel tells the form designer, if any.
    void TellDesigner();

    TSide side_ = sdLeft;
    int sizeBarWidth_ = 4;
    TSplitterStyle sizeBarStyle_ = ssStandard;
    int marginMin_ = 0, marginMax_ = 0;
    bool lockBar_ = false, realTimeDrag_ = false;
    bool hotSpotVisible_ = false, hotSpotIgnoreMargins_ = false;
    int hotSpotSizePercent_ = 40;
    THotSpotLook look_;
    int gradientColorAdjustment_ = 30;
    TUiGroupBarGradientPath gradientPath_ = gpTopToBottom;
    bool hotSpotClosed_ = false;
    int hotSpotPosition_ = 100;
    TRect hotSpotRect_;
    bool dragging_ = false, hotSpotPressed_ = false;
    int dragStart_ = 0, mouseStart_ = 0, sizeAtDown_ = 0, lastDrag_ = 0;
    bool outsideHotSpot_ = true;
    HBITMAP mask_;
};

class TUiSizePanel : public TUiCustomSizePanel {
    CL_COMPONENT_CLASS(TUiSizePanel, TUiCustomSizePanel)

    explicit TUiSizePanel(TComponent* owner) : TUiCustomSizePanel(owner) {}
};

// The dock layout of a size panel: the class library's dock tree with the size bar kept free
// of docked controls and their grabbers.
class TUiSizePanelDockManager : public TDockTree {
    CL_CLASS(TUiSizePanelDockManager, TDockTree)

    explicit TUiSizePanelDockManager(TUiCustomSizePanel* panel);

    void PositionDockRect(TControl* client, TControl* dropControl, TAlign dropAlign,
                          TRect& dockRect) override;
    void PaintSite(HDC dc) override;
    void PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect) override;

private:
    TUiCustomSizePanel* panel_;
};
