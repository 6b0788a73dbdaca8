#include "cl_extctrls.h"

#include <algorithm>

#include "cl_forms.h"
#include "cl_graphics.h"
#include "cl_imagelist.h"

namespace {


void DrawCaption(HDC dc, const AnsiString& text, RECT& rect, UINT flags, bool enabled) {
    SetBkMode(dc, TRANSPARENT);
    if (enabled) {
        DrawTextA(dc, text.c_str(), -1, &rect, flags);
        return;
    }
    OffsetRect(&rect, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextA(dc, text.c_str(), -1, &rect, flags);
    OffsetRect(&rect, -1, -1);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
    DrawTextA(dc, text.c_str(), -1, &rect, flags);
}

}  // namespace

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
    --rect.Bottom;
    --rect.Right;
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    for (; width > 0; --width) {
        canvas->Pen()->SetColor(topColor);
        canvas->Polyline({{rect.Left, rect.Bottom}, {rect.Left, rect.Top}, {rect.Right, rect.Top}});
        canvas->Pen()->SetColor(bottomColor);
        canvas->Polyline({{rect.Right, rect.Top},
                          {rect.Right, rect.Bottom},
                          {rect.Left - 1, rect.Bottom}});
        rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
    ++rect.Bottom;
    ++rect.Right;
}

// ---------------------------------------------------------------------------------------------
// TCustomPanel

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                    csDoubleClicks, csReplicatable};
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
    SetUseDockManager(true);
}

void TCustomPanel::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (!fullRepaint_) params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
    if (borderStyle_ == bsSingle) {
        if (Ctl3D())
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
}

