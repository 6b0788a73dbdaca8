#include "UiDateTimePicker.h"

#include "UiThemeSrv.h"

namespace {

using TFramedPicker = TUiFramedControl<TDateTimePicker>;

const char* const CalColorNames[] = {"BackColor",      "TextColor",     "TitleBackColor",
                                     "TitleTextColor", "MonthBackColor", "TrailingTextColor"};
const TColor CalColorDefaults[] = {clWindow, clWindowText, clActiveCaption,
                                   clCaptionText, clWindow, clGray};

const bool pickerPropertiesRegistered = [] {
    using C = TUiDateTimePicker;
    const TMetaClass* meta = C::StaticClass();
    RegisterFramedProperties<C>(0);
    RegisterProperty(meta, StringProperty<C>("Format", &C::Format, &C::SetFormat));
    auto stored = [](TUiFrameControllerProperty p) {
        return [p](TObject* o) { return static_cast<C*>(o)->StoresFrameSetting(p); };
    };
    TPropertyInfo flat =
        OrdinalProperty<C>("FlatButtons", pkBool, &C::FlatButtons, &C::SetFlatButtons, 0);
    flat.IsStored = stored(fcpFlatButtons);
    RegisterProperty(meta, flat);
    TPropertyInfo flatColor = OrdinalProperty<C>("FlatButtonColor", pkColor, &C::FlatButtonColor,
                                                 &C::SetFlatButtonColor, clBtnFace);
    flatColor.IsStored = stored(fcpFlatButtonColor);
    RegisterProperty(meta, flatColor);
    RegisterProperty(meta, SubrangeProperty<TIntSubrange<1, 4>, C>(
                               "DropColumns", &C::DropColumns, &C::SetDropColumns, 1));
    RegisterProperty(meta, SubrangeProperty<TIntSubrange<1, 4>, C>("DropRows", &C::DropRows,
                                                                   &C::SetDropRows, 1));
    RegisterProperty(meta, OrdinalProperty<C>("ShowToday", pkBool, &C::ShowToday,
                                              &C::SetShowToday, 0));
    RegisterProperty(meta, OrdinalProperty<C>("ShowTodayCircle", pkBool, &C::ShowTodayCircle,
                                              &C::SetShowTodayCircle, 0));
    RegisterProperty(meta, OrdinalProperty<C>("ShowWeekNumbers", pkBool, &C::ShowWeekNumbers,
                                              &C::SetShowWeekNumbers, 0));
    RegisterProperty(meta, SubObjectProperty<C>("CalColors", &C::CalColors));
    const TMetaClass* colors = TUiMonthCalColors::StaticClass();
    for (int i = 0; i < 6; ++i) {
        TPropertyInfo info;
        info.Name = CalColorNames[i];
        info.Kind = pkColor;
        info.GetOrd = [i](TObject* o) { return static_cast<TUiMonthCalColors*>(o)->GetColor(i); };
        info.SetOrd = [i](TObject* o, int v) {
            static_cast<TUiMonthCalColors*>(o)->SetColor(i, static_cast<TColor>(v));
        };
        info.HasDefault = true;
        info.DefaultOrd = CalColorDefaults[i];
        RegisterProperty(colors, info);
    }
    return true;
}();

}  // namespace

void TUiMonthCalColors::SetColor(int index, TColor value) {
    colors_[index] = value;
    if (owner_->HandleAllocated()) owner_->UpdateCalColors(index, ColorToRGB(value));
}

void TUiMonthCalColors::SetAllColors() {
    for (int i = 0; i < 6; ++i) SetColor(i, colors_[i]);
}

void TUiMonthCalColors::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TUiMonthCalColors*>(source)) {
        std::copy(std::begin(other->colors_), std::end(other->colors_), colors_);
        return;
    }
    TPersistent::Assign(source);
}

TUiDateTimePicker::TUiDateTimePicker(TComponent* owner)
    : TFramedPicker(owner), calColors_(new TUiMonthCalColors(this)) {}

void TUiDateTimePicker::BeforeDestruction() {
    TFramedPicker::BeforeDestruction();
    delete calColors_;
    calColors_ = nullptr;
}

void TUiDateTimePicker::SetFlatButtons(bool value) {
    if (value == flatButtons_) return;
    flatButtons_ = value;
    Invalidate();
}

void TUiDateTimePicker::SetFlatButtonColor(TColor value) {
    if (value == flatButtonColor_) return;
    flatButtonColor_ = value;
    Invalidate();
}

void TUiDateTimePicker::SetFormat(const AnsiString& format) {
    HandleNeeded();
    TDateTimePicker::SetFormat(format);
}

bool TUiDateTimePicker::UpdateCalColors(int index, COLORREF color) {
    if (!HandleAllocated()) return true;
    return SendMessageA(WindowHandle(), DTM_SETMCCOLOR, index, color) != -1;
}

void TUiDateTimePicker::CreateWnd() {
    TFramedPicker::CreateWnd();
    calColors_->SetAllColors();
    if (!savedFormat_.IsEmpty()) SetFormat(savedFormat_);
}

void TUiDateTimePicker::DestroyWnd() {
    savedFormat_ = Format();
    TFramedPicker::DestroyWnd();
}

bool TUiDateTimePicker::CalendarShown() {
    HWND calendar = MonthCalHandle();
    return calendar && IsWindowVisible(calendar);
}

