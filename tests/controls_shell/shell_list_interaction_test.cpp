#include "UiShellList.h"
#include "UiShellPidls.h"
#include "shell_controls_fixture.h"

namespace {

// Keys as the list receives them, with their shift state.
class TKeyedShellList : public TUiShellList {
public:
    using TUiShellList::TUiShellList;
    void Press(uint16_t key, TShiftState shift) { KeyDown(key, shift); }
};

class ShellListInteractionTest : public ShellControlsTest {
protected:
    void SetUp() override {
        ShellControlsTest::SetUp();
        list = AddControl<TKeyedShellList>(10, 10, 500, 300);
        list->SetViewStyle(vsReport);
        list->SetMultiSelect(true);
        PidlHolder folder(Parse(Path()));
        list->Folder()->SetIdList(folder);
        Application->ProcessMessages();
    }
    TListItem* Item(const char* fileName) {
        for (int i = 0; i < list->Items()->Count(); ++i)
            if (list->GetShellListData(i)->GetFilename() == fileName) return list->Items()->Item(i);
        return nullptr;
    }
    POINTL ScreenPointOf(TListItem* item) {
        const TRect r = item->DisplayRect(drLabel);
        const TPoint p = list->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        return POINTL{p.X, p.Y};
    }
    TKeyedShellList* list = nullptr;
};

TEST_F(ShellListInteractionTest, RenamingInPlaceTrimsTheNewName) {
    TListItem* a = Item("a.txt");
    list->SetSelected(a);
    list->SetFocus();
    PostKey(list->Handle(), VK_F2);
    ASSERT_TRUE(PumpUntil([&] { return list->IsEditing(); }));
    char text[MAX_PATH] = {};
    GetWindowTextA(list->EditHandle(), text, MAX_PATH);
    EXPECT_EQ(0, strncmp("a", text, 1));
    SetWindowTextA(list->EditHandle(), "  c.txt  ");
    PostKey(list->EditHandle(), VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !list->IsEditing(); }));
    EXPECT_TRUE(FileExists(Path("c.txt")));
    EXPECT_FALSE(FileExists(Path("a.txt")));
    EXPECT_STREQ(Path("c.txt").c_str(), list->GetDataFromItem(a)->GetPathName().c_str());
}

TEST_F(ShellListInteractionTest, ANewFolderIsAddedAndItsCaptionEdited) {
    ASSERT_TRUE(list->CreateNewFolder(true));
    EXPECT_TRUE(DirectoryExists(Path("New Folder")));
    EXPECT_NE(nullptr, Item("New Folder"));
    EXPECT_TRUE(PumpUntil([&] { return list->IsEditing(); }));
}

TEST_F(ShellListInteractionTest, SelectAllAndCopyPutTheFilesOnTheClipboard) {
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    list->Press('A', {ssCtrl});
    EXPECT_EQ(3, list->ShellSelCount());
    list->Items()->Item(0)->SetSelected(false);
    uint16_t key = 'C';
    list->Press(key, {ssCtrl});
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE drop = GetClipboardData(CF_HDROP);
    const UINT count = drop ? DragQueryFileA(static_cast<HDROP>(drop), 0xFFFFFFFF, nullptr, 0) : 0;
    CloseClipboard();
    EXPECT_EQ(2u, count);
}

TEST_F(ShellListInteractionTest, TheSelectionIsOfferedAsShellItemsAndPaths) {
    Item("a.txt")->SetSelected(true);
    Item("b.dat")->SetSelected(true);
    auto* data = new TDataObject_shlv(list);
    data->AddRef();
    FORMATETC drop{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    ASSERT_EQ(S_OK, data->GetData(&drop, &medium));
    char name[MAX_PATH] = {};
    EXPECT_EQ(2u, DragQueryFileA(static_cast<HDROP>(medium.hGlobal), 0xFFFFFFFF, nullptr, 0));
    DragQueryFileA(static_cast<HDROP>(medium.hGlobal), 0, name, MAX_PATH);
    EXPECT_STREQ(Path("a.txt").c_str(), name);
    ReleaseStgMedium(&medium);
    FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(DV_E_FORMATETC, data->GetData(&text, &medium));
    EXPECT_EQ(OLE_E_ADVISENOTSUPPORTED, data->DAdvise(nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(list->GetDragDropAttributesForAllSelected(),
              GetDataObjectDropEffects(data) & list->GetDragDropAttributesForAllSelected());
    data->Release();
}

TEST_F(ShellListInteractionTest, DropsGoToAFolderItemOrTheFolderItself) {
    TListItem* sub = Item("Sub");
    Item("a.txt")->SetSelected(true);
    auto* data = new TDataObject_shlv(list);
    data->AddRef();
    constexpr DWORD kCopyKeys = MK_LBUTTON | MK_CONTROL;
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, list->OnDropTarget_DragEnter(data, kCopyKeys, ScreenPointOf(sub), effect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
    EXPECT_EQ(sub, list->DropTarget());
    // Over empty space a drag from elsewhere goes to the folder itself, without highlight.
    const TPoint space = list->ClientToScreen(TPoint(250, 280));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    list->OnDropTarget_DragOver(kCopyKeys, POINTL{space.X, space.Y}, effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_SCROLL), effect);
    EXPECT_EQ(nullptr, list->DropTarget());
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, list->OnDropTarget_Drop(data, MK_CONTROL, ScreenPointOf(sub), effect));
    EXPECT_EQ(nullptr, list->DropTarget());
    data->Release();
}

// Closes the tracked menu after a fill was asked for meanwhile.
TUiShellList* menuList = nullptr;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    menuList->FillItems();
    EndMenu();
}

TEST_F(ShellListInteractionTest, AFillDuringTheMenuWaitsUntilItCloses) {
    Item("a.txt")->SetSelected(true);
    int fills = 0;
    list->OnFillComplete = [&](TObject*) { ++fills; };
    menuList = list;
    SetTimer(nullptr, 0, 300, CloseMenu);
    list->ProcessMenuForAllSelected(TPoint(20, 20));
    EXPECT_EQ(1, fills);
    list->OnFillComplete = nullptr;
}

}  // namespace
