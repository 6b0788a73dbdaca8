// The tree view over the system's control: nodes filled before and after the window exists and
// kept across its re-creation, expanding by code and by key with the vetoes and lazy filling,
// label editing, sorting, hit tests, image callbacks, states, nested updates, the right click
// and the notification virtuals.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "cl_treeview.h"
#include "test_pump.h"

namespace {

// Records the virtuals that the notifications reach.
class TRecordingTree : public TTreeView {
public:
    using TTreeView::TTreeView;
    std::vector<std::string> Calls;
    int ImageRequests = 0;
    std::set<std::string> ItemDraws;

    TTreeNode* SelectedDuringMenu = nullptr;

protected:
    void Expand(TTreeNode* node) override {
        Calls.push_back("Expand " + node->Text().str());
        TTreeView::Expand(node);
    }
    void Collapse(TTreeNode* node) override {
        Calls.push_back("Collapse " + node->Text().str());
        TTreeView::Collapse(node);
    }
    void Delete(TTreeNode* node) override {
        Calls.push_back("Delete " + node->Text().str() + " at " + std::to_string(node->Index()));
        TTreeView::Delete(node);
    }
    void Change(TTreeNode* node) override {
        Calls.push_back("Change " + (node ? node->Text().str() : std::string("none")));
        TTreeView::Change(node);
    }
    bool CustomDrawItem(TTreeNode* node, TCustomDrawState state, TCustomDrawStage stage,
                        bool& paintImages) override {
        ItemDraws.insert(node->Text().str());
        return TTreeView::CustomDrawItem(node, state, stage, paintImages);
    }
    void GetImageIndex(TTreeNode* node) override {
        ++ImageRequests;
        TTreeView::GetImageIndex(node);
    }
    void DoContextPopup(TPoint mousePos, bool& handled) override {
        SelectedDuringMenu = GetSelected();
        handled = true;
        TTreeView::DoContextPopup(mousePos, handled);
    }
};

// The texts of the window's items under `parent` (null: the top level), in window order.
std::vector<std::string> WindowTexts(TCustomTreeView* tree, HTREEITEM parent) {
    std::vector<std::string> texts;
    HWND window = tree->Handle();
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessageA(window, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT,
                     reinterpret_cast<LPARAM>(parent)));
    for (; item; item = reinterpret_cast<HTREEITEM>(SendMessageA(
                     window, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        char text[64] = {};
        TVITEMA data{};
        data.mask = TVIF_TEXT | TVIF_HANDLE;
        data.hItem = item;
        data.pszText = text;
        data.cchTextMax = sizeof text;
        SendMessageA(window, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
        texts.push_back(text);
    }
    return texts;
}

class TreeViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = new TComponent(nullptr);
        form = new TForm(owner);
        form->SetBounds(40, 40, 300, 320);
        tree = PlaceControl<TRecordingTree>(owner, form, "Tree", 10, 10, 260, 260);
        fruit = tree->Items()->Add(nullptr, "Fruit");
        apple = tree->Items()->AddChild(fruit, "Apple");
        pear = tree->Items()->AddChild(fruit, "Pear");
        veg = tree->Items()->Add(nullptr, "Vegetables");
        leek = tree->Items()->AddChild(veg, "Leek");
    }
    void TearDown() override {
        TObject::Free(owner);
        Application->ProcessMessages();
    }
    void Show() {
        form->Show();
        Application->ProcessMessages();
    }
    HWND Window() { return tree->Handle(); }

    TComponent* owner = nullptr;
    TForm* form = nullptr;
    TRecordingTree* tree = nullptr;
    TTreeNode* fruit = nullptr;
    TTreeNode* apple = nullptr;
    TTreeNode* pear = nullptr;
    TTreeNode* veg = nullptr;
    TTreeNode* leek = nullptr;
};

TEST_F(TreeViewTest, NodesFilledBeforeAndAfterTheWindowShowAndSurviveItsRecreation) {
    EXPECT_EQ(tree->Items()->Count(), 5);
    EXPECT_EQ(leek->AbsoluteIndex(), 4);
    EXPECT_EQ(tree->Items()->Item(2), pear);
    EXPECT_EQ(pear->Level(), 1);
    EXPECT_EQ(pear->GetPrev(), apple);
    EXPECT_EQ(pear->GetNext(), veg);
    EXPECT_THROW(tree->Items()->Item(5), ETreeViewError);
    fruit->Expand(false);
    tree->SetSelected(pear);
    Show();
    EXPECT_EQ(SendMessageA(Window(), TVM_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(WindowTexts(tree, nullptr), (std::vector<std::string>{"Fruit", "Vegetables"}));
    EXPECT_EQ(WindowTexts(tree, fruit->ItemId()), (std::vector<std::string>{"Apple", "Pear"}));
    EXPECT_TRUE(fruit->Expanded());
    EXPECT_EQ(tree->Selected(), pear);
    // Added while the window exists, first among the children, and renamed.
    TTreeNode* cherry = tree->Items()->AddChildFirst(fruit, "Cherry");
    apple->SetText("Green apple");
    EXPECT_EQ(WindowTexts(tree, fruit->ItemId()),
              (std::vector<std::string>{"Cherry", "Green apple", "Pear"}));
    // A style change re-creates the window; nodes, expansion and selection stay.
    HWND before = Window();
    tree->SetShowLines(false);
    EXPECT_NE(tree->Handle(), before);
    EXPECT_EQ(SendMessageA(Window(), TVM_GETCOUNT, 0, 0), 6);
    EXPECT_TRUE(fruit->Expanded());
    EXPECT_FALSE(veg->Expanded());
    EXPECT_EQ(tree->Selected(), pear);
    EXPECT_EQ(tree->Items()->GetNode(cherry->ItemId()), cherry);
}

TEST_F(TreeViewTest, ExpandingByCodeAndByKeyGoesThroughTheVetoAndFillsLazily) {
    TTreeNode* lazy = tree->Items()->Add(nullptr, "Lazy");
    lazy->SetHasChildren(true);
    tree->OnExpanding = [&](TObject*, TTreeNode* node, bool& allow) {
        if (node == veg) allow = false;
        if (node == lazy && lazy->Count() == 0) tree->Items()->AddChild(lazy, "Filled");
    };
    Show();
    tree->Calls.clear();
    veg->Expand(false);
    EXPECT_FALSE(veg->Expanded());
    fruit->Expand(false);
    EXPECT_TRUE(fruit->Expanded());
    tree->SetFocus();
    tree->SetSelected(lazy);
    PostKey(Window(), VK_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return lazy->Expanded(); }));
    EXPECT_EQ(WindowTexts(tree, lazy->ItemId()), (std::vector<std::string>{"Filled"}));
    PostKey(Window(), VK_LEFT);
    ASSERT_TRUE(PumpUntil([&] { return !lazy->Expanded(); }));
    const std::vector<std::string> expected = {"Expand Fruit", "Change Lazy", "Expand Lazy",
                                               "Collapse Lazy"};
    EXPECT_EQ(tree->Calls, expected);
    tree->FullExpand();
    EXPECT_TRUE(veg->Expanded() == false && fruit->Expanded() && lazy->Expanded());
    tree->FullCollapse();
    EXPECT_FALSE(fruit->Expanded());
}

TEST_F(TreeViewTest, LabelsAreEditedThroughTheEventsAndReadOnlyRefusesEditing) {
    Show();
    tree->OnEdited = [](TObject*, TTreeNode*, AnsiString& text) { text = text + "!"; };
    ASSERT_TRUE(veg->EditText());
    ASSERT_TRUE(tree->IsEditing());
    SetWindowTextA(tree->EditHandle(), "Greens");
    veg->EndEdit(false);
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(veg->Text().str(), "Greens!");
    EXPECT_EQ(WindowTexts(tree, nullptr)[1], "Greens!");
    // A cancelled edit keeps the text, by code and by Escape.
    int cancels = 0;
    tree->OnCancelEdit = [&](TObject*, TTreeNode*) { ++cancels; };
    ASSERT_TRUE(veg->EditText());
    SetWindowTextA(tree->EditHandle(), "Ignored");
    veg->EndEdit(true);
    EXPECT_EQ(veg->Text().str(), "Greens!");
    ASSERT_TRUE(veg->EditText());
    HWND editor = tree->EditHandle();
    SetWindowTextA(editor, "Escaped");
    PostKey(editor, VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !tree->IsEditing(); }));
    EXPECT_EQ(veg->Text().str(), "Greens!");
    EXPECT_EQ(cancels, 2);
    tree->OnEditing = [](TObject*, TTreeNode* node, bool& allow) { allow = node->Level() > 0; };
    EXPECT_FALSE(fruit->EditText());
    EXPECT_TRUE(apple->EditText());
    apple->EndEdit(true);
    tree->OnEditing = nullptr;
    tree->SetReadOnly(true);
    EXPECT_FALSE(fruit->EditText());
}

