#include "PlotSources.h"

#include <set>
#include <utility>

#include "PlotAxisPanel.h"
#include "PlotDateSteps.h"
#include "PlotErrors.h"
#include "PlotProcs.h"
#include "Plotconst.h"
#include "cl_filer.h"
#include "cl_hooks.h"

using namespace Plotconst;

namespace {

const char* const kPeriodNoPoints = "Function Period must hold at least one point";
const char* const kPeriodNoRange = "Function Period is too small for the range of values";

TChartSeries* AsSeries(void* item) {
    return dynamic_cast<TChartSeries*>(static_cast<TObject*>(item));
}

// The function's published properties, for the component streams.
const bool functionPropertiesRegistered = [] {
    const TMetaClass* function = TPlotFunction::StaticClass();
    RegisterProperty(function, FloatProperty<TPlotFunction>("Period", &TPlotFunction::Period,
                                                            &TPlotFunction::SetPeriod));
    RegisterProperty(function, EnumProperty<TPlotFunction>(
                                   "PeriodAlign", &TPlotFunction::PeriodAlign,
                                   &TPlotFunction::SetPeriodAlign,
                                   {"paFirst", "paCenter", "paLast"}, 1));
    RegisterProperty(function, EnumProperty<TPlotFunction>(
                                   "PeriodStyle", &TPlotFunction::PeriodStyle,
                                   &TPlotFunction::SetPeriodStyle, {"psNumPoints", "psRange"}, 0));
    return true;
}();

struct SeriesBatch {
    explicit SeriesBatch(TChartSeries* s) : series(s) { series->BeginUpdate(); }
    ~SeriesBatch() { series->EndUpdate(); }
    TChartSeries* series;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Series: attaching and detaching sources

void TChartSeries::SetDataSource(TComponent* component) {
    if (component)
        InternalSetDataSource(component, true);
    else
        InternalRemoveDataSource(nullptr);
}

int TChartSeries::InternalSetDataSource(TComponent* component, bool replace) {
    if (!ParentChart()) throw ChartException(PlotMsg_SeriesSetDataSource);
    if (!ParentChart()->IsValidDataSource(this, component))
        throw ChartException(PlotMsg_SeriesInvDataSource, component->Name());
    if (DataSources->IndexOf(component) >= 0) return -1;
    if (auto* series = dynamic_cast<TChartSeries*>(component)) CheckOtherSeries(series);
    if (replace && !InState(csLoading)) ClearDataSources();
    const int index = InternalAddDataSource(component);
    CheckDataSource();
    return index;
}

int TChartSeries::InternalAddDataSource(TComponent* component) {
    if (!component) return -1;
    const int index = DataSources->Add(component);
    ManualPoints = false;
    if (auto* series = dynamic_cast<TChartSeries*>(component)) {
        series->AddLinkedSeries(this);
        return index;
    }
    component->FreeNotification(this);
    auto* source = dynamic_cast<TPlotSeriesSource*>(component);
    TChartSeries* other = source ? source->Series() : nullptr;
    if (other && other != this) {
        const bool wasActive = source->Active();
        source->Close();
        if (source->Owner() == other) {
            other->RemoveComponent(source);
            InsertComponent(source);
        }
        other->RemoveFreeNotification(source);
        source->InternalSetSeries(this);
        FreeNotification(source);
        if (wasActive) source->Open();
    }
    return index;
}

void TChartSeries::InternalRemoveDataSource(TComponent* component) {
    if (InState(csDestroying)) return;
    // No component stands for the main one.
    if (!component) component = GetDataSource();
    if (ParentChart() && GetDataSource()) ParentChart()->RemovedDataSource(this, component);
    if (component && component == GetDataSource()) ClearDataSources();
    CheckDataSource();
}

void TChartSeries::RemoveDataSource(TComponent* component) {
    if (auto* series = dynamic_cast<TChartSeries*>(component)) series->RemoveLinkedSeries(this);
    DataSources->Remove(component);
    InternalRemoveDataSource(component);
}

void TChartSeries::ClearDataSources() {
    RemoveAllLinkedSeries();
    DataSources->Clear();
    if (!ManualPoints) Clear();
}

void TChartSeries::SetColorSource(const AnsiString& name) {
    if (name == ColorSource) return;
    ColorSource = name;
    CheckDataSource();
}

void TChartSeries::SetLabelsSource(const AnsiString& name) {
    if (name == XLabelsSource) return;
    XLabelsSource = name;
    CheckDataSource();
}

void TChartSeries::CheckOtherSeries(TChartSeries* source) {
    if (ParentChart()) ParentChart()->CheckOtherSeries(this, source);
}

bool TChartSeries::IsValidSeriesSource(TChartSeries* series) {
    return !SeriesFunction || SeriesFunction->IsValidSource(series);
}

void TChartSeries::SetFunction(TPlotFunction* function) {
    if (function == SeriesFunction) return;
    TPlotFunction* old = SeriesFunction;
    SeriesFunction = function;
    if (old) TObject::Free(old);
    if (function) {
        TChartSeries* previous = function->ParentSeries();
        if (previous && previous != this) previous->SeriesFunction = nullptr;
        function->ParentSeriesChanged(this);
        ManualPoints = false;
        function->FreeNotification(this);
    }
    CheckDataSource();
}

void TChartSeries::AssignFunction(TPlotFunction* source) {
    if (!SeriesFunction || SeriesFunction->ClassType() != source->ClassType()) {
        auto* function = CheckedCast<TPlotFunction>(CreateComponent(source->ClassType(), Owner()));
        if (Owner()) function->SetName(PlotGetUniqueName(Owner(), "PlotFunction"));
        SetFunction(function);
    }
    SeriesFunction->Assign(source);
}

void TChartSeries::GetChildren(const TGetChildProc& proc, TComponent* root) {
    TCustomChartSeries::GetChildren(proc, root);
    if (SeriesFunction) proc(SeriesFunction);
}

void TChartSeries::Loaded() {
    TCustomChartSeries::Loaded();
    if (PendingDataSources && PendingDataSources->Count() > 0) {
        RemoveAllLinkedSeries();
        DataSources->Clear();
        for (int i = 0; i < PendingDataSources->Count(); ++i)
            if (Owner()) InternalAddDataSource(Owner()->FindComponent(PendingDataSources->Strings(i)));
    }
    PendingDataSources.reset();
    CheckDataSource();
}

// ---------------------------------------------------------------------------------------------
// Chart: refilling series and checking their sources

void TCustomAxisPanel::CheckDatasource(TChartSeries* series) {
    if (series->InState(csLoading)) return;
    if (TComponent* source = series->GetDataSource()) {
        if (auto* sourceSeries = dynamic_cast<TChartSeries*>(source))
            series->AddValues(sourceSeries);
        else if (auto* seriesSource = dynamic_cast<TPlotSeriesSource*>(source))
            seriesSource->Refresh();
    } else if (series->SeriesFunction) {
        SeriesBatch batch(series);
        series->Clear();
        series->SeriesFunction->AddPoints(nullptr);
    } else if (!series->ManualPoints && series->CanAddRandomPoints()) {
        series->FillSampleValues(series->NumSampleValues());
    }
}

bool TCustomAxisPanel::IsValidDataSource(TChartSeries* series, TComponent* component) {
    if (auto* other = dynamic_cast<TChartSeries*>(component))
        return other != series && series->IsValidSeriesSource(other);
    return dynamic_cast<TPlotSeriesSource*>(component) && TPlotSeriesSource::Available(this);
}

void TCustomAxisPanel::CheckOtherSeries(TChartSeries* series, TChartSeries* other) {
    std::set<TChartSeries*> visited;
    std::vector<TChartSeries*> pending{other};
    while (!pending.empty()) {
        TChartSeries* current = pending.back();
        pending.pop_back();
        if (!current || !visited.insert(current).second) continue;
        for (int i = 0; i < current->DataSources->Count(); ++i) {
            TChartSeries* source = AsSeries(current->DataSources->Items(i));
            if (source == series) throw ChartException(PlotMsg_CircularSeries);
            pending.push_back(source);
        }
    }
}

void TCustomAxisPanel::RemovedDataSource(TChartSeries* series, TComponent* component) {
    auto* source = dynamic_cast<TPlotSeriesSource*>(component);
    if (source && component == series->GetDataSource() && source->Series())
        source->Series()->Clear();
}

// ---------------------------------------------------------------------------------------------
// TPlotFunction

TPlotFunction::TPlotFunction(TComponent* owner) : TComponent(owner) {}

void TPlotFunction::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TPlotFunction*>(source);
    if (!other) {
        TComponent::Assign(source);
        return;
    }
    period_ = other->period_;
    periodStyle_ = other->periodStyle_;
    periodAlign_ = other->periodAlign_;
}

void TPlotFunction::PrepareForGallery(TCustomAxisPanel* chart) {
    for (int i = 0; i < chart->SeriesCount(); ++i) chart->GetSeries(i)->PrepareForGallery(true);
}

void TPlotFunction::EndUpdate() {
    if (!Updating) return;
    Updating = false;
    ReCalculate();
}

void TPlotFunction::ReCalculate() {
    if (!Updating && parentSeries_) parentSeries_->CheckDataSource();
}

void TPlotFunction::SetPeriod(double value) {
    if (value < 0) throw ChartException(PlotMsg_FunctionPeriod);
    if (value == period_) return;
    period_ = value;
    ReCalculate();
}

void TPlotFunction::SetPeriodStyle(TFunctionPeriodStyle value) {
    if (value == periodStyle_) return;
    periodStyle_ = value;
    ReCalculate();
}

void TPlotFunction::SetPeriodAlign(TFunctionPeriodAlign value) {
    if (value == periodAlign_) return;
    periodAlign_ = value;
    ReCalculate();
}

void TPlotFunction::SetParentSeries(TChartSeries* series) {
    if (series == parentSeries_) return;
    if (parentSeries_ && parentSeries_->SeriesFunction == this)
        parentSeries_->SeriesFunction = nullptr;
    parentSeries_ = nullptr;
    if (series) series->SetFunction(this);
}

void TPlotFunction::SetParentComponent(TComponent* component) {
    if (component) SetParentSeries(dynamic_cast<TChartSeries*>(component));
}

TComponent* TPlotFunction::GetParentComponent() const { return parentSeries_; }

void TPlotFunction::ReadState(TReader* reader) {
    if (reader->Parent()) SetParentComponent(reader->Parent());
    TComponent::ReadState(reader);
}

TChartValueList* TPlotFunction::ValueList(TChartSeries* source) {
    const AnsiString& name = parentSeries_->MandatoryList->ValueSource();
    return name.IsEmpty() ? source->MandatoryList : source->GetYValueList(name);
}

void TPlotFunction::AddFunctionXY(bool sourceYMandatory, double position, double value) {
    if (sourceYMandatory)
        parentSeries_->AddXY(position, value);
    else
        parentSeries_->AddXY(value, position);
}

void TPlotFunction::CalculatePeriod(TChartSeries* source, double position, int first, int last) {
    AddFunctionXY(source->YIsMandatory, position, Calculate(source, first, last));
}

void TPlotFunction::AddPoints(TChartSeries* source) {
    if (Updating || !source || !parentSeries_) return;
    TList* sources = parentSeries_->DataSources;
    if (sources->Count() <= 1) {
        if (source->Count() > 0) DoCalculation(source, source->NotMandatoryList);
        return;
    }
    TChartSeries* driver = source;
    for (int i = 0; i < sources->Count(); ++i) {
        TChartSeries* candidate = AsSeries(sources->Items(i));
        if (candidate && candidate->Count() > driver->Count()) driver = candidate;
    }
    for (int i = 0; i < driver->Count(); ++i) {
        double position = driver->NotMandatoryList->GetValue(i);
        double value = CalculateMany(sources, i);
        if (!driver->YIsMandatory) std::swap(position, value);
        parentSeries_->AddXY(position, value, driver->GetXLabel(i), clDefault);
    }
}

void TPlotFunction::DoCalculation(TChartSeries* source, TChartValueList* column) {
    if (period_ != 0)
        CalculateByPeriod(source, column);
    else
        CalculateAllPoints(source, column);
}

void TPlotFunction::CalculateAllPoints(TChartSeries* source, TChartValueList* column) {
    const double value = Calculate(source, -1, -1);
    if (!parentSeries_->SinglePointResult) {
        AddFunctionXY(source->YIsMandatory, column->GetMinValue(), value);
        AddFunctionXY(source->YIsMandatory, column->GetMaxValue(), value);
        return;
    }
    const double middle = column->GetMinValue() + column->Range() / 2;
    if (parentSeries_->YIsMandatory)
        parentSeries_->AddXY(middle, value);
    else
        parentSeries_->AddXY(value, middle);
}

int TPlotFunction::PeriodPoints() const {
    const long long points = Round(period_);
    if (points < 1) throw ChartException(kPeriodNoPoints);
    return static_cast<int>(points);
}

void TPlotFunction::CalculateByPeriod(TChartSeries* source, TChartValueList* column) {
    const bool byPoints = periodStyle_ == psNumPoints;
    const int points = byPoints ? PeriodPoints() : 0;
    const TDateTimeStep step = FindDateTimeStep(period_);
    const int n = source->Count();
    TChartAxis* axis = parentSeries_->GetHorizAxis();
    double rangeStart = column->GetValue(0);
    int first = 0;
    while (first <= n - 1) {
        int last = first;
        double positionFirst, positionLast;
        bool holdsPoints = true;
        if (byPoints) {
            last = first + points - 1;
            positionFirst = column->GetValue(first);
            positionLast = last < n ? column->GetValue(last) : 0;
        } else {
            positionFirst = rangeStart;
            const double previous = rangeStart;
            if (axis)
                axis->IncDecDateTime(true, rangeStart, period_, step);
            else
                PlotDateTimeIncrement(false, true, rangeStart, period_, step);
            if (!(rangeStart > previous)) throw ChartException(kPeriodNoRange);
            positionLast = rangeStart - period_ * 0.001;
            while (last < n - 1 && column->GetValue(last + 1) < rangeStart) ++last;
            holdsPoints = column->GetValue(first) < rangeStart;
        }
        if (last < n) {
            const double position = periodAlign_ == TFunctionPeriodAlign::paFirst  ? positionFirst
                                    : periodAlign_ == TFunctionPeriodAlign::paLast ? positionLast
                                                             : (positionFirst + positionLast) / 2;
            if (holdsPoints)
                CalculatePeriod(source, position, first, last);
            else
                AddFunctionXY(source->YIsMandatory, position, 0);
        }
        if (holdsPoints) first = last + 1;
    }
}

TPlotMovingFunction::TPlotMovingFunction(TComponent* owner) : TPlotFunction(owner) {
    InternalSetPeriod(1);
}

void TPlotMovingFunction::DoCalculation(TChartSeries* source, TChartValueList* column) {
    const int points = PeriodPoints();
    for (int i = points - 1; i < source->Count(); ++i)
        AddFunctionXY(source->YIsMandatory, column->GetValue(i),
                      Calculate(source, i - points + 1, i));
}

// ---------------------------------------------------------------------------------------------
// TPlotSeriesSource

void TPlotSeriesSource::BeforeDestruction() {
    Close();
    TComponent::BeforeDestruction();
}

void TPlotSeriesSource::SetSeries(TChartSeries* series) {
    if (series == series_) return;
    Close();
    TChartSeries* old = series_;
    if (old) old->RemoveFreeNotification(this);
    series_ = series;
    if (series) {
        series->FreeNotification(this);
        series->SetDataSource(this);
    } else if (old) {
        old->RemoveDataSource(this);
    }
}

void TPlotSeriesSource::SetActive(bool value) {
    if (value == active_) return;
    if (series_) {
        if (value && !InState(csLoading))
            Load();
        else if (!value && !InState(csDestroying) && !series_->InState(csDestroying))
            series_->Clear();
    }
    active_ = value;
}

void TPlotSeriesSource::Close() {
    if (!InState(csLoading) && !InState(csDestroying)) SetActive(false);
}

void TPlotSeriesSource::Refresh() {
    if (active_ && !InState(csLoading)) Load();
}

void TPlotSeriesSource::Loaded() {
    TComponent::Loaded();
    Refresh();
}

void TPlotSeriesSource::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == series_) SetSeries(nullptr);
}

