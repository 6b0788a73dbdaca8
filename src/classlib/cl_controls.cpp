#include "cl_controls.h"

#include <algorithm>
#include <map>

#include "cl_docking.h"
#include "cl_dragging.h"
#include "cl_extctrls.h"
#include "cl_filer.h"
#include "cl_forms.h"
#include "cl_menus.h"
#include "cl_sys.h"

TControlActionLinkClass DefaultControlActionLinkClass;
TMenuHooks MenuHooks;

LRESULT CALLBACK ControlWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {

TMouse mouseObject;

// The control whose window is being created; the first message of the new window takes it.
thread_local TWinControl* creatingControl = nullptr;
TControl* captureControl = nullptr;
TControl* mouseControl = nullptr;

const char* ControlPropertyName() {
    static const AnsiString name = "ClassLib.Control." + IntToStr(static_cast<int>(GetCurrentProcessId()));
    return name.c_str();
}

HINSTANCE ModuleInstance() { return GetModuleHandleA(nullptr); }

// Registers (once) the window class for a control: our procedure over the class described by
// `params`, named after the base class and the class style.
AnsiString RegisterControlClass(const TCreateParams& params) {
    AnsiString name = "ClassLib." + params.WinClassName + "." +
                      IntToHex(static_cast<int>(params.WindowClass.style), 4);
    WNDCLASSA existing{};
    if (GetClassInfoA(ModuleInstance(), name.c_str(), &existing)) return name;
    WNDCLASSA wc = params.WindowClass;
    wc.lpfnWndProc = ControlWindowProc;
    wc.hInstance = ModuleInstance();
    wc.lpszClassName = name.c_str();
    wc.lpszMenuName = nullptr;
    wc.style &= ~CS_GLOBALCLASS;
    if (!RegisterClassA(&wc)) RaiseLastOSError();
    return name;
}

UINT NextControlId() {
    static UINT next = 100;
    if (++next >= 0xFFF0) next = 101;
    return next;
}

void HandleBarrierException(TObject* sender) {
    try {
        if (Application) Application->HandleException(sender);
    } catch (...) {
        // Nothing may leave a window procedure.
    }
}

bool IsMouseButtonMessage(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

bool IsButtonDown(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
           msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

// A floating window's client area takes the rectangle's size, its frame starting at its corner.
void PlaceFloatingHost(TWinControl* host, const TRect& rect) {
    host->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    host->SetClientWidth(rect.Width());
    host->SetClientHeight(rect.Height());
}

bool IsWindowedControl(const TControl* control) {
    return dynamic_cast<const TWinControl*>(control) != nullptr;
}

// The window's own show state: IsWindowVisible is false for any child of a hidden window.
bool HasVisibleStyle(HWND window) {
    return (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Windows of the calling thread that a modal window or box disables meanwhile.
BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
    try {
        if (IsWindowVisible(window) && IsWindowEnabled(window))
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    } catch (...) {
        HandleBarrierException(nullptr);
        return FALSE;
    }
}

}  // namespace

TMouse* Mouse = &mouseObject;

namespace {

// The published properties of every control, for the component streams.
const bool controlPropertiesRegistered = [] {
    RegisterProperty(TComponent::StaticClass(),
                     OrdinalProperty<TComponent>("Tag", pkInteger, &TComponent::Tag,
                                                 &TComponent::SetTag, 0));
    const TMetaClass* control = TControl::StaticClass();
    RegisterProperty(control, OrdinalProperty<TControl>("Left", pkInteger, &TControl::Left,
                                                        &TControl::SetLeft));
    RegisterProperty(control, OrdinalProperty<TControl>("Top", pkInteger, &TControl::Top,
                                                        &TControl::SetTop));
    RegisterProperty(control, OrdinalProperty<TControl>("Width", pkInteger, &TControl::Width,
                                                        &TControl::SetWidth));
    RegisterProperty(control, OrdinalProperty<TControl>("Height", pkInteger, &TControl::Height,
                                                        &TControl::SetHeight));
    RegisterProperty(control, EnumProperty<TControl>(
                                  "Align", &TControl::Align, &TControl::SetAlign,
                                  {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient",
                                   "alCustom"},
                                  alNone));
    RegisterProperty(control, StringProperty<TControl>("Caption", &TControl::GetText,
                                                       &TControl::SetText));
    RegisterProperty(control, OrdinalProperty<TControl>("Visible", pkBool, &TControl::Visible,
                                                        &TControl::SetVisible, 1));
    RegisterProperty(control, OrdinalProperty<TControl>("Enabled", pkBool, &TControl::Enabled,
                                                        &TControl::SetEnabled, 1));
    RegisterProperty(control, OrdinalProperty<TControl>("ParentColor", pkBool,
                                                        &TControl::ParentColor,
                                                        &TControl::SetParentColor, 0));
    TPropertyInfo color =
        OrdinalProperty<TControl>("Color", pkColor, &TControl::Color, &TControl::SetColor);
    color.IsStored = [](TObject* o) { return !static_cast<TControl*>(o)->ParentColor(); };
    RegisterProperty(control, color);
    RegisterProperty(control, OrdinalProperty<TControl>("ParentFont", pkBool,
                                                        &TControl::ParentFont,
                                                        &TControl::SetParentFont, 1));
    TPropertyInfo font = SubObjectProperty<TControl>("Font", &TControl::Font);
    font.IsStored = [](TObject* o) { return !static_cast<TControl*>(o)->ParentFont(); };
    RegisterProperty(control, font);
    RegisterProperty(control, StringProperty<TControl>("Hint", &TControl::Hint,
                                                       &TControl::SetHint));
    RegisterProperty(control, OrdinalProperty<TControl>("ShowHint", pkBool, &TControl::ShowHint,
                                                        &TControl::SetShowHint, 0));
    RegisterProperty(control, OrdinalProperty<TControl>("Cursor", pkInteger, &TControl::Cursor,
                                                        &TControl::SetCursor, crDefault));
    RegisterProperty(control, ComponentProperty<TControl, TPopupMenu>(
                                  "PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu));
    RegisterProperty(TWinControl::StaticClass(),
                     OrdinalProperty<TWinControl>("TabStop", pkBool, &TWinControl::TabStop,
                                                  &TWinControl::SetTabStop, 0));
    return true;
}();

}  // namespace

LRESULT CALLBACK ControlWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* control = static_cast<TWinControl*>(GetPropA(window, ControlPropertyName()));
    if (!control) {
        control = creatingControl;
        if (!control) return DefWindowProcA(window, msg, wParam, lParam);
        creatingControl = nullptr;
        control->AttachHandle(window);
    }
    TMessage message{msg, wParam, lParam, 0};
    const LRESULT result = CallControlWindowProc(control, message);
    if (msg == WM_NCDESTROY) {
        RemovePropA(window, ControlPropertyName());
        if (control->handle_ == window) control->handle_ = nullptr;
    }
    return result;
}

LRESULT CallControlWindowProc(TControl* control, TMessage& message) {
    try {
        control->WindowProc(message);
    } catch (...) {
        HandleBarrierException(control);
    }
    return message.Result;
}

std::vector<HWND> DisableTaskWindows(HWND except) {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow,
                      reinterpret_cast<LPARAM>(&windows));
    windows.erase(std::remove(windows.begin(), windows.end(), except), windows.end());
    for (HWND window : windows) EnableWindow(window, FALSE);
    return windows;
}

void EnableTaskWindows(const std::vector<HWND>& windows) {
    for (HWND window : windows)
        if (IsWindow(window)) EnableWindow(window, TRUE);
}

LPARAM PointToLParam(TPoint point) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(point.X)),
                      static_cast<WORD>(static_cast<short>(point.Y)));
}

// ---------------------------------------------------------------------------------------------
// TSizeConstraints

void TSizeConstraints::SetMinWidth(int value) {
    if (value == minWidth_) return;
    minWidth_ = value;
    if (maxWidth_ > 0 && maxWidth_ < minWidth_) maxWidth_ = minWidth_;
    Change();
}

void TSizeConstraints::SetMinHeight(int value) {
    if (value == minHeight_) return;
    minHeight_ = value;
    if (maxHeight_ > 0 && maxHeight_ < minHeight_) maxHeight_ = minHeight_;
    Change();
}

