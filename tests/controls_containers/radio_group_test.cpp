// Radio groups: column layout, clamped columns, refused changes from a click, a key and from
// code, OnClick for a change from code, mnemonics, a group that refuses modification, and
// per-item enabled states across disabling the group.
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
    void ClickButton(TUiGroupButton* button) {
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
        EXPECT_EQ(group->GetButtons(i)->Left(), columnLefts[columnOf[i]]) << i;
        EXPECT_EQ(group->GetButtons(i)->Width(), 119) << i;
        EXPECT_EQ(group->GetButtons(i)->Top(), group->GetButtons(i % 3)->Top()) << i;
    }
    EXPECT_EQ(group->GetButtons(1)->Top() - group->GetButtons(0)->Top(), 17 + 3);
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
    EXPECT_TRUE(group->GetButtons(1)->GetChecked());
    EXPECT_FALSE(group->GetButtons(2)->GetChecked());
    ClickButton(group->GetButtons(0));
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->GetButtons(1)->GetChecked());
    EXPECT_FALSE(group->GetButtons(0)->GetChecked());
    EXPECT_EQ(clicks, 1);
    allow = true;
    ClickButton(group->GetButtons(0));
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_FALSE(group->GetButtons(1)->GetChecked());
    EXPECT_EQ(clicks, 2);
}

// Arrows and item mnemonics select through the window messages and OnChanging may refuse them;
// the caption's mnemonic brings the focus to the selected item without changing it.
TEST_F(RadioGroupTest, KeysSelectAndRefusalsHold) {
    auto* edit = Add<TEdit>(5, 140, 100, 21);
    auto* group = Add<TUiRadioGroup>(5, 5, 398, 120);
    group->SetCaption("&Alignment");
    for (const char* item : {"&Left", "&Center", "&Right"}) group->Items()->Add(item);
    group->SetItemIndex(0);
    int clicks = 0;
    bool allow = true;
    group->OnClick = [&](TObject*) { ++clicks; };
    group->OnChanging = [&](TObject*, int, bool& allowChange) { allowChange = allow; };
    group->GetButtons(0)->SetFocus();
    Application->ProcessMessages();
    auto focusedItem = [&] {
        for (int i = 0; i < 3; ++i)
            if (group->GetButtons(i)->Focused()) return i;
        return -1;
    };
    auto expectSelected = [&](int index) {
        EXPECT_EQ(group->ItemIndex(), index);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(group->GetButtons(i)->GetChecked(), i == index) << i;
    };
    PostKey(GetFocus(), VK_DOWN);
    Application->ProcessMessages();
    expectSelected(1);
    EXPECT_EQ(focusedItem(), 1);
    PostChars(GetFocus(), "r");
    Application->ProcessMessages();
    expectSelected(2);
    EXPECT_EQ(clicks, 2);

    allow = false;
    for (UINT key : {UINT(VK_UP), UINT(VK_LEFT)}) {
        PostKey(GetFocus(), key);
        Application->ProcessMessages();
        expectSelected(2);
        EXPECT_EQ(focusedItem(), 2);
    }
    PostChars(GetFocus(), "l");
    Application->ProcessMessages();
    expectSelected(2);
    EXPECT_EQ(focusedItem(), 2);
    EXPECT_EQ(clicks, 2);

    allow = true;
    edit->SetFocus();
    Application->ProcessMessages();
    PostMessageA(edit->Handle(), WM_SYSCHAR, 'a', 0x20000000);
    Application->ProcessMessages();
    EXPECT_EQ(focusedItem(), 2);
    expectSelected(2);
    EXPECT_EQ(clicks, 2);
}

// A group that refuses modification ignores the mouse; code still selects.
TEST_F(RadioGroupTest, GroupThatRefusesModificationIgnoresTheMouse) {
    struct TLockedRadioGroup : TUiRadioGroup {
        explicit TLockedRadioGroup(TComponent* owner) : TUiRadioGroup(owner) {}
        bool CanModify() override { return false; }
    };
    auto* group = Add<TLockedRadioGroup>(5, 5, 398, 120);
    for (const char* item : {"Yes", "No"}) group->Items()->Add(item);
    Application->ProcessMessages();
    ClickButton(group->GetButtons(1));
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_FALSE(group->GetButtons(1)->GetChecked());
    group->SetItemIndex(1);
    EXPECT_TRUE(group->GetButtons(1)->GetChecked());
}

TEST_F(RadioGroupTest, DeletingTheSelectedLastLineSelectsTheNewLast) {
    TUiRadioGroup* group = AddGroup(3);
    group->SetItemIndex(2);
    group->Items()->Delete(2);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(group->ItemCount(), 2);
}

TEST_F(RadioGroupTest, ItemEnabledStatesSurviveDisablingTheGroup) {
    TUiRadioGroup* group = AddGroup(3);
    group->SetItemEnabled(1, false);
    group->SetEnabled(false);
    EXPECT_FALSE(group->GetItemEnabled(0));
    group->SetEnabled(true);
    EXPECT_TRUE(group->GetItemEnabled(0));
    EXPECT_FALSE(group->GetItemEnabled(1));
    EXPECT_TRUE(group->GetItemEnabled(2));
}

// Items set while the group is disabled stay disabled until the group is enabled again, then
// show their own settings.
TEST_F(RadioGroupTest, ItemEnabledSetWhileTheGroupIsDisabledWaitsForTheGroup) {
    TUiRadioGroup* group = AddGroup(3);
    group->SetItemEnabled(1, false);
    group->SetEnabled(false);
    group->SetItemEnabled(1, true);
    group->SetItemEnabled(2, false);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(group->GetButtons(i)->Enabled()) << i;
    group->SetEnabled(true);
    EXPECT_TRUE(group->GetItemEnabled(0));
    EXPECT_TRUE(group->GetItemEnabled(1));
    EXPECT_FALSE(group->GetItemEnabled(2));
}

}  // namespace

namespace {

TEST_F(RadioGroupTest, ScalingKeepsTheFirstColumnButScalesTheRows) {
    TUiRadioGroup* group = AddGroup(2);
    group->ChangeScale(3, 2);
    EXPECT_EQ(group->ItemHeight(), 26);
    EXPECT_EQ(group->VerticalSpacing(), 5);
    EXPECT_EQ(group->StartYPos(), 3);
    EXPECT_EQ(group->GetButtons(0)->Left(), 8);
    EXPECT_EQ(group->GetButtons(1)->Top() - group->GetButtons(0)->Top(), 26 + 5);
}

TEST_F(RadioGroupTest, EnterOnAnItemMovesOnWithTabOnEnter) {
    for (bool tabOnEnter : {true, false}) {
        SCOPED_TRACE(tabOnEnter);
        TUiRadioGroup* group = AddGroup(2);
        group->SetTabOnEnter(tabOnEnter);
        Application->ProcessMessages();
        SendMessageA(group->GetButtons(1)->Handle(), WM_CHAR, '\r', 0);
        MSG message;
        const bool posted =
            PeekMessageA(&message, group->Handle(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE) != FALSE;
        EXPECT_EQ(posted, tabOnEnter);
        if (posted) {
            EXPECT_EQ(message.wParam, static_cast<WPARAM>(VK_TAB));
        }
        group->Free();
    }
}

}  // namespace
