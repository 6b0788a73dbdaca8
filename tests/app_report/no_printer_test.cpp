// The report commands on a system without printers: Test Results says so and opens nothing;
// Print Preview meets the printer's own error.
#include <gtest/gtest.h>

#include "cl_hooks.h"
#include "cl_printer.h"
#include "main_window_environment.h"
#include "report_fixture.h"
#include "test_pump.h"

namespace {

const auto* controls = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);
const auto* mainWindow = ::testing::AddGlobalTestEnvironment(new MainWindowEnvironment(0));

TEST(NoPrinter, TestResultsShowsNoDefaultPrinterAndPreviewMeetsThePrinterError) {
    ASSERT_EQ(Printer()->PrinterIndex(), -1) << "a printer is installed";
    DefaultReportPreferences();
    ShowTest(ShownTestSpec{});
    int dialogs = 0;
    Hooks().ExecuteDialog = [&dialogs](TCommonDialog&) { return ++dialogs, true; };
    Boxes().clear();
    RadonMainForm->TestResults1Click(nullptr);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "No Default Printer");
    EXPECT_EQ(Boxes()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONINFORMATION));
    EXPECT_EQ(dialogs, 0);

    EXPECT_THROW(RadonMainForm->PrintPreview1Click(nullptr), EPrinter);
    Hooks().ExecuteDialog = nullptr;
}

}  // namespace
