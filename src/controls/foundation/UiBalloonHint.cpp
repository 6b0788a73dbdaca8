#include "UiBalloonHint.h"

#include <algorithm>

#include "UiDrawing.h"
#include "UiGrafx.h"
#include "cl_filer.h"

namespace {

constexpr int TailBand = 20;
constexpr int MinimumWidth = 55;

bool LowerCorner(TUiHintCorner corner) { return corner == hcLowerRight || corner == hcLowerLeft; }

bool UpperCorner(TUiHintCorner corner) { return corner == hcUpperLeft || corner == hcUpperRight; }

bool LeftCorner(TUiHintCorner corner) { return corner == hcLowerLeft || corner == hcUpperLeft; }

// The application's show-hint handler while a balloon window exists; recognisable, so the
// window can take it away again.
struct TShowHintRelay {
    TUiCustomHintWindow* Window;
    void operator()(AnsiString& hintStr, bool& canShow, THintInfo& hintInfo) const {
        Window->DoShowHint(hintStr, canShow, hintInfo);
    }
};

THintWindow* NewBalloonWindow(TComponent* owner) { return new TUiCustomHintWindow(owner); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TUiBalloonBitmaps

TUiBalloonBitmaps::TUiBalloonBitmaps() {
    for (TBitmap*& picture : pictures_) picture = new TBitmap;
}

TUiBalloonBitmaps::~TUiBalloonBitmaps() {
    for (TBitmap* picture : pictures_) delete picture;
}

bool TUiBalloonBitmaps::AnyPicture() const {
    return std::any_of(std::begin(pictures_), std::end(pictures_),
                       [](TBitmap* picture) { return !picture->Empty(); });
}

void TUiBalloonBitmaps::SetPicture(TUiHintCorner corner, TBitmap* value) {
    pictures_[corner]->Assign(value);
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TUiBalloonHints

TUiBalloonHints::TUiBalloonHints(TComponent* owner)
    : TComponent(owner), bitmaps_(new TUiBalloonBitmaps), font_(new TFont) {
    font_->SetName("Tahoma");
    font_->SetSize(8);
    font_->SetColor(clInfoText);
    font_->OnChange = [this](TObject*) { FontChanged(); };
    if (InState(csDesigning) || !Application) return;
    previousShowHint_ = Application->ShowHint();
    previousClass_ = HintWindowClass;
    hintPause_ = Application->HintPause();
    hintShortPause_ = Application->HintShortPause();
    Application->SetShowHint(false);
    HintWindowClass = NewBalloonWindow;
    Application->SetShowHint(previousShowHint_);
}

void TUiBalloonHints::BeforeDestruction() {
    if (!InState(csDesigning) && Application && !Application->InState(csDestroying)) {
        const bool showHint = Application->ShowHint();
        Application->SetShowHint(false);
        HintWindowClass = previousClass_;
        Application->SetShowHint(showHint);
    }
    if (window_) {
        window_->Component = nullptr;
        window_->Bitmaps = nullptr;
        window_ = nullptr;
    }
    delete bitmaps_;
    bitmaps_ = nullptr;
    delete font_;
    font_ = nullptr;
    TComponent::BeforeDestruction();
}

void TUiBalloonHints::DefineProperties(TFiler* filer) {
    TComponent::DefineProperties(filer);
    filer->DefineProperty("BalloonStyle", &TUiOldPropReader::ReadOldEnumProp, nullptr, false);
    filer->DefineProperty("Shadow", &TUiOldPropReader::ReadOldBooleanProp, nullptr, false);
}

void TUiBalloonHints::MakeConnection(TUiCustomHintWindow* window) {
    window_ = window;
    window->CaptionWidth = captionWidth_;
    window->SetColor(color_);
    window->FrameColor = frameColor_;
    window->Corner = corner_;
    window->ShowBalloon = showBalloon_;
    window->Alignment = alignment_;
    window->Bitmaps = bitmaps_;
    window->OnSetHintWinSize = onSetHintWinSize_;
    window->OnSetHintRect = onSetHintRect_;
    window->Component = this;
    window->SetFont(font_);
}

void TUiBalloonHints::FontChanged() {
    if (window_) window_->SetFont(font_);
}

void TUiBalloonHints::SetFont(TFont* value) { font_->Assign(value); }

void TUiBalloonHints::SetAlignment(TAlignment value) {
    alignment_ = value;
    if (window_) window_->Alignment = value;
}

void TUiBalloonHints::SetCaptionWidth(int value) {
    captionWidth_ = value;
    if (window_) window_->CaptionWidth = value;
}

void TUiBalloonHints::SetColor(TColor value) {
    color_ = value;
    if (window_) window_->SetColor(value);
}

void TUiBalloonHints::SetFrameColor(TColor value) {
    frameColor_ = value;
    if (window_) window_->FrameColor = value;
}

void TUiBalloonHints::SetCorner(TUiHintCorner value) {
    corner_ = value;
    if (window_) window_->Corner = value;
}

void TUiBalloonHints::SetShowBalloon(bool value) {
    showBalloon_ = value;
    if (window_) window_->ShowBalloon = value;
}

void TUiBalloonHints::SetOnSetHintWinSize(TSetHintWinSizeEvent value) {
    onSetHintWinSize_ = value;
    if (window_) window_->OnSetHintWinSize = value;
}

void TUiBalloonHints::SetOnSetHintRect(TSetHintRectEvent value) {
    onSetHintRect_ = value;
    if (window_) window_->OnSetHintRect = value;
}

int TUiBalloonHints::GetHintPause() const {
    return InState(csDesigning) || !Application ? hintPause_ : Application->HintPause();
}

void TUiBalloonHints::SetHintPause(int value) {
    if (InState(csDesigning) || !Application)
        hintPause_ = value;
    else
        Application->SetHintPause(value);
}

int TUiBalloonHints::GetHintShortPause() const {
    return InState(csDesigning) || !Application ? hintShortPause_
                                                : Application->HintShortPause();
}

void TUiBalloonHints::SetHintShortPause(int value) {
    if (InState(csDesigning) || !Application)
        hintShortPause_ = value;
    else
        Application->SetHintShortPause(value);
}

// ---------------------------------------------------------------------------------------------
// TUiCustomHintWindow

TUiCustomHintWindow::TUiCustomHintWindow(TComponent* owner) : THintWindow(owner) {
    Font()->SetName("Tahoma");
    Font()->SetSize(8);
    if (owner && owner == Application && !InState(csDesigning)) Connect();
}

void TUiCustomHintWindow::Connect() {
    application_ = Application;
    application_->OnShowHint = TShowHintRelay{this};
    for (int i = 0; i < application_->ComponentCount(); ++i) {
        auto* form = dynamic_cast<TCustomForm*>(application_->Components(i));
        if (!form) continue;
        for (int j = 0; j < form->ComponentCount(); ++j)
            if (auto* hints = dynamic_cast<TUiBalloonHints*>(form->Components(j)))
                hints->MakeConnection(this);
    }
}

void TUiCustomHintWindow::BeforeDestruction() {
    if (Component) Component->BreakConnection();
    Component = nullptr;
    if (application_) {
        const auto* relay = application_->OnShowHint.target<TShowHintRelay>();
        if (relay && relay->Window == this) application_->OnShowHint = nullptr;
    }
    THintWindow::BeforeDestruction();
}

void TUiCustomHintWindow::DoShowHint(AnsiString& hintStr, bool& canShow, THintInfo& hintInfo) {
    if (Component) {
        hintInfo.HintColor = Component->Color();
        canShow = true;
        hintInfo.HintMaxWidth = Component->CaptionWidth();
        if (Component->OnShowHint) Component->OnShowHint(hintStr, canShow, hintInfo);
    }
    hintInfo_ = hintInfo;
    SetColor(hintInfo.HintColor);
}

void TUiCustomHintWindow::AdjustBoundsForPointer(TRect& rect, bool body) const {
    if (!ShowBalloon) return;
    const int d = body ? TailBand : -TailBand;
    if (LowerCorner(cornerInUse_)) rect.Top += d;
    if (UpperCorner(cornerInUse_)) rect.Bottom -= d;
}

TPoint TUiCustomHintWindow::AnchorPoint() {
    if (hintInfo_.HintControl) return hintInfo_.HintControl->ClientToScreen(hintInfo_.CursorPos);
    return TPoint(Left(), Top());
}

void TUiCustomHintWindow::FitToScreen(int& x, int& y, int x0, int y0, int w, int h) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    TUiHintCorner& c = cornerInUse_;
    if (y < 0) {
        if (c == hcUpperRight) c = hcLowerRight;
        if (c == hcUpperLeft) c = hcLowerLeft;
        y = y0;
    }
    if (y + h > screenHeight) {
        if (c == hcLowerRight) c = hcUpperRight;
        if (c == hcLowerLeft) c = hcUpperLeft;
        y = y0 - h;
    }
    if (x + w > screenWidth) {
        if (c == hcLowerRight) c = hcLowerLeft;
        if (c == hcUpperRight) c = hcUpperLeft;
        x = x0 - w - 1;
    }
    if (x < 0) {
        if (c == hcLowerLeft) c = hcLowerRight;
        if (c == hcUpperLeft) c = hcUpperRight;
        x = x0 + 1;
    }
}

void TUiCustomHintWindow::ActivateHint(TRect rect, const AnsiString& hint) {
    cornerInUse_ = Corner;
    SetCaption(hint);
    if (OnSetHintRect) OnSetHintRect(this, Canvas(), rect, hint, cornerInUse_);
    const bool tail = ShowBalloon && Corner != hcNone;
    const int grow = tail ? 4 : 2;
    InflateRect(reinterpret_cast<RECT*>(&rect), grow, grow);
    AdjustBoundsForPointer(rect, false);
    if (tail) {
        const TPoint anchor = AnchorPoint();
        rect = Bounds(anchor.X, anchor.Y, rect.Width(), rect.Height());
    }
    int w = std::max(rect.Width(), MinimumWidth);
    int h = rect.Height();
    if (OnSetHintWinSize) {
        OnSetHintWinSize(this, Canvas(), w, h, hint, cornerInUse_);
        w = std::max(w, MinimumWidth);
    }
    if (!ShowBalloon) cornerInUse_ = hcLowerRight;
    const int x0 = rect.Left, y0 = rect.Top;
    int x = LeftCorner(cornerInUse_) ? x0 - w + 10 : x0 - 10;
    int y = UpperCorner(cornerInUse_) ? y0 - h : y0;
    FitToScreen(x, y, x0, y0, w, h);
    HandleNeeded();
    SetBounds(x, y, w, h);
    SetWindowPos(WindowHandle(), HWND_TOPMOST, x, y, w, h,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetWindowRgn(WindowHandle(), ShowBalloon ? GetHintRegion() : nullptr, TRUE);
    Invalidate();
    Update();
    active_ = true;
}

void TUiCustomHintWindow::GetPointerCoordinates(const TRect& a, const TRect& b, TPoint& p1,
                                                TPoint& p2, TPoint& p3, TRect& joint) const {
    switch (cornerInUse_) {
    case hcLowerRight:
        p1 = {b.Left + 10, b.Top + 1};
        p2 = {b.Left + 10, a.Top + 1};
        p3 = {b.Left + 30, b.Top + 1};
        joint = TRect(b.Left + 10, b.Top + 1, b.Left + 31, b.Top + 2);
        break;
    case hcLowerLeft:
        p1 = {b.Right - 10, b.Top + 1};
        p2 = {b.Right - 10, a.Top + 1};
        p3 = {b.Right - 30, b.Top + 1};
        joint = TRect(b.Right - 30, b.Top + 1, b.Right - 9, b.Top + 2);
        break;
    case hcUpperLeft:
        p1 = {b.Right - 10, b.Bottom - 2};
        p2 = {b.Right - 10, a.Bottom - 2};
        p3 = {b.Right - 30, b.Bottom - 2};
        joint = TRect(b.Right - 30, b.Bottom - 3, b.Right - 9, b.Bottom - 1);
        break;
    case hcUpperRight:
        p1 = {b.Left + 10, b.Bottom - 2};
        p2 = {b.Left + 10, a.Bottom - 2};
        p3 = {b.Left + 30, b.Bottom - 2};
        joint = TRect(b.Left + 10, b.Bottom - 3, b.Left + 31, b.Bottom - 1);
        break;
    case hcNone:
        break;
    }
}

HRGN TUiCustomHintWindow::GetHintRegion() {
    const TRect whole = ClientRect();
    TRect b = whole;
    AdjustBoundsForPointer(b, true);
    HRGN region = CreateRectRgn(b.Left, b.Top + 4, b.Right, b.Bottom - 4);
    auto add = [region](HRGN part) {
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    };
    add(CreateRectRgn(b.Left + 4, b.Top, b.Right - 4, b.Bottom));
    add(CreateRectRgn(b.Left + 2, b.Top + 1, b.Right - 2, b.Bottom - 1));
    add(CreateRectRgn(b.Left + 1, b.Top + 2, b.Right - 1, b.Bottom - 2));
    if (cornerInUse_ == hcNone) return region;
    TPoint p1, p2, p3;
    TRect joint;
    GetPointerCoordinates(whole, b, p1, p2, p3, joint);
    switch (cornerInUse_) {
    case hcLowerRight: p2.Y -= 1; p3.X += 1; break;
    case hcLowerLeft: p1.X += 1; p2.X += 1; p2.Y -= 1; break;
    case hcUpperLeft: p1.X += 1; p2.X += 1; p2.Y += 1; break;
    default: p2.Y += 1; p3.X += 1; break;
    }
    const POINT tail[] = {{p1.X, p1.Y}, {p2.X, p2.Y}, {p3.X, p3.Y}};
    add(CreatePolygonRgn(tail, 3, WINDING));
    return region;
}

void TUiCustomHintWindow::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetWidth(1);
    canvas->Font()->Assign(Font());
    DrawHint(canvas, ClientRect());
}

void TUiCustomHintWindow::NCPaint(HDC dc) {
    if (ShowBalloon) return;
    RECT r;
    GetWindowRect(WindowHandle(), &r);
    OffsetRect(&r, -r.left, -r.top);
    OwnedGdiObject brush(CreateSolidBrush(ColorToRGB(FrameColor)));
    FrameRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

void TUiCustomHintWindow::DrawHint(TCanvas* canvas, const TRect& rect) {
    TRect b = rect;
    AdjustBoundsForPointer(b, true);
    if (OnSetHintRect) OnSetHintRect(this, canvas, b, Caption(), cornerInUse_);
    if (Bitmaps && Bitmaps->AnyPicture()) {
        DrawBitmapBalloon(canvas);
        DrawHintText(canvas, b);
        return;
    }
    if (ShowBalloon) {
        canvas->Pen()->SetColor(FrameColor);
        canvas->Brush()->SetColor(Color());
        DrawBox(canvas, b, FrameColor);
        const int l = b.Left, t = b.Top, r = b.Right, bt = b.Bottom;
        const TPoint corners[] = {{l + 1, t + 3},  {l + 1, t + 2},  {l + 2, t + 1},
                                  {l + 3, t + 1},  {r - 4, t + 1},  {r - 3, t + 1},
                                  {r - 2, t + 2},  {r - 2, t + 3},  {r - 2, bt - 4},
                                  {r - 2, bt - 3}, {r - 3, bt - 2}, {r - 4, bt - 2},
                                  {l + 3, bt - 2}, {l + 2, bt - 2}, {l + 1, bt - 3},
                                  {l + 1, bt - 4}};
        const COLORREF frame = ColorToRGB(FrameColor);
        for (const TPoint& p : corners) SetPixel(canvas->Handle(), p.X, p.Y, frame);
        if (cornerInUse_ != hcNone) {
            TPoint p1, p2, p3;
            TRect joint;
            GetPointerCoordinates(rect, b, p1, p2, p3, joint);
            canvas->Pen()->SetColor(FrameColor);
            canvas->Brush()->SetColor(Color());
            const TPoint tail[] = {p1, p2, p3};
            canvas->Polygon(tail, 3);
            canvas->FillRect(joint);
        }
    }
    DrawHintText(canvas, b);
}

void TUiCustomHintWindow::DrawHintText(TCanvas* canvas, TRect rect) {
    const bool tail = ShowBalloon && cornerInUse_ != hcNone;
    const bool narrower = CaptionWidth < rect.Width();
    int dx = 0;
    if (Alignment == taLeftJustify) dx = tail ? 8 : 2;
    if (Alignment == taRightJustify) dx = tail ? -8 : -2;
    if (Alignment == taCenter && tail && narrower) dx = 8;
    OffsetRect(reinterpret_cast<RECT*>(&rect), dx, tail ? 4 : 2);
    if (narrower) {
        if (Alignment == taRightJustify)
            rect.Left = rect.Right - CaptionWidth;
        else
            rect.Right = rect.Left + CaptionWidth;
    }
    const HDC dc = canvas->Handle();
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(canvas->Font()->Color()));
    const AnsiString text = Caption();
    RECT r = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    DrawTextA(dc, text.c_str(), -1, &r, DrawTextAlignments[Alignment] | DT_WORDBREAK | DT_NOPREFIX);
    SetBkMode(dc, oldMode);
}

void TUiCustomHintWindow::DrawBitmapBalloon(TCanvas* canvas) {
    if (cornerInUse_ == hcNone) return;
    TBitmap* picture = Bitmaps->Picture(cornerInUse_);
    bool mirrorX = false, mirrorY = false;
    if (picture->Empty()) {
        for (TUiHintCorner corner : {hcUpperRight, hcUpperLeft, hcLowerRight, hcLowerLeft}) {
            if (Bitmaps->Picture(corner)->Empty()) continue;
            picture = Bitmaps->Picture(corner);
            mirrorX = LeftCorner(corner) != LeftCorner(cornerInUse_);
            mirrorY = UpperCorner(corner) != UpperCorner(cornerInUse_);
            break;
        }
    }
    const int w = picture->Width(), h = picture->Height();
    const TRect source(mirrorX ? w - 1 : 0, mirrorY ? h - 1 : 0, mirrorX ? 0 : w, mirrorY ? 0 : h);
    const HDC dc = canvas->Handle();
    canvas->SetCopyMode(SRCCOPY);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, 0xFFFFFF);
    DrawTransparentBitmap(canvas, picture, ClientRect(), source, Bitmaps->TransparentColor());
}

void TUiCustomHintWindow::TextChanged() {
    TRect rect(0, 0, CaptionWidth, 0);
    const AnsiString text = Caption();
    {
        ScreenDC dc;
        SelectedObject font(dc, Font()->Handle());
        RECT r = {0, 0, CaptionWidth, 0};
        DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        rect = TRect(r.left, r.top, r.right, r.bottom);
    }
    if (OnSetHintRect) OnSetHintRect(this, Canvas(), rect, text, cornerInUse_);
    int w = std::max(rect.Width(), MinimumWidth);
    int h = rect.Height();
    if (OnSetHintWinSize) {
        OnSetHintWinSize(this, Canvas(), w, h, text, cornerInUse_);
        w = std::max(w, MinimumWidth);
    }
    SetHeight(h);
    SetWidth(w);
}

void TUiCustomHintWindow::ForwardToHintControl(TMessage& message) {
    TControl* control = hintInfo_.HintControl;
    if (!control) return;
    // The point moves from this window's client area into the control's.
    const TPoint screen = ClientToScreen(message.Pos());
    const TPoint local = control->ScreenToClient(screen);
    TMessage forwarded = message;
    forwarded.LParam = MAKELPARAM(local.X, local.Y);
    control->Dispatch(forwarded);
    message.Result = forwarded.Result;
}

void TUiCustomHintWindow::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
        ::SetFocus(reinterpret_cast<HWND>(message.WParam));
        return;
    case WM_MOUSEMOVE:
        if (active_) {
            const TPoint at = hintInfo_.HintControl
                                  ? ScreenToClient(AnchorPoint())
                                  : TPoint(hintInfo_.CursorPos.X, hintInfo_.CursorPos.Y);
            const TRect box(at.X - 2, at.Y - 2, at.X + 3, at.Y + 3);
            const TPoint p = message.Pos();
            if (p.X < box.Left || p.X >= box.Right || p.Y < box.Top || p.Y >= box.Bottom) {
                active_ = false;
                if (application_) application_->CancelHint();
            }
        }
        ForwardToHintControl(message);
        return;
    }
    if (message.Msg >= WM_LBUTTONDOWN && message.Msg <= WM_MBUTTONDBLCLK)
        return ForwardToHintControl(message);
    THintWindow::WndProc(message);
}

void TUiCustomHintWindow::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_NCCALCSIZE:
        THintWindow::Dispatch(message);
        if (ShowBalloon) InflateRect(reinterpret_cast<RECT*>(message.LParam), 1, 1);
        return;
    case CM_TEXTCHANGED:
        THintWindow::Dispatch(message);
        TextChanged();
        return;
    }
    THintWindow::Dispatch(message);
}
