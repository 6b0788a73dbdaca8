#include "UiSizePanel.h"

#include <algorithm>
#include <cmath>

#include "UiDrawing.h"
#include "UiUtils.h"
#include "cl_except.h"
#include "cl_filer.h"

namespace {

bool Inside(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// A colour of the hot spot's look.
TPropertyInfo HotSpotColorProperty(const char* name, TColor THotSpotLook::*field, TColor def) {
    using C = TUiCustomSizePanel;
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkColor;
    info.GetOrd = [field](TObject* o) {
        return static_cast<int>(static_cast<C*>(o)->HotSpotLook().*field);
    };
    info.SetOrd = [field](TObject* o, int value) {
        auto* panel = static_cast<C*>(o);
        THotSpotLook look = panel->HotSpotLook();
        look.*field = static_cast<TColor>(value);
        panel->SetHotSpotColors(look);
    };
    info.HasDefault = true;
    info.DefaultOrd = def;
    return info;
}

const bool sizePanelPropertiesRegistered = [] {
    using C = TUiCustomSizePanel;
    const TMetaClass* meta = C::StaticClass();
    PublishPanelProperties(meta, {"Align"}, {{"BorderOuter", fsNone}});
    RegisterProperty(meta, EnumProperty<C>("Align", &C::GetAlign, &C::SetAlign, AlignIdents(),
                                           alLeft));
    RegisterProperty(meta, EnumProperty<C>("Side", &C::Side, &C::SetSide,
                                           {"sdLeft", "sdTop", "sdRight", "sdBottom"}, sdLeft));
    RegisterProperty(meta, EnumProperty<C>("SizeBarStyle", &C::SizeBarStyle, &C::SetSizeBarStyle,
                                           {"ssStandard", "ssGroove", "ssBump", "ssGroupBar"},
                                           ssStandard));
    RegisterProperty(meta, EnumProperty<C>("GradientPath", &C::GradientPath, &C::SetGradientPath,
                                           {"gpTopToBottom", "gpBottomToTop"}, gpTopToBottom));
    const struct {
        const char* name;
        int (C::*get)() const;
        void (C::*set)(int);
        int def;
    } integers[] = {{"SizeBarWidth", &C::SizeBarWidth, &C::SetSizeBarWidth, 4},
                    {"MarginMin", &C::MarginMin, &C::SetMarginMin, 0},
                    {"MarginMax", &C::MarginMax, &C::SetMarginMax, 0},
                    {"HotSpotSizePercent", &C::HotSpotSizePercent, &C::SetHotSpotSizePercent, 40},
                    {"GradientColorAdjustment", &C::GradientColorAdjustment,
                     &C::SetGradientColorAdjustment, 30}};
    for (const auto& p : integers)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkInteger, p.get, p.set, p.def));
    const struct {
        const char* name;
        bool (C::*get)() const;
        void (C::*set)(bool);
    } flags[] = {{"LockBar", &C::LockBar, &C::SetLockBar},
                 {"RealTimeDrag", &C::RealTimeDrag, &C::SetRealTimeDrag},
                 {"HotSpotVisible", &C::HotSpotVisible, &C::SetHotSpotVisible},
                 {"HotSpotIgnoreMargins", &C::HotSpotIgnoreMargins, &C::SetHotSpotIgnoreMargins}};
    for (const auto& p : flags)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkBool, p.get, p.set, false));
    RegisterProperty(meta, HotSpotColorProperty("HotSpotColor", &THotSpotLook::color, clBtnFace));
    RegisterProperty(meta,
                     HotSpotColorProperty("HotSpotHighlight", &THotSpotLook::highlight, clWindow));
    RegisterProperty(meta, HotSpotColorProperty("HotSpotFrameColor", &THotSpotLook::frameColor,
                                                clBtnShadow));
    RegisterProperty(meta,
                     HotSpotColorProperty("HotSpotDotColor", &THotSpotLook::dotColor, clHighlight));
    RegisterClass(TUiSizePanel::StaticClass());
    return true;
}();

}  // namespace

