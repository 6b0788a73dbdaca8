// The series and tool type registries and the series operations.
#include "ChartRegistry.h"

#include "AreaSeries.h"
#include "BarSeries.h"
#include "FastLineSeries.h"
#include "PieSeries.h"
#include "PlotProcs.h"
#include "PlotSources.h"
#include "Plotconst.h"

using namespace Plotconst;

TPlotSeriesTypes* PlotSeriesTypes = nullptr;
TPlotToolTypes* PlotToolTypes = nullptr;
const TMetaClass* PlotPageNumToolClass = nullptr;

// Registrations from other units may run first at start-up.
void EnsureRegistries() {
    if (!PlotSeriesTypes) PlotSeriesTypes = new TPlotSeriesTypes;
    if (!PlotToolTypes) PlotToolTypes = new TPlotToolTypes;
}

namespace {
struct RegistriesLifetime {
    RegistriesLifetime() {
        Randomize();
        EnsureRegistries();
    }
    ~RegistriesLifetime() {
        delete PlotSeriesTypes;
        PlotSeriesTypes = nullptr;
        delete PlotToolTypes;
        PlotToolTypes = nullptr;
    }
} registriesLifetime;
}  // namespace

void TPlotSeriesTypes::Clear() {
    for (TPlotSeriesType* type : items_) delete type;
    items_.clear();
}

TPlotSeriesType* TPlotSeriesTypes::Find(const TMetaClass* seriesClass) const {
    for (TPlotSeriesType* type : items_)
        if (type->SeriesClass == seriesClass && !type->FunctionClass) return type;
    return nullptr;
}

void TPlotSeriesTypes::Remove(const TMetaClass* metaClass, bool byFunction) {
    for (size_t i = items_.size(); i-- > 0;) {
        TPlotSeriesType* type = items_[i];
        if ((byFunction ? type->FunctionClass : type->SeriesClass) != metaClass) continue;
        delete type;
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

int TPlotToolTypes::IndexOf(const TMetaClass* toolClass) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[i] == toolClass) return i;
    return -1;
}

void RegisterPlotSeriesFunction(const TMetaClass* seriesClass, const TMetaClass* functionClass,
                                const AnsiString* description, const AnsiString* galleryPage,
                                int numGallerySeries) {
    EnsureRegistries();
    if (seriesClass) RegisterClass(seriesClass);
    if (functionClass) RegisterClass(functionClass);
    for (int i = 0; i < PlotSeriesTypes->Count(); ++i) {
        const TPlotSeriesType* type = PlotSeriesTypes->Get(i);
        if (type->SeriesClass == seriesClass && type->FunctionClass == functionClass) return;
    }
    auto* type = new TPlotSeriesType;
    type->SeriesClass = seriesClass;
    type->FunctionClass = functionClass;
    type->Description = description;
    type->GalleryPage = galleryPage;
    type->NumGallerySeries = numGallerySeries;
    PlotSeriesTypes->Add(type);
}

void RegisterPlotSeries(const TMetaClass* seriesClass, const AnsiString* description,
                        const AnsiString* galleryPage, int numGallerySeries) {
    RegisterPlotSeriesFunction(seriesClass, nullptr, description, galleryPage, numGallerySeries);
}

void RegisterPlotSeries(const TMetaClass* seriesClass, const AnsiString* description) {
    RegisterPlotSeries(seriesClass, description, &PlotMsg_GalleryStandard, 2);
}

void RegisterPlotFunction(const TMetaClass* functionClass, const AnsiString* description,
                          const AnsiString* galleryPage, int numGallerySeries) {
    RegisterPlotSeriesFunction(nullptr, functionClass, description, galleryPage,
                               numGallerySeries);
}

void RegisterPlotBasicFunction(const TMetaClass* functionClass, const AnsiString* description) {
    RegisterPlotFunction(functionClass, description, &PlotMsg_GalleryStandard, 2);
}

void UnRegisterPlotSeries(const TMetaClass* const classes[], int highIndex) {
    for (int i = 0; i <= highIndex; ++i) PlotSeriesTypes->Remove(classes[i], false);
}

