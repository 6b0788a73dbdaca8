// Framed panels: the client area of the border model, the painted frame, fill and grid, the
// children's enabled states across disabling, bottom anchoring and the frame controller.
#include "UiFrameController.h"
#include "UiPanel.h"
#include "form_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class PanelTest : public FormTest {
protected:
    TUiPanel* AddPanel() {
        auto* panel = Add<TUiPanel>(10, 10, 100, 80);
        panel->SetCaption("");
        return panel;
    }
    // Where an alClient child lands: the panel's aligned client area.
    TRect AlignedArea(TUiPanel* panel) {
        auto* child = new TPanel(form);
        child->SetParent(panel);
        child->SetAlign(alClient);
        const TRect bounds = child->BoundsRect();
        child->Free();
        return bounds;
    }
};

struct BorderCase {
    TFrameStyleEx outer, inner;
    TSides sides;
    int bevelWidth, borderWidth;
    TRect expected;
};

TEST_F(PanelTest, BorderModelFixesTheAlignedArea) {
    const TSides topBottom = SideBit(sdTop) | SideBit(sdBottom);
    const BorderCase cases[] = {
        {fsRaised, fsNone, AllSides, 1, 0, TRect(2, 2, 98, 78)},
        {fsRaised, fsNone, topBottom, 1, 0, TRect(0, 2, 100, 78)},
        {fsStatus, fsNone, AllSides, 3, 0, TRect(3, 3, 97, 77)},
        {fsFlatRounded, fsNone, AllSides, 1, 0, TRect(2, 2, 98, 78)},
        {fsFlat, fsLowered, AllSides, 1, 4, TRect(7, 7, 93, 73)},
        {fsNone, fsPopup, SideBit(sdLeft), 2, 0, TRect(2, 0, 100, 80)},
        {fsNone, fsNone, AllSides, 1, 0, TRect(0, 0, 100, 80)},
    };
    for (const BorderCase& c : cases) {
        TUiPanel* panel = AddPanel();
        panel->SetBorderOuter(c.outer);
        panel->SetBorderInner(c.inner);
        panel->SetBorderSides(c.sides);
        panel->SetBevelWidth(c.bevelWidth);
        panel->SetBorderWidth(c.borderWidth);
        const TRect area = AlignedArea(panel);
        EXPECT_EQ(area.Left, c.expected.Left) << c.outer << "/" << c.inner;
        EXPECT_EQ(area.Top, c.expected.Top) << c.outer << "/" << c.inner;
        EXPECT_EQ(area.Right, c.expected.Right) << c.outer << "/" << c.inner;
        EXPECT_EQ(area.Bottom, c.expected.Bottom) << c.outer << "/" << c.inner;
        panel->Free();
    }
}

TEST_F(PanelTest, ChangingTheFrameRealignsTheChildren) {
    TUiPanel* panel = AddPanel();
    auto* child = new TPanel(form);
    child->SetParent(panel);
    child->SetAlign(alClient);
    EXPECT_EQ(child->Left(), 2);
    panel->SetBorderOuter(fsFlat);
    EXPECT_EQ(child->Left(), 1);
    panel->SetBorderSides(SideBit(sdTop));
    EXPECT_EQ(child->Left(), 0);
    EXPECT_EQ(child->Top(), 1);
}

TEST_F(PanelTest, PaintsFrameFillAndGrid) {
    TUiPanel* panel = AddPanel();
    panel->SetBorderOuter(fsFlat);
    panel->SetFlatColor(clRed);
    panel->SetFlatColorAdjustment(0);
    panel->SetColor(clYellow);
    panel->SetShowGrid(true);
    panel->SetGridColor(clBlue);
    Application->ProcessMessages();
    Snapshot shot(form);
    // The frame is one pixel at the edge; the area inside starts at (11, 11) on the form.
    EXPECT_EQ(shot.At(10, 40), ColorToRGB(clRed));
    EXPECT_EQ(shot.At(109, 40), ColorToRGB(clRed));
    EXPECT_EQ(shot.At(12, 12), ColorToRGB(clYellow));
    // Dots at the inside's left/top + 8 i - 1: 98 x 78 pixels hold 12 by 9 of them.
    EXPECT_EQ(shot.At(11 + 7, 11 + 7), ColorToRGB(clBlue));
    EXPECT_EQ(shot.At(11 + 8, 11 + 7), ColorToRGB(clYellow));
    EXPECT_EQ(shot.Count(TRect(11, 11, 109, 89), clBlue), 12 * 9);

    panel->SetGridStyle(gsSolidLines);
    Application->ProcessMessages();
    EXPECT_EQ(Snapshot(form).Count(TRect(11, 11, 109, 89), clBlue), 12 * 78 + 9 * 98 - 12 * 9);

    panel->SetGridXSize(0);
    panel->SetGridStyle(gsDots);
    Application->ProcessMessages();
    EXPECT_EQ(Snapshot(form).Count(TRect(11, 11, 109, 89), clBlue), 0);
}