TUiCustomSizePanel::TUiCustomSizePanel(TComponent* owner)
    : TUiCustomPanel(owner), mask_(CreateMaskBitmap()) {
    ControlStyle.insert(csCaptureMouse);
    SetBorderOuter(fsNone);
    TControl::SetAlign(alLeft);
}

TUiCustomSizePanel::~TUiCustomSizePanel() { DeleteObject(mask_); }

void TUiCustomSizePanel::DefineProperties(TFiler* filer) {
    TUiCustomPanel::DefineProperties(filer);
    filer->DefineProperty(
        "HotSpotClosed", [this](TReader* reader) { hotSpotClosed_ = reader->ReadBoolean(); },
        [this](TWriter* writer) { writer->WriteBoolean(hotSpotClosed_); }, hotSpotClosed_);
    filer->DefineProperty(
        "HotSpotPosition", [this](TReader* reader) { hotSpotPosition_ = reader->ReadInteger(); },
        [this](TWriter* writer) { writer->WriteInteger(hotSpotPosition_); }, hotSpotClosed_);
}

bool TUiCustomSizePanel::HasBar() { return Align() != alClient; }

TSide TUiCustomSizePanel::Edge() {
    switch (Align()) {
    case alTop: return sdTop;
    case alBottom: return sdBottom;
    case alLeft: return sdLeft;
    case alRight: return sdRight;
    default: return side_;
    }
}

bool TUiCustomSizePanel::HotSpotTopBottom() { return Edge() == sdTop || Edge() == sdBottom; }

void TUiCustomSizePanel::SetAlign(TAlign value) {
    TControl::SetAlign(value);
    Realign();
    Invalidate();
}

void TUiCustomSizePanel::SetSide(TSide value) {
    if (value == side_) return;
    side_ = value;
    Invalidate();
}

void TUiCustomSizePanel::SetSizeBarWidth(int value) {
    value = std::max(value, 1);
    if (value == sizeBarWidth_) return;
    sizeBarWidth_ = value;
    Realign();
    Invalidate();
}

void TUiCustomSizePanel::SetSizeBarStyle(TSplitterStyle value) {
    if (value == sizeBarStyle_) return;
    sizeBarStyle_ = value;
    if (value != ssStandard && sizeBarWidth_ < 6) SetSizeBarWidth(6);
    Invalidate();
}

void TUiCustomSizePanel::SetHotSpotVisible(bool value) {
    if (value == hotSpotVisible_) return;
    hotSpotVisible_ = value;
    if (!value) hotSpotClosed_ = false;
    if (value && sizeBarWidth_ < 7) SetSizeBarWidth(7);
    Invalidate();
}

void TUiCustomSizePanel::SetHotSpotSizePercent(int value) {
    if (value == hotSpotSizePercent_) return;
    hotSpotSizePercent_ = value;
    Invalidate();
}

void TUiCustomSizePanel::SetHotSpotHighlight(TColor value) {
    if (value == look_.highlight) return;
    look_.highlight = value;
    Invalidate();
}

void TUiCustomSizePanel::SetHotSpotColors(const THotSpotLook& look) {
    look_ = look;
    Invalidate();
}

void TUiCustomSizePanel::SetGradientColorAdjustment(int value) {
    if (value == gradientColorAdjustment_) return;
    gradientColorAdjustment_ = value;
    Invalidate();
}

void TUiCustomSizePanel::SetGradientPath(TUiGroupBarGradientPath value) {
    if (value == gradientPath_) return;
    gradientPath_ = value;
    Invalidate();
}

TRect TUiCustomSizePanel::GetParentWorkingRect() {
    TWinControl* parent = Parent();
    if (!parent) throw Exception("No parent specified");
    TRect rect = parent->ClientRect();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (child == this) continue;
        TSide side;
        switch (child->Align()) {
        case alTop: side = sdTop; break;
        case alBottom: side = sdBottom; break;
        case alLeft: side = sdLeft; break;
        case alRight: side = sdRight; break;
        case alClient: continue;
        default: side = side_;
        }
        if (side == sdTop) rect.Top += child->Height();
        if (side == sdBottom) rect.Bottom -= child->Height();
        if (side == sdLeft) rect.Left += child->Width();
        if (side == sdRight) rect.Right -= child->Width();
    }
    return rect;
}

