#include "Preferences.h"

#include <algorithm>
#include <exception>
#include <initializer_list>
#include <utility>

#include "CompanyTexts.h"
#include "FixedFormText.h"
#include "FormParts.h"
#include "MonitorErrorDisplay.h"
#include "Radon.h"
#include "TestRetrieval.h"
#include "UiBitBtn.h"
#include "UiCheckBox.h"
#include "UiComboBox.h"
#include "UiDateTimePicker.h"
#include "UiEdit.h"
#include "UiGroupBox.h"
#include "UiLabel.h"
#include "UiPageControl.h"
#include "UiRadioGroup.h"
#include "UiToolButton.h"
#include "cl_datetime.h"
#include "cl_dialogs.h"
#include "cl_hourglass.h"
#include "cl_number.h"
#include "cl_sys.h"

TfrmPreferences* frmPreferences = nullptr;

namespace {

const char* const LockedText =
    "There is radon data in the monitor. Radon monitor information update is not allowed."
    "\nPlease clear the radon data to update the monitor information";
const int RowHeight = 21;

TUiGroupBox* MakeGroup(TComponent* owner, TWinControl* parent, const AnsiString& name,
                       const AnsiString& caption, int x, int y, int w, int h) {
    auto* group = PlaceControl<TUiGroupBox>(owner, parent, name, x, y, w, h);
    group->SetGroupBoxStyle(gsStandard);
    group->SetCaption(caption);
    return group;
}

// An edit with its caption to the left, starting at `x`.
TUiEdit* MakeEdit(TComponent* owner, TWinControl* parent, const AnsiString& name,
                  const AnsiString& caption, int x, int y, int labelWidth, int editWidth,
                  int maxLength = 0) {
    MakeLabel(owner, parent, "", caption, x, y + 3, labelWidth - 4);
    auto* edit = PlaceControl<TUiEdit>(owner, parent, name, x + labelWidth, y, editWidth, RowHeight);
    edit->SetMaxLength(maxLength);
    return edit;
}

TUiCheckBox* MakeCheck(TComponent* owner, TWinControl* parent, const AnsiString& name,
                       const AnsiString& caption, int x, int y, int w) {
    auto* box = PlaceControl<TUiCheckBox>(owner, parent, name, x, y, w, 17);
    box->SetCaption(caption);
    return box;
}

TUiComboBox* MakeList(TComponent* owner, TWinControl* parent, const AnsiString& name, int x, int y,
                      int w, std::initializer_list<const char*> items) {
    auto* combo = PlaceControl<TUiComboBox>(owner, parent, name, x, y, w, RowHeight);
    combo->SetStyle(csDropDownList);
    for (const char* item : items) combo->Items()->Add(item);
    combo->SetItemIndex(0);
    return combo;
}

TUiRadioGroup* MakeRadioGroup(TComponent* owner, TWinControl* parent, const AnsiString& name,
                              const AnsiString& caption, int x, int y, int w, int h,
                              std::initializer_list<const char*> items) {
    auto* group = PlaceControl<TUiRadioGroup>(owner, parent, name, x, y, w, h);
    group->SetCaption(caption);
    group->SetColumns(static_cast<int>(items.size()));
    for (const char* item : items) group->Items()->Add(item);
    return group;
}

TUiToolButton* MakeToolButton(TComponent* owner, TWinControl* parent, const AnsiString& name,
                              const AnsiString& caption, int x, int y, int w) {
    auto* button = PlaceControl<TUiToolButton>(owner, parent, name, x, y, w, RowHeight + 1);
    button->SetCaption(caption);
    button->SetShowCaption(true);
    return button;
}

void GiveHint(TControl* control, const AnsiString& hint) {
    control->SetHint(hint);
    control->SetShowHint(true);
}

// The company texts as the window edits, keeps and sends them, in the monitor's order.
struct CompanyField {
    TUiEdit* TfrmPreferences::*Edit;
    AnsiString TfrmPreferences::*Setting;
    const char* Name;
    const char* Caption;
    int MaxLength;  // what the edit takes
    int SendWidth;  // what the monitor's field is padded to
};
const CompanyField CompanyFields[CompanyTextCount] = {
    {&TfrmPreferences::CompanyNameEdit, &TfrmPreferences::CompanyName, "CompanyNameEdit",
     "Company Name", 30, 30},
    {&TfrmPreferences::Address1Edit, &TfrmPreferences::Address1, "Address1Edit", "Address 1", 30,
     30},
    {&TfrmPreferences::Address2Edit, &TfrmPreferences::Address2, "Address2Edit", "Address 2", 30,
     30},
    {&TfrmPreferences::CityEdit, &TfrmPreferences::City, "CityEdit", "City", 20, 20},
    {&TfrmPreferences::StateEdit, &TfrmPreferences::State, "StateEdit", "State/Province", 12, 10},
    {&TfrmPreferences::ZipEdit, &TfrmPreferences::Zip, "ZipEdit", "Postal", 10, 10},
    {&TfrmPreferences::PhoneNumberEdit, &TfrmPreferences::PhoneNumber, "PhoneNumberEdit",
     "Phone Number", 20, 20},
    {&TfrmPreferences::LicenseNumberEdit, &TfrmPreferences::LicenseNumber, "LicenseNumberEdit",
     "License Number", 10, 20},
};

bool MonitorHoldsTest() { return Monitor && Monitor->NumMeasurements != 0; }

// The date, or today when the monitor's clock holds no possible date (a cleared clock reads 0).
TDateTime DateOrToday(int year, int month, int day) {
    TDateTime date;
    return TryEncodeDate(year, month, day, date) ? date : Now();
}

// The time of an "hour:minute" text, or now when the clock's time is no possible one.
TDateTime TimeOrNow(const AnsiString& text) {
    try {
        return FixedTextToTime(text);
    } catch (const EConvertError&) {
        return Now();
    }
}

}  // namespace