void TSizeConstraints::SetMaxWidth(int value) {
    if (value == maxWidth_) return;
    maxWidth_ = value;
    if (maxWidth_ > 0 && minWidth_ > maxWidth_) minWidth_ = maxWidth_;
    Change();
}

void TSizeConstraints::SetMaxHeight(int value) {
    if (value == maxHeight_) return;
    maxHeight_ = value;
    if (maxHeight_ > 0 && minHeight_ > maxHeight_) minHeight_ = maxHeight_;
    Change();
}

void TSizeConstraints::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TSizeConstraints*>(source);
    if (!other) return TPersistent::Assign(source);
    minWidth_ = other->minWidth_;
    minHeight_ = other->minHeight_;
    maxWidth_ = other->maxWidth_;
    maxHeight_ = other->maxHeight_;
    Change();
}

void TSizeConstraints::Change() {
    if (control_) control_->SetBounds(control_->Left(), control_->Top(), control_->Width(),
                                      control_->Height());
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TControlCanvas

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* control) {
    if (control_ == control) return;
    FreeHandle();
    control_ = control;
}

void TControlCanvas::FreeHandle() {
    if (!ownDC_) return;
    HDC dc = ownDC_;
    HWND window = ownWindow_;
    ownDC_ = nullptr;
    ownWindow_ = nullptr;
    SetHandle(nullptr);
    ReleaseDC(window, dc);
}

void TControlCanvas::BindDC(HDC dc) {
    FreeHandle();
    SetHandle(dc);
}

void TControlCanvas::CreateHandle() {
    if (!control_) return;
    if (auto* windowed = dynamic_cast<TWinControl*>(control_)) {
        ownWindow_ = windowed->Handle();
        ownDC_ = GetDCEx(ownWindow_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    } else {
        TWinControl* parent = control_->Parent();
        if (!parent) return;
        ownWindow_ = parent->Handle();
        ownDC_ = GetDCEx(ownWindow_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
        SetViewportOrgEx(ownDC_, control_->Left(), control_->Top(), nullptr);
        IntersectClipRect(ownDC_, 0, 0, control_->Width(), control_->Height());
    }
    SetHandle(ownDC_);
}

// ---------------------------------------------------------------------------------------------
// TDragObject

TCursor TDragObject::GetDragCursor(bool accepted, int, int) {
    return accepted ? (Control ? Control->DragCursor() : crDrag) : crNoDrop;
}

void TDragObject::Finished(TObject*, int, int, bool) {}

// ---------------------------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = [this](TMessage& message) { WndProc(message); };
    ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    font_ = new TFont();
    font_->OnChange = [this](TObject* sender) { FontChanged(sender); };
    constraints_ = new TSizeConstraints(this);
}

TControl::~TControl() {
    delete constraints_;
    delete font_;
}

void TControl::BeforeDestruction() {
    ForgetDragControl(this);
    if (mouseControl == this) mouseControl = nullptr;
    if (captureControl == this) {
        captureControl = nullptr;
        ReleaseCapture();
    }
    if (Application && Application->HintControl() == this) Application->CancelHint();
    if (hostDockSite_) hostDockSite_->ForgetDockClient(this);
    if (parent_) parent_->RemoveControl(this);
    TObject::Free(actionLink_);
    actionLink_ = nullptr;
    TComponent::BeforeDestruction();
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (static_cast<TComponent*>(popupMenu_) == component) popupMenu_ = nullptr;
    if (static_cast<TComponent*>(action_) == component) SetAction(nullptr);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    ApplyConstraints(width, height);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool resized = width != width_ || height != height_;
    InvalidateControl(visible_, ControlStyle.count(csOpaque) != 0);
    SetBoundsFields(left, top, width, height);
    InvalidateControl(visible_, ControlStyle.count(csOpaque) != 0);
    RememberAnchorBase();
    RequestAlign();
    if (resized) Resize();
}

void TControl::SetBoundsFields(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void TControl::ApplyConstraints(int& width, int& height) {
    int minW = constraints_->MinWidth(), minH = constraints_->MinHeight();
    int maxW = constraints_->MaxWidth(), maxH = constraints_->MaxHeight();
    ConstrainedResize(minW, minH, maxW, maxH);
    if (maxW > 0 && width > maxW) width = maxW;
    if (maxH > 0 && height > maxH) height = maxH;
    if (width < minW) width = minW;
    if (height < minH) height = minH;
}

void TControl::ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight) {
    if (OnConstrainedResize) OnConstrainedResize(this, minWidth, minHeight, maxWidth, maxHeight);
}

void TControl::RememberAnchorBase() {
    if (!parent_ || parent_->aligning_) return;
    if (anchors_ == TAnchors{akLeft, akTop}) {
        anchorBaseValid_ = false;
        return;
    }
    const TRect client = parent_->GetClientRect();
    anchorBounds_ = BoundsRect();
    anchorParentSize_ = {client.Width(), client.Height()};
    anchorBaseValid_ = true;
}

TRect TControl::GetClientRect() { return Rect(0, 0, width_, height_); }

void TControl::SetClientWidth(int value) { SetWidth(value + width_ - ClientWidth()); }

void TControl::SetClientHeight(int value) { SetHeight(value + height_ - ClientHeight()); }

void TControl::SetClientSize(int width, int height) {
    SetClientWidth(width);
    SetClientHeight(height);
}

TPoint TControl::ClientOrigin() {
    auto* windowed = dynamic_cast<TWinControl*>(this);
    if (windowed && windowed->HandleAllocated()) {
        POINT origin{0, 0};
        ::ClientToScreen(windowed->WindowHandle(), &origin);
        return {origin.x, origin.y};
    }
    if (!parent_) return {left_, top_};
    TPoint origin = parent_->ClientOrigin();
    return {origin.X + left_, origin.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint point) {
    TPoint origin = ClientOrigin();
    return {point.X + origin.X, point.Y + origin.Y};
}

TPoint TControl::ScreenToClient(TPoint point) {
    TPoint origin = ClientOrigin();
    return {point.X - origin.X, point.Y - origin.Y};
}

void TControl::BringToFront() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    Invalidate();
}

void TControl::SendToBack() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    Invalidate();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent_ == parent) return;
    if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::Show() {
    if (parent_) parent_->ShowControl(this);
    SetVisible(true);
}

void TControl::SendCancelMode(TControl* sender) {
    for (TControl* control = this; control; control = control->parent_)
        if (auto* form = dynamic_cast<TCustomForm*>(control)) form->SendCancelMode(sender);
}

void TControl::FlipChildren(bool) {}

bool TControl::ManualDock(TWinControl* newDockSite, TControl* dropControl, TAlign controlSide) {
    const TPoint origin = parent_ ? ClientToScreen({0, 0}) : TPoint(left_, top_);
    if (!newDockSite) return ManualFloat(Bounds(origin.X, origin.Y, width_, height_));
    TRect influence;
    const TRect site = newDockSite->ClientRect();
    const TPoint siteOrigin = newDockSite->ClientToScreen({0, 0});
    TDragDockObject source(this);
    source.DropOnControl = dropControl;
    source.DropAlign = controlSide;
    source.DockRect = Bounds(siteOrigin.X, siteOrigin.Y, site.Width(), site.Height());
    const TPoint center = {(source.DockRect.Left + source.DockRect.Right) / 2,
                           (source.DockRect.Top + source.DockRect.Bottom) / 2};
    bool canDock = true;
    newDockSite->GetSiteInfo(this, influence, center, canDock);
    if (!canDock) return false;
    bool accept = true;
    const TPoint local = newDockSite->ScreenToClient(center);
    newDockSite->DockOver(&source, local.X, local.Y, dsDragMove, accept);
    if (!accept) return false;
    TCMDockClient info{&source, center};
    newDockSite->Perform(CM_DOCKCLIENT, 0, reinterpret_cast<LPARAM>(&info));
    if (hostDockSite_ != newDockSite) return false;
    if (OnEndDock) OnEndDock(this, newDockSite, local.X, local.Y);
    return true;
}