void UnRegisterPlotFunctions(const TMetaClass* const classes[], int highIndex) {
    for (int i = 0; i <= highIndex; ++i) PlotSeriesTypes->Remove(classes[i], true);
}

void RegisterPlotTools(const TMetaClass* const classes[], int highIndex) {
    EnsureRegistries();
    for (int i = 0; i <= highIndex; ++i) {
        if (PlotToolTypes->IndexOf(classes[i]) >= 0) continue;
        RegisterClass(classes[i]);
        PlotToolTypes->Add(classes[i]);
    }
}

void UnRegisterPlotTools(const TMetaClass* const classes[], int highIndex) {
    for (int i = 0; i <= highIndex; ++i) {
        const int index = PlotToolTypes->IndexOf(classes[i]);
        if (index >= 0) PlotToolTypes->Remove(index);
    }
}

void RegisterPlotStandardSeries() {
    RegisterPlotSeries(TLineSeries::StaticClass(), &PlotMsg_GalleryLine);
    RegisterPlotSeries(TBarSeries::StaticClass(), &PlotMsg_GalleryBar);
    RegisterPlotSeries(THorizBarSeries::StaticClass(), &PlotMsg_GalleryHorizBar);
    RegisterPlotSeries(TAreaSeries::StaticClass(), &PlotMsg_GalleryArea);
    RegisterPlotSeries(TPointSeries::StaticClass(), &PlotMsg_GalleryPoint);
    RegisterPlotSeries(TPieSeries::StaticClass(), &PlotMsg_GalleryPie, &PlotMsg_GalleryStandard, 1);
    RegisterPlotSeries(TFastLineSeries::StaticClass(), &PlotMsg_GalleryFastLine,
                       &PlotMsg_GalleryStandard, 2);
    RegisterPlotSeries(THorizLineSeries::StaticClass(), &PlotMsg_GalleryHorizLine,
                       &PlotMsg_GalleryStandard, 1);
    RegisterPlotSeries(THorizAreaSeries::StaticClass(), &PlotMsg_GalleryHorizArea,
                       &PlotMsg_GalleryStandard, 1);
}

AnsiString GetGallerySeriesName(TChartSeries* series) {
    const TPlotSeriesType* type = PlotSeriesTypes->Find(series->ClassType());
    return type && type->Description ? *type->Description : series->ClassName();
}

// ---------------------------------------------------------------------------------------------
// Series operations

AnsiString GetNewSeriesName(TComponent* owner) { return PlotGetUniqueName(owner, "Series"); }

TChartSeries* CreateNewSeries(TComponent* owner, TCustomAxisPanel* chart,
                              const TMetaClass* seriesClass, const TMetaClass* functionClass) {
    if (!owner) owner = chart;
    for (int i = 0; i < chart->SeriesCount(); ++i)
        if (chart->GetSeries(i)->Owner() == chart) owner = chart;
    auto* series = dynamic_cast<TChartSeries*>(CreateComponent(seriesClass, owner));
    series->SetName(GetNewSeriesName(owner));
    series->SetParentChart(chart);
    if (functionClass) CreateNewPlotFunction(series, functionClass);
    return series;
}

TPlotFunction* CreateNewPlotFunction(TChartSeries* series, const TMetaClass* functionClass) {
    auto* function = CheckedCast<TPlotFunction>(CreateComponent(functionClass, series->Owner()));
    function->SetParentSeries(series);
    function->SetName(PlotGetUniqueName(series->Owner(), "PlotFunction"));
    return function;
}

TChartSeries* CloneChartSeries(TChartSeries* series) {
    return CloneChartSeries(series, series->Owner(), series->ParentChart());
}

TChartSeries* CloneChartSeries(TChartSeries* series, TCustomAxisPanel* chart) {
    return CloneChartSeries(series, series->Owner(), chart);
}

TChartSeries* CloneChartSeries(TChartSeries* series, TComponent* owner, TCustomAxisPanel* chart) {
    const TMetaClass* functionClass =
        series->SeriesFunction ? series->SeriesFunction->ClassType() : nullptr;
    TChartSeries* clone = CreateNewSeries(owner, chart, series->ClassType(), functionClass);
    clone->Assign(series);
    return clone;
}

