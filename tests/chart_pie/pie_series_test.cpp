// Pie series: slice angles, the "other" slice, explosion, slice pixels, marks, outline pens,
// several pies in one chart, the chart's 3-D view while a pie is active, and clicks sent
// through the chart's window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ChartRegistry.h"
#include "PieSeries.h"
#include "PlotMarks.h"
#include "chart_fixture.h"
#include "chart_test_support.h"
#include "cl_filer.h"
#include "cl_streams.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

TPieSeries* MakePie(TChart* chart, TComponent* owner, std::initializer_list<double> values,
                    std::vector<TColor> colors = {}) {
    auto* pie = new TPieSeries(owner);
    int i = 0;
    for (double v : values) {
        pie->Add(v, AnsiString(), i < static_cast<int>(colors.size()) ? colors[i] : clDefault);
        ++i;
    }
    pie->Marks()->SetVisible(false);
    chart->AddSeries(pie);
    return pie;
}

class PieTest : public ::testing::Test {
protected:
    void SetUp() override {
        drawn.chart->Legend()->SetVisible(false);
        drawn.chart->Title()->SetVisible(false);
    }
    TPieSeries* Pie(std::initializer_list<double> values, std::vector<TColor> colors = {}) {
        return MakePie(drawn.chart, drawn.owner, values, colors);
    }
    COLORREF Pixel(TPoint p) { return GetPixel(drawn.bitmap->Canvas()->Handle(), p.X, p.Y); }
    // A point inside slice `index`, `fraction` of the radius from the centre.
    static TPoint Inside(TPieSeries* pie, int index, double fraction) {
        return pie->AngleToPos(pie->Angles[index].MidAngle, pie->XRadius * fraction,
                               pie->YRadius * fraction);
    }

    BitmapChart drawn{400, 300};
};

TEST_F(PieTest, SlicesTakeTheirShareOfTheAngle) {
    struct Case {
        std::initializer_list<double> values;
        int angleSize;
        std::vector<double> starts, ends;  // in units of the full angle
    };
    const Case cases[] = {
        {{50, 30, 15, 3, 2}, 360, {0, .5, .8, .95, .98}, {.5, .8, .95, .98, 1}},
        {{1, 3}, 180, {0, .25}, {.25, 1}},
        {{-1, 3}, 360, {0, .25}, {.25, 1}},
        // All zero: the first slice is the whole pie, the later ones are empty at its end.
        {{0, 0, 0}, 360, {0, 1, 1}, {1, 1, 1}},
    };
    for (const Case& c : cases) {
        BitmapChart chart(400, 300);
        TPieSeries* pie = MakePie(chart.chart, chart.owner, c.values);
        pie->SetAngleSize(c.angleSize);
        chart.Render();
        const double full = c.angleSize * kPi / 180;
        ASSERT_EQ(pie->Angles.size(), c.ends.size());
        for (size_t i = 0; i < c.ends.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "angle size " << c.angleSize << ", slice " << i);
            EXPECT_NEAR(pie->Angles[i].StartAngle, c.starts[i] * full, 1e-9);
            EXPECT_NEAR(pie->Angles[i].EndAngle, c.ends[i] * full, 1e-9);
            EXPECT_NEAR(pie->Angles[i].MidAngle, (c.starts[i] + c.ends[i]) / 2 * full, 1e-9);
        }
    }
}

TEST_F(PieTest, SmallSlicesGroupIntoTheOtherSliceWhichIsNeverStreamed) {
    TPieSeries* pie = Pie({50, 30, 15, 3, 2});
    pie->OtherSlice()->SetStyle(poBelowPercent);
    pie->OtherSlice()->SetValue(5);
    drawn.Render();
    ASSERT_EQ(pie->Count(), 6);
    EXPECT_EQ(pie->YValues->GetValue(5), 5);
    EXPECT_EQ(pie->GetXLabel(5), "Other");
    EXPECT_TRUE(pie->BelongsToOtherSlice(3));
    EXPECT_TRUE(pie->BelongsToOtherSlice(4));
    EXPECT_EQ(pie->YValues->GetTotalABS(), 100);
    EXPECT_EQ(pie->CountLegendItems(), 4);
    EXPECT_EQ(pie->LegendToValueIndex(3), 5);
    EXPECT_EQ(pie->Angles[3].StartAngle, pie->Angles[3].EndAngle);
    EXPECT_NEAR(pie->Angles[5].StartAngle, 0.95 * 2 * kPi, 1e-9);
    EXPECT_NEAR(pie->Angles[5].EndAngle, 2 * kPi, 1e-9);

    drawn.Render();  // a second drawing replaces the other point instead of adding one
    EXPECT_EQ(pie->Count(), 6);

    TMemoryStream stream;
    pie->WriteData(&stream);
    EXPECT_EQ(pie->Count(), 5);
    int32_t written = 0;
    stream.SetPosition(1);
    stream.ReadBuffer(&written, sizeof written);
    EXPECT_EQ(written, 5);
}

