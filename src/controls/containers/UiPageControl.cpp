#include "UiPageControl.h"

#include <algorithm>
#include <cstring>

#include "cl_filer.h"
#include "cl_forms.h"

namespace {

const bool pagePropertiesRegistered = [] {
    using S = TUiTabSheet;
    const TMetaClass* sheet = S::StaticClass();
    RegisterProperty(sheet, OrdinalProperty<S>("Color", pkColor, &S::Color, &S::SetColor,
                                               clBtnFace));
    RegisterProperty(sheet, OrdinalProperty<S>("DisabledIndex", pkInteger, &S::DisabledIndex,
                                               &S::SetDisabledIndex, -1));
    RegisterProperty(sheet, OrdinalProperty<S>("ImageIndex", pkInteger, &S::ImageIndex,
                                               &S::SetImageIndex, -1));
    TPropertyInfo pageIndex =
        OrdinalProperty<S>("PageIndex", pkInteger, &S::PageIndex, &S::SetPageIndex);
    pageIndex.IsStored = [](TObject*) { return false; };
    RegisterProperty(sheet, pageIndex);
    RegisterProperty(sheet, OrdinalProperty<S>("TabEnabled", pkBool, &S::TabEnabled,
                                               &S::SetTabEnabled, true));
    RegisterProperty(sheet, OrdinalProperty<S>("TabVisible", pkBool, &S::TabVisible,
                                               &S::SetTabVisible, true));
    // The page control alone shows its sheets.
    TPropertyInfo visible = OrdinalProperty<S>("Visible", pkBool, &S::Visible, &S::SetVisible);
    visible.IsStored = [](TObject*) { return false; };
    RegisterProperty(sheet, visible);

    using P = TUiPageControl;
    const TMetaClass* pages = P::StaticClass();
    RegisterTabControlProperties(pages, false);
    RegisterProperty(pages, ComponentProperty<P, S>("ActivePage", &P::ActivePage,
                                                    &P::SetActivePage));
    RegisterProperty(pages, ComponentProperty<P, S>("ActivePageDefault", &P::ActivePageDefault,
                                                    &P::SetActivePageDefault));
    RegisterProperty(pages, OrdinalProperty<P>("SaveResources", pkBool, &P::SaveResources,
                                               &P::SetSaveResources, false));
    RegisterProperty(pages, OrdinalProperty<P>("DblClickUndocks", pkBool, &P::DblClickUndocks,
                                               &P::SetDblClickUndocks, true));
    RegisterProperty(pages, OrdinalProperty<P>("DockSite", pkBool, &P::DockSite, &P::SetDockSite,
                                               false));
    RegisterClasses({P::StaticClass(), S::StaticClass()});
    return true;
}();

}  // namespace

TUiTabSheet::TUiTabSheet(TComponent* owner) : TCustomControl(owner) {
    InternalSetVisible(false);
    ControlStyle.insert(csAcceptsControls);
    ControlStyle.insert(csOpaque);
    ControlStyle.insert(csNoDesignVisible);
    SetAlign(alClient);
    TCustomControl::SetColor(clBtnFace);
}

void TUiTabSheet::SetVisible(bool) { throw EUiTabControlError(SUiTabSheetVisible); }

void TUiTabSheet::SetImageIndex(int index) {
    imageIndex_ = index;
    Changed();
}

void TUiTabSheet::SetDisabledIndex(int index) {
    disabledIndex_ = index;
    Changed();
}

void TUiTabSheet::SetPageIndex(int index) {
    if (!pageControl_) return;
    const int max = pageControl_->PageCount() - 1;
    if (index < 0 || index > max) throw EUiTabControlError(Format(SUiTabPageIndex, index, max));
    const int old = PageIndex();
    auto& pages = pageControl_->pages_;
    pages.erase(pages.begin() + old);
    pages.insert(pages.begin() + index, this);
    Changed();
    pageControl_->TabOrderChange(old, index);
}

