#include "UiShellItemData.h"
#include "UiShellLinks.h"
#include "UiShellLocator.h"
#include "UiShellPidls.h"
#include "cl_datetime.h"
#include "cl_locale.h"
#include "shell_fixture.h"

namespace {

// The relative PIDL of a name in a folder.
LPITEMIDLIST ChildPidl(IShellFolder_NRC* folder, const wchar_t* name) {
    std::wstring text = name;
    LPITEMIDLIST item = nullptr;
    ULONG eaten = 0;
    EXPECT_EQ(S_OK, folder->ParseDisplayName(nullptr, nullptr, &text[0], &eaten, &item, nullptr));
    return item;
}

class TreeDataTest : public ShellTreeTest {
protected:
    void SetUp() override {
        ShellTreeTest::SetUp();
        treePidl.Out() = Parse(Path());
        root.SetData(nullptr, treePidl);
        ASSERT_NE(nullptr, root.GetThisIShf());
    }
    PidlHolder treePidl;
    TUiShellTreeData root{nullptr};
};

TEST_F(TreeDataTest, RootsKeepTheirListAndChildrenJoinTheirParents) {
    TUiIdListArray chain(treePidl);
    EXPECT_EQ(IdListBytes(chain.GetItem(chain.GetCount() - 1)), IdListBytes(root.RelPidl()));
    EXPECT_EQ(IdListBytes(treePidl), IdListBytes(root.GetAbsPidl()));

    PidlHolder subRel(ChildPidl(root.GetThisIShf(), L"Sub"));
    TUiShellTreeData sub(nullptr);
    sub.SetData(&root, subRel);
    LPCITEMIDLIST absolute = sub.GetAbsPidl();
    PidlHolder joined(ConcatIdLists(nullptr, root.GetAbsPidl(), subRel));
    EXPECT_EQ(IdListBytes(joined), IdListBytes(absolute));
    EXPECT_EQ(absolute, sub.GetAbsPidl());
    EXPECT_STREQ(Path("Sub").c_str(), sub.GetPathName().c_str());
    EXPECT_EQ(&root, sub.ParentData());

    root.Flush();
    EXPECT_STREQ(Path().c_str(), root.GetPathName().c_str());
    sub.Flush();
    EXPECT_STREQ(Path("Sub").c_str(), sub.GetPathName().c_str());
}

TEST_F(TreeDataTest, FoldersAreBoundOnceUntilFlushed) {
    PidlHolder subRel(ChildPidl(root.GetThisIShf(), L"Sub"));
    TUiShellTreeData sub(nullptr);
    sub.SetData(&root, subRel);
    IShellFolder_NRC* folder = sub.GetThisIShf();
    ASSERT_NE(nullptr, folder);
    EXPECT_EQ(folder, sub.GetThisIShf());
    PidlHolder inner(ChildPidl(folder, L"Inner"));
    EXPECT_NE(nullptr, inner.Get());

    folder->AddRef();  // keeps the old folder's memory from being reused
    sub.Flush();
    IShellFolder_NRC* again = sub.GetThisIShf();
    EXPECT_NE(folder, again);
    EXPECT_NE(nullptr, again);
    folder->Release();

    EXPECT_EQ(root.GetThisIShf(), sub.GetParentIShf());
    IShellFolder_NRC* rootParent = root.GetParentIShf();
    ASSERT_NE(nullptr, rootParent);
    EXPECT_STREQ(Path().c_str(),
                 ShellGetFriendlyNameFromIdList(rootParent, root.RelPidl(), fnForParsing).c_str());
}

TEST_F(TreeDataTest, AttributesEditabilityAndDropTargets) {
    PidlHolder subRel(ChildPidl(root.GetThisIShf(), L"Sub"));
    PidlHolder fileRel(ChildPidl(root.GetThisIShf(), L"a.txt"));
    TUiShellTreeData sub(nullptr), file(nullptr);
    sub.SetData(&root, subRel);
    file.SetData(&root, fileRel);
    const ULONG subAttributes = sub.GetAttributes();
    EXPECT_TRUE(subAttributes & SFGAO_FOLDER);
    EXPECT_TRUE(subAttributes & SFGAO_FILESYSTEM);
    EXPECT_TRUE(subAttributes & SFGAO_HASSUBFOLDER);
    EXPECT_FALSE(file.GetAttributes() & SFGAO_FOLDER);
    EXPECT_TRUE(sub.GetEditable());
    EXPECT_FALSE(root.GetEditable());  // a root has no parent node

    IDropTarget_NRC* target = nullptr;
    EXPECT_EQ(S_OK, sub.GetIDropTarget(nullptr, target));
    ASSERT_NE(nullptr, target);
    target->Release();
    EXPECT_EQ(S_OK, root.GetIDropTarget(nullptr, target));
    ASSERT_NE(nullptr, target);
    target->Release();
    TUiShellTreeData desktop(nullptr);
    PidlHolder empty(MakeIdList({}));
    desktop.SetData(nullptr, empty);
    EXPECT_EQ(S_OK, desktop.GetIDropTarget(nullptr, target));
    ASSERT_NE(nullptr, target);
    target->Release();
    EXPECT_NE(nullptr, desktop.GetThisIShf());
}

TEST_F(TreeDataTest, DriveRootsAreRootDirectories) {
    PidlHolder drive(Parse("C:\\"));
    TUiShellTreeData driveData(nullptr);
    driveData.SetData(nullptr, drive);
    EXPECT_TRUE(driveData.IsRootDir());
    EXPECT_FALSE(root.IsRootDir());
}

TEST_F(TreeDataTest, RenamedRootStaysInItsFolder) {
    TUiShellTreeData sub(nullptr);
    PidlHolder subPidl(Parse(Path("Sub")));
    sub.SetData(nullptr, subPidl);
    ASSERT_TRUE(MoveFileA(Path("Sub").c_str(), Path("Renamed").c_str()));
    PidlHolder renamed(ChildPidl(root.GetThisIShf(), L"Renamed"));
    sub.SetRelPidl(renamed);
    EXPECT_STREQ(Path("Renamed").c_str(), sub.GetPathName().c_str());
    EXPECT_NE(nullptr, sub.GetThisIShf());

    TUiShellTreeData child(nullptr);
    PidlHolder innerRel(ChildPidl(sub.GetThisIShf(), L"Inner"));
    child.SetData(&sub, innerRel);
    ASSERT_TRUE(MoveFileA(Path("Renamed\\Inner").c_str(), Path("Renamed\\Outer").c_str()));
    PidlHolder outer(ChildPidl(sub.GetThisIShf(), L"Outer"));
    child.SetRelPidl(outer);
    EXPECT_STREQ(Path("Renamed\\Outer").c_str(), child.GetPathName().c_str());
}

// A list showing the tree's folder (or any other), with or without column details.
class TFolderListOwner : public TUiShellListDataOwner {
public:
    explicit TFolderListOwner(LPCITEMIDLIST pidl) : pidl_(CopyIdList(nullptr, pidl)) {
        EXPECT_EQ(S_OK, ShellGetFolderFromIdList(pidl_, folder_));
    }
    ~TFolderListOwner() {
        if (details) details->Release();
        folder_->Release();
        ShellMemFree(pidl_);
    }
    IShellFolder_NRC* CurrentFolder() override { return folder_; }
    LPCITEMIDLIST CurrentFolderIdList() override { return pidl_; }
    IShellDetails_NRC* CurrentFolderDetails() override { return details; }
    bool FilesCanBeFolders() override { return filesCanBeFolders; }