TEST_F(PieTest, SlicesFillTheirAnglesAndANullSliceLeavesAGap) {
    TPieSeries* pie = Pie({1, 1, 1, 1}, {clRed, clNone, clBlue, clYellow});
    drawn.Render();
    EXPECT_EQ(Pixel(Inside(pie, 0, 0.5)), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(Inside(pie, 1, 0.5)), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(Inside(pie, 2, 0.5)), RGB(0, 0, 255));
    EXPECT_EQ(Pixel(Inside(pie, 3, 0.5)), RGB(255, 255, 0));
    // Slice 0 lies counter-clockwise from 3 o'clock: upper right of the centre.
    EXPECT_EQ(Pixel({pie->CircleXCenter + 10, pie->CircleYCenter - 10}), RGB(255, 0, 0));
}

TEST_F(PieTest, HalfPieRunsCounterClockwiseFromTheRotation) {
    TPieSeries* pie = Pie({1, 1}, {clRed, clBlue});
    pie->SetAngleSize(180);
    pie->SetRotationAngle(90);
    drawn.Render();
    const int cx = pie->CircleXCenter, cy = pie->CircleYCenter, r = pie->XRadius / 2;
    EXPECT_EQ(Pixel({cx - r, cy - r}), RGB(255, 0, 0));    // 90..180 degrees: upper left
    EXPECT_EQ(Pixel({cx - r, cy + r}), RGB(0, 0, 255));    // 180..270: lower left
    EXPECT_EQ(Pixel({cx + r, cy + r}), RGB(255, 255, 255));  // the right half stays empty
}

TEST_F(PieTest, AnExplodedSliceMovesOutAndThePieShrinksForIt) {
    TPieSeries* pie = Pie({1, 1, 1, 1}, {clRed, clGreen, clBlue, clYellow});
    drawn.Render();
    const int radius = pie->XRadius, yRadius = pie->YRadius;
    pie->ExplodedSlice.SetValue(0, 20);
    drawn.Render();
    const int dx0 = PlotRound(std::cos(kPi / 4) * radius * 20 / 100);
    const int dy0 = PlotRound(std::sin(kPi / 4) * 20 / 100 * yRadius);
    EXPECT_EQ(pie->XRadius, radius - dx0 / 2);
    EXPECT_EQ(pie->YRadius, yRadius - dy0 / 2);
    int dx, dy;
    pie->CalcExplodedOffset(0, dx, dy);
    EXPECT_EQ(dx, PlotRound(std::cos(kPi / 4) * pie->XRadius * 20 / 100));
    EXPECT_EQ(dy, PlotRound(std::sin(kPi / 4) * 20 / 100 * pie->YRadius));
    pie->CalcExplodedOffset(1, dx, dy);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 0);
    // Beyond the circle along the middle of slice 0 lies the moved slice; not so for slice 1.
    EXPECT_EQ(Pixel(Inside(pie, 0, 1.1)), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(Inside(pie, 1, 1.1)), RGB(255, 255, 255));
}

TEST_F(PieTest, ExplodeBiggestExplodesTheLargestSlice) {
    TPieSeries* pie = Pie({1, 5, 2});
    pie->SetExplodeBiggest(30);
    drawn.Render();
    EXPECT_EQ(pie->ExplodedSlice.Value(1), 30);
    EXPECT_EQ(pie->ExplodedSlice.Value(0), 0);
    EXPECT_TRUE(pie->IsExploded());
}

