// Status bar: proportional pane rescaling, simple-status mode, and the size grip's drawing and
// its press that starts sizing the form from the bottom-right corner.
#include <vector>

#include "../controls_buttons/form_fixture.h"
#include "UiSpacer.h"
#include "UiStatusBar.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class StatusBarTest : public FormTest {
protected:
    TUiStatusBar* AddBar(int width, const std::vector<int>& paneWidths) {
        bar = new TUiStatusBar(form);
        bar->SetParent(form);
        bar->SetAlign(alNone);
        bar->SetBounds(0, 100, width, 19);
        for (int w : paneWidths) {
            auto* pane = new TUiSpacer(form);
            pane->SetBounds(1000, 0, w, 19);
            pane->SetParent(bar);
            pane->SetAlign(alLeft);
            panes.push_back(pane);
        }
        return bar;
    }
    // Records the system commands the form receives and keeps them from running.
    void CatchSystemCommands() {
        auto previous = form->WindowProc;
        form->WindowProc = [this, previous](TMessage& message) {
            if (message.Msg == WM_SYSCOMMAND) {
                commands.push_back(message.WParam);
                return;
            }
            previous(message);
        };
    }
    void PressAt(int x, int y) {
        SendMessageA(bar->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(bar->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    TUiStatusBar* bar = nullptr;
    std::vector<TControl*> panes;
    std::vector<WPARAM> commands;
};

TEST_F(StatusBarTest, PanesGrowAndShrinkWithTheBar) {
    const struct {
        const char* name;
        int from, to;
        std::vector<int> before, after;
    } cases[] = {
        {"widened", 600, 660, {200, 100}, {220, 110}},
        {"narrowed", 600, 300, {200, 100}, {100, 50}},
        {"half rounds to even", 600, 601, {300, 100}, {300, 100}},
        {"one and a half rounds to even", 600, 603, {300, 100}, {302, 100}},
        {"from no width nothing changes", 0, 600, {200, 100}, {200, 100}},
    };
    form->SetWidth(800);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AddBar(c.from, c.before);
        bar->SetAutoScalePanes(true);
        bar->SetWidth(c.to);
        for (size_t i = 0; i < panes.size(); ++i) EXPECT_EQ(panes[i]->Width(), c.after[i]) << i;
        bar->Free();
        panes.clear();
    }
}

TEST_F(StatusBarTest, WithoutAutoScaleThePanesKeepTheirWidths) {
    AddBar(600, {200, 100});
    bar->SetWidth(660);
    EXPECT_EQ(panes[0]->Width(), 200);
    EXPECT_EQ(panes[1]->Width(), 100);
}

TEST_F(StatusBarTest, SimpleStatusHidesEveryPaneAndShowsThemAllAgain) {
    AddBar(400, {100, 100, 100});
    panes[2]->SetVisible(false);
    bar->SetSimpleStatus(true);
    for (TControl* pane : panes) EXPECT_FALSE(pane->Visible());
    bar->SetSimpleStatus(false);
    for (TControl* pane : panes) EXPECT_TRUE(pane->Visible());
}

TEST_F(StatusBarTest, SimpleStatusDrawsItsFrameAndCaption) {
    AddBar(400, {100});
    bar->SetVisualStyle(vsClassic);
    bar->SetColor(clWhite);
    bar->Font()->SetColor(clRed);
    bar->SetSimpleStatus(true);
    Snapshot empty(form);
    TRect r = bar->GetClientRect();
    r.Bottom -= 1;
    const TRect inside(r.Left + 1, 100 + r.Top + 1, r.Right - 1, 100 + r.Bottom - 1);
    // The flat frame leaves its corners open.
    EXPECT_EQ(empty.At(r.Left, 100 + r.Top + 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(empty.At(r.Left + 5, 100 + r.Top), ColorToRGB(clBtnShadow));
    EXPECT_EQ(empty.At(r.Left, 100 + r.Top), clWhite);
    EXPECT_EQ(empty.Count(inside, clRed), 0);

    bar->SetSimpleCaption("Reading");
    Snapshot text(form);
    EXPECT_GT(text.Count(inside, clRed), 20);
}

TEST_F(StatusBarTest, GripStartsSizingOnlyOnASizeableRestoredForm) {
    AddBar(400, {100});
    CatchSystemCommands();
    PressAt(395, 10);
    PressAt(300, 10);
    EXPECT_EQ(commands, (std::vector<WPARAM>{0xF008}));

    commands.clear();
    bar->SetShowSizeGrip(false);
    PressAt(395, 10);
    bar->SetShowSizeGrip(true);
    ShowWindow(form->WindowHandle(), SW_MAXIMIZE);
    Application->ProcessMessages();
    bar->Repaint();
    PressAt(395, 10);
    ShowWindow(form->WindowHandle(), SW_RESTORE);
    form->SetBorderStyle(bsDialog);
    Application->ProcessMessages();
    bar->Repaint();
    PressAt(395, 10);
    EXPECT_TRUE(commands.empty());
}

TEST_F(StatusBarTest, GripDotsInLightAndDarkColours) {
    AddBar(400, {100});
    bar->SetVisualStyle(vsClassic);
    bar->SetColor(clWhite);
    Snapshot shot(form);
    TRect r = bar->GetClientRect();
    r.Bottom -= 1;
    const int x = r.Right - 1, y = 100 + r.Bottom;
    const TColor light = ColorToRGB(clBtnHighlight), dark = ColorToRGB(clBtnShadow);
    const int corners[][2] = {{4, 12}, {4, 8}, {4, 4}, {8, 8}, {8, 4}, {12, 4}};
    for (const auto& c : corners) {
        // Each dark square lies one pixel up and left of its light square.
        EXPECT_EQ(shot.At(x - c[0] + 1, y - c[1] + 1), light) << c[0] << "," << c[1];
        EXPECT_EQ(shot.At(x - c[0] - 1, y - c[1] - 1), dark) << c[0] << "," << c[1];
    }
    bar->SetShowSizeGrip(false);
    Snapshot none(form);
    EXPECT_EQ(none.At(x - 4, y - 4), clWhite);
}

}  // namespace
