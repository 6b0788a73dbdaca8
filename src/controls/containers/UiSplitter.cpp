#include "UiSplitter.h"

#include <algorithm>
#include <cmath>

#include "UiDrawing.h"

HBITMAP CreateMaskBitmap() {
    WORD rows[8];
    for (int y = 0; y < 8; ++y) rows[y] = (y % 2) ? 0xAA : 0x55;  // set bit = white
    return CreateBitmap(8, 8, 1, 1, rows);
}

void InvertMaskRect(HBITMAP mask, const TRect& rect) {
    HDC dc = GetDC(nullptr);
    HBRUSH brush = CreatePatternBrush(mask);
    HGDIOBJ old = SelectObject(dc, brush);
    PatBlt(dc, rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top, PATINVERT);
    SelectObject(dc, old);
    DeleteObject(brush);
    ReleaseDC(nullptr, dc);
}

namespace {

bool Inside(const TRect& r, TPoint p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

// Half of the hot spot's length: HotSpotSizePercent of the bar's length, rounded, halved.
int HotSpotHalf(int percent, int barLength) {
    return static_cast<int>(std::nearbyint(percent / 100.0 * barLength)) / 2;
}

int RoundPercentOf(int percent, int extent) {
    return static_cast<int>(std::nearbyint(percent / 100.0 * extent));
}

// A filled triangle 5 pixels across and 3 deep whose tip points along the centre line.
void DrawArrow(TCanvas* canvas, int along, int across, bool horizontalBar, bool towardStart) {
    const int d = towardStart ? -1 : 1;
    std::vector<TPoint> points;
    if (horizontalBar)  // the bar lies horizontally: arrows point up or down
        points = {{along - 2, across - d}, {along + 2, across - d}, {along, across + d}};
    else
        points = {{across - d, along - 2}, {across - d, along + 2}, {across + d, along}};
    canvas->Polygon(points);
}

}  // namespace

void DrawBarHotSpot(TCanvas* canvas, const TRect& rect, bool horizontalBar, const THotSpotLook& look,
                    bool highlight, bool towardStart, bool secondTowardStart) {
    TRect inner = DrawSides(canvas, rect, look.frameColor, look.frameColor, AllSides);
    canvas->Brush()->SetColor(highlight ? look.highlight : look.color);
    canvas->FillRect(inner);
    canvas->Pen()->SetColor(look.dotColor);
    canvas->Brush()->SetColor(look.dotColor);
    const int start = horizontalBar ? rect.Left : rect.Top;
    const int length = horizontalBar ? rect.Right - rect.Left : rect.Bottom - rect.Top;
    const int centre = horizontalBar ? (rect.Top + rect.Bottom) / 2 : (rect.Left + rect.Right) / 2;
    DrawArrow(canvas, start + 8, centre, horizontalBar, towardStart);
    DrawArrow(canvas, start + length - 9, centre, horizontalBar, secondTowardStart);
    const int quotient = (length - 32) / 3;
    if (length - 32 < 0) return;
    for (int i = 0; i <= quotient; ++i) {
        const int along = start + 15 + 3 * i;
        canvas->SetPixels(horizontalBar ? along : centre, horizontalBar ? centre : along, look.dotColor);
    }
}

void DrawBarGrooves(TCanvas* canvas, const TRect& rect, TSplitterStyle style, bool horizontalBar) {
    const TFrameStyleEx frame = style == ssGroove ? fsStatus : fsPopup;
    TRect first = rect, second = rect;
    if (horizontalBar) {
        const int middle = (rect.Top + rect.Bottom) / 2;
        first = TRect(rect.Left, middle - 3, rect.Right, middle);
        second = TRect(rect.Left, middle, rect.Right, middle + 3);
    } else {
        const int middle = (rect.Left + rect.Right) / 2;
        first = TRect(middle - 3, rect.Top, middle, rect.Bottom);
        second = TRect(middle, rect.Top, middle + 3, rect.Bottom);
    }
    DrawBorder(canvas, first, frame);
    DrawBorder(canvas, second, frame);
}

TUiSplitterPane::TUiSplitterPane(TComponent* owner)
    : TUiCustomPanel(owner), splitter_(dynamic_cast<TUiSplitter*>(owner)) {
    SetBevelOuter(bvNone);
    SetTabStop(false);
    ControlStyle.insert(csAcceptsControls);
}

void TUiSplitterPane::Dispatch(TMessage& message) {
    if (message.Msg == WM_NCHITTEST && !ComponentState().count(csDesigning)) {
        message.Result = HTTRANSPARENT;
        return;
    }
    TUiCustomPanel::Dispatch(message);
    if (message.Msg == CM_VISIBLECHANGED && splitter_) splitter_->ResizePanes();
    if (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) Invalidate();
}

TUiSplitter::TUiSplitter(TComponent* owner) : TUiCustomPanel(owner), mask_(CreateMaskBitmap()) {
    ControlStyle.erase(csAcceptsControls);
    ControlStyle.insert({csCaptureMouse, csOpaque});
    SetBevelOuter(bvNone);
    SetBounds(Left(), Top(), 200, 100);
    upperLeft_ = new TUiSplitterPane(this);
    upperLeft_->SetParent(this);
    lowerRight_ = new TUiSplitterPane(this);
    lowerRight_->SetParent(this);
    ResizePanes();
}

TUiSplitter::~TUiSplitter() { DeleteObject(mask_); }

void TUiSplitter::CreateParams(TCreateParams& params) {
    TUiCustomPanel::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

int TUiSplitter::GetBorderOffset() {
    auto width = [this](TBevelCut bevel) { return bevel == bvNone ? 0 : BevelWidth(); };
    return BorderWidth() + width(BevelOuter()) + width(BevelInner());
}

void TUiSplitter::CheckPosition(int& position) {
    // With a pane hidden the margins do not apply, but the position still names a pane size.
    const bool ignore = (hotSpotClosed_ && hotSpotIgnoreMargins_) || !BothPanesVisible();
    const int low = ignore ? 0 : marginMin_;
    const int high = ignore ? 0 : marginMax_;
    const int limit = Extent() - high - splitterWidth_ - 2 * GetBorderOffset();
    position = std::max(position, low);
    if (position > limit) position = std::max(limit, 0);
}

bool TUiSplitter::CanChange(int newPos) {
    bool allow = true;
    if (OnChanging) OnChanging(this, newPos, allow);
    return allow;
}

void TUiSplitter::Change() {
    if (OnChange) OnChange(this);
}

void TUiSplitter::HotSpotClick() {
    if (OnHotSpotClick) OnHotSpotClick(this);
}

void TUiSplitter::SetPosition(int value) {
    if (value == position_ && !resizing_) return;
    CheckPosition(value);
    if (!CanChange(value)) return;
    position_ = value;
    const int e = EffectiveExtent();
    percent_ = e == 0 ? 0 : static_cast<int>(std::nearbyint(static_cast<double>(value) / e * 100));
    ResizePanes();
    UpdateFixedSize();
    Change();
}

void TUiSplitter::SetLockedPosition(int value) {
    if (value == position_) return;
    SetPosition(value);
    UpdateManualPosition(position_);
}

void TUiSplitter::UpdateManualPosition(int position) {
    manualPosition_ = fixedPane_ == fpUpperLeft ? position : Extent() - position;
}

void TUiSplitter::UpdateFixedSize() {
    fixedSize_ = fixedPane_ == fpUpperLeft ? position_ : Extent() - position_;
}

void TUiSplitter::SetPercent(int value) {
    if (value == percent_) return;
    percent_ = value;
    if (ComponentState().count(csLoading)) return;
    SetUsePercent(true);
    SetPosition(RoundPercentOf(value, EffectiveExtent()));
}

void TUiSplitter::SetUsePercent(bool value) {
    if (value == usePercent_) return;
    usePercent_ = value;
    if (value) {
        fixedPane_ = fpUpperLeft;
        SetPercentMin(percentMin_);
        SetPercentMax(percentMax_);
    }
    SetPosition(position_);
}

void TUiSplitter::SetPercentMin(int value) {
    percentMin_ = std::max(value, 0);
    if (usePercent_ && !ComponentState().count(csLoading))
        SetMarginMin(RoundPercentOf(percentMin_, EffectiveExtent()));
}

void TUiSplitter::SetPercentMax(int value) {
    percentMax_ = std::min(value, 100);
    if (usePercent_ && !ComponentState().count(csLoading))
        SetMarginMax(EffectiveExtent() - RoundPercentOf(percentMax_, EffectiveExtent()));
}

void TUiSplitter::ApplyPercentMargins() {
    const int e = EffectiveExtent();
    SetMarginMin(RoundPercentOf(percentMin_, e));
    SetMarginMax(e - RoundPercentOf(percentMax_, e));
}

void TUiSplitter::SetMarginMin(int value) {
    marginMin_ = std::max(value, 0);
    marginMin_ = std::max(0, std::min(marginMin_, Extent() - marginMax_));
}

void TUiSplitter::SetMarginMax(int value) {
    marginMax_ = std::max(value, 0);
    marginMax_ = std::max(0, std::min(marginMax_, Extent() - marginMin_));
}

void TUiSplitter::SetFixedPane(TFixedPane value) {
    if (value == fixedPane_) return;
    fixedPane_ = value;
    if (value == fpLowerRight) usePercent_ = false;
    UpdateManualPosition(position_);
    UpdateFixedSize();
}

void TUiSplitter::SetOrientation(TOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    if (usePercent_) {
        SetPosition(RoundPercentOf(percent_, EffectiveExtent()));
        ApplyPercentMargins();
    } else {
        ResizePanes();
    }
    Invalidate();
}

void TUiSplitter::SetSplitterWidth(int value) {
    if (value == splitterWidth_) return;
    splitterWidth_ = value;
    ResizePanes();
    Invalidate();
}

void TUiSplitter::SetSplitterStyle(TSplitterStyle value) {
    if (value == splitterStyle_) return;
    splitterStyle_ = value;
    if (value != ssStandard && splitterWidth_ < 6) SetSplitterWidth(6);
    Invalidate();
}

void TUiSplitter::SetGradientPath(TUiGroupBarGradientPath value) {
    if (value == gradientPath_) return;
    gradientPath_ = value;
    Invalidate();
}

void TUiSplitter::SetHotSpotVisible(bool value) {
    if (value == hotSpotVisible_) return;
    hotSpotVisible_ = value;
    if (value && splitterWidth_ < 7) SetSplitterWidth(7);
    Invalidate();
}

void TUiSplitter::SetHotSpotDirection(THotSpotDirection value) {
    if (value == hotSpotDirection_) return;
    hotSpotDirection_ = value;
    Invalidate();
}

void TUiSplitter::SetHotSpotSizePercent(int value) {
    hotSpotSizePercent_ = value;
    UpdateHotSpotRect();
    Invalidate();
}

void TUiSplitter::CloseHotSpot(bool toMin) {
    if (hotSpotClosed_) return;
    hotSpotClosed_ = true;
    hotSpotPosition_ = position_;
    (toMin ? closedToMin_ : closedToMax_) = true;
    SetPosition(toMin ? 0 : INT_MAX);
}

void TUiSplitter::RestoreHotSpot() {
    if (!hotSpotClosed_) return;
    ResetHotSpot();
    SetPosition(hotSpotPosition_);
    UpdateManualPosition(position_);
}

void TUiSplitter::ResetHotSpot() { hotSpotClosed_ = closedToMin_ = closedToMax_ = false; }

void TUiSplitter::ResizePanes() {
    if (ComponentState().count(csLoading) || !upperLeft_ || !lowerRight_) return;
    const TRect r = GetClientRect();
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    const bool horizontal = orientation_ == orHorizontal;
    const bool both = BothPanesVisible();
    DisableAlign();
    if (!both && upperLeft_->Visible())
        upperLeft_->SetBounds(r.Left, r.Top, w, h);
    else if (both)
        upperLeft_->SetBounds(r.Left, r.Top, horizontal ? position_ : w, horizontal ? h : position_);
    else
        upperLeft_->SetBounds(r.Left, r.Top, horizontal ? 0 : w, horizontal ? h : 0);
    const int thickness = both ? splitterWidth_ : 0;
    const int at = both ? position_ : 0;
    barRect_ = horizontal ? TRect(r.Left + at, r.Top, r.Left + at + thickness, r.Bottom)
                          : TRect(r.Left, r.Top + at, r.Right, r.Top + at + thickness);
    UpdateHotSpotRect();
    if (!both && lowerRight_->Visible()) {
        lowerRight_->SetBounds(r.Left, r.Top, w, h);
    } else if (both) {
        const int start = position_ + splitterWidth_;
        if (horizontal)
            lowerRight_->SetBounds(r.Left + start, r.Top, std::max(w - start, 0), h);
        else
            lowerRight_->SetBounds(r.Left, r.Top + start, w, std::max(h - start, 0));
    } else {
        lowerRight_->SetBounds(r.Left, r.Top, horizontal ? 0 : w, horizontal ? h : 0);
    }
    for (TUiSplitterPane* pane : {upperLeft_, lowerRight_})
        for (int i = 0; i < pane->ControlCount(); ++i)
            if (auto* inner = dynamic_cast<TUiSplitter*>(pane->Controls(i))) inner->ResizePanes();
    EnableAlign();
    if (realTimeDrag_) {
        upperLeft_->Update();
        lowerRight_->Update();
    }
    Invalidate();
}

void TUiSplitter::UpdateHotSpotRect() {
    if (orientation_ == orVertical) {
        const int half = HotSpotHalf(hotSpotSizePercent_, barRect_.Right - barRect_.Left);
        const int centre = barRect_.Left + (barRect_.Right - barRect_.Left) / 2;
        hotSpotRect_ = TRect(centre - half, barRect_.Top, centre + half, barRect_.Bottom);
    } else {
        const int half = HotSpotHalf(hotSpotSizePercent_, barRect_.Bottom - barRect_.Top);
        const int centre = barRect_.Top + (barRect_.Bottom - barRect_.Top) / 2;
        hotSpotRect_ = TRect(barRect_.Left, centre - half, barRect_.Right, centre + half);
    }
}

void TUiSplitter::Resize() {
    TUiCustomPanel::Resize();
    if (!upperLeft_ || ComponentState().count(csWriting) || ComponentState().count(csDestroying))
        return;
    resizing_ = true;
    const int e = EffectiveExtent();
    if (fixedPane_ == fpUpperLeft && usePercent_) {
        ApplyPercentMargins();
        SetPosition(closedToMin_ ? 0 : closedToMax_ ? e : RoundPercentOf(percent_, e));
    } else if (fixedPane_ == fpUpperLeft) {
        SetPosition(closedToMin_ ? 0 : closedToMax_ ? INT_MAX : position_);
        if (!hotSpotClosed_ && manualPosition_ > position_) SetPosition(manualPosition_);
    } else if (!usePercent_) {
        SetPosition(Extent() - fixedSize_);
        if (!hotSpotClosed_ && Extent() - manualPosition_ < position_)
            SetPosition(Extent() - manualPosition_);
        if (hotSpotClosed_) hotSpotPosition_ = Extent() - manualPosition_;
    }
    resizing_ = false;
}

void TUiSplitter::DrawMask(int position) {
    if (realTimeDrag_) return;
    const int b = GetBorderOffset();
    TPoint corner(b, b);
    (orientation_ == orHorizontal ? corner.X : corner.Y) += position;
    const TPoint screen = ClientToScreen(corner);
    InvertMaskRect(mask_, TRect(screen.X, screen.Y, screen.X + barRect_.Right - barRect_.Left,
                                screen.Y + barRect_.Bottom - barRect_.Top));
}

void TUiSplitter::DrawHotSpot(bool highlight, TPoint) {
    if (!HandleAllocated()) return;
    const bool open = !hotSpotClosed_;
    bool first = true, second = true;  // toward the start
    if (hotSpotDirection_ == hsdBoth)
        first = open || closedToMax_, second = !open && closedToMax_;
    else
        first = second = (hotSpotDirection_ == hsdMin) == open;
    DrawBarHotSpot(Canvas(), hotSpotRect_, orientation_ == orVertical, look_, highlight, first, second);
}

void TUiSplitter::DrawSplitterBar() {
    TCanvas* canvas = Canvas();
    if (splitterStyle_ == ssGroove || splitterStyle_ == ssBump) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(barRect_);
        DrawBarGrooves(canvas, barRect_, splitterStyle_, orientation_ == orVertical);
    } else if (splitterStyle_ == ssGroupBar && VisualStyle() != vsClassic) {
        DrawGroupBarBackground(canvas, barRect_, VisualStyle(), GradientColorStyle(), gradientPath_,
                               GradientColorStart(), GradientColorStop());
    }
    if (hotSpotVisible_) DrawHotSpot(false, TPoint(0, 0));
}

void TUiSplitter::Paint() {
    TUiCustomPanel::Paint();
    DrawSplitterBar();
}

void TUiSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TUiCustomPanel::MouseDown(button, shift, x, y);
    const TPoint point(x, y);
    if (button != mbLeft || !Inside(barRect_, point)) return;
    const bool onHotSpot = hotSpotVisible_ && Inside(hotSpotRect_, point);
    if (!onHotSpot && lockBar_) return;
    if (!realTimeDrag_ && CanFocus()) SetFocus();
    SetMouseCapture(true);
    dragging_ = true;
    hotSpotPressed_ = onHotSpot;
    dragStartPosition_ = position_;
    dragStartMouse_ = Along(x, y);
    DrawMask(position_);
    lastDragPosition_ = position_;
}

