// Bitmaps (DIB sections, scan lines, pixel formats, BMP files), JPEG decoding and the picture's
// format registry, checked against ImageMagick's decoding of the same files.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "cl_graphics.h"
#include "cl_jpeg.h"
#include "cl_streams.h"
#include "graphics_support.h"

namespace {

std::unique_ptr<TBitmap> LoadBitmap(const std::vector<uint8_t>& bytes) {
    TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromStream(&stream);
    return bitmap;
}

std::unique_ptr<TJPEGImage> LoadJpeg(const std::vector<uint8_t>& bytes) {
    TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->LoadFromStream(&stream);
    return jpeg;
}

// ---- bitmaps ----

TEST(Bitmap, ScanLineOutsideTheBitmapRaises) {
    auto bitmap = FilledBitmap(4, 3, clWhite);
    for (int row : {-1, 3, 100}) {
        try {
            bitmap->ScanLine(row);
            ADD_FAILURE() << "row " << row;
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_EQ(e.Message(), "Scan line index out of range");
        }
    }
    TBitmap empty;
    EXPECT_THROW(empty.ScanLine(0), EInvalidGraphicOperation);
}

TEST(Bitmap, ScanLineAddressesTheRowTopDown) {
    auto bitmap = FilledBitmap(5, 4, clWhite);
    auto* row = static_cast<uint8_t*>(bitmap->ScanLine(2));
    row[3 * 3 + 0] = 0x10;  // blue
    row[3 * 3 + 1] = 0x20;
    row[3 * 3 + 2] = 0x30;
    EXPECT_EQ(bitmap->Canvas()->Pixels(3, 2), static_cast<TColor>(RGB(0x30, 0x20, 0x10)));
    EXPECT_EQ(bitmap->BytesPerScanLine(), 16);
    EXPECT_EQ(static_cast<uint8_t*>(bitmap->ScanLine(1)) - row, 16);
}

TEST(Bitmap, PixelFormatsKeepBlackAndWhite) {
    const TPixelFormat formats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfDevice};
    for (TPixelFormat format : formats) {
        auto bitmap = FilledBitmap(9, 5, clWhite);
        bitmap->Canvas()->Brush()->SetColor(clBlack);
        bitmap->Canvas()->FillRect(Rect(0, 0, 4, 5));
        const RgbImage before = PixelsOf(bitmap.get());
        bitmap->SetPixelFormat(format);
        EXPECT_EQ(bitmap->PixelFormat(), format);
        EXPECT_EQ(MaxDifference(PixelsOf(bitmap.get()), before), 0) << "format " << format;
        bitmap->Canvas()->SetPixels(8, 4, clBlack);  // the canvas follows the new DIB
        EXPECT_EQ(bitmap->Canvas()->Pixels(8, 4), clBlack);
    }
}

TEST(Bitmap, PaletteOfAnEightBitBitmapComesFromItsColourTable) {
    TBitmap bitmap;
    bitmap.LoadFromFile(FixturePath("pal8.bmp").c_str());
    HPALETTE palette = bitmap.Palette();
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 256u);
    PALETTEENTRY grey[256];
    for (int i = 0; i < 256; ++i) grey[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
    LOGPALETTE* log = static_cast<LOGPALETTE*>(malloc(sizeof(LOGPALETTE) + sizeof grey));
    log->palVersion = 0x300;
    log->palNumEntries = 256;
    std::memcpy(log->palPalEntry, grey, sizeof grey);
    const uint8_t index = static_cast<uint8_t*>(bitmap.ScanLine(0))[0];
    bitmap.SetPalette(CreatePalette(log));
    free(log);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), static_cast<TColor>(RGB(index, index, index)));
}

TEST(Bitmap, ResizingKeepsTheContentThatFits) {
    auto bitmap = FilledBitmap(10, 10, clRed);
    bitmap->SetSize(20, 15);
    EXPECT_EQ(bitmap->Canvas()->Pixels(9, 9), clRed);
    EXPECT_EQ(bitmap->Canvas()->Pixels(15, 12), clBlack);
    bitmap->SetWidth(0);
    EXPECT_TRUE(bitmap->Empty());
}

