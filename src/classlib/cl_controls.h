// Controls: the message record and component-message numbers, the window procedure glue with
// its exception barrier, and the control base classes that every window of the program uses.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "cl_component.h"
#include "cl_graphics.h"

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TMainMenu;
class TBasicAction;

// ---------------------------------------------------------------------------------------------
// Message numbers. The fixed ones are shared with code outside the class library; keep them.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_DEACTIVATE = 0xB001;
constexpr UINT CM_CANCELMODE = 0xB004;
constexpr UINT CM_DIALOGCHAR = 0xB006;
constexpr UINT CM_ENABLEDCHANGED = 0xB00C;
constexpr UINT CM_COLORCHANGED = 0xB00D;
constexpr UINT CM_FONTCHANGED = 0xB00E;
constexpr UINT CM_MOUSEENTER = 0xB013;
constexpr UINT CM_MOUSELEAVE = 0xB014;
constexpr UINT CM_SHOWINGCHANGED = 0xB019;
constexpr UINT CM_ACTIVATE = 0xB020;
constexpr UINT CM_DIALOGKEY = 0xB021;
constexpr UINT CM_FOCUSCHANGED = 0xB022;
constexpr UINT CM_PARENTFONTCHANGED = 0xB023;
constexpr UINT CM_PARENTCOLORCHANGED = 0xB024;
constexpr UINT CM_HITTEST = 0xB025;
constexpr UINT CM_VISIBLECHANGED = 0xB026;
constexpr UINT CM_CURSORCHANGED = 0xB027;
constexpr UINT CM_CTL3DCHANGED = 0xB028;
constexpr UINT CM_PARENTCTL3DCHANGED = 0xB029;
constexpr UINT CM_TEXTCHANGED = 0xB02A;
constexpr UINT CM_BUTTONPRESSED = 0xB02B;
constexpr UINT CM_ENTER = 0xB02C;
constexpr UINT CM_EXIT = 0xB02D;
constexpr UINT CM_DESIGNHITTEST = 0xB02E;
constexpr UINT CM_WANTSPECIALKEY = 0xB02F;
constexpr UINT CM_RELEASE = 0xB030;
constexpr UINT CM_SHOWHINTCHANGED = 0xB031;
constexpr UINT CM_PARENTSHOWHINTCHANGED = 0xB032;
constexpr UINT CM_SYSCOLORCHANGE = 0xB033;
constexpr UINT CM_HINTSHOW = 0xB034;
constexpr UINT CM_RECREATEWND = 0xB035;
constexpr UINT CM_BIDIMODECHANGED = 0xB036;
constexpr UINT CM_PARENTBIDIMODECHANGED = 0xB037;
constexpr UINT CM_DOCKCLIENT = 0xB038;
constexpr UINT CM_UNDOCKCLIENT = 0xB039;
constexpr UINT CM_DOCKNOTIFICATION = 0xB03A;
constexpr UINT CM_MOUSEWHEEL = 0xB03B;
constexpr UINT CM_CHILDKEY = 0xB03C;
constexpr UINT CM_ACTIONUPDATE = 0xB03F;
constexpr UINT CM_ACTIONEXECUTE = 0xB040;
constexpr UINT CM_SYNCHRONIZE = 0xB0F0;

// Reflected notifications: CN_BASE + the WM_ number, sent to the child that caused them.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

// ---------------------------------------------------------------------------------------------
// The message record, with typed views of the common parameter layouts.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    // Mouse messages: client coordinates (signed), button and modifier flags.
    int XPos() const { return static_cast<short>(LOWORD(LParam)); }
    int YPos() const { return static_cast<short>(HIWORD(LParam)); }
    TPoint Pos() const { return {XPos(), YPos()}; }
    UINT Keys() const { return static_cast<UINT>(WParam); }
    // Key messages: the virtual key or character, and the key data.
    uint16_t CharCode() const { return static_cast<uint16_t>(WParam); }
    LPARAM KeyData() const { return LParam; }
    // WM_MOUSEWHEEL: the wheel delta and the modifier keys.
    int WheelDelta() const { return static_cast<short>(HIWORD(WParam)); }
    NMHDR* NMHdr() const { return reinterpret_cast<NMHDR*>(LParam); }
    DRAWITEMSTRUCT* DrawItemStruct() const { return reinterpret_cast<DRAWITEMSTRUCT*>(LParam); }
    MEASUREITEMSTRUCT* MeasureItemStruct() const {
        return reinterpret_cast<MEASUREITEMSTRUCT*>(LParam);
    }
    // CM_ messages whose LParam names a control (CM_MOUSEENTER, CM_FOCUSCHANGED, ...).
    TControl* Control() const { return reinterpret_cast<TControl*>(LParam); }
};

