#include "cl_dragging.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "cl_forms.h"
#include "cl_graphics.h"

namespace {

// The drag that runs. Until `started` it only waits for the pointer to pass the threshold.
struct TDragRun {
    TControl* control = nullptr;
    TDragObject* object = nullptr;
    bool ownsObject = false;
    bool docking = false;
    bool started = false;
    bool ending = false;
    bool tookCapture = false;
    // Begun with the left button down: a move without it means the release was lost.
    bool leftButton = false;
    HWND captureWindow = nullptr;
    int threshold = DefaultDragThreshold;
    TPoint startPos;
    TPoint pos;
    // The control under the pointer (a plain drag) or the dock site (a docking drag).
    TControl* target = nullptr;
    bool accepted = false;
    // A docking drag: the control's screen rectangle when the drag started.
    TRect startRect;
};

TDragRun run;
// A drag whose drop and end events are being fired (null: none).
TDragRun* finishing = nullptr;
TPoint lastMousePos;
bool lastLeftButton = false;
bool mouseNoted = false;
std::vector<TWinControl*> dockSites;
// The dock rectangle inverted on the screen (none while `frameShown` is false).
TRect frame;
bool frameShown = false;

constexpr int FrameWidth = 3;

bool Contains(const TRect& rect, TPoint point) {
    return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top &&
           point.Y < rect.Bottom;
}

TRect Offset(const TRect& rect, int dx, int dy) {
    return {rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy};
}

TRect ScreenBounds(TControl* control) {
    const TPoint origin = control->Parent()
                              ? control->Parent()->ClientToScreen(control->BoundsRect().TopLeft())
                              : control->BoundsRect().TopLeft();
    return Bounds(origin.X, origin.Y, control->Width(), control->Height());
}

void InvertFrame(const TRect& rect) {
    ScreenDC dc;
    const int inner = std::max(0, rect.Height() - 2 * FrameWidth);
    PatBlt(dc, rect.Left, rect.Top, rect.Width(), FrameWidth, DSTINVERT);
    PatBlt(dc, rect.Left, rect.Bottom - FrameWidth, rect.Width(), FrameWidth, DSTINVERT);
    PatBlt(dc, rect.Left, rect.Top + FrameWidth, FrameWidth, inner, DSTINVERT);
    PatBlt(dc, rect.Right - FrameWidth, rect.Top + FrameWidth, FrameWidth, inner, DSTINVERT);
}

void HideFrame() {
    if (!frameShown) return;
    InvertFrame(frame);
    frameShown = false;
}

void ShowFrame(const TRect& rect) {
    if (frameShown && frame == rect) return;
    HideFrame();
    InvertFrame(rect);
    frame = rect;
    frameShown = true;
}

// What drop targets see as the source: the control, or the object its OnStartDrag gave.
TObject* Source(const TDragRun& drag) {
    return drag.ownsObject ? static_cast<TObject*>(drag.control) : drag.object;
}

TDragDockObject* DockObject() { return static_cast<TDragDockObject*>(run.object); }

bool AskTarget(TControl* target, TDragState state) {
    const TPoint local = target->ScreenToClient(run.pos);
    bool accept = false;
    target->DragOver(Source(run), local.X, local.Y, state, accept);
    return accept;
}

// The site first offers its client area; DockOver may place the rectangle elsewhere.
bool AskSite(TWinControl* site, TDragState state) {
    TDragDockObject* object = DockObject();
    const TPoint origin = site->ClientToScreen({0, 0});
    const TRect client = site->ClientRect();
    object->DockRect = Bounds(origin.X, origin.Y, client.Width(), client.Height());
    object->DropOnControl = nullptr;
    object->DropAlign = alNone;
    const TPoint local = site->ScreenToClient(run.pos);
    bool accept = true;
    site->DockOver(object, local.X, local.Y, state, accept);
    return accept;
}

bool MayHost(TWinControl* site) {
    if (!site->Showing() || !site->HandleAllocated()) return false;
    for (TControl* control = site; control; control = control->Parent())
        if (control == run.control) return false;
    return !(site == run.control->HostDockSite() && run.control->Floating());
}

// Of the sites whose influence rectangle holds the point, the innermost one under the pointer,
// else the first registered.
TWinControl* FindDockSite(TPoint pos) {
    std::vector<TWinControl*> candidates;
    for (TWinControl* site : std::vector<TWinControl*>(dockSites)) {
        if (!run.control || !MayHost(site)) continue;
        TRect influence;
        bool canDock = true;
        site->GetSiteInfo(run.control, influence, pos, canDock);
        if (canDock && Contains(influence, pos)) candidates.push_back(site);
    }
    for (TControl* under = FindDragTarget(pos, false); under; under = under->Parent())
        if (std::find(candidates.begin(), candidates.end(), under) != candidates.end())
            return static_cast<TWinControl*>(under);
    return candidates.empty() ? nullptr : candidates.front();
}

// Asks the control (or site) under the pointer; a new one gets dsDragEnter after the old
// one's dsDragLeave.
void MoveDrag() {
    TControl* target = FindDragTarget(run.pos, false);
    TDragState state = dsDragMove;
    if (target != run.target) {
        TControl* left = run.target;
        run.target = target;
        if (left) AskTarget(left, dsDragLeave);
        state = dsDragEnter;
    }
    run.accepted = target && run.target == target && AskTarget(target, state);
    if (!run.control) return;
    const TCursor cursor = run.object->GetDragCursor(run.accepted, run.pos.X, run.pos.Y);
    ::SetCursor(Screen->Cursors(cursor));
}

// Asks the site (if any): the dock rectangle lies on the site when it accepts, otherwise the
// control floats where the pointer has taken it.
void PlaceDockRect(TWinControl* site, TDragState state) {
    run.accepted = site && run.target == site && AskSite(site, state);
    if (!run.control) return;
    TDragDockObject* object = DockObject();
    object->Floating = !run.accepted;
    if (object->Floating)
        object->DockRect = Offset(run.startRect, run.pos.X - run.startPos.X,
                                  run.pos.Y - run.startPos.Y);
}

void MoveDock() {
    TWinControl* site = FindDockSite(run.pos);
    if (!run.control) return;
    TDragState state = dsDragMove;
    if (site != run.target) {
        auto* left = static_cast<TWinControl*>(run.target);
        run.target = site;
        if (left) AskSite(left, dsDragLeave);
        state = dsDragEnter;
    }
    PlaceDockRect(site, state);
    if (run.control) ShowFrame(DockObject()->DockRect);
}

void MoveTo(TPoint pos) {
    run.pos = pos;
    if (!run.object) return;  // OnStartDrag or OnStartDock still runs
    if (run.docking)
        MoveDock();
    else
        MoveDrag();
}

void StartDrag() {
    TControl* control = run.control;
    run.started = true;
    control->ControlState.erase(csLButtonDown);
    control->ControlState.erase(csClicked);
    if (control->DragKind() == dkDock) {
        run.docking = true;
        TDragDockObject* object = nullptr;
        if (control->OnStartDock) control->OnStartDock(control, object);
        if (run.control != control) return;
        run.ownsObject = !object;
        run.object = object ? object : new TDragDockObject(control);
        run.startRect = ScreenBounds(control);
    } else {
        TDragObject* object = nullptr;
        if (control->OnStartDrag) control->OnStartDrag(control, object);
        if (run.control != control) return;
        run.ownsObject = !object;
        run.object = object ? object : new TDragObject();
        if (!run.object->Control) run.object->Control = control;
    }
}

void ReleaseDragCapture(const TDragRun& drag) {
    if (!drag.started && !drag.tookCapture) return;
    if (GetCapture() != drag.captureWindow) return;
    if (drag.control && drag.control->MouseCapture())
        drag.control->SetMouseCapture(false);
    else
        ReleaseCapture();
}

TPoint LocalPoint(TControl* control, TPoint screenPos) {
    return control ? control->ScreenToClient(screenPos) : TPoint();
}

// Keeps an ending drag within ForgetDragControl's reach while its events run, then frees the
// drag object it made.
class TFinishingGuard {
public:
    explicit TFinishingGuard(TDragRun& drag) : drag_(drag), outer_(finishing) {
        finishing = &drag;
    }
    ~TFinishingGuard() {
        finishing = outer_;
        if (drag_.ownsObject) delete drag_.object;
    }
    TFinishingGuard(const TFinishingGuard&) = delete;
    TFinishingGuard& operator=(const TFinishingGuard&) = delete;

private:
    TDragRun& drag_;
    TDragRun* outer_;
};

void FinishDrag(TDragRun& drag, bool drop) {
    const bool dropped = drop && drag.accepted && drag.target;
    if (dropped) {
        const TPoint local = drag.target->ScreenToClient(drag.pos);
        drag.target->DragDrop(Source(drag), local.X, local.Y);
    }
    // The drop may have freed the target.
    TControl* target = dropped ? drag.target : nullptr;
    const TPoint local = LocalPoint(target, drag.pos);
    if (drag.object) drag.object->Finished(target, local.X, local.Y, target != nullptr);
    if (drag.control && drag.control->OnEndDrag)
        drag.control->OnEndDrag(drag.control, target, local.X, local.Y);
}

void FinishDock(TDragRun& drag, bool drop) {
    auto* object = static_cast<TDragDockObject*>(drag.object);
    auto* site = static_cast<TWinControl*>(drop && drag.accepted ? drag.target : nullptr);
    if (site) {
        TCMDockClient info{object, drag.pos};
        site->Perform(CM_DOCKCLIENT, 0, reinterpret_cast<LPARAM>(&info));
        if (!drag.control || drag.control->HostDockSite() != site) site = nullptr;
    } else if (drop && drag.control) {
        drag.control->ManualFloat(object->DockRect);
    }
    const TPoint local = LocalPoint(site, drag.pos);
    object->Finished(site, local.X, local.Y, site != nullptr);
    if (drag.control && drag.control->OnEndDock)
        drag.control->OnEndDock(drag.control, site, local.X, local.Y);
}

}  // namespace