bool TControl::ManualFloat(const TRect& screenRect) {
    if (auto* form = dynamic_cast<TCustomForm*>(this)) {
        if (hostDockSite_) Dock(nullptr, screenRect);
        if (hostDockSite_) return false;
        form->SetParent(nullptr);
        form->SetBoundsRect(screenRect);
        form->Show();
        return true;
    }
    if (hostDockSite_ && hostDockSite_->InheritsFrom(TFloatingDockForm::StaticClass())) {
        PlaceFloatingHost(hostDockSite_, screenRect);
        return true;
    }
    TOwnedPtr<TFloatingDockForm> host(new TFloatingDockForm(Owner()));
    PlaceFloatingHost(host.get(), screenRect);
    Dock(host.get(), Rect(0, 0, screenRect.Width(), screenRect.Height()));
    if (hostDockSite_ != host.get()) return false;
    host.release()->Show();
    return true;
}

void TControl::Dock(TWinControl* newDockSite, const TRect& rect) {
    TWinControl* previous = hostDockSite_;
    if (previous && previous != newDockSite && !previous->DoUnDock(newDockSite, this)) return;
    if (previous != newDockSite) {
        if (previous) {
            auto& clients = previous->dockClients_;
            clients.erase(std::remove(clients.begin(), clients.end(), this), clients.end());
        }
        if (newDockSite) newDockSite->dockClients_.push_back(this);
    }
    hostDockSite_ = newDockSite;
    if (newDockSite) newDockSite->DoAddDockClient(this, rect);
    if (previous && previous != newDockSite) previous->DoRemoveDockClient(this);
}

bool TControl::Floating() const {
    if (hostDockSite_) return hostDockSite_->InheritsFrom(TFloatingDockForm::StaticClass());
    return !parent_ && dynamic_cast<const TCustomForm*>(this) != nullptr;
}

void TControl::SetVisible(bool value) {
    if (visible_ == value) return;
    if (!value) InvalidateControl(true, false);
    visible_ = value;
    Perform(CM_VISIBLECHANGED, value);
    VisibleChanged();
    RequestAlign();
    if (value) InvalidateControl(true, false);
    if (hostDockSite_) hostDockSite_->NotifyDockClientChange(this, CM_VISIBLECHANGED, value, 0);
}

void TControl::VisibleChanged() {}

void TControl::SetEnabled(bool value) {
    if (enabled_ == value) return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor value) {
    parentColor_ = false;
    if (color_ == value) return;
    color_ = value;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (parentColor_ == value) return;
    parentColor_ = value;
    if (value && parent_) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool value) {
    if (parentFont_ == value) return;
    parentFont_ = value;
    if (value && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged(TObject*) {
    parentFont_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetShowHint(bool value) {
    parentShowHint_ = false;
    if (showHint_ == value) return;
    showHint_ = value;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
    if (parentShowHint_ == value) return;
    parentShowHint_ = value;
    if (value && parent_) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor value) {
    if (cursor_ == value) return;
    cursor_ = value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* value) {
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = value;
    if (value) value->FreeNotification(this);
}

void TControl::SetAlign(TAlign value) {
    if (align_ == value) return;
    align_ = value;
    RequestAlign();
}

void TControl::SetAnchors(const TAnchors& value) {
    anchors_ = value;
    RememberAnchorBase();
}

void TControl::SetAutoSize(bool value) {
    if (autoSize_ == value) return;
    autoSize_ = value;
    if (value) AdjustSize();
}

bool TControl::CanAutoSize(int&, int&) { return true; }

void TControl::AdjustSize() {
    int width = width_, height = height_;
    if (autoSize_ && CanAutoSize(width, height)) SetBounds(left_, top_, width, height);
}

AnsiString TControl::GetText() { return GetTextBuf(); }

int TControl::GetTextLen() { return static_cast<int>(Perform(WM_GETTEXTLENGTH)); }

AnsiString TControl::GetTextBuf() {
    const int length = GetTextLen();
    std::string buffer(length + 1, '\0');
    const int copied = static_cast<int>(
        Perform(WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&buffer[0])));
    buffer.resize(std::max(0, std::min(copied, length)));
    return AnsiString(std::move(buffer));
}

void TControl::SetTextBuf(const AnsiString& text) {
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TControl::SetText(const AnsiString& value) {
    if (GetText() == value) return;
    SetTextBuf(value);
    Perform(CM_TEXTCHANGED);
    if (hostDockSite_)
        hostDockSite_->NotifyDockClientChange(this, WM_SETTEXT, 0,
                                              reinterpret_cast<LPARAM>(value.c_str()));
}

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
    if (!isVisible || !parent_ || !parent_->HandleAllocated() || IsWindowedControl(this)) return;
    RECT area = {left_, top_, left_ + width_, top_ + height_};
    InvalidateRect(parent_->WindowHandle(), &area, !isOpaque);
}

void TControl::Invalidate() { InvalidateControl(visible_, ControlStyle.count(csOpaque) != 0); }

void TControl::Repaint() {
    if (!visible_ || !parent_ || !parent_->HandleAllocated()) return;
    Invalidate();
    UpdateWindow(parent_->WindowHandle());
}

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::RequestAlign() {
    if (parent_ && !parent_->aligning_) parent_->Realign();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    WindowProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message) {
    const bool mouse = message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST &&
                       message.Msg != WM_MOUSEWHEEL;
    if (mouse)
        NoteMouseMessage(ClientToScreen(message.Pos()), (message.WParam & MK_LBUTTON) != 0);
    if (!IsWindowedControl(this) && DragMessage(this, message)) return;
    if (IsButtonDown(message.Msg) && ControlStyle.count(csCaptureMouse)) SetMouseCapture(true);
    if (message.Msg == WM_MOUSEMOVE && Application) Application->HintMouseMessage(this, message);
    if (IsMouseButtonMessage(message.Msg) && IsButtonDown(message.Msg) && Application)
        Application->CancelHint();
    Dispatch(message);
    if (IsMouseButtonMessage(message.Msg) && !IsButtonDown(message.Msg) && captureControl == this)
        SetMouseCapture(false);
    if ((message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) &&
        dragMode_ == dmAutomatic && !InState(csDesigning))
        BeginDrag(false);
}

void TControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN: return HandleMouseButton(message, mbLeft, true, false);
    case WM_LBUTTONDBLCLK: return HandleMouseButton(message, mbLeft, true, true);
    case WM_LBUTTONUP: return HandleMouseButton(message, mbLeft, false, false);
    case WM_RBUTTONDOWN: return HandleMouseButton(message, mbRight, true, false);
    case WM_RBUTTONDBLCLK: return HandleMouseButton(message, mbRight, true, true);
    case WM_RBUTTONUP: return HandleMouseButton(message, mbRight, false, false);
    case WM_MBUTTONDOWN: return HandleMouseButton(message, mbMiddle, true, false);
    case WM_MBUTTONDBLCLK: return HandleMouseButton(message, mbMiddle, true, true);
    case WM_MBUTTONUP: return HandleMouseButton(message, mbMiddle, false, false);
    case WM_MOUSEMOVE:
        DefaultHandler(message);
        MouseMove(KeysToShiftState(message.Keys()), message.XPos(), message.YPos());
        return;
    case WM_MOUSEWHEEL: {
        TPoint pos = {message.XPos(), message.YPos()};
        if (DoMouseWheel(KeysToShiftState(LOWORD(message.WParam)), message.WheelDelta(), pos))
            message.Result = 1;
        else
            DefaultHandler(message);
        return;
    }
    case CM_HITTEST:
        message.Result = HTCLIENT;
        return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        Invalidate();
        return;
    case CM_PARENTCOLORCHANGED:
        if (parentColor_ && parent_) {
            SetColor(parent_->Color());
            parentColor_ = true;
        }
        return;
    case CM_PARENTFONTCHANGED:
        if (parentFont_ && parent_) {
            font_->Assign(parent_->Font());
            parentFont_ = true;
        }
        return;
    case CM_PARENTSHOWHINTCHANGED:
        if (parentShowHint_ && parent_) {
            SetShowHint(parent_->ShowHint());
            parentShowHint_ = true;
        }
        return;
    default:
        DefaultHandler(message);
    }
}

void TControl::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
    case WM_GETTEXTLENGTH:
        message.Result = text_.Length();
        return;
    case WM_GETTEXT: {
        if (message.WParam == 0) return;
        const size_t count = std::min<size_t>(text_.Length(), message.WParam - 1);
        char* target = reinterpret_cast<char*>(message.LParam);
        std::copy(text_.c_str(), text_.c_str() + count, target);
        target[count] = '\0';
        message.Result = static_cast<LRESULT>(count);
        return;
    }
    case WM_SETTEXT:
        text_ = reinterpret_cast<const char*>(message.LParam);
        message.Result = TRUE;
        return;
    default:
        return;
    }
}

