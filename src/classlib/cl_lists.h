// Lists of the class library: the pointer list (plain and locked), the abstract string list
// with its stored implementation, and collections of owned, typed items.
#pragma once

#include <functional>
#include <mutex>
#include <vector>

#include "cl_component.h"

// windows.h defines GetObject as a macro for GetObjectA. Define it the same way here so that
// TStrings::GetObject has one spelling in every unit, whichever header comes first.
#ifdef __MINGW32__
#include <_mingw_unicode.h>
#define GetObject __MINGW_NAME_AW(GetObject)
#endif

class TStream;

enum TListNotification { lnAdded, lnExtracted, lnDeleted };
enum TDuplicates { dupIgnore, dupAccept, dupError };
using TListSortCompare = std::function<int(void* item1, void* item2)>;

// A list of untyped pointers. Index errors raise EListError "List index out of bounds (%d)".
// A subclass that needs Notify for the items left at destruction calls Clear() in its own
// destructor.
class TList : public TObject {
    CL_CREATABLE_CLASS(TList, TObject)

    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    // Index of the removed item, -1 when absent.
    int Remove(void* item);
    // Removes the item without deleting it (lnExtracted); null when absent.
    void* Extract(void* item);
    int IndexOf(void* item) const;
    int Count() const { return static_cast<int>(items_.size()); }
    void SetCount(int count);
    int Capacity() const { return static_cast<int>(items_.capacity()); }
    void SetCapacity(int capacity);
    void* Items(int index) const;
    void* operator[](int index) const { return Items(index); }
    void SetItem(int index, void* item);
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }
    virtual void Clear();
    void Exchange(int index1, int index2);
    void Move(int currentIndex, int newIndex);
    // Removes the null entries.
    void Pack();
    // Quicksort; the order of equal entries is not kept.
    void Sort(const TListSortCompare& compare);
    void Assign(const TList& source);
    // The items themselves, for fast iteration.
    void* const* List() const { return items_.data(); }

protected:
    virtual void Notify(void*, TListNotification) {}

private:
    void CheckIndex(int index) const;
    std::vector<void*> items_;
};

// A pointer list behind a lock, shared between threads.
class TThreadList : public TObject {
    CL_CREATABLE_CLASS(TThreadList, TObject)

    void Add(void* item);
    void Remove(void* item);
    void Clear();
    TList* LockList();
    void UnlockList();
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }

private:
    std::recursive_mutex lock_;
    TList list_;
    TDuplicates duplicates_ = dupIgnore;
};

// The abstract string list. Subclasses store the strings (TStringList) or show them in a
// window (the list and combo boxes' Items, the memo's Lines). Look-ups are case-insensitive
// unless CompareStrings says otherwise. Index errors raise EStringListError.
class TStrings : public TPersistent {
    CL_CLASS(TStrings, TPersistent)

    virtual AnsiString Get(int index) const = 0;
    virtual int GetCount() const = 0;
    virtual void Put(int index, const AnsiString& s);
    virtual TObject* GetObject(int) const { return nullptr; }
    virtual void PutObject(int, TObject*) {}
    virtual void Insert(int index, const AnsiString& s) = 0;
    virtual void InsertObject(int index, const AnsiString& s, TObject* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int Add(const AnsiString& s);
    virtual int AddObject(const AnsiString& s, TObject* object);
    void Append(const AnsiString& s) { Add(s); }
    virtual void AddStrings(TStrings* strings);
    void Assign(TPersistent* source) override;
    // In a component stream the items are the list of strings "Strings", stored when there
    // is one; reading replaces the items.
    void DefineProperties(TFiler* filer) override;

    // Counted; SetUpdateState runs on the outermost pair only.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    int Count() const { return GetCount(); }
    AnsiString Strings(int index) const { return Get(index); }
    AnsiString operator[](int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }

    virtual int IndexOf(const AnsiString& s) const;
    int IndexOfName(const AnsiString& name) const;
    int IndexOfObject(TObject* object) const;
    // "name=value" entries: the part before the first '=', and the value of a name.
    AnsiString Names(int index) const;
    AnsiString Values(const AnsiString& name) const;
    // An empty value deletes the entry.
    void SetValue(const AnsiString& name, const AnsiString& value);
    AnsiString ValueFromIndex(int index) const;

    // Every line followed by CR LF, the last one included.
    AnsiString Text() const { return GetTextStr(); }
    // Lines end at CR LF, CR or LF.
    void SetText(const AnsiString& text) { SetTextStr(text); }
    // Items separated by commas; an item with a blank, comma or quote is quoted with '"' and
    // its quotes doubled.
    AnsiString CommaText() const;
    void SetCommaText(const AnsiString& text);

    virtual void Move(int currentIndex, int newIndex);
    virtual void Exchange(int index1, int index2);
    bool Equals(TStrings* strings) const;

    virtual void LoadFromStream(TStream* stream);
    virtual void SaveToStream(TStream* stream) const;
    void LoadFromFile(const AnsiString& fileName);
    // The file is written whole or not at all.
    void SaveToFile(const AnsiString& fileName) const;

protected:
    virtual AnsiString GetTextStr() const;
    virtual void SetTextStr(const AnsiString& text);
    virtual void SetUpdateState(bool) {}
    // Case-insensitive by default.
    virtual int CompareStrings(const AnsiString& s1, const AnsiString& s2) const;
    [[noreturn]] static void IndexError(int index);

private:
    int updateCount_ = 0;
};

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

// The stored string list. Objects are kept, not owned.
class TStringList : public TStrings {
    CL_CREATABLE_CLASS(TStringList, TStrings)

