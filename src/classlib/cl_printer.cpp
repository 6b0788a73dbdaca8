#include "cl_printer.h"

#include "cl_fpu.h"
#include "cl_threads.h"

namespace {

const char kPrinting[] = "Printing in progress";
const char kNotPrinting[] = "Printer is not currently printing";
const char kInvalidPrinter[] = "Printer selected is not valid";
const char kIndexOutOfRange[] = "Printer index out of range";

TPrinter* thePrinter = nullptr;

class PrinterHandle {
public:
    explicit PrinterHandle(const AnsiString& name) {
        if (!OpenPrinterA(const_cast<char*>(name.c_str()), &handle_, nullptr)) handle_ = nullptr;
    }
    ~PrinterHandle() {
        if (handle_) ClosePrinter(handle_);
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;
    operator HANDLE() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

AnsiString DefaultPrinterName() {
    char name[512] = "";
    DWORD size = sizeof name;
    if (GetDefaultPrinterA(name, &size)) return name;
    GetProfileStringA("windows", "device", "", name, sizeof name);
    const char* comma = strchr(name, ',');
    return comma ? AnsiString(name, static_cast<int>(comma - name)) : AnsiString(name);
}

BOOL CALLBACK PrinterAbortProc(HDC, int) {
    try {
        if (PrinterMessagePump) PrinterMessagePump();
    } catch (...) {
    }
    return thePrinter && !thePrinter->Aborted();
}

}  // namespace

std::function<void()> PrinterMessagePump = [] {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    CheckSynchronize();
};

// The printer's canvas: bound to the printer DC on first use, its font at the printer's
// resolution.
class TPrinter::TPrinterCanvas : public TCanvas {
public:
    explicit TPrinterCanvas(TPrinter* printer) : printer_(printer) {}

protected:
    void CreateHandle() override {
        printer_->Handle();
        if (!HandleAllocated()) printer_->BindCanvas();
    }

private:
    TPrinter* printer_;
};

TPrinter::TPrinter() : printers_(new TStringList) {
    if (Hooks().CreatePrinterStandIn) {
        standIn_ = std::make_unique<TPrinterStandIn>(Hooks().CreatePrinterStandIn());
    }
}

TPrinter::~TPrinter() {
    if (printing_) Abort();
    delete canvas_;
    canvas_ = nullptr;
    FreeDC();
}

void TPrinter::LoadPrinters() {
    if (loaded_) return;
    loaded_ = true;
    if (standIn_) {
        devices_.push_back({standIn_->Name, "", ""});
        printers_->Add(standIn_->Name);
        index_ = 0;
        return;
    }
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (needed && EnumPrintersA(flags, nullptr, 2, buffer.data(), needed, &needed, &count)) {
        const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            devices_.push_back({info[i].pPrinterName, info[i].pDriverName ? info[i].pDriverName : "",
                                info[i].pPortName ? info[i].pPortName : ""});
            printers_->Add(info[i].pPrinterName);
        }
    }
    const int defaultIndex = printers_->IndexOf(DefaultPrinterName());
    index_ = defaultIndex >= 0 ? defaultIndex : (devices_.empty() ? -1 : 0);
}

TStrings* TPrinter::Printers() {
    LoadPrinters();
    return printers_.get();
}

int TPrinter::PrinterIndex() {
    LoadPrinters();
    return index_;
}

void TPrinter::SetPrinterIndex(int index) {
    CheckNotPrinting();
    LoadPrinters();
    if (index == -1) {
        index = printers_->IndexOf(DefaultPrinterName());
        if (index < 0) throw EPrinter(SNoDefaultPrinter);
    }
    if (index < 0 || index >= static_cast<int>(devices_.size())) throw EPrinter(kIndexOutOfRange);
    SelectPrinter(index, nullptr);
}

void TPrinter::CheckPrinter() {
    if (PrinterIndex() == -1) throw EPrinter(SNoDefaultPrinter);
}

void TPrinter::CheckNotPrinting() {
    if (printing_) throw EPrinter(kPrinting);
}

void TPrinter::SelectPrinter(int index, const DEVMODEA* deviceMode) {
    FreeDC();
    index_ = index;
    devMode_.clear();
    if (standIn_) return;
    const AnsiString& name = devices_[index].name;
    PrinterHandle printer(name);
    char* device = const_cast<char*>(name.c_str());
    const LONG size = printer ? DocumentPropertiesA(nullptr, printer, device, nullptr, nullptr, 0) : 0;
    if (size > 0) {
        devMode_.assign(static_cast<size_t>(size), 0);
        auto* out = reinterpret_cast<DEVMODEA*>(devMode_.data());
        const DWORD mode = DM_OUT_BUFFER | (deviceMode ? DM_IN_BUFFER : 0);
        if (DocumentPropertiesA(nullptr, printer, device, out, const_cast<DEVMODEA*>(deviceMode),
                                mode) < 0) {
            devMode_.clear();
        }
    }
    if (devMode_.empty() && deviceMode) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(deviceMode);
        devMode_.assign(bytes, bytes + deviceMode->dmSize + deviceMode->dmDriverExtra);
    }
}

