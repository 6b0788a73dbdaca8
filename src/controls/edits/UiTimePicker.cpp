#include "UiTimePicker.h"

#include <algorithm>
#include <cmath>

#include "UiColors.h"
#include "UiDrawing.h"
#include "UiThemeSrv.h"
#include "UiUtils.h"

namespace {

const char* const SCaptionAM = "AM";
const char* const SCaptionPM = "PM";
const char* const SCaptionSet = "Set";
const char* const SHowToUse =
    "Left-click to set Hour\rRight-click to set Minute\r    Ctrl key restricts to %d minutes";
const char* const SBadRestriction = "RestrictMinutesBy must divide 60: %d";
constexpr double HalfTurn = static_cast<double>(Pi);

int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

bool Contains(const TRect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

// The point at `degrees` from 12 o'clock, clockwise, and `length` from the centre.
TPoint AtAngle(TPoint centre, double degrees, double length) {
    const double phi = (degrees - 90) * HalfTurn / 180;
    return TPoint(centre.X + RoundEven(std::cos(phi) * length),
                  centre.Y + RoundEven(std::sin(phi) * length));
}

void DecodeHourMinute(TDateTime value, int& hour, int& minute) {
    int second, msec;
    DecodeTime(value - std::floor(value), hour, minute, second, msec);
}

void DrawLine(TCanvas* canvas, const TRect& rect, const AnsiString& text, UINT flags) {
    RECT r = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    DrawTextA(canvas->Handle(), text.c_str(), text.Length(), &r,
              flags | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

const bool timePickerPropertiesRegistered = [] {
    using C = TUiTimePicker;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, FloatProperty<C>("Time", &C::Time, &C::SetTime));
    const struct {
        const char* name;
        const AnsiString& (C::*get)() const;
        void (C::*set)(const AnsiString&);
    } texts[] = {{"Format", &C::Format, &C::SetFormat},
                 {"CaptionAM", &C::CaptionAM, &C::SetCaptionAM},
                 {"CaptionPM", &C::CaptionPM, &C::SetCaptionPM},
                 {"CaptionSet", &C::CaptionSet, &C::SetCaptionSet},
                 {"HowToUseMsg", &C::HowToUseMsg, &C::SetHowToUseMsg}};
    for (const auto& p : texts) RegisterProperty(meta, StringProperty<C>(p.name, p.get, p.set));
    const struct {
        const char* name;
        bool (C::*get)() const;
        void (C::*set)(bool);
        bool def;
    } flags[] = {{"ShowTime", &C::ShowTime, &C::SetShowTime, true},
                 {"ShowSetButton", &C::ShowSetButton, &C::SetShowSetButton, false},
                 {"RestrictMinutes", &C::RestrictMinutes, &C::SetRestrictMinutes, false},
                 {"ShowHowToUseHint", &C::ShowHowToUseHint, &C::SetShowHowToUseHint, true},
                 {"ThemeAware", &C::ThemeAware, &C::SetThemeAware, true}};
    for (const auto& p : flags)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkBool, p.get, p.set, p.def));
    RegisterProperty(meta, OrdinalProperty<C>("RestrictMinutesBy", pkInteger,
                                              &C::RestrictMinutesBy, &C::SetRestrictMinutesBy, 5));
    RegisterProperty(meta, OrdinalProperty<C>("ButtonColor", pkColor, &C::ButtonColor,
                                              &C::SetButtonColor, clBtnFace));
    RegisterProperty(meta, OrdinalProperty<C>("ButtonFontColor", pkColor, &C::ButtonFontColor,
                                              &C::SetButtonFontColor, clWindowText));
    RegisterProperty(meta, SubObjectProperty<C>("ClockFaceColors", &C::ClockFaceColors));
    using K = TUiClockFaceColors;
    const char* const colorNames[] = {"Face", "Hands", "Numbers", "HourTicks", "MinuteTicks"};
    const K defaults(nullptr);
    for (int i = 0; i < 5; ++i)
        RegisterProperty(K::StaticClass(),
                         IndexedColorProperty<K>(colorNames[i], i, defaults.GetColor(i)));
    return true;
}();

}  // namespace