// Packs a client point into the LParam of a mouse message.
LPARAM PointToLParam(TPoint point);

// ---------------------------------------------------------------------------------------------
// Control styles and states.
enum TControlStyleItem {
    csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
    csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible,
    csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector, csActionClient
};
using TControlStyle = std::set<TControlStyleItem>;
enum TControlStateItem {
    csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
    csCreating, csPaintCopy, csCustomPaint
};
using TControlState = std::set<TControlStateItem>;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDockOrientation { doNoOrient, doHorizontal, doVertical };
enum TImeMode { imDisable, imClose, imOpen, imDontCare };

class TDragObject;
using TMouseWheelEvent = std::function<void(TObject* sender, TShiftState shift, int wheelDelta,
                                            TPoint mousePos, bool& handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* sender, TShiftState shift, TPoint mousePos, bool& handled)>;
using TContextPopupEvent = std::function<void(TObject* sender, TPoint mousePos, bool& handled)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int x, int y)>;
using TDragOverEvent = std::function<void(TObject* sender, TObject* source, int x, int y,
                                          TDragState state, bool& accept)>;
using TStartDragEvent = std::function<void(TObject* sender, TDragObject*& dragObject)>;
using TEndDragEvent = std::function<void(TObject* sender, TObject* target, int x, int y)>;
using TConstrainedResizeEvent = std::function<void(TObject* sender, int& minWidth,
                                                   int& minHeight, int& maxWidth, int& maxHeight)>;

// Minimum and maximum sizes of a control (0 = no limit).
class TSizeConstraints : public TPersistent {
    CL_CLASS(TSizeConstraints, TPersistent)

    explicit TSizeConstraints(TControl* control) : control_(control) {}
    int MinWidth() const { return minWidth_; }
    int MinHeight() const { return minHeight_; }
    int MaxWidth() const { return maxWidth_; }
    int MaxHeight() const { return maxHeight_; }
    void SetMinWidth(int value);
    void SetMinHeight(int value);
    void SetMaxWidth(int value);
    void SetMaxHeight(int value);
    void Assign(TPersistent* source) override;
    TNotifyEvent OnChange;

private:
    void Change();

    TControl* control_;
    int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

// A canvas on a control: the window's DC for windowed controls, the parent's DC moved and
// clipped to the control for graphic ones. Usable at any time, not only while painting.
class TControlCanvas : public TCanvas {
    CL_CLASS(TControlCanvas, TCanvas)

    TControlCanvas() = default;
    ~TControlCanvas() override;
    TControl* Control() const { return control_; }
    void SetControl(TControl* control);
    // Releases a DC fetched by the canvas itself.
    void FreeHandle();
    // Binds a DC owned by someone else (BeginPaint's); pass 0 to unbind.
    void BindDC(HDC dc);

protected:
    void CreateHandle() override;

private:
    TControl* control_ = nullptr;
    HDC ownDC_ = nullptr;
    HWND ownWindow_ = nullptr;
};

// The bridge from a control to its action; the actions unit derives TControlActionLink from it.
class TControlActionLinkBase : public TObject {
    CL_CLASS(TControlActionLinkBase, TObject)

    virtual void SetAction(TBasicAction* action) = 0;
    virtual bool Execute(TComponent* target) = 0;
};
using TControlActionLinkClass = std::function<TControlActionLinkBase*(TControl* client)>;
// Set by the actions unit; empty means controls take no action links.
extern TControlActionLinkClass DefaultControlActionLinkClass;

// In-process drag object (a thin base; drag images are not drawn).
class TDragObject : public TObject {
    CL_CLASS(TDragObject, TObject)

