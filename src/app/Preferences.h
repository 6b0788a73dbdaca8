// The preferences window: the monitor's company texts, PIN, units and clock on its first sheet,
// the report preferences on its second, and the settings fields that other windows read.
#pragma once

#include <array>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "CompanyTexts.h"
#include "Radonmath.h"
#include "SettingsFile.h"
#include "cl_extctrls.h"
#include "cl_forms.h"

class TUiBitBtn;
class TUiCheckBox;
class TUiComboBox;
class TUiDateTimePicker;
class TUiEdit;
class TUiGroupBox;
class TUiLabel;
class TUiPageControl;
class TUiRadioGroup;
class TUiTabSheet;
class TUiToolButton;
class TOpenPictureDialog;

// The print preferences are the window's own fields (TPrintSettings).
class TfrmPreferences : public TForm, public TPrintSettings {
    CL_COMPONENT_CLASS(TfrmPreferences, TForm)

    explicit TfrmPreferences(TComponent* owner);

    // Shows the window modally, the monitor fields locked when `lock` and the monitor holds a
    // test, with a message saying so. True whatever closed the window; closed without OK, the
    // window shows again the preferences it showed.
    bool ShowMonitorSettings(bool lock);
    // Shows the window modally without the lock message. True whatever closed the window.
    bool ShowPrintPreferences();

    // Reads every preference from the settings file into the print fields, then loads the
    // signature and header pictures whose files exist.
    void ReadSettings();
    // Writes the preferences from the controls to the settings file.
    void WriteSettings();
    void SettingsToControls();
    void ControlsToSettings();
    void RetrieveMonitorInformation();
    void LockMonitorFields();
    void UnlockMonitorFields();
    // The settings fields of the company texts, in the monitor's order.
    std::array<AnsiString*, CompanyTextCount> CompanySettings();

    void FormShow(TObject* sender);
    void btnRetrieveClick(TObject* sender);
    void SetupSendRMBtnClick(TObject* sender);
    void SetMonitorTimeCBClick(TObject* sender);
    // The seven site and chart print boxes: a click only changes their own state.
    void PrintOptionClick(TObject* sender);
    void RadonUnitsComboBoxChange(TObject* sender);
    void btnSelectDigitalSignatureClick(TObject* sender);
    void btnSelectHeaderImageClick(TObject* sender);
    void UiToolButton1Click(TObject* sender);
    void UiToolButton2Click(TObject* sender);
    void PrintMitigationSystemInstalledchkClick(TObject* sender);
    void btnOKClick(TObject* sender);

    // Settings fields: the monitor texts the main window hands over after a retrieval.
    AnsiString CompanyName;
    AnsiString Address1;
    AnsiString Address2;
    AnsiString City;
    AnsiString State;
    AnsiString Zip;
    AnsiString PhoneNumber;
    AnsiString LicenseNumber;
    AnsiString TestDate;  // month/day/year of the monitor clock
    AnsiString TestTime;  // hour:minute of the monitor clock
    AnsiString FirmwareVersion;
    AnsiString SerialNumber;
    AnsiString Pin;
    AnsiString ModelNumber;
    int UnitsIndex = 0;
    TDateTimeFields TestDateFields{};
    bool LockMonitor = false;
    bool AnnounceLock = false;

    // Pages: 0 "Monitor Settings", 1 "Print".
    TUiPageControl* PageControl;
    TUiTabSheet* MonitorSheet;
    TUiTabSheet* PrintingSheet;

    // Monitor Settings sheet.
    TUiGroupBox* UpdateMonitorGroup;
    TUiBitBtn* btnRetrieve;
    TUiBitBtn* SetupSendRMBtn;
    TUiLabel* Step1Label;
    TUiLabel* Step2Label;
    TUiLabel* Step3Label;
    TUiLabel* NoteLabel;
    TUiGroupBox* InspectionCompanyGroup;
    TUiEdit* InspectorNameEdit;
    TUiEdit* CompanyNameEdit;
    TUiEdit* Address1Edit;
    TUiEdit* Address2Edit;
    TUiEdit* CityEdit;
    TUiEdit* StateEdit;
    TUiEdit* ZipEdit;
    TUiEdit* PhoneNumberEdit;
    TUiEdit* LicenseNumberEdit;
    TUiGroupBox* RadonMonitorGroup;
    TUiDateTimePicker* DatePicker;
    TUiDateTimePicker* TimePicker;
    TUiCheckBox* SetMonitorTimeCB;
    TUiEdit* PinNumberEdit;
    TUiComboBox* RadonUnitsComboBox;
    TUiLabel* TemperatureUnitsLabel;
    TUiLabel* PressureUnitsValue;
    TUiLabel* FirmwareVersionVal;
    TUiLabel* SerialNumberVal;