// ---------------------------------------------------------------------------------------------

TColor TUiClockFaceColors::GetColor(int index) const {
    return index >= 0 && index < 5 ? colors_[index] : clNone;
}

void TUiClockFaceColors::SetColor(int index, TColor value) {
    if (index < 0 || index >= 5) return;
    colors_[index] = value;
    if (picker_) picker_->Invalidate();
}

void TUiClockFaceColors::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TUiClockFaceColors*>(source)) {
        for (int i = 0; i < 5; ++i) SetColor(i, other->GetColor(i));
        return;
    }
    TPersistent::Assign(source);
}

// ---------------------------------------------------------------------------------------------

TUiTimePicker::TUiTimePicker(TComponent* owner)
    : TUiCustomPanel(owner), colors_(new TUiClockFaceColors(this)) {
    SetColor(clWindow);
    SetFlatColorAdjustment(0);
    SetBorderOuter(fsLowered);
    SetTabStop(true);
    SetDoubleBuffered(true);
    SetBounds(Left(), Top(), 160, 190);
    ControlStyle.erase(csAcceptsControls);
    ControlStyle.erase(csSetCaption);
    ControlStyle.erase(csNoStdEvents);
    ControlStyle.insert(csReflector);
    CalcFontSize();
    hintTimer_ = new TTimer(this);
    hintTimer_->SetEnabled(false);
    hintTimer_->SetInterval(1000);
    hintTimer_->SetOnTimer(Bind(this, &TUiTimePicker::CheckHintWindowHandler));
    SetAutoSize(true);
}

void TUiTimePicker::BeforeDestruction() {
    TUiCustomPanel::BeforeDestruction();
    delete colors_;
    colors_ = nullptr;
}

// --- properties ------------------------------------------------------------------------------

void TUiTimePicker::SetTime(TDateTime value) {
    int hour, minute;
    DecodeHourMinute(value, hour, minute);
    const TDateTime time = EncodeTime(hour, minute, 0, 0);
    if (time == time_) return;
    time_ = time;
    pm_ = hour >= 12;
    Changed();
    Invalidate();
}

void TUiTimePicker::SetFormat(const AnsiString& value) {
    if (format_ == value) return;
    format_ = value;
    Invalidate();
}

void TUiTimePicker::SetShowTime(bool value) {
    if (showTime_ == value) return;
    showTime_ = value;
    Invalidate();
}

void TUiTimePicker::SetShowSetButton(bool value) {
    if (showSetButton_ == value) return;
    showSetButton_ = value;
    Invalidate();
}

void TUiTimePicker::SetCaptionAM(const AnsiString& value) {
    if (captionAM_ == value) return;
    captionAM_ = value;
    AdjustForFont();
}

void TUiTimePicker::SetCaptionPM(const AnsiString& value) {
    if (captionPM_ == value) return;
    captionPM_ = value;
    AdjustForFont();
}

void TUiTimePicker::SetCaptionSet(const AnsiString& value) {
    if (captionSet_ == value) return;
    captionSet_ = value;
    AdjustForFont();
}

void TUiTimePicker::SetButtonColor(TColor value) {
    if (buttonColor_ == value) return;
    buttonColor_ = value;
    Invalidate();
}

void TUiTimePicker::SetButtonFontColor(TColor value) {
    if (buttonFontColor_ == value) return;
    buttonFontColor_ = value;
    Invalidate();
}

void TUiTimePicker::SetThemeAware(bool value) {
    if (themeAware_ == value) return;
    themeAware_ = value;
    Invalidate();
}

void TUiTimePicker::SetRestrictMinutesBy(int value) {
    if (value < 1 || value > 60 || 60 % value != 0) throw EInvalidOperation(SBadRestriction, value);
    restrictMinutesBy_ = value;
}