TfrmPreferences::TfrmPreferences(TComponent* owner) : TForm(owner) {
    BeginLoading(this);
    SetName("frmPreferences");
    SetCaption("Preferences");
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    SetClientWidth(640);
    SetClientHeight(456);
    Font()->SetName("MS Sans Serif");
    PageControl = PlaceControl<TUiPageControl>(this, this, "PageControl", 8, 8, 624, 408);
    MonitorSheet = new TUiTabSheet(this);
    MonitorSheet->SetName("MonitorSheet");
    MonitorSheet->SetCaption("Monitor Settings");
    MonitorSheet->SetPageControl(PageControl);
    PrintingSheet = new TUiTabSheet(this);
    PrintingSheet->SetName("PrintingSheet");
    PrintingSheet->SetCaption("Print");
    PrintingSheet->SetPageControl(PageControl);
    CreateMonitorSheet();
    CreatePrintSheet();
    btnOK = PlaceControl<TUiBitBtn>(this, this, "btnOK", 464, 424, 80, 25);
    btnOK->SetCaption("OK");
    btnOK->SetDefault(true);
    btnOK->OnClick = Bind(this, &TfrmPreferences::btnOKClick);
    btnCancel = PlaceControl<TUiBitBtn>(this, this, "btnCancel", 552, 424, 80, 25);
    btnCancel->SetCaption("Cancel");
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    PictureDialog = new TOpenPictureDialog(this);
    PictureDialog->SetName("PictureDialog");
    PictureDialog->SetFilter(PictureFileFilter);
    PageControl->SetActivePage(MonitorSheet);
    for (const auto& flag : PrintBoxes()) this->*flag.second = true;
    OnShow = Bind(this, &TfrmPreferences::FormShow);
    EndLoading(this);
}

void TfrmPreferences::CreateMonitorSheet() {
    UpdateMonitorGroup = MakeGroup(this, MonitorSheet, "UpdateMonitorGroup",
                                   "Update Monitor Information", 8, 4, 604, 84);
    Step1Label = MakeLabel(this, UpdateMonitorGroup, "Step1Label", "Step 1:", 12, 24, 40);
    btnRetrieve = PlaceControl<TUiBitBtn>(this, UpdateMonitorGroup, "btnRetrieve", 56, 20, 170, 25);
    btnRetrieve->SetCaption("Retrieve Data From Monitor");
    btnRetrieve->OnClick = Bind(this, &TfrmPreferences::btnRetrieveClick);
    Step2Label = MakeLabel(this, UpdateMonitorGroup, "Step2Label", "Step 2:", 280, 24, 40);
    Step3Label = MakeLabel(this, UpdateMonitorGroup, "Step3Label", "Step 3:", 372, 24, 40);
    SetupSendRMBtn = PlaceControl<TUiBitBtn>(this, UpdateMonitorGroup, "SetupSendRMBtn", 416, 20, 170, 25);
    SetupSendRMBtn->SetCaption("Send Data To Monitor");
    SetupSendRMBtn->SetEnabled(false);
    SetupSendRMBtn->OnClick = Bind(this, &TfrmPreferences::SetupSendRMBtnClick);
    NoteLabel = MakeLabel(this, UpdateMonitorGroup, "NoteLabel",
                          "Note: Please make sure data from the monitor's memory is cleared "
                          "before updating monitor information.",
                          12, 52, 580, 28);
    CreateCompanyGroup();
    CreateRadonMonitorGroup();
}

