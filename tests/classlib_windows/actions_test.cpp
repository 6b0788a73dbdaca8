// Actions routed to the controls of a shown form, the application's hint and its hint action,
// action links, and the control core: the cancel-mode message when another control is
// pressed, the left-button state, ShowControl up the parents and mirroring the children.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cl_actions.h"
#include "cl_extctrls.h"
#include "test_controls.h"

namespace {

class ActionsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!Application->Handle()) Application->Initialize();
    }
};
const auto* environment = ::testing::AddGlobalTestEnvironment(new ActionsEnvironment);

// An edit that takes THintAction and records CM_CANCELMODE and its left-button state.
class TTargetEdit : public TTestEdit {
public:
    using TTestEdit::TTestEdit;
    AnsiString ShownHint;
    std::vector<TControl*> CancelSenders;
    bool ButtonDownWhilePressed = false;
    std::vector<std::string> ActionChanges;

    bool ExecuteAction(TBasicAction* action) override {
        if (auto* hint = dynamic_cast<THintAction*>(action)) {
            ShownHint = hint->Hint();
            return true;
        }
        return TTestEdit::ExecuteAction(action);
    }
    void ActionChange(TObject* sender, bool) override {
        ActionChanges.push_back(static_cast<TComponent*>(sender)->Name().str());
    }
    void Dispatch(TMessage& message) override {
        if (message.Msg == CM_CANCELMODE) CancelSenders.push_back(message.Control());
        TTestEdit::Dispatch(message);
    }

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        ButtonDownWhilePressed = ControlState.count(csLButtonDown) != 0;
        TTestEdit::MouseDown(button, shift, x, y);
    }
};

// An action that works on target edits: it records every target it runs or updates on.
class TMarkAction : public TAction {
public:
    using TAction::TAction;
    std::vector<TObject*> Executed, Updated;
    bool HandlesTarget(TObject* target) override {
        return dynamic_cast<TTargetEdit*>(target) != nullptr;
    }
    void ExecuteTarget(TObject* target) override { Executed.push_back(target); }
    void UpdateTarget(TObject* target) override { Updated.push_back(target); }
};

// A container that records the children it was asked to show.
class TShowingPanel : public TPanel {
public:
    using TPanel::TPanel;
    std::vector<TControl*> Requests;
    void ShowControl(TControl* control) override {
        Requests.push_back(control);
        TPanel::ShowControl(control);
    }
};

class ActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = new TComponent(nullptr);
        form = new TForm(owner);
        form->SetBounds(60, 60, 320, 200);
        first = PlaceControl<TTargetEdit>(owner, form, "First", 10, 10, 120, 21);
        second = PlaceControl<TTargetEdit>(owner, form, "Second", 10, 40, 120, 21);
        action = new TMarkAction(owner);
        action->SetName("Mark");
    }
    void TearDown() override {
        Application->OnHint = nullptr;
        Application->SetHint("");
        TObject::Free(owner);
        Application->ProcessMessages();
    }
    void ShowAndFocus(TWinControl* control) {
        form->Show();
        Application->ProcessMessages();
        control->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return control->Focused(); }));
    }

    TComponent* owner = nullptr;
    TForm* form = nullptr;
    TTargetEdit* first = nullptr;
    TTargetEdit* second = nullptr;
    TMarkAction* action = nullptr;
};

TEST_F(ActionsTest, AnActionWithoutHandlerGoesToTheFocusedControlFirst) {
    ShowAndFocus(second);
    // Executing a custom action updates it first.
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(action->Executed, (std::vector<TObject*>{second}));
    EXPECT_EQ(action->Updated, (std::vector<TObject*>{second}));
    EXPECT_TRUE(action->Update());
    EXPECT_EQ(action->Updated.size(), 2u);
    // A handler of its own keeps it from the controls.
    int runs = 0;
    action->OnExecute = [&](TObject*) { ++runs; };
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(action->Executed.size(), 1u);
}

TEST_F(ActionsTest, ListAndApplicationEventsComeBeforeTheControls) {
    ShowAndFocus(first);
    auto* list = new TActionList(owner);
    action->SetActionList(list);
    std::vector<std::string> seen;
    list->OnExecute = [&](TBasicAction*, bool& handled) {
        seen.push_back("list");
        handled = seen.size() == 1;
    };
    Application->OnActionExecute = [&](TBasicAction*, bool& handled) {
        seen.push_back("application");
        handled = true;
    };
    EXPECT_TRUE(action->Execute());
    EXPECT_TRUE(action->Execute());
    Application->OnActionExecute = nullptr;
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(seen, (std::vector<std::string>{"list", "list", "application", "list"}));
    EXPECT_EQ(action->Executed, (std::vector<TObject*>{first}));
    // A disabled action runs nowhere.
    action->SetEnabled(false);
    EXPECT_FALSE(action->Execute());
}