void ChangeSeriesType(TChartSeries*& series, const TMetaClass* newClass) {
    if (series->ClassType() == newClass) return;
    TChartSeries* replacement = CreateNewSeries(series->Owner(), series->ParentChart(), newClass);
    AssignSeries(series, replacement);
    series = replacement;
}

void ChangeAllSeriesType(TCustomAxisPanel* chart, const TMetaClass* newClass) {
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* series = chart->GetSeries(i);
        ChangeSeriesType(series, newClass);
    }
}

void AssignSeries(TChartSeries*& oldSeries, TChartSeries*& newSeries) {
    if (oldSeries == newSeries) return;
    newSeries->Assign(oldSeries);
    if (!oldSeries->GetDataSource()) newSeries->AssignValues(oldSeries);
    newSeries->AfterDrawValues = oldSeries->AfterDrawValues;
    newSeries->BeforeDrawValues = oldSeries->BeforeDrawValues;
    newSeries->OnAfterAdd = oldSeries->OnAfterAdd;
    newSeries->OnBeforeAdd = oldSeries->OnBeforeAdd;
    newSeries->OnClearValues = oldSeries->OnClearValues;
    newSeries->OnClick = oldSeries->OnClick;
    newSeries->OnDblClick = oldSeries->OnDblClick;
    newSeries->OnGetMarkText = oldSeries->OnGetMarkText;
    const AnsiString name = oldSeries->Name();
    while (oldSeries->LinkedSeries->Count() > 0) {
        TChartSeries* linked = oldSeries->LinkedSeries->Get(0);
        const int at = linked->DataSources->IndexOf(oldSeries);
        if (at >= 0) linked->DataSources->SetItem(at, newSeries);
        oldSeries->RemoveLinkedSeries(linked);
        newSeries->AddLinkedSeries(linked);
    }
    TCustomAxisPanel* chart = oldSeries->ParentChart();
    if (chart) {
        for (int i = 0; i < chart->Tools->Count(); ++i)
            if (auto* tool = dynamic_cast<TPlotCustomToolSeries*>(chart->Tools->Get(i)))
                if (tool->Series() == oldSeries) tool->SetSeries(newSeries);
        chart->ExchangeSeries(oldSeries, newSeries);
    }
    TObject::Free(oldSeries);
    oldSeries = nullptr;
    newSeries->SetName(name);
    if (chart) chart->BroadcastSeriesEvent(newSeries, seChangeTitle);
    newSeries->CheckDataSource();
}

void PaintSeriesLegend(TChartSeries* series, TCanvas* canvas, const TRect& rect,
                       TCustomChart* chart) {
    TOwnedPtr<TCustomChart> temporary;
    const bool borrowed = !series->ParentChart();
    if (borrowed) {
        if (!chart) {
            temporary.reset(new TCustomChart(nullptr));
            chart = temporary.get();
        }
        series->SetParentChart(chart);
    }
    struct Leave {
        TChartSeries* series;
        bool borrowed;
        ~Leave() {
            if (borrowed) series->SetParentChart(nullptr);
        }
    } leave{series, borrowed};
    auto* owner = static_cast<TCustomChart*>(series->ParentChart());
    TPlotCanvas3D* chartCanvas = owner->InternalCanvas;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(owner->Legend()->Color());
    owner->LegendBackColor = owner->Legend()->Color();
    owner->LegendSymbolPen =
        owner->Legend()->Symbol()->DefaultPen() ? nullptr : owner->Legend()->Symbol()->Pen();
    if (chartCanvas->GetSupportsFullRotation()) {
        series->DrawLegend(-1, rect);
        return;
    }
    struct Reattach {
        TPlotCanvas3D* canvas;
        TCanvas* own;
        ~Reattach() { canvas->SetCanvas(own); }
    } reattach{chartCanvas, owner->ControlCanvas};
    chartCanvas->SetCanvas(canvas);
    series->DrawLegend(-1, rect);
}

TCursor TPlotDragObject::GetDragCursor(bool accepted, int, int) {
    return accepted ? static_cast<TCursor>(crPlotHand) : crNoDrop;
}
