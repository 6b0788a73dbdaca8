// Data sources and functions: series functions computed over a source's points (all at once,
// period by period or over a sliding window), series-source components, and series-list helpers.
#pragma once

#include "PlotSeries.h"

class TStrings;

enum TFunctionPeriodStyle { psNumPoints, psRange };
// Scoped: the class library's popup alignment has a paCenter too.
enum class TFunctionPeriodAlign { paFirst, paCenter, paLast };

// Computes the points of its parent series from the series' data sources.
class TPlotFunction : public TComponent {
    CL_COMPONENT_CLASS(TPlotFunction, TComponent)

    explicit TPlotFunction(TComponent* owner);
    // Period, period style and alignment of another function.
    void Assign(TPersistent* source) override;

    virtual void CalculatePeriod(TChartSeries* source, double position, int first, int last);
    virtual void CalculateAllPoints(TChartSeries* source, TChartValueList* column);
    // Raises ChartException when a period of points rounds to none.
    virtual void CalculateByPeriod(TChartSeries* source, TChartValueList* column);
    virtual void DoCalculation(TChartSeries* source, TChartValueList* column);
    static AnsiString GetEditorClass() { return "TPlotFunctionEditor"; }
    // Every series of the chart prepares its gallery thumbnail.
    static void PrepareForGallery(TCustomAxisPanel* chart);
    // The result over points first..last of the source (-1, -1: all points); 0 here.
    virtual double Calculate(TChartSeries*, int, int) { return 0; }
    // The result at a point index over several sources; 0 here.
    virtual double CalculateMany(TList*, int) { return 0; }
    // Called by the parent series' Clear.
    virtual void Clear() {}
    virtual bool IsValidSource(TChartSeries*) { return true; }
    // Entry point from the parent series: adds the computed points.
    virtual void AddPoints(TChartSeries* source);
    void SetParentComponent(TComponent* component) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    // Joins the series being read.
    void ReadState(TReader* reader) override;

    void BeginUpdate() { Updating = true; }
    void EndUpdate();
    void ReCalculate();
    double Period() const { return period_; }
    // Raises ChartException for a negative period.
    void SetPeriod(double value);
    void InternalSetPeriod(double value) { period_ = value; }
    TFunctionPeriodStyle PeriodStyle() const { return periodStyle_; }
    void SetPeriodStyle(TFunctionPeriodStyle value);
    TFunctionPeriodAlign PeriodAlign() const { return periodAlign_; }
    void SetPeriodAlign(TFunctionPeriodAlign value);
    TChartSeries* ParentSeries() const { return parentSeries_; }
    void SetParentSeries(TChartSeries* series);
    // Called by the series when it attaches or forgets the function.
    void ParentSeriesChanged(TChartSeries* series) { parentSeries_ = series; }
    // The source column the function reads.
    TChartValueList* ValueList(TChartSeries* source);
    // Adds a result point to the parent series.
    void AddFunctionXY(bool sourceYMandatory, double position, double value);

    bool Updating = false;
    bool PeriodUsable = true;

protected:
    ~TPlotFunction() override = default;
    // The period as a number of points; raises ChartException when that is below one.
    int PeriodPoints() const;

private:
    double period_ = 0;
    TFunctionPeriodStyle periodStyle_ = psNumPoints;
    TFunctionPeriodAlign periodAlign_ = TFunctionPeriodAlign::paCenter;
    TChartSeries* parentSeries_ = nullptr;
};

// One result per full window of Period points, placed at the window's last point.
class TPlotMovingFunction : public TPlotFunction {
    CL_COMPONENT_CLASS(TPlotMovingFunction, TPlotFunction)

    explicit TPlotMovingFunction(TComponent* owner);
    void DoCalculation(TChartSeries* source, TChartValueList* column) override;

protected:
    ~TPlotMovingFunction() override = default;
};

// Loads points into a series from somewhere else while active.
class TPlotSeriesSource : public TComponent {
    CL_COMPONENT_CLASS(TPlotSeriesSource, TComponent)

    explicit TPlotSeriesSource(TComponent* owner) : TComponent(owner) {}
    void BeforeDestruction() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    virtual void SetActive(bool value);
    static bool Available(TCustomAxisPanel*) { return true; }
    static AnsiString Description() { return AnsiString(); }
    static const TMetaClass* Editor() { return nullptr; }
    static bool HasNew() { return false; }
    // Whether the series' data source is of this class (false without one).
    bool HasSeries(TChartSeries* series) const;
    virtual void Close();
    // Reads the points into the series; nothing here.
    virtual void Load() {}
    virtual void Open() { SetActive(true); }
    void Refresh();

    bool Active() const { return active_; }
    TChartSeries* Series() const { return series_; }
    void SetSeries(TChartSeries* series);
    // Rebinds without the series' bookkeeping (used when a series takes the source over).
    void InternalSetSeries(TChartSeries* series) { series_ = series; }

protected:
    ~TPlotSeriesSource() override = default;

private:
    bool active_ = false;
    TChartSeries* series_ = nullptr;
};

// The registered series-source classes.
TList* PlotSources();
// The title; else the component name; else "Series" and the 1-based position in the chart.
AnsiString SeriesTitleOrName(TChartSeries* series);
// One item per listed series (titles or names), the series as the item's object.
void FillSeriesItems(TStrings* items, TCustomSeriesList* list, bool useTitles = true);
// A task-modal error message box without owner or caption.
void ShowMessageUser(const AnsiString& text);
