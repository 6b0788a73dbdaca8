// The chart panel's output through shared resources: the clipboard and the printer (a stand-in
// printer whose page is a DIB section, so that the printed chart can be read back).
#include <gtest/gtest.h>

#include "cl_clipboard.h"
#include "cl_hooks.h"
#include "chart_test_support.h"

namespace {

// A printer page in memory: a 24-bit DIB section selected into a memory DC.
class PageCanvas : public TCanvas {
public:
    PageCanvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        PatBlt(dc_, 0, 0, width, height, WHITENESS);
    }
    ~PageCanvas() override {
        SetHandle(nullptr);
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    TColor At(int x, int y) { return static_cast<TColor>(GetPixel(dc_, x, y)); }

protected:
    void CreateHandle() override { SetHandle(dc_); }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

class OutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel = MakePanel();
        panel->SetColor(clWhite);
        panel->SetBevelOuter(bvNone);
        // The chart's body: its chart rectangle in red.
        panel->Body = [this](const TRect&) {
            panel->InternalCanvas->Brush()->SetColor(clRed);
            panel->InternalCanvas->FillRect(panel->ChartRect);
        };
    }
    void TearDown() override {
        delete SetPrinter(nullptr);
        Hooks().CreatePrinterStandIn = nullptr;
    }
    void InstallPrinter(int width, int height, int dpiX, int dpiY) {
        Hooks().CreatePrinterStandIn = [=] {
            TPrinterStandIn standIn;
            standIn.Caps.HorzRes = width;
            standIn.Caps.VertRes = height;
            standIn.Caps.LogPixelsX = dpiX;
            standIn.Caps.LogPixelsY = dpiY;
            standIn.CreateCanvas = [this](const TPrinterDeviceCaps& caps) {
                page = new PageCanvas(caps.HorzRes, caps.VertRes);
                return page;
            };
            return standIn;
        };
        delete SetPrinter(nullptr);
    }

    PanelPtr panel;
    PageCanvas* page = nullptr;
};

TEST_F(OutputTest, ChartCopiedToTheClipboardAsABitmap) {
    panel->CopyToClipboardBitmap();
    TBitmap pasted;
    Clipboard()->AssignTo(&pasted);
    ASSERT_EQ(pasted.Width(), 400);
    ASSERT_EQ(pasted.Height(), 250);
    EXPECT_EQ(PixelOf(&pasted, 200, 125), clRed);
    EXPECT_EQ(PixelOf(&pasted, 11, 125), clWhite);  // left margin: 3 % of 400
    EXPECT_EQ(PixelOf(&pasted, 12, 125), clRed);
    EXPECT_EQ(PixelOf(&pasted, 200, 9), clWhite);  // top margin: 4 % of 250
    EXPECT_EQ(PixelOf(&pasted, 200, 10), clRed);
}

TEST_F(OutputTest, ProportionalMarginsFollowThePage) {
    InstallPrinter(4800, 6600, 600, 600);
    EXPECT_EQ(panel->CalcProportionalMargins(), Rect(15, 34, 15, 34));
    panel->SetBounds(0, 0, 250, 400);
    const TRect upright = panel->CalcProportionalMargins();
    EXPECT_EQ(upright.Top, 15);
    EXPECT_EQ(upright.Left, upright.Right);
    // Each margin is that percentage of the page.
    panel->PrintProportional = false;
    EXPECT_EQ(panel->ChartPrintRect(), Rect(720, 990, 4080, 5610));
}

TEST_F(OutputTest, PrintingPutsTheChartInsideThePageMargins) {
    InstallPrinter(800, 1000, 100, 100);
    panel->PrintProportional = false;
    for (int& margin : panel->PrintMargins) margin = 10;
    panel->Print();
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(Printer()->Printing());
    // The page's chart rectangle (80, 100) - (720, 900) holds the chart scaled by 1.6 x 3.2.
    EXPECT_EQ(page->At(400, 500), clRed);
    EXPECT_EQ(page->At(60, 500), clWhite);
    EXPECT_EQ(page->At(740, 500), clWhite);
    EXPECT_EQ(page->At(400, 90), clWhite);
}

TEST_F(OutputTest, AFailingPrintEndsTheJob) {
    InstallPrinter(800, 1000, 100, 100);
    panel->Body = [](const TRect&) { throw Exception("no chart"); };
    EXPECT_THROW(panel->Print(), Exception);
    EXPECT_FALSE(Printer()->Printing());
}

}  // namespace
