#include "UiCalendar.h"

#include <algorithm>

#include "UiColors.h"
#include "UiDrawing.h"
#include "UiThemeSrv.h"
#include "cl_forms.h"
#include "cl_locale.h"

const char* const SDateExceedsMaximum = "Date exceeds maximum of %s";
const char* const SDateBelowMinimum = "Date is less than minimum of %s";

namespace {

const char* const STodayCaption = "Today";
const char* const SClearCaption = "Clear";
constexpr UINT_PTR RepeatTimer = 0;

TDateTime WholeDay(TDateTime value) { return static_cast<TDateTime>(Trunc(value)); }

TDateTime FirstOfMonth(TDateTime value) {
    int year, month, day;
    DecodeDate(value, year, month, day);
    return EncodeDate(year, month, 1);
}

AnsiString ShortDate(TDateTime value) { return FormatDateTime("ddddd", value); }

TDateTime TodayDate() { return WholeDay(Now()); }

// A canvas over the screen for measuring text in a font.
class TScreenMeasure {
public:
    explicit TScreenMeasure(TFont* font) : dc_(GetDC(nullptr)) {
        canvas_.SetHandle(dc_);
        canvas_.Font()->Assign(font);
    }
    ~TScreenMeasure() {
        canvas_.SetHandle(nullptr);
        ReleaseDC(nullptr, dc_);
    }
    TCanvas& Canvas() { return canvas_; }

private:
    HDC dc_;
    TCanvas canvas_;
};

bool Contains(const TRect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

// One line of text in the rectangle, as DrawText places it with `flags`.
void DrawLine(TCanvas* canvas, const TRect& rect, const AnsiString& text, UINT flags) {
    RECT r = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    DrawTextA(canvas->Handle(), text.c_str(), text.Length(), &r,
              flags | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

TRect CenteredRect(const TRect& within, int width, int height) {
    const int left = within.Left + (within.Width() - width) / 2;
    const int top = within.Top + (within.Height() - height) / 2;
    return TRect(left, top, left + width, top + height);
}

void DrawCentered(TCanvas* canvas, const TRect& rect, const AnsiString& text) {
    DrawLine(canvas, rect, text, DT_CENTER);
}

}  // namespace

const std::vector<AnsiString>& CalendarElementIdents() {
    static const std::vector<AnsiString> names = {"ceYear",       "ceMonth",      "ceArrows",
                                                  "ceWeekNumbers", "ceDaysOfWeek", "ceFillDays",
                                                  "ceTodayButton", "ceClearButton"};
    return names;
}

const std::vector<AnsiString>& FirstDayOfWeekIdents() {
    static const std::vector<AnsiString> names = {"fdowMonday",   "fdowTuesday", "fdowWednesday",
                                                  "fdowThursday", "fdowFriday",  "fdowSaturday",
                                                  "fdowSunday",   "fdowLocale"};
    return names;
}

AnsiString DefaultCalendarElementsText() {
    AnsiString text;
    for (const AnsiString& name : CalendarElementIdents())
        if (name != "ceWeekNumbers") text += (text.IsEmpty() ? "" : ",") + name;
    return text;
}

namespace {

const bool calendarPropertiesRegistered = [] {
    using C = TUiCalendar;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, FloatProperty<C>("Date", &C::Date, &C::SetDateProperty));
    // The limits are stored only when set.
    TPropertyInfo minDate = FloatProperty<C>("MinDate", &C::MinDate, &C::SetMinDate);
    minDate.IsStored = [](TObject* o) { return static_cast<C*>(o)->MinDate() != 0; };
    RegisterProperty(meta, minDate);
    TPropertyInfo maxDate = FloatProperty<C>("MaxDate", &C::MaxDate, &C::SetMaxDate);
    maxDate.IsStored = [](TObject* o) { return static_cast<C*>(o)->MaxDate() != 0; };
    RegisterProperty(meta, maxDate);
    RegisterProperty(meta, StringProperty<C>("CaptionClearBtn", &C::CaptionClearBtn,
                                             &C::SetCaptionClearBtn));
    RegisterProperty(meta, StringProperty<C>("CaptionTodayBtn", &C::CaptionTodayBtn,
                                             &C::SetCaptionTodayBtn));
    RegisterProperty(meta, EnumProperty<C>("FirstDayOfWeek", &C::FirstDayOfWeek,
                                           &C::SetFirstDayOfWeek,
                                           FirstDayOfWeekIdents(),
                                           fdowLocale));
    RegisterProperty(meta, OrdinalProperty<C>("ShowDays", pkBool, &C::ShowDays, &C::SetShowDays,
                                              true));
    RegisterProperty(meta, OrdinalProperty<C>("ThemeAware", pkBool, &C::ThemeAware,
                                              &C::SetThemeAware, true));
    RegisterProperty(meta, OrdinalProperty<C>("ButtonColor", pkColor, &C::ButtonColor,
                                              &C::SetButtonColor, clBtnFace));
    RegisterProperty(meta, OrdinalProperty<C>("ButtonFontColor", pkColor, &C::ButtonFontColor,
                                              &C::SetButtonFontColor, clWindowText));
    RegisterProperty(meta, CalendarElementsProperty<C>("Elements", &C::Elements, &C::SetElements));
    RegisterProperty(meta, SubObjectProperty<C>("CalendarColors", &C::CalendarColors));
    using K = TUiCalendarColors;
    const TMetaClass* colors = K::StaticClass();
    const char* const colorNames[] = {"Days",  "FillDays",         "DaysOfWeek",      "Lines",
                                      "SelectedDateBack", "SelectedDateFore", "TodaysDateFrame"};
    const K defaults(nullptr);
    for (int i = 0; i < 7; ++i)
        RegisterProperty(colors, IndexedColorProperty<K>(colorNames[i], i, defaults.GetColor(i)));
    RegisterClass(meta);
    return true;
}();

}  // namespace

// ---------------------------------------------------------------------------------------------

TColor TUiCalendarColors::GetColor(int index) const {
    return index >= 0 && index < 7 ? colors_[index] : clNone;
}

void TUiCalendarColors::SetColor(int index, TColor value) {
    if (index < 0 || index >= 7) return;
    colors_[index] = value;
    if (calendar_) calendar_->Invalidate();
}

void TUiCalendarColors::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TUiCalendarColors*>(source)) {
        for (int i = 0; i < 7; ++i) SetColor(i, other->GetColor(i));
        return;
    }
    TPersistent::Assign(source);
}

