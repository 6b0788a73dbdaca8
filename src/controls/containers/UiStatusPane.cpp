#include "UiStatusPane.h"

#include <algorithm>
#include <cstdlib>

#include "UiDrawing.h"
#include "UiFrameController.h"
#include "UiStatusBar.h"
#include "UiThemeSrv.h"
#include "cl_actions.h"
#include "cl_imagelist.h"

namespace {

// The strip left of the status bar's client right edge that answers for the size grip.
constexpr int GripStrip = 12;

// A canvas on the screen's device context, for measuring text outside painting.
class TScreenCanvas {
public:
    TScreenCanvas() : dc_(GetDC(nullptr)) { canvas_.SetHandle(dc_); }
    ~TScreenCanvas() {
        canvas_.SetHandle(nullptr);
        ReleaseDC(nullptr, dc_);
    }
    TCanvas* operator->() { return &canvas_; }

private:
    HDC dc_;
    TCanvas canvas_;
};

const bool panePropertiesRegistered = [] {
    using C = TUiCustomStatusPane;
    const TMetaClass* meta = C::StaticClass();
    const struct {
        const char* name;
        int (C::*get)() const;
        void (C::*set)(int);
        int def;
    } integers[] = {{"BorderWidth", &C::BorderWidth, &C::SetBorderWidth, 1},
                    {"FlatColorAdjustment", &C::FlatColorAdjustment, &C::SetFlatColorAdjustment, 30},
                    {"CaptionOffset", &C::CaptionOffset, &C::SetCaptionOffset, 2},
                    {"DefaultWidth", &C::DefaultWidth, &C::SetDefaultWidth, 40}};
    for (const auto& p : integers)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkInteger, p.get, p.set, p.def));
    const struct {
        const char* name;
        bool (C::*get)() const;
        void (C::*set)(bool);
        bool def;
    } flags[] = {{"ParentFillColor", &C::ParentFillColor, &C::SetParentFillColor, true},
                 {"Transparent", &C::Transparent, &C::SetTransparent, true},
                 {"AutoHint", &C::AutoHint, &C::SetAutoHint, false},
                 {"AutoSize", &C::AutoSize, &C::SetAutoSize, false},
                 {"Blinking", &C::Blinking, &C::SetBlinking, false}};
    for (const auto& p : flags)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkBool, p.get, p.set, p.def));
    RegisterProperty(meta, OrdinalProperty<C>("FlatColor", pkColor, &C::FlatColor,
                                              &C::SetFlatColor, clBtnShadow));
    RegisterProperty(meta, OrdinalProperty<C>("BlinkColor", pkColor, &C::BlinkColor,
                                              &C::SetBlinkColor, clHighlight));
    TPropertyInfo fill = OrdinalProperty<C>("FillColor", pkColor, &C::FillColor, &C::SetFillColor);
    fill.IsStored = [](TObject* o) { return !static_cast<C*>(o)->ParentFillColor(); };
    RegisterProperty(meta, fill);
    RegisterProperty(meta, OrdinalProperty<C>("BlinkIntervalOn", pkInteger, &C::GetBlinkIntervalOn,
                                              &C::SetBlinkIntervalOn, 500));
    RegisterProperty(meta, OrdinalProperty<C>("BlinkIntervalOff", pkInteger,
                                              &C::GetBlinkIntervalOff, &C::SetBlinkIntervalOff,
                                              500));
    RegisterProperty(meta, EnumProperty<C>("FrameStyle", &C::FrameStyle, &C::SetFrameStyle,
                                           {"fsNone", "fsFlat", "fsGroove", "fsBump", "fsLowered",
                                            "fsButtonDown", "fsRaised", "fsButtonUp", "fsStatus",
                                            "fsPopup", "fsFlatBold"},
                                           fsFlat));
    RegisterProperty(meta, EnumProperty<C>("Alignment", &C::Alignment, &C::SetAlignment,
                                           {"taLeftJustify", "taRightJustify", "taCenter"},
                                           taLeftJustify));
    RegisterProperty(meta, ComponentProperty<C, TUiFrameController>(
                               "FrameController", &C::FrameController, &C::SetFrameController));
    using G = TUiCustomGlyphStatus;
    const TMetaClass* glyph = G::StaticClass();
    RegisterProperty(glyph, SubObjectProperty<G>("Glyph", &G::Glyph));
    RegisterProperty(glyph, OrdinalProperty<G>("NumGlyphs", pkInteger, &G::NumGlyphs,
                                               &G::SetNumGlyphs, 1));
    RegisterProperty(glyph, EnumProperty<G>("GlyphAlignment", &G::GlyphAlignment,
                                            &G::SetGlyphAlignment, {"gaLeft", "gaRight"}, gaLeft));
    RegisterProperty(glyph, OrdinalProperty<G>("GlyphOffset", pkInteger, &G::GlyphOffset,
                                               &G::SetGlyphOffset, 2));
    RegisterProperty(glyph, OrdinalProperty<G>("ShowGlyph", pkBool, &G::ShowGlyph,
                                               &G::SetShowGlyph, true));
    RegisterProperty(glyph, ComponentProperty<G, TCustomImageList>("Images", &G::Images,
                                                                   &G::SetImages));
    RegisterProperty(glyph, OrdinalProperty<G>("ImageIndex", pkInteger, &G::ImageIndex,
                                               &G::SetImageIndex, -1));
    RegisterProperty(glyph, OrdinalProperty<G>("DisabledIndex", pkInteger, &G::DisabledIndex,
                                               &G::SetDisabledIndex, -1));
    RegisterClasses({TUiStatusPane::StaticClass(), TUiGlyphStatus::StaticClass()});
    return true;
}();

}  // namespace