void TfrmPreferences::CreateCompanyGroup() {
    InspectionCompanyGroup = MakeGroup(this, MonitorSheet, "InspectionCompanyGroup",
                                       "Inspection Company", 8, 96, 300, 276);
    TWinControl* g = InspectionCompanyGroup;
    auto row = [](int i) { return 20 + 28 * i; };
    InspectorNameEdit = MakeEdit(this, g, "InspectorNameEdit", "Name", 8, row(0), 96, 188);
    GiveHint(InspectorNameEdit, "Name is not stored in the Monitor.");
    for (int i = 0; i < CompanyTextCount; ++i) {
        const CompanyField& field = CompanyFields[i];
        this->*field.Edit =
            MakeEdit(this, g, field.Name, field.Caption, 8, row(i + 1), 96, 188, field.MaxLength);
    }
}

std::array<TUiEdit*, CompanyTextCount> TfrmPreferences::CompanyEdits() const {
    std::array<TUiEdit*, CompanyTextCount> edits;
    for (int i = 0; i < CompanyTextCount; ++i) edits[i] = this->*CompanyFields[i].Edit;
    return edits;
}

std::array<AnsiString*, CompanyTextCount> TfrmPreferences::CompanySettings() {
    std::array<AnsiString*, CompanyTextCount> settings;
    for (int i = 0; i < CompanyTextCount; ++i) settings[i] = &(this->*CompanyFields[i].Setting);
    return settings;
}

void TfrmPreferences::CreateRadonMonitorGroup() {
    RadonMonitorGroup =
        MakeGroup(this, MonitorSheet, "RadonMonitorGroup", "Radon Monitor", 316, 96, 296, 276);
    TWinControl* g = RadonMonitorGroup;
    auto row = [](int i) { return 20 + 28 * i; };
    const int x = 112, w = 172;
    MakeLabel(this, g, "", "Date", 8, row(0) + 3, 100);
    DatePicker = PlaceControl<TUiDateTimePicker>(this, g, "DatePicker", x, row(0), w, RowHeight);
    DatePicker->SetFormat("MM/dd/yyyy");
    DatePicker->SetMinDate(EncodeDate(1970, 2, 1));
    MakeLabel(this, g, "", "Time", 8, row(1) + 3, 100);
    TimePicker = PlaceControl<TUiDateTimePicker>(this, g, "TimePicker", x, row(1), w, RowHeight);
    TimePicker->SetKind(dtkTime);
    TimePicker->SetFormat("hh:mm tt");
    SetMonitorTimeCB = MakeCheck(this, g, "SetMonitorTimeCB", "Set Monitor Time", x, row(2) + 2, w);
    SetMonitorTimeCB->SetChecked(true);
    SetMonitorTimeCB->OnClick = Bind(this, &TfrmPreferences::SetMonitorTimeCBClick);
    PinNumberEdit = MakeEdit(this, g, "PinNumberEdit", "Pin", 8, row(3), x - 8, 60, 4);
    GiveHint(PinNumberEdit, "4 digit pin number");
    MakeLabel(this, g, "", "Radon Units", 8, row(4) + 3, 100);
    RadonUnitsComboBox = MakeList(this, g, "RadonUnitsComboBox", x, row(4), 80, {"Bq/m3", "pCi/l"});
    RadonUnitsComboBox->SetItemIndex(1);
    RadonUnitsComboBox->OnChange = Bind(this, &TfrmPreferences::RadonUnitsComboBoxChange);
    MakeLabel(this, g, "", "Temperature Units", 8, row(5) + 3, 100);
    TemperatureUnitsLabel =
        MakeLabel(this, g, "TemperatureUnitsLabel", "Celcius", x, row(5) + 3, w);
    MakeLabel(this, g, "", "Pressure Units", 8, row(6) + 3, 100);
    PressureUnitsValue = MakeLabel(this, g, "PressureUnitsValue", "kPa", x, row(6) + 3, w);
    MakeLabel(this, g, "", "Firmware Version", 8, row(7) + 3, 100);
    FirmwareVersionVal = MakeLabel(this, g, "FirmwareVersionVal", "", x, row(7) + 3, w);
    MakeLabel(this, g, "", "Serial Number", 8, row(8) + 3, 100);
    SerialNumberVal = MakeLabel(this, g, "SerialNumberVal", "", x, row(8) + 3, w);
}