void TControl::HandleMouseButton(TMessage& message, TMouseButton button, bool down, bool dbl) {
    if (button == mbLeft && down) {
        SendCancelMode(this);
        ControlState.insert(csLButtonDown);
    } else if (button == mbLeft) {
        ControlState.erase(csLButtonDown);
    }
    DefaultHandler(message);
    TShiftState shift = KeysToShiftState(message.Keys());
    const int x = message.XPos(), y = message.YPos();
    if (down) {
        if (button == mbLeft && ControlStyle.count(csClickEvents)) ControlState.insert(csClicked);
        if (dbl) shift.insert(ssDouble);
        MouseDown(button, shift, x, y);
        if (dbl && ControlStyle.count(csClickEvents)) DblClick();
        return;
    }
    const bool clicked = button == mbLeft && ControlState.count(csClicked);
    if (button == mbLeft) ControlState.erase(csClicked);
    if (clicked && x >= 0 && y >= 0 && x < width_ && y < height_) Click();
    MouseUp(button, shift, x, y);
}

TShiftState TControl::KeysToShiftState(UINT keys) {
    TShiftState shift;
    if (keys & MK_SHIFT) shift.insert(ssShift);
    if (keys & MK_CONTROL) shift.insert(ssCtrl);
    if (keys & MK_LBUTTON) shift.insert(ssLeft);
    if (keys & MK_RBUTTON) shift.insert(ssRight);
    if (keys & MK_MBUTTON) shift.insert(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) shift.insert(ssAlt);
    return shift;
}

TShiftState TControl::KeyDataToShiftState(LPARAM keyData) {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift.insert(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) shift.insert(ssCtrl);
    if (keyData & 0x20000000) shift.insert(ssAlt);
    return shift;
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
    else if (actionLink_)
        actionLink_->Execute(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    if (handled) return true;
    return wheelDelta < 0 ? DoMouseWheelDown(shift, mousePos) : DoMouseWheelUp(shift, mousePos);
}

bool TControl::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, shift, mousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, shift, mousePos, handled);
    return handled;
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::DoContextPopup(TPoint mousePos, bool& handled) {
    if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}

bool TControl::MouseCapture() const { return captureControl == this; }

void TControl::SetMouseCapture(bool value) {
    if (value == MouseCapture()) return;
    if (!value) {
        captureControl = nullptr;
        ReleaseCapture();
        return;
    }
    HWND window = nullptr;
    if (auto* windowed = dynamic_cast<TWinControl*>(this))
        window = windowed->Handle();
    else if (parent_)
        window = parent_->Handle();
    if (!window) return;
    ::SetCapture(window);
    captureControl = this;
}

void TControl::SetAction(TBasicAction* value) {
    if (action_) action_->RemoveFreeNotification(this);
    action_ = value;
    if (!value) {
        TObject::Free(actionLink_);
        actionLink_ = nullptr;
        return;
    }
    if (!actionLink_) {
        TControlActionLinkClass linkClass = GetActionLinkClass();
        if (linkClass) actionLink_ = linkClass(this);
    }
    if (actionLink_) actionLink_->SetAction(value);
    value->FreeNotification(this);
}

void TControl::ActionChange(TObject*, bool) {}

void TControl::BeginDrag(bool immediate, int threshold) {
    BeginControlDrag(this, immediate, threshold);
}

void TControl::EndDrag(bool drop) {
    if (Dragging()) EndControlDrag(drop);
}

bool TControl::Dragging() const { return DragControl() == this; }

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    accept = static_cast<bool>(OnDragOver);
    if (OnDragOver) OnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y) {
    if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::ChangeScale(int multiplier, int divider) {
    if (multiplier == divider || divider == 0) return;
    SetBounds(MulDiv(left_, multiplier, divider), MulDiv(top_, multiplier, divider),
              MulDiv(width_, multiplier, divider), MulDiv(height_, multiplier, divider));
    if (!parentFont_) font_->SetSize(MulDiv(font_->Size(), multiplier, divider));
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* windowed = dynamic_cast<TWinControl*>(parent)) SetParent(windowed);
}

void TControl::ReadState(TReader* reader) {
    ControlState.insert(csReadingState);
    auto* parent = dynamic_cast<TWinControl*>(reader->Parent());
    if (parent && parent != this) SetParent(parent);
    try {
        TComponent::ReadState(reader);
    } catch (...) {
        ControlState.erase(csReadingState);
        throw;
    }
    ControlState.erase(csReadingState);
}

void TControl::Loaded() {
    TComponent::Loaded();
    RememberAnchorBase();
    RequestAlign();
}

// ---------------------------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    brush_ = new TBrush();
    brush_->SetColor(Color());
}

TWinControl::~TWinControl() {
    delete dockManager_;
    delete brush_;
}

void TWinControl::BeforeDestruction() {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, true);
    DestroyHandle();
    TControl::BeforeDestruction();
    while (!controls_.empty()) controls_.back()->Free();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (alignPending_) Realign();
}

void TWinControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (TControl* child : std::vector<TControl*>(controls_))
        if (child->Owner() == root) proc(child);
}

