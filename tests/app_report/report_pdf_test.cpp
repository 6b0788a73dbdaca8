// Whole reports of a 6915 and a 6916 test written through Print Preview's Print to PDF button by
// the engine beside this program, each with its preview's first page saved as a bitmap; what
// each file should hold goes to the check file that check_pdf_reports.sh compares with the files.
// Also: a failed export gives its document up, and the next one starts clean.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "PePDFR1.h"
#include "PreviewDialog.h"
#include "cl_dialogs.h"
#include "cl_hooks.h"
#include "cl_printer.h"
#include "main_window_environment.h"
#include "report_fixture.h"
#include "test_pump.h"

namespace {

// A printer of 600 pixels per inch on 8.5 x 11 inch paper, drawing on a recording canvas.
const bool printerStandIn = [] {
    Hooks().CreatePrinterStandIn = [] {
        TPrinterStandIn standIn;
        standIn.CreateCanvas = [](const TPrinterDeviceCaps&) { return new TRecordingCanvas; };
        return standIn;
    };
    return true;
}();
const auto* controls = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);
const auto* mainWindow = ::testing::AddGlobalTestEnvironment(new MainWindowEnvironment(0));

std::function<void()> modalScript;

void CALLBACK RunModalScript(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const std::function<void()> script = std::move(modalScript);
    modalScript = nullptr;
    script();
}

const std::string OutputDir = PDF_OUTPUT_DIR;

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct ExportCase {
    const char* Model;
    uint32_t Units;
    uint32_t Interval;
};

class PdfReport : public ::testing::Test {
protected:
    void SetUp() override {
        DefaultReportPreferences();
        frmPreferences->PrintRiskInformation = true;
        frmPreferences->PrintUnderstandingResults = true;
        CreateDirectoryA(OutputDir.c_str(), nullptr);
        Hooks().ExecuteDialog = [this](TCommonDialog& dialog) {
            if (auto* save = dynamic_cast<TSaveDialog*>(&dialog)) save->SetFileName(base_.c_str());
            return true;
        };
    }
    void TearDown() override { Hooks().ExecuteDialog = nullptr; }

    // Shows the test under a customer name of its own, which marks its file's text.
    std::string Show(const ExportCase& c) {
        ShownTestSpec spec;
        spec.Model = c.Model;
        spec.Units = c.Units;
        spec.Interval = c.Interval;
        spec.Count = 73;
        ShowTest(spec);
        FeedShownTest();
        const std::string token =
            "Check" + std::to_string(GetTickCount() % 1000000) + c.Model;
        RadonMainForm->CustomerNameEdit->SetText(token.c_str());
        return token;
    }
    // Print Preview, then its Print to PDF button with `base` chosen as the file name.
    void ExportThroughPreview(const std::string& base) {
        base_ = base;
        modalScript = [] { frmPrintPreview->PDFSpeedButtonClick(nullptr); };
        SetTimer(nullptr, 0, 20, RunModalScript);
        RadonMainForm->PrintPreview1Click(nullptr);
    }
    // One line of the check file: token, model, units, pages, file, preview bitmap of page 1.
    void ExpectInFile(const std::string& token, const ExportCase& c, const std::string& name) {
        const std::string bitmap = OutputDir + "/" + name + "-preview1.bmp";
        frmPrintPreview->Pages.front()->SaveToFile(bitmap.c_str());
        static bool firstLine = true;
        std::ofstream check(PDF_CHECK_FILE,
                            std::ios::binary | (firstLine ? std::ios::trunc : std::ios::app));
        firstLine = false;
        check << token << " " << c.Model << " " << (c.Units ? "pCi/l" : "Bq/m3") << " "
              << frmPrintPreview->Pages.size() << " " << name << ".pdf " << name
              << "-preview1.bmp\n";
    }

    std::string base_;
};

TEST_F(PdfReport, WholeReportsOfBothModelsGoThroughThePreviewsPdfButton) {
    for (const ExportCase& c : {ExportCase{"6915", 1, HourInterval},
                                ExportCase{"6916", 0, HalfHourInterval}}) {
        SCOPED_TRACE(c.Model);
        const std::string name = std::string("report") + c.Model;
        const std::string file = OutputDir + "/" + name + ".pdf";
        DeleteFileA(file.c_str());
        const std::string token = Show(c);
        ExportThroughPreview(OutputDir + "/" + name);
        ASSERT_TRUE(frmPrintPreview->PrintToPDF);
        ASSERT_TRUE(Exists(file));
        EXPECT_FALSE(RadonMainForm->PePDFPrinter->Printing());
        ExpectInFile(token, c, name);
    }
}

// The first export fails at its save (no such folder); the next one, to a good name, holds
// only its own report; and a painting failure with a page open leaves no document behind.
TEST_F(PdfReport, AFailedExportGivesItsDocumentUpAndTheNextStartsClean) {
    const ExportCase c{"6916", 0, HourInterval};
    Show(c);
    EXPECT_ANY_THROW(ExportThroughPreview(OutputDir + "/no such folder/report"));
    EXPECT_FALSE(RadonMainForm->PePDFPrinter->Printing());
    EXPECT_EQ(RadonMainForm->PePDFPrinter->UseCount(), 0);

    Monitor->IntervalIndex = 99;
    frmPrintPreview->SaveDialog->SetFileName((OutputDir + "/unpainted").c_str());
    EXPECT_THROW(RadonMainForm->PrintReportToPdf(), EConvertError);
    EXPECT_FALSE(RadonMainForm->PePDFPrinter->Printing()) << "the document is given up at once";
    EXPECT_EQ(RadonMainForm->PePDFPrinter->UseCount(), 0);
    EXPECT_FALSE(Exists(OutputDir + "/unpainted.pdf"));

    const std::string token = Show(c);
    const std::string file = OutputDir + "/retry.pdf";
    DeleteFileA(file.c_str());
    ExportThroughPreview(OutputDir + "/retry");
    ASSERT_TRUE(Exists(file));
    ExpectInFile(token, c, "retry");
}

}  // namespace
