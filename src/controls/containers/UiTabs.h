// The tab strip with its card: lays a list of tab records out along one side in one or more
// rows, keeps a selected tab and leaves the card's inside to child controls.
#pragma once

#include <functional>
#include <vector>

#include "UiTabData.h"
#include "UiTabShapes.h"
#include "cl_controls.h"
#include "cl_graphics.h"

class TCustomImageList;
class TChangeLink;
class TTimer;
class TUiTabScroller;
class TUiTabCloseButton;
class TUiTabMenuButton;

using TUiTabChangingEvent = std::function<void(TObject* sender, int newIndex, bool& allowChange)>;
using TUiTabCloseEvent = std::function<void(TObject* sender, bool& allowClose)>;
using TUiTabOrderChangeEvent = std::function<void(TObject* sender, int oldIndex, int newIndex)>;
using TUiGetTextColorEvent = std::function<void(TObject* sender, int tabIndex, TUiTextStyle style,
                                                TColor& color, bool& handled)>;
using TUiPaintBackgroundEvent =
    std::function<void(TObject* sender, TCanvas* canvas, const TRect& rect, bool& handled)>;
using TUiPaintCardBackgroundEvent =
    std::function<void(TObject* sender, TCanvas* canvas, int row, const TRect& rect, bool& handled)>;
using TUiPaintTabBackgroundEvent = std::function<void(TObject* sender, TCanvas* canvas, int tabIndex,
                                                      const TRect& rect, bool& handled)>;

// Publishes the tab control's properties on a control class that shows them in form files;
// `withCardOptions` adds ShowCard and TabIndexDefault.
void RegisterTabControlProperties(const TMetaClass* metaClass, bool withCardOptions);

class TUiCustomTabControl : public TCustomControl {
    CL_COMPONENT_CLASS(TUiCustomTabControl, TCustomControl)

    explicit TUiCustomTabControl(TComponent* owner);
    void BeforeDestruction() override;

    // Lays the tabs out again before the next paint. Owners refill the tab list first.
    virtual void Rebuild() { SetCalcNeeded(true); }
    virtual void InvalidateControl();
    virtual void SetCalcNeeded(bool value);
    bool CalcNeeded() const { return calcNeeded_; }

    TUiTabDataList* GetTabDataList() const { return tabs_; }
    int GetFirstVisible() const;
    int GetLastVisible() const;
    int ScrollIndex() const { return scrollIndex_; }
    int FixedDimension() const { return fixedDimension_; }
    void SetFixedDimension(int value) { fixedDimension_ = value; }
    int RowExtent() const { return rowExtent_; }
    bool ScrollerNeeded() const { return scrollerNeeded_; }
    int HotTabIndex() const { return hotTabIndex_; }
    int MouseDownTabIndex() const { return mouseDownTabIndex_; }
    int DragOverTabIndex() const { return dragOverTabIndex_; }
    bool HotTrackTimerRunning() const { return hotTrackTimer_ != 0; }
    TUiTabScroller* Scroller() const { return scroller_; }
    TUiTabCloseButton* CloseButton() const { return closeButton_; }
    TUiTabMenuButton* MenuButton() const { return menuButton_; }

