#include "cl_lists.h"

#include <algorithm>

#include "cl_filer.h"
#include "cl_streams.h"
#include "cl_sys.h"

namespace {

AnsiString IndexErrorText(int index) {
    return "List index out of bounds (" + IntToStr(index) + ")";
}

bool NeedsQuotes(const AnsiString& s) {
    if (s.IsEmpty()) return false;
    for (int i = 1; i <= s.Length(); ++i)
        if (static_cast<unsigned char>(s[i]) <= ' ' || s[i] == ',' || s[i] == '"') return true;
    return false;
}

AnsiString Quoted(const AnsiString& s) {
    AnsiString result("\"");
    for (int i = 1; i <= s.Length(); ++i) {
        if (s[i] == '"') result += '"';
        result += s[i];
    }
    return result + '"';
}

// Reads one comma-text item starting at `pos` (1-based); leaves `pos` after its delimiter.
// `lastWasEmpty` tells that a delimiter ended the text, leaving one more, empty item.
AnsiString NextCommaItem(const AnsiString& text, int& pos, bool& lastWasEmpty) {
    const int length = text.Length();
    AnsiString item;
    if (pos <= length && text[pos] == '"') {
        ++pos;
        while (pos <= length) {
            if (text[pos] == '"') {
                if (pos < length && text[pos + 1] == '"') {
                    item += '"';
                    pos += 2;
                    continue;
                }
                ++pos;
                break;
            }
            item += text[pos++];
        }
        while (pos <= length && text[pos] != ',' && static_cast<unsigned char>(text[pos]) > ' ')
            item += text[pos++];
    } else {
        while (pos <= length && text[pos] != ',' && static_cast<unsigned char>(text[pos]) > ' ')
            item += text[pos++];
    }
    while (pos <= length && static_cast<unsigned char>(text[pos]) <= ' ') ++pos;
    if (pos <= length && text[pos] == ',') {
        lastWasEmpty = ++pos > length;
        while (pos <= length && static_cast<unsigned char>(text[pos]) <= ' ') ++pos;
    }
    return item;
}

}  // namespace

// ---- TList ----

void TList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw EListError(IndexErrorText(index));
}

int TList::Add(void* item) {
    items_.push_back(item);
    if (item) Notify(item, lnAdded);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count()) throw EListError(IndexErrorText(index));
    items_.insert(items_.begin() + index, item);
    if (item) Notify(item, lnAdded);
}

void TList::Delete(int index) {
    CheckIndex(index);
    void* item = items_[index];
    items_.erase(items_.begin() + index);
    if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* item) {
    const int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

void* TList::Extract(void* item) {
    const int index = IndexOf(item);
    if (index < 0) return nullptr;
    items_.erase(items_.begin() + index);
    Notify(item, lnExtracted);
    return item;
}

int TList::IndexOf(void* item) const {
    const auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TList::SetCount(int count) {
    if (count < 0) throw EListError("List count out of bounds (" + IntToStr(count) + ")");
    if (count > Count()) {
        items_.resize(count, nullptr);
        return;
    }
    for (int i = Count() - 1; i >= count; --i) Delete(i);
}

void TList::SetCapacity(int capacity) {
    if (capacity < Count())
        throw EListError("List capacity out of bounds (" + IntToStr(capacity) + ")");
    items_.reserve(capacity);
}

void* TList::Items(int index) const {
    CheckIndex(index);
    return items_[index];
}

void TList::SetItem(int index, void* item) {
    CheckIndex(index);
    void* old = items_[index];
    if (old == item) return;
    items_[index] = item;
    if (old) Notify(old, lnDeleted);
    if (item) Notify(item, lnAdded);
}

void TList::Clear() {
    SetCount(0);
    items_.shrink_to_fit();
}

void TList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(items_[index1], items_[index2]);
}

void TList::Move(int currentIndex, int newIndex) {
    if (currentIndex == newIndex) return;
    CheckIndex(currentIndex);
    CheckIndex(newIndex);
    void* item = items_[currentIndex];
    items_.erase(items_.begin() + currentIndex);
    items_.insert(items_.begin() + newIndex, item);
}

void TList::Pack() { items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end()); }

void TList::Sort(const TListSortCompare& compare) {
    std::sort(items_.begin(), items_.end(),
              [&](void* a, void* b) { return compare(a, b) < 0; });
}

void TList::Assign(const TList& source) {
    Clear();
    for (void* item : source.items_) Add(item);
}

// ---- TThreadList ----

void TThreadList::Add(void* item) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    if (duplicates_ != dupAccept && list_.IndexOf(item) >= 0) {
        if (duplicates_ == dupError) throw EListError("Duplicates not allowed");
        return;
    }
    list_.Add(item);
}

void TThreadList::Remove(void* item) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    list_.Remove(item);
}

void TThreadList::Clear() {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    list_.Clear();
}

TList* TThreadList::LockList() {
    lock_.lock();
    return &list_;
}

void TThreadList::UnlockList() { lock_.unlock(); }

// ---- TStrings ----

void TStrings::IndexError(int index) { throw EStringListError(IndexErrorText(index)); }

