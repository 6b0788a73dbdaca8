// Forms and the application: scrolling containers, top-level forms with their modal loop and
// dialog keys, the application object with its message loop and exception box, screen, hints.
#pragma once

#include <exception>
#include <map>

#include "cl_controls.h"

class TCustomForm;
class TApplicationEvents;

// ---------------------------------------------------------------------------------------------
// Scroll bars of a scrolling container.
enum TScrollBarKind { sbHorizontal, sbVertical };

class TScrollingWinControl;

class TControlScrollBar : public TPersistent {
    CL_CLASS(TControlScrollBar, TPersistent)

    TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind)
        : control_(control), kind_(kind) {}
    TScrollBarKind Kind() const { return kind_; }
    int Range() const { return range_; }
    void SetRange(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // True when the bar is shown now (visible and the range exceeds the client size).
    bool IsScrollBarVisible();
    void Assign(TPersistent* source) override;

private:
    friend class TScrollingWinControl;
    int ClientSize();
    int MaxPosition();
    void Update();
    void ScrollMessage(TMessage& message);

    TScrollingWinControl* control_;
    TScrollBarKind kind_;
    int range_ = 0;
    int position_ = 0;
    int increment_ = 8;
    bool visible_ = true;
};

// A container whose children move with its scroll bars; with AutoScroll the range follows
// the children's extent.
class TScrollingWinControl : public TWinControl {
    CL_COMPONENT_CLASS(TScrollingWinControl, TWinControl)

    explicit TScrollingWinControl(TComponent* owner);
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value);
    TControlScrollBar* HorzScrollBar() const { return horzScrollBar_; }
    TControlScrollBar* VertScrollBar() const { return vertScrollBar_; }
    void ScrollInView(TControl* control);
    void DisableAutoRange() { ++autoRangeDisabled_; }
    void EnableAutoRange();
    void AlignControls(TControl* control, TRect& rect) override;
    void Dispatch(TMessage& message) override;

protected:
    ~TScrollingWinControl() override;
    void CreateWnd() override;
    void CreateParams(TCreateParams& params) override;
    void CalcAutoRange();
    // Moves the children by the change of the scroll position.
    void ScrollBy(int deltaX, int deltaY);

private:
    friend class TControlScrollBar;
    TControlScrollBar* horzScrollBar_ = nullptr;
    TControlScrollBar* vertScrollBar_ = nullptr;
    bool autoScroll_ = true;
    int autoRangeDisabled_ = 0;
    bool updatingScrollBars_ = false;
};

class TScrollBox : public TScrollingWinControl {
    CL_COMPONENT_CLASS(TScrollBox, TScrollingWinControl)

    explicit TScrollBox(TComponent* owner);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TBorderStyle borderStyle_ = bsSingle;
};

// ---------------------------------------------------------------------------------------------
// Forms. The orders of TPosition and TWindowState are stored as bytes in saved dialog states:
// never reorder them.
enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
    poDesktopCenter, poMainFormCenter, poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = std::set<TBorderIcon>;
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = std::set<TFormStateItem>;
using TFormBorderStyle = TBorderStyle;

class TCustomForm : public TScrollingWinControl {
    CL_COMPONENT_CLASS(TCustomForm, TScrollingWinControl)

    explicit TCustomForm(TComponent* owner);

    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    const TBorderIcons& BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(const TBorderIcons& value);
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value);
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* value);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    TCanvas* Canvas() const { return canvas_; }
    const TFormState& FormState() const { return formState_; }
    bool Active() const { return active_; }
    // Setting the client size before the window exists is applied when it is created.
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;

    void Show();
    void Hide();
    virtual int ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the messages now queued for it are handled.
    void Release();
    void BringToFront();

    // Sends CM_CANCELMODE (LParam = sender) to the focused control of the active form.
    void SendCancelMode(TControl* sender);

    // Focus bookkeeping.
    void DefocusControl(TWinControl* control, bool removing);
    void FocusControl(TWinControl* control);
    bool SetFocusedControl(TWinControl* control);
    void SetFocus() override;
    TBitmap* GetFormImage();
    HWND ClientHandle() const { return nullptr; }
    TObject* Designer() const { return nullptr; }

    void Dispatch(TMessage& message) override;
    void Loaded() override;
    void BeforeDestruction() override;
    bool Showing() const override;
    // On a parent (docked) the form is a child window; without one, a window of its own.
    void SetParent(TWinControl* parent) override;
    // Streaming: the owned components without a parent (menus, timers, ...), then the
    // controls.
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    // Takes CM_ACTIONEXECUTE / CM_ACTIONUPDATE to the focused control, the form itself and
    // then every visible control of the form.
    bool DispatchAction(TBasicAction* action, bool execute);
    // Runs OnCreate once (also called by Application->CreateForm).
    void DoCreate();

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    THelpEvent OnHelp;

