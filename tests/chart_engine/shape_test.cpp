// The framed text shape: what it draws in which order (shadow, fill or gradient, frame,
// bevel), what transparency and rotation leave out, and its owned sub-objects.
#include <gtest/gtest.h>

#include "PlotShape.h"
#include "chart_test_support.h"

namespace {

class ShapeTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel = MakePanel();
        panel->SetColor(clWhite);
        panel->SetBevelOuter(bvNone);
        shape = std::make_unique<TPlotShape>(panel.get());
        shape->ShapeBounds = Rect(20, 20, 60, 50);
        shape->SetColor(clYellow);
        shape->Pen()->SetColor(clBlue);
    }
    // Draws the shape into a white bitmap the size of the panel.
    std::unique_ptr<TBitmap> Render(double angle = 0) {
        auto bitmap = FilledBitmap(100, 80, clWhite);
        panel->Body = [this, angle](const TRect&) {
            shape->DrawRectRotated(shape->ShapeBounds, angle, 0);
        };
        panel->SetBounds(0, 0, 100, 80);
        panel->Draw(bitmap->Canvas(), Rect(0, 0, 100, 80));
        return bitmap;
    }

    PanelPtr panel;
    std::unique_ptr<TPlotShape> shape;
};

TEST_F(ShapeTest, BoxWithShadowFillAndFrame) {
    auto bitmap = Render();
    EXPECT_EQ(PixelOf(bitmap.get(), 20, 20), clBlue);    // frame
    EXPECT_EQ(PixelOf(bitmap.get(), 40, 35), clYellow);  // fill
    // A fading shadow of size 3 below and to the right.
    EXPECT_EQ(PixelOf(bitmap.get(), 40, 50), clBlack);
    EXPECT_EQ(PixelOf(bitmap.get(), 40, 51), PlotRGB(85, 85, 85));
    EXPECT_EQ(PixelOf(bitmap.get(), 60, 35), clBlack);
    EXPECT_EQ(PixelOf(bitmap.get(), 40, 53), clWhite);
}

TEST_F(ShapeTest, TransparentShapesDrawNothing) {
    shape->SetTransparent(true);
    auto bitmap = Render();
    EXPECT_TRUE(AllPixels(bitmap.get(), Rect(0, 0, 100, 80), clWhite));
}

TEST_F(ShapeTest, ClearBrushGetsNoShadow) {
    shape->Brush()->SetStyle(bsClear);
    auto bitmap = Render();
    EXPECT_EQ(CountPixels(bitmap.get(), Rect(0, 0, 100, 80), clBlack), 0);
    EXPECT_EQ(PixelOf(bitmap.get(), 40, 35), clWhite);
    EXPECT_EQ(PixelOf(bitmap.get(), 20, 20), clBlue);
}

TEST_F(ShapeTest, GradientFillKeepsTheFrameOutline) {
    TCustomPlotGradient* gradient = shape->GetGradient();
    gradient->SetVisible(true);
    gradient->SetStartColor(clLime);
    gradient->SetEndColor(clLime);
    auto bitmap = Render();
    EXPECT_EQ(PixelOf(bitmap.get(), 40, 35), clLime);
    EXPECT_EQ(PixelOf(bitmap.get(), 20, 20), clBlue);
    EXPECT_EQ(CountPixels(bitmap.get(), Rect(0, 0, 100, 80), clYellow), 0);
}

TEST_F(ShapeTest, RotatedShapesHaveNoBevelAndNoShadow) {
    shape->SetBevel(bvRaised);
    auto rotated = Render(90);
    EXPECT_EQ(CountPixels(rotated.get(), Rect(0, 0, 100, 80), clBlack), 0);
    EXPECT_EQ(CountPixels(rotated.get(), Rect(0, 0, 100, 80), ColorToRGB(clBtnShadow)), 0);
    EXPECT_EQ(PixelOf(rotated.get(), 40, 35), clYellow);
    // The upright shape shows its raised bevel inside the frame.
    auto upright = Render();
    EXPECT_EQ(PixelOf(upright.get(), 21, 30), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelOf(upright.get(), 58, 30), ColorToRGB(clBtnShadow));
}

TEST_F(ShapeTest, SizesAndOwnedObjects) {
    shape->ShapeBounds = Rect(5, 5, 20, 20);
    shape->SetWidth(10);
    EXPECT_EQ(shape->ShapeBounds.Right, 14);
    EXPECT_EQ(shape->GetWidth(), 10);
    shape->SetHeight(3);
    EXPECT_EQ(shape->GetHeight(), 3);
    EXPECT_EQ(shape->Shadow()->Color(), clBlack);
    EXPECT_EQ(shape->Shadow()->GetSize(), 3);
    EXPECT_FALSE(shape->Shadow()->IsColorStored());
    shape->GetGradient()->SetVisible(true);
    shape->SetGradient(nullptr);
    EXPECT_EQ(shape->GradientIfAny(), nullptr);
    EXPECT_FALSE(shape->GetGradient()->Visible());
    shape->SetShadow(nullptr);
    EXPECT_EQ(shape->Shadow(), nullptr);
    EXPECT_EQ(shape->GetShadowSize(), 0);

    TPlotShape copy(panel.get());
    shape->SetBevel(bvLowered);
    shape->SetTextFormat(ttfHtml);
    copy.Assign(shape.get());
    EXPECT_EQ(copy.Bevel(), bvLowered);
    EXPECT_EQ(copy.TextFormat(), ttfHtml);
    EXPECT_EQ(copy.Color(), clYellow);
}

TEST_F(ShapeTest, ChangesRepaintTheParentOnlyWhenTheyChange) {
    panel->Invalidations = 0;
    shape->SetColor(clYellow);
    shape->SetBevel(bvNone);
    EXPECT_EQ(panel->Invalidations, 0);
    shape->SetColor(clRed);
    shape->Font()->SetSize(20);
    shape->Pen()->SetWidth(2);
    EXPECT_EQ(panel->Invalidations, 3);
}

}  // namespace