// ---------------------------------------------------------------------------------------------

TUiYearSpinner::TUiYearSpinner(TComponent* owner) : TUiSpinner(owner) {
    SetTabStop(false);
    SetVisible(false);
    SetMin(0);
    SetMax(9999);
    SetShowFocusRect(false);
}

void TUiYearSpinner::CreateParams(TCreateParams& params) {
    TUiSpinner::CreateParams(params);
    params.WindowClass.style = CS_SAVEBITS;
}

void TUiYearSpinner::Hide() {
    if (auto* calendar = dynamic_cast<TUiCalendar*>(Owner())) calendar->HideYearSpinner();
}

void TUiYearSpinner::KeyPress(char& key) {
    if (key == '\t') {
        key = 0;
        return;
    }
    if (key == '\r' || key == 27) {
        key = 0;
        Hide();
        return;
    }
    TUiSpinner::KeyPress(key);
}

void TUiYearSpinner::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_KEYDOWN:
        if (message.WParam == VK_ESCAPE) {
            Hide();
            message.Result = 1;
            return;
        }
        break;
    case WM_KILLFOCUS:
        TUiSpinner::Dispatch(message);
        Hide();
        return;
    case CM_CANCELMODE:
        if (reinterpret_cast<TControl*>(message.LParam) != this) Hide();
        return;
    case CM_SHOWINGCHANGED:
        return;
    default:
        break;
    }
    TUiSpinner::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------

TUiCalendar::TUiCalendar(TComponent* owner)
    : TUiCustomPanel(owner), colors_(new TUiCalendarColors(this)) {
    elements_ = {ceYear, ceMonth, ceArrows, ceDaysOfWeek, ceFillDays, ceTodayButton,
                 ceClearButton};
    date_ = InState(csDesigning) ? 0 : TodayDate();
    SetBounds(Left(), Top(), 147, 159);
    SetColor(clWindow);
    SetFlatColorAdjustment(0);
    SetBorderOuter(fsLowered);
    SetTabStop(true);
    SetDoubleBuffered(true);
    ControlStyle.erase(csAcceptsControls);
    ControlStyle.erase(csSetCaption);
    ControlStyle.erase(csNoStdEvents);
    ControlStyle.insert(csReflector);
    AdjustForFont();
    BuildMonthMenu();
    yearSpinner_ = new TUiYearSpinner(this);
    yearSpinner_->SetParent(this);
    yearSpinner_->OnIncrement = [this](TObject*, int amount) { YearSpinnerStep(amount); };
    yearSpinner_->OnDecrement = [this](TObject*, int amount) { YearSpinnerStep(-amount); };
    SetAutoSize(true);
}

void TUiCalendar::BeforeDestruction() {
    TUiCustomPanel::BeforeDestruction();
    delete colors_;
    colors_ = nullptr;
}

// --- properties ------------------------------------------------------------------------------

void TUiCalendar::SetButtonColor(TColor value) {
    if (buttonColor_ == value) return;
    buttonColor_ = value;
    Invalidate();
}

void TUiCalendar::SetButtonFontColor(TColor value) {
    if (buttonFontColor_ == value) return;
    buttonFontColor_ = value;
    Invalidate();
}

void TUiCalendar::SetThemeAware(bool value) {
    if (themeAware_ == value) return;
    themeAware_ = value;
    Invalidate();
}

void TUiCalendar::SetCaptionClearBtn(const AnsiString& value) {
    if (captionClear_ == value) return;
    captionClear_ = value;
    AdjustForFont();
}

void TUiCalendar::SetCaptionTodayBtn(const AnsiString& value) {
    if (captionToday_ == value) return;
    captionToday_ = value;
    AdjustForFont();
}

void TUiCalendar::SetElements(const TUiCalendarElements& value) {
    if (elements_ == value) return;
    elements_ = value;
    AdjustForFont();
}

void TUiCalendar::SetShowDays(bool value) {
    if (showDays_ == value) return;
    showDays_ = value;
    AdjustForFont();
}

