#include "UiEdit.h"

#include "UiThemeSrv.h"
#include "cl_sys.h"

namespace {

using TFramedEdit = TUiFramedControl<TCustomMaskEdit>;

bool IsWindows40() { return Win32MajorVersion == 4 && Win32MinorVersion == 0; }

int ButtonWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

// Sets a flag for the life of the guard.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagGuard() { flag_ = false; }

private:
    bool& flag_;
};

const bool editPropertiesRegistered = [] {
    using C = TUiEdit;
    const TMetaClass* meta = C::StaticClass();
    RegisterFramedProperties<C>(fpubReadOnlyColors | fpubNotifications);
    RegisterProperty(meta, EnumProperty<C>("Alignment", &C::Alignment, &C::SetAlignment,
                                           {"taLeftJustify", "taRightJustify", "taCenter"},
                                           taLeftJustify));
    RegisterProperty(meta, OrdinalProperty<C>("TabOnEnter", pkBool, &C::TabOnEnter,
                                              &C::SetTabOnEnter, 0));
    RegisterProperty(meta, OrdinalProperty<C>("ReadOnly", pkBool, &C::GetReadOnly,
                                              &C::SetReadOnly, 0));
    RegisterProperty(meta, StringProperty<C>("Text", &C::GetText, &C::SetText));
    return true;
}();

}  // namespace

TUiCustomEdit::TUiCustomEdit(TComponent* owner) : TFramedEdit(owner) {
    ControlStyle.insert(csCaptureMouse);
    ControlStyle.erase(csSetCaption);
    SetBounds(0, 0, 121, 21);
}

void TUiCustomEdit::SetDropButtonVisible(bool value) {
    if (value == dropButtonVisible_) return;
    dropButtonVisible_ = value;
    RecreateWnd();
}

void TUiCustomEdit::SetFlatButtons(bool value) {
    if (value == flatButtons_) return;
    flatButtons_ = value;
    RepaintButton();
}

void TUiCustomEdit::SetReadOnly(bool readOnly) {
    if (readOnly == ReadOnly()) return;
    TCustomMaskEdit::SetReadOnly(readOnly);
    ReadOnlyChanged();
}

void TUiCustomEdit::ReadOnlyChanged() {
    if (ReadOnly())
        HideButton();
    else
        ShowButton();
    UpdateColors();
    RepaintButton();
}

void TUiCustomEdit::InvalidKeyPressed() {
    if (beepOnInvalidKey_) MessageBeep(0);
}

void TUiCustomEdit::SetButtonState(TButtonState state) {
    if (!dropButtonVisible_ || state == buttonState_) return;
    buttonState_ = state;
    RepaintButton();
}

void TUiCustomEdit::RepaintButton() {
    if (HandleAllocated()) SendMessageA(WindowHandle(), WM_NCPAINT, 0, 0);
}

void TUiCustomEdit::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TUiCustomEdit::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TUiCustomEdit::DoDropDown() {
    if (!dropButtonVisible_) return;
    TFlagGuard dropping(droppedDown_);
    SetMouseCapture(true);
    SetButtonState(bsDown);
    DropDown();
    CloseUp();
    SetButtonState(bsUp);
}

void TUiCustomEdit::MouseCancel() {
    if (!droppedDown_) SetButtonState(bsUp);
    if (HandleAllocated() && GetCapture() == WindowHandle()) ReleaseCapture();
}

void TUiCustomEdit::UpdateFrame(bool byMouse, bool value) {
    (byMouse ? overControl_ : inControl_) = value;
    if (dropButtonVisible_) {
        if ((flatButtons_ || FrameHotTrack() || VisualStylesEnabled()) && buttonState_ != bsDown &&
            HandleAllocated()) {
            TRect r = ClientRect();
            if (!FrameHotTrack()) r = TRect(r.Right - 2, r.Top, r.Right + ButtonWidth(), r.Bottom);
            const RECT update = ToRECT(r);
            RedrawWindow(WindowHandle(), &update, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_FRAME);
        }
    } else if (FrameHotTrack()) {
        RepaintFrame();
    }
    UpdateColors();
}

TRect TUiCustomEdit::ButtonRect(const TRect& window) const {
    return TRect(window.Right - ButtonWidth(), window.Top, window.Right, window.Bottom);
}

void TUiCustomEdit::PaintDropButton() {
    TWindowDC dc(WindowHandle());
    TCanvasBinding binding(canvas_, dc.Handle());
    TRect r(0, 0, Width(), Height());
    if (BorderStyle() == bsSingle) {
        const int inset = VisualStylesEnabled() ? 1 : 2;
        r = TRect(r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset);
        IntersectClipRect(dc.Handle(), r.Left, r.Top, r.Right, r.Bottom);
    }
    const TRect column = ButtonRect(r);
    TRect button = column;
    DrawButton(canvas_, button);
    ExcludeClipRect(dc.Handle(), button.Left, button.Top, button.Right, button.Bottom);
    canvas_->FillRect(column);
}

