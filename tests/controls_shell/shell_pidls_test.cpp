#include "UiShellPidls.h"
#include "shell_fixture.h"

namespace {

TEST(IdListArray, ItemsAndAncestorsOfAThreeItemList) {
    PidlHolder pidl(MakeIdList({{1}, {2, 2}, {3, 3, 3}}));
    TUiIdListArray items(pidl);
    EXPECT_EQ(3, items.GetCount());
    PidlHolder last(MakeIdList({{3, 3, 3}}));
    EXPECT_EQ(IdListBytes(last), IdListBytes(items.GetItem(2)));
    EXPECT_EQ(nullptr, items.GetItem(3));
    EXPECT_EQ(nullptr, items.GetItem(-1));
    PidlHolder parent(MakeIdList({{1}, {2, 2}}));
    EXPECT_EQ(IdListBytes(parent), IdListBytes(items.GoUp(1)));
    EXPECT_EQ(IdListBytes(pidl), IdListBytes(items.GoUp(0)));
    PidlHolder empty(MakeIdList({}));
    EXPECT_EQ(IdListBytes(empty), IdListBytes(items.GoUp(3)));
    EXPECT_EQ(nullptr, items.GoUp(4));
    EXPECT_EQ(nullptr, items.GoUp(-1));
}

TEST(IdListArray, EmptyAndMissingLists) {
    PidlHolder empty(MakeIdList({}));
    TUiIdListArray desktop(empty);
    EXPECT_EQ(0, desktop.GetCount());
    EXPECT_EQ(IdListBytes(empty), IdListBytes(desktop.GetItem(0)));
    EXPECT_EQ(nullptr, desktop.GetItem(1));
    TUiIdListArray none(nullptr);
    EXPECT_EQ(0, none.GetCount());
    EXPECT_EQ(nullptr, none.GetItem(0));
    EXPECT_EQ(nullptr, none.GoUp(0));
}

TEST(IdListArray, EachResultReplacesTheLastOne) {
    PidlHolder pidl(MakeIdList({{1}, {2}}));
    TUiIdListArray items(pidl);
    LPITEMIDLIST first = items.GetItem(0);
    PidlHolder kept(CopyIdList(nullptr, first));
    EXPECT_EQ(1, ShellIMalloc()->DidAlloc(first));
    items.GetItem(1);
    EXPECT_EQ(IdListBytes(MakeIdList({{1}})), IdListBytes(kept));
}

TEST(PidlListBytes, APrefixIsLessThanTheWholeList) {
    PidlHolder whole(MakeIdList({{7}, {8}}));
    PidlHolder prefix(MakeIdList({{7}}));
    EXPECT_LT(CompareIdListBytes(prefix, whole), 0);
    EXPECT_GT(CompareIdListBytes(whole, prefix), 0);
    EXPECT_EQ(0, CompareIdListBytes(whole, whole));
}

TEST(PidlList, SortedListAppliesItsDuplicatesSetting) {
    PidlHolder a(MakeIdList({{1}})), b(MakeIdList({{2}})), bAgain(MakeIdList({{2}}));
    TUiPidlList list;
    list.SetSorted(true);
    list.SetDuplicates(dupIgnore);
    EXPECT_EQ(0, list.Add(b));
    EXPECT_EQ(0, list.Add(a));
    EXPECT_EQ(1, list.Add(bAgain));
    EXPECT_EQ(1, list.Add(b));
    EXPECT_EQ(2, list.GetCount());

    list.SetDuplicates(dupError);
    EXPECT_THROW(
        {
            try {
                list.Add(bAgain);
            } catch (const Exception& e) {
                EXPECT_STREQ("TUiPidlList: Duplicate PIDL", e.Message().c_str());
                throw;
            }
        },
        Exception);
    EXPECT_EQ(2, list.GetCount());

    list.SetDuplicates(dupAccept);
    EXPECT_EQ(1, list.AddObject(bAgain, &list));
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(nullptr, list.GetObject(2));
    EXPECT_EQ(&list, list.GetObject(1));
}

TEST(PidlList, SettingSortedSortsOnceAndSearchesFindEntries) {
    PidlHolder c(MakeIdList({{3}})), a(MakeIdList({{1}})), b(MakeIdList({{2}}));
    PidlHolder key(MakeIdList({{2}})), absent(MakeIdList({{9}}));
    TUiPidlList list;
    list.Add(c);
    list.Add(a);
    list.Add(b);
    EXPECT_EQ(2, list.IndexOf(key));
    list.SetSorted(true);
    EXPECT_EQ(a.Get(), list.GetPIDL(0));
    EXPECT_EQ(b.Get(), list.GetPIDL(1));
    EXPECT_EQ(c.Get(), list.GetPIDL(2));
    list.SetPIDL(0, c);  // out of order now; sorting again is no change of the setting
    list.SetSorted(true);
    EXPECT_EQ(c.Get(), list.GetPIDL(0));
    list.SetPIDL(0, a);
    EXPECT_EQ(1, list.IndexOf(key));
    EXPECT_EQ(-1, list.IndexOf(absent));
    int index = -1;
    EXPECT_FALSE(list.BinarySearch(absent, index));
    EXPECT_EQ(3, index);
    EXPECT_THROW(list.GetPIDL(3), EListError);
    EXPECT_THROW(list.Insert(5, a), EListError);
}

TEST(PidlList, ClearFreesThePidlsOnlyWithAnAllocator) {
    LPITEMIDLIST owned = MakeIdList({{1}});
    PidlHolder notOwned(MakeIdList({{2}}));
    {
        TUiPidlList list;
        list.SetMalloc(ShellIMalloc());
        list.Add(owned);
        list.Clear();
        EXPECT_EQ(0, list.GetCount());
    }
    {
        TUiPidlList list;
        list.Add(notOwned);
        list.Clear();
    }
    EXPECT_EQ(1, ShellIMalloc()->DidAlloc(notOwned));
    EXPECT_EQ(IdListBytes(MakeIdList({{2}})), IdListBytes(notOwned));
}

// The relative PIDLs that a folder enumerates, in a list that owns them.
void Enumerate(IShellFolder_NRC* folder, TUiPidlList& list) {
    list.SetMalloc(ShellIMalloc());
    IEnumIDList_NRC* items = nullptr;
    ASSERT_EQ(S_OK, folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items));
    LPITEMIDLIST item = nullptr;
    while (items->Next(1, &item, nullptr) == S_OK) list.Add(item);
    items->Release();
}