AnsiString TUiTimePicker::HowToUseText() const {
    return howToUseMsg_.IsEmpty() ? ::Format(SHowToUse, restrictMinutesBy_) : howToUseMsg_;
}

AnsiString TUiTimePicker::Caption(const AnsiString& caption, const char* fallback) const {
    return caption.IsEmpty() ? AnsiString(fallback) : caption;
}

// --- time arithmetic -------------------------------------------------------------------------

void TUiTimePicker::SetHour(int hour) {
    if (pm_ && hour < 12) hour += 12;
    if (!pm_ && hour == 12) hour = 0;
    int oldHour, minute;
    DecodeHourMinute(time_, oldHour, minute);
    SetTime(EncodeTime(hour % 24, minute, 0, 0));
}

void TUiTimePicker::SetMinutes(int minutes) {
    int hour, oldMinute;
    DecodeHourMinute(time_, hour, oldMinute);
    SetTime(EncodeTime(hour, minutes % 60, 0, 0));
}

void TUiTimePicker::AdjustHour(long long count) {
    SetTime(Trunc(Now()) + time_ + static_cast<double>(count) / 24);
}

void TUiTimePicker::AdjustMinute(long long count) {
    SetTime(Trunc(Now()) + time_ + static_cast<double>(count) / 1440);
}

void TUiTimePicker::ChangeToAM() {
    if (!pm_) return;
    int hour, minute;
    DecodeHourMinute(time_, hour, minute);
    pm_ = false;
    SetHour(hour - 12);
}

void TUiTimePicker::ChangeToPM() {
    if (pm_) return;
    int hour, minute;
    DecodeHourMinute(time_, hour, minute);
    pm_ = true;
    SetHour(hour + 12);
}

void TUiTimePicker::DragHourTo(int clockHour) {
    int hour, minute;
    DecodeHourMinute(time_, hour, minute);
    int delta = (clockHour % 12 - hour % 12 + 12) % 12;
    if (delta > 6) delta -= 12;
    SetTime(EncodeTime((hour + delta + 24) % 24, minute, 0, 0));
}

void TUiTimePicker::DragMinuteTo(int minute) {
    const int forward = (minute - lastMinute_ + 60) % 60;
    if (forward > 0 && forward < 30 && minute < lastMinute_)
        AdjustHour(1);
    else if (forward > 30 && minute > lastMinute_)
        AdjustHour(-1);
    lastMinute_ = minute;
    SetMinutes(minute);
}

// --- geometry --------------------------------------------------------------------------------

double TUiTimePicker::NormalizedArcTan(double y, double x) {
    double angle = std::atan(y / x);
    if (x > 0 && y < 0) angle += 2 * HalfTurn;
    if (x < 0) angle += HalfTurn;
    return angle;
}

int TUiTimePicker::GetHourFromXY(int x, int y) {
    CalcRects();
    const int dx = x - centre_.X, dy = y - centre_.Y;
    if (dx == 0) return dy > 0 ? 6 : 12;
    const double degrees = NormalizedArcTan(dy, dx) * 180 / HalfTurn + 90;
    const int hour = static_cast<int>(std::floor(degrees / 30 + 0.5)) % 12;
    return hour == 0 ? 12 : hour;
}

int TUiTimePicker::GetMinuteFromXY(int x, int y, bool restrict) {
    CalcRects();
    const int dx = x - centre_.X, dy = y - centre_.Y;
    int minute;
    if (dx == 0) {
        minute = dy > 0 ? 30 : 0;
    } else {
        const double degrees = NormalizedArcTan(dy, dx) * 180 / HalfTurn + 90;
        minute = static_cast<int>(std::floor(degrees / 6 + 0.5)) % 60;
    }
    if (restrictMinutes_ || restrict) {
        const int steps = RoundEven(minute / 60.0 * (60 / restrictMinutesBy_));
        minute = steps * restrictMinutesBy_ % 60;
    }
    return minute;
}

