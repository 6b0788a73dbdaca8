// Series sorting by labels and by the mandatory column, random sample points for previews and
// gallery thumbnails, and copying another series' formatting and data.
#include <algorithm>
#include <utility>

#include "PlotAxisPanel.h"
#include "PlotErrors.h"
#include "PlotMarks.h"
#include "PlotProcs.h"
#include "PlotSources.h"
#include "Plotconst.h"
#include "cl_datetime.h"

using namespace Plotconst;

bool PlotRandomAtRunTime = false;
int clPlotGallery1 = 0;
int clPlotGallery2 = 3;

void TCustomSeriesList::FillSampleValues(int number) {
    for (int i = 0; i < Count(); ++i) Get(i)->FillSampleValues(number);
}

// ---------------------------------------------------------------------------------------------
// Sorting

int TChartSeries::CompareLabelIndex(int index1, int index2) {
    const int order = GetXLabel(index1).str().compare(GetXLabel(index2).str());
    const int sign = order < 0 ? -1 : order > 0 ? 1 : 0;
    return LabelSortOrder == loDescending ? -sign : sign;
}

void TChartSeries::SortByLabels(TChartListOrder order) {
    if (order == loNone) return;
    LabelSortOrder = order;
    PlotSort(
        0, Count() - 1, [this](int a, int b) { return CompareLabelIndex(a, b); },
        [this](int a, int b) { SwapValueIndex(a, b); });
    LabelSortOrder = loNone;
    NotMandatoryList->FillSequence();
    Repaint();
}

void TChartSeries::CheckOrder() {
    if (MandatoryList->Order() == loNone) return;
    MandatoryList->Sort();
    if (NotMandatoryList->ValueSource().IsEmpty()) NotMandatoryList->FillSequence();
    Repaint();
}

// ---------------------------------------------------------------------------------------------
// Sample values

void TChartSeries::FillSampleValues(int number) {
    if (number < 0) throw ChartException(PlotMsg_FillSample);
    if (number == 0) number = SampleCount > 0 ? SampleCount : NumSampleValues();
    {
        struct Batch {
            TChartSeries* series;
            ~Batch() { series->EndUpdate(); }
        } batch{this};
        BeginUpdate();
        Clear();
        RandSeed = static_cast<uint32_t>(Random(7774444));
        AddSampleValues(number, false);
        CheckOrder();
    }
    ManualPoints = false;
}

int TChartSeries::RandomValue(int limit) { return Random(limit); }

TSeriesRandomBounds TChartSeries::RandomBounds(int numValues) {
    double minY = 0, maxY = 1000, minX = 0, maxX = numValues - 1;
    TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->GetMaxValuesCount() > 0) {
        minY = chart->MinYValue(GetVertAxis());
        maxY = chart->MaxYValue(GetVertAxis());
        if (minY == maxY) maxY = maxY == 0 ? 1000 : 2 * minY;
        minX = chart->MinXValue(GetHorizAxis());
        maxX = chart->MaxXValue(GetHorizAxis());
        if (minX == maxX) maxX = maxX == 0 ? numValues - 1 : 2 * minX;
        if (!YIsMandatory) {
            std::swap(minX, minY);
            std::swap(maxX, maxY);
        }
    } else if (XValues->DateTime()) {
        minX = static_cast<double>(Date());
        maxX = minX + numValues - 1;
    }
    TSeriesRandomBounds bounds;
    bounds.StepX = numValues > 1 ? (maxX - minX) / (numValues - 1) : maxX - minX;
    bounds.DifY = std::clamp(maxY - minY, -2147483647.0, 2147483647.0);
    bounds.MinY = minY;
    bounds.StartY = minY + RandomValue(static_cast<int>(Round(bounds.DifY)));
    bounds.StartX = minX;
    return bounds;
}

void TChartSeries::AddSampleValues(int numValues, bool onlyMandatory) {
    const TSeriesRandomBounds bounds = RandomBounds(numValues);
    const int spread = static_cast<int>(Round(bounds.DifY)) / 4;
    double x = bounds.StartX, y = bounds.StartY;
    for (int i = 0; i < numValues; ++i) {
        y = std::abs(y + RandomValue(spread) - spread / 2);
        if (onlyMandatory)
            Add(y);
        else if (YIsMandatory)
            AddXY(x, y);
        else
            AddXY(y, x);
        x += bounds.StepX;
    }
}

