// The month calendar: keys and clicks that pick days, the range, Today and Clear, the view and
// its grid, the arrows' accelerating repeat, and its looks.
#include "UiCalendar.h"
#include "../controls_edits/edit_fixture.h"
#include "cl_filer.h"
#include "cl_hooks.h"
#include "cl_streams.h"
#include "cl_locale.h"

namespace {

const TDateTime Clock = EncodeDate(2010, 6, 15) + EncodeTime(9, 0, 0, 0);

class CalendarTest : public EditFormTest {
protected:
    void SetUp() override {
        SetDefaultLocaleFormats();
        Hooks().Now = [] { return Clock; };
        EditFormTest::SetUp();
        calendar = new TUiCalendar(form);
        calendar->SetParent(form);
        calendar->SetLeft(10);
        calendar->SetTop(10);
        calendar->SetFirstDayOfWeek(fdowMonday);
        calendar->OnChange = [this](TObject*) { ++changes; };
        calendar->OnClick = [this](TObject*) { ++clicks; };
        Pump();
    }
    void TearDown() override {
        EditFormTest::TearDown();
        Hooks().Now = nullptr;
        InitLocaleFormats();
    }
    TRect Area(TUiCalendarArea area) {
        TUiCalendarAreas areas;
        calendar->CalcAreas(areas);
        return areas[area];
    }
    // A client point inside the day cell of `date`.
    TPoint CellOf(TDateTime date) {
        const TRect days = Area(caDays);
        for (int y = days.Top + 2; y < days.Bottom; y += 3)
            for (int x = days.Left + 2; x < days.Right; x += 3)
                if (calendar->HitTest(x, y) == date) return TPoint(x, y);
        ADD_FAILURE() << "no cell for " << DateToStr(date).c_str();
        return TPoint(0, 0);
    }
    static TPoint Middle(const TRect& r) {
        return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    // The mouse moves over the point (as the system tells with WM_NCHITTEST) and presses.
    void Press(TPoint at) {
        POINT screen = {at.X, at.Y};
        ClientToScreen(calendar->Handle(), &screen);
        calendar->Perform(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        SendMessageA(calendar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.X, at.Y));
    }
    void Release(TPoint at) {
        SendMessageA(calendar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.X, at.Y));
        Pump();
    }
    void ClickAt(TPoint at) {
        Press(at);
        Release(at);
    }
    TUiCalendar* calendar = nullptr;
    int changes = 0;
    int clicks = 0;
};

TEST_F(CalendarTest, StartsOnTodayWithItsMonthInView) {
    EXPECT_EQ(calendar->Date(), EncodeDate(2010, 6, 15));
    EXPECT_EQ(calendar->ViewDate(), EncodeDate(2010, 6, 1));
    // June 2010 begins on a Tuesday: the grid starts on Monday 31 May.
    EXPECT_EQ(calendar->FirstGridDate(), EncodeDate(2010, 5, 31));
}

TEST_F(CalendarTest, KeysMoveTheSelectedDay) {
    const struct {
        UINT key;
        TDateTime from, to;
    } cases[] = {
        {VK_LEFT, EncodeDate(2010, 6, 1), EncodeDate(2010, 5, 31)},
        {VK_RIGHT, EncodeDate(2010, 12, 31), EncodeDate(2011, 1, 1)},
        {VK_UP, EncodeDate(2010, 6, 3), EncodeDate(2010, 5, 27)},
        {VK_DOWN, EncodeDate(2010, 6, 28), EncodeDate(2010, 7, 5)},
        {VK_HOME, EncodeDate(2010, 6, 15), EncodeDate(2010, 6, 1)},
        {VK_END, EncodeDate(2012, 2, 3), EncodeDate(2012, 2, 29)},
        {VK_PRIOR, EncodeDate(2010, 3, 31), EncodeDate(2010, 2, 28)},
        {VK_NEXT, EncodeDate(2010, 1, 31), EncodeDate(2010, 2, 28)},
    };
    Focus(calendar);
    for (const auto& c : cases) {
        calendar->SetDateProperty(c.from);
        Key(calendar, c.key);
        EXPECT_EQ(calendar->Date(), c.to) << "key " << c.key;
        int y, m, d, vy, vm, vd;
        DecodeDate(c.to, y, m, d);
        DecodeDate(calendar->ViewDate(), vy, vm, vd);
        EXPECT_EQ(vm, m) << "the new day's month is in view";
    }
    calendar->Clear();
    Key(calendar, VK_RIGHT);
    EXPECT_EQ(calendar->Date(), EncodeDate(2010, 6, 16)) << "a cleared calendar steps from today";
}

TEST_F(CalendarTest, TheRangeRefusesQuietlyFromKeysAndLoudlyFromTheWriters) {
    calendar->SetMinDate(EncodeDate(2010, 6, 10));
    calendar->SetMaxDate(EncodeDate(2010, 7, 20));
    calendar->SetDateProperty(EncodeDate(2010, 6, 10));
    Focus(calendar);
    changes = 0;
    Key(calendar, VK_LEFT);
    EXPECT_EQ(calendar->Date(), EncodeDate(2010, 6, 10));
    EXPECT_EQ(changes, 0);
    try {
        calendar->SetDateProperty(EncodeDate(2010, 7, 21));
        FAIL() << "no error";
    } catch (const EUiCalendarError& e) {
        EXPECT_EQ(e.Message(), "Date exceeds maximum of 7/20/2010");
    }
    EXPECT_THROW(calendar->SetDateProperty(EncodeDate(2010, 6, 9)), EUiCalendarError);
    EXPECT_THROW(calendar->SetMinDate(EncodeDate(2010, 8, 1)), EUiCalendarError);
    EXPECT_THROW(calendar->SetMaxDate(EncodeDate(2010, 6, 1)), EUiCalendarError);
    calendar->SetMinDate(EncodeDate(2010, 6, 20));
    EXPECT_EQ(calendar->Date(), EncodeDate(2010, 6, 20)) << "a raised minimum moves the date";
    calendar->SetViewDate(EncodeDate(2010, 9, 1));
    EXPECT_EQ(calendar->ViewDate(), EncodeDate(2010, 6, 1)) << "months past the range stay out";
}

TEST_F(CalendarTest, TodayAndClearIgnoreTheRangeAndCanBeVetoed) {
    calendar->SetMinDate(EncodeDate(2010, 7, 1));
    ASSERT_EQ(calendar->Date(), EncodeDate(2010, 7, 1));
    changes = 0;
    calendar->Today();
    EXPECT_EQ(calendar->Date(), EncodeDate(2010, 6, 15));
    calendar->Clear();
    EXPECT_TRUE(calendar->IsClear());
    EXPECT_EQ(changes, 2);
    calendar->OnToday = [](TObject*, bool& allow) { allow = false; };
    calendar->Today();
    EXPECT_TRUE(calendar->IsClear());
}

TEST_F(CalendarTest, ClickingADayPicksItAndBringsItsMonthIntoView) {
    ClickAt(CellOf(EncodeDate(2010, 6, 23)));
    EXPECT_EQ(calendar->Date(), EncodeDate(2010, 6, 23));
    EXPECT_EQ(clicks, 1);
    // A grey day of the next month.
    ClickAt(CellOf(EncodeDate(2010, 7, 2)));
    EXPECT_EQ(calendar->Date(), EncodeDate(2010, 7, 2));
    EXPECT_EQ(calendar->ViewDate(), EncodeDate(2010, 7, 1));
    EXPECT_EQ(clicks, 2);
}

TEST_F(CalendarTest, ADayOutsideTheRangeSelectsNothingAndFiresNoClick) {
    calendar->SetMaxDate(EncodeDate(2010, 6, 20));
    changes = 0;
    ClickAt(CellOf(EncodeDate(2010, 6, 25)));
    EXPECT_EQ(calendar->Date(), EncodeDate(2010, 6, 15));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(clicks, 0);
}

TEST_F(CalendarTest, TheButtonsClearAndGoToToday) {
    ClickAt(Middle(Area(caClearButton)));
    EXPECT_TRUE(calendar->IsClear());
    EXPECT_TRUE(calendar->ClearClicked);
    EXPECT_EQ(clicks, 1);
    ClickAt(Middle(Area(caTodayButton)));
    EXPECT_EQ(calendar->Date(), EncodeDate(2010, 6, 15));
    EXPECT_EQ(clicks, 2);
}

TEST_F(CalendarTest, AHeldArrowStepsFasterAndFaster) {
    const TPoint arrow = Middle(Area(caRightArrow));
    Press(arrow);
    EXPECT_EQ(calendar->ViewDate(), EncodeDate(2010, 7, 1)) << "one step on the press";
    for (int tick = 1; tick <= 20; ++tick) calendar->Perform(WM_TIMER, 0, 0);
    EXPECT_EQ(calendar->ViewDate(), EncodeDate(2010, 11, 1)) << "and on ticks 5, 10, 15, 20";
    for (int tick = 21; tick <= 199; ++tick) calendar->Perform(WM_TIMER, 0, 0);
    const TDateTime view = calendar->ViewDate();
    calendar->Perform(WM_TIMER, 0, 0);  // tick 200
    calendar->Perform(WM_TIMER, 0, 0);  // tick 201
    EXPECT_EQ(calendar->ViewDate(), IncMonth(view, 2)) << "every tick from 200 on";
    Release(arrow);
    calendar->Perform(WM_TIMER, 0, 0);
    EXPECT_EQ(calendar->ViewDate(), IncMonth(view, 2)) << "the release stops it";
}

TEST_F(CalendarTest, TheYearOpensASpinnerThatStepsTheViewWithinTheRange) {
    calendar->SetMaxDate(EncodeDate(2011, 3, 10));
    Focus(calendar);
    const TRect header = Area(caYear);
    ClickAt(TPoint(header.Left + header.Width() * 3 / 4, (header.Top + header.Bottom) / 2));
    ASSERT_EQ(calendar->ControlCount(), 1);
    auto* spinner = dynamic_cast<TUiYearSpinner*>(calendar->Controls(0));
    ASSERT_NE(spinner, nullptr);
    EXPECT_TRUE(IsWindowVisible(spinner->Handle()));
    EXPECT_EQ(spinner->Value(), 2010);
    EXPECT_EQ(spinner->Max(), 2011);
    spinner->OnIncrement(spinner, 1);
    EXPECT_EQ(calendar->ViewDate(), EncodeDate(2011, 3, 1)) << "held at the maximum's month";
    Key(spinner, VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(spinner->Handle()));
}

TEST_F(CalendarTest, TheGridStartsOnTheChosenFirstDayWithSomeOfThePreviousMonth) {
    calendar->SetFirstDayOfWeek(fdowSunday);
    calendar->SetDateProperty(EncodeDate(2010, 8, 10));  // August 2010 begins on a Sunday
    EXPECT_EQ(calendar->FirstGridDate(), EncodeDate(2010, 7, 25));
    calendar->SetFirstDayOfWeek(fdowMonday);
    EXPECT_EQ(calendar->FirstGridDate(), EncodeDate(2010, 7, 26));
}

TEST_F(CalendarTest, BoldDaysAndWeekNumbersComeFromTheEvents) {
    std::vector<int> months;
    calendar->OnGetBoldDays = [&](TObject*, uint16_t, uint16_t month, uint32_t& mask) {
        months.push_back(month);
        mask = TUiCalendar::DaysToBitmask({1, 15, 31, 0, 32});
        EXPECT_EQ(mask, 1u | (1u << 14) | (1u << 30));
    };
    std::vector<int> weeks;
    calendar->SetElements({ceYear, ceMonth, ceArrows, ceWeekNumbers, ceDaysOfWeek, ceFillDays});
    calendar->OnGetWeekNumber = [&](TObject*, TDateTime, int& week) { weeks.push_back(week); };
    calendar->Repaint();
    EXPECT_EQ(months, (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(weeks, (std::vector<int>{22, 23, 24, 25, 26, 27}));
}

TEST_F(CalendarTest, PropertiesSurviveAStreamRoundTrip) {
    calendar->SetName("Calendar1");
    calendar->SetMinDate(EncodeDate(2010, 1, 1));
    calendar->SetDateProperty(EncodeDate(2010, 2, 3));
    calendar->SetFirstDayOfWeek(fdowSunday);
    calendar->SetCaptionTodayBtn("&Now");
    calendar->SetButtonColor(clYellow);
    TMemoryStream stream;
    WriteComponentToStream(&stream, calendar);
    stream.SetPosition(0);
    auto* copy = new TUiCalendar(form);
    copy->SetName("Calendar2");
    ReadComponentFromStream(&stream, copy, form);
    EXPECT_EQ(copy->MinDate(), EncodeDate(2010, 1, 1));
    EXPECT_EQ(copy->MaxDate(), 0);
    EXPECT_EQ(copy->Date(), EncodeDate(2010, 2, 3));
    EXPECT_EQ(copy->FirstDayOfWeek(), fdowSunday);
    EXPECT_EQ(copy->CaptionTodayBtn(), "&Now");
    EXPECT_EQ(copy->ButtonColor(), clYellow);
}

TEST_F(CalendarTest, Looks) {
    calendar->SetElements({ceYear, ceMonth, ceArrows, ceWeekNumbers, ceDaysOfWeek, ceFillDays,
                           ceTodayButton, ceClearButton});
    Pump();
    const WindowShot shot(calendar);
    const TRect header = Area(caYear);
    EXPECT_EQ(shot.At(header.Left + 3, header.Top + 3), ColorToRGB(clBtnFace))
        << "the header is filled with the button colour";
    const TPoint selected = CellOf(calendar->Date());
    EXPECT_EQ(shot.At(selected.X, selected.Y), ColorToRGB(clHighlight))
        << "the selected day is filled with the selection colour";
}

}  // namespace
