// A real job on the system's default printer (CUPS' PDF queue under Wine): the panel's picture
// printed, then found in the PDF by check_printed_panel.sh.
#include <windows.h>

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <fstream>

#include "OpenGLPanel.h"
#include "cl_printer.h"
#include "shown_form.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class PrintToPdf : public ShownFormTest {};

TEST_F(PrintToPdf, PanelPictureGoesToTheDefaultPrinter) {
    if (Printer()->PrinterIndex() == -1) GTEST_SKIP() << "no printer installed";
    auto* panel = new TOpenGLPanel(form);
    panel->SetBounds(10, 10, 300, 200);
    panel->OnPaint = [](TObject*) {  // red, the lower left quarter blue
        glViewport(0, 0, 300, 200);
        glClearColor(1, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 300, 0, 200, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor3f(0, 0, 1);
        glRecti(0, 0, 150, 100);
    };
    AnsiString error;
    panel->OnError = [&error, panel](TObject*) { error = panel->ErrorText(); };
    panel->SetParent(form);
    ASSERT_NE(panel->RenderContext(), nullptr);

    const AnsiString title =
        "opengl-print-check-" + IntToStr(static_cast<int>(GetTickCount() % 1000000));
    Printer()->SetTitle(title);
    panel->PrintOpenGLPanel();
    EXPECT_TRUE(error.IsEmpty()) << error.c_str();
    EXPECT_FALSE(Printer()->Printing());
    std::ofstream check(PRINT_CHECK_FILE, std::ios::binary);
    check << title.c_str() << "\n";
    panel->Free();
}

}  // namespace
