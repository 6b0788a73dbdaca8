// Check groups: column layout, state changes from clicks and code reported through OnChange,
// a group that refuses modification, mnemonics, Enter moving on, per-item enabled states, and
// the check states kept in a form stream.
#include "UiCheckGroup.h"
#include "UiFrameController.h"
#include "cl_filer.h"
#include "cl_streams.h"
#include "form_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

// A group whose items may not be changed by the user.
class TLockedCheckGroup : public TUiCheckGroup {
public:
    explicit TLockedCheckGroup(TComponent* owner) : TUiCheckGroup(owner) {}
    bool CanModify() override { return false; }
};

class CheckGroupTest : public FormTest {
protected:
    template <class G = TUiCheckGroup>
    G* AddGroup(int items, const char* name = "Checks") {
        auto* group = Add<G>(5, 5, 398, 120);
        group->SetName(name);
        for (int i = 0; i < items; ++i) group->Items()->Add("Item " + IntToStr(i));
        Application->ProcessMessages();
        return group;
    }
    void Click(TControl* check) {
        const HWND handle = static_cast<TWinControl*>(check)->Handle();
        SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(handle, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        Application->ProcessMessages();
    }
    void PressSpace(TControl* check) {
        const HWND handle = static_cast<TWinControl*>(check)->Handle();
        SendMessageA(handle, WM_KEYDOWN, VK_SPACE, 0);
        SendMessageA(handle, WM_CHAR, ' ', 0);
        SendMessageA(handle, WM_KEYUP, VK_SPACE, 0xC0000000);
        Application->ProcessMessages();
    }
    struct Report {
        int index;
        TCheckBoxState state;
        bool operator==(const Report& o) const { return index == o.index && state == o.state; }
    };
    std::vector<Report> reports;
    void Listen(TUiCustomCheckGroup* group) {
        group->OnChange = [this](TObject*, int index, TCheckBoxState state) {
            reports.push_back({index, state});
        };
    }
};

TEST_F(CheckGroupTest, LaysOutItemsInColumnsTopToBottom) {
    TUiCheckGroup* group = AddGroup(7);
    group->SetColumns(3);
    group->SetStartPos(1, 30);
    group->SetSpaceEvenly(true);
    const int columnLefts[] = {30, 149, 268};
    const int columnOf[] = {0, 0, 0, 1, 1, 1, 2};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(group->GetChecks(i)->Left(), columnLefts[columnOf[i]]) << i;
        EXPECT_EQ(group->GetChecks(i)->Width(), 119) << i;
        EXPECT_EQ(group->GetChecks(i)->Top(), group->GetChecks(i % 3)->Top()) << i;
        EXPECT_TRUE(group->GetChecks(i)->Visible()) << i;
    }
    group->SetSpaceEvenly(false);
    EXPECT_EQ(group->GetChecks(0)->Left(), 30);
    EXPECT_GT(group->GetChecks(3)->Left(), group->GetChecks(0)->Left() + 13 + 12);
    group->Items()->Delete(6);
    EXPECT_EQ(group->ItemCount(), 6);
    group->SetColumns(0);
    EXPECT_EQ(group->Columns(), 1);
    group->SetColumns(20);
    EXPECT_EQ(group->Columns(), 16);
}

TEST_F(CheckGroupTest, ScalingKeepsTheFirstColumnButScalesTheRows) {
    TUiCheckGroup* group = AddGroup(2);
    group->ChangeScale(3, 2);
    EXPECT_EQ(group->ItemHeight(), 26);
    EXPECT_EQ(group->VerticalSpacing(), 5);
    EXPECT_EQ(group->StartYPos(), 3);
    EXPECT_EQ(group->StartXPos(), 8);
    EXPECT_EQ(group->GetChecks(0)->Left(), 8);
    EXPECT_EQ(group->GetChecks(1)->Top() - group->GetChecks(0)->Top(), 26 + 5);
}

// The items follow the group's font until their own font is set; the frame colour reaches them.
TEST_F(CheckGroupTest, ItemFontFollowsTheGroupUntilSetOnItsOwn) {
    TUiCheckGroup* group = AddGroup(2);
    EXPECT_EQ(group->ItemFont()->Name(), "MS Sans Serif");
    EXPECT_EQ(group->GetChecks(0)->Font()->Name(), "MS Sans Serif");
    group->Font()->SetSize(14);
    EXPECT_EQ(group->ItemFont()->Size(), 14);
    EXPECT_EQ(group->GetChecks(1)->Font()->Size(), 14);
    TFont own;
    own.SetName("Arial");
    own.SetSize(9);
    group->SetItemFont(&own);
    group->Font()->SetSize(20);
    EXPECT_EQ(group->ItemFont()->Size(), 9);
    EXPECT_EQ(group->GetChecks(0)->Font()->Name(), "Arial");
    group->SetItemFrameColor(clRed);
    EXPECT_EQ(group->GetChecks(1)->FrameColor(), clRed);
}

// Only a visible controller frame reaches the items.
TEST_F(CheckGroupTest, FrameControllerColoursTheItems) {
    for (bool visible : {false, true}) {
        SCOPED_TRACE(visible);
        auto* controller = new TUiFrameController(form);
        controller->SetFrameVisible(visible);
        controller->SetFrameColor(clRed);
        controller->SetDisabledColor(clYellow);
        TUiCheckGroup* group = AddGroup(2, visible ? "Framed" : "Plain");
        group->SetFrameController(controller);
        EXPECT_EQ(group->ItemFrameColor() == clRed, visible);
        EXPECT_EQ(group->GetChecks(1)->FrameColor() == clRed, visible);
        EXPECT_EQ(group->GetChecks(0)->DisabledColor() == clYellow, visible);
        controller->Free();
    }
}

