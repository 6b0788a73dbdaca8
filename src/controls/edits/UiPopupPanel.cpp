#include "UiPopupPanel.h"

#include <algorithm>

#include "UiThemeSrv.h"
#include "UiUtils.h"
#include "cl_forms.h"

// The drop-down window of one popup: it borrows the panel's children, runs its own message
// loop until the popup ends and gives the children back.
class TUiPopup : public TUiCustomPopup {
    CL_CLASS(TUiPopup, TUiCustomPopup)

    explicit TUiPopup(TUiPopupPanel* panel);

    // Drops down from `control`; true when the popup ended through Close.
    bool Popup(TControl* control, TAlignment alignment);
    // Ends the popup as a choice.
    void Close() {
        cancelled_ = false;
        ClosePopup();
    }
    void WndProc(TMessage& message) override;

protected:
    ~TUiPopup() override = default;
    void CreateParams(TCreateParams& params) override;

private:
    void ClosePopup() { PostMessageA(Handle(), CM_POPUPCLOSEUP, 0, 0); }
    static void MoveControls(TWinControl* source, TWinControl* destination);
    bool IsChildHandle(HWND window);
    // The panel's first enabled, visible windowed child: it receives every key.
    TWinControl* FirstKeyTarget();
    void Place(const TRect& anchor, TAlignment alignment);
    void RunLoop();
    void CleanUp();

    TUiPopupPanel* panel_;
    TWinControl* keyTarget_ = nullptr;
    bool cancelled_ = true;
};

namespace {

bool IsKeyboardMessage(UINT msg) { return msg >= WM_KEYDOWN && msg <= 0x108; }

bool IsMousePress(UINT msg) {
    switch (msg) {
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

// The control's rectangle on the screen.
TRect AnchorRect(TControl* control) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        RECT r;
        GetWindowRect(windowed->Handle(), &r);
        return ToTRect(r);
    }
    TRect bounds = control->BoundsRect();
    if (TWinControl* parent = control->Parent()) {
        const TPoint topLeft = parent->ClientToScreen(bounds.TopLeft());
        const TPoint bottomRight = parent->ClientToScreen(bounds.BottomRight());
        bounds = TRect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y);
    }
    return bounds;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

TUiCustomPopup::TUiCustomPopup(TComponent* owner) : TUiCustomPanel(owner) {
    SetBorderWidth(2);
    SetBorderOuter(fsPopup);
    SetFlatColorAdjustment(0);
    SetVisible(false);
}

void TUiCustomPopup::AdjustClientRect(TRect& rect) {
    TUiCustomPanel::AdjustClientRect(rect);
    FixClientRect(rect, false);
}

void TUiCustomPopup::AlignControls(TControl* control, TRect& rect) {
    AdjustClientRect(rect);
    TUiCustomPanel::AlignControls(control, rect);
}

void TUiCustomPopup::Paint() {
    TThemeServices* themes = ThemeServices();
    if (!themes->GetThemesEnabled()) return TUiCustomPanel::Paint();
    themes->DrawElement(Canvas()->Handle(),
                        TThemeServices::GetElementDetails(teEditTextDisabled), ClientRect());
}

// ---------------------------------------------------------------------------------------------

TUiPopupPanel::TUiPopupPanel(TComponent* owner) : TUiCustomPopup(owner) {
    SetAlignment(taRightJustify);
    SetBounds(Left(), Top(), 100, 100);
    ControlStyle.insert(csAcceptsControls);
    SetColor(clBtnFace);
    SetParentColor(false);
    SetAutoSize(true);
}

bool TUiPopupPanel::CanAutoSize(int& newWidth, int& newHeight) {
    int right = 0, bottom = 0;
    bool any = false;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (!child->Visible()) continue;
        any = true;
        right = std::max(right, child->Left() + child->Width());
        bottom = std::max(bottom, child->Top() + child->Height());
    }
    if (!any) return false;
    TRect inner(0, 0, Width(), Height());
    AdjustClientRect(inner);
    newWidth = right + Width() - inner.Right;
    newHeight = bottom + Height() - inner.Bottom;
    return true;
}

bool TUiPopupPanel::Popup(TControl* control) {
    if (Active()) return false;
    popupControl_ = control;
    TCustomForm* form = GetParentForm(this);
    const HWND focused = GetFocus();
    if (form) form->DisableAutoRange();
    struct Restore {
        TUiPopupPanel* panel;
        TCustomForm* form;
        HWND focused;
        ~Restore() {
            if (form) form->EnableAutoRange();
            if (Application->Active() && IsWindow(focused)) ::SetFocus(focused);
            panel->popupControl_ = nullptr;
            if (panel->popup_) TObject::Free(panel->popup_);
            panel->popup_ = nullptr;
        }
    } restore{this, form, focused};
    DoPopup();
    if (HandleAllocated()) DestroyHandle();
    AdjustSize();
    HandleNeeded();
    popup_ = new TUiPopup(this);
    const bool chosen = popup_->Popup(control, Alignment());
    DoClose();
    return chosen;
}

