// The colour edit: its swatch, the keys and clicks it ignores, and the colour picker it drops
// down, with a choice or a cancel.
#include "UiColorEdit.h"
#include "UiColorPicker.h"
#include "../controls_edits/edit_fixture.h"

namespace {

BOOL CALLBACK FindPickerPopup(HWND window, LPARAM found) {
    TWinControl* control = FindControl(window);
    if (!control || !IsWindowVisible(window) || control->ClassName() != "TUiPopup" ||
        control->ControlCount() == 0)
        return TRUE;
    *reinterpret_cast<TUiColorPicker**>(found) = dynamic_cast<TUiColorPicker*>(control->Controls(0));
    return FALSE;
}

TUiColorPicker* PoppedUpPicker() {
    TUiColorPicker* picker = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindPickerPopup, reinterpret_cast<LPARAM>(&picker));
    return picker;
}

class ColorEditTest : public EditFormTest {
protected:
    void SetUp() override {
        EditFormTest::SetUp();
        edit = Add<TUiColorEdit>(10, 10, 80, 21);
        edit->OnDropDown = [this](TObject*) { events += "drop "; };
        edit->OnCloseUp = [this](TObject*) { events += "close "; };
        edit->OnChange = [this](TObject*) { events += "change "; };
        timer = SetTimer(nullptr, 0, 100, nullptr);
        Pump();
    }
    void TearDown() override {
        KillTimer(nullptr, timer);
        Application->OnIdle = nullptr;
        EditFormTest::TearDown();
    }
    // Opens the picker with `open` and runs `step` on it once.
    void DropWith(std::function<void()> open, std::function<void(TUiColorPicker*)> step) {
        bool done = false;
        const DWORD start = GetTickCount();
        Application->OnIdle = [&](TObject*, bool&) {
            TUiColorPicker* picker = PoppedUpPicker();
            if (!picker) return;
            if (!done) {
                done = true;
                step(picker);
            } else if (GetTickCount() - start > 5000) {
                ADD_FAILURE() << "the popup did not end";
                PostKey(GetFocus(), VK_ESCAPE);
            }
        };
        open();
        PumpUntil([&] { return done && !PoppedUpPicker(); });
        Application->OnIdle = nullptr;
        EXPECT_TRUE(done) << "no picker dropped down";
    }
    void ClickEdit() {
        POINT screen = {20, 10};
        ClientToScreen(edit->Handle(), &screen);
        edit->Perform(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        PostClick(edit->Handle(), 20, 10);
        Pump();
    }

    TUiColorEdit* edit = nullptr;
    std::string events;
    UINT_PTR timer = 0;
};

TEST_F(ColorEditTest, AClickedCellIsChosen) {
    TColor offered = clNone;
    DropWith([&] { ClickEdit(); },
             [&](TUiColorPicker* picker) {
                 const TRect cell = picker->GetCellRect(3);
                 picker->SetSelColorIndex(3);
                 offered = picker->SelectedColor();
                 picker->SetSelColorIndex(-1);
                 PostClick(picker->Parent()->Handle(), picker->Left() + cell.Left + 2,
                           picker->Top() + cell.Top + 2);
             });
    EXPECT_NE(offered, clNone);
    EXPECT_EQ(edit->SelectedColor(), offered);
    EXPECT_EQ(events, "drop change close ");
    const WindowShot shot(edit);
    EXPECT_EQ(shot.At(40, 12), ColorToRGB(offered)) << "the swatch shows the colour";
}

TEST_F(ColorEditTest, ACancelLeavesTheColourAndFiresNoChange) {
    edit->SetSelectedColor(clRed);
    DropWith([&] {
                 Focus(edit);
                 Key(edit, VK_DOWN, true);
             },
             [](TUiColorPicker* picker) {
                 EXPECT_EQ(picker->SelectedColor(), clRed);
                 PostKey(GetFocus(), VK_ESCAPE);
             });
    EXPECT_EQ(edit->SelectedColor(), clRed);
    EXPECT_EQ(events, "drop close ");
}

TEST_F(ColorEditTest, TypingAndRightClicksDoNothing) {
    Focus(edit);
    Type(edit, "abc");
    Key(edit, VK_DELETE);
    PostMessageA(edit->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 10));
    PostMessageA(edit->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(20, 10));
    Pump();
    EXPECT_EQ(edit->GetText(), "");
    EXPECT_EQ(edit->SelectedColor(), clNone);
    EXPECT_EQ(events, "");
}

TEST_F(ColorEditTest, ANewEditShowsAHatchAndAReadOnlyOneOpensNothing) {
    const WindowShot shot(edit);
    int face = 0, other = 0;
    for (int x = 8; x < 40; ++x)
        (shot.At(x, 12) == ColorToRGB(clBtnFace) ? face : other)++;
    EXPECT_GT(face, 0) << "hatch lines";
    EXPECT_GT(other, 0) << "between the lines";
    edit->SetReadOnly(true);
    EXPECT_FALSE(edit->DropButtonVisible());
    ClickEdit();
    Focus(edit);
    Key(edit, VK_DOWN, true);
    EXPECT_EQ(PoppedUpPicker(), nullptr);
    EXPECT_EQ(events, "");
}

}  // namespace
