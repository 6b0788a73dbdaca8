// The canvas drawing into DIB sections, checked pixel by pixel; the selection of pen, brush and
// font into the DC; the font's pixels-per-inch model; metafile recording and playback.
#include <windows.h>

#include <gtest/gtest.h>

#include "cl_graphics.h"
#include "cl_streams.h"
#include "graphics_support.h"

namespace {

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        bitmap = FilledBitmap(60, 40, clWhite);
        canvas = bitmap->Canvas();
    }
    TColor At(int x, int y) { return canvas->Pixels(x, y); }
    // True when every pixel of the rectangle has the colour.
    bool AllOf(const TRect& r, TColor color) {
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (At(x, y) != color) return false;
        return true;
    }
    bool AnyOf(const TRect& r, TColor color) {
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (At(x, y) == color) return true;
        return false;
    }

    std::unique_ptr<TBitmap> bitmap;
    TCanvas* canvas = nullptr;
};

TEST_F(CanvasTest, RectangleDrawsThePenBorderAndFillsWithTheBrush) {
    canvas->Pen()->SetColor(clRed);
    canvas->Brush()->SetColor(clBlue);
    canvas->Rectangle(10, 10, 30, 20);
    EXPECT_EQ(At(10, 10), clRed);
    EXPECT_EQ(At(29, 19), clRed);
    EXPECT_EQ(At(30, 20), clWhite);
    EXPECT_EQ(At(9, 9), clWhite);
    EXPECT_TRUE(AllOf(Rect(11, 11, 29, 19), clBlue));
}

TEST_F(CanvasTest, FillRectAndFrameRectUseTheBrushWithExclusiveEdges) {
    canvas->Brush()->SetColor(clGreen);
    canvas->FillRect(Rect(0, 0, 10, 10));
    EXPECT_TRUE(AllOf(Rect(0, 0, 10, 10), clGreen));
    EXPECT_EQ(At(10, 10), clWhite);
    canvas->Brush()->SetColor(clRed);
    canvas->FrameRect(Rect(20, 5, 30, 15));
    EXPECT_TRUE(AllOf(Rect(20, 5, 30, 6), clRed));
    EXPECT_TRUE(AllOf(Rect(29, 5, 30, 15), clRed));
    EXPECT_TRUE(AllOf(Rect(21, 6, 29, 14), clWhite));
}

TEST_F(CanvasTest, LinesLeaveOutTheirLastPointAndMoveThePen) {
    canvas->MoveTo(5, 5);
    canvas->LineTo(15, 5);
    EXPECT_TRUE(AllOf(Rect(5, 5, 15, 6), clBlack));
    EXPECT_EQ(At(15, 5), clWhite);
    EXPECT_EQ(canvas->PenPos(), Point(15, 5));
    const std::vector<TPoint> path = {Point(0, 10), Point(10, 10), Point(10, 20)};
    canvas->Polyline(path);
    EXPECT_TRUE(AllOf(Rect(0, 10, 10, 11), clBlack));
    EXPECT_TRUE(AllOf(Rect(10, 10, 11, 20), clBlack));
    EXPECT_EQ(At(10, 20), clWhite);
}

TEST_F(CanvasTest, FilledShapesCoverTheirInsideOnly) {
    canvas->Pen()->SetColor(clLime);
    canvas->Brush()->SetColor(clLime);
    canvas->Ellipse(0, 0, 40, 40);
    EXPECT_EQ(At(20, 20), clLime);
    EXPECT_EQ(At(2, 2), clWhite);
    EXPECT_EQ(At(20, 1), clLime);

    bitmap = FilledBitmap(60, 40, clWhite);
    canvas = bitmap->Canvas();
    canvas->Pen()->SetColor(clRed);
    canvas->Brush()->SetColor(clRed);
    const TPoint triangle[] = {Point(0, 0), Point(30, 0), Point(0, 30)};
    canvas->Polygon(triangle, 3);
    EXPECT_EQ(At(5, 5), clRed);
    EXPECT_EQ(At(25, 25), clWhite);
}

