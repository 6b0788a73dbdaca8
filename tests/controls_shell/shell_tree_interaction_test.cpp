#include "UiShellTree.h"
#include "UiShellPidls.h"
#include "shell_controls_fixture.h"

namespace {

class ShellTreeInteractionTest : public ShellControlsTest {
protected:
    void SetUp() override {
        ShellControlsTest::SetUp();
        tree = AddControl<TUiShellTree>(10, 10, 220, 300);
        TUiShellTreeOptions options = DefaultShellTreeOptions;
        options.erase(stoDynamicRefresh);
        tree->SetOptions(options);
        PidlHolder base(Parse(Path()));
        tree->BaseFolder()->SetIdList(base);
        Application->ProcessMessages();
        root = tree->Items()->GetFirstNode();
    }
    TTreeNode* Child(TTreeNode* node, const char* text) {
        for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
            if (child->Text() == text) return child;
        return nullptr;
    }
    POINTL ScreenPointOf(TTreeNode* node) {
        const TRect r = node->DisplayRect(true);
        const TPoint p = tree->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        return POINTL{p.X, p.Y};
    }
    // The item-list array and file-drop data of a.txt, as a drag from outside brings them.
    IDataObject_NRC* FileData(const char* name) {
        PidlHolder folder(Parse(Path()));
        PidlHolder item(Parse(Path(name)));
        TUiIdListArray chain(item);
        std::vector<LPCITEMIDLIST> items = {chain.GetItem(chain.GetCount() - 1)};
        std::vector<AnsiString> paths = {Path(name)};
        auto* data = new TUiShellDataObject(folder.Get(), items, paths);
        data->AddRef();
        return data;
    }

    TUiShellTree* tree = nullptr;
    TTreeNode* root = nullptr;
};

TEST_F(ShellTreeInteractionTest, RenamingThroughTheLabelEditorRenamesTheFolder) {
    tree->SetSelectedPathName(Path("Sub\\Inner"));
    TTreeNode* sub = Child(root, "Sub");
    tree->SetSelected(sub);
    tree->SetFocus();
    PostKey(tree->Handle(), VK_F2);
    ASSERT_TRUE(PumpUntil([&] { return tree->IsEditing(); }));
    char text[MAX_PATH] = {};
    GetWindowTextA(tree->EditHandle(), text, MAX_PATH);
    EXPECT_STREQ("Sub", text);
    SetWindowTextA(tree->EditHandle(), "  Renamed  ");
    sub->EndEdit(false);
    Application->ProcessMessages();
    EXPECT_TRUE(DirectoryExists(Path("Renamed")));
    EXPECT_FALSE(DirectoryExists(Path("Sub")));
    EXPECT_STREQ("Renamed", sub->Text().c_str());
    EXPECT_STREQ(Path("Renamed").c_str(), tree->SelectedFolder()->GetPathName().c_str());
    // The expanded child's cached lists were rebuilt.
    EXPECT_STREQ(Path("Renamed\\Inner").c_str(),
                 tree->GetDataFromNode(sub->GetFirstChild())->GetPathName().c_str());
}

TEST_F(ShellTreeInteractionTest, TheRootOpensNoEditorAndF5Refreshes) {
    tree->SetSelected(root);
    tree->SetFocus();
    PostKey(tree->Handle(), VK_F2);
    PumpUntil([] { return false; }, 200);
    EXPECT_FALSE(tree->IsEditing());

    ASSERT_TRUE(ForceDirectories(Path("Fresh")));
    PostKey(tree->Handle(), VK_F5);
    EXPECT_TRUE(PumpUntil([&] { return Child(root, "Fresh") != nullptr; }));
}

TEST_F(ShellTreeInteractionTest, TheCopyCommandPutsTheFolderOnTheClipboard) {
    TTreeNode* sub = Child(root, "Sub");
    sub->Expand(false);
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(S_OK, tree->DoCommandForNode(sub->GetFirstChild(), "copy"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE drop = GetClipboardData(CF_HDROP);
    char name[MAX_PATH] = {};
    if (drop) DragQueryFileA(static_cast<HDROP>(drop), 0, name, MAX_PATH);
    CloseClipboard();
    EXPECT_STREQ(Path("Sub\\Inner").c_str(), name);
    EXPECT_EQ(S_FALSE, tree->DoCommandForNode(root, "copy"));
}

TEST_F(ShellTreeInteractionTest, NodesOfferTheirShellItemAndPath) {
    TTreeNode* sub = Child(root, "Sub");
    auto* data = new TDataObject_shtv(tree, sub);
    data->AddRef();
    FORMATETC drop{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    ASSERT_EQ(S_OK, data->GetData(&drop, &medium));
    char name[MAX_PATH] = {};
    DragQueryFileA(static_cast<HDROP>(medium.hGlobal), 0, name, MAX_PATH);
    EXPECT_STREQ(Path("Sub").c_str(), name);
    ReleaseStgMedium(&medium);
    FORMATETC items{static_cast<CLIPFORMAT>(ShellControlsUnit().ShellIdListFormat), nullptr,
                    DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(S_OK, data->QueryGetData(&items));
    // What the node allows and what the data allows agree.
    EXPECT_EQ(GetDataObjectDropEffects(data) & tree->GetDragDropAttributesForNode(sub),
              tree->GetDragDropAttributesForNode(sub));
    data->Release();
}

TEST_F(ShellTreeInteractionTest, DropsOnANodeGoToThatFolder) {
    TTreeNode* sub = Child(root, "Sub");
    IDataObject_NRC* data = FileData("a.txt");
    constexpr DWORD kCopyKeys = MK_LBUTTON | MK_CONTROL;
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    const POINTL point = ScreenPointOf(sub);
    EXPECT_EQ(S_OK, tree->OnDropTarget_DragEnter(data, kCopyKeys, point, effect));
    EXPECT_EQ(sub, tree->DropTarget());
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    tree->OnDropTarget_DragOver(kCopyKeys, point, effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_SCROLL), effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    // The folder's own drop target takes the drop (this system's shell accepts it without
    // copying anything, so only the answer and the effects the items allow are seen here).
    EXPECT_EQ(S_OK, tree->OnDropTarget_Drop(data, MK_CONTROL, point, effect));
    EXPECT_EQ(0u, effect & ~static_cast<DWORD>(GetDataObjectDropEffects(data)));
    EXPECT_EQ(nullptr, tree->DropTarget());
    data->Release();

    // Outside any node nothing is offered.
    data = FileData("b.dat");
    effect = DROPEFFECT_COPY;
    const TPoint below = tree->ClientToScreen(TPoint(100, 280));
    tree->OnDropTarget_DragEnter(data, MK_LBUTTON, POINTL{below.X, below.Y}, effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
    tree->OnDropTarget_DragLeave();
    data->Release();
}

// Closes the context menu that the tree is tracking, after a refresh was asked for meanwhile.
TUiShellTree* menuTree = nullptr;
bool refreshAskedDuringMenu = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    menuTree->RefreshNodes();
    refreshAskedDuringMenu = true;
    EndMenu();
}

TEST_F(ShellTreeInteractionTest, TheShellMenuDefersRefreshesUntilItCloses) {
    TTreeNode* sub = Child(root, "Sub");
    int fills = 0;
    tree->OnFillComplete = [&](TObject*) { ++fills; };
    menuTree = tree;
    SetTimer(nullptr, 0, 300, CloseMenu);
    tree->ProcessMenu(sub, TPoint(20, 20));
    EXPECT_TRUE(refreshAskedDuringMenu);
    EXPECT_EQ(1, fills);
    tree->OnFillComplete = nullptr;
}

}  // namespace
