// The panel's texture loaders on files made here (a bitmap, a Targa file, a texture package),
// on a bitmap resource of the test program, and a loaded texture drawn in a panel.
#include <windows.h>

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "OpenGLPanel.h"
#include "cl_sys.h"
#include "shown_form.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

// The test program's bitmap resource: 2 x 2, red and green over blue and white.
constexpr int TextureResource = 2000;

AnsiString TempFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return IncludeTrailingPathDelimiter(folder) + name;
}

void WriteBytes(const AnsiString& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Pixels bottom row first: blue, white, then red, green; `alpha` adds 255 to each.
std::vector<uint8_t> ResourcePixels(bool alpha) {
    std::vector<uint8_t> pixels;
    for (uint32_t rgb : {0x0000FFu, 0xFFFFFFu, 0xFF0000u, 0x00FF00u}) {
        pixels.insert(pixels.end(), {static_cast<uint8_t>(rgb >> 16),
                                     static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)});
        if (alpha) pixels.push_back(255);
    }
    return pixels;
}

TEST(TextureFiles, BitmapFileRowsComeBottomUpWithOrWithoutAlpha) {
    const AnsiString file = TempFile("opengl_texture.bmp");
    {
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf24bit);
        bitmap.SetSize(3, 2);  // rows of 9 bytes in the file, padded to 12
        const TColor colors[2][3] = {{clRed, clLime, clBlue}, {clWhite, clBlack, clYellow}};
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) bitmap.Canvas()->SetPixels(x, y, colors[y][x]);
        bitmap.SaveToFile(file);
    }
    std::unique_ptr<BMPTexture> rgb = TOpenGLPanel::LoadBMPTexture(file, false);
    ASSERT_TRUE(rgb);
    EXPECT_EQ(rgb->TexWidth, 3);
    EXPECT_EQ(rgb->TexHeight, 2);
    EXPECT_EQ(rgb->BytesPerPixel, 3);
    EXPECT_EQ(rgb->TexFormat, static_cast<GLenum>(GL_RGB));
    EXPECT_EQ(rgb->TexPixels, (std::vector<uint8_t>{255, 255, 255, 0, 0, 0, 255, 255, 0,
                                                   255, 0, 0, 0, 255, 0, 0, 0, 255}));
    std::unique_ptr<BMPTexture> rgba = TOpenGLPanel::LoadBMPTexture(file, true);
    ASSERT_TRUE(rgba);
    EXPECT_EQ(rgba->BytesPerPixel, 4);
    EXPECT_EQ(rgba->TexFormat, static_cast<GLenum>(GL_RGBA));
    ASSERT_EQ(rgba->TexPixels.size(), 24u);
    EXPECT_EQ(rgba->TexPixels[3], 255);
    EXPECT_EQ(rgba->TexPixels[12], 255);  // red, first of the top row
    DeleteFileA(file.c_str());
}

TEST(TextureFiles, ResourceBitmapLoadsAndAMissingOneAnswersNone) {
    std::unique_ptr<BMPTexture> texture = TOpenGLPanel::LoadBMPTextureRes(TextureResource, false);
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->TexPixels, ResourcePixels(false));
    texture = TOpenGLPanel::LoadBMPTextureRes(TextureResource, true);
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->TexPixels, ResourcePixels(true));
    EXPECT_FALSE(TOpenGLPanel::LoadBMPTextureRes(TextureResource + 1, false));
}

TEST(TextureFiles, BadFilesAnswerNoneWithoutRaising) {
    const AnsiString garbage = TempFile("opengl_garbage.bmp");
    WriteBytes(garbage, {'B', 'M', 1, 2, 3, 4, 5});
    EXPECT_FALSE(TOpenGLPanel::LoadBMPTexture(garbage, false));
    EXPECT_FALSE(TOpenGLPanel::LoadBMPTexture(TempFile("opengl_missing.bmp"), true));
    EXPECT_FALSE(TOpenGLPanel::LoadBMPTextureWAD(TempFile("opengl_missing.wad"), "BRICK"));
    EXPECT_FALSE(TOpenGLPanel::LoadBMPTextureWAD(garbage, "BRICK"));
    DeleteFileA(garbage.c_str());
}