int TUiCustomSizePanel::GetMarginExtent(const TRect& wr) {
    if (!HasBar()) return 0;
    switch (Edge()) {
    case sdTop: return wr.Bottom - Top();
    case sdBottom: return wr.Bottom + Height() - wr.Top;
    case sdLeft: return wr.Right - Left();
    case sdRight: return wr.Right + Width() - wr.Left;
    }
    return 0;
}

void TUiCustomSizePanel::SetMarginMin(int value) {
    const int extent = GetMarginExtent(GetParentWorkingRect());
    marginMin_ = std::max(value, 0);
    if (marginMin_ + marginMax_ > extent) marginMin_ = std::max(extent - marginMax_, 0);
}

void TUiCustomSizePanel::SetMarginMax(int value) {
    const int extent = GetMarginExtent(GetParentWorkingRect());
    marginMax_ = std::max(value, 0);
    if (marginMin_ + marginMax_ > extent) marginMax_ = std::max(extent - marginMin_, 0);
}

void TUiCustomSizePanel::CheckPosition(int& p) {
    const TRect wr = GetParentWorkingRect();
    const int minimum = marginMin_ + sizeBarWidth_ + 1;
    switch (Edge()) {
    case sdTop: p = std::min(std::max(p, minimum), wr.Bottom - marginMax_ - Top()); break;
    case sdLeft: p = std::min(std::max(p, minimum), wr.Right - marginMax_ - Left()); break;
    case sdBottom: p = std::min(std::max(p, wr.Top + marginMax_ - Top()), Height() - minimum); break;
    case sdRight: p = std::min(std::max(p, wr.Left + marginMax_ - Left()), Width() - minimum); break;
    }
    // A parent too small for the margins must still leave the panel a size of its own.
    if (FarEdge())
        p = std::max(p, 0);
    else
        p = std::min(p, Extent());
}

TRect TUiCustomSizePanel::GetSizeBarRect() {
    const int d = DockSite() ? 1 : 0;
    const int w = Width(), h = Height(), bar = sizeBarWidth_ + d;
    TRect rect;
    if (HasBar()) {
        switch (Edge()) {
        case sdTop: rect = TRect(0, h - bar, w, h); break;
        case sdBottom: rect = TRect(0, 0, w, bar); break;
        case sdLeft: rect = TRect(w - bar, 0, w, h); break;
        case sdRight: rect = TRect(0, 0, bar, h); break;
        }
    }
    UpdateHotSpotRect(rect);
    return rect;
}

void TUiCustomSizePanel::UpdateHotSpotRect(const TRect& bar) {
    const bool horizontal = HotSpotTopBottom();
    const int length = horizontal ? bar.Width() : bar.Height();
    const int half = static_cast<int>(std::nearbyint(hotSpotSizePercent_ / 100.0 * length)) / 2;
    if (horizontal) {
        const int centre = bar.Left + bar.Width() / 2;
        hotSpotRect_ = TRect(centre - half, bar.Top, centre + half, bar.Bottom);
    } else {
        const int centre = bar.Top + bar.Height() / 2;
        hotSpotRect_ = TRect(bar.Left, centre - half, bar.Right, centre + half);
    }
}

TRect TUiCustomSizePanel::GetClientRect() {
    TRect rect = TUiCustomPanel::GetClientRect();
    if (!HasBar()) return rect;
    const int bar = sizeBarWidth_ + 1;
    switch (Edge()) {
    case sdTop: rect.Bottom -= bar; break;
    case sdBottom: rect.Top += bar; break;
    case sdLeft: rect.Right -= bar; break;
    case sdRight: rect.Left += bar; break;
    }
    return rect;
}

