// Date-time steps and calendar stepping, the palette, hit tests, crossing lines, fields and
// names, format translation, the sort by index and bitmap services; the engine's rounding.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "PlotBlend.h"
#include "PlotProcs.h"
#include "chart_test_support.h"
#include "cl_locale.h"

namespace {

TEST(ChartDateSteps, FindAndNextStep) {
    EXPECT_EQ(FindDateTimeStep(1.0 / 24), dtOneHour);
    EXPECT_EQ(FindDateTimeStep(0.3), dtNone);
    EXPECT_EQ(FindDateTimeStep(365), dtOneYear);
    EXPECT_EQ(FindDateTimeStep(15.0 / 86400), dtFifteenSeconds);
    EXPECT_DOUBLE_EQ(NextDateTimeStep(1.0 / 24), 2.0 / 24);
    EXPECT_DOUBLE_EQ(NextDateTimeStep(1), 2);
    EXPECT_DOUBLE_EQ(NextDateTimeStep(45.0 / 1440), 1.0 / 24);
    EXPECT_DOUBLE_EQ(NextDateTimeStep(200), 365);
}

TEST(ChartDateSteps, RoundingToTheStartOfAStep) {
    const TDateTime may20 = EncodeDateTime(2009, 5, 20, 15, 30, 0, 0);
    const struct {
        TDateTimeStep step;
        TDateTime expected;
    } cases[] = {
        {dtHalfMonth, EncodeDate(2009, 5, 15)}, {dtThreeMonths, EncodeDate(2009, 5, 1)},
        {dtOneMonth, EncodeDate(2009, 5, 1)},   {dtOneYear, EncodeDate(2009, 1, 1)},
        {dtTwoDays, EncodeDate(2009, 5, 20)},
    };
    for (const auto& c : cases) EXPECT_EQ(PlotRoundDate(may20, c.step), c.expected) << c.step;
    EXPECT_EQ(PlotRoundDate(EncodeDate(2009, 5, 3), dtHalfMonth), EncodeDate(2009, 5, 1));
    const TDateTime old = EncodeDateTime(1899, 6, 20, 10, 0, 0, 0);
    EXPECT_EQ(PlotRoundDate(old, dtOneYear), old);
}

TEST(ChartDateSteps, CalendarStepping) {
    const struct {
        TDateTime from;
        TDateTimeStep step;
        bool forward;
        TDateTime expected;
    } cases[] = {
        {EncodeDate(2009, 3, 1), dtHalfMonth, false, EncodeDate(2009, 2, 15)},
        {EncodeDate(2009, 3, 20), dtHalfMonth, false, EncodeDate(2009, 3, 15)},
        {EncodeDate(2009, 3, 15), dtHalfMonth, false, EncodeDate(2009, 3, 1)},
        {EncodeDate(2009, 3, 2), dtHalfMonth, false, EncodeDate(2009, 3, 1)},
        {EncodeDate(2009, 3, 20), dtHalfMonth, true, EncodeDate(2009, 4, 1)},
        {EncodeDate(2009, 3, 14), dtHalfMonth, true, EncodeDate(2009, 3, 15)},
        {EncodeDate(2009, 12, 20), dtHalfMonth, true, EncodeDate(2010, 1, 1)},
        {EncodeDate(2009, 1, 15), dtThreeMonths, false, EncodeDate(2008, 10, 1)},
        {EncodeDate(2009, 1, 31), dtOneMonth, true, EncodeDate(2009, 2, 1)},
        {EncodeDate(2009, 11, 5), dtSixMonths, true, EncodeDate(2010, 5, 1)},
        {EncodeDate(2009, 6, 5), dtOneYear, false, EncodeDate(2008, 6, 5)},
        // 29 February stays in February of a common year.
        {EncodeDate(2008, 2, 29), dtOneYear, true, EncodeDate(2009, 2, 28)},
        {EncodeDate(2008, 2, 29), dtOneYear, false, EncodeDate(2007, 2, 28)},
    };
    for (const auto& c : cases) {
        double value = c.from + 0.75;  // the time of day is dropped
        PlotDateTimeIncrement(true, c.forward, value, DateTimeStep[c.step], c.step);
        EXPECT_EQ(value, c.expected)
            << FormatDateTime("yyyy-mm-dd", c.from).c_str() << " " << c.step;
    }
    // A year step of several years' length moves by that many years.
    double years = EncodeDate(2010, 1, 1);
    PlotDateTimeIncrement(true, false, years, 4 * DateTimeStep[dtOneYear], dtOneYear);
    EXPECT_EQ(years, EncodeDate(2006, 1, 1));
    PlotDateTimeIncrement(true, true, years, 2 * DateTimeStep[dtOneYear], dtOneYear);
    EXPECT_EQ(years, EncodeDate(2008, 1, 1));
    double plain = 10.5;
    PlotDateTimeIncrement(true, false, plain, 2, dtTwoDays);
    EXPECT_EQ(plain, 8.5);
    PlotDateTimeIncrement(false, true, plain, 30, dtOneMonth);
    EXPECT_EQ(plain, 38.5);
}

TEST(ChartRounding, PlotRoundAgreesWithRoundOnHalvesNeighboursAndExtremes) {
    const double cases[] = {0.0,      -0.0,     0.5,     1.5,      2.5,     -0.5,    -1.5,
                            -2.5,     0.49999,  0.50001, -0.49999, -0.50001, 2.4999999999999996,
                            1e6 + .5, -1e6 - .5, 4503599627370495.5, 4503599627370497.0,
                            2147483647.5, -2147483648.5, 2147483646.5, 2147483646.75,
                            -2147483646.5, 2147483647.0, -2147483647.0, -2147483647.25, 1e17 + 3, 3.9e18, 4.1e18, 1e300,
                            -1e300,   std::nextafter(0.5, 0.0), std::nextafter(-1.5, -2.0),
                            std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity()};
    for (const double value : cases)
        EXPECT_EQ(PlotRound(value), static_cast<int>(Round(value))) << value;
    for (int step = -4000; step <= 4000; ++step) {
        const double value = step * 0.125 + 1e-3 * (step % 7);
        EXPECT_EQ(PlotRound(value), static_cast<int>(Round(value))) << value;
    }
}

TEST(ChartPalette, DefaultColoursRepeatAndCanBeReplaced) {
    SetDefaultColorPalette();
    EXPECT_EQ(GetDefaultColor(0), clRed);
    EXPECT_EQ(GetDefaultColor(21), clGreen);
    EXPECT_EQ(GetDefaultColor(19), static_cast<TColor>(0xA4A0A0));
    const TColor mine[] = {clBlue, clAqua, clBlack};
    SetDefaultColorPalette(mine, 2);
    EXPECT_EQ(GetDefaultColor(4), clAqua);
    SetDefaultColorPalette(mine, 0);
    EXPECT_EQ(ColorPalette.size(), 20u);
}

TEST(ChartHitTests, LinesAndPolygons) {
    EXPECT_TRUE(PointInLine(Point(5, 1), 0, 0, 10, 0));
    EXPECT_FALSE(PointInLine(Point(5, 2), 0, 0, 10, 0));
    EXPECT_TRUE(PointInLine(Point(5, 3), 0, 0, 10, 0, 2));
    EXPECT_TRUE(PointInLine(Point(3, 3), Point(3, 3), Point(3, 3)));
    EXPECT_FALSE(PointInLine(Point(13, 0), 0, 0, 10, 0, 1));

    const TPoint square[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(PointInPolygon(Point(5, 0), square, 3));    // top edge
    EXPECT_FALSE(PointInPolygon(Point(5, 10), square, 3));  // bottom edge
    EXPECT_TRUE(PointInPolygon(Point(5, 5), square, 3));
    EXPECT_FALSE(PointInPolygon(Point(5, 5), square, -1));
    // Coordinates whose products pass 32 bits.
    const TPoint huge[3] = {{-2000000000, -2000000000}, {2000000000, -2000000000}, {0, 2000000000}};
    EXPECT_TRUE(PointInPolygon(Point(0, 0), huge, 2));
    EXPECT_FALSE(PointInPolygon(Point(1999999999, 1999999999), huge, 2));

    EXPECT_TRUE(PointInTriangle(Point(50, 20), 0, 100, 50, 0));
    EXPECT_FALSE(PointInTriangle(Point(5, 5), 0, 100, 50, 0));
    EXPECT_TRUE(PointInHorizTriangle(Point(20, 50), 0, 100, 0, 100));
    EXPECT_TRUE(PointInEllipse(Point(10, 5), Rect(0, 0, 20, 10)));
    EXPECT_FALSE(PointInEllipse(Point(1, 1), Rect(0, 0, 20, 10)));
    EXPECT_FALSE(PointInEllipse(Point(0, 0), Rect(0, 0, 0, 10)));
}

TEST(ChartHitTests, CrossingLines) {
    double x = 0, y = 0;
    EXPECT_TRUE(CrossingLines(0, 0, 10, 10, 0, 10, 10, 0, x, y));
    EXPECT_DOUBLE_EQ(x, 5);
    EXPECT_DOUBLE_EQ(y, 5);
    EXPECT_FALSE(CrossingLines(0, 0, 10, 0, 0, 5, 10, 5, x, y));
    EXPECT_EQ(x, 10);
    // Vertical segments.
    EXPECT_TRUE(CrossingLines(5, -5, 5, 5, 0, 0, 10, 0, x, y));
    EXPECT_DOUBLE_EQ(x, 5);
    EXPECT_DOUBLE_EQ(y, 0);
    EXPECT_TRUE(CrossingLines(0, 0, 10, 0, 5, -5, 5, 5, x, y));
    EXPECT_DOUBLE_EQ(x, 5);
    EXPECT_FALSE(CrossingLines(5, 1, 5, 5, 0, 0, 10, 0, x, y));
    EXPECT_FALSE(std::isnan(x) || std::isnan(y));
}

TEST(ChartFields, FieldsAndSeparators) {
    EXPECT_EQ(PlotExtractField("a;b;c", 2), "b");
    EXPECT_EQ(PlotExtractField("a;b;c", 7), "c");
    EXPECT_EQ(PlotExtractField("a;b;c", 1), "a");
    EXPECT_EQ(PlotExtractField("", 1), "");
    EXPECT_EQ(PlotExtractField("a;b", 0), "");
    EXPECT_EQ(PlotNumFields("a;b;"), 3);
    EXPECT_EQ(PlotNumFields(""), 0);
    EXPECT_EQ(PlotNumFields("x|y", "|"), 2);
    EXPECT_EQ(PlotExtractField("x|y|z", 3, "|"), "z");
    EXPECT_EQ(PlotFieldsSeparator, ";");
    EXPECT_EQ(ReplaceChar("1,234,5", ',', '.'), "1.234.5");
    EXPECT_EQ(ReplaceChar("1,234,5", ',', '\0'), "12345");
    EXPECT_EQ(PlotStr(-42), "-42");
}

TEST(ChartFields, FormatTranslationFollowsTheLocale) {
    const char decimal = DecimalSeparator, thousand = ThousandSeparator;
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    EXPECT_EQ(InvariantToLocalFormat("#,##0.###"), "#.##0,###");
    EXPECT_EQ(LocalToInvariantFormat("#.##0,###"), "#,##0.###");
    DecimalSeparator = decimal;
    ThousandSeparator = thousand;
}

TEST(ChartFields, UniqueNames) {
    TOwnedPtr<TComponent> form(new TComponent(nullptr));
    EXPECT_EQ(PlotGetUniqueName(form.get(), "Series"), "Series1");
    (new TComponent(form.get()))->SetName("Series1");
    (new TComponent(form.get()))->SetName("Series2");
    EXPECT_EQ(PlotGetUniqueName(form.get(), "Series"), "Series3");
    EXPECT_EQ(PlotGetUniqueName(nullptr, "Series"), "Series1");
}

TEST(ChartSort, SortsTheCallersDataByIndex) {
    for (std::vector<int> data : {std::vector<int>{5, 3, 9, 1, 1, 7, 2, 8}, std::vector<int>{1},
                                  std::vector<int>{2, 1}, std::vector<int>{4, 4, 4, 4}}) {
        PlotSort(
            0, static_cast<int>(data.size()) - 1,
            [&data](int a, int b) { return data[a] < data[b] ? -1 : data[a] > data[b]; },
            [&data](int a, int b) { std::swap(data[a], data[b]); });
        EXPECT_TRUE(std::is_sorted(data.begin(), data.end()));
    }
}

TEST(ChartBitmaps, GreyScaleMethods) {
    const struct {
        int method;
        bool inverted;
        int grey;
    } cases[] = {{0, false, 33}, {1, false, 30}, {0, true, 222}};
    for (const auto& c : cases) {
        auto bitmap = FilledBitmap(2, 2, PlotRGB(100, 0, 0));
        PlotGrayScale(bitmap.get(), c.inverted, c.method);
        EXPECT_EQ(PixelOf(bitmap.get(), 1, 1), PlotRGB(c.grey, c.grey, c.grey)) << c.method;
    }
}

TEST(ChartBitmaps, BlendingAndResampling) {
    auto background = FilledBitmap(20, 20, clWhite);
    auto overlay = FilledBitmap(5, 5, clBlack);
    PlotBlendBitmaps(50, overlay.get(), background.get(), Point(30, 30));  // beyond: nothing
    EXPECT_TRUE(AllPixels(background.get(), Rect(0, 0, 20, 20), clWhite));
    PlotBlendBitmaps(0, overlay.get(), background.get(), Point(2, 2));
    EXPECT_EQ(PixelOf(background.get(), 3, 3), clBlack);

    auto source = FilledBitmap(1, 4, clRed);
    auto destination = FilledBitmap(10, 8, clWhite);
    SmoothStretch(source.get(), destination.get());
    const TColor corner = PixelOf(destination.get(), 9, 7);
    EXPECT_GT(RedOf(corner), 240);
    EXPECT_LT(GreenOf(corner) + BlueOf(corner), 20);
    TBitmap empty;
    EXPECT_THROW(SmoothStretch(&empty, destination.get()), Exception);
    EXPECT_THROW(SmoothStretch(source.get(), &empty), Exception);

    EXPECT_EQ(PointAtDistance(Point(0, 0), Point(0, 10), 3), Point(0, 7));
    EXPECT_EQ(PointAtDistance(Point(0, 10), Point(0, 0), 3), Point(0, 3));
    EXPECT_EQ(PointAtDistance(Point(0, 0), Point(10, 0), 4), Point(6, 0));
    EXPECT_DOUBLE_EQ(PlotDistance(3, 4), 5);
}

TEST(ChartBlend, RectanglesAreKeptOnTheCanvas) {
    BitmapCanvas target(50, 40);
    TPlotBlend outside(target.canvas.get(), Rect(-20, -20, -5, -5));
    EXPECT_EQ(outside.Rectangle(), Rect(0, 0, 1, 1));
    TPlotBlend wide(target.canvas.get(), Rect(30, 10, 90, 20));
    EXPECT_EQ(wide.Rectangle(), Rect(30, 10, 50, 20));

    target.canvas->Brush()->SetColor(clRed);
    TPlotBlend* keep = target.canvas->BeginBlending(Rect(0, 0, 10, 10), 0);
    target.canvas->FillRect(Rect(0, 0, 10, 10));
    target.canvas->EndBlending(keep);
    EXPECT_EQ(target.At(5, 5), clRed);
    TPlotBlend* undo = target.canvas->BeginBlending(Rect(20, 0, 30, 10), 100);
    target.canvas->FillRect(Rect(20, 0, 30, 10));
    target.canvas->EndBlending(undo);
    EXPECT_EQ(target.At(25, 5), clWhite);
}

TEST(ChartOptions, PerUserOptionsFallBackToTheirDefaults) {
    EXPECT_EQ(PlotReadIntegerOption("NoSuchOption", 17), 17);
    PlotSaveIntegerOption("TestOption", 42);
    EXPECT_EQ(PlotReadIntegerOption("TestOption", 0), 42);
    PlotSaveBoolOption("TestFlag", true);
    EXPECT_TRUE(PlotReadBoolOption("TestFlag", false));
}

}  // namespace
