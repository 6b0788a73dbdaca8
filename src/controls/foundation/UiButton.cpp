#include "UiButton.h"

#include "UiColors.h"
#include "UiDrawing.h"
#include "UiGrafx.h"
#include "UiThemeSrv.h"
#include "cl_filer.h"
#include "cl_forms.h"

namespace {

constexpr UINT MeasureFlags = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_VCENTER | DT_CENTER;

void DrawLayer(HDC dc, const AnsiString& text, TRect rect, int dx, int dy, UINT flags,
               TColor color) {
    RECT r = ToRECT(rect);
    OffsetRect(&r, dx, dy);
    SetTextColor(dc, ColorToRGB(color));
    DrawTextA(dc, text.c_str(), -1, &r, flags);
}

// A one-pixel ring without its four corner pixels.
void DrawInnerRing(TCanvas* canvas, const TRect& b, TColor color) {
    canvas->Pen()->SetColor(color);
    canvas->MoveTo(b.Left, b.Top + 1);
    canvas->LineTo(b.Left, b.Bottom - 1);
    canvas->MoveTo(b.Right - 1, b.Top + 1);
    canvas->LineTo(b.Right - 1, b.Bottom - 1);
    canvas->MoveTo(b.Left + 1, b.Top);
    canvas->LineTo(b.Right - 1, b.Top);
    canvas->MoveTo(b.Left + 1, b.Bottom - 1);
    canvas->LineTo(b.Right - 1, b.Bottom - 1);
}

const bool buttonPropertiesRegistered = [] {
    {
        using C = TUiCustomButton;
        const TMetaClass* meta = C::StaticClass();
        RegisterProperty(meta, EnumProperty<C>("AlignmentVertical", &C::AlignmentVertical,
                                               &C::SetAlignmentVertical,
                                               {"avTop", "avCenter", "avBottom"}, avCenter));
        RegisterProperty(meta, OrdinalProperty<C>("HotTrack", pkBool, &C::HotTrack,
                                                  &C::SetHotTrack, 0));
        RegisterProperty(meta, OrdinalProperty<C>("HotTrackColor", pkColor, &C::HotTrackColor,
                                                  &C::SetHotTrackColor, 0x149BF0));
        RegisterProperty(meta, EnumProperty<C>("HotTrackColorType", &C::HotTrackColorType,
                                               &C::SetHotTrackColorType,
                                               {"htctComplement", "htctActual"}, htctActual));
        RegisterProperty(meta, OrdinalProperty<C>("HighlightColor", pkColor, &C::HighlightColor,
                                                  &C::SetHighlightColor, clHighlight));
        RegisterProperty(meta, OrdinalProperty<C>("LightTextStyle", pkBool, &C::LightTextStyle,
                                                  &C::SetLightTextStyle, 0));
        RegisterProperty(meta, EnumProperty<C>("TextStyle", &C::TextStyle, &C::SetTextStyle,
                                               TextStyleIdents(), tsNormal));
        RegisterProperty(meta, OrdinalProperty<C>("TextHighlightColor", pkColor,
                                                  &C::TextHighlightColor,
                                                  &C::SetTextHighlightColor, clBtnHighlight));
        RegisterProperty(meta, OrdinalProperty<C>("TextShadowColor", pkColor,
                                                  &C::TextShadowColor, &C::SetTextShadowColor,
                                                  clBtnShadow));
        RegisterProperty(meta, OrdinalProperty<C>("TextShadowDepth", pkInteger,
                                                  &C::TextShadowDepth, &C::SetTextShadowDepth,
                                                  2));
    }
    using C = TUiButton;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, OrdinalProperty<C>("ThemeAware", pkBool, &C::ThemeAware,
                                              &C::SetThemeAware, 1));
    RegisterProperty(meta, EnumProperty<C>("Alignment", &C::Alignment, &C::SetAlignment,
                                           AlignmentIdents(), taCenter));
    const struct {
        const char* name;
        bool (C::*get)() const;
        void (C::*set)(bool);
        bool def;
    } flags[] = {{"AllowAllUp", &C::AllowAllUp, &C::SetAllowAllUp, false},
                 {"Cancel", &C::Cancel, &C::SetCancel, false},
                 {"Default", &C::Default, &C::SetDefault, false},
                 {"DropDownOnEnter", &C::DropDownOnEnter, &C::SetDropDownOnEnter, true},
                 {"ShowDownPattern", &C::ShowDownPattern, &C::SetShowDownPattern, true},
                 {"ShowFocusRect", &C::ShowFocusRect, &C::SetShowFocusRect, true}};
    for (const auto& p : flags)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkBool, p.get, p.set, p.def));
    RegisterProperty(meta, OrdinalProperty<C>("FrameColor", pkColor, &C::FrameColor,
                                              &C::SetFrameColor, cl3DDkShadow));
    // The group before Down: a button outside any group cannot be down.
    RegisterProperty(meta, OrdinalProperty<C>("GroupIndex", pkInteger, &C::GroupIndex,
                                              &C::SetGroupIndex, 0));
    RegisterProperty(meta, OrdinalProperty<C>("Down", pkBool, &C::Down, &C::SetDown, 0));
    RegisterProperty(meta, OrdinalProperty<C>("ModalResult", pkInteger, &C::ModalResult,
                                              &C::SetModalResult, mrNone));
    return true;
}();

}  // namespace