void TUiTabSheet::SetColor(TColor value) {
    if (value == Color()) return;
    if (!pageControl_) {
        TCustomControl::SetColor(value);
        Changed();
        return;
    }
    const TColor controlColor = pageControl_->Color();
    if (!pageControl_->UseColoredTabs() && value != controlColor) pageControl_->SetUseColoredTabs(true);
    if (pageControl_->UseColoredTabs()) {
        TCustomControl::SetColor(value);
        Changed();
    } else if (value == controlColor) {
        TCustomControl::SetColor(value);
    }
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
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return;
    }
    TCustomControl::Dispatch(message);
    if (message.Msg == CM_TEXTCHANGED) Changed();
    if (message.Msg == CM_SHOWINGCHANGED || message.Msg == CM_VISIBLECHANGED) ShowingChanged();
}

// OnShow and OnHide, once per change; what their handlers raise stops at the application.
void TUiTabSheet::ShowingChanged() {
    const bool showing = Showing();
    if (showing == showing_) return;
    showing_ = showing;
    try {
        const TNotifyEvent& handler = showing ? OnShow : OnHide;
        if (handler) handler(this);
    } catch (...) {
        Application->HandleException(this);
    }
}

void TUiTabSheet::ReadState(TReader* reader) {
    if (auto* pageControl = dynamic_cast<TUiPageControl*>(reader->Parent()))
        SetPageControl(pageControl);
    TCustomControl::ReadState(reader);
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
    data->DisabledIndex = disabledIndex_;
}

void TUiTabSheet::Paint() {
    const TRect rect(0, 0, Width(), Height());
    bool handled = false;
    if (OnPaintBackground) OnPaintBackground(this, Canvas(), rect, handled);
    if (handled) return;
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(rect);
}

TUiPageControl::TUiPageControl(TComponent* owner) : TUiCustomTabControl(owner) {
    ControlStyle.erase(csAcceptsControls);
    ControlStyle.insert(csOpaque);
    SetColor(clBtnFace);
    SetUseColoredTabs(false);
    SetBounds(Left(), Top(), Width(), 150);
}

void TUiPageControl::BeforeDestruction() {
    for (TUiTabSheet* page : pages_) page->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
    TUiCustomTabControl::BeforeDestruction();
}

void TUiPageControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (TUiTabSheet* page : std::vector<TUiTabSheet*>(pages_))
        if (page->Owner() == root) proc(page);
}

void TUiPageControl::SetChildOrder(TComponent* child, int order) {
    auto* page = dynamic_cast<TUiTabSheet*>(child);
    if (page && page->pageControl_ == this) page->SetPageIndex(order);
}

void TUiPageControl::InsertPage(TUiTabSheet* page) {
    pages_.push_back(page);
    page->pageControl_ = this;
    Rebuild();
}

