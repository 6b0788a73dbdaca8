#include "PlotSeries.h"

#include <algorithm>
#include <utility>

#include "PlotAxisPanel.h"
#include "PlotMarks.h"
#include "PlotProcs.h"
#include "PlotSources.h"
#include "Plotconst.h"

using namespace Plotconst;

// ---------------------------------------------------------------------------------------------
// TCustomChartElement

TCustomChartElement::TCustomChartElement(TComponent* owner) : TComponent(owner) {
    brush_ = new TChartBrush([this](TObject* sender) { CanvasChanged(sender); });
    pen_ = CreateChartPen();
}

TCustomChartElement::~TCustomChartElement() {
    TObject::Free(pen_);
    TObject::Free(brush_);
}

void TCustomChartElement::BeforeDestruction() {
    SetParentChart(nullptr);
    TComponent::BeforeDestruction();
}

TChartPen* TCustomChartElement::CreateChartPen() {
    return new TChartPen([this](TObject* sender) { CanvasChanged(sender); });
}

void TCustomChartElement::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCustomChartElement*>(source);
    if (!other) {
        TComponent::Assign(source);
        return;
    }
    active_ = other->active_;
    brush_->Assign(other->brush_);
    pen_->Assign(other->pen_);
    SetTag(other->Tag());
}

void TCustomChartElement::SetActive(bool value) { SetBooleanProperty(active_, value); }

TComponent* TCustomChartElement::GetParentComponent() const { return parentChart_; }

void TCustomChartElement::SetParentComponent(TComponent* component) {
    if (auto* chart = dynamic_cast<TCustomAxisPanel*>(component)) SetParentChart(chart);
}

void TCustomChartElement::Repaint() {
    if (parentChart_) parentChart_->Invalidate();
}

void TCustomChartElement::SetBooleanProperty(bool& field, bool value) {
    if (field == value) return;
    field = value;
    Repaint();
}

void TCustomChartElement::SetColorProperty(TColor& field, TColor value) {
    if (field == value) return;
    field = value;
    Repaint();
}

void TCustomChartElement::SetDoubleProperty(double& field, double value) {
    if (field == value) return;
    field = value;
    Repaint();
}

void TCustomChartElement::SetIntegerProperty(int& field, int value) {
    if (field == value) return;
    field = value;
    Repaint();
}

void TCustomChartElement::SetStringProperty(AnsiString& field, const AnsiString& value) {
    if (field == value) return;
    field = value;
    Repaint();
}

// ---------------------------------------------------------------------------------------------
// TCustomChartSeries

void TCustomChartSeries::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomChartSeries*>(source)) {
        showInLegend_ = other->showInLegend_;
        title_ = other->title_;
        Style = other->Style;
        Identifier = other->Identifier;
    }
    TCustomChartElement::Assign(source);
}

void TCustomChartSeries::SetTitle(const AnsiString& value) {
    SetStringProperty(title_, value);
    if (ParentChart())
        ParentChart()->BroadcastSeriesEvent(dynamic_cast<TChartSeries*>(this), seChangeTitle);
    RepaintDesigner();
}

void TCustomChartSeries::SetActive(bool value) {
    TCustomChartElement::SetActive(value);
    if (ParentChart())
        ParentChart()->BroadcastSeriesEvent(dynamic_cast<TChartSeries*>(this), seChangeActive);
    RepaintDesigner();
}

void TCustomChartSeries::Removed() { TCustomChartElement::SetParentChart(nullptr); }

void TCustomChartSeries::GalleryChanged3D(bool value) {
    if (ParentChart()) ParentChart()->SetView3D(value);
}

void TCustomChartSeries::RepaintDesigner() {
    if (ParentChart() && ParentChart()->Designer) ParentChart()->Designer->Repaint();
}

bool TCustomChartSeries::SameClass(TCustomChartSeries* other) const {
    return InheritsFrom(other->ClassType()) || other->InheritsFrom(ClassType());
}

// ---------------------------------------------------------------------------------------------
// Series lists and groups

void TCustomSeriesList::ClearValues() {
    for (int i = 0; i < Count(); ++i) Get(i)->Clear();
}

TSeriesGroup::TSeriesGroup(TCollection* collection)
    : TCollectionItem(collection), series_(new TCustomSeriesList) {}

TSeriesGroup::~TSeriesGroup() { TObject::Free(series_); }

TSeriesGroupActive TSeriesGroup::GetActive() const {
    int active = 0;
    for (int i = 0; i < series_->Count(); ++i)
        if (series_->Get(i)->Active()) ++active;
    if (active == series_->Count()) return gaYes;
    return active == 0 ? gaNo : gaSome;
}

