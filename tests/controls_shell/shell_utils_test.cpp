#include "shell_fixture.h"

#include <commctrl.h>

#include <algorithm>

namespace {

TEST(ShellVersions, WineIsAnNtSystemWithTheNewShell) {
    EXPECT_TRUE(IsWinNT());
    EXPECT_FALSE(IsWin95());
    EXPECT_FALSE(IsOSR2OrGreater());
    EXPECT_TRUE(IsWin2000());
    EXPECT_TRUE(HasWin95Shell());
    EXPECT_NE(0u, SHELL32_VER.High);
    EXPECT_NE(0u, COMCTL32_VER.High);
}

TEST(ShellVersions, ModuleVersionsCompareHighHalfFirst) {
    TUiModuleVersion older{0xFFFFFFFF, ModuleVersionHigh(4, 71)};
    TUiModuleVersion newer{0, ModuleVersionHigh(4, 72)};
    EXPECT_TRUE(older < newer);
    EXPECT_FALSE(newer < older);
    EXPECT_FALSE(older == newer);
}

TEST_F(ShellTreeTest, ModuleVersionOfAFileWithoutVersionIsFalseAndLeavesTheRecord) {
    TUiModuleVersion version{1, 2};
    EXPECT_FALSE(GetModuleVersion(Path("a.txt"), version));
    EXPECT_EQ(1u, version.Low);
    EXPECT_EQ(2u, version.High);
    EXPECT_TRUE(GetModuleVersion("shell32.dll", version));
    EXPECT_TRUE(version == SHELL32_VER);
}

TEST(ShellAllocator, AllocatesThroughTheShellsAllocator) {
    EXPECT_EQ(nullptr, ShellMemRealloc(nullptr, 16));
    void* p = ShellMemAlloc(16);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(1, ShellIMalloc()->DidAlloc(p));
    p = ShellMemRealloc(p, 64);
    ASSERT_NE(nullptr, p);
    EXPECT_GE(ShellIMalloc()->GetSize(p), 64u);
    ShellMemFree(p);
    ShellMemFree(nullptr);
}

TEST_F(ShellTreeTest, PathsAndIdListsRoundTrip) {
    PidlHolder pidl(Parse(Path("Sub\\Inner")));
    ASSERT_NE(nullptr, pidl.Get());
    EXPECT_STREQ(Path("Sub\\Inner").c_str(), ShellGetPathFromIdList(pidl).c_str());
    EXPECT_STREQ(Path("a.txt").c_str(), ShellGetDisplayPathName(Path("a.txt")).c_str());

    PidlHolder missing;
    EXPECT_TRUE(FAILED(ShellGetIdListFromPath(Path("NoSuchFile.txt"), missing.Out())));
    EXPECT_EQ(nullptr, missing.Get());
    EXPECT_STREQ("", ShellGetDisplayPathName(Path("NoSuchFile.txt")).c_str());
}

TEST_F(ShellTreeTest, ItemsOutsideTheFileSystemHaveNoPath) {
    PidlHolder drives;
    ASSERT_EQ(S_OK, ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives.Out()));
    EXPECT_STREQ("", ShellGetPathFromIdList(drives).c_str());
    EXPECT_STREQ("", ShellGetSpecialFolderPath(nullptr, csidlDrives).c_str());
    EXPECT_FALSE(ShellGetSpecialFolderPath(nullptr, csidlPersonal).IsEmpty());
}

