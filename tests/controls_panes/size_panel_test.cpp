// Size panel: bar drags on every edge through real mouse messages, limits from the margins
// and the parent's working area, the hot spot's collapse and restore, and docked controls kept
// clear of the bar.
#include <cmath>

#include "UiSizePanel.h"
#include "cl_extctrls.h"
#include "cl_stdctrls.h"
#include "form_fixture.h"
#include "stream_checks.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class SizePanelTest : public FormTest {
protected:
    TUiSizePanel* MakePanel(TAlign align, int size = 150) {
        auto* panel = new TUiSizePanel(form);
        panel->SetParent(form);
        panel->SetAlign(align);
        if (align == alTop || align == alBottom)
            panel->SetHeight(size);
        else
            panel->SetWidth(size);
        Application->ProcessMessages();
        return panel;
    }
    void Send(TControl* c, UINT msg, WPARAM keys, TPoint p) {
        SendMessageA(static_cast<TWinControl*>(c)->WindowHandle(), msg, keys, MAKELPARAM(p.X, p.Y));
    }
    static TPoint Middle(const TRect& r) {
        return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    // Presses on the bar (away from the hot spot), moves by (dx, dy) and releases there.
    void Drag(TUiSizePanel* p, int dx, int dy) {
        const TRect bar = p->GetSizeBarRect();
        const TPoint start = p->HotSpotTopBottom() ? TPoint(bar.Left + 5, Middle(bar).Y)
                                                   : TPoint(Middle(bar).X, bar.Top + 5);
        const TPoint end(start.X + dx, start.Y + dy);
        Send(p, WM_LBUTTONDOWN, MK_LBUTTON, start);
        Send(p, WM_MOUSEMOVE, MK_LBUTTON, end);
        Send(p, WM_LBUTTONUP, 0, end);
    }
    void ClickHotSpot(TUiSizePanel* p) {
        p->GetSizeBarRect();
        const TPoint point = Middle(p->HotSpotRect());
        Send(p, WM_LBUTTONDOWN, MK_LBUTTON, point);
        Send(p, WM_LBUTTONUP, 0, point);
    }
    static int Size(TUiSizePanel* p) { return p->HotSpotTopBottom() ? p->Height() : p->Width(); }
};

TEST_F(SizePanelTest, DragsResizeFromEveryEdge) {
    const struct {
        TAlign align;
        bool realTime;
        int dx, dy, size;
    } cases[] = {
        {alLeft, false, 30, 0, 180},   {alLeft, true, 30, 0, 181},    {alLeft, false, -40, 0, 110},
        {alRight, false, -30, 0, 180}, {alRight, true, -30, 0, 179},  {alRight, false, 25, 0, 125},
        {alTop, false, 0, 20, 120},
        {alTop, true, 0, 20, 121},     {alBottom, false, 0, -20, 120}, {alBottom, false, 0, 10, 90},
    };
    for (const auto& c : cases) {
        auto* p = MakePanel(c.align, c.align == alTop || c.align == alBottom ? 100 : 150);
        p->SetRealTimeDrag(c.realTime);
        Drag(p, c.dx, c.dy);
        EXPECT_EQ(Size(p), c.size) << c.align << " " << c.realTime << " " << c.dx + c.dy;
        EXPECT_FALSE(p->Dragging());
        if (c.align == alRight) {
            EXPECT_EQ(p->Left() + p->Width(), form->ClientWidth());
        }
        if (c.align == alBottom) {
            EXPECT_EQ(p->Top() + p->Height(), form->ClientHeight());
        }
        p->Free();
    }
}

TEST_F(SizePanelTest, MarginsAndTheWorkingAreaLimitTheDrag) {
    auto* other = MakePanel(alRight, 100);
    auto* p = MakePanel(alLeft, 150);
    p->SetHotSpotVisible(true);
    EXPECT_EQ(p->SizeBarWidth(), 7);
    p->SetMarginMin(20);
    Drag(p, -500, 0);
    EXPECT_EQ(p->Width(), 28);
    p->SetMarginMax(30);
    Drag(p, 1000, 0);
    EXPECT_EQ(p->Width(), form->ClientWidth() - other->Width() - 30);
    p->SetMarginMin(5000);
    EXPECT_EQ(p->MarginMin(), form->ClientWidth() - other->Width() - 30);
    p->SetMarginMin(-4);
    EXPECT_EQ(p->MarginMin(), 0);
    auto* orphan = new TUiSizePanel(form);
    try {
        orphan->SetMarginMin(10);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "No parent specified");
    }
}