void TStrings::Put(int index, const AnsiString& s) {
    TObject* object = GetObject(index);
    BeginUpdate();
    Delete(index);
    InsertObject(index, s, object);
    EndUpdate();
}

void TStrings::InsertObject(int index, const AnsiString& s, TObject* object) {
    Insert(index, s);
    PutObject(index, object);
}

int TStrings::Add(const AnsiString& s) {
    const int index = GetCount();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const AnsiString& s, TObject* object) {
    const int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::AddStrings(TStrings* strings) {
    BeginUpdate();
    for (int i = 0; i < strings->GetCount(); ++i)
        AddObject(strings->Get(i), strings->GetObject(i));
    EndUpdate();
}

void TStrings::Assign(TPersistent* source) {
    auto* strings = dynamic_cast<TStrings*>(source);
    if (!strings) {
        TPersistent::Assign(source);
        return;
    }
    if (strings == this) return;
    BeginUpdate();
    Clear();
    AddStrings(strings);
    EndUpdate();
}

void TStrings::DefineProperties(TFiler* filer) {
    filer->DefineProperty(
        "Strings",
        [this](TReader* reader) {
            std::vector<AnsiString> lines;
            reader->ReadListBegin();
            while (!reader->EndOfList()) lines.push_back(reader->ReadString());
            reader->ReadListEnd();
            BeginUpdate();
            try {
                Clear();
                for (const AnsiString& line : lines) Add(line);
            } catch (...) {
                EndUpdate();
                throw;
            }
            EndUpdate();
        },
        [this](TWriter* writer) {
            writer->WriteListBegin();
            for (int i = 0; i < GetCount(); ++i) writer->WriteString(Get(i));
            writer->WriteListEnd();
        },
        GetCount() > 0);
}

void TStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

int TStrings::CompareStrings(const AnsiString& s1, const AnsiString& s2) const {
    return CompareText(s1, s2);
}

int TStrings::IndexOf(const AnsiString& s) const {
    for (int i = 0; i < GetCount(); ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const AnsiString& name) const {
    for (int i = 0; i < GetCount(); ++i) {
        const AnsiString s = Get(i);
        const int separator = s.Pos("=");
        if (separator > 0 && CompareStrings(s.SubString(1, separator - 1), name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* object) const {
    for (int i = 0; i < GetCount(); ++i)
        if (GetObject(i) == object) return i;
    return -1;
}

AnsiString TStrings::Names(int index) const {
    const AnsiString s = Get(index);
    const int separator = s.Pos("=");
    return separator > 0 ? s.SubString(1, separator - 1) : AnsiString();
}

AnsiString TStrings::Values(const AnsiString& name) const {
    const int index = IndexOfName(name);
    return index >= 0 ? ValueFromIndex(index) : AnsiString();
}

void TStrings::SetValue(const AnsiString& name, const AnsiString& value) {
    const int index = IndexOfName(name);
    if (value.IsEmpty()) {
        if (index >= 0) Delete(index);
        return;
    }
    if (index >= 0)
        Put(index, name + "=" + value);
    else
        Add(name + "=" + value);
}

AnsiString TStrings::ValueFromIndex(int index) const {
    const AnsiString s = Get(index);
    const int separator = s.Pos("=");
    return separator > 0 ? s.SubString(separator + 1, s.Length()) : AnsiString();
}

AnsiString TStrings::GetTextStr() const {
    AnsiString text;
    for (int i = 0; i < GetCount(); ++i) text += Get(i) + "\r\n";
    return text;
}

void TStrings::SetTextStr(const AnsiString& text) {
    BeginUpdate();
    Clear();
    const std::string& bytes = text.str();
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        Add(AnsiString(bytes.substr(start, end - start)));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
            bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    EndUpdate();
}

AnsiString TStrings::CommaText() const {
    AnsiString text;
    for (int i = 0; i < GetCount(); ++i) {
        if (i > 0) text += ',';
        const AnsiString s = Get(i);
        text += NeedsQuotes(s) ? Quoted(s) : s;
    }
    return text;
}

void TStrings::SetCommaText(const AnsiString& text) {
    BeginUpdate();
    Clear();
    int pos = 1;
    while (pos <= text.Length() && static_cast<unsigned char>(text[pos]) <= ' ') ++pos;
    bool lastWasEmpty = false;
    while (pos <= text.Length()) Add(NextCommaItem(text, pos, lastWasEmpty));
    if (lastWasEmpty) Add("");
    EndUpdate();
}

void TStrings::Move(int currentIndex, int newIndex) {
    if (currentIndex == newIndex) return;
    BeginUpdate();
    const AnsiString s = Get(currentIndex);
    TObject* object = GetObject(currentIndex);
    Delete(currentIndex);
    InsertObject(newIndex, s, object);
    EndUpdate();
}

void TStrings::Exchange(int index1, int index2) {
    BeginUpdate();
    const AnsiString s1 = Get(index1);
    TObject* object1 = GetObject(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, s1);
    PutObject(index2, object1);
    EndUpdate();
}

bool TStrings::Equals(TStrings* strings) const {
    if (GetCount() != strings->GetCount()) return false;
    for (int i = 0; i < GetCount(); ++i)
        if (Get(i) != strings->Get(i)) return false;
    return true;
}

void TStrings::LoadFromStream(TStream* stream) {
    const int64_t size = stream->Size() - stream->Position();
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (!bytes.empty()) stream->ReadBuffer(&bytes[0], static_cast<int>(bytes.size()));
    SetTextStr(AnsiString(std::move(bytes)));
}

void TStrings::SaveToStream(TStream* stream) const {
    const AnsiString text = GetTextStr();
    stream->WriteBuffer(text.c_str(), text.Length());
}

void TStrings::LoadFromFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TStrings::SaveToFile(const AnsiString& fileName) const {
    const AnsiString text = GetTextStr();
    WriteFileWhole(fileName, text.c_str(), static_cast<size_t>(text.Length()));
}

// ---- TStringList ----

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= GetCount()) IndexError(index);
}

void TStringList::CheckUnsorted() const {
    if (sorted_) throw EStringListError("Operation not allowed on sorted list");
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(const AnsiString& s1, const AnsiString& s2) const {
    return caseSensitive_ ? CompareStr(s1, s2) : CompareText(s1, s2);
}

AnsiString TStringList::Get(int index) const {
    CheckIndex(index);
    return items_[index].text;
}

void TStringList::Put(int index, const AnsiString& s) {
    CheckUnsorted();
    CheckIndex(index);
    Changing();
    items_[index].text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return items_[index].object;
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index);
    Changing();
    items_[index].object = object;
    Changed();
}

void TStringList::InsertItem(int index, const AnsiString& s, TObject* object) {
    Changing();
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Insert(int index, const AnsiString& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const AnsiString& s, TObject* object) {
    CheckUnsorted();
    if (index < 0 || index > GetCount()) IndexError(index);
    InsertItem(index, s, object);
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    items_.clear();
    Changed();
}

int TStringList::Add(const AnsiString& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const AnsiString& s, TObject* object) {
    int index = GetCount();
    if (sorted_ && Find(s, index)) {
        if (duplicates_ == dupIgnore) return index;
        if (duplicates_ == dupError) throw EStringListError("Duplicates not allowed");
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(items_[index1], items_[index2]);
    Changed();
}

int TStringList::IndexOf(const AnsiString& s) const {
    if (!sorted_) return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(const AnsiString& s, int& index) const {
    int low = 0, high = GetCount() - 1;
    bool found = false;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int comparison = CompareStrings(items_[middle].text, s);
        if (comparison < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (comparison == 0) {
                found = true;
                if (duplicates_ != dupAccept) low = middle;
            }
        }
    }
    index = low;
    return found;
}

void TStringList::Sort() {
    CustomSort([](TStringList* list, int a, int b) {
        return list->CompareStrings(list->items_[a].text, list->items_[b].text);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
    if (GetCount() < 2) return;
    Changing();
    // Sort a permutation so that the comparison sees the list's current indices.
    std::vector<int> order(items_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return compare(this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (int i : order) sorted.push_back(items_[i]);
    items_.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    if (sorted) Sort();
    sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == caseSensitive_) return;
    caseSensitive_ = caseSensitive;
    if (sorted_) Sort();
}

// ---- TCollection ----

TCollection::TCollection(const TMetaClass* itemClass) : itemClass_(itemClass) {}

TCollection::~TCollection() {
    updateCount_ = 1;
    Clear();
}

TCollectionItem* TCollection::Add() {
    TObject* object = itemClass_->Create(this);
    auto* item = dynamic_cast<TCollectionItem*>(object);
    if (!item) {
        TObject::Free(object);
        throw EInvalidCast(itemClass_->ClassName() + " is not a collection item class");
    }
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) { Items(index)->Free(); }

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    while (!items_.empty()) items_.back()->Free();
    EndUpdate();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(IndexErrorText(index));
    return items_[index];
}

void TCollection::SetItem(int index, TCollectionItem* value) { Items(index)->Assign(value); }

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : items_)
        if (item->ID() == id) return item;
    return nullptr;
}

void TCollection::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    Clear();
    for (TCollectionItem* item : other->items_) Add()->Assign(item);
    EndUpdate();
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextID_++;
    Notify(item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    Notify(item, cnExtracting);
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->collection_ = nullptr;
    Changed();
}

void TCollection::MoveItem(TCollectionItem* item, int newIndex) {
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    newIndex = std::max(0, std::min(newIndex, Count()));
    items_.insert(items_.begin() + newIndex, item);
    Changed();
}

void TCollection::ItemChanged(TCollectionItem* item) {
    if (updateCount_ == 0) Update(item);
}

// ---- TCollectionItem ----

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::BeforeDestruction() {
    if (collection_) collection_->Notify(this, cnDeleting);
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == collection_) return;
    if (collection_) collection_->RemoveItem(this);
    if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    const auto& items = collection_->items_;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    if (collection_ && index != Index()) collection_->MoveItem(this, index);
}

void TCollectionItem::Changed(bool allItems) {
    if (collection_) collection_->ItemChanged(allItems ? nullptr : this);
}