TEST_F(ActionsTest, TheApplicationHintReachesTheControlsThroughTheHintAction) {
    ShowAndFocus(first);
    second->SetHint("Short|The long hint");
    second->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(Application->Hint(), "The long hint");
    EXPECT_EQ(first->ShownHint, "The long hint");
    // With OnHint assigned the handler takes the hint instead.
    int heard = 0;
    Application->OnHint = [&](TObject*) { ++heard; };
    first->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(Application->Hint(), "");
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(first->ShownHint, "The long hint");
    EXPECT_EQ(GetShortHint("a|b|c"), "a");
    EXPECT_EQ(GetLongHint("a|b|c"), "b|c");
    EXPECT_EQ(GetLongHint("plain"), "plain");
}

TEST_F(ActionsTest, LinksCarryTheActionToTheControlAndItsActionChange) {
    action->SetCaption("Run");
    action->SetHint("Runs it");
    first->SetAction(action);
    EXPECT_EQ(first->Caption(), "Run");
    EXPECT_EQ(first->Hint(), "Runs it");
    action->SetEnabled(false);
    EXPECT_FALSE(first->Enabled());
    action->SetVisible(false);
    EXPECT_FALSE(first->Visible());
    EXPECT_EQ(first->ActionChanges, (std::vector<std::string>{"Mark", "Mark"}));
    // The speed button's link, derived from the control link, adds Checked as Down.
    auto* button = PlaceControl<TSpeedButton>(owner, form, "", 150, 10, 23, 22);
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    button->SetAction(action);
    action->SetChecked(true);
    EXPECT_TRUE(button->Down());
    action->SetChecked(false);
    EXPECT_FALSE(button->Down());
    first->SetAction(nullptr);
    action->SetCaption("Gone");
    EXPECT_EQ(first->Caption(), "Run");
}

TEST_F(ActionsTest, PressingAnotherControlSendsCancelModeToTheFocusedOne) {
    ShowAndFocus(first);
    first->CancelSenders.clear();
    PostClick(second->Handle());
    ASSERT_TRUE(PumpUntil([&] { return second->Focused(); }));
    ASSERT_EQ(first->CancelSenders.size(), 1u);
    EXPECT_EQ(first->CancelSenders[0], second);
    EXPECT_TRUE(second->ButtonDownWhilePressed);
    EXPECT_EQ(second->ControlState.count(csLButtonDown), 0u);
    second->SendCancelMode(first);
    ASSERT_EQ(second->CancelSenders.size(), 1u);
    EXPECT_EQ(second->CancelSenders[0], first);
}

TEST_F(ActionsTest, ShowAsksEveryParentToShowTheControl) {
    auto* outer = PlaceControl<TShowingPanel>(owner, form, "", 0, 80, 200, 100);
    auto* inner = PlaceControl<TShowingPanel>(owner, outer, "", 10, 10, 150, 60);
    auto* edit = PlaceControl<TTestEdit>(owner, inner, "", 5, 5, 80, 21);
    edit->Hide();
    edit->Show();
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(inner->Requests, (std::vector<TControl*>{edit}));
    EXPECT_EQ(outer->Requests, (std::vector<TControl*>{inner}));
}

TEST_F(ActionsTest, FlipChildrenMirrorsPositionsAlignmentsAndAnchors) {
    auto* panel = PlaceControl<TPanel>(owner, form, "", 0, 0, 200, 100);
    panel->SetBevelOuter(bvNone);
    auto* left = PlaceControl<TPanel>(owner, panel, "", 0, 0, 30, 100);
    left->SetAlign(alLeft);
    auto* plain = PlaceControl<TPanel>(owner, panel, "", 40, 10, 50, 20);
    auto* nested = PlaceControl<TPanel>(owner, plain, "", 5, 2, 10, 10);
    plain->SetBevelOuter(bvNone);
    panel->FlipChildren(true);
    EXPECT_EQ(left->Align(), alRight);
    EXPECT_EQ(left->Left(), 170);
    EXPECT_EQ(plain->Left(), 110);
    EXPECT_EQ(plain->Anchors(), (TAnchors{akRight, akTop}));
    EXPECT_EQ(nested->Left(), 35);
}

}  // namespace