void TUiCalendar::SetDateProperty(TDateTime value) {
    if (DateInRange(value) > 0) throw EUiCalendarError(SDateExceedsMaximum, ShortDate(maxDate_));
    if (DateInRange(value) < 0) throw EUiCalendarError(SDateBelowMinimum, ShortDate(minDate_));
    SetDate(value);
}

void TUiCalendar::SetDate(TDateTime value) {
    const TDateTime day = WholeDay(value);
    if (!internalChange_ && (day == date_ || DateInRange(day) != 0)) return;
    date_ = day;
    SetViewDate(day == 0 ? TodayDate() : day);
    Changed();
    Invalidate();
}

void TUiCalendar::SetViewDate(TDateTime value) {
    const TDateTime first = FirstOfMonth(value);
    if (!internalChange_ && (first == viewDate_ || !ViewMonthInRange(first))) return;
    viewDate_ = first;
    ViewDateChange();
    const TDateTime last = viewDate_ - 1;
    firstDate_ = last - (DayOfWeek(last) - firstDay_ + 5) % 7;
    Invalidate();
}

void TUiCalendar::SetMinDate(TDateTime value) {
    const TDateTime day = WholeDay(value);
    if (day != 0 && maxDate_ != 0 && day > maxDate_)
        throw EUiCalendarError(SDateExceedsMaximum, ShortDate(maxDate_));
    if (day == minDate_) return;
    SetRange(day, maxDate_);
    minDate_ = day;
}

void TUiCalendar::SetMaxDate(TDateTime value) {
    const TDateTime day = WholeDay(value);
    if (day != 0 && minDate_ != 0 && day < minDate_)
        throw EUiCalendarError(SDateBelowMinimum, ShortDate(minDate_));
    if (day == maxDate_) return;
    SetRange(minDate_, day);
    maxDate_ = day;
}

void TUiCalendar::SetRange(TDateTime minValue, TDateTime maxValue) {
    if (date_ == 0) return;
    if (minValue != 0 && minValue > date_) SelectInternally(minValue);
    if (maxValue != 0 && maxValue < date_) SelectInternally(maxValue);
}

// Selects a day past the range and equality checks.
void TUiCalendar::SelectInternally(TDateTime value) {
    internalChange_ = true;
    try {
        SetDate(value);
    } catch (...) {
        internalChange_ = false;
        throw;
    }
    internalChange_ = false;
}

int TUiCalendar::DateInRange(TDateTime value) const {
    if (maxDate_ != 0 && value > maxDate_) return 1;
    if (minDate_ != 0 && value < minDate_) return -1;
    return 0;
}

bool TUiCalendar::ViewMonthInRange(TDateTime value) const {
    if (maxDate_ != 0 && value > FirstOfMonth(maxDate_)) return false;
    if (minDate_ != 0 && value < FirstOfMonth(minDate_)) return false;
    return true;
}

void TUiCalendar::SetFirstDayOfWeek(TUiFirstDayOfWeek value) {
    if (HandleAllocated()) {
        if (value == fdowLocale) {
            char buffer[2] = {'0', 0};
            GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, buffer, 2);
            firstDay_ = std::clamp(buffer[0] - '0', 0, 6);
        } else {
            firstDay_ = value;
        }
    }
    firstDayOfWeek_ = value;
    SelectInternally(date_);
}

void TUiCalendar::Clear() {
    if (!CanClear()) return;
    SelectInternally(0);
}

void TUiCalendar::Today() {
    if (!CanGoToToday()) return;
    SelectInternally(TodayDate());
}

uint32_t TUiCalendar::DaysToBitmask(std::initializer_list<int> days) {
    uint32_t mask = 0;
    for (int day : days)
        if (day >= 1 && day <= 31) mask |= 1u << (day - 1);
    return mask;
}

// --- events ----------------------------------------------------------------------------------

void TUiCalendar::Changed() {
    if (OnChange) OnChange(this);
}

void TUiCalendar::GetBoldDays(uint16_t year, uint16_t month, uint32_t& bitmask) {
    if (OnGetBoldDays) OnGetBoldDays(this, year, month, bitmask);
}

bool TUiCalendar::GetDayFormat(TDateTime dayDate, uint16_t year, uint16_t month, uint16_t day,
                               TColor& dayColor, TColor& dayFontColor, TFontStyles& style) {
    if (!OnGetDayFormat) return false;
    OnGetDayFormat(this, dayDate, year, month, day, dayColor, dayFontColor, style);
    return true;
}

void TUiCalendar::ViewDateChange() {
    if (OnViewDateChange) OnViewDateChange(this, viewDate_);
}

bool TUiCalendar::CanClear() {
    bool allow = true;
    if (OnClear) OnClear(this, allow);
    return allow;
}

bool TUiCalendar::CanGoToToday() {
    bool allow = true;
    if (OnToday) OnToday(this, allow);
    return allow;
}

// --- size and layout -------------------------------------------------------------------------

AnsiString TUiCalendar::TodayCaption() const {
    return captionToday_.IsEmpty() ? AnsiString(STodayCaption) : captionToday_;
}

AnsiString TUiCalendar::ClearCaption() const {
    return captionClear_.IsEmpty() ? AnsiString(SClearCaption) : captionClear_;
}

bool TUiCalendar::HasButtons() const { return Has(ceTodayButton) || Has(ceClearButton); }

