// The test chart of the main window: the feeding of a device record into its series (units,
// left-axis maximum, title, motion points, zoom scales of an earlier test), the overlays drawn
// after each paint (action level, summary row, motion markers, an unknown interval), the legend
// click of a 6915, Copy Chart and the chart printed into a rectangle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "Chart.h"
#include "LineSeries.h"
#include "PlotCanvas3D.h"
#include "Preferences.h"
#include "Radon.h"
#include "RadonMainForm.h"
#include "UiPageControl.h"
#include "cl_datetime.h"
#include "monitor_simulator.h"
#include "test_pump.h"

namespace {

// The chart's own canvas, recording the texts and lines drawn on it.
class RecordingPlotCanvas : public TPlotCanvas3D {
public:
    struct Text {
        std::string text;
        int x, y;
    };
    struct Segment {
        int x0, y0, x1, y1;
        TColor color;
        int width;
    };
    void TextOut(int x, int y, const AnsiString& text) override {
        texts.push_back({text.c_str(), x, y});
        TPlotCanvas3D::TextOut(x, y, text);
    }
    void Line(int x0, int y0, int x1, int y1) override {
        lines.push_back({x0, y0, x1, y1, Pen()->Color(), Pen()->Width()});
        TPlotCanvas3D::Line(x0, y0, x1, y1);
    }
    const Text* FindExactText(const std::string& text) const {
        for (const Text& t : texts)
            if (t.text == text) return &t;
        return nullptr;
    }
    const Text* FindText(const std::string& prefix) const {
        for (const Text& t : texts)
            if (t.text.compare(0, prefix.size(), prefix) == 0) return &t;
        return nullptr;
    }
    std::vector<Segment> LinesOf(TColor color, int width) const {
        std::vector<Segment> found;
        for (const Segment& s : lines)
            if (s.color == color && s.width == width) found.push_back(s);
        return found;
    }

    std::vector<Text> texts;
    std::vector<Segment> lines;
};

const double Start = EncodeDate(2026, 12, 1);

class TestChart : public ::testing::Test {
protected:
    void SetUp() override {
        form = RadonMainForm;
        chart = form->RadonChart;
        canvas = new RecordingPlotCanvas;
        chart->SetInternalCanvas(canvas);
        frmPreferences->ActionLevel = 4.0;
        frmPreferences->DisplayDataOnChart = true;
        form->ActionLevelSeries->SetActive(true);
        form->UiPageControl1->SetActivePage(form->ChartSheet);
        Boxes().clear();
    }
    void TearDown() override { form->UiPageControl1->SetActivePage(form->InspectionSheet); }

    // A record of `n` records (reading 0 included) with `counts0` and `counts1` in each reading.
    void Load(const char* model, int n, float cf, uint32_t units, double hours, int counts0,
              int counts1 = 0) {
        TRadon& r = *Monitor;
        r.ModelNumber = model;
        r.SerialNumber = "SN00042";
        r.NumMeasurements = static_cast<uint16_t>(n);
        r.CF1 = r.CF2 = cf;
        r.UnitsIndex = units;
        r.IntervalIndex = hours == 2 ? 1 : 0;
        r.StartTime = Start;
        for (int i = 0; i < n; ++i) {
            r.Measurements[i] = TMeasurement{};
            r.Measurements[i].Alpha0Counts = static_cast<uint16_t>(counts0);
            r.Measurements[i].Alpha1Counts = static_cast<uint16_t>(counts1);
            r.Measurements[i].Temperature = 20;
            r.Measurements[i].Pressure = 30;
            r.Measurements[i].Humidity = 40;
        }
        form->IntervalHours = hours;
        form->MotionDetected = false;
        form->ShowSensorSeries(std::string(model) == "6916");
    }
    void Feed(bool retrievalView = true) {
        form->FeedChart(retrievalView);
        form->TestShown = true;
    }
    void Paint() {
        canvas->texts.clear();
        canvas->lines.clear();
        chart->Invalidate();
        Application->ProcessMessages();
        UpdateWindow(chart->Handle());
    }
    int ActionRow() { return chart->LeftAxis->CalcPosValue(frmPreferences->ActionLevel); }
    // The red line of width 3 across the chart rectangle, or null.
    bool ActionLineDrawn() {
        for (const auto& s : canvas->LinesOf(clRed, 3))
            if (s.x0 == chart->ChartRect.Left && s.x1 == chart->ChartRect.Right &&
                s.y0 == ActionRow() && s.y1 == ActionRow())
                return true;
        return false;
    }

