#include "UiIntegerList.h"

#include "cl_except.h"
#include "cl_filer.h"

namespace {

const char* const SOutOfRange = "Value must be within %d..%d";
const char* const SBelowMinimum = "Unable to set new minimum value.\rList contains values below %d";
const char* const SAboveMaximum = "Unable to set new maximum value.\rList contains values above %d";

}  // namespace

TUiIntegerList::TUiIntegerList() : list_(new TList) {}

TUiIntegerList::~TUiIntegerList() {
    Clear();
    delete list_;
}

int TUiIntegerList::GetItem(int index) const { return *Cell(index); }

void TUiIntegerList::SetItem(int index, int value) {
    CheckRange(value);
    *Cell(index) = value;
}

void TUiIntegerList::CheckRange(int value) const {
    if (min_ != max_ && (value < min_ || value > max_))
        throw EOutOfRange::CreateFmt(SOutOfRange, min_, max_);
}

void TUiIntegerList::SetSorted(bool value) {
    if (value == sorted_) return;
    if (value) Sort();
    sorted_ = value;
}

void TUiIntegerList::SetMin(int value) {
    if (value == min_) return;
    for (int i = 0; i < GetCount(); ++i)
        if (GetItem(i) < value) throw EOutOfRange::CreateFmt(SBelowMinimum, value);
    min_ = value;
    if (max_ < min_) max_ = min_;
}

void TUiIntegerList::SetMax(int value) {
    if (value == max_) return;
    for (int i = 0; i < GetCount(); ++i)
        if (GetItem(i) > value) throw EOutOfRange::CreateFmt(SAboveMaximum, value);
    max_ = value;
    if (min_ > max_) min_ = max_;
}

bool TUiIntegerList::Find(int value, int& index) const {
    bool found = false;
    int lo = 0, hi = GetCount() - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        if (GetItem(mid) < value) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (GetItem(mid) == value) {
                found = true;
                if (duplicates_ != dupAccept) lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

void TUiIntegerList::Sort() {
    if (!sorted_ && GetCount() > 1) QuickSort(0, GetCount() - 1);
}

void TUiIntegerList::QuickSort(int left, int right) {
    const int pivot = GetItem((left + right) / 2);
    int i = left, j = right;
    do {
        while (GetItem(i) < pivot) ++i;
        while (GetItem(j) > pivot) --j;
        if (i <= j) list_->Exchange(i++, j--);
    } while (i <= j);
    if (left < j) QuickSort(left, j);
    if (i < right) QuickSort(i, right);
}

int TUiIntegerList::Add(int value) {
    int index = GetCount();
    if (sorted_ && Find(value, index)) {
        if (duplicates_ == dupIgnore) return index;
        if (duplicates_ == dupError) throw EListError(SDuplicateString);
    }
    InsertNumber(index, value);
    return index;
}

void TUiIntegerList::AddIntegers(TUiIntegerList* list) {
    for (int i = 0; i < list->GetCount(); ++i) Add(list->GetItem(i));
}

void TUiIntegerList::Clear() {
    for (int i = 0; i < GetCount(); ++i) delete Cell(i);
    list_->Clear();
}

void TUiIntegerList::Delete(int index) {
    int32_t* cell = Cell(index);
    list_->Delete(index);
    delete cell;
}

void TUiIntegerList::Exchange(int index1, int index2) { list_->Exchange(index1, index2); }

void TUiIntegerList::Move(int currentIndex, int newIndex) { list_->Move(currentIndex, newIndex); }

int TUiIntegerList::IndexOf(int value) const {
    if (sorted_) {
        int index;
        return Find(value, index) ? index : -1;
    }
    for (int i = 0; i < GetCount(); ++i)
        if (GetItem(i) == value) return i;
    return -1;
}

void TUiIntegerList::Insert(int index, int value) {
    if (sorted_) throw EListError(SSortedListError);
    if (index < 0 || index > GetCount()) throw EListError::CreateFmt(SListIndexError, index);
    InsertNumber(index, value);
}

void TUiIntegerList::InsertNumber(int index, int value) {
    CheckRange(value);
    if (duplicates_ == dupIgnore && IndexOf(value) >= 0) return;
    list_->Insert(index, new int32_t(value));
}

bool TUiIntegerList::Equals(TUiIntegerList* list) const {
    if (list->GetCount() != GetCount()) return false;
    for (int i = 0; i < GetCount(); ++i)
        if (list->GetItem(i) != GetItem(i)) return false;
    return true;
}

void TUiIntegerList::Assign(TPersistent* source) {
    if (source && source->InheritsFrom(TUiIntegerList::StaticClass())) {
        Clear();
        AddIntegers(static_cast<TUiIntegerList*>(source));
        return;
    }
    TPersistent::Assign(source);
}

void TUiIntegerList::DefineProperties(TFiler* filer) {
    filer->DefineProperty("Min", [this](TReader* reader) { min_ = reader->ReadInteger(); },
                          [this](TWriter* writer) { writer->WriteInteger(min_); }, min_ != 0);
    filer->DefineProperty("Max", [this](TReader* reader) { max_ = reader->ReadInteger(); },
                          [this](TWriter* writer) { writer->WriteInteger(max_); }, max_ != 0);
    filer->DefineProperty("Integers", [this](TReader* reader) { ReadIntegers(reader); },
                          [this](TWriter* writer) { WriteIntegers(writer); },
                          StoreIntegers(filer));
}

bool TUiIntegerList::StoreIntegers(TFiler* filer) {
    TPersistent* ancestor = filer->Ancestor();
    if (!ancestor) return GetCount() > 0;
    if (!ancestor->InheritsFrom(TUiIntegerList::StaticClass())) return true;
    return !static_cast<TUiIntegerList*>(ancestor)->Equals(this);
}

void TUiIntegerList::ReadIntegers(TReader* reader) {
    Clear();
    reader->ReadListBegin();
    while (!reader->EndOfList()) Add(reader->ReadInteger());
    reader->ReadListEnd();
}

void TUiIntegerList::WriteIntegers(TWriter* writer) {
    writer->WriteListBegin();
    for (int i = 0; i < GetCount(); ++i) writer->WriteInteger(GetItem(i));
    writer->WriteListEnd();
}
