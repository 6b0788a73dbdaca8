// The HTML-subset renderer: entities, style and font tags with their closing forms, line
// breaks, centring, rules, images and the two error texts, drawn on a canvas that records the
// font of every piece.
#include <gtest/gtest.h>

#include "PlotHtml.h"
#include "chart_test_support.h"

namespace {

struct Piece {
    int x, y;
    std::string text;
    int size;
    std::string name;
    TFontStyles style;
    TColor color;
};

class HtmlCanvas : public TPlotCanvas3D {
    CL_CLASS(HtmlCanvas, TPlotCanvas3D)

    using TPlotCanvas3D::Line;
    using TPlotCanvas3D::Rectangle;
    using TPlotCanvas3D::TextOut;
    void TextOut(int x, int y, const AnsiString& text) override {
        pieces.push_back({x, y, text.str(), Font()->Size(), Font()->Name().str(), Font()->Style(),
                          Font()->Color()});
        TPlotCanvas3D::TextOut(x, y, text);
    }
    void Line(int x0, int y0, int x1, int y1) override {
        lines.push_back(Rect(x0, y0, x1, y1));
        lineColors.push_back(Pen()->Color());
        TPlotCanvas3D::Line(x0, y0, x1, y1);
    }
    void Rectangle(int x0, int y0, int x1, int y1) override {
        rectangles.push_back(Rect(x0, y0, x1, y1));
        TPlotCanvas3D::Rectangle(x0, y0, x1, y1);
    }
    std::vector<Piece> pieces;
    std::vector<TRect> lines;
    std::vector<TColor> lineColors;
    std::vector<TRect> rectangles;
};

class HtmlTest : public ::testing::Test {
protected:
    void SetUp() override {
        canvas->SetUseBuffer(false);
        canvas->InitWindow(bitmap->Canvas(), nullptr, clWhite, false, Rect(0, 0, 400, 200));
        canvas->Font()->SetName("Arial");
        canvas->Font()->SetSize(10);
        canvas->Font()->SetColor(clBlack);
    }
    void TearDown() override {
        GraphicFileExtension = nullptr;
        GraphicDownload = nullptr;
    }
    const std::vector<Piece>& Draw(const AnsiString& text) {
        HtmlTextOut(canvas.get(), 5, 7, text);
        return canvas->pieces;
    }
    std::string ErrorOf(const AnsiString& text) {
        try {
            Draw(text);
        } catch (const Exception& e) {
            return e.what();
        }
        return "no error";
    }
    std::unique_ptr<TBitmap> bitmap = FilledBitmap(400, 200, clWhite);
    TOwnedPtr<HtmlCanvas> canvas{new HtmlCanvas};
};

TEST_F(HtmlTest, EntitiesAreReplacedOnceAndInOrder) {
    const auto& pieces = Draw("a &lt;b&gt; &amp; c &amp;lt; &QUOT; &quot;x&quot;");
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].text, "a <b> & c &lt; &QUOT; \"x\"");
    EXPECT_EQ(pieces[0].x, 5);
    EXPECT_EQ(pieces[0].y, 7);
}

