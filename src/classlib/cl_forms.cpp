#include "cl_forms.h"

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>

#include "cl_actions.h"
#include "cl_dragging.h"
#include "cl_hooks.h"
#include "cl_sys.h"
#include "cl_threads.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;
THintWindowClass HintWindowClass = [](TComponent* owner) { return new THintWindow(owner); };

namespace {

constexpr UINT_PTR HintTimerId = 1;

// The application and screen objects live from start-up until the process ends.
struct GlobalObjects {
    GlobalObjects() {
        Application = new TApplication(nullptr);
        Screen = new TScreen(nullptr);
    }
} globalObjects;

bool IsMainThread() { return GetCurrentThreadId() == MainThreadID; }

// The control whose hint shows for `control`: itself or the nearest parent with a hint.
TControl* HintSource(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
        if (!GetShortHint(c->Hint()).IsEmpty()) return c->ShowHint() ? c : nullptr;
    return nullptr;
}

// The hint text of a control or of its nearest parent that has one.
AnsiString InheritedHint(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
        if (!c->Hint().IsEmpty()) return c->Hint();
    return AnsiString();
}

// Offers the action to `control` and, depth first, to its visible children.
bool OfferActionToControls(TControl* control, TBasicAction* action, bool execute) {
    if (!control->Visible()) return false;
    if (execute ? control->ExecuteAction(action) : control->UpdateAction(action)) return true;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed) return false;
    for (int i = 0; i < windowed->ControlCount(); ++i)
        if (OfferActionToControls(windowed->Controls(i), action, execute)) return true;
    return false;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TControlScrollBar

int TControlScrollBar::ClientSize() {
    const TRect client = control_->GetClientRect();
    return kind_ == sbHorizontal ? client.Width() : client.Height();
}

int TControlScrollBar::MaxPosition() { return std::max(0, range_ - ClientSize()); }

void TControlScrollBar::SetRange(int value) {
    range_ = std::max(0, value);
    Update();
}

void TControlScrollBar::SetPosition(int value) {
    value = std::max(0, std::min(value, MaxPosition()));
    if (value == position_) return;
    const int delta = position_ - value;
    position_ = value;
    if (kind_ == sbHorizontal)
        control_->ScrollBy(delta, 0);
    else
        control_->ScrollBy(0, delta);
    Update();
}

void TControlScrollBar::SetVisible(bool value) {
    visible_ = value;
    Update();
}

bool TControlScrollBar::IsScrollBarVisible() { return visible_ && range_ > ClientSize(); }

void TControlScrollBar::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TControlScrollBar*>(source);
    if (!other) return TPersistent::Assign(source);
    increment_ = other->increment_;
    visible_ = other->visible_;
    SetRange(other->range_);
    SetPosition(other->position_);
}

void TControlScrollBar::Update() {
    if (!control_->HandleAllocated() || control_->updatingScrollBars_) return;
    control_->updatingScrollBars_ = true;
    const int bar = kind_ == sbHorizontal ? SB_HORZ : SB_VERT;
    if (!IsScrollBarVisible()) {
        if (position_ != 0) SetPosition(0);
        ShowScrollBar(control_->Handle(), bar, FALSE);
    } else {
        SCROLLINFO info{sizeof(info), SIF_ALL, 0, range_ - 1,
                        static_cast<UINT>(ClientSize() + 1), position_, 0};
        ShowScrollBar(control_->Handle(), bar, TRUE);
        SetScrollInfo(control_->Handle(), bar, &info, TRUE);
        position_ = std::min(position_, MaxPosition());
    }
    control_->updatingScrollBars_ = false;
}

void TControlScrollBar::ScrollMessage(TMessage& message) {
    const int page = std::max(1, ClientSize());
    int position = position_;
    switch (LOWORD(message.WParam)) {
    case SB_LINEUP: position -= increment_; break;
    case SB_LINEDOWN: position += increment_; break;
    case SB_PAGEUP: position -= page; break;
    case SB_PAGEDOWN: position += page; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = range_; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(control_->Handle(), kind_ == sbHorizontal ? SB_HORZ : SB_VERT, &info);
        position = info.nTrackPos;
        break;
    }
    default: return;
    }
    SetPosition(position);
}

// ---------------------------------------------------------------------------------------------
// TScrollingWinControl

TScrollingWinControl::TScrollingWinControl(TComponent* owner) : TWinControl(owner) {
    horzScrollBar_ = new TControlScrollBar(this, sbHorizontal);
    vertScrollBar_ = new TControlScrollBar(this, sbVertical);
    ControlStyle.insert(csAcceptsControls);
}

TScrollingWinControl::~TScrollingWinControl() {
    delete horzScrollBar_;
    delete vertScrollBar_;
}

void TScrollingWinControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TScrollingWinControl::CreateWnd() {
    TWinControl::CreateWnd();
    horzScrollBar_->Update();
    vertScrollBar_->Update();
}

