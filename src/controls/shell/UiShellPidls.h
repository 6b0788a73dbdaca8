// Item identifier lists as arrays of their items, and lists of PIDLs with attached objects
// that the shell controls match against a folder's enumeration when they refresh.
#pragma once

#include "UiShellIntf.h"
#include "cl_component.h"
#include "cl_lists.h"

// One absolute PIDL seen as an array of its items. The PIDL is not owned; each result of
// GetItem or GoUp is owned by the array and freed by its next call, so callers that keep one
// copy it (CopyIdList).
class TUiIdListArray : public TObject {
    CL_CLASS(TUiIdListArray, TObject)

    explicit TUiIdListArray(LPCITEMIDLIST pidl) : pidl_(pidl) {}
    ~TUiIdListArray() override;
    TUiIdListArray(const TUiIdListArray&) = delete;
    TUiIdListArray& operator=(const TUiIdListArray&) = delete;

    int GetCount() const;
    // The index-th item alone (zero-based); null out of range. Index 0 of the empty PIDL is
    // the empty PIDL (the desktop).
    LPITEMIDLIST GetItem(int index);
    // The first count - levels items: 0 levels copy the list, GetCount levels give the empty
    // PIDL; null for more levels than items or fewer than none.
    LPITEMIDLIST GoUp(int levels);

private:
    LPITEMIDLIST Produce(LPCITEMIDLIST from, UINT bytes);

    LPCITEMIDLIST pidl_;
    LPITEMIDLIST last_ = nullptr;
};

// PIDLs with an attached object each, optionally sorted. Comparison goes through ShellFolder
// (PIDLs relative to it) or, without one, compares bytes. With Malloc set the list owns its
// PIDLs and frees them with it; attached objects are never freed.
class TUiPidlList : public TObject {
    CL_CLASS(TUiPidlList, TObject)

    TUiPidlList();
    ~TUiPidlList() override;
    TUiPidlList(const TUiPidlList&) = delete;
    TUiPidlList& operator=(const TUiPidlList&) = delete;

    int GetCount() const { return entries_.Count(); }
    int GetCapacity() const { return entries_.Capacity(); }
    void SetCapacity(int capacity) { entries_.SetCapacity(capacity); }
    LPITEMIDLIST GetPIDL(int index) const;
    // The old PIDL is not freed.
    void SetPIDL(int index, LPITEMIDLIST pidl);
    void* GetObject(int index) const;
    void SetObject(int index, void* object);

    virtual int Add(LPITEMIDLIST pidl) { return AddObject(pidl, nullptr); }
    // Stores the pointer itself; a sorted list places it in order and applies Duplicates.
    virtual int AddObject(LPITEMIDLIST pidl, void* object);
    void Insert(int index, LPITEMIDLIST pidl) { InsertObject(index, pidl, nullptr); }
    void InsertObject(int index, LPITEMIDLIST pidl, void* object);
    void Delete(int index);
    void Clear();

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    void Sort();
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
    IShellFolder_NRC* ShellFolder() const { return shellFolder_; }
    // Not referenced: the caller keeps the folder alive while the list sorts or searches.
    void SetShellFolder(IShellFolder_NRC* folder) { shellFolder_ = folder; }
    IMalloc_NRC* Malloc() const { return malloc_; }
    void SetMalloc(IMalloc_NRC* malloc) { malloc_ = malloc; }

    int IndexOf(LPCITEMIDLIST pidl) const;
    // Sorted lists: with dupAccept the index is the first entry not less than the key,
    // otherwise that of an equal entry when one exists.
    bool BinarySearch(LPCITEMIDLIST pidl, int& index) const;
    bool LinearSearch(LPCITEMIDLIST pidl, int& index) const;

    // The comparison of sorting and searching.
    int Compare(LPCITEMIDLIST entry, LPCITEMIDLIST key) const;

private:
    struct TEntry {
        LPITEMIDLIST Pidl;
        void* Object;
    };
    TEntry* Entry(int index) const { return static_cast<TEntry*>(entries_.Items(index)); }

    TList entries_;
    IShellFolder_NRC* shellFolder_ = nullptr;
    IMalloc_NRC* malloc_ = nullptr;
    bool sorted_ = false;
    TDuplicates duplicates_ = dupError;
};

// Byte comparison of two PIDLs: the first differing byte decides, else the shorter is less.
int CompareIdListBytes(LPCITEMIDLIST a, LPCITEMIDLIST b);

extern const char* const SDuplicatePidl;  // TUiPidlList: Duplicate PIDL