void TUiPopupPanel::Close(TObject*) {
    if (popup_) popup_->Close();
}

void TUiPopupPanel::DestroyWnd() {
    Close(this);
    TUiCustomPopup::DestroyWnd();
}

void TUiPopupPanel::DoClose() {
    if (OnClose) OnClose(this);
}

void TUiPopupPanel::DoPopup() {
    if (OnPopup) OnPopup(this);
}

void PlaceInPopupPanel(TUiPopupPanel* panel, TControl* child) {
    TRect inner(0, 0, panel->Width(), panel->Height());
    panel->AdjustClientRect(inner);
    child->SetParent(panel);
    child->SetLeft(inner.Left);
    child->SetTop(inner.Top);
    child->SetVisible(true);
}

// ---------------------------------------------------------------------------------------------

TUiPopup::TUiPopup(TUiPopupPanel* panel) : TUiCustomPopup(panel), panel_(panel) {
    SetVisible(false);
    SetParent(GetParentForm(panel));
    SetColor(panel->Color());
    Font()->Assign(panel->Font());
    SetCtl3D(false);
    SetHint(panel->Hint());
    SetShowHint(panel->ShowHint());
}

void TUiPopup::CreateParams(TCreateParams& params) {
    TUiCustomPopup::CreateParams(params);
    params.Style = WS_POPUP;
}

bool TUiPopup::Popup(TControl* control, TAlignment alignment) {
    popupControl_ = control;
    const TRect anchor = AnchorRect(control);
    HandleNeeded();
    keyTarget_ = FirstKeyTarget();
    MoveControls(panel_, this);
    ::SetFocus(panel_->Handle());
    Place(anchor, alignment);
    cancelled_ = true;
    try {
        RunLoop();
    } catch (...) {
        CleanUp();
        throw;
    }
    CleanUp();
    return !cancelled_;
}

void TUiPopup::Place(const TRect& anchor, TAlignment alignment) {
    const TRect bounds = panel_->BoundsRect();
    const int width = bounds.Width(), height = bounds.Height();
    int left = alignment == taLeftJustify    ? anchor.Left
               : alignment == taRightJustify ? anchor.Right - width
                                             : (anchor.Left + anchor.Right - width) / 2;
    int top = anchor.Bottom;
    const POINT corner = {left, top};
    const TRect work = GetMonitorWorkArea(MonitorFromPoint(corner, MONITOR_DEFAULTTONEAREST));
    if (left + width > work.Right) left = work.Right - width;
    if (top + height > work.Bottom) top = anchor.Top - height;
    if (left < work.Left) left = work.Left;
    if (top < work.Top) top = work.Top;
    SetBounds(left, top, width, height);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetVisible(true);
}

void TUiPopup::RunLoop() {
    while (!Application->Terminated()) {
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            Application->Idle();
        } else if (msg.message == WM_KILLFOCUS || msg.message == CM_POPUPCLOSEUP) {
            return;
        } else if (msg.message == WM_ACTIVATEAPP || msg.message == CM_DEACTIVATE) {
            return;
        } else if (IsMousePress(msg.message)) {
            if (!IsChildHandle(msg.hwnd)) {
                PeekMessageA(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
                return;
            }
            Application->HandleMessage();
        } else if (IsKeyboardMessage(msg.message)) {
            PeekMessageA(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
            SendMessageA(Handle(), msg.message, msg.wParam, msg.lParam);
        } else {
            Application->HandleMessage();
        }
    }
}

void TUiPopup::CleanUp() {
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    MoveControls(this, panel_);
    SetParent(nullptr);
}

void TUiPopup::MoveControls(TWinControl* source, TWinControl* destination) {
    for (int i = source->ControlCount() - 1; i >= 0; --i)
        source->Controls(i)->SetParent(destination);
}

bool TUiPopup::IsChildHandle(HWND window) {
    for (; window; window = GetParent(window))
        if (window == WindowHandle()) return true;
    return false;
}

TWinControl* TUiPopup::FirstKeyTarget() {
    for (int i = 0; i < panel_->ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(panel_->Controls(i));
        if (child && child->Enabled() && child->Visible()) return child;
    }
    return nullptr;
}

void TUiPopup::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_MOUSEACTIVATE:
        message.Result = MA_NOACTIVATE;
        return;
    case WM_NCACTIVATE:
        message.Result = 0;
        return;
    case WM_SYSCOMMAND:
        ClosePopup();
        return;
    case CM_POPUPCLOSEUP:
        return;  // the loop has seen it; the panel frees this window after the loop
    default:
        break;
    }
    if (IsKeyboardMessage(message.Msg)) {
        if (message.WParam == VK_ESCAPE) ClosePopup();
        if (keyTarget_) return keyTarget_->WindowProc(message);
    }
    TUiCustomPopup::WndProc(message);
}