void TScrollingWinControl::SetAutoScroll(bool value) {
    if (autoScroll_ == value) return;
    autoScroll_ = value;
    if (value)
        CalcAutoRange();
    else {
        horzScrollBar_->SetRange(0);
        vertScrollBar_->SetRange(0);
    }
}

void TScrollingWinControl::EnableAutoRange() {
    if (autoRangeDisabled_ > 0 && --autoRangeDisabled_ == 0) CalcAutoRange();
}

void TScrollingWinControl::AlignControls(TControl* control, TRect& rect) {
    TWinControl::AlignControls(control, rect);
    CalcAutoRange();
}

void TScrollingWinControl::CalcAutoRange() {
    if (!autoScroll_ || autoRangeDisabled_ > 0) return;
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (!child->Visible() || child->Align() != alNone) continue;
        right = std::max(right, child->Left() + child->Width() + horzScrollBar_->Position());
        bottom = std::max(bottom, child->Top() + child->Height() + vertScrollBar_->Position());
    }
    horzScrollBar_->SetRange(right);
    vertScrollBar_->SetRange(bottom);
}

void TScrollingWinControl::ScrollBy(int deltaX, int deltaY) {
    DisableAlign();
    DisableAutoRange();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (child->Align() != alNone) continue;
        child->SetBounds(child->Left() + deltaX, child->Top() + deltaY, child->Width(),
                         child->Height());
    }
    --autoRangeDisabled_;
    EnableAlign();
    Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* control) {
    if (!control || !ContainsControl(control)) return;
    const TRect client = GetClientRect();
    TPoint origin = {control->Left(), control->Top()};
    for (TWinControl* p = control->Parent(); p && p != this; p = p->Parent()) {
        origin.X += p->Left();
        origin.Y += p->Top();
    }
    const TRect r = Bounds(origin.X, origin.Y, control->Width(), control->Height());
    if (r.Left < 0)
        horzScrollBar_->SetPosition(horzScrollBar_->Position() + r.Left);
    else if (r.Right > client.Right)
        horzScrollBar_->SetPosition(horzScrollBar_->Position() +
                                    std::min(r.Right - client.Right, r.Left));
    if (r.Top < 0)
        vertScrollBar_->SetPosition(vertScrollBar_->Position() + r.Top);
    else if (r.Bottom > client.Bottom)
        vertScrollBar_->SetPosition(vertScrollBar_->Position() +
                                    std::min(r.Bottom - client.Bottom, r.Top));
}

void TScrollingWinControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_HSCROLL:
        if (message.LParam) break;
        return horzScrollBar_->ScrollMessage(message);
    case WM_VSCROLL:
        if (message.LParam) break;
        return vertScrollBar_->ScrollMessage(message);
    case WM_SIZE:
        TWinControl::Dispatch(message);
        horzScrollBar_->Update();
        vertScrollBar_->Update();
        return;
    default:
        break;
    }
    TWinControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// TScrollBox

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& params) {
    TScrollingWinControl::CreateParams(params);
    if (borderStyle_ == bsNone) return;
    if (Ctl3D())
        params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        params.Style |= WS_BORDER;
}

// ---------------------------------------------------------------------------------------------
// TCustomForm

TCustomForm::TCustomForm(TComponent* owner) : TScrollingWinControl(owner) {
    SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    canvas_ = new TControlCanvas();
    canvas_->SetControl(this);
    if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() { delete canvas_; }

void TCustomForm::BeforeDestruction() {
    if (created_ && OnDestroy) OnDestroy(this);
    if (Screen) Screen->RemoveForm(this);
    if (Application && Application->mainForm_ == this) Application->mainForm_ = nullptr;
    canvas_->FreeHandle();
    TScrollingWinControl::BeforeDestruction();
}

void TCustomForm::GetChildren(const TGetChildProc& proc, TComponent* root) {
    if (root == this)
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->HasParent()) proc(Components(i));
    TScrollingWinControl::GetChildren(proc, root);
}

void TCustomForm::Loaded() {
    TScrollingWinControl::Loaded();
    DoCreate();
}