void BeginControlDrag(TControl* control, bool immediate, int threshold) {
    if (run.control || !control) return;
    run = TDragRun();
    run.control = control;
    run.threshold = threshold < 0 ? DefaultDragThreshold : threshold;
    run.startPos = run.pos = mouseNoted ? lastMousePos : Mouse->CursorPos();
    run.leftButton = mouseNoted ? lastLeftButton : GetKeyState(VK_LBUTTON) < 0;
    run.tookCapture = !control->MouseCapture();
    control->SetMouseCapture(true);
    run.captureWindow = GetCapture();
    if (!run.captureWindow) {
        run = TDragRun();
        return;
    }
    if (!immediate) return;
    StartDrag();
    if (run.control == control) MoveTo(run.pos);
}

TControl* DragControl() { return run.control; }

void EndControlDrag(bool drop) {
    if (!run.control || run.ending) return;
    run.ending = true;
    if (run.started && run.target) {
        TControl* target = run.target;
        if (run.docking) {
            PlaceDockRect(static_cast<TWinControl*>(target), dsDragLeave);
        } else {
            const bool accepted = AskTarget(target, dsDragLeave);
            run.accepted = accepted && run.target == target;
        }
    }
    if (!run.control) return;
    TDragRun drag = run;
    run = TDragRun();
    HideFrame();
    ReleaseDragCapture(drag);
    TFinishingGuard guard(drag);
    if (!drag.started || !drag.object) return;
    if (drag.docking)
        FinishDock(drag, drop);
    else
        FinishDrag(drag, drop);
    Screen->SetCursor(Screen->Cursor());
}