protected:
    ~TCustomForm() override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    void UpdateShowing() override;

private:
    void MakeChildParams(TCreateParams& params);
    void ApplyPosition();
    void ApplyPendingClientSize();
    void HandleDialogKey(TMessage& message);
    void HandleActivate(TMessage& message);
    void HandleGetMinMaxInfo(TMessage& message);
    void CloseModal();
    void FocusFirstControl();

    TPosition position_ = poDesigned;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TWindowState windowState_ = wsNormal;
    TMainMenu* menu_ = nullptr;
    bool keyPreview_ = false;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    TControlCanvas* canvas_ = nullptr;
    TFormState formState_;
    TModalResult modalResult_ = mrNone;
    bool active_ = false;
    bool created_ = false;
    bool positioned_ = false;
    int pendingClientWidth_ = -1;
    int pendingClientHeight_ = -1;
};

class TForm : public TCustomForm {
    CL_COMPONENT_CLASS(TForm, TCustomForm)

    explicit TForm(TComponent* owner) : TCustomForm(owner) {}

protected:
    ~TForm() override = default;
};

// ---------------------------------------------------------------------------------------------
// Hints.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos;              // screen coordinates
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;            // control coordinates
    TPoint CursorPos;            // control coordinates
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    AnsiString HintStr;
    void* HintData = nullptr;
};

// The top-most popup that shows a hint text.
class THintWindow : public TCustomControl {
    CL_COMPONENT_CLASS(THintWindow, TCustomControl)

    explicit THintWindow(TComponent* owner);
    virtual void ActivateHint(TRect rect, const AnsiString& hint);
    virtual void ActivateHintData(TRect rect, const AnsiString& hint, void* data);
    virtual TRect CalcHintRect(int maxWidth, const AnsiString& hint, void* data);
    void ReleaseHandle();
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    virtual void NCPaint(HDC dc);
};

// The parts of a hint "short|long": before the first "|", and after it (the whole hint when
// there is no "|").
AnsiString GetShortHint(const AnsiString& hint);
AnsiString GetLongHint(const AnsiString& hint);

using THintWindowClass = std::function<THintWindow*(TComponent* owner)>;
// The factory of hint windows; replace it to change the look of every hint.
extern THintWindowClass HintWindowClass;

// ---------------------------------------------------------------------------------------------
// The application.
using TExceptionEvent = std::function<void(TObject* sender, Exception* e)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;
using TShowHintEvent =
    std::function<void(AnsiString& hintStr, bool& canShow, THintInfo& hintInfo)>;
using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;
// Turns an exception of a type the library does not know into a text; false when it cannot.
using TTranslateExceptionEvent = std::function<bool(std::exception_ptr error, AnsiString& text)>;

constexpr uint16_t HELP_CONTEXT_COMMAND = 1;

class TApplication : public TComponent {
    CL_COMPONENT_CLASS(TApplication, TComponent)

    explicit TApplication(TComponent* owner);

    // Common controls, OLE, the hidden application window, the wake-up of Synchronize.
    void Initialize();
    HWND Handle() const { return handle_; }
    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& value) { title_ = value; }
    AnsiString ExeName() const;
    TCustomForm* MainForm() const { return mainForm_; }

    // Creates a form owned by the application; the first one becomes the main form.
    template <class T> void CreateForm(T*& reference) {
        T* form = new T(this);
        reference = form;
        FormCreated(form);
    }
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }

    void ProcessMessages();
    void HandleMessage();
    void Idle();

    // Call from inside a catch block: shows or routes the exception being handled.
    void HandleException(TObject* sender);
    void ShowException(Exception* e);
    TExceptionEvent OnException;
    TTranslateExceptionEvent OnTranslateException;

    // Safe from any thread.
    int MessageBox(const AnsiString& text, const AnsiString& caption, UINT flags = MB_OK);

    bool HelpCommand(uint16_t command, int data);
    bool HelpContext(int context);
    const AnsiString& HelpFile() const { return helpFile_; }
    void SetHelpFile(const AnsiString& value) { helpFile_ = value; }
    THelpEvent OnHelp;

    // The long hint of the control under the mouse. Setting a different one runs OnHint
    // (and that of every TApplicationEvents); without a handler a THintAction carries it to
    // the controls that show hints.
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& value);
    TNotifyEvent OnHint;
    // Offered every action before its own handler; true when a handler took it.
    bool ExecuteAction(TBasicAction* action) override;
    bool UpdateAction(TBasicAction* action) override;
    std::function<void(TBasicAction* action, bool& handled)> OnActionExecute;
    std::function<void(TBasicAction* action, bool& handled)> OnActionUpdate;

    bool Active() const { return active_; }
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TIdleEvent OnIdle;
    TMessageEvent OnMessage;

    // Hints.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    int HintPause() const { return hintPause_; }
    void SetHintPause(int value) { hintPause_ = value; }
    int HintShortPause() const { return hintShortPause_; }
    void SetHintShortPause(int value) { hintShortPause_ = value; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int value) { hintHidePause_ = value; }
    TColor HintColor() const { return hintColor_; }
    void SetHintColor(TColor value) { hintColor_ = value; }
    TShowHintEvent OnShowHint;
    void CancelHint();
    void ActivateHint(TPoint screenPos);
    THintWindow* HintWindow() const { return hintWindow_; }
    TControl* HintControl() const { return hintControl_; }
    void BringToFront();

    // Called by controls when the mouse moves over them.
    void HintMouseMessage(TControl* control, TMessage& message);
    void BeforeDestruction() override;