void TfrmPreferences::CreatePrintSheet() {
    PrintingPreferencesGroup = MakeGroup(this, PrintingSheet, "PrintingPreferencesGroup",
                                         "Printing Preferences", 8, 4, 604, 284);
    CreateSiteRows();
    CreatePictureRows();
    CreateReportOptions();
    GeneralPreferencesGroup = MakeGroup(this, PrintingSheet, "GeneralPreferencesGroup",
                                        "General Preferences", 8, 296, 604, 56);
    ActionLevelEdit = MakeEdit(this, GeneralPreferencesGroup, "ActionLevelEdit",
                               "Chart Action Level", 8, 24, 120, 56);
    ActionLevelEdit->SetText("4");
    GiveHint(ActionLevelEdit, "A red line is displayed along the action level on chart");
    DisplayDataOnChartchk = MakeCheck(this, GeneralPreferencesGroup, "DisplayDataOnChartchk",
                                      "Display Average Data on Chart", 290, 26, 220);
    DisplayDataOnChartchk->OnClick = Bind(this, &TfrmPreferences::PrintOptionClick);
}

void TfrmPreferences::CreateSiteRows() {
    TWinControl* g = PrintingPreferencesGroup;
    auto row = [](int i) { return 34 + 26 * i; };
    const int labelWidth = 122, editWidth = 114, checkX = 252;
    MakeLabel(this, g, "", "Print", checkX - 6, 18, 30);
    StructureTypeEdit = MakeEdit(this, g, "StructureTypeEdit", "Structure Type", 8, row(0),
                                 labelWidth, editWidth, 20);
    YearBuildEdit =
        MakeEdit(this, g, "YearBuildEdit", "Year Built", 8, row(1), labelWidth, editWidth, 12);
    SqftEdit = MakeEdit(this, g, "SqftEdit", "SqFt", 8, row(2), labelWidth, editWidth, 20);
    LocationEdit =
        MakeEdit(this, g, "LocationEdit", "Monitor Location", 8, row(3), labelWidth, editWidth, 20);
    for (TUiEdit* edit : {StructureTypeEdit, YearBuildEdit, SqftEdit, LocationEdit})
        edit->SetText("NA");
    MakeLabel(this, g, "", "Atmospheric Conditions", 8, row(4) + 3, labelWidth - 4);
    AtomosphericConditionsCB =
        MakeList(this, g, "AtomosphericConditionsCB", 8 + labelWidth, row(4), editWidth,
                 {"NA", "Clear and Dry", "Overcast", "Raining", "Recent Rainfall", "Snowing",
                  "Recent Snow Fall"});
    MakeLabel(this, g, "", "Wind Direction/Speed", 8, row(5) + 3, labelWidth - 4);
    WindDirCB = MakeList(this, g, "WindDirCB", 8 + labelWidth, row(5), 46,
                         {"NA", "N", "NE", "E", "SE", "S", "SW", "W", "NW"});
    WindSpeedCB = MakeList(this, g, "WindSpeedCB", 8 + labelWidth + 50, row(5), editWidth - 50,
                           {"", "0 - 5mph", "1-10mph", "10-15mph", "15-20mph", ">20mph"});
    for (TUiComboBox* combo : {AtomosphericConditionsCB, WindDirCB, WindSpeedCB})
        combo->OnChange = Bind(this, &TfrmPreferences::RadonUnitsComboBoxChange);
    PrintStructureTypechk = MakeCheck(this, g, "PrintStructureTypechk", "", checkX, row(0) + 2, 17);
    PrintYearBuiltchk = MakeCheck(this, g, "PrintYearBuiltchk", "", checkX, row(1) + 2, 17);
    PrintSQFTchk = MakeCheck(this, g, "PrintSQFTchk", "", checkX, row(2) + 2, 17);
    PrintMonitorLocationchk =
        MakeCheck(this, g, "PrintMonitorLocationchk", "", checkX, row(3) + 2, 17);
    PrintAtomosphericConditionschk =
        MakeCheck(this, g, "PrintAtomosphericConditionschk", "", checkX, row(4) + 2, 17);
    PrintWindchk = MakeCheck(this, g, "PrintWindchk", "", checkX, row(5) + 2, 17);
    for (TUiCheckBox* box : {PrintStructureTypechk, PrintYearBuiltchk, PrintSQFTchk,
                             PrintMonitorLocationchk, PrintAtomosphericConditionschk, PrintWindchk})
        box->OnClick = Bind(this, &TfrmPreferences::PrintOptionClick);
}