// ---------------------------------------------------------------------------------------------
TUiCustomButton::TUiCustomButton(TComponent* owner) : TCustomControl(owner) {
    ControlStyle = {csCaptureMouse, csSetCaption, csDoubleClicks, csReplicatable, csReflector};
    SetBounds(0, 0, 115, 17);
    SetTabStop(true);
}

bool TUiCustomButton::Themed() const {
    return themeAware_ && ThemeServices()->GetThemesEnabled();
}

void TUiCustomButton::HotColors(TColor& light, TColor& hot) const {
    if (hotTrackColorType_ == htctActual) {
        light = BlendColors(clWhite, hotTrackColor_, 190);
        hot = hotTrackColor_;
    } else {
        light = ComplementaryColor(hotTrackColor_, 180);
        hot = DarkerColor(light, 30);
    }
}

#define UI_SETTER(Class, Name, Type, field)   \
    void Class::Set##Name(Type value) {       \
        if (value == field) return;           \
        field = value;                        \
        Invalidate();                         \
    }

UI_SETTER(TUiCustomButton, AlignmentVertical, TAlignmentVertical, alignmentVertical_)
UI_SETTER(TUiCustomButton, HotTrack, bool, hotTrack_)
UI_SETTER(TUiCustomButton, HotTrackColor, TColor, hotTrackColor_)
UI_SETTER(TUiCustomButton, HotTrackColorType, TUiHotTrackColorType, hotTrackColorType_)
UI_SETTER(TUiCustomButton, HighlightColor, TColor, highlightColor_)
UI_SETTER(TUiCustomButton, LightTextStyle, bool, lightTextStyle_)
UI_SETTER(TUiCustomButton, TextStyle, TTextStyle, textStyle_)
UI_SETTER(TUiCustomButton, TextHighlightColor, TColor, textHighlightColor_)
UI_SETTER(TUiCustomButton, TextShadowColor, TColor, textShadowColor_)
UI_SETTER(TUiCustomButton, TextShadowDepth, int, textShadowDepth_)
UI_SETTER(TUiCustomButton, ThemeAware, bool, themeAware_)
UI_SETTER(TUiCustomButton, Transparent, bool, transparent_)

