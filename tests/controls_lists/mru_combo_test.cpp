#include <gtest/gtest.h>

#include "UiMRUComboBox.h"
#include "lists_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class MRUComboTest : public ListsFormTest {
protected:
    TUiMRUComboBox* MakeCombo(TUiRegIniFile* store, std::initializer_list<const char*> items = {}) {
        auto* combo = Add<TUiMRUComboBox>(10, 10, 150, 21);
        for (const char* item : items) combo->Items()->Add(item);
        combo->SetBeepOnInvalidKey(false);
        combo->SetMruRegIniFile(store);
        combo->SetMruSection("History");
        combo->SetMruID("Recent");
        combo->OnChange = [this](TObject*) { ++changes; };
        Focus(combo);
        return combo;
    }
    static void Accept(TUiMRUComboBox* combo, const char* text) {
        combo->ForceText(text);
        PostChars(combo->EditHandle(), "\r");
        Pump();
    }
    std::vector<AnsiString> ItemTexts(TUiMRUComboBox* combo) {
        std::vector<AnsiString> texts;
        for (int i = 0; i < combo->Items()->Count(); ++i) texts.push_back(combo->Items()->Get(i));
        return texts;
    }
    int changes = 0;
};

TEST_F(MRUComboTest, AcceptedTextsAreSavedMostRecentFirst) {
    TUiRegIniFile* store = IniStore("mru_combo_test.ini");
    store->WriteString("History", "Recent_Item7", "stale");
    auto* combo = MakeCombo(store);
    Accept(combo, "beta");
    Accept(combo, "alpha");
    EXPECT_EQ(2, store->ReadInteger("History", "Recent_Count", -1));
    EXPECT_STREQ("alpha", store->ReadString("History", "Recent_Item0", "").c_str());
    EXPECT_STREQ("beta", store->ReadString("History", "Recent_Item1", "").c_str());
    for (int i = 2; i < 25; ++i) EXPECT_FALSE(store->ValueExists("History", "Recent_Item" + IntToStr(i))) << i;

    combo->SetMaxHistory(1);
    Accept(combo, "gamma");
    EXPECT_EQ(1, store->ReadInteger("History", "Recent_Count", -1));
    EXPECT_STREQ("gamma", store->ReadString("History", "Recent_Item0", "").c_str());
    EXPECT_STREQ("beta", store->ReadString("History", "Recent_Item1", "").c_str());
    EXPECT_EQ((std::vector<AnsiString>{"gamma", "alpha", "beta"}), ItemTexts(combo));
}

TEST_F(MRUComboTest, LoadingPutsTheSavedHistoryFirst) {
    TUiRegIniFile* store = IniStore("mru_combo_load_test.ini");
    store->WriteInteger("History", "Recent_Count", 3);
    store->WriteString("History", "Recent_Item0", "b");
    store->WriteString("History", "Recent_Item1", "");
    store->WriteString("History", "Recent_Item2", "A");
    BeginLoading(form);
    auto* combo = MakeCombo(store, {"a", "c"});
    combo->SetSelectFirstItemOnLoad(true);
    EndLoading(form);
    EXPECT_EQ((std::vector<AnsiString>{"b", "a", "c"}), ItemTexts(combo));
    EXPECT_EQ(0, combo->ItemIndex());

    // Without a section, an identifier or a store nothing is read.
    auto* unnamed = MakeCombo(store, {"x"});
    unnamed->SetMruSection("");
    unnamed->RecreateWnd();
    EXPECT_EQ((std::vector<AnsiString>{"x"}), ItemTexts(unnamed));
}

TEST_F(MRUComboTest, AcceptingAListedTextMovesItAndKeepsTheTypedCase) {
    TUiRegIniFile* store = IniStore("mru_combo_case_test.ini");
    auto* combo = MakeCombo(store, {"Alpha", "beta"});
    combo->SetAutoComplete(false);
    Accept(combo, "BETA");
    EXPECT_EQ((std::vector<AnsiString>{"beta", "Alpha"}), ItemTexts(combo));
    EXPECT_STREQ("BETA", combo->GetText().c_str());
}

TEST_F(MRUComboTest, EnterAndEscapeFireTheirEventsAndLeavingEmptySavesNothing) {
    TUiRegIniFile* store = IniStore("mru_combo_keys_test.ini");
    auto* combo = MakeCombo(store, {"one"});
    int enters = 0, escapes = 0, keyPresses = 0;
    combo->OnEnterKeyPressed = [&](TObject*) { ++enters; };
    combo->OnEscapeKeyPressed = [&](TObject*) { ++escapes; };
    combo->OnKeyPress = [&](TObject*, char&) { ++keyPresses; };
    PostChars(combo->EditHandle(), "\x1b");
    Pump();
    EXPECT_EQ(1, escapes);
    EXPECT_EQ(0, enters);
    EXPECT_EQ(0, keyPresses);
    auto* other = Add<TUiMRUComboBox>(10, 60, 150, 21);
    other->SetFocus();
    Pump();
    EXPECT_FALSE(store->ValueExists("History", "Recent_Count"));
    Focus(combo);
    Accept(combo, "two");
    EXPECT_EQ(1, enters);
}

TEST_F(MRUComboTest, RemoveItemDropsTheShownTextFromTheHistory) {
    TUiRegIniFile* store = IniStore("mru_combo_remove_test.ini");
    auto* combo = MakeCombo(store, {"one", "two"});
    TMenuItem* remove = combo->EmbeddedMenu()->Items()->Items(9);
    EXPECT_STREQ("&Remove item from history list", remove->Caption().c_str());
    for (const char* shown : {"two", "none"}) {
        combo->ForceText(shown);
        changes = 0;
        remove->OnClick(remove);
        EXPECT_STREQ("", combo->GetText().c_str());
        EXPECT_EQ(1, changes);
    }
    EXPECT_EQ((std::vector<AnsiString>{"one"}), ItemTexts(combo));
    EXPECT_EQ(1, store->ReadInteger("History", "Recent_Count", -1));
}

TEST_F(MRUComboTest, MenuEnablesWhatTheTextAllows) {
    auto* combo = MakeCombo(nullptr, {"one"});
    TPopupMenu* menu = combo->EmbeddedMenu();
    auto enabled = [&](int item) { return menu->Items()->Items(item)->Enabled(); };
    enum { undo = 0, cut = 2, copy = 3, paste = 4, del = 5, selectAll = 7, remove = 9 };
    Clipboard()->SetAsText("x");
    combo->ForceText("one");
    combo->SetSelStart(0);
    combo->SetSelLength(2);
    menu->OnPopup(menu);
    for (int item : {cut, copy, del, paste, selectAll, remove}) EXPECT_TRUE(enabled(item)) << item;
    combo->ForceText("");
    menu->OnPopup(menu);
    for (int item : {cut, copy, del, selectAll, remove}) EXPECT_FALSE(enabled(item)) << item;
    EXPECT_TRUE(enabled(paste));
    combo->SetRemoveItemCaption("Forget");
    EXPECT_STREQ("Forget", menu->Items()->Items(remove)->Caption().c_str());
    EXPECT_EQ(remove, menu->Items()->Items(remove)->Tag());
}

}  // namespace