void TUiDateTimePicker::UpdateFrame(bool byMouse, bool value) {
    if (CalendarShown()) return;
    (byMouse ? overControl_ : inControl_) = value;
    if ((flatButtons_ || FrameHotTrack()) && HandleAllocated()) {
        TRect r = ClientRect();
        if (!FrameHotTrack()) r.Left = r.Right - GetSystemMetrics(SM_CXVSCROLL) - 2;
        const RECT update = ToRECT(r);
        RedrawWindow(WindowHandle(), &update, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_FRAME);
    }
    UpdateColors();
}

void TUiDateTimePicker::PaintFlatButton() {
    const bool copying = ControlState.count(csPaintCopy) != 0;
    const int scroll = GetSystemMetrics(SM_CXVSCROLL);
    const TRect r(Width() - scroll - 4, 0, Width() - (copying ? 4 : 2),
                  Height() - (copying ? 4 : 2));
    const bool hot = inControl_ || overControl_;
    const bool dropped = CalendarShown();
    TCanvas* canvas = canvas_;
    int x = r.Left + scroll / 2 - 1, y = r.Top + Height() / 2;
    if (!hot) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
        canvas->Pen()->SetColor(Color());
    } else {
        if (VisualStylesEnabled()) {
            ThemeServices()->DrawElement(
                canvas->Handle(),
                TThemeServices::GetElementDetails(dropped ? ttbButtonPressed : ttbButtonHot), r);
        } else {
            canvas->Brush()->SetColor(flatButtonColor_);
            TRect inside;
            if (flatButtonColor_ == clBtnFace)
                inside = dropped ? DrawBevel(canvas, r, clBtnShadow, clBtnHighlight, 1, AllSides)
                                 : DrawBevel(canvas, r, clBtnHighlight, clBtnShadow, 1, AllSides);
            else
                inside = DrawColorBorder(canvas, r, flatButtonColor_, dropped ? fsStatus : fsPopup);
            canvas->FillRect(inside);
        }
        canvas->Pen()->SetColor(flatButtonColor_);
        x = r.Left + scroll / 2 + (dropped ? 1 : 0);
        y = r.Top + Height() / 2 + (dropped ? 1 : 0);
    }
    canvas->Brush()->SetColor(Enabled() ? clBlack : clBtnShadow);
    canvas->Polygon({{x, y}, {x - 5, y - 5}, {x + 5, y - 5}});
}

void TUiDateTimePicker::PrepareCalendar() {
    HWND calendar = MonthCalHandle();
    if (!calendar) return;
    LONG_PTR style = GetWindowLongPtrA(calendar, GWL_STYLE);
    auto setStyle = [&style](LONG_PTR bit, bool on) { style = on ? style | bit : style & ~bit; };
    setStyle(MCS_NOTODAY, !showToday_);
    setStyle(MCS_NOTODAYCIRCLE, !showTodayCircle_);
    setStyle(MCS_WEEKNUMBERS, showWeekNumbers_);
    SetWindowLongPtrA(calendar, GWL_STYLE, style);
    RECT bounds{};
    GetWindowRect(calendar, &bounds);
    int width = bounds.right - bounds.left + 4;
    if (showWeekNumbers_) {
        HDC dc = GetDC(calendar);
        HGDIOBJ old = SelectObject(dc, Font()->Handle());
        SIZE extent{};
        GetTextExtentPoint32A(dc, " 33   ", 6, &extent);
        SelectObject(dc, old);
        ReleaseDC(calendar, dc);
        width += extent.cx;
    }
    SetWindowPos(calendar, nullptr, 0, 0, dropColumns_ * width,
                 dropRows_ * (bounds.bottom - bounds.top), SWP_NOMOVE | SWP_NOZORDER);
}

void TUiDateTimePicker::PaintTo(HDC dc, int x, int y) {
    if (!FrameVisible() || UseThemes()) return TFramedPicker::PaintTo(dc, x, y);
    struct TPaintCopy {
        TUiDateTimePicker* picker;
        HDC dc;
        int saved;
        ~TPaintCopy() {
            RestoreDC(dc, saved);
            picker->ControlState.erase(csPaintCopy);
        }
    } copy{this, dc, SaveDC(dc)};
    ControlState.insert(csPaintCopy);
    SetWindowOrgEx(dc, -x, -y, nullptr);
    IntersectClipRect(dc, 0, 0, Width(), Height());
    {
        TCanvasBinding binding(canvas_, dc);
        DrawFrame(canvas_, Width(), Height(), FrameStyle(), Color(), FrameColor(), FrameSides(),
                  false);
    }
    SetWindowOrgEx(dc, -x - 2, -y - 2, nullptr);
    IntersectClipRect(dc, 0, 0, Width(), Height());
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

void TUiDateTimePicker::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        TFramedPicker::Dispatch(message);
        if (FrameVisible() && !UseThemes() && DateMode() == dmComboBox && flatButtons_ &&
            canvas_ && HandleAllocated()) {
            TCanvasBinding binding(canvas_, reinterpret_cast<HDC>(message.WParam));
            PaintFlatButton();
        }
        return;
    case CN_NOTIFY:
        if (message.NMHdr()->code == DTN_DROPDOWN) PrepareCalendar();
        return TFramedPicker::Dispatch(message);
    default:
        TFramedPicker::Dispatch(message);
    }
}