bool TUiCalendar::Themed() const { return themeAware_ && ThemeServices()->GetThemesEnabled(); }

bool TUiCalendar::Flat() const {
    return BorderOuter() == fsFlat || BorderOuter() == fsFlatBold ||
           BorderOuter() == fsFlatRounded;
}

void TUiCalendar::CalcFontSize() {
    TScreenMeasure measure(Font());
    TCanvas& canvas = measure.Canvas();
    charWidth_ = canvas.TextWidth("0");
    charHeight_ = canvas.TextHeight("0");
    todayWidth_ = canvas.TextWidth(TodayCaption());
    clearWidth_ = canvas.TextWidth(ClearCaption());
}

void TUiCalendar::AdjustForFont() {
    CalcFontSize();
    AdjustSize();
    Invalidate();
}

bool TUiCalendar::CanAutoSize(int& newWidth, int& newHeight) {
    int height = 4;
    if (Has(ceYear) || Has(ceMonth)) height += charHeight_ + 5;
    if (showDays_) {
        height += 6 * (charHeight_ + 2) + 1;
        if (Has(ceDaysOfWeek)) height += charHeight_ + 3;
        int width = 7 * (2 * charWidth_ + 5);
        if (Has(ceWeekNumbers)) width += 2 * charWidth_ + 5;
        if (HasButtons()) {
            height += charHeight_ + 17;
            const int buttons = Has(ceTodayButton) && Has(ceClearButton)
                                    ? 34 + todayWidth_ + 5 + clearWidth_
                                : Has(ceTodayButton) ? 34 + todayWidth_
                                                     : 34 + clearWidth_;
            width = std::max(width, buttons);
        }
        newWidth = width + 4 * charWidth_;
    }
    newHeight = height;
    return true;
}

void TUiCalendar::ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth,
                                    int& maxHeight) {
    int width = Width(), height = Height();
    CanAutoSize(width, height);
    minWidth = width;
    minHeight = height;
    TUiCustomPanel::ConstrainedResize(minWidth, minHeight, maxWidth, maxHeight);
}

void TUiCalendar::AdjustClientRect(TRect& rect) {
    TUiCustomPanel::AdjustClientRect(rect);
    FixClientRect(rect, false);
}

void TUiCalendar::CalcAreas(TUiCalendarAreas& areas) {
    for (TRect& area : areas) area = TRect();
    TRect r = ClientRect();
    AdjustClientRect(r);
    if (Has(ceYear) || Has(ceMonth)) {
        TRect header = r;
        header.Bottom = r.Top + charHeight_ + 5;
        areas[caYear] = header;
        TScreenMeasure measure(Font());
        TCanvas& canvas = measure.Canvas();
        AnsiString caption = FormatDateTime("mmmm", viewDate_);
        if (Has(ceYear)) caption += FormatDateTime(" yyyy", viewDate_);
        const int captionWidth = canvas.TextWidth(caption);
        const int captionLeft = header.Left + (header.Width() - captionWidth) / 2;
        areas[caMonth] = header;
        areas[caMonth].Right =
            captionLeft + captionWidth - canvas.TextWidth(FormatDateTime("yyyy", viewDate_));
        if (Has(ceArrows)) {
            areas[caLeftArrow] = header;
            areas[caLeftArrow].Right = header.Left + charHeight_ + 5;
            areas[caRightArrow] = header;
            areas[caRightArrow].Left = header.Right - charHeight_ - 5;
        }
        r.Top = header.Bottom;
    }
    if (!showDays_) return;
    r.Left += 2 * charWidth_ - 1;
    r.Right -= 2 * charWidth_ + 1;
    if (HasButtons()) {
        TRect b = r;
        b.Top = r.Bottom - charHeight_ - 18;
        if (Has(ceTodayButton)) {
            TRect today = b;
            if (Has(ceClearButton)) {
                today.Right = todayWidth_ + (b.Left + b.Right - todayWidth_ - clearWidth_ - 5) / 2;
                b.Left = today.Right + 5;
            }
            areas[caTodayButton] = CenteredRect(today, todayWidth_ + 17, charHeight_ + 7);
        }
        if (Has(ceClearButton))
            areas[caClearButton] = CenteredRect(b, clearWidth_ + 17, charHeight_ + 7);
        r.Bottom = b.Top + 1;
    }
    if (Has(ceWeekNumbers)) {
        areas[caWeekNumbers] = r;
        areas[caWeekNumbers].Right = r.Left + 2 * charWidth_ + 10;
        r.Left += 2 * charWidth_ + 10;
    }
    const int rows = Has(ceDaysOfWeek) ? 7 : 6;
    dayWidth_ = r.Width() / 7;
    dayHeight_ = (r.Height() - rows + 5) / rows;
    if (Has(ceDaysOfWeek)) {
        areas[caDaysOfWeek] = r;
        areas[caDaysOfWeek].Bottom = r.Top + dayHeight_;
        areas[caWeekNumbers].Top = areas[caDaysOfWeek].Bottom;
        r.Top = areas[caDaysOfWeek].Bottom + 2;
    }
    areas[caDays] = r;
}

int TUiCalendar::GetMaxShortDayNameLength() {
    int widest = 0;
    for (int day = 1; day <= 7; ++day)
        widest = std::max(widest, Canvas()->TextWidth(ShortDayNames[day]));
    return widest;
}