TUiCustomStatusPane::TUiCustomStatusPane(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(Left(), Top(), 100, 20);
    SetParentColor(true);
    fillColor_ = Color();
    savedFontColor_ = captionColor_ = Font()->Color();
    RegisterBlinkingControl(this);
}

void TUiCustomStatusPane::BeforeDestruction() {
    SetFrameController(nullptr);
    UnregisterBlinkingControl(this);
    TGraphicControl::BeforeDestruction();
}

void TUiCustomStatusPane::Loaded() {
    TGraphicControl::Loaded();
    savedFontColor_ = captionColor_ = Font()->Color();
    if (!ParentColor()) SetTransparent(false);
    AdjustBounds();
}

void TUiCustomStatusPane::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == frameController_) frameController_ = nullptr;
}

void TUiCustomStatusPane::SetAlignment(TAlignment value) { Change(alignment_, value); }

void TUiCustomStatusPane::SetAutoSize(bool value) {
    if (value == AutoSize()) return;
    TGraphicControl::SetAutoSize(value);
    AdjustBounds();
    Invalidate();
}

void TUiCustomStatusPane::SetBlinking(bool value) {
    if (value == blinking_) return;
    blinking_ = value;
    if (!blinking_) {
        captionColor_ = savedFontColor_;
        Repaint();
    }
}

uint16_t TUiCustomStatusPane::GetBlinkIntervalOff() const { return SharedBlinkIntervalOff(); }
void TUiCustomStatusPane::SetBlinkIntervalOff(uint16_t value) { SetSharedBlinkIntervalOff(value); }
uint16_t TUiCustomStatusPane::GetBlinkIntervalOn() const { return SharedBlinkIntervalOn(); }
void TUiCustomStatusPane::SetBlinkIntervalOn(uint16_t value) { SetSharedBlinkIntervalOn(value); }

void TUiCustomStatusPane::SetBorderWidth(int value) { Change(borderWidth_, Max(0, value)); }

void TUiCustomStatusPane::SetCaptionOffset(int value) {
    if (value == captionOffset_) return;
    captionOffset_ = value;
    Invalidate();
    AdjustBounds();
}

void TUiCustomStatusPane::SetDefaultWidth(int value) {
    if (value == defaultWidth_) return;
    defaultWidth_ = value;
    Invalidate();
    AdjustBounds();
}

void TUiCustomStatusPane::SetFillColor(TColor value) {
    parentFillColor_ = false;
    Change(fillColor_, value);
}

void TUiCustomStatusPane::SetParentFillColor(bool value) {
    if (value == parentFillColor_) return;
    parentFillColor_ = value;
    if (Parent() && !InState(csReading))
        Perform(CM_PARENTCOLORCHANGED);
    else
        Invalidate();
}

void TUiCustomStatusPane::SetFrameController(TUiFrameController* value) {
    TUiFrameController::Relink(this, frameController_, value);
}

void TUiCustomStatusPane::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    if (value)
        ControlStyle.erase(csOpaque);
    else
        ControlStyle.insert(csOpaque);
    Invalidate();
}

void TUiCustomStatusPane::AdjustBounds() {
    if (InState(csReading) || !AutoSize()) return;
    SetWidth(GetMinWidth());
}

