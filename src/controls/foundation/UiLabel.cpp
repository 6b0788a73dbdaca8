#include "UiLabel.h"

#include <shellapi.h>

#include <cmath>

#include "UiColors.h"
#include "UiDrawing.h"
#include "UiFrameController.h"
#include "UiUtils.h"
#include "cl_forms.h"
#include "cl_sys.h"

namespace {


int RoundEven(double x) { return static_cast<int>(std::nearbyint(x)); }

}  // namespace

int BorderStylePixels(TFrameStyleEx style, int bevelWidth) {
    switch (style) {
    case fsNone: return 0;
    case fsFlat: return 1;
    case fsStatus:
    case fsPopup: return bevelWidth;
    default: return 2;
    }
}

TUiLabel::TUiLabel(TComponent* owner) : TLabel(owner) {
    ControlStyle.insert(csOpaque);
    SetColor(clBtnFace);
    SetParentColor(true);
    normalTextColor_ = currentTextColor_ = Font()->Color();
    RegisterBlinkingControl(this);
}

void TUiLabel::BeforeDestruction() {
    SetFrameController(nullptr);
    UnregisterBlinkingControl(this);
    TLabel::BeforeDestruction();
}

void TUiLabel::SwitchToTrueTypeFont() {
    if (!InState(csLoading) && !IsTrueTypeFont(Font())) Font()->SetName("Verdana");
}

void TUiLabel::SetAngle(int value) {
    value = value < 0 ? 360 + value : value % 360;
    if (value == angle_) return;
    angle_ = value;
    if (angle_ != 0) SwitchToTrueTypeFont();
    if (angle_ != 0 && rotation_ == roNone) rotation_ = roFlat;
    AdjustBounds();
    Invalidate();
}

void TUiLabel::SetRotation(TRotation value) {
    if (value == rotation_) return;
    if (value != roNone) SwitchToTrueTypeFont();
    rotation_ = value;
    if (value != roCurve) angle_ = 0;
    if (value == roFlat) centerPoint_ = cpCenter;
    Invalidate();
}

void TUiLabel::SetBlinking(bool value) {
    if (value == blinking_) return;
    blinking_ = value;
    if (!blinking_) {
        currentTextColor_ = normalTextColor_;
        Invalidate();
    }
}

uint16_t TUiLabel::GetBlinkIntervalOff() const { return SharedBlinkIntervalOff(); }
void TUiLabel::SetBlinkIntervalOff(uint16_t value) { SetSharedBlinkIntervalOff(value); }
uint16_t TUiLabel::GetBlinkIntervalOn() const { return SharedBlinkIntervalOn(); }
void TUiLabel::SetBlinkIntervalOn(uint16_t value) { SetSharedBlinkIntervalOn(value); }

void TUiLabel::SetCondenseCaption(TUiCondenseCaption value) {
    if (value == condenseCaption_) return;
    condenseCaption_ = value;
    if (value != ccNone) SetAutoSize(false);
    Invalidate();
}

void TUiLabel::SetFrameController(TUiFrameController* value) {
    TUiFrameController::Relink(this, frameController_, value);
}

void TUiLabel::SetFlyByEnabled(bool value) {
    if (value == flyByEnabled_) return;
    flyByEnabled_ = value;
    // A label the mouse never entered has no fly-by colour to take back.
    if (!flyByEnabled_ && flyByEntered_) Font()->SetColor(savedFlyByColor_);
    Invalidate();
}

void TUiLabel::Notification(TComponent* component, TOperation operation) {
    TLabel::Notification(component, operation);
    if (operation == opRemove && component == frameController_) frameController_ = nullptr;
}

void TUiLabel::Loaded() {
    TLabel::Loaded();
    if (rotation_ == roNone && angle_ != 0) rotation_ = roFlat;
    if (rotation_ != roNone && !IsTrueTypeFont(Font())) Font()->SetName("Verdana");
    normalTextColor_ = currentTextColor_ = Font()->Color();
}

