// The buffered paint box: rendering is asked for only when the size changed, the buffer's
// pixels reach the window, the colour without a handler, the design-time outline and the
// arrow keys.
#include <gtest/gtest.h>

#include "BufferedPaintBox.h"
#include "test_pump.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);

class PaintBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(10, 10, 300, 200);
        box = new TBufferedPaintBox(form);
        box->SetParent(form);
        box->SetBounds(20, 10, 120, 80);
    }
    void TearDown() override { form->Free(); }

    // Draws a red buffer with a blue square at (10, 10)-(30, 30) and counts the requests.
    void RenderSquare() {
        box->OnNeedRender = [this](TObject* sender) {
            EXPECT_EQ(sender, box);
            ++renders;
            TCanvas* canvas = box->Buffer()->Canvas();
            canvas->Brush()->SetColor(clRed);
            canvas->FillRect(TRect(0, 0, box->Buffer()->Width(), box->Buffer()->Height()));
            canvas->Brush()->SetColor(clBlue);
            canvas->FillRect(TRect(10, 10, 30, 30));
        };
    }
    // Paints the control into a white bitmap of its size and returns the bitmap.
    TOwnedPtr<TBitmap> Snapshot() {
        TOwnedPtr<TBitmap> picture(new TBitmap);
        picture->SetSize(box->Width(), box->Height());
        picture->Canvas()->Brush()->SetColor(clWhite);
        picture->Canvas()->FillRect(TRect(0, 0, box->Width(), box->Height()));
        box->PaintTo(picture->Canvas()->Handle(), 0, 0);
        return picture;
    }
    void ShowAndPaint() {
        form->Show();
        box->Invalidate();
        UpdateWindow(box->Handle());
        Application->ProcessMessages();
    }

    TForm* form = nullptr;
    TBufferedPaintBox* box = nullptr;
    int renders = 0;
};

TEST_F(PaintBoxTest, NewBoxIsOpaqueWithAnEmptyBufferAndWantsTheArrowKeys) {
    EXPECT_EQ(box->Version(), "1.00.00");
    EXPECT_TRUE(box->ControlStyle.count(csOpaque));
    EXPECT_EQ(box->Color(), clWindow);
    EXPECT_TRUE(box->Buffer()->Empty());
    EXPECT_EQ(SendMessageA(box->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST_F(PaintBoxTest, FirstPaintRendersOnceAndTheBufferReachesTheScreen) {
    RenderSquare();
    ShowAndPaint();
    EXPECT_EQ(renders, 1);
    EXPECT_EQ(box->Buffer()->Width(), 120);
    EXPECT_EQ(box->Buffer()->Height(), 80);

    HDC screen = GetDC(box->Handle());
    EXPECT_EQ(GetPixel(screen, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(screen, 20, 20), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(screen, 119, 79), RGB(255, 0, 0));
    ReleaseDC(box->Handle(), screen);

    auto picture = Snapshot();
    EXPECT_EQ(renders, 1);
    EXPECT_EQ(picture->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(picture->Canvas()->Pixels(10, 10), clBlue);
    EXPECT_EQ(picture->Canvas()->Pixels(29, 29), clBlue);
    EXPECT_EQ(picture->Canvas()->Pixels(30, 30), clRed);
}

TEST_F(PaintBoxTest, OwnerDrawingShowsAfterInvalidateWithoutAnotherRequest) {
    RenderSquare();
    ShowAndPaint();
    box->Buffer()->Canvas()->Brush()->SetColor(clLime);
    box->Buffer()->Canvas()->FillRect(TRect(50, 40, 60, 50));
    auto picture = Snapshot();
    EXPECT_EQ(renders, 1);
    EXPECT_EQ(picture->Canvas()->Pixels(55, 45), clLime);
    EXPECT_EQ(picture->Canvas()->Pixels(20, 20), clBlue);
}

TEST_F(PaintBoxTest, ResizingAsksForRenderingAgainAtTheNewSize) {
    RenderSquare();
    ShowAndPaint();
    box->SetBounds(20, 10, 200, 150);
    ShowAndPaint();
    EXPECT_EQ(renders, 2);
    EXPECT_EQ(box->Buffer()->Width(), 200);
    EXPECT_EQ(box->Buffer()->Height(), 150);
    auto picture = Snapshot();
    EXPECT_EQ(picture->Canvas()->Pixels(199, 149), clRed);
    EXPECT_EQ(renders, 2);
}

TEST_F(PaintBoxTest, WithoutAHandlerTheBoxShowsItsColour) {
    box->SetColor(clYellow);
    auto picture = Snapshot();
    EXPECT_EQ(box->Buffer()->Width(), 120);
    EXPECT_EQ(picture->Canvas()->Pixels(0, 0), clYellow);
    EXPECT_EQ(picture->Canvas()->Pixels(119, 79), clYellow);
}

TEST_F(PaintBoxTest, WhileDesignedOnlyADashedOutlineIsDrawn) {
    RenderSquare();
    box->SetColor(clWhite);
    box->IncludeState(csDesigning);
    auto picture = Snapshot();
    EXPECT_EQ(renders, 0);
    EXPECT_TRUE(box->Buffer()->Empty());
    EXPECT_EQ(picture->Canvas()->Pixels(60, 40), clWhite);
    for (int y : {0, 79}) {
        int dashes = 0;
        for (int x = 0; x < 120; ++x) dashes += picture->Canvas()->Pixels(x, y) == clBlack;
        EXPECT_GT(dashes, 40) << y;
        EXPECT_LT(dashes, 110) << y;
    }
}

}  // namespace
