// The clock-face time picker: clicks and drags of both hands, snapping, AM and PM, the keys, the
// Set button and its looks.
#include "UiTimePicker.h"
#include "../controls_edits/edit_fixture.h"
#include "cl_filer.h"
#include "cl_streams.h"

#include <cmath>

namespace {

class TimePickerTest : public EditFormTest {
protected:
    void SetUp() override {
        EditFormTest::SetUp();
        picker = new TUiTimePicker(form);
        picker->SetParent(form);
        picker->SetLeft(10);
        picker->SetTop(10);
        picker->OnSetTime = [this](TObject*) { ++setTimes; };
        picker->OnSetBtnClick = [this](TObject*) { ++setClicks; };
        picker->SetShowHowToUseHint(false);
        Pump();
    }
    // The client point at a clock angle (degrees from 12, clockwise), well inside the face.
    TPoint AtClock(double degrees) {
        const TRect face = picker->FaceRect();
        const double phi = (degrees - 90) * 3.14159265358979 / 180;
        const double length = face.Width() * 0.3;
        return TPoint((face.Left + face.Right) / 2 + static_cast<int>(std::lround(std::cos(phi) * length)),
                      (face.Top + face.Bottom) / 2 + static_cast<int>(std::lround(std::sin(phi) * length)));
    }
    TPoint AtMinute(int minute) { return AtClock(minute * 6); }
    void Send(UINT msg, WPARAM keys, TPoint at) {
        SendMessageA(picker->Handle(), msg, keys, MAKELPARAM(at.X, at.Y));
    }
    void LeftClick(TPoint at) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, at);
        Send(WM_LBUTTONUP, 0, at);
    }
    // A right-button drag through the minutes given, pressed on the first, released on the last.
    void RightDrag(std::initializer_list<int> minutes, bool ctrl = false) {
        SetModifiers(false, ctrl);
        const WPARAM extra = ctrl ? MK_CONTROL : 0;
        const int first = *minutes.begin();
        Send(WM_RBUTTONDOWN, MK_RBUTTON | extra, AtMinute(first));
        int last = first;
        for (int minute : minutes) {
            Send(WM_MOUSEMOVE, MK_RBUTTON | extra, AtMinute(minute));
            last = minute;
        }
        Send(WM_RBUTTONUP, extra, AtMinute(last));
        SetModifiers(false, false);
    }
    void LeftDrag(std::initializer_list<int> hours) {
        const int first = *hours.begin();
        Send(WM_LBUTTONDOWN, MK_LBUTTON, AtClock(first * 30));
        int last = first;
        for (int hour : hours) {
            Send(WM_MOUSEMOVE, MK_LBUTTON, AtClock(hour * 30));
            last = hour;
        }
        Send(WM_LBUTTONUP, 0, AtClock(last * 30));
    }
    static TPoint Middle(const TRect& r) {
        return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void ExpectTime(int hour, int minute, const char* what) {
        EXPECT_EQ(picker->Time(), EncodeTime(hour, minute, 0, 0))
            << what << ": " << FormatDateTime("hh:nn", picker->Time()).c_str();
    }

    TUiTimePicker* picker = nullptr;
    int setTimes = 0;
    int setClicks = 0;
};

TEST_F(TimePickerTest, ALeftClickSetsTheHourOnTheCurrentSide) {
    picker->SetTime(EncodeTime(10, 20, 0, 0));
    LeftClick(AtClock(30));
    ExpectTime(1, 20, "on the 1 in the morning");
    EXPECT_EQ(setTimes, 1);
    picker->SetTime(EncodeTime(14, 20, 0, 0));
    LeftClick(AtClock(30));
    ExpectTime(13, 20, "on the 1 in the afternoon");
    LeftClick(AtClock(0));
    ExpectTime(12, 20, "on the 12 in the afternoon");
}

TEST_F(TimePickerTest, DraggingTheMinuteHandPastTwelveStepsTheHourTheWayItMoved) {
    picker->SetTime(EncodeTime(10, 50, 0, 0));
    RightDrag({50, 55, 0, 5});
    ExpectTime(11, 5, "clockwise past 12");
    RightDrag({5, 0, 55});
    ExpectTime(10, 55, "back past 12");
    picker->SetTime(EncodeTime(10, 25, 0, 0));
    RightDrag({25, 29, 31, 35});
    ExpectTime(10, 35, "across the 30-minute mark");
    RightDrag({35, 31, 29});
    ExpectTime(10, 29, "back across the 30-minute mark");
    picker->SetTime(EncodeTime(23, 45, 0, 0));
    RightDrag({45, 50, 56, 3}, true);
    ExpectTime(0, 5, "snapped past 12 at the end of the day");
    EXPECT_FALSE(picker->IsPM());
}

