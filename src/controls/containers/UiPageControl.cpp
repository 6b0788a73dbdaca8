#include "UiPageControl.h"

#include <algorithm>

#include "cl_extctrls.h"

namespace {
constexpr int TabPadding = 12;
constexpr int PageBorder = 2;
}  // namespace

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

void TUiTabSheet::Paint() {
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(TRect(0, 0, Width(), Height()));
}

TUiPageControl::TUiPageControl(TComponent* owner) : TCustomControl(owner) {
    ControlStyle.insert(csAcceptsControls);
    SetColor(clBtnFace);
    SetBounds(0, 0, 289, 193);
}

void TUiPageControl::BeforeDestruction() {
    for (TUiTabSheet* page : pages_) page->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
    TCustomControl::BeforeDestruction();
}

void TUiPageControl::InsertPage(TUiTabSheet* page) {
    pages_.push_back(page);
    page->pageControl_ = this;
    Rebuild();
}

void TUiPageControl::RemovePage(TUiTabSheet* page) {
    if (page == activePage_) ChangeActivePage(nullptr);
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    page->pageControl_ = nullptr;
    Rebuild();
}

void TUiPageControl::Rebuild() {
    tabIndex_ = activePage_ ? activePage_->TabIndex() : -1;
    Realign();
    Invalidate();
}

bool TUiPageControl::HasVisibleTab() const {
    return std::any_of(pages_.begin(), pages_.end(),
                       [](const TUiTabSheet* page) { return page->TabVisible(); });
}

int TUiPageControl::TabRowHeight() const { return HasVisibleTab() ? tabHeight_ : 0; }

void TUiPageControl::SetActivePage(TUiTabSheet* page) {
    if (page && page->pageControl_ != this) return;
    if (InState(csLoading)) {
        activePage_ = page;
        return;
    }
    ChangeActivePage(page);
    tabIndex_ = page ? page->TabIndex() : -1;
    Invalidate();
}

void TUiPageControl::ChangeActivePage(TUiTabSheet* page) {
    if (page == activePage_ && (!page || page->Visible())) return;
    TUiTabSheet* previous = activePage_;
    activePage_ = page;
    if (page) {
        page->SetVisible(true);
        page->BringToFront();
    }
    if (previous && previous != page) previous->SetVisible(false);
}

int TUiPageControl::ActivePageIndex() const {
    return activePage_ ? activePage_->PageIndex() : -1;
}

void TUiPageControl::SetActivePageIndex(int index) {
    if (index >= 0 && index < PageCount()) {
        SetActivePage(pages_[index]);
        return;
    }
    ChangeActivePage(nullptr);
    tabIndex_ = -1;
    Invalidate();
}

TUiTabSheet* TUiPageControl::PageForTab(int tabIndex) const {
    if (tabIndex < 0) return nullptr;
    for (TUiTabSheet* page : pages_)
        if (page->TabIndex() == tabIndex) return page;
    return nullptr;
}

void TUiPageControl::Loaded() {
    TCustomControl::Loaded();
    TUiTabSheet* page = activePage_;
    activePage_ = nullptr;
    for (TUiTabSheet* sheet : pages_)
        if (sheet != page) sheet->SetVisible(false);
    SetActivePage(page);
}

void TUiPageControl::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    rect.Top += TabRowHeight() + PageBorder;
    rect.Left += PageBorder;
    rect.Right -= PageBorder;
    rect.Bottom -= PageBorder;
}

void TUiPageControl::AlignControls(TControl* control, TRect& rect) {
    const TRect pageArea = rect;
    TCustomControl::AlignControls(control, rect);
    for (TUiTabSheet* page : pages_)
        if (!page->Visible() && page->Align() == alClient)
            page->SetBounds(pageArea.Left, pageArea.Top, pageArea.Width(), pageArea.Height());
}

std::vector<TRect> TUiPageControl::TabRects() {
    std::vector<TRect> rects;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    int x = PageBorder;
    for (TUiTabSheet* page : pages_) {
        if (!page->TabVisible()) continue;
        const int width = canvas->TextWidth(page->Caption()) + TabPadding;
        rects.emplace_back(x, 2, x + width, tabHeight_ + 1);
        x += width;
    }
    return rects;
}

int TUiPageControl::TabAtPos(TPoint point) {
    const std::vector<TRect> rects = TabRects();
    for (size_t i = 0; i < rects.size(); ++i) {
        const TRect& r = rects[i];
        if (point.X >= r.Left && point.X < r.Right && point.Y >= 0 && point.Y < r.Bottom)
            return static_cast<int>(i);
    }
    return -1;
}

void TUiPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    TUiTabSheet* page = PageForTab(TabAtPos(TPoint(x, y)));
    if (!page || page == activePage_ || !page->TabEnabled()) return;
    SetActivePage(page);
    if (OnChange) OnChange(this);
}

void TUiPageControl::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(TRect(0, 0, Width(), Height()));
    TRect page(0, TabRowHeight(), Width(), Height());
    Frame3D(canvas, page, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(canvas, page, Color(), clBtnShadow, 1);
    const std::vector<TRect> rects = TabRects();
    canvas->Brush()->SetStyle(bsClear);
    for (int i = 0; i < static_cast<int>(rects.size()); ++i) {
        const bool selected = i == tabIndex_;
        TRect tab = rects[i];
        if (selected) tab = TRect(tab.Left - 2, tab.Top - 2, tab.Right + 2, tab.Bottom + 1);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(tab);
        canvas->Pen()->SetColor(clBtnHighlight);
        canvas->MoveTo(tab.Left, tab.Bottom - 1);
        canvas->LineTo(tab.Left, tab.Top);
        canvas->LineTo(tab.Right - 1, tab.Top);
        canvas->Pen()->SetColor(clBtnShadow);
        canvas->LineTo(tab.Right - 1, selected ? tab.Bottom : tab.Bottom - 1);
        TUiTabSheet* sheet = PageForTab(i);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(sheet->TabEnabled() ? clBtnText : clGrayText);
        canvas->TextOut(tab.Left + TabPadding / 2 + (selected ? 2 : 0), tab.Top + 3,
                        sheet->Caption());
    }
}