void TfrmPreferences::CreatePictureRows() {
    TWinControl* g = PrintingPreferencesGroup;
    LetterHeadSpaceEdit =
        MakeEdit(this, g, "LetterHeadSpaceEdit", "Letter Head Space", 8, 194, 122, 48);
    LetterHeadSpaceEdit->SetText("0.0");
    GiveHint(LetterHeadSpaceEdit, "Maximum letter head space allowed is 2 inches");
    MakeLabel(this, g, "", "inches", 184, 197, 40);
    btnSelectDigitalSignature =
        MakeToolButton(this, g, "btnSelectDigitalSignature", "Select Signature Image", 8, 224, 126);
    btnSelectDigitalSignature->OnClick =
        Bind(this, &TfrmPreferences::btnSelectDigitalSignatureClick);
    editDigitalSignaturePath =
        PlaceControl<TUiEdit>(this, g, "editDigitalSignaturePath", 138, 224, 112, RowHeight);
    UiToolButton1 = MakeToolButton(this, g, "UiToolButton1", "X", 252, 224, 22);
    GiveHint(UiToolButton1, "Clear Image");
    UiToolButton1->OnClick = Bind(this, &TfrmPreferences::UiToolButton1Click);
    btnSelectHeaderImage =
        MakeToolButton(this, g, "btnSelectHeaderImage", "Select Header Image", 8, 252, 126);
    btnSelectHeaderImage->OnClick = Bind(this, &TfrmPreferences::btnSelectHeaderImageClick);
    editHeaderImagePath = PlaceControl<TUiEdit>(this, g, "editHeaderImagePath", 138, 252, 112, RowHeight);
    UiToolButton2 = MakeToolButton(this, g, "UiToolButton2", "X", 252, 252, 22);
    GiveHint(UiToolButton2, "Clear Image");
    UiToolButton2->OnClick = Bind(this, &TfrmPreferences::UiToolButton2Click);
    ImageDigitalSignature = PlaceControl<TImage>(this, this, "ImageDigitalSignature", 0, 0, 1, 1);
    ImageDigitalSignature->SetVisible(false);
    ImageHeaderImage = PlaceControl<TImage>(this, this, "ImageHeaderImage", 0, 0, 1, 1);
    ImageHeaderImage->SetVisible(false);
}

void TfrmPreferences::CreateReportOptions() {
    TWinControl* g = PrintingPreferencesGroup;
    const int x = 290, w = 302;
    radioHeaderImageAlignment =
        MakeRadioGroup(this, g, "radioHeaderImageAlignment", "Header Image Alignment", x, 16, w, 42,
                       {"Left Aligned", "Center Aligned", "Right Aligned"});
    radioHeaderImageAlignment->SetItemIndex(1);
    auto row = [](int i) { return 66 + 22 * i; };
    PrintEPAAveragechk =
        MakeCheck(this, g, "PrintEPAAveragechk", "Print EPA Average", x, row(0), w);
    PrintOverallAveragechk =
        MakeCheck(this, g, "PrintOverallAveragechk", "Print Overall Average", x, row(1), w);
    PrintRadonRiskchk =
        MakeCheck(this, g, "PrintRadonRiskchk", "Print Radon Risk Information", x, row(2), w);
    PrintUnderstandingResultschk = MakeCheck(this, g, "PrintUnderstandingResultschk",
                                             "Print Understanding Testing Protocols", x, row(3), w);
    CreateCoverPagechk =
        MakeCheck(this, g, "CreateCoverPagechk", "Create Cover Page", x, row(4), w);
    PrintSignatureOnFirstPagechk = MakeCheck(this, g, "PrintSignatureOnFirstPagechk",
                                             "Print Signature on First Page", x, row(5), w);
    PrintMitigationSystemInstalledchk = MakeCheck(this, g, "PrintMitigationSystemInstalledchk",
                                                  "Mitigation System Installed", x, row(6) + 6, w);
    PrintMitigationSystemInstalledchk->OnClick =
        Bind(this, &TfrmPreferences::PrintMitigationSystemInstalledchkClick);
    radioMitigationWorking =
        MakeRadioGroup(this, g, "radioMitigationWorking", "Mitigation System Working Properly", x,
                       row(7) + 8, w, 42, {"Yes", "No"});
    radioMitigationWorking->SetItemIndex(0);
    radioMitigationWorking->SetEnabled(false);
}

bool TfrmPreferences::ShowMonitorSettings(bool lock) {
    LockMonitor = lock;
    AnnounceLock = true;
    ShowRestoringOnCancel();
    return true;
}

bool TfrmPreferences::ShowPrintPreferences() {
    AnnounceLock = false;
    ShowRestoringOnCancel();
    return true;
}

void TfrmPreferences::FormShow(TObject*) {
    if (MonitorHoldsTest() && LockMonitor) {
        LockMonitorFields();
        if (AnnounceLock) Application->MessageBox(LockedText, "Message", MB_ICONEXCLAMATION);
    } else {
        UnlockMonitorFields();
    }
    SettingsToControls();
    shownAnswers_ = SiteAnswers();
}

// Closed without OK, the window puts back what it showed: the print fields written out exactly,
// so that copying the controls into the fields changes nothing, and the site and mitigation
// answers.
void TfrmPreferences::ShowRestoringOnCancel() {
    if (ShowModal() == mrOk) return;
    PrintFieldsToControls(FloatToStr(LetterHeadSpace), FloatToStr(ActionLevel));
    SetSiteAnswers(shownAnswers_);
}