void TUiLabel::CustomFramingChanged() {
    if (!frameController_ || !frameController_->FrameVisible()) return;
    auto admitted = [this](TUiFrameControllerProperty p) { return (notifications_ >> p) & 1; };
    if (admitted(fcpFrameStyle)) borderOuter_ = frameController_->FrameStyle();
    if (admitted(fcpFrameSides)) borderSides_ = frameController_->FrameSides();
    if (admitted(fcpFrameColor)) {
        flatColor_ = frameController_->FrameColor();
        flatColorAdjustment_ = 0;
    }
    if (admitted(fcpColor)) SetColor(frameController_->Color());
    if (admitted(fcpParentColor)) SetParentColor(frameController_->ParentColor());
    if (admitted(fcpColor)) {
        borderHighlight_ = LighterColor(Color(), 100);
        borderShadow_ = DarkerColor(Color(), 50);
    }
    Invalidate();
}

void TUiLabel::Blink(TBlinkState state) {
    currentTextColor_ = state == bsOff ? blinkColor_ : normalTextColor_;
    Refresh();
}

void TUiLabel::FollowFontColor() {
    if (InState(csLoading)) return;
    if (!blinking_) normalTextColor_ = currentTextColor_ = Font()->Color();
    if (angle_ != 0 && !IsTrueTypeFont(Font())) angle_ = 0;
}

void TUiLabel::MouseEntered(bool entered) {
    if (flyByEnabled_) {
        if (entered) {
            savedFlyByColor_ = Font()->Color();
            flyByEntered_ = true;
            Font()->SetColor(flyByColor_);
        } else if (flyByEntered_) {
            Font()->SetColor(savedFlyByColor_);
        }
    }
}

void TUiLabel::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_GETBLINKING:
        message.Result = blinking_ ? 1 : 0;
        return;
    case CM_BLINK:
        if (blinking_) Blink(static_cast<TBlinkState>(message.WParam));
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        MouseEntered(message.Msg == CM_MOUSEENTER);
        break;
    case CM_FONTCHANGED:
        TLabel::Dispatch(message);
        FollowFontColor();
        Invalidate();
        return;
    case CM_TEXTCHANGED:
        TLabel::Dispatch(message);
        Invalidate();
        return;
    }
    TLabel::Dispatch(message);
}

void TUiLabel::FixClientRect(TRect& rect, bool withBorderWidth) {
    if (withBorderWidth) InflateRect(reinterpret_cast<RECT*>(&rect), -borderWidth_, -borderWidth_);
    for (TFrameStyleEx style : {borderOuter_, borderInner_}) {
        const int pixels = BorderStylePixels(style, bevelWidth_);
        if (HasSide(borderSides_, sdLeft)) rect.Left += pixels;
        if (HasSide(borderSides_, sdTop)) rect.Top += pixels;
        if (HasSide(borderSides_, sdRight)) rect.Right -= pixels;
        if (HasSide(borderSides_, sdBottom)) rect.Bottom -= pixels;
    }
}

void TUiLabel::AdjustForBorders(TRect& rect) {
    const int perSide = BorderStylePixels(borderOuter_, bevelWidth_) + borderWidth_ +
                        BorderStylePixels(borderInner_, bevelWidth_);
    for (TSide side : {sdLeft, sdRight})
        if (HasSide(borderSides_, side)) rect.Right += perSide;
    for (TSide side : {sdTop, sdBottom})
        if (HasSide(borderSides_, side)) rect.Bottom += perSide;
    if (rotation_ == roNone && textStyle_ == tsShadow) {
        rect.Right += shadowDepth_;
        rect.Bottom += shadowDepth_;
    }
    if (rotation_ == roFlat && angle_ != 0 && angle_ != 180) {
        if (textStyle_ == tsShadow) {
            rect.Right += shadowDepth_ / 2;
            rect.Bottom += shadowDepth_ / 2;
        }
        const double w = rect.Right, h = rect.Bottom;
        double a = (angle_ % 90) * Pi / 180;
        if (angle_ == 90 || angle_ == 270) a += Pi / 2;
        rect.Right = RoundEven(w * std::cos(a) + h * std::sin(a));
        rect.Bottom = RoundEven(h * std::cos(a) + w * std::sin(a));
    }
}