void TUiCustomButton::Draw3DText(TCanvas* canvas, const TRect& rect, UINT flags) {
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetName("System");
    canvas->SetFont(Font());
    const AnsiString text = Caption();
    const HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    RECT measured = ToRECT(rect);
    const int h = DrawTextA(dc, text.c_str(), -1, &measured, MeasureFlags);
    TRect r = rect;
    switch (alignmentVertical_) {
    case avTop:
        r.Bottom = r.Top + h;
        break;
    case avCenter:
        r.Top = (r.Top + r.Bottom - h) / 2;
        r.Bottom = r.Top + h;
        break;
    case avBottom:
        r.Top = r.Bottom - h - 1;
        break;
    }
    if (UseRightToLeftAlignment()) flags |= DT_RTLREADING;
    if (!Enabled()) {
        DrawLayer(dc, text, r, 1, 1, flags, clBtnHighlight);
        DrawLayer(dc, text, r, 0, 0, flags, clBtnShadow);
    } else {
        if (textStyle_ == tsRaised || textStyle_ == tsRecessed) {
            const bool raised = textStyle_ == tsRaised;
            const TColor farColor = raised ? textShadowColor_ : textHighlightColor_;
            const TColor nearColor = raised ? textHighlightColor_ : textShadowColor_;
            if (!raised || !lightTextStyle_) DrawLayer(dc, text, r, 1, 1, flags, farColor);
            if (raised || !lightTextStyle_) DrawLayer(dc, text, r, -1, -1, flags, nearColor);
        } else if (textStyle_ == tsShadow) {
            const int dx = (flags & DT_RIGHT) ? 0 : textShadowDepth_;
            DrawLayer(dc, text, r, dx, textShadowDepth_, flags, textShadowColor_);
        }
        if (flags & DT_RIGHT) r = MovedRect(r, -textShadowDepth_, 0);
        DrawLayer(dc, text, r, 0, 0, flags, Font()->Color());
    }
    canvas->Brush()->SetStyle(bsSolid);
}

void TUiCustomButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::Dispatch(message);
        RepaintDisplay();
        return;
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(message.WParam));
        TCustomControl::Dispatch(message);
        return;
    case CM_ENABLEDCHANGED:
        TCustomControl::Dispatch(message);
        EnabledChanged();
        return;
    case CM_TEXTCHANGED:
        TCustomControl::Dispatch(message);
        Repaint();
        return;
    case CM_MOUSEENTER:
        return MouseEnterLeave(message, true);
    case CM_MOUSELEAVE:
        return MouseEnterLeave(message, false);
    default:
        TCustomControl::Dispatch(message);
    }
}

void TUiCustomButton::EnabledChanged() {
    if (!Enabled() && Parent()) {
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
    }
    if (HandleAllocated() && !InState(csDesigning)) EnableWindow(WindowHandle(), Enabled());
    Invalidate();
}

void TUiCustomButton::MouseEnterLeave(TMessage& message, bool inside) {
    mouseInControl_ = inside;
    TCustomControl::Dispatch(message);
    const TNotifyEvent& handler = inside ? OnMouseEnter : OnMouseLeave;
    if (handler) handler(this);
    if ((hotTrack_ || Themed()) && HandleAllocated()) {
        RECT r = ToRECT(GetHotTrackRect());
        InvalidateRect(WindowHandle(), &r, FALSE);
    }
}

bool TUiCustomButton::InClient(int x, int y) {
    return x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight();
}

void TUiCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    SetFocus();
    if (!Focused()) return;
    showPressed_ = true;
    mouseTracking_ = true;
    UpdateDisplay();
}

void TUiCustomButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!mouseTracking_) return;
    const bool inside = InClient(x, y);
    if (inside == showPressed_) return;
    showPressed_ = inside;
    UpdateDisplay();
}

void TUiCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (!mouseTracking_) return;
    mouseTracking_ = false;
    showPressed_ = false;
    if (InClient(x, y)) ChangeState();
    UpdateDisplay();
}

// ---------------------------------------------------------------------------------------------
TUiButton::TUiButton(TComponent* owner) : TUiCustomButton(owner) {
    SetBounds(0, 0, 75, 25);
    SetColor(clBtnFace);
}

UI_SETTER(TUiButton, Alignment, TAlignment, alignment_)
UI_SETTER(TUiButton, FrameColor, TColor, frameColor_)
UI_SETTER(TUiButton, ShowDownPattern, bool, showDownPattern_)
UI_SETTER(TUiButton, ShowFocusRect, bool, showFocusRect_)

