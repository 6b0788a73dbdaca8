// The framed memo (caret line and column, its events, wheel scrolling, Enter as Tab, frame)
// and the framed date-time picker (formats, range, calendar colours, frame).
#include "UiDateTimePicker.h"
#include "UiMemo.h"
#include "UiRichEdit.h"
#include "edit_fixture.h"

namespace {

class MemoTest : public EditFormTest {
protected:
    TUiMemo* AddMemo() {
        auto* memo = Add<TUiMemo>(10, 10, 200, 80);
        memo->SetText("first\r\nsecond line\r\nthird");
        return memo;
    }
};

TEST_F(MemoTest, CaretLineAndColumnCountFromOne) {
    auto* memo = AddMemo();
    Focus(memo);
    std::vector<std::pair<int, int>> moves;
    memo->OnLineColChange = [&](TObject*, int line, int column) { moves.push_back({line, column}); };
    const struct {
        int line, column, gotLine, gotColumn;
    } cases[] = {{2, 3, 2, 3}, {2, 12, 2, 12}, {3, 1, 3, 1}, {1, 6, 1, 6}};
    for (const auto& c : cases) {
        memo->JumpTo(c.line, c.column);
        EXPECT_EQ(memo->GetLine(), c.gotLine);
        EXPECT_EQ(memo->GetColumn(), c.gotColumn);
    }
    moves.clear();
    memo->JumpTo(2, 1);
    memo->SetColumn(13);
    EXPECT_EQ(memo->GetColumn(), 1) << "two past the end of the line does nothing";
    memo->SetLine(9);
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{2, 1}, {2, 1}}))
        << "a line past the last fires nothing";
}

TEST_F(MemoTest, TypingReportsTheCaretAndTheClipboardState) {
    auto* memo = AddMemo();
    Focus(memo);
    memo->JumpTo(3, 6);
    std::pair<int, int> last{0, 0};
    bool selection = true;
    memo->OnLineColChange = [&](TObject*, int line, int column) { last = {line, column}; };
    memo->OnClipboardChange = [&](TObject*, bool hasSelection, bool) { selection = hasSelection; };
    Type(memo, "xy");
    EXPECT_EQ(last, (std::pair<int, int>{3, 8}));
    EXPECT_FALSE(selection);
    memo->SelectAll();
    Key(memo, VK_SHIFT);
    EXPECT_TRUE(selection);
}

TEST_F(MemoTest, EnterWithTabOnEnterMovesTheFocusWithoutALineBreak) {
    auto* memo = AddMemo();
    auto* next = Add<TUiMemo>(10, 120, 200, 60);
    memo->SetTabOnEnter(true);
    Focus(memo);
    const AnsiString before = memo->Text();
    Type(memo, "\r");
    EXPECT_TRUE(PumpUntil([&] { return next->Focused(); }, 2000));
    EXPECT_EQ(memo->Text(), before);
}

TEST_F(MemoTest, WheelScrollsByTheSystemsLinesPerNotch) {
    auto* memo = Add<TUiMemo>(10, 10, 200, 40);
    AnsiString text;
    for (int i = 1; i <= 40; ++i) text += "line " + IntToStr(i) + "\r\n";
    memo->SetText(text);
    Focus(memo);
    memo->SetLine(1);
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const struct {
        int delta, firstLine;
    } cases[] = {{-60, 0}, {-120, static_cast<int>(lines)}, {-240, 3 * static_cast<int>(lines)},
                 {120, 2 * static_cast<int>(lines)}};
    for (const auto& c : cases) {
        SendMessageA(memo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, c.delta), MAKELPARAM(20, 20));
        EXPECT_EQ(SendMessageA(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), c.firstLine)
            << c.delta;
    }
}

TEST_F(MemoTest, ReadOnlyColourAndHotFrame) {
    auto* memo = AddMemo();
    auto* other = Add<TUiMemo>(10, 120, 200, 60);
    memo->SetFramingPreference(fpCustomFraming);
    memo->SetFrameHotTrack(true);
    memo->SetFrameColor(clRed);
    memo->SetFrameHotColor(clBlue);
    memo->SetReadOnly(true);
    Focus(other);
    EXPECT_EQ(memo->Color(), clInfoBk);
    EXPECT_EQ(WindowShot(memo).At(0, 40), clRed);
    Focus(memo);
    EXPECT_EQ(memo->Color(), clWindow);
    EXPECT_EQ(WindowShot(memo).At(1, 40), clBlue);
}

TEST_F(MemoTest, RichEditCaretAndDisabledState) {
    auto* rich = Add<TUiRichEdit>(10, 10, 200, 80);
    rich->SetText("first\r\nsecond line");
    Focus(rich);
    rich->JumpTo(2, 4);
    EXPECT_EQ(rich->GetLine(), 2);
    EXPECT_EQ(rich->GetColumn(), 4);
    EXPECT_EQ(rich->GetRtfData(), "first\r\nsecond line\r\n");
    rich->SetDisabledColor(clSilver);
    rich->SetEnabled(false);
    EXPECT_EQ(rich->Color(), clSilver);
    EXPECT_FALSE(HasKeyboardFocus(rich)) << "the form takes the focus";
    EXPECT_NE(GetWindowLongPtrA(rich->Handle(), GWL_STYLE) & WS_DISABLED, 0);
}