void TCustomForm::DoCreate() {
    if (created_) return;
    created_ = true;
    if (OnCreate) OnCreate(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(const TBorderIcons& value) {
    if (borderIcons_ == value) return;
    borderIcons_ = value;
    RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState value) {
    if (windowState_ == value) return;
    windowState_ = value;
    if (!HandleAllocated() || !Showing()) return;
    ShowWindow(WindowHandle(), value == wsMaximized   ? SW_SHOWMAXIMIZED
                               : value == wsMinimized ? SW_MINIMIZE
                                                      : SW_RESTORE);
}

void TCustomForm::SetMenu(TMainMenu* value) {
    menu_ = value;
    if (!HandleAllocated()) return;
    ::SetMenu(WindowHandle(), value && MenuHooks.Handle ? MenuHooks.Handle(value) : nullptr);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (activeControl_ == control) return;
    activeControl_ = control;
    if (control && Showing() && active_ && control->CanFocus()) ::SetFocus(control->Handle());
}

void TCustomForm::SetClientWidth(int value) {
    if (!HandleAllocated()) pendingClientWidth_ = value;
    TScrollingWinControl::SetClientWidth(value);
}

void TCustomForm::SetClientHeight(int value) {
    if (!HandleAllocated()) pendingClientHeight_ = value;
    TScrollingWinControl::SetClientHeight(value);
}

void TCustomForm::ApplyPendingClientSize() {
    const int width = pendingClientWidth_, height = pendingClientHeight_;
    pendingClientWidth_ = pendingClientHeight_ = -1;
    if (width >= 0) TControl::SetClientWidth(width);
    if (height >= 0) TControl::SetClientHeight(height);
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TScrollingWinControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (!Enabled()) params.Style |= WS_DISABLED;
    params.ExStyle = 0;
    switch (borderStyle_) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle: case bsToolWindow: params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: case bsSizeToolWin: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin)
        params.ExStyle |= WS_EX_TOOLWINDOW;
    if (borderStyle_ != bsNone && borderIcons_.count(biSystemMenu)) params.Style |= WS_SYSMENU;
    const bool framed = borderStyle_ == bsSingle || borderStyle_ == bsSizeable;
    if (framed && borderIcons_.count(biMinimize)) params.Style |= WS_MINIMIZEBOX;
    if (framed && borderIcons_.count(biMaximize)) params.Style |= WS_MAXIMIZEBOX;
    if (borderIcons_.count(biHelp) && !(params.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
        params.ExStyle |= WS_EX_CONTEXTHELP;
    TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
    if (mainForm && mainForm != this && mainForm->HandleAllocated())
        params.WndParent = mainForm->WindowHandle();
    else
        params.WndParent = nullptr;
    if ((position_ == poDefault || position_ == poDefaultPosOnly) && !(params.Style & WS_POPUP))
        params.X = params.Y = CW_USEDEFAULT;
    params.WindowClass.style = CS_DBLCLKS;
    params.WinClassName = "TClassLibForm";
    if (Parent()) MakeChildParams(params);
}

// A form placed on a control (docked on a site) is a frameless child window there.
void TCustomForm::MakeChildParams(TCreateParams& params) {
    params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    params.ExStyle = 0;
    params.X = Left();
    params.Y = Top();
    params.WndParent = Parent()->WindowHandle();
}

void TCustomForm::SetParent(TWinControl* parent) {
    if (HandleAllocated() && (parent == nullptr) != (Parent() == nullptr)) DestroyHandle();
    TScrollingWinControl::SetParent(parent);
}

void TCustomForm::CreateWnd() {
    TScrollingWinControl::CreateWnd();
    if (menu_ && MenuHooks.Handle) ::SetMenu(WindowHandle(), MenuHooks.Handle(menu_));
    ApplyPendingClientSize();
}

bool TCustomForm::Showing() const {
    return Visible() && WindowHandle() && IsWindowVisible(WindowHandle());
}

void TCustomForm::UpdateShowing() {
    if (Parent()) return TScrollingWinControl::UpdateShowing();
    if (Visible()) {
        HandleNeeded();
        if (!positioned_) ApplyPosition();
        if (IsWindowVisible(WindowHandle())) return;
        DoShow();
        ShowWindow(WindowHandle(), windowState_ == wsMaximized   ? SW_SHOWMAXIMIZED
                                   : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                                                 : SW_SHOWNORMAL);
        if (activeControl_ == nullptr) FocusFirstControl();
    } else if (HandleAllocated() && IsWindowVisible(WindowHandle())) {
        DoHide();
        ShowWindow(WindowHandle(), SW_HIDE);
    }
}

void TCustomForm::ApplyPosition() {
    positioned_ = true;
    TRect area = Bounds(0, 0, Screen->Width(), Screen->Height());
    TCustomForm* center = nullptr;
    if (position_ == poMainFormCenter) center = Application->MainForm();
    if (position_ == poOwnerFormCenter) center = dynamic_cast<TCustomForm*>(Owner());
    switch (position_) {
    case poMainFormCenter:
    case poOwnerFormCenter:
        if (center && center != this && center->HandleAllocated()) area = center->BoundsRect();
        break;
    case poScreenCenter:
    case poDesktopCenter:
        break;
    default:
        return;
    }
    SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2,
              Width(), Height());
}

void TCustomForm::FocusFirstControl() {
    if (TWinControl* first = FindNextControl(nullptr, true, true, false)) activeControl_ = first;
}

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::BringToFront() {
    if (!Showing()) return;
    SetWindowPos(WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(WindowHandle());
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (formState_.count(fsModal)) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) modalResult_ = mrNone;
    else if (action == caFree) Release();
}

int TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || formState_.count(fsModal))
        throw EInvalidOperation("Cannot make a visible window modal");
    if (GetCapture()) SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HWND previous = GetActiveWindow();
    formState_.insert(fsModal);
    modalResult_ = mrNone;
    std::vector<HWND> disabled = DisableTaskWindows(nullptr);
    auto finish = [&] {
        EnableTaskWindows(disabled);
        Hide();
        formState_.erase(fsModal);
        if (previous && IsWindow(previous)) SetActiveWindow(previous);
    };
    try {
        Show();
        while (modalResult_ == mrNone) {
            Application->HandleMessage();
            if (Application->Terminated())
                modalResult_ = mrCancel;
            else if (modalResult_ != mrNone)
                CloseModal();
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return modalResult_;
}

void TCustomForm::Release() {
    if (HandleAllocated())
        PostMessageA(WindowHandle(), CM_RELEASE, 0, 0);
    else
        Free();
}

void TCustomForm::SetFocus() {
    if (!Showing()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    SetForegroundWindow(WindowHandle());
    if (activeControl_ && activeControl_->CanFocus())
        ::SetFocus(activeControl_->Handle());
    else
        ::SetFocus(WindowHandle());
}

void TCustomForm::FocusControl(TWinControl* control) {
    activeControl_ = control;
    if (Showing() && control->CanFocus()) ::SetFocus(control->Handle());
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (removing && control == this) return;
    if (activeControl_ && control->ContainsControl(activeControl_))
        activeControl_ = removing ? nullptr : control->Parent();
    if (focusedControl_ && control->ContainsControl(focusedControl_))
        focusedControl_ = removing ? nullptr : control->Parent();
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    if (focusedControl_ == control) return true;
    TWinControl* old = focusedControl_;
    focusedControl_ = control;
    if (control != this) activeControl_ = control;
    for (TWinControl* c = old; c && c != this && !c->ContainsControl(control); c = c->Parent())
        c->Perform(CM_EXIT);
    std::vector<TWinControl*> entering;
    for (TWinControl* c = control; c && c != this && !(old && c->ContainsControl(old));
         c = c->Parent())
        entering.push_back(c);
    for (auto it = entering.rbegin(); it != entering.rend(); ++it) (*it)->Perform(CM_ENTER);
    TMessage changed{CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control), 0};
    Broadcast(changed);
    return focusedControl_ == control;
}

TBitmap* TCustomForm::GetFormImage() {
    auto* image = new TBitmap();
    try {
        const TRect client = GetClientRect();
        image->SetSize(client.Right, client.Bottom);
        if (HandleAllocated()) {
            HDC dc = image->Canvas()->Handle();
            Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
            for (int i = 0; i < ControlCount(); ++i)
                if (auto* child = dynamic_cast<TWinControl*>(Controls(i)))
                    if (child->Visible()) child->PaintTo(dc, child->Left(), child->Top());
        }
    } catch (...) {
        image->Free();
        throw;
    }
    return image;
}

void TCustomForm::SendCancelMode(TControl* sender) {
    TWinControl* focused = focusedControl_ ? focusedControl_ : activeControl_;
    if (active_ && focused)
        focused->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(sender));
}

bool TCustomForm::DispatchAction(TBasicAction* action, bool execute) {
    TWinControl* focused = focusedControl_ ? focusedControl_ : activeControl_;
    if (focused && (execute ? focused->ExecuteAction(action) : focused->UpdateAction(action)))
        return true;
    if (execute ? ExecuteAction(action) : UpdateAction(action)) return true;
    for (int i = 0; i < ControlCount(); ++i)
        if (OfferActionToControls(Controls(i), action, execute)) return true;
    return false;
}

void TCustomForm::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_ACTIONEXECUTE:
    case CM_ACTIONUPDATE:
        message.Result = DispatchAction(reinterpret_cast<TBasicAction*>(message.LParam),
                                        message.Msg == CM_ACTIONEXECUTE);
        return;
    case WM_CLOSE:
        return Close();
    case CM_RELEASE:
        return Free();
    case WM_ACTIVATE:
        return HandleActivate(message);
    case CM_DIALOGKEY:
        return HandleDialogKey(message);
    case WM_GETMINMAXINFO:
        return HandleGetMinMaxInfo(message);
    case WM_SETFOCUS:
        if (activeControl_ && activeControl_ != this && activeControl_->CanFocus()) {
            ::SetFocus(activeControl_->Handle());
            return;
        }
        return DefaultHandler(message);
    case WM_SIZE:
        if (message.WParam == SIZE_MAXIMIZED) windowState_ = wsMaximized;
        else if (message.WParam == SIZE_MINIMIZED) windowState_ = wsMinimized;
        else if (message.WParam == SIZE_RESTORED) windowState_ = wsNormal;
        return TScrollingWinControl::Dispatch(message);
    case WM_HELP: {
        auto* info = reinterpret_cast<HELPINFO*>(message.LParam);
        int context = 0;
        for (TControl* c = FindControl(static_cast<HWND>(info->hItemHandle)); c && !context;
             c = c->Parent())
            context = c->HelpContext();
        if (!context) context = HelpContext();
        if (context && Application) Application->HelpContext(context);
        message.Result = TRUE;
        return;
    }
    default:
        TScrollingWinControl::Dispatch(message);
    }
}