    IShellDetails_NRC* details = nullptr;
    bool filesCanBeFolders = false;

private:
    LPITEMIDLIST pidl_;
    IShellFolder_NRC* folder_ = nullptr;
};

class ListDataTest : public ShellTreeTest {
protected:
    void SetUp() override {
        ShellTreeTest::SetUp();
        WriteTextFile(Path("empty.txt"), "");
        WriteTextFile(Path("big.txt"), std::string(1234567, 'x'));
        PidlHolder pidl(Parse(Path()));
        owner = std::make_unique<TFolderListOwner>(pidl);
    }
    void TearDown() override {
        owner.reset();
        ShellTreeTest::TearDown();
    }
    // List data of a name in the folder.
    std::unique_ptr<TUiShellListData> Item(const wchar_t* name) {
        auto data = std::make_unique<TUiShellListData>(owner.get());
        data->SetData(ChildPidl(owner->CurrentFolder(), name));
        return data;
    }
    std::unique_ptr<TFolderListOwner> owner;
};

TEST_F(ListDataTest, NamesPathsAndKinds) {
    auto sub = Item(L"Sub");
    auto file = Item(L"a.txt");
    PidlHolder subPidl(Parse(Path("Sub")));
    EXPECT_EQ(IdListBytes(subPidl), IdListBytes(sub->GetAbsoluteIdList()));
    EXPECT_STREQ("Sub", sub->GetDisplayName().c_str());
    EXPECT_STREQ(Path("a.txt").c_str(), file->GetPathName().c_str());
    EXPECT_STREQ("a.txt", file->GetFilename().c_str());
    EXPECT_TRUE(sub->IsFolder());
    EXPECT_FALSE(file->IsFolder());
    EXPECT_TRUE(file->IsFileSystem());
    EXPECT_TRUE(file->GetEditable());
    EXPECT_TRUE(file->IsValid());
    EXPECT_FALSE(file->IsLnkShortcut());

    ASSERT_EQ(S_OK, CreateQuickShortcut(Path("link.LNK"), Path("a.txt")));
    EXPECT_TRUE(Item(L"link.LNK")->IsLnkShortcut());
}

TEST_F(ListDataTest, SizeTypeAndModifiedTexts) {
    const AnsiString thousands =
        ThousandSeparator ? AnsiString(ThousandSeparator) : AnsiString();
    const std::pair<const wchar_t*, AnsiString> sizes[] = {{L"b.dat", "2KB"},
                                                           {L"empty.txt", "0KB"},
                                                           {L"big.txt", "1" + thousands + "206KB"},
                                                           {L"Sub", ""}};
    for (const auto& size : sizes) {
        auto item = Item(size.first);
        EXPECT_STREQ(size.second.c_str(), item->GetSize().c_str());
        EXPECT_STREQ(size.second.c_str(), item->GetColText(1).c_str());
    }

    auto file = Item(L"a.txt");
    EXPECT_FALSE(file->GetFileType().IsEmpty());
    EXPECT_STREQ(file->GetFileType().c_str(), file->GetColText(2).c_str());
    EXPECT_STREQ("", file->GetColText(0).c_str());
    EXPECT_STREQ("", file->GetColText(4).c_str());

    HANDLE handle = CreateFileA(Path("a.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                0, nullptr);
    SYSTEMTIME utc{2021, 3, 0, 4, 5, 6, 7, 0};
    FILETIME stamp, local;
    SystemTimeToFileTime(&utc, &stamp);
    SetFileTime(handle, nullptr, nullptr, &stamp);
    CloseHandle(handle);
    file->Flush();
    FileTimeToLocalFileTime(&stamp, &local);
    SYSTEMTIME shown;
    FileTimeToSystemTime(&local, &shown);
    const AnsiString expected =
        FormatDateTime(ShortDateFormat + " " + ShortTimeFormat,
                       EncodeDateTime(shown.wYear, shown.wMonth, shown.wDay, shown.wHour,
                                      shown.wMinute, shown.wSecond, 0));
    EXPECT_STREQ(expected.c_str(), file->GetModified().c_str());
    EXPECT_STREQ(expected.c_str(), file->GetColText(3).c_str());
}

TEST_F(ListDataTest, FlushComputesTheTextsAgain) {
    auto file = Item(L"a.txt");
    EXPECT_STREQ("1KB", file->GetSize().c_str());
    WriteTextFile(Path("a.txt"), std::string(5000, 'a'));
    EXPECT_STREQ("1KB", file->GetSize().c_str());
    file->Flush();
    EXPECT_STREQ("5KB", file->GetSize().c_str());
}

TEST_F(ListDataTest, ItemsOutsideTheFileSystemAreSystemFolders) {
    PidlHolder desktop(MakeIdList({}));
    TFolderListOwner desktopOwner(desktop);
    TUiShellListData drives(&desktopOwner);
    LPITEMIDLIST drivesPidl = nullptr;
    ASSERT_EQ(S_OK, ShellGetSpecialFolderIdList(nullptr, csidlDrives, drivesPidl));
    drives.SetData(drivesPidl);
    EXPECT_FALSE(drives.IsFileSystem());
    EXPECT_STREQ("System Folder", drives.GetFileType().c_str());
    EXPECT_STREQ("", drives.GetSize().c_str());
}

TEST_F(ListDataTest, ColumnsComeFromTheFoldersDetailsWhenThereAreAny) {
    owner->details = GetFolderShellDetails(owner->CurrentFolder());
    ASSERT_NE(nullptr, owner->details);
    auto file = Item(L"b.dat");
    SHELLDETAILS details{};
    ASSERT_EQ(S_OK, owner->details->GetDetailsOf(file->RelPidl(), 1, &details));
    const AnsiString shellText = StrretToString(file->RelPidl(), details.str);
    StrretFree(details.str);
    EXPECT_FALSE(shellText.IsEmpty());
    EXPECT_STREQ(shellText.c_str(), file->GetColText(1).c_str());
    EXPECT_STREQ("", file->GetColText(0).c_str());
    EXPECT_STREQ("", file->GetColText(99).c_str());
}

TEST_F(ShellTreeTest, ComboDataJoinsItsListsAndBindsItsFolder) {
    PidlHolder treePidl(Parse(Path()));
    IShellFolder_NRC* tree = nullptr;
    ASSERT_EQ(S_OK, ShellGetFolderFromIdList(treePidl, tree));
    PidlHolder subRel(ChildPidl(tree, L"Sub"));
    {
        TUiShellComboData data(nullptr);
        data.SetData(tree, treePidl, subRel);
        EXPECT_EQ(3u, tree->AddRef());  // ours, the data's and this one
        tree->Release();
        PidlHolder subPidl(Parse(Path("Sub")));
        EXPECT_EQ(0, CompareAbsIdLists(subPidl, data.AbsPidl()));
        IShellFolder_NRC* sub = data.GetThisIShf();
        ASSERT_NE(nullptr, sub);
        EXPECT_EQ(sub, data.GetThisIShf());
        PidlHolder inner(ChildPidl(sub, L"Inner"));
        EXPECT_NE(nullptr, inner.Get());

        TColumnsFolder noItems;
        data.SetData(&noItems, treePidl, subRel);
        EXPECT_THROW(data.GetThisIShf(), EOleSysError);
        EXPECT_EQ(2, noItems.references);

        PidlHolder empty(MakeIdList({}));
        data.SetData(nullptr, nullptr, empty);
        EXPECT_NE(nullptr, data.GetThisIShf());
    }
    EXPECT_EQ(0u, tree->Release());
}

}  // namespace
