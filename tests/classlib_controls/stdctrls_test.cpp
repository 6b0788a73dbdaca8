// The standard controls on a shown form: the system windows behind them, texts, keys, the
// check box, radio button and combo box event rules, items that survive window re-creation,
// default and cancel buttons with modal results, and freeing everything with the owner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cl_stdctrls.h"
#include "test_pump.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);

template <class T> T* Place(TComponent* owner, TWinControl* parent, int x, int y, int w, int h) {
    T* control = new T(owner);
    control->SetParent(parent);
    control->SetBounds(x, y, w, h);
    return control;
}

// A form with one of every plain control.
class StdControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Boxes().clear();
        owner = new TComponent(nullptr);
        form = new TForm(owner);
        form->SetCaption("Standard controls");
        form->SetBounds(50, 50, 420, 360);
        label = Place<TLabel>(owner, form, 10, 10, 60, 17);
        label->SetCaption("&Name");
        edit = Place<TEdit>(owner, form, 80, 8, 120, 21);
        label->SetFocusControl(edit);
        maskEdit = Place<TMaskEdit>(owner, form, 210, 8, 100, 21);
        memo = Place<TMemo>(owner, form, 10, 40, 190, 80);
        combo = Place<TComboBox>(owner, form, 210, 40, 150, 21);
        combo->SetStyle(csDropDownList);
        listBox = Place<TListBox>(owner, form, 210, 70, 150, 80);
        check = Place<TCheckBox>(owner, form, 10, 130, 120, 17);
        check->SetCaption("Check");
        radio1 = Place<TRadioButton>(owner, form, 10, 155, 120, 17);
        radio1->SetCaption("One");
        radio2 = Place<TRadioButton>(owner, form, 10, 175, 120, 17);
        radio2->SetCaption("Two");
        staticText = Place<TStaticText>(owner, form, 210, 160, 100, 17);
        staticText->SetCaption("Static");
        ok = Place<TButton>(owner, form, 230, 290, 75, 25);
        ok->SetCaption("OK");
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        cancel = Place<TButton>(owner, form, 315, 290, 75, 25);
        cancel->SetCaption("Cancel");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
    }
    void TearDown() override {
        TObject::Free(owner);
        Application->ProcessMessages();
    }
    void ShowAndSettle() {
        form->Show();
        Application->ProcessMessages();
    }

    TComponent* owner = nullptr;
    TForm* form = nullptr;
    TLabel* label = nullptr;
    TEdit* edit = nullptr;
    TMaskEdit* maskEdit = nullptr;
    TMemo* memo = nullptr;
    TComboBox* combo = nullptr;
    TListBox* listBox = nullptr;
    TCheckBox* check = nullptr;
    TRadioButton* radio1 = nullptr;
    TRadioButton* radio2 = nullptr;
    TStaticText* staticText = nullptr;
    TButton* ok = nullptr;
    TButton* cancel = nullptr;
};

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return CharUpperA(name);
}