void TCustomForm::HandleActivate(TMessage& message) {
    const bool activating = LOWORD(message.WParam) != WA_INACTIVE;
    active_ = activating;
    if (!activating) {
        DefaultHandler(message);
        if (OnDeactivate) OnDeactivate(this);
        return;
    }
    if (Screen) Screen->SetActiveForm(this);
    TWinControl* target = activeControl_;
    if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true, true, false);
    if (target && !HIWORD(message.WParam)) {
        activeControl_ = target;
        ::SetFocus(target->Handle());
    } else {
        DefaultHandler(message);
    }
    if (OnActivate) OnActivate(this);
}

void TCustomForm::HandleDialogKey(TMessage& message) {
    const uint16_t key = message.CharCode();
    if (GetKeyState(VK_MENU) >= 0) {
        if (key == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
            SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
            message.Result = 1;
            return;
        }
        const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
        if (arrow && activeControl_ && activeControl_->Parent()) {
            activeControl_->Parent()->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN,
                                                 false);
            message.Result = 1;
            return;
        }
    }
    TScrollingWinControl::Dispatch(message);
}

void TCustomForm::HandleGetMinMaxInfo(TMessage& message) {
    DefaultHandler(message);
    auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
    TSizeConstraints* c = Constraints();
    if (c->MinWidth() > 0) info->ptMinTrackSize.x = c->MinWidth();
    if (c->MinHeight() > 0) info->ptMinTrackSize.y = c->MinHeight();
    if (c->MaxWidth() > 0) info->ptMaxTrackSize.x = c->MaxWidth();
    if (c->MaxHeight() > 0) info->ptMaxTrackSize.y = c->MaxHeight();
}