TEST_F(PanelTest, GradientStyleFillsFromStartToStop) {
    TUiPanel* panel = AddPanel();
    panel->SetBorderOuter(fsNone);
    panel->SetVisualStyle(vsGradient);
    panel->SetGradientColorStyle(gcsCustom);
    panel->SetGradientColorStart(clBlack);
    panel->SetGradientColorStop(clWhite);
    Application->ProcessMessages();
    Snapshot shot(form);
    EXPECT_EQ(shot.At(50, 10), ColorToRGB(clBlack));
    EXPECT_GE(shot.At(50, 89) & 0xFF, 0xF0);  // the last band is close to the stop colour
}

TEST_F(PanelTest, TransparentPanelShowsItsParent) {
    form->SetColor(clLime);
    TUiPanel* panel = AddPanel();
    panel->SetBorderOuter(fsNone);
    panel->SetColor(clYellow);
    panel->SetTransparent(true);
    Application->ProcessMessages();
    EXPECT_EQ(Snapshot(form).At(50, 50), ColorToRGB(clLime));
}

TEST_F(PanelTest, CaptionFollowsTheVerticalAlignment) {
    TUiPanel* panel = AddPanel();
    panel->SetBorderOuter(fsNone);
    panel->Font()->SetColor(clBlack);
    panel->SetCaption("Wg");
    auto inkRows = [&](TAlignmentVertical alignment) {
        panel->SetAlignmentVertical(alignment);
        Application->ProcessMessages();
        Snapshot shot(form);
        int first = -1, last = -1;
        for (int y = 10; y < 90; ++y)
            if (shot.Count(TRect(10, y, 110, y + 1), clBlack) > 0) {
                if (first < 0) first = y;
                last = y;
            }
        return std::make_pair(first - 10, last - 10);
    };
    const auto top = inkRows(avTop), centre = inkRows(avCenter), bottom = inkRows(avBottom);
    ASSERT_GE(top.first, 0);
    EXPECT_LT(top.second, 25);
    EXPECT_GT(centre.first, top.first + 20);
    EXPECT_GT(bottom.second, 60);
}

TEST_F(PanelTest, ChildrenKeepTheirEnabledStatesAcrossDisabling) {
    TUiPanel* panel = AddPanel();
    auto* a = new TPanel(form);
    a->SetParent(panel);
    auto* b = new TPanel(form);
    b->SetParent(panel);
    b->SetEnabled(false);
    panel->SetEnabled(false);
    EXPECT_FALSE(a->Enabled());
    auto* late = new TPanel(form);
    late->SetParent(panel);
    late->SetEnabled(false);
    panel->SetEnabled(true);
    EXPECT_TRUE(a->Enabled());
    EXPECT_FALSE(b->Enabled());
    EXPECT_TRUE(late->Enabled());
}

TEST_F(PanelTest, BottomAndRightAlignedPanelsKeepTheirOuterEdge) {
    TUiPanel* bottom = AddPanel();
    bottom->SetAlign(alBottom);
    const int bottomEdge = bottom->Top() + bottom->Height();
    bottom->SetHeight(bottom->Height() + 10);
    EXPECT_EQ(bottom->Top() + bottom->Height(), bottomEdge);
    TUiPanel* right = AddPanel();
    right->SetAlign(alRight);
    const int rightEdge = right->Left() + right->Width();
    right->SetWidth(right->Width() - 10);
    EXPECT_EQ(right->Left() + right->Width(), rightEdge);
}

TEST_F(PanelTest, FrameControllerSetsTheAdmittedFrameSettings) {
    auto* controller = new TUiFrameController(form);
    controller->SetFrameVisible(true);
    controller->SetFrameStyle(fsFlat);
    controller->SetFrameColor(clRed);
    controller->SetColor(clAqua);
    TUiPanel* panel = AddPanel();
    panel->SetFrameControllerNotifications(AllFrameControllerNotifications &
                                           ~(1u << fcpColor));
    panel->SetFrameController(controller);
    EXPECT_EQ(panel->BorderOuter(), fsFlat);
    EXPECT_EQ(panel->FlatColor(), clRed);
    EXPECT_EQ(panel->FlatColorAdjustment(), 0);
    EXPECT_NE(panel->Color(), clAqua);
    controller->Free();
    EXPECT_EQ(panel->FrameController(), nullptr);
}

}  // namespace
