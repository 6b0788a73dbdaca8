#include "UiShellCombo.h"
#include "UiShellList.h"
#include "UiShellTree.h"
#include "shell_controls_fixture.h"

namespace {

// A choice in the drop-down as the user ends it.
class TChoosingShellCombo : public TUiShellCombo {
public:
    using TUiShellCombo::TUiShellCombo;
    void Choose(int row) {
        SetItemIndex(row);
        SelEndOk();
    }
};

class ShellComboTest : public ShellControlsTest {
protected:
    // A tree, a list and a combo on one form, linked, on the test's folder.
    void MakeLinked() {
        tree = AddControl<TUiShellTree>(10, 40, 220, 330);
        TUiShellTreeOptions options = DefaultShellTreeOptions;
        options.erase(stoDynamicRefresh);
        tree->SetOptions(options);
        list = AddControl<TUiShellList>(240, 40, 500, 330);
        list->SetViewStyle(vsReport);
        combo = AddControl<TChoosingShellCombo>(10, 10, 730, 22);
        tree->SetShellList(list);
        combo->SetShellTree(tree);
        PidlHolder folder(Parse(Path()));
        tree->SelectedFolder()->SetIdList(folder);
        Application->ProcessMessages();
    }
    int RowOf(const AnsiString& path) {
        for (int i = 0; i < combo->Count(); ++i)
            if (ShellGetPathFromIdList(combo->GetShellComboData(i)->AbsPidl()) == path) return i;
        return -1;
    }
    TUiShellTree* tree = nullptr;
    TUiShellList* list = nullptr;
    TChoosingShellCombo* combo = nullptr;
};

TEST_F(ShellComboTest, ShowsTheDesktopTheDrivesAndTheChainToTheFolder) {
    MakeLinked();
    ASSERT_GT(combo->Count(), 3);
    EXPECT_EQ(0, combo->GetImageComboBoxItem(0)->IndentLevel());
    EXPECT_TRUE(IsDesktopIdList(combo->GetShellComboData(0)->AbsPidl()));
    const int selected = combo->ItemIndex();
    ASSERT_EQ(RowOf(Path()), selected);
    EXPECT_STREQ(ExtractFileName(Path()).c_str(),
                 combo->GetImageComboBoxItem(selected)->Caption().c_str());
    // The drive of the folder sits below the drives folder, at the second level.
    const int drive = RowOf(ExtractFileDrive(Path()) + "\\");
    ASSERT_GE(drive, 0);
    EXPECT_EQ(2, combo->GetImageComboBoxItem(drive)->IndentLevel());
    // Each row of the chain one level deeper.
    EXPECT_EQ(combo->GetImageComboBoxItem(RowOf(ExtractFileDir(Path())))->IndentLevel() + 1,
              combo->GetImageComboBoxItem(selected)->IndentLevel());
}

TEST_F(ShellComboTest, TreeListAndComboStayOnOneFolder) {
    MakeLinked();
    EXPECT_STREQ(Path().c_str(), list->Folder()->GetPathName().c_str());
    // Down in the tree: the list and the combo follow.
    tree->SetSelectedPathName(Path("Sub\\Inner"));
    EXPECT_STREQ(Path("Sub\\Inner").c_str(), list->Folder()->GetPathName().c_str());
    EXPECT_EQ(RowOf(Path("Sub\\Inner")), combo->ItemIndex());
    // Up in the combo: the tree and the list follow.
    combo->GoUp(1);
    EXPECT_STREQ(Path("Sub").c_str(), tree->GetSelectedPathName().c_str());
    EXPECT_STREQ(Path("Sub").c_str(), list->Folder()->GetPathName().c_str());
    // A choice in the drop-down.
    combo->Choose(RowOf(Path()));
    EXPECT_STREQ(Path().c_str(), tree->GetSelectedPathName().c_str());
    EXPECT_STREQ(Path().c_str(), list->Folder()->GetPathName().c_str());
    // Opening a folder in the list moves all three.
    for (int i = 0; i < list->Items()->Count(); ++i)
        if (list->GetShellListData(i)->GetFilename() == "Sub") list->OpenItem(list->Items()->Item(i));
    EXPECT_STREQ(Path("Sub").c_str(), tree->GetSelectedPathName().c_str());
    EXPECT_EQ(RowOf(Path("Sub")), combo->ItemIndex());
}

TEST_F(ShellComboTest, LinksExcludeEachOtherAndForgetFreedControls) {
    combo = AddControl<TChoosingShellCombo>(10, 10, 300, 22);
    auto* list = AddControl<TUiShellList>(10, 40, 300, 200);
    auto* tree = AddControl<TUiShellTree>(320, 40, 200, 200);
    combo->SetShellList(list);
    EXPECT_EQ(combo, list->ShellCombo());
    combo->SetShellTree(tree);
    EXPECT_EQ(nullptr, combo->ShellTree());
    list->Free();
    EXPECT_EQ(nullptr, combo->ShellList());
    combo->SetShellTree(tree);
    EXPECT_EQ(tree, combo->ShellTree());
    EXPECT_EQ(combo, tree->ShellCombo());
}

// Shows the three linked controls for a while, for a look at them on the screen.
TEST_F(ShellComboTest, DISABLED_ShowForAScreenshot) {
    MakeLinked();
    tree->SetSelectedPathName(Path("Sub"));
    tree->SetFocus();
    PumpUntil([] { return false; }, 8000);
}

}  // namespace