TEST_F(CheckGroupTest, ClicksAndCodeReportTheNewState) {
    TUiCheckGroup* group = AddGroup(3);
    Listen(group);
    Click(group->GetChecks(1));
    EXPECT_TRUE(group->GetItemChecked(1));
    group->SetAllowGrayed(true);
    Click(group->GetChecks(2));
    EXPECT_EQ(group->GetItemState(2), cbGrayed);
    group->SetItemState(0, cbGrayed);
    group->SetItemChecked(1, false);
    group->SetItemChecked(1, false);
    EXPECT_EQ(reports, (std::vector<Report>{{1, cbChecked}, {2, cbGrayed}, {0, cbGrayed},
                                            {1, cbUnchecked}}));
}

TEST_F(CheckGroupTest, GroupThatRefusesModificationIgnoresMouseAndSpace) {
    auto* group = AddGroup<TLockedCheckGroup>(2);
    Listen(group);
    Click(group->GetChecks(0));
    PressSpace(group->GetChecks(0));
    EXPECT_EQ(group->GetItemState(0), cbUnchecked);
    EXPECT_TRUE(reports.empty());
    // Code still changes the states.
    group->SetItemChecked(0, true);
    EXPECT_EQ(reports, (std::vector<Report>{{0, cbChecked}}));

    TUiCheckGroup* open = AddGroup(2, "Open");
    PressSpace(open->GetChecks(1));
    EXPECT_TRUE(open->GetItemChecked(1));
}

// An item's mnemonic toggles it through the window messages; the caption's mnemonic only
// brings the focus to the first item.
TEST_F(CheckGroupTest, MnemonicsToggleTheirItem) {
    TUiCheckGroup* group = AddGroup(0);
    group->SetCaption("&Options");
    for (const char* item : {"&Alpha", "&Beta"}) group->Items()->Add(item);
    Listen(group);
    group->GetChecks(0)->SetFocus();
    Application->ProcessMessages();
    PostChars(GetFocus(), "b");
    Application->ProcessMessages();
    EXPECT_TRUE(group->GetChecks(1)->Focused());
    EXPECT_EQ(reports, (std::vector<Report>{{1, cbChecked}}));
    PostMessageA(GetFocus(), WM_SYSCHAR, 'o', 0x20000000);
    Application->ProcessMessages();
    EXPECT_TRUE(group->GetChecks(0)->Focused());
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(CheckGroupTest, EnterMovesOnWithTabOnEnter) {
    TUiCheckGroup* group = AddGroup(2);
    group->SetTabOnEnter(true);
    SendMessageA(group->GetChecks(0)->Handle(), WM_CHAR, '\r', 0);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, group->Handle(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(message.wParam, static_cast<WPARAM>(VK_TAB));
}

TEST_F(CheckGroupTest, ItemEnabledStatesSurviveDisablingTheGroup) {
    TUiCheckGroup* group = AddGroup(3);
    group->SetItemEnabled(1, false);
    group->SetEnabled(false);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(group->GetChecks(i)->Enabled()) << i;
    group->SetEnabled(true);
    EXPECT_TRUE(group->GetItemEnabled(0));
    EXPECT_FALSE(group->GetItemEnabled(1));
    EXPECT_TRUE(group->GetItemEnabled(2));
}

// The states travel as "CheckStates" with the items; a grayed item comes back grayed and
// reports its state while the form loads. A state list longer than the items is cut to them.
TEST_F(CheckGroupTest, CheckStatesAreKeptInTheFormStream) {
    RegisterClasses({TUiCheckGroup::StaticClass()});
    form->SetName("Host");
    TUiCheckGroup* group = AddGroup(3);
    group->SetAllowGrayed(true);
    group->SetItemState(0, cbChecked);
    group->SetItemState(2, cbGrayed);
    TMemoryStream stream;
    WriteComponentToStream(&stream, form);

    TOwnedPtr<TForm> copy(new TForm(nullptr));
    auto* twin = new TUiCheckGroup(copy.get());
    twin->SetName("Checks");
    twin->SetParent(copy.get());
    twin->Items()->Add("Old");
    Listen(twin);
    stream.SetPosition(0);
    ReadComponentFromStream(&stream, copy.get());
    ASSERT_EQ(twin->ItemCount(), 3);
    EXPECT_EQ(twin->GetChecks(2)->Caption(), "Item 2");
    EXPECT_TRUE(twin->GetChecks(2)->Visible());
    EXPECT_EQ(twin->GetItemState(0), cbChecked);
    EXPECT_EQ(twin->GetItemState(1), cbUnchecked);
    EXPECT_EQ(twin->GetItemState(2), cbGrayed);
    EXPECT_EQ(reports, (std::vector<Report>{{0, cbChecked}, {2, cbGrayed}}));

    TMemoryStream longer;
    {
        TWriter writer(&longer);
        writer.WritePropName("CheckStates");
        writer.WriteListBegin();
        for (int state : {1, 2, 1, 2}) writer.WriteInteger(state);
        writer.WriteListEnd();
    }
    TUiCheckGroup* shorter = AddGroup(2, "Shorter");
    shorter->SetAllowGrayed(true);
    longer.SetPosition(0);
    {
        TReader reader(&longer);
        reader.ReadProperty(shorter);
    }
    shorter->Loaded();
    EXPECT_EQ(shorter->GetItemState(0), cbChecked);
    EXPECT_EQ(shorter->GetItemState(1), cbGrayed);
}

}  // namespace
