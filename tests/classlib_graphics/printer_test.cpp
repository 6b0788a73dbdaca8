// The printer without any printer installed, and with the test stand-in that replaces it.
#include <windows.h>

#include <gtest/gtest.h>

#include "cl_printer.h"
#include "recording_canvas.h"

namespace {

const char kNoPrinter[] = "There is no default printer currently selected";

class PrinterTest : public ::testing::Test {
protected:
    void TearDown() override {
        delete SetPrinter(nullptr);
        Hooks().CreatePrinterStandIn = nullptr;
    }
};

TEST_F(PrinterTest, WithoutAPrinterQueriesRaiseTheNoDefaultPrinterError) {
    TPrinter* printer = Printer();
    EXPECT_EQ(printer->PrinterIndex(), -1);
    EXPECT_EQ(printer->Printers()->Count(), 0);
    const std::function<void()> queries[] = {
        [printer] { printer->Canvas(); },
        [printer] { printer->Handle(); },
        [printer] { printer->PageWidth(); },
        [printer] { printer->DeviceCaps(LOGPIXELSY); },
        [printer] { printer->SetOrientation(poPortrait); },
        [printer] { printer->BeginDoc(); },
    };
    for (const auto& query : queries) {
        try {
            query();
            ADD_FAILURE() << "no error";
        } catch (const EPrinter& e) {
            EXPECT_EQ(e.Message(), kNoPrinter);
        }
    }
    EXPECT_FALSE(printer->Printing());
    EXPECT_THROW(printer->NewPage(), EPrinter);
}

TEST_F(PrinterTest, StandInReplacesTheSystemPrinter) {
    TRecordingCanvas* recorder = nullptr;
    Hooks().CreatePrinterStandIn = [&recorder] {
        TPrinterStandIn standIn;
        standIn.Name = "Recording Printer";
        standIn.CreateCanvas = [&recorder](const TPrinterDeviceCaps&) {
            recorder = new TRecordingCanvas;
            return recorder;
        };
        return standIn;
    };
    TPrinter* printer = Printer();
    EXPECT_EQ(printer->PrinterIndex(), 0);
    EXPECT_EQ(printer->Printers()->Strings(0), "Recording Printer");
    EXPECT_EQ(printer->PageWidth(), 4950);
    EXPECT_EQ(printer->PageHeight(), 6450);
    EXPECT_EQ(printer->DeviceCaps(LOGPIXELSY), 600);
    EXPECT_EQ(printer->DeviceCaps(PHYSICALWIDTH), 5100);

    printer->SetTitle("Radon Report");
    printer->BeginDoc();
    ASSERT_EQ(printer->Canvas(), recorder);
    EXPECT_EQ(recorder->Font()->PixelsPerInch(), 600);
    EXPECT_EQ(recorder->Font()->Size(), 8);
    recorder->Font()->SetName("Times New Roman");
    recorder->Font()->SetSize(10);
    printer->Canvas()->TextOut(100, 200, "page one");
    const std::function<void()> newPage = [printer] { printer->NewPage(); };
    newPage();
    EXPECT_EQ(printer->PageNumber(), 2);
    EXPECT_EQ(printer->Canvas(), recorder);
    printer->Canvas()->TextOut(100, 200, "page two");
    printer->EndDoc();
    EXPECT_FALSE(printer->Printing());
    const auto texts = recorder->CallsNamed("TextOut");
    ASSERT_EQ(texts.size(), 2u);
    for (const TCanvasCall* text : texts) {
        EXPECT_EQ(text->FontName, "Times New Roman");
        EXPECT_EQ(text->FontSize, 10);
    }
    EXPECT_EQ(texts[0]->ToString(), "TextOut(100,200,\"page one\")");
    EXPECT_EQ(texts[1]->ToString(), "TextOut(100,200,\"page two\")");
    EXPECT_EQ(recorder->Font()->Height(), -83);
}

TEST_F(PrinterTest, AJobCannotStartTwiceAndAbortEndsIt) {
    Hooks().CreatePrinterStandIn = [] { return TPrinterStandIn(); };
    TPrinter* printer = Printer();
    printer->BeginDoc();
    EXPECT_THROW(printer->BeginDoc(), EPrinter);
    EXPECT_THROW(printer->SetOrientation(poLandscape), EPrinter);
    printer->Abort();
    EXPECT_TRUE(printer->Aborted());
    EXPECT_FALSE(printer->Printing());
    printer->BeginDoc();
    EXPECT_FALSE(printer->Aborted());
    printer->EndDoc();
}

}  // namespace