    virtual TCursor GetDragCursor(bool accepted, int x, int y);
    virtual void Finished(TObject* target, int x, int y, bool accepted);
    TControl* Control = nullptr;
};

// What a control that docks carries to its new site: the rectangle it takes (screen
// coordinates), the side of DropOnControl (or of the site) it goes to, and whether it floats.
class TDragDockObject : public TDragObject {
    CL_CLASS(TDragDockObject, TDragObject)

    explicit TDragDockObject(TControl* control) { Control = control; }
    TRect DockRect;
    TAlign DropAlign = alNone;
    TControl* DropOnControl = nullptr;
    bool Floating = false;
};

// CM_DOCKCLIENT's LParam.
struct TCMDockClient {
    TDragDockObject* DockSource = nullptr;
    TPoint MousePos;
};

// The layout of the controls docked on a site: each windowed dock site with UseDockManager
// has one (cl_docking's TDockTree unless CreateDockManager gives another).
class IDockManager {
public:
    virtual ~IDockManager() = default;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    // The control's zone on the site, grabber included (client coordinates).
    virtual void GetControlBounds(TControl* control, TRect& rect) = 0;
    virtual void InsertControl(TControl* control, TAlign insertAt, TControl* dropControl) = 0;
    virtual void RemoveControl(TControl* control) = 0;
    // Lays the docked controls out again.
    virtual void ResetBounds(bool force) = 0;
    virtual void PaintSite(HDC dc) = 0;
    // Where `client` would go (screen coordinates) when dropped at `dropAlign` of
    // `dropControl` (null: the site).
    virtual void PositionDockRect(TControl* client, TControl* dropControl, TAlign dropAlign,
                                  TRect& dockRect) = 0;
    virtual void SetReplacingControl(TControl* control) = 0;
    // Mouse messages of the site; true when the manager took the message (grabber, close box).
    virtual bool MouseMessage(TMessage& message) = 0;
};

// ---------------------------------------------------------------------------------------------
// The windowless control: bounds inside its parent, appearance, mouse and message handling.
class TControl : public TComponent {
    CL_COMPONENT_CLASS(TControl, TComponent)

    explicit TControl(TComponent* owner);

