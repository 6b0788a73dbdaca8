#include <gtest/gtest.h>

#include "lists_fixture.h"
#include "UiComboBox.h"
#include "UiCommon.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class ComboTest : public ListsFormTest {
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

TEST_F(ComboTest, MouseChoiceInTheListIsAUserChange) {
    auto* combo = MakeCombo(csDropDownList, {"Alpha", "beta", "Gamma"});
    combo->SetItemIndex(0);
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    HWND list = combo->ListHandle();
    RECT item;
    SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    const int x = (item.left + item.right) / 2, y = (item.top + item.bottom) / 2;
    PostMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(2, combo->ItemIndex());
    EXPECT_EQ(1, changes);
}

TEST_F(ComboTest, EditStyleBackspaceShortensTheSearch) {
    auto* combo = MakeCombo(csDropDown, {"Xyz", "Abcdef", "Abxy"});
    TypeInto(combo->EditHandle(), "abx");
    EXPECT_STREQ("Abxy", combo->GetText().c_str());
    TypeInto(combo->EditHandle(), "\b");
    EXPECT_STREQ("Abcdef", combo->GetText().c_str());
    EXPECT_STREQ("ab", combo->SearchText().c_str());
    EXPECT_EQ(2, combo->SelStart());
    EXPECT_EQ(4, combo->SelLength());
    TypeInto(combo->EditHandle(), "\b\b");
    EXPECT_EQ(-1, combo->ItemIndex());
    EXPECT_STREQ("", combo->SearchText().c_str());
}

TEST_F(ComboTest, EditStyleWithoutAllowEditKeepsTheText) {
    auto* combo = MakeCombo(csDropDown, {"Abcdef"});
    combo->SetAllowEdit(false);
    TypeInto(combo->EditHandle(), "ab");
    ASSERT_STREQ("Abcdef", combo->GetText().c_str());
    combo->SetSelStart(1);
    combo->SetSelLength(2);
    Key(combo, VK_DELETE);
    EXPECT_STREQ("Abcdef", combo->GetText().c_str());
    Clipboard()->SetAsText("zz");
    TypeInto(combo->EditHandle(), "\x16\x18");  // Ctrl+V, Ctrl+X
    EXPECT_STREQ("Abcdef", combo->GetText().c_str());
    combo->SelectAll();
    PostKey(combo->EditHandle(), VK_DELETE);
    Pump();
    EXPECT_STREQ("", combo->GetText().c_str());
}

TEST_F(ComboTest, OwnerDrawnRowsGetTheSelectionColours) {
    auto* combo = MakeCombo(csOwnerDrawFixed, {"one", "two"});
    std::vector<std::pair<int, bool>> drawn;
    combo->OnDrawItem = [&](TObject* sender, int index, TRect rect, TOwnerDrawState state) {
        auto* canvas = static_cast<TUiComboBox*>(sender)->Canvas();
        const bool selected = state.count(odSelected) != 0;
        EXPECT_EQ(selected ? clHighlight : combo->Color(), canvas->Brush()->Color());
        drawn.emplace_back(index, selected);
        canvas->FillRect(rect);
    };
    combo->SetItemIndex(1);
    WindowShot shot(combo);
    EXPECT_NE(drawn.end(), std::find(drawn.begin(), drawn.end(), std::make_pair(1, true)));
    combo->SetItemHeight(30);
    EXPECT_EQ(30, combo->ItemHeight());
    auto* plain = MakeCombo(csDropDownList, {"x"});
    const int height = plain->ItemHeight();
    plain->SetItemHeight(height + 10);
    EXPECT_EQ(height, plain->ItemHeight());
}

TEST_F(ComboTest, HotFlatButtonIsRaised) {
    auto* combo = MakeCombo(csDropDownList, {"a"});
    combo->SetFlatButtons(true);
    const int buttonLeft = combo->Width() - GetSystemMetrics(SM_CXVSCROLL) - 2;
    combo->SetFlatButtonColor(clBtnFace);
    WindowShot hot(combo);  // focused: hot
    const int middle = combo->Height() / 2;
    EXPECT_EQ(ColorToRGB(clBtnHighlight), hot.At(buttonLeft, middle));
    EXPECT_EQ(ColorToRGB(clBtnShadow), hot.At(combo->Width() - 3, middle));
    EXPECT_EQ(ColorToRGB(clBtnFace), hot.At(buttonLeft + 2, 5));
    combo->SetFlatButtonColor(clYellow);
    WindowShot colored(combo);
    EXPECT_EQ(clYellow, colored.At(buttonLeft + 4, 5));
    auto* other = MakeCombo(csDropDownList, {"b"});  // takes the focus: the first is cold
    ASSERT_NE(nullptr, other);
    combo->SetColor(clWhite);
    WindowShot cold(combo);
    EXPECT_EQ(clWhite, cold.At(buttonLeft, middle));
    EXPECT_EQ(clWhite, cold.At(buttonLeft + 4, 5));
}

TEST_F(ComboTest, ReadOnlyEditStyleKeepsItsListClosedAndCopies) {
    auto* combo = MakeCombo(csDropDown, {"abc", "abd"});
    combo->ForceText("abc");
    combo->SetReadOnly(true);
    HWND edit = combo->EditHandle();
    PostKey(edit, VK_F4);
    PostMessageA(edit, WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
    PostMessageA(edit, WM_SYSKEYUP, VK_DOWN, 0xE0000001);
    TypeInto(edit, "x\b");
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_STREQ("abc", combo->GetText().c_str());
    Clipboard()->SetAsText("");
    combo->SelectAll();
    TypeInto(edit, "\x03");  // Ctrl+C
    EXPECT_STREQ("abc", Clipboard()->AsText().c_str());
}

}  // namespace