TRect TUiCustomSizePanel::GetControlRect() {
    TRect rect(0, 0, Width(), Height());
    if (!HasBar()) return rect;
    switch (Edge()) {
    case sdTop: rect.Bottom -= sizeBarWidth_; break;
    case sdBottom: rect.Top += sizeBarWidth_; break;
    case sdLeft: rect.Right -= sizeBarWidth_; break;
    case sdRight: rect.Left += sizeBarWidth_; break;
    }
    return rect;
}

void TUiCustomSizePanel::FixClientRect(TRect& rect, bool includeBorderWidth) {
    if (!hotSpotClosed_) TUiCustomPanel::FixClientRect(rect, includeBorderWidth);
}

void TUiCustomSizePanel::SetBounds(int left, int top, int width, int height) {
    const bool movedOnly = (left != Left() || top != Top()) && width == Width() && height == Height();
    TUiCustomPanel::SetBounds(left, top, width, height);
    if (movedOnly && !InState(csLoading)) Resize();
}

void TUiCustomSizePanel::SetExtent(int size) {
    const int delta = size - Extent();
    if (delta == 0) return;
    // An unaligned panel on a near edge keeps its outer edge and grows inward.
    const bool shift = Align() != alBottom && Align() != alRight && !FarEdge();
    if (HotSpotTopBottom())
        SetBounds(Left(), shift ? Top() - delta : Top(), Width(), size);
    else
        SetBounds(shift ? Left() - delta : Left(), Top(), size, Height());
}

void TUiCustomSizePanel::CloseHotSpot() {
    if (hotSpotClosed_) return;
    hotSpotClosed_ = true;
    hotSpotPosition_ = Extent();
    SetExtent(marginMin_ + sizeBarWidth_ + 1);
}

void TUiCustomSizePanel::RestoreHotSpot() {
    if (!hotSpotClosed_) return;
    hotSpotClosed_ = false;
    if (FarEdge()) CheckPosition(hotSpotPosition_);
    SetExtent(hotSpotPosition_);
}

void TUiCustomSizePanel::HotSpotClick() {
    if (OnHotSpotClick) OnHotSpotClick(this);
}

void TUiCustomSizePanel::ToggleHotSpot() {
    if (hotSpotClosed_) {
        RestoreHotSpot();
    } else {
        hotSpotClosed_ = true;
        hotSpotPosition_ = Extent();
        SetExtent((hotSpotIgnoreMargins_ ? 0 : marginMin_) + sizeBarWidth_ + 1);
    }
    Realign();
    Invalidate();
}

void TUiCustomSizePanel::DrawMask(int position) {
    if (realTimeDrag_) return;
    const TRect bar = GetSizeBarRect();
    TPoint corner(0, 0);
    const int at = FarEdge() ? position - sizeBarWidth_ : position + 1;
    (HotSpotTopBottom() ? corner.Y : corner.X) = at;
    const TPoint screen = ClientToScreen(corner);
    InvertMaskRect(mask_, TRect(screen.X, screen.Y, screen.X + bar.Width(), screen.Y + bar.Height()));
}

void TUiCustomSizePanel::DrawHotSpot(bool highlight) {
    if (HandleAllocated()) PaintHotSpot(Canvas(), highlight);
}

void TUiCustomSizePanel::PaintHotSpot(TCanvas* canvas, bool highlight) {
    const bool towardStart = FarEdge() != hotSpotClosed_;
    DrawBarHotSpot(canvas, hotSpotRect_, HotSpotTopBottom(), look_, highlight, towardStart,
                   towardStart);
}

void TUiCustomSizePanel::DrawSizeBar() { PaintSizeBar(Canvas()); }