void TCustomPanel::SetBevelOuter(TBevelCut bevel) {
    if (bevel == bevelOuter_) return;
    bevelOuter_ = bevel;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut bevel) {
    if (bevel == bevelInner_) return;
    bevelInner_ = bevel;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int width) {
    if (width == bevelWidth_) return;
    bevelWidth_ = width;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle borderStyle) {
    if (borderStyle == borderStyle_) return;
    borderStyle_ = borderStyle;
    RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    int bevel = (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
    rect = {rect.Left + bevel, rect.Top + bevel, rect.Right - bevel, rect.Bottom - bevel};
}

void TCustomPanel::BevelColors(TBevelCut bevel, TColor& topColor, TColor& bottomColor) {
    switch (bevel) {
    case bvLowered:
        topColor = clBtnShadow;
        bottomColor = clBtnHighlight;
        return;
    case bvRaised:
        topColor = clBtnHighlight;
        bottomColor = clBtnShadow;
        return;
    default:
        topColor = bottomColor = Color();
    }
}

void TCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    TRect rect = ClientRect();
    TColor top, bottom;
    if (bevelOuter_ != bvNone) {
        BevelColors(bevelOuter_, top, bottom);
        Frame3D(canvas, rect, top, bottom, bevelWidth_);
    }
    Frame3D(canvas, rect, Color(), Color(), BorderWidth());
    if (bevelInner_ != bvNone) {
        BevelColors(bevelInner_, top, bottom);
        Frame3D(canvas, rect, top, bottom, bevelWidth_);
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(rect);
    AnsiString caption = Caption();
    if (!caption.IsEmpty()) {
        canvas->Font()->Assign(Font());
        HDC dc = canvas->Handle();
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        RECT r = ToRECT(rect);
        DrawCaption(dc, caption, r,
                    DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | AlignmentDrawTextFlags[alignment_],
                    Enabled());
    }
    if (OnPaint) OnPaint(this);
}

void TCustomPanel::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_TEXTCHANGED:
        Invalidate();
        return;
    case CM_MOUSEENTER:
        if (OnMouseEnter) OnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        if (OnMouseLeave) OnMouseLeave(this);
        return;
    default:
        TCustomControl::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// TImage

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(new TPicture) {
    ControlStyle.insert(csReplicatable);
    picture_->OnChange = [this](TObject* sender) { PictureChanged(sender); };
    SetBounds(0, 0, 105, 105);
}

void TImage::BeforeDestruction() {
    TGraphicControl::BeforeDestruction();
    delete picture_;
    picture_ = nullptr;
}

void TImage::SetPicture(TPicture* picture) { picture_->Assign(picture); }

TCanvas* TImage::Canvas() {
    TGraphic* graphic = picture_->Graphic();
    if (graphic && !dynamic_cast<TBitmap*>(graphic))
        throw EInvalidOperation("Can only modify an image if it contains a bitmap");
    return picture_->Bitmap()->Canvas();
}

void TImage::SetStretch(bool value) {
    if (value == stretch_) return;
    stretch_ = value;
    Invalidate();
}

void TImage::SetCenter(bool value) {
    if (value == center_) return;
    center_ = value;
    Invalidate();
}

void TImage::SetProportional(bool value) {
    if (value == proportional_) return;
    proportional_ = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    PictureChanged(this);
}

void TImage::SetAutoSize(bool value) {
    TGraphicControl::SetAutoSize(value);
    PictureChanged(this);
}

TRect TImage::DestRect() {
    int width = picture_->Width(), height = picture_->Height();
    const int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    const bool tooBig = width > clientWidth || height > clientHeight;
    if (proportional_ && width > 0 && height > 0) {
        if (tooBig) {
            const double aspect = static_cast<double>(width) / height;
            if (clientWidth / aspect <= clientHeight) {
                width = clientWidth;
                height = static_cast<int>(clientWidth / aspect);
            } else {
                height = clientHeight;
                width = static_cast<int>(clientHeight * aspect);
            }
        }
    } else if (stretch_) {
        width = clientWidth;
        height = clientHeight;
    }
    TRect rect = Bounds(0, 0, width, height);
    if (center_) rect = Bounds((clientWidth - width) / 2, (clientHeight - height) / 2, width, height);
    return rect;
}

void TImage::Paint() {
    TGraphic* graphic = picture_->Graphic();
    if (!graphic || graphic->Empty()) return;
    TGraphicControl::Canvas()->StretchDraw(DestRect(), graphic);
}

void TImage::PictureChanged(TObject*) {
    TGraphic* graphic = picture_->Graphic();
    if (graphic && !dynamic_cast<TMetafile*>(graphic) && graphic->Transparent() != transparent_)
        graphic->SetTransparent(transparent_);
    if (AutoSize() && !proportional_ && Align() == alNone && picture_->Width() > 0 &&
        picture_->Height() > 0)
        SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// TBevel

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    ControlStyle.insert(csReplicatable);
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape shape) {
    if (shape == shape_) return;
    shape_ = shape;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
    if (style == style_) return;
    style_ = style;
    Invalidate();
}

void TBevel::Paint() {
    if (shape_ == bsSpacer) return;
    TCanvas* canvas = Canvas();
    const TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = Width(), h = Height();
    TRect rect = ClientRect();
    auto line = [canvas](TColor color, int x1, int y1, int x2, int y2) {
        canvas->Pen()->SetColor(color);
        canvas->MoveTo(x1, y1);
        canvas->LineTo(x2, y2);
    };
    switch (shape_) {
    case bsBox:
        Frame3D(canvas, rect, first, second, 1);
        return;
    case bsFrame: {
        TRect outer = Rect(0, 0, w - 1, h - 1);
        TRect inner = Rect(1, 1, w, h);
        Frame3D(canvas, outer, first, first, 1);
        Frame3D(canvas, inner, second, second, 1);
        return;
    }
    case bsTopLine:
        line(first, 0, 0, w, 0);
        line(second, 0, 1, w, 1);
        return;
    case bsBottomLine:
        line(first, 0, h - 2, w, h - 2);
        line(second, 0, h - 1, w, h - 1);
        return;
    case bsLeftLine:
        line(first, 0, 0, 0, h);
        line(second, 1, 0, 1, h);
        return;
    case bsRightLine:
        line(first, w - 2, 0, w - 2, h);
        line(second, w - 1, 0, w - 1, h);
        return;
    case bsSpacer:
        return;
    }
}

// ---------------------------------------------------------------------------------------------
// TTimer

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    window_ = AllocateHWnd([this](TMessage& message) { HandleMessage(message); });
}

