// The framed tree view: node paths, automatic selection, wheel scrolling, node menus by mouse
// and keyboard, and the outline round the selection while unfocused.
#include "UiTreeView.h"
#include "view_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class TreeViewTest : public EditFormTest {
protected:
    TUiTreeView* AddTree() {
        tree = Add<TUiTreeView>(10, 10, 200, 150);
        a = tree->Items()->Add(nullptr, "A");
        b = tree->Items()->AddChild(a, "B");
        tree->Items()->AddChild(a, "C");
        tree->Items()->Add(nullptr, "D");
        Pump();
        return tree;
    }
    TUiTreeView* tree = nullptr;
    TTreeNode* a = nullptr;
    TTreeNode* b = nullptr;
};

TEST_F(TreeViewTest, PathsAreFoundCaseInsensitively) {
    AddTree();
    EXPECT_EQ(tree->PathFromNode(b), "A\\B\\");
    EXPECT_EQ(tree->PathFromNode(nullptr), "");
    const struct {
        const char* path;
        TTreeNode* found;
    } cases[] = {{"a\\b", b}, {"A\\B\\", b}, {"a", a}, {"A\\X", nullptr}, {"X", nullptr},
                 {"A\\B\\Z", nullptr}};
    for (const auto& c : cases) EXPECT_EQ(tree->NodeFromPath(c.path), c.found) << c.path;
    tree->SelectByPath("a\\b");
    EXPECT_EQ(tree->Selected(), b);
    tree->Items()->Clear();
    EXPECT_EQ(tree->NodeFromPath("A"), nullptr);
}

TEST_F(TreeViewTest, AutoSelectAndAutoExpandExcludeEachOther) {
    AddTree();
    tree->SetAutoSelect(true);
    tree->SetAutoExpand(true);
    EXPECT_FALSE(tree->AutoSelect());
    tree->SetAutoSelect(true);
    EXPECT_FALSE(tree->GetAutoExpand());

    tree->SetSelected(tree->Items()->Item(3));
    a->Expand(false);
    EXPECT_EQ(tree->Selected(), a) << "an expanded node becomes selected";
    tree->SetSelected(tree->Items()->Item(3));
    a->Collapse(false);
    EXPECT_EQ(tree->Selected(), a) << "so does a collapsed one";
    tree->SetSelected(tree->Items()->Item(3));
    tree->FullExpand();
    EXPECT_EQ(tree->Selected(), tree->Items()->Item(3)) << "FullExpand selects nothing";
    EXPECT_TRUE(tree->AutoSelect());
}

TEST_F(TreeViewTest, WheelScrollsByLinesAndStopsAtTheTop) {
    tree = Add<TUiTreeView>(10, 10, 200, 80);
    for (int i = 0; i < 40; ++i) tree->Items()->Add(nullptr, "Node " + IntToStr(i));
    Pump();
    auto position = [&] { return GetScrollPos(tree->Handle(), SB_VERT); };
    SendMessageA(tree->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(50, 50));
    EXPECT_EQ(position(), 0);
    SendMessageA(tree->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(50, 50));
    EXPECT_EQ(position(), static_cast<int>(Mouse->WheelScrollLines()));
    SendMessageA(tree->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(50, 50));
    EXPECT_EQ(position(), 0);
}

TEST_F(TreeViewTest, RightClickShowsTheMenuTheHandlerChoosesOnce) {
    AddTree();
    auto* own = new TRecordingMenu(form);
    auto* other = new TRecordingMenu(form);
    tree->SetPopupMenu(own);
    TTreeNode* clicked = nullptr;
    TPopupMenu* choice = other;
    tree->OnNodeContextMenu = [&](TObject*, TTreeNode* node, TPoint&, TPopupMenu*& menu) {
        clicked = node;
        menu = choice;
    };
    const TRect d = tree->Items()->Item(3)->DisplayRect(true);
    RightClick(tree, d.Left + 2, d.Top + 2);
    EXPECT_EQ(clicked, tree->Items()->Item(3));
    EXPECT_EQ(other->shown.size(), 1u);
    EXPECT_TRUE(own->shown.empty()) << "the control's menu does not open as well";
    EXPECT_TRUE(own->AutoPopup()) << "auto popup is restored after the release";

    choice = nullptr;
    RightClick(tree, d.Left + 2, d.Top + 2);
    EXPECT_EQ(other->shown.size(), 1u);
    EXPECT_TRUE(own->shown.empty()) << "a handler's nil shows no menu at all";
}

TEST_F(TreeViewTest, KeyboardOpensTheSelectedNodesMenuAtItsText) {
    AddTree();
    auto* own = new TRecordingMenu(form);
    tree->SetPopupMenu(own);
    Focus(tree);
    tree->SetSelected(a);
    Key(tree, VK_APPS);
    ASSERT_EQ(own->shown.size(), 1u);
    const TRect d = a->DisplayRect(true);
    EXPECT_EQ(own->shown[0], tree->ClientToScreen(TPoint((d.Left + d.Right) / 2,
                                                         (d.Top + d.Bottom) / 2)));
    EXPECT_EQ(own->PopupComponent(), tree);
    SetModifiers(true, false);
    Key(tree, VK_F10);
    SetModifiers(false, false);
    EXPECT_EQ(own->shown.size(), 2u) << "Shift+F10 too";
}

TEST_F(TreeViewTest, UnfocusedSelectionIsOutlinedWithTheSelectionPen) {
    AddTree();
    auto* edit = Add<TEdit>(250, 10, 100, 21);
    tree->SetHideSelection(false);
    tree->SelectionPen()->SetColor(clRed);
    tree->SetSelected(a);
    Focus(edit);
    const TRect d = a->DisplayRect(true);
    WindowShot shot(tree);
    const int border = (tree->Width() - tree->ClientWidth()) / 2;
    EXPECT_EQ(shot.At(border + d.Left, border + (d.Top + d.Bottom) / 2), clRed);
    Focus(tree);
    WindowShot focused(tree);
    EXPECT_NE(focused.At(border + d.Left, border + (d.Top + d.Bottom) / 2), clRed);
}

}  // namespace
