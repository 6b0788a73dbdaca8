// The control library's page control: a row of tabs above a page area, one tab per tab sheet;
// selecting a tab shows its sheet and hides the one shown before. A sheet may hide its tab and
// still be made the active page.
#pragma once

#include <vector>

#include "cl_controls.h"

class TUiPageControl;

class TUiTabSheet : public TCustomControl {
    CL_COMPONENT_CLASS(TUiTabSheet, TCustomControl)

    explicit TUiTabSheet(TComponent* owner);
    void BeforeDestruction() override;

    TUiPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TUiPageControl* pageControl);
    // Position in the page list; -1 without a page control.
    int PageIndex() const;
    // Index among the visible tabs; -1 when the tab is hidden or there is no page control.
    int TabIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);
    bool TabEnabled() const { return tabEnabled_; }
    void SetTabEnabled(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index) { imageIndex_ = index; }

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void Paint() override;

private:
    friend class TUiPageControl;
    void Changed();

    TUiPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    bool tabEnabled_ = true;
    int imageIndex_ = -1;
};

class TUiPageControl : public TCustomControl {
    CL_COMPONENT_CLASS(TUiPageControl, TCustomControl)

    explicit TUiPageControl(TComponent* owner);
    void BeforeDestruction() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TUiTabSheet* Pages(int index) const { return pages_.at(index); }
    TUiTabSheet* ActivePage() const { return activePage_; }
    // Ignored for a sheet of another page control; while loading only recorded.
    void SetActivePage(TUiTabSheet* page);
    int ActivePageIndex() const;
    // An index outside the page list leaves no tab selected and no page shown.
    void SetActivePageIndex(int index);
    // The selected tab among the visible ones, -1 for none.
    int TabIndex() const { return tabIndex_; }
    TUiTabSheet* PageForTab(int tabIndex) const;
    int TabHeight() const { return tabHeight_; }
    // The tab under a client point, -1 for none.
    int TabAtPos(TPoint point);

    void AdjustClientRect(TRect& rect) override;
    // Hidden sheets are laid out too, so what they hold has its size before it is first shown.
    void AlignControls(TControl* control, TRect& rect) override;
    void Loaded() override;

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    friend class TUiTabSheet;
    void InsertPage(TUiTabSheet* page);
    void RemovePage(TUiTabSheet* page);
    void ChangeActivePage(TUiTabSheet* page);
    void Rebuild();
    bool HasVisibleTab() const;
    // Room taken by the tab row: none when every tab is hidden.
    int TabRowHeight() const;
    // The rectangles of the visible tabs, in tab order.
    std::vector<TRect> TabRects();

    std::vector<TUiTabSheet*> pages_;
    TUiTabSheet* activePage_ = nullptr;
    int tabIndex_ = -1;
    int tabHeight_ = 20;
};
