// Tab control interaction through real messages: hit tests along the tab outlines, clicks and
// focus, the scroller, hot tracking with tab hints, mnemonics, the menu button, and closing and
// dragging tabs of the collection tab control.
#include "UiTabButtons.h"
#include "UiTabControl.h"
#include "form_fixture.h"

namespace {

class TabInteractionTest : public FormTest {
protected:
    TUiTabControl* AddTabs(std::initializer_list<const char*> captions, int width = 400) {
        auto* tabs = Add<TUiTabControl>(0, 0, width, 150);
        for (const char* caption : captions) tabs->Tabs()->Add()->SetCaption(caption);
        tabs->SetTabIndex(0);
        tabs->OnChange = [this](TObject*) { events.push_back("change"); };
        tabs->OnTabClick = [this](TObject*) { events.push_back("click"); };
        tabs->OnTabOrderChange = [this](TObject*, int from, int to) {
            events.push_back("order " + std::to_string(from) + " " + std::to_string(to));
        };
        Application->ProcessMessages();
        return tabs;
    }
    static TPoint Middle(TUiCustomTabControl* tabs, int index) {
        tabs->CheckCalcNeeded();
        const TRect r = tabs->CalcMappedTabRect(index, tabs->GetTabDataList()->GetItem(index));
        return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void Click(TWinControl* control, TPoint p) {
        PostMessageA(control->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
        PostMessageA(control->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
        Application->ProcessMessages();
    }
    void Hover(TUiCustomTabControl* tabs, TPoint p) {
        Mouse->SetCursorPos(tabs->ClientToScreen(p));
        PostMessageA(tabs->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.X, p.Y));
        Application->ProcessMessages();
    }
    std::vector<std::string> events;
};

TEST_F(TabInteractionTest, HitsFollowTheOutlinesAndTheActiveTabComesFirst) {
    TUiTabControl* tabs = AddTabs({"One", "Two", "Three"});
    tabs->SetTabWidth(60);
    tabs->SetTabHeight(20);
    // Tab 0 spans 0..60 and slants from (40, 0) down to (60, 20); tab 1 starts at 51.
    const struct {
        TPoint point;
        int active, hit;
    } cases[] = {
        {{55, 3}, 0, 1},   // beside tab 0's slant: only tab 1
        {{52, 15}, 0, 0},  // inside both: the active tab
        {{52, 15}, 1, 1},
        {{52, 15}, -1, 0},  // none active: from the first tab shown
        {{250, 5}, 0, -1},  // the empty strip
        {{100, 80}, 0, -1}, // the card
    };
    for (const auto& c : cases) {
        tabs->SetTabIndex(c.active);
        EXPECT_EQ(tabs->TabAtPos(c.point), c.hit) << c.point.X << "," << c.point.Y << " active " << c.active;
    }
}

TEST_F(TabInteractionTest, ClickingTheActiveTabTakesTheFocusOthersOnlySelect) {
    TUiTabControl* tabs = AddTabs({"One", "Two", "Three"});
    tabs->Tabs()->GetItem(2)->SetEnabled(false);
    Click(tabs, Middle(tabs, 1));
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_FALSE(tabs->Focused());
    Click(tabs, Middle(tabs, 1));
    EXPECT_TRUE(tabs->Focused());
    EXPECT_EQ(events, (std::vector<std::string>{"change", "click", "click"}));

    events.clear();
    Click(tabs, Middle(tabs, 2));
    EXPECT_EQ(tabs->TabIndex(), 1) << "a disabled tab is not selected";
    EXPECT_EQ(tabs->MouseDownTabIndex(), 2) << "but remembered as pressed";
    EXPECT_TRUE(events.empty());
}

TEST_F(TabInteractionTest, TheScrollerScrollsASingleRowThatDoesNotFit) {
    TUiTabControl* tabs = AddTabs({"Inspection", "Chart", "Pictures", "Checklist", "Notes", "Photos"}, 220);
    tabs->Repaint();
    Application->ProcessMessages();
    ASSERT_TRUE(tabs->ScrollerNeeded());
    TUiTabScroller* scroller = tabs->Scroller();
    ASSERT_NE(scroller, nullptr);
    EXPECT_TRUE(scroller->Visible());
    EXPECT_GT(scroller->Left(), tabs->Width() / 2) << "at the far end of the strip";
    const TPoint right(scroller->Width() - 3, scroller->Height() / 2), left(2, scroller->Height() / 2);
    Click(scroller, right);
    EXPECT_EQ(tabs->ScrollIndex(), 1);
    Click(scroller, left);
    EXPECT_EQ(tabs->ScrollIndex(), 0);
    Click(scroller, left);
    EXPECT_EQ(tabs->ScrollIndex(), 0) << "nothing before the first tab";

    PostMessageA(scroller->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(right.X, right.Y));
    const DWORD until = GetTickCount() + 700;
    while (GetTickCount() < until) {
        Application->ProcessMessages();
        Sleep(10);
    }
    PostMessageA(scroller->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(right.X, right.Y));
    Application->ProcessMessages();
    EXPECT_GE(tabs->ScrollIndex(), 2) << "holding repeats, the release scrolls once more";

    tabs->SetTabIndex(0);
    EXPECT_EQ(tabs->ScrollIndex(), 0) << "selecting a tab scrolled away brings it back";
    tabs->SetTabIndex(5);
    EXPECT_TRUE(tabs->TabInView(tabs->GetTabDataList()->GetItem(5)));
}

TEST_F(TabInteractionTest, HotTrackingAndTabHintsFollowThePointer) {
    TUiTabControl* tabs = AddTabs({"One", "Two"});
    tabs->SetHint("card");
    tabs->SetTabHints(true);
    tabs->Tabs()->GetItem(1)->SetHint("second");
    Hover(tabs, Middle(tabs, 1));
    EXPECT_EQ(tabs->HotTabIndex(), 1);
    EXPECT_TRUE(tabs->HotTrackTimerRunning());
    EXPECT_EQ(tabs->Hint(), "second");
    Hover(tabs, TPoint(300, 5));
    EXPECT_EQ(tabs->HotTabIndex(), -1);
    EXPECT_FALSE(tabs->HotTrackTimerRunning());
    EXPECT_EQ(tabs->Hint(), "") << "the empty strip shows no hint";
    Hover(tabs, TPoint(200, 100));
    EXPECT_EQ(tabs->Hint(), "card") << "the card shows the control's own hint";

    Hover(tabs, Middle(tabs, 0));
    ASSERT_TRUE(tabs->HotTrackTimerRunning());
    Mouse->SetCursorPos(tabs->ClientToScreen(TPoint(200, 300)));
    const DWORD until = GetTickCount() + 300;
    while (GetTickCount() < until && tabs->HotTabIndex() != -1) {
        Application->ProcessMessages();
        Sleep(10);
    }
    EXPECT_EQ(tabs->HotTabIndex(), -1) << "leaving without a mouse move ends hot tracking";
}

TEST_F(TabInteractionTest, AMnemonicSelectsItsTab) {
    TUiTabControl* tabs = AddTabs({"&One", "&Two", "T&hree"});
    tabs->Tabs()->GetItem(1)->SetEnabled(false);
    EXPECT_EQ(tabs->Perform(CM_DIALOGCHAR, 'T'), 0) << "a disabled tab does not answer";
    EXPECT_EQ(tabs->Perform(CM_DIALOGCHAR, 'H'), 1);
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_TRUE(tabs->Focused());
}

TEST_F(TabInteractionTest, TheMenuButtonListsTheVisibleTabs) {
    TUiTabControl* tabs = AddTabs({"One", "Two", "Three", "Four"});
    tabs->Tabs()->GetItem(1)->SetVisible(false);
    tabs->SetTabIndex(2);
    tabs->SetShowMenuButton(true);
    tabs->Repaint();
    TUiTabMenuButton* button = tabs->MenuButton();
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->Visible());
    button->BuildMenu();
    TMenuItem* items = button->Menu()->Items();
    ASSERT_EQ(items->Count(), 3);
    EXPECT_EQ(items->Items(1)->Caption(), "Three");
    EXPECT_TRUE(items->Items(1)->Checked());
    EXPECT_FALSE(items->Items(0)->Checked());
    items->Items(2)->Click();
    EXPECT_EQ(tabs->TabIndex(), 3);
}

TEST_F(TabInteractionTest, TheCloseButtonClosesOnlyWhatOnCloseAllows) {
    TUiTabControl* tabs = AddTabs({"One", "Two", "Three"});
    tabs->SetShowCloseButton(true);
    tabs->SetTabIndex(1);
    tabs->Repaint();
    Application->ProcessMessages();
    TUiTabCloseButton* close = tabs->CloseButton();
    ASSERT_NE(close, nullptr);
    const TPoint middle(close->Width() / 2, close->Height() / 2);
    Click(close, middle);
    EXPECT_EQ(tabs->Tabs()->Count(), 3) << "no handler, nothing closed";

    tabs->OnClose = [](TObject*, bool& allow) { allow = true; };
    events.clear();
    Click(close, middle);
    ASSERT_EQ(tabs->Tabs()->Count(), 2);
    EXPECT_EQ(tabs->TabIndex(), 0) << "the previous tab";
    EXPECT_EQ(tabs->Tabs()->GetItem(0)->Caption(), "One");
    EXPECT_EQ(events, std::vector<std::string>{"change"});
    Click(close, middle);
    EXPECT_EQ(tabs->TabIndex(), 0) << "the first tab closed: the new first";
    EXPECT_EQ(tabs->Tabs()->GetItem(0)->Caption(), "Three");
}

TEST_F(TabInteractionTest, CollectionChangesKeepTheSelectionOnItsItem) {
    TUiTabControl* tabs = AddTabs({"A", "B", "C", "D"});
    tabs->SetTabIndex(2);
    tabs->Tabs()->Delete(3);
    EXPECT_EQ(tabs->TabIndex(), 2) << "after the active one";
    tabs->Tabs()->Delete(0);
    EXPECT_EQ(tabs->TabIndex(), 1) << "before the active one";
    tabs->Tabs()->GetItem(0)->SetVisible(false);
    tabs->CheckCalcNeeded();
    EXPECT_EQ(tabs->GetTabDataList()->GetCount(), 2) << "an invisible item keeps its tab";
    EXPECT_EQ(tabs->GetTabDataList()->GetItem(1)->Caption, "C");
    tabs->Tabs()->Clear();
    EXPECT_EQ(tabs->TabIndex(), -1);

    TUiTabCollectionItem* a = tabs->Tabs()->Add();
    TUiTabCollectionItem* b = tabs->Tabs()->Add();
    a->SetCaption("Graph");
    a->SetColor(clRed);
    a->SetEnabled(false);
    a->SetHint("hint");
    a->SetImageIndex(3);
    a->SetDisabledIndex(4);
    a->Tag = 7;
    b->Assign(a);
    EXPECT_EQ(b->Caption(), "Graph");
    EXPECT_EQ(b->Color(), clRed);
    EXPECT_FALSE(b->Enabled());
    EXPECT_EQ(b->Hint(), "hint");
    EXPECT_EQ(b->ImageIndex(), 3);
    EXPECT_EQ(b->DisabledIndex(), 4);
    EXPECT_EQ(b->Tag, 0) << "Tag is not copied";
}

TEST_F(TabInteractionTest, DraggingTheActiveTabMovesItsItem) {
    TUiTabControl* tabs = AddTabs({"A", "B", "C", "D"});
    tabs->SetAllowTabDragging(true);
    bool accept = false;
    tabs->DragOver(tabs, Middle(tabs, 0).X, Middle(tabs, 0).Y, dsDragMove, accept);
    EXPECT_FALSE(accept) << "the active tab is no target";
    tabs->DragOver(tabs, Middle(tabs, 2).X, Middle(tabs, 2).Y, dsDragMove, accept);
    EXPECT_TRUE(accept);
    EXPECT_EQ(tabs->DragOverTabIndex(), 2);
    tabs->DragOver(tabs, Middle(tabs, 2).X, Middle(tabs, 2).Y, dsDragLeave, accept);
    EXPECT_EQ(tabs->DragOverTabIndex(), -1);

    events.clear();
    tabs->DragDrop(tabs, 300, 100);
    EXPECT_TRUE(events.empty()) << "dropped outside any tab";
    const TPoint third = Middle(tabs, 2);
    tabs->DragDrop(tabs, third.X, third.Y);
    EXPECT_EQ(tabs->Tabs()->GetItem(2)->Caption(), "A");
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(events, (std::vector<std::string>{"order 0 2", "change"}));
}

}  // namespace
