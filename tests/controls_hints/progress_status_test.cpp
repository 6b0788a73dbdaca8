// Progress bar in a status bar: the classic look there, and the size grip's pixels answered by
// the status bar.
#include "UiProgressBar.h"
#include "UiStatusBar.h"
#include "form_fixture.h"

namespace {

// A status bar with a size grip at its right end; it remembers the point it was asked about.
class TGripStatusBar : public TUiStatusBar {
    CL_COMPONENT_CLASS(TGripStatusBar, TUiStatusBar)

    explicit TGripStatusBar(TComponent* owner) : TUiStatusBar(owner) {}
    void Dispatch(TMessage& message) override {
        if (message.Msg != WM_NCHITTEST) return TUiStatusBar::Dispatch(message);
        asked = message.Pos();
        message.Result = HTBOTTOMRIGHT;
    }
    TPoint asked;

protected:
    ~TGripStatusBar() override = default;
};

class ProgressStatusTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        statusBar = new TGripStatusBar(form);
        statusBar->SetParent(form);
        statusBar->SetHeight(30);
        bar = new TUiProgressBar(form);
        bar->SetParent(statusBar);
        bar->SetBounds(200, 2, 150, 26);
    }
    TGripStatusBar* statusBar = nullptr;
    TUiProgressBar* bar = nullptr;
};

TEST_F(ProgressStatusTest, SizeGripPixelsAreAnsweredByTheStatusBar) {
    const struct {
        int x;
        LRESULT result;
    } cases[] = {{10, HTCLIENT}, {137, HTCLIENT}, {138, HTBOTTOMRIGHT}, {149, HTBOTTOMRIGHT}};
    for (const auto& c : cases) {
        statusBar->asked = TPoint(-1, -1);
        EXPECT_EQ(bar->Perform(CM_HITTEST, 0, MAKELPARAM(c.x, 5)), c.result) << c.x;
        if (c.result == HTBOTTOMRIGHT) {
            const TPoint screen = bar->ClientToScreen(TPoint(c.x, 5));
            EXPECT_EQ(statusBar->asked.X, screen.X);
            EXPECT_EQ(statusBar->asked.Y, screen.Y);
        }
    }
    bar->SetParent(form);
    EXPECT_EQ(bar->Perform(CM_HITTEST, 0, MAKELPARAM(145, 5)), HTCLIENT);
}

TEST_F(ProgressStatusTest, ClassicStatusBarShowsTheFramedBar) {
    statusBar->SetVisualStyle(vsClassic);
    EXPECT_FALSE(bar->UseThemes());
    bar->SetBackColor(clYellow);
    bar->SetPercent(40);
    Snapshot shot(form);
    const TPoint origin = TPoint(bar->Left(), statusBar->Top() + bar->Top());
    EXPECT_EQ(shot.At(origin.X, origin.Y + 10), ColorToRGB(clBtnShadow)) << "lowered border";
    EXPECT_EQ(shot.At(origin.X + 20, origin.Y + 20), ColorToRGB(clHighlight));
    EXPECT_EQ(shot.At(origin.X + 120, origin.Y + 20), ColorToRGB(clYellow));
}

}  // namespace
