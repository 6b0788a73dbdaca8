// The date-time edit's drop-downs: the calendar and the clock-face picker in a popup, what a
// choice, Clear or a cancel leaves in the edit.
#include "UiDateTimeEdit.h"
#include "../controls_edits/edit_fixture.h"
#include "cl_hooks.h"

namespace {

const TDateTime Clock = EncodeDate(2010, 6, 15) + EncodeTime(9, 0, 0, 0);

BOOL CALLBACK FindPopupWindow(HWND window, LPARAM found) {
    TWinControl* control = FindControl(window);
    if (!control || !IsWindowVisible(window) || control->ClassName() != "TUiPopup") return TRUE;
    *reinterpret_cast<TWinControl**>(found) = control;
    return FALSE;
}

// The control shown in the popup that is up, or null.
template <class T> T* PoppedUp() {
    TWinControl* popup = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindPopupWindow, reinterpret_cast<LPARAM>(&popup));
    if (!popup || popup->ControlCount() == 0) return nullptr;
    return dynamic_cast<T*>(popup->Controls(0));
}

class DateTimePopupTest : public EditFormTest {
protected:
    void SetUp() override {
        Hooks().Now = [] { return Clock; };
        EditFormTest::SetUp();
        edit = Add<TUiDateTimeEdit>(10, 10, 120, 21);
        edit->OnDropDown = [this](TObject*) { events += "drop "; };
        edit->OnCloseUp = [this](TObject*) { events += "close "; };
        timer = SetTimer(nullptr, 0, 100, nullptr);
    }
    void TearDown() override {
        KillTimer(nullptr, timer);
        Application->OnIdle = nullptr;
        EditFormTest::TearDown();
        Hooks().Now = nullptr;
    }
    // Drops the edit down with Alt+Down and runs `step` on the popped-up control once.
    template <class T> void DropWith(std::function<void(T*)> step) {
        bool done = false;
        const DWORD start = GetTickCount();
        Application->OnIdle = [&](TObject*, bool&) {
            T* shown = PoppedUp<T>();
            if (!shown) return;
            if (!done) {
                done = true;
                step(shown);
            } else if (GetTickCount() - start > 5000) {
                ADD_FAILURE() << "the popup did not end";
                PostKey(GetFocus(), VK_ESCAPE);
            }
        };
        Focus(edit);
        Key(edit, VK_DOWN, true);
        PumpUntil([&] { return done && !PoppedUp<T>(); });
        Application->OnIdle = nullptr;
        EXPECT_TRUE(done) << "nothing dropped down";
    }
    static void ClickOn(TControl* control, TPoint at) {
        auto* windowed = static_cast<TWinControl*>(control);
        POINT screen = {at.X, at.Y};
        ClientToScreen(windowed->Handle(), &screen);
        windowed->Perform(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        PostClick(windowed->Handle(), at.X, at.Y);
    }
    static TPoint Middle(const TRect& r) {
        return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    static TPoint CellOf(TUiCalendar* calendar, TDateTime date) {
        TUiCalendarAreas areas;
        calendar->CalcAreas(areas);
        for (int y = areas[caDays].Top + 2; y < areas[caDays].Bottom; y += 3)
            for (int x = areas[caDays].Left + 2; x < areas[caDays].Right; x += 3)
                if (calendar->HitTest(x, y) == date) return TPoint(x, y);
        return TPoint(0, 0);
    }

    TUiDateTimeEdit* edit = nullptr;
    std::string events;
    UINT_PTR timer = 0;
};

TEST_F(DateTimePopupTest, AnEmptyDateDropsDownOnTodayAndKeepsItWhenCancelled) {
    DropWith<TUiCalendar>([](TUiCalendar* calendar) {
        EXPECT_EQ(calendar->Date(), EncodeDate(2010, 6, 15));
        EXPECT_TRUE(calendar->IsPopup);
        PostKey(GetFocus(), VK_ESCAPE);
    });
    EXPECT_EQ(edit->GetDate(), EncodeDate(2010, 6, 15));
    EXPECT_EQ(events, "drop close ");
}

TEST_F(DateTimePopupTest, AClickedDayIsTakenAndClearEmptiesTheEdit) {
    edit->SetMinDate(EncodeDate(2010, 6, 10));
    edit->SetDate(EncodeDate(2010, 6, 12));
    DropWith<TUiCalendar>([](TUiCalendar* calendar) {
        EXPECT_EQ(calendar->MinDate(), EncodeDate(2010, 6, 10));
        ClickOn(calendar, CellOf(calendar, EncodeDate(2010, 6, 24)));
    });
    EXPECT_EQ(edit->GetDate(), EncodeDate(2010, 6, 24));
    EXPECT_EQ(edit->GetText(), FormatDateTime("ddddd", EncodeDate(2010, 6, 24)));
    DropWith<TUiCalendar>([](TUiCalendar* calendar) {
        TUiCalendarAreas areas;
        calendar->CalcAreas(areas);
        ClickOn(calendar, Middle(areas[caClearButton]));
    });
    EXPECT_EQ(edit->GetDate(), 0);
    EXPECT_EQ(edit->GetText(), "");
}

TEST_F(DateTimePopupTest, TheTimePickerSetsTheTimeWithItsSetButton) {
    edit->SetTime(EncodeTime(10, 20, 0, 0));
    DropWith<TUiTimePicker>([](TUiTimePicker* picker) {
        EXPECT_EQ(picker->Time(), EncodeTime(10, 20, 0, 0));
        EXPECT_TRUE(picker->ShowSetButton());
        picker->ChangeToPM();
        ClickOn(picker, Middle(picker->SetRect()));
    });
    EXPECT_EQ(edit->GetTime(), EncodeTime(22, 20, 0, 0));
    DropWith<TUiTimePicker>([](TUiTimePicker* picker) {
        picker->ChangeToAM();
        PostKey(GetFocus(), VK_ESCAPE);
    });
    EXPECT_EQ(edit->GetTime(), EncodeTime(22, 20, 0, 0)) << "a cancel keeps the time";
}

TEST_F(DateTimePopupTest, AReadOnlyEditOpensNothing) {
    edit->SetReadOnly(true);
    Focus(edit);
    Key(edit, VK_DOWN, true);
    EXPECT_EQ(events, "");
    EXPECT_EQ(PoppedUp<TUiCalendar>(), nullptr);
}

}  // namespace
