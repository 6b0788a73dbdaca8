// The main window: owns the monitor object, opens the stored serial port, and hosts the
// toolbar, the Inspection, Chart, Pictures and Checklist sheets and the status bar.
#pragma once

#include <array>
#include <cstdint>

#include "Radonmath.h"
#include "ReportTarget.h"
#include "TestDataFile.h"
#include "cl_forms.h"
#include "cl_stdctrls.h"

class TRadon;
class TUiToolbar;
class TUiToolButton;
class TUiPageControl;
class TUiTabSheet;
class TUiStatusBar;
class TUiProgressStatus;
class TUiStatusPane;
class TUiVersionInfo;
class TUiBalloonHints;
class TUiLabel;
class TUiEdit;
class TUiBitBtn;
class TUiCheckBox;
class TUiPanel;
class TDynamicHTMLHelp;
class TQMCAboutComponent;
class TMainMenu;
class TMenuItem;
class TImage;
class TOpenDialog;
class TSaveDialog;
class TOpenPictureDialog;
class TPrintDialog;
class TPrinterSetupDialog;
class TApplicationEvents;
class TImageList;
class TStream;
class TPePDFPrinter;
class TCanvas;
struct TRect;
class TChart;
class TCustomChart;
class TLineSeries;
class TPointSeries;
class TPageNumTool;

// The customer's address edits in the test data file's order: name, address 1, address 2, city,
// state, zip, phone.
using TAddressEdits = std::array<TUiEdit*, CustomerFieldCount>;

class TRadonMainForm : public TForm {
    CL_COMPONENT_CLASS(TRadonMainForm, TForm)

    explicit TRadonMainForm(TComponent* owner);
    void BeforeDestruction() override;