// ---------------------------------------------------------------------------------------------
// THintWindow

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.WindowClass.style |= CS_SAVEBITS;
    params.WndParent = Application ? Application->Handle() : nullptr;
}

void THintWindow::ActivateHint(TRect rect, const AnsiString& hint) {
    SetCaption(hint);
    HandleNeeded();
    SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    SetWindowPos(WindowHandle(), HWND_TOPMOST, rect.Left, rect.Top, rect.Width(), rect.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
    Update();
}

void THintWindow::ActivateHintData(TRect rect, const AnsiString& hint, void*) {
    ActivateHint(rect, hint);
}

TRect THintWindow::CalcHintRect(int maxWidth, const AnsiString& hint, void*) {
    RECT r = {0, 0, maxWidth, 0};
    ScreenDC dc;
    SelectedObject font(dc, Font()->Handle());
    DrawTextA(dc, hint.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    return Rect(0, 0, r.right + 6, r.bottom + 2);
}

void THintWindow::ReleaseHandle() { DestroyHandle(); }

void THintWindow::Paint() {
    HDC dc = Canvas()->Handle();
    RECT r;
    ::GetClientRect(WindowHandle(), &r);
    r.left += 2;
    r.top += 1;
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(Font()->Color()));
    AnsiString text = Caption();
    DrawTextA(dc, text.c_str(), -1, &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
}

void THintWindow::NCPaint(HDC dc) {
    RECT r;
    GetWindowRect(WindowHandle(), &r);
    OffsetRect(&r, -r.left, -r.top);
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
}

void THintWindow::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_NCPAINT: {
        WindowDC dc(WindowHandle());
        NCPaint(dc);
        return;
    }
    case WM_NCHITTEST:
        message.Result = HTTRANSPARENT;
        return;
    case CM_TEXTCHANGED:
        Invalidate();
        return;
    default:
        TCustomControl::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// TApplication

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    const AnsiString exe = ExtractFileName(ExeFileName());
    const int dot = exe.LastDelimiter(".");
    title_ = dot ? exe.SubString(1, dot - 1) : exe;
}

void TApplication::Initialize() {
    if (handle_) return;
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_DATE_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                      ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                      ICC_BAR_CLASSES | ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&controls);
    OleInitialize(nullptr);
    handle_ = AllocateHWnd([this](TMessage& message) { WindowHandler(message); });
    SetWindowTextA(handle_, title_.c_str());
    HWND window = handle_;
    WakeMainThread = [window] { PostMessageA(window, CM_SYNCHRONIZE, 0, 0); };
    EnableSynchronize(true);
    POINT cursor{};
    GetCursorPos(&cursor);
    lastMousePos_ = {cursor.x, cursor.y};
}

