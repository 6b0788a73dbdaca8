// Radio groups: column layout, clamped columns, refused changes from a click and from code,
// OnClick for a change from code, and per-item enabled states across disabling the group.
#include "UiRadioGroup.h"
#include "cl_stdctrls.h"
#include "form_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class RadioGroupTest : public FormTest {
protected:
    TUiRadioGroup* AddGroup(int items, int width = 398) {
        auto* group = Add<TUiRadioGroup>(5, 5, width, 120);
        for (int i = 0; i < items; ++i) group->Items()->Add("Item " + IntToStr(i));
        return group;
    }
    void ClickButton(TRadioButton* button) {
        const HWND handle = button->Handle();
        SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(handle, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        Application->ProcessMessages();
    }
};

TEST_F(RadioGroupTest, LaysOutItemsInColumnsTopToBottom) {
    TUiRadioGroup* group = AddGroup(7);
    group->SetColumns(3);
    group->SetStartPos(1, 30);
    group->SetSpaceEvenly(true);
    const int columnLefts[] = {30, 149, 268};
    const int columnOf[] = {0, 0, 0, 1, 1, 1, 2};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(group->Buttons(i)->Left(), columnLefts[columnOf[i]]) << i;
        EXPECT_EQ(group->Buttons(i)->Width(), 119) << i;
        EXPECT_EQ(group->Buttons(i)->Top(), group->Buttons(i % 3)->Top()) << i;
    }
    EXPECT_EQ(group->Buttons(1)->Top() - group->Buttons(0)->Top(), 17 + 3);
    group->SetColumns(0);
    EXPECT_EQ(group->Columns(), 1);
    group->SetColumns(20);
    EXPECT_EQ(group->Columns(), 16);
}

TEST_F(RadioGroupTest, RefusedChangesKeepTheOldSelection) {
    TUiRadioGroup* group = AddGroup(3);
    Application->ProcessMessages();
    int clicks = 0;
    bool allow = true;
    group->OnClick = [&](TObject*) { ++clicks; };
    group->OnChanging = [&](TObject*, int, bool& allowChange) { allowChange = allow; };
    group->SetItemIndex(1);
    EXPECT_EQ(clicks, 1);
    allow = false;
    group->SetItemIndex(2);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    EXPECT_FALSE(group->Buttons(2)->Checked());
    ClickButton(group->Buttons(0));
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    EXPECT_FALSE(group->Buttons(0)->Checked());
    EXPECT_EQ(clicks, 1);
    allow = true;
    ClickButton(group->Buttons(0));
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_FALSE(group->Buttons(1)->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(RadioGroupTest, DeletingTheSelectedLastLineSelectsTheNewLast) {
    TUiRadioGroup* group = AddGroup(3);
    group->SetItemIndex(2);
    group->Items()->Delete(2);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(group->ButtonCount(), 2);
}

TEST_F(RadioGroupTest, ItemEnabledStatesSurviveDisablingTheGroup) {
    TUiRadioGroup* group = AddGroup(3);
    group->SetItemEnabled(1, false);
    group->SetEnabled(false);
    EXPECT_FALSE(group->ItemEnabled(0));
    group->SetEnabled(true);
    EXPECT_TRUE(group->ItemEnabled(0));
    EXPECT_FALSE(group->ItemEnabled(1));
    EXPECT_TRUE(group->ItemEnabled(2));
}

}  // namespace

namespace {

TEST_F(RadioGroupTest, ScalingKeepsTheFirstColumnButScalesTheRows) {
    TUiRadioGroup* group = AddGroup(2);
    group->ChangeScale(3, 2);
    EXPECT_EQ(group->ItemHeight(), 26);
    EXPECT_EQ(group->VerticalSpacing(), 5);
    EXPECT_EQ(group->StartYPos(), 3);
    EXPECT_EQ(group->Buttons(0)->Left(), 8);
    EXPECT_EQ(group->Buttons(1)->Top() - group->Buttons(0)->Top(), 26 + 5);
}

TEST_F(RadioGroupTest, EnterOnAnItemMovesOnWithTabOnEnter) {
    for (bool tabOnEnter : {true, false}) {
        SCOPED_TRACE(tabOnEnter);
        TUiRadioGroup* group = AddGroup(2);
        group->SetTabOnEnter(tabOnEnter);
        Application->ProcessMessages();
        SendMessageA(group->Buttons(1)->Handle(), WM_CHAR, '\r', 0);
        MSG message;
        const bool posted =
            PeekMessageA(&message, group->Handle(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE) != FALSE;
        EXPECT_EQ(posted, tabOnEnter);
        if (posted) EXPECT_EQ(message.wParam, static_cast<WPARAM>(VK_TAB));
        group->Free();
    }
}

}  // namespace
