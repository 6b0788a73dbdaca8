#include "UiShellPidls.h"

#include <algorithm>
#include <cstring>

#include "UiShellUtils.h"
#include "cl_except.h"

const char* const SDuplicatePidl = "TUiPidlList: Duplicate PIDL";

TUiIdListArray::~TUiIdListArray() { ShellMemFree(last_); }

int TUiIdListArray::GetCount() const {
    int count = 0;
    if (pidl_)
        for (LPCITEMIDLIST item = pidl_; item->mkid.cb; item = NextIdListItem(item)) ++count;
    return count;
}

LPITEMIDLIST TUiIdListArray::GetItem(int index) {
    const int count = GetCount();
    if (!pidl_ || index < 0 || (count != 0 && index >= count) || (count == 0 && index != 0))
        return nullptr;
    LPCITEMIDLIST item = pidl_;
    for (int i = 0; i < index; ++i) item = NextIdListItem(item);
    return Produce(item, item->mkid.cb);
}

LPITEMIDLIST TUiIdListArray::GoUp(int levels) {
    const int count = GetCount();
    if (!pidl_ || levels < 0 || levels > count) return nullptr;
    LPCITEMIDLIST end = pidl_;
    for (int i = 0; i < count - levels; ++i) end = NextIdListItem(end);
    return Produce(pidl_, static_cast<UINT>(reinterpret_cast<const BYTE*>(end) -
                                            reinterpret_cast<const BYTE*>(pidl_)));
}

LPITEMIDLIST TUiIdListArray::Produce(LPCITEMIDLIST from, UINT bytes) {
    ShellMemFree(last_);
    last_ = static_cast<LPITEMIDLIST>(ShellMemAlloc(bytes + sizeof(USHORT)));
    if (!last_) throw EOutOfMemory("Out of memory");
    BYTE* target = reinterpret_cast<BYTE*>(last_);
    std::memcpy(target, from, bytes);
    std::memset(target + bytes, 0, sizeof(USHORT));
    return last_;
}

int CompareIdListBytes(LPCITEMIDLIST a, LPCITEMIDLIST b) {
    const UINT lengthA = IdListLen(a);
    const UINT lengthB = IdListLen(b);
    const BYTE* bytesA = reinterpret_cast<const BYTE*>(a);
    const BYTE* bytesB = reinterpret_cast<const BYTE*>(b);
    for (UINT i = 0; i < std::min(lengthA, lengthB); ++i)
        if (bytesA[i] != bytesB[i]) return bytesA[i] - bytesB[i];
    return static_cast<int>(lengthA) - static_cast<int>(lengthB);
}

TUiPidlList::TUiPidlList() = default;

TUiPidlList::~TUiPidlList() { Clear(); }

LPITEMIDLIST TUiPidlList::GetPIDL(int index) const { return Entry(index)->Pidl; }

void TUiPidlList::SetPIDL(int index, LPITEMIDLIST pidl) { Entry(index)->Pidl = pidl; }

void* TUiPidlList::GetObject(int index) const { return Entry(index)->Object; }

void TUiPidlList::SetObject(int index, void* object) { Entry(index)->Object = object; }

int TUiPidlList::AddObject(LPITEMIDLIST pidl, void* object) {
    int index = GetCount();
    if (sorted_ && BinarySearch(pidl, index)) {
        if (duplicates_ == dupIgnore) return index;
        if (duplicates_ == dupError) throw Exception(SDuplicatePidl);
    }
    InsertObject(index, pidl, object);
    return index;
}

void TUiPidlList::InsertObject(int index, LPITEMIDLIST pidl, void* object) {
    if (index < 0 || index > GetCount()) throw EListError(Format(SListIndexError, index));
    entries_.Insert(index, new TEntry{pidl, object});
}

void TUiPidlList::Delete(int index) {
    TEntry* entry = Entry(index);
    if (malloc_ && entry->Pidl) malloc_->Free(entry->Pidl);
    delete entry;
    entries_.Delete(index);
}

void TUiPidlList::Clear() {
    for (int i = GetCount() - 1; i >= 0; --i) Delete(i);
    entries_.Clear();
}

void TUiPidlList::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    if (sorted_) Sort();
}

void TUiPidlList::Sort() {
    entries_.Sort([this](void* a, void* b) {
        return Compare(static_cast<TEntry*>(a)->Pidl, static_cast<TEntry*>(b)->Pidl);
    });
}

int TUiPidlList::Compare(LPCITEMIDLIST entry, LPCITEMIDLIST key) const {
    if (!shellFolder_) return CompareIdListBytes(entry, key);
    return static_cast<short>(HRESULT_CODE(shellFolder_->CompareIDs(0, entry, key)));
}

int TUiPidlList::IndexOf(LPCITEMIDLIST pidl) const {
    int index = -1;
    const bool found = sorted_ ? BinarySearch(pidl, index) : LinearSearch(pidl, index);
    return found ? index : -1;
}

bool TUiPidlList::BinarySearch(LPCITEMIDLIST pidl, int& index) const {
    int low = 0;
    int high = GetCount() - 1;
    bool found = false;
    while (low <= high) {
        const int middle = (low + high) >> 1;
        const int c = Compare(Entry(middle)->Pidl, pidl);
        if (c < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (c == 0) {
                found = true;
                if (duplicates_ != dupAccept) low = middle;
            }
        }
    }
    index = low;
    return found;
}

bool TUiPidlList::LinearSearch(LPCITEMIDLIST pidl, int& index) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (Compare(Entry(i)->Pidl, pidl) == 0) {
            index = i;
            return true;
        }
    }
    return false;
}