TEST_F(CanvasTest, PieFillsTheSectorBetweenItsRadials) {
    canvas->Brush()->SetColor(clBlue);
    canvas->Pie(0, 0, 40, 40, 40, 20, 20, 0);  // counter-clockwise from 3 to 12 o'clock
    EXPECT_EQ(At(28, 12), clBlue);
    EXPECT_EQ(At(12, 12), clWhite);
    EXPECT_EQ(At(12, 28), clWhite);
    EXPECT_EQ(At(28, 28), clWhite);
}

TEST_F(CanvasTest, ArcDrawsTheOutlineWithoutFilling) {
    canvas->Brush()->SetColor(clBlue);
    canvas->Arc(0, 0, 40, 40, 0, 20, 0, 20);
    EXPECT_EQ(At(20, 20), clWhite);
    EXPECT_TRUE(AnyOf(Rect(0, 17, 2, 23), clBlack));
    EXPECT_FALSE(AnyOf(Rect(0, 0, 60, 40), clBlue));
}

TEST_F(CanvasTest, RoundRectCutsItsCorners) {
    canvas->Brush()->SetColor(clBlue);
    canvas->RoundRect(0, 0, 40, 40, 20, 20);
    EXPECT_EQ(At(0, 0), clWhite);
    EXPECT_EQ(At(1, 1), clWhite);
    EXPECT_EQ(At(20, 0), clBlack);
    EXPECT_EQ(At(20, 20), clBlue);
}

TEST_F(CanvasTest, PixelsReadBackWhatWasSet) {
    canvas->SetPixels(3, 4, clFuchsia);
    EXPECT_EQ(At(3, 4), clFuchsia);
    EXPECT_EQ(At(4, 4), clWhite);
    canvas->SetPixels(5, 5, clBtnFace);
    EXPECT_EQ(At(5, 5), ColorToRGB(clBtnFace));
}

TEST_F(CanvasTest, TextOutIsOpaqueOnTheBrushUnlessTheBrushIsClear) {
    canvas->Font()->SetColor(clBlack);
    canvas->Brush()->SetColor(clYellow);
    const TSize cell = canvas->TextExtent("W");
    canvas->TextOut(5, 5, "W");
    const TRect box = Bounds(5, 5, cell.cx, cell.cy);
    EXPECT_TRUE(AnyOf(box, clYellow));
    EXPECT_TRUE(AnyOf(box, clBlack));
    EXPECT_TRUE(AllOf(Rect(5 + cell.cx, 0, 60, 40), clWhite));

    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(30, 5, "W");
    const TRect clearBox = Bounds(30, 5, cell.cx, cell.cy);
    EXPECT_TRUE(AnyOf(clearBox, clBlack));
    EXPECT_FALSE(AnyOf(clearBox, clYellow));
}

TEST_F(CanvasTest, TextRectFillsAndClipsToItsRectangle) {
    canvas->Brush()->SetColor(clRed);
    canvas->Font()->SetColor(clBlack);
    canvas->TextRect(Rect(10, 10, 20, 20), 0, 0, "WWWWWWWWWWWW");
    EXPECT_FALSE(AnyOf(Rect(10, 10, 20, 20), clWhite));
    EXPECT_TRUE(AllOf(Rect(0, 0, 60, 10), clWhite));
    EXPECT_TRUE(AllOf(Rect(20, 0, 60, 40), clWhite));
}

TEST_F(CanvasTest, TextExtentMatchesTheSelectedFontsMetrics) {
    canvas->Font()->SetName("Arial");
    canvas->Font()->SetSize(20);
    TEXTMETRICA metrics{};
    GetTextMetricsA(canvas->Handle(), &metrics);
    EXPECT_EQ(canvas->TextHeight("Wg"), metrics.tmHeight);
    EXPECT_GT(canvas->TextWidth("WW"), canvas->TextWidth("W"));
    EXPECT_EQ(canvas->TextWidth(""), 0);
}

