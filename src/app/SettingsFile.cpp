#include "SettingsFile.h"

#include "Radon.h"
#include "cl_forms.h"
#include "cl_number.h"
#include "cl_sys.h"

namespace {

const char* const PrintSection = "Print";

struct BoolKey {
    const char* name;
    bool TPrintSettings::*field;
};

// The reading order of the thirteen print flags.
const BoolKey ReadOrder[] = {
    {"PrintAtomosphericConditions", &TPrintSettings::PrintAtomosphericConditions},
    {"PrintWind", &TPrintSettings::PrintWind},
    {"PrintMonitorLocation", &TPrintSettings::PrintMonitorLocation},
    {"PrintStructureType", &TPrintSettings::PrintStructureType},
    {"PrintYearBuilt", &TPrintSettings::PrintYearBuilt},
    {"PrintSQFT", &TPrintSettings::PrintSQFT},
    {"PrintOverallAverage", &TPrintSettings::PrintOverallAverage},
    {"CreateCoverPage", &TPrintSettings::CreateCoverPage},
    {"PrintEPAAverage", &TPrintSettings::PrintEPAAverage},
    {"PrintRiskInformation", &TPrintSettings::PrintRiskInformation},
    {"PrintUnderstandingResults", &TPrintSettings::PrintUnderstandingResults},
    {"PrintSignatureOnFirstPage", &TPrintSettings::PrintSignatureOnFirstPage},
    {"DisplayDataOnChart", &TPrintSettings::DisplayDataOnChart},
};

// The writing order: the last two flags change places.
const BoolKey WriteOrder[] = {
    ReadOrder[0], ReadOrder[1], ReadOrder[2], ReadOrder[3], ReadOrder[4],
    ReadOrder[5], ReadOrder[6], ReadOrder[7], ReadOrder[8], ReadOrder[9],
    ReadOrder[10], ReadOrder[12], ReadOrder[11],
};

}  // namespace

AnsiString SettingsFileName() { return ChangeFileExt(Application->ExeName(), ".INI"); }

int ReadPort(TCustomIniFile& ini) { return ini.ReadInteger("ComPort", "Port", 1); }

void WritePort(TCustomIniFile& ini, int port) { ini.WriteInteger("ComPort", "Port", port); }

TPrintSettings ReadPrintSettings(TCustomIniFile& ini) {
    TPrintSettings s;
    s.InspectorName = ini.ReadString("Inspector", "Name", "");
    for (const BoolKey& key : ReadOrder)
        s.*key.field = ini.ReadBool(PrintSection, key.name, s.*key.field);
    s.DigitalSignature = ini.ReadString(PrintSection, "DigitalSignature", "");
    s.HeaderImage = ini.ReadString(PrintSection, "HeaderImage", "");
    s.LetterHeadSpace = static_cast<float>(ini.ReadFloat("LetterHeadSpace", "Space", 0.0));
    s.ActionLevel = ini.ReadFloat("ActionLevel", "Level", 4.0);
    s.HeaderImageAlignment = ini.ReadInteger(PrintSection, "HeaderImageAlignment", 1);
    s.PrintFactor = ini.ReadFloat(PrintSection, "PrintFactor", 6.5);
    return s;
}

void WritePrintSettings(TCustomIniFile& ini, const TPrintSettingsEntry& entry) {
    const double letterHeadSpace = StrToFloat(entry.LetterHeadSpaceText);
    const double actionLevel = StrToFloat(entry.ActionLevelText);
    const TPrintSettings& s = entry.Flags;
    ini.WriteString("Inspector", "Name", s.InspectorName);
    ini.WriteFloat("LetterHeadSpace", "Space", letterHeadSpace);
    ini.WriteFloat("ActionLevel", "Level", actionLevel);
    for (const BoolKey& key : WriteOrder) ini.WriteBool(PrintSection, key.name, s.*key.field);
    ini.WriteString(PrintSection, "DigitalSignature", s.DigitalSignature);
    ini.WriteString(PrintSection, "HeaderImage", s.HeaderImage);
    ini.WriteInteger(PrintSection, "HeaderImageAlignment", s.HeaderImageAlignment);
    ini.WriteFloat(PrintSection, "PrintFactor", s.PrintFactor);
}

void ReadPortSetting(TRadonMainForm*) {
    TIniFile ini(SettingsFileName());
    Monitor->SetPortA(static_cast<uint32_t>(ReadPort(ini)));
}

void WritePortSetting() {
    TIniFile ini(SettingsFileName());
    WritePort(ini, static_cast<int>(Monitor->Port()));
}