class PickerTest : public EditFormTest {};

AnsiString WindowText(TWinControl* control) {
    char text[64] = {};
    GetWindowTextA(control->Handle(), text, sizeof text);
    return text;
}

TEST_F(PickerTest, FormatsShowTheValueAndSurviveANewWindow) {
    const struct {
        TDateTimeKind kind;
        const char* format;
        TDateTime value;
        const char* shown;
    } cases[] = {
        {dtkDate, "MM/dd/yyyy", EncodeDate(2024, 3, 7), "03/07/2024"},
        {dtkTime, "hh:mm tt", EncodeTime(14, 5, 0, 0), "02:05 PM"},
        {dtkTime, "HH:mm", EncodeTime(14, 5, 0, 0), "14:05"},
    };
    for (const auto& c : cases) {
        auto* picker = Add<TUiDateTimePicker>(10, 10, 150, 21);
        picker->SetKind(c.kind);
        picker->SetFormat(c.format);
        picker->SetDateTime(c.value);
        Pump();
        EXPECT_EQ(WindowText(picker), c.shown);
        picker->SetFrameVisible(true);
        EXPECT_EQ(picker->Format(), c.format);
        EXPECT_EQ(WindowText(picker), c.shown) << "after the window was made again";
        picker->Free();
    }
}

TEST_F(PickerTest, MinimumDateHoldsAgainstEarlierValues) {
    auto* picker = Add<TUiDateTimePicker>(10, 10, 150, 21);
    picker->SetFormat("MM/dd/yyyy");
    picker->SetMinDate(EncodeDate(1970, 2, 1));
    picker->SetDate(EncodeDate(1970, 2, 1));
    Focus(picker);
    Key(picker, VK_DOWN);
    EXPECT_EQ(picker->Date(), EncodeDate(1970, 2, 1)) << "no day before the minimum";
    SYSTEMTIME range[2] = {};
    EXPECT_EQ(SendMessageA(picker->Handle(), DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)) &
                  GDTR_MIN,
              GDTR_MIN);
    EXPECT_EQ(range[0].wYear, 1970);
    EXPECT_EQ(range[0].wMonth, 2);
    EXPECT_EQ(range[0].wDay, 1);
}

TEST_F(PickerTest, CalendarColoursReachTheWindowWhenItIsMade) {
    auto* picker = new TUiDateTimePicker(form);
    picker->CalColors()->SetColor(MCSC_TITLEBK, clRed);
    EXPECT_FALSE(picker->HandleAllocated());
    picker->SetParent(form);
    picker->HandleNeeded();
    EXPECT_EQ(SendMessageA(picker->Handle(), DTM_GETMCCOLOR, MCSC_TITLEBK, 0),
              static_cast<LRESULT>(ColorToRGB(clRed)));
    picker->CalColors()->SetColor(MCSC_TEXT, clBlue);
    EXPECT_EQ(SendMessageA(picker->Handle(), DTM_GETMCCOLOR, MCSC_TEXT, 0),
              static_cast<LRESULT>(ColorToRGB(clBlue)));
}

TEST_F(PickerTest, FramedPickerShowsItsFrameAndFocusColour) {
    auto* picker = Add<TUiDateTimePicker>(10, 10, 150, 21);
    auto* other = Add<TUiMemo>(10, 60, 150, 40);
    picker->SetFramingPreference(fpCustomFraming);
    picker->SetFrameHotTrack(true);
    picker->SetFrameHotStyle(fsFlat);
    picker->SetFrameColor(clRed);
    picker->SetFrameHotColor(clBlue);
    picker->SetFocusColor(clYellow);
    Focus(other);
    EXPECT_EQ(WindowShot(picker).At(0, 10), clRed);
    Focus(picker);
    EXPECT_EQ(picker->Color(), clYellow);
    EXPECT_EQ(WindowShot(picker).At(0, 10), clBlue);
    picker->SetEnabled(false);
    EXPECT_EQ(picker->Color(), clBtnFace);
}

TEST_F(PickerTest, FlatDropButtonIsPaintedOnlyInDropDownMode) {
    auto* picker = Add<TUiDateTimePicker>(10, 10, 150, 21);
    picker->SetFramingPreference(fpCustomFraming);
    picker->SetFrameVisible(true);
    picker->SetFlatButtons(true);
    picker->SetColor(clYellow);
    const int scroll = GetSystemMetrics(SM_CXVSCROLL);
    const TPoint client = picker->ClientToScreen({0, 0});
    RECT window;
    GetWindowRect(picker->Handle(), &window);
    const int dx = client.X - window.left, dy = client.Y - window.top;
    const int left = picker->Width() - scroll - 4;
    const int arrowX = left + scroll / 2 - 1, arrowY = picker->Height() / 2;
    WindowShot shot(picker);
    EXPECT_EQ(shot.At(dx + left + 1, dy + 2), clYellow) << "the button face in the control colour";
    EXPECT_EQ(shot.At(dx + arrowX, dy + arrowY - 2), clBlack) << "the arrow";
    picker->SetDateMode(dmUpDown);
    EXPECT_NE(WindowShot(picker).At(dx + arrowX, dy + arrowY - 2), clBlack);
}

}  // namespace
