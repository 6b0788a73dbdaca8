#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "cl_except.h"
#include "cl_number.h"
#include "locale_settings.h"

namespace {

struct FloatCase {
    Extended value;
    TFloatFormat format;
    int precision, digits;
    const char* english;
};

// Texts as shown in the English locale; the German run swaps '.' and ','.
const FloatCase floatCases[] = {
    // general: shortest text of `precision` digits, scientific from exponent >= precision or
    // below 1e-5
    {3.27, ffGeneral, 2, 0, "3.3"},
    {2.7, ffGeneral, 15, 0, "2.7"},
    {0.1, ffGeneral, 15, 0, "0.1"},
    {1.0 / 3, ffGeneral, 4, 6, "0.3333"},
    {-2.5, ffGeneral, 15, 0, "-2.5"},
    {99.96, ffGeneral, 3, 0, "100"},
    {999.6, ffGeneral, 3, 0, "1E3"},
    {123456, ffGeneral, 6, 0, "123456"},
    {1234567, ffGeneral, 6, 2, "1.23457E06"},
    {0.00001, ffGeneral, 15, 0, "0.00001"},
    {0.0000099, ffGeneral, 15, 0, "9.9E-6"},
    {-0.000001, ffGeneral, 15, 3, "-1E-006"},
    {0, ffGeneral, 15, 0, "0"},
    {-0.0, ffGeneral, 15, 0, "0"},
    // fixed: exactly `digits` decimals, half away from zero on the `precision`-digit form
    {247, ffFixed, 6, 1, "247.0"},
    {123.45, ffFixed, 6, 1, "123.5"},
    {2.25, ffFixed, 15, 1, "2.3"},
    {0.15, ffFixed, 15, 1, "0.2"},
    {0.15, ffFixed, 18, 1, "0.1"},  // 0.149999999999999994 at 18 digits
    {2.675, ffFixed, 15, 2, "2.68"},
    {-2.25, ffFixed, 15, 1, "-2.3"},
    {-0.04, ffFixed, 6, 1, "0.0"},
    {0.05, ffFixed, 6, 1, "0.1"},
    {21.65, ffFixed, 5, 1, "21.7"},
    {1.23456789, ffFixed, 4, 6, "1.235000"},
    {999.96, ffFixed, 5, 1, "1000.0"},
    {99999.5, ffFixed, 5, 1, "1.0000E+05"},
    {12345678, ffFixed, 5, 1, "1.2346E+07"},
    {-1234567.0, ffFixed, 6, 1, "-1.23457E+06"},
    {1e-30, ffFixed, 15, 2, "0.00"},
    {5, ffFixed, 18, 0, "5"},
    // number: fixed with thousands separators
    {1234567.891, ffNumber, 10, 0, "1,234,568"},
    {1234567.891, ffNumber, 10, 2, "1,234,567.89"},
    {-999.5, ffNumber, 15, 0, "-1,000"},
    {123, ffNumber, 15, 2, "123.00"},
    // exponent: `precision` mantissa digits, sign and at least `digits` exponent digits
    {1234.5, ffExponent, 4, 2, "1.235E+03"},
    {-0.00012345, ffExponent, 3, 0, "-1.23E-4"},
    {0, ffExponent, 3, 2, "0.00E+00"},
    {1e100, ffExponent, 2, 1, "1.0E+100"},
};

struct FormatFloatCase {
    const char* format;
    Extended value;
    const char* english;
};

const FormatFloatCase formatFloatCases[] = {
    {"#,##0.###", 1234567.8915, "1,234,567.892"},
    {"#,##0.###", 0, "0"},
    {"#,##0.###", 0.5, "0.5"},
    {"#,##0.###", -12.3456, "-12.346"},
    {"#,##0.###", 0.15, "0.15"},
    {"##0.## %", 12.345, "12.35 %"},
    {"##0.## %", 0.001, "0 %"},
    {"##0.## %", 100, "100 %"},
    {"#,##0.00;(#,##0.00)", -1234.5, "(1,234.50)"},
    {"#,##0.00;(#,##0.00)", 1234.5, "1,234.50"},
    {"#,##0.00;(#,##0.00)", -0.001, "0.00"},
    {",0;(,0)", -1234567, "(1,234,567)"},
    {",0;(,0)", 999.5, "1,000"},
    {"0.00", 2.675, "2.68"},
    {"0.00", -0.001, "0.00"},
    {"000", 7, "007"},
    {"#.##", 0.5, ".5"},
    {"#", 0.4, ""},
    {"0.0#", 1.5, "1.5"},
    {"0.0#", 1.456, "1.46"},
    {"0;-0;'zero'", 0.2, "zero"},
    {"0;-0;\"zero\"", -3, "-3"},
    {"0;(0)", -3, "(3)"},
    {"0.00E+00", 12345, "1.23E+04"},
    {"0.00E-00", 0.00012345, "1.23E-04"},
    {"0.0E+0", 0, "0.0E+0"},
    {"\"$\"0.00", -5, "-$5.00"},
    {"'Value: '0.0", 3.14159, "Value: 3.1"},
    {"", 0.1, "0.1"},
};

}  // namespace

using NumberTest = EnglishLocale;
using NumberGermanTest = GermanLocale;

TEST_F(NumberTest, FloatToStrFTable) {
    for (const auto& c : floatCases) {
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.english)
            << (double)c.value << " format " << c.format << " " << c.precision << "/" << c.digits;
    }
}

TEST_F(NumberGermanTest, FloatToStrFTable) {
    for (const auto& c : floatCases) {
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits).str(),
                  SwapSeparators(c.english))
            << (double)c.value << " format " << c.format << " " << c.precision << "/" << c.digits;
    }
}

