#include "UiShellList.h"
#include "UiShellTree.h"
#include "shell_controls_fixture.h"

namespace {

// Column clicks as the header sends them.
class TClickableShellList : public TUiShellList {
public:
    using TUiShellList::TUiShellList;
    void ClickColumn(int index) { ColClick(Column(index)); }
};

class ShellListTest : public ShellControlsTest {
protected:
    void SetUp() override {
        ShellControlsTest::SetUp();
        ASSERT_EQ(S_OK, CreateQuickShortcut(Path("Sub.lnk"), Path("Sub")));
    }
    TClickableShellList* MakeList(const char* relative = nullptr) {
        auto* list = AddControl<TClickableShellList>(240, 10, 500, 300);
        list->SetViewStyle(vsReport);
        PidlHolder folder(Parse(Path(relative)));
        list->Folder()->SetIdList(folder);
        Application->ProcessMessages();
        return list;
    }
    static std::vector<std::string> Captions(TUiCustomShellList* list) {
        std::vector<std::string> captions;
        for (int i = 0; i < list->Items()->Count(); ++i) {
            TUiShellListData* data = list->GetDataFromItem(list->Items()->Item(i));
            captions.push_back(data ? data->GetFilename().c_str() : "?");
        }
        return captions;
    }
    static std::string Shown(TUiCustomShellList* list, int index, int column) {
        char text[MAX_PATH] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        SendMessageA(list->Handle(), LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    static int IndexOf(TUiCustomShellList* list, const char* fileName) {
        for (int i = 0; i < list->Items()->Count(); ++i)
            if (list->GetShellListData(i)->GetFilename() == fileName) return i;
        return -1;
    }
    int fills = 0;
};

TEST_F(ShellListTest, FillsTheFolderWithColumnsTextsAndIcons) {
    TClickableShellList* list = MakeList();
    EXPECT_EQ((std::vector<std::string>{"Sub", "a.txt", "b.dat", "Sub.lnk"}), Captions(list));
    ASSERT_GE(list->Columns()->Count(), 2);
    const int b = IndexOf(list, "b.dat");
    EXPECT_EQ("b.dat", Shown(list, b, 0));
    // The folder's own columns: the second is the size.
    EXPECT_NE(std::string::npos, Shown(list, b, 1).find("2")) << Shown(list, b, 1);
    LVITEMA icon{};
    icon.mask = LVIF_IMAGE;
    icon.iItem = b;
    SendMessageA(list->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&icon));
    EXPECT_EQ(ShellGetIconIndex(list->GetShellListData(b)->GetAbsoluteIdList(), SHGFI_SMALLICON),
              icon.iImage);
    EXPECT_STREQ(Path().c_str(), PidlPath(list->CurrentFolderIdList()).c_str());
}

TEST_F(ShellListTest, TheFilterKeepsFoldersAndMatchingFiles) {
    WriteTextFile(Path("c.log"), "c");
    TClickableShellList* list = MakeList();
    struct Case {
        const char* filter;
        std::vector<std::string> captions;
    };
    const Case cases[] = {
        {"*.txt;*.log", {"Sub", "a.txt", "c.log"}},
        {"*.txt; *.log", {"Sub", "a.txt"}},
        {"*.*", {"Sub", "a.txt", "b.dat", "c.log", "Sub.lnk"}},
        {"", {"Sub", "a.txt", "b.dat", "c.log", "Sub.lnk"}},
        {"*.none", {"Sub"}},
    };
    for (const Case& c : cases) {
        list->SetFileFilter(c.filter);
        EXPECT_EQ(c.captions, Captions(list)) << c.filter;
    }
}

TEST_F(ShellListTest, ColumnClicksSortByTheShellAndAHandlerCanTakeOver) {
    TClickableShellList* list = MakeList();
    list->ClickColumn(0);
    EXPECT_EQ(-1, list->SortColumn());
    EXPECT_EQ((std::vector<std::string>{"Sub.lnk", "b.dat", "a.txt", "Sub"}), Captions(list));
    list->ClickColumn(0);
    EXPECT_EQ(1, list->SortColumn());
    EXPECT_EQ((std::vector<std::string>{"Sub", "a.txt", "b.dat", "Sub.lnk"}), Captions(list));
    list->ClickColumn(1);
    EXPECT_EQ(2, list->SortColumn());
    EXPECT_EQ(1, list->HeaderSortColumn());
    list->OnColumnClick = [list](TObject*, TListColumn*) { list->SetSortColumn(3); };
    list->ClickColumn(1);
    EXPECT_EQ(3, list->SortColumn());
}

TEST_F(ShellListTest, OpeningFoldersAndShortcutsAndGoingUp) {
    TClickableShellList* list = MakeList();
    list->SetFocus();
    list->OpenItem(list->Items()->Item(IndexOf(list, "Sub")));
    EXPECT_STREQ(Path("Sub").c_str(), list->Folder()->GetPathName().c_str());
    EXPECT_EQ((std::vector<std::string>{"Inner"}), Captions(list));
    PostMessageA(list->Handle(), WM_CHAR, VK_BACK, 1);
    EXPECT_TRUE(PumpUntil([&] { return list->Folder()->GetPathName() == Path(); }));
    EXPECT_EQ(4, list->Items()->Count());
    // A shortcut to a folder leads into the folder.
    list->OpenItem(list->Items()->Item(IndexOf(list, "Sub.lnk")));
    EXPECT_STREQ(Path("Sub").c_str(), list->Folder()->GetPathName().c_str());
    // A file runs its default command unless the handler takes it.
    bool asked = false;
    list->GoUp(1);
    list->OnDblClickOpen = [&](TObject*, bool& handled) {
        asked = true;
        handled = true;
    };
    list->OpenItem(list->Items()->Item(IndexOf(list, "a.txt")));
    EXPECT_TRUE(asked);
    list->OnDblClickOpen = nullptr;
}

TEST_F(ShellListTest, ChangesOnDiskRefreshOnceThroughTheWatcher) {
    TClickableShellList* list = MakeList();
    list->OnFillComplete = [this](TObject*) { ++fills; };
    WriteTextFile(Path("new1.txt"), "1");
    WriteTextFile(Path("new2.txt"), "2");
    DeleteFileA(Path("a.txt").c_str());
    EXPECT_TRUE(PumpUntil([&] { return IndexOf(list, "new2.txt") >= 0; }, 8000));
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(-1, IndexOf(list, "a.txt"));
    EXPECT_GE(IndexOf(list, "new1.txt"), 0);
    EXPECT_EQ(1, fills);
}

TEST_F(ShellListTest, ATreeAndAListStayOnTheSameFolder) {
    auto* tree = AddControl<TUiShellTree>(10, 10, 220, 300);
    TUiShellTreeOptions options = DefaultShellTreeOptions;
    options.erase(stoDynamicRefresh);
    tree->SetOptions(options);
    auto* list = AddControl<TUiShellList>(240, 10, 500, 300);
    list->SetViewStyle(vsReport);
    tree->SetShellList(list);
    EXPECT_EQ(tree, list->ShellTree());
    PidlHolder base(Parse(Path()));
    tree->BaseFolder()->SetIdList(base);
    Application->ProcessMessages();
    EXPECT_STREQ(Path().c_str(), list->Folder()->GetPathName().c_str());

    // Selecting by path in the tree moves the list at once.
    tree->SetSelectedPathName(Path("Sub"));
    EXPECT_STREQ(Path("Sub").c_str(), list->Folder()->GetPathName().c_str());
    EXPECT_EQ((std::vector<std::string>{"Inner"}), Captions(list));

    // Opening a folder in the list moves the tree's selection.
    list->OpenItem(list->Items()->Item(0));
    EXPECT_STREQ(Path("Sub\\Inner").c_str(), tree->GetSelectedPathName().c_str());
    EXPECT_STREQ(Path("Sub\\Inner").c_str(), list->Folder()->GetPathName().c_str());
    list->GoUp(2);
    EXPECT_STREQ(Path().c_str(), tree->GetSelectedPathName().c_str());
    EXPECT_STREQ(Path().c_str(), list->Folder()->GetPathName().c_str());

    // A keyboard selection in the tree reaches the list after a rest.
    tree->SetFocus();
    PostKey(tree->Handle(), VK_DOWN);
    EXPECT_TRUE(PumpUntil([&] { return list->Folder()->GetPathName() == Path("Sub"); }));

    // Hiding the folders in the list.
    TUiShellListOptions listOptions = list->Options();
    listOptions.insert(sloHideFoldersWhenLinkedToTree);
    list->SetOptions(listOptions);
    tree->SetSelectedPathName(Path());
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.dat", "Sub.lnk"}), Captions(list));

    list->Free();
    EXPECT_EQ(nullptr, tree->ShellList());
}

}  // namespace
