// The tab strip with its card: lays a list of tab records out along one side in one or more
// rows, keeps a selected tab and leaves the card's inside to child controls.
#pragma once

#include <functional>

#include "UiTabData.h"
#include "cl_controls.h"
#include "cl_graphics.h"

using TUiTabChangingEvent = std::function<void(TObject* sender, int newIndex, bool& allowChange)>;

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
    int RowExtent() const { return rowExtent_; }
    bool ScrollerNeeded() const { return scrollerNeeded_; }

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
    TSize CalcTextExtent(const AnsiString& text, bool horizontal);
    TSize CalcDefaultTabFaceExtent(TFont* font);
    TSize CalcTabExtentFromTabFaceExtent(TSize face);
    void CalcMetrics();
    void BringTabToFrontRow(const TUiTabData* tab);
    // Runs the pending recalculation: metrics, first tab shown, selection repair and, unless
    // called while aligning, the children.
    void CheckCalcNeeded(bool realign = true);
    // The tab exists, is visible and enabled.
    bool TabSelectable(int index) const;
    // Selectable, and for another tab than the active one the change is allowed (OnChanging).
    virtual bool CanSelectTab(int index);
    // The tab under a client point, -1 for none.
    int TabAtPos(TPoint point);

    void AdjustClientRect(TRect& rect) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void Loaded() override;
    void Dispatch(TMessage& message) override;

    int TabIndex() const { return tabIndex_; }
    virtual void SetTabIndex(int value);
    int TabIndexDefault() const { return tabIndexDefault_; }
    void SetTabIndexDefault(int value) { tabIndexDefault_ = value; }

    bool AlignTabs() const { return alignTabs_; }
    virtual void SetAlignTabs(bool value);
    bool BoldCurrentTab() const { return boldCurrentTab_; }
    virtual void SetBoldCurrentTab(bool value) { RebuildOn(boldCurrentTab_, value); }
    TColor BackgroundColor() const { return backgroundColor_; }
    virtual void SetBackgroundColor(TColor value);
    int CutCornerSize() const { return cutCornerSize_; }
    virtual void SetCutCornerSize(int value);
    int ImageMargin() const { return imageMargin_; }
    virtual void SetImageMargin(int value) { RebuildOnSize(imageMargin_, value); }
    TUiImagePosition ImagePosition() const { return imagePosition_; }
    virtual void SetImagePosition(TUiImagePosition value) { RebuildOn(imagePosition_, value); }
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
    bool ShowFullFrame() const { return showFullFrame_; }
    virtual void SetShowFullFrame(bool value);
    bool ShowShadow() const { return showShadow_; }
    virtual void SetShowShadow(bool value);
    int TabHeight() const { return tabHeight_; }
    virtual void SetTabHeight(int value) { RebuildOnSize(tabHeight_, value); }
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
    TOrientation TextOrientation() const { return textOrientation_; }
    virtual void SetTextOrientation(TOrientation value);
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

protected:
    ~TUiCustomTabControl() override;
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    // Arrows step to the next selectable tab with wrap-around, Home and End to the first and
    // last; the search gives up after one pass over the tabs.
    void KeyDown(WORD& key, TShiftState shift) override;
    virtual bool Changing(int newIndex);
    virtual void Change();
    virtual void PageChange();
    // Moves the selection off a tab that can no longer be selected; asks no one.
    virtual void RepairSelection();
    void DoRealign();
    bool SkipChanging() const { return skipChanging_; }

private:
    template <class T> void RebuildOn(T& field, T value) {
        if (field == value) return;
        field = value;
        Rebuild();
    }
    void RebuildOnSize(int& field, int value) {
        if (value >= 0) RebuildOn(field, value);
    }
    bool Horizontal() const { return tabOrientation_ == toTop || tabOrientation_ == toBottom; }
    bool Reverse() const { return tabSequence_ == tsReverse; }
    bool RoundCorners() const { return tabStyle_ == tsRoundCorners; }
    TSize TabFaceExtent(const TUiTabData* tab);
    int TabLength(const TUiTabData* tab, TSize largestFace, int available);
    void CalcRows(TSize largestFace);
    void CalcPositions(TSize largestFace);
    void JustifyRows();
    void CalcScrollerNeeded();
    int StepToSelectable(int start, int step, bool wrap);
    HFONT CreateDrawingFont();

    TUiTabDataList* tabs_;
    TUiTabColors* tabColors_;
    TUiTextColors* textColors_;
    TUiTabRegionCache* regionCache_;
    TFont* drawFont_;
    bool calcNeeded_ = true;
    int scrollIndex_ = 0;
    int fixedDimension_ = 0;
    int rowExtent_ = 1;
    bool scrollerNeeded_ = false;
    TRect lastDisplayRect_;
    bool skipChanging_ = false;
    int tabIndex_ = -1;
    int tabIndexDefault_ = 0;

    bool alignTabs_ = false;
    bool boldCurrentTab_ = false;
    TColor backgroundColor_ = clBtnFace;
    int cutCornerSize_ = 6;
    int imageMargin_ = 2;
    TUiImagePosition imagePosition_ = ipLeft;
    int margin_ = 0;
    bool multiLine_ = false;
    int rowIndent_ = 5;
    int rowOverlap_ = 5;
    bool showCard_ = true;
    bool showCardFrame_ = true;
    bool showFullFrame_ = true;
    bool showShadow_ = true;
    int tabHeight_ = 0;
    int tabWidth_ = 0;
    TUiTabOrientation tabOrientation_ = toTop;
    int tabOverlap_ = -1;
    TUiTabSequence tabSequence_ = tsStandard;
    TUiTabStyle tabStyle_ = tsSingleSlant;
    TOrientation textOrientation_ = orHorizontal;
};