TEST(TextureFiles, PackageFileGivesTheNamedImage) {
    const AnsiString file = TempFile("opengl_textures.wad");
    std::vector<uint8_t> bytes = {1, 0, 0, 0, 'W', 'A', 'L', 'L', 0, 0, 0, 0,
                                  1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0};
    bytes.insert(bytes.end(), {9, 1, 2, 3, 4, 5, 6});  // one byte, then the 1 x 2 pixels
    WriteBytes(file, bytes);
    std::unique_ptr<BMPTexture> wall = TOpenGLPanel::LoadBMPTextureWAD(file, "WALL");
    ASSERT_TRUE(wall);
    EXPECT_EQ(wall->TexWidth, 1);
    EXPECT_EQ(wall->TexHeight, 2);
    EXPECT_EQ(wall->TexPixels, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(TOpenGLPanel::LoadBMPTextureWAD(file, "FLOOR"));
    DeleteFileA(file.c_str());
}

TEST(TextureFiles, TargaFileLoadsWithItsSizeAndReportsItsStatus) {
    const AnsiString file = TempFile("opengl_texture.tga");
    WriteBytes(file, {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 0, 24, 0,
                      0, 0, 255, 255, 0, 0});  // 1 x 2: red stored first, then blue
    std::vector<uint8_t> pixels;
    int width = 0, height = 0, bits = 0;
    ASSERT_EQ(TOpenGLPanel::LoadTGA(file, pixels, &width, &height, bits), tgaLoaded);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(bits, 24);
    EXPECT_EQ(pixels, (std::vector<uint8_t>{0, 0, 255, 255, 255, 0, 0, 255}));
    pixels.clear();
    EXPECT_EQ(TOpenGLPanel::LoadTGA(file, pixels, nullptr, nullptr, bits), tgaLoaded);
    EXPECT_EQ(pixels.size(), 8u);

    WriteBytes(file, {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 16, 0, 1, 2});
    pixels.clear();
    width = -1;
    EXPECT_EQ(TOpenGLPanel::LoadTGA(file, pixels, &width, nullptr, bits), tgaUnsupportedDepth);
    EXPECT_EQ(bits, 16);
    EXPECT_EQ(width, -1);
    EXPECT_TRUE(pixels.empty());
    DeleteFileA(file.c_str());
    EXPECT_EQ(TOpenGLPanel::LoadTGA(file, pixels, &width, nullptr, bits), tgaCannotOpen);
}

class TexturedPanelTest : public ShownFormTest {};

TEST_F(TexturedPanelTest, LoadedTextureDrawsInThePanel) {
    std::unique_ptr<BMPTexture> texture = TOpenGLPanel::LoadBMPTextureRes(TextureResource, true);
    ASSERT_TRUE(texture);
    std::vector<uint8_t> rgba(4 * 4);
    auto* panel = new TOpenGLPanel(form);
    panel->SetBounds(10, 10, 64, 64);
    panel->OnPaint = [&](TObject*) {
        glViewport(0, 0, 64, 64);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, texture->TexWidth, texture->TexHeight, 0,
                     texture->TexFormat, texture->TexType, texture->TexPixels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glEnable(GL_TEXTURE_2D);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0), glVertex2f(-1, -1);
        glTexCoord2f(1, 0), glVertex2f(1, -1);
        glTexCoord2f(1, 1), glVertex2f(1, 1);
        glTexCoord2f(0, 1), glVertex2f(-1, 1);
        glEnd();
        glDisable(GL_TEXTURE_2D);
        glFinish();
        for (int i = 0; i < 4; ++i)  // lower left, lower right, upper left, upper right
            glReadPixels(16 + 32 * (i % 2), 16 + 32 * (i / 2), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                         &rgba[i * 4]);
    };
    panel->SetParent(form);
    panel->Repaint();
    ASSERT_NE(panel->RenderContext(), nullptr);
    std::vector<uint8_t> expected = ResourcePixels(true);
    EXPECT_EQ(rgba, expected);
    panel->Free();
}

}  // namespace