    // Geometry. Left/Top are parent-client coordinates (screen ones for top-level forms).
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& rect) {
        SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    }
    virtual TRect GetClientRect();
    TRect ClientRect() { return GetClientRect(); }
    // The interior's right and bottom edges.
    int ClientWidth() { return GetClientRect().Right; }
    int ClientHeight() { return GetClientRect().Bottom; }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);
    void SetClientSize(int width, int height);
    TPoint ClientOrigin();
    TPoint ClientToScreen(TPoint point);
    TPoint ScreenToClient(TPoint point);
    void BringToFront();
    void SendToBack();

    // Hierarchy.
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    // True while the control and every parent up to a form or parent window are visible.
    virtual bool Showing() const;

    // Appearance.
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // Asks the parents to show the control (a page control brings its page forward), then
    // makes it visible.
    void Show();
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return font_; }
    void SetFont(TFont* value) { font_->Assign(value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    AnsiString Caption() { return GetText(); }
    void SetCaption(const AnsiString& value) { SetText(value); }
    AnsiString Text() { return GetText(); }
    AnsiString GetText();
    void SetText(const AnsiString& value);
    int GetTextLen();
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& value) { hint_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* value);
    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    const TAnchors& Anchors() const { return anchors_; }
    void SetAnchors(const TAnchors& value);
    TSizeConstraints* Constraints() const { return constraints_; }
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool value);
    virtual bool CanAutoSize(int& newWidth, int& newHeight);
    virtual void AdjustSize();
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode value) { dragMode_ = value; }
    TDragKind DragKind() const { return dragKind_; }
    void SetDragKind(TDragKind value) { dragKind_ = value; }
    TCursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(TCursor value) { dragCursor_ = value; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }

    // Reading order: left to right only.
    TBiDiMode BiDiMode() const { return bdLeftToRight; }
    void SetBiDiMode(TBiDiMode) {}
    bool ParentBiDiMode() const { return true; }
    void SetParentBiDiMode(bool) {}
    bool UseRightToLeftAlignment() const { return false; }
    bool UseRightToLeftReading() const { return false; }
    UINT DrawTextBiDiModeFlags(UINT flags) const { return flags; }
    UINT DrawTextBiDiModeFlagsReadingOnly() const { return 0; }
    virtual TAlignment GetControlsAlignment() const { return taLeftJustify; }

    TControlStyle ControlStyle;
    TControlState ControlState;

    // Refresh. Repaint paints before it returns.
    virtual void Invalidate();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    virtual void Update();

    // Messages: WindowProc (replaceable) -> WndProc -> Dispatch -> DefaultHandler.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    std::function<void(TMessage&)> WindowProc;
    virtual void WndProc(TMessage& message);
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // Mouse capture.
    bool MouseCapture() const;
    void SetMouseCapture(bool value);
    // Tells the focused control of every form up the parent chain that `sender` takes the
    // mouse (CM_CANCELMODE, LParam = sender): drop-downs close, drags end. A left button
    // pressed on a control sends it by itself.
    void SendCancelMode(TControl* sender);
    // Mirrors the children left to right (nothing for a windowless control).
    virtual void FlipChildren(bool allLevels);

    // Actions.
    TBasicAction* Action() const { return action_; }
    void SetAction(TBasicAction* value);
    TControlActionLinkBase* ActionLink() const { return actionLink_; }
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    virtual TControlActionLinkClass GetActionLinkClass() { return DefaultControlActionLinkClass; }

    // In-process drag and drop (cl_dragging). BeginDrag takes the mouse; unless `immediate`,
    // the drag starts once the pointer has moved more than `threshold` pixels (-1: the
    // default) and a release before that ends it unseen. A started drag fires OnStartDrag
    // (OnStartDock with dkDock), asks the control under the pointer through DragOver and, on
    // release over one that accepts, calls its DragDrop; OnEndDrag (OnEndDock) always ends it.
    // Escape or a lost capture cancels. With dmAutomatic a left press begins a drag by itself.
    void BeginDrag(bool immediate, int threshold = -1);
    // Ends this control's drag: dropped where the pointer is, or cancelled.
    void EndDrag(bool drop);
    // True from BeginDrag until the drag ends.
    bool Dragging() const;
    // A drag over the control: `accept` says whether a drop here is taken. The default
    // accepts when OnDragOver is assigned and lets it decide.
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);

    // Docking. The site the control is docked on (null when it is not docked); docking goes
    // through the site's CM_DOCKCLIENT and leaving through the old site's CM_UNDOCKCLIENT.
    TWinControl* HostDockSite() const { return hostDockSite_; }
    // Docks on `newDockSite` at `controlSide` of `dropControl` (of the site when null); a
    // null site floats the control where it is. False when a site refused it.
    bool ManualDock(TWinControl* newDockSite, TControl* dropControl = nullptr,
                    TAlign controlSide = alNone);
    // Floats the control in a window of its own at `screenRect` (a form: by itself).
    bool ManualFloat(const TRect& screenRect);
    // Moves the control onto the site at `rect` (site client coordinates), taking it off the
    // old site first.
    virtual void Dock(TWinControl* newDockSite, const TRect& rect);
    bool Floating() const;
    TDockOrientation DockOrientation() const { return dockOrientation_; }
    void SetDockOrientation(TDockOrientation value) { dockOrientation_ = value; }

    virtual void ChangeScale(int multiplier, int divider);
    virtual HPALETTE GetPalette() { return nullptr; }

    // Streaming: a control is written among its parent's children and read onto the reader's
    // parent.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void ReadState(TReader* reader) override;
    void Loaded() override;
    void BeforeDestruction() override;
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TNotifyEvent OnResize;
    TConstrainedResizeEvent OnConstrainedResize;
    TContextPopupEvent OnContextPopup;
    TDragDropEvent OnDragDrop;
    TDragOverEvent OnDragOver;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    std::function<void(TObject* sender, TDragDockObject*& dragObject)> OnStartDock;
    TEndDragEvent OnEndDock;

