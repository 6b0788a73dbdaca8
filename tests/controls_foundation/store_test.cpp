// The settings store over an INI file and over a registry key under Wine: default locations,
// round trips of every kind of value, reopening after a change, and the registry's section
// lines.
#include <gtest/gtest.h>

#include "UiRegIniFile.h"
#include "cl_forms.h"
#include "cl_lists.h"
#include "cl_settings.h"
#include "cl_sys.h"

namespace {

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override { store = new TUiRegIniFile(nullptr); }
    void TearDown() override { store->Free(); }

    void RoundTrip() {
        store->WriteInteger("Frame", "Color", static_cast<int>(0x8000000F));
        store->WriteBool("Frame", "Visible", true);
        store->WriteString("Frame", "Name", "Tahoma");
        store->WriteFloat("Frame", "Ratio", 1.5);
        EXPECT_EQ(store->ReadInteger("Frame", "Color", 0), static_cast<int>(0x8000000F));
        EXPECT_TRUE(store->ReadBool("Frame", "Visible", false));
        EXPECT_EQ(store->ReadString("Frame", "Name", ""), "Tahoma");
        EXPECT_DOUBLE_EQ(store->ReadFloat("Frame", "Ratio", 0), 1.5);
        EXPECT_EQ(store->ReadInteger("Frame", "Missing", 42), 42);
        EXPECT_TRUE(store->SectionExists("Frame"));
        EXPECT_TRUE(store->ValueExists("Frame", "Name"));
        store->DeleteKey("Frame", "Name");
        EXPECT_FALSE(store->ValueExists("Frame", "Name"));
        store->EraseSection("Frame");
        EXPECT_FALSE(store->SectionExists("Frame"));
    }

    TUiRegIniFile* store = nullptr;
};

TEST_F(StoreTest, IniStoreDefaultsToTheExecutablesIniFile) {
    const AnsiString expected = ChangeFileExt(ExeFileName(), ".ini");
    DeleteFileA(expected.c_str());
    store->WriteString("S", "A", "1");
    EXPECT_EQ(store->Path(), expected);
    EXPECT_TRUE(FileExists(expected));
    DeleteFileA(expected.c_str());
}

TEST_F(StoreTest, IniStoreRoundTripsValues) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const AnsiString file = AnsiString(dir) + "ui_store_test.ini";
    DeleteFileA(file.c_str());
    store->SetPath(file);
    RoundTrip();
    store->WriteString("Lines", "B", "2");
    store->WriteString("Lines", "A", "1");
    TStringList lines;
    lines.Add("old");
    store->ReadSectionValues("Lines", &lines);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.Strings(0), "B=2");
    EXPECT_EQ(lines.Strings(1), "A=1");
    DeleteFileA(file.c_str());
}

TEST_F(StoreTest, RegistryStoreDefaultsToTheTitleUnderSoftwareTemp) {
    const AnsiString savedTitle = Application->Title();
    Application->SetTitle("Tool");
    store->SetPathType(ptRegistry);
    store->WriteString("S", "A", "x");
    EXPECT_EQ(store->Path(), "\\Software\\Temp\\Tool");
    TRegistry registry;
    EXPECT_TRUE(registry.OpenKey("\\Software\\Temp\\Tool\\S", false));
    EXPECT_EQ(registry.ReadString("A"), "x");
    registry.CloseKey();
    registry.DeleteKey("\\Software\\Temp\\Tool");
    Application->SetTitle(savedTitle);
}

TEST_F(StoreTest, RegistryStoreRoundTripsValues) {
    store->SetPathType(ptRegistry);
    store->SetPath("\\Software\\RadonTests\\Store");
    RoundTrip();
}

TEST_F(StoreTest, ChangingTheRootReopensTheStore) {
    store->SetPathType(ptRegistry);
    store->SetPath("\\Software\\RadonTests\\Roots");
    store->WriteString("S", "Where", "user");
    store->SetRegKey(hkeyLocalMachine);
    EXPECT_EQ(store->ReadString("S", "Where", "none"), "none");
    store->WriteString("S", "Where", "machine");
    store->SetRegKey(hkeyCurrentUser);
    EXPECT_EQ(store->ReadString("S", "Where", "none"), "user");
    store->EraseSection("S");
    store->SetRegKey(hkeyLocalMachine);
    store->EraseSection("S");
}

TEST_F(StoreTest, RegistrySectionValuesAreAppendedInNameOrder) {
    store->SetPathType(ptRegistry);
    store->SetPath("\\Software\\RadonTests\\Values");
    store->EraseSection("Mixed");
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Software\\RadonTests\\Values\\Mixed", true));
    const uint8_t bytes[] = {0x0A, 0xFF};
    registry.WriteBinaryData("C", bytes, 2);
    registry.WriteInteger("B", 5);
    registry.WriteString("A", "text");
    registry.CloseKey();
    TStringList lines;
    lines.Add("kept");
    store->ReadSectionValues("Mixed", &lines);
    ASSERT_EQ(lines.Count(), 4);
    EXPECT_EQ(lines.Strings(0), "kept");
    EXPECT_EQ(lines.Strings(1), "A=text");
    EXPECT_EQ(lines.Strings(2), "B=5");
    EXPECT_EQ(lines.Strings(3), "C=0A FF ");
    TStringList none;
    store->ReadSectionValues("Absent", &none);
    EXPECT_EQ(none.Count(), 0);
    store->EraseSection("Mixed");
}

TEST(StoreMasks, AccessRightsCombine) {
    EXPECT_EQ(RegAccessMask(DefaultRegAccess), 0xF003Fu);
    EXPECT_EQ(RegAccessMask((1u << keyQueryValue) | (1u << keySetValue)), 3u);
    EXPECT_EQ(RegKeyRoot(hkeyCurrentUser), HKEY_CURRENT_USER);
}

}  // namespace