    TRect GetIndexRect();
    int GetIndexHeight();
    int GetIndexWidth();
    TRect CalcWholeRect();
    TRect CalcTabRect(int index, const TUiTabData* tab);
    TRect CalcMappedTabRect(int index, const TUiTabData* tab);
    TPoint CalcMapPoint(TPoint point);
    TRect CalcMapRect(const TRect& rect);
    int GetInitialTabOffset();
    int GetTabOffset(int length) const;
    bool TabInView(const TUiTabData* tab);
    TRect CalcMappedCardRect(int row);
    TRect GetDisplayRect();
    int GetScrollerSize();
    int GetCloseButtonSize();
    int GetMenuButtonSize();
    // Measured with the tab font, bold for every tab while BoldCurrentTab is on.
    TSize CalcTextExtent(const AnsiString& text, bool horizontal);
    TSize CalcTextExtent(const AnsiString& text, bool horizontal, bool bold);
    TSize CalcImageExtent(int imageIndex) const;
    TSize CalcDefaultTabFaceExtent(TFont* font);
    TSize CalcTabExtentFromTabFaceExtent(TSize face);
    void CalcMetrics();
    void BringTabToFrontRow(const TUiTabData* tab);
    // Runs the pending recalculation: metrics, first tab shown, selection repair and, unless
    // called while aligning, the children.
    void CheckCalcNeeded(bool realign = true);
    // The outline of the tab in control coordinates.
    std::vector<TPoint> CalcMappedTabRegionPts(int index);
    // The tab's clip region (kept by the region cache), or none for fewer than three points.
    HRGN CalcTabRegion(int index, const TRect& rect);
    // The tab exists, is visible and enabled.
    bool TabSelectable(int index) const;
    // Selectable, and for another tab than the active one the change is allowed (OnChanging).
    virtual bool CanSelectTab(int index);
    // The tab under a client point, -1 for none; the active tab is tried first.
    int TabAtPos(TPoint point);

    // Scrolls a single row by one tab when it can; the scroller's halves do this.
    void ScrollTabs(bool forward);
    bool CanScrollTabs(bool forward);
    // Whether the scroller's up/right half (or its down/left half) scrolls forward.
    bool ScrollsForward(bool upRight) const;
    // Closes the active tab when OnClose allows it.
    void CloseActiveTab();
    void StopHotTracking();
    virtual void DrawMoveTabIndicator(const TRect& rect);
    // Where the indicator for a tab dropped on `target` is drawn, in control coordinates.
    TRect CalcMoveIndicatorRect(int target);
    virtual void HideAllTabs() {}
    virtual void ShowAllTabs() {}

    void AdjustClientRect(TRect& rect) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void Loaded() override;
    void Dispatch(TMessage& message) override;
    void DragOver(TObject* source, int x, int y, TDragState state, bool& accept) override;
    void DragDrop(TObject* source, int x, int y) override;

    int TabIndex() const { return tabIndex_; }
    virtual void SetTabIndex(int value);
    int TabIndexDefault() const { return tabIndexDefault_; }
    void SetTabIndexDefault(int value) { tabIndexDefault_ = value; }

