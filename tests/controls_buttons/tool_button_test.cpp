// Tool buttons: clicks, latching groups (also beside speed buttons of the same group), mouse
// enter and leave, the toolbar's settings, the drop-down part and the drawn faces.
#include "UiToolButton.h"
#include "UiToolbar.h"
#include "cl_menus.h"
#include "form_fixture.h"

namespace {

class ToolButtonTest : public FormTest {
protected:
    void Settle() { PumpUntil([] { return false; }, 150); }
    // A click on the form at the button's point (x, y).
    void Click(TControl* button, int x = 5, int y = 5) {
        PostClick(button->Parent()->WindowHandle(), button->Left() + x, button->Top() + y);
        Settle();
    }
};

TEST_F(ToolButtonTest, GroupedButtonsLatchAndReleaseByAllowAllUp) {
    for (bool allowAllUp : {true, false}) {
        SCOPED_TRACE(allowAllUp);
        auto* first = Add<TUiToolButton>(10, 10, 25, 25);
        auto* second = Add<TUiToolButton>(40, 10, 25, 25);
        int clicks = 0;
        for (TUiToolButton* b : {first, second}) {
            b->SetGroupIndex(10);
            b->SetAllowAllUp(allowAllUp);
            b->OnClick = [&](TObject*) { ++clicks; };
        }
        Click(first);
        EXPECT_TRUE(first->Down());
        EXPECT_EQ(first->State(), bsExclusive);
        Click(second);
        EXPECT_FALSE(first->Down());
        EXPECT_TRUE(second->Down());
        EXPECT_EQ(clicks, 2);
        Click(second);
        EXPECT_EQ(second->Down(), !allowAllUp);
        EXPECT_EQ(clicks, allowAllUp ? 3 : 2) << "a latched button that stays gives no click";
        first->Free();
        second->Free();
    }
}

TEST_F(ToolButtonTest, SpeedButtonOfTheSameGroupLeavesTheToolButtonAlone) {
    auto* tool = Add<TUiToolButton>(10, 10, 25, 25);
    auto* speed = Add<TSpeedButton>(40, 10, 25, 25);
    tool->SetGroupIndex(4);
    speed->SetGroupIndex(4);
    tool->SetDown(true);
    speed->SetAllowAllUp(true);
    speed->SetDown(true);
    EXPECT_TRUE(tool->Down()) << "the sender is no tool button";
    EXPECT_FALSE(tool->AllowAllUp());
}

TEST_F(ToolButtonTest, ReleaseOutsideGivesNoClickAndDisabledButtonsNone) {
    auto* button = Add<TUiToolButton>(10, 10, 25, 25);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    const HWND window = form->WindowHandle();
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 15));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(200, 15));
    Settle();
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(button->State(), bsUp);
    Click(button);
    EXPECT_EQ(clicks, 1);
    button->SetEnabled(false);
    Click(button);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ToolButtonTest, MouseEnterAndLeaveLightTheButton) {
    auto* button = Add<TUiToolButton>(10, 10, 25, 25);
    button->SetVisualStyle(vsClassic);
    std::vector<AnsiString> events;
    button->OnMouseEnter = [&](TObject*) { events.push_back("enter"); };
    button->OnMouseLeave = [&](TObject*) { events.push_back("leave"); };
    Application->ProcessMessages();
    EXPECT_EQ(Snapshot(form).At(10, 10), ColorToRGB(clBtnFace)) << "flat: no frame at rest";
    MoveMouse(20, 20);
    EXPECT_TRUE(button->MouseInControl());
    EXPECT_EQ(Snapshot(form).At(10, 10), ColorToRGB(clBtnHighlight)) << "the raised frame";
    MoveMouse(200, 200);
    EXPECT_FALSE(button->MouseInControl());
    EXPECT_EQ(events, (std::vector<AnsiString>{"enter", "leave"}));
}

