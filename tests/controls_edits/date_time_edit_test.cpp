// The date-time edit: text taken in and rewritten, stepping keys, the range with its messages,
// one change notice per change, and the day mask.
#include "UiDateTimeEdit.h"
#include "cl_hooks.h"
#include "edit_fixture.h"

namespace {

const TDateTime Today = EncodeDate(2024, 3, 31);
const TDateTime Clock = Today + EncodeTime(10, 30, 0, 0);

class DateTimeEditTest : public EditFormTest {
protected:
    void SetUp() override {
        EditFormTest::SetUp();
        Hooks().Now = [] { return Clock; };
        Hooks().ShowMessageBox = [this](const AnsiString& text, const AnsiString&, unsigned) {
            messages.push_back(text);
            return IDOK;
        };
        edit = Add<TUiDateTimeEdit>(10, 10, 120, 21);
        other = Add<TUiEdit>(10, 50, 120, 21);
        edit->OnDateTimeChange = [this](TObject*, TDateTime) { ++notices; };
        edit->SetBeepOnInvalidKey(false);
    }
    void TearDown() override {
        EditFormTest::TearDown();
        Hooks().Now = nullptr;
        Hooks().ShowMessageBox = nullptr;
    }
    TUiDateTimeEdit* edit = nullptr;
    TUiEdit* other = nullptr;
    int notices = 0;
    std::vector<AnsiString> messages;
};

TEST_F(DateTimeEditTest, EmptyTimeStaysEmptyAndTypedMidnightIsShownFormatted) {
    edit->SetEditType(etTime);
    Focus(edit);
    Focus(other);
    EXPECT_EQ(edit->GetText(), "");
    Focus(edit);
    Type(edit, "00:00");
    Focus(other);
    EXPECT_EQ(edit->GetText(), FormatDateTime("t", 0));
}

TEST_F(DateTimeEditTest, KeysStepTheDate) {
    const struct {
        TDateTime start;
        UINT key;
        bool shift;
        TDateTime result;
    } cases[] = {
        {EncodeDate(2024, 3, 31), VK_NEXT, false, EncodeDate(2024, 2, 29)},
        {EncodeDate(2024, 2, 29), VK_PRIOR, true, EncodeDate(2025, 2, 28)},
        {EncodeDate(2024, 12, 31), VK_UP, false, EncodeDate(2025, 1, 1)},
        {EncodeDate(2024, 3, 1), VK_DOWN, false, EncodeDate(2024, 2, 29)},
    };
    Focus(edit);
    for (const auto& c : cases) {
        edit->SetDate(c.start);
        SetModifiers(c.shift, false);
        Key(edit, c.key);
        SetModifiers(false, false);
        EXPECT_EQ(edit->GetDate(), c.result) << c.key;
        EXPECT_EQ(edit->GetText(), FormatDateTime("ddddd", c.result));
    }
}

TEST_F(DateTimeEditTest, PlusAndMinusStepFromTodayWhenEmpty) {
    Focus(edit);
    Type(edit, "+");
    EXPECT_EQ(edit->GetDate(), Today + 1);
    Type(edit, "--");
    EXPECT_EQ(edit->GetDate(), Today - 1);
    EXPECT_EQ(edit->GetText(), FormatDateTime("ddddd", Today - 1));
}

TEST_F(DateTimeEditTest, TimeStepsWrapAroundMidnight) {
    Focus(edit);
    const struct {
        TDateTime start;
        UINT key;
        TDateTime timeOfDay;
    } cases[] = {
        {EncodeTime(23, 59, 0, 0), VK_UP, 0},
        {EncodeTime(0, 0, 30, 0), VK_DOWN, EncodeTime(23, 59, 30, 0)},
        {EncodeTime(8, 15, 0, 0), VK_PRIOR, EncodeTime(9, 15, 0, 0)},
    };
    for (const auto& c : cases) {
        edit->SetTime(c.start);
        Key(edit, c.key);
        EXPECT_NEAR(edit->GetTime() - (edit->GetTime() > 0.9999 ? 1 : 0), c.timeOfDay, 1e-8);
    }
    edit->Clear();
    Key(edit, VK_UP);
    EXPECT_NEAR(edit->GetTime(), EncodeTime(10, 31, 0, 0), 1e-8) << "from the current time";
}

TEST_F(DateTimeEditTest, TimeEditRefusesLettersButThoseOfAmAndPm) {
    edit->SetEditType(etTime);
    Focus(edit);
    Type(edit, "1x:2b0 pqM");
    EXPECT_EQ(edit->GetText(), "1:20 pM");
}

TEST_F(DateTimeEditTest, EveryTypedChangeIsNoticedOnce) {
    Focus(edit);
    const AnsiString text = FormatDateTime("ddddd", EncodeDate(2024, 5, 6));
    notices = 0;
    Type(edit, text.c_str());
    EXPECT_EQ(notices, text.Length()) << "one notice per typed character";
    EXPECT_EQ(edit->GetDate(), EncodeDate(2024, 5, 6));
    notices = 0;
    edit->AdjustDay(1);
    EXPECT_EQ(notices, 1);
}

TEST_F(DateTimeEditTest, FreeTextIsReadAndUnreadableTextKeepsTheValue) {
    Focus(edit);
    Type(edit, "5 March 2004");
    EXPECT_EQ(edit->GetDate(), EncodeDate(2004, 3, 5));
    Type(edit, " 31");  // a second day: no valid date
    EXPECT_EQ(edit->GetDate(), EncodeDate(2004, 3, 5));
    Focus(other);
    EXPECT_EQ(edit->GetText(), FormatDateTime("ddddd", EncodeDate(2004, 3, 5)));

    edit->SetEditType(etTime);
    Focus(edit);
    edit->SelectAll();
    Paste(edit, "2:30 pm");
    EXPECT_EQ(edit->GetTime(), EncodeTime(14, 30, 0, 0));
    edit->SelectAll();
    Paste(edit, "25:70");
    EXPECT_EQ(edit->GetTime(), EncodeTime(14, 30, 0, 0));
    edit->SelectAll();
    Type(edit, "\b");
    EXPECT_EQ(edit->GetTime(), 0) << "an emptied text clears the time";
    Focus(other);
    EXPECT_EQ(edit->GetText(), "");
}

TEST_F(DateTimeEditTest, ADateBeyondTheRangeKeepsTheFocusWithAMessage) {
    edit->SetMaxDate(EncodeDate(2024, 6, 30));
    Focus(edit);
    Type(edit, FormatDateTime("ddddd", EncodeDate(2024, 7, 4)).c_str());
    Focus(other);
    EXPECT_EQ(messages, (std::vector<AnsiString>{"Date is beyond valid date range"}));
    EXPECT_TRUE(PumpUntil([&] { return edit->Focused(); }, 2000));
    try {
        edit->SetDate(EncodeDate(2024, 7, 1));
        FAIL() << "no error";
    } catch (const EUiCalendarError& e) {
        EXPECT_EQ(e.Message(),
                  "Date exceeds maximum of " + FormatDateTime("ddddd", EncodeDate(2024, 6, 30)));
    }
}

TEST_F(DateTimeEditTest, RangeSettersCheckEachOtherAndMoveTheDate) {
    edit->SetDate(EncodeDate(2024, 1, 10));
    edit->SetMaxDate(EncodeDate(2024, 6, 30) + 0.75);
    EXPECT_EQ(edit->MaxDate(), EncodeDate(2024, 6, 30)) << "whole days only";
    EXPECT_THROW(edit->SetMinDate(EncodeDate(2024, 7, 1)), EUiCalendarError);
    edit->SetMinDate(EncodeDate(2024, 2, 1));
    EXPECT_EQ(edit->GetDate(), EncodeDate(2024, 2, 1));
    EXPECT_EQ(edit->DateInRange(EncodeDate(2024, 1, 31)), -1);
    EXPECT_EQ(edit->DateInRange(EncodeDate(2024, 7, 1)), 1);
    EXPECT_EQ(edit->DateInRange(EncodeDate(2024, 3, 1)), 0);
}

TEST(DateTimeEditDaysTest, DaysToBitmask) {
    EXPECT_EQ(TUiDateTimeEdit::DaysToBitmask({1, 15, 31}), (1u << 0) | (1u << 14) | (1u << 30));
    EXPECT_EQ(TUiDateTimeEdit::DaysToBitmask({0, 32}), 0u);
}

}  // namespace