    TRadonMainForm* form = nullptr;
    TChart* chart = nullptr;
    RecordingPlotCanvas* canvas = nullptr;
};

TEST_F(TestChart, ConcentrationsAndTitlesFollowTheUnitTable) {
    struct Case {
        const char* model;
        uint32_t units;
        int counts0, counts1;
        double hours, expected;
        const char* title;
    } cases[] = {
        {"6915", 1, 10, 0, 1, 4.0, "Radon pCi/l"},
        {"6915", 0, 10, 0, 1, 148.0, "Radon Bq/m3"},
        {"6916", 1, 10, 30, 2, 4.0, "Radon pCi/l"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " units " + std::to_string(c.units));
        Load(c.model, 49, 2.5f, c.units, c.hours, c.counts0, c.counts1);
        Feed();
        ASSERT_EQ(form->RadonSeries->Count(), 48);
        for (int i = 0; i < 48; ++i) EXPECT_NEAR(form->RadonSeries->GetyValue(i), c.expected, 1e-6);
        EXPECT_NEAR(form->RadonSeries->GetxValue(0), Start + c.hours * OneHour, 1e-9);
        EXPECT_NEAR(form->RadonSeries->GetxValue(47), Start + 48 * c.hours * OneHour, 1e-9);
        EXPECT_EQ(form->RadonSeries->Title(), c.title);
    }
}

TEST_F(TestChart, SensorSeriesOfA6916InBothUnits) {
    struct Case {
        uint32_t units;
        double temperature, pressure;
        const char *temperatureTitle, *pressureTitle;
    } cases[] = {{1, 68, 30, "Temp F", "Press inHg"}, {0, 20, 101.55, "Temp C", "Press kPa"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.units);
        Load("6916", 5, 2.5f, c.units, 1, 10, 10);
        Feed();
        ASSERT_EQ(form->TemperatureSeries->Count(), 4);
        EXPECT_NEAR(form->TemperatureSeries->GetyValue(3), c.temperature, 1e-4);
        EXPECT_NEAR(form->PressureSeries->GetyValue(3), c.pressure, 1e-4);
        EXPECT_NEAR(form->HumiditySeries->GetyValue(3), 40, 1e-9);
        EXPECT_EQ(form->TemperatureSeries->Title(), c.temperatureTitle);
        EXPECT_EQ(form->PressureSeries->Title(), c.pressureTitle);
        EXPECT_EQ(form->HumiditySeries->Title(), "Rel % Humidity");
        EXPECT_NEAR(form->AvgTemperature, c.temperature, 1e-4);
    }
    // A loaded test keeps the sensor averages; a 6915 feeds no sensor points.
    form->AvgTemperature = -1;
    Load("6915", 5, 2.5f, 1, 1, 10);
    Feed(false);
    EXPECT_EQ(form->AvgTemperature, -1);
    EXPECT_EQ(form->TemperatureSeries->Count(), 0);
    EXPECT_FALSE(form->TemperatureSeries->Active());
}

TEST_F(TestChart, LeftAxisMaximumFromPeakAndActionLevel) {
    struct Case {
        int n, counts;
        uint32_t units;
        double expected;
    } cases[] = {
        {10, 3, 1, 5.0},     // 3.0 × 1.05 below the action level 4.0: action level + 1
        {10, 10, 1, 10.5},   // peak 10.0 × 1.05
        {1, 10, 1, 5.0},     // no readings
        {10, 4, 0, 155.4},   // 4.0 pCi/l = 148 Bq/m3, × 1.05
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        Load("6915", c.n, 1.0f, c.units, 1, c.counts);
        Feed();
        EXPECT_FALSE(chart->LeftAxis->Automatic());
        EXPECT_FALSE(chart->LeftAxis->AutomaticMaximum());
        EXPECT_NEAR(chart->LeftAxis->Maximum(), c.expected, 1e-9);
    }
}

TEST_F(TestChart, TitleNamesTheModelAndSerialNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"6916", "Continuous Radon Monitor Model 6916 S/N: SN00042"},
        {"6915", "Continuous Radon Monitor Model 6915 S/N: SN00042"},
        {"7000", "Continuous Radon Monitor Model 6915 S/N: SN00042"}};
    for (const auto& [model, title] : cases) {
        Load(model, 3, 2.5f, 1, 1, 10, 10);
        Feed();
        ASSERT_EQ(chart->Title()->Text()->Count(), 1);
        EXPECT_EQ(chart->Title()->Text()->Strings(0), title);
    }
}

