// The report's commands: Test Results, Print Preview and the hidden Print to PDF paint the
// report for the preview first, then again for the printer or a PDF file at the user's choice.
#include "Preferences.h"
#include "PreviewDialog.h"
#include "PePDFR1.h"
#include "Radon.h"
#include "RadonMainForm.h"
#include "cl_dialogs.h"
#include "cl_printer.h"

namespace {

const char* const NoDataText = "There is no data in the monitor to view";
const char* const PrintingText = "Cannot print now. Printing in process.";

bool TestLoaded() {
    if (Monitor->CF1 != 0) return true;
    Application->MessageBox(NoDataText, "Message", MB_OK);
    return false;
}

bool PrinterFree(const char* caption, UINT icon) {
    if (!Printer()->Printing()) return true;
    Application->MessageBox(PrintingText, caption, MB_OK | icon);
    return false;
}

// The name the user chose, ending in exactly ".pdf".
AnsiString WithPdfExtension(const AnsiString& fileName) {
    const int length = fileName.Length();
    if (length >= 4 && fileName.SubString(length - 3, 4) == ".pdf") return fileName;
    return fileName + ".pdf";
}

}  // namespace

void TRadonMainForm::TestResults1Click(TObject*) {
    if (!TestLoaded() || !CheckDefaultPrinter() || !PrintDialog->Execute()) return;
    if (!PrinterFree("Warning", MB_ICONEXCLAMATION)) return;
    Printer()->SetTitle("Radon Report");
    PreviewReport();
}

void TRadonMainForm::PrintPreview1Click(TObject*) {
    if (!TestLoaded() || !PrinterFree("Warning", MB_ICONEXCLAMATION)) return;
    Printer()->SetOrientation(poPortrait);
    PreviewReport();
}

// Hidden in the menu; checks as the preview's PDF button path does.
void TRadonMainForm::PrinttoPDF1Click(TObject*) {
    if (!TestLoaded() || !PrinterFree("Message", 0)) return;
    Printer()->SetOrientation(poPortrait);
    frmPrintPreview->PDFSpeedButtonClick(nullptr);
    if (!frmPrintPreview->PrintToPDF) return;
    ReportScale = frmPreferences->PrintFactor;
    PrintReportToPdf();
}

void TRadonMainForm::PrintSetup1Click(TObject*) { PrinterSetupDialog->Execute(); }

bool TRadonMainForm::CheckDefaultPrinter() {
    if (Printer()->PrinterIndex() != -1) return true;
    MessageDlg("No Default Printer", mtInformation, {mbOK}, 0);
    return false;
}

void TRadonMainForm::PreviewReport() {
    frmPrintPreview->SetupPreviewTarget(ReportTarget);
    ReportScale = 1.0;
    PaintReport();
    frmPrintPreview->AddLastPage();
    if (!frmPrintPreview->Execute()) return;
    ReportScale = frmPreferences->PrintFactor;
    if (frmPrintPreview->PrintToPDF)
        PrintReportToPdf();
    else
        PrintReportOnPrinter();
}

// A failure while painting gives the job up, so that the printer takes the next one.
void TRadonMainForm::PrintReportOnPrinter() {
    frmPrintPreview->SetupPrinterTarget(ReportTarget);
    TPrinter* printer = Printer();
    printer->BeginDoc();
    try {
        PaintReport();
    } catch (...) {
        if (printer->Printing()) printer->Abort();
        throw;
    }
    printer->EndDoc();
}

// A failure before the last page is closed gives the document up, writing nothing; a failed
// save ends the document inside EndDoc.
void TRadonMainForm::PrintReportToPdf() {
    try {
        SetupPdfTarget();
        PaintReport();
        PePDFPrinter->EndPage();
    } catch (...) {
        PePDFPrinter->AbandonDocument();
        throw;
    }
    PePDFPrinter->EndDoc();
}

// A PDF page is the printer's whole sheet at the printer's resolution.
void TRadonMainForm::SetupPdfTarget() {
    TPrinter* printer = Printer();
    PrinterDpiX = printer->DeviceCaps(LOGPIXELSX);
    PrinterDpiY = printer->DeviceCaps(LOGPIXELSY);
    PhysicalWidth = static_cast<float>(printer->DeviceCaps(PHYSICALWIDTH));
    PhysicalHeight = static_cast<float>(printer->DeviceCaps(PHYSICALHEIGHT));
    PePDFPrinter->SetFilename(WithPdfExtension(frmPrintPreview->SaveDialog->FileName()));
    PePDFPrinter->CanvasReference = perefPrinter;
    PePDFPrinter->BeginDoc();
    ReportTarget.PageWidth = static_cast<int>(PhysicalWidth);
    ReportTarget.PageHeight = static_cast<int>(PhysicalHeight);
    ReportTarget.NewPage = [this] { PdfNewPage(); };
    PePDFPrinter->StartPage(ReportTarget.PageWidth, ReportTarget.PageHeight, PrinterDpiX,
                            PrinterDpiY, 0);
    ReportTarget.Canvas = PePDFPrinter->GetCanvas();
}

void TRadonMainForm::PdfNewPage() {
    PePDFPrinter->EndPage();
    PePDFPrinter->StartPage(ReportTarget.PageWidth, ReportTarget.PageHeight, PrinterDpiX,
                            PrinterDpiY, 0);
    ReportTarget.Canvas = PePDFPrinter->GetCanvas();
}
