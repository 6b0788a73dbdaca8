// The chart panel with axes and series: owns the series list, the standard and custom axes, the
// tools, the 3-D depths and the paging state, and draws the whole chart in its fixed order.
#pragma once

#include <functional>
#include <vector>

#include "PlotAxes.h"
#include "PlotPanelExtended.h"
#include "PlotSeries.h"
#include "PlotTools.h"

using TAxisOnGetLabel = std::function<void(TChartAxis* sender, TChartSeries* series, int valueIndex,
                                           AnsiString& labelText)>;
using TAxisOnGetNextLabel =
    std::function<void(TChartAxis* sender, int labelIndex, double& labelValue, bool& stop)>;

// Told to the listeners when the page or the points per page change.
class TChartChangePage : public TPlotEvent {
    CL_CLASS(TChartChangePage, TPlotEvent)
};

// Told to the listeners when a series joins, leaves or changes.
class TPlotSeriesEvent : public TPlotEvent {
    CL_CLASS(TPlotSeriesEvent, TPlotEvent)

    TChartSeriesEvent Event = seAdd;
    TChartSeries* Series = nullptr;
};

class TCustomAxisPanel : public TCustomPlotPanelExtended {
    CL_CLASS(TCustomAxisPanel, TCustomPlotPanelExtended)

    explicit TCustomAxisPanel(TComponent* owner);
    void BeforeDestruction() override;
    void Assign(TPersistent* source) override;
    void InternalDraw(const TRect& bounds) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;

    // ---- Pipeline hooks ----
    virtual void DoOnAfterDraw();
    virtual void DoOnBeforeDrawAxes();
    virtual void DoOnBeforeDrawChart();
    virtual void DoOnBeforeDrawSeries();
    // The back plane at depth z faces away and goes after the series; false in 2-D.
    virtual bool DrawBackWallAfter(int z);
    // Refills the series from its data source or function; plain series keep their points
    // (PlotSources.cpp, as the three below).
    virtual void CheckDatasource(TChartSeries* series);
    // Another series the series accepts, or a series source available on this chart.
    virtual bool IsValidDataSource(TChartSeries* series, TComponent* component);
    // Raises ChartException when `other` depends on `series`, directly or through its sources.
    void CheckOtherSeries(TChartSeries* series, TChartSeries* other);
    virtual void RemovedDataSource(TChartSeries* series, TComponent* component);
    // The legend text of a point; empty here.
    virtual AnsiString FormattedValueLegend(TChartSeries* series, int valueIndex);
    void CalcSize3DWalls();
    void CalcInvertedRotation();

    // ---- Series list ----
    int SeriesCount() const { return SeriesList->Count(); }
    TChartSeries* GetSeries(int index) const { return SeriesList->Get(index); }
    TChartSeries* operator[](int index) const { return GetSeries(index); }
    int CountActiveSeries() const;
    // Makes the panel the series' parent (which lists it); the series.
    TChartSeries* AddSeries(TChartSeries* series);
    // A series of that class owned by the panel's owner.
    TChartSeries* AddSeries(const TMetaClass* seriesClass);
    void InternalAddSeries(TChartSeries* series);
    void RemoveSeries(int index);
    void RemoveSeries(TChartSeries* series);
    // Frees every series of the class (or every series with null).
    void FreeAllSeries(const TMetaClass* seriesClass = nullptr);
    void ExchangeSeries(int index1, int index2);
    void ExchangeSeries(TChartSeries* series1, TChartSeries* series2);

    // ---- Legend queries ----
    TChartSeries* SeriesLegend(int position, bool onlyActive);
    TChartSeries* ActiveSeriesLegend(int position) { return SeriesLegend(position, true); }
    AnsiString SeriesTitleLegend(int position, bool onlyActive = false);

    // ---- Measures ----
    // Width of the widest line (lines split at the line separator) and the line count.
    int MultiLineTextWidth(AnsiString text, int& lines);
    int MaxTextWidth();
    int MaxMarkWidth();
    int GetMaxValuesCount();

    // ---- Axis queries ----
    bool IsAxisVisible(TChartAxis* axis) const { return axis->VisibleInDrawing; }
    bool CalcIsAxisVisible(TChartAxis* axis);
    bool NoActiveSeries(TChartAxis* axis);
    TChartSeries* GetAxisSeries(TChartAxis* axis);
    TChartSeries* GetAxisSeriesMaxPoints(TChartAxis* axis);
    double InternalMinMax(TChartAxis* axis, bool isMinimum, bool isX);
    double MinXValue(TChartAxis* axis) { return InternalMinMax(axis, true, true); }
    double MaxXValue(TChartAxis* axis) { return InternalMinMax(axis, false, true); }
    double MinYValue(TChartAxis* axis) { return InternalMinMax(axis, true, false); }
    double MaxYValue(TChartAxis* axis) { return InternalMinMax(axis, false, false); }