TEST(Bitmap, TransparentColourDefaultsToTheBottomLeftPixel) {
    auto bitmap = FilledBitmap(6, 6, clWhite);
    bitmap->Canvas()->SetPixels(0, 5, clLime);
    EXPECT_EQ(bitmap->TransparentColor(), clLime);
    EXPECT_EQ(bitmap->TransparentMode(), tmAuto);
    bitmap->SetTransparentColor(clRed);
    EXPECT_EQ(bitmap->TransparentColor(), clRed);
    EXPECT_EQ(bitmap->TransparentMode(), tmFixed);
}

TEST(Bitmap, TransparentDrawingSkipsTheTransparentColour) {
    auto glyph = FilledBitmap(10, 10, clLime);
    glyph->Canvas()->Brush()->SetColor(clRed);
    glyph->Canvas()->FillRect(Rect(3, 3, 7, 7));
    glyph->SetTransparent(true);
    auto target = FilledBitmap(10, 10, clBlue);
    target->Canvas()->Draw(0, 0, glyph.get());
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), clBlue);
    EXPECT_EQ(target->Canvas()->Pixels(5, 5), clRed);

    HBITMAP mask = glyph->MaskHandle();
    ASSERT_NE(mask, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
}

TEST(Bitmap, AssignMakesAnIndependentCopy) {
    auto original = FilledBitmap(8, 8, clRed);
    TBitmap copy;
    copy.Assign(original.get());
    original->Canvas()->SetPixels(1, 1, clBlue);
    EXPECT_EQ(copy.Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(copy.PixelFormat(), pf24bit);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(Bitmap, BmpStreamsRoundTripEveryFormat) {
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf16bit, pf24bit, pf32bit}) {
        auto bitmap = FilledBitmap(13, 7, clWhite);
        bitmap->Canvas()->Brush()->SetColor(clBlack);
        bitmap->Canvas()->FillRect(Rect(2, 1, 9, 4));
        bitmap->SetPixelFormat(format);
        TMemoryStream stream;
        bitmap->SaveToStream(&stream);
        stream.SetPosition(0);
        TBitmap loaded;
        loaded.LoadFromStream(&stream);
        EXPECT_EQ(loaded.PixelFormat(), format);
        EXPECT_EQ(MaxDifference(PixelsOf(&loaded), PixelsOf(bitmap.get())), 0) << "format " << format;
    }
}

class BmpFixture : public ::testing::TestWithParam<const char*> {};

TEST_P(BmpFixture, DecodesLikeImageMagick) {
    const std::string name = GetParam();
    TBitmap bitmap;
    bitmap.LoadFromFile(FixturePath(name).c_str());
    EXPECT_EQ(MaxDifference(PixelsOf(&bitmap), ReadPnm(FixturePath(name + ".ppm"))), 0);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, BmpFixture,
                         ::testing::Values("rgb24.bmp", "pal8.bmp", "rle8.bmp", "pal4.bmp",
                                           "mono.bmp", "core24.bmp", "argb32.bmp"));

TEST(Bitmap, TopDownBmpReadsLikeBottomUp) {
    std::vector<uint8_t> bytes = ReadFileBytes(FixturePath("rgb24.bmp"));
    const int height = 30, stride = 120, pixels = 54;
    std::vector<uint8_t> flipped(bytes.begin(), bytes.begin() + pixels);
    for (int row = height - 1; row >= 0; --row) {
        flipped.insert(flipped.end(), bytes.begin() + pixels + row * stride,
                       bytes.begin() + pixels + (row + 1) * stride);
    }
    const int32_t topDown = -height;
    std::memcpy(flipped.data() + 22, &topDown, 4);
    auto bitmap = LoadBitmap(flipped);
    EXPECT_EQ(MaxDifference(PixelsOf(bitmap.get()), ReadPnm(FixturePath("rgb24.bmp.ppm"))), 0);
}

