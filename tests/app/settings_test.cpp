// The settings file: defaults of a missing file, decimal and "0x" ports, Booleans and floats
// that do not convert, and the reading and writing orders of the report preferences.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "SettingsFile.h"
#include "cl_except.h"

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        path = std::string(folder) + "settings_test_" + std::to_string(GetCurrentProcessId()) +
               ".INI";
        DeleteFileA(path.c_str());
    }
    void TearDown() override { DeleteFileA(path.c_str()); }
    void Write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    // The "key=value" lines of the file in file order.
    std::vector<std::string> Lines() {
        std::ifstream in(path);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.find('=') != std::string::npos) lines.push_back(line);
        }
        return lines;
    }
    std::string path;
};

TEST_F(SettingsFileTest, MissingFileGivesEveryDefault) {
    TIniFile ini(path.c_str());
    EXPECT_EQ(ReadPort(ini), 1);
    const TPrintSettings s = ReadPrintSettings(ini);
    EXPECT_EQ(s.InspectorName, "");
    EXPECT_TRUE(s.PrintAtomosphericConditions && s.PrintWind && s.PrintMonitorLocation &&
                s.PrintStructureType && s.PrintYearBuilt && s.PrintSQFT &&
                s.PrintOverallAverage && s.PrintEPAAverage && s.DisplayDataOnChart);
    EXPECT_FALSE(s.CreateCoverPage || s.PrintRiskInformation || s.PrintUnderstandingResults ||
                 s.PrintSignatureOnFirstPage);
    EXPECT_EQ(s.LetterHeadSpace, 0.0f);
    EXPECT_EQ(s.ActionLevel, 4.0);
    EXPECT_EQ(s.HeaderImageAlignment, 1);
    EXPECT_EQ(s.PrintFactor, 6.5);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsFileTest, PortIsDecimalOrHexAndAnythingElseIsTheDefault) {
    const struct {
        const char* text;
        int port;
    } cases[] = {{"3", 3}, {"0x3", 3}, {"0X0a", 10}, {"three", 1}, {"", 1}, {"$3", 1},
                 {"7 ", 7}};
    for (const auto& c : cases) {
        Write(std::string("[ComPort]\r\nPort=") + c.text + "\r\n");
        TIniFile ini(path.c_str());
        EXPECT_EQ(ReadPort(ini), c.port) << "'" << c.text << "'";
    }
    TIniFile ini(path.c_str());
    WritePort(ini, 4);
    EXPECT_EQ(Lines(), std::vector<std::string>({"Port=4"}));
}

TEST_F(SettingsFileTest, BadValuesReadAsDefaultsAndBoolsAsAnyNonZero) {
    Write("[Print]\r\nPrintWind=2\r\nCreateCoverPage=yes\r\nPrintSQFT=0\r\nPrintFactor=7.25\r\n"
          "HeaderImageAlignment=0x2\r\n[ActionLevel]\r\nLevel=\r\n[LetterHeadSpace]\r\n"
          "Space=abc\r\n[Inspector]\r\nName=Ann Smith\r\n");
    TIniFile ini(path.c_str());
    const TPrintSettings s = ReadPrintSettings(ini);
    EXPECT_TRUE(s.PrintWind);
    EXPECT_FALSE(s.CreateCoverPage);
    EXPECT_FALSE(s.PrintSQFT);
    EXPECT_EQ(s.ActionLevel, 4.0);
    EXPECT_EQ(s.LetterHeadSpace, 0.0f);
    EXPECT_EQ(s.PrintFactor, 7.25);
    EXPECT_EQ(s.HeaderImageAlignment, 2);
    EXPECT_EQ(s.InspectorName, "Ann Smith");
}

TEST_F(SettingsFileTest, WritesEveryKeyInOrderAndKeepsAHandEnteredPrintFactor) {
    Write("[Print]\r\nPrintFactor=7.5\r\nPrintWind=2\r\n[Other]\r\nKeep=me\r\n");
    TIniFile ini(path.c_str());
    TPrintSettingsEntry entry;
    entry.Flags = ReadPrintSettings(ini);
    entry.Flags.InspectorName = "Ann";
    entry.Flags.PrintSignatureOnFirstPage = true;
    entry.Flags.DigitalSignature = "C:\\sig.bmp";
    entry.LetterHeadSpaceText = "1.5";
    entry.ActionLevelText = "148";
    WritePrintSettings(ini, entry);
    // Keys already present keep their place; the rest follow in the writing order.
    const std::vector<std::string> expected = {
        "PrintFactor=7.5", "PrintWind=1", "PrintAtomosphericConditions=1",
        "PrintMonitorLocation=1", "PrintStructureType=1", "PrintYearBuilt=1", "PrintSQFT=1",
        "PrintOverallAverage=1", "CreateCoverPage=0", "PrintEPAAverage=1",
        "PrintRiskInformation=0", "PrintUnderstandingResults=0", "DisplayDataOnChart=1",
        "PrintSignatureOnFirstPage=1", "DigitalSignature=C:\\sig.bmp", "HeaderImage=",
        "HeaderImageAlignment=1", "Keep=me", "Name=Ann", "Space=1.5", "Level=148"};
    EXPECT_EQ(Lines(), expected);
    EXPECT_EQ(ReadPrintSettings(ini).PrintFactor, 7.5);
}

TEST_F(SettingsFileTest, FreshFileGetsTheWritingOrder) {
    TIniFile ini(path.c_str());
    TPrintSettingsEntry entry;
    entry.LetterHeadSpaceText = "0";
    entry.ActionLevelText = "4";
    WritePrintSettings(ini, entry);
    std::vector<std::string> keys;
    for (const std::string& line : Lines()) keys.push_back(line.substr(0, line.find('=')));
    const std::vector<std::string> expected = {
        "Name", "Space", "Level", "PrintAtomosphericConditions", "PrintWind",
        "PrintMonitorLocation", "PrintStructureType", "PrintYearBuilt", "PrintSQFT",
        "PrintOverallAverage", "CreateCoverPage", "PrintEPAAverage", "PrintRiskInformation",
        "PrintUnderstandingResults", "DisplayDataOnChart", "PrintSignatureOnFirstPage",
        "DigitalSignature", "HeaderImage", "HeaderImageAlignment", "PrintFactor"};
    EXPECT_EQ(keys, expected);
}

TEST_F(SettingsFileTest, ANonNumericLevelWritesNothing) {
    TIniFile ini(path.c_str());
    TPrintSettingsEntry entry;
    entry.LetterHeadSpaceText = "0.5";
    entry.ActionLevelText = "four";
    EXPECT_THROW(WritePrintSettings(ini, entry), Exception);
    EXPECT_TRUE(Lines().empty());
}

}  // namespace