void TWinControl::ReadState(TReader* reader) {
    DisableAlign();
    TComponent* savedParent = reader->Parent();
    auto* parent = dynamic_cast<TWinControl*>(savedParent);
    if (parent && parent != this) SetParent(parent);
    reader->SetParent(this);
    try {
        TControl::ReadState(reader);
    } catch (...) {
        reader->SetParent(savedParent);
        EnableAlign();
        throw;
    }
    reader->SetParent(savedParent);
    EnableAlign();
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded() {
    if (handle_) return;
    if (parent_) parent_->HandleNeeded();
    if (!handle_) CreateHandle();
}

void TWinControl::SetParentWindow(HWND value) {
    if (parentWindow_ == value) return;
    parentWindow_ = value;
    if (handle_ && !parent_) {
        if (value)
            ::SetParent(handle_, value);
        else
            DestroyHandle();
    }
    UpdateShowing();
}

void TWinControl::CreateHandle() {
    if (handle_) return;
    CreateWnd();
    for (TControl* child : std::vector<TControl*>(controls_)) child->UpdateShowing();
    if (alignPending_ || !controls_.empty()) Realign();
}

void TWinControl::CreateParams(TCreateParams& params) {
    params = TCreateParams{};
    params.Caption = text_;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (visible_) params.Style |= WS_VISIBLE;
    if (!enabled_) params.Style |= WS_DISABLED;
    if (ControlStyle.count(csAcceptsControls)) params.Style |= WS_CLIPCHILDREN;
    params.X = left_;
    params.Y = top_;
    params.Width = width_;
    params.Height = height_;
    params.WndParent = parent_ ? parent_->WindowHandle() : parentWindow_;
    params.WindowClass.style = CS_HREDRAW | CS_VREDRAW;
    if (ControlStyle.count(csDoubleClicks)) params.WindowClass.style |= CS_DBLCLKS;
    params.WindowClass.lpfnWndProc = DefWindowProcA;
    params.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    params.WinClassName = "TClassLibControl";
    defWndProc_ = DefWindowProcA;
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* sysClassName) {
    WNDCLASSA system{};
    if (!GetClassInfoA(nullptr, sysClassName, &system) &&
        !GetClassInfoA(ModuleInstance(), sysClassName, &system))
        throw EInvalidOperation("Unknown window class " + AnsiString(sysClassName));
    const UINT keep = params.WindowClass.style & CS_DBLCLKS;
    params.WindowClass = system;
    params.WindowClass.style = (system.style & ~(CS_GLOBALCLASS | CS_DBLCLKS)) | keep;
    params.WinClassName = sysClassName;
    defWndProc_ = system.lpfnWndProc;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    params.WinClassName = RegisterControlClass(params);
    CreateWindowHandle(params);
    if (!handle_) RaiseLastOSError();
    ApplyFont();
    if (!enabled_) EnableWindow(handle_, FALSE);
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
    HMENU id = (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(
                                               static_cast<UINT_PTR>(NextControlId()))
                                         : nullptr;
    creatingControl = this;
    HWND window = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(),
                                  params.Caption.c_str(), params.Style, params.X, params.Y,
                                  params.Width, params.Height, params.WndParent, id,
                                  ModuleInstance(), params.Param);
    creatingControl = nullptr;
    if (window && !handle_) AttachHandle(window);
}

void TWinControl::AttachHandle(HWND handle) {
    handle_ = handle;
    SetPropA(handle, ControlPropertyName(), this);
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    for (TControl* child : controls_)
        if (auto* windowed = dynamic_cast<TWinControl*>(child)) windowed->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    text_ = GetText();
    trackingLeave_ = false;
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    HWND window = handle_;
    if (!window) return;
    DestroyWindow(window);
    if (handle_ == window) {
        RemovePropA(window, ControlPropertyName());
        handle_ = nullptr;
    }
}

void TWinControl::RecreateWnd() {
    if (!handle_) return;
    DestroyHandle();
    UpdateShowing();
}

void TWinControl::UpdateShowing() {
    const bool hasParentWindow = parent_ ? parent_->HandleAllocated() : parentWindow_ != nullptr;
    if (visible_ && hasParentWindow) {
        if (!handle_) {
            CreateHandle();
            return;
        }
        if (!HasVisibleStyle(handle_)) Perform(CM_SHOWINGCHANGED, TRUE);
        for (TControl* child : std::vector<TControl*>(controls_)) child->UpdateShowing();
    } else if (handle_ && !visible_ && HasVisibleStyle(handle_)) {
        Perform(CM_SHOWINGCHANGED, FALSE);
    }
}

void TWinControl::VisibleChanged() { UpdateShowing(); }

void TWinControl::SetParent(TWinControl* parent) {
    if (parent_ == parent) return;
    if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
    UpdateControlState();
}

void TWinControl::UpdateControlState() {
    if (!handle_) {
        UpdateShowing();
        return;
    }
    if (parent_ && parent_->HandleAllocated())
        ::SetParent(handle_, parent_->WindowHandle());
    else if (!parent_ && parentWindow_)
        ::SetParent(handle_, parentWindow_);
    else
        DestroyHandle();
    UpdateShowing();
}

bool TWinControl::Showing() const {
    if (!visible_) return false;
    if (parent_) return parent_->Showing();
    return handle_ && IsWindowVisible(handle_);
}

bool TWinControl::ContainsControl(TControl* control) const {
    for (TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled, bool allowWinControls) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* child = *it;
        if (!allowWinControls && IsWindowedControl(child)) continue;
        if (!child->Visible() || (!allowDisabled && !child->Enabled())) continue;
        const TRect r = child->BoundsRect();
        if (point.X < r.Left || point.Y < r.Top || point.X >= r.Right || point.Y >= r.Bottom)
            continue;
        const TPoint local = {point.X - r.Left, point.Y - r.Top};
        if (child->Perform(CM_HITTEST, 0, PointToLParam(local)) != 0) return child;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
    for (TControl* child : std::vector<TControl*>(controls_)) {
        child->WindowProc(message);
        if (message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT msg) {
    TMessage message{msg, 0, 0, 0};
    for (TControl* child : std::vector<TControl*>(controls_)) child->WindowProc(message);
}

void TWinControl::InsertControl(TControl* control) {
    control->parent_ = this;
    controls_.push_back(control);
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) tabList_.push_back(windowed);
    if (control->parentFont_) control->Perform(CM_PARENTFONTCHANGED);
    if (control->parentColor_) control->Perform(CM_PARENTCOLORCHANGED);
    if (control->parentShowHint_) control->Perform(CM_PARENTSHOWHINTCHANGED);
    control->RememberAnchorBase();
    Realign();
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
    control->Invalidate();
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
    control->parent_ = nullptr;
    Realign();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    ApplyConstraints(width, height);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool resized = width != width_ || height != height_;
    SetBoundsFields(left, top, width, height);
    if (handle_)
        SetWindowPos(handle_, nullptr, left, top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    RememberAnchorBase();
    RequestAlign();
    if (resized) {
        Realign();
        Resize();
    }
}

void TWinControl::UpdateBounds() {
    RECT r;
    GetWindowRect(handle_, &r);
    HWND parentWindow = GetParent(handle_);
    if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) {
        MapWindowPoints(HWND_DESKTOP, parentWindow, reinterpret_cast<POINT*>(&r), 2);
    } else if (IsIconic(handle_) || IsZoomed(handle_)) {
        return;
    }
    const bool resized = r.right - r.left != width_ || r.bottom - r.top != height_;
    if (!resized && r.left == left_ && r.top == top_) return;
    SetBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (resized) {
        Realign();
        Resize();
    }
}

TRect TWinControl::GetClientRect() {
    RECT r{};
    if (handle_) {
        ::GetClientRect(handle_, &r);
        return Rect(r.left, r.top, r.right, r.bottom);
    }
    TCreateParams params;
    CreateParams(params);
    AdjustWindowRectEx(&r, params.Style & ~WS_VSCROLL & ~WS_HSCROLL, FALSE, params.ExStyle);
    return Rect(0, 0, std::max(0, width_ - static_cast<int>(r.right - r.left)),
                std::max(0, height_ - static_cast<int>(r.bottom - r.top)));
}

void TWinControl::AdjustClientRect(TRect& rect) {
    rect.Left += borderWidth_;
    rect.Top += borderWidth_;
    rect.Right -= borderWidth_;
    rect.Bottom -= borderWidth_;
}

void TWinControl::EnableAlign() {
    if (--alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign() {
    if (alignDisabled_ || aligning_ || InState(csLoading) || InState(csDestroying)) {
        alignPending_ = true;
        return;
    }
    alignPending_ = false;
    aligning_ = true;
    try {
        TRect rect = GetClientRect();
        AdjustClientRect(rect);
        AlignControls(nullptr, rect);
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
}

void TWinControl::AlignControls(TControl*, TRect& rect) {
    const TRect client = GetClientRect();
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) AlignGroup(align, rect);
    for (TControl* child : controls_)
        if (child->align_ == alNone && child->anchorBaseValid_) ApplyAnchors(child, client);
    if (dockManager_ && useDockManager_) dockManager_->ResetBounds(false);
}

void TWinControl::AlignGroup(TAlign align, TRect& rect) {
    std::vector<TControl*> group;
    for (TControl* child : controls_)
        if (child->align_ == align && child->visible_) group.push_back(child);
    auto key = [align](TControl* c) {
        switch (align) {
        case alTop: return c->top_;
        case alBottom: return -(c->top_ + c->height_);
        case alLeft: return c->left_;
        case alRight: return -(c->left_ + c->width_);
        default: return 0;
        }
    };
    std::stable_sort(group.begin(), group.end(),
                     [&key](TControl* a, TControl* b) { return key(a) < key(b); });
    for (TControl* c : group) {
        switch (align) {
        case alTop:
            c->SetBounds(rect.Left, rect.Top, rect.Width(), c->height_);
            rect.Top += c->height_;
            break;
        case alBottom:
            c->SetBounds(rect.Left, rect.Bottom - c->height_, rect.Width(), c->height_);
            rect.Bottom -= c->height_;
            break;
        case alLeft:
            c->SetBounds(rect.Left, rect.Top, c->width_, rect.Height());
            rect.Left += c->width_;
            break;
        case alRight:
            c->SetBounds(rect.Right - c->width_, rect.Top, c->width_, rect.Height());
            rect.Right -= c->width_;
            break;
        default:
            c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
            break;
        }
    }
}

void TWinControl::ApplyAnchors(TControl* c, const TRect& client) {
    const int dx = client.Width() - c->anchorParentSize_.cx;
    const int dy = client.Height() - c->anchorParentSize_.cy;
    TRect r = c->anchorBounds_;
    const bool left = c->anchors_.count(akLeft), right = c->anchors_.count(akRight);
    const bool top = c->anchors_.count(akTop), bottom = c->anchors_.count(akBottom);
    if (left && right) r.Right += dx;
    else if (right) { r.Left += dx; r.Right += dx; }
    else if (!left) { r.Left += dx / 2; r.Right += dx / 2; }
    if (top && bottom) r.Bottom += dy;
    else if (bottom) { r.Top += dy; r.Bottom += dy; }
    else if (!top) { r.Top += dy / 2; r.Bottom += dy / 2; }
    c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TWinControl::SetDockSite(bool value) {
    if (value == dockSite_) return;
    dockSite_ = value;
    RegisterDockSite(this, value);
    UpdateDockManager();
}

void TWinControl::SetUseDockManager(bool value) {
    if (value == useDockManager_) return;
    useDockManager_ = value;
    UpdateDockManager();
}

void TWinControl::UpdateDockManager() {
    if (!dockSite_ || !useDockManager_) return;
    IDockManager* manager = CreateDockManager();
    if (manager != dockManager_) {
        delete dockManager_;
        dockManager_ = manager;
    }
    if (dockManager_) {
        SetDoubleBuffered(true);
        for (TControl* client : dockClients_) dockManager_->InsertControl(client, alNone, nullptr);
    }
}

IDockManager* TWinControl::CreateDockManager() {
    if (dockManager_ || !dockSite_ || !useDockManager_) return dockManager_;
    return new TDockTree(this);
}

void TWinControl::DoAddDockClient(TControl* client, const TRect& rect) {
    client->SetParent(this);
    client->SetBoundsRect(rect);
}

void TWinControl::DoRemoveDockClient(TControl*) {}

bool TWinControl::DoUnDock(TWinControl* newTarget, TControl* client) {
    bool allow = true;
    if (OnUnDock) OnUnDock(this, client, newTarget, allow);
    if (!allow) return false;
    if (dockManager_ && useDockManager_) dockManager_->RemoveControl(client);
    Perform(CM_UNDOCKCLIENT, reinterpret_cast<WPARAM>(newTarget), reinterpret_cast<LPARAM>(client));
    return true;
}

void TWinControl::ForgetDockClient(TControl* client) {
    dockClients_.erase(std::remove(dockClients_.begin(), dockClients_.end(), client),
                       dockClients_.end());
    client->hostDockSite_ = nullptr;
    if (dockManager_ && !InState(csDestroying)) dockManager_->RemoveControl(client);
}

void TWinControl::NotifyDockClientChange(TControl* client, UINT msg, WPARAM wParam,
                                         LPARAM lParam) {
    TMessage change{msg, wParam, lParam, 0};
    Perform(CM_DOCKNOTIFICATION, reinterpret_cast<WPARAM>(client),
            reinterpret_cast<LPARAM>(&change));
}

void TWinControl::GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos,
                              bool& canDock) {
    const TPoint origin = ClientToScreen({0, 0});
    const TRect client_ = ClientRect();
    influenceRect = Rect(origin.X - 10, origin.Y - 10, origin.X + client_.Right + 10,
                         origin.Y + client_.Bottom + 10);
    if (OnGetSiteInfo) OnGetSiteInfo(this, client, influenceRect, mousePos, canDock);
}

void TWinControl::DockOver(TDragDockObject* source, int x, int y, TDragState state,
                           bool& accept) {
    if (dockManager_ && useDockManager_)
        dockManager_->PositionDockRect(source->Control, source->DropOnControl, source->DropAlign,
                                       source->DockRect);
    if (OnDockOver) OnDockOver(this, source, x, y, state, accept);
}

void TWinControl::DockDrop(TDragDockObject* source, int x, int y) {
    if (dockManager_ && useDockManager_)
        dockManager_->InsertControl(source->Control, source->DropAlign, source->DropOnControl);
    if (OnDockDrop) OnDockDrop(this, source, x, y);
}

void TWinControl::HandleDockClient(TMessage& message) {
    auto* info = reinterpret_cast<TCMDockClient*>(message.LParam);
    TDragDockObject* source = info->DockSource;
    const TPoint topLeft = ScreenToClient(source->DockRect.TopLeft());
    const TRect rect = Bounds(topLeft.X, topLeft.Y, source->DockRect.Width(),
                              source->DockRect.Height());
    source->Control->Dock(this, rect);
    if (source->Control->HostDockSite() != this) return;
    const TPoint mouse = ScreenToClient(info->MousePos);
    DockDrop(source, mouse.X, mouse.Y);
    message.Result = 0;
}

void TWinControl::ShowControl(TControl*) {
    if (parent_) parent_->ShowControl(this);
}

void TWinControl::FlipChildren(bool allLevels) {
    DisableAlign();
    try {
        const int clientWidth = ClientWidth();
        for (TControl* child : std::vector<TControl*>(controls_)) {
            if (child->align_ == alLeft)
                child->align_ = alRight;
            else if (child->align_ == alRight)
                child->align_ = alLeft;
            if (child->anchors_.count(akLeft) != child->anchors_.count(akRight)) {
                TAnchors anchors = child->anchors_;
                const bool left = anchors.count(akLeft) != 0;
                anchors.erase(left ? akLeft : akRight);
                anchors.insert(left ? akRight : akLeft);
                child->SetAnchors(anchors);
            }
            child->SetLeft(clientWidth - child->left_ - child->width_);
            if (allLevels) child->FlipChildren(true);
        }
    } catch (...) {
        EnableAlign();
        throw;
    }
    EnableAlign();
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(this)) {
        form->FocusControl(this);
    } else if (parentWindow_) {
        ::SetFocus(Handle());
    }
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() {
    TCustomForm* form = GetParentForm(this);
    if (!form) return false;
    for (TWinControl* c = this; c != form; c = c->parent_)
        if (!c->visible_ || !c->enabled_) return false;
    return form->Visible() && form->Enabled();
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    const auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (!parent_) return;
    auto& list = parent_->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    value = std::max(0, std::min(value, static_cast<int>(list.size())));
    list.insert(list.begin() + value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    for (TWinControl* child : tabList_) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward,
                                          bool checkTabStop, bool checkParent) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int count = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    int start = it == list.end() ? (goForward ? count - 1 : 0)
                                 : static_cast<int>(it - list.begin());
    int i = start;
    for (int step = 0; step < count; ++step) {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* candidate = list[i];
        if (candidate == current) break;
        if ((!checkTabStop || candidate->tabStop_) && (!checkParent || candidate->parent_ == this) &&
            candidate->CanFocus())
            return candidate;
    }
    return nullptr;
}

void TWinControl::SelectFirst() {
    if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

void TWinControl::SetCtl3D(bool value) {
    parentCtl3D_ = false;
    if (ctl3D_ == value) return;
    ctl3D_ = value;
    Perform(CM_CTL3DCHANGED);
    RecreateWnd();
}

void TWinControl::SetParentCtl3D(bool value) {
    if (parentCtl3D_ == value) return;
    parentCtl3D_ = value;
    if (value && parent_) Perform(CM_PARENTCTL3DCHANGED);
}

void TWinControl::SetBorderWidth(int value) {
    if (borderWidth_ == value) return;
    borderWidth_ = value;
    Realign();
    Invalidate();
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    auto it = first ? std::find(controls_.begin(), controls_.end(), first) : controls_.begin();
    for (; it != controls_.end(); ++it) {
        TControl* child = *it;
        if (IsWindowedControl(child) || !child->visible_) continue;
        const RECT area = {child->left_, child->top_, child->left_ + child->width_,
                           child->top_ + child->height_};
        if (!RectVisible(dc, &area)) continue;
        const int saved = SaveDC(dc);
        POINT origin;
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + child->left_, origin.y + child->top_, nullptr);
        IntersectClipRect(dc, 0, 0, child->width_, child->height_);
        child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
    }
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
    const int saved = SaveDC(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + x, origin.y + y, nullptr);
    IntersectClipRect(dc, 0, 0, width_, height_);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    for (TControl* child : controls_) {
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (windowed && windowed->visible_) windowed->PaintTo(dc, child->left_, child->top_);
    }
    RestoreDC(dc, saved);
}

void TWinControl::PaintWindow(HDC dc) {
    TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(message);
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, !ControlStyle.count(csOpaque));
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::ApplyFont() {
    if (handle_)
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
}

void TWinControl::WndProc(TMessage& message) {
    const UINT msg = message.Msg;
    if (DragMessage(this, message)) return;
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL) {
        if (dockManager_ && useDockManager_ && dockManager_->MouseMessage(message)) return;
        if (msg == WM_MOUSEMOVE) TrackMouseLeave();
        if (RouteMouseToGraphicChild(message)) return;
        if (msg == WM_MOUSEMOVE) UpdateMouseControl(this);
    }
    TControl::WndProc(message);
}

bool TWinControl::RouteMouseToGraphicChild(TMessage& message) {
    TControl* target = nullptr;
    if (captureControl && captureControl->parent_ == this && !IsWindowedControl(captureControl))
        target = captureControl;
    else if (!captureControl || captureControl != this)
        target = ControlAtPos(message.Pos(), false);
    if (!target) return false;
    if (message.Msg == WM_MOUSEMOVE) UpdateMouseControl(target);
    TMessage routed = message;
    routed.LParam = PointToLParam({message.XPos() - target->left_, message.YPos() - target->top_});
    target->WindowProc(routed);
    message.Result = routed.Result;
    return true;
}

void TWinControl::TrackMouseLeave() {
    if (trackingLeave_ || !handle_) return;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle_, 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
}

void TWinControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        return PaintHandler(message);
    case WM_ERASEBKGND:
        return EraseBackground(message);
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        if (mouseControl == this || (mouseControl && mouseControl->parent_ == this &&
                                     !IsWindowedControl(mouseControl)))
            UpdateMouseControl(nullptr);
        return;
    case WM_SETCURSOR:
        return HandleSetCursor(message);
    case WM_CONTEXTMENU:
        return HandleContextMenu(message);
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(message);
        if (handle_) UpdateBounds();
        return;
    case WM_SETFOCUS: {
        TCustomForm* form = GetParentForm(this);
        if (form && form != this && !form->SetFocusedControl(this)) return;
        return DefaultHandler(message);
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!DoKeyDown(message)) DefaultHandler(message);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (!DoKeyUp(message)) DefaultHandler(message);
        return;
    case WM_CHAR:
        if (!DoKeyPress(message)) DefaultHandler(message);
        return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
        return HandleKeyDownPreprocessing(message);
    case CN_CHAR:
    case CN_SYSCHAR: {
        TCustomForm* form = GetParentForm(this);
        const bool wantsChars = message.Msg == CN_CHAR && (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS);
        if (form && !wantsChars && (message.Msg == CN_SYSCHAR || message.CharCode() != VK_TAB) &&
            form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0)
            message.Result = 1;
        return;
    }
    case CM_CHILDKEY:
        if (parent_) message.Result = parent_->Perform(CM_CHILDKEY, message.WParam, message.LParam);
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
        return Broadcast(message);
    case CM_SHOWINGCHANGED:
        if (handle_) ShowWindow(handle_, message.WParam ? SW_SHOWNA : SW_HIDE);
        return;
    case CM_DOCKCLIENT:
        return HandleDockClient(message);
    case CM_UNDOCKCLIENT:
        return;
    case CM_DOCKNOTIFICATION:
        if (dockManager_ && useDockManager_) {
            dockManager_->ResetBounds(true);
            Invalidate();
        }
        return;
    case CM_ENTER:
        return DoEnter();
    case CM_EXIT:
        return DoExit();
    case CM_COLORCHANGED:
        brush_->SetColor(Color());
        NotifyControls(CM_PARENTCOLORCHANGED);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        ApplyFont();
        NotifyControls(CM_PARENTFONTCHANGED);
        Invalidate();
        return;
    case CM_SHOWHINTCHANGED:
        NotifyControls(CM_PARENTSHOWHINTCHANGED);
        return;
    case CM_PARENTCTL3DCHANGED:
        if (parentCtl3D_ && parent_) {
            SetCtl3D(parent_->Ctl3D());
            parentCtl3D_ = true;
        }
        return;
    case CM_CTL3DCHANGED:
        NotifyControls(CM_PARENTCTL3DCHANGED);
        return;
    case CM_ENABLEDCHANGED:
        if (handle_) EnableWindow(handle_, Enabled());
        Invalidate();
        return;
    case CM_TEXTCHANGED:
        return;
    case CM_SYSCOLORCHANGE:
        NotifyControls(CM_SYSCOLORCHANGE);
        return;
    case WM_SYSCOLORCHANGE:
        NotifyControls(CM_SYSCOLORCHANGE);
        return DefaultHandler(message);
    case WM_CAPTURECHANGED:
        if (captureControl && (captureControl == this || captureControl->parent_ == this) &&
            reinterpret_cast<HWND>(message.LParam) != handle_)
            captureControl = nullptr;
        return DefaultHandler(message);
    case CN_CTLCOLORBTN: case CN_CTLCOLORDLG: case CN_CTLCOLOREDIT: case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORMSGBOX: case CN_CTLCOLORSCROLLBAR: case CN_CTLCOLORSTATIC:
        return HandleCtlColor(message);
    default:
        if (ReflectNotification(message)) return;
        TControl::Dispatch(message);
    }
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (!handle_) return TControl::DefaultHandler(message);
    // Component messages and reflected notifications mean nothing to the system's procedures.
    if (message.Msg >= CM_BASE && message.Msg < 0xC000) return;
    message.Result = CallWindowProcA(defWndProc_ ? defWndProc_ : DefWindowProcA, handle_,
                                     message.Msg, message.WParam, message.LParam);
}

TWinControl* TWinControl::ReflectTarget(TMessage& message) {
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL: case WM_VSCROLL:
    case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
    case WM_CHARTOITEM: case WM_VKEYTOITEM:
        child = reinterpret_cast<HWND>(message.LParam);
        break;
    case WM_NOTIFY:
        child = message.NMHdr()->hwndFrom;
        break;
    case WM_DRAWITEM:
        if (message.DrawItemStruct()->CtlType == ODT_MENU) return nullptr;
        child = message.DrawItemStruct()->hwndItem;
        break;
    case WM_MEASUREITEM:
        if (message.MeasureItemStruct()->CtlType == ODT_MENU || !handle_) return nullptr;
        child = GetDlgItem(handle_, static_cast<int>(message.MeasureItemStruct()->CtlID));
        break;
    case WM_DELETEITEM:
        child = reinterpret_cast<DELETEITEMSTRUCT*>(message.LParam)->hwndItem;
        break;
    case WM_COMPAREITEM:
        child = reinterpret_cast<COMPAREITEMSTRUCT*>(message.LParam)->hwndItem;
        break;
    default:
        return nullptr;
    }
    return child ? FindControl(child) : nullptr;
}