TEST_F(SizePanelTest, ParentShrunkBelowTheMarginsLeavesNoNegativeSize) {
    auto* box = new TPanel(form);
    box->SetParent(form);
    box->SetBounds(0, 0, 200, 200);
    auto* p = new TUiSizePanel(form);
    p->SetParent(box);
    p->SetWidth(100);
    p->SetMarginMax(50);
    box->SetWidth(30);
    for (int position : {500, -500, 10}) {
        p->CheckPosition(position);
        EXPECT_EQ(position, 0);
    }
}

TEST_F(SizePanelTest, FreeStandingControlsCountOnThePanelsSide) {
    auto* p = MakePanel(alNone, 150);
    p->SetBounds(200, 0, 150, 200);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 60, 25);
    MakePanel(alTop, 30);
    for (TSide side : {sdLeft, sdRight, sdTop, sdBottom}) {
        p->SetSide(side);
        const TRect wr = p->GetParentWorkingRect();
        const TRect client = form->ClientRect();
        EXPECT_EQ(wr.Left, side == sdLeft ? 60 : 0) << side;
        EXPECT_EQ(wr.Right, client.Right - (side == sdRight ? 60 : 0)) << side;
        EXPECT_EQ(wr.Top, 30 + (side == sdTop ? 25 : 0)) << side;
        EXPECT_EQ(wr.Bottom, client.Bottom - (side == sdBottom ? 25 : 0)) << side;
    }
}

TEST_F(SizePanelTest, HotSpotCollapsesWithOrWithoutMarginsAndRestores) {
    const struct {
        TAlign align;
        bool ignoreMargins;
        int collapsed;
    } cases[] = {{alLeft, true, 8}, {alLeft, false, 28}, {alBottom, false, 28}, {alRight, true, 8}};
    for (const auto& c : cases) {
        auto* p = MakePanel(c.align, 150);
        p->SetHotSpotVisible(true);
        p->SetMarginMin(20);
        p->SetHotSpotIgnoreMargins(c.ignoreMargins);
        int clicks = 0;
        p->OnHotSpotClick = [&](TObject*) { ++clicks; };
        ClickHotSpot(p);
        EXPECT_TRUE(p->HotSpotClosed());
        EXPECT_EQ(Size(p), c.collapsed) << c.align;
        EXPECT_EQ(p->HotSpotPosition(), 150);
        ClickHotSpot(p);
        EXPECT_FALSE(p->HotSpotClosed());
        EXPECT_EQ(Size(p), 150);
        EXPECT_EQ(clicks, 2);
        p->CloseHotSpot();
        EXPECT_EQ(Size(p), 28) << "CloseHotSpot keeps the margin";
        Drag(p, c.align == alRight ? -10 : 10, c.align == alBottom ? -10 : 0);
        EXPECT_FALSE(p->HotSpotClosed()) << "growing opens it";
        p->SetHotSpotVisible(false);
        p->CloseHotSpot();
        p->SetHotSpotVisible(true);
        p->SetHotSpotVisible(false);
        EXPECT_FALSE(p->HotSpotClosed());
        p->Free();
    }
}