void TUiTimePicker::CalcFontSize() {
    HDC dc = GetDC(nullptr);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font()->Assign(Font());
    charWidth_ = canvas.TextWidth("0");
    charHeight_ = canvas.TextHeight("0");
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
}

void TUiTimePicker::AdjustForFont() {
    CalcFontSize();
    AdjustSize();
    Invalidate();
}

bool TUiTimePicker::CanAutoSize(int& newWidth, int& newHeight) {
    newHeight = 14 * charHeight_ + 8;
    const int captionWidth = captionSet_.IsEmpty()
                                 ? 24 * charWidth_
                                 : (2 * captionSet_.Length() + 16) * charWidth_;
    newWidth = std::max(13 * (charWidth_ + 6), captionWidth);
    return true;
}

void TUiTimePicker::ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth,
                                      int& maxHeight) {
    int width = Width(), height = Height();
    CanAutoSize(width, height);
    minWidth = width;
    minHeight = height;
    TUiCustomPanel::ConstrainedResize(minWidth, minHeight, maxWidth, maxHeight);
}

void TUiTimePicker::AdjustClientRect(TRect& rect) {
    TUiCustomPanel::AdjustClientRect(rect);
    FixClientRect(rect, false);
}

void TUiTimePicker::CalcRects() {
    const int fontHeight = GetMinFontHeight(Font());
    timeRect_ = ClientRect();
    AdjustClientRect(timeRect_);
    timeRect_.Bottom = showTime_ ? fontHeight + 4 : timeRect_.Top;
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    const int top = Height() - fontHeight - 9;
    const int amWidth = canvas->TextWidth(Caption(captionAM_, SCaptionAM)) + 14;
    amRect_ = TRect(5, top, 5 + amWidth, top + fontHeight + 4);
    const int pmWidth = canvas->TextWidth(Caption(captionPM_, SCaptionPM)) + 14;
    pmRect_ = TRect(amRect_.Right + 5, top, amRect_.Right + 5 + pmWidth, top + fontHeight + 4);
    setRect_ = TRect(pmRect_.Right + (Width() - 5 - pmRect_.Right) / 3, top, Width() - 5,
                     pmRect_.Bottom);
    const int space = amRect_.Top - timeRect_.Bottom - 10;
    centre_ = TPoint((Width() - 10) / 2 + 5, timeRect_.Bottom + 3 + space / 2);
    radius_ = std::min((Width() - 10) / 2, space / 2);
    faceRect_ = TRect(centre_.X - radius_, centre_.Y - radius_, centre_.X + radius_,
                      centre_.Y + radius_);
}

TRect TUiTimePicker::FaceRect() {
    CalcRects();
    return faceRect_;
}

TRect TUiTimePicker::AMRect() {
    CalcRects();
    return amRect_;
}

TRect TUiTimePicker::PMRect() {
    CalcRects();
    return pmRect_;
}

TRect TUiTimePicker::SetRect() {
    CalcRects();
    return setRect_;
}

// --- painting --------------------------------------------------------------------------------

bool TUiTimePicker::Themed() const { return themeAware_ && ThemeServices()->GetThemesEnabled(); }

bool TUiTimePicker::Flat() const {
    return BorderOuter() == fsFlat || BorderOuter() == fsFlatBold ||
           BorderOuter() == fsFlatRounded;
}