    // Print sheet.
    TUiGroupBox* PrintingPreferencesGroup;
    TUiEdit* StructureTypeEdit;
    TUiEdit* YearBuildEdit;
    TUiEdit* SqftEdit;
    TUiEdit* LocationEdit;
    TUiComboBox* AtomosphericConditionsCB;
    TUiComboBox* WindDirCB;
    TUiComboBox* WindSpeedCB;
    TUiCheckBox* PrintStructureTypechk;
    TUiCheckBox* PrintYearBuiltchk;
    TUiCheckBox* PrintAtomosphericConditionschk;
    TUiCheckBox* PrintSQFTchk;
    TUiCheckBox* PrintMonitorLocationchk;
    TUiCheckBox* PrintWindchk;
    TUiEdit* LetterHeadSpaceEdit;
    TUiToolButton* btnSelectDigitalSignature;
    TUiEdit* editDigitalSignaturePath;
    TUiToolButton* UiToolButton1;
    TUiToolButton* btnSelectHeaderImage;
    TUiEdit* editHeaderImagePath;
    TUiToolButton* UiToolButton2;
    TUiRadioGroup* radioHeaderImageAlignment;
    TUiCheckBox* PrintEPAAveragechk;
    TUiCheckBox* PrintOverallAveragechk;
    TUiCheckBox* PrintRadonRiskchk;
    TUiCheckBox* PrintUnderstandingResultschk;
    TUiCheckBox* CreateCoverPagechk;
    TUiCheckBox* PrintSignatureOnFirstPagechk;
    TUiCheckBox* PrintMitigationSystemInstalledchk;
    TUiRadioGroup* radioMitigationWorking;
    TImage* ImageDigitalSignature;
    TImage* ImageHeaderImage;
    TUiGroupBox* GeneralPreferencesGroup;
    TUiEdit* ActionLevelEdit;
    TUiCheckBox* DisplayDataOnChartchk;

    TUiBitBtn* btnOK;
    TUiBitBtn* btnCancel;
    TOpenPictureDialog* PictureDialog;

private:
    void CreateMonitorSheet();
    void CreateCompanyGroup();
    void CreateRadonMonitorGroup();
    void CreatePrintSheet();
    void CreateSiteRows();
    void CreatePictureRows();
    void CreateReportOptions();
    void ShowRestoringOnCancel();
    void SetMonitorFieldsEnabled(bool enabled);
    std::array<TUiEdit*, CompanyTextCount> CompanyEdits() const;
    void LoadPictures();
    void LoadPicture(TImage* image, const AnsiString& fileName);
    std::vector<std::pair<TUiCheckBox*, bool TPrintSettings::*>> PrintBoxes() const;
    TPrintSettings PrintControlValues();
    void PrintFieldsToControls(const AnsiString& letterHeadSpace, const AnsiString& actionLevel);
    void MonitorRecordToControls();
    void SendCompanyPinAndUnits();
    void SendClock();
    void SelectPicture(TUiEdit* pathEdit);
    bool NumberEntered(TUiEdit* edit, double& value);
    void RefuseEntry(TUiEdit* edit, const AnsiString& text);

    // The site conditions and mitigation answers, which only the window holds.
    struct TSiteAnswers {
        AnsiString Texts[4];
        int Choices[3] = {};
        bool MitigationInstalled = false;
        int MitigationWorking = 0;
    };
    TSiteAnswers SiteAnswers();
    void SetSiteAnswers(const TSiteAnswers& answers);

    TSiteAnswers shownAnswers_;
    // Picture files already reported as unreadable.
    std::set<std::string> unreadablePictures_;
};

extern TfrmPreferences* frmPreferences;
