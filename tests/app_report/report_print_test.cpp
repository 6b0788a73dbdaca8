// Whole reports of a 6915 and a 6916 test printed through Test Results on the system's default
// printer (CUPS' PDF queue under Wine): what each job should hold is written to the check file
// that check_printed_reports.sh compares with the PDF files.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "PreviewDialog.h"
#include "cl_hooks.h"
#include "cl_printer.h"
#include "main_window_environment.h"
#include "report_fixture.h"
#include "test_pump.h"

namespace {

const auto* controls = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);
const auto* mainWindow = ::testing::AddGlobalTestEnvironment(new MainWindowEnvironment(0));

std::function<void()> modalScript;

void CALLBACK RunModalScript(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const std::function<void()> script = std::move(modalScript);
    modalScript = nullptr;
    script();
}

struct PrintCase {
    const char* Model;
    uint32_t Units;
};

class PrintedReport : public ::testing::TestWithParam<PrintCase> {};

TEST_P(PrintedReport, GoesToTheDefaultPrinterAfterThePreview) {
    if (Printer()->PrinterIndex() == -1) GTEST_SKIP() << "no printer installed";
    const PrintCase c = GetParam();
    DefaultReportPreferences();
    frmPreferences->PrintRiskInformation = true;
    frmPreferences->PrintUnderstandingResults = true;
    ShownTestSpec spec;
    spec.Model = c.Model;
    spec.Units = c.Units;
    spec.Count = 73;
    ShowTest(spec);
    FeedShownTest();
    const AnsiString token = "Check" + IntToStr(static_cast<int>(GetTickCount() % 1000000)) + c.Model;
    RadonMainForm->CustomerNameEdit->SetText(token);
    Hooks().ExecuteDialog = [](TCommonDialog&) { return true; };
    modalScript = [] { frmPrintPreview->PrintSpeedButtonClick(nullptr); };
    SetTimer(nullptr, 0, 50, RunModalScript);
    RadonMainForm->TestResults1Click(nullptr);
    Hooks().ExecuteDialog = nullptr;
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(Printer()->Title(), "Radon Report");

    static bool firstJob = true;
    std::ofstream check(PRINT_CHECK_FILE,
                        std::ios::binary | (firstJob ? std::ios::trunc : std::ios::app));
    firstJob = false;
    check << token.c_str() << " " << c.Model << " " << (c.Units ? "pCi/l" : "Bq/m3") << " "
          << frmPrintPreview->Pages.size() << "\n";
}

INSTANTIATE_TEST_SUITE_P(Models, PrintedReport,
                         ::testing::Values(PrintCase{"6915", 1}, PrintCase{"6916", 0}),
                         [](const auto& info) { return std::string(info.param.Model); });

}  // namespace
