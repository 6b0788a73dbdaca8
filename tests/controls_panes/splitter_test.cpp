// Splitter: bar drags through real mouse messages, limits from margins and hidden panes, the
// hot spot's collapse and restore, percentages on resize and the vetoed change.
#include <climits>

#include "UiSplitter.h"
#include "form_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class SplitterTest : public FormTest {
protected:
    TUiSplitter* MakeSplitter() {
        auto* splitter = Add<TUiSplitter>(10, 10, 300, 120);
        Application->ProcessMessages();
        return splitter;
    }
    void Send(TUiSplitter* s, UINT msg, WPARAM keys, int x, int y) {
        SendMessageA(s->WindowHandle(), msg, keys, MAKELPARAM(x, y));
    }
    // Presses on the bar's middle, moves by dx and releases there.
    void Drag(TUiSplitter* s, int dx) {
        const int x = s->Position() + 1, y = 20;
        Send(s, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        Send(s, WM_MOUSEMOVE, MK_LBUTTON, x + dx, y);
        Send(s, WM_LBUTTONUP, 0, x + dx, y);
    }
    void ClickHotSpot(TUiSplitter* s) {
        const TRect r = s->HotSpotRect();
        const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
        Send(s, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        Send(s, WM_LBUTTONUP, 0, x, y);
    }
};

TEST_F(SplitterTest, DragsMoveTheBarWithinTheMargins) {
    const struct {
        bool realTime;
        int marginMin, marginMax, dx, position;
    } cases[] = {
        {false, 0, 0, 30, 130},  {true, 0, 0, -40, 60},
        {false, 20, 0, -500, 20}, {false, 0, 30, 500, 300 - 30 - 4},
        {true, 0, 0, 5000, 296},  {false, 0, 0, -5000, 0},
    };
    for (const auto& c : cases) {
        auto* s = MakeSplitter();
        s->SetRealTimeDrag(c.realTime);
        s->SetMarginMin(c.marginMin);
        s->SetMarginMax(c.marginMax);
        Drag(s, c.dx);
        EXPECT_EQ(s->Position(), c.position) << c.dx;
        EXPECT_EQ(s->UpperLeft()->Width(), c.position);
        EXPECT_EQ(s->LowerRight()->Left(), c.position + 4);
        EXPECT_EQ(s->LowerRight()->Width(), 300 - c.position - 4);
        EXPECT_FALSE(s->Dragging());
        s->Free();
    }
}

TEST_F(SplitterTest, PositionsAreClampedToPaneSizesAlsoWithAPaneHidden) {
    auto* s = MakeSplitter();
    s->SetMarginMin(20);
    s->SetMarginMax(10);
    s->SetPosition(INT_MAX);
    EXPECT_EQ(s->Position(), 300 - 10 - 4);
    s->SetPosition(-50);
    EXPECT_EQ(s->Position(), 20);
    s->LowerRight()->Hide();
    EXPECT_EQ(s->UpperLeft()->BoundsRect(), TRect(0, 0, 300, 120));
    EXPECT_EQ(s->BarRect().Width(), 0);
    s->SetPosition(5);  // the margins do not hold with one pane
    EXPECT_EQ(s->Position(), 5);
    s->SetPosition(-50);
    EXPECT_EQ(s->Position(), 0);
    s->SetPosition(INT_MAX);
    EXPECT_EQ(s->Position(), 296);
    s->LowerRight()->Show();
    s->UpperLeft()->Hide();
    EXPECT_EQ(s->LowerRight()->BoundsRect(), TRect(0, 0, 300, 120));
}

TEST_F(SplitterTest, HotSpotCollapsesIgnoringMarginsAndRestores) {
    const struct {
        THotSpotDirection direction;
        bool ignoreMargins;
        int collapsed;
    } cases[] = {{hsdMin, true, 0}, {hsdMin, false, 20}, {hsdMax, true, 293}};
    for (const auto& c : cases) {
        auto* s = MakeSplitter();
        s->SetHotSpotVisible(true);
        EXPECT_EQ(s->SplitterWidth(), 7);
        s->SetMarginMin(20);
        s->SetHotSpotDirection(c.direction);
        s->SetHotSpotIgnoreMargins(c.ignoreMargins);
        int clicks = 0;
        s->OnHotSpotClick = [&](TObject*) { ++clicks; };
        ClickHotSpot(s);
        EXPECT_TRUE(s->HotSpotClosed());
        EXPECT_EQ(s->Position(), c.collapsed);
        ClickHotSpot(s);
        EXPECT_FALSE(s->HotSpotClosed());
        EXPECT_EQ(s->Position(), 100);
        EXPECT_EQ(clicks, 2);
        s->Free();
    }
}

TEST_F(SplitterTest, HotSpotPressThenMoveDragsInstead) {
    auto* s = MakeSplitter();
    s->SetHotSpotVisible(true);
    const TRect r = s->HotSpotRect();
    const int x = r.Left + 2, y = (r.Top + r.Bottom) / 2;
    Send(s, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    Send(s, WM_MOUSEMOVE, MK_LBUTTON, x + 25, y);
    Send(s, WM_LBUTTONUP, 0, x + 25, y);
    EXPECT_FALSE(s->HotSpotClosed());
    EXPECT_EQ(s->Position(), 125);
}

TEST_F(SplitterTest, VetoAndEscapeLeaveThePosition) {
    auto* s = MakeSplitter();
    s->OnChanging = [](TObject*, int, bool& allow) { allow = false; };
    Drag(s, 40);
    EXPECT_EQ(s->Position(), 100);
    s->OnChanging = nullptr;
    Send(s, WM_LBUTTONDOWN, MK_LBUTTON, 101, 20);
    Send(s, WM_MOUSEMOVE, MK_LBUTTON, 141, 20);
    SendMessageA(s->WindowHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(s->Dragging());
    Send(s, WM_LBUTTONUP, 0, 141, 20);
    EXPECT_EQ(s->Position(), 100);
}

TEST_F(SplitterTest, PercentHoldsOnResizeAndFixedPaneKeepsItsSize) {
    auto* s = MakeSplitter();
    s->SetSplitterWidth(7);
    s->SetPercent(50);
    s->SetUsePercent(true);
    s->SetWidth(201);
    EXPECT_EQ(s->Position(), 99);
    s->SetUsePercent(false);
    s->SetFixedPane(fpLowerRight);
    s->SetWidth(301);
    EXPECT_EQ(s->Width() - s->Position(), 201 - 99);
    s->SetSplitterStyle(ssBump);
    EXPECT_EQ(s->SplitterWidth(), 7);
    s->SetSplitterWidth(4);
    s->SetSplitterStyle(ssGroove);
    EXPECT_EQ(s->SplitterWidth(), 6);
}

}  // namespace
