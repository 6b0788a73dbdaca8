// A real job on the system's default printer (CUPS' PDF queue under Wine). The text printed is
// read back from the PDF by check_printed_pdf.sh.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "cl_printer.h"

namespace {

TEST(PrintToPdf, PrintsTwoPagesWithTheCanvasKeptAcrossThePageBreak) {
    TPrinter* printer = Printer();
    if (printer->PrinterIndex() == -1) GTEST_SKIP() << "no printer installed";
    printer->SetOrientation(poLandscape);
    EXPECT_EQ(printer->Orientation(), poLandscape);
    EXPECT_GT(printer->PageWidth(), printer->PageHeight());
    printer->SetOrientation(poPortrait);
    const int ppi = printer->DeviceCaps(LOGPIXELSY);
    EXPECT_GT(ppi, 0);
    EXPECT_LT(printer->PageWidth(), printer->PageHeight());
    EXPECT_LE(printer->PageWidth(), printer->DeviceCaps(PHYSICALWIDTH));

    const AnsiString token = IntToStr(static_cast<int>(GetTickCount() % 1000000));
    const AnsiString title = "classlib-print-check-" + token;
    printer->SetTitle(title);
    int pumped = 0;
    const std::function<void()> pump = PrinterMessagePump;
    PrinterMessagePump = [&pumped, pump] {
        ++pumped;
        pump();
    };
    printer->BeginDoc();
    TCanvas* canvas = printer->Canvas();
    EXPECT_EQ(canvas->Font()->PixelsPerInch(), ppi);
    canvas->Font()->SetName("Times New Roman");
    canvas->Font()->SetSize(12);
    EXPECT_EQ(canvas->Font()->Height(), -MulDiv(12, ppi, 72));
    const int x = printer->PageWidth() / 10, y = printer->PageHeight() / 10;
    canvas->TextOut(x, y, "Radon graphics page one " + token);
    canvas->Pen()->SetWidth(ppi / 50);
    canvas->MoveTo(x, y * 2);
    canvas->LineTo(x * 9, y * 2);
    printer->NewPage();
    EXPECT_EQ(printer->Canvas(), canvas);
    EXPECT_EQ(canvas->Font()->Name(), "Times New Roman");
    canvas->TextOut(x, y, "Radon graphics page two " + token);
    printer->EndDoc();
    EXPECT_FALSE(printer->Printing());
    PrinterMessagePump = pump;
    EXPECT_GT(pumped, 0) << "the application's messages were not pumped during the job";

    std::ofstream check(PRINT_CHECK_FILE, std::ios::binary);
    check << title.c_str() << "\n" << token.c_str() << "\n";
}

}  // namespace
