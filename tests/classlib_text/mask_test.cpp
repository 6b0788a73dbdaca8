// The edit-mask engine: a table of masks and texts through the edit text, the saved text and
// the check of required places; the mask's fields, separators and case rules.
#include "cl_mask.h"

#include <gtest/gtest.h>

#include "cl_locale.h"

namespace {

// Fixed separators for the duration of a test.
class MaskTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedDate = DateSeparator;
        savedTime = TimeSeparator;
        DateSeparator = '/';
        TimeSeparator = ':';
    }
    void TearDown() override {
        DateSeparator = savedDate;
        TimeSeparator = savedTime;
    }
    char savedDate = '/', savedTime = ':';
};

TEST_F(MaskTest, TextsGoThroughTheMaskAndBack) {
    struct Case {
        const char* mask;
        const char* text;
        const char* editText;
        const char* savedText;
        int invalidPlace;
    };
    const Case cases[] = {
        {"000;1;_", "12", "12_", "12 ", 2},
        {"000;1;_", "123", "123", "123", -1},
        {"000;1;_", "1234", "123", "123", -1},
        {"999;1;_", "", "___", "   ", -1},
        {"(000) 000-0000;1;_", "(555) 123-4567", "(555) 123-4567", "(555) 123-4567", -1},
        // Without the literals in the text the data places fill in order.
        {"(000) 000-0000;0;_", "5551234567", "(555) 123-4567", "5551234567", -1},
        {"(000) 000-0000;0;*", "555", "(555) ***-****", "555       ", 6},
        // A saved text that lacks a literal still fills the places after it.
        {"(000) 000-0000;1;_", "5551234567", "(555) 123-4567", "(555) 123-4567", -1},
        {">LL<ll;1;_", "abCD", "ABcd", "ABcd", -1},
        {"LL;1;_", "a1", "a_", "a ", 1},
        {"LL<>l;1;_", "abC", "abC", "abC", -1},
        {"!999;0;_", "5", "__5", "  5", -1},
        {"!000;0;_", "5", "__5", "  5", 0},
        {"00:00;1;_", "12:30", "12:30", "12:30", -1},
        {"00/00;0;_", "0131", "01/31", "0131", -1},
        {"\\L\\0-0;1;_", "L0-7", "L0-7", "L0-7", -1},
        {"#99;1;_", "-12", "-12", "-12", -1},
        {"#99;1;_", "x12", "_12", " 12", -1},
        {"aaa;0;_", "a b", "a_b", "a b", -1},
        {"AAA;0;_", "a-b", "a_b", "a b", 1},
        {"C_C;1;_", "x y", "x y", "x y", -1},
        {"cc;0;#", "", "##", "  ", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask + std::string(" / ") + c.text);
        const TMaskRules rules(c.mask);
        const AnsiString editText = rules.EditTextFor(c.text);
        EXPECT_EQ(editText.str(), c.editText);
        EXPECT_EQ(FormatMaskText(c.mask, c.text).str(), c.editText);
        EXPECT_EQ(rules.TextFor(editText).str(), c.savedText);
        EXPECT_EQ(rules.FirstInvalidPlace(editText), c.invalidPlace);
        // The saved text shows the same edit text again.
        EXPECT_EQ(rules.EditTextFor(rules.TextFor(editText)).str(), c.editText);
    }
}

TEST_F(MaskTest, FieldsGiveTheSaveFlagAndTheBlank) {
    struct Case {
        const char* mask;
        int count;
        bool save;
        char blank;
    };
    const Case cases[] = {
        {"000", 3, true, '_'},        {"000;0", 3, false, '_'},  {"000;1;*", 3, true, '*'},
        {"000;;*", 3, true, '*'},     {"0\\;0;0; ", 3, false, ' '}, {"", 0, true, '_'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        const TMaskRules rules(c.mask);
        EXPECT_EQ(rules.Count(), c.count);
        EXPECT_EQ(rules.SaveLiterals(), c.save);
        EXPECT_EQ(rules.Blank(), c.blank);
    }
    EXPECT_EQ(FormatMaskText("", "as it is").str(), "as it is");
}

TEST_F(MaskTest, SeparatorsFollowTheLocaleAndPlacesTakeTheirCharacters) {
    DateSeparator = '.';
    TimeSeparator = '-';
    EXPECT_EQ(FormatMaskText("00/00 00:00;0;_", "31121159").str(), "31.12 11-59");
    const TMaskRules rules("L0a#C>l;1;_");
    EXPECT_EQ(rules.Accept(0, 'x'), 'x');
    EXPECT_EQ(rules.Accept(0, '1'), '\0');
    EXPECT_EQ(rules.Accept(1, '7'), '7');
    EXPECT_EQ(rules.Accept(1, 'q'), '\0');
    EXPECT_EQ(rules.Accept(2, '3'), '3');
    EXPECT_EQ(rules.Accept(2, '%'), '\0');
    EXPECT_EQ(rules.Accept(3, '+'), '+');
    EXPECT_EQ(rules.Accept(4, '%'), '%');
    EXPECT_EQ(rules.Accept(5, 'q'), 'Q');
    EXPECT_EQ(rules.Accept(6, 'q'), '\0');
    const TMaskRules literals("0-0");
    EXPECT_EQ(literals.NextDataPlace(1), 2);
    EXPECT_EQ(literals.PreviousDataPlace(2), 0);
    EXPECT_EQ(literals.NextDataPlace(3), 3);
}

}  // namespace
