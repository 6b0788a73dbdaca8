// The recording canvas of the test support: every drawing call with its arguments and the
// pen, brush and font of the moment, calls made inside other calls left out, markers, and the
// drawing itself on its bitmap.
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(RecordingCanvas, RecordsEveryDrawingCallWithItsArguments) {
    TRecordingCanvas canvas(200, 100);
    TOwnedPtr<TBitmap> tile(new TBitmap);
    tile->SetSize(4, 4);
    TOwnedPtr<TBitmap> source(new TBitmap);
    source->SetSize(10, 10);
    canvas.MoveTo(1, 2);
    canvas.LineTo(30, 40);
    canvas.Rectangle(Rect(1, 2, 3, 4));
    canvas.RoundRect(0, 0, 10, 10, 3, 3);
    canvas.Ellipse(5, 6, 7, 8);
    canvas.Arc(0, 0, 10, 10, 10, 5, 0, 5);
    canvas.Chord(0, 0, 10, 10, 10, 5, 0, 5);
    canvas.Pie(0, 0, 10, 10, 10, 5, 0, 5);
    canvas.Polyline({{0, 0}, {5, 5}});
    canvas.Polygon({{0, 0}, {5, 0}, {5, 5}});
    canvas.FillRect(Rect(0, 0, 2, 2));
    canvas.FrameRect(Rect(1, 1, 3, 3));
    canvas.DrawFocusRect(Rect(2, 2, 4, 4));
    canvas.SetPixels(9, 9, clRed);
    canvas.TextOut(10, 20, "Radon");
    canvas.TextRect(Rect(0, 0, 50, 20), 3, 4, "clip");
    canvas.Draw(3, 4, tile.get());
    canvas.StretchDraw(Rect(0, 0, 8, 8), tile.get());
    canvas.CopyRect(Rect(0, 0, 5, 5), &canvas, Rect(5, 5, 10, 10));
    canvas.BrushCopy(Rect(0, 0, 10, 10), source.get(), Rect(0, 0, 10, 10), clWhite);
    canvas.Mark("page 2");
    const std::vector<std::string> expected = {
        "MoveTo(1,2)",
        "LineTo(30,40)",
        "Rectangle(1,2,3,4)",
        "RoundRect(0,0,10,10,3,3)",
        "Ellipse(5,6,7,8)",
        "Arc(0,0,10,10,10,5,0,5)",
        "Chord(0,0,10,10,10,5,0,5)",
        "Pie(0,0,10,10,10,5,0,5)",
        "Polyline((0,0),(5,5))",
        "Polygon((0,0),(5,0),(5,5))",
        "FillRect(0,0,2,2)",
        "FrameRect(1,1,3,3)",
        "DrawFocusRect(2,2,4,4)",
        "SetPixels(9,9,255)",
        "TextOut(10,20,\"Radon\")",
        "TextRect(0,0,50,20,3,4,\"clip\")",
        "Draw(3,4,\"TBitmap\")",
        "StretchDraw(0,0,8,8,\"TBitmap\")",
        "CopyRect(0,0,5,5,5,5,10,10)",
        "BrushCopy(0,0,10,10,0,0,10,10,16777215)",
        "Mark(\"page 2\")",
    };
    EXPECT_EQ(canvas.CallStrings(), expected);
}

TEST(RecordingCanvas, KeepsTheStateOfEachCallAndDrawsForReal) {
    TRecordingCanvas canvas(100, 50, 600);
    canvas.Font()->SetName("Arial");
    canvas.Font()->SetSize(12);
    canvas.Font()->SetStyle({fsBold});
    canvas.Pen()->SetColor(clBlue);
    canvas.Pen()->SetWidth(3);
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 10, 10));
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextOut(20, 5, "x");
    ASSERT_EQ(canvas.Calls().size(), 2u);
    const TCanvasCall& fill = canvas.Calls()[0];
    EXPECT_EQ(fill.BrushColor, clRed);
    EXPECT_EQ(fill.BrushStyle, bsSolid);
    EXPECT_EQ(fill.PenColor, clBlue);
    EXPECT_EQ(fill.PenWidth, 3);
    const TCanvasCall& text = *canvas.CallsNamed("TextOut").at(0);
    EXPECT_EQ(text.BrushStyle, bsClear);
    EXPECT_EQ(text.FontName, "Arial");
    EXPECT_EQ(text.FontSize, 12);
    EXPECT_EQ(text.FontHeight, -100);
    EXPECT_EQ(text.FontStyle, (TFontStyles{fsBold}));
    EXPECT_EQ(canvas.Pixels(5, 5), clRed);
    EXPECT_GT(canvas.TextWidth("Radon"), 0);
    canvas.Clear();
    EXPECT_TRUE(canvas.Calls().empty());
}

}  // namespace
