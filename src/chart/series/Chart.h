// The chart component: the axis panel with titles, legend and walls filled into its drawing
// steps, mouse zoom and scrolling, click dispatch to the chart's parts and their events.
#pragma once

#include <functional>
#include <vector>

#include "ChartLegend.h"
#include "ChartTitles.h"
#include "PlotAxisPanel.h"

class TCustomChart;

enum TChartClickedPartStyle {
    cpNone,
    cpLegend,
    cpAxis,
    cpSeries,
    cpTitle,
    cpFoot,
    cpChartRect,
    cpSeriesMarks,
    cpSubTitle,
    cpSubFoot
};

struct TChartClickedPart {
    TChartClickedPartStyle Part = cpNone;
    int PointIndex = -1;
    TChartSeries* Series = nullptr;
    TChartAxis* Axis = nullptr;
};

struct TAxisSavedScales {
    bool Automatic = false;
    bool AutomaticMinimum = false;
    bool AutomaticMaximum = false;
    double Minimum = 0;
    double Maximum = 0;
};
using TAllAxisSavedScales = std::vector<TAxisSavedScales>;

using TChartAllowScrollEvent =
    std::function<void(TChartAxis* sender, double& min, double& max, bool& allowScroll)>;
using TChartClickAxis = std::function<void(TCustomChart* sender, TChartAxis* axis,
                                           TMouseButton button, TShiftState shift, int x, int y)>;
