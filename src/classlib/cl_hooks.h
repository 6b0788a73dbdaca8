// Test seams of the class library: stand-ins for the system's message boxes, common dialogs,
// clock and printer. Every hook is empty in the product; a test installs the ones it needs.
#pragma once

#include <functional>

#include "cl_string.h"

class TCanvas;
class TCommonDialog;

// Device capabilities that a printer stand-in reports in place of the printer DC's.
struct TPrinterDeviceCaps {
    int LogPixelsX = 600;
    int LogPixelsY = 600;
    int PhysicalWidth = 5100;
    int PhysicalHeight = 6600;
    int PhysicalOffsetX = 75;
    int PhysicalOffsetY = 75;
    int HorzRes = 4950;
    int VertRes = 6450;
};

// What Printer() uses instead of a real printer while the hook is set.
struct TPrinterStandIn {
    AnsiString Name = "Test Printer";
    TPrinterDeviceCaps Caps;
    // Creates the canvas the printer draws on (a recording canvas in tests); the printer
    // owns and frees it.
    std::function<TCanvas*(const TPrinterDeviceCaps& caps)> CreateCanvas;
};

struct ClassLibHooks {
    // Replaces the system message box: (text, caption, MB_* flags) -> IDOK, IDYES, ...
    // Also called from worker threads.
    std::function<int(const AnsiString& text, const AnsiString& caption, unsigned flags)>
        ShowMessageBox;
    // Replaces a common dialog's Execute: fills the dialog's fields and returns its result.
    std::function<bool(TCommonDialog& dialog)> ExecuteDialog;
    // Replaces the clock behind Now() (days since 1899-12-30, fraction = time of day).
    std::function<double()> Now;
    // Called when Printer() is first created; a stand-in replaces the system printer.
    std::function<TPrinterStandIn()> CreatePrinterStandIn;
};

// The process-wide hooks; set them before the code under test runs.
ClassLibHooks& Hooks();
