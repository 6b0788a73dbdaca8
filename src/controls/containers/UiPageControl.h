// The control library's page control: the tab control with one tab per tab sheet; selecting a
// tab shows its sheet and hides the one shown before. A sheet may hide its tab and still be made
// the active page; every control docked on the page control gets a sheet of its own.
#pragma once

#include <vector>

#include "UiTabs.h"
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
    void SetImageIndex(int index);
    int DisabledIndex() const { return disabledIndex_; }
    void SetDisabledIndex(int index);
    // Outside 0 .. page count - 1 raises EUiTabControlError.
    void SetPageIndex(int index);
    // A colour other than the page control's switches it to coloured tabs.
    void SetColor(TColor value);
    // The page control alone shows and hides its sheets: this always raises EUiTabControlError.
    void SetVisible(bool value);

    void Dispatch(TMessage& message) override;
    // A sheet read from a form joins the page control it is placed on.
    void ReadState(TReader* reader) override;
    // Fills a tab record with the sheet's caption, colour, hint, images and tab state.
    void AssignTo(TPersistent* dest) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TUiPaintBackgroundEvent OnPaintBackground;

protected:
    void Paint() override;

private:
    friend class TUiPageControl;
    void Changed();
    void InternalSetVisible(bool value) { TCustomControl::SetVisible(value); }
    void ShowingChanged();

    TUiPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    bool tabEnabled_ = true;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
    bool showing_ = false;
};

class TUiPageControl : public TUiCustomTabControl {
    CL_COMPONENT_CLASS(TUiPageControl, TUiCustomTabControl)

    explicit TUiPageControl(TComponent* owner);
    void BeforeDestruction() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TUiTabSheet* Pages(int index) const { return pages_.at(index); }
    TUiTabSheet* ActivePage() const { return activePage_; }
    // Ignored for a sheet of another page control; while loading only recorded. A sheet with a
    // visible tab is switched to through OnChanging, which may refuse it.
    void SetActivePage(TUiTabSheet* page);
    int ActivePageIndex() const;
    // An index outside the page list leaves no tab selected and no page shown.
    void SetActivePageIndex(int index);
    TUiTabSheet* PageForTab(int tabIndex) const;
    // The next sheet from `current` with wrap-around; none after a full circle.
    TUiTabSheet* FindNextPage(TUiTabSheet* current, bool forward, bool visibleOnly) const;
    void SelectNextPage(bool forward);
    // Shows the page that holds the control (the first page when none does).
    void MakeControlVisible(TControl* control);
    void HideAllTabs() override;
    void ShowAllTabs() override;
    TUiTabSheet* ActivePageDefault() const { return activePageDefault_; }
    void SetActivePageDefault(TUiTabSheet* page) { activePageDefault_ = page; }
    bool SaveResources() const { return saveResources_; }
    // Pages that are left lose their window until they are shown again.
    void SetSaveResources(bool value);
    void SetUseColoredTabs(bool value) override;
    void Dispatch(TMessage& message) override;
    void ShowControl(TControl* control) override;
    // The sheets, in page order.
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;

    // Docking: every control docked here gets a sheet of its own, freed when it leaves.
    bool DblClickUndocks() const { return dblClickUndocks_; }
    void SetDblClickUndocks(bool value) { dblClickUndocks_ = value; }
    // The sheet that holds a control docked here; none for any other control.
    TUiTabSheet* GetPageFromDockClient(TControl* client) const;
    // With DockSite on: the control docked on the sheet whose tab is at the point.
    TControl* GetDockClientFromMousePos(TPoint point);
    // A control already docked on a sheet cannot dock again.
    void GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos,
                     bool& canDock) override;
    // A docking control takes the whole control.
    void DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept) override;

    // Refills the tabs from the sheets with a visible tab.
    void Rebuild() override;
    // Hidden sheets are laid out too, so what they hold has its size before it is first shown.
    void AlignControls(TControl* control, TRect& rect) override;
    void Loaded() override;

protected:
    bool Changing(int newIndex) override;
    void DestroyActiveTab() override;
    void ActiveTabMoved(int target) override;
    void PaintCardBackground(TCanvas* canvas, int row, const TRect& rect, bool& handled) override;
    void Change() override;
    void PageChange() override;
    void DoAddDockClient(TControl* client, const TRect& rect) override;
    void DoRemoveDockClient(TControl* client) override;
    // The active page decides the selection: pages never switch from inside a paint.
    void RepairSelection() override {}

private:
    friend class TUiTabSheet;
    void InsertPage(TUiTabSheet* page);
    void RemovePage(TUiTabSheet* page);
    void ChangeActivePage(TUiTabSheet* page);
    bool CtrlTab(const TMessage& message);
    void FocusHiddenTabPage();
    void DockClient(TMessage& message);
    void DropDockingSheet(TUiTabSheet* sheet, TControl* client);
    void DockNotification(const TMessage& message);
    void UndockClient(const TMessage& message);
    void MouseDocking(const TMessage& message);

    std::vector<TUiTabSheet*> pages_;
    TUiTabSheet* activePage_ = nullptr;
    TUiTabSheet* activePageDefault_ = nullptr;
    bool saveResources_ = false;
    bool dblClickUndocks_ = true;
    // The sheet made for the control docking now, and the one whose control is leaving.
    TUiTabSheet* dockingSheet_ = nullptr;
    TUiTabSheet* undockingSheet_ = nullptr;
    // Set while loading and while a sheet without a tab is activated: no change events.
    bool silent_ = false;
};