void TfrmPreferences::SetMonitorFieldsEnabled(bool enabled) {
    for (TUiEdit* edit : CompanyEdits()) edit->SetEnabled(enabled);
    for (TControl* control : std::initializer_list<TControl*>{
             DatePicker, TimePicker, SetMonitorTimeCB, PinNumberEdit, RadonUnitsComboBox})
        control->SetEnabled(enabled);
}

void TfrmPreferences::LockMonitorFields() {
    SetMonitorFieldsEnabled(false);
    SetupSendRMBtn->SetEnabled(false);
}

void TfrmPreferences::UnlockMonitorFields() { SetMonitorFieldsEnabled(true); }

void TfrmPreferences::ReadSettings() {
    TIniFile ini(SettingsFileName());
    static_cast<TPrintSettings&>(*this) = ReadPrintSettings(ini);
    LoadPictures();
}

void TfrmPreferences::LoadPictures() {
    LoadPicture(ImageDigitalSignature, DigitalSignature);
    LoadPicture(ImageHeaderImage, HeaderImage);
}

// A missing file leaves the picture as it was; one that cannot be read empties it and is
// reported the first time only.
void TfrmPreferences::LoadPicture(TImage* image, const AnsiString& fileName) {
    if (!FileExists(fileName)) return;
    try {
        image->Picture()->LoadFromFile(fileName);
        unreadablePictures_.erase(fileName.str());
    } catch (const std::exception& error) {
        image->Picture()->SetGraphic(nullptr);
        if (!unreadablePictures_.insert(fileName.str()).second) return;
        Application->MessageBox("The picture \"" + fileName + "\" cannot be read:\n" +
                                    error.what() + "\nThe report is printed without it.",
                                "Message", MB_ICONWARNING);
    }
}

void TfrmPreferences::WriteSettings() {
    TPrintSettingsEntry entry;
    entry.Flags = PrintControlValues();
    entry.Flags.PrintFactor = PrintFactor;
    entry.LetterHeadSpaceText = LetterHeadSpaceEdit->GetText();
    entry.ActionLevelText = ActionLevelEdit->GetText();
    TIniFile ini(SettingsFileName());
    WritePrintSettings(ini, entry);
}

void TfrmPreferences::SettingsToControls() {
    ReadSettings();
    for (const CompanyField& field : CompanyFields)
        (this->*field.Edit)->SetText(this->*field.Setting);
    PinNumberEdit->SetText(Pin);
    SerialNumberVal->SetCaption(SerialNumber);
    FirmwareVersionVal->SetCaption(FirmwareVersion);
    if (!TestDate.IsEmpty()) {
        String2Date(&TestDateFields, TestDate);
        DatePicker->SetDate(
            DateOrToday(TestDateFields.Year, TestDateFields.Month, TestDateFields.Day));
    }
    if (!TestTime.IsEmpty()) TimePicker->SetTime(TimeOrNow(TestTime));
    RadonUnitsComboBox->SetItemIndex(UnitsIndex);
    PrintFieldsToControls(FloatToStrF(LetterHeadSpace, ffFixed, 7, 2),
                          FloatToStrF(ActionLevel, ffFixed, 7, 2));
}

void TfrmPreferences::PrintFieldsToControls(const AnsiString& letterHeadSpace,
                                            const AnsiString& actionLevel) {
    InspectorNameEdit->SetText(InspectorName);
    for (const auto& [box, flag] : PrintBoxes()) box->SetChecked(this->*flag);
    editDigitalSignaturePath->SetText(DigitalSignature);
    editHeaderImagePath->SetText(HeaderImage);
    LetterHeadSpaceEdit->SetText(letterHeadSpace);
    ActionLevelEdit->SetText(actionLevel);
    radioHeaderImageAlignment->SetItemIndex(HeaderImageAlignment);
}

std::vector<std::pair<TUiCheckBox*, bool TPrintSettings::*>> TfrmPreferences::PrintBoxes() const {
    return {{PrintAtomosphericConditionschk, &TPrintSettings::PrintAtomosphericConditions},
            {PrintWindchk, &TPrintSettings::PrintWind},
            {PrintMonitorLocationchk, &TPrintSettings::PrintMonitorLocation},
            {PrintStructureTypechk, &TPrintSettings::PrintStructureType},
            {PrintYearBuiltchk, &TPrintSettings::PrintYearBuilt},
            {PrintSQFTchk, &TPrintSettings::PrintSQFT},
            {PrintOverallAveragechk, &TPrintSettings::PrintOverallAverage},
            {CreateCoverPagechk, &TPrintSettings::CreateCoverPage},
            {PrintEPAAveragechk, &TPrintSettings::PrintEPAAverage},
            {PrintRadonRiskchk, &TPrintSettings::PrintRiskInformation},
            {PrintUnderstandingResultschk, &TPrintSettings::PrintUnderstandingResults},
            {PrintSignatureOnFirstPagechk, &TPrintSettings::PrintSignatureOnFirstPage},
            {DisplayDataOnChartchk, &TPrintSettings::DisplayDataOnChart}};
}

