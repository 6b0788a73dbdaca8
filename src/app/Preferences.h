// The preferences window: for now it holds the application's report settings in memory and
// reloads them from the settings file; the window's sheets come with the preferences dialog.
#pragma once

#include "SettingsFile.h"
#include "cl_extctrls.h"
#include "cl_forms.h"

class TfrmPreferences : public TForm {
    CL_COMPONENT_CLASS(TfrmPreferences, TForm)

    explicit TfrmPreferences(TComponent* owner);

    // Reads every preference from the settings file into the fields below, then loads the
    // signature and header pictures whose files exist.
    void ReadSettings();

    TImage* ImageDigitalSignature;
    TImage* ImageHeaderImage;

    AnsiString InspectorName;
    bool PrintAtomosphericConditions = true;
    bool PrintWind = true;
    bool PrintMonitorLocation = true;
    bool PrintStructureType = true;
    bool PrintYearBuilt = true;
    bool PrintSQFT = true;
    bool PrintOverallAverage = true;
    bool CreateCoverPage = false;
    bool PrintEPAAverage = true;
    bool PrintRiskInformation = false;
    bool PrintUnderstandingResults = false;
    bool PrintSignatureOnFirstPage = false;
    bool DisplayDataOnChart = true;
    AnsiString DigitalSignature;
    AnsiString HeaderImage;
    float LetterHeadSpace = 0.0f;
    double ActionLevel = 4.0;
    int HeaderImageAlignment = 1;
    double PrintFactor = 6.5;

private:
    void StoreSettings(const TPrintSettings& settings);
};

extern TfrmPreferences* frmPreferences;