bool TWinControl::ReflectNotification(TMessage& message) {
    const UINT msg = message.Msg;
    const bool menuMessage =
        (msg == WM_COMMAND && message.LParam == 0) ||
        (msg == WM_DRAWITEM && message.DrawItemStruct()->CtlType == ODT_MENU) ||
        (msg == WM_MEASUREITEM && message.MeasureItemStruct()->CtlType == ODT_MENU) ||
        msg == WM_INITMENUPOPUP || msg == WM_MENUSELECT || msg == WM_MENUCHAR;
    if (menuMessage) return MenuHooks.DispatchMessage && MenuHooks.DispatchMessage(this, message);
    TWinControl* target = ReflectTarget(message);
    if (!target || target == this) return false;
    message.Result = target->Perform(CN_BASE + msg, message.WParam, message.LParam);
    return true;
}

void TWinControl::HandleCtlColor(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(brush_->Color()));
    message.Result = reinterpret_cast<LRESULT>(brush_->Handle());
}

void TWinControl::PaintHandler(TMessage& message) {
    bool hasGraphicChildren = false;
    for (TControl* child : controls_)
        if (!IsWindowedControl(child)) hasGraphicChildren = true;
    IDockManager* manager = useDockManager_ ? dockManager_ : nullptr;
    if (!hasGraphicChildren && !manager && !ControlState.count(csCustomPaint))
        return DefaultHandler(message);
    if (message.WParam) {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        PaintWindow(dc);
        PaintControls(dc, nullptr);
        if (manager) manager->PaintSite(dc);
        return;
    }
    PaintDC dc(handle_);
    if (!doubleBuffered_) {
        PaintWindow(dc);
        PaintControls(dc, nullptr);
        if (manager) manager->PaintSite(dc);
        return;
    }
    const TRect client = GetClientRect();
    OwnedGdiObject bitmap(CreateCompatibleBitmap(dc, client.Right, client.Bottom));
    MemoryDC memory(bitmap, dc);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(memory)), 0);
    PaintWindow(memory);
    PaintControls(memory, nullptr);
    if (manager) manager->PaintSite(memory);
    BitBlt(dc, 0, 0, client.Right, client.Bottom, memory, 0, 0, SRCCOPY);
}

