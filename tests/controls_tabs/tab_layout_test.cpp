// Tab control layout driven through a real window: tab rectangles in every orientation and
// sequence, rows of a multi-line strip, hidden tabs, the card and the room left for children,
// selection repair and clicks with vetoes.
#include "UiTabs.h"
#include "cl_extctrls.h"
#include "form_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class TabLayoutTest : public FormTest {
protected:
    TUiCustomTabControl* AddTabs(int count, int width, int height) {
        auto* tabs = Add<TUiCustomTabControl>(0, 0, width, height);
        for (int i = 0; i < count; ++i) {
            auto* tab = new TUiTabData;
            tab->Caption = "Tab";
            tabs->GetTabDataList()->Add(tab);
        }
        tabs->Rebuild();
        return tabs;
    }
    // The tab's rectangle in control coordinates after the pending recalculation.
    static TRect Mapped(TUiCustomTabControl* tabs, int index) {
        tabs->CheckCalcNeeded();
        return tabs->CalcMappedTabRect(index, tabs->GetTabDataList()->GetItem(index));
    }
    static TUiTabData* Tab(TUiCustomTabControl* tabs, int index) {
        return tabs->GetTabDataList()->GetItem(index);
    }
    void Click(TUiCustomTabControl* tabs, int x, int y) {
        PostMessageA(tabs->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageA(tabs->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Application->ProcessMessages();
    }
};

TEST_F(TabLayoutTest, TabsSitOnEverySideInBothSequences) {
    // 400 x 200, tabs 60 long and 20 deep overlapping by half their depth.
    const struct {
        TUiTabOrientation orientation;
        TUiTabSequence sequence;
        TRect first, second;
    } cases[] = {
        {toTop, tsStandard, {0, 0, 60, 20}, {51, 0, 111, 20}},
        {toBottom, tsStandard, {0, 179, 60, 199}, {51, 179, 111, 199}},
        {toLeft, tsStandard, {0, 139, 20, 199}, {0, 88, 20, 148}},
        {toRight, tsStandard, {379, 0, 399, 60}, {379, 51, 399, 111}},
        {toTop, tsReverse, {339, 0, 399, 20}, {288, 0, 348, 20}},
        {toBottom, tsReverse, {339, 179, 399, 199}, {288, 179, 348, 199}},
        {toLeft, tsReverse, {0, 0, 20, 60}, {0, 51, 20, 111}},
        {toRight, tsReverse, {379, 139, 399, 199}, {379, 88, 399, 148}},
    };
    for (const auto& c : cases) {
        TUiCustomTabControl* tabs = AddTabs(3, 400, 200);
        const bool across = c.orientation == toTop || c.orientation == toBottom;
        tabs->SetTabWidth(across ? 60 : 20);
        tabs->SetTabHeight(across ? 20 : 60);
        tabs->SetTabOrientation(c.orientation);
        tabs->SetTabSequence(c.sequence);
        EXPECT_EQ(Mapped(tabs, 0), c.first) << c.orientation << " " << c.sequence;
        EXPECT_EQ(Mapped(tabs, 1), c.second) << c.orientation << " " << c.sequence;
        EXPECT_EQ(tabs->FixedDimension(), 20);
    }
}

TEST_F(TabLayoutTest, HiddenTabsTakeNoRoom) {
    TUiCustomTabControl* tabs = AddTabs(3, 400, 200);
    tabs->SetTabWidth(60);
    tabs->SetTabHeight(20);
    Tab(tabs, 0)->Visible = false;
    tabs->Rebuild();
    EXPECT_EQ(Mapped(tabs, 1), TRect(0, 0, 60, 20));
    EXPECT_EQ(Mapped(tabs, 2), TRect(51, 0, 111, 20));
    EXPECT_EQ(tabs->ScrollIndex(), 1) << "the first tab shown is the first visible one";
}

TEST_F(TabLayoutTest, MultiLineRowsAndTheChosenRowComesToTheFront) {
    TUiCustomTabControl* tabs = AddTabs(5, 300, 200);
    tabs->SetTabWidth(100);
    tabs->SetTabHeight(20);
    tabs->SetMultiLine(true);
    tabs->CheckCalcNeeded();
    EXPECT_EQ(tabs->RowExtent(), 2);
    const int rows[] = {0, 0, 0, 1, 1};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Tab(tabs, i)->RowIndex, rows[i]) << i;
    EXPECT_EQ(Mapped(tabs, 2), TRect(182, 15, 282, 35));
    EXPECT_EQ(Mapped(tabs, 3), TRect(5, 0, 105, 20)) << "a back row is indented";
    EXPECT_EQ(tabs->GetDisplayRect(), TRect(1, 36, 292, 197));

    Click(tabs, 50, 5);
    EXPECT_EQ(tabs->TabIndex(), 3);
    const int front[] = {1, 1, 1, 0, 0};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Tab(tabs, i)->RowIndex, front[i]) << i;
    EXPECT_EQ(Mapped(tabs, 3), TRect(0, 15, 100, 35));
}

