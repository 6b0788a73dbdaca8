// The page control on the tab control: clicks and code switching pages through OnChanging,
// a refused switch, sheets with hidden tabs, and a paint that never switches pages.
#include "UiPageControl.h"
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

}  // namespace