void TUiSplitter::MouseMove(TShiftState shift, int x, int y) {
    TUiCustomPanel::MouseMove(shift, x, y);
    if (!dragging_ || (hotSpotPressed_ && lockBar_)) return;
    int p = dragStartPosition_ + Along(x, y) - dragStartMouse_;
    CheckPosition(p);
    if (!CanChange(p) || p == lastDragPosition_) return;
    ResetHotSpot();
    hotSpotPressed_ = false;
    DrawMask(lastDragPosition_);
    DrawMask(p);
    if (realTimeDrag_) {
        SetPosition(p);
        UpdateManualPosition(p);
    }
    lastDragPosition_ = p;
}

void TUiSplitter::EndDrag() {
    dragging_ = false;
    SetMouseCapture(false);
}

void TUiSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TUiCustomPanel::MouseUp(button, shift, x, y);
    if (!((button == mbLeft && dragging_) || hotSpotPressed_)) return;
    EndDrag();
    if (!realTimeDrag_) {
        DrawMask(lastDragPosition_);
        SetPosition(lastDragPosition_);
        UpdateManualPosition(lastDragPosition_);
    }
    if (!hotSpotPressed_) return;
    hotSpotPressed_ = false;
    if (Inside(hotSpotRect_, TPoint(x, y))) ToggleHotSpot(TPoint(x, y));
}