int TUiCustomStatusPane::MeasureText(const AnsiString& text) {
    if (text.IsEmpty()) return 0;
    TScreenCanvas canvas;
    canvas->SetFont(Font());
    RECT rect = {0, 0, Width(), Height()};
    DrawTextA(canvas->Handle(), text.c_str(), text.Length(), &rect,
              DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
    return rect.right - rect.left;
}

int TUiCustomStatusPane::GetMinWidth() {
    const AnsiString caption = Caption();
    if (caption.IsEmpty()) return defaultWidth_;
    return 2 * borderWidth_ + MeasureText(caption) + captionOffset_ + 6;
}

int TUiCustomStatusPane::FrameAllowance() const {
    switch (frameStyle_) {
    case fsNone:
    case fsFlatRounded: return 0;
    case fsFlat:
    case fsStatus:
    case fsPopup: return 1;
    default: return 2;
    }
}

TRect TUiCustomStatusPane::GetCaptionRect() {
    TRect rect = ClientRect();
    const int inset = borderWidth_ + FrameAllowance();
    InflateRect(reinterpret_cast<RECT*>(&rect), -inset, -inset);
    return rect;
}

TUiStatusBar* TUiCustomStatusPane::StatusBar() const {
    return dynamic_cast<TUiStatusBar*>(Parent());
}

bool TUiCustomStatusPane::StatusBarThemed() const {
    TUiStatusBar* bar = StatusBar();
    return bar && bar->VisualStyle() == vsWinXP && ThemeServices()->GetThemesEnabled();
}

void TUiCustomStatusPane::CopyThemedBackground(TCanvas* canvas, const TRect& rect,
                                               const TRect& target) {
    TUiStatusBar* bar = StatusBar();
    TBitmap background;
    background.SetSize(bar->Width(), bar->Height());
    ThemeServices()->DrawElement(background.Canvas()->Handle(),
                                 TThemeServices::GetElementDetails(tsStatusRoot),
                                 TRect(0, 0, bar->Width(), bar->Height()));
    BitBlt(canvas->Handle(), target.Left, target.Top, target.Width(), target.Height(),
           background.Canvas()->Handle(), rect.Left + Left(), rect.Top + Top(), SRCCOPY);
}

bool TUiCustomStatusPane::UnderSizeGrip(const TRect& rect) {
    TUiStatusBar* bar = StatusBar();
    return bar && bar->ShowSizeGrip() && Left() + rect.Right >= bar->GetClientRect().Right;
}

void TUiCustomStatusPane::DrawCaption(const AnsiString& caption) {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Font()->SetColor(captionColor_);
    const TRect rect = GetCaptionRect();
    SetTextAlign(canvas->Handle(), SetTextAlignments[alignment_]);
    int x = rect.Left + captionOffset_ + 1;
    if (alignment_ == taRightJustify) x = rect.Right - captionOffset_ - 1;
    if (alignment_ == taCenter) x = rect.Left + rect.Width() / 2;
    const int y = rect.Top + (rect.Height() - canvas->TextHeight("Pp")) / 2;
    if (StatusBarThemed()) {
        CopyThemedBackground(canvas, rect, rect);
        canvas->Brush()->SetStyle(bsClear);
    } else if (transparent_) {
        canvas->Brush()->SetStyle(bsClear);
    } else {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(fillColor_);
    }
    if (!Enabled()) {
        canvas->Font()->SetColor(clBtnHighlight);
        canvas->TextRect(rect, x + 1, y + 1, caption);
        canvas->Font()->SetColor(clBtnShadow);
        canvas->Brush()->SetStyle(bsClear);
    }
    canvas->TextRect(rect, x, y, caption);
    SetTextAlign(canvas->Handle(), TA_LEFT);
}

void TUiCustomStatusPane::DrawStatusBorder() {
    TCanvas* canvas = Canvas();
    if (StatusBarThemed()) {
        ThemeServices()->DrawElement(canvas->Handle(), TThemeServices::GetElementDetails(tsPane),
                                     ClientRect());
        return;
    }
    TRect r(0, 0, Width(), Height());
    if (!transparent_) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
    }
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    InflateRect(reinterpret_cast<RECT*>(&r), -borderWidth_, -borderWidth_);
    TUiStatusBar* bar = StatusBar();
    if (bar && bar->VisualStyle() == vsGradient) {
        if (bar->BorderWidth() >= Left()) return;
        TColor first, second, divider;
        GetGradientStatusBarColors(bar->GradientColorStyle(), first, second, divider);
        canvas->Pen()->SetColor(divider);
        canvas->MoveTo(r.Left, r.Top + 1);
        canvas->LineTo(r.Left, r.Bottom - 1);
    } else if (frameStyle_ == fsFlat) {
        canvas->Pen()->SetColor(AdjustColor(flatColor_, flatColorAdjustment_));
        canvas->MoveTo(r.Left, r.Top + 1);
        canvas->LineTo(r.Left, r.Bottom - 1);
        canvas->MoveTo(r.Left + 1, r.Top);
        canvas->LineTo(r.Right - 1, r.Top);
        canvas->MoveTo(r.Right - 1, r.Top + 1);
        canvas->LineTo(r.Right - 1, r.Bottom - 1);
        canvas->MoveTo(r.Left + 1, r.Bottom - 1);
        canvas->LineTo(r.Right - 1, r.Bottom - 1);
    } else {
        DrawBorder(canvas, r, frameStyle_);
    }
}