void TUiCustomEdit::DrawButton(TCanvas* canvas, const TRect& rect) {
    const bool hot = inControl_ || overControl_;
    const bool down = buttonState_ == bsDown;
    if (VisualStylesEnabled()) {
        if (flatButtons_ && !hot) {
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(rect);
            return DrawDropDownArrow(canvas, rect, uiWindowsXP, false, Enabled());
        }
        const TThemedComboBox part = !Enabled() ? tcDropDownButtonDisabled
                                     : down     ? tcDropDownButtonPressed
                                     : hot      ? tcDropDownButtonHot
                                                : tcDropDownButtonNormal;
        return ThemeServices()->DrawElement(canvas->Handle(),
                                            TThemeServices::GetElementDetails(part), rect);
    }
    if (!flatButtons_) {
        UINT state = DFCS_SCROLLCOMBOBOX;
        if (down) state |= DFCS_PUSHED | DFCS_FLAT;
        if (!Enabled()) state |= DFCS_INACTIVE;
        canvas->Brush()->SetColor(clBtnFace);
        RECT r = ToRECT(rect);
        DrawFrameControl(canvas->Handle(), &r, DFC_SCROLL, state);
        return;
    }
    TRect inside = rect;
    if (hot) {
        canvas->Brush()->SetColor(flatButtonColor_);
        if (flatButtonColor_ == clBtnFace)
            inside = down ? DrawBevel(canvas, rect, clBtnShadow, clBtnHighlight, 1, AllSides)
                          : DrawBevel(canvas, rect, clBtnHighlight, clBtnShadow, 1, AllSides);
        else
            inside = DrawColorBorder(canvas, rect, flatButtonColor_, down ? fsStatus : fsPopup);
    } else {
        canvas->Brush()->SetColor(StateColor(ColorState()));
    }
    canvas->FillRect(inside);
    DrawDropDownArrow(canvas, inside, uiWindows95, hot && down, Enabled());
}

void TUiCustomEdit::CreateParams(TCreateParams& params) {
    TFramedEdit::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    if (Alignment() == taRightJustify) params.Style |= ES_RIGHT;
    params.Style &= ~static_cast<DWORD>(ES_MULTILINE);
}

void TUiCustomEdit::ValidateError() {
    if (OnValidateError) {
        AnsiString message;
        OnValidateError(this, message);
        if (!message.IsEmpty()) throw EDBEditError(message);
    }
    TCustomMaskEdit::ValidateError();
}

void TUiCustomEdit::KeyPress(char& key) {
    if (tabOnEnter_ && key == '\r') {
        key = 0;
        PostMessageA(WindowHandle(), WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    if (Alignment() == taRightJustify && IsWindows40() && key == '\r') {
        key = 0;
        return;
    }
    TCustomMaskEdit::KeyPress(key);
}

void TUiCustomEdit::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomMaskEdit::KeyDown(key, shift);
    if (dropButtonVisible_ && key == VK_DOWN && shift == TShiftState{ssAlt}) {
        DoDropDown();
        key = 0;
    }
}

bool TUiCustomEdit::HandleButtonMouse(TMessage& message) {
    if (!mouseOverButton_) return false;
    if (message.Msg != WM_RBUTTONDOWN) {
        if (!Focused()) SetFocus();
        DoDropDown();
    }
    message.Result = 0;
    return true;
}

void TUiCustomEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_NCCALCSIZE:
        if (dropButtonVisible_) {
            auto* proposed = reinterpret_cast<RECT*>(message.LParam);
            proposed->right -= ButtonWidth() - (VisualStylesEnabled() ? 1 : 0);
        }
        return TFramedEdit::Dispatch(message);
    case WM_NCHITTEST:
        TFramedEdit::Dispatch(message);
        mouseOverButton_ = dropButtonVisible_ && message.Result == HTNOWHERE;
        if (mouseOverButton_) message.Result = HTCLIENT;
        return;
    case WM_NCPAINT:
        TFramedEdit::Dispatch(message);
        if (dropButtonVisible_ && canvas_ && HandleAllocated()) {
            PaintDropButton();
            message.Result = 0;
        }
        return;
    case WM_SETCURSOR:
        if (mouseOverButton_)
            message.LParam = MAKELPARAM(HTNOWHERE, HIWORD(message.LParam));
        return TFramedEdit::Dispatch(message);
    case WM_LBUTTONDOWN:
        if (HandleButtonMouse(message)) return;
        TFramedEdit::Dispatch(message);
        if (!Focused()) MouseCancel();
        return;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
        if (HandleButtonMouse(message)) return;
        return TFramedEdit::Dispatch(message);
    case WM_LBUTTONUP:
        MouseCancel();
        return TFramedEdit::Dispatch(message);
    case WM_KILLFOCUS:
        TFramedEdit::Dispatch(message);
        return MouseCancel();
    default:
        TFramedEdit::Dispatch(message);
    }
}