DEVMODEA* TPrinter::DevMode() {
    if (devMode_.empty() && !standIn_) SelectPrinter(index_, nullptr);
    return devMode_.empty() ? nullptr : reinterpret_cast<DEVMODEA*>(devMode_.data());
}

void TPrinter::FreeDC() {
    if (canvas_ && !standIn_) canvas_->SetHandle(nullptr);
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
}

HDC TPrinter::Handle() {
    CheckPrinter();
    if (standIn_) return Canvas()->Handle();
    if (!dc_) {
        const Device& device = devices_[index_];
        TFPUControlGuard driverCall;
        dc_ = CreateDCA(device.driver.c_str(), device.name.c_str(), nullptr, DevMode());
        if (!dc_) throw EPrinter(kInvalidPrinter);
        if (canvas_) BindCanvas();
    }
    return dc_;
}

void TPrinter::BindCanvas() {
    canvas_->SetHandle(dc_);
    canvas_->AdoptFontResolution(GetDeviceCaps(dc_, LOGPIXELSY));
}

TCanvas* TPrinter::Canvas() {
    CheckPrinter();
    if (!canvas_) {
        if (standIn_) {
            canvas_ = standIn_->CreateCanvas ? standIn_->CreateCanvas(standIn_->Caps) : new TCanvas;
            canvas_->AdoptFontResolution(standIn_->Caps.LogPixelsY);
        } else {
            canvas_ = new TPrinterCanvas(this);
            Handle();
            BindCanvas();
        }
    }
    return canvas_;
}

int TPrinter::DeviceCaps(int index) {
    CheckPrinter();
    if (!standIn_) return GetDeviceCaps(Handle(), index);
    const TPrinterDeviceCaps& caps = standIn_->Caps;
    switch (index) {
    case LOGPIXELSX: return caps.LogPixelsX;
    case LOGPIXELSY: return caps.LogPixelsY;
    case PHYSICALWIDTH: return caps.PhysicalWidth;
    case PHYSICALHEIGHT: return caps.PhysicalHeight;
    case PHYSICALOFFSETX: return caps.PhysicalOffsetX;
    case PHYSICALOFFSETY: return caps.PhysicalOffsetY;
    case HORZRES: return caps.HorzRes;
    case VERTRES: return caps.VertRes;
    default: return GetDeviceCaps(Canvas()->Handle(), index);
    }
}

TPrinterOrientation TPrinter::Orientation() {
    CheckPrinter();
    if (standIn_) return standInOrientation_;
    const DEVMODEA* mode = DevMode();
    return mode && (mode->dmFields & DM_ORIENTATION) && mode->dmOrientation == DMORIENT_LANDSCAPE
               ? poLandscape
               : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation orientation) {
    if (orientation == Orientation()) return;
    CheckNotPrinting();
    if (standIn_) {
        standInOrientation_ = orientation;
        return;
    }
    if (DEVMODEA* mode = DevMode()) {
        mode->dmOrientation = orientation == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        mode->dmFields |= DM_ORIENTATION;
        FreeDC();
    }
}