void TUiCustomStatusPane::Paint() {
    DrawStatusBorder();
    DrawCaption(Caption());
}

void TUiCustomStatusPane::CustomFramingChanged() {
    if (!frameController_ || !frameController_->FrameVisible()) return;
    auto admitted = [this](TUiFrameControllerProperty p) { return (notifications_ >> p) & 1; };
    if (admitted(fcpFrameStyle)) frameStyle_ = frameController_->FrameStyle();
    if (admitted(fcpFrameColor)) {
        flatColor_ = frameController_->FrameColor();
        flatColorAdjustment_ = 0;
    }
    if (admitted(fcpColor)) SetFillColor(frameController_->Color());
    if (admitted(fcpParentColor)) SetParentColor(frameController_->ParentColor());
    Invalidate();
}

void TUiCustomStatusPane::Blink(TBlinkState state) {
    captionColor_ = state == bsOff ? blinkColor_ : savedFontColor_;
    Repaint();
}

bool TUiCustomStatusPane::ExecuteAction(TBasicAction* action) {
    auto* hint = dynamic_cast<THintAction*>(action);
    if (autoHint_ && hint) {
        SetCaption(hint->Hint());
        return true;
    }
    return TGraphicControl::ExecuteAction(action);
}

void TUiCustomStatusPane::FontChanged() {
    if (InState(csLoading)) return;
    savedFontColor_ = Font()->Color();
    if (!blinking_) captionColor_ = savedFontColor_;
    AdjustBounds();
}

void TUiCustomStatusPane::ColorChanged() {
    if (parentFillColor_) fillColor_ = Color();
    Invalidate();
}

void TUiCustomStatusPane::HitTest(TMessage& message) {
    TUiStatusBar* bar = StatusBar();
    if (!bar || !UnderSizeGrip(ClientRect())) return;
    const TPoint point(message.XPos(), message.YPos());
    const int gripEdge = bar->GetClientRect().Right - Left();
    if (point.X < gripEdge - GripStrip || point.X >= gripEdge) return;
    // The bar answers for the grip in screen coordinates, as for its own pixels.
    const TPoint screen = ClientToScreen(point);
    message.Result = bar->Perform(WM_NCHITTEST, 0, MAKELPARAM(screen.X, screen.Y));
}

void TUiCustomStatusPane::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_GETBLINKING:
        message.Result = blinking_ ? 1 : 0;
        return;
    case CM_BLINK:
        if (blinking_) Blink(static_cast<TBlinkState>(message.WParam));
        return;
    }
    TGraphicControl::Dispatch(message);
    switch (message.Msg) {
    case CM_FONTCHANGED:
        FontChanged();
        Invalidate();
        break;
    case CM_TEXTCHANGED:
        Invalidate();
        AdjustBounds();
        break;
    case CM_COLORCHANGED:
    case CM_PARENTCOLORCHANGED: ColorChanged(); break;
    case CM_HITTEST: HitTest(message); break;
    case CM_MOUSEENTER:
        if (OnMouseEnter) OnMouseEnter(this);
        break;
    case CM_MOUSELEAVE:
        if (OnMouseLeave) OnMouseLeave(this);
        break;
    }
}

TUiCustomGlyphStatus::TUiCustomGlyphStatus(TComponent* owner)
    : TUiCustomStatusPane(owner), glyph_(new TBitmap), imageChangeLink_(new TChangeLink) {
    glyph_->OnChange = [this](TObject*) { GlyphChanged(); };
    imageChangeLink_->OnChange = [this](TObject*) { Repaint(); };
}

TUiCustomGlyphStatus::~TUiCustomGlyphStatus() {
    delete glyph_;
    delete imageChangeLink_;
}

void TUiCustomGlyphStatus::BeforeDestruction() {
    glyph_->OnChange = nullptr;
    SetImages(nullptr);
    TUiCustomStatusPane::BeforeDestruction();
}

void TUiCustomGlyphStatus::Notification(TComponent* component, TOperation operation) {
    TUiCustomStatusPane::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
}