UINT TUiLabel::CondenseFlag() const {
    return condenseCaption_ == ccAtEnd        ? DT_END_ELLIPSIS
           : condenseCaption_ == ccWithinPath ? DT_PATH_ELLIPSIS
                                              : 0;
}

void TUiLabel::AdjustBounds() {
    if (!AutoSize() || InState(csReading)) return;
    TRect rect = ClientRect();
    FixClientRect(rect, true);
    rect = TRect(0, 0, rect.Right - rect.Left, rect.Bottom - rect.Top);
    auto* canvas = static_cast<TControlCanvas*>(Canvas());
    ScreenDC dc;
    canvas->BindDC(dc);
    try {
        DoDrawText(rect, DT_CALCRECT | DT_EXPANDTABS | (WordWrap() ? DT_WORDBREAK : 0) |
                             CondenseFlag());
    } catch (...) {
        canvas->BindDC(nullptr);
        throw;
    }
    canvas->BindDC(nullptr);
    AdjustForBorders(rect);
    int left = Left();
    if (Alignment() == taRightJustify) left += Width() - rect.Right;
    SetBounds(left, Top(), rect.Right, rect.Bottom);
}

void TUiLabel::Paint() {
    TCanvas* canvas = Canvas();
    const TColor parentColor = Parent() ? Parent()->Color() : Color();
    const TRect inner = DrawInnerOuterBorders(
        canvas, TRect(0, 0, Width(), Height()), borderOuter_, borderInner_, borderWidth_,
        borderSides_, bevelWidth_, borderColor_, borderHighlight_, borderShadow_, flatColor_,
        flatColorAdjustment_, Color(), parentColor, Transparent(), false);
    if (!Transparent()) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(inner);
    }
    canvas->Brush()->SetStyle(bsClear);
    if (rotation_ == roCurve)
        PaintCurvedText();
    else
        PaintText();
}

UINT TUiLabel::DrawFlags() const {
    return DrawTextAlignments[Alignment()] | DT_EXPANDTABS | (WordWrap() ? DT_WORDBREAK : 0) |
           (ShowAccelChar() ? 0 : DT_NOPREFIX) | CondenseFlag();
}

std::vector<TUiLabel::Pass> TUiLabel::Passes(int shadowOffset, int captionOffset,
                                             bool stylesWhenDisabled) const {
    std::vector<Pass> passes;
    if (Enabled() || stylesWhenDisabled) {
        switch (textStyle_) {
        case tsRaised:
            if (!lightTextStyle_) passes.push_back({shadowColor_, 1, 1});
            passes.push_back({highlightColor_, -1, -1});
            break;
        case tsRecessed:
            passes.push_back({highlightColor_, 1, 1});
            if (!lightTextStyle_) passes.push_back({shadowColor_, -1, -1});
            break;
        case tsShadow:
            passes.push_back({shadowColor_, shadowOffset, shadowOffset});
            break;
        case tsNormal:
            break;
        }
    }
    if (Enabled()) {
        const int offset = textStyle_ == tsShadow ? -captionOffset : 0;
        passes.push_back({currentTextColor_, offset, offset});
    } else {
        passes.push_back({clBtnHighlight, 1, 1});
        passes.push_back({clBtnShadow, 0, 0});
    }
    return passes;
}

void TUiLabel::PaintText() {
    TRect rect = ClientRect();
    FixClientRect(rect, true);
    InflateRect(reinterpret_cast<RECT*>(&rect), -textMargin_, -textMargin_);
    const UINT flags = DrawFlags();
    Canvas()->Font()->Assign(Font());
    if (rotation_ == roFlat) {
        PaintFlatText(rect, flags);
        return;
    }
    for (const Pass& pass : Passes(shadowDepth_, 0, false)) {
        TRect q = rect;
        PlaceVertically(q, flags);
        OffsetRect(reinterpret_cast<RECT*>(&q), pass.Dx, pass.Dy);
        DrawPass(q, flags, pass.Color);
    }
}

