#include "PreviewDialog.h"

#include "FormParts.h"
#include "UiBitBtn.h"
#include "UiComboBox.h"
#include "UiEdit.h"
#include "UiLabel.h"
#include "UiPanel.h"
#include "UiSpacer.h"
#include "cl_dialogs.h"
#include "cl_extctrls.h"
#include "cl_imagelist.h"
#include "cl_number.h"
#include "cl_printer.h"

TfrmPrintPreview* frmPrintPreview = nullptr;

namespace {

constexpr int ToolbarHeight = 31;
constexpr int ButtonTop = 3;
constexpr int ButtonHeight = 25;
const char* const ZoomItems[] = {"200%", "150%", "100%", "75%", "50%"};
constexpr int HundredPercent = 2;

}  // namespace

TfrmPrintPreview::TfrmPrintPreview(TComponent* owner) : TForm(owner) {
    BeginLoading(this);
    SetName("frmPrintPreview");
    SetCaption("Print Preview");
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 938, 738);
    SaveDialog = new TSaveDialog(this);
    SaveDialog->SetName("SaveDialog");
    SaveDialog->SetOptions({ofOverwritePrompt, ofHideReadOnly, ofEnableSizing});
    CreateToolbar();
    CreatePageArea();
    OnDestroy = Bind(this, &TfrmPrintPreview::FormDestroy);
    OnResize = Bind(this, &TfrmPrintPreview::FormResize);
    EndLoading(this);
}

void TfrmPrintPreview::CreateToolbar() {
    UiPanel1 = PlaceControl<TUiPanel>(this, this, "UiPanel1", 0, 0, 938, ToolbarHeight);
    UiPanel1->SetAlign(alTop);
    UiPanel1->SetCaption("");
    ImageList1 = new TImageList(this);
    ImageList1->SetName("ImageList1");
    int x = 4;
    auto button = [&](const char* name, const char* caption, const char* hint, int width,
                      void (TfrmPrintPreview::*click)(TObject*)) {
        auto* b = PlaceControl<TUiBitBtn>(this, UiPanel1, name, x, ButtonTop, width, ButtonHeight);
        b->SetCaption(caption);
        b->SetHint(hint);
        b->SetShowHint(true);
        b->SetImages(ImageList1);
        b->OnClick = Bind(this, click);
        x += width + 2;
        return b;
    };
    auto spacer = [&](const char* name) {
        auto* s = PlaceControl<TUiSpacer>(this, UiPanel1, name, x, ButtonTop, 10, ButtonHeight);
        s->SetGrooved(true);
        x += 12;
        return s;
    };
    auto label = [&](const char* name, const char* caption, int width) {
        TUiLabel* l = MakeLabel(this, UiPanel1, name, caption, x, ButtonTop + 5, width);
        x += width + 2;
        return l;
    };
    using F = TfrmPrintPreview;
    PrintSpeedButton = button("PrintSpeedButton", "Print", "Print To The Printer", 60,
                              &F::PrintSpeedButtonClick);
    UiSpacer1 = spacer("UiSpacer1");
    PDFSpeedButton = button("PDFSpeedButton", "Print to PDF", "Print To PDF File", 90,
                            &F::PDFSpeedButtonClick);
    UiSpacer2 = spacer("UiSpacer2");
    FirstPageSpeedButton = button("FirstPageSpeedButton", "|<", "First Page", 28,
                                  &F::FirstPageSpeedButtonClick);
    PrevPageSpeedButton = button("PrevPageSpeedButton", "<", "Previous Page", 28,
                                 &F::PrevPageSpeedButtonClick);
    UiLabel1 = label("UiLabel1", "Page", 30);
    CurrPageEdit = PlaceControl<TUiEdit>(this, UiPanel1, "CurrPageEdit", x, ButtonTop + 2, 36, 21);
    CurrPageEdit->OnKeyPress = Bind(this, &F::CurrPageEditKeyPress);
    x += 40;
    UiLabel2 = label("UiLabel2", "of", 14);
    TotalPagesLabel = label("TotalPagesLabel", "0", 28);
    NextPageSpeedButton = button("NextPageSpeedButton", ">", "Next Page", 28,
                                 &F::NextPageSpeedButtonClick);
    LastPageSpeedButton = button("LastPageSpeedButton", ">|", "Last Page", 28,
                                 &F::LastPageSpeedButtonClick);
    UiSpacer3 = spacer("UiSpacer3");
    ZoomOutSpeedButton = button("ZoomOutSpeedButton", "-", "Zoom Out", 28,
                                &F::ZoomOutSpeedButtonClick);
    ZoomInSpeedButton = button("ZoomInSpeedButton", "+", "Zoom In", 28,
                               &F::ZoomInSpeedButtonClick);
    UiSpacer4 = spacer("UiSpacer4");
    ZoomComboBox = PlaceControl<TUiComboBox>(this, UiPanel1, "ZoomComboBox", x, ButtonTop + 1,
                                             70, 21);
    ZoomComboBox->SetStyle(csDropDownList);
    for (const char* item : ZoomItems) ZoomComboBox->Items()->Add(item);
    ZoomComboBox->SetItemIndex(HundredPercent);
    ZoomComboBox->OnChange = Bind(this, &F::ZoomComboBoxChange);
    x += 74;
    UiSpacer5 = spacer("UiSpacer5");
    CloseSpeedButton = button("CloseSpeedButton", "Close", "Close Print Preview", 60,
                              &F::CloseSpeedButtonClick);
    CurrPrinterLabel = PlaceControl<TLabel>(this, UiPanel1, "CurrPrinterLabel", x + 8,
                                            ButtonTop + 5, 922 - x - 16, 15);
    CurrPrinterLabel->SetAlignment(taRightJustify);
    CurrPrinterLabel->SetAnchors({akTop, akRight});
}

