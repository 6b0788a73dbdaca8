// The framed edit: colour states and the user's colour, the painted frame and its hot style,
// Enter as Tab, the drop button's keys and events, the frame controller and validation.
#include "UiEdit.h"
#include "edit_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class EditTest : public EditFormTest {
protected:
    TUiEdit* AddEdit(int top = 10) { return Add<TUiEdit>(10, top, 120, 21); }
};

TEST_F(EditTest, ColourFollowsEnabledFocusAndReadOnly) {
    auto* edit = AddEdit();
    auto* other = AddEdit(50);
    edit->SetDisabledColor(clSilver);
    edit->SetFocusColor(clYellow);
    edit->SetReadOnlyColor(clAqua);
    const struct {
        bool enabled, focused, readOnly, readOnlyOnFocus;
        TColor shown;
    } cases[] = {
        {true, false, false, false, clWindow}, {true, true, false, false, clYellow},
        {true, false, true, false, clAqua},    {true, true, true, false, clYellow},
        {true, true, true, true, clAqua},      {false, false, true, true, clSilver},
    };
    for (const auto& c : cases) {
        Focus(other);
        edit->SetEnabled(true);
        edit->SetReadOnlyColorOnFocus(c.readOnlyOnFocus);
        edit->SetReadOnly(c.readOnly);
        Focus(c.focused ? static_cast<TWinControl*>(edit) : other);
        edit->SetEnabled(c.enabled);
        Pump();
        EXPECT_EQ(edit->Color(), c.shown) << c.enabled << c.focused << c.readOnly;
    }
}

TEST_F(EditTest, FocusColourFollowsTheUserColourUntilSetApart) {
    auto* edit = AddEdit();
    auto* other = AddEdit(50);
    edit->SetColor(clLime);
    EXPECT_EQ(edit->FocusColor(), clLime);
    Focus(edit);
    EXPECT_EQ(edit->Color(), clLime);
    edit->SetFocusColor(clYellow);
    EXPECT_EQ(edit->Color(), clYellow) << "the focus colour in force is applied at once";
    Focus(other);
    EXPECT_EQ(edit->Color(), clLime) << "leaving shows the user's colour again";
    edit->SetColor(clRed);
    EXPECT_EQ(edit->FocusColor(), clYellow);
}

TEST_F(EditTest, FrameIsPaintedInTheNormalAndTheHotStyle) {
    auto* edit = AddEdit();
    auto* other = AddEdit(50);
    edit->SetFramingPreference(fpCustomFraming);
    edit->SetFrameVisible(true);
    edit->SetFrameColor(clRed);
    edit->SetFrameHotColor(clBlue);
    edit->SetFrameHotTrack(true);
    edit->SetFrameHotStyle(fsFlatBold);
    Focus(other);
    {
        WindowShot shot(edit);
        EXPECT_EQ(shot.At(0, 10), clRed) << "one-pixel flat frame";
        EXPECT_EQ(shot.At(1, 10), ColorToRGB(clWindow)) << "inner ring in the control colour";
        EXPECT_EQ(shot.At(119, 10), clRed);
        EXPECT_EQ(shot.At(60, edit->Height() - 1), clRed);
    }
    Focus(edit);
    {
        WindowShot shot(edit);
        EXPECT_EQ(shot.At(0, 10), clBlue) << "focused: the hot frame";
        EXPECT_EQ(shot.At(1, 10), clBlue) << "two pixels wide";
        EXPECT_EQ(shot.At(118, 10), clBlue);
    }
}

TEST_F(EditTest, FrameSidesLeaveTheOtherSidesInTheControlColour) {
    auto* edit = AddEdit();
    edit->SetFramingPreference(fpCustomFraming);
    edit->SetFrameVisible(true);
    edit->SetColor(clYellow);
    edit->SetFrameColor(clRed);
    edit->SetFrameSides(SideBit(sdBottom));
    WindowShot shot(edit);
    EXPECT_EQ(shot.At(60, edit->Height() - 1), clRed);
    EXPECT_EQ(shot.At(0, 10), clYellow);
    EXPECT_EQ(shot.At(60, 0), clYellow);
}

TEST_F(EditTest, HotTrackingTurnsTheFrameOnAndResetsTheSides) {
    auto* edit = AddEdit();
    edit->SetFrameSides(SideBit(sdLeft));
    edit->SetFrameHotTrack(true);
    EXPECT_TRUE(edit->FrameVisible());
    EXPECT_TRUE(edit->Ctl3D());
    EXPECT_EQ(edit->FrameSides(), AllSides);

    auto* loading = new TUiEdit(nullptr);
    BeginLoading(loading);
    loading->SetFrameSides(SideBit(sdTop));
    loading->SetFrameHotTrack(true);
    EXPECT_EQ(loading->FrameSides(), SideBit(sdTop)) << "a loading form keeps its sides";
    EndLoading(loading);
    loading->Free();
}

TEST_F(EditTest, EnterWithTabOnEnterMovesTheFocusAndInsertsNothing) {
    auto* edit = AddEdit();
    auto* next = AddEdit(50);
    edit->SetTabOnEnter(true);
    Focus(edit);
    Type(edit, "ab\r");
    EXPECT_TRUE(PumpUntil([&] { return next->Focused(); }, 2000));
    EXPECT_EQ(edit->GetText(), "ab");
}