// The names of the items a folder enumerates.
std::vector<std::string> EnumeratedNames(IShellFolder_NRC* folder) {
    std::vector<std::string> names;
    IEnumIDList_NRC* items = nullptr;
    if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items) != S_OK)
        return names;
    LPITEMIDLIST item = nullptr;
    while (items->Next(1, &item, nullptr) == S_OK) {
        names.push_back(ShellGetFriendlyNameFromIdList(folder, item, fnForParsing).c_str());
        ShellMemFree(item);
    }
    items->Release();
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(ShellTreeTest, FolderOfAnIdListEnumeratesItsItems) {
    PidlHolder pidl(Parse(Path()));
    IShellFolder_NRC* folder = nullptr;
    ASSERT_EQ(S_OK, ShellGetFolderFromIdList(pidl, folder));
    const std::vector<std::string> expected{Path("Sub").c_str(), Path("a.txt").c_str(),
                                            Path("b.dat").c_str()};
    EXPECT_EQ(expected, EnumeratedNames(folder));
    folder->Release();


    PidlHolder empty(MakeIdList({}));
    for (LPCITEMIDLIST desktopList : {LPCITEMIDLIST{}, LPCITEMIDLIST{empty.Get()}}) {
        IShellFolder_NRC* desktop = nullptr;
        ASSERT_EQ(S_OK, ShellGetFolderFromIdList(desktopList, desktop));
        EXPECT_STREQ(Path().c_str(),
                     ShellGetFriendlyNameFromIdList(desktop, pidl, fnForParsing).c_str());
        desktop->Release();
    }
}

TEST_F(ShellTreeTest, SpecialFoldersFoundByTheirIdLists) {
    PidlHolder desktop(MakeIdList({}));
    EXPECT_EQ(csidlDesktop, ShellFindCSIDLFromIdList(desktop));
    PidlHolder drives;
    ASSERT_EQ(S_OK, ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives.Out()));
    EXPECT_EQ(csidlDrives, ShellFindCSIDLFromIdList(drives));
    PidlHolder tree(Parse(Path()));
    EXPECT_EQ(csidlNone, ShellFindCSIDLFromIdList(tree));

    EXPECT_TRUE(ShellCSIDLEqualsIdList(drives, csidlDrives));
    EXPECT_FALSE(ShellCSIDLEqualsIdList(tree, csidlDrives));
    EXPECT_THROW(ShellCSIDLEqualsIdList(tree, csidl_None2), EOleSysError);
}

TEST_F(ShellTreeTest, FriendlyNames) {
    PidlHolder inner(Parse(Path("Sub\\Inner")));
    EXPECT_STREQ(Path("Sub\\Inner").c_str(),
                 ShellGetFriendlyNameFromIdList(nullptr, inner, fnForParsing).c_str());
    EXPECT_STREQ("Inner", ShellGetFriendlyNameForLastIdListElement(inner).c_str());

    PidlHolder drives;
    ASSERT_EQ(S_OK, ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives.Out()));
    const AnsiString drivesName = ShellGetFriendlyNameFromIdList(nullptr, drives, fnNormal);
    EXPECT_FALSE(drivesName.IsEmpty());
    EXPECT_STREQ(drivesName.c_str(), ShellGetFriendlyNameForLastIdListElement(drives).c_str());
}

TEST(StrretToString, ReadsEachKindOfName) {
    TStrRet text{};
    text.uType = STRRET_CSTR;
    strcpy(text.cStr, "in place");
    EXPECT_STREQ("in place", StrretToString(nullptr, text).c_str());

    PidlHolder pidl(MakeIdList({{'a', 'b', 'c', 0}}));
    TStrRet offset{};
    offset.uType = STRRET_OFFSET;
    offset.uOffset = 3;
    EXPECT_STREQ("bc", StrretToString(pidl, offset).c_str());
    EXPECT_STREQ("", StrretToString(nullptr, offset).c_str());

    TStrRet wide{};
    wide.uType = STRRET_WSTR;
    wide.pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof(L"wide")));
    wcscpy(wide.pOleStr, L"wide");
    EXPECT_STREQ("wide", StrretToString(nullptr, wide).c_str());
    StrretFree(wide);
    EXPECT_EQ(nullptr, wide.pOleStr);

    TStrRet unknown{};
    unknown.uType = 7;
    EXPECT_STREQ("", StrretToString(pidl, unknown).c_str());
}