void TUiSplitter::ToggleHotSpot(TPoint point) {
    if (hotSpotClosed_) {
        RestoreHotSpot();
    } else {
        const int middle = orientation_ == orHorizontal ? (hotSpotRect_.Top + hotSpotRect_.Bottom) / 2
                                                        : (hotSpotRect_.Left + hotSpotRect_.Right) / 2;
        const int along = orientation_ == orHorizontal ? point.Y : point.X;
        CloseHotSpot(hotSpotDirection_ == hsdMin || (hotSpotDirection_ == hsdBoth && along < middle));
    }
    HotSpotClick();
}

void TUiSplitter::KeyDown(uint16_t& key, TShiftState shift) {
    TUiCustomPanel::KeyDown(key, shift);
    if (key != VK_ESCAPE || !dragging_) return;
    EndDrag();
    if (!realTimeDrag_) {
        DrawMask(lastDragPosition_);
        UpdateManualPosition(position_);
    }
}

void TUiSplitter::TrackHotSpot(TPoint point) {
    if (!hotSpotVisible_) return;
    if (Inside(hotSpotRect_, point)) {
        if (outsideHotSpot_ || hotSpotDirection_ == hsdBoth) DrawHotSpot(true, point);
        outsideHotSpot_ = false;
    } else if (!outsideHotSpot_) {
        DrawHotSpot(false, point);
        outsideHotSpot_ = true;
    }
}

void TUiSplitter::Dispatch(TMessage& message) {
    if (message.Msg == WM_SETCURSOR && !ComponentState().count(csDestroying)) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        const TPoint point = ScreenToClient(TPoint(cursor.x, cursor.y));
        TrackHotSpot(point);
        if (Inside(barRect_, point) && !lockBar_) {
            ::SetCursor(LoadCursor(nullptr, orientation_ == orHorizontal ? IDC_SIZEWE : IDC_SIZENS));
            message.Result = 1;
            return;
        }
    }
    TUiCustomPanel::Dispatch(message);
    if (message.Msg == CM_MOUSELEAVE && HandleAllocated()) {
        POINT cursor;
        if (GetCursorPos(&cursor)) TrackHotSpot(ScreenToClient(TPoint(cursor.x, cursor.y)));
    }
}
