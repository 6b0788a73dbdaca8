// Tab shapes and painting, checked in the painted pixels: outlines of every style, disabled
// captions, hot-track and selection bars, coloured gradients, transparency, handlers that paint
// a tab themselves, the card's shadow over the parent and underlined mnemonics.
#include "UiColors.h"
#include "UiTabShapes.h"
#include "UiTabs.h"
#include "cl_imagelist.h"
#include "form_fixture.h"

namespace {

TEST(TabShapes, OutlinesOfEveryStyle) {
    const struct {
        TUiTabStyle style;
        bool soft;
        size_t points;
    } cases[] = {{tsSingleSlant, false, 5}, {tsSingleSlant, true, 6}, {tsDoubleSlant, false, 4},
                 {tsDoubleSlant, true, 6},  {tsCutCorner, true, 5},   {tsRoundCorners, false, 6},
                 {tsBackSlant, false, 5},   {tsBackSlant, true, 6}};
    for (const auto& c : cases) {
        TUiTabGeometry g;
        g.Style = c.style;
        g.SoftCorners = c.soft;
        const std::vector<TPoint> outline = TabOutline(g, TRect(0, 0, 60, 20));
        EXPECT_EQ(outline.size(), c.points) << c.style << " " << c.soft;
        EXPECT_EQ(static_cast<int>(outline.size()), TabOutlinePointCount(g));
        EXPECT_EQ(outline.front(), TPoint(0, 20)) << "starts at the bottom-left corner";
        EXPECT_EQ(outline.back(), TPoint(60, 20)) << "ends at the bottom-right corner";
    }
    TUiTabGeometry single;
    EXPECT_EQ(TabOutline(single, TRect(0, 0, 60, 20)),
              (std::vector<TPoint>{{0, 20}, {0, 2}, {2, 0}, {40, 0}, {60, 20}}))
        << "a straight leading edge and a 45-degree trailing edge";
}

class TabPaintTest : public FormTest {
protected:
    TUiCustomTabControl* AddTabs(std::initializer_list<const char*> captions, int left = 10, int top = 10) {
        auto* tabs = Add<TUiCustomTabControl>(left, top, 400, 120);
        for (const char* caption : captions) {
            auto* tab = new TUiTabData;
            tab->Caption = caption;
            tabs->GetTabDataList()->Add(tab);
        }
        tabs->Rebuild();
        tabs->SetTabIndex(0);
        return tabs;
    }
    // The tab's rectangle on the form.
    static TRect OnForm(TUiCustomTabControl* tabs, int index) {
        tabs->CheckCalcNeeded();
        TRect r = tabs->CalcMappedTabRect(index, tabs->GetTabDataList()->GetItem(index));
        return TRect(r.Left + tabs->Left(), r.Top + tabs->Top(), r.Right + tabs->Left(), r.Bottom + tabs->Top());
    }
    // The tab's face, away from its slanted edges.
    static TRect Inner(const TRect& r) { return TRect(r.Left + 2, r.Top + 2, r.Right - r.Height(), r.Bottom - 1); }
    void Settle() {
        for (int i = 0; i < 3; ++i) Application->ProcessMessages();
        form->Repaint();
    }
    void HoverOver(TUiCustomTabControl* tabs, int index) {
        const TRect r = OnForm(tabs, index);
        const int x = (r.Left + r.Right) / 2 - tabs->Left(), y = (r.Top + r.Bottom) / 2 - tabs->Top();
        Mouse->SetCursorPos(tabs->ClientToScreen(TPoint(x, y)));
        PostMessageA(tabs->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        Settle();
    }
};

TEST_F(TabPaintTest, ADisabledCaptionIsDrawnTwiceOffsetByOnePixel) {
    TUiCustomTabControl* tabs = AddTabs({"One", "Two"});
    tabs->GetTabDataList()->GetItem(1)->Enabled = false;
    tabs->TextColors()->SetDisabledHighlight(clRed);
    tabs->TextColors()->SetDisabledShadow(clBlue);
    tabs->Rebuild();
    Settle();
    const Snapshot shot(form);
    const TRect r = OnForm(tabs, 1);
    int redLeft = 10000, blueLeft = 10000, redTop = 10000, blueTop = 10000;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            if (shot.At(x, y) == clRed) redLeft = std::min(redLeft, x), redTop = std::min(redTop, y);
            if (shot.At(x, y) == clBlue) blueLeft = std::min(blueLeft, x), blueTop = std::min(blueTop, y);
        }
    ASSERT_LT(blueLeft, 10000) << "the shadow pass";
    EXPECT_EQ(redLeft, blueLeft + 1) << "the highlight pass lies one pixel to the right";
    EXPECT_EQ(redTop, blueTop + 1) << "and one pixel down";
}

TEST_F(TabPaintTest, HotTrackingMarksTabsWithBarsOrRecoloursTheCaption) {
    TUiCustomTabControl* tabs = AddTabs({"One", "Two", "Three"});
    tabs->TabColors()->SetHighlightBar(clLime);
    tabs->SetHotTrackColor(clRed);
    HoverOver(tabs, 1);
    ASSERT_EQ(tabs->HotTabIndex(), 1);
    {
        const Snapshot shot(form);
        const TRect active = OnForm(tabs, 0), hot = OnForm(tabs, 1);
        EXPECT_GT(shot.Count(TRect(active.Left + 2, active.Top, active.Left + 20, active.Top + 3), clLime), 0)
            << "the active tab carries the highlight bar";
        EXPECT_GT(shot.Count(TRect(hot.Left + 2, hot.Top, hot.Left + 20, hot.Top + 3), clRed), 0)
            << "the hot tab carries the hot bar";
    }
    tabs->SetHotTrackStyle(htsText);
    Settle();
    const Snapshot shot(form);
    const TRect active = OnForm(tabs, 0), hot = OnForm(tabs, 1);
    EXPECT_EQ(shot.Count(TRect(active.Left, active.Top, active.Right, active.Bottom), clLime), 0);
    EXPECT_EQ(shot.Count(TRect(hot.Left, hot.Top, hot.Right, hot.Top + 3), clRed), 0) << "no bar";
    EXPECT_GT(shot.Count(Inner(hot), clRed), 0) << "the hot caption takes the hot-track colour";
}

TEST_F(TabPaintTest, ColouredTabsShadeTheirGradient) {
    TUiCustomTabControl* tabs = AddTabs({"One", "Two", "Three"});
    if (!FullColorSupported) GTEST_SKIP() << "gradients need full colour";
    tabs->GetTabDataList()->GetItem(1)->Color = clWhite;
    tabs->GetTabDataList()->GetItem(2)->Color = clYellow;
    tabs->SetUseColoredTabs(true);
    tabs->Rebuild();
    Settle();
    const Snapshot shot(form);
    auto similar = [](TColor a, TColor b) {
        const TColor x = ColorToRGB(a), y = ColorToRGB(b);
        for (int shift : {0, 8, 16})
            if (std::abs(((x >> shift) & 0xFF) - ((y >> shift) & 0xFF)) > 8) return false;
        return true;
    };
    const struct {
        int tab;
        TColor shadow;
    } cases[] = {{1, clBtnFace}, {2, DarkerColor(clYellow, 30)}};
    for (const auto& c : cases) {
        const TRect r = OnForm(tabs, c.tab);
        const int x = r.Right - r.Height() - 2;
        EXPECT_TRUE(similar(shot.At(x, r.Top + 2), tabs->GetTabDataList()->GetItem(c.tab)->Color)) << c.tab;
        EXPECT_TRUE(similar(shot.At(x, r.Bottom - 1), c.shadow)) << c.tab << " " << std::hex << shot.At(x, r.Bottom - 1);
    }
}

TEST_F(TabPaintTest, ATransparentControlShowsItsParent) {
    form->SetColor(clTeal);
    TUiCustomTabControl* tabs = AddTabs({"One"});
    tabs->SetBackgroundColor(clLime);
    Settle();
    const TPoint strip(tabs->Left() + 380, tabs->Top() + 3);
    EXPECT_EQ(Snapshot(form).At(strip.X, strip.Y), clLime);
    tabs->SetTransparent(true);
    Settle();
    EXPECT_EQ(Snapshot(form).At(strip.X, strip.Y), clTeal) << "the background colour is ignored";
}

TEST_F(TabPaintTest, AHandlerThatPaintsATabKeepsItsOutlineAndCaption) {
    TUiCustomTabControl* tabs = AddTabs({"One", "Two"});
    std::vector<int> painted;
    tabs->OnPaintTabBackground = [&](TObject*, TCanvas* canvas, int index, const TRect& rect, bool& handled) {
        painted.push_back(index);
        canvas->Brush()->SetColor(clYellow);
        canvas->FillRect(TRect(rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1));
        handled = true;
    };
    tabs->TabColors()->SetUnselected(clAqua);
    tabs->SetFlatColor(clRed);
    Settle();
    const Snapshot shot(form);
    const TRect r = OnForm(tabs, 1);
    EXPECT_FALSE(painted.empty());
    EXPECT_GT(shot.Count(Inner(r), clYellow), 0);
    EXPECT_EQ(shot.Count(r, clAqua), 0) << "no default fill";
    EXPECT_GT(shot.Count(Inner(r), clBlack), 0) << "the caption";
    EXPECT_GT(shot.Count(TRect(r.Left, r.Top, r.Right + 1, r.Bottom), clRed), 0) << "the outline";
}

TEST_F(TabPaintTest, TheShadowDarkensTheParentAlongTheRightAndBottomEdges) {
    form->SetColor(clSilver);
    TUiCustomTabControl* tabs = AddTabs({"One"});
    Settle();
    const Snapshot shot(form);
    const int right = tabs->Left() + tabs->Width() - 1, bottom = tabs->Top() + tabs->Height() - 1;
    const int midY = tabs->Top() + 60, midX = tabs->Left() + 200;
    const TColor dark = BlendColors(clBlack, clSilver, 30), light = BlendColors(clBlack, clSilver, 15);
    EXPECT_EQ(shot.At(right, midY), light);
    EXPECT_EQ(shot.At(right - 1, midY), dark);
    EXPECT_EQ(shot.At(midX, bottom), light);
    EXPECT_EQ(shot.At(midX, bottom - 1), dark);
    EXPECT_EQ(shot.At(right - 2, midY), ColorToRGB(clBtnShadow)) << "the frame ends two pixels inside";
}

TEST_F(TabPaintTest, AMnemonicIsUnderlinedAndADoubleAmpersandIsNot) {
    const struct {
        const char* plain;
        const char* marked;
        bool underlined;
    } cases[] = {{"Chart", "&Chart", true}, {"Chart", "Cha&&rt", false}};
    for (const auto& c : cases) {
        TUiCustomTabControl* a = AddTabs({c.plain}, 10, 10);
        TUiCustomTabControl* b = AddTabs({c.marked}, 10, 140);
        Settle();
        const Snapshot shot(form);
        const int plain = shot.Count(OnForm(a, 0), clBlack), marked = shot.Count(OnForm(b, 0), clBlack);
        if (c.underlined)
            EXPECT_GT(marked, plain + 3) << c.marked;
        else
            EXPECT_GT(marked, plain) << "one ampersand shows";
        if (!c.underlined) {
            // The ampersand is the only addition: no underline row below the caption.
            const TRect r = OnForm(b, 0);
            int rowsWithLongRuns = 0;
            for (int y = r.Top; y < r.Bottom; ++y) {
                int run = 0, longest = 0;
                for (int x = r.Left; x < r.Right; ++x) {
                    run = shot.At(x, y) == clBlack ? run + 1 : 0;
                    longest = std::max(longest, run);
                }
                rowsWithLongRuns += longest > 8;
            }
            EXPECT_EQ(rowsWithLongRuns, 0);
        }
        a->Free();
        b->Free();
    }
}

TEST_F(TabPaintTest, ImagesSitBesideTheCaptionAndDisabledTabsShowTheirOwnImage) {
    auto* images = new TImageList(form, 12, 12);
    for (TColor color : {clRed, clBlue}) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(12, 12);
        bitmap->Canvas()->Brush()->SetColor(color);
        bitmap->Canvas()->FillRect(TRect(0, 0, 12, 12));
        images->Add(bitmap.get(), nullptr);
    }
    TUiCustomTabControl* tabs = AddTabs({"One", "Two"});
    const int plainWidth = OnForm(tabs, 1).Width();
    tabs->SetImages(images);
    for (int i = 0; i < 2; ++i) {
        tabs->GetTabDataList()->GetItem(i)->ImageIndex = 0;
        tabs->GetTabDataList()->GetItem(i)->DisabledIndex = 1;
    }
    tabs->GetTabDataList()->GetItem(0)->Enabled = false;
    tabs->Rebuild();
    tabs->SetTabIndex(1);
    Settle();
    EXPECT_EQ(OnForm(tabs, 1).Width(), plainWidth + 12) << "the image widens the tab";
    const Snapshot shot(form);
    const TRect enabled = OnForm(tabs, 1), disabled = OnForm(tabs, 0);
    EXPECT_EQ(shot.Count(enabled, clRed), 144);
    EXPECT_EQ(shot.Count(disabled, clBlue), 144) << "the disabled image";
    EXPECT_EQ(shot.Count(TRect(disabled.Left, disabled.Top, enabled.Left, disabled.Bottom), clRed), 0);
    int imageRight = 0, textLeft = 10000;
    for (int y = enabled.Top; y < enabled.Bottom; ++y)
        for (int x = enabled.Left; x < enabled.Right; ++x) {
            if (shot.At(x, y) == clRed) imageRight = std::max(imageRight, x);
            if (shot.At(x, y) == clBlack) textLeft = std::min(textLeft, x);
        }
    EXPECT_LT(imageRight, textLeft) << "left of the caption";
}

}  // namespace