void TUiPageControl::RemovePage(TUiTabSheet* page) {
    if (page == activePage_) SetActivePage(nullptr);
    if (page == activePageDefault_) activePageDefault_ = nullptr;
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
    TCustomForm* form = GetParentForm(this);
    TUiTabSheet* previous = activePage_;
    if (form && previous && previous != page && previous->ContainsControl(form->ActiveControl()))
        form->SetActiveControl(previous);
    if (page) {
        page->BringToFront();
        page->InternalSetVisible(true);
        if (form && previous && form->ActiveControl() == previous)
            form->SetActiveControl(page->CanFocus() ? static_cast<TWinControl*>(page) : this);
    }
    if (previous && previous != page) {
        previous->InternalSetVisible(false);
        if (saveResources_ && !InState(csDesigning)) previous->DestroyHandle();
    }
    activePage_ = page;
    if (page && form && form->ActiveControl() == page) page->SelectFirst();
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
        if (activePageDefault_ && activePageDefault_ != page) {
            if (page) page->InternalSetVisible(false);
            page = activePageDefault_;
        }
        SetTabIndex(-1);
        activePage_ = nullptr;
        for (TUiTabSheet* sheet : pages_)
            if (sheet != page) sheet->InternalSetVisible(false);
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

TUiTabSheet* TUiPageControl::FindNextPage(TUiTabSheet* current, bool forward, bool visibleOnly) const {
    const int count = PageCount();
    if (count == 0) return nullptr;
    const auto found = std::find(pages_.begin(), pages_.end(), current);
    int i = found != pages_.end() ? static_cast<int>(found - pages_.begin()) : forward ? count - 1 : 0;
    for (int step = 0; step < count; ++step) {
        i = (i + (forward ? 1 : count - 1)) % count;
        if (!visibleOnly || pages_[i]->TabVisible()) return pages_[i];
    }
    return nullptr;
}

void TUiPageControl::SelectNextPage(bool forward) {
    if (TUiTabSheet* page = FindNextPage(activePage_, forward, true)) SetActivePage(page);
}

void TUiPageControl::MakeControlVisible(TControl* control) {
    TUiTabSheet* target = pages_.empty() ? nullptr : pages_.front();
    for (TUiTabSheet* page : pages_)
        if (page == control || page->ContainsControl(control)) {
            target = page;
            break;
        }
    if (target && target != activePage_) SetActivePage(target);
}

void TUiPageControl::HideAllTabs() {
    for (TUiTabSheet* page : std::vector<TUiTabSheet*>(pages_)) page->SetTabVisible(false);
}

void TUiPageControl::ShowAllTabs() {
    for (TUiTabSheet* page : std::vector<TUiTabSheet*>(pages_)) page->SetTabVisible(true);
}

void TUiPageControl::ShowControl(TControl* control) {
    auto* page = dynamic_cast<TUiTabSheet*>(control);
    if (page && page->pageControl_ == this) SetActivePage(page);
    TUiCustomTabControl::ShowControl(control);
}

void TUiPageControl::SetSaveResources(bool value) {
    if (value == saveResources_) return;
    saveResources_ = value;
    if (!value || InState(csDesigning)) return;
    for (TUiTabSheet* page : pages_)
        if (page != activePage_) page->DestroyHandle();
}

void TUiPageControl::DestroyActiveTab() {
    if (!activePage_) return;
    const int old = TabIndex();
    activePage_->Free();
    SetTabIndex(old > 0 ? old - 1 : 0);
}

void TUiPageControl::ActiveTabMoved(int target) {
    TUiTabSheet* moved = PageForTab(target);
    if (activePage_ && moved) activePage_->SetPageIndex(moved->PageIndex());
}

void TUiPageControl::PaintCardBackground(TCanvas* canvas, int row, const TRect& rect, bool& handled) {
    TUiCustomTabControl::PaintCardBackground(canvas, row, rect, handled);
    if (handled || row != 0 || TabIndex() < 0 || !activePage_) return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(activePage_->Color());
    canvas->FillRect(rect);
    handled = true;
}

void TUiPageControl::SetUseColoredTabs(bool value) {
    TUiCustomTabControl::SetUseColoredTabs(value);
    if (Parent() && !value) Perform(CM_COLORCHANGED);
}

bool TUiPageControl::CtrlTab(const TMessage& message) {
    if (message.WParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0) return false;
    TCustomForm* form = GetParentForm(this);
    if (!form || !ContainsControl(form->ActiveControl())) return false;
    SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
    return true;
}

// A page without a tab hands the focus to its first child that can take it.
void TUiPageControl::FocusHiddenTabPage() {
    if (!activePage_ || activePage_->TabVisible()) return;
    for (int i = 0; i < activePage_->ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(activePage_->Controls(i));
        if (child && child->CanFocus()) {
            child->SetFocus();
            return;
        }
    }
}

TUiTabSheet* TUiPageControl::GetPageFromDockClient(TControl* client) const {
    if (!client || client->HostDockSite() != this) return nullptr;
    for (TUiTabSheet* page : pages_)
        if (client->Parent() == page) return page;
    return nullptr;
}

TControl* TUiPageControl::GetDockClientFromMousePos(TPoint point) {
    if (!DockSite()) return nullptr;
    TUiTabSheet* page = PageForTab(TabAtPos(point));
    if (!page || page->ControlCount() == 0) return nullptr;
    TControl* client = page->Controls(0);
    return client->HostDockSite() == this ? client : nullptr;
}

void TUiPageControl::GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos,
                                 bool& canDock) {
    canDock = GetPageFromDockClient(client) == nullptr;
    if (canDock) TUiCustomTabControl::GetSiteInfo(client, influenceRect, mousePos, canDock);
}

void TUiPageControl::DockOver(TDragDockObject* source, int x, int y, TDragState state,
                              bool& accept) {
    RECT window;
    GetWindowRect(Handle(), &window);
    source->DockRect = TRect(window.left, window.top, window.right, window.bottom);
    TUiCustomTabControl::DockOver(source, x, y, state, accept);
}