void TWinControl::EraseBackground(TMessage& message) {
    if (defWndProc_ != DefWindowProcA && defWndProc_) return DefaultHandler(message);
    if (doubleBuffered_ && reinterpret_cast<HDC>(message.WParam) != nullptr &&
        WindowFromDC(reinterpret_cast<HDC>(message.WParam)) == handle_) {
        message.Result = 1;
        return;
    }
    RECT area;
    ::GetClientRect(handle_, &area);
    FillRect(reinterpret_cast<HDC>(message.WParam), &area, brush_->Handle());
    message.Result = 1;
}

void TWinControl::HandleSetCursor(TMessage& message) {
    if (reinterpret_cast<HWND>(message.WParam) == handle_ && LOWORD(message.LParam) == HTCLIENT) {
        TCursor cursor = Screen ? Screen->Cursor() : crDefault;
        if (cursor == crDefault) {
            POINT p;
            GetCursorPos(&p);
            ::ScreenToClient(handle_, &p);
            TControl* child = ControlAtPos({p.x, p.y}, false);
            cursor = child ? child->Cursor() : Cursor();
            if (cursor == crDefault && child) cursor = Cursor();
        }
        if (cursor != crDefault && Screen) {
            ::SetCursor(Screen->Cursors(cursor));
            message.Result = TRUE;
            return;
        }
    }
    DefaultHandler(message);
}