// The canvas remembers extents it measured; whatever changed in between, what it answers must be
// what GDI measures now with the font and mapping in force.
TEST_F(CanvasTest, RememberedTextExtentsFollowFontAndMappingChanges) {
    const char* text = "01.12 00:00";
    auto gdiExtent = [&] {
        SIZE size{};
        GetTextExtentPoint32A(canvas->Handle(), text, lstrlenA(text), &size);
        return TSize{size.cx, size.cy};
    };
    auto expectGdi = [&](const char* step) {
        const TSize remembered = canvas->TextExtent(text);
        const TSize measured = gdiExtent();
        EXPECT_EQ(remembered.cx, measured.cx) << step;
        EXPECT_EQ(remembered.cy, measured.cy) << step;
    };
    HDC dc = canvas->Handle();
    canvas->Font()->SetName("Arial");
    canvas->Font()->SetSize(10);
    expectGdi("first");
    canvas->Font()->SetSize(20);
    expectGdi("larger");
    canvas->Font()->SetStyle({fsBold});
    expectGdi("bold");
    canvas->Font()->SetName("Courier New");
    expectGdi("other face");
    canvas->Font()->SetSize(10);
    canvas->Font()->SetName("Arial");
    canvas->Font()->SetStyle({});
    expectGdi("back to the first font");
    SetTextCharacterExtra(dc, 3);
    expectGdi("character extra");
    SetTextCharacterExtra(dc, 0);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 2, 2, nullptr);
    SetViewportExtEx(dc, 1, 1, nullptr);
    expectGdi("half scale");
    SetMapMode(dc, MM_TEXT);
    expectGdi("text mapping again");

    // Two adopted handles with the same face and height but other widths.
    LOGFONTA narrow{};
    narrow.lfHeight = -20;
    narrow.lfWidth = 4;
    lstrcpyA(narrow.lfFaceName, "Arial");
    LOGFONTA wide = narrow;
    wide.lfWidth = 16;
    canvas->Font()->SetHandle(CreateFontIndirectA(&narrow));
    expectGdi("narrow adopted font");
    canvas->Font()->SetHandle(CreateFontIndirectA(&wide));
    expectGdi("wide adopted font");
}

TEST_F(CanvasTest, StretchDrawAndCopyRectScaleTheSource) {
    auto source = FilledBitmap(2, 2, clRed);
    source->Canvas()->SetPixels(1, 0, clBlue);
    source->Canvas()->SetPixels(0, 1, clLime);
    canvas->StretchDraw(Rect(0, 0, 20, 20), source.get());
    EXPECT_TRUE(AllOf(Rect(0, 0, 10, 10), clRed));
    EXPECT_TRUE(AllOf(Rect(10, 0, 20, 10), clBlue));
    EXPECT_TRUE(AllOf(Rect(0, 10, 10, 20), clLime));
    canvas->Draw(30, 0, source.get());
    EXPECT_EQ(At(31, 0), clBlue);
    EXPECT_EQ(At(32, 0), clWhite);
    canvas->CopyRect(Rect(40, 20, 50, 30), canvas, Rect(10, 0, 20, 10));
    EXPECT_TRUE(AllOf(Rect(40, 20, 50, 30), clBlue));
}

TEST_F(CanvasTest, BrushCopyPaintsTheChosenColourWithTheBrush) {
    auto glyph = FilledBitmap(10, 10, clLime);
    glyph->Canvas()->Brush()->SetColor(clRed);
    glyph->Canvas()->FillRect(Rect(2, 2, 8, 8));
    canvas->Brush()->SetColor(clBlue);
    canvas->BrushCopy(Rect(0, 0, 10, 10), glyph.get(), Rect(0, 0, 10, 10), clLime);
    EXPECT_EQ(At(0, 0), clBlue);
    EXPECT_EQ(At(5, 5), clRed);
    EXPECT_EQ(At(12, 12), clWhite);
}

TEST_F(CanvasTest, HandleSelectsTheCurrentPenBrushAndFont) {
    HDC dc = canvas->Handle();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), canvas->Pen()->Handle());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), canvas->Brush()->Handle());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), canvas->Font()->Handle());

    canvas->Pen()->SetColor(clRed);
    canvas->Pen()->SetMode(pmXor);
    canvas->Font()->SetStyle({fsBold});
    dc = canvas->Handle();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), canvas->Pen()->Handle());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), canvas->Font()->Handle());
    EXPECT_EQ(GetROP2(dc), R2_XORPEN);
    LOGPEN pen{};
    GetObjectA(GetCurrentObject(dc, OBJ_PEN), sizeof pen, &pen);
    EXPECT_EQ(pen.lopnColor, static_cast<COLORREF>(clRed));
}