TEST_F(HtmlTest, StyleTagsAndTheirClosingForms) {
    const auto& pieces = Draw("<B>a</b>b<i>c</>d<STRONG><U>e</>f</>g");
    ASSERT_EQ(pieces.size(), 7u);
    EXPECT_EQ(pieces[0].style, TFontStyles{fsBold});
    EXPECT_EQ(pieces[1].style, TFontStyles{});
    EXPECT_EQ(pieces[2].style, TFontStyles{fsItalic});
    // "</>" after text closes the last opened style tag.
    EXPECT_EQ(pieces[3].style, TFontStyles{});
    EXPECT_EQ(pieces[4].style, (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(pieces[5].style, TFontStyles{fsBold});
    EXPECT_EQ(pieces[6].style, TFontStyles{});
    // Pieces follow each other on the line.
    EXPECT_EQ(pieces[1].x, pieces[0].x + canvas->TextWidth("a"));
}

TEST_F(HtmlTest, FontTagsSaveAndRestoreTheWholeFont) {
    const auto& pieces = Draw(
        "<FONT color=red size=+2>a</>b<font SIZE=12 name=\"Times New Roman\" weight=BOLD, ITALIC>"
        "c<BIG>d</FONT>e</font>f<font color=#102030>g</><FONT color=clBlue>h</FONT>"
        "<PRE>i</PRE>j");
    ASSERT_EQ(pieces.size(), 10u);
    EXPECT_EQ(pieces[0].color, TColor(0x0000FF));
    EXPECT_EQ(pieces[0].size, 12);
    // The FONT tag set the previous-pushed flag and the text did not clear it.
    EXPECT_EQ(pieces[1].color, clBlack);
    EXPECT_EQ(pieces[1].size, 10);
    EXPECT_EQ(pieces[2].size, 12);
    EXPECT_EQ(pieces[2].name, "Times New Roman");
    EXPECT_EQ(pieces[2].style, (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(pieces[3].size, 14);
    // Restoring the saved bold italic font gives bold italic again.
    EXPECT_EQ(pieces[4].size, 12);
    EXPECT_EQ(pieces[4].style, (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(pieces[4].name, "Times New Roman");
    EXPECT_EQ(pieces[5].size, 10);
    EXPECT_EQ(pieces[5].name, "Arial");
    EXPECT_EQ(pieces[5].style, TFontStyles{});
    EXPECT_EQ(pieces[6].color, TColor(0x302010));
    EXPECT_EQ(pieces[7].color, clBlue);
    EXPECT_EQ(pieces[8].name, "COURIER NEW");
    EXPECT_EQ(pieces[9].name, "Arial");
}

TEST_F(HtmlTest, SizeTagsHaveNoClosingTagsOfTheirOwn) {
    const struct {
        const char* text;
        int size;
    } cases[] = {{"<BIG>", 12}, {"<SMALL>", 8}, {"<h1>", 48}, {"<H2>", 36}, {"<H3>", 24},
                 {"<H4>", 18},  {"<H5>", 12},   {"<H6>", 8}};
    for (const auto& c : cases) {
        canvas->pieces.clear();
        const auto& pieces = Draw(AnsiString(c.text) + "a</>b");
        ASSERT_EQ(pieces.size(), 2u) << c.text;
        EXPECT_EQ(pieces[0].size, c.size) << c.text;
        EXPECT_EQ(pieces[1].size, 10) << c.text;
    }
    canvas->pieces.clear();
    const auto& pieces = Draw("<H1>a</H1>");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1].text, "</H1>");
    EXPECT_EQ(pieces[1].size, 48);
}

TEST_F(HtmlTest, UnknownTagsAreDrawnAsText) {
    const auto& pieces = Draw("<blink>a<FONT>< B>");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].text, "<blink>");
    EXPECT_EQ(pieces[2].text, "<FONT>");
    EXPECT_EQ(pieces[3].text, "< B>");
}

TEST_F(HtmlTest, ErrorTexts) {
    EXPECT_EQ(ErrorOf("ab<cde"), "Missing > at cde");
    EXPECT_EQ(ErrorOf("<FONT face=Arial>x"), "Unknown field in FONT: FACE");
    EXPECT_EQ(ErrorOf("<FONT weight=BOLD, HEAVY>x"), "Unknown field in FONT WEIGHT=BOLD, HEAVY");
    EXPECT_THROW(Draw("<FONT size=big>x"), EConvertError);
    EXPECT_THROW(Draw("<FONT color=mauve>x"), EConvertError);
    try {
        Draw("<x");
    } catch (const HtmlParserException&) {
        SUCCEED();
    }
}

TEST_F(HtmlTest, AttributeWithoutSeparatingSpaceStaysInsideTheText) {
    // "name=a=b": no space before the second "=", so "a" cannot be split off as a name.
    EXPECT_EQ(ErrorOf("<FONT name=a=b>x"), "Unknown field in FONT: A");
    EXPECT_EQ(ErrorOf("<FONT =1>x"), "Unknown field in FONT: ");
}

TEST_F(HtmlTest, StacksBelongToOneCall) {
    Draw("<B><FONT size=20>a");
    canvas->Font()->SetSize(10);
    canvas->Font()->SetStyle({});
    canvas->pieces.clear();
    // Nothing is left from the earlier text to close or restore.
    const auto& pieces = Draw("x</FONT>y</>");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[1].size, 10);
    EXPECT_EQ(pieces[2].text, "</");
}

TEST_F(HtmlTest, LineBreaksMoveToTheNextLine) {
    const int h = canvas->FontHeight();
    const auto& pieces = Draw("ab<BR>c\r\nd<p>e");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].y, 7);
    // The break moves y by the font height, the first text of the new line once more.
    EXPECT_EQ(pieces[1].x, 5);
    EXPECT_EQ(pieces[1].y, 7 + 2 * h);
    EXPECT_EQ(pieces[1].text, "c\r\nd");
    EXPECT_EQ(pieces[2].x, 5);
    EXPECT_EQ(pieces[2].y, 7 + 4 * h);
}

