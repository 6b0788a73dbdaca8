// The columns of series data: a growing array of doubles with an optional order that decides
// where a new value goes, cached statistics and whole-column operations (sort, rotate, renumber).
#pragma once

#include <cstdint>
#include <vector>

#include "cl_lists.h"

class TChartSeries;

enum TChartListOrder : uint8_t { loNone, loAscending, loDescending };

// Entries added to a full column at a time.
extern int PlotDefaultCapacity;

// Raises the assertion failure unless start .. start + quantity - 1 lies inside `count` entries
// (start and quantity not negative).
void CheckDeleteRange(int start, int quantity, int count);

class TChartValueList : public TPersistent {
    CL_CLASS(TChartValueList, TPersistent)

    // Joins the owner's value lists; the owner frees it.
    TChartValueList(TChartSeries* owner, const AnsiString& name);
    ~TChartValueList() override;
    // From another column: its order, date-time flag and value source (not name or values).
    void Assign(TPersistent* source) override;
    // Reads the obsolete "Multiplier" of older streams (PlotSeriesStream.cpp).
    void DefineProperties(TFiler* filer) override;

    // ---- Values ----
    // Stores the value as PendingValue and inserts it by Order; the index it got.
    virtual int AddChartValue(double value);
    // Inserts PendingValue by Order; the index it got.
    int AddChartValue();
    // Count 0 and the array released.
    virtual void ClearValues();
    // Puts the value at the index, no ordering.
    virtual void InsertChartValue(int index, double value);
    virtual void Delete(int index);
    // Raises the assertion failure when the range is not inside the column.
    void Delete(int start, int quantity);
    double GetValue(int index) const {
        CheckIndex(index);
        return valueArray_[index];
    }
    // Tells the owner of the change (veModify).
    void SetValue(int index, double value);
    // Stores without telling the owner.
    void WriteValue(int index, double value);
    double operator[](int index) const { return GetValue(index); }
    int GetCount() const;
    // Raises the assertion failure for a negative count or one beyond the capacity.
    void SetCount(int count);
    int Count() const { return GetCount(); }
    int Capacity() const { return static_cast<int>(valueArray_.size()); }
    double First() const { return GetValue(0); }
    double Last() const { return GetValue(valueCount_ - 1); }
    // Index of the first exact match in first..last, -1 when none.
    int Locate(double value) const { return Locate(value, 0, valueCount_ - 1); }
    int Locate(double value, int first, int last) const;

    // ---- Statistics ----
    double GetMaxValue();
    double GetMinValue();
    double GetTotal();
    double GetTotalABS();
    void SetTotalABS(double value);
    double Range() { return GetMaxValue() - GetMinValue(); }
    void RecalcStats();
    // Incremental update from `start` on (a full scan from 0).
    void RecalcStats(int start);

    // ---- Whole-column operations ----
    void Exchange(int index1, int index2);
    // Entry i := i.
    void FillSequence();
    // Moves every entry one place to the front, the first one last.
    void Scroll();
    // -1, 0 or 1, negated for a descending column.
    int CompareValueIndex(int index1, int index2) const;
    // Sorts whole points of the owner by this column.
    void Sort();
    AnsiString ToString(int index) const;

    // ---- Properties ----
    TChartSeries* OwnerSeries() const { return ownerSeries_; }
    const AnsiString& Name() const { return name_; }
    void SetName(const AnsiString& name) { name_ = name; }
    TChartListOrder Order() const { return order_; }
    void SetOrder(TChartListOrder order) { order_ = order; }
    bool DateTime() const { return dateTime_; }
    // Repaints the owner's chart when it changes.
    void SetDateTime(bool value);
    // Sets DateTime and the value that is not stored.
    void InitDateTime(bool value);
    bool IsDateStored() const { return dateTime_ != defaultDateTime_; }
    const AnsiString& ValueSource() const { return valueSource_; }
    void SetValueSource(const AnsiString& name);

    // The value the argument-less AddChartValue inserts.
    double PendingValue = 0;

private:
    void GrowIfFull();
    void Changed() { statisticsStale_ = true; }
    void CheckIndex(int index) const {
        if (index < 0 || index >= valueCount_) ThrowIndexError(index);
    }
    [[noreturn]] static void ThrowIndexError(int index);
    void CutCountToCapacity();

    bool dateTime_ = false;
    double cachedMax_ = 0;
    double cachedMin_ = 0;
    AnsiString name_;
    TChartListOrder order_ = loNone;
    TChartSeries* ownerSeries_;
    double cachedTotal_ = 0;
    double cachedTotalAbs_ = 0;
    AnsiString valueSource_;
    bool defaultDateTime_ = false;
    int valueCount_ = 0;
    std::vector<double> valueArray_;
    bool statisticsStale_ = true;
};

// A series' columns: 0 the X column, 1 the Y column, then the further ones.
class TChartValueLists : public TList {
    CL_CLASS(TChartValueLists, TList)

    ~TChartValueLists() override { Clear(); }
    TChartValueList* Get(int index) const { return static_cast<TChartValueList*>(Items(index)); }
    // Frees every column, then empties the list.
    void Clear() override;
};