void TSeriesGroup::SetActive(TSeriesGroupActive value) {
    if (value == gaSome || value == GetActive()) return;
    for (int i = 0; i < series_->Count(); ++i) series_->Get(i)->SetActive(value == gaYes);
}

void TSeriesGroup::SetSeries(TCustomSeriesList* list) { series_->Assign(*list); }

int TSeriesGroups::Contains(TChartSeries* series) const {
    for (int i = 0; i < Count(); ++i)
        if (Get(i)->Series()->IndexOf(series) >= 0) return i;
    return -1;
}

TChartSeriesList::~TChartSeriesList() { TObject::Free(groups_); }

TSeriesGroup* TChartSeriesList::AddGroup(const AnsiString& name) {
    auto* group = static_cast<TSeriesGroup*>(groups_->Add());
    group->Name = name;
    return group;
}

bool TChartSeriesList::GetAllActive() const {
    for (int i = 0; i < Count(); ++i)
        if (!Get(i)->Active()) return false;
    return true;
}

void TChartSeriesList::SetAllActive(bool value) {
    for (int i = 0; i < Count(); ++i) Get(i)->SetActive(value);
}

// ---------------------------------------------------------------------------------------------
// TLabelsList

AnsiString TLabelsList::GetLabel(int index) const {
    return index >= 0 && index < Count() ? labels_[index] : AnsiString();
}

void TLabelsList::PadTo(int count) {
    if (count > Count()) labels_.resize(static_cast<size_t>(count));
}

void TLabelsList::SetLabel(int index, const AnsiString& text) {
    if (index < 0) return;
    if (text.IsEmpty()) {
        if (index >= Count()) return;
        labels_[index] = AnsiString();
    } else {
        PadTo(index + 1);
        labels_[index] = text;
    }
    Series->Repaint();
}

void TLabelsList::InsertLabel(int index, const AnsiString& text) {
    if (index < 0 || (text.IsEmpty() && labels_.empty())) return;
    PadTo(index);
    labels_.insert(labels_.begin() + index, text);
}

void TLabelsList::DeleteLabel(int index) {
    if (index >= 0 && index < Count()) labels_.erase(labels_.begin() + index);
}

int TLabelsList::IndexOfLabel(const AnsiString& text, bool caseSensitive) const {
    const AnsiString wanted = caseSensitive ? text : UpperCase(text);
    for (int i = 0; i < Count(); ++i)
        if ((caseSensitive ? labels_[i] : UpperCase(labels_[i])) == wanted) return i;
    return -1;
}

void TLabelsList::Assign(const TLabelsList& other) {
    Clear();
    for (int i = 0; i < other.Count(); ++i) InsertLabel(i, other.GetLabel(i));
}

void TLabelsList::Exchange(int index1, int index2) {
    if (index1 < 0 || index2 < 0) return;
    if (GetLabel(index1).IsEmpty() && GetLabel(index2).IsEmpty()) return;
    PadTo(Max(index1, index2) + 1);
    std::swap(labels_[index1], labels_[index2]);
}

// ---------------------------------------------------------------------------------------------
// TChartSeries: life

TChartSeries::TChartSeries(TComponent* owner) : TCustomChartSeries(owner), LabelList(this) {
    ValueLists = new TChartValueLists;
    XValues = new TChartValueList(this, PlotMsg_ValuesX);
    XValues->SetOrder(loAscending);
    YValues = new TChartValueList(this, PlotMsg_ValuesY);
    MandatoryList = YValues;
    NotMandatoryList = XValues;
    marks_ = new TSeriesMarks(this);
    DataSources = new TList;
    LinkedSeries = new TCustomSeriesList;
    percentFormat_ = PlotMsg_DefPercentFormat;
    valueFormat_ = PlotMsg_DefValueFormat;
}

TChartSeries::~TChartSeries() {
    TObject::Free(LinkedSeries);
    TObject::Free(DataSources);
    TObject::Free(ValueLists);
    delete pointColors_;
    TObject::Free(marks_);
}

void TChartSeries::BeforeDestruction() {
    if (TPlotFunction* function = std::exchange(SeriesFunction, nullptr)) TObject::Free(function);
    RemoveAllLinkedSeries();
    for (int i = 0; i < LinkedSeries->Count(); ++i) LinkedSeries->Get(i)->DataSources->Remove(this);
    Clear();
    LinkedSeries->Clear();
    TCustomChartSeries::BeforeDestruction();
}