void TUiLabel::DrawPass(TRect rect, UINT flags, TColor color) {
    TCanvas* canvas = Canvas();
    canvas->Font()->SetColor(color);
    const HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(color));
    const AnsiString text = GetLabelText();
    RECT r = ToRECT(rect);
    DrawTextA(dc, text.c_str(), -1, &r, flags);
}

void TUiLabel::PlaceVertically(TRect& rect, UINT flags) {
    if (Layout() != tlTop) {
        const AnsiString text = GetLabelText();
        RECT measured = ToRECT(rect);
        DrawTextA(Canvas()->Handle(), text.c_str(), -1, &measured, flags | DT_CALCRECT);
        const int spare = rect.Height() - (measured.bottom - measured.top);
        OffsetRect(reinterpret_cast<RECT*>(&rect), 0, Layout() == tlBottom ? spare : spare / 2);
    }
    if ((flags & DT_RIGHT) && textStyle_ == tsShadow)
        OffsetRect(reinterpret_cast<RECT*>(&rect), -shadowDepth_, 0);
    if (Layout() == tlBottom && textStyle_ == tsShadow)
        OffsetRect(reinterpret_cast<RECT*>(&rect), 0, -shadowDepth_);
}

TPoint TUiLabel::FlatReferencePoint(const TRect& r, int e, UINT& textAlign) {
    TCanvas* canvas = Canvas();
    const int textHeight = canvas->TextHeight("Pp");
    const int w = canvas->TextWidth(GetLabelText()) + e;
    const int h = textHeight + e;
    const double q = textHeight / 4.0;
    const double t = (angle_ + 90) * Pi / 180;
    const TAlignment alignment = Alignment();
    TPoint p(Width() / 2, Height() / 2);
    const int turnedX = p.X - RoundEven(std::cos(t) * q);
    textAlign = TA_BASELINE;
    switch (angle_) {
    case 0:
        p.X = alignment == taCenter ? p.X : alignment == taRightJustify ? r.Right - w - e : r.Left + e;
        p.Y -= h / 2;
        textAlign = alignment == taCenter ? TA_CENTER : TA_LEFT | TA_TOP;
        break;
    case 90:
        p.X = turnedX;
        p.Y = alignment == taCenter ? r.Bottom - (r.Bottom - w) / 2
              : alignment == taRightJustify ? r.Top + w + e
                                            : r.Bottom - e;
        break;
    case 180:
        p.X = alignment == taCenter ? r.Right - (r.Right - w) / 2
              : alignment == taRightJustify ? r.Left + w
                                            : r.Right - e;
        p.Y -= h / 4;
        break;
    case 270:
        p.X = turnedX;
        p.Y = alignment == taCenter ? (r.Bottom - w) / 2
              : alignment == taRightJustify ? r.Bottom - w - e
                                            : r.Top + e;
        break;
    default:
        p.X = turnedX;
        p.Y += RoundEven(std::sin(t) * q);
        textAlign = TA_BASELINE | TA_CENTER;
    }
    return p;
}

void TUiLabel::PaintFlatText(const TRect& rect, UINT) {
    TCanvas* canvas = Canvas();
    const int e = textStyle_ == tsShadow ? shadowDepth_ / 2 : 0;
    UINT textAlign;
    const TPoint p = FlatReferencePoint(rect, e, textAlign);
    canvas->Font()->SetOrientation(angle_ * 10);
    const HDC dc = canvas->Handle();
    const UINT oldAlign = SetTextAlign(dc, textAlign);
    const AnsiString text = GetLabelText();
    for (const Pass& pass : Passes(e, e, false)) {
        const bool nudge = (pass.Dx == 1 || pass.Dx == -1) && pass.Dx == pass.Dy;
        TRect clip = rect;
        if (nudge) OffsetRect(reinterpret_cast<RECT*>(&clip), pass.Dx, pass.Dy);
        canvas->Font()->SetColor(pass.Color);
        canvas->TextRect(clip, p.X + pass.Dx, p.Y + pass.Dy, text);
    }
    SetTextAlign(dc, oldAlign);
}

