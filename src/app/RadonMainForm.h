// The main window: owns the monitor object, opens the stored serial port, and hosts the
// toolbar, the Inspection, Chart, Pictures and Checklist sheets and the status bar.
#pragma once

#include <cstdint>

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
class TUiLabel;
class TUiEdit;
class TUiBitBtn;
class TUiCheckBox;
class TUiPanel;
class TDynamicHTMLHelp;
class TQMCAboutComponent;

class TRadonMainForm : public TForm {
    CL_COMPONENT_CLASS(TRadonMainForm, TForm)

    explicit TRadonMainForm(TComponent* owner);
    void BeforeDestruction() override;

    void FormShow(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void ComAPacketReceived(TObject* sender, const AnsiString& buffer);
    void FirmwareDownload1Click(TObject* sender);
    // Advances the status bar's progress pane by `n`.
    void IncProgress(uint16_t n);

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
    TUiEdit* CustomerEdits[7];
    TUiEdit* SiteEdits[7];
    TUiCheckBox* ChecklistBoxes[10];
    TDynamicHTMLHelp* DynamicHTMLHelp;
    TQMCAboutComponent* QMCAboutComponent;

    int PrinterDpiX = 0, PrinterDpiY = 0;
    float PhysicalWidth = 0, PhysicalHeight = 0;
    AnsiString ExeDirectory;
    double OverallAverage = 0;
    double AvgHumidity = 0;
    double AvgPressure = 0;
    double AvgTemperature = 0;
    bool MotionDetected = false;
    double EpaAverage = 0;
    double IntervalHours = 0;
    AnsiString CustomerText;
    double ReportScale = 1.0;
    bool TestFromMonitor = false;
    bool TestShown = false;

private:
    void CreateToolbar();
    void CreateStatusBar();
    void CreatePages();
    void CreateInspectionSheet();
    void CreateChecklistSheet();
    void OpenMonitor();
};

extern TRadonMainForm* RadonMainForm;