    // ---- Colours ----
    TColor GetDefaultColor(int index) const;
    TColor GetFreeSeriesColor(bool checkBackground, TChartSeries* series);
    void ColorPaletteChanged();

    // ---- Events ----
    void BroadcastSeriesEvent(TChartSeries* series, TChartSeriesEvent event);
    void BroadcastToolEvent(TChartToolEvent event);
    bool CheckMouseSeries(int x, int y);

    // ---- Paging ----
    int Page() const { return page_; }
    void SetPage(int value);
    int MaxPointsPerPage() const { return maxPointsPerPage_; }
    // Raises ChartException for a negative value.
    void SetMaxPointsPerPage(int value);
    bool ScaleLastPage() const { return scaleLastPage_; }
    void SetScaleLastPage(bool value) { SetBooleanProperty(scaleLastPage_, value); }
    virtual int NumPages();
    // to = 0 means the last page, from = 0 the first.
    void PrintPages(int fromPage = 0, int toPage = 0);

    // ---- Properties ----
    int Chart3DPercent() const { return chart3DPercent_; }
    // Raises Exception outside 1 .. 100.
    void Set3DPercent(int value);
    bool AxisBehind() const { return axisBehind_; }
    void SetAxisBehind(bool value) { SetBooleanProperty(axisBehind_, value); }
    bool AxisVisible() const { return axisVisible_; }
    void SetAxisVisible(bool value) { SetBooleanProperty(axisVisible_, value); }
    bool ClipPoints() const { return clipPoints_; }
    void SetClipPoints(bool value) { SetBooleanProperty(clipPoints_, value); }
    bool View3DWalls() const { return view3DWalls_; }
    void SetView3DWalls(bool value) { SetBooleanProperty(view3DWalls_, value); }
    void SetCustomAxes(TChartCustomAxes* axes) { CustomAxes->Assign(axes); }
    void SetBottomAxis(TChartAxis* axis) { BottomAxis->Assign(axis); }
    void SetTopAxis(TChartAxis* axis) { TopAxis->Assign(axis); }
    void SetLeftAxis(TChartAxis* axis) { LeftAxis->Assign(axis); }
    void SetRightAxis(TChartAxis* axis) { RightAxis->Assign(axis); }
    void SetDepthAxis(TChartAxis* axis) { DepthAxis->Assign(axis); }
    void SetDepthTopAxis(TChartAxis* axis) { DepthTopAxis->Assign(axis); }

    // ---- Parts ----
    TChartAxes* Axes = nullptr;
    TChartCustomAxes* CustomAxes = nullptr;
    TChartSeriesList* SeriesList = nullptr;
    TChartAxis* BottomAxis = nullptr;
    TChartAxis* TopAxis = nullptr;
    TChartAxis* LeftAxis = nullptr;
    TChartAxis* RightAxis = nullptr;
    TChartDepthAxis* DepthAxis = nullptr;
    TChartDepthAxis* DepthTopAxis = nullptr;
    TChartTools* Tools = nullptr;
    TPlotCustomDesigner* Designer = nullptr;
    // The panel's own palette; empty for the default one. (ChartPalette for the chart types.)
    std::vector<TColor> SeriesPalette;

    // ---- State of the current drawing ----
    int MaxZOrder = 0;
    // Depth of one series position. (SeriesWidth3D and SeriesHeight3D for the chart types.)
    int SeriesDepthWidth = 0;
    int SeriesDepthHeight = 0;
    bool InvertedRotation = false;
    // Set by the legend while it draws; read by the series' legend symbols. (LegendColor and
    // LegendPen for the chart types; a null pen means each series' own.)
    TColor LegendBackColor = clDefault;
    TChartPen* LegendSymbolPen = nullptr;

    // ---- Events ----
    TAxisOnGetLabel OnGetAxisLabel;
    TAxisOnGetNextLabel OnGetNextAxisLabel;
    TNotifyEvent OnPageChange;
    TNotifyEvent OnBeforeDrawChart;
    TNotifyEvent OnBeforeDrawAxes;
    TNotifyEvent OnBeforeDrawSeries;

protected:
    ~TCustomAxisPanel() override;
    void Dispatch(TMessage& message) override;

private:
    void CalcAxisRects();
    void CalcSeriesMargins();
    void DrawAxes();
    void DrawAllSeries();
    void DrawSeries(TChartSeries* series);
    void DrawSeriesGroup(TChartSeries* leader);
    bool ClipChart();
    void DrawSeriesMarks(TChartSeries* series);
    int AxisPageCount(TChartAxis* axis);
    double PagedMinMax(TChartAxis* axis, bool isMinimum, bool isX);

    int chart3DPercent_ = 15;
    bool axisBehind_ = true;
    bool axisVisible_ = true;
    bool clipPoints_ = true;
    bool view3DWalls_ = true;
    int page_ = 1;
    int maxPointsPerPage_ = 0;
    bool scaleLastPage_ = true;
};