// --- window ----------------------------------------------------------------------------------

void TUiCalendar::CreateHandle() {
    TUiCustomPanel::CreateHandle();
    pressedArea_ = caFillDays;
}

void TUiCalendar::CreateWnd() {
    TUiCustomPanel::CreateWnd();
    SetFirstDayOfWeek(firstDayOfWeek_);
}

void TUiCalendar::DoEnter() {
    TUiCustomPanel::DoEnter();
    Invalidate();
}

void TUiCalendar::DoExit() {
    TUiCustomPanel::DoExit();
    Invalidate();
}

void TUiCalendar::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_FONTCHANGED:
        TUiCustomPanel::Dispatch(message);
        return AdjustForFont();
    case CM_DIALOGCHAR: {
        const auto key = static_cast<uint16_t>(message.WParam);
        if (Enabled() && Has(ceClearButton) && IsAccel(key, CaptionClearBtn())) {
            Clear();
            message.Result = 1;
        } else if (Enabled() && Has(ceTodayButton) && IsAccel(key, CaptionTodayBtn())) {
            Today();
            message.Result = 1;
        } else {
            TUiCustomPanel::Dispatch(message);
        }
        return;
    }
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_TIMER:
        return TimerExpired();
    case WM_NCHITTEST: {
        TUiCustomPanel::Dispatch(message);
        POINT p = {message.XPos(), message.YPos()};
        ::ScreenToClient(Handle(), &p);
        TUiCalendarAreas areas;
        CalcAreas(areas);
        TUiCalendarArea over = caFillDays;
        for (int a = caClearButton; a >= caYear; --a) {
            if (a != caFillDays && Contains(areas[a], p.x, p.y)) {
                over = static_cast<TUiCalendarArea>(a);
                break;
            }
        }
        SetOverArea(over);
        return;
    }
    default:
        TUiCustomPanel::Dispatch(message);
    }
}

// --- painting --------------------------------------------------------------------------------

void TUiCalendar::Paint() {
    TCanvas* canvas = Canvas();
    TUiCalendarAreas areas;
    CalcAreas(areas);
    if (Themed()) {
        const TRect inside =
            DrawBox(canvas, ClientRect(), GetXPThemeColor(xptcEditBorder));
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(inside);
    } else {
        TUiCustomPanel::Paint();
    }
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsClear);
    PaintHeader(areas);
    if (!showDays_) return;
    if (Has(ceTodayButton)) PaintButton(areas[caTodayButton], TodayCaption(), caTodayButton);
    if (Has(ceClearButton)) PaintButton(areas[caClearButton], ClearCaption(), caClearButton);
    if (Has(ceDaysOfWeek)) PaintDayNames(areas);
    if (Has(ceWeekNumbers)) {
        const TRect& weeks = areas[caWeekNumbers];
        const int grow = Themed() ? 1 : 0;
        PaintSeparator(weeks.Right - 5, weeks.Top - grow, weeks.Right - 5, weeks.Bottom + grow);
    }
    PaintGrid(areas);
    if (HasButtons()) {
        const int left = Has(ceWeekNumbers) ? areas[caWeekNumbers].Right - (Themed() ? 6 : 5)
                                            : areas[caDays].Left;
        PaintSeparator(left, areas[caDays].Bottom - 1, areas[caDays].Right,
                       areas[caDays].Bottom - 1);
    }
}

void TUiCalendar::PaintHeader(const TUiCalendarAreas& areas) {
    if (!Has(ceYear) && !Has(ceMonth)) return;
    TCanvas* canvas = Canvas();
    if (showDays_) {
        TRect header = areas[caYear];
        if (Themed()) {
            TColor start, stop;
            GetGradientPanelColors(gcsMSOffice, start, stop);
            canvas->Brush()->SetColor(stop);
        } else {
            if (!Flat()) header = DrawBorder(canvas, header, fsPopup);
            canvas->Brush()->SetColor(buttonColor_);
        }
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(header);
    }
    canvas->Brush()->SetStyle(bsClear);
    if (Has(ceArrows)) {
        canvas->Font()->SetName("Marlett");
        canvas->Font()->SetCharset(SYMBOL_CHARSET);
        canvas->Font()->SetSize(Font()->Size() + 4);
        canvas->Font()->SetColor(clWindowText);
        DrawCentered(canvas, areas[caLeftArrow], "3");
        DrawCentered(canvas, areas[caRightArrow], "4");
        canvas->Font()->Assign(Font());
    }
    AnsiString caption = FormatDateTime("mmmm", viewDate_);
    if (Has(ceYear)) caption += FormatDateTime(" yyyy", viewDate_);
    canvas->Font()->SetColor(buttonFontColor_);
    DrawCentered(canvas, areas[caYear], caption);
}