TEST_F(EditTest, AltDownDropsDownOnlyWithAButton) {
    auto* edit = AddEdit();
    Focus(edit);
    std::vector<AnsiString> events;
    edit->OnDropDown = [&](TObject*) {
        events.push_back("down");
        EXPECT_TRUE(edit->DroppedDown());
    };
    edit->OnCloseUp = [&](TObject*) { events.push_back("up"); };
    Key(edit, VK_DOWN, true);
    EXPECT_TRUE(events.empty()) << "no drop button";
    edit->SetDropButtonVisible(true);
    Focus(edit);
    SetModifiers(true, false);
    Key(edit, VK_DOWN, true);
    SetModifiers(false, false);
    EXPECT_TRUE(events.empty()) << "Shift+Alt+Down";
    Key(edit, VK_DOWN, true);
    EXPECT_EQ(events, (std::vector<AnsiString>{"down", "up"}));
    EXPECT_FALSE(edit->DroppedDown());
    EXPECT_EQ(edit->ButtonState(), bsUp);
}

TEST_F(EditTest, DropButtonTakesTheRightOfTheWindowAndAClickThere) {
    auto* edit = AddEdit();
    auto* other = AddEdit(50);
    edit->SetDropButtonVisible(true);
    Focus(other);
    const int button = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_LE(edit->ClientWidth(), 120 - 4 - button + 1);
    int drops = 0;
    edit->OnDropDown = [&](TObject*) { ++drops; };
    edit->OnCloseUp = [&](TObject*) { ReleaseCapture(); };
    // The button lies in the non-client area: the hit test decides where a click lands.
    RECT window;
    GetWindowRect(edit->Handle(), &window);
    const POINT screen{window.right - 2 - button / 2, window.top + 10};
    const LRESULT hit = SendMessageA(edit->Handle(), WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(hit, HTCLIENT);
    POINT client = screen;
    ScreenToClient(edit->Handle(), &client);
    PostMessageA(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    PostMessageA(edit->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    Pump();
    EXPECT_EQ(drops, 1);
    EXPECT_TRUE(edit->Focused()) << "a click on the button of an unfocused edit focuses it";
}

TEST_F(EditTest, ReadOnlyEditRefusesTypingAndShowsItsColour) {
    auto* edit = AddEdit();
    auto* other = AddEdit(50);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetReadOnly(true);
    Focus(other);
    EXPECT_EQ(edit->Color(), clInfoBk);
    Focus(edit);
    Type(edit, "xy");
    EXPECT_EQ(edit->GetText(), "");
    EXPECT_EQ(changes, 0);
}

TEST_F(EditTest, FrameControllerSetsTheAdmittedSettingsAndTheFormStoresTheRest) {
    auto* controller = new TUiFrameController(form);
    auto* edit = AddEdit();
    edit->SetFrameControllerNotifications(AllFrameControllerNotifications &
                                          ~(1u << fcpFrameColor));
    edit->SetFrameColor(clLime);
    controller->SetFrameStyle(fsLowered);
    controller->SetFrameColor(clRed);
    controller->SetFocusColor(clYellow);
    edit->SetFrameController(controller);
    EXPECT_EQ(edit->FrameStyle(), fsLowered);
    EXPECT_EQ(edit->FocusColor(), clYellow);
    EXPECT_EQ(edit->FrameColor(), clLime) << "its bit is clear";
    const TPropertyInfo* style = FindProperty(edit, "FrameStyle");
    const TPropertyInfo* color = FindProperty(edit, "FrameColor");
    ASSERT_TRUE(style && color && style->IsStored && color->IsStored);
    EXPECT_FALSE(style->IsStored(edit));
    EXPECT_TRUE(color->IsStored(edit));
    controller->SetFrameStyle(fsBump);
    EXPECT_EQ(edit->FrameStyle(), fsBump);
    controller->Free();
    EXPECT_EQ(edit->FrameController(), nullptr);
    EXPECT_TRUE(style->IsStored(edit));
}

TEST_F(EditTest, DisabledEditDoesNotStoreItsColour) {
    auto* edit = AddEdit();
    edit->SetColor(clLime);
    const TPropertyInfo* color = FindProperty(edit, "Color");
    ASSERT_TRUE(color && color->IsStored);
    EXPECT_TRUE(color->IsStored(edit));
    edit->SetEnabled(false);
    EXPECT_EQ(edit->Color(), clBtnFace);
    EXPECT_FALSE(color->IsStored(edit));
}

TEST_F(EditTest, ValidationErrorCarriesTheHandlersMessage) {
    auto* edit = AddEdit();
    edit->SetEditMask("000;1;_");
    edit->SetText("1");
    edit->SetModified(true);
    EXPECT_THROW(edit->ValidateEdit(), EDBEditError) << "the masked edit's own error";
    edit->OnValidateError = [](TObject*, AnsiString& message) { message = "Three digits"; };
    try {
        edit->ValidateEdit();
        FAIL() << "no error";
    } catch (const EDBEditError& e) {
        EXPECT_EQ(AnsiString(e.Message()), "Three digits");
    }
}

}  // namespace