void TApplication::BeforeDestruction() {
    CancelHint();
    TObject::Free(hintWindow_);
    hintWindow_ = nullptr;
    TComponent::BeforeDestruction();
    if (handle_) {
        EnableSynchronize(false);
        WakeMainThread = nullptr;
        DeallocateHWnd(handle_);
        handle_ = nullptr;
    }
}

AnsiString TApplication::ExeName() const { return ExeFileName(); }

void TApplication::FormCreated(TCustomForm* form) {
    if (!mainForm_) mainForm_ = form;
    form->DoCreate();
}

void TApplication::Run() {
    try {
        if (mainForm_ && !terminated_) mainForm_->Show();
    } catch (...) {
        HandleException(this);
    }
    while (!terminated_) HandleMessage();
    DestroyForms();
}

void TApplication::DestroyForms() {
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i >= ComponentCount()) continue;
        if (auto* form = dynamic_cast<TCustomForm*>(Components(i))) form->Free();
    }
}

void TApplication::Terminate() { PostQuitMessage(0); }

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) OnMessage(msg, handled);
    if (!handled && !IsPreProcessed(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

bool TApplication::IsPreProcessed(MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && DragControl()) {
        EndControlDrag(false);
        return true;
    }
    switch (msg.message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN:
        CancelHint();
        break;
    default:
        break;
    }
    return IsKeyMessage(msg);
}

bool TApplication::IsKeyMessage(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    TWinControl* control = nullptr;
    for (HWND window = msg.hwnd; window && !control; window = GetParent(window))
        control = FindControl(window);
    if (!control) return false;
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && MenuHooks.IsShortCut) {
        TCustomForm* form = GetParentForm(control);
        TMessage key{msg.message, msg.wParam, msg.lParam, 0};
        if (form && form->Menu() && MenuHooks.IsShortCut(form->Menu(), key)) return true;
    }
    return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

void TApplication::ProcessMessages() {
    MSG msg;
    try {
        while (ProcessMessage(msg)) {
        }
    } catch (...) {
        HandleException(this);
    }
    CheckSynchronize();
}

void TApplication::HandleMessage() {
    try {
        MSG msg;
        if (!ProcessMessage(msg)) Idle();
    } catch (...) {
        HandleException(this);
    }
}

void TApplication::Idle() {
    POINT cursor{};
    GetCursorPos(&cursor);
    if (cursor.x != lastMousePos_.X || cursor.y != lastMousePos_.Y) {
        lastMousePos_ = {cursor.x, cursor.y};
        UpdateMouseControl(FindDragTarget(lastMousePos_, false));
    }
    bool done = true;
    if (OnIdle) OnIdle(this, done);
    for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_))
        if (events->OnIdle) events->OnIdle(this, done);
    if (CheckSynchronize()) done = false;
    if (done) WaitMessage();
}

void TApplication::WindowHandler(TMessage& message) {
    switch (message.Msg) {
    case CM_SYNCHRONIZE:
        CheckSynchronize();
        return;
    case WM_ACTIVATEAPP:
        active_ = message.WParam != 0;
        if (active_) {
            if (OnActivate) OnActivate(this);
            for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_))
                if (events->OnActivate) events->OnActivate(this);
        } else {
            PostMessageA(handle_, CM_DEACTIVATE, 0, 0);
        }
        return;
    case CM_DEACTIVATE:
        CancelHint();
        if (OnDeactivate) OnDeactivate(this);
        for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_))
            if (events->OnDeactivate) events->OnDeactivate(this);
        return;
    case WM_TIMER:
        if (message.WParam == HintTimerId) HintTimerExpired();
        return;
    default:
        message.Result = DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
    }
}

void TApplication::HandleException(TObject* sender) {
    std::exception_ptr error = std::current_exception();
    if (!error) return;
    try {
        try {
            std::rethrow_exception(error);
        } catch (EAbort&) {
            return;
        } catch (Exception& e) {
            ReportException(sender, &e);
        } catch (...) {
            AnsiString text;
            if (!OnTranslateException || !OnTranslateException(error, text)) {
                try {
                    std::rethrow_exception(error);
                } catch (std::exception& e) {
                    text = e.what();
                } catch (...) {
                }
            }
            Exception translated(text);
            ReportException(sender, &translated);
        }
    } catch (...) {
        // A failing handler must not take the program down.
    }
}

void TApplication::ReportException(TObject* sender, Exception* e) {
    if (OnException) return OnException(sender, e);
    for (TApplicationEvents* events : events_)
        if (events->OnException) return events->OnException(sender, e);
    ShowException(e);
}

void TApplication::ShowException(Exception* e) {
    MessageBox(e->Message(), title_, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const AnsiString& text, const AnsiString& caption, UINT flags) {
    if (Hooks().ShowMessageBox) return Hooks().ShowMessageBox(text, caption, flags);
    if (!IsMainThread())
        return ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags | MB_TASKMODAL);
    TCustomForm* active = Screen ? Screen->ActiveForm() : nullptr;
    HWND owner = active && active->HandleAllocated() ? active->WindowHandle() : handle_;
    std::vector<HWND> disabled = DisableTaskWindows(nullptr);
    const int answer = ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
    EnableTaskWindows(disabled);
    return answer;
}

