// The preview window over a painted report (paging, page number entry, zoom, the one-page
// case) and the report commands' outputs: nothing without a test or after a cancelled dialog,
// the PDF file's name and contents, and a painting failure that leaves printer and PDF free.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "PePDFR1.h"
#include "PreviewDialog.h"
#include "UiBitBtn.h"
#include "UiComboBox.h"
#include "UiEdit.h"
#include "UiLabel.h"
#include "cl_dialogs.h"
#include "cl_extctrls.h"
#include "cl_hooks.h"
#include "cl_printer.h"
#include "report_fixture.h"
#include "test_pump.h"

namespace {

std::function<void()> modalScript;

void CALLBACK RunModalScript(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const std::function<void()> script = std::move(modalScript);
    modalScript = nullptr;
    script();
}

// Runs `script` once the next modal loop runs (the preview shown by Execute or a command).
void WhileModal(std::function<void()> script) {
    modalScript = std::move(script);
    SetTimer(nullptr, 0, 20, RunModalScript);
}

std::string TempFile(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

std::string FileStart(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string start(5, '\0');
    file.read(&start[0], 5);
    return file ? start : "";
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class Preview : public ::testing::Test {
protected:
    void SetUp() override {
        DefaultReportPreferences();
        Boxes().clear();
        Hooks().ExecuteDialog = [this](TCommonDialog& dialog) {
            ++dialogs_;
            auto* save = dynamic_cast<TSaveDialog*>(&dialog);
            if (save && !pdfAnswer_.empty()) save->SetFileName(pdfAnswer_.c_str());
            return save ? !pdfAnswer_.empty() : printDialogAnswer_;
        };
        preview_ = frmPrintPreview;
        preview_->ZoomComboBox->SetItemIndex(2);
    }
    void TearDown() override { Hooks().ExecuteDialog = nullptr; }

    // The report of a shown test painted into the preview, as the commands' first pass does.
    void PaintPreview(uint16_t count) {
        ShownTestSpec spec;
        spec.Count = count;
        ShowTest(spec);
        preview_->SetupPreviewTarget(RadonMainForm->ReportTarget);
        RadonMainForm->ReportScale = 1.0;
        RadonMainForm->PaintReport();
        preview_->AddLastPage();
    }
    void Enter(const char* text) {
        preview_->CurrPageEdit->SetText(text);
        char key = 13;
        preview_->CurrPageEditKeyPress(preview_->CurrPageEdit, key);
    }
    std::vector<bool> NavEnabled() const {
        return {preview_->FirstPageSpeedButton->Enabled(), preview_->PrevPageSpeedButton->Enabled(),
                preview_->NextPageSpeedButton->Enabled(), preview_->LastPageSpeedButton->Enabled()};
    }

    TfrmPrintPreview* preview_ = nullptr;
    int dialogs_ = 0;
    std::string pdfAnswer_;
    bool printDialogAnswer_ = true;
};

TEST_F(Preview, PagesThroughTheReportByButtonsAndTypedNumbers) {
    PaintPreview(101);
    const int count = static_cast<int>(preview_->Pages.size());
    ASSERT_GE(count, 4);
    ASSERT_LT(count, 9);
    bool ran = false;
    WhileModal([&] {
        ran = true;
        TfrmPrintPreview& p = *preview_;
        EXPECT_EQ(p.PageIndex, 0);
        EXPECT_EQ(p.CurrPageEdit->GetText(), "1");
        EXPECT_EQ(p.TotalPagesLabel->Caption(), IntToStr(count));
        EXPECT_EQ(p.CurrPrinterLabel->Caption(), "Current Printer:Test Printer");
        EXPECT_FALSE(p.CurrPageEdit->ReadOnly());
        EXPECT_EQ(NavEnabled(), (std::vector<bool>{false, false, true, true}));
        p.PrevPageSpeedButtonClick(nullptr);
        EXPECT_EQ(p.PageIndex, 0);
        p.NextPageSpeedButtonClick(nullptr);
        EXPECT_EQ(p.PageIndex, 1);
        EXPECT_EQ(NavEnabled(), (std::vector<bool>{true, true, true, true}));
        p.LastPageSpeedButtonClick(nullptr);
        p.NextPageSpeedButtonClick(nullptr);
        EXPECT_EQ(p.PageIndex, count - 1);
        EXPECT_EQ(NavEnabled(), (std::vector<bool>{true, true, false, false}));
        Enter("0");
        EXPECT_EQ(p.PageIndex, 0);
        Enter("9");
        EXPECT_EQ(p.PageIndex, count - 1);
        EXPECT_EQ(p.CurrPageEdit->GetText(), IntToStr(count));
        p.PrevPageSpeedButtonClick(nullptr);
        Enter("");
        EXPECT_EQ(p.PageIndex, count - 2);
        char letter = 'x', digit = '7';
        p.CurrPageEditKeyPress(p.CurrPageEdit, letter);
        p.CurrPageEditKeyPress(p.CurrPageEdit, digit);
        EXPECT_EQ(letter, 0);
        EXPECT_EQ(digit, '7');
        p.CloseSpeedButtonClick(nullptr);
    });
    EXPECT_FALSE(preview_->Execute()) << "Close prints nothing";
    EXPECT_TRUE(ran);
}

TEST_F(Preview, ZoomsBetween200And50PercentAndCentresANarrowSheet) {
    PaintPreview(10);
    WhileModal([&] {
        TfrmPrintPreview& p = *preview_;
        TBitmap* page = p.imgPage->Picture()->Bitmap();
        for (int i = 0; i < 3; ++i) p.ZoomInSpeedButtonClick(nullptr);
        EXPECT_EQ(p.ZoomComboBox->ItemIndex(), 0);
        EXPECT_FALSE(p.ZoomInSpeedButton->Enabled());
        EXPECT_TRUE(p.ZoomOutSpeedButton->Enabled());
        EXPECT_EQ(p.imgPage->Width(), page->Width() * 2);
        EXPECT_EQ(p.imgPage->Left(), p.BaseImageLeft * 2);
        EXPECT_EQ(p.pnlPage->Width(), p.BasePanelWidth * 2);
        EXPECT_EQ(p.pnlPage->Left(), 0) << "a sheet wider than the window starts at the left";
        for (int i = 0; i < 5; ++i) p.ZoomOutSpeedButtonClick(nullptr);
        EXPECT_EQ(p.ZoomComboBox->ItemIndex(), 4);
        EXPECT_TRUE(p.ZoomInSpeedButton->Enabled());
        EXPECT_FALSE(p.ZoomOutSpeedButton->Enabled());
        EXPECT_EQ(p.imgPage->Height(), page->Height() / 2);
        EXPECT_EQ(p.pnlPage->Width(), p.BasePanelWidth / 2);
        EXPECT_EQ(p.pnlPage->Left(), (p.ScrollBox1->ClientWidth() - p.pnlPage->Width()) / 2);
        EXPECT_GT(p.pnlPage->Left(), 0);
        EXPECT_EQ(page->Width(), RadonMainForm->ReportTarget.PageWidth) << "the bitmap keeps its size";
        p.CloseSpeedButtonClick(nullptr);
    });
    preview_->Execute();
    EXPECT_EQ(preview_->ZoomComboBox->ItemIndex(), 4) << "the zoom stays for the next preview";
}

TEST_F(Preview, AOnePageReportDisablesPagingAndTheNumberEntry) {
    PaintPreview(10);
    preview_->ClearPages();
    preview_->AddPage();
    WhileModal([&] {
        EXPECT_EQ(NavEnabled(), (std::vector<bool>{false, false, false, false}));
        EXPECT_TRUE(preview_->CurrPageEdit->ReadOnly());
        preview_->CloseSpeedButtonClick(nullptr);
    });
    preview_->Execute();
}

TEST_F(Preview, TheSheetKeepsThePaperProportionsAndShowsItsMargins) {
    PaintPreview(10);
    // The stand-in printer: 8.5 x 11 inch paper, 1/8 inch margins, at 600 pixels per inch.
    const double screen = ScreenPixelsPerInch();
    EXPECT_NEAR(preview_->BasePanelWidth, 8.5 * screen, 1);
    EXPECT_NEAR(preview_->BasePanelHeight, 11 * screen, 1);
    EXPECT_NEAR(preview_->BaseImageLeft, screen / 8, 1);
    EXPECT_NEAR(RadonMainForm->ReportTarget.PageWidth, 8.25 * screen, 1);
    EXPECT_NEAR(RadonMainForm->ReportTarget.PageHeight, 10.75 * screen, 1);
}

TEST_F(Preview, CommandsWithoutATestShowTheMessageAndOpenNoDialog) {
    PaintPreview(10);
    Monitor->CF1 = 0;
    for (auto command : {&TRadonMainForm::TestResults1Click, &TRadonMainForm::PrintPreview1Click,
                         &TRadonMainForm::PrinttoPDF1Click}) {
        Boxes().clear();
        (RadonMainForm->*command)(nullptr);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].text, "There is no data in the monitor to view");
        EXPECT_EQ(Boxes()[0].caption, "Message");
    }
    EXPECT_EQ(dialogs_, 0);
}

TEST_F(Preview, TestResultsWithTheDialogCancelledPaintsNothing) {
    PaintPreview(10);
    const size_t before = preview_->Pages.size();
    PaintPreview(101);
    preview_->ClearPages();
    printDialogAnswer_ = false;
    RadonMainForm->TestResults1Click(nullptr);
    EXPECT_EQ(dialogs_, 1);
    EXPECT_TRUE(preview_->Pages.empty());
    EXPECT_GT(before, 0u);
}

TEST_F(Preview, PrintToPdfFromThePreviewWritesTheChosenFileWithItsExtension) {
    const std::string name = TempFile("report_preview"), file = name + ".pdf";
    DeleteFileA(file.c_str());
    pdfAnswer_ = name;
    PaintPreview(30);
    Printer()->SetOrientation(poLandscape);
    WhileModal([&] { preview_->PDFSpeedButtonClick(nullptr); });
    RadonMainForm->PrintPreview1Click(nullptr);
    EXPECT_EQ(Printer()->Orientation(), poPortrait);
    EXPECT_TRUE(preview_->PrintToPDF);
    EXPECT_EQ(FileStart(file), "%PDF-");
    EXPECT_EQ(RadonMainForm->ReportScale, frmPreferences->PrintFactor);
    EXPECT_EQ(RadonMainForm->ReportTarget.PageWidth, 5100) << "a PDF page is the whole sheet";
    DeleteFileA(file.c_str());
}

TEST_F(Preview, TheHiddenPrintToPdfWritesNothingAfterACancelledDialog) {
    PaintPreview(10);
    const std::string upper = TempFile("report_hidden.PDF"), written = upper + ".pdf";
    DeleteFileA(written.c_str());
    RadonMainForm->ReportScale = 1.0;
    pdfAnswer_ = "";
    RadonMainForm->PrinttoPDF1Click(nullptr);
    EXPECT_EQ(dialogs_, 1);
    EXPECT_FALSE(preview_->PrintToPDF);
    EXPECT_FALSE(Exists(written));

    pdfAnswer_ = upper;
    RadonMainForm->PrinttoPDF1Click(nullptr);
    EXPECT_EQ(FileStart(written), "%PDF-") << "upper-case PDF still gets .pdf";
    EXPECT_EQ(RadonMainForm->ReportScale, frmPreferences->PrintFactor);
    DeleteFileA(written.c_str());
}

TEST_F(Preview, AFailedPaintingLeavesPrinterAndPdfReadyForTheNextReport) {
    PaintPreview(10);
    Monitor->IntervalIndex = 99;
    EXPECT_THROW(RadonMainForm->PrintReportOnPrinter(), EConvertError);
    EXPECT_FALSE(Printer()->Printing());
    const std::string file = TempFile("report_retry.pdf");
    DeleteFileA(file.c_str());
    preview_->SaveDialog->SetFileName(file.c_str());
    EXPECT_THROW(RadonMainForm->PrintReportToPdf(), EConvertError);
    EXPECT_FALSE(Exists(file));

    Monitor->IntervalIndex = HourInterval;
    EXPECT_NO_THROW(RadonMainForm->PrintReportOnPrinter());
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_NO_THROW(RadonMainForm->PrintReportToPdf());
    EXPECT_EQ(FileStart(file), "%PDF-");
    DeleteFileA(file.c_str());
}

}  // namespace