    bool AlignTabs() const { return alignTabs_; }
    virtual void SetAlignTabs(bool value);
    bool AllowTabDragging() const { return allowTabDragging_; }
    void SetAllowTabDragging(bool value) { allowTabDragging_ = value; }
    bool BoldCurrentTab() const { return boldCurrentTab_; }
    virtual void SetBoldCurrentTab(bool value) { RebuildOn(boldCurrentTab_, value); }
    TColor BackgroundColor() const { return backgroundColor_; }
    virtual void SetBackgroundColor(TColor value);
    bool ParentBackgroundColor() const { return parentBackgroundColor_; }
    virtual void SetParentBackgroundColor(bool value);
    int CutCornerSize() const { return cutCornerSize_; }
    virtual void SetCutCornerSize(int value);
    TColor FlatColor() const { return flatColor_; }
    virtual void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    virtual void SetFlatColorAdjustment(int value);
    bool HotTrack() const { return hotTrack_; }
    virtual void SetHotTrack(bool value);
    TColor HotTrackColor() const { return hotTrackColor_; }
    virtual void SetHotTrackColor(TColor value) { RepaintOn(hotTrackColor_, value); }
    TUiHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    virtual void SetHotTrackColorType(TUiHotTrackColorType value) { RepaintOn(hotTrackColorType_, value); }
    TUiTabHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
    virtual void SetHotTrackStyle(TUiTabHotTrackStyle value) { RepaintOn(hotTrackStyle_, value); }
    TUiHorizontalAlignment ImageAlignment() const { return imageAlignment_; }
    virtual void SetImageAlignment(TUiHorizontalAlignment value) { RebuildOn(imageAlignment_, value); }
    TUiVerticalAlignment ImageAlignmentVertical() const { return imageAlignmentVertical_; }
    virtual void SetImageAlignmentVertical(TUiVerticalAlignment value) { RebuildOn(imageAlignmentVertical_, value); }
    int ImageMargin() const { return imageMargin_; }
    virtual void SetImageMargin(int value) { RebuildOnSize(imageMargin_, value); }
    TUiImagePosition ImagePosition() const { return imagePosition_; }
    virtual void SetImagePosition(TUiImagePosition value) { RebuildOn(imagePosition_, value); }
    TCustomImageList* Images() const { return images_; }
    virtual void SetImages(TCustomImageList* value);
    int Margin() const { return margin_; }
    virtual void SetMargin(int value) { RebuildOnSize(margin_, value); }
    bool MultiLine() const { return multiLine_; }
    virtual void SetMultiLine(bool value) { RebuildOn(multiLine_, value); }
    int RowIndent() const { return rowIndent_; }
    virtual void SetRowIndent(int value) { RebuildOnSize(rowIndent_, value); }
    int RowOverlap() const { return rowOverlap_; }
    virtual void SetRowOverlap(int value) { RebuildOnSize(rowOverlap_, value); }
    bool ShowCard() const { return showCard_; }
    virtual void SetShowCard(bool value) { RebuildOn(showCard_, value); }
    bool ShowCardFrame() const { return showCardFrame_; }
    virtual void SetShowCardFrame(bool value) { RebuildOn(showCardFrame_, value); }
    bool ShowCloseButton() const { return showCloseButton_; }
    virtual void SetShowCloseButton(bool value);
    bool ShowFocusRect() const { return showFocusRect_; }
    virtual void SetShowFocusRect(bool value);
    bool ShowFullFrame() const { return showFullFrame_; }
    virtual void SetShowFullFrame(bool value);
    bool ShowMenuButton() const { return showMenuButton_; }
    virtual void SetShowMenuButton(bool value);
    bool ShowShadow() const { return showShadow_; }
    virtual void SetShowShadow(bool value);
    bool SoftCorners() const { return softCorners_; }
    virtual void SetSoftCorners(bool value) { RebuildOn(softCorners_, value); }
    int TabHeight() const { return tabHeight_; }
    virtual void SetTabHeight(int value) { RebuildOnSize(tabHeight_, value); }
    bool TabHints() const { return tabHints_; }
    virtual void SetTabHints(bool value);
    int TabWidth() const { return tabWidth_; }
    virtual void SetTabWidth(int value) { RebuildOnSize(tabWidth_, value); }
    TUiTabOrientation TabOrientation() const { return tabOrientation_; }
    virtual void SetTabOrientation(TUiTabOrientation value);
    int TabOverlap() const { return tabOverlap_; }
    virtual void SetTabOverlap(int value) { RebuildOn(tabOverlap_, value); }
    TUiTabSequence TabSequence() const { return tabSequence_; }
    virtual void SetTabSequence(TUiTabSequence value) { RebuildOn(tabSequence_, value); }
    TUiTabStyle TabStyle() const { return tabStyle_; }
    virtual void SetTabStyle(TUiTabStyle value) { RebuildOn(tabStyle_, value); }
    TUiHorizontalAlignment TextAlignment() const { return textAlignment_; }
    virtual void SetTextAlignment(TUiHorizontalAlignment value) { RebuildOn(textAlignment_, value); }
    TUiVerticalAlignment TextAlignmentVertical() const { return textAlignmentVertical_; }
    virtual void SetTextAlignmentVertical(TUiVerticalAlignment value) { RebuildOn(textAlignmentVertical_, value); }
    TOrientation TextOrientation() const { return textOrientation_; }
    virtual void SetTextOrientation(TOrientation value);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value) { RepaintOn(transparent_, value); }
    bool UseColoredTabs() const { return useColoredTabs_; }
    virtual void SetUseColoredTabs(bool value) { RepaintOn(useColoredTabs_, value); }
    bool UseGradients() const { return useGradients_; }
    virtual void SetUseGradients(bool value) { RepaintOn(useGradients_, value); }
    TUiTabColors* TabColors() const { return tabColors_; }
    virtual void SetTabColors(TUiTabColors* value) { tabColors_->Assign(value); }
    TUiTextColors* TextColors() const { return textColors_; }
    virtual void SetTextColors(TUiTextColors* value) { textColors_->Assign(value); }
    int TabRegionCacheSize() const { return regionCache_->Capacity(); }
    virtual void SetTabRegionCacheSize(int value);
    TUiTabRegionCache* RegionCache() const { return regionCache_; }

    TUiTabChangingEvent OnChanging;
    TNotifyEvent OnChange;
    TNotifyEvent OnPageChange;
    TNotifyEvent OnTabClick;
    TUiTabCloseEvent OnClose;
    TUiTabOrderChangeEvent OnTabOrderChange;
    TUiGetTextColorEvent OnGetTextColor;
    TUiPaintBackgroundEvent OnPaintBackground;
    TUiPaintCardBackgroundEvent OnPaintCardBackground;
    TUiPaintTabBackgroundEvent OnPaintTabBackground;

