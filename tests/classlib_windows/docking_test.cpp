// Docking: controls docked on panel sites laid out by the dock tree with their grabbers, a
// dock manager of a site's own, dock placement, the site events and vetoes, undocking to
// another site or to a floating window, the close box and the notifications of a docked
// control.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cl_docking.h"
#include "cl_extctrls.h"
#include "test_controls.h"

namespace {

class DockingEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!Application->Handle()) Application->Initialize();
    }
};
const auto* environment = ::testing::AddGlobalTestEnvironment(new DockingEnvironment);

// A dock manager with wider grabbers that records the frames it paints.
class TWideGrabberTree : public TDockTree {
public:
    explicit TWideGrabberTree(TWinControl* site) : TDockTree(site) { grabberSize_ = 14; }
    std::vector<TRect> Frames;
    void PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect) override {
        Frames.push_back(rect);
        TDockTree::PaintDockFrame(canvas, control, rect);
    }
};

// A panel site with that manager, recording what reaches it.
class TSitePanel : public TPanel {
public:
    using TPanel::TPanel;
    bool OwnManager = false;
    std::vector<std::string> Notices;
    std::vector<TWinControl*> UndockTargets;
    TWideGrabberTree* Tree() const { return dynamic_cast<TWideGrabberTree*>(DockManager()); }

    void Dispatch(TMessage& message) override {
        if (message.Msg == CM_DOCKNOTIFICATION) {
            const auto* change = reinterpret_cast<const TMessage*>(message.LParam);
            Notices.push_back(change->Msg == WM_SETTEXT
                                  ? "text " + std::string(reinterpret_cast<const char*>(change->LParam))
                                  : "visible " + std::to_string(change->WParam));
        }
        if (message.Msg == CM_UNDOCKCLIENT)
            UndockTargets.push_back(reinterpret_cast<TWinControl*>(message.WParam));
        TPanel::Dispatch(message);
    }

protected:
    IDockManager* CreateDockManager() override {
        if (OwnManager && !DockManager()) return new TWideGrabberTree(this);
        return TPanel::CreateDockManager();
    }
};

class DockingTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = new TComponent(nullptr);
        form = new TForm(owner);
        form->SetBounds(80, 80, 420, 320);
        top = MakeSite(alTop, 100, false);
        side = MakeSite(alLeft, 150, true);
        first = PlaceControl<TTestEdit>(owner, form, "First", 200, 200, 60, 21);
        second = PlaceControl<TTestEdit>(owner, form, "Second", 200, 240, 60, 21);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        TObject::Free(owner);
        Application->ProcessMessages();
    }
    TSitePanel* MakeSite(TAlign align, int size, bool ownManager) {
        auto* site = PlaceControl<TSitePanel>(owner, form, "", 0, 0, size, size);
        site->SetBevelOuter(bvNone);
        site->OwnManager = ownManager;
        site->SetAlign(align);
        site->SetDockSite(true);
        return site;
    }

    TComponent* owner = nullptr;
    TForm* form = nullptr;
    TSitePanel* top = nullptr;
    TSitePanel* side = nullptr;
    TTestEdit* first = nullptr;
    TTestEdit* second = nullptr;
};

TEST_F(DockingTest, DockedControlsShareTheSiteWithTheirGrabbers) {
    ASSERT_NE(top->DockManager(), nullptr);
    EXPECT_TRUE(top->DoubleBuffered());
    ASSERT_TRUE(first->ManualDock(top));
    EXPECT_EQ(first->HostDockSite(), top);
    EXPECT_EQ(first->Parent(), top);
    // The whole client area less the grabber on the left.
    EXPECT_EQ(first->BoundsRect(), Rect(12, 0, top->ClientWidth(), 100));
    ASSERT_TRUE(second->ManualDock(top, first, alLeft));
    const int half = top->ClientWidth() / 2;
    EXPECT_EQ(second->BoundsRect(), Rect(12, 0, half, 100));
    EXPECT_EQ(first->BoundsRect(), Rect(half + 12, 0, top->ClientWidth(), 100));
    EXPECT_EQ(top->DockClientCount(), 2);
    // Where a third control would go to the right of the first: that zone's right half.
    TRect dockRect;
    top->DockManager()->PositionDockRect(nullptr, first, alRight, dockRect);
    const TPoint origin = top->ClientToScreen({0, 0});
    EXPECT_EQ(dockRect, Rect(origin.X + (half + top->ClientWidth()) / 2, origin.Y,
                             origin.X + top->ClientWidth(), origin.Y + 100));
}