TEST(Bitmap, LoadsBitmapResourcesByIdAndName) {
    TBitmap logo;
    logo.LoadFromResourceID(GetModuleHandleA(nullptr), 1000);
    EXPECT_EQ(logo.PixelFormat(), pf24bit);
    EXPECT_EQ(MaxDifference(PixelsOf(&logo), ReadPnm(FixturePath("rgb24.bmp.ppm"))), 0);
    TBitmap named;
    named.LoadFromResourceName(GetModuleHandleA(nullptr), "LOGO");
    EXPECT_EQ(named.PixelFormat(), pf8bit);
    EXPECT_EQ(MaxDifference(PixelsOf(&named), ReadPnm(FixturePath("pal8.bmp.ppm"))), 0);
    EXPECT_THROW(named.LoadFromResourceID(GetModuleHandleA(nullptr), 4242), EResNotFound);
    EXPECT_EQ(named.Width(), 40);
}

TEST(Bitmap, AdoptsTopDownDibSectionsAndDeviceBitmaps) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 3;
    info.bmiHeader.biHeight = -2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP topDown = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    static_cast<uint32_t*>(bits)[0] = 0x00FF0000;  // first row, first pixel: red
    TBitmap bitmap;
    bitmap.SetHandle(topDown);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    EXPECT_EQ(static_cast<uint32_t*>(bitmap.ScanLine(0))[0], 0x00FF0000u);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clRed);

    HDC screen = GetDC(nullptr);
    HBITMAP device = CreateCompatibleBitmap(screen, 5, 4);
    ReleaseDC(nullptr, screen);
    bitmap.SetHandle(device);
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.HandleType(), bmDIB);
    EXPECT_NO_THROW(bitmap.ScanLine(3));
}

TEST(Bitmap, BrokenBmpFilesRaiseInvalidGraphic) {
    const std::vector<uint8_t> good = ReadFileBytes(FixturePath("rgb24.bmp"));
    auto patched = [&good](size_t offset, std::vector<uint8_t> value) {
        std::vector<uint8_t> bytes = good;
        std::copy(value.begin(), value.end(), bytes.begin() + offset);
        return bytes;
    };
    const std::vector<std::vector<uint8_t>> broken = {
        {},
        {'B', 'M'},
        patched(0, {'X', 'X'}),
        std::vector<uint8_t>(good.begin(), good.begin() + 1000),  // pixels cut short
        patched(18, {0, 0, 0, 0}),                                // width 0
        patched(28, {7, 0}),                                      // 7 bits per pixel
        patched(30, {9, 0, 0, 0}),                                // unknown compression
        std::vector<uint8_t>(good.begin(), good.begin() + 30),    // header cut short
    };
    for (size_t i = 0; i < broken.size(); ++i) {
        try {
            LoadBitmap(broken[i]);
            ADD_FAILURE() << "case " << i;
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), "Bitmap image is not valid") << "case " << i;
        }
    }
}

TEST(Icon, LoadsAndDrawsTheLargestImage) {
    TIcon icon;
    icon.LoadFromFile(FixturePath("icon.ico").c_str());
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.Height(), 32);
    auto target = FilledBitmap(32, 32, clWhite);
    target->Canvas()->Draw(0, 0, &icon);
    EXPECT_LE(MaxDifference(PixelsOf(target.get()), ReadPnm(FixturePath("icon.ico.ppm"))), 2);
    TMemoryStream saved;
    icon.SaveToStream(&saved);
    EXPECT_EQ(saved.Size(), static_cast<int64_t>(ReadFileBytes(FixturePath("icon.ico")).size()));
}