TEST_F(TimePickerTest, DraggingTheHourHandPastTwelveChangesTheHalfOfTheDay) {
    picker->SetTime(EncodeTime(23, 10, 0, 0));
    LeftDrag({11, 12, 1});
    ExpectTime(1, 10, "clockwise from 11 PM");
    LeftDrag({1, 12, 11});
    ExpectTime(23, 10, "back from 1 AM");
    picker->SetTime(EncodeTime(9, 10, 0, 0));
    LeftDrag({9, 10, 11, 12});
    ExpectTime(12, 10, "up to noon");
}

TEST_F(TimePickerTest, CtrlSnapsTheMinutes) {
    picker->SetTime(EncodeTime(10, 20, 0, 0));
    RightDrag({58}, true);
    ExpectTime(10, 0, "58 snaps to 0");
    RightDrag({57}, true);
    ExpectTime(10, 55, "57 snaps to 55");
    RightDrag({57});
    ExpectTime(10, 57, "without Ctrl");
    EXPECT_THROW(picker->SetRestrictMinutesBy(7), EInvalidOperation);
    EXPECT_THROW(picker->SetRestrictMinutesBy(0), EInvalidOperation);
    EXPECT_EQ(picker->RestrictMinutesBy(), 5);
    picker->SetRestrictMinutesBy(15);
    picker->SetRestrictMinutes(true);
    RightDrag({50});
    ExpectTime(10, 45, "always snapped to quarters");
    EXPECT_NE(picker->HowToUseText().Pos("15 minutes"), 0);
}

TEST_F(TimePickerTest, AMAndPMMoveTheTimeByTwelveHours) {
    picker->SetTime(EncodeTime(12, 30, 0, 0));
    LeftClick(Middle(picker->AMRect()));
    ExpectTime(0, 30, "AM");
    LeftClick(Middle(picker->PMRect()));
    ExpectTime(12, 30, "PM");
    LeftClick(Middle(picker->PMRect()));
    ExpectTime(12, 30, "PM again");
}

TEST_F(TimePickerTest, KeysStepHoursAndMinutesAroundMidnight) {
    Focus(picker);
    picker->SetTime(EncodeTime(0, 15, 0, 0));
    Key(picker, VK_NEXT);
    ExpectTime(23, 15, "Page Down");
    EXPECT_TRUE(picker->IsPM());
    picker->SetTime(EncodeTime(23, 59, 0, 0));
    Key(picker, VK_UP);
    ExpectTime(0, 0, "Up");
    Key(picker, VK_DOWN);
    ExpectTime(23, 59, "Down");
    Key(picker, VK_PRIOR);
    ExpectTime(0, 59, "Page Up");
}

TEST_F(TimePickerTest, TheSetButtonOnlyWhenShown) {
    const TPoint set = Middle(picker->SetRect());
    LeftClick(set);
    EXPECT_EQ(setClicks, 0);
    picker->SetShowSetButton(true);
    LeftClick(set);
    EXPECT_EQ(setClicks, 1);
    Focus(picker);
    Key(picker, VK_RETURN);
    EXPECT_EQ(setClicks, 2);
}

TEST_F(TimePickerTest, SecondsAreDroppedAndChangesNoticed) {
    int changes = 0;
    picker->OnChange = [&](TObject*) { ++changes; };
    picker->SetTime(EncodeTime(8, 5, 42, 500));
    ExpectTime(8, 5, "seconds dropped");
    picker->SetTime(EncodeTime(8, 5, 10, 0));
    EXPECT_EQ(changes, 1) << "the same minute is no change";
}

TEST_F(TimePickerTest, PropertiesSurviveAStreamRoundTrip) {
    picker->SetName("Picker1");
    picker->SetTime(EncodeTime(17, 45, 0, 0));
    picker->SetRestrictMinutesBy(15);
    picker->SetShowSetButton(true);
    picker->SetCaptionSet("&OK");
    TMemoryStream stream;
    WriteComponentToStream(&stream, picker);
    stream.SetPosition(0);
    auto* copy = new TUiTimePicker(form);
    copy->SetName("Picker2");
    ReadComponentFromStream(&stream, copy, form);
    EXPECT_EQ(copy->Time(), EncodeTime(17, 45, 0, 0));
    EXPECT_EQ(copy->RestrictMinutesBy(), 15);
    EXPECT_TRUE(copy->ShowSetButton());
    EXPECT_EQ(copy->CaptionSet(), "&OK");
}

TEST_F(TimePickerTest, Looks) {
    picker->SetTime(EncodeTime(3, 0, 0, 0));
    picker->SetShowSetButton(true);
    const WindowShot shot(picker);
    const TRect face = picker->FaceRect();
    const TPoint centre = Middle(face);
    EXPECT_EQ(shot.At(centre.X, centre.Y), ColorToRGB(clWindowText)) << "the hands meet here";
    const TPoint hourHand = AtClock(90);  // towards 3 o'clock
    EXPECT_EQ(shot.At(hourHand.X - face.Width() / 10, hourHand.Y), ColorToRGB(clWindowText));
    const TPoint empty = AtClock(225);
    EXPECT_EQ(shot.At(empty.X, empty.Y), ColorToRGB(clBtnFace)) << "the face";
}

}  // namespace