bool TApplication::HelpCommand(uint16_t command, int data) {
    auto handledBy = [command, data](const THelpEvent& handler) {
        if (!handler) return false;
        bool callHelp = true;
        return handler(command, data, callHelp) && !callHelp;
    };
    TCustomForm* form = Screen ? Screen->ActiveForm() : nullptr;
    if (!form) form = mainForm_;
    if (form && handledBy(form->OnHelp)) return true;
    if (handledBy(OnHelp)) return true;
    for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_))
        if (handledBy(events->OnHelp)) return true;
    return false;
}

bool TApplication::HelpContext(int context) { return HelpCommand(HELP_CONTEXT_COMMAND, context); }

void TApplication::SetShowHint(bool value) {
    if (showHint_ == value) return;
    showHint_ = value;
    CancelHint();
    TObject::Free(hintWindow_);
    hintWindow_ = nullptr;
    if (value) hintWindow_ = HintWindowClass(this);
}

AnsiString GetShortHint(const AnsiString& hint) {
    const int bar = hint.Pos("|");
    return bar ? hint.SubString(1, bar - 1) : hint;
}

AnsiString GetLongHint(const AnsiString& hint) {
    const int bar = hint.Pos("|");
    return bar ? hint.SubString(bar + 1, hint.Length()) : hint;
}

void TApplication::SetHint(const AnsiString& value) {
    if (value == hint_) return;
    hint_ = value;
    bool handled = static_cast<bool>(OnHint);
    if (OnHint) OnHint(this);
    for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_)) {
        if (!events->OnHint) continue;
        events->OnHint(this);
        handled = true;
    }
    if (handled) return;
    TOwnedPtr<THintAction> action(new THintAction(this));
    action->SetHint(value);
    action->Execute();
}

bool TApplication::ExecuteAction(TBasicAction* action) {
    bool handled = false;
    if (OnActionExecute) OnActionExecute(action, handled);
    for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_))
        if (!handled && events->OnActionExecute) events->OnActionExecute(action, handled);
    return handled;
}

bool TApplication::UpdateAction(TBasicAction* action) {
    bool handled = false;
    if (OnActionUpdate) OnActionUpdate(action, handled);
    for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_))
        if (!handled && events->OnActionUpdate) events->OnActionUpdate(action, handled);
    return handled;
}

void TApplication::HintMouseMessage(TControl* control, TMessage&) {
    if (control != hintWindow_) SetHint(GetLongHint(InheritedHint(control)));
    if (!showHint_ || control == hintControl_ || control == hintWindow_) return;
    const bool wasShowing = hintActive_;
    HideHint();
    hintControl_ = control;
    if (HintSource(control))
        StartHintTimer(wasShowing ? hintShortPause_ : hintPause_);
    else
        StopHintTimer();
}

void TApplication::StartHintTimer(int delay) {
    if (!handle_) return;
    SetTimer(handle_, HintTimerId, static_cast<UINT>(std::max(1, delay)), nullptr);
    hintTimerRunning_ = true;
}

void TApplication::StopHintTimer() {
    if (hintTimerRunning_ && handle_) KillTimer(handle_, HintTimerId);
    hintTimerRunning_ = false;
}

void TApplication::HintTimerExpired() {
    StopHintTimer();
    if (hintActive_) return HideHint();
    if (ShowCurrentHint()) StartHintTimer(hintHidePause_);
}

bool TApplication::ShowCurrentHint() {
    TControl* source = HintSource(hintControl_);
    if (!source || !showHint_) return false;
    POINT cursor{};
    GetCursorPos(&cursor);
    THintInfo info;
    info.HintControl = source;
    info.HintPos = {cursor.x, cursor.y + 20};
    info.HintMaxWidth = Screen->Width();
    info.HintColor = hintColor_;
    info.CursorRect = source->ClientRect();
    info.CursorPos = source->ScreenToClient({cursor.x, cursor.y});
    info.HideTimeout = hintHidePause_;
    info.HintStr = GetShortHint(source->Hint());
    if (source->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0) return false;
    bool canShow = true;
    if (OnShowHint) OnShowHint(info.HintStr, canShow, info);
    for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_))
        if (events->OnShowHint) events->OnShowHint(info.HintStr, canShow, info);
    if (!canShow || info.HintStr.IsEmpty()) return false;
    if (!hintWindow_) hintWindow_ = HintWindowClass(this);
    hintWindow_->SetColor(info.HintColor);
    TRect r = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    r = Bounds(info.HintPos.X, info.HintPos.Y, r.Width(), r.Height());
    hintWindow_->ActivateHintData(r, info.HintStr, info.HintData);
    hintActive_ = true;
    if (info.HideTimeout != hintHidePause_ && info.HideTimeout > 0) hintHidePause_ = info.HideTimeout;
    return true;
}

