// The print preview window: holds the report's pages painted for the screen, pages through
// them, zooms, and lets the user print them, write a PDF file or close without output.
#pragma once

#include <memory>
#include <vector>

#include "ReportTarget.h"
#include "cl_forms.h"

class TUiPanel;
class TUiBitBtn;
class TUiEdit;
class TUiLabel;
class TUiComboBox;
class TUiSpacer;
class TImageList;
class TSaveDialog;
class TPanel;
class TImage;
class TLabel;
class TBitmap;

class TfrmPrintPreview : public TForm {
    CL_COMPONENT_CLASS(TfrmPrintPreview, TForm)

    explicit TfrmPrintPreview(TComponent* owner);

    void FormDestroy(TObject* sender);
    void FormResize(TObject* sender);
    void ClearPage();
    void ClearPages();
    // The screen's page bitmap as the report's target, sized after the printer's page.
    void SetupPreviewTarget(TReportTarget& target);
    void SetupPrinterTarget(TReportTarget& target);
    // Stores the page being drawn and starts a clean one.
    void AddPage();
    void AddLastPage();
    // Shows the pages modally from the first; true when closed through Print or Print to PDF.
    bool Execute();
    void ShowCurrentPage();
    void CenterPage();
    void UpdateNavButtons();
    void UpdateZoomButtons();

    void PrintSpeedButtonClick(TObject* sender);
    void PDFSpeedButtonClick(TObject* sender);
    void FirstPageSpeedButtonClick(TObject* sender);
    void PrevPageSpeedButtonClick(TObject* sender);
    void NextPageSpeedButtonClick(TObject* sender);
    void LastPageSpeedButtonClick(TObject* sender);
    void CurrPageEditKeyPress(TObject* sender, char& key);
    void ZoomComboBoxChange(TObject* sender);
    void ZoomInSpeedButtonClick(TObject* sender);
    void ZoomOutSpeedButtonClick(TObject* sender);
    void CloseSpeedButtonClick(TObject* sender);

    TSaveDialog* SaveDialog;
    TUiPanel* UiPanel1;
    TUiBitBtn* PrintSpeedButton;
    TImageList* ImageList1;
    TScrollBox* ScrollBox1;
    TPanel* pnlPage;
    TImage* imgPage;
    TUiBitBtn* PDFSpeedButton;
    TUiBitBtn* FirstPageSpeedButton;
    TUiBitBtn* PrevPageSpeedButton;
    TUiBitBtn* NextPageSpeedButton;
    TUiBitBtn* LastPageSpeedButton;
    TUiEdit* CurrPageEdit;
    TUiLabel* TotalPagesLabel;
    TUiBitBtn* ZoomOutSpeedButton;
    TUiBitBtn* ZoomInSpeedButton;
    TUiComboBox* ZoomComboBox;
    TUiBitBtn* CloseSpeedButton;
    TLabel* CurrPrinterLabel;
    TUiSpacer *UiSpacer1, *UiSpacer2, *UiSpacer3, *UiSpacer4, *UiSpacer5;
    TUiLabel *UiLabel1, *UiLabel2;

    std::vector<std::unique_ptr<TBitmap>> Pages;
    int PageIndex = 0;
    int BasePanelWidth = 0, BasePanelHeight = 0;
    int BaseImageLeft = 0, BaseImageTop = 0;
    bool PrintToPDF = false;

private:
    void CreateToolbar();
    void CreatePageArea();
    void ShowPage(int index);
    TBitmap* PageBitmap();
};

extern TfrmPrintPreview* frmPrintPreview;