TEST_F(StdControlsTest, ControlsAreSubclassedSystemWindowsCreatedWhenShownAndFreedWithTheOwner) {
    EXPECT_FALSE(edit->HandleAllocated());
    ShowAndSettle();
    const std::pair<TWinControl*, const char*> table[] = {
        {edit, "EDIT"},     {maskEdit, "EDIT"}, {memo, "EDIT"},      {combo, "COMBOBOX"},
        {listBox, "LISTBOX"}, {check, "BUTTON"}, {radio1, "BUTTON"}, {staticText, "STATIC"},
        {ok, "BUTTON"},
    };
    std::vector<HWND> windows;
    for (const auto& [control, className] : table) {
        ASSERT_TRUE(control->HandleAllocated()) << className;
        EXPECT_NE(ClassOf(control->WindowHandle()).find(className), std::string::npos);
        EXPECT_EQ(FindControl(control->WindowHandle()), control);
        EXPECT_TRUE(IsWindowVisible(control->WindowHandle()));
        windows.push_back(control->WindowHandle());
    }
    EXPECT_TRUE(GetWindowLongA(memo->WindowHandle(), GWL_STYLE) & ES_MULTILINE);
    EXPECT_TRUE(GetWindowLongA(ok->WindowHandle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
    TObject::Free(owner);
    owner = nullptr;
    for (HWND window : windows) EXPECT_FALSE(IsWindow(window));
}

TEST_F(StdControlsTest, EditTextIsWholeWhateverMaxLengthWhileTypingIsLimited) {
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetMaxLength(3);
    ShowAndSettle();
    edit->SetText("abcdef");
    EXPECT_EQ(edit->Text(), "abcdef");
    EXPECT_EQ(changes, 1);
    edit->Clear();
    PostChars(edit->WindowHandle(), "wxyz");
    Application->ProcessMessages();
    EXPECT_EQ(edit->Text(), "wxy");
    edit->SetReadOnly(true);
    PostChars(edit->WindowHandle(), "q");
    Application->ProcessMessages();
    EXPECT_EQ(edit->Text(), "wxy");
    edit->SetText("set");
    EXPECT_EQ(edit->Text(), "set");
}

TEST_F(StdControlsTest, KeyPressSeesEveryCharacterAndZeroDiscardsIt) {
    edit->OnKeyPress = [](TObject*, char& key) {
        if (key != '\b' && (key < '0' || key > '9')) key = 0;
    };
    ShowAndSettle();
    PostChars(edit->WindowHandle(), "1a2b3");
    Application->ProcessMessages();
    EXPECT_EQ(edit->Text(), "123");
    edit->SelectAll();
    EXPECT_EQ(edit->SelLength(), 3);
    EXPECT_EQ(edit->SelText(), "123");
}

TEST_F(StdControlsTest, MaskEditWithoutMaskIsItsWindowText) {
    maskEdit->SetMaxLength(2);
    maskEdit->SetText("12345");
    EXPECT_FALSE(maskEdit->IsMasked());
    EXPECT_EQ(maskEdit->Text(), "12345");
    ShowAndSettle();
    EXPECT_EQ(maskEdit->EditText(), "12345");
    maskEdit->SetText("x");
    char text[16] = {};
    GetWindowTextA(maskEdit->WindowHandle(), text, sizeof(text));
    EXPECT_STREQ(text, "x");
}

// Typing fills the data places only, skipping the literals; Backspace and Delete empty them;
// the text comes back without the literals when the mask does not save them.
TEST_F(StdControlsTest, MaskEditTypesIntoTheMaskPlaces) {
    maskEdit->SetEditMask("(000) 000-0000;0;_");
    maskEdit->SetText("5551234567");
    EXPECT_EQ(maskEdit->EditText(), "(555) 123-4567");
    EXPECT_EQ(maskEdit->Text(), "5551234567");
    ShowAndSettle();
    maskEdit->SetText("");
    EXPECT_EQ(maskEdit->EditText(), "(___) ___-____");
    maskEdit->SetFocus();
    maskEdit->SetSelStart(0);
    PostChars(maskEdit->WindowHandle(), "55x51");
    ASSERT_TRUE(PumpUntil([&] { return maskEdit->EditText() == "(555) 1__-____"; }));
    EXPECT_EQ(maskEdit->SelStart(), 7);
    EXPECT_THROW(maskEdit->ValidateEdit(), EDBEditError);
    EXPECT_EQ(maskEdit->SelStart(), 7);
    EXPECT_EQ(maskEdit->SelLength(), 1);
    maskEdit->SetSelStart(7);
    PostChars(maskEdit->WindowHandle(), "\b");
    ASSERT_TRUE(PumpUntil([&] { return maskEdit->EditText() == "(555) ___-____"; }));
    maskEdit->SetSelStart(2);
    PostKey(maskEdit->WindowHandle(), VK_DELETE);
    ASSERT_TRUE(PumpUntil([&] { return maskEdit->EditText() == "(5_5) ___-____"; }));
    maskEdit->SetText("5551234567");
    EXPECT_NO_THROW(maskEdit->ValidateEdit());
    // A new mask shows the same text through itself.
    maskEdit->SetEditMask("000-000-0000;1;*");
    EXPECT_EQ(maskEdit->EditText(), "555-123-4567");
    EXPECT_EQ(maskEdit->Text(), "555-123-4567");
}

TEST_F(StdControlsTest, ListBoxAutoCompleteSelectsByTheTypedBeginning) {
    for (const char* item : {"Apple", "Apricot", "Banana"}) listBox->Items()->Add(item);
    int clicks = 0;
    listBox->OnClick = [&](TObject*) { ++clicks; };
    ShowAndSettle();
    listBox->SetFocus();
    PostChars(listBox->WindowHandle(), "apR");
    ASSERT_TRUE(PumpUntil([&] { return listBox->ItemIndex() == 1; }));
    Sleep(600);
    PostChars(listBox->WindowHandle(), "b");
    ASSERT_TRUE(PumpUntil([&] { return listBox->ItemIndex() == 2; }));
    EXPECT_EQ(clicks, 3);
}

// The memo's lines behave the same before and after its window exists.
TEST_F(StdControlsTest, MemoLinesReadAndWriteTheTextWithCrLf) {
    for (bool shown : {false, true}) {
        if (shown) ShowAndSettle();
        memo->Lines()->Clear();
        EXPECT_EQ(memo->Lines()->Count(), 0);
        memo->Lines()->Add("one");
        memo->Lines()->Add("two");
        EXPECT_EQ(memo->Text(), "one\r\ntwo\r\n");
        EXPECT_EQ(memo->Lines()->Count(), 2);
        EXPECT_EQ(memo->Lines()->Strings(1), "two");
        TStringList source;
        source.Add("a");
        source.Add("");
        source.Add("b");
        memo->Lines()->Assign(&source);
        EXPECT_EQ(memo->Lines()->Count(), 3);
        EXPECT_EQ(memo->Text(), "a\r\n\r\nb\r\n");
        memo->Lines()->Delete(0);
        memo->Lines()->Insert(1, "mid");
        EXPECT_EQ(memo->Text(), "\r\nmid\r\nb\r\n");
        memo->SetText("x\r\ny");
        EXPECT_EQ(memo->Lines()->Count(), 2);
        EXPECT_EQ(memo->Lines()->Strings(1), "y");
    }
}

TEST_F(StdControlsTest, CheckBoxFiresOnClickWheneverItsStateChanges) {
    int clicks = 0;
    check->OnClick = [&](TObject*) { ++clicks; };
    check->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    ShowAndSettle();
    EXPECT_EQ(SendMessageA(check->WindowHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    check->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    check->SetChecked(false);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(SendMessageA(check->WindowHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    PostClick(check->WindowHandle());
    EXPECT_TRUE(PumpUntil([&] { return clicks == 3; }));
    EXPECT_TRUE(check->Checked());

    check->SetAllowGrayed(true);
    check->SetChecked(false);
    std::vector<TCheckBoxState> states;
    check->OnClick = [&](TObject*) { states.push_back(check->State()); };
    for (int i = 0; i < 3; ++i) {
        PostClick(check->WindowHandle());
        PumpUntil([&] { return states.size() == static_cast<size_t>(i + 1); });
    }
    EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
}

TEST_F(StdControlsTest, RadioButtonsOfOneParentExcludeEachOther) {
    int clicks = 0;
    radio1->OnClick = [&](TObject*) { ++clicks; };
    ShowAndSettle();
    radio1->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    radio2->SetChecked(true);
    EXPECT_FALSE(radio1->Checked());
    EXPECT_EQ(SendMessageA(radio1->WindowHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    PostClick(radio1->WindowHandle());
    EXPECT_TRUE(PumpUntil([&] { return radio1->Checked(); }));
    EXPECT_FALSE(radio2->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(StdControlsTest, ComboChangeFiresForTheUserNotForItemIndex) {
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    combo->Items()->Add("Alpha");
    combo->Items()->Add("Beta");
    combo->Items()->Add("Gamma");
    combo->SetItemIndex(1);
    ShowAndSettle();
    EXPECT_EQ(combo->Items()->Count(), 3);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "Beta");
    combo->SetItemIndex(0);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(combo->Text(), "Alpha");
    PostKey(combo->WindowHandle(), VK_DOWN);
    EXPECT_TRUE(PumpUntil([&] { return changes == 1; }));
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->SetText("Gamma");
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(changes, 1);
}

TEST_F(StdControlsTest, ItemsObjectsAndSelectionSurviveWindowRecreation) {
    TObject marker;
    ShowAndSettle();
    combo->Items()->AddObject("Zulu", &marker);
    combo->Items()->Add("Echo");
    combo->SetItemIndex(0);
    listBox->Items()->Add("b");
    listBox->Items()->Add("a");
    listBox->SetItemIndex(1);
    HWND oldCombo = combo->WindowHandle();
    combo->SetSorted(true);
    listBox->SetSorted(true);
    ASSERT_TRUE(combo->HandleAllocated());
    EXPECT_NE(combo->WindowHandle(), oldCombo);
    EXPECT_EQ(combo->Items()->Strings(0), "Echo");
    EXPECT_EQ(combo->Items()->Objects(1), &marker);
    EXPECT_EQ(combo->Text(), "Zulu");
    EXPECT_EQ(listBox->Items()->Strings(0), "a");
    EXPECT_EQ(listBox->Items()->IndexOf("B"), 1);
    EXPECT_EQ(listBox->Items()->IndexOf("c"), -1);
}

// Before the window exists the items are kept aside; each addition answers where it went.
TEST_F(StdControlsTest, ItemsAddedBeforeTheWindowAnswerTheirPlace) {
    ASSERT_FALSE(listBox->HandleAllocated());
    TObject marker;
    int expected = 0;
    for (const char* item : {"c", "a", "b"}) EXPECT_EQ(listBox->Items()->Add(item), expected++);
    EXPECT_EQ(listBox->Items()->AddObject("d", &marker), 3);
    EXPECT_EQ(listBox->Items()->Objects(3), &marker);
    EXPECT_EQ(listBox->Items()->Strings(0), "c");
}

TEST_F(StdControlsTest, VirtualOwnerDrawListBoxDrawsItemsAskedFromItsCount) {
    std::vector<int> drawn;
    listBox->SetStyle(lbVirtualOwnerDraw);
    listBox->SetItemHeight(14);
    listBox->SetBorderStyle(bsNone);
    listBox->SetCount(40);
    listBox->OnDrawItem = [&](TObject*, int index, TRect rect, TOwnerDrawState) {
        EXPECT_EQ(rect.Height(), 14);
        drawn.push_back(index);
    };
    listBox->OnData = [](TWinControl*, int index, AnsiString& data) {
        data = "item " + IntToStr(index);
    };
    ShowAndSettle();
    UpdateWindow(listBox->WindowHandle());
    EXPECT_EQ(listBox->Count(), 40);
    EXPECT_EQ(listBox->ItemHeight(), 14);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front(), 0);
    EXPECT_EQ(listBox->Items()->Strings(7), "item 7");
    EXPECT_EQ(listBox->ItemAtPos({5, 14 * 2 + 3}, true), 2);
}

TEST_F(StdControlsTest, EnterAndEscClickTheDefaultAndCancelButtons) {
    std::vector<std::string> clicks;
    ok->OnClick = [&](TObject*) { clicks.push_back("ok"); };
    cancel->OnClick = [&](TObject*) { clicks.push_back("cancel"); };
    ShowAndSettle();
    edit->SetFocus();
    PostKey(edit->WindowHandle(), VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return clicks.size() == 1; }));
    EXPECT_EQ(form->ModalResult(), mrOk);
    PostKey(edit->WindowHandle(), VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return clicks.size() == 2; }));
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "cancel"}));
    EXPECT_EQ(form->ModalResult(), mrCancel);
    // A focused button is the one Enter presses.
    cancel->SetFocus();
    PostKey(cancel->WindowHandle(), VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return clicks.size() == 3; }));
    EXPECT_EQ(clicks.back(), "cancel");
}