void TApplication::HideHint() {
    if (!hintActive_) return;
    hintActive_ = false;
    if (hintWindow_) hintWindow_->ReleaseHandle();
}

void TApplication::CancelHint() {
    HideHint();
    StopHintTimer();
    hintControl_ = nullptr;
}

void TApplication::ActivateHint(TPoint screenPos) {
    CancelHint();
    hintControl_ = FindDragTarget(screenPos, true);
    ShowCurrentHint();
}

void TApplication::BringToFront() {
    TCustomForm* form = Screen ? Screen->ActiveForm() : nullptr;
    if (!form) form = mainForm_;
    if (form) form->BringToFront();
}

// ---------------------------------------------------------------------------------------------
// TApplicationEvents

TApplicationEvents::TApplicationEvents(TComponent* owner) : TComponent(owner) {
    if (Application) Application->events_.push_back(this);
}

void TApplicationEvents::BeforeDestruction() {
    if (Application) {
        auto& list = Application->events_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    TComponent::BeforeDestruction();
}

// ---------------------------------------------------------------------------------------------
// TScreen and TMonitor

TRect TMonitor::BoundsRect() const {
    MONITORINFO info{sizeof(info), {}, {}, 0};
    GetMonitorInfoA(handle_, &info);
    return Rect(info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right,
                info.rcMonitor.bottom);
}

TRect TMonitor::WorkareaRect() const {
    MONITORINFO info{sizeof(info), {}, {}, 0};
    GetMonitorInfoA(handle_, &info);
    return Rect(info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom);
}

bool TMonitor::Primary() const {
    MONITORINFO info{sizeof(info), {}, {}, 0};
    GetMonitorInfoA(handle_, &info);
    return (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

void TScreen::BeforeDestruction() {
    for (TMonitor* monitor : monitors_) monitor->Free();
    monitors_.clear();
    TObject::Free(menuFont_);
    menuFont_ = nullptr;
    TComponent::BeforeDestruction();
}

void TScreen::SetCursor(TCursor value) {
    cursor_ = value;
    if (value != crDefault) {
        ::SetCursor(Cursors(value));
        return;
    }
    POINT p{};
    GetCursorPos(&p);
    HWND window = WindowFromPoint(p);
    if (window)
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)),
                                WM_MOUSEMOVE));
}

HCURSOR TScreen::Cursors(int index) {
    auto found = cursors_.find(index);
    if (found != cursors_.end()) return found->second;
    const char* id = IDC_ARROW;
    switch (index) {
    case crNone: return cursors_[index] = nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: case crVSplit: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: case crHSplit: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: case crSQLWait: id = IDC_WAIT; break;
    case crNoDrop: case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
    }
    HCURSOR cursor = LoadCursorA(nullptr, id);
    return cursors_[index] = cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW);
}

void TScreen::SetCursors(int index, HCURSOR cursor) { cursors_[index] = cursor; }

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }

int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

int TScreen::PixelsPerInch() const { return ScreenPixelsPerInch(); }

TFont* TScreen::MenuFont() {
    if (!menuFont_) {
        menuFont_ = new TFont();
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            menuFont_->SetHandle(CreateFontIndirectA(&metrics.lfMenuFont));
    }
    return menuFont_;
}

namespace {

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    try {
        reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(monitor);
        return TRUE;
    } catch (...) {
        Application->HandleException(nullptr);
        return FALSE;
    }
}

}  // namespace

TMonitor* TScreen::MonitorFor(HMONITOR handle) {
    for (TMonitor* monitor : monitors_)
        if (monitor->Handle() == handle) return monitor;
    monitors_.push_back(new TMonitor(handle));
    return monitors_.back();
}

int TScreen::MonitorCount() { return GetSystemMetrics(SM_CMONITORS); }

TMonitor* TScreen::Monitors(int index) {
    std::vector<HMONITOR> handles;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&handles));
    if (index < 0 || index >= static_cast<int>(handles.size()))
        throw EListError(Format("List index out of bounds (%d)", index));
    return MonitorFor(handles[index]);
}

TMonitor* TScreen::MonitorFromPoint(TPoint point) {
    return MonitorFor(::MonitorFromPoint({point.X, point.Y}, MONITOR_DEFAULTTONEAREST));
}

TMonitor* TScreen::MonitorFromWindow(HWND window) {
    return MonitorFor(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

TRect TScreen::WorkAreaRect() const {
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return Rect(r.left, r.top, r.right, r.bottom);
}

TRect TScreen::DesktopRect() const {
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return Bounds(x, y, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TWinControl* TScreen::ActiveControl() const {
    return activeForm_ ? activeForm_->ActiveControl() : nullptr;
}

void TScreen::AddForm(TCustomForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (activeForm_ == form) activeForm_ = nullptr;
}