TEST_F(PieTest, MarksHangOffTheArrowEndOutsideTheSlice) {
    TPieSeries* pie = Pie({1, 1, 1, 1});
    pie->Marks()->SetVisible(true);
    pie->SetAutoMarkPosition(false);
    drawn.Render();
    const int length = pie->Marks()->GetCallout()->Length();
    const int distance = pie->Marks()->GetCallout()->Distance();
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const TSeriesMarkPosition* mark = pie->Marks()->Positions().Get(i);
        ASSERT_NE(mark, nullptr);
        const double mid = pie->Angles[i].MidAngle;
        const TPoint end = pie->AngleToPos(mid, pie->XRadius + length + distance,
                                           pie->YRadius + length + distance);
        EXPECT_EQ(mark->MarkPoint, end);
        EXPECT_EQ(mark->DataPoint,
                  pie->AngleToPos(mid, pie->XRadius + distance, pie->YRadius + distance));
        const bool right = end.X > pie->CircleXCenter, below = end.Y > pie->CircleYCenter;
        EXPECT_EQ(mark->BoxOrigin.X, right ? end.X : end.X - mark->BoxWidth);
        EXPECT_EQ(mark->BoxOrigin.Y, below ? end.Y : end.Y - mark->BoxHeight);
    }
}

TEST_F(PieTest, GroupedPointsGetNoMark) {
    TPieSeries* pie = Pie({50, 30, 15, 3, 2});
    pie->Marks()->SetVisible(true);
    pie->OtherSlice()->SetStyle(poBelowValue);
    pie->OtherSlice()->SetValue(10);
    drawn.Render();
    EXPECT_NE(pie->Marks()->Positions().Get(0), nullptr);
    EXPECT_EQ(pie->Marks()->Positions().Get(3), nullptr);
    EXPECT_EQ(pie->Marks()->Positions().Get(4), nullptr);
    EXPECT_NE(pie->Marks()->Positions().Get(5), nullptr);
}

TEST_F(PieTest, DarkPenDarkensTheSliceColourWithinTheChannelRange) {
    const TColor color = RGB(0xFF, 0xC0, 0x80);
    TPieSeries* pie = Pie({1}, {color});
    pie->PiePen()->SetColor(clBlack);
    struct Case {
        int darkPen;
        TColor expected;
    };
    const Case cases[] = {
        {0, clBlack},                      // off: the pie pen
        {-5, clBlack},                     // off
        {32, RGB(0xFF - 223, 0, 0)},       // each channel loses 255 - 32
        {200, RGB(0xFF - 55, 0xC0 - 55, 0x80 - 55)},
        {255, color},                      // nothing lost
        {300, color},                      // above the range: as 255
    };
    // The pen is taken while the chart's canvas draws.
    std::vector<TColor> pens;
    drawn.chart->OnAfterDraw = [&](TObject*) {
        for (const Case& c : cases) {
            pie->SetDarkPen(c.darkPen);
            pie->PreparePiePen(0);
            pens.push_back(drawn.chart->InternalCanvas->Pen()->Color());
        }
    };
    drawn.Render();
    ASSERT_EQ(pens.size(), std::size(cases));
    for (size_t i = 0; i < pens.size(); ++i) EXPECT_EQ(pens[i], cases[i].expected) << cases[i].darkPen;
}

TEST_F(PieTest, ThreePiesShareThePlotAreaInTwoColumnsAndTwoRows) {
    TPieSeries* pies[] = {Pie({1, 2}), Pie({1, 2}), Pie({1, 2})};
    drawn.Render();
    const TRect plot = drawn.chart->ChartRect;  // restored after each pie
    const int midX = (plot.Left + plot.Right) / 2, midY = (plot.Top + plot.Bottom) / 2;
    EXPECT_LT(pies[0]->CircleXCenter, midX);
    EXPECT_LT(pies[0]->CircleYCenter, midY);
    EXPECT_GT(pies[1]->CircleXCenter, midX);
    EXPECT_LT(pies[1]->CircleYCenter, midY);
    EXPECT_LT(pies[2]->CircleXCenter, midX);  // the lower left cell
    EXPECT_GT(pies[2]->CircleYCenter, midY);
    pies[1]->SetMultiPie(mpDisabled);
    drawn.Render();
    EXPECT_EQ(pies[1]->CircleXCenter, midX);
}

TEST_F(PieTest, AnActivePieOwnsTheChart3DView) {
    TView3DOptions* view = drawn.chart->View3DOptions();
    view->SetOrthogonal(true);
    view->SetRotation(345);
    view->SetElevation(340);
    TPieSeries* pie = Pie({1, 2});
    EXPECT_FALSE(view->Orthogonal());
    EXPECT_EQ(view->Rotation(), 360);
    EXPECT_EQ(view->Elevation(), 315);
    pie->SetActive(false);
    EXPECT_TRUE(view->Orthogonal());
    EXPECT_EQ(view->Rotation(), 345);
    pie->SetActive(true);
    EXPECT_EQ(view->Elevation(), 315);
    TObject::Free(pie);
    EXPECT_EQ(view->Elevation(), 340);
    EXPECT_TRUE(view->Orthogonal());
}

