// The page control on the tab control: clicks and code switching pages through OnChanging,
// a refused switch, sheets with hidden tabs, a paint that never switches pages, the next-page
// search, moving, colouring, closing and unloading pages.
#include "UiPageControl.h"
#include "UiTabButtons.h"
#include "cl_stdctrls.h"
#include "form_fixture.h"

namespace {

class PageControlTabsTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        pages = Add<TUiPageControl>(0, 0, 400, 250);
        for (const char* caption : {"Inspection", " Chart ", "Pictures", "Checklist"}) {
            auto* sheet = new TUiTabSheet(form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
            sheets.push_back(sheet);
        }
        pages->SetActivePage(sheets[0]);
        pages->OnChanging = [&](TObject*, int index, bool& allow) {
            asked.push_back(index);
            allow = allowChange;
        };
        pages->OnChange = [&](TObject*) { events.push_back("change"); };
        pages->OnPageChange = [&](TObject*) { events.push_back("page"); };
        Application->ProcessMessages();
    }
    std::vector<TUiTabSheet*> Shown() const {
        std::vector<TUiTabSheet*> shown;
        for (TUiTabSheet* sheet : sheets)
            if (sheet->Visible()) shown.push_back(sheet);
        return shown;
    }
    // The middle of the tab's mapped rectangle, clicked with real messages.
    void ClickTab(int tab) {
        pages->CheckCalcNeeded();
        const TRect r = pages->CalcMappedTabRect(tab, pages->GetTabDataList()->GetItem(tab));
        const int x = r.Left + r.Width() / 2, y = r.Top + r.Height() / 2;
        PostMessageA(pages->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageA(pages->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Application->ProcessMessages();
    }
    TUiPageControl* pages = nullptr;
    std::vector<TUiTabSheet*> sheets;
    std::vector<int> asked;
    std::vector<std::string> events;
    bool allowChange = true;
};

TEST_F(PageControlTabsTest, ClicksSwitchPagesUnlessRefused) {
    ASSERT_EQ(pages->GetTabDataList()->GetCount(), 4);
    ClickTab(2);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(Shown(), std::vector<TUiTabSheet*>{sheets[2]});
    EXPECT_EQ(events, (std::vector<std::string>{"change", "page"}));

    allowChange = false;
    events.clear();
    ClickTab(1);
    pages->SetActivePage(sheets[3]);
    EXPECT_EQ(asked, (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(pages->TabIndex(), 2);
    EXPECT_EQ(Shown(), std::vector<TUiTabSheet*>{sheets[2]}) << "only the old page stays visible";
    EXPECT_TRUE(events.empty());
}

TEST_F(PageControlTabsTest, ASheetWithAHiddenTabStillBecomesActive) {
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(pages->GetTabDataList()->GetCount(), 3);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    pages->SetActivePage(sheets[1]);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(events, std::vector<std::string>{"page"});
    EXPECT_EQ(pages->TabIndex(), -1);
    EXPECT_EQ(Shown(), std::vector<TUiTabSheet*>{sheets[1]});

    pages->SetActivePage(sheets[2]);
    sheets[2]->SetTabVisible(false);
    EXPECT_EQ(pages->TabIndex(), -1) << "hiding the active page's tab keeps the page";
    EXPECT_EQ(Shown(), std::vector<TUiTabSheet*>{sheets[2]});
}

TEST_F(PageControlTabsTest, APaintNeverSwitchesPages) {
    pages->SetActivePage(sheets[1]);
    asked.clear();
    sheets[1]->SetTabEnabled(false);
    pages->Repaint();
    Application->ProcessMessages();
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_EQ(pages->TabIndex(), 1);
    EXPECT_EQ(Shown(), std::vector<TUiTabSheet*>{sheets[1]});
    EXPECT_TRUE(asked.empty());
}

TEST_F(PageControlTabsTest, TheNextPageSkipsSheetsWithoutTabsAndWraps) {
    sheets[2]->SetTabVisible(false);
    const struct {
        bool forward;
        TUiTabSheet* expected;
    } steps[] = {{true, sheets[1]}, {true, sheets[3]}, {true, sheets[0]}, {false, sheets[3]}, {false, sheets[1]}};
    for (const auto& step : steps) {
        pages->SelectNextPage(step.forward);
        EXPECT_EQ(pages->ActivePage(), step.expected);
    }
    EXPECT_EQ(pages->FindNextPage(nullptr, true, false), sheets[0]) << "from outside the list";
    EXPECT_EQ(pages->FindNextPage(sheets[1], true, false), sheets[2]) << "any sheet when not only visible";
}

TEST_F(PageControlTabsTest, MovingAPageReordersItsTabAndRefusesBadIndexes) {
    std::vector<std::pair<int, int>> moves;
    pages->OnTabOrderChange = [&](TObject*, int from, int to) { moves.emplace_back(from, to); };
    sheets[3]->SetPageIndex(0);
    EXPECT_EQ(pages->Pages(0), sheets[3]);
    EXPECT_EQ(sheets[0]->PageIndex(), 1);
    pages->CheckCalcNeeded();
    EXPECT_EQ(pages->GetTabDataList()->GetItem(0)->Caption, "Checklist");
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{3, 0}}));
    try {
        sheets[0]->SetPageIndex(4);
        ADD_FAILURE();
    } catch (const EUiTabControlError& e) {
        EXPECT_STREQ(e.what(), "4 is an invalid PageIndex value. PageIndex must be between 0 and 3");
    }
    try {
        sheets[0]->SetVisible(true);
        ADD_FAILURE();
    } catch (const EUiTabControlError& e) {
        EXPECT_STREQ(e.what(), "You cannot change the Visible property of a page");
    }
}

TEST_F(PageControlTabsTest, AColouredSheetSwitchesToColouredTabsAndBack) {
    EXPECT_FALSE(pages->UseColoredTabs());
    sheets[1]->SetColor(clYellow);
    EXPECT_TRUE(pages->UseColoredTabs());
    pages->CheckCalcNeeded();
    EXPECT_EQ(pages->GetTabDataList()->GetItem(1)->Color, clYellow);
    pages->SetUseColoredTabs(false);
    for (TUiTabSheet* sheet : sheets) EXPECT_EQ(sheet->Color(), pages->Color());
}

TEST_F(PageControlTabsTest, SavedResourcesDropTheWindowsOfPagesLeft) {
    for (TUiTabSheet* sheet : sheets) sheet->HandleNeeded();
    pages->SetSaveResources(true);
    EXPECT_TRUE(sheets[0]->HandleAllocated());
    EXPECT_FALSE(sheets[1]->HandleAllocated());
    pages->SetActivePage(sheets[1]);
    Application->ProcessMessages();
    EXPECT_FALSE(sheets[0]->HandleAllocated());
    EXPECT_TRUE(sheets[1]->HandleAllocated()) << "shown again with a new window";
}

TEST_F(PageControlTabsTest, IndexesOutsideThePagesLeaveNoTabSelected) {
    for (int index : {-1, 4}) {
        pages->SetActivePageIndex(1);
        pages->SetActivePageIndex(index);
        EXPECT_EQ(pages->TabIndex(), -1) << index;
    }
}

TEST_F(PageControlTabsTest, ClosingTheActivePageSelectsThePreviousOne) {
    pages->SetActivePage(sheets[2]);
    pages->OnClose = [](TObject*, bool& allow) { allow = true; };
    pages->SetShowCloseButton(true);
    pages->Repaint();
    Application->ProcessMessages();
    TUiTabCloseButton* close = pages->CloseButton();
    ASSERT_NE(close, nullptr);
    PostMessageA(close->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(close->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    Application->ProcessMessages();
    ASSERT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_EQ(Shown(), std::vector<TUiTabSheet*>{sheets[1]});
}

TEST_F(FormTest, ASheetWithoutATabFillsTheCardAndTakesTheFocus) {
    auto* pages = Add<TUiPageControl>(0, 0, 400, 250);
    auto* sheet = new TUiTabSheet(form);
    sheet->SetPageControl(pages);
    sheet->SetTabVisible(false);
    auto* edit = new TEdit(form);
    edit->SetParent(sheet);
    pages->SetActivePage(sheet);
    Application->ProcessMessages();
    EXPECT_EQ(pages->GetTabDataList()->GetCount(), 0);
    EXPECT_EQ(sheet->BoundsRect(), pages->GetDisplayRect());
    pages->SetFocus();
    Application->ProcessMessages();
    EXPECT_TRUE(edit->Focused());
}

}  // namespace
