#include <gtest/gtest.h>

#include "../controls_edits/edit_fixture.h"
#include "UiComboBox.h"
#include "UiCommon.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class ComboTest : public EditFormTest {
protected:
    TUiComboBox* MakeCombo(TComboBoxStyle style, std::initializer_list<const char*> items) {
        auto* combo = Add<TUiComboBox>(10, 10, 150, 21);
        combo->SetStyle(style);
        for (const char* item : items) combo->Items()->Add(item);
        combo->SetBeepOnInvalidKey(false);
        combo->OnChange = [this](TObject*) { ++changes; };
        Focus(combo);
        return combo;
    }
    static void TypeInto(HWND window, const char* text) {
        PostChars(window, text);
        Pump();
    }
    static void Wheel(TUiComboBox* combo, int delta) {
        SendMessageA(combo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(20, 20));
        Pump();
    }
    int changes = 0;
};

TEST_F(ComboTest, ListStyleSearchesTypedPrefixIgnoringCase) {
    struct Case {
        const char* typed;
        int index;
        const char* search;
    } cases[] = {{"be", 1, "be"}, {"BEN", 2, "BEN"}, {"g", 3, "g"}, {"bex", 1, "be"},
                 {"z", -1, ""},   {"a\b", 0, ""},    {"bet\b", 1, "be"}};
    for (const Case& c : cases) {
        auto* combo = MakeCombo(csDropDownList, {"Alpha", "beta", "Bench", "Gamma"});
        TypeInto(combo->Handle(), c.typed);
        EXPECT_EQ(c.index, combo->ItemIndex()) << c.typed;
        EXPECT_STREQ(c.search, combo->SearchText().c_str()) << c.typed;
        combo->Free();
    }
}

TEST_F(ComboTest, ChangeFiresForUserChangesOnly) {
    auto* combo = MakeCombo(csDropDownList, {"Alpha", "beta", "Gamma"});
    combo->SetItemIndex(2);
    EXPECT_EQ(0, changes);
    TypeInto(combo->Handle(), "b");
    EXPECT_EQ(1, combo->ItemIndex());
    EXPECT_EQ(1, changes);
    TypeInto(combo->Handle(), "\x1b");  // Escape with the list closed selects item 0
    EXPECT_EQ(0, combo->ItemIndex());
    EXPECT_EQ(2, changes);
}

TEST_F(ComboTest, SearchStartsAfreshOnceTheDelayPassed) {
    const int saved = IncrementalSearchResetDelay;
    IncrementalSearchResetDelay = 50;
    auto* combo = MakeCombo(csDropDownList, {"Alpha", "beta", "Gamma"});
    TypeInto(combo->Handle(), "b");
    const DWORD until = GetTickCount() + 300;
    while (GetTickCount() < until) Pump();
    TypeInto(combo->Handle(), "g");
    EXPECT_EQ(2, combo->ItemIndex());
    IncrementalSearchResetDelay = saved;
}

TEST_F(ComboTest, EditStyleCompletesTypedText) {
    for (bool keepCase : {false, true}) {
        auto* combo = MakeCombo(csDropDown, {"Xyz", "Abcdef"});
        int matches = 0;
        combo->OnMatch = [&](TObject*) { ++matches; };
        combo->SetKeepSearchCase(keepCase);
        TypeInto(combo->EditHandle(), "ab");
        EXPECT_STREQ(keepCase ? "abcdef" : "Abcdef", combo->GetText().c_str());
        EXPECT_EQ(2, combo->SelStart());
        EXPECT_EQ(4, combo->SelLength());
        EXPECT_EQ(keepCase ? 0 : 1, matches);
        combo->Free();
    }
}

TEST_F(ComboTest, EditStyleWithoutAllowEditRefusesUnlistedText) {
    auto* combo = MakeCombo(csDropDown, {"Abcdef"});
    combo->SetAllowEdit(false);
    TypeInto(combo->EditHandle(), "x");
    EXPECT_STREQ("", combo->GetText().c_str());
    combo->SetAllowEdit(true);
    TypeInto(combo->EditHandle(), "x");
    EXPECT_STREQ("x", combo->GetText().c_str());
}

TEST_F(ComboTest, WheelStepsThroughItems) {
    auto* combo = MakeCombo(csDropDownList, {"a", "b", "c"});
    Wheel(combo, -WHEEL_DELTA);
    EXPECT_EQ(0, combo->ItemIndex());
    Wheel(combo, -WHEEL_DELTA);
    Wheel(combo, -WHEEL_DELTA);
    Wheel(combo, -WHEEL_DELTA);  // on the last item: nothing
    EXPECT_EQ(2, combo->ItemIndex());
    EXPECT_EQ(3, changes);
    Wheel(combo, WHEEL_DELTA);
    EXPECT_EQ(1, combo->ItemIndex());
    combo->SetReadOnly(true);
    Wheel(combo, WHEEL_DELTA);
    Key(combo, VK_DOWN);
    TypeInto(combo->Handle(), "a");
    EXPECT_EQ(1, combo->ItemIndex());
}

TEST_F(ComboTest, ValuesStandForItems) {
    auto* combo = MakeCombo(csDropDownList, {});
    combo->AddItemValue("Bq/m3", "0");
    combo->AddItemValue("pCi/l", "");
    EXPECT_STREQ("pCi/l", combo->GetItemValue(1).c_str());
    combo->SetValue("0");
    EXPECT_EQ(0, combo->ItemIndex());
    combo->SetValue("pCi/l");
    EXPECT_EQ(1, combo->ItemIndex());
    combo->SetValue("none");
    EXPECT_EQ(-1, combo->ItemIndex());
    EXPECT_EQ(0, changes);
    TypeInto(combo->Handle(), "b");
    EXPECT_STREQ("0", combo->Value().c_str());
}

TEST_F(ComboTest, ForceTextAndDropDownWidth) {
    auto* combo = MakeCombo(csDropDown, {"abcdef"});
    combo->ForceText("abc");
    EXPECT_STREQ("abc", combo->GetText().c_str());
    EXPECT_TRUE(combo->AutoComplete());
    combo->SetDropDownWidth(300);
    combo->SetSorted(true);
    EXPECT_EQ(300, SendMessageA(combo->Handle(), CB_GETDROPPEDWIDTH, 0, 0));
}

TEST_F(ComboTest, ReadOnlyButtonShowsNoArrow) {
    auto* combo = MakeCombo(csDropDownList, {"a"});
    combo->SetColor(clWhite);
    combo->SetReadOnly(true);
    WindowShot shot(combo);
    const int buttonMiddleX = combo->Width() - GetSystemMetrics(SM_CXVSCROLL) / 2 - 2;
    for (int y = 4; y < combo->Height() - 4; ++y)
        EXPECT_EQ(clWhite, shot.At(buttonMiddleX, y)) << y;
}

}  // namespace