void TUiCalendar::PaintButton(const TRect& rect, const AnsiString& caption,
                              TUiCalendarArea area) {
    TCanvas* canvas = Canvas();
    const bool pressed = pressedArea_ == area && overArea_ == area;
    TRect inside = rect;
    if (Themed()) {
        ThemeServices()->DrawElement(
            canvas->Handle(),
            TThemeServices::GetElementDetails(pressed ? tbPushButtonPressed : tbPushButtonNormal),
            rect);
    } else {
        if (ColorToRGB(buttonColor_) == ColorToRGB(clBtnFace)) {
            inside = pressed ? DrawButtonBorder(canvas, rect, true)
                     : Flat() ? DrawBorder(canvas, rect, fsFlat)
                              : DrawCtl3DBorder(canvas, rect, false);
        } else {
            inside = Flat() && !pressed ? DrawColorBorder(canvas, rect, buttonColor_, fsFlat)
                                        : DrawColorButtonBorder(canvas, rect, buttonColor_, pressed);
        }
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(buttonColor_);
        canvas->FillRect(inside);
    }
    TRect text = rect;
    if (pressed) text = TRect(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetColor(buttonFontColor_);
    DrawCentered(canvas, text, caption);
}

void TUiCalendar::PaintDayNames(const TUiCalendarAreas& areas) {
    TCanvas* canvas = Canvas();
    const TRect& row = areas[caDaysOfWeek];
    canvas->Font()->SetSize(Font()->Size() - 1);
    canvas->Font()->SetColor(colors_->DaysOfWeek());
    const int widest = GetMaxShortDayNameLength();
    for (int k = 0; k < 7; ++k) {
        const int day = (firstDay_ + k) % 7;  // 0 = Monday
        AnsiString name = ShortDayNames[(day + 1) % 7 + 1];
        const int cellWidth = dayWidth_ - 2;
        if (cellWidth < widest) {
            name = name.SubString(1, 2);
            if (canvas->TextWidth(name) > cellWidth) name = name.SubString(1, 1);
        }
        TRect cell(row.Left + k * dayWidth_, row.Top - 1, row.Left + k * dayWidth_ + cellWidth,
                   row.Top - 1 + dayHeight_);
        DrawLine(canvas, cell, name, DT_RIGHT);
    }
    canvas->Font()->Assign(Font());
    const int left = Has(ceWeekNumbers) ? areas[caWeekNumbers].Right - (Themed() ? 6 : 5)
                                        : row.Left;
    const int y = row.Top + dayHeight_ - 1;
    PaintSeparator(left, y, row.Right, y);
}

void TUiCalendar::PaintGrid(const TUiCalendarAreas& areas) {
    TCanvas* canvas = Canvas();
    int viewYear, viewMonth, viewDay;
    DecodeDate(viewDate_, viewYear, viewMonth, viewDay);
    uint32_t masks[3] = {0, 0, 0};  // previous, view and next month
    for (int i = 0; i < 3; ++i) {
        if (i != 1 && !Has(ceFillDays)) continue;
        int year, month, day;
        DecodeDate(IncMonth(viewDate_, i - 1), year, month, day);
        GetBoldDays(static_cast<uint16_t>(year), static_cast<uint16_t>(month), masks[i]);
    }
    const TDateTime today = TodayDate();
    const TRect& days = areas[caDays];
    TDateTime d = firstDate_;
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 7; ++col, d += 1) {
            int year, month, day;
            DecodeDate(d, year, month, day);
            const bool inView = month == viewMonth && year == viewYear;
            if (!inView && !Has(ceFillDays)) continue;
            const int which = inView ? 1 : d < viewDate_ ? 0 : 2;
            const TRect cell(days.Left + col * dayWidth_, days.Top - 1 + row * dayHeight_,
                             days.Left + col * dayWidth_ + dayWidth_ - 2,
                             days.Top - 1 + (row + 1) * dayHeight_);
            const TRect wide(cell.Left, cell.Top, cell.Right + 2, cell.Bottom);
            TColor cellColor = Color();
            TColor fontColor = inView ? colors_->Days() : colors_->FillDays();
            TFontStyles style;
            const bool bold = (masks[which] >> (day - 1)) & 1;
            if (!GetDayFormat(d, year, month, day, cellColor, fontColor, style) && bold)
                style.insert(fsBold);
            if (ColorToRGB(cellColor) != ColorToRGB(Color())) {
                canvas->Brush()->SetStyle(bsSolid);
                canvas->Brush()->SetColor(cellColor);
                canvas->FillRect(wide);
            }
            if (d == date_) {
                canvas->Brush()->SetStyle(bsSolid);
                canvas->Brush()->SetColor(colors_->SelectedDateBack());
                canvas->FillRect(wide);
                fontColor = colors_->SelectedDateFore();
                if (Focused()) canvas->DrawFocusRect(wide);
            }
            canvas->Brush()->SetStyle(bsClear);
            canvas->Font()->SetColor(fontColor);
            canvas->Font()->SetStyle(style);
            DrawLine(canvas, cell, IntToStr(day), DT_RIGHT | DT_NOCLIP);
            if (d == today) {
                canvas->Pen()->SetColor(colors_->TodaysDateFrame());
                canvas->Pen()->SetStyle(psSolid);
                canvas->Rectangle(wide);
            }
        }
        if (Has(ceWeekNumbers)) {
            const TDateTime weekDate = d - 6;  // the row's second date
            int week = WeekOfTheYear(weekDate);
            if (OnGetWeekNumber) OnGetWeekNumber(this, weekDate, week);
            const TRect& weeks = areas[caWeekNumbers];
            const TRect rect(weeks.Left, weeks.Top + 1 + row * dayHeight_, weeks.Right - 5,
                             weeks.Top + 1 + (row + 1) * dayHeight_);
            canvas->Font()->SetStyle({});
            canvas->Font()->SetColor(colors_->DaysOfWeek());
            DrawCentered(canvas, rect, IntToStr(week));
        }
    }
    canvas->Font()->Assign(Font());
}