TEST_F(HtmlTest, TextEndingInCrLfStartsANewLineAtTheNextText) {
    const int h = canvas->FontHeight();
    const auto& pieces = Draw("ab\r\n<B>cd");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].text, "ab");
    EXPECT_EQ(pieces[1].x, 5);
    EXPECT_EQ(pieces[1].y, 7 + h);
}

TEST_F(HtmlTest, ExtentsAddTheLineHeights) {
    const int h = canvas->FontHeight();
    const TSize one = HtmlTextExtent(canvas.get(), "abc");
    EXPECT_EQ(one.cx, canvas->TextWidth("abc"));
    EXPECT_EQ(one.cy, h);
    const TSize two = HtmlTextExtent(canvas.get(), "abc<BR>wwwwww");
    EXPECT_EQ(two.cx, canvas->TextWidth("wwwwww"));
    EXPECT_EQ(two.cy, 2 * h);
    const TSize three = HtmlTextExtent(canvas.get(), "a\r\n<B>b\r\n<B>c");
    EXPECT_EQ(three.cy, 3 * h);
    EXPECT_TRUE(canvas->pieces.empty());
}

TEST_F(HtmlTest, CentredPiecesAreCentredOnTheWindow) {
    const auto& pieces = Draw("<CENTER>abc</CENTER>d");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].x, 200 - canvas->TextWidth("abc") / 2);
    EXPECT_EQ(pieces[1].x, pieces[0].x + canvas->TextWidth("abc"));
}

TEST_F(HtmlTest, SubAndSuperMoveTheLine) {
    const auto& pieces = Draw("a<SUB>b</SUB>c");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[1].size, 5);
    EXPECT_GT(pieces[1].y, pieces[0].y);
    EXPECT_EQ(pieces[2].size, 10);
}

TEST_F(HtmlTest, RuleIsAGreyLineOfAHundredPixels) {
    Draw("ab<HR>");
    ASSERT_EQ(canvas->lines.size(), 1u);
    EXPECT_EQ(canvas->lines[0], Rect(5, 7, 105, 7));
    EXPECT_EQ(canvas->lineColors[0], TColor(0x808080));
}

TEST_F(HtmlTest, ImagesWithoutAGraphicDrawABrokenImageMark) {
    Draw("<IMG width=20>");
    EXPECT_TRUE(canvas->rectangles.empty());
    Draw("<IMG src=\"a.gif\">");
    ASSERT_EQ(canvas->rectangles.size(), 1u);
    EXPECT_EQ(canvas->rectangles[0], Rect(5, 7, 45, 47));
    ASSERT_EQ(canvas->lines.size(), 2u);
    EXPECT_EQ(canvas->lines[0], Rect(5, 7, 44, 46));
    EXPECT_EQ(canvas->lines[1], Rect(5, 46, 44, 7));
    EXPECT_EQ(canvas->lineColors[0], TColor(0x0000FF));

    AnsiString asked;
    GraphicFileExtension = [&](const AnsiString& extension) -> TGraphic* {
        asked = extension;
        return new TBitmap;
    };
    GraphicDownload = [](const AnsiString&, TMemoryStream*) { return 0; };
    Draw("<IMG src=pic.bmp width=10 height=30>x");
    EXPECT_EQ(asked, ".BMP");
    ASSERT_EQ(canvas->rectangles.size(), 2u);
    EXPECT_EQ(canvas->rectangles[1], Rect(5, 7, 15, 37));
    EXPECT_EQ(canvas->pieces.back().x, 5);
}

TEST_F(HtmlTest, ImagesAreDrawnAndMoveThePen) {
    TMemoryStream image;
    FilledBitmap(8, 6, clRed)->SaveToStream(&image);
    GraphicFileExtension = [](const AnsiString& extension) -> TGraphic* {
        return extension == ".BMP" ? new TBitmap : nullptr;
    };
    GraphicDownload = [&](const AnsiString& source, TMemoryStream* stream) {
        if (source != "pic.bmp") return 1;
        stream->LoadFromStream(&image);
        return 0;
    };
    const auto& pieces = Draw("<IMG src=\" pic.bmp \">x<IMG src=pic.bmp width=16>y");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].x, 13);
    EXPECT_EQ(pieces[1].x, 13 + canvas->TextWidth("x") + 16);
    EXPECT_TRUE(canvas->rectangles.empty());
}

}  // namespace
