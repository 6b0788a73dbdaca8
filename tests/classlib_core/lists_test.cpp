// Pointer lists, string lists and collections: order, errors, texts and change events.
#include "cl_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cl_streams.h"
#include "temp_folder.h"

namespace {

template <class E, class F> std::string MessageOf(F action) {
    try {
        action();
    } catch (const E& e) {
        return e.Message().str();
    }
    return "no exception";
}

std::vector<std::string> Lines(const TStrings& strings) {
    std::vector<std::string> lines;
    for (int i = 0; i < strings.Count(); ++i) lines.push_back(strings[i].str());
    return lines;
}

class TNotifyingList : public TList {
public:
    std::vector<std::string> events;
    ~TNotifyingList() override { Clear(); }

protected:
    void Notify(void* item, TListNotification action) override {
        static const char* names[] = {"added", "extracted", "deleted"};
        events.push_back(std::string(names[action]) + " " + *static_cast<std::string*>(item));
    }
};

TEST(List, IndexErrorsCarryTheIndex) {
    TList list;
    list.Add(nullptr);
    EXPECT_EQ(MessageOf<EListError>([&] { list.Items(5); }), "List index out of bounds (5)");
    EXPECT_EQ(MessageOf<EListError>([&] { list.Delete(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(MessageOf<EListError>([&] { list.Insert(3, nullptr); }),
              "List index out of bounds (3)");
    EXPECT_THROW(TList().First(), EListError);
}

TEST(List, NotifiesAddsDeletesAndExtractions) {
    std::string a = "a", b = "b", c = "c";
    {
        TNotifyingList list;
        list.Add(&a);
        list.Add(&b);
        list.Insert(0, &c);
        list.Extract(&a);
        list.SetItem(0, &a);
        list.Remove(&b);
        const std::vector<std::string> expected = {"added a",   "added b",   "added c",
                                                   "extracted a", "deleted c", "added a",
                                                   "deleted b"};
        EXPECT_EQ(list.events, expected);
        list.events.clear();
        list.Clear();
        EXPECT_EQ(list.events, std::vector<std::string>{"deleted a"});
    }
}

TEST(List, SortsMovesAndPacks) {
    int values[] = {5, 1, 4, 2, 3};
    TList list;
    for (int& v : values) list.Add(&v);
    list.Add(nullptr);
    list.Pack();
    list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
    std::vector<int> sorted;
    for (int i = 0; i < list.Count(); ++i) sorted.push_back(*static_cast<int*>(list[i]));
    EXPECT_EQ(sorted, (std::vector<int>{1, 2, 3, 4, 5}));
    list.Move(0, 4);
    list.Exchange(0, 1);
    EXPECT_EQ(*static_cast<int*>(list.First()), 3);
    EXPECT_EQ(*static_cast<int*>(list.Items(1)), 2);
    EXPECT_EQ(*static_cast<int*>(list.Last()), 1);
}

TEST(ThreadList, RefusesDuplicatesAsConfigured) {
    TThreadList list;
    int x = 0;
    list.Add(&x);
    list.Add(&x);
    EXPECT_EQ(list.LockList()->Count(), 1);
    list.UnlockList();
    list.SetDuplicates(dupError);
    EXPECT_THROW(list.Add(&x), EListError);
    list.SetDuplicates(dupAccept);
    list.Add(&x);
    EXPECT_EQ(list.LockList()->Count(), 2);
    list.UnlockList();
}

TEST(StringList, SortedListPlacesItemsAndHandlesDuplicates) {
    TStringList list;
    list.SetSorted(true);
    EXPECT_EQ(list.Add("pear"), 0);
    EXPECT_EQ(list.Add("Apple"), 0);
    EXPECT_EQ(list.Add("banana"), 1);
    EXPECT_EQ(list.Add("APPLE"), 0);  // ignored: the existing entry's index
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Apple", "banana", "pear"}));

    list.SetDuplicates(dupError);
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Add("Pear"); }), "Duplicates not allowed");
    list.SetDuplicates(dupAccept);
    list.Add("Pear");
    EXPECT_EQ(list.Count(), 4);

    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(0, "x"); }),
              "Operation not allowed on sorted list");
    EXPECT_THROW(list.Put(0, "x"), EStringListError);
    int index = -1;
    EXPECT_FALSE(list.Find("cherry", index));
    EXPECT_EQ(index, 2);
    EXPECT_TRUE(list.Find("BANANA", index));
    EXPECT_EQ(index, 1);
}

TEST(StringList, LookupsAreCaseInsensitiveUnlessAsked) {
    TStringList list;
    list.SetText("One\r\nTwo\r\nthree\r\n");
    EXPECT_EQ(list.IndexOf("TWO"), 1);
    EXPECT_EQ(list.IndexOf("four"), -1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("TWO"), -1);
    EXPECT_EQ(list.IndexOf("Two"), 1);
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"One", "Two", "three"}));
}