void TUiCalendar::PaintSeparator(int x0, int y0, int x1, int y1) {
    TCanvas* canvas = Canvas();
    if (Themed()) {
        const bool horizontal = y0 == y1;
        const TRect rect = horizontal ? TRect(x0, y0 - 1, x1, y0 + 2) : TRect(x0 - 1, y0, x0 + 2, y1);
        ThemeServices()->DrawElement(
            canvas->Handle(),
            TThemeServices::GetElementDetails(horizontal ? ttbSeparatorVertNormal
                                                         : ttbSeparatorNormal),
            rect);
        return;
    }
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetColor(colors_->Lines());
    canvas->MoveTo(x0, y0);
    canvas->LineTo(x1, y1);
}

void TUiCalendar::InvalidateArea(TUiCalendarArea) {
    if (!HandleAllocated()) return;
    const RECT r = {pressedRect_.Left, pressedRect_.Top, pressedRect_.Right, pressedRect_.Bottom};
    InvalidateRect(Handle(), &r, FALSE);
}

// --- mouse -----------------------------------------------------------------------------------

void TUiCalendar::SetOverArea(TUiCalendarArea value) {
    if (overArea_ == value) return;
    const bool touchesPressed = overArea_ == pressedArea_ || value == pressedArea_;
    overArea_ = value;
    if (touchesPressed && pressedArea_ != caFillDays) InvalidateArea(pressedArea_);
}

void TUiCalendar::SetPressedArea(TUiCalendarArea value) {
    if (pressedArea_ == value) return;
    pressedArea_ = value;
    InvalidateArea(value);
}

TDateTime TUiCalendar::InternalHitTest(int x, int y, const TRect& within) {
    if (!Contains(within, x, y)) return 0;
    TUiCalendarAreas areas;
    CalcAreas(areas);
    const TRect& days = areas[caDays];
    int viewYear, viewMonth, viewDay;
    DecodeDate(viewDate_, viewYear, viewMonth, viewDay);
    TDateTime d = firstDate_;
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 7; ++col, d += 1) {
            int year, month, day;
            DecodeDate(d, year, month, day);
            if ((month != viewMonth || year != viewYear) && !Has(ceFillDays)) continue;
            const TRect cell(days.Left + col * dayWidth_, days.Top - 1 + row * dayHeight_,
                             days.Left + (col + 1) * dayWidth_,
                             days.Top - 1 + (row + 1) * dayHeight_);
            if (Contains(cell, x, y)) return d;
        }
    }
    return 0;
}

TDateTime TUiCalendar::HitTest(int x, int y) { return InternalHitTest(x, y, ClientRect()); }

void TUiCalendar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TUiCustomPanel::MouseDown(button, shift, x, y);
    if (yearSpinnerVisible_) return HideYearSpinner();
    if (!InState(csDesigning) && !IsPopup && HandleAllocated() && IsWindowVisible(Handle()) &&
        CanFocus())
        SetFocus();
    if (button != mbLeft) return;
    if (!Contains(ClientRect(), x, y)) overArea_ = caFillDays;
    TUiCalendarAreas areas;
    CalcAreas(areas);
    const bool boxed =
        overArea_ == caDays || overArea_ == caTodayButton || overArea_ == caClearButton;
    pressedRect_ = boxed ? areas[overArea_] : TRect();
    ignoreClick_ = false;
    SetPressedArea(overArea_);
    switch (pressedArea_) {
    case caLeftArrow:
    case caRightArrow:
        return StartTimer();
    case caYear:
        return ShowYearSpinner();
    case caMonth:
        return DisplayMonthPopupMenu();
    default:
        return UpdateHighlight(x, y);
    }
}

void TUiCalendar::UpdateHighlight(int x, int y) {
    if (pressedArea_ != caDays || overArea_ != caDays) return;
    const TDateTime day = InternalHitTest(x, y, pressedRect_);
    if (day == 0 || DateInRange(day) != 0) {
        ignoreClick_ = true;
        return;
    }
    if (day != date_) {
        date_ = day;
        Changed();
    }
    Invalidate();
}

void TUiCalendar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        SetPressedArea(caFillDays);
        StopTimer();
    }
    TUiCustomPanel::MouseUp(button, shift, x, y);
}

void TUiCalendar::Click() {
    if (pressedArea_ != overArea_) return;
    switch (pressedArea_) {
    case caClearButton:
        ClearClicked = true;
        Clear();
        break;
    case caTodayButton:
        Today();
        break;
    case caDays:
        if (!ignoreClick_ && date_ != 0 && FirstOfMonth(date_) != viewDate_) SetViewDate(date_);
        break;
    default:
        return;
    }
    if (!ignoreClick_) TUiCustomPanel::Click();
}

void TUiCalendar::DblClick() {
    SetPressedArea(overArea_);
    if (pressedArea_ == caDays || pressedArea_ == caTodayButton || pressedArea_ == caClearButton)
        TUiCustomPanel::DblClick();
}