// The print settings as the controls show them; the two numbers stay those of the fields.
TPrintSettings TfrmPreferences::PrintControlValues() {
    TPrintSettings values = *this;
    values.InspectorName = InspectorNameEdit->GetText();
    for (const auto& [box, flag] : PrintBoxes()) values.*flag = box->GetChecked();
    values.DigitalSignature = editDigitalSignaturePath->GetText();
    values.HeaderImage = editHeaderImagePath->GetText();
    values.HeaderImageAlignment = radioHeaderImageAlignment->ItemIndex();
    return values;
}

void TfrmPreferences::ControlsToSettings() {
    TPrintSettings values = PrintControlValues();
    values.LetterHeadSpace = static_cast<float>(StrToFloat(LetterHeadSpaceEdit->GetText()));
    values.ActionLevel = StrToFloat(ActionLevelEdit->GetText());
    static_cast<TPrintSettings&>(*this) = values;
    LoadPictures();
}

TfrmPreferences::TSiteAnswers TfrmPreferences::SiteAnswers() {
    TSiteAnswers answers;
    TUiEdit* const edits[] = {StructureTypeEdit, YearBuildEdit, SqftEdit, LocationEdit};
    TUiComboBox* const combos[] = {AtomosphericConditionsCB, WindDirCB, WindSpeedCB};
    for (int i = 0; i < 4; ++i) answers.Texts[i] = edits[i]->GetText();
    for (int i = 0; i < 3; ++i) answers.Choices[i] = combos[i]->ItemIndex();
    answers.MitigationInstalled = PrintMitigationSystemInstalledchk->GetChecked();
    answers.MitigationWorking = radioMitigationWorking->ItemIndex();
    return answers;
}

void TfrmPreferences::SetSiteAnswers(const TSiteAnswers& answers) {
    TUiEdit* const edits[] = {StructureTypeEdit, YearBuildEdit, SqftEdit, LocationEdit};
    TUiComboBox* const combos[] = {AtomosphericConditionsCB, WindDirCB, WindSpeedCB};
    for (int i = 0; i < 4; ++i) edits[i]->SetText(answers.Texts[i]);
    for (int i = 0; i < 3; ++i) combos[i]->SetItemIndex(answers.Choices[i]);
    PrintMitigationSystemInstalledchk->SetChecked(answers.MitigationInstalled);
    radioMitigationWorking->SetItemIndex(answers.MitigationWorking);
}

void TfrmPreferences::btnRetrieveClick(TObject* sender) {
    RetrieveMonitorInformation();
    RadonUnitsComboBoxChange(sender);
}

void TfrmPreferences::RetrieveMonitorInformation() {
    {
        THourglass hourglass;
        try {
            RetrieveWholeTest(*Monitor);
        } catch (const QMCRadonDataError& e) {
            ShowMonitorError(e);
            return;
        }
        MonitorRecordToControls();
    }
    if (MonitorHoldsTest()) {
        LockMonitorFields();
        Application->MessageBox(LockedText, "Message", MB_ICONEXCLAMATION);
    }
    DatePicker->SetEnabled(true);
    TimePicker->SetEnabled(true);
    if (!MonitorHoldsTest()) {
        SetupSendRMBtn->SetEnabled(true);
        UnlockMonitorFields();
    }
}

void TfrmPreferences::MonitorRecordToControls() {
    const auto texts = CompanyTexts(std::as_const(*Monitor));
    const auto edits = CompanyEdits();
    for (int i = 0; i < CompanyTextCount; ++i) edits[i]->SetText(TrimRight(*texts[i]));
    SerialNumberVal->SetCaption(Trim(Monitor->SerialNumber));
    FirmwareVersionVal->SetCaption(UIntToStr(Monitor->FirmwareVersion));
    ModelNumber = Monitor->ModelNumber;
    RadonUnitsComboBox->SetItemIndex(static_cast<int>(Monitor->UnitsIndex));
    PinNumberEdit->SetText(Monitor->GetPin());
    const uint16_t* clock = Monitor->SystemTime;
    DatePicker->SetDate(DateOrToday(clock[0], clock[1], clock[2]));
    TimePicker->SetFormat("HH:MM");
    TimePicker->SetTime(TimeOrNow(IntToStr(clock[3]) + ":" + IntToStr(clock[4])));
    TimePicker->SetFormat("hh:mm tt");
}