void TTimer::BeforeDestruction() {
    if (active_) KillTimer(window_, 1);
    active_ = false;
    DeallocateHWnd(window_);
    window_ = nullptr;
    TComponent::BeforeDestruction();
}

void TTimer::HandleMessage(TMessage& message) {
    if (message.Msg != WM_TIMER) {
        message.Result = DefWindowProcA(window_, message.Msg, message.WParam, message.LParam);
        return;
    }
    try {
        Timer();
    } catch (...) {
        if (Application) Application->HandleException(this);
    }
}

void TTimer::UpdateTimer() {
    if (active_) KillTimer(window_, 1);
    active_ = false;
    if (!enabled_ || interval_ == 0 || !onTimer_) return;
    if (!SetTimer(window_, 1, interval_, nullptr))
        throw EOutOfResources("Not enough timers available");
    active_ = true;
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned interval) {
    if (interval == interval_) return;
    interval_ = interval;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    UpdateTimer();
}

void TTimer::Timer() {
    if (enabled_ && onTimer_) onTimer_(this);
}

// ---------------------------------------------------------------------------------------------
// TSpeedButtonActionLink

TSpeedButtonActionLink::TSpeedButtonActionLink(TSpeedButton* client) : TControlActionLink(client) {
    AssignClient(client);
}

void TSpeedButtonActionLink::AssignClient(TControl* client) {
    TControlActionLink::AssignClient(client);
    button_ = dynamic_cast<TSpeedButton*>(client);
}

bool TSpeedButtonActionLink::IsCheckedLinked() const {
    return button_ && TControlActionLink::IsCheckedLinked();
}

void TSpeedButtonActionLink::SetChecked(bool checked) {
    if (IsCheckedLinked()) button_->SetDown(checked);
}

// ---------------------------------------------------------------------------------------------
// TSpeedButton

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(new TBitmap) {
    ControlStyle = {csCaptureMouse, csDoubleClicks, csReplicatable};
    glyph_->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(0, 0, 23, 22);
    SetParentColor(true);
}

void TSpeedButton::BeforeDestruction() {
    TGraphicControl::BeforeDestruction();
    delete glyph_;
    glyph_ = nullptr;
}

TControlActionLinkClass TSpeedButton::GetActionLinkClass() {
    return [](TControl* client) -> TControlActionLinkBase* {
        return new TSpeedButtonActionLink(static_cast<TSpeedButton*>(client));
    };
}

void TSpeedButton::SetGlyph(TBitmap* glyph) {
    glyph_->Assign(glyph);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int count) {
    count = Max(1, Min(count, 4));
    if (count == numGlyphs_) return;
    numGlyphs_ = count;
    Invalidate();
}

void TSpeedButton::SetDown(bool down) {
    if (groupIndex_ == 0) down = false;
    if (down == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = down;
    if (down) {
        state_ = bsExclusive;
        UpdateExclusive();
    } else {
        state_ = bsUp;
    }
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int groupIndex) {
    if (groupIndex == groupIndex_) return;
    groupIndex_ = groupIndex;
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool value) {
    if (value == allowAllUp_) return;
    allowAllUp_ = value;
    UpdateExclusive();
}

void TSpeedButton::SetFlat(bool flat) {
    if (flat == flat_) return;
    flat_ = flat;
    Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
    if (margin == margin_) return;
    margin_ = margin;
    Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
    if (spacing == spacing_) return;
    spacing_ = spacing;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
    if (layout == layout_) return;
    layout_ = layout;
    Invalidate();
}

// Tells the other buttons of the group (same parent, same GroupIndex) about this one.
void TSpeedButton::UpdateExclusive() {
    if (groupIndex_ == 0 || !Parent()) return;
    TMessage message{CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_),
                     reinterpret_cast<LPARAM>(this), 0};
    Parent()->Broadcast(message);
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (!down_) {
        state_ = bsDown;
        Repaint();
    }
    dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_) return;
    const bool inside = x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight();
    TButtonState newState = down_ ? bsExclusive : (inside ? bsDown : bsUp);
    if (newState != state_) {
        state_ = newState;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!dragging_) return;
    dragging_ = false;
    const bool inside = x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight();
    if (inside && groupIndex_ != 0) SetDown(!down_);
    state_ = down_ ? bsExclusive : bsUp;
    Invalidate();
    if (inside) Click();
}