TEST_F(TreeViewTest, SortingOrdersTheModelAndTheWindowAlike) {
    TTreeNode* banana = tree->Items()->AddChild(fruit, "banana");
    Show();
    fruit->AlphaSort();
    EXPECT_EQ(WindowTexts(tree, fruit->ItemId()),
              (std::vector<std::string>{"Apple", "banana", "Pear"}));
    EXPECT_EQ(fruit->Item(1), banana);
    // Longest text first, through a custom comparison.
    fruit->CustomSort([](TTreeNode* a, TTreeNode* b) { return b->Text().Length() - a->Text().Length(); });
    EXPECT_EQ(WindowTexts(tree, fruit->ItemId()),
              (std::vector<std::string>{"banana", "Apple", "Pear"}));
    // OnCompare drives AlphaSort: reverse order of the whole tree.
    tree->OnCompare = [](TObject*, TTreeNode* a, TTreeNode* b, int& compare) {
        compare = -AnsiCompareText(a->Text(), b->Text());
    };
    tree->AlphaSort(true);
    EXPECT_EQ(WindowTexts(tree, nullptr), (std::vector<std::string>{"Vegetables", "Fruit"}));
    EXPECT_EQ(WindowTexts(tree, fruit->ItemId()),
              (std::vector<std::string>{"Pear", "banana", "Apple"}));
    tree->OnCompare = nullptr;
    tree->SetSortType(stText);
    tree->Items()->AddChild(fruit, "Cherry");
    pear->SetText("Apricot");
    EXPECT_EQ(WindowTexts(tree, fruit->ItemId()),
              (std::vector<std::string>{"Apple", "Apricot", "banana", "Cherry"}));
}