protected:
    ~TControl() override;

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
    virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
    virtual void Resize();
    virtual void ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight);
    virtual void VisibleChanged();
    virtual void DoContextPopup(TPoint mousePos, bool& handled);
    // The text storage of windowless controls; windowed ones use the window text.
    virtual AnsiString GetTextBuf();
    virtual void SetTextBuf(const AnsiString& text);
    // Called when Parent/Visible/Enabled may have changed what is on screen.
    virtual void UpdateShowing() {}
    // Asks the parent to realign its children (no-op while alignment is disabled).
    void RequestAlign();
    void InvalidateControl(bool isVisible, bool isOpaque);
    void SetBoundsFields(int left, int top, int width, int height);
    void ApplyConstraints(int& width, int& height);
    void RememberAnchorBase();
    static TShiftState KeysToShiftState(UINT keys);
    static TShiftState KeyDataToShiftState(LPARAM keyData);

private:
    friend class TWinControl;
    friend class TControlCanvas;
    void HandleMouseButton(TMessage& message, TMouseButton button, bool down, bool dbl);
    void FontChanged(TObject* sender);

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TWinControl* parent_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    TFont* font_ = nullptr;
    bool parentFont_ = true;
    AnsiString text_;
    AnsiString hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = crDefault;
    TPopupMenu* popupMenu_ = nullptr;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    TRect anchorBounds_;
    TSize anchorParentSize_;
    bool anchorBaseValid_ = false;
    TSizeConstraints* constraints_ = nullptr;
    bool autoSize_ = false;
    TDragMode dragMode_ = dmManual;
    TDragKind dragKind_ = dkDrag;
    TCursor dragCursor_ = crDrag;
    int helpContext_ = 0;
    TBasicAction* action_ = nullptr;
    TControlActionLinkBase* actionLink_ = nullptr;
    TWinControl* hostDockSite_ = nullptr;
    TDockOrientation dockOrientation_ = doNoOrient;
};

using TControlClass = const TMetaClass*;

// What CreateParams fills in before the window is created.
struct TCreateParams {
    AnsiString Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    WNDCLASSA WindowClass{};
    // The registered name of the window class; for subclassed system controls, the system's.
    AnsiString WinClassName;
};

// ---------------------------------------------------------------------------------------------
// The windowed control: an HWND created on demand, child controls, alignment, focus and keys.
class TWinControl : public TControl {
    CL_COMPONENT_CLASS(TWinControl, TControl)

    explicit TWinControl(TComponent* owner);

    // Window life.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    HWND WindowHandle() const { return handle_; }
    void HandleNeeded();
    HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(HWND value);
    virtual void CreateHandle();
    void DestroyHandle();
    void RecreateWnd();

    // Children.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_[index]; }
    bool ContainsControl(TControl* control) const;
    // The topmost visible child under `point` (client coordinates), graphic ones included.
    TControl* ControlAtPos(TPoint point, bool allowDisabled, bool allowWinControls = false);
    // Sends the message to every child until one answers with a non-zero result.
    void Broadcast(TMessage& message);
    void NotifyControls(UINT msg);
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    // Layout.
    virtual void AlignControls(TControl* control, TRect& rect);
    virtual void AdjustClientRect(TRect& rect);
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    void Realign();
    bool AlignDisabled() const { return alignDisabled_ != 0; }
    TRect GetClientRect() override;
    void SetBounds(int left, int top, int width, int height) override;

    // Makes `control`, a child somewhere below, visible on screen: the default passes the
    // request up to the parent; containers that show one child at a time override it.
    virtual void ShowControl(TControl* control);
    void FlipChildren(bool allLevels) override;