void TfrmPreferences::SetupSendRMBtnClick(TObject*) {
    if (MonitorHoldsTest()) {
        Application->MessageBox("Cannot update monitor until test is cleared", "Update Message",
                                MB_OK);
        return;
    }
    THourglass hourglass;
    try {
        SendCompanyPinAndUnits();
        if (SetMonitorTimeCB->GetChecked()) SendClock();
    } catch (const QMCRadonDataError& e) {
        ShowMonitorError(e);
    }
}

// The PIN is checked before anything else, so a bad one leaves the record and monitor as they were.
void TfrmPreferences::SendCompanyPinAndUnits() {
    Monitor->SetPin(PinNumberEdit->GetText());
    Monitor->UnitsIndex = static_cast<uint32_t>(RadonUnitsComboBox->ItemIndex());
    const auto texts = CompanyTexts(*Monitor);
    for (int i = 0; i < CompanyTextCount; ++i) {
        const CompanyField& field = CompanyFields[i];
        Monitor->PadString((this->*field.Edit)->GetText(), *texts[i], field.SendWidth);
    }
    Monitor->SendAll();
    const uint8_t payload[2] = {0xB0, 0x00};
    Monitor->SendMessageA(2, 72, 0, payload);
}

void TfrmPreferences::SendClock() {
    int year, month, day, hour, minute, second, ms;
    DecodeDate(DatePicker->Date(), year, month, day);
    DecodeTime(TimePicker->Time(), hour, minute, second, ms);
    const int clock[5] = {year, month, day, hour, minute};
    std::copy(clock, clock + 5, Monitor->SystemTime);
    Monitor->SendSystemTime();
    SetMonitorTimeCB->SetChecked(false);
}

void TfrmPreferences::SetMonitorTimeCBClick(TObject*) {
    const bool setClock = SetMonitorTimeCB->GetChecked();
    DatePicker->SetEnabled(setClock);
    TimePicker->SetEnabled(setClock);
    DatePicker->SetDate(Now());
    TimePicker->SetTime(Now());
}

void TfrmPreferences::PrintOptionClick(TObject*) {}

void TfrmPreferences::RadonUnitsComboBoxChange(TObject*) {
    if (MonitorHoldsTest()) {
        const bool sensors = ModelNumber == "6916";
        TemperatureUnitsLabel->SetVisible(sensors);
        PressureUnitsValue->SetVisible(sensors);
    }
    const bool metric = RadonUnitsComboBox->ItemIndex() == 0;
    TemperatureUnitsLabel->SetCaption(metric ? "Celsius" : "Fahrenheit");
    PressureUnitsValue->SetCaption(metric ? "kPa" : "inHg");
}

void TfrmPreferences::SelectPicture(TUiEdit* pathEdit) {
    if (!PictureDialog->Execute()) return;
    pathEdit->SetText(PictureDialog->FileName());
    pathEdit->SetSelStart(pathEdit->GetText().Length());
}

void TfrmPreferences::btnSelectDigitalSignatureClick(TObject*) {
    SelectPicture(editDigitalSignaturePath);
}

void TfrmPreferences::btnSelectHeaderImageClick(TObject*) { SelectPicture(editHeaderImagePath); }

void TfrmPreferences::UiToolButton1Click(TObject*) { editDigitalSignaturePath->SetText(""); }

void TfrmPreferences::UiToolButton2Click(TObject*) { editHeaderImagePath->SetText(""); }

void TfrmPreferences::PrintMitigationSystemInstalledchkClick(TObject*) {
    radioMitigationWorking->SetEnabled(PrintMitigationSystemInstalledchk->GetChecked());
}

void TfrmPreferences::btnOKClick(TObject*) {
    double letterHeadSpace = 0;
    if (!NumberEntered(LetterHeadSpaceEdit, letterHeadSpace)) return;
    if (letterHeadSpace > 2) {
        RefuseEntry(LetterHeadSpaceEdit, "Letter head space can not be more than 2 inches");
        return;
    }
    double actionLevel = 0;
    if (!NumberEntered(ActionLevelEdit, actionLevel)) return;
    ControlsToSettings();
    WriteSettings();
    SetModalResult(mrOk);
}

bool TfrmPreferences::NumberEntered(TUiEdit* edit, double& value) {
    if (TryStrToFloat(edit->GetText(), value)) return true;
    RefuseEntry(edit, "'" + edit->GetText() + "' is not a valid floating point value");
    return false;
}

// The entries checked on OK all lie on the Print sheet.
void TfrmPreferences::RefuseEntry(TUiEdit* edit, const AnsiString& text) {
    Application->MessageBox(text, "Message", MB_OK);
    PageControl->SetActivePage(PrintingSheet);
    if (edit->CanFocus()) edit->SetFocus();
}
