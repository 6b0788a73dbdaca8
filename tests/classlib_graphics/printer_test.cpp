// The printer without any printer installed, and with the test stand-in that replaces it.
#include <windows.h>

#include <gtest/gtest.h>

#include "cl_printer.h"

namespace {

const char kNoPrinter[] = "There is no default printer currently selected";

// A canvas that logs what is drawn on it, with the font size of each text.
class RecordingCanvas : public TCanvas {
public:
    RecordingCanvas() : dc_(CreateCompatibleDC(nullptr)) {}
    ~RecordingCanvas() override {
        SetHandle(nullptr);
        DeleteDC(dc_);
    }
    void TextOut(int x, int y, const AnsiString& text) override {
        log.push_back(text + "@" + IntToStr(x) + "," + IntToStr(y) + " " + Font()->Name() + " " +
                      IntToStr(Font()->Size()) + "pt");
    }
    std::vector<AnsiString> log;

protected:
    void CreateHandle() override { SetHandle(dc_); }

private:
    HDC dc_;
};

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
    RecordingCanvas* recorder = nullptr;
    Hooks().CreatePrinterStandIn = [&recorder] {
        TPrinterStandIn standIn;
        standIn.Name = "Recording Printer";
        standIn.CreateCanvas = [&recorder](const TPrinterDeviceCaps&) {
            recorder = new RecordingCanvas;
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
    ASSERT_EQ(recorder->log.size(), 2u);
    EXPECT_EQ(recorder->log[0], "page one@100,200 Times New Roman 10pt");
    EXPECT_EQ(recorder->log[1], "page two@100,200 Times New Roman 10pt");
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