TEST_F(TestChart, ReadingsWithMotionBecomePointsAndMarkerLines) {
    Load("6915", 10, 2.5f, 1, 2, 10);
    Monitor->Measurements[3].Flags = 0x10;
    Monitor->Measurements[7].Flags = 0x01;
    Feed();
    EXPECT_TRUE(form->MotionDetected);
    ASSERT_EQ(form->MotionErrorSeries->Count(), 2);
    EXPECT_NEAR(form->MotionErrorSeries->GetxValue(0), Start + 3 * 2 * OneHour, 1e-9);
    EXPECT_NEAR(form->MotionErrorSeries->GetxValue(1), Start + 7 * 2 * OneHour, 1e-9);
    EXPECT_EQ(form->MotionErrorSeries->GetyValue(0), 15.0);

    Paint();
    const auto markers = canvas->LinesOf(clMaroon, 1);
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(markers[0].x0, chart->BottomAxis->CalcPosValue(Start + 6 * OneHour));
    EXPECT_EQ(markers[0].y0, chart->ChartRect.Top);
    EXPECT_EQ(markers[0].y1, chart->ChartRect.Bottom);
}

TEST_F(TestChart, ANewFeedForgetsTheZoomOfTheEarlierTest) {
    Load("6915", 10, 1.0f, 1, 1, 20);
    Feed();
    Paint();
    chart->ZoomPercent(150);
    ASSERT_TRUE(chart->ScalesSaved);
    Load("6915", 10, 1.0f, 1, 1, 3);
    Feed();
    EXPECT_FALSE(chart->ScalesSaved);
    EXPECT_EQ(chart->LeftAxis->Minimum(), 0);
    EXPECT_NEAR(chart->LeftAxis->Maximum(), 5.0, 1e-9);
    EXPECT_TRUE(chart->BottomAxis->Automatic());
    chart->UndoZoom();
    EXPECT_NEAR(chart->LeftAxis->Maximum(), 5.0, 1e-9);
}

TEST_F(TestChart, ActionLevelLineAndItsLabel) {
    Load("6915", 10, 1.0f, 1, 1, 3);
    Feed();
    Paint();
    const int y = ActionRow();
    ASSERT_GE(y, chart->ChartRect.Top);
    ASSERT_LE(y, chart->ChartRect.Bottom);
    EXPECT_TRUE(ActionLineDrawn());
    const auto* action = canvas->FindExactText("Action");
    const auto* level = canvas->FindExactText("Level");
    ASSERT_TRUE(action && level);
    EXPECT_EQ(action->x, chart->ChartRect.Left - 52);
    EXPECT_EQ(action->y, y - 8);
    EXPECT_EQ(level->x, chart->ChartRect.Left - 52);
    EXPECT_EQ(level->y, y + 2);

    form->ActionLevelSeries->SetActive(false);
    Paint();
    EXPECT_TRUE(canvas->LinesOf(clRed, 3).empty());
    EXPECT_FALSE(canvas->FindExactText("Action"));
    form->ActionLevelSeries->SetActive(true);

    chart->LeftAxis->SetMaximum(3.0);  // the action level above the axis
    Paint();
    EXPECT_TRUE(canvas->LinesOf(clRed, 3).empty());
    EXPECT_FALSE(canvas->FindExactText("Level"));
}