void TUiTimePicker::Paint() {
    CalcRects();
    TCanvas* canvas = Canvas();
    if (Themed()) {
        const TRect inside = DrawBox(canvas, ClientRect(), GetXPThemeColor(xptcEditBorder));
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(inside);
    } else {
        TUiCustomPanel::Paint();
    }
    canvas->Font()->Assign(Font());
    if (showTime_) {
        TRect inside = timeRect_;
        if (Themed()) {
            TColor start, stop;
            GetGradientPanelColors(gcsMSOffice, start, stop);
            canvas->Brush()->SetColor(stop);
        } else {
            if (!Flat()) inside = DrawBorder(canvas, inside, fsPopup);
            canvas->Brush()->SetColor(buttonColor_);
        }
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(inside);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(buttonFontColor_);
        DrawLine(canvas, timeRect_,
                 FormatDateTime(format_.IsEmpty() ? AnsiString("h:mm ampm") : format_, time_),
                 DT_CENTER);
    }
    DrawClock(faceRect_, centre_, radius_);
    const int separator = amRect_.Top - 5;
    if (Themed()) {
        ThemeServices()->DrawElement(canvas->Handle(),
                                     TThemeServices::GetElementDetails(ttbSeparatorVertNormal),
                                     TRect(5, separator - 1, Width() - 5, separator + 2));
    } else {
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetColor(FlatColor());
        canvas->MoveTo(5, separator);
        canvas->LineTo(Width() - 5, separator);
    }
    const TUiGlyphColors glyph = {FlatColor(), clHighlight, clWindow, clWindow,
                                  clBtnFace,   clNone,      clNone,   Color()};
    const struct {
        const TRect& rect;
        AnsiString caption;
        bool selected;
    } choices[] = {{amRect_, Caption(captionAM_, SCaptionAM), !pm_},
                   {pmRect_, Caption(captionPM_, SCaptionPM), pm_}};
    for (const auto& choice : choices) {
        const int glyphTop = choice.rect.Top + (choice.rect.Height() - 13) / 2;
        DrawRadioButton(canvas, TRect(choice.rect.Left, glyphTop, choice.rect.Left + 13,
                                      glyphTop + 13),
                        choice.selected, bdsNormal, false, htsFrame, glyph, Color(), false,
                        Color(), false, false);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(Font()->Color());
        DrawLine(canvas,
                 TRect(choice.rect.Left + 14, choice.rect.Top, choice.rect.Right,
                       choice.rect.Bottom),
                 choice.caption, DT_CENTER);
    }
    if (showSetButton_)
        PaintButton(setRect_, Caption(captionSet_, SCaptionSet), setPressed_ && leftDown_);
}