// Clicks through the window of a chart shown on a form.
class PieClickTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        form = new TForm(owner);
        form->SetBounds(20, 20, 520, 420);
        chart = new TChart(owner);
        chart->SetParent(form);
        chart->SetBounds(0, 0, 500, 380);
        chart->SetView3D(false);
        chart->Legend()->SetVisible(false);
        chart->OnClickSeries = [this](TCustomChart*, TChartSeries*, int index, TMouseButton,
                                      TShiftState, int, int) { clicked.push_back(index); };
        pie = MakePie(chart, owner, {1, 1, 1, 1});
        form->Show();
    }
    void TearDown() override { TObject::Free(owner); }
    void Paint() {
        chart->Invalidate();
        Application->ProcessMessages();
        UpdateWindow(chart->Handle());
    }
    // The index the chart reports for a click at the point, -1 for none.
    int ClickAt(TPoint p) {
        clicked.clear();
        SendMessageA(chart->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
        SendMessageA(chart->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
        return clicked.empty() ? -1 : clicked.back();
    }
    TPoint At(int index, double fraction) {
        return pie->AngleToPos(pie->Angles[index].MidAngle, pie->XRadius * fraction,
                               pie->YRadius * fraction);
    }

    TComponent* owner = new TComponent(nullptr);
    TForm* form = nullptr;
    TChart* chart = nullptr;
    TPieSeries* pie = nullptr;
    std::vector<int> clicked;
};

TEST_F(PieClickTest, ClicksHitTheSliceUnderThePointer) {
    Paint();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ClickAt(At(i, 0.5)), i);
        EXPECT_EQ(ClickAt(At(i, 0.95)), i);
    }
    // Inside the circle's bounding box but outside the ellipse: nothing.
    EXPECT_EQ(ClickAt(At(0, 1.2)), -1);
    EXPECT_EQ(ClickAt({pie->CircleRect.Right - 2, pie->CircleRect.Top + 2}), -1);
}

TEST_F(PieClickTest, AnExplodedSliceIsHitWhereItWasMoved) {
    pie->ExplodedSlice.SetValue(0, 30);
    Paint();
    EXPECT_EQ(ClickAt(At(0, 1.2)), 0);  // beyond the circle, inside the moved slice
    EXPECT_EQ(ClickAt(At(1, 1.2)), -1);
    EXPECT_EQ(ClickAt(At(1, 0.5)), 1);
    EXPECT_EQ(ClickAt({pie->CircleXCenter + 1, pie->CircleYCenter - 1}), -1);  // the gap it left
}

TEST_F(PieClickTest, TheHoleOfADonutIsNoSlice) {
    pie->SetDonutPercent(50);
    Paint();
    EXPECT_EQ(ClickAt(At(2, 0.25)), -1);
    EXPECT_EQ(ClickAt(At(2, 0.75)), 2);
}

}  // namespace

namespace {

TEST_F(PieTest, ThreeDPiesDrawSortedSlicesAndTheOtherLegend) {
    drawn.chart->SetView3D(true);
    TPieSeries* pie = Pie({50, 30, 15, 3, 2}, {clRed, clGreen, clBlue, clYellow, clAqua});
    pie->ExplodedSlice.SetValue(1, 25);
    pie->SetDonutPercent(30);
    pie->OtherSlice()->SetStyle(poBelowPercent);
    pie->OtherSlice()->SetValue(5);
    TChartLegend* legend = pie->OtherSlice()->Legend();
    ASSERT_NE(legend, nullptr);
    legend->SetVisible(true);
    drawn.Render();
    EXPECT_EQ(legend->ItemCount, 2);  // the two grouped points
    EXPECT_EQ(pie->CountLegendItems(), 4);
    // Something of the pie covers its centre region's ring.
    const TPoint ring = Inside(pie, 0, 0.8);
    const TPoint onScreen = drawn.chart->InternalCanvas->Calculate3DPosition(ring.X, ring.Y, pie->EndZ);
    EXPECT_NE(Pixel(onScreen), RGB(255, 255, 255));
}

}  // namespace

