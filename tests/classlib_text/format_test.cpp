#include <gtest/gtest.h>

#include "cl_except.h"
#include "cl_string.h"
#include "locale_settings.h"

using FormatTest = EnglishLocale;

TEST_F(FormatTest, IntegerAndStringSpecifiers) {
    EXPECT_EQ(Format("%d|%5d|%-5d|%.3d|%.2d", 42, 42, 42, -5, 7), "42|   42|42   |-005|07");
    EXPECT_EQ(Format("D:%d%.2d%.2d%.2d%.2d%.2d", 2024, 2, 9, 7, 5, 3), "D:20240209070503");
    EXPECT_EQ(Format("%u|%u", 4000000000u, -1), "4000000000|4294967295");
    EXPECT_EQ(Format("%x|%.6x|%.4x|%X", 255, 0xABCDEF & 0xFFFFFF, 0x409, -1), "FF|ABCDEF|0409|FFFFFFFF");
    EXPECT_EQ(Format("%d|%x", 12345678901LL, 0x1FFFFFFFFLL), "12345678901|1FFFFFFFF");
    EXPECT_EQ(Format("[%-30.30s]", "Inspector"), "[Inspector                     ]");
    EXPECT_EQ(Format("[%-4.4s]", "Radon Monitor"), "[Rado]");
    EXPECT_EQ(Format("%s=%s|%s|%s", AnsiString("Key"), std::string("Value"), 'x', "c"),
              "Key=Value|x|c");
}

TEST_F(FormatTest, PercentArgumentIndexAndStar) {
    EXPECT_EQ(Format("%d%%", 50), "50%");
    EXPECT_EQ(Format("%s: %d%%", "Printing", 75), "Printing: 75%");
    EXPECT_EQ(Format("%1:s %0:s %s", "a", "b"), "b a b");
    EXPECT_EQ(Format("%*d|%-*.*s|", 4, 7, 5, 2, "xyz"), "   7|xy   |");
    EXPECT_EQ(Format("no arguments"), "no arguments");
    EXPECT_EQ(Format("%s\nFile not found.", "C:\\a.rdn"), "C:\\a.rdn\nFile not found.");
}

TEST_F(FormatTest, FloatSpecifiers) {
    EXPECT_EQ(Format("%.0n", 1234567.0), "1,234,567");
    EXPECT_EQ(Format("%.0n", 999.5), "1,000");
    EXPECT_EQ(Format("%n", 1234.5), "1,234.50");
    EXPECT_EQ(Format("%f|%.1f|%.3f", 2.5, 2.25, -0.0004), "2.50|2.3|0.000");
    EXPECT_EQ(Format("%e|%.3e", 1.5, -123456.0), "1.50000000000000E+000|-1.23E+005");
    EXPECT_EQ(Format("%g|%g|%.3g", 1e20, 0.1, 3.14159), "1E20|0.1|3.14");
    EXPECT_EQ(Format("%8.2f|%-8.1f|", 3.14159, 2.0f), "    3.14|2.0     |");
}

TEST_F(FormatTest, MismatchedOrMissingArgumentsRaiseConversionErrors) {
    const struct { const char* format; std::function<AnsiString()> run; const char* text; } cases[] = {
        {"%s of %s", [] { return Format("%s of %s", 1, 2); },
         "Format '%s of %s' invalid or incompatible with argument"},
        {"%d", [] { return Format("%d", 1.5); }, "Format '%d' invalid or incompatible with argument"},
        {"%d", [] { return Format("%d", "12"); }, "Format '%d' invalid or incompatible with argument"},
        {"%n", [] { return Format("%.0n", 1024); },
         "Format '%.0n' invalid or incompatible with argument"},
        {"%p", [] { return Format("%s", static_cast<void*>(nullptr)); },
         "Format '%s' invalid or incompatible with argument"},
        {"%d %d", [] { return Format("Page %d of %d", 1); }, "No argument for format 'Page %d of %d'"},
        {"%q", [] { return Format("%q", 1); }, "Format '%q' invalid or incompatible with argument"},
        {"%", [] { return Format("100%", 1); }, "Format '100%' invalid or incompatible with argument"},
    };
    for (const auto& c : cases) {
        try {
            c.run();
            ADD_FAILURE() << c.format << " did not raise";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.text);
        }
    }
}

TEST_F(FormatTest, PointersAreFixedWidthUpperCaseHex) {
    const AnsiString text = Format("%p", reinterpret_cast<void*>(0xABCDEF));
    EXPECT_EQ(text.Length(), static_cast<int>(2 * sizeof(void*)));
    EXPECT_EQ(text.SubString(text.Length() - 5, 6), "ABCDEF");
}

TEST_F(FormatTest, ExceptionsFormatTheirMessages) {
    const EConvertError error(SInvalidInteger, AnsiString("x1"));
    EXPECT_EQ(error.Message(), "'x1' is not a valid integer value");
    EXPECT_STREQ(error.what(), "'x1' is not a valid integer value");
    EXPECT_EQ(EListError::CreateFmt(SListIndexError, 5).Message(), "List index out of bounds (5)");
    EXPECT_EQ(EIniFileException(SIniFileWriteError, "C:\\RADON.INI").Message(),
              "Unable to write to C:\\RADON.INI");
    EXPECT_EQ(Exception::CreateFmt("%s already executing", "TUiShell").Message(),
              "TUiShell already executing");
    try {
        Abort();
    } catch (const EAbort& e) {
        EXPECT_EQ(e.Message(), SOperationAborted);
    }
}

TEST(OleSysError, CarriesTheResultAndTheSystemsText) {
    const EOleSysError known("", static_cast<long>(0x80004001L));  // E_NOTIMPL
    EXPECT_EQ(known.ErrorCode(), static_cast<long>(0x80004001L));
    EXPECT_FALSE(known.Message().IsEmpty());
    EXPECT_EQ(EOleSysError("", static_cast<long>(0x8FFF1234L)).Message(), "OLE error 8FFF1234");
    EXPECT_EQ(EOleSysError("Shell folder", 5).Message(), "Shell folder");
}

using FormatGermanTest = GermanLocale;

TEST_F(FormatGermanTest, FloatSpecifiersUseTheLocaleSeparators) {
    EXPECT_EQ(Format("%.0n|%n|%.2f|%e", 1234567.0, 1234.5, 2.5, 1.5),
              "1.234.567|1.234,50|2,50|1,50000000000000E+000");
    EXPECT_EQ(Format("%d,%d.%s", 1, 2, "3.4"), "1,2.3.4");
}