TEST(StringList, IndexErrorsAreStringListErrors) {
    TStringList list;
    list.Add("a");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Get(1); }), "List index out of bounds (1)");
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Objects(2), EStringListError);
    EXPECT_THROW(list.Insert(2, "c"), EStringListError);
}

TEST(StringList, TextSplitsAtEveryLineEndAndEndsEachLine) {
    TStringList list;
    list.SetText("a\r\nb\rc\nd");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
    list.SetText("x\n\ny\n");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"x", "", "y"}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), "");
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
    struct Case {
        std::vector<std::string> items;
        const char* text;
    };
    const Case cases[] = {
        {{"Arial", "Courier New", "Symbol"}, "Arial,\"Courier New\",Symbol"},
        {{"a,b", "say \"hi\"", ""}, "\"a,b\",\"say \"\"hi\"\"\","},
        {{"x"}, "x"},
    };
    for (const Case& c : cases) {
        TStringList list;
        for (const auto& item : c.items) list.Add(item.c_str());
        EXPECT_EQ(list.CommaText(), c.text);
        TStringList back;
        back.SetCommaText(c.text);
        EXPECT_EQ(Lines(back), c.items) << c.text;
    }
    TStringList spaced;
    spaced.SetCommaText("one two, \"three four\"");
    EXPECT_EQ(Lines(spaced), (std::vector<std::string>{"one", "two", "three four"}));
}

TEST(StringList, NamesAndValues) {
    TStringList list;
    list.Add("Port=3");
    list.Add("Baud=9600");
    list.Add("plain");
    EXPECT_EQ(list.Values("port"), "3");
    EXPECT_EQ(list.Names(1), "Baud");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.ValueFromIndex(1), "9600");
    EXPECT_EQ(list.IndexOfName("BAUD"), 1);
    list.SetValue("Baud", "19200");
    list.SetValue("Parity", "N");
    list.SetValue("Port", "");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Baud=19200", "plain", "Parity=N"}));
}

TEST(StringList, ChangeEventsFireOncePerUpdateBlock) {
    TStringList list;
    int changes = 0, changings = 0;
    list.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changes;
    };
    list.OnChanging = [&](TObject*) { ++changings; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(changings, 2);
}

TEST(StringList, KeepsObjectsAndCopiesThemOnAssign) {
    TStringList a;
    TStringList marker;
    a.AddObject("first", &marker);
    a.Add("second");
    EXPECT_EQ(a.IndexOfObject(&marker), 0);
    TStringList b;
    b.Assign(&a);
    EXPECT_TRUE(b.Equals(&a));
    EXPECT_EQ(b.Objects(0), &marker);
    b.Exchange(0, 1);
    EXPECT_EQ(b.Objects(1), &marker);
    b.Move(1, 0);
    EXPECT_EQ(Lines(b), (std::vector<std::string>{"first", "second"}));
    EXPECT_THROW(b.Assign(nullptr), EConvertError);
}

TEST(StringList, CustomSortSeesCurrentIndices) {
    TStringList list;
    list.SetCommaText("10,9,100");
    list.CustomSort([](TStringList* l, int a, int b) {
        return l->Strings(a).Length() - l->Strings(b).Length();
    });
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"9", "10", "100"}));
}

