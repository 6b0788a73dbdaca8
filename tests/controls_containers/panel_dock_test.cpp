// The panel dock manager: a framed panel that is a docking site leaves 14-pixel grabbers on the
// side its alignment gives, draws them as caption bars (or the standard grabbers when captions
// are off), repaints on activation and keeps its own window procedure at design time.
#include "UiPanel.h"
#include "UiPanelDockManager.h"
#include "cl_extctrls.h"
#include "form_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class PanelDockTest : public FormTest {
protected:
    TUiPanel* AddSite(TAlign align) {
        auto* site = Add<TUiPanel>(0, 0, 200, 120);
        site->SetBorderOuter(fsNone);
        site->SetAlign(align);
        site->SetDockSite(true);
        return site;
    }
    TPanel* AddClient(const char* caption) {
        auto* client = Add<TPanel>(250, 200, 60, 40);
        client->SetCaption(caption);
        return client;
    }
    static TUiPanelDockManager* Manager(TUiPanel* site) {
        return dynamic_cast<TUiPanelDockManager*>(site->DockManager());
    }
};

TEST_F(PanelDockTest, GrabbersTakeFourteenPixelsOnTheAlignedSide) {
    const struct {
        TAlign align;
        TRect bounds;  // of the one docked client, in the site's client area
    } cases[] = {{alTop, {14, 0, 0, 0}}, {alLeft, {0, 14, 0, 0}}, {alNone, {0, 14, 0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        TUiPanel* site = AddSite(c.align);
        ASSERT_NE(Manager(site), nullptr);
        EXPECT_EQ(Manager(site)->GrabberSize(), 14);
        TPanel* client = AddClient("Notes");
        ASSERT_TRUE(client->ManualDock(site));
        EXPECT_EQ(client->Left(), c.bounds.Left);
        EXPECT_EQ(client->Top(), c.bounds.Top);
        EXPECT_EQ(client->BoundsRect().Right, site->ClientWidth());
        EXPECT_EQ(client->BoundsRect().Bottom, site->ClientHeight());
        client->Free();
        site->Free();
    }
}

TEST_F(PanelDockTest, GrabberIsACaptionBarOnlyWithDockClientCaptions) {
    form->SetColor(clWhite);
    TUiPanel* site = AddSite(alNone);
    site->SetBounds(0, 0, 200, 120);
    site->SetColor(clWhite);
    site->SetVisualStyle(vsClassic);
    TPanel* client = AddClient("Notes");
    ASSERT_TRUE(client->ManualDock(site));
    Application->ProcessMessages();
    // The docked panel is windowed and not focused: inactive caption colours.
    const TColor bar = ColorToRGB(clInactiveCaption);
    Snapshot withCaptions(form);
    EXPECT_GT(withCaptions.Count(TRect(0, 0, 200, 14), bar), 150 * 10);
    // The close glyph sits at the right end of the bar.
    EXPECT_LT(withCaptions.Count(TRect(200 - 15, 1, 200 - 2, 12), bar), 13 * 11);

    site->SetShowDockClientCaptions(false);
    site->Invalidate();
    Application->ProcessMessages();
    Snapshot standard(form);
    EXPECT_LT(standard.Count(TRect(0, 0, 200, 14), bar), 100);
    EXPECT_EQ(client->Top(), 14);
}

// At design time the site keeps its own window procedure, so activation repaints nothing.
TEST_F(PanelDockTest, ActivationRepaintsOnlyARunningSite) {
    for (bool designing : {false, true}) {
        SCOPED_TRACE(designing);
        auto* site = new TUiPanel(form);
        if (designing) site->IncludeState(csDesigning);
        site->SetParent(form);
        site->SetBounds(0, 0, 100, 50);
        site->SetDockSite(true);
        ASSERT_NE(Manager(site), nullptr);
        Application->ProcessMessages();
        ValidateRect(site->Handle(), nullptr);
        site->Perform(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form->Handle()),
                      MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        RECT update;
        EXPECT_EQ(GetUpdateRect(site->Handle(), &update, FALSE) != FALSE, !designing);
        site->Free();
    }
}

TEST(PanelDockManager, RefusesASiteThatIsNoFramedPanel) {
    TOwnedPtr<TForm> form(new TForm(nullptr));
    TPanel* plain = new TPanel(form.get());
    EXPECT_THROW(TUiPanelDockManager manager(plain), EInvalidCast);
}

}  // namespace
