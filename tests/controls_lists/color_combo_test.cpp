#include <gtest/gtest.h>

#include "UiColorComboBox.h"
#include "cl_hooks.h"
#include "lists_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class ColorComboTest : public ListsFormTest {
protected:
    void TearDown() override {
        Hooks().ExecuteDialog = nullptr;
        ListsFormTest::TearDown();
    }
    TUiColorComboBox* MakeCombo() {
        auto* combo = Add<TUiColorComboBox>(10, 10, 150, 21);
        combo->OnChange = [this](TObject*) { ++changes; };
        Focus(combo);
        return combo;
    }
    int changes = 0;
};

TEST_F(ColorComboTest, ListsTheEntriesTheSwitchesAllow) {
    struct Case {
        bool showDefault, showSys, showCustom;
        int count;
        const char* first;
        const char* last;
    } cases[] = {{true, true, true, 43, "Default", "Custom"},
                 {false, true, true, 42, "Black", "Custom"},
                 {true, false, false, 17, "Default", "White"},
                 {false, true, false, 41, "Black", "InfoBk"}};
    for (const Case& c : cases) {
        auto* combo = MakeCombo();
        combo->SetShowDefaultColor(c.showDefault);
        combo->SetShowSysColors(c.showSys);
        combo->SetShowCustomColor(c.showCustom);
        TStrings* items = combo->Items();
        ASSERT_EQ(c.count, items->Count()) << c.count;
        EXPECT_STREQ(c.first, items->Get(0).c_str());
        EXPECT_STREQ(c.last, items->Get(c.count - 1).c_str());
        EXPECT_EQ(0, combo->ItemIndex());
        combo->Free();
    }
    auto* combo = MakeCombo();
    EXPECT_STREQ("3DDkShadow", combo->Items()->Get(1 + 16 + 21).c_str());
    EXPECT_EQ(clBtnFace, combo->GetColorFromItem(1 + 16 + 15));
}

TEST_F(ColorComboTest, SelectedColorPicksTheFirstEntryOrTheCustomOne) {
    auto* combo = MakeCombo();
    combo->SetSelectedColor(clBlack);
    EXPECT_EQ(0, combo->ItemIndex());  // Default, not Black
    combo->SetSelectedColor(clRed);
    EXPECT_EQ(10, combo->ItemIndex());
    EXPECT_EQ(clRed, combo->SelectedColor());
    const TColor unlisted = static_cast<TColor>(0x123456);
    combo->SetSelectedColor(unlisted);
    EXPECT_EQ(42, combo->ItemIndex());
    EXPECT_EQ(unlisted, combo->CustomColor());
    EXPECT_EQ(unlisted, combo->SelectedColor());
    EXPECT_EQ(3, changes);
    // Without a custom entry a colour the list lacks selects nothing.
    combo->SetShowCustomColor(false);
    combo->SetSelectedColor(static_cast<TColor>(0x654321));
    EXPECT_EQ(-1, combo->ItemIndex());
    EXPECT_EQ(clBlack, combo->SelectedColor());
}

TEST_F(ColorComboTest, RenamedEntriesKeepTheirPlaceAndSurviveRecreation) {
    auto* combo = MakeCombo();
    combo->SetSelectedColor(clRed);
    EXPECT_FALSE(combo->ColorNamesChanged());
    combo->ColorNames()->SetStdColor(9, "Rot");
    EXPECT_STREQ("Rot", combo->Items()->Get(10).c_str());
    EXPECT_EQ(10, combo->ItemIndex());
    EXPECT_TRUE(combo->ColorNamesChanged());
    combo->SetShowDefaultColor(false);
    EXPECT_STREQ("Rot", combo->Items()->Get(9).c_str());
    EXPECT_EQ(10, combo->ItemIndex());
    combo->ColorNames()->SetStdColor(9, "Rouge");
    EXPECT_STREQ("Rouge", combo->Items()->Get(9).c_str());
}

TEST_F(ColorComboTest, CustomEntryOpensTheDialogUnlessTheListWasCancelled) {
    auto* combo = MakeCombo();
    int dialogs = 0;
    Hooks().ExecuteDialog = [&](TCommonDialog& dialog) {
        ++dialogs;
        auto& colors = static_cast<TColorDialog&>(dialog);
        colors.SetColor(static_cast<TColor>(0x00AABB));
        colors.CustomColors()->Clear();
        colors.CustomColors()->Add("ColorA=1A2B3C4D");
        return true;
    };
    ChooseInList(combo, 42, false);
    EXPECT_EQ(0, dialogs);
    ChooseInList(combo, 42);
    EXPECT_EQ(1, dialogs);
    EXPECT_EQ(static_cast<TColor>(0x00AABB), combo->CustomColor());
    EXPECT_EQ(static_cast<TColor>(0x00AABB), combo->SelectedColor());
    EXPECT_STREQ("ColorA=2B3C4D", combo->CustomColors()->Get(0).c_str());
}

TEST_F(ColorComboTest, CustomColorsGoThroughTheSettingsStore) {
    auto* combo = MakeCombo();
    EXPECT_THROW(combo->LoadCustomColors("Colors"), ENoRegIniFile);
    EXPECT_THROW(combo->SaveCustomColors("Colors"), ENoRegIniFile);
    TUiRegIniFile* store = IniStore("color_combo_test.ini");
    store->WriteString("Colors", "ColorA", "FF00FF00");
    store->WriteString("Colors", "ColorB", "12");
    combo->SetRegIniFile(store);
    combo->LoadCustomColors("Colors");
    ASSERT_EQ(2, combo->CustomColors()->Count());
    EXPECT_STREQ("ColorA=00FF00", combo->CustomColors()->Get(0).c_str());
    EXPECT_STREQ("ColorB=000012", combo->CustomColors()->Get(1).c_str());
    combo->SaveCustomColors("Saved");
    EXPECT_STREQ("000012", store->ReadString("Saved", "ColorB", "").c_str());
    TStringList bad;
    bad.Add("ColorC=xyz");
    EXPECT_THROW(combo->SetCustomColors(&bad), EConvertError);
}

TEST_F(ColorComboTest, RowShowsTheSwatchBeforeTheName) {
    auto* combo = MakeCombo();
    combo->SetSelectedColor(clBlue);
    combo->SetFocusColor(clWindow);
    WindowShot shot(combo);
    // The edit part's row: swatch 16 pixels wide left of the name, its inside in the colour.
    int blue = 0;
    for (int x = 0; x < 40; ++x)
        if (shot.At(x, combo->Height() / 2) == clBlue) ++blue;
    EXPECT_GE(blue, 10);
    EXPECT_LE(blue, 16);
}

}  // namespace