namespace {

TEST(PieStreamTest, SettingsAndPointsComeBackWithoutTheOtherPoint) {
    RegisterClass(TPieSeries::StaticClass());
    TComponent* owner = new TComponent(nullptr);
    TComponent* copyOwner = new TComponent(nullptr);
    auto* chart = new TChart(owner);
    chart->SetName("Chart1");
    auto* pie = new TPieSeries(owner);
    pie->SetName("Pie1");
    chart->AddSeries(pie);
    pie->AlwaysStoreData = true;
    for (double v : {50, 30, 15, 3, 2}) pie->Add(v);
    pie->SetAngleSize(180);
    pie->SetRotationAngle(400);
    pie->SetDarkPen(40);
    pie->SetMultiPie(mpDisabled);
    pie->SetCircled(true);
    pie->Shadow()->SetSize(6);
    pie->OtherSlice()->SetStyle(poBelowValue);
    pie->OtherSlice()->SetValue(4);
    pie->OtherSlice()->SetText("Rest");
    chart->Draw(FilledBitmap(300, 200, clWhite)->Canvas(), Rect(0, 0, 300, 200));
    ASSERT_EQ(pie->Count(), 6);  // the other point exists after drawing

    TMemoryStream stream;
    WriteComponentToStream(&stream, chart);
    stream.SetPosition(0);
    auto* copy = new TChart(copyOwner);
    copy->SetName("Chart1");
    ReadComponentFromStream(&stream, copy, copyOwner);
    ASSERT_EQ(copy->SeriesCount(), 1);
    auto* read = CheckedCast<TPieSeries>(copy->GetSeries(0));
    EXPECT_EQ(read->Count(), 5);
    EXPECT_EQ(read->YValues->GetValue(4), 2);
    EXPECT_EQ(read->AngleSize(), 180);
    EXPECT_EQ(read->RotationAngle(), 40);
    EXPECT_EQ(read->DarkPen(), 40);
    EXPECT_EQ(read->MultiPie(), mpDisabled);
    EXPECT_TRUE(read->Circled());
    EXPECT_EQ(read->Shadow()->HorizSize(), 6);
    EXPECT_EQ(read->OtherSlice()->Style(), poBelowValue);
    EXPECT_EQ(read->OtherSlice()->Value(), 4);
    EXPECT_STREQ(read->OtherSlice()->Text().c_str(), "Rest");
    EXPECT_TRUE(read->ColorEachPoint());
    TObject::Free(copyOwner);
    TObject::Free(owner);
}

}  // namespace

namespace {

TEST_F(PieTest, ASliceTooThinToMoveTheEndPointIsNotDrawn) {
    // Drawn, its equal start and end points would make GDI paint the whole ellipse green.
    TPieSeries* pie = Pie({1, 1e-6, 1}, {clRed, clGreen, clBlue});
    drawn.Render();
    EXPECT_EQ(Pixel(Inside(pie, 0, 0.5)), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(Inside(pie, 2, 0.5)), RGB(0, 0, 255));
    BitmapChart single(400, 300);
    TPieSeries* only = MakePie(single.chart, single.owner, {1e-6}, {clGreen});
    single.Render();
    EXPECT_EQ(GetPixel(single.bitmap->Canvas()->Handle(), only->CircleXCenter + 20,
                       only->CircleYCenter + 20),
              RGB(0, 128, 0));
}

TEST_F(PieTest, SubGalleryStylesSetTheirOption) {
    TPieSeries* pie = Pie({1, 2, 3});
    std::vector<AnsiString> names;
    pie->CreateSubGallery([&](const AnsiString& name) { names.push_back(name); });
    ASSERT_EQ(names.size(), 8u);
    EXPECT_STREQ(names[0].c_str(), "Normal");
    EXPECT_STREQ(names[5].c_str(), "Semi Pie");
    pie->SetSubGallery(2);
    EXPECT_EQ(pie->ExplodeBiggest(), 30);
    pie->SetSubGallery(4);
    ASSERT_EQ(pie->Count(), 2);
    EXPECT_STREQ(pie->GetXLabel(1).c_str(), "B");
    pie->SetSubGallery(7);
    EXPECT_EQ(pie->DarkPen(), 32);
}

TEST_F(PieTest, GalleryIn3DKeepsRotationOffAndCirclesOnlyIn2D) {
    TPieSeries* pie = Pie({1, 2, 3});
    for (bool view3D : {true, false}) {
        SCOPED_TRACE(view3D);
        pie->GalleryChanged3D(view3D);
        TView3DOptions* view = pie->ParentChart()->View3DOptions();
        EXPECT_EQ(pie->ParentChart()->View3D(), view3D);
        EXPECT_FALSE(view->Orthogonal());
        EXPECT_EQ(view->Rotation(), 0);
        EXPECT_EQ(view->Elevation(), 305);
        EXPECT_EQ(pie->Circled(), !view3D);
    }
}

}  // namespace