    // Focus.
    virtual void SetFocus();
    virtual bool Focused();
    virtual bool CanFocus();
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    int TabOrder() const;
    void SetTabOrder(int value);
    void GetTabOrderList(std::vector<TWinControl*>& list);
    void SelectFirst();
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent);

    // Appearance.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool value);
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    TBrush* Brush() const { return brush_; }
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    TImeMode ImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode value) { imeMode_ = value; }
    const AnsiString& ImeName() const { return imeName_; }
    void SetImeName(const AnsiString& value) { imeName_ = value; }

    // Docking site. With DockSite and UseDockManager the site has a dock manager that lays
    // its docked controls out and paints their grabbers.
    bool DockSite() const { return dockSite_; }
    void SetDockSite(bool value);
    bool UseDockManager() const { return useDockManager_; }
    void SetUseDockManager(bool value);
    IDockManager* DockManager() const { return dockManager_; }
    int DockClientCount() const { return static_cast<int>(dockClients_.size()); }
    TControl* DockClients(int index) const { return dockClients_.at(index); }
    // Where a control may dock (screen coordinates) and whether it can; OnGetSiteInfo.
    virtual void GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos,
                             bool& canDock);
    // A docking control over the site: the dock rectangle is placed, then OnDockOver.
    virtual void DockOver(TDragDockObject* source, int x, int y, TDragState state,
                          bool& accept);
    // A control has docked: the manager places it, then OnDockDrop.
    virtual void DockDrop(TDragDockObject* source, int x, int y);

    std::function<void(TObject* sender, TDragDockObject* source, int x, int y)> OnDockDrop;
    std::function<void(TObject* sender, TDragDockObject* source, int x, int y, TDragState state,
                       bool& accept)>
        OnDockOver;
    std::function<void(TObject* sender, TControl* dockClient, TRect& influenceRect,
                       TPoint mousePos, bool& canDock)>
        OnGetSiteInfo;
    std::function<void(TObject* sender, TControl* client, TWinControl* newTarget, bool& allow)>
        OnUnDock;

    // Painting.
    void PaintControls(HDC dc, TControl* first);
    virtual void PaintTo(HDC dc, int x, int y);
    bool Showing() const override;
    void Invalidate() override;
    void Repaint() override;
    void Update() override;
    void SetParent(TWinControl* parent) override;

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void BeforeDestruction() override;
    // Runs the alignment that waited for the end of loading.
    void Loaded() override;
    // The child controls that `root` owns; reading places the children read on this control.
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void ReadState(TReader* reader) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    ~TWinControl() override;

    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    // Makes the window a subclassed system control: the system class's procedure becomes the
    // default handler.
    void CreateSubClass(TCreateParams& params, const char* sysClassName);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    virtual void PaintWindow(HDC dc);
    virtual void DoEnter();
    virtual void DoExit();
    // The site's dock manager (null: none). The default makes a TDockTree when the control is
    // a dock site with UseDockManager, and keeps an existing one.
    virtual IDockManager* CreateDockManager();
    // A docking control joins (the default makes it a child at `rect`) or leaves the site.
    virtual void DoAddDockClient(TControl* client, const TRect& rect);
    virtual void DoRemoveDockClient(TControl* client);
    // OnUnDock; false when the site keeps the control.
    virtual bool DoUnDock(TWinControl* newTarget, TControl* client);
    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // True when the key was handled (and must not reach the window).
    bool DoKeyDown(TMessage& message);
    bool DoKeyUp(TMessage& message);
    bool DoKeyPress(TMessage& message);
    void UpdateShowing() override;
    void UpdateBounds();
    void VisibleChanged() override;
    // Moves the window to its parent's handle and z-order position after SetParent.
    void UpdateControlState();

private:
    friend class TControl;
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    void AttachHandle(HWND handle);
    void UpdateDockManager();
    void HandleDockClient(TMessage& message);
    void ForgetDockClient(TControl* client);
    void NotifyDockClientChange(TControl* client, UINT msg, WPARAM wParam, LPARAM lParam);
    void ApplyAnchors(TControl* control, const TRect& clientRect);
    void AlignGroup(TAlign align, TRect& rect);
    bool ReflectNotification(TMessage& message);
    TWinControl* ReflectTarget(TMessage& message);
    void PaintHandler(TMessage& message);
    void EraseBackground(TMessage& message);
    bool RouteMouseToGraphicChild(TMessage& message);
    void TrackMouseLeave();
    void HandleSetCursor(TMessage& message);
    void HandleKeyDownPreprocessing(TMessage& message);
    void HandleContextMenu(TMessage& message);
    void HandleCtlColor(TMessage& message);
    void ApplyFont();

    HWND handle_ = nullptr;
    HWND parentWindow_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    int alignDisabled_ = 0;
    bool alignPending_ = false;
    bool aligning_ = false;
    bool tabStop_ = false;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    bool doubleBuffered_ = false;
    bool trackingLeave_ = false;
    TBrush* brush_ = nullptr;
    int borderWidth_ = 0;
    TImeMode imeMode_ = imDontCare;
    AnsiString imeName_;
    bool dockSite_ = false;
    bool useDockManager_ = false;
    IDockManager* dockManager_ = nullptr;
    std::vector<TControl*> dockClients_;
};


