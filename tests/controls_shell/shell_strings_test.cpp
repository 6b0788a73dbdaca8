#include <gtest/gtest.h>

#include "UiShellStrings.h"
#include "cl_except.h"

namespace {

std::vector<std::string> Parameters(const char* commandLine) {
    TStringList list;
    ParametizeCmdLineDB(commandLine, &list);
    std::vector<std::string> result;
    for (int i = 0; i < list.Count(); ++i) result.push_back(list[i].c_str());
    return result;
}

TEST(ParametizeCmdLineDB, QuotesGroupBlanksAndEmptyParametersAreDropped) {
    using P = std::vector<std::string>;
    EXPECT_EQ((P{"plain", "two words", "last"}), Parameters("plain \"two words\" last"));
    EXPECT_EQ((P{"a", "b c"}), Parameters("a \"b c   \""));
    EXPECT_EQ((P{"x", "y"}), Parameters("x \"\" y"));
    EXPECT_EQ((P{"word", "quoted"}), Parameters("word\"quoted\""));
    EXPECT_EQ((P{"tab", "sep"}), Parameters("\ttab\t sep  "));
    EXPECT_EQ((P{"unclosed quote"}), Parameters("\"unclosed quote"));
    EXPECT_EQ(P{}, Parameters("   "));
}

TEST(TrimRightDB, DropsTrailingBlanksAndControlCharacters) {
    EXPECT_STREQ("word", TrimRightDB("word \t ").c_str());
    EXPECT_STREQ("", TrimRightDB("   ").c_str());
    EXPECT_STREQ(" in", TrimRightDB(" in\r\n").c_str());
}

TEST(CopyCharDB, CopiesOneCharacterAndSteps) {
    AnsiString copied;
    int position = 2;
    CopyCharDB(position, "abc", copied);
    EXPECT_STREQ("b", copied.c_str());
    EXPECT_EQ(3, position);
}

TEST(FormatStrPos, InsertsByPosition) {
    EXPECT_STREQ("b then a", FormatStrPos("%2 then %1", {"a", "b"}).c_str());
    EXPECT_STREQ("", FormatStrPos("", {"a"}).c_str());
    EXPECT_STREQ("Unable to create the folder 'X'\r\n\r\nDenied",
                 FormatStrPos("Unable to create the folder '%2'\n\n%1", {"Denied", "X"}).c_str());
}

TEST(FormatStrPos, TakesAtMostFiftyStrings) {
    std::vector<AnsiString> strings(50, "s");
    strings[49] = "last";
    EXPECT_STREQ("last", FormatStrPos("%50", strings).c_str());
    strings.push_back("one too many");
    try {
        FormatStrPos("%1", strings);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ("FormatStrPos: Too many substitution strings", e.Message().c_str());
    }
}

}  // namespace