TEST_F(CanvasTest, AdoptedExtCreatePenIsSelectedAndDraws) {
    LOGBRUSH brush{BS_SOLID, RGB(255, 0, 0), 0};
    HPEN geometric = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 6, &brush, 0, nullptr);
    canvas->Pen()->SetHandle(geometric);
    EXPECT_EQ(GetCurrentObject(canvas->Handle(), OBJ_PEN), geometric);
    canvas->MoveTo(0, 20);
    canvas->LineTo(50, 20);
    EXPECT_EQ(At(25, 18), clRed);
    EXPECT_EQ(At(25, 22), clRed);
    EXPECT_EQ(At(25, 10), clWhite);
    canvas->Pen()->SetColor(clBlue);  // a change builds a plain pen again
    EXPECT_NE(GetCurrentObject(canvas->Handle(), OBJ_PEN), geometric);
}

TEST_F(CanvasTest, ResettingTheBrushHandleReselectsAfterForeignSelection) {
    canvas->Brush()->SetColor(clBlue);
    HDC dc = canvas->Handle();
    SelectObject(dc, GetStockObject(DC_BRUSH));  // behind the canvas's back
    SetDCBrushColor(dc, RGB(0, 255, 0));
    canvas->Brush()->SetHandle(nullptr);
    dc = canvas->Handle();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), canvas->Brush()->Handle());
    canvas->Rectangle(0, 0, 10, 10);
    EXPECT_EQ(At(5, 5), clBlue);
}

TEST_F(CanvasTest, KeepsTheCallersMappingMode) {
    HDC dc = canvas->Handle();
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 10, 10, nullptr);
    SetViewportExtEx(dc, 40, 40, nullptr);
    canvas->Pen()->SetColor(clBlue);
    canvas->Brush()->SetColor(clBlue);
    canvas->Font()->SetSize(14);
    canvas->Refresh();
    canvas->Rectangle(1, 1, 5, 5);
    canvas->TextOut(6, 0, "x");
    dc = canvas->Handle();
    SIZE window{}, viewport{};
    GetWindowExtEx(dc, &window);
    GetViewportExtEx(dc, &viewport);
    EXPECT_EQ(GetMapMode(dc), MM_ANISOTROPIC);
    EXPECT_EQ(window.cx, 10);
    EXPECT_EQ(viewport.cx, 40);
    SetMapMode(dc, MM_TEXT);
    EXPECT_EQ(At(10, 10), clBlue);  // logical (2, 2)
    EXPECT_EQ(At(22, 22), clWhite);
}

TEST_F(CanvasTest, DrawingFiresOnChangingAndOnChangeAndLockCounts) {
    int changing = 0, changed = 0;
    canvas->OnChanging = [&](TObject*) { ++changing; };
    canvas->OnChange = [&](TObject*) { ++changed; };
    canvas->FillRect(Rect(0, 0, 5, 5));
    canvas->TextOut(0, 0, "a");
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
    canvas->Lock();
    canvas->Lock();
    EXPECT_EQ(canvas->LockCount(), 2);
    canvas->Unlock();
    canvas->Unlock();
    EXPECT_EQ(canvas->LockCount(), 0);
}

TEST(GraphicsObjects, ChangesNotifyOncePerEffectiveChange) {
    TPen pen;
    int notices = 0;
    pen.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &pen);
        ++notices;
    };
    pen.SetColor(clRed);
    pen.SetColor(clRed);
    pen.SetWidth(3);
    pen.SetStyle(psDot);
    EXPECT_EQ(notices, 3);
    TPen copy;
    copy.Assign(&pen);
    EXPECT_EQ(copy.Color(), clRed);
    EXPECT_EQ(copy.Width(), 3);
    EXPECT_EQ(copy.Style(), psDot);
    LOGPEN log{};
    GetObjectA(copy.Handle(), sizeof log, &log);
    EXPECT_EQ(log.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(log.lopnWidth.x, 3);

    TBrush brush;
    brush.SetStyle(bsClear);
    brush.SetColor(clRed);  // a colour makes a clear brush solid again
    EXPECT_EQ(brush.Style(), bsSolid);
    TFont font;
    EXPECT_THROW(font.Assign(&brush), EConvertError);
}