TEST_F(ShellTreeTest, IconIndexesAndSystemImageLists) {
    HIMAGELIST small = ShellGetSystemImageList(iszSmall);
    HIMAGELIST large = ShellGetSystemImageList(iszLarge);
    ASSERT_TRUE(small && large);
    int width = 0, height = 0;
    ImageList_GetIconSize(small, &width, &height);
    EXPECT_EQ(16, height);
    ImageList_GetIconSize(large, &width, &height);
    EXPECT_EQ(32, height);

    PidlHolder folder(Parse(Path("Sub")));
    const int folderIcon = ShellGetIconIndex(folder, SHGFI_SMALLICON);
    EXPECT_GT(folderIcon, 0);
    EXPECT_EQ(folderIcon, ShellGetIconIndexFromPath(Path("Sub"), SHGFI_SMALLICON));
    EXPECT_NE(folderIcon, ShellGetIconIndexFromExt("x.nosuchfile", SHGFI_SMALLICON));
    EXPECT_GT(ImageList_GetImageCount(small), ShellGetIconIndexFromExt(".txt", SHGFI_SMALLICON));
    EXPECT_EQ(ShellGetIconIndex(nullptr, SHGFI_SMALLICON),
              ShellGetSpecialFolderIconIndex(csidlDesktop, SHGFI_SMALLICON));
}

TEST(IdListBytes, LengthsConcatenationAndCopies) {
    PidlHolder empty(MakeIdList({}));
    PidlHolder one(MakeIdList({{1, 2, 3}}));
    PidlHolder two(MakeIdList({{4}, {5, 6}}));
    EXPECT_EQ(0u, IdListLen(nullptr));
    EXPECT_EQ(2u, IdListLen(empty));
    EXPECT_EQ(7u, IdListLen(one));

    PidlHolder joined(ConcatIdLists(nullptr, empty, one));
    EXPECT_EQ(IdListBytes(one), IdListBytes(joined));
    PidlHolder both(ConcatIdLists(ShellIMalloc(), one, two));
    PidlHolder expected(MakeIdList({{1, 2, 3}, {4}, {5, 6}}));
    EXPECT_EQ(IdListBytes(expected), IdListBytes(both));
    PidlHolder none(ConcatIdLists(nullptr, nullptr, nullptr));
    EXPECT_EQ(IdListBytes(empty), IdListBytes(none));
    PidlHolder copy(CopyIdList(nullptr, two));
    EXPECT_EQ(IdListBytes(two), IdListBytes(copy));
}

TEST_F(ShellTreeTest, AbsoluteComparison) {
    PidlHolder empty(MakeIdList({}));
    PidlHolder otherEmpty(MakeIdList({}));
    PidlHolder sub(Parse(Path("Sub")));
    PidlHolder subAgain(Parse(Path("Sub")));
    PidlHolder file(Parse(Path("a.txt")));
    EXPECT_EQ(0, CompareAbsIdLists(nullptr, nullptr));
    EXPECT_EQ(-1, CompareAbsIdLists(nullptr, empty));
    EXPECT_EQ(-1, CompareAbsIdLists(empty, nullptr));
    EXPECT_EQ(0, CompareAbsIdLists(empty, otherEmpty));
    EXPECT_EQ(-1, CompareAbsIdLists(empty, sub));
    EXPECT_EQ(0, CompareAbsIdLists(sub, subAgain));
    EXPECT_NE(0, CompareAbsIdLists(sub, file));
}

TEST(EnsureTrailingCharDB, AppendsOnlyWhenMissing) {
    EXPECT_STREQ("C:\\", EnsureTrailingCharDB("C:", '\\').c_str());
    EXPECT_STREQ("C:\\", EnsureTrailingCharDB("C:\\", '\\').c_str());
    EXPECT_STREQ("", EnsureTrailingCharDB("", '\\').c_str());
}

}  // namespace