TEST_F(DockingTest, ASiteOfItsOwnStacksWithItsGrabberSizeAndPaintsTheFrames) {
    ASSERT_NE(side->Tree(), nullptr);
    ASSERT_TRUE(first->ManualDock(side));
    ASSERT_TRUE(second->ManualDock(side));
    const int height = side->ClientHeight();
    EXPECT_EQ(first->BoundsRect(), Rect(0, 14, 150, height / 2));
    EXPECT_EQ(second->BoundsRect(), Rect(0, height / 2 + 14, 150, height));
    side->Tree()->Frames.clear();
    side->Invalidate();
    ASSERT_TRUE(PumpUntil([&] { return side->Tree()->Frames.size() >= 2; }));
    EXPECT_EQ(side->Tree()->Frames[0], Rect(0, 0, 150, height / 2));
    EXPECT_EQ(side->Tree()->Frames[1], Rect(0, height / 2, 150, height));
}

TEST_F(DockingTest, SiteEventsDecideAndTheOldSiteLetsGo) {
    std::vector<std::string> events;
    side->OnGetSiteInfo = [&](TObject*, TControl* client, TRect&, TPoint, bool& canDock) {
        events.push_back("site info");
        canDock = client->Caption() != "refused";
    };
    side->OnDockOver = [&](TObject*, TDragDockObject*, int, int, TDragState, bool&) {
        events.push_back("over");
    };
    side->OnDockDrop = [&](TObject*, TDragDockObject* source, int, int) {
        events.push_back("drop " + source->Control->Name().str());
    };
    ASSERT_TRUE(first->ManualDock(top));
    top->OnUnDock = [&](TObject*, TControl*, TWinControl*, bool& allow) { allow = false; };
    EXPECT_FALSE(first->ManualDock(side));
    EXPECT_EQ(first->HostDockSite(), top);
    top->OnUnDock = nullptr;
    ASSERT_TRUE(first->ManualDock(side));
    EXPECT_EQ(first->Parent(), side);
    EXPECT_EQ(top->DockClientCount(), 0);
    EXPECT_EQ(top->UndockTargets, (std::vector<TWinControl*>{side}));
    EXPECT_EQ(events, (std::vector<std::string>{"site info", "over", "site info", "over",
                                                "drop First"}));
    second->SetCaption("refused");
    EXPECT_FALSE(second->ManualDock(side));
    EXPECT_EQ(second->HostDockSite(), nullptr);
}

TEST_F(DockingTest, AControlFloatsInAWindowOfItsOwnAndComesBack) {
    ASSERT_TRUE(first->ManualDock(top));
    ASSERT_TRUE(first->ManualFloat(Rect(500, 300, 620, 360)));
    EXPECT_TRUE(first->Floating());
    TWinControl* host = first->HostDockSite();
    ASSERT_NE(host, nullptr);
    EXPECT_TRUE(host->InheritsFrom(TFloatingDockForm::StaticClass()));
    EXPECT_EQ(first->Parent(), host);
    EXPECT_EQ(first->Align(), alClient);
    EXPECT_EQ(host->ClientWidth(), 120);
    EXPECT_EQ(top->DockClientCount(), 0);
    // Docking it back releases the floating window.
    bool freed = false;
    auto* watcher = new TComponent(owner);
    struct TWatch : TComponent {
        using TComponent::TComponent;
        bool* flag = nullptr;
        void Notification(TComponent* c, TOperation op) override {
            TComponent::Notification(c, op);
            if (op == opRemove && c->InheritsFrom(TFloatingDockForm::StaticClass())) *flag = true;
        }
    };
    auto* watch = new TWatch(watcher);
    watch->flag = &freed;
    host->FreeNotification(watch);
    ASSERT_TRUE(first->ManualDock(top));
    EXPECT_FALSE(first->Floating());
    ASSERT_TRUE(PumpUntil([&] { return freed; }));
}

TEST_F(DockingTest, TheCloseBoxHidesAndDockedControlsTellTheirSite) {
    ASSERT_TRUE(first->ManualDock(top));
    ASSERT_TRUE(second->ManualDock(top));
    first->SetCaption("Renamed");
    EXPECT_EQ(top->Notices, (std::vector<std::string>{"text Renamed"}));
    auto* tree = dynamic_cast<TDockTree*>(top->DockManager());
    ASSERT_NE(tree, nullptr);
    const TRect close = tree->CloseBox(second);
    EXPECT_EQ(tree->GrabberAt({close.Left + 2, close.Top + 2}), second);
    PostClick(top->Handle(), (close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return !second->Visible(); }));
    EXPECT_EQ(top->Notices.back(), "visible 0");
    EXPECT_EQ(first->BoundsRect(), Rect(12, 0, top->ClientWidth(), 100));
}

}  // namespace