TEST_F(NumberTest, FloatToStrKeepsFifteenDigits) {
    const struct { Extended value; const char* text; } cases[] = {
        {0.1, "0.1"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {0.1 + 0.2, "0.3"},
        {1e15, "1E15"},
        {999999999999999.0, "999999999999999"},
        {123456789012345678.0, "1.23456789012346E17"},
        {1e-20, "1E-20"},
        {-1.5e300, "-1.5E300"},
        {5e-324, "4.94065645841247E-324"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
        {std::nan(""), "NAN"},
    };
    for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value), c.text) << c.text;
}

TEST_F(NumberTest, FormatFloatTable) {
    for (const auto& c : formatFloatCases) {
        EXPECT_EQ(FormatFloat(c.format, c.value), c.english) << c.format << " " << (double)c.value;
    }
}

TEST_F(NumberGermanTest, FormatFloatTable) {
    for (const auto& c : formatFloatCases) {
        // The pattern keeps '.' and ','; only the output changes its separators.
        EXPECT_EQ(FormatFloat(c.format, c.value).str(), SwapSeparators(c.english))
            << c.format << " " << (double)c.value;
    }
}

TEST_F(NumberTest, FormatFloatWithoutThousandSeparator) {
    ThousandSeparator = '\0';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.5), "1234567.50");
    EXPECT_EQ(FloatToStrF(1234567, ffNumber, 15, 0), "1234567");
}

TEST(StrToInt, AcceptsDecimalAndHexadecimal) {
    const struct { const char* text; int value; } cases[] = {
        {"0", 0},           {"42", 42},         {"+42", 42},       {"-42", -42},
        {"007", 7},         {"$FF", 255},       {"$ff", 255},      {"0x1A", 26},
        {"0X1a", 26},       {"-$10", -16},      {"$FFFFFFFF", -1}, {"$80000000", -2147483647 - 1},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
    };
    for (const auto& c : cases) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST(StrToInt, RejectsEverythingElseWithTheFixedText) {
    const char* const bad[] = {"", " ", "12 ", " 12", "1 2", "12a", "a12", "+", "-", "$",
                               "0x", "$G", "1.0", "1e3", "2147483648", "-2147483649",
                               "$100000000", "07/31", "\t5", "5\r"};
    for (const char* text : bad) {
        int value = 99;
        EXPECT_FALSE(TryStrToInt(text, value)) << text;
        EXPECT_EQ(value, 99);
        EXPECT_EQ(StrToIntDef(text, -7), -7) << text;
        try {
            StrToInt(text);
            ADD_FAILURE() << "'" << text << "' converted";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + AnsiString(text) + "' is not a valid integer value");
        }
    }
}

TEST(StrToInt64, CoversSixtyFourBits) {
    EXPECT_EQ(StrToInt64("9223372036854775807"), 9223372036854775807LL);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), -9223372036854775807LL - 1);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("$FFFFFFFF"), 4294967295LL);
    EXPECT_EQ(StrToInt64Def("9223372036854775808", 3), 3);
    EXPECT_THROW(StrToInt64("x"), EConvertError);
}

namespace {

struct ParseCase {
    const char* english;
    Extended value;
};

const ParseCase goodFloats[] = {
    {"0", 0},         {"1.5", 1.5L},       {"-1.5", -1.5L},     {"+2", 2},       {".5", 0.5L},
    {"5.", 5},        {"1e3", 1000},       {"1.5E-3", 0.0015L}, {"2E+2", 200},   {" 7.25 ", 7.25L},
    {"0.1", 0.1L},    {"123456789012345678901234567890", 1.2345678901234567890123456789e29L},
};

const char* const badFloats[] = {"", " ", "Unknown", "1.2.3", "1,5e", ".", "-", "e3",
                                 "1e", "1e+", "200%", "1 000", "0x10", "INF", "NAN",
                                 "1e99999", "--1", "1.5\t"};

}  // namespace

TEST_F(NumberTest, StrToFloatTable) {
    for (const auto& c : goodFloats) EXPECT_EQ(StrToFloat(c.english), c.value) << c.english;
    for (const char* text : badFloats) {
        Extended value = 99;
        EXPECT_FALSE(TryStrToFloat(text, value)) << text;
        EXPECT_EQ(StrToFloatDef(text, -1), -1) << text;
    }
    Extended value = 0;
    EXPECT_FALSE(TryStrToFloat("1,5", value)) << "no thousands or comma decimals";
}

TEST_F(NumberGermanTest, StrToFloatTable) {
    for (const auto& c : goodFloats) {
        EXPECT_EQ(StrToFloat(SwapSeparators(c.english)), c.value) << c.english;
    }
    EXPECT_EQ(StrToFloat("1,5"), 1.5L);
    Extended value = 0;
    EXPECT_FALSE(TryStrToFloat("1.5", value));
    EXPECT_FALSE(TryStrToFloat("1.000,5", value));
}

TEST_F(NumberTest, StrToFloatRaisesTheFixedText) {
    try {
        StrToFloat("Unknown");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'Unknown' is not a valid floating point value");
    }
}

TEST_F(NumberTest, DoubleOverloadRejectsOutOfRangeValues) {
    double value = 0;
    EXPECT_TRUE(TryStrToFloat("0.1", value));
    EXPECT_EQ(value, 0.1);
    EXPECT_FALSE(TryStrToFloat("1e400", value));
}

TEST_F(NumberTest, FloatToStrRoundTripsThroughTheIniTexts) {
    for (double v : {0.1, 2.7, 1e-7, 123.456, -98765.4321, 6.02214076e23}) {
        EXPECT_EQ(static_cast<double>(StrToFloat(FloatToStr(v))), v) << FloatToStr(v).c_str();
    }
}