TEST(GraphicsObjects, ColourHelpers) {
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ColorToRGB(clWindow), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(ColorToRGB(0x12345678), 0x00345678);
    EXPECT_EQ(ColorToString(clTeal), "clTeal");
    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    EXPECT_EQ(StringToColor("clBtnFace"), clBtnFace);
    EXPECT_EQ(StringToColor("$0000FF"), clRed);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_THROW(StringToColor("reddish"), EConvertError);
}

// ---- fonts and pixels per inch ----

TEST(FontModel, DefaultsAreEightPointMsSansSerifAtTheScreensResolution) {
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.PixelsPerInch(), ScreenPixelsPerInch());
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
}

TEST(FontModel, SizeIsDerivedFromHeightThroughPixelsPerInch) {
    struct Case {
        int ppi, size, height;
    };
    const Case cases[] = {{96, 10, -13}, {96, 8, -11}, {300, 10, -42}, {600, 12, -100}, {72, 9, -9}};
    for (const Case& c : cases) {
        TFont font;
        font.SetPixelsPerInch(c.ppi);
        font.SetSize(c.size);
        EXPECT_EQ(font.Height(), c.height) << c.ppi << " dpi, " << c.size << " pt";
        EXPECT_EQ(font.Size(), c.size);
        LOGFONTA log{};
        GetObjectA(font.Handle(), sizeof log, &log);
        EXPECT_EQ(log.lfHeight, c.height);
    }
}

TEST(FontModel, ChangingPixelsPerInchKeepsTheHeight) {
    TFont font;
    font.SetPixelsPerInch(96);
    font.SetSize(10);
    font.SetPixelsPerInch(600);
    EXPECT_EQ(font.Height(), -13);
    EXPECT_EQ(font.Size(), 2);
}