TEST_F(StdControlsTest, ButtonSetsTheModalResultBeforeItsOnClickAndEndsShowModal) {
    TModalResult seenInHandler = -1;
    ok->OnClick = [&](TObject*) { seenInHandler = form->ModalResult(); };
    form->HandleNeeded();
    PostMessageA(ok->WindowHandle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(seenInHandler, mrOk);
}

TEST_F(StdControlsTest, AcceleratorsFocusTheLabelsControlAndClickButtons) {
    int applied = 0;
    TButton* apply = Place<TButton>(owner, form, 145, 290, 75, 25);
    apply->SetCaption("&Apply");
    apply->OnClick = [&](TObject*) { ++applied; };
    ShowAndSettle();
    ok->SetFocus();
    EXPECT_NE(form->Perform(CM_DIALOGCHAR, 'n', 0), 0);
    EXPECT_TRUE(edit->Focused());
    EXPECT_NE(form->Perform(CM_DIALOGCHAR, 'a', 0), 0);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'z', 0), 0);
}

TEST_F(StdControlsTest, AutoSizedLabelsFollowTheirTextAndRightAlignedOnesKeepTheirRightEdge) {
    ShowAndSettle();
    label->SetCaption("Hi");
    const int shortWidth = label->Width();
    EXPECT_GT(shortWidth, 0);
    EXPECT_GT(label->Height(), 8);
    label->SetCaption("A much longer caption");
    EXPECT_GT(label->Width(), shortWidth);
    const int right = label->Left() + label->Width();
    label->SetAlignment(taRightJustify);
    label->SetCaption("Hi");
    EXPECT_EQ(label->Left() + label->Width(), right);
    EXPECT_EQ(label->Width(), shortWidth);
    staticText->SetCaption("Longer static text");
    EXPECT_GT(staticText->Width(), 60);
}

}  // namespace