bool DragMessage(TControl* control, TMessage& message) {
    if (!run.control || run.ending) return false;
    const UINT msg = message.Msg;
    if (msg == WM_CAPTURECHANGED) {
        auto* windowed = dynamic_cast<TWinControl*>(control);
        if (windowed && windowed->WindowHandle() == run.captureWindow &&
            reinterpret_cast<HWND>(message.LParam) != run.captureWindow)
            EndControlDrag(false);
        return false;
    }
    if (control != run.control || msg < WM_MOUSEFIRST || msg > WM_MOUSELAST ||
        msg == WM_MOUSEWHEEL)
        return false;
    const TPoint pos = control->ClientToScreen(message.Pos());
    const bool released = msg == WM_LBUTTONUP ||
                          (msg == WM_MOUSEMOVE && run.leftButton && !(message.WParam & MK_LBUTTON));
    if (released) {
        if (!run.started) {
            EndControlDrag(false);
            return false;
        }
        MoveTo(pos);
        EndControlDrag(true);
        return true;
    }
    if (msg == WM_MOUSEMOVE) {
        if (!run.started) {
            if (std::abs(pos.X - run.startPos.X) <= run.threshold &&
                std::abs(pos.Y - run.startPos.Y) <= run.threshold)
                return false;
            StartDrag();
            if (run.control != control) return true;
        }
        MoveTo(pos);
        return true;
    }
    return run.started;
}

void NoteMouseMessage(TPoint screenPos, bool leftButton) {
    lastMousePos = screenPos;
    lastLeftButton = leftButton;
    mouseNoted = true;
}

void ForgetDragControl(TControl* control) {
    dockSites.erase(std::remove(dockSites.begin(), dockSites.end(), control), dockSites.end());
    if (finishing) {
        if (finishing->control == control) finishing->control = nullptr;
        if (finishing->target == control) finishing->target = nullptr;
    }
    if (!run.control) return;
    if (run.target == control) run.target = nullptr;
    if (run.control != control) return;
    // The dragged control goes: the target lets go, no end events.
    if (run.started && run.target && !run.ending) {
        run.ending = true;
        if (run.docking)
            AskSite(static_cast<TWinControl*>(run.target), dsDragLeave);
        else
            AskTarget(run.target, dsDragLeave);
    }
    TDragRun drag = run;
    run = TDragRun();
    HideFrame();
    ReleaseDragCapture(drag);
    if (drag.ownsObject) delete drag.object;
}

void RegisterDockSite(TWinControl* site, bool isSite) {
    dockSites.erase(std::remove(dockSites.begin(), dockSites.end(), site), dockSites.end());
    if (isSite) dockSites.push_back(site);
}
