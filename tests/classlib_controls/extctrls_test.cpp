// Panel layout and painting, picture placement, the timer with its exception barrier, speed
// button groups, actions linked to controls, and the date-time picker's partial setters.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "cl_comctrls.h"
#include "cl_extctrls.h"
#include "cl_filer.h"
#include "cl_stdctrls.h"
#include "test_pump.h"

namespace {

class ExtControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Boxes().clear();
        owner = new TComponent(nullptr);
        form = new TForm(owner);
        form->SetBounds(60, 60, 400, 300);
    }
    void TearDown() override {
        TObject::Free(owner);
        Application->ProcessMessages();
    }
    void ShowAndSettle() {
        form->Show();
        Application->ProcessMessages();
    }
    TComponent* owner = nullptr;
    TForm* form = nullptr;
};

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return CharUpperA(name);
}

COLORREF PixelOf(TWinControl* control, int x, int y) {
    HDC dc = GetDC(control->WindowHandle());
    COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(control->WindowHandle(), dc);
    return pixel;
}

TEST_F(ExtControlsTest, PanelLaysChildrenOutInsideBorderAndBevelsAndPaintsThem) {
    auto* panel = new TPanel(owner);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 200, 100);
    panel->SetBorderWidth(2);
    panel->SetBevelInner(bvLowered);
    panel->SetColor(clYellow);
    auto* child = new TPanel(owner);
    child->SetParent(panel);
    child->SetAlign(alClient);
    child->SetBevelOuter(bvNone);
    child->SetColor(clAqua);
    EXPECT_EQ(child->BoundsRect(), Rect(4, 4, 196, 96));
    ShowAndSettle();
    panel->Repaint();
    child->Repaint();
    EXPECT_EQ(PixelOf(panel, 0, 0), static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
    EXPECT_EQ(PixelOf(panel, 199, 99), static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(PixelOf(panel, 1, 1), static_cast<COLORREF>(ColorToRGB(clYellow)));
    EXPECT_EQ(PixelOf(panel, 3, 3), static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(PixelOf(child, 50, 50), static_cast<COLORREF>(ColorToRGB(clAqua)));
}

TEST_F(ExtControlsTest, ImagePlacesThePictureByStretchProportionalAndCenter) {
    auto* image = new TImage(owner);
    image->SetParent(form);
    image->SetBounds(0, 0, 100, 100);
    image->Picture()->Bitmap()->SetSize(200, 50);
    struct Case {
        bool stretch, proportional, center;
        TRect expected;
    };
    const Case cases[] = {
        {false, false, false, Rect(0, 0, 200, 50)},
        {true, false, false, Rect(0, 0, 100, 100)},
        {false, true, false, Rect(0, 0, 100, 25)},
        {false, true, true, Rect(0, 37, 100, 62)},
        {true, true, true, Rect(0, 37, 100, 62)},
        {false, false, true, Rect(-50, 25, 150, 75)},
    };
    for (const Case& c : cases) {
        image->SetStretch(c.stretch);
        image->SetProportional(c.proportional);
        image->SetCenter(c.center);
        EXPECT_EQ(image->DestRect(), c.expected)
            << c.stretch << c.proportional << c.center;
    }
    // A small picture is never enlarged by Proportional.
    image->Picture()->Bitmap()->SetSize(20, 10);
    image->SetStretch(false);
    image->SetCenter(false);
    EXPECT_EQ(image->DestRect(), Rect(0, 0, 20, 10));
    image->SetProportional(false);
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 20);
    EXPECT_EQ(image->Height(), 10);
}

TEST_F(ExtControlsTest, ImageShowsItsBitmap) {
    auto* image = new TImage(owner);
    image->SetParent(form);
    image->SetBounds(20, 20, 40, 40);
    image->SetStretch(true);
    image->Picture()->Bitmap()->SetSize(4, 4);
    TCanvas* canvas = image->Canvas();
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(Rect(0, 0, 4, 4));
    ShowAndSettle();
    image->Repaint();
    EXPECT_EQ(PixelOf(form, 40, 40), static_cast<COLORREF>(RGB(255, 0, 0)));
}

TEST_F(ExtControlsTest, TimerRunsOnlyWithHandlerAndSurvivesExceptions) {
    auto* timer = new TTimer(owner);
    timer->SetInterval(10);
    EXPECT_FALSE(timer->Active());
    int ticks = 0;
    timer->SetOnTimer([&](TObject*) {
        if (++ticks == 1) throw Exception("tick failed");
    });
    EXPECT_TRUE(timer->Active());
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes()[0].text, "tick failed");
    EXPECT_EQ(Boxes()[0].caption, "Controls Tests");
    timer->SetEnabled(false);
    EXPECT_FALSE(timer->Active());
    const int stopped = ticks;
    Sleep(50);
    Application->ProcessMessages();
    EXPECT_EQ(ticks, stopped);
    timer->SetEnabled(true);
    timer->SetInterval(0);
    EXPECT_FALSE(timer->Active());
}