protected:
    ~TUiCustomTabControl() override;
    void CreateParams(TCreateParams& params) override;
    void DefineProperties(TFiler* filer) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    // Arrows step to the next selectable tab with wrap-around, Home and End to the first and
    // last; the search gives up after one pass over the tabs.
    void KeyDown(WORD& key, TShiftState shift) override;
    virtual bool Changing(int newIndex);
    virtual void Change();
    virtual void PageChange();
    virtual void TabClick();
    virtual void TabOrderChange(int oldIndex, int newIndex);
    virtual bool CanClose();
    virtual void DestroyActiveTab() {}
    virtual void ActiveTabMoved(int /*target*/) {}
    virtual void GetTextColor(int tabIndex, TUiTextStyle style, TColor& color, bool& handled);
    virtual void PaintBackground(TCanvas* canvas, const TRect& rect, bool& handled);
    virtual void PaintCardBackground(TCanvas* canvas, int row, const TRect& rect, bool& handled);
    virtual void PaintTabBackground(TCanvas* canvas, int tabIndex, const TRect& rect, bool& handled);
    // Moves the selection off a tab that can no longer be selected; asks no one.
    virtual void RepairSelection();
    void DoRealign();
    bool SkipChanging() const { return skipChanging_; }
    // Sets the selection without events (collections shifting their items).
    void SetTabIndexField(int value) { tabIndex_ = value; }