TEST_F(TreeViewTest, HitTestsFindTheNodeAndThePartUnderAPoint) {
    Show();
    fruit->Expand(false);
    const TRect label = pear->DisplayRect(true);
    ASSERT_GT(label.Width(), 0);
    const int x = (label.Left + label.Right) / 2, y = (label.Top + label.Bottom) / 2;
    EXPECT_EQ(tree->GetNodeAt(x, y), pear);
    const THitTests onLabel = tree->GetHitTestInfoAt(x, y);
    EXPECT_TRUE(onLabel.count(htOnLabel) && onLabel.count(htOnItem));
    EXPECT_TRUE(tree->GetHitTestInfoAt(label.Right + 5, y).count(htOnRight));
    EXPECT_TRUE(tree->GetHitTestInfoAt(2, y).count(htOnIndent));
    EXPECT_TRUE(tree->GetHitTestInfoAt(x, 240).count(htNowhere));
    EXPECT_EQ(tree->GetNodeAt(x, 240), nullptr);
    const TRect row = pear->DisplayRect(false);
    EXPECT_LE(row.Left, label.Left);
    EXPECT_EQ(row.Top, label.Top);
}

TEST_F(TreeViewTest, ImagesComeThroughTheCallbacksAndStatesReachTheWindow) {
    auto* images = new TImageList(owner);
    TOwnedPtr<TBitmap> glyph(new TBitmap);
    glyph->SetSize(16, 16);
    images->Add(glyph.get(), nullptr);
    images->Add(glyph.get(), nullptr);
    tree->SetImages(images);
    int events = 0;
    tree->OnGetImageIndex = [&](TObject*, TTreeNode* node) {
        ++events;
        node->SetImageIndex(1);
    };
    Show();
    ASSERT_TRUE(PumpUntil([&] { return tree->ImageRequests > 0; }));
    EXPECT_EQ(events, tree->ImageRequests);
    fruit->SetStateIndex(2);
    fruit->SetOverlayIndex(0);
    fruit->SetCut(true);
    const UINT state = static_cast<UINT>(
        SendMessageA(Window(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(fruit->ItemId()),
                     TVIS_STATEIMAGEMASK | TVIS_OVERLAYMASK | TVIS_CUT));
    EXPECT_EQ(state & TVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(2));
    EXPECT_EQ(state & TVIS_OVERLAYMASK, INDEXTOOVERLAYMASK(1));
    EXPECT_TRUE(state & TVIS_CUT);
    // A node without children loses its button; one set to have children keeps it.
    leek->SetHasChildren(true);
    EXPECT_TRUE(leek->HasChildren());
    fruit->SetHasChildren(false);
    EXPECT_FALSE(fruit->HasChildren());
    tree->Items()->AddChild(fruit, "Plum");
    EXPECT_TRUE(fruit->HasChildren());
}

TEST_F(TreeViewTest, CustomDrawReachesTheItemVirtualAndItsColoursReachTheWindow) {
    tree->OnCustomDrawItem = [](TCustomTreeView* sender, TTreeNode* node, TCustomDrawState,
                                bool&) {
        if (node->Text() == "Vegetables") sender->Canvas()->Brush()->SetColor(clLime);
    };
    Show();
    tree->Invalidate();
    ASSERT_TRUE(PumpUntil([&] { return tree->ItemDraws.size() >= 2; }));
    EXPECT_EQ(tree->ItemDraws, (std::set<std::string>{"Fruit", "Vegetables"}));
    Application->ProcessMessages();
    const TRect label = veg->DisplayRect(true);
    HDC dc = GetDC(Window());
    const COLORREF pixel = GetPixel(dc, label.Left + 1, label.Top + 1);
    ReleaseDC(Window(), dc);
    EXPECT_EQ(pixel, RGB(0, 255, 0));
}

TEST_F(TreeViewTest, DeletingReachesTheVirtualChildrenFirstAmongTheirSiblings) {
    Show();
    tree->SetSelected(apple);
    tree->Calls.clear();
    fruit->Delete();
    EXPECT_EQ(tree->Calls[0], "Delete Pear at 1");
    EXPECT_EQ(tree->Calls[1], "Delete Apple at 0");
    EXPECT_EQ(tree->Calls[2], "Delete Fruit at 0");
    EXPECT_EQ(SendMessageA(Window(), TVM_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(tree->Items()->Count(), 2);
    EXPECT_NE(tree->Selected(), apple);
    tree->Calls.clear();
    tree->Items()->Clear();
    EXPECT_EQ(tree->Calls, (std::vector<std::string>{"Delete Leek at 0", "Delete Vegetables at 0"}));
    EXPECT_EQ(SendMessageA(Window(), TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(TreeViewTest, UpdatesNestAndMovingKeepsTheSubtree) {
    Show();
    tree->Items()->BeginUpdate();
    tree->Items()->BeginUpdate();
    tree->Items()->AddChild(veg, "Kale");
    tree->Items()->EndUpdate();
    EXPECT_EQ(tree->Items()->UpdateCount(), 1);
    tree->Items()->EndUpdate();
    EXPECT_EQ(tree->Items()->UpdateCount(), 0);
    EXPECT_EQ(SendMessageA(Window(), TVM_GETCOUNT, 0, 0), 6);
    fruit->MoveTo(leek, naAddChild);
    EXPECT_EQ(fruit->Parent(), leek);
    EXPECT_EQ(fruit->Level(), 2);
    EXPECT_EQ(WindowTexts(tree, nullptr), (std::vector<std::string>{"Vegetables"}));
    EXPECT_EQ(WindowTexts(tree, leek->ItemId()), (std::vector<std::string>{"Fruit"}));
    EXPECT_EQ(WindowTexts(tree, fruit->ItemId()), (std::vector<std::string>{"Apple", "Pear"}));
}

TEST_F(TreeViewTest, ARightClickWithRightClickSelectOffersTheNodeUnderTheMouse) {
    tree->SetRightClickSelect(true);
    Show();
    fruit->Expand(false);
    tree->SetSelected(apple);
    const TRect label = pear->DisplayRect(true);
    const TPoint screen = tree->ClientToScreen({label.Left + 3, label.Top + 3});
    SetCursorPos(screen.X, screen.Y);
    NMHDR header{tree->Handle(), 0, static_cast<UINT>(NM_RCLICK)};
    EXPECT_EQ(tree->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)), 1);
    EXPECT_EQ(tree->SelectedDuringMenu, pear);
    EXPECT_EQ(tree->Selected(), apple);
}

}  // namespace
