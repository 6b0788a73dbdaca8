// Dragging a page control's tab with real mouse messages: a press on a tab, a move past the
// drag threshold and a release on another tab moves the page; other drops move nothing.
#include "UiPageControl.h"
#include "form_fixture.h"

namespace {

class TabDraggingTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        pages = Add<TUiPageControl>(0, 0, 400, 250);
        for (const char* caption : {"Inspection", "Chart", "Pictures", "Checklist"}) {
            auto* sheet = new TUiTabSheet(form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
            sheets.push_back(sheet);
        }
        pages->SetActivePage(sheets[0]);
        pages->SetAllowTabDragging(true);
        pages->OnTabOrderChange = [this](TObject*, int from, int to) {
            moves.emplace_back(from, to);
        };
        Application->ProcessMessages();
    }
    TPoint Middle(int tab) {
        pages->CheckCalcNeeded();
        const TRect r = pages->CalcMappedTabRect(tab, pages->GetTabDataList()->GetItem(tab));
        return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void Send(UINT msg, TPoint p, WPARAM keys = MK_LBUTTON) {
        SendMessageA(pages->WindowHandle(), msg, keys, MAKELPARAM(p.X, p.Y));
    }
    // Presses on the tab, moves a little, then on to the drop point and releases there.
    void DragTab(int tab, TPoint drop) {
        const TPoint start = Middle(tab);
        Send(WM_LBUTTONDOWN, start);
        Send(WM_MOUSEMOVE, TPoint(start.X + 2, start.Y));
        Send(WM_MOUSEMOVE, drop);
        ASSERT_TRUE(pages->Dragging());
        Send(WM_LBUTTONUP, drop, 0);
        EXPECT_FALSE(pages->Dragging());
        EXPECT_EQ(GetCapture(), nullptr);
    }
    std::vector<TUiTabSheet*> Order() {
        std::vector<TUiTabSheet*> order;
        for (int i = 0; i < pages->PageCount(); ++i) order.push_back(pages->Pages(i));
        return order;
    }

    TUiPageControl* pages = nullptr;
    std::vector<TUiTabSheet*> sheets;
    std::vector<std::pair<int, int>> moves;
};

TEST_F(TabDraggingTest, DroppingATabOnAnotherTabMovesItsPage) {
    DragTab(1, Middle(3));
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 3}}));
    EXPECT_EQ(Order(), (std::vector<TUiTabSheet*>{sheets[0], sheets[2], sheets[3], sheets[1]}));
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_EQ(pages->TabIndex(), 3);
}

TEST_F(TabDraggingTest, DroppingOnTheActiveTabOrOutsideTheTabsMovesNothing) {
    const struct {
        const char* where;
        TPoint drop;
    } cases[] = {
        {"the dragged tab itself", Middle(1)},
        {"the page", TPoint(200, 150)},
        {"beyond the strip's end", TPoint(380, Middle(1).Y)},
        {"outside the control", TPoint(410, 100)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        DragTab(1, c.drop);
        EXPECT_TRUE(moves.empty());
        EXPECT_EQ(Order(), sheets);
        EXPECT_EQ(pages->ActivePage(), sheets[1]);
    }
}

TEST_F(TabDraggingTest, ADisabledTabIsNotDragged) {
    sheets[2]->SetTabEnabled(false);
    pages->CheckCalcNeeded();
    const TPoint start = Middle(2);
    Send(WM_LBUTTONDOWN, start);
    Send(WM_MOUSEMOVE, TPoint(start.X + 2, start.Y));
    Send(WM_MOUSEMOVE, Middle(3));
    EXPECT_FALSE(pages->Dragging());
    Send(WM_LBUTTONUP, Middle(3), 0);
    EXPECT_TRUE(moves.empty());
}

}  // namespace