bool TPlotSeriesSource::HasSeries(TChartSeries* series) const {
    TComponent* source = series ? series->GetDataSource() : nullptr;
    return source && source->ClassName() == ClassName();
}

// ---------------------------------------------------------------------------------------------
// Unit functions

TList* PlotSources() {
    static TList sources;
    return &sources;
}

AnsiString SeriesTitleOrName(TChartSeries* series) {
    if (!series->Title().IsEmpty()) return series->Title();
    if (!series->Name().IsEmpty()) return series->Name();
    TCustomAxisPanel* chart = series->ParentChart();
    if (!chart) return AnsiString();
    return PlotMsg_Series + PlotStr(chart->SeriesList->IndexOf(series) + 1);
}

void FillSeriesItems(TStrings* items, TCustomSeriesList* list, bool useTitles) {
    items->BeginUpdate();
    struct Done {
        TStrings* items;
        ~Done() { items->EndUpdate(); }
    } done{items};
    for (int i = 0; i < list->Count(); ++i) {
        TChartSeries* series = list->Get(i);
        if (series->ExcludedFromLists) continue;
        items->AddObject(useTitles ? SeriesTitleOrName(series) : series->Name(), series);
    }
}

void ShowMessageUser(const AnsiString& text) {
    const UINT flags = MB_TASKMODAL | MB_ICONERROR;
    if (Hooks().ShowMessageBox)
        Hooks().ShowMessageBox(text, AnsiString(), flags);
    else
        MessageBoxA(nullptr, text.c_str(), "", flags);
}
