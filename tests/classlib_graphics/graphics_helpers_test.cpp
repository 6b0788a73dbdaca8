// The bitmap helpers: shared pattern bitmaps, a bitmap's pixels as a packed DIB, and the
// masked stretch-blit that leaves the destination where the mask is set.
#include "cl_bitmaps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TBitmap* Filled(int width, int height, TColor color) {
    auto* bitmap = new TBitmap;
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

TEST(BitmapHelpers, PatternBitmapsAreSharedCheckerboards) {
    TBitmap* pattern = AllocPatternBitmap(clBtnFace, clWhite);
    ASSERT_EQ(pattern->Width(), 8);
    ASSERT_EQ(pattern->Height(), 8);
    EXPECT_EQ(pattern->Canvas()->Pixels(0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(pattern->Canvas()->Pixels(1, 0), clWhite);
    EXPECT_EQ(pattern->Canvas()->Pixels(1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(AllocPatternBitmap(clBtnFace, clWhite), pattern);
    EXPECT_NE(AllocPatternBitmap(clWhite, clBtnFace), pattern);
}

TEST(BitmapHelpers, GetDIBGivesTheRowsBottomUpInTheSizesGetDIBSizesTold) {
    TOwnedPtr<TBitmap> bitmap(Filled(5, 3, clWhite));
    bitmap->Canvas()->SetPixels(0, 0, clRed);
    bitmap->Canvas()->SetPixels(4, 2, clBlue);
    bitmap->Dormant();
    int infoSize = 0, imageSize = 0;
    GetDIBSizes(bitmap->Handle(), infoSize, imageSize, pf24bit);
    EXPECT_EQ(infoSize, 40);
    EXPECT_EQ(imageSize, 16 * 3);
    std::vector<uint8_t> info(infoSize), bits(imageSize);
    ASSERT_TRUE(GetDIB(bitmap->Handle(), nullptr, info.data(), bits.data(), pf24bit));
    BITMAPINFOHEADER header;
    std::memcpy(&header, info.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 5);
    EXPECT_EQ(header.biHeight, 3);
    EXPECT_EQ(header.biBitCount, 24);
    // Blue, green, red bytes; the top row is the last one.
    const uint8_t* top = bits.data() + 2 * 16;
    EXPECT_EQ(top[0], 0);
    EXPECT_EQ(top[2], 255);
    const uint8_t* bottomRight = bits.data() + 4 * 3;
    EXPECT_EQ(bottomRight[0], 255);
    EXPECT_EQ(bottomRight[2], 0);
    GetDIBSizes(bitmap->Handle(), infoSize, imageSize, pf8bit);
    EXPECT_EQ(infoSize, 40 + 256 * 4);
    EXPECT_EQ(imageSize, 8 * 3);
    EXPECT_THROW(GetDIBSizes(nullptr, infoSize, imageSize), EInvalidGraphic);
}

TEST(BitmapHelpers, TransparentStretchBltKeepsTheDestinationUnderTheMask) {
    TOwnedPtr<TBitmap> dest(Filled(20, 20, clLime));
    TOwnedPtr<TBitmap> source(Filled(10, 10, clRed));
    source->Canvas()->Brush()->SetColor(clBlue);
    source->Canvas()->FillRect(Rect(5, 0, 10, 10));
    HBITMAP mask = CreateBitmap(10, 10, 1, 1, nullptr);
    {
        MemoryDC maskDC(mask);
        PatBlt(maskDC, 0, 0, 5, 10, WHITENESS);
        PatBlt(maskDC, 5, 0, 5, 10, BLACKNESS);
        HDC destDC = dest->Canvas()->Handle();
        SetTextColor(destDC, RGB(1, 2, 3));
        TransparentStretchBlt(destDC, 0, 0, 20, 20, source->Canvas()->Handle(), 0, 0, 10, 10,
                              maskDC, 0, 0);
        EXPECT_EQ(GetTextColor(destDC), RGB(1, 2, 3));
    }
    DeleteObject(mask);
    EXPECT_EQ(dest->Canvas()->Pixels(3, 3), clLime);
    EXPECT_EQ(dest->Canvas()->Pixels(8, 17), clLime);
    EXPECT_EQ(dest->Canvas()->Pixels(12, 3), clBlue);
    EXPECT_EQ(dest->Canvas()->Pixels(19, 19), clBlue);
}

}  // namespace
