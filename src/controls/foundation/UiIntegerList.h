// A persistent list of 32-bit integers with an optional sorted mode, a duplicate policy and an
// optional value range; form files store it as "Min", "Max" and "Integers".
#pragma once

#include <cstdint>

#include "cl_component.h"
#include "cl_lists.h"

class TUiIntegerList : public TPersistent {
    CL_CLASS(TUiIntegerList, TPersistent)

    TUiIntegerList();
    ~TUiIntegerList() override;
    TUiIntegerList(const TUiIntegerList&) = delete;
    TUiIntegerList& operator=(const TUiIntegerList&) = delete;

    int operator[](int index) const { return GetItem(index); }
    int GetItem(int index) const;
    int GetCount() const { return list_->Count(); }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates value) { duplicates_ = value; }
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);

    // Binary search of a sorted list: the match (the first of equal values with dupAccept) or
    // the insertion position.
    virtual bool Find(int value, int& index) const;
    virtual void SetItem(int index, int value);
    virtual void Sort();
    virtual int Add(int value);
    virtual void AddIntegers(TUiIntegerList* list);
    virtual void Clear();
    virtual void Delete(int index);
    virtual void Exchange(int index1, int index2);
    virtual int IndexOf(int value) const;
    virtual void Insert(int index, int value);
    virtual void InsertNumber(int index, int value);
    virtual void Move(int currentIndex, int newIndex);
    bool Equals(TUiIntegerList* list) const;

    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;

private:
    int32_t* Cell(int index) const { return static_cast<int32_t*>(list_->Items(index)); }
    void CheckRange(int value) const;
    void QuickSort(int left, int right);
    void ReadIntegers(TReader* reader);
    void WriteIntegers(TWriter* writer);
    bool StoreIntegers(TFiler* filer);

    TList* list_;
    bool sorted_ = false;
    TDuplicates duplicates_ = dupIgnore;
    int min_ = 0;
    int max_ = 0;
};
