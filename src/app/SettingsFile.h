// The settings file beside the program (its name with the extension ".INI"): the monitor's
// port and the report preferences, each read or written straight through the profile calls.
#pragma once

#include "cl_settings.h"

class TRadonMainForm;

// The report preferences as the settings file holds them, with the defaults of a missing file.
struct TPrintSettings {
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
};

// What the preferences window writes: its controls' values, the two floats still as the texts
// of their edits.
struct TPrintSettingsEntry {
    TPrintSettings Flags;
    AnsiString LetterHeadSpaceText;
    AnsiString ActionLevelText;
};

// The program's file name with its extension replaced by ".INI".
AnsiString SettingsFileName();

int ReadPort(TCustomIniFile& ini);
void WritePort(TCustomIniFile& ini, int port);
// Reads every preference key in the file's reading order.
TPrintSettings ReadPrintSettings(TCustomIniFile& ini);
// Writes every preference key in the window's writing order. The two float texts are converted
// first (EConvertError for a text that is no number), so a bad entry writes nothing.
void WritePrintSettings(TCustomIniFile& ini, const TPrintSettingsEntry& entry);

// The monitor's port from the settings file (default 1), handed to the monitor object.
void ReadPortSetting(TRadonMainForm* mainForm);
// The monitor object's current port, written to the settings file.
void WritePortSetting();
