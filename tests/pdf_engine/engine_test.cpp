// Our PDF engine through the export component: pages drawn here in the report's faces with
// lines, shapes, bitmaps, clipping, transforms and a record the engine draws as an image. Each
// PDF is written to the output folder together with a rendering of every page metafile at
// 100 dots per inch; check_pdfs.sh then checks the files and compares the pages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "PePDFR1.h"
#include "cl_datetime.h"
#include "cl_printer.h"
#include "cl_sys.h"

namespace {

const std::string OutputDir = PDF_OUTPUT_DIR;
constexpr int Dpi = 600;
constexpr int PageWidth = 4960;   // A4 at 600 dots per inch
constexpr int PageHeight = 7016;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Renders a page metafile at 100 dots per inch into a bitmap file.
void RenderReference(const std::string& metafile, const std::string& bitmap) {
    HENHMETAFILE emf = GetEnhMetaFileA(metafile.c_str());
    ASSERT_NE(emf, nullptr) << metafile;
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(emf, sizeof(header), &header);
    const int width = static_cast<int>(std::lround((header.rclFrame.right - header.rclFrame.left) / 2540.0 * 100));
    const int height = static_cast<int>(std::lround((header.rclFrame.bottom - header.rclFrame.top) / 2540.0 * 100));
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(width, height);
    HDC dc = picture.Canvas()->Handle();
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PlayEnhMetaFile(dc, emf, &all);
    GdiFlush();
    DeleteEnhMetaFile(emf);
    picture.SaveToFile(bitmap.c_str());
}

class PdfEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ForceDirectories(OutputDir.c_str());
        pdf = new TPePDFPrinter(nullptr);
        pdf->CanvasReference = perefScreen;
        pdf->OnError = [this](TObject*, int, const AnsiString& text) {
            if (text.Pos("debug file") == 0) messages.push_back(text.c_str());
        };
    }
    void TearDown() override { TObject::Free(pdf); }

    // A document with page metafile copies kept for the reference renderings.
    void Begin(const std::string& name) {
        name_ = name;
        pdf->SetFilename((OutputDir + "/" + name + ".pdf").c_str());
        pdf->DebugMode = true;
        pdf->DebugMetafilePath = (OutputDir + "/" + name).c_str();
        DeleteFileA((OutputDir + "/" + name + ".pdf").c_str());
        pdf->BeginDoc();
    }
    TCanvas* NewPage() {
        if (pdf->PageCount() > 0) pdf->EndPage();
        pdf->StartPage(PageWidth, PageHeight, Dpi, Dpi, 0);
        TCanvas* canvas = pdf->GetCanvas();
        canvas->Font()->SetName("Times New Roman");
        canvas->Font()->SetColor(clBlack);
        canvas->Font()->SetSize(10);
        return canvas;
    }
    void Finish() {
        const int pages = pdf->PageCount();
        pdf->EndPage();
        pdf->EndDoc();
        EXPECT_THAT(messages, ::testing::IsEmpty());
        const std::string file = ReadFile(OutputDir + "/" + name_ + ".pdf");
        ASSERT_GT(file.size(), 100u);
        EXPECT_EQ(file.substr(0, 5), "%PDF-");
        EXPECT_NE(file.find("%%EOF", file.size() - 8), std::string::npos);
        for (int page = 1; page <= pages; ++page) {
            RenderReference(OutputDir + "/" + name_ + "/Page" + std::to_string(page) + ".EMF",
                            OutputDir + "/" + name_ + "-" + std::to_string(page) + ".bmp");
        }
    }

    TPeCustomPDFExport* pdf = nullptr;
    std::vector<std::string> messages;
    std::string name_;
};