void TUiLabel::PaintCurvedText() {
    const int bw = borderWidth_, d = 2 * bw, w = Width(), h = Height();
    static const int centreX[] = {0, 1, 2, 0, 1, 2, 0, 1, 2};
    static const int centreY[] = {0, 0, 0, 1, 1, 1, 2, 2, 2};
    const int xs[] = {bw, w / 2, w - bw};
    const int ys[] = {bw, h / 2, h - bw};
    const TPoint c(xs[centreX[centerPoint_]], ys[centreY[centerPoint_]]);
    int rx = w - d, ry = h - d;
    if (centerPoint_ == cpCenter || centerPoint_ == cpLeftCenter || centerPoint_ == cpRightCenter)
        ry = h / 2 - d;
    if (centerPoint_ == cpCenter || centerPoint_ == cpUpperCenter || centerPoint_ == cpLowerCenter)
        rx = w / 2 - d;
    // No arc to lay the characters on.
    if (rx <= 0) return;

    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    const int lineHeight = canvas->TextHeight("Yy");
    const double step = (canvas->TextWidth("w") + 2.0) / rx;
    const HDC dc = canvas->Handle();
    const UINT oldAlign = SetTextAlign(dc, TA_BASELINE | TA_CENTER);
    const std::vector<Pass> passes = Passes(shadowDepth_, 0, true);
    const AnsiString text = GetLabelText();
    double a = angle_ * Pi / 180;
    for (int i = 1; i <= text.Length(); ++i) {
        const int x = c.X - RoundEven(std::sin(a) * (rx - lineHeight));
        const int y = c.Y - RoundEven(std::cos(a) * (ry - lineHeight));
        canvas->Font()->SetOrientation(RoundEven(a * 1800 / Pi));
        const AnsiString character = text.SubString(i, 1);
        for (const Pass& pass : passes) {
            canvas->Font()->SetColor(pass.Color);
            canvas->TextOut(x + pass.Dx, y + pass.Dy, character);
        }
        a -= step;
    }
    SetTextAlign(canvas->Handle(), oldAlign);
}

TUiURLLabel::TUiURLLabel(TComponent* owner) : TUiLabel(owner) {
    SetTextStyle(tsNormal);
    Font()->SetColor(clHighlight);
    Font()->SetStyle({fsUnderline});
    HCURSOR hand = nullptr;
    if (RunningUnder(Win95) || RunningUnder(WinNT))
        hand = LoadCursorA(static_cast<HINSTANCE>(HInstance), "UICOMMON_HANDCURSOR");
    if (!hand) hand = LoadCursor(nullptr, IDC_HAND);
    if (Screen) Screen->SetCursors(crUiHandPoint, hand);
    SetCursor(crUiHandPoint);
}

void TUiURLLabel::UpdateFontColor() {
    Font()->SetColor(visited_ ? visitedColor_ : unvisitedColor_);
    Invalidate();
}

void TUiURLLabel::SetVisited(bool value) {
    if (value == visited_) return;
    visited_ = value;
    UpdateFontColor();
}

void TUiURLLabel::SetUnvisitedColor(TColor value) {
    if (value == unvisitedColor_) return;
    unvisitedColor_ = value;
    UpdateFontColor();
}

void TUiURLLabel::SetVisitedColor(TColor value) {
    if (value == visitedColor_) return;
    visitedColor_ = value;
    UpdateFontColor();
}

void TUiURLLabel::Click() {
    TUiLabel::Click();
    const AnsiString target = Trim(url_).IsEmpty() ? Caption() : url_;
    if (Trim(target).IsEmpty()) return;
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_FLAG_DDEWAIT;
    info.lpVerb = "Open";
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&info)) {
        SetVisited(true);
        return;
    }
    if (UpperCase(ExtractFileExt(target)) != ".HTM") return;
    // The open-with dialog of the system's own RunDLL32, never one found on the search path.
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const AnsiString command = "\"" + AnsiString(system) + "\\RunDLL32.exe\" Shell32.dll,OpenAs_RunDLL *.htm";
    WinExec(command.c_str(), SW_SHOWNORMAL);
}