    // Life cycle (RadonMainForm.cpp).
    void FormShow(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void ComAPacketReceived(TObject* sender, const AnsiString& buffer);
    void FirmwareDownload1Click(TObject* sender);
    // Advances the status bar's progress pane by `n`.
    void IncProgress(uint16_t n);

    // Test view (RadonTestView.cpp).
    void ButtonRetriveClick(TObject* sender);
    void ShowRetrievedTest();
    void ShowLoadedTest();
    void ComputeAverages();

    // The test chart (RadonChart.cpp, RadonChartOverlays.cpp).
    void FeedChart(bool retrievalView);
    // The marker line of a reading with motion, drawn at once across the chart rectangle.
    void DrawMotionLine(double x);
    // Shows the sensor series and the right axis for a 6916, hides them for any other model.
    void ShowSensorSeries(bool model6916);
    void RadonChartAfterDraw(TObject* sender);
    void RadonChartClickLegend(TCustomChart* sender, TMouseButton button, TShiftState shift,
                               int x, int y);

    // Port selection and adapter plug and unplug (RadonPortEvents.cpp).
    void WndProc(TMessage& message) override;
    void SerialPort1Click(TObject* sender);

    // Test data file and raw data (RadonTestFile.cpp, RadonRawData.cpp).
    void mnuSaveDataClick(TObject* sender);
    void mnuLoadDataClick(TObject* sender);
    void btnCopyAddressClick(TObject* sender);
    TAddressEdits BillingEdits() const;
    TAddressEdits SiteEdits() const;
    bool BuildCustomerText();
    AnsiString CompanyBlockText();
    AnsiString InspectorInfoText();
    AnsiString ReadFieldValue(TStream& stream);
    // The readings as text: counts for the test data file, or converted for the user.
    AnsiString BuildRawDataText(bool convert);
    void CopyDatamnuClick(TObject* sender);
    void WriteRawDatasubmnuClick(TObject* sender);
    AnsiString ProductVersionText();
    // Runs SaveDialog1 for a text file: the chosen name ending in ".txt", empty when cancelled.
    AnsiString ChooseTextFileToSave();
    // Writes the file whole; a failure is shown in a message box and gives false.
    bool WriteTextFile(const AnsiString& fileName, const AnsiString& text);

    // The report and where its pages go (ReportCommands.cpp, ReportPainter.cpp).
    // Shows "No Default Printer" and gives false when no printer can be selected.
    bool CheckDefaultPrinter();
    void SetupPdfTarget();
    void PdfNewPage();
    // The preview pass, then the printer or PDF pass the user chooses in the preview.
    void PreviewReport();
    // The report as one print job, given up when painting fails.
    void PrintReportOnPrinter();
    // The report as the PDF file chosen in the preview window.
    void PrintReportToPdf();
    // Paints the whole report on ReportTarget at ReportScale; leaves the last page open.
    void PaintReport();
    // Draws the test chart, as it is on screen, into `rect` of `canvas`.
    void PrintChart(TCanvas* canvas, const TRect& rect);

    // Commands of the menu bar, the toolbar and the sheets (RadonMainCommands.cpp).
    void Data1Click(TObject* sender);
    void TestResults1Click(TObject* sender);
    void PrintPreview1Click(TObject* sender);
    void PrinttoPDF1Click(TObject* sender);
    void PrintSetup1Click(TObject* sender);
    void ExitClick(TObject* sender);
    void submnuCopyChartClick(TObject* sender);
    void SubMenuViewToolbarClick(TObject* sender);
    void SubMenuViewLabelClick(TObject* sender);
    void SubMenuViewStatusBarClick(TObject* sender);
    void SubMenuErrorCodesClick(TObject* sender);
    void PreferencesClick(TObject* sender);
    void submnuMonitorInformationClick(TObject* sender);
    void submnuPrintingPreferencesClick(TObject* sender);
    void subMenuPrintPreferencesClick(TObject* sender);
    void SoftwareReset1Click(TObject* sender);
    void Manual1Click(TObject* sender);
    void AboutClick(TObject* sender);
    bool ApplicationEvents1Help(uint16_t command, int data, bool& callHelp);
    void UiBitBtn2Click(TObject* sender);
    void buttonClearScreenClick(TObject* sender);
    void UiBtnImage1Click(TObject* sender);
    void UiBtnImage2Click(TObject* sender);
    void UiBtnImage3Click(TObject* sender);
    void UiBtnImage4Click(TObject* sender);
    void UiBtnImage5Click(TObject* sender);
    void UiBtnImage6Click(TObject* sender);
    void ApplyPrintPreferences();
    void ToolButtonOpenClick(TObject* sender);
    void ToolButtonSaveClick(TObject* sender);
    void ToolButtonPrintClick(TObject* sender);
    void ToolButtonPrintPreviewClick(TObject* sender);
    void ToolButtonCopyClick(TObject* sender);
    void ToolButtonCopyChartClick(TObject* sender);
    void ToolButtonWriteClick(TObject* sender);
    void ToolButtonPreferencesClick(TObject* sender);
    void ToolButtonSerialClick(TObject* sender);
    void ToolButtonHelpClick(TObject* sender);

    // The menu bar, toolbar buttons, picture slots and dialogs of the commands (RadonMainForm.cpp).
    TMainMenu* MainMenu;
    TMenuItem *File1, *Data1, *mnuSaveData, *mnuLoadData, *Print1, *TestResults1,
        *PrintPreview1, *PrinttoPDF1, *PrintSetup1, *Exit;
    TMenuItem *Edit1, *CopyDatamnu, *submnuCopyChart, *WriteRawDatasubmnu;
    TMenuItem *View1, *SubMenuViewToolbar, *SubMenuViewLabel, *SubMenuViewStatusBar,
        *SubMenuErrorCodes;
    TMenuItem *Setup1, *Preferences, *submnuMonitorInformation, *submnuPrintingPreferences,
        *subMenuPrintPreferences, *SerialPort1, *SoftwareReset1, *FirmwareDownload2;
    TMenuItem *Help1, *Manual1, *About;
    TUiToolButton *ToolButtonOpen, *ToolButtonSave, *ToolButtonPrint, *ToolButtonPrintPreview,
        *ToolButtonCopy, *ToolButtonCopyChart, *ToolButtonWrite, *ToolButtonPreferences,
        *testChangeOptions, *ToolButtonSerial, *ToolButtonHelp;
    TImage *Image1, *Image2, *Image3, *Image4, *Image5, *Image6;
    TUiBitBtn *UiBtnImage1, *UiBtnImage2, *UiBtnImage3, *UiBtnImage4, *UiBtnImage5, *UiBtnImage6;
    TUiCheckBox *cbPrintImage1, *cbPrintImage2, *cbPrintImage3, *cbPrintImage4, *cbPrintImage5,
        *cbPrintImage6;
    TUiEdit *txtImage1Comments, *txtImage2Comments, *txtImage3Comments, *txtImage4Comments,
        *txtImage5Comments, *txtImage6Comments;
    TUiBitBtn* btnCopyAddress;
    TOpenDialog* OpenDialog1;
    TSaveDialog* SaveDialog1;
    TPrintDialog* PrintDialog;
    TPrinterSetupDialog* PrinterSetupDialog;
    TOpenPictureDialog* OpenPictureDialog;
    TApplicationEvents* ApplicationEvents1;
    TImageList* ImageList1;
    TUiBalloonHints* UiBalloonHints1;

    TUiToolbar* Toolbar;
    TUiPageControl* UiPageControl1;
    TUiTabSheet* InspectionSheet;
    TUiTabSheet* ChartSheet;
    TUiTabSheet* ImagesSheet;
    TUiTabSheet* TabSheet1;
    TUiStatusBar* StatusBar;
    TUiProgressStatus* ProgressStatus;
    TUiVersionInfo* VersionInfo;
    TButton* ButtonRetrive;
    TUiBitBtn* UiBitBtn2;
    TUiBitBtn* buttonClearScreen;
    TUiLabel* ModelNumberLB;
    TUiLabel* SerialNumberLB;
    TUiLabel* CalibrationDateLB;
    TUiLabel* BatteryStatusLB;
    TUiLabel* CFLB;
    TUiLabel* StartDateVal;
    TUiLabel* NumMeasurementsVal;
    TUiLabel* MeasurementIntervalVal;
    TUiLabel* HoursDelayVal;
    TUiLabel* TestDurationVal;
    TUiLabel* LabelOverallAverage;
    TUiLabel* LabelEPAAverage;
    TUiLabel* InspectorInfo;
    TUiEdit* CustomerNameEdit;
    TUiEdit* CustomerAddress1Edit;
    TUiEdit* CustomerAddress2Edit;
    TUiEdit* CustomerCityEdit;
    TUiEdit* CustomerStateEdit;
    TUiEdit* CustomerZipEdit;
    TUiEdit* CustomerPhoneNumberEdit;
    TUiEdit* SiteCustomerNameEdit;
    TUiEdit* SiteCustomerAddress1Edit;
    TUiEdit* SiteCustomerAddress2Edit;
    TUiEdit* SiteCustomerCityEdit;
    TUiEdit* SiteCustomerStateEdit;
    TUiEdit* SiteCustomerZipEdit;
    TUiEdit* SiteCustomerPhoneNumberEdit;
    TUiCheckBox* ChecklistBoxes[10];
    TDynamicHTMLHelp* DynamicHTMLHelp;
    TQMCAboutComponent* QMCAboutComponent;
    TPePDFPrinter* PePDFPrinter;
    TChart* RadonChart;
    TLineSeries *RadonSeries, *ActionLevelSeries, *TemperatureSeries, *PressureSeries,
        *HumiditySeries;
    TPointSeries* MotionErrorSeries;
    TPageNumTool* ChartPageNumTool;

    TReportTarget ReportTarget;

    int PrinterDpiX = 0, PrinterDpiY = 0;
    float PhysicalWidth = 0, PhysicalHeight = 0;
    AnsiString ExeDirectory;
    TDateTimeFields CalibrationDateFields{};
    double OverallAverage = 0;
    double AvgHumidity = 0;
    double AvgPressure = 0;
    double AvgTemperature = 0;
    bool MotionDetected = false;
    double EpaAverage = 0;
    double IntervalHours = 0;
    AnsiString CustomerText;
    double ReportScale = 0;
    bool TestFromMonitor = false;
    bool TestShown = false;

private:
    void CreateToolbar();
    void CreateStatusBar();
    void CreatePages();
    void CreateInspectionSheet();
    void CreateChecklistSheet();
    void CreateChartSheet();
    void CreateImageList();
    void CreateBalloonHints();
    void CreateMainMenu();
    void CreatePicturesSheet();
    void CreatePictureSlot(int slot, int x, int y);
    void CreateDialogs();
    // Loads a picture the user chooses into a slot; a cancelled choice leaves the slot as it was.
    void SelectPicture(TImage* slot);
    void OpenMonitor();
};

extern TRadonMainForm* RadonMainForm;