namespace {

TEST_F(PieTest, ThreeDClicksHitTheSliceDrawnThere) {
    drawn.chart->SetView3D(true);
    const TColor colors[] = {clRed, clGreen, clBlue, clYellow};
    TPieSeries* pie = Pie({1, 1, 1, 1}, {colors[0], colors[1], colors[2], colors[3]});
    drawn.Render();
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const TPoint p = Inside(pie, i, 0.5);
        const TPoint onScreen = drawn.chart->InternalCanvas->Calculate3DPosition(p.X, p.Y, pie->EndZ);
        EXPECT_EQ(Pixel(onScreen), static_cast<COLORREF>(colors[i]));
        EXPECT_EQ(pie->Clicked(onScreen.X, onScreen.Y), i);
    }
}

}  // namespace

namespace {

TEST_F(PieTest, RadiiFollowTheCircledAndCustomSettings) {
    TPieSeries* pie = Pie({1, 2});
    drawn.Render();
    EXPECT_GT(pie->XRadius, pie->YRadius + 20);  // a 400 x 300 chart gives an ellipse
    pie->SetCircled(true);
    drawn.Render();
    EXPECT_LE(std::abs(pie->XRadius - pie->YRadius), 1);  // square pixels on this display
    pie->SetCustomXRadius(50);
    pie->SetCustomYRadius(30);
    drawn.Render();
    EXPECT_EQ(pie->XRadius, 50);
    EXPECT_EQ(pie->YRadius, 30);
    EXPECT_EQ(pie->CircleRect.Right - pie->CircleRect.Left, 100);
    TPieSeries* second = Pie({3});
    pie->SetCircled(false);  // shared with the other pie, and the custom radii go
    pie->SetCircled(true);
    EXPECT_TRUE(second->Circled());
    EXPECT_EQ(pie->CustomXRadius(), 0);
    pie->SetCustomXRadius(40);
    EXPECT_EQ(second->CustomXRadius(), 40);
}

}  // namespace

namespace {

TEST_F(PieTest, CircleGradientStaysInsideTheEllipse) {
    TPieSeries* pie = Pie({1}, {clWhite});
    pie->PiePen()->SetVisible(false);
    pie->Gradient()->SetStartColor(clBlue);
    pie->Gradient()->SetEndColor(clBlue);
    pie->Gradient()->SetDirection(gdTopBottom);
    drawn.chart->OnAfterDraw = [&](TObject*) { pie->DrawCircleGradient(); };
    drawn.Render();
    EXPECT_EQ(Pixel({pie->CircleXCenter, pie->CircleYCenter}), RGB(0, 0, 255));
    EXPECT_EQ(Pixel({pie->CircleRect.Left + 3, pie->CircleRect.Top + 3}), RGB(255, 255, 255));
}

}  // namespace

namespace {

TEST(PieRegistryTest, StandardSeriesListThePieAfterThePoint) {
    EnsureRegistries();
    RegisterPlotStandardSeries();
    std::vector<AnsiString> order;
    for (int i = 0; i < PlotSeriesTypes->Count(); ++i)
        order.push_back(PlotSeriesTypes->Get(i)->SeriesClass->ClassName());
    auto at = [&](const char* name) { return std::find(order.begin(), order.end(), name) - order.begin(); };
    EXPECT_LT(at("TLineSeries"), at("TBarSeries"));
    EXPECT_LT(at("TBarSeries"), at("THorizBarSeries"));
    EXPECT_LT(at("TPointSeries"), at("TPieSeries"));
    EXPECT_LT(at("TPieSeries"), at("TFastLineSeries"));
    const TPlotSeriesType* pie = PlotSeriesTypes->Find(TPieSeries::StaticClass());
    ASSERT_NE(pie, nullptr);
    EXPECT_STREQ(pie->Description->c_str(), "Pie");
    EXPECT_EQ(pie->NumGallerySeries, 1);
}

}  // namespace