bool TChartSeries::CanAddRandomPoints() { return PlotRandomAtRunTime || InState(csDesigning); }

void TChartSeries::PrepareForGallery(bool enabled) {
    FillSampleValues(4);
    Marks()->Hide();
    Marks()->Font()->SetSize(7);
    Marks()->SetArrowLength(4);
    Marks()->SetDrawEvery(2);
    SetColorEachPoint(false);
    if (!enabled) {
        SetSeriesColor(static_cast<TColor>(0xC0C0C0));
        return;
    }
    TCustomAxisPanel* chart = ParentChart();
    const int index = chart && chart->SeriesList->IndexOf(this) == 0 ? clPlotGallery1
                                                                      : clPlotGallery2;
    SetSeriesColor(chart ? chart->GetDefaultColor(index) : ::GetDefaultColor(index));
}

void TChartSeries::CreateSubGallery(const TChartSubGalleryProc& addSubChart) const {
    addSubChart(PlotMsg_Normal);
}

// ---------------------------------------------------------------------------------------------
// Copying

void TChartSeries::AssignFormat(TChartSeries* source) {
    SetDataSource(nullptr);
    const bool same = YIsMandatory == source->YIsMandatory;
    XValues->Assign(same ? source->XValues : source->YValues);
    YValues->Assign(same ? source->YValues : source->XValues);
    const int last = Min(ValueLists->Count(), source->ValueLists->Count()) - 1;
    for (int j = 2; j <= last; ++j) ValueLists->Get(j)->Assign(source->ValueLists->Get(j));
    XLabelsSource = source->XLabelsSource;
    ColorSource = source->ColorSource;
    SetMarks(source->Marks());
    seriesColor_ = source->seriesColor_;
    ChangeInternalColor(source->AutomaticColor);
    colorEachPoint_ = source->colorEachPoint_;
    valueFormat_ = source->valueFormat_;
    percentFormat_ = source->percentFormat_;
    customHorizAxis_ = source->customHorizAxis_;
    horizAxis_ = source->horizAxis_;
    customVertAxis_ = source->customVertAxis_;
    vertAxis_ = source->vertAxis_;
    RecalcTriggers = source->RecalcTriggers;
    Cursor = source->Cursor;
    depth_ = source->depth_;
    RecalcGetAxis();
}

void TChartSeries::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TChartSeries*>(source);
    TCustomChartSeries::Assign(source);
    if (!other) return;
    AssignFormat(other);
    if (other->SeriesFunction) AssignFunction(other->SeriesFunction);
    ManualPoints = other->ManualPoints;
    if (!other->GetDataSource() || other->ManualPoints) {
        // The points are rebuilt from the source with their colours and labels.
        if (other->ManualPoints || !other->InState(csDesigning)) AssignValues(other);
    } else {
        ClearDataSources();
        for (int i = 0; i < other->DataSources->Count(); ++i)
            InternalAddDataSource(static_cast<TComponent*>(other->DataSources->Items(i)));
    }
    CheckDataSource();
}

void TChartSeries::ReplaceList(TChartValueList* oldList, TChartValueList* newList) {
    ValueLists->Remove(newList);
    const int index = ValueLists->IndexOf(oldList);
    if (index < 0) return;
    newList->SetName(oldList->Name());
    if (oldList == XValues) XValues = NotMandatoryList = newList;
    if (oldList == YValues) YValues = MandatoryList = newList;
    if (MandatoryList == oldList) MandatoryList = newList;
    if (NotMandatoryList == oldList) NotMandatoryList = newList;
    ValueLists->SetItem(index, newList);
    delete oldList;
}

void TChartSeries::SetChartValueList(TChartValueList* list, TChartValueList* value) {
    list->Assign(value);
    Repaint();
}

TChartValueList* TChartSeries::GetYValueList(const AnsiString& name) {
    const AnsiString wanted = AnsiUpperCase(name);
    for (int j = 2; j < ValueLists->Count(); ++j)
        if (AnsiUpperCase(ValueLists->Get(j)->Name()) == wanted) return ValueLists->Get(j);
    return YValues;
}