void TChartSeries::Notification(TComponent* component, TOperation operation) {
    TCustomChartSeries::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == SeriesFunction)
        SeriesFunction = nullptr;
    else if (DataSources->IndexOf(component) >= 0)
        RemoveDataSource(component);
}

void TChartSeries::SetParentChart(TCustomAxisPanel* chart) {
    if (chart == ParentChart()) return;
    if (ParentChart()) ParentChart()->RemoveSeries(this);
    TCustomChartSeries::SetParentChart(chart);
    marks_->SetParent(chart);
    if (chart) chart->InternalAddSeries(this);
}

void TChartSeries::Added() {
    TCustomChartSeries::Added();
    if (seriesColor_ == clDefault) {
        ChangeInternalColor(ParentChart()->GetFreeSeriesColor(true, nullptr));
        NotifyColorChanged();
    }
    RecalcGetAxis();
    CheckDataSource();
}

void TChartSeries::Removed() {
    TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->Cursor() == Cursor) chart->SetCursor(chart->SavedCursor);
    RemoveAllLinkedSeries();
    TCustomChartSeries::Removed();
}

// ---------------------------------------------------------------------------------------------
// Adding points

int TChartSeries::AddXY(double x, double y, const AnsiString& label, TColor color) {
    XValues->PendingValue = x;
    YValues->PendingValue = y;
    if (OnBeforeAdd && !OnBeforeAdd(this)) return -1;
    const int index = XValues->AddChartValue();
    YValues->InsertChartValue(index, y);
    for (int i = 2; i < ValueLists->Count(); ++i) {
        TChartValueList* list = ValueLists->Get(i);
        list->InsertChartValue(index, list->PendingValue);
    }
    if (pointColors_) {
        pointColors_->insert(
            pointColors_->begin() + Min(index, static_cast<int>(pointColors_->size())), color);
    } else if (color != clDefault) {
        GrowColors();
        (*pointColors_)[index] = color;
    }
    if (!label.IsEmpty() || LabelList.Count() > 0) LabelList.InsertLabel(index, label);
    if (UpdateCount == 0) NotifyNewValue(this, index);
    return index;
}

int TChartSeries::Add(double value, const AnsiString& label, TColor color) {
    return YIsMandatory ? AddXY(Count(), value, label, color) : AddXY(value, Count(), label, color);
}

int TChartSeries::AddX(double value, const AnsiString& label, TColor color) {
    return AddXY(value, XValues->Count(), label, color);
}

int TChartSeries::AddY(double value, const AnsiString& label, TColor color) {
    return AddXY(XValues->Count(), value, label, color);
}

int TChartSeries::AddNull(double value) { return Add(value, AnsiString(), clNone); }

int TChartSeries::AddNull(const AnsiString& label) { return Add(0, label, clNone); }

int TChartSeries::AddNullXY(double x, double y, const AnsiString& label) {
    return AddXY(x, y, label, clNone);
}

int TChartSeries::AddArray(const double* values, int lastIndex) {
    struct Batch {
        TChartSeries* series;
        ~Batch() { series->EndUpdate(); }
    } batch{this};
    BeginUpdate();
    for (int i = 0; i <= lastIndex; ++i) Add(values[i]);
    return lastIndex + 1;
}

// ---------------------------------------------------------------------------------------------
// Deleting

void TChartSeries::Delete(int index) {
    if (index < 0 || index >= Count())
        throw ChartException(PlotMsg_SeriesDelete, index, Count() - 1);
    for (int i = 0; i < ValueLists->Count(); ++i) ValueLists->Get(i)->Delete(index);
    if (pointColors_ && index < static_cast<int>(pointColors_->size()))
        pointColors_->erase(pointColors_->begin() + index);
    LabelList.DeleteLabel(index);
    marks_->Positions().Delete(index);
    marks_->Items().Delete(index);
    NotifyValue(veDelete, index);
    if (Active()) Repaint();
}

void TChartSeries::DeleteColors(int start, int quantity) {
    if (!pointColors_) return;
    const int size = static_cast<int>(pointColors_->size());
    if (start < size)
        pointColors_->erase(pointColors_->begin() + start,
                            pointColors_->begin() + Min(start + quantity, size));
    if (pointColors_->empty()) {
        delete pointColors_;
        pointColors_ = nullptr;
    }
}