void TfrmPrintPreview::CreatePageArea() {
    ScrollBox1 = PlaceControl<TScrollBox>(this, this, "ScrollBox1", 0, ToolbarHeight, 938, 600);
    ScrollBox1->SetAlign(alClient);
    pnlPage = PlaceControl<TPanel>(this, ScrollBox1, "pnlPage", 0, 0, 100, 100);
    pnlPage->SetCaption("");
    pnlPage->SetBevelOuter(bvNone);
    pnlPage->SetColor(clWhite);
    imgPage = PlaceControl<TImage>(this, pnlPage, "imgPage", 0, 0, 100, 100);
    imgPage->SetStretch(true);
}

void TfrmPrintPreview::FormDestroy(TObject*) { ClearPages(); }

void TfrmPrintPreview::FormResize(TObject*) { CenterPage(); }

TBitmap* TfrmPrintPreview::PageBitmap() { return imgPage->Picture()->Bitmap(); }

void TfrmPrintPreview::ClearPage() {
    TBitmap* page = PageBitmap();
    page->Canvas()->Brush()->SetColor(clWhite);
    page->Canvas()->Brush()->SetStyle(bsSolid);
    page->Canvas()->FillRect(TRect(0, 0, page->Width(), page->Height()));
}

void TfrmPrintPreview::ClearPages() { Pages.clear(); }

// The sheet is the printer's paper at screen resolution, each axis by its own resolution; the
// page inside it is the printable area, placed at the paper's unprintable margins.
void TfrmPrintPreview::SetupPreviewTarget(TReportTarget& target) {
    TPrinter* printer = Printer();
    const float fx = static_cast<long double>(ScreenPixelsPerInch()) / printer->DeviceCaps(LOGPIXELSX);
    const float fy = static_cast<long double>(ScreenPixelsPerInch()) / printer->DeviceCaps(LOGPIXELSY);
    BasePanelWidth = static_cast<int>(printer->DeviceCaps(PHYSICALWIDTH) * fx);
    BasePanelHeight = static_cast<int>(printer->DeviceCaps(PHYSICALHEIGHT) * fy);
    pnlPage->SetBounds(pnlPage->Left(), pnlPage->Top(), BasePanelWidth, BasePanelHeight);
    PageBitmap()->SetSize(static_cast<int>(fx * printer->PageWidth()),
                          static_cast<int>(fy * printer->PageHeight()));
    BaseImageLeft = static_cast<int>(fx * printer->DeviceCaps(PHYSICALOFFSETX));
    BaseImageTop = static_cast<int>(fy * printer->DeviceCaps(PHYSICALOFFSETY));
    imgPage->SetBounds(BaseImageLeft, BaseImageTop, PageBitmap()->Width(), PageBitmap()->Height());
    ClearPages();
    ClearPage();
    target.NewPage = [this] { AddPage(); };
    target.PageWidth = PageBitmap()->Width();
    target.PageHeight = PageBitmap()->Height();
    target.Canvas = PageBitmap()->Canvas();
}

void TfrmPrintPreview::SetupPrinterTarget(TReportTarget& target) {
    TPrinter* printer = Printer();
    target.Canvas = printer->Canvas();
    target.NewPage = [printer] { printer->NewPage(); };
    target.PageWidth = printer->PageWidth();
    target.PageHeight = printer->PageHeight();
}

void TfrmPrintPreview::AddPage() {
    auto page = std::make_unique<TBitmap>();
    page->Assign(PageBitmap());
    Pages.push_back(std::move(page));
    ClearPage();
}

void TfrmPrintPreview::AddLastPage() { AddPage(); }

bool TfrmPrintPreview::Execute() {
    PageIndex = 0;
    ShowCurrentPage();
    CenterPage();
    PrintToPDF = false;
    UpdateNavButtons();
    CurrPageEdit->SetReadOnly(Pages.size() < 2);
    return ShowModal() == mrOk;
}