TEST(StringList, FilesRoundTripAndLoadAcceptsAnyLineEnd) {
    TempFolder folder;
    TStringList list;
    list.SetCommaText("alpha,beta,gamma");
    list.SaveToFile(folder.Path("list.txt"));
    TStringList back;
    back.LoadFromFile(folder.Path("list.txt"));
    EXPECT_TRUE(back.Equals(&list));

    TMemoryStream stream;
    stream.WriteBuffer("x\ry\nz", 5);
    stream.SetPosition(0);
    back.LoadFromStream(&stream);
    EXPECT_EQ(Lines(back), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_THROW(back.LoadFromFile(folder.Path("missing.txt")), EFOpenError);
}

// The least a subclass provides; everything else comes from TStrings itself.
class TVectorStrings : public TStrings {
public:
    std::vector<std::string> items;
    std::vector<TObject*> objects;
    std::vector<bool> updateStates;

    AnsiString Get(int index) const override {
        if (index < 0 || index >= GetCount()) IndexError(index);
        return items[index];
    }
    int GetCount() const override { return static_cast<int>(items.size()); }
    TObject* GetObject(int index) const override { return objects[index]; }
    void PutObject(int index, TObject* object) override { objects[index] = object; }
    void Insert(int index, const AnsiString& s) override {
        items.insert(items.begin() + index, s.str());
        objects.insert(objects.begin() + index, nullptr);
    }
    void Delete(int index) override {
        items.erase(items.begin() + index);
        objects.erase(objects.begin() + index);
    }
    void Clear() override {
        items.clear();
        objects.clear();
    }

protected:
    void SetUpdateState(bool updating) override { updateStates.push_back(updating); }
};

TEST(Strings, BaseClassBuildsEveryOperationOnTheAbstractOnes) {
    TVectorStrings strings;
    TStringList marker;
    strings.SetText("b\r\nc\r\n");
    EXPECT_EQ(strings.Add("d"), 2);
    strings.InsertObject(0, "a", &marker);
    strings.Put(0, "A");
    EXPECT_EQ(strings.Objects(0), &marker);  // Put keeps the object
    strings.Move(0, 3);
    strings.Exchange(0, 1);
    EXPECT_EQ(strings.items, (std::vector<std::string>{"c", "b", "d", "A"}));
    EXPECT_EQ(strings.IndexOf("a"), 3);
    EXPECT_EQ(strings.IndexOfObject(&marker), 3);
    EXPECT_EQ(strings.Text(), "c\r\nb\r\nd\r\nA\r\n");
    EXPECT_EQ(MessageOf<EStringListError>([&] { strings.Get(9); }), "List index out of bounds (9)");

    strings.updateStates.clear();
    strings.BeginUpdate();
    strings.BeginUpdate();
    strings.EndUpdate();
    strings.EndUpdate();
    EXPECT_EQ(strings.updateStates, (std::vector<bool>{true, false}));

    TStringList copy;
    copy.Assign(&strings);
    EXPECT_EQ(copy.CommaText(), "c,b,d,A");
    strings.Assign(&copy);
    EXPECT_TRUE(strings.Equals(&copy));
}

// ---- collections ----

std::vector<std::string> updates;

class TLineItem : public TCollectionItem {
    CL_COLLECTION_ITEM_CLASS(TLineItem, TCollectionItem)

    explicit TLineItem(TCollection* collection) : TCollectionItem(collection) {}
    int Width = 1;
    void SetWidth(int width) {
        Width = width;
        Changed(false);
    }
    void Assign(TPersistent* source) override {
        if (auto* other = dynamic_cast<TLineItem*>(source)) {
            Width = other->Width;
            return;
        }
        TCollectionItem::Assign(source);
    }
};

class TLines : public TOwnedCollection {
public:
    explicit TLines(TPersistent* owner) : TOwnedCollection(owner, TLineItem::StaticClass()) {}
    TLineItem* Item(int index) const { return static_cast<TLineItem*>(Items(index)); }

protected:
    void Update(TCollectionItem* item) override {
        updates.push_back(item ? "item " + std::to_string(item->Index()) : "all");
    }
};

TEST(Collection, CreatesItemsOfItsClassWithIdsAndIndices) {
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    TLines lines(owner.get());
    EXPECT_EQ(lines.GetOwner(), owner.get());
    TCollectionItem* a = lines.Add();
    TCollectionItem* b = lines.Add();
    EXPECT_EQ(a->ClassName(), "TLineItem");
    EXPECT_EQ(a->Collection(), &lines);
    EXPECT_EQ(b->ID(), 1);
    TCollectionItem* c = lines.Insert(0);
    EXPECT_EQ(c->Index(), 0);
    EXPECT_EQ(b->Index(), 2);
    b->SetIndex(0);
    EXPECT_EQ(lines.Items(0), b);
    EXPECT_EQ(lines.FindItemID(2), c);
    EXPECT_THROW(lines.Items(3), EListError);

    a->Free();
    EXPECT_EQ(lines.Count(), 2);
    lines.Delete(0);
    EXPECT_EQ(lines.Items(0), c);
}

TEST(Collection, ReportsChangesOutsideUpdateBlocks) {
    updates.clear();
    TLines lines(nullptr);
    lines.Add();
    lines.Add();
    lines.Item(1)->SetWidth(3);
    lines.BeginUpdate();
    lines.Item(0)->SetWidth(2);
    lines.Add();
    lines.EndUpdate();
    EXPECT_EQ(updates, (std::vector<std::string>{"all", "all", "item 1", "all"}));
}

TEST(Collection, AssignRebuildsTheItems) {
    TLines source(nullptr), target(nullptr);
    source.Add();
    source.Add();
    source.Item(1)->SetWidth(7);
    target.Add();
    target.Assign(&source);
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(target.Item(1)->Width, 7);
    target.SetItem(0, source.Item(1));
    EXPECT_EQ(target.Item(0)->Width, 7);

    TLines other(nullptr);
    TCollectionItem* moved = source.Items(0);
    moved->SetCollection(&other);
    EXPECT_EQ(source.Count(), 1);
    EXPECT_EQ(other.Items(0), moved);
}

}  // namespace
