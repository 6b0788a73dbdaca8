// The basic and edit controls that the windows place: check box clicks on programmatic
// changes, the push button's modal result before its OnClick, the combo box's user-only
// OnChange, the edit's whole-text setter, key filter and read-only mode, and the picker format.
#include <gtest/gtest.h>

#include "UiBitBtn.h"
#include "UiCheckBox.h"
#include "UiComboBox.h"
#include "UiDateTimePicker.h"
#include "UiEdit.h"
#include "UiMemo.h"
#include "cl_forms.h"
#include "test_pump.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);

template <class T> T* Place(TForm* form, int x, int y, int w, int h) {
    T* control = new T(form);
    control->SetParent(form);
    control->SetBounds(x, y, w, h);
    return control;
}

class FacadeTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(60, 60, 400, 300);
    }
    void TearDown() override {
        form->Free();
        Application->ProcessMessages();
    }
    void ShowAndSettle() {
        form->Show();
        Application->ProcessMessages();
    }
    TForm* form = nullptr;
};

TEST_F(FacadeTest, SetCheckedRunsOnClickOnlyWhenTheStateChanges) {
    auto* box = Place<TUiCheckBox>(form, 10, 10, 120, 17);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    ShowAndSettle();
    box->SetChecked(true);
    EXPECT_TRUE(box->GetChecked());
    EXPECT_EQ(clicks, 1);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    box->SetChecked(false);
    EXPECT_FALSE(box->GetChecked());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(SendMessageA(box->WindowHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(FacadeTest, GreyedBoxReadsUncheckedAndUncheckingItClicks) {
    auto* box = Place<TUiCheckBox>(form, 10, 10, 120, 17);
    box->SetAllowGrayed(true);
    box->SetState(cbGrayed);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_FALSE(box->GetChecked());
    box->SetChecked(false);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FacadeTest, BitBtnSetsTheFormsModalResultBeforeItsOnClick) {
    auto* close = Place<TUiBitBtn>(form, 10, 10, 75, 25);
    close->SetCaption("Close");
    close->SetModalResult(mrOk);
    TModalResult seenInHandler = -1;
    close->OnClick = [&](TObject*) { seenInHandler = form->ModalResult(); };
    ShowAndSettle();
    PostClick(close->WindowHandle());
    EXPECT_TRUE(PumpUntil([&] { return seenInHandler != -1; }));
    EXPECT_EQ(seenInHandler, mrOk);
}

TEST_F(FacadeTest, DisabledBitBtnIgnoresClicks) {
    auto* button = Place<TUiBitBtn>(form, 10, 10, 75, 25);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    button->SetEnabled(false);
    ShowAndSettle();
    PostClick(button->WindowHandle());
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(IsWindowEnabled(button->WindowHandle()));
}

TEST_F(FacadeTest, ComboOnChangeRunsForTheUserOnly) {
    auto* combo = Place<TUiComboBox>(form, 10, 10, 150, 21);
    combo->SetStyle(csDropDownList);
    for (const char* text : {"Bq/m3", "pCi/l"}) combo->Items()->Add(text);
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    ShowAndSettle();
    combo->SetItemIndex(0);
    EXPECT_EQ(combo->Text(), "Bq/m3");
    EXPECT_EQ(changes, 0);
    combo->SetFocus();
    PostKey(combo->WindowHandle(), VK_DOWN);
    EXPECT_TRUE(PumpUntil([&] { return changes == 1; }));
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "pCi/l");
}

TEST_F(FacadeTest, EditSetTextIgnoresMaxLengthAndReadOnlyRefusesTyping) {
    auto* edit = Place<TUiEdit>(form, 10, 10, 120, 21);
    edit->SetMaxLength(4);
    ShowAndSettle();
    edit->SetText("1234567");
    EXPECT_EQ(edit->GetText(), "1234567");
    edit->SetText("");
    PostChars(edit->WindowHandle(), "abcdef");
    Application->ProcessMessages();
    EXPECT_EQ(edit->GetText(), "abcd");
    edit->SetReadOnly(true);
    EXPECT_TRUE(edit->ReadOnly());
    PostChars(edit->WindowHandle(), "x");
    Application->ProcessMessages();
    EXPECT_EQ(edit->GetText(), "abcd");
}

TEST_F(FacadeTest, EditKeyPressCanDiscardKeys) {
    auto* edit = Place<TUiEdit>(form, 10, 10, 120, 21);
    edit->OnKeyPress = [](TObject*, char& key) {
        if (key < '0' || key > '9') key = 0;
    };
    ShowAndSettle();
    PostChars(edit->WindowHandle(), "1x2y");
    Application->ProcessMessages();
    EXPECT_EQ(edit->GetText(), "12");
}

TEST_F(FacadeTest, MemoTextJoinsLinesWithCrLf) {
    auto* memo = Place<TUiMemo>(form, 10, 10, 200, 80);
    ShowAndSettle();
    TStringList lines;
    lines.Add("first");
    lines.Add("second");
    memo->Lines()->Assign(&lines);
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Text().SubString(1, 13), "first\r\nsecond");
    memo->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);
}

TEST_F(FacadeTest, PickerFormatIsKeptAcrossWindowCreation) {
    auto* picker = Place<TUiDateTimePicker>(form, 10, 10, 120, 21);
    picker->SetKind(dtkTime);
    picker->SetFormat("HH:MM");
    ShowAndSettle();
    picker->SetFormat("hh:mm tt");
    EXPECT_EQ(picker->Format(), "hh:mm tt");
    picker->SetTime(0.5);
    EXPECT_NEAR(picker->Time(), 0.5, 1.0 / 86400);
}

}  // namespace
