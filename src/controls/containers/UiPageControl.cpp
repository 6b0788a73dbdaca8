#include "UiPageControl.h"

#include <algorithm>


TUiTabSheet::TUiTabSheet(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    ControlStyle.insert(csAcceptsControls);
    ControlStyle.insert(csOpaque);
    SetAlign(alClient);
    SetColor(clBtnFace);
}

void TUiTabSheet::BeforeDestruction() {
    SetPageControl(nullptr);
    TCustomControl::BeforeDestruction();
}

void TUiTabSheet::SetPageControl(TUiPageControl* pageControl) {
    if (pageControl == pageControl_) return;
    if (pageControl_) pageControl_->RemovePage(this);
    SetParent(pageControl);
    if (pageControl) pageControl->InsertPage(this);
}

int TUiTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    const auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

int TUiTabSheet::TabIndex() const {
    if (!pageControl_ || !tabVisible_) return -1;
    int index = 0;
    for (TUiTabSheet* page : pageControl_->pages_) {
        if (page == this) return index;
        if (page->tabVisible_) ++index;
    }
    return -1;
}

void TUiTabSheet::SetTabVisible(bool value) {
    if (value == tabVisible_) return;
    tabVisible_ = value;
    Changed();
}

void TUiTabSheet::SetTabEnabled(bool value) {
    if (value == tabEnabled_) return;
    tabEnabled_ = value;
    Changed();
}

void TUiTabSheet::Changed() {
    if (pageControl_) pageControl_->Rebuild();
}

void TUiTabSheet::Dispatch(TMessage& message) {
    TCustomControl::Dispatch(message);
    if (message.Msg == CM_TEXTCHANGED) Changed();
    if (message.Msg == CM_SHOWINGCHANGED || message.Msg == CM_VISIBLECHANGED) {
        const TNotifyEvent& handler = Visible() ? OnShow : OnHide;
        if (handler) handler(this);
    }
}

void TUiTabSheet::AssignTo(TPersistent* dest) {
    auto* data = dynamic_cast<TUiTabData*>(dest);
    if (!data) {
        TCustomControl::AssignTo(dest);
        return;
    }
    data->Caption = Caption();
    data->Color = Color();
    data->Enabled = tabEnabled_;
    data->Visible = tabVisible_;
    data->Hint = Hint();
    data->ImageIndex = imageIndex_;
}

void TUiTabSheet::Paint() {
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(TRect(0, 0, Width(), Height()));
}

TUiPageControl::TUiPageControl(TComponent* owner) : TUiCustomTabControl(owner) {
    ControlStyle.erase(csAcceptsControls);
    ControlStyle.insert(csOpaque);
    SetColor(clBtnFace);
    SetBounds(Left(), Top(), Width(), 150);
}

void TUiPageControl::BeforeDestruction() {
    for (TUiTabSheet* page : pages_) page->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
    TUiCustomTabControl::BeforeDestruction();
}

void TUiPageControl::InsertPage(TUiTabSheet* page) {
    pages_.push_back(page);
    page->pageControl_ = this;
    Rebuild();
}

void TUiPageControl::RemovePage(TUiTabSheet* page) {
    if (page == activePage_) SetActivePage(nullptr);
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    Rebuild();
    page->pageControl_ = nullptr;
}

void TUiPageControl::Rebuild() {
    TUiTabDataList* tabs = GetTabDataList();
    if (!tabs) return;
    tabs->Clear();
    for (TUiTabSheet* page : pages_) {
        if (!page->TabVisible()) continue;
        auto* tab = new TUiTabData;
        tab->Assign(page);
        tabs->Add(tab);
    }
    if (activePage_) {
        const int tab = activePage_->TabIndex();
        if (tab != TabIndex()) SetTabIndex(tab);
    }
    TUiCustomTabControl::Rebuild();
    if (HandleAllocated()) Realign();
}

bool TUiPageControl::Changing(int newIndex) {
    const bool allow = silent_ || TUiCustomTabControl::Changing(newIndex);
    if (allow) ChangeActivePage(PageForTab(newIndex));
    return allow;
}

void TUiPageControl::Change() {
    if (!silent_) TUiCustomTabControl::Change();
}

void TUiPageControl::PageChange() {
    if (!silent_) TUiCustomTabControl::PageChange();
}

void TUiPageControl::SetActivePage(TUiTabSheet* page) {
    if (page && page->pageControl_ != this) return;
    if (InState(csLoading) || InState(csReading)) {
        activePage_ = page;
        return;
    }
    const int tab = page ? page->TabIndex() : -1;
    if (tab >= 0) {
        if (tab == TabIndex()) ChangeActivePage(page);
        SetTabIndex(tab);
        return;
    }
    const bool changed = page != activePage_;
    ChangeActivePage(page);
    silent_ = true;
    SetTabIndex(-1);
    silent_ = false;
    if (changed) PageChange();
}

void TUiPageControl::ChangeActivePage(TUiTabSheet* page) {
    if (page == activePage_ && (!page || page->Visible())) return;
    TUiTabSheet* previous = activePage_;
    activePage_ = page;
    if (page) {
        page->BringToFront();
        page->SetVisible(true);
    }
    if (previous && previous != page) previous->SetVisible(false);
}

int TUiPageControl::ActivePageIndex() const {
    return activePage_ ? activePage_->PageIndex() : -1;
}

void TUiPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? pages_[index] : nullptr);
}

TUiTabSheet* TUiPageControl::PageForTab(int tabIndex) const {
    if (tabIndex < 0) return nullptr;
    for (TUiTabSheet* page : pages_)
        if (page->TabIndex() == tabIndex) return page;
    return nullptr;
}

void TUiPageControl::Loaded() {
    TUiCustomTabControl::Loaded();
    silent_ = true;
    try {
        TUiTabSheet* page = activePage_;
        SetTabIndex(-1);
        activePage_ = nullptr;
        for (TUiTabSheet* sheet : pages_)
            if (sheet != page) sheet->SetVisible(false);
        Rebuild();
        SetActivePage(page);
    } catch (...) {
        silent_ = false;
        throw;
    }
    silent_ = false;
}

void TUiPageControl::AlignControls(TControl* control, TRect& rect) {
    TUiCustomTabControl::AlignControls(control, rect);
    const TRect pageArea = GetDisplayRect();
    for (TUiTabSheet* page : pages_)
        if (!page->Visible() && page->Align() == alClient)
            page->SetBounds(pageArea.Left, pageArea.Top, pageArea.Width(), pageArea.Height());
}