TEST_F(ExtControlsTest, SpeedButtonsOfAGroupKeepOneDown) {
    std::vector<TSpeedButton*> buttons;
    for (int i = 0; i < 3; ++i) {
        auto* button = new TSpeedButton(owner);
        button->SetParent(form);
        button->SetBounds(10 + i * 25, 10, 23, 22);
        button->SetGroupIndex(1);
        buttons.push_back(button);
    }
    auto* loose = new TSpeedButton(owner);
    loose->SetParent(form);
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down());
    buttons[0]->SetDown(true);
    buttons[1]->SetDown(true);
    EXPECT_FALSE(buttons[0]->Down());
    EXPECT_TRUE(buttons[1]->Down());
    buttons[1]->SetDown(false);
    EXPECT_TRUE(buttons[1]->Down());
    buttons[1]->SetAllowAllUp(true);
    buttons[1]->SetDown(false);
    EXPECT_FALSE(buttons[1]->Down());
    int clicks = 0;
    buttons[2]->OnClick = [&](TObject*) { ++clicks; };
    ShowAndSettle();
    PostClick(form->WindowHandle(), 10 + 2 * 25 + 5, 15);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_TRUE(buttons[2]->Down());
}

TEST_F(ExtControlsTest, ActionsDriveTheirControlsAndRunOnClick) {
    auto* action = new TAction(owner);
    action->SetCaption("Run");
    action->SetHint("Runs it");
    int executed = 0;
    action->OnExecute = [&](TObject* sender) {
        EXPECT_EQ(sender, action);
        ++executed;
    };
    auto* button = new TButton(owner);
    button->SetParent(form);
    button->SetAction(action);
    EXPECT_EQ(button->Caption(), "Run");
    EXPECT_EQ(button->Hint(), "Runs it");
    action->SetCaption("Go");
    action->SetEnabled(false);
    EXPECT_EQ(button->Caption(), "Go");
    EXPECT_FALSE(button->Enabled());
    action->SetEnabled(true);
    ShowAndSettle();
    PostMessageA(button->WindowHandle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return executed == 1; }));
    action->Free();
    EXPECT_EQ(button->Action(), nullptr);
}

TEST_F(ExtControlsTest, DatePickerSettersChangeOnlyTheirPart) {
    auto* picker = new TDateTimePicker(owner);
    picker->SetParent(form);
    picker->SetBounds(10, 200, 150, 21);
    picker->SetMinDate(EncodeDate(1970, 2, 1));
    picker->SetFormat("MM/dd/yyyy");
    picker->SetDateTime(EncodeDateTime(2024, 5, 6, 7, 8, 9, 0));
    ShowAndSettle();
    picker->SetTime(EncodeTime(13, 45, 0, 0));
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 5, 6));
    EXPECT_NEAR(picker->Time(), EncodeTime(13, 45, 0, 0), 1e-8);
    picker->SetDate(EncodeDate(2023, 12, 31) + EncodeTime(1, 0, 0, 0));
    EXPECT_EQ(picker->Date(), EncodeDate(2023, 12, 31));
    EXPECT_NEAR(picker->Time(), EncodeTime(13, 45, 0, 0), 1e-8);
    char text[64] = {};
    GetWindowTextA(picker->WindowHandle(), text, sizeof(text));
    EXPECT_STREQ(text, "12/31/2023");
}

TEST_F(ExtControlsTest, DatePickerGivesItsCalendarTheFirstDayOfTheWeek) {
    auto* picker = PlaceControl<TDateTimePicker>(owner, form, "", 10, 200, 150, 21);
    picker->SetFirstDayOfWeek(dowWednesday);
    int firstDay = -1;
    picker->OnDropDown = [&](TObject*) {
        firstDay = LOWORD(SendMessageA(picker->MonthCalHandle(), MCM_GETFIRSTDAYOFWEEK, 0, 0));
        PostMessageA(picker->MonthCalHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    ShowAndSettle();
    picker->SetFocus();
    PostClick(picker->WindowHandle(), 150 - 8, 10);
    ASSERT_TRUE(PumpUntil([&] { return firstDay >= 0; }));
    EXPECT_EQ(firstDay, 2);
}

TEST_F(ExtControlsTest, TimePickerTakesATimeOnlyValueAndKeepsItsFormatAcrossRecreation) {
    auto* picker = new TDateTimePicker(owner);
    picker->SetParent(form);
    picker->SetBounds(10, 230, 150, 21);
    picker->SetKind(dtkTime);
    picker->SetMinDate(EncodeDate(1970, 2, 1));
    picker->SetDateTime(EncodeDate(2024, 1, 2));
    ShowAndSettle();
    picker->SetFormat("HH:mm");
    picker->SetTime(EncodeTime(9, 5, 0, 0));
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 1, 2));
    HWND old = picker->WindowHandle();
    picker->SetDateMode(dmUpDown);
    picker->SetKind(dtkDate);
    picker->SetKind(dtkTime);
    ASSERT_NE(picker->WindowHandle(), old);
    char text[64] = {};
    GetWindowTextA(picker->WindowHandle(), text, sizeof(text));
    EXPECT_STREQ(text, "09:05");
    EXPECT_NEAR(picker->Time(), EncodeTime(9, 5, 0, 0), 1e-8);
}