void TUiCustomGlyphStatus::SetGlyph(TBitmap* value) { glyph_->Assign(value); }

void TUiCustomGlyphStatus::GlyphChanged() {
    const int width = glyph_->Width(), height = glyph_->Height();
    if (height != 0 && width % height == 0) numGlyphs_ = width / height <= 4 ? width / height : 1;
    Invalidate();
    AdjustBounds();
}

void TUiCustomGlyphStatus::SetNumGlyphs(int value) {
    Change(numGlyphs_, std::clamp(value, 1, 4));
}

void TUiCustomGlyphStatus::SetGlyphOffset(int value) {
    if (value == glyphOffset_) return;
    glyphOffset_ = value;
    Invalidate();
    AdjustBounds();
}

void TUiCustomGlyphStatus::SetShowGlyph(bool value) {
    if (value == showGlyph_) return;
    showGlyph_ = value;
    Invalidate();
    AdjustBounds();
}

void TUiCustomGlyphStatus::SetImages(TCustomImageList* value) {
    if (value == images_) return;
    if (images_) {
        images_->UnRegisterChanges(imageChangeLink_);
        images_->RemoveFreeNotification(this);
    }
    images_ = value;
    if (images_) {
        images_->RegisterChanges(imageChangeLink_);
        images_->FreeNotification(this);
    }
    Invalidate();
}

bool TUiCustomGlyphStatus::UsesImages() const { return images_ && imageIndex_ != -1; }

TSize TUiCustomGlyphStatus::PictureSize() const {
    if (UsesImages()) return TSize{images_->Width(), images_->Height()};
    if (!glyph_->Empty()) return TSize{glyph_->Width() / numGlyphs_, glyph_->Height()};
    return TSize{0, 0};
}

int TUiCustomGlyphStatus::GetMinWidth() {
    int width = TUiCustomStatusPane::GetMinWidth() + glyphOffset_;
    if (showGlyph_) width += UsesImages() ? images_->Width() : glyph_->Width() / numGlyphs_;
    return width;
}

TRect TUiCustomGlyphStatus::GetCaptionRect() {
    TRect rect = TUiCustomStatusPane::GetCaptionRect();
    if (!showGlyph_) return rect;
    const int shift = PictureSize().cx + glyphOffset_;
    if (glyphAlignment_ == gaLeft)
        rect.Left += shift;
    else
        rect.Right -= shift;
    return rect;
}

void TUiCustomGlyphStatus::Paint() {
    TUiCustomStatusPane::Paint();
    if (!showGlyph_) return;
    const TSize size = PictureSize();
    const TRect captionRect = GetCaptionRect();
    const int height = Min<int>(size.cy, captionRect.Height());
    int x = glyphAlignment_ == gaLeft ? glyphOffset_ + BorderWidth()
                                      : Width() - (glyphOffset_ + size.cx + BorderWidth() + 2);
    x += FrameAllowance();
    const int y = BorderWidth() + std::abs(Height() - height - BorderWidth() - 1) / 2;
    const TRect picture(x, y, x + size.cx, y + height);
    if (!StatusBarThemed() && !Transparent()) {
        const TRect baseRect = TUiCustomStatusPane::GetCaptionRect();
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->Brush()->SetColor(FillColor());
        Canvas()->FillRect(TRect(baseRect.Left, baseRect.Top, captionRect.Left, baseRect.Bottom));
    }
    if (UsesImages())
        DrawImage(picture);
    else if (!glyph_->Empty())
        DrawGlyph(picture);
}

void TUiCustomGlyphStatus::DrawImage(const TRect& rect) {
    if (disabledIndex_ == -1)
        images_->Draw(Canvas(), rect.Left, rect.Top, imageIndex_, Enabled());
    else
        images_->Draw(Canvas(), rect.Left, rect.Top, Enabled() ? imageIndex_ : disabledIndex_);
}

void TUiCustomGlyphStatus::DrawGlyph(const TRect& rect) {
    const int w = rect.Width(), h = rect.Height();
    if (w <= 0 || h <= 0) return;
    const TRect source = numGlyphs_ < 2 || Enabled() ? TRect(0, 0, w, h) : TRect(w, 0, 2 * w, h);
    TBitmap cell;
    cell.SetSize(w, h);
    BitBlt(cell.Canvas()->Handle(), 0, 0, w, h, Canvas()->Handle(), rect.Left, rect.Top, SRCCOPY);
    DrawFullTransparentBitmap(cell.Canvas(), glyph_, TRect(0, 0, w, h), source,
                              glyph_->TransparentColor());
    Canvas()->Draw(rect.Left, rect.Top, &cell);
}