int TPrinter::Copies() {
    CheckPrinter();
    const DEVMODEA* mode = DevMode();
    return mode && (mode->dmFields & DM_COPIES) ? mode->dmCopies : 1;
}

void TPrinter::SetCopies(int copies) {
    CheckPrinter();
    CheckNotPrinting();
    if (DEVMODEA* mode = DevMode()) {
        mode->dmCopies = static_cast<short>(copies);
        mode->dmFields |= DM_COPIES;
        FreeDC();
    }
}

void TPrinter::BeginDoc() {
    CheckNotPrinting();
    CheckPrinter();
    TCanvas* canvas = Canvas();
    if (!standIn_) {
        HDC dc = Handle();
        SetAbortProc(dc, PrinterAbortProc);
        DOCINFOA doc{};
        doc.cbSize = sizeof doc;
        doc.lpszDocName = title_.c_str();
        TFPUControlGuard driverCall;
        if (StartDocA(dc, &doc) <= 0) throw EPrinter("Printing could not be started");
        StartPage(dc);
    }
    printing_ = true;
    aborted_ = false;
    pageNumber_ = 1;
    canvas->Refresh();
}

void TPrinter::NewPage() {
    if (!printing_) throw EPrinter(kNotPrinting);
    if (!standIn_) {
        TFPUControlGuard driverCall;
        ::EndPage(dc_);
        StartPage(dc_);
    }
    ++pageNumber_;
    canvas_->Refresh();
}

void TPrinter::EndDoc() {
    if (!printing_) throw EPrinter(kNotPrinting);
    if (!standIn_) {
        TFPUControlGuard driverCall;
        ::EndPage(dc_);
        if (!aborted_) ::EndDoc(dc_);
    }
    printing_ = false;
    aborted_ = false;
    pageNumber_ = 0;
}

void TPrinter::Abort() {
    if (!printing_) throw EPrinter(kNotPrinting);
    if (!standIn_) {
        TFPUControlGuard driverCall;
        AbortDoc(dc_);
    }
    aborted_ = true;
    printing_ = false;
    pageNumber_ = 0;
}

void TPrinter::GetPrinter(char* device, char* driver, char* port, HGLOBAL& deviceMode) {
    CheckPrinter();
    const Device& current = devices_[index_];
    lstrcpynA(device, current.name.c_str(), 129);
    lstrcpynA(driver, current.driver.c_str(), 129);
    lstrcpynA(port, current.port.c_str(), 129);
    deviceMode = nullptr;
    if (const DEVMODEA* mode = DevMode()) {
        deviceMode = GlobalAlloc(GHND, devMode_.size());
        if (void* target = GlobalLock(deviceMode)) {
            memcpy(target, mode, devMode_.size());
            GlobalUnlock(deviceMode);
        }
    }
}

void TPrinter::SetPrinter(const char* device, const char* driver, const char* port,
                          HGLOBAL deviceMode) {
    CheckNotPrinting();
    LoadPrinters();
    int index = printers_->IndexOf(device);
    if (index < 0) {
        devices_.push_back({device, driver ? driver : "", port ? port : ""});
        index = printers_->Add(device);
    }
    const auto* mode = deviceMode ? static_cast<const DEVMODEA*>(GlobalLock(deviceMode)) : nullptr;
    SelectPrinter(index, mode);
    if (mode) GlobalUnlock(deviceMode);
}

TPrinter* Printer() {
    if (!thePrinter) thePrinter = new TPrinter;
    return thePrinter;
}

TPrinter* SetPrinter(TPrinter* printer) {
    TPrinter* previous = thePrinter;
    thePrinter = printer;
    return previous;
}