TEST(Icon, IconsMadeInMemorySaveAsIcoFiles) {
    auto image = FilledBitmap(16, 16, clRed);
    image->Canvas()->Brush()->SetColor(clBlack);
    image->Canvas()->FillRect(Rect(0, 0, 4, 4));
    auto mask = FilledBitmap(16, 16, clBlack);
    mask->Canvas()->Brush()->SetColor(clWhite);
    mask->Canvas()->FillRect(Rect(0, 0, 4, 4));
    mask->SetMonochrome(true);
    ICONINFO parts{TRUE, 0, 0, mask->Handle(), image->Handle()};
    TIcon made;
    made.SetHandle(CreateIconIndirect(&parts));
    ASSERT_FALSE(made.Empty());
    TMemoryStream stream;
    made.SaveToStream(&stream);
    stream.SetPosition(0);
    TIcon loaded;
    loaded.LoadFromStream(&stream);
    EXPECT_EQ(loaded.Width(), 16);
    auto target = FilledBitmap(16, 16, clWhite);
    target->Canvas()->Draw(0, 0, &loaded);
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), clWhite);
    EXPECT_EQ(target->Canvas()->Pixels(8, 8), clRed);
}

// ---- JPEG ----

class JpegFixture : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(JpegFixture, DecodesLikeImageMagick) {
    const std::string name = GetParam().first;
    TJPEGImage jpeg;
    jpeg.LoadFromFile(FixturePath(name).c_str());
    ASSERT_FALSE(jpeg.Empty());
    EXPECT_EQ(jpeg.Width(), 40);
    EXPECT_EQ(jpeg.Height(), 30);
    EXPECT_EQ(jpeg.Bitmap()->PixelFormat(), pf24bit);
    EXPECT_LE(MaxDifference(PixelsOf(jpeg.Bitmap()), ReadPnm(FixturePath(name + ".ppm"))),
              GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, JpegFixture,
                         ::testing::Values(std::make_pair("photo.jpg", 0),
                                           std::make_pair("gray.jpg", 0),
                                           std::make_pair("progressive.jpg", 0),
                                           std::make_pair("cmyk.jpg", 3)));

TEST(Jpeg, CorruptFilesRaiseAClearError) {
    const std::vector<uint8_t> good = ReadFileBytes(FixturePath("photo.jpg"));
    std::vector<uint8_t> scrambled = good;
    for (size_t i = 2; i < 200 && i < scrambled.size(); ++i) scrambled[i] = static_cast<uint8_t>(i * 37);
    const std::vector<std::vector<uint8_t>> broken = {
        {},
        ReadFileBytes(FixturePath("rgb24.bmp")),
        std::vector<uint8_t>(good.begin(), good.begin() + 40),
        scrambled,
        {0xFF, 0xD8, 0xFF, 0xD9},
    };
    for (size_t i = 0; i < broken.size(); ++i) {
        try {
            LoadJpeg(broken[i]);
            ADD_FAILURE() << "case " << i;
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message().Pos("JPEG error #"), 1) << e.Message().c_str();
        }
    }
}

TEST(Jpeg, TruncatedScanDataDecodesWhatIsThere) {
    const std::vector<uint8_t> good = ReadFileBytes(FixturePath("photo.jpg"));
    auto jpeg = LoadJpeg(std::vector<uint8_t>(good.begin(), good.end() - good.size() / 3));
    EXPECT_EQ(jpeg->Width(), 40);
    EXPECT_EQ(jpeg->Height(), 30);
}

TEST(Jpeg, AssignsToABitmapAndSavesItsOriginalBytes) {
    TJPEGImage jpeg;
    jpeg.LoadFromFile(FixturePath("photo.jpg").c_str());
    TBitmap bitmap;
    bitmap.Assign(&jpeg);
    EXPECT_EQ(MaxDifference(PixelsOf(&bitmap), PixelsOf(jpeg.Bitmap())), 0);
    TMemoryStream saved;
    jpeg.SaveToStream(&saved);
    const std::vector<uint8_t> original = ReadFileBytes(FixturePath("photo.jpg"));
    ASSERT_EQ(saved.Size(), static_cast<int64_t>(original.size()));
    EXPECT_EQ(std::memcmp(saved.Memory(), original.data(), original.size()), 0);
    auto target = FilledBitmap(80, 60, clWhite);
    target->Canvas()->StretchDraw(Rect(0, 0, 80, 60), &jpeg);
    EXPECT_EQ(target->Canvas()->Pixels(4, 4), jpeg.Bitmap()->Canvas()->Pixels(2, 2));
}