TEST_F(ShellTreeTest, TwoListsTellGoneAndNewItemsOfAFolder) {
    PidlHolder pidl(Parse(Path()));
    IShellFolder_NRC* folder = nullptr;
    ASSERT_EQ(S_OK, ShellGetFolderFromIdList(pidl, folder));
    TUiPidlList shown;
    Enumerate(folder, shown);
    shown.SetShellFolder(folder);
    shown.SetSorted(true);
    ASSERT_EQ(3, shown.GetCount());

    DeleteFileA(Path("a.txt").c_str());
    WriteTextFile(Path("c.txt"), "new");
    TUiPidlList now;
    Enumerate(folder, now);
    for (int i = now.GetCount() - 1; i >= 0; --i) {
        const int found = shown.IndexOf(now.GetPIDL(i));
        if (found < 0) continue;
        shown.Delete(found);
        now.Delete(i);
    }
    ASSERT_EQ(1, shown.GetCount());
    ASSERT_EQ(1, now.GetCount());
    EXPECT_STREQ("a.txt", ShellGetFriendlyNameFromIdList(folder, shown.GetPIDL(0),
                                                         fnForParsing).c_str() +
                              Path().Length() + 1);
    EXPECT_STREQ(Path("c.txt").c_str(),
                 ShellGetFriendlyNameFromIdList(folder, now.GetPIDL(0), fnForParsing).c_str());
    shown.Clear();
    folder->Release();
}

}  // namespace
