// Printing the panel on a system without printers: the printer's error comes through OnError,
// nothing is raised.
#include <windows.h>

#include <GL/gl.h>

#include <gtest/gtest.h>

#include "OpenGLPanel.h"
#include "cl_printer.h"
#include "shown_form.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class NoPrinter : public ShownFormTest {};

TEST_F(NoPrinter, PrintingReportsThePrinterErrorThroughOnError) {
    ASSERT_EQ(Printer()->PrinterIndex(), -1) << "a printer is installed";
    auto* panel = new TOpenGLPanel(form);
    panel->SetBounds(10, 10, 100, 80);
    panel->OnPaint = [](TObject*) {
        glClearColor(0, 1, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    };
    int errors = 0;
    panel->OnError = [&errors](TObject*) { ++errors; };
    panel->SetParent(form);
    EXPECT_NO_THROW(panel->PrintOpenGLPanel());
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(panel->ErrorText(), "There is no default printer currently selected");
    panel->Free();
}

}  // namespace