void DrawReportPage(TCanvas* c) {
    const int line = PageHeight / 60;
    c->Font()->SetSize(12);
    c->Font()->SetStyle({fsBold});
    c->TextOut(PageWidth * 3 / 10, line * 2, "Continuous Radon Monitor Report");
    c->Font()->SetSize(10);
    c->Font()->SetStyle({});
    c->TextOut(PageWidth / 10, line * 4, "Average Radon Concentration: 4.2 pCi/l");
    c->TextOut(PageWidth / 10, line * 5, "EPA Protocol Average: 3.9 pCi/l");
    c->Font()->SetStyle({fsItalic});
    c->TextOut(PageWidth / 10, line * 6, "Italic note on the test conditions");
    c->Font()->SetStyle({fsBold, fsItalic});
    c->TextOut(PageWidth * 6 / 10, line * 6, "Bold italic remark");
    c->Font()->SetStyle({});
    for (int i = 0; i < 8; ++i) {
        char row[80];
        std::snprintf(row, sizeof(row), "12/%02d/2026 %02d:00", 10 + i / 4, 8 + 2 * i);
        c->TextOut(PageWidth / 10, line * (8 + i), row);
        std::snprintf(row, sizeof(row), "%.1f", 1.3 + i * 0.7);
        c->TextOut(PageWidth * 4 / 10, line * (8 + i), row);
        std::snprintf(row, sizeof(row), "%.2f", 20.5 + i * 0.25);
        c->TextOut(PageWidth * 6 / 10, line * (8 + i), row);
    }
    c->Font()->SetName("Courier New");
    c->TextOut(PageWidth / 10, line * 17, "Courier line 123");
    c->Font()->SetName("Arial");
    c->TextOut(PageWidth * 6 / 10, line * 17, "Arial label 456");

    c->Pen()->SetWidth(1);
    c->MoveTo(PageWidth / 10, line * 19);
    c->LineTo(PageWidth * 9 / 10, line * 19);
    c->Pen()->SetWidth(8);
    c->Pen()->SetColor(clNavy);
    std::vector<TPoint> zigzag;
    for (int i = 0; i <= 12; ++i) {
        zigzag.push_back(TPoint(PageWidth / 10 + i * 300, line * 24 + (i % 2 ? -400 : 400)));
    }
    c->Polyline(zigzag);
    c->Pen()->SetWidth(4);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clRed);
    c->Polygon(std::vector<TPoint>{{600, 2400}, {1400, 2400}, {1000, 3000}});
    c->Brush()->SetColor(clYellow);
    c->Rectangle(1800, 2400, 2800, 3000);
    c->Brush()->SetColor(clBlue);
    c->Ellipse(3200, 2400, 4300, 3000);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(600, 3200, 4300, 3400);

    TBitmap stripes;
    stripes.SetPixelFormat(pf24bit);
    stripes.SetSize(40, 20);
    const TColor colours[] = {clRed, clLime, clBlue, clBlack};
    for (int i = 0; i < 4; ++i) {
        stripes.Canvas()->Brush()->SetColor(colours[i]);
        stripes.Canvas()->FillRect(TRect(i * 10, 0, i * 10 + 10, 20));
    }
    c->StretchDraw(TRect(600, 3600, 2200, 4400), &stripes);
    // The footer logo's way: a part of another canvas copied onto the page.
    c->CopyRect(TRect(3000, 3600, 4200, 4000), stripes.Canvas(), TRect(10, 0, 30, 20));
}

void DrawTransformedPage(TPeCustomPDFExport* pdf, TCanvas* c) {
    HDC dc = c->Handle();
    // Clipping: only the part of the ellipse inside the rectangle shows.
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clGreen);
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetWidth(4);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, 600, 600, 2000, 1400);
    c->Ellipse(400, 400, 2600, 2000);
    RestoreDC(dc, saved);
    c->Font()->SetSize(10);
    c->TextOut(600, 1500, "Clipped ellipse");

    // A region combined with no clip in force meets the whole page: only its part of the
    // purple rectangle shows.
    POINT clip[2] = {{3000, 4300}, {4000, 4700}};
    LPtoDP(dc, clip, 2);
    HRGN region = CreateRectRgn(clip[0].x, clip[0].y, clip[1].x, clip[1].y);
    ExtSelectClipRgn(dc, region, RGN_AND);
    DeleteObject(region);
    c->Brush()->SetColor(clPurple);
    c->Rectangle(2800, 4200, 4200, 4800);
    SelectClipRgn(dc, nullptr);

    // A world transform: a rectangle and a text turned by 30 degrees.
    SetGraphicsMode(dc, GM_ADVANCED);
    const double a = 30 * 3.14159265358979 / 180;
    XFORM turn{static_cast<FLOAT>(std::cos(a)), static_cast<FLOAT>(-std::sin(a)),
               static_cast<FLOAT>(std::sin(a)), static_cast<FLOAT>(std::cos(a)), 3000, 1200};
    SetWorldTransform(dc, &turn);
    c->Brush()->SetColor(clAqua);
    c->Rectangle(0, 0, 1200, 500);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(100, 100, "Turned text");
    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    SetGraphicsMode(dc, GM_COMPATIBLE);

    TOwnedPtr<TFont> font(new TFont);
    font->SetName("Arial");
    font->SetPixelsPerInch(Dpi);
    font->SetSize(14);
    pdf->DrawRotatedText("Escapement text", 45, 600, 3400, 0, 0, taLeftJustify, font.get());

    // Records the engine does not write as vectors: a hatched brush and a gradient.
    c->Brush()->SetStyle(bsDiagCross);
    c->Brush()->SetColor(clMaroon);
    c->Rectangle(2800, 3000, 4200, 3800);
    TRIVERTEX corners[2] = {{600, 4200, 0xFF00, 0, 0, 0}, {2400, 4800, 0, 0, 0xFF00, 0}};
    GRADIENT_RECT rect{0, 1};
    GradientFill(dc, corners, 2, &rect, 1, GRADIENT_FILL_RECT_H);
    c->Refresh();
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetName("Times New Roman");
    c->TextOut(600, 5000, "Gradient and hatching above");
}

TEST_F(PdfEngineTest, WritesTheDrawingAsVectorPdf) {
    pdf->Info()->Author = "Test Inspector";
    pdf->Info()->Title = "Drawing test";
    pdf->Info()->Subject = "Radon";
    pdf->Info()->CreationDate = EncodeDateTime(2025, 3, 4, 5, 6, 7, 0);
    Begin("drawing");
    DrawReportPage(NewPage());
    DrawTransformedPage(pdf, NewPage());
    Finish();
}