void TUiButton::DefineProperties(TFiler* filer) {
    TUiCustomButton::DefineProperties(filer);
    filer->DefineProperty("FrameFlat", [this](TReader* reader) {
        SetHotTrack(reader->ReadBoolean());
    }, nullptr, false);
}

void TUiButton::SetHotTrack(bool value) {
    TUiCustomButton::SetHotTrack(value);
    SetTransparent(value);
    if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, TRUE);
}

void TUiButton::SetDefault(bool value) {
    default_ = value;
    if (!HandleAllocated()) return;
    if (TCustomForm* form = GetParentForm(this)) {
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
    }
}

void TUiButton::SetAllowAllUp(bool value) {
    allowAllUp_ = value;
    UpdateExclusive();
}

void TUiButton::SetGroupIndex(int value) {
    groupIndex_ = value;
    UpdateExclusive();
}

void TUiButton::SetDown(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    if (down_ && !allowAllUp_ && groupIndex_ != 0) return;
    down_ = value;
    state_ = value ? bsExclusive : bsUp;
    Invalidate();
    if (value) UpdateExclusive();
}

void TUiButton::UpdateExclusive() {
    if (groupIndex_ == 0 || !Parent()) return;
    TMessage message{CM_UIBUTTONPRESSED, static_cast<WPARAM>(groupIndex_),
                     reinterpret_cast<LPARAM>(this), 0};
    Parent()->Broadcast(message);
}

void TUiButton::ButtonPressed(TMessage& message) {
    auto* sender = dynamic_cast<TUiButton*>(reinterpret_cast<TObject*>(message.LParam));
    if (!sender || sender == this || static_cast<int>(message.WParam) != groupIndex_) return;
    if (sender->Down() && down_) {
        down_ = false;
        state_ = bsUp;
        Invalidate();
    }
    allowAllUp_ = sender->AllowAllUp();
}

void TUiButton::ChangeState() {
    if (groupIndex_ == 0) Invalidate();
    else SetDown(!down_);
    inClick_ = true;
    try {
        Click();
    } catch (...) {
        inClick_ = false;
        throw;
    }
    inClick_ = false;
}

void TUiButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TUiCustomButton::Click();
}

void TUiButton::CreateWnd() {
    TUiCustomButton::CreateWnd();
    actsAsDefault_ = default_;
}

void TUiButton::KeyDown(uint16_t& key, TShiftState shift) {
    TUiCustomButton::KeyDown(key, shift);
    if (key != VK_SPACE || shift.count(ssAlt)) return;
    spaceArmed_ = true;
    showPressed_ = true;
    UpdateDisplay();
}

void TUiButton::KeyUp(uint16_t& key, TShiftState shift) {
    TUiCustomButton::KeyUp(key, shift);
    if (key != VK_SPACE) return;
    showPressed_ = false;
    if (spaceArmed_) ChangeState();
    UpdateDisplay();
}

void TUiButton::DialogKey(TMessage& message) {
    const WPARAM key = message.WParam;
    const bool wanted = (key == VK_RETURN && actsAsDefault_) || (key == VK_ESCAPE && cancel_);
    if (!wanted || !KeyDataToShiftState(message.LParam).empty() || !CanFocus()) return;
    enterClick_ = key == VK_RETURN && !dropDownOnEnter_;
    try {
        Click();
    } catch (...) {
        enterClick_ = false;
        throw;
    }
    enterClick_ = false;
    message.Result = 1;
}

void TUiButton::FocusChanged(TControl* focused) {
    const bool isButton = dynamic_cast<TUiButton*>(focused) || dynamic_cast<TButton*>(focused);
    const bool acts = isButton ? focused == this : default_;
    if (acts == actsAsDefault_) return;
    actsAsDefault_ = acts;
    Invalidate();
}

void TUiButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGKEY:
        return DialogKey(message);
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<uint16_t>(message.WParam), Caption()) && CanFocus()) {
            Click();
            message.Result = 1;
        }
        return;
    case CM_FOCUSCHANGED:
        return FocusChanged(message.Control());
    case CM_UIBUTTONPRESSED:
        return ButtonPressed(message);
    case WM_KILLFOCUS:
        spaceArmed_ = false;
        showPressed_ = false;
        TUiCustomButton::Dispatch(message);
        UpdateDisplay();
        return;
    default:
        TUiCustomButton::Dispatch(message);
    }
}

bool TUiButton::Pressed() const {
    return state_ == bsDown || state_ == bsExclusive || showPressed_;
}

TColor TUiButton::DisabledRingColor() const {
    return Color() == clBtnFace ? LighterColor(clBtnShadow, 30) : DarkerColor(Color(), 80);
}

void TUiButton::PaintBackground(HDC dc) {
    if (!Transparent()) return;
    TRect r = GetClientRect();
    r = InflatedRect(r, Enabled() ? -1 : -2, Enabled() ? -1 : -2);
    ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    r = InflatedRect(r, 1, -1);
    ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    r = InflatedRect(r, -2, 2);
    ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    DrawParentImage(this, dc);
    SelectClipRgn(dc, nullptr);
}

void TUiButton::PaintHotTrackFace(TCanvas* canvas, TRect& b) {
    const TColor dark = DarkerColor(clBtnFace, 20), light = LighterColor(clBtnFace, 20);
    canvas->Pen()->SetColor(dark);
    canvas->MoveTo(b.Left, b.Top + 2);
    canvas->LineTo(b.Left, b.Bottom - 2);
    canvas->MoveTo(b.Left + 2, b.Top);
    canvas->LineTo(b.Right - 2, b.Top);
    canvas->Pen()->SetColor(light);
    canvas->MoveTo(b.Right - 1, b.Top + 2);
    canvas->LineTo(b.Right - 1, b.Bottom - 2);
    canvas->MoveTo(b.Left + 2, b.Bottom - 1);
    canvas->LineTo(b.Right - 2, b.Bottom - 1);
    canvas->SetPixels(b.Left + 1, b.Top + 1, dark);
    canvas->SetPixels(b.Right - 2, b.Top + 1, dark);
    canvas->SetPixels(b.Left + 1, b.Bottom - 2, dark);
    canvas->SetPixels(b.Right - 2, b.Bottom - 2, light);
    b = InflatedRect(b, -1, -1);
    DrawInnerRing(canvas, b, frameColor_);
    b = InflatedRect(b, -1, -1);
    if (Pressed()) {
        canvas->Brush()->SetColor(DarkerColor(Color(), 10));
        canvas->FillRect(b);
        return;
    }
    canvas->Pen()->SetColor(DarkerColor(Color(), 20));
    canvas->MoveTo(b.Left, b.Bottom - 2);
    canvas->LineTo(b.Right, b.Bottom - 2);
    canvas->Pen()->SetColor(DarkerColor(Color(), 30));
    canvas->MoveTo(b.Left, b.Bottom - 1);
    canvas->LineTo(b.Right, b.Bottom - 1);
    b.Bottom -= 2;
    if (FullColorSupported) {
        PaintGradient(canvas, b, gdHorizontalEnd, LighterColor(Color(), 30), DarkerColor(Color(), 10));
    } else {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(b);
    }
    if (MouseInControl()) {
        TColor first, second;
        HotColors(first, second);
        DrawHighlightBox(canvas, b, gdHorizontalEnd, first, second);
    } else if (groupIndex_ == 0 && (actsAsDefault_ || Focused()) && !showPressed_) {
        TColor h = HighlightColor();
        if (ColorsTooClose(h, clBtnFace)) h = DarkerColor(h, 30);
        const TColor l = LighterColor(Color(), 30);
        DrawHighlightBox(canvas, b, gdHorizontalEnd, BlendColors(h, l, 60), BlendColors(h, l, 160));
    }
}

