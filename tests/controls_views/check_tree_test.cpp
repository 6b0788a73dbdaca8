// The check tree: cascades down and up, vetoes, deletion, toggling by mouse and keyboard, the
// text form and its errors, and the look of the boxes.
#include "UiCheckTree.h"
#include "cl_except.h"
#include "view_fixture.h"

namespace {

class CheckTreeTest : public EditFormTest {
protected:
    // Root { A { A1, A2 }, B }, all unchecked.
    TUiCheckTree* AddTree() {
        tree = Add<TUiCheckTree>(10, 10, 220, 200);
        TTreeNodes* n = tree->Items();
        root = n->Add(nullptr, "Root");
        nodeA = n->AddChild(root, "A");
        a1 = n->AddChild(nodeA, "A1");
        a2 = n->AddChild(nodeA, "A2");
        nodeB = n->AddChild(root, "B");
        tree->FullExpand();
        tree->SetAllNodes(csUnchecked);
        Pump();
        return tree;
    }
    static TUiCheckState S(TTreeNode* node) { return static_cast<TUiCheckState>(node->StateIndex()); }
    TUiCheckTree* tree = nullptr;
    TTreeNode *root = nullptr, *nodeA = nullptr, *a1 = nullptr, *a2 = nullptr, *nodeB = nullptr;
};

TEST_F(CheckTreeTest, TogglesCascadeDownAndUp) {
    AddTree();
    tree->ToggleCheckState(nodeA);
    EXPECT_EQ(S(a1), csChecked);
    EXPECT_EQ(S(a2), csChecked);
    EXPECT_EQ(S(root), csPartiallyChecked) << "B is still unchecked";
    tree->ToggleCheckState(nodeB);
    EXPECT_EQ(S(root), csChecked);
    tree->ToggleCheckState(a1);
    EXPECT_EQ(S(nodeA), csPartiallyChecked);
    EXPECT_EQ(S(root), csPartiallyChecked);
    tree->ToggleCheckState(a2);
    tree->ToggleCheckState(nodeB);
    EXPECT_EQ(S(nodeA), csUnchecked) << "its last checked child went";
    EXPECT_EQ(S(root), csUnchecked);

    tree->ChangeNodeCheckState(nodeA, csPartiallyChecked);
    EXPECT_EQ(S(a1), csUnchecked) << "a partial state sends unchecked down";
    tree->SetItemState(root->AbsoluteIndex(), csChecked);
    for (TTreeNode* n : {nodeA, a1, a2, nodeB}) EXPECT_EQ(S(n), csChecked);
}

TEST_F(CheckTreeTest, UnknownNodesCountAsNeitherAndCannotBeToggled) {
    AddTree();
    a2->SetStateIndex(csUnknown);
    tree->ToggleCheckState(a1);
    EXPECT_EQ(S(nodeA), csChecked) << "checked and unknown children give checked";

    int changes = 0, completes = 0;
    tree->OnStateChange = [&](TObject*, TTreeNode*, TUiCheckState) { ++changes; };
    tree->OnCascadeComplete = [&](TObject*, TTreeNode*) { ++completes; };
    tree->ToggleCheckState(a2);
    EXPECT_EQ(S(a2), csUnknown);
    EXPECT_EQ(changes + completes, 0) << "an unknown node fires nothing";

    tree->ChangeNodeCheckState(nodeA, csPartiallyChecked);
    tree->ToggleCheckState(nodeA);
    EXPECT_EQ(S(nodeA), csChecked) << "partial toggles to checked";
}

TEST_F(CheckTreeTest, WithoutCascadingOneNodeChangesAndTheCascadeStillCompletes) {
    AddTree();
    tree->SetCascadeChecks(false);
    std::vector<TTreeNode*> completed;
    tree->OnCascadeComplete = [&](TObject*, TTreeNode* node) { completed.push_back(node); };
    tree->ToggleCheckState(nodeA);
    EXPECT_EQ(S(nodeA), csChecked);
    EXPECT_EQ(S(a1), csUnchecked);
    EXPECT_EQ(S(root), csUnchecked);
    EXPECT_EQ(completed, std::vector<TTreeNode*>{nodeA});
}

TEST_F(CheckTreeTest, AVetoKeepsEveryStateButTheWalkStillAsksEveryAncestor) {
    AddTree();
    std::vector<TTreeNode*> asked;
    int reported = 0, completed = 0;
    tree->OnStateChanging = [&](TObject*, TTreeNode* node, TUiCheckState, bool& allow) {
        asked.push_back(node);
        allow = false;
    };
    tree->OnStateChange = [&](TObject*, TTreeNode*, TUiCheckState) { ++reported; };
    tree->OnCascadeComplete = [&](TObject*, TTreeNode*) { ++completed; };
    tree->ToggleCheckState(a1);
    for (TTreeNode* n : {root, nodeA, a1, a2, nodeB}) EXPECT_EQ(S(n), csUnchecked);
    EXPECT_EQ(asked, (std::vector<TTreeNode*>{a1, nodeA, root}));
    EXPECT_EQ(reported, 0);
    EXPECT_EQ(completed, 1);
}

TEST_F(CheckTreeTest, DeletingAChildUpdatesTheParentWithoutTouchingTheLeavingNodes) {
    AddTree();
    TTreeNode* a11 = tree->Items()->AddChild(a1, "A11");
    a11->SetStateIndex(csChecked);
    tree->ToggleCheckState(a1);
    tree->ToggleCheckState(a1);
    tree->ToggleCheckState(a1);
    ASSERT_EQ(S(nodeA), csPartiallyChecked);
    std::vector<TTreeNode*> asked;
    tree->OnStateChanging = [&](TObject*, TTreeNode* node, TUiCheckState, bool&) {
        EXPECT_FALSE(node->Deleting()) << node->Text().c_str();
        asked.push_back(node);
    };
    a1->Delete();
    EXPECT_EQ(S(nodeA), csUnchecked) << "its only checked child is gone";
    EXPECT_EQ(S(root), csUnchecked);
    EXPECT_FALSE(asked.empty());

    tree->ToggleCheckState(nodeB);
    asked.clear();
    nodeA->Delete();
    EXPECT_EQ(S(root), csChecked) << "B alone remains, checked";

    asked.clear();
    tree->Items()->Clear();
    EXPECT_TRUE(asked.empty()) << "clearing the tree cascades nowhere";
    AddTree();
    tree->ToggleCheckState(a1);
    asked.clear();
    bool calledAfterFree = false;
    tree->OnStateChanging = [&](TObject*, TTreeNode*, TUiCheckState, bool&) {
        calledAfterFree = true;
    };
    tree->Free();
    EXPECT_FALSE(calledAfterFree) << "a tree being destroyed cascades nowhere";
}

TEST_F(CheckTreeTest, TextFormRoundTripsStructureStatesAndImages) {
    AddTree();
    tree->ToggleCheckState(a1);
    a2->SetImageIndex(3);
    a2->SetSelectedIndex(4);
    nodeB->SetText("B|with|bars ");
    TMemoryStream stream;
    tree->SaveToStream(&stream);
    const AnsiString text(static_cast<const char*>(stream.Memory()),
                          static_cast<int>(stream.Size()));
    EXPECT_EQ(text,
              "3|-1|-1|Root\r\n\t3|-1|-1|A\r\n\t\t2|-1|-1|A1\r\n\t\t1|3|4|A2\r\n"
              "\t1|-1|-1|B|with|bars \r\n");

    auto* copy = Add<TUiCheckTree>(240, 10, 150, 200);
    stream.SetPosition(0);
    copy->LoadFromStream(&stream);
    ASSERT_EQ(copy->Items()->Count(), 5);
    for (int i = 0; i < 5; ++i) {
        TTreeNode* from = tree->Items()->Item(i);
        TTreeNode* to = copy->Items()->Item(i);
        EXPECT_EQ(to->Text(), from->Text());
        EXPECT_EQ(to->Level(), from->Level());
        EXPECT_EQ(to->StateIndex(), from->StateIndex());
        EXPECT_EQ(to->ImageIndex(), from->ImageIndex());
        EXPECT_EQ(to->SelectedIndex(), from->SelectedIndex());
    }
}

TEST_F(CheckTreeTest, LoadingRefusesLevelJumpsStatesAndNonNumbers) {
    tree = Add<TUiCheckTree>(10, 10, 200, 200);
    auto load = [&](const char* text) {
        TStringStream stream{AnsiString(text)};
        tree->LoadFromStream(&stream);
    };
    load("\t\t2|0|1|Top\n\t1|-1|-1|Child\nplain text\n");
    ASSERT_EQ(tree->Items()->Count(), 3);
    EXPECT_EQ(tree->Items()->Item(0)->Level(), 0) << "the first line is top-level";
    EXPECT_EQ(tree->Items()->Item(1)->Level(), 1);
    EXPECT_EQ(tree->Items()->Item(2)->StateIndex(), -1);
    EXPECT_EQ(tree->Items()->Item(2)->Text(), "plain text");

    const struct {
        const char* text;
        const char* message;
        int kept;
    } errors[] = {
        {"\t\t1|-1|-1|Top\n\t\t\t\t1|-1|-1|Deep\n", "Invalid level (4) for item \"Deep\"", 1},
        {"1|-1|-1|Top\n7|-1|-1|Odd\n", "Invalid state (7) for item \"Odd\"", 1},
        {"1|-1|-1|Top\n-2|0|0|Low\n", "Invalid state (-2) for item \"Low\"", 1},
    };
    for (const auto& e : errors) {
        try {
            load(e.text);
            ADD_FAILURE() << e.text;
        } catch (const ETreeViewError& error) {
            EXPECT_EQ(AnsiString(error.Message()), e.message);
        }
        EXPECT_EQ(tree->Items()->Count(), e.kept);
    }
    EXPECT_THROW(load("x|0|0|Bad\n"), EConvertError);
}

TEST_F(CheckTreeTest, AddingLinesFollowsTheirIndentation) {
    tree = Add<TUiCheckTree>(10, 10, 200, 200);
    TUiCheckTreeStrings strings(tree->Items());
    EXPECT_THROW(strings.Add("\t\tDeep"), ETreeViewError);
    EXPECT_EQ(strings.Add(" One"), 0);
    strings.Add("\tTwo");
    strings.Add("\t\tThree");
    strings.Add("\tFour");
    strings.Add("Five");
    strings.Add("\x1A");
    EXPECT_THROW(strings.Add("\t\tSix"), ETreeViewError);
    ASSERT_EQ(strings.Count(), 5);
    EXPECT_EQ(strings[3], "\tFour");
    EXPECT_EQ(tree->Items()->Item(3)->Parent(), tree->Items()->Item(0));
    EXPECT_EQ(strings[4], "Five");
}

TEST_F(CheckTreeTest, MouseTogglesOnlyOnTheBoxWithPressAndReleaseInside) {
    AddTree();
    Focus(tree);
    tree->SetSelected(nodeA);
    const TRect text = nodeA->DisplayRect(true);
    const int boxX = text.Left - 8, y = (text.Top + text.Bottom) / 2;
    LeftPress(tree, boxX, y);
    LeftRelease(tree, boxX, y);
    EXPECT_EQ(S(nodeA), csChecked);
    LeftPress(tree, text.Left + 4, y);
    LeftRelease(tree, text.Left + 4, y);
    EXPECT_EQ(S(nodeA), csChecked) << "a click on the text does not toggle";

    LeftPress(tree, boxX, y);
    LeftRelease(tree, boxX, tree->ClientHeight() + 30);
    EXPECT_EQ(S(nodeA), csChecked) << "released outside the window";
    LeftPress(tree, text.Left + 4, y);
    LeftRelease(tree, text.Left + 4, y);
    EXPECT_EQ(S(nodeA), csChecked) << "the dropped press is not remembered";
}

TEST_F(CheckTreeTest, SpaceTogglesTheSelectedNodeAndDoesNotSearch) {
    AddTree();
    Focus(tree);
    tree->SetSelected(nodeB);
    Key(tree, VK_SPACE);
    Type(tree, " ");
    EXPECT_EQ(S(nodeB), csChecked);
    EXPECT_EQ(tree->Selected(), nodeB);
    Key(tree, VK_SPACE);
    EXPECT_EQ(S(nodeB), csUnchecked);
}

TEST_F(CheckTreeTest, NewNodesShowUncheckedBoxesInTheFrameColour) {
    tree = Add<TUiCheckTree>(10, 10, 200, 120);
    TTreeNode* fresh = tree->Items()->Add(nullptr, "Fresh");
    TTreeNode* done = tree->Items()->Add(nullptr, "Done");
    done->SetStateIndex(csChecked);
    tree->SetFrameColor(clRed);
    WindowShot shot(tree);
    EXPECT_EQ(fresh->StateIndex(), csUnchecked) << "given a state before painting";
    const int border = (tree->Width() - tree->ClientWidth()) / 2;
    const TRect d = fresh->DisplayRect(true);
    bool redFrame = false;
    for (int x = d.Left - 16; x < d.Left; ++x)
        redFrame |= shot.At(border + x, border + d.Top + 2) == clRed ||
                    shot.At(border + x, border + d.Top + 3) == clRed;
    EXPECT_TRUE(redFrame) << "the box is drawn in FrameColor";
}

}  // namespace
