#include "UiShellTree.h"
#include "shell_controls_fixture.h"

namespace {

class ShellTreeControlTest : public ShellControlsTest {
protected:
    // A tree on the form showing the test's folder tree, filled; no drive watching.
    TUiShellTree* MakeTree(TUiShellTreeOptions options = DefaultShellTreeOptions) {
        options.erase(stoDynamicRefresh);
        auto* tree = AddControl<TUiShellTree>(10, 10, 200, 250);
        tree->SetOptions(options);
        PidlHolder base(Parse(Path()));
        tree->BaseFolder()->SetIdList(base);
        Application->ProcessMessages();
        return tree;
    }
    static TTreeNode* Child(TTreeNode* node, const char* text) {
        for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
            if (child->Text() == text) return child;
        return nullptr;
    }
    static std::vector<std::string> Texts(TTreeNode* node) {
        std::vector<std::string> texts;
        for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
            texts.push_back(child->Text().c_str());
        return texts;
    }
    int fills = 0;
    int deleted = 0;
};

TEST_F(ShellTreeControlTest, FillsFoldersOnlyAndExpandsLazily) {
    ASSERT_TRUE(ForceDirectories(Path("Sub2")));
    TUiShellTree* tree = MakeTree();
    TTreeNode* root = tree->Items()->GetFirstNode();
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(1, tree->Items()->RootCount());
    EXPECT_STREQ(ExtractFileName(Path()).c_str(), root->Text().c_str());
    EXPECT_TRUE(root->Expanded());
    EXPECT_EQ((std::vector<std::string>{"Sub", "Sub2"}), Texts(root));

    TTreeNode* sub = Child(root, "Sub");
    TTreeNode* sub2 = Child(root, "Sub2");
    EXPECT_TRUE(sub->HasChildren());
    EXPECT_EQ(0, sub->Count());

    sub->Expand(false);
    EXPECT_EQ((std::vector<std::string>{"Inner"}), Texts(sub));
    // A folder found empty when expanded loses its button.
    sub2->Expand(false);
    EXPECT_EQ(0, sub2->Count());
    EXPECT_FALSE(sub2->HasChildren());
    EXPECT_STREQ(Path("Sub\\Inner").c_str(),
                 tree->GetDataFromNode(sub->GetFirstChild())->GetPathName().c_str());
    EXPECT_EQ(root, tree->Selected());
    EXPECT_STREQ(Path().c_str(), tree->GetSelectedPathName().c_str());
}

TEST_F(ShellTreeControlTest, NonFoldersAndTheShellOrder) {
    ASSERT_TRUE(ForceDirectories(Path("Files")));
    WriteTextFile(Path("Files\\c.txt"), "c");
    TUiShellTreeOptions options = DefaultShellTreeOptions;
    options.insert(stoIncludeNonFolders);
    TUiShellTree* tree = MakeTree(options);
    TTreeNode* root = tree->Items()->GetFirstNode();
    EXPECT_EQ((std::vector<std::string>{"Files", "Sub", "a.txt", "b.dat"}), Texts(root));
    // A folder holding only files has a button once files are shown.
    EXPECT_TRUE(Child(root, "Files")->HasChildren());
    EXPECT_FALSE(Child(root, "a.txt")->HasChildren());
}

TEST_F(ShellTreeControlTest, AddItemEventFiltersAndInsertEventsReport) {
    auto* tree = AddControl<TUiShellTree>(10, 10, 200, 250);
    TUiShellTreeOptions options = DefaultShellTreeOptions;
    options.erase(stoDynamicRefresh);
    tree->SetOptions(options);
    std::vector<std::string> inserted;
    tree->OnAddItem = [](TObject*, IShellFolder_NRC* folder, LPCITEMIDLIST, LPCITEMIDLIST item,
                         ULONG, bool& allow) {
        AnsiString name;
        GetItemDisplayName(folder, item, SHGDN_INFOLDER, name);
        allow = name != "Sub";
    };
    tree->OnInsertItem = [&](TObject*, TTreeNode* node) {
        inserted.push_back(node->Text().c_str());
    };
    ASSERT_TRUE(ForceDirectories(Path("Other")));
    PidlHolder base(Parse(Path()));
    tree->BaseFolder()->SetIdList(base);
    EXPECT_EQ((std::vector<std::string>{"Other"}), Texts(tree->Items()->GetFirstNode()));
    EXPECT_EQ((std::vector<std::string>{ExtractFileName(Path()).c_str(), "Other"}), inserted);
}

TEST_F(ShellTreeControlTest, SelectionFollowsAPathAndGoesUp) {
    TUiShellTree* tree = MakeTree();
    tree->SetSelectedPathName(Path("Sub\\Inner"));
    TTreeNode* selected = tree->Selected();
    ASSERT_NE(nullptr, selected);
    EXPECT_STREQ("Inner", selected->Text().c_str());
    EXPECT_TRUE(selected->Parent()->Expanded());
    EXPECT_STREQ(Path("Sub\\Inner").c_str(), tree->GetSelectedPathName().c_str());
    EXPECT_STREQ(Path("Sub\\Inner").c_str(), tree->SelectedFolder()->GetPathName().c_str());

    tree->GoUp(5);
    EXPECT_EQ(tree->Items()->GetFirstNode(), tree->Selected());
    EXPECT_STREQ(Path().c_str(), tree->SelectedFolder()->GetPathName().c_str());

    // Clicking selects at once and the selected folder follows.
    TTreeNode* sub = Child(tree->Items()->GetFirstNode(), "Sub");
    tree->SetSelected(sub);
    EXPECT_STREQ(Path("Sub").c_str(), tree->SelectedFolder()->GetPathName().c_str());
}

TEST_F(ShellTreeControlTest, HiddenFolderIsAddedWhenSelectedByPath) {
    ASSERT_TRUE(ForceDirectories(Path("Sub\\Secret")));
    SetFileAttributesA(Path("Sub\\Secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
    TUiShellTreeOptions options = DefaultShellTreeOptions;
    options.erase(stoShowHidden);
    TUiShellTree* tree = MakeTree(options);
    TTreeNode* sub = Child(tree->Items()->GetFirstNode(), "Sub");
    sub->Expand(false);
    EXPECT_EQ((std::vector<std::string>{"Inner"}), Texts(sub));
    tree->SetSelectedPathName(Path("Sub\\Secret"));
    ASSERT_NE(nullptr, tree->Selected());
    EXPECT_STREQ("Secret", tree->Selected()->Text().c_str());
    EXPECT_TRUE(tree->Selected()->Cut());
}

TEST_F(ShellTreeControlTest, RefreshAddsAndRemovesAndMovesTheSelectionUp) {
    TUiShellTree* tree = MakeTree();
    tree->SetSelectedPathName(Path("Sub\\Inner"));
    tree->OnFillComplete = [this](TObject*) { ++fills; };
    ASSERT_TRUE(ForceDirectories(Path("Fresh")));
    RemoveTree(Path("Sub"));
    tree->RefreshNodes();
    TTreeNode* root = tree->Items()->GetFirstNode();
    EXPECT_EQ((std::vector<std::string>{"Fresh"}), Texts(root));
    EXPECT_EQ(root, tree->Selected());
    EXPECT_STREQ(Path().c_str(), tree->SelectedFolder()->GetPathName().c_str());
    EXPECT_GE(fills, 1);
}

// The tree watches whole drives (with their subtrees), which this system's notifications do
// not report: the watcher's message is posted here as the change thread posts it.
TEST_F(ShellTreeControlTest, ABurstOfChangeNotificationsRefreshesOnce) {
    TUiShellTree* tree = MakeTree();
    tree->OnFillComplete = [this](TObject*) { ++fills; };
    TTreeNode* root = tree->Items()->GetFirstNode();
    for (const char* name : {"One", "Two", "Three"}) {
        ASSERT_TRUE(ForceDirectories(Path(name)));
        PostMessageA(tree->Handle(), AM_CHANGENOTIFY, 0, 0);
    }
    const DWORD start = GetTickCount();
    EXPECT_TRUE(PumpUntil([&] { return root->Count() == 4; }, 10000));
    // Unfocused, the refresh waits two seconds after the last notification.
    EXPECT_GE(GetTickCount() - start, 1500u);
    EXPECT_EQ((std::vector<std::string>{"One", "Sub", "Three", "Two"}), Texts(root));
    EXPECT_EQ(1, fills);
}

TEST_F(ShellTreeControlTest, ItsOwnNewFolderIsNotRefreshedTwice) {
    TUiShellTree* tree = MakeTree();
    tree->SetSelectedPathName(Path("Sub"));
    tree->OnFillComplete = [this](TObject*) { ++fills; };
    ASSERT_TRUE(tree->CreateNewFolder(false));
    TTreeNode* sub = tree->Selected();
    ASSERT_NE(nullptr, Child(sub, "New Folder"));
    EXPECT_TRUE(tree->IsEditing());
    EXPECT_TRUE(DirectoryExists(Path("Sub\\New Folder")));
    PostMessageA(tree->Handle(), AM_CHANGENOTIFY, 0, 0);
    const int after = fills;
    PumpUntil([] { return false; }, 2500);
    EXPECT_EQ(after, fills);
}

TEST_F(ShellTreeControlTest, DestroyingTheWindowEmptiesAndTheDeferredFillRefills) {
    TUiShellTree* tree = MakeTree();
    tree->OnDeleteItem = [this](TObject*, TTreeNode*, TUiShellTreeData* data) {
        EXPECT_NE(nullptr, data);
        ++deleted;
    };
    tree->SetSelectedPathName(Path("Sub"));
    tree->SetShowLines(false);  // recreates the window
    EXPECT_EQ(2, deleted);
    EXPECT_TRUE(PumpUntil([&] { return tree->Items()->Count() > 0; }));
    EXPECT_STREQ(Path("Sub").c_str(), tree->GetSelectedPathName().c_str());
}

}  // namespace