void TWinControl::HandleContextMenu(TMessage& message) {
    TPoint pos = {message.XPos(), message.YPos()};
    if (pos.X == -1 && pos.Y == -1) pos = ClientToScreen({0, 0});
    TControl* target = this;
    if (handle_) {
        const TPoint local = ScreenToClient(pos);
        if (TControl* child = ControlAtPos(local, false)) target = child;
    }
    bool handled = false;
    target->DoContextPopup(target->ScreenToClient(pos), handled);
    if (handled) return;
    for (TControl* c = target; c; c = c->parent_) {
        if (c->PopupMenu() && MenuHooks.Popup && MenuHooks.Popup(c->PopupMenu(), c, pos)) {
            message.Result = 1;
            return;
        }
    }
    DefaultHandler(message);
}

void TWinControl::HandleKeyDownPreprocessing(TMessage& message) {
    const uint16_t key = message.CharCode();
    if (Perform(CM_CHILDKEY, key, reinterpret_cast<LPARAM>(this)) != 0) {
        message.Result = 1;
        return;
    }
    UINT mask = 0;
    switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: return;
    }
    if (Perform(CM_WANTSPECIALKEY, key, message.LParam) != 0) return;
    if (Perform(WM_GETDLGCODE) & mask) return;
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGKEY, key, message.LParam) != 0) message.Result = 1;
}

bool TWinControl::DoKeyDown(TMessage& message) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyDown(message)) return true;
    uint16_t key = message.CharCode();
    KeyDown(key, KeyDataToShiftState(message.LParam));
    message.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& message) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyUp(message)) return true;
    uint16_t key = message.CharCode();
    KeyUp(key, KeyDataToShiftState(message.LParam));
    message.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& message) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyPress(message)) return true;
    char key = static_cast<char>(message.WParam);
    KeyPress(key);
    message.WParam = static_cast<unsigned char>(key);
    return key == 0;
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// ---------------------------------------------------------------------------------------------
// TGraphicControl and TCustomControl

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {
    canvas_ = new TControlCanvas();
    canvas_->SetControl(this);
}

TGraphicControl::~TGraphicControl() { delete canvas_; }

void TGraphicControl::Dispatch(TMessage& message) {
    if (message.Msg != WM_PAINT || !message.WParam) return TControl::Dispatch(message);
    canvas_->Lock();
    try {
        canvas_->BindDC(reinterpret_cast<HDC>(message.WParam));
        Paint();
    } catch (...) {
        canvas_->BindDC(nullptr);
        canvas_->Unlock();
        throw;
    }
    canvas_->BindDC(nullptr);
    canvas_->Unlock();
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {
    canvas_ = new TControlCanvas();
    canvas_->SetControl(this);
    ControlState.insert(csCustomPaint);
}

TCustomControl::~TCustomControl() { delete canvas_; }

void TCustomControl::PaintWindow(HDC dc) {
    canvas_->Lock();
    try {
        canvas_->BindDC(dc);
        Paint();
    } catch (...) {
        canvas_->BindDC(nullptr);
        canvas_->Unlock();
        throw;
    }
    canvas_->BindDC(nullptr);
    canvas_->Unlock();
}

// ---------------------------------------------------------------------------------------------
// Mouse, lookups, utility windows

TPoint TMouse::CursorPos() const {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void TMouse::SetCursorPos(TPoint point) { ::SetCursorPos(point.X, point.Y); }

UINT TMouse::WheelScrollLines() const {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return lines;
}

TControl* TMouse::Capture() const {
    if (captureControl) return captureControl;
    return FindControl(GetCapture());
}

void TMouse::SetCapture(TControl* control) {
    if (control)
        control->SetMouseCapture(true);
    else if (captureControl)
        captureControl->SetMouseCapture(false);
    else
        ReleaseCapture();
}

namespace {

struct UtilityWindowData {
    std::function<void(TMessage&)> handler;
};

LRESULT CALLBACK UtilityWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* data = reinterpret_cast<UtilityWindowData*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!data) return DefWindowProcA(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    try {
        data->handler(message);
    } catch (...) {
        HandleBarrierException(nullptr);
    }
    return message.Result;
}

const char* UtilityWindowClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = UtilityWindowProc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = "ClassLib.UtilWindow";
        RegisterClassA(&wc);
        return "ClassLib.UtilWindow";
    }();
    return name;
}

}  // namespace

HWND AllocateHWnd(std::function<void(TMessage&)> handler) {
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, UtilityWindowClass(), "", WS_POPUP, 0, 0, 0,
                                  0, nullptr, nullptr, ModuleInstance(), nullptr);
    if (!window) RaiseLastOSError();
    auto* data = new UtilityWindowData{std::move(handler)};
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
    return window;
}

void DeallocateHWnd(HWND window) {
    if (!window) return;
    auto* data = reinterpret_cast<UtilityWindowData*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    delete data;
}

TWinControl* FindControl(HWND window) {
    if (!window) return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return nullptr;
    return static_cast<TWinControl*>(GetPropA(window, ControlPropertyName()));
}

TWinControl* FindWinControlAt(TPoint screenPos) {
    for (HWND window = WindowFromPoint({screenPos.X, screenPos.Y}); window;
         window = GetParent(window))
        if (TWinControl* control = FindControl(window)) return control;
    return nullptr;
}

TControl* FindDragTarget(TPoint screenPos, bool allowDisabled) {
    TWinControl* windowed = FindWinControlAt(screenPos);
    if (!windowed) return nullptr;
    TControl* graphic = windowed->ControlAtPos(windowed->ScreenToClient(screenPos), allowDisabled);
    return graphic ? graphic : windowed;
}

TCustomForm* GetParentForm(TControl* control) {
    while (control && control->Parent()) control = control->Parent();
    return dynamic_cast<TCustomForm*>(control);
}

TCustomForm* ValidParentForm(TControl* control) {
    TCustomForm* form = GetParentForm(control);
    if (!form) throw EInvalidOperation("Control '" + (control ? control->Name() : AnsiString()) +
                                       "' has no parent form");
    return form;
}

bool IsAccel(uint16_t key, const AnsiString& caption) {
    const int at = caption.Pos("&");
    if (at == 0 || at >= caption.Length()) return false;
    int i = at;
    while (i < caption.Length()) {
        if (caption[i] == '&' && caption[i + 1] != '&')
            return CharUpperA(reinterpret_cast<LPSTR>(static_cast<uintptr_t>(
                       static_cast<unsigned char>(caption[i + 1])))) ==
                   CharUpperA(reinterpret_cast<LPSTR>(static_cast<uintptr_t>(key & 0xFF)));
        i += caption[i] == '&' ? 2 : 1;
    }
    return false;
}

TControl* MouseControl() { return mouseControl; }

void UpdateMouseControl(TControl* underCursor) {
    if (underCursor == mouseControl) return;
    TControl* old = mouseControl;
    mouseControl = underCursor;
    if (old) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
    if (underCursor && mouseControl == underCursor)
        underCursor->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(underCursor));
}
