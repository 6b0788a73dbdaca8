// The INI file through the system's profile functions: value forms as read and written,
// sections, and a refused write; the registry and its INI view.
#include "cl_settings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cl_lists.h"
#include "cl_locale.h"
#include "cl_streams.h"
#include "cl_sys.h"
#include "temp_folder.h"

namespace {

std::string FileText(const AnsiString& name) {
    TStringList lines;
    lines.LoadFromFile(name);
    return lines.Text().str();
}

class IniFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    AnsiString name = folder.Path("RADON.INI");

    void WriteRaw(const char* text) { WriteFileWhole(name, text, std::strlen(text)); }
};

TEST_F(IniFileTest, IntegersAreDecimalOrHexAfter0x) {
    WriteRaw(
        "[Port]\r\n"
        "hex=0x3\r\nupperhex=0X1f\r\nword=three\r\nempty=\r\ndollar=$3\r\n"
        "decimal=12\r\nnegative=-5\r\nblanks=  7  \r\ntrailing=12abc\r\nhuge=99999999999\r\n"
        "bare=0x\r\nfullhex=0xFFFFFFFF\r\nlonghex=0x123456789\r\nplus=+4\r\n");
    struct Case {
        const char* ident;
        int expected;
    };
    const Case cases[] = {
        {"hex", 3},       {"upperhex", 31},  {"word", 1},     {"empty", 1},     {"dollar", 1},
        {"decimal", 12},  {"negative", -5},  {"blanks", 7},   {"trailing", 1},  {"huge", 1},
        {"bare", 1},      {"fullhex", -1},   {"longhex", 1},  {"plus", 4},      {"missing", 1},
    };
    TIniFile ini(name);
    for (const Case& c : cases)
        EXPECT_EQ(ini.ReadInteger("Port", c.ident, 1), c.expected) << c.ident;
    EXPECT_EQ(ini.ReadInteger("NoSection", "hex", 9), 9);
}

TEST_F(IniFileTest, FloatsAndBoolsFallBackToTheDefault) {
    const AnsiString good = AnsiString("Good=2") + DecimalSeparator + "5\r\n";
    WriteRaw(("[Cal]\r\nLevel=\r\nFactor=abc\r\n" + good + "Exp=1E3\r\n"
              "[Flags]\r\nTwo=2\r\nZero=0\r\nYes=yes\r\nHex=0x0\r\n").c_str());
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadFloat("Cal", "Level", 4.0), 4.0);
    EXPECT_EQ(ini.ReadFloat("Cal", "Factor", 0.0), 0.0);
    EXPECT_EQ(ini.ReadFloat("Cal", "Good", 0.0), 2.5);
    EXPECT_EQ(ini.ReadFloat("Cal", "Exp", 0.0), 1000.0);
    EXPECT_TRUE(ini.ReadBool("Flags", "Two", false));
    EXPECT_FALSE(ini.ReadBool("Flags", "Zero", true));
    EXPECT_TRUE(ini.ReadBool("Flags", "Yes", true));
    EXPECT_FALSE(ini.ReadBool("Flags", "Yes", false));
    EXPECT_FALSE(ini.ReadBool("Flags", "Hex", true));
    EXPECT_TRUE(ini.ReadBool("Flags", "Missing", true));
}

TEST_F(IniFileTest, WritesGoStraightToTheFileInTheirTextForms) {
    EXPECT_FALSE(FileExists(name));
    {
        TIniFile ini(name);
        ini.WriteInteger("Port", "Number", -12);
        ini.WriteBool("Port", "Open", true);
        ini.WriteBool("Port", "Busy", false);
        ini.WriteFloat("Cal", "Factor", 0.1);
        ini.WriteFloat("Cal", "Third", 1.0 / 3.0);
        ini.WriteString("Report", "Title", "Radon Report");
    }
    const AnsiString point(DecimalSeparator);
    EXPECT_EQ(FileText(name), ("[Port]\r\nNumber=-12\r\nOpen=1\r\nBusy=0\r\n[Cal]\r\nFactor=0" +
                               point + "1\r\nThird=0" + point +
                               "333333333333333\r\n[Report]\r\nTitle=Radon Report\r\n")
                                  .str());
    TIniFile again(name);
    EXPECT_EQ(again.ReadString("report", "title", ""), "Radon Report");
    EXPECT_EQ(again.ReadFloat("Cal", "Third", 0), 0.333333333333333);
}