TEST_F(TestChart, SummaryRowAboveTheLegend) {
    Load("6916", 10, 1.0f, 1, 1, 3, 3);
    Feed();
    form->OverallAverage = 3.04;
    Paint();
    TChartLegend* legend = chart->Legend();
    const int width = legend->GetWidth();
    const int x = legend->GetLeft() + 4, y = legend->GetTop() - legend->GetHeight() + 4;
    const std::vector<std::pair<std::string, int>> expected = {
        {"Overall Avg: ", x},
        {"No Motion Detected", x + width / 6},
        {"Avg Temp: ", x + width / 6 + 2 * (width / 6)},
        {"Avg Press: ", x + 2 * (width / 6) + 2 * (width / 6)},
        {"Avg Humd: ", x + 3 * (width / 6) + 2 * (width / 6)}};
    for (const auto& [prefix, left] : expected) {
        const auto* text = canvas->FindText(prefix);
        ASSERT_TRUE(text) << prefix;
        EXPECT_EQ(text->x, left) << prefix;
        EXPECT_EQ(text->y, y) << prefix;
    }
    EXPECT_EQ(canvas->FindText("Overall Avg: ")->text.substr(13, 1), "3");
    EXPECT_EQ(canvas->FindText("Avg Temp: ")->text.substr(10), "68 F");

    Load("6915", 10, 1.0f, 1, 1, 3);
    Monitor->Measurements[2].Flags = 0x10;
    Feed();
    Paint();
    // The legend of a 6915 holds fewer entries: its place and width are its own.
    ASSERT_TRUE(canvas->FindText("Motion Detected"));
    EXPECT_EQ(canvas->FindText("Motion Detected")->x,
              legend->GetLeft() + 4 + legend->GetWidth() / 3);
    EXPECT_FALSE(canvas->FindText("Avg Temp: "));

    frmPreferences->DisplayDataOnChart = false;
    Paint();
    EXPECT_FALSE(canvas->FindText("Overall Avg: "));
    EXPECT_TRUE(ActionLineDrawn());
    EXPECT_EQ(canvas->LinesOf(clMaroon, 1).size(), 1u);
}

TEST_F(TestChart, AnUnknownIntervalDrawsNoMarkersAndRaisesNothing) {
    Load("6915", 10, 1.0f, 1, 1, 3);
    Monitor->Measurements[2].Flags = 0x10;
    Feed();
    Monitor->IntervalIndex = 99;
    Paint();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(canvas->LinesOf(clMaroon, 1).empty());
    EXPECT_TRUE(ActionLineDrawn());
    EXPECT_TRUE(canvas->FindText("Overall Avg: "));
}

TEST_F(TestChart, NoTestDrawsNoActionLevelNorSummary) {
    Load("6915", 10, 1.0f, 1, 1, 3);
    Feed();
    Monitor->CF1 = 0;
    Paint();
    EXPECT_FALSE(ActionLineDrawn());
    EXPECT_FALSE(canvas->FindText("Overall Avg: "));
}

