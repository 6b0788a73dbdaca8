// Progress bar: percent from parts, the reset by a new total, orientation from the bounds, the
// bar style's side effects and the drawn bar.
#include "UiProgressBar.h"
#include "form_fixture.h"

namespace {

class ProgressBarTest : public FormTest {};

TEST_F(ProgressBarTest, PercentFollowsThePartsDone) {
    auto* bar = Add<TUiProgressBar>(10, 10, 200, 24);
    std::vector<int> changes;
    bar->OnChange = [&](TObject*, int percent) { changes.push_back(percent); };
    bar->SetTotalParts(3);
    const struct {
        unsigned parts, stored, percent;
    } cases[] = {{1, 1, 33}, {2, 2, 67}, {5, 3, 100}};
    for (const auto& c : cases) {
        bar->SetPartsComplete(c.parts);
        EXPECT_EQ(bar->PartsComplete(), c.stored);
        EXPECT_EQ(bar->Percent(), c.percent);
    }
    bar->SetTotalParts(8);
    EXPECT_EQ(bar->PartsComplete(), 0u);
    EXPECT_EQ(bar->Percent(), 0);
    bar->IncParts(3);
    bar->IncPartsByOne();
    EXPECT_EQ(bar->Percent(), 50);
    EXPECT_EQ(changes, (std::vector<int>{33, 67, 100, 0, 38, 50}));
    bar->SetPercent(150);
    EXPECT_EQ(bar->Percent(), 150) << "the percent is not limited";
}

TEST_F(ProgressBarTest, ShapeAndStyleSettings) {
    auto* bar = Add<TUiProgressBar>(10, 10, 200, 24);
    EXPECT_EQ(bar->Orientation(), orHorizontal);
    bar->SetBounds(10, 10, 20, 100);
    EXPECT_EQ(bar->Orientation(), orVertical);
    bar->SetBarStyle(bsLED);
    EXPECT_FALSE(bar->ShowPercent());
    EXPECT_EQ(bar->InteriorOffset(), 1);
    bar->SetBarStyle(bsGradient);
    EXPECT_TRUE(bar->ShowPercent());
    EXPECT_EQ(bar->InteriorOffset(), 0);
    bar->SetBarColor(clRed);
    EXPECT_EQ(bar->Font()->Color(), clRed);
}

TEST_F(ProgressBarTest, HalfABarIsDrawnInBarColour) {
    auto* bar = Add<TUiProgressBar>(10, 10, 200, 24);
    bar->SetThemeAware(false);
    bar->SetShowPercent(false);
    bar->SetBarColor(clBlue);
    bar->SetBackColor(clYellow);
    bar->SetPercent(50);
    Snapshot shot(form);
    EXPECT_EQ(shot.At(40, 22), ColorToRGB(clBlue));
    EXPECT_EQ(shot.At(180, 22), ColorToRGB(clYellow));
    EXPECT_EQ(shot.At(10, 10), ColorToRGB(clBtnShadow)) << "the lowered outer border";
}

}  // namespace