// --- arrows, month menu and year spinner -----------------------------------------------------

void TUiCalendar::StartTimer() {
    repeatCount_ = -1;
    TimerExpired();
    SetTimer(Handle(), RepeatTimer, 50, nullptr);
}

void TUiCalendar::StopTimer() {
    if (HandleAllocated()) KillTimer(Handle(), RepeatTimer);
}

void TUiCalendar::TimerExpired() {
    if (pressedArea_ != caLeftArrow && pressedArea_ != caRightArrow) return;
    const int count = ++repeatCount_;
    const bool due = count < 20 ? count % 5 == 0 : count < 200 ? count % 2 == 0 : true;
    if (!due || overArea_ != pressedArea_) return;
    int step = pressedArea_ == caLeftArrow ? -1 : 1;
    if (UseRightToLeftAlignment()) step = -step;
    StepView(step);
}

void TUiCalendar::StepView(int months) { SetViewDate(IncMonth(viewDate_, months)); }

void TUiCalendar::BuildMonthMenu() {
    monthMenu_ = new TPopupMenu(this);
    for (int month = 1; month <= 12; ++month) {
        auto* item = new TMenuItem(monthMenu_);
        item->SetCaption(LongMonthNames[month]);
        item->SetTag(month);
        item->OnClick = Bind(this, &TUiCalendar::MonthPopupClickHandler);
        monthMenu_->Items()->Add(item);
    }
}

void TUiCalendar::DisplayMonthPopupMenu() {
    int year, month, day;
    DecodeDate(viewDate_, year, month, day);
    for (int i = 0; i < monthMenu_->Items()->Count(); ++i) {
        TMenuItem* item = monthMenu_->Items()->Items(i);
        item->SetChecked(item->Tag() == month);
    }
    const TPoint at = Mouse->CursorPos();
    monthMenu_->Popup(at.X, at.Y);
}

void TUiCalendar::MonthPopupClickHandler(TObject* sender) {
    int year, month, day;
    DecodeDate(viewDate_, year, month, day);
    StepView(static_cast<TMenuItem*>(sender)->Tag() - month);
}

void TUiCalendar::ShowYearSpinner() {
    int year, month, day;
    DecodeDate(viewDate_, year, month, day);
    yearSpinner_->SetValue(year);
    if (maxDate_ != 0) {
        int maxYear, m, d;
        DecodeDate(maxDate_, maxYear, m, d);
        yearSpinner_->SetMax(maxYear);
        yearSpinner_->SetCheckRange(true);
    }
    if (minDate_ != 0) {
        int minYear, m, d;
        DecodeDate(minDate_, minYear, m, d);
        yearSpinner_->SetMin(minYear);
        yearSpinner_->SetCheckRange(true);
    }
    TUiCalendarAreas areas;
    CalcAreas(areas);
    Canvas()->Font()->Assign(Font());
    const int space = Canvas()->TextWidth(" ");
    const int buttons = yearSpinner_->ButtonWidth();
    const int left = areas[caMonth].Right - buttons - space;
    const int right = left + 2 * space + Canvas()->TextWidth(IntToStr(year)) + 2 * buttons;
    yearSpinner_->SetBounds(left, areas[caYear].Top - 1, right - left,
                            areas[caYear].Height() + 2);
    SetWindowPos(yearSpinner_->Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    yearSpinnerVisible_ = true;
    yearSpinner_->SetFocus();
}

void TUiCalendar::HideYearSpinner() {
    if (!yearSpinnerVisible_) return;
    yearSpinnerVisible_ = false;
    SetWindowPos(yearSpinner_->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW | SWP_NOACTIVATE);
    if (CanFocus()) SetFocus();
}

void TUiCalendar::YearSpinnerStep(int years) {
    if (!yearSpinnerVisible_) return;
    TDateTime view = IncMonth(viewDate_, 12 * years);
    if (maxDate_ != 0 && view > FirstOfMonth(maxDate_)) view = FirstOfMonth(maxDate_);
    if (minDate_ != 0 && view < FirstOfMonth(minDate_)) view = FirstOfMonth(minDate_);
    SetViewDate(view);
}

// --- keyboard --------------------------------------------------------------------------------

void TUiCalendar::KeyDown(uint16_t& key, TShiftState shift) {
    TUiCustomPanel::KeyDown(key, shift);
    if (shift.count(ssShift) || shift.count(ssCtrl) || shift.count(ssAlt)) return;
    const TDateTime reference = date_ != 0 ? date_ : TodayDate();
    int year, month, day;
    DecodeDate(reference, year, month, day);
    switch (key) {
    case VK_LEFT: return SetDate(reference - 1);
    case VK_RIGHT: return SetDate(reference + 1);
    case VK_UP: return SetDate(reference - 7);
    case VK_DOWN: return SetDate(reference + 7);
    case VK_HOME: return SetDate(EncodeDate(year, month, 1));
    case VK_END: return SetDate(EncodeDate(year, month, DaysInAMonth(year, month)));
    case VK_PRIOR:
        if (Has(ceMonth)) SetDate(IncMonth(reference, -1));
        return;
    case VK_NEXT:
        if (Has(ceMonth)) SetDate(IncMonth(reference, 1));
        return;
    case VK_RETURN:
        return TUiCustomPanel::Click();
    default:
        return;
    }
}