void TChartSeries::Delete(int start, int quantity, bool removeGap) {
    CheckDeleteRange(start, quantity, Count());
    if (start >= Count()) return;
    for (int i = 0; i < ValueLists->Count(); ++i) ValueLists->Get(i)->Delete(start, quantity);
    DeleteColors(start, quantity);
    for (int i = 0; i < quantity; ++i) LabelList.DeleteLabel(start);
    marks_->Positions().Delete(start, quantity);
    for (int i = 0; i < quantity; ++i) marks_->Items().Delete(start);
    // No single point left the series: dependants rebuild from it.
    NotifyValue(veRefresh, 0);
    if (Active()) Repaint();
    if (removeGap) NotMandatoryList->FillSequence();
}

void TChartSeries::Clear() {
    FirstValueIndex = LastValueIndex = -1;
    ClearLists();
    if (SeriesFunction) SeriesFunction->Clear();
    if (OnClearValues) OnClearValues(this);
    NotifyValue(veClear, 0);
    if (Active() && ParentChart() && !ParentChart()->InState(csDestroying)) Repaint();
}

void TChartSeries::ClearLists() {
    for (int i = 0; i < ValueLists->Count(); ++i) ValueLists->Get(i)->ClearValues();
    delete pointColors_;
    pointColors_ = nullptr;
    LabelList.Clear();
    marks_->Clear();
}

// ---------------------------------------------------------------------------------------------
// Batching and notices

void TChartSeries::EndUpdate() {
    if (UpdateCount == 0) return;
    if (--UpdateCount == 0) RefreshSeries();
}

void TChartSeries::RefreshSeries() {
    NotifyValue(veRefresh, 0);
    if (ParentChart()) ParentChart()->BroadcastSeriesEvent(this, seDataChanged);
}

void TChartSeries::NotifyNewValue(TChartSeries* sender, int valueIndex) {
    if (OnAfterAdd) OnAfterAdd(sender, valueIndex);
    NotifyValue(veAdd, valueIndex);
    if (Active()) Repaint();
}

void TChartSeries::NotifyValue(TValueEvent event, int valueIndex) {
    if (UpdateCount > 0 || !LinkedSeries) return;
    for (int i = 0; i < LinkedSeries->Count(); ++i) {
        TChartSeries* linked = LinkedSeries->Get(i);
        const TSeriesRecalcOptions& triggers = linked->RecalcTriggers;
        switch (event) {
            case veClear:
                if (triggers.count(rOnClear)) linked->Clear();
                break;
            case veAdd:
                if (triggers.count(rOnInsert)) linked->AddedValue(this, valueIndex);
                break;
            case veDelete:
                if (triggers.count(rOnDelete)) linked->DeletedValue(this, valueIndex);
                break;
            case veRefresh:
                linked->AddValues(this);
                break;
            case veModify:
                if (triggers.count(rOnModify)) linked->AddValues(this);
                break;
        }
    }
}

void TChartSeries::CheckDataSource() {
    if (UpdateCount == 0 && ParentChart()) ParentChart()->CheckDatasource(this);
}

// ---------------------------------------------------------------------------------------------
// Following a source series

void TChartSeries::AddValues(TChartSeries* source) {
    struct Batch {
        TChartSeries* series;
        ~Batch() { series->EndUpdate(); }
    } batch{this};
    BeginUpdate();
    Clear();
    if (SeriesFunction) {
        XValues->SetDateTime(source->XValues->DateTime());
        YValues->SetDateTime(source->YValues->DateTime());
        SeriesFunction->AddPoints(source);
        return;
    }
    if (!IsValidSourceOf(source)) return;
    for (int i = 0; i < source->Count(); ++i) AddedValue(source, i);
}

void TChartSeries::AddedValue(TChartSeries* source, int valueIndex) {
    // A function's points depend on all of the source's: they are computed again.
    if (SeriesFunction) {
        AddValues(source);
        return;
    }
    const int index = AddChartValue(source, valueIndex);
    const TColor color = source->InternalColor(valueIndex);
    if (pointColors_)
        pointColors_->insert(
            pointColors_->begin() + Min(index, static_cast<int>(pointColors_->size())), color);
    else if (color != clDefault)
        SetValueColor(index, color);
    const AnsiString label = source->LabelList.GetLabel(valueIndex);
    if (!label.IsEmpty() || LabelList.Count() > 0) LabelList.InsertLabel(index, label);
    NotifyNewValue(this, index);
}

int TChartSeries::AddChartValue(TChartSeries* source, int valueIndex) {
    double x = source->XValues->GetValue(valueIndex);
    double y = source->YValues->GetValue(valueIndex);
    if (YIsMandatory != source->YIsMandatory) std::swap(x, y);
    const int index = XValues->AddChartValue(x);
    YValues->InsertChartValue(index, y);
    for (int j = 2; j < ValueLists->Count(); ++j) {
        const double value =
            j < source->ValueLists->Count() ? source->ValueLists->Get(j)->GetValue(valueIndex) : 0;
        ValueLists->Get(j)->InsertChartValue(index, value);
    }
    return index;
}