TEST_F(PdfEngineTest, ZeroResolutionEmptyTextsAndMergeTexts) {
    pdf->SetMergeStart("<<");
    pdf->OnMergeText = [](TObject*, AnsiString& text) {
        if (text == "<<inspector>>") text = "Jane Inspector";
    };
    Begin("merge");
    pdf->StartPage(612, 792, 0, 0, 0);
    TCanvas* c = pdf->GetCanvas();
    c->Font()->SetName("Times New Roman");
    c->Font()->SetSize(12);
    c->TextOut(72, 72, "");
    c->TextOut(72, 100, "<<inspector>>");
    c->TextOut(72, 130, "Signed on 12/10/2026");
    Finish();
}

TEST_F(PdfEngineTest, BackgroundFormAppearsOnEveryPage) {
    const std::string background = OutputDir + "/background.emf";
    {
        TMetafile form;
        form.SetMMWidth(21000);
        form.SetMMHeight(29700);
        {
            TMetafileCanvas canvas(&form, nullptr);
            canvas.Font()->SetName("Arial");
            canvas.Font()->SetSize(40);
            canvas.Font()->SetColor(clSilver);
            canvas.TextOut(200, 400, "DRAFT COPY");
        }
        form.SaveToFile(background.c_str());
    }
    pdf->OnGetWatermark = [&](TObject*, int, HENHMETAFILE&, AnsiString& file) {
        file = background.c_str();
    };
    Begin("forms");
    NewPage()->TextOut(600, 600, "First page");
    NewPage()->TextOut(600, 600, "Second page");
    Finish();
}

TEST_F(PdfEngineTest, NavigationAndEncryption) {
    pdf->Encryption = {peEncryptFile, peEnablePrinting};
    pdf->Security = pep128bit;
    pdf->OwnerPassword = "owner";
    Begin("navigation");
    TCanvas* c = NewPage();
    c->TextOut(600, 600, "Contents");
    pdf->SetLinkArea("results", TRect(600, 600, 2000, 700));
    pdf->SetOutline("Results", "results", 0, 1);
    c = NewPage();
    c->TextOut(600, 600, "Results");
    pdf->SetBookmark("results", 600, 600);
    EXPECT_EQ(pdf->SetOutlineXY("Chart", 600, 3000, 1, 0), 2);
    Finish();
}

// The report's road: pages in printer dots at the printer's resolution, measured against it.
TEST_F(PdfEngineTest, PagesMeasuredAgainstThePrinter) {
    DeleteFileA((OutputDir + "/printer.pdf").c_str());
    if (Printer()->Printers()->Count() == 0) GTEST_SKIP() << "no printer";
    const int dpi = Printer()->DeviceCaps(LOGPIXELSY);
    const int width = Printer()->DeviceCaps(PHYSICALWIDTH);
    const int height = Printer()->DeviceCaps(PHYSICALHEIGHT);
    pdf->CanvasReference = perefPrinter;
    Begin("printer");
    pdf->StartPage(width, height, Printer()->DeviceCaps(LOGPIXELSX), dpi, 0);
    TCanvas* c = pdf->GetCanvas();
    c->Font()->SetName("Times New Roman");
    c->Font()->SetSize(10);
    c->TextOut(width / 10, height / 10, "Measured against the printer");
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clGray);
    c->Rectangle(width / 10, height / 5, width * 9 / 10, height / 4);
    c->Ellipse(width / 10, height / 3, width / 2, height / 2);
    Finish();
}

TEST_F(PdfEngineTest, StreamReceivesTheWholeDocument) {
    TMemoryStream stream;
    pdf->Stream = &stream;
    pdf->InMemoryMode = true;
    pdf->BeginDoc();
    pdf->StartPage(612, 792, 72, 72, 0);
    pdf->GetCanvas()->TextOut(72, 72, "In memory");
    pdf->EndPage();
    pdf->EndDoc();
    ASSERT_GT(stream.Size(), 100);
    const std::string head(static_cast<const char*>(stream.Memory()), 5);
    EXPECT_EQ(head, "%PDF-");
}

TEST_F(PdfEngineTest, FailedSaveIsReportedAndWritesNothing) {
    const std::string target = OutputDir + "/no such folder/report.pdf";
    pdf->SetFilename(target.c_str());
    pdf->BeginDoc();
    pdf->StartPage(612, 792, 72, 72, 0);
    pdf->GetCanvas()->TextOut(72, 72, "Lost");
    pdf->EndPage();
    try {
        pdf->EndDoc();
        ADD_FAILURE() << "EndDoc succeeded";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "The PDF file \"" + AnsiString(target.c_str()) + "\" could not be written.");
    }
    EXPECT_FALSE(pdf->Printing());
    EXPECT_FALSE(FileExists(target.c_str()));
}

}  // namespace
