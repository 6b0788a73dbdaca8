// Printing the panel's picture on a stand-in printer whose page is a bitmap: where it lands and
// how big it is by PrintScale; and a printer that cannot print reported through OnError.
#include <windows.h>

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <string>

#include "OpenGLPanel.h"
#include "cl_printer.h"
#include "recording_canvas.h"
#include "shown_form.h"

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000;

class PrintPanelTest : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Hooks().CreatePrinterStandIn = [this] {
            TPrinterStandIn standIn;
            standIn.Caps.LogPixelsX = standIn.Caps.LogPixelsY = 300;
            standIn.Caps.HorzRes = 1000;
            standIn.Caps.VertRes = 800;
            standIn.CreateCanvas = [this](const TPrinterDeviceCaps& caps) {
                page = new TRecordingCanvas(caps.HorzRes, caps.VertRes, caps.LogPixelsY);
                return page;
            };
            return standIn;
        };
        delete SetPrinter(nullptr);
        // 200 x 100: red, the lower left quarter blue.
        panel = new TOpenGLPanel(form);
        panel->SetBounds(10, 10, 200, 100);
        panel->OnPaint = [](TObject*) {
            glViewport(0, 0, 200, 100);
            glClearColor(1, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glOrtho(0, 200, 0, 100, -1, 1);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            glColor3f(0, 0, 1);
            glRecti(0, 0, 100, 50);
        };
        panel->OnError = [this](TObject*) { errors.push_back(panel->ErrorText().c_str()); };
        panel->SetParent(form);
        panel->Handle();
    }
    void TearDown() override {
        delete SetPrinter(nullptr);
        Hooks().CreatePrinterStandIn = nullptr;
        ShownFormTest::TearDown();
    }
    TColor PageAt(int x, int y) { return GetPixel(page->Handle(), x, y); }

    TOpenGLPanel* panel = nullptr;
    TRecordingCanvas* page = nullptr;
    std::vector<std::string> errors;
};

TEST_F(PrintPanelTest, PictureLandsAtTheMarginInTheScalesSize) {
    struct Case {
        TOpenGLPrintScale scale;
        int pixelsPerInch;
        int right, bottom;  // the picture's far edges on the page; it starts at (53, 53)
    } cases[] = {
        {pglNone, 96, 253, 153},
        {pglProportional, 100, 53 + 600, 53 + 300},
        {pglPrintToFit, 96, 53 + 800, 53 + 400},  // 894 x 694 inside the margins: 4 times
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        panel->SetPrintScale(c.scale);
        panel->SetPixelsPerInch(c.pixelsPerInch);
        panel->PrintOpenGLPanel();
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(errors.empty());
        const int width = c.right - 53, height = c.bottom - 53;
        EXPECT_EQ(PageAt(52, 60), clWhite);
        EXPECT_EQ(PageAt(60, 52), clWhite);
        EXPECT_EQ(PageAt(53, 53), Red);
        EXPECT_EQ(PageAt(c.right - 1, c.bottom - height / 2 - 1), Red);
        EXPECT_EQ(PageAt(53, c.bottom - 1), Blue);
        EXPECT_EQ(PageAt(53 + width / 2 - 1, c.bottom - 1), Blue);
        EXPECT_EQ(PageAt(53 + width / 2 + 1, c.bottom - 1), Red);
        EXPECT_EQ(PageAt(c.right, c.bottom - 1), clWhite);
        EXPECT_EQ(PageAt(53, c.bottom), clWhite);
        delete SetPrinter(nullptr);
        page = nullptr;
    }
}

TEST_F(PrintPanelTest, ProportionalScaleTakes96ForAResolutionBelowOne) {
    panel->SetPixelsPerInch(0);
    panel->PrintOpenGLPanel();
    EXPECT_EQ(panel->PixelsPerInch(), 96);
    EXPECT_EQ(PageAt(53 + 624, 53 + 311), Red);  // 200 x 100 at 96 dpi is 625 x 312 dots
    EXPECT_EQ(PageAt(53 + 626, 53 + 311), clWhite);
}

}  // namespace