TEST_F(TabLayoutTest, ATabLongerThanTheStripIsClamped) {
    const struct {
        TUiTabStyle style;
        int length;
    } cases[] = {{tsSingleSlant, 297}, {tsRoundCorners, 293}};
    for (const auto& c : cases) {
        TUiCustomTabControl* tabs = AddTabs(1, 300, 200);
        tabs->SetTabWidth(500);
        tabs->SetTabHeight(20);
        tabs->SetMultiLine(true);
        tabs->SetTabStyle(c.style);
        tabs->CheckCalcNeeded();
        EXPECT_EQ(Tab(tabs, 0)->LayoutRect.Width(), c.length) << c.style;
        EXPECT_EQ(tabs->RowExtent(), 1);
    }
}

TEST_F(TabLayoutTest, CardAndRoomForChildren) {
    TUiCustomTabControl* empty = AddTabs(0, 400, 200);
    empty->CheckCalcNeeded();
    EXPECT_EQ(empty->CalcMappedCardRect(0), TRect(0, 0, 399, 199));
    EXPECT_EQ(empty->GetDisplayRect(), TRect(1, 1, 397, 197));

    TUiCustomTabControl* tabs = AddTabs(2, 400, 200);
    tabs->SetTabHeight(20);
    auto* child = new TPanel(form);
    child->SetParent(tabs);
    child->SetAlign(alClient);
    tabs->CheckCalcNeeded();
    Application->ProcessMessages();
    EXPECT_EQ(child->BoundsRect(), TRect(1, 21, 397, 197));

    tabs->SetShowCard(false);
    EXPECT_EQ(tabs->GetDisplayRect(), TRect(-2, -2, -1, -1));
}

TEST_F(TabLayoutTest, SelectionRepairKeepsOrMovesTheSelection) {
    TUiCustomTabControl* tabs = AddTabs(3, 400, 200);
    tabs->SetTabIndex(2);
    int changes = 0;
    tabs->OnChange = [&](TObject*) { ++changes; };
    Tab(tabs, 2)->Enabled = false;
    tabs->Rebuild();
    tabs->CheckCalcNeeded();
    EXPECT_EQ(tabs->TabIndex(), 1) << "the nearest selectable tab before it";
    EXPECT_EQ(changes, 1);

    for (int i = 0; i < 3; ++i) Tab(tabs, i)->Enabled = false;
    tabs->Rebuild();
    tabs->CheckCalcNeeded();
    EXPECT_EQ(tabs->TabIndex(), 1) << "nothing selectable: the selection stays";
}

TEST_F(TabLayoutTest, ClicksSelectTabsUnlessVetoed) {
    TUiCustomTabControl* tabs = AddTabs(3, 400, 200);
    tabs->SetTabWidth(60);
    tabs->SetTabHeight(20);
    tabs->SetTabIndex(0);
    bool allow = false;
    std::vector<int> asked;
    tabs->OnChanging = [&](TObject*, int index, bool& allowChange) {
        asked.push_back(index);
        allowChange = allow;
    };
    Mapped(tabs, 0);
    Click(tabs, 80, 10);
    EXPECT_EQ(tabs->TabIndex(), 0);
    allow = true;
    Click(tabs, 80, 10);
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_EQ(asked, (std::vector<int>{1, 1}));
    Tab(tabs, 2)->Enabled = false;
    Click(tabs, 130, 10);
    EXPECT_EQ(tabs->TabIndex(), 1) << "a disabled tab is not selected";
    EXPECT_EQ(asked.size(), 2u);
}

TEST_F(TabLayoutTest, ArrowsHomeAndEndSkipTabsThatCannotBeSelected) {
    TUiCustomTabControl* tabs = AddTabs(4, 400, 200);
    Tab(tabs, 2)->Enabled = false;
    tabs->SetTabIndex(1);
    tabs->SetFocus();
    const struct {
        WPARAM key;
        int selected;
    } steps[] = {{VK_RIGHT, 3}, {VK_DOWN, 0}, {VK_LEFT, 3}, {VK_UP, 1}, {VK_END, 3}, {VK_HOME, 0}};
    for (const auto& step : steps) {
        PostMessageA(tabs->WindowHandle(), WM_KEYDOWN, step.key, 0);
        Application->ProcessMessages();
        EXPECT_EQ(tabs->TabIndex(), step.selected) << step.key;
    }
    tabs->SetTabSequence(tsReverse);
    PostMessageA(tabs->WindowHandle(), WM_KEYDOWN, VK_RIGHT, 0);
    Application->ProcessMessages();
    EXPECT_EQ(tabs->TabIndex(), 3) << "reverse tabs step the other way";

    tabs->SetTabIndex(-1);
    for (int i = 0; i < 4; ++i) Tab(tabs, i)->Enabled = false;
    PostMessageA(tabs->WindowHandle(), WM_KEYDOWN, VK_RIGHT, 0);
    Application->ProcessMessages();
    EXPECT_EQ(tabs->TabIndex(), -1) << "the search ends when nothing can be selected";
}

}  // namespace
