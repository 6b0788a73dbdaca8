#include "PlotValueList.h"

#include <algorithm>
#include <cmath>

#include "PlotProcs.h"
#include "PlotPublished.h"
#include "PlotSeries.h"
#include "cl_filer.h"
#include "cl_number.h"

int PlotDefaultCapacity = 1000;

namespace {

const char* const kSourceName = "TeEngine";

[[noreturn]] void AssertionFailure(const AnsiString& text) {
    throw EAssertionFailed(text, kSourceName);
}

}  // namespace

void CheckDeleteRange(int start, int quantity, int count) {
    if (start < 0 || quantity < 0)
        AssertionFailure("Start and quantity of data to delete must not be negative.");
    if (start + quantity - 1 >= count)
        AssertionFailure("Quantity of data to delete must be less than Count.");
}

TChartValueList::TChartValueList(TChartSeries* owner, const AnsiString& name)
    : name_(name), ownerSeries_(owner) {
    owner->ValueLists->Add(this);
    ClearValues();
}

TChartValueList::~TChartValueList() { ClearValues(); }

void TChartValueList::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TChartValueList*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    order_ = other->order_;
    dateTime_ = other->dateTime_;
    valueSource_ = other->valueSource_;
}

void TChartValueList::ThrowIndexError(int index) { throw EListError(SListIndexError, index); }

void TChartValueList::GrowIfFull() {
    if (valueCount_ == Capacity())
        valueArray_.resize(valueArray_.size() + static_cast<size_t>(PlotDefaultCapacity));
}

int TChartValueList::AddChartValue(double value) {
    PendingValue = value;
    return AddChartValue();
}

int TChartValueList::AddChartValue() {
    const double v = PendingValue;
    const int n = valueCount_;
    int index = n;
    const bool inOrder = n == 0 || (order_ == loAscending && v >= valueArray_[n - 1]) ||
                         (order_ == loDescending && v <= valueArray_[n - 1]);
    if (order_ != loNone && !inOrder) {
        int i = n - 1;
        if (order_ == loAscending)
            while (i >= 0 && valueArray_[i] > v) --i;
        else
            while (i >= 0 && valueArray_[i] < v) --i;
        index = i + 1;
    }
    GrowIfFull();
    std::copy_backward(valueArray_.begin() + index, valueArray_.begin() + n,
                       valueArray_.begin() + n + 1);
    valueArray_[index] = v;
    ++valueCount_;
    Changed();
    return index;
}

void TChartValueList::ClearValues() {
    valueCount_ = 0;
    std::vector<double>().swap(valueArray_);
    Changed();
}

void TChartValueList::InsertChartValue(int index, double value) {
    if (index < 0 || index > valueCount_) throw EListError(SListIndexError, index);
    GrowIfFull();
    std::copy_backward(valueArray_.begin() + index, valueArray_.begin() + valueCount_,
                       valueArray_.begin() + valueCount_ + 1);
    valueArray_[index] = value;
    ++valueCount_;
    Changed();
}

void TChartValueList::Delete(int index) {
    CheckIndex(index);
    std::copy(valueArray_.begin() + index + 1, valueArray_.begin() + valueCount_,
              valueArray_.begin() + index);
    --valueCount_;
    Changed();
}

void TChartValueList::Delete(int start, int quantity) {
    CheckDeleteRange(start, quantity, valueCount_);
    std::copy(valueArray_.begin() + start + quantity, valueArray_.begin() + valueCount_,
              valueArray_.begin() + start);
    valueCount_ -= quantity;
    Changed();
}

void TChartValueList::SetValue(int index, double value) {
    CheckIndex(index);
    valueArray_[index] = value;
    Changed();
    ownerSeries_->NotifyValue(veModify, index);
}

void TChartValueList::WriteValue(int index, double value) {
    CheckIndex(index);
    valueArray_[index] = value;
    Changed();
}

int TChartValueList::GetCount() const {
    if (valueCount_ > Capacity())
        AssertionFailure("ValueList Count (" + IntToStr(valueCount_) +
                         ") greater than array length (" + IntToStr(Capacity()) + ").");
    return valueCount_;
}

void TChartValueList::SetCount(int count) {
    if (count < 0) AssertionFailure("ValueList Count must be greater than zero.");
    if (count > Capacity())
        AssertionFailure("ValueList Count (" + IntToStr(count) + ") greater than array length (" +
                         IntToStr(Capacity()) + ").");
    valueCount_ = count;
    Changed();
}

int TChartValueList::Locate(double value, int first, int last) const {
    first = std::max(first, 0);
    last = std::min(last, valueCount_ - 1);
    for (int i = first; i <= last; ++i)
        if (valueArray_[i] == value) return i;
    return -1;
}

// ---------------------------------------------------------------------------------------------
// Statistics