TEST_F(IniFileTest, StringsComeBackWithoutSurroundingQuotesOrBlanks) {
    WriteRaw("[S]\r\nquoted=\"  padded  \"\r\nblank=   x y   \r\n");
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("S", "quoted", "?"), "  padded  ");
    EXPECT_EQ(ini.ReadString("S", "blank", "?"), "x y");
    EXPECT_EQ(ini.ReadString("S", "none", "default"), "default");
}

TEST_F(IniFileTest, LongValuesAreReadWhole) {
    const std::string longValue(5000, 'v');
    TIniFile ini(name);
    ini.WriteString("Long", "Value", longValue);
    EXPECT_EQ(ini.ReadString("Long", "Value", "").Length(), 5000);
}

TEST_F(IniFileTest, SectionsAndKeys) {
    WriteRaw("[A]\r\none=1\r\ntwo=2\r\n[B]\r\nthree=3\r\n[Empty]\r\n");
    TIniFile ini(name);
    TStringList list;
    ini.ReadSections(&list);
    EXPECT_EQ(list.CommaText(), "A,B,Empty");
    ini.ReadSection("A", &list);
    EXPECT_EQ(list.CommaText(), "one,two");
    ini.ReadSectionValues("A", &list);
    EXPECT_EQ(list.CommaText(), "one=1,two=2");
    EXPECT_TRUE(ini.SectionExists("B"));
    EXPECT_FALSE(ini.SectionExists("Empty"));
    EXPECT_FALSE(ini.SectionExists("C"));
    EXPECT_TRUE(ini.ValueExists("a", "TWO"));
    EXPECT_FALSE(ini.ValueExists("A", "three"));

    ini.DeleteKey("A", "one");
    ini.EraseSection("B");
    ini.UpdateFile();
    ini.ReadSections(&list);
    EXPECT_EQ(list.CommaText(), "A,Empty");
    ini.ReadSection("A", &list);
    EXPECT_EQ(list.CommaText(), "two");
}

TEST_F(IniFileTest, DatesAndBinaryValuesRoundTrip) {
    TIniFile ini(name);
    const TDateTime when = EncodeDate(2026, 3, 14) + EncodeTime(15, 9, 26, 0);
    ini.WriteDate("D", "Date", when);
    ini.WriteTime("D", "Time", when);
    ini.WriteDateTime("D", "Both", when);
    EXPECT_EQ(ini.ReadDate("D", "Date", 0), EncodeDate(2026, 3, 14));
    EXPECT_NEAR(ini.ReadTime("D", "Time", 0), EncodeTime(15, 9, 26, 0), 1e-9);
    EXPECT_NEAR(ini.ReadDateTime("D", "Both", 0), when, 1e-9);
    EXPECT_EQ(ini.ReadDate("D", "Missing", 7.0), 7.0);

    TStringStream bytes(std::string("\x01\xAB\x00\xFF", 4));
    ini.WriteBinaryStream("D", "Blob", &bytes);
    EXPECT_EQ(ini.ReadString("D", "Blob", ""), "01AB00FF");
    TMemoryStream back;
    EXPECT_EQ(ini.ReadBinaryStream("D", "Blob", &back), 4);
    EXPECT_EQ(std::string(static_cast<char*>(back.Memory()), 4), std::string("\x01\xAB\x00\xFF", 4));
}

void ExpectUnableToWrite(TIniFile& ini, const AnsiString& name) {
    try {
        ini.WriteString("Port", "Baud", "9600");
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + name);
    }
}

TEST_F(IniFileTest, ReadOnlyFileRefusesWritesWithTheFileName) {
    TIniFile ini(name);
    ini.WriteString("Port", "Number", "3");
    ASSERT_TRUE(SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE probe = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "this account writes read-only files (root under Wine)";
    }
    ExpectUnableToWrite(ini, name);
    SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ini.ReadString("Port", "Number", ""), "3");
}

TEST_F(IniFileTest, RefusedWriteRaisesAndKeepsEarlierKeys) {
    TIniFile ini(name);
    ini.WriteString("Port", "Number", "3");
    // Another program holds the file open without sharing it.
    HANDLE holder = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ExpectUnableToWrite(ini, name);
    CloseHandle(holder);
    EXPECT_EQ(ini.ReadString("Port", "Number", ""), "3");
    EXPECT_EQ(ini.ReadString("Port", "Baud", "none"), "none");

    TIniFile nowhere(folder.Path("missing\\RADON.INI"));
    try {
        nowhere.WriteInteger("Port", "Number", 3);
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + folder.Path("missing\\RADON.INI"));
    }
}