void TUiTimePicker::PaintButton(const TRect& rect, const AnsiString& caption, bool pressed) {
    TCanvas* canvas = Canvas();
    if (Themed()) {
        ThemeServices()->DrawElement(
            canvas->Handle(),
            TThemeServices::GetElementDetails(pressed ? tbPushButtonPressed : tbPushButtonNormal),
            rect);
    } else {
        TRect inside;
        if (ColorToRGB(buttonColor_) == ColorToRGB(clBtnFace))
            inside = pressed ? DrawButtonBorder(canvas, rect, true)
                     : Flat() ? DrawBorder(canvas, rect, fsFlat)
                              : DrawCtl3DBorder(canvas, rect, false);
        else
            inside = Flat() && !pressed ? DrawColorBorder(canvas, rect, buttonColor_, fsFlat)
                                        : DrawColorButtonBorder(canvas, rect, buttonColor_, pressed);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(buttonColor_);
        canvas->FillRect(inside);
    }
    TRect text = rect;
    if (pressed) text = TRect(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetColor(buttonFontColor_);
    DrawLine(canvas, text, caption, DT_CENTER);
}

void TUiTimePicker::DrawClock(const TRect& face, TPoint centre, int radius) {
    TCanvas* canvas = Canvas();
    const auto r = [radius](double k) { return RoundEven(radius * k); };
    const TColor faceColor = colors_->Face();
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetColor(Focused() ? DarkerColor(faceColor, 40) : faceColor);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(faceColor);
    canvas->Ellipse(face.Left, face.Top, face.Right, face.Bottom);

    canvas->Font()->Assign(Font());
    canvas->Font()->SetStyle({fsBold});
    canvas->Font()->SetHeight(-r(0.2));
    canvas->Font()->SetColor(colors_->Numbers());
    canvas->Brush()->SetStyle(bsClear);
    const UINT oldAlign = SetTextAlign(canvas->Handle(), TA_CENTER | TA_TOP);
    const int lift = canvas->TextHeight("0") / 2;
    for (int n = 1; n <= 12; ++n) {
        const TPoint at = AtAngle(centre, n * 30, r(0.75));
        canvas->TextOut(at.X, at.Y - lift, IntToStr(n));
    }
    SetTextAlign(canvas->Handle(), oldAlign);

    const int half = r(0.02);
    for (int i = 1; i <= 60; ++i) {
        const TPoint at = AtAngle(centre, i * 6, r(0.92));
        if (i % 5 == 0) {
            canvas->Pen()->SetColor(colors_->HourTicks());
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(colors_->HourTicks());
            canvas->Rectangle(at.X - half, at.Y - half, at.X + half + 1, at.Y + half + 1);
        } else {
            canvas->SetPixels(at.X, at.Y, colors_->MinuteTicks());
        }
    }

    int hour, minute;
    DecodeHourMinute(time_, hour, minute);
    const int w = r(0.04);
    const auto hand = [&](double degrees, int baseLength, int tipLength) {
        const double phi = degrees * HalfTurn / 180;
        const TPoint side(RoundEven(std::cos(phi) * w), RoundEven(std::sin(phi) * w));
        const TPoint base = AtAngle(centre, degrees, baseLength);
        const TPoint points[4] = {centre, TPoint(base.X - side.X, base.Y - side.Y),
                                  AtAngle(centre, degrees, tipLength),
                                  TPoint(base.X + side.X, base.Y + side.Y)};
        canvas->Pen()->SetColor(colors_->Hands());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(colors_->Hands());
        canvas->Polygon(points, 4);
    };
    hand(minute * 6.0, r(0.25), r(0.8));
    hand((hour % 12) * 30.0 + minute * 0.5, r(0.15), r(0.5));
}

void TUiTimePicker::DoEnter() {
    TUiCustomPanel::DoEnter();
    Invalidate();
}

void TUiTimePicker::DoExit() {
    TUiCustomPanel::DoExit();
    Invalidate();
}

// --- mouse -----------------------------------------------------------------------------------

void TUiTimePicker::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TUiCustomPanel::MouseDown(button, shift, x, y);
    if (!InState(csDesigning) && !IsPopup && CanFocus()) SetFocus();
    CalcRects();
    if (button == mbLeft) {
        leftDown_ = true;
        if (Contains(amRect_, x, y))
            amPressed_ = true;
        else if (Contains(pmRect_, x, y))
            pmPressed_ = true;
        else if (showSetButton_ && Contains(setRect_, x, y))
            setPressed_ = true;
        else if (Contains(faceRect_, x, y)) {
            facePressed_ = true;
            SetHour(GetHourFromXY(x, y));
        }
        Invalidate();
    } else if (button == mbRight) {
        rightDown_ = true;
        if (Contains(faceRect_, x, y)) {
            facePressed_ = true;
            lastMinute_ = GetMinuteFromXY(x, y, shift.count(ssCtrl) != 0);
            SetMinutes(lastMinute_);
        }
    }
}

void TUiTimePicker::MouseMove(TShiftState shift, int x, int y) {
    if (showHowToUseHint_) DoHint(x, y);
    TUiCustomPanel::MouseMove(shift, x, y);
    if (!facePressed_ || !Contains(faceRect_, x, y)) return;
    if (leftDown_)
        DragHourTo(GetHourFromXY(x, y));
    else if (rightDown_)
        DragMinuteTo(GetMinuteFromXY(x, y, shift.count(ssCtrl) != 0));
}

void TUiTimePicker::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TUiCustomPanel::MouseUp(button, shift, x, y);
    CalcRects();
    if (button == mbLeft && leftDown_) {
        if (amPressed_ && Contains(amRect_, x, y)) {
            ChangeToAM();
        } else if (pmPressed_ && Contains(pmRect_, x, y)) {
            ChangeToPM();
        } else if (setPressed_ && Contains(setRect_, x, y)) {
            SetBtnClick();
        } else if (facePressed_ && Contains(faceRect_, x, y)) {
            DragHourTo(GetHourFromXY(x, y));
            if (OnSetTime) OnSetTime(this);
        }
    } else if (button == mbRight && rightDown_ && facePressed_ && Contains(faceRect_, x, y)) {
        DragMinuteTo(GetMinuteFromXY(x, y, shift.count(ssCtrl) != 0));
        if (OnSetTime) OnSetTime(this);
    }
    leftDown_ = rightDown_ = false;
    amPressed_ = pmPressed_ = setPressed_ = facePressed_ = false;
    Invalidate();
}

