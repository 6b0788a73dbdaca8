// Group boxes: the aligned area of each style, the flat frame's cut corners and the caption's
// gap in the etched frame.
#include "UiGroupBox.h"
#include "form_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class GroupBoxTest : public FormTest {
protected:
    TUiGroupBox* AddGroup(const char* caption) {
        auto* group = Add<TUiGroupBox>(10, 10, 200, 100);
        group->Font()->SetName("Arial");
        group->Font()->SetHeight(-13);
        group->SetCaption(caption);
        return group;
    }
    int TextHeight(TUiGroupBox* group) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, group->Font()->Handle());
        SIZE size{};
        GetTextExtentPoint32A(dc, "Yy", 2, &size);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return size.cy;
    }
};

TEST_F(GroupBoxTest, EachStyleLeavesItsOwnAlignedArea) {
    struct Case {
        TUiGroupBoxStyle style;
        int extraTop, inset;
    } const cases[] = {
        {gsStandard, 0, 2}, {gsFlat, 0, 1}, {gsCustom, 0, 2},
        {gsTopLine, 0, 0},  {gsBanner, 8, 0}, {gsUnderline, 4, 0},
    };
    for (const Case& c : cases) {
        TUiGroupBox* group = AddGroup("Options");
        group->SetGroupBoxStyle(c.style);
        auto* child = new TPanel(form);
        child->SetParent(group);
        child->SetAlign(alClient);
        const int h = TextHeight(group);
        EXPECT_EQ(child->Top(), h + c.extraTop + c.inset) << c.style;
        EXPECT_EQ(child->Left(), c.inset) << c.style;
        EXPECT_EQ(child->Left() + child->Width(), 200 - c.inset) << c.style;
        group->Free();
    }
}

TEST_F(GroupBoxTest, FlatFrameHasCutCorners) {
    TUiGroupBox* group = AddGroup("");
    group->SetFlatColor(clRed);
    group->SetFlatColorAdjustment(0);
    Application->ProcessMessages();
    Snapshot shot(form);
    int frame = -1;  // the frame line's row
    for (int y = 10; y < 30 && frame < 0; ++y)
        if (shot.At(10 + 50, y) == ColorToRGB(clRed)) frame = y;
    ASSERT_GE(frame, 0);
    EXPECT_NE(shot.At(10, frame), ColorToRGB(clRed)) << "cut corner";
    EXPECT_EQ(shot.At(11, frame + 1), ColorToRGB(clRed)) << "corner pixel";
    EXPECT_EQ(shot.At(10, frame + 2), ColorToRGB(clRed)) << "left line";
    EXPECT_EQ(shot.At(10 + 198, frame + 1), ColorToRGB(clRed)) << "right corner pixel";
    EXPECT_EQ(shot.At(10 + 199, frame + 2), ColorToRGB(clRed)) << "right line";
    EXPECT_EQ(shot.At(10 + 50, 10 + 99), ColorToRGB(clRed)) << "bottom line";
}

TEST_F(GroupBoxTest, CaptionInterruptsTheFrameLine) {
    TUiGroupBox* group = AddGroup("&Options");
    group->SetFlatColor(clRed);
    group->SetFlatColorAdjustment(0);
    const TRect caption = group->CaptionRect();
    EXPECT_EQ(caption.Left, 8);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, group->Font()->Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, "Options", 7, &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(caption.Width(), size.cx);
    Application->ProcessMessages();
    Snapshot shot(form);
    int frame = -1;
    for (int y = 10; y < 30 && frame < 0; ++y)
        if (shot.At(10 + 4, y) == ColorToRGB(clRed)) frame = y;
    ASSERT_GE(frame, 0);
    EXPECT_EQ(shot.Count(TRect(10 + caption.Left, frame, 10 + caption.Right, frame + 1), clRed), 0);
    EXPECT_EQ(shot.At(10 + caption.Right + 2, frame), ColorToRGB(clRed));
}

}  // namespace
