#include "cl_docking.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// TDockTree

bool TDockTree::GrabbersOnLeft() const {
    return dockSite_->Align() == alTop || dockSite_->Align() == alBottom;
}

std::vector<TControl*> TDockTree::VisibleZones() const {
    std::vector<TControl*> visible;
    for (TControl* control : zones_)
        if (control->Visible() && control != replacing_) visible.push_back(control);
    return visible;
}

TRect TDockTree::ZoneRect(int index, int count) {
    TRect client = dockSite_->ClientRect();
    dockSite_->AdjustClientRect(client);
    if (count <= 0) return client;
    if (GrabbersOnLeft()) {
        const int width = client.Width();
        return Rect(client.Left + width * index / count, client.Top,
                    client.Left + width * (index + 1) / count, client.Bottom);
    }
    const int height = client.Height();
    return Rect(client.Left, client.Top + height * index / count, client.Right,
                client.Top + height * (index + 1) / count);
}

void TDockTree::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) ResetBounds(true);
}

void TDockTree::GetControlBounds(TControl* control, TRect& rect) {
    const std::vector<TControl*> visible = VisibleZones();
    const auto found = std::find(visible.begin(), visible.end(), control);
    if (found == visible.end()) return;
    rect = ZoneRect(static_cast<int>(found - visible.begin()), static_cast<int>(visible.size()));
}

void TDockTree::InsertControl(TControl* control, TAlign insertAt, TControl* dropControl) {
    zones_.erase(std::remove(zones_.begin(), zones_.end(), control), zones_.end());
    const bool before = insertAt == alLeft || insertAt == alTop;
    auto position = std::find(zones_.begin(), zones_.end(), dropControl);
    if (position == zones_.end())
        position = before ? zones_.begin() : zones_.end();
    else if (!before)
        ++position;
    zones_.insert(position, control);
    control->SetAlign(alNone);
    ResetBounds(true);
}

void TDockTree::RemoveControl(TControl* control) {
    zones_.erase(std::remove(zones_.begin(), zones_.end(), control), zones_.end());
    ResetBounds(true);
}

void TDockTree::ResetBounds(bool) {
    if (updateCount_ > 0) return;
    const std::vector<TControl*> visible = VisibleZones();
    for (size_t i = 0; i < visible.size(); ++i) {
        TRect rect = ZoneRect(static_cast<int>(i), static_cast<int>(visible.size()));
        AdjustDockRect(visible[i], rect);
        visible[i]->SetBoundsRect(rect);
    }
    dockSite_->Invalidate();
}

void TDockTree::AdjustDockRect(TControl*, TRect& rect) {
    if (GrabbersOnLeft())
        rect.Left += grabberSize_;
    else
        rect.Top += grabberSize_;
}

TRect TDockTree::FrameRect(TControl* control) {
    const TRect bounds = control->BoundsRect();
    TRect inner = bounds;
    AdjustDockRect(control, inner);
    return Rect(2 * bounds.Left - inner.Left, 2 * bounds.Top - inner.Top,
                2 * bounds.Right - inner.Right, 2 * bounds.Bottom - inner.Bottom);
}

TRect TDockTree::CloseBox(TControl* control) {
    const TRect frame = FrameRect(control);
    if (GrabbersOnLeft())
        return Rect(frame.Left + 1, frame.Top + 1, frame.Left + grabberSize_ - 1,
                    frame.Top + grabberSize_ - 1);
    return Rect(frame.Right - grabberSize_ + 1, frame.Top + 1, frame.Right - 1,
                frame.Top + grabberSize_ - 1);
}

void TDockTree::PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect) {
    HDC dc = canvas->Handle();
    RECT close = ToRECT(CloseBox(control));
    DrawFrameControl(dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    RECT line;
    if (GrabbersOnLeft()) {
        const int x = rect.Left + grabberSize_ / 2 - 2;
        line = {x, close.bottom + 2, x + 3, rect.Bottom - 2};
        DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
        OffsetRect(&line, 3, 0);
    } else {
        const int y = rect.Top + grabberSize_ / 2 - 2;
        line = {rect.Left + 2, y, close.left - 2, y + 3};
        DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
        OffsetRect(&line, 0, 3);
    }
    DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
}

void TDockTree::PaintSite(HDC dc) {
    TCanvas canvas;
    canvas.SetHandle(dc);
    try {
        for (TControl* control : VisibleZones()) PaintDockFrame(&canvas, control, FrameRect(control));
    } catch (...) {
        canvas.SetHandle(nullptr);
        throw;
    }
    canvas.SetHandle(nullptr);
}

void TDockTree::PositionDockRect(TControl*, TControl* dropControl, TAlign dropAlign,
                                 TRect& dockRect) {
    TRect rect = ZoneRect(0, 1);
    const bool inZones = std::find(zones_.begin(), zones_.end(), dropControl) != zones_.end();
    if (inZones && dropControl->Visible()) {
        GetControlBounds(dropControl, rect);
        switch (dropAlign) {
        case alLeft: rect.Right = (rect.Left + rect.Right) / 2; break;
        case alRight: rect.Left = (rect.Left + rect.Right) / 2; break;
        case alTop: rect.Bottom = (rect.Top + rect.Bottom) / 2; break;
        case alBottom: rect.Top = (rect.Top + rect.Bottom) / 2; break;
        default: break;
        }
    }
    const TPoint origin = dockSite_->ClientToScreen(rect.TopLeft());
    dockRect = Bounds(origin.X, origin.Y, rect.Width(), rect.Height());
}

TControl* TDockTree::GrabberAt(TPoint point) {
    for (TControl* control : VisibleZones()) {
        const TRect frame = FrameRect(control);
        const TRect bounds = control->BoundsRect();
        const bool inFrame = point.X >= frame.Left && point.X < frame.Right &&
                             point.Y >= frame.Top && point.Y < frame.Bottom;
        const bool inControl = point.X >= bounds.Left && point.X < bounds.Right &&
                               point.Y >= bounds.Top && point.Y < bounds.Bottom;
        if (inFrame && !inControl) return control;
    }
    return nullptr;
}

bool TDockTree::MouseMessage(TMessage& message) {
    if (message.Msg != WM_LBUTTONDOWN && message.Msg != WM_LBUTTONDBLCLK) return false;
    const TPoint point = message.Pos();
    TControl* control = GrabberAt(point);
    if (!control) return false;
    const TRect close = CloseBox(control);
    if (point.X >= close.Left && point.X < close.Right && point.Y >= close.Top &&
        point.Y < close.Bottom) {
        control->SetVisible(false);
    } else if (message.Msg == WM_LBUTTONDBLCLK) {
        const TPoint origin = dockSite_->ClientToScreen(control->BoundsRect().TopLeft());
        control->ManualFloat(Bounds(origin.X, origin.Y, control->Width(), control->Height()));
    }
    message.Result = 0;
    return true;
}

// ---------------------------------------------------------------------------------------------
// TFloatingDockForm

TFloatingDockForm::TFloatingDockForm(TComponent* owner) : TCustomForm(owner) {
    SetBorderStyle(bsSizeToolWin);
    SetDockSite(true);
}

void TFloatingDockForm::DoAddDockClient(TControl* client, const TRect& rect) {
    TCustomForm::DoAddDockClient(client, rect);
    client->SetAlign(alClient);
}

void TFloatingDockForm::DoRemoveDockClient(TControl* client) {
    TCustomForm::DoRemoveDockClient(client);
    client->SetAlign(alNone);
    if (DockClientCount() == 0) Release();
}