TEST_F(ToolButtonTest, LatchedClassicButtonShowsThePattern) {
    auto* button = Add<TUiToolButton>(10, 10, 25, 25);
    button->SetVisualStyle(vsClassic);
    button->SetGroupIndex(1);
    button->SetDown(true);
    Application->ProcessMessages();
    const Snapshot shot(form);
    EXPECT_EQ(shot.At(10, 10), ColorToRGB(clBtnShadow)) << "the sunken frame";
    EXPECT_EQ(shot.Count(TRect(14, 14, 22, 20), clBtnHighlight), 24) << "the checker";
}

TEST_F(ToolButtonTest, GradientButtonUnderTheMouseDrawsTheSelectionBox) {
    auto* button = Add<TUiToolButton>(10, 10, 25, 25);
    button->SetVisualStyle(vsGradient);
    button->SetGradientColorStyle(gcsCustom);
    button->SetSelectionFrameColor(clRed);
    button->SetSelectionColorStart(clYellow);
    button->SetSelectionColorStop(clYellow);
    MoveMouse(20, 20);
    const Snapshot shot(form);
    EXPECT_EQ(shot.At(10, 10), ColorToRGB(clRed));
    EXPECT_EQ(shot.At(22, 22), ColorToRGB(clYellow));
}

TEST_F(ToolButtonTest, ToolbarSettingsReachTheButtonUntilSetByHand) {
    auto* toolbar = Add<TUiToolbar>(0, 0, 400, 44);
    toolbar->SetShowButtonCaptions(true);
    toolbar->SetButtonLayout(blGlyphTop);
    toolbar->SetButtonWidth(60);
    toolbar->SetButtonHeight(40);
    toolbar->SetVisualStyle(vsGradient);
    auto* button = new TUiToolButton(form);
    button->SetCaption("Go");
    button->SetParent(toolbar);
    EXPECT_TRUE(button->ShowCaption());
    EXPECT_EQ(button->Layout(), blGlyphTop);
    EXPECT_EQ(button->VisualStyle(), vsGradient);
    EXPECT_EQ(button->Width(), 60);
    EXPECT_EQ(button->Height(), 40);
    button->SetCaption("A much longer caption");
    TBitmap measure;
    measure.Canvas()->SetFont(button->Font());
    EXPECT_EQ(button->Width(), measure.Canvas()->TextWidth(button->Caption()) + 8);

    button->SetWidth(30);
    EXPECT_FALSE(button->UseToolbarButtonSize());
    toolbar->SetButtonWidth(70);
    EXPECT_EQ(button->Width(), 30) << "detached from the toolbar's size";
    button->SetCaption("Go");
    button->SetUseToolbarButtonSize(true);
    EXPECT_EQ(button->Width(), 70) << "attached again at once";

    button->SetLayout(blGlyphLeft);
    toolbar->SetButtonLayout(blGlyphBottom);
    EXPECT_EQ(button->Layout(), blGlyphLeft);
    button->SetUseToolbarButtonLayout(true);
    EXPECT_EQ(button->Layout(), blGlyphBottom);
}

TEST_F(ToolButtonTest, DropDownStyleWidensAndSplitsThePress) {
    auto* button = Add<TUiToolButton>(10, 10, 40, 25);
    button->SetGroupIndex(2);
    button->SetToolStyle(tsDropDown);
    EXPECT_EQ(button->Width(), 54);
    EXPECT_EQ(button->GroupIndex(), 0);
    auto* menu = new TPopupMenu(form);
    button->SetDropDownMenu(menu);
    std::vector<AnsiString> events;
    button->OnDropDown = [&](TObject* sender) {
        events.push_back(sender == menu ? "drop-down" : "other sender");
    };
    button->OnClick = [&](TObject*) { events.push_back("click"); };
    Mouse->SetCursorPos(button->ClientToScreen(TPoint{5, 10}));
    Settle();
    Click(button, 50, 10);
    EXPECT_EQ(events, (std::vector<AnsiString>{"drop-down"}));
    EXPECT_EQ(button->State(), bsUp);
    Click(button, 5, 10);
    Click(button, 5, 10);
    EXPECT_EQ(events, (std::vector<AnsiString>{"drop-down", "click"}))
        << "the first press after a drop-down inside the button is swallowed";
    button->SetToolStyle(tsButton);
    EXPECT_EQ(button->Width(), 40);
}

}  // namespace
