// The printer: one process-wide object over the system's printer DC, with its printer list,
// page geometry, orientation and the print job (BeginDoc, NewPage, EndDoc, Abort).
#pragma once

#include <windows.h>
#include <winspool.h>

#include <functional>
#include <memory>
#include <vector>

#include "cl_graphics.h"
#include "cl_hooks.h"
#include "cl_lists.h"

enum TPrinterOrientation { poPortrait, poLandscape };

// With no printer installed, everything that needs the device raises EPrinter "There is no
// default printer currently selected"; PrinterIndex then reads -1. The canvas (and its pen,
// brush and font) persists across pages and jobs; its font follows the printer's LOGPIXELSY.
// While a job runs, the printer pumps the application's messages (PrinterMessagePump).
// A printer stand-in installed through Hooks() replaces the system printer entirely.
class TPrinter : public TObject {
    CL_CLASS(TPrinter, TObject)

    TPrinter();
    ~TPrinter() override;

    // The installed printers' names; the system default is selected on the first query.
    TStrings* Printers();
    int PrinterIndex();
    // -1 selects the system default printer.
    void SetPrinterIndex(int index);

    HDC Handle();
    TCanvas* Canvas();
    // GetDeviceCaps of the printer (the stand-in's values when one is installed).
    int DeviceCaps(int index);
    int PageWidth() { return DeviceCaps(HORZRES); }
    int PageHeight() { return DeviceCaps(VERTRES); }
    int PageNumber() const { return pageNumber_; }
    TPrinterOrientation Orientation();
    void SetOrientation(TPrinterOrientation orientation);
    int Copies();
    void SetCopies(int copies);
    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& title) { title_ = title; }

    void BeginDoc();
    void NewPage();
    void EndDoc();
    void Abort();
    bool Printing() const { return printing_; }
    bool Aborted() const { return aborted_; }

    // Names of the current printer (buffers of at least 129 characters each) and a copy of
    // its DEVMODE in movable global memory (the caller frees it).
    void GetPrinter(char* device, char* driver, char* port, HGLOBAL& deviceMode);
    // Selects the printer by name with the given DEVMODE (0: the printer's defaults).
    void SetPrinter(const char* device, const char* driver, const char* port,
                    HGLOBAL deviceMode);

private:
    class TPrinterCanvas;
    struct Device {
        AnsiString name;
        AnsiString driver;
        AnsiString port;
    };
    void LoadPrinters();
    void CheckPrinter();
    void CheckNotPrinting();
    void SelectPrinter(int index, const DEVMODEA* deviceMode);
    DEVMODEA* DevMode();
    void FreeDC();
    void BindCanvas();
    void ApplyDevMode();

    std::unique_ptr<TStringList> printers_;
    std::vector<Device> devices_;
    bool loaded_ = false;
    int index_ = -1;
    std::vector<uint8_t> devMode_;
    HDC dc_ = nullptr;
    TCanvas* canvas_ = nullptr;
    std::unique_ptr<TPrinterStandIn> standIn_;
    TPrinterOrientation standInOrientation_ = poPortrait;
    AnsiString title_;
    bool printing_ = false;
    bool aborted_ = false;
    int pageNumber_ = 0;
};

// The process-wide printer, created on first use.
TPrinter* Printer();
// Replaces the process-wide printer and returns the previous one (the caller owns it).
TPrinter* SetPrinter(TPrinter* printer);

// Runs the application's pending messages while a print job runs. The default dispatches the
// thread's messages and services Synchronize; the application installs its own pump.
extern std::function<void()> PrinterMessagePump;
