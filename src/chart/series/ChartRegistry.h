// The process-wide registries of series and tool types with the series operations of chart
// editors: new, cloned and retyped series, and a series' legend symbol on any canvas.
#pragma once

#include <vector>

#include "Chart.h"

// One series type of a gallery: the series class, or a function class, or both.
class TPlotSeriesType : public TObject {
    CL_CLASS(TPlotSeriesType, TObject)

    const TMetaClass* SeriesClass = nullptr;
    const TMetaClass* FunctionClass = nullptr;
    const AnsiString* Description = nullptr;
    const AnsiString* GalleryPage = nullptr;
    int NumGallerySeries = 1;
};

class TPlotSeriesTypes {
public:
    ~TPlotSeriesTypes() { Clear(); }
    void Clear();
    // The entry of the series class without a function class, null when none.
    TPlotSeriesType* Find(const TMetaClass* seriesClass) const;
    TPlotSeriesType* Get(int index) const { return items_[index]; }
    int Count() const { return static_cast<int>(items_.size()); }
    void Add(TPlotSeriesType* type) { items_.push_back(type); }
    // Frees and removes the entries whose series (or function) class is the class.
    void Remove(const TMetaClass* metaClass, bool byFunction);

private:
    std::vector<TPlotSeriesType*> items_;
};

class TPlotToolTypes {
public:
    int IndexOf(const TMetaClass* toolClass) const;
    const TMetaClass* Get(int index) const { return items_[index]; }
    int Count() const { return static_cast<int>(items_.size()); }
    void Add(const TMetaClass* toolClass) { items_.push_back(toolClass); }
    void Remove(int index) { items_.erase(items_.begin() + index); }

private:
    std::vector<const TMetaClass*> items_;
};

extern TPlotSeriesTypes* PlotSeriesTypes;
// Makes the registries when a registration comes before the chart unit has started.
void EnsureRegistries();
extern TPlotToolTypes* PlotToolTypes;
// Set by the page-number tool's unit.
extern const TMetaClass* PlotPageNumToolClass;

void RegisterPlotSeriesFunction(const TMetaClass* seriesClass, const TMetaClass* functionClass,
                                const AnsiString* description, const AnsiString* galleryPage,
                                int numGallerySeries);
void RegisterPlotSeries(const TMetaClass* seriesClass, const AnsiString* description,
                        const AnsiString* galleryPage, int numGallerySeries);
void RegisterPlotSeries(const TMetaClass* seriesClass, const AnsiString* description);
void RegisterPlotFunction(const TMetaClass* functionClass, const AnsiString* description,
                          const AnsiString* galleryPage, int numGallerySeries);
void RegisterPlotBasicFunction(const TMetaClass* functionClass, const AnsiString* description);
void UnRegisterPlotSeries(const TMetaClass* const classes[], int highIndex);
void UnRegisterPlotFunctions(const TMetaClass* const classes[], int highIndex);
void RegisterPlotTools(const TMetaClass* const classes[], int highIndex);
void UnRegisterPlotTools(const TMetaClass* const classes[], int highIndex);
// The series types of this library (line, bar, area, point, pie, fast line and the horizontal
// forms), in gallery order.
void RegisterPlotStandardSeries();
AnsiString GetGallerySeriesName(TChartSeries* series);

AnsiString GetNewSeriesName(TComponent* owner);
// With a function class, the new series gets a new function of that class.
TChartSeries* CreateNewSeries(TComponent* owner, TCustomAxisPanel* chart,
                              const TMetaClass* seriesClass,
                              const TMetaClass* functionClass = nullptr);
// A function of the class, owned by the series' owner and computing the series' points.
TPlotFunction* CreateNewPlotFunction(TChartSeries* series, const TMetaClass* functionClass);
TChartSeries* CloneChartSeries(TChartSeries* series);
TChartSeries* CloneChartSeries(TChartSeries* series, TCustomAxisPanel* chart);
TChartSeries* CloneChartSeries(TChartSeries* series, TComponent* owner, TCustomAxisPanel* chart);
void ChangeSeriesType(TChartSeries*& series, const TMetaClass* newClass);
void ChangeAllSeriesType(TCustomAxisPanel* chart, const TMetaClass* newClass);
void AssignSeries(TChartSeries*& oldSeries, TChartSeries*& newSeries);
// The series' legend symbol on any canvas; a series without a chart borrows `chart` (or a
// temporary one) for the call.
void PaintSeriesLegend(TChartSeries* series, TCanvas* canvas, const TRect& rect,
                       TCustomChart* chart = nullptr);

// Carries the chart part being dragged.
class TPlotDragObject : public TDragObject {
    CL_CLASS(TPlotDragObject, TDragObject)

    explicit TPlotDragObject(const TChartClickedPart& part) : Part(part) {}
    TCursor GetDragCursor(bool accepted, int x, int y) override;
    void Finished(TObject*, int, int, bool) override {}

    TChartClickedPart Part;
};