TEST_F(SizePanelTest, LockedBarOnlyAnswersTheHotSpotAndEscapeKeepsTheSize) {
    auto* p = MakePanel(alLeft, 150);
    p->SetHotSpotVisible(true);
    p->SetLockBar(true);
    Drag(p, 40, 0);
    EXPECT_EQ(p->Width(), 150);
    ClickHotSpot(p);
    EXPECT_TRUE(p->HotSpotClosed());
    ClickHotSpot(p);
    p->SetLockBar(false);
    const TRect bar = p->GetSizeBarRect();
    const TPoint start(Middle(bar).X, bar.Top + 5);
    Send(p, WM_LBUTTONDOWN, MK_LBUTTON, start);
    Send(p, WM_MOUSEMOVE, MK_LBUTTON, TPoint(start.X + 40, start.Y));
    SendMessageA(p->WindowHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(p->Dragging());
    Send(p, WM_LBUTTONUP, 0, TPoint(start.X + 40, start.Y));
    EXPECT_EQ(p->Width(), 150);
}

TEST_F(SizePanelTest, BarAndHotSpotAreDrawnOnTheInnerEdge) {
    auto* p = MakePanel(alTop, 80);
    p->SetHotSpotVisible(true);
    THotSpotLook look;
    look.color = clYellow;
    look.frameColor = clRed;
    look.dotColor = clBlue;
    p->SetHotSpotColors(look);
    EXPECT_EQ(p->GetSizeBarRect(), TRect(0, 73, p->Width(), 80));
    EXPECT_EQ(p->ClientRect().Bottom, 80 - 8);
    const TRect spot = p->HotSpotRect();
    EXPECT_EQ(spot.Top, 73);
    EXPECT_EQ(spot.Width(), 2 * (static_cast<int>(std::nearbyint(0.4 * p->Width())) / 2));
    EXPECT_EQ(spot.Left + spot.Right, p->Width() / 2 * 2);
    Application->ProcessMessages();
    Snapshot shot(form);
    EXPECT_GT(shot.Count(spot, clYellow), 20);
    EXPECT_GT(shot.Count(spot, clRed), 2 * spot.Width());
    EXPECT_GT(shot.Count(spot, clBlue), 10);
    EXPECT_EQ(shot.Count(TRect(0, 0, p->Width(), 70), clYellow), 0);
}

TEST_F(SizePanelTest, DockedControlsStayClearOfTheBar) {
    auto* p = MakePanel(alRight, 150);
    p->SetDockSite(true);
    p->SetUseDockManager(true);
    ASSERT_NE(dynamic_cast<TUiSizePanelDockManager*>(p->DockManager()), nullptr);
    EXPECT_TRUE(p->DoubleBuffered());
    EXPECT_EQ(p->GetSizeBarRect(), TRect(0, 0, 5, p->Height())) << "one more pixel as a site";
    auto* docked = new TPanel(form);
    docked->SetParent(form);
    docked->SetBounds(10, 10, 60, 60);
    docked->ManualDock(p);
    Application->ProcessMessages();
    EXPECT_EQ(docked->Parent(), p);
    EXPECT_GE(docked->Left(), 5);
    EXPECT_LE(docked->Left() + docked->Width(), p->Width());
    TRect dockRect;
    p->DockManager()->PositionDockRect(docked, nullptr, alClient, dockRect);
    TRect plain;
    static_cast<TDockTree*>(p->DockManager())->TDockTree::PositionDockRect(docked, nullptr, alClient,
                                                                          plain);
    EXPECT_EQ(dockRect.Left, plain.Left + 4);
    Snapshot shot(form);
    const TPoint onBar(p->Left() + 2, p->Top() + p->Height() / 2);
    EXPECT_EQ(shot.At(onBar.X, onBar.Y), ColorToRGB(p->Color()));
}

// Every published property, the hot-spot colours and a collapsed state come back from a
// written form; a new panel writes no default.
TEST_F(SizePanelTest, SettingsAndTheCollapsedStateSurviveAFormStream) {
    RegisterClass(TUiSizePanel::StaticClass());
    ExpectDefaultsNotWritten(MakePanel(alLeft));
    auto* p = MakePanel(alTop, 120);
    p->SetName("Tray");
    p->SetSide(sdBottom);
    p->SetSizeBarWidth(9);
    p->SetSizeBarStyle(ssGroove);
    p->SetMarginMin(3);
    p->SetMarginMax(20);
    p->SetLockBar(true);
    p->SetRealTimeDrag(true);
    p->SetHotSpotVisible(true);
    p->SetHotSpotIgnoreMargins(true);
    p->SetHotSpotSizePercent(60);
    p->SetHotSpotColors({clYellow, clAqua, clNavy, clRed});
    p->SetGradientColorAdjustment(-10);
    p->SetGradientPath(gpBottomToTop);
    p->SetBorderOuter(fsFlat);
    p->SetGridStyle(gsDottedLines);
    p->CloseHotSpot();
    auto* other = MakePanel(alNone);
    other->SetName("Loose");
    TForm* copy = CopyOfForm(form);
    for (const char* name : {"Tray", "Loose"}) {
        TComponent* twin = copy->FindComponent(name);
        ASSERT_NE(twin, nullptr) << name;
        ExpectSameProperties(form->FindComponent(name), twin);
    }
    auto* tray = static_cast<TUiSizePanel*>(copy->FindComponent("Tray"));
    EXPECT_TRUE(tray->HotSpotClosed());
    EXPECT_EQ(tray->HotSpotPosition(), 120);
    EXPECT_EQ(tray->Height(), p->Height());
    EXPECT_EQ(tray->HotSpotLook().frameColor, clNavy);
    copy->Free();
}

}  // namespace
