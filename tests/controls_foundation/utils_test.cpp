// Text, font, name and window helpers: string edge cases (empty strings included), identifiers,
// component names, fonts on the screen, glyph strips in image lists and the Windows version.
#include <gtest/gtest.h>

#include "UiSysRes.h"
#include "UiUtils.h"
#include "cl_forms.h"
#include "cl_imagelist.h"
#include "cl_stdctrls.h"
#include "cl_sys.h"

namespace {

TEST(TextHelpers, PrefixCharsAndCopies) {
    const struct {
        const char* in;
        const char* out;
    } prefixes[] = {{"&File", "File"}, {"Save && Exit", "Save & Exit"}, {"A&", "A&"},
                    {"", ""},          {"&", "&"},                     {"Plain", "Plain"}};
    for (const auto& c : prefixes) EXPECT_EQ(RemovePrefixChars(c.in), c.out) << c.in;
    EXPECT_EQ(CopyEx("a.b.c", 1, '.', 2), "a.b.");
    EXPECT_EQ(CopyEx("a.b.c", 1, '.', 5), "a.b.c");
    EXPECT_EQ(CopyEx("a.b.c", 3, '.', 1), "b.");
    EXPECT_EQ(CopyEx("abc", 9, '.', 1), "abc");
    EXPECT_EQ(CopyEx("", 1, '.', 1), "");
    EXPECT_EQ(CountChar('.', "a.b.c"), 2);
    EXPECT_EQ(CountChar('.', ""), 0);
    EXPECT_EQ(LastChar("abc"), 'c');
    EXPECT_EQ(LastChar(""), '\0');
    AnsiString s = "a-b-c";
    EXPECT_TRUE(RemoveChar(s, '-'));
    EXPECT_EQ(s, "ab-c");
    AnsiString empty;
    EXPECT_FALSE(RemoveChar(empty, '-'));
}

TEST(TextHelpers, IdentifiersAndEnvironment) {
    EXPECT_EQ(CreateValidIdent("1abc", "X"), "abc");
    EXPECT_EQ(CreateValidIdent("$$", "X"), "X");
    EXPECT_EQ(CreateValidIdent("", "X"), "X");
    EXPECT_EQ(CreateValidIdent("ok_1", "X"), "ok_1");
    EXPECT_EQ(CreateValidIdent("a b-c", "X"), "abc");
    SetEnvironmentVariableA("UI_UTILS_TEST", "value");
    EXPECT_EQ(ExpandEnvironmentVariables("x%UI_UTILS_TEST%y"), "xvaluey");
    EXPECT_EQ(ExpandEnvironmentVariables(""), "");
}

TEST(TextHelpers, NewComponentNames) {
    TForm* form = new TForm(nullptr);
    TButton* button = new TButton(form);
    button->SetName("Button1");
    EXPECT_EQ(GetNewComponentName(form, "Button", true), "Button");
    EXPECT_EQ(GetNewComponentName(form, "Button", false), "Button2");
    form->Free();
}

TEST(GeometryHelpers, CenterRectTruncates) {
    EXPECT_EQ(CenterRect(TRect(0, 0, 11, 11), 4, 4), TRect(3, 3, 7, 7));
    EXPECT_EQ(CenterRect(TRect(-3, 0, 0, 3), 2, 2), TRect(-2, 0, 0, 2));
}

TEST(FontHelpers, MeasuresOnTheScreen) {
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-13);
    EXPECT_TRUE(IsTrueTypeFont(&font));
    EXPECT_GT(GetMinFontHeight(&font), 13);
    const int average = GetAvgCharWidth(&font);
    EXPECT_GT(average, 3);
    EXPECT_LT(average, 13);
    HFONT rotated = RotateFont(&font, 90);
    LOGFONTA lf = {};
    ASSERT_TRUE(GetObjectA(rotated, sizeof(lf), &lf));
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_EQ(lf.lfHeight, -13);
    DeleteObject(rotated);
}

TEST(ImageHelpers, GlyphsAndStripsGoIntoTheList) {
    TCustomImageList* images = new TCustomImageList(nullptr);
    images->SetSize(16, 16);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    int image = 0, disabled = 0;
    AddImageToImageList(images, &glyph, false, image, disabled);
    EXPECT_EQ(image, 0);
    EXPECT_EQ(disabled, -1);
    TBitmap strip;
    strip.SetSize(32, 16);
    AddImageToImageList(images, &strip, true, image, disabled);
    EXPECT_EQ(image, 1);
    EXPECT_EQ(disabled, 2);
    // A glyph lower than 16 rows still finds its mask colour inside the bitmap.
    TBitmap low;
    low.SetSize(24, 8);
    AddImageToImageList(images, &low, false, image, disabled);
    EXPECT_EQ(image, 3);
    AddImageToImageList(nullptr, &glyph, false, image, disabled);
    EXPECT_EQ(image, -1);
    images->Free();
}

TEST(SystemHelpers, VersionsAndResources) {
    EXPECT_FALSE(RunningUnder(Win95));
    EXPECT_FALSE(RunningUnder(Win98));
    if (Win32MajorVersion >= 6) {
        EXPECT_FALSE(RunningUnder(WinXP));
    }
    EXPECT_EQ(GetFreeSystemResources(gfsr_GDIResources), 0);
    EXPECT_EQ(GetModuleHandleA("RSRC32.DLL"), nullptr);
    const TRect desktop = GetDesktopClientRect();
    EXPECT_GT(desktop.Width(), 0);
    EXPECT_GT(desktop.Height(), 0);
    EXPECT_GT(GetActiveWorkAreaWidth(GetDesktopWindow()), 0);
}

}  // namespace