void TUiButton::PaintClassicFace(TCanvas* canvas, TRect& b) {
    if (groupIndex_ == 0 && (((actsAsDefault_ || Focused()) && !showPressed_) || inClick_))
        b = DrawSides(canvas, b, clWindowFrame, clWindowFrame, AllSides);
    const bool pressed = Pressed();
    if (Color() == clBtnFace) {
        if (groupIndex_ == 0) b = DrawButtonBorder(canvas, b, showPressed_);
        else b = DrawBorder(canvas, b, pressed ? fsLowered : fsButtonUp);
    } else if (groupIndex_ == 0) {
        b = DrawColorButtonBorder(canvas, b, Color(), showPressed_);
    } else if (pressed) {
        b = DrawColorBorder(canvas, b, Color(), fsLowered);
    } else {
        b = DrawColorButtonBorder(canvas, b, Color(), false);
    }
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(b);
}

void TUiButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect b = GetClientRect();
    const bool themed = Themed();
    const bool pressed = Pressed();
    TRect f = b;
    f = InflatedRect(f, HotTrack() || themed ? -3 : -4, HotTrack() || themed ? -3 : -4);
    if (groupIndex_ != 0 && pressed) f = MovedRect(f, 1, 1);
    if (themed) {
        TThemedButton element = tbPushButtonNormal;
        if (!Enabled()) element = tbPushButtonDisabled;
        else if (pressed) element = tbPushButtonPressed;
        else if (MouseInControl()) element = tbPushButtonHot;
        else if (groupIndex_ == 0 && (actsAsDefault_ || Focused())) element = tbPushButtonDefaulted;
        const TThemedElementDetails details = TThemeServices::GetElementDetails(element);
        ThemeServices()->DrawParentBackground(WindowHandle(), canvas->Handle(), &details, true, &b);
        ThemeServices()->DrawElement(canvas->Handle(), details, b);
    } else if (HotTrack() && Enabled()) {
        PaintHotTrackFace(canvas, b);
    } else if (HotTrack()) {
        b = InflatedRect(b, -1, -1);
        DrawInnerRing(canvas, b, DisabledRingColor());
        b = InflatedRect(b, -1, -1);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(b);
    } else {
        PaintClassicFace(canvas, b);
    }
    if (groupIndex_ != 0 && state_ == bsExclusive && showDownPattern_) {
        TBitmap* pattern = CreateBrushPattern();
        try {
            canvas->Brush()->SetBitmap(pattern);
            canvas->FillRect(b);
            canvas->Brush()->SetBitmap(nullptr);
        } catch (...) {
            canvas->Brush()->SetBitmap(nullptr);
            pattern->Free();
            throw;
        }
        pattern->Free();
    }
    canvas->SetFont(Font());
    canvas->Brush()->SetColor(Color());
    DrawButtonContent(canvas);
    if (Focused() && showFocusRect_) DrawFocusBorder(canvas, f);
}

TBitmap* TUiButton::CreateBrushPattern() {
    auto* pattern = new TBitmap();
    pattern->SetSize(8, 8);
    TCanvas* canvas = pattern->Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(TRect(0, 0, 8, 8));
    const TColor dots = ColorToRGB(Color()) == clSilver ? clGray : clSilver;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (x % 2 == y % 2) canvas->SetPixels(x, y, dots);
    return pattern;
}

TRect TUiButton::GetCaptionRect() {
    TRect r = GetClientRect();
    r = InflatedRect(r, -5, -5);
    const bool classic = !HotTrack() && !Themed();
    const bool latched = groupIndex_ != 0 && (state_ == bsDown || state_ == bsExclusive);
    if (classic && (latched || showPressed_)) r = MovedRect(r, 1, 1);
    return r;
}

void TUiButton::DrawButtonContent(TCanvas* canvas) {
    TAlignment alignment = alignment_;
    if (UseRightToLeftAlignment() && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    Draw3DText(canvas, GetCaptionRect(),
               DrawTextAlignments[alignment] | DT_WORDBREAK | DT_EXPANDTABS);
}

#undef UI_SETTER