void TChartValueList::CutCountToCapacity() {
    if (valueCount_ > Capacity()) valueCount_ = Capacity();
}

void TChartValueList::RecalcStats() {
    CutCountToCapacity();
    if (valueCount_ > 0) {
        RecalcStats(0);
        return;
    }
    cachedMax_ = cachedMin_ = cachedTotal_ = cachedTotalAbs_ = 0;
    statisticsStale_ = false;
}

void TChartValueList::RecalcStats(int start) {
    CutCountToCapacity();
    if (valueCount_ > 0 && start == 0) {
        const double v = valueArray_[0];
        cachedMin_ = cachedMax_ = cachedTotal_ = v;
        cachedTotalAbs_ = std::fabs(v);
        start = 1;
    }
    for (int i = std::max(start, 0); i < valueCount_; ++i) {
        const double v = valueArray_[i];
        if (v < cachedMin_)
            cachedMin_ = v;
        else if (v > cachedMax_)
            cachedMax_ = v;
        cachedTotal_ += v;
        cachedTotalAbs_ += std::fabs(v);
    }
    statisticsStale_ = false;
}

double TChartValueList::GetMaxValue() {
    if (statisticsStale_) RecalcStats();
    return cachedMax_;
}

double TChartValueList::GetMinValue() {
    if (statisticsStale_) RecalcStats();
    return cachedMin_;
}

double TChartValueList::GetTotal() {
    if (statisticsStale_) RecalcStats();
    return cachedTotal_;
}

double TChartValueList::GetTotalABS() {
    if (statisticsStale_) RecalcStats();
    return cachedTotalAbs_;
}

void TChartValueList::SetTotalABS(double value) {
    if (statisticsStale_) RecalcStats();
    cachedTotalAbs_ = value;
}

// ---------------------------------------------------------------------------------------------
// Whole-column operations

void TChartValueList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(valueArray_[index1], valueArray_[index2]);
    Changed();
    ownerSeries_->NotifyValue(veModify, index1);
}

void TChartValueList::FillSequence() {
    for (int i = 0; i < valueCount_; ++i) valueArray_[i] = i;
    Changed();
    ownerSeries_->NotifyValue(veModify, 0);
}

void TChartValueList::Scroll() {
    if (valueCount_ == 0) return;
    std::rotate(valueArray_.begin(), valueArray_.begin() + 1, valueArray_.begin() + valueCount_);
}

int TChartValueList::CompareValueIndex(int index1, int index2) const {
    const double a = valueArray_[index1], b = valueArray_[index2];
    const int result = a < b ? -1 : (a > b ? 1 : 0);
    return order_ == loDescending ? -result : result;
}

void TChartValueList::Sort() {
    if (order_ == loNone) return;
    PlotSort(
        0, valueCount_ - 1, [this](int a, int b) { return CompareValueIndex(a, b); },
        [this](int a, int b) { ownerSeries_->SwapValueIndex(a, b); });
}

AnsiString TChartValueList::ToString(int index) const { return FloatToStr(GetValue(index)); }

// ---------------------------------------------------------------------------------------------
// Properties

void TChartValueList::SetDateTime(bool value) {
    ownerSeries_->SetBooleanProperty(dateTime_, value);
}

void TChartValueList::InitDateTime(bool value) {
    dateTime_ = value;
    defaultDateTime_ = value;
}

void TChartValueList::SetValueSource(const AnsiString& name) {
    if (name == valueSource_) return;
    valueSource_ = name;
    ownerSeries_->CheckDataSource();
}

// ---------------------------------------------------------------------------------------------
// TChartValueLists

void TChartValueLists::Clear() {
    for (int i = 0; i < Count(); ++i) TObject::Free(Get(i));
    TList::Clear();
}

// ---------------------------------------------------------------------------------------------
// Streaming

namespace {

// The value list's published properties, for the component streams.
const bool valueListPropertiesRegistered = [] {
    using V = TChartValueList;
    const TMetaClass* list = V::StaticClass();
    RegisterProperty(list, StoredWhen<V>(OrdinalProperty<V>("DateTime", pkBool, &V::DateTime,
                                                            &V::SetDateTime),
                                         [](V* v) { return v->IsDateStored(); }));
    RegisterProperty(list, StringProperty<V>("Name", &V::Name, &V::SetName));
    // Always stored: the empty default never matches.
    TPropertyInfo order = EnumProperty<V>("Order", &V::Order, &V::SetOrder,
                                          {"loNone", "loAscending", "loDescending"}, loNone);
    order.DefaultText = AnsiString();
    RegisterProperty(list, order);
    RegisterProperty(list, StringProperty<V>("ValueSource", &V::ValueSource, &V::SetValueSource));
    return true;
}();

}  // namespace