class RegistryTest : public ::testing::Test {
protected:
    const AnsiString base = "\\Software\\RadonClassLibTest";
    void TearDown() override {
        TRegistry registry;
        registry.DeleteKey(base);
    }
};

TEST_F(RegistryTest, WritesReadsAndTypesValues) {
    TRegistry registry;
    ASSERT_FALSE(registry.OpenKey(base + "\\Options", false));
    ASSERT_TRUE(registry.OpenKey(base + "\\Options", true));
    EXPECT_EQ(registry.CurrentPath(), "Software\\RadonClassLibTest\\Options");
    registry.WriteString("Name", "Radon");
    registry.WriteInteger("Count", -7);
    registry.WriteBool("Enabled", true);
    const unsigned char blob[] = {1, 2, 3};
    registry.WriteBinaryData("Blob", blob, sizeof(blob));

    EXPECT_EQ(registry.ReadString("Name"), "Radon");
    EXPECT_EQ(registry.ReadString("Missing"), "");
    EXPECT_EQ(registry.ReadInteger("Count"), -7);
    EXPECT_TRUE(registry.ReadBool("Enabled"));
    EXPECT_EQ(registry.GetDataType("Name"), rdString);
    EXPECT_EQ(registry.GetDataType("Count"), rdInteger);
    EXPECT_EQ(registry.GetDataType("Blob"), rdBinary);
    EXPECT_EQ(registry.GetDataSize("Blob"), 3);
    EXPECT_EQ(registry.GetDataSize("Missing"), -1);
    EXPECT_THROW(registry.ReadInteger("Name"), ERegistryException);
    EXPECT_THROW(registry.ReadInteger("Missing"), ERegistryException);

    unsigned char small[2], big[8];
    EXPECT_THROW(registry.ReadBinaryData("Blob", small, sizeof(small)), ERegistryException);
    EXPECT_THROW(registry.ReadBinaryData("Name", big, sizeof(big)), ERegistryException);
    EXPECT_EQ(registry.ReadBinaryData("Blob", big, sizeof(big)), 3);
    EXPECT_EQ(big[2], 3);

    TStringList names;
    registry.GetValueNames(&names);
    names.SetSorted(true);
    EXPECT_EQ(names.CommaText(), "Blob,Count,Enabled,Name");
    EXPECT_TRUE(registry.DeleteValue("Blob"));
    EXPECT_FALSE(registry.ValueExists("Blob"));

    registry.CloseKey();
    EXPECT_TRUE(registry.KeyExists(base + "\\Options"));
    ASSERT_TRUE(registry.OpenKeyReadOnly(base));
    EXPECT_TRUE(registry.HasSubKeys());
    registry.GetKeyNames(&names);
    EXPECT_EQ(names.CommaText(), "Options");
}

TEST_F(RegistryTest, IniViewMapsSectionsToSubkeys) {
    {
        TRegistryIniFile ini(base);
        ini.WriteString("ThemeManager", "ColorName", "NormalColor");
        ini.WriteInteger("Sizes", "Width", 640);
        ini.WriteBool("Sizes", "Visible", true);
    }
    TRegistryIniFile ini(base, KEY_READ);
    EXPECT_EQ(ini.ReadString("ThemeManager", "ColorName", ""), "NormalColor");
    EXPECT_EQ(ini.ReadString("ThemeManager", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("NoSection", "ColorName", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadInteger("Sizes", "Width", 0), 640);
    EXPECT_EQ(ini.ReadString("Sizes", "Width", ""), "640");
    EXPECT_TRUE(ini.ReadBool("Sizes", "Visible", false));
    EXPECT_EQ(ini.ReadInteger("ThemeManager", "ColorName", 5), 5);
    TStringList list;
    ini.ReadSections(&list);
    list.SetSorted(true);
    EXPECT_EQ(list.CommaText(), "Sizes,ThemeManager");

    TRegistryIniFile writer(base);
    writer.DeleteKey("Sizes", "Width");
    EXPECT_FALSE(writer.ValueExists("Sizes", "Width"));
    writer.EraseSection("Sizes");
    EXPECT_FALSE(writer.SectionExists("Sizes"));
}

}  // namespace