void TUiCustomSizePanel::PaintSizeBar(TCanvas* canvas) {
    TRect rect = GetSizeBarRect();
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    TColor fill = Color();
    if (sizeBarStyle_ == ssGroupBar && VisualStyle() != vsClassic) {
        switch (Edge()) {
        case sdLeft: rect.Left -= 1; break;
        case sdRight: rect.Right += 1; break;
        case sdBottom:
            rect.Bottom += 1;
            fill = LighterColor(Color(), static_cast<uint8_t>(gradientColorAdjustment_));
            break;
        case sdTop: break;
        }
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(fill);
    canvas->FillRect(rect);
    if (sizeBarStyle_ == ssGroove || sizeBarStyle_ == ssBump) {
        DrawBarGrooves(canvas, rect, sizeBarStyle_, HotSpotTopBottom());
    } else if (sizeBarStyle_ == ssGroupBar && !HotSpotTopBottom()) {
        DrawGroupBarBackground(canvas, rect, VisualStyle(), GradientColorStyle(), gradientPath_,
                               GradientColorStart(), GradientColorStop());
    }
    if (hotSpotVisible_) PaintHotSpot(canvas, false);
}

void TUiCustomSizePanel::Paint() {
    TUiCustomPanel::Paint();
    DrawSizeBar();
}

int TUiCustomSizePanel::ScreenAlong(int x, int y) {
    const TPoint screen = ClientToScreen(TPoint(x, y));
    return HotSpotTopBottom() ? screen.Y : screen.X;
}

void TUiCustomSizePanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TUiCustomPanel::MouseDown(button, shift, x, y);
    const TPoint point(x, y);
    if (button != mbLeft || !Inside(GetSizeBarRect(), point)) return;
    const bool onHotSpot = hotSpotVisible_ && Inside(hotSpotRect_, point);
    if (!onHotSpot && lockBar_) return;
    if (!InState(csDesigning) && !realTimeDrag_ && CanFocus()) SetFocus();
    SetMouseCapture(true);
    dragging_ = true;
    hotSpotPressed_ = onHotSpot;
    dragStart_ = FarEdge() ? Extent() : 0;
    mouseStart_ = ScreenAlong(x, y);
    sizeAtDown_ = Extent();
    DrawMask(dragStart_);
    lastDrag_ = dragStart_;
}

void TUiCustomSizePanel::MouseMove(TShiftState shift, int x, int y) {
    TUiCustomPanel::MouseMove(shift, x, y);
    if (!dragging_) {
        TrackHotSpot(TPoint(x, y));
        return;
    }
    if (hotSpotPressed_ && lockBar_) return;
    int p = dragStart_ + ScreenAlong(x, y) - mouseStart_;
    CheckPosition(p);
    if (p == lastDrag_) return;
    hotSpotPressed_ = false;
    if (FarEdge() ? p > lastDrag_ : p < lastDrag_) hotSpotClosed_ = false;
    DrawMask(lastDrag_);
    DrawMask(p);
    if (realTimeDrag_) {
        SetExtent(FarEdge() ? p + 1 : sizeAtDown_ - p - 1);
        TellDesigner();
    }
    lastDrag_ = p;
}

void TUiCustomSizePanel::TellDesigner() {
    const TAlign align = Align();
    if (align == alTop || align == alBottom || align == alLeft || align == alRight)
        UpdateObjectInspector(this);
}

void TUiCustomSizePanel::EndDrag() {
    dragging_ = false;
    SetMouseCapture(false);
}

void TUiCustomSizePanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TUiCustomPanel::MouseUp(button, shift, x, y);
    if (!((button == mbLeft && dragging_) || hotSpotPressed_)) return;
    EndDrag();
    if (!realTimeDrag_) {
        DrawMask(lastDrag_);
        SetExtent(FarEdge() ? lastDrag_ : sizeAtDown_ - lastDrag_);
        TellDesigner();
    }
    if (!hotSpotPressed_) return;
    hotSpotPressed_ = false;
    GetSizeBarRect();
    if (!Inside(hotSpotRect_, TPoint(x, y))) return;
    ToggleHotSpot();
    HotSpotClick();
}

void TUiCustomSizePanel::KeyDown(uint16_t& key, TShiftState shift) {
    TUiCustomPanel::KeyDown(key, shift);
    if (key != VK_ESCAPE || !dragging_) return;
    EndDrag();
    hotSpotPressed_ = false;
    DrawMask(lastDrag_);
}