private:
    template <class T> void RebuildOn(T& field, T value) {
        if (field == value) return;
        field = value;
        Rebuild();
    }
    template <class T> void RepaintOn(T& field, T value) {
        if (field == value) return;
        field = value;
        InvalidateControl();
    }
    void RebuildOnSize(int& field, int value) {
        if (value >= 0) RebuildOn(field, value);
    }
    bool Horizontal() const { return tabOrientation_ == toTop || tabOrientation_ == toBottom; }
    bool Reverse() const { return tabSequence_ == tsReverse; }
    bool RoundCorners() const { return tabStyle_ == tsRoundCorners; }
    bool Shadowed() const { return tabOrientation_ == toTop && !Reverse() && showShadow_; }
    TUiTabGeometry Geometry() const;
    TColor FrameColor() const;
    TSize TabFaceExtent(const TUiTabData* tab);
    int TabLength(const TUiTabData* tab, TSize largestFace, int available);
    int ButtonsLength();
    void CalcRows(TSize largestFace);
    void CalcPositions(TSize largestFace);
    void JustifyRows();
    void CalcScrollerNeeded();
    int StepToSelectable(int start, int step, bool wrap);
    HFONT CreateDrawingFont(bool bold, bool underline = false);
    void ApplyFrameColor();
    TPoint ButtonPlace(int along, int across, int before);
    void AlignScroller();
    void AlignCloseButton();
    void AlignMenuButton();
    void CreateScroller();
    void CreateCloseButton();
    void CreateMenuButton();
    void ScrollerClick(bool upRight);
    void DrawControlButtons();
    void DrawTabs();
    void DrawTab(int index);
    void DrawCard(int row);
    void DrawTabBackground(int index, const TRect& rect);
    void DrawTabFace(int index, const TRect& rect);
    void DrawBar(int index, bool hot);
    void DrawTabImage(const TUiTabData* tab, TRect place, const TRect& face);
    TRect FitTextRect(int index, TRect rect);
    void DrawCaption(int index, const TRect& textRect, TColor color, int offset);
    void DrawFocus(int index, const TRect& textRect);
    static TSize MeasureText(HDC dc, const AnsiString& text, bool horizontal);
    bool SelectByMnemonic(uint16_t key);
    void DoTextOut(int x, int y, const AnsiString& text, bool horizontal, bool bold, TColor color);
    void ProcessCommands();
    void ShadowLine(TPoint from, TPoint to, uint8_t amount, TBitmap* background);
    TColor CaptionColor(int index, TUiTextStyle style, TColor fallback);
    void TrackHotTab(int x, int y);
    void CancelHotTrackTimer();
    void ImageListChange(TObject* sender);
    void ScrollTimerExpired(TObject* sender);
    void ShowIndicator(const TRect& rect);
    void HideIndicator();

    TUiTabDataList* tabs_;
    TUiTabColors* tabColors_;
    TUiTextColors* textColors_;
    TUiTabRegionCache* regionCache_;
    TBitmap* buffer_;
    TChangeLink* imageChangeLink_;
    TUiTabCommands commands_;
    TUiTabScroller* scroller_ = nullptr;
    TUiTabCloseButton* closeButton_ = nullptr;
    TUiTabMenuButton* menuButton_ = nullptr;
    TTimer* dragScrollTimer_ = nullptr;
    TCustomImageList* images_ = nullptr;
    bool calcNeeded_ = true;
    int scrollIndex_ = 0;
    int fixedDimension_ = 0;
    int rowExtent_ = 1;
    bool scrollerNeeded_ = false;
    int hotTabIndex_ = -1;
    AnsiString savedHint_;
    TRect lastDisplayRect_;
    bool skipChanging_ = false;
    bool painted_ = false;
    int tabIndex_ = -1;
    int tabIndexDefault_ = 0;
    UINT_PTR hotTrackTimer_ = 0;
    HWND hotTrackWindow_ = nullptr;
    bool hotTrackRepaint_ = false;
    int mouseDownTabIndex_ = -1;
    int dragOverTabIndex_ = -1;
    TRect indicatorRect_;
    bool indicatorShown_ = false;

    bool alignTabs_ = false;
    bool allowTabDragging_ = false;
    bool boldCurrentTab_ = false;
    TColor backgroundColor_ = clBtnFace;
    bool parentBackgroundColor_ = true;
    int cutCornerSize_ = 6;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 0;
    bool hotTrack_ = true;
    TColor hotTrackColor_ = 1350640;
    TUiHotTrackColorType hotTrackColorType_ = htctActual;
    TUiTabHotTrackStyle hotTrackStyle_ = htsTab;
    TUiHorizontalAlignment imageAlignment_ = haCenter;
    TUiVerticalAlignment imageAlignmentVertical_ = vaCenter;
    int imageMargin_ = 2;
    TUiImagePosition imagePosition_ = ipLeft;
    int margin_ = 0;
    bool multiLine_ = false;
    int rowIndent_ = 5;
    int rowOverlap_ = 5;
    bool showCard_ = true;
    bool showCardFrame_ = true;
    bool showCloseButton_ = false;
    bool showFocusRect_ = true;
    bool showFullFrame_ = true;
    bool showMenuButton_ = false;
    bool showShadow_ = true;
    bool softCorners_ = false;
    int tabHeight_ = 0;
    bool tabHints_ = false;
    int tabWidth_ = 0;
    TUiTabOrientation tabOrientation_ = toTop;
    int tabOverlap_ = -1;
    TUiTabSequence tabSequence_ = tsStandard;
    TUiTabStyle tabStyle_ = tsSingleSlant;
    TUiHorizontalAlignment textAlignment_ = haCenter;
    TUiVerticalAlignment textAlignmentVertical_ = vaCenter;
    TOrientation textOrientation_ = orHorizontal;
    bool transparent_ = false;
    bool useColoredTabs_ = false;
    bool useGradients_ = true;
};
