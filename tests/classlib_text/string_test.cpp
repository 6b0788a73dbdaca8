#include <gtest/gtest.h>

#include "cl_string.h"

TEST(SubString, FollowsTheOneBasedRule) {
    const AnsiString s = "Radon";
    const struct { int pos, count; const char* expected; } cases[] = {
        {1, 3, "Rad"}, {3, 10, "don"}, {5, 1, "n"}, {6, 1, ""}, {100, 2, ""},
        {0, 2, "Ra"},  {-3, 2, "Ra"},  {2, 0, ""},  {2, -1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(s.SubString(c.pos, c.count), c.expected) << c.pos << "," << c.count;
        EXPECT_EQ(Copy(s, c.pos, c.count), c.expected);
    }
    EXPECT_EQ(AnsiString().SubString(1, 1), "");
}

TEST(Delete, IsHarmlessAtZeroAndBeyondTheEnd) {
    const struct { int pos, count; const char* expected; } cases[] = {
        {1, 2, "don"}, {4, 10, "Rad"}, {0, 3, "Radon"}, {6, 1, "Radon"},
        {9, 1, "Radon"}, {2, 0, "Radon"}, {-1, 2, "Radon"}, {5, 1, "Rado"},
    };
    for (const auto& c : cases) {
        AnsiString s = "Radon";
        s.Delete(c.pos, c.count);
        EXPECT_EQ(s, c.expected) << c.pos << "," << c.count;
    }
}

TEST(AnsiString, TakenByValueLeavesTheCallersCopyAlone) {
    const AnsiString original = "07/31/1970";
    AnsiString copy = original;
    copy.Delete(1, 3);
    copy[1] = 'X';
    EXPECT_EQ(original, "07/31/1970");
    EXPECT_EQ(copy, "X1/1970");
}

TEST(AnsiString, InsertPosAndLastDelimiter) {
    AnsiString s = "ac";
    s.Insert("b", 2);
    EXPECT_EQ(s, "abc");
    s.Insert("<", 0);
    s.Insert(">", 99);
    EXPECT_EQ(s, "<abc>");
    EXPECT_EQ(s.Pos("bc"), 3);
    EXPECT_EQ(s.Pos("x"), 0);
    EXPECT_EQ(s.Pos(""), 0);
    EXPECT_EQ(AnsiString("07/31-1970").LastDelimiter("/-"), 6);
    EXPECT_EQ(AnsiString("abc").LastDelimiter("/-"), 0);
    EXPECT_EQ(StringOfChar('X', 4), "XXXX");
    EXPECT_EQ(StringOfChar('X', -1), "");
}

TEST(Trim, RemovesBlanksAndControlCharacters) {
    const AnsiString s = "\t\r\n \x01 Radon Monitor \x1f\r\n";
    EXPECT_EQ(Trim(s), "Radon Monitor");
    EXPECT_EQ(TrimLeft(s), "Radon Monitor \x1f\r\n");
    EXPECT_EQ(TrimRight(s), "\t\r\n \x01 Radon Monitor");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // bytes above 0x7F are text
}

TEST(Case, AsciiFunctionsAndComparison) {
    EXPECT_EQ(UpperCase("Com5 \xE4"), "COM5 \xE4");
    EXPECT_EQ(LowerCase("COM5"), "com5");
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_EQ(CompareText("Radon", "rADON"), 0);
    EXPECT_TRUE(SameText("Radon", "RADON"));
    EXPECT_GT(CompareStr("a", "B"), 0);
}

TEST(Case, AnsiFunctionsFollowTheCodePage) {
    EXPECT_EQ(AnsiUpperCase("stra\xDF" "e \xE4"), "STRA\xDF" "E \xC4");
    EXPECT_EQ(AnsiLowerCase("\xC4X"), "\xE4x");
    EXPECT_EQ(AnsiCompareText("\xE4pfel", "\xC4PFEL"), 0);
    EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);
    EXPECT_NE(AnsiCompareStr("a", "A"), 0);
    EXPECT_EQ(AnsiCompareStr("abc", "abc"), 0);
}

TEST(StringReplace, FlagsSelectAllAndCase) {
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", 0), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", rfReplaceAll), "a+b+c");
    EXPECT_EQ(StringReplace("xAx", "a", "b", rfReplaceAll), "xAx");
    EXPECT_EQ(StringReplace("xAxa", "a", "b", rfReplaceAll | rfIgnoreCase), "xbxb");
    EXPECT_EQ(StringReplace("abc", "", "z", rfReplaceAll), "abc");
}

TEST(IntToText, DecimalAndUpperCaseHex) {
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(IntToStr(1234567890123LL), "1234567890123");
    EXPECT_EQ(IntToStr(4000000000u), "4000000000");
    EXPECT_EQ(UIntToStr(4294967295u), "4294967295");
    EXPECT_EQ(IntToHex(0xBEEF, 4), "BEEF");
    EXPECT_EQ(IntToHex(10, 4), "000A");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
    EXPECT_EQ(IntToHex(-1, 1), "FFFFFFFF");
    EXPECT_EQ(IntToHex(0x1FFFFFFFFLL, 1), "1FFFFFFFF");
}

TEST(Sprintf, UsesTheCLibraryDirectives) {
    AnsiString s;
    s.sprintf("%-6.6s|%.4x|%i", "Radon Monitor", 0x1A, 7);
    EXPECT_EQ(s, "Radon |001a|7");
}

TEST(Quoting, DoublesTheQuoteCharacter) {
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
}