void TUiCustomSizePanel::TrackHotSpot(TPoint point) {
    if (!hotSpotVisible_) return;
    GetSizeBarRect();
    if (Inside(hotSpotRect_, point)) {
        if (outsideHotSpot_) DrawHotSpot(true);
        outsideHotSpot_ = false;
    } else if (!outsideHotSpot_) {
        DrawHotSpot(false);
        outsideHotSpot_ = true;
    }
}

void TUiCustomSizePanel::Dispatch(TMessage& message) {
    if (message.Msg == WM_SETCURSOR && !InState(csDestroying) && HasBar()) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        const TPoint point = ScreenToClient(TPoint(cursor.x, cursor.y));
        TrackHotSpot(point);
        if (Inside(GetSizeBarRect(), point) && !lockBar_) {
            ::SetCursor(LoadCursor(nullptr, HotSpotTopBottom() ? IDC_SIZENS : IDC_SIZEWE));
            message.Result = 1;
            return;
        }
    }
    TUiCustomPanel::Dispatch(message);
    if (message.Msg == CM_MOUSELEAVE && !(hotSpotPressed_ && lockBar_) && HandleAllocated()) {
        if (!outsideHotSpot_ && hotSpotVisible_) DrawHotSpot(false);
        outsideHotSpot_ = true;
    }
}

IDockManager* TUiCustomSizePanel::CreateDockManager() {
    IDockManager* manager = DockManager();
    if (!manager && DockSite() && UseDockManager()) manager = new TUiSizePanelDockManager(this);
    if (manager) SetDoubleBuffered(true);
    return manager;
}

TUiSizePanelDockManager::TUiSizePanelDockManager(TUiCustomSizePanel* panel)
    : TDockTree(panel), panel_(panel) {}

void TUiSizePanelDockManager::PositionDockRect(TControl* client, TControl* dropControl,
                                               TAlign dropAlign, TRect& dockRect) {
    TDockTree::PositionDockRect(client, dropControl, dropAlign, dockRect);
    if (panel_->Align() == alRight) dockRect.Left += panel_->SizeBarWidth();
    if (panel_->Align() == alBottom) dockRect.Top += panel_->SizeBarWidth();
}

void TUiSizePanelDockManager::PaintSite(HDC) {
    if (panel_->HotSpotClosed()) return;
    TControlCanvas canvas;
    canvas.SetControl(panel_);
    canvas.Lock();
    panel_->PaintSizeBar(&canvas);
    const int bar = panel_->SizeBarWidth();
    for (TControl* control : Zones()) {
        if (!control->Visible()) continue;
        TRect frame = FrameRect(control);
        if (panel_->Align() == alRight) frame = TRect(frame.Left - bar, frame.Top, frame.Right + bar, frame.Bottom);
        if (panel_->Align() == alBottom) frame = TRect(frame.Left, frame.Top - bar, frame.Right, frame.Bottom + bar);
        PaintDockFrame(&canvas, control, frame);
    }
    canvas.Unlock();
}

void TUiSizePanelDockManager::PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& r) {
    HDC dc = canvas->Handle();
    const int bar = panel_->SizeBarWidth();
    const int grabber = GrabberSize();
    RECT close, line;
    switch (panel_->Align()) {
    case alTop:
    case alBottom: {
        const int inset = panel_->Align() == alBottom ? bar : 0;
        const int top = r.Top + inset;
        close = {r.Left + 1, top + 1, r.Left + grabber - 1, top + 13};
        const int x = r.Left + grabber / 2 - 2;
        line = {x, close.bottom + 2, x + 3, r.Bottom - inset - 2};
        DrawFrameControl(dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
        DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
        OffsetRect(&line, 3, 0);
        DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
        break;
    }
    case alLeft:
    case alRight: {
        const int inset = panel_->Align() == alRight ? bar : 0;
        const int right = r.Right - inset;
        close = {right - grabber - 1, r.Top + 1, right - 1, r.Top + 12};
        canvas->Brush()->SetStyle(bsClear);
        canvas->TextOut(r.Left + inset + 2, r.Top, control->Caption());
        DrawFrameControl(dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
        break;
    }
    default: break;
    }
}