void TfrmPrintPreview::ShowCurrentPage() {
    TPrinter* printer = Printer();
    CurrPrinterLabel->SetCaption("Current Printer:" +
                                 printer->Printers()->Strings(printer->PrinterIndex()));
    TotalPagesLabel->SetCaption(IntToStr(static_cast<int>(Pages.size())));
    CurrPageEdit->SetText(IntToStr(PageIndex + 1));
    if (PageIndex >= 0 && PageIndex < static_cast<int>(Pages.size()))
        PageBitmap()->Assign(Pages[PageIndex].get());
    ZoomComboBoxChange(ZoomComboBox);
    imgPage->Invalidate();
}

void TfrmPrintPreview::CenterPage() {
    const int clientWidth = ScrollBox1->ClientWidth();
    const int left = clientWidth > pnlPage->Width() ? (clientWidth - pnlPage->Width()) / 2 : 0;
    pnlPage->SetBounds(left, pnlPage->Top(), pnlPage->Width(), pnlPage->Height());
}

void TfrmPrintPreview::ShowPage(int index) {
    PageIndex = index;
    ShowCurrentPage();
    UpdateNavButtons();
}

void TfrmPrintPreview::FirstPageSpeedButtonClick(TObject*) { ShowPage(0); }

void TfrmPrintPreview::PrevPageSpeedButtonClick(TObject*) {
    ShowPage(PageIndex > 0 ? PageIndex - 1 : PageIndex);
}

void TfrmPrintPreview::NextPageSpeedButtonClick(TObject*) {
    const int count = static_cast<int>(Pages.size());
    ShowPage(PageIndex + 1 != count ? PageIndex + 1 : PageIndex);
}

void TfrmPrintPreview::LastPageSpeedButtonClick(TObject*) {
    ShowPage(static_cast<int>(Pages.size()) - 1);
}

void TfrmPrintPreview::UpdateNavButtons() {
    const int count = static_cast<int>(Pages.size());
    const bool back = count > 1 && PageIndex > 0;
    const bool forward = count > 1 && PageIndex < count - 1;
    FirstPageSpeedButton->SetEnabled(back);
    PrevPageSpeedButton->SetEnabled(back);
    NextPageSpeedButton->SetEnabled(forward);
    LastPageSpeedButton->SetEnabled(forward);
}

// Digits and editing keys type; Enter shows the typed page, held within the pages.
void TfrmPrintPreview::CurrPageEditKeyPress(TObject*, char& key) {
    if (key == 8 || key == 127 || (key >= '0' && key <= '9')) return;
    if (key != 13) {
        key = 0;
        return;
    }
    key = 0;
    const AnsiString text = CurrPageEdit->GetText();
    int number = text.IsEmpty() ? PageIndex + 1 : StrToInt(text);
    const int count = static_cast<int>(Pages.size());
    if (number < 1) number = 1;
    if (number > count) number = count;
    ShowPage(number - 1);
}

void TfrmPrintPreview::ZoomComboBoxChange(TObject*) {
    const AnsiString item = ZoomComboBox->Items()->Strings(ZoomComboBox->ItemIndex());
    const double zoom = StrToFloat(item.SubString(1, item.Length() - 1)) * 0.01;
    TBitmap* page = PageBitmap();
    imgPage->SetBounds(static_cast<int>(BaseImageLeft * zoom), static_cast<int>(BaseImageTop * zoom),
                       static_cast<int>(page->Width() * zoom),
                       static_cast<int>(page->Height() * zoom));
    pnlPage->SetBounds(pnlPage->Left(), pnlPage->Top(), static_cast<int>(BasePanelWidth * zoom),
                       static_cast<int>(BasePanelHeight * zoom));
    CenterPage();
    UpdateZoomButtons();
}

void TfrmPrintPreview::ZoomInSpeedButtonClick(TObject*) {
    if (ZoomComboBox->ItemIndex() > 0) {
        ZoomComboBox->SetItemIndex(ZoomComboBox->ItemIndex() - 1);
        ZoomComboBoxChange(ZoomComboBox);
    }
    UpdateZoomButtons();
}

void TfrmPrintPreview::ZoomOutSpeedButtonClick(TObject*) {
    if (ZoomComboBox->ItemIndex() < ZoomComboBox->Items()->Count() - 1) {
        ZoomComboBox->SetItemIndex(ZoomComboBox->ItemIndex() + 1);
        ZoomComboBoxChange(ZoomComboBox);
    }
    UpdateZoomButtons();
}

void TfrmPrintPreview::UpdateZoomButtons() {
    const int index = ZoomComboBox->ItemIndex();
    ZoomInSpeedButton->SetEnabled(index != 0);
    ZoomOutSpeedButton->SetEnabled(index != ZoomComboBox->Items()->Count() - 1);
}

void TfrmPrintPreview::PrintSpeedButtonClick(TObject*) { SetModalResult(mrOk); }

void TfrmPrintPreview::PDFSpeedButtonClick(TObject*) {
    PrintToPDF = false;
    SaveDialog->SetFilter("PDF files (*.pdf)|*.PDF");
    if (!SaveDialog->Execute()) return;
    PrintToPDF = true;
    SetModalResult(mrOk);
}

void TfrmPrintPreview::CloseSpeedButtonClick(TObject*) { SetModalResult(mrCancel); }