TEST_F(ExtControlsTest, HotKeyAndHeaderKeepTheirValuesInTheirWindows) {
    auto* hotKey = new THotKey(owner);
    hotKey->SetParent(form);
    hotKey->SetBounds(200, 200, 120, 19);
    hotKey->SetHotKey(ShortCut('K', {ssCtrl, ssShift}));
    auto* header = new THeaderControl(owner);
    header->SetParent(form);
    header->SetBounds(0, 260, 300, 20);
    header->Sections()->Add("Name", 120);
    header->Sections()->Add("Size", 60);
    ShowAndSettle();
    EXPECT_EQ(hotKey->HotKey(), ShortCut('K', {ssCtrl, ssShift}));
    EXPECT_EQ(SendMessageA(hotKey->WindowHandle(), HKM_GETHOTKEY, 0, 0),
              MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_SHIFT));
    EXPECT_EQ(Header_GetItemCount(header->WindowHandle()), 2);
    EXPECT_EQ(header->Sections()->Items(0)->Width(), 120);
    header->Sections()->Items(1)->SetWidth(80);
    EXPECT_EQ(header->Sections()->Items(1)->Width(), 80);
    header->Sections()->Delete(0);
    EXPECT_EQ(Header_GetItemCount(header->WindowHandle()), 1);
    EXPECT_EQ(header->Sections()->Items(0)->Text(), "Size");
    EXPECT_TRUE(header->InheritsFrom(THeaderControl::StaticClass()));
}

TEST_F(ExtControlsTest, RichEditIsAMemoWithSelectionNotifications) {
    auto* rich = new TRichEdit(owner);
    rich->SetParent(form);
    rich->SetBounds(10, 10, 200, 80);
    int selections = 0, changes = 0;
    rich->OnSelectionChange = [&](TObject*) { ++selections; };
    rich->OnChange = [&](TObject*) { ++changes; };
    ShowAndSettle();
    EXPECT_NE(ClassOf(rich->WindowHandle()).find("RICHEDIT20A"), std::string::npos);
    rich->Lines()->Add("first");
    rich->Lines()->Add("second");
    EXPECT_EQ(rich->Lines()->Count(), 2);
    EXPECT_EQ(rich->Lines()->Strings(1), "second");
    EXPECT_GT(changes, 0);
    rich->SetCaretPos({2, 1});
    EXPECT_EQ(rich->CaretPos(), Point(2, 1));
    EXPECT_GT(selections, 0);
}

// A form with a panel, a label on it and a timer is written as a component stream and read
// into a new form: classes by name, parents, owned components, published properties.
TEST(ComponentStreams, AFormWithItsControlsReadsBackIntoANewForm) {
    RegisterClasses({TPanel::StaticClass(), TLabel::StaticClass(), TTimer::StaticClass()});
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    auto* form = new TForm(owner.get());
    form->SetName("Inspection");
    form->SetCaption("Inspection data");
    auto* panel = PlaceControl<TPanel>(form, form, "Banner", 10, 10, 200, 40);
    panel->SetAlign(alTop);
    panel->SetCaption("Top");
    auto* label = PlaceControl<TLabel>(form, panel, "Greeting", 5, 6, 50, 13);
    label->SetCaption("Hello");
    label->SetParentFont(false);
    label->Font()->SetStyle({fsBold});
    label->SetVisible(false);
    (new TTimer(form))->SetName("Clock");
    TMemoryStream stream;
    WriteComponentToStream(&stream, form);
    stream.SetPosition(0);
    TOwnedPtr<TComponent> otherOwner(new TComponent(nullptr));
    auto* copy = new TForm(otherOwner.get());
    ReadComponentFromStream(&stream, copy);
    EXPECT_EQ(copy->Name(), "Inspection");
    EXPECT_EQ(copy->Caption(), "Inspection data");
    auto* copiedPanel = dynamic_cast<TPanel*>(copy->FindComponent("Banner"));
    ASSERT_NE(copiedPanel, nullptr);
    EXPECT_EQ(copiedPanel->Parent(), copy);
    EXPECT_EQ(copiedPanel->Align(), alTop);
    EXPECT_EQ(copiedPanel->Caption(), "Top");
    auto* copiedLabel = dynamic_cast<TLabel*>(copy->FindComponent("Greeting"));
    ASSERT_NE(copiedLabel, nullptr);
    EXPECT_EQ(copiedLabel->Parent(), copiedPanel);
    EXPECT_EQ(copiedLabel->Caption(), "Hello");
    EXPECT_EQ(copiedLabel->BoundsRect(), label->BoundsRect());
    EXPECT_EQ(copiedLabel->Font()->Style(), (TFontStyles{fsBold}));
    EXPECT_FALSE(copiedLabel->Visible());
    EXPECT_NE(dynamic_cast<TTimer*>(copy->FindComponent("Clock")), nullptr);
    EXPECT_FALSE(copy->InState(csLoading));
}

}  // namespace