// A new sheet of this control takes the docking control; it goes again when the control does
// not stay.
void TUiPageControl::DockClient(TMessage& message) {
    TControl* client = reinterpret_cast<const TCMDockClient*>(message.LParam)->DockSource->Control;
    TUiTabSheet* sheet = new TUiTabSheet(this);
    dockingSheet_ = sheet;
    try {
        if (dynamic_cast<TCustomForm*>(client)) sheet->SetCaption(client->Caption());
        sheet->SetPageControl(this);
        TUiCustomTabControl::Dispatch(message);
    } catch (...) {
        dockingSheet_ = nullptr;
        DropDockingSheet(sheet, client);
        throw;
    }
    dockingSheet_ = nullptr;
    message.Result = 0;
    if (GetPageFromDockClient(client) != sheet) return DropDockingSheet(sheet, client);
    sheet->SetTabVisible(client->Visible());
    if (client->Visible()) SetActivePage(sheet);
    client->SetAlign(alClient);
}

// A control that reached the sheet leaves this site again (which frees the sheet); a sheet
// left over goes without it.
void TUiPageControl::DropDockingSheet(TUiTabSheet* sheet, TControl* client) {
    if (GetPageFromDockClient(client) == sheet) client->Dock(nullptr, client->BoundsRect());
    if (std::find(pages_.begin(), pages_.end(), sheet) == pages_.end()) return;
    if (client->Parent() == sheet) client->SetParent(nullptr);
    sheet->Free();
}

void TUiPageControl::DoAddDockClient(TControl* client, const TRect& rect) {
    if (dockingSheet_)
        client->SetParent(dockingSheet_);
    else
        TUiCustomTabControl::DoAddDockClient(client, rect);
}

// A docked control's caption (its first line) and visibility show on its tab.
void TUiPageControl::DockNotification(const TMessage& message) {
    TUiTabSheet* page = GetPageFromDockClient(reinterpret_cast<TControl*>(message.WParam));
    if (!page) return;
    const auto* change = reinterpret_cast<const TMessage*>(message.LParam);
    if (change->Msg == WM_SETTEXT) {
        const char* text = reinterpret_cast<const char*>(change->LParam);
        if (!text) text = "";
        page->SetCaption(AnsiString(text, static_cast<int>(std::strcspn(text, "\r\n"))));
    } else if (change->Msg == CM_VISIBLECHANGED) {
        page->SetTabVisible(change->WParam != 0);
    }
}

void TUiPageControl::UndockClient(const TMessage& message) {
    auto* client = reinterpret_cast<TControl*>(message.LParam);
    undockingSheet_ = GetPageFromDockClient(client);
    client->SetAlign(alNone);
}

// The sheet of a control that left goes; when it was shown, the next page is.
void TUiPageControl::DoRemoveDockClient(TControl* client) {
    TUiTabSheet* sheet = undockingSheet_;
    undockingSheet_ = nullptr;
    if (!sheet || InState(csDestroying)) return;
    if (sheet == activePage_) SelectNextPage(true);
    // A form floating by itself is still on the sheet: it must not go with it.
    if (client->Parent() == sheet) client->SetParent(nullptr);
    sheet->Free();
}

// A press on a docked control's tab may start dragging it out; a double click floats it.
void TUiPageControl::MouseDocking(const TMessage& message) {
    const TPoint point(static_cast<short>(LOWORD(message.LParam)),
                       static_cast<short>(HIWORD(message.LParam)));
    TControl* client = GetDockClientFromMousePos(point);
    if (!client) return;
    if (message.Msg == WM_LBUTTONDOWN)
        client->BeginDrag(false);
    else if (dblClickUndocks_)
        client->ManualDock(nullptr);
}

void TUiPageControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_DOCKCLIENT: return DockClient(message);
    case CM_DOCKNOTIFICATION: DockNotification(message); break;
    case CM_UNDOCKCLIENT: UndockClient(message); break;
    case CM_COLORCHANGED:
        if (!UseColoredTabs())
            for (TUiTabSheet* page : pages_) page->SetColor(Color());
        break;
    default: break;
    }
    TUiCustomTabControl::Dispatch(message);
    if (message.Msg == CM_DIALOGKEY && message.Result == 0 && CtrlTab(message)) message.Result = 1;
    if (message.Msg == WM_SETFOCUS) FocusHiddenTabPage();
    if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) MouseDocking(message);
}