private:
    friend class TApplicationEvents;
    friend class TCustomForm;
    void FormCreated(TCustomForm* form);
    void ReportException(TObject* sender, Exception* e);
    bool ProcessMessage(MSG& msg);
    bool IsPreProcessed(MSG& msg);
    bool IsKeyMessage(MSG& msg);
    void WindowHandler(TMessage& message);
    void HintTimerExpired();
    void StartHintTimer(int delay);
    void StopHintTimer();
    void HideHint();
    void DestroyForms();
    bool ShowCurrentHint();

    HWND handle_ = nullptr;
    AnsiString title_;
    AnsiString helpFile_;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool active_ = true;
    bool showHint_ = true;
    int hintPause_ = 500;
    int hintShortPause_ = 50;
    int hintHidePause_ = 2500;
    TColor hintColor_ = clInfoBk;
    THintWindow* hintWindow_ = nullptr;
    TControl* hintControl_ = nullptr;
    AnsiString hint_;
    bool hintActive_ = false;
    bool hintTimerRunning_ = false;
    TPoint lastMousePos_;
    std::vector<TApplicationEvents*> events_;
};

extern TApplication* Application;

// A component that adds handlers to the application's events; several instances chain.
class TApplicationEvents : public TComponent {
    CL_COMPONENT_CLASS(TApplicationEvents, TComponent)

    explicit TApplicationEvents(TComponent* owner);
    void BeforeDestruction() override;

    THelpEvent OnHelp;
    TExceptionEvent OnException;
    TShowHintEvent OnShowHint;
    TIdleEvent OnIdle;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnHint;
    std::function<void(TBasicAction* action, bool& handled)> OnActionExecute;
    std::function<void(TBasicAction* action, bool& handled)> OnActionUpdate;

protected:
    ~TApplicationEvents() override = default;
};

// ---------------------------------------------------------------------------------------------
// The screen.
class TMonitor : public TObject {
    CL_CLASS(TMonitor, TObject)

    explicit TMonitor(HMONITOR handle) : handle_(handle) {}
    HMONITOR Handle() const { return handle_; }
    TRect BoundsRect() const;
    TRect WorkareaRect() const;
    bool Primary() const;

private:
    HMONITOR handle_;
};

class TScreen : public TComponent {
    CL_COMPONENT_CLASS(TScreen, TComponent)

    explicit TScreen(TComponent* owner);

    TCursor Cursor() const { return cursor_; }
    // Applied at once.
    void SetCursor(TCursor value);
    HCURSOR Cursors(int index);
    void SetCursors(int index, HCURSOR cursor);
    int Width() const;
    int Height() const;
    int PixelsPerInch() const;
    TFont* MenuFont();
    int MonitorCount();
    TMonitor* Monitors(int index);
    TMonitor* MonitorFromPoint(TPoint point);
    TMonitor* MonitorFromWindow(HWND window);
    TRect WorkAreaRect() const;
    TRect DesktopRect() const;
    TCustomForm* ActiveForm() const { return activeForm_; }
    TWinControl* ActiveControl() const;
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const { return forms_[index]; }
    void BeforeDestruction() override;

private:
    friend class TCustomForm;
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form) { activeForm_ = form; }
    TMonitor* MonitorFor(HMONITOR handle);

    TCursor cursor_ = crDefault;
    std::map<int, HCURSOR> cursors_;
    std::vector<TCustomForm*> forms_;
    std::vector<TMonitor*> monitors_;
    TCustomForm* activeForm_ = nullptr;
    TFont* menuFont_ = nullptr;
};

extern TScreen* Screen;