// A windowless control painted by its parent: Canvas is the parent's DC moved to the control.
class TGraphicControl : public TControl {
    CL_COMPONENT_CLASS(TGraphicControl, TControl)

    explicit TGraphicControl(TComponent* owner);
    TCanvas* Canvas() const { return canvas_; }
    void Dispatch(TMessage& message) override;

protected:
    ~TGraphicControl() override;
    virtual void Paint() {}

private:
    TControlCanvas* canvas_ = nullptr;
};

// A windowed control that paints itself on its Canvas.
class TCustomControl : public TWinControl {
    CL_COMPONENT_CLASS(TCustomControl, TWinControl)

    explicit TCustomControl(TComponent* owner);
    TCanvas* Canvas() const { return canvas_; }

protected:
    ~TCustomControl() override;
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    TControlCanvas* canvas_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// The mouse: cursor position, wheel settings and capture.
class TMouse {
public:
    TPoint CursorPos() const;
    void SetCursorPos(TPoint point);
    // The raw system value; WHEEL_PAGESCROLL (UINT_MAX) means a page per notch.
    UINT WheelScrollLines() const;
    bool IsWheelPageScroll() const { return WheelScrollLines() == WHEEL_PAGESCROLL; }
    TControl* Capture() const;
    void SetCapture(TControl* control);
};
extern TMouse* Mouse;

// What the menus unit supplies to windows: menu messages (commands, owner draw, popup
// initialisation) arriving at a window, context popups and the handle of a form's main menu.
struct TMenuHooks {
    // True when the message was handled.
    std::function<bool(TWinControl* receiver, TMessage& message)> DispatchMessage;
    // True when the menu popped up.
    std::function<bool(TPopupMenu* menu, TControl* control, TPoint screenPos)> Popup;
    // True when the key message matched a shortcut of the menu.
    std::function<bool(TMainMenu* menu, TMessage& keyMessage)> IsShortCut;
    std::function<HMENU(TMainMenu* menu)> Handle;
};
extern TMenuHooks MenuHooks;

// A hidden top-level window whose procedure is `handler` (inside the exception barrier). The
// handler sets message.Result, calling DefWindowProcA itself for messages it does not take.
HWND AllocateHWnd(std::function<void(TMessage&)> handler);
void DeallocateHWnd(HWND window);

// Lookups.
TWinControl* FindControl(HWND window);
TWinControl* FindWinControlAt(TPoint screenPos);
// Graphic controls included.
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);
TCustomForm* GetParentForm(TControl* control);
// Raises EInvalidOperation when the control is on no form.
TCustomForm* ValidParentForm(TControl* control);
// The "&x" accelerator test, case-insensitive.
bool IsAccel(uint16_t key, const AnsiString& caption);

CL_DECLARE_EXCEPTION(EInvalidOperation, Exception);

// The control under the mouse, as told by CM_MOUSEENTER/CM_MOUSELEAVE.
TControl* MouseControl();
// Compares the control under the cursor with the last one and sends leave/enter messages.
void UpdateMouseControl(TControl* underCursor);

// Disables the visible, enabled top-level windows of the calling thread except `except`
// (around modal windows and boxes) and returns them for EnableTaskWindows.
std::vector<HWND> DisableTaskWindows(HWND except);
void EnableTaskWindows(const std::vector<HWND>& windows);

// Runs the message through `control`'s WindowProc inside the exception barrier.
LRESULT CallControlWindowProc(TControl* control, TMessage& message);


// A control made in code, as a form builds its children: owned by `owner`, named unless `name`
// is empty, placed on `parent` at the given bounds.
template <class T>
T* PlaceControl(TComponent* owner, TWinControl* parent, const AnsiString& name, int x, int y,
                int w, int h) {
    T* control = new T(owner);
    if (!name.IsEmpty()) control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(x, y, w, h);
    return control;
}