void TChartSeries::DeletedValue(TChartSeries* source, int valueIndex) {
    if (valueIndex < 0 || SeriesFunction)
        AddValues(source);
    else
        Delete(valueIndex);
}

void TChartSeries::AddLinkedSeries(TChartSeries* series) {
    if (LinkedSeries->IndexOf(series) < 0) LinkedSeries->Add(series);
}

void TChartSeries::RemoveLinkedSeries(TChartSeries* series) { LinkedSeries->Remove(series); }

void TChartSeries::RemoveAllLinkedSeries() {
    for (int i = 0; i < DataSources->Count(); ++i)
        if (auto* source =
                dynamic_cast<TChartSeries*>(static_cast<TObject*>(DataSources->Items(i))))
            source->RemoveLinkedSeries(this);
}

TComponent* TChartSeries::GetDataSource() const {
    return DataSources->Count() > 0 ? static_cast<TComponent*>(DataSources->Items(0)) : nullptr;
}

void TChartSeries::SwapValueIndex(int index1, int index2) {
    for (int i = 0; i < ValueLists->Count(); ++i) ValueLists->Get(i)->Exchange(index1, index2);
    if (pointColors_) {
        const size_t needed = static_cast<size_t>(Max(index1, index2)) + 1;
        if (pointColors_->size() < needed) pointColors_->resize(needed, clDefault);
        std::swap((*pointColors_)[index1], (*pointColors_)[index2]);
    }
    if (LabelList.Count() > 0) LabelList.Exchange(index1, index2);
}

// ---------------------------------------------------------------------------------------------
// Values, colours and labels

void TChartSeries::SetXValue(int index, double value) {
    XValues->WriteValue(index, value);
    Repaint();
}

void TChartSeries::SetYValue(int index, double value) {
    YValues->WriteValue(index, value);
    Repaint();
}

void TChartSeries::SetNull(int index, bool value) {
    SetValueColor(index, value ? clNone : clDefault);
}

TColor TChartSeries::InternalColor(int index) const {
    if (!pointColors_ || index < 0 || index >= static_cast<int>(pointColors_->size()))
        return clDefault;
    return (*pointColors_)[index];
}

TColor TChartSeries::GetValueColor(int index) {
    const TColor own = InternalColor(index);
    if (own != clDefault) return own;
    if (!colorEachPoint_) return GetSeriesColor();
    return ParentChart() ? ParentChart()->GetDefaultColor(index) : ::GetDefaultColor(index);
}

void TChartSeries::GrowColors() {
    pointColors_ = new std::vector<TColor>(static_cast<size_t>(Count()), clDefault);
}

void TChartSeries::SetValueColor(int index, TColor color) {
    if (!pointColors_) {
        if (color == clDefault) return;
        GrowColors();
    }
    if (index >= static_cast<int>(pointColors_->size()))
        pointColors_->resize(static_cast<size_t>(index) + 1, clDefault);
    (*pointColors_)[index] = color;
    Repaint();
}

void TChartSeries::ColorRange(TChartValueList* list, double from, double to, TColor color) {
    for (int i = 0; i < Count(); ++i) {
        const double value = list->GetValue(i);
        if (value >= from && value <= to && !IsNull(i)) SetValueColor(i, color);
    }
    Repaint();
}

void TChartSeries::SetSeriesColor(TColor color) {
    if (seriesColor_ == clDefault && color == AutomaticColor) return;
    SetColorProperty(seriesColor_, color);
    // Back to automatic: the last colour stays the one drawn.
    if (color != clDefault) AutomaticColor = color;
    NotifyColorChanged();
}

void TChartSeries::ChangeInternalColor(TColor color) {
    AutomaticColor = color;
    SetSeriesColor(color);
}

void TChartSeries::NotifyColorChanged() {
    if (ParentChart()) ParentChart()->BroadcastSeriesEvent(this, seChangeColor);
    RepaintDesigner();
}

bool TChartSeries::IsValueFormatStored() const { return valueFormat_ != PlotMsg_DefValueFormat; }

bool TChartSeries::IsPercentFormatStored() const {
    return percentFormat_ != PlotMsg_DefPercentFormat;
}

void TChartSeries::SetMarks(TSeriesMarks* marks) { marks_->Assign(marks); }