TEST_F(TestChart, LegendClickOfA6915HidesTheSensorSeries) {
    const AnsiString model = frmPreferences->ModelNumber;
    frmPreferences->ModelNumber = "6915";
    form->ShowSensorSeries(true);
    form->RadonChartClickLegend(chart, mbLeft, {}, 0, 0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "This feature is available only for Model 6916.");
    EXPECT_EQ(Boxes()[0].caption, "Message");
    for (TLineSeries* s : {form->TemperatureSeries, form->HumiditySeries, form->PressureSeries}) {
        EXPECT_FALSE(s->Active());
        EXPECT_FALSE(s->ShowInLegend());
    }
    form->RadonChartClickLegend(chart, mbLeft, {}, 0, 0);  // nothing left to hide
    EXPECT_EQ(Boxes().size(), 1u);

    frmPreferences->ModelNumber = "6916";
    form->ShowSensorSeries(true);
    form->RadonChartClickLegend(chart, mbLeft, {}, 0, 0);
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(form->TemperatureSeries->Active());
    frmPreferences->ModelNumber = model;
}

TEST_F(TestChart, CopyChartPutsABitmapOnTheClipboardAndTheReportGetsTheChart) {
    Load("6915", 10, 1.0f, 1, 1, 3);
    Feed();
    form->submnuCopyChartClick(nullptr);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    CloseClipboard();

    TBitmap page;
    page.SetSize(1000, 700);
    page.Canvas()->Brush()->SetColor(clWhite);
    page.Canvas()->FillRect(TRect(0, 0, 1000, 700));
    canvas->texts.clear();
    form->PrintChart(page.Canvas(), TRect(100, 100, 900, 600));
    EXPECT_TRUE(canvas->FindExactText("Action"));  // the overlays come along
    int inked = 0, outside = 0;
    for (int y = 0; y < 700; y += 5)
        for (int x = 0; x < 1000; x += 5) {
            const bool dark = (GetPixel(page.Canvas()->Handle(), x, y) & 0xFFFFFF) != 0xFFFFFF;
            const bool inside = x >= 100 && x < 900 && y >= 100 && y < 600;
            (inside ? inked : outside) += dark;
        }
    EXPECT_GT(inked, 100);
    EXPECT_EQ(outside, 0);
}

// Saves the window as it is on screen as a bitmap file.
void SaveWindowPicture(HWND window, const char* fileName) {
    RECT r;
    GetWindowRect(window, &r);
    TBitmap picture;
    picture.SetSize(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(picture.Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left,
           r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    picture.SaveToFile(fileName);
}

// A 6916 test retrieved from the simulator on COM6 fills the chart; with CHART_SHEET_PICTURE
// set, the main window showing the Chart sheet is saved there as a bitmap.
TEST_F(TestChart, ARetrievalFromTheMonitorFeedsTheChart) {
    testsupport::SimMonitor config;
    testsupport::FillTest(config, 25);
    testsupport::MonitorSimulator sim(6, config);
    sim.Start();
    if (!form->ButtonRetrive->OnClick)
        form->ButtonRetrive->OnClick = Bind(form, &TRadonMainForm::ButtonRetriveClick);
    form->TestShown = false;
    PostClick(form->ButtonRetrive->WindowHandle());
    ASSERT_TRUE(PumpUntil([&] { return form->TestShown; }, 60000));
    Application->ProcessMessages();

    EXPECT_EQ(form->RadonSeries->Count(), 24);
    EXPECT_EQ(form->TemperatureSeries->Count(), 24);
    EXPECT_TRUE(form->TemperatureSeries->Active());
    int flagged = 0;
    for (int k = 1; k < 25; ++k) flagged += config.records[k].flags != 0;
    ASSERT_GT(flagged, 0);
    EXPECT_EQ(form->MotionErrorSeries->Count(), flagged);
    const auto& r = config.records[1];
    EXPECT_NEAR(form->RadonSeries->GetyValue(0), (r.alpha0 / config.cf1 + r.alpha1 / config.cf2) / 2,
                1e-3);
    Paint();
    EXPECT_EQ(canvas->LinesOf(clMaroon, 1).size(), static_cast<size_t>(flagged));
    EXPECT_TRUE(canvas->FindText("Avg Humd: "));
    if (const char* picture = std::getenv("CHART_SHEET_PICTURE"))
        SaveWindowPicture(form->Handle(), picture);
}

}  // namespace