// --- keyboard and messages -------------------------------------------------------------------

void TUiTimePicker::KeyDown(uint16_t& key, TShiftState shift) {
    TUiCustomPanel::KeyDown(key, shift);
    switch (key) {
    case VK_RETURN:
        if (showSetButton_) SetBtnClick();
        break;
    case VK_PRIOR: AdjustHour(1); break;
    case VK_NEXT: AdjustHour(-1); break;
    case VK_UP: AdjustMinute(1); break;
    case VK_DOWN: AdjustMinute(-1); break;
    default: break;
    }
}

void TUiTimePicker::Changed() {
    if (OnChange) OnChange(this);
}

void TUiTimePicker::SetBtnClick() {
    if (OnSetBtnClick) OnSetBtnClick(this);
}

void TUiTimePicker::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_FONTCHANGED:
        TUiCustomPanel::Dispatch(message);
        return AdjustForFont();
    case CM_DIALOGCHAR: {
        const auto key = static_cast<uint16_t>(message.WParam);
        if (!Enabled()) break;
        if (IsAccel(key, captionAM_)) {
            ChangeToAM();
        } else if (IsAccel(key, captionPM_)) {
            ChangeToPM();
        } else if (showSetButton_ && IsAccel(key, captionSet_)) {
            SetBtnClick();
        } else {
            break;
        }
        message.Result = 1;
        return;
    }
    case CM_MOUSEENTER:
        TUiCustomPanel::Dispatch(message);
        if (showHowToUseHint_ && HandleAllocated()) {
            POINT p;
            GetCursorPos(&p);
            ::ScreenToClient(Handle(), &p);
            DoHint(p.x, p.y);
        }
        return;
    case CM_MOUSELEAVE:
        TUiCustomPanel::Dispatch(message);
        return ReleaseHintWindow();
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    default:
        break;
    }
    TUiCustomPanel::Dispatch(message);
}

// --- how-to-use hint -------------------------------------------------------------------------

void TUiTimePicker::DoHint(int x, int y) {
    CalcRects();
    if (InState(csDesigning) || !Contains(faceRect_, x, y) || !Application->Active()) {
        hintTimer_->SetEnabled(false);
        ReleaseHintWindow();
        Invalidate();
        return;
    }
    if (!hintWindow_) {
        hintWindow_ = new THintWindow(this);
        hintWindow_->SetColor(Application->HintColor());
    }
    const AnsiString text = HowToUseText();
    TRect rect = hintWindow_->CalcHintRect(Screen->Width(), text, nullptr);
    const TPoint corner = ClientToScreen(TPoint(0, Height()));
    rect = TRect(corner.X, corner.Y, corner.X + rect.Width(), corner.Y + rect.Height());
    RECT shown = {};
    const bool visible =
        hintWindow_->HandleAllocated() && IsWindowVisible(hintWindow_->Handle());
    if (visible) GetWindowRect(hintWindow_->Handle(), &shown);
    if (!visible || shown.left != rect.Left || shown.top != rect.Top)
        hintWindow_->ActivateHint(rect, text);
    hintTimer_->SetEnabled(true);
}

void TUiTimePicker::CheckHintWindowHandler(TObject*) {
    if (!HandleAllocated()) return;
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(Handle(), &p);
    CalcRects();
    if (!Contains(faceRect_, p.x, p.y)) DoHint(p.x, p.y);
}

void TUiTimePicker::ReleaseHintWindow() {
    if (hintWindow_ && hintWindow_->HandleAllocated()) hintWindow_->ReleaseHandle();
}
