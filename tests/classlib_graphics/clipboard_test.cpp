// The clipboard: text and pictures put on it and read back.
#include <windows.h>

#include <gtest/gtest.h>

#include "cl_clipboard.h"
#include "graphics_support.h"

namespace {

TEST(Clipboard, TextRoundTripsAsItStands) {
    const AnsiString text = "Radon\n12.5\tpCi/L\nline three";
    Clipboard()->SetAsText(text);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->AsText(), text);
    char buffer[6];
    EXPECT_EQ(Clipboard()->GetTextBuf(buffer, sizeof buffer), 5);
    EXPECT_STREQ(buffer, "Radon");
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->AsText(), "");
}

TEST(Clipboard, BitmapRoundTrips) {
    auto bitmap = FilledBitmap(16, 9, clWhite);
    bitmap->Canvas()->Brush()->SetColor(clRed);
    bitmap->Canvas()->FillRect(Rect(0, 0, 8, 4));
    bitmap->Canvas()->SetPixels(15, 8, clBlue);
    Clipboard()->Assign(bitmap.get());
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));

    TBitmap pasted;
    pasted.Assign(Clipboard());
    EXPECT_EQ(MaxDifference(PixelsOf(&pasted), PixelsOf(bitmap.get())), 0);

    TPicture picture;
    picture.Assign(Clipboard());
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(MaxDifference(PixelsOf(picture.Bitmap()), PixelsOf(bitmap.get())), 0);
}

TEST(Clipboard, MetafileRoundTripsThroughAPicture) {
    TMetafile metafile;
    {
        TMetafileCanvas recorder(&metafile, nullptr);
        recorder.Brush()->SetColor(clNavy);
        recorder.FillRect(Rect(0, 0, 10, 10));
    }
    TPicture source;
    source.SetGraphic(&metafile);
    Clipboard()->Assign(&source);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_ENHMETAFILE));
    TMetafile pasted;
    pasted.Assign(Clipboard());
    ASSERT_FALSE(pasted.Empty());
    auto target = FilledBitmap(10, 10, clWhite);
    target->Canvas()->StretchDraw(Rect(0, 0, 10, 10), &pasted);
    EXPECT_EQ(target->Canvas()->Pixels(5, 5), clNavy);
}

TEST(Clipboard, TextIsNoPicture) {
    Clipboard()->SetAsText("no picture here");
    TPicture picture;
    try {
        picture.Assign(Clipboard());
        ADD_FAILURE() << "text read as a picture";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unsupported clipboard format");
    }
    EXPECT_EQ(picture.Graphic(), nullptr);
}

TEST(Clipboard, OpeningNestsAndHandlesAreReadWhileOpen) {
    Clipboard()->SetAsText("held");
    Clipboard()->Open();
    Clipboard()->Open();
    Clipboard()->Close();
    HANDLE data = Clipboard()->GetAsHandle(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), "held");
    GlobalUnlock(data);
    Clipboard()->Close();
    EXPECT_GE(Clipboard()->FormatCount(), 1);
    UINT custom = RegisterClipboardFormatA("Radon Test Format");
    HGLOBAL blob = GlobalAlloc(GMEM_MOVEABLE, 4);
    *static_cast<uint32_t*>(GlobalLock(blob)) = 0xC0FFEE;
    GlobalUnlock(blob);
    Clipboard()->SetAsHandle(custom, blob);
    EXPECT_TRUE(Clipboard()->HasFormat(custom));
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}

}  // namespace
