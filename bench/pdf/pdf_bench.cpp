// Times a whole 720-reading 6916 report written through Print to PDF by our engine against the
// same report printed on the default printer (CUPS' PDF queue under Wine), whose file is done
// when it appears complete in the queue's output folder; prints times and file sizes per round.
// Usage: pdf_bench <rounds> <output folder> <printer's PDF folder>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ApplicationWindows.h"
#include "PePDFR1.h"
#include "Preferences.h"
#include "PreviewDialog.h"
#include "Radon.h"
#include "RadonMainForm.h"
#include "UiEdit.h"
#include "cl_datetime.h"
#include "cl_dialogs.h"
#include "cl_printer.h"

namespace {

constexpr int Readings = 720;
constexpr DWORD PrintedFileTimeoutMs = 180000;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

// A month of hourly readings of a 6916 in Bq/m3, with a daily swing and some flagged hours.
void ShowBenchTest() {
    TRadon& r = *Monitor;
    r.ModelNumber = "6916";
    r.SerialNumber = "15001";
    r.CalibrationDate = "03/15/2026";
    r.CF1 = 2.5f;
    r.CF2 = 2.0f;
    r.CompanyName = "Acme Radon Testing";
    r.UnitsIndex = 0;
    r.IntervalIndex = 0;
    r.NumMeasurements = Readings;
    r.StartTime = EncodeDate(2026, 3, 1) + EncodeTime(8, 0, 0, 0);
    r.FirmwareVersion = 412;
    for (int i = 0; i < Readings; ++i) {
        TMeasurement& m = r.Measurements[i];
        m.Alpha0Counts = static_cast<uint16_t>(40 + (i * 7) % 60);
        m.Alpha1Counts = static_cast<uint16_t>(80 + (i * 13) % 90);
        m.Temperature = 18 + static_cast<float>(i % 24) / 4;
        m.Pressure = 29.5f + static_cast<float>(i % 10) / 20;
        m.Humidity = 40 + static_cast<float>(i % 30);
        m.Flags = i % 97 == 5 ? 0x10 : 0;
    }
    RadonMainForm->TestFromMonitor = true;
    RadonMainForm->IntervalHours = 1.0;
    RadonMainForm->OverallAverage = 3.25;
    RadonMainForm->EpaAverage = 3.5;
    RadonMainForm->CustomerNameEdit->SetText("Jane Homeowner");
    frmPreferences->InspectorName = "Pat Inspector";
    frmPreferences->PrintRiskInformation = true;
    frmPreferences->PrintUnderstandingResults = true;
    RadonMainForm->ReportScale = frmPreferences->PrintFactor;
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The printed file whose name holds `title`, once it is whole (its last bytes hold "%%EOF").
std::string CompletePrintedFile(const std::string& folder, const std::string& title) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*" + title + "*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return "";
    const std::string path = folder + "\\" + found.cFileName;
    FindClose(search);
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const size_t tail = bytes.size() > 32 ? bytes.size() - 32 : 0;
    return bytes.find("%%EOF", tail) == std::string::npos ? "" : path;
}

struct Timings {
    double pdfSeconds = 0;
    long long pdfBytes = 0;
    double spoolSeconds = 0;  // until the print job is handed over
    double printSeconds = 0;  // until the printed file is whole
    long long printBytes = -1;
};

Timings RunRound(int round, const std::string& outFolder, const std::string& printedFolder,
               bool withPrinter) {
    Timings result;
    const std::string pdf = outFolder + "\\report" + std::to_string(round) + ".pdf";
    DeleteFileA(pdf.c_str());
    frmPrintPreview->SaveDialog->SetFileName(pdf.c_str());
    LARGE_INTEGER start = Now();
    RadonMainForm->PrintReportToPdf();
    result.pdfSeconds = Seconds(start, Now());
    result.pdfBytes = FileSize(pdf);
    if (!withPrinter) return result;

    const std::string title =
        "PdfBench" + std::to_string(GetTickCount() % 1000000) + "r" + std::to_string(round);
    Printer()->SetTitle(title.c_str());
    start = Now();
    RadonMainForm->PrintReportOnPrinter();
    result.spoolSeconds = Seconds(start, Now());
    const DWORD begun = GetTickCount();
    std::string printed;
    while ((printed = CompletePrintedFile(printedFolder, title)).empty() &&
           GetTickCount() - begun < PrintedFileTimeoutMs)
        Sleep(20);
    result.printSeconds = Seconds(start, Now());
    if (!printed.empty()) {
        result.printBytes = FileSize(printed);
        DeleteFileA(printed.c_str());
    }
    return result;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::printf("usage: pdf_bench <rounds> <output folder> <printer's PDF folder>\n");
        return 2;
    }
    const int rounds = std::max(1, std::atoi(argv[1]));
    const std::string outFolder = argv[2], printedFolder = argv[3];
    Application->Initialize();
    CreateApplicationWindows();
    ShowBenchTest();
    const bool withPrinter = Printer()->PrinterIndex() != -1;
    if (!withPrinter) std::printf("no default printer: PDF export only\n");
    Printer()->SetOrientation(poPortrait);
    RunRound(0, outFolder, printedFolder, false);  // warms the engine and the fonts
    std::printf("720-reading 6916 report, %d rounds\n", rounds);
    std::printf("round  export s  export bytes  print: spooled s  file whole s  file bytes\n");
    std::vector<double> exports, prints;
    for (int round = 1; round <= rounds; ++round) {
        const Timings r = RunRound(round, outFolder, printedFolder, withPrinter);
        exports.push_back(r.pdfSeconds);
        if (withPrinter) prints.push_back(r.printSeconds);
        std::printf("%5d  %8.3f  %12lld  %16.3f  %12.3f  %10lld\n", round, r.pdfSeconds,
                    r.pdfBytes, r.spoolSeconds, r.printSeconds, r.printBytes);
        std::fflush(stdout);
    }
    std::printf("median: export %.3f s", Median(exports));
    if (withPrinter) std::printf(", print until the file is whole %.3f s", Median(prints));
    std::printf("\n");
    return 0;
}