TEST(FontModel, AssignCopiesHeightOrKeepsPointsAcrossResolutions) {
    TFont chart;
    chart.SetPixelsPerInch(96);
    chart.SetName("Times New Roman");
    chart.SetSize(10);
    chart.SetStyle({fsBold, fsItalic});
    chart.SetColor(clNavy);

    TFont samePpi;
    samePpi.SetPixelsPerInch(96);
    samePpi.Assign(&chart);
    EXPECT_EQ(samePpi.Height(), -13);
    EXPECT_EQ(samePpi.Name(), "Times New Roman");
    EXPECT_EQ(samePpi.Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(samePpi.Color(), clNavy);

    TFont printer;
    printer.SetPixelsPerInch(600);
    printer.Assign(&chart);
    EXPECT_EQ(printer.PixelsPerInch(), 600);
    EXPECT_EQ(printer.Size(), 10);
    EXPECT_EQ(printer.Height(), -83);

    // The chart's way: align the chart font's resolution first, then the pixel height carries.
    chart.SetPixelsPerInch(600);
    printer.Assign(&chart);
    EXPECT_EQ(printer.Height(), -13);
}

TEST(FontModel, TextScalesWithTheCanvasFontsPixelsPerInch) {
    auto screen = FilledBitmap(10, 10, clWhite);
    auto doubled = FilledBitmap(10, 10, clWhite);
    for (TBitmap* b : {screen.get(), doubled.get()}) {
        b->Canvas()->Font()->SetName("Times New Roman");
    }
    screen->Canvas()->Font()->SetPixelsPerInch(96);
    doubled->Canvas()->Font()->SetPixelsPerInch(192);
    for (TBitmap* b : {screen.get(), doubled.get()}) b->Canvas()->Font()->SetSize(20);
    const TSize small = screen->Canvas()->TextExtent("Radon Report");
    const TSize large = doubled->Canvas()->TextExtent("Radon Report");
    EXPECT_NEAR(static_cast<double>(large.cy) / small.cy, 2.0, 0.15);
    EXPECT_NEAR(static_cast<double>(large.cx) / small.cx, 2.0, 0.15);
}

// ---- metafiles ----

int CALLBACK NoteStretchedDIB(HDC, HANDLETABLE*, const ENHMETARECORD* record, int,
                              LPARAM found) {
    if (record->iType == EMR_STRETCHDIBITS) *reinterpret_cast<bool*>(found) = true;
    return 1;
}

TEST(Metafile, CanvasRecordsAndPlaysBack) {
    TMetafile metafile;
    {
        TMetafileCanvas recorder(&metafile, nullptr);
        EXPECT_EQ(recorder.Font()->PixelsPerInch(), ScreenPixelsPerInch());
        recorder.Brush()->SetColor(clRed);
        recorder.FillRect(Rect(0, 0, 20, 20));
        recorder.Brush()->SetColor(clBlue);
        recorder.FillRect(Rect(10, 10, 20, 20));
    }
    ASSERT_FALSE(metafile.Empty());
    auto target = FilledBitmap(20, 20, clWhite);
    target->Canvas()->StretchDraw(Rect(0, 0, 20, 20), &metafile);
    EXPECT_EQ(target->Canvas()->Pixels(5, 5), clRed);
    EXPECT_EQ(target->Canvas()->Pixels(15, 15), clBlue);
    EXPECT_EQ(target->Canvas()->Pixels(15, 5), clRed);

    TMemoryStream stream;
    metafile.SaveToStream(&stream);
    stream.SetPosition(0);
    TMetafile reloaded;
    reloaded.LoadFromStream(&stream);
    auto second = FilledBitmap(20, 20, clWhite);
    second->Canvas()->StretchDraw(Rect(0, 0, 20, 20), &reloaded);
    EXPECT_EQ(MaxDifference(PixelsOf(target.get()), PixelsOf(second.get())), 0);
}

TEST(Metafile, BitmapsAreRecordedAsDibBits) {
    auto picture = FilledBitmap(4, 4, clRed);
    picture->Canvas()->SetPixels(3, 3, clBlue);
    picture->Canvas()->SetPixels(0, 0, clLime);
    TMetafile metafile;
    {
        TMetafileCanvas recorder(&metafile, nullptr);
        EXPECT_TRUE(recorder.IsRecordingOrPrinting());
        recorder.StretchDraw(Rect(0, 0, 16, 16), picture.get());
    }
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(metafile.Handle(), sizeof header, &header);
    bool stretchedDIB = false;
    EnumEnhMetaFile(nullptr, metafile.Handle(), NoteStretchedDIB, &stretchedDIB, nullptr);
    EXPECT_TRUE(stretchedDIB);
    auto target = FilledBitmap(16, 16, clWhite);
    target->Canvas()->StretchDraw(Rect(0, 0, 16, 16), &metafile);
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), clLime);
    EXPECT_EQ(target->Canvas()->Pixels(8, 8), clRed);
    EXPECT_EQ(target->Canvas()->Pixels(14, 14), clBlue);
}

TEST(Metafile, FrameComesFromTheMillimetreSize) {
    TMetafile metafile;
    metafile.SetMMWidth(2540);
    metafile.SetMMHeight(1270);
    {
        TMetafileCanvas recorder(&metafile, nullptr);
        recorder.TextOut(0, 0, "frame");
    }
    EXPECT_EQ(metafile.MMWidth(), 2540);
    EXPECT_EQ(metafile.MMHeight(), 1270);
    EXPECT_EQ(metafile.Width(), ScreenPixelsPerInch());
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(metafile.Handle(), sizeof header, &header);
    EXPECT_NEAR(header.rclFrame.right - header.rclFrame.left, 2540, 2);
}

TEST(Metafile, GarbageIsNotAMetafile) {
    TStringStream stream(AnsiString("this is certainly not a metafile at all"));
    TMetafile metafile;
    EXPECT_THROW(metafile.LoadFromStream(&stream), EInvalidGraphic);
}

}  // namespace
