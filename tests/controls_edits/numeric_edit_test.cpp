// The numeric edit: text evaluation, the typed-key and pasted-text filter, the range check on
// leaving, and reading the value without side effects.
#include "UiNumericEdit.h"
#include "edit_fixture.h"

namespace {

TEST(NumericTextTest, EvaluatesWhateverFormattingTheTextCarries) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"", 0},        {"(12)", -12},     {"-12", -12},    {"1E-3", 0.001},
                 {"-1E-3", -0.001}, {"1e-3", 0.001}, {"1,234", 1234}, {"(1,234)", -1234},
                 {"$-5", -5},    {"5-3", 53},       {"abc", 0},      {"12.5", 12.5},
                 {"1.2.3", 0}};
    for (const auto& c : cases)
        EXPECT_NEAR(static_cast<double>(EvaluateNumericText(c.text, '.')), c.value, 1e-12)
            << c.text;
    EXPECT_NEAR(static_cast<double>(EvaluateNumericText("-2,5", ',')), -2.5, 1e-12);
}

class NumericEditTest : public EditFormTest {
protected:
    void SetUp() override {
        EditFormTest::SetUp();
        edit = Add<TUiNumericEdit>(10, 10, 100, 21);
        other = Add<TUiEdit>(10, 50, 100, 21);
        edit->SetBeepOnInvalidKey(false);
    }
    void Retype(const char* text) {
        Focus(edit);
        edit->SetText("");
        Type(edit, text);
    }
    TUiNumericEdit* edit = nullptr;
    TUiEdit* other = nullptr;
};

TEST_F(NumericEditTest, TypedKeysAreFiltered) {
    EXPECT_EQ(edit->GetText(), "0");
    EXPECT_EQ(edit->Alignment(), taRightJustify);
    const struct {
        bool integersOnly;
        const char* typed;
        const char* shown;
    } cases[] = {
        {true, "-1234", "-1234"}, {true, "12.5", "125"},  {true, "1-2", "12"},
        {true, "a1b", "1"},       {false, "1.5.2", "1.52"}, {false, "1a", "1a"},
    };
    for (const auto& c : cases) {
        edit->SetIntegersOnly(c.integersOnly);
        Retype(c.typed);
        EXPECT_EQ(edit->GetText(), c.shown) << c.typed;
    }
    edit->SetIntegersOnly(true);
    Retype("-5");
    edit->SetSelStart(0);
    edit->SetSelLength(0);
    Type(edit, "7");
    EXPECT_EQ(edit->GetText(), "-5") << "nothing in front of a sign";
    edit->SelectAll();
    Type(edit, "-");
    EXPECT_EQ(edit->GetText(), "-") << "a sign may replace the whole text";
}

TEST_F(NumericEditTest, LeavingFormatsTheValue) {
    Retype("-1234");
    Focus(other);
    EXPECT_EQ(edit->GetText(), AnsiString("(1") + ThousandSeparator + "234)");
    EXPECT_EQ(edit->GetValue(), -1234);
    edit->SetIntegersOnly(false);
    Retype("1a5");
    Focus(other);
    EXPECT_EQ(edit->GetText(), "15") << "letters are dropped on leaving";
}

TEST_F(NumericEditTest, PastedTextIsFilteredLikeTypedText) {
    Focus(edit);
    edit->SetText("");
    Paste(edit, "12ab.3-4");
    EXPECT_EQ(edit->GetText(), "1234");
    edit->SetReadOnly(true);
    edit->SetText("");
    Paste(edit, "99");
    EXPECT_EQ(edit->GetText(), "");
}

TEST_F(NumericEditTest, RangeIsCheckedOnLeaving) {
    edit->SetMin(0);
    edit->SetMax(10);
    Retype("15");
    Focus(other);
    EXPECT_EQ(edit->GetText(), "10");
    bool called = false;
    edit->OnRangeError = [&](TObject*, Extended entered, Extended adjusted, bool& autoCorrect) {
        called = true;
        EXPECT_EQ(entered, 15);
        EXPECT_EQ(adjusted, 10);
        autoCorrect = false;
    };
    Retype("15");
    Focus(other);
    EXPECT_TRUE(called);
    EXPECT_TRUE(PumpUntil([&] { return edit->Focused(); }, 2000)) << "the user stays in the edit";
    EXPECT_EQ(edit->GetText(), "15");
}

TEST_F(NumericEditTest, EqualBoundsApplyOnlyWithCheckRange) {
    edit->SetMin(5);
    edit->SetMax(5);
    Retype("42");
    Focus(other);
    EXPECT_EQ(edit->GetValue(), 42);
    edit->SetCheckRange(true);
    Retype("42");
    Focus(other);
    EXPECT_EQ(edit->GetValue(), 5);
    edit->SetMin(8);
    EXPECT_EQ(edit->Max(), 8) << "a minimum above the maximum moves it up";
}

TEST_F(NumericEditTest, ReadingTheValueChangesNothing) {
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetMin(3);
    edit->SetMax(9);
    edit->SetText("");
    changes = 0;
    EXPECT_EQ(edit->GetValue(), 3);
    EXPECT_EQ(edit->GetText(), "");
    EXPECT_EQ(changes, 0);
    edit->SetAllowBlank(true);
    edit->SetBlankValue(7);
    EXPECT_EQ(edit->GetValue(), 7);
    edit->SetValue(4);
    EXPECT_EQ(edit->GetText(), "4");
    EXPECT_EQ(changes, 1);
    edit->SetValue(4);
    EXPECT_EQ(changes, 1) << "the same value writes nothing";
}

TEST_F(NumericEditTest, SwitchingIntegersOnlyOnRoundsHalvesToEven) {
    edit->SetIntegersOnly(false);
    edit->SetText("2.5");
    edit->SetIntegersOnly(true);
    EXPECT_EQ(edit->GetValue(), 2);
}

}  // namespace