    AnsiString Get(int index) const override;
    int GetCount() const override { return static_cast<int>(items_.size()); }
    // Raises EStringListError "Operation not allowed on sorted list" when sorted.
    void Put(int index, const AnsiString& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    // Raises EStringListError "Operation not allowed on sorted list" when sorted.
    void Insert(int index, const AnsiString& s) override;
    void InsertObject(int index, const AnsiString& s, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    // Sorted: placed in order; an equal string is ignored, accepted or raises
    // EStringListError "Duplicates not allowed" as Duplicates says.
    int Add(const AnsiString& s) override;
    int AddObject(const AnsiString& s, TObject* object) override;
    void Exchange(int index1, int index2) override;
    int IndexOf(const AnsiString& s) const override;

    // Binary search of a sorted list: true when found; `index` is where it is or would go.
    virtual bool Find(const AnsiString& s, int& index) const;
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void Changed();
    virtual void Changing();
    void SetUpdateState(bool updating) override;
    int CompareStrings(const AnsiString& s1, const AnsiString& s2) const override;

private:
    struct Item {
        AnsiString text;
        TObject* object;
    };
    void InsertItem(int index, const AnsiString& s, TObject* object);
    void CheckIndex(int index) const;
    void CheckUnsorted() const;

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = dupIgnore;
};

class TCollectionItem;
enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// A list of items of one class (a TCollectionItem descendant created through its metaclass,
// see CL_COLLECTION_ITEM_CLASS). The collection owns and frees its items.
class TCollection : public TPersistent {
    CL_CLASS(TCollection, TPersistent)

    explicit TCollection(const TMetaClass* itemClass);
    ~TCollection() override;

    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const;
    // Assigns `value` into the item at `index`.
    void SetItem(int index, TCollectionItem* value);
    TCollectionItem* FindItemID(int id) const;
    const TMetaClass* ItemClass() const { return itemClass_; }
    // Rebuilds the items from another collection and copies each with Assign.
    void Assign(TPersistent* source) override;

    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return updateCount_; }

protected:
    // Called after a change: with the item changed, or null when every item may have changed.
    virtual void Update(TCollectionItem*) {}
    virtual void Notify(TCollectionItem*, TCollectionNotification) {}
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void MoveItem(TCollectionItem* item, int newIndex);
    void ItemChanged(TCollectionItem* item);

    const TMetaClass* itemClass_;
    std::vector<TCollectionItem*> items_;
    int nextID_ = 0;
    int updateCount_ = 0;
};

class TCollectionItem : public TPersistent {
    CL_COLLECTION_ITEM_CLASS(TCollectionItem, TPersistent)

    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    void BeforeDestruction() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item to another collection (null: out of every collection).
    virtual void SetCollection(TCollection* collection);
    int Index() const;
    virtual void SetIndex(int index);
    int ID() const { return id_; }
    virtual AnsiString GetDisplayName() const { return ClassName(); }
    TPersistent* GetOwner() override { return collection_; }

protected:
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

// A collection that reports its owner (a component or another persistent object).
class TOwnedCollection : public TCollection {
    CL_CLASS(TOwnedCollection, TCollection)

    TOwnedCollection(TPersistent* owner, const TMetaClass* itemClass)
        : TCollection(itemClass), owner_(owner) {}
    TPersistent* GetOwner() override { return owner_; }

private:
    TPersistent* owner_;
};