using TChartClick =
    std::function<void(TCustomChart* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TChartClickSeries =
    std::function<void(TCustomChart* sender, TChartSeries* series, int valueIndex,
                       TMouseButton button, TShiftState shift, int x, int y)>;
using TChartClickTitle = std::function<void(TCustomChart* sender, TChartTitle* title,
                                            TMouseButton button, TShiftState shift, int x, int y)>;
using TOnGetLegendPos =
    std::function<void(TCustomChart* sender, int index, int& x, int& y, int& xColor)>;
using TOnGetLegendRect = std::function<void(TCustomChart* sender, TRect& rect)>;
using TOnGetLegendText = std::function<void(TCustomAxisPanel* sender, TLegendStyle legendStyle,
                                            int index, AnsiString& legendText)>;

extern int PlotTitleFootDistance;
extern TShiftState PlotScrollKeyShift;
extern bool PlotUseMouseWheel;
extern double AnimatedZoomFactor;
extern std::function<void(TCustomChart* chart)> PlotNewChartHook;
extern std::function<void(TCustomChart* chart)> PlotThemeSelectorHook;

class TCustomChart : public TCustomAxisPanel {
    CL_CLASS(TCustomChart, TCustomAxisPanel)

    explicit TCustomChart(TComponent* owner);
    void Assign(TPersistent* source) override;
    // "BackColor" of older files (read only) and "ColorPaletteIndex".
    void DefineProperties(TFiler* filer) override;

    // ---- Parts ----
    TChartBackWall* BackWall() const { return walls_->Back; }
    TChartWall* BottomWall() const { return walls_->Bottom; }
    TChartWall* LeftWall() const { return walls_->Left; }
    TChartRightWall* RightWall() const { return walls_->Right; }
    TChartWalls* Walls() const { return walls_; }
    TChartPen* Frame() const { return walls_->Back->Pen(); }
    void SetFrame(TChartPen* pen) { walls_->Back->SetPen(pen); }
    TChartTitle* Title() const { return title_; }
    TChartTitle* SubTitle() const { return subTitle_; }
    TChartFootTitle* Foot() const { return foot_; }
    TChartFootTitle* SubFoot() const { return subFoot_; }
    TChartLegend* Legend() const { return legend_; }

    // ---- Drawing steps ----
    TColor GetBackColor() override;
    void SetBackColor(TColor color);
    void CalcWallsRect() override;
    int CalcWallSize(TChartAxis* axis) override;
    void DrawTitlesAndLegend(bool beforeSeries) override;
    void DrawWalls() override;
    bool IsFreeSeriesColor(TColor color, bool checkBackground, TChartSeries* series) override;
    AnsiString FormattedValueLegend(TChartSeries* series, int valueIndex) override;
    // Remembers whether the layout that clicks are tested against is the screen's.
    void Draw(TCanvas* canvas, const TRect& rect) override;
    using TCustomAxisPanel::Draw;
    bool ActiveSeriesUseAxis();

    // ---- Legend texts ----
    AnsiString InternalFormattedLegend(TCustomChartLegend* legend, int index);
    AnsiString FormattedLegend(int index) { return InternalFormattedLegend(legend_, index); }

    // ---- Zoom and scroll ----
    void SaveScales(TAllAxisSavedScales& scales);
    void RestoreScales(TAllAxisSavedScales& scales);
    void ZoomRect(const TRect& rect);
    void ZoomPercent(double percent);
    void DoZoom(double topMin, double topMax, double bottomMin, double bottomMax, double leftMin,
                double leftMax, double rightMin, double rightMax);
    void UndoZoom() override;
    void CalcZoomPoints();
    void ScrollVerticalAxes(bool positive);
    // Forgets the scales saved before the first zoom or scroll (a new feed of the axes).
    void ClearSavedScales();

    // ---- Hit tests ----
    void CalcClickedPart(const TPoint& p, TChartClickedPart& part) {
        part = CalcNeedClickedPart(p, false);
    }
    TChartClickedPart CalcNeedClickedPart(const TPoint& p, bool onlyWithHandlers);

    // ---- Series and pages ----
    AnsiString AxisTitleOrName(TChartAxis* axis);
    TChartSeries* GetASeries();
    void SeriesUp(TChartSeries* series);
    void SeriesDown(TChartSeries* series);
    void NextPage();
    void PreviousPage();
    void RemoveAllSeries();
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    using TCustomAxisPanel::BroadcastMouseEvent;
    void BroadcastMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift, int x,
                             int y);

    TMouseButton ScrollMouseButton = mbRight;
    TAllAxisSavedScales SavedScales;
    bool ScalesSaved = false;
    int ColorPaletteIndex = 0;

    TChartAllowScrollEvent OnAllowScroll;
    TChartClickAxis OnClickAxis;
    TChartClick OnClickBackground;
    TChartClick OnClickLegend;
    TChartClickSeries OnClickSeries;
    TChartClickTitle OnClickTitle;
    TOnGetLegendPos OnGetLegendPos;
    TOnGetLegendRect OnGetLegendRect;
    TOnGetLegendText OnGetLegendText;

protected:
    ~TCustomChart() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;

private:
    void DrawTitles(bool customPass);
    void DrawBackWall();
    void DrawLeftWall();
    void DrawRightWall();
    void DrawBottomWall();
    void PrepareWallCanvas(TCustomChartWall* wall);
    bool DrawWallFirst(int x);
    bool DrawLeftWallFirst() { return DrawWallFirst(ChartRect.Left); }
    bool DrawRightWallAfter() { return !DrawWallFirst(ChartRect.Right); }
    void RedrawAxisWithoutBackGrid(TChartAxis* axis);
    void DispatchClick(TMouseButton button, TShiftState shift, int x, int y);
    bool RunClickHandler(const std::function<void()>& handler);
    void StartZoomOrScroll(TMouseButton button, TShiftState shift, int x, int y);
    void DragZoom(int x, int y);
    void DragScroll(int x, int y);
    // True when the axis range really moved.
    bool ScrollAxis(TChartAxis* axis, int from, int to);
    void EnsureScreenLayout();

    TChartTitle* title_;
    TChartTitle* subTitle_;
    TChartFootTitle* foot_;
    TChartFootTitle* subFoot_;
    TChartWalls* walls_;
    TChartLegend* legend_;
    // The last drawing went to another canvas (report, export), so the positions that clicks
    // are tested against are not the screen's.
    bool layoutElsewhere_ = false;
};

class TChart : public TCustomChart {
    CL_COMPONENT_CLASS(TChart, TCustomChart)

    explicit TChart(TComponent* owner) : TCustomChart(owner) {}

protected:
    ~TChart() override = default;
};