// ---- picture ----

TEST(Picture, PicksTheGraphicClassByExtensionIgnoringCase) {
    const std::string upper = ScratchPath(".JPG");
    WriteFileBytes(upper, ReadFileBytes(FixturePath("photo.jpg")));
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.LoadFromFile(upper.c_str());
    EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 40);
    EXPECT_GE(changes, 1);
    picture.LoadFromFile(FixturePath("pal8.bmp").c_str());
    EXPECT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    DeleteFileA(upper.c_str());
}

TEST(Picture, UnreadableOrUnknownFilesRaiseAndKeepThePicture) {
    const std::string corrupt = ScratchPath(".bmp");
    WriteFileBytes(corrupt, {'B', 'M', 1, 2, 3});
    const std::string corruptJpeg = ScratchPath(".jpeg");
    WriteFileBytes(corruptJpeg, {1, 2, 3, 4, 5});
    TPicture picture;
    picture.LoadFromFile(FixturePath("photo.jpg").c_str());
    TGraphic* before = picture.Graphic();
    const std::string names[] = {FixturePath("source.ppm"), "Z:/no/such/file.bmp", corrupt,
                                 corruptJpeg, FixturePath("photo")};
    for (const std::string& name : names) {
        EXPECT_THROW(picture.LoadFromFile(name.c_str()), EInvalidGraphic) << name;
        EXPECT_EQ(picture.Graphic(), before);
    }
    try {
        picture.LoadFromFile("picture.xyz");
        ADD_FAILURE() << "no error for an unknown extension";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
    }
    DeleteFileA(corrupt.c_str());
    DeleteFileA(corruptJpeg.c_str());
}

TEST(Picture, AssignCopiesAndBitmapReplacesOtherGraphics) {
    TPicture source;
    source.LoadFromFile(FixturePath("photo.jpg").c_str());
    TPicture copy;
    copy.Assign(&source);
    ASSERT_NE(copy.Graphic(), nullptr);
    EXPECT_NE(copy.Graphic(), source.Graphic());
    EXPECT_EQ(copy.Graphic()->ClassName(), "TJPEGImage");
    TBitmap* bitmap = copy.Bitmap();
    EXPECT_EQ(copy.Graphic(), bitmap);
    EXPECT_TRUE(bitmap->Empty());
    TBitmap fromPicture;
    fromPicture.Assign(&source);
    EXPECT_EQ(fromPicture.Width(), 40);
}

TEST(Picture, RegistryListsFormatsAndAcceptsNewOnes) {
    EXPECT_EQ(TPicture::FileFormatClass("JPEG"), TJPEGImage::StaticClass());
    EXPECT_EQ(TPicture::FileFormatClass("bmp"), TBitmap::StaticClass());
    EXPECT_EQ(TPicture::FileFormatClass("gif"), nullptr);
    const AnsiString filter = TPicture::GraphicFilter(TGraphic::StaticClass());
    EXPECT_GT(filter.Pos("*.jpg"), 0);
    EXPECT_GT(filter.Pos("Bitmaps (*.bmp)|*.bmp"), 0);
    TPicture::RegisterFileFormat("dib", "Device independent bitmaps", TBitmap::StaticClass());
    EXPECT_EQ(TPicture::FileFormatClass("DIB"), TBitmap::StaticClass());
    TPicture::UnregisterGraphicClass(TIcon::StaticClass());
    EXPECT_EQ(TPicture::FileFormatClass("ico"), nullptr);
    TPicture::RegisterFileFormat("ico", "Icons", TIcon::StaticClass());
}

}  // namespace