TSize TSpeedButton::GlyphSize() const {
    if (glyph_->Empty()) return {0, 0};
    return {glyph_->Width() / numGlyphs_, glyph_->Height()};
}

void TSpeedButton::DrawGlyph(HDC dc, int x, int y, TButtonState state) {
    TSize size = GlyphSize();
    if (size.cx == 0) return;
    int index = state < numGlyphs_ ? state : 0;
    HDC source = glyph_->Canvas()->Handle();
    TransparentBlt(dc, x, y, size.cx, size.cy, source, index * size.cx, 0, size.cx, size.cy,
                   static_cast<UINT>(ColorToRGB(glyph_->TransparentColor())));
}

void TSpeedButton::Paint() {
    TCanvas* canvas = TGraphicControl::Canvas();
    TRect client = ClientRect();
    TButtonState state = Enabled() ? state_ : bsDisabled;
    if (down_ && Enabled()) state = bsExclusive;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(client);
    HDC dc = canvas->Handle();
    RECT frame{client.Left, client.Top, client.Right, client.Bottom};
    const bool pressed = state == bsDown || state == bsExclusive;
    if (!flat_ || pressed || (mouseInControl_ && Enabled()))
        DrawEdge(dc, &frame, pressed ? (flat_ ? BDR_SUNKENOUTER : EDGE_SUNKEN)
                                     : (flat_ ? BDR_RAISEDINNER : EDGE_RAISED),
                 BF_RECT);
    const int offset = pressed ? 1 : 0;
    TSize glyph = GlyphSize();
    AnsiString caption = Caption();
    canvas->Font()->Assign(Font());
    TSize text = caption.IsEmpty() ? TSize{0, 0} : canvas->TextExtent(StripHotkey(caption));
    const bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    const int gap = (glyph.cx > 0 && text.cx > 0) ? spacing_ : 0;
    const int total = horizontal ? glyph.cx + gap + text.cx : glyph.cy + gap + text.cy;
    const int extent = horizontal ? client.Width() : client.Height();
    int start = margin_ >= 0 ? margin_ : (extent - total) / 2;
    int glyphX, glyphY, textX, textY;
    if (horizontal) {
        glyphY = (client.Height() - glyph.cy) / 2;
        textY = (client.Height() - text.cy) / 2;
        glyphX = layout_ == blGlyphLeft ? start : start + text.cx + gap;
        textX = layout_ == blGlyphLeft ? start + glyph.cx + gap : start;
    } else {
        glyphX = (client.Width() - glyph.cx) / 2;
        textX = (client.Width() - text.cx) / 2;
        glyphY = layout_ == blGlyphTop ? start : start + text.cy + gap;
        textY = layout_ == blGlyphTop ? start + glyph.cy + gap : start;
    }
    DrawGlyph(dc, glyphX + offset, glyphY + offset, state);
    if (!caption.IsEmpty()) {
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        RECT r{textX + offset, textY + offset, textX + offset + text.cx,
               textY + offset + text.cy};
        DrawCaption(dc, caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER, Enabled());
    }
}

void TSpeedButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_BUTTONPRESSED: {
        auto* sender = reinterpret_cast<TSpeedButton*>(message.LParam);
        if (sender != this && static_cast<int>(message.WParam) == groupIndex_) {
            if (sender->Down() && down_) {
                down_ = false;
                state_ = bsUp;
                Invalidate();
            }
            allowAllUp_ = sender->AllowAllUp();
        }
        return;
    }
    case CM_DIALOGCHAR:
        if (Enabled() && Visible() && IsAccel(static_cast<uint16_t>(message.WParam), Caption())) {
            Click();
            message.Result = 1;
        }
        return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
        Invalidate();
        return;
    case CM_MOUSEENTER:
        mouseInControl_ = true;
        if (flat_ && Enabled()) Invalidate();
        return;
    case CM_MOUSELEAVE:
        mouseInControl_ = false;
        if (flat_ && Enabled()) Invalidate();
        return;
    default:
        TGraphicControl::Dispatch(message);
    }
}
