// The OpenGL panel's rules apart from any device: the pixel-format flag set, the colour-index
// palette, the extension lookup, print placement, the off-screen target's size, text measuring
// and the Targa and texture package readers.
#include <gtest/gtest.h>

#include <vector>

#include "OpenGLFonts.h"
#include "OpenGLFormats.h"
#include "OpenGLOutput.h"
#include "OpenGLTextures.h"

namespace {

TEST(PFDFlagRules, ExactlyOneOfGdiSupportAndDoubleBufferingStays) {
    const TPFDFlagSet fresh{f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL, f_PFD_DOUBLEBUFFER};
    const TPFDFlagSet gdi{f_PFD_SUPPORT_GDI};
    const TPFDFlagSet doubleBuffer{f_PFD_DOUBLEBUFFER};
    const TPFDFlagSet both{f_PFD_SUPPORT_GDI, f_PFD_DOUBLEBUFFER};
    struct Case {
        TPFDFlagSet current, requested, expected;
    } cases[] = {
        {fresh, {}, gdi},           // neither, and the current set had no GDI support
        {gdi, {}, doubleBuffer},    // neither, and it had
        {fresh, both, gdi},         // both: the newly added GDI support wins
        {gdi, both, doubleBuffer},  // both: the newly added double buffering wins
        {fresh, {f_PFD_STEREO, f_PFD_DOUBLEBUFFER}, {f_PFD_STEREO, f_PFD_DOUBLEBUFFER}},
    };
    for (const Case& c : cases) EXPECT_EQ(ReconcilePFDFlags(c.current, c.requested), c.expected);
}

TEST(PFDFlagRules, DoubleBufferingIsRequestedUnlessGdiIsSupported) {
    EXPECT_EQ(PFDFlagsToSystem({f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL, f_PFD_DOUBLEBUFFER}),
              static_cast<DWORD>(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER));
    EXPECT_EQ(PFDFlagsToSystem({f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_GDI}),
              static_cast<DWORD>(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_GDI));
    EXPECT_EQ(PFDFlagsToSystem({f_PFD_SUPPORT_GDI, f_PFD_STEREO, f_PFD_NEED_PALETTE,
                                f_PFD_SWAP_LAYER_BUFFERS, f_PFD_GENERIC_FORMAT}),
              static_cast<DWORD>(PFD_SUPPORT_GDI | PFD_STEREO | PFD_NEED_PALETTE |
                                 PFD_SWAP_LAYER_BUFFERS | PFD_GENERIC_FORMAT));
}

PIXELFORMATDESCRIPTOR ColorIndexFormat(BYTE colorBits, BYTE red, BYTE green, BYTE blue) {
    PIXELFORMATDESCRIPTOR format{};
    format.cColorBits = colorBits;
    format.cRedBits = red;
    format.cRedShift = 0;
    format.cGreenBits = green;
    format.cGreenShift = red;
    format.cBlueBits = blue;
    format.cBlueShift = static_cast<BYTE>(red + green);
    return format;
}

TEST(FormatPalette, SpreadsEachChannelOverTheFullRange) {
    const std::vector<PALETTEENTRY> entries = FormatPaletteEntries(ColorIndexFormat(8, 3, 3, 2));
    ASSERT_EQ(entries.size(), 256u);
    EXPECT_EQ(entries[0].peRed, 0);
    EXPECT_EQ(entries[7].peRed, 255);
    EXPECT_EQ(entries[3].peRed, 3 * 255 / 7);
    EXPECT_EQ(entries[7 << 3].peGreen, 255);
    EXPECT_EQ(entries[1 << 6].peBlue, 255 / 3);
    EXPECT_EQ(entries[255].peBlue, 255);
    EXPECT_EQ(entries[255].peFlags, 0);
}

TEST(FormatPalette, RefusesFormatsWithoutEntriesOrChannelBits) {
    EXPECT_TRUE(FormatPaletteEntries(ColorIndexFormat(8, 0, 4, 4)).empty());
    EXPECT_TRUE(FormatPaletteEntries(ColorIndexFormat(8, 3, 3, 0)).empty());
    EXPECT_TRUE(FormatPaletteEntries(ColorIndexFormat(16, 5, 6, 5)).empty());  // 2^16 in 16 bits
}

TEST(Extensions, OnlyWholeWordsMatch) {
    const char* listed = "GL_ARB_multitexture GL_EXT_bgra  GL_EXT_abgr";
    EXPECT_TRUE(ExtensionListed(listed, "GL_EXT_bgra"));
    EXPECT_TRUE(ExtensionListed(listed, "GL_ARB_multitexture"));
    EXPECT_TRUE(ExtensionListed(listed, "GL_EXT_abgr"));
    EXPECT_FALSE(ExtensionListed(listed, "GL_EXT_bgr"));  // the beginning of a listed one
    EXPECT_FALSE(ExtensionListed(listed, "GL_EXT"));
    EXPECT_FALSE(ExtensionListed(listed, ""));
    EXPECT_FALSE(ExtensionListed(nullptr, "GL_EXT_bgra"));
}

TEST(PrintPlacement, PlacesThePictureByScale) {
    const TPrintArea page300{300, 300, 2400, 3150};
    struct Case {
        int width, height;
        TPrintArea area;
        TOpenGLPrintScale scale;
        int pixelsPerInch;
        TRect expected;
    } cases[] = {
        // 0.18 inch is 53 dots at 300 dpi (0.18 as a double lies just below 0.18).
        {400, 300, page300, pglNone, 96, TRect(53, 53, 453, 353)},
        {400, 300, {600, 600, 4800, 6300}, pglNone, 96, TRect(107, 107, 507, 407)},
        {192, 96, page300, pglProportional, 96, TRect(53, 53, 653, 353)},
        {192, 96, page300, pglProportional, 0, TRect(53, 53, 653, 353)},  // 96 when below 1
        {200, 100, page300, pglProportional, 200, TRect(53, 53, 353, 203)},
        // Fit: the largest whole multiple inside the margins, proportions kept.
        {400, 300, page300, pglPrintToFit, 96, TRect(53, 53, 53 + 2000, 53 + 1500)},
        {300, 400, {300, 300, 3150, 2400}, pglPrintToFit, 96, TRect(53, 53, 53 + 1500, 53 + 2000)},
        // A picture bigger than the page is shrunk into it.
        {4588, 1000, page300, pglPrintToFit, 96, TRect(53, 53, 53 + 2294, 53 + 500)},
    };
    for (const Case& c : cases) {
        const TRect r = PrintPlacement(c.width, c.height, c.area, c.scale, c.pixelsPerInch);
        EXPECT_EQ(r.Left, c.expected.Left) << c.width << "x" << c.height << " " << c.scale;
        EXPECT_EQ(r.Top, c.expected.Top) << c.width << "x" << c.height << " " << c.scale;
        EXPECT_EQ(r.Right, c.expected.Right) << c.width << "x" << c.height << " " << c.scale;
        EXPECT_EQ(r.Bottom, c.expected.Bottom) << c.width << "x" << c.height << " " << c.scale;
    }
}

TEST(OffscreenTarget, SizeFollowsResolutionAndPanelInMultiplesOfEight) {
    struct Case {
        int width, resolution, panelWidth, panelHeight, expectedWidth, expectedHeight;
    } cases[] = {
        {1000, 1, 300, 200, 504, 336},  // 500 raised to 504, 333 raised to 336
        {1000, 2, 300, 200, 256, 168},  // 250 -> 256, 166 -> 168
        {1000, 0, 300, 200, 1000, 672},  // 666 -> 672
        {800, 5, 400, 400, 800, 800},
    };
    for (const Case& c : cases) {
        const TSize size = OffscreenTargetSize(c.width, c.resolution, c.panelWidth, c.panelHeight);
        EXPECT_EQ(size.cx, c.expectedWidth) << c.width << " at " << c.resolution;
        EXPECT_EQ(size.cy, c.expectedHeight) << c.width << " at " << c.resolution;
    }
}

GLYPHMETRICSFLOAT Glyph(float blackBoxX, float blackBoxY, float originX, float incX, float incY) {
    GLYPHMETRICSFLOAT glyph{};
    glyph.gmfBlackBoxX = blackBoxX;
    glyph.gmfBlackBoxY = blackBoxY;
    glyph.gmfptGlyphOrigin.x = originX;
    glyph.gmfCellIncX = incX;
    glyph.gmfCellIncY = incY;
    return glyph;
}

// A font record over three glyphs 'A', 'B', 'C' without display lists (no context current).
struct MeasuredFont : ::testing::Test {
    MeasuredFont() : font('A', 3, 0, 0.25f) {
        font.Metrics = {Glyph(0.5f, 0.7f, 0.1f, 0.6f, 0), Glyph(0.4f, 0.9f, 0.05f, 0.5f, 0),
                        Glyph(0.3f, 0.8f, 0.2f, 0, 0)};
    }
    OpenGLFont3D font;
};

TEST_F(MeasuredFont, AdvancingGlyphsAddUpAndOthersCountByTheirExtent) {
    OpenGLTextSize size;
    Get3DTextSize(&font, "ABC", &size);
    EXPECT_NEAR(size.Width, 0.6 + 0.5 + (0.3 + 0.2), 1e-6);
    EXPECT_NEAR(size.Height, 0.9, 1e-6);  // no vertical advance: the tallest black box
    EXPECT_NEAR(size.Depth, 0.25, 1e-6);
}

TEST_F(MeasuredFont, ACharacterOutsideTheFontGivesZeroAndNothingIsWrittenWithoutText) {
    OpenGLTextSize size{1, 2, 3};
    Get3DTextSize(&font, "", &size);
    EXPECT_EQ(size.Width, 1);
    Get3DTextSize(nullptr, "AB", &size);
    EXPECT_EQ(size.Width, 1);
    Get3DTextSize(&font, "ABD", &size);
    EXPECT_EQ(size.Width, 0);
    EXPECT_EQ(size.Height, 0);
    EXPECT_EQ(size.Depth, 0);
    Get3DTextSize(&font, "A", nullptr);
    EXPECT_TRUE(font.Covers("CAB"));
    EXPECT_FALSE(font.Covers("@"));
    EXPECT_FALSE(font.Covers("\xC1"));
}

// A Targa file: the 18-byte header, an identification field, then the pixel data.
std::vector<uint8_t> Targa(uint8_t type, int width, int height, uint8_t bits,
                           const std::vector<uint8_t>& data, uint8_t colorMapType = 0) {
    std::vector<uint8_t> file = {3, colorMapType, type, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                 static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8),
                                 static_cast<uint8_t>(height), static_cast<uint8_t>(height >> 8),
                                 bits, 0};
    file.insert(file.end(), {'i', 'd', '!'});
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

TEST(TargaReader, UncompressedRowsComeOutWithTheFirstStoredRowLast) {
    // 2 x 2, 24 bits: stored rows (blue, green, red) = (red, green) then (blue, white).
    const std::vector<uint8_t> file =
        Targa(2, 2, 2, 24, {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255});
    TargaImage image;
    ASSERT_EQ(ParseTGA(file.data(), file.size(), image), tgaLoaded);
    EXPECT_EQ(image.Width, 2);
    EXPECT_EQ(image.Height, 2);
    EXPECT_EQ(image.BitsPerPixel, 24);
    const std::vector<uint8_t> expected = {0, 0, 255, 255, 255, 255, 255, 255,   // last row
                                           255, 0, 0, 255, 0, 255, 0, 255};     // first row
    EXPECT_EQ(image.Pixels, expected);
}

TEST(TargaReader, RunLengthPacketsRunAcrossRowEndsAndKeepAlpha) {
    // 3 x 2, 32 bits: a run of 4 red pixels, then 2 raw pixels (green, blue), alphas as stored.
    const std::vector<uint8_t> file = Targa(
        10, 3, 2, 32, {0x83, 0, 0, 255, 128, 0x01, 0, 255, 0, 10, 255, 0, 0, 20});
    TargaImage image;
    ASSERT_EQ(ParseTGA(file.data(), file.size(), image), tgaLoaded);
    const std::vector<uint8_t> expected = {
        255, 0, 0, 128, 0, 255, 0, 10, 0, 0, 255, 20,     // the second stored row, first
        255, 0, 0, 128, 255, 0, 0, 128, 255, 0, 0, 128};  // the first stored row, last
    EXPECT_EQ(image.Pixels, expected);
}

TEST(TargaReader, RefusesOtherFilesWithTheirStatus) {
    const std::vector<uint8_t> pixel = {1, 2, 3};
    struct Case {
        std::vector<uint8_t> file;
        int status;
    } cases[] = {
        {Targa(1, 1, 1, 24, pixel, 1), tgaNotTrueColor},       // colour-mapped type
        {Targa(3, 1, 1, 8, pixel), tgaNotTrueColor},           // grey
        {Targa(2, 1, 1, 16, pixel), tgaUnsupportedDepth},
        {Targa(2, 1, 1, 24, pixel, 1), tgaUnsupportedDepth},   // a colour map in a true-colour file
        {Targa(2, 2, 1, 24, pixel), tgaNotTrueColor},          // pixel data cut short
        {Targa(10, 2, 1, 24, {0x81, 1, 2}), tgaNotTrueColor},  // packet cut short
        {std::vector<uint8_t>(10, 0), tgaNotTrueColor},        // header cut short
    };
    for (const Case& c : cases) {
        TargaImage image;
        EXPECT_EQ(ParseTGA(c.file.data(), c.file.size(), image), c.status);
        EXPECT_TRUE(image.Pixels.empty());
    }
}

void PutUInt32(std::vector<uint8_t>& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A package of two images: "BRICK" 2 x 1 at offset 0 and "STONEWAL" (8 characters, no
// terminator) 1 x 1 at offset 6.
std::vector<uint8_t> Package() {
    std::vector<uint8_t> bytes;
    PutUInt32(bytes, 2);
    const char brick[8] = {'B', 'R', 'I', 'C', 'K', 0, 0, 0};
    bytes.insert(bytes.end(), brick, brick + 8);
    for (uint32_t value : {2, 1, 0}) PutUInt32(bytes, value);
    const char stone[8] = {'S', 'T', 'O', 'N', 'E', 'W', 'A', 'L'};
    bytes.insert(bytes.end(), stone, stone + 8);
    for (uint32_t value : {1, 1, 6}) PutUInt32(bytes, value);
    bytes.insert(bytes.end(), {10, 20, 30, 40, 50, 60, 70, 80, 90});
    return bytes;
}

TEST(TexturePackage, FindsTheNamedImage) {
    const std::vector<uint8_t> package = Package();
    std::unique_ptr<BMPTexture> brick = ParseTexturePackage(package.data(), package.size(), "BRICK");
    ASSERT_TRUE(brick);
    EXPECT_EQ(brick->TexWidth, 2);
    EXPECT_EQ(brick->TexHeight, 1);
    EXPECT_EQ(brick->BytesPerPixel, 3);
    EXPECT_EQ(brick->TexFormat, static_cast<GLenum>(GL_RGB));
    EXPECT_EQ(brick->TexType, static_cast<GLenum>(GL_UNSIGNED_BYTE));
    EXPECT_EQ(brick->TexPixels, (std::vector<uint8_t>{10, 20, 30, 40, 50, 60}));
    std::unique_ptr<BMPTexture> stone =
        ParseTexturePackage(package.data(), package.size(), "STONEWAL");
    ASSERT_TRUE(stone);
    EXPECT_EQ(stone->TexPixels, (std::vector<uint8_t>{70, 80, 90}));
}

TEST(TexturePackage, AnswersNoneForAMissingNameOrACutPackage) {
    const std::vector<uint8_t> package = Package();
    EXPECT_FALSE(ParseTexturePackage(package.data(), package.size(), "brick"));
    EXPECT_FALSE(ParseTexturePackage(package.data(), package.size(), "BRIC"));
    EXPECT_FALSE(ParseTexturePackage(package.data(), package.size() - 1, "STONEWAL"));
    EXPECT_FALSE(ParseTexturePackage(package.data(), 30, "STONEWAL"));  // directory cut
    std::vector<uint8_t> huge = package;
    huge[0] = 0xFF;  // more entries than the file could hold
    EXPECT_FALSE(ParseTexturePackage(huge.data(), huge.size(), "BRICK"));
}

}  // namespace
