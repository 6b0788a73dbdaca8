#include "Preferences.h"

#include "cl_sys.h"

TfrmPreferences* frmPreferences = nullptr;

TfrmPreferences::TfrmPreferences(TComponent* owner) : TForm(owner) {
    BeginLoading(this);
    SetName("frmPreferences");
    SetCaption("Preferences");
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    SetClientWidth(560);
    SetClientHeight(520);
    ImageDigitalSignature = new TImage(this);
    ImageDigitalSignature->SetName("ImageDigitalSignature");
    ImageDigitalSignature->SetParent(this);
    ImageDigitalSignature->SetVisible(false);
    ImageHeaderImage = new TImage(this);
    ImageHeaderImage->SetName("ImageHeaderImage");
    ImageHeaderImage->SetParent(this);
    ImageHeaderImage->SetVisible(false);
    EndLoading(this);
}

void TfrmPreferences::ReadSettings() {
    TIniFile ini(SettingsFileName());
    StoreSettings(ReadPrintSettings(ini));
    if (FileExists(DigitalSignature)) ImageDigitalSignature->Picture()->LoadFromFile(DigitalSignature);
    if (FileExists(HeaderImage)) ImageHeaderImage->Picture()->LoadFromFile(HeaderImage);
}

void TfrmPreferences::StoreSettings(const TPrintSettings& s) {
    InspectorName = s.InspectorName;
    PrintAtomosphericConditions = s.PrintAtomosphericConditions;
    PrintWind = s.PrintWind;
    PrintMonitorLocation = s.PrintMonitorLocation;
    PrintStructureType = s.PrintStructureType;
    PrintYearBuilt = s.PrintYearBuilt;
    PrintSQFT = s.PrintSQFT;
    PrintOverallAverage = s.PrintOverallAverage;
    CreateCoverPage = s.CreateCoverPage;
    PrintEPAAverage = s.PrintEPAAverage;
    PrintRiskInformation = s.PrintRiskInformation;
    PrintUnderstandingResults = s.PrintUnderstandingResults;
    PrintSignatureOnFirstPage = s.PrintSignatureOnFirstPage;
    DisplayDataOnChart = s.DisplayDataOnChart;
    DigitalSignature = s.DigitalSignature;
    HeaderImage = s.HeaderImage;
    LetterHeadSpace = s.LetterHeadSpace;
    ActionLevel = s.ActionLevel;
    HeaderImageAlignment = s.HeaderImageAlignment;
    PrintFactor = s.PrintFactor;
}
